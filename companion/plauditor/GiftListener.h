#pragma once
// Gift events over TCP: JSON lines from any number of connections to 127.0.0.1 only. A
// connection that sends nothing for a while is closed, and when every slot is taken the one
// idle longest makes room, so connections that stay open and silent never lock senders out.
#include "companion/plauditor/LineAssembler.h"

#include "win/Socket.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class GiftListener {
    struct Connection {
        win::SocketHandle socket;
        LineAssembler assembler;
        ULONGLONG lastHeard = 0;  // GetTickCount64 at accept or the last bytes received
    };
    win::SocketHandle listening;
    std::vector<std::unique_ptr<Connection>> connections;
    std::uint16_t port;
    ULONGLONG idleLimit;

    GiftListener(win::SocketHandle s, std::uint16_t p, ULONGLONG idleMilliseconds)
        : listening(std::move(s)), port(p), idleLimit(idleMilliseconds) {}

public:
    static constexpr std::size_t kMaxConnections = 16;
    static constexpr unsigned kIdleMilliseconds = 10 * 60 * 1000;

    // Listens on 127.0.0.1:port (0: a free port the system picks, see Port()); connections
    // silent for idleMilliseconds are closed. Nothing, with the socket error code, when it
    // cannot listen.
    static std::optional<GiftListener> Start(std::uint16_t port, int &error,
                                             unsigned idleMilliseconds = kIdleMilliseconds);

    struct News {
        std::vector<std::string> lines;
        std::vector<std::string> notes;
    };
    // Waits up to milliseconds for connections or data, then takes what arrived.
    News Poll(unsigned milliseconds);
    // The port listened on.
    std::uint16_t Port() const { return port; }

private:
    void CloseIdle(News &news, ULONGLONG now);
    void Accept(News &news, ULONGLONG now);
};
