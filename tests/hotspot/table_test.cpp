// The priority table: ten rows at most, insertion by weight, moving, preferring, deleting,
// resetting, and the default names of new entries.
#include "hotspot/hotspot_fixture.h"

#include "core/WvwlLib.h"
#include "resources/FormResource.h"
#include "../ui/UiTestSupport.h"

using Rows_t = std::vector<std::string>;

class HotSpotTable : public HotSpotFixture {
protected:
    void SetUp() override
    {
        HotSpotFixture::SetUp();
        FormHotSpot->Show();
        Enable();
        ASSERT_EQ(Page()->m_bHS20Active, 1);
    }

    void Select(int row) { Page()->lvConnSettingTable->SetItemIndex(row); }
    std::string LastWeightCall()
    {
        const std::string journal = Journal();
        const size_t at = journal.rfind("HS20_Set_Weight");
        return at == std::string::npos ? "" : journal.substr(at, journal.find('\n', at) - at);
    }
};

TEST_F(HotSpotTable, AnEleventhEntryIsRefusedAndChangesNothing)
{
    for (int i = 0; i < 10; ++i)
        AddCredential(i < 5 ? "C" + std::to_string(i) : "", 100 - 10 * i);
    const Rows_t before = Rows();
    const auto table = WeightTable();

    EXPECT_FALSE(Page()->AddSettingRow("Eleventh", TFrameHotSpotMain::kProfile, 0, true));

    EXPECT_TRUE(Logged(" --> HotSpotMain: ItemCount over MAX_HS20_TABLE\n"));
    EXPECT_EQ(Rows(), before);
    EXPECT_EQ(WeightTable(), table);
    EXPECT_EQ(Page()->m_nProfileCount, 0);
    EXPECT_EQ(Calls("HS20_Set_Prefer"), 0);
}

TEST_F(HotSpotTable, ANewRowSinksBelowEveryRowOfLargerOrEqualWeight)
{
    AddCredential("A", 100);
    AddCredential("B", 80);
    AddProfile("P", 80);
    AddCredential("C", 90);

    EXPECT_EQ(Rows(), (Rows_t{"|A", "|C", "|B", "|P"}));
    // Kind and index follow their rows; the weights stay fixed by row.
    EXPECT_EQ(WeightTable(), (std::vector<std::string>{"1/0/0/100", "1/0/2/90", "1/0/1/80", "1/1/0/70",
                                                       "0/255/255/60", "0/255/255/50", "0/255/255/40",
                                                       "0/255/255/30", "0/255/255/20", "0/255/255/10"}));
}

TEST_F(HotSpotTable, DeletingTheSecondOfThreeCredentialsRenumbersTheThird)
{
    AddCredential("C1", 100);
    AddCredential("C2", 90);
    AddCredential("C3", 80);
    Select(1);
    JournalClear();

    ClickControl(Page()->BtnDeleteSetting);

    EXPECT_NE(Journal().find("HS20_Del_Credential 1 -> 1"), std::string::npos);
    EXPECT_EQ(Rows(), (Rows_t{"|C1", "|C3"}));
    const auto table = WeightTable();
    EXPECT_EQ(table[1], "1/0/1/90");
    EXPECT_EQ(table[2], "0/255/255/80");
    EXPECT_EQ(Page()->m_nCredentialCount, 2);
    EXPECT_FALSE(Page()->BtnDeleteSetting->Enabled());
    EXPECT_EQ(LastWeightCall(), "HS20_Set_Weight 1/0/0/100 1/0/1/90 0/255/255/80 0/255/255/70 0/255/255/60 "
                                "0/255/255/50 0/255/255/40 0/255/255/30 0/255/255/20 0/255/255/10 -> 1");
    // The library renumbered the same way: C3 is its entry 1.
    EXPECT_NE(Entries().find("credential 1 C3"), std::string::npos) << Entries();
}

TEST_F(HotSpotTable, DeletingAProfileLeavesCredentialIndexesAlone)
{
    AddProfile("P1", 100);
    AddCredential("C1", 90);
    AddProfile("P2", 80, true);
    Select(0);

    ClickControl(Page()->BtnDeleteSetting);

    EXPECT_EQ(Rows(), (Rows_t{"|C1", "P|P2"}));
    EXPECT_EQ(WeightTable()[0], "1/0/0/100");
    EXPECT_EQ(WeightTable()[1], "1/1/0/90");
    EXPECT_EQ(Page()->m_nPreferRow, 1);  // the preferred row moved up with the rest
    EXPECT_EQ(Page()->m_nProfileCount, 1);
}

