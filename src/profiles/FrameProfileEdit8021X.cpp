#include "profiles/FrameProfileEdit8021X.h"

#include "dialogs/FormMessageBox.h"
#include "core/Log.h"
#include "core/WvwlLib.h"
#include "profiles/FormProfileEdit.h"
#include "profiles/ProfileEditControls.h"
#include "wlapi/constants.h"

using namespace ProfileEditUi;

namespace {

constexpr int kIdentityLimit = 100;

bool FromVista()
{
    return WinOS() >= WINOS_VISTA;
}

TFormProfileEdit* Editor()
{
    return FormProfileEdit;
}

std::string EnvironmentText(const char* name)
{
    char value[256] = {};
    const DWORD length = GetEnvironmentVariableA(name, value, sizeof value);
    return length > 0 && length < sizeof value ? std::string(value, length) : std::string();
}

std::string ComputerName()
{
    char name[MAX_COMPUTERNAME_LENGTH + 1] = {};
    DWORD size = sizeof name;
    return GetComputerNameA(name, &size) ? std::string(name, size) : std::string();
}

} // namespace

TFrameProfileEdit8021X::TFrameProfileEdit8021X(TComponent* owner) : TFrameBase(owner)
{
    Name = "FrameProfileEdit8021X";
    lblEAPMethodTxt = MakeLabel(this, 16, 8, S(&CUISTR::STR_EAP_METHOD));
    cBoxEAPMethod = MakeCombo(this, 150, 4, 216);
    lblTunnelAuthenTxt = MakeLabel(this, 16, 34, S(&CUISTR::STR_TUNNEL_AUTHEN));
    cBoxTunnelAuthen = MakeCombo(this, 150, 30, 216);
    lblAuthenIDTxt = MakeLabel(this, 16, 60, S(&CUISTR::STR_TUNNEL_AUTHEN_ID));
    cBoxAuthenID = MakeCombo(this, 150, 56, 116);
    editAuthenID = MakeEdit(this, 270, 56, 96);
    editAuthenID->SetMaxLength(kIdentityLimit);
    lblAuthenPasswordTxt = MakeLabel(this, 16, 86, S(&CUISTR::STR_TUNNEL_AUTHEN_PASSWORD));
    cBoxPasswordMode = MakeCombo(this, 150, 82, 116);
    cBoxPasswordMode->SetVisible(false);
    editAuthenPassword = MakeEdit(this, 270, 82, 96);
    editAuthenPassword->SetMaxLength(kIdentityLimit);
    editAuthenPassword->SetPasswordChar('*');
    chBoxSessionResumption = MakeOn<TCheckBox>(this, 16, 110, 200, 17);
    chBoxSessionResumption->SetCaption(S(&CUISTR::STR_SESSION_RESUMPTION));
    chBoxShowPassword = MakeOn<TCheckBox>(this, 220, 110, 150, 17);
    chBoxShowPassword->SetCaption(S(&CUISTR::STR_SHOWPASSWORD));
    chBoxCacheUserInfo = MakeOn<TCheckBox>(this, 16, 130, 200, 17);
    chBoxCacheUserInfo->SetCaption(S(&CUISTR::STR_CACHE_USER_INFO));
    chBoxCacheUserInfo->SetVisible(false);
    lblDomainNameTxt = MakeLabel(this, 16, 130, "");
    lblDomainNameTxt->SetVisible(false);
    editDomainName = MakeEdit(this, 150, 130, 200);
    editDomainName->SetVisible(false);

    cBoxEAPMethod->OnChange = [this](TObject* s) { cBoxEAPMethodChange(s); };
    cBoxTunnelAuthen->OnChange = [this](TObject* s) { cBoxTunnelAuthenChange(s); };
    cBoxAuthenID->OnChange = [this](TObject* s) { cBoxAuthenIDChange(s); };
    cBoxPasswordMode->OnChange = [this](TObject* s) { cBoxPasswordModeChange(s); };
    chBoxShowPassword->OnClick = [this](TObject* s) { chBoxShowPasswordClick(s); };
    chBoxSessionResumption->OnClick = [this](TObject* s) { chBoxSessionResumptionClick(s); };
    chBoxCacheUserInfo->OnClick = [this](TObject* s) { chBoxCacheUserInfoClick(s); };
    chBoxSessionResumption->SetChecked(true);
    chBoxCacheUserInfo->SetChecked(true);
}

