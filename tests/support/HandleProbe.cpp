#include "support/HandleProbe.h"

#include <windows.h>

HandleProbe ProbeHandles()
{
    HandleProbe probe;
    // The DC first: the first DC of a process may open kernel handles that stay for good.
    if (HDC dc = CreateCompatibleDC(nullptr)) {
        probe.gdiSlot = static_cast<unsigned>(reinterpret_cast<std::uintptr_t>(dc) & 0xFFFF);
        DeleteDC(dc);
    }
    if (HANDLE event = CreateEventW(nullptr, TRUE, FALSE, nullptr)) {
        probe.kernelHandle = reinterpret_cast<std::uintptr_t>(event);
        CloseHandle(event);
    }
    return probe;
}
