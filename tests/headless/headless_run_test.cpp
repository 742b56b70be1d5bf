// Runs the headless host program itself against the fixture plug-in.
#include "tests/headless/HeadlessTestSupport.h"

#include <gtest/gtest.h>
#include <stb/stb_image.h>

namespace fs = std::filesystem;

namespace {

const std::string twoScenes = R"({"scenes": {
  "First": {"sources": {
    "Red": {"class": "Fixture Solid", "x": 2.0, "y": 3.0, "cx": 4.0, "cy": 5.0, "new": 1,
            "data": {"color": -65536, "warn": 7, "box": 1}},
    "Sized": {"class": "Fixture Solid", "x": 20.0, "y": 0.0, "data": {"color": -16711936}}}},
  "Second": {"sources": {
    "Plain": {"class": "Fixture Solid", "x": 0.0, "y": 10.0, "cx": 8.0, "cy": 2.0}}}}})";

class HeadlessRun : public ::testing::Test {
protected:
    TempFolder folder;
    std::wstring scenes = folder / L"scenes.json";
    std::wstring out = folder / L"out";

    void SetUp() override { WriteFileBytes(scenes, twoScenes); }

    HostRun Run(std::vector<std::wstring> extra)
    {
        std::vector<std::wstring> arguments = {L"--root", FixtureRoot(), L"--scenes", scenes, L"--out", out,
                                               L"--size", L"64x32", L"--quiet"};
        arguments.insert(arguments.end(), extra.begin(), extra.end());
        return RunHeadlessHost(arguments);
    }
};

TEST_F(HeadlessRun, RendersFramesAndReportsTheRun)
{
    const HostRun run = Run({L"--frames", L"5", L"--fps", L"20", L"--png-every", L"2", L"--gif", out + L"\\a.gif",
                             L"--video", out + L"\\a.mp4", L"--switch", L"3:Second"});
    ASSERT_EQ(run.exitCode, 0) << run.errorOutput;

    for (const wchar_t *name : {L"frame_00000.png", L"frame_00002.png", L"frame_00004.png", L"a.gif", L"a.mp4", L"summary.json"})
        EXPECT_TRUE(fs::exists(fs::path(out) / name)) << fs::path(name).string();
    EXPECT_FALSE(fs::exists(fs::path(out) / L"frame_00001.png"));

    const nlohmann::json summary = ReadJsonFile(out + L"\\summary.json");
    ASSERT_FALSE(summary.is_discarded());
    EXPECT_EQ(summary["frames"], 5);
    EXPECT_EQ(summary["fps"], 20.0);
    EXPECT_EQ(summary["size"], (nlohmann::json{{"width", 64}, {"height", 32}}));
    EXPECT_EQ(summary["pngWritten"], 3);
    EXPECT_EQ(summary["gifFrames"], 3);
    EXPECT_EQ(summary["videoFrames"], 5);
    EXPECT_EQ(summary["plugins"][0]["file"], "FixturePlugin.dll");
    EXPECT_EQ(summary["plugins"][0]["name"], "Fixture plug-in");
    EXPECT_EQ(summary["registeredClasses"],
              (nlohmann::json::array({{{"class", "Fixture Solid"}, {"displayName", "Fixture display"}}})));
    EXPECT_EQ(summary["liveBlocksAtExit"], summary["liveBlocksBeforeSources"]);
    EXPECT_EQ(summary["warnings"], nlohmann::json::array({"fixture warning 7"}));
    EXPECT_EQ(summary["messageBoxes"], nlohmann::json::array({"Fixture: fixture box"}));
    EXPECT_TRUE(summary["error"].is_null());

    const nlohmann::json &sources = summary["sources"];
    ASSERT_EQ(sources.size(), 3u);
    EXPECT_EQ(sources[0]["scene"], "First");
    EXPECT_EQ(sources[0]["name"], "Red");
    EXPECT_EQ(sources[0]["class"], "Fixture Solid");
    EXPECT_EQ(sources[0]["x"], 2.0);
    EXPECT_EQ(sources[0]["cy"], 5.0);
    EXPECT_EQ(sources[0]["text"], "solid FFFF0000");
    EXPECT_EQ(sources[0]["textureWidth"], 2);
    EXPECT_EQ(sources[0]["effectiveSettings"]["color"], 0xFFFF0000u);
    EXPECT_EQ(sources[0]["effectiveSettings"]["pad"].get<std::string>().size(), 5000u);
    EXPECT_EQ(summary["liveScenes"], nlohmann::json::parse(R"([{"frame": 0, "scene": "First"},
                                                               {"frame": 3, "scene": "Second"}])"));
    // Configured as new, ticked every frame its scene was live, begun and ended once.
    EXPECT_EQ(sources[0]["settings"]["configured"], 1);
    EXPECT_EQ(sources[0]["settings"]["ticks"], 3);
    EXPECT_EQ(sources[0]["settings"]["lastTick"].get<float>(), 0.05f);
    EXPECT_EQ(sources[0]["settings"]["begun"], 1);
    EXPECT_EQ(sources[0]["settings"]["ended"], 1);
    // Without "cx"/"cy" the source's own size is used; "Sized" was not new, so not configured.
    EXPECT_EQ(sources[1]["cx"], 50.0);
    EXPECT_EQ(sources[1]["cy"], 40.0);
    EXPECT_FALSE(sources[1]["settings"].contains("configured"));
    // A source without "data" gets one.
    EXPECT_EQ(sources[2]["settings"]["ticks"], 2);
    EXPECT_EQ(sources[2]["settings"]["begun"], 1);
    EXPECT_EQ(sources[2]["settings"]["ended"], 1);
}

