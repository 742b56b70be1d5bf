#include "headless/PluginModules.h"
#include "hostlib/HostControl.h"
#include "win/Handle.h"

#include <algorithm>

namespace {

typedef bool (*LoadPluginProc)();
typedef void (*UnloadPluginProc)();
typedef CTSTR (*GetPluginNameProc)();

template <typename Proc>
Proc Export(HMODULE module, const char *name)
{
    return reinterpret_cast<Proc>(reinterpret_cast<void *>(GetProcAddress(module, name)));
}

std::vector<std::wstring> DllNames(const std::wstring &folder)
{
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW found;
    const win::FindHandle search(FindFirstFileW((folder + L"\\*.dll").c_str(), &found));
    if (!search)
        return names;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            names.push_back(found.cFileName);
    } while (FindNextFileW(search.get(), &found));
    std::sort(names.begin(), names.end());
    return names;
}

} // namespace

PluginSet::~PluginSet()
{
    UnloadAll();
    for (PluginModule &plugin : modules)
        if (plugin.module)
            FreeLibrary(plugin.module);
}

void PluginSet::LoadFolder(const std::wstring &folder)
{
    for (const std::wstring &fileName : DllNames(folder)) {
        PluginModule &plugin = modules.emplace_back();
        plugin.fileName = fileName;
        plugin.module = LoadLibraryW((folder + L"\\" + fileName).c_str());
        if (!plugin.module) {
            plugin.problem = L"LoadLibrary failed with error " + std::to_wstring(GetLastError());
            continue;
        }
        if (auto getName = Export<GetPluginNameProc>(plugin.module, "GetPluginName"))
            if (CTSTR name = getName())
                plugin.name = name;
        plugin.describe = Export<DescribeSourceProc>(plugin.module, "DescribeSource");
        plugin.rasterise = Export<RasteriseSourceProc>(plugin.module, "RasteriseSource");
        plugin.describeSettings = Export<DescribeSourceSettingsProc>(plugin.module, "DescribeSourceSettings");
        auto load = Export<LoadPluginProc>(plugin.module, "LoadPlugin");
        if (!load) {
            plugin.problem = L"no LoadPlugin export";
            continue;
        }
        const unsigned before = HostRegisteredClassCount();
        plugin.loadCalled = true;
        plugin.loaded = load();
        if (!plugin.loaded)
            plugin.problem = L"LoadPlugin returned false";
        for (unsigned i = before; i < HostRegisteredClassCount(); ++i)
            if (const HostSourceClass *registered = HostRegisteredClass(i))
                plugin.classes.push_back({registered->className ? registered->className : L"",
                                          registered->displayName ? registered->displayName : L""});
    }
}

void PluginSet::UnloadAll()
{
    for (PluginModule &plugin : modules) {
        if (!plugin.loadCalled)
            continue;
        plugin.loadCalled = false;
        if (auto unload = Export<UnloadPluginProc>(plugin.module, "UnloadPlugin"))
            unload();
    }
}

const PluginModule *PluginSet::OwnerOf(const std::wstring &className) const
{
    for (const PluginModule &plugin : modules)
        for (const RegisteredClass &registered : plugin.classes)
            if (registered.className == className)
                return &plugin;
    return nullptr;
}
