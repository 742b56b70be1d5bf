#pragma once
#include "link/blocks/BlockText.h"

#include <cstdint>
#include <optional>

// A text block: "sequence|mode|line count|payload", the payload's lines separated by CR LF.
struct TextBlock {
    std::int32_t sequence = 0;
    std::int32_t mode = 0;
    std::int32_t expectedLineCount = 0;
    // Fields 3 and on joined with single "|"; lines holds spans into it.
    std::u16string payload;
    BlockLines lines;

    // The text is shown only when the producer's line count matches the lines that arrived.
    bool LineCheckPassed() const
    {
        return expectedLineCount >= 1 && lines.count == static_cast<std::size_t>(expectedLineCount);
    }
    std::u16string_view Line(std::size_t index) const
    {
        return std::u16string_view(payload).substr(lines.line[index].offset, lines.line[index].length);
    }
};

// The block, when it is to be taken: at least 4 units of text, 4 to kMaxBlockFields fields
// and a sequence number other than lastSequence. A block with more fields than slots is
// refused rather than cut, so a payload is never shown with its tail silently missing and
// the block's number stays free for a corrected block.
std::optional<TextBlock> DecodeTextBlock(std::u16string_view text, std::int32_t lastSequence);
