// The companion as streaming tools meet it, over loopback only and in bounded loops: how long
// a gift takes from its POST /events to the scene's text block holding its line, at steady
// rates; the highest rate of events it takes before answering 503; and what an idle
// companion costs (CPU over a minute, working set).
#include "bench/BenchRows.h"
#include "headless/MonotonicClock.h"

#include "companion/PlauditorRun.h"
#include "support/LoopbackHttp.h"
#include "support/TempFolder.h"
#include "win/Handle.h"

#include <psapi.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace {

constexpr DWORD kPatience = 10000;
// Senders at once: the companion serves eight connections and lets 24 wait.
constexpr int kSenders = 8;

std::string Format(const char *format, double value)
{
    char text[64];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

std::string Milliseconds(double seconds) { return Format("%.1f ms", seconds * 1e3); }

// One companion of a scene of its own, its HTTP side on a free port, up to 64 lines on screen
// so that a poll every fraction of a millisecond sees every line at 1,000 events a second.
class BenchCompanion {
    TempFolder folder;

public:
    std::wstring scene = UniqueScene();
    std::uint16_t port = FreeLoopbackPort();
    ChildProcess process;

    BenchCompanion()
        : process(TestBinFolder() + L"plugins\\VantoPlauditor\\Plauditor.exe",
                  Arguments(GetCurrentProcessId(), scene, Options(folder, port)))
    {
    }

    static std::wstring Options(const TempFolder &folder, std::uint16_t port)
    {
        WriteFileBytes(folder / L"p.json", R"({"recentLines": 64, "httpPort": )" + std::to_string(port) + "}");
        WriteFileBytes(folder / L"p.jsonl", "");
        return L"--settings " + win::QuotedArgument(folder / L"p.json") + L" --events " +
               win::QuotedArgument(folder / L"p.jsonl") + L" --log " + win::QuotedArgument(folder / L"p.log");
    }

    bool Serving() const
    {
        return WaitUntil(kPatience, [&] { return ExchangeRaw(port, PlainGet(port, "/state"), 1000).status == 200; });
    }
};

// The event of number k: its user is "N<k>", which the thank-you line shows.
std::string Event(int k) { return R"({"user":"N)" + std::to_string(k) + R"(","gift":"g","count":1})"; }

// The event number in a shown line, or -1.
int EventNumber(const std::u16string &line)
{
    const std::size_t at = line.find(u'N');
    if (at == std::u16string::npos || at + 1 >= line.size() || line[at + 1] < u'0' || line[at + 1] > u'9')
        return -1;
    int number = 0;
    for (std::size_t i = at + 1; i < line.size() && line[i] >= u'0' && line[i] <= u'9'; ++i)
        number = number * 10 + (line[i] - u'0');
    return number;
}

// Notes when each event's line first shows in the scene's text block, polling it as fast as
// it can on a thread of its own.
class BlockWatcher {
    win::UniqueHandle mapping;
    win::MappedView view;
    std::vector<double> &seen;
    std::atomic<bool> stop{false};
    std::thread thread;

    void Poll()
    {
        const auto *units = static_cast<const char16_t *>(view.get());
        std::u16string text;
        while (!stop.load()) {
            text.clear();
            for (std::size_t i = 0; i < kBlockUnits && units[i] != 0; ++i)
                text += units[i];
            const double now = MonotonicSeconds();
            if (const auto block = DecodeTextBlock(text, -1))
                for (const std::u16string &line : ShownLines(*block)) {
                    const int k = EventNumber(line);
                    if (k >= 0 && k < static_cast<int>(seen.size()) && seen[k] == 0.0)
                        seen[k] = now;
                }
            Sleep(0);
        }
    }

public:
    BlockWatcher(const std::wstring &scene, std::vector<double> &firstSeen) : seen(firstSeen)
    {
        mapping.reset(OpenFileMappingW(FILE_MAP_READ, FALSE, (L"TCPlauditor" + scene).c_str()));
        if (mapping)
            view.reset(MapViewOfFile(mapping.get(), FILE_MAP_READ, 0, 0, kBlockBytes));
        if (view)
            thread = std::thread([this] { Poll(); });
    }
    ~BlockWatcher()
    {
        stop = true;
        if (thread.joinable())
            thread.join();
    }
    bool Watching() const { return bool(view); }
};

struct Sent {
    std::vector<double> at;       // when each POST went out
    std::atomic<int> accepted{0};
    std::atomic<int> busy{0};     // 503
    std::atomic<int> other{0};    // anything else, or no answer
    double last = 0.0;            // when the last answer came
};

// count POSTs, each of `perPost` events, due at start + i * perPost / rate, from kSenders
// threads; a sender behind time sends at once. Event numbers run from `first`.
void SendAtRate(std::uint16_t port, int first, int count, int perPost, double rate, Sent &sent)
{
    sent.at.assign(static_cast<std::size_t>(count), 0.0);
    std::atomic<int> next{0};
    std::mutex lastLock;
    const double start = MonotonicSeconds() + 0.05;
    std::vector<std::thread> senders;
    for (int s = 0; s < kSenders; ++s)
        senders.emplace_back([&] {
            for (int i = next++; i < count; i = next++) {
                std::string body = perPost == 1 ? Event(first + i) : "[";
                for (int e = 0; perPost > 1 && e < perPost; ++e)
                    body += (e ? "," : "") + Event(first + i * perPost + e);
                if (perPost > 1)
                    body += "]";
                const double due = start + i * perPost / rate;
                SleepUntil(due);
                sent.at[i] = MonotonicSeconds();
                const int status = ExchangeRaw(port, CurlLikePost(port, "/events", body), 5000).status;
                (status == 202 ? sent.accepted : status == 503 ? sent.busy : sent.other)++;
                const std::lock_guard<std::mutex> hold(lastLock);
                sent.last = std::max(sent.last, MonotonicSeconds());
            }
        });
    for (std::thread &sender : senders)
        sender.join();
}

double Percentile(std::vector<double> values, double fraction)
{
    if (values.empty())
        return 0.0;
    std::sort(values.begin(), values.end());
    const std::size_t at = static_cast<std::size_t>(fraction * (values.size() - 1) + 0.5);
    return values[std::min(at, values.size() - 1)];
}

// count events at `rate`, perPost to a POST; each event's time runs from its POST going out.
CompanionRow LatencyRow(BenchCompanion &companion, int &nextEvent, double rate, int count, int perPost)
{
    const int posts = count / perPost;
    count = posts * perPost;
    std::vector<double> seen(static_cast<std::size_t>(nextEvent + count), 0.0);
    Sent sent;
    {
        BlockWatcher watcher(companion.scene, seen);
        if (!watcher.Watching())
            return {Format("POST /events to the line in the block, %.0f events/s", rate), "–", "no text block"};

        SendAtRate(companion.port, nextEvent, posts, perPost, rate, sent);
        Sleep(500);  // lines still on their way
    }
    std::vector<double> latencies;
    for (int i = 0; i < count; ++i)
        if (seen[nextEvent + i] > 0.0)
            latencies.push_back(seen[nextEvent + i] - sent.at[i / perPost]);
    const double span = sent.at.back() - sent.at.front();
    nextEvent += count;
    CompanionRow row;
    row.name = Format("POST /events to the line in the block, %.0f events/s", rate) +
               (perPost > 1 ? ", " + std::to_string(perPost) + " a POST" : "");
    row.figure = "p50 " + Milliseconds(Percentile(latencies, 0.5)) + ", p99 " + Milliseconds(Percentile(latencies, 0.99));
    row.detail = std::to_string(count) + " events, " + std::to_string(perPost) + " per POST, from " +
                 std::to_string(kSenders) + " senders, sent at " +
                 Format("%.0f/s", span > 0.0 ? (posts - 1) * perPost / span : 0.0) + "; " +
                 std::to_string(latencies.size()) + " seen in the block; of " + std::to_string(posts) + " POSTs " +
                 std::to_string(sent.accepted.load()) + " answered 202, " + std::to_string(sent.busy.load()) + " 503, " +
                 std::to_string(sent.other.load()) + " other";
    return row;
}

// Rates doubling from 1,000 events a second, two seconds each in POSTs of 50 events, until
// one is answered 503 or falls behind; the highest taken in full.
CompanionRow SustainedRow(BenchCompanion &companion, int &nextEvent, double scale)
{
    constexpr int kPerPost = 50;
    const double seconds = std::max(0.5, 2.0 * scale);
    double sustained = 0.0;
    std::string stop = "none refused up to 128,000 events/s";
    for (double rate = 1000.0; rate <= 128000.0; rate *= 2.0) {
        const int posts = std::max(4, static_cast<int>(rate * seconds / kPerPost));
        Sent sent;
        SendAtRate(companion.port, nextEvent, posts, kPerPost, rate, sent);
        nextEvent += posts * kPerPost;
        const double taken = sent.accepted.load() * kPerPost / (sent.last - sent.at.front());
        if (sent.busy.load() > 0 || sent.other.load() > 0 || taken < 0.9 * rate) {
            stop = Format("at %.0f events/s: ", rate) + std::to_string(sent.busy.load()) + " of " +
                   std::to_string(posts) + " POSTs answered 503, " + std::to_string(sent.other.load()) + " other, " +
                   Format("%.0f events/s taken", taken);
            break;
        }
        sustained = rate;
        Sleep(1000);  // the queue drains before the next rate
    }
    return {"highest rate taken in full (POSTs of 50 events)", Format("%.0f events/s", sustained), stop};
}

// Under Wine another process's CPU time reads as zero, so the companion's Linux process is
// asked instead: the /proc entry whose command line names the scene, through Wine's Z: drive.
// Its user and system time in seconds (clock ticks of 1/100 s), or a negative number.
double LinuxCpuSeconds(const std::wstring &scene)
{
    const std::string wanted(scene.begin(), scene.end());
    WIN32_FIND_DATAW entry;
    const win::FindHandle find(FindFirstFileW(L"Z:\\proc\\*", &entry));
    if (!find)
        return -1.0;
    double seconds = -1.0;
    do {
        const std::wstring folder = std::wstring(L"Z:\\proc\\") + entry.cFileName + L"\\";
        if (entry.cFileName[0] < L'0' || entry.cFileName[0] > L'9' ||
            ReadFileBytes(folder + L"cmdline").find(wanted) == std::string::npos)
            continue;
        const std::string stat = ReadFileBytes(folder + L"stat");
        const std::size_t end = stat.rfind(')');
        if (end == std::string::npos)
            continue;
        // After the name: state is field 3; utime and stime are fields 14 and 15.
        unsigned long long utime = 0, stime = 0;
        if (std::sscanf(stat.c_str() + end + 1, " %*c %*d %*d %*d %*d %*d %*u %*u %*u %*u %*u %llu %llu", &utime,
                        &stime) == 2)
            seconds = (utime + stime) / 100.0;
        break;
    } while (FindNextFileW(find.get(), &entry));
    return seconds;
}

// The idle companion's CPU over the given time, in per cent of one core, and its working set.
std::vector<CompanionRow> IdleRows(double seconds)
{
    BenchCompanion companion;
    if (!companion.Serving())
        return {{"idle companion", "–", "did not start serving"}};
    Sleep(2000);  // start-up over
    const win::UniqueHandle process(
        OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, companion.process.Id()));
    const bool underWine = GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr;
    const auto cpuSeconds = [&] {
        if (underWine)
            return LinuxCpuSeconds(companion.scene);
        FILETIME created, ended, kernel, user;
        if (!GetProcessTimes(process.get(), &created, &ended, &kernel, &user))
            return -1.0;
        const auto value = [](FILETIME t) { return (static_cast<ULONGLONG>(t.dwHighDateTime) << 32) | t.dwLowDateTime; };
        return (value(kernel) + value(user)) * 1e-7;
    };
    const double before = cpuSeconds();
    const double start = MonotonicSeconds();
    Sleep(static_cast<DWORD>(seconds * 1000));
    const double after = cpuSeconds();
    const double elapsed = MonotonicSeconds() - start;
    PROCESS_MEMORY_COUNTERS memory{};
    memory.cb = sizeof memory;
    const bool measured = K32GetProcessMemoryInfo(process.get(), &memory, sizeof memory);
    const bool timed = before >= 0.0 && after >= 0.0;
    return {{"idle companion, CPU", timed ? Format("%.2f %% of a core", (after - before) / elapsed * 100.0) : "–",
             Format("%.0f s, ", elapsed) + (underWine ? "user and system time of its Linux process (Wine reports "
                                                        "none for another process)"
                                                      : "kernel and user time")},
            {"idle companion, working set", measured ? Format("%.1f MiB", memory.WorkingSetSize / 1048576.0) : "–",
             measured ? Format("peak %.1f MiB", memory.PeakWorkingSetSize / 1048576.0) : "not reported"}};
}

} // namespace

std::vector<CompanionRow> CompanionRows(const BenchOptions &options)
{
    win::WinsockSession winsock;
    std::vector<CompanionRow> rows;
    {
        BenchCompanion companion;
        if (!companion.Serving())
            return {{"companion", "–", "did not start serving"}};
        int nextEvent = 0;
        const auto count = [&](int events) { return std::max(20, Units(options, events)); };
        rows.push_back(LatencyRow(companion, nextEvent, 10.0, count(50), 1));
        rows.push_back(LatencyRow(companion, nextEvent, 100.0, count(300), 1));
        // One event per POST, each answered once published, reaches a few hundred a second
        // from the eight connections served at once; tools sending more send several a POST.
        rows.push_back(LatencyRow(companion, nextEvent, 1000.0, count(2000), 1));
        rows.push_back(LatencyRow(companion, nextEvent, 1000.0, count(2000), 10));
        rows.push_back(SustainedRow(companion, nextEvent, options.scale));
    }
    for (CompanionRow &row : IdleRows(60.0))
        rows.push_back(row);
    return rows;
}
