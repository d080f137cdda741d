#pragma once
// The source session: streams this computer's screen to a sink through the session library
// (VaZEDEVE.dll) and the capture library (NetDisplayLib.dll or WFDSource.dll).
#include <winsock2.h>
#include <windows.h>

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <string>

#include "wifidisplay/UibcSource.h"
#include "wlapi/wfd_entries.h"

// Formats offered to sinks, handed to the session library with work request 20.
struct WDP_VIDEO_FORMAT_SUPPORT {
    uint8_t Profiles;  // bits: 1 constrained baseline, 2 constrained high
    uint8_t Levels;    // bits: 3.1, 3.2, 4, 4.1, 4.2
    uint8_t Reserved[2];
    uint32_t CEA;
    uint32_t VESA;
    uint32_t HH;
    uint32_t Reserved2;
};
static_assert(sizeof(WDP_VIDEO_FORMAT_SUPPORT) == 20);
static_assert(offsetof(WDP_VIDEO_FORMAT_SUPPORT, CEA) == 4);
static_assert(offsetof(WDP_VIDEO_FORMAT_SUPPORT, VESA) == 8);
static_assert(offsetof(WDP_VIDEO_FORMAT_SUPPORT, HH) == 12);

// Size of the video-format records the session library delivers (callback codes 52 and 58).
constexpr int WDP_VIDEO_FORMAT_RECORD_SIZE = 288;

// Work requests of WVWDP_DoWork.
constexpr int WORK_SO_STANDBY = 2;
constexpr int WORK_SET_SUPPORT_UIBC = 3;
constexpr int WORK_SET_NOTSUPPORT_UIBC = 4;
constexpr int WORK_SERVER_START = 5;
constexpr int WORK_GOIN_STANDBY = 7;
constexpr int WORK_SERVER_AFTER_UIBC = 8;
constexpr int WORK_SET_UIBC_PORT = 9;
constexpr int WORK_FORMAT_CHANGE = 10;
constexpr int WORK_KEEPALIVE = 11;
constexpr int WORK_UIBC_ENABLE = 12;
constexpr int WORK_UIBC_DISABLE = 13;
constexpr int WORK_SET_RTP_PORT0 = 16;
constexpr int WORK_SET_RTP_PORT1 = 17;
constexpr int WORK_SET_VIDEO_FORMAT = 20;
constexpr int WORK_SET_SCREEN_WIDTH = 21;
constexpr int WORK_SET_SCREEN_HEIGHT = 22;
constexpr int WORK_SET_KEEPALIVE_TIMEOUT = 23;
constexpr int WORK_I2C_TEST = 24;
constexpr int WORK_SET_SUPPORT_GENERIC = 27;

constexpr int WDP_SOURCE_RTP_PORT0 = 55650;
constexpr int WDP_SOURCE_RTP_PORT1 = 55750;
constexpr int WDP_RTSP_PORT = 7236;

// Timing record handed with the format-change work request: PTS and DTS as "%010u" texts.
struct WDP_FORMAT_CHANGE_TIMING {
    char PTS[12];
    char DTS[12];
    int32_t Table;      // 0 CEA, 1 VESA, 2 HH
    int32_t FormatBit;  // row of the format in its table
};
static_assert(sizeof(WDP_FORMAT_CHANGE_TIMING) == 32);
static_assert(offsetof(WDP_FORMAT_CHANGE_TIMING, DTS) == 12);
static_assert(offsetof(WDP_FORMAT_CHANGE_TIMING, Table) == 24);
static_assert(offsetof(WDP_FORMAT_CHANGE_TIMING, FormatBit) == 28);

// Row of the first table row with this width, height and frame rate; 0 when none.
int JudgeCEAResolationBit(int width, int height, int frameRate);
int JudgeVESAResolationBit(int width, int height, int frameRate);
int JudgeHHResolationBit(int width, int height, int frameRate);
// The row in table 0 (CEA), 1 (VESA) or 2 (HH); -1 for any other table.
int DecideVideoFormatBit(int width, int height, int frameRate, int table);
// Wall-clock time kept steady by the performance counter after the first call; always 0.
int GetTimeOfDay(long* seconds, long* microseconds);

// Callback codes of the session library.
enum WDPSourceEvent {
    SO_ACCEPT_CLIENT = 0,
    SO_CLIENT_CLOSED = 1,
    SO_M1_REQ = 10,
    SO_M3_RESP = 15,
    SO_M7_RESP = 23,
    SO_M9_RESP = 25,
    SO_M10_RESP = 27,
    SO_RECEIVE_STANDBYMODE = 45,
    SO_RECEIVE_IDRREQUEST = 46,
    SO_SEND_DETECT_GET_PARAMETER = 48,
    SO_RECEIVE_DETECT_GET_PARAMETER = 49,
    SO_DELIEVER_SINK_VIDEOFORMAT = 52,
    SO_DELIEVER_SN_TYPE = 55,
    SO_DELIEVER_SET_VIDEOFORMAT = 58,
};

