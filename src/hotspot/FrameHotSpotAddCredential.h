#pragma once
// The add-credential page of the Hotspot 2.0 window: a user name and password with realm, a
// client certificate chosen from the "MY" stores, or a SIM identity, added to the library or,
// in modify mode, replacing the entry of the table's chosen row.
#include <cstdint>
#include <string>

#include "core/FormBase.h"
#include "ui/StdCtrls.h"
#include "wlapi/records.h"

class TFormHotSpot;

// A certificate of the adapter library's lists.
using CertRecord = wlapi::CERT_INFO;

class TFrameHotSpotAddCredential : public TFrameBase {
public:
    explicit TFrameHotSpotAddCredential(TComponent* owner);
    ~TFrameHotSpotAddCredential() override;

    static constexpr int kTtls = 0, kCert = 1, kSim = 2;

    // Controls.
    TLabel* lblCredentialType = nullptr;
    TComboBox* cBoxCredentialType = nullptr;
    TLabel* lblProfName = nullptr;
    TEdit* editProfName = nullptr;
    TLabel* lblUserName = nullptr;
    TEdit* editUserName = nullptr;
    TLabel* lblPassword = nullptr;
    TEdit* editPassword = nullptr;
    TLabel* lblClientCert = nullptr;
    TComboBox* cBoxClientCert = nullptr;
    TLabel* lblRealm = nullptr;
    TEdit* editRealm = nullptr;
    TLabel* lblIMSI = nullptr;
    TEdit* editIMSI = nullptr;
    TLabel* lblMNC = nullptr;
    TEdit* editMNC = nullptr;
    TLabel* lblMCC = nullptr;
    TEdit* editMCC = nullptr;
    TButton* BtnAddCredential = nullptr;
    TButton* BtnSubmitCredential = nullptr;
    TButton* BtnCancelModify = nullptr;

    // The "MY" certificates of the user, then of the computer.
    CertRecord* m_UserCert = nullptr;
    int m_nUserCertCount = 0;

    void OnEnterPage() override;
    bool OnLeavePage() override;
    void cBoxCredentialTypeChange(TObject* Sender);
    void BtnAddCredentialClick(TObject* Sender);
    void BtnSubmitCredentialClick(TObject* Sender);
    void BtnCancelModifyClick(TObject* Sender);

    void InitCertList();
    static std::string CertThumbprintText(const CertRecord& cert);
    void SelectCertByThumbprint(const std::string& thumbprint);

    // Fills the page from a stored entry for modify mode.
    void ShowRecord(const HS20_CREDENTIAL& record);
    // Shows Submit and Cancel (modify mode) or Add.
    void ShowModifyButtons(bool modify);

private:
    TFormHotSpot* Form() const;
    HS20_CREDENTIAL BuildRecord(uint8_t prefer, uint8_t weight) const;
    void FreeCertList();
};
