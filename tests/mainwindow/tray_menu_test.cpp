// The tray menu: which items each Windows version, edition, mode and adapter get.
#include <cstdio>
#include <fstream>
#include <ostream>
#include <string>
#include <vector>

#include "core/Settings.h"
#include "core/WvwlLib.h"
#include "mainwindow/FormMain.h"
#include "program_fixture.h"
#include "resources/FormResource.h"
#include "ui/Menus.h"
#include "ui/Seams.h"

namespace {

struct MenuCase {
    const char* name;
    int winOS;
    int winType;
    int standAlone;    // bWiFiDirectStandAlone
    int admin;
    int model;         // DeviceModel
    int opMode;        // driver and stored
    int zeroConfig;    // WVWL_IsZeroConfig
    int supportAp;     // WVWL_IsSupportAPMode
    bool softApProgram;
    std::vector<std::string> items;  // between Launch and the separator, by string key
};

const MenuCase kCases[] = {
    {"Win7Station", 41, 3, 0, 1, 3, 0, 0, 1, true, {"APCLIENT", "AP"}},
    {"Win7ConcurrentNoApProgram", 41, 3, 0, 1, 3, 3, 0, 1, false, {"APCLIENT"}},
    {"Win7StationModelOne", 41, 3, 0, 1, 1, 0, 0, 0, true, {}},
    {"Win7ApClient", 41, 3, 0, 1, 3, 2, 0, 1, true, {"STA"}},
    {"Win7AccessPoint", 41, 3, 0, 1, 3, 1, 0, 1, true, {}},
    {"Win7NotAdmin", 41, 3, 0, 0, 3, 0, 0, 1, true, {}},
    {"Win7Starter", 41, 14, 0, 1, 3, 0, 0, 1, true, {}},
    {"Win7StarterStandAlone", 41, 14, 1, 1, 3, 0, 0, 1, true, {}},
    {"Win7Edition31", 41, 31, 0, 1, 3, 0, 0, 1, true, {}},
    {"StandAloneAnyMode", 41, 3, 1, 1, 3, 2, 0, 1, true, {"ABOUT", "HELP"}},
    {"VistaStation", 31, 3, 0, 1, 3, 0, 0, 1, true, {"AP"}},
    {"VistaApClient", 31, 3, 0, 1, 3, 2, 0, 1, true, {}},
    {"XpUnderWindowsService", 21, 3, 0, 1, 3, 0, 2, 1, true, {"WVCONFIG", "AP"}},
    {"XpUnderThisProgram", 21, 3, 0, 1, 3, 0, 0, 1, true, {"ZEROCONFIG", "AP"}},
    {"XpNoApProgram", 21, 3, 0, 1, 3, 0, 0, 1, false, {}},
    {"XpNotAdmin", 21, 3, 0, 0, 3, 0, 0, 1, true, {}},
    {"OlderXp", 11, 3, 0, 1, 3, 0, 0, 1, true, {"AP"}},
};

void PrintTo(const MenuCase& c, std::ostream* os)
{
    *os << c.name;
}

std::string Caption(const std::string& key)
{
    const CUISTR& s = *FormResource->UI_Str;
    if (key == "APCLIENT") return s.STR_TRAY_SWITCH_APCLIENT_MODE;
    if (key == "AP") return s.STR_TRAY_SWITCH_AP_MODE;
    if (key == "STA") return s.STR_TRAY_SWITCH_STA_MODE;
    if (key == "WVCONFIG") return s.STR_TRAY_SWITCH_WVCONFIG;
    if (key == "ZEROCONFIG") return s.STR_TRAY_SWITCH_ZEROCONFIG;
    if (key == "ABOUT") return s.STR_TRAY_ABOUT;
    if (key == "HELP") return s.STR_TRAY_HELP;
    return "?";
}

std::vector<std::string> MenuCaptions()
{
    std::vector<std::string> captions;
    TMenuItem* items = FormMain->TrayPopMenu->Items();
    for (int i = 0; i < items->Count(); ++i)
        captions.push_back(items->Items(i)->Caption());
    return captions;
}

class TrayMenu : public ProgramFixture, public ::testing::WithParamInterface<MenuCase> {
protected:
    void TearDown() override
    {
        if (!m_softAp.empty())
            DeleteFileA(m_softAp.c_str());
        ProgramFixture::TearDown();
    }

    // A soft access point program of a name of this test's own.
    void UseSoftApProgram(const std::string& name, bool present)
    {
        std::snprintf(VOZEZIV.strSoftAP_UIName, sizeof VOZEZIV.strSoftAP_UIName, "%s", name.c_str());
        m_softAp = ProgramFolder() + name + ".exe";
        DeleteFileA(m_softAp.c_str());
        if (present)
            std::ofstream(m_softAp, std::ios::binary) << "MZ";
    }

