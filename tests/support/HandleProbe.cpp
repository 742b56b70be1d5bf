#include "support/HandleProbe.h"
#include "win/Handle.h"

#include <windows.h>

#include <algorithm>

HandleProbe ProbeHandles()
{
    HandleProbe probe;
    // The DC first: the first DC of a process may open kernel handles that stay for good.
    {
        // Freed at the end of this block last first (an array's elements go in reverse
        // order), so that the slots are left in the order they were found.
        std::array<win::MemoryDC, 8> dcs;
        for (std::size_t i = 0; i < dcs.size(); ++i) {
            dcs[i].reset(CreateCompatibleDC(nullptr));
            probe.gdiSlots[i] = static_cast<unsigned>(reinterpret_cast<std::uintptr_t>(dcs[i].get()) & 0xFFFF);
        }
    }
    probe.gdiSlot = probe.gdiSlots[0];
    std::sort(probe.gdiSlots.begin(), probe.gdiSlots.end());
    if (const win::UniqueHandle event{CreateEventW(nullptr, TRUE, FALSE, nullptr)})
        probe.kernelHandle = reinterpret_cast<std::uintptr_t>(event.get());
    return probe;
}
