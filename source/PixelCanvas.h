#pragma once
#include "source/GdiHandles.h"
#include "source/GdiplusHandles.h"

// The rasteriser's pixel buffer: the memory of a 32bpp top-down DIB section, drawn on
// through a GDI+ PixelFormat32bppARGB bitmap over the same memory. Bytes are blue, green,
// red, alpha; row 0 is the top row.
class PixelCanvas {
    MemoryDC dc;
    BitmapHandle dib;
    void *bits = nullptr;
    // Declared after the DIB: the bitmap goes before the memory it draws into.
    GdipBitmap bitmap;
    GdipGraphics graphics;
    unsigned width = 0;
    unsigned height = 0;

public:
    PixelCanvas(unsigned width, unsigned height);

    // No pixel memory means nothing can be drawn or uploaded.
    bool HasPixels() const { return bits != nullptr; }
    void *Pixels() const { return bits; }
    unsigned Width() const { return width; }
    unsigned Height() const { return height; }
    unsigned Pitch() const { return width * 4; }

    GdipGraphics &Graphics() { return graphics; }
    GdipBitmap &Bitmap() { return bitmap; }
    // Ends drawing: GDI+ has written every pixel once its graphics object is gone.
    void FinishDrawing() { graphics.reset(); }
};
