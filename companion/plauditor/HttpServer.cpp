// httplib first: it brings winsock2.h, which must come before windows.h.
#include <httplib.h>

#include "companion/plauditor/HttpServer.h"

#include "companion/plauditor/InstalledFonts.h"
#include "companion/plauditor/SettingsEdits.h"
#include "companion/plauditor/StatusPage.h"
#include "companion/plauditor/Utf.h"

#include <nlohmann/json.hpp>

#include <condition_variable>
#include <deque>
#include <map>
#include <mutex>
#include <optional>
#include <atomic>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;

// Events the main loop has taken are in the middle of being published: a moment, not seconds.
constexpr unsigned kPublishingMilliseconds = 10000;

// Set on the accepting thread while it turns away a connection over the cap.
thread_local bool turningAway = false;

void SendAndClose(socket_t socket, int status, const char *reason, std::string_view body)
{
    const std::string answer = "HTTP/1.1 " + std::to_string(status) + " " + reason +
                               "\r\nContent-Type: application/json\r\nContent-Length: " +
                               std::to_string(body.size()) + "\r\nConnection: close\r\n" +
                               (status == 503 ? "Retry-After: 1\r\n" : "") + "\r\n" + std::string(body);
    send(socket, answer.data(), static_cast<int>(answer.size()), 0);
    // What the client sent and nobody read would make the close a reset, which can destroy
    // the answer before the client reads it.
    shutdown(socket, SD_SEND);
    char discard[4096];
    u_long available = 0;
    for (int i = 0; i < 64 && ioctlsocket(socket, FIONREAD, &available) == 0 && available > 0; ++i)
        recv(socket, discard, sizeof discard, 0);
    closesocket(socket);
}

// What has arrived on a connection, left in place for the library to read; nothing once the
// peer has gone. Never waits.
std::optional<std::string> Arrived(socket_t socket, std::size_t maxBytes)
{
    fd_set readable;
    FD_ZERO(&readable);
    FD_SET(socket, &readable);
    timeval now{0, 0};
    if (select(0, &readable, nullptr, nullptr, &now) == 0)
        return std::string();
    // Readable: bytes are there, or the peer closed (0) or failed.
    std::string bytes(maxBytes, '\0');
    const int got = recv(socket, bytes.data(), static_cast<int>(bytes.size()), MSG_PEEK);
    if (got <= 0)
        return std::nullopt;
    bytes.resize(static_cast<std::size_t>(got));
    return bytes;
}

// Refuses a head past its bounds; false when it is one.
bool RefuseHead(socket_t socket, RequestHead head, const HttpLimits &limits)
{
    if (head != RequestHead::TooLarge && head != RequestHead::TooManyHeaders)
        return false;
    SendAndClose(socket, 431, "Request Header Fields Too Large",
                 ErrorJson(head == RequestHead::TooLarge
                               ? "request line and headers over " + std::to_string(limits.maxHeadBytes) + " bytes"
                               : "more than " + std::to_string(limits.maxHeaders) + " headers"));
    return true;
}

// Reads no more than a request with the largest body may hold: a chunk size that never
// ends, or more body than allowed, ends the reading instead of growing a buffer.
class BoundedStream final : public httplib::Stream {
    httplib::Stream &inner;
    std::size_t left;

public:
    BoundedStream(httplib::Stream &stream, std::size_t budget) : inner(stream), left(budget) {}
    bool is_readable() const override { return inner.is_readable(); }
    bool is_writable() const override { return inner.is_writable(); }
    ssize_t read(char *ptr, size_t size) override
    {
        if (left == 0)
            return -1;
        const ssize_t got = inner.read(ptr, std::min(size, left));
        if (got > 0)
            left -= static_cast<std::size_t>(got);
        return got;
    }
    ssize_t write(const char *ptr, size_t size) override { return inner.write(ptr, size); }
    void get_remote_ip_and_port(std::string &ip, int &port) const override { inner.get_remote_ip_and_port(ip, port); }
    void get_local_ip_and_port(std::string &ip, int &port) const override { inner.get_local_ip_and_port(ip, port); }
    socket_t socket() const override { return inner.socket(); }
};

