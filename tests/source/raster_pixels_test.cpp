// What the texture shows. Only what any GDI+ must produce is checked: exact colours where a
// clear or a solid fill covers whole pixels, and the presence of glyph colours elsewhere.
#include "raster_test_support.h"

#include "source/GdiHandles.h"
#include "source/TextFont.h"

#include <functional>

namespace {

using namespace raster_test;

class RasterPixels : public RasterTest {
protected:
    // Pixels of the texture within rows [top, bottom) that satisfy `match`.
    unsigned Count(const std::function<bool(std::uint32_t)> &match, unsigned top = 0,
                   unsigned bottom = ~0u) const
    {
        const unsigned width = source->texture->Width();
        const unsigned height = source->texture->Height();
        unsigned count = 0;
        for (unsigned y = top; y < bottom && y < height; ++y)
            for (unsigned x = 0; x < width; ++x)
                count += match(Pixel(x, y)) ? 1 : 0;
        return count;
    }
    unsigned CountOpaque(std::uint32_t rgb, unsigned top = 0, unsigned bottom = ~0u) const
    {
        return Count([rgb](std::uint32_t p) { return p == (0xFF000000u | rgb); }, top, bottom);
    }
    unsigned CountVisible(unsigned top = 0, unsigned bottom = ~0u) const
    {
        return Count([](std::uint32_t p) { return Alpha(p) != 0; }, top, bottom);
    }
};

TEST_F(RasterPixels, TextIsDrawnInItsColourOnATransparentTexture)
{
    source->color = 0xFF0000;
    Rasterise(L"HHH");
    ASSERT_NE(source->texture, nullptr);
    EXPECT_GT(CountOpaque(0xFF0000), 100u);
    EXPECT_EQ(Pixel(0, 0), 0u);  // above the capitals
    // Nothing but the text colour is visible.
    EXPECT_EQ(Count([](std::uint32_t p) { return Alpha(p) != 0 && Red(p) == 0; }), 0u);
}

TEST_F(RasterPixels, TextOpacityIsTheAlphaOfTheGlyphs)
{
    source->color = 0xFFFFFF;
    source->textOpacity = 50;
    Rasterise(L"HHH");
    EXPECT_EQ(CountOpaque(0xFFFFFF), 0u);
    EXPECT_GT(Count([](std::uint32_t p) { return p == 0x7FFFFFFFu; }), 100u);
}

TEST_F(RasterPixels, BackgroundHasTheAlphaSet)
{
    source->useTextExtents = true;
    source->extentWidth = 400;
    source->extentHeight = 150;
    source->backgroundColor = 0x0000FF;
    source->backgroundOpacity = 50;
    Rasterise(L"Hi");
    ASSERT_EQ(source->textureWidth, 400);
    EXPECT_EQ(Pixel(399, 149), 0x7F0000FFu);
    EXPECT_EQ(Pixel(0, 149), 0x7F0000FFu);
    EXPECT_EQ(Pixel(399, 0), 0x7F0000FFu);
}

TEST_F(RasterPixels, BackgroundWithoutExtentsCoversTheMeasuredBox)
{
    source->backgroundColor = 0x00FF00;
    source->backgroundOpacity = 100;
    Rasterise(L"Hi");
    EXPECT_EQ(Pixel(1, 1), 0xFF00FF00u);
}

TEST_F(RasterPixels, EmptyTextShowsNoBackground)
{
    source->backgroundOpacity = 100;
    Rasterise(L"");
    EXPECT_EQ(CountVisible(), 0u);
}

TEST_F(RasterPixels, EmptyScrollingTextIsAnAlphaOneWashOfTheTextColour)
{
    source->color = 0x3366CC;
    source->scrollSpeed = 40;
    Rasterise(L"");
    EXPECT_EQ(Count([](std::uint32_t p) { return p != 0x013366CCu; }), 0u);
}

TEST_F(RasterPixels, OutlineSurroundsTheGlyphs)
{
    source->color = 0xFFFFFF;
    source->useOutline = true;
    source->outlineSize = 6.0f;
    source->outlineColor = 0x00FF00;
    Rasterise(L"HHH");
    EXPECT_GT(CountOpaque(0xFFFFFF), 100u);
    EXPECT_GT(CountOpaque(0x00FF00), 100u);
    // Left of the first stem, on the middle row, the outline comes before the fill.
    const unsigned middle = source->texture->Height() / 2;
    unsigned x = 0;
    while (x < source->texture->Width() && Alpha(Pixel(x, middle)) == 0)
        ++x;
    ASSERT_LT(x, source->texture->Width());
    EXPECT_GT(Green(Pixel(x, middle)), Red(Pixel(x, middle)));
}

TEST_F(RasterPixels, OutlineOpacityIsTheProductOfBothOpacities)
{
    source->color = 0xFFFFFF;
    source->useOutline = true;
    source->outlineSize = 8.0f;
    source->outlineColor = 0x00FF00;
    source->outlineOpacity = 50;
    Rasterise(L"HHH");
    unsigned strongest = 0;
    Count([&](std::uint32_t p) {
        if ((p & 0xFFFFFF) == 0x00FF00 && Alpha(p) > strongest)
            strongest = Alpha(p);
        return false;
    });
    EXPECT_EQ(strongest, 127u);
}

// Scroll mode hangs the text from the bottom of the extent box: the top stays empty.
TEST_F(RasterPixels, ScrollModeDrawsTheLastLinesAtTheBottom)
{
    MemoryDC dc;
    FontHandle gdiFont = CreateTextFont(String(L"Arial"), TextFontStyle{48, false, false, false});
    GdipFont font = CreateGdiplusFont(dc.get(), gdiFont.get());
    GdipGraphics measuring;
    measuring.Check(gdip::GdipCreateFromHDC(dc.get(), measuring.receive()));
    const Gdiplus::RectF layout(0.0f, 0.0f, 400.0f, 32000.0f);
    Gdiplus::RectF twoLines;
    ASSERT_EQ(gdip::GdipMeasureString(measuring.get(), L"HHH\nHHH\n", -1, font.get(), &layout,
                                      nullptr, &twoLines, nullptr, nullptr),
              Gdiplus::Ok);

    source->color = 0xFFFFFF;
    source->useTextExtents = true;
    source->wrap = true;
    source->scrollMode = true;
    source->extentWidth = 400;
    source->extentHeight = 400;
    Rasterise(L"HHH\nHHH");

    const unsigned blockTop = 400 - static_cast<unsigned>(twoLines.Height) - 1;
    ASSERT_GT(blockTop, 100u);
    EXPECT_EQ(CountVisible(0, blockTop), 0u);
    EXPECT_GT(CountOpaque(0xFFFFFF, blockTop, 400), 100u);
}

} // namespace
