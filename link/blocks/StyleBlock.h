#pragma once
#include "link/blocks/BlockText.h"
#include "link/blocks/StyleValues.h"

#include <array>
#include <cstdint>
#include <optional>

// A style block: "sequence|font|" then one number per style value, in the order of
// kStyleValues (fontSize, color, ... align). Fields after those are ignored.
inline constexpr std::size_t kStyleFieldCount = 2 + kStyleNumberCount;

struct StyleBlock {
    std::int32_t sequence = 0;
    std::u16string font;
    std::array<std::int32_t, kStyleNumberCount> numbers{};
};

// The block, when it is to be taken: at least 4 units of text, kStyleFieldCount to
// kMaxBlockFields fields and a sequence number other than lastSequence. As with text blocks, a block with more
// fields than slots is refused whole.
std::optional<StyleBlock> DecodeStyleBlock(std::u16string_view text, std::int32_t lastSequence);
