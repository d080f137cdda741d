// Turning Wi-Fi Direct on and off: the icons' double clicks and the calls of other windows
// reach the adapter library, and the window shows the state it ends in.
#include <windows.h>

#include <cstring>
#include <string>
#include <thread>

#include "core/WvwlLib.h"
#include "resources/FormResource.h"
#include "resources/UiStr.h"
#include "mainwindow/FormMain.h"
#include "ui/Seams.h"
#include "wifidirect/wifidirect_fixture.h"
#include "../ui/UiTestSupport.h"

namespace {

class WiFiDirectOnOff : public WiFiDirectFixture {
protected:
    // Answers the device-name question as the wizard does when the user finishes it.
    void FinishWizard()
    {
        m_onModal = [](const std::string&) { FormWiFiDirect->m_bOK = TRUE; };
        m_answer = 1;
    }
    int StoredFlag()
    {
        int flag = -1;
        VOZEZIV.WVWL_ReadWifiDirectFlag(&flag);
        return flag;
    }
    void ExpectOnState(bool on)
    {
        EXPECT_EQ(FormWiFiDirect->m_bEnableWiFiDirect, on ? TRUE : FALSE);
        EXPECT_EQ(FormWiFiDirect->ImgWiFiDirectOn->Visible(), on);
        EXPECT_EQ(FormWiFiDirect->ImgWiFiDirectOff->Visible(), !on);
        EXPECT_EQ(FormWiFiDirect->lblHintToEnable->Visible(), !on);
    }
};

TEST_F(WiFiDirectOnOff, DoubleClickOnTheOffIconAsksTheNameAndTurnsOn)
{
    Start(31);
    SetStoredFlag(false);
    FinishWizard();
    MarkCalls();
    FormWiFiDirect->Show();
    DoubleClickControl(FormWiFiDirect->ImgWiFiDirectOff);

    ASSERT_EQ(m_modals.size(), 1u);
    EXPECT_EQ(FormWiFiDirectSetting->m_enumActionTpye, ACTION_ENABLE);
    EXPECT_EQ(FormWiFiDirectSetting->m_strDeviceName, "Wevo-Direct");
    ExpectOnState(true);
    EXPECT_EQ(FormWiFiDirect->m_strMyDeviceName, "Wevo-Direct");
    EXPECT_EQ(std::string(FormWiFiDirect->MyDeviceData.chDeviceName, FormWiFiDirect->MyDeviceData.ulStringLen),
              "Wevo-Direct");
    EXPECT_EQ(FormWiFiDirect->m_strMyMacAddress.size(), 17u);
    EXPECT_EQ(CallsSinceMark("WVWL_SetWifiDirectWpseConfig"), 1);
    EXPECT_EQ(StoredFlag(), 1);
}

TEST_F(WiFiDirectOnOff, CancellingTheNameQuestionLeavesItOffButReadsTheAddress)
{
    Start(31);
    SetStoredFlag(false);
    m_answer = 2;
    MarkCalls();
    FormWiFiDirect->Show();
    DoubleClickControl(FormWiFiDirect->ImgWiFiDirectOff);

    EXPECT_EQ(m_modals.size(), 1u);
    ExpectOnState(false);
    EXPECT_EQ(CallsSinceMark("WVWL_SetWifiDirectWpseConfig"), 0);
    EXPECT_EQ(CallsSinceMark("WVWL_QueryMacAddrs"), 1);
    EXPECT_EQ(StoredFlag(), 0);
}

TEST_F(WiFiDirectOnOff, FromWindowsSevenTheOffIconGoesThroughTheMainWindowsStartUp)
{
    Start(41);
    SetStoredFlag(false);
    FinishWizard();
    MarkCalls();
    FormWiFiDirect->Show();
    DoubleClickControl(FormWiFiDirect->ImgWiFiDirectOff);

    EXPECT_GE(CallsSinceMark("WVWL_InitWifiDirect"), 1);
    ExpectOnState(true);
    EXPECT_EQ(StoredFlag(), 1);
    // the progress started for the wait was stopped when Wi-Fi Direct came up
    EXPECT_FALSE(FormWiFiDirect->TimerShowProgressBar->Enabled());
}

TEST_F(WiFiDirectOnOff, WhileJoinedToAnAdhocNetworkTheOffIconOnlyWarns)
{
    TScenario scenario;
    scenario.Set("System", "WinOS", "41")
        .AddSection("Network.Party", {"SSID=PartyNet", "BSSID=02:00:00:00:00:09", "Channel=6", "RSSI=-50",
                                      "Infrastructure=adhoc", "Security=open"});
    seams::modalAnswer = [this](const std::string& what) {
        m_modals.push_back(what);
        return 1;
    };
    StartProgram(scenario);
    if (FormMain->m_hInitWiFiDirectThread)
        WaitForSingleObject(FormMain->m_hInitWiFiDirectThread, 10000);
    SetStoredFlag(false);
    WLANPROFILE profile = VOZEZIV.defaultProfile;
    std::memset(&profile.SSID, 0, sizeof profile.SSID);
    std::memcpy(profile.SSID.Ssid, "PartyNet", 8);
    profile.SSID.SsidLength = 8;
    profile.enumNetworkType = 0;
    profile.enumAuthenMode = 0;
    profile.enumEncryStatus = 1;
    VOZEZIV.WVWL_SetWLANProfile(&profile);
    ASSERT_TRUE(PumpUntil([] {
        WLAN_STATUS status{};
        VOZEZIV.WVWL_QueryWLANStatus(&status, WLAN_STATUS_QUERY{{1, 1, 1, 1, 1}});
        return status.status == WvStatus_Connected && status.networkType == 0;
    }));
    m_modals.clear();
    MarkCalls();
    FormWiFiDirect->Show();
    DoubleClickControl(FormWiFiDirect->ImgWiFiDirectOff);

    // the ad-hoc warning is the only thing shown
    ASSERT_EQ(m_modals.size(), 1u);
    EXPECT_NE(m_modals[0].find(FormResource->UI_Str->STR_MSG_ERRCODE_ADHOCON), std::string::npos) << m_modals[0];
    EXPECT_EQ(CallsSinceMark("WVWL_InitWifiDirect"), 0);
    EXPECT_EQ(CallsSinceMark("WVWL_SetWifiDirectWpseConfig"), 0);
    ExpectOnState(false);
}

TEST_F(WiFiDirectOnOff, WithoutAStoredNameTheComputerNameIsUsedWithoutAsking)
{
    Start(41);
    char empty[64] = {};
    VOZEZIV.WVWL_WriteWiFiDirectDeviceName(empty);
    m_onModal = [](const std::string& what) { ADD_FAILURE() << "asked: " << what; };
    FormWiFiDirect->EnableOrDisableWiFiDirect(TRUE, FALSE, FALSE, FALSE);

    char computer[MAX_COMPUTERNAME_LENGTH + 1] = {};
    DWORD size = sizeof computer;
    ASSERT_TRUE(GetComputerNameA(computer, &size));
    char stored[65] = {};
    VOZEZIV.WVWL_ReadWiFiDirectDeviceName(stored);
    EXPECT_STREQ(stored, computer);
    EXPECT_EQ(FormWiFiDirectSetting->m_strDeviceName, computer);
    EXPECT_EQ(std::string(FormWiFiDirect->MyDeviceData.chDeviceName, FormWiFiDirect->MyDeviceData.ulStringLen),
              computer);
    EXPECT_TRUE(m_modals.empty());
    ExpectOnState(true);
}

TEST_F(WiFiDirectOnOff, AStoredOnStateTurnsItOnWithoutAsking)
{
    Start(41);
    SetStoredFlag(true);
    FormWiFiDirect->EnableOrDisableWiFiDirect(FALSE, TRUE, FALSE, FALSE);
    EXPECT_TRUE(m_modals.empty());
    ExpectOnState(true);
}

TEST_F(WiFiDirectOnOff, AFailedControlReadTakesTheOffRoad)
{
    Start(41);
    SetStoredFlag(true);
    std::string reply;
    SimCommand("inject WVWL_ReadWifiDirectControl * 0", &reply);
    MarkCalls();
    FormWiFiDirect->EnableOrDisableWiFiDirect(TRUE, TRUE, FALSE, FALSE);
    ExpectOnState(false);
    EXPECT_EQ(CallsSinceMark("WVWL_DisableWifiDirect"), 1);
    EXPECT_EQ(CallsSinceMark("WVWL_SetWifiDirectWpseConfig"), 0);
    EXPECT_EQ(StoredFlag(), 1);  // not written without bWriteWiFiDirectFlag
}

struct OffAnswerCase {
    int answer;
    bool turnsOff;
};

class OnIconDoubleClick : public WiFiDirectOnOff, public ::testing::WithParamInterface<OffAnswerCase> {};

TEST_P(OnIconDoubleClick, TurnsOffOnlyAfterOk)
{
    Start(41);
    SetStoredFlag(true);
    FormWiFiDirect->EnableOrDisableWiFiDirect(FALSE, TRUE, FALSE, FALSE);
    ASSERT_TRUE(FormWiFiDirect->m_bEnableWiFiDirect);
    FormWiFiDirect->m_WiFiDirectWvstatus = WvStatus_Connected;
    m_answer = GetParam().answer;
    MarkCalls();
    FormWiFiDirect->Show();
    DoubleClickControl(FormWiFiDirect->ImgWiFiDirectOn);

    const bool off = GetParam().turnsOff;
    EXPECT_EQ(m_modals.size(), 1u);
    ExpectOnState(!off);
    EXPECT_EQ(CallsSinceMark("WVWL_DisableWifiDirect"), off ? 1 : 0);
    EXPECT_EQ(CallsSinceMark("WVWL_WlanDisconnectEx"), off ? 1 : 0);
    EXPECT_EQ(CallsSinceMark("WVWL_StopWifiDirectGO"), off ? 1 : 0);
    EXPECT_EQ(StoredFlag(), off ? 0 : 1);
    if (off) {
        EXPECT_EQ(FormWiFiDirect->m_WiFiDirectWvstatus, WvStatus_Disconnected);
        EXPECT_EQ(FormWiFiDirect->m_ulMyRule, uint32_t(WIFI_DIRECT_IS_CLIENT));
    }
}

INSTANTIATE_TEST_SUITE_P(WiFiDirectOnOff, OnIconDoubleClick,
                         ::testing::Values(OffAnswerCase{1, true}, OffAnswerCase{2, false}));

TEST_F(WiFiDirectOnOff, StoppingTheProgressFromAnotherThreadIsDoneOnTheWindowThread)
{
    Start(41);
    FormWiFiDirect->StartWiFiDirectProgress(TRUE, 120000);
    ASSERT_TRUE(FormWiFiDirect->TimerShowProgressBar->Enabled());
    std::thread worker([] { FormWiFiDirect->StartWiFiDirectProgress(FALSE, 0); });
    worker.join();
    EXPECT_TRUE(PumpUntil([] { return !FormWiFiDirect->TimerShowProgressBar->Enabled(); }, 2000));
}

}  // namespace
