#include "companion/plauditor/GiftRules.h"

#include "companion/plauditor/BoundedJson.h"
#include "companion/plauditor/ThankYouLine.h"
#include "companion/plauditor/Utf.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <cmath>
#include <optional>

namespace {

using Json = nlohmann::json;

std::optional<std::int64_t> Milliseconds(const Json &value, double maxSeconds, const std::string &key,
                                         std::vector<std::string> &warnings)
{
    if (!value.is_number())
        return std::nullopt;
    const double seconds = value.get<double>();
    if (!std::isfinite(seconds))
        return std::nullopt;
    const double clamped = std::clamp(seconds, 0.0, maxSeconds);
    if (clamped != seconds)
        warnings.push_back(key + " " + BriefJson(value) + " clamped to " + Json(clamped).dump());
    return static_cast<std::int64_t>(std::llround(clamped * 1000));
}

// A whole number of gifts, at least one.
std::optional<std::uint64_t> Count(const Json &value)
{
    if (value.is_number_unsigned() && value.get<std::uint64_t>() >= 1)
        return value.get<std::uint64_t>();
    if (value.is_number_integer() && value.get<std::int64_t>() >= 1)
        return static_cast<std::uint64_t>(value.get<std::int64_t>());
    return std::nullopt;
}

void ReadGiftTable(const Json &table, GiftRules &rules, std::vector<std::string> &warnings)
{
    for (const auto &[gift, rule] : table.items()) {
        const std::string where = "gifts." + gift;
        const std::u16string name = SanitiseLineText(Utf8ToUtf16(gift));
        if (name.empty() || !rule.is_object()) {
            warnings.push_back(where + " is not a gift name with an object; ignored");
            continue;
        }
        GiftLineRule line;
        for (const auto &[key, value] : rule.items()) {
            if (key == "template") {
                const std::u16string text = value.is_string() ? Utf8ToUtf16(value.get_ref<const std::string &>())
                                                              : std::u16string();
                if (!SanitiseLineText(text).empty())
                    line.lineTemplate = text;
                else
                    warnings.push_back(where + ".template has an unusable value " + BriefJson(value) +
                                       "; the default template kept");
            } else if (key == "minCount") {
                if (const auto count = Count(value))
                    line.minCount = *count;
                else
                    warnings.push_back(where + ".minCount has an unusable value " + BriefJson(value) +
                                       "; the global minimum kept");
            } else {
                warnings.push_back("unknown key " + where + "." + key);
            }
        }
        rules.gifts[name] = std::move(line);
    }
}

} // namespace

bool ReadGiftRuleSetting(const std::string &key, const Json &value, GiftRules &rules,
                         std::vector<std::string> &warnings)
{
    const auto unusable = [&] { warnings.push_back(key + " has an unusable value " + BriefJson(value) + "; default kept"); };
    if (key == "comboSeconds" || key == "lineSeconds") {
        const bool combo = key == "comboSeconds";
        if (const auto ms = Milliseconds(value, combo ? kMaxComboSeconds : kMaxLineSeconds, key, warnings))
            (combo ? rules.comboMilliseconds : rules.lineMilliseconds) = *ms;
        else
            unusable();
    } else if (key == "minCount") {
        if (const auto count = Count(value))
            rules.minCount = *count;
        else
            unusable();
    } else if (key == "gifts") {
        if (value.is_object()) {
            rules.gifts.clear();
            ReadGiftTable(value, rules, warnings);
        }
        else
            unusable();
    } else {
        return false;
    }
    return true;
}

nlohmann::ordered_json GiftRulesJson(const GiftRules &rules)
{
    nlohmann::ordered_json gifts = nlohmann::ordered_json::object();
    for (const auto &[name, rule] : rules.gifts) {
        nlohmann::ordered_json entry = nlohmann::ordered_json::object();
        if (rule.minCount > 0)
            entry["minCount"] = rule.minCount;
        if (!rule.lineTemplate.empty())
            entry["template"] = Utf16ToUtf8(rule.lineTemplate);
        gifts[Utf16ToUtf8(name)] = entry;
    }
    return {{"comboSeconds", rules.comboMilliseconds / 1000.0},
            {"lineSeconds", rules.lineMilliseconds / 1000.0},
            {"minCount", rules.minCount},
            {"gifts", gifts}};
}
