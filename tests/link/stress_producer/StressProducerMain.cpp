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
#include "companion/blockwriter/SharedBlockWriter.h"
#include "link/blocks/BlockText.h"

#include <windows.h>
#include <shellapi.h>

#include <atomic>
#include <cstring>
#include <cstdio>
#include <optional>
#include <string>

namespace {

struct Arguments {
    std::wstring scene, writer, stopFile, readyFile;
};

bool ParseArguments(Arguments &parsed)
{
    int count = 0;
    LPWSTR *argv = CommandLineToArgvW(GetCommandLineW(), &count);
    if (!argv)
        return false;
    bool ok = count % 2 == 1;
    for (int i = 1; ok && i + 1 < count; i += 2) {
        const std::wstring name = argv[i], value = argv[i + 1];
        if (name == L"--scene")
            parsed.scene = value;
        else if (name == L"--writer")
            parsed.writer = value;
        else if (name == L"--stop")
            parsed.stopFile = value;
        else if (name == L"--ready")
            parsed.readyFile = value;
        else
            ok = false;
    }
    LocalFree(argv);
    return ok && !parsed.scene.empty() && !parsed.stopFile.empty() && !parsed.readyFile.empty() &&
           (parsed.writer == L"companion" || parsed.writer == L"unwaited");
}

bool FileExists(const std::wstring &path)
{
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

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
    Arguments arguments;
    if (!ParseArguments(arguments)) {
        std::fprintf(stderr, "usage: block_stress_producer --scene GUID --writer companion|unwaited "
                             "--stop FILE --ready FILE\n");
        return 2;
    }
    DWORD error = 0;
    std::optional<SharedBlockWriter> block = SharedBlockWriter::Open(TextBlockName(arguments.scene), error);
    if (!block) {
        std::fprintf(stderr, "block_stress_producer: cannot open the block (%lu)\n", error);
        return 1;
    }
    // A second view of the same block for the unwaited writer.
    const std::wstring name = TextBlockName(arguments.scene);
    HANDLE mapping = CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                                        static_cast<DWORD>(kBlockBytes), name.c_str());
    auto *view = mapping ? static_cast<unsigned char *>(MapViewOfFile(mapping, FILE_MAP_ALL_ACCESS, 0, 0, kBlockBytes))
                         : nullptr;
    if (!view) {
        std::fprintf(stderr, "block_stress_producer: cannot map the block (%lu)\n", GetLastError());
        return 1;
    }
    const bool companion = arguments.writer == L"companion";

    long long written = 0;
    std::int32_t sequence = kStressFirstSequence;
    const auto writeNext = [&] {
        const std::u16string text = StressBlock(sequence++);
        if (companion) {
            block->Write(text);
            Sleep(1);
        } else {
            UnwaitedWrite(view, text);
        }
        ++written;
    };
    writeNext();
    HANDLE ready = CreateFileW(arguments.readyFile.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
    if (ready == INVALID_HANDLE_VALUE)
        return 1;
    CloseHandle(ready);

    while (true) {
        // Looking for the stop file is a system call; it is done only now and then.
        for (int i = 0; i < (companion ? 4 : 64); ++i)
            writeNext();
        if (FileExists(arguments.stopFile))
            break;
    }
    std::printf("written %lld\n", written);
    UnmapViewOfFile(view);
    CloseHandle(mapping);
    return 0;
}
