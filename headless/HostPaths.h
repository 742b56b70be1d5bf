#pragma once

#include <string>

// File-system edges of the host: absolute paths, folders, whole-file writes.
std::wstring AbsolutePath(const std::wstring &path);
std::wstring ProgramFolder();
std::wstring JoinPath(const std::wstring &folder, const std::wstring &name);
std::wstring ParentFolder(const std::wstring &path);
bool IsFolder(const std::wstring &path);
bool IsFile(const std::wstring &path);
// Creates the folder and any missing parents; true when it exists afterwards.
bool MakeFolders(const std::wstring &path);
