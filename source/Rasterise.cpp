#include "source/Rasterise.h"

#include "source/FileText.h"
#include "source/TextDrawing.h"
#include "source/TextMeasure.h"
#include "source/TextOutputSource.h"
#include "source/TextureLayout.h"

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
                Gdiplus::GpStringFormat *format, const TextBox &box, const TextureSize &size,
                const LayoutSettings &layout)
{
    GdipGraphics &graphics = canvas.Graphics();
    SetTextRenderState(graphics);
    if (source.currentText.IsEmpty())
        return;
    const float outlineSize = layout.useOutline ? layout.outlineSize : 0.0f;
    if (!BoxReachesTexture(box, outlineSize < 0.0f ? -outlineSize : outlineSize, size.width, size.height))
        return;
    GdipSolidFill textBrush;
    textBrush.Check(gdip::GdipCreateSolidFill(TextBrushColour(source.color, source.textOpacity),
                                              textBrush.receive()));
    if (layout.useOutline) {
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
    const LayoutSettings layout = source.Layout();
    if (layout.useOutline && layout.outlineSize != source.outlineSize)
        AppWarning(L"TextSource::UpdateTexture: outline size %g is drawn as %g",
                   static_cast<double>(source.outlineSize), static_cast<double>(layout.outlineSize));
    ended(RebuildStep::WorkingText);

    {
        win::FontHandle gdiFont = CreateTextFont(source.fontName,
                                            TextFontStyle{source.fontSize, source.bold, source.italic, source.underline});
        if (!gdiFont)
            return;
        ended(RebuildStep::GdiFont);

        GdipStringFormat format = PrepareTextFormat(source);
        ended(RebuildStep::StringFormat);

        GdipFont font;
        TextBox measured = kEmptyTextBox;
        {
            const win::MemoryDC measuringContext(CreateCompatibleDC(nullptr));
            font = CreateGdiplusFont(measuringContext.get(), gdiFont.get());
            GdipGraphics measuring = CreateMeasuringGraphics(measuringContext.get());
            ended(RebuildStep::MeasuringObjects);
            measured = MeasureWorkingText(source.currentText, measuring, font.get(), format.get(), layout);
            ended(RebuildStep::Measure);
        }
        gdiFont.reset();
        ended(RebuildStep::ReleaseMeasuring);

        const TextureSize size = ComputeTextureSize(measured.width, measured.height, layout);
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
        DrawTextOf(source, canvas, font, format.get(), box, size, layout);
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

void UploadTexture(TextOutputSource &source, unsigned width, unsigned height, void *pixels)
{
    const bool sameSize = width == static_cast<unsigned>(source.textureWidth) &&
                          height == static_cast<unsigned>(source.textureHeight);
    if (sameSize && source.texture) {
        source.texture->SetImage(pixels, GS_IMAGEFORMAT_BGRA, width * 4);
    } else {
        delete source.texture;
        source.texture = nullptr;
        source.textureWidth = static_cast<int>(width);
        source.textureHeight = static_cast<int>(height);
        if (GS)
            source.texture = GS->CreateTexture(width, height, GS_BGRA, pixels, FALSE, FALSE);
    }
    if (!source.texture)
        AppWarning(L"TextSource::UpdateTexture: could not create texture");
}

LOGFONTW DescribeTextFont(CTSTR faceName, const TextFontStyle &style)
{
    LOGFONTW description{};
    description.lfHeight = style.size;
    description.lfWeight = style.bold ? FW_BOLD : FW_DONTCARE;
    description.lfItalic = style.italic ? 1 : 0;
    description.lfUnderline = style.underline ? 1 : 0;
    description.lfCharSet = GB2312_CHARSET;
    description.lfQuality = ANTIALIASED_QUALITY;
    if (faceName)
        scpy_n(description.lfFaceName, faceName, LF_FACESIZE - 1);
    return description;
}

win::FontHandle CreateTextFont(const String &faceName, const TextFontStyle &style)
{
    win::FontHandle font;
    if (!faceName.IsEmpty()) {
        const LOGFONTW description = DescribeTextFont(faceName.Array(), style);
        font.reset(CreateFontIndirectW(&description));
    }
    if (!font) {
        const LOGFONTW description = DescribeTextFont(L"Arial", style);
        font.reset(CreateFontIndirectW(&description));
    }
    return font;
}

GdipFont CreateGdiplusFont(HDC dc, HFONT font)
{
    GdipFont gdiplusFont;
    LOGFONTA description{};
    if (GetObjectA(font, sizeof(description), &description))
        gdiplusFont.Check(gdip::GdipCreateFontFromLogfontA(dc, &description, gdiplusFont.receive()));
    else
        gdiplusFont.Check(gdip::GdipCreateFontFromDC(dc, gdiplusFont.receive()));
    return gdiplusFont;
}

namespace {
// GDI+ owns the generic format; it is never deleted.
Gdiplus::GpStringFormat *sharedTypographicFormat = nullptr;
} // namespace

GdipStringFormat CloneTypographicFormat(int flags)
{
    GdipStringFormat clone;
    clone.Check(gdip::GdipStringFormatGetGenericTypographic(&sharedTypographicFormat));
    clone.Check(gdip::GdipCloneStringFormat(sharedTypographicFormat, clone.receive()));
    if (clone) {
        clone.Check(gdip::GdipSetStringFormatFlags(clone.get(), flags));
        clone.Check(gdip::GdipSetStringFormatTrimming(
            clone.get(), static_cast<Gdiplus::StringTrimming>(kTrimmingWord)));
    }
    return clone;
}

Gdiplus::GpStringFormat *SharedTypographicFormat()
{
    return sharedTypographicFormat;
}
