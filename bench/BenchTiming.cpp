#include "bench/BenchTiming.h"
#include "headless/MonotonicClock.h"

#include <windows.h>

#include <algorithm>

double Median(std::vector<double> values)
{
    if (values.empty())
        return 0.0;
    std::sort(values.begin(), values.end());
    const size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2.0;
}

namespace {

double TimeUnits(const std::function<void(int)> &work, int units)
{
    const double start = MonotonicSeconds();
    work(units);
    return (MonotonicSeconds() - start) / units;
}

} // namespace

PairedResult TimePaired(int runs, int units, const std::function<void(int)> &subject,
                        const std::function<void(int)> &floor)
{
    std::vector<double> subjectTimes, floorTimes, ratios;
    for (int run = 0; run < runs; ++run) {
        double s = 0.0, f = 0.0;
        if (run % 2 == 0) {
            s = TimeUnits(subject, units);
            f = TimeUnits(floor, units);
        } else {
            f = TimeUnits(floor, units);
            s = TimeUnits(subject, units);
        }
        subjectTimes.push_back(s);
        floorTimes.push_back(f);
        ratios.push_back(f > 0.0 ? s / f : 0.0);
    }
    return PairedResult{Median(subjectTimes), Median(floorTimes), Median(ratios), runs};
}
