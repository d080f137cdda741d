#include "profiles/FrameProfileEditWireless.h"

#include <algorithm>

#include "core/WvwlLib.h"
#include "profiles/FormProfileEdit.h"
#include "profiles/ProfileEditControls.h"
#include "wlapi/constants.h"

using namespace ProfileEditUi;

TFrameProfileEditWireless::TFrameProfileEditWireless(TComponent* owner) : TFrameBase(owner)
{
    Name = "FrameProfileEditWireless";
    lblProfileName = MakeLabel(this, 16, 16, S(&CUISTR::STR_PROFILE_NAME));
    editProfileName = MakeEdit(this, 140, 12, 200);
    editProfileName->SetMaxLength(32);
    editProfileName->OnChange = [this](TObject* s) { editProfileNameChange(s); };
    lblSSID = MakeLabel(this, 16, 48, S(&CUISTR::STR_SSID));
    cboxSSID = MakeCombo(this, 140, 44, 200, csDropDown);
    cboxSSID->SetSorted(true);
    cboxSSID->SetMaxLength(32);
    lblNetworkType = MakeLabel(this, 16, 80, S(&CUISTR::STR_NETWORK_TYPE));
    rBtnInfra = new TRadioButton(this);
    rBtnInfra->SetParent(this);
    rBtnInfra->SetBounds(140, 78, 110, 17);
    rBtnInfra->SetCaption(S(&CUISTR::STR_INFRA_NETWORK));
    rBtnInfra->OnClick = [this](TObject* s) { rBtnInfraClick(s); };
    rBtnAdhoc = new TRadioButton(this);
    rBtnAdhoc->SetParent(this);
    rBtnAdhoc->SetBounds(140, 95, 110, 13);  // below: both captions show whole
    rBtnAdhoc->SetCaption(S(&CUISTR::STR_ADHOC_NETWORK));
    rBtnAdhoc->OnClick = [this](TObject* s) { rBtnAdhocClick(s); };
    lblChannel = MakeLabel(this, 16, 112, S(&CUISTR::STR_CHANNEL));
    cboxChannel = MakeCombo(this, 140, 108, 80);
}

void TFrameProfileEditWireless::editProfileNameChange(TObject*)
{
    // A closing square bracket cannot be typed into a name.
    const std::string text = editProfileName->Text();
    if (text.find(']') == std::string::npos)
        return;
    std::string name = text;
    name.erase(std::remove(name.begin(), name.end(), ']'), name.end());
    editProfileName->SetText(name);
}

void TFrameProfileEditWireless::rBtnInfraClick(TObject*)
{
    TFormProfileEdit* editor = FormProfileEdit;
    if (!editor)
        return;
    editor->m_nProfNetworkType = 1;
    editor->m_nInfrastructureMode = 1;
    lblChannel->SetVisible(false);
    cboxChannel->SetVisible(false);
    editor->FillChannelList();
    editor->FrameProfileEditAdvanced->FillLists();
}

void TFrameProfileEditWireless::rBtnAdhocClick(TObject*)
{
    TFormProfileEdit* editor = FormProfileEdit;
    if (!editor)
        return;
    editor->m_nProfNetworkType = 0;
    editor->m_nInfrastructureMode = 0;
    const bool typeShown = WinOS() < WINOS_WIN8;
    lblChannel->SetVisible(typeShown);
    cboxChannel->SetVisible(typeShown);
    editor->FillChannelList();
}

void TFrameProfileEditWireless::OnEnterPage()
{
    TFormProfileEdit* editor = FormProfileEdit;
    if (!editor)
        return;
    const int os = WinOS();
    const bool typeShown = os < WINOS_WIN8;
    for (TControl* control : {static_cast<TControl*>(lblNetworkType), static_cast<TControl*>(rBtnInfra),
                              static_cast<TControl*>(rBtnAdhoc), static_cast<TControl*>(lblChannel),
                              static_cast<TControl*>(cboxChannel)})
        control->SetVisible(typeShown);
    if (os < WINOS_WIN7) {
        rBtnAdhoc->SetEnabled(true);
    } else if (os < WINOS_WIN8) {
        const bool apClient = VOZEZIV.WVWL_QueryOPMode && VOZEZIV.WVWL_QueryOPMode() == 2;
        rBtnAdhoc->SetEnabled(!apClient);
    }
    cboxSSID->SetText(editor->m_strProfSSID);
    unsigned long adhocMode = ULONG(editor->m_nAdhocMode);
    QueryAdhocMode(&adhocMode);
    editor->m_nAdhocMode = int(adhocMode);
    editor->FillChannelList();
    if (os >= WINOS_XP && os < WINOS_WIN8) {
        TRadioButton* chosen = editor->m_nProfNetworkType == 1 ? rBtnInfra : rBtnAdhoc;
        chosen->SetChecked(true);
        lblChannel->SetVisible(editor->m_nProfNetworkType == 0);
        cboxChannel->SetVisible(editor->m_nProfNetworkType == 0);
    }
    FocusFirstTextBox(this);
}

void TFrameProfileEditWireless::StoreSettings()
{
    TFormProfileEdit* editor = FormProfileEdit;
    if (!editor)
        return;
    editor->m_strProfSSID = cboxSSID->Text().substr(0, 32);
    std::string name = editProfileName->Text();
    name.erase(std::remove(name.begin(), name.end(), ']'), name.end());
    editor->m_strProfName = name;
    const int type = rBtnAdhoc->Checked() ? 0 : 1;
    editor->m_nProfNetworkType = type;
    editor->m_nInfrastructureMode = type;
    if (cboxChannel->ItemIndex() >= 0)
        editor->m_strProfChannel = std::to_string(SelectedObject(cboxChannel, 0));
}
