#pragma once
#include "support/JsonFile.h"
#include "support/TempFolder.h"

#include <string>
#include <vector>

struct HostRun {
    int exitCode = -1;
    std::string errorOutput;   // what the host wrote to stderr
};

// Runs headless_host.exe (beside the test program) with these arguments and waits for it.
HostRun RunHeadlessHost(const std::vector<std::wstring> &arguments);

// The root folder holding only the fixture plug-in.
std::wstring FixtureRoot();
