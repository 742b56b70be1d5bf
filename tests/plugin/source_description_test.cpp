#include "plugin/SourceDescription.h"
#include "plugin/PluginEntry.h"
#include "source/TextOutputSource.h"
#include "support/ProcessGraphics.h"
#include "support/SceneTree.h"

#include <gtest/gtest.h>
#include <string>

extern "C" int DescribeSource(ImageSource *source, wchar_t *text, int textCapacity, int *textureWidth,
                              int *textureHeight);
extern "C" int DescribeSourceSettings(ImageSource *source, char *json, int capacity);

namespace {

TEST(SourceDescription, DefaultsReadAsTheUserKnowsThem)
{
    SceneTree tree;
    ImageSource *source = CreateTextSource(tree.NewDataElement());
    const std::string json = EffectiveSettingsJson(*static_cast<TextOutputSource *>(source));
    delete source;
    for (const char *member : {"\"font\": \"Arial\"", "\"fontSize\": 48", "\"color\": \"0xFFFFFFFF\"",
                               "\"textOpacity\": 100", "\"outlineSize\": 2",
                               "\"outlineColor\": \"0xFF000000\"", "\"backgroundOpacity\": 0",
                               "\"baseSizeCX\": 32", "\"drawOpacity\": 100"})
        EXPECT_NE(json.find(member), std::string::npos) << member << " in " << json;
}

TEST(SourceDescription, TextIsEscapedAndUtf8)
{
    SceneTree tree;
    XElement *data = tree.NewDataElement();
    data->SetString(L"font", L"A \"quoted\" \\ 字体\n");
    ImageSource *source = CreateTextSource(data);
    const std::string json = EffectiveSettingsJson(*static_cast<TextOutputSource *>(source));
    delete source;
    EXPECT_NE(json.find("\"font\": \"A \\\"quoted\\\" \\\\ \xE5\xAD\x97\xE4\xBD\x93\\u000a\""),
              std::string::npos) << json;
}

} // namespace

namespace {

// The exports copy what fits with a terminator, never past the capacity, and return the
// full length.
TEST(SourceDescription, ExportsCopyWhatFitsAndTellTheFullLength)
{
    SceneTree tree;
    ImageSource *source = CreateTextSource(tree.NewDataElement());
    auto *text = static_cast<TextOutputSource *>(source);
    text->currentText = L"Thanks";
    wchar_t shown[8] = {L'#', L'#', L'#', L'#', L'#', L'#', L'#', L'#'};
    int width = -1, height = -1;
    EXPECT_EQ(DescribeSource(source, shown + 1, 0, &width, &height), 6);
    EXPECT_EQ(shown[1], L'#');
    EXPECT_EQ(width, 0);
    EXPECT_EQ(height, 0);
    EXPECT_EQ(DescribeSource(source, shown, 4, nullptr, nullptr), 6);
    EXPECT_EQ(std::wstring(shown, 5), std::wstring(L"Tha\0#", 5));
    EXPECT_EQ(DescribeSource(source, shown, 1, nullptr, nullptr), 6);
    EXPECT_EQ(std::wstring(shown, 2), std::wstring(L"\0h", 2));

    text->texture = ProcessGraphics()->CreateTexture(40, 30, GS_BGRA, nullptr, FALSE, FALSE);
    text->textureWidth = 40;
    text->textureHeight = 30;
    DescribeSource(source, nullptr, 0, &width, &height);
    EXPECT_EQ(width, 40);
    EXPECT_EQ(height, 30);

    const std::string full = EffectiveSettingsJson(*text);
    char json[8] = "#######";
    EXPECT_EQ(DescribeSourceSettings(source, json + 1, 0), static_cast<int>(full.size()));
    EXPECT_EQ(json[1], '#');
    EXPECT_EQ(DescribeSourceSettings(source, json, 5), static_cast<int>(full.size()));
    EXPECT_EQ(std::string(json, 6), full.substr(0, 4) + std::string("\0#", 2));
    delete source;
}

} // namespace
