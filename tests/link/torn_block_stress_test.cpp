// Torn blocks: a second process rewrites a scene's text block without pause while this one
// reads it through the text channel as the plug-in does, a fixed number of times. Every
// text taken must be the one written under the sequence number taken with it; a copy made
// while the block was half written must never pass as a new block.
#include "link/ChannelSequence.h"
#include "link/TextChannel.h"
#include "stress_producer/StressTexts.h"
#include "support/ChildProcess.h"
#include "support/FreshGuid.h"
#include "support/SceneTree.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace {

constexpr int kReads = 8000;
constexpr DWORD kLongestRunMs = 120000;

struct StressFigures {
    int reads = 0;
    int taken = 0;
    int wrong = 0;
    std::wstring firstWrong;
};

StressFigures Stress(const wchar_t *writer)
{
    ResetChannelSequenceNumbers();
    SceneTree tree;
    XElement *data = tree.NewDataElement();
    const std::wstring scene = FreshGuidText();
    TempFolder folder;
    const std::wstring stop = folder / L"stop", ready = folder / L"ready";
    ChildProcess producer(L"block_stress_producer.exe", L"--scene " + scene + L" --writer " + writer +
                                                            L" --stop \"" + stop + L"\" --ready \"" + ready + L"\"");
    StressFigures figures;
    EXPECT_TRUE(producer.Started());
    EXPECT_TRUE(WaitUntil(30000, [&] { return FileExists(ready) || !producer.Running(); }));
    if (!FileExists(ready))
        return figures;

    const DWORD start = GetTickCount();
    for (; figures.reads < kReads && GetTickCount() - start < kLongestRunMs; ++figures.reads) {
        String text;
        if (ReadTextChannel(text, String(scene.c_str()), data) != 1)
            continue;
        ++figures.taken;
        const std::u16string expected = StressLines(TakenSequenceNumbers().text);
        const std::wstring shown = text.IsEmpty() ? std::wstring() : std::wstring(text.Array());
        if (shown != std::wstring(expected.begin(), expected.end()) && figures.wrong++ == 0)
            figures.firstWrong = std::to_wstring(TakenSequenceNumbers().text) + L": " + shown;
    }
    WriteFileBytes(stop, "stop");
    EXPECT_EQ(producer.Wait(30000), 0);
    std::printf("[ stress   ] %ls writer: %d reads, %d blocks taken, %d with a wrong text\n", writer,
                figures.reads, figures.taken, figures.wrong);
    return figures;
}

} // namespace

TEST(TornBlockStress, CompanionWriterAndChannelReaderShowOnlyWholeBlocks)
{
    const StressFigures figures = Stress(L"companion");
    EXPECT_EQ(figures.reads, kReads);
    EXPECT_GE(figures.taken, 100);
    EXPECT_EQ(figures.wrong, 0) << figures.firstWrong;
}

TEST(TornBlockStress, ChannelReaderAloneRefusesCopiesOfHalfWrittenBlocks)
{
    const StressFigures figures = Stress(L"unwaited");
    EXPECT_EQ(figures.reads, kReads);
    EXPECT_GE(figures.taken, 100);
    EXPECT_EQ(figures.wrong, 0) << figures.firstWrong;
}
