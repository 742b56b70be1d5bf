#include "companion/plauditor/Settings.h"
#include "link/blocks/StyleBlock.h"

#include <gtest/gtest.h>

namespace {

struct Loaded {
    std::optional<PlauditorSettings> settings;
    std::vector<std::string> warnings;
};

Loaded Load(std::string_view json)
{
    Loaded loaded;
    std::string error;
    loaded.settings = ParseSettings(json, loaded.warnings, error);
    if (!loaded.settings) {
        EXPECT_FALSE(error.empty());
    }
    return loaded;
}

std::int32_t Number(const StyleValues &style, std::string_view key)
{
    if (const auto index = StyleValueIndex(key))
        return style.numbers[*index];
    ADD_FAILURE() << "no style key " << key;
    return 0;
}

} // namespace

TEST(PlauditorSettings, EmptyObjectGivesThePlugInsDefaults)
{
    const auto loaded = Load("{}");
    ASSERT_TRUE(loaded.settings);
    EXPECT_TRUE(loaded.warnings.empty());
    const PlauditorSettings &s = *loaded.settings;
    EXPECT_EQ(s.lineTemplate, kDefaultLineTemplate);
    EXPECT_EQ(s.recentLines, 3u);
    EXPECT_EQ(s.listenPort, 0);
    EXPECT_EQ(s.style.font, u"Arial");
    EXPECT_EQ(Number(s.style, "fontSize"), 48);
    EXPECT_EQ(Number(s.style, "color"), -1);
    EXPECT_EQ(Number(s.style, "backgroundColor"), static_cast<std::int32_t>(0xFF000000u));
    EXPECT_EQ(Number(s.style, "outlineSize"), 2);
    EXPECT_EQ(Number(s.style, "outlineOpacity"), 100);
}

TEST(PlauditorSettings, NotAJsonObjectIsRefused)
{
    EXPECT_FALSE(Load("{\"recentLines\": 3").settings);
    EXPECT_FALSE(Load("[1, 2]").settings);
    EXPECT_FALSE(Load("").settings);
}

TEST(PlauditorSettings, StyleValuesTravelInBlockOrder)
{
    const auto loaded = Load(R"({"style": {
        "font": "WenQuanYi Zen Hei", "fontSize": 30, "color": "#FF0000", "textOpacity": 80,
        "scrollSpeed": -40, "backgroundColor": "#80000000", "backgroundOpacity": 50, "bold": true,
        "italic": 1, "underline": false, "vertical": 0, "pointFiltering": true, "useOutline": true,
        "outlineColor": 4294967295, "outlineSize": 2.6, "outlineOpacity": 90, "useTextExtents": true,
        "extentWidth": 640, "extentHeight": 120, "wrap": true, "scrollMode": true, "align": 2}})");
    ASSERT_TRUE(loaded.settings);
    EXPECT_TRUE(loaded.warnings.empty());
    const StyleValues &style = loaded.settings->style;

    std::string error;
    const auto text = FormatStyleBlock(31, style.font, style.numbers, error);
    ASSERT_TRUE(text) << error;
    const auto block = DecodeStyleBlock(*text, -1);
    ASSERT_TRUE(block);
    EXPECT_EQ(block->font, u"WenQuanYi Zen Hei");
    const StyleNumbers expected = {30, static_cast<std::int32_t>(0xFFFF0000u), 80, -40,
                                   static_cast<std::int32_t>(0x80000000u), 50, 1, 1, 0, 0, 1, 1, -1, 3, 90,
                                   1, 640, 120, 1, 1, 2};
    EXPECT_EQ(block->numbers, expected);
}

