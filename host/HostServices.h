#pragma once
#include "HostExport.h"
#include "HostString.h"

// Logging: printf-style wide formats (%s takes a wide string, %d and %u 32-bit integers).
HOSTAPI void __cdecl Log(CTSTR format, ...);
HOSTAPI void __cdecl AppWarning(CTSTR format, ...);
// Fatal: logs the message and ends the process with a non-zero exit code.
[[noreturn]] HOSTAPI void __cdecl CrashError(CTSTR format, ...);

HOSTAPI int OBSMessageBox(HWND owner, CTSTR text, CTSTR caption, UINT flags);
HOSTAPI void InitColorControl(HINSTANCE moduleInstance);

// Case-insensitive comparison; 0 when equal.
HOSTAPI int scmpi(CTSTR a, CTSTR b);
// Copies at most maxChars characters of source and always terminates destination,
// so destination needs room for maxChars + 1 characters.
HOSTAPI TSTR scpy_n(TSTR destination, CTSTR source, size_t maxChars);

class HOSTAPI LocaleStringLookup {
public:
    // The text for key; the key itself when the table has none.
    CTSTR LookupString(CTSTR key) const;
};
extern HOSTAPI LocaleStringLookup *locale;

// Files.
enum : DWORD {
    XFILE_READ = 0x1,
    XFILE_WRITE = 0x2,
    XFILE_SHARED = 0x4,
};
enum : DWORD {
    XFILE_CREATENEW = 1,
    XFILE_CREATEALWAYS = 2,
    XFILE_OPENEXISTING = 3,
    XFILE_OPENALWAYS = 4,
};

class HOSTAPI XFile {
    HANDLE handle = INVALID_HANDLE_VALUE;

public:
    XFile();
    ~XFile();
    XFile(const XFile &) = delete;
    XFile &operator=(const XFile &) = delete;

    // Nonzero on success. access: XFILE_READ | XFILE_WRITE | XFILE_SHARED; creation: XFILE_*.
    BOOL Open(CTSTR path, DWORD access, DWORD creation);
    BOOL IsOpen() const { return handle != INVALID_HANDLE_VALUE; }
    void Close();
    // Reads the whole file as text (UTF-8 with or without a byte-order mark, or UTF-16LE
    // with its mark) into str. Nonzero on success.
    BOOL ReadFileToString(String &str);
};

// Watching a file for changes.
struct OSFileChangeData;
HOSTAPI OSFileChangeData *OSMonitorFileStart(String path, bool suppressLogging = false);
HOSTAPI void OSMonitorFileDestroy(OSFileChangeData *data);
