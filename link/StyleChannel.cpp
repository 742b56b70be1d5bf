#include "link/StyleChannel.h"

#include "link/ChannelSequence.h"
#include "link/SharedBlockReader.h"
#include "link/blocks/BlockNames.h"
#include "link/blocks/StyleBlock.h"

#include <string>

namespace {

// The keys are widened unit by unit into the host's wide strings.
static_assert([] {
    for (const StyleValue &value : kStyleValues)
        for (const char c : value.name)
            if (static_cast<unsigned char>(c) > 0x7F)
                return false;
    return true;
}(), "style setting keys are ASCII");

} // namespace

int ReadStyleChannel(const String &sceneGuid, XElement *data)
{
    if (!data)
        return 0;
    BlockTextCopy copy;
    if (!CopySharedBlock(kStyleBlockPrefix, sceneGuid, copy))
        return 0;

    ChannelSequenceNumbers &taken = TakenSequenceNumbers();
    const auto block = DecodeStyleBlock(copy.Text(), taken.style);
    // A copy that mixes two texts is left for the next frame, when the block is whole again.
    if (!block || !copy.Whole())
        return 0;

    taken.style = block->sequence;
    const std::wstring font(block->font.begin(), block->font.end());
    data->SetString(L"font", font.c_str());
    for (std::size_t i = 0; i < kStyleNumberCount; ++i) {
        const std::string_view name = kStyleValues[i].name;
        data->SetInt(std::wstring(name.begin(), name.end()).c_str(), block->numbers[i]);
    }
    return 1;
}
