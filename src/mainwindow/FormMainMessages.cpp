// The main window's message map, its radio switch and the timers that the
// adapter start-up and the action queue rely on.
#include <process.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

#include "dialogs/Dialogs.h"
#include "core/Helpers.h"
#include "core/Log.h"
#include "core/Settings.h"
#include "core/WvwlLib.h"
#include "hotspot/FormHotSpot.h"
#include "mainwindow/FormMain.h"
#include "mainwindow/FormSiteSurvey.h"
#include "profiles/FormProfile.h"
#include "profiles/FormProfileEdit.h"
#include "resources/FormResource.h"
#include "wifidirect/FormWiFiDirect.h"
#include "wifidisplay/FormWiFiDisplay.h"
#include "advanced/FormExtendedAP.h"
#include "advanced/FormAdvanced.h"

namespace {

void Stop(TTimer* timer)
{
    if (timer)
        timer->SetEnabled(false);
}

void Start(TTimer* timer, unsigned interval)
{
    if (!timer)
        return;
    timer->SetInterval(interval);
    timer->SetEnabled(true);
}

void LogPowerBroadcast(WPARAM event)
{
    PrintMessage(6, ">>WM_POWERBROADCAST<<\n");
    if (event == PBT_APMRESUMESUSPEND)
        PrintMessage(6, ">>PBT_APMRESUMESUSPEND<<\n");
    else if (event == PBT_APMRESUMEAUTOMATIC)
        PrintMessage(6, ">>PBT_APMRESUMEAUTOMATIC<<\n");
    else
        PrintMessage(6, "WParam = 0x%x\n", unsigned(event));
}

}  // namespace

void TFormMain::Dispatch(TMessage& Message)
{
    PrintMessage(8, "((PMessage)Message)->Msg = 0x%x\n", Message.Msg);
    switch (Message.Msg) {
    case WM_POWERBROADCAST:
        LogPowerBroadcast(Message.WParam);
        return;
    case MSG_SCAN_FAIL:
        OnScanFail();
        return;
    case WM_USER + 2:
    case WM_USER + 3:
        return;
    case MSG_INTERFACE_ARRIVAL:
        OnInterfaceArrival();
        return;
    case MSG_ENABLE_MAIN_WINDOW:
        OnEnableMainWindow(Message.WParam);
        return;
    case MSG_SITE_SURVEY_CONNECT:
        OnSiteSurveyConnect();
        return;
    case MSG_CONNECT_COMPLETE:
        OnConnectComplete();
        return;
    case MSG_TRAY_EXIT:
        OnReceiveTrayExitMsg();
        return;
    case MSG_CLEAR_ENROLLEE_FLAG:
        if (FormProfileEdit)
            FormProfileEdit->m_bExtRegDeviceFound = 0;
        return;
    case MSG_UI_SHOW:
        PrintMessage(6, " >>MSG_UI_SHOW<<");
        OnTrayLaunch(nullptr);
        return;
    case MSG_CHANGE_PASSWORD_REQUEST:
        OnChangePasswordRequest();
        return;
    case MSG_AUTH_FAIL_RETRY:
        OnAuthFailRetry();
        return;
    case MSG_TRAY_ICON:
        OnTrayIconMessage(Message.LParam);
        return;
    case MSG_TRAY_MODIFY_ICON:
        OnTrayModifyMessage(Message.WParam, Message.LParam);
        return;
    case MSG_MEDIA_CONNECT:
        OnNdisStatusMediaConnectMessage();
        return;
    case MSG_CALLBACK_CCX_DIAG:
        if (FormProfile)
            FormProfile->SetOidFromReg(0);
        return;
    case MSG_CALLBACK_WPS_EAP:
        if (FormProfileEdit)
            FormProfileEdit->OnExtRegWpsMessage(BYTE(Message.WParam));
        return;
    default:
        TFormBase::Dispatch(Message);
    }
}