TEST_F(HotSpotTable, ARefusedDeleteKeepsTheRow)
{
    struct Case {
        const char* entry;
        bool profile;
        const char* line;
    } cases[] = {{"HS20_Del_Credential", false, " --> HotSpotMain: VOZEZIV.HS20_Del_Credential fail \n"},
                 {"HS20_Del_Profile", true, " --> HotSpotMain: VOZEZIV.HS20_Del_Profile fail \n"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.entry);
        ClickControl(Page()->BtnReset);
        c.profile ? AddProfile("X", 100) : AddCredential("X", 100);
        Inject(c.entry, 0, 0);
        Select(0);
        ClickControl(Page()->BtnDeleteSetting);
        EXPECT_TRUE(Logged(c.line));
        EXPECT_EQ(Rows(), (Rows_t{"|X"}));
        EXPECT_EQ(WeightTable()[0], c.profile ? "1/1/0/100" : "1/0/0/100");
        EXPECT_TRUE(Page()->BtnDeleteSetting->Enabled());
    }
}

TEST_F(HotSpotTable, PreferTogglesOnTheMarkedRowAndMovesOtherwise)
{
    AddCredential("A", 100);
    AddCredential("B", 90, true);
    AddProfile("C", 80);
    ASSERT_EQ(Rows(), (Rows_t{"|A", "P|B", "|C"}));

    struct Step {
        int row;
        Rows_t rows;
        int preferRow;
        const char* libraryCall;  // the last Set_Prefer call
    } steps[] = {
        {2, {"|A", "|B", "P|C"}, 2, "HS20_Set_Prefer 0 1 0 -> 1"},  // mark moved: old one cleared
        {2, {"|A", "|B", "|C"}, 99, "HS20_Set_Prefer 1 0 0 -> 1"},   // same row again: cleared
        {0, {"P|A", "|B", "|C"}, 0, "HS20_Set_Prefer 0 0 1 -> 1"},   // none marked: only set
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(s.row);
        Select(s.row);
        ClickControl(Page()->BtnPrefer);
        EXPECT_EQ(Rows(), s.rows);
        EXPECT_EQ(Page()->m_nPreferRow, s.preferRow);
        const std::string journal = Journal();
        EXPECT_EQ(journal.substr(journal.rfind("HS20_Set_Prefer")), std::string(s.libraryCall) + "\n");
    }
}

TEST_F(HotSpotTable, ARefusedPreferChangesNoMark)
{
    AddCredential("A", 100, true);
    AddCredential("B", 90);
    Inject("HS20_Set_Prefer", 0, 0);

    for (int row : {1, 0}) {
        Select(row);
        ClickControl(Page()->BtnPrefer);
        EXPECT_EQ(Rows(), (Rows_t{"P|A", "|B"}));
        EXPECT_EQ(Page()->m_nPreferRow, 0);
    }
    EXPECT_TRUE(Logged(" --> HotSpotMain: HS20_Set_Prefer() fail\n"));
}

TEST_F(HotSpotTable, MovingRowsCarriesTheMarkTheSelectionAndTheLibraryOrder)
{
    AddCredential("A", 100);
    AddProfile("B", 90, true);
    AddCredential("C", 80);

    Select(1);
    ClickControl(Page()->BtnUp);
    EXPECT_EQ(Rows(), (Rows_t{"P|B", "|A", "|C"}));
    EXPECT_EQ(Page()->m_nPreferRow, 0);
    EXPECT_EQ(Page()->lvConnSettingTable->ItemIndex(), 0);
    EXPECT_EQ(LastWeightCall().substr(0, 40), "HS20_Set_Weight 1/1/0/100 1/0/0/90 1/0/1");

    ClickControl(Page()->BtnDown);
    ClickControl(Page()->BtnDown);
    EXPECT_EQ(Rows(), (Rows_t{"|A", "|C", "P|B"}));
    EXPECT_EQ(Page()->m_nPreferRow, 2);
    EXPECT_EQ(Page()->lvConnSettingTable->ItemIndex(), 2);
    // The library's weights follow: B now has the last row's weight.
    EXPECT_NE(Entries().find("profile 0 B weight=80 prefer=1"), std::string::npos) << Entries();

    // At the ends the move is disabled: a user cannot click it, and nothing moves.
    EXPECT_FALSE(Page()->BtnDown->Enabled());
    Select(0);
    EXPECT_FALSE(Page()->BtnUp->Enabled());
    EXPECT_EQ(Rows(), (Rows_t{"|A", "|C", "P|B"}));
}

