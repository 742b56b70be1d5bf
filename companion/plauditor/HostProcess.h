#pragma once
// The host process whose end ends the companion.
#include "win/Handle.h"

#include <optional>

class HostProcess {
    win::UniqueHandle process;
    explicit HostProcess(win::UniqueHandle h) : process(std::move(h)) {}

public:
    // Nothing, with the system's code in error, when no such process runs (or it cannot be
    // watched).
    static std::optional<HostProcess> Open(DWORD processId, DWORD &error);

    // Waits up to milliseconds; true once the process has ended.
    bool WaitForEnd(DWORD milliseconds) const;
    HANDLE handle() const { return process.get(); }
};