std::string TFrameProfileEdit8021X::MachineIdentity(const std::string& computer, const std::string& domain)
{
    std::string identity = "host/" + computer;
    if (!domain.empty())
        identity += "." + domain;
    if (identity.size() > size_t(kIdentityLimit))
        identity.resize(kIdentityLimit);
    return identity;
}

void TFrameProfileEdit8021X::OnEnterPage()
{
    TFormProfileEdit* e = Editor();
    if (!e)
        return;
    const bool vista = FromVista();
    cBoxEAPMethod->Items().Clear();
    AddEntry(cBoxEAPMethod, S(&CUISTR::STR_8021X_EAP_PEAP), 0);
    AddEntry(cBoxEAPMethod, S(&CUISTR::STR_8021X_EAP_TLS_SMART_CARD), 1);
    if (!vista)
        AddEntry(cBoxEAPMethod, S(&CUISTR::STR_8021X_EAP_TTLS), 2);
    AddEntry(cBoxEAPMethod, S(&CUISTR::STR_8021X_EAP_EAP_FAST), 3);
    if (!vista && e->m_nEncrySel == 1)
        AddEntry(cBoxEAPMethod, S(&CUISTR::STR_8021X_EAP_MD5), 4);
    AddEntry(cBoxEAPMethod, S(&CUISTR::STR_8021X_EAP_LEAP), 5);
    SelectByObject(cBoxEAPMethod, e->m_nEAPMethod);

    cBoxAuthenID->Items().Clear();
    AddEntry(cBoxAuthenID, S(&CUISTR::STR_AUTH_ID), 0);
    AddEntry(cBoxAuthenID, S(&CUISTR::STR_MACHINE_ID), 1);
    SelectByObject(cBoxAuthenID, e->m_WpaInfo.nIdMode);

    cBoxPasswordMode->Items().Clear();
    AddEntry(cBoxPasswordMode, S(&CUISTR::STR_STAIC_PASSWORD), 1);
    if (!vista || e->m_nEAPMethod != 5)
        AddEntry(cBoxPasswordMode, S(&CUISTR::STR_SOFT_TOKEN), 0);
    if (vista) {
        AddEntry(cBoxPasswordMode, S(&CUISTR::STR_RADIO_WINDOWS_PASSWORD), 2);
        AddEntry(cBoxPasswordMode, S(&CUISTR::STR_RADIO_PROMPT_PASSWORD), 3);
    }
    SelectByObject(cBoxPasswordMode, e->m_nPasswordMode);

    editAuthenID->SetText(e->m_WpaInfo.strIdentity);
    editAuthenPassword->SetText(e->m_WpaInfo.strPassword);
    chBoxShowPassword->SetVisible(VOZEZIV.bShowPassword != 0);
    chBoxSessionResumption->SetChecked(e->m_nSessionResumption == 1);
    chBoxShowPasswordClick(this);
    cBoxEAPMethodChange(this);
    FocusFirstTextBox(this);
}

bool TFrameProfileEdit8021X::OnLeavePage()
{
    TFormProfileEdit* e = Editor();
    if (!e || !VOZEZIV.bPersistentConnect)
        return true;
    const int switches[] = {VOZEZIV.bPEAP, VOZEZIV.bTLS_SmartCard, VOZEZIV.bTTLS,
                            VOZEZIV.bEAP_FAST, VOZEZIV.bMD5, VOZEZIV.bLEAP};
    const int method = e->m_nEAPMethod;
    if (method >= 0 && method < 6 && !switches[method])
        e->FrameProfileEditSSO->ClearSsoBoxes();
    return true;
}

void TFrameProfileEdit8021X::cBoxEAPMethodChange(TObject*)
{
    TFormProfileEdit* e = Editor();
    if (!e)
        return;
    cBoxTunnelAuthen->Items().Clear();
    e->m_nEAPMethod = SelectedObject(cBoxEAPMethod, 0);
    switch (e->m_nEAPMethod) {
    case 0: SetupPEAP(); break;
    case 1: SetupTLS(); break;
    case 2: SetupTTLS(); break;
    case 3: SetupEAPFast(); break;
    case 4: SetupMD5(); break;
    case 5: SetupLEAP(); break;
    default: break;
    }
    cBoxTunnelAuthenChange(this);
}

