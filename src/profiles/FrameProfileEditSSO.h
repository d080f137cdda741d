#pragma once
// Single sign-on: the classic choices, or in the persistent-connection mode one switch from
// which the others follow.
#include <windows.h>

#include "core/FormBase.h"
#include "ui/ExtCtrls.h"
#include "ui/StdCtrls.h"

class TFrameProfileEditSSO : public TFrameBase {
public:
    explicit TFrameProfileEditSSO(TComponent* owner);
    TCheckBox* chBoxEnableSSO = nullptr;
    TPanel* panelSSOforXP = nullptr;
    TCheckBox* chBoxEnablePersistentConnection = nullptr;
    TRadioButton* rBtnUseIDPWDinWinlogon = nullptr;
    TRadioButton* rBtnUseIDPWDinProfile = nullptr;
    TRadioButton* rBtnPromptIDPWD = nullptr;
    TPanel* panelSSOforVista = nullptr;
    TCheckBox* chBoxAllowMachineAuth = nullptr;
    TLabel* lblAuthenticationType = nullptr;
    TRadioButton* rBtnPreLogon = nullptr;
    TRadioButton* rBtnPostLogon = nullptr;
    TLabel* lblRecommendMsg = nullptr;
    TPanel* panelWarnMsg = nullptr;
    TLabel* lblWarnMsg = nullptr;

    void OnEnterPage() override;
    bool OnLeavePage() override { return true; }
    void chBoxEnableSSOClick(TObject* Sender);
    void chBoxEnablePersistentConnectionClick(TObject* Sender);
    // The update of the current mode.
    void UpdateControls();
    void UpdateSSOControls();
    void UpdatePersistentControls();

    // Every control in its start state (a new profile).
    void ResetControls();
    // Clears the enable, machine-authentication and persistent-connection boxes.
    void ClearSsoBoxes();

private:
    static bool PersistentMode();
    void LayOut(bool persistent);
    void SetWarning(const std::string& text, bool shown);
    bool m_bUpdating = false;
};
