// Where a rebuild's time goes: each step the source takes for new text, timed alone against
// the same floor as the new-text rows (a bare measure and draw), so each ratio is that
// step's share of the floor. The steps are the source's own functions, called as a rebuild
// calls them. Then the rebuilds at the 8192x8192 size limit, against a bare bitmap of that
// size cleared once.
#include "bench/BareTextDrawer.h"
#include "bench/BenchRows.h"
#include "bench/BenchScenes.h"
#include "source/GdiHandles.h"
#include "source/PixelCanvas.h"
#include "source/TextDrawing.h"
#include "source/TextFont.h"
#include "source/TextMeasure.h"
#include "source/TextOutputSource.h"
#include "source/TypographicFormat.h"

#include <cstdio>
#include <cstdlib>

namespace {

constexpr int kHorizontalFlags = 0x0804;

TextFontStyle ThankYouFontStyle()
{
    TextFontStyle style;
    style.size = 48;
    return style;
}

BenchRow StepRow(const BenchOptions &options, BareTextDrawer &bare, const std::string &name,
                 const std::function<void()> &step)
{
    BenchRow row;
    row.name = "rebuild step: " + name;
    row.unit = "call";
    row.floorName = "bare measure and draw";
    row.result = TimePaired(
        options.runs, Units(options, 20),
        [&](int count) {
            for (int i = 0; i < count; ++i)
                step();
        },
        [&](int count) {
            for (int i = 0; i < count; ++i)
                bare.Draw(false);
        });
    return row;
}

// The floor of the limit-sized rows: a bare GDI+ bitmap of 8192x8192 cleared once.
void BareLimitSizedClears(int count)
{
    for (int i = 0; i < count; ++i) {
        Gdiplus::GpBitmap *bitmap = nullptr;
        gdip::GdipCreateBitmapFromScan0(8192, 8192, 0, 0x26200A, nullptr, &bitmap);
        Gdiplus::GpGraphics *graphics = nullptr;
        gdip::GdipGetImageGraphicsContext(bitmap, &graphics);
        gdip::GdipGraphicsClear(graphics, 0x66000000);
        gdip::GdipDeleteGraphics(graphics);
        gdip::GdipDisposeImage(bitmap);
    }
}

// A rebuild at the size limit (wrapped 8192x8192 extents, no text), once per run, against a
// bare GDI+ bitmap of that size cleared once: how much of such a rebuild is the clear.
BenchRow LimitSizedRow(const BenchOptions &options, TextOutputSource &source)
{
    source.textSetting = String();
    source.useTextExtents = true;
    source.wrap = true;
    source.extentWidth = source.extentHeight = 8192;
    BenchRow row;
    row.name = "rebuild at the 8192x8192 limit, no text";
    row.unit = "call";
    row.floorName = "bare 8192x8192 bitmap and clear";
    row.result = TimePaired(
        options.runs < 3 ? options.runs : 3, 1,
        [&](int count) {
            for (int i = 0; i < count; ++i)
                source.UpdateTexture();
        },
        BareLimitSizedClears);
    return row;
}

} // namespace

