#pragma once
// The Wi-Fi Display device-detail window: one entry of the driver's device table in words.
#include "core/FormBase.h"
#include "resources/WvImage.h"
#include "ui/StdCtrls.h"
#include "wlapi/records.h"

class TFormWFADispDevDetailInfo : public TFormBase {
public:
    explicit TFormWFADispDevDetailInfo(TComponent* owner);

    TWvImage* SysBtnClose = nullptr;
    TGroupBox* GroupBox1 = nullptr;
    TLabel* lblSrcCoupSink = nullptr;
    TLabel* lblSinkCoupSink = nullptr;
    TLabel* lblSessionAvail = nullptr;
    TLabel* lblServiceDiscovery = nullptr;
    TLabel* lblPreferP2P = nullptr;
    TLabel* lblHDCP = nullptr;
    TLabel* lbl8021AS = nullptr;
    TLabel* lblMaxThroughput = nullptr;
    TLabel* lblCoupStatus = nullptr;
    TLabel* lblCoupSinkMacAddr = nullptr;
    TLabel* lblSessionCtrlPort = nullptr;
    TLabel* lbTDLSIP = nullptr;
    TLabel* lbTDLSMAC = nullptr;
    TLabel* lbUIBC = nullptr;
    TLabel* lbI2C = nullptr;
    TLabel* lbPreferDisplayMode = nullptr;
    TLabel* lbStandby = nullptr;

    void SysBtnCloseClick(TObject* Sender);
    void UpdateDetailInfoForm(WDP_ENTRY entry);
    void ClearLabels();
};

extern TFormWFADispDevDetailInfo* FormWFADispDevDetailInfo;
