// Plauditor.exe's HTTP side as streaming tools meet it: gifts posted as JSON show up in the
// scene's block before the answer comes, the state and the page answer, bad requests get a
// clear answer and cost nothing else, and several scenes' companions share one base port.
#include "PlauditorRun.h"
#include "support/LoopbackHttp.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <thread>
#include <vector>

namespace {

constexpr DWORD kPatience = 10000;

// A companion of a scene of its own, serving HTTP from base (or its pinned port), with its
// events file and log in folder.
class HttpCompanion {
public:
    std::wstring scene;
    ChildProcess process;

    HttpCompanion(const TempFolder &folder, const std::string &settings, const std::wstring &name = L"p",
                  std::wstring sceneId = UniqueScene())
        : scene(std::move(sceneId)),
          process(PlauditorPath(), Arguments(GetCurrentProcessId(), scene, Options(folder, settings, name)))
    {
    }

    static std::wstring Options(const TempFolder &folder, const std::string &settings, const std::wstring &name)
    {
        WriteFileBytes(folder / (name + L".json"), settings);
        WriteFileBytes(folder / (name + L".jsonl"), "");
        return L"--settings " + win::QuotedArgument(folder / (name + L".json")) + L" --events " +
               win::QuotedArgument(folder / (name + L".jsonl")) + L" --log " +
               win::QuotedArgument(folder / (name + L".log"));
    }
};

std::string HttpSettings(std::uint16_t base, const std::string &more = "")
{
    return R"({"recentLines": 3, "httpPort": )" + std::to_string(base) + more + "}";
}

// The companion's state once it answers on port, or null.
nlohmann::json State(std::uint16_t port)
{
    const HttpReply reply = ExchangeRaw(port, PlainGet(port, "/state"));
    return reply.status == 200 ? nlohmann::json::parse(reply.body, nullptr, false) : nlohmann::json();
}

bool Serves(std::uint16_t port, const std::wstring &scene)
{
    const nlohmann::json state = State(port);
    return state.is_object() && state["scene"] == std::string(scene.begin(), scene.end());
}

std::string Post(std::uint16_t port, std::string_view body, std::string_view headers = {})
{
    return CurlLikePost(port, "/events", body, headers);
}

} // namespace

TEST(PlauditorHttp, PostedGiftsAreOnScreenWhenTheAnswerComes)
{
    win::WinsockSession winsock;
    TempFolder folder;
    const std::uint16_t port = FreeLoopbackPort();
    HttpCompanion companion(folder, HttpSettings(port));
    ASSERT_TRUE(WaitUntil(kPatience, [&] { return Serves(port, companion.scene); }));

    const HttpReply one = ExchangeRaw(port, Post(port, R"({"user":"小明","gift":"火箭","count":2})"));
    EXPECT_EQ(one.status, 202);
    EXPECT_EQ(one.body, R"({"taken":1})");
    // No waiting: the answer comes once the block holds the line.
    ASSERT_TRUE(Text(companion.scene));
    EXPECT_EQ(ShownLines(*Text(companion.scene)), std::vector<std::u16string>{u"感谢 小明 送出的 2 个 火箭"});

    const HttpReply two = ExchangeRaw(port, Post(port, R"([{"user":"Alice","gift":"鲜花","count":5},{"gift":"小心心"}])"));
    EXPECT_EQ(two.status, 202);
    EXPECT_EQ(two.body, R"({"taken":2})");
    const std::vector<std::u16string> shown = {u"感谢 小明 送出的 2 个 火箭", u"感谢 Alice 送出的 5 个 鲜花",
                                               u"感谢 神秘人 送出的 1 个 小心心"};
    EXPECT_EQ(ShownLines(*Text(companion.scene)), shown);

    const nlohmann::json state = State(port);
    EXPECT_EQ(state["lines"], nlohmann::json::array({"感谢 小明 送出的 2 个 火箭", "感谢 Alice 送出的 5 个 鲜花",
                                                    "感谢 神秘人 送出的 1 个 小心心"}));
    EXPECT_EQ(state["textSequence"], Text(companion.scene)->sequence);
    EXPECT_EQ(state["events"], (nlohmann::json{{"taken", 3}, {"refused", 0}, {"hidden", 0}}));
    EXPECT_EQ(state["style"]["font"], "Arial");

    const HttpReply page = ExchangeRaw(port, PlainGet(port, "/"));
    EXPECT_EQ(page.status, 200);
    EXPECT_NE(page.headers.find("Content-Type: text/html; charset=utf-8"), std::string::npos);
    EXPECT_NE(page.body.find("发送测试礼物"), std::string::npos);  // Chinese without Accept-Language
    EXPECT_EQ(ExchangeRaw(port, PlainGet(port, "/nothing")).status, 404);
}

