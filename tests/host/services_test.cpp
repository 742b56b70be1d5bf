#include "host/OBSApi.h"
#include "hostlib/HostControl.h"

#include <gtest/gtest.h>

TEST(Scmpi, IgnoresCaseAndTreatsNullAsEmpty)
{
    EXPECT_EQ(0, scmpi(L"scrollSpeed", L"SCROLLSPEED"));
    EXPECT_EQ(0, scmpi(L"\u00C4rger", L"\u00E4RGER"));
    EXPECT_NE(0, scmpi(L"font", L"fontSize"));
    EXPECT_LT(scmpi(L"a", L"B"), 0);
    EXPECT_GT(scmpi(L"b", L"A"), 0);
    EXPECT_EQ(0, scmpi(nullptr, nullptr));
    EXPECT_EQ(0, scmpi(nullptr, L""));
    EXPECT_NE(0, scmpi(nullptr, L"a"));
}

TEST(ScpyN, CopiesAtMostMaxCharsAndTerminates)
{
    wchar_t face[32];
    wmemset(face, L'#', 32);
    EXPECT_EQ(face, scpy_n(face, L"A face name longer than thirty-one characters", 31));
    EXPECT_EQ(31u, wcslen(face));
    EXPECT_STREQ(L"A face name longer than thirty-", face);

    scpy_n(face, L"Arial", 31);
    EXPECT_STREQ(L"Arial", face);
    scpy_n(face, nullptr, 31);
    EXPECT_STREQ(L"", face);
    scpy_n(face, L"abc", 0);
    EXPECT_STREQ(L"", face);
    EXPECT_EQ(nullptr, scpy_n(nullptr, L"abc", 3));
}

TEST(Locale, KnowsTheFontMessageAndEchoesUnknownKeys)
{
    EXPECT_STREQ(L"The font '$1' could not be found.", locale->LookupString(L"Sources.TextSource.FontNotFound"));
    EXPECT_STREQ(L"No.Such.Key", locale->LookupString(L"No.Such.Key"));
    EXPECT_STREQ(L"", locale->LookupString(nullptr));
}

namespace {
ImageSource *CreateNothing(XElement *) { return nullptr; }
bool ConfigureNothing(XElement *, bool) { return true; }
}  // namespace

TEST(ApiObject, RegistersSourceClassesByName)
{
    HostClearRegisteredClasses();
    API->RegisterImageSourceClass(L"TextOutputSource", L"Plauditor", CreateNothing, ConfigureNothing);
    API->RegisterImageSourceClass(L"Other", L"Other source", nullptr, nullptr);
    ASSERT_EQ(2u, HostRegisteredClassCount());
    const HostSourceClass *text = HostFindClass(L"TextOutputSource");
    ASSERT_NE(nullptr, text);
    EXPECT_STREQ(L"Plauditor", text->displayName);
    EXPECT_EQ(&CreateNothing, text->create);
    EXPECT_EQ(&ConfigureNothing, text->configure);
    EXPECT_STREQ(L"Other", HostRegisteredClass(1)->className);
    EXPECT_EQ(nullptr, HostRegisteredClass(2));
    EXPECT_EQ(nullptr, HostFindClass(L"Missing"));

    API->RegisterImageSourceClass(L"Other", L"Replaced", nullptr, nullptr);
    EXPECT_EQ(2u, HostRegisteredClassCount());
    EXPECT_STREQ(L"Replaced", HostFindClass(L"Other")->displayName);
    HostClearRegisteredClasses();
}
