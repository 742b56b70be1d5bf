#include "tests/graphics/GraphicsTestSupport.h"

#include <gtest/gtest.h>

namespace {

using Names = std::vector<std::string>;

TEST(GraphicsRecorder, CapturesCallsAndTheirArgumentsInOrder)
{
    ScopedSoftwareGraphics gs(16, 16);
    TemporaryFile solid("uniform float4 color;\n", L".pShader");

    Texture *texture = gs->CreateTexture(4, 2, GS_BGRA, nullptr, FALSE, FALSE);
    SamplerInfo info{};
    info.filter = GS_FILTER_POINT;
    info.addressU = GS_ADDRESS_WRAP;
    info.maxAnisotropy = 16;
    SamplerState *sampler = gs->CreateSamplerState(info);
    Shader *shader = gs->CreatePixelShaderFromFile(solid.Path());
    Shader *saved = gs->GetCurrentPixelShader();
    HANDLE parameter = shader->GetParameter(0);
    shader->SetColor(parameter, Color4(0.0f, 1.0f, 0.0f, 0.25f));
    gs->LoadPixelShader(shader);
    gs->DrawBox(Vect2(1, 2), Vect2(3, 4));
    gs->LoadPixelShader(saved);
    XRect clip;
    clip.x = 1;
    clip.y = 2;
    clip.cx = 30;
    clip.cy = 40;
    gs->SetScissorRect(&clip);
    gs->LoadSamplerState(sampler, 0);
    gs->DrawSpriteEx(texture, 0xFEFFFFFF, 1, 2, 5, 6, 0.25f, 0, 1.25f, 1);
    gs->DrawSprite(texture, 0x80FFFFFF, 7, 8, 9, 10);
    gs->LoadSamplerState(nullptr, 0);
    gs->SetScissorRect(nullptr);
    delete sampler;

    const std::vector<RecordedGraphicsCall> calls = gs.Recording();
    EXPECT_EQ(gs.CallNames(),
              (Names{"CreateTexture", "CreateSamplerState", "CreatePixelShaderFromFile", "GetCurrentPixelShader",
                     "Shader::GetParameter", "Shader::SetColor", "LoadPixelShader", "DrawBox", "LoadPixelShader",
                     "SetScissorRect", "LoadSamplerState", "DrawSpriteEx", "DrawSprite", "LoadSamplerState",
                     "SetScissorRect", "SamplerState::Release"}));
    ASSERT_EQ(calls.size(), 16u);

    EXPECT_EQ(calls[0].texture, texture);
    EXPECT_EQ(calls[0].intCount, 3);
    EXPECT_EQ(calls[0].ints[0], 4u);
    EXPECT_EQ(calls[0].ints[1], 2u);
    EXPECT_EQ(calls[0].ints[2], unsigned(GS_BGRA));

    EXPECT_EQ(calls[1].sampler, sampler);
    EXPECT_TRUE(calls[1].hasSamplerInfo);
    EXPECT_EQ(calls[1].samplerInfo.filter, GS_FILTER_POINT);
    EXPECT_EQ(calls[1].samplerInfo.addressU, GS_ADDRESS_WRAP);
    EXPECT_EQ(calls[1].samplerInfo.addressV, GS_ADDRESS_CLAMP);
    EXPECT_EQ(calls[1].samplerInfo.maxAnisotropy, 16u);

    EXPECT_EQ(calls[2].shader, shader);
    EXPECT_EQ(std::wstring(calls[2].path), std::wstring(solid.Path()));
    EXPECT_EQ(calls[3].shader, nullptr);
    EXPECT_EQ(calls[4].parameter, parameter);
    EXPECT_EQ(calls[5].parameter, parameter);
    EXPECT_EQ(calls[5].colour4.w, 0.25f);

    EXPECT_EQ(calls[7].shader, shader);
    EXPECT_EQ(calls[7].floatCount, 4);
    EXPECT_EQ((std::vector<float>(calls[7].floats, calls[7].floats + 4)), (std::vector<float>{1, 2, 3, 4}));
    EXPECT_TRUE(calls[7].hasColour4);
    EXPECT_EQ(calls[7].colour4.y, 1.0f);
    EXPECT_EQ(calls[8].shader, nullptr);

    EXPECT_TRUE(calls[9].hasRect);
    EXPECT_EQ(calls[9].rect.x, 1);
    EXPECT_EQ(calls[9].rect.y, 2);
    EXPECT_EQ(calls[9].rect.cx, 30);
    EXPECT_EQ(calls[9].rect.cy, 40);

    EXPECT_EQ(calls[10].sampler, sampler);
    EXPECT_EQ(calls[10].ints[0], 0u);

    EXPECT_EQ(calls[11].texture, texture);
    EXPECT_EQ(calls[11].colour, 0xFEFFFFFFu);
    EXPECT_EQ((std::vector<float>(calls[11].floats, calls[11].floats + calls[11].floatCount)),
              (std::vector<float>{1, 2, 5, 6, 0.25f, 0, 1.25f, 1}));
    EXPECT_EQ(calls[12].colour, 0x80FFFFFFu);
    EXPECT_EQ((std::vector<float>(calls[12].floats, calls[12].floats + calls[12].floatCount)),
              (std::vector<float>{7, 8, 9, 10}));

    EXPECT_EQ(calls[13].sampler, nullptr);
    EXPECT_FALSE(calls[14].hasRect);
    EXPECT_EQ(calls[15].sampler, sampler);

    delete shader;
    delete texture;
}

TEST(GraphicsRecorder, RecordsNothingWhileOffAndForgetsOnClear)
{
    ScopedSoftwareGraphics gs(4, 4, false);
    gs->SetScissorRect(nullptr);
    EXPECT_EQ(HostGraphicsRecordingSize(gs.get()), 0u);

    HostSetGraphicsRecording(gs.get(), true);
    gs->SetScissorRect(nullptr);
    gs->LoadVertexShader(nullptr);
    EXPECT_EQ(gs.CallNames(), (Names{"SetScissorRect", "LoadVertexShader"}));
    gs.ClearRecording();
    EXPECT_TRUE(gs.Recording().empty());

    RecordedGraphicsCall call{};
    EXPECT_FALSE(HostGraphicsRecordedCall(gs.get(), 0, &call));
}

TEST(GraphicsRecorder, RecordsWithDrawingSwitchedOff)
{
    ScopedSoftwareGraphics gs(4, 4);
    HostSetGraphicsDrawing(gs.get(), false);
    gs.ClearFrame(0xFF000000);
    TexturePtr texture = MakeTexture(gs.get(), 1, 1, {0xFFFFFFFF});
    gs->DrawSprite(texture.get(), 0xFFFFFFFF, 0, 0, 4, 4);
    EXPECT_EQ(gs.Pixel(1, 1), 0xFF000000u);
    EXPECT_EQ(gs.CallNames(), (Names{"CreateTexture", "DrawSprite"}));

    HostSetGraphicsDrawing(gs.get(), true);
    gs->DrawSprite(texture.get(), 0xFFFFFFFF, 0, 0, 4, 4);
    EXPECT_EQ(gs.Pixel(1, 1), 0xFFFFFFFFu);
}

TEST(GraphicsRecorder, RecordsTextureUploadsAndReleases)
{
    ScopedSoftwareGraphics gs(1, 1);
    Texture *texture = gs->CreateTexture(1, 1, GS_BGRA, nullptr, FALSE, FALSE);
    Texture *refused = gs->CreateTexture(1, 1, GS_RGB, nullptr, FALSE, FALSE);
    BYTE pixel[4] = {};
    texture->SetImage(pixel, GS_IMAGEFORMAT_BGRA, 4);
    delete texture;

    const std::vector<RecordedGraphicsCall> calls = gs.Recording();
    EXPECT_EQ(gs.CallNames(), (Names{"CreateTexture", "CreateTexture", "Texture::SetImage", "Texture::Release"}));
    ASSERT_EQ(calls.size(), 4u);
    EXPECT_EQ(refused, nullptr);
    EXPECT_EQ(calls[1].texture, nullptr);
    EXPECT_EQ(calls[1].ints[2], unsigned(GS_RGB));
    EXPECT_EQ(calls[2].ints[0], unsigned(GS_IMAGEFORMAT_BGRA));
    EXPECT_EQ(calls[2].ints[1], 4u);
    EXPECT_EQ(calls[3].texture, texture);
}

} // namespace
