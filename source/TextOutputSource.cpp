#include "source/TextOutputSource.h"
#include "source/SourceSamplers.h"

TextOutputSource::TextOutputSource(XElement *dataElement)
    : data(dataElement)
{
    UpdateSettings();
    scrollSampler = CreateScrollSampler();
    drawOpacity = 100;
    Log(L"Using text output");
}

TextOutputSource::~TextOutputSource()
{
    delete texture;
    texture = nullptr;
    delete scrollSampler;
    scrollSampler = nullptr;
    if (fileMonitorActive) {
        OSMonitorFileDestroy(fileMonitor);
        fileMonitor = nullptr;
        fileMonitorActive = false;
    }
    sourceGuid.Clear();
    delete pointSampler;
    pointSampler = nullptr;
    // The remaining strings go after this body: fontName, filePath, textSetting, currentText.
}

Vect2 TextOutputSource::GetSize() const
{
    return Vect2(baseSizeCX, baseSizeCY);
}
