#pragma once
#include "headless/HostOptions.h"
#include "headless/PluginModules.h"

#include <nlohmann/json.hpp>

#include <string>
#include <vector>

struct SourceSummary {
    std::wstring scene;
    std::wstring name;
    std::wstring className;
    float x = 0, y = 0, cx = 0, cy = 0;
    bool created = false;
    bool described = false;     // text and texture size known (DescribeSource)
    std::wstring text;
    int textureWidth = 0;
    int textureHeight = 0;
    nlohmann::ordered_json settings;   // the data element; null when unknown
    nlohmann::ordered_json effectiveSettings;   // what the plug-in says it uses; null when unknown
};

struct PluginSummary {
    std::wstring fileName;
    std::wstring name;
    bool loaded = false;
    std::wstring problem;
    std::vector<RegisteredClass> classes;
};

struct RunSummary {
    int frames = 0;
    double fps = 0;
    unsigned width = 0, height = 0;
    int pngEvery = 1;
    int pngWritten = 0;
    std::wstring gifPath;
    int gifFrames = 0;
    std::wstring videoPath;
    int videoFrames = 0;
    std::vector<PluginSummary> plugins;
    std::vector<RegisteredClass> registeredClasses;
    std::vector<SourceSummary> sources;
    std::vector<SceneSwitch> liveScenes;   // the live scene from frame 0 on, then each switch
    size_t liveBlocksBeforeSources = 0;
    size_t liveBlocksAtExit = 0;
    std::vector<std::wstring> warnings;
    std::vector<std::wstring> messageBoxes;
    double maxFrameMilliseconds = 0;   // the slowest frame, or --rasterise call if slower
    double rasteriseMilliseconds = 0;  // the slowest --rasterise call
    bool sceneFileSaved = false;
    std::wstring error;         // why the run failed; empty when it did not
};

// summary.json, pretty-printed.
std::string SummaryJson(const RunSummary &summary);

// The "data" object of a source in a saved scene collection, or null when the text is not
// JSON or has no such path.
nlohmann::ordered_json SavedSourceSettings(const std::string &sceneFileJson, const std::wstring &scene,
                                           const std::wstring &source);
