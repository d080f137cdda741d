#pragma once
// Network list of the site survey and the repository of recently seen networks.
// Every list buffer has the NDIS BSSID_LIST_EX layout and is read through the checked
// walker of wlapi/bsslist.h: a malformed list from the library is cut at its first bad item.

#include <windows.h>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>
#include "core/WvwlLib.h"

// A list buffer owned by the site-survey window (and a second one, the repository, by VOZEZIV).
struct AVAIL_BSSID_LIST {
    NDIS_802_11_BSSID_LIST_EX* pBssidList;
};

// One display row of the site survey.
struct SITE_SURVEY_INFO_EX {
    ULONG nInfraMode = 0;
    ULONG nNetworkTypeInUse = 0;
    LONG nSignal = 0; // Rssi remainder 101
    std::string strSsid;
    std::string strChannel; // empty when the frequency is no known channel
    BOOL bConnected = 0;
    BOOL bSecured = 0;
    BOOL bWps = 0;
    BOOL b11n = 0;
    BOOL bGOnly = 0;
    ULONG nWapiType = 0; // 0 none, 1 WAPI-PSK, 2 WAPI certificate
    BOOL b11ac = 0;
};

// How long a network missing from the scans stays in the repository (100-ns units).
constexpr ULONGLONG REPOSIT_BSSID_MAX_AGE = 150000000;

// Size of a network-list buffer: 32768 when the library reports a Windows code below 21,
// else 65536.
DWORD BssidListBufferSize(const WVWLLIB& lib);

// The size a list buffer of `current` bytes grows to when the library needs `needed` bytes:
// at least double, in whole 64 KB steps, at most BSSID_LIST_SIZE_MAX; current when it cannot grow.
DWORD GrownBssidListSize(DWORD current, unsigned long needed);

// Merges the list that WVWL_SiteSurveyQuery just filled (lib.nRepositBssidBufSize bytes)
// into lib's repository; when the scan found networks, list receives the merged list.
void UpdateRepositBssidList(WVWLLIB& lib, BYTE* list);
// The same with an explicit current time (100-ns units since 1601).
void UpdateRepositBssidListAt(WVWLLIB& lib, BYTE* list, ULONGLONG now);

// Reorders a list buffer of `size` bytes in place: sortBy 0 SSID, 1 channel, 2 signal.
void SortBssidList(const WVWLLIB& lib, BYTE* list, DWORD size, int sortBy);

// What the library makes of a network (its channel and parsed elements), kept from one scan to
// the next: a network is asked about again only when its item changed, apart from the signal
// and the elements' time stamp. Networks missing from a build are forgotten.
class TNetworkParseCache {
public:
    struct Parsed {
        int channel = -1;
        ULONG authBits = 0;
        ULONG cipherBits = 0;
        BOOL wps = 0;
        BOOL n = 0;
        BOOL ac = 0;
    };
    // The parse of the item (Length bytes at item), from the cache or from the library.
    const Parsed& Get(const WVWLLIB& lib, const BYTE* item);
    // Forgets the networks not asked about since the last call.
    void EndBuild();
    // Library calls made since the cache was made.
    unsigned long Parses() const { return parses_; }

private:
    struct Entry {
        std::vector<BYTE> item;
        Parsed parsed;
    };
    std::unordered_map<uint64_t, Entry> entries_, used_;
    unsigned long parses_ = 0;
};

// One row per displayable network of the list, in buffer order; cache, when given, spares the
// library the networks that did not change.
std::vector<std::unique_ptr<SITE_SURVEY_INFO_EX>> BuildSiteSurveyRows(const WVWLLIB& lib, const BYTE* list,
                                                                      DWORD size,
                                                                      TNetworkParseCache* cache = nullptr);

// Authentication kind of a network from its key-management bits (IE_INFO.nAuthBits):
// 0 open or WEP, 1 WPA, 2 WPA-PSK, 3 WPA-NONE, 4 WPA2, 5 WPA2-PSK, 6 WAPI-PSK, 7 WAPI cert.
int GetAuthType(ULONG nAuthBits);
