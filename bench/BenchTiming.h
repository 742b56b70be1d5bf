#pragma once
#include <functional>
#include <string>
#include <vector>

// Paired timing: in every run the subject and its floor are timed back to back, so both see
// the same machine state, and the ratio of each run is taken before the median.

struct PairedResult {
    double subjectSeconds = 0.0;  // median over the runs, per unit (call or frame)
    double floorSeconds = 0.0;
    double ratio = 0.0;           // median of the per-run subject/floor ratios
    int runs = 0;
};

// Calls subject(units) and floor(units) `runs` times each, alternating which goes first;
// each returns after doing `units` units of work. Times are per unit.
PairedResult TimePaired(int runs, int units, const std::function<void(int)> &subject,
                        const std::function<void(int)> &floor);

double Median(std::vector<double> values);
