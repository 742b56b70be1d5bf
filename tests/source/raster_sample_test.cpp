// Writes PNG files beside the test program (out/): thank-you texts as the plug-in shows them
// over a scene, for a person to look at.
#include "raster_test_support.h"

namespace {

using raster_test::RasterTest;

constexpr const wchar_t *kChineseLine = L"感谢 Alice 送出的 3 个 火箭";
constexpr const wchar_t *kLatinLine = L"Thanks Bob for 10 roses";

// The scene: diagonal stripes, which show what a background lets through.
class StripedScene {
    ScopedSoftwareGraphics scene;
    unsigned width;
    unsigned height;

public:
    StripedScene(unsigned sceneWidth, unsigned sceneHeight)
        : scene(sceneWidth, sceneHeight, false), width(sceneWidth), height(sceneHeight)
    {
        std::vector<BYTE> stripes(static_cast<size_t>(width) * height * 4);
        for (unsigned y = 0; y < height; ++y)
            for (unsigned x = 0; x < width; ++x) {
                BYTE *p = &stripes[(static_cast<size_t>(y) * width + x) * 4];
                const bool light = (x + y) / 24 % 2 == 0;
                p[0] = light ? 0xE0 : 0x90;  // blue, green, red, alpha
                p[1] = light ? 0xB0 : 0x60;
                p[2] = light ? 0x70 : 0x30;
                p[3] = 0xFF;
            }
        Texture *backdrop = scene->CreateTexture(width, height, GS_BGRA, stripes.data(), FALSE, FALSE);
        scene->DrawSprite(backdrop, 0xFFFFFFFF, 0.0f, 0.0f, float(width), float(height));
        delete backdrop;
    }

    void Draw(Texture *texture, float x, float y)
    {
        scene->DrawSprite(texture, 0xFFFFFFFF, x, y, x + texture->Width(), y + texture->Height());
    }

    bool Save(CTSTR path)
    {
        CreateDirectoryW(L"out", nullptr);
        return HostSaveFramePng(scene.get(), path);
    }
};

class RasterSample : public RasterTest {
protected:
    void StyleLikeAGiftThankYou(CTSTR fontName, bool outline)
    {
        source->fontName = fontName;
        source->fontSize = 40;
        source->color = 0xFFD040;
        source->useOutline = outline;
        source->outlineSize = 4.0f;
        source->outlineColor = 0x802000;
        source->backgroundColor = 0x000000;
        source->backgroundOpacity = 50;
    }

    Texture *TakeTexture()
    {
        Texture *texture = source->texture;
        source->texture = nullptr;
        source->textureWidth = 0;
        source->textureHeight = 0;
        return texture;
    }
};

// Both lines in one texture, as the plug-in shows a two-line thank-you.
TEST_F(RasterSample, TwoLinesOverHalfOpaqueBackground)
{
    StyleLikeAGiftThankYou(L"WenQuanYi Zen Hei", false);
    Rasterise((std::wstring(kChineseLine) + L"\n" + kLatinLine).c_str());
    ASSERT_NE(source->texture, nullptr);
    StripedScene scene(source->texture->Width() + 40, source->texture->Height() + 40);
    scene.Draw(source->texture, 20.0f, 20.0f);
    EXPECT_TRUE(scene.Save(L"out/raster_sample.png"));
}

// Outlined text, one line per texture: Wine's GDI+ adds only part of the second and later
// lines to a path, so each line is rasterised on its own here. The "Arial" pair shows
// which face this system picks for Chinese text under that name.
TEST_F(RasterSample, OutlinedLinesInBothFaces)
{
    std::vector<Texture *> textures;
    for (CTSTR face : {L"WenQuanYi Zen Hei", L"Arial"})
        for (CTSTR line : {kChineseLine, kLatinLine}) {
            StyleLikeAGiftThankYou(face, true);
            Rasterise(line);
            ASSERT_NE(source->texture, nullptr);
            textures.push_back(TakeTexture());
        }

    unsigned width = 0;
    unsigned height = 20;
    for (Texture *texture : textures) {
        width = std::max(width, texture->Width());
        height += texture->Height() + 20;
    }
    StripedScene scene(width + 40, height);
    float y = 20.0f;
    for (Texture *texture : textures) {
        scene.Draw(texture, 20.0f, y);
        y += texture->Height() + 20.0f;
        delete texture;
    }
    EXPECT_TRUE(scene.Save(L"out/raster_sample_outlined.png"));
}

} // namespace
