#include "link/StyleChannel.h"

#include "link/ChannelSequence.h"
#include "link/SharedBlockReader.h"
#include "link/blocks/BlockNames.h"
#include "link/blocks/StyleBlock.h"

#include <string>

namespace {

// The settings a style block carries after its font, in block order.
constexpr CTSTR kStyleNumberKeys[] = {
    L"fontSize",       L"color",       L"textOpacity",    L"scrollSpeed",
    L"backgroundColor", L"backgroundOpacity", L"bold",    L"italic",
    L"underline",      L"vertical",    L"pointFiltering", L"useOutline",
    L"outlineColor",   L"outlineSize", L"outlineOpacity", L"useTextExtents",
    L"extentWidth",    L"extentHeight", L"wrap",          L"scrollMode",
    L"align",
};
static_assert(sizeof kStyleNumberKeys / sizeof kStyleNumberKeys[0] == kStyleNumberCount);

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
    for (std::size_t i = 0; i < kStyleNumberCount; ++i)
        data->SetInt(kStyleNumberKeys[i], block->numbers[i]);
    return 1;
}
