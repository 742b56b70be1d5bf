// Where a rebuild's time goes: the source's own rebuild, told as each step ends, timed step by
// step against the same rebuild untimed, alternating; the steps' rows are each one's share of
// the whole, and together they must add up to it. Then the whole rebuild against the bare
// measure and draw, and the rebuilds at the 8192x8192 size limit, against a bare bitmap of
// that size cleared once.
#include "bench/BareTextDrawer.h"
#include "bench/BenchRows.h"
#include "bench/BenchScenes.h"
#include "headless/MonotonicClock.h"
#include "source/Rasterise.h"
#include "source/TextOutputSource.h"

#include <array>
#include <cstdio>
#include <cstdlib>

namespace {

// Adds the time since the last step ended to the step that has just ended.
struct StepClock final : RebuildProfiler {
    std::array<double, static_cast<std::size_t>(RebuildStep::Count)> seconds{};
    double last = 0.0;

    void StepEnded(RebuildStep step) override
    {
        const double now = MonotonicSeconds();
        seconds[static_cast<std::size_t>(step)] += now - last;
        last = now;
    }
};

BenchRow StepRow(const BenchOptions &options, BareTextDrawer &bare, const std::string &name,
                 const std::function<void()> &step)
{
    BenchRow row;
    row.name = "rebuild step: " + name;
    row.unit = "call";
    row.floorName = "bare measure and draw";
    row.result = TimePaired(
        options.runs, Units(options, 20),
        [&](int count) {
            for (int i = 0; i < count; ++i)
                step();
        },
        [&](int count) {
            for (int i = 0; i < count; ++i)
                bare.Draw(false);
        });
    return row;
}

// The floor of the limit-sized rows: a bare GDI+ bitmap of 8192x8192 cleared once.
void BareLimitSizedClears(int count)
{
    for (int i = 0; i < count; ++i) {
        Gdiplus::GpBitmap *bitmap = nullptr;
        gdip::GdipCreateBitmapFromScan0(8192, 8192, 0, 0x26200A, nullptr, &bitmap);
        Gdiplus::GpGraphics *graphics = nullptr;
        gdip::GdipGetImageGraphicsContext(bitmap, &graphics);
        gdip::GdipGraphicsClear(graphics, 0x66000000);
        gdip::GdipDeleteGraphics(graphics);
        gdip::GdipDisposeImage(bitmap);
    }
}

// A rebuild at the size limit (wrapped 8192x8192 extents, no text), once per run, against a
// bare GDI+ bitmap of that size cleared once: how much of such a rebuild is the clear.
BenchRow LimitSizedRow(const BenchOptions &options, TextOutputSource &source)
{
    source.textSetting = String();
    source.useTextExtents = true;
    source.wrap = true;
    source.extentWidth = source.extentHeight = 8192;
    BenchRow row;
    row.name = "rebuild at the 8192x8192 limit, no text";
    row.unit = "call";
    row.floorName = "bare 8192x8192 bitmap and clear";
    row.result = TimePaired(
        options.runs < 3 ? options.runs : 3, 1,
        [&](int count) {
            for (int i = 0; i < count; ++i)
                source.UpdateTexture();
        },
        BareLimitSizedClears);
    return row;
}

// The source's rebuild as it stands, step by step: each run times `units` rebuilds told as each
// step ends against as many untold, alternating. Each step's row is its share of the whole;
// the last row is all steps together against the whole.
std::vector<BenchRow> StepProfileRows(TextOutputSource &source, int runs, int units, const std::string &what)
{
    constexpr std::size_t kSteps = static_cast<std::size_t>(RebuildStep::Count);
    const char *const stepNames[kSteps] = {
        "working text", "GDI font", "string format", "measuring DC, GDI+ font, graphics", "measure",
        "measuring objects released", "canvas (pixel memory, bitmap, graphics)", "background",
        "text drawn",
        "drawing finished", "texture upload", "canvas, font, format released"};
    StepClock clock;
    std::array<std::vector<double>, kSteps> stepTimes;
    std::vector<double> sums, wholes;
    for (int run = 0; run < runs; ++run) {
        clock.seconds.fill(0.0);
        const PairedResult pair = TimePaired(
            1, units,
            [&](int count) {
                for (int i = 0; i < count; ++i) {
                    clock.last = MonotonicSeconds();
                    RebuildTexture(source, &clock);
                }
            },
            [&](int count) {
                for (int i = 0; i < count; ++i)
                    source.UpdateTexture();
            });
        double sum = 0.0;
        for (std::size_t step = 0; step < kSteps; ++step) {
            stepTimes[step].push_back(clock.seconds[step] / units);
            sum += clock.seconds[step] / units;
        }
        sums.push_back(sum);
        wholes.push_back(pair.floorSeconds);
    }

    std::vector<BenchRow> rows;
    for (std::size_t step = 0; step < kSteps; ++step) {
        BenchRow row;
        row.name = what + " step: " + stepNames[step];
        row.unit = "call";
        row.floorName = "whole rebuild";
        row.result = PairedFromRuns(stepTimes[step], wholes);
        rows.push_back(row);
    }
    BenchRow sum;
    sum.name = what + " steps together";
    sum.unit = "call";
    sum.floorName = "whole rebuild";
    sum.result = PairedFromRuns(sums, wholes);
    sum.target = 1.05;  // and at least 0.95: nothing of the rebuild is in no row
    rows.push_back(sum);
    return rows;
}

} // namespace

