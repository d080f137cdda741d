#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "Scenario.h"

namespace sim {

// Key-management bits as the parsed elements report them.
constexpr uint32_t kAuthWpa = 1, kAuthWpaPsk = 2, kAuthWpaNone = 4, kAuthWpa2 = 8, kAuthWpa2Psk = 16,
                   kAuthWpa2None = 32, kAuthWapiPsk = 64, kAuthWapiCert = 128;

// Size of the fixed fields (timestamp, beacon interval, capabilities) before the elements.
constexpr size_t kFixedIeSize = 12;

// Fixed fields followed by the elements of the network's beacon.
std::vector<uint8_t> BuildIes(const Network& n);
// The elements are read back with the program's parser, bss::ParseElements (wlapi/bsslist.h).

}  // namespace sim
