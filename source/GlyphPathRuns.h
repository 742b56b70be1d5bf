#pragma once
// Which figures of a glyph path to stroke, in what portions, and as lines. Wine's GDI+
// strokes a path in time that grows with the square of its points on a line (a long line
// of text took tens of seconds), and overflows its stack flattening some curves. So only
// figures that can touch the texture are stroked, a bounded number of points at a time,
// flattened here. Pure: points and GDI+ point types in, runs out.
#include <cstddef>
#include <cstdint>
#include <vector>

struct PathPoint {
    float x = 0.0f;
    float y = 0.0f;
};

// Whole figures (a start point and everything up to the next start), in path order.
struct PathRun {
    std::vector<PathPoint> points;
    std::vector<std::uint8_t> types;
};

struct FigureSelection {
    bool allVisible = true;       // no figure was left out
    std::vector<PathRun> runs;    // the figures kept, at most maxPoints points a run, unless one
                                  // figure alone has more
};

// How many path points one stroke call takes for a pen `penWidth` wide. Wine's GDI+ takes
// time for a stroke that grows with the area its points span as well as with their number
// (about 0.1 s for 1500 points of one line with a thin pen, four times that for twice as
// many; a 100-pixel pen costs it some 70 µs a point), so glyphs stroked a few at a time
// cost less in all: a two-line thank-you (about 1150 points) strokes in 1.1 ms as portions
// of 300 points against 1.5 ms in one call, a 100-pixel outline at the size limit in 0.3 s
// as portions of 50 against 0.45 s as portions of 200. Pens up to 10 pixels take 300
// points at a time, wider pens proportionally fewer, at least 50.
std::size_t StrokeRunPoints(float penWidth);

// Keeps the figures whose points come within `margin` of [0, width) x [0, height) (curve
// control points count, and a curve stays inside their hull) and groups them into runs.
FigureSelection SelectVisibleFigures(const PathPoint *points, const std::uint8_t *types, std::size_t count,
                                     float width, float height, float margin, std::size_t maxPoints);


// The run with every Bezier segment (three points of type 3) replaced by straight lines
// no further than about `tolerance` from the curve (at most 1024 per segment). Start and
// close markers are kept, so figures stay as they were. Wine's GDI+ flattens curves for a
// pen by a recursion that need not end (glyphs of a 1-pixel font, or out past 8192, where
// its float steps stop shrinking) and overflows the stack; a path of lines it never
// flattens.
PathRun FlattenCurves(const PathRun &run, float tolerance);
