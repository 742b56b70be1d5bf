#include "link/GuidText.h"
#include "link/PlatformSeams.h"
#include "support/SceneTree.h"
#include "support/StringText.h"

#include <gtest/gtest.h>

#include <string>

namespace {

int guidsMade = 0;

HRESULT WINAPI FixedGuid(GUID *guid)
{
    ++guidsMade;
    *guid = GUID{0x0A1B2C3D, 0x4E5F, 0x6071, {0x82, 0x93, 0xA4, 0xB5, 0xC6, 0xD7, 0xE8, 0xF9}};
    return S_OK;
}

constexpr const wchar_t *kFixedGuidText = L"{0A1B2C3D-4E5F-6071-8293-A4B5C6D7E8F9}";

class EnsureGuid : public ::testing::Test {
protected:
    PlatformSeamsOverride seams;
    SceneTree tree;

    void SetUp() override
    {
        guidsMade = 0;
        Platform().createGuid = &FixedGuid;
    }
};

} // namespace

TEST(GuidToString, FormatsHighBytesWithoutSignExtension)
{
    const GUID guid{0xFEDCBA98, 0xFFFF, 0x8001, {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}};
    EXPECT_EQ(Text(GuidToString(guid)), L"{FEDCBA98-FFFF-8001-FFFF-FFFFFFFFFFFF}");
}

TEST(GuidToString, FormatsZeroGuidInFullGroups)
{
    EXPECT_EQ(Text(GuidToString(GUID{})), L"{00000000-0000-0000-0000-000000000000}");
}

TEST_F(EnsureGuid, MissingSettingIsMadeAndStored)
{
    XElement *data = tree.NewDataElement();
    EXPECT_EQ(Text(EnsureGuidSetting(data, L"guid")), kFixedGuidText);
    EXPECT_STREQ(data->GetString(L"guid", L""), kFixedGuidText);
    EXPECT_EQ(guidsMade, 1);
}

TEST_F(EnsureGuid, EmptySettingIsReplaced)
{
    XElement *data = tree.NewDataElement();
    data->SetString(L"guid", L"");
    EXPECT_EQ(Text(EnsureGuidSetting(data, L"guid")), kFixedGuidText);
    EXPECT_STREQ(data->GetString(L"guid", L""), kFixedGuidText);
}

TEST_F(EnsureGuid, StoredValueIsKeptWhateverItsForm)
{
    XElement *data = tree.NewDataElement();
    data->SetString(L"guid", L"not a guid");
    EXPECT_EQ(Text(EnsureGuidSetting(data, L"guid")), L"not a guid");
    EXPECT_STREQ(data->GetString(L"guid", L""), L"not a guid");
    EXPECT_EQ(guidsMade, 0);
}

TEST_F(EnsureGuid, SourcesOfOneSceneShareTheSceneGuid)
{
    XElement *sources = tree.AddScene(L"Live");
    XElement *first = SceneTree::DataOf(tree.AddSource(sources, L"First"));
    XElement *second = SceneTree::DataOf(tree.AddSource(sources, L"Second"));
    ASSERT_EQ(SceneElementOf(first), SceneElementOf(second));

    const String made = EnsureGuidSetting(SceneElementOf(first), L"sceneGuid");
    Platform().createGuid = [](GUID *guid) -> HRESULT { *guid = GUID{}; return S_OK; };
    EXPECT_EQ(Text(EnsureGuidSetting(SceneElementOf(second), L"sceneGuid")), Text(made));
    EXPECT_EQ(guidsMade, 1);
}

TEST_F(EnsureGuid, NullElementGivesEmptyAndMakesNothing)
{
    EXPECT_TRUE(IsEmptyIdentifier(EnsureGuidSetting(nullptr, L"sceneGuid")));
    EXPECT_EQ(guidsMade, 0);
}

TEST(SceneElement, IsTheDataElementsGrandparentOrNull)
{
    SceneTree tree;
    XElement *sources = tree.AddScene(L"Live");
    EXPECT_EQ(SceneElementOf(SceneTree::DataOf(tree.AddSource(sources, L"Thanks"))), sources);
    EXPECT_EQ(SceneElementOf(tree.Root()->CreateElement(L"data")), nullptr);
    EXPECT_EQ(SceneElementOf(tree.Root()), nullptr);
    EXPECT_EQ(SceneElementOf(nullptr), nullptr);
}
