// Wi-Fi Display sessions in the running program: a sink linked to a source over TDLS from the
// device list's popup, the wait dialog ticking until the driver reports the peer's address,
// the sink's connect timer reaching the source's RTSP address, and the player's callbacks,
// scripted through its pipe, giving the session id, the picture size and the back channel.
#include <winsock2.h>
#include <ws2tcpip.h>
#include <windows.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "../support/Loopback.h"
#include "WiFiDirectDriving.h"
#include "core/Settings.h"
#include "resources/UiStr.h"
#include "wlapi/constants.h"
#include "wlapi/records.h"

namespace {


std::string Hex(const void* data, size_t size)
{
    std::string hex;
    const auto* p = static_cast<const unsigned char*>(data);
    for (size_t i = 0; i < size; ++i) {
        char two[3];
        std::snprintf(two, sizeof two, "%02X", p[i]);
        hex += two;
    }
    return hex;
}

// One setting of the installed settings file for the life of the test, then put back.
class IniSetting {
public:
    IniSetting(const char* section, const char* key, const char* value)
        : section_(section), key_(key), file_(ProgramFolder() + "Wevo.ini")
    {
        char old[256] = {};
        GetPrivateProfileStringA(section, key, "\x01", old, sizeof old, file_.c_str());
        had_ = std::strcmp(old, "\x01") != 0;
        old_ = old;
        WritePrivateProfileStringA(section, key, value, file_.c_str());
    }
    ~IniSetting()
    {
        WritePrivateProfileStringA(section_.c_str(), key_.c_str(), had_ ? old_.c_str() : nullptr, file_.c_str());
    }

private:
    std::string section_, key_, file_, old_;
    bool had_ = false;
};

size_t Count(const std::string& text, const std::string& part)
{
    size_t n = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++n;
    return n;
}

// A format record of the session library (288 bytes): preferred flag, profile, level, masks.
std::string FormatRecord(uint8_t preferred, uint8_t profile, uint8_t level, uint32_t cea)
{
    uint8_t record[288] = {};
    record[1] = preferred;
    record[8] = profile;
    record[9] = level;
    std::memcpy(record + 12, &cea, 4);
    return Hex(record, sizeof record);
}

// The program with TDLS on, its Wi-Fi Display window open in the given role, linked over TDLS
// from the popup to one device (type bits in devInfo) whose TDLS address is loopback.
class TdlsSession : public ::testing::Test {
protected:
    void LinkUp(const char* role, uint16_t devInfo, const char* roleConfig)
    {
        ASSERT_TRUE(wevo.Start("", "wifidisplay"));
        ASSERT_TRUE(WaitFor([&] { return wevo.MainWindow() != nullptr && IsWindowVisible(wevo.MainWindow()); }));
        HWND main = wevo.MainWindow();
        std::vector<HWND> before = wevo.VisibleWindows();
        const DWORD start = GetTickCount();
        while (!display && GetTickCount() - start < 30000) {
            ClickAt(main, kMainWiFiDisplay.x, kMainWiFiDisplay.y);
            display = wevo.WaitForNewForm(before, 5000);
        }
        ASSERT_NE(display, nullptr) << "the Wi-Fi Display window did not open";
        list = FindWindowExA(display, nullptr, "SysListView32", nullptr);
        ASSERT_NE(list, nullptr);

        // the role chosen by the user, which also switches Wi-Fi Display on in the driver
        for (const char* button : {"S-Sink", role}) {
            HWND roleButton = FindButton(display, button);
            ASSERT_NE(roleButton, nullptr) << button;
            SendMessageA(roleButton, BM_CLICK, 0, 0);
        }
        EXPECT_TRUE(wevo.WaitForJournal(roleConfig)) << wevo.Journal();

        // the driver brings the link up on the third table read
        WDP_TABLE table{};
        table.ClientNumber = 1;
        WDP_ENTRY& peer = table.Entry[0];
        const BYTE device[6] = {0x02, 0x50, 0xF2, 0xAA, 0x00, 0x01};
        const BYTE tdlsMac[6] = {0x0E, 0x50, 0xF2, 0xAA, 0x00, 0x01};
        const BYTE address[4] = {127, 0, 0, 1};  // the peer's end is this test, on loopback
        std::memcpy(peer.DevMac, device, 6);
        std::memcpy(peer.TdlsMac, tdlsMac, 6);
        std::memcpy(peer.TdlsIp, address, 4);
        peer.DevInfo = devInfo;
        peer.ControlPort = 7236;
        ASSERT_EQ(wevo.Sim("wdptable " + Hex(&table, sizeof table)), "ok\n");
        ASSERT_EQ(wevo.Sim("wdptdls 1 2"), "ok\n");
        EXPECT_EQ(wevo.Sim("wdpstatus 04").substr(0, 2), "ok");
        RemoteListView rows(wevo.Process(), list);
        ASSERT_TRUE(WaitFor([&] { return rows.Count() == 1 && rows.Text(0, 3) == "02:50:F2:AA:00:01"; }))
            << wevo.Journal();
        ASSERT_TRUE(rows.Select(0));

        // TDLS Connect, the sixth item shown: name, type, MAC, details, connect, TDLS connect
        wevo.Sim("journal clear");
        before = wevo.VisibleWindows();
        ASSERT_TRUE(ChooseFromListPopup(list, 5));
        ASSERT_TRUE(wevo.WaitForJournal("wdp tdls request 0E:50:F2:AA:00:01 action=1 kind=2")) << wevo.Journal();
        HWND wait = wevo.WaitForNewForm(before, 10000);
        EXPECT_NE(wait, nullptr) << "no TDLS wait dialog";

        // the dialog ticks each second until the address shows
        ASSERT_TRUE(wevo.WaitForJournal("TDLS is ready", 30000)) << wevo.Journal();
        const std::string journal = wevo.Journal();
        EXPECT_EQ(Count(journal, "TDLS isn't ready"), 2u) << journal;
        EXPECT_TRUE(WaitFor([&] { return wait && !IsWindowVisible(wait); }, 5000));
        EXPECT_EQ(wevo.Sim("wdpstatus 04").substr(0, 2), "ok");  // the driver's next table event
    }

