#pragma once
// The SSID and key dialog of the AP-client switch, shown while no access-point name or key
// is stored: proposes a name from the adapter's MAC address and stores what the user enters.
#include <string>

#include "ui/Forms.h"
#include "ui/StdCtrls.h"
#include "wlapi/records.h"

class TFormExtendedAPIdPwd : public TForm {
public:
    explicit TFormExtendedAPIdPwd(TComponent* owner);

    TLabel* lblDescriptionText = nullptr;
    TLabel* lblSSIDText = nullptr;
    TLabel* lblPSKKeyText = nullptr;
    TEdit* editSSID = nullptr;
    TEdit* editPSKKey = nullptr;
    TButton* BtnOK = nullptr;

    EXTAP_CONFIG m_Config{};
    std::string m_strSSID;
    std::string m_strPSKKey;

    // The kept record becomes a copy of the one given (zeroed first).
    void SetConfig(EXTAP_CONFIG config);
    // Proposes "SoftAP-%02X" from the last byte of the adapter's MAC address plus one.
    void FormShow(TObject* Sender);
    // Checks; stores SSID, key and 8 peers in the kept record, writes it and ends with OK.
    void BtnOKClick(TObject* Sender);
    // A non-empty SSID and a valid key; the first failure shows its message.
    bool CheckValues();
};

extern TFormExtendedAPIdPwd* FormExtendedAPIdPwd;
