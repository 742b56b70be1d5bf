#include "TempFolder.h"
#include "ChildProcess.h"
#include "win/File.h"
#include "win/Handle.h"

#include <windows.h>

#include <algorithm>

namespace {

// Others may hold the files open (a followed file, a log being written), and tests replace
// files under readers.
constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

std::wstring ProgramStem()
{
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring name = path;
    name.erase(0, name.find_last_of(L"\\/") + 1);
    name.erase(std::min(name.find_last_of(L'.'), name.size()));
    return name.empty() ? L"tests" : name;
}

bool PutBytes(const std::wstring &path, std::string_view bytes, bool append)
{
    const win::UniqueHandle file(CreateFileW(path.c_str(), append ? FILE_APPEND_DATA : GENERIC_WRITE, kShareAll,
                                             nullptr, append ? OPEN_ALWAYS : CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                                             nullptr));
    DWORD written = 0;
    return file && WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
           written == bytes.size();
}

} // namespace

TempFolder::TempFolder() : folder(NewTempFolder(ProgramStem().c_str())) {}

TempFolder::~TempFolder()
{
    RemoveFolderTree(folder);
}

void RemoveFolderTree(const std::wstring &folder)
{
    const std::wstring base = folder.empty() || folder.back() == L'\\' ? folder : folder + L'\\';
    WIN32_FIND_DATAW found;
    // Ended before the folder goes: a folder being listed cannot be removed.
    if (const FolderSearch search{FindFirstFileW((base + L"*").c_str(), &found)}) {
        do {
            const std::wstring name = found.cFileName;
            if (name == L"." || name == L"..")
                continue;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveFolderTree(base + name);
            else
                DeleteFileW((base + name).c_str());
        } while (FindNextFileW(search.get(), &found));
    }
    RemoveDirectoryW(base.c_str());
}

std::string ReadFileBytes(const std::wstring &path)
{
    return win::ReadWholeFile(path).value_or(std::string());
}

bool WriteFileBytes(const std::wstring &path, std::string_view bytes) { return PutBytes(path, bytes, false); }

bool AppendFileBytes(const std::wstring &path, std::string_view bytes) { return PutBytes(path, bytes, true); }

bool FileExists(const std::wstring &path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }
