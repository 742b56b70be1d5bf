#pragma once
#include "link/PlatformSeams.h"

#include <string>
#include <string_view>
#include <vector>

// Named 2048-byte blocks in this process's memory, served through the mapping seams while an
// object lives: opening a name finds its block (or fails), mapping hands out the block, and
// unmapping and closing do nothing. The source then does its whole per-frame work with the
// kernel's part taken out.
class InMemoryBlocks {
    PlatformSeamsOverride restore;

public:
    InMemoryBlocks();
    ~InMemoryBlocks();
    InMemoryBlocks(const InMemoryBlocks &) = delete;
    InMemoryBlocks &operator=(const InMemoryBlocks &) = delete;

    // Sets the block of that name to text, zero-filled behind it (text must leave room for
    // the terminator).
    void Write(const std::wstring &name, std::u16string_view text);

    // One read of the block through the seams, as the source makes it, without the copy:
    // open, map, unmap, close.
    static void Cycle(const wchar_t *name);
};
