#pragma once
// The list of access points that offer WPS, built from the shared network list, and the
// WPS 2.0 filter of received credentials.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "wlapi/records.h"

// One row of the WPS AP list.
struct SITE_WPS_INFO_EX {
    std::string m_strSSID;
    BYTE m_Mac[6] = {};
    std::string m_strChannel;     // decimal text
    std::string m_strDevPassId;   // "ID : 0x0004" style; empty when the element says "Unknown"
};

// The rows and, parallel to them, their NDIS entries as a list of their own.
struct WpsApList {
    std::vector<SITE_WPS_INFO_EX> rows;
    std::vector<BYTE> bssidList;  // NDIS_802_11_BSSID_LIST_EX layout
};

// Builds the list from a network list buffer: entries with a WPS element and an SSID, on the
// bands that preferPhyType allows (0 2.4 GHz, 1 5 GHz, 2 both). The buffer's lengths are
// checked: the walk stops at the first entry that is too short or runs past the buffer.
WpsApList BuildWpsApList(const BYTE* list, size_t size, int preferPhyType,
                         const std::function<int(unsigned long frequencyKHz)>& toChannel,
                         const std::function<bool(const NDIS_WLAN_BSSID_EX* item, IE_INFO& info)>& parse);

// The entry `index` of a list in NDIS layout, or null when the list has no such entry whose
// lengths are sound.
const NDIS_WLAN_BSSID_EX* WpsBssidEntry(const std::vector<BYTE>& list, int index);

// Drops every WEP credential, keeping the order of the others; onDropped runs once for each.
// True when one was dropped.
bool DropWepCredentials(WPS_PROFILE& profile, const std::function<void()>& onDropped);
