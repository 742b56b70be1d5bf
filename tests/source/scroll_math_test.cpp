#include "source/Frame.h"

#include <gtest/gtest.h>
#include <cmath>
#include <limits>
#include <random>

namespace {

// The straightforward wrap, for offsets where it ends.
float WrapByRepeatedSteps(float offset)
{
    while (offset > 1.0f)
        offset -= 1.0f;
    while (offset < -1.0f)
        offset += 1.0f;
    return offset;
}

TEST(ScrollOffset, HorizontalStepsByTextureWidthAndKeepsExactlyOne)
{
    // 200 pixels wide at 100 pixels a second, one-second frames.
    float offset = 0.0f;
    offset = AdvanceScrollOffset(offset, 100, 1.0f, 200, 50, false);
    EXPECT_FLOAT_EQ(offset, 0.5f);
    offset = AdvanceScrollOffset(offset, 100, 1.0f, 200, 50, false);
    EXPECT_EQ(offset, 1.0f);  // reaching 1 is not wrapping
    offset = AdvanceScrollOffset(offset, 100, 1.0f, 200, 50, false);
    EXPECT_FLOAT_EQ(offset, 0.5f);
}

TEST(ScrollOffset, VerticalMovesTowardMinusOneAndWrapsByAddingOne)
{
    float offset = 0.0f;
    offset = AdvanceScrollOffset(offset, 100, 1.0f, 50, 200, true);
    EXPECT_FLOAT_EQ(offset, -0.5f);
    offset = AdvanceScrollOffset(offset, 100, 1.0f, 50, 200, true);
    EXPECT_EQ(offset, -1.0f);
    offset = AdvanceScrollOffset(offset, 100, 1.0f, 50, 200, true);
    EXPECT_FLOAT_EQ(offset, -0.5f);
}

TEST(ScrollOffset, NegativeSpeedRunsTheOtherWay)
{
    EXPECT_FLOAT_EQ(AdvanceScrollOffset(0.0f, -100, 1.0f, 200, 50, false), -0.5f);
    EXPECT_FLOAT_EQ(AdvanceScrollOffset(0.0f, -100, 1.0f, 50, 200, true), 0.5f);
}

TEST(ScrollOffset, ZeroSizedTextureLeavesOffsetAlone)
{
    EXPECT_EQ(AdvanceScrollOffset(0.25f, 100, 1.0f, 0, 50, false), 0.25f);
    EXPECT_EQ(AdvanceScrollOffset(0.25f, 100, 1.0f, 50, 0, true), 0.25f);
    EXPECT_EQ(AdvanceScrollOffset(0.25f, 100, 1.0f, -4, 50, false), 0.25f);
}

TEST(ScrollOffset, WrapMatchesRepeatedStepsWhereThoseEnd)
{
    std::mt19937 random(1234);
    std::uniform_real_distribution<float> spread(-5000.0f, 5000.0f);
    for (int i = 0; i < 20000; ++i) {
        const float offset = spread(random);
        ASSERT_EQ(WrapScrollOffset(offset), WrapByRepeatedSteps(offset)) << offset;
    }
    for (float offset : {1.0f, -1.0f, 2.0f, -2.0f, 1.0000001f, -1.0000001f, 0.0f, -0.0f, 3.75f})
        EXPECT_EQ(WrapScrollOffset(offset), WrapByRepeatedSteps(offset)) << offset;
    // Just above 2^24 the steps still end, on 1 (or -1).
    EXPECT_EQ(WrapScrollOffset(16777218.0f), 1.0f);
    EXPECT_EQ(WrapScrollOffset(-16777218.0f), -1.0f);
    EXPECT_EQ(WrapScrollOffset(16777216.0f), 1.0f);
}

TEST(ScrollOffset, WrapEndsForOffsetsThatRepeatedStepsNeverLeave)
{
    // Here x - 1 == x in single precision, so stepping would spin forever.
    EXPECT_EQ(WrapScrollOffset(1e30f), 1.0f);
    EXPECT_EQ(WrapScrollOffset(-1e30f), -1.0f);
    EXPECT_EQ(WrapScrollOffset(std::numeric_limits<float>::max()), 1.0f);
    EXPECT_EQ(WrapScrollOffset(std::numeric_limits<float>::infinity()), 0.0f);
    EXPECT_EQ(WrapScrollOffset(-std::numeric_limits<float>::infinity()), 0.0f);
    EXPECT_EQ(WrapScrollOffset(std::numeric_limits<float>::quiet_NaN()), 0.0f);
}

TEST(ScrollOffset, HugeSpeedOrStallStaysInRange)
{
    const float offset = AdvanceScrollOffset(0.3f, 2147483647, 1000.0f, 32, 32, false);
    EXPECT_GE(offset, -1.0f);
    EXPECT_LE(offset, 1.0f);
    EXPECT_EQ(AdvanceScrollOffset(0.3f, 100, std::numeric_limits<float>::infinity(), 32, 32, false), 0.0f);
}

TEST(ExtentHighlight, FullForOneSecondThenFades)
{
    float remaining = 2.0f;
    remaining = CountDownHighlight(remaining, 0.5f);
    EXPECT_EQ(HighlightAlpha(remaining), 1.0f);
    remaining = CountDownHighlight(remaining, 0.75f);
    EXPECT_FLOAT_EQ(HighlightAlpha(remaining), 0.75f);
    remaining = CountDownHighlight(remaining, 1.0f);
    EXPECT_LT(remaining, 0.0f);
    // An ended highlight does not keep counting.
    EXPECT_EQ(CountDownHighlight(remaining, 1.0f), remaining);
}

TEST(DrawColour, FullOpacityGivesAlpha254)
{
    EXPECT_EQ(DrawColourForOpacity(100), 0xFEFFFFFFu);
    EXPECT_EQ(DrawColourForOpacity(0), 0x00FFFFFFu);
    EXPECT_EQ(DrawColourForOpacity(50), 0x7FFFFFFFu);
}

TEST(TruncateToInt, SaturatesInsteadOfOverflowing)
{
    EXPECT_EQ(TruncateToInt(12.9f), 12);
    EXPECT_EQ(TruncateToInt(-12.9f), -12);
    EXPECT_EQ(TruncateToInt(4294967295.0f), 2147483647);
    EXPECT_EQ(TruncateToInt(-1e20f), -2147483647 - 1);
    EXPECT_EQ(TruncateToInt(std::numeric_limits<float>::quiet_NaN()), 0);
}

} // namespace
