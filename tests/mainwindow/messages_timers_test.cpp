// The main window's timers: log level, console session, signal quality and the
// USB 1.1 scan completion.
#include <windows.h>

#include <algorithm>
#include <cstring>
#include <fstream>

#include "core/Settings.h"
#include "mainwindow/FormSiteSurvey.h"
#include "program_fixture.h"

namespace {

class MainTimers : public ProgramFixture {
protected:
    bool Logged(const std::string& text) const
    {
        return std::any_of(m_log.begin(), m_log.end(),
                           [&](const std::string& line) { return line.find(text) != std::string::npos; });
    }
};

// ---- log level

// Each reading gets a settings file of its own name: the platform caches profile files.
std::string WriteSettings(const std::string& text)
{
    static int serial = 0;
    char folder[MAX_PATH] = {};
    GetTempPathA(sizeof folder, folder);
    const std::string base = std::string(folder) + "wevo_dbg_" + std::to_string(GetCurrentProcessId()) + "_" +
                             std::to_string(++serial);
    std::ofstream(base + ".ini", std::ios::binary) << text;
    return base;
}

TEST_F(MainTimers, LogLevelIsReadAgainFromTheSettingsFile)
{
    StartProgram();
    EXPECT_TRUE(FormMain->TimerCheckIniDebugMode->Enabled());
    EXPECT_EQ(FormMain->TimerCheckIniDebugMode->Interval(), 8000u);

    const std::string first = WriteSettings("[Settings]\r\nDebugMode=7\r\n");
    programPathOverride = [first] { return first + ".exe"; };
    VOZEZIV.nDebugMode = 0;
    FormMain->TimerCheckIniDebugMode->Tick();
    EXPECT_EQ(VOZEZIV.nDebugMode, 7);
    EXPECT_TRUE(Logged(" Set VOZEZIV.nDebugMode as 7"));

    const std::string second = WriteSettings("[Settings]\r\nLanguage=English\r\n");
    programPathOverride = [second] { return second + ".exe"; };
    FormMain->TimerCheckIniDebugMode->Tick();
    EXPECT_EQ(VOZEZIV.nDebugMode, 0);
    EXPECT_TRUE(FormMain->TimerCheckIniDebugMode->Enabled());

    programPathOverride = nullptr;
    DeleteFileA((first + ".ini").c_str());
    DeleteFileA((second + ".ini").c_str());
}

// ---- console session

DWORD g_activeSession = 1;
DWORD WINAPI ActiveSession() { return g_activeSession; }

class Session : public MainTimers {
protected:
    void Start(bool admin)
    {
        LoadLibrary(TScenario().Set("System", "UserAdmin", admin ? "1" : "0"));
        StoreHomeProfile();
        CreateWindows();
        ASSERT_NE(FormMain, nullptr);
        FormMain->Show();
        FormMain->m_pfnGetActiveConsoleSessionId = ActiveSession;
        FormMain->m_dwOwnSessionId = FormMain->m_dwLastSessionId = 1;
        g_activeSession = 1;
        std::strcpy(FormMain->m_pProfData->strProfileName, "Home");
        VOZEZIV.nDebugMode = 6;
    }

