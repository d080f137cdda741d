#include "advanced/Frame80211nSetting.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "advanced/Form80211nSetting.h"
#include "ui/ExtCtrls.h"
#include "ui/StdCtrls.h"
#include "core/Log.h"
#include "core/WvwlLib.h"
#include "resources/WvImage.h"

namespace {

constexpr unsigned kTableMs = 1000;

const char* const kTGnItems[] = {
    "40 Intolerant \"1\" in AssocReq",
    "40 Intolerant \"0\" in AssocReq",
    "Send 20/40 BSS COEX Mgmt \"40Intolerant\"",
    "Send 20/40 BSS COEX Mgmt \"20 BSS Width Request\"",
    "Send 20/40 COEX Mgmt \"Channel Report includes channel 3\"",
    "AssocReq with MCS 0~7",
    "AssocReq with MCS 8~15",
    "AssocReq with MCS 16~23",
    "AssocReq with full MCS",
    "1x1 SS",
    "2x2 SS",
    "3x3 SS",
    "20/40 COEX Scan and Report",
};

// A read-only, disabled table of nine columns without a header.
TListView* MakeTable(TWinControl* parent)
{
    auto* list = new TListView({parent, 8, 18, 302, 52});
    list->SetRowSelect(true);
    list->SetShowColumnHeaders(false);
    list->SetColor(WEVO_FORM_COLOR);
    list->AddColumn("Mac Address", 126);
    for (int tid = 0; tid < 8; ++tid)
        list->AddColumn("TID[" + std::to_string(tid) + "]", 21);
    list->SetEnabled(false);
    return list;
}

TLabel* Label(TWinControl* parent, int left, int top, int width, const char* caption)
{
    TLabel* label = skin::MakeLabel(parent, left, top, width);
    label->SetCaption(caption);
    return label;
}

}  // namespace

