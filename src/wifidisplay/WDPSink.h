#pragma once
// The sink session: plays a source's stream through the stream player library.
#include <winsock2.h>
#include <windows.h>

#include <string>

#include "wlapi/wfd_entries.h"

class WDPSink {
public:
    WDPSink();
    ~WDPSink();
    WDPSink(const WDPSink&) = delete;
    WDPSink& operator=(const WDPSink&) = delete;

    void SetPostHandle(HWND window);
    void SetConnectedIPSource(const std::string* address);
    int ConnectRTSPServer(const std::string& address, int port, int role);
    void RTSPPlay();
    void RTSPPause();
    void Stop();
    void SinkSetDefault();
    void SnUIBC();
    void GetSourceResolution(int& width, int& height) const;

    // Remote input to the source (sender in UibcSink.cpp): one packet per input on m_SUIBC; 1 when
    // the socket exists, whatever becomes of the packet, 0 without it.
    int SendMouseMoveUIBC(int type, int x, int y, int data1, int data2);
    void CloseUIBCSocket();
    SOCKET m_SUIBC = 0;
    // The incoming picture's size, which panel coordinates are scaled to.
    int m_iSourceWidth = 0;
    int m_iSourceHeight = 0;

    // 1 generic input, 0 HIDC input, as the player negotiated.
    int m_bGeneric = 0;
    bool Loaded() const { return m_hPlayerLib != nullptr; }

private:
    void SendUIBCData(int type, int x, int y, int data1, int data2);

    HMODULE m_hPlayerLib = nullptr;
    const std::string* m_pConnectedIP = nullptr;
};
