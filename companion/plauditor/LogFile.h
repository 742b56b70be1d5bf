#pragma once
// Plauditor.log: one line per start, publish and error. Several companions (one per scene)
// append to the same file, each line in one write.
#include "companion/blockwriter/UniqueHandle.h"

#include <string>
#include <string_view>

class LogFile {
    UniqueHandle file;
    std::string prefix;

public:
    // A log that cannot be opened writes nowhere; the companion still runs.
    LogFile(const std::wstring &path, std::string linePrefix);
    void Line(std::string_view utf8Message);
};

// Text made safe for one log line: control characters become spaces, long text is cut.
std::string OneLine(std::string_view text, std::size_t maxBytes = 200);
