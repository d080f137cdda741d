// Operating-mode switches: access point, AP client, station, concurrent, and the
// Windows XP hand-overs between this program and the Windows wireless service.
#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <functional>
#include <cstring>
#include <string>

#include "advanced/FormAdvanced.h"
#include "advanced/FormExtendedAP.h"
#include "advanced/FormExtendedAPIdPwd.h"
#include "dialogs/Dialogs.h"
#include "core/Helpers.h"
#include "core/Log.h"
#include "core/Settings.h"
#include "core/WvwlLib.h"
#include "mainwindow/FormMain.h"
#include "profiles/FormProfile.h"
#include "profiles/FormProfileEdit.h"
#include "resources/FormResource.h"
#include "ui/Seams.h"
#include "wifidirect/FormWiFiDirect.h"

std::function<UINT(const std::string& command, UINT show)> relaunchExecOverride;
std::function<bool()> wlanServiceRunningOverride;

namespace {

constexpr unsigned long KV_OID_802_11_INFRASTRUCTURE_MODE = 0x0D810108;
constexpr unsigned long KV_OID_TRANSMIT_SETTING = 0x0DF1013B;

// The record the XP hand-over sends from the advanced settings' transmit bit field.
#pragma pack(push, 1)
struct TRANSMIT_RECORD {
    uint32_t PhyMode;
    uint8_t TransNo;
    uint8_t HtMode;
    uint8_t ExtCha;
    uint8_t Mcs;
    uint8_t One;
    uint8_t Stbc;
    uint8_t ShortGI;
    uint8_t Zero;
};
#pragma pack(pop)
static_assert(sizeof(TRANSMIT_RECORD) == 12);
static_assert(offsetof(TRANSMIT_RECORD, TransNo) == 4);
static_assert(offsetof(TRANSMIT_RECORD, Mcs) == 7);
static_assert(offsetof(TRANSMIT_RECORD, ShortGI) == 10);

TRANSMIT_RECORD TransmitRecordFrom(uint32_t setting)
{
    TRANSMIT_RECORD r{};
    r.PhyMode = setting & 0xF;
    r.Mcs = uint8_t((setting >> 4) & 0x7F);
    r.ShortGI = uint8_t((setting >> 14) & 1);
    r.Stbc = uint8_t((setting >> 15) & 1);
    r.TransNo = uint8_t((setting >> 16) & 3);
    r.HtMode = uint8_t((setting >> 18) & 7);
    r.ExtCha = uint8_t((setting >> 21) & 7);
    r.One = 1;
    return r;
}

std::string ProgramFileName()
{
    std::string path = ProgramPath();
    size_t slash = path.find_last_of('\\');
    std::string file = slash == std::string::npos ? path : path.substr(slash + 1);
    if (file.size() > 127)
        file.resize(127);
    return file;
}

std::string MainTitle()
{
    return FormResource ? FormResource->UI_Str->STR_TARNWELL_CONFIG_TITLE : std::string();
}

bool WiFiDirectFlagOn()
{
    int flag = 0;
    VOZEZIV.WVWL_ReadWifiDirectFlag(&flag);
    return flag != 0;
}

void TurnWiFiDirectOff(BOOL readControl, BOOL writeFlag)
{
    if (FormWiFiDirect)
        FormWiFiDirect->EnableOrDisableWiFiDirect(FALSE, readControl, FALSE, writeFlag);
}

void SetEnabledIfDiffers(TControl* control, bool enabled)
{
    if (control && control->Enabled() != enabled)
        control->SetEnabled(enabled);
}

}  // namespace

std::string RelaunchCommandLine(const std::string& nextProgram)
{
    // Quoted full path: the search order must not pick another program of that name.
    std::string command = "\"" + ProgramFolder() + "WevoReLaunch.exe\" " + ProgramFileName() + " \"" + MainTitle() + "\"";
    if (!nextProgram.empty())
        command += " " + nextProgram;
    return command;
}

UINT RunRelaunch(const std::string& nextProgram)
{
    const std::string command = RelaunchCommandLine(nextProgram);
    PrintMessage(6, " WinExec: %s\n", command.c_str());
    UINT result = relaunchExecOverride ? relaunchExecOverride(command, SW_MINIMIZE)
                                       : WinExec(command.c_str(), SW_MINIMIZE);
    PrintMessage(6, " WinExec return %u\n", result);
    return result;
}

