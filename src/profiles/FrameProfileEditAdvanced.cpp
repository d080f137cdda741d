#include "profiles/FrameProfileEditAdvanced.h"

#include "core/WvwlLib.h"
#include "profiles/FormProfileEdit.h"
#include "profiles/ProfileEditControls.h"
#include "wlapi/constants.h"

using namespace ProfileEditUi;

TFrameProfileEditAdvanced::TFrameProfileEditAdvanced(TComponent* owner) : TFrameBase(owner)
{
    Name = "FrameProfileEditAdvanced";
    lblTxPower = MakeLabel(this, 16, 10, S(&CUISTR::STR_TX_POWER));
    cboxTxPower = MakeCombo(this, 150, 6, 120);

    PanelPowerSave = new TPanel(this);
    PanelPowerSave->SetParent(this);
    PanelPowerSave->SetBounds(0, 32, kPageWidth, 24);
    PanelPowerSave->SetColor(WEVO_FORM_COLOR);
    lblPowerSave = MakeLabel(PanelPowerSave, 16, 4, S(&CUISTR::STR_POWER_SAVE_MODE));
    rBtnCAM = new TRadioButton(PanelPowerSave);
    rBtnCAM->SetParent(PanelPowerSave);
    rBtnCAM->SetBounds(150, 3, 80, 17);
    rBtnCAM->SetCaption(S(&CUISTR::STR_CAM));
    rBtnPSM = new TRadioButton(PanelPowerSave);
    rBtnPSM->SetParent(PanelPowerSave);
    rBtnPSM->SetBounds(240, 3, 80, 17);
    rBtnPSM->SetCaption(S(&CUISTR::STR_PSM));

    PanelPreamble = new TPanel(this);
    PanelPreamble->SetParent(this);
    PanelPreamble->SetBounds(0, 32, kPageWidth, 24);
    PanelPreamble->SetColor(WEVO_FORM_COLOR);
    lblPreamble = MakeLabel(PanelPreamble, 16, 4, S(&CUISTR::STR_PREAMBLE));
    cboxPreamble = MakeCombo(PanelPreamble, 150, 0, 120);

    const auto makeRow = [this](int top, std::string CUISTR::*caption, TCheckBox*& box, TTrackBar*& bar,
                                TLabel*& value, int low, int high) {
        box = new TCheckBox(this);
        box->SetParent(this);
        box->SetBounds(16, top + 3, 130, 17);
        box->SetCaption(S(caption));
        bar = new TTrackBar(this);
        bar->SetParent(this);
        bar->SetBounds(150, top, 170, 24);
        bar->SetRange(low, high);
        bar->SetPosition(low);
        value = MakeLabel(this, 325, top + 4, std::to_string(low));
    };
    makeRow(62, &CUISTR::STR_RTS_THRESHOLD, chBoxRTS, tbRTS, lblRTSValue, 0, 2347);
    makeRow(92, &CUISTR::STR_FRAG_THRESHOLD, chBoxFrag, tbFrag, lblFragValue, 256, 2346);
    chBoxRTS->OnClick = [this](TObject* s) { chBoxRTSClick(s); };
    chBoxFrag->OnClick = [this](TObject* s) { chBoxFragClick(s); };
    tbRTS->OnChange = [this](TObject* s) { tbRTSChange(s); };
    tbFrag->OnChange = [this](TObject* s) { tbFragChange(s); };
    tbRTS->SetEnabled(false);
    tbFrag->SetEnabled(false);

    chBoxDiagnostic = new TCheckBox(this);
    chBoxDiagnostic->SetParent(this);
    chBoxDiagnostic->SetBounds(16, 126, 300, 17);
    chBoxDiagnostic->SetCaption(S(&CUISTR::STR_PROF_DIAGNOSTIC));
    FillLists();
}

