#pragma once
// The access point's stored settings: the check of a typed key and the record built from
// typed texts, shared by the access-point page and the first-use dialog.
#include <string>

#include "wlapi/records.h"

constexpr int EXTAP_DEFAULT_PEERS = 8;
constexpr int EXTAP_MAX_PEERS = 8;

// A WPA2 pre-shared key: 8 to 63 characters, or exactly 64 hexadecimal digits.
bool IsValidExtAPKey(const std::string& key);
// A whole decimal number (optional sign, nothing else) that fits an int.
bool TextToInt(const std::string& text, int& value);

// SSID and key with their lengths, each cut to its field; the rest of the record is kept.
void SetExtAPSsidAndKey(EXTAP_CONFIG& config, const std::string& ssid, const std::string& key);
// The page's record: zero, then SSID and key, the carried value at 36 (0 unless the text is a
// number) and the maximum number of peers (8 unless the text is a number).
EXTAP_CONFIG BuildExtAPConfig(const std::string& ssid, const std::string& key, const std::string& carried,
                              const std::string& peers);

// Texts of a stored record; a stored length beyond its field is cut to the field.
std::string ExtAPSsidText(const EXTAP_CONFIG& config);
std::string ExtAPKeyText(const EXTAP_CONFIG& config);
// "a.b.c.d" of the address at offset 116.
std::string ExtAPAddressText(const EXTAP_CONFIG& config);
