#pragma once
// The advanced settings window (what the main window needs of it so far).
#include "mainwindow/ActionQueue.h"
#include "resources/WvImage.h"
#include "ui/Forms.h"
#include "ui/StdCtrls.h"

class TFrameAdvancedWireless : public TFrame {
public:
    explicit TFrameAdvancedWireless(TComponent* owner);
    TCheckBox* chBox11NMode = nullptr;
    // The connect request that waits for the scan after a change of country region.
    ACTION_DATA m_PendingConnectAction{};
};

class TFormAdvanced : public TForm {
public:
    explicit TFormAdvanced(TComponent* owner);

    TWvImage* TabBtnWMM = nullptr;
    TWvImage* TabBtnCCX = nullptr;
    TFrameAdvancedWireless* FrameAdvancedWireless = nullptr;

    void SysBtnCloseClick(TObject* Sender);
    // The wireless page exists and its 802.11n box is checked.
    bool Is11nModeChecked() const;
};

extern TFormAdvanced* FormAdvanced;
