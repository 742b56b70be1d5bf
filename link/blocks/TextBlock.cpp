#include "link/blocks/TextBlock.h"

#include "link/blocks/BlockNumber.h"

namespace {
constexpr std::size_t kMinimumUnits = 4;
constexpr std::size_t kMinimumFields = 4;
constexpr std::size_t kPayloadField = 3;
} // namespace

std::optional<TextBlock> DecodeTextBlock(std::u16string_view text, std::int32_t lastSequence)
{
    if (text.size() < kMinimumUnits)
        return std::nullopt;
    // Every frame without news ends here: a number already taken refuses the block whatever
    // its other fields hold, so the split is left for a block that may be taken.
    if (ParseBlockNumber(FirstBlockField(text)) == lastSequence)
        return std::nullopt;
    const BlockFields fields = SplitBlockFields(text);
    if (fields.count < kMinimumFields || fields.Overflowed())
        return std::nullopt;

    TextBlock block;
    block.sequence = ParseBlockNumber(fields.field[0]);  // the first field, checked above
    block.mode = ParseBlockNumber(fields.field[1]);
    block.expectedLineCount = ParseBlockNumber(fields.field[2]);
    block.payload = JoinBlockFields(fields, kPayloadField);
    block.lines = SplitBlockLines(block.payload);
    return block;
}
