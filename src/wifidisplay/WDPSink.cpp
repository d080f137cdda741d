#include "wifidisplay/WDPSink.h"

#include <ws2tcpip.h>

#include <cstdio>
#include <cstdlib>
#include <algorithm>
#include <cstring>
#include <mutex>
#include <vector>

#include "core/Log.h"
#include "core/Settings.h"
#include "wifidisplay/WDPMessages.h"
#include "wifidisplay/WDPResolutionTables.h"

std::atomic<int> WDPSink::m_bGeneric{0};
std::atomic<int> WDPSink::i2cPortOverride{-1};
std::atomic<int> WDPSink::i2cPollMs{1000};
std::atomic<int> WDPSink::i2cIdleMs{60000};

namespace {

constexpr int kVideoDataSize = 56;
constexpr int kPreferredModeSize = 108;
constexpr int kI2CDeviceAddress = 80;
constexpr DWORD kI2CJoinMs = 3000;
constexpr int kUIBCConnectWaitMs = 1000;

// State of the sink unit, written by the player's callback on the player's thread.
struct SinkShared {
    std::mutex mu;
    HWND postWindow = nullptr;
    std::atomic<int> uibcPort{0};
    char sessionId[64] = {};
    int videoNative = 0;
    uint8_t videoData[kVideoDataSize] = {};
    uint8_t preferredMode[kPreferredModeSize] = {};
    std::atomic<uint8_t*> watchVariable{nullptr};
};

SinkShared g_sn;

// The I2C server: one thread per session, its listening and client sockets.
struct I2CServer {
    std::mutex mu;
    HANDLE thread = nullptr;
    SOCKET listener = INVALID_SOCKET;
    SOCKET client = INVALID_SOCKET;
    std::atomic<bool> stop{false};
    std::atomic<bool> done{false};
    std::atomic<int> port{0};
    std::string peer;  // the session's source, the only host served
};

I2CServer g_i2c;

void Post(UINT message)
{
    HWND window;
    {
        std::lock_guard<std::mutex> lock(g_sn.mu);
        window = g_sn.postWindow;
    }
    if (window)
        PostMessageA(window, message, 0, 0);
}

const char* SinkEventName(int code)
{
    static const char* const kNames[] = {
        "SINK_ACCEPT_TRIGGER_PAUSE",   "SINK_ACCEPT_TRIGGER_PLAY",     "SINK_ACCEPT_TRIGGER_TEARDOWN",
        "SINK_ACCEPT_M7_RESPONSE_OK",  "SINK_ACCEPT_UIBC_PORT",        "SINK_ACCEPT_VIDEO_NATIVE",
        "SINK_ACCEPT_VIDEO_CODEC",     "SINK_ACCEPT_UIBC_ENABLE",      "SINK_ACCEPT_UIBC_DISABLE",
        "SINK_ACCEPT_PREFERRED_DISPLAY_MODE", "SINK_SEC_SN_COUPLED",   "SINK_SEC_SN_COUPLEDTEARDOWN",
        "SINK_DELIVER_WATCHVARIABLE",  "SINK_CLOSE_SOCKETNUM",         "SINK_ACCEPT_UIBC_TYPE"};
    return code >= 0 && code <= SINK_ACCEPT_UIBC_TYPE ? kNames[code] : nullptr;
}

bool NeedsData(int code)
{
    switch (code) {
    case SINK_ACCEPT_M7_RESPONSE_OK:
    case SINK_ACCEPT_UIBC_PORT:
    case SINK_ACCEPT_VIDEO_CODEC:
    case SINK_ACCEPT_PREFERRED_DISPLAY_MODE:
    case SINK_DELIVER_WATCHVARIABLE:
    case SINK_CLOSE_SOCKETNUM:
    case SINK_ACCEPT_UIBC_TYPE:
        return true;
    default:
        return false;
    }
}

int ReadInt(const void* data)
{
    int value;
    std::memcpy(&value, data, sizeof value);
    return value;
}

void KeepSessionId(const char* text)
{
    const size_t length = strnlen(text, 64);
    if (length >= 64) {
        PrintMessage(2, "[WDP] UISinkCallBack session id more than 64 error !\n");
        return;
    }
    {
        std::lock_guard<std::mutex> lock(g_sn.mu);
        std::memcpy(g_sn.sessionId, text, length + 1);
    }
    Post(MSG_SINK_SET_SESSIONID_TO_DRIVER);
    Post(MSG_SINK_RECEIVE_M7_OK);
}

void __stdcall UISinkCallBack(int code, int, int, void* data)
{
    const char* name = SinkEventName(code);
    if (!name) {
        PrintMessage(2, "[WDP][UISinkCallBack] unknown code=%d\n", code);
        return;
    }
    PrintMessage(6, "[WDP][UISinkCallBack] %s (%d)\n", name, code);
    if (NeedsData(code) && !data) {
        PrintMessage(2, "[WDP][UISinkCallBack] %s without data\n", name);
        return;
    }
    switch (code) {
    case SINK_ACCEPT_TRIGGER_PAUSE: Post(MSG_SINK_SEND_PAUSE); break;
    case SINK_ACCEPT_TRIGGER_PLAY: Post(MSG_SINK_SEND_PLAY); break;
    case SINK_ACCEPT_TRIGGER_TEARDOWN: Post(MSG_SINK_SEND_TEARDOWN); break;
    case SINK_ACCEPT_M7_RESPONSE_OK: KeepSessionId(static_cast<const char*>(data)); break;
    case SINK_ACCEPT_UIBC_PORT: g_sn.uibcPort = ReadInt(data); break;
    case SINK_ACCEPT_VIDEO_CODEC: {
        std::lock_guard<std::mutex> lock(g_sn.mu);
        std::memcpy(g_sn.videoData, data, sizeof g_sn.videoData);
        break;
    }
    case SINK_ACCEPT_UIBC_ENABLE: Post(MSG_SINK_ENABLE_UIBC); break;
    case SINK_ACCEPT_UIBC_DISABLE: Post(MSG_SINK_DISABLE_UIBC); break;
    case SINK_ACCEPT_PREFERRED_DISPLAY_MODE: {
        std::lock_guard<std::mutex> lock(g_sn.mu);
        std::memcpy(g_sn.preferredMode, data, sizeof g_sn.preferredMode);
        break;
    }
    case SINK_DELIVER_WATCHVARIABLE: g_sn.watchVariable = static_cast<uint8_t*>(data); break;
    case SINK_CLOSE_SOCKETNUM:
        // The sockets of the program stay open; the player closes its own.
        PrintMessage(6, "[WDP][UISinkCallBack] player socket %d closed\n", ReadInt(data));
        break;
    case SINK_ACCEPT_UIBC_TYPE:
        WDPSink::m_bGeneric = ReadInt(data);
        PrintMessage(6, "[WDP][UISinkCallBack] get m_bGeneric=%d\n", WDPSink::m_bGeneric.load());
        break;
    default:
        break;
    }
}

std::string Sn(const char* key, const char* def)
{
    return ReadINIStr("WiFiDisplaySn", key, def, "ini");
}

void CloseSocket(SOCKET& s)
{
    if (s != INVALID_SOCKET && s != 0)
        closesocket(s);
    s = INVALID_SOCKET;
}

// ---- I2C server

bool SendAll(SOCKET s, const std::string& bytes)
{
    return send(s, bytes.data(), int(bytes.size()), 0) == int(bytes.size());
}

// 1 read served, 2 write served, 3 nothing arrived within the wait, 0 the connection is done
// (closed, broken or an unknown request).
int ReceiveI2CRequest(SOCKET s, int waitMs)
{
    fd_set readable;
    FD_ZERO(&readable);
    FD_SET(s, &readable);
    timeval wait = {waitMs / 1000, (waitMs % 1000) * 1000};
    const int ready = select(0, &readable, nullptr, nullptr, &wait);
    if (ready == 0)
        return 3;
    if (ready < 0) {
        PrintMessage(2, "[WDP][ReceiveI2CRequest] wait failed err=%d\n", WSAGetLastError());
        return 0;
    }
    unsigned char buffer[128] = {};
    const int received = recv(s, reinterpret_cast<char*>(buffer), sizeof buffer, 0);
    if (received <= 0) {
        PrintMessage(2, "[WDP][ReceiveI2CRequest] recv=%d err=%d\n", received, WSAGetLastError());
        return 0;
    }
    PrintMessage(6, "[WDP][ReceiveI2CRequest] %d bytes, RequestID=%d\n", received, buffer[0]);
    if (buffer[0] > 1) {
        PrintMessage(2, "[WDP]Receive RequestID =%d Error\r\n", buffer[0]);
        return 0;
    }
    if (!SendAll(s, WDPSinkI2CReply(buffer, received)))
        PrintMessage(2, "[WDP][ReceiveI2CRequest] send reply error=%d\n", WSAGetLastError());
    return buffer[0] == 0 ? 1 : 2;
}

// The listening socket on the I2C port, kept in g_i2c; INVALID_SOCKET when it cannot be opened.
SOCKET InitI2C()
{
    SOCKET listener = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    if (listener == INVALID_SOCKET) {
        PrintMessage(2, "[WDP][InitI2C] Create Socket Fail\n");
        return INVALID_SOCKET;
    }
    {
        std::lock_guard<std::mutex> lock(g_i2c.mu);
        if (g_i2c.stop) {
            closesocket(listener);
            return INVALID_SOCKET;
        }
        g_i2c.listener = listener;
    }
    const int chosen = WDPSink::i2cPortOverride;
    sockaddr_in at{};
    at.sin_family = AF_INET;
    at.sin_addr.s_addr = htonl(INADDR_ANY);
    at.sin_port = htons(u_short(chosen >= 0 ? chosen : WDP_SINK_I2C_PORT));
    if (bind(listener, reinterpret_cast<sockaddr*>(&at), sizeof at) != 0) {
        PrintMessage(2, "[WDP][InitI2C] bind Fail err=%d\n", WSAGetLastError());
        return INVALID_SOCKET;
    }
    if (listen(listener, 1) != 0) {
        PrintMessage(2, "[WDP][InitI2C] listen Fail err=%d\n", WSAGetLastError());
        return INVALID_SOCKET;
    }
    int size = sizeof at;
    getsockname(listener, reinterpret_cast<sockaddr*>(&at), &size);
    g_i2c.port = ntohs(at.sin_port);
    return listener;
}

// The next connection of the session's source; other hosts are turned away. INVALID_SOCKET
// once the server is told to stop or accepting fails.
SOCKET AcceptSource(SOCKET listener)
{
    for (;;) {
        sockaddr_in from{};
        int size = sizeof from;
        const SOCKET client = accept(listener, reinterpret_cast<sockaddr*>(&from), &size);
        if (client == INVALID_SOCKET) {
            if (!g_i2c.stop)
                PrintMessage(2, "[WDP][InitI2C] accept Fail err=%d\n", WSAGetLastError());
            return INVALID_SOCKET;
        }
        char text[INET_ADDRSTRLEN] = {};
        inet_ntop(AF_INET, &from.sin_addr, text, sizeof text);
        std::lock_guard<std::mutex> lock(g_i2c.mu);
        if (g_i2c.stop) {
            closesocket(client);
            return INVALID_SOCKET;
        }
        if (g_i2c.peer != text) {
            PrintMessage(2, "[WDP][InitI2C] refused %s: the session's source is %s\n", text, g_i2c.peer.c_str());
            closesocket(client);
            continue;
        }
        g_i2c.client = client;
        return client;
    }
}

// Serves one connection until it ends, breaks, asks the unknown or stays silent too long.
void ServeI2CClient(SOCKET client)
{
    DWORD last = GetTickCount();
    for (;;) {
        for (int waited = 0; waited < WDPSink::i2cPollMs && !g_i2c.stop; waited += 10)
            Sleep(10);
        if (g_i2c.stop)
            return;
        const int idleMs = WDPSink::i2cIdleMs;
        const DWORD idle = GetTickCount() - last;
        if (idle >= DWORD(idleMs)) {
            PrintMessage(2, "[WDP][ReceiveI2CRequest] nothing received for %d ms, connection closed\n", idleMs);
            return;
        }
        const int result = ReceiveI2CRequest(client, std::min(5005, int(idleMs - idle)));
        if (result == 0)
            return;
        if (result != 3)
            last = GetTickCount();
    }
}

DWORD WINAPI ReceiveI2CDataThread(void*)
{
    const SOCKET listener = InitI2C();
    while (listener != INVALID_SOCKET && !g_i2c.stop) {
        const SOCKET client = AcceptSource(listener);
        if (client == INVALID_SOCKET)
            break;
        ServeI2CClient(client);
        std::lock_guard<std::mutex> lock(g_i2c.mu);
        CloseSocket(g_i2c.client);
    }
    {
        std::lock_guard<std::mutex> lock(g_i2c.mu);
        CloseSocket(g_i2c.listener);
        CloseSocket(g_i2c.client);
    }
    g_i2c.port = 0;
    g_i2c.done = true;
    return 0;
}

} // namespace

