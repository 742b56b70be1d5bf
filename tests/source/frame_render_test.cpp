#include "support/NewTextSource.h"
#include "support/ProcessGraphics.h"
#include "support/SceneTree.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

using Names = std::vector<std::string>;

// A source with a 200x50 texture of its own, drawn through the recording graphics system.
class FrameRender : public ::testing::Test {
protected:
    GraphicsSystem *graphics = ProcessGraphics();
    const HostGraphicsObjectCounts liveBefore = HostLiveGraphicsObjects();
    SceneTree tree;
    XElement *data = tree.NewDataElement();
    TextOutputSource *source = nullptr;

    void SetUp() override
    {
        source = NewTextSource(data);
        source->texture = GS->CreateTexture(200, 50, GS_BGRA, nullptr, FALSE, FALSE);
        source->textureWidth = 200;
        source->textureHeight = 50;
        HostClearGraphicsRecording(graphics);
    }
    void TearDown() override { delete source; }

    std::vector<RecordedGraphicsCall> Calls() const { return HostGraphicsRecording(graphics); }
    Names CallNames() const { return HostGraphicsCallNames(graphics); }
    RecordedGraphicsCall Find(const char *name) const
    {
        for (const RecordedGraphicsCall &call : Calls())
            if (std::strcmp(call.name, name) == 0)
                return call;
        ADD_FAILURE() << "no call " << name;
        return {};
    }
    void Render() { source->Render(Vect2(10.0f, 20.0f), Vect2(64.0f, 16.0f)); }
    static std::vector<float> Floats(const RecordedGraphicsCall &call)
    {
        return std::vector<float>(call.floats, call.floats + call.floatCount);
    }
};

TEST_F(FrameRender, StillTextIsOneSpriteScaledFromTheBaseSize)
{
    Render();
    EXPECT_EQ(CallNames(), Names{"DrawSprite"});
    const RecordedGraphicsCall draw = Find("DrawSprite");
    EXPECT_EQ(draw.texture, source->texture);
    EXPECT_EQ(draw.colour, 0xFEFFFFFFu);  // alpha 254 whatever the text opacity
    // Base 32x32 drawn at 64x16: twice as wide, half as high.
    ASSERT_EQ(draw.floatCount, 4);
    EXPECT_EQ(draw.floats[0], 10.0f);
    EXPECT_EQ(draw.floats[1], 20.0f);
    EXPECT_EQ(draw.floats[2], 10.0f + 400.0f);
    EXPECT_EQ(draw.floats[3], 20.0f + 25.0f);
}

TEST_F(FrameRender, NoTextureDrawsNothing)
{
    delete source->texture;
    source->texture = nullptr;
    HostClearGraphicsRecording(graphics);
    Render();
    EXPECT_TRUE(Calls().empty());
}

TEST_F(FrameRender, ScrollingDrawsWithTheWrappingSamplerAndShiftedCoordinates)
{
    source->SetInt(L"scrollSpeed", 100);
    source->scrollOffset = 0.25f;
    Render();
    EXPECT_EQ(CallNames(), (Names{"LoadSamplerState", "DrawSpriteEx"}));
    EXPECT_EQ(Find("LoadSamplerState").sampler, source->scrollSampler);
    const RecordedGraphicsCall draw = Find("DrawSpriteEx");
    EXPECT_EQ(Floats(draw), (std::vector<float>{10.0f, 20.0f, 410.0f, 45.0f, 0.25f, 0.0f, 1.25f, 1.0f}));
}

TEST_F(FrameRender, VerticalScrollingShiftsTheOtherCoordinate)
{
    source->SetInt(L"scrollSpeed", 100);
    source->SetInt(L"vertical", 1);
    source->scrollOffset = -0.5f;
    Render();
    EXPECT_EQ(Floats(Find("DrawSpriteEx")), (std::vector<float>{10.0f, 20.0f, 410.0f, 45.0f, 0.0f, -0.5f, 1.0f, 0.5f}));
}

TEST_F(FrameRender, TheScrollSamplerWrapsAndFiltersLinearly)
{
    SamplerState *scroll = source->scrollSampler;
    ASSERT_NE(scroll, nullptr);
    const SamplerInfo &info = scroll->GetSamplerInfo();
    EXPECT_EQ(info.filter, GS_FILTER_LINEAR);
    EXPECT_EQ(info.addressU, GS_ADDRESS_WRAP);
    EXPECT_EQ(info.addressV, GS_ADDRESS_WRAP);
    EXPECT_EQ(info.addressW, GS_ADDRESS_CLAMP);
    EXPECT_EQ(info.maxAnisotropy, 0u);
}

