#include "link/blocks/BlockNumber.h"
#include "link/blocks/BlockText.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

namespace {

std::vector<std::u16string> Fields(std::u16string_view text)
{
    const BlockFields fields = SplitBlockFields(text);
    std::vector<std::u16string> result;
    for (std::size_t i = 0; i < fields.count && i < kMaxBlockFields; ++i)
        result.emplace_back(fields.field[i]);
    return result;
}

std::vector<std::u16string> Lines(std::u16string_view text)
{
    const BlockLines lines = SplitBlockLines(text);
    std::vector<std::u16string> result;
    for (std::size_t i = 0; i < lines.Kept(); ++i)
        result.emplace_back(text.substr(lines.line[i].offset, lines.line[i].length));
    return result;
}

// A 2048-byte block image holding text as UTF-16LE, the rest filled with fill.
std::vector<unsigned char> Image(std::u16string_view text, unsigned char fill = 0)
{
    std::vector<unsigned char> image(kBlockBytes, fill);
    for (std::size_t i = 0; i < text.size(); ++i) {
        image[2 * i] = static_cast<unsigned char>(text[i] & 0xFF);
        image[2 * i + 1] = static_cast<unsigned char>(text[i] >> 8);
    }
    return image;
}

} // namespace

TEST(BlockNumber, ReadsLikeTheRuntime)
{
    EXPECT_EQ(ParseBlockNumber(u"42"), 42);
    EXPECT_EQ(ParseBlockNumber(u"-17"), -17);
    EXPECT_EQ(ParseBlockNumber(u"+5"), 5);
    EXPECT_EQ(ParseBlockNumber(u" \t\r\n\v\f9"), 9);
    EXPECT_EQ(ParseBlockNumber(u"12abc"), 12);
    EXPECT_EQ(ParseBlockNumber(u"007"), 7);
}

TEST(BlockNumber, NoDigitsGivesZero)
{
    EXPECT_EQ(ParseBlockNumber(u""), 0);
    EXPECT_EQ(ParseBlockNumber(u"abc"), 0);
    EXPECT_EQ(ParseBlockNumber(u"-"), 0);
    EXPECT_EQ(ParseBlockNumber(u"+-3"), 0);
    EXPECT_EQ(ParseBlockNumber(u"- 3"), 0);
}

TEST(BlockNumber, SaturatesAtTheEndsOfTheRange)
{
    EXPECT_EQ(ParseBlockNumber(u"2147483647"), INT32_MAX);
    EXPECT_EQ(ParseBlockNumber(u"2147483648"), INT32_MAX);
    EXPECT_EQ(ParseBlockNumber(u"-2147483648"), INT32_MIN);
    EXPECT_EQ(ParseBlockNumber(u"-2147483649"), INT32_MIN);
    EXPECT_EQ(ParseBlockNumber(u"99999999999999999999999999999999"), INT32_MAX);
    // A colour with its top bit set travels as its signed value.
    EXPECT_EQ(ParseBlockNumber(u"-16777216"), static_cast<std::int32_t>(0xFF000000u));
}

TEST(BlockFieldSplit, CollapsesRunsAndDropsEndSeparators)
{
    EXPECT_EQ(Fields(u"a|b|c"), (std::vector<std::u16string>{u"a", u"b", u"c"}));
    EXPECT_EQ(Fields(u"||a|||b||"), (std::vector<std::u16string>{u"a", u"b"}));
    EXPECT_EQ(Fields(u"|||"), std::vector<std::u16string>{});
    EXPECT_EQ(Fields(u""), std::vector<std::u16string>{});
}

TEST(BlockFieldSplit, JoinRebuildsThePayloadWithSingleSeparators)
{
    const BlockFields fields = SplitBlockFields(u"1|2|3|a||b|||c|");
    EXPECT_EQ(JoinBlockFields(fields, 3), u"a|b|c");
    EXPECT_EQ(JoinBlockFields(fields, 6), u"");
    EXPECT_EQ(JoinBlockFields(fields, 10), u"");
}

TEST(BlockLineSplit, SplitsAtRunsOfCarriageReturnsAndLineFeeds)
{
    EXPECT_EQ(Lines(u"a\r\nb"), (std::vector<std::u16string>{u"a", u"b"}));
    EXPECT_EQ(Lines(u"\r\na\r\n\r\nb\n\rc\rd\n"),
              (std::vector<std::u16string>{u"a", u"b", u"c", u"d"}));
    EXPECT_EQ(Lines(u"\r\n\n"), std::vector<std::u16string>{});
}

TEST(BlockCopy, StopsAtTheTerminator)
{
    const auto image = Image(u"7|1|1|hi", 0);
    std::u16string copy(kBlockUnits, u'#');
    const std::size_t length = CopyBlockText(image.data(), copy.data());
    EXPECT_EQ(copy.substr(0, length), u"7|1|1|hi");
    EXPECT_EQ(copy[length], u'#');  // nothing written past the text
}

TEST(BlockCopy, ReadsBlockWithoutTerminatorAsItsFullSize)
{
    const auto image = Image(u"1|2|3|", 'x');  // 0x7878 units to the end, no 0 unit
    std::u16string copy(kBlockUnits + 8, u'#');
    EXPECT_EQ(CopyBlockText(image.data(), copy.data()), kBlockUnits);
    EXPECT_EQ(copy[kBlockUnits - 1], char16_t{0x7878});
    EXPECT_EQ(copy[kBlockUnits], u'#');
}

// The second look of a reader: only the same units followed by the terminator match.
TEST(BlockCopy, SecondLookMatchesOnlyTheSameTextAndTerminator)
{
    const auto image = Image(u"7|1|1|hi", 0);
    EXPECT_TRUE(BlockHoldsText(image.data(), u"7|1|1|hi"));
    EXPECT_FALSE(BlockHoldsText(image.data(), u"7|1|1|ho"));
    EXPECT_FALSE(BlockHoldsText(image.data(), u"7|1|1|h"));   // the text went on
    EXPECT_FALSE(BlockHoldsText(image.data(), u"7|1|1|hi!")); // the text ended sooner
    EXPECT_FALSE(BlockHoldsText(Image(u"", 0).data(), u"7"));

    const auto full = Image(u"1|2|3|", 'x');
    std::u16string whole(kBlockUnits, char16_t{0x7878});
    whole.replace(0, 6, u"1|2|3|");
    EXPECT_TRUE(BlockHoldsText(full.data(), whole));
}
