#include "tests/headless/HeadlessTestSupport.h"
#include "tests/support/ChildProcess.h"

// The frame tests read the host's PNG files back.
#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_PNG
#include <stb/stb_image.h>

HostRun RunHeadlessHost(const std::vector<std::wstring> &arguments)
{
    // Arguments are quoted whole; the tests' paths and values hold no quotes.
    std::wstring commandLine;
    for (const std::wstring &argument : arguments)
        commandLine += (commandLine.empty() ? L"\"" : L" \"") + argument + L"\"";
    const ChildProcess::Finished run = ChildProcess::RunToEnd(L"headless_host.exe", commandLine, 120000);
    return {static_cast<int>(run.exitCode), run.output};
}

std::wstring FixtureRoot()
{
    return TestBinFolder() + L"headless_fixture";
}
