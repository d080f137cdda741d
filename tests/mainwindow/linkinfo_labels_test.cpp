// What one link-information tick shows on the link window and the main window, for one link
// record each: the library's status query answers with the record of the case.
#include <cstring>
#include <functional>
#include <map>

#include "hotspot/FormHotSpot.h"
#include "mainwindow/FormLinkInfo.h"
#include "program_fixture.h"
#include "resources/FormResource.h"
#include "wlapi/bsslist.h"

namespace {

WLAN_STATUS g_status;
int g_apResult = 1;
AP_IP_INFO g_ap;

int __stdcall FakeQueryWLANStatus(WLAN_STATUS* status, WLAN_STATUS_QUERY)
{
    *status = g_status;
    return 1;
}

int __stdcall FakeQueryAPIPAddress(AP_IP_INFO* info)
{
    *info = g_ap;
    return g_apResult;
}

// HomeNet of the default scenario, connected with WPA2-PSK and AES on channel 6.
WLAN_STATUS ConnectedRecord()
{
    WLAN_STATUS s;
    std::memset(&s, 0, sizeof s);
    s.status = WvStatus_Connected;
    s.ssid.SsidLength = 7;
    std::memcpy(s.ssid.Ssid, "HomeNet", 7);
    const BYTE bssid[6] = {0x00, 0x1A, 0x2B, 0x00, 0x00, 0x02};
    std::memcpy(s.bssid, bssid, 6);
    s.networkType = 1;
    s.chain[0] = {-45, 80, 1};
    s.chain[1] = {-48, 75, 0};
    s.chain[2] = {-200, 0, 0};
    s.dsFrequency = 2437000;
    s.authenticationMode = 7;
    s.encryptionStatus = 6;
    s.linkQuality = 80;
    s.txRate = 144.4;
    s.rxRate = 130.0;
    s.txPower = 100;
    s.statistics.TransmittedFragmentCount.QuadPart = 1200;
    s.rxOkCount64 = 3400;
    s.rxOkCount = 3400;
    const BYTE ip[4] = {192, 168, 1, 23}, mask[4] = {255, 255, 255, 0};
    std::memcpy(s.ipAddress, ip, 4);
    std::memcpy(s.ipMask, mask, 4);
    return s;
}

enum Field {
    MainSsid, MainRate, MainChannel, MainIp, MainMask, MainKey, MainDisconnected, MainQualityWidth, Status,
    StatusHint, Status2, ExtraInfo, Authen, Encrypt, NetworkType, CentralChannel, CentralChannelRow, LinkQuality,
    PageQualityWidth, Signal1, Signal2, Signal2Width, Signal2Hint, SignalRow2, SignalRow3, TxSpeed, RxSpeed, TxOK,
    RxOK, HotSpotBssid
};

using Expected = std::map<Field, std::string>;

std::string Shown(const TControl* c)
{
    return c->Visible() ? "shown" : "hidden";
}

std::string Read(Field field)
{
    const TFormMain* m = FormMain;
    const TFrameLinkInfoWireless* w = FormLinkInfo->FrameLinkInfoWireless;
    const TFrameLinkInfoThroughput* t = FormLinkInfo->FrameLinkInfoThroughput;
    const TFrameLinkInfoStatistic* st = FormLinkInfo->FrameLinkInfoStatistic;
    switch (field) {
    case MainSsid: return m->lblSSID->Caption();
    case MainRate: return m->lblTxRate->Caption();
    case MainChannel: return m->lblChannel->Caption();
    case MainIp: return m->lblIPAddress->Caption();
    case MainMask: return m->lblIPMask->Caption();
    case MainKey: return Shown(m->ImgKeyEnable);
    case MainDisconnected: return Shown(m->ImgLinkQualityDisconnected);
    case MainQualityWidth: return std::to_string(m->ImgLinkQuality->Width());
    case Status: return w->lblStatus->Caption();
    case StatusHint: return w->lblStatus->Hint();
    case Status2: return w->lblStatus2->Visible() ? w->lblStatus2->Caption() : "hidden";
    case ExtraInfo: return w->lblExtraInfo->Caption();
    case Authen: return w->lblAuthen->Caption();
    case Encrypt: return w->lblEncrypt->Caption();
    case NetworkType: return w->lblNetworkType->Caption();
    case CentralChannel: return w->lblCentralChannel->Caption();
    case CentralChannelRow: return Shown(w->lblCentralChannelText) + "/" + Shown(w->lblCentralChannel);
    case LinkQuality: return t->lblLinkQuality->Caption();
    case PageQualityWidth: return std::to_string(t->ImgLinkQuality->Width());
    case Signal1: return t->lblSignalStrength1->Caption();
    case Signal2: return t->lblSignalStrength2->Caption();
    case Signal2Width: return std::to_string(t->ImgSignalStrength2->Width());
    case Signal2Hint: return t->ImgSignalStrength2->Hint();
    case SignalRow2: return Shown(t->lblSignalStrength2Txt) + "/" + Shown(t->lblSignalStrength2);
    case SignalRow3: return Shown(t->lblSignalStrength3Txt) + "/" + Shown(t->lblSignalStrength3);
    case TxSpeed: return t->lblTxLinkSpeed->Caption();
    case RxSpeed: return t->lblRxLinkSpeed->Caption();
    case TxOK: return st->lblTxOK->Caption();
    case RxOK: return st->lblRxOK->Caption();
    case HotSpotBssid: {
        char text[20];
        const BYTE* b = FormHotSpot->m_ConnectedBssid;
        std::snprintf(text, sizeof text, "%02X-%02X-%02X-%02X-%02X-%02X", b[0], b[1], b[2], b[3], b[4], b[5]);
        return text;
    }
    }
    return {};
}

struct LinkCase {
    const char* name;
    std::function<void(WLAN_STATUS&)> change;
    std::function<Expected(const CUISTR&)> expected;
};

void PrintTo(const LinkCase& c, std::ostream* os)
{
    *os << c.name;
}

const LinkCase kCases[] = {
    {"Connected", [](WLAN_STATUS&) {},
     [](const CUISTR& s) {
         return Expected{{MainSsid, "HomeNet"},
                         {MainRate, "144.4 Mbps"},
                         {MainChannel, "6 (2437 MHz)"},
                         {MainIp, "192.168.1.23"},
                         {MainMask, "255.255.255.0"},
                         {MainKey, "shown"},
                         {MainDisconnected, "hidden"},
                         {MainQualityWidth, "24"},
                         {Status, "HomeNet <--> 00-1A-2B-00-00-02 "},
                         {Status2, "[192.168.1.1] - (home-router)"},
                         {ExtraInfo, s.STR_GENERAL_LINK_UP + "  [" + s.STR_TX_POWER + ":100%]"},
                         {Authen, s.STR_WPA2PSK},
                         {Encrypt, s.STR_AES},
                         {NetworkType, s.STR_INFRA},
                         {LinkQuality, "80 %"},
                         {PageQualityWidth, "148"},
                         {Signal1, "-45 dBm"},
                         {SignalRow2, "shown/shown"},
                         {SignalRow3, "hidden/hidden"},
                         {TxSpeed, "144.4 Mbps"},
                         {RxSpeed, "130.0 Mbps"},
                         {TxOK, "1200"},
                         {RxOK, "3400"},
                         {HotSpotBssid, "00-1A-2B-00-00-02"}};
     }},
    {"NotConnected", [](WLAN_STATUS& r) {
         std::memset(&r, 0, sizeof r);
         r.status = WvStatus_Disconnected;
     },
     [](const CUISTR& s) {
         return Expected{{Status, s.STR_DISCONNECTED}, {MainSsid, ""},        {MainIp, ""},
                         {MainChannel, ""},           {MainRate, ""},        {MainKey, "hidden"},
                         {MainDisconnected, "shown"}, {Authen, ""},          {Encrypt, ""},
                         {LinkQuality, ""},           {Signal1, ""},         {TxSpeed, ""},
                         {Status2, "hidden"},               {CentralChannelRow, "hidden/hidden"}};
     }},
    {"ConnectedWithoutBssid", [](WLAN_STATUS& r) { std::memset(r.bssid, 0, 6); },
     [](const CUISTR& s) { return Expected{{Status, s.STR_DISCONNECTED}, {MainSsid, ""}, {MainKey, "hidden"}}; }},
    {"HardwareRadioOff", [](WLAN_STATUS& r) { r.linkStatusCode = 2; },
     [](const CUISTR& s) {
         return Expected{{Status, s.STR_RADIOOFF}, {ExtraInfo, ""}, {MainSsid, ""}, {MainDisconnected, "shown"}};
     }},
    {"StateUnknown", [](WLAN_STATUS& r) { r.status = WvStatus_Unknown; },
     [](const CUISTR& s) { return Expected{{Status, s.STR_DRIVER_NOTOK}, {MainIp, ""}, {MainKey, "hidden"}}; }},
    {"Wide40MHzOn11n",
     [](WLAN_STATUS& r) {
         r.HTSetting = 2 << 14;
         r.centralChannel = 8;
     },
     [](const CUISTR&) { return Expected{{CentralChannel, "8"}, {CentralChannelRow, "shown/shown"}}; }},
    {"LegacyTransmitHidesTheCentralChannel", [](WLAN_STATUS& r) { r.centralChannel = 8; },
     [](const CUISTR&) { return Expected{{CentralChannelRow, "hidden/hidden"}}; }},
    {"CountersPast32Bits",
     [](WLAN_STATUS& r) {
         r.statistics.TransmittedFragmentCount.QuadPart = 5000000000LL;
         r.rxOkCount64 = 6000000000ULL;
         r.rxOkCount = 1705032704;  // the same count cut to 32 bits
     },
     [](const CUISTR&) { return Expected{{TxOK, "5000000000"}, {RxOK, "6000000000"}}; }},
    {"QualityOver100", [](WLAN_STATUS& r) { r.linkQuality = 150; },
     [](const CUISTR&) {
         return Expected{{LinkQuality, "100 %"}, {PageQualityWidth, "186"}, {MainQualityWidth, "30"}};
     }},
    {"SecondChainAbsent", [](WLAN_STATUS& r) { r.chain[1] = {-200, 90, 0}; },
     [](const CUISTR&) {
         return Expected{{Signal2, "-200 dBm"}, {Signal2Width, "0"}, {Signal2Hint, "0 %"}, {SignalRow2, "shown/shown"}};
     }},
    {"OneChain", [](WLAN_STATUS& r) { r.chain[0].chainFlag = 0; },
     [](const CUISTR&) { return Expected{{SignalRow2, "hidden/hidden"}, {SignalRow3, "hidden/hidden"}}; }},
    {"ThreeChains",
     [](WLAN_STATUS& r) {
         r.chain[1].chainFlag = 1;
         r.chain[2] = {-51, 250, 0};
     },
     [](const CUISTR&) { return Expected{{SignalRow2, "shown/shown"}, {SignalRow3, "shown/shown"}}; }},
    {"LongSsid",
     [](WLAN_STATUS& r) {
         r.ssid.SsidLength = 21;
         std::memcpy(r.ssid.Ssid, "ABCDEFGHIJKLMNOPQRSTU", 21);
     },
     [](const CUISTR&) {
         return Expected{{Status, "ABCDEFGHIJKLMNOPQRST.. <--> 00-1A-2B-00-00-02 "},
                         {StatusHint, "ABCDEFGHIJKLMNOPQRSTU <--> 00-1A-2B-00-00-02 "},
                         {MainSsid, "ABCDEFGHIJKLMNOPQRSTU"}};
     }},
    {"OpenWithoutKey",
     [](WLAN_STATUS& r) {
         r.authenticationMode = 0;
         r.encryptionStatus = 2;
     },
     [](const CUISTR& s) { return Expected{{MainKey, "hidden"}, {Authen, s.STR_OPENSYSTEM}, {Encrypt, s.STR_NONE}}; }},
    {"WepIsKeyed",
     [](WLAN_STATUS& r) {
         r.authenticationMode = 0;
         r.encryptionStatus = 0;
     },
     [](const CUISTR& s) { return Expected{{MainKey, "shown"}, {Encrypt, s.STR_WEP}}; }},
    {"AdhocAndMfp",
     [](WLAN_STATUS& r) {
         r.networkType = 0;
         r.encryptionStatus = 11;
     },
     [](const CUISTR& s) { return Expected{{NetworkType, s.STR_IBSS}, {Encrypt, s.STR_AES + "(MFP)"}}; }},
    {"UnknownFrequency", [](WLAN_STATUS& r) { r.dsFrequency = 0; },
     [](const CUISTR&) { return Expected{{MainChannel, ""}, {CentralChannelRow, "hidden/hidden"}}; }},
    {"LowestTransmitPower", [](WLAN_STATUS& r) { r.txPower = 6; },
     [](const CUISTR& s) { return Expected{{ExtraInfo, s.STR_GENERAL_LINK_UP + "  [" + s.STR_TX_POWER + ":Lowest]"}}; }},
};

class LinkInfoLabels : public ProgramFixture, public ::testing::WithParamInterface<LinkCase> {};

TEST_P(LinkInfoLabels, OneTickShowsTheRecord)
{
    StartProgram();
    // The central channel comes from the network's elements in the repository: wait for the
    // start-up scan to fill it.
    ASSERT_TRUE(PumpUntil([] { return VOZEZIV.pRepositBssidList && bss::ReadU32(VOZEZIV.pRepositBssidList) > 0; }));
    g_status = ConnectedRecord();
    GetParam().change(g_status);
    g_ap = AP_IP_INFO{{192, 168, 1, 1}, "home-router"};
    g_apResult = 1;
    VOZEZIV.WVWL_QueryWLANStatus = FakeQueryWLANStatus;
    VOZEZIV.WVWL_QueryAPIPAddress = FakeQueryAPIPAddress;

    FormLinkInfo->TimerLinkInfo->Tick();

    for (const auto& [field, text] : GetParam().expected(*FormResource->UI_Str))
        EXPECT_EQ(Read(field), text) << "field " << field;
}

INSTANTIATE_TEST_SUITE_P(Records, LinkInfoLabels, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

using LinkInfoTick = ProgramFixture;

TEST_F(LinkInfoTick, AccessPointRowFollowsItsAddress)
{
    StartProgram();
    g_status = ConnectedRecord();
    VOZEZIV.WVWL_QueryWLANStatus = FakeQueryWLANStatus;
    VOZEZIV.WVWL_QueryAPIPAddress = FakeQueryAPIPAddress;
    const TFrameLinkInfoWireless* w = FormLinkInfo->FrameLinkInfoWireless;

    g_ap = AP_IP_INFO{{10, 0, 0, 1}, ""};
    g_apResult = 1;
    FormLinkInfo->TimerLinkInfo->Tick();
    EXPECT_EQ(w->lblStatus2->Caption(), "[10.0.0.1]");
    EXPECT_TRUE(w->lblAPStatusText->Visible());

    g_ap = AP_IP_INFO{{0, 0, 0, 0}, "x"};
    FormLinkInfo->TimerLinkInfo->Tick();
    EXPECT_FALSE(w->lblAPStatusText->Visible());
    EXPECT_FALSE(w->lblStatus2->Visible());

    // An unterminated name is read to the end of its field only.
    g_ap = AP_IP_INFO{{10, 0, 0, 1}, {}};
    std::memset(g_ap.Name, 'N', sizeof g_ap.Name);
    FormLinkInfo->TimerLinkInfo->Tick();
    EXPECT_EQ(w->lblStatus2->Caption(), "[10.0.0.1] - (" + std::string(16, 'N') + ")");

    g_apResult = 0;
    FormLinkInfo->TimerLinkInfo->Tick();
    EXPECT_FALSE(w->lblStatus2->Visible());
}

TEST_F(LinkInfoTick, EmptySsidKeepsThePreviousLines)
{
    StartProgram();
    g_status = ConnectedRecord();
    g_ap = AP_IP_INFO{{192, 168, 1, 1}, "home-router"};
    g_apResult = 1;
    VOZEZIV.WVWL_QueryWLANStatus = FakeQueryWLANStatus;
    VOZEZIV.WVWL_QueryAPIPAddress = FakeQueryAPIPAddress;
    FormLinkInfo->TimerLinkInfo->Tick();

    g_status.ssid.SsidLength = 0;
    FormLinkInfo->TimerLinkInfo->Tick();
    EXPECT_EQ(FormLinkInfo->FrameLinkInfoWireless->lblStatus->Caption(), "HomeNet <--> 00-1A-2B-00-00-02 ");
    EXPECT_EQ(FormMain->lblSSID->Caption(), "HomeNet");
}

TEST_F(LinkInfoTick, LinkEventTextsKeepOrClear)
{
    StartProgram();
    g_status = ConnectedRecord();
    VOZEZIV.WVWL_QueryWLANStatus = FakeQueryWLANStatus;
    const CUISTR& s = *FormResource->UI_Str;
    const std::string power = "  [" + s.STR_TX_POWER + ":100%]";
    TLabel* extra = FormLinkInfo->FrameLinkInfoWireless->lblExtraInfo;

    g_status.linkStatusCode = 10;
    FormLinkInfo->TimerLinkInfo->Tick();
    EXPECT_EQ(extra->Caption(), s.STR_EAP_SUCCESS + power);
    g_status.linkStatusCode = 12;  // no text of its own: the last one stays
    FormLinkInfo->TimerLinkInfo->Tick();
    EXPECT_EQ(extra->Caption(), s.STR_EAP_SUCCESS + power);
    g_status.linkStatusCode = 15;
    FormLinkInfo->TimerLinkInfo->Tick();
    EXPECT_EQ(extra->Caption(), power);
}

}  // namespace

namespace {

int g_msConfig = 1, g_radio = 1, g_wapiConnecting = 0, g_hwRadio = 1;
unsigned long g_ccx = 0;

int __stdcall FakeMSConfig() { return g_msConfig; }
int __stdcall FakeRadio() { return g_radio; }
int __stdcall FakeWapiConnecting() { return g_wapiConnecting; }
int __stdcall FakeWapiProgress() { return 40; }
int __stdcall FakeStaConfig(KV_802_11_STA_CONFIG* config)
{
    config->HwRadioStatus = DWORD(g_hwRadio);
    return 1;
}
int __stdcall FakeCcxInfo(unsigned long* word)
{
    *word = g_ccx;
    return 1;
}

struct NoLinkCase {
    int winOS;
    DWORD status, linkStatusCode;
    int msConfig, radio, wapiConnecting, hwRadio;
    std::string CUISTR::*text;  // null: the WAPI progress line
};

TEST_F(LinkInfoTick, NoLinkStatusLinePerWindowsVersion)
{
    StartProgram();
    VOZEZIV.WVWL_QueryWLANStatus = FakeQueryWLANStatus;
    VOZEZIV.WVWL_CheckMSConfigService = FakeMSConfig;
    VOZEZIV.WVWL_ReadRadioStatus = FakeRadio;
    VOZEZIV.WVWL_IsWAPIConnecting = FakeWapiConnecting;
    VOZEZIV.WVWL_GetWAPIProgress = FakeWapiProgress;
    VOZEZIV.WVWL_QuerySTAConfig = FakeStaConfig;
    const CUISTR& s = *FormResource->UI_Str;
    const NoLinkCase cases[] = {
        {41, 0, 0, 1, 1, 0, 1, &CUISTR::STR_DRIVER_NOTOK},
        {41, 0, 0, 0, 1, 0, 1, &CUISTR::STR_AUTOCONFIG_DISABLE},
        {41, 2, 0, 1, 0, 0, 1, &CUISTR::STR_RADIOOFF},
        {41, 2, 0, 1, 1, 1, 1, nullptr},
        {41, 2, 0, 1, 1, 0, 1, &CUISTR::STR_DISCONNECTED},
        {41, 3, 2, 1, 1, 0, 1, &CUISTR::STR_RADIOOFF},
        {24, 0, 0, 0, 1, 0, 1, &CUISTR::STR_DRIVER_NOTOK},
        {24, 2, 0, 1, 0, 0, 1, &CUISTR::STR_RADIOOFF},
        {24, 2, 0, 1, 1, 0, 0, &CUISTR::STR_RADIOOFF},
        {24, 2, 0, 1, 1, 1, 1, &CUISTR::STR_DISCONNECTED},
    };
    for (const NoLinkCase& c : cases) {
        VOZEZIV.nWinOS = c.winOS;
        std::memset(&g_status, 0, sizeof g_status);
        g_status.status = c.status;
        g_status.linkStatusCode = c.linkStatusCode;
        g_msConfig = c.msConfig, g_radio = c.radio, g_wapiConnecting = c.wapiConnecting, g_hwRadio = c.hwRadio;
        FormLinkInfo->TimerLinkInfo->Tick();
        const std::string expected = c.text ? s.*c.text : s.STR_PROCESSING_CONNECTION + " <--> 40 %";
        EXPECT_EQ(FormLinkInfo->FrameLinkInfoWireless->lblStatus->Caption(), expected)
            << "code " << c.winOS << " status " << c.status;
    }
}

TEST_F(LinkInfoTick, CckmAndProtectedFramesBeforeVista)
{
    StartProgram();
    VOZEZIV.WVWL_QueryWLANStatus = FakeQueryWLANStatus;
    VOZEZIV.WVWL_QueryCCXInfo = FakeCcxInfo;
    VOZEZIV.nWinOS = 24;
    const CUISTR& s = *FormResource->UI_Str;
    g_status = ConnectedRecord();
    g_status.authenticationMode = 4;
    g_status.encryptionStatus = 4;
    g_ccx = 0x04000002;  // CCKM enabled, protected management frames on
    FormLinkInfo->TimerLinkInfo->Tick();
    EXPECT_EQ(FormLinkInfo->FrameLinkInfoWireless->lblAuthen->Caption(), s.STR_WPAPSK + "+" + s.STR_CCKM);
    EXPECT_EQ(FormLinkInfo->FrameLinkInfoWireless->lblEncrypt->Caption(), s.STR_TKIP + "(MFP)");

    // From Vista on the word is not consulted.
    VOZEZIV.nWinOS = 41;
    FormLinkInfo->TimerLinkInfo->Tick();
    EXPECT_EQ(FormLinkInfo->FrameLinkInfoWireless->lblAuthen->Caption(), s.STR_WPAPSK);
    EXPECT_EQ(FormLinkInfo->FrameLinkInfoWireless->lblEncrypt->Caption(), s.STR_TKIP);
}

}  // namespace
