#pragma once
// Test page of the advanced window (tab id 5): opens the 802.11w test dialog and the 802.11n
// settings window.
#include "core/FormBase.h"
#include "ui/StdCtrls.h"

class TFrameAdvancedTest : public TFrameBase {
public:
    explicit TFrameAdvancedTest(TComponent* owner);

    TButton* btn80211WTest = nullptr;
    TButton* btn80211nSetting = nullptr;

    // Shows the 802.11w test dialog modally unless it is already visible.
    void btn80211WTestClick(TObject* Sender);
    // Shows the 802.11n settings window without waiting.
    void btn80211nSettingClick(TObject* Sender);
};