std::string WDPSinkI2CReply(const unsigned char* request, int length)
{
    const std::string refused(1, char(0x80));
    if (length < 1)
        return refused;
    if (request[0] == 0) {
        if (length < 3)
            return refused;  // neither device address nor count
        const int device = request[length - 2], count = request[length - 1];
        if (device != kI2CDeviceAddress)
            return refused;
        std::string reply(size_t(2 + count), '\0');
        reply[1] = char(count);
        return reply;
    }
    if (length < 2)
        return refused;
    return std::string(1, char(request[1] == kI2CDeviceAddress ? 1 : 129));
}

WDPSink::WDPSink()
{
    LoadPlayer();
    std::lock_guard<std::mutex> lock(g_sn.mu);
    g_sn.videoNative = 0;
    std::memset(g_sn.videoData, 0, sizeof g_sn.videoData);
    std::memset(g_sn.preferredMode, 0, sizeof g_sn.preferredMode);
}

WDPSink::~WDPSink()
{
    TerminateI2CThread();
    CloseUIBCSocket();
}

void WDPSink::LoadPlayer()
{
    hlibPlayerDll = LoadLibraryW(L"StreamDll.dll");
    if (!hlibPlayerDll) {
        wchar_t folder[MAX_PATH] = {};
        GetCurrentDirectoryW(MAX_PATH, folder);
        hlibPlayerDll = LoadLibraryW((std::wstring(folder) + L"\\StreamDll.dll").c_str());
    }
    struct Slot {
        const char* name;
        void** entry;
    };
    const Slot slots[] = {
        {"Create", reinterpret_cast<void**>(&Create)},
        {"Release", reinterpret_cast<void**>(&Release)},
        {"SetPath", reinterpret_cast<void**>(&SetPath)},
        {"Play", reinterpret_cast<void**>(&Play)},
        {"Pause", reinterpret_cast<void**>(&Pause)},
        {"Stop", reinterpret_cast<void**>(&StopPlayer)},
        {"GetHwnd", reinterpret_cast<void**>(&GetHwnd)},
        {"IsPlaying", reinterpret_cast<void**>(&IsPlaying)},
        {"GetPlayerState", reinterpret_cast<void**>(&GetPlayerState)},
        {"SetBindIP", reinterpret_cast<void**>(&SetBindIP)},
        {"Set_UICallBack", reinterpret_cast<void**>(&Set_UICallBack)},
        {"Set_SupportPreferredDisplayMode", reinterpret_cast<void**>(&Set_SupportPreferredDisplayMode)},
        {"DoWork", reinterpret_cast<void**>(&DoWork)},
        {"Set_UIBCData", reinterpret_cast<void**>(&Set_UIBCData)},
        {"Set_I2CPort", reinterpret_cast<void**>(&Set_I2CPort)},
        {"RedirectEvent", reinterpret_cast<void**>(&RedirectEvent)},
        {"Set_Role", reinterpret_cast<void**>(&Set_Role)},
        {"Set_RTPPort", reinterpret_cast<void**>(&Set_RTPPort)},
        {"Set_IsDoCouple", reinterpret_cast<void**>(&Set_IsDoCouple)},
        {"Set_CoupleStatus", reinterpret_cast<void**>(&Set_CoupleStatus)},
        {"Get_CoupleStatus", reinterpret_cast<void**>(&Get_CoupleStatus)},
        {"Set_Fullscreen", reinterpret_cast<void**>(&Set_Fullscreen)},
        {"Set_SupportVideo", reinterpret_cast<void**>(&Set_SupportVideo)},
        {"Set_SupportEDID", reinterpret_cast<void**>(&Set_SupportEDID)},
        {"Set_SupportI2C", reinterpret_cast<void**>(&Set_SupportI2C)},
        {"Set_SupportStandby", reinterpret_cast<void**>(&Set_SupportStandby)},
    };
    bool complete = hlibPlayerDll != nullptr;
    for (const Slot& slot : slots) {
        void* entry = complete ? reinterpret_cast<void*>(GetProcAddress(hlibPlayerDll, slot.name)) : nullptr;
        if (!entry)
            complete = false;  // the look-up stops at the first missing entry
        *slot.entry = entry;
    }
    if (!complete)
        PrintMessage(2, "[WDP] LoadStreamLibrary fail(StreamDll.dll) !\n");
}

