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

#include "WiFiDirectDriving.h"

namespace {

// The ring's slots as the window places them: picture, the middle of the connection line from
// it to this device, and owner badge at its upper right corner.
struct SlotBox {
    RECT picture;
    RECT mark;
    RECT badge;
};

constexpr SlotBox MakeSlot(int left, int top, int lineX, int lineY)
{
    return {{left, top, left + 53, top + 53},
            {lineX - 2, lineY - 2, lineX + 3, lineY + 3},
            {left + 53 - 14, top, left + 53 + 2, top + 16}};
}

constexpr SlotBox kRing[5] = {MakeSlot(33, 78, 52, 173), MakeSlot(106, 92, 83, 180), MakeSlot(179, 114, 127, 181),
                              MakeSlot(216, 179, 146, 215), MakeSlot(231, 248, 153, 250)};

const char* const kTv = "02:50:F2:AA:00:01";
const char* const kTvInJournal = "02-50-F2-AA-00-01";
const char* const kTabletInJournal = "02-50-F2-AA-00-02";
// The first and the last tenth of the progress box's bar (140 x 22 at 80,50).
constexpr RECT kBarFirstStep = {82, 54, 92, 68}, kBarLastStep = {208, 54, 218, 68};
constexpr POINT kProfileActivate = {83 + 12, 20 + 13};
// The own-device menu: Scan, persistent groups, autonomous group owner or disconnect, profiles.
constexpr int kMenuScan = 0, kMenuProfiles = 3;
// The own device's icon, drawn on while Wi-Fi Direct is on.
constexpr RECT kOwnIcon = {20, 200, 84, 264};

class WiFiDirectEndToEnd : public WiFiDirectDriving {
protected:
    // Started, Wi-Fi Direct turned on and a scan made: the scenario's two peers in slots 1 and
    // 2 of the ring. A peer given ("NAME MAC Key=Value ...") joins them before the scan.
    void ShowThePeers(const std::string& peer = "")
    {
        ASSERT_NO_FATAL_FAILURE(Launch());
        ASSERT_NO_FATAL_FAILURE(TurnOn("Den-Laptop"));
        if (!peer.empty()) {
            ASSERT_EQ(wevo_.Sim("p2p add " + peer).substr(0, 2), "ok");
        }
        ASSERT_NO_FATAL_FAILURE(Scan());
        ASSERT_TRUE(WaitFor([&] { return SlotShown(1) && SlotShown(2); })) << wevo_.Journal();
    }

    // Double-clicks the peer in the slot and takes the push button in the wizard that asks how
    // to connect; the wizard stays open.
    void ChoosePushButton(int slot, HWND* wizard)
    {
        *wizard = OpenBy(direct_, Centre(kRing[slot].picture), "Wi-Fi Direct Settings", true);
        ASSERT_NE(*wizard, nullptr) << "no wizard for the connection\n" << wevo_.Journal();
        HWND pbc = nullptr;
        ASSERT_TRUE(WaitFor([&] { return (pbc = FindButton(*wizard, "Push Button (PBC)")) != nullptr; }));
        PostMessageA(pbc, BM_CLICK, 0, 0);
        ASSERT_TRUE(WaitFor([&] { return SendMessageA(pbc, BM_GETCHECK, 0, 0) == BST_CHECKED; }));
    }

    // Double-clicks the connected peer in the slot and confirms: the program disconnects that
    // peer (its address as the journal writes it) and the ring shows no connection.
    void Disconnect(int slot, const std::string& peer)
    {
        DoubleClickAt(direct_, Centre(kRing[slot].picture));
        ASSERT_TRUE(Answer("OK")) << "no question before disconnecting";
        ASSERT_TRUE(wevo_.WaitForJournal("WVWL_DisConnectWifiDirectPerDevice(" + peer)) << wevo_.Journal();
        ASSERT_TRUE(WaitFor([&] { return ConnectedSlot() < 0; })) << wevo_.Journal();
    }

    // Scans for peers from the own-device menu and waits for the discovery to be handled.
    void Scan()
    {
        const int scans = CountIn(wevo_.Journal(), "WVWL_SetWifiDirectWpseConfig(mode=2 ");
        ASSERT_TRUE(ChooseFromMenu(direct_, kDirectOnOff, kMenuScan)) << "no own-device menu";
        ASSERT_TRUE(WaitFor([&] { return CountIn(wevo_.Journal(), "WVWL_SetWifiDirectWpseConfig(mode=2 ") > scans; }))
            << wevo_.Journal();
    }