void TFrameProfileEdit8021X::cBoxTunnelAuthenChange(TObject*)
{
    TFormProfileEdit* e = Editor();
    if (!e)
        return;
    const int method = SelectedObject(cBoxEAPMethod, 0);
    e->m_nEAPMethod = method;
    if (method == 0 || method == 3)
        e->m_nTunnelAuthen = SelectedObject(cBoxTunnelAuthen, 26);
    else if (method == 2)
        e->m_nTTLSTunnelAuthen = SelectedObject(cBoxTunnelAuthen, 72);
    const bool keepsCert = method == 1 || method == 2 || (method == 0 && e->m_nTunnelAuthen == 13) ||
                           (method == 3 && (e->m_nTunnelAuthen == 13 || e->m_nProvisioningTunnel == 1));
    if (!keepsCert)
        e->m_WpaInfo.bUseClientCert = 0;
    if (method == 0)
        SetupPEAP();
    else if (method == 2)
        SetupTTLS();
    else if (method == 3)
        SetupEAPFast();
}

void TFrameProfileEdit8021X::SetIdentityEnabled(bool enabled)
{
    lblAuthenIDTxt->SetEnabled(enabled);
    editAuthenID->SetEnabled(enabled);
}

void TFrameProfileEdit8021X::SetPasswordEnabled(bool enabled)
{
    lblAuthenPasswordTxt->SetEnabled(enabled);
    editAuthenPassword->SetEnabled(enabled);
}

bool TFrameProfileEdit8021X::MachineIdSelected() const
{
    return cBoxAuthenID->ItemIndex() > 0;
}

void TFrameProfileEdit8021X::ForceClientCert()
{
    TFormProfileEdit* e = Editor();
    TFrameProfileEditClientCert* client = e->FrameProfileEditClientCert;
    if (FromVista()) {
        client->rBtnUseClientCert->SetChecked(true);
    } else {
        client->chBoxUseClientCert->SetChecked(true);
        client->chBoxUseClientCert->SetEnabled(false);
    }
}

void TFrameProfileEdit8021X::ServerCertFromProfile()
{
    TFormProfileEdit* e = Editor();
    e->FrameProfileEditServerCert->chBoxEnableServerCert->SetChecked(e->m_WpaInfo.bUseServerCert != 0);
}

void TFrameProfileEdit8021X::ResetControls()
{
    TFormProfileEdit* e = Editor();
    lblTunnelAuthenTxt->SetEnabled(true);
    cBoxTunnelAuthen->SetEnabled(true);
    cBoxTunnelAuthen->Items().Clear();
    cBoxAuthenID->SetEnabled(false);
    cBoxAuthenID->SetItemIndex(cBoxAuthenID->Items().Count() ? 0 : -1);
    SetIdentityEnabled(true);
    lblAuthenPasswordTxt->SetCaption(S(&CUISTR::STR_TUNNEL_AUTHEN_PASSWORD));
    SetPasswordEnabled(true);
    cBoxPasswordMode->SetVisible(false);
    cBoxPasswordMode->Items().Clear();
    if (!e)
        return;
    TFrameProfileEditClientCert* client = e->FrameProfileEditClientCert;
    if (FromVista())
        client->rBtnUseClientCert->SetChecked(false);
    else
        client->chBoxUseClientCert->SetChecked(false);
    e->FrameProfileEditServerCert->chBoxEnableServerCert->SetChecked(false);
}

void TFrameProfileEdit8021X::ShowPasswordModes(std::initializer_list<int> modes)
{
    static const std::pair<int, std::string CUISTR::*> texts[] = {
        {1, &CUISTR::STR_STAIC_PASSWORD},
        {0, &CUISTR::STR_SOFT_TOKEN},
        {2, &CUISTR::STR_RADIO_WINDOWS_PASSWORD},
        {3, &CUISTR::STR_RADIO_PROMPT_PASSWORD}};
    cBoxPasswordMode->Items().Clear();
    for (int mode : modes)
        for (const auto& [value, text] : texts)
            if (value == mode)
                AddEntry(cBoxPasswordMode, S(text), value);
    SelectByObject(cBoxPasswordMode, Editor()->m_nPasswordMode);
    lblAuthenPasswordTxt->SetCaption(S(&CUISTR::STR_TUNNEL_AUTHEN_PASSWORD_MODE));
    cBoxPasswordMode->SetVisible(true);
}

