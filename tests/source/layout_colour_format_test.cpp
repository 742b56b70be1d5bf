#include "source/TextColours.h"
#include "source/TextFormatRules.h"

#include <gtest/gtest.h>

namespace {

TEST(Opacity, PercentBecomesTruncatedAlphaByte)
{
    EXPECT_EQ(AlphaFromOpacity(100), 255u);
    EXPECT_EQ(AlphaFromOpacity(50), 127u);
    EXPECT_EQ(AlphaFromOpacity(1), 2u);
    EXPECT_EQ(AlphaFromOpacity(0), 0u);
}

TEST(Opacity, OutOfRangePercentIsHeldInsteadOfWrapping)
{
    EXPECT_EQ(AlphaFromOpacity(101), 255u);
    EXPECT_EQ(AlphaFromOpacity(200), 255u);
    EXPECT_EQ(AlphaFromOpacity(-1), 0u);
}

TEST(TextBrush, KeepsOnlyTheRgbOfTheColour)
{
    EXPECT_EQ(TextBrushColour(0x12345678, 100), 0xFF345678u);
    EXPECT_EQ(TextBrushColour(static_cast<int>(0xFFFFFFFFu), 50), 0x7FFFFFFFu);
    EXPECT_EQ(TextBrushColour(0x00ABCDEF, 0), 0x00ABCDEFu);
}

BackgroundInput Background(int opacity, int scrollSpeed, bool textEmpty, bool extents)
{
    BackgroundInput input;
    input.backgroundColour = static_cast<int>(0xFF102030u);
    input.backgroundOpacity = opacity;
    input.textColour = static_cast<int>(0xFFA0B0C0u);
    input.scrollSpeed = scrollSpeed;
    input.textEmpty = textEmpty;
    input.useTextExtents = extents;
    return input;
}

TEST(BackgroundColour, UsesTheBackgroundSettings)
{
    EXPECT_EQ(BackgroundColour(Background(50, 0, false, false)), 0x7F102030u);
    EXPECT_EQ(BackgroundColour(Background(0, 0, false, false)), 0x00102030u);
}

TEST(BackgroundColour, ScrollingWithoutBackgroundIsTheTextColourAtAlphaOne)
{
    EXPECT_EQ(BackgroundColour(Background(0, 30, false, false)), 0x01A0B0C0u);
    EXPECT_EQ(BackgroundColour(Background(0, -30, true, false)), 0x01A0B0C0u);
    // A visible background wins over the wash.
    EXPECT_EQ(BackgroundColour(Background(100, 30, false, false)), 0xFF102030u);
}

TEST(BackgroundColour, EmptyTextWithoutExtentsIsTransparent)
{
    EXPECT_EQ(BackgroundColour(Background(80, 0, true, false)), 0x00102030u);
    EXPECT_EQ(BackgroundColour(Background(80, 0, true, true)), 0xCC102030u);
}

TEST(OutlineAlpha, ProductOfBothOpacitiesInSinglePrecision)
{
    EXPECT_EQ(CombinedOutlinePercent(100, 100), 100u);
    EXPECT_EQ(CombinedOutlinePercent(50, 50), 25u);
    EXPECT_EQ(CombinedOutlinePercent(0, 100), 0u);
    // 0.1 is not exact in binary: the float product is 9.999999 and truncates to 9.
    EXPECT_EQ(CombinedOutlinePercent(10, 100), 9u);
    EXPECT_EQ(CombinedOutlinePercent(5, 20), 0u);

    EXPECT_EQ(OutlinePenColour(0x00FF0000, 100, 100), 0xFFFF0000u);
    EXPECT_EQ(OutlinePenColour(static_cast<int>(0xAA00FF00u), 50, 50), 0x3F00FF00u);
    EXPECT_EQ(OutlinePenColour(0x000000FF, 150, 100), 0xFF0000FFu);
}

TEST(FormatFlags, VerticalAddsDirectionBits)
{
    EXPECT_EQ(StringFormatFlagsFor(false), 2052);
    EXPECT_EQ(StringFormatFlagsFor(true), 2055);
}

using Call = FormatAlignment::Call;

void ExpectAlignment(FormatAlignment actual, Call call, int value)
{
    EXPECT_EQ(actual.call, call);
    if (call != Call::None) {
        EXPECT_EQ(actual.value, value);
    }
}

TEST(FormatAlignment, WrappedExtentsAlignHorizontalText)
{
    ExpectAlignment(ChooseAlignment(false, true, true, 0), Call::Align, 0);
    ExpectAlignment(ChooseAlignment(false, true, true, 1), Call::Align, 1);
    ExpectAlignment(ChooseAlignment(false, true, true, 2), Call::Align, 2);
    ExpectAlignment(ChooseAlignment(false, true, true, 3), Call::None, 0);
    ExpectAlignment(ChooseAlignment(false, true, true, -1), Call::None, 0);
}

TEST(FormatAlignment, WrappedExtentsMirrorTheLineAlignmentOfVerticalText)
{
    ExpectAlignment(ChooseAlignment(true, true, true, 0), Call::LineAlign, 2);
    ExpectAlignment(ChooseAlignment(true, true, true, 1), Call::LineAlign, 1);
    ExpectAlignment(ChooseAlignment(true, true, true, 2), Call::LineAlign, 0);
    // Not even the far default.
    ExpectAlignment(ChooseAlignment(true, true, true, 3), Call::None, 0);
}

TEST(FormatAlignment, WithoutWrappedExtentsOnlyVerticalTextGetsFarLines)
{
    ExpectAlignment(ChooseAlignment(false, false, false, 1), Call::None, 0);
    ExpectAlignment(ChooseAlignment(false, true, false, 2), Call::None, 0);
    ExpectAlignment(ChooseAlignment(true, false, true, 0), Call::LineAlign, 2);
    ExpectAlignment(ChooseAlignment(true, true, false, 2), Call::LineAlign, 2);
}

} // namespace
