#include "companion/blockwriter/BlockFormat.h"
#include "companion/publish/PublishPlan.h"
#include "link/blocks/StyleBlock.h"
#include "link/blocks/TextBlock.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::optional<PublishPlan> Parse(std::vector<std::u16string> arguments)
{
    std::string error;
    auto plan = ParsePublishArguments(arguments, error);
    EXPECT_EQ(plan.has_value(), error.empty()) << error;
    return plan;
}

} // namespace

TEST(TextBlockFormat, AnnouncesTheLinesTheReaderWillFind)
{
    std::string error;
    // An empty line, a line with its own break and a "|"-only line all fold on the way.
    const auto text = FormatTextBlock(3, 1, {u"one", u"", u"two\nthree", u"|"}, error);
    ASSERT_TRUE(text) << error;
    EXPECT_EQ(*text, u"3|1|3|one\r\n\r\ntwo\nthree\r\n|");
    const auto block = DecodeTextBlock(*text, -1);
    ASSERT_TRUE(block);
    EXPECT_TRUE(block->LineCheckPassed());
}

TEST(TextBlockFormat, RefusesBlocksTheReaderWouldNotShow)
{
    std::string error;
    EXPECT_FALSE(FormatTextBlock(-1, 0, {u"x"}, error));
    EXPECT_FALSE(FormatTextBlock(1, 0, {u"\r\n", u""}, error));
    EXPECT_FALSE(FormatTextBlock(1, 0, {std::u16string(1100, u'x')}, error));
    std::u16string pieces;
    for (int i = 0; i < 62; ++i)
        pieces += u"p|";
    EXPECT_FALSE(FormatTextBlock(1, 0, {pieces}, error));
    EXPECT_FALSE(error.empty());
}

TEST(StyleBlockFormat, RoundTripsThroughTheReader)
{
    StyleNumbers numbers{};
    for (std::size_t i = 0; i < numbers.size(); ++i)
        numbers[i] = static_cast<std::int32_t>(i) - 10;
    numbers[1] = static_cast<std::int32_t>(0xFF00FF00u);
    std::string error;
    const auto text = FormatStyleBlock(8, u"Microsoft YaHei", numbers, error);
    ASSERT_TRUE(text) << error;
    const auto block = DecodeStyleBlock(*text, -1);
    ASSERT_TRUE(block);
    EXPECT_EQ(block->font, u"Microsoft YaHei");
    EXPECT_EQ(block->numbers, numbers);
}

TEST(StyleBlockFormat, RefusesFontsTheReaderCannotTake)
{
    std::string error;
    EXPECT_FALSE(FormatStyleBlock(1, u"", StyleNumbers{}, error));
    EXPECT_FALSE(FormatStyleBlock(1, u"A|B", StyleNumbers{}, error));
}

TEST(PublishArguments, TextTakesLinesUpToTheNextOption)
{
    const auto plan = Parse({u"--text", u"4", u"2", u"a b", u"c", u"--scene", u"{S}", u"--hold", u"0"});
    ASSERT_TRUE(plan);
    EXPECT_EQ(plan->sceneGuid, u"{S}");
    ASSERT_EQ(plan->steps.size(), 1u);
    EXPECT_EQ(plan->steps[0].block, u"4|2|2|a b\r\nc");
    EXPECT_EQ(plan->holdSeconds, 0u);
}

TEST(PublishArguments, HoldsUntilKilledByDefault)
{
    const auto plan = Parse({u"--scene", u"{S}", u"--text-block", u"1|0|1|a\\r\\nb"});
    ASSERT_TRUE(plan);
    EXPECT_FALSE(plan->holdSeconds);
    EXPECT_EQ(plan->steps[0].block, u"1|0|1|a\r\nb");
}

