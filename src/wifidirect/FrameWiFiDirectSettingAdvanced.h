#pragma once
// Advanced page of the Wi-Fi Direct setting wizard: group SSID, group-owner intent and
// listening channel.
#include <string>

#include "core/FormBase.h"
#include "ui/StdCtrls.h"

class TFrameWiFiDirectSettingAdvanced : public TFrameBase {
public:
    explicit TFrameWiFiDirectSettingAdvanced(TComponent* owner);

    // Controls.
    TLabel* lblSSIDText = nullptr;
    TEdit* editSSID = nullptr;
    TLabel* lblIntentIndexText = nullptr;
    TEdit* editIntentIndex = nullptr;
    TLabel* lblListeningChannelText = nullptr;
    TComboBox* cboxListeningChannel = nullptr;

    int m_nIntentIndex = 0;  // 0..15, or 16 for the autonomous group owner
    std::string m_strListeningChannel;
    std::string m_strSSID;

    void OnEnterPage() override;
    bool OnLeavePage() override;
};
