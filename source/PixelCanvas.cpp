#include "source/PixelCanvas.h"

#include <algorithm>

namespace {
constexpr Gdiplus::PixelFormat kArgb32 = 0x26200A;  // PixelFormat32bppARGB
}

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
