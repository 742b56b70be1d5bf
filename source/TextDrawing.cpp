#include "source/TextDrawing.h"
#include "source/GlyphPathRuns.h"
#include "source/OutlineMask.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>
#include <new>
#include <vector>

namespace {

constexpr Gdiplus::PixelFormat kArgb32 = 0x26200A;  // PixelFormat32bppARGB

// How far the flattened stroke may stray from the curves, in pixels: GDI+'s own flatness.
constexpr float kFlatness = 0.25f;

FigureSelection ShownFigures(GdipPath &path, float penWidth, unsigned width, unsigned height)
{
    INT count = 0;
    path.Check(gdip::GdipGetPointCount(path.get(), &count));
    if (count <= 0)
        return {};
    std::vector<Gdiplus::PointF> points(static_cast<std::size_t>(count));
    std::vector<BYTE> types(static_cast<std::size_t>(count));
    if (path.Check(gdip::GdipGetPathPoints(path.get(), points.data(), count)) != Gdiplus::Ok ||
        path.Check(gdip::GdipGetPathTypes(path.get(), types.data(), count)) != Gdiplus::Ok)
        return {};
    std::vector<PathPoint> plain(points.size());
    for (std::size_t i = 0; i < points.size(); ++i)
        plain[i] = PathPoint{points[i].X, points[i].Y};
    // The stroke reaches half the pen out; a pixel more for antialiasing.
    const float margin = std::fabs(penWidth) + 1.0f;
    return SelectVisibleFigures(plain.data(), types.data(), plain.size(), static_cast<float>(width),
                                static_cast<float>(height), margin, StrokeRunPoints(penWidth));
}

GdipPath PathOf(const PathRun &run)
{
    std::vector<Gdiplus::PointF> points;
    for (const PathPoint &point : run.points)
        points.emplace_back(point.x, point.y);
    GdipPath path;
    if (points.empty())
        path.Check(gdip::GdipCreatePath(Gdiplus::FillModeAlternate, path.receive()));
    else
        path.Check(gdip::GdipCreatePath2(points.data(), run.types.data(), static_cast<INT>(points.size()),
                                         Gdiplus::FillModeAlternate, path.receive()));
    return path;
}

// Mask bands hold at most this many pixels (16 MiB).
constexpr std::size_t kMaxMaskBandPixels = std::size_t{4} << 20;

struct StrokePortion {
    GdipPath path;
    PixelRows rows;  // those its stroke can touch
};

// Strokes the portions with an opaque pen into a mask, a band of rows at a time, and lays
// each band over the canvas at the outline's colour and alpha. False, with nothing drawn,
// when there is no memory for a band.
bool StrokeThroughMask(PixelCanvas &canvas, std::vector<StrokePortion> &portions, const OutlineStyle &outline)
{
    PixelRows all{canvas.Height(), 0};
    for (const StrokePortion &portion : portions)
        if (portion.rows.bottom > portion.rows.top) {
            all.top = std::min(all.top, portion.rows.top);
            all.bottom = std::max(all.bottom, portion.rows.bottom);
        }
    const unsigned width = canvas.Width();
    const std::vector<PixelRows> bands = MaskBands(all, width, kMaxMaskBandPixels);
    if (bands.empty())
        return true;
    const std::size_t bandPixels = static_cast<std::size_t>(width) * (bands[0].bottom - bands[0].top);
    const std::unique_ptr<std::uint32_t[]> mask(new (std::nothrow) std::uint32_t[bandPixels]);
    if (!mask)
        return false;

    GdipPen pen;
    pen.Check(gdip::GdipCreatePen1(0xFF000000u | outline.colour, outline.size, Gdiplus::UnitWorld, pen.receive()));
    pen.Check(gdip::GdipSetPenLineJoin(pen.get(), Gdiplus::LineJoinRound));
    // What GDI+ drew so far must be in the canvas's memory before it is blended by hand.
    canvas.Graphics().Check(gdip::GdipFlush(canvas.Graphics().get(), Gdiplus::FlushIntentionSync));
    auto *pixels = static_cast<std::uint32_t *>(canvas.Pixels());
    for (const PixelRows &band : bands) {
        const unsigned rows = band.bottom - band.top;
        std::memset(mask.get(), 0, static_cast<std::size_t>(width) * rows * 4);
        {
            GdipBitmap bitmap;
            bitmap.Check(gdip::GdipCreateBitmapFromScan0(static_cast<INT>(width), static_cast<INT>(rows),
                                                         static_cast<INT>(width * 4), kArgb32,
                                                         reinterpret_cast<BYTE *>(mask.get()), bitmap.receive()));
            GdipGraphics graphics;
            if (bitmap)
                graphics.Check(gdip::GdipGetImageGraphicsContext(bitmap.get(), graphics.receive()));
            if (!graphics)
                continue;
            SetTextRenderState(graphics);
            graphics.Check(gdip::GdipTranslateWorldTransform(graphics.get(), 0.0f, -static_cast<float>(band.top),
                                                             Gdiplus::MatrixOrderPrepend));
            for (StrokePortion &portion : portions)
                if (portion.rows.top < band.bottom && portion.rows.bottom > band.top)
                    graphics.Check(gdip::GdipDrawPath(graphics.get(), pen.get(), portion.path.get()));
        }  // GDI+ has written the band once its graphics object is gone
        CompositeMask(pixels, width, band, mask.get(), outline.colour);
    }
    return true;
}

} // namespace

