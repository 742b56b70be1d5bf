#include "companion/plauditor/SettingsEdits.h"

#include "companion/plauditor/BoundedJson.h"
#include "companion/plauditor/Utf.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <cmath>

namespace {

using Json = nlohmann::json;
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// The body as a JSON object, or the reason it is not one.
std::optional<Json> BodyObject(std::string_view body, std::string &error)
{
    JsonFault fault;
    auto root = ParseBoundedJson(body, fault);
    if (!root)
        error = JsonFaultReason(fault);
    else if (!root->is_object())
        error = "the body is not a JSON object";
    return root && root->is_object() ? std::move(root) : std::nullopt;
}

std::optional<std::int64_t> WholeNumber(const Json &value)
{
    if (value.is_number_unsigned())
        return static_cast<std::int64_t>(std::min<std::uint64_t>(value.get<std::uint64_t>(), 1ull << 40));
    if (value.is_number_integer())
        return value.get<std::int64_t>();
    if (value.is_number_float()) {
        const double number = value.get<double>();
        if (std::isfinite(number) && std::fabs(number) < 1e12 && std::trunc(number) == number)
            return static_cast<std::int64_t>(number);
    }
    return std::nullopt;
}

// One style number checked as strictly as the settings file checks it, without clamping.
std::optional<std::int32_t> StyleNumber(std::size_t index, const Json &value, std::string &fault)
{
    const StyleRange range = StyleRangeOf(index);
    switch (StyleKindOf(index)) {
    case StyleKind::Colour:
        if (value.is_string()) {
            if (const auto colour = ParseColour(value.get_ref<const std::string &>()))
                return colour;
        } else if (const auto number = WholeNumber(value); number && *number >= range.low && *number <= range.high) {
            return static_cast<std::int32_t>(static_cast<std::uint32_t>(*number));
        }
        fault = "not a colour (\"#RRGGBB\", \"#AARRGGBB\" or \"0xAARRGGBB\"): " + BriefJson(value);
        return std::nullopt;
    case StyleKind::Flag:
        if (value.is_boolean())
            return value.get<bool>() ? 1 : 0;
        if (const auto number = WholeNumber(value))
            return *number != 0 ? 1 : 0;
        fault = "not true or false: " + BriefJson(value);
        return std::nullopt;
    case StyleKind::Integer:
        break;
    }
    const auto number = WholeNumber(value);
    if (!number) {
        fault = "not a whole number: " + BriefJson(value);
        return std::nullopt;
    }
    if (*number < range.low || *number > range.high) {
        fault = std::to_string(*number) + " is outside " + std::to_string(range.low) + " to " +
                std::to_string(range.high);
        return std::nullopt;
    }
    return static_cast<std::int32_t>(*number);
}

} // namespace

StyleEdit ParseStyleBody(std::string_view utf8Body, const StyleValues &current)
{
    StyleEdit edit;
    const auto body = BodyObject(utf8Body, edit.error);
    if (!body)
        return edit;
    StyleValues style = current;
    for (const auto &[key, value] : body->items()) {
        std::string fault;
        if (key == "font") {
            const std::u16string font = value.is_string() ? Utf8ToUtf16(value.get_ref<const std::string &>()) : u"";
            if (!value.is_string())
                fault = "not text: " + BriefJson(value);
            else if (!IsUsableFontName(font))
                fault = "empty, or holds \"|\" or control characters";
            else if (font.size() > kMaxFontUnits)
                fault = "longer than " + std::to_string(kMaxFontUnits) + " characters";
            else
                style.font = font;
        } else {
            const auto *known = std::find(std::begin(kStyleNumberKeys), std::end(kStyleNumberKeys), key);
            if (known == std::end(kStyleNumberKeys)) {
                edit.error = "style." + key + ": unknown key";
                return edit;
            }
            const auto index = static_cast<std::size_t>(known - std::begin(kStyleNumberKeys));
            if (const auto number = StyleNumber(index, value, fault))
                style.numbers[index] = *number;
        }
        if (!fault.empty()) {
            edit.error = "style." + key + ": " + fault;
            return edit;
        }
    }
    edit.style = std::move(style);
    return edit;
}

RulesEdit ParseRulesBody(std::string_view utf8Body, const GiftRules &current)
{
    RulesEdit edit;
    const auto body = BodyObject(utf8Body, edit.error);
    if (!body)
        return edit;
    GiftRules rules = current;
    for (const auto &[key, value] : body->items()) {
        // The settings file's reader warns about every value it would not take as it is.
        std::vector<std::string> faults;
        if (!ReadGiftRuleSetting(key, value, rules, faults)) {
            edit.error = key + ": unknown key";
            return edit;
        }
        if (!faults.empty()) {
            edit.error = faults.front();
            return edit;
        }
    }
    edit.rules = std::move(rules);
    return edit;
}

std::optional<std::string> SettingsTextWith(const std::optional<std::string> &oldText, const StyleValues *style,
                                            const GiftRules *rules, std::string &error)
{
    std::string_view text = oldText ? std::string_view(*oldText) : std::string_view("{}");
    const bool marked = text.substr(0, kByteOrderMark.size()) == kByteOrderMark;
    if (marked)
        text.remove_prefix(kByteOrderMark.size());
    // Checked for depth first: the file is written back, and writing recurses on its nesting.
    JsonFault fault;
    const bool bounded = ParseBoundedJson(text, fault).has_value();
    nlohmann::ordered_json root = bounded ? nlohmann::ordered_json::parse(text, nullptr, false) : nullptr;
    if (!bounded || root.is_discarded() || !root.is_object()) {
        error = "Plauditor.json is not a JSON object; fix or remove it first, it was left as it is";
        return std::nullopt;
    }
    if (style) {
        if (!root["style"].is_object())
            root["style"] = nlohmann::ordered_json::object();
        const nlohmann::ordered_json values = StyleJson(*style);
        for (const auto &[key, value] : values.items())
            root["style"][key] = value;
    }
    if (rules) {
        const nlohmann::ordered_json values = GiftRulesJson(*rules);
        for (const auto &[key, value] : values.items())
            root[key] = value;
    }
    return std::string(marked ? kByteOrderMark : "") +
           root.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace) + "\n";
}
