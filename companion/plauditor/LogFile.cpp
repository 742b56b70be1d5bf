#include "companion/plauditor/LogFile.h"

#include "companion/plauditor/FileAccess.h"
#include "companion/plauditor/Utf.h"

#include <algorithm>
#include <cstdio>

namespace {

std::string Stamp()
{
    SYSTEMTIME now{};
    GetLocalTime(&now);
    char stamp[32];
    std::snprintf(stamp, sizeof stamp, "%04u-%02u-%02u %02u:%02u:%02u.%03u ", now.wYear, now.wMonth, now.wDay,
                  now.wHour, now.wMinute, now.wSecond, now.wMilliseconds);
    return stamp;
}

} // namespace

LogFile::LogFile(std::wstring logPath, std::string linePrefix, std::uint64_t rotateAfterBytes)
    : path(std::move(logPath)), prefix(std::move(linePrefix)), rotateBytes(rotateAfterBytes)
{
    Open();
    RotateIfLarge();
}

void LogFile::Open()
{
    file = win::UniqueHandle(CreateFileW(path.c_str(), FILE_APPEND_DATA,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
}

// Another scene's companion may have moved the file aside already: then only reopen, so the
// file it began is not moved over the older one.
void LogFile::RotateIfLarge()
{
    LARGE_INTEGER size{};
    if (!file || !GetFileSizeEx(file.get(), &size) || static_cast<std::uint64_t>(size.QuadPart) <= rotateBytes)
        return;
    const auto mine = Identity();
    const auto atPath = StampOf(path);
    if (mine && atPath && atPath->identity == *mine)
        MoveFileExW(path.c_str(), (path + L".old").c_str(), MOVEFILE_REPLACE_EXISTING);
    Open();
}

void LogFile::Line(std::string_view utf8Message)
{
    if (!file)
        return;
    std::string line = Stamp() + prefix + " " + OneLine(utf8Message, 1000) + "\r\n";
    DWORD written = 0;
    WriteFile(file.get(), line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
    RotateIfLarge();
}

void LogFile::LastWords(const char *message) noexcept
{
    if (!file)
        return;
    SYSTEMTIME now{};
    GetLocalTime(&now);
    char line[512];
    const int length = std::snprintf(line, sizeof line, "%04u-%02u-%02u %02u:%02u:%02u.%03u %s %s\r\n", now.wYear,
                                     now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond, now.wMilliseconds,
                                     prefix.c_str(), message);
    DWORD written = 0;
    if (length > 0)
        WriteFile(file.get(), line, static_cast<DWORD>(std::min<int>(length, sizeof line - 1)), &written, nullptr);
}

namespace {

std::wstring FullPath(const std::wstring &path)
{
    std::wstring full(MAX_PATH, L'\0');
    DWORD length = GetFullPathNameW(path.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
    if (length >= full.size()) {
        full.resize(length);
        length = GetFullPathNameW(path.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
    }
    full.resize(length < full.size() ? length : 0);
    return full.empty() ? path : full;
}

bool SameName(const std::wstring &a, const std::wstring &b)
{
    return CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(), static_cast<int>(b.size()), TRUE) ==
           CSTR_EQUAL;
}

} // namespace

bool LogFile::Writes(const std::wstring &otherPath) const
{
    const std::wstring other = FullPath(otherPath), own = FullPath(path);
    if (SameName(other, own) || SameName(other, own + L".old"))
        return true;
    const auto stamp = StampOf(otherPath);
    const auto mine = Identity();
    const auto moved = StampOf(path + L".old");
    return stamp && ((mine && stamp->identity == *mine) || (moved && stamp->identity == moved->identity));
}

std::optional<std::uint64_t> LogFile::Identity() const
{
    if (!file)
        return std::nullopt;
    const auto stamp = StampOfHandle(file.get());
    return stamp ? std::optional(stamp->identity) : std::nullopt;
}
