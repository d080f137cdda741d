#pragma once
// The access point's configuration page: network name, WPA2 key, maximum number of peers,
// the connection to share, and Apply (check, store, start the access point, share).
#include <string>

#include "core/FormBase.h"
#include "ui/ExtCtrls.h"
#include "ui/StdCtrls.h"
#include "wlapi/records.h"

class TFormExtendedAP;

class TFrameExtendedAPConfig : public TFrameBase {
public:
    explicit TFrameExtendedAPConfig(TComponent* owner);

    TLabel* lblSSIDText = nullptr;
    TLabel* lblClientNumberText = nullptr;
    TLabel* lblPSKKeyText = nullptr;
    TLabel* lblIPAddressText = nullptr;
    TLabel* lblIPAddress = nullptr;
    TLabel* lblICS = nullptr;
    TLabel* lblAuthenticationText = nullptr;
    TLabel* lblEncryptionText = nullptr;
    TEdit* editSSID = nullptr;
    TEdit* editClientNumber = nullptr;
    TEdit* editPSKKey = nullptr;
    TCheckBox* chboxShowPassword = nullptr;
    TButton* BtnApply = nullptr;
    TComboBox* cBoxWAN = nullptr;
    TComboBox* cBoxAuthentication = nullptr;
    TComboBox* cBoxEncryption = nullptr;

    std::string m_strSSID;
    std::string m_strPSKKey;
    std::string m_strCarried = "0";  // offset 36 of the stored record, shown nowhere
    std::string m_strMaxClient = "8";
    std::string m_strIPAddress;
    int m_nCurAdapter = 0;           // WAN list position to select, or the chosen adapter's index

    // The window whose timer and close this page uses.
    TFormExtendedAP* m_pForm = nullptr;

    void OnEnterPage() override;
    bool OnLeavePage() override;
    void BtnApplyClick(TObject* Sender);
    void chboxShowPasswordClick(TObject* Sender);

    // Shows the stored settings (a failed read keeps what is shown), rebuilds the WAN list.
    void RestoreSettings();
    // The three checks; the first failure shows its message (none for a peer number that is
    // not a number) and gives false.
    bool CheckValues();
    // Stores the record built from the page.
    void SaveConfig();
    EXTAP_CONFIG BuildConfig() const;
    // Shows the address of a successful read of the stored record.
    void RefreshIPAddress();

private:
    void TakeWanChoice();
};
