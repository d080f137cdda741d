#include "profiles/FrameProfileEditWPSPin.h"

#include <memory>
#include <vector>

#include "core/Helpers.h"
#include "core/Log.h"
#include "core/WvwlLib.h"
#include "profiles/FormProfileEdit.h"
#include "profiles/WpsRecords.h"
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

constexpr intptr_t kEnrollee = 0, kRegistrar = 1;

// A stored profile that a station can be given: open without 802.1X, WPA-PSK or WPA2-PSK.
bool AnySharableProfile()
{
    unsigned long count = 0;
    if (!VOZEZIV.WVWL_ReadProfileList)
        return false;
    VOZEZIV.WVWL_ReadProfileList(nullptr, &count);
    if (count == 0 || count > 4096)
        return false;
    std::vector<WLANPROFILE> profiles(count);
    if (VOZEZIV.WVWL_ReadProfileList(profiles.data(), &count) != 1)
        return false;
    count = std::min<unsigned long>(count, profiles.size());
    for (unsigned long i = 0; i < count; ++i) {
        const WLANPROFILE& p = profiles[i];
        if ((p.enumAuthenMode == 0 && p.b8021X == 0) || p.enumAuthenMode == 4 || p.enumAuthenMode == 7)
            return true;
    }
    return false;
}

}  // namespace

TFrameProfileEditWPSPin::TFrameProfileEditWPSPin(TComponent* owner) : TFrameBase(owner)
{
    Name = "FrameProfileEditWPSPin";
    lblPinCodeText = Place(new TLabel(this), this, 8, 8, 110, 16, S(&CUISTR::STR_PIN_CODE));
    editPinCode = new TEdit(this);
    editPinCode->SetParent(this);
    editPinCode->SetBounds(124, 4, 110, 21);
    editPinCode->SetMaxLength(8);
    BtnRenew = Place(new TButton(this), this, 240, 3, 60, 23, "Renew");
    BtnRenew->SetHint(S(&CUISTR::STR_WPS_RENEW));
    BtnRenew4 = Place(new TButton(this), this, 304, 3, 60, 23, "4-digit");
    BtnRenew4->SetHint(S(&CUISTR::STR_WPS_RENEW4));
    lblConfigModeText = Place(new TLabel(this), this, 8, 40, 110, 16, S(&CUISTR::STR_CONFIG_MODE));
    cBoxConfigMode = new TComboBox(this);
    cBoxConfigMode->SetParent(this);
    cBoxConfigMode->SetBounds(124, 36, 140, 200);
    BtnSetWPSProfile = Place(new TButton(this), this, 270, 35, 94, 23, S(&CUISTR::STR_WPS_PROFILE));
    rBtnConfigAP = Place(new TRadioButton(this), this, 124, 68, 110, 18, S(&CUISTR::STR_WPS_CONFIG_AP));
    rBtnConfigSTA = Place(new TRadioButton(this), this, 240, 68, 120, 18, S(&CUISTR::STR_WPS_CONFIG_STA));
    rBtnConfigAP->SetVisible(VOZEZIV.bExternalRegistrar == 1);
    rBtnConfigSTA->SetVisible(VOZEZIV.bExternalRegistrar == 1);
    RebuildConfigModes();

    BtnRenew->OnClick = [this](TObject* s) { BtnRenewClick(s); };
    BtnRenew4->OnClick = [this](TObject* s) { BtnRenew4Click(s); };
    cBoxConfigMode->OnChange = [this](TObject* s) { cBoxConfigModeChange(s); };
    BtnSetWPSProfile->OnClick = [this](TObject* s) { BtnSetWPSProfileClick(s); };
    rBtnConfigAP->OnClick = [this](TObject* s) { rBtnConfigAPClick(s); };
    rBtnConfigSTA->OnClick = [this](TObject* s) { rBtnConfigSTAClick(s); };
}

void TFrameProfileEditWPSPin::RebuildConfigModes()
{
    TFormProfileEdit* editor = FormProfileEdit;
    TStrings& items = cBoxConfigMode->Items();
    items.Clear();
    items.AddObject(S(&CUISTR::STR_ENROLLEE), reinterpret_cast<void*>(kEnrollee));
    if (editor && editor->m_bAutoSelect) {
        cBoxConfigMode->SetItemIndex(0);
        return;
    }
    items.AddObject(S(&CUISTR::STR_REGISTRAR), reinterpret_cast<void*>(kRegistrar));
    const int mode = editor ? editor->m_nConfigMode : 0;
    cBoxConfigMode->SetItemIndex(mode == 2 || mode == 1 ? 1 : 0);
}

