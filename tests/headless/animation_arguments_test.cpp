#include "headless/AnimationArguments.h"
#include "win/CommandLine.h"

#include <windows.h>
#include <shellapi.h>

#include <gtest/gtest.h>

namespace {

std::wstring Joined(const std::vector<std::wstring> &arguments)
{
    std::wstring line;
    for (const std::wstring &argument : arguments)
        line += (line.empty() ? L"" : L" ") + argument;
    return line;
}

const std::wstring kInput = L"-f rawvideo -pix_fmt bgra -video_size 640x360 -framerate 29.97 -i tcp://127.0.0.1:5001";

} // namespace

TEST(AnimationArguments, EachKindGetsItsEncoder)
{
    AnimationRequest request{AnimationKind::Gif, L"/out/a b.gif", 640, 360, 29.97, false};
    EXPECT_EQ(Joined(FfmpegArguments(request, L"tcp://127.0.0.1:5001", L"tcp://127.0.0.1:5002")),
              L"-hide_banner -loglevel error -nostdin -nostats -y -progress tcp://127.0.0.1:5002 " + kInput +
                  L" -filter_complex split[a][b];[a]palettegen=stats_mode=full:reserve_transparent=0[p];"
                  L"[b][p]paletteuse=dither=sierra2_4a -loop 0 -f gif /out/a b.gif");

    request.kind = AnimationKind::Mp4;
    request.output = L"a.mp4";
    EXPECT_EQ(Joined(FfmpegArguments(request, L"tcp://127.0.0.1:5001", L"p")),
              L"-hide_banner -loglevel error -nostdin -nostats -y -progress p " + kInput +
                  L" -c:v libx264 -preset veryfast -crf 20 -pix_fmt yuv420p -movflags +faststart -f mp4 a.mp4");

    request.width = 641;   // H.264 in 4:2:0 wants even sides
    EXPECT_NE(Joined(FfmpegArguments(request, L"i", L"p")).find(L"-vf pad=ceil(iw/2)*2:ceil(ih/2)*2 -c:v libx264"),
              std::wstring::npos);

    request = {AnimationKind::WebM, L"t.webm", 640, 360, 30, true};
    const std::wstring webm = Joined(FfmpegArguments(request, L"i", L"p"));
    EXPECT_NE(webm.find(L"-c:v libvpx-vp9 -pix_fmt yuva420p "), std::wstring::npos) << webm;
    request.transparent = false;
    EXPECT_NE(Joined(FfmpegArguments(request, L"i", L"p")).find(L"-pix_fmt yuv420p "), std::wstring::npos);
}

TEST(AnimationArguments, VideoKindFollowsTheName)
{
    EXPECT_EQ(VideoKindForPath(L"C:\\out\\ticker.webm"), AnimationKind::WebM);
    EXPECT_EQ(VideoKindForPath(L"TICKER.WebM"), AnimationKind::WebM);
    EXPECT_EQ(VideoKindForPath(L"thanks.mp4"), AnimationKind::Mp4);
    EXPECT_EQ(VideoKindForPath(L"thanks"), AnimationKind::Mp4);
    EXPECT_EQ(VideoKindForPath(L"webm"), AnimationKind::Mp4);
    EXPECT_EQ(RateText(30.0), L"30");
    EXPECT_EQ(RateText(30.0 / 7), L"4.28571");
}

// What ffmpeg receives is exactly the arguments, spaces, quotes and backslashes included.
TEST(AnimationArguments, CommandLineSplitsBackIntoTheArguments)
{
    const std::vector<std::wstring> arguments = {L"plain", L"with space", L"", L"quote\"inside", L"C:\\dir\\",
                                                 L"C:\\dir with space\\", L"back\\\\\"slash", L"tab\there"};
    const std::wstring line = win::QuotedCommandLine(L"C:\\Program Files\\ffmpeg.exe", arguments);
    int count = 0;
    wchar_t **split = CommandLineToArgvW(line.c_str(), &count);
    ASSERT_NE(split, nullptr);
    ASSERT_EQ(count, static_cast<int>(arguments.size()) + 1) << std::string(line.begin(), line.end());
    EXPECT_STREQ(split[0], L"C:\\Program Files\\ffmpeg.exe");
    for (size_t i = 0; i < arguments.size(); ++i)
        EXPECT_EQ(split[i + 1], arguments[i]);
    LocalFree(split);
}
