// The Wi-Fi Display window's TDLS road: the link request to the driver and the connect item
// of the device list's popup, which waits in the TDLS dialog for the peer's address.
#include "wifidisplay/FormWiFiDisplay.h"

#include <cstdio>
#include <cstring>

#include "core/Helpers.h"
#include "core/Log.h"
#include "core/WvwlLib.h"
#include "wifidisplay/FormWDPTDLSProgressMsg.h"

int TFormWiFiDisplay::DoTDLS(int, const std::string& tdlsMac)
{
    std::string digits = tdlsMac;
    DelectLabelInMac(digits);
    if (digits.size() != 12 || !IsHexString(digits)) {
        PrintMessage(2, "[WDP][DoTDLS] strMac length !=12 error return (%s)\n", tdlsMac.c_str());
        return 0;
    }
    HexTextToBytes(digits, m_TDLSPeerMac, 6);
    char text[18];
    std::snprintf(text, sizeof text, "%02x-%02x-%02x-%02x-%02x-%02x", m_TDLSPeerMac[0], m_TDLSPeerMac[1],
                  m_TDLSPeerMac[2], m_TDLSPeerMac[3], m_TDLSPeerMac[4], m_TDLSPeerMac[5]);
    m_strWDPConnectedMac = text;
    TDLS_REQUEST request{};
    std::memcpy(request.PeerMac, m_TDLSPeerMac, 6);
    request.Action = 1;
    request.Kind = 2;
    const int result =
        VOZEZIV.WVWL_OIDSetInfo ? VOZEZIV.WVWL_OIDSetInfo(OID_WDP_SET_TDLS_SETUP, &request, sizeof request) : -1;
    PrintMessage(6, "[WDP][DoTDLS] %s result=%d\n", text, result);
    return 1;
}

void TFormWiFiDisplay::OnTDLSConnectClick(TObject*)
{
    if (IsDeviceCorrect(m_SelectedDevice) == 0)
        return;
    const std::string device = m_SelectedDevice.strDevMac;
    DoTDLS(0, FindTDLSMacByDeviceMacInWDPTable(device));
    TFormWDPTDLSProgressMsg* wait = FormWDPTDLSProgressMsg;
    if (!wait)
        return;
    wait->SetTargetMac(device);
    wait->ShowModal();
    if (wait->m_bTDLSConnectFail) {
        PrintMessage(6, "[WDP][OnTDLSConnectClick] TDLS connect fail\n");
        return;
    }
    m_strWDPConnectedMac = device;
    m_strWDPConnectedIP = wait->m_strTDLSIP;
    SetStatusConnect(WDP_CONNECT_TDLS, device);
    StartWDPConnect();
}
