#include "profiles/FrameProfileEditSSO.h"

#include "core/WvwlLib.h"
#include "profiles/FormProfileEdit.h"
#include "profiles/ProfileEditControls.h"
#include "wlapi/constants.h"

using namespace ProfileEditUi;

namespace {

constexpr int kXPPanelHeight = 84;

TRadioButton* MakeRadio(TWinControl* parent, int left, int top, int width, const std::string& caption)
{
    auto* radio = MakeOn<TRadioButton>(parent, left, top, width, 17);
    radio->SetCaption(caption);
    return radio;
}

} // namespace

TFrameProfileEditSSO::TFrameProfileEditSSO(TComponent* owner) : TFrameBase(owner)
{
    Name = "FrameProfileEditSSO";
    chBoxEnableSSO = MakeOn<TCheckBox>(this, 16, 4, 340, 17);
    chBoxEnableSSO->SetCaption(S(&CUISTR::STR_ENABLE_SSO));

    panelSSOforXP = MakePanel(this, 26, kXPPanelHeight);
    chBoxEnablePersistentConnection = MakeOn<TCheckBox>(panelSSOforXP, 16, 0, 340, 17);
    chBoxEnablePersistentConnection->SetCaption(S(&CUISTR::STR_SSO_ENABLE_PERSISTENT_CONNECTION));
    rBtnUseIDPWDinWinlogon = MakeRadio(panelSSOforXP, 32, 22, 330, S(&CUISTR::STR_SSO_USE_ID_PASSWORD_IN_WINLOGON));
    rBtnUseIDPWDinProfile = MakeRadio(panelSSOforXP, 32, 42, 330, S(&CUISTR::STR_SSO_USE_ID_PASSWORD_IN_PROFILE));
    rBtnPromptIDPWD = MakeRadio(panelSSOforXP, 32, 62, 330, S(&CUISTR::STR_SSO_PROMPT_ID_PASSWORD_DIALOG));

    panelSSOforVista = MakePanel(this, 26, 60);
    chBoxAllowMachineAuth = MakeOn<TCheckBox>(panelSSOforVista, 16, 0, 340, 17);
    chBoxAllowMachineAuth->SetCaption(S(&CUISTR::STR_PROF_SSO_ALLOW_MACHINE));
    lblAuthenticationType = MakeLabel(panelSSOforVista, 32, 26, S(&CUISTR::STR_PROF_SSO_LOGON_TYPE));
    rBtnPreLogon = MakeRadio(panelSSOforVista, 130, 24, 110, S(&CUISTR::STR_PROF_SSO_PRE_LOGON));
    rBtnPostLogon = MakeRadio(panelSSOforVista, 250, 24, 110, S(&CUISTR::STR_PROF_SSO_POST_LOGON));

    lblRecommendMsg = MakeLabel(this, 16, 34, S(&CUISTR::STR_SSO_RECOMMEND_MSG));
    lblRecommendMsg->SetAutoSize(false);
    lblRecommendMsg->SetWordWrap(true);
    lblRecommendMsg->SetBounds(16, 34, kPageWidth - 32, 30);
    lblRecommendMsg->SetVisible(false);
    panelWarnMsg = MakePanel(this, 72, 40);
    lblWarnMsg = MakeLabel(panelWarnMsg, 16, 0, "");
    lblWarnMsg->SetAutoSize(false);
    lblWarnMsg->SetWordWrap(true);
    lblWarnMsg->SetBounds(16, 0, kPageWidth - 32, 40);
    panelWarnMsg->SetVisible(false);

    chBoxEnableSSO->OnClick = [this](TObject* s) { chBoxEnableSSOClick(s); };
    chBoxEnablePersistentConnection->OnClick = [this](TObject* s) { chBoxEnablePersistentConnectionClick(s); };
    ResetControls();
}

bool TFrameProfileEditSSO::PersistentMode()
{
    return VOZEZIV.bPersistentConnect != 0;
}

void TFrameProfileEditSSO::ResetControls()
{
    m_bUpdating = true;
    chBoxEnableSSO->SetEnabled(true);
    chBoxEnableSSO->SetChecked(false);
    chBoxEnablePersistentConnection->SetChecked(false);
    rBtnUseIDPWDinProfile->SetChecked(true);
    chBoxAllowMachineAuth->SetChecked(false);
    rBtnPreLogon->SetChecked(true);
    m_bUpdating = false;
    SetWarning("", false);
}

void TFrameProfileEditSSO::ClearSsoBoxes()
{
    m_bUpdating = true;
    chBoxEnableSSO->SetChecked(false);
    chBoxAllowMachineAuth->SetChecked(false);
    chBoxEnablePersistentConnection->SetChecked(false);
    m_bUpdating = false;
}

