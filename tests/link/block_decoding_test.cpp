#include "link/blocks/StyleBlock.h"
#include "link/blocks/TextBlock.h"

#include <gtest/gtest.h>

#include <string>

namespace {

constexpr std::int32_t kNothingTaken = -1;

std::u16string ShownText(const TextBlock &block)
{
    std::u16string text;
    for (std::size_t i = 0; i < block.lines.Kept(); ++i) {
        if (i > 0)
            text += u"\r\n";
        text += block.Line(i);
    }
    return text;
}

// A complete style block: sequence, font, then the numbers 100, 101, ... 120.
std::u16string StyleText(std::u16string_view sequence, std::u16string_view font)
{
    std::u16string text = std::u16string(sequence) + u"|" + std::u16string(font);
    for (int value = 100; value < 121; ++value) {
        text += u"|";
        for (char c : std::to_string(value))
            text += static_cast<char16_t>(c);
    }
    return text;
}

} // namespace

TEST(TextBlockDecoding, FirstBlockNumberedMinusOneIsNeverTaken)
{
    EXPECT_FALSE(DecodeTextBlock(u"-1|0|1|x", kNothingTaken));
}

TEST(TextBlockDecoding, ZeroOrNegativeLineCountNeverPasses)
{
    const auto zero = DecodeTextBlock(u"8|0|0|\r\n", kNothingTaken);  // payload of one line break
    ASSERT_TRUE(zero);
    EXPECT_EQ(zero->lines.count, 0u);
    EXPECT_FALSE(zero->LineCheckPassed());
    EXPECT_FALSE(DecodeTextBlock(u"8|0|-1|a", kNothingTaken)->LineCheckPassed());
}

TEST(TextBlockDecoding, SeparatorRunsInsideThePayloadArriveAsOne)
{
    const auto block = DecodeTextBlock(u"9|0|1|a||b", kNothingTaken);
    ASSERT_TRUE(block);
    EXPECT_TRUE(block->LineCheckPassed());
    EXPECT_EQ(ShownText(*block), u"a|b");
}

TEST(TextBlockDecoding, FewerThanFourUnitsIsRefusedUnparsed)
{
    EXPECT_FALSE(DecodeTextBlock(u"1|2", kNothingTaken));
    EXPECT_FALSE(DecodeTextBlock(u"", kNothingTaken));
}

TEST(TextBlockDecoding, SixtyFourFieldsAreTakenAndMoreAreRefused)
{
    std::u16string text = u"11|0|1|";
    for (int i = 3; i < 64; ++i)
        text += u"p|";
    const auto block = DecodeTextBlock(text, kNothingTaken);
    ASSERT_TRUE(block);
    EXPECT_EQ(block->payload.size(), 61u * 2 - 1);
    EXPECT_TRUE(block->LineCheckPassed());

    text += u"extra";  // the 65th field
    EXPECT_FALSE(DecodeTextBlock(text, kNothingTaken));
}

TEST(TextBlockDecoding, MoreThanSixtyFourLinesAreCountedButSixtyFourShown)
{
    std::u16string text = u"12|0|70|";
    for (int i = 0; i < 70; ++i)
        text += u"L\r\n";
    const auto block = DecodeTextBlock(text, kNothingTaken);
    ASSERT_TRUE(block);
    EXPECT_EQ(block->lines.count, 70u);
    EXPECT_TRUE(block->LineCheckPassed());
    EXPECT_EQ(block->lines.Kept(), 64u);
    EXPECT_EQ(ShownText(*block).size(), 64u + 63u * 2);
}

TEST(StyleBlockDecoding, CompleteBlockGivesFontAndAllNumbersInOrder)
{
    const auto block = DecodeStyleBlock(StyleText(u"5", u"Microsoft YaHei"), kNothingTaken);
    ASSERT_TRUE(block);
    EXPECT_EQ(block->sequence, 5);
    EXPECT_EQ(block->font, u"Microsoft YaHei");
    for (std::size_t i = 0; i < kStyleNumberCount; ++i)
        EXPECT_EQ(block->numbers[i], static_cast<std::int32_t>(100 + i)) << "number " << i;
}

TEST(StyleBlockDecoding, EmptyFontLeavesTooFewFields)
{
    EXPECT_FALSE(DecodeStyleBlock(StyleText(u"5", u""), kNothingTaken));
}

TEST(StyleBlockDecoding, ExtraFieldsAreIgnoredUpToTheSlotLimit)
{
    std::u16string text = StyleText(u"6", u"Arial") + u"|999";
    const auto block = DecodeStyleBlock(text, kNothingTaken);
    ASSERT_TRUE(block);
    EXPECT_EQ(block->numbers.back(), 120);

    for (std::size_t fields = 24; fields <= kMaxBlockFields; ++fields)
        text += u"|x";
    EXPECT_FALSE(DecodeStyleBlock(text, kNothingTaken));  // 65 fields
}

TEST(StyleBlockDecoding, NumbersFollowTheRuntimeRules)
{
    std::u16string text = u"7|Arial|12abc|-16777216";
    for (int i = 0; i < 19; ++i)
        text += u"|x";
    const auto block = DecodeStyleBlock(text, kNothingTaken);
    ASSERT_TRUE(block);
    EXPECT_EQ(block->numbers[0], 12);
    EXPECT_EQ(block->numbers[1], static_cast<std::int32_t>(0xFF000000u));
    EXPECT_EQ(block->numbers[2], 0);
}
