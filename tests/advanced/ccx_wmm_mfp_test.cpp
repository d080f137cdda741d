// The CCX and WMM pages and the MFP test dialog, used through their controls.
#include <gtest/gtest.h>

#include <cstring>

#include "../ui/Snapshot.h"
#include "../ui/UiTestSupport.h"
#include "advanced/FormMFPTest.h"
#include "advanced_pages_fixture.h"
#include "core/WvwlLib.h"

namespace {

unsigned long StoredCcxWord()
{
    unsigned long word = 0;
    VOZEZIV.WVWL_ReadCCX2Cont(&word);
    return word;
}

// ---------------------------------------------------------------------------------------------
// CCX page

struct CcxCase {
    const char* name;
    uint32_t stored;
    bool enable, measure, nonServing, rf, voice;
    const char* time;
    uint32_t written;
};

void PrintTo(const CcxCase& c, std::ostream* os) { *os << c.name; }

class CcxApply : public AdvancedPages, public ::testing::WithParamInterface<CcxCase> {};

constexpr uint32_t kRoam80 = (1u << 5) | (80u << 8);  // fast roaming at -80 dBm

TEST_P(CcxApply, ApplyWritesThePagesBitsAndKeepsTheOthers)
{
    const CcxCase& c = GetParam();
    Open();
    VOZEZIV.WVWL_SetCCXInfo(1, c.stored);
    VOZEZIV.bSupportCCX = 1;
    FormAdvanced->Hide();
    FormAdvanced->Show();
    ClickTab(FormAdvanced->TabBtnCCX);
    TFrameAdvancedCCX* page = FormAdvanced->FrameAdvancedCCX;
    ASSERT_EQ(FormAdvanced->m_pCurrentPage, page);
    auto set = [](TCheckBox* box, bool ticked) {
        if (box->Checked() != ticked)
            Click(box);
    };
    set(page->chBoxEnableCCX, c.enable);
    if (c.enable) {
        set(page->chBoxEnableRadioMeasurement, c.measure);
        set(page->chBoxNonServingChannelMeasurement, c.nonServing);
        set(page->chBoxRFRoaming, c.rf);
        set(page->chBoxVoiceDrasticRoaming, c.voice);
        Type(page->editMeasureTime, c.time);
    }
    SimJournalClear();
    Click(page->BtnApply);
    EXPECT_EQ(StoredCcxWord(), c.written);
    EXPECT_EQ(Calls("WVWL_WriteRegValue").size(), 1u);
    EXPECT_EQ(Calls("WVWL_SetCCXInfo").size(), 1u);
}

INSTANTIATE_TEST_SUITE_P(
    Words, CcxApply,
    ::testing::Values(
        CcxCase{"AllOn", kRoam80, true, true, true, true, true, "1023",
                kRoam80 | 1u | 4u | 8u | (1023u << 16) | (1u << 27) | (1u << 28)},
        CcxCase{"MeasureWithoutLimit", kRoam80, true, true, false, false, false, "1", kRoam80 | 1u | 4u | (1u << 16)},
        // Off clears the CCX bits and sets the limit to 250; roaming, voice and reserved stay.
        CcxCase{"OffKeepsRoamingVoiceAndReserved", kRoam80 | 0x1Fu | (1u << 26) | (1u << 28) | (1u << 30), false,
                false, false, false, false, "", kRoam80 | (250u << 16) | (1u << 28) | (1u << 30)}),
    [](const ::testing::TestParamInfo<CcxCase>& info) { return std::string(info.param.name); });

class CcxPage : public AdvancedPages {
protected:
    TFrameAdvancedCCX* OpenCcx(TScenario scenario = TScenario())
    {
        Open(scenario);
        VOZEZIV.bSupportCCX = 1;
        FormAdvanced->Hide();
        FormAdvanced->Show();
        ClickTab(FormAdvanced->TabBtnCCX);
        return FormAdvanced->FrameAdvancedCCX;
    }
};

TEST_F(CcxPage, LoadsTheWordAndShowsAnOutOfRangeLimitAs250)
{
    for (const auto& [limit, shown] : {std::pair{0u, "250"}, std::pair{1u, "1"}, std::pair{1023u, "1023"}}) {
        SCOPED_TRACE(limit);
        if (!FormAdvanced)
            OpenCcx();
        VOZEZIV.WVWL_SetCCXInfo(1, 1u | 4u | 8u | (limit << 16));
        ClickTab(FormAdvanced->TabBtnWMM);
        ClickTab(FormAdvanced->TabBtnCCX);
        TFrameAdvancedCCX* page = FormAdvanced->FrameAdvancedCCX;
        EXPECT_TRUE(page->chBoxEnableCCX->Checked());
        EXPECT_TRUE(page->chBoxNonServingChannelMeasurement->Checked());
        EXPECT_EQ(page->editMeasureTime->Text(), shown);
    }
}

TEST_F(CcxPage, MeasureTimeOutsideOneTo1023IsRefused)
{
    TFrameAdvancedCCX* page = OpenCcx();
    if (!page->chBoxEnableCCX->Checked())
        Click(page->chBoxEnableCCX);
    for (const char* time : {"0", "1024", ""}) {
        SCOPED_TRACE(time);
        m_boxes.clear();
        SimJournalClear();
        Type(page->editMeasureTime, time);
        Click(page->BtnApply);
        EXPECT_EQ(m_boxes.size(), 1u);
        EXPECT_TRUE(Calls("WVWL_WriteRegValue").empty());
    }
}

// A failed read writes nothing, says so in the log and leaves Apply to try again.
TEST_F(CcxPage, AFailedReadWritesNothingAndApplyStaysAvailable)
{
    TFrameAdvancedCCX* page = OpenCcx();
    SimCommand("inject WVWL_ReadCCX2Cont * 0");
    SimJournalClear();
    m_log.clear();
    ClickControl(page->BtnApply);
    EXPECT_TRUE(Calls("WVWL_WriteRegValue").empty());
    EXPECT_TRUE(Calls("WVWL_SetCCXInfo").empty());
    EXPECT_TRUE(LogHas("WVWL_ReadCCX2Cont() failed, the CCX word is not written"));
    EXPECT_TRUE(UserCanClick(page->BtnApply));
}

// A library that claims more profiles than any list holds: the page lists what it returned.
TEST_F(CcxPage, AProfileCountNoListCanHoldIsClampedAndThePageOpens)
{
    TFrameAdvancedCCX* page = OpenCcx();
    StoreHomeProfile();
    ClickTab(FormAdvanced->TabBtnWMM);
    SimCommand("claim profiles 2147483647");
    m_boxes.clear();
    m_log.clear();
    ClickTab(FormAdvanced->TabBtnCCX);
    EXPECT_EQ(FormAdvanced->m_pCurrentPage, page);
    EXPECT_TRUE(m_boxes.empty());
    ASSERT_EQ(page->cBoxProfile->Items().Count(), 1);
    EXPECT_EQ(page->lblProfileName->Caption(), "Home");
    EXPECT_TRUE(LogHas("2147483647 profiles claimed, listing 4096"));
}

// Diagnostic and Cancel share one place: while a diagnostic runs, a box click or a new entry
// of the page leaves Cancel there, so the test can be cancelled and not started twice.
TEST_F(CcxPage, WhileADiagnosticRunsCancelStaysTheButtonShown)
{
    TFrameAdvancedCCX* page =
        OpenCcx(TScenario().AddSection("Advanced", {"DiagnosticProfiles=Home", "WindowsProfiles=Home"}));
    StoreHomeProfile();
    ClickTab(FormAdvanced->TabBtnWMM);
    ClickTab(FormAdvanced->TabBtnCCX);
    if (!page->chBoxEnableCCX->Checked())
        ClickControl(page->chBoxEnableCCX);
    SimJournalClear();
    ClickControl(page->BtnDiagnostic);
    ASSERT_EQ(page->m_bDiagRunning, 1);
    // The button a user's click at that place reaches.
    auto buttonThere = [page] {
        const POINT p = {page->BtnCancel->Left() + page->BtnCancel->Width() / 2,
                         page->BtnCancel->Top() + page->BtnCancel->Height() / 2};
        return ChildWindowFromPointEx(page->grpBoxDiagnostic->Handle(), p, CWP_SKIPINVISIBLE);
    };
    const std::pair<const char*, std::function<void()>> steps[] = {
        {"box click", [page] { ClickControl(page->chBoxEnableRadioMeasurement); }},
        {"page entered again", [this] {
             ClickTab(FormAdvanced->TabBtnWMM);
             ClickTab(FormAdvanced->TabBtnCCX);
         }}};
    for (const auto& [what, step] : steps) {
        SCOPED_TRACE(what);
        step();
        EXPECT_EQ(FormAdvanced->m_pCurrentPage, page);
        EXPECT_TRUE(page->BtnCancel->Visible());
        EXPECT_FALSE(page->BtnDiagnostic->Visible());
        EXPECT_EQ(buttonThere(), page->BtnCancel->Handle());
        EXPECT_TRUE(IsWindowEnabled(page->grpBoxDiagnostic->Handle()));
        EXPECT_TRUE(UserCanClick(page->BtnCancel));
        SnapshotIfAsked(FormAdvanced->Handle(), std::string("ccx_diagnostic_after_") + (what[0] == 'b' ? "box_click" : "entry"));
    }
    EXPECT_EQ(Calls("WVWL_WlanSendS64Start").size(), 1u);

    ClickControl(page->BtnCancel);
    EXPECT_EQ(Calls("WVWL_WlanSendClientAbort").size(), 1u);
    EXPECT_EQ(page->m_bDiagRunning, 0);
    EXPECT_TRUE(page->BtnDiagnostic->Visible());
    EXPECT_FALSE(page->BtnCancel->Visible());
    EXPECT_EQ(buttonThere(), page->BtnDiagnostic->Handle());
}

TEST_F(CcxPage, SetSendsTheChosenAdmissionCommand)
{
    TFrameAdvancedCCX* page = OpenCcx();
    if (!page->chBoxEnableCCX->Checked())
        Click(page->chBoxEnableCCX);
    Choose(page->cBoxCAC, 1);
    SimJournalClear();
    Click(page->BtnSet);
    EXPECT_EQ(Calls("WVWL_SetACMCmd"), std::vector<std::string>{"WVWL_SetACMCmd(command=2 second=1) -> 1"});
}

TEST_F(CcxPage, OlderAdapterKindsHideTheAdvancedControls)
{
    Open();
    for (const auto& [kind, shown] : {std::pair{2u, false}, std::pair{4u, true}}) {
        VOZEZIV.selectedAdapter.nAdapterKind = kind;
        VOZEZIV.bSupportCCX = 1;
        FormAdvanced->Hide();
        FormAdvanced->Show();
        ClickTab(FormAdvanced->TabBtnCCX);
        TFrameAdvancedCCX* page = FormAdvanced->FrameAdvancedCCX;
        EXPECT_EQ(page->chBoxRFRoaming->Visible(), shown);
        EXPECT_EQ(page->cBoxCAC->Visible(), shown);
        EXPECT_EQ(page->grpBoxDiagnostic->Visible(), shown);
    }
}

// From code 31 on the diagnostic runs through the WLAN service, for a profile it holds and
// that is diagnostic-capable.
TEST_F(CcxPage, DiagnosticNeedsAWlanServiceProfileThatIsCapable)
{
    TFrameAdvancedCCX* page = OpenCcx(
        TScenario().AddSection("Advanced", {"DiagnosticProfiles=Home", "WindowsProfiles=Home,Office"}));
    StoreHomeProfile();
    WLANPROFILE office = {};
    std::strcpy(office.strProfileName, "Office");
    VOZEZIV.WVWL_WriteProfile("Office", &office);
    WLANPROFILE lab = {};
    std::strcpy(lab.strProfileName, "Lab");
    VOZEZIV.WVWL_WriteProfile("Lab", &lab);
    ClickTab(FormAdvanced->TabBtnWMM);
    ClickTab(FormAdvanced->TabBtnCCX);
    if (!page->chBoxEnableCCX->Checked())
        Click(page->chBoxEnableCCX);
    ASSERT_EQ(page->cBoxProfile->Items().Count(), 3);
    const CUISTR& s = Str();
    struct {
        const char* name;
        std::string box;
        bool runs;
    } cases[] = {{"Lab", s.STR_PLZ_DIAGNOSTIC_PROFILE, false},
                 {"Office", s.STR_PLZ_ENABLE_DIAGNOSTIC, false},
                 {"Home", "", true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        m_boxes.clear();
        Choose(page->cBoxProfile, page->cBoxProfile->Items().IndexOf(c.name));
        EXPECT_EQ(page->lblProfileName->Caption(), c.name);
        Click(page->BtnDiagnostic);
        ASSERT_EQ(m_boxes.size(), c.box.empty() ? 0u : 1u);
        if (!c.box.empty()) {
            EXPECT_NE(m_boxes[0].find(c.box), std::string::npos) << m_boxes[0];
        }
        EXPECT_EQ(page->m_bDiagRunning, c.runs ? 1 : 0);
    }
    EXPECT_EQ(Calls("WVWL_WlanSendS64Start"), std::vector<std::string>{"WVWL_WlanSendS64Start(Home) -> 1"});
    EXPECT_EQ(page->lblDiagnosticCapability->Caption(), s.STR_YES);
    Click(page->BtnCancel);
    EXPECT_EQ(Calls("WVWL_WlanSendClientAbort").size(), 1u);
    EXPECT_EQ(page->m_bDiagRunning, 0);
    EXPECT_TRUE(page->BtnDiagnostic->Visible());
}

// ---------------------------------------------------------------------------------------------
// WMM page

class WmmPage : public AdvancedPages {
protected:
    TFrameAdvancedWMM* OpenWmm(const WMM_CAPABILITY& stored, TScenario scenario = TScenario())
    {
        Open(scenario);
        VOZEZIV.WVWL_UpdateWMMEnable(stored);
        VOZEZIV.WVWL_SetAndWriteAPSDSetting(stored);
        VOZEZIV.bSupportWMM = 1;
        FormAdvanced->Hide();
        FormAdvanced->Show();
        SimJournalClear();
        ClickTab(FormAdvanced->TabBtnWMM);
        return FormAdvanced->FrameAdvancedWMM;
    }
    WMM_CAPABILITY Stored()
    {
        WMM_CAPABILITY wmm{};
        VOZEZIV.WVWL_QueryAndReadWMMCapability(&wmm);
        return wmm;
    }
};

const std::vector<std::string> kWmmEntries = {"WVWL_UpdateWMMEnable", "WVWL_EnableAPSD", "WVWL_SetAndWriteAPSDSetting",
                                              "WVWL_WlanDisconnect", "WVWL_WlanConnect"};

// Entering loads the boxes through their handlers: power save first, then WMM, then the
// classes; each box that changes sends its value and reconnects an encrypted link.
TEST_F(WmmPage, EntryLoadsTheBoxesThroughTheirHandlers)
{
    WMM_CAPABILITY stored{};
    stored.bWMMEnable = stored.bAPSDEnable = stored.bAPSD_AC_VO = 1;
    TFrameAdvancedWMM* page = OpenWmm(stored);
    EXPECT_TRUE(page->chBoxWMM->Checked());
    EXPECT_TRUE(page->chBoxPowerSaveEnable->Checked());
    EXPECT_TRUE(page->chBoxAC_VO->Checked());
    EXPECT_TRUE(page->chBoxAC_BE->Enabled());
    EXPECT_EQ(Calls(kWmmEntries),
              (std::vector<std::string>{"WVWL_SetAndWriteAPSDSetting(be/bk/vi/vo 0 0 0 0) -> 1",
                                        "WVWL_EnableAPSD(apsd=1) -> 1", "WVWL_UpdateWMMEnable(wmm=1 apsd=1) -> 1",
                                        "WVWL_SetAndWriteAPSDSetting(be/bk/vi/vo 0 0 0 1) -> 1"}));
    const WMM_CAPABILITY after = Stored();
    EXPECT_EQ(after.bWMMEnable, 1u);
    EXPECT_EQ(after.bAPSDEnable, 1u);
    EXPECT_EQ(after.bAPSD_AC_VO, 1u);
}

TEST_F(WmmPage, EachWriteChangesOnlyItsOwnFields)
{
    WMM_CAPABILITY stored{};
    stored.bWMMEnable = stored.bAPSDEnable = 1;
    TFrameAdvancedWMM* page = OpenWmm(stored);
    struct {
        TCheckBox* box;
        uint32_t wmm, apsd, be, bk, vi, vo;
    } steps[] = {{page->chBoxAC_VO, 1, 1, 0, 0, 0, 1},
                 {page->chBoxAC_BE, 1, 1, 1, 0, 0, 1},
                 {page->chBoxPowerSaveEnable, 1, 0, 0, 0, 0, 0},
                 {page->chBoxWMM, 0, 0, 0, 0, 0, 0}};
    for (const auto& step : steps) {
        Click(step.box);
        const WMM_CAPABILITY w = Stored();
        EXPECT_EQ((std::vector<uint32_t>{w.bWMMEnable, w.bAPSDEnable, w.bAPSD_AC_BE, w.bAPSD_AC_BK, w.bAPSD_AC_VI,
                                         w.bAPSD_AC_VO}),
                  (std::vector<uint32_t>{step.wmm, step.apsd, step.be, step.bk, step.vi, step.vo}));
    }
    EXPECT_FALSE(page->chBoxPowerSaveEnable->Enabled());
    EXPECT_FALSE(page->chBoxAC_VO->Enabled());
}

// A failed read on entry sends nothing: the boxes keep what they showed.
TEST_F(WmmPage, AFailedReadOnEntryWritesNothingAndKeepsTheBoxes)
{
    WMM_CAPABILITY stored{};
    stored.bWMMEnable = stored.bAPSDEnable = stored.bAPSD_AC_VI = 1;
    TFrameAdvancedWMM* page = OpenWmm(stored);
    ConnectHome();
    ClickTab(FormAdvanced->TabBtnCCX);
    SimCommand("inject WVWL_QueryAndReadWMMCapability * 0");
    SimJournalClear();
    m_log.clear();
    ClickTab(FormAdvanced->TabBtnWMM);
    ASSERT_EQ(FormAdvanced->m_pCurrentPage, page);
    EXPECT_EQ(Calls(kWmmEntries), std::vector<std::string>{});
    EXPECT_TRUE(LogHas("WVWL_QueryAndReadWMMCapability() failed, the boxes are not changed"));
    EXPECT_TRUE(page->chBoxWMM->Checked());
    EXPECT_TRUE(page->chBoxPowerSaveEnable->Checked());
    EXPECT_TRUE(page->chBoxAC_VI->Checked());
    EXPECT_TRUE(Connected());
}

TEST_F(WmmPage, AnEncryptedLinkIsReconnectedAndAnOpenOneIsNot)
{
    WMM_CAPABILITY stored{};
    stored.bWMMEnable = 1;
    TFrameAdvancedWMM* page = OpenWmm(stored);
    ConnectHome();
    SimJournalClear();
    Click(page->chBoxWMM);
    EXPECT_EQ(Names({"WVWL_UpdateWMMEnable", "WVWL_WlanDisconnect", "WVWL_WlanConnect"}),
              (std::vector<std::string>{"WVWL_UpdateWMMEnable", "WVWL_WlanDisconnect", "WVWL_WlanConnect"}));
    EXPECT_TRUE(PumpUntil([this] { return Connected(); }));

    VOZEZIV.WVWL_Disconnect();
    SimJournalClear();
    Click(page->chBoxWMM);
    EXPECT_TRUE(Calls("WVWL_WlanConnect").empty());
}

// ---------------------------------------------------------------------------------------------
// MFP test dialog

class MfpDialog : public AdvancedPages {
protected:
    void OpenWith(const MFP_CONTROL& stored)
    {
        Open();
        VOZEZIV.WVWL_SetMFPCtrl(stored);
        FormMFPTest->Show();
        SimJournalClear();
    }
    MFP_CONTROL Sent()
    {
        const std::vector<std::string> sent = Calls("WVWL_SetMFPCtrl");
        MFP_CONTROL record{};
        if (sent.empty())
            return record;
        const std::string& line = sent.back();
        const std::string hex = line.substr(line.find('(') + 1, 24);
        for (int i = 0; i < 12; ++i)
            record.flag[i] = uint8_t(std::stoi(hex.substr(size_t(2 * i), 2), nullptr, 16));
        return record;
    }
    static std::vector<int> Bytes(const MFP_CONTROL& r) { return std::vector<int>(r.flag, r.flag + 12); }
};

TEST_F(MfpDialog, ShowsOnlyBytesEqualTo1AsTicked)
{
    MFP_CONTROL stored{};
    stored.flag[0] = 2;
    stored.flag[1] = 1;
    stored.flag[7] = 1;
    OpenWith(stored);
    EXPECT_FALSE(FormMFPTest->chBoxMFP_Enable->Checked());
    EXPECT_TRUE(FormMFPTest->chBoxMFP_Required->Checked());
    EXPECT_TRUE(FormMFPTest->chBoxSAQuery->Checked());
    EXPECT_FALSE(FormMFPTest->chBoxUnprotected->Checked());
}

TEST_F(MfpDialog, EachButtonSendsItsOwnBytesAndTheRestAsRead)
{
    MFP_CONTROL stored{};
    stored.flag[0] = 1;
    stored.flag[4] = 1;
    stored.flag[8] = 1;
    stored.flag[MFP_SILENT_LINK_DOWN] = 2;  // the trigger bytes as the adapter reports them
    stored.flag[MFP_INJECT_NOW] = 3;
    OpenWith(stored);
    TFormMFPTest* f = FormMFPTest;
    ClickControl(f->chBoxMFP_Enable);
    ClickControl(f->chBoxMFP_Required);
    ClickControl(f->BtnApply);
    EXPECT_EQ(Bytes(Sent()), (std::vector<int>{0, 1, 0, 0, 1, 0, 0, 0, 1, 0, 2, 3}));

    ClickControl(f->chBoxDeauth);
    ClickControl(f->chBoxIncorrectKey);
    ClickControl(f->chBoxSAQuery);
    ClickControl(f->chBoxUnprotected);
    ClickControl(f->BtnInject);
    EXPECT_EQ(Bytes(Sent()), (std::vector<int>{0, 1, 0, 0, 0, 0, 0, 1, 0, 1, 2, 1}));
    EXPECT_NE(SimJournal().find("mfp: inject frames=saquery how=unprotected"), std::string::npos);
}

TEST_F(MfpDialog, SilentLinkDownChangesOnlyByte10AndDropsTheLink)
{
    MFP_CONTROL stored{};
    stored.flag[1] = stored.flag[5] = 1;
    OpenWith(stored);
    ConnectHome();
    SimJournalClear();
    Click(FormMFPTest->btnSilentLinkdown);
    EXPECT_EQ(Bytes(Sent()), (std::vector<int>{0, 1, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0}));
    EXPECT_FALSE(Connected());

    ConnectHome();
    Click(FormMFPTest->btnDisassociate);
    EXPECT_FALSE(Connected());
}

}  // namespace

namespace {

// ---------------------------------------------------------------------------------------------
// Layout: every caption shows whole and no control covers its neighbour.

int CaptionWidth(TControl* control, const std::string& caption)
{
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, control->Font().Handle());
    RECT r = {0, 0, 0, 0};
    DrawTextA(dc, caption.c_str(), -1, &r, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    return int(r.right);
}

int Right(TControl* c) { return c->Left() + c->Width(); }

TEST_F(WmmPage, TheCategoryBoxesShowTheirWholeCaptionsSideBySide)
{
    TFrameAdvancedWMM* page = OpenWmm(WMM_CAPABILITY{});
    TCheckBox* row[] = {page->chBoxAC_BK, page->chBoxAC_BE, page->chBoxAC_VI, page->chBoxAC_VO};
    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE(row[i]->Caption());
        EXPECT_GE(row[i]->Width(), CaptionWidth(row[i], row[i]->Caption()) + GetSystemMetrics(SM_CXMENUCHECK));
        if (i > 0) {
            EXPECT_LE(Right(row[i - 1]), row[i]->Left());
        }
    }
    EXPECT_LE(Right(page->chBoxAC_VO), page->panelPowerSaveEnable->Width());
}

TEST_F(CcxPage, TheAdmissionControlCaptionIsNotCut)
{
    TFrameAdvancedCCX* page = OpenCcx();
    EXPECT_GE(page->lblCACTxt->Width(), CaptionWidth(page->lblCACTxt, page->lblCACTxt->Caption()));
    EXPECT_LE(Right(page->lblCACTxt), page->cBoxCAC->Left());
    EXPECT_LE(Right(page->cBoxCAC), page->BtnSet->Left());
    EXPECT_LE(Right(page->BtnSet), page->Width());
}

TEST_F(CcxPage, TheMeasureTimeUnitIsNotCut)
{
    TFrameAdvancedCCX* page = OpenCcx();
    EXPECT_GE(page->lblMeasureTimeTxt->Width(), CaptionWidth(page->lblMeasureTimeTxt, page->lblMeasureTimeTxt->Caption()));
    EXPECT_LE(Right(page->chBoxNonServingChannelMeasurement), page->editMeasureTime->Left());
    EXPECT_LE(Right(page->editMeasureTime), page->lblMeasureTimeTxt->Left());
    EXPECT_LE(Right(page->lblMeasureTimeTxt), page->Width());
}

} // namespace
