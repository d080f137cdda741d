// The own address on the Wi-Fi Direct link and the messages for the adapter's error codes.
#include <cstdio>
#include <cstring>

#include "dialogs/FormMessageBox.h"
#include "core/Log.h"
#include "core/WvwlLib.h"
#include "resources/FormResource.h"
#include "resources/UiStr.h"
#include "wifidirect/FormWiFiDirect.h"
#include "wifidirect/WiFiDirectText.h"
#include "wlapi/constants.h"
#include "wlapi/result.h"

namespace {


std::string Format(const char* format, unsigned value)
{
    char text[32];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

// The PIN of the repair: four digits below 10000, eight up to 99999999; a longer number is
// no PIN and leaves the field empty.
std::string RepairPinText(uint32_t pin)
{
    if (pin > 99999999)
        return "";
    return Format(pin < 10000 ? "%04u" : "%08u", pin);
}

}  // namespace

void TFormWiFiDirect::TimerCheckConnectStatusTimer(TObject*)
{
    uint32_t link = m_WiFiDirectWvstatus;
    if (VOZEZIV.WVWL_QueryOPMode() != OP_MODE_STA_WIFI_DIRECT) {
        WLAN_STATUS status{};
        VOZEZIV.WVWL_QueryWLANStatus(&status, WLAN_STATUS_QUERY{{0, 1, 0, 0, 0}});
        link = status.status;
    }
    const bool radioOn = VOZEZIV.WVWL_ReadRadioStatus() != 0;
    if ((link == WvStatus_Connected && radioOn) || m_bGroupReady) {
        GetAndSetMyIP();
        return;
    }
    if (!radioOn)
        StartWiFiDirectProgress(FALSE, 0);
    m_strMyWiFiDirectIPAddress.clear();
}

void TFormWiFiDirect::GetAndSetMyIP()
{
    WIFI_DIRECT_IP_INFO info{};
    const int result = VOZEZIV.WVWL_GetWifiDirectIP(&info);
    char address[20];
    const uint8_t* a = info.OwnAddress;
    std::snprintf(address, sizeof address, "%d.%d.%d.%d", a[0], a[1], a[2], a[3]);
    const int mode = VOZEZIV.WVWL_QueryOPMode();
    if (result == WVWL_ERROR_SUCCESS || mode == OP_MODE_STA_WIFI_DIRECT) {
        if (address == m_strMyWiFiDirectIPAddress)
            return;
        const int set = VOZEZIV.WVWL_SetWifiDirectIP(info.OwnAddress);
        if (set == WVWL_ERROR_SUCCESS)
            m_strMyWiFiDirectIPAddress = address;
        else
            PrintMessage(6, " GetAndSetMyIP:: WVWL_SetWifiDirectIP(%s) return %d\n", address, set);
        return;
    }
    m_strMyWiFiDirectIPAddress = "0.0.0.0";
    if (result == WVWL_ERROR_WIFIDIRECT_NO_IP) {
        PrintMessage(6, " GetAndSetMyIP:: no address yet\n");
    } else if (result == WVWL_ERROR_WIFIDIRECT_SUBNETMASK_NOT_MATCH) {
        const uint8_t* d = info.DhcpServerAddress;
        PrintMessage(6, " GetAndSetMyIP:: subnet mask does not match the DHCP server %d.%d.%d.%d\n", d[0], d[1], d[2], d[3]);
    } else {
        PrintMessage(6, " GetAndSetMyIP:: WVWL_GetWifiDirectIP return %d\n", result);
    }
}

std::string TFormWiFiDirect::WarningText(uint32_t code, const std::string& peerName)
{
    const CUISTR* s = FormResource ? FormResource->UI_Str.get() : nullptr;
    if (!s)
        return Format("Wi-Fi Direct Error Code : 0x%x", code);
    const WIFI_DIRECT_ERROR& e = m_WiFiDirectStatus.WifiDirectStateContext.Error;
    const std::string value = Format("%d", e.ulValue);
    switch (code) {
    case 1: return s->STR_MSG_ERRCODE_BOTHINTENT15;
    case 2: return ReplaceAllNoCase(s->STR_MSG_ERRCODE_CHANNELDISMATCH, "%s", value);
    case 3: return s->STR_MSG_ERRCODE_WPSNACK;
    case 4: return s->STR_MSG_ERRCODE_CANTFIND;
    case 5: {
        const int map = VOZEZIV.WVWL_ConvertWpsConfigMethodToWpsCapabilityMap(e.ConfigMethod, 0);
        const std::string method = (map & 0x20000000) ? s->STR_PBC
                                   : map < 0          ? s->STR_WPS_TYPE_REGPIN
                                   : (map & 0x40000000) ? s->STR_WPS_TYPE_USERPIN
                                                        : Format("0x%x", e.ConfigMethod);
        return ReplaceAllNoCase(s->STR_MSG_ERRCODE_NOCONFIGMETHOD, "%s", method);
    }
    case 6: return s->STR_MSG_ERRCODE_ERRCODE_REACHLIMIT;
    case 7: return s->STR_MSG_ERRCODE_ERRCODE_REJECTBYUSER;
    case 8: return ReplaceAllNoCase(s->STR_MSG_ERRCODE_CHANNELCONFLICT, "%s", value);
    case 9: return s->STR_MSG_ERRCODE_ADHOCON;
    case 10: return ReplaceAllNoCase(s->STR_MSG_ERRCODE_PHYMODECONFLICT, "%s", value);
    case 11: return ReplaceAllNoCase(s->STR_MSG_ERRCODE_PEER_WITHOUT_PERSISTENT_TABLE, "%s", peerName);
    default: return Format("Wi-Fi Direct Error Code : 0x%x", code);
    }
}

void TFormWiFiDirect::ShowWiFiDirectWarning(uint32_t code)
{
    TFormWiFiDirectSetting* wizard = FormWiFiDirectSetting;
    WIFIDIRECT_WPSE_PROFILE empty{};
    WIFIDIRECT_WPSE_PROFILE& record = wizard ? wizard->m_data_WIFIDIRECT_WPSE_Profile : empty;
    if (code != P2P_ERRCODE_PEER_WITHOUT_PERSISTENT_TABLE) {
        VOZEZIV.WVWL_DisConnectWifiDirectPerDevice(record.DesiredMacAddr[0]);
        ShowMessageBox(WarningText(code, ""), 0);
        return;
    }
    // The peer has lost the persistent group of the profile just applied: its saved profile
    // is found by that record's peer.
    BYTE peer[6];
    std::memcpy(peer, record.DesiredMacAddr[0], 6);
    static const BYTE zero[6] = {};
    const std::string profile = std::memcmp(peer, zero, 6) ? GetWiFiDirectPersistProfileByMac(peer) : std::string();
    WIFIDIRECT_WPSE_PROFILE saved{};
    if (profile.empty() || VOZEZIV.WVWL_ReadWifiDirectWpseProfile(&saved, profile.c_str()) != WVWL_ERROR_SUCCESS) {
        PrintMessage(6, " ShowWiFiDirectWarning:: no saved profile for the peer of error 11\n");
        ShowMessageBox(WarningText(code, ""), 0);
        return;
    }
    record = saved;
    VOZEZIV.WVWL_DisConnectWifiDirectPerDevice(record.DesiredMacAddr[0]);
    const std::string name = WiFiDirectText(record.PeerDeviceName[0], sizeof record.PeerDeviceName[0], sizeof record.PeerDeviceName[0]);
    if (ShowMessageBox(WarningText(code, name), 1) != 1)
        return;
    RepairPersistentGroup(profile);
}

// Rebuilds the persistent group by a fresh connection with WPS.
void TFormWiFiDirect::RepairPersistentGroup(const std::string& profileName)
{
    TFormWiFiDirectSetting* wizard = FormWiFiDirectSetting;
    VOZEZIV.WVWL_DeleteWifiDirectWpseProfile(profileName.c_str());
    if (FormWiFiDirectProfile)
        FormWiFiDirectProfile->UpdateProfileList();
    if (!wizard)
        return;
    WIFIDIRECT_WPSE_PROFILE& r = wizard->m_data_WIFIDIRECT_WPSE_Profile;
    TFrameWiFiDirectSettingWPS* page = wizard->FrameWiFiDirectSettingWPS;
    r.WpsMethod = page->m_ulWPSType;
    std::memset(r.PIN, 0, sizeof r.PIN);
    page->m_strTempPinCode = RepairPinText(page->m_ulPin);
    std::memcpy(r.PIN, page->m_strTempPinCode.data(), std::min(sizeof r.PIN, page->m_strTempPinCode.size()));
    wizard->m_enumActionTpye = 0;
    wizard->SetWifiDirectWpseConfig();
    const CUISTR* s = FormResource ? FormResource->UI_Str.get() : nullptr;
    m_strProgressMsg = s ? s->STR_WIFIDIRECT_CONNECT_WAIT : "";
    StartWiFiDirectProgress(TRUE, 120000);
}
