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

// One style number checked as strictly as the settings file checks it, without clamping.
std::optional<std::int32_t> StyleNumber(const StyleValue &rule, const Json &value, std::string &fault)
{
    switch (rule.kind) {
    case StyleKind::Colour:
        if (value.is_string()) {
            if (const auto colour = ParseColour(value.get_ref<const std::string &>()))
                return colour;
        } else if (const auto number = WholeJsonNumber(value); number && *number >= rule.low && *number <= rule.high) {
            return static_cast<std::int32_t>(static_cast<std::uint32_t>(*number));
        }
        fault = "not a colour (\"#RRGGBB\", \"#AARRGGBB\" or \"0xAARRGGBB\"): " + BriefJson(value);
        return std::nullopt;
    case StyleKind::Flag:
        if (value.is_boolean())
            return value.get<bool>() ? 1 : 0;
        if (const auto number = WholeJsonNumber(value))
            return *number != 0 ? 1 : 0;
        fault = "not true or false: " + BriefJson(value);
        return std::nullopt;
    case StyleKind::Integer:
        break;
    }
    const auto number = WholeJsonNumber(value);
    if (!number) {
        fault = "not a whole number: " + BriefJson(value);
        return std::nullopt;
    }
    if (*number < rule.low || *number > rule.high) {
        fault = std::to_string(*number) + " is outside " + std::to_string(rule.low) + " to " +
                std::to_string(rule.high);
        return std::nullopt;
    }
    return static_cast<std::int32_t>(*number);
}

// A copy of current with each member of the body applied by apply(key, value, copy), which
// returns the fault ("" when taken). The first fault refuses the whole body.
template <typename Value, typename Apply>
std::optional<Value> EditedCopy(std::string_view utf8Body, const Value &current, std::string &error, Apply apply)
{
    const auto body = BodyObject(utf8Body, error);
    if (!body)
        return std::nullopt;
    Value edited = current;
    for (const auto &[key, value] : body->items()) {
        error = apply(key, value, edited);
        if (!error.empty())
            return std::nullopt;
    }
    return edited;
}

// One member of a style body: applied to style, or the fault.
std::string ApplyStyleKey(const std::string &key, const Json &value, StyleValues &style)
{
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
    } else if (const auto index = StyleValueIndex(key)) {
        if (const auto number = StyleNumber(kStyleValues[*index], value, fault))
            style.numbers[*index] = *number;
    } else {
        return "style." + key + ": unknown key";
    }
    return fault.empty() ? fault : "style." + key + ": " + fault;
}

// One member of a rules body: applied to rules, or the fault.
std::string ApplyRulesKey(const std::string &key, const Json &value, GiftRules &rules)
{
    // The settings file's reader warns about every value it would not take as it is.
    std::vector<std::string> faults;
    if (!ReadGiftRuleSetting(key, value, rules, faults))
        return key + ": unknown key";
    return faults.empty() ? std::string() : faults.front();
}

} // namespace

StyleEdit ParseStyleBody(std::string_view utf8Body, const StyleValues &current)
{
    StyleEdit edit;
    edit.style = EditedCopy(utf8Body, current, edit.error, ApplyStyleKey);
    return edit;
}

RulesEdit ParseRulesBody(std::string_view utf8Body, const GiftRules &current)
{
    RulesEdit edit;
    edit.rules = EditedCopy(utf8Body, current, edit.error, ApplyRulesKey);
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
