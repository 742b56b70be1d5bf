// vanto_bench: times the plug-in's per-frame work against the bare system calls it cannot
// avoid, and the headless host's frame rate. Prints a Markdown table of medians.
//
// The program is built twice, by mingw-w64 GCC (build/bin) and by clang in Microsoft-ABI mode
// (build/msabi/bin), each linking the plug-in's code as its compiler builds it. The GCC
// program runs the other one for the groups both have (idle, own, text) and prints the two
// side by side; the Microsoft-ABI one has only those groups.
#include "bench/BenchRows.h"

#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>

#include "headless/HostPaths.h"
#include "win/CommandLine.h"
#include "win/Handle.h"
#include "hostlib/HostControl.h"
#include "hostlib/HostGraphicsControl.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

#ifdef VANTO_BENCH_MSABI
constexpr const char *kGroups = "idle|own|text";
#else
constexpr const char *kGroups = "idle|own|text|steps|hostile|fit|host|companion";
#endif

struct Arguments {
    BenchOptions options;
    std::vector<std::string> only;  // empty: every group but those asked for by name only
    bool raw = false;               // rows as tab-separated lines, for the other build's program
    bool ok = true;
};

Arguments ParseArguments(int argc, char **argv)
{
    Arguments parsed;
    for (int i = 1; i < argc; ++i) {
        const std::string name = argv[i];
        if (name == "--runs" && i + 1 < argc)
            parsed.options.runs = std::max(1, std::atoi(argv[++i]));
        else if (name == "--scale" && i + 1 < argc)
            parsed.options.scale = std::atof(argv[++i]);
        else if (name == "--only" && i + 1 < argc)
            parsed.only.push_back(argv[++i]);
        else if (name == "--raw")
            parsed.raw = true;
        else
            parsed.ok = false;
    }
    return parsed;
}

std::string Time(double seconds)
{
    char text[32];
    if (seconds >= 1e-3)
        std::snprintf(text, sizeof text, "%.2f ms", seconds * 1e3);
    else if (seconds >= 1e-5)
        std::snprintf(text, sizeof text, "%.1f µs", seconds * 1e6);
    else
        std::snprintf(text, sizeof text, "%.2f µs", seconds * 1e6);
    return text;
}

std::string Spread(const PairedResult &result)
{
    char text[64];
    std::snprintf(text, sizeof text, "%.3f / **%.3f** / %.3f", result.ratioMin, result.ratio, result.ratioMax);
    return text;
}

bool Met(const BenchRow &row)
{
    if (row.targetSeconds > 0.0)
        return row.result.subjectSeconds <= row.targetSeconds;
    return row.target <= 0.0 || row.result.ratio <= row.target;
}

std::string Target(const BenchRow &row)
{
    char text[32];
    if (row.targetSeconds > 0.0)
        std::snprintf(text, sizeof text, "≤ %s", Time(row.targetSeconds).c_str());
    else if (row.target > 0.0)
        std::snprintf(text, sizeof text, "≤ %.2f", row.target);
    else
        return "–";
    return text;
}

void PrintHeader()
{
    std::printf("| benchmark | median | floor | floor median | ratio min / median / max | target |\n");
    std::printf("|---|---|---|---|---|---|\n");
    std::fflush(stdout);
}

void PrintRow(const BenchRow &row)
{
    const std::string target = Target(row);
    std::printf("| %s | %s / %s | %s | %s | %s | %s%s |\n", row.name.c_str(), Time(row.result.subjectSeconds).c_str(),
                row.unit.c_str(), row.floorName.c_str(), Time(row.result.floorSeconds).c_str(),
                Spread(row.result).c_str(), target.c_str(), target == "–" ? "" : Met(row) ? " met" : " MISSED");
    std::fflush(stdout);
}

void PrintRaw(const BenchRow &row)
{
    std::printf("%s\t%s\t%s\t%.9g\t%.9g\t%.9g\t%.9g\t%.9g\t%.9g\t%.9g\t%d\n", row.name.c_str(), row.unit.c_str(),
                row.floorName.c_str(), row.result.subjectSeconds, row.result.floorSeconds, row.result.ratioMin,
                row.result.ratio, row.result.ratioMax, row.target, row.targetSeconds, row.result.runs);
    std::fflush(stdout);
}

