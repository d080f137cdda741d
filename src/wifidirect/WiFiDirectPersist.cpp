// Persistent Wi-Fi Direct groups: the saved profiles kept in step with the peers, and the
// automatic reconnection to the peer of the active saved profile.
#include <cstring>
#include <vector>

#include "core/Log.h"
#include "core/WvwlLib.h"
#include "ui/Seams.h"
#include "wifidirect/FormWiFiDirect.h"
#include "wlapi/constants.h"
#include "wlapi/result.h"

namespace {

constexpr size_t kPersistEntryBytes = 132;

std::string ProfileName(const WIFIDIRECT_WPSE_PROFILE& r)
{
    return std::string(r.ProfileName, strnlen(r.ProfileName, sizeof r.ProfileName));
}

}  // namespace

bool TFormWiFiDirect::FindPersistProfile(const BYTE* mac, WIFIDIRECT_WPSE_PROFILE& found)
{
    unsigned long count = 0;
    VOZEZIV.WVWL_ReadWifiDirectWpseProfileList(nullptr, &count);
    if (count == 0 || count > 10000) {
        PrintMessage(6, " FindPersistProfile:: %lu saved profiles\n", count);
        return false;
    }
    std::vector<WIFIDIRECT_WPSE_PROFILE> profiles(count);
    unsigned long filled = count;
    VOZEZIV.WVWL_ReadWifiDirectWpseProfileList(profiles.data(), &filled);
    filled = std::min(filled, count);
    for (unsigned long i = 0; i < filled; ++i) {
        if (std::memcmp(profiles[i].DesiredMacAddr[0], mac, 6) == 0) {
            found = profiles[i];
            return true;
        }
    }
    return false;
}

std::string TFormWiFiDirect::GetWiFiDirectPersistProfileByMac(const BYTE* mac)
{
    WIFIDIRECT_WPSE_PROFILE r;
    return FindPersistProfile(mac, r) ? ProfileName(r) : std::string();
}

void TFormWiFiDirect::OnPersistentConnectFail()
{
    WIFIDIRECT_WPSE_PROFILE r;
    if (FindPersistProfile(m_WiFiDirectStatus.WifiDirectStateContext.PersistentFail.chMacAddr, r))
        VOZEZIV.WVWL_DeleteWifiDirectWpseProfile(ProfileName(r).c_str());
}

void TFormWiFiDirect::UpdatePersistForDisconnect(const BYTE* mac)
{
    WIFIDIRECT_WPSE_PROFILE r;
    if (FindPersistProfile(mac, r))
        VOZEZIV.WVWL_UpdateWifiDirectWpseProfileForDisconnect(ProfileName(r).c_str());
}

void TFormWiFiDirect::OnP2PPersistEnableDisable(TObject*)
{
    int state = 0;
    VOZEZIV.WVWL_QueryP2PPersistState(&state);
    if (FormWiFiDirectSetting)
        FormWiFiDirectSetting->FrameWiFiDirectSettingWPS->m_bPersistSupported = state;
    VOZEZIV.WVWL_SetAndWriteP2PPersist(state == 0 ? 1 : 0);
    if (FormWiFiDirectProfile)
        FormWiFiDirectProfile->UpdateProfileList();
}

BOOL TFormWiFiDirect::CheckOKForAutoReconnect()
{
    int persist = 0;
    VOZEZIV.WVWL_QueryP2PPersistState(&persist);
    if (!persist)
        return FALSE;
    std::memset(m_szLastActiveMacAddr, 0, sizeof m_szLastActiveMacAddr);
    GetActiveProfileMacAddr();
    static const BYTE zero[6] = {};
    if (std::memcmp(m_szLastActiveMacAddr, zero, 6) == 0)
        return FALSE;
    WLAN_STATUS status{};
    VOZEZIV.WVWL_QueryWLANStatus(&status, WLAN_STATUS_QUERY{{0, 0, 0, 0, 0}});
    if (status.status != WvStatus_Disconnected)
        return FALSE;
    return VOZEZIV.WVWL_WlanNumOfAvailableWindowsProfile() == 0;
}

void TFormWiFiDirect::GetActiveProfileMacAddr()
{
    char name[129] = {};
    VOZEZIV.WVWL_ReadActiveWifiDirectWpseProfileName(name);
    if (!name[0])
        return;
    WIFIDIRECT_WPSE_PROFILE r{};
    if (VOZEZIV.WVWL_ReadWifiDirectWpseProfile(&r, name) == WVWL_ERROR_SUCCESS && r.bDisconnect == 0)
        std::memcpy(m_szLastActiveMacAddr, r.DesiredMacAddr[0], 6);
}

// One attempt per arming; only a profile that was really read and names this peer is applied.
void TFormWiFiDirect::CheckAndAutoReconnectWithPersist(const BYTE* mac)
{
    BYTE entry[kPersistEntryBytes] = {};
    BYTE peer[6];
    std::memcpy(peer, mac, 6);
    m_bAutoReconnect = FALSE;
    if (VOZEZIV.WVWL_ReadWifiDirectWpsePerstEntry(entry, peer) != WVWL_ERROR_SUCCESS || entry[1] != WIFI_DIRECT_IS_CLIENT) {
        PrintMessage(6, " CheckAndAutoReconnectWithPersist:: no persistent entry as client\n");
        return;
    }
    TFormWiFiDirectSetting* wizard = FormWiFiDirectSetting;
    if (!wizard)
        return;
    WIFIDIRECT_WPSE_PROFILE& r = wizard->m_data_WIFIDIRECT_WPSE_Profile;
    std::memset(&r, 0, sizeof r);
    char name[129] = {};
    VOZEZIV.WVWL_ReadActiveWifiDirectWpseProfileName(name);
    if (VOZEZIV.WVWL_ReadWifiDirectWpseProfile(&r, name) != WVWL_ERROR_SUCCESS || std::memcmp(r.DesiredMacAddr[0], peer, 6) != 0) {
        PrintMessage(6, " CheckAndAutoReconnectWithPersist:: the active profile \"%s\" is not this peer's\n", name);
        std::memset(&r, 0, sizeof r);
        return;
    }
    VOZEZIV.WVWL_DisConnectWifiDirectPerDevice(peer);
    seams::Sleep(100);
    wizard->m_enumActionTpye = 0;
    wizard->SetWifiDirectWpseConfig();
}