// One scene is live at a time, as in a broadcast host: the other scenes' sources are made
// but never begun nor called for a frame.
TEST_F(HeadlessRun, OnlyTheLiveSceneRuns)
{
    ASSERT_EQ(Run({L"--frames", L"3", L"--no-png"}).exitCode, 0);
    nlohmann::json sources = ReadJsonFile(out + L"\\summary.json")["sources"];
    EXPECT_EQ(sources[0]["settings"]["ticks"], 3);
    EXPECT_FALSE(sources[2]["settings"].contains("ticks"));
    EXPECT_FALSE(sources[2]["settings"].contains("begun"));

    ASSERT_EQ(Run({L"--frames", L"3", L"--no-png", L"--scene", L"Second", L"--switch", L"2:Second"}).exitCode, 0);
    sources = ReadJsonFile(out + L"\\summary.json")["sources"];
    EXPECT_EQ(sources[2]["settings"]["ticks"], 3);
    EXPECT_EQ(sources[2]["settings"]["begun"], 2);  // a switch to the live scene starts it again
    EXPECT_EQ(sources[0]["settings"]["ticks"], 3);  // from the first run, saved
    EXPECT_EQ(sources[0]["settings"]["begun"], 1);

    const HostRun unknown = Run({L"--frames", L"3", L"--switch", L"1:Third"});
    EXPECT_EQ(unknown.exitCode, 2);
    EXPECT_NE(unknown.errorOutput.find("no scene \"Third\""), std::string::npos) << unknown.errorOutput;
}

TEST_F(HeadlessRun, SavesTheSceneCollectionBackWithThePluginsChanges)
{
    ASSERT_EQ(Run({L"--frames", L"3", L"--no-png", L"--switch", L"2:Second"}).exitCode, 0);
    const nlohmann::json saved = ReadJsonFile(scenes);
    ASSERT_FALSE(saved.is_discarded());
    const nlohmann::json &first = saved["scenes"]["First"]["sources"];
    EXPECT_FALSE(first["Red"].contains("new"));
    EXPECT_EQ(first["Red"]["data"]["ticks"], 2);
    EXPECT_EQ(first["fixtureScene"], "seen");
    EXPECT_EQ(saved["scenes"]["Second"]["sources"]["Plain"]["data"]["ended"], 1);
    EXPECT_FALSE(fs::exists(fs::path(out) / L"frame_00000.png"));
}

TEST_F(HeadlessRun, FramesShowTheSourcesWhereTheSceneSaysOnTheCanvas)
{
    ASSERT_EQ(Run({L"--frames", L"2", L"--switch", L"1:Second"}).exitCode, 0);
    int width = 0, height = 0, channels = 0;
    stbi_uc *rgba = nullptr;
    const auto load = [&](const wchar_t *name) {
        stbi_image_free(rgba);
        const std::string png = ReadFileBytes(out + L"\\" + name);
        rgba = stbi_load_from_memory(reinterpret_cast<const stbi_uc *>(png.data()), int(png.size()), &width,
                                     &height, &channels, 4);
        return rgba != nullptr && width == 64;
    };
    auto pixel = [&](int x, int y) {
        const stbi_uc *p = rgba + (y * width + x) * 4;
        return uint32_t(p[3]) << 24 | p[0] << 16 | p[1] << 8 | p[2];
    };
    ASSERT_TRUE(load(L"frame_00000.png"));
    EXPECT_EQ(pixel(2, 3), 0xFFFF0000u);    // "Red" at (2, 3), 4 x 5
    EXPECT_EQ(pixel(5, 7), 0xFFFF0000u);
    EXPECT_EQ(pixel(6, 3), 0xFF202020u);
    EXPECT_EQ(pixel(20, 0), 0xFF00FF00u);   // "Sized" at (20, 0), its own 50 x 40
    EXPECT_EQ(pixel(63, 31), 0xFF00FF00u);
    EXPECT_EQ(pixel(1, 11), 0xFF202020u);   // "Plain" is in the other scene
    ASSERT_TRUE(load(L"frame_00001.png"));
    EXPECT_EQ(pixel(7, 11), 0xFFFF0000u);   // "Plain" at (0, 10), 8 x 2, in the default red
    EXPECT_EQ(pixel(7, 12), 0xFF202020u);
    EXPECT_EQ(pixel(1, 20), 0xFF202020u);
    EXPECT_EQ(pixel(2, 3), 0xFF202020u);    // the first scene is no longer live
    EXPECT_EQ(pixel(63, 31), 0xFF202020u);
    stbi_image_free(rgba);
}

