#include "support/LoopbackHttp.h"

#include <algorithm>
#include <cstdlib>

namespace {

sockaddr_in Loopback(std::uint16_t port)
{
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(port);
    return address;
}

} // namespace

win::SocketHandle ConnectLoopback(std::uint16_t port)
{
    win::SocketHandle s(socket(AF_INET, SOCK_STREAM, IPPROTO_TCP));
    const sockaddr_in address = Loopback(port);
    if (s && connect(s.get(), reinterpret_cast<const sockaddr *>(&address), sizeof address) != 0)
        s.reset();
    return s;
}

std::uint16_t FreeLoopbackPort()
{
    sockaddr_in address = Loopback(0);
    int length = sizeof address;
    const win::SocketHandle probe(socket(AF_INET, SOCK_STREAM, IPPROTO_TCP));
    bind(probe.get(), reinterpret_cast<const sockaddr *>(&address), sizeof address);
    getsockname(probe.get(), reinterpret_cast<sockaddr *>(&address), &length);
    return ntohs(address.sin_port);
}

HttpReply ExchangeRaw(std::uint16_t port, std::string_view request, unsigned timeoutMs)
{
    HttpReply reply;
    const win::SocketHandle s = ConnectLoopback(port);
    if (!s)
        return reply;
    const DWORD timeout = timeoutMs;
    setsockopt(s.get(), SOL_SOCKET, SO_RCVTIMEO, reinterpret_cast<const char *>(&timeout), sizeof timeout);
    setsockopt(s.get(), SOL_SOCKET, SO_SNDTIMEO, reinterpret_cast<const char *>(&timeout), sizeof timeout);
    size_t sent = 0;
    while (sent < request.size()) {
        const int wrote = send(s.get(), request.data() + sent, static_cast<int>(std::min<size_t>(request.size() - sent, 1 << 16)), 0);
        if (wrote <= 0)
            break;  // the server may answer and close before taking everything
        sent += static_cast<size_t>(wrote);
    }
    std::string answer;
    char buffer[4096];
    int got = 0;
    while ((got = recv(s.get(), buffer, sizeof buffer, 0)) > 0)
        answer.append(buffer, static_cast<size_t>(got));
    if (answer.rfind("HTTP/1.1 ", 0) != 0 || answer.size() < 12)
        return reply;
    reply.status = std::atoi(answer.c_str() + 9);
    const size_t end = answer.find("\r\n\r\n");
    reply.headers = answer.substr(0, end);
    if (end != std::string::npos)
        reply.body = answer.substr(end + 4);
    return reply;
}

std::string CurlLikePost(std::uint16_t port, std::string_view path, std::string_view body, std::string_view extraHeaders)
{
    return "POST " + std::string(path) + " HTTP/1.1\r\nHost: 127.0.0.1:" + std::to_string(port) +
           "\r\nUser-Agent: curl/7.88.1\r\nAccept: */*\r\nContent-Length: " + std::to_string(body.size()) +
           "\r\nContent-Type: application/x-www-form-urlencoded\r\n" + std::string(extraHeaders) + "\r\n" +
           std::string(body);
}

std::string PlainGet(std::uint16_t port, std::string_view path)
{
    return "GET " + std::string(path) + " HTTP/1.1\r\nHost: 127.0.0.1:" + std::to_string(port) +
           "\r\nAccept: */*\r\nConnection: close\r\n\r\n";
}
