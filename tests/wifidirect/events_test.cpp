// Every Wi-Fi Direct event the adapter library signals is fetched, acted on and acknowledged;
// hostile and short records never crash and never reach past their fields.
#include <windows.h>

#include <cstring>
#include <ostream>
#include <string>

#include "dialogs/FormProgressMsg.h"
#include "core/WvwlLib.h"
#include "resources/FormResource.h"
#include "resources/UiStr.h"
#include "wifidirect/WiFiDirectSetting.h"
#include "wifidirect/wifidirect_fixture.h"

namespace {

// What handling an event is seen to do: a log line, a call into the library, or what the
// window shows or keeps.
struct EventCase {
    int code;
    const char* logLine;  // null: check the entry or the effect instead
    const char* entry;
    bool (*effect)() = nullptr;
};

bool DisplayPinPageShown()
{
    return FormWiFiDirectSetting && FormWiFiDirectSetting->Visible() &&
           FormWiFiDirectSetting->m_enumActionTpye == ACTION_DISPLAY_PIN;
}

bool SigmaTestOn()
{
    return VOZEZIV.bWiFiDirectSigmaTest == 1;
}

bool LinkConnected()
{
    return FormWiFiDirect->m_WiFiDirectWvstatus == WvStatus_Connected && FormProgressMsg->m_bSuccess == 1;
}

void PrintTo(const EventCase& c, std::ostream* os)
{
    *os << "code " << c.code;
}

class EachEvent : public WiFiDirectFixture, public ::testing::WithParamInterface<EventCase> {};

TEST_P(EachEvent, IsFetchedHandledAndAcknowledged)
{
    const EventCase& c = GetParam();
    Start();
    SetStoredFlag(true);
    VOZEZIV.bWiFiDirectSigmaTest = 0;
    FormProgressMsg->m_bSuccess = 0;
    WIFI_DIRECT_STATUS status = Event(uint8_t(c.code));
    status.WifiDirectStateContext.Error.ErrorStatusCode = 3;  // read by the error event only
    Deliver(status);

    // the switch to concurrent mode turns Wi-Fi Direct off, which resets the window's state
    if (c.code != WIFIDIRECTEVENT_SWITCH_OPMODE_CONCURRENT) {
        EXPECT_EQ(FormWiFiDirect->m_WiFiDirectStatus.WifiDirectStatus, c.code);
    }
    if (c.entry) {
        EXPECT_TRUE(PumpUntil([&] { return CallsSinceMark(c.entry) > 0; }, 5000)) << c.entry;
    }
    if (c.logLine) {
        EXPECT_TRUE(Logged(c.logLine)) << c.logLine;
    }
    if (c.effect) {
        EXPECT_TRUE(c.effect());
    }
    EXPECT_EQ(Acknowledgements(), 1);
    if (c.entry && std::string(c.entry) == "WVWL_EnableDhcpServer") {
        EXPECT_TRUE(WaitForDhcpThread());
    }
}

INSTANTIATE_TEST_SUITE_P(
    WiFiDirectEvents, EachEvent,
    ::testing::Values(EventCase{1, " >>WIFIDIRECTEVENT_DISCOVERY_START<<", nullptr},
                      EventCase{2, " UpdateTopologyData:: Wi-Fi Direct is off", nullptr},
                      EventCase{3, nullptr, "WVWL_SetWPSMode"},
                      EventCase{4, " >>WIFIDIRECTEVENT_STATUS_WPS_FAIL<<", nullptr},
                      EventCase{5, nullptr, "WVWL_ConnectWPSProfileWithWifiDirectWpse"},
                      EventCase{6, " UpdateTopologyData:: Wi-Fi Direct is off", nullptr},
                      EventCase{7, nullptr, "WVWL_ChannelToFrequency"},
                      EventCase{8, nullptr, "WVWL_EnableDhcpServer"},
                      EventCase{9, nullptr, "WVWL_DisableDhcpServer"},
                      EventCase{10, nullptr, "WVWL_WlanDisconnectEx"},
                      EventCase{11, " PopMsgAndInitSetting:: PopUpMsgTrayIcon return", nullptr},
                      EventCase{12, nullptr, "WVWL_ReadWifiDirectWpseProfileList"},
                      EventCase{13, nullptr, nullptr, DisplayPinPageShown},
                      EventCase{14, " --> TFormMain::OnTraySwitchWiFiDirectConcurrentMode", "WVWL_SetAndWriteOPMode"},
                      EventCase{15, " OnTraySwitchSTAMode:: call WVWL_SetAndWriteOPMode", "WVWL_SetAndWriteOPMode"},
                      EventCase{16, nullptr, "WVWL_EnableDhcpServer"},
                      EventCase{17, nullptr, "WVWL_EnableDhcpServer"},
                      EventCase{20, nullptr, nullptr, SigmaTestOn},
                      EventCase{21, nullptr, "WVWL_DisConnectWifiDirectPerDevice"},
                      EventCase{22, nullptr, nullptr, LinkConnected},
                      EventCase{23, " PopMsgAndInitSetting:: PopUpMsgTrayIcon return", nullptr},
                      EventCase{24, " PopMsgAndInitSetting:: PopUpMsgTrayIcon return", nullptr},
                      EventCase{25, nullptr, "WVWL_DisConnectWifiDirectPerDevice"},
                      EventCase{26, nullptr, "WVWL_WlanDisconnectEx"},
                      EventCase{0, " >>Unknown status <<", nullptr},
                      EventCase{18, " >>Unknown status <<", nullptr},
                      EventCase{19, " >>Unknown status <<", nullptr},
                      EventCase{27, " >>Unknown status <<", nullptr},
                      EventCase{255, " >>Unknown status <<", nullptr}));

class WiFiDirectEvents : public WiFiDirectFixture {};

TEST_F(WiFiDirectEvents, AFailedQueryKeepsTheLastRecordAndIsStillAcknowledged)
{
    Start();
    Deliver(Event(WIFIDIRECTEVENT_DISCOVERY_START));
    std::string reply;
    SimCommand("inject WVWL_QueryWifiDirectStatus * 0", &reply);
    Deliver(Event(WIFIDIRECTEVENT_CONNECT_COMPLETE));
    EXPECT_TRUE(Logged(" >>NO status <<"));
    EXPECT_EQ(FormWiFiDirect->m_WiFiDirectStatus.WifiDirectStatus, WIFIDIRECTEVENT_DISCOVERY_START);
    EXPECT_EQ(FormWiFiDirect->m_WiFiDirectWvstatus, WvStatus_Disconnected);
    EXPECT_EQ(Acknowledgements(), 1);
}

TEST_F(WiFiDirectEvents, OlderWindowsAcknowledgeWithTheOldRequestNumber)
{
    Start(24);
    Deliver(Event(WIFIDIRECTEVENT_DISCOVERY_START));
    EXPECT_EQ(Acknowledgements(SET_P2P_EVENT_READY_OLD), 1);
    EXPECT_EQ(Acknowledgements(SET_P2P_EVENT_READY_NEW), 0);
}

TEST_F(WiFiDirectEvents, WpsDoneTakesTheRoleAndTheKey)
{
    Start();
    WIFI_DIRECT_STATUS status = Event(WIFIDIRECTEVENT_STATUS_WPS_DONE);
    WIFI_DIRECT_WPS_DONE_CONTENT& c = status.WifiDirectStateContext.WpsDone.WpsDoneContent;
    c.nMyRule = WIFI_DIRECT_IS_GO;
    std::memcpy(c.Key, "passphrase-and-more", 19);
    c.KeyLength = 10;
    Deliver(status);
    EXPECT_EQ(FormWiFiDirect->m_ulMyRule, 1u);
    EXPECT_EQ(FormWiFiDirect->MyDeviceData.nRule, 1);
    EXPECT_EQ(FormWiFiDirect->m_strMykey, "passphrase");
    // the own-device box shows the owner's address line
    EXPECT_EQ(FormWiFiDirect->lblPresharedKeyText->Caption(), FormResource->UI_Str->STR_IP);
}

TEST_F(WiFiDirectEvents, ConnectCompleteMarksTheLinkAndTheProgressAsDone)
{
    Start();
    FormProgressMsg->m_bSuccess = 0;
    Deliver(Event(WIFIDIRECTEVENT_CONNECT_COMPLETE));
    EXPECT_EQ(FormWiFiDirect->m_WiFiDirectWvstatus, WvStatus_Connected);
    EXPECT_EQ(FormProgressMsg->m_bSuccess, 1);
}

TEST_F(WiFiDirectEvents, SigmaEventTurnsTheTestModeOn)
{
    Start();
    VOZEZIV.bWiFiDirectSigmaTest = 0;
    Deliver(Event(WIFIDIRECTEVENT_SIGMA_IS_ON));
    EXPECT_EQ(VOZEZIV.bWiFiDirectSigmaTest, 1);
}

struct ReconnectCase {
    int autoReconnect;
    int persist;
    BOOL armed;
    BOOL staysArmed;
    bool checked;
};

class DiscoveryArming : public WiFiDirectFixture, public ::testing::WithParamInterface<ReconnectCase> {};

TEST_P(DiscoveryArming, AutoReconnectStaysArmedOnlyWithBothSettings)
{
    const ReconnectCase& c = GetParam();
    Start();
    VOZEZIV.bSupportP2PAutoReconnect = c.autoReconnect;
    VOZEZIV.bSupportWiFiDirectPersist = c.persist;
    FormWiFiDirect->m_bAutoReconnect = c.armed;
    Deliver(Event(WIFIDIRECTEVENT_STATUS_UPDATE_DISCOVERY));
    EXPECT_EQ(FormWiFiDirect->m_bAutoReconnect, c.staysArmed);
    EXPECT_EQ(CallsSinceMark("WVWL_QueryP2PPersistState") > 0, c.checked);
    EXPECT_TRUE(Logged(" UpdateTopologyData:: Wi-Fi Direct is off"));
}

INSTANTIATE_TEST_SUITE_P(WiFiDirectEvents, DiscoveryArming,
                         ::testing::Values(ReconnectCase{1, 1, TRUE, FALSE, true}, ReconnectCase{1, 1, FALSE, FALSE, false},
                                           ReconnectCase{0, 1, TRUE, FALSE, false},
                                           ReconnectCase{1, 0, TRUE, FALSE, false}));

struct DisconnectCase {
    int winOS;
    bool flag;
    int sigma;
    bool acts;
};

void PrintTo(const DisconnectCase& c, std::ostream* os)
{
    *os << "os " << c.winOS << " flag " << c.flag << " sigma " << c.sigma;
}

class DisconnectEvent : public WiFiDirectFixture, public ::testing::WithParamInterface<DisconnectCase> {};

TEST_P(DisconnectEvent, LeavesTheGroupOnlyWhileWiFiDirectIsOnOrUnderTest)
{
    const DisconnectCase& c = GetParam();
    Start(c.winOS);
    SetStoredFlag(c.flag);
    VOZEZIV.bWiFiDirectSigmaTest = c.sigma;
    FormWiFiDirect->m_WiFiDirectWvstatus = WvStatus_Connected;
    FormWiFiDirect->m_bEnableAutonomousGO = TRUE;
    Deliver(Event(WIFIDIRECTEVENT_DISCONNECT));

    const bool newWindows = c.winOS >= 31;
    EXPECT_EQ(CallsSinceMark("WVWL_WlanDisconnectEx"), c.acts && newWindows ? 1 : 0);
    EXPECT_EQ(CallsSinceMark("WVWL_Disconnect"), c.acts && !newWindows ? 1 : 0);
    EXPECT_EQ(CallsSinceMark("WVWL_SetAuthMode"), c.acts && !newWindows ? 1 : 0);
    const bool reset = c.acts && newWindows;
    EXPECT_EQ(FormWiFiDirect->m_WiFiDirectWvstatus, reset ? WvStatus_Disconnected : WvStatus_Connected);
    EXPECT_EQ(FormWiFiDirect->m_bEnableAutonomousGO, reset ? FALSE : TRUE);
}

INSTANTIATE_TEST_SUITE_P(WiFiDirectEvents, DisconnectEvent,
                         ::testing::Values(DisconnectCase{41, true, 0, true}, DisconnectCase{41, false, 0, false},
                                           DisconnectCase{41, false, 1, true}, DisconnectCase{24, true, 0, true},
                                           DisconnectCase{24, false, 0, false}));

struct ErrorCase {
    bool flag;
    int sigma;
    uint32_t code;
    bool warned;
};

void PrintTo(const ErrorCase& c, std::ostream* os)
{
    *os << "flag " << c.flag << " sigma " << c.sigma << " error " << c.code;
}

class ErrorEvent : public WiFiDirectFixture, public ::testing::WithParamInterface<ErrorCase> {};

TEST_P(ErrorEvent, ShowsTheWarningOnlyWhenWiFiDirectIsOnAndNotUnderTest)
{
    const ErrorCase& c = GetParam();
    Start();
    SetStoredFlag(c.flag);
    VOZEZIV.bWiFiDirectSigmaTest = c.sigma;
    WIFI_DIRECT_STATUS status = Event(WIFIDIRECTEVENT_ERROR_CODE);
    status.WifiDirectStateContext.Error.ErrorStatusCode = c.code;
    Deliver(status);
    // every warning disconnects the wizard's peer
    EXPECT_EQ(CallsSinceMark("WVWL_DisConnectWifiDirectPerDevice"), c.warned ? 1 : 0);
    EXPECT_EQ(Acknowledgements(), 1);
}

INSTANTIATE_TEST_SUITE_P(WiFiDirectEvents, ErrorEvent,
                         ::testing::Values(ErrorCase{true, 0, 5, true}, ErrorCase{true, 0, 12, true},
                                           ErrorCase{true, 0, 0xFFFFFFFF, true},
                                           ErrorCase{true, 0, P2P_ERRCODE_STOPPR0GRESS, false},
                                           ErrorCase{false, 0, 5, false}, ErrorCase{true, 1, 5, false}));

TEST_F(WiFiDirectEvents, TheErrorThatStopsTheProgressStopsItWithoutAMessage)
{
    Start();
    SetStoredFlag(true);
    FormWiFiDirect->StartWiFiDirectProgress(TRUE, 120000);
    ASSERT_TRUE(FormWiFiDirect->TimerShowProgressBar->Enabled());
    WIFI_DIRECT_STATUS status = Event(WIFIDIRECTEVENT_ERROR_CODE);
    status.WifiDirectStateContext.Error.ErrorStatusCode = P2P_ERRCODE_STOPPR0GRESS;
    Deliver(status);
    EXPECT_FALSE(FormWiFiDirect->TimerShowProgressBar->Enabled());
    EXPECT_EQ(CallsSinceMark("WVWL_DisConnectWifiDirectPerDevice"), 0);
}

// Hostile records: every event code with every byte of its data 0xFF (counts of 255, lengths
// of 0xFFFFFFFF, names without terminator).
TEST_F(WiFiDirectEvents, RecordsFullOfOnesAreHandledAndAcknowledgedForEveryCode)
{
    Start();
    SetStoredFlag(true);
    int acknowledged = 0;
    for (int code = 0; code <= 30; ++code) {
        if (code == WIFIDIRECTEVENT_SWITCH_OPMODE_CONCURRENT || code == WIFIDIRECTEVENT_SWITCH_OPMODE_STA)
            continue;  // these switch the operating mode and restart the program
        WIFI_DIRECT_STATUS status;
        std::memset(&status, 0xFF, sizeof status);
        status.WifiDirectStatus = uint8_t(code);
        Deliver(status);
        if (code == WIFIDIRECTEVENT_ENABLE_DHCP_SERVER || code == WIFIDIRECTEVENT_NO_CROSSCONNECTION ||
            code == WIFIDIRECTEVENT_SUPPORT_CROSSCONNECTION) {
            ASSERT_TRUE(WaitForDhcpThread()) << code;
        }
        acknowledged += Acknowledgements();
        EXPECT_EQ(FormWiFiDirect->m_WiFiDirectStatus.WifiDirectStatus, code);
        EXPECT_LE(FormWiFiDirect->m_strMykey.size(), 64u) << code;
    }
    EXPECT_EQ(acknowledged, 29);
    EXPECT_EQ(FormWiFiDirect->m_strMykey, std::string(64, '\xFF'));
}

TEST_F(WiFiDirectEvents, AShortRecordLeavesNothingOfTheEventBefore)
{
    Start();
    WIFI_DIRECT_STATUS full = Event(WIFIDIRECTEVENT_STATUS_WPS_DONE);
    full.WifiDirectStateContext.WpsDone.WpsDoneContent.nMyRule = WIFI_DIRECT_IS_GO;
    std::memcpy(full.WifiDirectStateContext.WpsDone.WpsDoneContent.Key, "group-key-1234", 14);
    full.WifiDirectStateContext.WpsDone.WpsDoneContent.KeyLength = 14;
    Deliver(full);
    ASSERT_EQ(FormWiFiDirect->m_strMykey, "group-key-1234");

    // the library writes the code only: the rest is the program's zeroed record, not the old event
    Deliver(Event(WIFIDIRECTEVENT_STATUS_WPS_DONE), 1);
    EXPECT_EQ(FormWiFiDirect->m_strMykey, "");
    EXPECT_EQ(FormWiFiDirect->m_ulMyRule, 0u);
    EXPECT_EQ(Acknowledgements(), 1);
}

}  // namespace