void TFormMain::OnScanFail()
{
    PrintMessage(6, " --> TFormMain::OnScanFail\n");
    PrintMessage(6, " Set m_bSurveyComplete and m_bRescan as FALSE\n");
    if (GetScanListForUSB11())
        return;
    PrintMessage(6, " GetScanListForUSB11() return FALSE\n");
    InterlockedExchange(&m_bSurveyComplete, 0);
    if (!FormSiteSurvey)
        return;
    FormSiteSurvey->OnScanFailed();
    const std::vector<BYTE>& list = FormSiteSurvey->pBssidList;
    if (list.size() >= sizeof(ULONG) && reinterpret_cast<const NDIS_802_11_BSSID_LIST_EX*>(list.data())->NumberOfItems == 0)
        FormSiteSurvey->ForceUpdateBssidList();
}

void TFormMain::OnInterfaceArrival()
{
    Start(TimerReconnect, 4000);
}

void TFormMain::OnEnableMainWindow(WPARAM wParam)
{
    if (wParam) {
        SetEnabled(true);
        Show();
    } else {
        SetEnabled(false);
    }
}

void TFormMain::OnSiteSurveyConnect()
{
    // The site survey queued this connect itself when the EAP configuration ended.
    if (FormSiteSurvey && FormSiteSurvey->TakeQueuedEapConnect())
        return;
    m_bReConnect = TRUE;
    if (FormProfile) {
        FormProfile->m_bActiveProfile = 0;
        FormProfile->m_bSiteSurveyConnect = 1;
    }
    VOZEZIV.WVWL_WriteRegValue("CurProfile", REG_SZ, "", 0);
    if (FormSiteSurvey)
        InsertAction(FormSiteSurvey->m_ConnectAction);
}

void TFormMain::OnConnectComplete()
{
    PrintMessage(6, " >>MSG_CONNECT_COMPLETE<<");
    int flag = 0;
    const int read = VOZEZIV.WVWL_ReadWifiDirectFlag(&flag);
    if ((read == 1 && flag) || VOZEZIV.bWiFiDirectSigmaTest) {
        const int role = FormWiFiDirect ? int(FormWiFiDirect->m_ulMyRule) : 0;
        if (role == 2)
            _beginthread(RenewIPAddrThread, 0, nullptr);
        else
            PrintMessage(6, " TFormMain::Don't RenewIPAddrThread <--- FormWiFiDirect->m_ulMyRule = %d\n", role);
        return;
    }
    PrintMessage(6,
                 " TFormMain::Don't RenewIPAddrThread <--- WVWL_ReadWifiDirectFlag = %d; bWiFiDirect = %d && "
                 "VOZEZIV.bWiFiDirectSigmaTest = FALSE\n",
                 read, flag);
}

void TFormMain::OnReceiveTrayExitMsg()
{
    PrintMessage(6, " OnReceiveTrayExitMsg()\n");
    OnTrayExit(this);
}

void TFormMain::OnNdisStatusMediaConnectMessage()
{
    if (m_pProfData && m_pProfData->enumNetworkType == 1 && m_pProfData->enumEncryStatus == 0 &&
        m_pProfData->b8021X == 0 && VOZEZIV.WVWL_SetWEPKey)
        VOZEZIV.WVWL_SetWEPKey(m_pProfData);
    BYTE bssid[6] = {};
    unsigned long written = 0;
    VOZEZIV.WVWL_OIDQueryInfo(0x0D010101, bssid, 6, &written);
    if (FormProfileEdit)
        std::memcpy(FormProfileEdit->m_WpsApMac, bssid, 6);
}

