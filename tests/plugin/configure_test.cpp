#include "plugin/MeasureBaseSize.h"
#include "plugin/PluginEntry.h"
#include "link/CompanionLauncher.h"
#include "link/PlatformSeams.h"
#include "support/HandleProbe.h"
#include "support/LogCapture.h"
#include "support/SceneTree.h"

#include <gtest/gtest.h>
#include <string>

namespace {

struct FakeStarts {
    static inline int count = 0;
    static inline std::string parameters;
    static inline DWORD tick = 100000;
    static inline unsigned guidCounter = 0;

    static HINSTANCE WINAPI ShellExecute(HWND, LPCSTR, LPCSTR, LPCSTR params, LPCSTR, INT)
    {
        ++count;
        parameters = params ? params : "";
        return reinterpret_cast<HINSTANCE>(static_cast<UINT_PTR>(42));
    }
    static DWORD WINAPI Tick() { return tick += 5000; }  // every call passes the throttle
    static HRESULT WINAPI NextGuid(GUID *guid)
    {
        *guid = GUID{0xC0FFEE00u + ++guidCounter, 0x1234, 0x5678, {1, 2, 3, 4, 5, 6, 7, 8}};
        return S_OK;
    }
};

Gdiplus::GpStatus WINAPI NoFont(HDC, GDIPCONST LOGFONTW *, Gdiplus::GpFont **font)
{
    *font = nullptr;
    return Gdiplus::FontFamilyNotFound;
}

// The measuring font's description, as last asked for; the font is then made as usual.
LOGFONTW measuredWith{};
Gdiplus::GpStatus WINAPI RecordingFont(HDC dc, GDIPCONST LOGFONTW *font, Gdiplus::GpFont **made)
{
    measuredWith = *font;
    return gdip::GdipCreateFontFromLogfontW(dc, font, made);
}

class Configure : public ::testing::Test {
protected:
    PlatformSeamsOverride restoreSeams;
    LogCapture log;
    SceneTree tree;
    XElement *sources = tree.AddScene(L"Live");
    XElement *source = sources->CreateElement(L"Thanks");

