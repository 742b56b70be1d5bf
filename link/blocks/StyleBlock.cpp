#include "link/blocks/StyleBlock.h"

#include "link/blocks/BlockNumber.h"

namespace {
constexpr std::size_t kMinimumUnits = 4;
} // namespace

std::optional<StyleBlock> DecodeStyleBlock(std::u16string_view text, std::int32_t lastSequence)
{
    if (text.size() < kMinimumUnits)
        return std::nullopt;
    // Every frame without news ends here: a number already taken refuses the block whatever
    // its other fields hold, so the split is left for a block that may be taken.
    if (ParseBlockNumber(FirstBlockField(text)) == lastSequence)
        return std::nullopt;
    const BlockFields fields = SplitBlockFields(text);
    if (fields.count < kStyleFieldCount || fields.Overflowed())
        return std::nullopt;

    StyleBlock block;
    block.sequence = ParseBlockNumber(fields.field[0]);  // the first field, checked above
    block.font = fields.field[1];
    for (std::size_t index = 0; index < kStyleNumberCount; ++index)
        block.numbers[index] = ParseBlockNumber(fields.field[index + 2]);
    return block;
}
