#pragma once
#include "host/OBSApi.h"
#include "source/GdiHandles.h"
#include "source/GdiplusHandles.h"

// The fonts of the rasteriser: a GDI font from the style settings, and the GDI+ font made
// from it on a memory device context.

struct TextFontStyle {
    int size = 0;  // GDI height as given: positive is a cell height, negative a character height
    bool bold = false;
    bool italic = false;
    bool underline = false;
};

// The font description: GB2312 character set so Chinese text finds its glyphs, antialiased,
// the face cut to the 31 characters LOGFONTW holds.
LOGFONTW DescribeTextFont(CTSTR faceName, const TextFontStyle &style);

// The GDI font for `faceName`, with "Arial" when the name is empty or GDI refuses it. Holds
// nothing when not even Arial can be made.
FontHandle CreateTextFont(const String &faceName, const TextFontStyle &style);

// The GDI+ font for a GDI font: from its description read back as LOGFONTA, or from the
// device context when the description cannot be read.
GdipFont CreateGdiplusFont(HDC dc, HFONT font);
