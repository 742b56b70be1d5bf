// The two channels read from real named blocks, written in this process by the block writer
// (which holds the block open as the companion does).
#include "LinkTestSupport.h"
#include "companion/blockwriter/SharedBlockWriter.h"
#include "link/ChannelSequence.h"
#include "link/StyleChannel.h"
#include "link/TextChannel.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <utility>

namespace {

std::wstring Text(const String &value)
{
    return value.Array() ? std::wstring(value.Array(), value.Length()) : std::wstring();
}

// Every number 100..120 in block order after the font.
const std::u16string kCompleteStyle =
    u"5|Liberation Sans|100|101|102|103|104|105|106|107|108|109|110|111|112|113|114|115|116|117|118|119|120";

class Channel : public ::testing::Test {
protected:
    LinkTestTree tree;
    XElement *sources = nullptr;
    XElement *data = nullptr;
    std::wstring scene = FreshSceneGuid();
    std::optional<SharedBlockWriter> textBlock;
    std::optional<SharedBlockWriter> styleBlock;

    void SetUp() override
    {
        ResetChannelSequenceNumbers();
        sources = tree.NewScene();
        data = tree.NewSourceData(sources);
    }

    void PublishText(std::u16string_view text)
    {
        DWORD error = 0;
        if (!textBlock)
            textBlock = SharedBlockWriter::Open(TextBlockName(scene), error);
        ASSERT_TRUE(textBlock) << error;
        ASSERT_TRUE(textBlock->Write(text));
    }

    void PublishStyle(std::u16string_view text)
    {
        DWORD error = 0;
        if (!styleBlock)
            styleBlock = SharedBlockWriter::Open(StyleBlockName(scene), error);
        ASSERT_TRUE(styleBlock) << error;
        ASSERT_TRUE(styleBlock->Write(text));
    }

    int ReadText(String &out) { return ReadTextChannel(out, String(scene.c_str()), data); }
    int ReadStyle() { return ReadStyleChannel(String(scene.c_str()), data); }
};

} // namespace

TEST_F(Channel, NewTextBlockIsTakenOnce)
{
    PublishText(u"7|1|2|Hello\r\nWorld");
    String out;
    EXPECT_EQ(ReadText(out), 1);
    EXPECT_EQ(Text(out), L"Hello\r\nWorld");
    EXPECT_EQ(data->GetInt(L"mode", -5), 1);

    String again(L"kept");
    EXPECT_EQ(ReadText(again), 0);
    EXPECT_EQ(Text(again), L"kept");
}

TEST_F(Channel, LineCountMismatchConsumesTheNumberButKeepsTheText)
{
    PublishText(u"8|3|3|a\r\n\r\nb");
    String out(L"as given");
    EXPECT_EQ(ReadText(out), 1);
    EXPECT_EQ(Text(out), L"as given");
    EXPECT_EQ(data->GetInt(L"mode", -5), 3);
    EXPECT_EQ(ReadText(out), 0);
}

TEST_F(Channel, RefusedTextBlockLeavesItsNumberFree)
{
    PublishText(u"10||1|x");
    String out;
    EXPECT_EQ(ReadText(out), 0);
    EXPECT_FALSE(data->HasItem(L"mode"));

    PublishText(u"10|2|1|x");
    EXPECT_EQ(ReadText(out), 1);
    EXPECT_EQ(Text(out), L"x");
}

TEST_F(Channel, ChineseTextArrivesWhole)
{
    PublishText(u"11|0|2|\u611F\u8C22 \u5C0F\u660E\r\n\u706B\u7BAD x3");
    String out;
    ASSERT_EQ(ReadText(out), 1);
    EXPECT_EQ(Text(out), L"\u611F\u8C22 \u5C0F\u660E\r\n\u706B\u7BAD x3");
}

