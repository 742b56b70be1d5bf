// plauditor_publish: writes text and style blocks for one scene, the way the companion
// program does, and keeps them alive for a while. For demos, soak runs and tests.
#include "companion/blockwriter/ProgramArguments.h"
#include "companion/blockwriter/SharedBlockWriter.h"
#include "win/File.h"
#include "win/Text.h"
#include "companion/publish/PublishPlan.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

namespace {

constexpr int kExitFailure = 1;
constexpr int kExitBadArguments = 2;

// A UTF-8 file (with or without a byte-order mark) as UTF-16 text.
std::optional<std::u16string> ReadUtf8File(const std::wstring &path)
{
    std::optional<std::string> bytes = win::ReadWholeFile(path);
    if (!bytes)
        return std::nullopt;
    if (bytes->compare(0, 3, "\xEF\xBB\xBF") == 0)
        bytes->erase(0, 3);
    return FromWide(win::WideFromUtf8(*bytes));
}

// Runs the steps, holding one writer per channel so every block written stays alive.
class Publisher {
    std::wstring scene;
    std::optional<SharedBlockWriter> text;
    std::optional<SharedBlockWriter> style;

public:
    explicit Publisher(std::wstring sceneGuid) : scene(std::move(sceneGuid)) {}

    bool Write(const PublishStep &step)
    {
        const bool isText = step.kind == PublishStep::Kind::Text;
        std::optional<SharedBlockWriter> &writer = isText ? text : style;
        if (!writer) {
            const std::wstring name = isText ? TextBlockName(scene) : StyleBlockName(scene);
            DWORD error = 0;
            writer = SharedBlockWriter::Open(name, error);
            if (!writer) {
                std::fprintf(stderr, "plauditor_publish: cannot open block (error %lu)\n", error);
                return false;
            }
        }
        return writer->Write(step.block);
    }
};

} // namespace

int main()
{
    const std::vector<std::u16string> arguments = ProgramArguments();
    if (arguments.size() == 1 && (arguments[0] == u"--help" || arguments[0] == u"-h")) {
        std::printf("%s\n", kPublishUsage);
        return 0;
    }
    std::string error;
    auto plan = ParsePublishArguments(arguments, error);
    if (!plan) {
        std::fprintf(stderr, "plauditor_publish: %s\n", error.c_str());
        return kExitBadArguments;
    }

    if (!plan->scriptPath.empty()) {
        const std::wstring path = ToWide(plan->scriptPath);
        const DWORD attributes = GetFileAttributesW(path.c_str());
        if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
            std::fprintf(stderr, "plauditor_publish: the script is a folder\n");
            return kExitBadArguments;
        }
        const auto script = ReadUtf8File(path);
        if (!script) {
            std::fprintf(stderr, "plauditor_publish: cannot read script (error %lu)\n", GetLastError());
            return kExitBadArguments;
        }
        auto steps = ParsePublishScript(*script, error);
        if (!steps) {
            std::fprintf(stderr, "plauditor_publish: %s\n", error.c_str());
            return kExitBadArguments;
        }
        plan->steps = std::move(*steps);
    }

    Publisher publisher(ToWide(plan->sceneGuid));
    bool ready = false;
    auto signalReady = [&] {
        if (ready || plan->readyFile.empty())
            return true;
        ready = true;
        return win::WriteWholeFile(ToWide(plan->readyFile), "ready\n");
    };

    for (const PublishStep &step : plan->steps) {
        if (step.kind == PublishStep::Kind::Wait) {
            Sleep(step.waitMilliseconds);
            continue;
        }
        if (!publisher.Write(step))
            return kExitFailure;
        // Readers may start once the first block is there.
        if (!signalReady()) {
            std::fprintf(stderr, "plauditor_publish: cannot write the ready file\n");
            return kExitFailure;
        }
    }
    if (!signalReady())
        return kExitFailure;
    std::fflush(stdout);

    // The blocks live only while a handle is open.
    constexpr unsigned kLongestHoldSeconds = (INFINITE - 1) / 1000;
    Sleep(plan->holdSeconds ? std::min(*plan->holdSeconds, kLongestHoldSeconds) * 1000u : INFINITE);
    return 0;
}