void TFrameProfileEdit8021X::SelectInnerByTunnel(std::initializer_list<int> gtcModes)
{
    TFormProfileEdit* e = Editor();
    AddEntry(cBoxTunnelAuthen, S(&CUISTR::STR_EAP_MSCHAP_V2), 26);
    AddEntry(cBoxTunnelAuthen, S(&CUISTR::STR_EAP_TLS_SMART_CARD), 13);
    AddEntry(cBoxTunnelAuthen, S(&CUISTR::STR_GENERIC_TOKEN_CARD), 6);
    switch (e->m_nTunnelAuthen) {
    case 6:
        SelectByObject(cBoxTunnelAuthen, 6);
        ShowPasswordModes(gtcModes);
        cBoxPasswordModeChange(this);
        break;
    case 13:
        SelectByObject(cBoxTunnelAuthen, 13);
        cBoxPasswordModeChange(this);
        SetPasswordEnabled(false);
        editAuthenPassword->SetText("");
        ForceClientCert();
        ServerCertFromProfile();
        break;
    case 26:
        SelectByObject(cBoxTunnelAuthen, 26);
        cBoxPasswordModeChange(this);
        break;
    default:
        cBoxTunnelAuthen->SetItemIndex(0);
        break;
    }
}

void TFrameProfileEdit8021X::SetupPEAP()
{
    ResetControls();
    if (FromVista())
        SelectInnerByTunnel({1, 0, 2, 3});
    else
        SelectInnerByTunnel({1});
    cBoxAuthenIDChange(this);
}

void TFrameProfileEdit8021X::SetupTLS()
{
    ResetControls();
    ForceClientCert();
    ServerCertFromProfile();
    lblTunnelAuthenTxt->SetEnabled(false);
    cBoxTunnelAuthen->SetEnabled(false);
    SetPasswordEnabled(false);
    editAuthenPassword->SetText("");
    cBoxAuthenIDChange(this);
}

void TFrameProfileEdit8021X::SetupTTLS()
{
    TFormProfileEdit* e = Editor();
    ResetControls();
    AddEntry(cBoxTunnelAuthen, S(&CUISTR::STR_CHAP), 72);
    AddEntry(cBoxTunnelAuthen, S(&CUISTR::STR_MS_CHAP), 71);
    AddEntry(cBoxTunnelAuthen, S(&CUISTR::STR_MS_CHAP_V2), 26);
    AddEntry(cBoxTunnelAuthen, S(&CUISTR::STR_PAP), 73);
    AddEntry(cBoxTunnelAuthen, S(&CUISTR::STR_EAP_MD5), 4);
    cBoxAuthenIDChange(this);
    SetPasswordEnabled(true);
    SelectByObject(cBoxTunnelAuthen, e->m_nTTLSTunnelAuthen);
    TFrameProfileEditClientCert* client = e->FrameProfileEditClientCert;
    if (FromVista()) {
        client->rBtnUseClientCert->SetChecked(e->m_WpaInfo.bUseClientCert != 0);
    } else {
        client->chBoxUseClientCert->SetEnabled(true);
        client->chBoxUseClientCert->SetChecked(e->m_WpaInfo.bUseClientCert != 0);
    }
    ServerCertFromProfile();
}

void TFrameProfileEdit8021X::SetupEAPFast()
{
    ResetControls();
    if (FromVista()) {
        lblTunnelAuthenTxt->SetEnabled(false);
        cBoxTunnelAuthen->SetEnabled(false);
        SetIdentityEnabled(false);
        cBoxAuthenID->SetEnabled(false);
        SetPasswordEnabled(false);
        return;
    }
    cBoxAuthenID->SetEnabled(true);
    SelectByObject(cBoxAuthenID, Editor()->m_WpaInfo.nIdMode);
    SelectInnerByTunnel({1, 0});
    cBoxAuthenIDChange(this);
}

void TFrameProfileEdit8021X::SetupMD5()
{
    ResetControls();
    lblTunnelAuthenTxt->SetEnabled(false);
    cBoxTunnelAuthen->SetEnabled(false);
}

void TFrameProfileEdit8021X::SetupLEAP()
{
    ResetControls();
    lblTunnelAuthenTxt->SetEnabled(false);
    cBoxTunnelAuthen->SetEnabled(false);
    cBoxAuthenIDChange(this);
    SetPasswordEnabled(true);
    if (FromVista())
        ShowPasswordModes({1, 2, 3});
}

