#pragma once
#include "win/Handle.h"

// The few system calls whose results tests must control: the clock, the process start,
// the process id and GUID creation, the console lines the block reader prints; and the
// named file mappings the channels open every frame, which the benchmark serves from memory
// to time the source's own work alone. The shipped build calls the real ones; a test swaps
// an entry and restores it (PlatformSeamsOverride below does both).
struct PlatformSeams {
    DWORD (WINAPI *tickCount)();
    DWORD (WINAPI *currentProcessId)();
    DWORD (WINAPI *lastError)();
    HRESULT (WINAPI *createGuid)(GUID *guid);
    HINSTANCE (WINAPI *shellExecute)(HWND owner, LPCSTR verb, LPCSTR file, LPCSTR parameters,
                                     LPCSTR directory, INT showCommand);
    HANDLE (WINAPI *createFileMapping)(HANDLE file, LPSECURITY_ATTRIBUTES security, DWORD protection,
                                       DWORD sizeHigh, DWORD sizeLow, LPCWSTR name);
    LPVOID (WINAPI *mapViewOfFile)(HANDLE mapping, DWORD access, DWORD offsetHigh, DWORD offsetLow,
                                   SIZE_T bytes);
    BOOL (WINAPI *unmapViewOfFile)(LPCVOID view);
    BOOL (WINAPI *closeHandle)(HANDLE handle);
    void (*consoleLine)(const wchar_t *line);
};

PlatformSeams &Platform();

// A mapping and a view let go of through the seams, so that what serves blocks from memory
// sees every release.
struct SeamMappingTraits : win::NullIsNone<HANDLE> {
    static void Free(Type mapping) { Platform().closeHandle(mapping); }
};
using SeamMapping = win::Owned<SeamMappingTraits>;

struct SeamViewTraits : win::NullIsNone<const unsigned char *> {
    static void Free(Type view) { Platform().unmapViewOfFile(view); }
};
using SeamView = win::Owned<SeamViewTraits>;

// Restores the seams it was made with when it goes out of scope.
class PlatformSeamsOverride {
    PlatformSeams saved;

public:
    PlatformSeamsOverride() : saved(Platform()) {}
    ~PlatformSeamsOverride() { Platform() = saved; }
    PlatformSeamsOverride(const PlatformSeamsOverride &) = delete;
    PlatformSeamsOverride &operator=(const PlatformSeamsOverride &) = delete;
};
