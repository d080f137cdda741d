#pragma once
// The sink session: plays a source's stream through the stream player library.
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

    // 1 generic input, 0 HIDC input, as the player negotiated.
    int m_bGeneric = 0;
    bool Loaded() const { return m_hPlayerLib != nullptr; }

private:
    HMODULE m_hPlayerLib = nullptr;
    const std::string* m_pConnectedIP = nullptr;
    int m_iSourceWidth = 0;
    int m_iSourceHeight = 0;
};
