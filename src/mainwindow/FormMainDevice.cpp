// Adapter arrival and removal, suspend and resume.
#include <windows.h>
#include <dbt.h>

#include <cstring>

#include "dialogs/Dialogs.h"
#include "core/Log.h"
#include "core/WvwlLib.h"
#include "hotspot/FormHotSpot.h"
#include "mainwindow/FormLinkInfo.h"
#include "mainwindow/FormMain.h"
#include "mainwindow/FormSiteSurvey.h"
#include "profiles/FormProfileEdit.h"
#include "wifidirect/FormWiFiDirect.h"
#include "wifidisplay/FormWiFiDisplay.h"

namespace {

bool SelectedAdapterNamed()
{
    return reinterpret_cast<const BYTE*>(&VOZEZIV.selectedAdapter)[0] != 0;
}

BOOL AdapterPresent()
{
    return VOZEZIV.WVWL_IsDeviceExist(&VOZEZIV.selectedAdapter) ? TRUE : FALSE;
}

BOOL ReadWiFiDirectFlag()
{
    int flag = 0;
    VOZEZIV.WVWL_ReadWifiDirectFlag(&flag);
    return flag ? TRUE : FALSE;
}

void CloseIfVisible(TForm* form)
{
    if (form && form->Visible())
        form->Close();
}

void CloseTopLevel(const char* title)
{
    if (HWND window = FindWindowA(nullptr, title))
        PostMessageA(window, WM_CLOSE, 0, 0);
}

void SetTimer(TTimer* timer, bool on)
{
    if (timer)
        timer->SetEnabled(on);
}

}  // namespace

void TFormMain::WndProc(TMessage& Message)
{
    const UINT msg = Message.Msg;
    const WPARAM wParam = Message.WParam;
    if (msg == WM_DEVICECHANGE) {
        PrintMessage(6, " wParam: WM_DEVICECHANGE 0x%X 0x%X\n", msg, unsigned(wParam));
        if (wParam == DBT_DEVICEARRIVAL) {
            PrintMessage(6, " wParam: WM_DEVICECHANGE : DBT_DEVICEARRIVAL\n");
            OnDeviceChange(nullptr);
        } else if (wParam == DBT_DEVICEREMOVECOMPLETE) {
            PrintMessage(6, " wParam: WM_DEVICECHANGE : DBT_DEVICEREMOVECOMPLETE\n");
            OnDeviceChange(nullptr);
        } else {
            PrintMessage(6, " wParam: WM_DEVICECHANGE : DBT_DEVICEOtherMsg 0x%X\n", unsigned(wParam));
        }
    } else if (msg == WM_POWERBROADCAST) {
        if (wParam == PBT_APMSUSPEND) {
            PrintMessage(6, " wParam: WM_POWERBROADCAST PBT_APMSUSPEND\n");
            SaveWiFiDirectFlagForWakeUp();
            if (VOZEZIV.WVWL_IsWpaCapable && VOZEZIV.WVWL_IsWpaCapable()) {
                if (FormWiFiDisplay)
                    FormWiFiDisplay->SetWDPConfigToDriver(0);
                if (FormWiFiDirect)
                    FormWiFiDirect->EnableOrDisableWiFiDirect(FALSE, FALSE, FALSE, TRUE);
                if (VOZEZIV.WVWL_QueryOPMode && VOZEZIV.WVWL_QueryOPMode() == OP_MODE_STA_WIFI_DIRECT)
                    VOZEZIV.WVWL_StopWifiDirectGO();
                CreateEventAndStartThread(1);
            }
        } else if (wParam == PBT_APMRESUMEAUTOMATIC) {
            PrintMessage(6, " wParam: WM_POWERBROADCAST PBT_APMRESUMEAUTOMATIC\n");
            SetTimer(WiFiDirectWakeUpControlTimer, true);
        } else {
            PrintMessage(6, " wParam: WM_POWERBROADCAST PBT_Others = 0x%x\n", unsigned(wParam));
        }
    }
    TFormBase::WndProc(Message);
}

// A second suspend before the wake-up finds the flag the first one cleared: the first one's
// reading is kept.
void TFormMain::SaveWiFiDirectFlagForWakeUp()
{
    if (m_bWiFiDirectFlagSaved) {
        PrintMessage(6, " PBT_APMSUSPEND: the Wi-Fi Direct flag is kept from the earlier suspend (%d)\n",
                     m_bSavedWiFiDirectFlag);
        return;
    }
    VOZEZIV.WVWL_ReadWifiDirectFlag(&m_bSavedWiFiDirectFlag);
    m_bWiFiDirectFlagSaved = true;
}

void TFormMain::TimerWiFiDirectWakeUpControlTimer(TObject*)
{
    PrintMessage(6, " TimerWiFiDirectWakeUpControlTimer()\n");
    SetTimer(WiFiDirectWakeUpControlTimer, false);
    // A wake-up with no suspend before it has nothing to give back: the stored flag is the user's.
    if (m_bWiFiDirectFlagSaved) {
        VOZEZIV.WVWL_WriteWifiDirectFlag(m_bSavedWiFiDirectFlag);
        m_bWiFiDirectFlagSaved = false;
    } else {
        PrintMessage(6, " TimerWiFiDirectWakeUpControlTimer: no suspend saved the Wi-Fi Direct flag, it stays\n");
    }
    if (VOZEZIV.nWinOS >= 41)
        CheckAndInitWiFiDirect();
}

