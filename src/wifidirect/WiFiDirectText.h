#pragma once
// Texts the Wi-Fi Direct window builds: placeholders replaced, addresses and device names.
#include <cstdint>
#include <string>

#include "wifidirect/WiFiDirectTopology.h"

// Every occurrence of `from` (any case) replaced by `to`.
std::string ReplaceAllNoCase(std::string text, const std::string& from, const std::string& to);
// The six bytes as "%02X" pairs joined by the separator.
std::string WiFiDirectMacText(const uint8_t* mac, char separator = '-');
// The device's name, its length bytes at most.
std::string WiFiDirectDeviceName(const DEVICE_ENTRY& device);
