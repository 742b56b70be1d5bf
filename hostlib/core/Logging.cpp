// Log, AppWarning and CrashError: one formatted line each, to the log file, stderr and the
// test sink.
#include "hostlib/HostControl.h"
#include "LogFormat.h"
#include "HostLog.h"
#include "TextConversion.h"
#include "HostLock.h"
#include "win/Handle.h"

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <string>

namespace {

struct LogState {
    HostLock mutex;
    HostLogSink sink = nullptr;
    void *sinkContext = nullptr;
    std::wstring filePath;
    bool toStderr = true;
};

LogState &State()
{
    static LogState *state = new LogState;   // outlives static destruction: logging may come late
    return *state;
}

std::atomic<unsigned> warningCount{0};

const char *LevelTag(int level)
{
    switch (level) {
    case HOST_LOG_WARNING: return "warning: ";
    case HOST_LOG_CRASH: return "fatal: ";
    default: return "";
    }
}

void AppendToFile(const std::wstring &path, const std::string &line)
{
    const win::UniqueHandle file(CreateFileW(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                             nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD written = 0;
    if (file)
        WriteFile(file.get(), line.data(), DWORD(line.size()), &written, nullptr);
}

void EmitLine(int level, std::wstring text)
{
    while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r'))
        text.pop_back();
    LogState &state = State();
    std::lock_guard<HostLock> lock(state.mutex);
    std::string line = LevelTag(level) + win::Utf8FromWide(text) + "\n";
    if (!state.filePath.empty())
        AppendToFile(state.filePath, line);
    if (state.toStderr) {
        std::fwrite(line.data(), 1, line.size(), stderr);
        std::fflush(stderr);
    }
    if (state.sink)
        state.sink(level, text.c_str(), state.sinkContext);
}

}  // namespace

void EmitHostLogLine(int level, const std::wstring &text) { EmitLine(level, text); }

HOSTAPI void __cdecl Log(CTSTR format, ...)
{
    va_list arguments;
    va_start(arguments, format);
    std::wstring text = FormatWide(format, arguments);
    va_end(arguments);
    EmitLine(HOST_LOG_INFO, std::move(text));
}

HOSTAPI void __cdecl AppWarning(CTSTR format, ...)
{
    va_list arguments;
    va_start(arguments, format);
    std::wstring text = FormatWide(format, arguments);
    va_end(arguments);
    ++warningCount;
    EmitLine(HOST_LOG_WARNING, std::move(text));
}

[[noreturn]] HOSTAPI void __cdecl CrashError(CTSTR format, ...)
{
    va_list arguments;
    va_start(arguments, format);
    std::wstring text = FormatWide(format, arguments);
    va_end(arguments);
    EmitLine(HOST_LOG_CRASH, std::move(text));
    // TerminateProcess runs no DLL detach code, so no plug-in code runs after the fatal error.
    TerminateProcess(GetCurrentProcess(), 3);
    _exit(3);
}

HOSTAPI void HostSetLogSink(HostLogSink sink, void *context)
{
    LogState &state = State();
    std::lock_guard<HostLock> lock(state.mutex);
    state.sink = sink;
    state.sinkContext = context;
}

HOSTAPI void HostSetLogFile(CTSTR path)
{
    LogState &state = State();
    std::lock_guard<HostLock> lock(state.mutex);
    state.filePath = path ? path : L"";
}

HOSTAPI void HostSetLogToStderr(bool enabled)
{
    LogState &state = State();
    std::lock_guard<HostLock> lock(state.mutex);
    state.toStderr = enabled;
}

HOSTAPI unsigned HostWarningCount() { return warningCount; }
HOSTAPI void HostResetWarningCount() { warningCount = 0; }
