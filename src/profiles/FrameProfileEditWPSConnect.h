#pragma once
// The WPS connect page: starts a run and shows its status line and progress.
#include <windows.h>

#include "core/FormBase.h"
#include "ui/ExtCtrls.h"
#include "ui/StdCtrls.h"

class TFrameProfileEditWPSConnect : public TFrameBase {
public:
    explicit TFrameProfileEditWPSConnect(TComponent* owner);
    // Three buttons in one place: the one in front is the one seen.
    TButton* BtnPBC = nullptr;
    TButton* BtnPIN = nullptr;
    TButton* BtnFinish = nullptr;
    TEdit* editWPSStatus = nullptr;
    TImage* ImgWPSStatusBG = nullptr;
    TImage* ImgWPSStatus = nullptr;
    TLabel* lblPersent = nullptr;
    BOOL m_bWPSFailed = FALSE;

    void OnEnterPage() override;
    void BtnPBCClick(TObject* Sender);
    void BtnPINClick(TObject* Sender);
    void BtnFinishClick(TObject* Sender);
};