std::vector<BenchRow> RebuildStepRows(const BenchOptions &options)
{
    // A source showing the thank-you text gives the texture size and a texture to upload to.
    BenchScenes scenes(1, 1);
    scenes.WriteStyle(0, FreshSequence(), ThankYouStyle(false));
    scenes.WriteText(0, FreshSequence(), {kThankYouLine1, kThankYouLine2});
    scenes.PreprocessAll();
    TextOutputSource *source = scenes.Sources()[0];
    if (!source->texture || source->fontName != reinterpret_cast<const wchar_t *>(kThankYouFont)) {
        std::fprintf(stderr, "bench: the source did not take the thank-you text and style\n");
        std::exit(1);
    }
    const unsigned width = static_cast<unsigned>(source->textureWidth);
    const unsigned height = static_cast<unsigned>(source->textureHeight);
    const String fontName(reinterpret_cast<const wchar_t *>(kThankYouFont));
    String text = source->currentText;

    // What the later steps work with, made once.
    FontHandle gdiFont = CreateTextFont(fontName, ThankYouFontStyle());
    GdipStringFormat format = CloneTypographicFormat(kHorizontalFlags);
    MemoryDC measuringContext;
    GdipFont font = CreateGdiplusFont(measuringContext.get(), gdiFont.get());
    GdipGraphics measuring = CreateMeasuringGraphics(measuringContext.get());
    PixelCanvas canvas(width, height);
    GdipSolidFill brush;
    gdip::GdipCreateSolidFill(0xFFFFFFFF, brush.receive());
    const MeasureSettings unbounded;
    const TextBox box = MeasureWorkingText(text, measuring, font.get(), format.get(), unbounded);
    std::vector<unsigned char> pixels(static_cast<size_t>(width) * height * 4);

    BareTextDrawer bare(ThankYouText());
    std::vector<BenchRow> rows;
    rows.push_back(StepRow(options, bare, "whole rebuild without block reads", [&] { source->UpdateTexture(); }));
    rows.push_back(StepRow(options, bare, "GDI font", [&] { CreateTextFont(fontName, ThankYouFontStyle()); }));
    rows.push_back(StepRow(options, bare, "string format clone", [&] { CloneTypographicFormat(kHorizontalFlags); }));
    rows.push_back(StepRow(options, bare, "measuring DC, GDI+ font, graphics", [&] {
        MemoryDC dc;
        GdipFont made = CreateGdiplusFont(dc.get(), gdiFont.get());
        GdipGraphics graphics = CreateMeasuringGraphics(dc.get());
    }));
    rows.push_back(StepRow(options, bare, "measure", [&] {
        MeasureWorkingText(text, measuring, font.get(), format.get(), unbounded);
    }));
    rows.push_back(StepRow(options, bare, "DIB section, bitmap, graphics", [&] { PixelCanvas made(width, height); }));
    rows.push_back(StepRow(options, bare, "clear and draw", [&] {
        PaintBackground(canvas.Graphics(), 0x66000000, false, box);
        SetTextRenderState(canvas.Graphics());
        DrawPlainText(canvas.Graphics(), text.Array(), font.get(), box, format.get(), brush.get());
    }));
    rows.push_back(StepRow(options, bare, "texture upload",
                           [&] { source->texture->SetImage(pixels.data(), GS_IMAGEFORMAT_BGRA, width * 4); }));
    rows.push_back(LimitSizedRow(options, *source));
    return rows;
}

// The slowest rebuild the soak has met, as the soak meets it: a style block of numbers past
// 2^31 (vertical, wrapped extents clamped to 8192x8192, outline drawn 100 wide, a font of
// 2^31 pixels) with a line of 1000 W's, after a thank-you line of the usual size, so that every
// call makes a new limit-sized texture. Timed with the ordinary rebuild before it.
std::vector<BenchRow> HostileRebuildRows(const BenchOptions &options)
{
    BenchScenes scenes(1, 1);
    StyleNumbers pastLimit{};
    for (auto &number : pastLimit)
        number = 2147483647;
    TextOutputSource &source = *scenes.Sources()[0];
    int sequence = 10;
    BenchRow row;
    row.name = "hostile style block after a usual one, rebuilding at the 8192x8192 limit";
    row.unit = "call";
    row.floorName = "bare 8192x8192 bitmap and clear";
    row.result = TimePaired(
        options.runs < 3 ? options.runs : 3, 1,
        [&](int count) {
            for (int i = 0; i < count; ++i) {
                scenes.WriteText(0, ++sequence, {kThankYouLine1});
                scenes.WriteStyle(0, ++sequence, ThankYouStyle(true));
                source.Preprocess();
                scenes.WriteText(0, ++sequence, {std::u16string(1000, u'W')});
                scenes.WriteStyle(0, ++sequence, pastLimit);
                source.Preprocess();
            }
        },
        BareLimitSizedClears);
    return {row};
}
