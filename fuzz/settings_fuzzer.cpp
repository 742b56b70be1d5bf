#include "StyleCheck.h"

#include <algorithm>
#include <cstdlib>

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
