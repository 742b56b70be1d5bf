// What the page may change: style and rule bodies refused whole with the key and the fault,
// the settings file saved with every key it held, and the page in the browser's language.
#include "companion/plauditor/SettingsEdits.h"
#include "companion/plauditor/StatusPage.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

TEST(StyleBody, TakesTheKeysItHoldsAndRefusesAnyFaultWhole)
{
    const StyleValues current = DefaultStyle();
    const StyleEdit edit = ParseStyleBody(R"({"fontSize": 72, "color": "#FF3366", "bold": true})", current);
    ASSERT_TRUE(edit.style) << edit.error;
    StyleValues expected = current;
    expected.numbers[0] = 72;
    expected.numbers[1] = static_cast<std::int32_t>(0xFFFF3366u);
    expected.numbers[6] = 1;
    EXPECT_EQ(*edit.style, expected);

    for (const auto &[body, error] : std::vector<std::pair<std::string, std::string>>{
             {R"({"fontSize": 72, "outlineSize": 101})", "style.outlineSize: 101 is outside 0 to 100"},
             {R"({"fontSize": 7.5})", "style.fontSize: not a whole number: 7.5"},
             {R"({"color": "red"})", R"(style.color: not a colour ("#RRGGBB", "#AARRGGBB" or "0xAARRGGBB"): "red")"},
             {R"({"font": "A|B"})", R"(style.font: empty, or holds "|" or control characters)"},
             {R"({"font": "ABCDEFGHIJKLMNOPQRSTUVWXYZABCDEF"})", "style.font: longer than 31 characters"},
             {R"({"fontsize": 12})", "style.fontsize: unknown key"},
             {R"({"fontSize": 12)", "malformed JSON at byte 16"},
             {R"([1])", "the body is not a JSON object"}}) {
        const StyleEdit refused = ParseStyleBody(body, current);
        EXPECT_FALSE(refused.style) << body;
        EXPECT_EQ(refused.error, error);
    }
}

TEST(RulesBody, ReadsLikeTheSettingsFileButRefusesWhatItWouldClamp)
{
    const RulesEdit edit = ParseRulesBody(R"({"lineSeconds": 2.5, "gifts": {"火箭": {"minCount": 3}}})", GiftRules{});
    ASSERT_TRUE(edit.rules) << edit.error;
    EXPECT_EQ(edit.rules->lineMilliseconds, 2500);
    EXPECT_EQ(edit.rules->gifts.at(u"火箭"), (GiftLineRule{u"", 3}));
    EXPECT_EQ(ParseRulesBody(R"({"comboSeconds": -1})", GiftRules{}).error, "comboSeconds -1 clamped to 0.0");
    EXPECT_EQ(ParseRulesBody(R"({"minCount": 0})", GiftRules{}).error, "minCount has an unusable value 0; default kept");
    EXPECT_EQ(ParseRulesBody(R"({"combo": 1})", GiftRules{}).error, "combo: unknown key");
}

TEST(SettingsSave, KeepsEveryOtherKeyAndRefusesToOverwriteABrokenFile)
{
    StyleValues style = DefaultStyle();
    style.numbers[0] = 64;
    GiftRules rules;
    rules.comboMilliseconds = 4000;
    std::string error;
    const auto text = SettingsTextWith(
        std::string("\xEF\xBB\xBF{\"zeta\": [1, {\"x\": null}], \"httpPort\": 21370, \"style\": {\"font\": \"Arial\", \"glow\": 3}}"),
        &style, &rules, error);
    ASSERT_TRUE(text) << error;
    ASSERT_EQ(text->substr(0, 3), "\xEF\xBB\xBF");
    const auto saved = nlohmann::ordered_json::parse(text->substr(3));
    EXPECT_EQ(saved["zeta"], nlohmann::json::parse(R"([1, {"x": null}])"));
    EXPECT_EQ(saved["httpPort"], 21370);
    EXPECT_EQ(saved["style"]["glow"], 3);
    EXPECT_EQ(saved["style"]["fontSize"], 64);
    EXPECT_EQ(saved["comboSeconds"], 4.0);
    EXPECT_EQ(saved.begin().key(), "zeta");

    EXPECT_FALSE(SettingsTextWith(std::string("{\"style\": {"), &style, nullptr, error));
    EXPECT_EQ(error, "Plauditor.json is not a JSON object; fix or remove it first, it was left as it is");
    ASSERT_TRUE(SettingsTextWith(std::nullopt, nullptr, &rules, error));
}

TEST(PageLanguage, ChineseUnlessTheBrowserPrefersEnglish)
{
    EXPECT_EQ(PickPageLanguage(""), PageLanguage::Chinese);
    EXPECT_EQ(PickPageLanguage("zh-CN,zh;q=0.9,en;q=0.8"), PageLanguage::Chinese);
    EXPECT_EQ(PickPageLanguage("en-US,en;q=0.9"), PageLanguage::English);
    EXPECT_EQ(PickPageLanguage("fr-FR, EN;q=0.5, zh-TW;q=0.6"), PageLanguage::Chinese);
    EXPECT_EQ(PickPageLanguage("de, en-GB;q=0.7, zh;q=0.3"), PageLanguage::English);
    EXPECT_EQ(PickPageLanguage("fr"), PageLanguage::Chinese);

    // Every word of the page is in the table, in both languages.
    for (const PageLanguage language : {PageLanguage::Chinese, PageLanguage::English}) {
        const std::string page = StatusPageHtml(language);
        EXPECT_EQ(page.find("{{"), std::string::npos) << page.substr(page.find("{{"), 40);
    }
    EXPECT_NE(StatusPageHtml(PageLanguage::Chinese).find("<legend>描边</legend>"), std::string::npos);
    EXPECT_NE(StatusPageHtml(PageLanguage::English).find("<legend>Outline</legend>"), std::string::npos);
}
