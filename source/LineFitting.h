#pragma once
#include "host/OBSApi.h"
#include "source/GdiplusHandles.h"

// Scroll mode keeps the newest lines: the text is rebuilt from its last line backwards until
// the lines no longer fit the layout height. Every line kept, the last included, ends with
// a line feed. Returns the overflow: the layout height minus the measured height of the
// lines kept (0 when the text has no lines, and then the text stays as it was). The line
// that overflowed is kept too, so the block can hang off the top of the box.
//
// measureHeight returns the height of the given text laid out at the box width.
template <typename MeasureHeight>
float FitLinesFromBottom(String &text, float layoutHeight, MeasureHeight measureHeight)
{
    text.FindReplace(L"\n\r", L"\n");
    StringList lines;
    text.GetTokenList(lines, L'\n', 1);
    if (lines.Num() == 0)
        return 0.0f;

    text.Clear();
    float overflow = layoutHeight;
    for (unsigned i = lines.Num(); i-- > 0;) {
        text.InsertString(0, L"\n");
        if (!lines[i].IsEmpty())  // an empty line has no buffer to insert
            text.InsertString(0, lines[i].Array());
        if (!text.IsEmpty())
            overflow = layoutHeight - measureHeight(text);
        if (overflow < 0.0f)
            break;
    }
    return overflow;
}

// The same with GDI+ measuring: the font, a layout of (0, 0, width, 32000) and no string
// format. A failed measurement counts as no height; its status stays with `graphics`.
float FitLinesToBox(String &text, GdipGraphics &graphics, Gdiplus::GpFont *font, float width,
                    float height);
