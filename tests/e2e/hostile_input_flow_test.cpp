// Bad input against the companion a host started leaves the scene served: after each, the
// next gift still reaches the host's frames. Deep JSON and numbers past a double (posted, in
// the events file and in the settings), a port change, and a second host showing the same
// scene, whose companion takes over when the first host ends.
#include "E2eSupport.h"
#include "support/ChildProcess.h"
#include "support/LoopbackHttp.h"

#include <gtest/gtest.h>

namespace {

const std::string kDeep = R"({"user":"n","gift":"g","count":)" + std::string(12000, '[') + std::string(12000, ']') + "}";

bool IsLight(int r, int g, int b) { return r > 200 && g > 200 && b > 200; }

struct Install {
    std::wstring root;
    std::wstring settings;  // its companion's Plauditor.json
    std::wstring frames;
};

// A host installation in folder\name\ whose companion serves HTTP on port, showing scene.
Install InstallServing(const std::wstring &folder, const std::wstring &name, std::uint16_t port,
                       const std::string &scene)
{
    const std::wstring place = folder + name + L"\\";
    CreateDirectoryW(place.c_str(), nullptr);
    Install install{InstallHost(place, true), L"", place + L"frames\\"};
    install.settings = install.root + L"plugins\\VantoPlauditor\\Plauditor.json";
    nlohmann::json settings = ReadJsonFile(install.settings);
    settings["httpPort"] = port;
    settings["eventsFile"] = win::Utf8FromWide(place + L"events.jsonl");
    settings["style"]["font"] = "WenQuanYi Zen Hei";
    settings["style"]["fontSize"] = 40;
    WriteFileBytes(install.settings, settings.dump(2));
    WriteFileBytes(place + L"events.jsonl", "");
    WriteFileBytes(place + L"scenes.json", SceneWithSource(scene, win::Utf8FromWide(FreshGuidText())));
    return install;
}

ChildProcess RunHost(const Install &install, int frames)
{
    const std::wstring place = install.root.substr(0, install.root.size() - 5);  // without "host\"
    return ChildProcess(install.root + L"headless_host.exe",
                        L"--scenes \"" + place + L"scenes.json\" --frames " + std::to_wstring(frames) +
                            L" --fps 15 --realtime --size 640x120 --quiet --out \"" +
                            install.frames.substr(0, install.frames.size() - 1) + L"\"");
}

bool Serves(std::uint16_t port, const std::string &scene)
{
    return ExchangeRaw(port, PlainGet(port, "/state"), 2000).body.find(scene) != std::string::npos;
}

// Posts a gift and checks that the frames begun after the answer show text where the frames
// before it showed none.
void ExpectGiftInFrames(std::uint16_t port, const std::wstring &frames)
{
    const int before = NewestFrame(frames);
    const HttpReply reply = ExchangeRaw(port, CurlLikePost(port, "/events", R"({"user":"小明","gift":"火箭","count":2})"));
    const int answered = NewestFrame(frames);
    ASSERT_EQ(reply.status, 202) << reply.body;
    ASSERT_GE(before, 0);
    ASSERT_TRUE(WaitUntil(20000, [&] { return NewestFrame(frames) >= answered + 3; }));
    EXPECT_EQ(CountPixels(ReadPng(frames + FrameName(before)), 0, 0, 640, 120, IsLight), 0);
    EXPECT_GT(CountPixels(ReadPng(frames + FrameName(answered + 2)), 0, 0, 640, 120, IsLight), 300);
}

} // namespace

TEST(HostileInputFlow, AfterDeepJsonHugeNumbersAndAPortChangeTheNextGiftIsInTheFrames)
{
    win::WinsockSession winsock;
    const TempFolder temp;
    const std::string scene = win::Utf8FromWide(FreshGuidText());
    const std::uint16_t port = FreeLoopbackPort(), next = FreeLoopbackPort();
    const Install install = InstallServing(temp.Path(), L"a", port, scene);
    ChildProcess host = RunHost(install, 450);
    ASSERT_TRUE(WaitUntil(30000, [&] { return Serves(port, scene); }))
        << "the companion did not serve on " << port << ": "
        << ReadFileBytes(install.root + L"plugins\\VantoPlauditor\\Plauditor.log");

    for (int i = 0; i < 10; ++i)
        ASSERT_EQ(ExchangeRaw(port, CurlLikePost(port, "/events", kDeep)).status, 400) << i;
    const HttpReply huge = ExchangeRaw(port, CurlLikePost(port, "/events", R"({"user":"n","count":1e309})"));
    EXPECT_EQ(huge.status, 400);
    EXPECT_EQ(huge.body, R"({"error":"\"count\" is a number too large"})");
    AppendFileBytes(temp.Path() + L"a\\events.jsonl", kDeep + "\n" R"({"count":1e309})" "\n");
    const std::string good = ReadFileBytes(install.settings);
    WriteFileBytes(install.settings, R"({"style": )" + std::string(10000, '[') + std::string(10000, ']') + "}");
    const std::wstring log = install.root + L"plugins\\VantoPlauditor\\Plauditor.log";
    ASSERT_TRUE(WaitUntil(10000, [&] { return ReadFileBytes(log).find("nested deeper than 64 levels; keeping") != std::string::npos; }));

    nlohmann::json moved = nlohmann::json::parse(good);
    moved["httpPort"] = next;
    WriteFileBytes(install.settings, moved.dump(2));
    ASSERT_TRUE(WaitUntil(10000, [&] { return Serves(next, scene); }));
    ExpectGiftInFrames(next, install.frames);
    EXPECT_TRUE(host.Running());
    host.Kill();
    const std::string written = ReadFileBytes(log);
    EXPECT_NE(written.find("skipped an events line (nested deeper than 64 levels)"), std::string::npos);
    EXPECT_NE(written.find("skipped an events line (\"count\" is a number too large)"), std::string::npos);
}

TEST(HostileInputFlow, ASecondHostShowingTheSceneGetsItsCompanionWhenTheFirstHostEnds)
{
    win::WinsockSession winsock;
    const TempFolder temp;
    const std::string scene = win::Utf8FromWide(FreshGuidText());
    const std::uint16_t firstPort = FreeLoopbackPort(), secondPort = FreeLoopbackPort();
    const Install first = InstallServing(temp.Path(), L"a", firstPort, scene);
    const Install second = InstallServing(temp.Path(), L"b", secondPort, scene);

    ChildProcess firstHost = RunHost(first, 60);
    ASSERT_TRUE(WaitUntil(30000, [&] { return Serves(firstPort, scene); }));
    ChildProcess secondHost = RunHost(second, 600);
    const std::wstring secondLog = second.root + L"plugins\\VantoPlauditor\\Plauditor.log";
    ASSERT_TRUE(WaitUntil(30000, [&] {
        return ReadFileBytes(secondLog).find("waiting to take over") != std::string::npos;
    }));
    ASSERT_EQ(firstHost.Wait(60000), 0);
    ASSERT_TRUE(WaitUntil(20000, [&] { return Serves(secondPort, scene); }))
        << "the second host's companion did not take the scene over";
    ExpectGiftInFrames(secondPort, second.frames);
    EXPECT_TRUE(secondHost.Running());
    secondHost.Kill();
}
