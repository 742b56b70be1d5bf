// The two channels read real named blocks, written in this process by the block writer
// (which holds the block open as the companion does).
#include "hostlib/HostControl.h"
#include "link/ChannelSequence.h"
#include "link/PlatformSeams.h"
#include "link/StyleChannel.h"
#include "link/TextChannel.h"
#include "support/FreshGuid.h"
#include "support/ScenePublisher.h"
#include "support/SceneTree.h"
#include "support/StringText.h"
#include "support/TempFolder.h"
#include "win/Handle.h"

#include <gtest/gtest.h>

#include <cwchar>
#include <string>
#include <utility>

namespace {

// Every number 100..120 in block order after the font.
const std::u16string kCompleteStyle =
    u"5|Liberation Sans|100|101|102|103|104|105|106|107|108|109|110|111|112|113|114|115|116|117|118|119|120";

// What the block reader prints, caught through its seam.
std::wstring consoleLines;
void CatchConsoleLine(const wchar_t *line) { consoleLines += line; }

class Channel : public ::testing::Test {
protected:
    PlatformSeamsOverride seams;
    SceneTree tree;
    XElement *data = tree.NewDataElement();
    std::wstring scene = FreshGuidText();
    ScenePublisher publish{scene};

    void SetUp() override
    {
        ResetChannelSequenceNumbers();
        consoleLines.clear();
        Platform().consoleLine = &CatchConsoleLine;
    }

    int ReadText(String &out) { return ReadTextChannel(out, String(scene.c_str()), data); }
    int ReadStyle() { return ReadStyleChannel(String(scene.c_str()), data); }
};

} // namespace

TEST_F(Channel, NewTextBlockIsTakenOnce)
{
    publish.Text(u"7|1|2|Hello\r\nWorld");
    String out(L"replaced");
    EXPECT_EQ(ReadText(out), 1);
    EXPECT_EQ(Text(out), L"Hello\r\nWorld");
    EXPECT_EQ(data->GetInt(L"mode", -5), 1);

    String again(L"kept");
    EXPECT_EQ(ReadText(again), 0);
    EXPECT_EQ(Text(again), L"kept");
}

TEST_F(Channel, LineCountMismatchConsumesTheNumberButKeepsTheText)
{
    publish.Text(u"8|3|3|a\r\n\r\nb");
    String out(L"as given");
    EXPECT_EQ(ReadText(out), 1);
    EXPECT_EQ(Text(out), L"as given");
    EXPECT_EQ(data->GetInt(L"mode", -5), 3);
    EXPECT_EQ(ReadText(out), 0);
}

TEST_F(Channel, RefusedTextBlockLeavesItsNumberFree)
{
    publish.Text(u"10||1|x");  // the empty mode field vanishes: three fields
    String out;
    EXPECT_EQ(ReadText(out), 0);
    EXPECT_FALSE(data->HasItem(L"mode"));

    publish.Text(u"10|2|1|x");
    EXPECT_EQ(ReadText(out), 1);
    EXPECT_EQ(Text(out), L"x");
}

TEST_F(Channel, NoBlockTakesNothingAndLeavesNoBlockBehind)
{
    String out(L"before");
    EXPECT_EQ(ReadText(out), 0);
    EXPECT_EQ(Text(out), L"before");
    EXPECT_EQ(ReadStyle(), 0);

    for (const std::wstring &name : {TextBlockName(scene), StyleBlockName(scene)}) {
        const win::UniqueHandle left(OpenFileMappingW(FILE_MAP_READ, FALSE, name.c_str()));
        EXPECT_EQ(left.get(), nullptr);
    }
}

TEST_F(Channel, NameHeldByAnotherKindOfObjectTakesNothing)
{
    const win::UniqueHandle event(CreateEventW(nullptr, TRUE, FALSE, TextBlockName(scene).c_str()));
    ASSERT_TRUE(event);
    String out(L"before");
    EXPECT_EQ(ReadText(out), 0);
    EXPECT_EQ(consoleLines, L"Could not create file mapping object (6).\n");
    EXPECT_EQ(Text(out), L"before");
}

// A read-only section of a file under the block's name opens, but gives no writable view.
TEST_F(Channel, BlockWithoutAWritableViewTakesNothing)
{
    TempFolder folder;
    ASSERT_TRUE(WriteFileBytes(folder / L"block", std::string(4096, '7')));
    const win::UniqueHandle file(CreateFileW((folder / L"block").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                             OPEN_EXISTING, 0, nullptr));
    const win::UniqueHandle section(
        CreateFileMappingW(file.get(), nullptr, PAGE_READONLY, 0, 0, TextBlockName(scene).c_str()));
    ASSERT_TRUE(section);
    String out(L"before");
    EXPECT_EQ(ReadText(out), 0);
    EXPECT_EQ(consoleLines, L"Could not map view of file (5).\n");
    EXPECT_EQ(Text(out), L"before");
}

