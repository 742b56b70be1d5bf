#include "source/GdiplusHandles.h"
#include "source/Rasterise.h"
#include "source/TextMeasure.h"

#include "support/StringText.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace {

// Every line is 10 high.
float TenPerLine(const String &text)
{
    float height = 0.0f;
    for (unsigned i = 0; i < text.Length(); ++i)
        height += text.Array()[i] == L'\n' ? 10.0f : 0.0f;
    return height;
}

TEST(LineFitting, StopsAtTheFirstLineThatOverflowsAndKeepsIt)
{
    String text(L"a\nb\nc\nd\ne");
    int measurements = 0;
    const float overflow = FitLinesFromBottom(text, 25.0f, [&](const String &lines) {
        ++measurements;
        return TenPerLine(lines);
    });
    EXPECT_STREQ(text.Array(), L"c\nd\ne\n");
    EXPECT_EQ(overflow, -5.0f);
    EXPECT_EQ(measurements, 3);

    String empty;
    EXPECT_EQ(FitLinesFromBottom(empty, 25.0f, TenPerLine), 0.0f);
    EXPECT_TRUE(empty.IsEmpty());
}

// A tall box over a long text keeps the same lines without measuring every count: 2,000
// lines of which 1,201 are kept in 12,005 took 1,201 measurements one by one.
TEST(LineFitting, ManyLinesKeepTheSameLinesWithFewMeasurements)
{
    std::wstring numbered;
    for (int line = 0; line < 2000; ++line)
        numbered += std::to_wstring(line) + L"\n";
    for (const float height : {12005.0f, 330.0f, 20000.0f, 19990.0f}) {
        String text(numbered.c_str());
        int measurements = 0;
        const float overflow = FitLinesFromBottom(text, height, [&](const String &lines) {
            ++measurements;
            return TenPerLine(lines);
        });
        const int kept = std::min(2000, static_cast<int>(height) / 10 + 1);
        EXPECT_EQ(overflow, height - 10.0f * kept) << height;
        EXPECT_EQ(Text(text), numbered.substr(numbered.find(L"\n" + std::to_wstring(2000 - kept) + L"\n") + 1)) << height;
        EXPECT_LE(measurements, 56) << height;
    }
}

TEST(LineFitting, LineFeedCarriageReturnIsOneBreakAndEmptyLinesStay)
{
    String text(L"a\n\rb\n\nc");
    EXPECT_EQ(FitLinesFromBottom(text, 100.0f, TenPerLine), 60.0f);
    EXPECT_STREQ(text.Array(), L"a\nb\n\nc\n");
}

// Real GDI+: the box is sized from heights this GDI+ measures itself.
TEST(LineFitting, FiveLinesOfWhichThreeFitKeepFourWithGdiplus)
{
    const win::MemoryDC dc(CreateCompatibleDC(nullptr));
    const win::FontHandle gdiFont = CreateTextFont(String(L"Arial"), TextFontStyle{32, false, false, false});
    const GdipFont font = CreateGdiplusFont(dc.get(), gdiFont.get());
    GdipGraphics graphics;
    graphics.Check(gdip::GdipCreateFromHDC(dc.get(), graphics.receive()));
    const auto measure = [&](CTSTR text) {
        const Gdiplus::RectF layout(0.0f, 0.0f, 400.0f, 32000.0f);
        Gdiplus::RectF box(0.0f, 0.0f, 0.0f, 0.0f);
        gdip::GdipMeasureString(graphics.get(), text, -1, font.get(), &layout, nullptr, &box,
                                nullptr, nullptr);
        return box.Height;
    };
    const float three = measure(L"Line 3\nLine 4\nLine 5\n");
    const float four = measure(L"Line 2\nLine 3\nLine 4\nLine 5\n");
    ASSERT_LT(three, four);

    String text(L"Line 1\nLine 2\nLine 3\nLine 4\nLine 5");
    const float height = (three + four) / 2.0f;
    const float overflow = FitLinesToBox(text, graphics, font.get(), 400.0f, height);
    EXPECT_STREQ(text.Array(), L"Line 2\nLine 3\nLine 4\nLine 5\n");
    EXPECT_FLOAT_EQ(overflow, height - four);
    EXPECT_EQ(graphics.LastStatus(), Gdiplus::Ok);
}

} // namespace
