// The remote-input back channel at the end of a session, over loopback: every way a source
// session ends closes it for good, what the peer held down is let go, and a source that stops
// reading never stalls the sink's window.
#include <winsock2.h>
#include <ws2tcpip.h>
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <cstring>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "support/Loopback.h"
#include "ui/UiTestSupport.h"
#include "wifidisplay/UibcSource.h"
#include "wifidisplay/WDPSink.h"
#include "wifidisplay/WDPUIBCControlPanelForm.h"
#include "wifidisplay/source_fixture.h"

namespace {

using Strings = std::vector<std::string>;

const SIZE kScreen = {1366, 768};
const std::vector<wdpseams::DisplayMode> kModes = {{1366, 768, 32, 60}};

const char* const kMove = "00 00 00 0E 02 00 06 01 00 00 64 00 32 00";  // to (100, 50)

void Send(SOCKET s, const std::string& bytes)
{
    send(s, bytes.data(), int(bytes.size()), 0);
}

class SessionEnd : public SourceFixture {
protected:
    void SetUp() override
    {
        SourceFixture::SetUp();
        SetUibcInputCalls(&m_input);
    }
    void TearDown() override
    {
        SourceFixture::TearDown();
        SetUibcInputCalls(nullptr);
        WDPSink::i2cPortOverride = -1;
    }

    // A source session with remote input: the sink at 127.0.0.1 accepted, M3 (the listener
    // starts), M7 (capture, play buttons on); then the sink's connection, which injects.
    void SessionWithInput()
    {
        Source().m_UIBC.m_iUIBCPort = 0;  // the system chooses: tests run side by side
        SetSo("SupportUIBC", "1");
        Source().StartRTSPServer();  // unless a road left it running
        ASSERT_EQ(Source().m_bRTSPServerStarted, 1);
        Script("0 127.0.0.1;15 - i:0;23 - w:5000,0");
        ASSERT_TRUE(PumpUntil([&] { return Source().m_UIBC.Listening(); }, 3000));
        m_port = Source().m_UIBC.ListeningPort();
        m_old = ConnectTo(m_port);
        ASSERT_NE(m_old, INVALID_SOCKET);
        ASSERT_TRUE(PumpUntil([&] { return Source().m_UIBC.Serving(); }, 3000));
        m_input.Clear();
        Send(m_old, Packet(kMove));
        ASSERT_TRUE(PumpUntil([&] { return !m_input.Lines().empty(); }, 3000));
        m_input.Clear();
    }

    // After the session's end: whether a move on the old connection reached the input, and
    // whether a new connection was taken.
    std::pair<bool, bool> Afterwards()
    {
        Send(m_old, Packet(kMove));
        Pump(300);
        const bool injected = !m_input.Lines().empty();
        closesocket(m_old);
        m_old = INVALID_SOCKET;
        SOCKET fresh = ConnectTo(m_port);
        bool accepted = fresh != INVALID_SOCKET;
        if (accepted) {
            Send(fresh, Packet(kMove));
            accepted = !ClosedByPeer(fresh, 500);
            closesocket(fresh);
        }
        Pump(100);
        return {injected || !m_input.Lines().empty(), accepted};
    }

    void DriverEvent(int code)
    {
        WDP_STATUS status{};
        status.WDPStatus = uint8_t(code);
        status.RtspType = -1;
        status.SetParameterType = -1;
        const int before = FormWiFiDisplay->m_nEventsHandled;
        std::string reply;
        SimCommand("wdpstatus " + Hex(&status, sizeof status), &reply);
        ASSERT_EQ(reply.substr(0, 2), "ok") << reply;
        ASSERT_TRUE(PumpUntil([&] { return FormWiFiDisplay->m_nEventsHandled > before; }, 5000));
        Pump(30);
    }

