#include "headless/HostPaths.h"

#include <windows.h>

#include <vector>

std::wstring AbsolutePath(const std::wstring &path)
{
    const DWORD needed = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    if (needed == 0)
        return path;
    std::vector<wchar_t> buffer(needed);
    const DWORD length = GetFullPathNameW(path.c_str(), needed, buffer.data(), nullptr);
    if (length == 0 || length >= needed)
        return path;
    return std::wstring(buffer.data(), length);
}

std::wstring ProgramFolder()
{
    std::vector<wchar_t> buffer(MAX_PATH);
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length < buffer.size())
            return ParentFolder(std::wstring(buffer.data(), length));
        buffer.resize(buffer.size() * 2);
    }
}

std::wstring JoinPath(const std::wstring &folder, const std::wstring &name)
{
    if (folder.empty())
        return name;
    const wchar_t last = folder.back();
    return last == L'\\' || last == L'/' ? folder + name : folder + L"\\" + name;
}

std::wstring ParentFolder(const std::wstring &path)
{
    const size_t slash = path.find_last_of(L"\\/");
    if (slash == std::wstring::npos)
        return L".";
    if (slash == 2 && path[1] == L':')
        return path.substr(0, 3);
    return path.substr(0, slash);
}

bool IsFolder(const std::wstring &path)
{
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool IsFile(const std::wstring &path)
{
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool MakeFolders(const std::wstring &path)
{
    if (path.empty() || IsFolder(path))
        return !path.empty();
    const std::wstring parent = ParentFolder(path);
    if (parent != path && parent != L"." && !IsFolder(parent) && !MakeFolders(parent))
        return false;
    return CreateDirectoryW(path.c_str(), nullptr) || IsFolder(path);
}