// Each bad request gets its own clear answer; none of them takes an event or loses one.
TEST(PlauditorHttp, BadRequestsGetClearAnswersAndCostNothingElse)
{
    win::WinsockSession winsock;
    TempFolder folder;
    const std::uint16_t port = FreeLoopbackPort();
    HttpCompanion companion(folder, HttpSettings(port, R"(, "httpBind": "0.0.0.0")"));
    ASSERT_TRUE(WaitUntil(kPatience, [&] { return Serves(port, companion.scene); }));
    ASSERT_EQ(ExchangeRaw(port, Post(port, R"({"user":"first","gift":"x"})")).status, 202);

    const HttpReply malformed = ExchangeRaw(port, Post(port, R"({"user": "a", "gift": )"));
    EXPECT_EQ(malformed.status, 400);
    EXPECT_EQ(malformed.body, R"({"error":"malformed JSON at byte 23"})");
    const HttpReply badEvent = ExchangeRaw(port, Post(port, R"([{"user":"ok"},{"count":-1}])"));
    EXPECT_EQ(badEvent.status, 400);
    EXPECT_EQ(badEvent.body, R"({"error":"event 1: \"count\" is not a positive whole number: -1"})");

    const std::string tenMegabytes(10 * 1024 * 1024, ' ');
    const HttpReply huge = ExchangeRaw(port, Post(port, tenMegabytes));
    EXPECT_EQ(huge.status, 413);
    EXPECT_EQ(huge.body, R"({"error":"body larger than 65536 bytes"})");
    // Without a length the limit holds all the same.
    const std::string chunk(60000, ' ');
    std::string chunked = "POST /events HTTP/1.1\r\nHost: 127.0.0.1:" + std::to_string(port) +
                          "\r\nTransfer-Encoding: chunked\r\n\r\n";
    for (int i = 0; i < 3; ++i)
        chunked += "ea60\r\n" + chunk + "\r\n";
    chunked += "0\r\n\r\n";
    EXPECT_EQ(ExchangeRaw(port, chunked).status, 413);

    const HttpReply otherSite = ExchangeRaw(port, Post(port, R"({"user":"csrf"})", "Origin: http://evil.example\r\n"));
    EXPECT_EQ(otherSite.status, 403);
    const std::string rebound = "GET /state HTTP/1.1\r\nHost: evil.example:" + std::to_string(port) + "\r\n\r\n";
    EXPECT_EQ(ExchangeRaw(port, rebound).status, 403);

    // 100 silent connections: beyond the cap (16 waiting for their request) the one waiting
    // longest is turned away; the others get 408 when their 2 s run out. Every one gets an answer, and
    // meanwhile the events file still reaches the screen.
    std::vector<win::SocketHandle> idle;
    for (int i = 0; i < 100; ++i)
        idle.push_back(ConnectLoopback(port));
    AppendFileBytes(folder / L"p.jsonl", "{\"user\": \"from the file\", \"gift\": \"y\"}\n");
    EXPECT_TRUE(WaitUntil(kPatience, [&] {
        const auto text = Text(companion.scene);
        return text && ShownLines(*text).back() == u"感谢 from the file 送出的 1 个 y";
    }));
    int turnedAway = 0, timedOut = 0;
    for (win::SocketHandle &s : idle) {
        const DWORD wait = 8000;
        setsockopt(s.get(), SOL_SOCKET, SO_RCVTIMEO, reinterpret_cast<const char *>(&wait), sizeof wait);
        char answer[512] = {};
        recv(s.get(), answer, sizeof answer - 1, 0);
        turnedAway += std::string(answer).rfind("HTTP/1.1 503", 0) == 0;
        timedOut += std::string(answer).rfind("HTTP/1.1 408", 0) == 0;
        s.reset();
    }
    EXPECT_EQ(turnedAway + timedOut, 100);
    EXPECT_GT(turnedAway, 0);
    EXPECT_GE(timedOut, 8);

    const HttpReply after = ExchangeRaw(port, Post(port, R"({"user":"last","gift":"z"})"));
    EXPECT_EQ(after.status, 202);
    const nlohmann::json state = State(port);
    EXPECT_EQ(state["events"], (nlohmann::json{{"taken", 3}, {"refused", 3}, {"hidden", 0}}));
    EXPECT_EQ(state["lines"], nlohmann::json::array({"感谢 first 送出的 1 个 x", "感谢 from the file 送出的 1 个 y",
                                                    "感谢 last 送出的 1 个 z"}));
    // Asked to listen on every address, it said no and listens on 127.0.0.1 alone.
    EXPECT_NE(ReadFileBytes(folder / L"p.log").find("httpBind \"0.0.0.0\" refused"), std::string::npos);
}

