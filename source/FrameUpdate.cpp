#include "source/TextOutputSource.h"
#include "source/ScrollMath.h"
#include "link/GuidText.h"
#include "link/TextChannel.h"
#include "link/StyleChannel.h"

void TextOutputSource::Preprocess()
{
    if (!data)
        return;

    if (IsEmptyIdentifier(sourceGuid))
        sourceGuid = data->GetString(L"guid", L"");

    XElement *scene = SceneElementOf(data);
    const String sceneGuid = scene ? EnsureGuidSetting(scene, L"sceneGuid") : String();

    bool textIsNew = false;
    String receivedText;
    if (ReadTextChannel(receivedText, sceneGuid, data) == 1) {
        currentText.Clear();
        currentText.AppendString(receivedText);
        textSetting = currentText;
        textIsNew = true;
    }

    // At most one rebuild a frame: new style re-reads the settings and covers new text too.
    if (ReadStyleChannel(sceneGuid, data) == 1) {
        UpdateSettings();
        UpdateTexture();
    } else if (textIsNew) {
        UpdateTexture();
    }
}

void TextOutputSource::Tick(float seconds)
{
    if (scrollSpeed != 0 && texture)
        scrollOffset = AdvanceScrollOffset(scrollOffset, scrollSpeed, seconds, textureWidth,
                                           textureHeight, vertical);
    extentHighlightTime = CountDownHighlight(extentHighlightTime, seconds);
}