TFrame80211nSetting::TFrame80211nSetting(TComponent* owner) : TFrameBase(owner)
{
    Name = "Frame80211nSetting";
    chBoxAMSDU = new TCheckBox({this, 12, 4, 150, 17, "A-MSDU"});
    // The choice rows end where the power-save group begins, so they leave its frame whole.
    pnlAmsduMax = new TPanel({this, 28, 22, 162, 20});
    rBtnMax3839 = new TRadioButton({pnlAmsduMax, 0, 1, 80, 17, "Max:3839"});
    rBtnMax7935 = new TRadioButton({pnlAmsduMax, 82, 1, 80, 17, "Max:7935"});
    chBoxMPDU = new TCheckBox({this, 12, 46, 170, 17, "MPDU Aggregation"});
    pnlMpduMode = new TPanel({this, 28, 64, 162, 20});
    rBtnManual = new TRadioButton({pnlMpduMode, 0, 1, 80, 17, "Manual"});
    rBtnAuto = new TRadioButton({pnlMpduMode, 82, 1, 80, 17, "Auto"});
    lblMpduDensity = Label(this, 28, 92, 86, "Mpdu Density");
    cBoxMpduDensity = new TComboBox({this, 118, 88, 56, 21});
    for (int density = 0; density < 8; ++density)
        cBoxMpduDensity->Items().Add(std::to_string(density));
    cBoxMpduDensity->SetItemIndex(0);

    grpBoxSMPSMode = new TGroupBox({this, 190, 0, 200, 80, "Spatial Multiplexing Power Save"});
    rBtnSMEnable = new TRadioButton({grpBoxSMPSMode, 12, 18, 160, 17, "SM enable"});
    rBtnStaticSMPS = new TRadioButton({grpBoxSMPSMode, 12, 38, 160, 17, "Static SMPS"});
    rBtnDynamicSMPS = new TRadioButton({grpBoxSMPSMode, 12, 58, 160, 17, "Dynamic SMPS"});

    grpBoxAckPolicy = new TGroupBox({this, 190, 82, 200, 56, "Ack Policy"});
    chBoxACBE = new TCheckBox({grpBoxAckPolicy, 12, 16, 80, 17, "AC_BE"});
    chBoxACBK = new TCheckBox({grpBoxAckPolicy, 100, 16, 80, 17, "AC_BK"});
    chBoxACVI = new TCheckBox({grpBoxAckPolicy, 12, 35, 80, 17, "AC_VI"});
    chBoxACVO = new TCheckBox({grpBoxAckPolicy, 100, 35, 80, 17, "AC_VO"});

    btnApply = new TButton({this, 12, 114, 75, 25, "Apply"});
    lblTGnWiFi = Label(this, 12, 148, 64, "TGn WiFi");
    cBoxTGnWiFi = new TComboBox({this, 80, 144, 310, 21});
    for (const char* item : kTGnItems)
        cBoxTGnWiFi->Items().Add(item);
    cBoxTGnWiFi->SetItemIndex(0);

    grpBoxOriginator = new TGroupBox({this, 10, 172, 380, 78, "Originator of"});
    lvOriginatorList = MakeTable(grpBoxOriginator);
    btnAddOrigi = new TButton({grpBoxOriginator, 316, 18, 26, 24, "+"});
    btnDeleteOrigi = new TButton({grpBoxOriginator, 346, 18, 26, 24, "-"});
    btnDeleteAllOrigi = new TButton({grpBoxOriginator, 316, 46, 56, 24, "-All"});
    btnDeleteAllOrigi->SetVisible(false);

    grpBoxRecipient = new TGroupBox({this, 10, 254, 380, 78, "Recipient of"});
    lvRecipientList = MakeTable(grpBoxRecipient);
    btnAddRecip = new TButton({grpBoxRecipient, 316, 18, 26, 24, "+"});
    btnDeleteRecip = new TButton({grpBoxRecipient, 346, 18, 26, 24, "-"});
    btnDeleteAllRecip = new TButton({grpBoxRecipient, 316, 46, 56, 24, "-All"});
    btnDeleteAllRecip->SetVisible(false);

    TimerQueryBATable = new TTimer(this);
    TimerQueryBATable->SetEnabled(false);
    TimerQueryBATable->SetInterval(kTableMs);

    const bool ackPolicyShown = VOZEZIV.bACKPolicy_CoexMode_11nPage == 1;
    grpBoxAckPolicy->SetVisible(ackPolicyShown);
    lblTGnWiFi->SetVisible(ackPolicyShown);
    cBoxTGnWiFi->SetVisible(ackPolicyShown);

    chBoxAMSDU->OnClick = [this](TObject* s) { OnCheckEnableAmsdu(s); };
    chBoxMPDU->OnClick = [this](TObject* s) { OnCheckEnableBA(s); };
    for (TCheckBox* box : {chBoxACBE, chBoxACBK, chBoxACVI, chBoxACVO})
        box->OnClick = [this](TObject* s) { OnCheckEnableAckPolicy(s); };
    btnApply->OnClick = [this](TObject* s) { OnApply(s); };
    cBoxTGnWiFi->OnChange = [this](TObject* s) { OnCbnSelchangeComboCoex(s); };
    btnAddOrigi->OnClick = [this](TObject* s) { btnAddOrigiClick(s); };
    btnAddRecip->OnClick = [this](TObject* s) { btnAddRecipClick(s); };
    btnDeleteOrigi->OnClick = [this](TObject* s) { btnDeleteOrigiClick(s); };
    btnDeleteRecip->OnClick = [this](TObject* s) { btnDeleteRecipClick(s); };
    btnDeleteAllOrigi->OnClick = [this](TObject* s) { btnDeleteAllOrigiClick(s); };
    btnDeleteAllRecip->OnClick = [this](TObject* s) { btnDeleteAllRecipClick(s); };
    TimerQueryBATable->OnTimer = [this](TObject* s) { TimerQueryBATableTimer(s); };
}

