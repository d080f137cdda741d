#include "BssList.h"

#include <cstring>

#include "Ies.h"

namespace sim {

namespace {

constexpr size_t kItemFixedSize = 116;

void Put32(std::vector<uint8_t>& b, size_t at, uint32_t v) {
  b[at] = static_cast<uint8_t>(v);
  b[at + 1] = static_cast<uint8_t>(v >> 8);
  b[at + 2] = static_cast<uint8_t>(v >> 16);
  b[at + 3] = static_cast<uint8_t>(v >> 24);
}

}  // namespace

uint32_t NetworkTypeInUse(const Network& n) {
  if (n.networkTypeInUse >= 0) return static_cast<uint32_t>(n.networkTypeInUse);
  if (n.Is5GHz()) return 2;
  for (uint8_t r : n.rates) {
    int rate = r & 0x7F;
    if (rate != 2 && rate != 4 && rate != 11 && rate != 22) return 3;
  }
  return 1;
}

std::vector<uint8_t> BuildItem(const Network& n) {
  std::vector<uint8_t> ies = BuildIes(n);
  size_t size = (kItemFixedSize + ies.size() + 3) & ~size_t(3);
  std::vector<uint8_t> item(size, 0);
  Put32(item, 0, n.itemLength >= 0 ? static_cast<uint32_t>(n.itemLength) : static_cast<uint32_t>(size));
  std::memcpy(&item[4], n.bssid.data(), 6);
  std::string ssid = n.hidden ? std::string() : n.ssid.substr(0, 32);
  Put32(item, 12, n.ssidLength >= 0 ? static_cast<uint32_t>(n.ssidLength) : static_cast<uint32_t>(ssid.size()));
  std::memcpy(&item[16], ssid.data(), ssid.size());
  Put32(item, 48, n.security == Security::Open ? 0 : 1);
  Put32(item, 52, static_cast<uint32_t>(n.rssi));
  Put32(item, 56, NetworkTypeInUse(n));
  Put32(item, 60, 32);                 // Configuration.Length
  Put32(item, 64, 100);                // BeaconPeriod
  Put32(item, 72, n.frequencyKHz);     // DSConfig
  Put32(item, 76, 16);                 // FHConfig.Length
  Put32(item, 92, n.infrastructure);
  for (size_t i = 0; i < n.rates.size() && i < 16; ++i) item[96 + i] = n.rates[i];
  Put32(item, 112, n.ieLength >= 0 ? static_cast<uint32_t>(n.ieLength) : static_cast<uint32_t>(ies.size()));
  std::memcpy(&item[kItemFixedSize], ies.data(), ies.size());
  return item;
}

std::vector<uint8_t> BuildList(const std::vector<const Network*>& networks, long long extraCount, long long padBytes) {
  std::vector<uint8_t> list(4, 0);
  for (const Network* n : networks) {
    std::vector<uint8_t> item = BuildItem(*n);
    list.insert(list.end(), item.begin(), item.end());
  }
  Put32(list, 0, static_cast<uint32_t>(networks.size() + extraCount));
  if (padBytes > 0) list.resize(list.size() + static_cast<size_t>(padBytes), 0xA5);
  return list;
}

}  // namespace sim
