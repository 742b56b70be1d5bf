// Writes out/raster_sample*.png beside the test program: thank-you texts over a striped
// scene, as the plug-in shows them, for a person to look at.
#include "raster_test_support.h"

#include <algorithm>

namespace {

class RasterSample : public raster_test::RasterTest {
protected:
    std::vector<Texture *> textures;

    void TearDown() override
    {
        for (Texture *texture : textures)
            delete texture;
        RasterTest::TearDown();
    }

    // Rasterises in a gift thank-you style and keeps the texture.
    void Add(CTSTR face, CTSTR text, bool outline)
    {
        source->fontName = face;
        source->fontSize = 40;
        source->color = 0xFFD040;
        source->useOutline = outline;
        source->outlineSize = 4.0f;
        source->outlineColor = 0x802000;
        source->backgroundOpacity = 50;
        Rasterise(text);
        ASSERT_NE(source->texture, nullptr);
        textures.push_back(source->texture);
        source->texture = nullptr;
        source->textureWidth = source->textureHeight = 0;
    }

    // The textures 1:1, one below the other, over stripes that show what the background
    // lets through.
    bool Save(CTSTR path)
    {
        unsigned width = 0, height = 20;
        for (Texture *texture : textures) {
            width = std::max(width, texture->Width() + 40);
            height += texture->Height() + 20;
        }
        std::vector<BYTE> stripes(static_cast<size_t>(width) * height * 4);
        for (size_t i = 0; i < stripes.size() / 4; ++i) {
            const bool light = (i % width + i / width) / 24 % 2 == 0;
            const BYTE bgra[4] = {BYTE(light ? 0xE0 : 0x90), BYTE(light ? 0xB0 : 0x60),
                                  BYTE(light ? 0x70 : 0x30), 0xFF};
            std::copy(bgra, bgra + 4, &stripes[i * 4]);
        }
        ScopedSoftwareGraphics scene(width, height, false);
        Texture *backdrop = scene->CreateTexture(width, height, GS_BGRA, stripes.data(), FALSE, FALSE);
        scene->DrawSprite(backdrop, 0xFFFFFFFF, 0.0f, 0.0f, float(width), float(height));
        delete backdrop;
        float y = 20.0f;
        for (Texture *texture : textures) {
            scene->DrawSprite(texture, 0xFFFFFFFF, 20.0f, y, 20.0f + texture->Width(), y + texture->Height());
            y += texture->Height() + 20.0f;
        }
        CreateDirectoryW(L"out", nullptr);
        return HostSaveFramePng(scene.get(), path);
    }
};

constexpr const wchar_t *kChinese = L"感谢 Alice 送出的 3 个 火箭";
constexpr const wchar_t *kLatin = L"Thanks Bob for 10 roses";

TEST_F(RasterSample, TwoLinesInOneTexture)
{
    Add(L"WenQuanYi Zen Hei", (std::wstring(kChinese) + L"\n" + kLatin).c_str(), false);
    EXPECT_TRUE(Save(L"out/raster_sample.png"));
}

// Outlined, one line per texture: Wine 8's GDI+ puts only part of the second and later lines
// into a path. The "Arial" pair shows which face supplies Chinese glyphs under that name.
TEST_F(RasterSample, OutlinedLinesInBothFaces)
{
    for (CTSTR face : {L"WenQuanYi Zen Hei", L"Arial"})
        for (CTSTR line : {kChinese, kLatin})
            Add(face, line, true);
    EXPECT_TRUE(Save(L"out/raster_sample_outlined.png"));
}

} // namespace
