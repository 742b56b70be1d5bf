#pragma once
#include "bench/BenchTiming.h"

#include <string>
#include <vector>

// One line of the result table.
struct BenchRow {
    std::string name;
    std::string unit;         // what one timed unit is: "call", "frame"
    PairedResult result;
    std::string floorName;
    double target = 0.0;      // the highest acceptable ratio; 0 when none is set
    double targetSeconds = 0.0;  // the longest acceptable time per unit; 0 when none is set
};

struct BenchOptions {
    int runs = 11;
    double scale = 1.0;       // multiplies the units timed per run
};

std::vector<BenchRow> IdlePollRows(const BenchOptions &options);
// The source's own work per idle frame, the blocks served from memory; per source and frame.
std::vector<BenchRow> OwnCostRows(const BenchOptions &options);
std::vector<BenchRow> NewTextRows(const BenchOptions &options);
std::vector<BenchRow> LineFittingRows(const BenchOptions &options);
// Each step of a rebuild for new text alone, against the new-text floor; not in the default run.
std::vector<BenchRow> RebuildStepRows(const BenchOptions &options);
// The soak's slowest rebuild, a hostile style block at the size limit; asked for by name only.
std::vector<BenchRow> HostileRebuildRows(const BenchOptions &options);

// The companion's figures, which are not times against a floor: latency percentiles, a
// rate, CPU and memory. Asked for by name only (it takes about two minutes).
struct CompanionRow {
    std::string name;
    std::string figure;
    std::string detail;
};
std::vector<CompanionRow> CompanionRows(const BenchOptions &options);

// The headless host's frame rate, as frames per second rather than a time.
struct FpsRow {
    std::string name;
    double fps = 0.0;             // median
    double floorFps = 0.0;        // the host alone, with an empty scene
    double ratio = 0.0;           // median per-run frame time over the floor's
    double ratioMin = 0.0;        // their spread
    double ratioMax = 0.0;
    double targetFps = 0.0;       // 0 when none is set
    int runs = 0;
};
std::vector<FpsRow> HeadlessRows(const BenchOptions &options);

inline int Units(const BenchOptions &options, int units)
{
    const int scaled = static_cast<int>(units * options.scale);
    return scaled > 0 ? scaled : 1;
}
