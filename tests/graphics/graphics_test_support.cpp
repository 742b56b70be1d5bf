#include "tests/graphics/GraphicsTestSupport.h"

TexturePtr MakeTexture(GraphicsSystem *graphics, unsigned width, unsigned height,
                       const std::vector<DWORD> &argb)
{
    std::vector<BYTE> bgra(argb.size() * 4);
    for (size_t i = 0; i < argb.size(); ++i) {
        bgra[i * 4] = BYTE(argb[i]);
        bgra[i * 4 + 1] = BYTE(argb[i] >> 8);
        bgra[i * 4 + 2] = BYTE(argb[i] >> 16);
        bgra[i * 4 + 3] = BYTE(argb[i] >> 24);
    }
    return TexturePtr(graphics->CreateTexture(width, height, GS_BGRA, bgra.data(), FALSE, TRUE));
}

SamplerState *MakeSampler(GraphicsSystem *graphics, GSSampleFilter filter, GSAddressMode address)
{
    SamplerInfo info{};
    info.filter = filter;
    info.addressU = info.addressV = info.addressW = address;
    info.maxAnisotropy = 16;
    return graphics->CreateSamplerState(info);
}

std::vector<DWORD> FrameRow(GraphicsSystem *graphics, unsigned y, unsigned fromX, unsigned count)
{
    std::vector<DWORD> row;
    for (unsigned x = fromX; x < fromX + count; ++x)
        row.push_back(HostFramePixel(graphics, x, y));
    return row;
}
