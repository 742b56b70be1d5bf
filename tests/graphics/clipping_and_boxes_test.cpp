#include "tests/graphics/GraphicsTestSupport.h"

#include <gtest/gtest.h>

namespace {

constexpr DWORD white = 0xFFFFFFFF, black = 0xFF000000;

class ClippingAndBoxes : public ::testing::Test {
protected:
    ScopedSoftwareGraphics gs{8, 4, false};
    TexturePtr texture;
    void SetUp() override
    {
        gs.ClearFrame(black);
        texture = MakeTexture(gs.get(), 1, 1, {white});
    }
    void FillRowZero() { gs->DrawSprite(texture.get(), 0xFFFFFFFF, 0, 0, 8, 1); }
};

TEST_F(ClippingAndBoxes, ScissorClipsEveryLaterDrawUntilRemoved)
{
    XRect clip;
    clip.x = 2;
    clip.y = 0;
    clip.cx = 3;
    clip.cy = 1;
    gs->SetScissorRect(&clip);
    FillRowZero();
    gs->DrawSprite(texture.get(), 0xFFFFFFFF, 0, 1, 8, 2);
    EXPECT_EQ(FrameRow(gs.get(), 0, 0, 8), (std::vector<DWORD>{black, black, white, white, white, black, black, black}));
    EXPECT_EQ(FrameRow(gs.get(), 1, 0, 8), std::vector<DWORD>(8, black));

    gs->SetScissorRect(nullptr);
    gs->DrawSprite(texture.get(), 0xFFFFFFFF, 0, 1, 8, 2);
    EXPECT_EQ(FrameRow(gs.get(), 1, 0, 8), std::vector<DWORD>(8, white));
}

TEST_F(ClippingAndBoxes, EmptyOrOffFrameScissorClipsEverything)
{
    XRect empty;
    empty.cx = 0;
    empty.cy = 4;
    gs->SetScissorRect(&empty);
    FillRowZero();
    XRect negative;
    negative.cx = -3;
    negative.cy = -3;
    gs->SetScissorRect(&negative);
    FillRowZero();
    XRect beyond;
    beyond.x = 100;
    beyond.cx = 10;
    beyond.cy = 10;
    gs->SetScissorRect(&beyond);
    FillRowZero();
    EXPECT_EQ(FrameRow(gs.get(), 0, 0, 8), std::vector<DWORD>(8, black));
    gs->SetScissorRect(nullptr);
}

TEST_F(ClippingAndBoxes, ScissorPartlyOffTheFrameKeepsTheOverlap)
{
    XRect clip;
    clip.x = -4;
    clip.y = -4;
    clip.cx = 6;
    clip.cy = 5;
    gs->SetScissorRect(&clip);
    FillRowZero();
    gs->SetScissorRect(nullptr);
    EXPECT_EQ(FrameRow(gs.get(), 0, 0, 3), (std::vector<DWORD>{white, white, black}));
}

class SolidShaders : public ClippingAndBoxes {
protected:
    Shader *vertexShader = nullptr;
    Shader *pixelShader = nullptr;
    void SetUp() override
    {
        ClippingAndBoxes::SetUp();
        vertexShader = gs->CreateVertexShaderFromFile((ProgramFolder() + L"shaders\\DrawSolid.vShader").c_str());
        pixelShader = gs->CreatePixelShaderFromFile((ProgramFolder() + L"shaders\\DrawSolid.pShader").c_str());
        ASSERT_NE(vertexShader, nullptr);
        ASSERT_NE(pixelShader, nullptr);
    }
    void TearDown() override
    {
        gs->LoadVertexShader(nullptr);
        gs->LoadPixelShader(nullptr);
        delete vertexShader;
        delete pixelShader;
    }
};

TEST_F(SolidShaders, DrawBoxFillsWithThePixelShaderColourBlended)
{
    pixelShader->SetColor(pixelShader->GetParameter(0), Color4(0.0f, 1.0f, 0.0f, 0.5f));
    gs->LoadVertexShader(vertexShader);
    gs->LoadPixelShader(pixelShader);
    gs->DrawBox(Vect2(1, 1), Vect2(2, 2));

    EXPECT_EQ(FrameRow(gs.get(), 1, 0, 4), (std::vector<DWORD>{black, 0xFF008000, 0xFF008000, black}));
    EXPECT_EQ(FrameRow(gs.get(), 2, 0, 4), (std::vector<DWORD>{black, 0xFF008000, 0xFF008000, black}));
    EXPECT_EQ(gs.Pixel(1, 0), black);
    EXPECT_EQ(gs.Pixel(1, 3), black);

    // Colours outside 0..1 are clamped rather than wrapped.
    pixelShader->SetColor(pixelShader->GetParameter(0), Color4(2.0f, -1.0f, 0.0f, 1.0f));
    gs->DrawBox(Vect2(5, 0), Vect2(1, 1));
    EXPECT_EQ(gs.Pixel(5, 0), 0xFFFF0000u);
}

TEST_F(SolidShaders, DrawBoxIsClippedAndNeedsAPixelShader)
{
    pixelShader->SetColor(pixelShader->GetParameter(0), Color4(1.0f, 1.0f, 1.0f, 1.0f));
    gs->DrawBox(Vect2(0, 0), Vect2(8, 4));
    EXPECT_EQ(FrameRow(gs.get(), 0, 0, 8), std::vector<DWORD>(8, black));

    gs->LoadPixelShader(pixelShader);
    XRect clip;
    clip.x = 6;
    clip.cx = 10;
    clip.cy = 1;
    gs->SetScissorRect(&clip);
    gs->DrawBox(Vect2(0, 0), Vect2(8, 4));
    gs->SetScissorRect(nullptr);
    EXPECT_EQ(FrameRow(gs.get(), 0, 4, 4), (std::vector<DWORD>{black, black, white, white}));
    EXPECT_EQ(gs.Pixel(6, 1), black);
}

} // namespace
