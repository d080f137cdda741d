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

// What a network's information elements say.
struct IeSummary {
  uint32_t authBits = 0;
  uint32_t cipherBits = 0;
  bool cckm = false;
  bool wps = false;
  int wpsDevicePasswordId = -1;   // -1: not given
  bool wpsConfigured = false;
  bool wpsLocked = false;
  std::string uuid;               // 32 hexadecimal digits, empty when absent
  bool ht = false, vht = false;
  int htSecondaryOffset = 0;      // 1 above, 3 below, 0 none
  bool malformed = false;         // an element ran past the end
};

// Fixed fields followed by the elements of the network's beacon.
std::vector<uint8_t> BuildIes(const Network& n);
// Elements from the start of the fixed fields; reads at most size bytes.
IeSummary ParseIes(const uint8_t* ies, size_t size);

}  // namespace sim
