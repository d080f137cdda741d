// The Wi-Fi Display window's part in remote input: it opens the control panel, sets its zoom
// mode and turns the panel's messages into the sink's packets.
#include <algorithm>

#include "core/Log.h"
#include "wifidisplay/FormWiFiDisplay.h"
#include "wifidisplay/UibcPacket.h"
#include "wifidisplay/WDPUIBCControlPanelForm.h"

namespace {

// A panel coordinate in the incoming picture, truncated toward zero (panelSize above 0).
int Scale(int value, int panelSize, int pictureSize)
{
    return int(double(value) / panelSize * pictureSize);
}

} // namespace

void TFormWiFiDisplay::OnBtnOpenControlPanel(TObject* Sender)
{
    TWDPUIBCControlPanelForm* panel = WDPUIBCControlPanelForm;
    if (!panel)
        return;
    int width = 0;
    int height = 0;
    m_Sink.GetSourceResolution(width, height);
    // An unknown picture size keeps the panel's own size rather than a window of nothing.
    if (width / 4 > 0 && height / 4 > 0)
        panel->SetClientSize(width / 4, height / 4);
    panel->m_bGeneric = m_Sink.m_bGeneric;
    panel->m_hPostHandle = Handle();
    panel->Show();
}

void TFormWiFiDisplay::OnZoomInClick(TObject* Sender)
{
    if (WDPUIBCControlPanelForm)
        WDPUIBCControlPanelForm->m_iZoomMode = 0;
}

void TFormWiFiDisplay::OnZoomOutClick(TObject* Sender)
{
    if (WDPUIBCControlPanelForm)
        WDPUIBCControlPanelForm->m_iZoomMode = 1;
}

void TFormWiFiDisplay::OnCancelZoomModeClick(TObject* Sender)
{
    if (WDPUIBCControlPanelForm)
        WDPUIBCControlPanelForm->m_iZoomMode = 2;
}

void TFormWiFiDisplay::CloseControlPanel()
{
    if (WDPUIBCControlPanelForm && WDPUIBCControlPanelForm->Visible())
        WDPUIBCControlPanelForm->Close();
}

bool TFormWiFiDisplay::HandleUIBCMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    const int a = int(wParam);
    const int b = int(lParam);
    int type = -1;
    switch (message) {
    case MSG_UIBC_GEN_MOUSE_MOVE:
        type = UIBC_MOVE;
        break;
    case MSG_UIBC_GEN_MOUSE_DOWN:
        type = UIBC_LEFT_DOWN;
        break;
    case MSG_UIBC_GEN_MOUSE_UP:
        type = UIBC_LEFT_UP;
        break;
    case MSG_UIBC_GEN_KEY_DOWN:
        m_Sink.SendMouseMoveUIBC(UIBC_KEY_DOWN, 0, 0, a, b);
        return true;
    case MSG_UIBC_GEN_KEY_UP:
        m_Sink.SendMouseMoveUIBC(UIBC_KEY_UP, 0, 0, a, b);
        return true;
    case MSG_UIBC_GEN_ZOOM_IN:
        ++m_iZoomLevel;
        m_Sink.SendMouseMoveUIBC(UIBC_ZOOM, a, b, m_iZoomLevel, 0);
        return true;
    case MSG_UIBC_GEN_ZOOM_OUT:
        m_iZoomLevel = std::max(0, m_iZoomLevel - 1);
        m_Sink.SendMouseMoveUIBC(UIBC_ZOOM, 0, 0, m_iZoomLevel, 0);
        return true;
    case MSG_UIBC_HID_MOUSE_MOVE:
        m_Sink.SendMouseMoveUIBC(UIBC_HID_MOUSE, a, b, 0, 0);
        return true;
    case MSG_UIBC_HID_LEFT_BUTTON:
        m_Sink.SendMouseMoveUIBC(UIBC_HID_MOUSE, a, b, 128, 0);
        return true;
    case MSG_UIBC_HID_RIGHT_BUTTON:
        m_Sink.SendMouseMoveUIBC(UIBC_HID_MOUSE, a, b, 32, 0);
        return true;
    case MSG_UIBC_HID_KEY:
        m_Sink.SendMouseMoveUIBC(UIBC_HID_KEY, a, b, 0, 0);
        return true;
    default:
        return false;
    }
    int width = 0;
    int height = 0;
    m_Sink.GetSourceResolution(width, height);
    const int panelWidth = WDPUIBCControlPanelForm ? WDPUIBCControlPanelForm->ClientWidth() : 0;
    const int panelHeight = WDPUIBCControlPanelForm ? WDPUIBCControlPanelForm->ClientHeight() : 0;
    // Without a picture or panel size there is no point to scale to: nothing is sent.
    if (panelWidth <= 0 || panelHeight <= 0 || width <= 0 || height <= 0) {
        PrintMessage(3, "[WDP][UIBC] pointer event %u dropped: panel %dx%d picture %dx%d\n", message, panelWidth,
                     panelHeight, width, height);
        return true;
    }
    m_Sink.SendMouseMoveUIBC(type, Scale(a, panelWidth, width), Scale(b, panelHeight, height), 0, 0);
    return true;
}
