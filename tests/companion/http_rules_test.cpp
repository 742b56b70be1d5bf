// The HTTP side's rules that need no socket: request bodies, who may ask, which port a
// scene's companion takes, the settings that name ports and what GET /state says.
#include "companion/plauditor/CompanionState.h"
#include "companion/plauditor/GiftEvent.h"
#include "companion/plauditor/HttpPorts.h"
#include "companion/plauditor/HttpRules.h"
#include "companion/plauditor/Settings.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

TEST(GiftBody, TakesOneEventOrAnArrayOfThemInOrder)
{
    const GiftBody one = ParseGiftBody(R"({"user":"小明","gift":"火箭","count":2})", 10);
    ASSERT_TRUE(one.Ok()) << one.error;
    ASSERT_EQ(one.events.size(), 1u);
    EXPECT_EQ(one.events[0].user, u"小明");
    EXPECT_EQ(one.events[0].count, 2u);

    const GiftBody two = ParseGiftBody("[{\"user\": \"a\", \"gift\": \"x\"},\n {\"user\": \"b\", \"count\": \"3\"}]", 10);
    ASSERT_TRUE(two.Ok()) << two.error;
    ASSERT_EQ(two.events.size(), 2u);
    EXPECT_EQ(two.offered, 2u);
    EXPECT_EQ(two.events[1].user, u"b");
    EXPECT_EQ(two.events[1].count, 3u);
}

// A refused body takes nothing, so a client that fixes it and sends again loses and doubles nothing.
TEST(GiftBody, RefusesWholeBodiesWithAReasonNamingTheFault)
{
    const GiftBody malformed = ParseGiftBody(R"({"user": "a", "gift": )", 10);
    EXPECT_EQ(malformed.error, "malformed JSON at byte 23");
    EXPECT_EQ(malformed.offered, 1u);

    const GiftBody badSecond = ParseGiftBody(R"([{"user": "a"}, {"user": "b", "count": 0}, {"user": "c"}])", 10);
    EXPECT_EQ(badSecond.error, "event 1: \"count\" is not a positive whole number: 0");
    EXPECT_TRUE(badSecond.events.empty());
    EXPECT_EQ(badSecond.offered, 3u);

    EXPECT_EQ(ParseGiftBody("[]", 10).error, "an empty array holds no event");
    EXPECT_EQ(ParseGiftBody("\"gift\"", 10).error, "not a JSON object");

    const GiftBody tooMany = ParseGiftBody("[{}, {}, {}]", 2);
    EXPECT_TRUE(tooMany.tooMany);
    EXPECT_EQ(tooMany.error, "more than 2 events in one request");
}

TEST(HttpRules, OnlyThisMachinesNamesAndOwnPageMayAsk)
{
    EXPECT_TRUE(IsOwnHost("127.0.0.1:8787", 8787));
    EXPECT_TRUE(IsOwnHost("LocalHost:8787", 8787));
    EXPECT_FALSE(IsOwnHost("127.0.0.1:8788", 8787));
    EXPECT_FALSE(IsOwnHost("evil.example:8787", 8787));   // a name rebound to 127.0.0.1
    EXPECT_FALSE(IsOwnHost("127.0.0.1", 8787));
    EXPECT_FALSE(IsOwnHost("", 8787));

    EXPECT_TRUE(IsOwnOrigin("", 8787));
    EXPECT_TRUE(IsOwnOrigin("http://127.0.0.1:8787", 8787));
    EXPECT_TRUE(IsOwnOrigin("http://localhost:8787", 8787));
    EXPECT_FALSE(IsOwnOrigin("http://evil.example", 8787));
    EXPECT_FALSE(IsOwnOrigin("https://127.0.0.1:8787", 8787));
    EXPECT_FALSE(IsOwnOrigin("null", 8787));
    EXPECT_EQ(ErrorJson("a \"quoted\" reason"), R"({"error":"a \"quoted\" reason"})");
}

TEST(HttpPorts, PinnedScenesKeepTheirPortOthersCountUpFromTheBase)
{
    const std::map<std::u16string, std::uint16_t> pinned = {{u"{A}", 8801}, {u"{B}", 9000}};
    EXPECT_EQ(HttpPortCandidates(8800, u"{A}", pinned), std::vector<std::uint16_t>{8801});
    EXPECT_EQ(HttpPortCandidates(0, u"{B}", pinned), std::vector<std::uint16_t>{9000});

    const auto others = HttpPortCandidates(8800, u"{C}", pinned);
    ASSERT_EQ(others.size(), 15u);
    EXPECT_EQ(others[0], 8800);
    EXPECT_EQ(others[1], 8802);   // 8801 belongs to {A}
    EXPECT_EQ(others.back(), 8815);

    EXPECT_TRUE(HttpPortCandidates(0, u"{C}", pinned).empty());
    EXPECT_EQ(HttpPortCandidates(65534, u"{C}", {}), (std::vector<std::uint16_t>{65534, 65535}));
}

