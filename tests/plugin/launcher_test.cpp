#include "link/CompanionLauncher.h"
#include "link/PlatformSeams.h"
#include "support/LogCapture.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

// A clock and a process starter under the test's control.
struct FakeSystem {
    static inline DWORD tick = 0;
    static inline DWORD error = 0;
    static inline UINT_PTR startResult = 42;
    struct Start {
        std::string verb, file, parameters;
        bool hasDirectory;
        int show;
    };
    static inline std::vector<Start> starts;

    static DWORD WINAPI Tick() { return tick; }
    static DWORD WINAPI ProcessId() { return 1234; }
    static DWORD WINAPI LastError() { return error; }
    static HINSTANCE WINAPI ShellExecute(HWND, LPCSTR verb, LPCSTR file, LPCSTR parameters,
                                         LPCSTR directory, INT show)
    {
        starts.push_back({verb ? verb : "", file ? file : "", parameters ? parameters : "",
                          directory != nullptr, show});
        return reinterpret_cast<HINSTANCE>(startResult);
    }
};

class Launcher : public ::testing::Test {
protected:
    PlatformSeamsOverride restore;
    LogCapture log;
    const String scene{L"{11111111-2222-3333-4444-555555555555}"};
    const String source{L"{AAAAAAAA-BBBB-CCCC-DDDD-EEEEEEEEEEEE}"};

    void SetUp() override
    {
        Platform().tickCount = &FakeSystem::Tick;
        Platform().currentProcessId = &FakeSystem::ProcessId;
        Platform().lastError = &FakeSystem::LastError;
        Platform().shellExecute = &FakeSystem::ShellExecute;
        FakeSystem::starts.clear();
        FakeSystem::startResult = 42;
        FakeSystem::error = 0;
        ResetCompanionLaunchThrottle();
    }

    size_t LaunchAt(DWORD tick)
    {
        FakeSystem::tick = tick;
        LaunchCompanion(source, scene);
        return FakeSystem::starts.size();
    }
};

TEST_F(Launcher, StartsThePlauditorWithSceneThenSourceAndATrailingSpace)
{
    FakeSystem::tick = 5000;
    EXPECT_EQ(LaunchCompanion(source, scene), 0u);
    ASSERT_EQ(FakeSystem::starts.size(), 1u);
    const auto &start = FakeSystem::starts[0];
    EXPECT_EQ(start.verb, "open");
    EXPECT_EQ(start.file, "plugins\\VantoPlauditor\\Plauditor.exe");
    EXPECT_EQ(start.parameters, "1 1234 {11111111-2222-3333-4444-555555555555} "
                                "{AAAAAAAA-BBBB-CCCC-DDDD-EEEEEEEEEEEE} 11 ");
    EXPECT_FALSE(start.hasDirectory);
    EXPECT_EQ(start.show, SW_SHOW);
    EXPECT_EQ(log.Infos().back(), L"Successed!");
}

TEST_F(Launcher, AtMostOneStartInAnyThousandMilliseconds)
{
    EXPECT_EQ(LaunchAt(5000), 1u);
    EXPECT_EQ(LaunchAt(5999), 1u);
    EXPECT_EQ(LaunchAt(6000), 1u);  // exactly 1000 ms: still held off
    EXPECT_EQ(LaunchAt(6001), 2u);
}

TEST_F(Launcher, ElapsedTimeSurvivesTheTickWrap)
{
    EXPECT_EQ(LaunchAt(0xFFFFFF00u), 1u);
    EXPECT_EQ(LaunchAt(0x00000100u), 1u);  // 512 ms later
    EXPECT_EQ(LaunchAt(0x000002E9u), 2u);  // 1001 ms after the first
}

TEST_F(Launcher, FirstStartDoesNotDependOnTheTickValue)
{
    EXPECT_EQ(LaunchAt(0x80000005u), 1u);  // past 2^31
    ResetCompanionLaunchThrottle();
    EXPECT_EQ(LaunchAt(300), 2u);          // a system up for less than a second
}

TEST_F(Launcher, FailedStartLogsTwoLinesAndStillHoldsOffTheNext)
{
    FakeSystem::startResult = 2;  // file not found
    FakeSystem::error = 2;
    FakeSystem::tick = 9000;
    EXPECT_EQ(LaunchCompanion(source, scene), 2u);
    const auto infos = log.Infos();
    ASSERT_GE(infos.size(), 2u);
    EXPECT_EQ(infos[infos.size() - 2], L"return value:2");  // the host trims the line end
    EXPECT_EQ(infos.back(), L"GetLastError: 2");
    EXPECT_EQ(LaunchAt(9500), 1u);
}

// The shell's result is a failure up to 32.
TEST_F(Launcher, ResultsUpTo32AreFailures)
{
    FakeSystem::error = 5;
    FakeSystem::startResult = 32;
    EXPECT_EQ(LaunchAt(30000), 1u);
    EXPECT_EQ(log.Infos().back(), L"GetLastError: 5");
    FakeSystem::startResult = 33;
    EXPECT_EQ(LaunchAt(40000), 2u);
    EXPECT_EQ(log.Infos().back(), L"Successed!");
}

TEST_F(Launcher, IdentifiersTooLongForTheCommandLineStartNothing)
{
    std::wstring huge(3000, L'X');
    FakeSystem::tick = 7000;
    EXPECT_EQ(LaunchCompanion(source, String(huge.c_str())), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
    EXPECT_TRUE(FakeSystem::starts.empty());
    EXPECT_EQ(log.Infos(), std::vector<std::wstring>{
                               L"LaunchCompanion: identifiers too long for the command line; companion not started"});
}

TEST_F(Launcher, ReleasesEverythingItAllocates)
{
    const size_t before = HostLiveBlocks();
    LaunchAt(20000);
    LaunchAt(20001);
    EXPECT_EQ(HostLiveBlocks(), before);
}

} // namespace
