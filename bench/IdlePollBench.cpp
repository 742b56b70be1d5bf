// Idle polling: Preprocess of sources whose blocks hold nothing new, against the floor of
// opening, mapping, copying, unmapping and closing both blocks of the source's scene.
#include "bench/BenchRows.h"
#include "bench/BenchScenes.h"

namespace {

// Every scene's blocks carry the same sequence numbers, taken once before timing, so no
// source of any scene finds anything new.
void PrepareIdleScenes(BenchScenes &scenes)
{
    for (int scene = 0; scene < scenes.SceneCount(); ++scene) {
        scenes.WriteText(scene, 7, {kThankYouLine1, kThankYouLine2});
        scenes.WriteStyle(scene, 7, ThankYouStyle(false));
    }
    scenes.PreprocessAll();
    scenes.PreprocessAll();
}

BenchRow IdleRow(const BenchOptions &options, const std::string &name, int sceneCount, int sourceCount,
                 int frames)
{
    BenchScenes scenes(sceneCount, sourceCount);
    PrepareIdleScenes(scenes);

    BenchRow row;
    row.name = name;
    row.unit = sourceCount == 1 ? "call" : "frame";
    row.floorName = std::to_string(2 * sourceCount) + " bare block reads";
    row.target = 1.10;
    row.result = TimeFramesAgainstCycles(options, frames, scenes, &BareBlockCycle);
    return row;
}

} // namespace

std::vector<BenchRow> IdlePollRows(const BenchOptions &options)
{
    return {
        IdleRow(options, "idle poll, 1 source", 1, 1, 2000),
        IdleRow(options, "idle poll, 1 source in 4 scenes", 4, 1, 2000),
        IdleRow(options, "idle poll, 8 sources in 4 scenes", 4, 8, 250),
        IdleRow(options, "idle poll, 32 sources in 4 scenes", 4, 32, 60),
    };
}
