#include "source/Rasterise.h"
#include "source/TextDrawing.h"
#include "source/TextMeasure.h"

#include <gtest/gtest.h>

namespace {

TEST(TextFont, DescriptionFollowsTheStyleInChineseCharacters)
{
    const LOGFONTW plain = DescribeTextFont(L"SimSun", TextFontStyle{-30, false, false, false});
    EXPECT_EQ(plain.lfHeight, -30);
    EXPECT_EQ(plain.lfWeight, FW_DONTCARE);
    EXPECT_EQ(plain.lfItalic, 0);
    EXPECT_EQ(plain.lfUnderline, 0);
    EXPECT_EQ(plain.lfCharSet, GB2312_CHARSET);
    EXPECT_EQ(plain.lfQuality, ANTIALIASED_QUALITY);
    EXPECT_EQ(plain.lfWidth + plain.lfEscapement + plain.lfStrikeOut + plain.lfOutPrecision, 0);

    const std::wstring longName(40, L'N');
    const LOGFONTW styled = DescribeTextFont(longName.c_str(), TextFontStyle{48, true, true, true});
    EXPECT_EQ(styled.lfWeight, FW_BOLD);
    EXPECT_EQ(styled.lfItalic, 1);
    EXPECT_EQ(styled.lfUnderline, 1);
    EXPECT_EQ(std::wstring(styled.lfFaceName), longName.substr(0, 31));
}

TEST(TextFont, NamedFaceIsKeptEmptyFaceNameFallsBackToArial)
{
    const win::FontHandle named = CreateTextFont(String(L"Liberation Serif"), TextFontStyle{48, true, false, false});
    LOGFONTW made{};
    ASSERT_NE(GetObjectW(named.get(), sizeof(made), &made), 0);
    EXPECT_STREQ(made.lfFaceName, L"Liberation Serif");
    EXPECT_EQ(made.lfWeight, FW_BOLD);

    const win::FontHandle font = CreateTextFont(String(), TextFontStyle{48, false, false, false});
    LOGFONTW description{};
    ASSERT_NE(GetObjectW(font.get(), sizeof(description), &description), 0);
    EXPECT_STREQ(description.lfFaceName, L"Arial");
    EXPECT_EQ(description.lfCharSet, GB2312_CHARSET);
}

// A font GDI cannot describe is taken from the one the context holds.
TEST(TextFont, GdiplusFontFallsBackToTheContextsFont)
{
    const win::FontHandle arial = CreateTextFont(String(L"Arial"), TextFontStyle{48, false, false, false});
    const win::MemoryDC dc(CreateCompatibleDC(nullptr));
    SelectObject(dc.get(), arial.get());
    const GdipFont described = CreateGdiplusFont(dc.get(), arial.get());
    const GdipFont fromContext = CreateGdiplusFont(dc.get(), nullptr);
    ASSERT_TRUE(described);
    ASSERT_TRUE(fromContext);
    Gdiplus::REAL describedSize = 0.0f;
    Gdiplus::REAL contextSize = 0.0f;
    gdip::GdipGetFontSize(described.get(), &describedSize);
    gdip::GdipGetFontSize(fromContext.get(), &contextSize);
    EXPECT_EQ(contextSize, describedSize);
}

// GDI+ lays out the terminating zero too, so it is measured with the text.
TEST(TextMeasure, TheTerminatorIsMeasured)
{
    EXPECT_EQ(MeasuredUnits(String(L"Thanks")), 7);
}

// A failed call's status stays with its object; later successes do not hide it.
TEST(GdiplusOwner, KeepsTheLastFailure)
{
    GdipGraphics graphics;
    EXPECT_EQ(graphics.Check(Gdiplus::InvalidParameter), Gdiplus::InvalidParameter);
    EXPECT_EQ(graphics.Check(Gdiplus::Ok), Gdiplus::Ok);
    EXPECT_EQ(graphics.LastStatus(), Gdiplus::InvalidParameter);
}

TEST(TextRenderState, AntialiasedTextAndShapesBlendedOver)
{
    GdipBitmap bitmap;
    ASSERT_EQ(gdip::GdipCreateBitmapFromScan0(4, 4, 0, PixelFormat32bppARGB, nullptr, bitmap.receive()), Gdiplus::Ok);
    GdipGraphics graphics;
    ASSERT_EQ(gdip::GdipGetImageGraphicsContext(bitmap.get(), graphics.receive()), Gdiplus::Ok);
    gdip::GdipSetCompositingMode(graphics.get(), Gdiplus::CompositingModeSourceCopy);
    SetTextRenderState(graphics);
    Gdiplus::TextRenderingHint hint{};
    Gdiplus::CompositingMode compositing{};
    Gdiplus::SmoothingMode smoothing{};
    gdip::GdipGetTextRenderingHint(graphics.get(), &hint);
    gdip::GdipGetCompositingMode(graphics.get(), &compositing);
    gdip::GdipGetSmoothingMode(graphics.get(), &smoothing);
    EXPECT_EQ(hint, Gdiplus::TextRenderingHintAntiAlias);
    EXPECT_EQ(compositing, Gdiplus::CompositingModeSourceOver);
    EXPECT_EQ(smoothing, Gdiplus::SmoothingModeAntiAlias);
}

INT FlagsOf(Gdiplus::GpStringFormat *format)
{
    INT flags = -1;
    EXPECT_EQ(gdip::GdipGetStringFormatFlags(format, &flags), Gdiplus::Ok);
    return flags;
}

// Base-size measurement shares the typographic format: a clone must never write through.
TEST(TypographicFormat, ClonesGetTheirSettingsAndTheSharedFormatKeepsItsOwn)
{
    const GdipStringFormat horizontal = CloneTypographicFormat(0x0804);
    const INT sharedFlags = FlagsOf(SharedTypographicFormat());
    const GdipStringFormat vertical = CloneTypographicFormat(0x0807);
    ASSERT_TRUE(horizontal && vertical);
    EXPECT_EQ(FlagsOf(horizontal.get()), 0x0804);
    EXPECT_EQ(FlagsOf(vertical.get()), 0x0807);
    EXPECT_EQ(FlagsOf(SharedTypographicFormat()), sharedFlags);
    Gdiplus::StringTrimming trimming = Gdiplus::StringTrimmingNone;
    gdip::GdipGetStringFormatTrimming(vertical.get(), &trimming);
    EXPECT_EQ(trimming, Gdiplus::StringTrimmingWord);
}

} // namespace