bool IsWlanServiceRunning()
{
    if (wlanServiceRunningOverride)
        return wlanServiceRunningOverride();
    return GetServiceStatus("Wlansvc") == SERVICE_RUNNING;
}

void TFormMain::OnTraySwitchApMode(TObject* Sender)
{
    PrintMessage(6, " --> TFormMain::OnTraySwitchApMode\n");
    const CUISTR& s = *FormResource->UI_Str;
    if (VOZEZIV.WVWL_DetectMoreThanOneUser()) {
        ShowMessageBox(s.STR_UI_LOCKED, 0);
        return;
    }
    if (VOZEZIV.WVWL_ReadRadioStatus() == 0) {
        ShowMessageBox(s.STR_INVAILDRADIOOFF, 0);
        return;
    }
    if (WiFiDirectFlagOn())
        TurnWiFiDirectOff(FALSE, FALSE);
    VOZEZIV.WVWL_DisableDhcpServer();
    if (VOZEZIV.nWinOS < 31) {
        VOZEZIV.WVWL_StopAuth();
        VOZEZIV.WVWL_Release();
    } else {
        if (!IsWlanServiceRunning()) {
            ShowMessageBox(s.STR_TURNON_AUTOCONFIG, 0);
            return;
        }
        if (VOZEZIV.WVWL_QueryOPMode() == OP_MODE_STA_WIFI_DIRECT) {
            WaitMilliseconds(500);
            VOZEZIV.WVWL_StopWifiDirectGO();
        }
        VOZEZIV.WVWL_WlanDeleteAllWindowsProfiles();
    }
    VOZEZIV.WVWL_BackupStationSetting();
    RunRelaunch(std::string(VOZEZIV.strSoftAP_UIName) + ".exe");
    OnTrayExit(Sender);
    PrintMessage(6, " <-- TFormMain::OnTraySwitchApMode\n");
}

void TFormMain::RefreshControlledButtons(bool includeProfileButton)
{
    const bool enabled = VOZEZIV.WVWL_IsZeroConfig() != 2;
    PrintMessage(6, " WVWL_IsZeroConfig() != 2 : %d\n", int(enabled));
    if (includeProfileButton)
        SetEnabledIfDiffers(BtnProfile, enabled);
    SetEnabledIfDiffers(BtnAdvanced, enabled);
    if (FormProfile)
        SetEnabledIfDiffers(FormProfile->BtnProfileWPS, enabled);
    ImgRadioOn->SetEnabled(enabled);
    ImgRadioOff->SetEnabled(enabled);
}

void TFormMain::OnTraySwitchWvconfig()
{
    PrintMessage(6, " --> TFormMain::OnTraySwitchWvconfig\n");
    StopZeroConfigService(true);
    if (VOZEZIV.WVWL_IsWpaCapable() == 0 &&
        VOZEZIV.WVWL_AdapterSelect(&VOZEZIV.selectedAdapter, rsCallBackFunc,
                                   Application ? Application->Handle() : nullptr) != 1)
        PrintMessage(6, " WVWL_AdapterSelect() return not WVWL_ERROR_SUCCESS\n");
    InitCard();
    RefreshControlledButtons(true);
    if (VOZEZIV.nWinOS < 31 && VOZEZIV.WVWL_IsZeroConfig() != 2) {
        PrintMessage(6, " call InitCard_SetOidFromReg(), bSetAdvance = TRUE, bConnect = TRUE\n");
        InitCard_SetOidFromReg(true, true);
    }
    PrintMessage(6, " <-- TFormMain::OnTraySwitchWvconfig\n");
}

