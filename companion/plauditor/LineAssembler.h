#pragma once
// Cuts a byte stream (a followed file, a socket) into lines. A partial last line waits for
// its newline; a line that grows past the limit without one is dropped whole.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

inline constexpr std::size_t kMaxEventLineBytes = 64 * 1024;

class LineAssembler {
    std::string pending;
    bool droppingOverlong = false;
    std::size_t limit;

public:
    explicit LineAssembler(std::size_t maxLineBytes = kMaxEventLineBytes) : limit(maxLineBytes) {}

    struct Result {
        std::vector<std::string> lines;  // without "\n" or a "\r" before it
        std::size_t overlongDropped = 0;
    };

    Result Feed(std::string_view bytes);
    // Forget the partial line (the stream was cut or replaced).
    void Reset();
    bool HasPartialLine() const { return !pending.empty() || droppingOverlong; }
};
