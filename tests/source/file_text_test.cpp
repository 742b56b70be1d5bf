#include "source/FileText.h"

#include <gtest/gtest.h>

#include <string>

namespace {
constexpr unsigned kManyLines = 100;
}

TEST(FileTextDecoding, ReadsUtf8OrUtf16AsTheHostDoesUpToANul)
{
    EXPECT_EQ(DecodeFileText("\xEF\xBB\xBF" "a\xE5\xB0\x8F\xFF", true, 100, kManyLines).text, L"a\u5C0F\uFFFD");
    EXPECT_EQ(DecodeFileText(std::string("\xFF\xFE" "a\0\x0F\x5C" "b", 7), true, 100, kManyLines).text, L"a\u5C0F");
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
    // A surrogate pair across the limit goes whole.
    EXPECT_EQ(DecodeFileText("abc\xF0\x9F\x98\x80", true, 4, kManyLines).text, L"abc");
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
