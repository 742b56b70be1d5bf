#pragma once
// Whole-file reads and writes.
#include <windows.h>

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace win {

// The whole file; nothing when it cannot be opened or read or holds more than maxBytes, with
// the system's error code in *error when asked. Others may go on writing, renaming or
// deleting the file meanwhile: it is opened sharing everything.
std::optional<std::string> ReadWholeFile(const std::wstring &path, std::size_t maxBytes = SIZE_MAX,
                                         DWORD *error = nullptr);

// Writes a temporary file beside the target, flushes it to disk and moves it over the target,
// so readers never see half a file and a failed or interrupted write leaves the old one whole.
// The temporary file is removed on failure. false, with the error code in *error when asked.
bool WriteWholeFile(const std::wstring &path, std::string_view bytes, DWORD *error = nullptr);

} // namespace win
