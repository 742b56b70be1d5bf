#include "source/TextFont.h"

LOGFONTW DescribeTextFont(CTSTR faceName, const TextFontStyle &style)
{
    LOGFONTW description{};
    description.lfHeight = style.size;
    description.lfWeight = style.bold ? FW_BOLD : FW_DONTCARE;
    description.lfItalic = style.italic ? 1 : 0;
    description.lfUnderline = style.underline ? 1 : 0;
    description.lfCharSet = GB2312_CHARSET;
    description.lfQuality = ANTIALIASED_QUALITY;
    if (faceName)
        scpy_n(description.lfFaceName, faceName, LF_FACESIZE - 1);
    return description;
}

FontHandle CreateTextFont(const String &faceName, const TextFontStyle &style)
{
    FontHandle font;
    if (!faceName.IsEmpty()) {
        const LOGFONTW description = DescribeTextFont(faceName.Array(), style);
        font.reset(CreateFontIndirectW(&description));
    }
    if (!font) {
        const LOGFONTW description = DescribeTextFont(L"Arial", style);
        font.reset(CreateFontIndirectW(&description));
    }
    return font;
}

GdipFont CreateGdiplusFont(HDC dc, HFONT font)
{
    GdipFont gdiplusFont;
    LOGFONTA description{};
    if (GetObjectA(font, sizeof(description), &description))
        gdiplusFont.Check(gdip::GdipCreateFontFromLogfontA(dc, &description, gdiplusFont.receive()));
    else
        gdiplusFont.Check(gdip::GdipCreateFontFromDC(dc, gdiplusFont.receive()));
    return gdiplusFont;
}
