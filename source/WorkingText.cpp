#include "source/WorkingText.h"
#include "source/FileText.h"
#include "source/TextOutputSource.h"

namespace {

void StopFileMonitor(TextOutputSource &source)
{
    if (!source.fileMonitorActive)
        return;
    OSMonitorFileDestroy(source.fileMonitor);
    source.fileMonitor = nullptr;
    source.fileMonitorActive = false;
}

void ReadTextFile(TextOutputSource &source)
{
    // Cleared first so a failed read never leaves the previous text on screen.
    source.currentText.Clear();
    // Read here rather than by the host, which reads whole files: a large one would hold up
    // the frame for as long as reading it takes.
    const FileStart start = ReadFileStart(source.filePath.Array());
    switch (start.result) {
    case FileStart::Result::NotOpened:
        AppWarning(L"TextSource::UpdateTexture: could not open specified file (invalid file "
                   L"name or access violation)");
        break;
    case FileStart::Result::ReadFailed:
        AppWarning(L"TextSource::UpdateTexture: could not read specified file (error %u)",
                   static_cast<unsigned>(start.error));
        break;
    case FileStart::Result::Read: {
        const unsigned maxLines = MaxFileTextLines(source.fontSize);
        const FileText file = DecodeFileText(start.bytes, start.whole, kMaxFileTextUnits, maxLines);
        if (!file.text.empty())
            source.currentText.AppendString(file.text.c_str(), static_cast<unsigned>(file.text.size()));
        if (file.cut == FileText::Cut::Units)
            AppWarning(L"TextSource::UpdateTexture: the file holds more than %u characters; only the "
                       L"first %u are shown",
                       kMaxFileTextUnits, static_cast<unsigned>(file.text.size()));
        else if (file.cut == FileText::Cut::Lines)
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
