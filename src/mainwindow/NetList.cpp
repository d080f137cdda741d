#include "mainwindow/NetList.h"

#include <algorithm>
#include <cstring>
#include "core/Log.h"
#include "wlapi/constants.h"
#include "wlapi/bsslist.h"

namespace {

int ChannelOf(const WVWLLIB& lib, uint32_t khz)
{
    return lib.WVWL_FrequencyToChannel ? lib.WVWL_FrequencyToChannel(khz) : -1;
}

// Channels the adapter may use in its current wireless mode.
std::vector<BYTE> AllowedChannels(const WVWLLIB& lib)
{
    BYTE channels[64] = {};
    int count = 0;
    int mode = 0, adhocMode = 0;
    if (lib.WVWL_QueryWirelessMode)
        lib.WVWL_QueryWirelessMode(&mode);
    if (lib.WVWL_ConvertPhyModeToAdHocMode)
        lib.WVWL_ConvertPhyModeToAdHocMode(mode, &adhocMode);
    if (lib.WVWL_GetAvailableChannels)
        lib.WVWL_GetAvailableChannels(1, mode, adhocMode, channels, &count, 0);
    count = std::clamp(count, 0, 64);
    return std::vector<BYTE>(channels, channels + count);
}

ULONGLONG ToU64(const FILETIME& ft)
{
    return ULONGLONG(ft.dwHighDateTime) << 32 | ft.dwLowDateTime;
}

FILETIME ToFileTime(ULONGLONG value)
{
    FILETIME ft;
    ft.dwLowDateTime = DWORD(value);
    ft.dwHighDateTime = DWORD(value >> 32);
    return ft;
}

} // namespace

DWORD BssidListBufferSize(const WVWLLIB& lib)
{
    if (lib.WVWL_GetWinOS && lib.nWinOS < WINOS_XP)
        return BSSID_LIST_SIZE_SMALL;
    return BSSID_LIST_SIZE_LARGE;
}

DWORD GrownBssidListSize(DWORD current, unsigned long needed)
{
    if (current >= BSSID_LIST_SIZE_MAX)
        return current;
    ULONGLONG size = std::max<ULONGLONG>(ULONGLONG(current) * 2, needed);
    size = (size + BSSID_LIST_SIZE_LARGE - 1) / BSSID_LIST_SIZE_LARGE * BSSID_LIST_SIZE_LARGE;
    return DWORD(std::min<ULONGLONG>(size, BSSID_LIST_SIZE_MAX));
}

void UpdateRepositBssidList(WVWLLIB& lib, BYTE* list)
{
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    UpdateRepositBssidListAt(lib, list, ToU64(now));
}

void UpdateRepositBssidListAt(WVWLLIB& lib, BYTE* list, ULONGLONG now)
{
    if (!list || !lib.pRepositBssidList || lib.nRepositBssidBufSize < bss::kListHeader)
        return;
    const std::vector<BYTE> allowed = AllowedChannels(lib);
    const bool keepMissing = !(lib.WVWL_CheckBssidRepositTime && lib.WVWL_CheckBssidRepositTime());

    std::vector<uint64_t> times(REPOSIT_BSSID_TIME_COUNT);
    for (int i = 0; i < REPOSIT_BSSID_TIME_COUNT; ++i)
        times[i] = ToU64(lib.ftRepositBssidTime[i]);

    bss::MergeHooks hooks;
    hooks.channelAllowed = [&](uint32_t khz) {
        const int channel = ChannelOf(lib, khz);
        return channel >= 0 && std::find(allowed.begin(), allowed.end(), channel) != allowed.end();
    };
    // One line per network only at the debug level: a crowded floor would flood the log.
    if (lib.nDebugMode >= 6) {
        hooks.scanItem = [](int index, const std::string& ssid, uint32_t length) {
            PrintMessage(6, " UpdateRepositBssidList:listTempRepositBssid.pBssidList->Bssid[%d]->Ssid.Ssid = %s", index,
                         ssid.c_str());
            PrintMessage(6, " UpdateRepositBssidList:listTempRepositBssid.pBssidList->Bssid[%d] = %d", index,
                         int(length));
        };
    }
    const DWORD size = lib.nRepositBssidBufSize;
    hooks.bufferLimit = [size] {
        PrintMessage(2, " Update Bssid List might reach buffer limit(%d bytes)! Stop adding new Bssid\n", int(size));
    };
    bss::MergeRepository(lib.pRepositBssidList, times.data(), times.size(), list, size, keepMissing, now,
                         REPOSIT_BSSID_MAX_AGE, hooks);

    for (int i = 0; i < REPOSIT_BSSID_TIME_COUNT; ++i)
        lib.ftRepositBssidTime[i] = ToFileTime(times[i]);
}

void SortBssidList(const WVWLLIB& lib, BYTE* list, DWORD size, int sortBy)
{
    bss::SortList(list, size, sortBy, [&](uint32_t khz) { return ChannelOf(lib, khz); });
}

