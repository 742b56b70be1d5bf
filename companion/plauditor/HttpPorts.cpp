#include "companion/plauditor/HttpPorts.h"

#include <algorithm>

std::vector<std::uint16_t> HttpPortCandidates(std::uint16_t base, const std::u16string &scene,
                                              const std::map<std::u16string, std::uint16_t> &pinned)
{
    if (const auto own = pinned.find(scene); own != pinned.end())
        return {own->second};
    std::vector<std::uint16_t> ports;
    if (base == 0)
        return ports;
    const unsigned end = static_cast<unsigned>(base) + kHttpPortsPerBase;
    for (unsigned port = base; port < end && port <= 65535; ++port) {
        const bool takenByOther = std::any_of(pinned.begin(), pinned.end(),
                                              [&](const auto &entry) { return entry.second == port; });
        if (!takenByOther)
            ports.push_back(static_cast<std::uint16_t>(port));
    }
    return ports;
}
