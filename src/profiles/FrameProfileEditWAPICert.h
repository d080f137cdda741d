#pragma once
// The WAPI certificate mode and, chosen by hand, the user certificate of the WAPI certificate
// store whose identities (user and AS) the profile keeps.
#include <windows.h>

#include <string>

#include "core/FormBase.h"
#include "resources/WvImage.h"
#include "ui/ExtCtrls.h"
#include "ui/StdCtrls.h"
#include "wlapi/records.h"

class TFrameProfileEditWAPICert : public TFrameBase {
public:
    explicit TFrameProfileEditWAPICert(TComponent* owner);

    TLabel* lblSelectModeText = nullptr;
    TComboBox* cbBoxSelectMode = nullptr;
    TLabel* lblWAPICertificateText = nullptr;
    TComboBox* cbBooxWAPICert = nullptr;
    TGroupBox* grpBoxCertInfo = nullptr;
    TLabel* lblSerialNumberText = nullptr;
    TLabel* lblIssuerText = nullptr;
    TLabel* lblValidPeriodText = nullptr;
    TLabel* lblSerialNumber = nullptr;
    TLabel* lblIssuer = nullptr;
    TLabel* lblValidPeriod = nullptr;
    TWvImage* BtnWAPICertCenter = nullptr;

    void OnEnterPage() override;
    bool OnLeavePage() override { return true; }
    void cbBoxSelectModeChange(TObject* Sender);
    void cbBooxWAPICertChange(TObject* Sender);
    void cbBoxWAPICertDropDown(TObject* Sender);
    void BtnWAPICertCenterClick(TObject* Sender);

    void FillCertList();
    void SelectProfileCert();
    void ShowCertInfo();
    void StoreIdentities();
    static std::string SerialToHex(const WAPI_CERT_ENTRY& entry);

private:
    bool ManualMode() const;
    // The store record of the selected certificate, null when none is selected.
    const WAPI_CERT_INFO* SelectedCert() const;
};

// The number of user certificates a store record holds, at most 16 whatever it claims.
int WapiStoreCount(const WAPI_CERT_STORE& store);
// A text field of a certificate entry, never read past its 256 bytes.
std::string WapiCertText(const char (&field)[256]);
// The user identity (kind 1) or AS identity (kind 0) of a store record from the library; the
// length clamped to the 256 bytes the buffer holds. False when the entry is missing or fails.
bool WapiIdentityOf(const WAPI_CERT_INFO& cert, int kind, WAPI_ID_BUFFER& identity);