void TFrame80211nSetting::OnEnterPage()
{
    LoadCapability();
    LoadAckPolicy();
    UpdateControlStates();
    TimerQueryBATable->SetEnabled(true);
}

bool TFrame80211nSetting::OnLeavePage()
{
    TimerQueryBATable->SetEnabled(false);
    return true;
}

void TFrame80211nSetting::LoadCapability()
{
    unsigned long word = 0;
    if (!VOZEZIV.WVWL_ReadBACap || !VOZEZIV.WVWL_ReadBACap(&word))
        return;
    const BA_CAP_STATE s = BACapStateFromWord(uint32_t(word));
    m_uchCarried0 = s.carried0;
    m_uchCarried1 = s.carried1;
    chBoxAMSDU->SetChecked(s.amsdu);
    (s.amsdu7935 ? rBtnMax7935 : rBtnMax3839)->SetChecked(true);
    chBoxMPDU->SetChecked(s.mpdu);
    (s.autoDensity ? rBtnAuto : rBtnManual)->SetChecked(true);
    cBoxMpduDensity->SetItemIndex(s.density);
    TRadioButton* powerSave = s.powerSave == 0 ? rBtnStaticSMPS : s.powerSave == 1 ? rBtnDynamicSMPS : rBtnSMEnable;
    powerSave->SetChecked(true);
}

// Ticking a box from code runs its click handler, so each changed box writes the policy.
void TFrame80211nSetting::LoadAckPolicy()
{
    if (!VOZEZIV.WVWL_ReadAckPolicy)
        return;
    int be = 0, bk = 0, vi = 0, vo = 0;
    if (!VOZEZIV.WVWL_ReadAckPolicy(&be, &bk, &vi, &vo)) {
        if (VOZEZIV.WVWL_WriteAckPolicy)
            VOZEZIV.WVWL_WriteAckPolicy(1, 1, 1, 1);
        be = bk = vi = vo = 1;
    }
    chBoxACBE->SetChecked(be != 0);
    chBoxACBK->SetChecked(bk != 0);
    chBoxACVI->SetChecked(vi != 0);
    chBoxACVO->SetChecked(vo != 0);
}

void TFrame80211nSetting::UpdateControlStates()
{
    const bool mpdu = chBoxMPDU->Checked();
    for (TControl* control : {static_cast<TControl*>(rBtnAuto), static_cast<TControl*>(rBtnManual),
                              static_cast<TControl*>(cBoxMpduDensity), static_cast<TControl*>(lblMpduDensity)})
        control->SetEnabled(mpdu);
    const bool tableButtons = mpdu && rBtnManual->Checked();
    for (TButton* button : {btnAddOrigi, btnDeleteOrigi, btnDeleteAllOrigi, btnAddRecip, btnDeleteRecip, btnDeleteAllRecip})
        button->SetEnabled(tableButtons);
    const bool amsdu = chBoxAMSDU->Checked();
    rBtnMax3839->SetEnabled(amsdu);
    rBtnMax7935->SetEnabled(amsdu);
}

BA_CAP_STATE TFrame80211nSetting::ControlState() const
{
    BA_CAP_STATE s;
    s.carried0 = m_uchCarried0;
    s.carried1 = m_uchCarried1;
    s.amsdu = chBoxAMSDU->Checked();
    s.amsdu7935 = rBtnMax7935->Checked();
    s.mpdu = chBoxMPDU->Checked();
    s.autoDensity = rBtnAuto->Checked();
    s.density = cBoxMpduDensity->ItemIndex() < 0 ? 0 : cBoxMpduDensity->ItemIndex();
    s.powerSave = rBtnDynamicSMPS->Checked() ? 1 : rBtnStaticSMPS->Checked() ? 0 : 3;
    return s;
}

void TFrame80211nSetting::OnApply(TObject*)
{
    const BA_CAP_STATE s = ControlState();
    if (VOZEZIV.WVWL_SetBACap)
        VOZEZIV.WVWL_SetBACap(MakeBACapSetting(s));
    if (VOZEZIV.WVWL_WriteBACap)
        VOZEZIV.WVWL_WriteBACap(MakeBACapWord(s));
    UpdateControlStates();
}

