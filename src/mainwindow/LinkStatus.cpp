#include "mainwindow/LinkStatus.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include "wlapi/constants.h"

WLAN_STATUS QueryLinkStatus(const WVWLLIB& lib, LinkQuery query)
{
    WLAN_STATUS status;
    std::memset(&status, 0, sizeof status);
    WLAN_STATUS_QUERY flags{};
    flags.flag[0] = query.first;
    flags.flag[1] = query.second;
    flags.flag[2] = query.third;
    flags.flag[3] = query.fourth;
    flags.flag[4] = query.fifth;
    if (lib.WVWL_QueryWLANStatus)
        lib.WVWL_QueryWLANStatus(&status, flags);
    return status;
}

bool IsLinkConnected(const WLAN_STATUS& status)
{
    return status.status == WvStatus_Connected;
}

bool HasLinkBssid(const WLAN_STATUS& status)
{
    return std::any_of(std::begin(status.bssid), std::end(status.bssid), [](BYTE b) { return b != 0; });
}

bool IsLinkShownConnected(const WLAN_STATUS& status)
{
    return IsLinkConnected(status) && HasLinkBssid(status);
}

bool IsAdhocLink(const WLAN_STATUS& status)
{
    return status.networkType == WV_NETWORK_IBSS;
}

std::string LinkSsidText(const NDIS_802_11_SSID& ssid)
{
    const ULONG length = std::min<ULONG>(ssid.SsidLength, NDIS_802_11_LENGTH_SSID);
    return std::string(reinterpret_cast<const char*>(ssid.Ssid), length);
}

std::string LinkBssidText(const BYTE* mac)
{
    char text[18];
    std::snprintf(text, sizeof text, "%02X-%02X-%02X-%02X-%02X-%02X", mac[0], mac[1], mac[2], mac[3], mac[4],
                  mac[5]);
    return text;
}

std::string LinkIpv4Text(const BYTE* address)
{
    char text[16];
    std::snprintf(text, sizeof text, "%d.%d.%d.%d", address[0], address[1], address[2], address[3]);
    return text;
}

ULONG ChainQuality(const WLAN_CHAIN& chain)
{
    if (chain.rssi == WV_CHAIN_ABSENT_RSSI)
        return 0;
    return std::min<ULONG>(chain.quality, 100);
}

int ChainCount(const WLAN_STATUS& status)
{
    if (status.chain[0].chainFlag != 1)
        return 1;
    return status.chain[1].chainFlag != 0 ? 3 : 2;
}

bool IsHTTransmit(const WLAN_STATUS& status)
{
    return (status.HTSetting >> 14) >= 2;
}

ULONGLONG RxOkCount(const WLAN_STATUS& status, int winOS)
{
    return winOS >= WINOS_VISTA ? status.rxOkCount64 : status.rxOkCount;
}

int ReconnectThroughWlanService(const WVWLLIB& lib, const WLAN_STATUS& status)
{
    if (!lib.WVWL_WlanConnect || !lib.WVWL_WlanConvertNdis2Dot11NetworkType ||
        !lib.WVWL_WlanConvertNdis2Dot11AuthType || !lib.WVWL_WlanConvertNdis2Dot11EncryptType)
        return 0;
    unsigned long networkType = 0, auth = 0, cipher = 0;
    lib.WVWL_WlanConvertNdis2Dot11NetworkType(status.networkType, &networkType);
    lib.WVWL_WlanConvertNdis2Dot11AuthType(status.authenticationMode, &auth);
    lib.WVWL_WlanConvertNdis2Dot11EncryptType(status.encryptionStatus, &cipher);
    // The name fills the record's tail; keep it terminated whatever the library wrote.
    char profileName[sizeof status.profileName + 1] = {};
    std::memcpy(profileName, status.profileName, sizeof status.profileName);
    NDIS_802_11_SSID ssid = status.ssid;
    ssid.SsidLength = std::min<ULONG>(ssid.SsidLength, NDIS_802_11_LENGTH_SSID);
    return lib.WVWL_WlanConnect(profileName, networkType, ssid, status.ConnectMode, auth, cipher);
}
