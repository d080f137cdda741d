// The source's remote-input listener over real TCP on the loopback interface: what a sink's
// packets replay through the recorded input calls, and what hostile peers get.
#include <winsock2.h>
#include <ws2tcpip.h>
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <iterator>
#include <mutex>
#include <string>
#include <vector>

#include "core/Settings.h"
#include "core/TempFolder.h"
#include "support/Loopback.h"
#include "ui/Seams.h"
#include "wifidisplay/UibcSource.h"

namespace {

bool WaitFor(const std::function<bool()>& condition, DWORD ms = 3000)
{
    const DWORD start = GetTickCount();
    while (!condition()) {
        if (GetTickCount() - start > ms)
            return false;
        Sleep(10);
    }
    return true;
}

class UibcListener : public ::testing::Test {
protected:
    void SetUp() override
    {
        WSADATA wsa{};
        WSAStartup(0x0202, &wsa);
        SetUibcInputCalls(&m_journal);
        seams::sleepOverride = [this](DWORD ms) {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_sleeps.push_back(ms);
        };
        m_source.m_iUIBCPort = 0;
    }
    void TearDown() override
    {
        m_source.Close();
        SetUibcInputCalls(nullptr);
        seams::sleepOverride = nullptr;
        programPathOverride = nullptr;
        WSACleanup();
    }

    void Listen(const std::string& client = "127.0.0.1")
    {
        m_source.SetEnabled(true);
        ASSERT_EQ(m_source.CreateReceiveUIBCDataThread(client), 1);
        ASSERT_GT(m_source.ListeningPort(), 0);
    }

    // A TCP connection to the listener, from the given local address.
    SOCKET Connect(const char* from = "127.0.0.1")
    {
        return ConnectTo(m_port ? m_port : m_source.ListeningPort(), from);
    }

    static void Send(SOCKET s, const std::string& bytes) { send(s, bytes.data(), int(bytes.size()), 0); }

    std::vector<DWORD> Sleeps()
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_sleeps;
    }

    TUibcInputJournal m_journal;
    UibcSource m_source;
    int m_port = 0;
    std::mutex m_mutex;
    std::vector<DWORD> m_sleeps;
};

const char* kMove = "00 00 00 0E 02 00 06 01 00 00 64 00 32 00";
const char* kKeyDownA = "00 00 00 0C 03 00 05 00 00 41 00 00";

TEST_F(UibcListener, ReplaysTheSessionClientsInput)
{
    Listen();
    struct Case {
        const char* what;
        std::vector<std::string> sends;  // each one send call
        std::vector<std::string> lines;
    };
    const std::string both = std::string(kMove) + " " + kKeyDownA;
    const std::vector<std::string> moveAndKey = {"SetCursorPos 100 50", "keybd_event 0x41 down"};
    std::vector<std::string> bytes;
    for (char c : Packet(both))
        bytes.push_back(std::string(1, c));
    const Case cases[] = {
        {"move", {Packet(kMove)}, {"SetCursorPos 100 50"}},
        {"two packets in one send", {Packet(both)}, moveAndKey},
        {"a packet split", {Packet(both).substr(0, 9), Packet(both).substr(9)}, moveAndKey},
        {"byte by byte", bytes, moveAndKey},
        {"left press and release",
         {Packet("00 00 00 0E 00 00 06 01 00 00 0A 00 14 00 00 00 00 0E 01 00 06 01 00 00 0A 00 14 00")},
         {"mouse_event 0x0002 10 20 0", "mouse_event 0x0004 10 20 0"}},
        {"two pointers in list order",
         {Packet("00 00 00 12 02 00 0B 02 00 00 01 00 02 01 00 03 00 04")},
         {"SetCursorPos 1 2", "SetCursorPos 3 4"}},
        {"key up of Shift and A", {Packet("00 00 00 0C 04 00 05 00 00 10 00 41")},
         {"keybd_event 0x10 up", "keybd_event 0x41 up"}},
        {"zoom to 1, then 0", {Packet("00 00 00 0E 05 00 06 00 05 00 06 01 00 00 00 00 00 0E 05 00 06 00 05 00 06 00 00 00")},
         {"SetCursorPos 5 6", "keybd_event 0x5B down", "keybd_event 0x6B down", "keybd_event 0x6B up",
          "keybd_event 0x5B up", "SetCursorPos 5 6", "keybd_event 0x5B down", "keybd_event 0x6D down",
          "keybd_event 0x6D up", "keybd_event 0x5B up", "keybd_event 0x5B down", "keybd_event 0x1B down",
          "keybd_event 0x1B up", "keybd_event 0x5B up"}},
        {"vertical scroll", {Packet("00 00 00 0A 06 00 02 FF 88 00")}, {"mouse_event 0x0800 0 0 -120"}},
        {"horizontal scroll", {Packet("00 00 00 0A 07 00 02 00 78 00")},
         {"keybd_event 0x11 down", "keybd_event 0x25 down", "keybd_event 0x25 up", "keybd_event 0x11 up"}},
        {"rotate by 7 radians", {Packet("00 00 00 0A 08 00 02 07 00 00")},
         {"keybd_event 0x11 down", "keybd_event 0x12 down", "keybd_event 0x26 down", "keybd_event 0x26 up",
          "keybd_event 0x12 up", "keybd_event 0x11 up"}},
        {"HID Shift+A", {Packet("00 01 00 12 01 00 00 00 08 02 00 04 00 00 00 00 00 00")},
         {"keybd_event 0xA2 up", "keybd_event 0xA0 down", "keybd_event 0xA4 up", "keybd_event 0xA3 up",
          "keybd_event 0xA1 up", "keybd_event 0xA5 up", "keybd_event 0x41 down", "keybd_event 0x41 up"}},
        {"HID right click after a move",
         {Packet(std::string(kMove) + " 00 01 00 0C 01 01 00 00 03 20 FF 02")},
         {"SetCursorPos 100 50", "mouse_event 0x0001 -10 20 0", "GetCursorPos 90 70", "mouse_event 0x0008 90 70 0",
          "mouse_event 0x0010 90 70 0"}},
        {"HID left click", {Packet("00 01 00 0C 01 01 00 00 03 80 00 00")},
         {"mouse_event 0x0001 0 0 0", "GetCursorPos 90 70", "mouse_event 0x0006 90 70 0"}},
    };
    for (const Case& c : cases) {
        m_journal.Clear();
        SOCKET s = Connect();
        ASSERT_NE(s, INVALID_SOCKET) << c.what;
        ASSERT_TRUE(WaitFor([&] { return m_source.Serving(); })) << c.what;
        for (const std::string& part : c.sends) {
            Send(s, part);
            Sleep(c.sends.size() > 2 ? 5 : 50);
        }
        EXPECT_TRUE(WaitFor([&] { return m_journal.Lines().size() >= c.lines.size(); })) << c.what;
        Sleep(50);
        EXPECT_EQ(m_journal.Lines(), c.lines) << c.what;
        EXPECT_FALSE(ClosedByPeer(s, 0)) << c.what;
        closesocket(s);
        EXPECT_TRUE(WaitFor([&] { return !m_source.Serving(); })) << c.what;
    }
    // Every client that closed was followed by the pause after an empty read.
    EXPECT_EQ(Sleeps(), std::vector<DWORD>(std::size(cases), 1000));
}

