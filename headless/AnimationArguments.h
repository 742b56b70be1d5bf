#pragma once
// What ffmpeg is told for each kind of animation the host writes. Pure: the edges that start
// ffmpeg and feed it live in FfmpegProcess.

#include <string>
#include <vector>

enum class AnimationKind { Gif, Mp4, WebM };

struct AnimationRequest {
    AnimationKind kind = AnimationKind::Mp4;
    std::wstring output;      // the path as ffmpeg sees it
    unsigned width = 0;
    unsigned height = 0;
    double fps = 30.0;        // frames a second of the animation
    bool transparent = false; // keep the canvas's alpha where the format has it (GIF, WebM)
};

// --video FILE: WebM when the name ends in ".webm" (any case), MP4 otherwise.
AnimationKind VideoKindForPath(const std::wstring &path);

// ffmpeg's arguments (after the program name): raw straight-alpha BGRA frames of the request's
// size arrive at inputUrl, progress goes to progressUrl, the animation to request.output.
std::vector<std::wstring> FfmpegArguments(const AnimationRequest &request, const std::wstring &inputUrl,
                                          const std::wstring &progressUrl);

// Frames a second as ffmpeg reads it: up to six significant digits, no exponent.
std::wstring RateText(double fps);
