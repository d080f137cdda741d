#include "profiles/FrameProfileEditSSO.h"

#include "profiles/FormProfileEdit.h"
#include "profiles/ProfileEditControls.h"

using namespace ProfileEditUi;

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