    // Opens Wi-Fi Display from the main window and presses its Rescan: it scans for peers, and
    // neither the question that Wi-Fi Direct is off nor the device-name wizard shows.
    void RescanInWiFiDisplayAsksNothing(const std::string& shot)
    {
        const std::vector<HWND> before = wevo_.VisibleWindows();
        HWND display = nullptr;
        ASSERT_TRUE(
            ClickUntil(main_, kMainWiFiDisplay, [&] { return (display = wevo_.WaitForNewForm(before, 100)) != nullptr; }))
            << "the Wi-Fi Display window did not open";
        const int scans = CountIn(wevo_.Journal(), "WVWL_SetWifiDirectWpseConfig(mode=2 ");
        const std::vector<HWND> shown = wevo_.VisibleWindows();
        ASSERT_TRUE(ClickUntil(display, kDisplayRescan,
                               [&] { return CountIn(wevo_.Journal(), "WVWL_SetWifiDirectWpseConfig(mode=2 ") > scans; }))
            << "Rescan did not scan\n" << wevo_.Journal();
        Shot(display, shot);
        EXPECT_EQ(wevo_.WaitForNewForm(shown, 1500), nullptr) << "a question though Wi-Fi Direct is on";
        EXPECT_EQ(Form("Wi-Fi Direct Settings"), nullptr) << "the device-name wizard opened again";
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
    // The ring slot marked connected, -1 for none (only slots with a picture count).
    int ConnectedSlot()
    {
        for (int slot = 0; slot < 5; ++slot)
            if (SlotShown(slot) && MarkShown(slot))
                return slot;
        return -1;
    }


    // The shared progress box: the program's borderless 280 x 80 window.
    HWND ProgressBox() const
    {
        for (HWND w : wevo_.VisibleWindows()) {
            RECT r{};
            GetWindowRect(w, &r);
            if (r.right - r.left == 280 && r.bottom - r.top == 80)
                return w;
        }
        return nullptr;
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

    std::vector<uint32_t> badgeless_[5];
};

TEST_F(WiFiDirectEndToEnd, PeersConnectByPushButtonLeaveAndTheSavedGroupComesBack)
{
    // the television takes four seconds for its WPS exchange, so the connection can be watched
    ASSERT_NO_FATAL_FAILURE(ShowThePeers(std::string("Living-Room-TV ") + kTv +
                                         " Category=0x0700 SubCategory=0x0100 ConfigMethods=0x0188 Intent=12 Channel=6 "
                                         "WpsTime=4000"));
    EXPECT_FALSE(SlotShown(0));
    EXPECT_FALSE(SlotShown(3));
    Shot(direct_, "e2e_wifidirect_peers");
    for (int slot = 0; slot < 5; ++slot)
        badgeless_[slot] = Pixels(direct_, kRing[slot].badge);
    EXPECT_FALSE(MarkShown(1));

    // a double-click on the television asks how to connect; the user takes the push button
    HWND wizard = nullptr;
    ASSERT_NO_FATAL_FAILURE(ChoosePushButton(1, &wizard));
    Sleep(300);
    Shot(wizard, "e2e_wizard_wps");
    ASSERT_TRUE(NextUntilClosed(wizard)) << wevo_.Journal();
    ASSERT_TRUE(wevo_.WaitForJournal("WVWL_SetWPSMode(PBC")) << wevo_.Journal();
    Shot(direct_, "e2e_wifidirect_connecting");
    EXPECT_NE(wevo_.Journal().find(std::string("bssid ") + kTv + " channel 6"), std::string::npos) << wevo_.Journal();
    // midway the progress box shows its first step: a bar that is not empty
    HWND progress = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (progress = ProgressBox()) != nullptr; }, 3500)) << "no progress box";
    EXPECT_EQ(wevo_.Journal().find("WVWL_ConnectWPSProfileWithWifiDirectWpse("), std::string::npos)
        << "too late to see the box midway";
    Shot(progress, "e2e_wifidirect_progress_midway");
    EXPECT_NE(Pixels(progress, kBarFirstStep), Pixels(progress, kBarLastStep)) << "an empty bar";
    ASSERT_TRUE(wevo_.WaitForJournal("WVWL_ConnectWPSProfileWithWifiDirectWpse(")) << wevo_.Journal();
    // and closes within a few seconds of the connection
    EXPECT_TRUE(WaitFor([&] { return !IsWindowVisible(progress); }, 3000)) << "the progress box stays";
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
    ASSERT_NO_FATAL_FAILURE(Disconnect(tv, kTvInJournal));
}

