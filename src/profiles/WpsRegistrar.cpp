// The registrar roles of the WPS wizard: the configuration handed to an access point, the
// checks before configuring one, the external registrar's start and its callback codes.
#include "profiles/FormProfileEdit.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "core/Helpers.h"
#include "core/Log.h"
#include "core/WvwlLib.h"
#include "mainwindow/SiteSurveyLinks.h"
#include "profiles/FormSelEnrollee.h"
#include "profiles/WpsRecords.h"
#include "profiles/WpsStatus.h"
#include "resources/FormResource.h"
#include "wlapi/constants.h"

namespace {

const CUISTR& Texts()
{
    static const CUISTR none;
    return FormResource && FormResource->UI_Str ? *FormResource->UI_Str : none;
}

bool Ask(const std::string& text)
{
    return links::ShowMessage(text, 1) == 1;
}

}  // namespace

bool TFormProfileEdit::GenerateRegistrarProfile()
{
    // The network key of the access point: from the system's cryptographic random source.
    BYTE random[32];
    if (!RandomBytes(random, sizeof random)) {
        m_profileWps = WPS_PROFILE{};
        return false;
    }
    BYTE own[6] = {};
    if (VOZEZIV.WVWL_QueryCurrAddress)
        VOZEZIV.WVWL_QueryCurrAddress(own);
    m_profileWps = WPS_PROFILE{};
    m_profileWps.ProfileCnt = 1;
    WPS_CREDENTIAL& c = m_profileWps.Profile[0];
    char ssid[16];
    std::snprintf(ssid, sizeof ssid, "ExRegNW%02X%02X%02X", own[3], own[4], own[5]);
    c.SSID.SsidLength = 13;
    std::memcpy(c.SSID.Ssid, ssid, 13);
    std::memcpy(c.MacAddr, m_WpsApMac, 6);
    c.AuthType = WPS_AUTH_WPA2PSK;
    c.EncrType = WPS_ENCR_AES;
    c.KeyIndex = 1;
    c.KeyLength = 64;
    for (int i = 0; i < 32; ++i) {
        char hex[3];
        std::snprintf(hex, sizeof hex, "%02X", random[i]);
        std::memcpy(c.Key + 2 * i, hex, 2);
    }
    SecureZeroMemory(random, sizeof random);
    return true;
}

void TFormProfileEdit::OnWpsDetail()
{
    const WPS_CREDENTIAL& c = m_profileWps.Profile[0];
    PrintMessage(6, " WPS credential: auth %u encr %u key length %u\n", unsigned(c.AuthType), unsigned(c.EncrType),
                 unsigned(c.KeyLength));
    if (m_nConfigMode == 0)
        return;
    const size_t ssidLength = std::min<size_t>(c.SSID.SsidLength, 32);
    m_strProfSSID.assign(reinterpret_cast<const char*>(c.SSID.Ssid), ssidLength);
    std::memcpy(m_WpsApMac, c.MacAddr, 6);
    switch (c.AuthType) {
    case WPS_AUTH_OPEN: m_nAuthSel = 0; break;
    case WPS_AUTH_WPAPSK: m_nAuthSel = 4; break;
    case WPS_AUTH_SHARED: m_nAuthSel = 1; break;
    case WPS_AUTH_WPA: m_nAuthSel = 3; break;
    case WPS_AUTH_WPA2: m_nAuthSel = 5; break;
    case WPS_AUTH_WPA2PSK: m_nAuthSel = 6; break;
    case WPS_AUTH_WPAPSK_WPA2PSK: m_nAuthSel = 4; break;
    default: m_nAuthSel = 6; break;
    }
    switch (c.EncrType) {
    case WPS_ENCR_NONE: m_nEncrySel = 0; break;
    case WPS_ENCR_WEP: m_nEncrySel = 1; break;
    case WPS_ENCR_TKIP: m_nEncrySel = 2; break;
    default: m_nEncrySel = 3; break;
    }
    const bool open = c.AuthType == WPS_AUTH_OPEN && c.EncrType == WPS_ENCR_NONE;
    m_strPskKey.clear();
    if ((m_nAuthSel == 4 || m_nAuthSel == 6) && !open)
        m_strPskKey.assign(reinterpret_cast<const char*>(c.Key), std::min<size_t>(c.KeyLength, sizeof c.Key));
}

