#include "headless/Progress.h"
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

TEST(RunSummary, ReportsSourcesWithTextOnlyWhenDescribed)
{
    RunSummary summary;
    summary.frames = 3;
    summary.fps = 30;
    summary.width = 640;
    summary.height = 360;
    summary.plugins.push_back({L"P.dll", L"Plug\u4e2d", true, L"", {{L"Cls", L"Shown"}}});
    summary.registeredClasses = {{L"Cls", L"Shown"}};
    SourceSummary described;
    described.scene = L"S";
    described.name = L"N";
    described.className = L"Cls";
    described.cx = 10;
    described.created = true;
    described.described = true;
    described.text = L"\u8c22\u8c22";
    described.textureWidth = 12;
    described.settings = nlohmann::ordered_json{{"a", 1}};
    summary.sources.push_back(described);
    summary.sources.push_back(SourceSummary{});
    summary.liveBlocksBeforeSources = 4;
    summary.liveBlocksAtExit = 5;
    summary.warnings = {L"careful"};
    summary.messageBoxes = {L"Cap: text"};

    const nlohmann::json json = nlohmann::json::parse(SummaryJson(summary));
    EXPECT_EQ(json["frames"], 3);
    EXPECT_EQ(json["size"]["width"], 640);
    EXPECT_EQ(json["plugins"][0]["name"], "Plug\xe4\xb8\xad");
    EXPECT_EQ(json["registeredClasses"][0]["displayName"], "Shown");
    EXPECT_EQ(json["sources"][0]["text"], "\xe8\xb0\xa2\xe8\xb0\xa2");
    EXPECT_EQ(json["sources"][0]["textureWidth"], 12);
    EXPECT_EQ(json["sources"][0]["settings"]["a"], 1);
    EXPECT_TRUE(json["sources"][1]["text"].is_null());
    EXPECT_TRUE(json["sources"][1]["textureWidth"].is_null());
    EXPECT_TRUE(json["sources"][1]["settings"].is_null());
    EXPECT_EQ(json["liveBlocksBeforeSources"], 4);
    EXPECT_EQ(json["liveBlocksAtExit"], 5);
    EXPECT_EQ(json["warnings"][0], "careful");
    EXPECT_EQ(json["messageBoxes"][0], "Cap: text");
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

TEST(Progress, AtMostOneLineASecond)
{
    ProgressMeter meter(10.0);
    EXPECT_FALSE(meter.After(5, 60, 10.5));
    const auto line = meter.After(30, 60, 11.0);
    ASSERT_TRUE(line);
    EXPECT_EQ(*line, "frame 30/60, 30.0 fps");
    EXPECT_FALSE(meter.After(40, 60, 11.9));
    EXPECT_TRUE(meter.After(60, 60, 12.0));
}

} // namespace
