#include "source/SourceSamplers.h"

namespace {

SamplerState *CreateSampler(GSSampleFilter filter, GSAddressMode addressUV, UINT maxAnisotropy)
{
    if (!GS)
        return nullptr;
    SamplerInfo info{};
    info.filter = filter;
    info.addressU = addressUV;
    info.addressV = addressUV;
    info.addressW = GS_ADDRESS_CLAMP;
    info.maxAnisotropy = maxAnisotropy;
    info.borderColor = Color4(0.0f, 0.0f, 0.0f, 0.0f);
    return GS->CreateSamplerState(info);
}

} // namespace

SamplerState *CreateScrollSampler()
{
    return CreateSampler(GS_FILTER_LINEAR, GS_ADDRESS_WRAP, 0);
}

SamplerState *CreatePointSampler()
{
    return CreateSampler(GS_FILTER_POINT, GS_ADDRESS_CLAMP, 16);
}
