#pragma once
// Turns fuzzer bytes into a 2048-byte block image. Byte 0 chooses what lies after the input:
// even fills with zeros (a terminated block), odd with non-zero units, so blocks without any
// terminator are tried as often as terminated ones.
#include "link/blocks/BlockText.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>

inline std::array<unsigned char, kBlockBytes> BlockImage(const std::uint8_t *data, std::size_t size)
{
    std::array<unsigned char, kBlockBytes> image;
    const bool unterminated = size > 0 && (data[0] & 1);
    image.fill(unterminated ? 'x' : 0);
    if (size > 1)
        std::memcpy(image.data(), data + 1, std::min(size - 1, image.size()));
    return image;
}
