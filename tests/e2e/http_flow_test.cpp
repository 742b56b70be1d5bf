// A gift posted the way curl posts it reaches the broadcast picture: the headless host runs a
// scene in real time, its source starts the companion, and the first frame begun after the
// companion's answer shows the thank-you line.
#include "E2eSupport.h"
#include "support/ChildProcess.h"
#include "support/LoopbackHttp.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

const char kScene[] = "{5C0DE000-E2E0-4000-8000-0000000000A1}";

bool IsLight(int r, int g, int b) { return r > 200 && g > 200 && b > 200; }

} // namespace

TEST(HttpFlow, CurlLikePostShowsInTheNextFrame)
{
    win::WinsockSession winsock;
    const TempFolder temp;
    const std::wstring &folder = temp.Path();
    const std::wstring root = InstallHost(folder, true);
    const std::uint16_t port = FreeLoopbackPort();
    nlohmann::json settings = ReadJsonFile(root + L"plugins\\VantoPlauditor\\Plauditor.json");
    settings["httpPort"] = port;
    settings["eventsFile"] = win::Utf8FromWide(folder + L"unused.jsonl");
    settings["style"]["font"] = "WenQuanYi Zen Hei";
    settings["style"]["fontSize"] = 40;
    WriteFileBytes(root + L"plugins\\VantoPlauditor\\Plauditor.json", settings.dump(2));
    WriteFileBytes(folder + L"scenes.json", SceneWithSource(kScene, "{5C0DE000-E2E0-4000-8000-0000000000B2}"));
    const std::wstring frames = folder + L"frames\\";

    ChildProcess host(root + L"headless_host.exe", L"--scenes \"" + folder + L"scenes.json\" --frames 150 --fps 15"
                                                   L" --realtime --size 640x120 --quiet --out \"" + folder + L"frames\"");
    // The scene's start launched the companion; it answers once it has published its style.
    ASSERT_TRUE(WaitUntil(30000, [&] {
        return ExchangeRaw(port, PlainGet(port, "/state")).body.find(kScene) != std::string::npos;
    })) << "the companion did not serve HTTP on " << port;

    const int before = NewestFrame(frames);
    const HttpReply reply = ExchangeRaw(port, CurlLikePost(port, "/events", R"({"user":"小明","gift":"火箭","count":2})"));
    const int answered = NewestFrame(frames);
    ASSERT_EQ(reply.status, 202) << reply.body;
    ASSERT_EQ(host.Wait(60000), 0);

    // Frame answered+1 may have begun before the answer; answered+2 began after it.
    ASSERT_GE(before, 0);
    ASSERT_LT(answered + 2, 150) << "the host ran out of frames before the answer";
    const Picture earlier = ReadPng(frames + FrameName(before));
    const Picture next = ReadPng(frames + FrameName(answered + 2));
    ASSERT_TRUE(earlier.Loaded() && next.Loaded());
    EXPECT_EQ(CountPixels(earlier, 0, 0, 640, 120, IsLight), 0);
    EXPECT_GT(CountPixels(next, 0, 0, 640, 120, IsLight), 300);
    for (int i = answered + 2; i < 150; i += 10)
        EXPECT_GT(CountPixels(ReadPng(frames + FrameName(i)), 0, 0, 640, 120, IsLight), 300) << "frame " << i;

    const nlohmann::json summary = ReadJsonFile(frames + L"summary.json");
    EXPECT_EQ(summary["sources"][0]["text"], "感谢 小明 送出的 2 个 火箭");
}
