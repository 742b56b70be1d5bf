// What the texture shows. Only what any GDI+ must produce is checked: exact colours where a
// clear or a solid fill covers whole pixels, and the presence of glyph colours elsewhere.
#include "raster_test_support.h"
#include "support/Wine8Differs.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace {

using raster_test::Alpha;

class RasterPixels : public raster_test::RasterTest {
protected:
    // Pixels in rows [top, bottom) that satisfy `match`.
    template <typename Match>
    unsigned Count(Match match, unsigned top = 0, unsigned bottom = 8192) const
    {
        unsigned count = 0;
        for (unsigned y = top; y < bottom && y < source->texture->Height(); ++y)
            for (unsigned x = 0; x < source->texture->Width(); ++x)
                count += match(Pixel(x, y)) ? 1 : 0;
        return count;
    }
    // The first and last columns with any ink, {width, 0} when there is none.
    std::pair<unsigned, unsigned> InkColumns() const
    {
        unsigned left = source->texture->Width(), right = 0;
        for (unsigned y = 0; y < source->texture->Height(); ++y)
            for (unsigned x = 0; x < source->texture->Width(); ++x)
                if (Alpha(Pixel(x, y)) != 0) {
                    left = std::min(left, x);
                    right = std::max(right, x);
                }
        return {left, right};
    }
    unsigned CountExactly(std::uint32_t argb, unsigned top = 0, unsigned bottom = 8192) const
    {
        return Count([argb](std::uint32_t p) { return p == argb; }, top, bottom);
    }
};

TEST_F(RasterPixels, TextIsDrawnInItsColourAndOpacityOnATransparentTexture)
{
    source->color = 0xFF0000;
    Rasterise(L"HHH");
    EXPECT_GT(CountExactly(0xFFFF0000u), 100u);
    EXPECT_EQ(Pixel(0, 0), 0u);  // above the capitals
    EXPECT_EQ(Count([](std::uint32_t p) { return Alpha(p) != 0 && (p & 0xFF0000) == 0; }), 0u);
    EXPECT_GT(Count([](std::uint32_t p) { return Alpha(p) != 0 && Alpha(p) != 255; }), 100u);  // antialiased

    source->textOpacity = 50;
    Rasterise(L"HHH");
    EXPECT_EQ(CountExactly(0xFFFF0000u), 0u);
    EXPECT_GT(CountExactly(0x7FFF0000u), 100u);
}

// Without extents the background fills the measured box; the rest of the texture, here the
// width up to the 32-pixel minimum, stays clear.
TEST_F(RasterPixels, BackgroundFillsTheMeasuredBoxAndLeavesTheMarginClear)
{
    source->backgroundOpacity = 100;
    source->backgroundColor = 0x0000FF;
    Rasterise(L"i");
    ASSERT_EQ(source->textureWidth, 32);
    EXPECT_EQ(Pixel(0, 0), 0xFF0000FFu);
    EXPECT_EQ(Pixel(31, 0), 0u);
}

// Inside wrapped extents "align" places the shorter second line near (left) or far (right)
// under the first.
TEST_F(RasterPixels, AlignmentInWrappedExtentsMovesLinesAlongThem)
{
    source->useTextExtents = source->wrap = true;
    source->extentWidth = 400;
    source->extentHeight = 200;
    for (int align : {0, 2}) {
        source->align = align;
        Rasterise(L"HHHH\nH");
        unsigned left = 400, right = 0;
        for (unsigned y = 60; y < 96; ++y)
            for (unsigned x = 0; x < 400; ++x)
                if (Alpha(Pixel(x, y)) != 0) {
                    left = std::min(left, x);
                    right = std::max(right, x);
                }
        EXPECT_TRUE(align == 0 ? right < 50 : left > 50) << align << ": " << left << ".." << right;
    }
}

