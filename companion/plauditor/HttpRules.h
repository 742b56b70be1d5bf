#pragma once
// The HTTP side's rules that need no socket: limits, who may ask, and the JSON of an answer.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

struct HttpLimits {
    std::size_t maxBodyBytes = 64 * 1024;   // past this: 413
    std::size_t maxEventsPerRequest = 500;  // past this: 413
    std::size_t maxWaitingEvents = 4096;    // inbox bound; past this: 503
    unsigned workers = 8;                   // connections served at once
    unsigned queued = 24;                   // connections waiting for a worker; past this: 503
    unsigned idleSeconds = 2;               // no request by then: 408 and closed
    unsigned ioSeconds = 2;                 // one read or write
    unsigned connectionSeconds = 5;         // a whole connection, however it trickles
    unsigned publishWaitMilliseconds = 2000;  // a POST waits this long for its lines to be shown
    std::size_t maxHeadBytes = 32 * 1024;   // request line and headers; past this: 431
    std::size_t maxHeaders = 64;            // header lines; past this: 431
    std::size_t bodyFramingBytes = 16 * 1024;  // chunk sizes and trailers read beyond the body
    std::size_t maxHeadsAwaited = 16;       // connections whose head is still arriving; past this
                                            // the one waiting longest is answered 503
};

// How much of a request's head (its request line and headers, up to the blank line) has
// arrived, judged before a worker thread is spent on reading it.
enum class RequestHead { Partial, Complete, TooLarge, TooManyHeaders };
RequestHead ClassifyRequestHead(std::string_view arrived, const HttpLimits &limits);

// The Host header of a request made to this port on this machine ("127.0.0.1:port" or
// "localhost:port"). Anything else is a page of some other site that resolved its name here.
bool IsOwnHost(std::string_view host, std::uint16_t port);

// An Origin header that lets a POST through: none (curl, bots) or this companion's own page.
// A page of any other site must not post gifts through the streamer's browser.
bool IsOwnOrigin(std::string_view origin, std::uint16_t port);

// {"error": reason}, one line.
std::string ErrorJson(std::string_view reason);