// Connections are served by a fixed number of workers with a short queue in front; past
// that a connection is answered 503 at once on the accepting thread, so a flood of idle
// connections costs no more than the cap. A connection whose request head has not arrived
// waits without a worker (Admit), watched by the watchdog, so connections that trickle their
// headers never keep workers from requests that came whole. The watchdog also cuts every
// connection that outlives its time, however slowly it trickles.
class ConnectionPool : public httplib::TaskQueue {
    const HttpLimits limits;
    std::mutex mutex;
    std::condition_variable ready;
    std::condition_variable tick;   // the watchdog's own, so it never takes a worker's wake-up
    std::deque<std::function<void()>> jobs;
    bool stopping = false;
    bool watching = true;
    unsigned busy = 0;   // workers running a job
    std::vector<std::thread> workers;
    std::thread watchdog;
    std::map<socket_t, Clock::time_point> deadlines;
    struct Awaited {
        Clock::time_point since;
        std::size_t seen = 0;   // bytes of its head seen so far
    };
    std::map<socket_t, Awaited> awaited;   // connections whose head is still arriving
    std::function<void(socket_t)> serve;

public:
    enum class Admission { Serve, Awaiting, Closed };

    ConnectionPool(const HttpLimits &l, std::function<void(socket_t)> serveConnection)
        : limits(l), serve(std::move(serveConnection))
    {
        for (unsigned i = 0; i < limits.workers; ++i)
            workers.emplace_back([this] { Work(); });
        watchdog = std::thread([this] { Watch(); });
    }

    void enqueue(std::function<void()> job) override
    {
        {
            std::lock_guard lock(mutex);
            if (jobs.size() < limits.queued) {
                jobs.push_back(std::move(job));
                ready.notify_one();
                return;
            }
        }
        turningAway = true;
        job();
        turningAway = false;
    }

    // Connections taken are served to their answer (the watchdog still cuts any that outlive
    // their time): a request whose events were taken must learn so, or its client sends them
    // again and they are thanked twice. Heads still arriving when the port closed get their
    // usual time too, so a client that began its request before the port moved is answered
    // rather than told to try again.
    void shutdown() override
    {
        {
            std::unique_lock lock(mutex);
            const auto until = Clock::now() + std::chrono::seconds(limits.idleSeconds);
            while ((!awaited.empty() || !jobs.empty() || busy > 0) && Clock::now() < until) {
                lock.unlock();
                std::this_thread::sleep_for(std::chrono::milliseconds(20));
                lock.lock();
            }
            stopping = true;
            for (const auto &entry : awaited)
                SendAndClose(entry.first, 503, "Service Unavailable", ErrorJson("the port is closing; try again"));
            awaited.clear();
        }
        ready.notify_all();
        for (auto &worker : workers)
            worker.join();
        {
            std::lock_guard lock(mutex);
            watching = false;
        }
        tick.notify_all();
        watchdog.join();
    }

    void Track(socket_t socket)
    {
        {
            std::lock_guard lock(mutex);
            deadlines[socket] = Clock::now() + std::chrono::seconds(limits.connectionSeconds);
        }
        tick.notify_one();
    }

    // Before the socket is closed, so the watchdog never touches a reused handle.
    void Untrack(socket_t socket)
    {
        std::lock_guard lock(mutex);
        deadlines.erase(socket);
    }

