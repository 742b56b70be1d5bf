#include "raster_test_support.h"

#include "source/GdiHandles.h"
#include "source/TextFont.h"

#include <fstream>

namespace {

using raster_test::RasterTest;
using Names = std::vector<std::string>;

class Rasterisation : public RasterTest {};

TEST_F(Rasterisation, FirstTextCreatesTheTextureFromItsPixels)
{
    Rasterise(L"Thanks!");

    const std::vector<RecordedGraphicsCall> calls = Calls();
    ASSERT_EQ(CallNames(), Names{"CreateTexture"});
    ASSERT_NE(source->texture, nullptr);
    EXPECT_EQ(calls[0].texture, source->texture);
    ASSERT_GE(calls[0].intCount, 3);
    EXPECT_EQ(calls[0].ints[0], static_cast<unsigned>(source->textureWidth));
    EXPECT_EQ(calls[0].ints[1], static_cast<unsigned>(source->textureHeight));
    EXPECT_EQ(calls[0].ints[2], 6u);  // BGRA
    EXPECT_EQ(source->texture->Width(), static_cast<unsigned>(source->textureWidth));
    EXPECT_EQ(source->textureWidth % 2, 0);
    EXPECT_EQ(source->textureHeight % 2, 0);
    EXPECT_GE(source->textureHeight, 48);  // the default font size
    EXPECT_TRUE(log.Warnings().empty());
}

TEST_F(Rasterisation, SameSizeUploadsIntoTheSameTexture)
{
    Rasterise(L"Thanks!");
    Texture *first = source->texture;
    const unsigned width = source->textureWidth;
    HostClearGraphicsRecording(graphics);

    source->backgroundOpacity = 100;
    source->backgroundColor = 0x123456;
    Rasterise(L"Thanks!");

    const std::vector<RecordedGraphicsCall> calls = Calls();
    ASSERT_EQ(CallNames(), Names{"Texture::SetImage"});
    EXPECT_EQ(source->texture, first);
    ASSERT_EQ(calls[0].intCount, 2);
    EXPECT_EQ(calls[0].ints[0], 9u);  // BGRA image
    EXPECT_EQ(calls[0].ints[1], width * 4);
    // The new pixels arrived: the corner shows the new background.
    EXPECT_EQ(Pixel(0, 0), 0xFF123456u);
}

TEST_F(Rasterisation, NewSizeReplacesTheTexture)
{
    const unsigned texturesBefore = HostLiveGraphicsObjects().textures;
    Rasterise(L"Hi");
    const int narrow = source->textureWidth;
    HostClearGraphicsRecording(graphics);

    Rasterise(L"Thank you all for the wonderful gifts");

    EXPECT_EQ(CallNames(), (Names{"Texture::Release", "CreateTexture"}));
    EXPECT_GT(source->textureWidth, narrow);
    EXPECT_EQ(source->texture->Width(), static_cast<unsigned>(source->textureWidth));
    EXPECT_EQ(HostLiveGraphicsObjects().textures, texturesBefore + 1);
}

TEST_F(Rasterisation, WrappedExtentsAreTheTextureSizeWhateverTheText)
{
    source->useTextExtents = true;
    source->wrap = true;
    source->extentWidth = 333;
    source->extentHeight = 120;

    Rasterise(L"A line long enough to wrap several times inside a box of this width, and more");
    EXPECT_EQ(source->textureWidth, 334);
    EXPECT_EQ(source->textureHeight, 120);
    Rasterise(L"");
    EXPECT_EQ(source->textureWidth, 334);
    EXPECT_EQ(source->textureHeight, 120);
}

TEST_F(Rasterisation, EmptyTextWithoutExtentsIsTheFontSizeTall)
{
    source->fontSize = 71;
    Rasterise(L"");
    EXPECT_EQ(source->textureWidth, 32);
    EXPECT_EQ(source->textureHeight, 72);
}

TEST_F(Rasterisation, ModeOtherThanTextOrFileDrawsNothing)
{
    source->mode = 2;
    Rasterise(L"not shown");
    EXPECT_TRUE(source->currentText.IsEmpty());
    EXPECT_EQ(source->textureWidth, 32);
}

TEST_F(Rasterisation, FailedTextureCreationWarnsAndIsRetriedAtTheSameSize)
{
    HostInstallGraphics(nullptr);
    Rasterise(L"Thanks!");
    EXPECT_EQ(source->texture, nullptr);
    EXPECT_EQ(log.Warnings(),
              std::vector<std::wstring>{L"TextSource::UpdateTexture: could not create texture"});
    const int width = source->textureWidth;
    EXPECT_GT(width, 0);  // the size is kept all the same

    ProcessGraphics();
    log.Clear();
    Rasterise(L"Thanks!");
    EXPECT_EQ(source->textureWidth, width);
    ASSERT_NE(source->texture, nullptr);
    EXPECT_TRUE(log.Warnings().empty());
}

// Scroll mode within extents: the outline's size comes off the layout height, so fewer
// lines fit. The heights come from GDI+ itself with the source's own font.
TEST_F(Rasterisation, OutlineTakesItsSizeOffTheLayoutBox)
{
    MemoryDC dc;
    FontHandle gdiFont = CreateTextFont(String(L"Arial"), TextFontStyle{48, false, false, false});
    GdipFont font = CreateGdiplusFont(dc.get(), gdiFont.get());
    GdipGraphics measuring;
    measuring.Check(gdip::GdipCreateFromHDC(dc.get(), measuring.receive()));
    const Gdiplus::RectF layout(0.0f, 0.0f, 792.0f, 32000.0f);
    Gdiplus::RectF threeLines;
    ASSERT_EQ(gdip::GdipMeasureString(measuring.get(), L"two\nthree\nfour\n", -1, font.get(),
                                      &layout, nullptr, &threeLines, nullptr, nullptr),
              Gdiplus::Ok);

    source->useTextExtents = true;
    source->wrap = true;
    source->scrollMode = true;
    source->extentWidth = 800;
    source->extentHeight = static_cast<unsigned>(threeLines.Height) + 2;  // three just fit
    source->outlineSize = 8.0f;

    Rasterise(L"one\ntwo\nthree\nfour");
    EXPECT_STREQ(source->currentText.Array(), L"one\ntwo\nthree\nfour\n");

    source->useOutline = true;
    Rasterise(L"one\ntwo\nthree\nfour");
    EXPECT_STREQ(source->currentText.Array(), L"two\nthree\nfour\n");
    // The texture keeps the extent size.
    EXPECT_EQ(source->textureWidth, 800);
}

// Reading the text from a file.
class RasteriseFromFile : public RasterTest {
protected:
    std::wstring path;

