#include "headless/HostOptions.h"

#include <cmath>
#include <cwchar>
#include <algorithm>
#include <vector>

namespace {

// Limits that keep one frame buffer and one run within reason on a small machine.
constexpr unsigned maxSide = 8192;
constexpr int maxFrames = 10000000;
constexpr double maxFps = 1000.0;

bool ParseInt(const std::wstring &text, long long low, long long high, long long &value)
{
    if (text.empty() || text.size() > 12)
        return false;
    size_t i = 0;
    bool negative = false;
    if (text[0] == L'-' || text[0] == L'+') {
        negative = text[0] == L'-';
        i = 1;
    }
    if (i == text.size())
        return false;
    long long result = 0;
    for (; i < text.size(); ++i) {
        if (text[i] < L'0' || text[i] > L'9')
            return false;
        result = result * 10 + (text[i] - L'0');
    }
    value = negative ? -result : result;
    return value >= low && value <= high;
}

bool ParseFps(const std::wstring &text, double &value)
{
    if (text.empty())
        return false;
    for (wchar_t c : text)
        if (!(c >= L'0' && c <= L'9') && c != L'.')
            return false;
    wchar_t *end = nullptr;
    value = std::wcstod(text.c_str(), &end);
    return end && *end == 0 && std::isfinite(value) && value > 0.0 && value <= maxFps;
}

bool ParseSize(const std::wstring &text, unsigned &width, unsigned &height)
{
    const size_t x = text.find_first_of(L"xX");
    if (x == std::wstring::npos)
        return false;
    long long w = 0, h = 0;
    if (!ParseInt(text.substr(0, x), 1, maxSide, w) || !ParseInt(text.substr(x + 1), 1, maxSide, h))
        return false;
    width = static_cast<unsigned>(w);
    height = static_cast<unsigned>(h);
    return true;
}

// "#RRGGBB", "#AARRGGBB" or "transparent".
bool ParseColour(const std::wstring &text, DWORD &colour)
{
    if (text == L"transparent") {
        colour = 0;
        return true;
    }
    if (text.size() != 7 && text.size() != 9)
        return false;
    if (text[0] != L'#')
        return false;
    DWORD value = 0;
    for (size_t i = 1; i < text.size(); ++i) {
        const wchar_t c = text[i];
        const int digit = c >= L'0' && c <= L'9' ? c - L'0'
                          : c >= L'a' && c <= L'f' ? c - L'a' + 10
                          : c >= L'A' && c <= L'F' ? c - L'A' + 10
                                                   : -1;
        if (digit < 0)
            return false;
        value = (value << 4) | static_cast<DWORD>(digit);
    }
    colour = text.size() == 7 ? (value | 0xFF000000u) : value;
    return true;
}

// "FRAME:NAME": from frame FRAME (1 to before the last frame) on, scene NAME is live.
bool ParseSceneSwitch(const std::wstring &text, SceneSwitch &sceneSwitch)
{
    const size_t colon = text.find(L':');
    long long frame = 0;
    if (colon == std::wstring::npos || colon + 1 == text.size() || !ParseInt(text.substr(0, colon), 1, maxFrames, frame))
        return false;
    sceneSwitch = {static_cast<int>(frame), text.substr(colon + 1)};
    return true;
}

CommandLineResult Failure(const std::wstring &message)
{
    CommandLineResult result;
    result.error = message;
    return result;
}

} // namespace

