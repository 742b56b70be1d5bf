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
