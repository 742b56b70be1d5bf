#pragma once
// What the HTTP threads share with the companion's main loop. The main loop alone publishes;
// HTTP requests hand their events over through the inbox and read a copy of the state, so no
// request can hold up publishing for longer than a copy under a lock.
#include "win/Handle.h"
#include "companion/plauditor/GiftEvent.h"
#include "companion/plauditor/Settings.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <cstdint>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

// Events handed over by HTTP requests, in order, with a bound on how many may wait.
class EventInbox {
    struct Batch {
        std::uint64_t number;
        std::vector<GiftEvent> events;
    };
    mutable std::mutex mutex;
    std::condition_variable published;
    std::deque<Batch> waiting;
    std::size_t waitingEvents = 0;
    std::size_t capacity;
    std::uint64_t offeredBatches = 0;    // batch numbers handed out so far
    std::uint64_t takenBatches = 0;      // every batch up to this one is with the main loop
    std::uint64_t publishedBatches = 0;  // every batch up to this one is settled
    std::deque<std::pair<std::uint64_t, std::uint64_t>> unshown;  // (after, up to]: publishing failed
    win::UniqueHandle wake;                   // set while events wait

public:
    explicit EventInbox(std::size_t maxWaiting);

    // Takes all of events or, when they would pass the bound, none. The batch number to wait
    // for, or nothing when the inbox is full.
    std::optional<std::uint64_t> Offer(std::vector<GiftEvent> events);
    // The main loop takes everything waiting; batch is the last batch it holds.
    std::vector<GiftEvent> Take(std::uint64_t &batch);
    // The main loop has settled every batch up to batch: on screen, or (shown false) not, and
    // never will be.
    void MarkPublished(std::uint64_t batch, bool shown = true);
    // True once batch is on screen; false when it is not by the end of patience.
    bool WaitPublished(std::uint64_t batch, std::chrono::milliseconds patience);
    // Takes back a batch the main loop has not taken yet: none of it will ever be shown. False
    // when the main loop holds it already.
    bool Withdraw(std::uint64_t batch);
    // A manual-reset event set while events wait, for the main loop's wait.
    HANDLE WakeEvent() const { return wake.get(); }

private:
    bool Shown(std::uint64_t batch) const;
};

// Events taken (turned into thank-you lines) and refused (malformed), from every source.
struct EventCounters {
    std::atomic<std::uint64_t> taken{0};
    std::atomic<std::uint64_t> refused{0};
};

// What GET /state shows besides the counters.
struct CompanionView {
    std::u16string scene;
    std::vector<std::u16string> lines;  // on screen, oldest first
    StyleValues style = DefaultStyle();
    std::int32_t textSequence = 0;      // of the last text block published; 0 before the first
    GiftRules rules;
    std::uint64_t hidden = 0;           // events taken but below their minimum
};

class SharedView {
    mutable std::mutex mutex;
    CompanionView view;

public:
    void Set(CompanionView next);
    CompanionView Get() const;
};

// GET /state: {"scene", "lines", "textSequence", "style": {...as in Plauditor.json...},
// "rules": {...as in Plauditor.json...}, "events": {"taken", "refused", "hidden"},
// "http": {"address", "port"}}, one line of UTF-8 JSON.
std::string StateJson(const CompanionView &view, std::uint64_t taken, std::uint64_t refused, std::uint16_t port);