TEST_F(FrameRender, PointSamplerIsMadeOnceAndUnloadedAfterTheDraw)
{
    data->SetInt(L"pointFiltering", 1);
    source->UpdateSettings();
    Render();
    EXPECT_EQ(CallNames(),
              (Names{"CreateSamplerState", "LoadSamplerState", "DrawSprite", "LoadSamplerState"}));
    const RecordedGraphicsCall created = Find("CreateSamplerState");
    ASSERT_TRUE(created.hasSamplerInfo);
    EXPECT_EQ(created.samplerInfo.filter, GS_FILTER_POINT);
    EXPECT_EQ(created.samplerInfo.addressU, GS_ADDRESS_CLAMP);
    EXPECT_EQ(created.samplerInfo.addressV, GS_ADDRESS_CLAMP);
    EXPECT_EQ(created.samplerInfo.addressW, GS_ADDRESS_CLAMP);
    EXPECT_EQ(created.samplerInfo.maxAnisotropy, 16u);
    const auto calls = Calls();
    EXPECT_EQ(calls[1].sampler, source->pointSampler);
    EXPECT_EQ(calls[3].sampler, nullptr);

    HostClearGraphicsRecording(graphics);
    Render();
    EXPECT_EQ(CallNames(), (Names{"LoadSamplerState", "DrawSprite", "LoadSamplerState"}));

    // Destroyed, the source gives back its texture and both samplers.
    EXPECT_EQ(HostLiveGraphicsObjects().samplers, liveBefore.samplers + 2);
    delete source;
    source = nullptr;
    EXPECT_EQ(HostLiveGraphicsObjects().samplers, liveBefore.samplers);
    EXPECT_EQ(HostLiveGraphicsObjects().textures, liveBefore.textures);
}

// Forwards to the process's recording system but makes no sampler, as a failing device would.
class NoSamplers final : public GraphicsSystem {
public:
    GraphicsSystem *inner = ProcessGraphics();
    unsigned attempts = 0;

    SamplerState *CreateSamplerState(SamplerInfo &) override { ++attempts; return nullptr; }
    Texture *CreateTexture(unsigned w, unsigned h, GSColorFormat f, void *p, BOOL m, BOOL s) override
    {
        return inner->CreateTexture(w, h, f, p, m, s);
    }
    Shader *CreateVertexShaderFromFile(CTSTR path) override { return inner->CreateVertexShaderFromFile(path); }
    Shader *CreatePixelShaderFromFile(CTSTR path) override { return inner->CreatePixelShaderFromFile(path); }
    void LoadSamplerState(SamplerState *sampler, UINT unit) override { inner->LoadSamplerState(sampler, unit); }
    void LoadVertexShader(Shader *shader) override { inner->LoadVertexShader(shader); }
    void LoadPixelShader(Shader *shader) override { inner->LoadPixelShader(shader); }
    Shader *GetCurrentVertexShader() override { return inner->GetCurrentVertexShader(); }
    Shader *GetCurrentPixelShader() override { return inner->GetCurrentPixelShader(); }
    void DrawSprite(Texture *t, DWORD c, float x, float y, float x2, float y2) override
    {
        inner->DrawSprite(t, c, x, y, x2, y2);
    }
    void DrawSpriteEx(Texture *t, DWORD c, float x, float y, float x2, float y2, float u, float v, float u2,
                      float v2) override
    {
        inner->DrawSpriteEx(t, c, x, y, x2, y2, u, v, u2, v2);
    }
    void DrawBox(const Vect2 &position, const Vect2 &size) override { inner->DrawBox(position, size); }
    void SetScissorRect(XRect *rect) override { inner->SetScissorRect(rect); }
};

TEST_F(FrameRender, PointSamplerNotMadeIsLoadedAsNullAndTriedAgainNextFrame)
{
    data->SetInt(L"pointFiltering", 1);
    source->UpdateSettings();
    NoSamplers failing;
    HostInstallGraphics(&failing);
    Render();
    Render();
    HostInstallGraphics(graphics);
    EXPECT_EQ(failing.attempts, 2u);
    const auto calls = Calls();
    ASSERT_EQ(calls.size(), 6u);
    EXPECT_EQ(calls[0].sampler, nullptr);
    EXPECT_EQ(calls[3].sampler, nullptr);

    Render();
    EXPECT_NE(source->pointSampler, nullptr);
}

