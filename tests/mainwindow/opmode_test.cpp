// The operating-mode switches on every Windows-version code, checked against the
// simulator's journal and the relaunch command line.
#include <cstring>
#include <string>
#include <vector>

#include "core/Settings.h"
#include "core/WvwlLib.h"
#include "mainwindow/FormMain.h"
#include "profiles/FormProfile.h"
#include "program_fixture.h"
#include "resources/FormResource.h"
#include "ui/Seams.h"

namespace {

class OpMode : public ProgramFixture {
protected:
    void TearDown() override
    {
        relaunchExecOverride = nullptr;
        wlanServiceRunningOverride = nullptr;
        seams::sleepOverride = nullptr;
        ProgramFixture::TearDown();
    }

    void Start(int winOS, const std::string& opMode = "0", TScenario scenario = TScenario())
    {
        scenario.Set("System", "WinOS", std::to_string(winOS))
            .Set("Driver", "OpMode", opMode)
            .Set("Driver", "StoredOpMode", opMode);
        seams::modalAnswer = [this](const std::string& what) {
            m_boxes.push_back(what);
            return m_answer;
        };
        relaunchExecOverride = [this](const std::string& command, UINT show) {
            m_commands.push_back(command);
            m_show = show;
            return 33u;
        };
        StartProgram(scenario);
        ASSERT_EQ(VOZEZIV.nWinOS, winOS);
        if (FormMain->m_hInitWiFiDirectThread)
            WaitForSingleObject(FormMain->m_hInitWiFiDirectThread, 10000);
        Pump(20);
        m_commands.clear();
        seams::sleepOverride = [](DWORD) {};
        // the mode the switch starts from, whatever the start-up made of it
        VOZEZIV.WVWL_SetAndWriteOPMode(std::stoi(opMode));
        m_boxes.clear();
        SimJournalClear();
    }

    // Journal lines of the entry, e.g. "WVWL_SetAndWriteOPMode(3) -> 1".
    std::vector<std::string> Calls(const std::string& entry)
    {
        std::vector<std::string> lines;
        std::string journal = "\n" + SimJournal();
        size_t at = 0;
        while ((at = journal.find("\n" + entry + "(", at)) != std::string::npos) {
            ++at;
            size_t end = journal.find('\n', at);
            lines.push_back(journal.substr(at, end - at));
            at = end;
        }
        return lines;
    }

    bool Called(const std::string& entry) { return !Calls(entry).empty(); }

    static std::string Relaunch(const std::string& next)
    {
        std::string command = "\"" + ProgramFolder() + "WevoReLaunch.exe\" test_mainwindow.exe \"" +
                              FormResource->UI_Str->STR_TARNWELL_CONFIG_TITLE + "\"";
        return next.empty() ? command : command + " " + next;
    }

    bool BoxShown(const std::string& text)
    {
        for (const std::string& b : m_boxes)
            if (b.find(text) != std::string::npos)
                return true;
        return false;
    }

