#include "link/TextChannel.h"

#include "link/ChannelSequence.h"
#include "link/SharedBlockReader.h"
#include "link/blocks/BlockNames.h"
#include "link/blocks/TextBlock.h"

#include <string>

int ReadTextChannel(String &outText, const String &sceneGuid, XElement *data)
{
    if (!data)
        return 0;
    BlockTextCopy copy;
    if (!CopySharedBlock(kTextBlockPrefix, sceneGuid, copy))
        return 0;

    ChannelSequenceNumbers &taken = TakenSequenceNumbers();
    const auto block = DecodeTextBlock(copy.Text(), taken.text);
    // A copy that mixes two texts is left for the next frame, when the block is whole again.
    if (!block || !copy.Whole())
        return 0;

    taken.text = block->sequence;
    data->SetInt(L"mode", block->mode);
    if (block->LineCheckPassed()) {
        outText.Clear();
        for (std::size_t i = 0; i < block->lines.Kept(); ++i) {
            if (i > 0)
                outText.AppendString(L"\r\n");
            const std::u16string_view line = block->Line(i);
            const std::wstring wideLine(line.begin(), line.end());  // never empty
            outText.AppendString(wideLine.c_str());
        }
    }
    return 1;
}
