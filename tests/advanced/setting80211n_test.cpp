// The 802.11n window and its block-ack pages in the whole program on the simulated adapter,
// opened from the advanced window's test page and used through their controls.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "advanced/Form80211nSetting.h"
#include "advanced/FrameAdvancedTest.h"
#include "advanced_pages_fixture.h"
#include "core/WvwlLib.h"
#include "ui/Seams.h"
#include "wlapi/constants.h"
#include "../ui/UiTestSupport.h"

namespace {

// HomeNet's address in the default scene.
const char* kHomeText = "00-1A-2B-00-00-02";

class Setting80211n : public AdvancedPages {
protected:
    // The program on the scenario with the ack-policy controls shown or not; the window is
    // not open yet.
    void Start(TScenario scenario = TScenario(), bool ackPolicyShown = true)
    {
        seams::modalAnswer = [this](const std::string& what) {
            m_boxes.push_back(what);
            return 1;
        };
        seams::sleepOverride = [](DWORD) {};
        scenario.Set("System", "ConnectTimeMs", "50").Set("System", "ScanTimeMs", "50");
        LoadLibrary(scenario);
        VOZEZIV.bACKPolicy_CoexMode_11nPage = ackPolicyShown ? 1 : 0;
        VOZEZIV.bShowTestDialog = 1;
        CreateWindows();
        FormAdvanced->Show();
        Pump(50);
    }
    // The test tab, then its "802.11n Setting" button.
    void OpenWindow()
    {
        ClickTab(FormAdvanced->TabBtnTest);
        Click(FormAdvanced->FrameAdvancedTest->btn80211nSetting);
        Pump(20);
        ASSERT_TRUE(Form80211nSetting->Visible());
        ASSERT_EQ(Form80211nSetting->m_pCurrentPage, Page());
    }
    TFrame80211nSetting* Page() const { return Form80211nSetting->Frame80211nSetting; }
    TFrameAddBlockAck* AddPage() const { return Form80211nSetting->FrameAddBlockAck; }
    TFrameDeleteBlockAck* DeletePage() const { return Form80211nSetting->FrameDeleteBlockAck; }

