#include "source/TextOutputSource.h"

namespace {

SamplerState *CreateScrollSampler()
{
    SamplerInfo info{};
    info.filter = GS_FILTER_LINEAR;
    info.addressU = GS_ADDRESS_WRAP;
    info.addressV = GS_ADDRESS_WRAP;
    info.addressW = GS_ADDRESS_CLAMP;
    info.maxAnisotropy = 0;
    info.borderColor = Color4(0.0f, 0.0f, 0.0f, 0.0f);
    return GS ? GS->CreateSamplerState(info) : nullptr;
}

} // namespace

TextOutputSource::TextOutputSource(XElement *dataElement)
    : data(dataElement)
{
    UpdateSettings();
    scrollSampler = CreateScrollSampler();
    drawOpacity = 100;
    Log(L"Using text output");
}

TextOutputSource::~TextOutputSource()
{
    delete texture;
    texture = nullptr;
    delete scrollSampler;
    scrollSampler = nullptr;
    if (fileMonitorActive) {
        OSMonitorFileDestroy(fileMonitor);
        fileMonitor = nullptr;
        fileMonitorActive = false;
    }
    sourceGuid.Clear();
    delete pointSampler;
    pointSampler = nullptr;
    // The remaining strings go after this body: fontName, filePath, textSetting, currentText.
}

Vect2 TextOutputSource::GetSize() const
{
    return Vect2(baseSizeCX, baseSizeCY);
}
