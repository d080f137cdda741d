#pragma once
// EAP method, inner method, identity and password of an 802.1X profile.
#include <windows.h>

#include <string>

#include "core/FormBase.h"
#include "ui/StdCtrls.h"

class TFrameProfileEdit8021X : public TFrameBase {
public:
    explicit TFrameProfileEdit8021X(TComponent* owner);
    TLabel* lblEAPMethodTxt = nullptr;
    TComboBox* cBoxEAPMethod = nullptr;
    TLabel* lblTunnelAuthenTxt = nullptr;
    TComboBox* cBoxTunnelAuthen = nullptr;
    TLabel* lblAuthenIDTxt = nullptr;
    TComboBox* cBoxAuthenID = nullptr;
    TEdit* editAuthenID = nullptr;
    TLabel* lblAuthenPasswordTxt = nullptr;
    TEdit* editAuthenPassword = nullptr;
    TComboBox* cBoxPasswordMode = nullptr;
    TCheckBox* chBoxSessionResumption = nullptr;
    TCheckBox* chBoxCacheUserInfo = nullptr;
    TCheckBox* chBoxShowPassword = nullptr;
    TLabel* lblDomainNameTxt = nullptr;
    TEdit* editDomainName = nullptr;

    void OnEnterPage() override;
    bool OnLeavePage() override;
    void cBoxEAPMethodChange(TObject* Sender);
    void cBoxTunnelAuthenChange(TObject* Sender);
    void cBoxAuthenIDChange(TObject* Sender);
    void cBoxPasswordModeChange(TObject* Sender);
    void chBoxShowPasswordClick(TObject* Sender);
    void chBoxSessionResumptionClick(TObject* Sender);
    void chBoxCacheUserInfoClick(TObject* Sender);

    void ResetControls();
    void SetupPEAP();
    void SetupTLS();
    void SetupTTLS();
    void SetupEAPFast();
    void SetupMD5();
    void SetupLEAP();
    // The page's values into the editor's members and working copy.
    void StoreSettings();

    // "host/<computer>.<domain>", or "host/<computer>" without a DNS domain, cut to the
    // identity box's 100 characters.
    static std::string MachineIdentity(const std::string& computer, const std::string& domain);

private:
    // The password-mode list with the given modes, selected by the editor's mode, shown.
    void ShowPasswordModes(std::initializer_list<int> modes);
    // The inner method of PEAP and EAP-FAST by the editor's member; gtcModes for GTC.
    void SelectInnerByTunnel(std::initializer_list<int> gtcModes);
    void ForceClientCert();
    void ServerCertFromProfile();
    void SetIdentityEnabled(bool enabled);
    void SetPasswordEnabled(bool enabled);
    bool MachineIdSelected() const;
};
