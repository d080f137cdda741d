// The access-point window in the whole program, on the simulated adapter in AP-client mode.
#include <cstring>
#include <string>

#include "advanced/FormExtendedAP.h"
#include "mainwindow/program_fixture.h"
#include "ui/Seams.h"
#include "../ui/UiTestSupport.h"

namespace {

class ExtAPInProgram : public ProgramFixture {};

TEST_F(ExtAPInProgram, TheMainWindowsButtonShowsItBelowWithTheSharedConnectionsAndStations)
{
    TScenario scenario;
    scenario.Set("System", "WinOS", "41")
        .Set("Driver", "OpMode", "2")
        .Set("Driver", "StoredOpMode", "2")
        .AddSection("ICS.1", {"Name=Wireless Network Connection", "Type=0", "Status=1"})
        .AddSection("ICS.2", {"Name=Local Area Connection", "Type=1", "Status=1"})
        .AddSection("HostedNetwork", {"State=1", "BSSID=02:0C:43:12:34:57", "Peers=3C:A9:F4:10:20:30"});
    seams::modalAnswer = [](const std::string&) { return 1; };
    StartProgram(scenario);
    EXTAP_CONFIG stored{};
    stored.SsidLength = 6;
    std::memcpy(stored.Ssid, "HomeAP", 6);
    stored.MaxPeers = 8;
    VOZEZIV.WVWL_WriteExtAPConfig(stored);

    FormMain->Show();
    ClickControl(FormMain->BtnExtendedAP);

    ASSERT_TRUE(FormExtendedAP->Visible());
    EXPECT_EQ(FormExtendedAP->Top(), FormMain->Top() + FormMain->Height());
    EXPECT_EQ(FormExtendedAP->Left(), FormMain->Left());
    TFrameExtendedAPConfig* config = FormExtendedAP->FrameExtendedAPConfig;
    EXPECT_EQ(FormExtendedAP->m_pCurrentPage, config);
    EXPECT_EQ(config->editSSID->Text(), "HomeAP");
    ASSERT_EQ(config->cBoxWAN->Items().Count(), 1);
    EXPECT_EQ(config->cBoxWAN->Items().Strings(0), "Local Area Connection");
    EXPECT_EQ(config->cBoxWAN->ItemIndex(), 0);

    ClickControl(FormExtendedAP->TabBtnMacTable);
    TFrameExtendedAPMacTable* table = FormExtendedAP->FrameExtendedAPMacTable;
    EXPECT_EQ(table->lblBSSID->Caption(), "02-0C-43-12-34-57");
    ASSERT_EQ(table->lvMacList->ItemCount(), 1);
    EXPECT_EQ(table->lvMacList->Item(0)->Caption(), "3C-A9-F4-10-20-30");

    // The station switch closes it.
    FormMain->OnTraySwitchSTAMode(nullptr);
    EXPECT_FALSE(FormExtendedAP->Visible());
}

}  // namespace