// Centred and right-aligned text lands in the middle and at the right of the extents: GDI+
// measures the box where the aligned line lies, and the text is drawn in that box. "H" has
// equal side bearings, so the gaps to the sides of the extents show where it landed.
TEST_F(RasterPixels, AlignmentInExtentsPutsTheTextInTheMiddleOrAtTheRight)
{
    source->useTextExtents = source->wrap = true;
    source->extentWidth = 400;
    source->extentHeight = 100;
    int leftGap[3], rightGap[3];
    for (int align : {0, 1, 2}) {
        source->align = align;
        Rasterise(L"HH");
        const auto [left, right] = InkColumns();
        leftGap[align] = static_cast<int>(left);
        rightGap[align] = 399 - static_cast<int>(right);
    }
    ASSERT_LT(leftGap[0], 20);
    if (Wine8Differs("text centred or right-aligned in extents is drawn at the left")) {
        EXPECT_EQ(leftGap[1], leftGap[0]);
        EXPECT_EQ(leftGap[2], leftGap[0]);
        return;
    }
    EXPECT_NEAR(leftGap[1], rightGap[1], 1);
    EXPECT_NEAR(rightGap[2], leftGap[0], 1);
}

TEST_F(RasterPixels, BackgroundHasTheAlphaSet)
{
    source->useTextExtents = true;
    source->extentWidth = 400;
    source->extentHeight = 150;
    source->backgroundColor = 0x0000FF;
    source->backgroundOpacity = 50;
    Rasterise(L"Hi");
    EXPECT_EQ(Pixel(399, 149), 0x7F0000FFu);
    EXPECT_EQ(Pixel(0, 149), 0x7F0000FFu);
}

TEST_F(RasterPixels, EmptyTextIsTransparentOrWhenScrollingAnAlphaOneWash)
{
    source->backgroundOpacity = 100;
    Rasterise(L"");
    EXPECT_EQ(Count([](std::uint32_t p) { return p != 0; }), 0u);

    source->backgroundOpacity = 0;
    source->color = 0x3366CC;
    source->scrollSpeed = 40;
    Rasterise(L"");
    EXPECT_EQ(Count([](std::uint32_t p) { return p != 0x013366CCu; }), 0u);
}

TEST_F(RasterPixels, OutlineSurroundsTheGlyphsAtTheCombinedOpacity)
{
    source->color = 0xFFFFFF;
    source->useOutline = true;
    source->outlineSize = 8.0f;
    source->outlineColor = 0x00FF00;
    source->outlineOpacity = 50;
    Rasterise(L"HHH");
    EXPECT_GT(CountExactly(0xFFFFFFFFu), 100u);
    unsigned strongestGreen = 0;
    Count([&](std::uint32_t p) {
        if ((p & 0xFFFFFF) == 0x00FF00 && Alpha(p) > strongestGreen)
            strongestGreen = Alpha(p);
        return false;
    });
    EXPECT_EQ(strongestGreen, 127u);
    // On the middle row the outline comes before the first stem's fill.
    const unsigned middle = source->texture->Height() / 2;
    unsigned x = 0;
    while (x + 1 < source->texture->Width() && Alpha(Pixel(x, middle)) == 0)
        ++x;
    EXPECT_EQ(Pixel(x, middle) & 0xFF00FF, 0u);
}

// Every line of an outlined text is outlined and filled, the second like the first.
TEST_F(RasterPixels, OutlinedTextOutlinesEveryLine)
{
    source->color = 0xFFFFFF;
    source->useOutline = true;
    source->outlineSize = 4.0f;
    source->outlineColor = 0x00FF00;
    Rasterise(L"HHH\r\nHHH");  // lines as the companion separates them
    const unsigned middle = source->texture->Height() / 2;
    const unsigned firstOutline = CountExactly(0xFF00FF00u, 0, middle);
    const unsigned firstFill = CountExactly(0xFFFFFFFFu, 0, middle);
    const unsigned secondOutline = CountExactly(0xFF00FF00u, middle);
    const unsigned secondFill = CountExactly(0xFFFFFFFFu, middle);
    ASSERT_GT(firstOutline, 100u);
    ASSERT_GT(firstFill, 100u);
    if (Wine8Differs("only the first line of an outlined text is drawn")) {
        EXPECT_EQ(secondOutline, 0u);
        EXPECT_EQ(secondFill, 0u);
        return;
    }
    EXPECT_NEAR(secondOutline, firstOutline, firstOutline / 10);
    EXPECT_NEAR(secondFill, firstFill, firstFill / 10);
}

