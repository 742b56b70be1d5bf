#include "source/TextColours.h"

#include <algorithm>

std::uint32_t AlphaFromOpacity(int percent)
{
    const std::uint32_t p = static_cast<std::uint32_t>(std::clamp(percent, 0, 100));
    return p * 255u / 100u;
}

std::uint32_t WithAlpha(int colour, std::uint32_t alpha)
{
    return (alpha << 24) | (static_cast<std::uint32_t>(colour) & 0x00FFFFFFu);
}

std::uint32_t TextBrushColour(int colour, int textOpacity)
{
    return WithAlpha(colour, AlphaFromOpacity(textOpacity));
}

std::uint32_t BackgroundColour(const BackgroundInput &input)
{
    if (input.backgroundOpacity == 0 && input.scrollSpeed != 0)
        return WithAlpha(input.textColour, 1);
    const bool shown = !input.textEmpty || input.useTextExtents;
    return WithAlpha(input.backgroundColour,
                     shown ? AlphaFromOpacity(input.backgroundOpacity) : 0u);
}

std::uint32_t CombinedOutlinePercent(int outlineOpacity, int textOpacity)
{
    const int outline = std::clamp(outlineOpacity, 0, 100);
    const int text = std::clamp(textOpacity, 0, 100);
    // Left to right in float, as the product was always taken.
    const float product = static_cast<float>(outline) * 0.01f * static_cast<float>(text) *
                          0.01f * 100.0f;
    return static_cast<std::uint32_t>(static_cast<int>(product));
}

std::uint32_t OutlinePenColour(int outlineColour, int outlineOpacity, int textOpacity)
{
    const std::uint32_t percent = CombinedOutlinePercent(outlineOpacity, textOpacity);
    return WithAlpha(outlineColour, percent * 255u / 100u);
}
