// The sink session on the player stand-in: the connect road by role and player state, the
// player's callbacks as window messages, the picture size, and the I2C server on loopback.
#include <winsock2.h>
#include <ws2tcpip.h>
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "../support/Loopback.h"
#include "core/Settings.h"
#include "wifidisplay/WDPSink.h"
#include "wifidisplay/source_fixture.h"

namespace {

using Strings = std::vector<std::string>;
using SinkSession = SourceFixture;

const SIZE kScreen = {1366, 768};
const std::vector<wdpseams::DisplayMode> kModes = {{1366, 768, 32, 60}};

WDPSink& Sink()
{
    return FormWiFiDisplay->m_Sink;
}

std::string Quoted(const std::vector<std::string>& texts)
{
    std::string line;
    for (const std::string& t : texts)
        line += ", \"" + t + "\"";
    return line;
}

Strings ConnectLines(int role, bool create, const std::string& inputSlave, int options = 4)
{
    Strings lines = {"GetPlayerState() -> 0", create ? "GetHwnd() -> 0" : "GetHwnd() -> 4660"};
    if (create) {
        std::vector<std::string> o = {"-I", "dumy", "--plugin-path=./plugins", "--no-video-title-show"};
        if (options == 6) {
            o.push_back("--extraintf=logger");
            o.push_back("--verbose=5");
        }
        lines.push_back("Create(0, 0, 0, 0, 0, 0, " + std::to_string(options) + Quoted(o) + ") -> 0");
        lines.push_back("Set_UICallBack(ptr) -> 0");
    }
    lines.push_back(role == 1 ? "Set_RTPPort(55050, 0) -> 0" : "Set_RTPPort(0, 55150) -> 0");
    lines.push_back("SetPath(\"rtsp://192.168.49.1:7236\", 5" + Quoted({":rtp-caching=300", ":rtsp-caching=300", inputSlave, "", ""}) +
                    ") -> 0");
    const Strings rest = {"SetBindIP(\"0.0.0.0\", 300) -> 0",
                          "Set_I2CPort(13050) -> 0",
                          "Set_SupportPreferredDisplayMode(0) -> 0",
                          "Set_UIBCData(2, \"Keyboard/USB, Mouse/USB\", 3, -1) -> 0",
                          "Set_SupportEDID(1) -> 0",
                          "Set_SupportI2C(1) -> 0",
                          "Set_SupportStandby(1) -> 0",
                          "Set_SupportVideo(131071, 1073741823, 4095) -> 0",
                          "Set_Role(" + std::to_string(role) + ") -> 0",
                          "Play() -> 0"};
    lines.insert(lines.end(), rest.begin(), rest.end());
    return lines;
}

// Sends the request and returns the reply bytes in hexadecimal ("" when the server closed).
std::string Ask(SOCKET s, const std::vector<unsigned char>& request)
{
    send(s, reinterpret_cast<const char*>(request.data()), int(request.size()), 0);
    DWORD timeout = 5000;
    setsockopt(s, SOL_SOCKET, SO_RCVTIMEO, reinterpret_cast<const char*>(&timeout), sizeof timeout);
    std::string reply;
    char buffer[512];
    for (;;) {
        const int n = recv(s, buffer, sizeof buffer, 0);
        if (n <= 0)
            break;
        reply.append(buffer, size_t(n));
        // a reply is one send: once something arrived, wait briefly for the rest
        timeout = 200;
        setsockopt(s, SOL_SOCKET, SO_RCVTIMEO, reinterpret_cast<const char*>(&timeout), sizeof timeout);
    }
    return Hex(reply.data(), reply.size());
}

class SinkFixture : public SourceFixture {
protected:
    void SetUp() override
    {
        SourceFixture::SetUp();
        WDPSink::i2cPortOverride = 0;  // the system chooses, so that test runs side by side never collide
        WDPSink::i2cPollMs = 10;
    }
    void TearDown() override
    {
        SourceFixture::TearDown();
        WDPSink::i2cPortOverride = -1;
        WDPSink::i2cPollMs = 1000;
        WDPSink::i2cIdleMs = 60000;
    }
};

using SinkI2C = SinkFixture;
using SinkConnect = SinkFixture;
using SinkCallbacks = SinkFixture;

TEST_F(SinkConnect, ByRoleAndPlayerState)
{
    StartOn(kScreen, kModes);
    // refused before the player is asked
    EXPECT_EQ(Sink().ConnectRTSPServer("192.168.49.1", 7236, 0), -1);
    EXPECT_EQ(Sink().ConnectRTSPServer("192.168.49.1", 0, 1), -1);
    EXPECT_TRUE(PlayerCalls().empty());
    EXPECT_TRUE(Logged("[WDP][ConnectRTSPServer] iDevType = source,error return"));

    struct Case {
        int role;
        int presetState;  // -1: as the player left it
        int want;
        Strings calls;
    };
    const Case cases[] = {
        {1, -1, 1, ConnectLines(1, true, "")},
        {1, -1, -1, {"GetPlayerState() -> 1"}},  // still opening
        {1, -1, 0, {"GetPlayerState() -> 3"}},   // playing: nothing to do
        {2, 4, 0, {"GetPlayerState() -> 4"}},    // paused
        {2, 5, 1, [] { Strings l = ConnectLines(2, false, ":input-slave=rtp://@:55150"); l[0] = "GetPlayerState() -> 5"; return l; }()},
        // the third path option keeps its text from the secondary sink's connect
        {1, 0, 1, ConnectLines(1, false, ":input-slave=rtp://@:55150")},
    };
    for (const Case& c : cases) {
        if (c.presetState >= 0)
            PlayerSetState(c.presetState);
        PlayerClear();
        EXPECT_EQ(Sink().ConnectRTSPServer("192.168.49.1", 7236, c.role), c.want) << c.role << " " << c.presetState;
        EXPECT_EQ(PlayerCalls(), c.calls) << c.role << " " << c.presetState;
    }

    // a new player (no window yet) with the logging options; caching bounded to the option buffer
    WriteINIStr("WiFiDisplaySn", "VLCDebug", "1", "ini", "");
    WriteINIStr("WiFiDisplaySn", "SnRTSPCaching", "300" + std::string(60, '9'), "ini", "");
    PlayerInject("GetHwnd", 0);
    PlayerSetState(0);
    PlayerClear();
    EXPECT_EQ(Sink().ConnectRTSPServer("192.168.49.1", 7236, 1), 1);
    const Strings calls = PlayerCalls();
    ASSERT_GE(calls.size(), 5u);
    EXPECT_EQ(calls[2], "Create(0, 0, 0, 0, 0, 0, 6" +
                            Quoted({"-I", "dumy", "--plugin-path=./plugins", "--no-video-title-show", "--extraintf=logger", "--verbose=5"}) +
                            ") -> 0");
    const std::string caching = ":rtp-caching=300" + std::string(13, '9');  // 29 characters
    EXPECT_NE(calls[5].find("\"" + caching + "\""), std::string::npos) << calls[5];
}

TEST_F(SinkCallbacks, PlayerEventsBecomeWindowActions)
{
    StartOn(kScreen, kModes);
    ASSERT_EQ(Sink().ConnectRTSPServer("192.168.49.1", 7236, 1), 1);
    struct Case {
        std::string script;
        Strings calls;
    };
    const std::string id63(63, 'a'), id64(64, 'b');
    const Case cases[] = {
        {"0", {"DoWork(12) -> 0"}},
        {"1", {"DoWork(3) -> 0"}},
        {"3 - s:" + id63, {}},
        {"3 - s:" + id64, {}},      // too long: the earlier id stays
        {"3;4;6;9;12;13;14", {}},   // codes that need data, without it
        {"5;10;11;15;99", {}},
        {"2", {"Stop() -> 0", "GetPlayerState() -> 5"}},
    };
    for (const Case& c : cases) {
        PlayerClear();
        PlayerRun(c.script);
        EXPECT_EQ(PlayerCalls(), c.calls) << c.script;
    }
    EXPECT_EQ(WDPSink::SessionID(), id63);
    EXPECT_TRUE(Logged("[WDP] UISinkCallBack session id more than 64 error !"));
    EXPECT_TRUE(Logged("SessionID=" + id63.substr(0, 12)));  // the driver keeps 12 characters
    EXPECT_TRUE(FormWiFiDisplay->BtnWDPPlay->Enabled());

    PlayerRun("14 - i:1");
    EXPECT_EQ(Sink().m_bGeneric, 1);
    PlayerRun("14 - i:0");
    EXPECT_EQ(Sink().m_bGeneric, 0);

    // the watch byte is set when the player is stopped while it still opens
    PlayerRun("12 - v:");
    PlayerSetState(1);
    PlayerClear();
    Sink().Stop();
    EXPECT_EQ(PlayerWatchByte(), 1);
}

// The picture size from the player's formats, and the remote-input connection to the source.
TEST_F(SinkCallbacks, PictureSizeAndRemoteInput)
{
    StartOn(kScreen, kModes);
    ASSERT_EQ(Sink().ConnectRTSPServer("192.168.49.1", 7236, 1), 1);
    struct Case {
        int prefWidth, prefHeight;
        uint32_t cea, vesa, hh;
        int width, height;
    };
    const Case cases[] = {
        {0, 0, 0x80, 0, 0, 1920, 1080}, {0, 0, 0, 0x8, 0, 1024, 768},    {0, 0, 0x4, 0, 0, -1, -1},
        {0, 0, 0, 0, 0x1, 800, 480},     {0, 0, 0x20000, 0, 0, 800, 480}, // beyond the table: size kept
        {1280, 800, 0x80, 0, 0, 1280, 800},
    };
    for (const Case& c : cases) {
        uint8_t video[56] = {}, preferred[108] = {};
        std::memcpy(video + 16, &c.cea, 4);
        std::memcpy(video + 20, &c.vesa, 4);
        std::memcpy(video + 24, &c.hh, 4);
        std::memcpy(preferred + 4, &c.prefWidth, 4);
        std::memcpy(preferred + 20, &c.prefHeight, 4);
        PlayerRun("6 - h:" + Hex(video, sizeof video) + ";9 - h:" + Hex(preferred, sizeof preferred) + ";7");
        int width = 0, height = 0;
        Sink().GetSourceResolution(width, height);
        EXPECT_EQ(width, c.width) << std::hex << c.cea << " " << c.vesa << " " << c.hh;
        EXPECT_EQ(height, c.height);
        EXPECT_FALSE(FormWiFiDisplay->BtnOCP->Visible());  // no remote-input port offered yet
    }
    EXPECT_TRUE(Logged("[WDP][SnUIBC] m_UIBCPort=0 error, return"));

    // the source offers a port: the sink connects to the source's address and shows the panel
    sockaddr_in at{};
    SOCKET listener = ListenOnLoopback(at);
    ASSERT_NE(listener, INVALID_SOCKET);
    FormWiFiDisplay->m_strWDPConnectedIP = "127.0.0.1";
    PlayerRun("4 - i:" + std::to_string(ntohs(at.sin_port)) + ";7");
    EXPECT_NE(Sink().m_SUIBC, 0u);
    EXPECT_TRUE(FormWiFiDisplay->BtnOCP->Visible());
    PlayerRun("8");
    EXPECT_EQ(Sink().m_SUIBC, 0u);
    EXPECT_FALSE(FormWiFiDisplay->BtnOCP->Visible());
    closesocket(listener);
}

TEST_F(SinkI2C, AnswersRequestsByteExact)
{
    StartOn(kScreen, kModes);
    ASSERT_EQ(Sink().ConnectRTSPServer("127.0.0.1", 7236, 1), 1);  // the source on loopback
    ASSERT_TRUE(PumpUntil([] { return WDPSink::I2CListenPort() != 0; }, 5000));
    const int port = WDPSink::I2CListenPort();
    Sink().CreateReceiveI2CDataThread();  // one server per session: the second start changes nothing
    EXPECT_TRUE(Logged("[WDP][CreateReceiveI2CDataThread] created before"));
    EXPECT_EQ(WDPSink::I2CListenPort(), port);
    SOCKET s = ConnectTo(port);
    ASSERT_NE(s, INVALID_SOCKET);
    struct Case {
        std::vector<unsigned char> request;
        std::string reply;
    };
    const Case cases[] = {
        {{0x00, 0x01, 0x50, 0x01, 0x00, 0x01, 0x00, 0x50, 0x80}, "0080" + std::string(256, '0')},
        {{0x00, 0x01, 0x51, 0x01, 0x00, 0x01, 0x00, 0x51, 0x80}, "80"},
        {{0x00, 0x01, 0x50, 0x01, 0x00, 0x01, 0x00, 0x50, 0xFF}, "00FF" + std::string(510, '0')},
        {{0x00, 0x50, 0x03}, "0003000000"},
        {{0x00, 0x50}, "80"},  // too short: no device address and count
        {{0x00}, "80"},
        {{0x01, 0x50, 0x01, 0x00}, "01"},
        {{0x01, 0x51, 0x01, 0x00}, "81"},
        {{0x01}, "80"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Ask(s, c.request), c.reply) << Hex(c.request.data(), c.request.size());
    // an unknown request closes the connection; the server waits for the source again
    EXPECT_EQ(Ask(s, {0x07, 0x50}), "");
    closesocket(s);
    s = ConnectTo(port);
    ASSERT_NE(s, INVALID_SOCKET);
    EXPECT_EQ(Ask(s, {0x01, 0x50, 0x01, 0x00}), "01");
    closesocket(s);
    EXPECT_EQ(WDPSink::I2CListenPort(), port);

    // another host is turned away and the source still gets in
    SOCKET stranger = ConnectTo(port, "127.0.0.2");
    ASSERT_NE(stranger, INVALID_SOCKET);
    EXPECT_EQ(Ask(stranger, {0x01, 0x50, 0x01, 0x00}), "");
    closesocket(stranger);
    EXPECT_TRUE(Logged("[WDP][InitI2C] refused 127.0.0.2: the session's source is 127.0.0.1"));

    // a connection that sends nothing is closed after the idle time, so the source can come back
    WDPSink::i2cIdleMs = 300;
    SOCKET silent = ConnectTo(port);
    ASSERT_NE(silent, INVALID_SOCKET);
    EXPECT_EQ(Ask(silent, {}), "");
    closesocket(silent);
    EXPECT_TRUE(Logged("nothing received for 300 ms, connection closed"));
    s = ConnectTo(port);
    ASSERT_NE(s, INVALID_SOCKET);
    EXPECT_EQ(Ask(s, {0x01, 0x50, 0x01, 0x00}), "01");
    closesocket(s);
    WDPSink::i2cIdleMs = 60000;

    // the server ends promptly with the session
    const DWORD start = GetTickCount();
    Sink().SinkSetDefault();
    EXPECT_LT(GetTickCount() - start, 2500u);
    EXPECT_EQ(WDPSink::I2CListenPort(), 0);
    EXPECT_FALSE(Logged("the I2C thread did not end"));
    EXPECT_EQ(ConnectTo(port), INVALID_SOCKET);
}

}  // namespace
