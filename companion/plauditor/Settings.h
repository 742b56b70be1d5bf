#pragma once
// Plauditor.json: where events come from, how a thank-you line reads, how many stay shown,
// and the style handed to the plug-in.
#include "companion/blockwriter/BlockFormat.h"
#include "companion/plauditor/GiftRules.h"
#include "companion/plauditor/ThankYouLine.h"

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The plug-in copies at most this many units of a face name.
inline constexpr std::size_t kMaxFontUnits = 31;
// Not empty, no "|" (the block's separator) and no control characters.
bool IsUsableFontName(std::u16string_view font);

struct StyleValues {
    std::u16string font;
    StyleNumbers numbers{};

    bool operator==(const StyleValues &) const = default;
};

// The plug-in's own defaults, so an empty settings file changes nothing on screen.
StyleValues DefaultStyle();

inline constexpr std::size_t kMaxRecentLines = 64;

struct PlauditorSettings {
    std::u16string eventsFile = u"events.jsonl";  // relative paths: beside the program
    std::uint16_t listenPort = 0;                 // 0: no socket
    std::uint16_t httpPort = 0;                   // first port tried for HTTP; 0: no HTTP
    std::map<std::u16string, std::uint16_t> httpScenePorts;  // scene id -> its own HTTP port
    std::u16string lineTemplate = kDefaultLineTemplate;
    std::size_t recentLines = 3;
    NamePlaceholders placeholders;
    StyleValues style = DefaultStyle();
    GiftRules rules;
};

// Settings from the file's UTF-8 JSON text. Nothing, with a reason, when it is not a JSON
// object. Values of the wrong kind or out of range keep their default or are clamped, each
// with a warning; unknown keys are warned about too.
std::optional<PlauditorSettings> ParseSettings(std::string_view utf8Json,
                                               std::vector<std::string> &warnings,
                                               std::string &error);

// The style as Plauditor.json holds it: colours "#AARRGGBB", flags true/false.
nlohmann::ordered_json StyleJson(const StyleValues &style);

// A JSON number that is whole (2.0 is, 2.5 is not); numbers beyond 2^40 come back as 2^40.
std::optional<std::int64_t> WholeJsonNumber(const nlohmann::json &value);

// A colour as the style block carries it: "#RRGGBB" (opaque), "#AARRGGBB" or "0xAARRGGBB"
// text, or a number from -2^31 to 2^32-1, as the signed value of its 32 bits.
std::optional<std::int32_t> ParseColour(std::string_view text);
