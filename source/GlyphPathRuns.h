#pragma once
// Which figures of a glyph path to stroke, and in what portions. Wine's GDI+ strokes a path
// in time that grows with the square of its points on a line (a long line of text took tens
// of seconds) and overflows its stack flattening curves far out (past 8192, where no texture
// reaches). So only figures that can touch the texture are stroked, a bounded number of
// points at a time. Pure: points and GDI+ point types in, runs out.
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

// Keeps the figures whose points come within `margin` of [0, width) x [0, height) (curve
// control points count, and a curve stays inside their hull) and groups them into runs.
FigureSelection SelectVisibleFigures(const PathPoint *points, const std::uint8_t *types, std::size_t count,
                                     float width, float height, float margin, std::size_t maxPoints);
