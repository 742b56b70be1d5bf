#pragma once
#include "support/FreshGuid.h"
#include "support/JsonFile.h"
#include "support/TempFolder.h"
#include "win/Text.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// Files, identifiers and pictures for the end-to-end tests, which drive our programs as a
// user would: through files, command lines and the frames they write.

struct Picture {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgba;
    bool Loaded() const { return width > 0; }
};
Picture ReadPng(const std::wstring &path);

// Pixels inside [x0, x1) x [y0, y1) for which test(r, g, b) holds.
int CountPixels(const Picture &picture, int x0, int y0, int x1, int y1,
                const std::function<bool(int r, int g, int b)> &test);

// A host installation of its own under folder\host\: the Microsoft-ABI host program, host
// library and shaders, and from the release folder our plug-in and, with withCompanion,
// the companion program and its settings: what a streamer installs.
// Copies, because the system also looks for a relative program path beside the running
// program, so a test that wants no companion needs a host folder without one. Returns the
// folder with a trailing backslash.
std::wstring InstallHost(const std::wstring &folder, bool withCompanion = false);

// Whether a named shared-memory block exists (some process holds it).
bool BlockExists(const std::wstring &name);

// A scene collection with one scene "Live" (sceneGuid) holding one of our sources, sized
// 640x120: what a streamer's saved scene looks like.
std::string SceneWithSource(const std::string &sceneGuid, const std::string &sourceGuid);

// Frames a run of the headless host writes into folder as frame_NNNNN.png: the newest
// written so far (-1 before the first), and the name of one.
int NewestFrame(const std::wstring &folder);
std::wstring FrameName(int index);
