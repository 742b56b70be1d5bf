#include "companion/plauditor/TextComposition.h"
#include "link/blocks/TextBlock.h"

#include <gtest/gtest.h>

namespace {

constexpr std::int32_t kNothingTaken = -1;

std::optional<std::u16string> Compose(std::int32_t sequence, const std::vector<std::u16string> &lines)
{
    std::string error;
    auto text = ComposeTextBlock(sequence, lines, error);
    if (!text) {
        EXPECT_FALSE(error.empty());
    }
    return text;
}

// What the plug-in would show for the block: its lines, or nothing when it would refuse it.
std::optional<std::vector<std::u16string>> Shown(const std::u16string &text)
{
    const auto block = DecodeTextBlock(text, kNothingTaken);
    if (!block || !block->LineCheckPassed())
        return std::nullopt;
    std::vector<std::u16string> lines;
    for (std::size_t i = 0; i < block->lines.Kept(); ++i)
        lines.emplace_back(block->Line(i));
    return lines;
}

} // namespace

TEST(TextBlockComposition, WritesSequenceModeCountAndLines)
{
    EXPECT_EQ(Compose(42, {u"感谢 A", u"感谢 B"}), u"42|0|2|感谢 A\r\n感谢 B");
}

TEST(TextBlockComposition, CountMatchesTheLinesTheReaderFinds)
{
    const auto text = Compose(9, {u"a|b", u"", u"  ", u"c\r\nd", u"||e"});
    ASSERT_TRUE(text);
    const auto lines = Shown(*text);
    ASSERT_TRUE(lines);
    EXPECT_EQ(*lines, (std::vector<std::u16string>{u"a\uFF5Cb", u"c  d", u"\uFF5C\uFF5Ce"}));
}

TEST(TextBlockComposition, NothingToPublishWithoutANonEmptyLine)
{
    EXPECT_FALSE(Compose(3, {}));
    EXPECT_FALSE(Compose(3, {u"", u" \r\n "}));
}

TEST(TextBlockComposition, NeverUsesTheReadersStartNumber)
{
    EXPECT_FALSE(Compose(-1, {u"hello"}));
    EXPECT_TRUE(Compose(-2, {u"hello"}));
}

TEST(TextBlockComposition, OldestLinesDropFirstWhenTheBlockIsFull)
{
    std::vector<std::u16string> lines;
    for (char16_t c = u'a'; c <= u'e'; ++c)
        lines.push_back(std::u16string(300, c));
    const auto text = Compose(12345, lines);
    ASSERT_TRUE(text);
    EXPECT_LE(text->size(), 1023u);
    const auto shown = Shown(*text);
    ASSERT_TRUE(shown);
    EXPECT_EQ(*shown, (std::vector<std::u16string>{lines[2], lines[3], lines[4]}));
}

TEST(TextBlockComposition, BudgetIsExactly1023Units)
{
    // "5|0|2|" + 500 + CR LF + 515 = 1023 units: both lines fit.
    const std::u16string older(500, u'o');
    const auto full = Compose(5, {older, std::u16string(515, u'n')});
    ASSERT_TRUE(full);
    EXPECT_EQ(full->size(), 1023u);
    EXPECT_EQ(Shown(*full)->size(), 2u);

    // One unit more and the older line goes.
    const auto over = Compose(5, {older, std::u16string(516, u'n')});
    ASSERT_TRUE(over);
    EXPECT_EQ(*Shown(*over), std::vector<std::u16string>{std::u16string(516, u'n')});
}

TEST(TextBlockComposition, ASingleLineTooLongIsCut)
{
    const auto text = Compose(77, {u"older", std::u16string(2000, u'x')});
    ASSERT_TRUE(text);
    EXPECT_EQ(text->size(), 1023u);
    const auto shown = Shown(*text);
    ASSERT_TRUE(shown);
    ASSERT_EQ(shown->size(), 1u);
    EXPECT_EQ(shown->front().back(), u'…');
}

TEST(TextBlockComposition, CutNeverSplitsASurrogatePair)
{
    std::u16string faces;
    for (int i = 0; i < 600; ++i)
        faces += u"\U0001F600";
    for (std::size_t units = 2; units < 8; ++units) {
        const std::u16string cut = CutToUnits(faces, units);
        EXPECT_LE(cut.size(), units);
        EXPECT_EQ(cut.back(), u'…');
        const char16_t beforeEllipsis = cut[cut.size() - 2];
        EXPECT_FALSE(beforeEllipsis >= 0xD800 && beforeEllipsis <= 0xDBFF) << "cut to " << units;
    }
    EXPECT_EQ(CutToUnits(u"short", 10), u"short");
}