    std::vector<std::string> m_commands;
    std::vector<std::string> m_boxes;
    UINT m_show = 0;
    int m_answer = 1;
};

class OpModePerWindows : public OpMode, public ::testing::WithParamInterface<int> {};

TEST_P(OpModePerWindows, StationSwitchWritesItsModeAndRelaunches)
{
    const int winOS = GetParam();
    Start(winOS, "2");
    FormMain->OnTraySwitchSTAMode(nullptr);
    const std::string mode = winOS >= 41 ? "3" : "0";
    EXPECT_EQ(Calls("WVWL_SetAndWriteOPMode"), std::vector<std::string>{"WVWL_SetAndWriteOPMode(" + mode + ") -> 1"});
    EXPECT_TRUE(Called("WVWL_HostedNetworkStopUsing"));
    EXPECT_TRUE(Called("WVWL_DisableDhcpServer"));
    EXPECT_EQ(m_commands, std::vector<std::string>{Relaunch("test_mainwindow.exe")});
    EXPECT_EQ(m_show, UINT(SW_MINIMIZE));
    EXPECT_TRUE(FormMain->m_bHideAPButton);
    EXPECT_FALSE(FormMain->BtnExtendedAP->Visible());
    EXPECT_FALSE(Application->Terminated());
}

TEST_P(OpModePerWindows, ApClientSwitchWithStoredDataAsksNothing)
{
    Start(GetParam());
    EXTAP_CONFIG ap{};
    ap.SsidLength = 4;
    std::memcpy(ap.Ssid, "Mine", 4);
    ap.KeyLength = 8;
    std::memcpy(ap.Key, "12345678", 8);
    VOZEZIV.WVWL_WriteExtAPConfig(ap);
    SimJournalClear();
    FormMain->OnTraySwitchAPClientMode(nullptr);
    EXPECT_TRUE(m_boxes.empty());
    EXPECT_EQ(Calls("WVWL_SetAndWriteOPMode"), std::vector<std::string>{"WVWL_SetAndWriteOPMode(2) -> 1"});
    EXPECT_TRUE(Called("WVWL_DisableICS"));
    EXPECT_FALSE(FormMain->m_bHideAPButton);
    EXPECT_EQ(m_commands, std::vector<std::string>{Relaunch("test_mainwindow.exe")});
}

TEST_P(OpModePerWindows, ConcurrentSwitchStartsTheGroupOwnerAndRelaunchesInTwoArgumentForm)
{
    Start(GetParam());
    FormMain->OnTraySwitchWiFiDirectConcurrentMode(nullptr);
    EXPECT_EQ(Calls("WVWL_SetAndWriteOPMode"), std::vector<std::string>{"WVWL_SetAndWriteOPMode(3) -> 1"});
    EXPECT_TRUE(Called("WVWL_StartWifiDirectGO"));
    EXPECT_EQ(m_commands, std::vector<std::string>{Relaunch("")});
    EXPECT_TRUE(m_boxes.empty());
}

TEST_P(OpModePerWindows, AccessPointSwitchPreparesTheAdapterAndExits)
{
    const int winOS = GetParam();
    Start(winOS);
    wlanServiceRunningOverride = [] { return true; };
    FormMain->OnTraySwitchApMode(nullptr);
    Pump(20);
    EXPECT_EQ(Called("WVWL_StopAuth"), winOS < 31);
    EXPECT_EQ(Called("WVWL_Release"), winOS < 31);
    EXPECT_EQ(Called("WVWL_WlanDeleteAllWindowsProfiles"), winOS >= 31);
    EXPECT_TRUE(Called("WVWL_BackupStationSetting"));
    EXPECT_FALSE(Called("WVWL_SetAndWriteOPMode"));
    EXPECT_EQ(m_commands, std::vector<std::string>{Relaunch(std::string(VOZEZIV.strSoftAP_UIName) + ".exe")});
    EXPECT_TRUE(Application->Terminated());
}

INSTANTIATE_TEST_SUITE_P(WindowsVersions, OpModePerWindows, ::testing::Values(11, 21, 31, 41),
                         [](const ::testing::TestParamInfo<int>& info) { return "WinOS" + std::to_string(info.param); });

TEST_F(OpMode, AccessPointSwitchWithTheRadioOffChangesNothing)
{
    TScenario scenario;
    scenario.Set("Radio", "Software", "0");
    Start(41, "0", scenario);
    VOZEZIV.WVWL_WriteWifiDirectFlag(1);
    SimJournalClear();
    FormMain->OnTraySwitchApMode(nullptr);
    EXPECT_TRUE(BoxShown(FormResource->UI_Str->STR_INVAILDRADIOOFF));
    EXPECT_TRUE(m_commands.empty());
    EXPECT_FALSE(Called("WVWL_DisableWifiDirect"));
    EXPECT_FALSE(Application->Terminated());
}

TEST_F(OpMode, AccessPointSwitchNeedsTheWlanServiceFromVista)
{
    Start(31);
    wlanServiceRunningOverride = [] { return false; };
    FormMain->OnTraySwitchApMode(nullptr);
    EXPECT_TRUE(BoxShown(FormResource->UI_Str->STR_TURNON_AUTOCONFIG));
    EXPECT_TRUE(m_commands.empty());
    EXPECT_FALSE(Application->Terminated());
}

TEST_F(OpMode, AccessPointSwitchRefusesWhileAnotherUserIsLoggedOn)
{
    TScenario scenario;
    scenario.Set("System", "MoreThanOneUser", "1");
    Start(41, "0", scenario);
    FormMain->OnTraySwitchApMode(nullptr);
    EXPECT_TRUE(BoxShown(FormResource->UI_Str->STR_UI_LOCKED));
    EXPECT_TRUE(m_commands.empty());
}

TEST_F(OpMode, ApClientSwitchCancelledInTheDialogChangesNothing)
{
    Start(41);
    m_answer = 2;
    FormMain->OnTraySwitchAPClientMode(nullptr);
    EXPECT_FALSE(Called("WVWL_SetAndWriteOPMode"));
    EXPECT_FALSE(Called("WVWL_DisableDhcpServer"));
    EXPECT_TRUE(m_commands.empty());
}

TEST_F(OpMode, ApClientSwitchFromAccessPointModeNeitherAsksNorDisconnects)
{
    Start(41, "1");
    FormMain->OnTraySwitchAPClientMode(nullptr);
    EXPECT_TRUE(m_boxes.empty());
    EXPECT_FALSE(Called("WVWL_WlanDisconnect"));
    EXPECT_EQ(Calls("WVWL_SetAndWriteOPMode"), std::vector<std::string>{"WVWL_SetAndWriteOPMode(2) -> 1"});
    EXPECT_EQ(m_commands.size(), 1u);
}

TEST_F(OpMode, ConcurrentSwitchFallsBackToStationWhenTheGroupOwnerFails)
{
    TScenario scenario;
    scenario.Set("Driver", "StartGOResult", "0");
    Start(41, "0", scenario);
    FormMain->OnTraySwitchWiFiDirectConcurrentMode(nullptr);
    EXPECT_EQ(Calls("WVWL_SetAndWriteOPMode"),
              (std::vector<std::string>{"WVWL_SetAndWriteOPMode(3) -> 1", "WVWL_SetAndWriteOPMode(0) -> 1"}));
    EXPECT_TRUE(BoxShown("Start Wi-Fi Direct concurrent GO Fail"));
    EXPECT_EQ(m_commands, std::vector<std::string>{Relaunch("")});
}

TEST_F(OpMode, XpHandOverToWindowsSetsInfrastructureAndTheTransmitRecord)
{
    TScenario scenario;
    scenario.Set("Driver", "Support11ac", "0");
    Start(21, "0", scenario);
    const bool profileButton = FormMain->BtnProfile->Enabled();
    FormMain->OnTraySwitchZeroConfig(nullptr);
    EXPECT_EQ(Calls("WVWL_WriteRegValue").at(0).rfind("WVWL_WriteRegValue(NetworkType sz=\"1\")", 0), 0u);
    EXPECT_TRUE(SimJournal().find("WVWL_OIDSetInfo(0x0D810108 4)") != std::string::npos);
    EXPECT_TRUE(SimJournal().find("WVWL_OIDSetInfo(0x0DF1013B 12)") != std::string::npos);
    EXPECT_TRUE(Called("WVWL_StopAuth"));
    EXPECT_EQ(FormMain->BtnProfile->Enabled(), profileButton);
    const bool enabled = VOZEZIV.WVWL_IsZeroConfig() != 2;
    EXPECT_EQ(FormMain->BtnAdvanced->Enabled(), enabled);
    EXPECT_EQ(FormProfile->BtnProfileWPS->Enabled(), enabled);
    EXPECT_EQ(FormMain->ImgRadioOn->Enabled(), enabled);
}

TEST_F(OpMode, XpHandOverOnAnAcAdapterSendsNoTransmitRecord)
{
    TScenario scenario;
    scenario.Set("Driver", "Support11ac", "1");
    Start(21, "0", scenario);
    FormMain->OnTraySwitchZeroConfig(nullptr);
    EXPECT_TRUE(SimJournal().find("WVWL_OIDSetInfo(0x0D810108 4)") != std::string::npos);
    EXPECT_TRUE(SimJournal().find("WVWL_OIDSetInfo(0x0DF1013B") == std::string::npos);
}

TEST_F(OpMode, XpHandBackRunsTheCardStartAndSetsAllFiveControls)
{
    TScenario scenario;
    scenario.Set("System", "WpaCapable", "0");
    Start(21, "0", scenario);
    FormMain->BtnProfile->SetEnabled(false);
    FormMain->BtnAdvanced->SetEnabled(false);
    FormMain->OnTraySwitchWvconfig();
    EXPECT_TRUE(Called("WVWL_AdapterSelect"));
    const bool enabled = VOZEZIV.WVWL_IsZeroConfig() != 2;
    EXPECT_EQ(FormMain->BtnProfile->Enabled(), enabled);
    EXPECT_EQ(FormMain->BtnAdvanced->Enabled(), enabled);
    EXPECT_EQ(FormMain->ImgRadioOff->Enabled(), enabled);
}

}  // namespace
