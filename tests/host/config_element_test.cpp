#include "host/OBSApi.h"

#include <gtest/gtest.h>

#include <cwchar>

namespace {

class ConfigElement : public ::testing::Test {
protected:
    XConfig config;
    XElement *root = nullptr;

    void SetUp() override
    {
        config.Create(L"unsaved.json");
        root = config.GetRootElement();
    }
};

}  // namespace

TEST_F(ConfigElement, IntAndFloatConvertIntoEachOther)
{
    root->SetInt(L"count", 7);
    root->SetFloat(L"size", 2.75f);
    root->SetFloat(L"negative", -2.75f);
    EXPECT_FLOAT_EQ(7.0f, root->GetFloat(L"count"));
    EXPECT_EQ(2, root->GetInt(L"size"));
    EXPECT_EQ(-2, root->GetInt(L"negative"));
    root->SetFloat(L"huge", 1e20f);
    EXPECT_EQ(2147483647, root->GetInt(L"huge"));
}

TEST_F(ConfigElement, StringAndNumberGettersDoNotCross)
{
    root->SetInt(L"number", 5);
    root->SetString(L"text", L"12");
    EXPECT_STREQ(L"fallback", root->GetString(L"number", L"fallback"));
    EXPECT_EQ(-1, root->GetInt(L"text", -1));
    EXPECT_FLOAT_EQ(0.5f, root->GetFloat(L"text", 0.5f));
}

TEST_F(ConfigElement, SettingReplacesInPlaceWithTheSettersType)
{
    root->SetInt(L"a", 1);
    root->SetInt(L"b", 2);
    root->SetString(L"a", L"now text");
    EXPECT_STREQ(L"now text", root->GetString(L"a"));
    EXPECT_EQ(9, root->GetInt(L"a", 9));
    root->SetFloat(L"b", 1.5f);
    EXPECT_FLOAT_EQ(1.5f, root->GetFloat(L"b"));
    EXPECT_EQ(1, root->GetInt(L"b"));
}

TEST_F(ConfigElement, ReturnedTextSurvivesLaterAdditions)
{
    root->SetString(L"font", L"Arial");
    CTSTR font = root->GetString(L"font");
    for (int i = 0; i < 100; ++i) {
        wchar_t name[16];
        swprintf(name, 16, L"key%d", i);
        root->SetInt(name, i);
    }
    EXPECT_STREQ(L"Arial", font);
}

TEST_F(ConfigElement, ChildrenKeepOrderAndKnowTheirParent)
{
    XElement *scenes = root->CreateElement(L"scenes");
    XElement *first = scenes->CreateElement(L"first");
    XElement *second = scenes->CreateElement(L"second");
    EXPECT_EQ(2u, scenes->NumElements());
    EXPECT_EQ(first, scenes->GetElementByID(0));
    EXPECT_EQ(second, scenes->GetElementByID(1));
    EXPECT_EQ(nullptr, scenes->GetElementByID(2));
    EXPECT_EQ(second, scenes->GetElement(L"second"));
    EXPECT_EQ(nullptr, scenes->GetElement(L"third"));
    EXPECT_STREQ(L"second", second->GetName());
    EXPECT_EQ(scenes, second->parent);
    EXPECT_EQ(root, second->GetParent()->GetParent());
    EXPECT_EQ(nullptr, root->GetParent());
}

TEST_F(ConfigElement, CreatingAnExistingChildReturnsIt)
{
    XElement *data = root->CreateElement(L"data");
    data->SetInt(L"kept", 1);
    EXPECT_EQ(data, root->CreateElement(L"data"));
    EXPECT_EQ(1u, root->NumElements());
    EXPECT_EQ(1, root->CreateElement(L"data")->GetInt(L"kept"));
}
