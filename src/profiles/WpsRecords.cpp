#include "profiles/WpsRecords.h"

#include <cstdio>
#include <cstring>
#include <initializer_list>

namespace {

constexpr uint32_t kMaxPin = 99999999;

bool IsOneOf(uint32_t value, std::initializer_list<uint32_t> set)
{
    for (uint32_t v : set)
        if (v == value)
            return true;
    return false;
}

}  // namespace

namespace {

// 8 or 4: the length given, else the one the number needs.
int EffectiveLength(uint32_t pin, int length)
{
    if (length == 8 || length == 4)
        return length;
    return pin >= 10000 ? 8 : 4;
}

bool Fits(uint32_t pin, int length)
{
    return pin <= (length == 8 ? kMaxPin : 9999u);
}

}  // namespace

std::string PinText(uint32_t pin, int length)
{
    char digits[12];
    std::snprintf(digits, sizeof digits, EffectiveLength(pin, length) == 8 ? "%08u" : "%04u", unsigned(pin));
    return digits;
}

bool SetStartRecordPin(WPS_MODE& mode, uint32_t pin, int length)
{
    std::memset(mode.PIN, 0, sizeof mode.PIN);
    const int digits = EffectiveLength(pin, length);
    if (pin > kMaxPin || !Fits(pin, digits))
        return false;
    const std::string text = PinText(pin, digits);
    if (digits == 8) {
        std::memcpy(mode.PIN, text.data(), 8);
        return true;
    }
    std::memset(mode.PIN, 0xFF, 4);
    std::memcpy(mode.PIN + 4, text.data(), 4);
    return true;
}

bool SetStoredRecordPin(WPS_MODE& mode, uint32_t pin, int length)
{
    std::memset(mode.PIN, 0, sizeof mode.PIN);
    if (pin > kMaxPin || (length == 4 && !Fits(pin, 4)))
        return false;
    char digits[12];
    int n = length == 8 ? std::snprintf(digits, sizeof digits, "%08u", unsigned(pin))
          : length == 4 ? std::snprintf(digits, sizeof digits, "%04u", unsigned(pin))
                        : std::snprintf(digits, sizeof digits, "%u", unsigned(pin));
    std::memcpy(mode.PIN, digits, size_t(n));
    return true;
}

bool ReadStoredRecordPin(const WPS_MODE& mode, uint32_t& pin, int& length)
{
    pin = 0;
    length = 0;
    for (uint8_t c : mode.PIN) {   // at most the 8 bytes of the field: it has no terminator
        if (c == 0)
            break;
        if (c < '0' || c > '9')
            return false;
        pin = pin * 10 + uint32_t(c - '0');
        ++length;
    }
    return true;
}

bool CredentialMatchesConnection(const WPS_CREDENTIAL& credential, uint32_t ndisAuth, uint32_t ndisEncryption)
{
    bool auth = false;
    switch (credential.AuthType) {
    case WPS_AUTH_WPAPSK: auth = ndisAuth == 4; break;
    case WPS_AUTH_SHARED: auth = ndisAuth == 1; break;
    case WPS_AUTH_WPA: auth = ndisAuth == 3; break;
    case WPS_AUTH_WPA2: auth = ndisAuth == 6; break;
    case WPS_AUTH_WPA2PSK: auth = ndisAuth == 7; break;
    case WPS_AUTH_WPAPSK_WPA2PSK: auth = ndisAuth == 4 || ndisAuth == 7; break;
    default: auth = ndisAuth == 0; break;
    }
    bool encryption = false;
    switch (credential.EncrType) {
    case WPS_ENCR_WEP: encryption = IsOneOf(ndisEncryption, {0, 2}); break;
    case WPS_ENCR_TKIP: encryption = IsOneOf(ndisEncryption, {4, 5}); break;
    case WPS_ENCR_AES: encryption = IsOneOf(ndisEncryption, {6, 7}); break;
    case WPS_ENCR_TKIP_AES: encryption = IsOneOf(ndisEncryption, {4, 5, 6, 7}); break;
    default: encryption = IsOneOf(ndisEncryption, {1, 2}); break;
    }
    return auth && encryption;
}

uint32_t CredentialAuthFromNdis(uint32_t ndisAuth)
{
    switch (ndisAuth) {
    case 4: return WPS_AUTH_WPAPSK;
    case 7: return WPS_AUTH_WPA2PSK;
    default: return WPS_AUTH_OPEN;
    }
}

uint32_t CredentialEncrFromNdis(uint32_t ndisEncryption)
{
    switch (ndisEncryption) {
    case 0: return WPS_ENCR_WEP;
    case 4: return WPS_ENCR_TKIP;
    case 6: return WPS_ENCR_AES;
    default: return WPS_ENCR_NONE;
    }
}