TEST_F(UibcListener, HostilePeersInjectNothing)
{
    Listen();
    struct Case {
        const char* what;
        std::string bytes;
    };
    const Case cases[] = {
        {"length 0", "00 00 00 00 02 00 06 01 00 00 64 00 32 00"},
        {"length 1", "00 00 00 01 02 00 06 01 00 00 64 00 32 00"},
        {"length 3", "00 00 00 03 02 00 06 01 00 00 64 00 32 00"},
        {"below the key type's size", "00 00 00 0A 03 00 03 00 00 41"},
        {"above 1024", "00 00 04 01 02 00 06 01 00 00 64 00 32 00"},
        {"pointer count 255 in a short packet", "00 00 00 0E 02 00 06 FF 00 00 64 00 32 00"},
        {"describe length not the packet's", "00 00 00 0E 02 00 FF 01 00 00 64 00 32 00"},
        {"report length not the packet's", "00 01 00 0C 01 01 00 00 FF 20 00 00"},
        {"unknown version", "20 00 00 0E 02 00 06 01 00 00 64 00 32 00"},
        {"unknown category", "00 02 00 0E 02 00 06 01 00 00 64 00 32 00"},
        {"unknown generic type", "00 00 00 0E 09 00 06 01 00 00 64 00 32 00"},
        {"unknown HID path", "00 01 00 0C 05 01 00 00 03 80 00 00"},
    };
    for (const Case& c : cases) {
        SOCKET s = Connect();
        ASSERT_NE(s, INVALID_SOCKET) << c.what;
        Send(s, Packet(c.bytes));
        EXPECT_TRUE(ClosedByPeer(s)) << c.what;
        closesocket(s);
        EXPECT_TRUE(WaitFor([&] { return !m_source.Serving(); })) << c.what;
    }
    EXPECT_TRUE(m_journal.Lines().empty());

    // A peer that closes in the middle of a packet: nothing replayed, its thread ends after
    // the pause.
    {
        SOCKET s = Connect();
        ASSERT_TRUE(WaitFor([&] { return m_source.Serving(); }));
        Send(s, Packet(kMove).substr(0, 8));
        Sleep(50);
        const size_t sleeps = Sleeps().size();
        closesocket(s);
        EXPECT_TRUE(WaitFor([&] { return !m_source.Serving(); }));
        EXPECT_EQ(Sleeps().size(), sleeps + 1);
        EXPECT_TRUE(m_journal.Lines().empty());
    }

    // Another host's connection is closed at once, and what it sends is never read.
    {
        SOCKET foreign = Connect("127.0.0.2");
        ASSERT_NE(foreign, INVALID_SOCKET);
        Send(foreign, Packet(kMove));
        EXPECT_TRUE(ClosedByPeer(foreign));
        closesocket(foreign);
        EXPECT_FALSE(m_source.Serving());
    }

    // A second client while the first is served is refused; the first goes on.
    {
        SOCKET first = Connect();
        ASSERT_TRUE(WaitFor([&] { return m_source.Serving(); }));
        SOCKET second = Connect();
        ASSERT_NE(second, INVALID_SOCKET);
        Send(second, Packet(kKeyDownA));
        EXPECT_TRUE(ClosedByPeer(second));
        closesocket(second);
        Send(first, Packet(kMove));
        EXPECT_TRUE(WaitFor([&] { return !m_journal.Lines().empty(); }));
        Sleep(50);
        EXPECT_EQ(m_journal.Lines(), std::vector<std::string>{"SetCursorPos 100 50"});

        // The session ends: the served client is closed, no listener or client is left, and
        // a later connection finds nobody.
        m_port = m_source.ListeningPort();
        m_source.Close();
        EXPECT_TRUE(ClosedByPeer(first));
        closesocket(first);
        EXPECT_FALSE(m_source.Listening());
        EXPECT_FALSE(m_source.Serving());
        EXPECT_EQ(Connect(), INVALID_SOCKET);
    }
    EXPECT_EQ(m_journal.Lines(), std::vector<std::string>{"SetCursorPos 100 50"});
}

