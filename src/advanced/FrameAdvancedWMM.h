#pragma once
// WMM page of the advanced window (tab id 4): WMM, its power save and power save per access
// category; every change goes to the adapter at once and reconnects an encrypted link.
#include "core/FormBase.h"
#include "ui/ExtCtrls.h"
#include "ui/StdCtrls.h"

class TFrameAdvancedWMM : public TFrameBase {
public:
    explicit TFrameAdvancedWMM(TComponent* owner);

    TCheckBox* chBoxWMM = nullptr;
    TPanel* panelWMMEnable = nullptr;
    TCheckBox* chBoxPowerSaveEnable = nullptr;
    TPanel* panelPowerSaveEnable = nullptr;
    TCheckBox* chBoxAC_BK = nullptr;
    TCheckBox* chBoxAC_BE = nullptr;
    TCheckBox* chBoxAC_VI = nullptr;
    TCheckBox* chBoxAC_VO = nullptr;
    TButton* BtnApply = nullptr;

    void OnEnterPage() override;
    void chBoxWMMClick(TObject* Sender);
    void chBoxPowerSaveEnableClick(TObject* Sender);
    void OnCheckAc(TObject* Sender);
    void ApplyApsdSetting();
    // Reconnects the current link when it uses one of the key-based ciphers.
    void Reconnect();

private:
    void EnableCategories(bool enabled);
};