    TUibcInputJournal m_input;
    SOCKET m_old = INVALID_SOCKET;
    int m_port = 0;
};

// Each road that ends a source session, driven as the user, the peer or the libraries do it.
TEST_F(SessionEnd, EveryRoadClosesTheInputChannel)
{
    StartOn(kScreen, kModes);
    FormWiFiDisplay->Show();
    Pump(20);
    ClickControl(FormWiFiDisplay->rbSource);  // this computer is the source; Wi-Fi Display on
    ASSERT_TRUE(FormWiFiDisplay->rbSource->Checked());
    struct Road {
        const char* what;
        std::function<void()> end;
    };
    const Road roads[] = {
        {"Teardown click", [&] { ClickControl(FormWiFiDisplay->BtnWDPTeardown); }},
        {"the sink's M9", [&] { Script("24;25"); }},
        {"the library reports the client closed", [&] { Script("1 127.0.0.1"); }},
        {"the driver's TDLS teardown event", [&] { DriverEvent(7); }},
        {"the driver's table empties under a Wi-Fi Direct session",
         [&] {
             FormWiFiDisplay->m_iNowConnectType = WDP_CONNECT_P2P;
             FormWiFiDisplay->m_strWDPConnectedMac = "02:50:F2:AA:00:01";
             Table(0, 0, {}, {});
             DriverEvent(4);
         }},
        {"Wi-Fi Display turned off from the list's popup",
         [&] {
             FormWiFiDisplay->m_iNowConnectType = WDP_CONNECT_NONE;
             FormWiFiDisplay->SetWDPConfigToDriver(1);  // on in the driver, as the role buttons leave it
             const Strings shown = Popup(FormWiFiDisplay->ID_TRAY_DISABLE_WIFIDISPLAY);
             EXPECT_NE(std::find(shown.begin(), shown.end(), FormWiFiDisplay->ID_TRAY_DISABLE_WIFIDISPLAY->Caption()),
                       shown.end())
                 << ::testing::PrintToString(shown) << " mode " << int(FormWiFiDisplay->m_WDPConfig.ConfigMode);
             Pump(20);
         }},
        {"program exit", [&] { Application->DestroyForms(); }},
    };
    for (const Road& road : roads) {
        ASSERT_NO_FATAL_FAILURE(SessionWithInput()) << road.what;
        ASSERT_TRUE(FormWiFiDisplay->BtnWDPTeardown->Enabled()) << road.what;
        WDPSource* source = &Source();
        UibcSource* channel = &source->m_UIBC;
        const bool exits = std::strcmp(road.what, "program exit") == 0;
        road.end();
        if (!exits) {
            EXPECT_FALSE(channel->Listening()) << road.what;
            EXPECT_FALSE(channel->Serving()) << road.what;
            EXPECT_EQ(channel->m_bUIBCContinue.load(), 0) << road.what;
        } else {
            EXPECT_EQ(FormWiFiDisplay, nullptr);
        }
        const auto [injects, accepted] = Afterwards();
        EXPECT_FALSE(injects) << road.what << ": the old connection still injects";
        EXPECT_FALSE(accepted) << road.what << ": a new connection is taken";
        // A session starting again later finds the client's address forgotten until told.
        if (!exits) {
            EXPECT_EQ(channel->CreateReceiveUIBCDataThread(""), 1);
            SOCKET s = ConnectTo(channel->ListeningPort());
            ASSERT_NE(s, INVALID_SOCKET);
            EXPECT_TRUE(ClosedByPeer(s)) << road.what;
            closesocket(s);
            channel->Close();
        }
    }
}

// Keys, the left button and a HID modifier pressed by the peer are released when its
// connection ends, however it ends.
TEST(HeldInput, ReleasedWhenTheConnectionEnds)
{
    WSADATA wsa{};
    WSAStartup(0x0202, &wsa);
    TUibcInputJournal input;
    SetUibcInputCalls(&input);
    UibcSource source;
    source.m_iUIBCPort = 0;
    source.m_iIdleMs = 600;
    const std::string held = Packet("00 00 00 0C 03 00 05 00 00 42 00 00 "                        // B down
                                    "00 00 00 0E 00 00 06 01 00 00 0A 00 14 00 "                   // left down at (10, 20)
                                    "00 01 00 12 01 00 00 00 08 02 00 00 00 00 00 00 00 00 "       // HID Shift
                                    "00 00 00 0C 03 00 05 00 00 43 00 00 00 00 00 0C 04 00 05 00 00 43 00 00");  // C
    struct Ending {
        const char* what;
        std::function<void(SOCKET)> end;
    };
    const Ending endings[] = {
        {"the peer closes", [](SOCKET s) { closesocket(s); }},
        {"the peer resets",
         [](SOCKET s) {
             const linger abort = {1, 0};
             setsockopt(s, SOL_SOCKET, SO_LINGER, reinterpret_cast<const char*>(&abort), sizeof abort);
             closesocket(s);
         }},
        {"a malformed packet",
         [](SOCKET s) {
             Send(s, Packet("20 00 00 0E 02 00 06 01 00 00 64 00 32 00"));
             ClosedByPeer(s);
             closesocket(s);
         }},
        {"the peer stays silent", [](SOCKET s) {
             ClosedByPeer(s);
             closesocket(s);
         }},
        {"the session ends", [&source](SOCKET s) {
             source.Close();
             closesocket(s);
         }},
    };
    const Strings released = {"keybd_event 0x42 up", "keybd_event 0xA0 up", "mouse_event 0x0004 10 20 0"};
    for (const Ending& e : endings) {
        source.SetEnabled(true);
        ASSERT_EQ(source.CreateReceiveUIBCDataThread("127.0.0.1"), 1);
        SOCKET s = ConnectTo(source.ListeningPort());
        ASSERT_NE(s, INVALID_SOCKET) << e.what;
        Send(s, held);
        const DWORD start = GetTickCount();
        while (input.Lines().size() < 12 && GetTickCount() - start < 3000)
            Sleep(10);
        input.Clear();
        e.end(s);
        const DWORD ended = GetTickCount();
        while ((source.Serving() || input.Lines().size() < released.size()) && GetTickCount() - ended < 3000)
            Sleep(10);
        EXPECT_EQ(input.Lines(), released) << e.what;
    }
    source.Close();
    SetUibcInputCalls(nullptr);
    WSACleanup();
}

// A sink whose source stops reading keeps sending from its window thread: the sends that
// would block drop the input, and the window answers another thread's message within a second.
TEST_F(SessionEnd, StalledSourceLeavesTheSinkWindowAnswering)
{
    WDPSink::i2cPortOverride = 0;
    StartOn(kScreen, kModes);
    WDPSink& sink = FormWiFiDisplay->m_Sink;
    ASSERT_EQ(sink.ConnectRTSPServer("127.0.0.1", 7236, 1), 1);
    // The source: a small receive window and nothing ever read.
    const int small = 4096;
    sockaddr_in at{};
    SOCKET listener = ListenOnLoopback(at, small);
    ASSERT_NE(listener, INVALID_SOCKET);
    FormWiFiDisplay->m_strWDPConnectedIP = "127.0.0.1";
    FormWiFiDisplay->Show();
    PlayerRun("14 - i:1;4 - i:" + std::to_string(ntohs(at.sin_port)) + ";7");
    ASSERT_NE(sink.m_SUIBC, 0u);
    // Small buffers at both ends, so that a few thousand bytes fill them.
    setsockopt(sink.m_SUIBC, SOL_SOCKET, SO_SNDBUF, reinterpret_cast<const char*>(&small), sizeof small);
    SOCKET stalled = accept(listener, nullptr, nullptr);
    ASSERT_NE(stalled, INVALID_SOCKET);
    ClickControl(FormWiFiDisplay->BtnOCP);
    Pump(20);
    const HWND panel = WDPUIBCControlPanelForm->Handle();
    ASSERT_TRUE(WDPUIBCControlPanelForm->Visible());

    // Another thread asks the window every 50 ms; a window that does not answer within five
    // seconds is blocked (a blocked send never returns on its own), and the source's end is
    // then closed so the window can go on. A busy machine can keep a working one a second.
    const HWND window = FormWiFiDisplay->Handle();
    std::atomic<bool> done{false};
    std::atomic<bool> asked{false};
    std::atomic<int> unanswered{0};
    std::atomic<DWORD> slowest{0};
    std::thread asker([&] {
        while (!done) {
            const DWORD start = GetTickCount();
            DWORD_PTR result = 0;
            if (!SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &result)) {
                if (unanswered++ == 0)
                    closesocket(stalled);
            }
            slowest = std::max<DWORD>(slowest, GetTickCount() - start);
            Sleep(50);
        }
        asked = true;
    });
    bool dropped = false;
    for (int round = 0; round < 2000 && !dropped && unanswered == 0; ++round) {
        SimJournalClear();
        for (int i = 0; i < 20; ++i) {  // key strokes as the system queues them
            PostMessageA(panel, WM_KEYDOWN, 'A', 1);
            PostMessageA(panel, WM_KEYUP, 'A', 1);
        }
        Pump(1);
        dropped = Logged("the source is not reading, input dropped");
    }
    // The window keeps answering until the asker has stopped: a join that does not pump
    // would leave its last question waiting on this very thread.
    done = true;
    while (!asked)
        Pump(10);
    asker.join();
    EXPECT_TRUE(dropped);
    EXPECT_EQ(unanswered.load(), 0);
    EXPECT_LT(slowest.load(), 5000u);
    EXPECT_NE(sink.m_SUIBC, 0u);  // input is dropped, the channel stays
    if (unanswered == 0)
        closesocket(stalled);
    closesocket(listener);
    sink.SinkSetDefault();
}

}  // namespace
