#pragma once
#include "host/OBSApi.h"
#include "source/GdiplusHandles.h"
#include "source/PixelCanvas.h"
#include "source/TextureLayout.h"

#include <cstdint>

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
