#pragma once
#include "host/OBSApi.h"

#include <string>
#include <vector>

class ImageSource;

// Optional diagnostics a plug-in may export for this host.
typedef int (*DescribeSourceProc)(ImageSource *source, wchar_t *text, int textCapacity, int *textureWidth,
                                  int *textureHeight);
typedef void (*RasteriseSourceProc)(ImageSource *source);
// The settings a source works with, as UTF-8 JSON; returns the full length or -1.
typedef int (*DescribeSourceSettingsProc)(ImageSource *source, char *json, int capacity);

struct RegisteredClass {
    std::wstring className;
    std::wstring displayName;
};

struct PluginModule {
    std::wstring fileName;
    HMODULE module = nullptr;
    std::wstring name;             // GetPluginName, when exported
    bool loaded = false;           // LoadPlugin was called and returned true
    bool loadCalled = false;
    std::wstring problem;          // why it is not loaded
    std::vector<RegisteredClass> classes;   // registered during its LoadPlugin
    DescribeSourceProc describe = nullptr;
    RasteriseSourceProc rasterise = nullptr;
    DescribeSourceSettingsProc describeSettings = nullptr;
};

// The plug-in libraries of one folder, loaded in name order. Unloading calls UnloadPlugin;
// the libraries themselves stay mapped until the set is destroyed.
class PluginSet {
    std::vector<PluginModule> modules;

public:
    PluginSet() = default;
    ~PluginSet();
    PluginSet(const PluginSet &) = delete;
    PluginSet &operator=(const PluginSet &) = delete;

    void LoadFolder(const std::wstring &folder);
    void UnloadAll();

    const std::vector<PluginModule> &Modules() const { return modules; }
    // The plug-in whose LoadPlugin registered the class, or null.
    const PluginModule *OwnerOf(const std::wstring &className) const;
};