std::vector<BenchRow> RebuildStepRows(const BenchOptions &options)
{
    // A source showing the thank-you text gives the texture size and a texture to upload to.
    BenchScenes scenes(1, 1);
    scenes.WriteStyle(0, FreshSequence(), ThankYouStyle(false));
    scenes.WriteText(0, FreshSequence(), {kThankYouLine1, kThankYouLine2});
    scenes.PreprocessAll();
    TextOutputSource *source = scenes.Sources()[0];
    if (!source->texture || source->fontName != reinterpret_cast<const wchar_t *>(kThankYouFont)) {
        std::fprintf(stderr, "bench: the source did not take the thank-you text and style\n");
        std::exit(1);
    }

    std::vector<BenchRow> rows = StepProfileRows(*source, options.runs, Units(options, 20), "rebuild");
    BareTextDrawer bare(ThankYouText());
    rows.push_back(StepRow(options, bare, "whole rebuild without block reads", [&] { source->UpdateTexture(); }));

    // The same with the outline of the outlined new-text row.
    scenes.WriteStyle(0, FreshSequence(), ThankYouStyle(true));
    scenes.PreprocessAll();
    if (!source->useOutline) {
        std::fprintf(stderr, "bench: the source did not take the outlined style\n");
        std::exit(1);
    }
    for (BenchRow &row : StepProfileRows(*source, options.runs, Units(options, 20), "outlined rebuild"))
        rows.push_back(row);

    rows.push_back(LimitSizedRow(options, *source));
    return rows;
}

// The slowest rebuild the soak has met, as the soak meets it: a style block of numbers past
// 2^31 (vertical, wrapped extents clamped to 8192x8192, outline drawn 100 wide, a font of
// 2^31 pixels) with a line of 1000 W's, after a thank-you line of the usual size, so that every
// call makes a new limit-sized texture. Timed with the ordinary rebuild before it.
std::vector<BenchRow> HostileRebuildRows(const BenchOptions &options)
{
    BenchScenes scenes(1, 1);
    StyleNumbers pastLimit{};
    for (auto &number : pastLimit)
        number = 2147483647;
    TextOutputSource &source = *scenes.Sources()[0];
    int sequence = 10;
    BenchRow row;
    row.name = "hostile style block after a usual one, rebuilding at the 8192x8192 limit";
    row.unit = "call";
    row.floorName = "bare 8192x8192 bitmap and clear";
    row.result = TimePaired(
        options.runs < 3 ? options.runs : 3, 1,
        [&](int count) {
            for (int i = 0; i < count; ++i) {
                scenes.WriteText(0, ++sequence, {kThankYouLine1});
                scenes.WriteStyle(0, ++sequence, ThankYouStyle(true));
                source.Preprocess();
                scenes.WriteText(0, ++sequence, {std::u16string(1000, u'W')});
                scenes.WriteStyle(0, ++sequence, pastLimit);
                source.Preprocess();
            }
        },
        BareLimitSizedClears);
    // Where such a rebuild's time goes, the source left with the hostile block.
    std::vector<BenchRow> rows = StepProfileRows(source, options.runs < 3 ? options.runs : 3, 1, "hostile rebuild");
    rows.insert(rows.begin(), row);
    return rows;
}
