// block_stress_producer: rewrites one scene's text block as fast as it can, each write with
// the next sequence number and its text (StressTexts.h), until a stop file appears; then
// prints how many blocks it wrote.
//   block_stress_producer --scene GUID --writer companion|unwaited --stop FILE --ready FILE
// "companion" writes as the companion does. Its writer leaves the block empty while it
// waits for copies under way, so back to back there would hardly ever be a whole block to
// take: each block is left in place for about a millisecond. "unwaited" writes back to back,
// in the same order but without that wait, as a writer that knows nothing of readers would,
// so that only the reader's own check stands between a torn copy and the screen.
#include "StressTexts.h"
#include "link/blocks/BlockText.h"
#include "support/ProducerCommandLine.h"
#include "support/TempFolder.h"
#include "win/Handle.h"

#include <atomic>
#include <cstring>
#include <cstdio>
#include <string>

namespace {

// The writer's order without its wait: first unit 0, the rest, then the first unit.
void UnwaitedWrite(unsigned char *view, const std::u16string &text)
{
    volatile char16_t &first = *reinterpret_cast<volatile char16_t *>(view);
    first = 0;
    std::atomic_thread_fence(std::memory_order_seq_cst);
    std::memcpy(view + 2, text.data() + 1, (text.size() - 1) * 2);
    std::memset(view + 2 * text.size(), 0, 2);
    std::atomic_thread_fence(std::memory_order_seq_cst);
    first = text[0];
}

} // namespace

int main()
{
    const auto arguments = ProducerCommandLine({L"--scene", L"--writer", L"--stop", L"--ready"});
    const std::wstring scene = arguments ? LastValue(*arguments, L"--scene") : L"";
    const std::wstring writer = arguments ? LastValue(*arguments, L"--writer") : L"";
    const std::wstring stopFile = arguments ? LastValue(*arguments, L"--stop") : L"";
    const std::wstring readyFile = arguments ? LastValue(*arguments, L"--ready") : L"";
    if (scene.empty() || stopFile.empty() || readyFile.empty() || (writer != L"companion" && writer != L"unwaited")) {
        std::fprintf(stderr, "usage: block_stress_producer --scene GUID --writer companion|unwaited "
                             "--stop FILE --ready FILE\n");
        return 2;
    }
    SharedBlockWriter block = OpenBlockOrExit(TextBlockName(scene), "block_stress_producer");
    // A second view of the same block for the unwaited writer.
    const std::wstring name = TextBlockName(scene);
    const win::UniqueHandle mapping(CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                                                      static_cast<DWORD>(kBlockBytes), name.c_str()));
    const win::MappedView view(mapping ? MapViewOfFile(mapping.get(), FILE_MAP_ALL_ACCESS, 0, 0, kBlockBytes) : nullptr);
    if (!view) {
        std::fprintf(stderr, "block_stress_producer: cannot map the block (%lu)\n", GetLastError());
        return 1;
    }
    const bool companion = writer == L"companion";

    long long written = 0;
    std::int32_t sequence = kStressFirstSequence;
    const auto writeNext = [&] {
        const std::u16string text = StressBlock(sequence++);
        if (companion) {
            block.Write(text);
            Sleep(1);
        } else {
            UnwaitedWrite(static_cast<unsigned char *>(view.get()), text);
        }
        ++written;
    };
    writeNext();
    if (!WriteFileBytes(readyFile, ""))
        return 1;

    while (true) {
        // Looking for the stop file is a system call; it is done only now and then.
        for (int i = 0; i < (companion ? 4 : 64); ++i)
            writeNext();
        if (FileExists(stopFile))
            break;
    }
    std::printf("written %lld\n", written);
    return 0;
}