std::vector<BenchRow> GroupRows(const std::string &group, const BenchOptions &options)
{
    if (group == "idle")
        return IdlePollRows(options);
    if (group == "own")
        return OwnCostRows(options);
    if (group == "text")
        return NewTextRows(options);
#ifndef VANTO_BENCH_MSABI
    if (group == "steps")
        return RebuildStepRows(options);
    if (group == "hostile")
        return HostileRebuildRows(options);
    if (group == "fit")
        return LineFittingRows(options);
#endif
    return {};
}

#ifndef VANTO_BENCH_MSABI

// The Microsoft-ABI build's rows of one group, from its program run with --raw; empty (with
// a note on stderr) when it is missing or fails.
std::vector<BenchRow> MsabiRows(const std::string &group, const BenchOptions &options)
{
    const std::wstring program = JoinPath(ProgramFolder(), L"..\\msabi\\bin\\vanto_bench.exe");
    std::wstring commandLine = win::QuotedCommandLine(
        program, {L"--raw", L"--runs", std::to_wstring(options.runs), L"--scale", std::to_wstring(options.scale),
                  L"--only", std::wstring(group.begin(), group.end())});
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE readHandle = nullptr, writeHandle = nullptr;
    if (!CreatePipe(&readHandle, &writeHandle, &inherit, 0))
        return {};
    const win::UniqueHandle readEnd(readHandle);
    win::UniqueHandle writeEnd(writeHandle);
    SetHandleInformation(readEnd.get(), HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = writeEnd.get();
    startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    PROCESS_INFORMATION process{};
    const std::wstring folder = ParentFolder(program);
    const bool started = CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr,
                                        folder.c_str(), &startup, &process);
    // Our copy of the write end closed, the pipe ends when the program does.
    writeEnd.reset();
    std::string output;
    if (started) {
        const win::Process running(process);
        char chunk[4096];
        DWORD got = 0;
        while (ReadFile(readEnd.get(), chunk, sizeof chunk, &got, nullptr) && got > 0)
            output.append(chunk, got);
        WaitForSingleObject(running.process.get(), INFINITE);
    }

    std::vector<BenchRow> rows;
    std::size_t start = 0;
    while (start < output.size()) {
        std::size_t end = output.find('\n', start);
        if (end == std::string::npos)
            end = output.size();
        std::vector<std::string> fields;
        std::size_t at = start;
        while (at <= end) {
            const std::size_t tab = std::min(output.find('\t', at), end);
            fields.push_back(output.substr(at, tab - at));
            at = tab + 1;
        }
        if (fields.size() == 11) {
            BenchRow row;
            row.name = fields[0];
            row.unit = fields[1];
            row.floorName = fields[2];
            row.result = PairedResult{std::atof(fields[3].c_str()), std::atof(fields[4].c_str()),
                                      std::atof(fields[6].c_str()), std::atof(fields[5].c_str()),
                                      std::atof(fields[7].c_str()), std::atoi(fields[10].c_str())};
            row.target = std::atof(fields[8].c_str());
            row.targetSeconds = std::atof(fields[9].c_str());
            rows.push_back(row);
        }
        start = end + 1;
    }
    if (rows.empty())
        std::fprintf(stderr, "bench: no %s rows from the Microsoft-ABI build's vanto_bench.exe\n", group.c_str());
    return rows;
}

void PrintBothHeader()
{
    std::printf("| benchmark | floor | GCC median | floor median | ratio min / median / max | "
                "MS-ABI median | floor median | ratio min / median / max | target (GCC, MS-ABI) |\n");
    std::printf("|---|---|---|---|---|---|---|---|---|\n");
    std::fflush(stdout);
}

// One row of each build, matched by name; "–" for a build without the row.
void PrintBoth(const BenchRow &gcc, const BenchRow *msabi)
{
    const std::string target = Target(gcc);
    std::string verdict;
    if (target != "–")
        verdict = std::string(Met(gcc) ? " met" : " MISSED") + ", " + (!msabi ? "–" : Met(*msabi) ? "met" : "MISSED");
    std::printf("| %s | %s | %s / %s | %s | %s | %s | %s | %s | %s%s |\n", gcc.name.c_str(), gcc.floorName.c_str(),
                Time(gcc.result.subjectSeconds).c_str(), gcc.unit.c_str(), Time(gcc.result.floorSeconds).c_str(),
                Spread(gcc.result).c_str(), msabi ? Time(msabi->result.subjectSeconds).c_str() : "–",
                msabi ? Time(msabi->result.floorSeconds).c_str() : "–", msabi ? Spread(msabi->result).c_str() : "–",
                target.c_str(), verdict.c_str());
    std::fflush(stdout);
}