    static void SelectRow(TListView* list, int row)
    {
        LVITEMA state{};
        state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
        state.state = LVIS_SELECTED | LVIS_FOCUSED;
        SendMessageA(list->Handle(), LVM_SETITEMSTATE, WPARAM(row), LPARAM(&state));
    }
    static std::vector<std::string> Captions(const TListView* list)
    {
        std::vector<std::string> captions;
        for (int i = 0; i < list->ItemCount(); ++i)
            captions.push_back(list->Item(i)->Caption());
        return captions;
    }
    static std::vector<std::string> Row(const TListView* list, int index)
    {
        const TListItem* item = list->Item(index);
        std::vector<std::string> cells{item->Caption()};
        for (int i = 0; i < item->SubItemCount(); ++i)
            cells.push_back(item->SubItem(i));
        return cells;
    }
    bool BoxShown(const std::string& text) const
    {
        for (const std::string& box : m_boxes)
            if (box.find(text) != std::string::npos)
                return true;
        return false;
    }
    static TScenario WithPeers(const std::string& peers)
    {
        TScenario scenario;
        scenario.AddSection("BlockAck", {"Peers=" + peers});
        return scenario;
    }
};

TEST_F(Setting80211n, EnteringShowsTheStoredCapabilityAndApplyWritesItBack)
{
    Start();
    // Carried 0x11 0x22, A-MSDU at 7935, aggregation on, manual, density 5, power save 2.
    VOZEZIV.WVWL_WriteBACap(0x02EA2211);
    OpenWindow();
    TFrame80211nSetting* page = Page();
    EXPECT_TRUE(page->chBoxAMSDU->Checked());
    EXPECT_TRUE(page->rBtnMax7935->Checked());
    EXPECT_TRUE(page->chBoxMPDU->Checked());
    EXPECT_TRUE(page->rBtnManual->Checked());
    EXPECT_EQ(5, page->cBoxMpduDensity->ItemIndex());
    EXPECT_TRUE(page->rBtnSMEnable->Checked());
    EXPECT_TRUE(page->btnAddOrigi->Enabled());
    EXPECT_TRUE(page->TimerQueryBATable->Enabled());

    SimJournalClear();
    Click(page->btnApply);
    EXPECT_EQ(Calls(std::vector<std::string>{"WVWL_SetBACap", "WVWL_WriteBACap"}),
              (std::vector<std::string>{"WVWL_SetBACap(1122010501010300) -> 1", "WVWL_WriteBACap(0x03EA2211) -> 1"}));

    // A-MSDU off: byte 5 and bit 23 are 0 though "Max:7935" stays selected; density 2, static.
    Click(page->chBoxAMSDU);
    EXPECT_FALSE(page->rBtnMax7935->Enabled());
    Choose(page->cBoxMpduDensity, 2);
    Click(page->rBtnStaticSMPS);
    SimJournalClear();
    Click(page->btnApply);
    EXPECT_EQ(Calls(std::vector<std::string>{"WVWL_SetBACap", "WVWL_WriteBACap"}),
              (std::vector<std::string>{"WVWL_SetBACap(1122010200000000) -> 1", "WVWL_WriteBACap(0x00122211) -> 1"}));
}

TEST_F(Setting80211n, BeforeAnyStoredCapabilityIsReadApplySendsThirtyTwoInTheCarriedBytes)
{
    Start();
    SimCommand("inject WVWL_ReadBACap * 0");
    OpenWindow();
    SimJournalClear();
    Click(Page()->btnApply);
    const std::vector<std::string> calls = Calls("WVWL_SetBACap");
    ASSERT_EQ(1u, calls.size());
    EXPECT_EQ(0u, calls[0].find("WVWL_SetBACap(2020")) << calls[0];
}

TEST_F(Setting80211n, TableButtonsNeedAggregationOnAndManualDensity)
{
    Start();
    VOZEZIV.WVWL_WriteBACap(0x00022020);  // aggregation on, manual
    OpenWindow();
    TFrame80211nSetting* page = Page();
    auto buttons = [page] {
        std::vector<bool> enabled;
        for (TButton* b : {page->btnAddOrigi, page->btnDeleteOrigi, page->btnDeleteAllOrigi, page->btnAddRecip,
                           page->btnDeleteRecip, page->btnDeleteAllRecip})
            enabled.push_back(b->Enabled());
        return enabled;
    };
    const std::vector<bool> on(6, true), off(6, false);
    EXPECT_EQ(on, buttons());
    // Choosing Auto alone changes nothing until Apply or a box click.
    Click(page->rBtnAuto);
    EXPECT_EQ(on, buttons());
    Click(page->btnApply);
    EXPECT_EQ(off, buttons());
    Click(page->rBtnManual);
    Click(page->chBoxMPDU);  // aggregation off
    EXPECT_EQ(off, buttons());
    EXPECT_FALSE(page->rBtnAuto->Enabled());
    EXPECT_FALSE(page->cBoxMpduDensity->Enabled());
    Click(page->chBoxMPDU);
    EXPECT_EQ(on, buttons());
    EXPECT_TRUE(page->lblMpduDensity->Enabled());
}

// Ticking the boxes from code runs their click handler: each changed box writes the policy.
TEST_F(Setting80211n, AckPolicyReadOnEntryWritesOncePerChangedBox)
{
    Start();
    SimJournalClear();
    OpenWindow();
    EXPECT_EQ(Calls(std::vector<std::string>{"WVWL_ReadAckPolicy", "WVWL_WriteAckPolicy", "WVWL_SetAckPolicy"}),
              (std::vector<std::string>{
                  "WVWL_ReadAckPolicy() -> 0", "WVWL_WriteAckPolicy(1 1 1 1) -> 1",
                  "WVWL_WriteAckPolicy(1 0 0 0) -> 1", "WVWL_SetAckPolicy(1 0 0 0) -> 1",
                  "WVWL_WriteAckPolicy(1 1 0 0) -> 1", "WVWL_SetAckPolicy(1 1 0 0) -> 1",
                  "WVWL_WriteAckPolicy(1 1 1 0) -> 1", "WVWL_SetAckPolicy(1 1 1 0) -> 1",
                  "WVWL_WriteAckPolicy(1 1 1 1) -> 1", "WVWL_SetAckPolicy(1 1 1 1) -> 1"}));

    // Shown again with BE and VI stored: two boxes change, two writes.
    Click(Page()->chBoxACBK);
    Click(Page()->chBoxACVO);
    ClickControl(Form80211nSetting->SysBtnClose);
    VOZEZIV.WVWL_WriteAckPolicy(0, 0, 1, 1);
    SimJournalClear();
    Click(FormAdvanced->FrameAdvancedTest->btn80211nSetting);
    EXPECT_EQ(Calls(std::vector<std::string>{"WVWL_WriteAckPolicy", "WVWL_SetAckPolicy"}),
              (std::vector<std::string>{"WVWL_WriteAckPolicy(0 0 1 0) -> 1", "WVWL_SetAckPolicy(0 0 1 0) -> 1",
                                        "WVWL_WriteAckPolicy(0 0 1 1) -> 1", "WVWL_SetAckPolicy(0 0 1 1) -> 1"}));
    EXPECT_FALSE(Page()->chBoxACBE->Checked());
    EXPECT_TRUE(Page()->chBoxACVO->Checked());
}

// Where a control is drawn over a shown neighbour or past its container, one of them loses
// part of its frame or text: every shown control of the page lies inside its container and
// apart from its shown neighbours, with the ack-policy controls shown and hidden.
std::string Describe(const TControl* control)
{
    const RECT r = control->BoundsRect();
    return (control->Name.empty() ? std::string("control") : control->Name) + " at (" + std::to_string(r.left) + "," +
           std::to_string(r.top) + ")-(" + std::to_string(r.right) + "," + std::to_string(r.bottom) + ")";
}

std::vector<std::string> Overlaps(const TWinControl* parent)
{
    std::vector<std::string> found;
    std::vector<const TControl*> shown;
    for (int i = 0; i < parent->ControlCount(); ++i)
        if (parent->Controls(i)->Visible())
            shown.push_back(parent->Controls(i));
    const RECT inside = {0, 0, parent->Width(), parent->Height()};
    for (size_t i = 0; i < shown.size(); ++i) {
        const RECT a = shown[i]->BoundsRect();
        RECT both{};
        IntersectRect(&both, &a, &inside);
        if (!EqualRect(&both, &a))
            found.push_back(Describe(shown[i]) + " leaves " + Describe(parent));
        for (size_t j = i + 1; j < shown.size(); ++j) {
            const RECT b = shown[j]->BoundsRect();
            if (IntersectRect(&both, &a, &b))
                found.push_back(Describe(shown[i]) + " over " + Describe(shown[j]));
        }
        if (const auto* container = dynamic_cast<const TWinControl*>(shown[i])) {
            const std::vector<std::string> deeper = Overlaps(container);
            found.insert(found.end(), deeper.begin(), deeper.end());
        }
    }
    return found;
}

class Setting80211nLayout : public Setting80211n, public ::testing::WithParamInterface<bool> {};

TEST_P(Setting80211nLayout, ControlsLieApartInsideTheirContainers)
{
    Start(TScenario(), GetParam());
    OpenWindow();
    EXPECT_EQ(Overlaps(Page()), std::vector<std::string>{});
}

INSTANTIATE_TEST_SUITE_P(AckPolicy, Setting80211nLayout, ::testing::Values(true, false),
                         [](const auto& info) { return std::string(info.param ? "Shown" : "Hidden"); });

TEST_F(Setting80211n, WithoutTheSettingTheAckPolicyAndTGnListAreHiddenButThePolicyIsStillRead)
{
    Start(TScenario(), false);
    OpenWindow();
    EXPECT_FALSE(Page()->grpBoxAckPolicy->Visible());
    EXPECT_FALSE(Page()->lblTGnWiFi->Visible());
    EXPECT_FALSE(Page()->cBoxTGnWiFi->Visible());
    EXPECT_EQ(1u, Calls("WVWL_ReadAckPolicy").size());
    const std::vector<std::string> writes = Calls("WVWL_WriteAckPolicy");
    ASSERT_FALSE(writes.empty());
    EXPECT_EQ("WVWL_WriteAckPolicy(1 1 1 1) -> 1", writes[0]);
    int v[4] = {};
    ASSERT_EQ(1, VOZEZIV.WVWL_ReadAckPolicy(&v[0], &v[1], &v[2], &v[3]));
    EXPECT_EQ(4, v[0] + v[1] + v[2] + v[3]);
}

TEST_F(Setting80211n, TGnItemsGoToTheDriverAsTheirText)
{
    Start();
    OpenWindow();
    EXPECT_EQ(13, Page()->cBoxTGnWiFi->Items().Count());
    EXPECT_EQ(0, Page()->cBoxTGnWiFi->ItemIndex());
    EXPECT_TRUE(Calls("WVWL_SetCoexMode").empty());
    Choose(Page()->cBoxTGnWiFi, 9);
    Choose(Page()->cBoxTGnWiFi, 4);
    EXPECT_EQ(Calls("WVWL_SetCoexMode"),
              (std::vector<std::string>{"WVWL_SetCoexMode(1x1 SS) -> 1",
                                        "WVWL_SetCoexMode(Send 20/40 COEX Mgmt \"Channel Report includes channel 3\") -> 1"}));
}

TEST_F(Setting80211n, TablesRefreshOnTheTimerAndStayWhenTheQueryFails)
{
    Start(WithPeers("02:AA:00:00:00:01"));
    VOZEZIV.WVWL_WriteBACap(0x00022020);
    OpenWindow();
    BA_SESSION_REQUEST r{};
    const uint8_t peer[6] = {0x02, 0xAA, 0, 0, 0, 1};
    std::copy(peer, peer + 6, r.MacAddr);
    r.WindowSize = 16;
    r.TID = 0;
    ASSERT_EQ(1, VOZEZIV.WVWL_AddIMMEBA(r));
    r.TID = 5;
    ASSERT_EQ(1, VOZEZIV.WVWL_AddIMMEBA(r));
    TListView* list = Page()->lvOriginatorList;
    ASSERT_TRUE(PumpUntil([list] { return list->ItemCount() == 1; }, 3000));
    EXPECT_EQ(Row(list, 0), (std::vector<std::string>{"02-AA-00-00-00-01", "16", "-", "-", "-", "-", "16", "-", "-"}));
    EXPECT_EQ(0, Page()->lvRecipientList->ItemCount());
    EXPECT_FALSE(list->Enabled());

    SimCommand("inject WVWL_QueryBATable * 0");
    VOZEZIV.WVWL_OIDSetInfo(OID_BA_DELETE, &r, sizeof r);
    Pump(1300);
    EXPECT_EQ(1, list->ItemCount());
}

TEST_F(Setting80211n, AddPageListsTheAccessPointFirstAndSendsTheAgreement)
{
    Start(WithPeers("02:AA:00:00:00:01,00:00:00:00:00:00,00:1A:2B:00:00:02"));
    ConnectHome();
    VOZEZIV.WVWL_WriteBACap(0x00022020);
    OpenWindow();
    Click(Page()->btnAddRecip);
    ASSERT_EQ(Form80211nSetting->m_pCurrentPage, AddPage());
    EXPECT_EQ(Captions(AddPage()->lvAvailBssidList), (std::vector<std::string>{kHomeText, "02-AA-00-00-00-01"}));
    EXPECT_EQ(-1, AddPage()->lvAvailBssidList->ItemIndex());
    EXPECT_FALSE(Calls("WVWL_OIDQueryInfo(0xFF0C0029 388)").empty());

    // OK with nothing chosen: the message, and the page stays.
    Click(AddPage()->btnOK);
    EXPECT_TRUE(BoxShown("Please choose BSSID"));
    EXPECT_EQ(Form80211nSetting->m_pCurrentPage, AddPage());

    Choose(AddPage()->cBoxTID, 3);
    Type(AddPage()->editLimitBAWindowSize, "300");
    SelectRow(AddPage()->lvAvailBssidList, 0);
    SimJournalClear();
    Click(AddPage()->btnOK);
    EXPECT_EQ(Calls("WVWL_AddIMMEBA"),
              (std::vector<std::string>{"WVWL_AddIMMEBA(recipient 00:1A:2B:00:00:02 tid=3 window=44 all=0) -> 1"}));
    EXPECT_EQ(Form80211nSetting->m_pCurrentPage, Page());
    EXPECT_EQ(1u, Calls("WVWL_ReadBACap").size());  // the 802.11n page entered again
    TListView* list = Page()->lvRecipientList;
    ASSERT_TRUE(PumpUntil([list] { return list->ItemCount() == 1; }, 3000));
    EXPECT_EQ(Row(list, 0), (std::vector<std::string>{kHomeText, "-", "-", "-", "44", "-", "-", "-", "-"}));
}

TEST_F(Setting80211n, CancelReturnsWithoutSendingAnything)
{
    Start(WithPeers("02:AA:00:00:00:01"));
    VOZEZIV.WVWL_WriteBACap(0x00022020);
    OpenWindow();
    Click(Page()->btnAddOrigi);
    SelectRow(AddPage()->lvAvailBssidList, 0);
    SimJournalClear();
    Click(AddPage()->btnCancel);
    EXPECT_TRUE(Calls("WVWL_AddIMMEBA").empty());
    EXPECT_EQ(Form80211nSetting->m_pCurrentPage, Page());
    Click(Page()->btnDeleteOrigi);
    Click(DeletePage()->BtnCancel);
    EXPECT_TRUE(Calls("WVWL_OIDSetInfo").empty());
    EXPECT_EQ(Form80211nSetting->m_pCurrentPage, Page());
}

TEST_F(Setting80211n, DeletePageSendsTheDirectionTheTidAndTheAllFlag)
{
    Start(WithPeers("02:AA:00:00:00:01"));
    VOZEZIV.WVWL_WriteBACap(0x00022020);
    OpenWindow();
    BA_SESSION_REQUEST r{};
    const uint8_t peer[6] = {0x02, 0xAA, 0, 0, 0, 1};
    std::copy(peer, peer + 6, r.MacAddr);
    r.WindowSize = 32;
    for (int tid : {1, 2, 4}) {
        r.TID = uint8_t(tid);
        ASSERT_EQ(1, VOZEZIV.WVWL_AddIMMEBA(r));
    }
    r.bRecipient = 1;
    ASSERT_EQ(1, VOZEZIV.WVWL_AddIMMEBA(r));

    Click(Page()->btnDeleteOrigi);
    ASSERT_EQ(Form80211nSetting->m_pCurrentPage, DeletePage());
    EXPECT_TRUE(DeletePage()->cBoxTID->Enabled());
    EXPECT_EQ(Captions(DeletePage()->lvAvailBssidList), (std::vector<std::string>{"02-AA-00-00-00-01"}));
    Choose(DeletePage()->cBoxTID, 2);
    SelectRow(DeletePage()->lvAvailBssidList, 0);
    SimJournalClear();
    Click(DeletePage()->BtnOK);
    EXPECT_EQ(Calls(std::vector<std::string>{"WVWL_OIDSetInfo", "block-ack delete"}),
              (std::vector<std::string>{"WVWL_OIDSetInfo data 0002AA0000000102000000000000",
                                        "block-ack delete originator 02:AA:00:00:00:01 tid=2 window=0 all=0 removed 1",
                                        "WVWL_OIDSetInfo(0xFF8C0027 14) -> 1"}));
    EXPECT_EQ(Form80211nSetting->m_pCurrentPage, Page());

    // "-All" of the recipient group (hidden in the shipped layout).
    Page()->btnDeleteAllRecip->SetVisible(true);
    Click(Page()->btnDeleteAllRecip);
    EXPECT_FALSE(DeletePage()->cBoxTID->Enabled());
    EXPECT_FALSE(DeletePage()->lblTID->Enabled());
    SelectRow(DeletePage()->lvAvailBssidList, 0);
    SimJournalClear();
    Click(DeletePage()->BtnOK);
    EXPECT_EQ(Calls("block-ack delete"),
              (std::vector<std::string>{"block-ack delete recipient 02:AA:00:00:00:01 tid=2 window=0 all=1 removed 1"}));
    TListView* originators = Page()->lvOriginatorList;
    ASSERT_TRUE(PumpUntil([originators] { return originators->ItemCount() == 1; }, 3000));
    EXPECT_EQ(Row(originators, 0)[2], "32");
    EXPECT_EQ(Row(originators, 0)[3], "-");
    EXPECT_EQ(0, Page()->lvRecipientList->ItemCount());
}

TEST_F(Setting80211n, OlderWindowsVersionsUseTheOlderRequestNumbers)
{
    TScenario scenario = WithPeers("02:AA:00:00:00:01");
    scenario.Set("System", "WinOS", "21");
    Start(scenario);
    VOZEZIV.WVWL_WriteBACap(0x00022020);
    OpenWindow();
    Click(Page()->btnDeleteOrigi);
    EXPECT_EQ(Captions(DeletePage()->lvAvailBssidList), (std::vector<std::string>{"02-AA-00-00-00-01"}));
    SelectRow(DeletePage()->lvAvailBssidList, 0);
    Click(DeletePage()->BtnOK);
    EXPECT_FALSE(Calls("WVWL_OIDQueryInfo(0x0D71010B 388)").empty());
    EXPECT_FALSE(Calls("WVWL_OIDSetInfo(0x0DF1013A 14)").empty());
    EXPECT_TRUE(Calls("WVWL_OIDQueryInfo(0xFF0C0029 388)").empty());
}

}  // namespace

namespace {

// A peer count beyond what the driver returned lists only the rows it returned.
TEST_F(Setting80211n, AHostilePeerCountListsOnlyTheReturnedRows)
{
    TScenario scenario;
    scenario.AddSection("BlockAck", {"Peers=02:AA:00:00:00:01,02:AA:00:00:00:02", "PeerCount=4000"});
    Start(scenario);
    VOZEZIV.WVWL_WriteBACap(0x00022020);
    OpenWindow();
    Click(Page()->btnAddOrigi);
    EXPECT_EQ(Captions(AddPage()->lvAvailBssidList),
              (std::vector<std::string>{"02-AA-00-00-00-01", "02-AA-00-00-00-02"}));
}

}  // namespace
