#include "companion/plauditor/Settings.h"

#include "companion/plauditor/BoundedJson.h"
#include "companion/plauditor/HttpPorts.h"
#include "companion/plauditor/Utf.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

using Json = nlohmann::json;

constexpr char16_t kDefaultFont[] = u"Arial";

std::optional<std::int32_t> ColourValue(const Json &value)
{
    if (value.is_string())
        return ParseColour(value.get_ref<const std::string &>());
    const auto number = WholeJsonNumber(value);
    if (number && *number >= -2147483648ll && *number <= 4294967295ll)
        return static_cast<std::int32_t>(static_cast<std::uint32_t>(*number));
    return std::nullopt;
}

std::optional<std::int32_t> StyleNumber(const Json &value, const StyleValue &rule, std::vector<std::string> &warnings)
{
    if (rule.kind == StyleKind::Colour)
        return ColourValue(value);
    if (rule.kind == StyleKind::Flag && value.is_boolean())
        return value.get<bool>() ? 1 : 0;
    // The block carries whole sizes only.
    const bool rounded = rule.fraction && value.is_number_float() && std::isfinite(value.get<double>()) &&
                         std::fabs(value.get<double>()) < 1e12;
    const auto number = rounded ? std::optional<std::int64_t>(std::llround(value.get<double>())) : WholeJsonNumber(value);
    if (!number)
        return std::nullopt;
    if (rule.kind == StyleKind::Flag)
        return *number != 0 ? 1 : 0;
    const std::int64_t clamped = std::clamp(*number, rule.low, rule.high);
    if (clamped != *number)
        warnings.push_back("style." + std::string(rule.name) + " " + std::to_string(*number) + " clamped to " +
                           std::to_string(clamped));
    return static_cast<std::int32_t>(clamped);
}

std::u16string FontName(const Json &value, std::vector<std::string> &warnings)
{
    if (!value.is_string()) {
        warnings.push_back("style.font is not text; using Arial");
        return kDefaultFont;
    }
    std::u16string font = Utf8ToUtf16(value.get_ref<const std::string &>());
    if (!IsUsableFontName(font)) {
        warnings.push_back("style.font is empty or holds '|' or control characters; using Arial");
        return kDefaultFont;
    }
    if (font.size() > kMaxFontUnits) {
        warnings.push_back("style.font is longer than 31 characters; cut");
        font.resize(kMaxFontUnits);
        if (font.back() >= 0xD800 && font.back() <= 0xDBFF)
            font.pop_back();
    }
    return font;
}

void ReadStyle(const Json &style, StyleValues &values, std::vector<std::string> &warnings)
{
    for (const auto &[key, value] : style.items()) {
        if (key == "font") {
            values.font = FontName(value, warnings);
            continue;
        }
        const auto index = StyleValueIndex(key);
        if (!index) {
            warnings.push_back("unknown key style." + key);
            continue;
        }
        if (const auto number = StyleNumber(value, kStyleValues[*index], warnings))
            values.numbers[*index] = *number;
        else
            warnings.push_back("style." + key + " has an unusable value " + BriefJson(value) + "; kept " +
                               std::to_string(values.numbers[*index]));
    }
}

std::optional<std::u16string> TextValue(const Json &value) {
    if (!value.is_string())
        return std::nullopt;
    return Utf8ToUtf16(value.get_ref<const std::string &>());
}

// The HTTP port is for this machine only, whatever the file asks.
bool IsLoopbackName(const std::string &host) { return host == "127.0.0.1" || host == "localhost"; }

std::optional<std::uint16_t> PortNumber(const Json &value)
{
    const auto port = WholeJsonNumber(value);
    if (port && *port >= 0 && *port <= 65535)
        return static_cast<std::uint16_t>(*port);
    return std::nullopt;
}

void ReadScenePorts(const Json &ports, PlauditorSettings &settings, std::vector<std::string> &warnings)
{
    for (const auto &[scene, value] : ports.items()) {
        const auto guid = CanonicalGuid(Utf8ToUtf16(scene));
        if (!guid) {
            warnings.push_back("httpScenePorts key " + BriefJson(scene) + " is not a scene id; ignored");
            continue;
        }
        const auto port = PortNumber(value);
        if (port && *port > 0)
            settings.httpScenePorts[*guid] = *port;
        else
            warnings.push_back("httpScenePorts." + scene + " has an unusable value " + BriefJson(value) + "; ignored");
    }
}

} // namespace

std::optional<std::int64_t> WholeJsonNumber(const nlohmann::json &value)
{
    if (value.is_number_integer())
        return value.is_number_unsigned()
                   ? static_cast<std::int64_t>(std::min<std::uint64_t>(value.get<std::uint64_t>(), 1ull << 40))
                   : value.get<std::int64_t>();
    // A fraction is refused, not rounded: 0.5 is no port and 64.5 no number of lines.
    if (value.is_number_float()) {
        const double number = value.get<double>();
        if (std::isfinite(number) && std::fabs(number) < 1e12 && std::trunc(number) == number)
            return static_cast<std::int64_t>(number);
    }
    return std::nullopt;
}

