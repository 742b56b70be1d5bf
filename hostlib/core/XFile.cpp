// XFile: a Win32 file handle with whole-file text reading.
#include "host/HostServices.h"
#include "TextConversion.h"
#include "win/Handle.h"

#include <string>
#include <utility>

namespace {

// Files beyond this are not text a source shows; refusing them bounds the memory used.
constexpr LONGLONG maxTextFileBytes = 64LL << 20;

}  // namespace

XFile::XFile() {}

XFile::~XFile() { Close(); }

BOOL XFile::Open(CTSTR path, DWORD access, DWORD creation)
{
    Close();
    if (!path || !*path || creation < XFILE_CREATENEW || creation > XFILE_OPENALWAYS)
        return FALSE;
    DWORD desiredAccess = 0;
    if (access & XFILE_READ)
        desiredAccess |= GENERIC_READ;
    if (access & XFILE_WRITE)
        desiredAccess |= GENERIC_WRITE;
    // Shared files stay readable and writable by others, e.g. a program updating the text.
    DWORD shareMode = (access & XFILE_SHARED) ? FILE_SHARE_READ | FILE_SHARE_WRITE : 0;
    // The XFILE_ creation codes are the Win32 ones.
    handle = CreateFileW(path, desiredAccess, shareMode, nullptr, creation, FILE_ATTRIBUTE_NORMAL, nullptr);
    return handle != INVALID_HANDLE_VALUE;
}

void XFile::Close()
{
    // The handle's type is part of the host's interface; the owner only closes it.
    win::UniqueHandle(std::exchange(handle, INVALID_HANDLE_VALUE));
}

BOOL XFile::ReadFileToString(String &str)
{
    if (handle == INVALID_HANDLE_VALUE)
        return FALSE;
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(handle, &size) || size.QuadPart > maxTextFileBytes)
        return FALSE;
    LARGE_INTEGER start{};
    if (!SetFilePointerEx(handle, start, nullptr, FILE_BEGIN))
        return FALSE;
    std::string bytes(size_t(size.QuadPart), '\0');
    DWORD read = 0;
    if (!bytes.empty() && !ReadFile(handle, bytes.data(), DWORD(bytes.size()), &read, nullptr))
        return FALSE;
    bytes.resize(read);
    std::wstring text = DecodeTextFileBytes(bytes);
    str = text.c_str();
    if (!text.empty() && str.IsEmpty())
        return FALSE;   // out of memory
    return TRUE;
}
