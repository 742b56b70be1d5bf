#pragma once
// Style and rule changes from the page (POST /style, POST /rules) handed to the main loop,
// which alone publishes and writes the settings file; the request waits for the outcome.
#include "win/Handle.h"
#include "companion/plauditor/Settings.h"

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <map>
#include <mutex>
#include <optional>
#include <set>
#include <string>

struct PageEdit {
    std::optional<StyleValues> style;
    std::optional<GiftRules> rules;
    bool save = false;  // also into Plauditor.json
};

class EditInbox {
    std::mutex mutex;
    std::condition_variable answered;
    std::deque<std::pair<std::uint64_t, PageEdit>> waiting;
    std::map<std::uint64_t, std::string> outcomes;  // edit -> its fault, empty when done
    std::set<std::uint64_t> abandoned;              // their requests stopped waiting
    std::uint64_t offered = 0;
    win::UniqueHandle wake;  // set while edits wait

public:
    EditInbox();

    enum class Result { Done, Failed, Busy, TimedOut };
    // Waits up to patience for the main loop; fault holds the reason of Failed.
    Result Submit(PageEdit edit, std::chrono::milliseconds patience, std::string &fault);
    // The main loop: the next edit, then Finish with its fault (empty: done).
    std::optional<std::pair<std::uint64_t, PageEdit>> Take();
    void Finish(std::uint64_t id, std::string fault);
    HANDLE WakeEvent() const { return wake.get(); }
};
