// The Wi-Fi Display window: the peer's addresses on a Wi-Fi Direct or TDLS link, and the
// sink's connect and retry timers that use them.
#include <winsock2.h>

#include "wifidisplay/FormWiFiDisplay.h"

#include <cstdio>
#include <cstring>

#include "core/Helpers.h"
#include "core/Log.h"
#include "core/WvwlLib.h"
#include "ui/Seams.h"
#include "wifidirect/FormWiFiDirect.h"
#include "wifidisplay/WDPSeams.h"
#include "wlapi/result.h"

namespace {

constexpr int kLeaseTries = 3;
constexpr DWORD kLeaseWaitMs = 2000;
constexpr int kWakeLocalPort = 34463;
constexpr int kWakePort = 33030;

std::string UpperText(std::string text)
{
    for (char& c : text)
        c = char(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

std::string AddressText(const BYTE* b)
{
    char text[16];
    std::snprintf(text, sizeof text, "%d.%d.%d.%d", b[0], b[1], b[2], b[3]);
    return text;
}

std::string OwnWiFiDirectAddress()
{
    return FormWiFiDirect ? FormWiFiDirect->m_strMyWiFiDirectIPAddress : std::string();
}

} // namespace

void TFormWiFiDisplay::GetConnectedDeviceP2Pinterface()
{
    unsigned long returned = 0;
    const int result = VOZEZIV.WVWL_OIDQueryInfo
                           ? VOZEZIV.WVWL_OIDQueryInfo(OID_WDP_QUERY_PEER_IF_MAC, m_P2PInterfaceMac, 6, &returned)
                           : -1;
    m_strP2PInterfaceMac = WDPMacText(m_P2PInterfaceMac);
    PrintMessage(6, "[WDP][GetConnectedDeviceP2Pinterface] result=%d %s\n", result, m_strP2PInterfaceMac.c_str());
}

std::string TFormWiFiDisplay::GetClientIPFromDHCPServer()
{
    GetConnectedDeviceP2Pinterface();
    if (!VOZEZIV.WVWL_GetIPfromMACTableLookup) {
        PrintMessage(2, "[WDP][GetClientIPFromDHCPServer] WVWL_GetIPfromMACTableLookup=NULL\n");
        return {};
    }
    BYTE mac[6] = {};
    MacTextToBytes(m_strP2PInterfaceMac, mac);
    for (int attempt = 1; attempt <= kLeaseTries; ++attempt) {
        char address[64] = {};
        if (VOZEZIV.WVWL_GetIPfromMACTableLookup(mac, address)) {
            address[sizeof address - 1] = 0;
            m_strWDPConnectedIP = address;
            PrintMessage(6, "[WDP][GetClientIPFromDHCPServer] %s\n", address);
            return m_strWDPConnectedIP;
        }
        PrintMessage(6, "[WDP][GetClientIPFromDHCPServer] no lease for %s (%d)\n", m_strP2PInterfaceMac.c_str(), attempt);
        seams::Sleep(kLeaseWaitMs);
    }
    return {};
}

void TFormWiFiDisplay::SendUDPToOne()
{
    char address[64];
    std::snprintf(address, sizeof address, "%.63s", OwnWiFiDirectAddress().c_str());
    if (!address[0] || std::strcmp(address, "0.0.0.0") == 0)
        return;
    // The last number becomes 1; a dot at the buffer's end leaves no room for it.
    for (size_t i = std::strlen(address) - 1; i > 0; --i) {
        if (address[i] != '.')
            continue;
        if (i + 2 >= sizeof address) {
            PrintMessage(2, "[WDP][SendUDPToOne] address too long\n");
            return;
        }
        address[i + 1] = '1';
        address[i + 2] = 0;
        break;
    }
    const int sent = wdpseams::SendUdpByte(address, kWakePort, kWakeLocalPort);
    PrintMessage(6, "[WDP][SendUDPToOne] %s:%d sent=%d\n", address, kWakePort, sent);
}

std::string TFormWiFiDisplay::GetWDPOppositeIP()
{
    if (FormWiFiDirect && FormWiFiDirect->m_ulMyRule == 1)
        return GetClientIPFromDHCPServer();
    SendUDPToOne();
    GetConnectedDeviceP2Pinterface();
    WIFI_DIRECT_IP_INFO info{};
    const int read = VOZEZIV.WVWL_GetWifiDirectIP ? VOZEZIV.WVWL_GetWifiDirectIP(&info) : -1;
    const int mode = VOZEZIV.WVWL_QueryOPMode ? VOZEZIV.WVWL_QueryOPMode() : -1;
    const std::string own = AddressText(info.OwnAddress);
    if (read == 1 || mode == 3) {
        if (FormWiFiDirect && own != FormWiFiDirect->m_strMyWiFiDirectIPAddress) {
            const int set = VOZEZIV.WVWL_SetWifiDirectIP ? VOZEZIV.WVWL_SetWifiDirectIP(info.OwnAddress) : -1;
            if (set == 1)
                FormWiFiDirect->m_strMyWiFiDirectIPAddress = own;
            else
                PrintMessage(2, "[WDP][GetWDPOppositeIP] WVWL_SetWifiDirectIP=%d\n", set);
        }
    } else if (read == -31) {
        PrintMessage(6, "[WDP][GetWDPOppositeIP] own address 0.0.0.0\n");
    } else if (read == -32) {
        PrintMessage(2, "[WDP][GetWDPOppositeIP] WVWL_ERROR_WIFIDIRECT_SUBNETMASK_NOT_MATCH DHCP server %s\n",
                     AddressText(info.DhcpServerAddress).c_str());
    } else {
        PrintMessage(2, "[WDP][GetWDPOppositeIP] WVWL_GetWifiDirectIP=%d\n", read);
    }
    std::vector<wdpseams::ArpRow> rows;
    if (!wdpseams::ArpTable(rows))
        return "0";
    const std::string wanted = UpperText(m_strP2PInterfaceMac);
    for (const wdpseams::ArpRow& row : rows) {
        static const BYTE kZero[6] = {};
        if (std::memcmp(row.physical, kZero, 6) == 0)
            continue;
        if (UpperText(WDPMacText(row.physical)) == wanted) {
            m_strWDPConnectedIP = AddressText(row.address);
            return m_strWDPConnectedIP;
        }
    }
    return "0";
}

std::string TFormWiFiDisplay::FindIPByDevMacInWDPTable(const std::string& mac)
{
    WDP_ENTRY entry{};
    if (!FindDeviceByDevMac(mac, &entry))
        return {};
    return AddressText(entry.TdlsIp);
}

void TFormWiFiDisplay::TimerConnectRTSPServerRun(TObject*)
{
    const int role = LocalRole();
    if (m_iNowConnectType == WDP_CONNECT_P2P) {
        const std::string own = OwnWiFiDirectAddress();
        if (own.empty() || own == "0.0.0.0" || m_iWDPConnectedPort > 0)
            return;
        GetWDPOppositeIP();
        if (m_strWDPConnectedIP.empty())
            return;
        // the first four characters stand for the subnet
        if (std::strncmp(own.c_str(), m_strWDPConnectedIP.c_str(), 4) != 0)
            return;
        if (m_iWDPConnectedPort < 1)
            m_iWDPConnectedPort = FindOppositeRTSPPort();
        if (m_iWDPConnectedPort <= 0)
            return;
    } else if (m_iNowConnectType == WDP_CONNECT_TDLS) {
        m_iWDPConnectedPort = FindOppositeRTSPPort();
        // the peer is recorded by its device address
        m_strWDPConnectedIP = FindIPByDevMacInWDPTable(m_strWDPConnectedMac);
        if (m_strWDPConnectedIP.empty() || m_strWDPConnectedIP == "0.0.0.0")
            return;
    } else {
        return;
    }
    PrintMessage(6, "[WDP][TimerConnectRTSPServerRun] type=%d %s:%d\n", m_iNowConnectType, m_strWDPConnectedIP.c_str(),
                 m_iWDPConnectedPort);
    if (m_Sink.ConnectRTSPServer(m_strWDPConnectedIP, m_iWDPConnectedPort, role) == 1) {
        EnableConnectRTSPServerTimer(false);
        EnableRTSPRetryTimer(true);
    }
}

void TFormWiFiDisplay::TimerRTSPRereyRun(TObject*)
{
    if (m_Sink.ConnectRTSPServer(m_strWDPConnectedIP, m_iWDPConnectedPort, LocalRole()) == 0)
        EnableRTSPRetryTimer(false);
}

void TFormWiFiDisplay::TimerStatusRun(TObject*)
{
    m_Sink.GetPlayerStateText();
}