void TFormMain::OnDeviceChange(TObject*)
{
    PrintMessage(6, " --> TFormMain::OnDeviceChange\n");
    if (m_bSelectingAdapter)
        return;
    if (!SelectedAdapterNamed())
        DetectAdapter();
    m_bDeviceExist = AdapterPresent();
    if (m_bDeviceExist) {
        if (!m_bPreStatusDeviceExist)
            ArrivalSteps();
    } else if (m_bPreStatusDeviceExist) {
        RemovalCleanup();
        DetectAdapter();
        m_bDeviceExist = AdapterPresent();
        if (m_bDeviceExist)
            ArrivalSteps();
        else
            RemovalSteps();
    }
    PrintMessage(6, " <-- TFormMain::OnDeviceChange\n");
}

void TFormMain::RemovalCleanup()
{
    if (m_pProfData)
        std::memset(m_pProfData, 0, sizeof(WLANPROFILE));
    VOZEZIV.bWiFiDirectSigmaTest = VOZEZIV.bWiFiDirectSigmaTestIni;
    if (ReadWiFiDirectFlag() || VOZEZIV.bWiFiDirectSigmaTest == 1) {
        if (VOZEZIV.WVWL_DisableDhcpServer)
            VOZEZIV.WVWL_DisableDhcpServer();
        if (VOZEZIV.WVWL_IsEnableICS && VOZEZIV.WVWL_IsEnableICS())
            VOZEZIV.WVWL_DisableICS();
    }
    if (FormWiFiDirect)
        FormWiFiDirect->m_bEnableAutonomousGO = 0;
    CloseIfVisible(FormWiFiDirectSetting);
    CloseIfVisible(FormWiFiDirectProfile);
    CloseIfVisible(FormWiFiDirectMediaSharing);
    if (FormProgressMsg && FormProgressMsg->Visible()) {
        FormProgressMsg->Close();
        FormProgressMsg->m_strPinText.clear();
    }
    if (FormWiFiDisplay && FormWiFiDisplay->Visible()) {
        if (FormWiFiDisplay->BtnWDPTeardown && FormWiFiDisplay->BtnWDPTeardown->Enabled()) {
            FormWiFiDisplay->BtnWDPTeardownClick(nullptr);
            FormWiFiDisplay->ResetWDPView();
        }
        FormWiFiDisplay->Close();
    }
    CloseIfVisible(FormProfileEdit);
    CloseIfVisible(FormMessageBox);
    CloseTopLevel("RIDORIDARAZ");
    CloseTopLevel("ZIZAVOREZAV");
    CloseTopLevel("HTML Help");
}

void TFormMain::ArrivalSteps()
{
    m_bPreStatusDeviceExist = TRUE;
    if (FormSiteSurvey)
        SetTimer(FormSiteSurvey->TimerReScanOn, true);
    ModifyTrayIcon(TRAY_TYPE_STATION, 1);

    if (FormWiFiDirect) {
        if (ReadWiFiDirectFlag()) {
            FormWiFiDirect->ShowWiFiDirectState(true);
            ModifyTrayIcon(TRAY_TYPE_WIFIDIRECT, 3);
        } else {
            FormWiFiDirect->ShowWiFiDirectState(false);
            ModifyTrayIcon(TRAY_TYPE_WIFIDIRECT, 1);
            FormWiFiDirect->StartWiFiDirectProgress(FALSE, 0);
            FormWiFiDirect->InitializeVariablesAndStatus(FALSE);
            if (FormWiFiDirectSetting && FormWiFiDirectSetting->Visible() && FormWiFiDirectSetting->m_enumActionTpye != 1)
                FormWiFiDirectSetting->Close();
            if (!FormWiFiDirect->m_bSubFormsDestroyed) {
                CloseIfVisible(FormWiFiDirectProfile);
                CloseIfVisible(FormWiFiDirectMediaSharing);
            }
        }
    }

    InitCard();
    if (VOZEZIV.nWinOS >= 41)
        CheckAndInitWiFiDirect();
    else
        InitWiFidirect(FALSE);

    SetTimer(TimerReconnect, true);
    SetTimer(TimerSignalQuality, true);
    // Its tick does nothing from Windows code 31 on.
    SetTimer(TimerCheckWPACap, VOZEZIV.nWinOS < 31);
    SetTimer(TimerRadioStatus, true);
    if (FormLinkInfo)
        SetTimer(FormLinkInfo->TimerLinkInfo, true);
    if (FormProfileEdit)
        SetTimer(FormProfileEdit->TimerWPSHWPBC, true);

    GetChannelMode();
    if (FormSiteSurvey) {
        SetTimer(FormSiteSurvey->TimerSiteSurvey, true);
        FormSiteSurvey->BtnSiteSurveyRescanClick(this);
    }
}

void TFormMain::RemovalSteps()
{
    if (FormHotSpot && FormHotSpot->FrameHotSpotMain && FormHotSpot->FrameHotSpotMain->m_bHS20Active)
        FormHotSpot->FrameHotSpotMain->rBtnDisableHS20->SetChecked(true);
    m_bPreStatusDeviceExist = FALSE;
    PrintMessage(6, " ProcDetectDeviceRemoval() - WVWL_IsDeviceExist() return FALSE\n");
    SetTimer(TimerSignalQuality, false);
    SetTimer(TimerCheckWPACap, false);
    SetTimer(TimerRadioStatus, false);
    if (FormLinkInfo)
        SetTimer(FormLinkInfo->TimerLinkInfo, false);
    if (FormSiteSurvey)
        SetTimer(FormSiteSurvey->TimerSiteSurvey, false);
    if (FormProfileEdit)
        SetTimer(FormProfileEdit->TimerWPSHWPBC, false);
    SysBtnCloseClick(this);
    ModifyTrayIcon(TRAY_TYPE_STATION, 0);
    VOZEZIV.WVWL_StopAuth();
    if (VOZEZIV.WVWL_Release)
        VOZEZIV.WVWL_Release();
}