void WDPSink::SetPostHandle(HWND window)
{
    std::lock_guard<std::mutex> lock(g_sn.mu);
    g_sn.postWindow = window;
}

void WDPSink::SetConnectedIPSource(const std::string* address)
{
    m_pConnectedIP = address;
}

std::string WDPSink::SessionID()
{
    std::lock_guard<std::mutex> lock(g_sn.mu);
    return g_sn.sessionId;
}

int WDPSink::I2CListenPort()
{
    return g_i2c.port;
}

int WDPSink::ConnectRTSPServer(const std::string& address, int port, int role)
{
    PrintMessage(6, "[WDP][ConnectRTSPServer] ->\n");
    if (role == 0) {
        PrintMessage(2, "[WDP][ConnectRTSPServer] iDevType = source,error return\n");
        return -1;
    }
    if (port <= 0) {
        PrintMessage(2, "[WDP][ConnectRTSPServer] port=%d error return\n", port);
        return -1;
    }
    if (GetPlayerState) {
        const int state = GetPlayerState();
        if (state == SINK_PLAYER_OPENING)
            return -1;
        if (state == SINK_PLAYER_PLAYING || state == SINK_PLAYER_PAUSED)
            return 0;
    }
    char url[128];
    std::snprintf(url, sizeof url, "rtsp://%.63s:%d", address.c_str(), port);
    if (Create && GetHwnd && !GetHwnd()) {
        std::vector<const char*> options = {"-I", "dumy", "--plugin-path=./plugins", "--no-video-title-show"};
        if (Sn("VLCDebug", "0") == "1") {
            options.push_back("--extraintf=logger");
            options.push_back("--verbose=5");
        }
        PrintMessage(6, "[WDP][ConnectRTSPServer] VLCWindows=%s\n", Sn("VLCWindows", "0").c_str());
        PrintMessage(6, "[WDP][ConnectRTSPServer] Create player\n");
        Create(0, 0, 0, 0, 0, 0, int(options.size()), options.data());
        if (Set_UICallBack)
            Set_UICallBack(UISinkCallBack);
    }
    int port0 = WDP_SINK_RTP_PORT0, port1 = WDP_SINK_RTP_PORT1;
    if (role == 1)
        port1 = 0;
    else if (role == 2)
        port0 = 0;
    if (Set_RTPPort)
        Set_RTPPort(port0, port1);
    const std::string caching = Sn("SnRTSPCaching", "300");
    std::snprintf(m_szPathOptions[0], sizeof m_szPathOptions[0], ":rtp-caching=%s", caching.c_str());
    std::snprintf(m_szPathOptions[1], sizeof m_szPathOptions[1], ":rtsp-caching=%s", caching.c_str());
    if (port1 > 0)
        std::snprintf(m_szPathOptions[2], sizeof m_szPathOptions[2], ":input-slave=rtp://@:%d", port1);
    const char* pathOptions[5] = {m_szPathOptions[0], m_szPathOptions[1], m_szPathOptions[2], m_szPathOptions[3],
                                  m_szPathOptions[4]};
    if (SetPath)
        SetPath(url, 5, pathOptions);
    if (SetBindIP)
        SetBindIP("0.0.0.0", std::atoi(caching.c_str()));
    if (Set_I2CPort)
        Set_I2CPort(WDP_SINK_I2C_PORT);
    if (Set_SupportPreferredDisplayMode)
        Set_SupportPreferredDisplayMode(m_bSupportPreferredDisplayMode != 0);
    if (Set_UIBCData)
        Set_UIBCData(2, "Keyboard/USB, Mouse/USB", 3, -1);
    if (Set_SupportEDID)
        Set_SupportEDID(std::atoi(Sn("SupportEDID", "1").c_str()));
    if (Set_SupportI2C)
        Set_SupportI2C(std::atoi(Sn("SupportI2C", "1").c_str()));
    if (Set_SupportStandby)
        Set_SupportStandby(std::atoi(Sn("SupportStandby", "1").c_str()));
    if (Set_SupportVideo)
        Set_SupportVideo(0x1FFFF, 0x3FFFFFFF, 0xFFF);
    if (Set_Role)
        Set_Role(role);
    const int played = Play ? Play() : -1;
    {
        std::lock_guard<std::mutex> lock(g_i2c.mu);
        g_i2c.peer = address;
    }
    CreateReceiveI2CDataThread();
    PrintMessage(6, "[WDP][TFrameWFADispSink] ret=%d <-\n", played);
    return 1;
}

