#include "companion/plauditor/LogFile.h"

#include "companion/plauditor/Utf.h"

#include <algorithm>
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
    // Cut where a character starts, so the cut leaves no half of one behind.
    std::size_t cut = std::min(text.size(), maxBytes);
    if (cut < text.size())
        while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80)
            --cut;
    // Bytes that are not UTF-8 (garbage from the port, say) become U+FFFD: the log stays text.
    std::string line = Utf16ToUtf8(Utf8ToUtf16(text.substr(0, cut)));
    for (char &c : line)
        if (static_cast<unsigned char>(c) < 0x20)
            c = ' ';
    if (cut < text.size())
        line += "...";
    return line;
}
