// The notification-area icon of the main window and its fixed menu.
#include <cstring>

#include "dialogs/Dialogs.h"
#include "core/Log.h"
#include "core/Settings.h"
#include "core/WvwlLib.h"
#include "hotspot/FormHotSpot.h"
#include "mainwindow/FormMain.h"
#include "resources/FormResource.h"
#include "ui/Seams.h"

namespace {

constexpr UINT kTrayId = 4;

constexpr int kHelpCloseTries = 15;
constexpr DWORD kHelpCloseWaitMs = 250;

void CloseHelpWindows(const std::string& title)
{
    for (int i = 0; i < kHelpCloseTries; ++i) {
        HWND window = FindWindowA(nullptr, title.c_str());
        if (!window)
            return;
        PrintMessage(6, " PostMessage to close help file, window title is \"%s\"\n", title.c_str());
        PostMessageA(window, WM_CLOSE, 0, 0);
        seams::Sleep(kHelpCloseWaitMs);
    }
}

void CopyTip(char (&dst)[128], const std::string& text)
{
    std::memset(dst, 0, sizeof dst);
    std::strncpy(dst, text.c_str(), sizeof dst - 1);
}

}  // namespace

HICON TFormMain::GetTrayIconHandle(DWORD nIcon)
{
    if (!FormResource)
        return nullptr;
    TFormResource* r = FormResource;
    TImage* image = r->ImgTrayIconLost;
    switch (nIcon) {
    case 0: image = r->ImgTrayIconNoExist; break;
    case 1: image = r->ImgTrayIconLost; break;
    case 2: image = r->ImgTrayIconWeak; break;
    case 3: image = r->ImgTrayIconNormal; break;
    case 4: image = r->ImgTrayIconGood; break;
    case 5: image = r->ImgTrayIconWepError; break;
    default: break;
    }
    return image ? image->Picture().Icon() : nullptr;
}

std::string TFormMain::GetTrayTipText(DWORD nIcon)
{
    if (!FormResource)
        return {};
    const CUISTR& s = *FormResource->UI_Str;
    const bool direct = m_nNowIconType == TRAY_TYPE_WIFIDIRECT;
    std::string text;
    switch (nIcon) {
    case 0: text = direct ? s.STR_TARNWELL_P2P_NOTEXIST : s.STR_TARNWELL_NOTEXIST; break;
    case 1:
        if (!direct)
            text = s.STR_TARNWELL_LOST;
        else if (ReadINIStr("WiFiDirect", "SupportWiFiDirect", "1", "ini") == "1")
            text = s.STR_TARNWELL_P2P_LOST;
        break;
    case 2: text = direct ? s.STR_TARNWELL_P2P_GOOD : s.STR_TARNWELL_WEAK; break;
    case 3: text = direct ? s.STR_TARNWELL_P2P_NORMAL : s.STR_TARNWELL_NORMAL; break;
    case 4: text = direct ? s.STR_TARNWELL_P2P_GOOD : s.STR_TARNWELL_GOOD; break;
    case 5: text = s.STR_TARNWELL_WEP_ERROR; break;
    default: break;
    }
    if (nIcon >= 2 && nIcon <= 4 && FormHotSpot && FormHotSpot->FrameHotSpotMain &&
        FormHotSpot->FrameHotSpotMain->m_bHS20Active) {
        std::string hs;
        if (FormHotSpot->FrameHotSpotMain->GetConnectedHS20Text(hs) == 1) {
            text = hs;
            PrintMessage(6, "IsConnectedHS20 : TRUE ");
            PrintMessage(6, FormHotSpot->FrameHotSpotMain->DelConnectedParameters() ? "ClearConnectedInfo : TRUE "
                                                                                     : "ClearConnectedInfo : FALSE ");
        } else {
            PrintMessage(6, "IsConnectedHS20 : FALSE ");
        }
    }
    return text;
}

