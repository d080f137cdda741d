// The advanced window: which tabs show for which settings and adapter kind, where they sit,
// switching pages, the tab layout and the test page.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "advanced/Form80211nSetting.h"
#include "advanced/FormAdvanced.h"
#include "advanced/FormMFPTest.h"
#include "core/WvwlLib.h"
#include "mainwindow/program_fixture.h"
#include "resources/FormResource.h"
#include "ui/Seams.h"
#include "../ui/UiTestSupport.h"

namespace {

constexpr int kBase = 8;   // the wireless tab's place in the design
constexpr int kTab = 24;   // width of a tab picture

class AdvancedWindow : public ProgramFixture {
protected:
    // The pages read the adapter when they are entered: the simulated library is loaded.
    void SetUp() override
    {
        ProgramFixture::SetUp();
        LoadLibrary();
        seams::logSink = [this](const char* line) { log.push_back(line); };
        VOZEZIV.bSupportWAPI = VOZEZIV.bSupportCCX = VOZEZIV.bSupportWMM = VOZEZIV.bShowTestDialog = 0;
        VOZEZIV.selectedAdapter.nAdapterKind = 4;
        Application->CreateForm(FormResource);
        Application->CreateForm(FormMFPTest);
        Application->CreateForm(Form80211nSetting);
        Application->CreateForm(FormAdvanced);
    }

    // Shows the window afresh with these settings.
    void ShowWith(int wapi, uint32_t kind, int ccx, int wmm, int test)
    {
        FormAdvanced->Hide();
        VOZEZIV.bSupportWAPI = wapi;
        VOZEZIV.selectedAdapter.nAdapterKind = kind;
        VOZEZIV.bSupportCCX = ccx;
        VOZEZIV.bSupportWMM = wmm;
        VOZEZIV.bShowTestDialog = test;
        FormAdvanced->Show();
    }

    // The page whose window is in front of the others.
    HWND FrontChild() const { return GetWindow(FormAdvanced->Handle(), GW_CHILD); }

