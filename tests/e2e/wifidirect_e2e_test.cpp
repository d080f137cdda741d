// Wi-Fi Direct in the running program: turned on from the main window (the device named in the
// wizard on first use), the scenario's peers on the ring, a connection by push button and by
// the peer's PIN, a peer leaving and a saved group coming back, and the saved profile activated
// from the profile list. The ring's pictures are drawn by the window itself, so what it shows is
// read from the screen.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "WevoRun.h"

namespace {

constexpr POINT kMainWiFiDirect = {180 + 12, 25 + 12};
constexpr POINT kDirectOnOff = {20 + 32, 200 + 32};
constexpr POINT kDirectClose = {375 + 7, 8 + 7};
constexpr POINT kWizardNext = {322 + 12, 318 + 13};

// The ring's slots as the window places them: picture, connection mark above it and owner
// badge at its upper right corner.
struct SlotBox {
    RECT picture;
    RECT mark;
    RECT badge;
};

constexpr SlotBox MakeSlot(int left, int top)
{
    return {{left, top, left + 53, top + 53},
            {left + 53 / 2 - 8, top - 18, left + 53 / 2 + 8, top - 2},
            {left + 53 - 14, top, left + 53 + 2, top + 16}};
}

constexpr SlotBox kRing[5] = {MakeSlot(33, 78), MakeSlot(106, 92), MakeSlot(179, 114), MakeSlot(216, 179),
                              MakeSlot(231, 248)};

const char* const kTv = "02:50:F2:AA:00:01";
constexpr POINT kProfileActivate = {83 + 12, 20 + 13};
// The own-device menu: Scan, persistent groups, autonomous group owner or disconnect, profiles.
constexpr int kMenuScan = 0, kMenuProfiles = 3;

// Pixels of a client area part of a window of another process, as the screen shows them.
std::vector<uint32_t> Pixels(HWND window, const RECT& part)
{
    SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    Sleep(100);
    POINT origin = {part.left, part.top};
    ClientToScreen(window, &origin);
    const int w = part.right - part.left, h = part.bottom - part.top;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info{};
    info.bmiHeader = {sizeof info.bmiHeader, w, -h, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, w, h, screen, origin.x, origin.y, SRCCOPY);
    GdiFlush();
    // colour only: text drawing leaves its own values in the fourth byte
    std::vector<uint32_t> pixels(static_cast<uint32_t*>(bits), static_cast<uint32_t*>(bits) + w * h);
    for (uint32_t& pixel : pixels)
        pixel |= 0xFF000000u;
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return pixels;
}

std::vector<uint32_t> Pixels(HWND window)
{
    RECT client{};
    GetClientRect(window, &client);
    return Pixels(window, client);
}

// With WEVO_SHOTS naming a folder, the window as the screen shows it goes to NAME.bmp there.
void Shot(HWND window, const std::string& name)
{
    char folder[MAX_PATH] = {};
    if (!GetEnvironmentVariableA("WEVO_SHOTS", folder, sizeof folder))
        return;
    RECT client{};
    GetClientRect(window, &client);
    const std::vector<uint32_t> pixels = Pixels(window, client);
    BITMAPINFOHEADER header{sizeof header, client.right, -client.bottom, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    header.biSizeImage = DWORD(pixels.size() * 4);
    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof header;
    file.bfSize = file.bfOffBits + header.biSizeImage;
    HANDLE out = CreateFileA((std::string(folder) + "\\" + name + ".bmp").c_str(), GENERIC_WRITE, 0, nullptr,
                             CREATE_ALWAYS, 0, nullptr);
    if (out == INVALID_HANDLE_VALUE)
        return;
    DWORD done = 0;
    WriteFile(out, &file, sizeof file, &done, nullptr);
    WriteFile(out, &header, sizeof header, &done, nullptr);
    WriteFile(out, pixels.data(), header.biSizeImage, &done, nullptr);
    CloseHandle(out);
}

void DoubleClickAt(HWND window, POINT at)
{
    const LPARAM where = MAKELPARAM(at.x, at.y);
    PostMessageA(window, WM_MOUSEMOVE, 0, where);
    PostMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, where);
    PostMessageA(window, WM_LBUTTONUP, 0, where);
    PostMessageA(window, WM_LBUTTONDBLCLK, MK_LBUTTON, where);
    PostMessageA(window, WM_LBUTTONUP, 0, where);
}

POINT Centre(const RECT& r)
{
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

struct ChildSearch {
    std::function<bool(HWND)> accept;
    HWND found = nullptr;
};

BOOL CALLBACK TakeChild(HWND child, LPARAM param)
{
    auto* search = reinterpret_cast<ChildSearch*>(param);
    if (!search->accept(child))
        return TRUE;
    search->found = child;
    return FALSE;
}

// A visible child window of the form that the condition accepts.
HWND FindChild(HWND form, const std::function<bool(HWND)>& accept)
{
    ChildSearch search{[&accept](HWND w) { return IsWindowVisible(w) && accept(w); }};
    EnumChildWindows(form, TakeChild, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// The visible button (radio, check box or push button) with this caption.
HWND FindButton(HWND form, const std::string& caption)
{
    return FindChild(form, [&caption](HWND w) { return WindowClass(w) == "Button" && WindowText(w) == caption; });
}

// The visible, enabled edit box of the form, the first one found.
HWND FindEdit(HWND form)
{
    return FindChild(form, [](HWND w) {
        return WindowClass(w) == "Edit" && IsWindowEnabled(w) && !(GetWindowLongA(w, GWL_STYLE) & ES_READONLY);
    });
}

class WiFiDirectEndToEnd : public ::testing::Test {
protected:
    void Launch(const std::string& scene = "default")
    {
        ASSERT_TRUE(wevo_.Start("", scene)) << "the program did not start";
        ASSERT_TRUE(WaitFor([this] { return wevo_.MainWindow() != nullptr; })) << "no main window";
        main_ = wevo_.MainWindow();
        ASSERT_TRUE(WaitFor([this] { return IsWindowVisible(main_) != FALSE; }));
    }

    // The visible form of the program with this title, or null.
    HWND Form(const std::string& title) const
    {
        for (HWND w : wevo_.VisibleWindows())
            if (WindowText(w) == title)
                return w;
        return nullptr;
    }

    // The form with this title opened by a click (or double-click) at a point of another,
    // repeated while it does not show.
    HWND OpenBy(HWND window, POINT at, const std::string& title, bool twice = false)
    {
        HWND shown = nullptr;
        for (int attempt = 0; attempt < 6 && !shown; ++attempt) {
            if (twice)
                DoubleClickAt(window, at);
            else
                ClickAt(window, at.x, at.y);
            WaitFor([&] { return (shown = Form(title)) != nullptr; }, 4000);
        }
        return shown;
    }

    // Presses the wizard's Next until the wizard has closed.
    bool NextUntilClosed(HWND wizard)
    {
        return WaitFor(
            [&] {
                ClickAt(wizard, kWizardNext.x, kWizardNext.y);
                return WaitFor([&] { return !IsWindowVisible(wizard); }, 2000);
            },
            20000);
    }

    // Opens the Wi-Fi Direct window and turns Wi-Fi Direct on, naming the device in the wizard.
    void TurnOn(const std::string& deviceName)
    {
        direct_ = OpenBy(main_, kMainWiFiDirect, "Wi-Fi Direct");
        ASSERT_NE(direct_, nullptr) << "the Wi-Fi Direct window did not open";
        // the Wi-Fi Display reminder shown over it is closed by its title bar
        HWND reminder = nullptr;
        if (WaitFor([&] { return (reminder = Form("Warning")) != nullptr; }, 5000)) {
            PostMessageA(reminder, WM_CLOSE, 0, 0);
            ASSERT_TRUE(WaitFor([&] { return !IsWindowVisible(reminder); }));
        }
        offPixels_ = Pixels(direct_);
        Shot(direct_, "e2e_wifidirect_off");
        HWND wizard = OpenBy(direct_, kDirectOnOff, "Wi-Fi Direct Settings", true);
        ASSERT_NE(wizard, nullptr) << "no wizard to name the device\n" << wevo_.Journal();
        Sleep(300);
        Shot(wizard, "e2e_wizard_device_name");
        HWND own = FindButton(wizard, "");
        ASSERT_NE(own, nullptr) << "no choice of an own name";
        PostMessageA(own, BM_CLICK, 0, 0);
        HWND edit = FindEdit(wizard);
        ASSERT_NE(edit, nullptr) << "no name field";
        SendMessageA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(deviceName.c_str()));
        ASSERT_TRUE(NextUntilClosed(wizard)) << "the wizard did not close\n" << wevo_.Journal();
        ASSERT_TRUE(wevo_.WaitForJournal("WVWL_WriteWiFiDirectDeviceName(" + deviceName)) << wevo_.Journal();
        ASSERT_TRUE(wevo_.WaitForJournal("WVWL_WriteWifiDirectFlag(1)")) << wevo_.Journal();
    }

    // Chooses an item of the popup menu that a right click at the point opens, by its place
    // (0 the first), with the keys a user would press.
    bool ChooseFromMenu(HWND window, POINT at, int item)
    {
        HWND menu = nullptr;
        const bool opened = WaitFor(
            [&] {
                const LPARAM where = MAKELPARAM(at.x, at.y);
                PostMessageA(window, WM_MOUSEMOVE, 0, where);
                PostMessageA(window, WM_RBUTTONDOWN, MK_RBUTTON, where);
                PostMessageA(window, WM_RBUTTONUP, 0, where);
                return WaitFor([&] { return (menu = FindWindowA("#32768", nullptr)) != nullptr && IsWindowVisible(menu); },
                               2000);
            },
            15000);
        if (!opened)
            return false;
        for (int i = 0; i <= item; ++i)
            PostMessageA(menu, WM_KEYDOWN, VK_DOWN, 0);
        PostMessageA(menu, WM_KEYDOWN, VK_RETURN, 0);
        return WaitFor([&] { return !IsWindowVisible(menu); }, 5000);
    }

    // Scans for peers from the own-device menu and waits for the discovery to be handled.
    void Scan()
    {
        const int scans = CountIn(wevo_.Journal(), "WVWL_SetWifiDirectWpseConfig(mode=2 ");
        ASSERT_TRUE(ChooseFromMenu(direct_, kDirectOnOff, kMenuScan)) << "no own-device menu";
        ASSERT_TRUE(WaitFor([&] { return CountIn(wevo_.Journal(), "WVWL_SetWifiDirectWpseConfig(mode=2 ") > scans; }))
            << wevo_.Journal();
    }

    static int CountIn(const std::string& text, const std::string& part)
    {
        int count = 0;
        for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
            ++count;
        return count;
    }

    // True when the part shows something other than the switched-off window did there.
    bool Drawn(const RECT& part) { return Pixels(direct_, part) != Part(part); }
    // The ring slot shows a picture (its inner part: labels of neighbours reach its edges).
    static RECT Inner(int slot)
    {
        const RECT& p = kRing[slot].picture;
        return {p.left + 12, p.top + 12, p.right - 12, p.bottom - 12};
    }
    bool SlotShown(int slot) { return Drawn(Inner(slot)); }
    bool MarkShown(int slot) { return Drawn(kRing[slot].mark); }
    bool BadgeShown(int slot) { return Pixels(direct_, kRing[slot].badge) != badgeless_[slot]; }
    // The ring slot marked connected, -1 for none (a mark's place can hold the label of the
    // slot before it, so only slots with a picture count).
    int ConnectedSlot()
    {
        for (int slot = 0; slot < 5; ++slot)
            if (SlotShown(slot) && MarkShown(slot))
                return slot;
        return -1;
    }

    // Answers the program's message box with the button of this caption.
    bool Answer(const std::string& caption)
    {
        HWND button = nullptr;
        return WaitFor([&] {
            for (HWND w : wevo_.VisibleWindows())
                if ((button = FindButton(w, caption)) != nullptr)
                    break;
            return button != nullptr;
        }) && PostMessageA(button, BM_CLICK, 0, 0);
    }

    // The same part of the window as it was before Wi-Fi Direct was on.
    std::vector<uint32_t> Part(const RECT& part) const
    {
        RECT client{};
        GetClientRect(direct_, &client);
        std::vector<uint32_t> out;
        for (int y = part.top; y < part.bottom; ++y)
            for (int x = part.left; x < part.right; ++x)
                out.push_back(offPixels_[size_t(y) * size_t(client.right) + size_t(x)]);
        return out;
    }

    ProgramTurn turn_;
    WevoRun wevo_;
    HWND main_ = nullptr;
    HWND direct_ = nullptr;
    std::vector<uint32_t> offPixels_;
    std::vector<uint32_t> badgeless_[5];
};

TEST_F(WiFiDirectEndToEnd, PeersConnectByPushButtonLeaveAndTheSavedGroupComesBack)
{
    Launch();
    TurnOn("Den-Laptop");
    Scan();
    // the scan on showing the window finds the two peers: slots 1 and 2 of the ring
    ASSERT_TRUE(WaitFor([&] { return SlotShown(1) && SlotShown(2); })) << wevo_.Journal();
    EXPECT_FALSE(SlotShown(0));
    EXPECT_FALSE(SlotShown(3));
    Shot(direct_, "e2e_wifidirect_peers");
    for (int slot = 0; slot < 5; ++slot)
        badgeless_[slot] = Pixels(direct_, kRing[slot].badge);
    EXPECT_FALSE(MarkShown(1));

    // a double-click on the television asks how to connect; the user takes the push button
    HWND wizard = OpenBy(direct_, Centre(kRing[1].picture), "Wi-Fi Direct Settings", true);
    ASSERT_NE(wizard, nullptr) << "no wizard for the connection\n" << wevo_.Journal();
    HWND pbc = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (pbc = FindButton(wizard, "Push Button (PBC)")) != nullptr; }));
    PostMessageA(pbc, BM_CLICK, 0, 0);
    ASSERT_TRUE(WaitFor([&] { return SendMessageA(pbc, BM_GETCHECK, 0, 0) == BST_CHECKED; }));
    Sleep(300);
    Shot(wizard, "e2e_wizard_wps");
    ASSERT_TRUE(NextUntilClosed(wizard)) << wevo_.Journal();
    ASSERT_TRUE(wevo_.WaitForJournal("WVWL_SetWPSMode(PBC")) << wevo_.Journal();
    Shot(direct_, "e2e_wifidirect_connecting");
    EXPECT_NE(wevo_.Journal().find(std::string("bssid ") + kTv), std::string::npos) << wevo_.Journal();
    ASSERT_TRUE(wevo_.WaitForJournal("WVWL_ConnectWPSProfileWithWifiDirectWpse(")) << wevo_.Journal();
    // the television owns the group: connected, with its owner badge
    int tv = -1;
    ASSERT_TRUE(WaitFor([&] { return (tv = ConnectedSlot()) >= 0 && BadgeShown(tv); })) << wevo_.Journal();
    Shot(direct_, "e2e_wifidirect_connected");

