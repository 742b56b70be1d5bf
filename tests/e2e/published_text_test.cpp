// The main job from the outside: a producer publishes a thank-you line and a style for a
// scene, the headless host runs that scene with our plug-in, and the line is in the frame.
#include "E2eSupport.h"
#include "support/ChildProcess.h"
#include "support/PublisherProcess.h"

#include <gtest/gtest.h>

namespace {

std::string SceneCollection(const std::wstring &sceneGuid, const std::wstring &sourceGuid)
{
    nlohmann::ordered_json data = {{"guid", win::Utf8FromWide(sourceGuid)},
                                   {"baseSizeCX", 600.0},
                                   {"baseSizeCY", 160.0}};
    nlohmann::ordered_json source = {{"class", "Hollin答谢水友插件(Vanto)"},
                                     {"x", 20.0}, {"y", 20.0}, {"cx", 600.0}, {"cy", 160.0},
                                     {"data", data}};
    nlohmann::ordered_json sources = {{"sceneGuid", win::Utf8FromWide(sceneGuid)}, {"Thanks", source}};
    return nlohmann::ordered_json{{"scenes", {{"Live", {{"sources", sources}}}}}}.dump(2);
}

bool IsRed(int r, int g, int b) { return r > 180 && g < 90 && b < 90; }


TEST(PublishedText, ShowsInTheFrameWithThePublishedStyle)
{
    const TempFolder temp;
    const std::wstring &folder = temp.Path();
    const std::wstring sceneGuid = FreshGuidText();
    WriteFileBytes(folder + L"scenes.json", SceneCollection(sceneGuid, FreshGuidText()));

    PublisherProcess text(L"--scene " + sceneGuid + L" --text 101 0 \"感谢 Alice 送出的 1 个 火箭\"");
    // Red (0xFFFF0000) WenQuanYi at 40, no outline, no background.
    PublisherProcess style(L"--scene " + sceneGuid + L" --style 202 \"WenQuanYi Zen Hei\" 40 0xFFFF0000"
                           L" 100 0 0xFF000000 0 0 0 0 0 0 0 0xFF000000 2 100 0 0 0 0 0 0");
    ASSERT_TRUE(text.WaitReady() && style.WaitReady());

    ChildProcess host(InstallHost(folder) + L"headless_host.exe",
                      L"--scenes \"" + folder + L"scenes.json\" --frames 4 --fps 30"
                      L" --size 640x200 --out \"" + folder + L"out\" --quiet");
    ASSERT_EQ(host.Wait(120000), 0);

    const nlohmann::json summary = ReadJsonFile(folder + L"out\\summary.json");
    ASSERT_TRUE(summary.is_object());
    ASSERT_EQ(summary["sources"].size(), 1u);
    const nlohmann::json &shown = summary["sources"][0];
    EXPECT_EQ(shown["text"], "感谢 Alice 送出的 1 个 火箭");
    EXPECT_EQ(shown["settings"]["font"], "WenQuanYi Zen Hei");
    EXPECT_EQ(shown["settings"]["fontSize"], 40);
    EXPECT_EQ(shown["settings"]["color"], -65536);
    EXPECT_EQ(shown["settings"]["mode"], 0);
    EXPECT_EQ(summary["liveBlocksAtExit"], summary["liveBlocksBeforeSources"]);

    const Picture frame = ReadPng(folder + L"out\\frame_00003.png");
    ASSERT_TRUE(frame.Loaded());
    EXPECT_GT(CountPixels(frame, 20, 20, 620, 180, IsRed), 200);
    EXPECT_EQ(CountPixels(frame, 0, 0, 640, 20, IsRed), 0);
}

} // namespace
