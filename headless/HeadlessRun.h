#pragma once
#include "headless/HostOptions.h"

#include <string>

// Exit codes of the headless host.
enum HostExitCode : int {
    HOST_EXIT_OK = 0,
    HOST_EXIT_FAILED = 1,        // something could not be written while running
    HOST_EXIT_BAD_INPUT = 2,     // bad arguments or scene file; nothing was written
};

// One whole run: load plug-ins, create the scene's sources, render, write the outputs and
// save the scene collection. `error` gets the one-line reason for a non-zero exit.
int RunHeadlessHost(HostOptions options, std::wstring &error);
