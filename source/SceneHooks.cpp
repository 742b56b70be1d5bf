#include "source/TextOutputSource.h"
#include "link/CompanionLauncher.h"
#include "link/GuidText.h"

void TextOutputSource::BeginScene()
{
    if (!data)
        return;
    const String guid = EnsureGuidSetting(data, L"guid");
    XElement *scene = SceneElementOf(data);
    if (!scene)
        return;  // no scene to name the blocks: the companion would have nothing to serve
    const String sceneGuid = EnsureGuidSetting(scene, L"sceneGuid");
    LaunchCompanion(guid, sceneGuid);
}

void TextOutputSource::EndScene()
{
}
