#include "host/OBSApi.h"
#include "hostlib/HostControl.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

#include <string>

namespace {

constexpr DWORD readShared = XFILE_READ | XFILE_SHARED;

class FileReading : public ::testing::Test {
protected:
    TempFolder folder;

    String ReadAll(std::string_view bytes)
    {
        std::wstring path = folder.Write(L"text.txt", bytes);
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

TEST_F(FileReading, EmptyFileGivesEmptyText)
{
    EXPECT_TRUE(ReadAll("").IsEmpty());
    EXPECT_TRUE(ReadAll("\xEF\xBB\xBF").IsEmpty());
}

TEST_F(FileReading, ReadsFromTheStartEveryTime)
{
    std::wstring path = folder.Write(L"text.txt", "same");
    XFile file;
    ASSERT_TRUE(file.Open(path.c_str(), readShared, XFILE_OPENEXISTING));
    String first, second;
    EXPECT_TRUE(file.ReadFileToString(first));
    EXPECT_TRUE(file.ReadFileToString(second));
    EXPECT_TRUE(second == L"same");
}

TEST_F(FileReading, OpenFailsForMissingFileAndBadArguments)
{
    XFile file;
    EXPECT_FALSE(file.Open(folder.Path(L"missing.txt").c_str(), readShared, XFILE_OPENEXISTING));
    EXPECT_FALSE(file.IsOpen());
    EXPECT_FALSE(file.Open(nullptr, readShared, XFILE_OPENEXISTING));
    EXPECT_FALSE(file.Open(folder.Path(L"x.txt").c_str(), readShared, 0));
    String text(L"kept");
    EXPECT_FALSE(file.ReadFileToString(text));
    EXPECT_TRUE(text == L"kept");
}

TEST_F(FileReading, CreationModesFollowWin32)
{
    std::wstring path = folder.Path(L"new.txt");
    XFile file;
    EXPECT_TRUE(file.Open(path.c_str(), XFILE_WRITE, XFILE_CREATENEW));
    file.Close();
    EXPECT_FALSE(file.IsOpen());
    EXPECT_FALSE(file.Open(path.c_str(), XFILE_WRITE, XFILE_CREATENEW));
    EXPECT_TRUE(file.Open(path.c_str(), XFILE_WRITE, XFILE_OPENALWAYS));
}

TEST_F(FileReading, SharedFileStaysWritableByOthers)
{
    std::wstring path = folder.Write(L"text.txt", "old");
    XFile file;
    ASSERT_TRUE(file.Open(path.c_str(), readShared, XFILE_OPENEXISTING));
    HANDLE writer = CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_EXISTING, 0, nullptr);
    EXPECT_NE(INVALID_HANDLE_VALUE, writer);
    CloseHandle(writer);
}

TEST_F(FileReading, DestructorClosesTheFile)
{
    std::wstring path = folder.Write(L"text.txt", "x");
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

TEST(FileMonitor, StartReturnsNullWhenOutOfMemory)
{
    String path(L"C:\\text.txt");
    HostFailNextAllocations(2);   // the path copy and the monitor
    EXPECT_EQ(nullptr, OSMonitorFileStart(path, false));
    HostFailNextAllocations(0);
}
