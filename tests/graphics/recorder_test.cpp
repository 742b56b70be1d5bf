#include "tests/graphics/GraphicsTestSupport.h"

#include <gtest/gtest.h>

namespace {

using Names = std::vector<std::string>;

std::vector<float> Floats(const RecordedGraphicsCall &call)
{
    return std::vector<float>(call.floats, call.floats + call.floatCount);
}

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
    shader->SetColor(shader->GetParameter(0), Color4(0.0f, 1.0f, 0.0f, 0.25f));
    gs->LoadPixelShader(shader);
    gs->DrawBox(Vect2(1, 2), Vect2(3, 4));
    gs->LoadPixelShader(saved);
    XRect clip;
    clip.x = 1;
    clip.cy = 40;
    gs->SetScissorRect(&clip);
    gs->LoadSamplerState(sampler, 0);
    gs->DrawSpriteEx(texture, 0xFEFFFFFF, 1, 2, 5, 6, 0.25f, 0, 1.25f, 1);
    gs->DrawSprite(texture, 0x80FFFFFF, 7, 8, 9, 10);
    gs->LoadSamplerState(nullptr, 0);
    gs->SetScissorRect(nullptr);
    BYTE pixels[32] = {};
    texture->SetImage(pixels, GS_IMAGEFORMAT_BGRA, 16);
    delete sampler;

    EXPECT_EQ(gs.CallNames(),
              (Names{"CreateTexture", "CreateSamplerState", "CreatePixelShaderFromFile", "GetCurrentPixelShader",
                     "Shader::GetParameter", "Shader::SetColor", "LoadPixelShader", "DrawBox", "LoadPixelShader",
                     "SetScissorRect", "LoadSamplerState", "DrawSpriteEx", "DrawSprite", "LoadSamplerState",
                     "SetScissorRect", "Texture::SetImage", "SamplerState::Release"}));
    const std::vector<RecordedGraphicsCall> calls = gs.Recording();
    ASSERT_EQ(calls.size(), 17u);

    EXPECT_EQ(calls[0].texture, texture);
    EXPECT_EQ((std::vector<unsigned>(calls[0].ints, calls[0].ints + calls[0].intCount)),
              (std::vector<unsigned>{4, 2, GS_BGRA}));
    EXPECT_EQ(calls[1].sampler, sampler);
    EXPECT_EQ(calls[1].samplerInfo.filter, GS_FILTER_POINT);
    EXPECT_EQ(calls[1].samplerInfo.addressU, GS_ADDRESS_WRAP);
    EXPECT_EQ(calls[2].shader, shader);
    EXPECT_EQ(std::wstring(calls[2].path), std::wstring(solid.Path()));
    EXPECT_EQ(calls[5].parameter, calls[4].parameter);
    EXPECT_EQ(calls[5].colour4.w, 0.25f);
    EXPECT_EQ(calls[7].shader, shader);
    EXPECT_EQ(Floats(calls[7]), (std::vector<float>{1, 2, 3, 4}));
    EXPECT_EQ(calls[7].colour4.y, 1.0f);
    EXPECT_TRUE(calls[9].hasRect);
    EXPECT_EQ(calls[9].rect.cy, 40);
    EXPECT_EQ(calls[10].sampler, sampler);
    EXPECT_EQ(calls[11].texture, texture);
    EXPECT_EQ(calls[11].colour, 0xFEFFFFFFu);
    EXPECT_EQ(Floats(calls[11]), (std::vector<float>{1, 2, 5, 6, 0.25f, 0, 1.25f, 1}));
    EXPECT_EQ(calls[12].colour, 0x80FFFFFFu);
    EXPECT_EQ(Floats(calls[12]), (std::vector<float>{7, 8, 9, 10}));
    EXPECT_FALSE(calls[14].hasRect);
    EXPECT_EQ(calls[15].ints[1], 16u);
    EXPECT_EQ(calls[16].sampler, sampler);

    delete shader;
    delete texture;
}

TEST(GraphicsRecorder, RecordsOnlyWhileOnAndForgetsOnClear)
{
    ScopedSoftwareGraphics gs(4, 4, false);
    gs->SetScissorRect(nullptr);
    EXPECT_EQ(HostGraphicsRecordingSize(gs.get()), 0u);

    HostSetGraphicsRecording(gs.get(), true);
    gs->LoadVertexShader(nullptr);
    EXPECT_EQ(gs.CallNames(), (Names{"LoadVertexShader"}));
    gs.ClearRecording();
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

} // namespace
