#pragma once
// The command line the plug-in writes: "1 <host pid> <scene id> <source id> 11 ", then,
// for tests and demos only, options that override where files are found.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

struct LaunchArguments {
    std::uint32_t hostProcessId = 0;
    std::u16string sceneGuid;
    std::u16string sourceGuid;
    std::u16string settingsPath;  // empty: Plauditor.json beside the program
    std::u16string eventsPath;    // empty: the settings' "eventsFile"
    std::u16string logPath;       // empty: Plauditor.log beside the program
    bool readExistingEvents = false;  // read the events file from its start, not its end
};

inline constexpr const char *kCommandLineUsage =
    "usage: Plauditor.exe 1 <host pid> <scene id> <source id> 11 "
    "[--settings PATH] [--events PATH] [--log PATH] [--from-start]";

// arguments excludes the program name. Nothing, with a one-line reason, when the line is not
// one the plug-in would write.
std::optional<LaunchArguments> ParseCommandLine(const std::vector<std::u16string> &arguments,
                                                std::string &error);

// The --log path wherever it stands, so even a refused line is logged where it asked to be.
std::u16string LogPathOption(const std::vector<std::u16string> &arguments);
