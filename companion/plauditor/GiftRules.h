#pragma once
// Which gifts get a line and how: combos merged into one line, gifts with their own line and
// minimum, lines that leave the screen. Every default behaves as a file without these keys.
#include <nlohmann/json_fwd.hpp>

#include <cstdint>
#include <map>
#include <string>
#include <vector>

struct GiftLineRule {
    std::u16string lineTemplate;  // empty: the default template
    std::uint64_t minCount = 0;   // 0: the global minimum

    bool operator==(const GiftLineRule &) const = default;
};

struct GiftRules {
    std::int64_t comboMilliseconds = 0;  // 0: every event is its own line
    std::int64_t lineMilliseconds = 0;   // 0: lines stay until pushed out
    std::uint64_t minCount = 1;          // events with fewer gifts are counted, not shown
    std::map<std::u16string, GiftLineRule> gifts;  // gift name -> its own line and minimum

    bool operator==(const GiftRules &) const = default;
};

inline constexpr double kMaxComboSeconds = 600;
inline constexpr double kMaxLineSeconds = 86400;

// One top-level key of Plauditor.json read into rules: false when key is not a rules key.
// Unusable values keep their default and out-of-range ones are clamped, each with a warning.
bool ReadGiftRuleSetting(const std::string &key, const nlohmann::json &value, GiftRules &rules,
                         std::vector<std::string> &warnings);

// The rules as Plauditor.json holds them: {"comboSeconds", "lineSeconds", "minCount", "gifts"}.
nlohmann::ordered_json GiftRulesJson(const GiftRules &rules);