// The first turn-on names the device; a connection by the peer's PIN is saved as a profile,
// listed, and activating it later connects again.
TEST_F(WiFiDirectEndToEnd, PinConnectionIsSavedListedAndActivatedAgain)
{
    ASSERT_NO_FATAL_FAILURE(ShowThePeers());

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
    EXPECT_EQ(journal.find("49226874"), std::string::npos) << "the PIN is journalled";
    EXPECT_NE(journal.find("pin=len=8 checksum=ok peer=02-50-F2-AA-00-02"), std::string::npos) << journal;
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
    ASSERT_NO_FATAL_FAILURE(Disconnect(tablet, kTabletInJournal));
    wevo_.Sim("journal clear");
    ASSERT_TRUE(rows.Select(row));
    ClickAt(profiles, kProfileActivate.x, kProfileActivate.y);
    ASSERT_TRUE(wevo_.WaitForJournal("WVWL_ReadWifiDirectWpseProfile(Profile-Kitchen-Tablet")) << wevo_.Journal();
    EXPECT_TRUE(wevo_.WaitForJournal("peer=02-50-F2-AA-00-02")) << wevo_.Journal();
    EXPECT_TRUE(WaitFor([&] { return ConnectedSlot() >= 0; })) << wevo_.Journal();
}

// After a connection and a disconnection Wi-Fi Direct is still on, and Wi-Fi Display, which
// needs it, finds it on: its Rescan scans and asks nothing.
TEST_F(WiFiDirectEndToEnd, WiFiDisplayFindsWiFiDirectOnAfterAConnectionEnded)
{
    ASSERT_NO_FATAL_FAILURE(ShowThePeers());

    HWND wizard = nullptr;
    ASSERT_NO_FATAL_FAILURE(ChoosePushButton(1, &wizard));
    ASSERT_TRUE(NextUntilClosed(wizard)) << wevo_.Journal();
    int tv = -1;
    ASSERT_TRUE(WaitFor([&] { return (tv = ConnectedSlot()) >= 0; })) << wevo_.Journal();

    ASSERT_NO_FATAL_FAILURE(Disconnect(tv, kTvInJournal));
    ASSERT_TRUE(WaitFor([&] { return wevo_.Sim("p2p queue").rfind("0 ", 0) == 0; })) << wevo_.Journal();

    ASSERT_NO_FATAL_FAILURE(RescanInWiFiDisplayAsksNothing("e2e_wifidisplay_rescan_after_direct"));
    EXPECT_NE(wevo_.Journal().find("WVWL_ReadWifiDirectControl("), std::string::npos);
}

// The system tells the program of a wake-up it sent no suspend for (the program started while the
// machine slept, or the suspend notice reached no one): Wi-Fi Direct stays on, its window shows
// it on, and Wi-Fi Display finds it on: its Rescan scans and asks nothing.
TEST_F(WiFiDirectEndToEnd, WiFiDisplayFindsWiFiDirectOnAfterAWakeUpWithoutSuspend)
{
    Launch();
    TurnOn("Den-Laptop");
    ASSERT_TRUE(WaitFor([&] { return Drawn(kOwnIcon); })) << "Wi-Fi Direct does not show on";

    const int restarts = wevo_.Calls("WVWL_InitWifiDirect");
    const int turnedOn = CountIn(wevo_.Journal(), "WVWL_WriteWifiDirectFlag(1)");
    PostMessageA(main_, WM_POWERBROADCAST, PBT_APMRESUMEAUTOMATIC, 0);
    ASSERT_TRUE(wevo_.WaitForJournal("TimerWiFiDirectWakeUpControlTimer()")) << wevo_.Journal();
    // the stored flag still says on, so Wi-Fi Direct is brought up again
    EXPECT_TRUE(WaitFor([&] {
        return wevo_.Calls("WVWL_InitWifiDirect") > restarts &&
               CountIn(wevo_.Journal(), "WVWL_WriteWifiDirectFlag(1)") > turnedOn;
    })) << wevo_.Journal();
    EXPECT_EQ(wevo_.Journal().find("WVWL_WriteWifiDirectFlag(0)"), std::string::npos) << wevo_.Journal();
    EXPECT_TRUE(Drawn(kOwnIcon)) << "Wi-Fi Direct does not show on";

    ASSERT_NO_FATAL_FAILURE(RescanInWiFiDisplayAsksNothing("e2e_wifidisplay_rescan_after_wake_up"));
    Shot(direct_, "e2e_wifidirect_after_wake_up");
}

}  // namespace
