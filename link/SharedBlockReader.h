#pragma once
#include "host/OBSApi.h"

#include <string_view>

// A private copy of a block's text, in a buffer from the host allocator.
class BlockTextCopy {
    char16_t *buffer = nullptr;
    std::size_t length = 0;

    friend bool CopySharedBlock(const char16_t *prefix, const String &sceneGuid, BlockTextCopy &copy);

public:
    BlockTextCopy() = default;
    ~BlockTextCopy();
    BlockTextCopy(const BlockTextCopy &) = delete;
    BlockTextCopy &operator=(const BlockTextCopy &) = delete;

    std::u16string_view Text() const { return std::u16string_view(buffer, length); }
};

// Opens the block named prefix + sceneGuid (creating an empty one when nobody holds it),
// copies its text and lets go of the block again. False when the scene identifier is empty
// or too long for a name, or the system or the allocator failed; mapping failures are
// printed on the console.
bool CopySharedBlock(const char16_t *prefix, const String &sceneGuid, BlockTextCopy &copy);
