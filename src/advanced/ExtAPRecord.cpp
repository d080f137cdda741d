#include "advanced/ExtAPRecord.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "core/Helpers.h"

bool IsValidExtAPKey(const std::string& key)
{
    if (key.size() >= 8 && key.size() <= 63)
        return true;
    return key.size() == 64 && IsHexString(key);
}

bool TextToInt(const std::string& text, int& value)
{
    if (text.empty())
        return false;
    const char* begin = text.c_str();
    const bool sign = *begin == '-' || *begin == '+';
    if (!std::isdigit(static_cast<unsigned char>(begin[sign ? 1 : 0])))
        return false;
    char* end = nullptr;
    errno = 0;
    const long n = std::strtol(begin, &end, 10);
    if (*end != '\0' || errno == ERANGE || n < INT_MIN || n > INT_MAX)
        return false;
    value = int(n);
    return true;
}

void SetExtAPSsidAndKey(EXTAP_CONFIG& config, const std::string& ssid, const std::string& key)
{
    const size_t ssidLength = std::min(ssid.size(), sizeof config.Ssid);
    std::memset(config.Ssid, 0, sizeof config.Ssid);
    std::memcpy(config.Ssid, ssid.data(), ssidLength);
    config.SsidLength = uint32_t(ssidLength);
    const size_t keyLength = std::min(key.size(), sizeof config.Key);
    std::memset(config.Key, 0, sizeof config.Key);
    std::memcpy(config.Key, key.data(), keyLength);
    config.KeyLength = uint32_t(keyLength);
}

EXTAP_CONFIG BuildExtAPConfig(const std::string& ssid, const std::string& key, const std::string& carried,
                              const std::string& peers)
{
    EXTAP_CONFIG config{};
    SetExtAPSsidAndKey(config, ssid, key);
    int value = 0;
    config.Carried36 = TextToInt(carried, value) ? uint32_t(value) : 0;
    config.MaxPeers = TextToInt(peers, value) ? uint32_t(value) : uint32_t(EXTAP_DEFAULT_PEERS);
    return config;
}

std::string ExtAPSsidText(const EXTAP_CONFIG& config)
{
    const size_t length = std::min<size_t>(config.SsidLength, sizeof config.Ssid);
    return std::string(reinterpret_cast<const char*>(config.Ssid), length);
}

std::string ExtAPKeyText(const EXTAP_CONFIG& config)
{
    const size_t length = std::min<size_t>(config.KeyLength, sizeof config.Key);
    return std::string(reinterpret_cast<const char*>(config.Key), length);
}

std::string ExtAPAddressText(const EXTAP_CONFIG& config)
{
    char text[16];
    std::snprintf(text, sizeof text, "%d.%d.%d.%d", config.IpAddress[0], config.IpAddress[1], config.IpAddress[2],
                  config.IpAddress[3]);
    return text;
}
