// The headless host's frame rate at 1280x720 with one scrolling source, without and with PNG
// writing, against the host alone (a scene without sources). The host program runs from a
// folder of its own, as a user installs it, twice per measurement with different frame
// counts, so that start-up and shut-down cancel out.
#include "bench/BenchRows.h"
#include "bench/BenchScenes.h"
#include "headless/HostPaths.h"
#include "headless/MonotonicClock.h"
#include "link/GuidText.h"
#include "plugin/PluginTexts.h"
#include "win/CommandLine.h"
#include "win/File.h"
#include "win/Text.h"

#include <nlohmann/json.hpp>

#include <objbase.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>

namespace {

void CopyOrDie(const std::wstring &from, const std::wstring &to)
{
    if (!CopyFileW(from.c_str(), to.c_str(), FALSE)) {
        std::fprintf(stderr, "bench: cannot copy %s\n", win::Utf8FromWide(from).c_str());
        std::exit(1);
    }
}

// A host folder of its own: the host program and library, the plug-in and the shaders, but
// no companion program, so the plug-in's start of the companion finds nothing to start (in
// the build folder it would find one beside the host and let it write the scene's blocks).
std::wstring InstallHost()
{
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    const std::wstring root = JoinPath(temp, L"vanto_bench_" + std::to_wstring(GetCurrentProcessId()));
    // What ships: the Microsoft-ABI build's host program, library and plug-in.
    const std::wstring bin = JoinPath(ProgramFolder(), L"..\\msabi\\bin");
    MakeFolders(JoinPath(root, L"plugins"));
    MakeFolders(JoinPath(root, L"shaders"));
    for (const wchar_t *program : {L"headless_host.exe", L"OBSApi.dll"})
        CopyOrDie(JoinPath(bin, program), JoinPath(root, program));
    CopyOrDie(JoinPath(bin, L"plugins\\HollinVanto.dll"), JoinPath(root, L"plugins\\HollinVanto.dll"));
    for (const wchar_t *shader : {L"DrawSolid.vShader", L"DrawSolid.pShader"})
        CopyOrDie(JoinPath(bin, std::wstring(L"shaders\\") + shader), JoinPath(root, std::wstring(L"shaders\\") + shader));
    return root;
}

std::wstring FreshGuid()
{
    GUID guid{};
    CoCreateGuid(&guid);
    return GuidToString(guid).Array();
}

// One scrolling ticker across the picture, like a thank-you line running along the bottom.
std::string TickerScene(const std::wstring &sceneGuid)
{
    return "{\"scenes\": {\"Ticker\": {\"sources\": {\"sceneGuid\": \"" + win::Utf8FromWide(sceneGuid) +
           "\", \"Ticker\": {\"class\": \"" + win::Utf8FromWide(kTextSourceClassName) +
           "\", \"x\": 0.0, \"y\": 560.0, \"cx\": 1280.0, \"cy\": 80.0, \"data\": {\"guid\": \"" +
           win::Utf8FromWide(FreshGuid()) + "\", \"baseSizeCX\": 1280.0, \"baseSizeCY\": 80.0}}}}}}\n";
}

std::string EmptyScene()
{
    return "{\"scenes\": {\"Empty\": {\"sources\": {}}}}\n";
}

class HeadlessFixture {
    std::wstring root = InstallHost();
    std::wstring sceneGuid = FreshGuid();
    std::optional<SharedBlockWriter> text;
    std::optional<SharedBlockWriter> style;
    int sequence = 7000;

    // New numbers every run: a plug-in that stayed loaded between runs still takes them.
    void Publish()
    {
        std::string formatError;
        // fontSize color textOpacity scrollSpeed backgroundColor backgroundOpacity bold italic
        // underline vertical pointFiltering useOutline outlineColor outlineSize outlineOpacity
        // useTextExtents extentWidth extentHeight wrap scrollMode align
        const StyleNumbers ticker{56, static_cast<std::int32_t>(0xFFFFD700u), 100, -160,
                                  static_cast<std::int32_t>(0xFF400000u), 70, 1, 0, 0, 0, 0, 1,
                                  static_cast<std::int32_t>(0xFF000000u), 2, 100, 0, 0, 0, 0, 0, 0};
        style->Write(*FormatStyleBlock(++sequence, kThankYouFont, ticker, formatError));
        text->Write(*FormatTextBlock(++sequence, 0,
                                     {u"感谢 小明 送出的 10 个 火箭    感谢 Alice 送出的 99 朵 鲜花    "
                                      u"Thanks Bob for 520 小心心    "},
                                     formatError));
    }

public:
    HeadlessFixture()
    {
        DWORD error = 0;
        text = SharedBlockWriter::Open(TextBlockName(sceneGuid), error);
        style = SharedBlockWriter::Open(StyleBlockName(sceneGuid), error);
        if (!text || !style) {
            std::fprintf(stderr, "bench: cannot open blocks\n");
            std::exit(1);
        }
        win::WriteWholeFile(JoinPath(root, L"ticker.json"), TickerScene(sceneGuid));
        win::WriteWholeFile(JoinPath(root, L"empty.json"), EmptyScene());
    }