void PrintRow(const FpsRow &row)
{
    char target[32] = "–";
    if (row.targetFps > 0.0)
        std::snprintf(target, sizeof target, "≥ %.0f fps %s", row.targetFps, row.fps >= row.targetFps ? "met" : "MISSED");
    std::printf("| %s | %.1f fps (%s / frame) | host alone, empty scene | %.1f fps (%s / frame) | %.3f / **%.3f** / %.3f | %s |\n",
                row.name.c_str(), row.fps, Time(1.0 / row.fps).c_str(), row.floorFps, Time(1.0 / row.floorFps).c_str(),
                row.ratioMin, row.ratio, row.ratioMax, target);
    std::fflush(stdout);
}

#endif

} // namespace

int main(int argc, char **argv)
{
    const Arguments arguments = ParseArguments(argc, argv);
    if (!arguments.ok) {
        std::fprintf(stderr, "usage: vanto_bench [--runs N] [--scale X] [--only %s]... [--raw]\n", kGroups);
        return 2;
    }
    const auto asked = [&](const char *group) {
        return std::find(arguments.only.begin(), arguments.only.end(), group) != arguments.only.end();
    };
    const auto wanted = [&](const char *group) { return arguments.only.empty() || asked(group); };

    // The host keeps GDI+ running for its plug-ins and owns the graphics system.
    ULONG_PTR token = 0;
    Gdiplus::GdiplusStartupInput input;
    Gdiplus::GdiplusStartup(&token, &input, nullptr);
    HostSetLogToStderr(false);
    GraphicsSystem *graphics = HostCreateSoftwareGraphics(0, 0);
    HostSetGraphicsDrawing(graphics, false);
    HostInstallGraphics(graphics);

    const BenchOptions &options = arguments.options;
    const char *const bothBuilds[] = {"idle", "own", "text"};
    if (!arguments.raw)
        std::printf("%d runs per row, medians; ratio = min / median / max of the per-run ratios to the floor, "
                    "subject and floor alternating within each run.\n\n",
                    options.runs);
#ifdef VANTO_BENCH_MSABI
    if (!arguments.raw)
        PrintHeader();
    for (const char *group : bothBuilds)
        if (wanted(group))
            for (const BenchRow &row : GroupRows(group, options))
                arguments.raw ? PrintRaw(row) : PrintRow(row);
#else
    bool headed = false;
    for (const char *group : bothBuilds) {
        if (!wanted(group))
            continue;
        const std::vector<BenchRow> gcc = GroupRows(group, options);
        const std::vector<BenchRow> msabi = MsabiRows(group, options);
        if (!headed)
            PrintBothHeader();
        headed = true;
        for (const BenchRow &row : gcc) {
            const auto same = std::find_if(msabi.begin(), msabi.end(),
                                           [&](const BenchRow &other) { return other.name == row.name &&
                                                                               other.floorName == row.floorName; });
            PrintBoth(row, same == msabi.end() ? nullptr : &*same);
        }
    }
    if (headed)
        std::printf("\n");
    // The step breakdown and the hostile rebuild are for profiling: asked for by name only.
    headed = false;
    for (const char *group : {"steps", "hostile", "fit"}) {
        if (!(group == std::string("fit") ? wanted(group) : asked(group)))
            continue;
        if (!headed)
            PrintHeader();
        headed = true;
        for (const BenchRow &row : GroupRows(group, options))
            PrintRow(row);
    }
    if (asked("companion")) {
        std::printf("\n| companion | figure | how |\n|---|---|---|\n");
        for (const CompanionRow &row : CompanionRows(options))
            std::printf("| %s | %s | %s |\n", row.name.c_str(), row.figure.c_str(), row.detail.c_str());
        std::fflush(stdout);
    }
    if (wanted("host")) {
        if (!headed)
            PrintHeader();
        for (const FpsRow &row : HeadlessRows(options))
            PrintRow(row);
    }
#endif

    HostDestroySoftwareGraphics(graphics);
    Gdiplus::GdiplusShutdown(token);
    return 0;
}
