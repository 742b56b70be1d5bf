#include "plugin/PluginEntry.h"

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID)
{
    return OnLibraryAttach(instance, reason);
}