    // On a worker: Serve a connection whose head has arrived whole, as a genuine client sends
    // it. A head still arriving (or not yet begun) waits without a worker, looked at on every
    // tick of the watchdog; past the bounds it is answered 431 (Closed).
    Admission Admit(socket_t socket)
    {
        const std::optional<std::string> arrived = Arrived(socket, limits.maxHeadBytes);
        if (!arrived) {
            closesocket(socket);
            return Admission::Closed;
        }
        const RequestHead head = ClassifyRequestHead(*arrived, limits);
        if (RefuseHead(socket, head, limits))
            return Admission::Closed;
        if (head == RequestHead::Complete)
            return Admission::Serve;
        std::lock_guard lock(mutex);
        if (stopping) {
            SendAndClose(socket, 503, "Service Unavailable", ErrorJson("the port is closing; try again"));
            return Admission::Closed;
        }
        // Full: the one waiting longest makes room, so new connections are never locked out.
        if (awaited.size() >= limits.maxHeadsAwaited) {
            const auto oldest = std::min_element(awaited.begin(), awaited.end(), [](const auto &a, const auto &b) {
                return a.second.since < b.second.since;
            });
            SendAndClose(oldest->first, 503, "Service Unavailable", ErrorJson("too many connections; try again"));
            awaited.erase(oldest);
        }
        awaited[socket] = {Clock::now(), arrived->size()};
        tick.notify_one();
        return Admission::Awaiting;
    }

private:
    void Work()
    {
        for (;;) {
            std::function<void()> job;
            {
                std::unique_lock lock(mutex);
                ready.wait(lock, [&] { return stopping || !jobs.empty(); });
                if (jobs.empty())
                    return;
                job = std::move(jobs.front());
                jobs.pop_front();
                ++busy;
            }
            job();
            std::lock_guard lock(mutex);
            --busy;
        }
    }

    void Watch()
    {
        std::unique_lock lock(mutex);
        while (watching) {
            // Nothing to watch: sleep until a connection comes, so an idle companion costs nothing.
            if (deadlines.empty() && awaited.empty())
                tick.wait(lock, [&] { return !watching || !deadlines.empty() || !awaited.empty(); });
            else
                tick.wait_for(lock, std::chrono::milliseconds(20));
            const auto now = Clock::now();
            for (const auto &[socket, deadline] : deadlines)
                if (now > deadline)
                    ::shutdown(socket, SD_BOTH);
            LookAtAwaited(now);
        }
    }

    // Heads that arrived whole go to a worker ahead of connections not looked at yet.
    void LookAtAwaited(Clock::time_point now)
    {
        const auto headTime = std::chrono::seconds(limits.idleSeconds);
        for (auto entry = awaited.begin(); entry != awaited.end();) {
            const socket_t socket = entry->first;
            u_long available = 0;
            const bool quiet = ioctlsocket(socket, FIONREAD, &available) == 0 && available > 0 &&
                               available == entry->second.seen;
            if (now - entry->second.since > headTime) {
                SendAndClose(socket, 408, "Request Timeout",
                             ErrorJson("no request within " + std::to_string(limits.idleSeconds) + " s"));
                entry = awaited.erase(entry);
                continue;
            }
            if (quiet) {
                ++entry;
                continue;
            }
            const auto arrived = Arrived(socket, limits.maxHeadBytes);
            const RequestHead head = arrived ? ClassifyRequestHead(*arrived, limits) : RequestHead::Partial;
            if (!arrived) {
                closesocket(socket);
            } else if (head == RequestHead::Complete) {
                jobs.push_front([this, socket] { serve(socket); });
                ready.notify_one();
            } else if (!RefuseHead(socket, head, limits)) {
                entry->second.seen = arrived->size();
                ++entry;
                continue;
            }
            entry = awaited.erase(entry);
        }
    }
};