    std::vector<std::string> log;
};

struct TabCase {
    const char* name;
    int wapi;
    uint32_t kind;
    int ccx, wmm, test;
    // Left of each tab, -1 when hidden: certificate centre, CCX, WMM, test.
    int cert, ccxLeft, wmmLeft, testLeft;
};

void PrintTo(const TabCase& c, std::ostream* os)
{
    *os << c.name;
}

class TabRow : public AdvancedWindow, public ::testing::WithParamInterface<TabCase> {};

TEST_P(TabRow, ShowsTheAllowedTabsPackedAfterTheHiddenWirelessTab)
{
    const TabCase& c = GetParam();
    ShowWith(c.wapi, c.kind, c.ccx, c.wmm, c.test);

    EXPECT_FALSE(FormAdvanced->TabBtnWireless->Visible());
    EXPECT_EQ(FormAdvanced->TabBtnWireless->Left(), kBase);
    const struct {
        TWvImage* tab;
        int left;
    } tabs[] = {{FormAdvanced->TabBtnCertCenter, c.cert},
                {FormAdvanced->TabBtnCCX, c.ccxLeft},
                {FormAdvanced->TabBtnWMM, c.wmmLeft},
                {FormAdvanced->TabBtnTest, c.testLeft}};
    int shown = 0;
    for (const auto& t : tabs) {
        EXPECT_EQ(t.tab->Visible(), t.left >= 0) << t.tab->Hint();
        if (t.left >= 0) {
            EXPECT_EQ(t.tab->Left(), t.left);
            ++shown;
        }
    }
    EXPECT_EQ(FormAdvanced->m_nLastTabSlot, shown);  // slot 0 is the wireless tab's
    // Whatever shows, the window opens on the certificate page.
    EXPECT_EQ(FormAdvanced->m_pCurrentPage, FormAdvanced->FrameAdvancedCertManagement);
    EXPECT_EQ(FrontChild(), FormAdvanced->FrameAdvancedCertManagement->Handle());
}

INSTANTIATE_TEST_SUITE_P(
    Settings, TabRow,
    ::testing::Values(
        TabCase{"EverythingOff", 0, 4, 0, 0, 0, -1, -1, -1, -1},
        TabCase{"WapiOnNewerAdapter", 1, 4, 0, 0, 0, kBase + kTab, -1, -1, -1},
        TabCase{"WapiOnOlderAdapterKind0", 1, 0, 0, 0, 0, -1, -1, -1, -1},
        TabCase{"WapiOnOlderAdapterKind3", 1, 3, 0, 0, 0, -1, -1, -1, -1},
        TabCase{"NewerAdapterWithoutWapi", 0, 9, 0, 0, 0, -1, -1, -1, -1},
        TabCase{"CcxWmmTestWithoutCert", 1, 2, 1, 1, 1, -1, kBase + kTab, kBase + 2 * kTab, kBase + 3 * kTab},
        TabCase{"Everything", 1, 5, 1, 1, 1, kBase + kTab, kBase + 2 * kTab, kBase + 3 * kTab, kBase + 4 * kTab},
        TabCase{"WmmOnly", 0, 4, 0, 1, 0, -1, -1, kBase + kTab, -1},
        TabCase{"CertAndTest", 1, 4, 0, 0, 1, kBase + kTab, -1, -1, kBase + 2 * kTab}),
    [](const ::testing::TestParamInfo<TabCase>& info) { return std::string(info.param.name); });

TEST_F(AdvancedWindow, EveryShowingRebuildsTheRowFromTheSettings)
{
    ShowWith(1, 4, 1, 1, 1);
    ASSERT_EQ(FormAdvanced->TabBtnTest->Left(), kBase + 4 * kTab);
    ClickControl(FormAdvanced->TabBtnWMM);

    ShowWith(0, 4, 0, 1, 1);
    EXPECT_FALSE(FormAdvanced->TabBtnCertCenter->Visible());
    EXPECT_FALSE(FormAdvanced->TabBtnCCX->Visible());
    EXPECT_EQ(FormAdvanced->TabBtnWMM->Left(), kBase + kTab);
    EXPECT_EQ(FormAdvanced->TabBtnTest->Left(), kBase + 2 * kTab);
    EXPECT_EQ(FormAdvanced->m_nLastTabSlot, 2);
    // Reopening goes back to the certificate page, with the tab pictures reset.
    EXPECT_EQ(FormAdvanced->m_pCurrentPage, FormAdvanced->FrameAdvancedCertManagement);
    EXPECT_EQ(FormAdvanced->TabBtnWMM->ImageIndex(), 0);
    EXPECT_EQ(FormAdvanced->TabBtnWireless->ImageIndex(), 1);
}

TEST_F(AdvancedWindow, EachTabBringsItsPageToTheFrontAndShowsItselfDown)
{
    ShowWith(1, 4, 1, 1, 1);
    TFormAdvanced* f = FormAdvanced;
    const struct {
        TWvImage* tab;
        TFrameBase* page;
    } cases[] = {
        {f->TabBtnCCX, f->FrameAdvancedCCX},
        {f->TabBtnWMM, f->FrameAdvancedWMM},
        {f->TabBtnTest, f->FrameAdvancedTest},
        {f->TabBtnWireless, f->FrameAdvancedWireless},
        {f->TabBtnCertCenter, f->FrameAdvancedCertManagement},
        {f->TabBtnTest, f->FrameAdvancedTest},
    };
    for (const auto& c : cases) {
        if (c.tab->Visible())
            ClickControl(c.tab);
        else
            f->TabBtnWirelessClick(nullptr); // the wireless tab stays hidden: only code reaches its page
        EXPECT_EQ(f->m_pCurrentPage, c.page) << c.page->Name;
        EXPECT_EQ(FrontChild(), c.page->Handle()) << c.page->Name;
        for (TWvImage* tab : {f->TabBtnWireless, f->TabBtnCertCenter, f->TabBtnCCX, f->TabBtnWMM, f->TabBtnTest})
            EXPECT_EQ(tab->ImageIndex(), tab == c.tab ? 1 : 0) << c.page->Name << " " << tab->Hint();
    }
}

TEST_F(AdvancedWindow, AClickOnTheTabPictureSwitchesThePage)
{
    ShowWith(0, 4, 1, 0, 0);
    TWvImage* tab = FormAdvanced->TabBtnCCX;
    const LPARAM at = MAKELPARAM(tab->Left() + 3, tab->Top() + 3);
    SendMessageA(FormAdvanced->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageA(FormAdvanced->Handle(), WM_LBUTTONUP, 0, at);
    EXPECT_EQ(FormAdvanced->m_pCurrentPage, FormAdvanced->FrameAdvancedCCX);
    EXPECT_EQ(tab->ImageIndex(), 1);
}

TEST_F(AdvancedWindow, ADisabledTabKeepsItsDisabledPicture)
{
    ShowWith(0, 4, 1, 1, 0);
    FormAdvanced->TabBtnWMM->SetEnabled(false);
    ASSERT_EQ(FormAdvanced->TabBtnWMM->ImageIndex(), 3);
    ClickControl(FormAdvanced->TabBtnCCX);
    EXPECT_EQ(FormAdvanced->TabBtnWMM->ImageIndex(), 3);
    ShowWith(0, 4, 1, 1, 0);
    EXPECT_EQ(FormAdvanced->TabBtnWMM->ImageIndex(), 3);
    FormAdvanced->TabBtnWMM->SetEnabled(true);
    EXPECT_EQ(FormAdvanced->TabBtnWMM->ImageIndex(), 0);
}

class TabLayout : public AdvancedWindow {
protected:
    void Add(TWvImage* tab, int id) { ASSERT_TRUE(FormAdvanced->ArrangeTabButton(true, tab, id)); }
    TAB_SLOT Slot(int i) const { return FormAdvanced->m_TabSlots[i]; }
};

TEST_F(TabLayout, RemovingATabMovesTheLaterOnesIntoItsPlace)
{
    TFormAdvanced* f = FormAdvanced;
    Add(f->TabBtnWireless, tabAdvancedWireless);
    Add(f->TabBtnCertCenter, tabAdvancedCertCenter);
    Add(f->TabBtnCCX, tabAdvancedCCX);
    Add(f->TabBtnWMM, tabAdvancedWMM);

    EXPECT_TRUE(f->ArrangeTabButton(false, f->TabBtnCertCenter, tabAdvancedCertCenter));
    EXPECT_EQ(f->m_nLastTabSlot, 2);
    EXPECT_EQ(f->TabBtnCCX->Left(), kBase + kTab);
    EXPECT_EQ(f->TabBtnWMM->Left(), kBase + 2 * kTab);
    const TAB_SLOT expected[] = {{kBase, kTab, 1}, {kBase + kTab, kTab, 3}, {kBase + 2 * kTab, kTab, 4}, {0, 0, 0}};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(Slot(i).nLeft, expected[i].nLeft) << i;
        EXPECT_EQ(Slot(i).nWidth, expected[i].nWidth) << i;
        EXPECT_EQ(Slot(i).nTabId, expected[i].nTabId) << i;
    }
    // The next tab goes after the last one.
    Add(f->TabBtnTest, tabAdvancedTest);
    EXPECT_EQ(f->TabBtnTest->Left(), kBase + 3 * kTab);
}

TEST_F(TabLayout, RemovingATabThatIsNotThereChangesNothing)
{
    TFormAdvanced* f = FormAdvanced;
    Add(f->TabBtnWireless, tabAdvancedWireless);
    Add(f->TabBtnCCX, tabAdvancedCCX);
    const int testLeft = f->TabBtnTest->Left();
    EXPECT_TRUE(f->ArrangeTabButton(false, f->TabBtnTest, tabAdvancedTest));
    EXPECT_EQ(f->m_nLastTabSlot, 1);
    EXPECT_EQ(Slot(1).nTabId, tabAdvancedCCX);
    EXPECT_EQ(f->TabBtnCCX->Left(), kBase + kTab);
    EXPECT_EQ(f->TabBtnTest->Left(), testLeft);
}

TEST_F(TabLayout, AFullRowRefusesAnotherTab)
{
    TFormAdvanced* f = FormAdvanced;
    for (int i = 0; i < TFormAdvanced::kTabSlotCount; ++i)
        Add(f->TabBtnTest, 10 + i);
    const int lastLeft = f->TabBtnTest->Left();
    EXPECT_FALSE(f->ArrangeTabButton(true, f->TabBtnCCX, tabAdvancedCCX));
    EXPECT_EQ(f->m_nLastTabSlot, TFormAdvanced::kTabSlotCount - 1);
    EXPECT_EQ(f->m_nTabBaseLeft, kBase);
    EXPECT_EQ(Slot(TFormAdvanced::kTabSlotCount - 1).nTabId, 10 + TFormAdvanced::kTabSlotCount - 1);
    EXPECT_EQ(lastLeft, kBase + (TFormAdvanced::kTabSlotCount - 1) * kTab);
}

TEST_F(TabLayout, RemovingTheOnlyTabLetsTheNextStartAtTheBase)
{
    TFormAdvanced* f = FormAdvanced;
    Add(f->TabBtnCCX, tabAdvancedCCX);
    EXPECT_TRUE(f->ArrangeTabButton(false, f->TabBtnCCX, tabAdvancedCCX));
    EXPECT_EQ(f->m_nLastTabSlot, -1);
    Add(f->TabBtnWMM, tabAdvancedWMM);
    EXPECT_EQ(f->TabBtnWMM->Left(), kBase);
    EXPECT_EQ(f->m_nLastTabSlot, 0);
}

TEST_F(AdvancedWindow, TestPageOpensTheMfpDialogOnlyWhenItIsNotShowing)
{
    int asked = 0;
    seams::modalAnswer = [&](const std::string&) {
        ++asked;
        return mrCancel;
    };
    ShowWith(0, 4, 0, 0, 1);
    ClickControl(FormAdvanced->TabBtnTest);
    ClickControl(FormAdvanced->FrameAdvancedTest->btn80211WTest);
    EXPECT_EQ(asked, 1);

    FormMFPTest->Show();
    ClickControl(FormAdvanced->FrameAdvancedTest->btn80211WTest);
    EXPECT_EQ(asked, 1);
}

TEST_F(AdvancedWindow, ClosingAlsoClosesTheTestWindows)
{
    ShowWith(0, 4, 0, 0, 1);
    ClickControl(FormAdvanced->TabBtnTest);
    ClickControl(FormAdvanced->FrameAdvancedTest->btn80211nSetting);
    FormMFPTest->Show();
    ASSERT_TRUE(Form80211nSetting->Visible());

    ClickControl(FormAdvanced->SysBtnClose);
    EXPECT_FALSE(FormAdvanced->Visible());
    EXPECT_FALSE(Form80211nSetting->Visible());
    EXPECT_FALSE(FormMFPTest->Visible());
    // The page chosen last survives closing; showing again opens the certificate page.
    EXPECT_EQ(FormAdvanced->m_pCurrentPage, FormAdvanced->FrameAdvancedTest);
    FormAdvanced->Show();
    EXPECT_EQ(FormAdvanced->m_pCurrentPage, FormAdvanced->FrameAdvancedCertManagement);
}

TEST_F(AdvancedWindow, CreationTakesTextsAndPicturesFromTheRepository)
{
    const CUISTR& s = *FormResource->UI_Str;
    EXPECT_EQ(FormAdvanced->Caption(), "Advanced");
    EXPECT_EQ(FormAdvanced->lblCaptionText->Caption(), s.STR_BtnHintAdvanced);
    EXPECT_EQ(FormAdvanced->TabBtnCertCenter->Hint(), s.STR_BtnHntCertCenter);
    EXPECT_EQ(FormAdvanced->TabBtnTest->Hint(), s.STR_BtnHintTest);
    EXPECT_EQ(FormAdvanced->ClientHeight(), 380);
    EXPECT_EQ(FormAdvanced->TabBtnCCX->Width(), kTab);
    EXPECT_EQ(FormAdvanced->TabBtnCCX->GetImage(1), FormResource->ImgBtnAdvancedCCX_Down);
    EXPECT_EQ(FormAdvanced->TabBtnCCX->GetImage(3), FormResource->ImgBtnAdvancedCCX_Disabled);
    EXPECT_EQ(FormAdvanced->TabBtnTest->GetImage(3), FormResource->ImgBtnAdvancedTest_Down);
    EXPECT_EQ(FormAdvanced->m_nTabBaseLeft, kBase);
    EXPECT_EQ(FormAdvanced->m_nLastTabSlot, -1);
}

}  // namespace
