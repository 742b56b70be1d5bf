#include "companion/plauditor/HttpPorts.h"

#include <algorithm>

std::vector<std::uint16_t> HttpPortCandidates(std::uint16_t base, const std::u16string &scene,
                                              const std::map<std::u16string, std::uint16_t> &pinned)
{
    if (const auto own = pinned.find(CanonicalGuid(scene).value_or(scene)); own != pinned.end())
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

std::optional<std::u16string> CanonicalGuid(std::u16string_view text)
{
    constexpr std::u16string_view kShape = u"{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}";
    if (text.size() != kShape.size())
        return std::nullopt;
    std::u16string guid(text);
    for (std::size_t i = 0; i < guid.size(); ++i) {
        char16_t &c = guid[i];
        if (kShape[i] != u'X') {
            if (c != kShape[i])
                return std::nullopt;
            continue;
        }
        if (c >= u'a' && c <= u'f')
            c = static_cast<char16_t>(c - u'a' + u'A');
        if (!((c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'F')))
            return std::nullopt;
    }
    return guid;
}