class Server final : public httplib::Server, public CompanionHttp {
    CompanionHttp::Shared shared;
    const HttpLimits limits;
    std::uint16_t port = 0;
    ConnectionPool *pool = nullptr;   // owned by the listening loop
    // Stands in for the listening socket when a connection is served: the library reads no
    // request from a connection once its listening socket is closed, and one taken before
    // the port moved must still be answered.
    const std::atomic<socket_t> keepServing{0};
    std::thread loop;

public:
    Server(CompanionHttp::Shared s, const HttpLimits &l) : shared(s), limits(l)
    {
        new_task_queue = [this] {
            pool = new ConnectionPool(limits, [this](socket_t socket) { process_and_close_socket(socket); });
            return pool;
        };
        set_socket_options([](socket_t socket) {
            // Nobody else may take the port over while we listen on it (no SO_REUSEADDR).
            BOOL exclusive = TRUE;
            setsockopt(socket, SOL_SOCKET, SO_EXCLUSIVEADDRUSE, reinterpret_cast<const char *>(&exclusive),
                       sizeof exclusive);
        });
        // The listening loop wakes this often only to see whether it was told to stop; closing
        // its socket ends its wait at once. The library's default (10 ms) kept an idle
        // companion busy.
        set_idle_interval(5, 0);
        set_keep_alive_max_count(1);
        set_keep_alive_timeout(limits.idleSeconds);
        set_read_timeout(limits.ioSeconds, 0);
        set_write_timeout(limits.ioSeconds, 0);
        set_payload_max_length(limits.maxBodyBytes);
        Routes();
    }

    ~Server() override
    {
        StopTakingConnections();
        if (loop.joinable())
            loop.join();
    }

    // Closes the listening socket whether or not the loop has begun: the library's stop()
    // does nothing before the loop marks itself running, and the loop would then run on.
    void StopTakingConnections() override
    {
        const socket_t listening = svr_sock_.exchange(INVALID_SOCKET);
        if (listening != INVALID_SOCKET) {
            httplib::detail::shutdown_socket(listening);
            httplib::detail::close_socket(listening);
        }
    }

    bool Listen(std::uint16_t candidate)
    {
        if (!bind_to_port("127.0.0.1", candidate))
            return false;
        port = candidate;
        loop = std::thread([this] { listen_after_bind(); });
        return true;
    }

    std::uint16_t Port() const override { return port; }

private:
    // Overrides the library's connection handler (same steps) to turn connections over the
    // cap away, to keep every connection under the watchdog, and to answer one that never
    // sent a request. The library's public interface has no way in before a worker reads, so
    // this follows one version's internals, which the configure step pins.
    bool process_and_close_socket(socket_t socket) override
    {
        if (turningAway) {
            SendAndClose(socket, 503, "Service Unavailable", ErrorJson("too many connections; try again"));
            return false;
        }
        const auto admission = pool->Admit(socket);
        if (admission != ConnectionPool::Admission::Serve)
            return admission == ConnectionPool::Admission::Awaiting;
        pool->Track(socket);
        bool requested = false;
        const bool ok = httplib::detail::process_server_socket(
            keepServing, socket, keep_alive_max_count_, keep_alive_timeout_sec_, read_timeout_sec_, read_timeout_usec_,
            write_timeout_sec_, write_timeout_usec_,
            [&](httplib::Stream &stream, bool closeConnection, bool &connectionClosed) {
                requested = true;
                BoundedStream bounded(stream, limits.maxHeadBytes + limits.maxBodyBytes + limits.bodyFramingBytes);
                return process_request(bounded, closeConnection, connectionClosed, nullptr);
            });
        pool->Untrack(socket);
        if (!requested) {
            SendAndClose(socket, 408, "Request Timeout",
                         ErrorJson("no request within " + std::to_string(limits.idleSeconds) + " s"));
            return false;
        }
        httplib::detail::shutdown_socket(socket);
        httplib::detail::close_socket(socket);
        return ok;
    }

    static void Json(httplib::Response &response, int status, const std::string &body)
    {
        response.status = status;
        response.set_content(body, "application/json; charset=utf-8");
    }