void TFrameProfileEdit8021X::cBoxAuthenIDChange(TObject*)
{
    TFormProfileEdit* e = Editor();
    if (!e)
        return;
    e->m_WpaInfo.nIdMode = SelectedObject(cBoxAuthenID, 0);
    if (MachineIdSelected()) {
        SetIdentityEnabled(false);
        if (FromVista()) {
            editAuthenID->SetText("");
            SetPasswordEnabled(false);
        } else {
            editAuthenID->SetText(MachineIdentity(ComputerName(), EnvironmentText("USERDNSDOMAIN")));
            SetPasswordEnabled(true);
        }
        editAuthenPassword->SetText("");
        if (cBoxPasswordMode->Visible()) {
            cBoxPasswordMode->SetEnabled(false);
            cBoxPasswordMode->SetItemIndex(cBoxPasswordMode->Items().Count() ? 0 : -1);
        }
        return;
    }
    if (cBoxPasswordMode->Visible()) {
        cBoxPasswordMode->SetEnabled(true);
        SelectByObject(cBoxPasswordMode, e->m_nPasswordMode);
        cBoxPasswordModeChange(this);
        return;
    }
    SetIdentityEnabled(true);
    const int method = e->m_nEAPMethod;
    bool password = true;
    if (e->m_nTunnelAuthen == 13 && method != 2 && method != 5 && method != 4) {
        password = false;
    } else if (method == 1 || method == 4) {
        password = false;
    } else if (method == 3 && FromVista()) {
        SetIdentityEnabled(false);
        password = false;
    }
    SetPasswordEnabled(password);
}

void TFrameProfileEdit8021X::cBoxPasswordModeChange(TObject*)
{
    TFormProfileEdit* e = Editor();
    if (!e)
        return;
    e->m_nPasswordMode = SelectedObject(cBoxPasswordMode, 1);
    if (MachineIdSelected()) {
        SetIdentityEnabled(false);
        SetPasswordEnabled(false);
        editAuthenID->SetText("");
        return;
    }
    const int mode = e->m_nPasswordMode;
    SetIdentityEnabled(mode == 0 || mode == 1);
    SetPasswordEnabled(mode == 1);
    if (mode != 1)
        editAuthenPassword->SetText("");
    if (mode == 2 || mode == 3)
        editAuthenID->SetText("");
}

void TFrameProfileEdit8021X::chBoxShowPasswordClick(TObject*)
{
    const bool clear = VOZEZIV.bShowPassword && chBoxShowPassword->Checked();
    editAuthenPassword->SetPasswordChar(clear ? 0 : '*');
}

void TFrameProfileEdit8021X::chBoxSessionResumptionClick(TObject*)
{
    if (Editor())
        Editor()->m_nSessionResumption = chBoxSessionResumption->Checked() ? 1 : 0;
}

void TFrameProfileEdit8021X::chBoxCacheUserInfoClick(TObject*)
{
    if (Editor())
        Editor()->m_bCacheUserInfo = chBoxCacheUserInfo->Checked() ? 1 : 0;
}

void TFrameProfileEdit8021X::StoreSettings()
{
    TFormProfileEdit* e = Editor();
    if (!e)
        return;
    e->m_nEAPMethod = SelectedObject(cBoxEAPMethod, 0);
    if (e->m_nEAPMethod == 0)
        e->m_nTunnelAuthen = SelectedObject(cBoxTunnelAuthen, 26);
    else if (e->m_nEAPMethod == 2)
        e->m_nTTLSTunnelAuthen = SelectedObject(cBoxTunnelAuthen, 72);
    e->m_nPasswordMode = SelectedObject(cBoxPasswordMode, 1);
    if (!VOZEZIV.WVWL_IsWpaCapable || !VOZEZIV.WVWL_IsWpaCapable())
        return;
    WPA_INFO& info = e->m_WpaInfo;
    info.nEapMethod = e->m_nEAPMethod;
    info.nTunnel = e->m_nTunnelAuthen;
    info.nTTLSTunnel = e->m_nTTLSTunnelAuthen;
    info.nSessionResume = e->m_nSessionResumption;
    info.bCacheUser = e->m_bCacheUserInfo;
    info.nIdMode = SelectedObject(cBoxAuthenID, 0);
    info.strIdentity = editAuthenID->Text().substr(0, kIdentityLimit);
    info.strPassword = editAuthenPassword->Text().substr(0, kIdentityLimit);
    info.nPwdMode = e->m_nPasswordMode;
}
