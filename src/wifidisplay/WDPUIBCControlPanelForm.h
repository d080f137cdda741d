#pragma once
// The remote-input control panel: a plain window whose pointer and key input goes to the
// source as user input.
#include "ui/Forms.h"

class TWDPUIBCControlPanelForm : public TForm {
public:
    explicit TWDPUIBCControlPanelForm(TComponent* owner);

    int m_iZoomMode = 2;  // a left click: 0 zooms in, 1 zooms out, 2 is a button press
    HWND m_hPostHandle = nullptr;
    int m_bGeneric = 1;   // 1 generic input, 0 HIDC input
    int m_iLastXLocation = 0;
    int m_iLastYLocation = 0;
};

extern TWDPUIBCControlPanelForm* WDPUIBCControlPanelForm;