// Two scenes' companions with one Plauditor.json: the first takes the base port, the second
// the next one, a pinned scene its own; each serves its own scene.
TEST(PlauditorHttp, SeveralScenesShareOneBasePort)
{
    win::WinsockSession winsock;
    TempFolder folder;
    const std::uint16_t base = FreeLoopbackPort();
    const std::uint16_t pinnedPort = FreeLoopbackPort();
    HttpCompanion first(folder, HttpSettings(base), L"first");
    ASSERT_TRUE(WaitUntil(kPatience, [&] { return Serves(base, first.scene); }));
    HttpCompanion second(folder, HttpSettings(base), L"second");
    ASSERT_TRUE(WaitUntil(kPatience, [&] { return Serves(base + 1, second.scene); }));
    const std::wstring pinnedScene = UniqueScene();
    const std::string pins = R"(, "httpScenePorts": {")" + std::string(pinnedScene.begin(), pinnedScene.end()) +
                             R"(": )" + std::to_string(pinnedPort) + "}";
    HttpCompanion pinned(folder, HttpSettings(base, pins), L"pinned", pinnedScene);
    ASSERT_TRUE(WaitUntil(kPatience, [&] { return Serves(pinnedPort, pinnedScene); }));

    EXPECT_EQ(ExchangeRaw(base, Post(base, R"({"user":"one"})")).status, 202);
    EXPECT_EQ(ExchangeRaw(base + 1, Post(base + 1, R"({"user":"two"})")).status, 202);
    EXPECT_EQ(ShownLines(*Text(first.scene)), std::vector<std::u16string>{u"感谢 one 送出的 1 个 礼物"});
    EXPECT_EQ(ShownLines(*Text(second.scene)), std::vector<std::u16string>{u"感谢 two 送出的 1 个 礼物"});
    EXPECT_NE(ReadFileBytes(folder / L"second.log").find("http: serving on 127.0.0.1:" + std::to_string(base + 1)),
              std::string::npos);
}

namespace {

const std::string kDeepCount = R"({"user":"n","gift":"g","count":)" + std::string(12000, '[') + std::string(12000, ']') + "}";

std::vector<std::u16string> Shown(const std::wstring &scene)
{
    const auto text = Text(scene);
    return text ? ShownLines(*text) : std::vector<std::u16string>{};
}

} // namespace

