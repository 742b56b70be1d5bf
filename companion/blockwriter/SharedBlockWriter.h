#pragma once
// Producer side of a block: creates or opens the named block and writes text into it.
// The block exists only while some process holds a handle, so the writer keeps its own
// handle for as long as it lives.
#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <string_view>

// "TCPlauditor" / "TSPlauditor" followed by the scene identifier.
std::wstring TextBlockName(std::wstring_view sceneGuid);
std::wstring StyleBlockName(std::wstring_view sceneGuid);

// A copy of a block's 2 KB takes microseconds; a millisecond's sleep outlasts every copy
// whose reader was not stopped in the middle of it.
void WaitForCopiesUnderWay();

class SharedBlockWriter {
    HANDLE mapping = nullptr;
    unsigned char *view = nullptr;

    SharedBlockWriter(HANDLE mappingHandle, unsigned char *mappedView)
        : mapping(mappingHandle), view(mappedView) {}

public:
    // Creates the paging-file backed 2048-byte block, or opens it when it exists. Nothing, with
    // the system's error code in error, when that fails.
    static std::optional<SharedBlockWriter> Open(std::wstring_view name, DWORD &error);

    SharedBlockWriter(SharedBlockWriter &&other) noexcept;
    SharedBlockWriter &operator=(SharedBlockWriter &&other) noexcept;
    SharedBlockWriter(const SharedBlockWriter &) = delete;
    SharedBlockWriter &operator=(const SharedBlockWriter &) = delete;
    ~SharedBlockWriter();

    // Writes text as UTF-16LE with its terminator; false (nothing written) when it is longer
    // than the block holds. The first unit goes to 0 first, which makes an empty block that
    // readers pass over; then waitForCopies lets a copy that started before that finish; then
    // the rest is written, and the first unit last. So a reader that copies the block once
    // gets the old text or the new one, unless it was held up in the middle of its copy for
    // longer than the wait: the plug-in's reader looks twice to catch that.
    bool Write(std::u16string_view text, const std::function<void()> &waitForCopies = WaitForCopiesUnderWay);
    // Writes bytes from the start of the block as they are (at most the block's size), for
    // images no producer should make, such as a block without a terminator.
    void WriteImage(const void *bytes, std::size_t size);
};
