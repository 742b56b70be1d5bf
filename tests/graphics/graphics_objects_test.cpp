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
    EXPECT_EQ(gs->CreateTexture(2, 2, GS_ALPHA, pixels, FALSE, TRUE), nullptr);
    EXPECT_EQ(gs->CreateTexture(0, 2, GS_BGRA, pixels, FALSE, TRUE), nullptr);
    EXPECT_EQ(gs->CreateTexture(2, 0, GS_BGRA, nullptr, FALSE, TRUE), nullptr);

    TexturePtr blank(gs->CreateTexture(3, 2, GS_BGRA, nullptr, FALSE, FALSE));
    ASSERT_NE(blank, nullptr);
    EXPECT_EQ(blank->Width(), 3u);
    EXPECT_EQ(blank->Height(), 2u);
    const BYTE *texels = HostTexturePixels(blank.get());
    ASSERT_NE(texels, nullptr);
    EXPECT_EQ(std::vector<BYTE>(texels, texels + 24), std::vector<BYTE>(24, 0));
}

TEST_F(GraphicsObjects, SetImageCopiesRowsAtTheGivenPitch)
{
    TexturePtr texture(gs->CreateTexture(2, 2, GS_BGRA, nullptr, FALSE, FALSE));
    // Rows of 8 bytes padded to 12; the padding must not reach the texture.
    const BYTE padded[24] = {1, 2, 3, 4, 5, 6, 7, 8, 0xEE, 0xEE, 0xEE, 0xEE,
                             9, 10, 11, 12, 13, 14, 15, 16, 0xEE, 0xEE, 0xEE, 0xEE};
    texture->SetImage(const_cast<BYTE *>(padded), GS_IMAGEFORMAT_BGRA, 12);
    const BYTE *texels = HostTexturePixels(texture.get());
    std::vector<BYTE> expected;
    for (BYTE b = 1; b <= 16; ++b)
        expected.push_back(b);
    EXPECT_EQ(std::vector<BYTE>(texels, texels + 16), expected);
}

TEST_F(GraphicsObjects, SetImageIgnoresOtherFormatsShortPitchesAndNull)
{
    TexturePtr texture = MakeTexture(gs.get(), 2, 1, {0x01020304, 0x05060708});
    const BYTE replacement[8] = {0xAA, 0xAA, 0xAA, 0xAA, 0xAA, 0xAA, 0xAA, 0xAA};
    texture->SetImage(const_cast<BYTE *>(replacement), GS_IMAGEFORMAT_RGBA, 8);
    texture->SetImage(const_cast<BYTE *>(replacement), GS_IMAGEFORMAT_BGRA, 4);
    texture->SetImage(nullptr, GS_IMAGEFORMAT_BGRA, 8);
    const BYTE *texels = HostTexturePixels(texture.get());
    EXPECT_EQ(std::vector<BYTE>(texels, texels + 8), (std::vector<BYTE>{4, 3, 2, 1, 8, 7, 6, 5}));
}

TEST_F(GraphicsObjects, ShadersLoadFromExistingFilesOnly)
{
    EXPECT_EQ(gs->CreateVertexShaderFromFile(L"shaders/NoSuchShader.vShader"), nullptr);
    EXPECT_EQ(gs->CreatePixelShaderFromFile(L"Z:\\no\\such\\folder\\DrawSolid.pShader"), nullptr);
    EXPECT_EQ(gs->CreatePixelShaderFromFile(nullptr), nullptr);
    EXPECT_EQ(gs->CreatePixelShaderFromFile(L""), nullptr);

    Shader *shipped = gs->CreatePixelShaderFromFile((ProgramFolder() + L"shaders\\DrawSolid.pShader").c_str());
    ASSERT_NE(shipped, nullptr);
    EXPECT_NE(shipped->GetParameter(0), nullptr);
    EXPECT_EQ(shipped->GetParameter(1), nullptr);
    delete shipped;
}

TEST_F(GraphicsObjects, ShaderParametersFollowTheFileDeclarations)
{
    TemporaryFile file("// colour and a second value\n"
                       "uniform float4x4 ViewProj;\n"
                       "uniform float4 tint; // used for boxes\n"
                       "float4 notAParameter;\n"
                       "uniform float4 color;\n");
    Shader *shader = gs->CreatePixelShaderFromFile(file.Path());
    ASSERT_NE(shader, nullptr);
    HANDLE first = shader->GetParameter(0), second = shader->GetParameter(1), third = shader->GetParameter(2);
    EXPECT_NE(first, nullptr);
    EXPECT_NE(second, nullptr);
    EXPECT_NE(third, nullptr);
    EXPECT_NE(first, second);
    EXPECT_EQ(shader->GetParameter(3), nullptr);

    // A box takes the parameter named "color", whatever its position.
    gs.ClearFrame(0xFF000000);
    shader->SetColor(second, Color4(1, 0, 0, 1));
    shader->SetColor(third, Color4(0, 0, 1, 1));
    shader->SetColor(nullptr, Color4(0, 1, 0, 1));
    gs->LoadPixelShader(shader);
    gs->DrawBox(Vect2(0, 0), Vect2(1, 1));
    gs->LoadPixelShader(nullptr);
    EXPECT_EQ(gs.Pixel(0, 0), 0xFF0000FFu);
    delete shader;
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

TEST_F(GraphicsObjects, SamplerKeepsItsDescription)
{
    SamplerInfo info{};
    info.filter = GS_FILTER_POINT;
    info.addressU = GS_ADDRESS_WRAP;
    info.addressV = GS_ADDRESS_CLAMP;
    info.addressW = GS_ADDRESS_WRAP;
    info.maxAnisotropy = 16;
    info.borderColor = Color4(0.25f, 0.5f, 0.75f, 1.0f);
    SamplerState *sampler = gs->CreateSamplerState(info);
    const SamplerInfo &kept = sampler->GetSamplerInfo();
    EXPECT_EQ(kept.filter, GS_FILTER_POINT);
    EXPECT_EQ(kept.addressU, GS_ADDRESS_WRAP);
    EXPECT_EQ(kept.addressV, GS_ADDRESS_CLAMP);
    EXPECT_EQ(kept.maxAnisotropy, 16u);
    EXPECT_EQ(kept.borderColor.y, 0.5f);
    delete sampler;
}

TEST(GraphicsInstall, InstallSetsGsAndDestroyingTheInstalledSystemClearsIt)
{
    GraphicsSystem *previous = GS;
    GraphicsSystem *graphics = HostCreateSoftwareGraphics(2, 2);
    HostInstallGraphics(graphics);
    EXPECT_EQ(GS, graphics);
    EXPECT_EQ(HostFrameWidth(graphics), 2u);
    EXPECT_EQ(HostFrameHeight(graphics), 2u);
    HostDestroySoftwareGraphics(graphics);
    EXPECT_EQ(GS, nullptr);
    HostInstallGraphics(previous);
}

TEST(GraphicsInstall, ObjectsMayOutliveTheirSystem)
{
    GraphicsSystem *graphics = HostCreateSoftwareGraphics(1, 1);
    HostSetGraphicsRecording(graphics, true);
    Texture *texture = graphics->CreateTexture(1, 1, GS_BGRA, nullptr, FALSE, FALSE);
    HostDestroySoftwareGraphics(graphics);
    BYTE pixel[4] = {1, 2, 3, 4};
    texture->SetImage(pixel, GS_IMAGEFORMAT_BGRA, 4);
    EXPECT_EQ(HostTexturePixels(texture)[3], 4);
    delete texture;
}

} // namespace
