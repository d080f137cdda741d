#pragma once
// Wireless page of the advanced window: for now its 802.11n box and the connect request that
// waits for a scan.
#include "core/FormBase.h"
#include "mainwindow/ActionQueue.h"
#include "ui/StdCtrls.h"

class TFrameAdvancedWireless : public TFrameBase {
public:
    explicit TFrameAdvancedWireless(TComponent* owner);
    TCheckBox* chBox11NMode = nullptr;
    // The connect request that waits for the scan after a change of country region.
    ACTION_DATA m_PendingConnectAction{};
};