void TFormMain::CheckRadioStatus()
{
    int hardware = 1, software = 1;
    VOZEZIV.WVWL_QueryHWAndSWRadioState(&hardware, &software);
    software = VOZEZIV.WVWL_ReadRadioStatus();
    BOOL hardwareOff = hardware == 0;
    BOOL softwareOff = software == 0;
    if (hardwareOff == m_bIsHardwareRadioOff && softwareOff == m_bIsSoftwareRadioOff)
        return;
    m_bIsHardwareRadioOff = hardwareOff;
    m_bIsSoftwareRadioOff = softwareOff;
    if (!FormMain) {
        if (!hardwareOff)
            InitCard_SetOidFromReg(false, true);
        return;
    }
    if (hardwareOff) {
        ActionTurnOnOffRadio(FALSE);
        ImgRadioOff->SetEnabled(false);
        ImgRadioOn->SetEnabled(false);
        return;
    }
    ImgRadioOff->SetEnabled(true);
    ImgRadioOn->SetEnabled(true);
    ActionTurnOnOffRadio(software ? TRUE : FALSE);
}

void TFormMain::TimerRadioStatusTimer(TObject*)
{
    CheckRadioStatus();
}

void TFormMain::ImgRadioOffClick(TObject*)
{
    if (!ImgRadioOff->Enabled())
        return;
    m_bRadio = TRUE;
    PrintMessage(6, " call WVWL_SetAndWriteRadioState(%d)\n", int(m_bRadio));
    if (!VOZEZIV.WVWL_SetAndWriteRadioState(m_bRadio)) {
        PrintMessage(6, " WVWL_SetAndWriteRadioState() return FALSE!\n");
        if (FormResource)
            ShowMessageBox(FormResource->UI_Str->STR_SWITCH_RADIO_FAIL, 0);
        m_bRadio = FALSE;
        return;
    }
    ActionTurnOnOffRadio(m_bRadio);
}

void TFormMain::ImgRadioOnClick(TObject*)
{
    if (!ImgRadioOn->Enabled())
        return;
    m_bRadio = FALSE;
    PrintMessage(6, " call WVWL_SetAndWriteRadioState(%d)\n", int(m_bRadio));
    if (!VOZEZIV.WVWL_SetAndWriteRadioState(m_bRadio)) {
        PrintMessage(6, " WVWL_SetAndWriteRadioState() return FALSE!\n");
        if (FormResource)
            ShowMessageBox(FormResource->UI_Str->STR_SWITCH_RADIO_FAIL, 0);
        m_bRadio = TRUE;
        return;
    }
    ActionTurnOnOffRadio(m_bRadio);
}

