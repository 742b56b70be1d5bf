// Settings no one would choose but a broken or hostile producer can send: the rasteriser
// must come back from them with a texture, and never take the host down.
#include "raster_test_support.h"
#include "source/TextureLayout.h"

#include <limits>

namespace {

using raster_test::RasterTest;

TEST(OutlineLimit, WidthsBeyondTheLimitAreHeldToItAndNaNCountsAsNone)
{
    EXPECT_EQ(DrawableOutlineSize(2.0f), 2.0f);
    EXPECT_EQ(DrawableOutlineSize(-3.0f), -3.0f);
    EXPECT_EQ(DrawableOutlineSize(100000.0f), kMaxOutlineSize);
    EXPECT_EQ(DrawableOutlineSize(-100000.0f), -kMaxOutlineSize);
    EXPECT_EQ(DrawableOutlineSize(std::numeric_limits<float>::infinity()), kMaxOutlineSize);
    EXPECT_EQ(DrawableOutlineSize(std::numeric_limits<float>::quiet_NaN()), 0.0f);
}

TEST(TextReach, OnlyBoxesOverlappingTheTextureWithTheMarginReachIt)
{
    EXPECT_TRUE(BoxReachesTexture(TextBox{0.0f, 10.0f, 100.0f, 40.0f}, 0.0f, 64, 64));
    EXPECT_TRUE(BoxReachesTexture(TextBox{0.0f, -30.0f, 100.0f, 40.0f}, 0.0f, 64, 64));  // hangs off the top
    EXPECT_FALSE(BoxReachesTexture(TextBox{0.0f, 2147483600.0f, 800.0f, 200.0f}, 0.0f, 800, 8192));
    EXPECT_FALSE(BoxReachesTexture(TextBox{64.0f, 0.0f, 10.0f, 10.0f}, 0.0f, 64, 64));
    EXPECT_TRUE(BoxReachesTexture(TextBox{64.0f, 0.0f, 10.0f, 10.0f}, 2.0f, 64, 64));   // the stroke reaches in
    EXPECT_FALSE(BoxReachesTexture(TextBox{-20.0f, 0.0f, 10.0f, 10.0f}, 0.0f, 64, 64));
    // An unbounded layout has no box to compare, so it is drawn.
    EXPECT_TRUE(BoxReachesTexture(TextBox{5000.0f, 0.0f, 0.0f, 0.0f}, 0.0f, 64, 64));
    EXPECT_FALSE(BoxReachesTexture(TextBox{std::numeric_limits<float>::quiet_NaN(), 0.0f, 1.0f, 1.0f}, 0.0f, 64, 64));
}

class ExtremeSettings : public RasterTest {};

// Scroll mode puts the text block at the bottom of the extent box, here about 2^31 pixels
// down: far past the texture, where GDI+ under Wine used to crash the process.
TEST_F(ExtremeSettings, ScrollModeInExtentsNearTheIntLimitLeavesJustTheBackground)
{
    source->useTextExtents = source->wrap = source->scrollMode = true;
    source->extentWidth = 800;
    source->extentHeight = 2147483647u;
    source->backgroundOpacity = 100;
    source->backgroundColor = 0x203040;
    Rasterise(L"感谢 Alice");
    ASSERT_NE(source->texture, nullptr);
    EXPECT_EQ(source->textureWidth, 800);
    EXPECT_EQ(source->textureHeight, 8192);
    for (unsigned y : {0u, 4000u, 8191u})
        for (unsigned x : {0u, 400u, 799u})
            EXPECT_EQ(Pixel(x, y), 0xFF203040u) << x << "," << y;
    EXPECT_TRUE(log.Warnings().empty());
}

// A pen this wide overflowed GDI+'s stack under Wine; it is stroked at the limit instead,
// and the texture is sized for the stroke that is drawn.
TEST_F(ExtremeSettings, HugeOutlineIsStrokedAtTheLimitWithAWarning)
{
    source->useOutline = true;
    source->outlineSize = kMaxOutlineSize;
    Rasterise(L"感谢 Bob");
    const int limitedWidth = source->textureWidth;
    const int limitedHeight = source->textureHeight;
    ASSERT_TRUE(log.Warnings().empty());

    source->outlineSize = 100000.0f;
    Rasterise(L"感谢 Bob");
    ASSERT_NE(source->texture, nullptr);
    EXPECT_EQ(source->textureWidth, limitedWidth);
    EXPECT_EQ(source->textureHeight, limitedHeight);
    ASSERT_EQ(log.Warnings().size(), 1u);
    EXPECT_EQ(log.Warnings()[0], L"TextSource::UpdateTexture: outline size 100000 is drawn as 100");
    EXPECT_EQ(source->outlineSize, 100000.0f);  // the setting itself is kept
}

} // namespace

namespace {

// A line of a thousand CJK characters runs far past the widest texture. Outlined, Wine's
// GDI+ took seconds to stroke it and overflowed its stack on glyphs out past 8192.
TEST_F(ExtremeSettings, OutlinedLineFarWiderThanTheTextureIsDrawnWhereItShows)
{
    std::wstring text;
    unsigned state = 7;
    for (int i = 0; i < 1000; ++i) {
        state = state * 1103515245u + 12345u;
        text += static_cast<wchar_t>(0x4E00 + (state >> 16) % 0x5000);
    }
    source->fontName = L"WenQuanYi Zen Hei";
    source->fontSize = 40;
    source->useOutline = true;
    source->outlineSize = 2.0f;
    source->outlineColor = 0xFF0000;
    Rasterise(text.c_str());
    ASSERT_NE(source->texture, nullptr);
    EXPECT_EQ(source->textureWidth, 8192);
    // Outline pixels (red) near both ends of the texture.
    const auto redIn = [&](unsigned from, unsigned to) {
        int red = 0;
        for (unsigned x = from; x < to; ++x)
            for (unsigned y = 0; y < static_cast<unsigned>(source->textureHeight); ++y)
                if ((Pixel(x, y) & 0x00FFFFFF) == 0xFF0000)
                    ++red;
        return red;
    };
    EXPECT_GT(redIn(0, 200), 50);
    EXPECT_GT(redIn(7990, 8190), 50);
    EXPECT_TRUE(log.Warnings().empty());
}

} // namespace

namespace {

// Glyphs GDI+ sizes to a pixel (an unknown face at a size it cannot make) made Wine's GDI+
// recurse without end flattening them for the pen; the stroke is flattened beforehand.
TEST_F(ExtremeSettings, OutlineOfGlyphsTooSmallToSeeDoesNotTakeTheHostDown)
{
    source->fontName = L"No Such Font";
    source->fontSize = 100000;
    source->useOutline = true;
    source->outlineSize = 1.0f;
    source->useTextExtents = source->wrap = source->scrollMode = true;
    source->extentWidth = 817;
    source->extentHeight = 240;
    source->align = 2;
    Rasterise(L"感谢 小明 送出的 656 个 火箭\r\n感谢 韩梅梅 送出的 705 个 火箭\r\n感谢 Bob");
    ASSERT_NE(source->texture, nullptr);
    EXPECT_EQ(source->textureWidth, 818);
    EXPECT_EQ(source->textureHeight, 240);
}

} // namespace
