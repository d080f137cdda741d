// Wi-Fi Direct with the simulated peers: each flow goes from the user's input through the
// event queue of the adapter and back, and the window shows what became of it.
#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <ostream>
#include <string>
#include <vector>

#include "core/WvwlLib.h"
#include "dialogs/FormMessageBox.h"
#include "dialogs/FormProgressMsg.h"
#include "mainwindow/FormMain.h"
#include "resources/FormResource.h"
#include "support/TextFit.h"
#include "ui/Menus.h"
#include "ui/Seams.h"
#include "wifidirect/WiFiDirectSetting.h"
#include "wifidirect/wifidirect_fixture.h"
#include "wlapi/result.h"

namespace {

const char* const kTv = "02:50:F2:AA:00:01";

// What the progress box showed at one moment of its modal run.
struct ProgressSample {
    DWORD at;
    bool connected;  // the link was up already
    int bar;
    std::string label;
};
std::vector<ProgressSample> g_progress;

struct MidwayLook {
    bool taken;
    bool connected;
    int bar;
};
MidwayLook g_midway{};

void CALLBACK SampleProgress(HWND, UINT, UINT_PTR, DWORD)
{
    if (!FormProgressMsg->Visible())
        return;
    g_progress.push_back({GetTickCount(), FormWiFiDirect->m_WiFiDirectWvstatus == WvStatus_Connected,
                          FormProgressMsg->ImgProgressBar->Width(), FormProgressMsg->lblMessageText->Caption()});
}

class WiFiDirectFlows : public WiFiDirectFixture {
protected:
    void TearDown() override
    {
        TPopupMenu::chooseOverride = nullptr;
        WiFiDirectFixture::TearDown();
    }
    // Chooses the item of the own-device menu with this caption by a right click on the on icon.
    void ChooseFromMyMenu(const std::string& caption)
    {
        TPopupMenu::chooseOverride = [caption](TPopupMenu* menu) -> TMenuItem* {
            for (int i = 0; i < menu->Items()->Count(); ++i)
                if (menu->Items()->Items(i)->Caption() == caption)
                    return menu->Items()->Items(i);
            return nullptr;
        };
        PressOn(FormWiFiDirect->ImgWiFiDirectOn, WM_RBUTTONDOWN, WM_RBUTTONUP);
        TPopupMenu::chooseOverride = nullptr;
    }
    void Scan()
    {
        MarkCalls();
        ChooseFromMyMenu("Scan");
        ASSERT_TRUE(WaitForEvents());
    }
    // The slot whose label starts with the text, or -1.
    int SlotOf(const std::string& label)
    {
        TLabel* labels[7] = {FormWiFiDirect->lblDevice0, FormWiFiDirect->lblDevice1, FormWiFiDirect->lblDevice2,
                             FormWiFiDirect->lblDevice3, FormWiFiDirect->lblDevice4, FormWiFiDirect->lblDevice2_0,
                             FormWiFiDirect->lblDevice2_1};
        for (int i = 0; i < 7; ++i)
            if (labels[i]->Visible() && labels[i]->Caption().rfind(label, 0) == 0)
                return i;
        return -1;
    }
    TImage* Picture(int slot)
    {
        TImage* p[7] = {FormWiFiDirect->ImgDevice0, FormWiFiDirect->ImgDevice1, FormWiFiDirect->ImgDevice2,
                        FormWiFiDirect->ImgDevice3, FormWiFiDirect->ImgDevice4, FormWiFiDirect->ImgDevice2_0,
                        FormWiFiDirect->ImgDevice2_1};
        return p[slot];
    }
    TImage* Mark(int slot)
    {
        TImage* p[7] = {FormWiFiDirect->ImgConnectDevice0, FormWiFiDirect->ImgConnectDevice1,
                        FormWiFiDirect->ImgConnectDevice2, FormWiFiDirect->ImgConnectDevice3,
                        FormWiFiDirect->ImgConnectDevice4, FormWiFiDirect->ImgConnectDevice2_0,
                        FormWiFiDirect->ImgConnectDevice2_1};
        return p[slot];
    }
    TImage* Badge(int slot)
    {
        TImage* p[5] = {FormWiFiDirect->ImgDevice0_GO, FormWiFiDirect->ImgDevice1_GO, FormWiFiDirect->ImgDevice2_GO,
                        FormWiFiDirect->ImgDevice3_GO, FormWiFiDirect->ImgDevice4_GO};
        return p[slot];
    }
    // Right-clicks the peer with this label (which selects it) and chooses the first item of
    // the menu it offers: connect for a peer, disconnect for a connected one.
    void ChoosePeerMenu(const std::string& label)
    {
        const int slot = SlotOf(label);
        ASSERT_GE(slot, 0) << label;
        FormWiFiDirect->Show();
        TPopupMenu::chooseOverride = [](TPopupMenu* menu) -> TMenuItem* {
            return menu->Items()->Count() ? menu->Items()->Items(0) : nullptr;
        };
        PressOn(Picture(slot), WM_RBUTTONDOWN, WM_RBUTTONUP);
        TPopupMenu::chooseOverride = nullptr;
    }
    bool Sim(const std::string& command)
    {
        std::string reply;
        SimCommand(command, &reply);
        return reply == "ok\n";
    }
    // The events the window took up since the last mark, in order, by their short names.
    std::string HandledEvents()
    {
        std::string names;
        const std::string journal = SimJournal();
        const std::string open = " >>WIFIDIRECTEVENT_";
        for (size_t at = journal.find(open); at != std::string::npos; at = journal.find(open, at + 1)) {
            const size_t from = at + open.size(), to = journal.find("<<", from);
            names += (names.empty() ? "" : " ") + journal.substr(from, to - from);
        }
        return names;
    }
    // Connects to the television by push button, lets it go out of range and waits until the
    // window has taken up every event: the saved group is armed for its return.
    void ConnectToTheTelevisionAndLoseIt()
    {
        TurnOn();
        Scan();
        FinishWizardWith(WIFI_DIRECT_WPSE_PBC_MODE, 0);
        ChoosePeerMenu("Living-R..");
        ASSERT_TRUE(PumpUntil([&] { return FormWiFiDirect->m_WiFiDirectWvstatus == WvStatus_Connected; }));
        ASSERT_TRUE(WaitForEvents());
        m_onModal = nullptr;
        ASSERT_TRUE(Sim(std::string("p2p remove ") + kTv));
        ASSERT_TRUE(WaitForEvents());
        ASSERT_EQ(SlotOf("Living-R.."), -1);
    }
    // The progress box midway through a connection: what it showed, and a shot of it.
    static inline WiFiDirectFlows* s_self = nullptr;
    static void CALLBACK ShootMidway(HWND, UINT, UINT_PTR id, DWORD)
    {
        KillTimer(nullptr, id);
        if (!FormProgressMsg->Visible())
            return;
        g_midway = {true, FormWiFiDirect->m_WiFiDirectWvstatus == WvStatus_Connected,
                    FormProgressMsg->ImgProgressBar->Width()};
        s_self->Snapshot(FormProgressMsg->Handle(), "wifidirect_progress_midway");
    }
    // The codes of the events the simulator queued since the last mark, in order.
    std::string QueuedEvents()
    {
        std::string codes;
        for (const std::string& line : Lines("p2p")) {
            const size_t at = line.find("event ");
            if (at != std::string::npos)
                codes += (codes.empty() ? "" : " ") + line.substr(at + 6, line.find(' ', at + 6) - at - 6);
        }
        return codes;
    }
};

TEST_F(WiFiDirectFlows, DiscoveryShowsTheScenarioPeersAndEveryEventIsAcknowledgedOnce)
{
    Start();
    TurnOn();
    Scan();
    EXPECT_EQ(QueuedEvents(), "1 6 2");
    const std::vector<std::string> requests = Lines("WVWL_SetWifiDirectWpseConfig");
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_NE(requests[0].find("mode=2 "), std::string::npos) << requests[0];
    EXPECT_EQ(Acknowledgements(), 3);
    EXPECT_EQ(FormWiFiDirect->n1stOrderDeviceNum, 2);
    EXPECT_EQ(FormWiFiDirect->m_nIndexInVecForDevice0, -1);
    EXPECT_EQ(SlotOf("Living-R.."), 1);
    EXPECT_EQ(SlotOf("Kitchen-.."), 2);
    EXPECT_EQ(FormWiFiDirect->lblDeviceNum->Caption(), "Devices found: 2");
    Snapshot("wifidirect_peers");
    EXPECT_FALSE(Mark(1)->Visible());
    // a second scan within five seconds is refused by the disabled menu item
    EXPECT_FALSE(FormWiFiDirect->MyPopupMenu->Items()->Items(0)->Enabled);
}

// Push button: negotiation, WPS, the credential handed to the main window, the group and the
// link; the peer with the higher intent owns the group and is marked connected with its badge.
TEST_F(WiFiDirectFlows, PushButtonConnectionMarksThePeerConnectedAndDisconnectLeaves)
{
    Start();
    TurnOn();
    Scan();
    FinishWizardWith(WIFI_DIRECT_WPSE_PBC_MODE, 7);
    MarkCalls();
    ChoosePeerMenu("Living-R..");
    Snapshot("wifidirect_connecting");
    ASSERT_TRUE(PumpUntil([&] { return FormWiFiDirect->m_WiFiDirectWvstatus == WvStatus_Connected; }));
    ASSERT_TRUE(WaitForEvents());
    EXPECT_EQ(QueuedEvents(), "3 5 6 22");
    const std::vector<std::string> wps = Lines("WVWL_SetWPSMode");
    ASSERT_EQ(wps.size(), 1u);
    EXPECT_NE(wps[0].find("PBC ssid \"DIRECT-BALiving-Room-TV\""), std::string::npos) << wps[0];
    EXPECT_NE(wps[0].find("bssid 02:50:F2:AA:00:01 channel 6 config 1"), std::string::npos) << wps[0];
    EXPECT_EQ(Lines("WVWL_ConnectWPSProfileWithWifiDirectWpse").size(), 1u);
    EXPECT_EQ(FormWiFiDirect->m_ulMyRule, uint32_t(WIFI_DIRECT_IS_CLIENT));
    EXPECT_EQ(FormWiFiDirect->m_nNumOfMyGroup, 2);
    EXPECT_EQ(FormWiFiDirect->m_strMySSID, "DIRECT-BALiving-Room-TV");
    const int slot = SlotOf("Living-R..");
    ASSERT_GE(slot, 0);
    EXPECT_TRUE(Mark(slot)->Visible());
    EXPECT_TRUE(Badge(slot)->Visible());
    EXPECT_EQ(Picture(slot)->PopupMenu, FormWiFiDirect->DisconnectPopupMenu);
    // the SSID rows: this device's box, then the peer's once it is pressed
    EXPECT_TRUE(FormWiFiDirect->lblSSID->Visible());
    EXPECT_EQ(FormWiFiDirect->lblSSID->Caption(), "DIRECT-BALiving-Room-TV");
    TLabel* const ssidRow = FormWiFiDirect->lblSSID;
    for (const TLabel* other : {FormWiFiDirect->lblDeviceNum, FormWiFiDirect->lblMACAddress, FormWiFiDirect->lblPreSharedKey}) {
        const RECT a = ssidRow->BoundsRect(), b = other->BoundsRect();
        RECT overlap{};
        EXPECT_FALSE(IntersectRect(&overlap, &a, &b)) << "the SSID row runs into " << other->Caption();
    }
    {
        const std::string longest = "DIRECT-BALiving-Room-Television1";  // 32 characters
        const SIZE size = textfit::Measure(ssidRow->Font().Handle(), longest);
        EXPECT_LE(ssidRow->Left() + size.cx, FormWiFiDirect->grpBoxDeivceInfo->Width() - 4)
            << "no room for an SSID of 32 characters";
    }
    Snapshot("wifidirect_connected");
    PressOn(Picture(slot), WM_LBUTTONDOWN, WM_LBUTTONUP);
    EXPECT_NE(FormWiFiDirect->grpBoxDeivceInfo->Caption().find("Living-Room-TV"), std::string::npos);
    EXPECT_TRUE(FormWiFiDirect->lblSSID->Visible());
    EXPECT_EQ(FormWiFiDirect->lblSSID->Caption(), "DIRECT-BALiving-Room-TV");
    Snapshot("wifidirect_connected_peer");

    // the link's address is taken over once the library has one
    FormWiFiDirect->GetAndSetMyIP();
    EXPECT_EQ(FormWiFiDirect->m_strMyWiFiDirectIPAddress.rfind("192.168.137.", 0), 0u);

    // its menu asks and disconnects it
    m_answer = 1;
    m_onModal = nullptr;
    MarkCalls();
    ChoosePeerMenu("Living-R..");
    ASSERT_TRUE(WaitForEvents());
    const std::vector<std::string> cut = Lines("WVWL_DisConnectWifiDirectPerDevice");
    ASSERT_EQ(cut.size(), 1u);
    EXPECT_NE(cut[0].find("02-50-F2-AA-00-01"), std::string::npos);
    EXPECT_EQ(QueuedEvents(), "10 6");
    EXPECT_EQ(FormWiFiDirect->m_WiFiDirectWvstatus, uint32_t(WvStatus_Disconnected));
    EXPECT_EQ(FormWiFiDirect->n1stOrderDeviceNum, 0);
}

// A peer whose WPS exchange takes 4 s: the progress box runs its real modal loop; its bar
// shows the step its label shows from the start, and once the link is up it runs out and
// closes.
TEST_F(WiFiDirectFlows, TheProgressBoxMovesWhileASlowPeerConnectsAndClosesWhenTheLinkIsUp)
{
    m_scenarioEdit = [](TScenario& s) { s.Set("P2PPeer.TV", "WpsTime", "4000"); };
    Start();
    TurnOn();
    Scan();
    FinishWizardWith(WIFI_DIRECT_WPSE_PBC_MODE, 7);
    const auto wizard = m_onModal;
    bool shown = false;
    DWORD closedAt = 0;
    g_progress.clear();
    s_self = this;
    g_midway = {};
    m_onModal = [&](const std::string& what) {
        if (what.rfind("FormProgressMsg", 0) != 0) {
            wizard(what);
            return;
        }
        shown = true;
        const auto answer = seams::modalAnswer;
        seams::modalAnswer = nullptr;
        const UINT_PTR sampler = SetTimer(nullptr, 0, 40, SampleProgress);
        const UINT_PTR midway = SetTimer(nullptr, 0, 1200, ShootMidway);
        FormProgressMsg->ShowModal();
        closedAt = GetTickCount();
        KillTimer(nullptr, sampler);
        KillTimer(nullptr, midway);
        seams::modalAnswer = answer;
    };
    ChoosePeerMenu("Living-R..");
    ASSERT_TRUE(PumpUntil([&] { return shown && !FormProgressMsg->Visible(); }, 20000));
    ASSERT_TRUE(WaitForEvents());
    EXPECT_EQ(FormWiFiDirect->m_WiFiDirectWvstatus, uint32_t(WvStatus_Connected));
    ASSERT_TRUE(g_midway.taken) << "the box was not up midway";
    EXPECT_FALSE(g_midway.connected);
    EXPECT_EQ(g_midway.bar, FormProgressMsg->ImgProgressBarBack->Width() / 10) << "an empty bar midway";

    ASSERT_FALSE(g_progress.empty());
    const int full = FormProgressMsg->ImgProgressBarBack->Width();
    const auto firstLink = std::find_if(g_progress.begin(), g_progress.end(), [](const ProgressSample& p) { return p.connected; });
    ASSERT_NE(firstLink, g_progress.begin()) << "the box showed while the peer was still connecting";
    for (auto p = g_progress.begin(); p != firstLink; ++p) {
        EXPECT_EQ(p->bar, full / 10) << "while connecting the bar shows its 10%";
        EXPECT_NE(p->label.find("10%"), std::string::npos) << p->label;
    }
    int steps = 0;
    for (size_t i = 1; i < g_progress.size(); ++i) {
        EXPECT_GE(g_progress[i].bar, g_progress[i - 1].bar) << i;
        steps += g_progress[i].bar > g_progress[i - 1].bar;
    }
    EXPECT_GE(steps, 5) << "the bar runs out step by step";
    ASSERT_NE(firstLink, g_progress.end()) << "the box was gone before the link was up";
    EXPECT_LT(closedAt - firstLink->at, 3000u) << "the box closes soon after the link is up";
}

// Each slot's connection mark is its built-in line at the size and place the slot needs: from
// just outside the slot's picture and label to just outside this device's picture (the middle
// device's for the sub-group), crossing no other device picture and taking no clicks.
TEST_F(WiFiDirectFlows, EveryConnectionMarkIsALineFromItsSlotToTheDeviceItLinks)
{
    Start();
    TImage* lines[7] = {FormResource->ImgConnectLine0, FormResource->ImgConnectLine1, FormResource->ImgConnectLine2,
                        FormResource->ImgConnectLine3, FormResource->ImgConnectLine4, FormResource->ImgConnectLine2_0,
                        FormResource->ImgConnectLine2_1};
    for (int slot = 0; slot < 7; ++slot) {
        SCOPED_TRACE("slot " + std::to_string(slot));
        TImage* mark = Mark(slot);
        POINT from{}, to{};
        const RECT place = FormWiFiDirect->ConnectionMarkRect(slot, &from, &to);
        EXPECT_EQ(mark->Left(), place.left);
        EXPECT_EQ(mark->Top(), place.top);
        const TPicture& line = lines[slot]->Picture();
        ASSERT_EQ(line.Width(), mark->Width()) << "the picture is drawn at the size the slot needs";
        ASSERT_EQ(line.Height(), mark->Height());
        EXPECT_FALSE(mark->Enabled());
        // a visible line: long enough, opaque at both ends and halfway, clear at the other corners
        EXPECT_GE(std::max(std::abs(from.x - to.x), std::abs(from.y - to.y)), 15);
        const POINT a{from.x - place.left, from.y - place.top}, b{to.x - place.left, to.y - place.top};
        EXPECT_GT(line.Alpha(a.x, a.y), 200);
        EXPECT_GT(line.Alpha(b.x, b.y), 200);
        EXPECT_GT(line.Alpha((a.x + b.x) / 2, (a.y + b.y) / 2), 200);
        const int right = line.Width() - 1, bottom = line.Height() - 1;
        const bool falling = (a.y < b.y) == (a.x < b.x);  // top left to bottom right
        EXPECT_LT(line.Alpha(falling ? right : 0, 0), 60);
        EXPECT_LT(line.Alpha(falling ? 0 : right, bottom), 60);
        // its slot end is beside the slot, its other end beside the device it links
        const TImage* target = slot >= 5 ? FormWiFiDirect->ImgDevice2 : FormWiFiDirect->ImgWiFiDirectOn;
        // how far a point lies outside the picture a control shows
        auto distance = [](const TImage* image, POINT p) {
            const int left = image->Left(), top = image->Top();
            const int right = left + image->Picture().Width(), bottom = top + image->Picture().Height();
            const int dx = std::max({left - int(p.x), 0, int(p.x) - right});
            const int dy = std::max({top - int(p.y), 0, int(p.y) - bottom});
            return std::max(dx, dy);
        };
        EXPECT_LE(distance(target, to), 16);
        EXPECT_LE(distance(Picture(slot), from), 30);  // below the label at most
        for (int other = 0; other < 7; ++other) {
            const TImage* p = Picture(other);
            RECT picture{p->Left(), p->Top(), p->Left() + 48, p->Top() + 48}, overlap{};
            EXPECT_FALSE(IntersectRect(&overlap, &place, &picture)) << "covers the picture of slot " << other;
        }
    }
    // all seven at once, for a look
    FormWiFiDirect->Show();
    for (int slot = 0; slot < 7; ++slot) {
        Picture(slot)->Show();
        Mark(slot)->Show();
    }
    Pump(50);
    Snapshot("wifidirect_all_marks");
}

// The simulator's groups: a peer that owns the group names it "DIRECT-" plus two characters
// and its name and runs it on a real channel; a group this device owns after negotiation ends
// when its last client leaves.
TEST_F(WiFiDirectFlows, ANegotiatedGroupWeOwnHasItsNameAndChannelAndEndsWithItsLastClient)
{
    m_scenarioEdit = [](TScenario& s) { s.Set("P2PPeer.TV", "Intent", "3"); };
    Start();
    TurnOn();
    Scan();
    FinishWizardWith(WIFI_DIRECT_WPSE_PBC_MODE, 12);
    MarkCalls();
    ChoosePeerMenu("Living-R..");
    ASSERT_TRUE(PumpUntil([&] { return FormWiFiDirect->m_WiFiDirectWvstatus == WvStatus_Connected; }));
    ASSERT_TRUE(WaitForEvents());
    EXPECT_EQ(FormWiFiDirect->m_ulMyRule, uint32_t(WIFI_DIRECT_IS_GO));
    const std::string ssid = FormWiFiDirect->m_strMySSID;
    EXPECT_EQ(ssid.rfind("DIRECT-", 0), 0u) << ssid;
    EXPECT_EQ(ssid.size(), 9 + FormWiFiDirect->m_strMyDeviceName.size()) << ssid;
    EXPECT_EQ(ssid.substr(9), FormWiFiDirect->m_strMyDeviceName) << ssid;
    const std::vector<std::string> wps = Lines("WVWL_SetWPSMode");
    ASSERT_EQ(wps.size(), 1u);
    EXPECT_NE(wps[0].find("ssid \"" + ssid + "\""), std::string::npos) << wps[0];
    EXPECT_NE(wps[0].find(" channel 11 config 2"), std::string::npos) << wps[0];

    MarkCalls();
    ASSERT_TRUE(Sim(std::string("p2p leave ") + kTv));
    ASSERT_TRUE(WaitForEvents());
    EXPECT_EQ(QueuedEvents(), "9 10 6 2");
    EXPECT_EQ(FormWiFiDirect->m_WiFiDirectWvstatus, uint32_t(WvStatus_Disconnected));
    EXPECT_NE(FormWiFiDirect->MyDeviceData.nRule, WIFI_DIRECT_IS_GO);
    EXPECT_FALSE(FormWiFiDirect->ImgIm_GO->Visible());
    WIFI_DIRECT_IP_INFO ip{};
    EXPECT_NE(VOZEZIV.WVWL_GetWifiDirectIP(&ip), WVWL_ERROR_SUCCESS) << "the ended group keeps no address";
}

TEST_F(WiFiDirectFlows, APeerThatLeavesDisappearsFromTheRing)
{
    Start();
    TurnOn();
    Scan();
    ASSERT_GE(SlotOf("Living-R.."), 0);
    MarkCalls();
    ASSERT_TRUE(Sim(std::string("p2p remove ") + kTv));
    ASSERT_TRUE(WaitForEvents());
    EXPECT_EQ(QueuedEvents(), "6 2");
    EXPECT_EQ(SlotOf("Living-R.."), -1);
    EXPECT_GE(SlotOf("Kitchen-.."), 0);
    EXPECT_EQ(FormWiFiDirect->n1stOrderDeviceNum, 1);
    EXPECT_EQ(FormWiFiDirect->m_nIndexInVecForDevice0, -2);
}

// The negotiation outcomes by intent, and the errors a peer answers, as the user sees them.
struct IntentCase {
    uint32_t ours;
    const char* peerIntent;
    const char* events;
    uint32_t role;        // ours after the link, 0: no link
    const char* message;  // shown text, or empty
};

class IntentOutcome : public WiFiDirectFlows, public ::testing::WithParamInterface<IntentCase> {};

TEST_P(IntentOutcome, DecidesTheRolesOrFails)
{
    const IntentCase& c = GetParam();
    m_scenarioEdit = [&c](TScenario& s) { s.Set("P2PPeer.TV", "Intent", c.peerIntent); };
    Start();
    TurnOn();
    Scan();
    FinishWizardWith(WIFI_DIRECT_WPSE_PBC_MODE, c.ours);
    MarkCalls();
    m_modals.clear();
    ChoosePeerMenu("Living-R..");
    ASSERT_TRUE(WaitForEvents());
    Pump(200);
    EXPECT_EQ(QueuedEvents(), c.events);
    if (c.role) {
        EXPECT_EQ(FormWiFiDirect->m_ulMyRule, c.role);
        EXPECT_EQ(FormWiFiDirect->m_WiFiDirectWvstatus, uint32_t(WvStatus_Connected));
    }
    if (*c.message) {
        bool shown = false;
        for (const std::string& m : m_modals)
            shown = shown || m.find(c.message) != std::string::npos;
        EXPECT_TRUE(shown) << c.message;
    }
}

INSTANTIATE_TEST_SUITE_P(
    WiFiDirectNegotiation, IntentOutcome,
    ::testing::Values(IntentCase{15, "3", "3 5 6 8 22", WIFI_DIRECT_IS_GO, ""},
                      IntentCase{0, "12", "3 5 6 22", WIFI_DIRECT_IS_CLIENT, ""},
                      IntentCase{15, "15", "21", 0, "Both devices want to be group owner"}));

TEST_F(WiFiDirectFlows, APeersRequestShowsOneBalloonAndOpensTheWizardOnce)
{
    Start();
    TurnOn();
    Scan();
    m_modals.clear();
    MarkCalls();
    ASSERT_TRUE(Sim(std::string("p2p request ") + kTv));
    ASSERT_TRUE(WaitForEvents());
    ASSERT_TRUE(Sim(std::string("p2p request ") + kTv));
    ASSERT_TRUE(WaitForEvents());
    int wizards = 0;
    for (const std::string& m : m_modals)
        wizards += m.rfind("FormWiFiDirectSetting", 0) == 0;
    EXPECT_EQ(wizards, 1);
    EXPECT_EQ(FormWiFiDirectSetting->m_enumActionTpye, uint32_t(ACTION_GET_CONNECT_REQUEST));
    EXPECT_EQ(FormWiFiDirect->m_strConnectMac, "02-50-F2-AA-00-01");
    EXPECT_EQ(FormWiFiDirect->m_nPopWiFiDirectSettingWindows, 15);
    EXPECT_FALSE(FormWiFiDirect->m_bPopWiFiDirectSettingWindows);
}

// A saved group comes back by itself when its owner is found again while the station is idle.
TEST_F(WiFiDirectFlows, APersistentGroupReconnectsWhenItsOwnerReturns)
{
    Start();
    VOZEZIV.bSupportP2PAutoReconnect = 1;
    VOZEZIV.bSupportWiFiDirectPersist = 1;
    TurnOn();
    Scan();
    FinishWizardWith(WIFI_DIRECT_WPSE_PBC_MODE, 0);
    ChoosePeerMenu("Living-R..");
    ASSERT_TRUE(PumpUntil([&] { return FormWiFiDirect->m_WiFiDirectWvstatus == WvStatus_Connected; }));
    ASSERT_TRUE(WaitForEvents());
    ASSERT_EQ(Lines("WVWL_WriteWifiDirectWpseProfile").size(), 1u);

    ASSERT_TRUE(Sim(std::string("p2p remove ") + kTv));
    ASSERT_TRUE(WaitForEvents());
    EXPECT_EQ(SlotOf("Living-R.."), -1);
    MarkCalls();
    ASSERT_TRUE(Sim(std::string("p2p return ") + kTv));
    ASSERT_TRUE(WaitForEvents());
    ASSERT_TRUE(PumpUntil([&] { return SlotOf("Living-R..") >= 0 && Mark(SlotOf("Living-R.."))->Visible(); }));
    const std::vector<std::string> applies = Lines("WVWL_SetWifiDirectWpseConfig");
    ASSERT_EQ(applies.size(), 1u);
    EXPECT_NE(applies[0].find("mode=3 "), std::string::npos);
    EXPECT_NE(applies[0].find("peer=02-50-F2-AA-00-01"), std::string::npos);
    EXPECT_NE(applies[0].find("ssid=DIRECT-BALiving-Room-TV"), std::string::npos);
    // no WPS exchange: the saved group is re-invoked
    EXPECT_TRUE(Lines("WVWL_SetWPSMode").empty());
    EXPECT_FALSE(FormWiFiDirect->m_bAutoReconnect == TRUE && FormWiFiDirect->m_ulMyRule != WIFI_DIRECT_IS_CLIENT);
}

// The window thread is slow to fetch (each query waits 700 ms, so the simulator signals the
// waiting record again) and a warning stays open a while, its message loop running: every
// queued record is still handled once, in the order queued, and none is lost.
TEST_F(WiFiDirectFlows, EventsWaitingForASlowWindowAreEachHandledOnceInOrder)
{
    Start();
    TurnOn();
    std::vector<std::string> warnings;
    m_onModal = [&](const std::string& what) {
        if (what.rfind("FormMessageBox", 0) != 0)
            return;
        warnings.push_back(FormMessageBox->m_strMessage);
        Pump(1500);  // read by the user while more event messages arrive
    };
    MarkCalls();
    ASSERT_TRUE(Sim("p2p delay 700"));
    ASSERT_TRUE(Sim("p2p error 5"));
    ASSERT_TRUE(Sim("p2p event 1"));
    ASSERT_TRUE(Sim("p2p error 7"));
    ASSERT_TRUE(Sim("p2p event 22"));
    ASSERT_TRUE(Sim("p2p event 4"));
    ASSERT_TRUE(WaitForEvents(60000));
    ASSERT_TRUE(Sim("p2p delay 0"));
    // messages that were put off meanwhile find nothing more to fetch
    ASSERT_TRUE(PumpUntil([] { return FormWiFiDirect->m_nDeferredEvents == 0; }));
    Pump(800);
    EXPECT_EQ(HandledEvents(), "ERROR_CODE DISCOVERY_START ERROR_CODE CONNECT_COMPLETE STATUS_WPS_FAIL");
    ASSERT_EQ(warnings.size(), 2u);
    EXPECT_NE(warnings[0], warnings[1]);
    EXPECT_EQ(FormWiFiDirect->m_WiFiDirectWvstatus, WvStatus_Connected);
    EXPECT_TRUE(Logged("message deferred")) << "no event message came during a warning: the test shows nothing";
    EXPECT_FALSE(Logged(" dropped"));
    EXPECT_EQ(CallsSinceMark("WVWL_DisConnectWifiDirectPerDevice"), 2);
}

// The automatic reconnection to a returning peer is refused, and disarmed, whenever one of its
// conditions fails; the refused peer is neither disconnected nor connected again.
struct RefusalCase {
    const char* name;
    const char* simCommand;  // what the adapter is told, or null
    void (*breakIt)();       // what the program's side is made to hold, or null
    const char* returnCommand;
};

void PrintTo(const RefusalCase& c, std::ostream* os)
{
    *os << c.name;
}

class AutoReconnectRefusal : public WiFiDirectFlows, public ::testing::WithParamInterface<RefusalCase> {};

TEST_P(AutoReconnectRefusal, TheReturningPeerIsOnlyShown)
{
    const RefusalCase& c = GetParam();
    Start();
    VOZEZIV.bSupportP2PAutoReconnect = 1;
    VOZEZIV.bSupportWiFiDirectPersist = 1;
    ConnectToTheTelevisionAndLoseIt();
    if (HasFatalFailure())
        return;
    if (c.simCommand) {
        ASSERT_TRUE(Sim(c.simCommand)) << c.simCommand;
    }
    if (c.breakIt)
        c.breakIt();
    MarkCalls();
    ASSERT_TRUE(Sim(c.returnCommand));
    ASSERT_TRUE(WaitForEvents());
    ASSERT_TRUE(PumpUntil([&] { return SlotOf("Living-R..") >= 0; }));
    Pump(300);
    EXPECT_TRUE(Lines("WVWL_SetWifiDirectWpseConfig").empty());
    EXPECT_EQ(CallsSinceMark("WVWL_DisConnectWifiDirectPerDevice"), 0);
    EXPECT_FALSE(Mark(SlotOf("Living-R.."))->Visible());
    EXPECT_EQ(FormWiFiDirect->m_bAutoReconnect, FALSE);
}

void SwitchPersistentGroupsOff()
{
    VOZEZIV.WVWL_SetAndWriteP2PPersist(0);
}

void MakeTheTabletProfileActive()
{
    WIFIDIRECT_WPSE_PROFILE r{};
    std::strcpy(r.ProfileName, "Profile-Kitchen-Tablet");
    const uint8_t tablet[6] = {0x02, 0x50, 0xF2, 0xAA, 0x00, 0x02};
    std::memcpy(r.DesiredMacAddr[0], tablet, 6);
    r.DesiredMacCount = 1;
    r.ConfigMode = CONFIG_MODE_CONNECT;
    VOZEZIV.WVWL_WriteWifiDirectWpseProfile(r.ProfileName, &r);
    char name[128] = "Profile-Kitchen-Tablet";
    VOZEZIV.WVWL_WriteActiveWifiDirectWpseProfileName(name);
}

void MarkTheActiveGroupLeft()
{
    char name[129] = {};
    VOZEZIV.WVWL_ReadActiveWifiDirectWpseProfileName(name);
    VOZEZIV.WVWL_UpdateWifiDirectWpseProfileForDisconnect(name);
}

const char* const kTvReturns = "p2p return 02:50:F2:AA:00:01";

INSTANTIATE_TEST_SUITE_P(
    WiFiDirectPersist, AutoReconnectRefusal,
    ::testing::Values(
        RefusalCase{"persistent groups switched off", nullptr, SwitchPersistentGroupsOff, kTvReturns},
        RefusalCase{"another peer's profile is active", nullptr, MakeTheTabletProfileActive, kTvReturns},
        RefusalCase{"the active profile's group was left", nullptr, MarkTheActiveGroupLeft, kTvReturns},
        RefusalCase{"Windows has profiles of its own", "inject WVWL_WlanNumOfAvailableWindowsProfile * 1", nullptr,
                    kTvReturns},
        RefusalCase{"no persistent entry for the peer", "inject WVWL_ReadWifiDirectWpsePerstEntry * 0", nullptr,
                    kTvReturns},
        // the television comes back with a saved group in which this device was the owner
        RefusalCase{"this device owned the saved group", nullptr, nullptr,
                    "p2p add Living-Room-TV 02:50:F2:AA:00:01 Category=0x0700 SubCategory=0x0100 ConfigMethods=0x0188 "
                    "Intent=12 PersistentRole=1"}));

// A peer's request for a peer that shows its PIN: with the PIN dialog setting off, the request
// page opens without a modal loop and goes on at once; otherwise it waits for the user.
struct RequestPageCase {
    int pinDialog;         // [WiFiDirect] SupportWPSDisplayPinDialog
    const char* methods;   // the requesting peer's configuration methods
    bool goesOnAtOnce;
};

void PrintTo(const RequestPageCase& c, std::ostream* os)
{
    *os << "dialog " << c.pinDialog << " methods " << c.methods;
}

class RequestPage : public WiFiDirectFlows, public ::testing::WithParamInterface<RequestPageCase> {};

TEST_P(RequestPage, OpensModallyUnlessThePeerShowsItsPinAndTheDialogIsOff)
{
    const RequestPageCase& c = GetParam();
    Start();
    VOZEZIV.bSupportWPSDisplayPinDialog = c.pinDialog;
    TurnOn();
    ASSERT_TRUE(Sim(std::string("p2p add Phone-D 02:50:F2:AA:00:09 ConfigMethods=") + c.methods));
    ASSERT_TRUE(WaitForEvents());
    m_modals.clear();
    MarkCalls();
    ASSERT_TRUE(Sim("p2p request 02:50:F2:AA:00:09"));
    ASSERT_TRUE(WaitForEvents());
    int modalWizards = 0;
    for (const std::string& m : m_modals)
        modalWizards += m.rfind("FormWiFiDirectSetting", 0) == 0;
    EXPECT_EQ(modalWizards, c.goesOnAtOnce ? 0 : 1);
    std::vector<std::string> applies;
    for (const std::string& line : Lines("WVWL_SetWifiDirectWpseConfig"))
        if (line.find("(mode=3 ") != std::string::npos)
            applies.push_back(line);
    if (!c.goesOnAtOnce) {
        EXPECT_TRUE(applies.empty());
        return;
    }
    ASSERT_EQ(applies.size(), 1u) << SimJournal();
    EXPECT_NE(applies[0].find("peer=02-50-F2-AA-00-09"), std::string::npos) << applies[0];
    // the peer's PIN method goes on to the connection
    EXPECT_NE(applies[0].find("method=0x80000000"), std::string::npos) << applies[0];
    EXPECT_TRUE(PumpUntil([] { return FormWiFiDirect->m_WiFiDirectWvstatus == WvStatus_Connected; })) << SimJournal();
}

INSTANTIATE_TEST_SUITE_P(WiFiDirectRequest, RequestPage,
                         ::testing::Values(RequestPageCase{0, "0x0100", true}, RequestPageCase{0, "0x0080", false},
                                           RequestPageCase{1, "0x0100", false}));

}  // namespace
