#include "headless/HostOptions.h"

#include <gtest/gtest.h>

namespace {

using Args = std::vector<std::wstring>;

CommandLineResult Parse(Args extra)
{
    Args arguments = {L"--scenes", L"s.json", L"--out", L"out"};
    arguments.insert(arguments.end(), extra.begin(), extra.end());
    return ParseCommandLine(arguments);
}

TEST(CommandLine, ReadsValuesAndSwitches)
{
    const CommandLineResult result =
        Parse({L"--fps", L"29.97", L"--size", L"640x360", L"--png-every", L"10", L"--no-png", L"--gif", L"a.gif",
               L"--video", L"b.webm", L"--background", L"transparent", L"--ffmpeg", L"C:\\ff\\ffmpeg.exe"});
    ASSERT_TRUE(result.ok);
    EXPECT_DOUBLE_EQ(result.options.fps, 29.97);
    EXPECT_EQ(result.options.width, 640u);
    EXPECT_EQ(result.options.height, 360u);
    EXPECT_EQ(result.options.pngEvery, 10);
    EXPECT_FALSE(result.options.writePng);
    EXPECT_EQ(result.options.gifPath, L"a.gif");
    EXPECT_EQ(result.options.videoPath, L"b.webm");
    EXPECT_EQ(result.options.background, 0u);
    EXPECT_EQ(result.options.ffmpegProgram, L"C:\\ff\\ffmpeg.exe");
    EXPECT_EQ(Parse({L"--background", L"#102030"}).options.background, 0xFF102030u);
    EXPECT_EQ(Parse({L"--background", L"#80102030"}).options.background, 0x80102030u);
    EXPECT_EQ(Parse({}).options.background, 0xFF202020u);
}

TEST(CommandLine, ReadsTheLiveSceneAndItsSwitches)
{
    const CommandLineResult result =
        Parse({L"--scene", L"Intro", L"--frames", L"90", L"--switch", L"30:Live: main", L"--switch", L"89:Intro"});
    ASSERT_TRUE(result.ok) << std::string(result.error.begin(), result.error.end());
    EXPECT_EQ(result.options.scene, L"Intro");
    ASSERT_EQ(result.options.switches.size(), 2u);
    EXPECT_EQ(result.options.switches[0].frame, 30);
    EXPECT_EQ(result.options.switches[0].scene, L"Live: main");
    EXPECT_EQ(result.options.switches[1].frame, 89);
    EXPECT_TRUE(Parse({}).options.scene.empty());
}

// Each bad command line fails with a message that names the offending option.
TEST(CommandLine, RefusesBadValuesNamingTheOption)
{
    const std::vector<std::pair<Args, std::wstring>> cases = {
        {{L"--frames", L"0"}, L"--frames"},
        {{L"--frames", L"-3"}, L"--frames"},
        {{L"--frames", L"1.5"}, L"--frames"},
        {{L"--frames", L"many"}, L"--frames"},
        {{L"--frames", L"99999999999999"}, L"--frames"},
        {{L"--fps", L"0"}, L"--fps"},
        {{L"--fps", L"-30"}, L"--fps"},
        {{L"--fps", L"nan"}, L"--fps"},
        {{L"--fps", L"1e999"}, L"--fps"},
        {{L"--fps", L"30fps"}, L"--fps"},
        {{L"--size", L"1280"}, L"--size"},
        {{L"--size", L"0x720"}, L"--size"},
        {{L"--size", L"1280x"}, L"--size"},
        {{L"--size", L"100000x100000"}, L"--size"},
        {{L"--size", L"12a0x720"}, L"--size"},
        {{L"--png-every", L"0"}, L"--png-every"},
        {{L"--frames"}, L"--frames"},
        {{L"--gif", L"--quiet"}, L"--gif"},
        {{L"--video", L""}, L"--video"},
        {{L"--background", L"red"}, L"--background"},
        {{L"--background", L"#12345"}, L"--background"},
        {{L"--background", L"#GG0000"}, L"--background"},
        {{L"--root", L""}, L"--root"},
        {{L"--bogus"}, L"--bogus"},
        {{L"stray"}, L"stray"},
        {{L"--quiet", L"--quiet"}, L"--quiet"},
        {{L"--frames", L"1", L"--frames", L"2"}, L"--frames"},
        {{L"--scene", L""}, L"--scene"},
        {{L"--switch", L"0:A"}, L"--switch"},
        {{L"--switch", L"5"}, L"--switch"},
        {{L"--switch", L"5:"}, L"--switch"},
        {{L"--switch", L"9:A", L"--switch", L"9:B"}, L"--switch"},
        {{L"--switch", L"60:A"}, L"--switch"},  // the run has 60 frames: never reached
    };
    for (const auto &[extra, named] : cases) {
        const CommandLineResult result = Parse(extra);
        std::string shown;
        for (const std::wstring &argument : extra)
            shown += std::string(argument.begin(), argument.end()) + " ";
        EXPECT_FALSE(result.ok) << shown;
        EXPECT_NE(result.error.find(named), std::wstring::npos) << shown;
        EXPECT_EQ(result.error.find(L'\n'), std::wstring::npos) << shown;
    }
}

TEST(CommandLine, ScenesAndOutAreRequiredUnlessHelpIsAsked)
{
    EXPECT_TRUE(Parse({}).ok);
    CommandLineResult result = ParseCommandLine({L"--out", L"o"});
    EXPECT_FALSE(result.ok);
    EXPECT_NE(result.error.find(L"--scenes"), std::wstring::npos);
    result = ParseCommandLine({L"--scenes", L"s.json"});
    EXPECT_FALSE(result.ok);
    EXPECT_NE(result.error.find(L"--out"), std::wstring::npos);

    result = ParseCommandLine({L"--help"});
    EXPECT_TRUE(result.ok);
    EXPECT_TRUE(result.options.help);
}

} // namespace
