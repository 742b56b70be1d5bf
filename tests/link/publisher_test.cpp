// The channels read blocks that another process, the publishing tool, holds.
#include "link/ChannelSequence.h"
#include "link/StyleChannel.h"
#include "link/TextChannel.h"
#include "support/FreshGuid.h"
#include "support/PublisherProcess.h"
#include "support/SceneTree.h"
#include "support/StringText.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <string>

namespace {

class Publisher : public ::testing::Test {
protected:
    SceneTree tree;
    XElement *sources = tree.AddScene(L"Live");
    XElement *data = SceneTree::DataOf(tree.AddSource(sources, L"Thanks"));
    std::wstring scene = FreshGuidText();

    void SetUp() override { ResetChannelSequenceNumbers(); }
    std::wstring SceneArgument() const { return L"--scene " + scene + L" "; }
};

} // namespace

TEST_F(Publisher, TextIsTakenByTheFirstSourceOfTheSceneOnly)
{
    PublisherProcess publisher(SceneArgument() + L"--text 21 1 Hello World");
    ASSERT_TRUE(publisher.WaitReady());

    String first;
    EXPECT_EQ(ReadTextChannel(first, String(scene.c_str()), data), 1);
    EXPECT_EQ(Text(first), L"Hello\r\nWorld");
    EXPECT_EQ(data->GetInt(L"mode", -1), 1);

    XElement *secondData = SceneTree::DataOf(tree.AddSource(sources, L"Thanks 2"));
    String second;
    EXPECT_EQ(ReadTextChannel(second, String(scene.c_str()), secondData), 0);
    EXPECT_TRUE(second.IsEmpty());
    EXPECT_FALSE(secondData->HasItem(L"mode"));
}

TEST_F(Publisher, StyleWithWideFontNameAndColourPatternsArrives)
{
    PublisherProcess publisher(SceneArgument() + L"--style 3 \"\u5FAE\u8F6F \u96C5\u9ED1\" "
                               L"40 -16777216 90 0 -1 50 1 0 0 0 0 1 0xFFFF0000 3 80 1 640 120 1 0 2");
    ASSERT_TRUE(publisher.WaitReady());

    ASSERT_EQ(ReadStyleChannel(String(scene.c_str()), data), 1);
    EXPECT_STREQ(data->GetString(L"font", L""), L"\u5FAE\u8F6F \u96C5\u9ED1");
    EXPECT_EQ(data->GetInt(L"fontSize", 0), 40);
    EXPECT_EQ(static_cast<unsigned>(data->GetInt(L"color", 0)), 0xFF000000u);
    EXPECT_EQ(static_cast<unsigned>(data->GetInt(L"outlineColor", 0)), 0xFFFF0000u);
    EXPECT_EQ(data->GetInt(L"align", -1), 2);
}

TEST_F(Publisher, ScriptPublishesBothChannelsFromUtf8)
{
    TempFolder folder;
    const std::wstring script = folder / L"publish_script.txt";
    ASSERT_TRUE(WriteFileBytes(script, "# demo\r\ntext 9 0 \"\xE6\x84\x9F\xE8\xB0\xA2 you\" second\r\n"
                                       "wait 10\r\nstyle 9 Arial 40 -1 90 0 0 50 1 0 0 0 0 1 0 3 80 1 640 120 1 0 2\r\n"));
    PublisherProcess publisher(SceneArgument() + L"--script \"" + script + L"\"");
    ASSERT_TRUE(publisher.WaitReady());

    // Ready comes with the first block; the style follows after the wait.
    String out;
    EXPECT_EQ(ReadTextChannel(out, String(scene.c_str()), data), 1);
    EXPECT_EQ(Text(out), L"\u611F\u8C22 you\r\nsecond");
    int style = 0;
    for (int tries = 0; tries < 500 && style == 0; ++tries, Sleep(10))
        style = ReadStyleChannel(String(scene.c_str()), data);
    EXPECT_EQ(style, 1);  // the same number as the text block
    EXPECT_STREQ(data->GetString(L"font", L""), L"Arial");
}

TEST_F(Publisher, BadArgumentsExitWithTwo)
{
    PublisherProcess missingScene(L"--text 1 0 x", false);
    EXPECT_EQ(missingScene.WaitExitCode(), 2);
    PublisherProcess shortStyle(SceneArgument() + L"--style 1 Arial 1 2 3", false);
    EXPECT_EQ(shortStyle.WaitExitCode(), 2);
    PublisherProcess emptyBlock(SceneArgument() + L"--style-block \"\"", false);
    EXPECT_EQ(emptyBlock.WaitExitCode(), 2);
    TempFolder folder;
    ASSERT_TRUE(WriteFileBytes(folder / L"empty.script", ""));
    PublisherProcess emptyScript(SceneArgument() + L"--script \"" + folder / L"empty.script" + L"\"", false);
    EXPECT_EQ(emptyScript.WaitExitCode(), 2);
    const auto folderScript =
        ChildProcess::RunToEnd(L"plauditor_publish.exe", SceneArgument() + L"--script \"" + folder.Path() + L".\"", 30000);
    EXPECT_EQ(folderScript.exitCode, 2);
    EXPECT_EQ(folderScript.output.rfind("plauditor_publish: the script is a folder", 0), 0u) << folderScript.output;
}
