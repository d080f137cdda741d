// The topology view: which slots a model fills and with which pictures, and how presses,
// drags, rotation buttons and the wheel turn the ring and the sub-group. Every input goes
// through the window procedure as mouse messages.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "resources/FormResource.h"
#include "wifidirect/wifidirect_fixture.h"
#include "../ui/UiTestSupport.h"

namespace {

struct Peer {
    std::string name;
    uint16_t category = 0x0100;
    int members = 0;  // members of its group besides itself
    uint8_t rule = 2;
};

bool SamePicture(const TPicture& a, const TPicture& b)
{
    if (a.Width() != b.Width() || a.Height() != b.Height())
        return false;
    for (int y = 0; y < a.Height(); ++y)
        for (int x = 0; x < a.Width(); ++x)
            if (a.Pixel(x, y) != b.Pixel(x, y))
                return false;
    return true;
}

class WiFiDirectTopology : public WiFiDirectFixture {
protected:
    void TearDown() override
    {
        if (!m_skin.empty())
            DeleteFileA(m_skin.c_str());
        WiFiDirectFixture::TearDown();
    }

    // Starts the program with Wi-Fi Direct on and the window shown on an empty model.
    void StartShown()
    {
        Start();
        FormWiFiDirect->m_bEnableWiFiDirect = TRUE;
        FormWiFiDirect->m_bDisableScan = TRUE;
        FormWiFiDirect->ShowWiFiDirectState(true);
        FormWiFiDirect->Show();
        Pump(20);
    }

    // Delivers one discovery record with these peers (each followed by its members) into an
    // empty model.
    void ShowPeers(const std::vector<Peer>& peers)
    {
        FormWiFiDirect->m_vecTopology.clear();
        WIFI_DIRECT_STATUS s = Event(WIFIDIRECTEVENT_STATUS_UPDATE_DISCOVERY);
        WIFI_DIRECT_DISCOVERY_TABLE& d = s.WifiDirectStateContext.Discovery;
        size_t at = 0;
        uint8_t mac = 0x10;
        auto add = [&](const std::string& name, uint16_t category, uint8_t group, uint8_t rule) {
            WIFI_DIRECT_DISCOVERY_ENTRY& e = d.DiscoveryEntry[at++];
            e.chNoOfThisGroup = group;
            e.nRule = rule;
            const uint8_t address[6] = {0x02, 0x50, 0xF2, 0xAA, 0x00, mac++};
            std::memcpy(e.chMacAddr, address, 6);
            e.nPrimaryDeviceType.CategoryID = category;
            std::memcpy(e.chDeviceName, name.data(), name.size());
            e.ulStringLen = uint32_t(name.size());
        };
        for (const Peer& p : peers) {
            add(p.name, p.category, uint8_t(p.members + 1), p.rule);
            for (int m = 0; m < p.members; ++m)
                add(p.name + "-m" + std::to_string(m), 0x0A00, 1, 2);
        }
        d.chTotalNumber = uint8_t(at);
        Deliver(s);
    }

    static std::vector<Peer> Plain(int count)
    {
        std::vector<Peer> peers;
        for (int i = 0; i < count; ++i)
            peers.push_back({"P" + std::to_string(i)});
        return peers;
    }

    // Pictures of slots 0, 1, 2, 3, 4, 2_0 and 2_1.
    TImage* Picture(int slot) const
    {
        TFormWiFiDirect* w = FormWiFiDirect;
        TImage* p[7] = {w->ImgDevice0, w->ImgDevice1, w->ImgDevice2, w->ImgDevice3, w->ImgDevice4, w->ImgDevice2_0, w->ImgDevice2_1};
        return p[slot];
    }
    TLabel* Label(int slot) const
    {
        TFormWiFiDirect* w = FormWiFiDirect;
        TLabel* l[7] = {w->lblDevice0, w->lblDevice1, w->lblDevice2, w->lblDevice3, w->lblDevice4, w->lblDevice2_0, w->lblDevice2_1};
        return l[slot];
    }
    // "x" for a shown slot, "." for an empty one, in slot order 0 1 2 3 4 2_0 2_1.
    std::string Shown() const
    {
        std::string mask;
        for (int slot = 0; slot < 7; ++slot)
            mask += Picture(slot)->Visible() ? 'x' : '.';
        return mask;
    }
    std::string Labels() const
    {
        std::string text;
        for (int slot = 0; slot < 7; ++slot)
            text += (slot ? "|" : "") + (Label(slot)->Visible() ? Label(slot)->Caption() : std::string());
        return text;
    }

    static HWND Window() { return FormWiFiDirect->Handle(); }

