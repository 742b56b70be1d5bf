#include "companion/plauditor/CommandLine.h"

#include "companion/plauditor/Utf.h"

#include <limits>

namespace {

constexpr std::size_t kPositionalCount = 5;
// Block names are kernel object names: they must stay well below MAX_PATH and hold no "\".
constexpr std::size_t kMaxSceneIdLength = 200;

std::optional<std::uint32_t> ParseProcessId(std::u16string_view text)
{
    if (text.empty() || text.size() > 10)
        return std::nullopt;
    std::uint64_t value = 0;
    for (const char16_t c : text) {
        if (c < u'0' || c > u'9')
            return std::nullopt;
        value = value * 10 + static_cast<std::uint64_t>(c - u'0');
    }
    if (value == 0 || value > std::numeric_limits<std::uint32_t>::max())
        return std::nullopt;
    return static_cast<std::uint32_t>(value);
}

bool IsOption(std::u16string_view text) { return text.size() > 2 && text.substr(0, 2) == u"--"; }

std::optional<LaunchArguments> Fail(std::string &error, std::string reason)
{
    error = std::move(reason);
    return std::nullopt;
}

} // namespace

std::optional<LaunchArguments> ParseCommandLine(const std::vector<std::u16string> &arguments,
                                                std::string &error)
{
    std::size_t positional = 0;
    while (positional < arguments.size() && !IsOption(arguments[positional]))
        ++positional;
    if (positional != kPositionalCount)
        return Fail(error, "expected 5 arguments before any option, got " + std::to_string(positional));
    if (arguments[0] != u"1")
        return Fail(error, "first argument must be 1, got '" + Utf16ToUtf8(arguments[0]) + "'");
    if (arguments[4] != u"11")
        return Fail(error, "fifth argument must be 11, got '" + Utf16ToUtf8(arguments[4]) + "'");

    LaunchArguments launch;
    const auto pid = ParseProcessId(arguments[1]);
    if (!pid)
        return Fail(error, "host process id must be a positive integer, got '" + Utf16ToUtf8(arguments[1]) + "'");
    launch.hostProcessId = *pid;

    launch.sceneGuid = arguments[2];
    if (launch.sceneGuid.empty())
        return Fail(error, "scene id is empty");
    if (launch.sceneGuid.size() > kMaxSceneIdLength || launch.sceneGuid.find(u'\\') != std::u16string::npos)
        return Fail(error, "scene id is not usable in a block name: '" + Utf16ToUtf8(launch.sceneGuid) + "'");
    launch.sourceGuid = arguments[3];

    for (std::size_t i = kPositionalCount; i < arguments.size(); ++i) {
        const std::u16string &option = arguments[i];
        if (option == u"--from-start") {
            launch.readExistingEvents = true;
            continue;
        }
        std::u16string *target = option == u"--settings" ? &launch.settingsPath
                                 : option == u"--events" ? &launch.eventsPath
                                 : option == u"--log"    ? &launch.logPath
                                                         : nullptr;
        if (!target)
            return Fail(error, "unknown option '" + Utf16ToUtf8(option) + "'");
        if (i + 1 >= arguments.size() || arguments[i + 1].empty())
            return Fail(error, "option '" + Utf16ToUtf8(option) + "' needs a path");
        *target = arguments[++i];
    }
    return launch;
}

std::u16string LogPathOption(const std::vector<std::u16string> &arguments)
{
    for (std::size_t i = 0; i + 1 < arguments.size(); ++i)
        if (arguments[i] == u"--log")
            return arguments[i + 1];
    return {};
}
