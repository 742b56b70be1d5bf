#include "BlockImage.h"
#include "link/blocks/StyleBlock.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const auto image = BlockImage(data, size);
    std::array<char16_t, kBlockUnits> text;
    const std::size_t length = CopyBlockText(image.data(), text.data());

    const auto block = DecodeStyleBlock(std::u16string_view(text.data(), length), -1);
    if (!block)
        return 0;
    // A taken block always has a font, which never holds a separator.
    if (block->font.empty() || block->font.find(u'|') != std::u16string::npos)
        std::abort();
    return 0;
}
