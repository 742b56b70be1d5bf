#include "support/TempFolder.h"
#include "win/CommandLine.h"
#include "win/File.h"
#include "win/Handle.h"
#include "win/Text.h"

#include <gtest/gtest.h>
#include <shellapi.h>

namespace {

bool IsOpen(HANDLE h)
{
    DWORD flags = 0;
    return GetHandleInformation(h, &flags) != 0;
}

} // namespace

TEST(HandleOwner, FreesOnceAndMovesOwnership)
{
    const HANDLE event = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    win::UniqueHandle first(event);
    win::UniqueHandle second(std::move(first));
    EXPECT_FALSE(first);
    EXPECT_EQ(second.get(), event);
    first = std::move(second);
    EXPECT_TRUE(IsOpen(event));
    first.reset();
    EXPECT_FALSE(IsOpen(event));

    // A failed CreateFileW returns INVALID_HANDLE_VALUE, which owns nothing.
    EXPECT_FALSE(win::UniqueHandle(INVALID_HANDLE_VALUE));
    const HANDLE kept = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    EXPECT_EQ(win::UniqueHandle(kept).release(), kept);
    EXPECT_TRUE(IsOpen(kept));
    CloseHandle(kept);
}

TEST(WholeFile, WriteReplacesAndFailureLeavesNothingBehind)
{
    TempFolder folder;
    const std::wstring path = folder / L"settings.json";
    ASSERT_TRUE(win::WriteWholeFile(path, "old"));
    ASSERT_TRUE(win::WriteWholeFile(path, std::string_view("new\0x", 5)));
    EXPECT_EQ(win::ReadWholeFile(path), std::string("new\0x", 5));
    EXPECT_FALSE(FileExists(path + L".saving"));

    // A folder where the file should go: the move fails after the temporary was written.
    const std::wstring blocked = folder / L"blocked";
    ASSERT_TRUE(CreateDirectoryW(blocked.c_str(), nullptr));
    DWORD error = 0;
    EXPECT_FALSE(win::WriteWholeFile(blocked, "bytes", &error));
    EXPECT_EQ(error, DWORD(ERROR_ACCESS_DENIED));
    EXPECT_FALSE(FileExists(blocked + L".saving"));

    EXPECT_FALSE(win::ReadWholeFile(path, 4, &error));
    EXPECT_EQ(error, DWORD(ERROR_FILE_TOO_LARGE));
    EXPECT_FALSE(win::ReadWholeFile(folder / L"missing", SIZE_MAX, &error));
    EXPECT_EQ(error, DWORD(ERROR_FILE_NOT_FOUND));

    // Under Wine, Linux's /proc files report a size of 0 but hold text (the benchmark reads
    // the companion's CPU time there).
    if (const auto status = win::ReadWholeFile(L"Z:\\proc\\self\\status"))
        EXPECT_EQ(status->substr(0, 5), "Name:");
}

TEST(Utf, InvalidInputBecomesReplacementCharacters)
{
    EXPECT_EQ(win::WideFromUtf8("a\xC3\xA9\xF0\x9F\x8E\x81"), L"a\u00E9\U0001F381");
    EXPECT_EQ(win::WideFromUtf8("a\xFF" "b"), L"a\uFFFDb");
    EXPECT_EQ(win::Utf8FromWide(L"\U0001F381"), "\xF0\x9F\x8E\x81");
    EXPECT_EQ(win::Utf8FromWide(std::wstring(1, wchar_t(0xD800)) + L"x"), "\xEF\xBF\xBDx");
    EXPECT_EQ(win::WideFromUtf8(""), L"");
}

TEST(CommandLine, ProgramGetsBackEachArgument)
{
    const std::vector<std::wstring> arguments = {L"plain", L"", L"two words", L"C:\\dir\\", L"say \"hi\"",
                                                 L"a\\\\\"b", L"tab\there"};
    const std::wstring line = win::QuotedCommandLine(L"C:\\Program Files\\p.exe", arguments);
    int count = 0;
    LPWSTR *parsed = CommandLineToArgvW(line.c_str(), &count);
    ASSERT_NE(parsed, nullptr);
    ASSERT_EQ(count, int(arguments.size()) + 1);
    EXPECT_STREQ(parsed[0], L"C:\\Program Files\\p.exe");
    for (size_t i = 0; i < arguments.size(); ++i)
        EXPECT_EQ(parsed[i + 1], arguments[i]) << i;
    LocalFree(parsed);
}
