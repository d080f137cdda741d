#include "wifidirect/WiFiDirectRecords.h"

#include <cstring>

std::string WiFiDirectText(const void* field, uint32_t length, size_t width)
{
    const char* text = static_cast<const char*>(field);
    const size_t used = std::min<size_t>(length, width);
    return std::string(text, strnlen(text, used));
}

size_t WiFiDirectGroupCount(const WIFI_DIRECT_STATUS& status)
{
    return std::min<size_t>(status.WifiDirectStateContext.Group.chNumOfGroup, WIFI_DIRECT_MAX_ENTRIES);
}

size_t WiFiDirectDiscoveryCount(const WIFI_DIRECT_STATUS& status)
{
    return std::min<size_t>(status.WifiDirectStateContext.Discovery.chTotalNumber, WIFI_DIRECT_MAX_ENTRIES);
}

std::string WiFiDirectWpsDoneKey(const WIFI_DIRECT_STATUS& status)
{
    const WIFI_DIRECT_WPS_DONE_CONTENT& c = status.WifiDirectStateContext.WpsDone.WpsDoneContent;
    return WiFiDirectText(c.Key, c.KeyLength, sizeof c.Key);
}

bool IsWiFiDirectEventCode(uint8_t code)
{
    return (code >= WIFIDIRECTEVENT_DISCOVERY_START && code <= WIFIDIRECTEVENT_SUPPORT_CROSSCONNECTION) ||
           (code >= WIFIDIRECTEVENT_SIGMA_IS_ON && code <= WIFIDIRECTEVENT_DISCONNECT_MANUAL);
}

int WiFiDirectControlIntent(const WIFI_DIRECT_CONTROL& control)
{
    return control.ControlBits >> 4;
}

uint16_t WiFiDirectControlConfigMethod(const WIFI_DIRECT_CONTROL& control)
{
    return uint16_t((control.MethodBits >> 4) & 7);
}

std::string WiFiDirectControlVenderSSID(const WIFI_DIRECT_CONTROL& control)
{
    if (control.VenderSSIDLength == 0)
        return std::string();
    return WiFiDirectText(control.VenderSSID, control.VenderSSIDLength, sizeof control.VenderSSID);
}
