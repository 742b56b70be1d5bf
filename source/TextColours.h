#pragma once
#include <cstdint>
// Colours of the rasterised text, as GDI+ ARGB values (alpha in bits 24..31). Settings keep
// a colour's RGB part apart from an opacity in percent. Pure functions.

// p*255/100 in unsigned 32-bit arithmetic, truncating. The percent is first held to
// 0..100: outside it the byte would wrap (101% would be nearly transparent).
std::uint32_t AlphaFromOpacity(int percent);

// The RGB of `colour` (0xAARRGGBB; its alpha is ignored) under `alpha`.
std::uint32_t WithAlpha(int colour, std::uint32_t alpha);

std::uint32_t TextBrushColour(int colour, int textOpacity);

struct BackgroundInput {
    int backgroundColour = 0;
    int backgroundOpacity = 0;
    int textColour = 0;
    int scrollSpeed = 0;
    bool textEmpty = false;
    bool useTextExtents = false;
};

// A scrolling source with no background keeps an alpha-1 wash of the text colour, so the
// texture is never fully transparent; empty text without extents shows no background.
std::uint32_t BackgroundColour(const BackgroundInput &input);

// The outline's opacity in percent: the product of outline and text opacity, truncated,
// computed in single precision.
std::uint32_t CombinedOutlinePercent(int outlineOpacity, int textOpacity);

std::uint32_t OutlinePenColour(int outlineColour, int outlineOpacity, int textOpacity);
