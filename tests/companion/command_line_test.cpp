#include "companion/plauditor/CommandLine.h"

#include <gtest/gtest.h>

namespace {

std::optional<LaunchArguments> Parse(std::vector<std::u16string> arguments)
{
    std::string error;
    auto launch = ParseCommandLine(arguments, error);
    if (!launch) {
        EXPECT_FALSE(error.empty());
    }
    return launch;
}

const std::u16string kScene = u"{0A1B2C3D-0000-4000-8000-00000000ABCD}";
const std::u16string kSource = u"{11111111-2222-3333-4444-555555555555}";

} // namespace

TEST(PlauditorCommandLine, TakesTheLineThePlugInWrites)
{
    const auto launch = Parse({u"1", u"1234", kScene, kSource, u"11"});
    ASSERT_TRUE(launch);
    EXPECT_EQ(launch->hostProcessId, 1234u);
    EXPECT_EQ(launch->sceneGuid, kScene);
    EXPECT_EQ(launch->sourceGuid, kSource);
    EXPECT_TRUE(launch->settingsPath.empty());
    EXPECT_FALSE(launch->readExistingEvents);
}

TEST(PlauditorCommandLine, RejectsWrongCountOrMarkers)
{
    EXPECT_FALSE(Parse({}));
    EXPECT_FALSE(Parse({u"1", u"1234", kScene, kSource}));
    EXPECT_FALSE(Parse({u"1", u"1234", kScene, kSource, u"11", u"extra"}));
    EXPECT_FALSE(Parse({u"2", u"1234", kScene, kSource, u"11"}));
    EXPECT_FALSE(Parse({u"1", u"1234", kScene, kSource, u"12"}));
    // An empty source id on the plug-in's line leaves one token missing.
    EXPECT_FALSE(Parse({u"1", u"1234", kScene, u"11"}));
}

TEST(PlauditorCommandLine, RejectsProcessIdsThatAreNotPositiveIntegers)
{
    for (const char16_t *pid : {u"0", u"-5", u"+5", u"12a", u"", u"4294967296", u"99999999999"})
        EXPECT_FALSE(Parse({u"1", pid, kScene, kSource, u"11"})) << "pid '" << std::string(pid, pid + std::char_traits<char16_t>::length(pid)) << "'";
    const auto largest = Parse({u"1", u"4294967295", kScene, kSource, u"11"});
    ASSERT_TRUE(largest);
    EXPECT_EQ(largest->hostProcessId, 4294967295u);
}

TEST(PlauditorCommandLine, RejectsSceneIdsUnusableInABlockName)
{
    EXPECT_FALSE(Parse({u"1", u"1234", u"", kSource, u"11"}));
    EXPECT_FALSE(Parse({u"1", u"1234", u"Global\\x", kSource, u"11"}));
    EXPECT_FALSE(Parse({u"1", u"1234", std::u16string(201, u'A'), kSource, u"11"}));
}

TEST(PlauditorCommandLine, ReadsOptionsAfterThePositionalArguments)
{
    const auto launch = Parse({u"1", u"7", kScene, kSource, u"11", u"--settings", u"C:\\s.json", u"--events",
                               u"e.jsonl", u"--log", u"p.log", u"--from-start"});
    ASSERT_TRUE(launch);
    EXPECT_EQ(launch->settingsPath, u"C:\\s.json");
    EXPECT_EQ(launch->eventsPath, u"e.jsonl");
    EXPECT_EQ(launch->logPath, u"p.log");
    EXPECT_TRUE(launch->readExistingEvents);

    EXPECT_FALSE(Parse({u"1", u"7", kScene, kSource, u"11", u"--events"}));
    EXPECT_FALSE(Parse({u"1", u"7", kScene, kSource, u"11", u"--colour", u"red"}));
    EXPECT_FALSE(Parse({u"1", u"7", kScene, u"--events", u"e", u"11"}));
}
