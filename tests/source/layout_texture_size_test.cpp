#include "source/TextureLayout.h"

#include <gtest/gtest.h>
#include <limits>

namespace {

TextureSize SizeOf(float width, float height, int fontSize = 0, bool vertical = false)
{
    LayoutSettings layout;
    layout.fontSize = fontSize;
    layout.vertical = vertical;
    return ComputeTextureSize(width, height, layout);
}

TextureSize SizeWithExtents(unsigned width, unsigned height, bool wrap)
{
    LayoutSettings layout;
    layout.useTextExtents = true;
    layout.wrap = wrap;
    layout.extentWidth = width;
    layout.extentHeight = height;
    return ComputeTextureSize(500.0f, 60.0f, layout);
}

TEST(TextureSize, TruncatesAfterAddingATenThousandthThenMakesSidesEven)
{
    EXPECT_EQ(SizeOf(101.99995f, 40.0f).width, 102u);
    EXPECT_EQ(SizeOf(101.5f, 40.0f).width, 102u);
    EXPECT_EQ(SizeOf(100.9f, 45.0f).width, 100u);
    EXPECT_EQ(SizeOf(100.9f, 45.0f).height, 46u);
    EXPECT_EQ(SizeOf(3.0f, 5.0f).width, 32u);
    EXPECT_EQ(SizeOf(9000.0f, 8191.0f).height, 8192u);
    EXPECT_EQ(MeasuredSide(std::numeric_limits<float>::quiet_NaN()), 0);
    EXPECT_EQ(MeasuredSide(-5.0f), 0);
    EXPECT_EQ(MeasuredSide(3e9f), 1 << 30);
}

TEST(TextureSize, FontSizeIsTheMinimumAcrossTheLines)
{
    const TextureSize horizontal = SizeOf(20.0f, 20.0f, 71);
    EXPECT_EQ(horizontal.height, 72u);
    EXPECT_EQ(horizontal.boxHeight, 71.0f);  // the background box grows with it
    EXPECT_EQ(horizontal.width, 32u);
    const TextureSize vertical = SizeOf(20.0f, 300.0f, 48, true);
    EXPECT_EQ(vertical.width, 48u);
    EXPECT_EQ(vertical.boxWidth, 48.0f);
    EXPECT_EQ(vertical.height, 300u);
}

TEST(TextureSize, WrappedExtentsAreTheSizeUnwrappedOnlyRaiseIt)
{
    EXPECT_EQ(SizeWithExtents(33, 100, true).width, 34u);
    EXPECT_EQ(SizeWithExtents(10000, 100, true).width, 8192u);
    EXPECT_EQ(SizeWithExtents(200, 120, false).width, 500u);
    EXPECT_EQ(SizeWithExtents(200, 120, false).height, 120u);
    // Signed comparison: an extent past 2^31 raises nothing.
    EXPECT_EQ(SizeWithExtents(200, 0xFFFFFFFFu, false).height, 60u);
}

TEST(TextureSize, UnusableOrHugeInputsStillClamp)
{
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    EXPECT_EQ(SizeOf(nan, nan, 48).width, 32u);
    EXPECT_EQ(SizeOf(nan, nan, 48).height, 32u);
    EXPECT_EQ(SizeOf(inf, 1e20f).width, 8192u);
    EXPECT_EQ(SizeOf(inf, 1e20f).height, 8192u);
    EXPECT_EQ(SizeOf(-inf, -5.0f, -48).height, 32u);
    EXPECT_EQ(SizeOf(100.0f, 40.0f, 2000000000).height, 8192u);
    // Odd extents at the top of the int range must not overflow when made even.
    EXPECT_EQ(SizeWithExtents(0x7FFFFFFFu, 0x7FFFFFFFu, false).width, 8192u);
    EXPECT_EQ(SizeWithExtents(0xFFFFFFFFu, 0xFFFFFFFFu, true).height, 8192u);
}

} // namespace

