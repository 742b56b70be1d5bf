#include "source/WorkingText.h"
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
    {
        XFile file;
        if (file.Open(source.filePath, XFILE_READ | XFILE_SHARED, XFILE_OPENEXISTING)) {
            file.ReadFileToString(source.currentText);
        } else {
            AppWarning(L"TextSource::UpdateTexture: could not open specified file (invalid file "
                       L"name or access violation)");
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