TEST(HttpPorts, SettingsNameTheBaseThePinsAndRefuseOtherAddresses)
{
    std::vector<std::string> warnings;
    std::string error;
    // Keys are scene ids compared as GUIDs: a lower-case copy pins the same scene.
    const auto settings = ParseSettings(R"({"httpPort": 8800, "httpScenePorts": {
                                            "{5c0de000-de30-4000-8000-00000000cafe}": 8801,
                                            "{5C0DE000-DE30-4000-8000-0000000000B2}": "x", "not-a-guid": 8802, "": 8803,
                                            "{5C0DE000-DE30-4000-8000-0000000000BG}": 8804},
                                            "httpBind": "0.0.0.0"})",
                                        warnings, error);
    ASSERT_TRUE(settings) << error;
    EXPECT_EQ(settings->httpPort, 8800);
    EXPECT_EQ(settings->httpScenePorts,
              (std::map<std::u16string, std::uint16_t>{{u"{5C0DE000-DE30-4000-8000-00000000CAFE}", 8801}}));
    EXPECT_EQ(warnings, (std::vector<std::string>{
                            "httpBind \"0.0.0.0\" refused: the HTTP port listens on 127.0.0.1 only",
                            "httpScenePorts key \"\" is not a scene id; ignored",
                            "httpScenePorts key \"not-a-guid\" is not a scene id; ignored",
                            "httpScenePorts.{5C0DE000-DE30-4000-8000-0000000000B2} has an unusable value \"x\"; ignored",
                            "httpScenePorts key \"{5C0DE000-DE30-4000-8000-0000000000BG}\" is not a scene id; ignored"}));
    EXPECT_EQ(HttpPortCandidates(8800, u"{5C0DE000-de30-4000-8000-00000000CAFE}", settings->httpScenePorts),
              std::vector<std::uint16_t>{8801});
    EXPECT_EQ(ParseSettings("{}", warnings, error)->httpPort, 0);
}

TEST(CompanionStateJson, ShowsLinesStyleAndCounters)
{
    CompanionView view;
    view.scene = u"{5C0DE000-DE30-4000-8000-00000000CAFE}";
    view.lines = {u"感谢 小明 送出的 2 个 火箭"};
    view.textSequence = 7;
    view.hidden = 2;
    const auto state = nlohmann::json::parse(StateJson(view, 3, 1, 8800));
    EXPECT_EQ(state["scene"], "{5C0DE000-DE30-4000-8000-00000000CAFE}");
    EXPECT_EQ(state["lines"], nlohmann::json::array({"感谢 小明 送出的 2 个 火箭"}));
    EXPECT_EQ(state["textSequence"], 7);
    EXPECT_EQ(state["events"], (nlohmann::json{{"taken", 3}, {"refused", 1}, {"hidden", 2}}));
    EXPECT_EQ(state["http"], (nlohmann::json{{"address", "127.0.0.1"}, {"port", 8800}}));
    // The style as Plauditor.json writes it: colours as text, flags as booleans.
    EXPECT_EQ(state["style"].size(), 22u);
    EXPECT_EQ(state["style"]["font"], "Arial");
    EXPECT_EQ(state["style"]["fontSize"], 48);
    EXPECT_EQ(state["style"]["color"], "#FFFFFFFF");
    EXPECT_EQ(state["style"]["backgroundColor"], "#FF000000");
    EXPECT_EQ(state["style"]["bold"], false);
}

TEST(EventInbox, TakesWholeBatchesUpToItsBoundAndTellsWhenTheyArePublished)
{
    EventInbox inbox(3);
    const auto first = inbox.Offer({GiftEvent{u"a", u"x", 1}, GiftEvent{u"b", u"y", 1}});
    ASSERT_TRUE(first);
    EXPECT_FALSE(inbox.Offer({GiftEvent{u"c", u"z", 1}, GiftEvent{u"d", u"z", 1}}));  // would pass 3
    EXPECT_EQ(WaitForSingleObject(inbox.WakeEvent(), 0), WAIT_OBJECT_0);

    std::uint64_t batch = 0;
    const auto taken = inbox.Take(batch);
    EXPECT_EQ(taken.size(), 2u);
    EXPECT_EQ(batch, *first);
    EXPECT_EQ(WaitForSingleObject(inbox.WakeEvent(), 0), static_cast<DWORD>(WAIT_TIMEOUT));
    EXPECT_FALSE(inbox.WaitPublished(*first, std::chrono::milliseconds(0)));
    inbox.MarkPublished(batch);
    EXPECT_TRUE(inbox.WaitPublished(*first, std::chrono::milliseconds(0)));
}

