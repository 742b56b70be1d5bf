#pragma once
// Gift events over TCP: JSON lines from any number of connections to 127.0.0.1 only.
#include "companion/plauditor/LineAssembler.h"

#include <winsock2.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class SocketHandle {
    SOCKET socket = INVALID_SOCKET;

public:
    SocketHandle() = default;
    explicit SocketHandle(SOCKET s) : socket(s) {}
    SocketHandle(SocketHandle &&other) noexcept;
    SocketHandle &operator=(SocketHandle &&other) noexcept;
    SocketHandle(const SocketHandle &) = delete;
    SocketHandle &operator=(const SocketHandle &) = delete;
    ~SocketHandle();
    SOCKET get() const { return socket; }
    explicit operator bool() const { return socket != INVALID_SOCKET; }
};

class WinsockSession {
    bool started = false;

public:
    WinsockSession();
    ~WinsockSession();
    WinsockSession(const WinsockSession &) = delete;
    WinsockSession &operator=(const WinsockSession &) = delete;
    bool Started() const { return started; }
};

class GiftListener {
    struct Connection {
        SocketHandle socket;
        LineAssembler assembler;
    };
    SocketHandle listening;
    std::vector<std::unique_ptr<Connection>> connections;
    std::uint16_t port;

    explicit GiftListener(SocketHandle s, std::uint16_t p) : listening(std::move(s)), port(p) {}

public:
    // Listens on 127.0.0.1:port. Nothing, with the socket error code, when it cannot.
    static std::optional<GiftListener> Start(std::uint16_t port, int &error);

    struct News {
        std::vector<std::string> lines;
        std::vector<std::string> notes;
    };
    // Waits up to milliseconds for connections or data, then takes what arrived.
    News Poll(unsigned milliseconds);
    std::uint16_t Port() const { return port; }
};
