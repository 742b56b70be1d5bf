#include "tests/graphics/GraphicsTestSupport.h"

#include <gtest/gtest.h>

namespace {

constexpr DWORD white = 0xFFFFFFFF, black = 0xFF000000;

XRect Rect(int x, int y, int cx, int cy)
{
    XRect rect;
    rect.x = x;
    rect.y = y;
    rect.cx = cx;
    rect.cy = cy;
    return rect;
}

class Clipping : public ::testing::Test {
protected:
    ScopedSoftwareGraphics gs{8, 4, false};
    TexturePtr texture;
    void SetUp() override
    {
        gs.ClearFrame(black);
        texture = MakeTexture(gs.get(), 1, 1, {white});
    }
    // Fills row y after setting the clip (null: none); returns the row.
    std::vector<DWORD> FillRowClippedTo(XRect *clip, unsigned y)
    {
        gs->SetScissorRect(clip);
        gs->DrawSprite(texture.get(), 0xFFFFFFFF, 0, float(y), 8, float(y + 1));
        gs->SetScissorRect(nullptr);
        return FrameRow(gs.get(), y, 0, 8);
    }
};

TEST_F(Clipping, ScissorClipsLaterDrawsUntilRemoved)
{
    XRect clip = Rect(2, 0, 3, 1);
    gs->SetScissorRect(&clip);
    gs->DrawSprite(texture.get(), 0xFFFFFFFF, 0, 0, 8, 2);
    EXPECT_EQ(FrameRow(gs.get(), 0, 0, 8), (std::vector<DWORD>{black, black, white, white, white, black, black, black}));
    EXPECT_EQ(FrameRow(gs.get(), 1, 0, 8), std::vector<DWORD>(8, black));

    gs->SetScissorRect(nullptr);
    gs->DrawSprite(texture.get(), 0xFFFFFFFF, 0, 1, 8, 2);
    EXPECT_EQ(FrameRow(gs.get(), 1, 0, 8), std::vector<DWORD>(8, white));
}

TEST_F(Clipping, EmptyNegativeAndOffFrameScissors)
{
    XRect empty = Rect(0, 0, 0, 4), negative = Rect(0, 0, -3, -3), beyond = Rect(100, 0, 10, 10);
    EXPECT_EQ(FillRowClippedTo(&empty, 0), std::vector<DWORD>(8, black));
    EXPECT_EQ(FillRowClippedTo(&negative, 0), std::vector<DWORD>(8, black));
    EXPECT_EQ(FillRowClippedTo(&beyond, 0), std::vector<DWORD>(8, black));

    XRect overlapping = Rect(-4, -4, 6, 6);
    EXPECT_EQ(FillRowClippedTo(&overlapping, 1), (std::vector<DWORD>{white, white, black, black, black, black, black, black}));
}

TEST_F(Clipping, DrawBoxFillsWithThePixelShaderColourBlendedAndClipped)
{
    Shader *pixelShader = gs->CreatePixelShaderFromFile((TestBinFolder() + L"shaders\\DrawSolid.pShader").c_str());
    ASSERT_NE(pixelShader, nullptr);
    pixelShader->SetColor(pixelShader->GetParameter(0), Color4(0.0f, 1.0f, 0.0f, 0.5f));

    // Without a pixel shader nothing says what colour to fill with.
    gs->DrawBox(Vect2(0, 0), Vect2(8, 4));
    EXPECT_EQ(gs.Pixel(0, 0), black);

    gs->LoadPixelShader(pixelShader);
    gs->DrawBox(Vect2(1, 1), Vect2(2, 2));
    EXPECT_EQ(FrameRow(gs.get(), 1, 0, 4), (std::vector<DWORD>{black, 0xFF008000, 0xFF008000, black}));
    EXPECT_EQ(FrameRow(gs.get(), 2, 0, 4), (std::vector<DWORD>{black, 0xFF008000, 0xFF008000, black}));
    EXPECT_EQ(gs.Pixel(1, 3), black);

    // Out-of-range colours clamp; the scissor applies to boxes too.
    pixelShader->SetColor(pixelShader->GetParameter(0), Color4(2.0f, -1.0f, 0.0f, 1.0f));
    XRect clip = Rect(6, 0, 10, 1);
    gs->SetScissorRect(&clip);
    gs->DrawBox(Vect2(0, 0), Vect2(8, 4));
    gs->SetScissorRect(nullptr);
    EXPECT_EQ(FrameRow(gs.get(), 0, 4, 4), (std::vector<DWORD>{black, black, 0xFFFF0000, 0xFFFF0000}));
    EXPECT_EQ(gs.Pixel(6, 1), black);

    gs->LoadPixelShader(nullptr);
    delete pixelShader;
}

} // namespace
