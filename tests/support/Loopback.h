#pragma once
// A TCP listener on the loopback address at a port the system picks, for tests that play the
// peer of a back channel.
#include <winsock2.h>
#include <ws2tcpip.h>

// The listener, with its address in at; INVALID_SOCKET when it cannot listen.
inline SOCKET ListenOnLoopback(sockaddr_in& at)
{
    SOCKET listener = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    at = sockaddr_in{};
    at.sin_family = AF_INET;
    inet_pton(AF_INET, "127.0.0.1", &at.sin_addr);
    if (listener == INVALID_SOCKET)
        return INVALID_SOCKET;
    int size = sizeof at;
    if (bind(listener, reinterpret_cast<sockaddr*>(&at), sizeof at) != 0 || listen(listener, 1) != 0 ||
        getsockname(listener, reinterpret_cast<sockaddr*>(&at), &size) != 0) {
        closesocket(listener);
        return INVALID_SOCKET;
    }
    return listener;
}
