// Each frame a source polls its scene's two blocks (written here by the block writer, as the
// companion writes them) and rebuilds its texture only on news, at most once a frame.
#include "companion/blockwriter/BlockFormat.h"
#include "link/ChannelSequence.h"
#include "source/TextOutputSource.h"
#include "support/FreshGuid.h"
#include "support/LogCapture.h"
#include "support/ProcessGraphics.h"
#include "support/NewTextSource.h"
#include "support/ScenePublisher.h"
#include "support/SceneTree.h"
#include "support/StringText.h"

#include <gtest/gtest.h>
#include <string>
#include <tuple>
#include <vector>

namespace {

using Names = std::vector<std::string>;

// Style blocks: "sequence|font|fontSize|color|textOpacity|scrollSpeed|backgroundColor|
// backgroundOpacity|bold|italic|underline|vertical|pointFiltering|useOutline|outlineColor|
// outlineSize|outlineOpacity|useTextExtents|extentWidth|extentHeight|wrap|scrollMode|align".
std::u16string StyleWithExtents(int sequence, int fontSize)
{
    const std::string text = std::to_string(sequence) + "|Arial|" + std::to_string(fontSize) +
                             "|16777215|100|0|0|0|0|0|0|0|0|0|0|2|100|1|300|100|1|0|0";
    return std::u16string(text.begin(), text.end());
}

class FrameUpdate : public ::testing::Test {
protected:
    GraphicsSystem *graphics = ProcessGraphics();
    LogCapture log;
    SceneTree tree;
    XElement *sources = tree.AddScene(L"Live");
    std::wstring scene = FreshGuidText();
    ScenePublisher publish{scene};
    std::vector<TextOutputSource *> made;

    void SetUp() override
    {
        ResetChannelSequenceNumbers();
        sources->SetString(L"sceneGuid", scene.c_str());
    }
    void TearDown() override
    {
        for (TextOutputSource *source : made)
            delete source;
    }

    TextOutputSource *NewSource(XElement *scene, CTSTR name = L"Thanks")
    {
        made.push_back(NewTextSource(SceneTree::DataOf(tree.AddSource(scene, name))));
        HostClearGraphicsRecording(graphics);
        return made.back();
    }
    Names CallNames() const { return HostGraphicsCallNames(graphics); }
};

// A rebuild on a frame without news would cost every frame and look the same: only the
// count of builds shows it.
TEST_F(FrameUpdate, NewTextIsBuiltOnceAndFramesWithoutNewsBuildNothing)
{
    TextOutputSource *source = NewSource(sources);
    source->textSetting = source->currentText = L"old";
    publish.Text(u"7|0|2|Thanks Alice\r\nThanks Bob");
    for (int frame = 0; frame < 3; ++frame)
        source->Preprocess();
    EXPECT_EQ(CallNames(), Names{"CreateTexture"});
    EXPECT_EQ(Text(source->currentText), L"Thanks Alice\r\nThanks Bob");
    EXPECT_EQ(Text(source->textSetting), L"Thanks Alice\r\nThanks Bob");
}

TEST_F(FrameUpdate, NewTextAndStyleInOneFrameBuildOnceWithBothAndStyleAloneBuildsToo)
{
    TextOutputSource *source = NewSource(sources);
    publish.Text(u"9|0|1|Thanks");
    publish.Style(StyleWithExtents(4, 64));
    source->Preprocess();
    source->Preprocess();
    EXPECT_EQ(CallNames(), Names{"CreateTexture"});
    EXPECT_EQ(Text(source->currentText), L"Thanks");
    EXPECT_EQ(source->fontSize, 64);
    EXPECT_EQ(source->textureWidth, 300);
    EXPECT_EQ(source->textureHeight, 100);

    HostClearGraphicsRecording(graphics);
    publish.Style(StyleWithExtents(5, 30));
    source->Preprocess();
    EXPECT_EQ(CallNames(), Names{"Texture::SetImage"});
    EXPECT_EQ(source->fontSize, 30);
}

// A block whose line count does not match its lines is taken, and shows no text.
TEST_F(FrameUpdate, FailedLineCheckClearsTheShownText)
{
    TextOutputSource *source = NewSource(sources);
    source->textSetting = source->currentText = L"old";
    publish.Text(u"10|0|3|a\r\nb");
    source->Preprocess();
    EXPECT_TRUE(source->currentText.IsEmpty());
    EXPECT_TRUE(source->textSetting.IsEmpty());
    EXPECT_EQ(CallNames(), Names{"CreateTexture"});
}

TEST_F(FrameUpdate, OnlyTheFirstSourceOfASceneTakesABlock)
{
    TextOutputSource *first = NewSource(sources, L"First");
    TextOutputSource *second = NewSource(sources, L"Second");
    publish.Text(u"11|0|1|Thanks");
    first->Preprocess();
    second->Preprocess();
    EXPECT_EQ(Text(first->currentText), L"Thanks");
    EXPECT_TRUE(second->currentText.IsEmpty());
    EXPECT_EQ(second->texture, nullptr);
}

// The companion starts from the style values' defaults, so that its first style block changes
// nothing on screen: each must be the source's own default, and land on its own setting.
TEST_F(FrameUpdate, StyleBlockOfTheDefaultsLeavesEveryFieldAsItWas)
{
    const TextOutputSource *plain = NewSource(sources, L"Plain");
    TextOutputSource *styled = NewSource(sources, L"Styled");
    StyleNumbers defaults{};
    for (std::size_t i = 0; i < kStyleNumberCount; ++i)
        defaults[i] = kStyleValues[i].byDefault;
    std::string error;
    const auto block = FormatStyleBlock(3, u"Arial", defaults, error);
    ASSERT_TRUE(block) << error;
    publish.Style(*block);
    styled->Preprocess();
    ASSERT_EQ(styled->data->GetInt(L"align", -7), 0) << "the block was not taken";
    const auto fields = [](const TextOutputSource &s) {
        return std::make_tuple(Text(s.fontName), s.fontSize, s.color, s.textOpacity, s.scrollSpeed,
                               s.backgroundColor, s.backgroundOpacity, s.bold, s.italic, s.underline, s.vertical,
                               s.pointFiltering, s.useOutline, s.outlineColor, s.outlineSize, s.outlineOpacity,
                               s.useTextExtents, s.extentWidth, s.extentHeight, s.wrap, s.scrollMode, s.align);
    };
    EXPECT_EQ(fields(*styled), fields(*plain));
}

// The source identifier is the configure callback's to make; a frame only reads it. A scene
// without an identifier gets one, once.
TEST_F(FrameUpdate, SourceIdentifierIsReadNeverMadeSceneIdentifierIsMadeOnce)
{
    XElement *fresh = tree.AddScene(L"Fresh");
    TextOutputSource *source = NewSource(fresh);
    source->Preprocess();
    EXPECT_FALSE(source->data->HasItem(L"guid"));
    EXPECT_TRUE(source->sourceGuid.IsEmpty());
    const std::wstring made = fresh->GetString(L"sceneGuid", L"");
    EXPECT_EQ(made.size(), 38u);

    source->data->SetString(L"guid", L"{SOURCE}");
    source->Preprocess();
    EXPECT_EQ(Text(source->sourceGuid), L"{SOURCE}");
    EXPECT_EQ(std::wstring(fresh->GetString(L"sceneGuid", L"")), made);
}

} // namespace
