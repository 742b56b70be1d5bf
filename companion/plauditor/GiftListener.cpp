#include "companion/plauditor/GiftListener.h"

#include <algorithm>
#include <string>
#include <utility>

namespace {

constexpr int kReceiveChunk = 4096;

std::string Duration(ULONGLONG milliseconds)
{
    return milliseconds % 1000 == 0 || milliseconds > 10000 ? std::to_string(milliseconds / 1000) + " s"
                                                            : std::to_string(milliseconds) + " ms";
}

bool SetNonBlocking(SOCKET s)
{
    u_long on = 1;
    return ioctlsocket(s, FIONBIO, &on) == 0;
}

} // namespace

std::optional<GiftListener> GiftListener::Start(std::uint16_t port, int &error, unsigned idleMilliseconds)
{
    win::SocketHandle s(::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP));
    if (!s) {
        error = WSAGetLastError();
        return std::nullopt;
    }
    // No other program may take over the port while we listen on it.
    BOOL exclusive = TRUE;
    setsockopt(s.get(), SOL_SOCKET, SO_EXCLUSIVEADDRUSE, reinterpret_cast<const char *>(&exclusive), sizeof exclusive);

    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(port);
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    int length = sizeof address;
    if (bind(s.get(), reinterpret_cast<const sockaddr *>(&address), sizeof address) != 0 ||
        listen(s.get(), SOMAXCONN) != 0 || !SetNonBlocking(s.get()) ||
        getsockname(s.get(), reinterpret_cast<sockaddr *>(&address), &length) != 0) {
        error = WSAGetLastError();
        return std::nullopt;
    }
    error = 0;
    return GiftListener(std::move(s), ntohs(address.sin_port), idleMilliseconds);
}

GiftListener::News GiftListener::Poll(unsigned milliseconds)
{
    News news;
    fd_set readable;
    FD_ZERO(&readable);
    FD_SET(listening.get(), &readable);
    for (const auto &connection : connections)
        FD_SET(connection->socket.get(), &readable);
    timeval timeout{static_cast<long>(milliseconds / 1000), static_cast<long>((milliseconds % 1000) * 1000)};
    const int ready = select(0, &readable, nullptr, nullptr, &timeout);
    const ULONGLONG now = GetTickCount64();
    if (ready <= 0) {
        CloseIdle(news, now);
        return news;
    }

    for (auto &connection : connections) {
        if (!FD_ISSET(connection->socket.get(), &readable))
            continue;
        char buffer[kReceiveChunk];
        const int got = recv(connection->socket.get(), buffer, sizeof buffer, 0);
        if (got > 0) {
            connection->lastHeard = now;
            auto result = connection->assembler.Feed(std::string_view(buffer, static_cast<std::size_t>(got)));
            for (auto &line : result.lines)
                news.lines.push_back(std::move(line));
            if (result.overlongDropped > 0)
                news.notes.push_back("dropped an overlong line from a connection");
            continue;
        }
        if (got < 0 && WSAGetLastError() == WSAEWOULDBLOCK)
            continue;
        // Closed: a last line without its newline still counts, as the sender is done.
        auto rest = connection->assembler.Feed("\n");
        for (auto &line : rest.lines)
            news.lines.push_back(std::move(line));
        connection->socket = win::SocketHandle();
    }
    std::erase_if(connections, [](const auto &connection) { return !connection->socket; });
    CloseIdle(news, now);
    if (FD_ISSET(listening.get(), &readable))
        Accept(news, now);
    return news;
}

void GiftListener::CloseIdle(News &news, ULONGLONG now)
{
    const std::size_t before = connections.size();
    std::erase_if(connections, [&](const auto &connection) { return now - connection->lastHeard >= idleLimit; });
    const std::size_t closed = before - connections.size();
    if (closed > 0)
        news.notes.push_back("closed " + std::to_string(closed) + (closed == 1 ? " connection" : " connections") +
                             " silent for " + Duration(idleLimit));
}

void GiftListener::Accept(News &news, ULONGLONG now)
{
    win::SocketHandle accepted(accept(listening.get(), nullptr, nullptr));
    if (!accepted || !SetNonBlocking(accepted.get()))
        return;
    // Full: the connection heard from longest ago goes, whatever it was in the middle of.
    if (connections.size() >= kMaxConnections) {
        const auto quietest = std::min_element(connections.begin(), connections.end(), [](const auto &a, const auto &b) {
            return a->lastHeard < b->lastHeard;
        });
        news.notes.push_back("all " + std::to_string(kMaxConnections) +
                             " connections taken; closed the one silent longest (" +
                             Duration(now - (*quietest)->lastHeard) + ") for a new one");
        connections.erase(quietest);
    }
    auto connection = std::make_unique<Connection>();
    connection->socket = std::move(accepted);
    connection->lastHeard = now;
    connections.push_back(std::move(connection));
}
