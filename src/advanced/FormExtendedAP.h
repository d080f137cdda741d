#pragma once
// The access-point window ("Extended AP"): the configuration page and the station table,
// chosen by two picture tabs.
#include "advanced/FrameExtendedAPConfig.h"
#include "advanced/FrameExtendedAPMacTable.h"
#include "core/FormBase.h"
#include "resources/WvImage.h"
#include "ui/ExtCtrls.h"

class TFormExtendedAP : public TFormBase {
public:
    explicit TFormExtendedAP(TComponent* owner);

    TWvImage* SysBtnClose = nullptr;
    TWvImage* TabBtnConfig = nullptr;
    TWvImage* TabBtnMacTable = nullptr;
    TFrameExtendedAPConfig* FrameExtendedAPConfig = nullptr;
    TFrameExtendedAPMacTable* FrameExtendedAPMacTable = nullptr;
    // Both every 2000 ms, running while their page is the entered one (also while hidden).
    TTimer* TimerExtAPIPAddress = nullptr;
    TTimer* TimerExtAPMacTable = nullptr;

    void FormCreate(TObject* Sender) override;
    void FormShow(TObject* Sender);
    // Hides the window; the entered page and its timer stay.
    void SysBtnCloseClick(TObject* Sender);
    void TabBtnConfigClick(TObject* Sender);
    void TabBtnMacTableClick(TObject* Sender);
    void TimerExtAPIPAddressTimer(TObject* Sender);
    void TimerExtAPMacTableTimer(TObject* Sender);

    // The sharing worker's end re-enables Apply here, on the window thread.
    void Dispatch(TMessage& Message) override;
};

extern TFormExtendedAP* FormExtendedAP;
