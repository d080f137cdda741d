#include "wifidirect/WiFiDirectText.h"

#include <cstdio>
#include <cstring>

#include "wifidirect/WiFiDirectRecords.h"

std::string ReplaceAllNoCase(std::string text, const std::string& from, const std::string& to)
{
    if (from.empty())
        return text;
    size_t at = 0;
    while (at + from.size() <= text.size()) {
        if (_strnicmp(text.c_str() + at, from.c_str(), from.size()) == 0) {
            text.replace(at, from.size(), to);
            at += to.size();
        } else {
            ++at;
        }
    }
    return text;
}

std::string WiFiDirectMacText(const uint8_t* m, char s)
{
    char text[20];
    std::snprintf(text, sizeof text, "%02X%c%02X%c%02X%c%02X%c%02X%c%02X", m[0], s, m[1], s, m[2], s, m[3], s, m[4], s, m[5]);
    return text;
}

std::string WiFiDirectDeviceName(const DEVICE_ENTRY& device)
{
    return WiFiDirectText(device.chDeviceName, device.ulStringLen, sizeof device.chDeviceName);
}
