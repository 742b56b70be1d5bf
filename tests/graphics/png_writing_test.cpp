#include "tests/graphics/GraphicsTestSupport.h"

#include <objidl.h>
#include <gdiplus.h>
#include <gtest/gtest.h>

namespace {

// Decodes PNG files with GDI+ to check what an image viewer would show.
class PngWriting : public ::testing::Test {
protected:
    ULONG_PTR gdiplusToken = 0;
    std::wstring path;

    void SetUp() override
    {
        Gdiplus::GdiplusStartupInput input;
        ASSERT_EQ(Gdiplus::GdiplusStartup(&gdiplusToken, &input, nullptr), Gdiplus::Ok);
        wchar_t folder[MAX_PATH];
        GetTempPathW(MAX_PATH, folder);
        path = std::wstring(folder) + L"png_writing_" + std::to_wstring(GetCurrentProcessId()) + L"_\u6587.png";
    }
    void TearDown() override
    {
        DeleteFileW(path.c_str());
        Gdiplus::GdiplusShutdown(gdiplusToken);
    }
};

TEST_F(PngWriting, WritesTheFrameWithColoursInPlaceAndAlphaKept)
{
    ScopedSoftwareGraphics gs(3, 2, false);
    gs.ClearFrame(0xFF202020);
    TexturePtr texture = MakeTexture(gs.get(), 3, 1, {0xFFFF0000, 0xFF00FF00, 0xFF0000FF});
    gs->DrawSprite(texture.get(), 0xFFFFFFFF, 0, 0, 3, 1);
    ASSERT_TRUE(HostSaveFramePng(gs.get(), path.c_str()));

    Gdiplus::Bitmap bitmap(path.c_str());
    ASSERT_EQ(bitmap.GetLastStatus(), Gdiplus::Ok);
    ASSERT_EQ(bitmap.GetWidth(), 3u);
    ASSERT_EQ(bitmap.GetHeight(), 2u);
    Gdiplus::Color colour;
    const DWORD expected[2][3] = {{0xFFFF0000, 0xFF00FF00, 0xFF0000FF}, {0xFF202020, 0xFF202020, 0xFF202020}};
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x) {
            bitmap.GetPixel(x, y, &colour);
            EXPECT_EQ(colour.GetValue(), expected[y][x]) << x << "," << y;
        }
}

TEST_F(PngWriting, KeepsTransparency)
{
    ScopedSoftwareGraphics gs(1, 1, false);
    gs.ClearFrame(0x80FF0000);
    ASSERT_TRUE(HostSaveFramePng(gs.get(), path.c_str()));
    Gdiplus::Bitmap bitmap(path.c_str());
    Gdiplus::Color colour;
    bitmap.GetPixel(0, 0, &colour);
    EXPECT_EQ(colour.GetA(), 0x80);
    EXPECT_EQ(colour.GetR(), 0xFF);
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
