#pragma once
// The Wi-Fi Direct setting wizard: fills the Wi-Fi Direct profile record page by page for the
// action its opener chose, applies it to the adapter and, for a stored profile, saves it.

#include <cstdint>
#include <string>

#include "core/FormBase.h"
#include "resources/WvImage.h"
#include "ui/ExtCtrls.h"
#include "ui/StdCtrls.h"
#include "wifidirect/FrameWiFiDirectSettingAdvanced.h"
#include "wifidirect/FrameWiFiDirectSettingAutonomousGO.h"
#include "wifidirect/FrameWiFiDirectSettingDeviceName.h"
#include "wifidirect/FrameWiFiDirectSettingWPS.h"
#include "wifidirect/WiFiDirectRecords.h"

// What the wizard is opened for (m_enumActionTpye).
enum : uint32_t {
    ACTION_ENABLE = 1,
    ACTION_CONNECT = 2,
    ACTION_AUTONOMOUSGO = 3,
    ACTION_DISPLAY_PIN = 4,
    ACTION_GET_CONNECT_REQUEST = 5,
    ACTION_WPS = 6,
    ACTION_Profile_DETAIL = 7,
    ACTION_SET_GO_KEY = 8,
    ACTION_CONFIRM_ENTER_PIN = 9,
};

class TFormWiFiDirectSetting : public TFormBase {
public:
    explicit TFormWiFiDirectSetting(TComponent* owner = nullptr);

    // Controls.
    TWvImage* BtnWiFiDirectCancel = nullptr;
    TWvImage* BtnWiFiDirectBack = nullptr;
    TWvImage* BtnWiFiDirectNext = nullptr;
    TWvImage* SysBtnClose = nullptr;
    TFrameWiFiDirectSettingDeviceName* FrameWiFiDirectSettingDeviceName = nullptr;
    TFrameWiFiDirectSettingWPS* FrameWiFiDirectSettingWPS = nullptr;
    TFrameWiFiDirectSettingAdvanced* FrameWiFiDirectSettingAdvanced = nullptr;
    TFrameWiFiDirectSettingAutonomousGO* FrameWiFiDirectSettingAutonomousGO = nullptr;
    TTimer* TimerPopupSettingTimeOut = nullptr;

    std::string m_strDeviceName;     // the own device name chosen on the device-name page
    uint32_t m_enumActionTpye = 0;   // ACTION_...
    uint32_t m_ulWiFiDirectDefPin = 0;  // the PIN this device last displayed; kept across runs
    WIFIDIRECT_WPSE_PROFILE m_data_WIFIDIRECT_WPSE_Profile{};
    std::string m_strSSID;
    uint32_t m_lDefPin = 0;          // the PIN offered for this run
    std::string m_strProfileName;

    void FormCreate(TObject* Sender) override;
    void FormShow(TObject* Sender);
    void BtnWiFiDirectNextClick(TObject* Sender);
    void BtnWiFiDirectBackClick(TObject* Sender);
    void BtnWiFiDirectCancelClick(TObject* Sender);
    void SysBtnCloseClick(TObject* Sender);
    void TimerPopupSettingTimeOutTimer(TObject* Sender);

    // Sends the record as a connection request and updates the Wi-Fi Direct window.
    void SetWifiDirectWpseConfig();
    // Fills a channel list from the adapter's channels and selects channel (1 when it is
    // offered, else -1 with a random or the first item selected).
    int CheckCountryRegion(const std::string& channel, TComboBox* list, bool randomPick, bool listening);
    // The stored group-owner SSID when it may be kept, else a new "DIRECT-xy" one.
    std::string GetOrGenerateSSID();

private:
    int m_nOpMode = 0;

    bool Validate(TFrameBase* page);
    // Moves from the current page to the advanced page; false when the current page refuses.
    bool MoveToAdvanced();
    // The advanced page hidden and validated without being shown.
    bool ValidateAdvancedHidden();
    bool PassAutonomousGO();
    void NextEnable();
    void NextConnect();
    void NextAutonomousGO();
    void NextWps();
    void NextProfileDetail();
    void NextSetGoKey();
    void NextConfirmEnterPin();
    void SaveProfile();
    void Finish();

    void ShowConnect();
    void ShowAutonomousGO();
    void ShowDisplayPin();
    void ShowWps();
    void ShowProfileDetail();
    void ShowSetGoKey();
    void ShowFirstPage(TFrameBase* page);
    // A fresh PIN: eight digits when the settings allow them, else four.
    uint32_t FreshPin() const;
    std::string StationChannelText();
    std::string DefaultKey();
};

extern TFormWiFiDirectSetting* FormWiFiDirectSetting;