    // Presses the left button at (dx, dy) inside the picture, moves by (mx, my) and releases.
    static void Drag(TControl* c, int mx, int my)
    {
        const int x = c->Left() + 20, y = c->Top() + 20;
        SendMessageA(Window(), WM_MOUSEMOVE, 0, MAKELPARAM(x, y));
        SendMessageA(Window(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
        SendMessageA(Window(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x + mx, y + my));
        SendMessageA(Window(), WM_LBUTTONUP, 0, MAKELPARAM(x + mx, y + my));
    }
    static void Click(TControl* c)
    {
        const int x = c->Left() + c->Width() / 2, y = c->Top() + c->Height() / 2;
        SendMessageA(Window(), WM_MOUSEMOVE, 0, MAKELPARAM(x, y));
        SendMessageA(Window(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
        SendMessageA(Window(), WM_LBUTTONUP, 0, MAKELPARAM(x, y));
    }
    // A wheel notch with the pointer at (x, y) of the window's client area.
    static void Wheel(int x, int y, int delta)
    {
        POINT p = {x, y};
        ClientToScreen(Window(), &p);
        SendMessageA(Window(), WM_MOUSEWHEEL, MAKEWPARAM(0, short(delta)), MAKELPARAM(p.x, p.y));
    }

    // Shows the rotation buttons through a skin file, as a skin that offers them does.
    void ShowRotationButtons()
    {
        char folder[MAX_PATH] = {};
        GetTempPathA(sizeof folder, folder);
        m_skin = std::string(folder) + "wevo_topology_skin_" + std::to_string(GetCurrentProcessId()) + ".ini";
        FILE* f = std::fopen(m_skin.c_str(), "w");
        ASSERT_NE(f, nullptr);
        std::fputs("[WiFiDirectForm]\nBtnRotationClockwisePos=1,120,20\nBtnRotationCounterPos=1,160,20\n"
                   "BtnRotationClockwise_subPos=1,300,20\nBtnRotationCounter_subPos=1,365,200\n",
                   f);
        std::fclose(f);
        FormWiFiDirect->ApplySkinPlacement(m_skin);
        ASSERT_TRUE(FormWiFiDirect->m_bShowRotationButton);
    }

    std::string m_skin;
};

TEST_F(WiFiDirectTopology, SlotPicturesStandAtTheirDefaultPlaces)
{
    StartShown();
    const RECT expected[7] = {{33, 78, 86, 131},   {106, 92, 159, 145},  {179, 114, 232, 167}, {216, 179, 269, 232},
                              {231, 248, 284, 301}, {288, 57, 338, 107}, {306, 132, 356, 182}};
    for (int slot = 0; slot < 7; ++slot) {
        const RECT r = Picture(slot)->BoundsRect();
        EXPECT_EQ(r.left, expected[slot].left) << slot;
        EXPECT_EQ(r.top, expected[slot].top) << slot;
        EXPECT_EQ(r.right, expected[slot].right) << slot;
        EXPECT_EQ(r.bottom, expected[slot].bottom) << slot;
    }
    EXPECT_EQ(FormWiFiDirect->grpBoxDeivceInfo->Top(), 315);
    EXPECT_LE(FormWiFiDirect->grpBoxDeivceInfo->Top() + FormWiFiDirect->grpBoxDeivceInfo->Height(),
              FormWiFiDirect->ClientHeight());
}

struct SlotCase {
    int peers;
    int middleMembers;  // members of the peer that comes to the middle slot
    const char* shown;
    int ringStart;
};

class TopologySlots : public WiFiDirectTopology, public ::testing::WithParamInterface<SlotCase> {};

TEST_P(TopologySlots, CountsOfPeersAndMembersFillTheSlots)
{
    const SlotCase& c = GetParam();
    StartShown();
    std::vector<Peer> peers = Plain(c.peers);
    const int middle = c.peers == 1 ? 0 : c.peers <= 3 ? 1 : 2;
    peers[size_t(middle)].members = c.middleMembers;
    ShowPeers(peers);
    EXPECT_EQ(FormWiFiDirect->n1stOrderDeviceNum, c.peers);
    EXPECT_EQ(FormWiFiDirect->m_nIndexInVecForDevice0, c.ringStart);
    EXPECT_EQ(Shown(), c.shown);
    EXPECT_EQ(Label(2)->Caption(), "P" + std::to_string(middle));
}

INSTANTIATE_TEST_SUITE_P(Table, TopologySlots,
                         ::testing::Values(SlotCase{1, 0, "..x....", -2}, SlotCase{2, 0, ".xx....", -1},
                                           SlotCase{3, 0, ".xxx...", -1}, SlotCase{4, 0, "xxxx...", 0},
                                           SlotCase{5, 0, "xxxxx..", 0}, SlotCase{7, 0, "xxxxx..", 0},
                                           SlotCase{1, 1, "..x..x.", -2}, SlotCase{3, 2, ".xxx.xx", -1},
                                           SlotCase{5, 4, "xxxxxxx", 0}));

TEST_F(WiFiDirectTopology, PicturesFollowTheDeviceTypeAndOwnersWithMembersShowTheOwnerPicture)
{
    StartShown();
    ShowPeers({{"Printer", 0x0300}, {"Television", 0x0700, 1, 1}, {"Camera", 0x0400}, {"Twelve-chars", 0x0900}});
    TFormResource* r = FormResource;
    ASSERT_NE(r, nullptr);
    // four devices: slots 0 to 3
    EXPECT_TRUE(SamePicture(Picture(0)->Picture(), r->ImgDevicePrinter->Picture()));
    EXPECT_TRUE(SamePicture(Picture(1)->Picture(), r->ImgDeviceTV_Owner->Picture()));
    EXPECT_TRUE(SamePicture(Picture(2)->Picture(), r->ImgDeviceCamera->Picture()));
    EXPECT_TRUE(SamePicture(Picture(3)->Picture(), r->ImgDeviceUnknown->Picture()));
    EXPECT_FALSE(SamePicture(r->ImgDeviceTV->Picture(), r->ImgDeviceTV_Owner->Picture()));
    EXPECT_TRUE(FormWiFiDirect->ImgDevice1_GO->Visible());
    EXPECT_FALSE(FormWiFiDirect->ImgDevice0_GO->Visible());
    EXPECT_EQ(Labels(), "Printer|Televisi..|Camera|Twelve-c..|||");
    EXPECT_EQ(Picture(3)->Hint(), "Twelve-chars");
    Snapshot("topology_peers");

    // the owner's member in the sub-group shows the plain picture of its own type
    Click(Picture(1));
    EXPECT_EQ(Label(2)->Caption(), "Televisi..");
    EXPECT_TRUE(SamePicture(Picture(5)->Picture(), r->ImgDeviceSmartphone->Picture()));
    EXPECT_TRUE(FormWiFiDirect->ImgConnectDevice2_0->Visible());
}

TEST_F(WiFiDirectTopology, NamesOfEightCharactersShowWholeAndNineAreCut)
{
    StartShown();
    ShowPeers({{"Eight-ch"}, {"Nine-char"}});
    EXPECT_EQ(Labels(), "|Eight-ch|Nine-cha..||||");
}

TEST_F(WiFiDirectTopology, RotationButtonsTurnTheRingWithinItsRange)
{
    StartShown();
    ShowRotationButtons();
    ShowPeers(Plain(3));
    ASSERT_EQ(Shown(), ".xxx...");
    ASSERT_TRUE(FormWiFiDirect->BtnRotationClockwise->Visible());
    ASSERT_TRUE(FormWiFiDirect->BtnRotationCounter->Visible());

    Click(FormWiFiDirect->BtnRotationClockwise);
    EXPECT_EQ(Shown(), "..xxx..");
    EXPECT_EQ(Labels(), "||P0|P1|P2||");
    // the ring does not turn beyond its end but is drawn again
    EXPECT_FALSE(FormWiFiDirect->BtnRotationClockwise->Visible());
    FormWiFiDirect->BtnRotationClockwiseClick(nullptr); // hidden, so only code can press it here
    EXPECT_EQ(FormWiFiDirect->m_nIndexInVecForDevice0, -2);

    Click(FormWiFiDirect->BtnRotationCounter);
    Click(FormWiFiDirect->BtnRotationCounter);
    EXPECT_EQ(Shown(), "xxx....");
    EXPECT_EQ(Labels(), "P0|P1|P2||||");
    EXPECT_EQ(FormWiFiDirect->m_nIndexInVecForDevice0, 0);
}

TEST_F(WiFiDirectTopology, SubGroupButtonsTurnTheMembers)
{
    StartShown();
    ShowRotationButtons();
    ShowPeers({{"Owner", 0x0700, 4, 1}});
    ASSERT_EQ(Labels(), "||Owner|||Owner-m0|Owner-m1");
    EXPECT_FALSE(FormWiFiDirect->BtnRotationClockwise_sub->Visible());
    ASSERT_TRUE(FormWiFiDirect->BtnRotationCounter_sub->Visible());
    Click(FormWiFiDirect->BtnRotationCounter_sub);
    Click(FormWiFiDirect->BtnRotationCounter_sub);
    EXPECT_EQ(Labels(), "||Owner|||Owner-m2|Owner-m3");
    EXPECT_FALSE(FormWiFiDirect->BtnRotationCounter_sub->Visible());
    Click(FormWiFiDirect->BtnRotationClockwise_sub);
    EXPECT_EQ(Labels(), "||Owner|||Owner-m1|Owner-m2");
}

TEST_F(WiFiDirectTopology, ClickingAnOwnerWithMembersTurnsItToTheMiddle)
{
    StartShown();
    ShowRotationButtons();
    std::vector<Peer> peers = Plain(7);
    peers[0] = {"Owner", 0x0700, 2, 1};
    peers[4] = {"Far", 0x0700, 1, 1};
    ShowPeers(peers);
    ASSERT_EQ(Labels(), "Owner|P1|P2|P3|Far||");
    Click(Picture(0));
    EXPECT_EQ(Labels(), "||Owner|P1|P2|Owner-m0|Owner-m1");
    Click(Picture(4));
    EXPECT_EQ(Labels(), "||Owner|P1|P2|Owner-m0|Owner-m1") << "P2 owns no group";
    Click(Picture(3));
    EXPECT_EQ(Labels(), "||Owner|P1|P2|Owner-m0|Owner-m1") << "P1 owns no group";
    for (int turn = 0; turn < 3; ++turn)
        ClickControl(FormWiFiDirect->BtnRotationCounter);
    ASSERT_EQ(Labels(), "P1|P2|P3|Far|P5||");
    Click(Picture(3));
    EXPECT_EQ(Labels(), "P2|P3|Far|P5|P6|Far-m0|");
}

// A drag from a slot by (dX, dY): the ring index (or the sub-group index) moves by `turn`.
struct DragCase {
    int slot;
    int dx, dy;
    int turn;  // -1 clockwise, +1 counter-clockwise, 0 none
};

class TopologyDrag : public WiFiDirectTopology, public ::testing::WithParamInterface<DragCase> {};

TEST_P(TopologyDrag, HalfTheDistanceToTheNeighbourSlotTurns)
{
    const DragCase& c = GetParam();
    StartShown();
    std::vector<Peer> peers = Plain(7);
    peers[2].members = 4;
    ShowPeers(peers);
    TFormWiFiDirect* w = FormWiFiDirect;
    w->m_nIndexInVecForDevice2_0 = 1;
    w->UpdateTopology();
    ASSERT_EQ(Shown(), "xxxxxxx");
    Drag(Picture(c.slot), c.dx, c.dy);
    if (c.slot < 5) {
        EXPECT_EQ(w->m_nIndexInVecForDevice0, c.turn);
        EXPECT_EQ(w->m_nIndexInVecForDevice2_0, 1);
    } else {
        EXPECT_EQ(w->m_nIndexInVecForDevice2_0, 1 + c.turn);
    }
}

// Thresholds from the default places: 0->1 (36, 7), 1->2 (36, 11), 2->3 (18, 32),
// 3->4 (7, 34), 2_0->2_1 (9, 37).
INSTANTIATE_TEST_SUITE_P(
    Table, TopologyDrag,
    ::testing::Values(DragCase{0, 37, 8, -1}, DragCase{0, 36, 8, 0}, DragCase{0, 37, 7, 0}, DragCase{0, -37, 6, 1},
                      DragCase{0, -37, -6, 1}, DragCase{0, -37, 7, 0}, DragCase{0, 60, 0, 0},
                      DragCase{1, 37, 12, -1}, DragCase{1, 37, 11, 0}, DragCase{1, -37, -8, 1}, DragCase{1, -37, -7, 0},
                      DragCase{2, 19, 33, -1}, DragCase{2, 18, 33, 0}, DragCase{2, -37, -12, 1}, DragCase{2, -36, -12, 0},
                      DragCase{3, 8, 35, -1}, DragCase{3, -19, -33, 1}, DragCase{3, -18, -33, 0},
                      DragCase{4, 6, 35, -1}, DragCase{4, -6, 35, -1}, DragCase{4, 7, 35, 0}, DragCase{4, -8, -35, 1},
                      DragCase{4, -8, -34, 0}, DragCase{4, 0, 60, 0},
                      DragCase{5, 10, 38, -1}, DragCase{5, 9, 38, 0}, DragCase{5, -10, 36, 1}, DragCase{5, -10, 37, 0},
                      DragCase{6, 8, 38, -1}, DragCase{6, -10, -38, 1}, DragCase{6, -10, -37, 0}));

TEST_F(WiFiDirectTopology, ARightPressSelectsWithoutMovingThePressPoint)
{
    StartShown();
    ShowPeers({{"A&B", 0x0700, 2, 1}});
    TFormWiFiDirect* w = FormWiFiDirect;
    const int x = Picture(2)->Left() + 5, y = Picture(2)->Top() + 5;
    SendMessageA(Window(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    SendMessageA(Window(), WM_LBUTTONUP, 0, MAKELPARAM(x, y));
    EXPECT_EQ(w->m_nMouseDownX, 5);
    EXPECT_EQ(w->m_nMouseDownY, 5);
    SendMessageA(Window(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(x + 10, y + 10));
    EXPECT_EQ(w->m_nMouseDownX, 5);
    EXPECT_EQ(w->m_nMouseDownY, 5);
    EXPECT_EQ(std::string(w->m_SeleteDeviceEntry.chDeviceName), "A&B");
    // the box shows the ampersand itself, the owner and its member count
    EXPECT_NE(w->grpBoxDeivceInfo->Caption().find(" A&&B"), std::string::npos) << w->grpBoxDeivceInfo->Caption();
    EXPECT_EQ(w->lblMACAddress->Caption(), "02-50-F2-AA-00-10");
    EXPECT_NE(w->lblDeviceNum->Caption().find('2'), std::string::npos) << w->lblDeviceNum->Caption();
}

// The wheel: where the pointer is decides the target; one notch in three acts.
struct WheelCase {
    const char* name;
    int members;  // of the middle peer; 0 hides the sub-group
    int x, y;
    int ringTurn, subTurn;
};

void PrintTo(const WheelCase& c, std::ostream* os)
{
    *os << c.name;
}

class TopologyWheel : public WiFiDirectTopology, public ::testing::WithParamInterface<WheelCase> {};

TEST_P(TopologyWheel, ThePointerPicksTheRingOrTheSubGroup)
{
    const WheelCase& c = GetParam();
    StartShown();
    std::vector<Peer> peers = Plain(7);
    peers[2].members = c.members;
    ShowPeers(peers);
    TFormWiFiDirect* w = FormWiFiDirect;
    Wheel(c.x, c.y, -120);
    EXPECT_EQ(w->m_nIndexInVecForDevice0, c.ringTurn);
    EXPECT_EQ(w->m_nIndexInVecForDevice2_0, c.subTurn);
}

INSTANTIATE_TEST_SUITE_P(
    Table, TopologyWheel,
    ::testing::Values(WheelCase{"BelowTheBoxTop", 3, 40, 316, 0, 0}, WheelCase{"AtTheBoxTop", 3, 40, 315, 1, 0},
                      WheelCase{"LeftBelowSlot0", 3, 86, 78, 1, 0}, WheelCase{"RightOfSlot4BelowMember2_1", 3, 285, 250, 0, 1},
                      WheelCase{"AboveTheRingLeft", 3, 100, 50, 0, 0}, WheelCase{"AboveTheMiddle", 3, 200, 50, 0, 1},
                      WheelCase{"RightOfTheMiddle", 3, 300, 160, 0, 1}, WheelCase{"BelowMember2_1", 3, 300, 182, 0, 1},
                      WheelCase{"BetweenMembers", 3, 300, 170, 0, 0},
                      WheelCase{"NoSubGroupTheRingTakesIt", 0, 300, 50, 1, 0}),
    [](const ::testing::TestParamInfo<WheelCase>& info) { return std::string(info.param.name); });

TEST_F(WiFiDirectTopology, OneWheelNotchInThreeTurnsEachTarget)
{
    StartShown();
    std::vector<Peer> peers = Plain(7);
    peers[2].members = 4;
    ShowPeers(peers);
    TFormWiFiDirect* w = FormWiFiDirect;
    // other deltas use a notch without acting
    Wheel(300, 50, 60);
    Wheel(300, 50, -120);
    Wheel(300, 50, -120);
    EXPECT_EQ(w->m_nIndexInVecForDevice2_0, 0);
    Wheel(300, 50, -120);
    EXPECT_EQ(w->m_nIndexInVecForDevice2_0, 1);
    // the ring counts its own notches
    std::vector<int> ring;
    for (int notch = 0; notch < 4; ++notch) {
        Wheel(40, 200, -120);
        ring.push_back(w->m_nIndexInVecForDevice0);
    }
    EXPECT_EQ(ring, (std::vector<int>{1, 1, 1, 2}));
    EXPECT_EQ(w->m_nWheelEvent, 2);
    Wheel(40, 200, 120);
    Wheel(40, 200, 120);
    Wheel(40, 200, 120);
    EXPECT_EQ(w->m_nIndexInVecForDevice0, 1);
}

}  // namespace