CommandLineResult ParseCommandLine(const std::vector<std::wstring> &arguments)
{
    CommandLineResult result;
    HostOptions &options = result.options;
    std::vector<std::wstring> seen;
    const std::vector<std::wstring> takesValue = {L"--scenes", L"--frames", L"--fps", L"--size", L"--out",
                                                  L"--root", L"--png-every", L"--gif",
                                                  L"--video", L"--ffmpeg", L"--background", L"--scene",
                                                  L"--switch"};
    const std::vector<std::wstring> switches = {L"--no-png", L"--realtime", L"--quiet", L"--rasterise", L"--help"};
    const auto listed = [](const std::vector<std::wstring> &names, const std::wstring &name) {
        return std::find(names.begin(), names.end(), name) != names.end();
    };

    for (size_t i = 0; i < arguments.size(); ++i) {
        const std::wstring &name = arguments[i];
        const bool isOption = listed(takesValue, name);
        if (!isOption && !listed(switches, name))
            return Failure(name.rfind(L"--", 0) == 0 ? L"unknown option " + name
                                                      : L"unexpected argument \"" + name + L"\"");
        if (listed(seen, name) && name != L"--switch")
            return Failure(name + L" given more than once");
        seen.push_back(name);
        if (!isOption) {
            if (name == L"--no-png")
                options.writePng = false;
            else if (name == L"--realtime")
                options.realtime = true;
            else if (name == L"--quiet")
                options.quiet = true;
            else if (name == L"--rasterise")
                options.rasterise = true;
            else
                options.help = true;
            continue;
        }
        if (i + 1 >= arguments.size() || arguments[i + 1].rfind(L"--", 0) == 0)
            return Failure(name + L" needs a value");
        const std::wstring &value = arguments[++i];
        long long number = 0;
        if (name == L"--scenes" || name == L"--out" || name == L"--root" || name == L"--gif" ||
            name == L"--video" || name == L"--ffmpeg") {
            if (value.empty())
                return Failure(name + L" needs a non-empty path");
            (name == L"--scenes"  ? options.scenesPath
             : name == L"--out"   ? options.outDir
             : name == L"--root"  ? options.rootDir
             : name == L"--gif"   ? options.gifPath
             : name == L"--video" ? options.videoPath
                                  : options.ffmpegProgram) = value;
        } else if (name == L"--scene") {
            if (value.empty())
                return Failure(L"--scene needs a non-empty name");
            options.scene = value;
        } else if (name == L"--switch") {
            SceneSwitch sceneSwitch;
            if (!ParseSceneSwitch(value, sceneSwitch))
                return Failure(L"--switch must be FRAME:SCENE with FRAME a whole number of at least 1, not \"" +
                               value + L"\"");
            if (!options.switches.empty() && sceneSwitch.frame <= options.switches.back().frame)
                return Failure(L"--switch frames must increase, not \"" + value + L"\"");
            options.switches.push_back(sceneSwitch);
        } else if (name == L"--background") {
            if (!ParseColour(value, options.background))
                return Failure(L"--background must be #RRGGBB, #AARRGGBB or transparent, not \"" + value + L"\"");
        } else if (name == L"--frames") {
            if (!ParseInt(value, 1, maxFrames, number))
                return Failure(L"--frames must be a whole number from 1 to " + std::to_wstring(maxFrames) +
                               L", not \"" + value + L"\"");
            options.frames = static_cast<int>(number);
        } else if (name == L"--png-every") {
            if (!ParseInt(value, 1, maxFrames, number))
                return Failure(L"--png-every must be a whole number of at least 1, not \"" + value + L"\"");
            options.pngEvery = static_cast<int>(number);
        } else if (name == L"--fps") {
            if (!ParseFps(value, options.fps))
                return Failure(L"--fps must be a number above 0 and at most 1000, not \"" + value + L"\"");
        } else if (!ParseSize(value, options.width, options.height)) {
            return Failure(L"--size must be WIDTHxHEIGHT, each 1 to " + std::to_wstring(maxSide) + L", not \"" +
                           value + L"\"");
        }
    }
    if (options.help) {
        result.ok = true;
        return result;
    }
    if (!options.switches.empty() && options.switches.back().frame >= options.frames)
        return Failure(L"--switch frame " + std::to_wstring(options.switches.back().frame) + L" is not before the last frame");
    if (options.scenesPath.empty())
        return Failure(L"--scenes FILE is required");
    if (options.outDir.empty())
        return Failure(L"--out DIR is required");
    result.ok = true;
    return result;
}

const wchar_t *UsageText()
{
    return L"usage: headless_host --scenes FILE --out DIR [--frames N] [--fps F] [--size WxH]\n"
           L"                     [--root DIR] [--png-every K] [--no-png] [--gif FILE]\n"
           L"                     [--video FILE] [--background COLOUR] [--ffmpeg PROGRAM]\n"
           L"                     [--realtime] [--quiet] [--rasterise] [--scene NAME]\n"
           L"                     [--switch FRAME:NAME ...]\n"
           L"Loads the plug-ins in ROOT\\plugins, creates the sources of the scene collection FILE,\n"
           L"runs one scene at a time, as a broadcast host does: --scene NAME (default the first),\n"
           L"and from frame FRAME on scene NAME for each --switch, ending the old scene and beginning\n"
           L"the new one (other scenes' sources are not called). It renders N frames (default 60) at F frames a second (default 30) onto a WxH canvas\n"
           L"(default 1280x720), writes DIR\\frame_NNNNN.png for every K-th frame and DIR\\summary.json,\n"
           L"and saves the scene collection back. ffmpeg makes the animations: --gif FILE of the\n"
           L"same every-K-th frames (also with --no-png), --video FILE of every frame at F frames a\n"
           L"second, WebM (VP9) when FILE ends in .webm, else MP4 (H.264). --background is the\n"
           L"canvas colour, #RRGGBB, #AARRGGBB or transparent (default #202020); WebM and GIF keep\n"
           L"a transparent canvas transparent, MP4 shows it black. --ffmpeg names the ffmpeg to run\n"
           L"(default /usr/bin/ffmpeg under Wine, else ffmpeg.exe). Exit codes: 0 done, 1 failed\n"
           L"while running, 2 bad arguments or scene file.\n";
}
