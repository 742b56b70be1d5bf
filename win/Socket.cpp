#include "win/Socket.h"

namespace win {

void SocketTraits::Free(SOCKET s) { closesocket(s); }

WinsockSession::WinsockSession()
{
    WSADATA data{};
    started = WSAStartup(MAKEWORD(2, 2), &data) == 0;
}

WinsockSession::~WinsockSession()
{
    if (started)
        WSACleanup();
}

} // namespace win
