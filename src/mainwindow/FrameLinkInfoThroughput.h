#pragma once
// Link-quality and throughput page of the link-information window: the link-quality bar, a
// signal bar per receive chain, and the rates and throughput of each direction.
#include "core/FormBase.h"
#include "ui/ExtCtrls.h"
#include "ui/StdCtrls.h"

class TFrameLinkInfoThroughput : public TFrameBase {
public:
    explicit TFrameLinkInfoThroughput(TComponent* owner);

    TLabel* lblLinkQualityTxt = nullptr;
    TImage* ImgLinkQualityBG = nullptr;
    TImage* ImgLinkQuality = nullptr;
    TLabel* lblLinkQuality = nullptr;
    TLabel* lblSignalStrength1Txt = nullptr;
    TLabel* lblSignalStrength2Txt = nullptr;
    TLabel* lblSignalStrength3Txt = nullptr;
    TImage* ImgSignalStrength1BG = nullptr;
    TImage* ImgSignalStrength2BG = nullptr;
    TImage* ImgSignalStrength3BG = nullptr;
    TImage* ImgSignalStrength1 = nullptr;
    TImage* ImgSignalStrength2 = nullptr;
    TImage* ImgSignalStrength3 = nullptr;
    TLabel* lblSignalStrength1 = nullptr;
    TLabel* lblSignalStrength2 = nullptr;
    TLabel* lblSignalStrength3 = nullptr;
    TGroupBox* gbxTransmit = nullptr;
    TLabel* lblTxLinkSpeedTxt = nullptr;
    TLabel* lblTxLinkSpeed = nullptr;
    TLabel* lblTxThroughputTxt = nullptr;
    TLabel* lblTxThroughput = nullptr;
    TGroupBox* gbxReceive = nullptr;
    TLabel* lblRxLinkSpeedTxt = nullptr;
    TLabel* lblRxLinkSpeed = nullptr;
    TLabel* lblRxThroughputTxt = nullptr;
    TLabel* lblRxThroughput = nullptr;

    // The four controls of signal row n (1 to 3): caption, background, bar, value.
    void SignalRow(int n, TLabel*& caption, TImage*& background, TImage*& bar, TLabel*& value) const;
    void ShowSignalRow(int n, bool visible);
};
