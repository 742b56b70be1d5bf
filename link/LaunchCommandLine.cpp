#include "link/LaunchCommandLine.h"

#include <cstdio>

std::optional<std::string> FormatCompanionCommandLine(unsigned long processId,
                                                      std::string_view sceneGuidUtf8,
                                                      std::string_view sourceGuidUtf8)
{
    // The process id goes out as a signed 32-bit decimal, as the companion reads it.
    std::string line = "1 " + std::to_string(static_cast<int>(processId)) + " ";
    line.append(sceneGuidUtf8);
    line += ' ';
    line.append(sourceGuidUtf8);
    line += " 11 ";
    if (line.size() >= kCompanionCommandLineCapacity)
        return std::nullopt;
    return line;
}
