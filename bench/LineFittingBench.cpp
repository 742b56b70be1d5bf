// Scroll-mode line fitting: 64 lines fitted from the bottom into an 800x200 box, against the
// floor of the measurements such a fitting has to make (the growing tails of the text).
#include "bench/BenchRows.h"
#include "bench/BenchScenes.h"
#include "source/GdiplusHandles.h"
#include "source/Rasterise.h"
#include "source/TextMeasure.h"

namespace {

constexpr float kBoxWidth = 800.0f;
constexpr float kBoxHeight = 200.0f;

std::vector<std::wstring> SixtyFourLines()
{
    std::vector<std::wstring> lines;
    for (int i = 1; i <= 64; ++i)
        lines.push_back(L"感谢 Viewer" + std::to_wstring(i) + L" 送出的 " + std::to_wstring(i * 3) + L" 个 火箭");
    return lines;
}

} // namespace

std::vector<BenchRow> LineFittingRows(const BenchOptions &options)
{
    const std::vector<std::wstring> lines = SixtyFourLines();
    std::wstring whole;
    for (size_t i = 0; i < lines.size(); ++i)
        whole += (i ? L"\r\n" : L"") + lines[i];

    const win::MemoryDC dc(CreateCompatibleDC(nullptr));
    const win::FontHandle gdiFont =
        CreateTextFont(String(L"WenQuanYi Zen Hei"), TextFontStyle{48, false, false, false});
    GdipFont font = CreateGdiplusFont(dc.get(), gdiFont.get());
    GdipGraphics graphics = CreateMeasuringGraphics(dc.get());

    // The tails the fitting measures: the last k lines, each ending with a line feed (the
    // carriage return stays inside its line, as the split leaves it).
    std::vector<std::wstring> tails;
    {
        String probe(whole.c_str());
        FitLinesToBox(probe, graphics, font.get(), kBoxWidth, kBoxHeight);
        const Gdiplus::RectF layout(0, 0, kBoxWidth, 32000.0f);
        std::wstring tail;
        for (size_t i = lines.size(); i-- > 0;) {
            tail.insert(0, lines[i] + (i + 1 < lines.size() ? L"\r\n" : L"\n"));
            tails.push_back(tail);
            Gdiplus::RectF box(0, 0, 0, 0);
            gdip::GdipMeasureString(graphics.get(), tail.c_str(), -1, font.get(), &layout, nullptr, &box,
                                    nullptr, nullptr);
            if (kBoxHeight - box.Height < 0)
                break;
        }
    }

    BenchRow row;
    row.name = "scroll-mode fitting, 64 lines in 800x200";
    row.unit = "call";
    row.floorName = std::to_string(tails.size()) + " bare measurements";
    row.result = TimePaired(
        options.runs, Units(options, 100),
        [&](int count) {
            for (int i = 0; i < count; ++i) {
                String text(whole.c_str());
                FitLinesToBox(text, graphics, font.get(), kBoxWidth, kBoxHeight);
            }
        },
        [&](int count) {
            const Gdiplus::RectF layout(0, 0, kBoxWidth, 32000.0f);
            for (int i = 0; i < count; ++i)
                for (const std::wstring &tail : tails) {
                    Gdiplus::RectF box(0, 0, 0, 0);
                    gdip::GdipMeasureString(graphics.get(), tail.c_str(), -1, font.get(), &layout, nullptr,
                                            &box, nullptr, nullptr);
                }
        });
    return {row};
}
