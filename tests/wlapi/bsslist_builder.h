#pragma once
// Builds network-list buffers for tests, with room to corrupt any field.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>
#include "wlapi/bsslist.h"

namespace bsstest {

struct Net {
    uint8_t mac[6] = {0x00, 0x11, 0x22, 0x33, 0x44, 0x00};
    std::string ssid;
    int32_t rssi = -50;
    uint32_t privacy = 0;
    uint32_t networkType = 3;
    uint32_t dsConfig = 2437000;
    uint32_t infra = 1;
    std::vector<uint8_t> rates;
    std::vector<uint8_t> elements; // variable elements; the 12 fixed bytes are added
};

inline Net MakeNet(uint8_t id, const std::string& ssid, int32_t rssi = -50, uint32_t khz = 2437000)
{
    Net n;
    n.mac[5] = id;
    n.ssid = ssid;
    n.rssi = rssi;
    n.dsConfig = khz;
    return n;
}

inline std::vector<uint8_t> ItemBytes(const Net& n)
{
    const uint32_t ieLength = bss::kFixedIEsSize + static_cast<uint32_t>(n.elements.size());
    std::vector<uint8_t> b(bss::kFixedSize + ieLength, 0);
    bss::WriteU32(&b[bss::kLength], static_cast<uint32_t>(b.size()));
    std::memcpy(&b[bss::kMac], n.mac, 6);
    bss::WriteU32(&b[bss::kSsidLength], static_cast<uint32_t>(n.ssid.size()));
    std::memcpy(&b[bss::kSsid], n.ssid.data(), std::min<size_t>(n.ssid.size(), 32));
    bss::WriteU32(&b[bss::kPrivacy], n.privacy);
    bss::WriteU32(&b[bss::kRssi], static_cast<uint32_t>(n.rssi));
    bss::WriteU32(&b[bss::kNetworkTypeInUse], n.networkType);
    bss::WriteU32(&b[bss::kDSConfig], n.dsConfig);
    bss::WriteU32(&b[bss::kInfrastructureMode], n.infra);
    std::memcpy(&b[bss::kSupportedRates], n.rates.data(), std::min<size_t>(n.rates.size(), 16));
    bss::WriteU32(&b[bss::kIELength], ieLength);
    std::memcpy(&b[bss::kIEs + bss::kFixedIEsSize], n.elements.data(), n.elements.size());
    return b;
}

// A list buffer of `size` bytes holding the networks in order.
inline std::vector<uint8_t> ListBytes(const std::vector<Net>& nets, size_t size = 0x8000)
{
    std::vector<uint8_t> buffer(size, 0);
    bss::WriteU32(buffer.data(), static_cast<uint32_t>(nets.size()));
    size_t at = 4;
    for (const Net& n : nets) {
        const auto item = ItemBytes(n);
        std::memcpy(&buffer[at], item.data(), item.size());
        at += item.size();
    }
    return buffer;
}

// Offset of item i in a list built by ListBytes (items walked by their stated lengths).
inline size_t ItemOffset(const std::vector<uint8_t>& list, size_t i)
{
    size_t at = 4;
    for (size_t k = 0; k < i; ++k)
        at += bss::ReadU32(&list[at]);
    return at;
}

inline std::vector<std::string> Ssids(const uint8_t* list, size_t size)
{
    std::vector<std::string> out;
    for (const auto& item : bss::WalkList(list, size).items)
        out.push_back(bss::SsidText(list + item.offset));
    return out;
}

} // namespace bsstest
