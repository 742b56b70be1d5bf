#include "plugin/PluginEntry.h"
#include "plugin/PluginTexts.h"
#include "source/TextOutputSource.h"

#include <cstring>
#include <new>

namespace {
HINSTANCE moduleInstance = nullptr;
}

BOOL OnLibraryAttach(HINSTANCE instance, DWORD reason)
{
    if (reason == DLL_PROCESS_ATTACH)
        moduleInstance = instance;
    return TRUE;
}

HINSTANCE PluginModuleInstance()
{
    return moduleInstance;
}

ImageSource *CreateTextSource(XElement *data)
{
    if (!data)
        return nullptr;
    void *storage = Allocate(sizeof(TextOutputSource));
    if (!storage)
        return nullptr;
    std::memset(storage, 0, sizeof(TextOutputSource));
    return new (storage) TextOutputSource(data);
}

bool LoadPlugin()
{
    InitColorControl(moduleInstance);
    API->RegisterImageSourceClass(kTextSourceClassName, kTextSourceDisplayName,
                                  &CreateTextSource, &ConfigureTextSource);
    return true;
}

void UnloadPlugin()
{
}

CTSTR GetPluginName()
{
    return kTextSourceClassName;
}

CTSTR GetPluginDescription()
{
    return kPluginDescription;
}
