#pragma once
#include "win/Handle.h"

#include <windows.h>

#include <string>

// A program of ours run as a second process; ended (if still running) when this goes.
class ChildProcess {
    win::Process process;
    DWORD id = 0, mainThreadId = 0;

    ChildProcess(const std::wstring &program, const std::wstring &arguments, const std::wstring &workingFolder,
                 DWORD creationFlags, HANDLE output);

public:
    // program: a path, or a file name beside the test program. arguments: the rest of the
    // command line as it would be typed. creationFlags: as CreateProcess takes them.
    ChildProcess(const std::wstring &program, const std::wstring &arguments,
                 const std::wstring &workingFolder = L"", DWORD creationFlags = 0);
    ~ChildProcess();
    ChildProcess(const ChildProcess &) = delete;
    ChildProcess &operator=(const ChildProcess &) = delete;

    bool Started() const { return static_cast<bool>(process.process); }
    DWORD Id() const { return id; }
    DWORD MainThreadId() const { return mainThreadId; }
    bool Running() const;
    // The exit code once the process has ended within timeoutMs, or -1.
    long Wait(DWORD timeoutMs);
    void Kill();

    struct Finished {
        long exitCode = -1;  // -1 when it did not start or did not end in time
        std::string output;  // what it wrote to stdout and stderr
    };
    // Runs program with its output caught and waits (at most timeoutMs) for it to end.
    static Finished RunToEnd(const std::wstring &program, const std::wstring &arguments, DWORD timeoutMs);
};

// The folder holding the test program (build/bin), with a trailing backslash.
std::wstring TestBinFolder();
// From a program in build/bin: the Microsoft-ABI build's bin folder, with the shipped host
// program, host library and plug-in, and the release folder laid out for a host's folder.
std::wstring ShippedBinFolder();
std::wstring ReleaseFolder();
// A new empty folder under the system's temporary folder, with a trailing backslash; it stays
// (TempFolder removes its own).
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
