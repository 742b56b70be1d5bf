#include "plugin/PluginEntry.h"
#include "plugin/MeasureBaseSize.h"
#include "link/CompanionLauncher.h"
#include "link/GuidText.h"

bool ConfigureTextSource(XElement *element, bool)
{
    if (!element) {
        AppWarning(L"ConfigureTextSource: NULL element");
        return false;
    }

    XElement *data = element->GetElement(L"data");
    if (!data)
        data = element->CreateElement(L"data");

    const String sourceGuid = EnsureGuidSetting(data, L"guid");
    // Without a grandparent there is no scene to name, and nothing for a companion to serve.
    XElement *scene = SceneElementOf(data);
    const String sceneGuid = scene ? EnsureGuidSetting(scene, L"sceneGuid") : String();

    MeasureBaseSize(data);
    element->SetFloat(L"cx", data->GetFloat(L"baseSizeCX", 32.0f));
    element->SetFloat(L"cy", data->GetFloat(L"baseSizeCY", 32.0f));

    // The companion may already run, or be held off by the launch throttle: either way the
    // source is configured.
    if (scene)
        LaunchCompanion(sourceGuid, sceneGuid);
    return true;
}