    void SetUp() override
    {
        Platform().shellExecute = &FakeStarts::ShellExecute;
        Platform().tickCount = &FakeStarts::Tick;
        Platform().createGuid = &FakeStarts::NextGuid;
        FakeStarts::count = 0;
        ResetCompanionLaunchThrottle();
    }
};

TEST_F(Configure, NullElementIsRefusedWithAWarning)
{
    EXPECT_FALSE(ConfigureTextSource(nullptr, true));
    ASSERT_EQ(log.Warnings().size(), 1u);
    EXPECT_EQ(log.Warnings()[0], L"ConfigureTextSource: NULL element");
    EXPECT_EQ(FakeStarts::count, 0);
}

TEST_F(Configure, NewSourceGainsDataIdentifiersSizeAndAStartedCompanion)
{
    EXPECT_TRUE(ConfigureTextSource(source, true));
    XElement *data = source->GetElement(L"data");
    ASSERT_NE(data, nullptr);
    const std::wstring guid = data->GetString(L"guid", L"");
    const std::wstring sceneGuid = sources->GetString(L"sceneGuid", L"");
    EXPECT_EQ(guid.size(), 38u);
    EXPECT_EQ(sceneGuid.size(), 38u);
    EXPECT_NE(guid, sceneGuid);
    // "123456" in Arial 48, as this GDI+ measures it; the height is the font size.
    EXPECT_EQ(source->GetFloat(L"cx"), 144.0f);
    EXPECT_EQ(source->GetFloat(L"cy"), 48.0f);
    EXPECT_EQ(source->GetFloat(L"cx"), data->GetFloat(L"baseSizeCX"));
    EXPECT_EQ(source->GetFloat(L"cy"), data->GetFloat(L"baseSizeCY"));
    ASSERT_EQ(FakeStarts::count, 1);
    const std::string expected = " " + std::string(sceneGuid.begin(), sceneGuid.end()) + " " +
                                 std::string(guid.begin(), guid.end()) + " 11 ";
    EXPECT_NE(FakeStarts::parameters.find(expected), std::string::npos) << FakeStarts::parameters;
}

TEST_F(Configure, StoredIdentifiersAreKept)
{
    XElement *data = source->CreateElement(L"data");
    data->SetString(L"guid", L"my-source");
    sources->SetString(L"sceneGuid", L"my-scene");
    EXPECT_TRUE(ConfigureTextSource(source, false));
    EXPECT_STREQ(data->GetString(L"guid"), L"my-source");
    EXPECT_STREQ(sources->GetString(L"sceneGuid"), L"my-scene");
    EXPECT_EQ(FakeStarts::parameters.substr(FakeStarts::parameters.size() - 23),
              " my-scene my-source 11 ");
}

TEST_F(Configure, BaseSizeIsMeasuredInTheSourcesFont)
{
    auto &factory = MeasuringFontFactory();
    const auto realFactory = factory;
    factory = &RecordingFont;
    XElement *data = source->CreateElement(L"data");
    ConfigureTextSource(source, false);
    EXPECT_STREQ(measuredWith.lfFaceName, L"Arial");
    EXPECT_EQ(measuredWith.lfHeight, 48);
    EXPECT_EQ(measuredWith.lfWeight, FW_DONTCARE);
    EXPECT_EQ(measuredWith.lfItalic, 0);

    data->SetString(L"font", L"Liberation Serif");
    data->SetInt(L"fontSize", 30);
    data->SetInt(L"bold", 1);
    data->SetInt(L"italic", 1);
    ConfigureTextSource(source, false);
    factory = realFactory;
    EXPECT_STREQ(measuredWith.lfFaceName, L"Liberation Serif");
    EXPECT_EQ(measuredWith.lfHeight, 30);
    EXPECT_EQ(measuredWith.lfWeight, FW_BOLD);
    EXPECT_EQ(measuredWith.lfItalic, 1);
}

TEST_F(Configure, RepeatedConfiguringLeavesNoHandleOrMemoryBehind)
{
    ConfigureTextSource(source, false);
    const size_t blocks = HostLiveBlocks();
    const HandleProbe handles = ProbeHandles();
    for (int i = 0; i < 20; ++i)
        ConfigureTextSource(source, false);
    EXPECT_EQ(ProbeHandles(), handles);
    EXPECT_EQ(HostLiveBlocks(), blocks);
}

TEST_F(Configure, TinyFontGivesThe32Floor)
{
    XElement *data = source->CreateElement(L"data");
    data->SetInt(L"fontSize", 4);
    EXPECT_TRUE(ConfigureTextSource(source, false));
    EXPECT_EQ(data->GetFloat(L"baseSizeCX"), 32.0f);
    EXPECT_EQ(data->GetFloat(L"baseSizeCY"), 32.0f);
    EXPECT_EQ(source->GetFloat(L"cx"), 32.0f);
    EXPECT_EQ(source->GetFloat(L"cy"), 32.0f);
}

TEST_F(Configure, MissingFontTellsTheUserWritesNothingAndStillLaunches)
{
    auto &factory = MeasuringFontFactory();
    const auto realFactory = factory;
    factory = &NoFont;
    XElement *data = source->CreateElement(L"data");
    data->SetString(L"font", L"No Such Face");
    data->SetFloat(L"baseSizeCX", 123.0f);
    const unsigned boxesBefore = HostMessageBoxCount();

    EXPECT_TRUE(ConfigureTextSource(source, false));
    factory = realFactory;

    EXPECT_EQ(HostMessageBoxCount(), boxesBefore + 1);
    EXPECT_EQ(HostLastMessageBoxFlags(), 0u);
    EXPECT_NE(std::wstring(HostLastMessageBoxText()).find(L"No Such Face"), std::wstring::npos);
    EXPECT_EQ(std::wstring(HostLastMessageBoxText()).find(L"$1"), std::wstring::npos);
    EXPECT_EQ(data->GetFloat(L"baseSizeCX"), 123.0f);
    EXPECT_FALSE(data->HasItem(L"baseSizeCY"));
    EXPECT_EQ(source->GetFloat(L"cx"), 123.0f);
    EXPECT_EQ(source->GetFloat(L"cy"), 32.0f);
    EXPECT_EQ(FakeStarts::count, 1);
}

TEST_F(Configure, EmptyFontNameIsShownEmptyInTheMessage)
{
    auto &factory = MeasuringFontFactory();
    const auto realFactory = factory;
    factory = &NoFont;
    source->CreateElement(L"data")->SetString(L"font", L"");
    ConfigureTextSource(source, false);
    factory = realFactory;
    EXPECT_NE(std::wstring(HostLastMessageBoxText()).find(L"''"), std::wstring::npos)
        << HostLastMessageBoxText();
}

TEST(BaseSizeFont, DescriptionFollowsTheSettings)
{
    const LOGFONTW plain = BaseSizeLogFont(L"SimSun", 48, false, false);
    EXPECT_EQ(plain.lfHeight, 48);
    EXPECT_EQ(plain.lfWeight, FW_DONTCARE);
    EXPECT_EQ(plain.lfItalic, 0);
    EXPECT_EQ(plain.lfQuality, ANTIALIASED_QUALITY);
    EXPECT_EQ(plain.lfCharSet, ANSI_CHARSET);
    EXPECT_STREQ(plain.lfFaceName, L"SimSun");

    const LOGFONTW styled = BaseSizeLogFont(L"", 20, true, true);
    EXPECT_EQ(styled.lfWeight, FW_BOLD);
    EXPECT_EQ(styled.lfItalic, 1);
    EXPECT_STREQ(styled.lfFaceName, L"Arial");

    const std::wstring longName(40, L'N');
    const LOGFONTW truncated = BaseSizeLogFont(longName.c_str(), 20, false, false);
    EXPECT_EQ(std::wstring(truncated.lfFaceName), longName.substr(0, 31));
}

TEST(BaseSizeFont, FontSizeIsTheLeastHeightAnd32TheLeastSide)
{
    EXPECT_EQ(BaseSizeFromMeasurement(150.0f, 40.0f, 72).height, 72.0f);
    EXPECT_EQ(BaseSizeFromMeasurement(150.0f, 80.0f, 72).height, 80.0f);
    EXPECT_EQ(BaseSizeFromMeasurement(10.0f, 20.0f, 12).width, 32.0f);
    EXPECT_EQ(BaseSizeFromMeasurement(10.0f, 20.0f, 12).height, 32.0f);
}

} // namespace
