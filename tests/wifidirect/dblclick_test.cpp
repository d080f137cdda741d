// The Wi-Fi Direct icons answer a double click that arrives through the window as the system
// delivers it: press, release, double-click press, release.
#include <windows.h>

#include "core/WvwlLib.h"
#include "wifidirect/wifidirect_fixture.h"

namespace {

void DoubleClickThroughWindow(TControl* control)
{
    const HWND window = control->Parent()->Handle();
    const LPARAM at = MAKELPARAM(control->Left() + control->Width() / 2, control->Top() + control->Height() / 2);
    SendMessageA(window, WM_MOUSEMOVE, 0, at);
    SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageA(window, WM_LBUTTONUP, 0, at);
    SendMessageA(window, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
    SendMessageA(window, WM_LBUTTONUP, 0, at);
}

class WiFiDirectDoubleClick : public WiFiDirectFixture {};

TEST_F(WiFiDirectDoubleClick, TheWindowClassAsksForDoubleClicks)
{
    Start(31);
    EXPECT_NE(GetClassLongA(FormWiFiDirect->Handle(), GCL_STYLE) & CS_DBLCLKS, 0u);
}

TEST_F(WiFiDirectDoubleClick, DoubleClickOnTheOffIconTurnsItOn)
{
    Start(31);
    SetStoredFlag(false);
    m_onModal = [](const std::string&) { FormWiFiDirect->m_bOK = TRUE; };
    m_answer = 1;
    FormWiFiDirect->Show();
    ASSERT_TRUE(FormWiFiDirect->ImgWiFiDirectOff->Visible());

    DoubleClickThroughWindow(FormWiFiDirect->ImgWiFiDirectOff);

    EXPECT_EQ(m_modals.size(), 1u);
    EXPECT_TRUE(FormWiFiDirect->m_bEnableWiFiDirect);
    EXPECT_TRUE(FormWiFiDirect->ImgWiFiDirectOn->Visible());
}

TEST_F(WiFiDirectDoubleClick, DoubleClickOnTheOnIconAsksAndTurnsItOff)
{
    Start(41);
    SetStoredFlag(true);
    FormWiFiDirect->EnableOrDisableWiFiDirect(FALSE, TRUE, FALSE, FALSE);
    ASSERT_TRUE(FormWiFiDirect->m_bEnableWiFiDirect);
    FormWiFiDirect->Show();
    m_answer = 1;
    MarkCalls();

    DoubleClickThroughWindow(FormWiFiDirect->ImgWiFiDirectOn);

    EXPECT_FALSE(FormWiFiDirect->m_bEnableWiFiDirect);
    EXPECT_EQ(CallsSinceMark("WVWL_DisableWifiDirect"), 1);
}

} // namespace
