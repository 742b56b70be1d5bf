#pragma once
#include "host/OBSApi.h"
#include "source/GdiplusHandles.h"
#include "source/TextureLayout.h"

struct MeasureSettings {
    bool vertical = false;
    bool useTextExtents = false;
    bool wrap = false;
    bool scrollMode = false;
    bool useOutline = false;
    float outlineSize = 0.0f;
    unsigned extentWidth = 0;
    unsigned extentHeight = 0;
};

// The units of a text that are measured: its terminating zero is measured with it.
inline INT MeasuredUnits(const String &text) { return static_cast<INT>(text.Length() + 1); }

// A GDI+ graphics object on the measuring context, antialiased text like the drawing.
GdipGraphics CreateMeasuringGraphics(HDC dc);

// The box the working text occupies: (0, 0, 32, 32) for empty text; laid out inside the
// extents (less the outline) when wrapped extents are set, in scroll mode from the bottom
// with the text cut to the lines that fit; otherwise unbounded plus the outline. Scroll
// mode rewrites `text`. A failed measurement is logged and leaves the box as it was.
TextBox MeasureWorkingText(String &text, GdipGraphics &graphics, Gdiplus::GpFont *font,
                           Gdiplus::GpStringFormat *format, const MeasureSettings &settings);
