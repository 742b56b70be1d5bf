#include "tests/graphics/GraphicsTestSupport.h"

#include <gtest/gtest.h>

#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_PNG
#include <stb/stb_image.h>

namespace {

struct DecodedPng {
    int width = 0, height = 0;
    std::vector<DWORD> argb;
};

// Reads a PNG with a decoder independent of the writer.
DecodedPng DecodePng(const std::wstring &path)
{
    DecodedPng png;
    const std::string bytes = ReadFileBytes(path);
    int channels = 0;
    unsigned char *rgba = stbi_load_from_memory(reinterpret_cast<const stbi_uc *>(bytes.data()), int(bytes.size()),
                                                &png.width, &png.height, &channels, 4);
    if (!rgba)
        return png;
    for (int i = 0; i < png.width * png.height; ++i)
        png.argb.push_back(DWORD(rgba[i * 4 + 3]) << 24 | rgba[i * 4] << 16 | rgba[i * 4 + 1] << 8 | rgba[i * 4 + 2]);
    stbi_image_free(rgba);
    return png;
}

class PngWriting : public ::testing::Test {
protected:
    TempFolder folder;
    std::wstring path = folder / L"png_writing_\u6587.png";
};

TEST_F(PngWriting, WritesTheFrameAsRgbaWithAlphaKept)
{
    ScopedSoftwareGraphics gs(4, 2, false);
    TexturePtr texture = MakeTexture(gs.get(), 4, 1, {0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0x80FF0000});
    gs.ClearFrame(0);
    gs->DrawSprite(texture.get(), 0xFFFFFFFF, 0, 0, 4, 1);
    ASSERT_TRUE(HostSaveFramePng(gs.get(), path.c_str()));

    const DecodedPng png = DecodePng(path);
    EXPECT_EQ(png.width, 4);
    EXPECT_EQ(png.height, 2);
    EXPECT_EQ(png.argb, (std::vector<DWORD>{0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0x80FF0000, 0, 0, 0, 0}));
}

TEST_F(PngWriting, FailsForAnUnwritablePathOrAnEmptyFrame)
{
    ScopedSoftwareGraphics gs(1, 1, false);
    EXPECT_FALSE(HostSaveFramePng(gs.get(), L"Z:\\no\\such\\folder\\frame.png"));
    ScopedSoftwareGraphics empty(0, 0, false);
    EXPECT_FALSE(HostSaveFramePng(empty.get(), path.c_str()));
    EXPECT_EQ(GetFileAttributesW(path.c_str()), INVALID_FILE_ATTRIBUTES);
}

} // namespace
