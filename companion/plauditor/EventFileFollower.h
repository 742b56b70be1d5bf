#pragma once
// Follows the events file like "tail -f": what is appended comes out as lines. Survives the
// file not being there yet, being truncated and being replaced.
#include "companion/plauditor/FollowPlan.h"
#include "companion/plauditor/LineAssembler.h"

#include <string>
#include <vector>

class EventFileFollower {
    std::wstring path;
    FollowPosition position;
    LineAssembler assembler;

public:
    EventFileFollower(std::wstring filePath, bool readExisting);

    struct News {
        std::vector<std::string> lines;
        std::vector<std::string> notes;  // for the log: restarts, dropped overlong lines
    };
    News Poll();
    const std::wstring &Path() const { return path; }
};
