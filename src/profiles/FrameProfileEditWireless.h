#pragma once
// Name, SSID, network type and ad-hoc channel of the profile.
#include <windows.h>

#include "core/FormBase.h"
#include "ui/StdCtrls.h"

class TFrameProfileEditWireless : public TFrameBase {
public:
    explicit TFrameProfileEditWireless(TComponent* owner);
    TLabel* lblProfileName = nullptr;
    TEdit* editProfileName = nullptr;
    TLabel* lblSSID = nullptr;
    TComboBox* cboxSSID = nullptr;
    TLabel* lblNetworkType = nullptr;
    TRadioButton* rBtnInfra = nullptr;
    TRadioButton* rBtnAdhoc = nullptr;
    TLabel* lblChannel = nullptr;
    TComboBox* cboxChannel = nullptr;

    void OnEnterPage() override;
    void editProfileNameChange(TObject* Sender);
    void rBtnInfraClick(TObject* Sender);
    void rBtnAdhocClick(TObject* Sender);
    void StoreSettings();
};