    // the television goes out of range: it leaves the ring, and the tablet found again takes
    // the middle slot
    const std::vector<uint32_t> television = Pixels(direct_, Inner(tv));
    ASSERT_EQ(wevo_.Sim(std::string("p2p remove ") + kTv).substr(0, 2), "ok");
    const bool left = WaitFor([&] { return ConnectedSlot() < 0 && SlotShown(2) && Pixels(direct_, Inner(2)) != television; });
    Shot(direct_, "e2e_wifidirect_left");
    ASSERT_TRUE(left) << wevo_.Journal();
    for (int slot : {0, 1, 3, 4})
        EXPECT_FALSE(SlotShown(slot)) << slot;

    // it comes back: the saved group is taken up again without a question
    wevo_.Sim("journal clear");
    ASSERT_EQ(wevo_.Sim(std::string("p2p return ") + kTv).substr(0, 2), "ok");
    ASSERT_TRUE(WaitFor([&] { return (tv = ConnectedSlot()) >= 0 && BadgeShown(tv); })) << wevo_.Journal();
    EXPECT_NE(wevo_.Journal().find("peer=02-50-F2-AA-00-01"), std::string::npos) << wevo_.Journal();
    EXPECT_EQ(wevo_.Journal().find("WVWL_SetWPSMode("), std::string::npos) << wevo_.Journal();
    EXPECT_EQ(Form("Wi-Fi Direct Settings"), nullptr);

