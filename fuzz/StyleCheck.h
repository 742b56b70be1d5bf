#pragma once
// What a style must hold for the plug-in to draw with it, wherever it came from.
#include "companion/plauditor/Settings.h"

#include <algorithm>
#include <string_view>

struct DrawableRange {
    std::string_view key;
    std::int32_t low, high;
};

// What the plug-in can draw with; other whole-number keys (scrollSpeed, align) take any int.
constexpr DrawableRange kDrawableRanges[] = {
    {"fontSize", 1, 2000},         {"textOpacity", 0, 100},      {"backgroundOpacity", 0, 100},
    {"outlineSize", 0, 100},       {"outlineOpacity", 0, 100},   {"extentWidth", 0, 16384},
    {"extentHeight", 0, 16384},
};

inline bool StyleInRange(const StyleValues &style)
{
    for (std::size_t i = 0; i < kStyleNumberCount; ++i) {
        const std::int32_t value = style.numbers[i];
        if (StyleKindOf(i) == StyleKind::Flag && value != 0 && value != 1)
            return false;
        for (const DrawableRange &range : kDrawableRanges)
            if (range.key == kStyleNumberKeys[i] && (value < range.low || value > range.high))
                return false;
    }
    // The block carries the font between separators, and the plug-in copies 31 units of it.
    const std::u16string &font = style.font;
    const bool unusable = std::any_of(font.begin(), font.end(), [](char16_t c) { return c < 0x20 || c == u'|'; });
    return !font.empty() && font.size() <= 31 && !unusable && !(font.back() >= 0xD800 && font.back() <= 0xDBFF);
}