    void SetUp() override
    {
        RasterTest::SetUp();
        wchar_t directory[MAX_PATH];
        GetTempPathW(MAX_PATH, directory);
        path = std::wstring(directory) + L"raster_text_" + std::to_wstring(GetCurrentProcessId()) +
               L".txt";
        source->mode = 1;
    }
    void TearDown() override
    {
        RasterTest::TearDown();
        DeleteFileW(path.c_str());
    }
    void WriteFile(const char *utf8)
    {
        std::ofstream(path.c_str(), std::ios::binary) << utf8;
    }
};

TEST_F(RasteriseFromFile, UnreadableFileGivesEmptyTextAWarningAndStillAMonitor)
{
    const unsigned monitors = HostLiveFileMonitors();
    source->filePath = path.c_str();  // not written
    source->currentText = L"old text";

    source->UpdateTexture();

    EXPECT_TRUE(source->currentText.IsEmpty());
    EXPECT_EQ(log.Warnings(), std::vector<std::wstring>{
                                  L"TextSource::UpdateTexture: could not open specified file "
                                  L"(invalid file name or access violation)"});
    EXPECT_EQ(HostLiveFileMonitors(), monitors + 1);
    ASSERT_TRUE(source->fileMonitorActive);
    EXPECT_STREQ(HostFileMonitorPath(source->fileMonitor), path.c_str());
    EXPECT_NE(source->texture, nullptr);
}

TEST_F(RasteriseFromFile, FileTextIsShownAndEachCallWatchesAfresh)
{
    const unsigned monitors = HostLiveFileMonitors();
    WriteFile("Thanks from a file");
    source->filePath = path.c_str();

    source->UpdateTexture();
    EXPECT_STREQ(source->currentText.Array(), L"Thanks from a file");
    source->UpdateTexture();
    EXPECT_EQ(HostLiveFileMonitors(), monitors + 1);

    // Back to the text setting: the monitor goes.
    source->mode = 0;
    Rasterise(L"typed");
    EXPECT_STREQ(source->currentText.Array(), L"typed");
    EXPECT_FALSE(source->fileMonitorActive);
    EXPECT_EQ(HostLiveFileMonitors(), monitors);
    EXPECT_TRUE(log.Warnings().empty());
}

TEST_F(RasteriseFromFile, NoFileNameShowsNothingAndWatchesNothing)
{
    const unsigned monitors = HostLiveFileMonitors();
    source->currentText = L"old text";
    source->UpdateTexture();
    EXPECT_TRUE(source->currentText.IsEmpty());
    EXPECT_EQ(HostLiveFileMonitors(), monitors);
    EXPECT_TRUE(log.Warnings().empty());
}

} // namespace
