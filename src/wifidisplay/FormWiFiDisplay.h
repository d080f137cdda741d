#pragma once
// The Wi-Fi Display window: the driver's Wi-Fi Display devices, the local role, connecting to
// a device over Wi-Fi Direct or TDLS and controlling the running session.
#include <memory>
#include <string>
#include <vector>

#include "core/FormBase.h"
#include "resources/WvImage.h"
#include "ui/ComCtrls.h"
#include "ui/ExtCtrls.h"
#include "ui/Forms.h"
#include "ui/Menus.h"
#include "ui/StdCtrls.h"
#include "wifidisplay/FormWFADispDevDetailInfo.h"
#include "wifidisplay/WDPSink.h"
#include "wifidisplay/WDPSource.h"
#include "wifidisplay/WiFiDisplayWaning.h"
#include "wifidirect/WiFiDirectRecords.h"
#include "wlapi/records.h"

// Connection kinds of m_iNowConnectType.
constexpr int WDP_CONNECT_NONE = -1;
constexpr int WDP_CONNECT_P2P = 0;
constexpr int WDP_CONNECT_TDLS = 1;

// The data of one list row.
struct WDP_SURVEY_INFO_EX {
    std::string strDevName;
    std::string strDevType;
    std::string strDevMac;
};

class TFormWiFiDisplay : public TFormBase {
public:
    explicit TFormWiFiDisplay(TComponent* owner);
    ~TFormWiFiDisplay() override;

    // Controls.
    TLabel* Label1 = nullptr;
    TLabel* lblWindowText = nullptr;
    TWvImage* BtnWDPRescan = nullptr;
    TWvImage* BtnWDPPlay = nullptr;
    TWvImage* BtnWDPPause = nullptr;
    TWvImage* BtnWDPTeardown = nullptr;
    TWvImage* WvImage1 = nullptr;
    TWvImage* WvImage2 = nullptr;  // close button
    TImageList* ImageWDPList = nullptr;
    TListView* lvWDPList = nullptr;
    TPopupMenu* SortByPopupMenu = nullptr;
    TMenuItem* ID_TRAY_DEVICENAME = nullptr;
    TMenuItem* ID_TRAY_DEVICETYPE = nullptr;
    TMenuItem* ID_TRAY_DEVICEMAC = nullptr;
    TMenuItem* ID_TRAY_DEVINFO = nullptr;
    TMenuItem* ID_TRAY_CONNECT = nullptr;
    TMenuItem* ID_TRAY_TDLS_CONNECT = nullptr;
    TMenuItem* ID_TRAY_DISABLE_WIFIDISPLAY = nullptr;
    TGroupBox* GroupBox1 = nullptr;
    TRadioButton* rbSource = nullptr;
    TRadioButton* rbPSink = nullptr;
    TRadioButton* rbSSink = nullptr;
    TLabel* labStatus = nullptr;
    TButton* BtnOCP = nullptr;
    TButton* BtnZoomIn = nullptr;
    TButton* BtnZoomOut = nullptr;
    TButton* BtnCancelZoomMode = nullptr;
    TCheckBox* CheckCaptureCursor = nullptr;
    TButton* TestSnBut = nullptr;
    TButton* TestSoBut = nullptr;
    TButton* TestBut = nullptr;
    TEdit* editIPPath = nullptr;
    TTimer* TimerConnectRTSPServer = nullptr;
    TTimer* TimerRTSPRetry = nullptr;
    TTimer* TimerStatus = nullptr;
    TTimer* TimerKeepalive = nullptr;
    TTimer* TimerCheckIfWDPSigmaStart = nullptr;

    // Driver state and the Wi-Fi Direct copies the names come from.
    WDP_TABLE m_WDPTable{};
    WDP_CONFIG m_WDPConfig{};
    WIFI_DIRECT_GROUP_TABLE m_P2PGroupCopy{};
    WIFI_DIRECT_DISCOVERY_TABLE m_P2PDiscoveryCopy{};
    int m_nSortingIndex = 1;  // 1 name, 2 type, 3 MAC
    std::vector<std::unique_ptr<WDP_SURVEY_INFO_EX>> m_SurveyInfo;

    // Connection state.
    WDP_ENTRY m_SelectedEntry{};
    WDP_SURVEY_INFO_EX m_SelectedDevice;
    int m_iNowConnectType = WDP_CONNECT_NONE;
    int m_iZoomLevel = 0;
    int m_bDisplayStatus = 1;
    BYTE m_P2PInterfaceMac[6] = {};
    BYTE m_P2PDeviceMac[6] = {};
    std::string m_strP2PInterfaceMac;
    std::string m_strWDPConnectedIP;
    int m_iWDPConnectedPort = 0;
    std::string m_strWDPConnectedMac;
    BYTE m_TDLSPeerMac[6] = {};
    uint32_t iUseTDLS = 0;
    int m_bIsWDPSigma = 0;
    BYTE m_TestParameters[4] = {};
    BYTE m_chTDLS = 0;

    WDPSource m_Source;
    WDPSink m_Sink;

    // Driver events received so far (MSG_WIFIDISPLAY_EVENET).
    int m_nEventsHandled = 0;

    void FormCreate(TObject* Sender) override;
    void Dispatch(TMessage& Message) override;

