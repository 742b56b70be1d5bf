// The rasteriser's canvas and the order a rebuild takes its steps in, which its profile relies on.
#include "raster_test_support.h"
#include "source/Rasterise.h"
#include "source/TextDrawing.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

TEST(PixelCanvas, FillSetsEveryPixelAsGdiplusReadsItAlsoToZeroOnMemoryUsedBefore)
{
    PixelStore store;
    const auto pixelsOf = [](const PixelCanvas &canvas) {
        const auto *pixels = static_cast<const std::uint32_t *>(canvas.Pixels());
        return std::vector<std::uint32_t>(pixels, pixels + canvas.Width() * canvas.Height());
    };
    {
        PixelCanvas canvas(3, 2, store);
        ASSERT_TRUE(canvas.HasPixels());
        canvas.Fill(0);
        EXPECT_EQ(pixelsOf(canvas), std::vector<std::uint32_t>(6, 0u));
        canvas.Fill(0x80FF8040u);
        EXPECT_EQ(pixelsOf(canvas), std::vector<std::uint32_t>(6, 0x80FF8040u));
        Gdiplus::ARGB read = 0;
        ASSERT_EQ(gdip::GdipBitmapGetPixel(canvas.Bitmap().get(), 2, 1, &read), Gdiplus::Ok);
        EXPECT_EQ(read, 0x80FF8040u);
    }
    // A smaller canvas takes the same memory, still holding the last one's pixels.
    PixelCanvas reused(2, 2, store);
    ASSERT_TRUE(reused.HasPixels());
    reused.Fill(0);
    EXPECT_EQ(pixelsOf(reused), std::vector<std::uint32_t>(4, 0u));
}

namespace {

struct StepRecorder final : RebuildProfiler {
    std::vector<RebuildStep> steps;
    void StepEnded(RebuildStep step) override { steps.push_back(step); }
};

} // namespace

using RebuildProfile = raster_test::RasterTest;

TEST_F(RebuildProfile, EveryStepOfARebuildIsToldOnceInOrder)
{
    source->textSetting = L"Hello";
    StepRecorder recorder;
    RebuildTexture(*source, &recorder);
    ASSERT_NE(source->texture, nullptr);
    std::vector<RebuildStep> all;
    for (int step = 0; step < static_cast<int>(RebuildStep::Count); ++step)
        all.push_back(static_cast<RebuildStep>(step));
    EXPECT_EQ(recorder.steps, all);
}

using BackgroundFill = raster_test::RasterTest;

// The background is filled once: a translucent one within extents is its colour exactly,
// not blended over itself where the text's box is.
TEST_F(BackgroundFill, TranslucentBackgroundInExtentsIsItsColourEverywhere)
{
    source->useTextExtents = true;
    source->extentWidth = 64;
    source->extentHeight = 40;
    source->backgroundOpacity = 50;
    source->backgroundColor = 0x0000FF;
    Rasterise(L"");
    ASSERT_EQ(source->textureWidth, 64);
    for (unsigned y = 0; y < 40; ++y)
        for (unsigned x = 0; x < 64; ++x)
            ASSERT_EQ(Pixel(x, y), 0x7F0000FFu) << x << "," << y;
}

// A scrolling line with no background keeps its alpha-1 wash in the box, the margin clear.
TEST_F(BackgroundFill, ScrollingTextKeepsItsWashInTheBoxAndTheMarginClear)
{
    source->color = 0x3366CC;
    source->scrollSpeed = 40;
    Rasterise(L"i");
    ASSERT_EQ(source->textureWidth, 32);
    EXPECT_EQ(Pixel(0, 0), 0x013366CCu);
    EXPECT_EQ(Pixel(31, 0), 0u);
}