    // a double-click on the connected television asks, then disconnects it
    wevo_.Sim("journal clear");
    DoubleClickAt(direct_, Centre(kRing[tv].picture));
    ASSERT_TRUE(Answer("OK")) << "no question before disconnecting";
    ASSERT_TRUE(wevo_.WaitForJournal("WVWL_DisConnectWifiDirectPerDevice(")) << wevo_.Journal();
    EXPECT_NE(wevo_.Journal().find("WVWL_DisConnectWifiDirectPerDevice(02-50-F2-AA-00-01"), std::string::npos)
        << wevo_.Journal();
    EXPECT_TRUE(WaitFor([&] { return ConnectedSlot() < 0; })) << wevo_.Journal();
}

// The first turn-on names the device; a connection by the peer's PIN is saved as a profile,
// listed, and activating it later connects again.
TEST_F(WiFiDirectEndToEnd, PinConnectionIsSavedListedAndActivatedAgain)
{
    Launch();
    TurnOn("Den-Laptop");
    Scan();
    ASSERT_TRUE(WaitFor([&] { return SlotShown(1) && SlotShown(2); })) << wevo_.Journal();

    // the kitchen tablet, in the middle slot: the user types the tablet's PIN into the wizard
    HWND wizard = OpenBy(direct_, Centre(kRing[2].picture), "Wi-Fi Direct Settings", true);
    ASSERT_NE(wizard, nullptr) << "no wizard for the connection\n" << wevo_.Journal();
    HWND byPin = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (byPin = FindButton(wizard, "Enter the peer's PIN")) != nullptr; }));
    SendMessageA(byPin, BM_CLICK, 0, 0);
    HWND pin = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (pin = FindEdit(wizard)) != nullptr; })) << "no PIN field";
    SendMessageA(pin, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("49226874"));
    Sleep(300);
    Shot(wizard, "e2e_wizard_pin");
    ASSERT_TRUE(NextUntilClosed(wizard)) << wevo_.Journal();
    ASSERT_TRUE(wevo_.WaitForJournal("WVWL_SetWPSMode(")) << wevo_.Journal();
    const std::string journal = wevo_.Journal();
    EXPECT_NE(journal.find("pin=49226874 peer=02-50-F2-AA-00-02"), std::string::npos) << journal;
    // our intent is the higher one: this device owns the group and lets the tablet in
    EXPECT_TRUE(wevo_.WaitForJournal("WVWL_ConnectWPSProfileWithWifiDirectWpse(1 02-50-F2-AA-00-02 role=1)")) << journal;
    // the tablet is drawn connected in its slot, and the connection is saved
    int tablet = -1;
    ASSERT_TRUE(WaitFor([&] { return (tablet = ConnectedSlot()) >= 0; })) << wevo_.Journal();
    EXPECT_EQ(tablet, 2);
    EXPECT_TRUE(wevo_.WaitForJournal("WVWL_WriteWifiDirectWpseProfile(Profile-Kitchen-Tablet) return 1")) << wevo_.Journal();
    Shot(direct_, "e2e_wifidirect_pin_connected");

    // the profile list shows it
    ASSERT_TRUE(ChooseFromMenu(direct_, kDirectOnOff, kMenuProfiles)) << "no own-device menu";
    HWND profiles = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (profiles = Form("Wi-Fi Direct Profiles")) != nullptr; })) << wevo_.Journal();
    HWND list = FindWindowExA(profiles, nullptr, "SysListView32", nullptr);
    ASSERT_NE(list, nullptr);
    RemoteListView rows(wevo_.Process(), list);
    int row = -1;
    ASSERT_TRUE(WaitFor([&] { return (row = rows.Find(1, "Profile-Kitchen-Tablet")) >= 0; })) << wevo_.Journal();
    EXPECT_EQ(rows.Text(row, 2), "Kitchen-Tablet");
    Shot(profiles, "e2e_wifidirect_profiles");

    // disconnected, then activated from the list: the saved profile connects the tablet again
    DoubleClickAt(direct_, Centre(kRing[tablet].picture));
    ASSERT_TRUE(Answer("OK")) << "no question before disconnecting";
    ASSERT_TRUE(wevo_.WaitForJournal("WVWL_DisConnectWifiDirectPerDevice(02-50-F2-AA-00-02")) << wevo_.Journal();
    ASSERT_TRUE(WaitFor([&] { return ConnectedSlot() < 0; })) << wevo_.Journal();
    wevo_.Sim("journal clear");
    ASSERT_TRUE(rows.Select(row));
    ClickAt(profiles, kProfileActivate.x, kProfileActivate.y);
    ASSERT_TRUE(wevo_.WaitForJournal("WVWL_ReadWifiDirectWpseProfile(Profile-Kitchen-Tablet")) << wevo_.Journal();
    EXPECT_TRUE(wevo_.WaitForJournal("peer=02-50-F2-AA-00-02")) << wevo_.Journal();
    EXPECT_TRUE(WaitFor([&] { return ConnectedSlot() >= 0; })) << wevo_.Journal();
}

}  // namespace
