#include "companion/plauditor/LogFile.h"

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
