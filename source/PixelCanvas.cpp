#include "source/PixelCanvas.h"

#include <algorithm>

namespace {
constexpr Gdiplus::PixelFormat kArgb32 = 0x26200A;  // PixelFormat32bppARGB
}

PixelCanvas::PixelCanvas(unsigned canvasWidth, unsigned canvasHeight)
    : width(canvasWidth), height(canvasHeight)
{
    // Zeroed memory: large blocks come as fresh pages the system has already cleared, so a
    // transparent canvas costs no pass over its pixels.
    if (width > 0 && height > 0)
        bits.reset(std::calloc(static_cast<std::size_t>(width) * height, 4));
    // Without memory GDI+ would allocate its own, which nobody would ever upload.
    if (!bits)
        return;

    bitmap.Check(gdip::GdipCreateBitmapFromScan0(static_cast<INT>(width), static_cast<INT>(height),
                                                 static_cast<INT>(Pitch()), kArgb32,
                                                 static_cast<BYTE *>(bits.get()), bitmap.receive()));
    if (bitmap)
        graphics.Check(gdip::GdipGetImageGraphicsContext(bitmap.get(), graphics.receive()));
}

void PixelCanvas::Fill(std::uint32_t argb)
{
    if (!bits || argb == 0)
        return;
    auto *pixels = static_cast<std::uint32_t *>(bits.get());
    std::fill(pixels, pixels + static_cast<std::size_t>(width) * height, argb);
}