namespace {

void ExpectBox(const TextBox &box, float x, float y, float width, float height)
{
    EXPECT_EQ(box.x, x);
    EXPECT_EQ(box.y, y);
    EXPECT_EQ(box.width, width);
    EXPECT_EQ(box.height, height);
}

TEST(MeasureMode, ExtentsAndWrapBoundTheLayoutScrollModeOnlyForHorizontalText)
{
    EXPECT_EQ(ChooseMeasureMode(true, true, false, true), MeasureMode::BottomFitted);
    EXPECT_EQ(ChooseMeasureMode(true, true, true, true), MeasureMode::InExtents);
    EXPECT_EQ(ChooseMeasureMode(true, true, false, false), MeasureMode::InExtents);
    EXPECT_EQ(ChooseMeasureMode(true, false, false, true), MeasureMode::Unbounded);
    EXPECT_EQ(ChooseMeasureMode(false, true, false, true), MeasureMode::Unbounded);
}

// The stroke stays inside the texture: it takes its size off the extents, adds it to an
// unbounded measurement, and the text moves half a stroke right and down.
TEST(OutlineBoxes, TheOutlineSizeComesOffTheExtentsIsAddedUnboundedAndShiftsHalfOfIt)
{
    ExpectBox(ExtentLayoutBox(300, 80, true, 4.0f), 0.0f, 0.0f, 296.0f, 76.0f);
    ExpectBox(ExtentLayoutBox(300, 80, false, 4.0f), 0.0f, 0.0f, 300.0f, 80.0f);
    ExpectBox(AddOutlineMargin(TextBox{1.0f, 2.0f, 100.0f, 50.0f}, true, 6.0f), 1.0f, 2.0f, 106.0f, 56.0f);
    ExpectBox(AddOutlineMargin(TextBox{1.0f, 2.0f, 100.0f, 50.0f}, false, 6.0f), 1.0f, 2.0f, 100.0f, 50.0f);
    ExpectBox(OutlineDrawBox(TextBox{10.0f, -20.0f, 100.0f, 50.0f}, 8.0f), 14.0f, -16.0f, 100.0f, 50.0f);
}

TEST(OutlineBoxes, BottomFittedTextHangsOffTheTopByItsOverflow)
{
    const TextBox layout{0.0f, 0.0f, 300.0f, 100.0f};
    ExpectBox(BottomFittedBox(layout, 30.0f), 0.0f, 30.0f, 300.0f, 100.0f);
    ExpectBox(BottomFittedBox(layout, -25.0f), 0.0f, -25.0f, 300.0f, 125.0f);
}

TEST(TransparentMargin, OnlyATextureLargerThanTheBoxWithoutExtentsHasOne)
{
    EXPECT_TRUE(NeedsTransparentMargin(false, 34, 48, 33.5f, 48.0f));
    EXPECT_TRUE(NeedsTransparentMargin(false, 34, 48, 34.0f, 47.5f));
    EXPECT_FALSE(NeedsTransparentMargin(false, 34, 48, 34.0f, 48.0f));
    EXPECT_FALSE(NeedsTransparentMargin(true, 400, 200, 33.5f, 47.5f));
}

// Only a box on whole pixels is filled by hand; GDI+ decides the coverage of a pixel an edge
// cuts.
TEST(TransparentMargin, ABoxOnWholePixelsIsThosePixelsHeldToTheTexture)
{
    EXPECT_EQ(WholePixelBox({0.0f, 0.0f, 605.0f, 96.0f}, 606, 96), (PixelBox{0, 0, 605, 96}));
    EXPECT_EQ(WholePixelBox({-3.0f, 2.0f, 700.0f, 200.0f}, 606, 96), (PixelBox{0, 2, 606, 96}));
    EXPECT_EQ(WholePixelBox({0.0f, 0.0f, 605.5f, 96.0f}, 606, 96), std::nullopt);
    EXPECT_EQ(WholePixelBox({0.0f, 0.25f, 605.0f, 96.0f}, 606, 96), std::nullopt);
    EXPECT_EQ(WholePixelBox({0.0f, 0.0f, -4.0f, 96.0f}, 606, 96), std::nullopt);
    EXPECT_EQ(WholePixelBox({0.0f, 0.0f, std::numeric_limits<float>::quiet_NaN(), 96.0f}, 606, 96), std::nullopt);
}

} // namespace
