#pragma once
// HTTP to a port on 127.0.0.1 the way curl and bots speak it: raw bytes over a socket, so
// tests can also send what no well-behaved client would (no length, huge bodies, silence).
#include "win/Socket.h"

#include <cstdint>
#include <string>
#include <string_view>

struct HttpReply {
    int status = 0;        // 0: no answer (refused, reset, timed out)
    std::string headers;   // the header lines as sent
    std::string body;
};

// Sends request as it is and reads the answer until the server closes or timeoutMs passes.
HttpReply ExchangeRaw(std::uint16_t port, std::string_view request, unsigned timeoutMs = 10000);

// The request curl -X POST http://127.0.0.1:port/events -d 'body' sends (form content type,
// as curl -d says), with extraHeaders ("Name: value\r\n" each) added.
std::string CurlLikePost(std::uint16_t port, std::string_view path, std::string_view body,
                         std::string_view extraHeaders = {});
std::string PlainGet(std::uint16_t port, std::string_view path);

// A TCP port on 127.0.0.1 that nothing listens on right now.
std::uint16_t FreeLoopbackPort();
// A socket connected to 127.0.0.1:port, or none.
win::SocketHandle ConnectLoopback(std::uint16_t port);
