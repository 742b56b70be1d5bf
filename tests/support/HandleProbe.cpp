#include "support/HandleProbe.h"

#include <windows.h>

#include <algorithm>

HandleProbe ProbeHandles()
{
    HandleProbe probe;
    // The DC first: the first DC of a process may open kernel handles that stay for good.
    std::array<HDC, 8> dcs{};
    for (std::size_t i = 0; i < dcs.size(); ++i) {
        dcs[i] = CreateCompatibleDC(nullptr);
        probe.gdiSlots[i] = static_cast<unsigned>(reinterpret_cast<std::uintptr_t>(dcs[i]) & 0xFFFF);
    }
    probe.gdiSlot = probe.gdiSlots[0];
    // Freed last first, so that the slots are left in the order they were found.
    for (std::size_t i = dcs.size(); i-- > 0;)
        if (dcs[i])
            DeleteDC(dcs[i]);
    std::sort(probe.gdiSlots.begin(), probe.gdiSlots.end());
    if (HANDLE event = CreateEventW(nullptr, TRUE, FALSE, nullptr)) {
        probe.kernelHandle = reinterpret_cast<std::uintptr_t>(event);
        CloseHandle(event);
    }
    return probe;
}
