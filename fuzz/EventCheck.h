#pragma once
// What an accepted gift event must give the thank-you line, shared by the line and body targets.
#include "companion/plauditor/GiftEvent.h"
#include "companion/plauditor/ThankYouLine.h"

#include <algorithm>
#include <cstdlib>

inline void CheckAcceptedEvent(const GiftEvent &event, std::size_t inputBytes)
{
    // UTF-8 never takes fewer bytes than UTF-16 units, and a name never comes from nowhere.
    if (event.count == 0 || event.user.size() > inputBytes || event.gift.size() > inputBytes)
        std::abort();
    // Empty names show placeholders, so the line is never empty and never breaks the block.
    const std::u16string line = ThankYouLine(kDefaultLineTemplate, event, NamePlaceholders{});
    const bool unsafe = std::any_of(line.begin(), line.end(), [](char16_t c) { return c < 0x20 || c == u'|'; });
    if (line.empty() || unsafe)
        std::abort();
}

// A refusal is logged or answered as one line.
inline void CheckRefusal(const std::string &reason)
{
    if (reason.empty() || reason.find_first_of("\r\n") != std::string::npos)
        std::abort();
}
