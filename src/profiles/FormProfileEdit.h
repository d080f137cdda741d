#pragma once
// The profile editor (what the main window needs of it so far).
#include "resources/WvImage.h"
#include "ui/ExtCtrls.h"
#include "ui/Forms.h"

class TFrameProfileEditWPSConnect : public TFrame {
public:
    explicit TFrameProfileEditWPSConnect(TComponent* owner);
    TWvImage* BtnPBC = nullptr;
};

class TFormProfileEdit : public TForm {
public:
    explicit TFormProfileEdit(TComponent* owner);

    BOOL m_bExtRegDeviceFound = FALSE;
    BYTE m_WpsApMac[6] = {};
    BOOL m_bScanAfterEAPConfig = FALSE;
    int m_nScanCntAfterEAPConfig = 0;
    int m_nLastExtRegCode = 0;
    TTimer* TimerWPSHWPBC = nullptr;
    TFrame* FrameProfileEditWPS = nullptr;
    TFrameProfileEditWPSConnect* FrameProfileEditWPSConnect = nullptr;

    void SysBtnCloseClick(TObject* Sender);
    // External-registrar WPS progress from the adapter callback.
    void OnExtRegWpsMessage(BYTE code);
};

extern TFormProfileEdit* FormProfileEdit;
