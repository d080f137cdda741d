// Hotspot 2.0 turned on and off: what reaches the library, the page's controls, failures.
#include "hotspot/hotspot_fixture.h"

#include <dbt.h>

#include "core/WvwlLib.h"
#include "../ui/UiTestSupport.h"

TEST_F(HotSpotFixture, EnableLoadsTheLibraryAndInitialisesItForTheAdapter)
{
    Enable();

    EXPECT_EQ(Page()->m_bHS20Active, 1);
    EXPECT_NE(VOZEZIV.hHS20Dll, nullptr);
    EXPECT_NE(Journal().find(std::string("HS20_Init 38 ") + kAdapterGuid + " -> 1"), std::string::npos) << Journal();
    EXPECT_TRUE(FormHotSpot->TabBtnHotSpotAddCredential->Visible());
    EXPECT_TRUE(FormHotSpot->TabBtnHotSpotAddProfile->Visible());
    EXPECT_FALSE(FormHotSpot->TabBtnHotSpotSigma->Visible());  // HS20SIGMA is not set
    EXPECT_TRUE(Page()->lvConnSettingTable->Enabled());
    EXPECT_TRUE(Page()->BtnReset->Enabled());
    EXPECT_TRUE(Page()->grpBoxHotSpot20->Enabled());
}

TEST_F(HotSpotFixture, DisableSavesTheStateThenDeinitialisesAndReleases)
{
    Enable();
    AddCredential("Credential1", 100, true);
    AddProfile("Profile1", 90);
    JournalClear();

    Disable();

    EXPECT_EQ(Journal(), "HS20_Write_IniFile " + std::to_string(m_stateFile.size()) + " " + m_stateFile +
                             " -> 1\nHS20_Deinit -> 1\n");
    EXPECT_EQ(Page()->m_bHS20Active, 0);
    EXPECT_EQ(VOZEZIV.hHS20Dll, nullptr);
    EXPECT_EQ(Page()->m_nPreferRow, TFrameHotSpotMain::kNoPreferRow);
    EXPECT_TRUE(Rows().empty());
    EXPECT_FALSE(Page()->lvConnSettingTable->Enabled());
    EXPECT_FALSE(Page()->BtnReset->Enabled());
    EXPECT_FALSE(FormHotSpot->TabBtnHotSpotAddCredential->Visible());
    EXPECT_FALSE(FormHotSpot->TabBtnHotSpotAddProfile->Visible());
    EXPECT_TRUE(Page()->grpBoxHotSpot20->Enabled());
    const std::string saved = ReadStateFile(m_stateFile);
    EXPECT_NE(saved.find("[Credential 0]"), std::string::npos) << saved;
    EXPECT_NE(saved.find("[Profile 0]"), std::string::npos) << saved;
}

TEST_F(HotSpotFixture, DisableWhileOffTouchesNothing)
{
    FormHotSpot->Show();
    WriteStateFile("[Credential 0]\r\nCredenType=0\r\nPrefer=0\r\nWeight=100\r\nName=Keep\r\n");
    Disable();  // already off: checking it again is no click
    ClickControl(Page()->rBtnDisableHS20);

    EXPECT_EQ(Journal(), "");
    EXPECT_TRUE(StateFileExists());
}

TEST_F(HotSpotFixture, FailedInitLeavesHotspotOffAndLogs)
{
    Inject("HS20_Init", 0, 0);
    Enable();

    EXPECT_EQ(Page()->m_bHS20Active, 0);
    EXPECT_TRUE(Logged(" --> TFrameHotSpotVOZEZIV.HS20_Init() failed \n"));
    EXPECT_FALSE(Page()->lvConnSettingTable->Enabled());
    EXPECT_TRUE(Page()->grpBoxHotSpot20->Enabled());
}

TEST_F(HotSpotFixture, FailedDeinitKeepsHotspotOnUntilANewEnableClick)
{
    Enable();
    AddCredential("Credential1", 100);
    Inject("HS20_Deinit", 1, 0);

    Disable();
    EXPECT_TRUE(Logged(" --> TFrameHotSpotMain: VOZEZIV.HS20_Deinit() fail\n"));
    EXPECT_EQ(Page()->m_bHS20Active, 1);
    EXPECT_NE(VOZEZIV.hHS20Dll, nullptr);
    EXPECT_TRUE(StateFileExists());

    // The new click initialises the still-loaded library again and replays what was saved.
    Enable();
    EXPECT_EQ(Page()->m_bHS20Active, 1);
    EXPECT_EQ(Rows(), (std::vector<std::string>{"|Credential1"}));
    EXPECT_FALSE(StateFileExists());
    // Released once by the next good disable: the library is not held twice.
    Disable();
    EXPECT_EQ(VOZEZIV.hHS20Dll, nullptr);
}

TEST_F(HotSpotFixture, ExitFromTheTrayMenuSavesTheEntriesFirst)
{
    Enable();
    AddCredential("Credential1", 100);
    JournalClear();

    FormMain->OnTrayExit(nullptr);

    EXPECT_EQ(Page()->m_bHS20Active, 0);
    EXPECT_NE(Journal().find("HS20_Write_IniFile"), std::string::npos);
    EXPECT_NE(ReadStateFile(m_stateFile).find("Name=Credential1"), std::string::npos);
}

TEST_F(HotSpotFixture, TheTestTabComesAndGoesWithHotspotOnlyInTestMode)
{
    FormHotSpot->Show();
    FormHotSpot->m_bSigmaTest = true;
    Enable();
    EXPECT_TRUE(FormHotSpot->TabBtnHotSpotSigma->Visible());
    ClickControl(FormHotSpot->TabBtnHotSpotSigma);
    EXPECT_EQ(FormHotSpot->m_pCurrentPage, FormHotSpot->FrameHotSpotSigma);

    Disable();
    EXPECT_FALSE(FormHotSpot->TabBtnHotSpotSigma->Visible());
    FormHotSpot->Hide();
    FormHotSpot->Show();
    EXPECT_EQ(FormHotSpot->m_pCurrentPage, FormHotSpot->FrameHotSpotMain);
    EXPECT_EQ(FormHotSpot->TabBtnHotSpot->ImageIndex(), 1);
    EXPECT_EQ(FormHotSpot->TabBtnHotSpotSigma->ImageIndex(), 0);
}

TEST_F(HotSpotFixture, RemovingTheAdapterTurnsItOff)
{
    Enable();
    ASSERT_EQ(Page()->m_bHS20Active, 1);
    ASSERT_EQ(SimPlugAdapter(1, false), 1);
    SendMessageA(FormMain->Handle(), WM_DEVICECHANGE, DBT_DEVICEREMOVECOMPLETE, 0);
    Pump(50);
    EXPECT_EQ(Page()->m_bHS20Active, 0);
    EXPECT_TRUE(Page()->rBtnDisableHS20->Checked());
    EXPECT_EQ(Calls("HS20_Deinit"), 1);
}