    ProgramTurn turn;
    IniSetting tdls{"WiFiDisplay", "TDLS", "1"};
    WevoRun wevo;
    HWND display = nullptr;
    HWND list = nullptr;
};

TEST_F(TdlsSession, SinkConnectsAndFollowsThePlayer)
{
    ASSERT_NO_FATAL_FAILURE(LinkUp("P-Sink", 0x0090, "DevInfo=0x0091"));  // a sink here, a source there
    std::vector<HWND> before;

    // the connect timer goes to the source's address
    EXPECT_TRUE(wevo.WaitForJournal("[WDP][TimerConnectRTSPServerRun] type=1 127.0.0.1:7236", 30000))
        << wevo.Journal();
    EXPECT_TRUE(wevo.WaitForJournal("[WDP][ConnectRTSPServer] Create player", 10000)) << wevo.Journal();
    EXPECT_EQ(RemoteListView(wevo.Process(), list).Image(0), 0);  // shown as connected
    EXPECT_NE(wevo.Display("StreamDll", "journal").find("SetPath(\"rtsp://127.0.0.1:7236\""), std::string::npos)
        << wevo.Display("StreamDll", "journal");

    // the player's M7 with the session id: it goes to the driver
    EXPECT_EQ(wevo.Display("StreamDll", "script 3 - s:00004711"), "1\n");
    EXPECT_EQ(wevo.Display("StreamDll", "wait 5000"), "ok\n");
    EXPECT_TRUE(wevo.WaitForJournal("wdp session id 00004711", 10000)) << wevo.Journal();

    // the source's formats (CEA 1920 x 1080) and its back-channel port on this test's listener
    uint8_t video[56] = {}, preferred[108] = {};
    const uint32_t cea = 0x80;
    std::memcpy(video + 16, &cea, 4);
    WSADATA wsa{};
    WSAStartup(0x0202, &wsa);
    sockaddr_in at{};
    SOCKET listener = ListenOnLoopback(at);
    ASSERT_NE(listener, INVALID_SOCKET);
    const std::string script = "6 - h:" + Hex(video, sizeof video) + ";9 - h:" + Hex(preferred, sizeof preferred) +
                               ";4 - i:" + std::to_string(ntohs(at.sin_port)) + ";7";
    EXPECT_EQ(wevo.Display("StreamDll", "script " + script), "4\n");
    EXPECT_EQ(wevo.Display("StreamDll", "wait 5000"), "ok\n");
    fd_set ready;
    FD_ZERO(&ready);
    FD_SET(listener, &ready);
    timeval within = {10, 0};
    ASSERT_EQ(select(0, &ready, nullptr, nullptr, &within), 1) << "the sink did not open its back channel";
    SOCKET channel = accept(listener, nullptr, nullptr);
    EXPECT_NE(channel, INVALID_SOCKET);

    // the control panel opens at a quarter of the source's picture
    CUISTR strings;
    strings.Load();
    HWND open = nullptr;
    ASSERT_TRUE(WaitFor([&] {
        open = FindButton(display, strings.STR_OPEN_UIBC_CONTROLPANEL);
        return open && IsWindowVisible(open);
    }, 10000));
    before = wevo.VisibleWindows();
    PostMessageA(open, BM_CLICK, 0, 0);
    HWND panel = wevo.WaitForNewForm(before, 10000);
    ASSERT_NE(panel, nullptr) << "no control panel";
    RECT client{};
    GetClientRect(panel, &client);
    EXPECT_EQ(client.right, 1920 / 4);
    EXPECT_EQ(client.bottom, 1080 / 4);
    closesocket(channel);
    closesocket(listener);
    WSACleanup();
}

// A source here and a primary sink there: the link starts the RTSP server, the session
// library's callbacks (scripted through its pipe) run the session up to capture, and M9 ends it.
TEST_F(TdlsSession, SourceRunsASessionFromAcceptToTeardown)
{
    ASSERT_NO_FATAL_FAILURE(LinkUp("Source", 0x0091, "DevInfo=0x0090"));
    ASSERT_TRUE(WaitFor([&] { return wevo.Display("VaZEDEVE", "running") == "1\n"; }))
        << wevo.Display("VaZEDEVE", "journal") << wevo.Journal();
    EXPECT_EQ(wevo.Display("VaZEDEVE", "sessionid 4711"), "ok\n");

    const auto play = [&](const std::string& script) {
        EXPECT_NE(wevo.Display("VaZEDEVE", "script " + script), "-1\n") << script;
        EXPECT_EQ(wevo.Display("VaZEDEVE", "wait 10000"), "ok\n") << script;
    };
    play("0 127.0.0.1;10;11;12;13;14;16;17");
    EXPECT_TRUE(WaitFor([&] {
        return wevo.Display("VaZEDEVE", "journal").find("WVWDP_StartSessionSetup(\"127.0.0.1\") -> 0") != std::string::npos;
    }, 10000)) << wevo.Display("VaZEDEVE", "journal");
    play("52 - h:" + FormatRecord(0, 0, 0, 0) + ";55 - i:1;58 - h:" + FormatRecord(0, 2, 8, 0x80) +
         ";18;19;20;21;22;23 - w:0,6000");
    const auto captured = [&](const std::string& part) {
        return WaitFor([&] { return wevo.Display("WFDSource", "journal").find(part) != std::string::npos; }, 10000);
    };
    EXPECT_TRUE(captured("WFD_SetVideoCodecParameter(100, 41) -> 0")) << wevo.Display("WFDSource", "journal");
    EXPECT_TRUE(captured("WFD_SetIPInfo(")) << wevo.Display("WFDSource", "journal");
    EXPECT_TRUE(captured(", 6000, L\"127.0.0.1\") -> 0"));
    EXPECT_TRUE(captured("WFD_StartMpegtsCapture(2, 0, 0) -> 0"));
    EXPECT_TRUE(wevo.WaitForJournal("wdp session id 00004711", 10000)) << wevo.Journal();

    // M9: the server stops and capture ends
    wevo.Display("WFDSource", "journal clear");
    play("24;25");
    EXPECT_TRUE(WaitFor([&] { return wevo.Display("VaZEDEVE", "running") == "0\n"; }));
    EXPECT_NE(wevo.Display("VaZEDEVE", "journal").find("WVWDP_StartOrStopRTSPServer(0, \"\", 7236) -> 0"), std::string::npos);
    EXPECT_TRUE(captured("WFD_StopCapture() -> 0")) << wevo.Display("WFDSource", "journal") << wevo.Journal();
}

// Remote input on a source session in the running program, recorded by the program instead of
// injected: the sink's input arrives, a foreign host is refused, and once the session ends (the
// user's Teardown, or the sink's M9) neither the old connection nor a new one gets through and
// the input port is closed.
class TdlsRemoteInput : public TdlsSession {
protected:
    void SetUp() override
    {
        char folder[MAX_PATH] = {};
        GetTempPathA(MAX_PATH, folder);
        recorded_ = std::string(folder) + "wevo_input_" + std::to_string(GetCurrentProcessId()) + ".txt";
        DeleteFileA(recorded_.c_str());
        SetEnvironmentVariableA("WEVO_UIBC_INPUT_JOURNAL", recorded_.c_str());
        WSADATA wsa{};
        WSAStartup(0x0202, &wsa);
    }
    void TearDown() override
    {
        if (old_ != INVALID_SOCKET)
            closesocket(old_);
        SetEnvironmentVariableA("WEVO_UIBC_INPUT_JOURNAL", nullptr);
        DeleteFileA(recorded_.c_str());
        WSACleanup();
    }