void WDPSink::SnDoWork(int type)
{
    PrintMessage(6, "[WDP][SnDoWork] iType = %d\n", type);
    if (DoWork)
        DoWork(type);
}

void WDPSink::RTSPPause()
{
    SnDoWork(12);
}

void WDPSink::RTSPPlay()
{
    SnDoWork(3);
}

void WDPSink::RTSPIDRRequest()
{
    SnDoWork(4);
}

void WDPSink::SnStandby()
{
    SnDoWork(2);
}

void WDPSink::Stop()
{
    TerminateI2CThread();
    if (StopPlayer)
        StopPlayer();
    uint8_t* watch = g_sn.watchVariable;
    if (GetPlayerState && GetPlayerState() == SINK_PLAYER_OPENING && watch)
        *watch = 1;
    else if (!watch)
        PrintMessage(6, "[WDP][Stop] m_fWatchVariableForSyncInterface=NULL\n");
}

void WDPSink::SinkSetDefault()
{
    Stop();
    g_sn.uibcPort = 0;
    CloseUIBCSocket();
    TerminateI2CThread();
}

void WDPSink::JudgeSourceResolution()
{
    uint8_t video[kVideoDataSize];
    uint8_t preferred[kPreferredModeSize];
    {
        std::lock_guard<std::mutex> lock(g_sn.mu);
        std::memcpy(video, g_sn.videoData, sizeof video);
        std::memcpy(preferred, g_sn.preferredMode, sizeof preferred);
    }
    const auto word = [](const uint8_t* p, int at) {
        uint32_t v;
        std::memcpy(&v, p + at, sizeof v);
        return v;
    };
    const auto take = [this](const WDPResolution* table, int rows, uint32_t mask) {
        const int n = LowestSetBit(mask);
        if (n >= 0 && n < rows) {
            m_iSourceWidth = table[n].width;
            m_iSourceHeight = table[n].height;
        }
    };
    if (word(preferred, 4)) {
        m_iSourceWidth = int(word(preferred, 4));
        m_iSourceHeight = int(word(preferred, 20));
    } else if (word(video, 16)) {
        take(kCEAResolutions, 17, word(video, 16));
    } else if (word(video, 20)) {
        take(kVESAResolutions, 30, word(video, 20));
    } else if (word(video, 24)) {
        take(kHHResolutions, 12, word(video, 24));
    }
    PrintMessage(6, "[WDP][JudgeSourceResolution] So resolution X=%d  Y=%d\n", m_iSourceWidth, m_iSourceHeight);
}

