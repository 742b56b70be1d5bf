#include "source/GdiHandles.h"
#include "source/LineFitting.h"
#include "source/TextFont.h"

#include <gtest/gtest.h>
#include <string>

namespace {

std::wstring Text(const String &text)
{
    return text.IsEmpty() ? std::wstring() : std::wstring(text.Array(), text.Length());
}

// Every line is 10 high.
float TenPerLine(const String &text)
{
    float height = 0.0f;
    for (unsigned i = 0; i < text.Length(); ++i)
        if (text.Array()[i] == L'\n')
            height += 10.0f;
    return height;
}

TEST(LineFitting, AllLinesFitAndEachEndsWithALineFeed)
{
    String text(L"one\ntwo\nthree");
    const float overflow = FitLinesFromBottom(text, 45.0f, TenPerLine);
    EXPECT_EQ(Text(text), L"one\ntwo\nthree\n");
    EXPECT_EQ(overflow, 15.0f);
}

TEST(LineFitting, KeepsTheLineThatOverflowedAndStopsThere)
{
    String text(L"a\nb\nc\nd\ne");
    int measurements = 0;
    const float overflow = FitLinesFromBottom(text, 25.0f, [&](const String &lines) {
        ++measurements;
        return TenPerLine(lines);
    });
    EXPECT_EQ(Text(text), L"c\nd\ne\n");
    EXPECT_EQ(overflow, -5.0f);
    EXPECT_EQ(measurements, 3);
}

TEST(LineFitting, EmptyTextHasNoLinesAndNoOverflow)
{
    String text;
    EXPECT_EQ(FitLinesFromBottom(text, 25.0f, TenPerLine), 0.0f);
    EXPECT_TRUE(text.IsEmpty());
}

TEST(LineFitting, LineFeedCarriageReturnCountsAsOneBreakAndEmptyLinesStay)
{
    String text(L"a\n\rb\n\nc\n");
    FitLinesFromBottom(text, 1000.0f, TenPerLine);
    EXPECT_EQ(Text(text), L"a\nb\n\nc\n");
}

// Real GDI+ measurement: the box is sized from the heights GDI+ itself gives, so the
// outcome holds whatever line height this GDI+ uses.
class LineFittingMeasured : public ::testing::Test {
protected:
    MemoryDC dc;
    FontHandle gdiFont = CreateTextFont(String(L"Arial"), TextFontStyle{32, false, false, false});
    GdipFont font = CreateGdiplusFont(dc.get(), gdiFont.get());
    GdipGraphics graphics;
    static constexpr float kWidth = 400.0f;

    void SetUp() override
    {
        ASSERT_TRUE(font);
        graphics.Check(gdip::GdipCreateFromHDC(dc.get(), graphics.receive()));
        ASSERT_TRUE(graphics);
    }

    float MeasuredHeight(CTSTR text)
    {
        const Gdiplus::RectF layout(0.0f, 0.0f, kWidth, 32000.0f);
        Gdiplus::RectF box(0.0f, 0.0f, 0.0f, 0.0f);
        EXPECT_EQ(gdip::GdipMeasureString(graphics.get(), text, -1, font.get(), &layout, nullptr,
                                          &box, nullptr, nullptr),
                  Gdiplus::Ok);
        return box.Height;
    }
};

TEST_F(LineFittingMeasured, FiveLinesOfWhichThreeFitKeepFour)
{
    const float threeLines = MeasuredHeight(L"Line 3\nLine 4\nLine 5\n");
    const float fourLines = MeasuredHeight(L"Line 2\nLine 3\nLine 4\nLine 5\n");
    ASSERT_LT(threeLines, fourLines);
    const float height = (threeLines + fourLines) / 2.0f;

    String text(L"Line 1\nLine 2\nLine 3\nLine 4\nLine 5");
    const float overflow = FitLinesToBox(text, graphics, font.get(), kWidth, height);

    EXPECT_EQ(Text(text), L"Line 2\nLine 3\nLine 4\nLine 5\n");
    EXPECT_FLOAT_EQ(overflow, height - fourLines);
    EXPECT_LT(overflow, 0.0f);
    EXPECT_EQ(graphics.LastStatus(), Gdiplus::Ok);
}

TEST_F(LineFittingMeasured, EverythingFitsInATallBox)
{
    const float allLines = MeasuredHeight(L"Line 1\nLine 2\n");
    String text(L"Line 1\nLine 2");
    const float overflow = FitLinesToBox(text, graphics, font.get(), kWidth, allLines + 50.0f);
    EXPECT_EQ(Text(text), L"Line 1\nLine 2\n");
    EXPECT_FLOAT_EQ(overflow, 50.0f);
}

} // namespace
