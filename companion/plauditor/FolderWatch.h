#pragma once
// A change notification on the folder that holds a file: its handle is signalled when a file
// there is written, resized, created, renamed or removed, so the main loop can sleep until
// then instead of opening the file over and over.
#include <windows.h>

#include <string>
#include <utility>

class FolderWatch {
    HANDLE handle = INVALID_HANDLE_VALUE;

public:
    FolderWatch() = default;
    // Not watching (Watching() false) when the folder is missing or the system gives no
    // notifications for it; the caller polls then.
    explicit FolderWatch(const std::wstring &filePath);
    FolderWatch(FolderWatch &&other) noexcept : handle(std::exchange(other.handle, INVALID_HANDLE_VALUE)) {}
    FolderWatch &operator=(FolderWatch &&other) noexcept
    {
        std::swap(handle, other.handle);
        return *this;
    }
    FolderWatch(const FolderWatch &) = delete;
    FolderWatch &operator=(const FolderWatch &) = delete;
    ~FolderWatch();

    bool Watching() const { return handle != INVALID_HANDLE_VALUE; }
    HANDLE Signal() const { return handle; }
    // Call before looking at the file: a change from then on signals again. False when the
    // notification broke (the folder went away); it is given up then.
    bool RearmIfSignalled();
};
