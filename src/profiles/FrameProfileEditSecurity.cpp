#include "profiles/FrameProfileEditSecurity.h"

#include "core/Helpers.h"
#include "core/WvwlLib.h"
#include "profiles/FormProfileEdit.h"
#include "profiles/ProfileEditControls.h"
#include "wlapi/constants.h"

using namespace ProfileEditUi;

TFrameProfileEditSecurity::TFrameProfileEditSecurity(TComponent* owner) : TFrameBase(owner)
{
    Name = "FrameProfileEditSecurity";
    lblAuthentication = MakeLabel(this, 16, 16, S(&CUISTR::STR_AUTHENTICATION));
    cboxAuthentication = MakeCombo(this, 140, 12, 200);
    cboxAuthentication->OnChange = [this](TObject* s) { cboxAuthenticationChange(s); };
    lblEncryption = MakeLabel(this, 16, 48, S(&CUISTR::STR_ENCRYPTION));
    cboxEncryption = MakeCombo(this, 140, 44, 200);
}

void TFrameProfileEditSecurity::OnEnterPage()
{
    if (!FormProfileEdit)
        return;
    SelectByObject(cboxAuthentication, FormProfileEdit->m_nAuthSel);
    cboxAuthenticationChange(this);
}

void TFrameProfileEditSecurity::cboxAuthenticationChange(TObject*)
{
    TFormProfileEdit* editor = FormProfileEdit;
    if (!editor)
        return;
    const int auth = SelectedObject(cboxAuthentication, 0);
    const bool infra = editor->m_nInfrastructureMode == 1;
    const bool hide = VOZEZIV.bHideSecuritymode != 0;
    const bool vista = WinOS() >= WINOS_VISTA;
    cboxEncryption->Items().Clear();
    const auto add = [this](std::string CUISTR::*text, int value) { AddEntry(cboxEncryption, S(text), value); };
    switch (auth) {
    case 0:
        add(&CUISTR::STR_NONE, 0);
        if (vista || !(!infra && VOZEZIV.bProhibitWEPonHT))
            add(&CUISTR::STR_WEP, 1);
        break;
    case 1:
        if (vista || !(!infra && VOZEZIV.bProhibitWEPonHT))
            add(&CUISTR::STR_WEP, 1);
        break;
    case 3:
    case 4:
        if (infra && !hide)
            add(&CUISTR::STR_TKIP, 2);
        add(&CUISTR::STR_AES, 3);
        break;
    case 5:
        if (vista ? (infra && !hide) : ((infra || !VOZEZIV.bProhibitTKIPonHT) && !hide))
            add(&CUISTR::STR_TKIP, 2);
        add(&CUISTR::STR_AES, 3);
        if (CheckAdapterKind() == 1) {
            if (!hide)
                add(&CUISTR::STR_TKIP_MFP, 5);
            add(&CUISTR::STR_AES_MFP, 6);
        }
        break;
    case 6:
    case 7:
        if (vista ? (infra && !hide) : ((infra || !VOZEZIV.bProhibitTKIPonHT) && (infra || auth != 6) && !hide))
            add(&CUISTR::STR_TKIP, 2);
        add(&CUISTR::STR_AES, 3);
        break;
    case 8:
    case 9:
        add(&CUISTR::STR_SMS4, 4);
        break;
    case 10:
        if (vista && infra) {
            add(&CUISTR::STR_WEP, 1);
            if (!hide)
                add(&CUISTR::STR_TKIP, 2);
            add(&CUISTR::STR_AES, 3);
        }
        break;
    case 12:
        if (vista || !(!infra && VOZEZIV.bProhibitTKIPonHT))
            add(&CUISTR::STR_WEP, 1);
        break;
    default:
        break;
    }
    SelectByObject(cboxEncryption, editor->m_nEncrySel);
}

void TFrameProfileEditSecurity::StoreSettings()
{
    if (!FormProfileEdit)
        return;
    FormProfileEdit->m_nAuthSel = SelectedObject(cboxAuthentication, 0);
    FormProfileEdit->m_nEncrySel = SelectedObject(cboxEncryption, 0);
}

bool TFrameProfileEditSecurity::OnLeavePage()
{
    TFormProfileEdit* editor = FormProfileEdit;
    if (!editor || !VOZEZIV.bPersistentConnect)
        return true;
    const int auth = SelectedObject(cboxAuthentication, 0);
    const int encry = SelectedObject(cboxEncryption, 0);
    bool allowed = true;
    if (auth == 0 && encry == 0)
        allowed = VOZEZIV.bOpen_None != 0;
    else if (auth == 0 && encry == 1)
        allowed = VOZEZIV.bOpen_WEP != 0;
    else if (auth == 1)
        allowed = VOZEZIV.bShared_WEP != 0;
    else if (auth == 4)
        allowed = VOZEZIV.bWPA_PSK != 0;
    else if (auth == 6)
        allowed = VOZEZIV.bWPA2_PSK != 0;
    else if (auth == 7 || auth == 8 || auth == 9)
        allowed = false;
    if (!allowed)
        editor->FrameProfileEditSSO->ClearSsoBoxes();
    return true;
}
