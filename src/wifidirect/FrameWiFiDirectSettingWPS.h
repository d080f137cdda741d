#pragma once
// WPS page of the Wi-Fi Direct setting wizard: the method offered by the peer's capabilities,
// the PIN, the profile name and the operating channel.
#include <cstdint>
#include <string>

#include "core/FormBase.h"
#include "resources/WvImage.h"
#include "ui/StdCtrls.h"

class TFrameWiFiDirectSettingWPS : public TFrameBase {
public:
    explicit TFrameWiFiDirectSettingWPS(TComponent* owner);

    // Controls.
    TLabel* lblWPSMethodText = nullptr;
    TRadioButton* rBtnPBC = nullptr;
    TRadioButton* rBtnPIN_Default = nullptr;
    TRadioButton* rBtnPIN_UserSpec = nullptr;
    TRadioButton* rBtnPIN_RegSpec = nullptr;
    TLabel* lblPinCodeText = nullptr;
    TEdit* editPinCode = nullptr;
    TWvImage* BtnRenew = nullptr;
    TWvImage* BtnRenew4 = nullptr;
    TLabel* lblProfileNameText = nullptr;
    TEdit* editProfileName = nullptr;
    TLabel* lblOperatingChannelText = nullptr;
    TComboBox* cboxOperatingChannel = nullptr;

    std::string m_strTempPinCode;
    uint32_t m_ulWPSType = 0;         // WpsMethod of the checked button
    uint32_t m_ulPin = 0;             // the PIN number the page shows
    uint8_t m_WiFiDirectFlags = 0;    // the peer's flags
    uint32_t m_WpsCapability = 0;     // the peer's method bits
    std::string m_strProfileName;
    std::string m_strOperatingChannel;
    int m_bPersistSupported = 0;      // WVWL_QueryP2PPersistState; 0: profiles are not saved

    void OnEnterPage() override;
    bool OnLeavePage() override;
    void rBtnPBCClick(TObject* Sender);
    void rBtnPIN_DefaultClick(TObject* Sender);
    void rBtnPIN_UserSpecClick(TObject* Sender);
    void rBtnPIN_RegSpecClick(TObject* Sender);
    void BtnRenewClick(TObject* Sender);
    void BtnRenew4Click(TObject* Sender);

    // "Invaild Pin Code", "Pin Code error", or empty when the PIN is acceptable.
    std::string CheckEditPinCode(const std::string& pin, bool defaultPin);

private:
    void SetPinControls(bool enabled, bool readOnly, bool renew);
    // Tells the driver the PIN this device displays (8 digits, or FF FF FF FF and 4 digits).
    void SendDisplayPin(uint32_t pin, bool eightDigits);
};