void TFrameProfileEditWPSPin::ShowPin()
{
    TFormProfileEdit* editor = FormProfileEdit;
    // Length 0: no PIN could be drawn.
    editPinCode->SetText(editor->m_nPinLength == 0 ? "" : PinText(editor->m_nPinCode, editor->m_nPinLength));
}

void TFrameProfileEditWPSPin::ShowEnrolleeRole()
{
    TFormProfileEdit* editor = FormProfileEdit;
    editor->m_nPinCode = m_nPin;
    editor->m_nPinLength = m_nPinLength;
    editPinCode->SetEnabled(false);
    editPinCode->SetReadOnly(true);
    BtnRenew->SetEnabled(true);
    BtnRenew4->SetEnabled(true);
    BtnSetWPSProfile->SetEnabled(false);
    rBtnConfigAP->SetVisible(false);
    rBtnConfigAP->SetEnabled(false);
    rBtnConfigSTA->SetVisible(false);
    rBtnConfigSTA->SetEnabled(false);
}

void TFrameProfileEditWPSPin::OnEnterPage()
{
    TFormProfileEdit* editor = FormProfileEdit;
    m_bHasSharableProfile = AnySharableProfile();
    RebuildConfigModes();
    // Without a fresh PIN the box stays empty and Next refuses it.
    const int length = VOZEZIV.bSupport8DigitPin != 0 ? 8 : 4;
    if ((length == 8 ? GenerateWpsPin8(&m_nPin) : GenerateWpsPin4(&m_nPin)) != 0) {
        m_nPinLength = length;
    } else {
        m_nPinLength = 0;
        editor->ShowMessageText(S(&CUISTR::STR_RANDOM_SOURCE_FAIL));
    }
    const bool canConfigSta = m_bHasSharableProfile && editor->m_bExtRegDeviceFound;
    if (editor->m_nConfigMode != 0) {
        editPinCode->SetEnabled(editor->m_nWPSMode != 2);
        editPinCode->SetReadOnly(false);
        BtnRenew->SetEnabled(false);
        BtnSetWPSProfile->SetEnabled(!editor->m_bConfigSTA);
        rBtnConfigAP->SetEnabled(true);
        rBtnConfigSTA->SetEnabled(canConfigSta);
        if (!m_bHasSharableProfile)
            editor->m_bConfigSTA = FALSE;
    } else {
        ShowEnrolleeRole();
    }
    if (CheckAdapterKind() == 0) {
        rBtnConfigAP->SetVisible(false);
        rBtnConfigSTA->SetVisible(false);
    }
    if (editor->m_bConfigSTA) {
        rBtnConfigSTA->SetChecked(true);
        BtnSetWPSProfile->SetEnabled(false);
    } else if (editor->m_nConfigMode != 0) {
        rBtnConfigAP->SetChecked(true);
        BtnSetWPSProfile->SetEnabled(true);
    }
    if (editor->FrameProfileEditWPS->chBoxExternalRegistrar->Checked()) {
        cBoxConfigMode->SetItemIndex(cBoxConfigMode->Items().Count() - 1);
        cBoxConfigModeChange(cBoxConfigMode);
        cBoxConfigMode->SetEnabled(false);
        if (m_bHasSharableProfile)
            rBtnConfigSTA->SetEnabled(canConfigSta);
        rBtnConfigAP->SetEnabled(false);
        rBtnConfigAP->SetChecked(false);
        rBtnConfigSTA->SetChecked(true);
    } else {
        cBoxConfigMode->SetEnabled(true);
        rBtnConfigAP->SetEnabled(true);
        rBtnConfigAP->SetChecked(true);
        rBtnConfigSTA->SetEnabled(false);
    }
    BtnRenew4->SetVisible(editor->m_nWPSVersion >= 0x20 && VOZEZIV.bSupport4DigitPin != 0);
    BtnRenew->SetVisible(VOZEZIV.bSupport8DigitPin != 0);
    ShowPin();
    FocusFirstTextBox(this);
}

bool TFrameProfileEditWPSPin::OnLeavePage()
{
    FormProfileEdit->WriteBackWpsProfiletoRegistry();
    return true;
}

void TFrameProfileEditWPSPin::BtnRenewClick(TObject*)
{
    if (!GenerateWpsPin8(&m_nPin)) {
        FormProfileEdit->ShowMessageText(S(&CUISTR::STR_RANDOM_SOURCE_FAIL));
        return;
    }
    m_nPinLength = 8;
    FormProfileEdit->m_nPinCode = m_nPin;
    FormProfileEdit->m_nPinLength = 8;
    ShowPin();
    FormProfileEdit->WriteBackWpsProfiletoRegistry();
}