void TFormMain::ActionTurnOnOffRadio(BOOL bOn)
{
    m_bRadio = bOn;
    ImgRadioOn->SetVisible(bOn);
    ImgRadioOff->SetVisible(!bOn);
    BtnWiFiDirect->SetEnabled(bOn);
    BtnWiFiDisplay->SetEnabled(bOn);
    BtnHotSpot->SetEnabled(bOn);

    if (bOn) {
        InitCard_SetOidFromReg(true, false);
        if (VOZEZIV.nWinOS >= 41)
            CheckAndInitWiFiDirect();
        else
            InitWiFidirect(FALSE);
        if (FormSiteSurvey)
            FormSiteSurvey->ShowRescanningRow();
        Start(TimerScanTable, 4000);
        if (VOZEZIV.WVWL_IsZeroConfig() != 2 && !m_bSessionLock) {
            if (VOZEZIV.nWinOS < 31) {
                WLAN_STATUS status{};
                VOZEZIV.WVWL_QueryWLANStatus(&status, WLAN_STATUS_QUERY{});
                if (status.status != WvStatus_Connected)
                    VOZEZIV.WVWL_Disconnect();
            }
            Start(TimerReconnect, 4000);
        }
        Start(TimerRescan, 12000);
        if (FormProfileEdit && FormProfileEdit->FrameProfileEditWPS) {
            WPS_MODE mode{};
            WPS_PROFILE profile{};
            VOZEZIV.WVWL_ReadWPSProfile(&mode, &profile);
            if (mode.ConfigMode == 0 && FormProfileEdit->FrameProfileEditWPSConnect)
                FormProfileEdit->FrameProfileEditWPSConnect->BtnPBC->SetEnabled(true);
        }
        return;
    }

    if (FormSiteSurvey)
        FormSiteSurvey->ClearNetworks();
    VOZEZIV.bWiFiDirectSigmaTest = VOZEZIV.bWiFiDirectSigmaTestIni;
    int flag = 0;
    int read = VOZEZIV.WVWL_ReadWifiDirectFlag(&flag);
    if (read == 1 && !VOZEZIV.bWiFiDirectSigmaTest && FormWiFiDirect) {
        BtnWiFiDirect->SetEnabled(false);
        FormWiFiDirect->SysBtnCloseClick(this);
        if (FormWiFiDisplay) {
            BtnWiFiDisplay->SetEnabled(false);
            FormWiFiDisplay->SysBtnCloseClick(this);
            FormWiFiDisplay->ResetWDPView();
        }
        if (FormHotSpot) {
            BtnHotSpot->SetEnabled(false);
            FormHotSpot->SysBtnCloseClick(this);
        }
        if (flag) {
            if (VOZEZIV.WVWL_DisableDhcpServer)
                VOZEZIV.WVWL_DisableDhcpServer();
            if (VOZEZIV.WVWL_IsEnableICS && VOZEZIV.WVWL_IsEnableICS())
                VOZEZIV.WVWL_DisableICS();
            VOZEZIV.WVWL_DisableWifiDirect();
            if (VOZEZIV.WVWL_QueryOPMode() == OP_MODE_STA_WIFI_DIRECT)
                VOZEZIV.WVWL_StopWifiDirectGO();
        }
    }
    if (VOZEZIV.nWinOS >= 41) {
        if (FormExtendedAP)
            FormExtendedAP->Close();
        m_bHideAPButton = TRUE;
        ShoworHideSTAButton();
    }
    VOZEZIV.WVWL_StopAuth();
    if (VOZEZIV.WVWL_Release)
        VOZEZIV.WVWL_Release();
}

void TFormMain::StopTimers()
{
    for (TTimer* t : {TimerRadioStatus, TimerReconnect, TimerRescan, TimerSessionID, TimerSignalQuality, TimerRetryOn,
                      TimerCheckWPACap})
        Stop(t);
}

void TFormMain::TimerReconnectTimer(TObject*)
{
    int flag = 0;
    int read = VOZEZIV.WVWL_ReadWifiDirectFlag(&flag);
    if (VOZEZIV.nWinOS < 31 && ((read == 1 && flag) || VOZEZIV.bWiFiDirectSigmaTest)) {
        PrintMessage(6, " TimerReconnectTimer: Wi-Fi Direct is on, wait\n");
        return;
    }
    PrintMessage(6, " ---> InitCard_SetOidFromReg(FALSE, TRUE); \n");
    Stop(TimerReconnect);
    InitCard_SetOidFromReg(false, true);
}

void TFormMain::TimerRescanTimer(TObject*)
{
    Stop(TimerRescan);
    InsertScanAction();
}

void TFormMain::TimerScanTableTimer(TObject*)
{
    PrintMessage(6, " --> TFormMain::GetScanTable\n");
    Stop(TimerScanTable);
    VOZEZIV.WVWL_SiteSurveyScan(TFormSiteSurvey::FuncScanFinished);
    if (FormSiteSurvey)
        FormSiteSurvey->ForceUpdateBssidList();
}

