#include "host/OBSApi.h"
#include "source/TextOutputSource.h"

#include <algorithm>

// Optional exports for our headless host: what a source shows, and a way to rasterise it
// on demand. A host that does not know them never looks them up.
extern "C" __declspec(dllexport) int DescribeSource(ImageSource *source, wchar_t *text,
                                                    int textCapacity, int *textureWidth,
                                                    int *textureHeight)
{
    auto *textSource = dynamic_cast<TextOutputSource *>(source);
    if (!textSource)
        return -1;
    if (textureWidth)
        *textureWidth = textSource->texture ? textSource->textureWidth : 0;
    if (textureHeight)
        *textureHeight = textSource->texture ? textSource->textureHeight : 0;
    const int length = static_cast<int>(textSource->currentText.Length());
    if (text && textCapacity > 0) {
        const int copied = std::min(length, textCapacity - 1);
        if (copied > 0)
            std::copy_n(textSource->currentText.Array(), copied, text);
        text[copied] = 0;
    }
    return length;
}

extern "C" __declspec(dllexport) void RasteriseSource(ImageSource *source)
{
    if (auto *textSource = dynamic_cast<TextOutputSource *>(source))
        textSource->UpdateTexture();
}
