#pragma once
#include <windows.h>

// The few system calls whose results tests must control: the clock, the process start,
// the process id and GUID creation. The shipped build calls the real ones; a test swaps an
// entry and restores it (PlatformSeamsOverride below does both).
struct PlatformSeams {
    DWORD (WINAPI *tickCount)();
    DWORD (WINAPI *currentProcessId)();
    DWORD (WINAPI *lastError)();
    HRESULT (WINAPI *createGuid)(GUID *guid);
    HINSTANCE (WINAPI *shellExecute)(HWND owner, LPCSTR verb, LPCSTR file, LPCSTR parameters,
                                     LPCSTR directory, INT showCommand);
};

PlatformSeams &Platform();

// Restores the seams it was made with when it goes out of scope.
class PlatformSeamsOverride {
    PlatformSeams saved;

public:
    PlatformSeamsOverride() : saved(Platform()) {}
    ~PlatformSeamsOverride() { Platform() = saved; }
    PlatformSeamsOverride(const PlatformSeamsOverride &) = delete;
    PlatformSeamsOverride &operator=(const PlatformSeamsOverride &) = delete;
};
