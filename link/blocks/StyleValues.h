#pragma once
// The style values a style block carries after its font, in block order. The plug-in's reader
// writes them under these setting keys; the companion reads, clamps and writes them under the
// same keys in Plauditor.json and its page; the diagnostics list them. A new value is one new
// row here (and its field and setting in the source).
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

// How a value is written in Plauditor.json: a number, a "#AARRGGBB" colour, or true/false.
enum class StyleKind { Integer, Colour, Flag };

struct StyleValue {
    std::string_view name;       // the setting key
    StyleKind kind;
    std::int32_t byDefault;      // the plug-in's own default
    std::int64_t low, high;      // what the companion clamps an integer to
    bool fraction = false;       // the source keeps it as a fraction; the block carries whole ones
};

namespace style_rows {
// Colours and flags take any 32-bit value, as signed or unsigned.
inline constexpr std::int64_t kAnyBitsLow = -2147483648ll, kAnyBitsHigh = 4294967295ll;
// Speeds and alignments mean something to the source at any size; this keeps them sane.
inline constexpr std::int64_t kAny = 1'000'000;
inline constexpr std::int32_t kOpaqueBlack = static_cast<std::int32_t>(0xFF000000u);

constexpr StyleValue Whole(std::string_view name, std::int32_t byDefault, std::int64_t low, std::int64_t high)
{
    return {name, StyleKind::Integer, byDefault, low, high};
}
constexpr StyleValue Size(std::string_view name, std::int32_t byDefault, std::int64_t low, std::int64_t high)
{
    return {name, StyleKind::Integer, byDefault, low, high, true};
}
constexpr StyleValue Colour(std::string_view name, std::int32_t byDefault)
{
    return {name, StyleKind::Colour, byDefault, kAnyBitsLow, kAnyBitsHigh};
}
constexpr StyleValue Flag(std::string_view name) { return {name, StyleKind::Flag, 0, kAnyBitsLow, kAnyBitsHigh}; }
} // namespace style_rows

inline constexpr StyleValue kStyleValues[] = {
    style_rows::Whole("fontSize", 48, 1, 2000),
    style_rows::Colour("color", -1),
    style_rows::Whole("textOpacity", 100, 0, 100),
    style_rows::Whole("scrollSpeed", 0, -style_rows::kAny, style_rows::kAny),
    style_rows::Colour("backgroundColor", style_rows::kOpaqueBlack),
    style_rows::Whole("backgroundOpacity", 0, 0, 100),
    style_rows::Flag("bold"),
    style_rows::Flag("italic"),
    style_rows::Flag("underline"),
    style_rows::Flag("vertical"),
    style_rows::Flag("pointFiltering"),
    style_rows::Flag("useOutline"),
    style_rows::Colour("outlineColor", style_rows::kOpaqueBlack),
    style_rows::Size("outlineSize", 2, 0, 100),
    style_rows::Whole("outlineOpacity", 100, 0, 100),
    style_rows::Flag("useTextExtents"),
    style_rows::Whole("extentWidth", 0, 0, 16384),
    style_rows::Whole("extentHeight", 0, 0, 16384),
    style_rows::Flag("wrap"),
    style_rows::Flag("scrollMode"),
    style_rows::Whole("align", 0, -style_rows::kAny, style_rows::kAny),
};

inline constexpr std::size_t kStyleNumberCount = sizeof kStyleValues / sizeof kStyleValues[0];

// The row of a setting key; nothing for a key that is not a style value.
constexpr std::optional<std::size_t> StyleValueIndex(std::string_view name)
{
    for (std::size_t i = 0; i < kStyleNumberCount; ++i)
        if (kStyleValues[i].name == name)
            return i;
    return std::nullopt;
}
