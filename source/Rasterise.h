#pragma once
// Rasterising: the source's text and style made into a texture, step by step, with the fonts
// and string format it is drawn in.
#include "host/OBSApi.h"
#include "source/GdiplusHandles.h"

class TextOutputSource;

// The steps of a rebuild, in the order it takes them. A profiler passed to RebuildTexture is
// told as each one ends, so that the steps' times add up to the whole rebuild.
enum class RebuildStep {
    WorkingText,       // the text chosen, the outline size checked
    GdiFont,
    StringFormat,      // the typographic format, flags and alignment
    MeasuringObjects,  // a memory DC, the GDI+ font, the measuring graphics
    Measure,
    ReleaseMeasuring,  // the measuring graphics, the DC and the GDI font released
    Canvas,            // pixel memory, the GDI+ bitmap over it and its graphics
    Background,
    Text,              // render state, brush, text
    FinishDrawing,
    Upload,
    Release,           // the canvas, the GDI+ font and the format released
    Count
};

struct RebuildProfiler {
    virtual void StepEnded(RebuildStep step) = 0;

protected:
    ~RebuildProfiler() = default;
};

// What TextOutputSource::UpdateTexture does, telling `profiler` (when not null) as each step ends.
void RebuildTexture(TextOutputSource &source, RebuildProfiler *profiler);

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
win::FontHandle CreateTextFont(const String &faceName, const TextFontStyle &style);

// The GDI+ font for a GDI font: from its description read back as LOGFONTA, or from the
// device context when the description cannot be read.
GdipFont CreateGdiplusFont(HDC dc, HFONT font);

// The generic typographic string format of GDI+, fetched into one process-wide slot on
// every use and never modified: every caller works on its own clone.

// A clone of the generic typographic format with `flags` replacing its format flags and
// word trimming. Statuses of the clone's calls are kept in the returned owner; when the
// clone fails it holds no format.
GdipStringFormat CloneTypographicFormat(int flags);

// The process-wide slot as last fetched (null before the first use).
Gdiplus::GpStringFormat *SharedTypographicFormat();

// Hands finished pixels (blue, green, red, alpha; rows top first, `width`*4 bytes each) to
// the source's texture. An existing texture of the same size is refreshed in place;
// otherwise the texture is replaced by a new one of the new size, which is stored first.
// A source left without a texture (a failed creation) tries again on its next call, even
// at the same size, rather than staying blank until the size changes.
void UploadTexture(TextOutputSource &source, unsigned width, unsigned height, void *pixels);
