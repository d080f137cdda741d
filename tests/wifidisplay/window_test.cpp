// The Wi-Fi Display window: the configuration it writes, its popup for each state, the role
// check before a connection, the connection state, the detail window and the reminder.
#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

#include "core/WvwlLib.h"
#include "resources/FormResource.h"
#include "resources/UiStr.h"
#include "wifidirect/FormWiFiDirect.h"
#include "wifidisplay/FormWDPTDLSProgressMsg.h"
#include "wifidisplay/FormWFADispDevDetailInfo.h"
#include "wifidisplay/WDPUIBCControlPanelForm.h"
#include "wifidisplay/WiFiDisplayWaning.h"
#include "wifidisplay/wifidisplay_fixture.h"
#include "../ui/UiTestSupport.h"

namespace {

const BYTE kSink[6] = {0x02, 0x11, 0x22, 0x33, 0x44, 0x55};

using WiFiDisplayWindow = WiFiDisplayFixture;

TEST_F(WiFiDisplayWindow, ConfigurationBytes)
{
    Start();
    struct Case {
        uint16_t devInfo, extCap;
        uint32_t tdls;
        int enable;
        uint8_t mode;
        uint16_t wantInfo, wantExt;
    };
    const Case cases[] = {
        {0x0000, 0x0000, 0, 1, 1, 0x0010, 0x000F},
        {0xFFFF, 0xFFF0, 0, 1, 1, 0xFC13, 0xFFFF},  // bits 10-15 and the role kept, 2-9 rebuilt
        {0x0002, 0x0100, 1, 1, 1, 0x0092, 0x010F},  // TDLS preferred
        {0x0001, 0x0000, 0, 0, 0, 0x0011, 0x000F},  // disabled still writes role, port and capabilities
    };
    for (const Case& c : cases) {
        FormWiFiDisplay->m_WDPConfig.DevInfo = c.devInfo;
        FormWiFiDisplay->m_WDPConfig.ExtCap = c.extCap;
        FormWiFiDisplay->iUseTDLS = c.tdls;
        EXPECT_EQ(FormWiFiDisplay->SetWDPConfigToDriver(c.enable), 0);
        const WDP_CONFIG stored = StoredConfig();
        EXPECT_EQ(stored.ConfigMode, c.mode);
        EXPECT_EQ(stored.DevInfo, c.wantInfo) << std::hex << c.devInfo;
        EXPECT_EQ(stored.ControlPort, 7236);
        EXPECT_EQ(stored.ExtCap, c.wantExt) << std::hex << c.extCap;
    }
    EXPECT_NE(SimJournal().find("WVWL_WriteAndSetWDPConfig(ConfigMode=0 DevInfo=0x0011 ControlPort=7236 ExtCap=0x000F, 1)"),
              std::string::npos);
}

TEST_F(WiFiDisplayWindow, RoleButtonsWriteTheRole)
{
    Start();
    FormWiFiDisplay->Show();
    Pump(20);
    SendMessageA(FormWiFiDisplay->rbPSink->Handle(), BM_CLICK, 0, 0);
    Pump(20);
    EXPECT_TRUE(FormWiFiDisplay->rbPSink->Checked());
    EXPECT_EQ(StoredConfig().DevInfo & 3, 1);
    EXPECT_EQ(StoredConfig().ConfigMode, 1);
    SendMessageA(FormWiFiDisplay->rbSSink->Handle(), BM_CLICK, 0, 0);
    Pump(20);
    EXPECT_EQ(StoredConfig().DevInfo & 3, 2);
}

// The popup for each state: which of Device Information, Connect, TDLS Connect and Disable show.
TEST_F(WiFiDisplayWindow, PopupMatrix)
{
    Start();
    FormWiFiDisplay->iUseTDLS = 1;  // as [WiFiDisplay] TDLS=1 of the settings file gives it
    WLAN_STATUS own{};
    VOZEZIV.WVWL_QueryWLANStatus(&own, WLAN_STATUS_QUERY{{1, 1, 1, 1, 1}});
    const BYTE kOther[6] = {0x02, 0x99, 0x99, 0x99, 0x99, 0x99};
    WDP_ENTRY tdls = Entry(kSink, 0x0091);
    Table(0, 1, {tdls}, {0});
    DiscoveryNames({{"tv", kSink}});
    ASSERT_EQ(Rows().size(), 1u);
    const std::string info = FormWiFiDisplay->ID_TRAY_DEVINFO->Caption();
    const std::string connect = FormWiFiDisplay->ID_TRAY_CONNECT->Caption();
    const std::string disable = FormWiFiDisplay->ID_TRAY_DISABLE_WIFIDISPLAY->Caption();
    const std::string sortName = FormWiFiDisplay->ID_TRAY_DEVICENAME->Caption();
    const std::string sortType = FormWiFiDisplay->ID_TRAY_DEVICETYPE->Caption();
    const std::string sortMac = FormWiFiDisplay->ID_TRAY_DEVICEMAC->Caption();
    const std::vector<std::string> sorts = {sortName, sortType, sortMac};
    const auto with = [&](std::vector<std::string> extra) {
        std::vector<std::string> all = sorts;
        all.insert(all.end(), extra.begin(), extra.end());
        return all;
    };
    struct Case {
        const char* what;
        int connectType;
        bool selected;
        bool enabled;
        bool associated;  // the adapter is connected to the device's BSSID
        std::vector<std::string> shown;
    };
    const Case cases[] = {
        {"none selected", -1, false, true, false, with({info, disable})},
        {"selected", -1, true, true, false, with({info, connect, disable})},
        {"configuration off", -1, true, false, false, with({info, connect})},
        {"Wi-Fi Direct session", 0, true, true, false, with({info})},
        {"TDLS session", 1, true, true, false, with({info})},
        {"selected, TDLS on the same network", -1, true, true, true, with({info, connect, "TDLS Connect", disable})},
    };
    bool tableAssociated = true;
    for (const Case& c : cases) {
        if (c.associated != tableAssociated) {
            WDP_ENTRY e = tdls;
            std::memcpy(e.Bssid, c.associated ? own.bssid : kOther, 6);
            Table(0, 1, {e}, {0});
            FormWiFiDisplay->m_iNowConnectType = WDP_CONNECT_NONE;
            DiscoveryNames({{"tv", kSink}});
            tableAssociated = c.associated;
        }
        FormWiFiDisplay->SetWDPConfigToDriver(c.enabled ? 1 : 0);
        FormWiFiDisplay->m_iNowConnectType = c.connectType;
        FormWiFiDisplay->lvWDPList->SetItemIndex(c.selected ? 0 : -1);
        EXPECT_EQ(Popup(), c.shown) << c.what;
    }
}

TEST_F(WiFiDisplayWindow, ConnectChecksTheRoleFirst)
{
    Start();
    const BYTE macs[4][6] = {{2, 0, 0, 0, 0, 1}, {2, 0, 0, 0, 0, 2}, {2, 0, 0, 0, 0, 3}, {2, 0, 0, 0, 0, 4}};
    Table(0, 4, {Entry(macs[0], 0), Entry(macs[1], 1), Entry(macs[2], 2), Entry(macs[3], 3)}, {0, 1, 2, 3});
    DiscoveryNames({{"a-src", macs[0]}, {"b-psink", macs[1]}, {"c-ssink", macs[2]}, {"d-both", macs[3]}});
    ASSERT_EQ(Rows().size(), 4u);
    struct Case {
        int role;  // 0 source, 1 primary sink, 2 secondary sink
        int row;
        std::string warning;  // empty when accepted
    };
    const CUISTR& s = *FormResource->UI_Str;
    const std::string sourceWarning = s.STR_SELECT_TYPE_WARNING1 + " Source " + s.STR_SELECT_TYPE_WARNING2 +
                                      " P-Sink " + s.STR_SELECT_TYPE_WARNING3 + " S-Sink";
    const auto sinkWarning = [&](const char* type) {
        return s.STR_SELECT_TYPE_WARNING1 + " " + type + " " + s.STR_SELECT_TYPE_WARNING2 + " Source";
    };
    const Case cases[] = {
        {0, 0, sourceWarning}, {0, 1, ""}, {0, 2, ""}, {0, 3, ""},
        {1, 0, ""}, {1, 1, sinkWarning("P-Sink")}, {1, 2, sinkWarning("S-Sink")}, {1, 3, ""},
        {2, 1, sinkWarning("P-Sink")}, {2, 3, ""},
    };
    TRadioButton* roles[] = {FormWiFiDisplay->rbSource, FormWiFiDisplay->rbPSink, FormWiFiDisplay->rbSSink};
    for (const Case& c : cases) {
        roles[c.role]->SetChecked(true);
        FormWiFiDisplay->lvWDPList->SetItemIndex(c.row);
        m_modals.clear();
        SimJournalClear();
        Popup(FormWiFiDisplay->ID_TRAY_CONNECT);
        const bool connected = SimJournal().find("WiFiDisplayConnectDevice(") != std::string::npos;
        EXPECT_EQ(connected, c.warning.empty()) << c.role << "/" << c.row;
        if (!c.warning.empty()) {
            ASSERT_EQ(m_modals.size(), 1u);
            EXPECT_NE(m_modals[0].find(": " + c.warning), std::string::npos) << m_modals[0];
        } else {
            for (const std::string& modal : m_modals)
                EXPECT_EQ(modal.find(" Source"), std::string::npos) << modal;
        }
    }
}

TEST_F(WiFiDisplayWindow, ConnectionStateTables)
{
    Start();
    Table(0, 1, {Entry(kSink, 1)}, {0});
    DiscoveryNames({{"tv", kSink}});
    const std::string mac = "02:11:22:33:44:55";
    FormWiFiDisplay->SetWDPConfigToDriver(1);

    // no row for the peer yet: the type stays recorded, a later refresh marks the row
    SimCommand("wdppeer 02:00:00:00:00:09 02:99:99:99:99:99");
    EXPECT_EQ(FormWiFiDisplay->SetStatusConnect(WDP_CONNECT_P2P, ""), 0);
    EXPECT_EQ(FormWiFiDisplay->m_iNowConnectType, WDP_CONNECT_P2P);
    FormWiFiDisplay->ResetAllParameter();

    SimCommand("wdppeer 02:00:00:00:00:09 " + mac);
    EXPECT_EQ(FormWiFiDisplay->SetStatusConnect(WDP_CONNECT_P2P, ""), 1);
    EXPECT_EQ(FormWiFiDisplay->m_strWDPConnectedMac, mac);
    EXPECT_EQ(FormWiFiDisplay->lvWDPList->Item(0)->ImageIndex(), 0);
    EXPECT_FALSE(FormWiFiDisplay->rbSource->Enabled());
    EXPECT_TRUE(FormWiFiDisplay->BtnWDPTeardown->Enabled());

    // disconnect by the members left in the last group table, whatever event the Wi-Fi
    // Direct window's status record holds since
    struct Case {
        int members;
        bool peerStays;
        int result;
        int typeAfter;
    };
    const Case cases[] = {{0, false, 0, 0}, {1, false, 0, -1}, {2, true, 1, 0}, {2, false, 1, -1}};
    for (const Case& c : cases) {
        FormWiFiDisplay->ResetAllParameter();
        WIFI_DIRECT_STATUS& status = FormWiFiDirect->m_WiFiDirectStatus;
        std::memset(&status, 0, sizeof status);
        status.WifiDirectStatus = WIFIDIRECTEVENT_STATUS_GROUP_UPDATE;
        WIFI_DIRECT_GROUP_TABLE& g = status.WifiDirectStateContext.Group;
        g.chNumOfGroup = uint8_t(c.members);
        if (c.peerStays)
            std::memcpy(g.WifiDirectGroup[1].chMacAddr, kSink, 6);
        FormWiFiDisplay->GetUpdateDiscovery();
        // the connection completes after the group update: its record replaces the group's
        std::memset(&status, 0, sizeof status);
        status.WifiDirectStatus = WIFIDIRECTEVENT_CONNECT_COMPLETE;
        FormWiFiDisplay->m_iNowConnectType = WDP_CONNECT_P2P;
        FormWiFiDisplay->m_strWDPConnectedMac = mac;
        EXPECT_EQ(FormWiFiDisplay->SetStatusDisconnect(WDP_CONNECT_P2P), c.result) << c.members << c.peerStays;
        EXPECT_EQ(FormWiFiDisplay->m_iNowConnectType, c.typeAfter) << c.members << c.peerStays;
    }

    // TDLS: recorded with the given MAC, never cleared by a disconnect, other types refused
    FormWiFiDisplay->ResetAllParameter();
    EXPECT_EQ(FormWiFiDisplay->SetStatusConnect(WDP_CONNECT_TDLS, mac), 1);
    EXPECT_EQ(FormWiFiDisplay->SetStatusDisconnect(WDP_CONNECT_TDLS), 0);
    EXPECT_EQ(FormWiFiDisplay->SetStatusDisconnect(WDP_CONNECT_P2P), 0);
    EXPECT_EQ(FormWiFiDisplay->m_iNowConnectType, WDP_CONNECT_TDLS);
    FormWiFiDisplay->ResetAllParameter();
    EXPECT_EQ(FormWiFiDisplay->SetStatusConnect(5, mac), 0);
    EXPECT_EQ(FormWiFiDisplay->m_iNowConnectType, WDP_CONNECT_NONE);
    // configuration off: nothing is recorded
    FormWiFiDisplay->SetWDPConfigToDriver(0);
    EXPECT_EQ(FormWiFiDisplay->SetStatusConnect(WDP_CONNECT_TDLS, mac), 0);
    EXPECT_EQ(FormWiFiDisplay->m_iNowConnectType, WDP_CONNECT_NONE);
}

TEST_F(WiFiDisplayWindow, TeardownOfATdlsSessionLeavesWiFiDirectAlone)
{
    Start();
    FormWiFiDisplay->Show();
    Pump(20);
    FormWiFiDisplay->SetWDPConfigToDriver(1);
    FormWiFiDisplay->m_iNowConnectType = WDP_CONNECT_TDLS;
    FormWiFiDisplay->m_strWDPConnectedMac = "02:11:22:33:44:55";
    FormWiFiDisplay->BtnWDPTeardown->SetEnabled(true);
    SimJournalClear();
    ClickControl(FormWiFiDisplay->BtnWDPTeardown);
    EXPECT_NE(SimJournal().find("[WDP][So] RTSP server already stop"), std::string::npos);
    EXPECT_EQ(SimJournal().find("TFormWiFiDirect::OnDisconnect"), std::string::npos);
    EXPECT_EQ(FormWiFiDisplay->m_iNowConnectType, WDP_CONNECT_TDLS);
}

TEST_F(WiFiDisplayWindow, SessionIdGoesToTheDriverAndIsReadBackWithoutLosingAnEvent)
{
    Start();
    WDP_STATUS queued{};
    queued.WDPStatus = 9;  // an unknown event: only logged
    std::string reply;
    SimCommand("wdpstatus " + Hex(&queued, sizeof queued), &reply);
    ASSERT_EQ(reply.substr(0, 2), "ok");
    const std::string second = "00000002";
    FormWiFiDisplay->SetSessionIDToDriver("00001234", &second);
    WDP_CONFIG_REQUEST request{};
    request.ConfigMode = 7;
    std::memcpy(request.SessionId, "00001234", 8);
    std::memcpy(request.SecondSessionId, "00000002", 8);
    EXPECT_NE(SimJournal().find("OIDSetInfo payload 0xFFF10601 " + Hex(&request, sizeof request)), std::string::npos);
    EXPECT_NE(SimJournal().find("SessionID=00001234"), std::string::npos);
    // the queued event is still there for the event read
    WDP_STATUS next{};
    unsigned long returned = 0;
    VOZEZIV.WVWL_OIDQueryInfo(OID_WDP_QUERY_STATUS, &next, sizeof next, &returned);
    EXPECT_EQ(next.WDPStatus, 9);
}

TEST_F(WiFiDisplayWindow, DetailWindowFromThePopup)
{
    Start();
    WDP_ENTRY e = Entry(kSink, 0x0091);
    e.MaxThroughput = 300;
    e.CoupledStatus = 2;
    e.ControlPort = 554;
    e.ExtCap = 0x05;
    const BYTE ip[4] = {192, 168, 1, 9};
    std::memcpy(e.TdlsIp, ip, 4);
    const BYTE tdlsMac[6] = {0xAB, 0xCD, 0xEF, 0x01, 0x02, 0x03};
    std::memcpy(e.TdlsMac, tdlsMac, 6);
    Table(0, 1, {e}, {0});
    DiscoveryNames({{"tv", kSink}});
    FormWiFiDisplay->lvWDPList->SetItemIndex(0);
    Popup(FormWiFiDisplay->ID_TRAY_DEVINFO);
    TFormWFADispDevDetailInfo* d = FormWFADispDevDetailInfo;
    EXPECT_TRUE(d->Visible());
    const std::string yes = d->lblSessionAvail->Caption();
    const std::string no = d->lblPreferP2P->Caption();
    EXPECT_EQ(d->lblSrcCoupSink->Caption(), no);
    EXPECT_EQ(d->lblHDCP->Caption(), no);
    EXPECT_EQ(d->lblMaxThroughput->Caption(), "300 Mbps");
    EXPECT_EQ(d->lblCoupStatus->Caption(), "Teardown Coupling");
    EXPECT_EQ(d->lblSessionCtrlPort->Caption(), "554");
    EXPECT_EQ(d->lbTDLSIP->Caption(), "192.168.1.9");
    EXPECT_EQ(d->lbTDLSMAC->Caption(), "ab:cd:ef:01:02:03");
    EXPECT_EQ(d->lbUIBC->Caption(), "Support");
    EXPECT_EQ(d->lbI2C->Caption(), "Not Support");
    EXPECT_EQ(d->lbPreferDisplayMode->Caption(), "Support");
    EXPECT_EQ(d->lbStandby->Caption(), "Not Support");
    d->ClearLabels();
    EXPECT_EQ(d->lblMaxThroughput->Caption(), "");
    EXPECT_EQ(d->lbUIBC->Caption(), "Support");  // kept: not among the cleared labels
}

TEST_F(WiFiDisplayWindow, ReminderStoresItsFlagOnlyWhenChecked)
{
    Start();
    for (bool check : {false, true}) {
        const unsigned long one = 1;
        VOZEZIV.WVWL_WriteWDPUIConfig(&one);
        WiFiDisplayWaning->Show();
        Pump(20);
        if (check)
            SendMessageA(WiFiDisplayWaning->CheckDonotReminder->Handle(), BM_CLICK, 0, 0);
        WiFiDisplayWaning->Hide();
        unsigned long show = 7;
        VOZEZIV.WVWL_ReadWDPUIConfig(&show);
        EXPECT_EQ(show, check ? 0u : 1u);
    }
}

TEST_F(WiFiDisplayWindow, ReminderShowsThePictureNameWhole)
{
    Start();
    TLabel* name = WiFiDisplayWaning->ImageName;
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, name->Font().Handle());
    SIZE text{};
    GetTextExtentPoint32A(dc, "Wi-Fi Display", 13, &text);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    EXPECT_GE(name->Left(), 0);
    EXPECT_GE(name->Width(), text.cx);
    EXPECT_LE(name->Left() + name->Width(), WiFiDisplayWaning->Message->Left());
}