void WDPSink::GetSourceResolution(int& width, int& height) const
{
    width = m_iSourceWidth;
    height = m_iSourceHeight;
}

std::string WDPSink::GetPlayerStateText()
{
    if (!GetPlayerState)
        return "GetPlayerState=NULL";
    static const char* const kStates[] = {"NothingSpecial", "Opening", "Buffering", "Playing",
                                          "Paused",         "Stopped", "Ended",     "Error"};
    const int state = GetPlayerState();
    return state >= 0 && state < 8 ? kStates[state] : "UnKnow";
}

// Connects without holding the window thread for more than kUIBCConnectWaitMs; the socket
// stays non-blocking, so that a source that stops reading cannot stall the sender.
SOCKET WDPSink::Connect(const std::string& address, int port)
{
    SOCKET s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    if (s == INVALID_SOCKET)
        return 0;
    sockaddr_in local{};
    local.sin_family = AF_INET;
    local.sin_addr.s_addr = htonl(INADDR_ANY);
    sockaddr_in peer{};
    peer.sin_family = AF_INET;
    peer.sin_port = htons(u_short(port));
    u_long nonBlocking = 1;
    const auto fail = [&](const char* what, int error) {
        PrintMessage(2, "[WDP][Connect] %s:%d %s err=%d\n", address.c_str(), port, what, error);
        closesocket(s);
        return SOCKET(0);
    };
    if (bind(s, reinterpret_cast<sockaddr*>(&local), sizeof local) != 0 ||
        inet_pton(AF_INET, address.c_str(), &peer.sin_addr) != 1 || ioctlsocket(s, FIONBIO, &nonBlocking) != 0)
        return fail("failed", WSAGetLastError());
    if (connect(s, reinterpret_cast<sockaddr*>(&peer), sizeof peer) == 0)
        return s;
    if (WSAGetLastError() != WSAEWOULDBLOCK)
        return fail("failed", WSAGetLastError());
    fd_set writable, failed;
    FD_ZERO(&writable);
    FD_ZERO(&failed);
    FD_SET(s, &writable);
    FD_SET(s, &failed);
    timeval wait = {kUIBCConnectWaitMs / 1000, (kUIBCConnectWaitMs % 1000) * 1000};
    const int ready = select(0, nullptr, &writable, &failed, &wait);
    if (ready == 0)
        return fail("timed out", WSAETIMEDOUT);
    int error = 0;
    int size = sizeof error;
    getsockopt(s, SOL_SOCKET, SO_ERROR, reinterpret_cast<char*>(&error), &size);
    if (ready < 0 || FD_ISSET(s, &failed) || error != 0)
        return fail("failed", error ? error : WSAGetLastError());
    return s;
}