    std::string Recorded() const
    {
        std::string text;
        if (FILE* f = std::fopen(recorded_.c_str(), "rb")) {
            char buffer[4096];
            size_t n;
            while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0)
                text.append(buffer, n);
            std::fclose(f);
        }
        return text;
    }

    static void Move(SOCKET s, int x, int y)
    {
        const char packet[] = {0, 0, 0, 14, 2, 0, 6, 1, 0, char(x >> 8), char(x), char(y >> 8), char(y), 0};
        send(s, packet, sizeof packet, 0);
    }

    void Play(const std::string& script)
    {
        EXPECT_NE(wevo.Display("VaZEDEVE", "script " + script), "-1\n") << script;
        EXPECT_EQ(wevo.Display("VaZEDEVE", "wait 10000"), "ok\n") << script;
    }

    // The session up to capture with remote input offered; the sink's input is recorded and a
    // foreign host's is not.
    void SessionWithInput()
    {
        ASSERT_NO_FATAL_FAILURE(LinkUp("Source", 0x0091, "DevInfo=0x0090"));
        ASSERT_TRUE(WaitFor([&] { return wevo.Display("VaZEDEVE", "running") == "1\n"; }))
            << wevo.Display("VaZEDEVE", "journal") << wevo.Journal();
        Play("0 127.0.0.1;10;11;12;13;14;15 - i:0;16;17");
        ASSERT_TRUE(wevo.WaitForJournal("UIBC listening on port 10600", 10000)) << wevo.Journal();
        Play("52 - h:" + FormatRecord(0, 0, 0, 0) + ";55 - i:1;58 - h:" + FormatRecord(0, 2, 8, 0x80) +
             ";18;19;20;21;22;23 - w:0,6000");
        EXPECT_TRUE(wevo.WaitForJournal("wdp session id", 10000)) << wevo.Journal();

        old_ = ConnectTo(kInputPort, "127.0.0.1");
        ASSERT_NE(old_, INVALID_SOCKET);
        Move(old_, 100, 50);
        ASSERT_TRUE(WaitFor([&] { return Recorded().find("SetCursorPos 100 50") != std::string::npos; }, 10000))
            << Recorded() << wevo.Journal();

        SOCKET foreign = ConnectTo(kInputPort, "127.0.0.2");
        ASSERT_NE(foreign, INVALID_SOCKET);
        Move(foreign, 7, 7);
        EXPECT_TRUE(ClosedByPeer(foreign, 5000));
        closesocket(foreign);
        EXPECT_TRUE(wevo.WaitForJournal("UIBC refused 127.0.0.2", 10000)) << wevo.Journal();
        EXPECT_EQ(Recorded().find("SetCursorPos 7 7"), std::string::npos) << Recorded();
    }