namespace {

uint64_t MacKey(const BYTE* item)
{
    uint64_t key = 0;
    for (uint32_t i = 0; i < 6; ++i)
        key = key << 8 | item[bss::kMac + i];
    return key;
}

// The parts of an item a parse may depend on: all of it but the signal and the time stamp
// that opens the elements.
bool SameParseInput(const std::vector<BYTE>& kept, const BYTE* item, uint32_t length)
{
    if (kept.size() != length)
        return false;
    const uint32_t stampEnd = std::min<uint32_t>(length, bss::kIEs + 8);
    return std::memcmp(kept.data(), item, bss::kRssi) == 0 &&
           std::memcmp(kept.data() + bss::kRssi + 4, item + bss::kRssi + 4, bss::kIEs - bss::kRssi - 4) == 0 &&
           std::memcmp(kept.data() + stampEnd, item + stampEnd, length - stampEnd) == 0;
}

TNetworkParseCache::Parsed ParseNow(const WVWLLIB& lib, const BYTE* item)
{
    TNetworkParseCache::Parsed parsed;
    parsed.channel = ChannelOf(lib, bss::ReadU32(item + bss::kDSConfig));
    IE_INFO info{};
    if (lib.WVWL_ParseInfoElement)
        lib.WVWL_ParseInfoElement(reinterpret_cast<const NDIS_WLAN_BSSID_EX*>(item), &info);
    parsed.authBits = info.nAuthBits;
    parsed.cipherBits = info.nCipherBits;
    parsed.wps = info.bWpsIE != 0;
    parsed.n = info.ie80211N.b80211n;
    parsed.ac = info.ie80211AC.b80211ac;
    return parsed;
}

} // namespace

const TNetworkParseCache::Parsed& TNetworkParseCache::Get(const WVWLLIB& lib, const BYTE* item)
{
    const uint32_t length = bss::ReadU32(item + bss::kLength);
    const uint64_t key = MacKey(item);
    const auto used = used_.find(key);
    if (used != used_.end() && SameParseInput(used->second.item, item, length))
        return used->second.parsed;
    auto kept = entries_.find(key);
    Entry entry;
    if (kept != entries_.end() && SameParseInput(kept->second.item, item, length)) {
        entry = std::move(kept->second);
        entries_.erase(kept);
    } else {
        entry.item.assign(item, item + length);
        entry.parsed = ParseNow(lib, item);
        ++parses_;
    }
    Entry& placed = used_[key];
    placed = std::move(entry);
    return placed.parsed;
}

void TNetworkParseCache::EndBuild()
{
    entries_.swap(used_);
    used_.clear();
}

std::vector<std::unique_ptr<SITE_SURVEY_INFO_EX>> BuildSiteSurveyRows(const WVWLLIB& lib, const BYTE* list,
                                                                      DWORD size, TNetworkParseCache* cache)
{
    std::vector<std::unique_ptr<SITE_SURVEY_INFO_EX>> rows;
    for (const bss::Item& item : bss::WalkList(list, size).items) {
        if (!item.iesFit)
            continue;
        const BYTE* p = list + item.offset;
        auto row = std::make_unique<SITE_SURVEY_INFO_EX>();
        row->nInfraMode = bss::ReadU32(p + bss::kInfrastructureMode);
        row->nNetworkTypeInUse = bss::ReadU32(p + bss::kNetworkTypeInUse);
        row->nSignal = bss::Signal(p);
        row->strSsid = bss::SsidText(p);
        row->bGOnly = bss::IsGOnly(p);
        const TNetworkParseCache::Parsed parsed = cache ? cache->Get(lib, p) : ParseNow(lib, p);
        if (parsed.channel != -1)
            row->strChannel = std::to_string(unsigned(parsed.channel));
        row->bWps = parsed.wps;
        row->b11n = parsed.n;
        row->b11ac = parsed.ac;
        row->bSecured = bss::ReadU32(p + bss::kPrivacy) || parsed.authBits || parsed.cipherBits;
        if (row->bSecured) {
            if (parsed.authBits & IE_AUTH_WAPI_PSK)
                row->nWapiType = 1;
            else if (parsed.authBits & IE_AUTH_WAPI_CERT)
                row->nWapiType = 2;
        }
        rows.push_back(std::move(row));
    }
    if (cache)
        cache->EndBuild();
    return rows;
}

int GetAuthType(ULONG bits)
{
    const auto has = [bits](ULONG a, ULONG b) { return (bits & a) && (bits & b); };
    if (bits == IE_AUTH_WPA_NONE)
        return 3;
    if (bits == IE_AUTH_WPA)
        return 1;
    if (bits == IE_AUTH_WPA_PSK)
        return 2;
    if (bits == IE_AUTH_WPA2 || has(IE_AUTH_WPA, IE_AUTH_WPA2))
        return 4;
    if (bits == IE_AUTH_WPA2_PSK || bits == IE_AUTH_WPA2_NONE || has(IE_AUTH_WPA_PSK, IE_AUTH_WPA2_PSK))
        return 5;
    if (bits == IE_AUTH_WAPI_PSK)
        return 6;
    if (bits == IE_AUTH_WAPI_CERT)
        return 7;
    return 0;
}
