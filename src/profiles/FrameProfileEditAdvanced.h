#pragma once
// Transmit power, power save or preamble, RTS and fragmentation thresholds, diagnostic.
#include <windows.h>

#include "core/FormBase.h"
#include "ui/ExtCtrls.h"
#include "ui/StdCtrls.h"
#include "ui/TrackBar.h"

class TFrameProfileEditAdvanced : public TFrameBase {
public:
    explicit TFrameProfileEditAdvanced(TComponent* owner);
    TLabel* lblTxPower = nullptr;
    TComboBox* cboxTxPower = nullptr;
    TPanel* PanelPowerSave = nullptr;
    TLabel* lblPowerSave = nullptr;
    TRadioButton* rBtnCAM = nullptr;
    TRadioButton* rBtnPSM = nullptr;
    TPanel* PanelPreamble = nullptr;
    TLabel* lblPreamble = nullptr;
    TComboBox* cboxPreamble = nullptr;
    TCheckBox* chBoxRTS = nullptr;
    TTrackBar* tbRTS = nullptr;
    TLabel* lblRTSValue = nullptr;
    TCheckBox* chBoxFrag = nullptr;
    TTrackBar* tbFrag = nullptr;
    TLabel* lblFragValue = nullptr;
    TCheckBox* chBoxDiagnostic = nullptr;

    void OnEnterPage() override;
    bool OnLeavePage() override;
    void FillLists();
    void chBoxRTSClick(TObject* Sender);
    void chBoxFragClick(TObject* Sender);
    void tbRTSChange(TObject* Sender);
    void tbFragChange(TObject* Sender);
    void WndProc(TMessage& Message) override;
};
