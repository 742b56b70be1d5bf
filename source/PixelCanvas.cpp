#include "source/PixelCanvas.h"

namespace {
constexpr Gdiplus::PixelFormat kArgb32 = 0x26200A;  // PixelFormat32bppARGB
}

PixelCanvas::PixelCanvas(unsigned canvasWidth, unsigned canvasHeight)
    : width(canvasWidth), height(canvasHeight)
{
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = static_cast<LONG>(width);
    // GDI would read this memory bottom-up, but only GDI+ draws into it, row 0 at the top.
    info.bmiHeader.biHeight = static_cast<LONG>(height);
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    dib.reset(CreateDIBSection(dc.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!dib)
        bits = nullptr;
    // Without memory GDI+ would allocate its own, which nobody would ever upload.
    if (!bits)
        return;

    bitmap.Check(gdip::GdipCreateBitmapFromScan0(static_cast<INT>(width), static_cast<INT>(height),
                                                 static_cast<INT>(Pitch()), kArgb32,
                                                 static_cast<BYTE *>(bits), bitmap.receive()));
    if (bitmap)
        graphics.Check(gdip::GdipGetImageGraphicsContext(bitmap.get(), graphics.receive()));
}
