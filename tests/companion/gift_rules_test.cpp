// The gift rules on a clock the test moves by hand: combos merged into one line up to the
// window's edge, per-gift lines and minimums, lines leaving one by one, and settings files
// written before these rules existed still showing every gift as its own line.
#include "companion/plauditor/ScreenLines.h"
#include "companion/plauditor/TextComposition.h"
#include "link/blocks/TextBlock.h"

#include <gtest/gtest.h>

namespace {

using Lines = std::vector<std::u16string>;

PlauditorSettings Rules(std::string_view json)
{
    std::vector<std::string> warnings;
    std::string error;
    const auto settings = ParseSettings(json, warnings, error);
    EXPECT_TRUE(settings) << error;
    EXPECT_EQ(warnings, std::vector<std::string>{});
    return settings.value_or(PlauditorSettings{});
}

GiftEvent Gift(std::u16string user, std::u16string gift, std::uint64_t count = 1) { return {user, gift, count}; }

} // namespace

TEST(GiftRules, ACombosTenRocketsAmongOtherViewersMakeOneLine)
{
    const PlauditorSettings settings = Rules(R"({"comboSeconds": 3})");
    ScreenLines screen;
    screen.Add(Gift(u"Alice", u"鲜花", 5), settings, 0);
    for (int i = 0; i < 10; ++i)
        screen.Add(Gift(u"小明", u"火箭"), settings, 100 + i * 300);
    screen.Add(Gift(u"小红", u"小心心", 2), settings, 3000);
    EXPECT_EQ(screen.OldestFirst(), (Lines{u"感谢 Alice 送出的 5 个 鲜花", u"感谢 小明 送出的 10 个 火箭",
                                           u"感谢 小红 送出的 2 个 小心心"}));
}

TEST(GiftRules, ComboWindowEndsAtTheEdgeAndTwoViewersInterleaveApart)
{
    const PlauditorSettings settings = Rules(R"({"comboSeconds": 3, "recentLines": 5})");
    ScreenLines screen;
    EXPECT_EQ(screen.Add(Gift(u"A", u"花"), settings, 0), ScreenLines::Outcome::Added);
    EXPECT_EQ(screen.Add(Gift(u"B", u"花"), settings, 10), ScreenLines::Outcome::Added);
    EXPECT_EQ(screen.Add(Gift(u"A", u"花"), settings, 3000), ScreenLines::Outcome::Merged);  // exactly 3 s
    EXPECT_EQ(screen.Add(Gift(u"B", u"花", 4), settings, 3010), ScreenLines::Outcome::Merged);
    EXPECT_EQ(screen.Add(Gift(u"A", u"花"), settings, 6001), ScreenLines::Outcome::Added);  // 3.001 s after its last
    EXPECT_EQ(screen.Add(Gift(u"", u"花"), settings, 6002), ScreenLines::Outcome::Added);
    EXPECT_EQ(screen.Add(Gift(u"", u"花"), settings, 6003), ScreenLines::Outcome::Added);  // anonymous: never merged
    EXPECT_EQ(screen.OldestFirst(), (Lines{u"感谢 A 送出的 2 个 花", u"感谢 B 送出的 5 个 花", u"感谢 A 送出的 1 个 花",
                                           u"感谢 神秘人 送出的 1 个 花", u"感谢 神秘人 送出的 1 个 花"}));
}

TEST(GiftRules, GiftsWithTheirOwnLineAndMinimums)
{
    const PlauditorSettings settings = Rules(R"({"minCount": 10, "gifts": {
        "火箭": {"template": "{user} 的 {gift} ×{count}!", "minCount": 1},
        "跑车": {"template": "{user} 开来了 {count} 辆跑车"}}})");
    ScreenLines screen;
    EXPECT_EQ(screen.Add(Gift(u"A", u"鲜花", 9), settings, 0), ScreenLines::Outcome::Hidden);
    EXPECT_EQ(screen.Add(Gift(u"B", u"鲜花", 10), settings, 0), ScreenLines::Outcome::Added);
    EXPECT_EQ(screen.Add(Gift(u"C", u"火箭", 1), settings, 0), ScreenLines::Outcome::Added);
    EXPECT_EQ(screen.Add(Gift(u"D", u"跑车", 2), settings, 0), ScreenLines::Outcome::Hidden);  // the global minimum
    EXPECT_EQ(screen.OldestFirst(), (Lines{u"感谢 B 送出的 10 个 鲜花", u"C 的 火箭 ×1!"}));
}

TEST(GiftRules, LinesLeaveOneByOneAfterTheirLastEventUntilTheScreenIsEmpty)
{
    const PlauditorSettings settings = Rules(R"({"lineSeconds": 5, "comboSeconds": 3})");
    ScreenLines screen;
    screen.Add(Gift(u"A", u"花"), settings, 0);
    screen.Add(Gift(u"B", u"花"), settings, 1000);
    screen.Add(Gift(u"C", u"花"), settings, 2000);
    screen.Add(Gift(u"A", u"花"), settings, 2500);  // a combo keeps A's line up longer
    EXPECT_EQ(screen.UntilLeaving(settings, 5000), 1000);  // the main loop wakes for B's line
    EXPECT_FALSE(screen.Expire(settings, 5999));
    EXPECT_TRUE(screen.Expire(settings, 6000));
    EXPECT_EQ(screen.OldestFirst(), (Lines{u"感谢 A 送出的 2 个 花", u"感谢 C 送出的 1 个 花"}));
    EXPECT_TRUE(screen.Expire(settings, 7000));
    EXPECT_EQ(screen.OldestFirst(), (Lines{u"感谢 A 送出的 2 个 花"}));
    EXPECT_EQ(screen.UntilLeaving(settings, 7600), 0);
    EXPECT_TRUE(screen.Expire(settings, 7500));
    EXPECT_EQ(screen.OldestFirst(), Lines{});
    EXPECT_EQ(screen.UntilLeaving(settings, 7600), std::nullopt);

    // The empty screen's block is taken by the plug-in and shows no line.
    const auto block = DecodeTextBlock(EmptyTextBlock(41), -1);
    ASSERT_TRUE(block);
    EXPECT_EQ(block->sequence, 41);
    EXPECT_FALSE(block->LineCheckPassed());
}

TEST(GiftRules, ASettingsFileFromBeforeTheRulesShowsEveryGiftAsItsOwnLine)
{
    const PlauditorSettings settings = Rules(R"({"eventsFile": "events.jsonl", "listenPort": 0, "httpPort": 0,
        "template": "感谢 {user} 送出的 {count} 个 {gift}", "recentLines": 3, "anonymousUser": "神秘人",
        "unnamedGift": "礼物", "style": {"font": "Microsoft YaHei", "fontSize": 48}})");
    EXPECT_EQ(settings.rules, GiftRules{});
    ScreenLines screen;
    for (int i = 1; i <= 4; ++i)
        screen.Add(Gift(u"小明", u"火箭"), settings, i);
    EXPECT_FALSE(screen.Expire(settings, 1'000'000'000));
    EXPECT_EQ(screen.UntilLeaving(settings, 4), std::nullopt);
    EXPECT_EQ(screen.OldestFirst(), Lines(3, u"感谢 小明 送出的 1 个 火箭"));
}
