#include "plugin/MeasureBaseSize.h"
#include "source/GdiplusHandles.h"
#include "source/Rasterise.h"
#include "source/TextureLayout.h"

namespace {

constexpr float kMinimumBaseSide = 32.0f;

void ShowFontNotFound(CTSTR fontNameAsRead)
{
    String message = locale->LookupString(L"Sources.TextSource.FontNotFound");
    message.FindReplace(L"$1", fontNameAsRead ? fontNameAsRead : L"");
    OBSMessageBox(nullptr, message, nullptr, 0);
}

} // namespace

CreateFontFromLogfontW &MeasuringFontFactory()
{
    static CreateFontFromLogfontW factory = &gdip::GdipCreateFontFromLogfontW;
    return factory;
}

LOGFONTW BaseSizeLogFont(CTSTR fontName, int fontSize, bool bold, bool italic)
{
    LOGFONTW font{};
    font.lfHeight = fontSize;
    font.lfWeight = bold ? FW_BOLD : FW_DONTCARE;
    font.lfItalic = italic ? 1 : 0;
    font.lfQuality = ANTIALIASED_QUALITY;
    const bool named = fontName && fontName[0] != 0;
    scpy_n(font.lfFaceName, named ? fontName : L"Arial", LF_FACESIZE - 1);
    return font;
}

BaseSize BaseSizeFromMeasurement(float measuredWidth, float measuredHeight, int fontSize)
{
    float height = measuredHeight;
    if (static_cast<float>(fontSize) > height)
        height = static_cast<float>(fontSize);
    const float width = measuredWidth;
    return {width > kMinimumBaseSide ? width : kMinimumBaseSide,
            height > kMinimumBaseSide ? height : kMinimumBaseSide};
}

void MeasureBaseSize(XElement *data)
{
    if (!data)
        return;
    const String fontName = data->GetString(L"font", L"Arial");
    const int fontSize = data->GetInt(L"fontSize", 48);
    const bool bold = data->GetInt(L"bold", 0) != 0;
    const bool italic = data->GetInt(L"italic", 0) != 0;
    const LOGFONTW logFont = BaseSizeLogFont(fontName, fontSize, bold, italic);

    const win::MemoryDC dc(CreateCompatibleDC(nullptr));
    GdipFont font;
    MeasuringFontFactory()(dc.get(), &logFont, font.receive());
    if (!font) {
        ShowFontNotFound(fontName);
        return;
    }

    GdipGraphics graphics;
    graphics.Check(gdip::GdipCreateFromHDC(dc.get(), graphics.receive()));
    const GdipStringFormat format = CloneTypographicFormat(kHorizontalFormatFlags);

    const Gdiplus::RectF layout(0.0f, 0.0f, 0.0f, 0.0f);
    Gdiplus::RectF box(0.0f, 0.0f, 0.0f, 0.0f);
    graphics.Check(gdip::GdipMeasureString(graphics.get(), L"123456", -1, font.get(), &layout,
                                           format.get(), &box, nullptr, nullptr));

    const BaseSize size = BaseSizeFromMeasurement(box.Width, box.Height, fontSize);
    data->SetFloat(L"baseSizeCX", size.width);
    data->SetFloat(L"baseSizeCY", size.height);
}