TEST_F(FrameRender, PointFilteredScrollingLoadsTheScrollSamplerForTheDraw)
{
    data->SetInt(L"pointFiltering", 1);
    data->SetInt(L"scrollSpeed", 40);
    source->UpdateSettings();
    Render();
    const auto calls = Calls();
    ASSERT_EQ(CallNames(), (Names{"CreateSamplerState", "LoadSamplerState", "LoadSamplerState",
                                  "DrawSpriteEx", "LoadSamplerState"}));
    EXPECT_EQ(calls[1].sampler, source->pointSampler);
    EXPECT_EQ(calls[2].sampler, source->scrollSampler);
    EXPECT_EQ(calls[4].sampler, nullptr);
    for (size_t i : {1, 2, 4})
        EXPECT_EQ(calls[i].ints[0], 0u) << "sampler unit of call " << i;
}

TEST_F(FrameRender, ExtentsWithoutWrapClipToTheScaledBox)
{
    data->SetInt(L"useTextExtents", 1);
    data->SetInt(L"extentWidth", 100);
    data->SetInt(L"extentHeight", 40);
    source->UpdateSettings();
    Render();
    EXPECT_EQ(CallNames(), (Names{"SetScissorRect", "DrawSprite", "SetScissorRect"}));
    const auto calls = Calls();
    ASSERT_TRUE(calls[0].hasRect);
    EXPECT_EQ(calls[0].rect.x, 10);
    EXPECT_EQ(calls[0].rect.y, 20);
    EXPECT_EQ(calls[0].rect.cx, 200);
    EXPECT_EQ(calls[0].rect.cy, 20);
    EXPECT_FALSE(calls[2].hasRect);
}

TEST_F(FrameRender, ExtentsWithWrapAreNotClipped)
{
    data->SetInt(L"useTextExtents", 1);
    data->SetInt(L"wrap", 1);
    data->SetInt(L"extentWidth", 100);
    data->SetInt(L"extentHeight", 40);
    source->UpdateSettings();
    Render();
    EXPECT_EQ(CallNames(), Names{"DrawSprite"});
}

TEST_F(FrameRender, ExtentsBeyondTheIntRangeClipToTheLargestRectangle)
{
    data->SetInt(L"useTextExtents", 1);
    data->SetInt(L"extentWidth", -1);  // 4294967295 as unsigned
    data->SetInt(L"extentHeight", 40);
    source->UpdateSettings();
    Render();
    const RecordedGraphicsCall clip = Find("SetScissorRect");
    EXPECT_EQ(clip.rect.cx, 2147483647);
    EXPECT_EQ(clip.rect.cy, 20);
}

TEST_F(FrameRender, ExtentChangeFlashesAGreenBoxThatFadesInItsLastSecond)
{
    data->SetInt(L"useTextExtents", 1);
    source->UpdateSettings();
    source->SetInt(L"extentWidth", 100);
    source->SetInt(L"extentHeight", 40);
    Render();

    const Names names = CallNames();
    ASSERT_GE(names.size(), 4u);
    EXPECT_EQ(names[0], "GetCurrentVertexShader");
    EXPECT_EQ(names[1], "GetCurrentPixelShader");
    const RecordedGraphicsCall colour = Find("Shader::SetColor");
    ASSERT_TRUE(colour.hasColour4);
    EXPECT_EQ(colour.colour4.x, 0.0f);
    EXPECT_EQ(colour.colour4.y, 1.0f);
    EXPECT_EQ(colour.colour4.z, 0.0f);
    EXPECT_EQ(colour.colour4.w, 1.0f);
    const RecordedGraphicsCall box = Find("DrawBox");
    ASSERT_EQ(box.floatCount, 4);
    EXPECT_EQ(box.floats[0], 10.0f);
    EXPECT_EQ(box.floats[1], 20.0f);
    EXPECT_EQ(box.floats[2], 200.0f);
    EXPECT_EQ(box.floats[3], 20.0f);
    // The highlight comes before the clip, and the previous shaders come back after it.
    const auto calls = Calls();
    size_t boxAt = 0, clipAt = 0;
    for (size_t i = 0; i < names.size(); ++i) {
        if (names[i] == "DrawBox") boxAt = i;
        if (names[i] == "SetScissorRect" && clipAt == 0) clipAt = i;
    }
    EXPECT_LT(boxAt, clipAt);
    EXPECT_EQ(names[boxAt + 1], "LoadVertexShader");
    EXPECT_EQ(names[boxAt + 2], "LoadPixelShader");
    EXPECT_EQ(calls[boxAt + 1].shader, calls[0].shader);
    EXPECT_EQ(calls[boxAt + 2].shader, calls[1].shader);

    // Half a second left: the solid shaders fill the box at half alpha, then the saved ones return.
    source->Tick(1.5f);
    HostClearGraphicsRecording(graphics);
    Render();
    const auto fading = Calls();
    EXPECT_EQ(CallNames(), (Names{"GetCurrentVertexShader", "GetCurrentPixelShader", "Shader::GetParameter",
                                  "Shader::SetColor", "LoadVertexShader", "LoadPixelShader", "DrawBox",
                                  "LoadVertexShader", "LoadPixelShader", "SetScissorRect", "DrawSprite",
                                  "SetScissorRect"}));
    ASSERT_EQ(fading.size(), 12u);
    EXPECT_TRUE(fading[6].hasColour4 && fading[6].colour4.y == 1.0f && fading[6].colour4.w == 0.5f);
    EXPECT_NE(fading[4].shader, nullptr);
    EXPECT_EQ(fading[5].shader, fading[3].shader);
    EXPECT_EQ(fading[7].shader, fading[0].shader);
    EXPECT_EQ(fading[8].shader, fading[1].shader);

    source->Tick(0.5f);
    HostClearGraphicsRecording(graphics);
    Render();
    EXPECT_EQ(CallNames(), (Names{"SetScissorRect", "DrawSprite", "SetScissorRect"}));
}

