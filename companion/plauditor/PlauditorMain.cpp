// Plauditor: the companion program the plug-in starts once per scene. It turns gift events
// (JSON lines from a followed file and, optionally, a local TCP port; JSON bodies posted to its
// local HTTP port) into thank-you lines in the scene's text block, and keeps the scene's style
// block filled from Plauditor.json.
#include "companion/blockwriter/ProgramArguments.h"
#include "companion/plauditor/CommandLine.h"
#include "companion/plauditor/CompanionState.h"
#include "companion/plauditor/EventFileFollower.h"
#include "companion/plauditor/FileAccess.h"
#include "companion/plauditor/FolderWatch.h"
#include "companion/plauditor/FollowPlan.h"
#include "companion/plauditor/GiftListener.h"
#include "companion/plauditor/HostProcess.h"
#include "companion/plauditor/HttpPorts.h"
#include "companion/plauditor/HttpServer.h"
#include "companion/plauditor/LogFile.h"
#include "companion/plauditor/PageEdits.h"
#include "companion/plauditor/SceneChannels.h"
#include "companion/plauditor/SceneLock.h"
#include "companion/plauditor/ScreenLines.h"
#include "companion/plauditor/Settings.h"
#include "companion/plauditor/SettingsEdits.h"
#include "companion/plauditor/Utf.h"
#include "link/blocks/TextBlock.h"
#include "win/File.h"

#include <windows.h>

#include <cstdlib>
#include <exception>
#include <future>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace {

constexpr int kExitDone = 0;
constexpr int kExitFailure = 1;
constexpr int kExitBadCommandLine = 2;
constexpr int kExitFault = 3;

// The settings file is read this often without a change notification for its folder, and
// with one, in case a change went unreported.
constexpr DWORD kSettingsCheckMilliseconds = 500;
constexpr DWORD kWatchedSettingsCheckMilliseconds = 10000;
constexpr std::size_t kMaxSettingsBytes = 256 * 1024;

