#pragma once
// What a style must hold for the plug-in to draw with it, wherever it came from.
#include "companion/plauditor/Settings.h"

// Every number within the range the companion clamps it to, flags 0 or 1, and a font the
// block can carry between separators and the plug-in copies whole (31 units, no half of a
// surrogate pair at the end).
inline bool StyleInRange(const StyleValues &style)
{
    for (std::size_t i = 0; i < kStyleNumberCount; ++i) {
        const StyleValue &row = kStyleValues[i];
        const std::int32_t value = style.numbers[i];
        if (row.kind == StyleKind::Flag && value != 0 && value != 1)
            return false;
        if (row.kind == StyleKind::Integer && (value < row.low || value > row.high))
            return false;
    }
    const std::u16string &font = style.font;
    return IsUsableFontName(font) && font.size() <= kMaxFontUnits && !(font.back() >= 0xD800 && font.back() <= 0xDBFF);
}