void TFrameProfileEditWPSPin::BtnRenew4Click(TObject*)
{
    if (!GenerateWpsPin4(&m_nPin)) {
        FormProfileEdit->ShowMessageText(S(&CUISTR::STR_RANDOM_SOURCE_FAIL));
        return;
    }
    m_nPinLength = 4;
    FormProfileEdit->m_nPinCode = m_nPin;
    FormProfileEdit->m_nPinLength = 4;
    ShowPin();
    FormProfileEdit->WriteBackWpsProfiletoRegistry();
}

void TFrameProfileEditWPSPin::cBoxConfigModeChange(TObject*)
{
    TFormProfileEdit* editor = FormProfileEdit;
    int hardware = 0, software = 0;
    if (VOZEZIV.WVWL_QueryHWAndSWRadioState)
        VOZEZIV.WVWL_QueryHWAndSWRadioState(&hardware, &software);
    const int index = cBoxConfigMode->ItemIndex();
    if (index < 0)
        return;
    editor->m_nConfigMode = int(reinterpret_cast<intptr_t>(cBoxConfigMode->Items().Objects(index)));
    if (editor->m_nConfigMode == kRegistrar) {
        PrintMessage(6, " Select config mode as registrar\n");
        editPinCode->SetEnabled(editor->m_nWPSMode != 2);
        editPinCode->SetReadOnly(false);
        BtnRenew->SetEnabled(false);
        BtnRenew4->SetEnabled(false);
        BtnSetWPSProfile->SetEnabled(!editor->m_bConfigSTA);
        if (VOZEZIV.bExternalRegistrar == 1) {
            rBtnConfigAP->SetVisible(true);
            rBtnConfigSTA->SetVisible(true);
        }
        rBtnConfigAP->SetEnabled(true);
        rBtnConfigSTA->SetEnabled(m_bHasSharableProfile && editor->FrameProfileEditWPS->chBoxExternalRegistrar->Checked() &&
                                  editor->m_bExtRegDeviceFound);
        if (!editor->GenerateRegistrarProfile()) {
            editor->ShowMessageText(S(&CUISTR::STR_RANDOM_SOURCE_FAIL));
            return;
        }
        editor->OnWpsDetail();
        editor->WriteBackWpsProfiletoRegistry();
        return;
    }
    PrintMessage(6, " Select config mode as enrollee\n");
    ShowEnrolleeRole();
    ShowPin();
    editor->WriteBackWpsProfiletoRegistry();
    if (VOZEZIV.WVWL_StopExtregWPS)
        VOZEZIV.WVWL_StopExtregWPS();
    editor->m_bIsExtregRunning = FALSE;
}

void TFrameProfileEditWPSPin::BtnSetWPSProfileClick(TObject*)
{
    FormProfileEdit->OnWpsDetail();
    FormProfileEdit->m_bShowWPSProfilePage = TRUE;
    FormProfileEdit->BtnProfileNextClick(nullptr);
}

void TFrameProfileEditWPSPin::rBtnConfigAPClick(TObject*)
{
    TFormProfileEdit* editor = FormProfileEdit;
    if (rBtnConfigAP->Checked()) {
        editor->m_bConfigSTA = FALSE;
        BtnSetWPSProfile->SetEnabled(editor->m_nConfigMode != 0);
    } else {
        editor->m_bConfigSTA = TRUE;
        BtnSetWPSProfile->SetEnabled(false);
    }
}

void TFrameProfileEditWPSPin::rBtnConfigSTAClick(TObject*)
{
    TFormProfileEdit* editor = FormProfileEdit;
    editor->m_bConfigSTA = rBtnConfigSTA->Checked() ? TRUE : FALSE;
    BtnSetWPSProfile->SetEnabled(!rBtnConfigSTA->Checked());
}

bool TFrameProfileEditWPSPin::CheckEditPinCode()
{
    TFormProfileEdit* editor = FormProfileEdit;
    const std::string text = editPinCode->Text();
    const bool lengthOk = editor->m_nWPSVersion < 0x20 ? text.size() == 8 : (text.size() == 8 || text.size() == 4);
    if (!lengthOk) {
        editor->ShowMessageText(S(&CUISTR::STR_INVALID_PIN));
        return false;
    }
    // Digits only: a pasted text must not pass as the number its leading digits make.
    const bool digits = text.find_first_not_of("0123456789") == std::string::npos;
    const unsigned pin = digits ? unsigned(std::stoul(text)) : 0;
    if (!digits || (text.size() == 8 && pin % 10 != WpsPinChecksum(pin / 10))) {
        editor->ShowMessageText(S(&CUISTR::STR_ERROR_PIN));
        return false;
    }
    editor->m_nPinCode = pin;
    editor->m_nPinLength = int(text.size());
    editor->WriteBackWpsProfiletoRegistry();
    return true;
}
