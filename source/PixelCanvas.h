#pragma once
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
