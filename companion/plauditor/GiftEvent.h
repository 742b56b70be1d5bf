#pragma once
// One gift event: a JSON line {"user": ..., "gift": ..., "count": ...}.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct GiftEvent {
    std::u16string user;  // may be empty: the thank-you line shows a placeholder then
    std::u16string gift;
    std::uint64_t count = 1;
};

// Nothing, with a one-line reason, when the line is not a JSON object or "count" is not a
// positive whole number. A missing "count" means one gift; names may be strings or numbers.
std::optional<GiftEvent> ParseGiftEvent(std::string_view utf8Line, std::string &error);

// Lines holding only blanks carry no event and are skipped without complaint.
bool IsBlankLine(std::string_view utf8Line);

// The body of a POST /events request: one event object or a non-empty array of at most
// maxEvents of them, each checked as an events-file line is. All or nothing: when any event
// is refused, nothing, with a one-line reason naming the event at fault; tooMany tells a
// body refused for its number of events. offered is the number of events the body held.
struct GiftBody {
    std::vector<GiftEvent> events;
    std::string error;
    bool tooMany = false;
    std::size_t offered = 0;
    bool Ok() const { return error.empty(); }
};
GiftBody ParseGiftBody(std::string_view utf8Body, std::size_t maxEvents);
