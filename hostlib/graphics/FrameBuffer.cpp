#include "hostlib/graphics/FrameBuffer.h"
#include "hostlib/graphics/PixelColour.h"

FrameBuffer::FrameBuffer(unsigned frameWidth, unsigned frameHeight)
    : width(frameWidth), height(frameHeight), pixels(static_cast<size_t>(frameWidth) * frameHeight * 4, 0)
{
}

void FrameBuffer::Clear(uint32_t argb)
{
    uint8_t bgra[4];
    ArgbToBgra(argb, bgra);
    for (size_t i = 0; i < pixels.size(); i += 4) {
        pixels[i] = bgra[0];
        pixels[i + 1] = bgra[1];
        pixels[i + 2] = bgra[2];
        pixels[i + 3] = bgra[3];
    }
}

uint32_t FrameBuffer::ReadPixel(unsigned x, unsigned y) const
{
    if (x >= width || y >= height)
        return 0;
    return BgraToArgb(pixels.data() + (static_cast<size_t>(y) * width + x) * 4);
}
