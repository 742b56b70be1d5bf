#include "source/TextOutputSource.h"

#include "source/GdiHandles.h"
#include "source/GdiplusHandles.h"
#include "source/PixelCanvas.h"
#include "source/RebuildSteps.h"
#include "source/TextColours.h"
#include "source/TextDrawing.h"
#include "source/TextFont.h"
#include "source/TextFormatRules.h"
#include "source/TextMeasure.h"
#include "source/TextureLayout.h"
#include "source/TextureUpload.h"
#include "source/TypographicFormat.h"
#include "source/WorkingText.h"

namespace {

GdipStringFormat PrepareTextFormat(const TextOutputSource &source)
{
    GdipStringFormat format = CloneTypographicFormat(StringFormatFlagsFor(source.vertical));
    const FormatAlignment alignment =
        ChooseAlignment(source.vertical, source.useTextExtents, source.wrap, source.align);
    const auto value = static_cast<Gdiplus::StringAlignment>(alignment.value);
    switch (alignment.call) {
    case FormatAlignment::Call::Align:
        format.Check(gdip::GdipSetStringFormatAlign(format.get(), value));
        break;
    case FormatAlignment::Call::LineAlign:
        format.Check(gdip::GdipSetStringFormatLineAlign(format.get(), value));
        break;
    case FormatAlignment::Call::None:
        break;
    }
    return format;
}

MeasureSettings MeasureSettingsOf(const TextOutputSource &source)
{
    MeasureSettings settings;
    settings.vertical = source.vertical;
    settings.useTextExtents = source.useTextExtents;
    settings.wrap = source.wrap;
    settings.scrollMode = source.scrollMode;
    settings.useOutline = source.useOutline;
    settings.outlineSize = DrawableOutlineSize(source.outlineSize);
    settings.extentWidth = source.extentWidth;
    settings.extentHeight = source.extentHeight;
    return settings;
}

TextureSize TextureSizeFor(const TextOutputSource &source, const TextBox &measured)
{
    TextureSizeInput input;
    input.boxWidth = measured.width;
    input.boxHeight = measured.height;
    input.fontSize = source.fontSize;
    input.vertical = source.vertical;
    input.useTextExtents = source.useTextExtents;
    input.wrap = source.wrap;
    input.extentWidth = source.extentWidth;
    input.extentHeight = source.extentHeight;
    return ComputeTextureSize(input);
}

std::uint32_t BackgroundColourOf(const TextOutputSource &source)
{
    BackgroundInput input;
    input.backgroundColour = source.backgroundColor;
    input.backgroundOpacity = source.backgroundOpacity;
    input.textColour = source.color;
    input.scrollSpeed = source.scrollSpeed;
    input.textEmpty = source.currentText.IsEmpty();
    input.useTextExtents = source.useTextExtents;
    return BackgroundColour(input);
}

// The measured box as the texture lays it out.
TextBox LaidOutBox(TextBox measured, const TextureSize &size)
{
    measured.width = size.boxWidth;
    measured.height = size.boxHeight;
    return measured;
}

void PaintBackgroundOf(const TextOutputSource &source, PixelCanvas &canvas, const TextBox &box,
                       const TextureSize &size)
{
    PaintBackground(canvas, BackgroundColourOf(source),
                    NeedsTransparentMargin(source.useTextExtents, size.width, size.height, box.width, box.height),
                    box);
}

void DrawTextOf(const TextOutputSource &source, PixelCanvas &canvas, GdipFont &font,
                Gdiplus::GpStringFormat *format, const TextBox &box, const TextureSize &size)
{
    GdipGraphics &graphics = canvas.Graphics();
    SetTextRenderState(graphics);
    if (source.currentText.IsEmpty())
        return;
    const float outlineSize = source.useOutline ? DrawableOutlineSize(source.outlineSize) : 0.0f;
    if (!BoxReachesTexture(box, outlineSize < 0.0f ? -outlineSize : outlineSize, size.width, size.height))
        return;
    GdipSolidFill textBrush;
    textBrush.Check(gdip::GdipCreateSolidFill(TextBrushColour(source.color, source.textOpacity),
                                              textBrush.receive()));
    if (source.useOutline) {
        const OutlineStyle outline{
            outlineSize,
            OutlinePenColour(source.outlineColor, source.outlineOpacity, source.textOpacity)};
        DrawOutlinedText(canvas, source.currentText.Array(), font, box, format, textBrush.get(), outline);
    } else {
        DrawPlainText(graphics, source.currentText.Array(), font.get(), box, format, textBrush.get());
    }
}

} // namespace

void RebuildTexture(TextOutputSource &source, RebuildProfiler *profiler)
{
    const auto ended = [profiler](RebuildStep step) {
        if (profiler)
            profiler->StepEnded(step);
    };
    ChooseWorkingText(source);
    if (source.useOutline && DrawableOutlineSize(source.outlineSize) != source.outlineSize)
        AppWarning(L"TextSource::UpdateTexture: outline size %g is drawn as %g",
                   static_cast<double>(source.outlineSize),
                   static_cast<double>(DrawableOutlineSize(source.outlineSize)));
    ended(RebuildStep::WorkingText);

    {
        FontHandle gdiFont = CreateTextFont(source.fontName,
                                            TextFontStyle{source.fontSize, source.bold, source.italic, source.underline});
        if (!gdiFont)
            return;
        ended(RebuildStep::GdiFont);

        GdipStringFormat format = PrepareTextFormat(source);
        ended(RebuildStep::StringFormat);

        GdipFont font;
        TextBox measured = kEmptyTextBox;
        {
            MemoryDC measuringContext;
            font = CreateGdiplusFont(measuringContext.get(), gdiFont.get());
            GdipGraphics measuring = CreateMeasuringGraphics(measuringContext.get());
            ended(RebuildStep::MeasuringObjects);
            measured = MeasureWorkingText(source.currentText, measuring, font.get(), format.get(),
                                          MeasureSettingsOf(source));
            ended(RebuildStep::Measure);
        }
        gdiFont.reset();
        ended(RebuildStep::ReleaseMeasuring);

        const TextureSize size = TextureSizeFor(source, measured);
        PixelCanvas canvas(size.width, size.height, source.pixelStore);
        if (!canvas.HasPixels()) {
            AppWarning(L"TextSource::UpdateTexture: could not create a %ux%u pixel buffer",
                       size.width, size.height);
            return;
        }
        ended(RebuildStep::Canvas);
        const TextBox box = LaidOutBox(measured, size);
        PaintBackgroundOf(source, canvas, box, size);
        ended(RebuildStep::Background);
        DrawTextOf(source, canvas, font, format.get(), box, size);
        ended(RebuildStep::Text);
        canvas.FinishDrawing();
        ended(RebuildStep::FinishDrawing);

        UploadTexture(source, size.width, size.height, canvas.Pixels());
        ended(RebuildStep::Upload);
    }
    ended(RebuildStep::Release);
}

void TextOutputSource::UpdateTexture()
{
    RebuildTexture(*this, nullptr);
}
