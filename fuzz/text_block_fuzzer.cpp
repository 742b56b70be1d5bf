#include "BlockImage.h"
#include "link/blocks/TextBlock.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const auto image = BlockImage(data, size);
    std::array<char16_t, kBlockUnits> text;
    const std::size_t length = CopyBlockText(image.data(), text.data());
    if (length > kBlockUnits)
        std::abort();

    const auto block = DecodeTextBlock(std::u16string_view(text.data(), length), -1);
    if (!block)
        return 0;
    // What the reader relies on: spans inside the payload, no empty line, no line break kept.
    if (block->lines.Kept() > kMaxShownLines || block->payload.size() > length)
        std::abort();
    for (std::size_t i = 0; i < block->lines.Kept(); ++i) {
        const std::u16string_view line = block->Line(i);
        if (line.empty() || line.find_first_of(u"\r\n") != std::u16string_view::npos)
            std::abort();
    }
    if (block->payload.find(u"||") != std::u16string::npos)
        std::abort();
    return 0;
}
