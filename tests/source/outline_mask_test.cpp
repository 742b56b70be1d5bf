#include "source/OutlineMask.h"

#include <gtest/gtest.h>

#include <vector>

// Half-transparent green over nothing is exactly the pen; over opaque white a mix; over a
// translucent pixel the alphas combine as 1 - (1 - a)(1 - b).
TEST(OutlineMask, BlendsLikeSourceOverOnUnpremultipliedPixels)
{
    EXPECT_EQ(BlendOver(0x00000000u, 0x8000FF00u, 127), 0x7F00FF00u);
    EXPECT_EQ(BlendOver(0xFFFFFFFFu, 0x0000FF00u, 127), 0xFF80FF80u);
    EXPECT_EQ(BlendOver(0x80FF0000u, 0x000000FFu, 128), 0xC05500AAu);
    EXPECT_EQ(BlendOver(0x80FF0000u, 0x000000FFu, 255), 0xFF0000FFu);
    EXPECT_EQ(BlendOver(0x80FF0000u, 0x000000FFu, 0), 0x80FF0000u);

    // The mask's coverage scales the pen's alpha; uncovered pixels stay as they are.
    std::vector<std::uint32_t> canvas = {1, 2, 0, 0, 0xFFFFFFFFu, 0xFFFFFFFFu};
    const std::vector<std::uint32_t> mask = {0xFF000000u, 0x80123456u, 0, 0xFF000000u};
    CompositeMask(canvas.data(), 2, PixelRows{1, 3}, mask.data(), 0x8000FF00u);
    EXPECT_EQ(canvas, (std::vector<std::uint32_t>{1, 2, 0x8000FF00u, 0x4000FF00u, 0xFFFFFFFFu, 0xFF7FFF7Fu}));
}

TEST(OutlineMask, BandsCoverTheStrokedRowsInBoundedPieces)
{
    PathRun run;
    run.points = {{5.0f, 10.5f}, {9.0f, 30.0f}, {1.0f, 20.0f}};
    EXPECT_EQ(RowsOfRun(run, 4.0f, 100).top, 6u);
    EXPECT_EQ(RowsOfRun(run, 4.0f, 100).bottom, 35u);
    EXPECT_EQ(RowsOfRun(run, 4.0f, 32).bottom, 32u);
    EXPECT_EQ(RowsOfRun(run, 4.0f, 5).bottom, 0u);  // below the canvas: nothing
    EXPECT_EQ(RowsOfRun(PathRun{}, 4.0f, 100).bottom, 0u);

    const std::vector<PixelRows> bands = MaskBands(PixelRows{6, 35}, 100, 1000);
    ASSERT_EQ(bands.size(), 3u);
    EXPECT_EQ(bands[0].top, 6u);
    EXPECT_EQ(bands[0].bottom, 16u);
    EXPECT_EQ(bands[2].top, 26u);
    EXPECT_EQ(bands[2].bottom, 35u);
    EXPECT_EQ(MaskBands(PixelRows{0, 3}, 5000, 1000).size(), 3u);  // a row a band at least
}
