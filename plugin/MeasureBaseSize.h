#pragma once
#include "host/OBSApi.h"
#include "source/GdiplusHandles.h"

// Measures the default size of a source from its font settings ("font", "fontSize",
// "bold", "italic") and writes "baseSizeCX" and "baseSizeCY" (floats, at least 32) into
// the data element. When no font can be made, the user is told and nothing is written.
void MeasureBaseSize(XElement *data);

// The font description used for measuring; the face falls back to "Arial" when empty.
LOGFONTW BaseSizeLogFont(CTSTR fontName, int fontSize, bool bold, bool italic);

// Base size from the measured box: the font size is the least height, 32 the least side.
struct BaseSize {
    float width;
    float height;
};
BaseSize BaseSizeFromMeasurement(float measuredWidth, float measuredHeight, int fontSize);

// GDI+ font creation for measuring. Wine's GDI+ makes a font for any face name, so tests
// swap this to reach the font-not-found path.
using CreateFontFromLogfontW = Gdiplus::GpStatus(WINGDIPAPI *)(HDC, GDIPCONST LOGFONTW *,
                                                               Gdiplus::GpFont **);
CreateFontFromLogfontW &MeasuringFontFactory();
