#include "source/TextureLayout.h"

#include <gtest/gtest.h>
#include <limits>

namespace {

TextureSize SizeOf(float width, float height, int fontSize = 0, bool vertical = false)
{
    TextureSizeInput input;
    input.boxWidth = width;
    input.boxHeight = height;
    input.fontSize = fontSize;
    input.vertical = vertical;
    return ComputeTextureSize(input);
}

TextureSize SizeWithExtents(unsigned width, unsigned height, bool wrap)
{
    TextureSizeInput input;
    input.boxWidth = 500.0f;
    input.boxHeight = 60.0f;
    input.useTextExtents = true;
    input.wrap = wrap;
    input.extentWidth = width;
    input.extentHeight = height;
    return ComputeTextureSize(input);
}

TEST(TextureSize, TruncatesAfterAddingATenThousandthThenMakesSidesEven)
{
    EXPECT_EQ(SizeOf(101.99995f, 40.0f).width, 102u);
    EXPECT_EQ(SizeOf(101.5f, 40.0f).width, 102u);
    EXPECT_EQ(SizeOf(100.9f, 45.0f).width, 100u);
    EXPECT_EQ(SizeOf(100.9f, 45.0f).height, 46u);
    EXPECT_EQ(SizeOf(3.0f, 5.0f).width, 32u);
    EXPECT_EQ(SizeOf(9000.0f, 8191.0f).height, 8192u);
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
