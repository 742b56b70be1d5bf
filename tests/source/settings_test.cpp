#include "support/NewTextSource.h"
#include "support/SceneTree.h"
#include "support/StringText.h"

#include <gtest/gtest.h>
#include <cwctype>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace {

using SourcePtr = std::unique_ptr<TextOutputSource>;

SourcePtr MakeSource(XElement *data)
{
    return SourcePtr(NewTextSource(data));
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

// Every setting of a source and the state its setters touch, by setting key.
std::map<std::wstring, std::wstring> Fields(const TextOutputSource &s)
{
    using std::to_wstring;
    return {{L"font", Text(s.fontName)}, {L"text", Text(s.textSetting)}, {L"file", Text(s.filePath)},
            {L"color", to_wstring(s.color)}, {L"fontSize", to_wstring(s.fontSize)},
            {L"textOpacity", to_wstring(s.textOpacity)}, {L"scrollSpeed", to_wstring(s.scrollSpeed)},
            {L"bold", to_wstring(s.bold)}, {L"italic", to_wstring(s.italic)}, {L"wrap", to_wstring(s.wrap)},
            {L"scrollMode", to_wstring(s.scrollMode)}, {L"underline", to_wstring(s.underline)},
            {L"vertical", to_wstring(s.vertical)}, {L"useTextExtents", to_wstring(s.useTextExtents)},
            {L"extentWidth", to_wstring(s.extentWidth)}, {L"extentHeight", to_wstring(s.extentHeight)},
            {L"align", to_wstring(s.align)}, {L"mode", to_wstring(s.mode)},
            {L"pointFiltering", to_wstring(s.pointFiltering)}, {L"baseSizeCX", to_wstring(s.baseSizeCX)},
            {L"baseSizeCY", to_wstring(s.baseSizeCY)}, {L"useOutline", to_wstring(s.useOutline)},
            {L"outlineColor", to_wstring(s.outlineColor)}, {L"outlineSize", to_wstring(s.outlineSize)},
            {L"outlineOpacity", to_wstring(s.outlineOpacity)},
            {L"backgroundColor", to_wstring(s.backgroundColor)},
            {L"backgroundOpacity", to_wstring(s.backgroundOpacity)}, {L"drawOpacity", to_wstring(s.drawOpacity)},
            {L"scrollOffset", to_wstring(s.scrollOffset)},
            {L"extentHighlightTime", to_wstring(s.extentHighlightTime)}, {L"currentText", Text(s.currentText)}};
}

const CTSTR kBooleanKeys[] = {L"bold", L"italic", L"wrap", L"scrollMode", L"underline", L"vertical",
                              L"useTextExtents", L"useOutline"};
const CTSTR kNumberKeys[] = {L"color", L"fontSize", L"textOpacity", L"scrollSpeed", L"extentWidth",
                             L"extentHeight", L"align", L"mode", L"outlineColor", L"outlineOpacity",
                             L"backgroundColor", L"backgroundOpacity"};

std::wstring Upper(std::wstring key)
{
    for (wchar_t &c : key)
        c = static_cast<wchar_t>(towupper(c));
    return key;
}

// Each key alone moves its own field and no other, so no two keys can be confused.
TEST_F(SourceSettings, EachStoredKeyIsReadIntoItsOwnFieldAlone)
{
    const auto defaults = Fields(*MakeSource(data));
    std::vector<std::pair<CTSTR, std::wstring>> cases;
    for (CTSTR key : kBooleanKeys)
        cases.emplace_back(key, L"1");
    cases.emplace_back(L"pointFiltering", L"1");
    for (CTSTR key : kNumberKeys)
        cases.emplace_back(key, L"7");
    for (CTSTR key : {L"font", L"file", L"baseSizeCX", L"baseSizeCY", L"outlineSize"})
        cases.emplace_back(key, L"");
    for (const auto &[key, expected] : cases) {
        SceneTree own;
        XElement *element = own.NewDataElement();
        auto fields = defaults;
        if (std::wstring(key) == L"font" || std::wstring(key) == L"file") {
            element->SetString(key, L"C:\\SimHei");
            fields[key] = L"C:\\SimHei";
        } else if (expected.empty()) {
            element->SetFloat(key, 90.25f);
            fields[key] = std::to_wstring(90.25f);
        } else {
            element->SetInt(key, 7);
            fields[key] = expected;
        }
        EXPECT_EQ(Fields(*MakeSource(element)), fields) << key;
    }
}

// The same for the setters, whose keys match in any case; keys without a setter change nothing.
TEST_F(SourceSettings, EachSetterKeyChangesItsOwnFieldAlone)
{
    const SourcePtr source = MakeSource(data);
    const auto defaults = Fields(*source);
    const auto expectChange = [&](auto set, const std::wstring &key, const std::wstring &value) {
        const SourcePtr fresh = MakeSource(data);
        set(*fresh);
        auto fields = defaults;
        if (!key.empty())
            fields[key] = value;
        if (key == L"extentWidth" || key == L"extentHeight")
            fields[L"extentHighlightTime"] = std::to_wstring(2.0f);
        EXPECT_EQ(Fields(*fresh), fields) << key;
    };
    for (CTSTR key : kBooleanKeys)
        expectChange([&](TextOutputSource &s) { s.SetInt(Upper(key).c_str(), 7); }, key, L"1");
    for (CTSTR key : kNumberKeys)
        expectChange([&](TextOutputSource &s) { s.SetInt(Upper(key).c_str(), 7); }, key, L"7");
    for (CTSTR key : {L"font", L"text", L"file"})
        expectChange([&](TextOutputSource &s) { s.SetString(Upper(key).c_str(), L"感谢"); }, key, L"感谢");
    expectChange([](TextOutputSource &s) { s.SetFloat(L"OUTLINESIZE", 6.5f); }, L"outlineSize",
                 std::to_wstring(6.5f));
    for (CTSTR key : {L"pointFiltering", L"baseSizeCX", L"baseSizeCY", L"nonsense"})
        expectChange([&](TextOutputSource &s) { s.SetInt(key, 7); }, L"", L"");
    expectChange([](TextOutputSource &s) { s.SetFloat(L"fontSize", 99.0f); }, L"", L"");
    expectChange([](TextOutputSource &s) { s.SetString(L"color", L"red"); }, L"", L"");
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