void TFormMain::OnTraySwitchZeroConfig(TObject* Sender)
{
    PrintMessage(6, " --> TFormMain::OnTraySwitchZeroConfig\n");
    VOZEZIV.WVWL_StopAuth();
    TurnWiFiDirectOff(FALSE, TRUE);
    if (FormProfileEdit)
        FormProfileEdit->SysBtnCloseClick(Sender);
    if (FormProfile)
        FormProfile->SysBtnCloseClick(Sender);
    if (FormAdvanced)
        FormAdvanced->SysBtnCloseClick(Sender);
    if (VOZEZIV.nWinOS < 31) {
        int result = VOZEZIV.WVWL_WriteRegValue("NetworkType", REG_SZ, "1", 1);
        PrintMessage(6, " Write %s registry value as %s, return %d\n", "NetworkType", "1", result);
        uint32_t infrastructure = 1;
        result = VOZEZIV.WVWL_OIDSetInfo(KV_OID_802_11_INFRASTRUCTURE_MODE, &infrastructure, 4);
        PrintMessage(6, " Set KV_OID_802_11_INFRASTRUCTURE_MODE as %d, return %d\n", int(infrastructure), result);
        ADVANCE_CONFIG_DATA config{};
        if (VOZEZIV.WVWL_Is80211ACSupport() == 0 && VOZEZIV.WVWL_ReadConfigData(&config) == 1) {
            TRANSMIT_RECORD record = TransmitRecordFrom(config.TransmitSetting);
            result = VOZEZIV.WVWL_OIDSetInfo(KV_OID_TRANSMIT_SETTING, &record, sizeof record);
            PrintMessage(6, " Set transmit setting, return %d\n", result);
        }
    }
    if (VOZEZIV.WVWL_IsWpaCapable())
        VOZEZIV.WVWL_Release();
    SetZeroConfigControl(true);
    PrintMessage(6, " call Sleep(1000) after start ZeroConfig!\n");
    seams::Sleep(1000);
    RefreshControlledButtons(false);
    PrintMessage(6, " <-- TFormMain::OnTraySwitchZeroConfig\n");
}

void TFormMain::OnTraySwitchAPClientMode(TObject* Sender)
{
    PrintMessage(6, " --> TFormMain::OnTraySwitchAPClientMode\n");
    const int mode = VOZEZIV.WVWL_QueryOPMode();
    if (mode == OP_MODE_STATION || mode == OP_MODE_STA_WIFI_DIRECT) {
        EXTAP_CONFIG ap{};
        VOZEZIV.WVWL_ReadExtAPConfig(&ap);
        if (ap.SsidLength == 0 || ap.KeyLength == 0) {
            PrintMessage(6, " No data saved for ExtAP! Show SSID/PWD dialog");
            int answer = 1;
            if (FormExtendedAPIdPwd) {
                FormExtendedAPIdPwd->SetConfig(ap);
                if (!FormExtendedAPIdPwd->Visible())
                    answer = FormExtendedAPIdPwd->ShowModal();
            }
            if (answer == 2) {
                PrintMessage(6, " Cancel ExtAP SSID/PWD dialog!\n");
                return;
            }
        }
        WLAN_STATUS status{};
        WLAN_STATUS_QUERY query{{0, 1, 0, 0, 0}};
        VOZEZIV.WVWL_QueryWLANStatus(&status, query);
        const bool direct = WiFiDirectFlagOn();
        if (status.networkType == 0 || direct) {
            VOZEZIV.WVWL_WlanDisconnect();
            if (direct || VOZEZIV.bWiFiDirectSigmaTest)
                TurnWiFiDirectOff(FALSE, FALSE);
        }
        VOZEZIV.WVWL_DisableDhcpServer();
        VOZEZIV.WVWL_DisableICS();
        if (mode == OP_MODE_STA_WIFI_DIRECT) {
            TurnWiFiDirectOff(TRUE, TRUE);
            VOZEZIV.WVWL_StopWifiDirectGO();
        }
        m_bHideAPButton = FALSE;
        PrintMessage(6, " Switch to APClient mode, set m_bHideAPButton as FALSE\n");
        EXTAP_CONFIG again{};
        if (VOZEZIV.WVWL_ReadExtAPConfig(&again) == 1)
            PrintMessage(6, " WVWL_ReadExtAPConfig return 1\n");
    }
    PrintMessage(6, " OnTraySwitchAPClientMode::call WVWL_SetAndWriteOPMode(%d)\n", OP_MODE_APCLIENT);
    VOZEZIV.WVWL_SetAndWriteOPMode(OP_MODE_APCLIENT);
    RunRelaunch(ProgramFileName());
    OnTrayLaunch(Sender);
    DeleteTrayIcon();
    PrintMessage(6, " <-- TFormMain::OnTraySwitchAPClientMode\n");
}

