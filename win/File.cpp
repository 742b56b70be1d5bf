#include "win/File.h"

#include "win/Handle.h"

#include <algorithm>
#include <cstdint>

namespace win {

namespace {

// ReadFile and WriteFile take a DWORD count; larger transfers go in pieces.
constexpr std::size_t kPiece = 1u << 30;

void Failed(DWORD *error)
{
    if (error)
        *error = GetLastError();
}

} // namespace

std::optional<std::string> ReadWholeFile(const std::wstring &path, std::size_t maxBytes, DWORD *error)
{
    const UniqueHandle file(CreateFileW(path.c_str(), GENERIC_READ,
                                        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                        OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    LARGE_INTEGER size{};
    if (!file || !GetFileSizeEx(file.get(), &size)) {
        Failed(error);
        return std::nullopt;
    }
    if (static_cast<std::uint64_t>(size.QuadPart) > maxBytes) {
        if (error)
            *error = ERROR_FILE_TOO_LARGE;
        return std::nullopt;
    }
    std::string bytes(static_cast<std::size_t>(size.QuadPart), '\0');
    std::size_t done = 0;
    // A file that shrank meanwhile ends early.
    while (done < bytes.size()) {
        DWORD got = 0;
        if (!ReadFile(file.get(), bytes.data() + done, DWORD(std::min(bytes.size() - done, kPiece)), &got, nullptr)) {
            Failed(error);
            return std::nullopt;
        }
        if (got == 0)
            break;
        done += got;
    }
    bytes.resize(done);
    // The size is only a first guess: Linux's /proc files, read through Wine's Z: drive,
    // report none, and a file may grow while it is read.
    char tail[4096];
    for (;;) {
        DWORD got = 0;
        if (!ReadFile(file.get(), tail, sizeof tail, &got, nullptr)) {
            Failed(error);
            return std::nullopt;
        }
        if (got == 0)
            break;
        if (got > maxBytes - bytes.size()) {
            if (error)
                *error = ERROR_FILE_TOO_LARGE;
            return std::nullopt;
        }
        bytes.append(tail, got);
    }
    return bytes;
}

bool WriteWholeFile(const std::wstring &path, std::string_view bytes, DWORD *error)
{
    const std::wstring temporary = path + L".saving";
    UniqueHandle file(
        CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        Failed(error);
        return false;
    }
    bool ok = true;
    for (std::size_t done = 0; ok && done < bytes.size();) {
        DWORD written = 0;
        ok = WriteFile(file.get(), bytes.data() + done, DWORD(std::min(bytes.size() - done, kPiece)), &written,
                       nullptr);
        if (ok && written == 0) {
            ok = false;
            SetLastError(ERROR_WRITE_FAULT);
        }
        done += written;
    }
    ok = ok && FlushFileBuffers(file.get());
    DWORD code = ok ? 0 : GetLastError();
    file.reset();
    if (ok && !MoveFileExW(temporary.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        ok = false;
        code = GetLastError();
    }
    if (!ok) {
        DeleteFileW(temporary.c_str());
        if (error)
            *error = code;
    }
    return ok;
}

} // namespace win
