#include "source/TextFont.h"
#include "source/TypographicFormat.h"

#include <gtest/gtest.h>

namespace {

TEST(TextFont, EmptyFaceNameFallsBackToArial)
{
    const FontHandle font = CreateTextFont(String(), TextFontStyle{48, false, false, false});
    LOGFONTW description{};
    ASSERT_NE(GetObjectW(font.get(), sizeof(description), &description), 0);
    EXPECT_STREQ(description.lfFaceName, L"Arial");
    EXPECT_EQ(description.lfCharSet, GB2312_CHARSET);
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