TEST_F(HeadlessRun, RasteriseSwitchCallsThePluginExport)
{
    ASSERT_EQ(Run({L"--frames", L"1", L"--no-png", L"--rasterise"}).exitCode, 0);
    const nlohmann::json summary = ReadJsonFile(out + L"\\summary.json");
    EXPECT_EQ(summary["sources"][0]["settings"]["rasterised"], 1);
    EXPECT_EQ(summary["sources"][2]["settings"]["rasterised"], 1);
}

// A slow rebuild on demand is a stall like any other: the frame figures show it.
TEST_F(HeadlessRun, RasteriseTimeCountsInTheFrameFigures)
{
    WriteFileBytes(scenes, R"({"scenes": {"S": {"sources": {
        "Slow": {"class": "Fixture Solid", "data": {"rasteriseSleep": 600}}}}}})");
    ASSERT_EQ(Run({L"--frames", L"2", L"--no-png", L"--rasterise"}).exitCode, 0);
    const nlohmann::json summary = ReadJsonFile(out + L"\\summary.json");
    EXPECT_GE(summary["maxFrameMilliseconds"].get<double>(), 600.0);
    EXPECT_GE(summary["rasteriseMilliseconds"].get<double>(), 600.0);
}

TEST_F(HeadlessRun, BadArgumentsExitWithTwoAndWriteNothing)
{
    const HostRun run = Run({L"--frames", L"zero"});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_NE(run.errorOutput.find("--frames"), std::string::npos);
    EXPECT_EQ(std::count(run.errorOutput.begin(), run.errorOutput.end(), '\n'), 1);
    EXPECT_FALSE(fs::exists(out));
    EXPECT_EQ(ReadFileBytes(scenes), twoScenes);
}

TEST_F(HeadlessRun, BadSceneFilesExitWithTwoAndStayUntouched)
{
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"{\"scenes\": ", "scene file"},
        {R"({"scenes": {"S": {"sources": {"X": {"x": 1}}}}})", "\"X\""},
        {R"({"scenes": {"S": {"sources": {"X": {"class": "Nobody"}}}}})", "Nobody"},
    };
    for (const auto &[text, named] : cases) {
        WriteFileBytes(scenes, text);
        const HostRun run = Run({L"--frames", L"1"});
        EXPECT_EQ(run.exitCode, 2) << text;
        EXPECT_NE(run.errorOutput.find(named), std::string::npos) << run.errorOutput;
        EXPECT_FALSE(fs::exists(out)) << text;
        EXPECT_EQ(ReadFileBytes(scenes), text);
    }
    const HostRun missing = RunHeadlessHost({L"--scenes", folder / L"none.json", L"--out", out, L"--quiet"});
    EXPECT_EQ(missing.exitCode, 2);
    EXPECT_NE(missing.errorOutput.find("none.json does not exist"), std::string::npos) << missing.errorOutput;
    ASSERT_TRUE(fs::create_directory(folder / L"folder.json"));
    const HostRun aFolder = RunHeadlessHost({L"--scenes", folder / L"folder.json", L"--out", out, L"--quiet"});
    EXPECT_EQ(aFolder.exitCode, 2);
    EXPECT_NE(aFolder.errorOutput.find("folder.json is a folder"), std::string::npos) << aFolder.errorOutput;
    EXPECT_FALSE(fs::exists(out));
}

} // namespace

TEST_F(HeadlessRun, TransparentBackgroundLeavesTheCanvasClear)
{
    ASSERT_EQ(Run({L"--frames", L"1", L"--background", L"transparent"}).exitCode, 0);
    int width = 0, height = 0, channels = 0;
    const std::string png = ReadFileBytes(out + L"\\frame_00000.png");
    stbi_uc *rgba = stbi_load_from_memory(reinterpret_cast<const stbi_uc *>(png.data()), int(png.size()), &width,
                                          &height, &channels, 4);
    ASSERT_NE(rgba, nullptr);
    EXPECT_EQ(rgba[(3 * width + 6) * 4 + 3], 0);      // canvas
    EXPECT_EQ(rgba[(3 * width + 2) * 4 + 3], 255);    // "Red"
    stbi_image_free(rgba);
}

// An ffmpeg that cannot start fails the run at once, naming the file and the program.
TEST_F(HeadlessRun, AnimationWithoutFfmpegFailsClearly)
{
    const HostRun run = Run({L"--frames", L"3", L"--video", out + L"\\a.mp4", L"--ffmpeg", folder / L"no-ffmpeg.exe"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.errorOutput.find("a.mp4: cannot start"), std::string::npos) << run.errorOutput;
    EXPECT_NE(run.errorOutput.find("no-ffmpeg.exe"), std::string::npos) << run.errorOutput;
    EXPECT_FALSE(fs::exists(out + L"\\frame_00000.png"));
}
