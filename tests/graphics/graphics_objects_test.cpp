#include "tests/graphics/GraphicsTestSupport.h"

#include <gtest/gtest.h>

namespace {

class GraphicsObjects : public ::testing::Test {
protected:
    ScopedSoftwareGraphics gs{4, 4, false};
};

TEST_F(GraphicsObjects, TexturesAreMadeOnlyInTheBgraLayoutAndWithSomeSize)
{
    BYTE pixels[16] = {};
    EXPECT_EQ(gs->CreateTexture(2, 2, GS_RGBA, pixels, FALSE, TRUE), nullptr);
    EXPECT_EQ(gs->CreateTexture(0, 2, GS_BGRA, pixels, FALSE, TRUE), nullptr);
    EXPECT_EQ(gs->CreateTexture(2, 0, GS_BGRA, nullptr, FALSE, TRUE), nullptr);

    TexturePtr blank(gs->CreateTexture(3, 2, GS_BGRA, nullptr, FALSE, FALSE));
    ASSERT_NE(blank, nullptr);
    EXPECT_EQ(blank->Width(), 3u);
    EXPECT_EQ(blank->Height(), 2u);
    const BYTE *texels = HostTexturePixels(blank.get());
    EXPECT_EQ(std::vector<BYTE>(texels, texels + 24), std::vector<BYTE>(24, 0));
}

TEST_F(GraphicsObjects, SetImageCopiesRowsAtThePitchAndRefusesWhatItCannotRead)
{
    TexturePtr texture(gs->CreateTexture(2, 2, GS_BGRA, nullptr, FALSE, FALSE));
    // Rows of 8 bytes padded to 12; the padding must not reach the texture.
    BYTE padded[24] = {1, 2, 3, 4, 5, 6, 7, 8, 0xEE, 0xEE, 0xEE, 0xEE,
                       9, 10, 11, 12, 13, 14, 15, 16, 0xEE, 0xEE, 0xEE, 0xEE};
    texture->SetImage(padded, GS_IMAGEFORMAT_BGRA, 12);
    const BYTE *texels = HostTexturePixels(texture.get());
    const std::vector<BYTE> expected = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16};
    EXPECT_EQ(std::vector<BYTE>(texels, texels + 16), expected);

    // Another layout, a pitch shorter than a row, or no pixels leave the texture alone.
    BYTE other[24] = {};
    texture->SetImage(other, GS_IMAGEFORMAT_RGBA, 8);
    texture->SetImage(other, GS_IMAGEFORMAT_BGRA, 4);
    texture->SetImage(nullptr, GS_IMAGEFORMAT_BGRA, 8);
    EXPECT_EQ(std::vector<BYTE>(texels, texels + 16), expected);
}

TEST_F(GraphicsObjects, ShadersLoadFromExistingFilesOnlyWithTheirDeclaredParameters)
{
    EXPECT_EQ(gs->CreateVertexShaderFromFile(L"shaders/NoSuchShader.vShader"), nullptr);
    EXPECT_EQ(gs->CreatePixelShaderFromFile(L"Z:\\no\\such\\folder\\DrawSolid.pShader"), nullptr);
    EXPECT_EQ(gs->CreatePixelShaderFromFile(nullptr), nullptr);

    TemporaryFile file("uniform float4x4 ViewProj;\n"
                       "uniform float4 tint; // a comment\n"
                       "float4 notAParameter;\n"
                       "uniform float4 color;\n");
    Shader *shader = gs->CreatePixelShaderFromFile(file.Path());
    ASSERT_NE(shader, nullptr);
    HANDLE tint = shader->GetParameter(1), color = shader->GetParameter(2);
    EXPECT_NE(shader->GetParameter(0), nullptr);
    EXPECT_NE(tint, nullptr);
    EXPECT_NE(color, tint);
    EXPECT_EQ(shader->GetParameter(3), nullptr);

    // A box takes the parameter named "color", whatever its position.
    gs.ClearFrame(0xFF000000);
    shader->SetColor(tint, Color4(1, 0, 0, 1));
    shader->SetColor(color, Color4(0, 0, 1, 1));
    shader->SetColor(nullptr, Color4(0, 1, 0, 1));
    gs->LoadPixelShader(shader);
    gs->DrawBox(Vect2(0, 0), Vect2(1, 1));
    gs->LoadPixelShader(nullptr);
    EXPECT_EQ(gs.Pixel(0, 0), 0xFF0000FFu);
    delete shader;
}

