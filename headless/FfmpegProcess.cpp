#include "headless/FfmpegProcess.h"

#include "win/Text.h"
#include "win/CommandLine.h"

namespace {

constexpr DWORD kConnectMilliseconds = 20000;
constexpr DWORD kSendMilliseconds = 60000;
constexpr DWORD kFinishMilliseconds = 180000;

bool UnderWine()
{
    const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    return ntdll && GetProcAddress(ntdll, "wine_get_version");
}

// A Unix program, which Wine starts natively, without a Windows process.
bool NativeUnderWine(const std::wstring &program)
{
    return UnderWine() && !program.empty() && program[0] == L'/';
}

// A Windows path as a native program under Wine sees it; unchanged for a Windows ffmpeg.
std::wstring PathForFfmpeg(const std::wstring &program, const std::wstring &path)
{
    if (!NativeUnderWine(program))
        return path;
    using UnixName = char *(CDECL *)(const wchar_t *);
    const auto unixName = reinterpret_cast<UnixName>(
        reinterpret_cast<void *>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
    char *name = unixName ? unixName(path.c_str()) : nullptr;
    if (!name)
        return path;
    std::wstring converted = win::WideFromUtf8(name);
    HeapFree(GetProcessHeap(), 0, name);
    return converted;
}

win::SocketHandle ListenOnLoopback(unsigned &port)
{
    win::SocketHandle s(socket(AF_INET, SOCK_STREAM, IPPROTO_TCP));
    if (!s)
        return s;
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    int length = sizeof address;
    if (bind(s.get(), reinterpret_cast<const sockaddr *>(&address), sizeof address) != 0 || listen(s.get(), 1) != 0 ||
        getsockname(s.get(), reinterpret_cast<sockaddr *>(&address), &length) != 0)
        return {};
    port = ntohs(address.sin_port);
    return s;
}

// The first connection to listening within the wait, or none.
win::SocketHandle AcceptWithin(const win::SocketHandle &listening, DWORD milliseconds)
{
    fd_set readable;
    FD_ZERO(&readable);
    FD_SET(listening.get(), &readable);
    timeval wait{static_cast<long>(milliseconds / 1000), static_cast<long>((milliseconds % 1000) * 1000)};
    if (select(0, &readable, nullptr, nullptr, &wait) != 1)
        return {};
    return win::SocketHandle(accept(listening.get(), nullptr, nullptr));
}

void SetTimeout(const win::SocketHandle &s, int option, DWORD milliseconds)
{
    setsockopt(s.get(), SOL_SOCKET, option, reinterpret_cast<const char *>(&milliseconds), sizeof milliseconds);
}

std::wstring Widen(const std::string &text)
{
    std::wstring wide;
    for (const char c : text)
        wide += static_cast<wchar_t>(static_cast<unsigned char>(c));
    return wide;
}

} // namespace

std::wstring DefaultFfmpegProgram() { return UnderWine() ? L"/usr/bin/ffmpeg" : L"ffmpeg.exe"; }

FfmpegProcess::FfmpegProcess() = default;

FfmpegProcess::~FfmpegProcess() = default;

void FfmpegProcess::Close()
{
    input.reset();
    progress.reset();
}

bool FfmpegProcess::Start(const std::wstring &program, AnimationRequest request)
{
    frameBytes = static_cast<size_t>(request.width) * request.height * 4;
    unsigned inputPort = 0, progressPort = 0;
    const win::SocketHandle inputListener = ListenOnLoopback(inputPort);
    const win::SocketHandle progressListener = ListenOnLoopback(progressPort);
    if (!inputListener || !progressListener) {
        failure = L"no loopback socket for ffmpeg (error " + std::to_wstring(WSAGetLastError()) + L")";
    } else {
        request.output = PathForFfmpeg(program, request.output);
        std::wstring line = win::QuotedCommandLine(
            program, FfmpegArguments(request, L"tcp://127.0.0.1:" + std::to_wstring(inputPort),
                                     L"tcp://127.0.0.1:" + std::to_wstring(progressPort)));
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION started{};
        if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr, nullptr,
                            &startup, &started)) {
            failure = L"cannot start " + program + L" (error " + std::to_wstring(GetLastError()) + L")";
        } else {
            // For a native program Wine 10 hands back stale handle values (Wine 8 zeros):
            // closing them would close handles of ours, such as the listening sockets.
            if (!NativeUnderWine(program))
                process = win::Process(started).process;
            // ffmpeg opens its progress report while reading its options, before its input.
            progress = AcceptWithin(progressListener, kConnectMilliseconds);
            if (progress)
                input = AcceptWithin(inputListener, kConnectMilliseconds);
            if (!input) {
                failure = program + L" did not take the frames (see its message above)";
                // An ffmpeg that started but never connected would otherwise wait on its
                // input for ever (a native one under Wine has no handle of ours to end).
                if (process)
                    TerminateProcess(process.get(), 1);
            }
        }
    }
    if (!failure.empty()) {
        Close();
        return false;
    }
    SetTimeout(input, SO_SNDTIMEO, kSendMilliseconds);
    u_long nonBlocking = 1;
    ioctlsocket(progress.get(), FIONBIO, &nonBlocking);
    return true;
}

