#include "companion/plauditor/Settings.h"

#include <algorithm>
#include <cstdlib>
#include <string_view>

namespace {

struct Range {
    std::string_view key;
    std::int32_t low, high;
};

// What the plug-in can draw with; other whole-number keys (scrollSpeed, align) take any int.
constexpr Range kRanges[] = {
    {"fontSize", 1, 2000},         {"textOpacity", 0, 100},      {"backgroundOpacity", 0, 100},
    {"outlineSize", 0, 100},       {"outlineOpacity", 0, 100},   {"extentWidth", 0, 16384},
    {"extentHeight", 0, 16384},
};

bool StyleInRange(const StyleValues &style)
{
    for (std::size_t i = 0; i < kStyleNumberCount; ++i) {
        const std::int32_t value = style.numbers[i];
        if (StyleKindOf(i) == StyleKind::Flag && value != 0 && value != 1)
            return false;
        for (const Range &range : kRanges)
            if (range.key == kStyleNumberKeys[i] && (value < range.low || value > range.high))
                return false;
    }
    // The block carries the font between separators, and the plug-in copies 31 units of it.
    const std::u16string &font = style.font;
    const bool unusable = std::any_of(font.begin(), font.end(), [](char16_t c) { return c < 0x20 || c == u'|'; });
    return !font.empty() && font.size() <= 31 && !unusable && !(font.back() >= 0xD800 && font.back() <= 0xDBFF);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    std::vector<std::string> warnings;
    std::string error;
    const auto settings = ParseSettings(std::string_view(reinterpret_cast<const char *>(data), size), warnings, error);
    if (!settings) {
        if (error.empty())
            std::abort();
        return 0;
    }
    const bool portsUsable = std::all_of(settings->httpScenePorts.begin(), settings->httpScenePorts.end(),
                                         [](const auto &entry) { return entry.second > 0; });
    // Texts a thank-you line is built from never sanitise to nothing.
    const bool textsUsable = !SanitiseLineText(settings->lineTemplate).empty() &&
                             !SanitiseLineText(settings->placeholders.user).empty() &&
                             !SanitiseLineText(settings->placeholders.gift).empty() && !settings->eventsFile.empty();
    if (settings->recentLines < 1 || settings->recentLines > kMaxRecentLines || !portsUsable || !textsUsable ||
        !StyleInRange(settings->style))
        std::abort();
    return 0;
}
