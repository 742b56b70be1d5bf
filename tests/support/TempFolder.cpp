#include "TempFolder.h"
#include "ChildProcess.h"

#include <windows.h>

#include <filesystem>

namespace {

// Others may hold the files open (a followed file, a log being written), and tests replace
// files under readers.
constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

std::wstring ProgramStem()
{
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    const std::wstring name = std::filesystem::path(path).stem().wstring();
    return name.empty() ? L"tests" : name;
}

bool PutBytes(const std::wstring &path, std::string_view bytes, bool append)
{
    const HANDLE file = CreateFileW(path.c_str(), append ? FILE_APPEND_DATA : GENERIC_WRITE, kShareAll, nullptr,
                                    append ? OPEN_ALWAYS : CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    const bool ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
                    written == bytes.size();
    CloseHandle(file);
    return ok;
}

} // namespace

TempFolder::TempFolder() : folder(NewTempFolder(ProgramStem().c_str())) {}

TempFolder::~TempFolder()
{
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
}

std::string ReadFileBytes(const std::wstring &path)
{
    const HANDLE file =
        CreateFileW(path.c_str(), GENERIC_READ, kShareAll, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
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

bool WriteFileBytes(const std::wstring &path, std::string_view bytes) { return PutBytes(path, bytes, false); }

bool AppendFileBytes(const std::wstring &path, std::string_view bytes) { return PutBytes(path, bytes, true); }

bool FileExists(const std::wstring &path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }
