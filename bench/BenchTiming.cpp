#include "bench/BenchTiming.h"
#include "headless/MonotonicClock.h"

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

// Slices per run and side. Four pairs in the order S F F S S F F S cancel a steady drift;
// fewer units than that make fewer slices.
constexpr int kSlices = 4;

double TimeUnits(const std::function<void(int)> &work, int units)
{
    const double start = MonotonicSeconds();
    work(units);
    return MonotonicSeconds() - start;
}

} // namespace

PairedResult PairedFromRuns(const std::vector<double> &subjectTimes, const std::vector<double> &floorTimes)
{
    std::vector<double> ratios;
    for (size_t run = 0; run < subjectTimes.size() && run < floorTimes.size(); ++run)
        ratios.push_back(floorTimes[run] > 0.0 ? subjectTimes[run] / floorTimes[run] : 0.0);
    PairedResult result;
    result.subjectSeconds = Median(subjectTimes);
    result.floorSeconds = Median(floorTimes);
    result.ratio = Median(ratios);
    if (!ratios.empty()) {
        result.ratioMin = *std::min_element(ratios.begin(), ratios.end());
        result.ratioMax = *std::max_element(ratios.begin(), ratios.end());
    }
    result.runs = static_cast<int>(ratios.size());
    return result;
}

PairedResult TimePaired(int runs, int units, const std::function<void(int)> &subject,
                        const std::function<void(int)> &floor)
{
    const int slices = std::min(kSlices, units);
    std::vector<double> subjectTimes, floorTimes;
    for (int run = 0; run < runs; ++run) {
        double s = 0.0, f = 0.0;
        for (int slice = 0; slice < slices; ++slice) {
            // The units spread over the slices, the first slices taking the remainder.
            const int sliceUnits = units / slices + (slice < units % slices ? 1 : 0);
            // Odd runs start with the floor, so the first slice of a run is not always the subject's.
            if ((slice + run) % 2 == 0) {
                s += TimeUnits(subject, sliceUnits);
                f += TimeUnits(floor, sliceUnits);
            } else {
                f += TimeUnits(floor, sliceUnits);
                s += TimeUnits(subject, sliceUnits);
            }
        }
        subjectTimes.push_back(s / units);
        floorTimes.push_back(f / units);
    }
    return PairedFromRuns(subjectTimes, floorTimes);
}
