#include "source/TextOutputSource.h"
#include "source/ScrollMath.h"
#include "link/GuidText.h"
#include "link/TextChannel.h"
#include "link/StyleChannel.h"

#include <new>

void TextOutputSource::Preprocess()
{
    if (!data)
        return;
    // Decoding a block takes memory; when there is none, this frame simply takes nothing
    // rather than letting an exception into the host.
    try {
        PollChannels();
    } catch (const std::bad_alloc &) {
    }
}

void TextOutputSource::PollChannels()
{

    if (IsEmptyIdentifier(sourceGuid))
        sourceGuid = data->GetString(L"guid", L"");

    // A data element without a grandparent has no scene: no blocks to read. The identifier
    // is read every frame (it may have been edited) and lent to both channels, not copied.
    XElement *scene = SceneElementOf(data);
    const String sceneGuid = scene ? EnsureGuidSetting(scene, L"sceneGuid") : String();

    bool textIsNew = false;
    String receivedText;
    if (ReadTextChannel(receivedText, sceneGuid, data) == 1) {
        currentText.Clear();
        if (!receivedText.IsEmpty())  // a failed line check leaves nothing to append
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
