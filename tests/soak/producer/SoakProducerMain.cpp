// soak_producer: rewrites the text and style blocks of two scenes about every millisecond,
// one block in ten hostile, until a stop file appears; then writes what it did into a
// report file and ends. Its blocks vanish with it.
//   soak_producer --scene GUID --scene GUID --seed N --stop FILE --report FILE --ready FILE
#include "SoakBlocks.h"
#include "companion/blockwriter/SharedBlockWriter.h"

#include <windows.h>
#include <shellapi.h>
#include <mmsystem.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

namespace {

struct Arguments {
    std::vector<std::wstring> scenes;
    unsigned seed = 1;
    std::wstring stopFile, reportFile, readyFile;
};

bool ParseArguments(Arguments &parsed)
{
    int count = 0;
    LPWSTR *argv = CommandLineToArgvW(GetCommandLineW(), &count);
    if (!argv)
        return false;
    bool ok = true;
    for (int i = 1; i < count; ++i) {
        const std::wstring name = argv[i];
        if (i + 1 >= count) {
            ok = false;
            break;
        }
        const std::wstring value = argv[++i];
        if (name == L"--scene")
            parsed.scenes.push_back(value);
        else if (name == L"--seed")
            parsed.seed = static_cast<unsigned>(std::wcstoul(value.c_str(), nullptr, 10));
        else if (name == L"--stop")
            parsed.stopFile = value;
        else if (name == L"--report")
            parsed.reportFile = value;
        else if (name == L"--ready")
            parsed.readyFile = value;
        else
            ok = false;
    }
    LocalFree(argv);
    return ok && !parsed.scenes.empty() && !parsed.stopFile.empty() && !parsed.reportFile.empty();
}

bool FileExists(const std::wstring &path)
{
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool WriteText(const std::wstring &path, const std::string &text)
{
    const std::wstring temporary = path + L".tmp";
    HANDLE file = CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    const bool ok = WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr) &&
                    written == text.size();
    CloseHandle(file);
    return ok && MoveFileExW(temporary.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING);
}

SharedBlockWriter OpenOrDie(const std::wstring &name)
{
    DWORD error = 0;
    std::optional<SharedBlockWriter> block = SharedBlockWriter::Open(name, error);
    if (!block) {
        std::fprintf(stderr, "soak_producer: cannot open a block (%lu)\n", static_cast<unsigned long>(error));
        std::exit(1);
    }
    return std::move(*block);
}

} // namespace

int main()
{
    Arguments arguments;
    if (!ParseArguments(arguments)) {
        std::fprintf(stderr, "usage: soak_producer --scene GUID... --seed N --stop FILE --report FILE [--ready FILE]\n");
        return 2;
    }
    std::vector<SharedBlockWriter> textBlocks, styleBlocks;
    for (const std::wstring &scene : arguments.scenes) {
        textBlocks.push_back(OpenOrDie(TextBlockName(scene)));
        styleBlocks.push_back(OpenOrDie(StyleBlockName(scene)));
    }
    if (!arguments.readyFile.empty())
        WriteText(arguments.readyFile, "ready\n");

    // Millisecond sleeps need the finer timer; it goes back when the process ends.
    timeBeginPeriod(1);
    SoakBlockSource source(arguments.seed);
    long long written = 0, hostile = 0, rounds = 0;
    std::map<std::string, long long> kinds;
    const auto write = [&](SharedBlockWriter &block, const SoakBlock &image) {
        block.WriteImage(image.bytes.data(), image.bytes.size());
        ++written;
        if (image.hostile) {
            ++hostile;
            ++kinds[image.kind];
        }
    };
    while (!FileExists(arguments.stopFile)) {
        for (std::size_t scene = 0; scene < textBlocks.size(); ++scene) {
            write(textBlocks[scene], source.NextText());
            write(styleBlocks[scene], source.NextStyle());
        }
        ++rounds;
        Sleep(1);
    }

    std::string report = "blocks " + std::to_string(written) + "\nhostile " + std::to_string(hostile) +
                         "\nrounds " + std::to_string(rounds) + "\n";
    for (const auto &[kind, count] : kinds)
        report += "kind " + std::to_string(count) + " " + kind + "\n";
    return WriteText(arguments.reportFile, report) ? 0 : 1;
}
