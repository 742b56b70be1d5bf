#include "headless/RunSummary.h"
#include "headless/SceneCollection.h"
#include "tests/headless/HeadlessTestSupport.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

// A scene collection opened from JSON text.
struct SceneFile {
    TempFolder folder;
    XConfig config;
    explicit SceneFile(const std::string &json)
    {
        WriteFileBytes(folder / L"scenes.json", json);
        EXPECT_TRUE(config.Open((folder / L"scenes.json").c_str()));
    }
    XElement *Root() const { return config.GetRootElement(); }
};

TEST(SceneCollection, ListsSourcesOfEveryScene)
{
    SceneFile file(R"({"scenes": {
        "Main": {"sources": {"Title": {"class": "A", "x": 1.0, "data": {"k": 1}},
                              "Ticker": {"class": "B"}}},
        "Empty": {},
        "Other": {"sources": {"Title": {"class": "A"}}}}})");
    std::vector<SceneSourceEntry> entries;
    std::wstring error;
    ASSERT_TRUE(ListSceneSources(file.Root(), entries, error)) << std::string(error.begin(), error.end());
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[0].sceneName, L"Main");
    EXPECT_EQ(entries[0].sourceName, L"Title");
    EXPECT_EQ(entries[0].className, L"A");
    EXPECT_EQ(entries[1].sourceName, L"Ticker");
    EXPECT_EQ(entries[2].sceneName, L"Other");

    // The data element's grandparent is the scene's "sources" element.
    XElement *data = DataElementOf(entries[1].element);
    ASSERT_NE(data, nullptr);
    EXPECT_EQ(std::wstring(data->GetParent()->GetParent()->GetName()), L"sources");
    EXPECT_EQ(DataElementOf(entries[1].element), data);
    EXPECT_EQ(DataElementOf(entries[0].element)->GetInt(L"k"), 1);
}

TEST(SceneCollection, RefusesTreesOfTheWrongShapeNamingThePlace)
{
    const std::vector<std::pair<std::string, std::wstring>> cases = {
        {R"({"scene": {}})", L"\"scenes\""},
        {R"({"scenes": {"Main": {"sources": {"Title": {"x": 1}}}}})", L"\"Title\""},
        {R"({"scenes": {"Main": {"sources": {"Title": {"class": ""}}}}})", L"\"class\""},
        {R"({"scenes": {"Main": {"sources": {"Title": {"class": "A", "data": 5}}}}})", L"\"data\""},
        {R"({"scenes": {"Main": {"sources": 3}}})", L"\"Main\""},
    };
    for (const auto &[json, named] : cases) {
        SceneFile file(json);
        std::vector<SceneSourceEntry> entries;
        std::wstring error;
        EXPECT_FALSE(ListSceneSources(file.Root(), entries, error)) << json;
        EXPECT_NE(error.find(named), std::wstring::npos) << json;
    }
}

// Sources the plug-in could not describe report null rather than made-up values.
TEST(RunSummary, ReportsUndescribedSourcesAsNullAndTextAsUtf8)
{
    RunSummary summary;
    SourceSummary described;
    described.described = true;
    described.text = L"\u8c22\u8c22";
    described.textureWidth = 12;
    described.settings = nlohmann::ordered_json{{"a", 1}};
    summary.sources = {described, SourceSummary{}};

    const nlohmann::json json = nlohmann::json::parse(SummaryJson(summary));
    EXPECT_EQ(json["sources"][0]["text"], "\xe8\xb0\xa2\xe8\xb0\xa2");
    EXPECT_EQ(json["sources"][0]["textureWidth"], 12);
    EXPECT_EQ(json["sources"][0]["settings"]["a"], 1);
    EXPECT_TRUE(json["sources"][1]["text"].is_null());
    EXPECT_TRUE(json["sources"][1]["textureWidth"].is_null());
    EXPECT_TRUE(json["sources"][1]["settings"].is_null());
    EXPECT_TRUE(json["gif"].is_null());
}

TEST(RunSummary, FindsSavedSettingsBySceneAndSource)
{
    const std::string saved = R"({"scenes": {"S\u00e9": {"sources": {"N": {"data": {"b": 2, "c": {"d": "e"}}}}}}})";
    EXPECT_EQ(SavedSourceSettings(saved, L"S\u00e9", L"N"), (nlohmann::ordered_json{{"b", 2}, {"c", {{"d", "e"}}}}));
    EXPECT_TRUE(SavedSourceSettings(saved, L"S\u00e9", L"Other").is_null());
    EXPECT_TRUE(SavedSourceSettings(saved, L"X", L"N").is_null());
    EXPECT_TRUE(SavedSourceSettings("not json", L"S", L"N").is_null());
    EXPECT_TRUE(SavedSourceSettings(R"({"scenes": 1})", L"S", L"N").is_null());
}

} // namespace
