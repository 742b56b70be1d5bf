#pragma once
#include <cstdint>

// A colour with its channels multiplied by alpha, each 0..1. Filtering and blending work in
// this form so transparent texels never bleed their (meaningless) colour into neighbours.
struct PremultipliedColour {
    float r = 0.0f, g = 0.0f, b = 0.0f, a = 0.0f;
};

// byte / 255.0f for every byte: the same values as the division, without dividing.
struct ByteUnitTable {
    float value[256] = {};
    constexpr ByteUnitTable()
    {
        for (int i = 0; i < 256; ++i)
            value[i] = i / 255.0f;
    }
    float operator[](uint8_t byte) const { return value[byte]; }
};
inline constexpr ByteUnitTable kByteUnits;

// Reads one straight-alpha BGRA pixel.
PremultipliedColour ColourFromBgra(const uint8_t *bgra);
// 0xAARRGGBB, straight alpha.
PremultipliedColour ColourFromArgb(uint32_t argb);
// Straight-alpha floats, clamped to 0..1.
PremultipliedColour ColourFromFloats(float r, float g, float b, float a);

// Multiplies every channel of `texel` by the straight-alpha `tint` (0xAARRGGBB).
PremultipliedColour Modulate(const PremultipliedColour &texel, uint32_t tint);
// The same with the tint already converted by ColourFromArgb.
PremultipliedColour Modulate(const PremultipliedColour &texel, const PremultipliedColour &tint);

// Source-over onto a straight-alpha BGRA pixel.
void BlendOver(uint8_t *bgra, const PremultipliedColour &source);

// Straight-alpha BGRA bytes of 0xAARRGGBB, and back.
void ArgbToBgra(uint32_t argb, uint8_t *bgra);
uint32_t BgraToArgb(const uint8_t *bgra);
