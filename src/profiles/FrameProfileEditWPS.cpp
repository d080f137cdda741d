#include "profiles/FrameProfileEditWPS.h"

#include <algorithm>

#include "core/Log.h"
#include "core/WvwlLib.h"
#include "profiles/FormProfileEdit.h"
#include "profiles/FormWPS20WiFiTestBed.h"
#include "profiles/ProfileEditControls.h"
#include "resources/FormResource.h"

using namespace ProfileEditUi;

namespace {

template <typename T>
T* Place(T* control, TWinControl* parent, int left, int top, int width, int height, const std::string& caption)
{
    control->SetParent(parent);
    control->SetBounds(left, top, width, height);
    control->SetCaption(caption);
    return control;
}

}  // namespace

TFrameProfileEditWPS::TFrameProfileEditWPS(TComponent* owner) : TFrameBase(owner)
{
    Name = "FrameProfileEditWPS";
    lblWPSVersionText = Place(new TLabel(this), this, 8, 4, 110, 16, S(&CUISTR::STR_WPS_VERSION));
    lblWPSVersion = Place(new TLabel(this), this, 124, 4, 80, 16, "1.0");
    lblWPSMethodText = Place(new TLabel(this), this, 8, 26, 110, 16, S(&CUISTR::STR_WPS_METHOD));
    rBtnPBC = Place(new TRadioButton(this), this, 124, 24, 110, 18, S(&CUISTR::STR_PBC));
    rBtnPIN = Place(new TRadioButton(this), this, 240, 24, 110, 18, S(&CUISTR::STR_PIN));
    lblWPSApListText = Place(new TLabel(this), this, 8, 50, 110, 16, S(&CUISTR::STR_WPS_APLIST));
    cboxSSID = new TComboBox(this);
    cboxSSID->SetParent(this);
    cboxSSID->SetBounds(124, 46, 230, 200);
    chBoxAuto = Place(new TCheckBox(this), this, 124, 72, 230, 18, S(&CUISTR::STR_WPS_AUTO_SELECT));
    chBoxAssociateIE = Place(new TCheckBox(this), this, 8, 94, 180, 18, S(&CUISTR::STR_WPS_ASSOCIATE_IE));
    chBoxProbeIE = Place(new TCheckBox(this), this, 192, 94, 180, 18, S(&CUISTR::STR_WPS_PROBE_IE));
    chBoxExternalRegistrar = Place(new TCheckBox(this), this, 8, 116, 180, 18, "External registrar");
    m_btnWPS2WiFiTest = Place(new TButton(this), this, 192, 114, 170, 22, "WPS 2.0 Wi-Fi Test");

    rBtnPBC->SetChecked(true);
    chBoxAssociateIE->SetChecked(true);
    chBoxProbeIE->SetChecked(true);
    chBoxAssociateIE->SetVisible(VOZEZIV.bAssociateIE == 1);
    chBoxProbeIE->SetVisible(VOZEZIV.bProbeIE == 1);
    chBoxAuto->SetVisible(VOZEZIV.bWPSAutoPIN == 1 && VOZEZIV.nWinOS < 31);
    chBoxExternalRegistrar->SetVisible(VOZEZIV.bExternalRegistrar == 1);
    m_btnWPS2WiFiTest->SetVisible(VOZEZIV.bWPS2WiFiTestDialog == 1);

    cboxSSID->OnChange = [this](TObject* s) { cboxSSIDChange(s); };
    rBtnPBC->OnClick = [this](TObject* s) { rBtnPBCClick(s); };
    rBtnPIN->OnClick = [this](TObject* s) { rBtnPINClick(s); };
    chBoxAuto->OnClick = [this](TObject* s) { chBoxAutoClick(s); };
    chBoxAssociateIE->OnClick = [this](TObject* s) { chBoxAssociateIEClick(s); };
    chBoxProbeIE->OnClick = [this](TObject* s) { chBoxProbeIEClick(s); };
    chBoxExternalRegistrar->OnClick = [this](TObject* s) { OnClickExtReg(s); };
    m_btnWPS2WiFiTest->OnClick = [this](TObject* s) { BtnWPS2WiFiTestClick(s); };
}

void TFrameProfileEditWPS::ShowVersion(unsigned long version)
{
    lblWPSVersion->SetCaption(version == 0x10 ? "1.0" : version == 0x20 ? "2.0" : "Unknown");
}

void TFrameProfileEditWPS::EnableApList(bool enable)
{
    lblWPSApListText->SetEnabled(enable);
    cboxSSID->SetEnabled(enable);
}

void TFrameProfileEditWPS::OfferApList()
{
    EnableApList(true);
    if (cboxSSID->ItemIndex() < 0 && cboxSSID->Items().Count() > 0)
        cboxSSID->SetItemIndex(0);
}

void TFrameProfileEditWPS::PlaceMethodChoices()
{
    rBtnPIN->SetLeft(std::max(240, rBtnPBC->Left() + rBtnPBC->Width() + 8));
}

