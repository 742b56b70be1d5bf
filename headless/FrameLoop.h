#pragma once
#include "headless/HostOptions.h"
#include "headless/SceneSources.h"

#include <string>
#include <vector>

struct FrameLoopSettings {
    int frames = 1;
    double fps = 30.0;
    int pngEvery = 1;
    bool writePng = true;
    std::wstring outDir;
    std::wstring gifPath;     // empty: no GIF
    std::wstring videoPath;   // empty: no video
    std::wstring ffmpegProgram;
    DWORD background = 0xFF202020;
    bool realtime = false;
    bool progress = true;
    std::wstring scene;                 // live from the first frame, already begun
    std::vector<SceneSwitch> switches;  // in frame order
};

struct FrameLoopResult {
    int framesRendered = 0;
    int pngWritten = 0;
    int gifFrames = 0;
    int videoFrames = 0;
    double maxFrameMilliseconds = 0.0;   // the slowest Preprocess+Tick+Render of all sources
    std::wstring scene;                  // live after the last frame
    std::wstring error;                  // set when an output could not be written
};

// The canvas colour behind every frame unless the host is told otherwise.
constexpr DWORD canvasColour = 0xFF202020;

// Frame i is written (as out\frame_{i:05}.png and into the GIF) when i % pngEvery == 0; every
// frame goes into the video.
std::wstring FramePngName(int frameIndex);

// Renders the frames: each clears the canvas to the background, then runs Preprocess, Tick(1/fps) and
// Render(position, size) of every source of the live scene in order, then writes what is due.
// A switch due at a frame ends the live scene and begins the next before that frame. Stops
// at the first output that cannot be written.
FrameLoopResult RunFrames(GraphicsSystem *graphics, std::vector<LiveSource> &sources,
                          const FrameLoopSettings &settings);
