#pragma once
// Validation of the server and its trusted root certification authority.
#include <windows.h>

#include "core/FormBase.h"
#include "profiles/CertList.h"
#include "ui/StdCtrls.h"

class TFrameProfileEditServerCert : public TFrameBase {
public:
    explicit TFrameProfileEditServerCert(TComponent* owner);
    TCheckBox* chBoxEnableServerCert = nullptr;
    TComboBox* cBoxServerCert = nullptr;
    TCheckBox* chBoxIntermidiateCert = nullptr;
    TLabel* lblServerNameTxt = nullptr;
    TEdit* editServerName = nullptr;
    TRadioButton* rBtnServerName = nullptr;
    TRadioButton* rBtnDomainName = nullptr;
    TCertList m_Certs;

    void OnEnterPage() override;
    void InitCertList();
    void cBoxServerCertChange(TObject* Sender);
    void chBoxEnableServerCertClick(TObject* Sender);
    void StoreSettings();
};