// A body nested 12,000 deep once cost a worker thread its stack; more of them than there are
// workers are refused by name, and the next gift, posted or from the file, is still shown.
TEST(PlauditorHttp, DeepOrHugeNumbersAreRefusedByNameAndTheNextGiftIsShown)
{
    win::WinsockSession winsock;
    TempFolder folder;
    const std::uint16_t port = FreeLoopbackPort();
    HttpCompanion companion(folder, HttpSettings(port));
    ASSERT_TRUE(WaitUntil(kPatience, [&] { return Serves(port, companion.scene); }));

    for (int i = 0; i < 10; ++i) {
        const HttpReply deep = ExchangeRaw(port, Post(port, kDeepCount));
        ASSERT_EQ(deep.status, 400) << i;
        EXPECT_EQ(deep.body, R"({"error":"nested deeper than 64 levels"})");
    }
    const HttpReply huge = ExchangeRaw(port, Post(port, R"({"user":"n","gift":"g","count":1e309})"));
    EXPECT_EQ(huge.status, 400);
    EXPECT_EQ(huge.body, R"({"error":"\"count\" is a number too large"})");

    AppendFileBytes(folder / L"p.jsonl", kDeepCount + "\n" R"({"count":1e309})" "\n" R"({"user":"file","gift":"g"})" "\n");
    EXPECT_TRUE(WaitUntil(kPatience, [&] { return Shown(companion.scene) == std::vector<std::u16string>{u"感谢 file 送出的 1 个 g"}; }));
    EXPECT_EQ(ExchangeRaw(port, Post(port, R"({"user":"post","gift":"g"})")).status, 202);
    EXPECT_EQ(State(port)["events"], (nlohmann::json{{"taken", 2}, {"refused", 13}, {"hidden", 0}}));
    const std::string log = ReadFileBytes(folder / L"p.log");
    EXPECT_NE(log.find("skipped an events line (nested deeper than 64 levels)"), std::string::npos);
    EXPECT_NE(log.find("skipped an events line (\"count\" is a number too large)"), std::string::npos);
}

// With the main loop held up (its thread suspended here) the answer says the gift was not
// shown, and it never is later, so a client that sends it again thanks once.
TEST(PlauditorHttp, ABodyNotShownInTimeIsRefusedAndNeverShownLater)
{
    win::WinsockSession winsock;
    TempFolder folder;
    const std::uint16_t port = FreeLoopbackPort();
    HttpCompanion companion(folder, HttpSettings(port));
    ASSERT_TRUE(WaitUntil(kPatience, [&] { return Serves(port, companion.scene); }));
    ASSERT_EQ(ExchangeRaw(port, Post(port, R"({"user":"first","gift":"g"})")).status, 202);

    const win::UniqueHandle mainThread(OpenThread(THREAD_SUSPEND_RESUME, FALSE, companion.process.MainThreadId()));
    ASSERT_TRUE(mainThread);
    SuspendThread(mainThread.get());
    const HttpReply late = ExchangeRaw(port, Post(port, R"({"user":"late","gift":"g"})"));
    ResumeThread(mainThread.get());
    EXPECT_EQ(late.status, 503);
    EXPECT_EQ(late.body, R"({"error":"not shown within 2000 ms; none of it will be, so it can be sent again"})");

    EXPECT_EQ(ExchangeRaw(port, Post(port, R"({"user":"again","gift":"g"})")).status, 202);
    EXPECT_EQ(Shown(companion.scene), (std::vector<std::u16string>{u"感谢 first 送出的 1 个 g", u"感谢 again 送出的 1 个 g"}));
    EXPECT_EQ(State(port)["events"]["taken"], 2);
}

