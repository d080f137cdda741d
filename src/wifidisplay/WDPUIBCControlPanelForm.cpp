#include "wifidisplay/WDPUIBCControlPanelForm.h"

#include "core/Log.h"

TWDPUIBCControlPanelForm* WDPUIBCControlPanelForm = nullptr;

TWDPUIBCControlPanelForm::TWDPUIBCControlPanelForm(TComponent* owner) : TForm(owner)
{
    Name = "WDPUIBCControlPanelForm";
    SetCaption("UIBC Control Panel");
    SetClientSize(320, 240);
    SetPosition(poScreenCenter);
    TForm::OnMouseMove = [this](TObject* s, TShiftState shift, int x, int y) { OnMouseMove(s, shift, x, y); };
    TForm::OnMouseDown = [this](TObject* s, TMouseButton b, TShiftState shift, int x, int y) {
        OnMouseDown(s, b, shift, x, y);
    };
    TForm::OnMouseUp = [this](TObject* s, TMouseButton b, TShiftState shift, int x, int y) {
        OnMouseUp(s, b, shift, x, y);
    };
}

bool TWDPUIBCControlPanelForm::CanPost() const
{
    if (m_hPostHandle)
        return true;
    PrintMessage(2, "[UIBC][ControlPanel] m_hPostHandle=NULL\n");
    return false;
}

void TWDPUIBCControlPanelForm::Post(UINT message, int wParam, int lParam) const
{
    PostMessageA(m_hPostHandle, message, WPARAM(wParam), LPARAM(lParam));
}

void TWDPUIBCControlPanelForm::OnMouseMove(TObject* Sender, TShiftState Shift, int X, int Y)
{
    if (!CanPost())
        return;
    if (m_bGeneric)
        Post(MSG_UIBC_GEN_MOUSE_MOVE, X, Y);
    else
        Post(MSG_UIBC_HID_MOUSE_MOVE, X - m_iLastXLocation, Y - m_iLastYLocation);
    m_iLastXLocation = X;
    m_iLastYLocation = Y;
}

void TWDPUIBCControlPanelForm::OnMouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (!CanPost())
        return;
    if (m_bGeneric) {
        if (Button != mbLeft)
            return;
        if (m_iZoomMode == 0)
            Post(MSG_UIBC_GEN_ZOOM_IN, X, Y);
        else if (m_iZoomMode == 1)
            Post(MSG_UIBC_GEN_ZOOM_OUT, X, Y);
        else
            Post(MSG_UIBC_GEN_MOUSE_DOWN, X, Y);
        return;
    }
    if (Button == mbLeft)
        Post(MSG_UIBC_HID_LEFT_BUTTON, 0, 0);
    else if (Button == mbRight)
        Post(MSG_UIBC_HID_RIGHT_BUTTON, 0, 0);
}

void TWDPUIBCControlPanelForm::OnMouseUp(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (!CanPost() || Button == mbMiddle)
        return;
    // In HID mode the release is a mouse report with no button held and no movement.
    if (m_bGeneric)
        Post(MSG_UIBC_GEN_MOUSE_UP, X, Y);
    else
        Post(MSG_UIBC_HID_MOUSE_MOVE, 0, 0);
}

void TWDPUIBCControlPanelForm::OnKeyDown(WORD Key, bool ShiftHeld)
{
    if (!m_hPostHandle)
        return;
    if (m_bGeneric) {
        if (ShiftHeld)
            Post(MSG_UIBC_GEN_KEY_DOWN, VK_SHIFT, Key);
        else
            Post(MSG_UIBC_GEN_KEY_DOWN, Key, 0);
        return;
    }
    if (ShiftHeld)
        Post(MSG_UIBC_HID_KEY, 1, Key == VK_SHIFT ? 0 : Key);
    else
        Post(MSG_UIBC_HID_KEY, 0, Key);
}

void TWDPUIBCControlPanelForm::OnKeyUp(WORD Key, bool ShiftHeld)
{
    if (!m_hPostHandle)
        return;
    if (m_bGeneric)
        Post(MSG_UIBC_GEN_KEY_UP, Key, 0);
    else
        Post(MSG_UIBC_HID_KEY, ShiftHeld ? 1 : 0, 0);
}

void TWDPUIBCControlPanelForm::OnMouseEnter(TObject* Sender)
{
    m_iLastXLocation = 0;
    m_iLastYLocation = 0;
}

void TWDPUIBCControlPanelForm::WndProc(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_MOUSEMOVE:
        if (!m_bPointerInside) {
            m_bPointerInside = true;
            OnMouseEnter(this);
        }
        break;
    case WM_MOUSELEAVE:
        m_bPointerInside = false;
        break;
    case WM_GETDLGCODE:
        Message.Result = DLGC_WANTALLKEYS;
        return;
    case WM_KEYDOWN:
        OnKeyDown(WORD(Message.WParam), GetKeyState(VK_SHIFT) < 0);
        Message.Result = 0;
        return;
    case WM_KEYUP:
        OnKeyUp(WORD(Message.WParam), GetKeyState(VK_SHIFT) < 0);
        Message.Result = 0;
        return;
    }
    TForm::WndProc(Message);
}
