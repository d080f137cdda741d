#pragma once
// The TDLS wait dialog: shown modally while a TDLS link to a chosen device comes up.
#include <string>

#include "core/FormBase.h"
#include "resources/WvImage.h"
#include "ui/ExtCtrls.h"
#include "wlapi/records.h"

class TFormWDPTDLSProgressMsg : public TFormBase {
public:
    explicit TFormWDPTDLSProgressMsg(TComponent* owner);

    TImage* ImgSandGlass = nullptr;
    TWvImage* BtnProgCancel = nullptr;
    TTimer* TimerProgress = nullptr;

    int m_bTDLSConnectFail = 1;
    WDP_TABLE m_WDPTable{};
    std::string m_strTargetMac;
    std::string m_strTDLSIP;
    int m_nFrame = 0;
    int m_nTicks = 0;
    TImage* m_Frames[10] = {};

    void SetTargetMac(const std::string& mac) { m_strTargetMac = mac; }
    void StartProgress();
    void BtnWDPTDLSProgCancelClick(TObject* Sender);
    void TimerProgressTimer(TObject* Sender);
    void GetWDPTable();
    // The TDLS address of the device with this MAC in the dialog's copy of the table, or "".
    std::string FindTDLSIPByDeviceMacInWDPTableProgress(const std::string& mac) const;
};

extern TFormWDPTDLSProgressMsg* FormWDPTDLSProgressMsg;
