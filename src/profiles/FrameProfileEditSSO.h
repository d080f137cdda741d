#pragma once
// Single sign-on.
#include <windows.h>

#include "core/FormBase.h"
#include "ui/ExtCtrls.h"
#include "ui/StdCtrls.h"

class TFrameProfileEditSSO : public TFrameBase {
public:
    explicit TFrameProfileEditSSO(TComponent* owner);
    TCheckBox* chBoxEnableSSO = nullptr;
    TCheckBox* chBoxAllowMachineAuth = nullptr;
    TCheckBox* chBoxEnablePersistentConnection = nullptr;
    TPanel* PanelLogon = nullptr;
    TRadioButton* rBtnPreLogon = nullptr;
    TRadioButton* rBtnPostLogon = nullptr;
    TPanel* PanelIdPwd = nullptr;
    TRadioButton* rBtnUseIDPWDinProfile = nullptr;
    TRadioButton* rBtnPromptIDPWD = nullptr;
    TRadioButton* rBtnUseIDPWDinWinlogon = nullptr;
    // Clears the enable, machine-authentication and persistent-connection boxes.
    void ClearSsoBoxes();
};
