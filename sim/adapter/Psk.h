#pragma once
#include <cstdint>
#include <string>

namespace sim {

// The WPA pre-shared key of a pass phrase and SSID (PBKDF2-HMAC-SHA1, 4096 rounds, 32 bytes).
bool DerivePsk(const std::string& passphrase, const std::string& ssid, uint8_t out[32]);

}  // namespace sim