bool TFormProfileEdit::RegistrarChecks(const NDIS_WLAN_BSSID_EX* entry)
{
    m_APIE = IE_INFO{};
    if (entry && VOZEZIV.WVWL_ParseInfoElement)
        VOZEZIV.WVWL_ParseInfoElement(entry, &m_APIE);
    m_APIE.strUuidE[sizeof m_APIE.strUuidE - 1] = 0;
    m_APIE.strConfigState[sizeof m_APIE.strConfigState - 1] = 0;
    m_APIE.strSetupLock[sizeof m_APIE.strSetupLock - 1] = 0;
    const bool apOpen = m_APIE.nAuthBits == 0 && m_APIE.nCipherBits == 0;
    const WPS_CREDENTIAL& first = m_profileWps.Profile[0];
    const bool profileOpen = first.AuthType == WPS_AUTH_OPEN && first.EncrType == WPS_ENCR_NONE;
    if (m_APIE.strUuidE[0] == 0)
        PrintMessage(6, " AP's UUID is empty! Inform user to rescan\n");
    FrameProfileEditWPSPin->rBtnConfigSTA->SetEnabled(false);
    if (VOZEZIV.WVWL_StopExtregWPS)
        VOZEZIV.WVWL_StopExtregWPS();
    m_bIsExtregRunning = FALSE;
    const CUISTR& texts = Texts();
    if (std::string(m_APIE.strConfigState) != "Configured")
        return !profileOpen || Ask(texts.STR_WPS_MSGBOX_CONFIGAP_UNCONFIGURED_PROF_OPEN);
    VenExtAttribute attribute{};
    if (VOZEZIV.WVWL_GetVenExtAttribute)
        VOZEZIV.WVWL_GetVenExtAttribute(&attribute);
    if (m_nWPSVersion < 0x20 || attribute.uchVersion2 == 0 || std::string(m_APIE.strSetupLock) == "TRUE") {
        ShowMessageText(texts.STR_WPS_AP_CONFIGURED);
        return !apOpen || Ask(texts.STR_WPS_MSGBOX_CONFIGAP_OPEN_CONNECT);
    }
    if (!Ask(texts.STR_WPS_MSGBOX_CONFIGAP_RECONFIGURE)) {
        if (apOpen && !Ask(texts.STR_WPS_MSGBOX_CONFIGAP_OPEN_CONNECT))
            return false;
        VOZEZIV.WVWL_ReConfigureAP(FALSE);
        return true;
    }
    if (profileOpen && !Ask(texts.STR_WPS_MSGBOX_CONFIGAP_PROF_OPEN))
        return false;
    VOZEZIV.WVWL_ReConfigureAP(TRUE);
    return true;
}

void TFormProfileEdit::ConfigStaPinStart()
{
    PrintMessage(6, " Config STA!\n");
    const int use = VOZEZIV.WVWL_UseEnrolleeList ? VOZEZIV.WVWL_UseEnrolleeList(FALSE) : 0;
    m_bUseEnrolleeList = (use & 1) && m_nWPSVersion == 0x20 && VOZEZIV.bEnrolleeInfoDialog == 1;
    if (m_bUseEnrolleeList)
        VOZEZIV.WVWL_UseEnrolleeList(TRUE);
    StartExtregConnect();
    if (!m_bUseEnrolleeList || !FormSelEnrollee)
        return;
    m_bEnrolleeSelected = FALSE;
    std::memset(m_EnrolleeMac, 0, sizeof m_EnrolleeMac);
    if (FormSelEnrollee->ShowModal() != mrOk)
        return;
    if (m_bEnrolleeSelected) {
        const BYTE* m = m_EnrolleeMac;
        PrintMessage(6, " Selected enrollee %02X-%02X-%02X-%02X-%02X-%02X\n", m[0], m[1], m[2], m[3], m[4], m[5]);
        if (VOZEZIV.WVWL_SetSelEnrolleeMAC)
            VOZEZIV.WVWL_SetSelEnrolleeMAC(m_EnrolleeMac);
        return;
    }
    SetWPSProgress(0);
    SetWpsStatus("External registrar configure enrollee failed");
    TimerWPSStatus->SetEnabled(false);
    // Nothing runs any more: the adapter is free again.
    if (VOZEZIV.WVWL_WriteWPSFlag)
        VOZEZIV.WVWL_WriteWPSFlag(FALSE);
}

void TFormProfileEdit::StartExtregConnect()
{
    if (VOZEZIV.WVWL_WriteWPSFlag)
        VOZEZIV.WVWL_WriteWPSFlag(TRUE);
    WPS_MODE mode{};
    mode.WpsMode = m_nWPSMode == 1 ? WPS_START_MODE_PIN : WPS_START_MODE_PBC;
    if (m_nWPSMode == 1)
        SetStartRecordPin(mode, m_nPinCode, m_nPinLength);
    mode.ConfigMode = WPS_START_CONFIG_EXTREG_STA;
    if (VOZEZIV.WVWL_SetWPSMode(mode) == 0)
        PrintMessage(2, " Set Wps Mode to driver Failed\n");
    FrameProfileEditWPSConnect->BtnPIN->SetEnabled(false);
    FrameProfileEditWPSConnect->BtnPBC->SetEnabled(false);
    if (m_pWPSApList && VOZEZIV.WVWL_FrequencyToChannel) {
        for (int i = 0; const NDIS_WLAN_BSSID_EX* entry = WpsBssidEntry(m_pWPSBssidList, i); ++i)
            if (std::memcmp(entry->MacAddress, m_pWPSApList->m_Mac, 6) == 0)
                m_nWPSAPChannel = VOZEZIV.WVWL_FrequencyToChannel(entry->Configuration.DSConfig);
    }
    m_nConfigMode = 2;
    WriteBackWpsProfiletoRegistry();
    TimerWPSStatus->SetInterval(500);
    TimerWPSStatus->SetEnabled(true);
}

