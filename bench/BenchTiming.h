#pragma once
#include <functional>
#include <vector>

// Paired timing: every run times the subject and its floor in alternating slices (subject,
// floor, floor, subject, ...), so a drift of the machine within the run lands on both, and
// the ratio of each run is taken before the median.

struct PairedResult {
    double subjectSeconds = 0.0;  // median over the runs, per unit (call or frame)
    double floorSeconds = 0.0;
    double ratio = 0.0;           // median of the per-run subject/floor ratios
    double ratioMin = 0.0;        // their spread
    double ratioMax = 0.0;
    int runs = 0;
};

// Calls subject(n) and floor(n) in slices that add up to `units` per run each; each returns
// after doing n units of work. Times are per unit.
PairedResult TimePaired(int runs, int units, const std::function<void(int)> &subject,
                        const std::function<void(int)> &floor);

// The result from per-run times (seconds per unit), one pair per run.
PairedResult PairedFromRuns(const std::vector<double> &subjectTimes, const std::vector<double> &floorTimes);

double Median(std::vector<double> values);
