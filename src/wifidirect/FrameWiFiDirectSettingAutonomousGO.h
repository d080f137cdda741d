#pragma once
// Autonomous group owner page of the Wi-Fi Direct setting wizard: the group's key and
// operating channel.
#include <string>

#include "core/FormBase.h"
#include "ui/StdCtrls.h"

class TFrameWiFiDirectSettingAutonomousGO : public TFrameBase {
public:
    explicit TFrameWiFiDirectSettingAutonomousGO(TComponent* owner);

    // Controls.
    TGroupBox* grpBoxAutoGO = nullptr;
    TLabel* lblSecurityText = nullptr;
    TLabel* lblSecurity = nullptr;
    TLabel* lblPreshedKeyText = nullptr;
    TEdit* editlPreshedKey = nullptr;
    TLabel* lblOperatingChannelText = nullptr;
    TComboBox* cboxOperatingChannel = nullptr;
    TLabel* lblProfileNameText = nullptr;  // always hidden
    TEdit* editProfileName = nullptr;      // always hidden

    std::string m_strKey;
    std::string m_strProfileName;
    std::string m_strOperatingChannel;
    int m_bPersistSupported = 0;

    void OnEnterPage() override;
    bool OnLeavePage() override;

    // A key of 8 to 63 characters, or 64 hexadecimal digits.
    static bool IsValidKey(const std::string& key);

private:
    void SetUp();
};
