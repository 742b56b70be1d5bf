#include "bench/BareTextDrawer.h"

#include <cstdio>
#include <cstdlib>
#include <cwchar>

namespace {

constexpr Gdiplus::PixelFormat kArgb32 = 0x26200A;

void Require(Gdiplus::GpStatus status, const char *what)
{
    if (status != Gdiplus::Ok) {
        std::fprintf(stderr, "bench: %s failed (%d)\n", what, static_cast<int>(status));
        std::exit(1);
    }
}

int EvenSide(float side)
{
    int value = static_cast<int>(side + 0.0001f);
    value += value % 2;
    return value < 32 ? 32 : value;
}

} // namespace

BareTextDrawer::BareTextDrawer(const std::wstring &drawnText) : dc(CreateCompatibleDC(nullptr)), text(drawnText)
{
    LOGFONTW description{};
    description.lfHeight = 48;
    description.lfCharSet = GB2312_CHARSET;
    description.lfQuality = ANTIALIASED_QUALITY;
    wcscpy(description.lfFaceName, L"WenQuanYi Zen Hei");
    gdiFont.reset(CreateFontIndirectW(&description));
    LOGFONTA narrow{};
    GetObjectA(gdiFont.get(), sizeof narrow, &narrow);
    Require(gdip::GdipCreateFontFromLogfontA(dc.get(), &narrow, &font), "font");
    Require(gdip::GdipGetFamily(font, &family), "family");
    Require(gdip::GdipGetFontSize(font, &emSize), "em size");
    Require(gdip::GdipGetFontStyle(font, &style), "style");
    Require(gdip::GdipCreateFromHDC(dc.get(), &measuring), "measuring graphics");
    gdip::GdipSetTextRenderingHint(measuring, Gdiplus::TextRenderingHintAntiAlias);
    Gdiplus::GpStringFormat *generic = nullptr;
    Require(gdip::GdipStringFormatGetGenericTypographic(&generic), "format");
    Require(gdip::GdipCloneStringFormat(generic, &format), "format clone");
    gdip::GdipSetStringFormatFlags(format, 0x0804);
    Require(gdip::GdipCreateSolidFill(0xFFFFFFFF, &textBrush), "brush");
    Require(gdip::GdipCreatePen1(0xFF000000, 2.0f, Gdiplus::UnitWorld, &pen), "pen");
    gdip::GdipSetPenLineJoin(pen, Gdiplus::LineJoinRound);
}

BareTextDrawer::~BareTextDrawer()
{
    gdip::GdipDeletePen(pen);
    gdip::GdipDeleteBrush(textBrush);
    gdip::GdipDeleteStringFormat(format);
    gdip::GdipDeleteGraphics(measuring);
    gdip::GdipDeleteFontFamily(family);
    gdip::GdipDeleteFont(font);
}

void BareTextDrawer::Draw(bool outline)
{
    const Gdiplus::RectF unbounded(0, 0, 0, 0);
    Gdiplus::RectF box(0, 0, 32, 32);
    gdip::GdipMeasureString(measuring, text.c_str(), static_cast<INT>(text.size() + 1), font, &unbounded,
                            format, &box, nullptr, nullptr);
    if (outline) {
        box.Width += 2;
        box.Height += 2;
    }
    const int width = EvenSide(box.Width);
    const int height = EvenSide(box.Height < 48 ? 48 : box.Height);

    Gdiplus::GpBitmap *bitmap = nullptr;
    gdip::GdipCreateBitmapFromScan0(width, height, 0, kArgb32, nullptr, &bitmap);
    Gdiplus::GpGraphics *graphics = nullptr;
    gdip::GdipGetImageGraphicsContext(bitmap, &graphics);
    gdip::GdipSetTextRenderingHint(graphics, Gdiplus::TextRenderingHintAntiAlias);
    gdip::GdipSetSmoothingMode(graphics, Gdiplus::SmoothingModeAntiAlias);
    gdip::GdipGraphicsClear(graphics, 0x66000000);
    if (!outline) {
        gdip::GdipDrawString(graphics, text.c_str(), -1, font, &box, format, textBrush);
    } else {
        Gdiplus::RectF layout(box.X + 1, box.Y + 1, box.Width, box.Height);
        Gdiplus::GpPath *path = nullptr;
        gdip::GdipCreatePath(Gdiplus::FillModeAlternate, &path);
        gdip::GdipAddPathString(path, text.c_str(), -1, family, style, emSize, &layout, format);
        gdip::GdipDrawPath(graphics, pen, path);
        gdip::GdipFillPath(graphics, textBrush, path);
        gdip::GdipDeletePath(path);
    }
    gdip::GdipDeleteGraphics(graphics);
    gdip::GdipDisposeImage(bitmap);
}