// Round joins keep the stroke within half a pen of the glyph, which the outline's margin
// holds: the texture's last column stays clear. At the point of ">" a miter would run on
// to the texture's edge. Opaque, and translucent in portions through the mask.
TEST_F(RasterPixels, OutlineCornersAreRound)
{
    source->fontSize = 100;
    source->useOutline = true;
    source->outlineSize = 60.0f;
    source->outlineColor = 0x00FF00;
    for (int opacity : {100, 50}) {
        source->outlineOpacity = opacity;
        Rasterise(std::wstring(opacity == 100 ? 1 : 30, L'>').c_str());
        const unsigned width = source->texture->Width();
        unsigned right = 0;
        for (unsigned y = 0; y < source->texture->Height(); ++y)
            for (unsigned x = right; x < width; ++x)
                if (Alpha(Pixel(x, y)) != 0)
                    right = x;
        EXPECT_LT(right, width - 1) << opacity;
    }
}

// A long line is stroked in portions whose strokes overlap where they meet; a translucent
// outline must still look like one stroke, no pixel of it stronger than the pen.
TEST_F(RasterPixels, TranslucentOutlineOfALongLineShowsNoSeams)
{
    source->color = 0xFFFFFF;
    source->useOutline = true;
    source->outlineSize = 8.0f;
    source->outlineColor = 0x00FF00;
    source->outlineOpacity = 50;
    Rasterise(std::wstring(40, L'm').c_str());
    unsigned strongest = 0;
    const unsigned overStroked = Count([&](std::uint32_t p) {
        if ((p & 0xFFFFFF) != 0x00FF00)
            return false;
        strongest = std::max(strongest, Alpha(p));
        return Alpha(p) > 127;
    });
    EXPECT_EQ(overStroked, 0u);
    EXPECT_EQ(strongest, 127u);
    EXPECT_GT(CountExactly(0x7F00FF00u), 1000u);
}

// A translucent outline on a texture too large for one mask band (8192 wide, over 512 rows
// tall) goes through the mask band by band: wherever the opaque pen covers a pixel whole,
// the translucent one shows exactly once, in every band.
TEST_F(RasterPixels, TranslucentOutlineAcrossMaskBandsLandsWhereTheOpaqueOneDoes)
{
    source->fontSize = 600;
    source->color = 0xFFFFFF;
    source->useOutline = true;
    source->outlineSize = 60.0f;  // portions of 250 points: several for these glyphs
    source->outlineColor = 0x00FF00;
    source->outlineOpacity = 100;
    Rasterise(std::wstring(24, L'm').c_str());
    ASSERT_EQ(source->texture->Width(), 8192u);
    ASSERT_GT(source->texture->Height(), 600u);
    std::vector<std::pair<unsigned, unsigned>> covered;
    for (unsigned y = 0; y < source->texture->Height(); ++y)
        for (unsigned x = 0; x < 8192; ++x)
            if (Pixel(x, y) == 0xFF00FF00u)
                covered.emplace_back(x, y);

    source->outlineOpacity = 50;
    Rasterise(std::wstring(24, L'm').c_str());
    unsigned differing = 0, lowerBand = 0;
    for (const auto &[x, y] : covered) {
        differing += Pixel(x, y) != 0x7F00FF00u ? 1 : 0;
        lowerBand += y >= 512 ? 1 : 0;
    }
    EXPECT_EQ(differing, 0u);
    EXPECT_GT(lowerBand, 10000u);
    EXPECT_EQ(Count([](std::uint32_t p) { return (p & 0xFFFFFF) == 0x00FF00 && Alpha(p) > 127; }), 0u);
}

// Scroll mode hangs the lines from the bottom of the extent box: the top stays empty.
TEST_F(RasterPixels, ScrollModeDrawsTheLastLinesAtTheBottom)
{
    const float twoLines = raster_test::MeasuredHeight(L"HHH\nHHH\n", 400.0f);
    source->color = 0xFFFFFF;
    source->useTextExtents = source->wrap = source->scrollMode = true;
    source->extentWidth = 400;
    source->extentHeight = 400;
    Rasterise(L"HHH\nHHH");

    const unsigned blockTop = 400 - static_cast<unsigned>(twoLines) - 1;
    ASSERT_GT(blockTop, 100u);
    EXPECT_EQ(Count([](std::uint32_t p) { return Alpha(p) != 0; }, 0, blockTop), 0u);
    EXPECT_GT(CountExactly(0xFFFFFFFFu, blockTop, 400), 100u);
}

} // namespace