    // After the session's end: nothing more is recorded, from the old connection or a new one,
    // and nobody listens on the input port.
    void ExpectInputShut()
    {
        ASSERT_TRUE(wevo.WaitForJournal("[WDP][So] UIBC closed", 10000)) << wevo.Journal();
        Move(old_, 200, 60);
        EXPECT_TRUE(ClosedByPeer(old_, 5000));
        SOCKET fresh = ConnectTo(kInputPort, "127.0.0.1");
        if (fresh != INVALID_SOCKET) {
            ADD_FAILURE() << "a new connection to the input port was accepted";
            Move(fresh, 300, 70);
            ClosedByPeer(fresh, 2000);
            closesocket(fresh);
        }
        Sleep(500);
        const std::string recorded = Recorded();
        EXPECT_EQ(recorded.find("SetCursorPos 200 60"), std::string::npos) << recorded;
        EXPECT_EQ(recorded.find("SetCursorPos 300 70"), std::string::npos) << recorded;
        EXPECT_TRUE(wevo.Running());
    }

    static constexpr u_short kInputPort = 10600;
    IniSetting uibc_{"WiFiDisplaySo", "SupportUIBC", "1"};
    std::string recorded_;
    SOCKET old_ = INVALID_SOCKET;
};

TEST_F(TdlsRemoteInput, TeardownClickShutsRemoteInput)
{
    ASSERT_NO_FATAL_FAILURE(SessionWithInput());
    ASSERT_TRUE(ClickUntil(display, {354 + 8, 324 + 8}, [&] { return wevo.Display("VaZEDEVE", "running") == "0\n"; }))
        << wevo.Display("VaZEDEVE", "journal");
    ExpectInputShut();
}

