#include "source/GlyphPathRuns.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr std::uint8_t kPointTypeMask = 0x07;  // PathPointTypePathTypeMask
constexpr std::uint8_t kStartType = 0x00;      // PathPointTypeStart
constexpr std::uint8_t kLineType = 0x01;       // PathPointTypeLine
constexpr std::uint8_t kBezierType = 0x03;     // PathPointTypeBezier
constexpr std::uint8_t kCloseFlag = 0x80;      // PathPointTypeCloseSubpath
constexpr int kMostLinesPerCurve = 1024;

float Distance(PathPoint a, PathPoint b)
{
    return std::hypot(b.x - a.x, b.y - a.y);
}

// Enough lines that each strays at most about `tolerance` from the curve: a cubic's
// deviation from a chord of 1/n of it shrinks with n squared.
int LinesForCurve(PathPoint p0, PathPoint p1, PathPoint p2, PathPoint p3, float tolerance)
{
    const double bend = std::max(Distance(p0, p1) + Distance(p1, p2) + Distance(p2, p3) - Distance(p0, p3), 0.0f);
    const double lines = std::ceil(std::sqrt(bend / std::max(tolerance, 0.01f))) + 1.0;
    if (!(lines < kMostLinesPerCurve))  // NaN too
        return kMostLinesPerCurve;
    return static_cast<int>(lines);
}

PathPoint PointOnCurve(PathPoint p0, PathPoint p1, PathPoint p2, PathPoint p3, double t)
{
    const double u = 1.0 - t;
    const double a = u * u * u, b = 3 * u * u * t, c = 3 * u * t * t, d = t * t * t;
    return {static_cast<float>(a * p0.x + b * p1.x + c * p2.x + d * p3.x),
            static_cast<float>(a * p0.y + b * p1.y + c * p2.y + d * p3.y)};
}

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

PathRun FlattenCurves(const PathRun &run, float tolerance)
{
    PathRun flat;
    const std::size_t count = std::min(run.points.size(), run.types.size());
    std::size_t i = 0;
    while (i < count) {
        const std::uint8_t type = run.types[i];
        const bool curve = (type & kPointTypeMask) == kBezierType && i > 0 && i + 2 < count &&
                           (run.types[i + 1] & kPointTypeMask) == kBezierType &&
                           (run.types[i + 2] & kPointTypeMask) == kBezierType;
        if (!curve) {
            flat.points.push_back(run.points[i]);
            flat.types.push_back(type);
            ++i;
            continue;
        }
        const PathPoint p0 = run.points[i - 1], p1 = run.points[i], p2 = run.points[i + 1], p3 = run.points[i + 2];
        const int lines = LinesForCurve(p0, p1, p2, p3, tolerance);
        for (int k = 1; k < lines; ++k) {
            flat.points.push_back(PointOnCurve(p0, p1, p2, p3, static_cast<double>(k) / lines));
            flat.types.push_back(kLineType);
        }
        // The curve's own end point, with its markers (the close flag among them).
        flat.points.push_back(p3);
        flat.types.push_back(static_cast<std::uint8_t>((run.types[i + 2] & ~kPointTypeMask) | kLineType));
        i += 3;
    }
    return flat;
}

std::size_t StrokeRunPoints(float penWidth)
{
    constexpr float kThinPenPoints = 300.0f;
    constexpr float kThinPenWidth = 10.0f;
    constexpr float kFewestPoints = 50.0f;
    const float width = std::fabs(penWidth);
    if (!(width > kThinPenWidth))  // thin, or NaN
        return static_cast<std::size_t>(kThinPenPoints);
    const float points = kThinPenPoints * kThinPenWidth / width;
    return static_cast<std::size_t>(points > kFewestPoints ? points : kFewestPoints);
}
