// vanto_bench: times the plug-in's per-frame work against the bare system calls it cannot
// avoid, and the headless host's frame rate. Prints a Markdown table of medians.
#include "bench/BenchRows.h"

#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>
#include <shellapi.h>

#include "hostlib/HostControl.h"
#include "hostlib/HostGraphicsControl.h"

#include <cstdio>
#include <cstring>
#include <set>
#include <string>

namespace {

struct Arguments {
    BenchOptions options;
    std::set<std::string> only;  // empty: every group
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
            parsed.only.insert(argv[++i]);
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
    else
        std::snprintf(text, sizeof text, "%.1f µs", seconds * 1e6);
    return text;
}

void PrintRow(const BenchRow &row)
{
    const bool met = row.target <= 0.0 || row.result.ratio <= row.target;
    char target[32] = "–";
    if (row.target > 0.0)
        std::snprintf(target, sizeof target, "≤ %.2f %s", row.target, met ? "met" : "MISSED");
    std::printf("| %s | %s / %s | %s | %s | %.3f | %s |\n", row.name.c_str(), Time(row.result.subjectSeconds).c_str(),
                row.unit.c_str(), row.floorName.c_str(), Time(row.result.floorSeconds).c_str(), row.result.ratio,
                target);
    std::fflush(stdout);
}

void PrintRow(const FpsRow &row)
{
    char target[32] = "–";
    if (row.targetFps > 0.0)
        std::snprintf(target, sizeof target, "≥ %.0f fps %s", row.targetFps, row.fps >= row.targetFps ? "met" : "MISSED");
    std::printf("| %s | %.1f fps (%s / frame) | host alone, empty scene | %.1f fps (%s / frame) | %.3f | %s |\n",
                row.name.c_str(), row.fps, Time(1.0 / row.fps).c_str(), row.floorFps,
                Time(1.0 / row.floorFps).c_str(), row.ratio, target);
    std::fflush(stdout);
}

} // namespace

int main(int argc, char **argv)
{
    const Arguments arguments = ParseArguments(argc, argv);
    if (!arguments.ok) {
        std::fprintf(stderr, "usage: vanto_bench [--runs N] [--scale X] [--only idle|text|steps|hostile|fit|host]...\n");
        return 2;
    }
    const auto wanted = [&](const char *group) { return arguments.only.empty() || arguments.only.count(group); };

    // The host keeps GDI+ running for its plug-ins and owns the graphics system.
    ULONG_PTR token = 0;
    Gdiplus::GdiplusStartupInput input;
    Gdiplus::GdiplusStartup(&token, &input, nullptr);
    HostSetLogToStderr(false);
    GraphicsSystem *graphics = HostCreateSoftwareGraphics(0, 0);
    HostSetGraphicsDrawing(graphics, false);
    HostInstallGraphics(graphics);

    std::printf("%d runs per row, medians; ratio = median of the per-run ratios to the floor.\n\n",
                arguments.options.runs);
    std::printf("| benchmark | median | floor | floor median | ratio | target |\n");
    std::printf("|---|---|---|---|---|---|\n");
    std::fflush(stdout);
    const BenchOptions &options = arguments.options;
    if (wanted("idle"))
        for (const BenchRow &row : IdlePollRows(options))
            PrintRow(row);
    if (wanted("text"))
        for (const BenchRow &row : NewTextRows(options))
            PrintRow(row);
    // The step breakdown is for profiling: asked for by name only.
    if (arguments.only.count("steps"))
        for (const BenchRow &row : RebuildStepRows(options))
            PrintRow(row);
    if (arguments.only.count("hostile"))
        for (const BenchRow &row : HostileRebuildRows(options))
            PrintRow(row);
    if (wanted("fit"))
        for (const BenchRow &row : LineFittingRows(options))
            PrintRow(row);
    if (wanted("host"))
        for (const FpsRow &row : HeadlessRows(options))
            PrintRow(row);

    HostDestroySoftwareGraphics(graphics);
    Gdiplus::GdiplusShutdown(token);
    return 0;
}
