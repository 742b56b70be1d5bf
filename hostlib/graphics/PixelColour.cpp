#include "hostlib/graphics/PixelColour.h"

#include <algorithm>
#include <cmath>

namespace {

float Unit(float value)
{
    if (!(value > 0.0f))   // also catches NaN
        return 0.0f;
    return std::min(value, 1.0f);
}

// The sum is at least 0.5, where truncation is floor and needs no library call.
uint8_t ToByte(float unit)
{
    return static_cast<uint8_t>(static_cast<int>(Unit(unit) * 255.0f + 0.5f));
}

} // namespace

PremultipliedColour ColourFromBgra(const uint8_t *bgra)
{
    const float a = kByteUnits[bgra[3]];
    return {kByteUnits[bgra[2]] * a, kByteUnits[bgra[1]] * a, kByteUnits[bgra[0]] * a, a};
}

PremultipliedColour ColourFromArgb(uint32_t argb)
{
    uint8_t bgra[4];
    ArgbToBgra(argb, bgra);
    return ColourFromBgra(bgra);
}

PremultipliedColour ColourFromFloats(float r, float g, float b, float a)
{
    const float alpha = Unit(a);
    return {Unit(r) * alpha, Unit(g) * alpha, Unit(b) * alpha, alpha};
}

PremultipliedColour Modulate(const PremultipliedColour &texel, uint32_t tint)
{
    return Modulate(texel, ColourFromArgb(tint));
}

PremultipliedColour Modulate(const PremultipliedColour &texel, const PremultipliedColour &t)
{
    // Premultiplied tint channels already carry the tint's alpha once; the texel's alpha is
    // inside the texel's channels, so the product is premultiplied by both alphas.
    return {texel.r * t.r, texel.g * t.g, texel.b * t.b, texel.a * t.a};
}

void BlendOver(uint8_t *bgra, const PremultipliedColour &source)
{
    const float sourceAlpha = Unit(source.a);
    if (sourceAlpha <= 0.0f)
        return;
    const float destAlpha = kByteUnits[bgra[3]];
    const float keep = destAlpha * (1.0f - sourceAlpha);
    const float outAlpha = sourceAlpha + keep;
    if (outAlpha <= 0.0f) {
        bgra[0] = bgra[1] = bgra[2] = bgra[3] = 0;
        return;
    }
    float r = source.r + kByteUnits[bgra[2]] * keep;
    float g = source.g + kByteUnits[bgra[1]] * keep;
    float b = source.b + kByteUnits[bgra[0]] * keep;
    // Over an opaque pixel the sum is usually exactly 1, and dividing by it changes nothing.
    if (outAlpha != 1.0f) {
        r /= outAlpha;
        g /= outAlpha;
        b /= outAlpha;
    }
    bgra[0] = ToByte(b);
    bgra[1] = ToByte(g);
    bgra[2] = ToByte(r);
    bgra[3] = ToByte(outAlpha);
}

void ArgbToBgra(uint32_t argb, uint8_t *bgra)
{
    bgra[0] = static_cast<uint8_t>(argb);
    bgra[1] = static_cast<uint8_t>(argb >> 8);
    bgra[2] = static_cast<uint8_t>(argb >> 16);
    bgra[3] = static_cast<uint8_t>(argb >> 24);
}

uint32_t BgraToArgb(const uint8_t *bgra)
{
    return static_cast<uint32_t>(bgra[0]) | static_cast<uint32_t>(bgra[1]) << 8 |
           static_cast<uint32_t>(bgra[2]) << 16 | static_cast<uint32_t>(bgra[3]) << 24;
}
