// New text: Preprocess taking a new two-line text and rasterising it, against a bare GDI+
// step that measures the same text and draws it into a bitmap of the same size.
#include "bench/BenchRows.h"
#include "bench/BenchScenes.h"
#include "bench/BareTextDrawer.h"
#include "source/GdiplusHandles.h"
#include "source/TextOutputSource.h"

#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

// withReads: the floor also reads both blocks, as every Preprocess must. withUpload: it also
// refreshes a texture of the source's size with as many pixels, as the host must be handed them.
BenchRow NewTextRow(const BenchOptions &options, bool outline, bool withReads, bool withUpload = false)
{
    BenchScenes scenes(1, 1);
    // Numbers not taken before: a style block with a number an earlier row took would be
    // left unread, and the row would time the previous row's style.
    int sequence = FreshSequence();
    scenes.WriteStyle(0, FreshSequence(), ThankYouStyle(outline));
    scenes.WriteText(0, sequence, {kThankYouLine1, kThankYouLine2});
    scenes.PreprocessAll();
    TextOutputSource *source = scenes.Sources()[0];
    if (!source->texture || source->currentText.IsEmpty() ||
        ThankYouText() != source->currentText.Array() || source->useOutline != outline) {
        std::fprintf(stderr, "bench: the source did not take the thank-you text and style\n");
        std::exit(1);
    }

    BareTextDrawer bare(ThankYouText());
    const std::wstring textBlock = TextBlockName(scenes.SceneGuid(0));
    const std::wstring styleBlock = StyleBlockName(scenes.SceneGuid(0));
    BenchRow row;
    row.name = outline ? "new text, outline 2" : "new text";
    row.unit = "call";
    row.floorName = outline ? "bare measure, path, pen, fill" : "bare measure and draw";
    if (withReads)
        row.floorName += " + 2 bare block reads";
    if (withUpload)
        row.floorName += " + texture refresh";
    std::vector<unsigned char> pixels(static_cast<std::size_t>(source->textureWidth) * source->textureHeight * 4);
    row.target = 1.2;
    row.result = TimePaired(
        options.runs, Units(options, 20),
        [&](int count) {
            for (int i = 0; i < count; ++i) {
                scenes.WriteText(0, ++sequence, {kThankYouLine1, kThankYouLine2});
                source->Preprocess();
            }
        },
        [&](int count) {
            for (int i = 0; i < count; ++i) {
                if (withReads) {
                    BareBlockCycle(textBlock.c_str());
                    BareBlockCycle(styleBlock.c_str());
                }
                bare.Draw(outline);
                if (withUpload)
                    source->texture->SetImage(pixels.data(), GS_IMAGEFORMAT_BGRA,
                                              static_cast<UINT>(source->textureWidth) * 4);
            }
        });
    return row;
}

} // namespace

std::vector<BenchRow> NewTextRows(const BenchOptions &options)
{
    return {NewTextRow(options, false, false),      NewTextRow(options, true, false),
            NewTextRow(options, false, true),       NewTextRow(options, true, true),
            NewTextRow(options, false, true, true), NewTextRow(options, true, true, true)};
}
