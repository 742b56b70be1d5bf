#include "companion/plauditor/LogFile.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

// Whatever a sender puts on a line, the log gets one line of valid UTF-8: bytes that are not
// UTF-8 become U+FFFD, control characters blanks, and a cut never halves a character.
TEST(LogLine, HoldsOnlyValidUtf8OnOneLine)
{
    EXPECT_EQ(OneLine("a\xFF" "b\xE5\xB0"), "a\xEF\xBF\xBD" "b\xEF\xBF\xBD");
    EXPECT_EQ(OneLine("\xC0\xAF\xED\xA0\x80"), "\xEF\xBF\xBD\xEF\xBF\xBD");  // overlong, surrogate
    EXPECT_EQ(OneLine("小\tx\r\n"), "小 x  ");
    EXPECT_EQ(OneLine("ab小c", 4), "ab...");
    EXPECT_EQ(OneLine("a小bc", 4), "a小...");
    EXPECT_EQ(OneLine("a小", 4), "a小");
}

// Rotated while running, not only at start: a companion logging a flood must not fill the
// disk. Two scenes' companions share the file: the one that did not move it follows to the
// new file instead of writing on into the old one.
TEST(LogFileRotation, MovesALogPastItsLimitAsideWhileRunning)
{
    const TempFolder folder;
    const std::wstring path = folder / L"p.log";
    LogFile one(path, "[1]", 1000), two(path, "[2]", 1000);
    for (int i = 0; i < 12; ++i)
        one.Line(std::string(100, 'a'));
    const std::string moved = ReadFileBytes(path + L".old");
    EXPECT_GT(moved.size(), 1000u);
    EXPECT_LT(ReadFileBytes(path).size(), 1000u);

    two.Line("first from two");  // written to the moved file, then two moves on
    two.Line("second from two");
    EXPECT_EQ(ReadFileBytes(path + L".old").find("second from two"), std::string::npos);
    EXPECT_NE(ReadFileBytes(path).find("second from two"), std::string::npos);

    EXPECT_TRUE(one.Writes(path + L".old"));
    EXPECT_TRUE(one.Writes(folder / L".\\P.LOG"));
    EXPECT_FALSE(one.Writes(folder / L"events.jsonl"));
}
