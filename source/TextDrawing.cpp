#include "source/TextDrawing.h"

namespace {

Gdiplus::RectF ToRectF(const TextBox &box)
{
    return Gdiplus::RectF(box.x, box.y, box.width, box.height);
}

void ClearTo(GdipGraphics &graphics, std::uint32_t colour)
{
    const Gdiplus::GpStatus status =
        graphics.Check(gdip::GdipGraphicsClear(graphics.get(), colour));
    if (status != Gdiplus::Ok)
        AppWarning(L"TextSource::UpdateTexture: Graphics::Clear failed: %u",
                   static_cast<unsigned>(status));
}

} // namespace

void PaintBackground(GdipGraphics &graphics, std::uint32_t backgroundColour,
                     bool transparentMargin, const TextBox &measured)
{
    if (!transparentMargin) {
        ClearTo(graphics, backgroundColour);
        return;
    }
    ClearTo(graphics, 0);
    GdipSolidFill fill;
    fill.Check(gdip::GdipCreateSolidFill(backgroundColour, fill.receive()));
    graphics.Check(gdip::GdipFillRectangle(graphics.get(), fill.get(), measured.x, measured.y,
                                           measured.width, measured.height));
}

void SetTextRenderState(GdipGraphics &graphics)
{
    graphics.Check(gdip::GdipSetTextRenderingHint(graphics.get(), Gdiplus::TextRenderingHintAntiAlias));
    graphics.Check(gdip::GdipSetCompositingMode(graphics.get(), Gdiplus::CompositingModeSourceOver));
    graphics.Check(gdip::GdipSetSmoothingMode(graphics.get(), Gdiplus::SmoothingModeAntiAlias));
}

void DrawPlainText(GdipGraphics &graphics, CTSTR text, Gdiplus::GpFont *font,
                   const TextBox &box, Gdiplus::GpStringFormat *format,
                   Gdiplus::GpBrush *brush)
{
    const Gdiplus::RectF layout = ToRectF(box);
    const Gdiplus::GpStatus status = graphics.Check(
        gdip::GdipDrawString(graphics.get(), text, -1, font, &layout, format, brush));
    if (status != Gdiplus::Ok)
        AppWarning(L"TextSource::UpdateTexture: Graphics::DrawString failed: %u",
                   static_cast<unsigned>(status));
}

void DrawOutlinedText(GdipGraphics &graphics, CTSTR text, GdipFont &font, const TextBox &box,
                      Gdiplus::GpStringFormat *format, Gdiplus::GpBrush *brush,
                      const OutlineStyle &outline)
{
    const Gdiplus::RectF layout = ToRectF(OutlineDrawBox(box, outline.size));

    // Released in reverse: the stroked copy, the pen, the path, the family.
    GdipFontFamily family;
    GdipPath path;
    GdipPen pen;
    GdipPath strokedCopy;

    path.Check(gdip::GdipCreatePath(Gdiplus::FillModeAlternate, path.receive()));
    family.Check(gdip::GdipGetFamily(font.get(), family.receive()));
    Gdiplus::REAL emSize = 0.0f;
    INT style = 0;
    font.Check(gdip::GdipGetFontSize(font.get(), &emSize));
    font.Check(gdip::GdipGetFontStyle(font.get(), &style));
    path.Check(gdip::GdipAddPathString(path.get(), text, -1, family.get(), style, emSize, &layout,
                                       format));

    pen.Check(gdip::GdipCreatePen1(outline.colour, outline.size, Gdiplus::UnitWorld, pen.receive()));
    pen.Check(gdip::GdipSetPenLineJoin(pen.get(), Gdiplus::LineJoinRound));
    strokedCopy.Check(gdip::GdipClonePath(path.get(), strokedCopy.receive()));
    graphics.Check(gdip::GdipDrawPath(graphics.get(), pen.get(), strokedCopy.get()));
    graphics.Check(gdip::GdipFillPath(graphics.get(), brush, path.get()));
}