void TFrameProfileEditWPS::OnEnterPage()
{
    TFormProfileEdit* editor = FormProfileEdit;
    PlaceMethodChoices();
    unsigned long version = 0x10;
    if (!VOZEZIV.WVWL_QueryWPSVersion || !VOZEZIV.WVWL_QueryWPSVersion(&version))
        version = 0x10;
    editor->m_nWPSVersion = version;
    ShowVersion(version);

    const bool any = cboxSSID->Items().Count() > 0;
    for (TWinControl* c : std::initializer_list<TWinControl*>{cboxSSID, rBtnPBC, rBtnPIN, chBoxAssociateIE, chBoxProbeIE, chBoxAuto})
        c->SetEnabled(any);
    editor->BtnProfileNext->SetEnabled(any);
    if (!any)
        return;

    if (cboxSSID->ItemIndex() < 0 || editor->m_nCurSelItem == -1)
        cboxSSID->SetItemIndex(0);
    else
        cboxSSID->SetItemIndex(editor->m_nCurSelItem);
    editor->m_nWPSApCount = cboxSSID->Items().Count();
    editor->SelectWpsAccessPoint(cboxSSID->ItemIndex());

    if (editor->m_nWPSMode == 1) {
        rBtnPIN->SetChecked(true);
        chBoxAuto->SetEnabled(true);
        chBoxAuto->SetChecked(editor->m_bAutoSelect == 1);
        if (editor->m_bAutoSelect == 1)
            EnableApList(false);
        else
            OfferApList();
        if (chBoxExternalRegistrar->Checked()) {
            EnableApList(false);
            chBoxAuto->SetEnabled(false);
            if (version == 0x10)
                rBtnPBC->SetEnabled(false);
        }
    } else {
        rBtnPBC->SetChecked(true);
        chBoxAuto->SetEnabled(false);
        chBoxAuto->SetChecked(false);
        EnableApList(false);
    }
    chBoxAssociateIE->SetChecked(editor->m_bAssociateIE == 1);
    chBoxProbeIE->SetChecked(editor->m_bProbeIE == 1);
    m_btnWPS2WiFiTest->SetVisible(VOZEZIV.bWPS2WiFiTestDialog == 1);
}

bool TFrameProfileEditWPS::OnLeavePage()
{
    TFormProfileEdit* editor = FormProfileEdit;
    if (rBtnPIN->Checked() && !chBoxAuto->Checked()) {
        editor->m_nCurSelItem = cboxSSID->ItemIndex();
        if (!editor->m_pWPSApList)
            return false;
        editor->SelectWpsAccessPoint(cboxSSID->ItemIndex());
        return true;
    }
    if (!chBoxExternalRegistrar->Checked()) {
        editor->m_pWPSApList.reset();
        editor->m_nCurSelItem = -1;
    }
    return true;
}

void TFrameProfileEditWPS::cboxSSIDChange(TObject*)
{
    TFormProfileEdit* editor = FormProfileEdit;
    if (editor->m_nWPSMode == 1 && editor->m_bAutoSelect == 1 && editor->TimerWPSStatus->Enabled())
        return;
    editor->m_nWPSApCount = cboxSSID->Items().Count();
    editor->m_nCurSelItem = cboxSSID->ItemIndex();
    if (editor->m_pWPSApList)
        editor->SelectWpsAccessPoint(cboxSSID->ItemIndex());
}

void TFrameProfileEditWPS::rBtnPBCClick(TObject*)
{
    TFormProfileEdit* editor = FormProfileEdit;
    editor->m_nConfigMode = 0;
    if (rBtnPBC->Checked()) {
        editor->m_nWPSMode = 2;
        EnableApList(false);
    } else {
        editor->m_nWPSMode = 1;
        OfferApList();
    }
    chBoxAuto->SetEnabled(false);
    chBoxAuto->SetChecked(false);
}

void TFrameProfileEditWPS::rBtnPINClick(TObject*)
{
    TFormProfileEdit* editor = FormProfileEdit;
    const bool extReg = chBoxExternalRegistrar->Checked();
    if (rBtnPIN->Checked()) {
        editor->m_nWPSMode = 1;
        if (!extReg)
            OfferApList();
    } else {
        editor->m_nWPSMode = 2;
        EnableApList(false);
    }
    if (!extReg)
        chBoxAuto->SetEnabled(true);
}

void TFrameProfileEditWPS::chBoxAutoClick(TObject*)
{
    TFormProfileEdit* editor = FormProfileEdit;
    editor->m_nConfigMode = 0;
    if (chBoxAuto->Checked()) {
        editor->m_bAutoSelect = 1;
        EnableApList(false);
    } else {
        editor->m_bAutoSelect = 0;
        OfferApList();
    }
}

void TFrameProfileEditWPS::chBoxAssociateIEClick(TObject*)
{
    FormProfileEdit->m_bAssociateIE = chBoxAssociateIE->Checked() ? 1 : 0;
}

void TFrameProfileEditWPS::chBoxProbeIEClick(TObject*)
{
    FormProfileEdit->m_bProbeIE = chBoxProbeIE->Checked() ? 1 : 0;
}

void TFrameProfileEditWPS::OnClickExtReg(TObject*)
{
    TFormProfileEdit* editor = FormProfileEdit;
    if (chBoxExternalRegistrar->Checked()) {
        editor->m_nConfigMode = 1;
        if (editor->m_nWPSVersion == 0x10) {
            rBtnPBC->SetEnabled(false);
            rBtnPIN->SetChecked(true);
        }
        EnableApList(false);
        chBoxAuto->SetEnabled(false);
        return;
    }
    editor->m_nConfigMode = 0;
    editor->FrameProfileEditWPSPin->rBtnConfigAP->SetChecked(true);
    rBtnPBC->SetEnabled(true);
    chBoxAuto->SetEnabled(true);
    if (rBtnPBC->Checked())
        EnableApList(false);
    else
        OfferApList();
}

void TFrameProfileEditWPS::BtnWPS2WiFiTestClick(TObject*)
{
    if (FormWPS20WiFiTestBed)
        FormWPS20WiFiTestBed->ShowModal();
}
