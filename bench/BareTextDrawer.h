#pragma once
#include "source/GdiplusHandles.h"
#include "win/Handle.h"

#include <string>

// The floor of the new-text rows: what a minimal program does to show a text, keeping
// between texts what it can keep (the font, a measuring graphics object on a memory DC,
// the typographic format, the brush and the pen).
class BareTextDrawer {
    // Freed after the GDI+ objects made from them.
    win::MemoryDC dc;
    win::FontHandle gdiFont;
    Gdiplus::GpFont *font = nullptr;
    Gdiplus::GpFontFamily *family = nullptr;
    Gdiplus::GpGraphics *measuring = nullptr;
    Gdiplus::GpStringFormat *format = nullptr;
    Gdiplus::GpSolidFill *textBrush = nullptr;
    Gdiplus::GpPen *pen = nullptr;
    Gdiplus::REAL emSize = 0;
    INT style = 0;
    std::wstring text;

public:
    explicit BareTextDrawer(const std::wstring &drawnText);
    ~BareTextDrawer();
    BareTextDrawer(const BareTextDrawer &) = delete;
    BareTextDrawer &operator=(const BareTextDrawer &) = delete;

    // Measure, make a bitmap of the size the source's texture gets, clear it, draw.
    void Draw(bool outline);
};
