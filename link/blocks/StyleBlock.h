#pragma once
#include "link/blocks/BlockText.h"

#include <array>
#include <cstdint>
#include <optional>

// A style block: "sequence|font|" then 21 numbers in the order of the source's style settings
// (fontSize, color, ... align). Fields after those 23 are ignored.
inline constexpr std::size_t kStyleFieldCount = 23;
inline constexpr std::size_t kStyleNumberCount = kStyleFieldCount - 2;

struct StyleBlock {
    std::int32_t sequence = 0;
    std::u16string font;
    std::array<std::int32_t, kStyleNumberCount> numbers{};
};

// The block, when it is to be taken: at least 4 units of text, 23 to kMaxBlockFields fields
// and a sequence number other than lastSequence. As with text blocks, a block with more
// fields than slots is refused whole.
std::optional<StyleBlock> DecodeStyleBlock(std::u16string_view text, std::int32_t lastSequence);
