#include "source/FileText.h"
#include "source/TextOutputSource.h"
#include "source/TextureLayout.h"
#include "win/Handle.h"
#include "win/Text.h"

#include <windows.h>

#include <algorithm>

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

// Others may write the file meanwhile, as a log's writer does.
HANDLE OpenShared(const wchar_t *path)
{
    return CreateFileW(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
}

// UTF-16LE units of the bytes; an odd last byte is half a unit and left out.
std::wstring WideFromUtf16(std::string_view bytes)
{
    std::wstring text(bytes.size() / 2, L'\0');
    for (std::size_t i = 0; i < text.size(); ++i)
        text[i] = static_cast<wchar_t>(static_cast<unsigned char>(bytes[2 * i]) |
                                       (static_cast<unsigned char>(bytes[2 * i + 1]) << 8));
    return text;
}

// The text ends at a NUL, as a string the host hands on would; nothing after it shows.
bool EndAtNul(std::wstring &text)
{
    const std::size_t nul = text.find(L'\0');
    if (nul == std::wstring::npos)
        return false;
    text.resize(nul);
    return true;
}

bool IsLowSurrogate(wchar_t unit)
{
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

// Half-width cells a unit takes: the wide scripts (Hangul, CJK, full-width forms) two, the
// rest one (a surrogate pair is two units).
unsigned CellsOf(wchar_t unit)
{
    const bool wide = (unit >= 0x1100 && unit <= 0x115F) || (unit >= 0x2E80 && unit <= 0xA4CF) ||
                      (unit >= 0xAC00 && unit <= 0xD7A3) || (unit >= 0xF900 && unit <= 0xFAFF) ||
                      (unit >= 0xFE30 && unit <= 0xFE4F) || (unit >= 0xFF00 && unit <= 0xFF60) ||
                      (unit >= 0xFFE0 && unit <= 0xFFE6);
    return wide ? 2 : 1;
}

// The units at the start (or, backwards, at the end) of the text that fit in maxCells.
template <typename Units>
std::size_t UnitsWithin(Units first, Units last, unsigned maxCells)
{
    std::size_t units = 0;
    for (unsigned long long cells = 0; first != last; ++first, ++units) {
        cells += CellsOf(*first);
        if (cells > maxCells)
            break;
    }
    return units;
}

} // namespace

FileText DecodeFileText(std::string_view bytes, bool whole, unsigned maxCells, unsigned maxLines)
{
    FileText result;
    std::wstring &text = result.text;
    if (bytes.size() >= 2 && bytes[0] == '\xFF' && bytes[1] == '\xFE') {
        text = WideFromUtf16(bytes.substr(2));
    } else {
        if (bytes.substr(0, 3) == "\xEF\xBB\xBF")
            bytes.remove_prefix(3);
        if (!whole)
            bytes.remove_suffix(UnfinishedUtf8Tail(bytes));
        text = win::WideFromUtf8(bytes);
    }
    if (EndAtNul(text))
        whole = true;

    // The line feed that ends line maxLines, if the text goes on after it.
    std::size_t lineEnd = 0;
    for (unsigned line = 0; line < maxLines && lineEnd != std::wstring::npos; ++line)
        lineEnd = text.find(L'\n', line == 0 ? 0 : lineEnd + 1);
    const std::size_t fit = UnitsWithin(text.begin(), text.end(), maxCells);
    if (lineEnd != std::wstring::npos && lineEnd < fit && lineEnd + 1 < text.size()) {
        text.resize(lineEnd > 0 && text[lineEnd - 1] == L'\r' ? lineEnd - 1 : lineEnd);
        result.cut = FileText::Cut::Lines;
    } else if (fit < text.size() || !whole) {
        std::size_t keep = fit;
        if (keep > 0 && text[keep - 1] >= 0xD800 && text[keep - 1] <= 0xDBFF)
            --keep;
        text.resize(keep);
        result.cut = FileText::Cut::Units;
    }
    return result;
}

FileText DecodeFileEnd(std::string_view bytes, bool utf16, bool fromStart, unsigned maxCells, unsigned maxLines)
{
    FileText result;
    if (!utf16 && !fromStart)
        while (!bytes.empty() && (static_cast<unsigned char>(bytes.front()) & 0xC0) == 0x80)
            bytes.remove_prefix(1);  // the rest of a character cut off by the read
    std::wstring text = utf16 ? WideFromUtf16(bytes) : win::WideFromUtf8(bytes);
    EndAtNul(text);

    // A line feed that ends the text ends its last line rather than starting one.
    const std::size_t lastLineEnd = !text.empty() && text.back() == L'\n' ? text.size() - 1 : text.size();
    std::size_t begin = 0;
    if (!fromStart) {
        // The first line read is the end of a longer one.
        const std::size_t feed = text.find(L'\n');
        if (feed < lastLineEnd)
            begin = feed + 1;
        result.cut = FileText::Cut::Lines;
    }
    unsigned lines = 1;
    for (std::size_t end = lastLineEnd; end > begin;) {
        const std::size_t feed = text.rfind(L'\n', end - 1);
        if (feed == std::wstring::npos || feed < begin)
            break;
        if (lines >= maxLines) {
            begin = feed + 1;
            result.cut = FileText::Cut::Lines;
            break;
        }
        ++lines;
        end = feed;
    }
    const std::size_t fit = UnitsWithin(text.rbegin(), text.rend() - static_cast<std::ptrdiff_t>(begin), maxCells);
    if (fit < text.size() - begin) {
        const std::size_t from = text.size() - fit;
        const std::size_t feed = text.find(L'\n', from - 1);
        if (feed < lastLineEnd) {
            begin = feed + 1;
        } else {
            begin = from;
            if (IsLowSurrogate(text[begin]))
                ++begin;
        }
        result.cut = FileText::Cut::Units;
    }
    result.text = text.substr(begin);
    return result;
}

unsigned MaxFileTextLines(int fontSize)
{
    return kMaxTextureSide / static_cast<unsigned>(std::max(fontSize, 1)) + 1;
}

unsigned MaxFileTextCells(int fontSize)
{
    const unsigned long long size = static_cast<unsigned>(std::max(fontSize, 1));
    return static_cast<unsigned>(std::clamp<unsigned long long>(kFileTextArea / (size * size), 2, kFileTextCellsCeiling));
}

FileStart ReadFileStart(const wchar_t *path, std::size_t maxBytes)
{
    FileStart start;
    const win::UniqueHandle file(OpenShared(path));
    if (!file)
        return start;
    // One byte more than is used tells whether the file goes on.
    start.bytes.resize(maxBytes + 1);
    DWORD read = 0;
    if (!ReadFile(file.get(), start.bytes.data(), static_cast<DWORD>(start.bytes.size()), &read, nullptr)) {
        start.error = GetLastError();
        start.bytes.clear();
        start.result = FileStart::Result::ReadFailed;
        return start;
    }
    start.whole = read <= maxBytes;
    start.bytes.resize(start.whole ? read : maxBytes);
    start.result = FileStart::Result::Read;
    return start;
}

FileEnd ReadFileEnd(const wchar_t *path, std::size_t maxBytes)
{
    FileEnd end;
    const win::UniqueHandle file(OpenShared(path));
    if (!file)
        return end;
    const auto failed = [&end] {
        end.error = GetLastError();
        end.bytes.clear();
        end.result = FileStart::Result::ReadFailed;
        return end;
    };
    char mark[3] = {};
    DWORD read = 0;
    LARGE_INTEGER size{};
    if (!ReadFile(file.get(), mark, sizeof mark, &read, nullptr) || !GetFileSizeEx(file.get(), &size))
        return failed();
    std::size_t markLength = 0;
    if (read >= 2 && mark[0] == '\xFF' && mark[1] == '\xFE') {
        end.utf16 = true;
        markLength = 2;
    } else if (read == 3 && std::string_view(mark, 3) == "\xEF\xBB\xBF") {
        markLength = 3;
    }
    // Units of UTF-16 start at even offsets, the mark being two bytes.
    LARGE_INTEGER offset{};
    offset.QuadPart = static_cast<LONGLONG>(markLength);
    if (static_cast<unsigned long long>(size.QuadPart) > markLength + maxBytes)
    {
        offset.QuadPart = size.QuadPart - static_cast<LONGLONG>(maxBytes);
        if (end.utf16)
            offset.QuadPart += offset.QuadPart & 1;
    }
    end.bytes.resize(maxBytes);
    if (!SetFilePointerEx(file.get(), offset, nullptr, FILE_BEGIN) ||
        !ReadFile(file.get(), end.bytes.data(), static_cast<DWORD>(maxBytes), &read, nullptr))
        return failed();
    end.bytes.resize(read);
    end.fromStart = offset.QuadPart == static_cast<LONGLONG>(markLength);
    end.result = FileStart::Result::Read;
    return end;
}

namespace {

void StopFileMonitor(TextOutputSource &source)
{
    if (!source.fileMonitorActive)
        return;
    OSMonitorFileDestroy(source.fileMonitor);
    source.fileMonitor = nullptr;
    source.fileMonitorActive = false;
}

// What a read gave: the text, or the failure to warn about.
struct FileRead {
    FileStart::Result result = FileStart::Result::NotOpened;
    unsigned long error = 0;
    FileText file;
    bool newest = false;  // read from the end
};

// Bottom-anchored scroll mode shows the newest lines, so a growing log is read from its end;
// everything else shows the text from its start.
FileRead ReadShownPart(const TextOutputSource &source, unsigned maxCells, unsigned maxLines)
{
    FileRead read;
    const LayoutSettings layout = source.Layout();
    read.newest = ChooseMeasureMode(layout.useTextExtents, layout.wrap, layout.vertical,
                                    layout.scrollMode) == MeasureMode::BottomFitted;
    if (read.newest) {
        const FileEnd end = ReadFileEnd(source.filePath.Array(), FileTextReadBytes(maxCells));
        read.result = end.result;
        read.error = end.error;
        read.file = DecodeFileEnd(end.bytes, end.utf16, end.fromStart, maxCells, maxLines);
    } else {
        const FileStart start = ReadFileStart(source.filePath.Array(), FileTextReadBytes(maxCells));
        read.result = start.result;
        read.error = start.error;
        read.file = DecodeFileText(start.bytes, start.whole, maxCells, maxLines);
    }
    return read;
}

void ReadTextFile(TextOutputSource &source)
{
    // Cleared first so a failed read never leaves the previous text on screen.
    source.currentText.Clear();
    // Read here rather than by the host, which reads whole files: a large one would hold up
    // the frame for as long as reading it takes.
    const unsigned maxLines = MaxFileTextLines(source.fontSize);
    const unsigned maxCells = MaxFileTextCells(source.fontSize);
    const FileRead read = ReadShownPart(source, maxCells, maxLines);
    switch (read.result) {
    case FileStart::Result::NotOpened:
        AppWarning(L"TextSource::UpdateTexture: could not open specified file (invalid file "
                   L"name or access violation)");
        break;
    case FileStart::Result::ReadFailed:
        AppWarning(L"TextSource::UpdateTexture: could not read specified file (error %u)",
                   static_cast<unsigned>(read.error));
        break;
    case FileStart::Result::Read: {
        const std::wstring &text = read.file.text;
        if (!text.empty())
            source.currentText.AppendString(text.c_str(), static_cast<unsigned>(text.size()));
        // A log's older lines leave the bottom-anchored box anyway: there only a cut of
        // characters, which may hide what could show, is worth a warning.
        if (read.newest && read.file.cut == FileText::Cut::Units)
            AppWarning(L"TextSource::UpdateTexture: the file's newest lines hold more text than is "
                       L"drawn in time at font size %d; only the last %u characters are shown",
                       source.fontSize, static_cast<unsigned>(text.size()));
        else if (read.newest)
            break;
        else if (read.file.cut == FileText::Cut::Units)
            AppWarning(L"TextSource::UpdateTexture: the file holds more text than is drawn in time at "
                       L"font size %d; only the first %u characters are shown",
                       source.fontSize, static_cast<unsigned>(text.size()));
        else if (read.file.cut == FileText::Cut::Lines)
            AppWarning(L"TextSource::UpdateTexture: the file holds more than the %u lines a texture "
                       L"shows at font size %d; only those are shown",
                       maxLines, source.fontSize);
        break;
    }
    }
    // Watched even when unreadable, so the text appears once the file does.
    source.fileMonitor = OSMonitorFileStart(source.filePath, false);
    source.fileMonitorActive = source.fileMonitor != nullptr;
}

} // namespace

void ChooseWorkingText(TextOutputSource &source)
{
    StopFileMonitor(source);
    if (source.mode == 0)
        source.currentText = source.textSetting;
    else if (source.mode == 1 && !source.filePath.IsEmpty())
        ReadTextFile(source);
    else
        source.currentText.Clear();
}
