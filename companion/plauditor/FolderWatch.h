#pragma once
// A change notification on the folder that holds a file: its handle is signalled when a file
// there is written, resized, created, renamed or removed, so the main loop can sleep until
// then instead of opening the file over and over.
#include "win/Handle.h"

#include <string>

class FolderWatch {
    win::ChangeNotification handle;

public:
    FolderWatch() = default;
    // Not watching (Watching() false) when the folder is missing or the system gives no
    // notifications for it; the caller polls then.
    explicit FolderWatch(const std::wstring &filePath);

    bool Watching() const { return bool(handle); }
    HANDLE Signal() const { return handle.get(); }
    // Call before looking at the file: a change from then on signals again. False when the
    // notification broke (the folder went away); it is given up then.
    bool RearmIfSignalled();
};
