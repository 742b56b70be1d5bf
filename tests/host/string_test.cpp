#include "host/OBSApi.h"
#include "hostlib/HostControl.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstring>

TEST(String, EmptyStringsEqualNullAndEmptyText)
{
    String defaulted;
    String fromEmpty(L"");
    String fromNull(static_cast<CTSTR>(nullptr));
    for (const String *s : {&defaulted, &fromEmpty, &fromNull}) {
        EXPECT_TRUE(s->IsEmpty());
        EXPECT_EQ(0u, s->Length());
        EXPECT_TRUE(*s == static_cast<CTSTR>(nullptr));
        EXPECT_TRUE(*s == L"");
        EXPECT_TRUE(*s == defaulted);
    }
    String text(L"a");
    EXPECT_FALSE(text == static_cast<CTSTR>(nullptr));
    EXPECT_TRUE(text != defaulted);
}

TEST(String, Utf8RoundTripKeepsChineseAndSurrogatePairs)
{
    const char *utf8 = "\xE6\x84\x9F\xE8\xB0\xA2 gift \xF0\x9F\x8E\x81";   // "感谢 gift 🎁"
    String text(utf8);
    EXPECT_TRUE(text == L"\u611F\u8C22 gift \U0001F381");
    EXPECT_EQ(10u, text.Length());
    char *back = text.CreateUTF8String();
    ASSERT_NE(nullptr, back);
    EXPECT_STREQ(utf8, back);
    Free(back);
}

TEST(String, CreateUTF8StringOfEmptyIsAnEmptyBlock)
{
    String empty;
    char *utf8 = empty.CreateUTF8String();
    ASSERT_NE(nullptr, utf8);
    EXPECT_STREQ("", utf8);
    Free(utf8);
    EXPECT_TRUE(String(static_cast<const char *>(nullptr)).IsEmpty());
}

TEST(String, SelfAssignmentAndSelfAppendKeepText)
{
    String text(L"abc");
    String &alias = text;
    text = alias;
    EXPECT_TRUE(text == L"abc");
    text = text.Array();
    EXPECT_TRUE(text == L"abc");
    text += text;
    EXPECT_TRUE(text == L"abcabc");
    text.AppendString(text.Array() + 4);
    EXPECT_TRUE(text == L"abcabcbc");
    text = text.Array() + 6;   // a tail of itself
    EXPECT_TRUE(text == L"bc");
}

TEST(String, AppendStringWithLengthStopsAtTerminator)
{
    String text(L"x");
    text.AppendString(L"abcdef", 3);
    EXPECT_TRUE(text == L"xabc");
    text.AppendString(L"yz", 10);
    EXPECT_TRUE(text == L"xabcyz");
    text.AppendString(nullptr);
    EXPECT_TRUE(text == L"xabcyz");
}

TEST(String, FindReplaceScansLeftToRightWithoutRescanning)
{
    String overlapping(L"aaaa");
    overlapping.FindReplace(L"aa", L"a");
    EXPECT_TRUE(overlapping == L"aa");

    String lineEnds(L"a\n\r\n\rb");
    lineEnds.FindReplace(L"\n\r", L"\n");
    EXPECT_TRUE(lineEnds == L"a\n\nb");

    String growing(L"$1 and $1");
    growing.FindReplace(L"$1", L"$1$1");
    EXPECT_TRUE(growing == L"$1$1 and $1$1");

    String removing(L"a-b-c");
    removing.FindReplace(L"-", nullptr);
    removing.FindReplace(L"", L"x");   // nothing to find
    EXPECT_TRUE(removing == L"abc");
}

TEST(String, InsertStringClampsPosition)
{
    String text(L"ac");
    text.InsertString(1, L"b");
    text.InsertString(100, L"d");
    EXPECT_TRUE(text == L"abcd");
}
