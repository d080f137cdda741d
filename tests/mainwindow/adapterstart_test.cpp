// Adapter detection and start-up on the simulated adapter.
#include <windows.h>
#include <dbt.h>

#include <cstring>

#include "dialogs/Dialogs.h"
#include "profiles/FormProfile.h"
#include "program_fixture.h"
#include "ui/Seams.h"

namespace {

using AdapterStart = ProgramFixture;

class AdapterStartPerWindows : public ProgramFixture, public ::testing::WithParamInterface<int> {};

TEST_P(AdapterStartPerWindows, SelectsTheAdapterAndBringsItUp)
{
    const int os = GetParam();
    StartProgram(TScenario().Set("System", "WinOS", std::to_string(os)));
    ASSERT_NE(FormMain, nullptr);
    EXPECT_EQ(VOZEZIV.nWinOS, os);
    EXPECT_TRUE(FormMain->m_bDeviceExist);
    EXPECT_TRUE(FormMain->m_bPreStatusDeviceExist);
    EXPECT_STREQ(VOZEZIV.selectedAdapter.DevDesc, "Tarnwell 802.11ac Wireless LAN Card");
    EXPECT_EQ(SimCallCount("WVWL_AdapterSelect"), 1);
    EXPECT_EQ(SimCallCount("WVWL_Initial"), 1);
    EXPECT_EQ(SimCallCount("WVWL_VerifyCountryRegion"), 1);
    // The stored radio state is written below Vista, and from Vista only when it differs.
    EXPECT_EQ(SimCallCount("WVWL_SetAndWriteRadioState") > 0, os < 31);
    EXPECT_TRUE(FormMain->m_bRadio);
    EXPECT_TRUE(FormMain->ImgRadioOn->Visible());
    EXPECT_FALSE(FormMain->ImgRadioOff->Visible());
    EXPECT_NE(m_hWiFiDisplayStatusEvent, nullptr);
    EXPECT_GE(SimCallCount("WVWL_InitWifiDisplay"), 1);
    EXPECT_TRUE(FormMain->TimerReconnect->Enabled());
    EXPECT_TRUE(FormMain->TimerRadioStatus->Enabled());
    EXPECT_TRUE(FormMain->TimerSignalQuality->Enabled());
    // The WPA-capability check has nothing to do from Vista on, so its timer stays off there.
    EXPECT_EQ(FormMain->TimerCheckWPACap->Enabled(), os < 31);
    EXPECT_EQ(VOZEZIV.WVWL_QueryOPMode(), OP_MODE_STATION);
    EXPECT_EQ(FormMain->m_nNowIcon, 1u);
    // Below Windows 7 Wi-Fi Direct starts on the window thread at once.
    if (os < 41) {
        EXPECT_GE(SimCallCount("WVWL_InitWifiDirect"), 1);
    }
}

INSTANTIATE_TEST_SUITE_P(WindowsVersions, AdapterStartPerWindows, ::testing::Values(21, 24, 31, 41, 51));

TEST_F(AdapterStart, TwoAdaptersAskWhichOneAndADeviceChangeMeanwhileDoesNothing)
{
    int asked = 0;
    seams::modalAnswer = [&asked](const std::string&) {
        ++asked;
        // a device change while the choice is open is skipped
        SendMessageA(FormMain->Handle(), WM_DEVICECHANGE, DBT_DEVICEARRIVAL, 0);
        FormSelectCard->m_nSelectIndex = 1;
        return 1;
    };
    StartProgram(TScenario().AddSection("Adapter.2", {"Present=1", "DevDesc=Second Card", "HardwareID=USB\\VID_1&PID_2",
                                                      "Kind=4", "Mac=00:0C:43:AA:BB:CC"}));
    EXPECT_EQ(asked, 1);
    EXPECT_STREQ(VOZEZIV.selectedAdapter.DevDesc, "Second Card");
    EXPECT_FALSE(FormMain->m_bSelectingAdapter);
    EXPECT_EQ(SimCallCount("WVWL_AdapterSelect"), 1);
}

TEST_F(AdapterStart, AChoicePastTheListTakesTheFirstAdapter)
{
    seams::modalAnswer = [](const std::string&) {
        FormSelectCard->m_nSelectIndex = 7;
        return 1;
    };
    StartProgram(TScenario().AddSection("Adapter.2", {"Present=1", "DevDesc=Second Card", "HardwareID=USB\\VID_1&PID_2",
                                                      "Kind=4", "Mac=00:0C:43:AA:BB:CC"}));
    EXPECT_STREQ(VOZEZIV.selectedAdapter.DevDesc, "Tarnwell 802.11ac Wireless LAN Card");
    EXPECT_TRUE(FormMain->m_bDeviceExist);
}

TEST_F(AdapterStart, NoAdapterLeavesTheSelectionEmpty)
{
    StartProgram(TScenario().Set("Adapter.1", "Present", "0"));
    EXPECT_FALSE(FormMain->m_bDeviceExist);
    EXPECT_EQ(VOZEZIV.selectedAdapter.DevDesc[0], 0);
    EXPECT_EQ(SimCallCount("WVWL_AdapterSelect"), 0);
    EXPECT_FALSE(FormMain->TimerReconnect->Enabled());
    EXPECT_EQ(FormMain->m_nNowIcon, 0u);
}

TEST_F(AdapterStart, StoredModeIsAppliedFromWindows7)
{
    StartProgram(TScenario().Set("Driver", "StoredOpMode", "3"));
    EXPECT_GE(SimCallCount("WVWL_SetAndWriteOPMode"), 1);
    EXPECT_EQ(VOZEZIV.WVWL_QueryOPMode(), OP_MODE_STA_WIFI_DIRECT);
    EXPECT_TRUE(FormMain->m_bHideAPButton);
}

TEST_F(AdapterStart, ApClientModeOnVistaFallsBackToStation)
{
    StartProgram(TScenario().Set("System", "WinOS", "31").Set("Driver", "OpMode", "2").Set("Driver", "StoredOpMode", "2"));
    EXPECT_EQ(VOZEZIV.WVWL_QueryOPMode(), OP_MODE_STATION);
    EXPECT_GE(SimCallCount("WVWL_DisableICS"), 1);
}

TEST_F(AdapterStart, ApClientModeOnWindows7ShowsTheAccessPointButton)
{
    StartProgram(TScenario().Set("Driver", "OpMode", "2").Set("Driver", "StoredOpMode", "2"));
    EXPECT_FALSE(FormMain->m_bHideAPButton);
}

TEST_F(AdapterStart, Windows7StarterHidesWiFiDirect)
{
    StartProgram(TScenario().Set("System", "WinType", "14"));
    EXPECT_TRUE(FormMain->m_bHideWiFiDirect);
}

TEST_F(AdapterStart, StoredProfileIsRebuiltAndQueuedByTheReconnectTimer)
{
    LoadLibrary();
    StoreHomeProfile();
    CreateWindows();
    ASSERT_TRUE(FormMain->TimerReconnect->Enabled());
    SimJournalClear();
    FormMain->TimerReconnect->Tick();
    EXPECT_FALSE(FormMain->TimerReconnect->Enabled());
    EXPECT_STREQ(g_pRegProfData->strProfileName, "Home");
    EXPECT_STREQ(FormProfile->m_strProfile.c_str(), "Home");
    EXPECT_TRUE(FormProfile->m_bActiveProfile);
    EXPECT_EQ(SimCallCount("WVWL_SetWLANProfile"), 1);
    EXPECT_STREQ(FormMain->m_pProfData->strProfileName, "Home");
}

TEST_F(AdapterStart, WiFiDisplayConfigurationIsRefreshedOnlyWhenEnabled)
{
    StartProgram();
    VOZEZIV.WVWL_WriteWifiDirectFlag(1);   // Wi-Fi Direct on: the refresh may run
    BYTE config[452] = {};
    config[0] = 0;
    VOZEZIV.WVWL_WriteAndSetWDPConfig(config, 0);
    int writes = SimCallCount("WVWL_WriteAndSetWDPConfig");
    FormMain->CheckAndInitWiFiDisplay();
    EXPECT_EQ(SimCallCount("WVWL_WriteAndSetWDPConfig"), writes);

    config[0] = 1;
    VOZEZIV.WVWL_WriteAndSetWDPConfig(config, 1);
    FormMain->CheckAndInitWiFiDisplay();
    BYTE read[452] = {};
    VOZEZIV.WVWL_ReadWDPConfig(read);
    WORD port;
    std::memcpy(&port, read + 4, 2);
    EXPECT_EQ(port, 7236);
}

}  // namespace

