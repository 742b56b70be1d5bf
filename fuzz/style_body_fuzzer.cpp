#include "StyleCheck.h"
#include "companion/plauditor/SettingsEdits.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const StyleEdit edit = ParseStyleBody(std::string_view(reinterpret_cast<const char *>(data), size), DefaultStyle());
    // Refused with a reason, or taken whole and drawable.
    if (edit.style ? !edit.error.empty() || !StyleInRange(*edit.style) : edit.error.empty())
        std::abort();
    return 0;
}
