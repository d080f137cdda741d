// The profile editor's WPS engine: the push-button, PIN and hardware-button starts, the status
// poll with its retries across access points, the walk time, the completion that stores one
// profile per credential and connects, and the ways a run ends.
#include "profiles/FormProfileEdit.h"

#include <algorithm>
#include <cstring>

#include "core/Helpers.h"
#include "core/Log.h"
#include "core/WvwlLib.h"
#include "mainwindow/MainWindowServices.h"
#include "mainwindow/FormSiteSurvey.h"
#include "mainwindow/SiteSurveyLinks.h"
#include "profiles/FormProfile.h"
#include "profiles/WpsRecords.h"
#include "profiles/WpsStatus.h"
#include "resources/FormResource.h"
#include "wlapi/constants.h"
#include "ui/Seams.h"
#include "wifidirect/FormWiFiDirect.h"

namespace {

const CUISTR& Texts()
{
    static const CUISTR none;
    return FormResource && FormResource->UI_Str ? *FormResource->UI_Str : none;
}

bool InRange(int index, int count)
{
    return index >= 0 && index < count;
}

std::string SsidText(const NDIS_802_11_SSID& ssid)
{
    const size_t length = std::min<size_t>(ssid.SsidLength, sizeof ssid.Ssid);
    const char* bytes = reinterpret_cast<const char*>(ssid.Ssid);
    return std::string(bytes, std::find(bytes, bytes + length, '\0'));
}

std::string KeyText(const WPS_CREDENTIAL& c)
{
    const size_t length = std::min<size_t>(c.KeyLength, sizeof c.Key);
    const char* bytes = reinterpret_cast<const char*>(c.Key);
    return std::string(bytes, std::find(bytes, bytes + length, '\0'));
}

// The editor's authentication and encryption choices of a received credential; -1 leaves the
// choice as it is.
int AuthSelOf(uint32_t authType)
{
    switch (authType) {
    case WPS_AUTH_OPEN: return 0;
    case WPS_AUTH_WPAPSK: return 4;
    case WPS_AUTH_SHARED: return 1;
    case WPS_AUTH_WPA: return 3;
    case WPS_AUTH_WPA2: return 5;
    case WPS_AUTH_WPA2PSK: return 6;
    case WPS_AUTH_WPAPSK_WPA2PSK: return 6;
    default: return -1;
    }
}

int EncrySelOf(uint32_t encrType)
{
    switch (encrType) {
    case WPS_ENCR_NONE: return 0;
    case WPS_ENCR_WEP: return 1;
    case WPS_ENCR_TKIP: return 2;
    case WPS_ENCR_AES: return 3;
    case WPS_ENCR_TKIP_AES: return 3;
    default: return -1;
    }
}

void WriteWpsFlag(int flag)
{
    if (VOZEZIV.WVWL_WriteWPSFlag)
        VOZEZIV.WVWL_WriteWPSFlag(flag);
}

using mainwin::SetRotateProfile;
using mainwin::StopRetryTimer;

bool IsPbcAccessPoint(const SITE_WPS_INFO_EX& row)
{
    return row.m_strDevPassId == "ID : 0x0004";
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Display

void TFormProfileEdit::SetWpsStatus(const std::string& text)
{
    m_strWpsStatus = text;
    FrameProfileEditWPSConnect->editWPSStatus->SetText(text);
}

void TFormProfileEdit::SetWPSProgress(int percent)
{
    TFrameProfileEditWPSConnect* page = FrameProfileEditWPSConnect;
    if (m_nWpsProgressWidth == 0)
        m_nWpsProgressWidth = page->ImgWPSStatus->Width();
    page->ImgWPSStatus->SetWidth(percent * m_nWpsProgressWidth / 100);
    const std::string text = std::to_string(percent) + " %";
    page->ImgWPSStatus->SetHint(text);
    page->ImgWPSStatusBG->SetHint(text);
    page->lblPersent->SetCaption(text);
    m_nWpsProgress = percent;
    page->BtnPBC->SetEnabled(false);
    page->BtnPIN->SetEnabled(false);
    page->BtnFinish->SetEnabled(false);
    page->BringButtonToFront(page->BtnFinish);
    if (percent != 0) {
        page->ImgWPSStatus->SetVisible(true);
        return;
    }
    page->ImgWPSStatus->SetVisible(false);
    page->BtnPBC->SetEnabled(true);
    page->BtnPIN->SetEnabled(true);
    page->BtnFinish->SetEnabled(!(m_bAutoSelect == 1 && m_nWPSMode == 1));
    if (FrameProfileEditWPS->rBtnPIN->Checked())
        page->BringButtonToFront(page->BtnFinish);
    else if (FrameProfileEditWPS->rBtnPBC->Checked())
        page->BringButtonToFront(page->BtnPBC);
    else
        page->BringButtonToFront(page->BtnFinish);
}

// ---------------------------------------------------------------------------------------------
// Starts

void TFormProfileEdit::TurnWiFiDirectOffForWps()
{
    if (VOZEZIV.WVWL_QueryOPMode && VOZEZIV.WVWL_QueryOPMode() == 3)
        return;
    if (FormWiFiDirect)
        FormWiFiDirect->EnableOrDisableWiFiDirect(FALSE, FALSE, FALSE, TRUE);
}

void TFormProfileEdit::ReleaseAdapterForWps()
{
    if (VOZEZIV.nWinOS >= 31) {
        VOZEZIV.WVWL_WlanDisconnect();
        VOZEZIV.WVWL_WlanDeleteAllWindowsProfiles();
    } else {
        VOZEZIV.WVWL_SetAuthMode(0);
        VOZEZIV.WVWL_Disconnect();
    }
}

void TFormProfileEdit::SendWpsOptions()
{
    if (VOZEZIV.WVWL_SetWPSProfile(m_profileWps) == 0)
        PrintMessage(2, " Set WPS Profile to driver Failed.\n");
    if (VOZEZIV.WVWL_SetWPSAssociateIE(m_bAssociateIE) == 0)
        PrintMessage(2, " Set Asso. IE Failed.\n");
    if (VOZEZIV.WVWL_SetWPSProbeReqIE(m_bProbeIE) == 0)
        PrintMessage(2, " Set Probe Req. IE Failed.\n");
}

void TFormProfileEdit::OnPbcConnect()
{
    PrintMessage(6, " --> TFrameProfileEditWPSConnect::OnPbcConnect\n");
    BtnProfileBack->SetEnabled(false);
    StopRetryTimer();
    m_nWPSMode = 2;
    if (m_nConfigMode != 0 && m_bConfigSTA == 1) {
        StartExtregConnect();
        return;
    }
    WriteWpsFlag(TRUE);
    TurnWiFiDirectOffForWps();
    m_nConfigMode = 0;
    StopWPSTimers();
    ReleaseAdapterForWps();
    PrintMessage(6, " call DelayTime(600)\n");
    seams::Sleep(600);
    VOZEZIV.WVWL_SetPreferWPSAPPhyType(m_nPreferWPSAPPhyType);
    m_profileWps = WPS_PROFILE{};
    WriteBackWpsProfiletoRegistry();
    SetWpsStatus("Start PBC connection");
    WPS_MODE mode{};
    mode.WpsMode = WPS_START_MODE_PBC;
    mode.ConfigMode = WPS_START_CONFIG_ENROLLEE;
    if (VOZEZIV.WVWL_SetWPSMode(mode) == 0)
        PrintMessage(2, " Set Wps Mode to driver Failed.\n");
    SendWpsOptions();
    StartWpsRoutine();
}

bool TFormProfileEdit::NextAutomaticAccessPoint()
{
    ++m_nCurSelItem;
    if (!m_bRescan) {
        TimerWPSTwoMin->SetInterval(120000);
        TimerWPSTwoMin->SetEnabled(true);
        m_bRescan = TRUE;
    }
    TimerWPSNDISMediaDisconnected->SetEnabled(false);
    TimerWPSNDISMediaDisconnected->SetInterval(5000);
    TimerWPSNDISMediaDisconnected->SetEnabled(true);
    m_nWPSApCount = int(m_WPSApList.size());
    for (; m_nCurSelItem >= 0 && m_nCurSelItem < m_nWPSApCount; ++m_nCurSelItem) {
        m_pWPSApList = m_WPSApList[size_t(m_nCurSelItem)];
        if (!IsPbcAccessPoint(*m_pWPSApList))
            return true;
        PrintMessage(6, " ID: 0x0004 found, skip PBC mode\n");
    }
    PrintMessage(6, " No available PIN AP!\n");
    m_nCurSelItem = -1;
    TimerWPSNDISMediaDisconnected->SetEnabled(false);
    SetWpsStatus(Texts().STR_RESCANNING);
    if (FormProfile && FormProfile->BtnProfileWPS)
        FormProfile->BtnProfileWPS->SetEnabled(false);
    PrintMessage(6, " call OnWpsRescan()\n");
    VOZEZIV.WVWL_SiteSurveyScan(TFormSiteSurvey::FuncScanFinished);
    return false;
}

void TFormProfileEdit::OnPinConnect()
{
    PrintMessage(6, " --> TFrameProfileEditWPSConnect::OnPinConnect\n");
    BtnProfileBack->SetEnabled(false);
    StopRetryTimer();
    m_nWPSMode = 1;
    if (m_nConfigMode != 0 && m_bConfigSTA == 1) {
        ConfigStaPinStart();
        return;
    }
    const bool automatic = m_bAutoSelect == 1 && !(m_nConfigMode == 1 && m_bConfigSTA == 1);
    if (automatic && !NextAutomaticAccessPoint())
        return;
    const NDIS_WLAN_BSSID_EX* entry = WpsBssidEntry(m_pWPSBssidList, m_nCurSelItem);
    if (m_nConfigMode != 0 && !RegistrarChecks(entry))
        return;
    WriteWpsFlag(TRUE);
    TurnWiFiDirectOffForWps();
    ReleaseAdapterForWps();
    PrintMessage(6, " call DelayTime(600)\n");
    seams::Sleep(600);
    VOZEZIV.WVWL_SetPreferWPSAPPhyType(m_nPreferWPSAPPhyType);
    if (m_nCurSelItem == -1 || !m_pWPSApList) {
        ShowMessageText(Texts().STR_NO_WPS_AP);
        // Nothing will run: the adapter goes back to its profile.
        EndRunAndReapply();
        return;
    }
    if (m_nConfigMode == 0) {
        m_profileWps = WPS_PROFILE{};
        WriteBackWpsProfiletoRegistry();
    }
    WPS_MODE mode{};
    mode.WpsMode = WPS_START_MODE_PIN;
    const std::string& ssid = m_pWPSApList->m_strSSID;
    mode.WpsSSID.SsidLength = ULONG(std::min<size_t>(ssid.size(), 32));
    std::memcpy(mode.WpsSSID.Ssid, ssid.data(), mode.WpsSSID.SsidLength);
    std::memcpy(mode.Bssid, m_pWPSApList->m_Mac, 6);
    mode.Channel = BYTE(std::atoi(m_pWPSApList->m_strChannel.c_str()));
    SetStartRecordPin(mode, m_nPinCode, m_nPinLength);
    mode.ConfigMode = m_nConfigMode == 0 ? WPS_START_CONFIG_ENROLLEE : WPS_START_CONFIG_REGISTRAR;
    SetWpsStatus("Start PIN connection - " + ssid);
    const int a = automatic ? 1 : 0;
    WPS_CREDENTIAL& first = m_profileWps.Profile[0];
    if (m_nConfigMode != 0 && first.AuthType == WPS_AUTH_OPEN && first.EncrType == WPS_ENCR_NONE)
        first.KeyLength = 0;
    if (VOZEZIV.WVWL_SetWPSAutoSelect(a) == 0)
        PrintMessage(2, " Set WPS auto select Failed.\n");
    if (VOZEZIV.WVWL_SetWPSMode(mode) == 0)
        PrintMessage(2, " Set Wps Mode to driver Failed.\n");
    SendWpsOptions();
    StartWpsRoutine();
}

void TFormProfileEdit::TimerWPSHWPBCTimer(TObject*)
{
    if (VOZEZIV.WVWL_IsZeroConfig && VOZEZIV.WVWL_IsZeroConfig() == 2)
        return;
    int mode = 0;
    const int n = (VOZEZIV.WVWL_GetWPSHwPBCMode && VOZEZIV.WVWL_GetWPSHwPBCMode(&mode) == 1 && mode == 1) ? 1 : 4;
    if ((n != 1 || m_nSecCount == 0) && VOZEZIV.WVWL_QueryWPSHwPbc)
        VOZEZIV.WVWL_QueryWPSHwPbc(&lHwPbc);
    if (lHwPbc != 0)
        m_bHwPbcPressed = TRUE;
    if (m_bHwPbcPressed)
        ++m_nSecCount;
    if (m_bHwPbcPressed && m_nSecCount == n) {
        WriteWpsFlag(TRUE);
        HwPbcConnect();
    }
}

void TFormProfileEdit::HwPbcConnect()
{
    PrintMessage(6, " HwPbcConnect\n");
    StopRetryTimer();
    if (VOZEZIV.WVWL_QueryOPMode && VOZEZIV.WVWL_QueryOPMode() != 3 && VOZEZIV.nWinOS < 51 && FormWiFiDirect)
        FormWiFiDirect->EnableOrDisableWiFiDirect(FALSE, FALSE, FALSE, TRUE);
    StopWPSTimers();
    // The button's run is an enrollee push-button run whatever the wizard last chose.
    m_nWPSMode = 2;
    m_nConfigMode = 0;
    m_bConfigSTA = FALSE;
    m_profileWps = WPS_PROFILE{};
    if (VOZEZIV.nWinOS >= 31) {
        VOZEZIV.WVWL_WlanDisconnect();
        VOZEZIV.WVWL_WlanDeleteAllWindowsProfiles();
    } else {
        VOZEZIV.WVWL_StopAuth();
        VOZEZIV.WVWL_SetAuthMode(0);
    }
    WriteBackWpsProfiletoRegistry();
    StartWpsRoutine();
}

// ---------------------------------------------------------------------------------------------
// Run control

void TFormProfileEdit::StartWpsRoutine()
{
    SetRotateProfile(TRUE);
    SetWPSProgress(5);
    TimerWPSStatus->SetInterval(200);
    TimerWPSStatus->SetEnabled(true);
}

void TFormProfileEdit::StopWpsRoutine(bool hideProgress)
{
    m_nSecCount = 0;
    m_bHwPbcPressed = FALSE;
    lHwPbc = 0;
    if (hideProgress)
        FrameProfileEditWPSConnect->ImgWPSStatus->SetVisible(false);
    SetWPSProgress(0);
    StopWPSTimers();
}

void TFormProfileEdit::StopWPSTimers()
{
    TimerWPSStatus->SetEnabled(false);
    TimerWPSNDISMediaDisconnected->SetEnabled(false);
}

void TFormProfileEdit::EndRunAndReapply()
{
    WriteWpsFlag(FALSE);
    SetRotateProfile(FALSE);
    links::SetOidFromReg();
}

bool TFormProfileEdit::RetryNextAccessPoint(bool stopMediaTimer, bool stopRoutine)
{
    if (m_nWPSMode != 1)
        return false;
    if (m_bAutoSelect == 1 && InRange(m_nCurSelItem, m_nWPSApCount) && !(m_nConfigMode != 0 && m_bConfigSTA == 1)) {
        if (stopMediaTimer)
            TimerWPSNDISMediaDisconnected->SetEnabled(false);
        if (stopRoutine)
            StopWpsRoutine(true);
        OnPinConnect();
        return true;
    }
    m_nCurSelItem = -1;
    return false;
}

void TFormProfileEdit::TimerWPSStatusTimer(TObject*)
{
    PollWPSStatus();
}

void TFormProfileEdit::PollWPSStatus()
{
    unsigned long word = 0;
    if (VOZEZIV.WVWL_QueryWPSStatus(&word) != 1)
        return;
    const uint32_t code = WpsStatusCode(word);
    if (HandleWpsCode(code))
        return;
    SetWpsStatus(WpsStatusLine(Texts(), word));
    if (code == STATUS_WPS_PBC_TOO_MANY_AP || code == STATUS_WPS_EXTREG_PBC_TOO_MANY_ENROLLEE)
        WaitMilliseconds(2500);
}

bool TFormProfileEdit::HandleWpsCode(uint32_t code)
{
    const bool automatic = m_bAutoSelect == 1;
    switch (code) {
    case STATUS_WPS_NOTUSED:
        TimerWPSStatus->SetEnabled(false);
        StopWpsRoutine(true);
        if (RetryNextAccessPoint(true, false))
            return true;
        EndRunAndReapply();
        return false;
    case STATUS_WPS_IDLE:
        return RetryNextAccessPoint(true, false);
    case STATUS_WPS_EAP_CONFIGURED:
        CompleteWpsRun();
        return true;
    case STATUS_WPS_EAP_FAIL_RECEIVED:
    case STATUS_WPS_EAP_INVALID_DATA:
        m_nSecCount = 0;
        m_bHwPbcPressed = FALSE;
        return RetryNextAccessPoint(false, false);
    case STATUS_WPS_EAP_NONCE_MISMATCH:
        m_nSecCount = 0;
        m_bHwPbcPressed = FALSE;
        if (m_nWPSMode == 1) {
            if (InRange(m_nCurSelItem, m_nWPSApCount)) {
                TimerWPSNDISMediaDisconnected->SetEnabled(false);
                OnPinConnect();
                return true;
            }
            m_nCurSelItem = -1;
        }
        return false;
    case STATUS_WPS_PASSWORD_MISMATCH:
        m_nSecCount = 0;
        m_bHwPbcPressed = FALSE;
        return RetryNextAccessPoint(true, false);
    case STATUS_WPS_INVALID_SSID:
    case STATUS_WPS_EAP_REQ_WRONG_SMI:
    case STATUS_WPS_EAP_REQ_WRONG_VENDOR_TYPE:
        StopWpsRoutine(true);
        if (RetryNextAccessPoint(true, false))
            return true;
        EndRunAndReapply();
        return false;
    case STATUS_WPS_EAP_FAILED:
        FrameProfileEditWPSConnect->m_bWPSFailed = TRUE;
        StopWpsRoutine(true);
        if (!automatic)
            ReleaseAfterFailure();
        return RetryNextAccessPoint(true, false);
    case STATUS_WPS_TRY_NEXT_AP:
        return RetryNextAccessPoint(true, true);
    default:
        break;
    }
    const int progress = WpsStatusProgress(code);
    const bool exchange = (code >= 2 && code <= 6) || (code >= 17 && code <= 27) || (code >= 34 && code <= 43);
    if (exchange && progress != WPS_PROGRESS_UNCHANGED)
        SetWPSProgress(progress);
    return false;
}

void TFormProfileEdit::ReleaseAfterFailure()
{
    const bool extReg = FrameProfileEditWPS->chBoxExternalRegistrar->Checked();
    if (VOZEZIV.nWinOS >= 31) {
        if (!extReg)
            VOZEZIV.WVWL_WPSDisconnect();
        SetRotateProfile(FALSE);
        WriteWpsFlag(FALSE);
        if (!extReg)
            links::SetOidFromReg();
        return;
    }
    if (!extReg) {
        OnWpsDisconnect();
        return;
    }
    // The registrar's run is over too: the adapter is free again.
    SetRotateProfile(FALSE);
    WriteWpsFlag(FALSE);
}

// ---------------------------------------------------------------------------------------------
// Completion

void TFormProfileEdit::CompleteWpsRun()
{
    const CUISTR& texts = Texts();
    const std::string prefix = m_nWPSMode == 1 ? texts.STR_WPS_STATUS_PIN : texts.STR_WPS_STATUS_PBC;
    if (m_nWPSMode != 0 && m_bConfigSTA == 1) {
        SetWPSProgress(100);
        SetWpsStatus(prefix + texts.STR_WPS_STATUS_EXTREG_CONFIGSTA_OK);
        TimerWPSStatus->SetEnabled(false);
        CloseEnrolleeDialog();
        WriteWpsFlag(FALSE);
        Leave();
        return;
    }
    FrameProfileEditWPSConnect->m_bWPSFailed = FALSE;
    TimerWPSTwoMin->SetEnabled(false);
    TimerWPSNDISMediaDisconnected->SetEnabled(false);
    m_nWPSMode = 2;
    m_bRescan = FALSE;
    m_nCurSelItem = -1;
    StopWpsRoutine(false);
    SetWPSProgress(100);
    m_profileWps = WPS_PROFILE{};
    VOZEZIV.WVWL_QueryWPSProfile(&m_profileWps);
    m_profileWps.ProfileCnt = std::min<uint32_t>(m_profileWps.ProfileCnt, WPS_MAX_CREDENTIALS);
    int channel = 0;
    const BYTE* apMac = m_profileWps.ProfileCnt ? m_profileWps.Profile[0].MacAddr : m_WpsApMac;
    if (VOZEZIV.WVWL_QueryWPSAPChannel && VOZEZIV.WVWL_QueryWPSAPChannel(apMac, &channel))
        m_nWPSAPChannel = channel;
    std::string text = prefix + texts.STR_WPS_STATUS_GET_PROFILE;
    if (m_nWPSVersion > 0x10 && VOZEZIV.bWPS2_SecurityAll != 1 && ModifyProfileForWPS2())
        text += texts.STR_WPS_STATUS_GET_PROFILE_DISCARD;
    SetWpsStatus(text);
    // A finished run no longer owns the adapter's profile rotation.
    SetRotateProfile(FALSE);
    WriteBackWpsProfiletoRegistry();
    FinishWPS();
}

bool TFormProfileEdit::ModifyProfileForWPS2()
{
    return DropWepCredentials(m_profileWps, [this] { ShowMessageText(Texts().STR_WPS2_SECURITY_NOT_ACCEPT); });
}

void TFormProfileEdit::WriteBackWpsProfiletoRegistry()
{
    WPS_MODE mode{};
    mode.WpsMode = WPS_STORED_MODE_PBC;
    if (m_nWPSMode == 1)
        mode.WpsMode = WPS_STORED_MODE_PIN;
    SetStoredRecordPin(mode, m_nPinCode, m_nPinLength);
    mode.ConfigMode = BYTE(m_nConfigMode);
    std::memcpy(mode.Bssid, m_WpsApMac, 6);
    mode.Channel = BYTE(m_nWPSAPChannel);
    WPS_PROFILE stored{};
    stored.ProfileCnt = std::min<uint32_t>(m_profileWps.ProfileCnt, WPS_MAX_CREDENTIALS);
    for (uint32_t i = 0; i < stored.ProfileCnt; ++i) {
        const WPS_CREDENTIAL& from = m_profileWps.Profile[i];
        WPS_CREDENTIAL& to = stored.Profile[i];
        const std::string ssid = SsidText(from.SSID);
        to.SSID.SsidLength = ULONG(ssid.size());
        std::memcpy(to.SSID.Ssid, ssid.data(), ssid.size());
        to.AuthType = from.AuthType;
        to.EncrType = from.EncrType;
        to.KeyIndex = from.KeyIndex;
        to.KeyLength = std::min<uint32_t>(from.KeyLength, sizeof to.Key);
        if (to.KeyLength) {
            const std::string key = KeyText(from);
            std::memcpy(to.Key, key.data(), key.size());
        }
        std::memcpy(to.MacAddr, from.MacAddr, 6);
    }
    m_strProfChannel = std::to_string(m_nWPSAPChannel);
    VOZEZIV.WVWL_WriteWPSProfile(mode, stored);
}

void TFormProfileEdit::StoreCredentialAsProfile(const WPS_CREDENTIAL& c, int channel)
{
    m_nLastConfigMode = m_nConfigMode;
    m_nLastWPSMode = m_nWPSMode;
    const std::string id = FormProfile ? FormProfile->GetNextProfileID() : "1";
    const std::string name = FormProfile ? FormProfile->MakeDefaultProfileName() : "PROF1";
    InitialSettingFromProfileAdd(name, id);
    m_bAddProfile = TRUE;
    m_strProfSSID = SsidText(c.SSID);
    FrameProfileEditWireless->cboxSSID->SetText(m_strProfSSID);
    m_strProfChannel = std::to_string(channel);
    if (int auth = AuthSelOf(c.AuthType); auth >= 0)
        m_nAuthSel = auth;
    if (int encry = EncrySelOf(c.EncrType); encry >= 0)
        m_nEncrySel = encry;
    const std::string key = KeyText(c);
    const bool psk = c.AuthType == WPS_AUTH_WPAPSK || c.AuthType == WPS_AUTH_WPA2PSK || c.AuthType == WPS_AUTH_WPAPSK_WPA2PSK;
    if (m_nAuthSel != 0 && m_nAuthSel != 1 && psk)
        m_strPskKey = key;
    if ((m_nAuthSel == 0 || m_nAuthSel == 1) && m_nEncrySel == 1) {
        // Key slots and the default key are numbered 1 to 4; a credential's 0 means the first.
        const int slot = c.KeyIndex >= 1 && c.KeyIndex <= 4 ? int(c.KeyIndex) : 1;
        m_strWEPKey[slot - 1] = key;
        m_nWEPKeyFormat[slot - 1] = (key.size() == 10 || key.size() == 26) ? 1 : 0;
        m_nDefaultKey = slot;
    }
    WriteBackProfileToRegistry();
}

void TFormProfileEdit::FinishWPS()
{
    PrintMessage(6, " --> TFormProfileEdit::FinishWPS\n");
    WPS_MODE mode{};
    WPS_PROFILE read{};
    VOZEZIV.WVWL_ReadWPSProfile(&mode, &read);
    const uint32_t count = std::min<uint32_t>(read.ProfileCnt, WPS_MAX_CREDENTIALS);
    if (count == 0 || m_nConfigMode == 2) {
        WriteWpsFlag(FALSE);
        if (count != 0)
            Leave();
        return;
    }
    m_profileWpsSaved = m_profileWps;
    // Of several credentials the last WPA/WPA2-PSK one with AES is activated, else the last.
    std::string remembered;
    const WPS_CREDENTIAL* rememberedCredential = nullptr;
    for (uint32_t i = 0; i < count; ++i) {
        const WPS_CREDENTIAL& c = read.Profile[i];
        StoreCredentialAsProfile(c, mode.Channel);
        if (count > 1 && (m_nAuthSel == 4 || m_nAuthSel == 6) && m_nEncrySel == 3) {
            remembered = m_strProfName;
            rememberedCredential = &c;
        }
    }
    WriteWpsFlag(FALSE);
    const std::string name = rememberedCredential ? remembered : m_strProfName;
    const WPS_CREDENTIAL* credential = rememberedCredential ? rememberedCredential : &read.Profile[count - 1];
    char buffer[128] = {};
    std::memcpy(buffer, name.data(), std::min<size_t>(name.size(), sizeof buffer - 1));
    VOZEZIV.WVWL_CopyProfileToCurrentSetting(buffer);
    m_WpsCredentialSsid = credential->SSID;
    std::memcpy(m_WpsCredentialMac, credential->MacAddr, 6);
    m_bScanAfterEAPConfig = TRUE;
    m_nScanCntAfterEAPConfig = 0;
    ScanRoutineAfterEAPConfig();
    links::RefreshProfileList();
}

void TFormProfileEdit::ScanRoutineAfterEAPConfig()
{
    ++m_nScanCntAfterEAPConfig;
    SetWpsStatus("Get WPS profile successfully. Scanning...");
    links::InsertScanAction();
}

void TFormProfileEdit::ConnectRoutineAfterEAPConfig()
{
    if (m_profileWpsSaved.ProfileCnt == 0)
        return;
    SetWpsStatus("Get WPS profile successfully. Connecting...");
    links::SetOidFromReg();
    TimerWPSConnectStatus->SetEnabled(true);
    if (m_nLastConfigMode != 1)
        Leave();
}

// ---------------------------------------------------------------------------------------------
// Time-outs and ends

void TFormProfileEdit::TimerWPSTwoMinTimer(TObject*)
{
    TimerWPSTwoMin->SetEnabled(false);
    m_nWPSMode = 2;
    m_nCurSelItem = -1;
    m_bRescan = FALSE;
    StopWpsRoutine(true);
    if (m_bConfigSTA != 1)
        OnWpsDisconnect();
    else
        WriteWpsFlag(FALSE);  // the run is over even though the registrar keeps its link
    FrameProfileEditWPSConnect->BtnFinish->SetEnabled(true);
    SetWpsStatus(Texts().STR_WPS_STATUS_PIN + Texts().STR_WPS_STATUS_EAP_FAILED);
}

void TFormProfileEdit::TimerWPSNDISMediaDisconnectedTimer(TObject*)
{
    WLAN_STATUS status{};
    VOZEZIV.WVWL_QueryWLANStatus(&status, WLAN_STATUS_QUERY{});
    if (status.status == WvStatus_Connected)
        return;
    StopWpsRoutine(true);
    OnPinConnect();
}

void TFormProfileEdit::OnWpsDisconnect()
{
    PrintMessage(6, " --> TFormProfileEdit::OnWpsDisconnect\n");
    if (m_bConfigSTA == 1)
        TimerWPSStatus->SetEnabled(false);
    m_nWPSMode = 2;
    WriteWpsFlag(FALSE);
    TimerWPSNDISMediaDisconnected->SetEnabled(false);
    TimerWPSTwoMin->SetEnabled(false);
    m_nCurSelItem = -1;
    m_bRescan = FALSE;
    StopWpsRoutine(true);
    if (VOZEZIV.nWinOS >= 31) {
        if (m_bConfigSTA != 1)
            VOZEZIV.WVWL_WPSDisconnect();
        SetRotateProfile(FALSE);
        SetWpsStatus("");
        SetWPSProgress(0);
        return;
    }
    SetRotateProfile(FALSE);
    if (m_bConfigSTA != 1)
        VOZEZIV.WVWL_Disconnect();
    WriteWpsFlag(FALSE);
    SetWpsStatus("");
    if (m_bConfigSTA != 1)
        links::SetOidFromReg();
}

// ---------------------------------------------------------------------------------------------
// Wizard entry

int TFormProfileEdit::StartWPSWizard(const std::string& name, const std::string& id)
{
    PrintMessage(6, " --> TFormProfileEdit::StartWPSWizard\n");
    InitialSettingFromProfileAdd(name, id);
    for (TEdit* key : FrameProfileEditKey->editWEPKey)
        key->SetText("");
    FrameProfileEditKey->editPskKey->SetText("");
    WPS_MODE mode{};
    m_profileWps = WPS_PROFILE{};
    VOZEZIV.WVWL_ReadWPSProfile(&mode, &m_profileWps);
    m_profileWps.ProfileCnt = std::min<uint32_t>(m_profileWps.ProfileCnt, WPS_MAX_CREDENTIALS);
    uint32_t pin = 0;
    int length = 0;
    if (ReadStoredRecordPin(mode, pin, length)) {
        m_nPinCode = pin;
        m_nPinLength = length == 8 || length == 4 ? length : WPS_PIN_LENGTH_UNKNOWN;
    }
    return UpdateWPSAPList();
}

int TFormProfileEdit::UpdateWPSAPList()
{
    PrintMessage(6, " --> TFormProfileEdit::UpdateWPSAPList\n");
    const BYTE* shared = static_cast<const BYTE*>(VOZEZIV.pRepositBssidList);
    if (!shared || VOZEZIV.nRepositBssidBufSize < 4 || reinterpret_cast<const NDIS_802_11_BSSID_LIST_EX*>(shared)->NumberOfItems == 0) {
        PrintMessage(6, " WPS BSSID list count is 0!\n");
        return 0;
    }
    // The chosen access point by SSID, taken before the rows it lives in are rebuilt.
    const std::string chosenSsid = m_pWPSApList ? m_pWPSApList->m_strSSID : std::string();
    const bool hadChoice = m_pWPSApList.has_value();
    const std::vector<BYTE> copy(shared, shared + VOZEZIV.nRepositBssidBufSize);
    WpsApList list = BuildWpsApList(
        copy.data(), copy.size(), m_nPreferWPSAPPhyType,
        [](unsigned long kHz) { return VOZEZIV.WVWL_FrequencyToChannel ? VOZEZIV.WVWL_FrequencyToChannel(kHz) : 0; },
        [](const NDIS_WLAN_BSSID_EX* item, IE_INFO& info) {
            return VOZEZIV.WVWL_ParseInfoElement && VOZEZIV.WVWL_ParseInfoElement(item, &info) != 0;
        });
    TComboBox* combo = FrameProfileEditWPS->cboxSSID;
    combo->Items().Clear();
    m_WPSApList = std::move(list.rows);
    m_pWPSBssidList = std::move(list.bssidList);
    int select = -1;
    for (size_t i = 0; i < m_WPSApList.size(); ++i) {
        combo->Items().AddObject(m_WPSApList[i].m_strSSID, reinterpret_cast<void*>(intptr_t(i)));
        if (hadChoice && select < 0 && m_WPSApList[i].m_strSSID == chosenSsid)
            select = int(i);
    }
    select = std::max(select, 0);
    if (m_WPSApList.empty()) {
        combo->SetItemIndex(-1);
        ShowMessageText(Texts().STR_NO_WPS_AP);
        return 0;
    }
    combo->SetItemIndex(select);
    FrameProfileEditWPS->cboxSSIDChange(combo);
    return 1;
}

void TFormProfileEdit::ShowMessageText(const std::string& text)
{
    links::ShowMessage(text, 0);
}
