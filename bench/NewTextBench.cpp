// New text: Preprocess taking a new two-line text and rasterising it, against a bare GDI+
// step that measures the same text and draws it into a bitmap of the same size.
#include "bench/BenchRows.h"
#include "bench/BenchScenes.h"
#include "source/GdiplusApi.h"
#include "source/TextOutputSource.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

constexpr Gdiplus::PixelFormat kArgb32 = 0x26200A;

void Require(Gdiplus::GpStatus status, const char *what)
{
    if (status != Gdiplus::Ok) {
        std::fprintf(stderr, "bench: %s failed (%d)\n", what, static_cast<int>(status));
        std::exit(1);
    }
}

// What a minimal program keeps between texts: the font, a measuring graphics object on a
// memory DC, the typographic format, the brushes and the pen.
class BareTextDrawer {
    HDC dc = CreateCompatibleDC(nullptr);
    HFONT gdiFont = nullptr;
    Gdiplus::GpFont *font = nullptr;
    Gdiplus::GpFontFamily *family = nullptr;
    Gdiplus::GpGraphics *measuring = nullptr;
    Gdiplus::GpStringFormat *format = nullptr;
    Gdiplus::GpSolidFill *textBrush = nullptr;
    Gdiplus::GpPen *pen = nullptr;
    Gdiplus::REAL emSize = 0;
    INT style = 0;
    std::wstring text;

public:
    explicit BareTextDrawer(const std::wstring &drawnText) : text(drawnText)
    {
        LOGFONTW description{};
        description.lfHeight = 48;
        description.lfCharSet = GB2312_CHARSET;
        description.lfQuality = ANTIALIASED_QUALITY;
        wcscpy(description.lfFaceName, L"WenQuanYi Zen Hei");
        gdiFont = CreateFontIndirectW(&description);
        LOGFONTA narrow{};
        GetObjectA(gdiFont, sizeof narrow, &narrow);
        Require(gdip::GdipCreateFontFromLogfontA(dc, &narrow, &font), "font");
        Require(gdip::GdipGetFamily(font, &family), "family");
        Require(gdip::GdipGetFontSize(font, &emSize), "em size");
        Require(gdip::GdipGetFontStyle(font, &style), "style");
        Require(gdip::GdipCreateFromHDC(dc, &measuring), "measuring graphics");
        gdip::GdipSetTextRenderingHint(measuring, Gdiplus::TextRenderingHintAntiAlias);
        Gdiplus::GpStringFormat *generic = nullptr;
        Require(gdip::GdipStringFormatGetGenericTypographic(&generic), "format");
        Require(gdip::GdipCloneStringFormat(generic, &format), "format clone");
        gdip::GdipSetStringFormatFlags(format, 0x0804);
        Require(gdip::GdipCreateSolidFill(0xFFFFFFFF, &textBrush), "brush");
        Require(gdip::GdipCreatePen1(0xFF000000, 2.0f, Gdiplus::UnitWorld, &pen), "pen");
        gdip::GdipSetPenLineJoin(pen, Gdiplus::LineJoinRound);
    }
    ~BareTextDrawer()
    {
        gdip::GdipDeletePen(pen);
        gdip::GdipDeleteBrush(textBrush);
        gdip::GdipDeleteStringFormat(format);
        gdip::GdipDeleteGraphics(measuring);
        gdip::GdipDeleteFontFamily(family);
        gdip::GdipDeleteFont(font);
        DeleteObject(gdiFont);
        DeleteDC(dc);
    }
    BareTextDrawer(const BareTextDrawer &) = delete;
    BareTextDrawer &operator=(const BareTextDrawer &) = delete;

    // Measure, make a bitmap of the size the source's texture gets, clear it, draw.
    void Draw(bool outline)
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

private:
    static int EvenSide(float side)
    {
        int value = static_cast<int>(side + 0.0001f);
        value += value % 2;
        return value < 32 ? 32 : value;
    }
};

// One bare read of a held block, as in the idle-poll floor.
void BareBlockCycle(const std::wstring &name)
{
    static unsigned char copied[2048];
    HANDLE mapping = CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, 2048, name.c_str());
    if (!mapping)
        return;
    if (void *view = MapViewOfFile(mapping, FILE_MAP_ALL_ACCESS, 0, 0, 2048)) {
        std::memcpy(copied, view, sizeof copied);
        UnmapViewOfFile(view);
    }
    CloseHandle(mapping);
}

// withReads: the floor also reads both blocks, as every Preprocess must.
BenchRow NewTextRow(const BenchOptions &options, bool outline, bool withReads)
{
    BenchScenes scenes(1, 1);
    int sequence = 100;
    scenes.WriteStyle(0, 1, ThankYouStyle(outline));
    scenes.WriteText(0, sequence, {kThankYouLine1, kThankYouLine2});
    scenes.PreprocessAll();
    TextOutputSource *source = scenes.Sources()[0];
    if (!source->texture || source->currentText.IsEmpty() ||
        ThankYouText() != source->currentText.Array()) {
        std::fprintf(stderr, "bench: the source did not take the thank-you text\n");
        std::exit(1);
    }

    BareTextDrawer bare(ThankYouText());
    const std::wstring textBlock = TextBlockName(scenes.SceneGuid(0));
    const std::wstring styleBlock = StyleBlockName(scenes.SceneGuid(0));
    BenchRow row;
    row.name = outline ? "new text, outline 2" : "new text";
    row.unit = "call";
    row.floorName = outline ? "bare measure, path, pen, fill" : "bare measure and draw";
    if (withReads)
        row.floorName += " + 2 bare block reads";
    row.target = 1.3;
    row.result = TimePaired(
        options.runs, Units(options, 20),
        [&](int count) {
            for (int i = 0; i < count; ++i) {
                scenes.WriteText(0, ++sequence, {kThankYouLine1, kThankYouLine2});
                source->Preprocess();
            }
        },
        [&](int count) {
            for (int i = 0; i < count; ++i) {
                if (withReads) {
                    BareBlockCycle(textBlock);
                    BareBlockCycle(styleBlock);
                }
                bare.Draw(outline);
            }
        });
    return row;
}

} // namespace

std::vector<BenchRow> NewTextRows(const BenchOptions &options)
{
    return {NewTextRow(options, false, false), NewTextRow(options, true, false), NewTextRow(options, false, true),
            NewTextRow(options, true, true)};
}
