// The headless host with the shipped sample scene collection and no companion: the class is
// registered, the source is configured and created with its default settings, and every
// block it took from the host's allocator is back at the end.
#include "E2eSupport.h"
#include "support/ChildProcess.h"

#include <gtest/gtest.h>

namespace {

TEST(SampleScene, RunsTenFramesWithTheDefaultSettings)
{
    const TempFolder temp;
    const std::wstring &folder = temp.Path();
    CopyFileW((TestBinFolder() + L"samples\\sample_scenes.json").c_str(),
              (folder + L"scenes.json").c_str(), FALSE);
    ChildProcess host(InstallHost(folder) + L"headless_host.exe",
                      L"--scenes \"" + folder + L"scenes.json\" --frames 10 --no-png --quiet"
                      L" --out \"" + folder + L"out\"");
    ASSERT_EQ(host.Wait(60000), 0);

    const nlohmann::json summary = ReadJsonFile(folder + L"out\\summary.json");
    ASSERT_TRUE(summary.is_object());
    EXPECT_EQ(summary["frames"], 10);
    ASSERT_EQ(summary["registeredClasses"].size(), 1u);
    EXPECT_EQ(summary["registeredClasses"][0]["class"], "Hollin答谢水友插件(Vanto)");
    EXPECT_EQ(summary["registeredClasses"][0]["displayName"], "HollinVanto感谢插件");

    ASSERT_EQ(summary["sources"].size(), 1u);
    const nlohmann::json &settings = summary["sources"][0]["effectiveSettings"];
    EXPECT_EQ(settings["font"], "Arial");
    EXPECT_EQ(settings["fontSize"], 48);
    EXPECT_EQ(settings["color"], "0xFFFFFFFF");
    EXPECT_EQ(settings["textOpacity"], 100);
    EXPECT_EQ(settings["outlineSize"], 2);
    EXPECT_EQ(settings["outlineColor"], "0xFF000000");
    EXPECT_EQ(settings["outlineOpacity"], 100);
    EXPECT_EQ(settings["backgroundColor"], "0xFF000000");
    EXPECT_EQ(settings["backgroundOpacity"], 0);
    EXPECT_EQ(settings["scrollSpeed"], 0);
    // The configure callback measured the base size from the font.
    EXPECT_GT(settings["baseSizeCX"].get<double>(), 32.0);
    EXPECT_GE(settings["baseSizeCY"].get<double>(), 48.0);
    EXPECT_EQ(summary["liveBlocksAtExit"], summary["liveBlocksBeforeSources"]);
    // No companion here: its start is logged as failed, nothing else goes wrong.
    EXPECT_TRUE(summary["warnings"].empty());
}

} // namespace
