#include "wifidisplay/WDPSink.h"

#include "core/Log.h"

namespace {
HWND g_hSinkPostWindow = nullptr;
}

WDPSink::WDPSink()
{
    m_hPlayerLib = LoadLibraryW(L"StreamDll.dll");
    if (!m_hPlayerLib)
        PrintMessage(2, "[WDP] LoadStreamLibrary fail(StreamDll.dll) !\n");
}

WDPSink::~WDPSink()
{
    CloseUIBCSocket();
    if (m_hPlayerLib)
        FreeLibrary(m_hPlayerLib);
}

void WDPSink::SetPostHandle(HWND window)
{
    g_hSinkPostWindow = window;
}

void WDPSink::SetConnectedIPSource(const std::string* address)
{
    m_pConnectedIP = address;
}

int WDPSink::ConnectRTSPServer(const std::string& address, int port, int role)
{
    PrintMessage(6, "[WDP][ConnectRTSPServer] %s:%d role=%d\n", address.c_str(), port, role);
    return -1;
}

void WDPSink::RTSPPlay()
{
    PrintMessage(6, "[WDP][Sn] RTSPPlay\n");
}

void WDPSink::RTSPPause()
{
    PrintMessage(6, "[WDP][Sn] RTSPPause\n");
}

void WDPSink::Stop()
{
    PrintMessage(6, "[WDP][Sn] Stop\n");
}

void WDPSink::SinkSetDefault()
{
    Stop();
    CloseUIBCSocket();
}

void WDPSink::CloseUIBCSocket()
{
    if (!m_SUIBC)
        return;
    if (closesocket(m_SUIBC) == SOCKET_ERROR)
        PrintMessage(2, "[WDP][CloseUIBCSocket] closesocket error=%d\n", WSAGetLastError());
    m_SUIBC = 0;
}

void WDPSink::SnUIBC()
{
    PrintMessage(6, "[WDP][Sn] SnUIBC\n");
}

void WDPSink::GetSourceResolution(int& width, int& height) const
{
    width = m_iSourceWidth;
    height = m_iSourceHeight;
}