// With every control of the lower band shown (a test-mode status text, cursor capture, the
// remote-input buttons), none covers another and all lie inside the window.
TEST_F(WiFiDisplayWindow, TheLowerBandsControlsDoNotOverlap)
{
    Start();
    TFormWiFiDisplay* w = FormWiFiDisplay;
    w->labStatus->SetCaption("Sink Stop Retry Connecting");
    TControl* controls[] = {w->lvWDPList, w->GroupBox1, w->labStatus, w->CheckCaptureCursor, w->BtnOCP,
                            w->BtnZoomIn, w->BtnZoomOut, w->BtnCancelZoomMode, w->BtnWDPPlay, w->BtnWDPPause,
                            w->BtnWDPTeardown};
    for (TControl* c : controls)
        c->SetVisible(true);
    const RECT client = {0, 0, w->ClientWidth(), w->ClientHeight()};
    for (size_t i = 0; i < std::size(controls); ++i) {
        const RECT a = controls[i]->BoundsRect();
        RECT inside{};
        IntersectRect(&inside, &a, &client);
        EXPECT_TRUE(EqualRect(&inside, &a)) << "control " << i;
        for (size_t j = i + 1; j < std::size(controls); ++j) {
            const RECT b = controls[j]->BoundsRect();
            RECT both{};
            EXPECT_FALSE(IntersectRect(&both, &a, &b)) << "control " << i << " covers control " << j;
        }
    }
    for (TControl* role : {static_cast<TControl*>(w->rbSource), static_cast<TControl*>(w->rbPSink),
                           static_cast<TControl*>(w->rbSSink)})
        EXPECT_LE(role->Left() + role->Width(), w->GroupBox1->Width()) << role->Caption();
}

TEST_F(WiFiDisplayWindow, StartupWindowsAndCreationFlags)
{
    TScenario scenario;
    Start(scenario);
    EXPECT_EQ(FormWiFiDisplay->ClientHeight(), 380);
    EXPECT_EQ(FormWiFiDisplay->m_iNowConnectType, WDP_CONNECT_NONE);
    EXPECT_FALSE(FormWiFiDisplay->ID_TRAY_TDLS_CONNECT->Visible);
    EXPECT_FALSE(FormWiFiDisplay->TestSoBut->Visible());
    EXPECT_NE(SimJournal().find("OIDSetInfo payload 0xFFF10331 00000000"), std::string::npos);
    EXPECT_TRUE(WDPUIBCControlPanelForm);
    EXPECT_TRUE(FormWDPTDLSProgressMsg);
}

}  // namespace