PixelCanvas::PixelCanvas(unsigned canvasWidth, unsigned canvasHeight, PixelStore &store)
    : width(canvasWidth), height(canvasHeight)
{
    bits = store.Take(static_cast<std::size_t>(width) * height, owned, zeroed);
    // Without memory GDI+ would allocate its own, which nobody would ever upload.
    if (!bits)
        return;

    bitmap.Check(gdip::GdipCreateBitmapFromScan0(static_cast<INT>(width), static_cast<INT>(height),
                                                 static_cast<INT>(Pitch()), kArgb32,
                                                 reinterpret_cast<BYTE *>(bits), bitmap.receive()));
    if (bitmap)
        graphics.Check(gdip::GdipGetImageGraphicsContext(bitmap.get(), graphics.receive()));
}

void PixelCanvas::Fill(std::uint32_t argb)
{
    if (!bits || (argb == 0 && zeroed))
        return;
    std::fill(bits, bits + static_cast<std::size_t>(width) * height, argb);
}

void PixelCanvas::FillBox(const PixelBox &box, std::uint32_t argb)
{
    if (!bits)
        return;
    for (unsigned row = box.top; row < box.bottom; ++row)
        std::fill(bits + static_cast<std::size_t>(row) * width + box.left,
                  bits + static_cast<std::size_t>(row) * width + box.right, argb);
}

void PaintBackground(PixelCanvas &canvas, std::uint32_t backgroundColour, bool transparentMargin,
                     const TextBox &measured)
{
    canvas.Fill(transparentMargin ? 0 : backgroundColour);
    // A transparent box blends to nothing.
    if (!transparentMargin || (backgroundColour >> 24) == 0)
        return;
    // Over transparent black the colour blends to itself: a box on whole pixels is the
    // colour written into them.
    if (const auto pixels = WholePixelBox(measured, canvas.Width(), canvas.Height())) {
        canvas.FillBox(*pixels, backgroundColour);
        return;
    }
    GdipSolidFill fill;
    fill.Check(gdip::GdipCreateSolidFill(backgroundColour, fill.receive()));
    canvas.Graphics().Check(gdip::GdipFillRectangle(canvas.Graphics().get(), fill.get(), measured.x, measured.y,
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

void DrawOutlinedText(PixelCanvas &canvas, CTSTR text, GdipFont &font, const TextBox &box,
                      Gdiplus::GpStringFormat *format, Gdiplus::GpBrush *brush,
                      const OutlineStyle &outline)
{
    GdipGraphics &graphics = canvas.Graphics();
    const Gdiplus::RectF layout = ToRectF(OutlineDrawBox(box, outline.size));

    // Released in reverse: the pen, the path, the family.
    GdipFontFamily family;
    GdipPath path;
    GdipPen pen;

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

    // The stroke: the figures that can show, a portion at a time, as lines.
    const FigureSelection shown = ShownFigures(path, outline.size, canvas.Width(), canvas.Height());
    std::vector<StrokePortion> portions;
    for (const PathRun &run : shown.runs)
        portions.push_back({PathOf(FlattenCurves(run, kFlatness)),
                            RowsOfRun(run, std::fabs(outline.size) / 2.0f + 1.0f, canvas.Height())});
    // One portion blends once anyway, and an opaque pen covers its own overlaps.
    const bool translucent = (outline.colour >> 24) != 0xFF;
    if (!(translucent && portions.size() > 1 && StrokeThroughMask(canvas, portions, outline)))
        for (StrokePortion &portion : portions)
            graphics.Check(gdip::GdipDrawPath(graphics.get(), pen.get(), portion.path.get()));
    // The fill, of the path itself while all of it can show.
    if (shown.allVisible) {
        graphics.Check(gdip::GdipFillPath(graphics.get(), brush, path.get()));
        return;
    }
    // The fill in one piece, so overlapping figures combine as in the whole path; figures
    // off the canvas cover none of its pixels.
    PathRun fill;
    for (const PathRun &run : shown.runs) {
        fill.points.insert(fill.points.end(), run.points.begin(), run.points.end());
        fill.types.insert(fill.types.end(), run.types.begin(), run.types.end());
    }
    GdipPath filled = PathOf(fill);
    graphics.Check(gdip::GdipFillPath(graphics.get(), brush, filled.get()));
}