    void SwitchTo(DWORD session)
    {
        g_activeSession = session;
        FormMain->TimerSessionID->Tick();
        Pump(20);
    }
};

TEST_F(Session, AnotherUserLocksAndHidesTheWindows)
{
    Start(true);
    EXPECT_TRUE(FormMain->TimerSessionID->Enabled());
    EXPECT_EQ(FormMain->TimerSessionID->Interval(), 2000u);

    SwitchTo(2);
    EXPECT_TRUE(FormMain->m_bSessionLock);
    EXPECT_FALSE(FormMain->Visible());
    EXPECT_TRUE(Logged(" Session change to another user!"));

    // A third session changes nothing more.
    const int deletes = SimCallCount("WVWL_WlanDeleteAllOstrelWindowsProfiles");
    SwitchTo(3);
    EXPECT_EQ(SimCallCount("WVWL_WlanDeleteAllOstrelWindowsProfiles"), deletes);
    EXPECT_EQ(FormMain->m_dwLastSessionId, 3u);
}

TEST_F(Session, BackToMeAsAdministratorReappliesTheProfile)
{
    Start(true);
    SwitchTo(2);
    m_log.clear();
    SwitchTo(1);
    EXPECT_TRUE(Logged(" Session change back to me!"));
    EXPECT_FALSE(FormMain->m_bSessionLock);
    EXPECT_TRUE(FormMain->m_bRadio);
    EXPECT_TRUE(Logged(" Insert profile type action!"));
}

TEST_F(Session, BackToMeAsStandardUserReloadsTheStoredProfile)
{
    Start(false);
    FormMain->m_pProfData->enumAuthenMode = 0;
    SwitchTo(2);
    m_log.clear();
    const int reads = SimCallCount("WVWL_ReadProfileData");
    SwitchTo(1);
    EXPECT_GT(SimCallCount("WVWL_ReadProfileData"), reads);
    EXPECT_EQ(FormMain->m_pProfData->enumAuthenMode, 7u);
    EXPECT_TRUE(Logged(" Insert profile type action!"));
}

TEST_F(Session, BackToMeAsStandardUserClearsADeletedProfile)
{
    Start(false);
    SwitchTo(2);
    ASSERT_EQ(VOZEZIV.WVWL_DeleteProfile("Home", 1), 1);
    m_log.clear();
    SwitchTo(1);
    EXPECT_TRUE(Logged(" Profile has been deleted! Clear m_pProfData"));
    EXPECT_EQ(FormMain->m_pProfData->strProfileName[0], 0);
    EXPECT_FALSE(Logged(" Insert profile type action!"));
}

TEST_F(Session, SwitchingAwayAndBackWithinOneTickIsNotNoticed)
{
    Start(true);
    g_activeSession = 2;
    g_activeSession = 1;
    FormMain->TimerSessionID->Tick();
    EXPECT_FALSE(FormMain->m_bSessionLock);
    EXPECT_TRUE(FormMain->Visible());
}

// ---- signal quality

TEST_F(MainTimers, OlderWindowsQueueAScanEveryNinetyTicksWithoutALink)
{
    StartProgram(TScenario().Set("System", "WinOS", "24"));
    VOZEZIV.WVWL_Disconnect();
    Pump(50);
    VOZEZIV.nDebugMode = 6;
    FormMain->m_nSignalTimerTicks = 0;
    FormMain->TimerSignalQuality->Tick();
    EXPECT_EQ(FormMain->m_nSignalTimerTicks, 1u);
    EXPECT_FALSE(Logged("RescanBssidList Checked"));

    FormMain->m_nSignalTimerTicks = 90;
    FormMain->TimerSignalQuality->Tick();
    EXPECT_TRUE(Logged("RescanBssidList Checked: HideDlg:OnTimer"));
    EXPECT_EQ(FormMain->m_nSignalTimerTicks, 91u);
}

TEST_F(MainTimers, NewerWindowsLeaveTheCounterAloneWithoutALink)
{
    StartProgram();
    VOZEZIV.WVWL_Disconnect();
    Pump(50);
    VOZEZIV.nDebugMode = 6;
    FormMain->m_nSignalTimerTicks = 90;
    FormMain->TimerSignalQuality->Tick();
    EXPECT_EQ(FormMain->m_nSignalTimerTicks, 90u);
    EXPECT_FALSE(Logged("RescanBssidList Checked"));
    EXPECT_EQ(FormMain->m_nNowIcon, 1u);
}

// ---- USB 1.1 scan completion

struct UsbCase {
    const char* region;
    bool started;
    unsigned interval;
};

class UsbScan : public MainTimers, public ::testing::WithParamInterface<UsbCase> {};

TEST_P(UsbScan, ScanFailureStartsTheCompletionTimerOnlyForAPositiveInterval)
{
    const UsbCase& c = GetParam();
    StartProgram(TScenario()
                     .Set("System", "USBVersion", "1")
                     .Set("Driver", "ChannelMode", "0")
                     .Set("Driver", "CountryRegion", c.region));
    FormMain->TimerGetTScanTblUSB11->SetEnabled(false);
    FormSiteSurvey->m_bRescan = 1;
    m_bSurveyComplete = 1;
    PostMessageA(FormMain->Handle(), MSG_SCAN_FAIL, 0, 0);
    Pump(50);
    EXPECT_EQ(FormMain->TimerGetTScanTblUSB11->Enabled(), c.started);
    if (!c.started) {
        EXPECT_EQ(FormSiteSurvey->m_bRescan, 0);
        EXPECT_EQ(m_bSurveyComplete, 0);
        return;
    }
    EXPECT_EQ(FormMain->TimerGetTScanTblUSB11->Interval(), c.interval);
    m_bSurveyComplete = 0;
    FormMain->TimerGetTScanTblUSB11->Tick();
    EXPECT_EQ(m_bSurveyComplete, 1);
    EXPECT_TRUE(FormMain->TimerGetTScanTblUSB11->Enabled());
}

// Region 5: channels 1-14; region 0: 1-11.
INSTANTIATE_TEST_SUITE_P(Regions, UsbScan,
                         ::testing::Values(UsbCase{"5", true, 1200}, UsbCase{"1", true, 400},
                                           UsbCase{"0", false, 0}));

}  // namespace
