#pragma once
#include "host/OBSApi.h"

// The library's exported entry points, with plain undecorated names.
extern "C" {
__declspec(dllexport) bool LoadPlugin();
__declspec(dllexport) void UnloadPlugin();
__declspec(dllexport) CTSTR GetPluginName();
__declspec(dllexport) CTSTR GetPluginDescription();
}

// Called by the module entry point; records the instance on process attach. Always TRUE.
BOOL OnLibraryAttach(HINSTANCE instance, DWORD reason);
HINSTANCE PluginModuleInstance();

// The create callback: a new source in zero-filled MainAllocator storage, or null.
ImageSource *CreateTextSource(XElement *data);
// The configure callback.
bool ConfigureTextSource(XElement *element, bool creating);
