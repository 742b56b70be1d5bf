#include "companion/plauditor/FileAccess.h"

#include "win/Handle.h"

namespace {

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

win::UniqueHandle OpenForReading(const std::wstring &path)
{
    return win::UniqueHandle(CreateFileW(path.c_str(), GENERIC_READ, kShareAll, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
}

} // namespace

std::optional<FileStamp> StampOf(const std::wstring &path)
{
    const win::UniqueHandle file = OpenForReading(path);
    return file ? StampOfHandle(file.get()) : std::nullopt;
}

std::optional<FileStamp> StampOfHandle(HANDLE file)
{
    BY_HANDLE_FILE_INFORMATION info{};
    if (!GetFileInformationByHandle(file, &info))
        return std::nullopt;
    FileStamp stamp;
    stamp.identity = (static_cast<std::uint64_t>(info.dwVolumeSerialNumber) << 48) ^
                     (static_cast<std::uint64_t>(info.nFileIndexHigh) << 32) ^ info.nFileIndexLow;
    stamp.size = (static_cast<std::uint64_t>(info.nFileSizeHigh) << 32) | info.nFileSizeLow;
    return stamp;
}

std::optional<std::string> ReadFrom(const std::wstring &path, std::uint64_t offset, std::size_t maxBytes)
{
    const win::UniqueHandle file = OpenForReading(path);
    LARGE_INTEGER position{};
    position.QuadPart = static_cast<LONGLONG>(offset);
    if (!file || !SetFilePointerEx(file.get(), position, nullptr, FILE_BEGIN))
        return std::nullopt;
    std::string bytes(maxBytes, '\0');
    DWORD got = 0;
    if (!ReadFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr))
        return std::nullopt;
    bytes.resize(got);
    return bytes;
}

std::wstring ProgramFolder()
{
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0)
            return L".\\";
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        path.resize(path.size() * 2);
    }
    return path.substr(0, path.find_last_of(L"\\/") + 1);
}

std::wstring ResolvePath(const std::wstring &base, const std::wstring &path)
{
    const bool absolute = (!path.empty() && (path[0] == L'\\' || path[0] == L'/')) ||
                          (path.size() > 1 && path[1] == L':');
    return absolute ? path : base + path;
}
