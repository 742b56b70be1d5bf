#include "headless/FrameLoop.h"
#include "headless/FfmpegProcess.h"
#include "headless/HostPaths.h"
#include "headless/MonotonicClock.h"
#include "headless/Progress.h"
#include "hostlib/HostGraphicsControl.h"

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <memory>

namespace {

double SecondsSince(double start)
{
    return MonotonicSeconds() - start;
}

} // namespace

std::wstring FramePngName(int frameIndex)
{
    wchar_t name[32];
    std::swprintf(name, 32, L"frame_%05d.png", frameIndex);
    return name;
}

FrameLoopResult RunFrames(GraphicsSystem *graphics, std::vector<LiveSource> &sources,
                          const FrameLoopSettings &settings)
{
    FrameLoopResult result;
    result.scene = settings.scene;
    const std::wstring ffmpeg = settings.ffmpegProgram.empty() ? DefaultFfmpegProgram() : settings.ffmpegProgram;
    const bool transparent = (settings.background >> 24) != 0xFF;
    // One ffmpeg per animation; nothing is rendered when one cannot start.
    const auto start = [&](const std::wstring &path, AnimationKind kind, double fps) {
        std::unique_ptr<FfmpegProcess> encoder;
        if (path.empty() || !result.error.empty())
            return encoder;
        encoder = std::make_unique<FfmpegProcess>();
        const AnimationRequest request{kind, path, HostFrameWidth(graphics), HostFrameHeight(graphics), fps, transparent};
        if (!encoder->Start(ffmpeg, request))
            result.error = L"cannot write " + path + L": " + encoder->Error();
        return encoder;
    };
    std::unique_ptr<FfmpegProcess> gif = start(settings.gifPath, AnimationKind::Gif, settings.fps / settings.pngEvery);
    std::unique_ptr<FfmpegProcess> video = start(settings.videoPath, VideoKindForPath(settings.videoPath), settings.fps);
    if (!result.error.empty())
        return result;

    auto nextSwitch = settings.switches.begin();
    const float seconds = static_cast<float>(1.0 / settings.fps);
    const double begin = MonotonicSeconds();
    ProgressMeter progress(0.0);
    for (int i = 0; i < settings.frames; ++i) {
        if (settings.realtime)
            SleepUntil(begin + i / settings.fps);
        if (nextSwitch != settings.switches.end() && nextSwitch->frame == i) {
            EndScene(sources, result.scene);
            result.scene = nextSwitch->scene;
            BeginScene(sources, result.scene);
            ++nextSwitch;
        }
        HostClearFrame(graphics, settings.background);
        const double frameStart = MonotonicSeconds();
        for (LiveSource &source : sources) {
            if (!source.source || source.entry.sceneName != result.scene)
                continue;
            source.source->Preprocess();
            source.source->Tick(seconds);
            source.source->Render(source.position, source.size);
        }
        result.maxFrameMilliseconds = std::max(result.maxFrameMilliseconds, SecondsSince(frameStart) * 1000.0);
        ++result.framesRendered;

        if (i % settings.pngEvery == 0) {
            if (settings.writePng) {
                const std::wstring path = JoinPath(settings.outDir, FramePngName(i));
                if (!HostSaveFramePng(graphics, path.c_str())) {
                    result.error = L"cannot write " + path;
                    break;
                }
                ++result.pngWritten;
            }
            if (gif) {
                if (!gif->AddFrame(HostFramePixels(graphics))) {
                    result.error = L"cannot write " + settings.gifPath + L": " + gif->Error();
                    break;
                }
                ++result.gifFrames;
            }
        }
        if (video) {
            if (!video->AddFrame(HostFramePixels(graphics))) {
                result.error = L"cannot write " + settings.videoPath + L": " + video->Error();
                break;
            }
            ++result.videoFrames;
        }
        if (settings.progress)
            if (auto line = progress.After(i + 1, settings.frames, SecondsSince(begin)))
                std::fprintf(stderr, "%s\n", line->c_str());
    }
    // Both files are finished, even after a failure, so neither ffmpeg is left waiting.
    for (const auto &[encoder, path] : {std::pair{gif.get(), &settings.gifPath}, std::pair{video.get(), &settings.videoPath}})
        if (encoder && !encoder->Finish() && result.error.empty())
            result.error = L"cannot write " + *path + L": " + encoder->Error();
    return result;
}
