#include "plugin/PluginEntry.h"
#include "plugin/PluginTexts.h"
#include "source/TextOutputSource.h"
#include "support/LogCapture.h"
#include "support/SceneTree.h"

#include <gtest/gtest.h>

namespace {

TEST(EntryPoints, NamesAreTheFixedTextsAndStable)
{
    EXPECT_STREQ(GetPluginName(), L"Hollin答谢水友插件(Vanto)");
    EXPECT_EQ(GetPluginName(), GetPluginName());
    EXPECT_STREQ(GetPluginDescription(),
                 L"Hollin答谢水友插件收到礼物后，在直播画面中显示答谢文字。");
    EXPECT_EQ(GetPluginDescription(), GetPluginDescription());
}

TEST(EntryPoints, LoadPluginRegistersOneClassWithBothCallbacks)
{
    HostClearRegisteredClasses();
    EXPECT_TRUE(LoadPlugin());
    ASSERT_EQ(HostRegisteredClassCount(), 1u);
    const HostSourceClass *registered = HostRegisteredClass(0);
    EXPECT_STREQ(registered->className, GetPluginName());
    EXPECT_STREQ(registered->displayName, L"HollinVanto感谢插件");
    EXPECT_EQ(registered->create, &CreateTextSource);
    EXPECT_EQ(registered->configure, &ConfigureTextSource);
    EXPECT_EQ(HostColorControlInstance(), PluginModuleInstance());
    UnloadPlugin();
    HostClearRegisteredClasses();
}

TEST(EntryPoints, AttachRecordsTheInstanceOnlyOnProcessAttach)
{
    const HINSTANCE original = PluginModuleInstance();
    const auto first = reinterpret_cast<HINSTANCE>(0x10000);
    EXPECT_TRUE(OnLibraryAttach(first, DLL_PROCESS_ATTACH));
    EXPECT_TRUE(OnLibraryAttach(reinterpret_cast<HINSTANCE>(0x20000), DLL_THREAD_ATTACH));
    EXPECT_TRUE(OnLibraryAttach(reinterpret_cast<HINSTANCE>(0x30000), DLL_PROCESS_DETACH));
    EXPECT_EQ(PluginModuleInstance(), first);
    OnLibraryAttach(original, DLL_PROCESS_ATTACH);
}

TEST(CreateTextSource, NullElementGivesNullWithoutAllocating)
{
    const size_t before = HostTotalAllocations();
    EXPECT_EQ(CreateTextSource(nullptr), nullptr);
    EXPECT_EQ(HostTotalAllocations(), before);
}

TEST(CreateTextSource, FailedAllocationGivesNull)
{
    SceneTree tree;
    XElement *data = tree.NewDataElement();
    const size_t before = HostLiveBlocks();
    HostFailNextAllocations(1);
    EXPECT_EQ(CreateTextSource(data), nullptr);
    HostFailNextAllocations(0);
    EXPECT_EQ(HostLiveBlocks(), before);
}

TEST(CreateTextSource, CreatingAndDestroyingLeavesNothingBehind)
{
    SceneTree tree;
    XElement *data = tree.NewDataElement();
    data->SetString(L"font", L"WenQuanYi Zen Hei");
    data->SetString(L"file", L"thanks.txt");
    LogCapture log;
    const size_t before = HostLiveBlocks();
    for (int i = 0; i < 20; ++i) {
        ImageSource *source = CreateTextSource(data);
        ASSERT_NE(source, nullptr);
        source->SetString(L"text", L"感谢 Alice");
        delete source;
    }
    EXPECT_EQ(HostLiveBlocks(), before);
    EXPECT_EQ(log.Infos().back(), L"Using text output");
}

} // namespace
