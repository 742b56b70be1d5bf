#pragma once
// Measuring the text with GDI+: the box it occupies and, in scroll mode, the lines that fit.
#include <algorithm>

#include "host/OBSApi.h"
#include "source/GdiplusHandles.h"
#include "source/TextureLayout.h"

// The units of a text that are measured: its terminating zero is measured with it.
inline INT MeasuredUnits(const String &text) { return static_cast<INT>(text.Length() + 1); }

// A GDI+ graphics object on the measuring context, antialiased text like the drawing.
GdipGraphics CreateMeasuringGraphics(HDC dc);

// The box the working text occupies: (0, 0, 32, 32) for empty text; laid out inside the
// extents (less the outline) when wrapped extents are set, in scroll mode from the bottom
// with the text cut to the lines that fit; otherwise unbounded plus the outline. Scroll
// mode rewrites `text`. A failed measurement is logged and leaves the box as it was.
TextBox MeasureWorkingText(String &text, GdipGraphics &graphics, Gdiplus::GpFont *font,
                           Gdiplus::GpStringFormat *format, const LayoutSettings &settings);

// Scroll mode keeps the newest lines: the text is rebuilt from its last line backwards until
// the lines no longer fit the layout height. Every line kept, the last included, ends with
// a line feed. Returns the overflow: the layout height minus the measured height of the
// lines kept (0 when the text has no lines, and then the text stays as it was). The line
// that overflowed is kept too, so the block can hang off the top of the box.
//
// measureHeight returns the height of the given text laid out at the box width. Lines are
// taken one at a time up to kLinesOneByOne; past that (a tall box, a small font, a long file)
// measuring every count would grow with the square of the lines, so the count doubles until
// it overflows and the gap is then halved: more lines are never less tall, so the same
// lines are kept.
inline constexpr unsigned kLinesOneByOne = 32;

template <typename MeasureHeight>
float FitLinesFromBottom(String &text, float layoutHeight, MeasureHeight measureHeight)
{
    text.FindReplace(L"\n\r", L"\n");
    StringList lines;
    text.GetTokenList(lines, L'\n', 1);
    const unsigned count = lines.Num();
    if (count == 0)
        return 0.0f;

    // The text becomes the last `taken` lines; the result is what they overflow.
    const auto take = [&](unsigned taken) {
        text.Clear();
        for (unsigned i = count - taken; i < count; ++i) {
            if (!lines[i].IsEmpty())  // an empty line has no buffer to append
                text.AppendString(lines[i].Array(), lines[i].Length());
            text.AppendString(L"\n", 1);
        }
        return layoutHeight - measureHeight(text);
    };
    unsigned fits = 0;
    float overflow = layoutHeight;
    while (overflow >= 0.0f && fits < count && fits < kLinesOneByOne)
        overflow = take(++fits);
    if (overflow < 0.0f || fits == count)
        return overflow;

    unsigned over = fits;
    while (overflow >= 0.0f && over < count) {
        fits = over;
        over = std::min(count, 2 * over);
        overflow = take(over);
    }
    if (overflow >= 0.0f)
        return overflow;  // all lines fit
    while (over - fits > 1) {
        const unsigned middle = fits + (over - fits) / 2;
        if (take(middle) < 0.0f)
            over = middle;
        else
            fits = middle;
    }
    return take(over);
}

// The same with GDI+ measuring: the font, a layout of (0, 0, width, 32000) and no string
// format. A failed measurement counts as no height; its status stays with `graphics`.
float FitLinesToBox(String &text, GdipGraphics &graphics, Gdiplus::GpFont *font, float width,
                    float height);