    std::string m_softAp;
};

TEST_P(TrayMenu, HoldsTheItemsThatSuitTheSystem)
{
    const MenuCase& c = GetParam();
    TScenario scenario;
    scenario.Set("System", "WinOS", std::to_string(c.winOS))
        .Set("System", "WinType", std::to_string(c.winType))
        .Set("System", "UserAdmin", std::to_string(c.admin))
        .Set("System", "DeviceModel", std::to_string(c.model))
        .Set("System", "ZeroConfig", std::to_string(c.zeroConfig))
        .Set("Driver", "OpMode", std::to_string(c.opMode))
        .Set("Driver", "StoredOpMode", std::to_string(c.opMode))
        .Set("Driver", "SupportAPMode", std::to_string(c.supportAp));
    seams::modalAnswer = [](const std::string&) { return 1; };
    StartProgram(scenario);
    ASSERT_EQ(VOZEZIV.nWinOS, c.winOS);
    ASSERT_TRUE(FormMain->m_bDeviceExist);
    VOZEZIV.bWiFiDirectStandAlone = c.standAlone;
    VOZEZIV.WVWL_SetAndWriteOPMode(c.opMode);
    UseSoftApProgram(std::string("ApUI_") + c.name, c.softApProgram);

    ASSERT_TRUE(FormMain->BuildTrayMenu());
    const CUISTR& s = *FormResource->UI_Str;
    std::vector<std::string> expected{s.STR_TRAY_LAUNCH};
    for (const std::string& key : c.items)
        expected.push_back(Caption(key));
    expected.push_back("-");
    expected.push_back(s.STR_TRAY_EXIT);
    EXPECT_EQ(MenuCaptions(), expected);
    // a second opening under the same conditions: the same items in the same order
    ASSERT_TRUE(FormMain->BuildTrayMenu());
    EXPECT_EQ(MenuCaptions(), expected);
    for (int i = 0; i < FormMain->TrayPopMenu->Items()->Count(); ++i) {
        TMenuItem* item = FormMain->TrayPopMenu->Items()->Items(i);
        EXPECT_FALSE(item->Checked);
        EXPECT_TRUE(item->Enabled);
    }
}

INSTANTIATE_TEST_SUITE_P(Systems, TrayMenu, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<MenuCase>& info) { return std::string(info.param.name); });

using TrayMenuChanges = TrayMenu;

TEST_F(TrayMenuChanges, AnItemWhoseConditionEndedIsGoneAtTheNextOpening)
{
    StartProgram();
    UseSoftApProgram("ApUI_Changes", true);
    ASSERT_TRUE(FormMain->BuildTrayMenu());
    EXPECT_EQ(MenuCaptions().size(), 5u);
    ASSERT_EQ(SimPlugAdapter(1, false), 1);
    ASSERT_TRUE(PumpUntil([] { return !FormMain->m_bDeviceExist; }));
    ASSERT_TRUE(FormMain->BuildTrayMenu());
    EXPECT_EQ(MenuCaptions().size(), 3u);
}

TEST_F(TrayMenuChanges, ADriverModeApartFromTheStoredOneIsSetBackFirst)
{
    TScenario scenario;
    scenario.Set("Driver", "OpModeApplies", "0");
    StartProgram(scenario);
    UseSoftApProgram("ApUI_Reconcile", true);
    VOZEZIV.WVWL_SetAndWriteOPMode(OP_MODE_APCLIENT);  // stored only; the driver stays in station mode
    ASSERT_EQ(VOZEZIV.WVWL_QueryOPMode(), OP_MODE_STATION);
    SimJournalClear();
    ASSERT_TRUE(FormMain->BuildTrayMenu());
    EXPECT_NE(SimJournal().find("\nWVWL_SetAndWriteOPMode(2)"), std::string::npos);
}

TEST_F(TrayMenuChanges, AProgramPathTooLongForTheApProgramOpensNoMenu)
{
    StartProgram();
    const size_t before = MenuCaptions().size();
    programPathOverride = [] { return "C:\\" + std::string(260, 'd') + "\\Wevo.exe"; };
    const bool built = FormMain->BuildTrayMenu();
    programPathOverride = nullptr;
    EXPECT_FALSE(built);
    EXPECT_EQ(MenuCaptions().size(), before);
}

TEST_F(TrayMenuChanges, ClickingAnItemRunsItsHandler)
{
    StartProgram();
    UseSoftApProgram("ApUI_Click", true);
    ASSERT_TRUE(FormMain->BuildTrayMenu());
    std::string command;
    relaunchExecOverride = [&](const std::string& line, UINT) {
        command = line;
        return 33u;
    };
    seams::modalAnswer = [](const std::string&) { return 1; };
    TPopupMenu::chooseOverride = [](TPopupMenu* menu) { return menu->Items()->Items(1); };  // AP client
    FormMain->OnTrayIconMessage(WM_RBUTTONUP);
    TPopupMenu::chooseOverride = nullptr;
    relaunchExecOverride = nullptr;
    EXPECT_EQ(VOZEZIV.WVWL_ReadOpMode(), OP_MODE_APCLIENT);
    EXPECT_NE(command.find("WevoReLaunch.exe"), std::string::npos);
}

}  // namespace
