// The peer model, the own address upkeep and the warnings: records in, what the window holds
// and shows out.
#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

#include "core/WvwlLib.h"
#include "wifidirect/WiFiDirectSetting.h"
#include "wifidirect/wifidirect_fixture.h"

namespace {

constexpr uint8_t kSelf = 0x01;

struct Member {
    uint8_t rule;
    uint8_t last;  // last address byte; kSelf is this device
    uint8_t status;
};

struct GroupCase {
    const char* name;
    std::vector<Member> members;
    int elements;
    int subMembers;       // of the first element
    int connectedFirst;   // bConnectToMe of the first element, -1 none
    uint32_t myRule;
    int groupReady;
    int ringStart;
};

void PrintTo(const GroupCase& c, std::ostream* os)
{
    *os << c.name;
}

class WiFiDirectModelTest : public WiFiDirectFixture {
protected:
    void StartOn()
    {
        Start();
        FormWiFiDirect->m_bEnableWiFiDirect = TRUE;
        FormWiFiDirect->m_strMyMacAddress = "02-00-00-00-00-01";
    }
    static void Fill(uint8_t* mac, uint8_t last)
    {
        const uint8_t m[6] = {0x02, 0, 0, 0, 0, last};
        std::memcpy(mac, m, 6);
    }
};

class GroupUpdate : public WiFiDirectModelTest, public ::testing::WithParamInterface<GroupCase> {};

TEST_P(GroupUpdate, RebuildsTheModelFromTheGroupTable)
{
    const GroupCase& c = GetParam();
    StartOn();
    FormWiFiDirect->MyDeviceData.ConfigMethod = 0x0188;
    WIFI_DIRECT_STATUS s = Event(WIFIDIRECTEVENT_STATUS_GROUP_UPDATE);
    s.WifiDirectStateContext.Group.chNumOfGroup = uint8_t(c.members.size());
    for (size_t i = 0; i < c.members.size(); ++i) {
        WIFI_DIRECT_GROUP_ENTRY& e = s.WifiDirectStateContext.Group.WifiDirectGroup[i];
        e.nRule = c.members[i].rule;
        e.EntryStatus = c.members[i].status;
        Fill(e.chMacAddr, c.members[i].last);
        e.ulStringLen = 4;
        std::memcpy(e.chDeviceName, "peer", 4);
    }
    // a stale entry beyond the used count must not be read
    s.WifiDirectStateContext.Group.WifiDirectGroup[c.members.size()].nRule = 2;
    Fill(s.WifiDirectStateContext.Group.WifiDirectGroup[c.members.size()].chMacAddr, 0x77);
    Deliver(s);

    TFormWiFiDirect* w = FormWiFiDirect;
    ASSERT_EQ(int(w->m_vecTopology.size()), c.elements);
    EXPECT_EQ(w->n1stOrderDeviceNum, c.elements);
    if (c.elements) {
        EXPECT_EQ(int(w->m_vecTopology[0].vecSubDeviceList.size()), c.subMembers);
        EXPECT_EQ(int(w->m_vecTopology[0].Device.nNumOfSubMember), c.subMembers);
        EXPECT_EQ(int(w->m_vecTopology[0].Device.bConnectToMe), c.connectedFirst);
    }
    for (const WIFI_DIRECT_TOPOPOGY& t : w->m_vecTopology) {
        EXPECT_NE(t.Device.chMacAddr[5], 0x77);
        for (const DEVICE_ENTRY& d : t.vecSubDeviceList)
            EXPECT_NE(d.chMacAddr[5], 0x77);
    }
    EXPECT_EQ(w->m_ulMyRule, c.myRule);
    EXPECT_EQ(w->MyDeviceData.chMacAddr[5], kSelf);
    EXPECT_EQ(w->MyDeviceData.ConfigMethod, 0x0188);
    EXPECT_EQ(int(w->m_bGroupReady), c.groupReady);
    EXPECT_EQ(w->m_nIndexInVecForDevice0, c.ringStart);
    EXPECT_EQ(w->m_bAutoReconnect, c.myRule == WIFI_DIRECT_IS_CLIENT ? TRUE : FALSE);
}

INSTANTIATE_TEST_SUITE_P(
    WiFiDirectModel, GroupUpdate,
    ::testing::Values(GroupCase{"OnlySelf", {{2, kSelf, 0}}, 0, 0, -1, 2, 0, 0},
                      GroupCase{"ForeignOwnerFirst", {{1, 0x10, 1}, {2, kSelf, 1}, {2, 0x11, 1}}, 1, 1, 1, 2, 1, -2},
                      // the owner stands after a member: only the entries that exist follow it
                      GroupCase{"ForeignOwnerNotFirst", {{2, 0x11, 1}, {1, 0x10, 1}, {2, kSelf, 1}}, 2, 0, 1, 2, 1, -1},
                      GroupCase{"OwnerWithTwoClients", {{1, kSelf, 2}, {2, 0x20, 1}, {2, 0x21, 0}}, 2, 0, 1, 1, 0, -1}));

TEST_F(WiFiDirectModelTest, DiscoveryAppendsGroupsWithTheirMembersAndKeepsDuplicatesUntilTheNextGroupUpdate)
{
    StartOn();
    WIFI_DIRECT_STATUS s = Event(WIFIDIRECTEVENT_STATUS_UPDATE_DISCOVERY);
    WIFI_DIRECT_DISCOVERY_TABLE& d = s.WifiDirectStateContext.Discovery;
    d.chTotalNumber = 4;
    const uint8_t counts[4] = {1, 3, 1, 1};
    for (int i = 0; i < 4; ++i) {
        d.DiscoveryEntry[i].chNoOfThisGroup = counts[i];
        d.DiscoveryEntry[i].nRule = i == 1 ? 1 : 2;
        Fill(d.DiscoveryEntry[i].chMacAddr, uint8_t(0x30 + i));
    }
    // the last group claims more members than entries remain
    d.DiscoveryEntry[3].chNoOfThisGroup = 9;
    Deliver(s);
    TFormWiFiDirect* w = FormWiFiDirect;
    ASSERT_EQ(w->m_vecTopology.size(), 2u);
    EXPECT_EQ(w->m_vecTopology[1].Device.nNumOfSubMember, 2u);
    EXPECT_EQ(w->m_vecTopology[1].vecSubDeviceList[0].nRule, 3);
    EXPECT_EQ(w->m_vecTopology[1].vecSubDeviceList[1].nRule, 3);
    EXPECT_EQ(w->m_nIndexInVecForDevice0, -1);

    Deliver(s);
    EXPECT_EQ(w->m_vecTopology.size(), 4u);
    EXPECT_EQ(w->m_nIndexInVecForDevice0, 0);

    WIFI_DIRECT_STATUS g = Event(WIFIDIRECTEVENT_STATUS_GROUP_UPDATE);
    g.WifiDirectStateContext.Group.chNumOfGroup = 1;
    g.WifiDirectStateContext.Group.WifiDirectGroup[0].nRule = 2;
    Fill(g.WifiDirectStateContext.Group.WifiDirectGroup[0].chMacAddr, kSelf);
    Deliver(g);
    EXPECT_TRUE(w->m_vecTopology.empty());
}

// The own address: taken over only when the library accepts it.
struct IpCase {
    const char* get;   // injected result of WVWL_GetWifiDirectIP, or "" for the simulator's answer
    const char* set;   // injected result of WVWL_SetWifiDirectIP, or ""
    int opMode;
    bool connected;    // the simulated link has an address
    const char* shown;
    int sets;
};

class OwnAddress : public WiFiDirectModelTest, public ::testing::WithParamInterface<IpCase> {};

TEST_P(OwnAddress, FollowsTheLibrary)
{
    const IpCase& c = GetParam();
    StartOn();
    if (c.connected) {
        FinishWizardWith(WIFI_DIRECT_WPSE_PBC_MODE, 15);
        TurnOn();
        std::memcpy(FormWiFiDirect->m_SeleteDeviceEntry.chMacAddr, "\x02\x50\xF2\xAA\x00\x02", 6);
        FormWiFiDirectSetting->m_enumActionTpye = ACTION_CONNECT;
        m_onModal("FormWiFiDirectSetting");
        ASSERT_TRUE(PumpUntil([] { return FormWiFiDirect->m_WiFiDirectWvstatus == WvStatus_Connected; }));
        ASSERT_TRUE(WaitForEvents());
    }
    FormWiFiDirect->m_strMyWiFiDirectIPAddress = "old";
    if (*c.get)
        SimCommand(std::string("inject WVWL_GetWifiDirectIP * ") + c.get);
    if (*c.set)
        SimCommand(std::string("inject WVWL_SetWifiDirectIP * ") + c.set);
    if (c.opMode)
        SimCommand("inject WVWL_QueryOPMode * " + std::to_string(c.opMode));
    MarkCalls();
    FormWiFiDirect->GetAndSetMyIP();
    EXPECT_EQ(FormWiFiDirect->m_strMyWiFiDirectIPAddress, c.shown);
    if (c.sets) {
        EXPECT_GE(CallsSinceMark("WVWL_SetWifiDirectIP"), 1);
    } else {
        EXPECT_EQ(CallsSinceMark("WVWL_SetWifiDirectIP"), 0);
    }
}

INSTANTIATE_TEST_SUITE_P(
    WiFiDirectModel, OwnAddress,
    ::testing::Values(IpCase{"", "", 0, false, "0.0.0.0", 0},          // -31: no address yet
                      IpCase{"-32", "", 0, false, "0.0.0.0", 0},       // subnet mismatch
                      IpCase{"", "", 0, true, "192.168.137.1", 1},     // the owner's address
                      IpCase{"", "0", 0, true, "old", 1},              // refused: kept, tried again
                      IpCase{"", "", 3, false, "old", 1}));            // concurrent mode: 0.0.0.0 refused

struct WarningCase {
    uint32_t code;
    uint32_t value;
    uint16_t methods;
    const char* text;  // part of the message shown
};

class Warning : public WiFiDirectModelTest, public ::testing::WithParamInterface<WarningCase> {};

TEST_P(Warning, ShowsTheTextAndDisconnectsThePeer)
{
    const WarningCase& c = GetParam();
    StartOn();
    SetStoredFlag(true);
    std::memcpy(FormWiFiDirectSetting->m_data_WIFIDIRECT_WPSE_Profile.DesiredMacAddr[0], "\x02\x50\xF2\xAA\x00\x01", 6);
    std::vector<std::string> shown;
    m_onModal = [&shown](const std::string& what) { shown.push_back(what); };
    WIFI_DIRECT_STATUS s = Event(WIFIDIRECTEVENT_ERROR_CODE);
    s.WifiDirectStateContext.Error.ErrorStatusCode = c.code;
    s.WifiDirectStateContext.Error.ulValue = c.value;
    s.WifiDirectStateContext.Error.ConfigMethod = c.methods;
    Deliver(s);
    std::string all;
    for (const std::string& m : shown)
        all += m + "|";
    EXPECT_NE(all.find(c.text), std::string::npos) << all;
    const std::vector<std::string> cut = Lines("WVWL_DisConnectWifiDirectPerDevice");
    ASSERT_EQ(cut.size(), 1u);
    EXPECT_NE(cut[0].find("02-50-F2-AA-00-01"), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(
    WiFiDirectModel, Warning,
    ::testing::Values(WarningCase{2, 11, 0, "The peer needs channel 11,"},
                      WarningCase{5, 0, 0x0080, "It supports Push Button (PBC)"},
                      WarningCase{5, 0, 0x0004, "It supports 0x4."},
                      WarningCase{3, 0, 0, "The peer refused the WPS exchange"},
                      WarningCase{0x42, 0, 0, "Wi-Fi Direct Error Code : 0x42"}));

// Error 11 for a peer without a saved profile: the message only, no all-zero disconnect and
// no delete of an empty name.
TEST_F(WiFiDirectModelTest, ErrorElevenWithoutASavedProfileOnlyShowsTheMessage)
{
    StartOn();
    SetStoredFlag(true);
    std::memcpy(FormWiFiDirectSetting->m_data_WIFIDIRECT_WPSE_Profile.DesiredMacAddr[0], "\x02\x50\xF2\xAA\x00\x01", 6);
    m_answer = 1;
    WIFI_DIRECT_STATUS s = Event(WIFIDIRECTEVENT_ERROR_CODE);
    s.WifiDirectStateContext.Error.ErrorStatusCode = P2P_ERRCODE_PEER_WITHOUT_PERSISTENT_TABLE;
    Deliver(s);
    EXPECT_EQ(CallsSinceMark("WVWL_DisConnectWifiDirectPerDevice"), 0);
    EXPECT_EQ(CallsSinceMark("WVWL_DeleteWifiDirectWpseProfile"), 0);
    EXPECT_EQ(CallsSinceMark("WVWL_SetWifiDirectWpseConfig"), 0);
}

// Error 11 for the peer of a saved profile: OK deletes it and connects again with WPS and the
// page's PIN written to four or eight digits.
struct RepairCase {
    uint32_t pin;
    const char* written;
};

class Repair : public WiFiDirectModelTest, public ::testing::WithParamInterface<RepairCase> {};

TEST_P(Repair, DeletesTheProfileAndConnectsAgainWithThePin)
{
    StartOn();
    SetStoredFlag(true);
    WIFIDIRECT_WPSE_PROFILE saved{};
    std::strcpy(saved.ProfileName, "Profile-TV");
    std::memcpy(saved.PeerDeviceName[0], "Living-Room-TV", 14);
    saved.PeerDeviceNameCount = 1;
    std::memcpy(saved.DesiredMacAddr[0], "\x02\x50\xF2\xAA\x00\x01", 6);
    saved.DesiredMacCount = 1;
    VOZEZIV.WVWL_WriteWifiDirectWpseProfile("Profile-TV", &saved);
    FormWiFiDirectSetting->m_data_WIFIDIRECT_WPSE_Profile = saved;
    FormWiFiDirectSetting->FrameWiFiDirectSettingWPS->m_ulWPSType = WIFI_DIRECT_WPSE_PIN_MODE_DEFAULT;
    FormWiFiDirectSetting->FrameWiFiDirectSettingWPS->m_ulPin = GetParam().pin;
    m_answer = 1;
    WIFI_DIRECT_STATUS s = Event(WIFIDIRECTEVENT_ERROR_CODE);
    s.WifiDirectStateContext.Error.ErrorStatusCode = P2P_ERRCODE_PEER_WITHOUT_PERSISTENT_TABLE;
    Deliver(s);
    EXPECT_EQ(Lines("WVWL_DeleteWifiDirectWpseProfile").size(), 1u);
    const std::vector<std::string> applies = Lines("WVWL_SetWifiDirectWpseConfig");
    ASSERT_EQ(applies.size(), 1u);
    EXPECT_EQ(WrittenPin(), GetParam().written);
    EXPECT_NE(applies[0].find("method=0x10000000"), std::string::npos) << applies[0];
}

INSTANTIATE_TEST_SUITE_P(WiFiDirectModel, Repair,
                         ::testing::Values(RepairCase{123, "0123"}, RepairCase{123456, "00123456"},
                                           RepairCase{1234, "1234"}, RepairCase{12345678, "12345678"},
                                           RepairCase{1234567890, ""}));

}  // namespace
