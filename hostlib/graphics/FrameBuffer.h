#pragma once
#include <cstdint>
#include <vector>

// The picture being drawn: straight-alpha BGRA, rows top first, no padding.
class FrameBuffer {
    unsigned width = 0;
    unsigned height = 0;
    std::vector<uint8_t> pixels;

public:
    FrameBuffer(unsigned frameWidth, unsigned frameHeight);

    unsigned Width() const { return width; }
    unsigned Height() const { return height; }
    const uint8_t *Pixels() const { return pixels.data(); }
    uint8_t *PixelAt(unsigned x, unsigned y) { return pixels.data() + (static_cast<size_t>(y) * width + x) * 4; }

    void Clear(uint32_t argb);
    // 0xAARRGGBB; 0 outside the frame.
    uint32_t ReadPixel(unsigned x, unsigned y) const;
};
