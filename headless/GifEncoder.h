#pragma once
#include <array>
#include <cstdint>
#include <vector>

// An animated GIF89a, built piece by piece so frames can go to the file as they come:
// Header(), then Frame() for each frame, then Trailer(). Every frame uses one fixed
// palette (a 6x7x6 colour cube and four greys), loops forever, and ignores alpha.
class GifEncoder {
    unsigned width;
    unsigned height;
    std::vector<uint8_t> paletteIndexOf;   // 32x32x32 colour cube of nearest entries

public:
    // width and height are 1..65535.
    GifEncoder(unsigned frameWidth, unsigned frameHeight);

    std::vector<uint8_t> Header() const;
    // `bgra` is width x height pixels, rows top first; delay in hundredths of a second.
    std::vector<uint8_t> Frame(const uint8_t *bgra, unsigned delayCentiseconds) const;
    static std::vector<uint8_t> Trailer() { return {0x3B}; }

    // Palette index for one colour.
    uint8_t Quantise(uint8_t red, uint8_t green, uint8_t blue) const;
};

// The 256 palette colours as 0xRRGGBB.
std::array<uint32_t, 256> GifPalette();

// GIF-flavoured LZW of 8-bit indices (minimum code size 8), packed into bytes LSB first,
// not yet split into sub-blocks.
std::vector<uint8_t> LzwCompress(const std::vector<uint8_t> &indices);

// Delay between animation frames in hundredths of a second: `every` frames at `fps`,
// at least 2 (viewers slow anything shorter down to a tenth of a second).
unsigned GifFrameDelay(double fps, int every);
