#include "host/OBSApi.h"
#include "hostlib/HostControl.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <string>

namespace {

constexpr DWORD readShared = XFILE_READ | XFILE_SHARED;

class FileReading : public ::testing::Test {
protected:
    TempFolder folder;

    String ReadAll(const std::string &bytes)
    {
        const std::wstring path = folder / L"text.txt";
        WriteFileBytes(path, bytes);
        XFile file;
        EXPECT_TRUE(file.Open(path.c_str(), readShared, XFILE_OPENEXISTING));
        String text(L"previous");
        EXPECT_TRUE(file.ReadFileToString(text));
        return text;
    }
};

}  // namespace

TEST_F(FileReading, Utf8WithAndWithoutMark)
{
    EXPECT_TRUE(ReadAll("\xE6\x84\x9F\xE8\xB0\xA2\r\nthanks") == L"\u611F\u8C22\r\nthanks");
    EXPECT_TRUE(ReadAll("\xEF\xBB\xBF\xE6\x84\x9F\xE8\xB0\xA2") == L"\u611F\u8C22");
}

TEST_F(FileReading, Utf16LittleEndianWithMark)
{
    EXPECT_TRUE(ReadAll(std::string("\xFF\xFE\x1F\x61\x22\x8C\x0A\x00\x21\x00", 10)) == L"\u611F\u8C22\n!");
}

TEST_F(FileReading, OpenFailsForMissingFileAndBadArguments)
{
    XFile file;
    EXPECT_FALSE(file.Open((folder / L"missing.txt").c_str(), readShared, XFILE_OPENEXISTING));
    EXPECT_FALSE(file.IsOpen());
    EXPECT_FALSE(file.Open(nullptr, readShared, XFILE_OPENEXISTING));
    EXPECT_FALSE(file.Open((folder / L"x.txt").c_str(), readShared, 0));
    String text(L"kept");
    EXPECT_FALSE(file.ReadFileToString(text));
    EXPECT_TRUE(text == L"kept");
}

TEST_F(FileReading, DestructorClosesTheFile)
{
    const std::wstring path = folder / L"text.txt";
    WriteFileBytes(path, "x");
    {
        XFile file;
        ASSERT_TRUE(file.Open(path.c_str(), XFILE_READ, XFILE_OPENEXISTING));   // not shared
    }
    EXPECT_TRUE(DeleteFileW(path.c_str()));
}

TEST(FileMonitor, StartAndDestroyAreCounted)
{
    size_t blocks = HostLiveBlocks();
    unsigned monitors = HostLiveFileMonitors();
    OSFileChangeData *monitor = OSMonitorFileStart(String(L"C:\\text.txt"), false);
    ASSERT_NE(nullptr, monitor);
    EXPECT_EQ(monitors + 1, HostLiveFileMonitors());
    EXPECT_STREQ(L"C:\\text.txt", HostFileMonitorPath(monitor));
    OSMonitorFileDestroy(monitor);
    OSMonitorFileDestroy(nullptr);
    EXPECT_EQ(monitors, HostLiveFileMonitors());
    EXPECT_EQ(blocks, HostLiveBlocks());
}