// The plug-in starts us without a console; stderr exists only when a caller handed one over.
void ToStandardError(const std::string &line)
{
    const HANDLE error = GetStdHandle(STD_ERROR_HANDLE);
    if (!error || error == INVALID_HANDLE_VALUE)
        return;
    const std::string text = line + "\r\n";
    DWORD written = 0;
    WriteFile(error, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
}

class Companion {
    LaunchArguments launch;
    std::wstring folder = ProgramFolder();
    std::wstring settingsPath;
    LogFile &log;

    PlauditorSettings settings;
    std::optional<std::string> settingsBytes;
    ScreenLines screen;
    std::optional<SceneChannels> channels;
    std::unique_ptr<EventFileFollower> follower;
    FolderWatch eventsWatch;    // wakes the loop when the events file may have grown
    FolderWatch settingsWatch;  // and when the settings may have changed
    std::int64_t linesCameAt = -1;  // when the events file last gave lines (Now()), -1 never
    win::WinsockSession winsock;
    std::optional<GiftListener> listener;

    const HttpLimits httpLimits;
    EventInbox inbox{httpLimits.maxWaitingEvents};
    EventCounters counters;
    SharedView view;
    EditInbox edits;
    std::uint64_t hiddenEvents = 0;
    std::int32_t shownSequence = 0;
    std::vector<std::u16string> shownLines;
    std::vector<std::future<void>> retiring;  // old HTTP servers answering their last requests
    std::unique_ptr<CompanionHttp> http;  // last: its threads use the members above

public:
    Companion(LaunchArguments arguments, LogFile &logFile) : launch(std::move(arguments)), log(logFile)
    {
        settingsPath = launch.settingsPath.empty() ? folder + L"Plauditor.json" : ToWide(launch.settingsPath);
    }

    int Run()
    {
        SceneLock::Outcome outcome{};
        DWORD code = 0;
        auto lock = SceneLock::Claim(ToWide(launch.sceneGuid), outcome, code);
        if (!lock && outcome == SceneLock::Outcome::HeldElsewhere) {
            log.Line("another Plauditor already serves this scene; leaving it in charge");
            return kExitDone;
        }
        if (!lock) {
            log.Line("error: cannot create the scene lock (error " + std::to_string(code) + ")");
            return kExitFailure;
        }
        const auto host = HostProcess::Open(launch.hostProcessId, code);
        if (!host) {
            log.Line("host process " + std::to_string(launch.hostProcessId) + " is not running (error " +
                     std::to_string(code) + "); exiting");
            return kExitFailure;
        }
        // Another host may show the same scene: its companion serves it until that host ends,
        // and then this host's scene still needs one.
        if (outcome == SceneLock::Outcome::HeldElsewhere) {
            log.Line("another Plauditor serves this scene; waiting to take over when it ends");
            if (!lock->WaitForTurn(host->handle())) {
                log.Line("host process ended; exiting");
                return kExitDone;
            }
            log.Line("the other Plauditor ended; serving this scene");
        }
        std::string error;
        channels = SceneChannels::Open(ToWide(launch.sceneGuid), error);
        if (!channels) {
            log.Line("error: " + error);
            return kExitFailure;
        }

        LoadSettings(true);
        settingsWatch = FolderWatch(settingsPath);
        DWORD lastSettingsCheck = GetTickCount();
        for (;;) {
            std::vector<HANDLE> waits = {host->handle(), inbox.WakeEvent(), edits.WakeEvent()};
            for (const FolderWatch *watch : {&eventsWatch, &settingsWatch})
                if (watch->Watching())
                    waits.push_back(watch->Signal());
            const std::int64_t now = Now();
            const LoopPace pace{listener.has_value(), (!follower || eventsWatch.Watching()) && settingsWatch.Watching(),
                                linesCameAt < 0 ? -1 : now - linesCameAt, screen.UntilLeaving(settings, now)};
            if (WaitForMultipleObjects(static_cast<DWORD>(waits.size()), waits.data(), FALSE,
                                       LoopWaitMilliseconds(pace)) == WAIT_OBJECT_0)
                break;
            const bool settingsTouched =
                settingsWatch.Watching() && WaitForSingleObject(settingsWatch.Signal(), 0) == WAIT_OBJECT_0;
            eventsWatch.RearmIfSignalled();
            settingsWatch.RearmIfSignalled();

            std::vector<std::string> lines;
            if (listener)
                Take(listener->Poll(0), lines);
            if (follower) {
                const std::size_t before = lines.size();
                Take(follower->Poll(), lines);
                if (lines.size() != before)
                    linesCameAt = Now();
            }
            AcceptEvents(lines);
            AcceptPostedEvents();
            ApplyEdits();
            if (screen.Expire(settings, Now()))
                PublishText();
            std::erase_if(retiring, [](const std::future<void> &done) {
                return done.wait_for(std::chrono::seconds(0)) == std::future_status::ready;
            });
            const DWORD settingsCheck =
                settingsWatch.Watching() ? kWatchedSettingsCheckMilliseconds : kSettingsCheckMilliseconds;
            if (settingsTouched || GetTickCount() - lastSettingsCheck >= settingsCheck) {
                lastSettingsCheck = GetTickCount();
                LoadSettings(false);
            }
        }
        log.Line("host process ended; exiting");
        http.reset();
        return kExitDone;
    }

private:
    template <typename News> void Take(News news, std::vector<std::string> &lines)
    {
        for (const auto &note : news.notes)
            log.Line(note);
        for (auto &line : news.lines)
            lines.push_back(std::move(line));
    }

    void AcceptEvents(const std::vector<std::string> &lines)
    {
        bool added = false;
        for (const std::string &line : lines) {
            if (IsBlankLine(line))
                continue;
            std::string error;
            const auto event = ParseGiftEvent(line, error);
            if (!event) {
                ++counters.refused;
                log.Line("error: skipped an events line (" + error + "): " + OneLine(line));
                continue;
            }
            added |= AddLine(*event);
        }
        if (added)
            PublishText();
    }

    // Events posted over HTTP; their requests are answered once the lines are published.
    // A batch that cannot be published is forgotten whole: its requests are answered 503, and
    // a later publish must not show it behind their backs.
    void AcceptPostedEvents()
    {
        std::uint64_t batch = 0;
        const std::vector<GiftEvent> events = inbox.Take(batch);
        const ScreenLines before = screen;
        const std::uint64_t takenBefore = counters.taken;
        const std::uint64_t hiddenBefore = hiddenEvents;
        bool changed = false;
        for (const GiftEvent &event : events)
            changed |= AddLine(event);
        bool shown = true;
        if (changed) {
            log.Line("took " + std::to_string(events.size()) + " event(s) over HTTP");
            shown = PublishText();
            if (!shown) {
                // Answered as not taken: a client that sends the body again is counted once.
                screen = before;
                counters.taken -= counters.taken - takenBefore;
                hiddenEvents = hiddenBefore;
                UpdateView();
            }
        }
        inbox.MarkPublished(batch, shown);
    }

    static std::int64_t Now() { return static_cast<std::int64_t>(GetTickCount64()); }

    // True when the lines on screen changed.
    bool AddLine(const GiftEvent &event)
    {
        switch (screen.Add(event, settings, Now())) {
        case ScreenLines::Outcome::Added:
        case ScreenLines::Outcome::Merged:
            ++counters.taken;
            return true;
        case ScreenLines::Outcome::Hidden:
            ++counters.taken;
            ++hiddenEvents;
            UpdateView();
            return false;
        case ScreenLines::Outcome::Refused:
            break;
        }
        return false;
    }

    // Style and rules from the page: saved first when asked, so a save that fails applies nothing.
    // A saved file is taken at once, as a whole, so the next settings check does not take it
    // again later and undo what the page applied in between.
    void ApplyEdits()
    {
        while (auto next = edits.Take()) {
            const PageEdit &edit = next->second;
            std::string fault;
            if (edit.save) {
                fault = SaveEdit(edit);
                if (fault.empty())
                    LoadSettings(false);
            }
            if (fault.empty() && edit.style && (!edit.save || *edit.style != settings.style)) {
                settings.style = *edit.style;
                PublishStyle();
            }
            if (fault.empty() && edit.rules && (!edit.save || *edit.rules != settings.rules)) {
                settings.rules = *edit.rules;
                log.Line("gift rules changed from the page");
                UpdateView();
            }
            edits.Finish(next->first, std::move(fault));
        }
    }

    std::string SaveEdit(const PageEdit &edit)
    {
        const auto old = win::ReadWholeFile(settingsPath, kMaxSettingsBytes);
        // A file that exists but cannot be read now must not be replaced by one without its keys.
        if (!old && StampOf(settingsPath))
            return "Plauditor.json cannot be read; not saved";
        std::string error;
        const auto text = SettingsTextWith(old, edit.style ? &*edit.style : nullptr,
                                           edit.rules ? &*edit.rules : nullptr, error);
        DWORD code = 0;
        if (text && !win::WriteWholeFile(settingsPath, *text, &code))
            error = "Plauditor.json not saved (error " + std::to_string(code) + ")";
        log.Line(error.empty() ? "settings saved from the page" : "error: " + error);
        return error;
    }

    bool PublishText()
    {
        const auto result = channels->PublishText(screen.OldestFirst());
        if (result.ok) {
            log.Line("published text " + OneLine(result.detail, 400));
            // What the plug-in will show, read back the way it reads the block.
            if (const auto block = DecodeTextBlock(Utf8ToUtf16(result.detail), -1)) {
                shownSequence = block->sequence;
                shownLines.clear();
                for (std::size_t i = 0; block->LineCheckPassed() && i < block->lines.Kept(); ++i)
                    shownLines.emplace_back(block->Line(i));
            }
            UpdateView();
        } else {
            log.Line("error: text not published: " + result.detail);
        }
        return result.ok;
    }

    void PublishStyle()
    {
        const auto result = channels->PublishStyle(settings.style);
        if (result.ok)
            log.Line("published style " + result.detail);
        else
            log.Line("error: style not published: " + result.detail);
        UpdateView();
    }

    void UpdateView()
    {
        view.Set({launch.sceneGuid, shownLines, settings.style, shownSequence, settings.rules, hiddenEvents});
    }

    // At start the settings are applied whatever happens (defaults when the file is missing or
    // broken); later, only a changed file that parses replaces them.
    void LoadSettings(bool starting)
    {
        auto bytes = win::ReadWholeFile(settingsPath, kMaxSettingsBytes);
        if (!starting && bytes == settingsBytes)
            return;
        settingsBytes = bytes;

        std::optional<PlauditorSettings> loaded;
        const auto stamp = bytes ? std::nullopt : StampOf(settingsPath);
        if (stamp && stamp->size > kMaxSettingsBytes) {
            log.Line((starting ? "settings file is over " : "error: settings file is over ") +
                     std::to_string(kMaxSettingsBytes / 1024) + " KiB" +
                     (starting ? ", using defaults: " : "; keeping the settings: ") + Utf16ToUtf8(FromWide(settingsPath)));
            if (starting)
                loaded = PlauditorSettings{};
        } else if (!bytes) {
            log.Line((starting ? "settings file missing or unreadable, using defaults: "
                               : "error: settings file went away; keeping the settings: ") +
                     Utf16ToUtf8(FromWide(settingsPath)));
            if (starting)
                loaded = PlauditorSettings{};
        } else {
            std::vector<std::string> warnings;
            std::string error;
            loaded = ParseSettings(*bytes, warnings, error);
            for (const auto &warning : warnings)
                log.Line("settings: " + warning);
            if (!loaded) {
                log.Line("error: " + error + (starting ? "; using defaults" : "; keeping the settings"));
                if (starting)
                    loaded = PlauditorSettings{};
            }
        }
        if (loaded)
            Apply(std::move(*loaded), starting);
    }

    void Apply(PlauditorSettings next, bool starting)
    {
        const bool eventsMoved = starting || next.eventsFile != settings.eventsFile;
        const bool portChanged = starting || next.listenPort != settings.listenPort;
        const bool httpChanged =
            starting || next.httpPort != settings.httpPort || next.httpScenePorts != settings.httpScenePorts;
        settings = std::move(next);

        if (eventsMoved && (starting || launch.eventsPath.empty())) {
            const std::wstring path = launch.eventsPath.empty() ? ResolvePath(folder, ToWide(settings.eventsFile))
                                                                : ToWide(launch.eventsPath);
            // Every line skipped from our own log would write a new one to it, without end.
            eventsWatch = {};
            if (log.Writes(path)) {
                follower.reset();
                log.Line("error: events file " + Utf16ToUtf8(FromWide(path)) + " is this program's log; not following it");
            } else {
                follower = std::make_unique<EventFileFollower>(path, starting && launch.readExistingEvents);
                eventsWatch = FolderWatch(path);
                log.Line("following events file " + Utf16ToUtf8(FromWide(path)));
            }
        }
        if (portChanged)
            Listen();
        if (httpChanged)
            ServeHttp();
        // Last: a style block in place tells the plug-in (and anyone watching) that events are
        // being followed; published before the follower, lines appended meanwhile were lost.
        PublishStyle();
        if (screen.Fit(settings))
            PublishText();
    }

    // The old server stops taking connections at once but answers those it has while this
    // loop goes on publishing their events; it goes in the background once they are done.
    void ServeHttp()
    {
        std::unique_ptr<CompanionHttp> old = std::move(http);
        if (old)
            old->StopTakingConnections();
        StartHttp(old);
        if (old)
            retiring.push_back(std::async(std::launch::async, [server = std::move(old)]() mutable { server.reset(); }));
    }

    void StartHttp(std::unique_ptr<CompanionHttp> &old)
    {
        const auto ports = HttpPortCandidates(settings.httpPort, launch.sceneGuid, settings.httpScenePorts);
        if (ports.empty())
            return;
        if (!winsock.Started()) {
            log.Line("error: winsock did not start; no HTTP port");
            return;
        }
        std::string error;
        http = CompanionHttp::Start(ports, {inbox, counters, view, edits}, httpLimits, error);
        // The port may be held by the old server's last connections: let them end first.
        if (!http && old) {
            old.reset();
            http = CompanionHttp::Start(ports, {inbox, counters, view, edits}, httpLimits, error);
        }
        if (http)
            log.Line("http: serving on 127.0.0.1:" + std::to_string(http->Port()) +
                     " (/, /state, /fonts, POST /events, /style, /rules); the page: http://127.0.0.1:" +
                     std::to_string(http->Port()) + "/");
        else
            log.Line("error: no HTTP port: " + error);
    }

    void Listen()
    {
        listener.reset();
        if (settings.listenPort == 0)
            return;
        if (!winsock.Started()) {
            log.Line("error: winsock did not start; no events port");
            return;
        }
        int code = 0;
        listener = GiftListener::Start(settings.listenPort, code);
        if (listener)
            log.Line("listening for events on 127.0.0.1:" + std::to_string(settings.listenPort));
        else
            log.Line("error: cannot listen on 127.0.0.1:" + std::to_string(settings.listenPort) + " (error " +
                     std::to_string(code) + ")");
    }
};

LogFile *faultLog = nullptr;

// A fault nothing can contain ends the whole process at once: half a companion (a thread gone,
// or the main loop gone while the HTTP side answers) would hold the scene's lock and serve
// nothing, so the next start could not take the scene over.
[[noreturn]] void EndAfterFault(const char *what) noexcept
{
    if (faultLog)
        faultLog->LastWords(what);
    TerminateProcess(GetCurrentProcess(), kExitFault);
    std::_Exit(kExitFault);
}

[[noreturn]] void EndAfterUncaughtException() noexcept
{
    std::string reason = "error: an unexpected fault; exiting";
    try {
        if (const auto fault = std::current_exception())
            std::rethrow_exception(fault);
    } catch (const std::exception &failure) {
        reason = "error: " + OneLine(failure.what()) + "; exiting";
    } catch (...) {
    }
    EndAfterFault(reason.c_str());
}

LONG WINAPI EndAfterSystemFault(EXCEPTION_POINTERS *) { EndAfterFault("error: a system fault; exiting"); }

// Seen first, while some stack is left: the unhandled-exception filter may never run.
LONG WINAPI EndAfterStackOverflow(EXCEPTION_POINTERS *fault)
{
    if (fault->ExceptionRecord->ExceptionCode == EXCEPTION_STACK_OVERFLOW)
        EndAfterFault("error: out of stack; exiting");
    return EXCEPTION_CONTINUE_SEARCH;
}

void EndOnAnyFault(LogFile &log)
{
    faultLog = &log;
    std::set_terminate(EndAfterUncaughtException);
    SetUnhandledExceptionFilter(EndAfterSystemFault);
    AddVectoredExceptionHandler(1, EndAfterStackOverflow);
}

} // namespace

int main()
{
    const std::vector<std::u16string> arguments = ProgramArguments();
    std::string error;
    auto launch = ParseCommandLine(arguments, error);

    const std::u16string logOption = LogPathOption(arguments);
    const std::wstring logPath = logOption.empty() ? ProgramFolder() + L"Plauditor.log" : ToWide(logOption);
    LogFile log(logPath, "[" + std::to_string(GetCurrentProcessId()) + "]" +
                             (launch ? " " + Utf16ToUtf8(launch->sceneGuid) : std::string()));
    if (!launch) {
        std::string line;
        for (const auto &argument : arguments)
            line += " " + Utf16ToUtf8(argument);
        log.Line("error: bad command line (" + error + "):" + OneLine(line));
        ToStandardError("Plauditor: " + error + "; " + kCommandLineUsage);
        return kExitBadCommandLine;
    }
    EndOnAnyFault(log);
    log.Line("start: host " + std::to_string(launch->hostProcessId) + ", source " + Utf16ToUtf8(launch->sourceGuid));
    return Companion(std::move(*launch), log).Run();
}
