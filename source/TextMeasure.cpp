#include "source/TextMeasure.h"

namespace {

TextBox FromRectF(const Gdiplus::RectF &rect)
{
    return TextBox{rect.X, rect.Y, rect.Width, rect.Height};
}

TextBox MeasureInLayout(const String &text, GdipGraphics &graphics, Gdiplus::GpFont *font,
                        Gdiplus::GpStringFormat *format, const TextBox &layout, TextBox box)
{
    const Gdiplus::RectF layoutRect = ToRectF(layout);
    Gdiplus::RectF measured = ToRectF(box);
    const Gdiplus::GpStatus status = graphics.Check(gdip::GdipMeasureString(
        graphics.get(), text.Array(), MeasuredUnits(text), font, &layoutRect,
        format, &measured, nullptr, nullptr));
    if (status != Gdiplus::Ok) {
        AppWarning(L"TextSource::UpdateTexture: Gdiplus::Graphics::MeasureString failed: %u",
                   static_cast<unsigned>(status));
        return box;
    }
    return FromRectF(measured);
}

} // namespace

GdipGraphics CreateMeasuringGraphics(HDC dc)
{
    GdipGraphics graphics;
    graphics.Check(gdip::GdipCreateFromHDC(dc, graphics.receive()));
    graphics.Check(gdip::GdipSetTextRenderingHint(graphics.get(), Gdiplus::TextRenderingHintAntiAlias));
    return graphics;
}

TextBox MeasureWorkingText(String &text, GdipGraphics &graphics, Gdiplus::GpFont *font,
                           Gdiplus::GpStringFormat *format, const LayoutSettings &settings)
{
    if (text.IsEmpty())
        return kEmptyTextBox;

    switch (ChooseMeasureMode(settings.useTextExtents, settings.wrap, settings.vertical,
                              settings.scrollMode)) {
    case MeasureMode::BottomFitted: {
        const TextBox layout = ExtentLayoutBox(settings.extentWidth, settings.extentHeight,
                                               settings.useOutline, settings.outlineSize);
        const float overflow = FitLinesToBox(text, graphics, font, layout.width, layout.height);
        return BottomFittedBox(layout, overflow);
    }
    case MeasureMode::InExtents: {
        const TextBox layout = ExtentLayoutBox(settings.extentWidth, settings.extentHeight,
                                               settings.useOutline, settings.outlineSize);
        return MeasureInLayout(text, graphics, font, format, layout, kEmptyTextBox);
    }
    case MeasureMode::Unbounded:
        break;
    }
    const TextBox measured =
        MeasureInLayout(text, graphics, font, format, TextBox{}, kEmptyTextBox);
    return AddOutlineMargin(measured, settings.useOutline, settings.outlineSize);
}

float FitLinesToBox(String &text, GdipGraphics &graphics, Gdiplus::GpFont *font, float width,
                    float height)
{
    const Gdiplus::RectF layout(0.0f, 0.0f, width, 32000.0f);
    return FitLinesFromBottom(text, height, [&](const String &lines) {
        Gdiplus::RectF measured(0.0f, 0.0f, 0.0f, 0.0f);
        graphics.Check(gdip::GdipMeasureString(graphics.get(), lines.Array(), -1, font, &layout,
                                               nullptr, &measured, nullptr, nullptr));
        return measured.Height;
    });
}