    ~HeadlessFixture()
    {
        std::error_code ignored;
        std::filesystem::remove_all(root, ignored);
    }

    // Seconds for one whole run of the host program.
    double Run(bool ticker, bool png, int frames)
    {
        std::vector<std::wstring> arguments = {L"--scenes", JoinPath(root, ticker ? L"ticker.json" : L"empty.json"),
                                               L"--out", JoinPath(root, png ? L"out_png" : L"out"),
                                               L"--frames", std::to_wstring(frames), L"--fps", L"60",
                                               L"--size", L"1280x720", L"--quiet"};
        if (!png)
            arguments.push_back(L"--no-png");
        std::wstring commandLine = win::QuotedCommandLine(JoinPath(root, L"headless_host.exe"), arguments);
        Publish();
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION started{};
        const double start = MonotonicSeconds();
        if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, root.c_str(), &startup,
                            &started)) {
            std::fprintf(stderr, "bench: cannot start the headless host\n");
            std::exit(1);
        }
        const win::Process process(started);
        WaitForSingleObject(process.process.get(), INFINITE);
        const double seconds = MonotonicSeconds() - start;
        DWORD code = 1;
        GetExitCodeProcess(process.process.get(), &code);
        if (code != 0) {
            std::fprintf(stderr, "bench: the headless host failed (exit code %lu)\n", static_cast<unsigned long>(code));
            std::exit(1);
        }
        return seconds;
    }

    // The ticker really took its text and style (not a blank source that costs nothing).
    void RequireTickerShown()
    {
        const std::string summary = win::ReadWholeFile(JoinPath(root, L"out\\summary.json")).value_or("");
        const nlohmann::json json = nlohmann::json::parse(summary, nullptr, false);
        const bool shown = json.is_object() && json["sources"].is_array() && json["sources"].size() == 1 &&
                           json["sources"][0]["textureWidth"].is_number() &&
                           json["sources"][0]["textureWidth"].get<int>() > 1280 &&
                           json["sources"][0]["settings"]["scrollSpeed"].is_number() &&
                           json["sources"][0]["settings"]["scrollSpeed"].get<int>() != 0;
        if (!shown) {
            std::fprintf(stderr, "bench: the ticker did not take its scrolling text:\n%s\n", summary.c_str());
            std::exit(1);
        }
    }

    // Seconds per frame, start-up and shut-down taken out.
    double FrameSeconds(bool ticker, bool png, int frames)
    {
        const int few = 5;
        const double shortRun = Run(ticker, png, few);
        const double longRun = Run(ticker, png, few + frames);
        return (longRun - shortRun) / frames;
    }
};

FpsRow HeadlessRow(HeadlessFixture &fixture, const BenchOptions &options, bool png)
{
    // Each run times the ticker and the empty scene in halves, ticker, empty, empty, ticker
    // (the other way round in odd runs), so a drift within the run lands on both.
    const int half = std::max(1, Units(options, png ? 60 : 600) / 2);
    const int runs = std::max(3, options.runs / 2);
    std::vector<double> subjectTimes, floorTimes;
    for (int run = 0; run < runs; ++run) {
        double subject = 0.0, floor = 0.0;
        for (int slice = 0; slice < 2; ++slice) {
            if ((slice + run) % 2 == 0) {
                subject += fixture.FrameSeconds(true, png, half);
                floor += fixture.FrameSeconds(false, png, half);
            } else {
                floor += fixture.FrameSeconds(false, png, half);
                subject += fixture.FrameSeconds(true, png, half);
            }
        }
        subjectTimes.push_back(subject / 2);
        floorTimes.push_back(floor / 2);
    }
    const PairedResult paired = PairedFromRuns(subjectTimes, floorTimes);
    FpsRow row;
    row.name = png ? "headless host 1280x720, 1 scrolling source, PNG every frame"
                   : "headless host 1280x720, 1 scrolling source, no PNG";
    row.fps = 1.0 / paired.subjectSeconds;
    row.floorFps = 1.0 / paired.floorSeconds;
    row.ratio = paired.ratio;
    row.ratioMin = paired.ratioMin;
    row.ratioMax = paired.ratioMax;
    row.targetFps = png ? 0.0 : 60.0;
    row.runs = runs;
    return row;
}

} // namespace

std::vector<FpsRow> HeadlessRows(const BenchOptions &options)
{
    HeadlessFixture fixture;
    fixture.Run(true, false, 5);  // warm: first loads of the plug-in, fonts and GDI+
    fixture.RequireTickerShown();
    return {HeadlessRow(fixture, options, false), HeadlessRow(fixture, options, true)};
}
