#include "link/CompanionLauncher.h"
#include "link/LaunchCommandLine.h"
#include "link/PlatformSeams.h"

#include <cstdint>
#include <cstring>
#include <new>
#include <optional>
#include <string>

namespace {

DWORD lastLaunchTick = 0;
// The tick alone cannot tell "never launched" from "launched at tick 0", and the very first
// start must not wait for the system to have run a second.
bool launchedBefore = false;

constexpr DWORD kLaunchIntervalMs = 1000;

// A UTF-8 copy of a host string that goes back to the host allocator.
class Utf8Copy {
    char *text;

public:
    explicit Utf8Copy(const String &source) : text(source.CreateUTF8String()) {}
    ~Utf8Copy() { if (text) Free(text); }
    Utf8Copy(const Utf8Copy &) = delete;
    Utf8Copy &operator=(const Utf8Copy &) = delete;
    std::string_view view() const { return text ? std::string_view(text) : std::string_view(); }
};

} // namespace

void ResetCompanionLaunchThrottle()
{
    lastLaunchTick = 0;
    launchedBefore = false;
}

DWORD LaunchCompanion(String sourceGuid, String sceneGuid)
{
    const DWORD now = Platform().tickCount();
    // Unsigned subtraction keeps the elapsed time right across the 49-day wrap of the tick.
    if (launchedBefore && now - lastLaunchTick <= kLaunchIntervalMs)
        return 0;
    // Stored before the attempt, so a failed start also holds off the next one.
    lastLaunchTick = now;
    launchedBefore = true;

    const Utf8Copy sceneUtf8(sceneGuid);
    const Utf8Copy sourceUtf8(sourceGuid);
    std::optional<std::string> parameters;
    try {
        parameters = FormatCompanionCommandLine(Platform().currentProcessId(), sceneUtf8.view(),
                                                sourceUtf8.view());
    } catch (const std::bad_alloc &) {
        return ERROR_NOT_ENOUGH_MEMORY;  // no exception may reach the host
    }
    if (!parameters) {
        Log(L"LaunchCompanion: identifiers too long for the command line; companion not started");
        return ERROR_INSUFFICIENT_BUFFER;
    }

    char *buffer = static_cast<char *>(Allocate(kCompanionCommandLineCapacity));
    if (!buffer)
        return ERROR_NOT_ENOUGH_MEMORY;
    std::memset(buffer, 0, kCompanionCommandLineCapacity);
    std::memcpy(buffer, parameters->data(), parameters->size());

    const HINSTANCE started = Platform().shellExecute(nullptr, "open", kCompanionProgramPath,
                                                      buffer, nullptr, SW_SHOW);
    // Taken at once: freeing and logging may overwrite the thread's last error.
    const DWORD error = Platform().lastError();
    Free(buffer);

    const auto result = static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(started));
    if (result <= 32) {
        Log(L"return value:%d\n", static_cast<int>(result));
        Log(L"GetLastError: %d", static_cast<int>(error));
        return error;
    }
    Log(L"Successed!");
    return 0;
}