void TFormMain::TimerSignalQualityTimer(TObject*)
{
    WLAN_STATUS status{};
    WLAN_STATUS_QUERY query{};
    query.flag[0] = query.flag[1] = query.flag[4] = 1;
    VOZEZIV.WVWL_QueryWLANStatus(&status, query);

    bool same = true;
    if (m_pProfData) {
        static const BYTE zero[6] = {};
        if (m_pProfData->bBssid && std::memcmp(m_pProfData->BSSID, zero, 6) != 0) {
            if (std::memcmp(m_pProfData->BSSID, status.bssid, 6) == 0)
                same = false;
        } else if (status.ssid.SsidLength && m_pProfData->SSID.SsidLength &&
                   std::memcmp(&status.ssid, &m_pProfData->SSID, sizeof status.ssid) != 0) {
            same = false;
        }
    }
    static const BYTE zero[6] = {};
    const bool connected = status.linkStatusCode != 2 && status.status == WvStatus_Connected &&
                           std::memcmp(status.bssid, zero, 6) != 0;
    if (connected) {
        m_nSignalTimerTicks = same ? 0 : m_nSignalTimerTicks + 1;
        UpdateSignalTrayIcon();
        return;
    }
    ModifyTrayIcon(TRAY_TYPE_STATION, m_bDeviceExist ? 1 : 0);
    if (VOZEZIV.nWinOS >= 31)
        return;
    if (VOZEZIV.WVWL_IsZeroConfig() != 2 && VOZEZIV.WVWL_ReadRadioStatus() && m_nSignalTimerTicks &&
        m_nSignalTimerTicks % 90 == 0) {
        PrintMessage(6, "RescanBssidList Checked: HideDlg:OnTimer\n");
        InsertScanAction();
    }
    ++m_nSignalTimerTicks;
}

void TFormMain::UpdateSignalTrayIcon()
{
    WLAN_STATUS status{};
    WLAN_STATUS_QUERY query{};
    query.flag[2] = 1;
    VOZEZIV.WVWL_QueryWLANStatus(&status, query);
    int percent = VOZEZIV.WVWL_RssiToPercent(status.chain[0].rssi);
    DWORD state = percent > 70 ? 4 : percent > 40 ? 3 : 2;
    ModifyTrayIcon(TRAY_TYPE_STATION, state);
}

void TFormMain::TimerSessionIDTimer(TObject*)
{
    if (!m_pfnGetActiveConsoleSessionId)
        return;
    DWORD now = m_pfnGetActiveConsoleSessionId();
    if (now != m_dwLastSessionId) {
        if (m_dwOwnSessionId != m_dwLastSessionId && now == m_dwOwnSessionId) {
            PrintMessage(6, " Session change back to me!\n");
            m_nNowIconType = -1;
            m_bSessionLock = FALSE;
            if (VOZEZIV.nWinOS < 31) {
                char name[128] = {};
                VOZEZIV.WVWL_ReadActiveProfileName(name);
                name[sizeof name - 1] = 0;
                if (FormProfile) {
                    FormProfile->m_bActiveProfile = name[0] != 0;
                    FormProfile->m_strProfile = name;
                }
                if (VOZEZIV.WVWL_IsZeroConfig() != 2 && VOZEZIV.WVWL_ReadRadioStatus()) {
                    if (VOZEZIV.WVWL_IsWpaCapable && VOZEZIV.WVWL_IsWpaCapable() == 0 &&
                        VOZEZIV.WVWL_AdapterSelect(&VOZEZIV.selectedAdapter, rsCallBackFunc, Application->Handle()) != 1)
                        PrintMessage(2, " WVWL_AdapterSelect() return not WVWL_ERROR_SUCCESS\n");
                    if (m_pProfData) {
                        m_pProfData->bSetAdvance = 0;
                        PrintMessage(6, " MainForm::Session change - Insert profile type action!\n");
                        InsertAction({actionTypeProfile, m_pProfData});
                    } else {
                        InitCard_SetOidFromReg(true, true);
                    }
                }
            }
            if (FormProfile)
                FormProfile->RefreshProfileList();
            if (FormSiteSurvey)
                FormSiteSurvey->ForceUpdateBssidList();
            if (VOZEZIV.WVWL_ReadRadioStatus()) {
                ImgRadioOn->SetVisible(true);
                ImgRadioOff->SetVisible(false);
                BtnWiFiDirect->SetEnabled(true);
                m_bRadio = TRUE;
                if (VOZEZIV.nWinOS >= 31)
                    ReapplyProfileAfterSessionSwitch();
            } else {
                ImgRadioOn->SetVisible(false);
                ImgRadioOff->SetVisible(true);
                BtnWiFiDirect->SetEnabled(false);
                m_bRadio = FALSE;
                if (VOZEZIV.nWinOS >= 41) {
                    m_bHideAPButton = TRUE;
                    ShoworHideSTAButton();
                }
            }
        } else if (m_dwOwnSessionId == m_dwLastSessionId) {
            PrintMessage(6, " Session change to another user!\n");
            m_bSessionLock = TRUE;
            if (VOZEZIV.nWinOS < 31 && VOZEZIV.WVWL_IsWpaCapable && VOZEZIV.WVWL_IsWpaCapable() && VOZEZIV.WVWL_Release)
                VOZEZIV.WVWL_Release();
            if (VOZEZIV.nWinOS >= 31)
                VOZEZIV.WVWL_WlanDeleteAllOstrelWindowsProfiles();
            SysBtnCloseClick(this);
        }
    }
    m_dwLastSessionId = now;
}

