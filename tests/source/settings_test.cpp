#include "source/TextOutputSource.h"
#include "support/SceneTree.h"

#include <gtest/gtest.h>
#include <cstring>
#include <memory>
#include <new>

namespace {

// Builds a source the way the create callback does: zero-filled host storage.
struct SourceDeleter {
    void operator()(TextOutputSource *source) const { delete source; }
};
using SourcePtr = std::unique_ptr<TextOutputSource, SourceDeleter>;

SourcePtr MakeSource(XElement *data)
{
    void *storage = Allocate(sizeof(TextOutputSource));
    std::memset(storage, 0, sizeof(TextOutputSource));
    return SourcePtr(new (storage) TextOutputSource(data));
}

class SourceSettings : public ::testing::Test {
protected:
    SceneTree tree;
    XElement *data = tree.NewDataElement();
};

TEST_F(SourceSettings, EmptyDataElementGivesTheDefaults)
{
    const SourcePtr source = MakeSource(data);
    EXPECT_STREQ(source->fontName.Array(), L"Arial");
    EXPECT_EQ(source->fontSize, 48);
    EXPECT_EQ(static_cast<unsigned>(source->color), 0xFFFFFFFFu);
    EXPECT_EQ(source->textOpacity, 100);
    EXPECT_EQ(source->drawOpacity, 100);
    EXPECT_EQ(source->scrollSpeed, 0);
    EXPECT_FALSE(source->bold || source->italic || source->underline || source->vertical);
    EXPECT_FALSE(source->useOutline);
    EXPECT_EQ(source->outlineSize, 2.0f);
    EXPECT_EQ(static_cast<unsigned>(source->outlineColor), 0xFF000000u);
    EXPECT_EQ(source->outlineOpacity, 100);
    EXPECT_EQ(static_cast<unsigned>(source->backgroundColor), 0xFF000000u);
    EXPECT_EQ(source->backgroundOpacity, 0);
    EXPECT_FALSE(source->useTextExtents || source->wrap || source->scrollMode);
    EXPECT_EQ(source->extentWidth, 0u);
    EXPECT_EQ(source->extentHeight, 0u);
    EXPECT_EQ(source->align, 0);
    EXPECT_EQ(source->mode, 0);
    EXPECT_FALSE(source->pointFiltering);
    EXPECT_EQ(source->baseSizeCX, 32.0f);
    EXPECT_EQ(source->baseSizeCY, 32.0f);
    EXPECT_TRUE(source->filePath.IsEmpty());
    EXPECT_TRUE(source->textSetting.IsEmpty());
    EXPECT_TRUE(source->currentText.IsEmpty());
    EXPECT_EQ(source->texture, nullptr);
}

TEST_F(SourceSettings, EveryKeyIsReadUnderItsOwnName)
{
    data->SetString(L"font", L"SimHei");
    data->SetInt(L"color", 0x112233);
    data->SetInt(L"fontSize", 61);
    data->SetInt(L"textOpacity", 62);
    data->SetInt(L"scrollSpeed", 63);
    data->SetInt(L"bold", 1);
    data->SetInt(L"italic", 2);
    data->SetInt(L"wrap", 3);
    data->SetInt(L"scrollMode", 4);
    data->SetInt(L"underline", 5);
    data->SetInt(L"vertical", 6);
    data->SetInt(L"useTextExtents", 7);
    data->SetInt(L"extentWidth", 640);
    data->SetInt(L"extentHeight", 160);
    data->SetInt(L"align", 2);
    data->SetString(L"file", L"C:\\thanks.txt");
    data->SetInt(L"mode", 1);
    data->SetInt(L"pointFiltering", 1);
    data->SetFloat(L"baseSizeCX", 300.5f);
    data->SetFloat(L"baseSizeCY", 90.25f);
    data->SetInt(L"useOutline", 1);
    data->SetInt(L"outlineColor", 0x445566);
    data->SetFloat(L"outlineSize", 3.5f);
    data->SetInt(L"outlineOpacity", 64);
    data->SetInt(L"backgroundColor", 0x778899);
    data->SetInt(L"backgroundOpacity", 65);

    const SourcePtr source = MakeSource(data);
    EXPECT_STREQ(source->fontName.Array(), L"SimHei");
    EXPECT_EQ(source->color, 0x112233);
    EXPECT_EQ(source->fontSize, 61);
    EXPECT_EQ(source->textOpacity, 62);
    EXPECT_EQ(source->scrollSpeed, 63);
    EXPECT_TRUE(source->bold && source->italic && source->wrap && source->scrollMode);
    EXPECT_TRUE(source->underline && source->vertical && source->useTextExtents);
    EXPECT_EQ(source->extentWidth, 640u);
    EXPECT_EQ(source->extentHeight, 160u);
    EXPECT_EQ(source->align, 2);
    EXPECT_STREQ(source->filePath.Array(), L"C:\\thanks.txt");
    EXPECT_EQ(source->mode, 1);
    EXPECT_TRUE(source->pointFiltering);
    EXPECT_EQ(source->baseSizeCX, 300.5f);
    EXPECT_EQ(source->baseSizeCY, 90.25f);
    EXPECT_TRUE(source->useOutline);
    EXPECT_EQ(source->outlineColor, 0x445566);
    EXPECT_EQ(source->outlineSize, 3.5f);
    EXPECT_EQ(source->outlineOpacity, 64);
    EXPECT_EQ(source->backgroundColor, 0x778899);
    EXPECT_EQ(source->backgroundOpacity, 65);
}

TEST_F(SourceSettings, ExtentsAboveTheSignedRangeStayUnsigned)
{
    data->SetInt(L"extentWidth", -1);
    const SourcePtr source = MakeSource(data);
    EXPECT_EQ(source->extentWidth, 4294967295u);
}

TEST_F(SourceSettings, UpdateSettingsKeepsTextScrollAndHighlight)
{
    const SourcePtr source = MakeSource(data);
    source->SetString(L"text", L"感谢");
    source->scrollOffset = 0.25f;
    source->extentHighlightTime = 0.5f;
    data->SetInt(L"scrollSpeed", 80);
    data->SetInt(L"extentWidth", 100);
    source->UpdateSettings();
    EXPECT_EQ(source->scrollSpeed, 80);
    EXPECT_EQ(source->scrollOffset, 0.25f);
    EXPECT_EQ(source->extentHighlightTime, 0.5f);
    EXPECT_STREQ(source->textSetting.Array(), L"感谢");
}

TEST_F(SourceSettings, SettersMatchKeysWithoutCase)
{
    const SourcePtr source = MakeSource(data);
    source->SetInt(L"SCROLLSPEED", 5);
    source->SetInt(L"fontsize", 20);
    source->SetInt(L"BackgroundOpacity", 40);
    source->SetString(L"FONT", L"Liberation Serif");
    source->SetFloat(L"OUTLINESIZE", 6.0f);
    EXPECT_EQ(source->scrollSpeed, 5);
    EXPECT_EQ(source->fontSize, 20);
    EXPECT_EQ(source->backgroundOpacity, 40);
    EXPECT_STREQ(source->fontName.Array(), L"Liberation Serif");
    EXPECT_EQ(source->outlineSize, 6.0f);
}

TEST_F(SourceSettings, UnknownKeysAndSettingsWithoutSetterAreIgnored)
{
    const SourcePtr source = MakeSource(data);
    source->SetInt(L"pointFiltering", 1);
    source->SetInt(L"baseSizeCX", 500);
    source->SetFloat(L"fontSize", 99.0f);
    source->SetString(L"color", L"red");
    source->SetInt(L"nonsense", 1);
    EXPECT_FALSE(source->pointFiltering);
    EXPECT_EQ(source->baseSizeCX, 32.0f);
    EXPECT_EQ(source->fontSize, 48);
    EXPECT_EQ(static_cast<unsigned>(source->color), 0xFFFFFFFFu);
}

TEST_F(SourceSettings, StartingToScrollResetsTheOffsetButChangingSpeedDoesNot)
{
    const SourcePtr source = MakeSource(data);
    source->scrollOffset = 0.7f;
    source->SetInt(L"scrollSpeed", 30);
    EXPECT_EQ(source->scrollOffset, 0.0f);
    source->scrollOffset = 0.4f;
    source->SetInt(L"scrollSpeed", 60);
    EXPECT_EQ(source->scrollOffset, 0.4f);
    EXPECT_EQ(source->scrollSpeed, 60);
}

TEST_F(SourceSettings, ExtentSettersRestartTheHighlightEvenWhenUnchanged)
{
    const SourcePtr source = MakeSource(data);
    source->SetInt(L"extentWidth", 0);
    EXPECT_EQ(source->extentHighlightTime, 2.0f);
    source->extentHighlightTime = 0.1f;
    source->SetInt(L"extentHeight", 0);
    EXPECT_EQ(source->extentHighlightTime, 2.0f);
}

TEST_F(SourceSettings, TextSetterChangesOnlyTheSetting)
{
    const SourcePtr source = MakeSource(data);
    source->SetString(L"text", L"Thanks Bob");
    EXPECT_STREQ(source->textSetting.Array(), L"Thanks Bob");
    EXPECT_TRUE(source->currentText.IsEmpty());
}

TEST_F(SourceSettings, GetSizeIsTheBaseSize)
{
    data->SetFloat(L"baseSizeCX", 640.0f);
    data->SetFloat(L"baseSizeCY", 120.0f);
    const SourcePtr source = MakeSource(data);
    source->textureWidth = 2;
    source->textureHeight = 2;
    const Vect2 size = source->GetSize();
    EXPECT_EQ(size.x, 640.0f);
    EXPECT_EQ(size.y, 120.0f);
}

} // namespace
