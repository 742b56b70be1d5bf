#include "link/blocks/StyleBlock.h"

#include "link/blocks/BlockNumber.h"

namespace {
constexpr std::size_t kMinimumUnits = 4;
} // namespace

std::optional<StyleBlock> DecodeStyleBlock(std::u16string_view text, std::int32_t lastSequence)
{
    if (text.size() < kMinimumUnits)
        return std::nullopt;
    const BlockFields fields = SplitBlockFields(text);
    if (fields.count < kStyleFieldCount || fields.Overflowed())
        return std::nullopt;

    StyleBlock block;
    block.sequence = ParseBlockNumber(fields.field[0]);
    if (block.sequence == lastSequence)
        return std::nullopt;
    block.font = fields.field[1];
    for (std::size_t index = 0; index < kStyleNumberCount; ++index)
        block.numbers[index] = ParseBlockNumber(fields.field[index + 2]);
    return block;
}
