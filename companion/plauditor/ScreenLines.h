#pragma once
// The thank-you lines on screen under the gift rules. Pure: the caller hands in the time, so
// combos and leaving lines follow a clock it controls.
#include "companion/plauditor/GiftEvent.h"
#include "companion/plauditor/Settings.h"

#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <vector>

class ScreenLines {
    struct Line {
        std::u16string user;  // as sent, for matching a combo
        std::u16string gift;
        std::uint64_t count = 0;
        std::int64_t lastEventAt = 0;  // milliseconds on the caller's clock
        std::u16string text;
    };
    std::deque<Line> lines;

public:
    enum class Outcome {
        Added,    // a new line, the oldest pushed out past recentLines
        Merged,   // a combo: an earlier line rewritten in place with the summed count
        Hidden,   // below its minimum: counted, not shown
        Refused,  // the template made an empty line
    };

    Outcome Add(const GiftEvent &event, const PlauditorSettings &settings, std::int64_t now);
    // Lines whose last event is lineSeconds old leave; true when any did.
    bool Expire(const PlauditorSettings &settings, std::int64_t now);
    // Milliseconds from now until the next line leaves (0 when one is due); nothing when none will.
    std::optional<std::int64_t> UntilLeaving(const PlauditorSettings &settings, std::int64_t now) const;
    // True when lines were dropped to fit recentLines.
    bool Fit(const PlauditorSettings &settings);
    std::vector<std::u16string> OldestFirst() const;
};
