#pragma once
// The Wi-Fi Direct connection wizard, as far as the shared dialogs need it: the record of the
// connection being made (its DesiredMacAddr[0] names the peer while the progress dialog shows).

#include "wifidirect/WiFiDirectRecords.h"

class TFormWiFiDirectSetting {
public:
    WIFIDIRECT_WPSE_PROFILE m_data_WIFIDIRECT_WPSE_Profile{};
};

extern TFormWiFiDirectSetting* FormWiFiDirectSetting;