void TFrameProfileEditAdvanced::FillLists()
{
    const int txPower = FormProfileEdit ? FormProfileEdit->m_nTxPower : 0;
    const int preamble = FormProfileEdit ? FormProfileEdit->m_nPreamble : 0;
    cboxTxPower->Items().Clear();
    AddEntry(cboxTxPower, S(&CUISTR::STR_AUTO), 0);
    AddEntry(cboxTxPower, S(&CUISTR::STR_100PERCENT), 1);
    AddEntry(cboxTxPower, S(&CUISTR::STR_75PERCENT), 2);
    AddEntry(cboxTxPower, S(&CUISTR::STR_50PERCENT), 3);
    AddEntry(cboxTxPower, S(&CUISTR::STR_25PERCENT), 4);
    AddEntry(cboxTxPower, S(&CUISTR::STR_10PERCENT), 5);
    AddEntry(cboxTxPower, S(&CUISTR::STR_LOWEST), 6);
    SelectByObject(cboxTxPower, txPower);
    cboxPreamble->Items().Clear();
    AddEntry(cboxPreamble, S(&CUISTR::STR_AUTO), 0);
    AddEntry(cboxPreamble, S(&CUISTR::STR_LONGPREAMBLE), 1);
    SelectByObject(cboxPreamble, preamble);
}

void TFrameProfileEditAdvanced::OnEnterPage()
{
    TFormProfileEdit* editor = FormProfileEdit;
    if (!editor)
        return;
    const bool infra = editor->m_nProfNetworkType == 1;
    PanelPowerSave->SetVisible(infra);
    PanelPreamble->SetVisible(!infra);
    const bool powerSaveShown = WinOS() < WINOS_VISTA;
    lblPowerSave->SetVisible(powerSaveShown);
    rBtnCAM->SetVisible(powerSaveShown);
    rBtnPSM->SetVisible(powerSaveShown);
    chBoxDiagnostic->SetVisible(VOZEZIV.bSupportCCX != 0);
    (editor->m_nPSMode ? rBtnPSM : rBtnCAM)->SetChecked(true);
    tbRTS->SetEnabled(chBoxRTS->Checked());
    tbFrag->SetEnabled(chBoxFrag->Checked());
}

bool TFrameProfileEditAdvanced::OnLeavePage()
{
    TFormProfileEdit* editor = FormProfileEdit;
    if (!editor)
        return true;
    editor->m_nTxPower = SelectedObject(cboxTxPower, 0);
    editor->m_nPreamble = SelectedObject(cboxPreamble, 0);
    editor->m_nPSMode = rBtnCAM->Checked() ? 0 : 1;
    editor->m_bDiagnostic = chBoxDiagnostic->Checked() ? 1 : 0;
    editor->m_bUseRTS = chBoxRTS->Checked() ? 1 : 0;
    editor->m_nRTSThreshold = editor->m_bUseRTS ? tbRTS->Position() : 2347;
    editor->m_bUseFrag = chBoxFrag->Checked() ? 1 : 0;
    editor->m_nFragThreshold = editor->m_bUseFrag ? tbFrag->Position() : 2346;
    return true;
}

void TFrameProfileEditAdvanced::chBoxRTSClick(TObject*)
{
    tbRTS->SetEnabled(chBoxRTS->Checked());
}

void TFrameProfileEditAdvanced::chBoxFragClick(TObject*)
{
    tbFrag->SetEnabled(chBoxFrag->Checked());
}

void TFrameProfileEditAdvanced::tbRTSChange(TObject*)
{
    char text[16];
    wsprintfA(text, "%i", tbRTS->Position());
    lblRTSValue->SetCaption(text);
}

void TFrameProfileEditAdvanced::tbFragChange(TObject*)
{
    char text[16];
    wsprintfA(text, "%i", tbFrag->Position());
    lblFragValue->SetCaption(text);
}

void TFrameProfileEditAdvanced::WndProc(TMessage& Message)
{
    if (Message.Msg == WM_HSCROLL && Message.LParam) {
        const HWND from = reinterpret_cast<HWND>(Message.LParam);
        if (from == tbRTS->Handle())
            tbRTS->Scrolled();
        else if (from == tbFrag->Handle())
            tbFrag->Scrolled();
    }
    TFrameBase::WndProc(Message);
}
