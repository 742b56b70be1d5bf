#pragma once
#include <windows.h>

#include <string>

// A program of ours run as a second process; ended (if still running) when this goes.
class ChildProcess {
    PROCESS_INFORMATION process{};

public:
    // program: a path, or a file name beside the test program. arguments: the rest of the
    // command line as it would be typed.
    ChildProcess(const std::wstring &program, const std::wstring &arguments,
                 const std::wstring &workingFolder = L"");
    ~ChildProcess();
    ChildProcess(const ChildProcess &) = delete;
    ChildProcess &operator=(const ChildProcess &) = delete;

    bool Started() const { return process.hProcess != nullptr; }
    DWORD Id() const { return process.dwProcessId; }
    bool Running() const;
    // The exit code once the process has ended within timeoutMs, or -1.
    long Wait(DWORD timeoutMs);
    void Kill();
};

// The folder holding the test program (build/bin), with a trailing backslash.
std::wstring TestBinFolder();
// A new empty folder under the system's temporary folder, with a trailing backslash.
std::wstring NewTempFolder(const wchar_t *stem);
// Polls predicate every 20 ms until it holds or timeoutMs passes; its last answer.
template <typename Predicate>
bool WaitUntil(DWORD timeoutMs, Predicate predicate)
{
    const DWORD start = GetTickCount();
    while (!predicate()) {
        if (GetTickCount() - start > timeoutMs)
            return predicate();
        Sleep(20);
    }
    return true;
}
