// The driver's Wi-Fi Display events, fed through the simulated adapter's status queue: what
// the window and the two sessions do for each record, and the input a sink generates for the
// test harness, read as packets off its back-channel connection.
#include <winsock2.h>
#include <ws2tcpip.h>
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "../support/Loopback.h"
#include "ui/Seams.h"
#include "wifidisplay/WDPSink.h"
#include "wifidisplay/source_fixture.h"

namespace {

using Strings = std::vector<std::string>;

const SIZE kScreen = {1366, 768};
const std::vector<wdpseams::DisplayMode> kModes = {{1366, 768, 32, 60}};
const char* const kClient = "\"192.168.49.23\"";

std::string Work(const std::string& address, int request, const std::string& data)
{
    return "WVWDP_DoWork(" + address + ", " + std::to_string(request) + ", " + data + ") -> 0";
}

WDP_STATUS Record(int code, std::initializer_list<std::pair<int, int>> bytes = {})
{
    WDP_STATUS s{};
    s.WDPStatus = uint8_t(code);
    s.RtspType = -1;
    s.SetParameterType = -1;
    for (const auto& [offset, value] : bytes)
        reinterpret_cast<uint8_t*>(&s)[offset] = uint8_t(value);
    return s;
}

// A frame event (frame name 1) with these RTSP and SET_PARAMETER types.
WDP_STATUS Frame(int rtsp, int setParameter, int formatCode = 0)
{
    return Record(2, {{4, 1}, {18, rtsp}, {83, setParameter}, {92, formatCode}});
}

class WDPEvents : public SourceFixture {
protected:
    void SetUp() override
    {
        SourceFixture::SetUp();
        seams::sleepOverride = [this](DWORD ms) { m_sleeps.push_back(ms); };
        wdpseams::shellOpenOverride = [this](const std::string& path) { m_opened.push_back(path); };
    }
    void TearDown() override
    {
        seams::sleepOverride = nullptr;
        wdpseams::shellOpenOverride = nullptr;
        WDPSink::m_bGeneric = 0;
        SourceFixture::TearDown();
    }

    void Begin()
    {
        StartOn(kScreen, kModes);
        Source().m_UIBC.m_iUIBCPort = 0;  // the system chooses: tests run side by side
        Script("0 192.168.49.23");
        seams::modalAnswer = [this](const std::string& what) {
            m_modals.push_back(what);
            return IDNO;
        };
    }

    // The local role as the driver keeps it, with its radio button.
    void Role(int type)
    {
        FormWiFiDisplay->m_WDPConfig.DevInfo = uint16_t(type);
        FormWiFiDisplay->SetWDPConfigToDriver(1);
        FormWiFiDisplay->SetUIDeviceType(type);
    }

    void Clear()
    {
        ClearJournals();
        PlayerClear();
        SimJournalClear();
        m_sleeps.clear();
        m_opened.clear();
        m_modals.clear();
    }

    // Queues the record in the driver and waits until the window has handled it.
    void Event(const WDP_STATUS& status)
    {
        const int before = FormWiFiDisplay->m_nEventsHandled;
        std::string reply;
        SimCommand("wdpstatus " + Hex(&status, sizeof status), &reply);
        ASSERT_EQ(reply.substr(0, 2), "ok") << reply;
        ASSERT_TRUE(PumpUntil([&] { return FormWiFiDisplay->m_nEventsHandled > before; }, 5000));
        Pump(30);
    }

