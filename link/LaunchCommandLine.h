#pragma once
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

// The companion program's parameters: "1 <process id> <scene guid> <source guid> 11 ",
// every field followed by one space. The scene comes first.
inline constexpr std::size_t kCompanionCommandLineCapacity = 2048;  // terminator included

// The parameters, or nothing when they would not fit the companion's 2048-byte buffer
// (identifiers altered outside the plug-in can be that long); such a line is refused
// whole rather than cut, since a cut identifier would name the wrong blocks.
std::optional<std::string> FormatCompanionCommandLine(unsigned long processId,
                                                      std::string_view sceneGuidUtf8,
                                                      std::string_view sourceGuidUtf8);