namespace {

std::string Nested(std::size_t depth, std::string_view inner = "1")
{
    return std::string(depth, '[') + std::string(inner) + std::string(depth, ']');
}

} // namespace

// Depth is refused while parsing, so no deep value is built (or dumped into a message), and
// a number past a double names the field it is in.
TEST(GiftBody, DeepNestingAndHugeNumbersAreRefusedByName)
{
    const GiftBody deep = ParseGiftBody(R"({"user":"n","gift":"g","count":)" + Nested(12000) + "}", 10);
    EXPECT_EQ(deep.error, "nested deeper than 64 levels");
    EXPECT_EQ(ParseGiftBody(Nested(64, "{}"), 10).error, "nested deeper than 64 levels");
    EXPECT_EQ(ParseGiftBody(Nested(63, "{}"), 10).error, "event 0: not a JSON object");
    EXPECT_EQ(ParseGiftBody(R"({"user":"n","count":)" + Nested(60) + "}", 10).error,
              "\"count\" is not a positive whole number: an array of 1");

    EXPECT_EQ(ParseGiftBody(R"({"user":"n","count":1e309})", 10).error, "\"count\" is a number too large");
    EXPECT_EQ(ParseGiftBody(R"([{"count":1},{"user":"b","count":[-1e309]}])", 10).error,
              "event 1: \"count\" is a number too large");
    EXPECT_EQ(ParseGiftBody("[1, 2, 1e999]", 10).error, "event 2: a number too large");

    std::string error;
    EXPECT_FALSE(ParseGiftEvent(R"({"user":"n","gift":"g","count":)" + Nested(12000) + "}", error));
    EXPECT_EQ(error, "nested deeper than 64 levels");
    EXPECT_FALSE(ParseGiftEvent(R"({"user":"n","gift":"g","count":1e309})", error));
    EXPECT_EQ(error, "\"count\" is a number too large");
}

TEST(HttpPorts, DeepOrHugeSettingsAreRefusedAndNoValueIsDumpedWhole)
{
    std::vector<std::string> warnings;
    std::string error;
    EXPECT_FALSE(ParseSettings(R"({"style": {"fontSize": )" + Nested(10000) + "}}", warnings, error));
    EXPECT_EQ(error, "settings refused: nested deeper than 64 levels");
    EXPECT_FALSE(ParseSettings(R"({"httpPort": 1e309})", warnings, error));
    EXPECT_EQ(error, "settings refused: \"httpPort\" is a number too large");
    EXPECT_TRUE(warnings.empty());

    const auto settings = ParseSettings(R"({"template": )" + Nested(50) + R"(, "httpScenePorts": {"{5C0DE000-DE30-4000-8000-00000000CAFE}": {"a": 1, "b": 2}},
                                            "style": {"font": "Arial", "bold": ")" + std::string(5000, 'x') + "\"}}",
                                        warnings, error);
    ASSERT_TRUE(settings) << error;
    EXPECT_EQ(warnings, (std::vector<std::string>{
                            "httpScenePorts.{5C0DE000-DE30-4000-8000-00000000CAFE} has an unusable value an object of 2 keys; ignored",
                            "style.bold has an unusable value \"" + std::string(59, 'x') + "...; kept 0",
                            "template has an unusable value an array of 1; default kept"}));
}

// A head is judged before a worker reads it: its bytes and its header lines are bounded.
TEST(HttpRules, RequestHeadsAreBoundedInBytesAndHeaderLines)
{
    HttpLimits limits;
    limits.maxHeadBytes = 64;
    limits.maxHeaders = 2;
    EXPECT_EQ(ClassifyRequestHead("GET / HTTP/1.1\r\nHost: a\r\nX: 1\r\n\r\n", limits), RequestHead::Complete);
    EXPECT_EQ(ClassifyRequestHead("GET / HTTP/1.1\r\nHost: a\r\nX: 1\r\n", limits), RequestHead::Partial);
    EXPECT_EQ(ClassifyRequestHead("GET / HTTP/1.1\r\nHost: a\r\nX: 1\r\nY: 2\r\n", limits), RequestHead::TooManyHeaders);
    EXPECT_EQ(ClassifyRequestHead("GET / HTTP/1.1\r\nHost: a\r\n\r\nbody\n\n\n\n", limits), RequestHead::Complete);
    EXPECT_EQ(ClassifyRequestHead("GET /" + std::string(55, 'a') + "\r\n\r\n", limits), RequestHead::Complete);
    EXPECT_EQ(ClassifyRequestHead("GET /" + std::string(56, 'a') + "\r\n\r\n", limits), RequestHead::TooLarge);
    EXPECT_EQ(ClassifyRequestHead("GET /" + std::string(59, 'a'), limits), RequestHead::TooLarge);
    EXPECT_EQ(ClassifyRequestHead("", limits), RequestHead::Partial);
}