bool IsUsableFontName(std::u16string_view font)
{
    return !font.empty() && std::none_of(font.begin(), font.end(), [](char16_t c) { return c == u'|' || c < 0x20; });
}

StyleValues DefaultStyle()
{
    StyleValues style;
    style.font = kDefaultFont;
    for (std::size_t i = 0; i < kStyleNumberCount; ++i)
        style.numbers[i] = kStyleValues[i].byDefault;
    return style;
}

nlohmann::ordered_json StyleJson(const StyleValues &style)
{
    nlohmann::ordered_json json;
    json["font"] = Utf16ToUtf8(style.font);
    for (std::size_t i = 0; i < kStyleNumberCount; ++i) {
        const std::int32_t value = style.numbers[i];
        const std::string key(kStyleValues[i].name);
        switch (kStyleValues[i].kind) {
        case StyleKind::Colour: {
            char text[16];
            std::snprintf(text, sizeof text, "#%08X", static_cast<unsigned>(value));
            json[key] = text;
            break;
        }
        case StyleKind::Flag:
            json[key] = value != 0;
            break;
        case StyleKind::Integer:
            json[key] = value;
            break;
        }
    }
    return json;
}

std::optional<std::int32_t> ParseColour(std::string_view text)
{
    std::size_t digitsAt = 0;
    if (text.substr(0, 1) == "#")
        digitsAt = 1;
    else if (text.substr(0, 2) == "0x" || text.substr(0, 2) == "0X")
        digitsAt = 2;
    else
        return std::nullopt;
    const std::string_view digits = text.substr(digitsAt);
    const bool rgbOnly = digitsAt == 1 && digits.size() == 6;
    if (!rgbOnly && digits.size() != 8)
        return std::nullopt;
    std::uint32_t value = 0;
    for (const char c : digits) {
        const int digit = c >= '0' && c <= '9' ? c - '0'
                          : c >= 'a' && c <= 'f' ? c - 'a' + 10
                          : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                                 : -1;
        if (digit < 0)
            return std::nullopt;
        value = (value << 4) | static_cast<std::uint32_t>(digit);
    }
    if (rgbOnly)
        value |= 0xFF000000u;
    return static_cast<std::int32_t>(value);
}

std::optional<PlauditorSettings> ParseSettings(std::string_view utf8Json, std::vector<std::string> &warnings,
                                               std::string &error)
{
    if (utf8Json.substr(0, 3) == "\xEF\xBB\xBF")
        utf8Json.remove_prefix(3);
    JsonFault fault;
    const auto parsed = ParseBoundedJson(utf8Json, fault);
    if (fault.kind == JsonFault::Kind::TooDeep || fault.kind == JsonFault::Kind::NumberTooLarge) {
        error = "settings refused: " + JsonFaultReason(fault);
        return std::nullopt;
    }
    if (!parsed || !parsed->is_object()) {
        error = "settings are not a JSON object";
        return std::nullopt;
    }
    const Json &root = *parsed;

    PlauditorSettings settings;
    for (const auto &[key, value] : root.items()) {
        const auto unusable = [&warnings, &key = key, &value = value] { warnings.push_back(key + " has an unusable value " + BriefJson(value) + "; default kept"); };
        if (key == "style") {
            if (value.is_object())
                ReadStyle(value, settings.style, warnings);
            else
                unusable();
        } else if (key == "eventsFile") {
            const auto text = TextValue(value);
            if (text && !text->empty())
                settings.eventsFile = *text;
            else
                unusable();
        } else if (key == "listenPort" || key == "httpPort") {
            if (const auto port = PortNumber(value))
                (key == "listenPort" ? settings.listenPort : settings.httpPort) = *port;
            else
                unusable();
        } else if (key == "httpScenePorts") {
            if (value.is_object())
                ReadScenePorts(value, settings, warnings);
            else
                unusable();
        } else if (key == "httpBind") {
            if (!value.is_string() || !IsLoopbackName(value.get_ref<const std::string &>()))
                warnings.push_back("httpBind " + BriefJson(value) +
                                   " refused: the HTTP port listens on 127.0.0.1 only");
        } else if (key == "template") {
            const auto text = TextValue(value);
            if (text && !SanitiseLineText(*text).empty())
                settings.lineTemplate = *text;
            else
                unusable();
        } else if (key == "recentLines") {
            const auto count = WholeJsonNumber(value);
            if (count && *count >= 1) {
                settings.recentLines = static_cast<std::size_t>(std::min<std::int64_t>(*count, kMaxRecentLines));
                if (*count > static_cast<std::int64_t>(kMaxRecentLines))
                    warnings.push_back("recentLines " + std::to_string(*count) + " clamped to " +
                                       std::to_string(kMaxRecentLines));
            } else {
                unusable();
            }
        } else if (key == "anonymousUser" || key == "unnamedGift") {
            const auto text = TextValue(value);
            std::u16string &target = key == "anonymousUser" ? settings.placeholders.user : settings.placeholders.gift;
            if (text && !SanitiseLineText(*text).empty())
                target = *text;
            else
                unusable();
        } else if (!ReadGiftRuleSetting(key, value, settings.rules, warnings)) {
            warnings.push_back("unknown key " + key);
        }
    }
    return settings;
}
