#include "source/FileText.h"
#include "source/TextureLayout.h"

#include <windows.h>

#include <algorithm>
#include <climits>

namespace {

// Bytes at the end that start a UTF-8 character they do not finish.
std::size_t UnfinishedUtf8Tail(std::string_view bytes)
{
    for (std::size_t back = 1; back <= 3 && back <= bytes.size(); ++back) {
        const unsigned char byte = static_cast<unsigned char>(bytes[bytes.size() - back]);
        if ((byte & 0xC0) == 0x80)
            continue;  // a continuation byte: look further back for its lead
        const std::size_t length = byte >= 0xF0 ? 4 : byte >= 0xE0 ? 3 : byte >= 0xC0 ? 2 : 1;
        return length > back ? back : 0;
    }
    return 0;
}

std::wstring WideFromUtf8(std::string_view utf8)
{
    if (utf8.empty() || utf8.size() > INT_MAX)
        return {};
    const int length = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    if (length <= 0)
        return {};
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(), length);
    return wide;
}

class FileHandle {
    HANDLE handle;

public:
    explicit FileHandle(HANDLE h) : handle(h) {}
    ~FileHandle() { if (handle != INVALID_HANDLE_VALUE) CloseHandle(handle); }
    FileHandle(const FileHandle &) = delete;
    FileHandle &operator=(const FileHandle &) = delete;
    HANDLE get() const { return handle; }
};

} // namespace

FileText DecodeFileText(std::string_view bytes, bool whole, unsigned maxUnits, unsigned maxLines)
{
    FileText result;
    std::wstring &text = result.text;
    if (bytes.size() >= 2 && bytes[0] == '\xFF' && bytes[1] == '\xFE') {
        bytes.remove_prefix(2);
        text.resize(bytes.size() / 2);  // an odd last byte is half a unit
        for (std::size_t i = 0; i < text.size(); ++i)
            text[i] = static_cast<wchar_t>(static_cast<unsigned char>(bytes[2 * i]) |
                                           (static_cast<unsigned char>(bytes[2 * i + 1]) << 8));
    } else {
        if (bytes.substr(0, 3) == "\xEF\xBB\xBF")
            bytes.remove_prefix(3);
        if (!whole)
            bytes.remove_suffix(UnfinishedUtf8Tail(bytes));
        text = WideFromUtf8(bytes);
    }
    // The text ends at a NUL, as a string the host hands on would; nothing after it shows.
    const std::size_t nul = text.find(L'\0');
    if (nul != std::wstring::npos) {
        text.resize(nul);
        whole = true;
    }

    // The line feed that ends line maxLines, if the text goes on after it.
    std::size_t lineEnd = 0;
    for (unsigned line = 0; line < maxLines && lineEnd != std::wstring::npos; ++line)
        lineEnd = text.find(L'\n', line == 0 ? 0 : lineEnd + 1);
    if (lineEnd != std::wstring::npos && lineEnd < maxUnits && lineEnd + 1 < text.size()) {
        text.resize(lineEnd > 0 && text[lineEnd - 1] == L'\r' ? lineEnd - 1 : lineEnd);
        result.cut = FileText::Cut::Lines;
    } else if (text.size() > maxUnits || !whole) {
        std::size_t keep = std::min<std::size_t>(maxUnits, text.size());
        if (keep > 0 && text[keep - 1] >= 0xD800 && text[keep - 1] <= 0xDBFF)
            --keep;
        text.resize(keep);
        result.cut = FileText::Cut::Units;
    }
    return result;
}

unsigned MaxFileTextLines(int fontSize)
{
    return kMaxTextureSide / static_cast<unsigned>(std::max(fontSize, 1)) + 1;
}

FileStart ReadFileStart(const wchar_t *path)
{
    FileStart start;
    const FileHandle file(CreateFileW(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file.get() == INVALID_HANDLE_VALUE)
        return start;
    // One byte more than is used tells whether the file goes on.
    start.bytes.resize(kFileTextReadBytes + 1);
    DWORD read = 0;
    if (!ReadFile(file.get(), start.bytes.data(), static_cast<DWORD>(start.bytes.size()), &read, nullptr)) {
        start.error = GetLastError();
        start.bytes.clear();
        start.result = FileStart::Result::ReadFailed;
        return start;
    }
    start.whole = read <= kFileTextReadBytes;
    start.bytes.resize(start.whole ? read : kFileTextReadBytes);
    start.result = FileStart::Result::Read;
    return start;
}
