// Unplugging and plugging the simulated adapter, suspend and resume.
#include <windows.h>
#include <dbt.h>

#include <ostream>
#include <string>
#include <vector>

#include "dialogs/Dialogs.h"
#include "dialogs/FormProgressMsg.h"
#include "mainwindow/FormLinkInfo.h"
#include "profiles/FormProfileEdit.h"
#include "program_fixture.h"
#include "wifidirect/FormWiFiDirect.h"
#include "wifidirect/FormWiFiDirectMediaSharing.h"
#include "wifidirect/FormWiFiDirectProfile.h"
#include "wifidirect/WiFiDirectSetting.h"
#include "wifidisplay/FormWiFiDisplay.h"

namespace {

class DeviceChange : public ProgramFixture {
protected:
    void Notify(WPARAM event)
    {
        SendMessageA(FormMain->Handle(), WM_DEVICECHANGE, event, 0);
        Pump(50);
    }
    void Power(WPARAM event)
    {
        SendMessageA(FormMain->Handle(), WM_POWERBROADCAST, event, 0);
        Pump(50);
    }
};

TEST_F(DeviceChange, UnplugStopsEverythingAndReplugBringsItBack)
{
    StartProgram();
    FormMain->Show();
    ASSERT_TRUE(FormMain->m_bDeviceExist);
    const int initCards = SimCallCount("WVWL_VerifyCountryRegion");

    ASSERT_EQ(SimPlugAdapter(1, false), 1);
    Notify(DBT_DEVICEREMOVECOMPLETE);
    EXPECT_FALSE(FormMain->m_bDeviceExist);
    EXPECT_FALSE(FormMain->m_bPreStatusDeviceExist);
    EXPECT_FALSE(FormMain->TimerSignalQuality->Enabled());
    EXPECT_FALSE(FormMain->TimerRadioStatus->Enabled());
    EXPECT_FALSE(FormMain->TimerCheckWPACap->Enabled());
    EXPECT_FALSE(FormLinkInfo->TimerLinkInfo->Enabled());
    EXPECT_FALSE(FormMain->Visible());
    EXPECT_EQ(FormMain->m_nNowIcon, 0u);
    EXPECT_GE(SimCallCount("WVWL_Release"), 1);
    EXPECT_EQ(FormMain->m_pProfData->strProfileName[0], 0);

    ASSERT_EQ(SimPlugAdapter(1, true), 1);
    Notify(DBT_DEVICEARRIVAL);
    EXPECT_TRUE(FormMain->m_bDeviceExist);
    EXPECT_TRUE(FormMain->m_bPreStatusDeviceExist);
    EXPECT_TRUE(FormMain->TimerSignalQuality->Enabled());
    EXPECT_TRUE(FormMain->TimerRadioStatus->Enabled());
    EXPECT_TRUE(FormMain->TimerReconnect->Enabled());
    EXPECT_TRUE(FormLinkInfo->TimerLinkInfo->Enabled());
    EXPECT_EQ(FormMain->m_nNowIcon, 1u);
    EXPECT_EQ(SimCallCount("WVWL_VerifyCountryRegion"), initCards + 1);
}

TEST_F(DeviceChange, RepeatedNotificationsChangeNothing)
{
    StartProgram();
    const int initCards = SimCallCount("WVWL_VerifyCountryRegion");
    Notify(DBT_DEVICEARRIVAL);
    Notify(DBT_DEVICEARRIVAL);
    EXPECT_EQ(SimCallCount("WVWL_VerifyCountryRegion"), initCards);

    SimPlugAdapter(1, false);
    Notify(DBT_DEVICEREMOVECOMPLETE);
    const int releases = SimCallCount("WVWL_Release");
    Notify(DBT_DEVICEREMOVECOMPLETE);
    Notify(DBT_DEVICEQUERYREMOVE);
    EXPECT_EQ(SimCallCount("WVWL_Release"), releases);
    EXPECT_FALSE(FormMain->m_bDeviceExist);
}

TEST_F(DeviceChange, RemovalWithAnotherAdapterSwitchesToIt)
{
    StartProgram(TScenario().AddSection("Adapter.2", {"Present=0", "DevDesc=Second Card", "HardwareID=USB\\VID_1&PID_2",
                                                      "Kind=4", "Mac=00:0C:43:AA:BB:CC"}));
    ASSERT_STREQ(VOZEZIV.selectedAdapter.DevDesc, "Tarnwell 802.11ac Wireless LAN Card");
    SimPlugAdapter(2, true);
    SimPlugAdapter(1, false);
    Notify(DBT_DEVICEREMOVECOMPLETE);
    EXPECT_TRUE(FormMain->m_bDeviceExist);
    EXPECT_STREQ(VOZEZIV.selectedAdapter.DevDesc, "Second Card");
    EXPECT_TRUE(FormMain->TimerSignalQuality->Enabled());
}

// A top-level window of another part of the system, by its title; it records WM_CLOSE.
class TitledWindow {
public:
    explicit TitledWindow(const char* title)
    {
        WNDCLASSA wc{};
        wc.lpfnWndProc = Proc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "DeviceChangeTitled";
        RegisterClassA(&wc);
        handle_ = CreateWindowA(wc.lpszClassName, title, WS_OVERLAPPED, 0, 0, 50, 50, nullptr, nullptr,
                                wc.hInstance, nullptr);
    }
    ~TitledWindow()
    {
        if (IsWindow(handle_))
            DestroyWindow(handle_);
    }
    bool Closed() const { return !IsWindow(handle_); }

private:
    static LRESULT CALLBACK Proc(HWND w, UINT m, WPARAM wp, LPARAM lp) { return DefWindowProcA(w, m, wp, lp); }
    HWND handle_ = nullptr;
};

TEST_F(DeviceChange, RemovalClosesEveryAdapterWindowAndStopsSharing)
{
    StartProgram();
    FormMain->Show();
    VOZEZIV.WVWL_EnableICS(nullptr, nullptr, 1, 0);
    VOZEZIV.WVWL_WriteWifiDirectFlag(1);
    VOZEZIV.bWiFiDirectSigmaTestIni = 0;
    VOZEZIV.bWiFiDirectSigmaTest = 1;
    FormWiFiDirect->m_bEnableAutonomousGO = TRUE;
    TForm* windows[] = {FormWiFiDirectSetting, FormWiFiDirectProfile, FormWiFiDirectMediaSharing,
                        FormProgressMsg, FormProfileEdit, FormMessageBox};
    for (TForm* form : windows)
        form->Show();
    FormProgressMsg->m_strPinText = "12345670";
    TitledWindow others[] = {TitledWindow("RIDORIDARAZ"), TitledWindow("ZIZAVOREZAV"), TitledWindow("HTML Help")};
    Pump(50);

    ASSERT_EQ(SimPlugAdapter(1, false), 1);
    Notify(DBT_DEVICEREMOVECOMPLETE);
    Pump(100);

    for (TForm* form : windows)
        EXPECT_FALSE(form->Visible()) << form->Caption();
    EXPECT_TRUE(FormProgressMsg->m_strPinText.empty());
    for (const TitledWindow& other : others)
        EXPECT_TRUE(other.Closed());
    EXPECT_EQ(FormWiFiDirect->m_bEnableAutonomousGO, FALSE);
    EXPECT_EQ(VOZEZIV.bWiFiDirectSigmaTest, 0);
    EXPECT_EQ(SimCallCount("WVWL_DisableDhcpServer"), 1);
    EXPECT_EQ(SimCallCount("WVWL_DisableICS"), 1);
}

TEST_F(DeviceChange, RemovalWithoutWiFiDirectLeavesSharingAlone)
{
    StartProgram();
    VOZEZIV.WVWL_EnableICS(nullptr, nullptr, 1, 0);
    VOZEZIV.WVWL_WriteWifiDirectFlag(0);
    VOZEZIV.bWiFiDirectSigmaTest = VOZEZIV.bWiFiDirectSigmaTestIni = 0;
    ASSERT_EQ(SimPlugAdapter(1, false), 1);
    Notify(DBT_DEVICEREMOVECOMPLETE);
    EXPECT_FALSE(FormMain->m_bDeviceExist);
    EXPECT_EQ(SimCallCount("WVWL_DisableDhcpServer"), 0);
    EXPECT_EQ(SimCallCount("WVWL_DisableICS"), 0);
}

TEST_F(DeviceChange, RemovalWhileADisplaySessionRunsTearsItDownFirst)
{
    StartProgram();
    FormWiFiDisplay->Show();
    // A running session, as a connection leaves the window.
    FormWiFiDisplay->m_iNowConnectType = WDP_CONNECT_P2P;
    FormWiFiDisplay->EnableWDPPlayControlButton(true);

    ASSERT_EQ(SimPlugAdapter(1, false), 1);
    Notify(DBT_DEVICEREMOVECOMPLETE);

    EXPECT_FALSE(FormWiFiDisplay->Visible());
    EXPECT_EQ(FormWiFiDisplay->GetNowConnectType(), WDP_CONNECT_NONE);
    EXPECT_FALSE(FormWiFiDisplay->BtnWDPTeardown->Enabled());
}

TEST_F(DeviceChange, StartWithoutAdapterThenPlugIn)
{
    StartProgram(TScenario().Set("Adapter.1", "Present", "0"));
    ASSERT_FALSE(FormMain->m_bDeviceExist);
    SimPlugAdapter(1, true);
    Notify(DBT_DEVICEARRIVAL);
    EXPECT_TRUE(FormMain->m_bDeviceExist);
    EXPECT_STREQ(VOZEZIV.selectedAdapter.DevDesc, "Tarnwell 802.11ac Wireless LAN Card");
    EXPECT_EQ(SimCallCount("WVWL_AdapterSelect"), 1);
}

TEST_F(DeviceChange, SuspendTurnsWiFiDirectOffAndResumeRestoresTheFlag)
{
    StartProgram();
    VOZEZIV.WVWL_WriteWifiDirectFlag(1);
    Power(PBT_APMSUSPEND);
    EXPECT_EQ(FormMain->m_bSavedWiFiDirectFlag, 1);
    int flag = -1;
    VOZEZIV.WVWL_ReadWifiDirectFlag(&flag);
    EXPECT_EQ(flag, 0);

    Power(PBT_APMRESUMEAUTOMATIC);
    ASSERT_TRUE(FormMain->WiFiDirectWakeUpControlTimer->Enabled());
    EXPECT_EQ(FormMain->WiFiDirectWakeUpControlTimer->Interval(), 5000u);
    FormMain->WiFiDirectWakeUpControlTimer->Tick();
    EXPECT_FALSE(FormMain->WiFiDirectWakeUpControlTimer->Enabled());
    VOZEZIV.WVWL_ReadWifiDirectFlag(&flag);
    EXPECT_EQ(flag, 1);
}

// The stored Wi-Fi Direct flag after a run of power events, each ended by the wake-up tick when
// a resume started it: a wake-up gives back what the first suspend found, and one the program
// saw no suspend for leaves the flag as it is.
struct PowerCase {
    const char* name;
    int flagBefore;
    std::vector<WPARAM> events;
    int flagAfter;
};

void PrintTo(const PowerCase& c, std::ostream* out)
{
    *out << c.name;
}

class PowerSequence : public DeviceChange, public ::testing::WithParamInterface<PowerCase> {};

TEST_P(PowerSequence, WakeUpLeavesTheFlagAsTheUserHadIt)
{
    const PowerCase& c = GetParam();
    StartProgram();
    VOZEZIV.WVWL_WriteWifiDirectFlag(c.flagBefore);
    for (WPARAM event : c.events) {
        Power(event);
        if (event == PBT_APMRESUMEAUTOMATIC) {
            ASSERT_TRUE(FormMain->WiFiDirectWakeUpControlTimer->Enabled());
            FormMain->WiFiDirectWakeUpControlTimer->Tick();
        }
    }
    int flag = -1;
    VOZEZIV.WVWL_ReadWifiDirectFlag(&flag);
    EXPECT_EQ(flag, c.flagAfter);
}

INSTANTIATE_TEST_SUITE_P(
    DeviceChange, PowerSequence,
    ::testing::Values(PowerCase{"ResumeWithoutSuspendOn", 1, {PBT_APMRESUMEAUTOMATIC}, 1},
                      PowerCase{"ResumeWithoutSuspendOff", 0, {PBT_APMRESUMEAUTOMATIC}, 0},
                      PowerCase{"SuspendResumeOff", 0, {PBT_APMSUSPEND, PBT_APMRESUMEAUTOMATIC}, 0},
                      PowerCase{"TwoSuspendsOneResume", 1, {PBT_APMSUSPEND, PBT_APMSUSPEND, PBT_APMRESUMEAUTOMATIC}, 1},
                      PowerCase{"SuspendResumeTwice", 1,
                                {PBT_APMSUSPEND, PBT_APMRESUMEAUTOMATIC, PBT_APMRESUMEAUTOMATIC}, 1}),
    [](const ::testing::TestParamInfo<PowerCase>& info) { return std::string(info.param.name); });

TEST_F(DeviceChange, SuspendWithoutWpaOnlySavesTheFlag)
{
    StartProgram(TScenario().Set("System", "WpaCapable", "0"));
    VOZEZIV.WVWL_WriteWifiDirectFlag(1);
    Power(PBT_APMSUSPEND);
    EXPECT_EQ(FormMain->m_bSavedWiFiDirectFlag, 1);
    int flag = -1;
    VOZEZIV.WVWL_ReadWifiDirectFlag(&flag);
    EXPECT_EQ(flag, 1);
}

}  // namespace

namespace {

DWORD g_activeSession = 1;
DWORD WINAPI FakeActiveSession() { return g_activeSession; }

TEST_F(DeviceChange, ConsoleSessionSwitchLocksAndComesBack)
{
    StartProgram();
    FormMain->Show();
    FormMain->m_pfnGetActiveConsoleSessionId = FakeActiveSession;
    FormMain->m_dwOwnSessionId = FormMain->m_dwLastSessionId = 1;
    g_activeSession = 2;
    FormMain->TimerSessionID->Tick();
    EXPECT_TRUE(FormMain->m_bSessionLock);
    EXPECT_FALSE(FormMain->Visible());
    EXPECT_GE(SimCallCount("WVWL_WlanDeleteAllOstrelWindowsProfiles"), 1);

    g_activeSession = 1;
    FormMain->TimerSessionID->Tick();
    EXPECT_FALSE(FormMain->m_bSessionLock);
    EXPECT_EQ(FormMain->m_nNowIconType, -1);
    EXPECT_TRUE(FormMain->m_bRadio);
    EXPECT_EQ(FormMain->m_dwLastSessionId, 1u);
}

}  // namespace
