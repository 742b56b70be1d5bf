#pragma once
// Hooks of the headless host itself: what its programs and tests use to observe and steer
// the host library. Plug-ins never see these; they only get host/OBSApi.h.
#include "host/OBSApi.h"

// Allocator accounting of MainAllocator.
HOSTAPI size_t HostLiveBlocks();
HOSTAPI size_t HostLiveBytes();
HOSTAPI size_t HostTotalAllocations();
// The next `count` allocations (and growing reallocations) fail and return null.
HOSTAPI void HostFailNextAllocations(unsigned count);

// Logging. Levels: 0 information (Log), 1 warning (AppWarning), 2 fatal (CrashError).
enum HostLogLevel : int { HOST_LOG_INFO = 0, HOST_LOG_WARNING = 1, HOST_LOG_CRASH = 2 };
typedef void (*HostLogSink)(int level, CTSTR line, void *context);
// Every formatted line also goes to sink (null removes it).
HOSTAPI void HostSetLogSink(HostLogSink sink, void *context);
// Lines are appended to this file as UTF-8; null stops writing a file.
HOSTAPI void HostSetLogFile(CTSTR path);
// Lines go to stderr unless switched off (quiet test runs).
HOSTAPI void HostSetLogToStderr(bool enabled);
// AppWarning calls since the start (or the last reset).
HOSTAPI unsigned HostWarningCount();
HOSTAPI void HostResetWarningCount();

// OBSMessageBox shows nothing; it logs, counts and keeps the last text.
HOSTAPI unsigned HostMessageBoxCount();
HOSTAPI CTSTR HostLastMessageBoxText();   // empty text before the first call
HOSTAPI UINT HostLastMessageBoxFlags();   // 0 before the first call

// Image-source classes registered through API->RegisterImageSourceClass.
struct HostSourceClass {
    CTSTR className;
    CTSTR displayName;
    OBSCREATEPROC create;
    OBSCONFIGPROC configure;
};
HOSTAPI unsigned HostRegisteredClassCount();
// Null when index is out of range; valid until the registry changes.
HOSTAPI const HostSourceClass *HostRegisteredClass(unsigned index);
// Exact class-name match; null when not registered.
HOSTAPI const HostSourceClass *HostFindClass(CTSTR className);
HOSTAPI void HostClearRegisteredClasses();

// File monitors opened with OSMonitorFileStart and not yet destroyed.
HOSTAPI unsigned HostLiveFileMonitors();
// The path a monitor watches; null for a null monitor.
HOSTAPI CTSTR HostFileMonitorPath(const OSFileChangeData *monitor);

// The module handle last given to InitColorControl (null before).
HOSTAPI HINSTANCE HostColorControlInstance();

// Values the API object reports.
HOSTAPI void HostSetFPS(float fps);
HOSTAPI void HostSetBaseSize(UINT width, UINT height);
// The graphics system (GS) is installed with the hooks of hostlib/HostGraphicsControl.h.