namespace {

// Whether the library still stores a profile of this name. The count the
// library reports is bounded before it sizes the buffer.
bool StoredProfileExists(const std::string& name)
{
    constexpr unsigned long kMaxProfiles = 4096;
    unsigned long count = 0;
    if (VOZEZIV.WVWL_ReadProfileList(nullptr, &count) != 1 || count == 0)
        return false;
    count = std::min(count, kMaxProfiles);
    std::vector<WLANPROFILE> profiles(count);
    if (VOZEZIV.WVWL_ReadProfileList(profiles.data(), &count) != 1)
        return false;
    count = std::min<unsigned long>(count, profiles.size());
    for (unsigned long i = 0; i < count; ++i) {
        const char* stored = profiles[i].strProfileName;
        if (name == std::string(stored, strnlen(stored, sizeof profiles[i].strProfileName)))
            return true;
    }
    return false;
}

}  // namespace

void TFormMain::ReapplyProfileAfterSessionSwitch()
{
    if (VOZEZIV.WVWL_DetectUserAdmin()) {
        ConnectPreviousProfileSetting();
        return;
    }
    if (!m_pProfData)
        return;
    const std::string name(m_pProfData->strProfileName,
                           strnlen(m_pProfData->strProfileName, sizeof m_pProfData->strProfileName));
    if (name.empty()) {
        ConnectPreviousProfileSetting();
        return;
    }
    if (!StoredProfileExists(name)) {
        PrintMessage(6, " Profile has been deleted! Clear m_pProfData\n");
        std::memset(m_pProfData, 0, sizeof(WLANPROFILE));
        return;
    }
    VOZEZIV.WVWL_ReadProfileData(m_pProfData, name.c_str());
    ConnectPreviousProfileSetting();
}

void TFormMain::ConnectPreviousProfileSetting()
{
    if (!m_pProfData)
        return;
    int wps = 0, wifiDirect = 0;
    VOZEZIV.WVWL_ReadWPSFlag(&wps);
    VOZEZIV.WVWL_ReadWifiDirectFlag(&wifiDirect);
    if (wps)
        return;
    if (wifiDirect && VOZEZIV.WVWL_QueryOPMode() != OP_MODE_STA_WIFI_DIRECT)
        return;
    m_pProfData->bSetAdvance = 0;
    PrintMessage(6, " Insert profile type action!\n");
    InsertAction({actionTypeProfile, m_pProfData});
}

