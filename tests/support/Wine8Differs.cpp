#include "support/Wine8Differs.h"

#include <windows.h>

#include <cstdio>

std::string WineVersion()
{
    const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    const auto version = reinterpret_cast<const char *(*)()>(
        reinterpret_cast<void *>(ntdll ? GetProcAddress(ntdll, "wine_get_version") : nullptr));
    return version ? version() : "";
}

bool Wine8Differs(const char *what)
{
    static const bool wine8 = WineVersion().rfind("8.", 0) == 0;
    if (wine8)
        std::printf("[ WINE 8   ] differs from Windows: %s\n", what);
    return wine8;
}
