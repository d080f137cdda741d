#include "profiles/ProfileEditPages.h"

#include "profiles/FormProfileEdit.h"

namespace {

template <class T>
T* MakeOn(TWinControl* parent, int left, int top, int width, int height)
{
    auto* control = new T(parent);
    control->SetParent(parent);
    control->SetBounds(left, top, width, height);
    return control;
}

TPanel* MakePanel(TWinControl* parent, int top)
{
    auto* panel = MakeOn<TPanel>(parent, 0, top, 380, 40);
    panel->SetColor(WEVO_FORM_COLOR);
    return panel;
}

} // namespace

TFrameProfileEdit8021X::TFrameProfileEdit8021X(TComponent* owner) : TFrameBase(owner)
{
    Name = "FrameProfileEdit8021X";
}

void TFrameProfileEdit8021X::StoreSettings()
{
    TFormProfileEdit* editor = FormProfileEdit;
    if (!editor)
        return;
    WPA_INFO& info = editor->m_WpaInfo;
    info.nEapMethod = editor->m_nEAPMethod;
    info.nTunnel = editor->m_nTunnelAuthen;
    info.nTTLSTunnel = editor->m_nTTLSTunnelAuthen;
    info.nSessionResume = editor->m_nSessionResumption;
    info.bCacheUser = editor->m_bCacheUserInfo;
    info.nPwdMode = editor->m_nPasswordMode;
}

bool TFrameProfileEdit8021X::CheckSettings()
{
    return true;
}

TFrameProfileEditClientCert::TFrameProfileEditClientCert(TComponent* owner) : TFrameBase(owner)
{
    Name = "FrameProfileEditClientCert";
}

void TFrameProfileEditClientCert::StoreSettings() {}

bool TFrameProfileEditClientCert::CheckSettings()
{
    return true;
}

TFrameProfileEditServerCert::TFrameProfileEditServerCert(TComponent* owner) : TFrameBase(owner)
{
    Name = "FrameProfileEditServerCert";
}

void TFrameProfileEditServerCert::StoreSettings() {}

TFrameProfileEditEAPFast::TFrameProfileEditEAPFast(TComponent* owner) : TFrameBase(owner)
{
    Name = "FrameProfileEditEAPFast";
}

void TFrameProfileEditEAPFast::StoreSettings()
{
    TFormProfileEdit* editor = FormProfileEdit;
    if (!editor)
        return;
    static const int tunnels[] = {26, 13, 6};
    const int position = editor->m_nProvisioningTunnel;
    editor->m_WpaInfo.nProvTunnel = position >= 0 && position < 3 ? tunnels[position] : 26;
    editor->m_WpaInfo.bProvisionEnabled = editor->m_bProvisionMode;
    editor->m_WpaInfo.bPacEnabled = editor->m_bUsePAC;
}

TFrameProfileEditSSO::TFrameProfileEditSSO(TComponent* owner) : TFrameBase(owner)
{
    Name = "FrameProfileEditSSO";
    chBoxEnableSSO = MakeOn<TCheckBox>(this, 16, 8, 340, 17);
    chBoxAllowMachineAuth = MakeOn<TCheckBox>(this, 16, 28, 340, 17);
    chBoxEnablePersistentConnection = MakeOn<TCheckBox>(this, 16, 48, 340, 17);
    PanelLogon = MakePanel(this, 68);
    rBtnPreLogon = MakeOn<TRadioButton>(PanelLogon, 16, 0, 160, 17);
    rBtnPostLogon = MakeOn<TRadioButton>(PanelLogon, 180, 0, 160, 17);
    PanelIdPwd = MakePanel(this, 90);
    rBtnUseIDPWDinProfile = MakeOn<TRadioButton>(PanelIdPwd, 16, 0, 340, 17);
    rBtnPromptIDPWD = MakeOn<TRadioButton>(PanelIdPwd, 16, 20, 160, 17);
    rBtnUseIDPWDinWinlogon = MakeOn<TRadioButton>(PanelIdPwd, 180, 20, 160, 17);
}

void TFrameProfileEditSSO::ClearSsoBoxes()
{
    chBoxEnableSSO->SetChecked(false);
    chBoxAllowMachineAuth->SetChecked(false);
    chBoxEnablePersistentConnection->SetChecked(false);
}

TFrameProfileEditWAPICert::TFrameProfileEditWAPICert(TComponent* owner) : TFrameBase(owner)
{
    Name = "FrameProfileEditWAPICert";
}
