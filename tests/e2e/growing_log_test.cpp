// A source reading a gift log in bottom-anchored scroll mode: the log grows while the
// headless host runs the scene, a thank-you arrives, and the frame shows the log's last lines.
#include "E2eSupport.h"
#include "support/ChildProcess.h"
#include "support/PublisherProcess.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace {

std::string GiftLines(int first, int last)
{
    std::string lines;
    for (int i = first; i <= last; ++i) {
        char line[80];
        std::snprintf(line, sizeof line, "感谢 观众%05d 送出的 1 个 火箭\r\n", i);
        lines += line;
    }
    return lines;
}

bool IsRed(int r, int g, int b) { return r > 180 && g < 90 && b < 90; }

TEST(GrowingLog, TheFrameShowsItsLastLines)
{
    const TempFolder temp;
    const std::wstring &folder = temp.Path();
    const std::wstring sceneGuid = FreshGuidText();
    const std::wstring logPath = folder + L"gifts.log";
    ASSERT_TRUE(WriteFileBytes(logPath, GiftLines(1, 10000)));

    const nlohmann::ordered_json data = {
        {"guid", win::Utf8FromWide(FreshGuidText())}, {"baseSizeCX", 600.0}, {"baseSizeCY", 160.0},
        {"mode", 1}, {"file", win::Utf8FromWide(logPath)}, {"font", "WenQuanYi Zen Hei"}, {"fontSize", 24},
        {"color", -65536}, {"useTextExtents", 1}, {"extentWidth", 600}, {"extentHeight", 160},
        {"wrap", 1}, {"scrollMode", 1}};
    const nlohmann::ordered_json source = {{"class", "Hollin答谢水友插件(Vanto)"}, {"x", 20.0}, {"y", 20.0},
                                           {"cx", 600.0}, {"cy", 160.0}, {"data", data}};
    const nlohmann::ordered_json scenes = {
        {"scenes", {{"Live", {{"sources", {{"sceneGuid", win::Utf8FromWide(sceneGuid)}, {"Log", source}}}}}}}};
    ASSERT_TRUE(WriteFileBytes(folder + L"scenes.json", scenes.dump(2)));

    ChildProcess host(InstallHost(folder) + L"headless_host.exe",
                      L"--scenes \"" + folder + L"scenes.json\" --frames 150 --fps 30 --realtime --png-every 10"
                      L" --size 640x200 --out \"" + folder + L"out\" --quiet");
    for (int line = 10001; line <= 10005; ++line) {
        Sleep(100);
        ASSERT_TRUE(AppendFileBytes(logPath, GiftLines(line, line)));
    }
    // A thank-you from the companion (text mode 1: from the file) rebuilds the text.
    PublisherProcess thanks(L"--scene " + sceneGuid + L" --text 301 1 \"from the file\"");
    ASSERT_TRUE(thanks.WaitReady());
    ASSERT_EQ(host.Wait(180000), 0);

    const nlohmann::json summary = ReadJsonFile(folder + L"out\\summary.json");
    ASSERT_TRUE(summary.is_object());
    const std::string shown = summary["sources"][0]["text"].get<std::string>();
    const std::string last = GiftLines(10005, 10005);
    ASSERT_GE(shown.size(), last.size());
    EXPECT_EQ(shown.substr(shown.size() - last.size()), last);
    EXPECT_EQ(shown.rfind("感谢 观众", 0), 0u) << shown;  // whole lines only
    EXPECT_TRUE(summary["warnings"].empty()) << summary["warnings"].dump();

    // The box's bottom line is drawn: the newest line sits at the bottom of the extents.
    const Picture frame = ReadPng(folder + L"out\\frame_00140.png");
    ASSERT_TRUE(frame.Loaded());
    EXPECT_GT(CountPixels(frame, 20, 150, 620, 180, IsRed), 100);
    EXPECT_EQ(CountPixels(frame, 0, 181, 640, 200, IsRed), 0);
}

} // namespace
