#pragma once
#include "host/OBSApi.h"

// The companion program, relative to the host's current directory.
inline constexpr const char *kCompanionProgramPath = "plugins\\VantoPlauditor\\Plauditor.exe";

// Starts the companion program for a source and its scene, at most once a second in the
// whole process (further calls within the second are dropped). Returns 0, or the system's
// error code when the start failed.
DWORD LaunchCompanion(String sourceGuid, String sceneGuid);

// Tests only: forget the last launch.
void ResetCompanionLaunchThrottle();
