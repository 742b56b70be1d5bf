// The source's own cost per idle frame: Preprocess of sources whose blocks hold nothing new,
// with the blocks served from memory through the mapping seams, against the same seam calls
// alone. What remains is what the source does around the kernel's calls: allocations,
// copies, identifier look-ups and parsing, which the kernel's cost hides under Wine.
#include "bench/BenchRows.h"
#include "bench/BenchScenes.h"
#include "bench/InMemoryBlocks.h"
#include "source/TextOutputSource.h"

#include <cstdio>
#include <cstdlib>

namespace {

BenchRow OwnCostRow(const BenchOptions &options, const std::string &name, int sceneCount, int sourceCount,
                    int frames)
{
    BenchScenes scenes(sceneCount, sourceCount);
    InMemoryBlocks blocks;
    std::string error;
    const int sequence = FreshSequence();
    const auto text = FormatTextBlock(sequence, 0, {kThankYouLine1, kThankYouLine2}, error);
    const auto style = FormatStyleBlock(sequence, kThankYouFont, ThankYouStyle(false), error);
    if (!text || !style) {
        std::fprintf(stderr, "bench: %s\n", error.c_str());
        std::exit(1);
    }
    for (int scene = 0; scene < sceneCount; ++scene) {
        blocks.Write(TextBlockName(scenes.SceneGuid(scene)), *text);
        blocks.Write(StyleBlockName(scenes.SceneGuid(scene)), *style);
    }
    scenes.PreprocessAll();
    // The blocks really reached the source through the seams: its first source took them.
    const String &taken = scenes.Sources()[0]->currentText;
    if (taken.IsEmpty() || ThankYouText() != taken.Array()) {
        std::fprintf(stderr, "bench: the source did not take the in-memory blocks\n");
        std::exit(1);
    }
    scenes.PreprocessAll();

    BenchRow row;
    row.name = name;
    row.unit = "source and frame";
    row.floorName = "2 block cycles through the seam";
    row.targetSeconds = 5e-6;
    row.result = TimeFramesAgainstCycles(options, frames, scenes, &InMemoryBlocks::Cycle);
    row.result.subjectSeconds /= sourceCount;
    row.result.floorSeconds /= sourceCount;
    return row;
}

} // namespace

std::vector<BenchRow> OwnCostRows(const BenchOptions &options)
{
    return {
        OwnCostRow(options, "own cost, 1 source", 1, 1, 20000),
        OwnCostRow(options, "own cost, 8 sources in 4 scenes", 4, 8, 2500),
        OwnCostRow(options, "own cost, 32 sources in 4 scenes", 4, 32, 625),
    };
}
