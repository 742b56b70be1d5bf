#pragma once
// Small file reads that never lock others out: the events file and settings file are written
// by other programs while the companion reads them.
#include "companion/plauditor/FollowPlan.h"
#include "win/File.h"

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

// Identity and size; nothing when the file does not exist or cannot be opened.
std::optional<FileStamp> StampOf(const std::wstring &path);
std::optional<FileStamp> StampOfHandle(HANDLE file);

// Bytes from offset, at most maxBytes; nothing when the file cannot be read.
std::optional<std::string> ReadFrom(const std::wstring &path, std::uint64_t offset, std::size_t maxBytes);

// Folder of this program, with a trailing backslash.
std::wstring ProgramFolder();

// path as it is when absolute, otherwise under base.
std::wstring ResolvePath(const std::wstring &base, const std::wstring &path);
