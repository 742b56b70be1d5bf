#pragma once
#include <string>
#include <vector>

// Collects the warnings (AppWarning lines) and message boxes the host library logs while
// it is installed as the log sink.
class HostEvents {
    unsigned boxesSeen;
    static void Receive(int level, const wchar_t *line, void *context);

public:
    std::vector<std::wstring> warnings;
    std::vector<std::wstring> messageBoxes;   // "caption: text"

    HostEvents();
    ~HostEvents();
    HostEvents(const HostEvents &) = delete;
    HostEvents &operator=(const HostEvents &) = delete;
};
