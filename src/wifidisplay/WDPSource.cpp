#include "wifidisplay/WDPSource.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>

#include "dialogs/FormMessageBox.h"
#include "core/Log.h"
#include "core/Settings.h"
#include "resources/FormResource.h"
#include "resources/UiStr.h"
#include "wifidisplay/WDPMessages.h"
#include "wifidisplay/WDPResolutionTables.h"
#include "wifidisplay/WDPSeams.h"

namespace {

// State of the source unit: one per process, since the library's callback carries no object.
// The callback writes it on the library's threads, the window thread reads it.
struct SourceShared {
    std::mutex mu;
    HWND postWindow = nullptr;
    char connectingClientIP[64] = {};
    char priSinkIP[64] = {};
    char secSinkIP[64] = {};
    int sinkI2CPort = 0;
    int connectedDeviceType = 0;
    uint16_t rtpPort0 = 0;
    uint16_t rtpPort1 = 0;
    uint8_t sinkVideoFormat[WDP_VIDEO_FORMAT_RECORD_SIZE] = {};
    uint8_t setVideoFormat[WDP_VIDEO_FORMAT_RECORD_SIZE] = {};
    UibcSource* uibc = nullptr;  // the session's input channel, closed when the client goes
};

SourceShared g_so;
constexpr int kUIBCPort = 10600;
constexpr int kKeepaliveTimeout = 60;

void CopyText(char (&to)[64], const char* from)
{
    std::snprintf(to, sizeof to, "%s", from ? from : "");
}

void Post(UINT message, WPARAM wParam = 0)
{
    HWND window;
    {
        std::lock_guard<std::mutex> lock(g_so.mu);
        window = g_so.postWindow;
    }
    if (window)
        PostMessageA(window, message, wParam, 0);
}

const char* EventName(int code)
{
    static const char* const kRtsp[] = {"M1_REQ", "M1_RESP", "M2_REQ", "M2_RESP", "M3_REQ", "M3_RESP",
                                        "M4_REQ", "M4_RESP", "M5_REQ", "M5_RESP", "M6_REQ", "M6_RESP",
                                        "M7_REQ", "M7_RESP", "M9_REQ", "M9_RESP", "M10_REQ", "M10_RESP"};
    if (code >= SO_M1_REQ && code <= SO_M10_RESP)
        return kRtsp[code - SO_M1_REQ];
    switch (code) {
    case SO_ACCEPT_CLIENT: return "accept client connection";
    case SO_CLIENT_CLOSED: return "CLIENT_CLOSED";
    case SO_RECEIVE_STANDBYMODE: return "MSG_CODE_RECEIVE_STANDBYMODE";
    case SO_RECEIVE_IDRREQUEST: return "MSG_CODE_RECEIVE_IDRREQUEST";
    case SO_SEND_DETECT_GET_PARAMETER: return "MSG_CODE_SEND_DETECT_GET_PARAMETER";
    case SO_RECEIVE_DETECT_GET_PARAMETER: return "MSG_CODE_RECEIVE_DETECT_GET_PARAMETER";
    case SO_DELIEVER_SINK_VIDEOFORMAT: return "MSG_DELIEVER_SINK_VIDEOFORMAT";
    case SO_DELIEVER_SN_TYPE: return "MSG_DELIEVER_SN_TYPE";
    case SO_DELIEVER_SET_VIDEOFORMAT: return "MSG_DELIEVER_SET_VIDEOFORMAT";
    default: return nullptr;
    }
}

void OnM7Response(const void* data)
{
    if (!data) {
        PrintMessage(2, "[WDP][SoUICallBack] M7_RESP without data\n");
        return;
    }
    uint16_t ports[2];
    std::memcpy(ports, data, sizeof ports);
    {
        std::lock_guard<std::mutex> lock(g_so.mu);
        if (ports[0])
            g_so.rtpPort0 = ports[0];
        if (ports[1])
            g_so.rtpPort1 = ports[1];
        std::memcpy(g_so.priSinkIP, g_so.connectingClientIP, sizeof g_so.priSinkIP);
    }
    PrintMessage(6, "[WDP][SoUICallBack] sink RTP port0=%u port1=%u\n", ports[0], ports[1]);
    Post(MSG_SOURCE_SET_SESSIONID_TO_DRIVER);
    Post(MSG_SOURCE_PLAY_STREAM);
    Post(MSG_SOURCE_KEEPALIVE, 1);
}

void CopyFormat(uint8_t (&to)[WDP_VIDEO_FORMAT_RECORD_SIZE], const void* data)
{
    if (!data)
        return;
    std::lock_guard<std::mutex> lock(g_so.mu);
    std::memcpy(to, data, sizeof to);
}

void __stdcall SoUICallBack(int code, const char* address, void*, void* data)
{
    const char* name = EventName(code);
    if (!name) {
        PrintMessage(2, "[WDP][SoUICallBack] unknown code=%d\n", code);
        return;
    }
    PrintMessage(6, "[WDP][SoUICallBack] %s (%d) address=%.63s\n", name, code, address ? address : "");
    switch (code) {
    case SO_ACCEPT_CLIENT: {
        std::lock_guard<std::mutex> lock(g_so.mu);
        CopyText(g_so.connectingClientIP, address);
    }
        Post(MSG_SOURCE_RECEIVE_WPDCONNECT);
        break;
    case SO_CLIENT_CLOSED: {
        std::lock_guard<std::mutex> lock(g_so.mu);
        if (g_so.uibc)
            g_so.uibc->Close();
        break;
    }
    case SO_M3_RESP:
        if (data) {
            std::lock_guard<std::mutex> lock(g_so.mu);
            std::memcpy(&g_so.sinkI2CPort, data, sizeof g_so.sinkI2CPort);
        } else {
            PrintMessage(6, "[WDP][SoUICallBack] M3_RESP without I2C port\n");
        }
        Post(MSG_SOURCE_CREATE_UIBC_THREAD);
        break;
    case SO_M7_RESP:
        OnM7Response(data);
        break;
    case SO_M9_RESP:
        Post(MSG_SOURCE_STOP_STREAM);
        break;
    case SO_M10_RESP: {
        if (!data) {
            PrintMessage(2, "[WDP][SoUICallBack] M10_RESP without data\n");
            break;
        }
        int standby = 0;
        std::memcpy(&standby, data, sizeof standby);
        if (!standby)
            Post(MSG_SOURCE_PAUSE_STREAM);
        break;
    }
    case SO_RECEIVE_STANDBYMODE:
        Post(MSG_GOIN_STANDBY);
        break;
    case SO_RECEIVE_IDRREQUEST:
        Post(MSG_SOURCE_IDR);
        break;
    case SO_DELIEVER_SINK_VIDEOFORMAT:
        CopyFormat(g_so.sinkVideoFormat, data);
        break;
    case SO_DELIEVER_SET_VIDEOFORMAT:
        CopyFormat(g_so.setVideoFormat, data);
        break;
    case SO_DELIEVER_SN_TYPE: {
        if (!data)
            break;
        int type = 0;
        std::memcpy(&type, data, sizeof type);
        std::lock_guard<std::mutex> lock(g_so.mu);
        g_so.connectedDeviceType = type == 1 ? 1 : 2;
        char(&to)[64] = type == 1 ? g_so.priSinkIP : g_so.secSinkIP;
        std::memcpy(to, g_so.connectingClientIP, sizeof to);
        break;
    }
    default:
        break;
    }
}

template <class T>
void Fetch(HMODULE module, const char* name, T& entry)
{
    entry = reinterpret_cast<T>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

std::string ClientIP()
{
    std::lock_guard<std::mutex> lock(g_so.mu);
    return g_so.connectingClientIP;
}

std::string So(const char* key, const char* def)
{
    return ReadINIStr("WiFiDisplaySo", key, def, "ini");
}

} // namespace

WDPSource::WDPSource()
{
    {
        std::lock_guard<std::mutex> lock(g_so.mu);
        g_so.uibc = &m_UIBC;
    }
    LoadWDPAPI();
    QueryDisplayModes();
    CloseSession();
}

WDPSource::~WDPSource()
{
    {
        std::lock_guard<std::mutex> lock(g_so.mu);
        if (g_so.uibc == &m_UIBC)
            g_so.uibc = nullptr;
    }
    m_UIBC.Close();
    FreeWDPAPI();
    UnloadScreenCaptureDll();
}

WDPSourceSessionState WDPSource::SessionState()
{
    std::lock_guard<std::mutex> lock(g_so.mu);
    WDPSourceSessionState s;
    s.connectingClientIP = g_so.connectingClientIP;
    s.priSinkIP = g_so.priSinkIP;
    s.secSinkIP = g_so.secSinkIP;
    s.sinkI2CPort = g_so.sinkI2CPort;
    s.connectedDeviceType = g_so.connectedDeviceType;
    s.rtpPort0 = g_so.rtpPort0;
    s.rtpPort1 = g_so.rtpPort1;
    std::memcpy(s.sinkVideoFormat, g_so.sinkVideoFormat, sizeof s.sinkVideoFormat);
    std::memcpy(s.setVideoFormat, g_so.setVideoFormat, sizeof s.setVideoFormat);
    return s;
}

void WDPSource::ClearSessionState()
{
    std::lock_guard<std::mutex> lock(g_so.mu);
    const HWND window = g_so.postWindow;
    g_so.connectingClientIP[0] = g_so.priSinkIP[0] = g_so.secSinkIP[0] = 0;
    g_so.sinkI2CPort = g_so.connectedDeviceType = 0;
    g_so.rtpPort0 = g_so.rtpPort1 = 0;
    std::memset(g_so.sinkVideoFormat, 0, sizeof g_so.sinkVideoFormat);
    std::memset(g_so.setVideoFormat, 0, sizeof g_so.setVideoFormat);
    g_so.postWindow = window;
}

void WDPSource::LoadWDPAPI()
{
    const std::string path = ProgramFolder() + "VaZEDEVE.dll";
    m_hSessionLib = LoadLibraryA(path.c_str());
    if (!m_hSessionLib) {
        PrintMessage(2, "[WDP] Load VaZEDEVE.dll failed!\n");
        return;
    }
    Fetch(m_hSessionLib, "WVWDP_StartOrStopRTSPServer", WVWDP_StartOrStopRTSPServer);
    Fetch(m_hSessionLib, "WVWDP_GetRTSPURLPrefix", WVWDP_GetRTSPURLPrefix);
    Fetch(m_hSessionLib, "WVWDP_Init", WVWDP_Init);
    Fetch(m_hSessionLib, "WVWDP_StartSessionSetup", WVWDP_StartSessionSetup);
    Fetch(m_hSessionLib, "WVWDP_TriggerMethod", WVWDP_TriggerMethod);
    Fetch(m_hSessionLib, "WVWDP_GetSessionID", WVWDP_GetSessionID);
    Fetch(m_hSessionLib, "WVWDP_UIBC", WVWDP_UIBC);
    Fetch(m_hSessionLib, "WVWDP_IsDoCouple", WVWDP_IsDoCouple);
    Fetch(m_hSessionLib, "WVWDP_DoWork", WVWDP_DoWork);
    if (WVWDP_Init)
        WVWDP_Init(SoUICallBack, 0);
    else
        PrintMessage(2, "[WDP] WVWDP_Init=NULL\n");
}

void WDPSource::FreeWDPAPI()
{
    if (m_hSessionLib)
        FreeLibrary(m_hSessionLib);
    m_hSessionLib = nullptr;
}

void WDPSource::LoadWMTDll()
{
    if (m_hCaptureLib)
        return;
    m_hCaptureLib = LoadLibraryA((ProgramFolder() + "NetDisplayLib.dll").c_str());
    if (!m_hCaptureLib)
        m_hCaptureLib = LoadLibraryA((ProgramFolder() + "WFDSource.dll").c_str());
    if (!m_hCaptureLib) {
        PrintMessage(2, "[WDP] Load NetDisplayLib.dll and WFDSource.dll failed\n");
        ShowMessageBox("Load NetDisplayLib.dll!", 0);
        return;
    }
    HMODULE m = m_hCaptureLib;
    Fetch(m, "WFD_LibraryInit", WFD_LibraryInit);
    Fetch(m, "WFD_LibraryDestroy", WFD_LibraryDestroy);
    Fetch(m, "WFD_StartCapture", WFD_StartCapture);
    Fetch(m, "WFD_StopCapture", WFD_StopCapture);
    Fetch(m, "WFD_GetVideoFrameData", WFD_GetVideoFrameData);
    Fetch(m, "WFD_GetAudioFrameData", WFD_GetAudioFrameData);
    Fetch(m, "WFD_StartMpegtsCapture", WFD_StartMpegtsCapture);
    Fetch(m, "WFD_GetCaptureType", WFD_GetCaptureType);
    Fetch(m, "WFD_SetFPS", WFD_SetFPS);
    Fetch(m, "WFD_GetFPS", WFD_GetFPS);
    Fetch(m, "WFD_SetWFDDefaultVideoCodec", WFD_SetWFDDefaultVideoCodec);
    Fetch(m, "WFD_SetWFDDefaultAudioCodec", WFD_SetWFDDefaultAudioCodec);
    Fetch(m, "WFD_IsHardwareEncode", WFD_IsHardwareEncode);
    Fetch(m, "WFD_SetFrameRatio", WFD_SetFrameRatio);
    Fetch(m, "WFD_SetEncodeType", WFD_SetEncodeType);
    Fetch(m, "WFD_SetCaptureResolution", WFD_SetCaptureResolution);
    Fetch(m, "WFD_GetCaptureResolution", WFD_GetCaptureResolution);
    Fetch(m, "WFD_SetVideoCodecParameter", WFD_SetVideoCodecParameter);
    Fetch(m, "WFD_SetLPCMByteSwap", WFD_SetLPCMByteSwap);
    Fetch(m, "WFD_SetLPCMPrivateHDR", WFD_SetLPCMPrivateHDR);
    Fetch(m, "WFD_SetCaptureExtend", WFD_SetCaptureExtend);
    Fetch(m, "WFD_SetCaptureCursor", WFD_SetCaptureCursor);
    Fetch(m, "WFD_SetCodecAsyncDepth", WFD_SetCodecAsyncDepth);
    Fetch(m, "WFD_IDRRequest", WFD_IDRRequest);
    Fetch(m, "WFD_SetIPInfo", WFD_SetIPInfo);
    Fetch(m, "WFD_SetSaveTsFile", WFD_SetSaveTsFile);
    Fetch(m, "WFD_SetBitRateRatio", WFD_SetBitRateRatio);
}

void WDPSource::UnloadScreenCaptureDll()
{
    if (m_hCaptureLib && WFD_LibraryDestroy)
        WFD_LibraryDestroy();
}

void WDPSource::QueryDisplayModes()
{
    m_stVideoFormatSupport = {};
    for (const wdpseams::DisplayMode& mode : wdpseams::DisplayModes()) {
        if (mode.width <= 640 || mode.bitsPerPixel < 32 || mode.frequency < 60)
            continue;
        for (int n = 0; n < 17; ++n)
            if (kCEAResolutions[n].width == mode.width && kCEAResolutions[n].height == mode.height)
                m_stVideoFormatSupport.CEA |= 1u << n;
        for (int n = 0; n < 30; ++n)
            if (kVESAResolutions[n].width == mode.width && kVESAResolutions[n].height == mode.height)
                m_stVideoFormatSupport.VESA |= 1u << n;
    }
    m_stVideoFormatSupport.CEA |= 1;
    m_stVideoFormatSupport.Profiles = 3;
    m_stVideoFormatSupport.Levels = 31;
    PrintMessage(6, "[WDP][QueryDisplayModes] CEA=0x%08X VESA=0x%08X\n", m_stVideoFormatSupport.CEA,
                 m_stVideoFormatSupport.VESA);
}

void WDPSource::SetPostHandle(HWND window)
{
    std::lock_guard<std::mutex> lock(g_so.mu);
    g_so.postWindow = window;
}

int WDPSource::StartRTSPServer()
{
    PrintMessage(6, "[WDP][So] StartRTSPServer\n");
    LoadWMTDll();
    if (m_bRTSPServerStarted == 1) {
        PrintMessage(6, "[WDP][So] RTSP server already started\n");
        return 0;
    }
    if (!WVWDP_StartOrStopRTSPServer) {
        PrintMessage(2, "[WDP][So] WVWDP_StartOrStopRTSPServer=NULL\n");
        return 0;
    }
    const int result = WVWDP_StartOrStopRTSPServer(1, "0.0.0.0", WDP_RTSP_PORT);
    if (result == WVWDP_ERROR_RTSP_SERVER_START_FAIL_PORT) {
        PrintMessage(2, "[WDP][So] StartRTSPServer WVWDP_ERROR_RTSP_SERVER_START_FAIL_PORT\n");
        return 0;
    }
    if (result != 0) {
        PrintMessage(2, "[WDP][So] StartRTSPServer fail result=%d\n", result);
        m_bRTSPServerStarted = 0;
        return 0;
    }
    m_bRTSPServerStarted = 1;
    int port0 = WDP_SOURCE_RTP_PORT0, port1 = WDP_SOURCE_RTP_PORT1;
    SendDoWork(nullptr, WORK_SET_RTP_PORT0, &port0);
    SendDoWork(nullptr, WORK_SET_RTP_PORT1, &port1);
    SendDoWork(nullptr, WORK_SET_VIDEO_FORMAT, &m_stVideoFormatSupport);
    const SIZE screen = wdpseams::ScreenSize();
    m_iCaptureWidth = screen.cx;
    m_iCaptureHeight = screen.cy;
    int width = m_iCaptureWidth, height = m_iCaptureHeight;
    SendDoWork(nullptr, WORK_SET_SCREEN_WIDTH, &width);
    SendDoWork(nullptr, WORK_SET_SCREEN_HEIGHT, &height);
    SendDoWork(nullptr, WORK_SERVER_START, nullptr);
    int generic = std::atoi(So("SupportGeneric", "1").c_str());
    SendDoWork(nullptr, WORK_SET_SUPPORT_GENERIC, &generic);
    if (So("SupportUIBC", "0") == "1") {
        SendDoWork(nullptr, WORK_SET_SUPPORT_UIBC, nullptr);
        int uibcPort = kUIBCPort;
        SendDoWork(nullptr, WORK_SET_UIBC_PORT, &uibcPort);
    } else {
        SendDoWork(nullptr, WORK_SET_NOTSUPPORT_UIBC, nullptr);
    }
    SendDoWork(nullptr, WORK_SERVER_AFTER_UIBC, nullptr);
    int timeout = kKeepaliveTimeout;
    SendDoWork(nullptr, WORK_SET_KEEPALIVE_TIMEOUT, &timeout);
    Post(MSG_SOURCE_START_SERVER);
    return 1;
}

int WDPSource::StopRTSPServer()
{
    PrintMessage(6, "[WDP][So] StopRTSPServer\n");
    m_UIBC.Close();
    if (!m_bRTSPServerStarted) {
        PrintMessage(6, "[WDP][So] RTSP server already stop\n");
        return 0;
    }
    const int result = WVWDP_StartOrStopRTSPServer ? WVWDP_StartOrStopRTSPServer(0, "", WDP_RTSP_PORT) : -1;
    if (result == 0) {
        m_bRTSPServerStarted = 0;
        Post(MSG_SOURCE_STOP_SERVER);
    } else if (result == WVWDP_ERROR_RTSP_SERVER_STOP_TIMEOUT) {
        PrintMessage(2, "[WDP][So] StopRTSPServer time out\n");
    } else {
        PrintMessage(2, "[WDP][So] StopRTSPServer fail result=%d\n", result);
    }
    StopCapture();
    CloseSession();
    return 1;
}

void WDPSource::StartSession()
{
    const std::string client = ClientIP();
    PrintMessage(6, "[WDP][So] StartSession %s\n", client.c_str());
    if (WVWDP_StartSessionSetup)
        WVWDP_StartSessionSetup(client.c_str());
}

int WDPSource::GetSessionID(int primary)
{
    std::string sink;
    {
        std::lock_guard<std::mutex> lock(g_so.mu);
        sink = primary ? g_so.priSinkIP : g_so.secSinkIP;
    }
    if (!WVWDP_GetSessionID) {
        PrintMessage(2, "[WDP][So] WVWDP_GetSessionID=NULL\n");
        return 0;
    }
    return WVWDP_GetSessionID(sink.c_str());
}

void WDPSource::StartCapture(int needInit, int captureCursor)
{
    if (!m_bUseScreenCapture)
        return;
    if (needInit)
        InitScreenCaptureLib(captureCursor);
    if (WFD_SetSaveTsFile)
        WFD_SetSaveTsFile(So("SaveTsFile", "0") == "1" ? 1 : 0);
    if (!WFD_StartMpegtsCapture)
        return;
    uint16_t port0, port1;
    std::string sink;
    {
        std::lock_guard<std::mutex> lock(g_so.mu);
        port0 = g_so.rtpPort0;
        port1 = g_so.rtpPort1;
        sink = g_so.priSinkIP;
    }
    int streamType = -1;
    if (port0 && port1)
        streamType = 3;
    else if (port0)
        streamType = 0;
    else if (port1)
        streamType = 2;
    else
        PrintMessage(2, "[WDP][So] StartCapture no sink RTP port, stream type -1\n");
    if (WFD_SetIPInfo) {
        wchar_t address[261] = {};
        MultiByteToWideChar(CP_ACP, 0, sink.c_str(), -1, address, 260);
        if (port0)
            WFD_SetIPInfo(WDP_SOURCE_RTP_PORT0, port0, address);
        else
            WFD_SetIPInfo(WDP_SOURCE_RTP_PORT1, port1, address);
    }
    WFD_StartMpegtsCapture(streamType, 0, 0);
}

void WDPSource::StopCapture()
{
    PrintMessage(6, "[WDP][So] StopCapture\n");
    if (WFD_StopCapture)
        WFD_StopCapture();
}

int WDPSource::InitScreenCaptureLib(int captureCursor)
{
    if (!WFD_LibraryInit)
        return 0;
    std::string title = FormResource && FormResource->UI_Str ? FormResource->UI_Str->STR_TARNWELL_CONFIG_TITLE : "";
    title = title.substr(0, 255);
    if (HWND main = FindWindowA(nullptr, title.c_str())) {
        if (WFD_LibraryInit(main) < 0) {
            PrintMessage(2, "[WDP][So] screen capture lib init fail\n");
            return 0;
        }
    } else {
        PrintMessage(2, "[WDP][So] no window \"%s\", capture library not initialised\n", title.c_str());
    }
    if (WFD_SetEncodeType)
        WFD_SetEncodeType(std::atoi(So("h264EncodeType", "0").c_str()));
    if (WFD_SetLPCMByteSwap)
        WFD_SetLPCMByteSwap(0);
    if (WFD_SetFrameRatio)
        WFD_SetFrameRatio(std::atoi(So("h264FrameRatio", "30").c_str()));
    if (WFD_SetBitRateRatio)
        WFD_SetBitRateRatio(std::strtof(So("h264Bitrate", "1.0").c_str(), nullptr));
    if (WFD_SetLPCMPrivateHDR)
        WFD_SetLPCMPrivateHDR(1);
    if (WFD_SetCaptureExtend)
        WFD_SetCaptureExtend(m_bCaptureExtend ? 1 : 0);
    if (WFD_SetCaptureCursor)
        WFD_SetCaptureCursor(captureCursor);
    if (WFD_SetCodecAsyncDepth)
        WFD_SetCodecAsyncDepth(1);
    SetVideoResolutionAndFPS();
    return 1;
}

namespace {

// Row n of a table, with the lowest set bit of mask as n; interlaced rows are no match.
template <size_t N>
int Judge(const WDPResolution (&table)[N], uint32_t mask, int& width, int& height, int& frameRate)
{
    frameRate = 0;
    const int n = LowestSetBit(mask);
    if (n < 0 || n >= int(N) || table[n].width < 0)
        return 0;
    width = table[n].width;
    height = table[n].height;
    frameRate = table[n].frameRate;
    return 1;
}

uint32_t Mask(const uint8_t* record, int offset)
{
    uint32_t mask;
    std::memcpy(&mask, record + offset, sizeof mask);
    return mask;
}

} // namespace

int WDPSource::JudgeCEAResolution(uint32_t mask, int& width, int& height, int& frameRate) const
{
    return Judge(kCEAResolutions, mask, width, height, frameRate);
}

int WDPSource::JudgeVESAResolution(uint32_t mask, int& width, int& height, int& frameRate) const
{
    return Judge(kVESAResolutions, mask, width, height, frameRate);
}

int WDPSource::JudgeHHResolution(uint32_t mask, int& width, int& height, int& frameRate) const
{
    return Judge(kHHResolutions, mask, width, height, frameRate);
}

void WDPSource::SetVideoResolutionAndFPS()
{
    int width = m_iCaptureWidth, height = m_iCaptureHeight, frameRate = 0;
    int profile = 0, level = 0;
    if (WFD_SetVideoCodecParameter) {
        const WDPSourceSessionState s = SessionState();
        if (s.sinkVideoFormat[1]) {
            profile = 66;
            level = 40;
            frameRate = m_iCaptureFrameRate;
        } else {
            switch (s.setVideoFormat[8]) {
            case 1: profile = 66; break;
            case 2: profile = 100; break;
            default:
                profile = 66;
                PrintMessage(6, "[WDP][So] profile %d, use default 66\n", s.setVideoFormat[8]);
            }
            switch (s.setVideoFormat[9]) {
            case 1: level = 31; break;
            case 2: level = 32; break;
            case 4: level = 40; break;
            case 8: level = 41; break;
            case 16: level = 42; break;
            default:
                level = 31;
                PrintMessage(6, "[WDP][So] level %d, use default WFD_LEVEL_AVC_31\n", s.setVideoFormat[9]);
            }
            JudgeCEAResolution(Mask(s.setVideoFormat, 12), width, height, frameRate);
            if (!frameRate)
                JudgeVESAResolution(Mask(s.setVideoFormat, 16), width, height, frameRate);
            if (!frameRate)
                JudgeHHResolution(Mask(s.setVideoFormat, 20), width, height, frameRate);
            if (!frameRate) {
                frameRate = 30;
                PrintMessage(2, "[WDP][So] no resolution in the chosen format, frame rate 30\n");
            }
        }
        WFD_SetVideoCodecParameter(profile, level);
    }
    m_iCaptureWidth = width;
    m_iCaptureHeight = height;
    m_iCaptureFrameRate = frameRate;
    PrintMessage(6, "[WDP][So] capture %dx%d at %d, profile %d level %d\n", width, height, frameRate, profile, level);
    if (WFD_SetFPS)
        WFD_SetFPS(frameRate);
    if (WFD_SetCaptureResolution)
        WFD_SetCaptureResolution(width, height);
    else
        PrintMessage(2, "[WDP][So] WFD_SetCaptureResolution=NULL\n");
}

void WDPSource::Trigger(int method, const char* name)
{
    const std::string client = ClientIP();
    if (client.empty()) {
        PrintMessage(2, "[WDP][So][%s] g_szConnectingClientIP=%s , return\n", name, client.c_str());
        return;
    }
    if (WVWDP_TriggerMethod)
        WVWDP_TriggerMethod(client.c_str(), method);
}

void WDPSource::TriggerPlay()
{
    Trigger(1, "TriggerPlay");
}

void WDPSource::TriggerPause()
{
    Trigger(0, "TriggerPause");
}

void WDPSource::TriggerTeardown()
{
    Trigger(2, "TriggerTeardown");
    m_UIBC.Close();
}

void WDPSource::GoInStandbyMode()
{
    if (!WVWDP_DoWork)
        return;
    StopCapture();
    WVWDP_DoWork(nullptr, WORK_GOIN_STANDBY, nullptr);
}

void WDPSource::SoStandby()
{
    if (WVWDP_DoWork) {
        WVWDP_DoWork(ClientIP().c_str(), WORK_SO_STANDBY, nullptr);
        Post(MSG_SOURCE_STOP_STANDBY);
    }
    StopCapture();
}

void WDPSource::SendIDR()
{
    if (m_bRTSPServerStarted && WFD_IDRRequest)
        WFD_IDRRequest();
}

void WDPSource::SendKeepalive()
{
    std::string sink;
    {
        std::lock_guard<std::mutex> lock(g_so.mu);
        sink = g_so.priSinkIP;
    }
    SendDoWork(sink.c_str(), WORK_KEEPALIVE, nullptr);
}

void WDPSource::SendDoWork(const char* address, int request, void* data)
{
    if (WVWDP_DoWork)
        WVWDP_DoWork(address, request, data);
}

void WDPSource::SetCaptureCursor(int on)
{
    if (WFD_SetCaptureCursor)
        WFD_SetCaptureCursor(on);
}

void WDPSource::SourceSetDefault()
{
    StopCapture();
    StopRTSPServer();
    m_UIBC.Close();
    std::lock_guard<std::mutex> lock(g_so.mu);
    g_so.connectingClientIP[0] = 0;
}

void WDPSource::CloseSession()
{
    if (m_SI2C_SO) {
        closesocket(m_SI2C_SO);
        m_SI2C_SO = 0;
    }
    std::lock_guard<std::mutex> lock(g_so.mu);
    g_so.rtpPort0 = g_so.rtpPort1 = 0;
    g_so.priSinkIP[0] = g_so.secSinkIP[0] = 0;
}
