#pragma once
// Authentication and encryption.
#include <windows.h>

#include "core/FormBase.h"
#include "ui/StdCtrls.h"

class TFrameProfileEditSecurity : public TFrameBase {
public:
    explicit TFrameProfileEditSecurity(TComponent* owner);
    TLabel* lblAuthentication = nullptr;
    TComboBox* cboxAuthentication = nullptr;
    TLabel* lblEncryption = nullptr;
    TComboBox* cboxEncryption = nullptr;

    void OnEnterPage() override;
    bool OnLeavePage() override;
    void cboxAuthenticationChange(TObject* Sender);
    void StoreSettings();
};
