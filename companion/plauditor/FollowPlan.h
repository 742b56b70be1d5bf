#pragma once
// What the events-file follower does on each look at the file: the decision alone, so the
// cases (not there yet, grown, truncated, replaced) are plain values.
#include <cstdint>
#include <optional>

struct FileStamp {
    std::uint64_t identity = 0;  // volume and file index: changes when the file is replaced
    std::uint64_t size = 0;
};

struct FollowPosition {
    std::optional<std::uint64_t> identity;  // nothing: no file seen (yet, or any more)
    std::uint64_t offset = 0;               // bytes already read
};

enum class FollowAction {
    Wait,     // nothing new
    Read,     // read from offset to the end
    Restart,  // a different or shorter file: forget the partial line, read from 0
    Lost,     // the file went away: forget it, a file appearing later is read from 0
};

FollowAction PlanFollow(const FollowPosition &position, const std::optional<FileStamp> &now);

// Where to begin with the file found at start: its end (only what is appended counts) or,
// when asked, its beginning. A file that appears later is always read from its beginning.
FollowPosition StartPosition(const std::optional<FileStamp> &now, bool readExisting);

// How long the main loop may sleep before it looks again. A TCP listener's sockets are only
// looked at, never waited on, so they need short naps. Files are waited on through change
// notifications where the system gives them; those come late for a file another program
// keeps open and appends to (written back lazily), so for a while after lines last came the
// file is polled briefly again, and a long nap still looks now and then in case a
// notification never comes. Lines due to leave the screen wake the loop when due.
struct LoopPace {
    bool listening = false;         // a TCP events listener is open
    bool filesWatched = false;      // every file followed has a change notification
    std::int64_t sinceLines = -1;   // milliseconds since the events file last gave lines; -1 never
    std::optional<std::int64_t> untilLeaving;  // milliseconds until the next line leaves
};

unsigned LoopWaitMilliseconds(const LoopPace &pace);