TEST(PublishArguments, RejectsIncompleteOrConflictingRequests)
{
    std::string error;
    EXPECT_FALSE(ParsePublishArguments({u"--text", u"1", u"0", u"x"}, error));
    EXPECT_FALSE(ParsePublishArguments({u"--scene", u"{S}"}, error));
    EXPECT_FALSE(ParsePublishArguments({u"--scene", u"{S}", u"--text-block", u"a", u"--style-block", u"b"}, error));
    EXPECT_FALSE(ParsePublishArguments({u"--scene", u"{S}", u"--text", u"x", u"0", u"line"}, error));
    EXPECT_FALSE(ParsePublishArguments({u"--scene", u"{S}", u"--text-block", u"a", u"--hold", u"-1"}, error));
    EXPECT_FALSE(ParsePublishArguments({u"--scene", u"{S}", u"--text-block", u"a", u"--bogus"}, error));
    EXPECT_FALSE(ParsePublishArguments({u"--scene", u"{S}", u"--text-block", u"a\\q"}, error));
    EXPECT_EQ(error.find('\n'), std::string::npos);
    // An empty block would only wipe what the reader shows.
    EXPECT_FALSE(ParsePublishArguments({u"--scene", u"{S}", u"--style-block", u""}, error));
    EXPECT_EQ(error, "--style-block: the block text is empty");
    EXPECT_FALSE(ParsePublishArguments({u"--scene", u"{S}", u"--text-block", u""}, error));
    EXPECT_EQ(error, "--text-block: the block text is empty");
}

TEST(PublishArguments, NumbersAreDecimalOrHexPatterns)
{
    EXPECT_EQ(ParseArgumentNumber(u"-2147483648"), INT32_MIN);
    EXPECT_EQ(ParseArgumentNumber(u"0xFFFFFFFF"), -1);
    EXPECT_EQ(ParseArgumentNumber(u"+7"), 7);
    EXPECT_FALSE(ParseArgumentNumber(u"2147483648"));
    EXPECT_FALSE(ParseArgumentNumber(u"0x100000000"));
    EXPECT_FALSE(ParseArgumentNumber(u"12abc"));
    EXPECT_FALSE(ParseArgumentNumber(u"-"));
}

TEST(PublishScript, ReadsStepsAndNamesTheFaultyLine)
{
    std::string error;
    const auto steps = ParsePublishScript(
        u"# comment\r\n\r\ntext 1 0 \"say \\\"hi\\\"\" two\r\nwait 250\nstyle-block 2|raw\\u4E2D\n", error);
    ASSERT_TRUE(steps) << error;
    ASSERT_EQ(steps->size(), 3u);
    EXPECT_EQ((*steps)[0].block, u"1|0|2|say \"hi\"\r\ntwo");
    EXPECT_EQ((*steps)[1].waitMilliseconds, 250u);
    EXPECT_EQ((*steps)[2].kind, PublishStep::Kind::Style);
    EXPECT_EQ((*steps)[2].block, u"2|raw\u4E2D");

    EXPECT_FALSE(ParsePublishScript(u"wait 1\nwait\n", error));
    EXPECT_EQ(error.rfind("script line 2", 0), 0u) << error;
    EXPECT_FALSE(ParsePublishScript(u"text 1 0 \"open", error));
    EXPECT_FALSE(ParsePublishScript(u"jump 3", error));
    EXPECT_FALSE(ParsePublishScript(u"wait 5\ntext-block \n", error));
    EXPECT_EQ(error, "script line 2: the block text is empty");

    // A NUL read from the file, in a line or raw, would end the written block early.
    EXPECT_FALSE(ParsePublishScript(std::u16string(u"text 1 0 \"a\0b\"", 14), error));
    EXPECT_EQ(error, "script line 1: block text holds a NUL at unit 7");
    EXPECT_FALSE(ParsePublishScript(std::u16string(u"style-block 2|x\0", 16), error));
    EXPECT_EQ(error, "script line 1: block text holds a NUL at unit 3");
}

TEST(PublishScript, WithoutAnyBlockIsRefused)
{
    std::string error;
    EXPECT_FALSE(ParsePublishScript(u"", error));
    EXPECT_EQ(error, "the script writes no block");
    EXPECT_FALSE(ParsePublishScript(u"# only a comment\r\n\r\nwait 100\r\n", error));
    EXPECT_EQ(error, "the script writes no block");
}