void TFormMain::OnTraySwitchSTAMode(TObject* Sender)
{
    const int mode = VOZEZIV.WVWL_QueryOPMode();
    VOZEZIV.WVWL_DisableDhcpServer();
    VOZEZIV.WVWL_DisableICS();
    if (mode == OP_MODE_STA_WIFI_DIRECT)
        VOZEZIV.WVWL_StopWifiDirectGO();
    else if (mode == OP_MODE_APCLIENT)
        VOZEZIV.WVWL_HostedNetworkStopUsing();
    const bool direct = WiFiDirectFlagOn();
    if (direct && mode == OP_MODE_STA_WIFI_DIRECT)
        TurnWiFiDirectOff(FALSE, FALSE);
    else
        PrintMessage(6, " CHideDlg::OnTraySwitchSTAMode: bWiFiDirect = %d; ulOpMode = %d!!Dont call "
                        "EnableOrDisableWiFiDirect(FALSE, FALSE, FALSE, FALSE)\n",
                     int(direct), mode);
    const int newMode = VOZEZIV.nWinOS >= 41 ? OP_MODE_STA_WIFI_DIRECT : OP_MODE_STATION;
    int result = VOZEZIV.WVWL_SetAndWriteOPMode(newMode);
    PrintMessage(6, " OnTraySwitchSTAMode:: call WVWL_SetAndWriteOPMode(%d) = %d\n", newMode, result);
    RunRelaunch(ProgramFileName());
    m_bHideAPButton = TRUE;
    BtnExtendedAP->SetVisible(false);
    if (FormExtendedAP)
        FormExtendedAP->Close();
    OnTrayLaunch(Sender);
    DeleteTrayIcon();
}

void TFormMain::OnTraySwitchWiFiDirectConcurrentMode(TObject* Sender)
{
    PrintMessage(6, " --> TFormMain::OnTraySwitchWiFiDirectConcurrentMode\n");
    const int mode = VOZEZIV.WVWL_QueryOPMode();
    VOZEZIV.WVWL_DisableDhcpServer();
    VOZEZIV.WVWL_DisableICS();
    if (mode == OP_MODE_APCLIENT)
        VOZEZIV.WVWL_HostedNetworkStopUsing();
    WLAN_STATUS status{};
    WLAN_STATUS_QUERY query{{0, 1, 0, 0, 0}};
    VOZEZIV.WVWL_QueryWLANStatus(&status, query);
    const bool direct = WiFiDirectFlagOn();
    if (status.networkType == 0 || direct) {
        PrintMessage(2, " OnTraySwitchWiFiDirectConcurrentMode: disconnect (networkType = %u, bWiFiDirect = %d)\n",
                     unsigned(status.networkType), int(direct));
        VOZEZIV.WVWL_WlanDisconnect();
        if (direct || VOZEZIV.bWiFiDirectSigmaTest) {
            if (FormWiFiDirect)
                TurnWiFiDirectOff(FALSE, FALSE);
            else
                PrintMessage(2, " OnTraySwitchWiFiDirectConcurrentMode: no Wi-Fi Direct window\n");
        }
    }
    int written = OP_MODE_STA_WIFI_DIRECT;
    int result = VOZEZIV.WVWL_SetAndWriteOPMode(written);
    m_bHideAPButton = TRUE;
    if (VOZEZIV.WVWL_StartWifiDirectGO() == 1) {
        PrintMessage(6, " WVWL_StartWifiDirectGO success\n");
    } else {
        PrintMessage(2, " WVWL_StartWifiDirectGO fail\n");
        written = OP_MODE_STATION;
        result = VOZEZIV.WVWL_SetAndWriteOPMode(written);
        ShowMessageBox("Start Wi-Fi Direct concurrent GO Fail", 0);
    }
    PrintMessage(6, " OnTraySwitchWiFiDirectConcurrentMode:: call WVWL_SetAndWriteOPMode(%d) = %d\n", written, result);
    ReLaunchUtility();
    OnTrayLaunch(Sender);
    DeleteTrayIcon();
    PrintMessage(6, " <-- TFormMain::OnTraySwitchWiFiDirectConcurrentMode\n");
}
