#include "raster_test_support.h"
#include "support/StringText.h"
#include "support/TempFolder.h"
#include "win/Handle.h"

#include <cstdio>
#include <fstream>

namespace {

using raster_test::RasterTest;
using Names = std::vector<std::string>;
using Warnings = std::vector<std::wstring>;

class Rasterisation : public RasterTest {};

TEST_F(Rasterisation, FirstTextCreatesTheTextureSameSizeRefreshesItNewSizeReplacesIt)
{
    const unsigned texturesBefore = HostLiveGraphicsObjects().textures;
    Rasterise(L"Thanks!");
    std::vector<RecordedGraphicsCall> calls = HostGraphicsRecording(graphics);
    ASSERT_EQ(CallNames(), Names{"CreateTexture"});
    const int width = source->textureWidth;
    EXPECT_EQ(calls[0].texture, source->texture);
    EXPECT_EQ(calls[0].ints[0], static_cast<unsigned>(width));
    EXPECT_EQ(calls[0].ints[1], static_cast<unsigned>(source->textureHeight));
    EXPECT_EQ(calls[0].ints[2], 6u);  // BGRA
    EXPECT_GE(source->textureHeight, 48);  // the font size

    HostClearGraphicsRecording(graphics);
    Texture *first = source->texture;
    source->backgroundOpacity = 100;
    source->backgroundColor = 0x123456;
    Rasterise(L"Thanks!");
    calls = HostGraphicsRecording(graphics);
    ASSERT_EQ(CallNames(), Names{"Texture::SetImage"});
    EXPECT_EQ(source->texture, first);
    EXPECT_EQ(calls[0].ints[0], 9u);  // BGRA image
    EXPECT_EQ(calls[0].ints[1], static_cast<unsigned>(width) * 4);
    EXPECT_EQ(Pixel(0, 0), 0xFF123456u);  // the new pixels arrived

    HostClearGraphicsRecording(graphics);
    Rasterise(L"Thank you all for the wonderful gifts");
    EXPECT_EQ(CallNames(), (Names{"Texture::Release", "CreateTexture"}));
    EXPECT_GT(source->textureWidth, width);
    EXPECT_EQ(HostLiveGraphicsObjects().textures, texturesBefore + 1);
    EXPECT_TRUE(log.Warnings().empty());
}

TEST_F(Rasterisation, WrappedExtentsAreTheTextureSizeWhateverTheText)
{
    source->useTextExtents = source->wrap = true;
    source->extentWidth = 333;
    source->extentHeight = 120;
    for (CTSTR text : {L"A line long enough to wrap several times inside a box this wide", L""}) {
        Rasterise(text);
        EXPECT_EQ(source->textureWidth, 334);
        EXPECT_EQ(source->textureHeight, 120);
    }
}

TEST_F(Rasterisation, FailedTextureCreationWarnsAndIsRetriedAtTheSameSize)
{
    HostInstallGraphics(nullptr);
    Rasterise(L"Thanks!");
    EXPECT_EQ(source->texture, nullptr);
    EXPECT_EQ(log.Warnings(), Warnings{L"TextSource::UpdateTexture: could not create texture"});
    const int width = source->textureWidth;

    ProcessGraphics();
    log.Clear();
    Rasterise(L"Thanks!");
    EXPECT_EQ(source->textureWidth, width);
    EXPECT_NE(source->texture, nullptr);
    EXPECT_TRUE(log.Warnings().empty());
}

// Unbounded text grows by the outline's size each way, so the stroke fits the texture.
TEST_F(Rasterisation, OutlineGrowsUnboundedTextByItsSize)
{
    Rasterise(L"HHH");
    const int width = source->textureWidth, height = source->textureHeight;
    source->useOutline = true;
    source->outlineSize = 20.0f;
    Rasterise(L"HHH");
    EXPECT_EQ(source->textureWidth, width + 20);
    EXPECT_EQ(source->textureHeight, height + 20);
}

// Lower-case m is wider in the bold face.
TEST_F(Rasterisation, BoldTextIsLaidOutInTheBoldFace)
{
    Rasterise(L"mmmmmmmmmm");
    const int regular = source->textureWidth;
    source->bold = true;
    Rasterise(L"mmmmmmmmmm");
    EXPECT_GT(source->textureWidth, regular + 10);
}

// In scroll mode the outline's size comes off the layout height, so one line fewer fits.
TEST_F(Rasterisation, OutlineTakesItsSizeOffTheLayoutBox)
{
    const float threeLines = raster_test::MeasuredHeight(L"two\nthree\nfour\n", 792.0f);
    source->useTextExtents = source->wrap = source->scrollMode = true;
    source->extentWidth = 800;
    source->extentHeight = static_cast<unsigned>(threeLines) + 2;
    source->outlineSize = 8.0f;

    Rasterise(L"one\ntwo\nthree\nfour");
    EXPECT_STREQ(source->currentText.Array(), L"one\ntwo\nthree\nfour\n");
    source->useOutline = true;
    Rasterise(L"one\ntwo\nthree\nfour");
    EXPECT_STREQ(source->currentText.Array(), L"two\nthree\nfour\n");
    EXPECT_EQ(source->textureWidth, 800);  // the texture keeps the extents
}

class RasteriseFromFile : public RasterTest {
protected:
    TempFolder folder;
    std::wstring path = folder / L"thanks.txt";
    unsigned monitors = HostLiveFileMonitors();

