#pragma once
#include "support/ChildProcess.h"
#include "support/TempFolder.h"

#include <string>

// plauditor_publish.exe (beside the test program) run with arguments, writing a scene's
// blocks from a second process as a producer does; stopped when this goes. With a ready
// file, WaitReady() tells when the first block is there.
class PublisherProcess {
    TempFolder folder;
    std::wstring readyFile;
    ChildProcess process;

public:
    explicit PublisherProcess(const std::wstring &arguments, bool withReadyFile = true);

    bool Started() const { return process.Started(); }
    // True once the ready file exists; false when the publisher ended first or 30 s passed.
    bool WaitReady();
    // The exit code once the publisher has ended by itself (within 30 s), or -1.
    long WaitExitCode() { return process.Wait(kTimeoutMs); }

private:
    static constexpr DWORD kTimeoutMs = 30000;
};
