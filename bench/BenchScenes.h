#pragma once
#include "companion/blockwriter/BlockFormat.h"
#include "companion/blockwriter/SharedBlockWriter.h"
#include "host/OBSApi.h"
#include "bench/BenchRows.h"

#include <string>
#include <vector>

class TextOutputSource;

// The look of a thank-you line: white 48-pixel CJK text on a translucent black box.
StyleNumbers ThankYouStyle(bool outline);
inline constexpr char16_t kThankYouFont[] = u"WenQuanYi Zen Hei";
// Two lines, Chinese with Latin names.
inline constexpr char16_t kThankYouLine1[] = u"感谢 Alice 送出的 10 个 火箭";
inline constexpr char16_t kThankYouLine2[] = u"感谢 小明 和 Bob 送出的 99 朵 鲜花";
std::wstring ThankYouText();  // the two lines joined with CR LF, as the source shows them

// A sequence number no block of this process has carried yet, so the next read takes its
// block whatever rows ran before (the numbers taken are shared by every scene).
int FreshSequence();

// The floor of every block read: open the held block by name, map it, copy its 2048 bytes
// (into bareBlockCopy), unmap, close.
extern unsigned char bareBlockCopy[2048];
void BareBlockCycle(const wchar_t *name);

// Sources spread over scenes of a scene tree, each scene with its two blocks held open by
// this process, as the companion holds them.
class BenchScenes {
    XConfig config;
    std::vector<std::wstring> sceneGuids;
    std::vector<SharedBlockWriter> textBlocks;
    std::vector<SharedBlockWriter> styleBlocks;
    std::vector<TextOutputSource *> sources;

public:
    // Source i goes into scene i % sceneCount.
    BenchScenes(int sceneCount, int sourceCount);
    ~BenchScenes();
    BenchScenes(const BenchScenes &) = delete;
    BenchScenes &operator=(const BenchScenes &) = delete;

    int SceneCount() const { return static_cast<int>(sceneGuids.size()); }
    const std::wstring &SceneGuid(int scene) const { return sceneGuids[scene]; }
    const std::vector<TextOutputSource *> &Sources() const { return sources; }

    // Writes the scene's blocks (nothing when formatting fails, which the caller's text
    // choice rules out).
    void WriteText(int scene, int sequence, const std::vector<std::u16string> &lines);
    void WriteStyle(int scene, int sequence, const StyleNumbers &numbers);

    // One frame's polling: Preprocess of every source in order.
    void PreprocessAll();
    // The names of the blocks the sources read in one frame, in order (two per source).
    std::vector<std::wstring> FrameBlockNames() const;
};

// Frames of polling (PreprocessAll) against the same frames of cycle(name) over
// FrameBlockNames(); times per frame.
PairedResult TimeFramesAgainstCycles(const BenchOptions &options, int frames, BenchScenes &scenes,
                                     void (*cycle)(const wchar_t *name));
