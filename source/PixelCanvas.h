#pragma once
#include "source/GdiplusHandles.h"

#include <cstdint>
#include <cstdlib>
#include <memory>

// The rasteriser's pixel buffer, drawn on through a GDI+ PixelFormat32bppARGB bitmap over
// its memory. Bytes are blue, green, red, alpha; row 0 is the top row. A new canvas is all
// zero (transparent black).
class PixelCanvas {
    struct Free {
        void operator()(void *memory) const { std::free(memory); }
    };
    std::unique_ptr<void, Free> bits;
    // Declared after the memory: the bitmap goes before the memory it draws into.
    GdipBitmap bitmap;
    GdipGraphics graphics;
    unsigned width = 0;
    unsigned height = 0;

public:
    PixelCanvas(unsigned width, unsigned height);

    // No pixel memory means nothing can be drawn or uploaded.
    bool HasPixels() const { return bits != nullptr; }
    void *Pixels() const { return bits.get(); }
    unsigned Width() const { return width; }
    unsigned Height() const { return height; }
    unsigned Pitch() const { return width * 4; }

    // Every pixel set to `argb`, as GDI+'s Clear sets it, before anything is drawn; a
    // transparent black fill leaves the new canvas as it is.
    void Fill(std::uint32_t argb);

    GdipGraphics &Graphics() { return graphics; }
    GdipBitmap &Bitmap() { return bitmap; }
    // Ends drawing: GDI+ has written every pixel once its graphics object is gone.
    void FinishDrawing() { graphics.reset(); }
};