// Renders a source's extent highlight with `folder` as the current folder; ends the process
// with 7 when the shaders were loaded from "shaders/" there.
[[noreturn]] void RenderHighlightIn(const std::wstring &folder)
{
    GraphicsSystem *graphics = ProcessGraphics();
    SetCurrentDirectoryW(folder.c_str());
    SceneTree tree;
    XElement *data = tree.NewDataElement();
    data->SetInt(L"useTextExtents", 1);
    auto *source = NewTextSource(data);
    source->texture = GS->CreateTexture(32, 32, GS_BGRA, nullptr, FALSE, FALSE);
    source->SetInt(L"extentWidth", 10);
    HostClearGraphicsRecording(graphics);
    source->Render(Vect2(0.0f, 0.0f), Vect2(32.0f, 32.0f));
    const auto calls = HostGraphicsRecording(graphics);
    std::_Exit(calls.size() > 3 && std::wstring(calls[2].path) == L"shaders/DrawSolid.vShader" &&
                       std::wstring(calls[3].path) == L"shaders/DrawSolid.pShader"
                   ? 7
                   : 1);
}

// The highlight's shaders are loaded once a process; without them the host cannot go on.
TEST(ExtentHighlight, ShadersComeFromTheShadersFolderOrTheHostStops)
{
    TempFolder folder;
    CreateDirectoryW((folder / L"shaders").c_str(), nullptr);
    ASSERT_TRUE(CopyFileW(L"shaders\\DrawSolid.vShader", (folder / L"shaders\\DrawSolid.vShader").c_str(), FALSE));
    EXPECT_EXIT(RenderHighlightIn(folder.Path()), ::testing::ExitedWithCode(3), "Unable to load DrawSolid shaders");
    ASSERT_TRUE(CopyFileW(L"shaders\\DrawSolid.pShader", (folder / L"shaders\\DrawSolid.pShader").c_str(), FALSE));
    EXPECT_EXIT(RenderHighlightIn(folder.Path()), ::testing::ExitedWithCode(7), "");
}

TEST_F(FrameRender, TickScrollsAlongTheTextureOnlyWhileThereIsOne)
{
    source->SetInt(L"scrollSpeed", 100);
    source->Tick(1.0f);
    EXPECT_FLOAT_EQ(source->scrollOffset, 0.5f);
    source->SetInt(L"vertical", 1);
    source->Tick(0.25f);  // 25 pixels against a height of 50
    EXPECT_FLOAT_EQ(source->scrollOffset, 0.0f);

    delete source->texture;
    source->texture = nullptr;
    source->Tick(1.0f);
    EXPECT_FLOAT_EQ(source->scrollOffset, 0.0f);
}

TEST_F(FrameRender, StillTextDoesNotMoveItsOffset)
{
    source->scrollOffset = 0.3f;
    source->Tick(5.0f);
    EXPECT_EQ(source->scrollOffset, 0.3f);
}

} // namespace
