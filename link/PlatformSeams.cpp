#include "link/PlatformSeams.h"
#include <objbase.h>
#include <shellapi.h>

#include <cstdio>
#include <cwchar>

PlatformSeams &Platform()
{
    static PlatformSeams seams{&GetTickCount,      &GetCurrentProcessId, &GetLastError,
                               &CoCreateGuid,      &ShellExecuteA,       &CreateFileMappingW,
                               &MapViewOfFile,     &UnmapViewOfFile,     &CloseHandle,
                               [](const wchar_t *line) { std::fputws(line, stdout); }};
    return seams;
}
