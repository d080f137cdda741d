// The source session on the session and capture stand-ins: the server's work requests, the
// formats offered from the display modes, the library's callbacks as window messages, the
// capture set-up chosen from the sink's formats, and the order of teardown.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "core/WvwlLib.h"
#include "resources/FormResource.h"
#include "resources/UiStr.h"
#include "wifidisplay/WDPMessages.h"
#include "wifidisplay/source_fixture.h"

namespace {

using Strings = std::vector<std::string>;
using SourceSession = SourceFixture;

const SIZE kLaptop = {1366, 768};
const std::vector<wdpseams::DisplayMode> kLaptopModes = {{1366, 768, 32, 60}, {1024, 768, 32, 60}, {800, 600, 16, 60}};

std::string Work(const std::string& address, int request, const std::string& data)
{
    return "WVWDP_DoWork(" + address + ", " + std::to_string(request) + ", " + data + ") -> 0";
}

Strings StartLines(const std::string& formats, int width, int height, int generic, bool uibc)
{
    Strings lines = {"WVWDP_StartOrStopRTSPServer(1, \"0.0.0.0\", 7236) -> 0",
                     Work("null", 16, "55650"),
                     Work("null", 17, "55750"),
                     Work("null", 20, "h:" + formats),
                     Work("null", 21, std::to_string(width)),
                     Work("null", 22, std::to_string(height)),
                     Work("null", 5, "null"),
                     Work("null", 27, std::to_string(generic))};
    if (uibc) {
        lines.push_back(Work("null", 3, "null"));
        lines.push_back(Work("null", 9, "10600"));
    } else {
        lines.push_back(Work("null", 4, "null"));
    }
    lines.push_back(Work("null", 8, "null"));
    lines.push_back(Work("null", 23, "60"));
    return lines;
}

// The 20 bytes of offered formats: profiles 3, levels 31, then the CEA and VESA masks.
std::string Offered(uint32_t cea, uint32_t vesa)
{
    uint8_t bytes[20] = {3, 31};
    std::memcpy(bytes + 4, &cea, 4);
    std::memcpy(bytes + 8, &vesa, 4);
    return Hex(bytes, sizeof bytes);
}

std::string MainHandleText()
{
    const std::string title = FormResource->UI_Str->STR_TARNWELL_CONFIG_TITLE;
    return FindWindowA(nullptr, title.c_str()) ? "<main window>" : "0x00000000";
}

TEST_F(SourceSession, ServerStartSendsTheWorkRequestsInOrder)
{
    struct Case {
        const char* uibc;
        const char* generic;
        bool wantUibc;
        int wantGeneric;
    };
    const Case cases[] = {{nullptr, nullptr, false, 1}, {"1", "0", true, 0}, {"0", "7", false, 7}, {"01", "1", false, 1}};
    StartOn(kLaptop, kLaptopModes);
    for (const Case& c : cases) {
        if (c.uibc)
            SetSo("SupportUIBC", c.uibc);
        if (c.generic)
            SetSo("SupportGeneric", c.generic);
        ClearJournals();
        EXPECT_EQ(Source().StartRTSPServer(), 1);
        EXPECT_EQ(Calls(), StartLines(Offered(0x1, 0x3000 | 0xC), 1366, 768, c.wantGeneric, c.wantUibc))
            << "SupportUIBC=" << (c.uibc ? c.uibc : "default");
        Pump(20);
        EXPECT_EQ(FormWiFiDisplay->labStatus->Caption(), "Start RTSP Server");
        EXPECT_EQ(Source().StopRTSPServer(), 1);
        EXPECT_EQ(Source().m_bRTSPServerStarted, 0);
    }
    EXPECT_EQ(Source().CaptureWidth(), 1366);
    EXPECT_EQ(Source().CaptureHeight(), 768);
}

TEST_F(SourceSession, FormatsOfferedFromTheDisplayModes)
{
    struct Case {
        std::vector<wdpseams::DisplayMode> modes;
        uint32_t cea, vesa;
    };
    const Case cases[] = {
        {{{1366, 768, 32, 60}}, 0x1, 0x3000},                                      // CEA bit 0 only, VESA 12 and 13
        {{{1920, 1080, 32, 60}}, 0x1 | 0x80 | 0x100 | 0x1000 | 0x2000 | 0x10000, 0},  // frame rate not compared
        {{{640, 480, 32, 60}, {720, 480, 32, 60}}, 0x1 | 0x2, 0},                 // 640 wide never counts
        {{{1920, 1080, 16, 60}, {1280, 720, 32, 50}, {1024, 768, 32, 59}}, 0x1, 0},  // depth and refresh too low
        {{}, 0x1, 0},
    };
    for (const Case& c : cases) {
        wdpseams::displayModesOverride = [&c] { return c.modes; };
        if (!FormWiFiDisplay)
            StartOn(kLaptop, c.modes);
        Source().QueryDisplayModes();
        const WDP_VIDEO_FORMAT_SUPPORT& offered = Source().VideoFormatSupport();
        EXPECT_EQ(offered.CEA, c.cea);
        EXPECT_EQ(offered.VESA, c.vesa);
        EXPECT_EQ(offered.HH, 0u);
        EXPECT_EQ(Hex(&offered, sizeof offered), Offered(c.cea, c.vesa));
    }
}

TEST_F(SourceSession, ServerStartAndStopResults)
{
    StartOn(kLaptop, kLaptopModes);
    // port taken or another failure: nothing sent, nothing posted, not started
    for (int result : {3, 5}) {
        Inject("start", result);
        ClearJournals();
        FormWiFiDisplay->labStatus->SetCaption("");
        EXPECT_EQ(Source().StartRTSPServer(), 0);
        Pump(20);
        EXPECT_EQ(Calls(), Strings{"WVWDP_StartOrStopRTSPServer(1, \"0.0.0.0\", 7236) -> " + std::to_string(result)});
        EXPECT_EQ(Source().m_bRTSPServerStarted, 0);
        EXPECT_EQ(FormWiFiDisplay->labStatus->Caption(), "");
    }
    Inject("start", 0);
    EXPECT_EQ(Source().StartRTSPServer(), 1);
    ClearJournals();
    EXPECT_EQ(Source().StartRTSPServer(), 0);  // already running: the library is not asked
    EXPECT_TRUE(Calls().empty());

    // stop: time-out and failure leave the server marked started; capture stops and the session closes all the same
    struct Stop {
        int result;
        int wantStarted;
    };
    for (const Stop& s : {Stop{6, 1}, Stop{9, 1}, Stop{0, 0}}) {
        Inject("stop", s.result);
        Script("0 192.168.49.5; 23 - w:5000,6000");
        ClearJournals();
        FormWiFiDisplay->labStatus->SetCaption("");
        EXPECT_EQ(Source().StopRTSPServer(), 1);
        Pump(20);
        EXPECT_EQ(Calls(), (Strings{"WVWDP_StartOrStopRTSPServer(0, \"\", 7236) -> " + std::to_string(s.result),
                                    "WFD_StopCapture() -> 0"}));
        EXPECT_EQ(Source().m_bRTSPServerStarted, s.wantStarted);
        const WDPSourceSessionState state = WDPSource::SessionState();
        EXPECT_EQ(state.rtpPort0, 0);
        EXPECT_EQ(state.rtpPort1, 0);
        EXPECT_EQ(state.priSinkIP, "");
        EXPECT_EQ(FormWiFiDisplay->labStatus->Caption(), s.result == 0 ? "Stop RTSP Server" : "");
    }
    ClearJournals();
    EXPECT_EQ(Source().StopRTSPServer(), 0);  // not running
    EXPECT_TRUE(Calls().empty());
}

// A whole session as the library reports it: accept, M1 to M4 with the sink's I2C port, the
// format records, M7 with one sink port; then keepalive, M10, M9.
TEST_F(SourceSession, SessionFromAcceptToCaptureAndStop)
{
    StartOn(kLaptop, kLaptopModes);
    SetSessionID(4711);
    FormWiFiDisplay->m_bDisplayStatus = 1;
    ASSERT_EQ(Source().StartRTSPServer(), 1);
    ClearJournals();
    Script("0 192.168.49.23");
    EXPECT_EQ(FormWiFiDisplay->labStatus->Caption(), "Receive WPD Connect");
    Script("10;11;12;13;14;15 - i:6001;16;17");
    EXPECT_EQ(FormWiFiDisplay->labStatus->Caption(), "Create Receive UIBC Thread");
    Script("52 - h:" + FormatRecord(0, 0, 0, 0, 0, 0) + ";55 - i:1;58 - h:" + FormatRecord(0, 2, 8, 0x80, 0, 0) +
           ";18;19;20;21;22;23 - w:0,6000");
    const std::string handle = MainHandleText();
    ASSERT_NE(handle, "0x00000000");
    Strings want = {"WVWDP_StartSessionSetup(\"192.168.49.23\") -> 0", "WVWDP_GetSessionID(\"192.168.49.23\") -> 4711",
                    "WFD_LibraryInit(" + handle + ") -> 0"};
    const Strings capture = {"WFD_SetEncodeType(0) -> 0",
                             "WFD_SetLPCMByteSwap(0) -> 0",
                             "WFD_SetFrameRatio(30) -> 0",
                             "WFD_SetBitRateRatio(1 (0x3F800000)) -> 0",
                             "WFD_SetLPCMPrivateHDR(1) -> 0",
                             "WFD_SetCaptureExtend(0) -> 0",
                             std::string("WFD_SetCaptureCursor(") + (FormWiFiDisplay->CaptureCursorChoice() ? "1" : "0") + ") -> 0",
                             "WFD_SetCodecAsyncDepth(1) -> 0",
                             "WFD_SetVideoCodecParameter(100, 41) -> 0",
                             "WFD_SetFPS(30) -> 0",
                             "WFD_SetCaptureResolution(1920, 1080) -> 0",
                             "WFD_SetSaveTsFile(0) -> 0",
                             "WFD_SetIPInfo(55750, 6000, L\"192.168.49.23\") -> 0",
                             "WFD_StartMpegtsCapture(2, 0, 0) -> 0"};
    want.insert(want.end(), capture.begin(), capture.end());
    EXPECT_EQ(Calls(), want);
    EXPECT_TRUE(Logged("SessionID=00004711"));
    const WDPSourceSessionState state = WDPSource::SessionState();
    EXPECT_EQ(state.sinkI2CPort, 6001);
    EXPECT_EQ(state.connectedDeviceType, 1);
    EXPECT_EQ(state.priSinkIP, "192.168.49.23");
    EXPECT_TRUE(FormWiFiDisplay->TimerKeepalive->Enabled());
    EXPECT_EQ(FormWiFiDisplay->TimerKeepalive->Interval(), 55000u);
    EXPECT_TRUE(FormWiFiDisplay->BtnWDPPlay->Enabled());

    ClearJournals();
    FormWiFiDisplay->TimerKeepalive->Tick();
    FormWiFiDisplay->TimerKeepalive->Tick();
    EXPECT_EQ(Calls(), Strings(2, Work("\"192.168.49.23\"", 11, "null")));

    ClearJournals();
    Script("26;27 - i:1");  // standby: capture goes on
    EXPECT_TRUE(Calls().empty());
    Script("27 - i:0");
    EXPECT_EQ(FormWiFiDisplay->labStatus->Caption(), "Stop Capture Screen");
    EXPECT_EQ(Calls(), Strings{"WFD_StopCapture() -> 0"});
    ClearJournals();
    Script("24;25");
    EXPECT_EQ(Calls(), (Strings{"WVWDP_StartOrStopRTSPServer(0, \"\", 7236) -> 0", "WFD_StopCapture() -> 0"}));
    EXPECT_EQ(Source().m_bRTSPServerStarted, 0);
    EXPECT_EQ(FormWiFiDisplay->labStatus->Caption(), "Stop RTSP Server");
}

// The capture resolution, profile and level chosen from the sink's format records.
TEST_F(SourceSession, CaptureSetUpFromTheChosenFormat)
{
    struct Case {
        uint8_t preferred, profile, level;
        uint32_t cea, vesa, hh;
        int wantProfile, wantLevel, width, height, fps;
    };
    const Case cases[] = {
        {0, 1, 1, 0x60, 0, 0, 66, 31, 1280, 720, 30},       // lowest CEA bit wins
        {0, 2, 2, 0x1, 0, 0, 100, 32, 640, 480, 60},
        {0, 1, 4, 0, 0x8, 0, 66, 40, 1024, 768, 60},        // no CEA bit: VESA
        {0, 1, 16, 0, 0, 0x800, 66, 42, 848, 480, 60},      // handheld
        {0, 9, 3, 0, 0, 0, 66, 31, 1366, 768, 30},          // nothing set: screen size at 30
        {0, 1, 1, 0x4, 0x2, 0, 66, 31, 800, 600, 60},       // interlaced CEA row: no match, VESA next
        {0, 1, 1, 0x4, 0, 0, 66, 31, 1366, 768, 30},        // interlaced and nothing else
        {0, 1, 1, 0x20000, 0, 0x1000, 66, 31, 1366, 768, 30},  // bits beyond the tables
        {1, 2, 16, 0x80, 0, 0, 66, 40, 1366, 768, 30},      // sink supports the preferred mode
    };
    StartOn(kLaptop, kLaptopModes);
    for (const Case& c : cases) {
        ASSERT_EQ(Source().StartRTSPServer(), 1);
        Script("0 10.0.0.9;52 - h:" + FormatRecord(c.preferred, 0, 0, 0, 0, 0) + ";58 - h:" +
               FormatRecord(0, c.profile, c.level, c.cea, c.vesa, c.hh));
        ClearJournals();
        Script("23 - w:5000,0");
        char codec[64], size[64], fps[32];
        std::snprintf(codec, sizeof codec, "WFD_SetVideoCodecParameter(%d, %d) -> 0", c.wantProfile, c.wantLevel);
        std::snprintf(fps, sizeof fps, "WFD_SetFPS(%d) -> 0", c.fps);
        std::snprintf(size, sizeof size, "WFD_SetCaptureResolution(%d, %d) -> 0", c.width, c.height);
        EXPECT_EQ(Calls("WFD_SetVideoCodecParameter"), Strings{codec}) << "CEA 0x" << std::hex << c.cea;
        EXPECT_EQ(Calls("WFD_SetFPS"), Strings{fps}) << "CEA 0x" << std::hex << c.cea;
        EXPECT_EQ(Calls("WFD_SetCaptureResolution"), Strings{size}) << "CEA 0x" << std::hex << c.cea;
        EXPECT_EQ(Source().StopRTSPServer(), 1);
        // the next server start measures the screen again
    }
}

// The stream type and the address handed to capture from the sink's RTP ports.
TEST_F(SourceSession, StreamTypeFromTheSinkPorts)
{
    struct Case {
        const char* ports;
        const char* ipInfo;
        int type;
    };
    const Case cases[] = {
        {"w:5000,6000", "WFD_SetIPInfo(55650, 5000, L\"192.168.49.7\") -> 0", 3},
        {"w:5000,0", "WFD_SetIPInfo(55650, 5000, L\"192.168.49.7\") -> 0", 0},
        {"w:0,6000", "WFD_SetIPInfo(55750, 6000, L\"192.168.49.7\") -> 0", 2},
        {"w:0,0", "WFD_SetIPInfo(55750, 0, L\"192.168.49.7\") -> 0", -1},
    };
    StartOn(kLaptop, kLaptopModes);
    for (const Case& c : cases) {
        ASSERT_EQ(Source().StartRTSPServer(), 1);
        Script("0 192.168.49.7");
        ClearJournals();
        Script(std::string("23 - ") + c.ports);
        EXPECT_EQ(Calls("WFD_SetIPInfo"), Strings{c.ipInfo});
        EXPECT_EQ(Calls("WFD_StartMpegtsCapture"),
                  Strings{"WFD_StartMpegtsCapture(" + std::to_string(c.type) + ", 0, 0) -> 0"});
        Source().StopRTSPServer();
    }
    // ports from an earlier M7 stay when a later one reports 0
    ASSERT_EQ(Source().StartRTSPServer(), 1);
    Script("0 192.168.49.7;23 - w:5000,0");
    ClearJournals();
    Script("23 - w:0,6000");
    EXPECT_EQ(Calls("WFD_StartMpegtsCapture"), Strings{"WFD_StartMpegtsCapture(3, 0, 0) -> 0"});
}

// Each callback code with its data, what the window then did through the libraries.
TEST_F(SourceSession, CallbackCodes)
{
    struct Case {
        const char* script;
        Strings calls;
        const char* status;
    };
    const Case cases[] = {
        {"1", {}, nullptr},
        {"10;11;12;13;14;16;17;18;19;20;21;22;24;26", {}, nullptr},
        {"15", {}, "Create Receive UIBC Thread"},        // without data: no port, still the message
        {"23", {}, nullptr},                             // M7 without data is refused
        {"27", {}, nullptr},                             // M10 without data is refused
        {"25", {"WVWDP_StartOrStopRTSPServer(0, \"\", 7236) -> 0", "WFD_StopCapture() -> 0"}, "Stop RTSP Server"},
        {"45", {"WFD_StopCapture() -> 0", "WVWDP_DoWork(null, 7, null) -> 0"}, "Go In Standby Mode"},
        {"46", {"WFD_IDRRequest() -> 0"}, "Send IDR"},
        {"48;49", {}, nullptr},
        {"99;2;47", {}, nullptr},                        // unknown codes
        {"52;55;58", {}, nullptr},                       // format and type codes without data
    };
    StartOn(kLaptop, kLaptopModes);
    for (const Case& c : cases) {
        if (!Source().m_bRTSPServerStarted) {
            ASSERT_EQ(Source().StartRTSPServer(), 1);
        }
        Pump(20);
        FormWiFiDisplay->labStatus->SetCaption("");
        ClearJournals();
        Script(c.script);
        EXPECT_EQ(Calls(), c.calls) << c.script;
        EXPECT_EQ(FormWiFiDisplay->labStatus->Caption(), c.status ? c.status : "") << c.script;
    }
    EXPECT_TRUE(Logged("unknown code=99"));
    EXPECT_EQ(WDPSource::SessionState().sinkI2CPort, 0);

    // the client's address is kept to 63 characters; the sink type picks the address it fills
    const std::string longAddress(100, '7');
    Script("0 " + longAddress + ";55 - i:2");
    WDPSourceSessionState state = WDPSource::SessionState();
    EXPECT_EQ(state.connectingClientIP, longAddress.substr(0, 63));
    EXPECT_EQ(state.connectedDeviceType, 2);
    EXPECT_EQ(state.secSinkIP, longAddress.substr(0, 63));
    Script("0 10.1.1.1;55 - i:1");
    state = WDPSource::SessionState();
    EXPECT_EQ(state.connectedDeviceType, 1);
    EXPECT_EQ(state.priSinkIP, "10.1.1.1");
    ClearJournals();
    EXPECT_EQ(Source().GetSessionID(0), 12345678);
    EXPECT_EQ(Calls(), Strings{"WVWDP_GetSessionID(\"" + longAddress.substr(0, 63) + "\") -> 12345678"});

    // IDR only while the server runs
    Source().StopRTSPServer();
    ClearJournals();
    Script("46");
    EXPECT_TRUE(Calls().empty());
}

TEST_F(SourceSession, TriggersNeedAClientAndTeardownRunsInOrder)
{
    StartOn(kLaptop, kLaptopModes);
    Source().TriggerPause();
    Source().TriggerPlay();
    EXPECT_TRUE(Calls().empty());
    EXPECT_TRUE(Logged("g_szConnectingClientIP= , return"));

    ASSERT_EQ(Source().StartRTSPServer(), 1);
    Script("0 192.168.49.40;23 - w:5000,0");
    FormWiFiDisplay->Show();
    Pump(20);
    FormWiFiDisplay->EnableWDPPlayControlButton(true);
    const auto click = [](TWvImage* button) {
        const HWND form = FormWiFiDisplay->Handle();
        const int x = button->Left() + button->Width() / 2, y = button->Top() + button->Height() / 2;
        SendMessageA(form, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
        SendMessageA(form, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
    };
    ClearJournals();
    click(FormWiFiDisplay->BtnWDPPause);
    click(FormWiFiDisplay->BtnWDPPlay);
    EXPECT_EQ(Calls(), (Strings{"WVWDP_TriggerMethod(\"192.168.49.40\", 0) -> 0",
                                "WVWDP_TriggerMethod(\"192.168.49.40\", 1) -> 0"}));
    ClearJournals();
    click(FormWiFiDisplay->BtnWDPTeardown);
    Pump(20);
    EXPECT_EQ(Calls(), (Strings{"WFD_StopCapture() -> 0", "WVWDP_TriggerMethod(\"192.168.49.40\", 2) -> 0",
                                "WVWDP_StartOrStopRTSPServer(0, \"\", 7236) -> 0", "WFD_StopCapture() -> 0"}));
    EXPECT_EQ(Source().m_bRTSPServerStarted, 0);

    // the window's reset forgets the client: later triggers send nothing
    Source().SourceSetDefault();
    ClearJournals();
    Source().TriggerTeardown();
    EXPECT_TRUE(Calls().empty());
}

// The settings the capture set-up reads, a failing library start, and the cursor choice.
TEST_F(SourceSession, CaptureSettingsAndInitFailure)
{
    StartOn(kLaptop, kLaptopModes);
    SetSo("h264EncodeType", "2");
    SetSo("h264FrameRatio", "25");
    SetSo("h264Bitrate", "0.75");
    SetSo("SaveTsFile", "1");
    SetSo("CaptureCursor", "0");
    ASSERT_EQ(Source().StartRTSPServer(), 1);
    CaptureInject("WFD_LibraryInit", -1);
    VOZEZIV.nWinOS = 50;
    ClearJournals();
    Script("0 192.168.49.8;23 - w:5000,0");
    ASSERT_NE(MainHandleText(), "0x00000000");
    {
        // the library refused: no settings, but capture still starts
        EXPECT_EQ(Calls(), (Strings{"WVWDP_StartSessionSetup(\"192.168.49.8\") -> 0", "WVWDP_GetSessionID(\"192.168.49.8\") -> 12345678",
                                  "WFD_LibraryInit(" + MainHandleText() + ") -> -1 injected", "WFD_SetSaveTsFile(1) -> 0",
                                  "WFD_SetIPInfo(55650, 5000, L\"192.168.49.8\") -> 0", "WFD_StartMpegtsCapture(0, 0, 0) -> 0"}));
    }
    CaptureClearInjections();
    struct Cursor {
        int winOS;
        const char* setting;
        bool checked;
        const char* want;
    };
    for (const Cursor& c : {Cursor{50, "0", true, "WFD_SetCaptureCursor(0) -> 0"}, Cursor{50, "3", false, "WFD_SetCaptureCursor(1) -> 0"},
                            Cursor{61, "0", true, "WFD_SetCaptureCursor(1) -> 0"}, Cursor{61, "1", false, "WFD_SetCaptureCursor(0) -> 0"}}) {
        VOZEZIV.nWinOS = c.winOS;
        SetSo("CaptureCursor", c.setting);
        FormWiFiDisplay->CheckCaptureCursor->SetChecked(c.checked);
        ClearJournals();
        Script("23 - w:5000,0");
        EXPECT_EQ(Calls("WFD_SetCaptureCursor"), Strings{c.want}) << c.winOS << " " << c.setting;
        EXPECT_EQ(Calls("WFD_SetEncodeType"), Strings{"WFD_SetEncodeType(2) -> 0"});
        EXPECT_EQ(Calls("WFD_SetFrameRatio"), Strings{"WFD_SetFrameRatio(25) -> 0"});
        EXPECT_EQ(Calls("WFD_SetBitRateRatio"), Strings{"WFD_SetBitRateRatio(0.75 (0x3F400000)) -> 0"});
    }
}

}  // namespace
