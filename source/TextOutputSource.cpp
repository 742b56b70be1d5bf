#include "source/TextOutputSource.h"
#include "link/CompanionLauncher.h"
#include "link/GuidText.h"
#include "source/Frame.h"

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

void TextOutputSource::UpdateSettings()
{
    if (!data)
        return;
    fontName = data->GetString(L"font", L"Arial");
    color = data->GetInt(L"color", -1);
    fontSize = data->GetInt(L"fontSize", 48);
    textOpacity = data->GetInt(L"textOpacity", 100);
    scrollSpeed = data->GetInt(L"scrollSpeed", 0);
    bold = data->GetInt(L"bold", 0) != 0;
    italic = data->GetInt(L"italic", 0) != 0;
    wrap = data->GetInt(L"wrap", 0) != 0;
    scrollMode = data->GetInt(L"scrollMode", 0) != 0;
    underline = data->GetInt(L"underline", 0) != 0;
    vertical = data->GetInt(L"vertical", 0) != 0;
    useTextExtents = data->GetInt(L"useTextExtents", 0) != 0;
    extentWidth = static_cast<unsigned>(data->GetInt(L"extentWidth", 0));
    extentHeight = static_cast<unsigned>(data->GetInt(L"extentHeight", 0));
    align = data->GetInt(L"align", 0);
    filePath = data->GetString(L"file");
    mode = data->GetInt(L"mode", 0);
    pointFiltering = data->GetInt(L"pointFiltering", 0) != 0;
    baseSizeCX = data->GetFloat(L"baseSizeCX", 32.0f);
    baseSizeCY = data->GetFloat(L"baseSizeCY", 32.0f);
    useOutline = data->GetInt(L"useOutline", 0) != 0;
    outlineColor = data->GetInt(L"outlineColor", static_cast<int>(0xFF000000u));
    outlineSize = data->GetFloat(L"outlineSize", 2.0f);
    outlineOpacity = data->GetInt(L"outlineOpacity", 100);
    backgroundColor = data->GetInt(L"backgroundColor", static_cast<int>(0xFF000000u));
    backgroundOpacity = data->GetInt(L"backgroundOpacity", 0);
}

void TextOutputSource::SetString(CTSTR name, CTSTR value)
{
    if (scmpi(name, L"font") == 0)
        fontName = value;
    else if (scmpi(name, L"text") == 0)
        textSetting = value;
    else if (scmpi(name, L"file") == 0)
        filePath = value;
}

void TextOutputSource::SetInt(CTSTR name, int value)
{
    if (scmpi(name, L"color") == 0)
        color = value;
    else if (scmpi(name, L"fontSize") == 0)
        fontSize = value;
    else if (scmpi(name, L"textOpacity") == 0)
        textOpacity = value;
    else if (scmpi(name, L"scrollSpeed") == 0) {
        // Scrolling that starts from still begins at the texture's origin.
        if (scrollSpeed == 0)
            scrollOffset = 0.0f;
        scrollSpeed = value;
    } else if (scmpi(name, L"bold") == 0)
        bold = value != 0;
    else if (scmpi(name, L"italic") == 0)
        italic = value != 0;
    else if (scmpi(name, L"wrap") == 0)
        wrap = value != 0;
    else if (scmpi(name, L"scrollMode") == 0)
        scrollMode = value != 0;
    else if (scmpi(name, L"underline") == 0)
        underline = value != 0;
    else if (scmpi(name, L"vertical") == 0)
        vertical = value != 0;
    else if (scmpi(name, L"useTextExtents") == 0)
        useTextExtents = value != 0;
    else if (scmpi(name, L"extentWidth") == 0) {
        // Any change of the extents flashes the box, so the user sees where it is.
        extentHighlightTime = 2.0f;
        extentWidth = static_cast<unsigned>(value);
    } else if (scmpi(name, L"extentHeight") == 0) {
        extentHighlightTime = 2.0f;
        extentHeight = static_cast<unsigned>(value);
    } else if (scmpi(name, L"align") == 0)
        align = value;
    else if (scmpi(name, L"mode") == 0)
        mode = value;
    else if (scmpi(name, L"useOutline") == 0)
        useOutline = value != 0;
    else if (scmpi(name, L"outlineColor") == 0)
        outlineColor = value;
    else if (scmpi(name, L"outlineOpacity") == 0)
        outlineOpacity = value;
    else if (scmpi(name, L"backgroundColor") == 0)
        backgroundColor = value;
    else if (scmpi(name, L"backgroundOpacity") == 0)
        backgroundOpacity = value;
}

void TextOutputSource::SetFloat(CTSTR name, float value)
{
    if (scmpi(name, L"outlineSize") == 0)
        outlineSize = value;
}

LayoutSettings TextOutputSource::Layout() const
{
    LayoutSettings layout;
    layout.fontSize = fontSize;
    layout.vertical = vertical;
    layout.useTextExtents = useTextExtents;
    layout.wrap = wrap;
    layout.scrollMode = scrollMode;
    layout.useOutline = useOutline;
    layout.outlineSize = DrawableOutlineSize(outlineSize);
    layout.extentWidth = extentWidth;
    layout.extentHeight = extentHeight;
    return layout;
}

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