// A request half sent when the port changes is served to its answer by the old port, which
// takes no new connection.
TEST(PlauditorHttp, ARequestUnderWayWhenThePortChangesIsAnswered)
{
    win::WinsockSession winsock;
    TempFolder folder;
    const std::uint16_t port = FreeLoopbackPort(), next = FreeLoopbackPort();
    HttpCompanion companion(folder, HttpSettings(port));
    ASSERT_TRUE(WaitUntil(kPatience, [&] { return Serves(port, companion.scene); }));

    const std::string body = R"({"user":"moving","gift":"g"})" + std::string(40, ' ');
    const std::string request = Post(port, body);
    win::SocketHandle s = ConnectLoopback(port);
    ASSERT_TRUE(s);
    std::size_t sent = request.size() - 30;
    ASSERT_EQ(send(s.get(), request.data(), static_cast<int>(sent), 0), static_cast<int>(sent));
    WriteFileBytes(folder / L"p.json", HttpSettings(next));
    // A byte now and then keeps each read of the body within its time.
    DWORD lastSent = GetTickCount();
    EXPECT_TRUE(WaitUntil(kPatience, [&] {
        if (GetTickCount() - lastSent > 300 && sent < request.size() - 1) {
            sent += send(s.get(), request.data() + sent, 1, 0);
            lastSent = GetTickCount();
        }
        return Serves(next, companion.scene);
    }));
    send(s.get(), request.data() + sent, static_cast<int>(request.size() - sent), 0);
    char answer[256] = {};
    const DWORD wait = 5000;
    setsockopt(s.get(), SOL_SOCKET, SO_RCVTIMEO, reinterpret_cast<const char *>(&wait), sizeof wait);
    recv(s.get(), answer, sizeof answer - 1, 0);
    s.reset();
    EXPECT_EQ(std::string(answer).substr(0, 12), "HTTP/1.1 202");
    EXPECT_EQ(Shown(companion.scene), std::vector<std::u16string>{u"感谢 moving 送出的 1 个 g"});
    EXPECT_EQ(ExchangeRaw(port, PlainGet(port, "/state"), 2000).status, 0);
}

namespace {

// Closes the connection once answered.
std::string Answer(win::SocketHandle s)
{
    const DWORD wait = 5000;
    setsockopt(s.get(), SOL_SOCKET, SO_RCVTIMEO, reinterpret_cast<const char *>(&wait), sizeof wait);
    char answer[512] = {};
    recv(s.get(), answer, sizeof answer - 1, 0);
    return answer;
}

} // namespace

// A head is bounded in bytes and header lines, and 100 connections trickling their headers
// (reconnecting when cut) keep no genuine sender out: a head still arriving waits without a
// worker. Prints the genuine senders' share and latency.
TEST(PlauditorHttp, HeadsAreBoundedAndTricklingConnectionsKeepNoGiftOut)
{
    win::WinsockSession winsock;
    TempFolder folder;
    const std::uint16_t port = FreeLoopbackPort();
    HttpCompanion companion(folder, HttpSettings(port));
    ASSERT_TRUE(WaitUntil(kPatience, [&] { return Serves(port, companion.scene); }));
    const std::string start = "POST /events HTTP/1.1\r\nHost: 127.0.0.1:" + std::to_string(port) + "\r\n";

    win::SocketHandle endless = ConnectLoopback(port);
    const std::string line = start + "X-Long: " + std::string(40 * 1024, 'a');
    send(endless.get(), line.data(), static_cast<int>(line.size()), 0);
    EXPECT_EQ(Answer(std::move(endless)).substr(0, 12), "HTTP/1.1 431");
    std::string many = start;
    for (int i = 0; i < 65; ++i)
        many += "X-" + std::to_string(i) + ": 1\r\n";
    const HttpReply tooMany = ExchangeRaw(port, many + "\r\n");
    EXPECT_EQ(tooMany.status, 431);
    EXPECT_EQ(tooMany.body, R"({"error":"more than 64 headers"})");

    std::vector<win::SocketHandle> tricklers(100);
    std::atomic<bool> done{false};
    std::thread trickle([&] {
        while (!done) {
            for (win::SocketHandle &s : tricklers) {
                if (s && send(s.get(), "X", 1, 0) == 1)
                    continue;
                s = ConnectLoopback(port);
                send(s.get(), start.data(), static_cast<int>(start.size()), 0);
            }
            Sleep(100);
        }
    });
    Sleep(1000);
    std::vector<DWORD> took;
    int served = 0;
    for (int i = 0; i < 12; ++i) {
        const DWORD begun = GetTickCount();
        served += ExchangeRaw(port, Post(port, R"({"user":"g)" + std::to_string(i) + R"(","gift":"x"})")).status == 202;
        took.push_back(GetTickCount() - begun);
        Sleep(400);
    }
    done = true;
    trickle.join();
    tricklers.clear();
    EXPECT_EQ(served, 12);
    std::sort(took.begin(), took.end());
    std::printf("genuine POSTs answered 202 while 100 connections trickled: %d of 12; latency median %lu ms, max %lu ms\n",
                served, took[took.size() / 2], took.back());
}

