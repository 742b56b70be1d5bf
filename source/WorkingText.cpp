#include "source/WorkingText.h"
#include "source/FileText.h"
#include "source/TextOutputSource.h"
#include "source/TextureLayout.h"

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
    read.newest = ChooseMeasureMode(source.useTextExtents, source.wrap, source.vertical,
                                    source.scrollMode) == MeasureMode::BottomFitted;
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
