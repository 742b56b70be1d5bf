#pragma once
// Which local port a scene's companion serves HTTP on. Every scene's companion reads the same
// Plauditor.json, so one base port is shared: a scene pinned in "httpScenePorts" always gets its
// own port; the others take the first free one counting up from the base.
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

inline constexpr std::uint16_t kHttpPortsPerBase = 16;

// Ports to try in order (scene ids that are GUIDs compared in any case): the scene's pinned port alone, or base, base+1, ... (16 in all, never
// past 65535), skipping ports pinned to other scenes. Empty when base is 0 and nothing is pinned.
std::vector<std::uint16_t> HttpPortCandidates(std::uint16_t base, const std::u16string &scene,
                                              const std::map<std::u16string, std::uint16_t> &pinned);

// A scene id as the plug-in writes it, "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}" in upper case,
// from a GUID in braces in either case; nothing for anything else.
std::optional<std::u16string> CanonicalGuid(std::u16string_view text);