TEST_F(Channel, EmptySceneOrMissingDataTakesNothing)
{
    publish.Text(u"13|0|1|x");
    String out;
    EXPECT_EQ(ReadTextChannel(out, String(), data), 0);
    EXPECT_EQ(ReadTextChannel(out, String(L""), data), 0);
    EXPECT_EQ(ReadTextChannel(out, String(scene.c_str()), nullptr), 0);
    EXPECT_EQ(ReadStyleChannel(String(), data), 0);
    EXPECT_EQ(ReadText(out), 1);  // the number was not spent by the refused calls
}

// Each identifier is made in the call (one allocation), so any other allocation would be the
// readers' own.
TEST_F(Channel, SceneIdentifierTooLongForTheNameIsRefusedUnbuilt)
{
    const std::wstring tooLong(2048 - 11, L'S');  // no room left for the terminator
    String out;
    const size_t allocations = HostTotalAllocations();
    EXPECT_EQ(ReadTextChannel(out, String(tooLong.c_str()), data), 0);
    EXPECT_EQ(ReadStyleChannel(String(tooLong.c_str()), data), 0);
    EXPECT_EQ(HostTotalAllocations(), allocations + 2);
}

TEST_F(Channel, BuffersComeFromTheHostAllocatorAndGoBack)
{
    String out;
    const size_t liveBlocks = HostLiveBlocks();
    const size_t allocations = HostTotalAllocations();
    EXPECT_EQ(ReadTextChannel(out, String(scene.c_str()), data), 0);  // no block: nothing to write
    EXPECT_EQ(HostTotalAllocations() - allocations, 3u);  // the identifier, the name, the scratch copy
    EXPECT_EQ(HostLiveBlocks(), liveBlocks);  // all three gone again
}

// The scene identifier, made before the next allocation is set to fail (returned in place).
static String SceneThenFailingAllocation(const std::wstring &scene)
{
    String text(scene.c_str());
    HostFailNextAllocations(1);
    return text;
}

TEST_F(Channel, RefusedAllocationTakesNothing)
{
    publish.Text(u"15|0|1|x");
    String out;
    EXPECT_EQ(ReadTextChannel(out, SceneThenFailingAllocation(scene), data), 0);
    EXPECT_EQ(ReadText(out), 1);
}

TEST_F(Channel, CompleteStyleBlockWritesEverySettingInOrderOnce)
{
    publish.Style(kCompleteStyle);
    ASSERT_EQ(ReadStyle(), 1);
    static const wchar_t *const keys[] = {
        L"font", L"fontSize", L"color", L"textOpacity", L"scrollSpeed", L"backgroundColor",
        L"backgroundOpacity", L"bold", L"italic", L"underline", L"vertical", L"pointFiltering",
        L"useOutline", L"outlineColor", L"outlineSize", L"outlineOpacity", L"useTextExtents",
        L"extentWidth", L"extentHeight", L"wrap", L"scrollMode", L"align"};
    EXPECT_STREQ(data->GetString(keys[0], L""), L"Liberation Sans");
    for (int i = 1; i < 22; ++i)
        EXPECT_EQ(data->GetInt(keys[i], -1), 99 + i) << "key " << i;

    // The saved tree lists the settings in the order they were written.
    TempFolder folder;
    ASSERT_TRUE(tree.SaveAs(folder / L"style_order.json"));
    const std::string json = ReadFileBytes(folder / L"style_order.json");
    std::size_t previous = 0;
    for (const wchar_t *key : keys) {
        const std::size_t at = json.find("\"" + std::string(key, key + std::wcslen(key)) + "\"");
        ASSERT_NE(at, std::string::npos);
        EXPECT_TRUE(key == keys[0] || at > previous) << "out of order at key " << at;
        previous = at;
    }

    data->SetInt(L"fontSize", 7);
    EXPECT_EQ(ReadStyle(), 0);
    EXPECT_EQ(data->GetInt(L"fontSize", -1), 7);
}

TEST_F(Channel, TextAndStyleNumbersAreIndependent)
{
    publish.Text(u"5|0|1|x");
    publish.Style(kCompleteStyle);  // also number 5
    String out;
    EXPECT_EQ(ReadText(out), 1);
    EXPECT_EQ(ReadStyle(), 1);
}