TEST_F(UibcListener, ListensOnlyWhenOfferedOrEnabled)
{
    TempFolder notOffered;
    TempFolder offered;
    notOffered.Write("Wevo.ini", "[WiFiDisplaySo]\r\nSupportUIBC=0\r\n");
    offered.Write("Wevo.ini", "[WiFiDisplaySo]\r\nSupportUIBC=1\r\n");
    programPathOverride = [&notOffered] { return notOffered.File("Wevo.exe"); };
    EXPECT_EQ(m_source.CreateReceiveUIBCDataThread("127.0.0.1"), 0);
    EXPECT_FALSE(m_source.Listening());

    programPathOverride = [&offered] { return offered.File("Wevo.exe"); };
    EXPECT_EQ(m_source.CreateReceiveUIBCDataThread("127.0.0.1"), 1);
    EXPECT_TRUE(m_source.Listening());
    const int port = m_source.ListeningPort();
    // A second start keeps the listener it has.
    EXPECT_EQ(m_source.CreateReceiveUIBCDataThread("127.0.0.1"), 1);
    EXPECT_EQ(m_source.ListeningPort(), port);

    // Receiving stops when told to: the client's thread closes its connection.
    SOCKET s = Connect();
    ASSERT_TRUE(WaitFor([&] { return m_source.Serving(); }));
    m_source.m_bUIBCContinue = 0;
    EXPECT_TRUE(ClosedByPeer(s));
    closesocket(s);
    EXPECT_TRUE(WaitFor([&] { return !m_source.Serving(); }));

    m_source.Close();
    programPathOverride = [&notOffered] { return notOffered.File("Wevo.exe"); };
    EXPECT_EQ(m_source.CreateReceiveUIBCDataThread("127.0.0.1"), 0);
    m_source.SetEnabled(true);
    EXPECT_EQ(m_source.CreateReceiveUIBCDataThread("127.0.0.1"), 1);
    EXPECT_TRUE(m_source.Listening());
}

TEST(UibcInjection, RotateZoomAndScrollKeys)
{
    TUibcInputJournal journal;
    SetUibcInputCalls(&journal);
    UibcSource source;
    struct Rotate {
        int angle, fraction;
        BYTE arrow;
    };
    // 171, -171, 343 and 41 (401) degrees; a fraction alone (179/256 rad, 40 degrees); -343 and -41.
    const Rotate rotations[] = {{3, 0, VK_DOWN}, {-3, 0, VK_DOWN}, {6, 0, VK_DOWN}, {7, 0, VK_UP}, {0, 179, VK_UP},
                                {-6, 0, VK_DOWN}, {-7, 0, VK_UP}};
    for (const Rotate& r : rotations) {
        journal.Clear();
        source.InjectRotate(r.angle, r.fraction);
        char arrow[32];
        std::snprintf(arrow, sizeof arrow, "keybd_event 0x%02X ", r.arrow);
        const std::vector<std::string> want = {"keybd_event 0x11 down", "keybd_event 0x12 down",
                                               std::string(arrow) + "down", std::string(arrow) + "up",
                                               "keybd_event 0x12 up", "keybd_event 0x11 up"};
        EXPECT_EQ(journal.Lines(), want) << r.angle << " " << r.fraction;
    }
    journal.Clear();
    source.InjectZoom(3);
    source.InjectZoom(-1);
    EXPECT_TRUE(journal.Lines().empty());
    source.InjectHorizontalScroll(1);
    EXPECT_EQ(journal.Lines(), (std::vector<std::string>{"keybd_event 0x11 down", "keybd_event 0x27 down",
                                                         "keybd_event 0x27 up", "keybd_event 0x11 up"}));
    SetUibcInputCalls(nullptr);
}

} // namespace
