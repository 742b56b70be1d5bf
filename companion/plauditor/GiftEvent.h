#pragma once
// One gift event: a JSON line {"user": ..., "gift": ..., "count": ...}.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

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
