#pragma once
// The sink session: plays a source's stream through the stream player library (StreamDll.dll),
// opens the user-input back channel to the source and answers the source's I2C requests.
#include <winsock2.h>
#include <windows.h>

#include <atomic>
#include <cstdint>
#include <string>

#include "wlapi/wfd_entries.h"

// Callback codes of the player.
enum WDPSinkEvent {
    SINK_ACCEPT_TRIGGER_PAUSE = 0,
    SINK_ACCEPT_TRIGGER_PLAY = 1,
    SINK_ACCEPT_TRIGGER_TEARDOWN = 2,
    SINK_ACCEPT_M7_RESPONSE_OK = 3,
    SINK_ACCEPT_UIBC_PORT = 4,
    SINK_ACCEPT_VIDEO_NATIVE = 5,
    SINK_ACCEPT_VIDEO_CODEC = 6,
    SINK_ACCEPT_UIBC_ENABLE = 7,
    SINK_ACCEPT_UIBC_DISABLE = 8,
    SINK_ACCEPT_PREFERRED_DISPLAY_MODE = 9,
    SINK_SEC_SN_COUPLED = 10,
    SINK_SEC_SN_COUPLEDTEARDOWN = 11,
    SINK_DELIVER_WATCHVARIABLE = 12,
    SINK_CLOSE_SOCKETNUM = 13,
    SINK_ACCEPT_UIBC_TYPE = 14,
};

// Player states of GetPlayerState.
constexpr int SINK_PLAYER_OPENING = 1;
constexpr int SINK_PLAYER_PLAYING = 3;
constexpr int SINK_PLAYER_PAUSED = 4;

constexpr int WDP_SINK_RTP_PORT0 = 55050;
constexpr int WDP_SINK_RTP_PORT1 = 55150;
constexpr int WDP_SINK_I2C_PORT = 13050;

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
    void RTSPIDRRequest();
    void SnStandby();
    void SnDoWork(int type);
    void Stop();
    void SinkSetDefault();
    SOCKET SnUIBC();
    void CloseUIBCSocket();
    void JudgeSourceResolution();
    void GetSourceResolution(int& width, int& height) const;
    std::string GetPlayerStateText();

    // I2C server.
    int CreateReceiveI2CDataThread();
    void TerminateI2CThread();
    // The port the I2C server listens on once it is up (0 before); tests let the system choose it.
    static int I2CListenPort();
    static std::atomic<int> i2cPortOverride;   // -1: the fixed port; 0: any free port
    static std::atomic<int> i2cPollMs;          // pause before each receive
    static std::atomic<int> i2cIdleMs;          // a connection silent this long is closed

    // The session id text the player reported with its M7 response.
    static std::string SessionID();

    // Remote input to the source (sender in UibcSink.cpp): one packet per input on m_SUIBC; 1 when
    // the socket exists, whatever becomes of the packet, 0 without it.
    int SendMouseMoveUIBC(int type, int x, int y, int data1, int data2);
    // The incoming picture's size, which panel coordinates are scaled to.
    int m_iSourceWidth = 0;
    int m_iSourceHeight = 0;

    // 1 generic input, 0 HIDC input, as the player negotiated.
    static std::atomic<int> m_bGeneric;
    SOCKET m_SUIBC = 0;
    int m_bSupportPreferredDisplayMode = 0;
    bool Loaded() const { return hlibPlayerDll != nullptr; }

private:
    void LoadPlayer();
    SOCKET Connect(const std::string& address, int port);

    HMODULE hlibPlayerDll = nullptr;
    const std::string* m_pConnectedIP = nullptr;
    // The five option texts of SetPath keep their last text between calls.
    char m_szPathOptions[5][30] = {};

    PFN_SN_Create Create = nullptr;
    PFN_SN_Void Release = nullptr;
    PFN_SN_SetPath SetPath = nullptr;
    PFN_SN_Void Play = nullptr;
    PFN_SN_Void Pause = nullptr;
    PFN_SN_Void StopPlayer = nullptr;
    PFN_SN_GetHwnd GetHwnd = nullptr;
    PFN_SN_Void IsPlaying = nullptr;
    PFN_SN_Void GetPlayerState = nullptr;
    PFN_SN_SetBindIP SetBindIP = nullptr;
    PFN_SN_Set_UICallBack Set_UICallBack = nullptr;
    PFN_SN_Int Set_SupportPreferredDisplayMode = nullptr;
    PFN_SN_Int DoWork = nullptr;
    PFN_SN_Set_UIBCData Set_UIBCData = nullptr;
    PFN_SN_Int Set_I2CPort = nullptr;
    PFN_SN_RedirectEvent RedirectEvent = nullptr;
    PFN_SN_Int Set_Role = nullptr;
    PFN_SN_Set_RTPPort Set_RTPPort = nullptr;
    PFN_SN_Int Set_IsDoCouple = nullptr;
    PFN_SN_Int Set_CoupleStatus = nullptr;
    PFN_SN_Void Get_CoupleStatus = nullptr;
    PFN_SN_Int Set_Fullscreen = nullptr;
    PFN_SN_Set_SupportVideo Set_SupportVideo = nullptr;
    PFN_SN_Int Set_SupportEDID = nullptr;
    PFN_SN_Int Set_SupportI2C = nullptr;
    PFN_SN_Int Set_SupportStandby = nullptr;
    void SendUIBCData(int type, int x, int y, int data1, int data2);
};

// The reply of the sink's I2C server to one request (the bytes received), as it is sent.
std::string WDPSinkI2CReply(const unsigned char* request, int length);
