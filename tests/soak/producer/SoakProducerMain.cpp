// soak_producer: rewrites the text and style blocks of two scenes about every millisecond,
// one block in ten hostile, until a stop file appears; then writes what it did into a
// report file and ends. Its blocks vanish with it.
//   soak_producer --scene GUID --scene GUID --seed N --stop FILE --report FILE --ready FILE
#include "SoakBlocks.h"
#include "support/ProducerCommandLine.h"
#include "support/TempFolder.h"
#include "win/File.h"

#include <mmsystem.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

int main()
{
    const auto arguments = ProducerCommandLine({L"--scene", L"--seed", L"--stop", L"--report", L"--ready"});
    const std::wstring stopFile = arguments ? LastValue(*arguments, L"--stop") : L"";
    const std::wstring reportFile = arguments ? LastValue(*arguments, L"--report") : L"";
    const std::wstring readyFile = arguments ? LastValue(*arguments, L"--ready") : L"";
    if (!arguments || !arguments->count(L"--scene") || stopFile.empty() || reportFile.empty()) {
        std::fprintf(stderr, "usage: soak_producer --scene GUID... --seed N --stop FILE --report FILE [--ready FILE]\n");
        return 2;
    }
    std::vector<SharedBlockWriter> textBlocks, styleBlocks;
    for (const std::wstring &scene : arguments->at(L"--scene")) {
        textBlocks.push_back(OpenBlockOrExit(TextBlockName(scene), "soak_producer"));
        styleBlocks.push_back(OpenBlockOrExit(StyleBlockName(scene), "soak_producer"));
    }
    if (!readyFile.empty())
        win::WriteWholeFile(readyFile, "ready\n");

    // Millisecond sleeps need the finer timer; it goes back when the process ends.
    timeBeginPeriod(1);
    SoakBlockSource source(static_cast<unsigned>(std::wcstoul(LastValue(*arguments, L"--seed", L"1").c_str(), nullptr, 10)));
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
    while (!FileExists(stopFile)) {
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
    return win::WriteWholeFile(reportFile, report) ? 0 : 1;
}