// A source may be destroyed with its scrolling sampler still loaded; drawing goes on with
// the default sampling rather than through the deleted sampler.
TEST_F(GraphicsObjects, DeletingTheLoadedSamplerUnloadsIt)
{
    TexturePtr texture = MakeTexture(gs.get(), 2, 1, {0xFFFF0000, 0xFF0000FF});
    SamplerState *wrap = MakeSampler(gs.get(), GS_FILTER_POINT, GS_ADDRESS_WRAP);
    gs->LoadSamplerState(wrap, 0);
    delete wrap;
    // Overwrite the freed memory with a fresh sampler of another kind, as the allocator may.
    SamplerState *other = MakeSampler(gs.get(), GS_FILTER_POINT, GS_ADDRESS_WRAP);
    gs.ClearFrame(0xFF000000);
    gs->DrawSpriteEx(texture.get(), 0xFFFFFFFF, 0, 0, 4, 1, 0.5f, 0.0f, 2.5f, 1.0f);
    // Clamped, linear: the right half stays on the last texel; wrapping would come back to red.
    EXPECT_EQ(gs.Pixel(3, 0), 0xFF0000FFu);
    delete other;
}

TEST_F(GraphicsObjects, LiveCountsFollowCreationAndDeletion)
{
    const HostGraphicsObjectCounts before = HostLiveGraphicsObjects();
    Texture *texture = gs->CreateTexture(1, 1, GS_BGRA, nullptr, FALSE, FALSE);
    SamplerState *sampler = MakeSampler(gs.get(), GS_FILTER_POINT, GS_ADDRESS_WRAP);
    TemporaryFile file("uniform float4 color;\n");
    Shader *shader = gs->CreatePixelShaderFromFile(file.Path());
    gs->CreateTexture(1, 1, GS_RGB, nullptr, FALSE, FALSE);   // refused, so not counted

    HostGraphicsObjectCounts during = HostLiveGraphicsObjects();
    EXPECT_EQ(during.textures, before.textures + 1);
    EXPECT_EQ(during.samplers, before.samplers + 1);
    EXPECT_EQ(during.shaders, before.shaders + 1);
    delete texture;
    delete sampler;
    delete shader;
    HostGraphicsObjectCounts after = HostLiveGraphicsObjects();
    EXPECT_EQ(after.textures, before.textures);
    EXPECT_EQ(after.samplers, before.samplers);
    EXPECT_EQ(after.shaders, before.shaders);
}

TEST(GraphicsInstall, DestroyingTheInstalledSystemClearsGsAndSparesItsObjects)
{
    GraphicsSystem *previous = GS;
    GraphicsSystem *graphics = HostCreateSoftwareGraphics(2, 2);
    HostSetGraphicsRecording(graphics, true);
    HostInstallGraphics(graphics);
    EXPECT_EQ(GS, graphics);
    Texture *texture = graphics->CreateTexture(1, 1, GS_BGRA, nullptr, FALSE, FALSE);
    HostDestroySoftwareGraphics(graphics);
    EXPECT_EQ(GS, nullptr);

    // Plug-ins may release textures after the host has torn its graphics down.
    BYTE pixel[4] = {1, 2, 3, 4};
    texture->SetImage(pixel, GS_IMAGEFORMAT_BGRA, 4);
    EXPECT_EQ(HostTexturePixels(texture)[3], 4);
    delete texture;
    HostInstallGraphics(previous);
}

} // namespace
