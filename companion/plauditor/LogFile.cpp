#include "companion/plauditor/LogFile.h"

#include <cstdio>

namespace {

// A log past this size is moved aside at start, so it never grows without bound.
constexpr LONGLONG kRotateBytes = 4 * 1024 * 1024;

void RotateIfLarge(const std::wstring &path)
{
    WIN32_FILE_ATTRIBUTE_DATA info{};
    if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &info))
        return;
    const LONGLONG size = (static_cast<LONGLONG>(info.nFileSizeHigh) << 32) | info.nFileSizeLow;
    if (size > kRotateBytes)
        MoveFileExW(path.c_str(), (path + L".old").c_str(), MOVEFILE_REPLACE_EXISTING);
}

} // namespace

LogFile::LogFile(const std::wstring &path, std::string linePrefix) : prefix(std::move(linePrefix))
{
    RotateIfLarge(path);
    file = UniqueHandle(CreateFileW(path.c_str(), FILE_APPEND_DATA,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
}

void LogFile::Line(std::string_view utf8Message)
{
    if (!file)
        return;
    SYSTEMTIME now{};
    GetLocalTime(&now);
    char stamp[32];
    std::snprintf(stamp, sizeof stamp, "%04u-%02u-%02u %02u:%02u:%02u.%03u ", now.wYear, now.wMonth, now.wDay,
                  now.wHour, now.wMinute, now.wSecond, now.wMilliseconds);
    std::string line = stamp + prefix + " " + OneLine(utf8Message, 1000) + "\r\n";
    DWORD written = 0;
    WriteFile(file.get(), line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
}

std::string OneLine(std::string_view text, std::size_t maxBytes)
{
    std::string line;
    for (const char c : text.substr(0, maxBytes))
        line += static_cast<unsigned char>(c) < 0x20 ? ' ' : c;
    // Do not leave half a UTF-8 sequence at the cut.
    if (text.size() > maxBytes) {
        while (!line.empty() && (static_cast<unsigned char>(line.back()) & 0xC0) == 0x80)
            line.pop_back();
        if (!line.empty() && static_cast<unsigned char>(line.back()) >= 0xC0)
            line.pop_back();
        line += "...";
    }
    return line;
}