TEST_F(HotSpotTable, SelectionEnablesOnlyTheMovesThatExist)
{
    struct Case {
        int rows;
        int select;
        bool up, down, rowButtons;
    } cases[] = {
        {1, 0, false, false, true}, {3, 0, false, true, true}, {3, 1, true, true, true},
        {3, 2, true, false, true},  {3, -1, false, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.rows << " rows, row " << c.select);
        ClickControl(Page()->BtnReset);
        for (int i = 0; i < c.rows; ++i)
            AddCredential("R" + std::to_string(i), 100 - 10 * i);
        Select(0);
        Select(c.select);
        EXPECT_EQ(Page()->BtnUp->Enabled(), c.up);
        EXPECT_EQ(Page()->BtnDown->Enabled(), c.down);
        EXPECT_EQ(Page()->BtnDeleteSetting->Enabled(), c.rowButtons);
        EXPECT_EQ(Page()->BtnPrefer->Enabled(), c.rowButtons);
        EXPECT_EQ(Page()->BtnModify->Enabled(), c.rowButtons);
    }
}

TEST_F(HotSpotTable, ResetEmptiesTableAndLibraryButKeepsHotspotOn)
{
    AddCredential("A", 100, true);
    AddProfile("B", 90);
    Select(1);

    ClickControl(Page()->BtnReset);

    EXPECT_TRUE(Rows().empty());
    EXPECT_EQ(Entries(), "");
    EXPECT_EQ(WeightTable()[0], "0/255/255/100");
    EXPECT_EQ(Page()->m_nCredentialCount + Page()->m_nProfileCount, 0);
    EXPECT_EQ(Page()->m_nPreferRow, 99);
    EXPECT_EQ(Page()->m_bHS20Active, 1);
    EXPECT_FALSE(Page()->BtnPrefer->Enabled());
    EXPECT_FALSE(Page()->BtnUp->Enabled());
}

TEST_F(HotSpotTable, ARefusedResetKeepsTheTableTheLibraryStillHolds)
{
    AddCredential("A", 100, true);
    AddProfile("B", 90);
    Inject("HS20_Reset_Default", 0, 0);

    ClickControl(Page()->BtnReset);

    EXPECT_TRUE(Logged(" --> HotSpotMain: Reset Default: fail\n"));
    EXPECT_EQ(Rows(), (Rows_t{"P|A", "|B"}));
    EXPECT_EQ(Page()->m_nCredentialCount, 1);
    EXPECT_EQ(Page()->m_nProfileCount, 1);
    EXPECT_EQ(Page()->m_nPreferRow, 0);
}

TEST_F(HotSpotTable, LeavingThePageClearsTheSelection)
{
    AddCredential("A", 100);
    AddCredential("B", 90);
    Select(1);

    ClickControl(FormHotSpot->TabBtnHotSpotAddProfile);

    EXPECT_EQ(FormHotSpot->m_pCurrentPage, FormHotSpot->FrameHotSpotAddProfile);
    EXPECT_EQ(Page()->lvConnSettingTable->ItemIndex(), -1);
    EXPECT_FALSE(Page()->BtnDeleteSetting->Enabled());
    EXPECT_FALSE(Page()->BtnUp->Enabled());
    EXPECT_EQ(FormHotSpot->TabBtnHotSpotAddProfile->ImageIndex(), 1);
    EXPECT_EQ(FormHotSpot->TabBtnHotSpot->ImageIndex(), 0);
}

TEST_F(HotSpotTable, DefaultNamesFollowTheLargestNumberOfTheirPrefix)
{
    const CUISTR& s = *FormResource->UI_Str;
    const std::string cred = s.STR_HotSpot_HSPROF, prof = s.STR_HotSpot_APPROF;
    ASSERT_FALSE(cred.empty());
    ASSERT_NE(cred, prof);
    struct Case {
        std::vector<std::string> names;
        std::string credential, profile;
    } cases[] = {
        {{}, cred + "1", prof + "1"},
        {{cred + "1", cred + "7", prof}, cred + "8", prof + "1"},
        {{cred + "3x9", cred + "12", "x" + cred + "99", prof + "2"}, cred + "13", prof + "3"},
        {{cred + "4294967295"}, cred + "4294967295", prof + "1"},  // no wrap to 0
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.credential);
        ClickControl(Page()->BtnReset);
        int weight = 100;
        for (const std::string& name : c.names)
            AddCredential(name, weight -= 5);
        EXPECT_EQ(FormHotSpot->MakeDefaultSettingName(true), c.credential);
        EXPECT_EQ(FormHotSpot->MakeDefaultSettingName(false), c.profile);
    }

    // The add tabs put it into their pages' name edits.
    ClickControl(FormHotSpot->TabBtnHotSpotAddCredential);
    EXPECT_EQ(FormHotSpot->FrameHotSpotAddCredential->editProfName->Text(), cred + "4294967295");
}
