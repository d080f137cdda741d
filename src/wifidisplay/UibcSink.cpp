#include "wifidisplay/WDPSink.h"

#include "core/Log.h"
#include "wifidisplay/UibcPacket.h"

int WDPSink::SendMouseMoveUIBC(int type, int x, int y, int data1, int data2)
{
    if (!m_SUIBC) {
        PrintMessage(2, "[WDP][SendMouseMoveUIBC] m_SUIBC=0\n");
        return 0;
    }
    SendUIBCData(type, x, y, data1, data2);
    return 1;
}

void WDPSink::SendUIBCData(int type, int x, int y, int data1, int data2)
{
    uint8_t packet[UIBC_SEND_BUFFER_SIZE];
    const size_t length = BuildUIBCData(packet, m_bGeneric, type, x, y, data1, data2);
    if (!length) {
        PrintMessage(6, "[UIBC][SendUIBCData] type %d is not sent\n", type);
        return;
    }
    for (size_t i = 0; i < length; ++i)
        PrintMessage(6, "[UIBC][Send][%d] =%02X\n", int(i), packet[i]);
    // The socket does not block: when the source stops reading, the input is dropped.
    const int result = send(m_SUIBC, reinterpret_cast<const char*>(packet), int(length), 0);
    if (result == int(length))
        return;
    const int error = WSAGetLastError();
    if (result == SOCKET_ERROR && error == WSAEWOULDBLOCK) {
        PrintMessage(2, "[UIBC][SendUIBCData] the source is not reading, input dropped\n");
        return;
    }
    if (result == SOCKET_ERROR)
        PrintMessage(2, "[UIBC][SendUIBCData] send Readrequest error nResult=%d LastError=%d\n", result, error);
    else
        PrintMessage(2, "[UIBC][SendUIBCData] %d of %d bytes sent, the channel is closed\n", result, int(length));
    CloseUIBCSocket();
}