SOCKET WDPSink::SnUIBC()
{
    JudgeSourceResolution();
    if (m_SUIBC)
        CloseUIBCSocket();
    const int port = g_sn.uibcPort;
    if (port < 1) {
        PrintMessage(2, "[WDP][SnUIBC] m_UIBCPort=%d error, return\n", port);
        return 0;
    }
    m_SUIBC = Connect(m_pConnectedIP ? *m_pConnectedIP : std::string(), port);
    return m_SUIBC;
}

void WDPSink::CloseUIBCSocket()
{
    if (m_SUIBC && closesocket(m_SUIBC) != 0)
        PrintMessage(2, "[WDP][CloseUIBCSocket] closesocket error=%d\n", WSAGetLastError());
    m_SUIBC = 0;
}

int WDPSink::CreateReceiveI2CDataThread()
{
    std::lock_guard<std::mutex> lock(g_i2c.mu);
    if (g_i2c.thread && !g_i2c.done) {
        PrintMessage(6, "[WDP][CreateReceiveI2CDataThread] created before\n");
        return 1;
    }
    if (g_i2c.thread) {
        WaitForSingleObject(g_i2c.thread, kI2CJoinMs);
        CloseHandle(g_i2c.thread);
        g_i2c.thread = nullptr;
    }
    g_i2c.stop = false;
    g_i2c.done = false;
    g_i2c.thread = CreateThread(nullptr, 0, ReceiveI2CDataThread, nullptr, 0, nullptr);
    if (!g_i2c.thread) {
        PrintMessage(2, "[WDP][CreateReceiveI2CDataThread] CreateThread fail\n");
        return 0;
    }
    return 1;
}

void WDPSink::TerminateI2CThread()
{
    HANDLE thread;
    {
        std::lock_guard<std::mutex> lock(g_i2c.mu);
        thread = g_i2c.thread;
        g_i2c.thread = nullptr;
        g_i2c.stop = true;
        // Closing the sockets ends a waiting accept or receive.
        CloseSocket(g_i2c.listener);
        CloseSocket(g_i2c.client);
    }
    if (!thread)
        return;
    if (WaitForSingleObject(thread, kI2CJoinMs) != WAIT_OBJECT_0)
        PrintMessage(2, "[WDP][TerminateI2CThread] the I2C thread did not end\n");
    CloseHandle(thread);
}
