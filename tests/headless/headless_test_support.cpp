#include "tests/headless/HeadlessTestSupport.h"
#include "tests/support/ChildProcess.h"

#include <windows.h>

#include <atomic>
#include <fstream>
#include <sstream>

TempFolder::TempFolder()
{
    static std::atomic<int> counter{0};
    path = std::filesystem::temp_directory_path() /
           (L"headless_test_" + std::to_wstring(GetCurrentProcessId()) + L"_" + std::to_wstring(counter++));
    std::filesystem::remove_all(path);
    std::filesystem::create_directories(path);
}

TempFolder::~TempFolder()
{
    std::error_code ignored;
    std::filesystem::remove_all(path, ignored);
}

HostRun RunHeadlessHost(const std::vector<std::wstring> &arguments)
{
    // Arguments are quoted whole; the tests' paths and values hold no quotes.
    std::wstring commandLine = L"\"" + TestBinFolder() + L"headless_host.exe\"";
    for (const std::wstring &argument : arguments)
        commandLine += L" \"" + argument + L"\"";

    HostRun run;
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE readEnd = nullptr, writeEnd = nullptr;
    if (!CreatePipe(&readEnd, &writeEnd, &inherit, 0))
        return run;
    SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = startup.hStdError = writeEnd;
    PROCESS_INFORMATION process{};
    const BOOL started = CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                                        &startup, &process);
    CloseHandle(writeEnd);
    if (started) {
        char buffer[4096];
        DWORD read = 0;
        while (ReadFile(readEnd, buffer, sizeof buffer, &read, nullptr) && read > 0)
            run.errorOutput.append(buffer, read);
        WaitForSingleObject(process.hProcess, 120000);
        DWORD exitCode = 0;
        GetExitCodeProcess(process.hProcess, &exitCode);
        run.exitCode = static_cast<int>(exitCode);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
    CloseHandle(readEnd);
    return run;
}

std::wstring FixtureRoot()
{
    return TestBinFolder() + L"headless_fixture";
}

std::string ReadFileBytes(const std::wstring &path)
{
    std::ifstream file(std::filesystem::path(path), std::ios::binary);
    std::ostringstream bytes;
    bytes << file.rdbuf();
    return bytes.str();
}

void WriteFileBytes(const std::wstring &path, const std::string &bytes)
{
    std::ofstream(std::filesystem::path(path), std::ios::binary) << bytes;
}

nlohmann::json ReadJsonFile(const std::wstring &path)
{
    return nlohmann::json::parse(ReadFileBytes(path), nullptr, false);
}
