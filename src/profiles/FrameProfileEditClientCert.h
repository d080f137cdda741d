#pragma once
// The client certificate of TLS and PEAP-TLS, or from Vista on a smart card.
#include <windows.h>

#include "core/FormBase.h"
#include "profiles/CertList.h"
#include "ui/StdCtrls.h"

class TFrameProfileEditClientCert : public TFrameBase {
public:
    explicit TFrameProfileEditClientCert(TComponent* owner);
    TRadioButton* rBtnUseClientCert = nullptr;
    TRadioButton* rBtnUseSmartCard = nullptr;
    TCheckBox* chBoxUseClientCert = nullptr;
    TComboBox* cBoxClientCert = nullptr;
    TLabel* lblIssuedtoText = nullptr;
    TLabel* lblIssuedbyText = nullptr;
    TLabel* lblExpirationDateText = nullptr;
    TLabel* lblFriendlyNameText = nullptr;
    TLabel* lblIssueto = nullptr;
    TLabel* lblIssuedby = nullptr;
    TLabel* lblExpirationDate = nullptr;
    TLabel* lblFriendlyName = nullptr;
    TCertList m_Certs;

    void OnEnterPage() override;
    void InitCertList();
    void UpdateControls();
    void ShowForMethod(int method, int innerMethod);
    static bool UsesClientCert(int method, int innerMethod);
    void cBoxClientCertChange(TObject* Sender);
    void StoreSettings();
    // The certificate choice of the page (radio button from Vista on, check box before).
    bool CertificateChosen() const;
    // True when the choice may be used: a certificate when one is needed, not expired.
    bool CheckSettings();

private:
    void ShowRecord(int index);
    // Refills and enables the list and its labels, or disables them.
    void EnableList(bool chosen);
};
