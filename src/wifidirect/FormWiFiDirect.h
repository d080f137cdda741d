#pragma once
// The Wi-Fi Direct window (what the main window needs of it so far).
#include <string>
#include <vector>

#include "ui/ExtCtrls.h"
#include "ui/Forms.h"
#include "ui/StdCtrls.h"
#include "wifidirect/FormWiFiDirectMediaSharing.h"
#include "wifidirect/FormWiFiDirectProfile.h"
#include "wifidirect/WiFiDirectSetting.h"
#include "wifidirect/WiFiDirectTopology.h"

class TFormWiFiDirect : public TForm {
public:
    explicit TFormWiFiDirect(TComponent* owner);
    ~TFormWiFiDirect() override;

    uint32_t m_ulMyRule = 0;
    BOOL m_bEnableAutonomousGO = FALSE;
    BOOL m_bSubFormsDestroyed = FALSE;
    BOOL m_bWiFiDirectEnabled = FALSE;
    int m_nNumOfMyGroup = 0;
    DEVICE_ENTRY MyDeviceData{};
    std::vector<WIFI_DIRECT_TOPOPOGY> m_vecTopology;
    BYTE m_WiFiDirectStatus[1808] = {};
    TImage* ImgWiFiDirectOn = nullptr;
    TImage* ImgWiFiDirectOff = nullptr;
    TLabel* lblHintToEnable = nullptr;
    CRITICAL_SECTION m_csOwnDevice;

    // Events fetched and acknowledged so far (MSG_WIFIDIRECT_EVENET).
    int m_nEventsHandled = 0;

    void SysBtnCloseClick(TObject* Sender);
    void Dispatch(TMessage& Message) override;
    // Fetches the library's Wi-Fi Direct event and acknowledges it.
    void OnWiFiDirectEvent();
    void EnableOrDisableWiFiDirect(BOOL bWiFiDirect, BOOL bReadWiFiDirectFlag, BOOL bPopDeviceName,
                                   BOOL bWriteWiFiDirectFlag);
    void InitializeVariablesAndStatus(BOOL bInitMenus);
    void StartWiFiDirectProgress(BOOL bStart, DWORD timeout);
    // Shows the on or off picture and the hint to enable.
    void ShowWiFiDirectState(bool on);
    // The known device with this address, or null.
    const DEVICE_ENTRY* FindDevice(const BYTE* mac) const;
};

extern TFormWiFiDirect* FormWiFiDirect;

// Fills the wizard's profile record for the peer of a WPS-done result (`wpsDone`:
// persistent byte, then the WPS-done content from offset 4) before it is saved.
void FillWiFiDirectProfileForPeer(WIFIDIRECT_WPSE_PROFILE& record, const BYTE* wpsDone, const DEVICE_ENTRY& peer,
                                  const std::string& ownDeviceName);
