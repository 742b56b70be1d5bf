#include "EventCheck.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string_view line(reinterpret_cast<const char *>(data), size);
    std::string error;
    const auto event = ParseGiftEvent(line, error);
    if (event)
        CheckAcceptedEvent(*event, size);
    else
        CheckRefusal(error);
    return 0;
}
