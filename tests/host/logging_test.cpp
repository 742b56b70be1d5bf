#include "host/OBSApi.h"
#include "hostlib/HostControl.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct CapturedLine {
    int level;
    std::wstring text;
};

// Captures log lines while alive; stderr stays quiet meanwhile.
class LogCapture {
public:
    std::vector<CapturedLine> lines;

    LogCapture()
    {
        HostSetLogToStderr(false);
        HostSetLogSink(&LogCapture::Receive, this);
    }
    ~LogCapture()
    {
        HostSetLogSink(nullptr, nullptr);
        HostSetLogToStderr(true);
    }

private:
    static void Receive(int level, CTSTR line, void *context)
    {
        static_cast<LogCapture *>(context)->lines.push_back({level, line});
    }
};

}  // namespace

TEST(Logging, WideFormatTakesWideStringsAndUnsigned)
{
    LogCapture capture;
    Log(L"font %s size %d status %u", L"\u5B8B\u4F53", -3, 4000000000u);
    ASSERT_EQ(1u, capture.lines.size());
    EXPECT_EQ(HOST_LOG_INFO, capture.lines[0].level);
    EXPECT_EQ(L"font \u5B8B\u4F53 size -3 status 4000000000", capture.lines[0].text);
}

TEST(Logging, WarningsAreCountedAndTagged)
{
    LogCapture capture;
    HostResetWarningCount();
    AppWarning(L"TextSource::UpdateTexture: Graphics::Clear failed: %u", 7u);
    AppWarning(L"second");
    EXPECT_EQ(2u, HostWarningCount());
    ASSERT_EQ(2u, capture.lines.size());
    EXPECT_EQ(HOST_LOG_WARNING, capture.lines[0].level);
    EXPECT_EQ(L"TextSource::UpdateTexture: Graphics::Clear failed: 7", capture.lines[0].text);
}

TEST(Logging, LongLinesAreNotCut)
{
    LogCapture capture;
    std::wstring longText(10000, L'x');
    Log(L"%s!", longText.c_str());
    ASSERT_EQ(1u, capture.lines.size());
    EXPECT_EQ(longText + L"!", capture.lines[0].text);
}

TEST(Logging, LinesAreAppendedToTheLogFileAsUtf8)
{
    TempFolder folder;
    std::wstring path = folder / L"host.log";
    LogCapture quiet;
    HostSetLogFile(path.c_str());
    Log(L"Using text output");
    AppWarning(L"\u611F\u8C22");
    HostSetLogFile(nullptr);
    Log(L"not in the file");
    EXPECT_EQ("Using text output\nwarning: \xE6\x84\x9F\xE8\xB0\xA2\n", ReadFileBytes(folder / L"host.log"));
}

TEST(LoggingDeathTest, CrashErrorEndsTheProcessWithCodeThree)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(CrashError(L"missing %s", L"shaders/DrawSolid.pShader"), ::testing::ExitedWithCode(3),
                "fatal: missing shaders/DrawSolid.pShader");
}

TEST(MessageBox, IsLoggedAndCountedWithoutAWindow)
{
    LogCapture capture;
    unsigned before = HostMessageBoxCount();
    EXPECT_EQ(IDOK, OBSMessageBox(nullptr, L"The font 'X' could not be found.", L"Error", MB_OK));
    EXPECT_EQ(before + 1, HostMessageBoxCount());
    EXPECT_STREQ(L"The font 'X' could not be found.", HostLastMessageBoxText());
    ASSERT_EQ(1u, capture.lines.size());
    EXPECT_NE(std::wstring::npos, capture.lines[0].text.find(L"could not be found"));
}