    std::vector<DWORD> m_sleeps;
    Strings m_opened;
};

// Events 1, 2, 4, 5, 7 and unknown codes on each role: the calls into the sessions and the label.
TEST_F(WDPEvents, EachEventByRole)
{
    Begin();
    struct Case {
        const char* what;
        int role;
        WDP_STATUS status;
        Strings session;  // session and capture library calls
        Strings player;
        const char* logged;  // "" for none
        const char* label;
    };
    const Strings serverStart = {"WVWDP_StartOrStopRTSPServer(1, \"0.0.0.0\", 7236) -> 0"};
    const Case cases[] = {
        {"TDLS connection, source", 0,
         Record(1, {{68, 2}, {69, 0x50}, {70, 0xF2}, {71, 0xAA}, {72, 0}, {73, 7}, {74, 1}}), serverStart, {},
         "[WDP][StartConnection] m_chTDLS=1 coupling=0 MAC=02:50:F2:AA:00:07", "Start RTSP Server"},
        {"Wi-Fi Direct connection, source: the table is read first", 0, Record(1, {{74, 0}}), serverStart, {},
         "wdp table Start=", "Start RTSP Server"},
        {"connection kind 2: no session", 0, Record(1, {{74, 2}}), {}, {}, "m_chTDLS=2", "WDPEVENT_START_WDP_CONNECTION"},
        {"trigger play on a source", 0, Frame(4, -1), {"WVWDP_TriggerMethod(\"192.168.49.23\", 1) -> 0"}, {},
         "FRAME_CONFIG_TRIGGERPLAY", "WDPEVENT_DEV_SEND_FRAME"},
        {"trigger teardown on a source", 0, Frame(5, -1), {"WVWDP_TriggerMethod(\"192.168.49.23\", 2) -> 0"}, {},
         "FRAME_CONFIG_TRIGGERTEARDOWN", "WDPEVENT_DEV_SEND_FRAME"},
        {"pause on a source: wrong role", 0, Frame(0, -1), {}, {}, "FRAME_CONFIG_PAUSE is not for device type 0",
         "WDPEVENT_DEV_SEND_FRAME"},
        {"pause on a sink", 1, Frame(0, -1), {}, {"DoWork(12) -> 0"}, "", "WDPEVENT_DEV_SEND_FRAME"},
        {"play on a secondary sink", 2, Frame(1, -1), {}, {"DoWork(3) -> 0"}, "", "WDPEVENT_DEV_SEND_FRAME"},
        {"teardown on a sink", 1, Frame(2, -1), {}, {"Stop() -> 0", "GetPlayerState() -> 5"}, "",
         "WDPEVENT_DEV_SEND_FRAME"},
        {"trigger pause on a sink: wrong role", 1, Frame(3, -1), {}, {}, "FRAME_CONFIG_TRIGGERPAUSE is not for device type 1",
         "WDPEVENT_DEV_SEND_FRAME"},
        {"play on type 3: neither role", 3, Frame(1, -1), {}, {}, "FRAME_CONFIG_PLAY is not for device type 3",
         "WDPEVENT_DEV_SEND_FRAME"},
        {"unknown RTSP type", 0, Frame(9, -1), {}, {}, "unknown RTSP message type 9", "WDPEVENT_DEV_SEND_FRAME"},
        {"frame name 2: nothing", 0, Record(2, {{4, 2}, {18, 4}}), {}, {}, "", "WDPEVENT_DEV_SEND_FRAME"},
        {"frame name 3: logged", 0, Record(2, {{4, 3}, {18, 4}}), {}, {}, "frame name 3", "WDPEVENT_DEV_SEND_FRAME"},
        {"a new device table", 0, Record(4), {}, {}, "wdp table Start=", "WDPEVENT_QUERY_WDP_TABLE"},
        {"IDR request on a sink", 1, Record(5, {{4, 6}}), {}, {"DoWork(4) -> 0"}, "ACTION_IDRREQ",
         "WDPEVENT_GENERATE_ACTION"},
        {"TDLS teardown on a source: player and server stop", 0, Record(7), {}, {"Stop() -> 0", "GetPlayerState() -> 5"},
         "[WDP][So] RTSP server already stop", "WDPEVENT_TDLS_TEARDOWN"},
        {"TDLS teardown on a sink", 1, Record(7), {}, {"Stop() -> 0", "GetPlayerState() -> 5"},
         "[WDP][So] RTSP server already stop", "WDPEVENT_TDLS_TEARDOWN"},
        {"unknown code", 0, Record(9), {}, {}, "unknown WDPStatus=9", "before"},
        {"a failed query reads as code 0", 0, Record(0), {}, {}, "unknown WDPStatus=0", "before"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Role(c.role);
        Source().StopRTSPServer();
        FormWiFiDisplay->m_iNowConnectType = WDP_CONNECT_NONE;
        FormWiFiDisplay->m_strWDPConnectedMac.clear();
        FormWiFiDisplay->SetStatusText("before");
        Clear();
        Event(c.status);
        EXPECT_EQ(Calls(c.session.empty() ? "WVWDP_" : c.session[0].substr(0, c.session[0].find('('))), c.session);
        EXPECT_EQ(PlayerCalls(), c.player);
        if (*c.logged) {
            EXPECT_TRUE(Logged(c.logged)) << c.logged;
        }
        EXPECT_EQ(FormWiFiDisplay->labStatus->Caption(), c.label);
    }
    EXPECT_EQ(FormWiFiDisplay->m_bIsWDPSigma, 0);  // only a reset starts test automation

    // a connection on a sink arms the timer that connects to the source instead
    Role(1);
    FormWiFiDisplay->EnableConnectRTSPServerTimer(false);
    Event(Record(1, {{74, 1}}));
    EXPECT_TRUE(FormWiFiDisplay->TimerConnectRTSPServer->Enabled());
    EXPECT_EQ(FormWiFiDisplay->m_chTDLS, 1);
}

// SET_PARAMETER requests by type, role and the Gen and HID test parameters.
TEST_F(WDPEvents, SetParameterByTypeRoleAndTestParameters)
{
    Begin();
    ASSERT_EQ(Source().StartRTSPServer(), 1);  // the capture library is loaded with the server
    constexpr int kGen = 4, kHid = 8;
    struct Case {
        int type;
        int role;
        int parameters;
        Strings session;
        Strings player;
        const char* logged;
    };
    const Case cases[] = {
        {0, 1, kGen, {}, {"DoWork(6) -> 0"}, ""},
        {0, 3, kGen, {}, {"DoWork(6) -> 0"}, ""},  // type 3 takes the sink's branch
        {0, 0, kGen, {Work(kClient, 24, "2")}, {}, ""},
        {0, 2, kHid, {}, {"DoWork(14) -> 0"}, ""},
        {0, 0, kHid, {}, {}, ""},
        {0, 1, kGen | kHid, {}, {"DoWork(6) -> 0"}, ""},
        {0, 1, 0, {}, {}, ""},
        {1, 1, kGen, {}, {"DoWork(5) -> 0"}, ""},
        {1, 0, kGen, {Work(kClient, 24, "2"), Work(kClient, 24, "4")}, {}, ""},
        {1, 1, kHid, {}, {"DoWork(13) -> 0"}, ""},
        {2, 1, 0, {}, {}, "FRAME_CONFIG_CAPRENEGO is not for device type 1"},
        {3, 0, 0, {Work(kClient, 2, "null"), "WFD_StopCapture() -> 0"}, {}, ""},
        {3, 1, 0, {}, {"DoWork(2) -> 0"}, ""},
        {3, 3, 0, {}, {}, "FRAME_CONFIG_STANDBY is not for device type 3"},
        {4, 0, 0, {Work(kClient, 12, "null")}, {}, ""},
        {4, 1, 0, {}, {}, "FRAME_CONFIG_UIBCSETTINGENABLE is not for device type 1"},
        {5, 0, 0, {Work(kClient, 13, "null")}, {}, ""},
        {5, 2, 0, {}, {}, "FRAME_CONFIG_UIBCSETTINGDISABLE is not for device type 2"},
        {6, 0, 0, {}, {}, "FRAME_CONFIG_ROUTE_AUDIO"},
        {8, 1, 0, {}, {}, "FRAME_CONFIG_2DVIDEOPARAM"},
        {9, 0, kGen, {}, {}, "unknown SET_PARAMETER type 9"},
        {-2, 1, kGen, {}, {}, "unknown SET_PARAMETER type -2"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("type " + std::to_string(c.type) + " role " + std::to_string(c.role) + " parameters " +
                     std::to_string(c.parameters));
        Role(c.role);
        FormWiFiDisplay->m_TestParameters[0] = uint8_t(c.parameters);
        Clear();
        Event(Frame(-1, c.type));
        EXPECT_EQ(Calls(), c.session);
        EXPECT_EQ(PlayerCalls(), c.player);
        if (*c.logged) {
            EXPECT_TRUE(Logged(c.logged)) << c.logged;
        }
    }
    // enabling remote input on a source starts the listener for the connecting client
    EXPECT_TRUE(Source().m_UIBC.Listening());
    EXPECT_EQ(Source().m_UIBC.m_bUIBCContinue.load(), 0);  // and disabling stops its client threads

    // a renegotiation on a source changes the capture format: code 8 is CEA row 6, 1280 x 720 at 60
    Role(0);
    Clear();
    Event(Frame(-1, 2, 8));
    const Strings calls = Calls();
    ASSERT_GE(calls.size(), 4u);
    EXPECT_EQ(Strings(calls.begin(), calls.begin() + 3),
              (Strings{"WFD_StopCapture() -> 0", "WFD_SetFPS(60) -> 0", "WFD_SetCaptureResolution(1280, 720) -> 0"}));
    EXPECT_EQ(calls[3].substr(0, calls[3].find(", h:")), "WVWDP_DoWork(\"\", 10");  // no M7 yet: no primary sink
    EXPECT_EQ(calls[3].substr(calls[3].find(", h:") + 4 + 48, 16), "0000000006000000");
}

// Event 2 with frame name 1, no RTSP message and SET_PARAMETER standby on a source only enters standby.
TEST_F(WDPEvents, StandbyFrameOnASourceOnlyEntersStandby)
{
    Begin();
    ASSERT_EQ(Source().StartRTSPServer(), 1);
    Role(0);
    Clear();
    Event(Frame(-1, 3));
    EXPECT_EQ(Calls(), (Strings{Work(kClient, 2, "null"), "WFD_StopCapture() -> 0"}));
    EXPECT_TRUE(PlayerCalls().empty());
    EXPECT_EQ(FormWiFiDisplay->labStatus->Caption(), "Stop Send Standby");
}

// Actions on a source: the editor and the message box through their seams, frame skipping,
// input video, the I2C requests.
TEST_F(WDPEvents, SourceActions)
{
    Begin();
    ASSERT_EQ(Source().StartRTSPServer(), 1);
    Role(0);
    char windows[MAX_PATH] = {};
    GetWindowsDirectoryA(windows, MAX_PATH);
    const std::string editor = std::string(windows) + "\\System32\\notepad.exe";
    struct Case {
        int action;
        int preparation;
        int inputVideo;
        Strings opened;
        Strings modals;
        Strings session;
        const char* logged;
    };
    const Case cases[] = {
        {0, 1, 0, {editor}, {}, {}, "ACTION_UIBC_GEN"},
        {0, 2, 0, {}, {"Please don't move cursor and watch cursor"}, {}, "ACTION_UIBC_GEN"},
        {0, 3, 0, {}, {}, {}, "ACTION_UIBC_GEN"},
        {1, 1, 0, {editor}, {}, {}, "ACTION_UIBC_HID"},
        {1, 2, 0, {}, {}, {}, "ACTION_UIBC_HID"},
        {3, 0, 1, {}, {}, {}, "input video VIDEO_PROTECTED is not supported"},
        {3, 0, 2, {}, {}, {}, "input video VIDEO_UNPROTECTED is not supported"},
        {3, 0, 5, {}, {}, {}, "unknown input video type 5"},
        {4, 0, 0, {}, {}, {}, "[WDP][SendReadRequest] send Readrequest error"},  // no I2C port from the sink
        {5, 0, 0, {}, {}, {}, "[WDP][SendWriteRequest] send Writerequest error"},
        {6, 0, 0, {}, {}, {}, "ACTION_IDRREQ on a source"},
        {7, 0, 0, {}, {}, {}, "unknown action 7"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("action " + std::to_string(c.action) + " preparation " + std::to_string(c.preparation));
        Clear();
        Event(Record(5, {{4, c.action}, {70, c.preparation}, {76, c.inputVideo}}));
        EXPECT_EQ(m_opened, c.opened);
        EXPECT_EQ(m_modals, c.modals);
        EXPECT_EQ(Calls(), c.session);
        EXPECT_TRUE(Logged(c.logged)) << c.logged;
    }
    // frame skipping restarts capture at 5 frames a second
    Clear();
    Event(Record(5, {{4, 2}}));
    const Strings calls = Calls();
    ASSERT_GE(calls.size(), 3u);
    EXPECT_EQ(Strings(calls.begin(), calls.begin() + 2), (Strings{"WFD_StopCapture() -> 0", "WFD_SetFPS(5) -> 0"}));
    EXPECT_EQ(calls.back().substr(0, 22), "WFD_StartMpegtsCapture");
}

// Reads the packets a sink sends until the count is reached or nothing more comes.
std::vector<std::string> ReadPackets(SOCKET s, size_t count)
{
    std::string bytes;
    std::vector<std::string> packets;
    DWORD timeout = 3000;
    setsockopt(s, SOL_SOCKET, SO_RCVTIMEO, reinterpret_cast<const char*>(&timeout), sizeof timeout);
    char buffer[4096];
    while (packets.size() < count) {
        while (bytes.size() >= 4) {
            const size_t length = (uint8_t(bytes[2]) << 8) | uint8_t(bytes[3]);
            if (length < 4 || bytes.size() < length)
                break;
            packets.push_back(Hex(bytes.data(), length));
            bytes.erase(0, length);
        }
        if (packets.size() >= count)
            break;
        const int n = recv(s, buffer, sizeof buffer, 0);
        if (n <= 0)
            break;
        bytes.append(buffer, size_t(n));
    }
    return packets;
}

std::string HexOf(int value, int bytes)
{
    char text[8];
    std::snprintf(text, sizeof text, bytes == 1 ? "%02X" : "%04X", value);
    return text;
}

// Generated input on a sink, as packets on its back channel: generic moves and keys, a HID
// mouse event and HID keys, with their pauses.
TEST_F(WDPEvents, SinkGeneratesInputForTheHarness)
{
    Begin();
    Role(1);
    sockaddr_in at{};
    SOCKET listener = ListenOnLoopback(at);
    ASSERT_NE(listener, INVALID_SOCKET);
    SOCKET sink = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    ASSERT_EQ(connect(sink, reinterpret_cast<sockaddr*>(&at), sizeof at), 0);
    SOCKET peer = accept(listener, nullptr, nullptr);
    ASSERT_NE(peer, INVALID_SOCKET);
    FormWiFiDisplay->m_Sink.m_SUIBC = sink;

    // generic mouse: 100 moves to x 20, y 20 to 9920, 100 ms apart
    WDPSink::m_bGeneric = 1;
    Clear();
    Event(Record(5, {{4, 0}, {69, 2}}));
    std::vector<std::string> packets = ReadPackets(peer, 100);
    ASSERT_EQ(packets.size(), 100u);
    for (int i = 0; i < 100; ++i)
        EXPECT_EQ(packets[size_t(i)], "0000000E02000601000014" + HexOf(20 + 100 * i, 2) + "00")
            << i;
    EXPECT_EQ(m_sleeps, std::vector<DWORD>(100, 100));

    // generic keys: down and up for the codes 48 to 73, 10 ms apart
    Clear();
    Event(Record(5, {{4, 0}, {69, 1}}));
    packets = ReadPackets(peer, 52);
    ASSERT_EQ(packets.size(), 52u);
    for (int key = 48; key <= 73; ++key) {
        const size_t i = size_t(key - 48) * 2;
        EXPECT_EQ(packets[i], "0000000C03000500" + HexOf(key, 2) + "0000");
        EXPECT_EQ(packets[i + 1], "0000000C04000500" + HexOf(key, 2) + "0000");
    }
    EXPECT_EQ(m_sleeps, std::vector<DWORD>(52, 10));

    // HID mouse: one event at 10, 10 without buttons, then 100 ms
    WDPSink::m_bGeneric = 0;
    Clear();
    Event(Record(5, {{4, 1}, {69, 2}}));
    EXPECT_EQ(ReadPackets(peer, 1), Strings{"0001000C010100000300" "0A0A"});
    EXPECT_EQ(m_sleeps, std::vector<DWORD>{100});

    // HID keys: each of the codes 65 to 130 pressed and released; "A" is usage 4, 91 has no usage
    Clear();
    Event(Record(5, {{4, 1}, {69, 1}}));
    packets = ReadPackets(peer, 132);
    ASSERT_EQ(packets.size(), 132u);
    EXPECT_EQ(packets[0], "000100120100000008000004000000000000");
    EXPECT_EQ(packets[1], "000100120100000008000000000000000000");
    EXPECT_EQ(packets[2 * (91 - 65)], "00010012010000000800005B000000000000");
    EXPECT_EQ(packets[131], "000100120100000008000000000000000000");
    EXPECT_EQ(m_sleeps, std::vector<DWORD>(66, 10));

    // other input types and actions 2 to 5 send nothing
    Clear();
    Event(Record(5, {{4, 0}, {69, 3}}));
    Event(Record(5, {{4, 3}, {69, 2}}));
    EXPECT_TRUE(Logged("unknown UIBC input type 3"));
    EXPECT_TRUE(Logged("action 3 on a sink"));
    EXPECT_TRUE(m_sleeps.empty());
    FormWiFiDisplay->m_Sink.CloseUIBCSocket();
    EXPECT_TRUE(ReadPackets(peer, 1).empty());
    closesocket(peer);
    closesocket(listener);
}

// Reset to defaults: the session is torn down, the role and configuration come from the record,
// the driver's event is handed over again, and test automation stays on for the process.
TEST_F(WDPEvents, ResetToDefaultsStartsTestAutomation)
{
    Begin();
    Role(0);
    ASSERT_EQ(Source().StartRTSPServer(), 1);
    FormWiFiDisplay->m_TestParameters[0] = 0xFF;
    FormWiFiDisplay->m_chTDLS = 1;
    FormWiFiDisplay->m_strWDPConnectedIP = "192.168.49.23";
    FormWiFiDisplay->m_iWDPConnectedPort = 7236;
    FormWiFiDisplay->TimerKeepalive->SetEnabled(true);
    FormWiFiDisplay->TimerRTSPRetry->SetEnabled(true);
    const int handovers = SimCallCount("WVWL_InitWifiDisplay");
    const int deletes = SimCallCount("WVWL_WlanDeleteAllWindowsProfiles");
    const int cleans = SimCallCount("WVWL_CleanPort2DhcpIPAddress");
    Clear();
    Event(Record(3, {{4, 0x11}, {5, 0x00}}));
    EXPECT_EQ(FormWiFiDisplay->labStatus->Caption(), "Stop RTSP Server");  // the server's own message comes last
    EXPECT_TRUE(Logged("[WDP][DoWDPSigmaEvent] WDPEVENT_RESET_DEFAULT"));
    EXPECT_EQ(FormWiFiDisplay->m_bIsWDPSigma, 1);
    EXPECT_EQ(FormWiFiDisplay->m_chTDLS, 0);
    EXPECT_EQ(FormWiFiDisplay->m_TestParameters[0], 0);
    EXPECT_TRUE(FormWiFiDisplay->rbPSink->Checked());
    const WDP_CONFIG stored = StoredConfig();
    EXPECT_EQ(stored.ConfigMode, 1);
    EXPECT_EQ(stored.DevInfo & 3, 1);
    EXPECT_EQ(SimCallCount("WVWL_InitWifiDisplay"), handovers + 1);
    EXPECT_EQ(SimCallCount("WVWL_WlanDeleteAllWindowsProfiles"), deletes + 1);
    EXPECT_EQ(SimCallCount("WVWL_CleanPort2DhcpIPAddress"), cleans + 1);
    EXPECT_EQ(Source().m_bRTSPServerStarted, 0);
    EXPECT_EQ(WDPSource::SessionState().connectingClientIP, "");
    EXPECT_EQ(FormWiFiDisplay->m_strWDPConnectedIP, "");
    EXPECT_EQ(FormWiFiDisplay->m_iWDPConnectedPort, 0);
    EXPECT_FALSE(FormWiFiDisplay->TimerKeepalive->Enabled());
    EXPECT_FALSE(FormWiFiDisplay->TimerRTSPRetry->Enabled());
    EXPECT_FALSE(FormWiFiDisplay->TimerConnectRTSPServer->Enabled());

    // a second reset with no session to stop: the label keeps the event and the device type
    Event(Record(3, {{4, 0x12}, {5, 0x00}}));
    EXPECT_EQ(FormWiFiDisplay->labStatus->Caption(), "WDPEVENT_RESET_DEFAULT\nDevType=2");
    EXPECT_TRUE(FormWiFiDisplay->rbSSink->Checked());

    // test automation: a connection of any kind is taken without a device-table check
    Event(Record(1, {{68, 2}, {73, 9}, {74, 1}}));
    EXPECT_EQ(FormWiFiDisplay->m_iNowConnectType, WDP_CONNECT_TDLS);
    EXPECT_EQ(FormWiFiDisplay->m_strWDPConnectedMac, "02:00:00:00:00:09");
    EXPECT_TRUE(FormWiFiDisplay->TimerConnectRTSPServer->Enabled());  // a sink now: it connects to the source

    // presetting test parameters: the role, the EDID work request, the driver's video formats
    struct Preset {
        uint8_t bytes[4];
        bool source;
        int work;
        const char* logged;
    };
    const Preset presets[] = {
        {{0x0C, 0x80, 0x80, 0x00}, true, 25, "[WDP][QueryVideoarray] result=1 0000"},
        {{0x02, 0xC0, 0x00, 0x01}, false, 26, "VideoFormat 3 is invalid"},
        {{0x01, 0x40, 0x7F, 0x00}, false, 26, "VideoFormat default"},
    };
    for (const Preset& p : presets) {
        SCOPED_TRACE(p.logged);
        Clear();
        Event(Record(6, {{4, p.bytes[0]}, {5, p.bytes[1]}, {6, p.bytes[2]}, {7, p.bytes[3]}}));
        EXPECT_EQ(std::memcmp(FormWiFiDisplay->m_TestParameters, p.bytes, 4), 0);
        EXPECT_EQ(FormWiFiDisplay->rbSource->Checked(), p.source);
        EXPECT_EQ(Calls("WVWDP_DoWork"), Strings{Work("null", p.work, "null")});
        EXPECT_TRUE(Logged(p.logged)) << p.logged;
        EXPECT_EQ(FormWiFiDisplay->labStatus->Caption(), "WDPEVENT_PRESET_TESTPARAMETERS");
    }
    EXPECT_TRUE(FormWiFiDisplay->rbPSink->Checked());
    EXPECT_EQ(FormWiFiDisplay->m_bIsWDPSigma, 1);  // nothing clears test automation
}

}  // namespace