void TFrameProfileEditSSO::LayOut(bool persistent)
{
    // In the persistent-connection mode the switch takes the place of the hidden enable box.
    chBoxEnableSSO->SetVisible(!persistent);
    lblRecommendMsg->SetVisible(persistent);
    if (persistent) {
        panelSSOforXP->SetBounds(0, 4, kPageWidth, 22);
        chBoxEnablePersistentConnection->SetCaption(S(&CUISTR::STR_PROF_SSO_ENABLE_PRE_LOGON));
        panelWarnMsg->SetBounds(0, 68, kPageWidth, 40);
    } else {
        panelSSOforXP->SetBounds(0, 26, kPageWidth, kXPPanelHeight);
        chBoxEnablePersistentConnection->SetCaption(S(&CUISTR::STR_SSO_ENABLE_PERSISTENT_CONNECTION));
        panelWarnMsg->SetBounds(0, 112, kPageWidth, 40);
    }
}

void TFrameProfileEditSSO::OnEnterPage()
{
    const bool persistent = PersistentMode();
    const bool xpLayout = WinOS() < WINOS_VISTA || persistent;
    LayOut(persistent);
    panelSSOforXP->SetVisible(xpLayout);
    panelSSOforVista->SetVisible(!xpLayout);
    UpdateControls();
}

void TFrameProfileEditSSO::chBoxEnableSSOClick(TObject*)
{
    UpdateControls();
}

void TFrameProfileEditSSO::chBoxEnablePersistentConnectionClick(TObject*)
{
    UpdateControls();
}

void TFrameProfileEditSSO::UpdateControls()
{
    // Checking a box from here runs its handler again; one update at a time.
    if (m_bUpdating)
        return;
    m_bUpdating = true;
    if (PersistentMode())
        UpdatePersistentControls();
    else
        UpdateSSOControls();
    m_bUpdating = false;
}

void TFrameProfileEditSSO::SetWarning(const std::string& text, bool shown)
{
    lblWarnMsg->SetCaption(text);
    panelWarnMsg->SetVisible(shown);
}

void TFrameProfileEditSSO::UpdateSSOControls()
{
    SetWarning("", false);
    chBoxEnableSSO->SetVisible(true);
    for (TRadioButton* radio : {rBtnUseIDPWDinWinlogon, rBtnUseIDPWDinProfile, rBtnPromptIDPWD})
        radio->SetVisible(true);
    const bool sso = chBoxEnableSSO->Checked();
    if (WinOS() >= WINOS_VISTA) {
        chBoxAllowMachineAuth->SetEnabled(sso);
        lblAuthenticationType->SetEnabled(sso);
        rBtnPreLogon->SetEnabled(sso);
        rBtnPostLogon->SetEnabled(sso);
        return;
    }
    chBoxEnablePersistentConnection->SetEnabled(sso);
    if (!sso) {
        for (TRadioButton* radio : {rBtnUseIDPWDinWinlogon, rBtnUseIDPWDinProfile, rBtnPromptIDPWD})
            radio->SetEnabled(false);
        return;
    }
    if (chBoxEnablePersistentConnection->Checked()) {
        rBtnUseIDPWDinWinlogon->SetEnabled(false);
        rBtnUseIDPWDinProfile->SetEnabled(true);
        rBtnUseIDPWDinProfile->SetChecked(true);
        rBtnPromptIDPWD->SetEnabled(false);
        return;
    }
    for (TRadioButton* radio : {rBtnUseIDPWDinWinlogon, rBtnUseIDPWDinProfile, rBtnPromptIDPWD})
        radio->SetEnabled(true);
}

void TFrameProfileEditSSO::UpdatePersistentControls()
{
    TFormProfileEdit* e = FormProfileEdit;
    chBoxEnableSSO->SetVisible(false);
    chBoxEnablePersistentConnection->SetEnabled(true);
    for (TRadioButton* radio : {rBtnUseIDPWDinWinlogon, rBtnUseIDPWDinProfile, rBtnPromptIDPWD})
        radio->SetVisible(false);
    SetWarning("", true);
    if (!e)
        return;
    const int auth = e->m_nAuthSel, encry = e->m_nEncrySel;
    const bool keyOnly = (auth == 0 && encry == 1) || auth == 1 || auth == 4 || auth == 6;
    if (WinOS() >= WINOS_VISTA && keyOnly) {
        chBoxEnablePersistentConnection->SetEnabled(false);
        chBoxEnablePersistentConnection->SetChecked(true);
        chBoxEnableSSO->SetChecked(true);
        chBoxAllowMachineAuth->SetChecked(true);
        return;
    }
    if (WinOS() < WINOS_VISTA && e->m_WpaInfo.bUseClientCert == 1 && VOZEZIV.WVWL_IsExportablePrivateKey &&
        VOZEZIV.WVWL_IsExportablePrivateKey(&e->m_WpaInfo.UserCertKey) == 0) {
        chBoxEnablePersistentConnection->SetEnabled(false);
        chBoxEnablePersistentConnection->SetChecked(false);
        chBoxEnableSSO->SetChecked(false);
        chBoxAllowMachineAuth->SetChecked(false);
        SetWarning(S(&CUISTR::STR_SSO_NON_EXPORTABLE_PRIVATE_KEY), true);
        return;
    }
    const bool on = chBoxEnablePersistentConnection->Checked();
    if (on)
        rBtnUseIDPWDinProfile->SetChecked(true);
    chBoxEnableSSO->SetChecked(on);
    chBoxAllowMachineAuth->SetChecked(on);
}