TEST_F(Channel, BlockWithoutTerminatorIsReadAsItsFullSize)
{
    DWORD error = 0;
    textBlock = SharedBlockWriter::Open(TextBlockName(scene), error);
    ASSERT_TRUE(textBlock);
    std::u16string text = u"12|0|1|" + std::u16string(1024 - 7, u'y');
    unsigned char image[2048];
    for (std::size_t i = 0; i < 1024; ++i) {
        image[2 * i] = static_cast<unsigned char>(text[i] & 0xFF);
        image[2 * i + 1] = static_cast<unsigned char>(text[i] >> 8);
    }
    textBlock->WriteImage(image, sizeof image);

    String out;
    ASSERT_EQ(ReadText(out), 1);
    EXPECT_EQ(Text(out), std::wstring(1024 - 7, L'y'));
}

TEST_F(Channel, NoBlockTakesNothingAndLeavesNoBlockBehind)
{
    String out(L"before");
    EXPECT_EQ(ReadText(out), 0);
    EXPECT_EQ(Text(out), L"before");
    EXPECT_EQ(ReadStyle(), 0);

    for (const std::wstring &name : {TextBlockName(scene), StyleBlockName(scene)}) {
        HANDLE left = OpenFileMappingW(FILE_MAP_READ, FALSE, name.c_str());
        EXPECT_EQ(left, nullptr);
        if (left)
            CloseHandle(left);
    }
}

TEST_F(Channel, NameHeldByAnotherKindOfObjectTakesNothing)
{
    HANDLE event = CreateEventW(nullptr, TRUE, FALSE, TextBlockName(scene).c_str());
    ASSERT_NE(event, nullptr);
    String out(L"before");
    EXPECT_EQ(ReadText(out), 0);  // the mapping cannot be made; reported on the console
    EXPECT_EQ(Text(out), L"before");
    CloseHandle(event);
}

TEST_F(Channel, EmptySceneOrMissingDataTakesNothing)
{
    PublishText(u"13|0|1|x");
    String out;
    EXPECT_EQ(ReadTextChannel(out, String(), data), 0);
    EXPECT_EQ(ReadTextChannel(out, String(L""), data), 0);
    EXPECT_EQ(ReadTextChannel(out, String(scene.c_str()), nullptr), 0);
    EXPECT_EQ(ReadStyleChannel(String(), data), 0);
    EXPECT_EQ(ReadText(out), 1);  // the number was not spent by the refused calls
}

TEST_F(Channel, SceneIdentifierTooLongForTheNameIsRefused)
{
    // Made before the allocator is watched, and moved in, so only the readers' buffers count.
    String tooLongForText(std::wstring(2048 - 11, L'S').c_str());
    String tooLongForStyle(std::wstring(2048 - 11, L'S').c_str());
    String longest(std::wstring(2048 - 11 - 1, L'S').c_str());  // fits with its terminator
    CountingAllocator buffers(2048 * sizeof(wchar_t), false);
    String out;
    EXPECT_EQ(ReadTextChannel(out, std::move(tooLongForText), data), 0);
    EXPECT_EQ(ReadStyleChannel(std::move(tooLongForStyle), data), 0);
    EXPECT_EQ(buffers.allocated, 0);  // refused before a name was built

    ReadTextChannel(out, std::move(longest), data);  // the system may refuse such a name
    EXPECT_EQ(buffers.StillTaken(), 0u);
}

TEST_F(Channel, BuffersComeFromTheHostAllocatorAndGoBack)
{
    PublishText(u"14|0|1|x");
    PublishStyle(kCompleteStyle);
    CountingAllocator buffers(2048 * sizeof(wchar_t), false);
    String out;
    EXPECT_EQ(ReadText(out), 1);
    EXPECT_EQ(ReadStyle(), 1);
    EXPECT_EQ(buffers.allocated, 4);  // a name and a scratch copy per read
    EXPECT_EQ(buffers.StillTaken(), 0u);
}

