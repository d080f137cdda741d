#pragma once
// The WPS PIN page: the PIN and the program's role (enrollee or registrar).
#include "core/FormBase.h"
#include "resources/WvImage.h"
#include "ui/StdCtrls.h"

class TFrameProfileEditWPSPin : public TFrameBase {
public:
    explicit TFrameProfileEditWPSPin(TComponent* owner);

    TLabel* lblPinCodeText = nullptr;
    TEdit* editPinCode = nullptr;
    TButton* BtnRenew = nullptr;
    TButton* BtnRenew4 = nullptr;
    TLabel* lblConfigModeText = nullptr;
    TComboBox* cBoxConfigMode = nullptr;
    TButton* BtnSetWPSProfile = nullptr;
    TRadioButton* rBtnConfigAP = nullptr;
    TRadioButton* rBtnConfigSTA = nullptr;

    unsigned m_nPin = 0;           // the PIN last generated
    int m_nPinLength = 8;
    BOOL m_bHasSharableProfile = FALSE;

    void OnEnterPage() override;
    bool OnLeavePage() override;
    void BtnRenewClick(TObject* Sender);
    void BtnRenew4Click(TObject* Sender);
    void cBoxConfigModeChange(TObject* Sender);
    void BtnSetWPSProfileClick(TObject* Sender);
    void rBtnConfigAPClick(TObject* Sender);
    void rBtnConfigSTAClick(TObject* Sender);
    // The typed PIN: 8 digits with their checksum, or under WPS 2.0 also 4 digits; digits
    // only. Refuses with a message, else takes it into the editor.
    bool CheckEditPinCode();

private:
    void ShowPin();
    void RebuildConfigModes();
    void ShowEnrolleeRole();
};
