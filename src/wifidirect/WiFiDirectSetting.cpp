#include "wifidirect/WiFiDirectSetting.h"

#include <cstdio>
#include <cstring>

#include "core/Log.h"
#include "core/WvwlLib.h"
#include "wifidirect/FormWiFiDirect.h"
#include "wlapi/constants.h"
#include "wlapi/result.h"

TFormWiFiDirectSetting* FormWiFiDirectSetting = nullptr;

TFormWiFiDirectSetting::TFormWiFiDirectSetting(TComponent* owner) : TForm(owner)
{
    Name = "FormWiFiDirectSetting";
    SetBorderStyle(bsNone);
    SetClientSize(400, 330);
}

namespace {

// The PIN bytes as a number, up to the first byte that is no digit.
uint32_t PinNumber(const uint8_t* pin)
{
    uint32_t n = 0;
    for (size_t i = 0; i < 8 && pin[i] >= '0' && pin[i] <= '9'; ++i)
        n = n * 10 + uint32_t(pin[i] - '0');
    return n;
}

std::string PinText(uint32_t pin)
{
    char text[16];
    const bool eight = pin >= 10000 && pin <= 99999999;
    std::snprintf(text, sizeof text, eight ? "%08u" : "%04u", unsigned(pin));
    return text;
}

}  // namespace

void TFormWiFiDirectSetting::SetWifiDirectWpseConfig()
{
    TFormWiFiDirect* direct = FormWiFiDirect;
    WIFIDIRECT_WPSE_PROFILE& r = m_data_WIFIDIRECT_WPSE_Profile;
    const bool inGroup = direct && ((direct->MyDeviceData.EntryStatus & ENTRYSTATUS_GOREADY) || direct->m_nNumOfMyGroup > 1);
    if (VOZEZIV.WVWL_QueryOPMode() != OP_MODE_STA_WIFI_DIRECT && !inGroup) {
        if (VOZEZIV.nWinOS >= 31) {
            VOZEZIV.WVWL_WlanDisconnect();
            VOZEZIV.WVWL_WlanDeleteAllWindowsProfiles();
        } else {
            VOZEZIV.WVWL_SetAuthMode(0);
            VOZEZIV.WVWL_Disconnect();
        }
    }
    VOZEZIV.WVWL_WriteWPSFlag(FALSE);
    VOZEZIV.WVWL_WriteWifiDirectFlag(TRUE);
    if (direct) {
        std::memset(&direct->m_SeleteDeviceEntry, 0, sizeof direct->m_SeleteDeviceEntry);
        std::memcpy(direct->m_SeleteDeviceEntry.chMacAddr, r.DesiredMacAddr[0], 6);
    }
    r.ConfigMode = CONFIG_MODE_CONNECT;
    const int result = VOZEZIV.WVWL_SetWifiDirectWpseConfig(&r);
    PrintMessage(6, " SetWifiDirectWpseConfig:: WVWL_SetWifiDirectWpseConfig return %d\n", result);
    m_strTempPinCode.clear();
    if (!direct)
        return;
    direct->m_strDisplayPIN.clear();
    if (result == WVWL_ERROR_SUCCESS && r.WpsMethod == WIFI_DIRECT_WPSE_PIN_MODE_REGISTRA_SPEC) {
        m_ulWiFiDirectDefPin = PinNumber(r.PIN);
        direct->m_strDisplayPIN = PinText(m_ulWiFiDirectDefPin);
    }
    if (m_enumActionTpye == ACTION_CONNECT && r.WpsMethod == WIFI_DIRECT_WPSE_PIN_MODE_USER_SPEC) {
        direct->m_strMykey.clear();
        direct->m_strConnectMac.clear();
        direct->StartWiFiDirectProgress(FALSE, 0);
        direct->m_bOK = FALSE;
        return;
    }
    direct->m_strMySSID = WiFiDirectText(r.SSID, r.SSIDLength, sizeof r.SSID);
    if (m_enumActionTpye == ACTION_CONNECT || m_enumActionTpye == ACTION_AUTONOMOUSGO ||
        m_enumActionTpye == ACTION_GET_CONNECT_REQUEST)
        direct->m_nSetIntentIndex = int(r.GoIntentIdx);
    direct->m_strMykey.clear();
    direct->ShowMyInfo();
    direct->m_strConnectMac.clear();
    direct->StartWiFiDirectProgress(FALSE, 0);
    direct->m_bOK = TRUE;
}