// What the session library's callback wrote, read on the window thread.
struct WDPSourceSessionState {
    std::string connectingClientIP;
    std::string priSinkIP;
    std::string secSinkIP;
    int sinkI2CPort = 0;
    int connectedDeviceType = 0;
    uint16_t rtpPort0 = 0;
    uint16_t rtpPort1 = 0;
    uint8_t sinkVideoFormat[WDP_VIDEO_FORMAT_RECORD_SIZE] = {};
    uint8_t setVideoFormat[WDP_VIDEO_FORMAT_RECORD_SIZE] = {};
};

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
    int GetSessionID(int primary);
    void StartCapture(int needInit, int captureCursor);
    void StopCapture();
    int InitScreenCaptureLib(int captureCursor);
    void SetVideoResolutionAndFPS();
    void TriggerPlay();
    void TriggerPause();
    void TriggerTeardown();
    void GoInStandbyMode();
    void SoStandby();
    void SendIDR();
    void SendKeepalive();
    void SendDoWork(const char* address, int request, void* data);
    void SetCaptureCursor(int on);
    void SourceSetDefault();
    void CloseSession();
    void QueryDisplayModes();

    // Remote input from the sink, for the client at clientAddress (UibcSource.cpp).
    int CreateReceiveUIBCDataThread(const std::string& clientAddress);
    void SoUIBCEnable(const std::string& clientAddress);
    void SoUIBCDisable(const std::string& clientAddress);
    UibcSource m_UIBC;

    // The I2C back channel to the sink and the test operations (WDPSourceI2C.cpp).
    void InitI2CSocket();
    int SendReadRequest(int deviceAddress, int count);
    int SendWriteRequest(int deviceAddress, int unused);
    void SigmaFrameskip(int frameRate);
    void SigmaI2C(int item);
    void SigmaAVFormatChange(int code);
    int TestWidth() const { return m_iTestWidth; }
    int TestHeight() const { return m_iTestHeight; }
    int TestFrameRate() const { return m_iTestFrameRate; }
    // How long a request waits for the sink's reply.
    static std::atomic<int> i2cReplyWaitMs;
    bool Loaded() const { return m_hSessionLib != nullptr; }
    bool CaptureLoaded() const { return m_hCaptureLib != nullptr; }
    const WDP_VIDEO_FORMAT_SUPPORT& VideoFormatSupport() const { return m_stVideoFormatSupport; }
    int CaptureWidth() const { return m_iCaptureWidth; }
    int CaptureHeight() const { return m_iCaptureHeight; }
    int CaptureFrameRate() const { return m_iCaptureFrameRate; }
    // A copy of the state the session library's callback keeps.
    static WDPSourceSessionState SessionState();
    // Forgets the callback's state (a new process would start with it empty).
    static void ClearSessionState();

    SOCKET m_SI2C_SO = 0;
    int m_bRTSPServerStarted = 0;
    int m_bUseScreenCapture = 1;
    int m_bCaptureExtend = 0;

private:
    void LoadWDPAPI();
    void FreeWDPAPI();
    void LoadWMTDll();
    void UnloadScreenCaptureDll();
    void Trigger(int method, const char* name);
    int SendI2CRequest(const char* name, const uint8_t* request, int length, int replyLength);
    void ReadI2CReply(const char* name, int replyLength, int count);
    int JudgeCEAResolution(uint32_t mask, int& width, int& height, int& frameRate) const;
    int JudgeVESAResolution(uint32_t mask, int& width, int& height, int& frameRate) const;
    int JudgeHHResolution(uint32_t mask, int& width, int& height, int& frameRate) const;

    int m_iCaptureWidth = 0;
    int m_iCaptureHeight = 0;
    int m_iCaptureFrameRate = 30;
    WDP_VIDEO_FORMAT_SUPPORT m_stVideoFormatSupport{};
    int m_iTestWidth = 640;
    int m_iTestHeight = 480;
    int m_iTestFrameRate = 60;
    long m_lSessionStartSec = 0;
    long m_lSessionStartUsec = 0;

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

    HMODULE m_hCaptureLib = nullptr;
    PFN_WFD_LibraryInit WFD_LibraryInit = nullptr;
    PFN_WFD_Void WFD_LibraryDestroy = nullptr;
    PFN_WFD_Void WFD_StartCapture = nullptr;
    PFN_WFD_Void WFD_StopCapture = nullptr;
    PFN_WFD_GetFrameData WFD_GetVideoFrameData = nullptr;
    PFN_WFD_GetFrameData WFD_GetAudioFrameData = nullptr;
    PFN_WFD_StartMpegtsCapture WFD_StartMpegtsCapture = nullptr;
    PFN_WFD_Void WFD_GetCaptureType = nullptr;
    PFN_WFD_Int WFD_SetFPS = nullptr;
    PFN_WFD_Void WFD_GetFPS = nullptr;
    PFN_WFD_Int WFD_SetWFDDefaultVideoCodec = nullptr;
    PFN_WFD_Int WFD_SetWFDDefaultAudioCodec = nullptr;
    PFN_WFD_Void WFD_IsHardwareEncode = nullptr;
    PFN_WFD_Int WFD_SetFrameRatio = nullptr;
    PFN_WFD_Int WFD_SetEncodeType = nullptr;
    PFN_WFD_SetCaptureResolution WFD_SetCaptureResolution = nullptr;
    PFN_WFD_GetCaptureResolution WFD_GetCaptureResolution = nullptr;
    PFN_WFD_SetVideoCodecParameter WFD_SetVideoCodecParameter = nullptr;
    PFN_WFD_Int WFD_SetLPCMByteSwap = nullptr;
    PFN_WFD_Int WFD_SetLPCMPrivateHDR = nullptr;
    PFN_WFD_Int WFD_SetCaptureExtend = nullptr;
    PFN_WFD_Int WFD_SetCaptureCursor = nullptr;
    PFN_WFD_Int WFD_SetCodecAsyncDepth = nullptr;
    PFN_WFD_Void WFD_IDRRequest = nullptr;
    PFN_WFD_SetIPInfo WFD_SetIPInfo = nullptr;
    PFN_WFD_Int WFD_SetSaveTsFile = nullptr;
    PFN_WFD_SetBitRateRatio WFD_SetBitRateRatio = nullptr;
};