void TFrame80211nSetting::OnCheckEnableAmsdu(TObject*)
{
    UpdateControlStates();
}

void TFrame80211nSetting::OnCheckEnableBA(TObject*)
{
    UpdateControlStates();
}

void TFrame80211nSetting::OnCheckEnableAckPolicy(TObject*)
{
    const int be = chBoxACBE->Checked(), bk = chBoxACBK->Checked(), vi = chBoxACVI->Checked(),
              vo = chBoxACVO->Checked();
    if (VOZEZIV.WVWL_WriteAckPolicy)
        VOZEZIV.WVWL_WriteAckPolicy(be, bk, vi, vo);
    if (VOZEZIV.WVWL_SetAckPolicy)
        VOZEZIV.WVWL_SetAckPolicy(be, bk, vi, vo);
}

void TFrame80211nSetting::OnCbnSelchangeComboCoex(TObject*)
{
    const int index = cBoxTGnWiFi->ItemIndex();
    if (index < 0 || index >= cBoxTGnWiFi->Items().Count() || !VOZEZIV.WVWL_SetCoexMode)
        return;
    char mode[256] = {};
    const std::string text = cBoxTGnWiFi->Items().Strings(index);
    std::memcpy(mode, text.data(), std::min(text.size(), sizeof mode - 1));
    VOZEZIV.WVWL_SetCoexMode(mode);
}

void TFrame80211nSetting::TimerQueryBATableTimer(TObject*)
{
    if (!VOZEZIV.WVWL_QueryBATable)
        return;
    BA_TABLE table{};
    if (!VOZEZIV.WVWL_QueryBATable(&table))
        return;
    m_OriginatorList = BATableRows(table.Originator, table.OriginatorPresent);
    FillList(lvOriginatorList, m_OriginatorList);
    m_RecipientList = BATableRows(table.Recipient, table.RecipientPresent);
    FillList(lvRecipientList, m_RecipientList);
}

void TFrame80211nSetting::FillList(TListView* list, const std::vector<BA_LIST_ROW>& rows)
{
    list->ClearItems();
    for (const BA_LIST_ROW& row : rows) {
        TListItem* item = list->AddItem();
        item->SetCaption(row.text[0]);
        for (int cell = 1; cell < 9; ++cell)
            item->AddSubItem(row.text[cell]);
    }
}

void TFrame80211nSetting::OpenAddPage(bool recipient)
{
    if (!m_pForm)
        return;
    m_pForm->FrameAddBlockAck->m_bRecipient = recipient;
    m_pForm->SwitchPage(nullptr, m_pForm->FrameAddBlockAck);
}

void TFrame80211nSetting::OpenDeletePage(bool recipient, bool allTids)
{
    if (!m_pForm)
        return;
    TFrameDeleteBlockAck* page = m_pForm->FrameDeleteBlockAck;
    page->m_bRecipient = recipient;
    page->m_bAllTids = allTids;
    page->m_bTidSelectable = !allTids;
    m_pForm->SwitchPage(nullptr, page);
}

void TFrame80211nSetting::btnAddOrigiClick(TObject*)
{
    OpenAddPage(false);
}

void TFrame80211nSetting::btnAddRecipClick(TObject*)
{
    OpenAddPage(true);
}

void TFrame80211nSetting::btnDeleteOrigiClick(TObject*)
{
    OpenDeletePage(false, false);
}

void TFrame80211nSetting::btnDeleteRecipClick(TObject*)
{
    OpenDeletePage(true, false);
}

void TFrame80211nSetting::btnDeleteAllOrigiClick(TObject*)
{
    OpenDeletePage(false, true);
}

void TFrame80211nSetting::btnDeleteAllRecipClick(TObject*)
{
    OpenDeletePage(true, true);
}
