#pragma once
#include <array>
#include <cstdint>
#include <ostream>

// Leak probe for kernel and GDI handles where handle counts are not available (Wine reports
// 0 for both): a fresh event and a fresh memory DC are created and freed at once, and the
// handle values they got are kept. Both allocators hand out the lowest (kernel) or the most
// recently freed (GDI) slot, so after work that leaked nothing a second probe sees the same
// values; a leaked handle holds its slot and moves them. Take the first probe after the
// work has run once, so that handles a library opens once for good are already there.
// GDI+ frees its own short-lived GDI objects in no fixed order, which only reorders the most
// recently freed slots: probes compare the eight most recent as a set.
struct HandleProbe {
    std::uintptr_t kernelHandle = 0;
    unsigned gdiSlot = 0;  // low 16 bits of the DC handle: its table index
    std::array<unsigned, 8> gdiSlots{};  // the eight most recently freed, in ascending order

    bool operator==(const HandleProbe &other) const
    {
        return kernelHandle == other.kernelHandle && gdiSlots == other.gdiSlots;
    }
};

HandleProbe ProbeHandles();

inline std::ostream &operator<<(std::ostream &out, const HandleProbe &probe)
{
    return out << "{kernel " << probe.kernelHandle << ", gdi slot " << probe.gdiSlot << "}";
}
