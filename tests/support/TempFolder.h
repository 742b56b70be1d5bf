#pragma once
// Scratch folders and whole-file reads and writes for tests that work through files.
#include "win/Handle.h"

#include <string>
#include <string_view>

// A new empty folder under the system's temporary folder, named after the test program;
// removed with everything in it when this goes.
class TempFolder {
    std::wstring folder;  // with a trailing backslash

public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder &) = delete;
    TempFolder &operator=(const TempFolder &) = delete;

    // The folder, with a trailing backslash.
    const std::wstring &Path() const { return folder; }
    // A file or folder inside it.
    std::wstring operator/(std::wstring_view name) const { return folder + std::wstring(name); }
};

// The whole file; empty when it cannot be read. Another process may be writing it.
std::string ReadFileBytes(const std::wstring &path);
// Replaces what the file holds with bytes (creating it); false when that fails.
bool WriteFileBytes(const std::wstring &path, std::string_view bytes);
// Adds bytes at the file's end (creating it); false when that fails.
bool AppendFileBytes(const std::wstring &path, std::string_view bytes);
bool FileExists(const std::wstring &path);
// A listing from FindFirstFileW, ended with FindClose.
struct FolderSearchTraits {
    using Type = HANDLE;
    static Type None() { return INVALID_HANDLE_VALUE; }
    static bool Holds(Type search) { return search != INVALID_HANDLE_VALUE; }
    static void Free(Type search) { FindClose(search); }
};
using FolderSearch = win::Owned<FolderSearchTraits>;

// Removes a folder and everything in it, as far as it can.
void RemoveFolderTree(const std::wstring &folder);
