#pragma once
// The Wi-Fi Direct connection wizard, as far as the shared dialogs and the main window need
// it: the record of the connection being made (its DesiredMacAddr[0] names the peer while the
// progress dialog shows), the wizard's own device name and the persistent-group state.

#include <cstdint>
#include <string>

#include "ui/Forms.h"
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

class TFormWiFiDirectSetting : public TForm {
public:
    explicit TFormWiFiDirectSetting(TComponent* owner = nullptr);

    WIFIDIRECT_WPSE_PROFILE m_data_WIFIDIRECT_WPSE_Profile{};
    std::string m_strDeviceName;     // the wizard's own device-name text
    uint32_t m_enumActionTpye = 0;   // 1: ACTION_ENABLE
    // Persistent-group state the WPS page last read (WVWL_QueryP2PPersistState);
    // 0: Wi-Fi Direct profiles are not saved.
    uint32_t m_ulPersistState = 0;
    // PIN of the WPS page: the number, its text, and the method chosen.
    uint32_t m_ulPin = 0;
    std::string m_strTempPinCode;
    uint32_t m_ulWPSType = WIFI_DIRECT_WPSE_PBC_MODE;
    uint32_t m_ulWiFiDirectDefPin = 0;

    // Sends the record as a connection request and updates the Wi-Fi Direct window.
    void SetWifiDirectWpseConfig();
};

extern TFormWiFiDirectSetting* FormWiFiDirectSetting;
