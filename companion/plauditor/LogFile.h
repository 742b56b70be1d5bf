#pragma once
// Plauditor.log: one line per start, publish and error. Several companions (one per scene)
// append to the same file, each line in one write.
#include "win/Handle.h"
#include "companion/plauditor/Utf.h"  // OneLine, for the lines written here

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// Past this size the log is moved aside to "<name>.old" and begun again.
inline constexpr std::uint64_t kLogRotateBytes = 4 * 1024 * 1024;

class LogFile {
    std::wstring path;
    win::UniqueHandle file;
    std::string prefix;
    std::uint64_t rotateBytes;

public:
    // A log that cannot be opened writes nowhere; the companion still runs.
    LogFile(std::wstring path, std::string linePrefix, std::uint64_t rotateAfterBytes = kLogRotateBytes);
    void Line(std::string_view utf8Message);
    // For a fault that ends the process: one line written from the stack, nothing allocated.
    void LastWords(const char *message) noexcept;
    // Whether path names this log, or the file it is moved to, however it is spelled.
    bool Writes(const std::wstring &otherPath) const;

private:
    void Open();
    void RotateIfLarge();
    std::optional<std::uint64_t> Identity() const;
};
