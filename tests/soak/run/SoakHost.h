#pragma once
// The headless host's own pieces (plug-in loading, scene sources, the frame loop) run inside
// the soak program, so the soak can take its handle probes and allocation counts around
// exactly the frames it runs and check every frame as it ends.
#include "headless/FrameLoop.h"
#include "headless/PluginModules.h"
#include "headless/SceneSources.h"
#include "host/OBSApi.h"

#include <atomic>
#include <string>
#include <vector>

// A host folder of its own under the temporary folder: plugins\HollinVanto.dll and the
// shaders, no companion program (so starting it finds nothing to start). Current folder
// while the soak runs, as the real host's is.
class SoakHostFolder {
    std::wstring root;
    std::wstring previousFolder;

public:
    SoakHostFolder();
    ~SoakHostFolder();
    SoakHostFolder(const SoakHostFolder &) = delete;
    SoakHostFolder &operator=(const SoakHostFolder &) = delete;

    bool Ready() const { return !root.empty(); }
    const std::wstring &Root() const { return root; }
    std::wstring Path(const std::wstring &name) const;
};

struct SoakSourcePlacement {
    std::wstring scene;
    std::wstring name;
    std::wstring file;   // the "file" setting, empty for none
    float y = 0.0f;
};

// Scene collection text: each scene with its identifier, each source 1280x160 at its y.
std::string SoakSceneCollection(const std::vector<std::pair<std::wstring, std::wstring>> &sceneGuids,
                                const std::vector<SoakSourcePlacement> &sources);

// Counts the host's warnings by text while it lives, and keeps the log off stderr.
class WarningTally {
    static void Receive(int level, CTSTR line, void *context);

public:
    // Each kind with its count, in the order first seen.
    std::vector<std::pair<std::wstring, long long>> counts;
    WarningTally();
    ~WarningTally();
    WarningTally(const WarningTally &) = delete;
    WarningTally &operator=(const WarningTally &) = delete;
};

// The plug-ins of the folder and the sources of a scene collection, made the way the
// headless host makes them.
class SoakScenes {
    XConfig config;
    PluginSet plugins;
    std::vector<SceneSourceEntry> entries;
    std::vector<LiveSource> sources;
    GraphicsSystem *graphics;
    std::wstring problem;

public:
    SoakScenes(const SoakHostFolder &folder, const std::wstring &sceneFile, GraphicsSystem *graphics);
    ~SoakScenes();
    SoakScenes(const SoakScenes &) = delete;
    SoakScenes &operator=(const SoakScenes &) = delete;

    // Empty when the plug-in loaded and the scene collection resolved.
    const std::wstring &Problem() const { return problem; }

    // The sources are made and deleted as the headless host does, without starting and
    // ending their scenes: a scene start launches the companion program, which Windows
    // finds beside the soak program and which would write the same blocks as the producer.
    void Create();
    void Destroy();
    // One frame as the headless host's loop makes it (clear the canvas, then Preprocess,
    // Tick and Render of every source in order), with the milliseconds of each source.
    struct FrameTimes {
        double total = 0.0;
        std::vector<double> perSource;
    };
    FrameTimes Frame();
    const std::vector<LiveSource> &Sources() const { return sources; }
    SourceDescription Describe(std::size_t index) const { return DescribeLiveSource(sources[index]); }
    // A few settings of a source's data element and what it shows, for a report about a
    // slow frame. Without `showing`, only the data element is read (safe from another
    // thread while the source is busy).
    std::wstring SettingsOf(std::size_t index, bool showing = true) const;
    // The source whose turn it is in the current frame.
    std::size_t BusySource() const { return busySource; }

private:
    std::atomic<std::size_t> busySource{0};
};
