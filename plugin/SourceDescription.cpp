#include "plugin/SourceDescription.h"
#include "link/blocks/StyleValues.h"
#include "source/TextOutputSource.h"

#include <array>
#include <cstdio>

namespace {

std::string JsonText(const String &text)
{
    std::string out = "\"";
    char *utf8 = text.CreateUTF8String();
    for (const char *c = utf8 ? utf8 : ""; *c; ++c) {
        const auto byte = static_cast<unsigned char>(*c);
        if (byte == '"' || byte == '\\') {
            out += '\\';
            out += static_cast<char>(byte);
        } else if (byte < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", byte);
            out += escaped;
        } else {
            out += static_cast<char>(byte);
        }
    }
    if (utf8)
        Free(utf8);
    return out + "\"";
}

std::string Colour(int argb)
{
    char text[16];
    std::snprintf(text, sizeof text, "\"0x%08X\"", static_cast<unsigned>(argb));
    return text;
}

std::string Number(double value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%g", value);
    return text;
}

template <typename... Fields>
std::array<double, sizeof...(Fields)> Values(Fields... fields)
{
    return {static_cast<double>(fields)...};
}

std::string StyleValueText(const StyleValue &row, double value)
{
    if (row.kind == StyleKind::Colour)
        return Colour(static_cast<int>(value));
    return row.fraction ? Number(value) : std::to_string(static_cast<long long>(value));
}

} // namespace

std::string EffectiveSettingsJson(const TextOutputSource &s)
{
    // The source's fields for the style values, in the order of kStyleValues.
    const auto style = Values(s.fontSize, s.color, s.textOpacity, s.scrollSpeed, s.backgroundColor,
                              s.backgroundOpacity, s.bold, s.italic, s.underline, s.vertical, s.pointFiltering,
                              s.useOutline, s.outlineColor, s.outlineSize, s.outlineOpacity, s.useTextExtents,
                              s.extentWidth, s.extentHeight, s.wrap, s.scrollMode, s.align);
    static_assert(style.size() == kStyleNumberCount);
    std::string json = "{\"font\": " + JsonText(s.fontName);
    const auto member = [&json](std::string_view key, const std::string &value) {
        json += ", \"" + std::string(key) + "\": " + value;
    };
    for (std::size_t i = 0; i < kStyleNumberCount; ++i)
        member(kStyleValues[i].name, StyleValueText(kStyleValues[i], style[i]));
    member("mode", std::to_string(s.mode));
    member("file", JsonText(s.filePath));
    member("baseSizeCX", Number(s.baseSizeCX));
    member("baseSizeCY", Number(s.baseSizeCY));
    member("drawOpacity", std::to_string(s.drawOpacity));
    return json + "}";
}
