#include "link/SharedBlockReader.h"

#include "link/GuidText.h"
#include "link/PlatformSeams.h"
#include "link/blocks/BlockNames.h"
#include "link/blocks/BlockText.h"

#include <cstring>
#include <cwchar>

namespace {

// Name and scratch buffers: 2048 units, taken from and given back to the host. Each is
// terminated right behind what is written into it; the rest is never read, so it is not
// zero-filled.
constexpr std::size_t kBufferUnits = 2048;

void PrintConsoleLine(const wchar_t *format, DWORD error)
{
    wchar_t line[64];
    std::swprintf(line, 64, format, static_cast<int>(error));
    Platform().consoleLine(line);
}

} // namespace

bool BlockTextCopy::Whole() const
{
    return view && BlockHoldsText(view.get(), Text());
}

bool CopySharedBlock(const char16_t *prefix, const String &sceneGuid, BlockTextCopy &copy)
{
    if (IsEmptyIdentifier(sceneGuid))
        return false;
    // An identifier edited outside the plug-in may be any length; one that leaves no room
    // for the terminator is refused instead of written past the buffer.
    if (kBlockPrefixLength + sceneGuid.Length() + 1 > kBufferUnits)
        return false;

    HostMemory name(Allocate(kBufferUnits * sizeof(wchar_t)));
    if (!name.get())
        return false;
    wchar_t *nameText = static_cast<wchar_t *>(name.get());
    for (unsigned i = 0; i < kBlockPrefixLength; ++i)
        nameText[i] = static_cast<wchar_t>(prefix[i]);
    std::memcpy(nameText + kBlockPrefixLength, sceneGuid.Array(), sceneGuid.Length() * sizeof(wchar_t));
    nameText[kBlockPrefixLength + sceneGuid.Length()] = L'\0';

    SeamMapping mapping(Platform().createFileMapping(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                                                     static_cast<DWORD>(kBlockBytes), nameText));
    const DWORD mappingError = Platform().lastError();
    name.reset();
    if (!mapping.get()) {
        PrintConsoleLine(L"Could not create file mapping object (%d).\n", mappingError);
        return false;
    }

    SeamView view(static_cast<const unsigned char *>(
        Platform().mapViewOfFile(mapping.get(), FILE_MAP_ALL_ACCESS, 0, 0, kBlockBytes)));
    if (!view.get()) {
        PrintConsoleLine(L"Could not map view of file (%d).\n", Platform().lastError());
        return false;
    }

    HostMemory scratch(Allocate(kBufferUnits * sizeof(char16_t)));
    if (!scratch.get())
        return false;
    char16_t *text = static_cast<char16_t *>(scratch.get());
    // Parsing works on this copy; the shared memory is only looked at again by Whole().
    const std::size_t length = CopyBlockText(view.get(), text);
    text[length] = u'\0';  // at most kBlockUnits units came, half the buffer
    copy.length = length;
    copy.buffer = std::move(scratch);
    copy.view = std::move(view);
    copy.mapping = std::move(mapping);
    return true;
}
