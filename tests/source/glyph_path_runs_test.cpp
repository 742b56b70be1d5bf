#include "source/GlyphPathRuns.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

// A square figure of four points at (x, y), side 10, closed.
void AddSquare(std::vector<PathPoint> &points, std::vector<std::uint8_t> &types, float x, float y)
{
    points.insert(points.end(), {{x, y}, {x + 10, y}, {x + 10, y + 10}, {x, y + 10}});
    types.insert(types.end(), {0x00, 0x01, 0x01, 0x81});
}

struct Path {
    std::vector<PathPoint> points;
    std::vector<std::uint8_t> types;
    FigureSelection Select(float margin, std::size_t maxPoints) const
    {
        return SelectVisibleFigures(points.data(), types.data(), points.size(), 100.0f, 50.0f, margin, maxPoints);
    }
};

TEST(GlyphPathRuns, FiguresOnTheCanvasMakeOneRunKeepingTheirPointsAndTypes)
{
    Path path;
    AddSquare(path.points, path.types, 0, 0);
    AddSquare(path.points, path.types, 80, 30);
    const FigureSelection selection = path.Select(0.0f, 100);
    EXPECT_TRUE(selection.allVisible);
    ASSERT_EQ(selection.runs.size(), 1u);
    EXPECT_EQ(selection.runs[0].types, path.types);
    ASSERT_EQ(selection.runs[0].points.size(), 8u);
    EXPECT_EQ(selection.runs[0].points[5].x, 90.0f);
    EXPECT_EQ(selection.runs[0].points[5].y, 30.0f);
}

TEST(GlyphPathRuns, FiguresBeyondTheCanvasAndTheMarginAreLeftOut)
{
    Path path;
    AddSquare(path.points, path.types, 8000, 0);   // far right, as on a long line
    AddSquare(path.points, path.types, 10, 10);
    AddSquare(path.points, path.types, -13, 0);    // 3 left of the canvas
    AddSquare(path.points, path.types, 10, 53);    // 3 below it
    AddSquare(path.points, path.types, std::numeric_limits<float>::quiet_NaN(), 0);

    FigureSelection selection = path.Select(0.0f, 100);
    EXPECT_FALSE(selection.allVisible);
    ASSERT_EQ(selection.runs.size(), 1u);
    EXPECT_EQ(selection.runs[0].points.size(), 4u);
    EXPECT_EQ(selection.runs[0].points[0].x, 10.0f);

    // A stroke reaches the margin out: the near ones come back, the far and the broken do not.
    selection = path.Select(4.0f, 100);
    ASSERT_EQ(selection.runs.size(), 1u);
    EXPECT_EQ(selection.runs[0].points.size(), 12u);
}

TEST(GlyphPathRuns, RunsHoldWholeFiguresUpToTheLimitAndABigFigureAlone)
{
    Path path;
    for (int i = 0; i < 5; ++i)
        AddSquare(path.points, path.types, 10.0f * i, 0);
    // One figure of 12 points: a start and eleven line points.
    path.points.push_back({0, 20});
    path.types.push_back(0x00);
    for (int i = 1; i < 12; ++i) {
        path.points.push_back({static_cast<float>(i), 20});
        path.types.push_back(0x01);
    }
    AddSquare(path.points, path.types, 0, 40);

    const FigureSelection selection = path.Select(0.0f, 8);
    EXPECT_TRUE(selection.allVisible);
    std::vector<std::size_t> sizes;
    for (const PathRun &run : selection.runs) {
        sizes.push_back(run.points.size());
        EXPECT_EQ(run.types[0] & 0x07, 0) << "every run starts a figure";
    }
    EXPECT_EQ(sizes, (std::vector<std::size_t>{8, 8, 4, 12, 4}));
}

} // namespace

namespace {

PathRun OneCurve(PathPoint p0, PathPoint p1, PathPoint p2, PathPoint p3, std::uint8_t lastFlags = 0x80)
{
    PathRun run;
    run.points = {p0, p1, p2, p3};
    run.types = {0x00, 0x03, 0x03, static_cast<std::uint8_t>(0x03 | lastFlags)};
    return run;
}

TEST(GlyphPathRuns, WidePensStrokeFewerPointsAtATime)
{
    EXPECT_EQ(StrokeRunPoints(2.0f), 300u);
    EXPECT_EQ(StrokeRunPoints(10.0f), 300u);
    EXPECT_EQ(StrokeRunPoints(20.0f), 150u);
    EXPECT_EQ(StrokeRunPoints(-20.0f), 150u);
    EXPECT_EQ(StrokeRunPoints(100.0f), 50u);
    EXPECT_EQ(StrokeRunPoints(std::numeric_limits<float>::infinity()), 50u);
    EXPECT_EQ(StrokeRunPoints(std::numeric_limits<float>::quiet_NaN()), 300u);
}

TEST(FlattenCurves, LinesAreKeptAndCurvesBecomeLinesOnTheCurveEndingWhereTheyEnded)
{
    PathRun square;
    std::vector<PathPoint> points;
    std::vector<std::uint8_t> types;
    AddSquare(points, types, 0, 0);
    square.points = points;
    square.types = types;
    const PathRun same = FlattenCurves(square, 0.25f);
    EXPECT_EQ(same.types, square.types);
    ASSERT_EQ(same.points.size(), 4u);

    // A quarter circle of radius 100 as a cubic: every point within a pixel of the circle.
    const float k = 55.2285f;
    const PathRun flat = FlattenCurves(OneCurve({100, 0}, {100, k}, {k, 100}, {0, 100}), 0.25f);
    ASSERT_GT(flat.points.size(), 8u);
    EXPECT_EQ(flat.types.front(), 0x00);
    EXPECT_EQ(flat.types.back(), 0x81);  // a line, still closing the figure
    for (std::size_t i = 1; i + 1 < flat.types.size(); ++i)
        EXPECT_EQ(flat.types[i], 0x01);
    EXPECT_EQ(flat.points.back().x, 0.0f);
    EXPECT_EQ(flat.points.back().y, 100.0f);
    for (const PathPoint &point : flat.points)
        EXPECT_NEAR(std::hypot(point.x, point.y), 100.0f, 1.0f);
}

TEST(FlattenCurves, HugeOrBrokenCurvesStopAtAThousandLines)
{
    EXPECT_EQ(FlattenCurves(OneCurve({0, 0}, {1e9f, 0}, {-1e9f, 1e9f}, {0, 1}), 0.25f).points.size(), 1 + 1024u);
    const float nan = std::numeric_limits<float>::quiet_NaN();
    EXPECT_EQ(FlattenCurves(OneCurve({0, 0}, {nan, 0}, {1, 1}, {2, 2}), 0.25f).points.size(), 1 + 1024u);
    // A run cut off inside a curve keeps its points as they are.
    PathRun cut = OneCurve({0, 0}, {1, 1}, {2, 2}, {3, 3});
    cut.points.pop_back();
    cut.types.pop_back();
    EXPECT_EQ(FlattenCurves(cut, 0.25f).points.size(), 3u);
}

} // namespace