    void Routes()
    {
        set_pre_routing_handler([this](const httplib::Request &request, httplib::Response &response) {
            if (request.remote_addr != "127.0.0.1") {
                Json(response, 403, ErrorJson("only this machine may ask"));
                return HandlerResponse::Handled;
            }
            if (!IsOwnHost(request.get_header_value("Host"), port)) {
                Json(response, 403, ErrorJson("unexpected Host header; ask 127.0.0.1:" + std::to_string(port)));
                return HandlerResponse::Handled;
            }
            return HandlerResponse::Unhandled;
        });
        // A client that asks first learns of an oversized body before it sends one.
        set_expect_100_continue_handler([this](const httplib::Request &request, httplib::Response &response) {
            if (request.get_header_value<std::uint64_t>("Content-Length") > limits.maxBodyBytes) {
                Json(response, 413, ErrorJson(TooLarge()));
                return 413;
            }
            return 100;
        });
        set_error_handler(HandlerWithResponse([this](const httplib::Request &, httplib::Response &response) {
            if (!response.body.empty())
                return HandlerResponse::Unhandled;
            const std::string reason = response.status == 413   ? TooLarge()
                                       : response.status == 404 ? std::string("no such page; try /, /state, /fonts, POST /events, /style or /rules")
                                       : response.status == 400 ? std::string("bad request")
                                                                : std::string(httplib::detail::status_message(response.status));
            Json(response, response.status, ErrorJson(reason));
            return HandlerResponse::Handled;
        }));

        // Whatever went wrong stays in the companion: the client learns only that it did.
        set_exception_handler([](const httplib::Request &, httplib::Response &response, std::exception_ptr) {
            response.set_header("Connection", "close");
            Json(response, 500, ErrorJson("the request could not be handled"));
        });

        Get("/", [](const httplib::Request &request, httplib::Response &response) {
            response.set_content(StatusPageHtml(PickPageLanguage(request.get_header_value("Accept-Language"))),
                                 "text/html; charset=utf-8");
            response.set_header("Cache-Control", "no-store");
            response.set_header("Vary", "Accept-Language");
        });
        Get("/fonts", [](const httplib::Request &, httplib::Response &response) {
            nlohmann::json fonts = nlohmann::json::array();
            for (const auto &family : InstalledFontFamilies())
                fonts.push_back(Utf16ToUtf8(family));
            Json(response, 200, nlohmann::json{{"fonts", fonts}}.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace));
        });
        Post("/style", [this](const httplib::Request &request, httplib::Response &response,
                              const httplib::ContentReader &reader) {
            const auto body = ReadEditBody(request, response, reader);
            if (!body)
                return;
            StyleEdit edit = ParseStyleBody(*body, shared.view.Get().style);
            if (!edit.style)
                return Json(response, 400, ErrorJson(edit.error));
            SubmitEdit({std::move(edit.style), std::nullopt, request.get_param_value("save") == "1"}, response);
        });
        Post("/rules", [this](const httplib::Request &request, httplib::Response &response,
                              const httplib::ContentReader &reader) {
            const auto body = ReadEditBody(request, response, reader);
            if (!body)
                return;
            RulesEdit edit = ParseRulesBody(*body, shared.view.Get().rules);
            if (!edit.rules)
                return Json(response, 400, ErrorJson(edit.error));
            SubmitEdit({std::nullopt, std::move(edit.rules), request.get_param_value("save") == "1"}, response);
        });
        Get("/state", [this](const httplib::Request &, httplib::Response &response) {
            Json(response, 200, StateJson(shared.view.Get(), shared.counters.taken, shared.counters.refused, port));
            response.set_header("Cache-Control", "no-store");
        });
        Post("/events", [this](const httplib::Request &request, httplib::Response &response,
                               const httplib::ContentReader &reader) { PostEvents(request, response, reader); });
    }

    // The body of a style or rules change, held to the same size limit as events and under
    // the same Origin rule; nothing (the answer set) when it is refused.
    std::optional<std::string> ReadEditBody(const httplib::Request &request, httplib::Response &response,
                                            const httplib::ContentReader &reader)
    {
        if (!IsOwnOrigin(request.get_header_value("Origin"), port)) {
            Json(response, 403, ErrorJson("the look and the rules change from this machine's tools or this companion's page only"));
            return std::nullopt;
        }
        return ReadBody(response, reader);
    }

    // The body read here, not by the library, so a body without a length (chunked, or up to
    // the end of the connection) is held to the same limit; nothing (the answer set) when it
    // is too large or did not arrive whole.
    std::optional<std::string> ReadBody(httplib::Response &response, const httplib::ContentReader &reader)
    {
        std::string body;
        bool tooLarge = false;
        const bool read = reader([&](const char *data, std::size_t length) {
            tooLarge = body.size() + length > limits.maxBodyBytes;
            if (!tooLarge)
                body.append(data, length);
            return !tooLarge;
        });
        if (tooLarge || response.status == 413 || !read) {
            const bool large = tooLarge || response.status == 413;
            response.set_header("Connection", "close");
            Json(response, large ? 413 : 400, ErrorJson(large ? TooLarge() : "the body did not arrive whole"));
            return std::nullopt;
        }
        return body;
    }

    // Applied (and saved) by the main loop; the answer comes once the style block is written.
    void SubmitEdit(PageEdit edit, httplib::Response &response)
    {
        const bool save = edit.save;
        std::string fault;
        switch (shared.edits.Submit(std::move(edit), std::chrono::milliseconds(limits.publishWaitMilliseconds), fault)) {
        case EditInbox::Result::Done:
            return Json(response, 200, nlohmann::json{{"applied", true}, {"saved", save}}.dump());
        case EditInbox::Result::Failed:
            return Json(response, 409, ErrorJson(fault));
        case EditInbox::Result::Busy:
            response.set_header("Retry-After", "1");
            return Json(response, 503, ErrorJson("too many changes waiting; try again"));
        case EditInbox::Result::TimedOut:
            return Json(response, 202, nlohmann::json{{"applied", "pending"}}.dump());
        }
    }

    std::string TooLarge() const
    {
        return "body larger than " + std::to_string(limits.maxBodyBytes) + " bytes";
    }

    void PostEvents(const httplib::Request &request, httplib::Response &response, const httplib::ContentReader &reader)
    {
        if (!IsOwnOrigin(request.get_header_value("Origin"), port)) {
            Json(response, 403, ErrorJson("gifts come from this machine's tools or this companion's page only"));
            return;
        }
        const auto body = ReadBody(response, reader);
        if (!body)
            return;
        GiftBody gifts = ParseGiftBody(*body, limits.maxEventsPerRequest);
        if (!gifts.Ok()) {
            shared.counters.refused += gifts.offered;
            Json(response, gifts.tooMany ? 413 : 400, ErrorJson(gifts.error));
            return;
        }
        const std::size_t count = gifts.events.size();
        const auto batch = shared.inbox.Offer(std::move(gifts.events));
        if (!batch) {
            response.set_header("Retry-After", "1");
            Json(response, 503, ErrorJson("too many events waiting; try again"));
            return;
        }
        // 202 only once the lines are in the scene's block, so a frame drawn after it shows
        // them. A body not shown in time is taken back whole, so a client that sends it again
        // thanks once; one the main loop holds already is being published and is waited for.
        bool shown = shared.inbox.WaitPublished(*batch, std::chrono::milliseconds(limits.publishWaitMilliseconds));
        if (!shown && !shared.inbox.Withdraw(*batch))
            shown = shared.inbox.WaitPublished(*batch, std::chrono::milliseconds(kPublishingMilliseconds));
        if (!shown) {
            response.set_header("Retry-After", "1");
            Json(response, 503, ErrorJson("not shown within " + std::to_string(limits.publishWaitMilliseconds) +
                                          " ms; none of it will be, so it can be sent again"));
            return;
        }
        Json(response, 202, nlohmann::json{{"taken", count}}.dump());
    }
};

} // namespace

std::unique_ptr<CompanionHttp> CompanionHttp::Start(const std::vector<std::uint16_t> &ports, Shared shared,
                                                    const HttpLimits &limits, std::string &error)
{
    if (ports.empty()) {
        error = "no port to try";
        return nullptr;
    }
    for (const std::uint16_t port : ports) {
        auto server = std::make_unique<Server>(shared, limits);
        if (server->Listen(port))
            return server;
    }
    error = "no free port among " + std::to_string(ports.front()) +
            (ports.size() > 1 ? " to " + std::to_string(ports.back()) : std::string());
    return nullptr;
}
