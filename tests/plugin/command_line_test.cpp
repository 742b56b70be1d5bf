#include "link/LaunchCommandLine.h"

#include <gtest/gtest.h>

namespace {

constexpr const char *kScene = "{11111111-2222-3333-4444-555555555555}";
constexpr const char *kSource = "{AAAAAAAA-BBBB-CCCC-DDDD-EEEEEEEEEEEE}";

TEST(CompanionCommandLine, SceneBeforeSourceAndEveryFieldEndsWithASpace)
{
    EXPECT_EQ(FormatCompanionCommandLine(1234, kScene, kSource),
              std::string("1 1234 ") + kScene + " " + kSource + " 11 ");
}

TEST(CompanionCommandLine, ProcessIdIsSignedDecimal)
{
    EXPECT_EQ(FormatCompanionCommandLine(0xFFFFFFFEul, "s", "t"), "1 -2 s t 11 ");
}

TEST(CompanionCommandLine, EmptyIdentifiersStillGiveFiveFields)
{
    EXPECT_EQ(FormatCompanionCommandLine(7, "", ""), "1 7   11 ");
}

TEST(CompanionCommandLine, LinesThatWouldOverflowTheBufferAreRefused)
{
    // "1 7 " + scene + " " + source + " 11 " must stay below 2048 bytes with its terminator.
    const std::string fixed = "1 7 " + std::string(" ") + " 11 ";
    const std::string fits(2047 - fixed.size(), 'x');
    const auto longest = FormatCompanionCommandLine(7, fits, "");
    ASSERT_TRUE(longest.has_value());
    EXPECT_EQ(longest->size(), 2047u);
    EXPECT_FALSE(FormatCompanionCommandLine(7, fits + "x", "").has_value());
    EXPECT_FALSE(FormatCompanionCommandLine(7, kScene, std::string(5000, 'y')).has_value());
}

} // namespace
