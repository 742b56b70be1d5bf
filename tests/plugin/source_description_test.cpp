#include "plugin/SourceDescription.h"
#include "plugin/PluginEntry.h"
#include "source/TextOutputSource.h"
#include "support/SceneTree.h"

#include <gtest/gtest.h>

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
