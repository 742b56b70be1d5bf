#include "source/GlyphPathRuns.h"

#include <algorithm>

namespace {

constexpr std::uint8_t kPointTypeMask = 0x07;  // PathPointTypePathTypeMask
constexpr std::uint8_t kStartType = 0x00;      // PathPointTypeStart

bool FigureReaches(const PathPoint *points, std::size_t count, float width, float height, float margin)
{
    float left = points[0].x, right = points[0].x, top = points[0].y, bottom = points[0].y;
    for (std::size_t i = 1; i < count; ++i) {
        left = std::min(left, points[i].x);
        right = std::max(right, points[i].x);
        top = std::min(top, points[i].y);
        bottom = std::max(bottom, points[i].y);
    }
    // Written so that a NaN coordinate leaves the figure out.
    return left - margin < width && top - margin < height && right + margin > 0.0f && bottom + margin > 0.0f;
}

} // namespace

FigureSelection SelectVisibleFigures(const PathPoint *points, const std::uint8_t *types, std::size_t count,
                                     float width, float height, float margin, std::size_t maxPoints)
{
    FigureSelection selection;
    std::size_t start = 0;
    while (start < count) {
        std::size_t end = start + 1;
        while (end < count && (types[end] & kPointTypeMask) != kStartType)
            ++end;
        if (!FigureReaches(points + start, end - start, width, height, margin)) {
            selection.allVisible = false;
        } else {
            if (selection.runs.empty() || selection.runs.back().points.size() + (end - start) > maxPoints)
                selection.runs.emplace_back();
            PathRun &run = selection.runs.back();
            run.points.insert(run.points.end(), points + start, points + end);
            run.types.insert(run.types.end(), types + start, types + end);
        }
        start = end;
    }
    return selection;
}