void TFormMain::TimerCheckIniDebugModeTimer(TObject*)
{
    PrintMessage(6, " Check VOZEZIV.nDebugMode\n");
    VOZEZIV.nDebugMode = ReadINIInt("Settings", "DebugMode", 0, "ini");
    PrintMessage(6, " Set VOZEZIV.nDebugMode as %d\n", int(VOZEZIV.nDebugMode));
}

void TFormMain::TimerCheckWPACapTimer(TObject*)
{
    if (VOZEZIV.nWinOS >= 31 || !VOZEZIV.WVWL_IsWpaCapable)
        return;
    int zero = VOZEZIV.WVWL_IsZeroConfig();
    if (zero != 2 && VOZEZIV.WVWL_IsWpaCapable() == 0 && !m_bSessionLock) {
        if (VOZEZIV.WVWL_AdapterSelect(&VOZEZIV.selectedAdapter, rsCallBackFunc, Application->Handle()) != 1)
            PrintMessage(2, " WVWL_AdapterSelect() return not WVWL_ERROR_SUCCESS\n");
    } else if (zero == 2 && VOZEZIV.WVWL_IsWpaCapable() && VOZEZIV.WVWL_Release) {
        VOZEZIV.WVWL_Release();
    }
}

int TFormMain::GetScanListForUSB11()
{
    if (VOZEZIV.nWinOS < 31)
        return 0;
    int version = 2;
    if (VOZEZIV.WVWL_GetUSBversion(&version) != 1 || version != 1)
        return 0;
    ADVANCE_CONFIG_DATA adv{};
    VOZEZIV.WVWL_ReadAdvanceCfgData(&adv);
    int mode = int(adv.WirelessMode);
    int adhoc = 0;
    VOZEZIV.WVWL_ConvertPhyModeToAdHocMode(mode, &adhoc);
    unsigned char channels[64] = {};
    int count = 0;
    VOZEZIV.WVWL_GetAvailableChannels(1, mode, adhoc, channels, &count, 0);
    const int interval = count * 800 - 10000;
    if (interval <= 0)
        return 0;
    PrintMessage(6, " Start TimerGetTScanTblUSB11Timer, %dsec\n", interval);
    Start(TimerGetTScanTblUSB11, unsigned(interval));
    return 1;
}

void TFormMain::TimerGetTScanTblUSB11Timer(TObject*)
{
    PrintMessage(6, " TimerGetTScanTblUSB11Timer\n");
    TFormSiteSurvey::FuncScanFinished();
}

void TFormMain::TimerShoworHideWiFiDirectLabelTimer(TObject*)
{
    if (VOZEZIV.bSupportWiFiDirect == 1 && !m_bHideWiFiDirect) {
        DWORD mode = WirelessModeFromBand(m_strWirelessMode);
        int bg = 0, a = 0, b = 0;
        VOZEZIV.WVWL_QueryCountryRegion(&bg, &a, &b);
        bg &= 0x7F;
        if (mode == 2 || mode == 8 || bg == 4) {
            if (BtnWiFiDirect->Visible()) {
                BtnWiFiDirect->SetVisible(false);
                if (FormWiFiDirect)
                    FormWiFiDirect->SysBtnCloseClick(this);
            }
            if (BtnWiFiDisplay->Visible())
                BtnWiFiDisplay->SetVisible(false);
            int flag = 0;
            VOZEZIV.WVWL_ReadWifiDirectFlag(&flag);
            if (flag == 1 && FormWiFiDirect)
                FormWiFiDirect->EnableOrDisableWiFiDirect(FALSE, FALSE, FALSE, TRUE);
            return;
        }
        if (!BtnWiFiDirect->Visible())
            BtnWiFiDirect->SetVisible(true);
        if (VOZEZIV.WVWL_IsSupportWiFiDisplay) {
            if (!BtnWiFiDisplay->Visible() && VOZEZIV.WVWL_IsSupportWiFiDisplay() && VOZEZIV.bSupportWiFiDisplay == 1)
                BtnWiFiDisplay->SetVisible(true);
        } else {
            PrintMessage(2, " WVWL_IsSupportWiFiDisplay=NULL\n");
        }
        return;
    }
    if (BtnWiFiDirect->Visible() && FormWiFiDirect)
        FormWiFiDirect->SysBtnCloseClick(this);
    BtnWiFiDirect->SetVisible(false);
    BtnWiFiDisplay->SetVisible(false);
}

