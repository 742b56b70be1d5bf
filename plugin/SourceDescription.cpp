#include "plugin/SourceDescription.h"
#include "source/TextOutputSource.h"

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

} // namespace

std::string EffectiveSettingsJson(const TextOutputSource &s)
{
    const std::pair<const char *, std::string> members[] = {
        {"font", JsonText(s.fontName)},
        {"fontSize", std::to_string(s.fontSize)},
        {"color", Colour(s.color)},
        {"textOpacity", std::to_string(s.textOpacity)},
        {"scrollSpeed", std::to_string(s.scrollSpeed)},
        {"bold", std::to_string(s.bold)},
        {"italic", std::to_string(s.italic)},
        {"underline", std::to_string(s.underline)},
        {"vertical", std::to_string(s.vertical)},
        {"backgroundColor", Colour(s.backgroundColor)},
        {"backgroundOpacity", std::to_string(s.backgroundOpacity)},
        {"useOutline", std::to_string(s.useOutline)},
        {"outlineSize", Number(s.outlineSize)},
        {"outlineColor", Colour(s.outlineColor)},
        {"outlineOpacity", std::to_string(s.outlineOpacity)},
        {"useTextExtents", std::to_string(s.useTextExtents)},
        {"extentWidth", std::to_string(s.extentWidth)},
        {"extentHeight", std::to_string(s.extentHeight)},
        {"wrap", std::to_string(s.wrap)},
        {"scrollMode", std::to_string(s.scrollMode)},
        {"align", std::to_string(s.align)},
        {"mode", std::to_string(s.mode)},
        {"file", JsonText(s.filePath)},
        {"pointFiltering", std::to_string(s.pointFiltering)},
        {"baseSizeCX", Number(s.baseSizeCX)},
        {"baseSizeCY", Number(s.baseSizeCY)},
        {"drawOpacity", std::to_string(s.drawOpacity)},
    };
    std::string json = "{";
    for (const auto &[key, value] : members) {
        if (json.size() > 1)
            json += ", ";
        json += std::string("\"") + key + "\": " + value;
    }
    return json + "}";
}
