#pragma once
#include <windows.h>

#include <string>
#include <vector>

// From `frame` on, `scene` is the live scene.
struct SceneSwitch {
    int frame = 0;
    std::wstring scene;
};

// What one run of the headless host does, as given on its command line.
struct HostOptions {
    std::wstring scenesPath;       // scene collection (JSON); read, then saved back
    std::wstring outDir;           // frame_00000.png ..., summary.json, host.log
    std::wstring rootDir;          // holds plugins\ and shaders\; empty: the program's folder
    std::wstring gifPath;          // empty: no GIF (every K-th frame, made by ffmpeg)
    std::wstring videoPath;        // empty: no video (every frame; WebM for .webm, else MP4)
    std::wstring ffmpegProgram;    // empty: the default (DefaultFfmpegProgram)
    std::wstring scene;            // the live scene at the start; empty: the first
    std::vector<SceneSwitch> switches;  // in frame order
    DWORD background = 0xFF202020; // canvas colour 0xAARRGGBB behind every frame
    int frames = 60;
    double fps = 30.0;
    unsigned width = 1280;
    unsigned height = 720;
    int pngEvery = 1;              // write (and animate) every K-th frame
    bool writePng = true;
    bool realtime = false;         // pace frames at wall-clock 1/fps
    bool quiet = false;            // no progress, no host log on stderr
    bool rasterise = false;        // call the plug-in's RasteriseSource after creation
    bool help = false;
};

struct CommandLineResult {
    bool ok = false;
    HostOptions options;
    std::wstring error;            // one line, set when !ok
};

// Parses the arguments after the program name. Pure: paths are returned as given.
CommandLineResult ParseCommandLine(const std::vector<std::wstring> &arguments);

// The usage text printed for --help.
const wchar_t *UsageText();
