#include "LinkTestSupport.h"

#include "link/GuidText.h"

#include <objbase.h>

LinkTestTree::LinkTestTree()
{
    config.Create(TempFilePath(L"link_tree").c_str());
}

XElement *LinkTestTree::NewScene()
{
    static int counter = 0;
    const std::wstring name = L"Scene " + std::to_wstring(++counter);
    return Root()->CreateElement(name.c_str())->CreateElement(L"sources");
}

XElement *LinkTestTree::NewSourceData(XElement *sceneSources)
{
    const std::wstring name = L"Thanks " + std::to_wstring(sceneSources->NumElements() + 1);
    return sceneSources->CreateElement(name.c_str())->CreateElement(L"data");
}

std::wstring FreshSceneGuid()
{
    GUID guid{};
    CoCreateGuid(&guid);
    const String text = GuidToString(guid);
    return std::wstring(text.Array(), text.Length());
}

std::wstring TempFilePath(const wchar_t *stem)
{
    static int counter = 0;
    wchar_t directory[MAX_PATH + 1] = {};
    GetTempPathW(MAX_PATH, directory);
    return std::wstring(directory) + stem + L"_" + std::to_wstring(GetCurrentProcessId()) + L"_" +
           std::to_wstring(++counter) + L".tmp";
}

std::string ReadWholeFile(const std::wstring &path)
{
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return {};
    std::string bytes;
    char chunk[4096];
    DWORD got = 0;
    while (ReadFile(file, chunk, sizeof chunk, &got, nullptr) && got > 0)
        bytes.append(chunk, got);
    CloseHandle(file);
    return bytes;
}

namespace {

std::wstring PublisherPath()
{
    wchar_t path[MAX_PATH + 1] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path);
    folder.erase(folder.find_last_of(L"\\/") + 1);
    return folder + L"plauditor_publish.exe";
}

constexpr DWORD kPublisherTimeoutMs = 30000;

} // namespace

PublisherProcess::PublisherProcess(const std::wstring &arguments, bool withReadyFile)
{
    std::wstring commandLine = L"\"" + PublisherPath() + L"\" " + arguments;
    if (withReadyFile) {
        readyFile = TempFilePath(L"publisher_ready");
        commandLine += L" --ready-file \"" + readyFile + L"\"";
    }
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process))
        process = PROCESS_INFORMATION{};
}

PublisherProcess::~PublisherProcess()
{
    if (process.hProcess) {
        TerminateProcess(process.hProcess, 0);
        WaitForSingleObject(process.hProcess, kPublisherTimeoutMs);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
    if (!readyFile.empty())
        DeleteFileW(readyFile.c_str());
}

bool PublisherProcess::WaitReady()
{
    if (!process.hProcess || readyFile.empty())
        return false;
    for (DWORD waited = 0; waited < kPublisherTimeoutMs; waited += 10) {
        if (GetFileAttributesW(readyFile.c_str()) != INVALID_FILE_ATTRIBUTES)
            return true;
        if (WaitForSingleObject(process.hProcess, 10) == WAIT_OBJECT_0)
            return GetFileAttributesW(readyFile.c_str()) != INVALID_FILE_ATTRIBUTES;
    }
    return false;
}

long PublisherProcess::WaitExitCode()
{
    if (!process.hProcess || WaitForSingleObject(process.hProcess, kPublisherTimeoutMs) != WAIT_OBJECT_0)
        return -1;
    DWORD code = 0;
    GetExitCodeProcess(process.hProcess, &code);
    return static_cast<long>(code);
}