TEST_F(Channel, RefusedAllocationTakesNothing)
{
    PublishText(u"15|0|1|x");
    String out;
    {
        CountingAllocator refusing(2048 * sizeof(wchar_t), true);
        EXPECT_EQ(ReadText(out), 0);
    }
    EXPECT_EQ(ReadText(out), 1);
}

TEST_F(Channel, CompleteStyleBlockWritesEverySettingInOrder)
{
    PublishStyle(kCompleteStyle);
    ASSERT_EQ(ReadStyle(), 1);
    EXPECT_STREQ(data->GetString(L"font", L""), L"Liberation Sans");

    static const wchar_t *const keys[] = {
        L"font", L"fontSize", L"color", L"textOpacity", L"scrollSpeed", L"backgroundColor",
        L"backgroundOpacity", L"bold", L"italic", L"underline", L"vertical", L"pointFiltering",
        L"useOutline", L"outlineColor", L"outlineSize", L"outlineOpacity", L"useTextExtents",
        L"extentWidth", L"extentHeight", L"wrap", L"scrollMode", L"align"};
    for (int i = 1; i < 22; ++i)
        EXPECT_EQ(data->GetInt(keys[i], -1), 99 + i) << "key " << i;

    // The saved tree lists the settings in the order they were written.
    const std::wstring saved = TempFilePath(L"style_order");
    ASSERT_TRUE(tree.SaveAs(saved));
    const std::string json = ReadWholeFile(saved);
    DeleteFileW(saved.c_str());
    std::size_t previous = 0;
    for (const wchar_t *key : keys) {
        const std::string quoted = "\"" + std::string(key, key + wcslen(key)) + "\"";
        const std::size_t at = json.find(quoted);
        ASSERT_NE(at, std::string::npos) << quoted;
        if (key != keys[0]) {
            EXPECT_GT(at, previous) << quoted;
        }
        previous = at;
    }
}

TEST_F(Channel, TakenStyleBlockIsNotWrittenAgain)
{
    PublishStyle(kCompleteStyle);
    ASSERT_EQ(ReadStyle(), 1);
    data->SetInt(L"fontSize", 7);
    EXPECT_EQ(ReadStyle(), 0);
    EXPECT_EQ(data->GetInt(L"fontSize", -1), 7);
}

TEST_F(Channel, IncompleteStyleBlockIsIgnoredAndExtraFieldsAreNot)
{
    PublishStyle(u"6||100|101|102|103|104|105|106|107|108|109|110|111|112|113|114|115|116|117|118|119|120");
    EXPECT_EQ(ReadStyle(), 0);
    EXPECT_FALSE(data->HasItem(L"font"));

    PublishStyle(kCompleteStyle + u"|999");
    EXPECT_EQ(ReadStyle(), 1);
    EXPECT_EQ(data->GetInt(L"align", -1), 120);
}

TEST_F(Channel, TextAndStyleNumbersAreIndependent)
{
    PublishText(u"5|0|1|x");
    PublishStyle(kCompleteStyle);  // also number 5
    String out;
    EXPECT_EQ(ReadText(out), 1);
    EXPECT_EQ(ReadStyle(), 1);
}

TEST_F(Channel, SecondSourceOfTheSceneTakesNothing)
{
    XElement *otherData = tree.NewSourceData(sources);
    PublishText(u"16|1|1|x");
    PublishStyle(kCompleteStyle);
    String first;
    String second(L"unchanged");
    EXPECT_EQ(ReadText(first), 1);
    EXPECT_EQ(ReadStyle(), 1);
    EXPECT_EQ(ReadTextChannel(second, String(scene.c_str()), otherData), 0);
    EXPECT_EQ(ReadStyleChannel(String(scene.c_str()), otherData), 0);
    EXPECT_EQ(Text(second), L"unchanged");
    EXPECT_FALSE(otherData->HasItem(L"mode"));
    EXPECT_FALSE(otherData->HasItem(L"font"));
}
