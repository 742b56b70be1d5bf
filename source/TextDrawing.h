#pragma once
// Drawing with GDI+ on the rasteriser's canvas: background, plain and outlined text.
#include "host/OBSApi.h"
#include "source/GdiplusHandles.h"
#include "source/PixelStore.h"
#include "source/TextureLayout.h"

#include <cstdint>

// The rasteriser's pixel buffer, drawn on through a GDI+ PixelFormat32bppARGB bitmap over
// memory from a PixelStore. Bytes are blue, green, red, alpha; row 0 is the top row. Its
// pixels are undefined until Fill has set them.
class PixelCanvas {
    PixelStore::Block owned;  // memory too large for the store to keep
    std::uint32_t *bits = nullptr;
    bool zeroed = false;
    // Declared after the memory: the bitmap goes before the memory it draws into.
    GdipBitmap bitmap;
    GdipGraphics graphics;
    unsigned width = 0;
    unsigned height = 0;

public:
    PixelCanvas(unsigned width, unsigned height, PixelStore &store);

    // No pixel memory means nothing can be drawn or uploaded.
    bool HasPixels() const { return bits != nullptr; }
    void *Pixels() const { return bits; }
    unsigned Width() const { return width; }
    unsigned Height() const { return height; }
    unsigned Pitch() const { return width * 4; }

    // Every pixel set to `argb`, as GDI+'s Clear sets it, before anything is drawn; fresh
    // memory is left as it is for transparent black.
    void Fill(std::uint32_t argb);
    // The pixels of `box`, which lies within the canvas (WholePixelBox holds it there), set
    // to `argb`.
    void FillBox(const PixelBox &box, std::uint32_t argb);

    GdipGraphics &Graphics() { return graphics; }
    GdipBitmap &Bitmap() { return bitmap; }
    // Ends drawing: GDI+ has written every pixel once its graphics object is gone.
    void FinishDrawing() { graphics.reset(); }
};

// Before anything is drawn: fills the canvas with the background colour, or, with a
// transparent margin, clears it and fills only the measured box with the colour.
void PaintBackground(PixelCanvas &canvas, std::uint32_t backgroundColour, bool transparentMargin,
                     const TextBox &measured);

// Antialiased text and shapes, blended over what is there.
void SetTextRenderState(GdipGraphics &graphics);

void DrawPlainText(GdipGraphics &graphics, CTSTR text, Gdiplus::GpFont *font,
                   const TextBox &box, Gdiplus::GpStringFormat *format,
                   Gdiplus::GpBrush *brush);

struct OutlineStyle {
    float size = 0.0f;          // pen width; the text moves half of it right and down
    std::uint32_t colour = 0;   // pen colour, ARGB
};

// The text as a glyph path: stroked with a round-joined pen, then filled with the text
// brush, which covers the inner half of the stroke.
//
// Paths too long for one stroke, or reaching off the canvas, are stroked a portion at a
// time and only where they can show (see GlyphPathRuns.h); a translucent pen then strokes
// through a mask, so that the portions' strokes blend once (see OutlineMask.h).
void DrawOutlinedText(PixelCanvas &canvas, CTSTR text, GdipFont &font, const TextBox &box,
                      Gdiplus::GpStringFormat *format, Gdiplus::GpBrush *brush,
                      const OutlineStyle &outline);
