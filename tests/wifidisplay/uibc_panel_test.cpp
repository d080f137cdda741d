// The remote-input control panel on a sink: mouse and key messages sent to the panel come
// out of the sink's back-channel socket as packets, through the Wi-Fi Display window.
#include <winsock2.h>
#include <ws2tcpip.h>
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "wifidisplay/UibcSource.h"
#include "wifidisplay/WDPUIBCControlPanelForm.h"
#include "wifidisplay/wifidisplay_fixture.h"

namespace {

class UibcPanel : public WiFiDisplayFixture {
protected:
    void TearDown() override
    {
        if (m_peer != INVALID_SOCKET)
            closesocket(m_peer);
        WiFiDisplayFixture::TearDown();
    }

    // Starts the program, gives the sink a back channel to the test and opens the panel.
    void Open(int generic)
    {
        Start();
        OpenPanel(generic, ConnectedPair());
    }

    // Gives the sink this connected back channel and opens the panel the way the user does.
    void OpenPanel(int generic, SOCKET channel)
    {
        WDPSink& sink = FormWiFiDisplay->m_Sink;
        sink.m_bGeneric = generic;
        sink.m_iSourceWidth = 1280;
        sink.m_iSourceHeight = 720;
        sink.m_SUIBC = channel;
        ASSERT_NE(sink.m_SUIBC, 0u);
        FormWiFiDisplay->Show();
        FormWiFiDisplay->SetUIBCPanelVisable(true);
        Pump(20);
        SendMessageA(FormWiFiDisplay->BtnOCP->Handle(), BM_CLICK, 0, 0);
        Pump(20);
        m_panel = WDPUIBCControlPanelForm->Handle();
        ASSERT_TRUE(WDPUIBCControlPanelForm->Visible());
        // Out of the way of the real pointer, in the screen's bottom right corner.
        RECT frame;
        GetWindowRect(m_panel, &frame);
        SetWindowPos(m_panel, nullptr, GetSystemMetrics(SM_CXSCREEN) - (frame.right - frame.left),
                     GetSystemMetrics(SM_CYSCREEN) - (frame.bottom - frame.top), 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        // What the pointer did while the panel opened under it is not part of the steps.
        Received();
        Mouse(WM_MOUSELEAVE, 0, 0);
    }

    // A loopback connection: the sink's end is returned, the test keeps the other.
    SOCKET ConnectedPair()
    {
        SOCKET server = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        inet_pton(AF_INET, "127.0.0.1", &address.sin_addr);
        bind(server, reinterpret_cast<sockaddr*>(&address), sizeof address);
        listen(server, 1);
        int length = sizeof address;
        getsockname(server, reinterpret_cast<sockaddr*>(&address), &length);
        SOCKET client = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
        if (connect(client, reinterpret_cast<sockaddr*>(&address), sizeof address) == SOCKET_ERROR)
            return 0;
        m_peer = accept(server, nullptr, nullptr);
        closesocket(server);
        return client;
    }

    // Every byte that arrived, as spaced hexadecimal, each packet on its own line.
    std::string Received()
    {
        Pump(30);
        if (m_peer == INVALID_SOCKET)
            return std::string();
        std::string bytes;
        for (;;) {
            fd_set set;
            FD_ZERO(&set);
            FD_SET(m_peer, &set);
            timeval wait = {0, 100000};
            if (select(0, &set, nullptr, nullptr, &wait) <= 0)
                break;
            char buffer[512];
            const int n = recv(m_peer, buffer, sizeof buffer, 0);
            if (n <= 0)
                break;
            bytes.append(buffer, n);
        }
        std::string text;
        size_t packetEnd = 0;
        for (size_t i = 0; i < bytes.size(); ++i) {
            if (i == packetEnd && i + 3 < bytes.size()) {
                packetEnd = i + ((uint8_t(bytes[i + 2]) << 8) | uint8_t(bytes[i + 3]));
                if (i)
                    text += "\n";
            } else if (i) {
                text += " ";
            }
            char two[3];
            std::snprintf(two, sizeof two, "%02X", uint8_t(bytes[i]));
            text += two;
        }
        return text;
    }

    // Mouse messages as the system delivers them. Each press is released in the same step:
    // while the panel holds the capture, real pointer moves (other test programs share the
    // display) would reach it.
    void Mouse(UINT message, int x, int y, WPARAM keys = 0)
    {
        SendMessageA(m_panel, message, keys, MAKELPARAM(x, y));
    }

    void Key(UINT message, BYTE key, bool shift)
    {
        BYTE state[256] = {};
        GetKeyboardState(state);
        state[VK_SHIFT] = shift ? 0x80 : 0;
        SetKeyboardState(state);
        SendMessageA(m_panel, message, key, 1);
        state[VK_SHIFT] = 0;
        SetKeyboardState(state);
    }

    void Click(TButton* button) { SendMessageA(button->Handle(), BM_CLICK, 0, 0); }

    SOCKET m_peer = INVALID_SOCKET;
    HWND m_panel = nullptr;
};

TEST_F(UibcPanel, GenericInputBecomesPackets)
{
    Open(1);
    // A quarter of the 1280 x 720 picture; panel points scale back to the picture.
    EXPECT_EQ(WDPUIBCControlPanelForm->ClientWidth(), 320);
    EXPECT_EQ(WDPUIBCControlPanelForm->ClientHeight(), 180);
    EXPECT_EQ(WDPUIBCControlPanelForm->m_hPostHandle, FormWiFiDisplay->Handle());
    EXPECT_TRUE(FormWiFiDisplay->BtnZoomIn->Visible());

    struct Step {
        const char* what;
        std::function<void()> act;
        const char* packets;
    };
    const Step steps[] = {
        {"move", [&] { Mouse(WM_MOUSEMOVE, 80, 45); }, "00 00 00 0E 02 00 06 01 00 01 40 00 B4 00"},
        {"left press and release",
         [&] {
             Mouse(WM_LBUTTONDOWN, 80, 45, MK_LBUTTON);
             Mouse(WM_LBUTTONUP, 319, 179);
         },
         "00 00 00 0E 00 00 06 01 00 01 40 00 B4 00\n00 00 00 0E 01 00 06 01 00 04 FC 02 CC 00"},
        {"right press posts nothing, its release the generic release",
         [&] {
             Mouse(WM_RBUTTONDOWN, 10, 10, MK_RBUTTON);
             Mouse(WM_RBUTTONUP, 10, 10);
         },
         "00 00 00 0E 01 00 06 01 00 00 28 00 28 00"},
        {"middle button posts nothing",
         [&] {
             Mouse(WM_MBUTTONDOWN, 10, 10, MK_MBUTTON);
             Mouse(WM_MBUTTONUP, 10, 10);
         },
         ""},
        {"zoom in twice: levels 1 and 2 at the panel point",
         [&] {
             Click(FormWiFiDisplay->BtnZoomIn);
             Mouse(WM_LBUTTONDOWN, 10, 20, MK_LBUTTON);
             Mouse(WM_LBUTTONUP, 10, 20);
             Mouse(WM_LBUTTONDOWN, 11, 21, MK_LBUTTON);
             Mouse(WM_LBUTTONUP, 0, 0);
         },
         "00 00 00 0E 05 00 06 00 0A 00 14 01 00 00\n"
         "00 00 00 0E 01 00 06 01 00 00 28 00 50 00\n"
         "00 00 00 0E 05 00 06 00 0B 00 15 02 00 00\n"
         "00 00 00 0E 01 00 06 01 00 00 00 00 00 00"},
        {"zoom out three times: 1, 0 and 0 again, without the point",
         [&] {
             Click(FormWiFiDisplay->BtnZoomOut);
             for (int i = 0; i < 3; ++i) {
                 Mouse(WM_LBUTTONDOWN, 10, 20, MK_LBUTTON);
                 Mouse(WM_LBUTTONUP, 0, 0);
             }
         },
         "00 00 00 0E 05 00 06 00 00 00 00 01 00 00\n00 00 00 0E 01 00 06 01 00 00 00 00 00 00\n"
         "00 00 00 0E 05 00 06 00 00 00 00 00 00 00\n00 00 00 0E 01 00 06 01 00 00 00 00 00 00\n"
         "00 00 00 0E 05 00 06 00 00 00 00 00 00 00\n00 00 00 0E 01 00 06 01 00 00 00 00 00 00"},
        {"zoom mode off: a press again",
         [&] {
             Click(FormWiFiDisplay->BtnCancelZoomMode);
             Mouse(WM_LBUTTONDOWN, 0, 0, MK_LBUTTON);
             Mouse(WM_LBUTTONUP, 0, 0);
         },
         "00 00 00 0E 00 00 06 01 00 00 00 00 00 00\n00 00 00 0E 01 00 06 01 00 00 00 00 00 00"},
        {"key A", [&] { Key(WM_KEYDOWN, 'A', false); }, "00 00 00 0C 03 00 05 00 00 41 00 00"},
        {"Shift+A", [&] { Key(WM_KEYDOWN, 'A', true); }, "00 00 00 0C 03 00 05 00 00 10 00 41"},
        {"A released", [&] { Key(WM_KEYUP, 'A', true); }, "00 00 00 0C 04 00 05 00 00 41 00 00"},
        {"Tab and Enter, through the message loop, go to the source", [&] {
             PostMessageA(m_panel, WM_KEYDOWN, VK_TAB, 1);
             PostMessageA(m_panel, WM_KEYDOWN, VK_RETURN, 1);
             Pump(20);
         },
         "00 00 00 0C 03 00 05 00 00 09 00 00\n00 00 00 0C 03 00 05 00 00 0D 00 00"},
    };
    for (const Step& step : steps) {
        step.act();
        EXPECT_EQ(Received(), step.packets) << step.what;
    }
}

TEST_F(UibcPanel, HidInputBecomesReports)
{
    Open(0);
    EXPECT_FALSE(FormWiFiDisplay->BtnZoomIn->Visible());
    struct Step {
        const char* what;
        std::function<void()> act;
        const char* packets;
    };
    const Step steps[] = {
        {"entering and moving: deltas from 0, 0, then from the last point",
         [&] {
             Mouse(WM_MOUSEMOVE, 30, 40);
             Mouse(WM_MOUSEMOVE, 25, 50);
         },
         "00 01 00 0C 01 01 00 00 03 00 1E 28\n00 01 00 0C 01 01 00 00 03 00 FB 0A"},
        {"leaving and entering again starts from 0, 0",
         [&] {
             Mouse(WM_MOUSELEAVE, 0, 0);
             Mouse(WM_MOUSEMOVE, 200, 5);
         },
         "00 01 00 0C 01 01 00 00 03 00 C8 05"},
        {"left press, and its release: a report with no button",
         [&] {
             Mouse(WM_LBUTTONDOWN, 200, 5, MK_LBUTTON);
             Mouse(WM_LBUTTONUP, 200, 5);
         },
         "00 01 00 0C 01 01 00 00 03 80 00 00\n00 01 00 0C 01 01 00 00 03 00 00 00"},
        {"right press and release", [&] {
             Mouse(WM_RBUTTONDOWN, 200, 5, MK_RBUTTON);
             Mouse(WM_RBUTTONUP, 200, 5);
         },
         "00 01 00 0C 01 01 00 00 03 20 00 00\n00 01 00 0C 01 01 00 00 03 00 00 00"},
        {"Shift+A", [&] { Key(WM_KEYDOWN, 'A', true); }, "00 01 00 12 01 00 00 00 08 02 00 04 00 00 00 00 00 00"},
        {"A", [&] { Key(WM_KEYDOWN, 'A', false); }, "00 01 00 12 01 00 00 00 08 00 00 04 00 00 00 00 00 00"},
        {"Shift itself", [&] { Key(WM_KEYDOWN, VK_SHIFT, true); }, "00 01 00 12 01 00 00 00 08 02 00 00 00 00 00 00 00 00"},
        {"released with Shift held", [&] { Key(WM_KEYUP, 'A', true); }, "00 01 00 12 01 00 00 00 08 02 00 00 00 00 00 00 00 00"},
        {"released", [&] { Key(WM_KEYUP, 'A', false); }, "00 01 00 12 01 00 00 00 08 00 00 00 00 00 00 00 00 00"},
        {"space is sent as code 32", [&] { Key(WM_KEYDOWN, VK_SPACE, false); },
         "00 01 00 12 01 00 00 00 08 00 00 20 00 00 00 00 00 00"},
    };
    for (const Step& step : steps) {
        step.act();
        EXPECT_EQ(Received(), step.packets) << step.what;
    }
}

// Pointer input is scaled by the panel and the picture; when either has no size there is no
// point to send, while keys, which carry no point, still go out.
TEST_F(UibcPanel, PointerWithoutASizeIsDropped)
{
    Open(1);
    WDPSink& sink = FormWiFiDisplay->m_Sink;
    struct Case {
        const char* what;
        int pictureWidth, pictureHeight;
        int panelWidth, panelHeight;
        const char* packets;
    };
    const char* const kKeyA = "00 00 00 0C 03 00 05 00 00 41 00 00";
    const Case cases[] = {
        {"both known", 1280, 720, 320, 180, "00 00 00 0E 02 00 06 01 00 01 40 00 B4 00"},
        {"picture size unknown", 0, 0, 320, 180, ""},
        {"picture height unknown", 1280, 0, 320, 180, ""},
        {"panel without height", 1280, 720, 320, 0, ""},
    };
    for (const Case& c : cases) {
        sink.m_iSourceWidth = c.pictureWidth;
        sink.m_iSourceHeight = c.pictureHeight;
        WDPUIBCControlPanelForm->SetClientSize(c.panelWidth, c.panelHeight);
        Pump(20);
        Received();
        ASSERT_EQ(WDPUIBCControlPanelForm->ClientWidth(), c.panelWidth) << c.what;
        ASSERT_EQ(WDPUIBCControlPanelForm->ClientHeight(), c.panelHeight) << c.what;
        SendMessageA(m_panel, WM_MOUSEMOVE, 0, MAKELPARAM(80, 45));
        SendMessageA(m_panel, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(80, 45));
        SendMessageA(m_panel, WM_LBUTTONUP, 0, MAKELPARAM(80, 45));
        const std::string pointer = Received();
        if (*c.packets) {
            EXPECT_EQ(pointer.substr(0, pointer.find('\n')), c.packets) << c.what;
        } else {
            EXPECT_EQ(pointer, "") << c.what;
        }
        Key(WM_KEYDOWN, 'A', false);
        EXPECT_EQ(Received(), kKeyA) << c.what;
        EXPECT_TRUE(IsWindow(m_panel)) << c.what;
    }
}

TEST_F(UibcPanel, SendingNeedsTheChannel)
{
    Open(1);
    WDPSink& sink = FormWiFiDisplay->m_Sink;
    // Without a receiver the panel posts nothing.
    WDPUIBCControlPanelForm->m_hPostHandle = nullptr;
    Mouse(WM_MOUSEMOVE, 5, 5);
    EXPECT_EQ(Received(), "");
    WDPUIBCControlPanelForm->m_hPostHandle = FormWiFiDisplay->Handle();

    // Type 9 sends nothing but counts as handled while the socket exists.
    EXPECT_EQ(sink.SendMouseMoveUIBC(9, 1, 2, 3, 4), 1);
    EXPECT_EQ(Received(), "");
    // A failed send closes the socket; the call still reports 1, later ones 0.
    shutdown(sink.m_SUIBC, SD_SEND);
    EXPECT_EQ(sink.SendMouseMoveUIBC(2, 1, 2, 0, 0), 1);
    EXPECT_EQ(sink.m_SUIBC, 0u);
    EXPECT_EQ(sink.SendMouseMoveUIBC(2, 1, 2, 0, 0), 0);
    Mouse(WM_MOUSEMOVE, 6, 6);
    const auto refusals = [&] {
        const std::string journal = SimJournal();
        int count = 0;
        for (size_t at = journal.find("m_SUIBC=0"); at != std::string::npos; at = journal.find("m_SUIBC=0", at + 1))
            ++count;
        return count;
    };
    EXPECT_TRUE(PumpUntil([&] { return refusals() >= 2; }, 2000));

    // Hiding the panel's buttons closes the panel.
    FormWiFiDisplay->SetUIBCPanelVisable(false);
    EXPECT_FALSE(WDPUIBCControlPanelForm->Visible());
}

// Both ends in one program over loopback: the panel's input goes out of the sink, into the
// source's listener and comes back as recorded input calls.
TEST_F(UibcPanel, PanelInputReplayedByTheSource)
{
    TUibcInputJournal journal;
    SetUibcInputCalls(&journal);
    Start();
    UibcSource& source = FormWiFiDisplay->m_Source.m_UIBC;
    source.m_iUIBCPort = 0;
    FormWiFiDisplay->m_Source.SoUIBCEnable("127.0.0.1");
    ASSERT_TRUE(source.Listening());
    SOCKET channel = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(u_short(source.ListeningPort()));
    inet_pton(AF_INET, "127.0.0.1", &address.sin_addr);
    ASSERT_EQ(connect(channel, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    ASSERT_TRUE(PumpUntil([&] { return source.Serving(); }, 3000));

    const auto replayed = [&](const std::vector<std::string>& want) {
        PumpUntil([&] { return journal.Lines().size() >= want.size(); }, 3000);
        Pump(50);
        const std::vector<std::string> got = journal.Lines();
        journal.Clear();
        return got;
    };

    OpenPanel(1, channel);
    replayed({});
    Mouse(WM_MOUSEMOVE, 80, 45);
    Mouse(WM_LBUTTONDOWN, 80, 45, MK_LBUTTON);
    Mouse(WM_LBUTTONUP, 80, 45);
    Key(WM_KEYDOWN, 'A', false);
    Key(WM_KEYUP, 'A', false);
    Click(FormWiFiDisplay->BtnZoomIn);
    Mouse(WM_LBUTTONDOWN, 10, 20, MK_LBUTTON);
    Mouse(WM_LBUTTONUP, 10, 20);
    std::vector<std::string> want = {
        "SetCursorPos 320 180", "mouse_event 0x0002 320 180 0", "mouse_event 0x0004 320 180 0",
        "keybd_event 0x41 down", "keybd_event 0x41 up",
        "SetCursorPos 10 20", "keybd_event 0x5B down", "keybd_event 0x6B down", "keybd_event 0x6B up",
        "keybd_event 0x5B up", "mouse_event 0x0004 40 80 0"};
    EXPECT_EQ(replayed(want), want);

    // HID kind: relative moves ten times over, a click in one call, Shift+A.
    FormWiFiDisplay->m_Sink.m_bGeneric = 0;
    Click(FormWiFiDisplay->BtnOCP);
    Pump(20);
    Mouse(WM_MOUSELEAVE, 0, 0);
    Mouse(WM_MOUSEMOVE, 30, 40);
    Mouse(WM_LBUTTONDOWN, 30, 40, MK_LBUTTON);
    Mouse(WM_LBUTTONUP, 30, 40);
    Key(WM_KEYDOWN, 'A', true);
    want = {"mouse_event 0x0001 300 400 0", "GetCursorPos 310 420",
            "mouse_event 0x0001 0 0 0", "GetCursorPos 310 420", "mouse_event 0x0006 310 420 0",
            "mouse_event 0x0001 0 0 0", "GetCursorPos 310 420",
            "keybd_event 0xA2 up", "keybd_event 0xA0 down", "keybd_event 0xA4 up", "keybd_event 0xA3 up",
            "keybd_event 0xA1 up", "keybd_event 0xA5 up", "keybd_event 0x41 down", "keybd_event 0x41 up"};
    EXPECT_EQ(replayed(want), want);

    // Another host is refused and nothing it sends is replayed.
    SOCKET foreign = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in local{};
    local.sin_family = AF_INET;
    inet_pton(AF_INET, "127.0.0.2", &local.sin_addr);
    bind(foreign, reinterpret_cast<sockaddr*>(&local), sizeof local);
    ASSERT_EQ(connect(foreign, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    const char move[] = {0, 0, 0, 14, 2, 0, 6, 1, 0, 0, 100, 0, 50, 0};
    send(foreign, move, sizeof move, 0);
    Pump(300);
    closesocket(foreign);
    EXPECT_EQ(replayed({}), std::vector<std::string>{});

    // The session ends: no listener and no client are left.
    FormWiFiDisplay->m_Source.SourceSetDefault();
    EXPECT_FALSE(source.Listening());
    EXPECT_FALSE(source.Serving());
    SetUibcInputCalls(nullptr);
}

} // namespace