BOOL TFormMain::SetTrayIcon()
{
    PrintMessage(6, " TFormMain::SetTrayIcon\n");
    DWORD state = m_bDeviceExist ? 1 : 0;
    m_nNowIconType = VOZEZIV.bWiFiDirectStandAlone ? TRAY_TYPE_WIFIDIRECT : TRAY_TYPE_STATION;
    m_nNowIcon = state;
    std::string tip;
    if (FormResource) {
        const CUISTR& s = *FormResource->UI_Str;
        if (m_nNowIconType == TRAY_TYPE_WIFIDIRECT)
            tip = state ? s.STR_TARNWELL_P2P_LOST : s.STR_TARNWELL_P2P_NOTEXIST;
        else
            tip = state ? s.STR_TARNWELL_LOST : s.STR_TARNWELL_NOTEXIST;
    }
    m_TrayIconData = NOTIFYICONDATAA{};
    m_TrayIconData.cbSize = 508;
    m_TrayIconData.hWnd = Handle();
    m_TrayIconData.uID = kTrayId;
    m_TrayIconData.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    m_TrayIconData.uCallbackMessage = MSG_TRAY_ICON;
    m_TrayIconData.hIcon = GetTrayIconHandle(state);
    CopyTip(m_TrayIconData.szTip, tip);
    return Shell_NotifyIconA(NIM_ADD, &m_TrayIconData);
}

BOOL TFormMain::ModifyTrayIcon(int nType, DWORD nIcon)
{
    // The icon record belongs to the window thread; other threads hand the change over.
    if (GetWindowThreadProcessId(Handle(), nullptr) != GetCurrentThreadId()) {
        PostMessageA(Handle(), MSG_TRAY_MODIFY_ICON, WPARAM(nType), LPARAM(nIcon));
        return 1;
    }
    PrintMessage(6, " ModifyTrayIcon\n");
    PrintMessage(6, " ModifyTrayIcon nType = %d ,nIcon = %d, m_nNowIconType = %d, m_nNowIcon = %d \n", nType,
                 int(nIcon), m_nNowIconType, int(m_nNowIcon));
    if (nType != m_nNowIconType && nType == TRAY_TYPE_WIFIDIRECT && m_nNowIcon > 1)
        return 0;
    if (nType != m_nNowIconType && nType == TRAY_TYPE_STATION && nIcon == 1 && m_nNowIcon > 1)
        return 0;
    if (nType == m_nNowIconType && nIcon == m_nNowIcon)
        return 1;
    PrintMessage(6, " ModifyTrayIcon change m_nNowIcon = %d , nIcon = %d \n", int(m_nNowIcon), int(nIcon));
    m_nNowIconType = nType;
    m_nNowIcon = nIcon;
    std::string tip = GetTrayTipText(nIcon);
    m_TrayIconData.cbSize = 508;
    m_TrayIconData.hWnd = Handle();
    m_TrayIconData.uID = kTrayId;
    m_TrayIconData.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    m_TrayIconData.uCallbackMessage = MSG_TRAY_ICON;
    m_TrayIconData.hIcon = GetTrayIconHandle(nIcon);
    CopyTip(m_TrayIconData.szTip, tip);
    BOOL result = Shell_NotifyIconA(NIM_MODIFY, &m_TrayIconData);
    PrintMessage(6, " Shell_NotifyIcon returns %d\n", int(result));
    if (result)
        return result;
    DeleteTrayIcon();
    result = SetTrayIcon();
    PrintMessage(6, " SetTrayIcon returns %d\n", int(result));
    return result;
}

BOOL TFormMain::PopUpMsgTrayIcon(NOTIFYICONDATAA& balloon)
{
    if (m_nNowIcon == 0)
        return 0;
    balloon.cbSize = m_TrayIconData.cbSize;
    balloon.hWnd = m_TrayIconData.hWnd;
    balloon.uID = m_TrayIconData.uID;
    balloon.uCallbackMessage = m_TrayIconData.uCallbackMessage;
    balloon.hIcon = m_TrayIconData.hIcon;
    balloon.uFlags = m_TrayIconData.uFlags | NIF_INFO;
    balloon.dwInfoFlags = NIIF_INFO;
    std::memcpy(balloon.szTip, m_TrayIconData.szTip, sizeof balloon.szTip);
    balloon.szTip[sizeof balloon.szTip - 1] = 0;
    BOOL result = Shell_NotifyIconA(NIM_MODIFY, &balloon);
    PrintMessage(6, "PopUpMsgTrayIcon : Shell_NotifyIcon(NIM_MODIFY) = %d; GetLastError = 0x%x\n", int(result),
                 unsigned(GetLastError()));
    if (result)
        return result;
    BOOL deleted = Shell_NotifyIconA(NIM_DELETE, &m_TrayIconData);
    PrintMessage(6, "PopUpMsgTrayIcon : Shell_NotifyIcon(NIM_DELETE) = %d; GetLastError = 0x%x\n", int(deleted),
                 unsigned(GetLastError()));
    result = Shell_NotifyIconA(NIM_ADD, &m_TrayIconData);
    PrintMessage(6, "PopUpMsgTrayIcon : Shell_NotifyIcon(NIM_ADD) = %d; GetLastError = 0x%x\n", int(result),
                 unsigned(GetLastError()));
    return result;
}

