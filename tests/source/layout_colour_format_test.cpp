#include "source/TextureLayout.h"

#include <gtest/gtest.h>

namespace {

TEST(Opacity, PercentBecomesATruncatedAlphaHeldToItsRange)
{
    EXPECT_EQ(AlphaFromOpacity(100), 255u);
    EXPECT_EQ(AlphaFromOpacity(50), 127u);
    EXPECT_EQ(AlphaFromOpacity(101), 255u);  // not 257 wrapped to 1
    EXPECT_EQ(AlphaFromOpacity(-1), 0u);
    EXPECT_EQ(TextBrushColour(0x12345678, 50), 0x7F345678u);
}

std::uint32_t Background(int opacity, int scrollSpeed, bool textEmpty, bool extents)
{
    return BackgroundColour({static_cast<int>(0xFF102030u), opacity,
                             static_cast<int>(0xFFA0B0C0u), scrollSpeed, textEmpty, extents});
}

TEST(BackgroundColour, OpacityOfTheBackgroundUnlessScrollingOrEmpty)
{
    EXPECT_EQ(Background(50, 0, false, false), 0x7F102030u);
    // Scrolling without a background: the text colour at alpha 1.
    EXPECT_EQ(Background(0, -30, true, false), 0x01A0B0C0u);
    EXPECT_EQ(Background(100, 30, false, false), 0xFF102030u);
    // Empty text shows a background only inside extents.
    EXPECT_EQ(Background(80, 0, true, false), 0x00102030u);
    EXPECT_EQ(Background(80, 0, true, true), 0xCC102030u);
}

TEST(OutlineColour, ProductOfBothOpacitiesTruncatedInSinglePrecision)
{
    EXPECT_EQ(OutlinePenColour(0x00FF0000, 100, 100), 0xFFFF0000u);
    EXPECT_EQ(OutlinePenColour(static_cast<int>(0xAA00FF00u), 50, 50), 0x3F00FF00u);
    // 10% of 100% is 9.999999 in float, so 9%, alpha 22.
    EXPECT_EQ(CombinedOutlinePercent(10, 100), 9u);
    EXPECT_EQ(OutlinePenColour(0x000000FF, 10, 100), 0x160000FFu);
    // Each opacity is held to 0..100 first.
    EXPECT_EQ(CombinedOutlinePercent(150, 100) + CombinedOutlinePercent(100, 150), 200u);
    EXPECT_EQ(CombinedOutlinePercent(-5, 100) + CombinedOutlinePercent(100, -5), 0u);
}

TEST(FormatFlags, VerticalTextAddsTopToBottomAndRightToLeft)
{
    EXPECT_EQ(StringFormatFlagsFor(false), 0x0804);
    EXPECT_EQ(StringFormatFlagsFor(true), 0x0807);
}

using Call = FormatAlignment::Call;

TEST(FormatAlignment, AlignsOnlyInsideWrappedExtents)
{
    for (int align : {0, 1, 2}) {
        EXPECT_EQ(ChooseAlignment(false, true, true, align).call, Call::Align);
        EXPECT_EQ(ChooseAlignment(false, true, true, align).value, align);
    }
    // Vertical lines run right to left: near and far swap.
    EXPECT_EQ(ChooseAlignment(true, true, true, 0).call, Call::LineAlign);
    EXPECT_EQ(ChooseAlignment(true, true, true, 0).value, 2);
    EXPECT_EQ(ChooseAlignment(true, true, true, 1).value, 1);
    EXPECT_EQ(ChooseAlignment(true, true, true, 2).value, 0);
    // An unknown value sets nothing, not even the vertical default.
    EXPECT_EQ(ChooseAlignment(true, true, true, 3).call, Call::None);
    EXPECT_EQ(ChooseAlignment(false, true, true, -1).call, Call::None);
    // Without wrapped extents only vertical text gets far lines.
    EXPECT_EQ(ChooseAlignment(false, true, false, 1).call, Call::None);
    EXPECT_EQ(ChooseAlignment(true, false, true, 0).call, Call::LineAlign);
    EXPECT_EQ(ChooseAlignment(true, false, true, 0).value, 2);
}

} // namespace