namespace {

// The file version of the adapter's driver as "a.b.c.d", or empty.
std::string DriverFileVersion()
{
    char path[256] = {};
    VOZEZIV.WVWL_ReadDriverPath(&VOZEZIV.selectedAdapter, path);
    path[sizeof path - 1] = 0;
    const bool wow64 = VOZEZIV.WVWL_IsWow64 && VOZEZIV.WVWL_IsWow64();
    if (wow64)
        DisableWow64FsRedirection();
    std::string version;
    DWORD handle = 0;
    DWORD size = GetFileVersionInfoSizeA(path, &handle);
    if (size) {
        std::vector<BYTE> data(size);
        VS_FIXEDFILEINFO* info = nullptr;
        UINT length = 0;
        if (GetFileVersionInfoA(path, 0, size, data.data()) &&
            VerQueryValueA(data.data(), "\\", reinterpret_cast<void**>(&info), &length) && info) {
            char text[64];
            std::snprintf(text, sizeof text, "%d.%d.%d.%d", int(HIWORD(info->dwFileVersionMS)),
                          int(LOWORD(info->dwFileVersionMS)), int(HIWORD(info->dwFileVersionLS)),
                          int(LOWORD(info->dwFileVersionLS)));
            version = text;
        }
    }
    if (wow64)
        EnableWow64FsRedirection();
    return version;
}

}  // namespace

void TFormMain::GetChannelMode()
{
    m_strDriverVersion = DriverFileVersion();
    if (m_strDriverVersion.empty())
        return;
    m_nDriverMajor = m_strDriverVersion[0] - '0';
    if (m_nDriverMajor < 5)
        return;
    int mode = 0;
    if (!VOZEZIV.WVWL_ReadChannelMode(&mode)) {
        PrintMessage(6, " TFormMain::GetChannelMode() - WVWL_ReadChannelMode() return FALSE \n");
        return;
    }
    m_nChannelMode = DWORD(mode);
    if (FormResource) {
        const CUISTR& s = *FormResource->UI_Str;
        if (mode == 0)
            m_strWirelessMode = s.STR_24GHZ;
        else if (mode == 1)
            m_strWirelessMode = s.STR_24GHZ5GHZ;
        else if (mode == 2)
            m_strWirelessMode = s.STR_5GHZ;
    }
    m_enumPhyMode = WirelessModeFromBand(m_strWirelessMode);
    PrintMessage(6, " TFormMain::GetChannelMode() - m_strWirelessMode = %s, m_enumPhyMode = %d\n",
                 m_strWirelessMode.c_str(), int(m_enumPhyMode));
}

DWORD TFormMain::WirelessModeFromBand(const std::string& band)
{
    if (!FormResource)
        return 0;
    const CUISTR& s = *FormResource->UI_Str;
    bool legacy = VOZEZIV.WVWL_Is80211NSupport() == 0;
    if (!legacy && VOZEZIV.bSelect11nDialog == 1)
        legacy = !FormAdvanced || !FormAdvanced->Is11nModeChecked();
    if (band == s.STR_24GHZ)
        return legacy ? 0 : 9;
    if (band == s.STR_5GHZ)
        return legacy ? 2 : 8;
    if (band == s.STR_24GHZ5GHZ)
        return legacy ? 3 : (VOZEZIV.WVWL_Is80211ACSupport() == 1 ? 11 : 5);
    return 0;
}

void TFormMain::ReLaunchUtility()
{
    RunRelaunch(std::string());
}
