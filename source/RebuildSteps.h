#pragma once
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
