// The headless host has no windows: a message box is logged and counted.
#include "hostlib/HostControl.h"
#include "HostLog.h"
#include "HostLock.h"

#include <mutex>
#include <string>

namespace {
HostLock boxMutex;
unsigned boxCount = 0;
UINT lastBoxFlags = 0;
std::wstring *lastBoxText = new std::wstring;   // never destroyed: read until the very end
HINSTANCE colorControlInstance = nullptr;
}  // namespace

HOSTAPI int OBSMessageBox(HWND owner, CTSTR text, CTSTR caption, UINT flags)
{
    std::wstring shown = text ? text : L"";
    {
        std::lock_guard<HostLock> lock(boxMutex);
        ++boxCount;
        *lastBoxText = shown;
        lastBoxFlags = flags;
    }
    EmitHostLogLine(HOST_LOG_INFO, L"message box: " + std::wstring(caption ? caption : L"") + L": " + shown);
    return IDOK;
}

HOSTAPI void InitColorControl(HINSTANCE moduleInstance) { colorControlInstance = moduleInstance; }

HOSTAPI unsigned HostMessageBoxCount()
{
    std::lock_guard<HostLock> lock(boxMutex);
    return boxCount;
}

HOSTAPI UINT HostLastMessageBoxFlags()
{
    std::lock_guard<HostLock> lock(boxMutex);
    return lastBoxFlags;
}

HOSTAPI CTSTR HostLastMessageBoxText()
{
    std::lock_guard<HostLock> lock(boxMutex);
    return lastBoxText->c_str();
}

HOSTAPI HINSTANCE HostColorControlInstance() { return colorControlInstance; }
