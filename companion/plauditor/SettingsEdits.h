#pragma once
// Changes made from the page: a style or gift rules posted as JSON, checked strictly (one
// fault refuses the whole body, so nothing half-applied reaches the screen), and the text of
// Plauditor.json with them written in. Portable (no Windows header), so the parsers can be
// fuzzed natively.
#include "companion/plauditor/Settings.h"

#include <optional>
#include <string>
#include <string_view>

// POST /style: an object of style keys as Plauditor.json writes them; keys left out keep
// their value in current. Nothing, with a reason naming the key and the fault, when any key
// is unknown, of the wrong kind or out of the range the settings file clamps to.
struct StyleEdit {
    std::optional<StyleValues> style;
    std::string error;
};
StyleEdit ParseStyleBody(std::string_view utf8Body, const StyleValues &current);

// POST /rules: {"comboSeconds", "lineSeconds", "minCount", "gifts"}, as in Plauditor.json;
// keys left out keep their value in current, "gifts" replaces the whole table.
struct RulesEdit {
    std::optional<GiftRules> rules;
    std::string error;
};
RulesEdit ParseRulesBody(std::string_view utf8Body, const GiftRules &current);

// The settings file's new text: its old text (nothing: no file yet) with the style and/or the
// rules written in, every other key kept as it was, including keys this program does not
// know. Nothing, with a reason, when the old text is not a JSON object: a file the user is
// halfway through editing is not overwritten.
std::optional<std::string> SettingsTextWith(const std::optional<std::string> &oldText, const StyleValues *style,
                                            const GiftRules *rules, std::string &error);
