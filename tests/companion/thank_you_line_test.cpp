#include "companion/plauditor/GiftEvent.h"
#include "companion/plauditor/ThankYouLine.h"

#include <gtest/gtest.h>

namespace {

GiftEvent Event(std::u16string user, std::u16string gift, std::uint64_t count)
{
    return GiftEvent{std::move(user), std::move(gift), count};
}

std::optional<GiftEvent> Parse(std::string_view line)
{
    std::string error;
    auto event = ParseGiftEvent(line, error);
    if (!event) {
        EXPECT_FALSE(error.empty());
    }
    return event;
}

} // namespace

TEST(GiftEventLine, ReadsUserGiftAndCount)
{
    const auto event = Parse(R"({"user": "小明", "gift": "火箭", "count": 3})");
    ASSERT_TRUE(event);
    EXPECT_EQ(event->user, u"小明");
    EXPECT_EQ(event->gift, u"火箭");
    EXPECT_EQ(event->count, 3u);

    const auto escaped = Parse(R"({"user": "\u5c0f\ud83d\ude00", "gift": 520, "count": "2"})");
    ASSERT_TRUE(escaped);
    EXPECT_EQ(escaped->user, u"小\U0001F600");
    EXPECT_EQ(escaped->gift, u"520");
    EXPECT_EQ(escaped->count, 2u);
}

TEST(GiftEventLine, MissingCountIsOneAndMissingNamesAreEmpty)
{
    const auto event = Parse("\xEF\xBB\xBF{\"gift\": \"鲜花\"}");
    ASSERT_TRUE(event);
    EXPECT_TRUE(event->user.empty());
    EXPECT_EQ(event->count, 1u);
}

TEST(GiftEventLine, RejectsMalformedLines)
{
    EXPECT_FALSE(Parse(R"({"user": "a", "gift": "b", "count": 2)"));
    EXPECT_FALSE(Parse(R"(["a", "b", 2])"));
    EXPECT_FALSE(Parse("not json"));
    EXPECT_FALSE(Parse(R"({"user": "a", "gift": "b", "count": 0})"));
    EXPECT_FALSE(Parse(R"({"user": "a", "gift": "b", "count": -3})"));
    EXPECT_FALSE(Parse(R"({"user": "a", "gift": "b", "count": 1.5})"));
    EXPECT_FALSE(Parse(R"({"user": "a", "gift": "b", "count": "lots"})"));
    EXPECT_FALSE(Parse(R"({"user": {"name": "a"}, "gift": "b"})"));
    EXPECT_FALSE(Parse("{\"user\": \"\xFF\xFE\", \"gift\": \"b\"}"));
}

// A skipped line's reason names what is wrong with it, where it is, and no more.
TEST(GiftEventLine, NamesTheRealReasonForASkippedLine)
{
    const auto reason = [](std::string_view line) {
        std::string error;
        EXPECT_FALSE(ParseGiftEvent(line, error)) << line;
        return error;
    };
    EXPECT_EQ(reason("{\"user\": \"a\xFF\", \"gift\": \"b\"}"), "invalid UTF-8 at byte 11");
    EXPECT_EQ(reason("{\"user\": \"\xE5\xB0\", \"gift\": \"b\"}"), "invalid UTF-8 at byte 10");
    EXPECT_EQ(reason("{\"user\": \"\xED\xA0\x80\"}"), "invalid UTF-8 at byte 10");
    EXPECT_EQ(reason(std::string_view("{\"user\": \"a\0\", \"gift\": \"b\"}", 28)), "a NUL byte at byte 11");
    EXPECT_EQ(reason(std::string_view("{\"gift\": \"b\"}\0", 14)), "a NUL byte at byte 13");
    EXPECT_EQ(reason(R"({"user": "\ud83d", "gift": "b"})"), "an unpaired surrogate \\ud83d at byte 10");
    EXPECT_EQ(reason(R"({"user": "x\uDE00y"})"), "an unpaired surrogate \\uDE00 at byte 11");
    EXPECT_EQ(reason(R"({"user": "\ud83d\u0041"})"), "an unpaired surrogate \\ud83d at byte 10");
    EXPECT_EQ(reason(R"(["a", "b", 2])"), "not a JSON object");
    EXPECT_EQ(reason(R"({"user": "a", "gift": "b")"), "not a JSON object");
}

TEST(ThankYouLineText, FillsTheDefaultTemplate)
{
    EXPECT_EQ(ThankYouLine(kDefaultLineTemplate, Event(u"Alice", u"鲜花", 5), {}), u"感谢 Alice 送出的 5 个 鲜花");
}

TEST(ThankYouLineText, BracesInsideNamesAreNotExpanded)
{
    EXPECT_EQ(ThankYouLine(u"{user}:{gift}", Event(u"{gift}", u"{count}", 2), {}), u"{gift}:{count}");
}

TEST(ThankYouLineText, EmptyOrBlankNamesShowPlaceholders)
{
    NamePlaceholders placeholders{u"someone", u"a gift"};
    EXPECT_EQ(ThankYouLine(u"{user}/{gift}", Event(u"", u" \r\n ", 1), placeholders), u"someone/a gift");
}

TEST(ThankYouLineText, LineBreaksAndBarsInNamesCannotBreakTheBlock)
{
    const std::u16string line = ThankYouLine(u"{user} {gift}", Event(u"a\r\nb||c", std::u16string(u"x\0y|", 4), 1), {});
    EXPECT_EQ(line, u"a  b\uFF5C\uFF5Cc x y\uFF5C");
    EXPECT_EQ(line.find_first_of(u"\r\n|"), std::u16string::npos);
    EXPECT_EQ(line.find(u'\0'), std::u16string::npos);
}

TEST(ThankYouLineText, SanitisingAlsoCoversTheTemplateAndTrimsBlanks)
{
    EXPECT_EQ(SanitiseLineText(u"  |hi\tthere\u2028|  "), u"\uFF5Chi there \uFF5C");
    EXPECT_EQ(SanitiseLineText(u" \r\n\u3000 "), u"");
}