    void SetUp() override
    {
        RasterTest::SetUp();
        source->mode = 1;
        source->filePath = path.c_str();
        source->currentText = L"old text";
    }
};

TEST_F(RasteriseFromFile, UnreadableFileGivesEmptyTextAWarningAndStillAMonitor)
{
    source->UpdateTexture();
    EXPECT_TRUE(source->currentText.IsEmpty());
    EXPECT_EQ(log.Warnings(), Warnings{L"TextSource::UpdateTexture: could not open specified "
                                       L"file (invalid file name or access violation)"});
    EXPECT_EQ(HostLiveFileMonitors(), monitors + 1);
    ASSERT_TRUE(source->fileMonitorActive);
    EXPECT_STREQ(HostFileMonitorPath(source->fileMonitor), path.c_str());
    EXPECT_NE(source->texture, nullptr);
}

TEST_F(RasteriseFromFile, FileTextIsShownEachCallWatchesAfreshOtherModesStopWatching)
{
    std::ofstream(path.c_str(), std::ios::binary) << "Thanks from a file";
    source->UpdateTexture();
    source->UpdateTexture();
    EXPECT_STREQ(source->currentText.Array(), L"Thanks from a file");
    EXPECT_EQ(HostLiveFileMonitors(), monitors + 1);

    source->mode = 2;  // neither text nor file: nothing shown
    source->UpdateTexture();
    EXPECT_TRUE(source->currentText.IsEmpty());
    EXPECT_FALSE(source->fileMonitorActive);
    EXPECT_EQ(HostLiveFileMonitors(), monitors);
    EXPECT_TRUE(log.Warnings().empty());
}

// A file far larger than can be shown (65 MiB, more than the host library reads at all)
// shows what a texture can: at the default font size its first 171 lines.
TEST_F(RasteriseFromFile, HugeFileShowsItsStartWithAWarning)
{
    std::string lines;
    for (int line = 0; line < 200; ++line)
        lines += "Thanks, " + std::to_string(line) + "\r\n";
    {
        std::ofstream(path.c_str(), std::ios::binary) << lines;
    }
    {
        const win::UniqueHandle file(
            CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
        ASSERT_TRUE(file);
        LARGE_INTEGER size{};
        size.QuadPart = 65LL << 20;
        EXPECT_TRUE(SetFilePointerEx(file.get(), size, nullptr, FILE_BEGIN) && SetEndOfFile(file.get()));
    }

    source->fontSize = 48;
    source->UpdateTexture();
    const std::string shown = lines.substr(0, lines.find("Thanks, 171\r\n") - 2);
    EXPECT_EQ(Text(source->currentText), std::wstring(shown.begin(), shown.end()));
    EXPECT_EQ(log.Warnings(), Warnings{L"TextSource::UpdateTexture: the file holds more than the 171 lines a "
                                       L"texture shows at font size 48; only those are shown"});
    EXPECT_EQ(source->textureHeight, 8192);
    EXPECT_TRUE(source->fileMonitorActive);
}

// What a texture can show at the font size is kept: 100 lines of 50 characters (5,200
// bytes) are all shown at size 48, without a warning.
TEST_F(RasteriseFromFile, AFileThatFitsTheTextureIsShownWhole)
{
    std::string lines;
    for (int line = 0; line < 100; ++line)
        lines += std::string(50, static_cast<char>('a' + line % 26)) + "\r\n";
    std::ofstream(path.c_str(), std::ios::binary) << lines;
    source->fontSize = 48;
    source->UpdateTexture();
    EXPECT_EQ(Text(source->currentText), std::wstring(lines.begin(), lines.end()));
    EXPECT_TRUE(log.Warnings().empty());
}

// A gift log in bottom-anchored scroll mode shows its newest whole lines, also after it grew.
TEST_F(RasteriseFromFile, AGrowingLogInScrollModeShowsItsNewestLines)
{
    const auto logLines = [](int first, int last) {
        std::string log;
        for (int i = first; i <= last; ++i) {
            char number[8];
            std::snprintf(number, sizeof number, "%05d", i);
            log += "\xE6\x84\x9F\xE8\xB0\xA2 \xE8\xA7\x82\xE4\xBC\x97" + std::string(number) +
                   " \xE9\x80\x81\xE5\x87\xBA\xE7\x9A\x84 1 \xE4\xB8\xAA \xE7\x81\xAB\xE7\xAE\xAD\r\n";
        }
        return log;
    };
    std::ofstream(path.c_str(), std::ios::binary) << logLines(1, 10000);
    source->fontSize = 24;
    source->useTextExtents = source->wrap = source->scrollMode = true;
    source->extentWidth = 600;
    source->extentHeight = 160;
    source->UpdateTexture();
    const std::wstring lastLine = L"\u611F\u8C22 \u89C2\u4F1710000 \u9001\u51FA\u7684 1 \u4E2A \u706B\u7BAD\r\n";
    std::wstring shown = Text(source->currentText);
    ASSERT_GE(shown.size(), lastLine.size());
    EXPECT_EQ(shown.substr(shown.size() - lastLine.size()), lastLine);
    EXPECT_EQ(shown.rfind(L"\u611F\u8C22 \u89C2\u4F17", 0), 0u) << "starts with a whole line";
    EXPECT_EQ(source->textureHeight, 160);

    std::ofstream(path.c_str(), std::ios::binary | std::ios::app) << logLines(10001, 10003);
    source->UpdateTexture();
    shown = Text(source->currentText);
    EXPECT_EQ(shown.substr(shown.size() - lastLine.size()), L"\u611F\u8C22 \u89C2\u4F1710003 \u9001\u51FA\u7684 1 \u4E2A \u706B\u7BAD\r\n");
    EXPECT_TRUE(log.Warnings().empty());
}

// A file that opens but cannot be read shows nothing, and says why. (Under Wine the Linux
// file /proc/self/mem opens, and reading its first page fails.)
TEST_F(RasteriseFromFile, UnreadableFileSaysWhy)
{
    source->filePath = L"Z:\\proc\\self\\mem";
    source->UpdateTexture();
    EXPECT_TRUE(source->currentText.IsEmpty());
    const Warnings warnings = log.Warnings();
    ASSERT_EQ(warnings.size(), 1u);
    EXPECT_EQ(warnings[0].rfind(L"TextSource::UpdateTexture: could not read specified file (error ", 0), 0u)
        << warnings[0];
    EXPECT_TRUE(source->fileMonitorActive);
}

} // namespace
