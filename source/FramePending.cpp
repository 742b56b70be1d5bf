#include "source/TextOutputSource.h"
#include "source/ScrollMath.h"

// Temporary: polling the channels and launching the companion join when the link lands.
void TextOutputSource::Preprocess() {}
void TextOutputSource::BeginScene() {}
void TextOutputSource::EndScene() {}

void TextOutputSource::Tick(float seconds)
{
    if (scrollSpeed != 0 && texture)
        scrollOffset = AdvanceScrollOffset(scrollOffset, scrollSpeed, seconds, textureWidth,
                                           textureHeight, vertical);
    extentHighlightTime = CountDownHighlight(extentHighlightTime, seconds);
}
