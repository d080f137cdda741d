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

#include "WevoRun.h"
#include "core/Settings.h"
#include "resources/UiStr.h"
#include "wlapi/records.h"

namespace {

constexpr POINT kMainWiFiDisplay = {153 + 12, 25 + 12};

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

struct ChildSearch {
    std::string className, text;
    HWND found;
};

BOOL CALLBACK MatchChild(HWND w, LPARAM p)
{
    auto* s = reinterpret_cast<ChildSearch*>(p);
    if (WindowClass(w) == s->className && WindowText(w) == s->text) {
        s->found = w;
        return FALSE;
    }
    return TRUE;
}

HWND FindChild(HWND parent, const std::string& className, const std::string& text)
{
    ChildSearch search{className, text, nullptr};
    EnumChildWindows(parent, MatchChild, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

size_t Count(const std::string& text, const std::string& part)
{
    size_t n = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++n;
    return n;
}

// Opens the list's popup and picks its visible item number `item` (from 1) with the keyboard.
bool PickPopupItem(HWND list, int item)
{
    RECT r{};
    GetWindowRect(list, &r);
    PostMessageA(list, WM_CONTEXTMENU, WPARAM(list), MAKELPARAM(r.left + 40, r.top + 8));
    HWND menu = nullptr;
    if (!WaitFor([&] { return (menu = FindWindowA("#32768", nullptr)) != nullptr && IsWindowVisible(menu); }, 10000))
        return false;
    for (int i = 0; i < item; ++i)
        PostMessageA(menu, WM_KEYDOWN, VK_DOWN, 0);
    PostMessageA(menu, WM_KEYDOWN, VK_RETURN, 0);
    return true;
}

TEST(WiFiDisplaySessionEndToEnd, SinkSessionOverTdls)
{
    ProgramTurn turn;
    IniSetting tdls("WiFiDisplay", "TDLS", "1");
    WevoRun wevo;
    ASSERT_TRUE(wevo.Start("", "wifidisplay"));
    ASSERT_TRUE(WaitFor([&] { return wevo.MainWindow() != nullptr && IsWindowVisible(wevo.MainWindow()); }));
    HWND main = wevo.MainWindow();

    std::vector<HWND> before = wevo.VisibleWindows();
    HWND display = nullptr;
    const DWORD start = GetTickCount();
    while (!display && GetTickCount() - start < 30000) {
        ClickAt(main, kMainWiFiDisplay.x, kMainWiFiDisplay.y);
        display = wevo.WaitForNewForm(before, 5000);
    }
    ASSERT_NE(display, nullptr) << "the Wi-Fi Display window did not open";
    HWND list = FindWindowExA(display, nullptr, "SysListView32", nullptr);
    ASSERT_NE(list, nullptr);

    // this computer is a primary sink
    HWND primarySink = FindChild(display, "Button", "P-Sink");
    ASSERT_NE(primarySink, nullptr);
    SendMessageA(primarySink, BM_CLICK, 0, 0);
    EXPECT_TRUE(wevo.WaitForJournal("DevInfo=0x0091"));

    // a source that prefers TDLS; the driver brings the link up on the third table read
    WDP_TABLE table{};
    table.ClientNumber = 1;
    WDP_ENTRY& source = table.Entry[0];
    const BYTE device[6] = {0x02, 0x50, 0xF2, 0xAA, 0x00, 0x01};
    const BYTE tdlsMac[6] = {0x0E, 0x50, 0xF2, 0xAA, 0x00, 0x01};
    const BYTE address[4] = {127, 0, 0, 1};  // the source's end is this test, on loopback
    std::memcpy(source.DevMac, device, 6);
    std::memcpy(source.TdlsMac, tdlsMac, 6);
    std::memcpy(source.TdlsIp, address, 4);
    source.DevInfo = 0x0090;
    source.ControlPort = 7236;
    ASSERT_EQ(wevo.Sim("wdptable " + Hex(&table, sizeof table)), "ok\n");
    ASSERT_EQ(wevo.Sim("wdptdls 1 2"), "ok\n");
    EXPECT_EQ(wevo.Sim("wdpstatus 04").substr(0, 2), "ok");
    RemoteListView rows(wevo.Process(), list);
    ASSERT_TRUE(WaitFor([&] { return rows.Count() == 1 && rows.Text(0, 3) == "02:50:F2:AA:00:01"; })) << wevo.Journal();
    ASSERT_TRUE(rows.Select(0));

    // TDLS Connect, the sixth item shown: name, type, MAC, details, connect, TDLS connect
    wevo.Sim("journal clear");
    before = wevo.VisibleWindows();
    ASSERT_TRUE(PickPopupItem(list, 6));
    ASSERT_TRUE(wevo.WaitForJournal("wdp tdls request 0E:50:F2:AA:00:01 action=1 kind=2")) << wevo.Journal();
    HWND wait = wevo.WaitForNewForm(before, 10000);
    EXPECT_NE(wait, nullptr) << "no TDLS wait dialog";

    // the dialog ticks each second until the address shows
    ASSERT_TRUE(wevo.WaitForJournal("TDLS is ready", 30000)) << wevo.Journal();
    const std::string journal = wevo.Journal();
    EXPECT_EQ(Count(journal, "TDLS isn't ready"), 2u) << journal;
    EXPECT_TRUE(WaitFor([&] { return wait && !IsWindowVisible(wait); }, 5000));

    // the driver's next table event carries the address; the connect timer goes to the source
    EXPECT_EQ(wevo.Sim("wdpstatus 04").substr(0, 2), "ok");
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
    SOCKET listener = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in at{};
    at.sin_family = AF_INET;
    inet_pton(AF_INET, "127.0.0.1", &at.sin_addr);
    ASSERT_EQ(bind(listener, reinterpret_cast<sockaddr*>(&at), sizeof at), 0);
    ASSERT_EQ(listen(listener, 1), 0);
    int size = sizeof at;
    getsockname(listener, reinterpret_cast<sockaddr*>(&at), &size);
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
        open = FindChild(display, "Button", strings.STR_OPEN_UIBC_CONTROLPANEL);
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

}  // namespace
