#pragma once
// The stored access-point record of the simulated adapter.
#include "wlapi/records.h"

namespace sim {

constexpr uint32_t kExtApDefaultPeers = 8;

// The stored record, or the adapter's default (no SSID, no key, 8 peers) when none is stored.
void ReadStoredExtAp(EXTAP_CONFIG& config);

}  // namespace sim
