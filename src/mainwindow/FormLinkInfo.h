#pragma once
// The link-information window (so far: the timer that keeps the main window's
// link labels current).
#include <string>

#include "ui/ExtCtrls.h"
#include "ui/Forms.h"
#include "wlapi/records.h"

class TFormLinkInfo : public TForm {
public:
    explicit TFormLinkInfo(TComponent* owner);

    TTimer* TimerLinkInfo = nullptr;
    std::string m_strIPAddress, m_strIPMask, m_strChannel;

    void SysBtnCloseClick(TObject* Sender);
    void TimerLinkInfoTimer(TObject* Sender);

private:
    void ShowLinkDown();
    void ShowLink(const WLAN_STATUS& status);
};

extern TFormLinkInfo* FormLinkInfo;
