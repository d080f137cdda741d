#pragma once
// WPS registrar: the configuration handed to an access point (SSID, authentication and
// encryption; the key follows on the key page).
#include "core/FormBase.h"
#include "ui/StdCtrls.h"

class TFrameProfileEditWPSProfile : public TFrameBase {
public:
    explicit TFrameProfileEditWPSProfile(TComponent* owner);

    TLabel* lblSSIDText = nullptr;
    TEdit* editSSID = nullptr;
    TLabel* lblBSSIDText = nullptr;
    TLabel* lblBSSID = nullptr;
    TLabel* lblAuthenticationText = nullptr;
    TComboBox* cboxAuthentication = nullptr;  // items carry credential authentication values
    TLabel* lblEncryptionText = nullptr;
    TComboBox* cboxEncryption = nullptr;      // items carry credential encryption values

    void OnEnterPage() override;
    bool OnLeavePage() override;
    void cboxAuthenticationChange(TObject* Sender);
    // The chosen authentication into the first credential and the editor's choices.
    void ApplyToEditor();
    // The encryptions offered with an authentication value.
    void FillEncryptionList(int authentication);
};

// The editor's authentication and encryption choices of credential values, as the key page
// and its check know them.
int RegistrarAuthSel(int authentication);
int RegistrarEncrySel(int encryption);