TEST_F(TdlsRemoteInput, SinkM9ShutsRemoteInput)
{
    ASSERT_NO_FATAL_FAILURE(SessionWithInput());
    Play("24;25");
    EXPECT_TRUE(WaitFor([&] { return wevo.Display("VaZEDEVE", "running") == "0\n"; }));
    ExpectInputShut();
}

// The program ends during the session: it exits cleanly, and the input port goes with it.
TEST_F(TdlsRemoteInput, ExitShutsRemoteInput)
{
    ASSERT_NO_FATAL_FAILURE(SessionWithInput());
    PostMessageA(wevo.MainWindow(), MSG_TRAY_EXIT, 0, 0);
    DWORD code = 1;
    ASSERT_TRUE(wevo.WaitForExit(30000, &code));
    EXPECT_EQ(code, 0u);
    Move(old_, 200, 60);
    EXPECT_TRUE(ClosedByPeer(old_, 5000));
    SOCKET fresh = ConnectTo(kInputPort, "127.0.0.1");
    EXPECT_EQ(fresh, INVALID_SOCKET) << "the input port is still open";
    if (fresh != INVALID_SOCKET)
        closesocket(fresh);
    EXPECT_EQ(Recorded().find("SetCursorPos 200 60"), std::string::npos) << Recorded();
}

}  // namespace
