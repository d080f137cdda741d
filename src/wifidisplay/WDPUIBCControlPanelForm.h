#pragma once
// The remote-input control panel: a plain window whose pointer and key input goes to the
// source as user input, posted as messages to the Wi-Fi Display window.
#include "ui/Forms.h"

// Messages the panel posts (WM_USER plus an offset); wParam and lParam as named.
constexpr UINT MSG_UIBC_GEN_MOUSE_MOVE = WM_USER + 64;   // x, y
constexpr UINT MSG_UIBC_GEN_MOUSE_DOWN = WM_USER + 65;   // x, y
constexpr UINT MSG_UIBC_GEN_MOUSE_UP = WM_USER + 66;     // x, y
constexpr UINT MSG_UIBC_GEN_KEY_DOWN = WM_USER + 67;     // key code 1, key code 2
constexpr UINT MSG_UIBC_GEN_KEY_UP = WM_USER + 68;       // key code 1, key code 2
constexpr UINT MSG_UIBC_GEN_ZOOM_IN = WM_USER + 69;      // x, y
constexpr UINT MSG_UIBC_GEN_ZOOM_OUT = WM_USER + 70;     // x, y
constexpr UINT MSG_UIBC_HID_MOUSE_MOVE = WM_USER + 72;   // dx, dy
constexpr UINT MSG_UIBC_HID_LEFT_BUTTON = WM_USER + 73;  // 0, 0
constexpr UINT MSG_UIBC_HID_RIGHT_BUTTON = WM_USER + 80; // 0, 0
constexpr UINT MSG_UIBC_HID_KEY = WM_USER + 81;          // Shift flag, key

class TWDPUIBCControlPanelForm : public TForm {
public:
    explicit TWDPUIBCControlPanelForm(TComponent* owner);

    int m_iZoomMode = 2;  // a left click: 0 zooms in, 1 zooms out, 2 is a button press
    HWND m_hPostHandle = nullptr;
    int m_bGeneric = 1;   // 1 generic input, 0 HIDC input
    int m_iLastXLocation = 0;
    int m_iLastYLocation = 0;

    void OnMouseMove(TObject* Sender, TShiftState Shift, int X, int Y);
    void OnMouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
    void OnMouseUp(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
    void OnKeyDown(WORD Key, bool ShiftHeld);
    void OnKeyUp(WORD Key, bool ShiftHeld);
    void OnMouseEnter(TObject* Sender);

    void WndProc(TMessage& Message) override;

private:
    bool CanPost() const;
    void Post(UINT message, int wParam, int lParam) const;

    bool m_bPointerInside = false;
};

extern TWDPUIBCControlPanelForm* WDPUIBCControlPanelForm;
