#include "source/FileText.h"

#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <cstdio>
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
    // Characters by the pixels they cover, and never more than the ceiling.
    EXPECT_EQ(MaxFileTextCells(48), 7281u);
    EXPECT_EQ(MaxFileTextCells(200), 419u);
    EXPECT_EQ(MaxFileTextCells(37), 12255u);
    EXPECT_EQ(MaxFileTextCells(36), kFileTextCellsCeiling);
    EXPECT_EQ(MaxFileTextCells(-5), kFileTextCellsCeiling);
    EXPECT_EQ(MaxFileTextCells(5000), 2u);
}

// Chinese characters take twice the room of Latin letters.
TEST(FileTextDecoding, WideCharactersCountTwice)
{
    EXPECT_EQ(DecodeFileText("ab\xE6\x84\x9F\xE8\xB0\xA2", true, 5, kManyLines).text, L"ab\u611F");
    EXPECT_EQ(DecodeFileText("\xEF\xBF\xA0\xEA\xB0\x80\xE3\x80\x80", true, 5, kManyLines).text, L"\uFFE0\uAC00");
    EXPECT_EQ(DecodeFileEnd("x\n\xE6\x84\x9F\xE8\xB0\xA2!", false, true, 4, kManyLines).text, L"\u8C22!");
    // The first of the other wide ranges: compatibility forms, full-width forms, Hangul
    // initials, compatibility ideographs.
    EXPECT_EQ(DecodeFileText("\xEF\xB8\xB0\xEF\xBC\x81\xE1\x84\x80", true, 5, kManyLines).text, L"\uFE30\uFF01");
    EXPECT_EQ(DecodeFileText("\xEF\xA4\x80\xE1\x84\x80" "a", true, 4, kManyLines).text, L"\uF900\u1100");
}

std::string GiftLog(int first, int last)
{
    std::string log;
    char line[64];
    for (int i = first; i <= last; ++i)
        log.append(line, std::snprintf(line, sizeof line, "\xE6\x84\x9F\xE8\xB0\xA2 %05d gift\r\n", i));
    return log;
}

std::wstring WideLog(int first, int last)
{
    std::wstring log;
    for (int i = first; i <= last; ++i) {
        wchar_t line[32];
        std::swprintf(line, 32, L"\u611F\u8C22 %05d gift\r\n", i);
        log += line;
    }
    return log;
}

// A growing log shows its newest whole lines: a read from its end begins inside a line
// (here inside a character), which is left out.
TEST(FileTextDecoding, TheEndOfALogKeepsItsNewestWholeLines)
{
    const std::string log = GiftLog(1, 10000);
    const FileText end = DecodeFileEnd(std::string_view(log).substr(log.size() - 1003), false, false, 4096, 9);
    EXPECT_EQ(end.text, WideLog(9992, 10000));
    EXPECT_EQ(end.cut, FileText::Cut::Lines);
    // The characters' limit also keeps whole lines; a final line without a line feed counts.
    const FileText units = DecodeFileEnd(log.substr(log.size() - 1002, 1000), false, false, 33, 100);
    EXPECT_EQ(units.text, WideLog(9999, 9999) + L"\u611F\u8C22 10000 gift");
    EXPECT_EQ(units.cut, FileText::Cut::Units);
    // A short file read whole is not cut; blank lines are lines.
    const FileText whole = DecodeFileEnd("a\n\nb\n", false, true, 100, 3);
    EXPECT_EQ(whole.text, L"a\n\nb\n");
    EXPECT_EQ(whole.cut, FileText::Cut::None);
    EXPECT_EQ(DecodeFileEnd("a\n\nb\n", false, true, 100, 2).text, L"\nb\n");
    // One line longer than the limit keeps its end, never half a surrogate pair.
    EXPECT_EQ(DecodeFileEnd("old\nabcdef\n", false, true, 4, 10).text, L"def\n");
    EXPECT_EQ(DecodeFileEnd("x\xF0\x9F\x98\x80yz", false, true, 3, 10).text, L"yz");
    // UTF-16 after its mark; a NUL ends the text.
    const std::string wide("a\0\n\0b\0\n\0c\0\0\0d\0", 14);
    EXPECT_EQ(DecodeFileEnd(wide, true, true, 100, 1).text, L"c");
    EXPECT_EQ(DecodeFileEnd(wide, true, false, 100, 100).text, L"b\nc");
}