    // Device table and list.
    int QueryWDPTable();
    void ReadWDPConfig();
    int SetWDPConfigToDriver(int enable);
    void GetUpdateDiscovery();
    void RefreshWDPDeviceList();
    // Name of the device with this MAC from the Wi-Fi Direct copies (up to 32 bytes).
    int GetP2PDevName(const BYTE* mac, char* name, int size);
    int FindDeviceByDevMac(const std::string& mac, WDP_ENTRY* entry);
    std::string FindBSSIDByDeviceMacInWDPTable(const std::string& mac);
    std::string FindTDLSMacByDeviceMacInWDPTable(const std::string& mac);
    int FindPCBitByMac(const std::string& mac);
    int FindOppositeRTSPPort();
    void OnSortByDeviceName(TObject* Sender);
    void OnSortByDeviceType(TObject* Sender);
    void OnSortByDeviceMac(TObject* Sender);

    // Window operations other windows call.
    int StartWDPConnect();
    int SetStatusConnect(int type, const std::string& tdlsMac);
    int SetStatusDisconnect(int type);
    int GetNowConnectType() const { return m_iNowConnectType; }
    void ResetWDPView();
    void ResetAllParameter();
    void SetSessionIDToDriver(const std::string& sessionId, const std::string* secondSessionId);
    int IsDeviceCorrect(const WDP_SURVEY_INFO_EX& device);
    void EnableWDPPlayControlButton(bool enable);
    void EnableSettingWDPRoleType(bool enable);
    void SetUIDeviceType(int type);
    void UpdateRoleRadioButtons();
    void SetUIBCPanelVisable(bool visible);
    void EnableConnectRTSPServerTimer(bool enable);
    void EnableRTSPRetryTimer(bool enable);
    void IsEnableKeepaliveTimer(bool enable);
    void SetEnableTDLSToDriver(int enable);
    // Asks the driver for a TDLS link to the peer with this TDLS MAC text: 1 sent, 0 refused.
    int DoTDLS(int reserved, const std::string& tdlsMac);
    void TDLSTeardownAll();
    void TDLSTunnedel(const BYTE* mac);
    void GetConnectedDeviceP2PDevMacAddress();
    // The peer's addresses on the link.
    void GetConnectedDeviceP2Pinterface();
    std::string GetWDPOppositeIP();
    std::string GetClientIPFromDHCPServer();
    void SendUDPToOne();
    std::string FindIPByDevMacInWDPTable(const std::string& mac);
    // Timers.
    void TimerConnectRTSPServerRun(TObject* Sender);
    void TimerRTSPRereyRun(TObject* Sender);
    void TimerStatusRun(TObject* Sender);
    void SetStatusText(const std::string& text);
    // Whether capture shows the cursor: the settings below Windows code 51, else the check box.
    int CaptureCursorChoice();
    // Local role from the checked radio button: 0 source, 1 primary sink, 2 secondary sink.
    int LocalRole() const;

    // Handlers.
    void SysBtnCloseClick(TObject* Sender);
    void BtnWDPRescanClick(TObject* Sender);
    void OnRBSourceClick(TObject* Sender);
    void OnRBPSinkClick(TObject* Sender);
    void OnRBSSinkClick(TObject* Sender);
    void BtnWDPPlayClick(TObject* Sender);
    void BtnWDPPauseClick(TObject* Sender);
    void BtnWDPTeardownClick(TObject* Sender);
    void OnSortPopupMenu(TObject* Sender);
    void OnDevInfoClick(TObject* Sender);
    void OnSortDeviceConnect(TObject* Sender);
    void OnTDLSConnectClick(TObject* Sender);
    void OnSoreMenuDisableWiFiDisplay(TObject* Sender);
    void BtnCaptureCursorClick(TObject* Sender);

    // Remote input to a source (UibcWindow.cpp): the control panel, its zoom buttons and the
    // messages it posts, turned into packets by the sink.
    void OnBtnOpenControlPanel(TObject* Sender);
    void OnZoomInClick(TObject* Sender);
    void OnZoomOutClick(TObject* Sender);
    void OnCancelZoomModeClick(TObject* Sender);
    bool HandleUIBCMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void CloseControlPanel();

    // Driver events and test automation (WDPEvents.cpp), each given the whole status record.
    void DoWDPSigmaEvent(const WDP_STATUS& status);
    void DoWDPSigmaRTSPEvent(const WDP_STATUS& status);
    void DoWDPSigmaSetParameterEvent(const WDP_STATUS& status);
    void DoWDPSigmaAction(const WDP_STATUS& status);
    void DoPresetTestParameter(const WDP_STATUS& status);
    // The driver's list of video formats (64 bytes), logged.
    int QueryVideoarray();
    BYTE m_VideoArray[64] = {};

private:
    bool HandleSourceMessage(unsigned message, WPARAM wParam);
    bool HandleSinkMessage(unsigned message);
    // Calls into the Wi-Fi Direct window.
    void WiFiDirectScan();
    void WiFiDirectDisconnect();
    void WiFiDirectConnectDevice(const std::string& name, const std::string& mac);
    void SetRole(int type);
    void StopSessionUI();
    std::string SortText(const WDP_SURVEY_INFO_EX& info) const;
    const WDP_ENTRY* ValidEntry(int k) const;
    int ValidCount(bool logLimit) const;
    void ResetToDefault(const WDP_STATUS& status);
    void StartConnectionEvent(const WDP_STATUS& status);
    void SourceAction(int action, const WDP_STATUS& status);
    void SinkAction(int action, const WDP_STATUS& status);
};

extern TFormWiFiDisplay* FormWiFiDisplay;

// "Source", "P-Sink", "S-Sink" or "Source/P-Sink" from DevInfo bits 0-1.
const char* WDPDeviceTypeText(uint16_t devInfo);
// "%02X:%02X:%02X:%02X:%02X:%02X" (or with dashes) of six bytes.
std::string WDPMacText(const BYTE* mac, char separator = ':');
