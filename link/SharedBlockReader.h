#pragma once
#include "host/OBSApi.h"
#include "link/PlatformSeams.h"

#include <string_view>

// Memory from the host allocator.
struct HostMemoryTraits : win::NullIsNone<void *> {
    static void Free(Type memory) { ::Free(memory); }
};
using HostMemory = win::Owned<HostMemoryTraits>;

// A private copy of a block's text, in a buffer from the host allocator. The block stays
// mapped while the copy lives, for a second look before the copy is taken.
class BlockTextCopy {
    // Let go of in reverse: the buffer, then the view, then the mapping.
    SeamMapping mapping;
    SeamView view;
    HostMemory buffer;
    std::size_t length = 0;

    friend bool CopySharedBlock(const char16_t *prefix, const String &sceneGuid, BlockTextCopy &copy);

public:
    std::u16string_view Text() const
    {
        return std::u16string_view(static_cast<const char16_t *>(buffer.get()), length);
    }
    // Whether the block still holds the copied text. The producer may rewrite the block while
    // it is copied, and a copy that mixes two texts can carry a number not yet taken; a second
    // look tells. Worth it only for a copy that is to be taken: that is when a mix would show.
    bool Whole() const;
};

// Opens the block named prefix + sceneGuid (creating an empty one when nobody holds it) and
// copies its text; the block is let go of with the copy. False when the scene identifier is empty
// or too long for a name, or the system or the allocator failed; mapping failures are
// printed on the console.
bool CopySharedBlock(const char16_t *prefix, const String &sceneGuid, BlockTextCopy &copy);
