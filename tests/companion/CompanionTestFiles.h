#pragma once
// Scratch folders and files for the companion's tests, removed when the test ends.
#include <windows.h>

#include <filesystem>
#include <string>
#include <string_view>

class TempFolder {
    std::filesystem::path path;

public:
    TempFolder()
    {
        static unsigned counter = 0;
        path = std::filesystem::temp_directory_path() /
               (L"plauditor-test-" + std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(++counter));
        std::filesystem::create_directories(path);
    }
    ~TempFolder()
    {
        std::error_code ignored;
        std::filesystem::remove_all(path, ignored);
    }
    TempFolder(const TempFolder &) = delete;
    TempFolder &operator=(const TempFolder &) = delete;

    std::wstring operator/(std::wstring_view name) const { return (path / name).wstring(); }
};

// Writes bytes to a file: appended, or replacing what it held.
inline bool WriteBytes(const std::wstring &path, std::string_view bytes, bool append)
{
    const HANDLE file = CreateFileW(path.c_str(), append ? FILE_APPEND_DATA : GENERIC_WRITE,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    append ? OPEN_ALWAYS : CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written = 0;
    const bool ok = file != INVALID_HANDLE_VALUE &&
                    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
                    written == bytes.size();
    if (file != INVALID_HANDLE_VALUE)
        CloseHandle(file);
    return ok;
}
