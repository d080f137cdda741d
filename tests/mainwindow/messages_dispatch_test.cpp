// The main window's private messages, each posted and pumped to its handler.
#include <windows.h>

#include <algorithm>
#include <cstring>

#include "mainwindow/FormSiteSurvey.h"
#include "profiles/FormProfile.h"
#include "profiles/FormProfileEdit.h"
#include "program_fixture.h"
#include "wifidirect/FormWiFiDirect.h"

namespace {

class MainMessages : public ProgramFixture {
protected:
    void SetUp() override
    {
        ProgramFixture::SetUp();
        StartProgram();
        ASSERT_NE(FormMain, nullptr);
        VOZEZIV.nDebugMode = 6;
    }

    void Post(UINT message, WPARAM wParam = 0, LPARAM lParam = 0)
    {
        ASSERT_TRUE(PostMessageA(FormMain->Handle(), message, wParam, lParam));
        Pump(100);
    }

    bool Logged(const std::string& text) const
    {
        return std::any_of(m_log.begin(), m_log.end(),
                           [&](const std::string& line) { return line.find(text) != std::string::npos; });
    }
};

TEST_F(MainMessages, ScanFailureClearsTheSurveyFlagsAndRereadsAnEmptyList)
{
    m_bSurveyComplete = 1;
    FormSiteSurvey->m_bRescan = 1;
    FormSiteSurvey->pBssidList.assign(64, 0);
    const int queries = SimCallCount("WVWL_SiteSurveyQuery");

    Post(MSG_SCAN_FAIL);

    EXPECT_EQ(m_bSurveyComplete, 0);
    EXPECT_EQ(FormSiteSurvey->m_bRescan, 0);
    EXPECT_TRUE(Logged(" GetScanListForUSB11() return FALSE"));
    EXPECT_GT(SimCallCount("WVWL_SiteSurveyQuery"), queries);
}

TEST_F(MainMessages, InterfaceArrivalStartsTheReconnectTimer)
{
    FormMain->TimerReconnect->SetEnabled(false);
    FormMain->TimerReconnect->SetInterval(1);
    Post(MSG_INTERFACE_ARRIVAL);
    EXPECT_TRUE(FormMain->TimerReconnect->Enabled());
    EXPECT_EQ(FormMain->TimerReconnect->Interval(), 4000u);
}

TEST_F(MainMessages, EnableMainWindowDisablesAndEnablesInput)
{
    FormMain->Show();
    Post(MSG_ENABLE_MAIN_WINDOW, 0);
    EXPECT_FALSE(IsWindowEnabled(FormMain->Handle()));
    EXPECT_TRUE(FormMain->Visible());

    FormMain->Hide();
    Post(MSG_ENABLE_MAIN_WINDOW, 1);
    EXPECT_TRUE(IsWindowEnabled(FormMain->Handle()));
    EXPECT_TRUE(FormMain->Visible());
}

TEST_F(MainMessages, SiteSurveyConnectQueuesThePendingAction)
{
    FormMain->m_bReConnect = FALSE;
    FormProfile->m_bActiveProfile = 1;
    FormProfile->m_bSiteSurveyConnect = 0;
    SimJournalClear();

    Post(MSG_SITE_SURVEY_CONNECT);

    EXPECT_TRUE(FormMain->m_bReConnect);
    EXPECT_EQ(FormProfile->m_bActiveProfile, 0);
    EXPECT_EQ(FormProfile->m_bSiteSurveyConnect, 1);
    EXPECT_NE(SimJournal().find("WVWL_WriteRegValue(CurProfile sz=\"\")"), std::string::npos);
}

TEST_F(MainMessages, ClearEnrolleeFlagResetsTheProfileEditor)
{
    FormProfileEdit->m_bExtRegDeviceFound = 1;
    Post(MSG_CLEAR_ENROLLEE_FLAG);
    EXPECT_EQ(FormProfileEdit->m_bExtRegDeviceFound, 0);
}

TEST_F(MainMessages, UiShowFromASecondInstanceShowsTheWindow)
{
    FormMain->Hide();
    Post(MSG_UI_SHOW);
    EXPECT_TRUE(Logged(" >>MSG_UI_SHOW<<"));
    EXPECT_TRUE(FormMain->Visible());
}

TEST_F(MainMessages, TrayExitStopsTheTimers)
{
    ASSERT_TRUE(FormMain->TimerRadioStatus->Enabled());
    Post(MSG_TRAY_EXIT);
    EXPECT_TRUE(Logged(" OnReceiveTrayExitMsg()"));
    EXPECT_FALSE(FormMain->TimerRadioStatus->Enabled());
    EXPECT_FALSE(FormMain->TimerSignalQuality->Enabled());
}

TEST_F(MainMessages, MediaConnectCopiesTheBssidOfTheAssociation)
{
    std::memset(FormProfileEdit->m_WpsApMac, 0xEE, sizeof FormProfileEdit->m_WpsApMac);
    SimJournalClear();
    Post(MSG_MEDIA_CONNECT);
    EXPECT_NE(SimJournal().find("WVWL_OIDQueryInfo(0x0D010101 6)"), std::string::npos) << SimJournal();
    BYTE expected[6] = {};
    unsigned long written = 0;
    VOZEZIV.WVWL_OIDQueryInfo(0x0D010101, expected, 6, &written);
    EXPECT_EQ(std::memcmp(FormProfileEdit->m_WpsApMac, expected, 6), 0);
}

struct ConnectCompleteCase {
    const char* name;
    int wifiDirectFlag;
    int sigmaTest;
    uint32_t role;
    bool renews;
    const char* logged;
};

class ConnectComplete : public MainMessages, public ::testing::WithParamInterface<ConnectCompleteCase> {};

TEST_P(ConnectComplete, RenewsTheAddressOnlyAsAWiFiDirectClient)
{
    const ConnectCompleteCase& c = GetParam();
    VOZEZIV.WVWL_WriteWifiDirectFlag(c.wifiDirectFlag);
    VOZEZIV.bWiFiDirectSigmaTest = c.sigmaTest;
    FormWiFiDirect->m_ulMyRule = c.role;
    const int renewals = SimCallCount("WVWL_RenewIPAddr");

    Post(MSG_CONNECT_COMPLETE);
    if (c.renews) {
        EXPECT_TRUE(PumpUntil([&] { return SimCallCount("WVWL_RenewIPAddr") > renewals; }, 3000));
    } else {
        Pump(200);
    }

    EXPECT_TRUE(Logged(" >>MSG_CONNECT_COMPLETE<<"));
    EXPECT_EQ(SimCallCount("WVWL_RenewIPAddr") > renewals, c.renews);
    if (c.logged) {
        EXPECT_TRUE(Logged(c.logged));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ConnectComplete,
    ::testing::Values(ConnectCompleteCase{"ClientWithWiFiDirectOn", 1, 0, 2, true, nullptr},
                      ConnectCompleteCase{"ClientInTestBed", 0, 1, 2, true, nullptr},
                      ConnectCompleteCase{"GroupOwner", 1, 0, 1, false, "m_ulMyRule = 1"},
                      ConnectCompleteCase{"WiFiDirectOff", 0, 0, 2, false, "WVWL_ReadWifiDirectFlag = 1; bWiFiDirect = 0"}),
    [](const ::testing::TestParamInfo<ConnectCompleteCase>& info) { return std::string(info.param.name); });

TEST_F(MainMessages, PowerBroadcastIsLoggedByTheMessageMap)
{
    SendMessageA(FormMain->Handle(), WM_POWERBROADCAST, PBT_APMRESUMESUSPEND, 0);
    EXPECT_TRUE(Logged(">>PBT_APMRESUMESUSPEND<<"));
    SendMessageA(FormMain->Handle(), WM_POWERBROADCAST, PBT_APMPOWERSTATUSCHANGE, 0);
    EXPECT_TRUE(Logged("WParam = 0xa"));
}

TEST_F(MainMessages, UnnamedUserMessagesAreSwallowed)
{
    VOZEZIV.nDebugMode = 8;
    for (UINT message : {WM_USER + 2, WM_USER + 3, WM_USER + 17})
        Post(message, 1, 2);
    EXPECT_TRUE(Logged("((PMessage)Message)->Msg = 0x402"));
    EXPECT_TRUE(Logged("((PMessage)Message)->Msg = 0x403"));
    EXPECT_TRUE(Logged("((PMessage)Message)->Msg = 0x411"));
    EXPECT_TRUE(IsWindow(FormMain->Handle()));
}

}  // namespace
