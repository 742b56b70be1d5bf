#include "link/PlatformSeams.h"
#include <objbase.h>
#include <shellapi.h>

PlatformSeams &Platform()
{
    static PlatformSeams seams{&GetTickCount,      &GetCurrentProcessId, &GetLastError,
                               &CoCreateGuid,      &ShellExecuteA,       &CreateFileMappingW,
                               &MapViewOfFile,     &UnmapViewOfFile,     &CloseHandle};
    return seams;
}
