#pragma once
// Wireless page of the link-information window: status, link event, security, network type,
// central channel and access point.
#include "core/FormBase.h"
#include "ui/StdCtrls.h"

class TFrameLinkInfoWireless : public TFrameBase {
public:
    explicit TFrameLinkInfoWireless(TComponent* owner);

    TLabel* lblStatusText = nullptr;
    TLabel* lblStatus = nullptr;
    TLabel* lblExtraInfoText = nullptr;
    TLabel* lblExtraInfo = nullptr;
    TLabel* lblAuthenText = nullptr;
    TLabel* lblAuthen = nullptr;
    TLabel* lblEncryptText = nullptr;
    TLabel* lblEncrypt = nullptr;
    TLabel* lblNetworkTypeText = nullptr;
    TLabel* lblNetworkType = nullptr;
    TLabel* lblCentralChannelText = nullptr;
    TLabel* lblCentralChannel = nullptr;
    TLabel* lblAPStatusText = nullptr;
    TLabel* lblStatus2 = nullptr;

    void OnEnterPage() override {}
    bool OnLeavePage() override { return true; }
};
