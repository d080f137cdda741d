#include "profiles/WpsApList.h"

#include <algorithm>
#include <cstring>

#include "wlapi/bsslist.h"

WpsApList BuildWpsApList(const BYTE* list, size_t size, int preferPhyType,
                         const std::function<int(unsigned long frequencyKHz)>& toChannel,
                         const std::function<bool(const NDIS_WLAN_BSSID_EX* item, IE_INFO& info)>& parse)
{
    WpsApList out;
    out.bssidList.assign(bss::kListHeader, 0);
    const bss::Walk walk = bss::WalkList(list, size);
    for (const bss::Item& entry : walk.items) {
        const BYTE* item = list + entry.offset;
        const auto* bssid = reinterpret_cast<const NDIS_WLAN_BSSID_EX*>(item);
        SITE_WPS_INFO_EX row;
        row.m_strSSID.assign(reinterpret_cast<const char*>(item + bss::kSsid), bss::ReadU32(item + bss::kSsidLength));
        std::memcpy(row.m_Mac, item + bss::kMac, 6);
        const int channel = toChannel(bss::ReadU32(item + bss::kDSConfig));
        row.m_strChannel = std::to_string(unsigned(channel));
        IE_INFO info{};
        if (!entry.iesFit || !parse(bssid, info) || !info.bWpsIE || row.m_strSSID.empty())
            continue;
        if ((preferPhyType == 1 && channel <= 14) || (preferPhyType == 0 && channel > 14))
            continue;
        info.strDevPwdId[sizeof info.strDevPwdId - 1] = 0;
        row.m_strDevPassId = info.strDevPwdId;
        if (row.m_strDevPassId == "Unknown")
            row.m_strDevPassId.clear();
        out.rows.push_back(row);
        out.bssidList.insert(out.bssidList.end(), item, item + entry.length);
    }
    bss::WriteU32(out.bssidList.data(), uint32_t(out.rows.size()));
    return out;
}

const NDIS_WLAN_BSSID_EX* WpsBssidEntry(const std::vector<BYTE>& list, int index)
{
    if (index < 0)
        return nullptr;
    const bss::Walk walk = bss::WalkList(list.data(), list.size());
    if (size_t(index) >= walk.items.size())
        return nullptr;
    return reinterpret_cast<const NDIS_WLAN_BSSID_EX*>(list.data() + walk.items[size_t(index)].offset);
}

bool DropWepCredentials(WPS_PROFILE& profile, const std::function<void()>& onDropped)
{
    const uint32_t count = std::min<uint32_t>(profile.ProfileCnt, WPS_MAX_CREDENTIALS);
    uint32_t kept = 0;
    for (uint32_t i = 0; i < count; ++i) {
        if (profile.Profile[i].EncrType == WPS_ENCR_WEP) {
            onDropped();
            continue;
        }
        profile.Profile[kept++] = profile.Profile[i];
    }
    for (uint32_t i = kept; i < count; ++i)
        profile.Profile[i] = WPS_CREDENTIAL{};
    profile.ProfileCnt = kept;
    return kept != count;
}
