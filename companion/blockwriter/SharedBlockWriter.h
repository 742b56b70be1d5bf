#pragma once
// Producer side of a block: creates or opens the named block and writes text into it.
// The block exists only while some process holds a handle, so the writer keeps its own
// handle for as long as it lives.
#include "win/Handle.h"

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
    win::UniqueHandle mapping;
    win::MappedView view;  // unmapped before the mapping closes

    SharedBlockWriter(win::UniqueHandle mappingHandle, win::MappedView mappedView)
        : mapping(std::move(mappingHandle)), view(std::move(mappedView)) {}
    unsigned char *Bytes() const { return static_cast<unsigned char *>(view.get()); }

public:
    // Creates the paging-file backed 2048-byte block, or opens it when it exists. Nothing, with
    // the system's error code in error, when that fails.
    static std::optional<SharedBlockWriter> Open(std::wstring_view name, DWORD &error);


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
