#pragma once
// The source session: streams this computer's screen to a sink through the session library
// and the capture library.
#include <windows.h>

#include <string>

#include "wifidisplay/UibcSource.h"
#include "wlapi/wfd_entries.h"

class WDPSource {
public:
    WDPSource();
    ~WDPSource();
    WDPSource(const WDPSource&) = delete;
    WDPSource& operator=(const WDPSource&) = delete;

    void SetPostHandle(HWND window);
    int StartRTSPServer();
    int StopRTSPServer();
    void StartSession();
    void StopCapture();
    void TriggerPlay();
    void TriggerPause();
    void TriggerTeardown();
    void SetCaptureCursor(int on);
    void SourceSetDefault();
    void SendDoWork(const char* address, int request, void* data);

    int m_bRTSPServerStarted = 0;

    // Remote input from the sink, for the client at clientAddress (UibcSource.cpp).
    int CreateReceiveUIBCDataThread(const std::string& clientAddress);
    void SoUIBCEnable(const std::string& clientAddress);
    void SoUIBCDisable(const std::string& clientAddress);
    UibcSource m_UIBC;
    bool Loaded() const { return m_hSessionLib != nullptr; }

private:
    void LoadWDPAPI();
    void FreeWDPAPI();

    HMODULE m_hSessionLib = nullptr;
    PFN_WVWDP_StartOrStopRTSPServer WVWDP_StartOrStopRTSPServer = nullptr;
    PFN_WVWDP_GetRTSPURLPrefix WVWDP_GetRTSPURLPrefix = nullptr;
    PFN_WVWDP_Init WVWDP_Init = nullptr;
    PFN_WVWDP_StartSessionSetup WVWDP_StartSessionSetup = nullptr;
    PFN_WVWDP_TriggerMethod WVWDP_TriggerMethod = nullptr;
    PFN_WVWDP_GetSessionID WVWDP_GetSessionID = nullptr;
    PFN_WVWDP_UIBC WVWDP_UIBC = nullptr;
    PFN_WVWDP_IsDoCouple WVWDP_IsDoCouple = nullptr;
    PFN_WVWDP_DoWork WVWDP_DoWork = nullptr;
};
