// The whole road of a gift: configuring a new source names it and its scene and starts the
// companion program; a gift event appended to the companion's event file becomes a
// thank-you line in the rendered frames; the companion ends with the host.
#include "E2eSupport.h"
#include "support/ChildProcess.h"

#include <gtest/gtest.h>

namespace {

// The host installation with the companion following this test's event file.
std::wstring InstallHostWithCompanion(const std::wstring &folder, const std::wstring &eventsFile)
{
    const std::wstring root = InstallHost(folder, true);
    nlohmann::json settings = ReadJsonFile(root + L"plugins\\VantoPlauditor\\Plauditor.json");
    settings["eventsFile"] = win::Utf8FromWide(eventsFile);
    settings["style"]["font"] = "WenQuanYi Zen Hei";
    WriteFileBytes(root + L"plugins\\VantoPlauditor\\Plauditor.json", settings.dump(2));
    return root;
}

std::string NewSourceScene()
{
    nlohmann::ordered_json source = {{"class", "Hollin答谢水友插件(Vanto)"},
                                     {"x", 10.0}, {"y", 10.0}, {"new", 1},
                                     {"data", nlohmann::json::object()}};
    return nlohmann::ordered_json{{"scenes", {{"Live", {{"sources", {{"Thanks", source}}}}}}}}
        .dump(2);
}

bool IsLight(int r, int g, int b) { return r > 200 && g > 200 && b > 200; }

TEST(CompanionFlow, GiftEventBecomesAThankYouLineInTheFrames)
{
    const TempFolder temp;
    const std::wstring &folder = temp.Path();
    const std::wstring events = folder + L"events.jsonl";
    WriteFileBytes(events, "");
    const std::wstring root = InstallHostWithCompanion(folder, events);
    const std::wstring scenes = folder + L"scenes.json";
    WriteFileBytes(scenes, NewSourceScene());
    const std::wstring host = root + L"headless_host.exe";

    // First run: the host configures the new source, which starts the companion.
    {
        ChildProcess run(host, L"--scenes \"" + scenes + L"\" --frames 2 --no-png --quiet"
                               L" --out \"" + folder + L"first\"");
        ASSERT_EQ(run.Wait(60000), 0);
    }
    const nlohmann::json saved = ReadJsonFile(scenes);
    const nlohmann::json &sources = saved["scenes"]["Live"]["sources"];
    const std::string sceneGuid = sources.value("sceneGuid", "");
    const std::string sourceGuid = sources["Thanks"]["data"].value("guid", "");
    ASSERT_EQ(sceneGuid.size(), 38u);
    ASSERT_EQ(sourceGuid.size(), 38u);
    EXPECT_FALSE(sources["Thanks"].contains("new"));
    EXPECT_TRUE(sources["Thanks"]["cx"].is_number_float());
    EXPECT_GT(sources["Thanks"]["cx"].get<double>(), 32.0);
    EXPECT_GE(sources["Thanks"]["cy"].get<double>(), 48.0);

    const std::wstring styleBlock = L"TSPlauditor" + win::WideFromUtf8(sceneGuid);
    const std::wstring companionLog = root + L"plugins\\VantoPlauditor\\Plauditor.log";
    EXPECT_TRUE(WaitUntil(20000, [&] {
        return ReadFileBytes(companionLog).find(sceneGuid) != std::string::npos;
    })) << "the companion was not started for the scene";
    EXPECT_TRUE(WaitUntil(20000, [&] { return !BlockExists(styleBlock); }))
        << "the companion outlived its host";

    // Second run, in real time: the scene begins, the companion starts again and publishes.
    ChildProcess run(host, L"--scenes \"" + scenes + L"\" --frames 180 --fps 30 --realtime"
                           L" --png-every 30 --size 800x200 --quiet --out \"" + folder + L"second\"");
    ASSERT_TRUE(WaitUntil(30000, [&] { return BlockExists(styleBlock); }))
        << "the companion did not publish its style";
    // It takes only what is appended once it follows the file; an earlier line is history.
    ASSERT_TRUE(WaitUntil(30000, [&] {
        return ReadFileBytes(companionLog).find("following events file") != std::string::npos;
    }));
    AppendFileBytes(events, "{\"user\": \"E2E测试\", \"gift\": \"火箭\", \"count\": 2}\n");
    ASSERT_EQ(run.Wait(120000), 0);

    const nlohmann::json summary = ReadJsonFile(folder + L"second\\summary.json");
    ASSERT_EQ(summary["sources"].size(), 1u);
    EXPECT_EQ(summary["sources"][0]["text"], "感谢 E2E测试 送出的 2 个 火箭");
    const Picture last = ReadPng(folder + L"second\\frame_00150.png");
    ASSERT_TRUE(last.Loaded());
    EXPECT_GT(CountPixels(last, 10, 10, 800, 200, IsLight), 200);
    EXPECT_TRUE(WaitUntil(20000, [&] { return !BlockExists(styleBlock); }))
        << "the companion outlived its host";
}

} // namespace
