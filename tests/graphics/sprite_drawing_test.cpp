#include "tests/graphics/GraphicsTestSupport.h"

#include <gtest/gtest.h>

namespace {

constexpr DWORD red = 0xFFFF0000, blue = 0xFF0000FF, white = 0xFFFFFFFF, black = 0xFF000000;

class SpriteDrawing : public ::testing::Test {
protected:
    ScopedSoftwareGraphics gs{8, 6, false};
    void SetUp() override { gs.ClearFrame(0); }
};

TEST_F(SpriteDrawing, OneToOneDrawReproducesTheTextureWithEitherFilter)
{
    const std::vector<DWORD> texels = {red, 0x80123456, blue, 0x00000000,
                                       0xFF102030, white, 0x01FFFFFF, black};
    TexturePtr texture = MakeTexture(gs.get(), 4, 2, texels);
    SamplerState *point = MakeSampler(gs.get(), GS_FILTER_POINT, GS_ADDRESS_CLAMP);

    for (SamplerState *sampler : {static_cast<SamplerState *>(nullptr), point}) {
        gs.ClearFrame(0);
        gs->LoadSamplerState(sampler, 0);
        gs->DrawSprite(texture.get(), 0xFFFFFFFF, 3, 2, 7, 4);
        for (unsigned y = 0; y < 6; ++y)
            for (unsigned x = 0; x < 8; ++x) {
                const bool inside = x >= 3 && x < 7 && y >= 2 && y < 4;
                const DWORD expected = inside ? texels[(y - 2) * 4 + (x - 3)] : 0;
                EXPECT_EQ(gs.Pixel(x, y), expected) << "pixel " << x << "," << y << (sampler ? " point" : " linear");
            }
    }
    gs->LoadSamplerState(nullptr, 0);
    delete point;
}

TEST_F(SpriteDrawing, CoversThePixelsWhoseCentresLieInside)
{
    TexturePtr texture = MakeTexture(gs.get(), 1, 1, {white});
    gs->DrawSprite(texture.get(), 0xFFFFFFFF, 2.5f, 0.0f, 5.4f, 1.0f);
    EXPECT_EQ(FrameRow(gs.get(), 0, 1, 5), (std::vector<DWORD>{0, white, white, white, 0}));

    gs->DrawSprite(texture.get(), 0xFFFFFFFF, 0.6f, 2.0f, 1.6f, 3.0f);
    EXPECT_EQ(FrameRow(gs.get(), 2, 0, 3), (std::vector<DWORD>{0, white, 0}));
}

TEST_F(SpriteDrawing, PointScalingRepeatsEachTexel)
{
    TexturePtr texture = MakeTexture(gs.get(), 2, 1, {red, blue});
    SamplerState *point = MakeSampler(gs.get(), GS_FILTER_POINT, GS_ADDRESS_CLAMP);
    gs->LoadSamplerState(point, 0);
    gs->DrawSprite(texture.get(), 0xFFFFFFFF, 0, 0, 6, 2);
    gs->LoadSamplerState(nullptr, 0);

    const std::vector<DWORD> expected = {red, red, red, blue, blue, blue};
    EXPECT_EQ(FrameRow(gs.get(), 0, 0, 6), expected);
    EXPECT_EQ(FrameRow(gs.get(), 1, 0, 6), expected);
    EXPECT_EQ(gs.Pixel(0, 2), 0u);
    delete point;
}

TEST_F(SpriteDrawing, LinearScalingBlendsNeighboursAndClampsAtTheEdges)
{
    TexturePtr texture = MakeTexture(gs.get(), 2, 1, {black, white});
    gs->DrawSprite(texture.get(), 0xFFFFFFFF, 0, 0, 4, 1);
    EXPECT_EQ(FrameRow(gs.get(), 0, 0, 4), (std::vector<DWORD>{black, 0xFF404040, 0xFFBFBFBF, white}));

    // Halving lands every pixel centre exactly between two texels.
    TexturePtr wide = MakeTexture(gs.get(), 4, 1, {black, white, white, white});
    gs->DrawSprite(wide.get(), 0xFFFFFFFF, 0, 1, 2, 2);
    EXPECT_EQ(FrameRow(gs.get(), 1, 0, 2), (std::vector<DWORD>{0xFF808080, white}));
}

TEST_F(SpriteDrawing, CoordinatesOutsideZeroToOneWrapOrClampByTheSampler)
{
    TexturePtr texture = MakeTexture(gs.get(), 2, 2, {red, blue, white, black});
    SamplerState *wrap = MakeSampler(gs.get(), GS_FILTER_POINT, GS_ADDRESS_WRAP);
    SamplerState *clamp = MakeSampler(gs.get(), GS_FILTER_POINT, GS_ADDRESS_CLAMP);

    gs->LoadSamplerState(wrap, 0);
    gs->DrawSpriteEx(texture.get(), 0xFFFFFFFF, 0, 0, 6, 1, 1.0f, 0.0f, 4.0f, 0.5f);
    EXPECT_EQ(FrameRow(gs.get(), 0, 0, 6), (std::vector<DWORD>{red, blue, red, blue, red, blue}));
    gs->DrawSpriteEx(texture.get(), 0xFFFFFFFF, 0, 1, 4, 2, -1.0f, 0.0f, 1.0f, 0.5f);
    EXPECT_EQ(FrameRow(gs.get(), 1, 0, 4), (std::vector<DWORD>{red, blue, red, blue}));

    gs->LoadSamplerState(clamp, 0);
    gs->DrawSpriteEx(texture.get(), 0xFFFFFFFF, 0, 2, 6, 3, -1.0f, 0.0f, 2.0f, 0.5f);
    EXPECT_EQ(FrameRow(gs.get(), 2, 0, 6), (std::vector<DWORD>{red, red, red, blue, blue, blue}));

    // Vertically as well: v from 0.5 to 1.5 steps down into the second row and back.
    gs->LoadSamplerState(wrap, 0);
    gs->DrawSpriteEx(texture.get(), 0xFFFFFFFF, 7, 3, 8, 5, 0.0f, 0.5f, 0.5f, 1.5f);
    EXPECT_EQ(gs.Pixel(7, 3), white);
    EXPECT_EQ(gs.Pixel(7, 4), red);

    // Linear filtering blends across the seam: u = 1.0 lies between the last texel and the
    // first one repeated.
    SamplerState *linearWrap = MakeSampler(gs.get(), GS_FILTER_LINEAR, GS_ADDRESS_WRAP);
    gs->LoadSamplerState(linearWrap, 0);
    gs->DrawSpriteEx(texture.get(), 0xFFFFFFFF, 0, 4, 1, 5, 0.5f, 0.0f, 1.5f, 0.5f);
    EXPECT_EQ(gs.Pixel(0, 4), 0xFF800080u);
    delete linearWrap;

    gs->LoadSamplerState(nullptr, 0);
    delete wrap;
    delete clamp;
}

TEST_F(SpriteDrawing, ColourTintsTexelsAndScalesTheirAlpha)
{
    gs.ClearFrame(black);
    TexturePtr texture = MakeTexture(gs.get(), 1, 1, {white});
    gs->DrawSprite(texture.get(), 0x80FF8000, 0, 0, 1, 1);
    EXPECT_EQ(gs.Pixel(0, 0), 0xFF804000u);

    gs->DrawSprite(texture.get(), 0xFEFFFFFF, 1, 0, 2, 1);
    EXPECT_EQ(gs.Pixel(1, 0), 0xFFFEFEFEu);

    gs->DrawSprite(texture.get(), 0x00FFFFFF, 2, 0, 3, 1);
    EXPECT_EQ(gs.Pixel(2, 0), black);
}

TEST_F(SpriteDrawing, BlendsSourceOverWhatIsThere)
{
    gs.ClearFrame(blue);
    TexturePtr halfRed = MakeTexture(gs.get(), 1, 1, {0x80FF0000});
    gs->DrawSprite(halfRed.get(), 0xFFFFFFFF, 0, 0, 1, 1);
    EXPECT_EQ(gs.Pixel(0, 0), 0xFF80007Fu);

    gs.ClearFrame(0);
    gs->DrawSprite(halfRed.get(), 0xFFFFFFFF, 0, 0, 1, 1);
    EXPECT_EQ(gs.Pixel(0, 0), 0x80FF0000u);
    gs->DrawSprite(halfRed.get(), 0xFFFFFFFF, 0, 0, 1, 1);
    EXPECT_EQ(gs.Pixel(0, 0), 0xC0FF0000u);
}

TEST_F(SpriteDrawing, NothingIsDrawnForANullTextureAndHugeQuadsAreClipped)
{
    gs->DrawSprite(nullptr, 0xFFFFFFFF, 0, 0, 8, 6);
    TexturePtr texture = MakeTexture(gs.get(), 1, 1, {white});
    gs->DrawSprite(texture.get(), 0xFFFFFFFF, 0, 0, 0, 6);
    EXPECT_EQ(gs.Pixel(0, 0), 0u);
    gs->DrawSprite(texture.get(), 0xFFFFFFFF, -1e30f, 5, 1e30f, 1e30f);
    EXPECT_EQ(FrameRow(gs.get(), 5, 0, 8), std::vector<DWORD>(8, white));
    EXPECT_EQ(FrameRow(gs.get(), 4, 0, 8), std::vector<DWORD>(8, 0));
}

} // namespace
