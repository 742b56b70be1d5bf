#pragma once
// Sockets and the Winsock session they need. Apart from the rest of the library so that only
// programs that use sockets import ws2_32.dll; they link ws2_32 themselves.
#include <winsock2.h>

#include "win/Handle.h"

namespace win {

struct SocketTraits {
    using Type = SOCKET;
    static Type None() { return INVALID_SOCKET; }
    static bool Holds(Type s) { return s != INVALID_SOCKET; }
    static void Free(Type s);
};
using SocketHandle = Owned<SocketTraits>;

// WSAStartup for the object's lifetime.
class WinsockSession {
    bool started = false;

public:
    WinsockSession();
    ~WinsockSession();
    WinsockSession(const WinsockSession &) = delete;
    WinsockSession &operator=(const WinsockSession &) = delete;
    bool Started() const { return started; }
};

} // namespace win