BOOL TFormMain::DeleteTrayIcon()
{
    if (!m_TrayIconData.hWnd)
        return 0;
    return Shell_NotifyIconA(NIM_DELETE, &m_TrayIconData);
}

void TFormMain::OnTrayIconMessage(LPARAM lParam)
{
    if (lParam == WM_LBUTTONDBLCLK) {
        PrintMessage(6, "%s WM_LBUTTONDBLCLK\n", Name.c_str());
        OnTrayLaunch(nullptr);
    } else if (lParam == WM_RBUTTONUP) {
        ShowPopMenu();
        PostMessageA(Handle(), WM_NULL, 0, 0);
    }
}

void TFormMain::OnAppMinimize(TObject*)
{
    if (m_bMinimizeToTray)
        PrintMessage(6, "%s::OnAppMinimize %p\n", Name.c_str(), static_cast<void*>(this));
}

void TFormMain::OnAppRestore(TObject*)
{
    if (m_bMinimizeToTray && Application) {
        ShowWindow(Application->Handle(), SW_SHOW);
        if (VOZEZIV.bWiFiDirectStandAlone) {
            Application->ShowMainForm = false;
            Hide();
            BtnWiFiDirectClick(nullptr);
        } else {
            Application->ShowMainForm = true;
            Show();
        }
    }
    SetForegroundWindow(Handle());
    if (Application)
        SetForegroundWindow(Application->Handle());
    if (FormProgressMsg && FormProgressMsg->Visible())
        FormProgressMsg->BringToFront();
    PrintMessage(6, "%s::OnAppRestore %p\n", Name.c_str(), static_cast<void*>(this));
}

void TFormMain::OnTrayLaunch(TObject* Sender)
{
    if (!VOZEZIV.WVWL_IsDeviceExist(&VOZEZIV.selectedAdapter))
        return;
    if (Application)
        Application->Restore();
    OnAppRestore(Sender);
}

void TFormMain::OnTrayExit(TObject* Sender)
{
    PrintMessage(6, " --> TFormMain::OnTrayExit\n");
    if (FormHotSpot && FormHotSpot->FrameHotSpotMain && FormHotSpot->FrameHotSpotMain->m_bHS20Active)
        FormHotSpot->FrameHotSpotMain->rBtnDisableHS20Click(Sender);
    std::string title = ReadINIStr("Settings", "HelpFile", "Tarnwell WLAN Utility Help", "ini");
    if (!title.empty()) {
        CloseHelpWindows(title);
        CloseHelpWindows("HTML Help");
    }
    DeleteTrayIcon();
    StopTimers();
    if (Application)
        Application->Terminate();
    PrintMessage(6, " <-- TFormMain::OnTrayExit\n");
}

void TFormMain::OnTrayModifyMessage(WPARAM wParam, LPARAM lParam)
{
    ModifyTrayIcon(int(wParam), DWORD(lParam));
}

void TFormMain::OnTrayAbout(TObject* Sender)
{
    if (VOZEZIV.WVWL_IsDeviceExist(&VOZEZIV.selectedAdapter))
        BtnAboutClick(Sender);
}

void TFormMain::OnTrayHelp(TObject* Sender)
{
    if (VOZEZIV.WVWL_IsDeviceExist(&VOZEZIV.selectedAdapter))
        SysBtnHelpClick(Sender);
}
