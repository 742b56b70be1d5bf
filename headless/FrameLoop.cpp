#include "headless/FrameLoop.h"
#include "headless/GifFile.h"
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
    std::unique_ptr<GifFile> gif;
    if (!settings.gifPath.empty()) {
        gif = std::make_unique<GifFile>(HostFrameWidth(graphics), HostFrameHeight(graphics),
                                        GifFrameDelay(settings.fps, settings.pngEvery));
        if (!gif->Open(settings.gifPath)) {
            result.error = L"cannot write " + settings.gifPath;
            return result;
        }
    }

    const float seconds = static_cast<float>(1.0 / settings.fps);
    const double start = MonotonicSeconds();
    ProgressMeter progress(0.0);
    for (int i = 0; i < settings.frames; ++i) {
        if (settings.realtime)
            SleepUntil(start + i / settings.fps);
        HostClearFrame(graphics, canvasColour);
        const double frameStart = MonotonicSeconds();
        for (LiveSource &source : sources) {
            if (!source.source)
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
                gif->AddFrame(HostFramePixels(graphics));
                ++result.gifFrames;
            }
        }
        if (settings.progress)
            if (auto line = progress.After(i + 1, settings.frames, SecondsSince(start)))
                std::fprintf(stderr, "%s\n", line->c_str());
    }
    if (gif && !gif->Close() && result.error.empty())
        result.error = L"cannot write " + settings.gifPath;
    return result;
}
