#include "source/FileText.h"

#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <cwchar>
#include <string>

namespace {
constexpr unsigned kManyLines = 100;
}

TEST(FileTextDecoding, ReadsUtf8OrUtf16AsTheHostDoesUpToANul)
{
    EXPECT_EQ(DecodeFileText("\xEF\xBB\xBF" "a\xE5\xB0\x8F\xFF", true, 100, kManyLines).text, L"a\u5C0F\uFFFD");
    const FileText odd = DecodeFileText(std::string("\xFF\xFE" "a\0\x0F\x5C" "b", 7), true, 100, kManyLines);
    EXPECT_EQ(odd.text, L"a\u5C0F");
    EXPECT_EQ(std::wcslen(odd.text.c_str()), 2u);  // the half unit is not written past the end either
    EXPECT_EQ(DecodeFileText("\xFF\xFE", true, 100, kManyLines).text, L"");
    EXPECT_EQ(DecodeFileText("a\xFE", true, 100, kManyLines).text, L"a\uFFFD");  // half a mark is no mark
    // Nothing after a NUL would show, so nothing is missing.
    const FileText nul = DecodeFileText(std::string("ab\0cd", 5), false, 100, kManyLines);
    EXPECT_EQ(nul.text, L"ab");
    EXPECT_EQ(nul.cut, FileText::Cut::None);
}

// Only the start of a long file is shown: never more than the limits, never half a character.
TEST(FileTextDecoding, KeepsTheStartOfALongFileWhole)
{
    const FileText whole = DecodeFileText("abcd", true, 4, kManyLines);
    EXPECT_EQ(whole.text, L"abcd");
    EXPECT_EQ(whole.cut, FileText::Cut::None);
    const FileText longer = DecodeFileText("abcde", true, 4, kManyLines);
    EXPECT_EQ(longer.text, L"abcd");
    EXPECT_EQ(longer.cut, FileText::Cut::Units);
    // The read stopped inside a character: it is left out, not shown as U+FFFD.
    const FileText start = DecodeFileText("ab\xE5\xB0", false, 4, kManyLines);
    EXPECT_EQ(start.text, L"ab");
    EXPECT_EQ(start.cut, FileText::Cut::Units);
    EXPECT_EQ(DecodeFileText("a\xF0\x9F\x98", false, 4, kManyLines).text, L"a");
    EXPECT_EQ(DecodeFileText("ab\xE0\xA4", false, 4, kManyLines).text, L"ab");
    EXPECT_EQ(DecodeFileText("ab\xC0", false, 4, kManyLines).text, L"ab");
    // Characters the read ended with stay: one, two and three bytes long.
    EXPECT_EQ(DecodeFileText("abc", false, 4, kManyLines).text, L"abc");
    EXPECT_EQ(DecodeFileText("a\xC3\xA9", false, 4, kManyLines).text, L"a\u00E9");
    EXPECT_EQ(DecodeFileText("a\xE5\xB0\x8F", false, 4, kManyLines).text, L"a\u5C0F");
    // A surrogate pair across the limit goes whole: the first and the last there are.
    EXPECT_EQ(DecodeFileText("abc\xF0\x90\x80\x80", true, 4, kManyLines).text, L"abc");
    EXPECT_EQ(DecodeFileText("abc\xF4\x8F\xBF\xBF", true, 4, kManyLines).text, L"abc");
    EXPECT_EQ(DecodeFileText("abc\xF0\x90\x80\x80\xEE\x80\x80", true, 4, kManyLines).text, L"abc");
}

TEST(FileTextDecoding, KeepsNoMoreLinesThanATextureShows)
{
    const FileText lines = DecodeFileText("one\r\ntwo\r\nthree\r\n", true, 100, 2);
    EXPECT_EQ(lines.text, L"one\r\ntwo");
    EXPECT_EQ(lines.cut, FileText::Cut::Lines);
    EXPECT_EQ(DecodeFileText("one\ntwo\n", true, 100, 2).cut, FileText::Cut::None);
    EXPECT_EQ(DecodeFileText("\n\n\n", true, 100, 2).text, L"\n");
    // Whichever limit comes first cuts.
    EXPECT_EQ(DecodeFileText("one\ntwo\nthree", true, 6, 2).text, L"one\ntw");
    EXPECT_EQ(DecodeFileText("one\ntwo\nthree", true, 6, 2).cut, FileText::Cut::Units);
    EXPECT_EQ(MaxFileTextLines(48), 171u);
    EXPECT_EQ(MaxFileTextLines(0), 8193u);
}

// Only the start of a file is read, and one byte more tells whether there is more.
TEST(FileTextReading, ReadsTheStartAndTellsWhetherTheFileGoesOn)
{
    TempFolder folder;
    const std::wstring path = folder / L"start.txt";
    ASSERT_TRUE(WriteFileBytes(path, std::string(kFileTextReadBytes, 'a')));
    FileStart start = ReadFileStart(path.c_str());
    EXPECT_EQ(start.result, FileStart::Result::Read);
    EXPECT_EQ(start.bytes.size(), kFileTextReadBytes);
    EXPECT_TRUE(start.whole);

    ASSERT_TRUE(AppendFileBytes(path, "b"));
    start = ReadFileStart(path.c_str());
    EXPECT_EQ(start.bytes, std::string(kFileTextReadBytes, 'a'));
    EXPECT_FALSE(start.whole);
    EXPECT_EQ(ReadFileStart((folder / L"none.txt").c_str()).result, FileStart::Result::NotOpened);
    // Under Wine the Linux file /proc/self/mem opens, and reading its first page fails.
    start = ReadFileStart(L"Z:\\proc\\self\\mem");
    EXPECT_EQ(start.result, FileStart::Result::ReadFailed);
    EXPECT_TRUE(start.bytes.empty());
    EXPECT_NE(start.error, 0u);
}
