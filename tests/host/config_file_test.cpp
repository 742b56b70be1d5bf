#include "host/OBSApi.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <string>

namespace {

class ConfigFile : public ::testing::Test {
protected:
    TempFolder folder;
    std::wstring path = folder / L"scenes.json";
};

}  // namespace

TEST_F(ConfigFile, SavedTreeReloadsWithTypesOrderAndChineseText)
{
    {
        XConfig config;
        config.Create(path.c_str());
        XElement *data = config.GetRootElement()->CreateElement(L"sources")->CreateElement(L"data");
        data->SetString(L"text", L"\u611F\u8C22\u8001\u677F");
        data->SetFloat(L"baseSizeCX", 32.0f);
        data->SetInt(L"color", -16777216);
        data->SetFloat(L"outlineSize", 0.1f);
        data->SetInt(L"align", 2);
        ASSERT_TRUE(config.Save()) << config.LastError();
    }
    XConfig reloaded;
    ASSERT_TRUE(reloaded.Open(path.c_str())) << reloaded.LastError();
    XElement *data = reloaded.GetRootElement()->GetElement(L"sources")->GetElement(L"data");
    ASSERT_NE(nullptr, data);
    EXPECT_STREQ(L"\u611F\u8C22\u8001\u677F", data->GetString(L"text"));
    EXPECT_EQ(-16777216, data->GetInt(L"color"));
    EXPECT_FLOAT_EQ(0.1f, data->GetFloat(L"outlineSize"));
    EXPECT_EQ(2, data->GetInt(L"align"));

    std::string json = ReadFileBytes(folder / L"scenes.json");
    // A float that happens to be whole stays a float in the file ...
    EXPECT_NE(std::string::npos, json.find("\"baseSizeCX\": 32.0")) << json;
    EXPECT_NE(std::string::npos, json.find("\"outlineSize\": 0.1,")) << json;
    // ... and the members keep the order they were set in.
    EXPECT_LT(json.find("\"text\""), json.find("\"baseSizeCX\""));
    EXPECT_LT(json.find("\"baseSizeCX\""), json.find("\"color\""));
    EXPECT_LT(json.find("\"color\""), json.find("\"align\""));
}

TEST_F(ConfigFile, ReloadedWholeFloatCanBeSavedAgainAsFloat)
{
    WriteFileBytes(folder / L"scenes.json", "{\"data\": {\"baseSizeCX\": 32.0, \"cx\": 32}}");
    XConfig config;
    ASSERT_TRUE(config.Open(path.c_str())) << config.LastError();
    ASSERT_TRUE(config.Save()) << config.LastError();
    std::string json = ReadFileBytes(folder / L"scenes.json");
    EXPECT_NE(std::string::npos, json.find("\"baseSizeCX\": 32.0")) << json;
    EXPECT_NE(std::string::npos, json.find("\"cx\": 32\n")) << json;
}

TEST_F(ConfigFile, ReadsUnsignedColoursBooleansAndAByteOrderMark)
{
    WriteFileBytes(folder / L"scenes.json", "\xEF\xBB\xBF{\"color\": 4278190080, \"bold\": true, \"big\": 99999999999, \"far\": -1e300}");
    XConfig config;
    ASSERT_TRUE(config.Open(path.c_str())) << config.LastError();
    XElement *root = config.GetRootElement();
    EXPECT_EQ(int(0xFF000000u), root->GetInt(L"color"));
    EXPECT_EQ(1, root->GetInt(L"bold"));
    EXPECT_EQ(2147483647, root->GetInt(L"big"));
    EXPECT_EQ(-FLT_MAX, root->GetFloat(L"far"));
}

TEST_F(ConfigFile, MissingFileFailsWithMessage)
{
    XConfig config;
    EXPECT_FALSE(config.Open(path.c_str()));
    ASSERT_NE(nullptr, config.LastError());
    std::wstring error = config.LastError();
    EXPECT_NE(std::wstring::npos, error.find(L"scenes.json"));
    EXPECT_NE(std::wstring::npos, error.find(L"not found"));
    EXPECT_EQ(nullptr, config.GetRootElement());
}

TEST_F(ConfigFile, MalformedFilesFailWithOneLineMessage)
{
    std::string deep = "{";
    for (int i = 0; i < 5000; ++i)
        deep += "\"a\": {";
    deep += std::string(5001, '}');
    const std::string bad[] = {
        "{\"a\": 1,",             // cut short
        "{\"a\": [1, 2]}",        // arrays have no element form
        "{\"a\": {\"b\": null}}",  // nor has null
        "[1, 2]",                 // the top level must be an element
        "",
        "{\"a\": \"\xFF\"}",      // not UTF-8
        deep,                     // nested beyond any configuration
    };
    for (const std::string &text : bad) {
        WriteFileBytes(folder / L"scenes.json", text);
        XConfig config;
        EXPECT_FALSE(config.Open(path.c_str())) << text;
        ASSERT_NE(nullptr, config.LastError()) << text;
        std::wstring error = config.LastError();
        EXPECT_EQ(std::wstring::npos, error.find(L'\n')) << text;
        EXPECT_NE(std::wstring::npos, error.find(L"scenes.json")) << text;
    }
}

TEST_F(ConfigFile, SaveReplacesTheFileAndLeavesNoTemporary)
{
    WriteFileBytes(folder / L"scenes.json", "{\"old\": 1}");
    XConfig config;
    ASSERT_TRUE(config.Open(path.c_str()));
    config.GetRootElement()->SetInt(L"new", 2);
    ASSERT_TRUE(config.Save());
    XConfig reloaded;
    ASSERT_TRUE(reloaded.Open(path.c_str()));
    EXPECT_EQ(1, reloaded.GetRootElement()->GetInt(L"old"));
    EXPECT_EQ(2, reloaded.GetRootElement()->GetInt(L"new"));
    EXPECT_FALSE(FileExists(folder / L"scenes.json.saving"));
}

TEST_F(ConfigFile, SaveFailsWhenAValueAndAChildShareAName)
{
    XConfig config;
    config.Create(path.c_str());
    config.GetRootElement()->SetInt(L"twice", 1);
    config.GetRootElement()->CreateElement(L"twice");
    EXPECT_FALSE(config.Save());
    EXPECT_NE(std::wstring::npos, std::wstring(config.LastError()).find(L"twice"));
    EXPECT_FALSE(FileExists(folder / L"scenes.json"));
}
