#pragma once
#include "headless/PluginModules.h"
#include "headless/SceneCollection.h"

#include <string>
#include <vector>

// A source of the scene collection with its class and, once created, its object.
struct LiveSource {
    SceneSourceEntry entry;
    OBSCREATEPROC create = nullptr;
    OBSCONFIGPROC configure = nullptr;
    const PluginModule *plugin = nullptr;   // null when the class came from elsewhere
    Vect2 position;
    Vect2 size;
    ImageSource *source = nullptr;
};

// Pairs every entry with its registered class; false naming the first unknown class.
bool ResolveSourceClasses(const std::vector<SceneSourceEntry> &entries, const PluginSet &plugins,
                          std::vector<LiveSource> &sources, std::wstring &error);

// Sources marked "new" (nonzero) are configured as new, then lose the mark.
void ConfigureNewSources(std::vector<LiveSource> &sources);

// Creates every source from its data element (made when missing) and reads where it goes:
// "x", "y", "cx", "cy" of its element, the size falling back to the source's own.
// With `rasterise`, each plug-in's RasteriseSource export is called for its sources; the
// result is the longest such call in milliseconds (0 without).
double CreateSources(std::vector<LiveSource> &sources, bool rasterise);

// A scene goes live or stops being live: BeginScene or EndScene of each of its sources.
void BeginScene(std::vector<LiveSource> &sources, const std::wstring &scene);
void EndScene(std::vector<LiveSource> &sources, const std::wstring &scene);
// Deletes the sources through their virtual destructor.
void DestroySources(std::vector<LiveSource> &sources);

// What the plug-in's DescribeSource export says about a source.
struct SourceDescription {
    bool available = false;
    std::wstring text;
    int textureWidth = 0;
    int textureHeight = 0;
    std::string effectiveSettings;   // JSON from DescribeSourceSettings; empty when unknown
};
SourceDescription DescribeLiveSource(const LiveSource &source);