namespace {

TEST_F(AdapterStart, ScanCompletionTimerOnlyForUsb11Adapters)
{
    StartProgram(TScenario().Set("System", "USBVersion", "1"));
    ADVANCE_CONFIG_DATA adv{};
    VOZEZIV.WVWL_ReadAdvanceCfgData(&adv);
    int adhoc = 0;
    VOZEZIV.WVWL_ConvertPhyModeToAdHocMode(int(adv.WirelessMode), &adhoc);
    unsigned char channels[64] = {};
    int count = 0;
    VOZEZIV.WVWL_GetAvailableChannels(1, int(adv.WirelessMode), adhoc, channels, &count, 0);
    const int interval = count * 800 - 10000;
    EXPECT_EQ(FormMain->GetScanListForUSB11(), interval > 0 ? 1 : 0);
    EXPECT_EQ(FormMain->TimerGetTScanTblUSB11->Enabled(), interval > 0);
    if (interval > 0) {
        EXPECT_EQ(FormMain->TimerGetTScanTblUSB11->Interval(), unsigned(interval));
    }
}

TEST_F(AdapterStart, NoScanCompletionTimerForUsb2Adapters)
{
    StartProgram();
    EXPECT_EQ(FormMain->GetScanListForUSB11(), 0);
    EXPECT_FALSE(FormMain->TimerGetTScanTblUSB11->Enabled());
}

}  // namespace
