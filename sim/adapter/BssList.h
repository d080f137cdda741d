#pragma once
#include <cstdint>
#include <vector>

#include "Scenario.h"

namespace sim {

// One network as a list item in the published NDIS layout; the hostile fields of the
// network (item length, element length, SSID length, extra elements) are written as given.
std::vector<uint8_t> BuildItem(const Network& n);
// A whole list: count word, then the items; count grows by extraCount, padBytes of
// filler follow the last item.
std::vector<uint8_t> BuildList(const std::vector<const Network*>& networks, long long extraCount, long long padBytes);
// NetworkTypeInUse of a network: 2 on 5 GHz, 3 with OFDM rates, else 1.
uint32_t NetworkTypeInUse(const Network& n);

}  // namespace sim
