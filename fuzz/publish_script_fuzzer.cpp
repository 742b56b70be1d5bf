#include "companion/blockwriter/BlockFormat.h"
#include "companion/plauditor/Utf.h"
#include "companion/publish/PublishPlan.h"

#include <algorithm>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    // The tool reads scripts as UTF-8.
    const std::u16string script = Utf8ToUtf16(std::string_view(reinterpret_cast<const char *>(data), size));
    std::string error;
    const auto steps = ParsePublishScript(script, error);
    if (!steps) {
        if (error.empty())
            std::abort();
        return 0;
    }
    // Something is written, and every block written fits whole with its terminator and holds
    // no other terminator that would cut it short.
    const auto writes = [](const PublishStep &step) { return step.kind != PublishStep::Kind::Wait; };
    if (std::none_of(steps->begin(), steps->end(), writes))
        std::abort();
    for (const PublishStep &step : *steps)
        if (writes(step) && (step.block.empty() || step.block.size() > kMaxBlockTextUnits ||
                             step.block.find(u'\0') != std::u16string::npos))
            std::abort();
    return 0;
}
