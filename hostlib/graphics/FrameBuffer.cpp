#include "hostlib/graphics/FrameBuffer.h"
#include "hostlib/graphics/PixelColour.h"

#include <algorithm>
#include <cstring>

FrameBuffer::FrameBuffer(unsigned frameWidth, unsigned frameHeight)
    : width(frameWidth), height(frameHeight), pixels(static_cast<size_t>(frameWidth) * frameHeight * 4, 0)
{
}

void FrameBuffer::Clear(uint32_t argb)
{
    uint8_t bgra[4];
    ArgbToBgra(argb, bgra);
    if (pixels.empty())
        return;
    // One pixel, then doubling copies: a whole frame in a handful of memcpy calls.
    std::memcpy(pixels.data(), bgra, 4);
    for (size_t filled = 4; filled < pixels.size();) {
        const size_t chunk = std::min(filled, pixels.size() - filled);
        std::memcpy(pixels.data() + filled, pixels.data(), chunk);
        filled += chunk;
    }
}

uint32_t FrameBuffer::ReadPixel(unsigned x, unsigned y) const
{
    if (x >= width || y >= height)
        return 0;
    return BgraToArgb(pixels.data() + (static_cast<size_t>(y) * width + x) * 4);
}
