// Plauditor.exe as the plug-in runs it: started with a host process id and a scene id, it
// must fill that scene's two blocks, follow its events, stay alone per scene and end with
// its host.
#include "PlauditorRun.h"
#include "support/ChildProcess.h"
#include "support/LoopbackHttp.h"
#include "support/TempFolder.h"

#include "companion/plauditor/FileAccess.h"
#include "link/blocks/StyleBlock.h"
#include "link/blocks/TextBlock.h"
#include "win/File.h"

#include <winsock2.h>
#include <windows.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace {

constexpr DWORD kPatience = 5000;

std::string SettingsJson(int fontSize, int port = 0)
{
    return R"({"recentLines": 2, "listenPort": )" + std::to_string(port) +
           R"(, "style": {"font": "WenQuanYi Zen Hei", "fontSize": )" + std::to_string(fontSize) +
           R"(, "color": "#FF00FF00", "useOutline": true, "align": 1}})";
}

std::string ReadText(const std::wstring &path) { return win::ReadWholeFile(path, 1 << 20).value_or(""); }

} // namespace

TEST(PlauditorProcess, PublishesStyleAndThankYouLinesAndStaysAlonePerScene)
{
    TempFolder folder;
    const std::wstring scene = UniqueScene();
    ASSERT_TRUE(WriteFileBytes(folder / L"settings.json", SettingsJson(36)));
    ASSERT_TRUE(WriteFileBytes(folder / L"events.jsonl", R"({"user": "before start", "gift": "x"})" "\n"));
    const std::wstring options = L"--settings " + win::QuotedArgument(folder / L"settings.json") +
                                 L" --events " + win::QuotedArgument(folder / L"events.jsonl") + L" --log " +
                                 win::QuotedArgument(folder / L"p.log");
    ChildProcess plauditor(PlauditorPath(), Arguments(GetCurrentProcessId(), scene, options));
    ASSERT_TRUE(plauditor.Started());

    ASSERT_TRUE(WaitUntil(kPatience, [&] { return Style(scene).has_value(); }));
    const StyleBlock style = *Style(scene);
    EXPECT_EQ(style.font, u"WenQuanYi Zen Hei");
    const std::array<std::int32_t, kStyleNumberCount> expected = {36, static_cast<std::int32_t>(0xFF00FF00u), 100, 0,
                                   static_cast<std::int32_t>(0xFF000000u), 0, 0, 0, 0, 0, 0, 1,
                                   static_cast<std::int32_t>(0xFF000000u), 2, 100, 0, 0, 0, 0, 0, 1};
    EXPECT_EQ(style.numbers, expected);

    ASSERT_TRUE(AppendFileBytes(folder / L"events.jsonl",
                                "{\"user\": \"小明\", \"gift\": \"火箭\", \"count\": 2}\nnot json\n{\"user\": \"Al"));
    ASSERT_TRUE(WaitUntil(kPatience, [&] { return Text(scene).has_value(); }));
    const TextBlock first = *Text(scene);
    EXPECT_EQ(ShownLines(first), std::vector<std::u16string>{u"感谢 小明 送出的 2 个 火箭"});

    ASSERT_TRUE(AppendFileBytes(folder / L"events.jsonl",
                                "ice\", \"gift\": \"鲜花\", \"count\": 5}\n{\"user\": \"Bob|\", \"gift\": \"小心心\"}\n"));
    const std::vector<std::u16string> newestTwo = {u"感谢 Alice 送出的 5 个 鲜花", u"感谢 Bob\uFF5C 送出的 1 个 小心心"};
    ASSERT_TRUE(WaitUntil(kPatience, [&] { const auto t = Text(scene); return t && ShownLines(*t) == newestTwo; }));
    EXPECT_NE(Text(scene)->sequence, first.sequence);

    ASSERT_TRUE(WriteFileBytes(folder / L"settings.json", SettingsJson(20)));
    ASSERT_TRUE(WaitUntil(kPatience, [&] { const auto s = Style(scene); return s && s->numbers[0] == 20; }));
    EXPECT_NE(Style(scene)->sequence, style.sequence);

    // A second start for the scene waits (see the next test) and the first stays in charge.
    ChildProcess second(PlauditorPath(), Arguments(GetCurrentProcessId(), scene, options));
    EXPECT_EQ(second.Wait(1000), -1);
    EXPECT_TRUE(plauditor.Running());
    EXPECT_EQ(ShownLines(*Text(scene)), newestTwo);
    second.Kill();

    const std::string log = ReadText(folder / L"p.log");
    EXPECT_NE(log.find("start: host"), std::string::npos);
    EXPECT_NE(log.find("published text"), std::string::npos);
    EXPECT_NE(log.find("skipped an events line"), std::string::npos);
}

