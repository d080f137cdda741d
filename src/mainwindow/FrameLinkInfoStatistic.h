#pragma once
// Statistics page of the link-information window: the transmit and receive frame counters
// and their reset.
#include "core/FormBase.h"
#include "resources/WvImage.h"
#include "ui/ExtCtrls.h"
#include "ui/StdCtrls.h"

class TFrameLinkInfoStatistic : public TFrameBase {
public:
    explicit TFrameLinkInfoStatistic(TComponent* owner);

    TRadioButton* rBtnTransmit = nullptr;
    TRadioButton* rBtnReceive = nullptr;
    TPanel* panelTransmit = nullptr;
    TLabel* lblTxOKTxt = nullptr;
    TLabel* lblTxOK = nullptr;
    TLabel* lblTxRetryOKTxt = nullptr;
    TLabel* lblTxRetryOK = nullptr;
    TLabel* lblTxAllRetryOKTxt = nullptr;
    TLabel* lblTxAllRetryOK = nullptr;
    TPanel* panelReceive = nullptr;
    TLabel* lblRxOKTxt = nullptr;
    TLabel* lblRxOK = nullptr;
    TLabel* lblRxCRCTxt = nullptr;
    TLabel* lblRxCRC = nullptr;
    TLabel* lblRxDropTxt = nullptr;
    TLabel* lblRxDrop = nullptr;
    TLabel* lblRxDuplicateTxt = nullptr;
    TLabel* lblRxDuplicate = nullptr;
    TWvImage* btnResetCounter = nullptr;

    void OnEnterPage() override;
    bool OnLeavePage() override;
    void btnResetCounterClick(TObject* Sender);
    void rBtnTransmitClick(TObject* Sender);
    void rBtnReceiveClick(TObject* Sender);

private:
    void ShowPanel(bool transmit);
};