// Only the start of a file is read, and one byte more tells whether there is more.
TEST(FileTextReading, ReadsTheStartAndTellsWhetherTheFileGoesOn)
{
    TempFolder folder;
    const std::wstring path = folder / L"start.txt";
    const std::size_t readBytes = FileTextReadBytes(100);
    ASSERT_TRUE(WriteFileBytes(path, std::string(readBytes, 'a')));
    FileStart start = ReadFileStart(path.c_str(), readBytes);
    EXPECT_EQ(start.result, FileStart::Result::Read);
    EXPECT_EQ(start.bytes.size(), readBytes);
    EXPECT_TRUE(start.whole);

    ASSERT_TRUE(AppendFileBytes(path, "b"));
    start = ReadFileStart(path.c_str(), readBytes);
    EXPECT_EQ(start.bytes, std::string(readBytes, 'a'));
    EXPECT_FALSE(start.whole);
    EXPECT_EQ(ReadFileStart((folder / L"none.txt").c_str(), readBytes).result, FileStart::Result::NotOpened);
    // Under Wine the Linux file /proc/self/mem opens, and reading its first page fails.
    start = ReadFileStart(L"Z:\\proc\\self\\mem", readBytes);
    EXPECT_EQ(start.result, FileStart::Result::ReadFailed);
    EXPECT_TRUE(start.bytes.empty());
    EXPECT_NE(start.error, 0u);
    const FileEnd end = ReadFileEnd(L"Z:\\proc\\self\\mem", readBytes);
    EXPECT_EQ(end.result, FileStart::Result::ReadFailed);
    EXPECT_NE(end.error, 0u);
}

// The end of a file is read after its byte-order mark, UTF-16 from a whole unit.
TEST(FileTextReading, ReadsTheEndAfterTheMark)
{
    TempFolder folder;
    const std::wstring path = folder / L"end.txt";
    ASSERT_TRUE(WriteFileBytes(path, "\xEF\xBB\xBFhello"));
    FileEnd end = ReadFileEnd(path.c_str(), 5);
    EXPECT_EQ(end.result, FileStart::Result::Read);
    EXPECT_EQ(end.bytes, "hello");
    EXPECT_FALSE(end.utf16);
    EXPECT_TRUE(end.fromStart);
    end = ReadFileEnd(path.c_str(), 4);
    EXPECT_EQ(end.bytes, "ello");
    EXPECT_FALSE(end.fromStart);

    ASSERT_TRUE(WriteFileBytes(path, std::string("\xFF\xFE" "a\0b\0c\0", 8)));
    end = ReadFileEnd(path.c_str(), 3);
    EXPECT_EQ(end.bytes, std::string("c\0", 2));
    EXPECT_TRUE(end.utf16);
    EXPECT_FALSE(end.fromStart);
    end = ReadFileEnd(path.c_str(), 6);
    EXPECT_EQ(end.bytes, std::string("a\0b\0c\0", 6));
    EXPECT_TRUE(end.fromStart);
    EXPECT_EQ(ReadFileEnd((folder / L"none.txt").c_str(), 6).result, FileStart::Result::NotOpened);
    // A file of the mark alone is empty UTF-16.
    ASSERT_TRUE(WriteFileBytes(path, "\xFF\xFE"));
    end = ReadFileEnd(path.c_str(), 6);
    EXPECT_TRUE(end.utf16);
    EXPECT_EQ(end.bytes, "");
}
