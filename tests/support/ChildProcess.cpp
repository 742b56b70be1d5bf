#include "ChildProcess.h"

#include <atomic>

ChildProcess::ChildProcess(const std::wstring &program, const std::wstring &arguments,
                           const std::wstring &workingFolder, DWORD creationFlags)
    : ChildProcess(program, arguments, workingFolder, creationFlags, nullptr)
{
}

ChildProcess::ChildProcess(const std::wstring &program, const std::wstring &arguments,
                           const std::wstring &workingFolder, DWORD creationFlags, HANDLE output)
{
    const bool hasFolder = program.find_first_of(L"\\/") != std::wstring::npos;
    const std::wstring path = hasFolder ? program : TestBinFolder() + program;
    std::wstring commandLine = L"\"" + path + L"\" " + arguments;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    if (output) {
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdOutput = startup.hStdError = output;
    }
    PROCESS_INFORMATION started{};
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, output != nullptr, creationFlags, nullptr,
                        workingFolder.empty() ? nullptr : workingFolder.c_str(), &startup, &started))
        return;
    process = win::Process(started);
    id = started.dwProcessId;
    mainThreadId = started.dwThreadId;
}

ChildProcess::~ChildProcess()
{
    Kill();
}

bool ChildProcess::Running() const
{
    return process.process && WaitForSingleObject(process.process.get(), 0) == WAIT_TIMEOUT;
}

long ChildProcess::Wait(DWORD timeoutMs)
{
    if (!process.process || WaitForSingleObject(process.process.get(), timeoutMs) != WAIT_OBJECT_0)
        return -1;
    DWORD code = 0;
    GetExitCodeProcess(process.process.get(), &code);
    return static_cast<long>(code);
}

void ChildProcess::Kill()
{
    if (Running()) {
        TerminateProcess(process.process.get(), 1);
        WaitForSingleObject(process.process.get(), 10000);
    }
}

ChildProcess::Finished ChildProcess::RunToEnd(const std::wstring &program, const std::wstring &arguments,
                                              DWORD timeoutMs)
{
    Finished finished;
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE readEnd = nullptr, writeEnd = nullptr;
    if (!CreatePipe(&readEnd, &writeEnd, &inherit, 0))
        return finished;
    const win::UniqueHandle reading(readEnd);
    win::UniqueHandle writing(writeEnd);
    SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
    ChildProcess child(program, arguments, L"", 0, writeEnd);
    // Only the child holds the write end now, so the reads end when it does.
    writing.reset();
    if (child.Started()) {
        char buffer[4096];
        DWORD read = 0;
        while (ReadFile(readEnd, buffer, sizeof buffer, &read, nullptr) && read > 0)
            finished.output.append(buffer, read);
        finished.exitCode = child.Wait(timeoutMs);
    }
    return finished;
}

std::wstring TestBinFolder()
{
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path);
    return folder.substr(0, folder.find_last_of(L"\\/") + 1);
}

std::wstring ShippedBinFolder()
{
    return TestBinFolder() + L"..\\msabi\\bin\\";
}

std::wstring ReleaseFolder()
{
    return TestBinFolder() + L"..\\release\\HollinVanto\\";
}

std::wstring NewTempFolder(const wchar_t *stem)
{
    static std::atomic<unsigned> counter{0};
    wchar_t base[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, base);
    for (;;) {
        const std::wstring folder = std::wstring(base) + stem + L"_" +
                                    std::to_wstring(GetCurrentProcessId()) + L"_" +
                                    std::to_wstring(++counter) + L"\\";
        if (CreateDirectoryW(folder.c_str(), nullptr))
            return folder;
        if (GetLastError() != ERROR_ALREADY_EXISTS)
            return folder;
    }
}