void TFormProfileEdit::CloseEnrolleeDialog()
{
    if (m_bUseEnrolleeList && FormSelEnrollee)
        FormSelEnrollee->CloseDialog();
}

void TFormProfileEdit::OnExtRegWpsMessage(BYTE code)
{
    PrintMessage(6, " TFormProfileEdit::OnExtRegWpsMessage %d\n", int(code));
    m_nLastExtRegCode = code;
    TFrameProfileEditWPSConnect* page = FrameProfileEditWPSConnect;
    const auto enableStarts = [page] {
        page->BtnPIN->SetEnabled(true);
        page->BtnPBC->SetEnabled(true);
        page->BtnFinish->SetEnabled(true);
    };
    switch (code) {
    case RC_STATUS_WPS_EAP_FAILED:
        SetWPSProgress(0);
        page->m_bWPSFailed = TRUE;
        [[fallthrough]];
    case RC_STATUS_WPS_EAP_DEVICE_NOT_FOUND:
        if (m_bConfigSTA == 1) {
            TimerWPSStatus->SetEnabled(false);
            CloseEnrolleeDialog();
        }
        enableStarts();
        // The external registrar's run is over: the adapter is free again.
        if (VOZEZIV.WVWL_WriteWPSFlag)
            VOZEZIV.WVWL_WriteWPSFlag(FALSE);
        if (code == RC_STATUS_WPS_EAP_DEVICE_NOT_FOUND)
            m_bExtRegDeviceFound = FALSE;
        break;
    case RC_STATUS_WPS_EAP_WSC_DONE_RECEIVED:
        SetWPSProgress(100);
        enableStarts();
        if (VOZEZIV.WVWL_WriteWPSFlag)
            VOZEZIV.WVWL_WriteWPSFlag(FALSE);
        UpdateWPSAPList();
        break;
    case RC_STATUS_WPS_EAP_DEVICE_FOUND:
        FrameProfileEditWPSPin->rBtnConfigSTA->SetEnabled(true);
        Leave();
        m_bExtRegDeviceFound = TRUE;
        break;
    case RC_STATUS_WPS_EAP_DEVICE_REMOVED:
        FrameProfileEditWPSPin->rBtnConfigSTA->SetChecked(false);
        FrameProfileEditWPSPin->rBtnConfigSTA->SetEnabled(false);
        m_bExtRegDeviceFound = FALSE;
        break;
    default:
        break;
    }
    SetWpsStatus(ExtRegStatusLine(Texts(), code, m_nWPSMode));
}

void TFormProfileEdit::TimerWPSConnectStatusTimer(TObject*)
{
    if (m_profileWpsSaved.ProfileCnt == 0) {
        PrintMessage(6, " Diable timer TIMER_WPS_DLG_CONNECT_STATUS\n");
        TimerWPSConnectStatus->SetEnabled(false);
        return;
    }
    if (!IsConnectedToWPSNetwork())
        return;
    PrintMessage(6, " m_nConfigMode = %d, m_bIsExtregRunning = %d\n", m_nConfigMode, int(m_bIsExtregRunning));
    m_APIE.strUuidE[sizeof m_APIE.strUuidE - 1] = 0;
    if (m_nLastConfigMode == 0 || m_bIsExtregRunning || m_APIE.strUuidE[0] == 0)
        return;
    SetWpsStatus("External Registrar Start - Start UPnP device discovery");
    if (VOZEZIV.WVWL_StartExtregWPS && VOZEZIV.WVWL_StartExtregWPS(m_APIE.strUuidE))
        m_bIsExtregRunning = TRUE;
    else
        SetWpsStatus("UPnP discovery failed");
}

bool TFormProfileEdit::IsConnectedToWPSNetwork()
{
    WLAN_STATUS status{};
    WLAN_STATUS_QUERY query{};
    query.flag[1] = 1;
    VOZEZIV.WVWL_QueryWLANStatus(&status, query);
    WPS_MODE mode{};
    WPS_PROFILE stored{};
    VOZEZIV.WVWL_ReadWPSProfile(&mode, &stored);
    if (status.status != WvStatus_Connected)
        return false;
    const WPS_CREDENTIAL& c = stored.Profile[0];
    const size_t connectedLength = std::min<size_t>(status.ssid.SsidLength, 32);
    const size_t credentialLength = std::min<size_t>(c.SSID.SsidLength, 32);
    const bool sameSsid = connectedLength == 0 || (connectedLength == credentialLength &&
                                                   std::memcmp(status.ssid.Ssid, c.SSID.Ssid, connectedLength) == 0);
    return sameSsid && CredentialMatchesConnection(c, status.authenticationMode, status.encryptionStatus);
}