TEST(PlauditorSettings, ColoursAreTheSignedValueOfTheir32Bits)
{
    EXPECT_EQ(ParseColour("#FFFFFF"), -1);
    EXPECT_EQ(ParseColour("#00FFFFFF"), 0x00FFFFFF);
    EXPECT_EQ(ParseColour("0xFF000000"), static_cast<std::int32_t>(0xFF000000u));
    EXPECT_EQ(ParseColour("#ff8000"), static_cast<std::int32_t>(0xFFFF8000u));
    EXPECT_FALSE(ParseColour("#12345"));
    EXPECT_FALSE(ParseColour("FF0000"));
    EXPECT_FALSE(ParseColour("#GG0000"));

    const auto loaded = Load(R"({"style": {"color": -16777216, "outlineColor": 4294967296}})");
    ASSERT_TRUE(loaded.settings);
    EXPECT_EQ(Number(loaded.settings->style, "color"), static_cast<std::int32_t>(0xFF000000u));
    EXPECT_EQ(Number(loaded.settings->style, "outlineColor"), static_cast<std::int32_t>(0xFF000000u));
    EXPECT_EQ(loaded.warnings.size(), 1u);
}

TEST(PlauditorSettings, FontNamesThatWouldBreakTheBlockFallBackToArial)
{
    for (const char *json : {R"({"style": {"font": "Sim|Sun"}})", R"({"style": {"font": ""}})",
                             R"({"style": {"font": "a\nb"}})", R"({"style": {"font": 12}})"}) {
        const auto loaded = Load(json);
        ASSERT_TRUE(loaded.settings);
        EXPECT_EQ(loaded.settings->style.font, u"Arial") << json;
        EXPECT_EQ(loaded.warnings.size(), 1u) << json;
    }
    const auto longName = Load(R"({"style": {"font": "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789"}})");
    EXPECT_EQ(longName.settings->style.font, u"ABCDEFGHIJKLMNOPQRSTUVWXYZ01234");
}

TEST(PlauditorSettings, OutOfRangeValuesAreClampedOrKeptWithAWarning)
{
    const auto loaded = Load(R"({"recentLines": 1000, "listenPort": 70000, "template": " ",
        "style": {"textOpacity": 150, "fontSize": 0, "extentWidth": "wide", "colour": 1}, "speed": 3})");
    ASSERT_TRUE(loaded.settings);
    const PlauditorSettings &s = *loaded.settings;
    EXPECT_EQ(s.recentLines, kMaxRecentLines);
    EXPECT_EQ(s.listenPort, 0);
    EXPECT_EQ(s.lineTemplate, kDefaultLineTemplate);
    EXPECT_EQ(Number(s.style, "textOpacity"), 100);
    EXPECT_EQ(Number(s.style, "fontSize"), 1);
    EXPECT_EQ(Number(s.style, "extentWidth"), 0);
    // recentLines, port, template, textOpacity, fontSize, extentWidth, style.colour, speed
    EXPECT_EQ(loaded.warnings.size(), 8u);
}

// Rounding would serve on port 1 for 0.5 and keep 65 lines for 64.5: fractions keep the default.
TEST(PlauditorSettings, FractionsWhereWholeNumbersBelongAreRefusedNotRounded)
{
    const auto loaded = Load(R"({"httpPort": 0.5, "recentLines": 4.5, "listenPort": 8800.0,
                                 "style": {"fontSize": 40.5, "color": 1.5, "bold": 0.5}})");
    ASSERT_TRUE(loaded.settings);
    const PlauditorSettings &s = *loaded.settings;
    EXPECT_EQ(s.httpPort, 0);
    EXPECT_EQ(s.recentLines, 3u);
    EXPECT_EQ(s.listenPort, 8800);
    EXPECT_EQ(Number(s.style, "fontSize"), 48);
    EXPECT_EQ(Number(s.style, "color"), -1);
    EXPECT_EQ(Number(s.style, "bold"), 0);
    EXPECT_EQ(loaded.warnings, (std::vector<std::string>{"httpPort has an unusable value 0.5; default kept",
                                                         "recentLines has an unusable value 4.5; default kept",
                                                         "style.bold has an unusable value 0.5; kept 0",
                                                         "style.color has an unusable value 1.5; kept -1",
                                                         "style.fontSize has an unusable value 40.5; kept 48"}));
}
