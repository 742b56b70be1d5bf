#include "source/TextureLayout.h"

#include <gtest/gtest.h>
#include <limits>

namespace {

TextureSizeInput Horizontal(float width, float height, int fontSize = 0)
{
    TextureSizeInput input;
    input.boxWidth = width;
    input.boxHeight = height;
    input.fontSize = fontSize;
    return input;
}

TEST(TextureSize, AddsTheTenThousandthBeforeTruncating)
{
    EXPECT_EQ(ComputeTextureSize(Horizontal(101.99995f, 40.0f)).width, 102u);
    EXPECT_EQ(ComputeTextureSize(Horizontal(101.5f, 40.0f)).width, 102u);  // 101, then even
    EXPECT_EQ(ComputeTextureSize(Horizontal(100.9f, 40.0f)).width, 100u);
    EXPECT_EQ(ComputeTextureSize(Horizontal(64.0f, 59.99995f)).height, 60u);
}

TEST(TextureSize, OddSidesBecomeEvenThenClampTo32And8192)
{
    const TextureSize small = ComputeTextureSize(Horizontal(3.0f, 5.0f));
    EXPECT_EQ(small.width, 32u);
    EXPECT_EQ(small.height, 32u);
    const TextureSize odd = ComputeTextureSize(Horizontal(33.0f, 45.0f));
    EXPECT_EQ(odd.width, 34u);
    EXPECT_EQ(odd.height, 46u);
    const TextureSize large = ComputeTextureSize(Horizontal(9000.0f, 8191.0f));
    EXPECT_EQ(large.width, 8192u);
    EXPECT_EQ(large.height, 8192u);
}

TEST(TextureSize, FontSizeIsTheMinimumAcrossTheLines)
{
    // Horizontal: the height; the measured box follows, for the background rule.
    const TextureSize horizontal = ComputeTextureSize(Horizontal(200.0f, 20.0f, 48));
    EXPECT_EQ(horizontal.height, 48u);
    EXPECT_EQ(horizontal.boxHeight, 48.0f);
    EXPECT_EQ(horizontal.width, 200u);
    EXPECT_EQ(horizontal.boxWidth, 200.0f);

    // Vertical: the width, 20 measured becomes 48.
    TextureSizeInput input = Horizontal(20.0f, 300.0f, 48);
    input.vertical = true;
    const TextureSize vertical = ComputeTextureSize(input);
    EXPECT_EQ(vertical.width, 48u);
    EXPECT_EQ(vertical.boxWidth, 48.0f);
    EXPECT_EQ(vertical.height, 300u);

    // Never along the other axis.
    EXPECT_EQ(ComputeTextureSize(Horizontal(20.0f, 300.0f, 48)).width, 32u);
}

TEST(TextureSize, EmptyTextBoxGivesAtLeast32OrTheFontSize)
{
    const TextureSize plain = ComputeTextureSize(Horizontal(32.0f, 32.0f, 20));
    EXPECT_EQ(plain.width, 32u);
    EXPECT_EQ(plain.height, 32u);
    const TextureSize big = ComputeTextureSize(Horizontal(32.0f, 32.0f, 71));
    EXPECT_EQ(big.width, 32u);
    EXPECT_EQ(big.height, 72u);
}

TEST(TextureSize, WrappedExtentsAreTheSizeExactly)
{
    TextureSizeInput input = Horizontal(500.0f, 300.0f, 48);
    input.useTextExtents = true;
    input.wrap = true;
    input.extentWidth = 33;
    input.extentHeight = 100;
    TextureSize size = ComputeTextureSize(input);
    EXPECT_EQ(size.width, 34u);
    EXPECT_EQ(size.height, 100u);

    input.extentWidth = 10000;
    input.extentHeight = 0;
    size = ComputeTextureSize(input);
    EXPECT_EQ(size.width, 8192u);
    EXPECT_EQ(size.height, 32u);
}

TEST(TextureSize, UnwrappedExtentsOnlyRaiseSides)
{
    TextureSizeInput input = Horizontal(500.0f, 60.0f);
    input.useTextExtents = true;
    input.extentWidth = 200;  // smaller: the text keeps its width
    input.extentHeight = 120;
    TextureSize size = ComputeTextureSize(input);
    EXPECT_EQ(size.width, 500u);
    EXPECT_EQ(size.height, 120u);

    // Extents past 2^31 compare as negative and raise nothing.
    input.extentWidth = 0x80000000u;
    input.extentHeight = 0xFFFFFFFFu;
    size = ComputeTextureSize(input);
    EXPECT_EQ(size.width, 500u);
    EXPECT_EQ(size.height, 60u);
}

TEST(TextureSize, HugeExtentsClampInsteadOfWrapping)
{
    TextureSizeInput input = Horizontal(10.0f, 10.0f);
    input.useTextExtents = true;
    input.extentWidth = 0x7FFFFFFFu;  // odd: adding one must not overflow
    input.extentHeight = 0x7FFFFFFFu;
    EXPECT_EQ(ComputeTextureSize(input).width, 8192u);
    input.wrap = true;
    input.extentWidth = 0xFFFFFFFFu;
    const TextureSize size = ComputeTextureSize(input);
    EXPECT_EQ(size.width, 8192u);
    EXPECT_EQ(size.height, 8192u);
}

TEST(TextureSize, UnusableMeasurementsStillClamp)
{
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();

    TextureSize size = ComputeTextureSize(Horizontal(nan, nan, 48));
    EXPECT_EQ(size.width, 32u);
    EXPECT_EQ(size.height, 32u);

    size = ComputeTextureSize(Horizontal(inf, 1e20f, 48));
    EXPECT_EQ(size.width, 8192u);
    EXPECT_EQ(size.height, 8192u);

    size = ComputeTextureSize(Horizontal(-inf, -500.0f, 0));
    EXPECT_EQ(size.width, 32u);
    EXPECT_EQ(size.height, 32u);

    // A negative font size is no minimum at all.
    size = ComputeTextureSize(Horizontal(100.0f, 40.0f, -48));
    EXPECT_EQ(size.width, 100u);
    EXPECT_EQ(size.height, 40u);
    EXPECT_EQ(ComputeTextureSize(Horizontal(100.0f, 40.0f, 2000000000)).height, 8192u);
}

TEST(TextureSize, MeasuredSideSaturates)
{
    EXPECT_EQ(MeasuredSide(std::numeric_limits<float>::quiet_NaN()), 0);
    EXPECT_EQ(MeasuredSide(-3.0f), 0);
    EXPECT_EQ(MeasuredSide(3e9f), 1 << 30);
    EXPECT_EQ(MeasuredSide(7.99995f), 8);
}

TEST(MeasureModeChoice, OnlyWrappedExtentsBoundTheLayout)
{
    EXPECT_EQ(ChooseMeasureMode(false, false, false, true), MeasureMode::Unbounded);
    EXPECT_EQ(ChooseMeasureMode(true, false, false, true), MeasureMode::Unbounded);
    EXPECT_EQ(ChooseMeasureMode(false, true, false, true), MeasureMode::Unbounded);
    EXPECT_EQ(ChooseMeasureMode(true, true, false, false), MeasureMode::InExtents);
    EXPECT_EQ(ChooseMeasureMode(true, true, false, true), MeasureMode::BottomFitted);
    // Vertical text ignores scroll mode.
    EXPECT_EQ(ChooseMeasureMode(true, true, true, true), MeasureMode::InExtents);
}

TEST(LayoutBoxes, OutlineShrinksTheExtentBoxAndGrowsTheUnboundedOne)
{
    const TextBox plain = ExtentLayoutBox(300, 200, false, 4.0f);
    EXPECT_EQ(plain.width, 300.0f);
    EXPECT_EQ(plain.height, 200.0f);
    const TextBox outlined = ExtentLayoutBox(300, 200, true, 4.0f);
    EXPECT_EQ(outlined.x, 0.0f);
    EXPECT_EQ(outlined.y, 0.0f);
    EXPECT_EQ(outlined.width, 296.0f);
    EXPECT_EQ(outlined.height, 196.0f);

    const TextBox grown = AddOutlineMargin(TextBox{0.0f, 0.0f, 100.0f, 50.0f}, true, 3.0f);
    EXPECT_EQ(grown.width, 103.0f);
    EXPECT_EQ(grown.height, 53.0f);
    EXPECT_EQ(AddOutlineMargin(TextBox{0.0f, 0.0f, 100.0f, 50.0f}, false, 3.0f).width, 100.0f);
}

TEST(LayoutBoxes, BottomFittedBoxHangsOffTheTopWhenTheTextOverflows)
{
    const TextBox layout{0.0f, 0.0f, 300.0f, 200.0f};
    const TextBox fits = BottomFittedBox(layout, 25.0f);
    EXPECT_EQ(fits.y, 25.0f);
    EXPECT_EQ(fits.width, 300.0f);
    EXPECT_EQ(fits.height, 200.0f);

    const TextBox overflows = BottomFittedBox(layout, -40.0f);
    EXPECT_EQ(overflows.y, -40.0f);
    EXPECT_EQ(overflows.height, 240.0f);  // still ends at the bottom of the layout box
}

TEST(LayoutBoxes, OutlinedTextMovesByHalfAStroke)
{
    const TextBox box = OutlineDrawBox(TextBox{0.0f, -10.0f, 80.0f, 20.0f}, 5.0f);
    EXPECT_EQ(box.x, 2.5f);
    EXPECT_EQ(box.y, -7.5f);
    EXPECT_EQ(box.width, 80.0f);
    EXPECT_EQ(box.height, 20.0f);
}

TEST(BackgroundMargin, OnlyWithoutExtentsAndWhenTheTextureIsLarger)
{
    EXPECT_TRUE(NeedsTransparentMargin(false, 34, 48, 33.2f, 48.0f));
    EXPECT_TRUE(NeedsTransparentMargin(false, 32, 48, 32.0f, 47.5f));
    EXPECT_FALSE(NeedsTransparentMargin(false, 100, 48, 100.0f, 48.0f));
    EXPECT_FALSE(NeedsTransparentMargin(true, 400, 300, 33.0f, 20.0f));
}

} // namespace