TEST(PlauditorProcess, EndsWhenItsHostProcessEnds)
{
    TempFolder folder;
    const std::wstring scene = UniqueScene();
    // A host that does nothing until it is ended: this test program, suspended.
    wchar_t self[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    ChildProcess host(self, L"--gtest_list_tests", L"", CREATE_SUSPENDED);
    ASSERT_TRUE(host.Started());

    ChildProcess plauditor(PlauditorPath(), Arguments(host.Id(), scene, L"--log " + win::QuotedArgument(folder / L"p.log")));
    ASSERT_TRUE(WaitUntil(kPatience, [&] { return Style(scene).has_value(); }));
    EXPECT_TRUE(plauditor.Running());
    host.Kill();
    EXPECT_EQ(plauditor.Wait(kPatience), 0);
}

TEST(PlauditorProcess, RefusesALineThePlugInWouldNotWrite)
{
    TempFolder folder;
    ChildProcess plauditor(PlauditorPath(), L"1 0 {S} {X} 11 --log " + win::QuotedArgument(folder / L"p.log"));
    EXPECT_EQ(plauditor.Wait(kPatience), 2);
    EXPECT_NE(ReadText(folder / L"p.log").find("bad command line"), std::string::npos);
}

TEST(PlauditorProcess, TakesEventsFromItsLocalPort)
{
    const win::WinsockSession winsock;
    ASSERT_TRUE(winsock.Started());
    const int port = FreeLoopbackPort();
    ASSERT_NE(port, 0);

    TempFolder folder;
    const std::wstring scene = UniqueScene();
    ASSERT_TRUE(WriteFileBytes(folder / L"settings.json", SettingsJson(30, port)));
    const std::wstring options = L"--settings " + win::QuotedArgument(folder / L"settings.json") + L" --events " +
                                 win::QuotedArgument(folder / L"unused.jsonl") + L" --log " + win::QuotedArgument(folder / L"p.log");
    ChildProcess plauditor(PlauditorPath(), Arguments(GetCurrentProcessId(), scene, options));
    ASSERT_TRUE(WaitUntil(kPatience, [&] { return Style(scene).has_value(); }));
    bool sent = false;
    // The port opens right after the style block is written; allow for that moment.
    WaitUntil(kPatience, [&] {
        const win::SocketHandle s = ConnectLoopback(static_cast<std::uint16_t>(port));
        if (s) {
            // The last line has no newline: closing the connection ends it.
            const char line[] = "{\"user\": \"Tcp\", \"gift\": \"火箭\", \"count\": 1}\n{\"user\": \"Last\"}";
            sent = send(s.get(), line, sizeof line - 1, 0) == static_cast<int>(sizeof line - 1);
        }
        return sent;
    });
    ASSERT_TRUE(sent);
    const std::vector<std::u16string> expected = {u"感谢 Tcp 送出的 1 个 火箭", u"感谢 Last 送出的 1 个 礼物"};
    EXPECT_TRUE(WaitUntil(kPatience, [&] { const auto t = Text(scene); return t && ShownLines(*t) == expected; }));
}

namespace {

// A host that does nothing until it is ended: this test program, suspended.
struct IdleHost : ChildProcess {
    IdleHost() : ChildProcess(SelfPath(), L"--gtest_list_tests", L"", CREATE_SUSPENDED) {}
    static std::wstring SelfPath()
    {
        wchar_t self[MAX_PATH];
        GetModuleFileNameW(nullptr, self, MAX_PATH);
        return self;
    }
};

std::wstring FileOptions(const TempFolder &folder, const std::wstring &name)
{
    WriteFileBytes(folder / (name + L".jsonl"), "");
    return L"--events " + win::QuotedArgument(folder / (name + L".jsonl")) + L" --log " + win::QuotedArgument(folder / (name + L".log")) +
           L" --settings " + win::QuotedArgument(folder / L"settings.json");
}

} // namespace

// Two hosts show the same scene: the second host's companion waits while the first serves it
// and takes over when the first ends, for as long as its own host runs.
TEST(PlauditorProcess, ASecondHostsCompanionTakesTheSceneOverWhenTheFirstEnds)
{
    TempFolder folder;
    const std::wstring scene = UniqueScene();
    ASSERT_TRUE(WriteFileBytes(folder / L"settings.json", SettingsJson(36)));
    IdleHost firstHost, secondHost, thirdHost;
    ChildProcess first(PlauditorPath(), Arguments(firstHost.Id(), scene, FileOptions(folder, L"a")));
    ASSERT_TRUE(WaitUntil(kPatience, [&] { return Style(scene).has_value(); }));
    ChildProcess second(PlauditorPath(), Arguments(secondHost.Id(), scene, FileOptions(folder, L"b")));
    ChildProcess third(PlauditorPath(), Arguments(thirdHost.Id(), scene, FileOptions(folder, L"c")));
    ASSERT_TRUE(WaitUntil(kPatience, [&] {
        return ReadText(folder / L"b.log").find("waiting to take over") != std::string::npos &&
               ReadText(folder / L"c.log").find("waiting to take over") != std::string::npos;
    }));
    // A waiting companion still ends with its host.
    thirdHost.Kill();
    EXPECT_EQ(third.Wait(kPatience), 0);

    firstHost.Kill();
    EXPECT_EQ(first.Wait(kPatience), 0);
    ASSERT_TRUE(WaitUntil(kPatience, [&] {
        const std::string log = ReadText(folder / L"b.log");
        return log.find("serving this scene") != std::string::npos &&
               log.find("following events file") != std::string::npos;
    }));
    ASSERT_TRUE(AppendFileBytes(folder / L"b.jsonl", "{\"user\": \"second\", \"gift\": \"g\"}\n"));
    EXPECT_TRUE(WaitUntil(kPatience, [&] {
        const auto text = Text(scene);
        return text && ShownLines(*text) == std::vector<std::u16string>{u"感谢 second 送出的 1 个 g"};
    }));
    EXPECT_TRUE(second.Running());
    secondHost.Kill();
    EXPECT_EQ(second.Wait(kPatience), 0);
}

// Faults in the files it reads leave the scene served: settings nested too deep or too large
// keep the settings in force, and an events file that is its own log is refused, which
// otherwise feeds every skipped line back as a new one.
TEST(PlauditorProcess, BadSettingsKeepTheSettingsAndItsOwnLogIsNoEventsFile)
{
    TempFolder folder;
    const std::wstring scene = UniqueScene();
    ASSERT_TRUE(WriteFileBytes(folder / L"settings.json", SettingsJson(36)));
    ChildProcess plauditor(PlauditorPath(), Arguments(GetCurrentProcessId(), scene, FileOptions(folder, L"p")));
    ASSERT_TRUE(WaitUntil(kPatience, [&] { return Style(scene).has_value(); }));
    const std::int32_t styleSequence = Style(scene)->sequence;

    ASSERT_TRUE(WriteFileBytes(folder / L"settings.json",
                               R"({"style": {"fontSize": )" + std::string(10000, '[') + std::string(10000, ']') + "}}"));
    EXPECT_TRUE(WaitUntil(kPatience, [&] {
        return ReadText(folder / L"p.log").find("error: settings refused: nested deeper than 64 levels; keeping the settings") !=
               std::string::npos;
    }));
    ASSERT_TRUE(WriteFileBytes(folder / L"settings.json", SettingsJson(20) + std::string(300 * 1024, ' ')));
    EXPECT_TRUE(WaitUntil(kPatience, [&] {
        return ReadText(folder / L"p.log").find("error: settings file is over 256 KiB; keeping the settings") !=
               std::string::npos;
    }));
    ASSERT_TRUE(AppendFileBytes(folder / L"p.jsonl", "{\"user\": \"still\", \"gift\": \"g\"}\n"));
    EXPECT_TRUE(WaitUntil(kPatience, [&] { return Text(scene).has_value(); }));
    EXPECT_EQ(ShownLines(*Text(scene)), std::vector<std::u16string>{u"感谢 still 送出的 1 个 g"});
    EXPECT_EQ(Style(scene)->sequence, styleSequence);
    EXPECT_TRUE(plauditor.Running());

    const std::wstring other = UniqueScene();
    ChildProcess follower(PlauditorPath(), Arguments(GetCurrentProcessId(), other,
                                                     L"--events " + win::QuotedArgument(folder / L".\\SELF.LOG") + L" --log " +
                                                         win::QuotedArgument(folder / L"self.log")));
    ASSERT_TRUE(WaitUntil(kPatience, [&] { return Style(other).has_value(); }));
    Sleep(1500);
    const std::string log = ReadText(folder / L"self.log");
    EXPECT_NE(log.find("is this program's log; not following it"), std::string::npos);
    EXPECT_LT(log.size(), 2000u);
}