// Reads what progress ffmpeg has sent, so its reports never fill the connection and stall it.
void FfmpegProcess::Drain()
{
    char buffer[4096];
    for (;;) {
        const int got = recv(progress.get(), buffer, sizeof buffer, 0);
        if (got <= 0)
            return;
        report.append(buffer, static_cast<size_t>(got));
        // Only the end of the report matters.
        if (report.size() > 65536)
            report.erase(0, report.size() - 4096);
    }
}

bool FfmpegProcess::AddFrame(const BYTE *bgra)
{
    if (!input)
        return false;
    size_t sent = 0;
    while (sent < frameBytes) {
        const int chunk = static_cast<int>(frameBytes - sent < (1u << 20) ? frameBytes - sent : (1u << 20));
        const int wrote = send(input.get(), reinterpret_cast<const char *>(bgra) + sent, chunk, 0);
        if (wrote <= 0) {
            failure = L"ffmpeg stopped taking frames (error " + std::to_wstring(WSAGetLastError()) + L")";
            Close();
            return false;
        }
        sent += static_cast<size_t>(wrote);
    }
    Drain();
    return true;
}

bool FfmpegProcess::Finish()
{
    if (!input) {
        if (failure.empty())
            failure = L"ffmpeg was not started";
        return false;
    }
    shutdown(input.get(), SD_SEND);
    input.reset();

    // ffmpeg writes its last report after the file is complete and closes the connection as
    // it exits; under Wine there is no process handle to wait on, so that close is the sign.
    u_long blocking = 0;
    ioctlsocket(progress.get(), FIONBIO, &blocking);
    SetTimeout(progress, SO_RCVTIMEO, kFinishMilliseconds);
    char buffer[4096];
    int got = 0;
    while ((got = recv(progress.get(), buffer, sizeof buffer, 0)) > 0)
        report.append(buffer, static_cast<size_t>(got));
    Close();
    if (process) {
        if (WaitForSingleObject(process.get(), kFinishMilliseconds) != WAIT_OBJECT_0) {
            TerminateProcess(process.get(), 1);
            failure = L"ffmpeg did not end within " + std::to_wstring(kFinishMilliseconds / 1000) +
                      L" s and was ended";
            return false;
        }
        DWORD exitCode = 0;
        if (!GetExitCodeProcess(process.get(), &exitCode) || exitCode != 0) {
            failure = L"ffmpeg failed (exit code " + std::to_wstring(exitCode) + L")";
            return false;
        }
    }
    const size_t end = report.rfind("progress=end");
    if (end == std::string::npos) {
        const size_t tail = report.size() > 200 ? report.size() - 200 : 0;
        failure = L"ffmpeg did not finish the file" +
                  (report.empty() ? std::wstring() : L"; its last report: " + Widen(report.substr(tail)));
        return false;
    }
    return true;
}
