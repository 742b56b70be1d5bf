#include "host/OBSApi.h"
#include "plugin/SourceDescription.h"
#include "source/TextOutputSource.h"

#include <algorithm>

// Optional exports for our headless host: what a source shows and the settings it works
// with, and a way to rasterise it on demand. A host that does not know them never looks
// them up.
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

// Writes the source's settings as UTF-8 JSON (at most capacity - 1 bytes and a terminator);
// returns the full length, or -1 for a source of another class.
extern "C" __declspec(dllexport) int DescribeSourceSettings(ImageSource *source, char *json,
                                                            int capacity)
{
    auto *textSource = dynamic_cast<TextOutputSource *>(source);
    if (!textSource)
        return -1;
    const std::string text = EffectiveSettingsJson(*textSource);
    if (json && capacity > 0) {
        const size_t copied = std::min(text.size(), static_cast<size_t>(capacity - 1));
        std::copy_n(text.data(), copied, json);
        json[copied] = 0;
    }
    return static_cast<int>(text.size());
}
