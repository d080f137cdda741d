#pragma once
// The adapter's current link as the library reports it (WLAN_STATUS), how to ask for it and
// the reading rules every reader shares.

#include <windows.h>
#include <string>
#include "core/WvwlLib.h"
#include "wlapi/constants.h"

// Which groups of fields to ask for: the five flags of WLAN_STATUS_QUERY, in order.
struct LinkQuery {
    bool first = false, second = false, third = false, fourth = false, fifth = false;
};
constexpr LinkQuery LINK_QUERY_ALL{true, true, true, true, true};        // link information timer
constexpr LinkQuery LINK_QUERY_CONNECTION{false, true, false, false, false}; // state, network, BSSID
constexpr LinkQuery LINK_QUERY_SIGNAL{false, false, true, false, false};    // receive chains
constexpr LinkQuery LINK_QUERY_CARD_START{false, false, false, true, false};
constexpr LinkQuery LINK_QUERY_SIGNAL_TIMER{true, true, false, false, true};
constexpr LinkQuery LINK_QUERY_STATE_ONLY{};

// Asks the library with a cleared record and the given flags; the result code is not
// examined, so a field the library leaves alone reads 0 (status 0: state unknown).
WLAN_STATUS QueryLinkStatus(const WVWLLIB& lib, LinkQuery query);

// Connected means status 3.
bool IsLinkConnected(const WLAN_STATUS& status);
// Six zero bytes mean no access point or peer.
bool HasLinkBssid(const WLAN_STATUS& status);
// The link window's test: connected and a BSSID present.
bool IsLinkShownConnected(const WLAN_STATUS& status);
// networkType 0 is an independent (ad-hoc) network; any other value counts as infrastructure
// except 7, peer to peer.
bool IsAdhocLink(const WLAN_STATUS& status);

// The first SsidLength bytes (at most 32) as 8-bit characters.
std::string LinkSsidText(const NDIS_802_11_SSID& ssid);
// "%02X-%02X-%02X-%02X-%02X-%02X"
std::string LinkBssidText(const BYTE* mac);
// "%d.%d.%d.%d"
std::string LinkIpv4Text(const BYTE* address);

// Quality of a receive chain in percent: 0 for an absent chain (rssi -200), at most 100.
ULONG ChainQuality(const WLAN_CHAIN& chain);
// Number of receive chains present (1 to 3) by the chain flags.
int ChainCount(const WLAN_STATUS& status);
// Bits 14-15 of HTSetting are 2 or 3: an 802.11n transmit mode.
bool IsHTTransmit(const WLAN_STATUS& status);
// Frames received without error: the 64-bit count from Windows code 31 on, else the 32-bit one.
ULONGLONG RxOkCount(const WLAN_STATUS& status, int winOS);

// Reconnects the current network through the operating system's WLAN service: converts the
// network type, authentication and encryption and hands them with the profile name, the SSID
// and the connection mode to WVWL_WlanConnect. Returns its result (0 when an entry is missing).
int ReconnectThroughWlanService(const WVWLLIB& lib, const WLAN_STATUS& status);
