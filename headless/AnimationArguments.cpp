#include "headless/AnimationArguments.h"

#include <cwchar>
#include <cwctype>

AnimationKind VideoKindForPath(const std::wstring &path)
{
    const std::wstring suffix = L".webm";
    if (path.size() < suffix.size())
        return AnimationKind::Mp4;
    for (size_t i = 0; i < suffix.size(); ++i)
        if (std::towlower(path[path.size() - suffix.size() + i]) != suffix[i])
            return AnimationKind::Mp4;
    return AnimationKind::WebM;
}

std::wstring RateText(double fps)
{
    wchar_t text[32];
    std::swprintf(text, 32, L"%.6g", fps);
    return text;
}

std::vector<std::wstring> FfmpegArguments(const AnimationRequest &request, const std::wstring &inputUrl,
                                          const std::wstring &progressUrl)
{
    std::vector<std::wstring> arguments = {
        L"-hide_banner", L"-loglevel", L"error", L"-nostdin", L"-nostats", L"-y", L"-progress", progressUrl,
        L"-f", L"rawvideo", L"-pix_fmt", L"bgra",
        L"-video_size", std::to_wstring(request.width) + L"x" + std::to_wstring(request.height),
        L"-framerate", RateText(request.fps), L"-i", inputUrl};
    const auto add = [&](std::initializer_list<std::wstring> more) { arguments.insert(arguments.end(), more); };
    switch (request.kind) {
    case AnimationKind::Gif:
        // One palette made for the whole clip; a transparent canvas keeps one entry for "none".
        add({L"-filter_complex",
             std::wstring(L"split[a][b];[a]palettegen=stats_mode=full:reserve_transparent=") +
                 (request.transparent ? L"1" : L"0") + L"[p];[b][p]paletteuse=dither=sierra2_4a",
             L"-loop", L"0", L"-f", L"gif"});
        break;
    case AnimationKind::Mp4:
        // H.264 in 4:2:0 needs even sides: an odd one gets a last row or column of black.
        if (request.width % 2 || request.height % 2)
            add({L"-vf", L"pad=ceil(iw/2)*2:ceil(ih/2)*2"});
        add({L"-c:v", L"libx264", L"-preset", L"veryfast", L"-crf", L"20", L"-pix_fmt", L"yuv420p",
             L"-movflags", L"+faststart", L"-f", L"mp4"});
        break;
    case AnimationKind::WebM:
        add({L"-c:v", L"libvpx-vp9", L"-pix_fmt", request.transparent ? L"yuva420p" : L"yuv420p", L"-b:v", L"0",
             L"-crf", L"32", L"-deadline", L"realtime", L"-cpu-used", L"8", L"-row-mt", L"1", L"-f", L"webm"});
        break;
    }
    arguments.push_back(request.output);
    return arguments;
}

