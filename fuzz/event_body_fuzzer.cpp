#include "EventCheck.h"

// The HTTP side's limit on events in one request.
constexpr std::size_t kMaxEvents = 500;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const GiftBody body = ParseGiftBody(std::string_view(reinterpret_cast<const char *>(data), size), kMaxEvents);
    if (!body.Ok()) {
        // All or nothing; "too many" only for more than the limit.
        CheckRefusal(body.error);
        if (!body.events.empty() || (body.tooMany && body.offered <= kMaxEvents))
            std::abort();
        return 0;
    }
    if (body.events.empty() || body.events.size() > kMaxEvents || body.offered != body.events.size())
        std::abort();
    for (const GiftEvent &event : body.events)
        CheckAcceptedEvent(event, size);
    return 0;
}
