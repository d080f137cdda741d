#include "wifidirect/WiFiDirectSetting.h"

TFormWiFiDirectSetting* FormWiFiDirectSetting = nullptr;