TEST(PlauditorHttp, PageEditsApplyAtOnceSaveEveryKeyAndLinesLeaveTheScreenEmpty)
{
    win::WinsockSession winsock;
    TempFolder folder;
    const std::uint16_t port = FreeLoopbackPort();
    HttpCompanion companion(folder, HttpSettings(port, R"(, "lineSeconds": 1.5, "mine": {"a": [1]}, "style": {"fontSize": 40})"));
    ASSERT_TRUE(WaitUntil(kPatience, [&] { return Serves(port, companion.scene); }));

    const auto page = [&](std::string_view language) {
        return ExchangeRaw(port, "GET / HTTP/1.1\r\nHost: 127.0.0.1:" + std::to_string(port) +
                                     "\r\nAccept-Language: " + std::string(language) + "\r\nConnection: close\r\n\r\n").body;
    };
    EXPECT_NE(page("zh-CN,zh;q=0.9").find("发送测试礼物"), std::string::npos);
    EXPECT_NE(page("en-US,en;q=0.9").find("Send a test gift"), std::string::npos);

    // Refused whole: the block keeps its look.
    const HttpReply bad = ExchangeRaw(port, CurlLikePost(port, "/style", R"({"color": "#FF00FF00", "fontSize": 0})"));
    EXPECT_EQ(bad.status, 400);
    EXPECT_EQ(bad.body, R"({"error":"style.fontSize: 0 is outside 1 to 2000"})");
    ASSERT_TRUE(Style(companion.scene));
    EXPECT_EQ(Style(companion.scene)->numbers[0], 40);

    const HttpReply saved = ExchangeRaw(port, CurlLikePost(port, "/style?save=1", R"({"color": "#FF00FF00", "fontSize": 80})"));
    EXPECT_EQ(saved.status, 200) << saved.body;
    EXPECT_EQ(Style(companion.scene)->numbers[0], 80);  // in the block before the answer came
    EXPECT_EQ(Style(companion.scene)->numbers[1], static_cast<std::int32_t>(0xFF00FF00u));
    const auto file = nlohmann::json::parse(ReadFileBytes(folder / L"p.json"));
    EXPECT_EQ(file["mine"], nlohmann::json::parse(R"({"a": [1]})"));
    EXPECT_EQ(file["lineSeconds"], 1.5);
    EXPECT_EQ(file["style"]["fontSize"], 80);
    // Applied after a save: the settings check that follows does not take the file again over it.
    ASSERT_EQ(ExchangeRaw(port, CurlLikePost(port, "/rules", R"({"minCount": 2})")).status, 200);
    Sleep(1200);
    EXPECT_EQ(State(port)["rules"]["minCount"], 2);

    ASSERT_EQ(ExchangeRaw(port, Post(port, R"({"user":"小明","gift":"火箭","count":2})")).status, 202);
    EXPECT_EQ(ShownLines(*Text(companion.scene)).size(), 1u);
    ASSERT_TRUE(WaitUntil(kPatience, [&] {
        const auto text = Text(companion.scene);
        return text && text->expectedLineCount == 0;
    }));
    EXPECT_EQ(State(port)["lines"], nlohmann::json::array());
}
