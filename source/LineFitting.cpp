#include "source/LineFitting.h"

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
