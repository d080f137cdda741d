#pragma once
// TCP on the loopback address for tests that play the peer of a back channel: a listener at a
// port the system picks, connections to a port, packets written as hex bytes.
#include <winsock2.h>
#include <ws2tcpip.h>

#include <string>

// The listener, with its address in at; INVALID_SOCKET when it cannot listen. A receiveBuffer
// above 0 sets the size of the receive window of the connections it accepts.
inline SOCKET ListenOnLoopback(sockaddr_in& at, int receiveBuffer = 0)
{
    SOCKET listener = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    at = sockaddr_in{};
    at.sin_family = AF_INET;
    inet_pton(AF_INET, "127.0.0.1", &at.sin_addr);
    if (listener == INVALID_SOCKET)
        return INVALID_SOCKET;
    if (receiveBuffer > 0)
        setsockopt(listener, SOL_SOCKET, SO_RCVBUF, reinterpret_cast<const char*>(&receiveBuffer),
                   sizeof receiveBuffer);
    int size = sizeof at;
    if (bind(listener, reinterpret_cast<sockaddr*>(&at), sizeof at) != 0 || listen(listener, 1) != 0 ||
        getsockname(listener, reinterpret_cast<sockaddr*>(&at), &size) != 0) {
        closesocket(listener);
        return INVALID_SOCKET;
    }
    return listener;
}

// A connection to the port on 127.0.0.1 from the given local address, sent without delay;
// INVALID_SOCKET when nobody takes it.
inline SOCKET ConnectTo(int port, const char* from = "127.0.0.1")
{
    SOCKET s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    if (s == INVALID_SOCKET)
        return INVALID_SOCKET;
    sockaddr_in local{};
    local.sin_family = AF_INET;
    inet_pton(AF_INET, from, &local.sin_addr);
    bind(s, reinterpret_cast<sockaddr*>(&local), sizeof local);
    const BOOL noDelay = TRUE;
    setsockopt(s, IPPROTO_TCP, TCP_NODELAY, reinterpret_cast<const char*>(&noDelay), sizeof noDelay);
    sockaddr_in server{};
    server.sin_family = AF_INET;
    server.sin_port = htons(u_short(port));
    inet_pton(AF_INET, "127.0.0.1", &server.sin_addr);
    if (connect(s, reinterpret_cast<sockaddr*>(&server), sizeof server) == SOCKET_ERROR) {
        closesocket(s);
        return INVALID_SOCKET;
    }
    return s;
}

// True when the other end closes this connection within the time.
inline bool ClosedByPeer(SOCKET s, DWORD ms = 3000)
{
    fd_set set;
    FD_ZERO(&set);
    FD_SET(s, &set);
    timeval wait = {long(ms / 1000), long(ms % 1000) * 1000};
    if (select(0, &set, nullptr, nullptr, &wait) <= 0)
        return false;
    char byte;
    return recv(s, &byte, 1, 0) <= 0;
}

// The bytes of "00 0E 02 ...": two hex digits and a space each.
inline std::string Packet(const std::string& hex)
{
    std::string bytes;
    for (size_t i = 0; i + 1 < hex.size(); i += 3)
        bytes.push_back(char(std::stoi(hex.substr(i, 2), nullptr, 16)));
    return bytes;
}
