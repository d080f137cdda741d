#pragma once
// The Wi-Fi Direct window and controller: turns Wi-Fi Direct on and off for the whole program,
// receives every Wi-Fi Direct event of the adapter library, acts on it and acknowledges it.
#include <string>
#include <vector>

#include "core/FormBase.h"
#include "resources/WvImage.h"
#include "ui/ExtCtrls.h"
#include "ui/Forms.h"
#include "ui/Menus.h"
#include "ui/StdCtrls.h"
#include "wifidirect/FormWiFiDirectMediaSharing.h"
#include "wifidirect/FormWiFiDirectProfile.h"
#include "wifidirect/WiFiDirectRecords.h"
#include "wifidirect/WiFiDirectSetting.h"
#include "wifidirect/WiFiDirectTopology.h"
#include "wlapi/constants.h"

// Work that callers on other threads hand to the window thread.
constexpr UINT MSG_WIFIDIRECT_STOP_PROGRESS = WM_APP + 0x160;
constexpr UINT MSG_WIFIDIRECT_ASK_DEVICE_NAME = WM_APP + 0x161;
constexpr UINT MSG_WIFIDIRECT_CLOSE_SUBFORMS = WM_APP + 0x162;

class TFormWiFiDirect : public TFormBase {
public:
    explicit TFormWiFiDirect(TComponent* owner);
    ~TFormWiFiDirect() override;

    // Controls.
    TWvImage* SysBtnClose = nullptr;
    TImage* ImgWiFiDirectOn = nullptr;
    TImage* ImgWiFiDirectOff = nullptr;
    TLabel* lblHintToEnable = nullptr;
    TGroupBox* grpBoxDeivceInfo = nullptr;
    TLabel* lblSSIDText = nullptr;
    TLabel* lblSSID = nullptr;
    TLabel* lblMACAddressText = nullptr;
    TLabel* lblMACAddress = nullptr;
    TLabel* lblPresharedKeyText = nullptr;
    TLabel* lblPreSharedKey = nullptr;
    TLabel* lblDeviceNum = nullptr;
    TWvImage* BtnWPSConnect = nullptr;
    TWvImage* BtnSetGOKey = nullptr;
    // Peer slots of the topology view, in the order of their placement keys.
    TImage* ImgDevice0 = nullptr;
    TImage* ImgDevice1 = nullptr;
    TImage* ImgDevice2 = nullptr;
    TImage* ImgDevice2_0 = nullptr;
    TImage* ImgDevice2_1 = nullptr;
    TImage* ImgDevice3 = nullptr;
    TImage* ImgDevice4 = nullptr;
    // Labels, connection marks and owner badges of the slots, in the same order
    // (the sub-group slots have no badge).
    TLabel* lblDevice0 = nullptr;
    TLabel* lblDevice1 = nullptr;
    TLabel* lblDevice2 = nullptr;
    TLabel* lblDevice2_0 = nullptr;
    TLabel* lblDevice2_1 = nullptr;
    TLabel* lblDevice3 = nullptr;
    TLabel* lblDevice4 = nullptr;
    TImage* ImgConnectDevice0 = nullptr;
    TImage* ImgConnectDevice1 = nullptr;
    TImage* ImgConnectDevice2 = nullptr;
    TImage* ImgConnectDevice2_0 = nullptr;
    TImage* ImgConnectDevice2_1 = nullptr;
    TImage* ImgConnectDevice3 = nullptr;
    TImage* ImgConnectDevice4 = nullptr;
    TImage* ImgDevice0_GO = nullptr;
    TImage* ImgDevice1_GO = nullptr;
    TImage* ImgDevice2_GO = nullptr;
    TImage* ImgDevice3_GO = nullptr;
    TImage* ImgDevice4_GO = nullptr;
    TImage* ImgIm_GO = nullptr;
    TPopupMenu* MyPopupMenu = nullptr;
    TPopupMenu* DevicePopupMenu = nullptr;
    TPopupMenu* DisconnectPopupMenu = nullptr;
    TPopupMenu* EmptyPopupMenu = nullptr;
    TWvImage* BtnRotationClockwise = nullptr;
    TWvImage* BtnRotationCounter = nullptr;
    TWvImage* BtnRotationClockwise_sub = nullptr;
    TWvImage* BtnRotationCounter_sub = nullptr;
    TTimer* TimerPopMsg = nullptr;
    TTimer* TimerShowProgressBar = nullptr;
    TTimer* TimerCheckConnectStatus = nullptr;
    TTimer* TimerDisableScan = nullptr;

    // State.
    WIFI_DIRECT_STATUS m_WiFiDirectStatus{};
    BOOL m_bEnableWiFiDirect = FALSE;
    int m_nDefaultIntentIndex = 0;
    int m_nSetIntentIndex = 0;
    std::string m_strVenderSSID;
    std::string m_strMyDeviceName;
    std::string m_strMyMacAddress;
    std::string m_strMySSID;
    uint32_t m_ulMyRule = WIFI_DIRECT_IS_CLIENT;
    std::string m_strMykey;
    DEVICE_ENTRY MyDeviceData{};
    std::vector<WIFI_DIRECT_TOPOPOGY> m_vecTopology;
    int n1stOrderDeviceNum = 0;
    int m_nIndexInVecForDevice0 = 0;
    int m_nIndexInVecForDevice2_0 = 0;
    DEVICE_ENTRY m_SeleteDeviceEntry{};
    DEVICE_ENTRY m_SeleteDeviceEntryForConnect{};
    std::string m_strConnectMac;
    BOOL m_bPopWiFiDirectSettingWindows = FALSE;
    int m_nPopWiFiDirectSettingWindows = 0;
    std::string m_strDeviceNum;
    int m_nWheelEvent = 3;
    int m_nWheelEventSubGroup = 3;
    POINT m_ptMouseDown{};
    int m_nMouseDownX = 0;
    int m_nMouseDownY = 0;
    POINT m_ptMouseMove{};
    BOOL m_bOK = FALSE;
    BOOL m_bEnableAutonomousGO = FALSE;
    std::string m_strMyWiFiDirectIPAddress = "0.0.0.0";
    BOOL m_bShowRotationButton = FALSE;
    int m_nNumOfMyGroup = 0;
    BOOL m_bAutoReconnect = TRUE;
    BYTE m_szLastActiveMacAddr[6] = {};
    // Set by the destructors of the main, profile and media-sharing windows: the turning-off
    // road then leaves those windows alone.
    BOOL m_bSubFormsDestroyed = FALSE;
    BOOL m_bMediaServerPresent = FALSE;
    std::string m_strDisplayPIN;
    std::string m_strProgressMsg;
    BOOL m_bDisableScan = FALSE;
    uint32_t m_WiFiDirectWvstatus = WvStatus_Disconnected;
    BYTE m_bGroupReady = 0;
    // Held by ShowMyInfo, which the main window's Wi-Fi Direct start-up thread reaches too.
    CRITICAL_SECTION m_csOwnDevice;

    // Events fetched and acknowledged so far (MSG_WIFIDIRECT_EVENET).
    int m_nEventsHandled = 0;
    // Event messages that came while an event was being handled (a modal opened by its
    // handler runs the message loop); each is posted again once that handler has ended.
    int m_nDeferredEvents = 0;

    void FormCreate(TObject* Sender) override;
    void FormShow(TObject* Sender);
    void SysBtnCloseClick(TObject* Sender);
    void ImgWiFiDirectOffDblClick(TObject* Sender);
    void ImgWiFiDirectOnDblClick(TObject* Sender);
    void ImgWiFiDirectOnClick(TObject* Sender);
    void ImgWiFiDirectOnMouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
    void TimerShowProgressBarTimer(TObject* Sender);
    void TimerPopMsgTimer(TObject* Sender);
    void Dispatch(TMessage& Message) override;
    void TimerDisableScanTimer(TObject* Sender);
    void TimerCheckConnectStatusTimer(TObject* Sender);
    void BtnWPSConnectClick(TObject* Sender);
    void BtnSetGOKeyClick(TObject* Sender);
    // Press, click, release and double-click on a device picture (slot: ring 0..4,
    // sub-group 5 for 2_0 and 6 for 2_1); X and Y are the picture's coordinates.
    void ImgDeviceMouseDown(int slot, TMouseButton Button, int X, int Y);
    void ImgDeviceClick(int slot);
    void ImgDeviceMouseUp(int slot, int X, int Y);
    void ImgDeviceDblClick(int slot);
    // The published handlers of each device picture, forwarding to the ones above.
    void ImgDevice0MouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
    void ImgDevice0MouseUp(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
    void ImgDevice0DblClick(TObject* Sender);
    void ImgDevice0Click(TObject* Sender);
    void ImgDevice1MouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
    void ImgDevice1MouseUp(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
    void ImgDevice1DblClick(TObject* Sender);
    void ImgDevice1Click(TObject* Sender);
    void ImgDevice2MouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
    void ImgDevice2MouseUp(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
    void ImgDevice2DblClick(TObject* Sender);
    void ImgDevice3MouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
    void ImgDevice3MouseUp(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
    void ImgDevice3DblClick(TObject* Sender);
    void ImgDevice3Click(TObject* Sender);
    void ImgDevice4MouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
    void ImgDevice4MouseUp(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
    void ImgDevice4DblClick(TObject* Sender);
    void ImgDevice4Click(TObject* Sender);
    void ImgDevice2_0MouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
    void ImgDevice2_0MouseUp(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
    void ImgDevice2_0DblClick(TObject* Sender);
    void ImgDevice2_1MouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
    void ImgDevice2_1MouseUp(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
    void ImgDevice2_1DblClick(TObject* Sender);
    void BtnRotationClockwiseClick(TObject* Sender);
    void BtnRotationCounterClick(TObject* Sender);
    void BtnRotationClockwise_subClick(TObject* Sender);
    void BtnRotationCounter_subClick(TObject* Sender);
    // A wheel notch at (X, Y) of the window's client area.
    void FormMouseWheel(int WheelDelta, int X, int Y);

    // Menu actions.
    void OnScan(TObject* Sender);
    void OnConnectDevice(TObject* Sender);
    void OnDisconnect(TObject* Sender);
    void OnAutonomousGO(TObject* Sender);
    void OnP2PPersistEnableDisable(TObject* Sender);
    void OnMediaSharing(TObject* Sender);
    void OnOpenProfile(TObject* Sender);
    void OnProvision(TObject* Sender);
    void OnDisconnectDevice(TObject* Sender);
    // Connects to a device the Wi-Fi Display window chose (address as "%02X:..").
    void WiFiDisplayConnectDevice(const std::string& name, const std::string& macText);

    // The one way to turn Wi-Fi Direct on or off.
    void EnableOrDisableWiFiDirect(BOOL bWiFiDirect, BOOL bReadWiFiDirectFlag, BOOL bPopDeviceName,
                                   BOOL bWriteWiFiDirectFlag);
    // The enable request of the Wi-Fi Display window.
    void RequestEnableWiFiDirect();
    void InitializeVariablesAndStatus(BOOL bInitMenus);
    // Pictures, hints, colours and placement from the skin file, then the state reset.
    void ArrangeResource();
    // Placement of the controls from the section "WiFiDirectForm" of a skin file.
    void ApplySkinPlacement(const std::string& skinFile);
    // Shows (after a second) or stops the progress dialog.
    void StartWiFiDirectProgress(BOOL bStartWiFiDirect, DWORD ulProgressTimeOut);
    // Fetches the library's last event into m_WiFiDirectStatus and acts on it.
    void GetWiFiDirectWpseStatus();
    // Shows the on or off picture and the hint to enable.
    void ShowWiFiDirectState(bool on);
    // The known device with this address, or null.
    const DEVICE_ENTRY* FindDevice(const BYTE* mac) const;

    // Steps owned by the topology, connection, persistent-group, warning and view code.
    void UpdateTopologyData();
    void TriggerWPS();
    void ConnectWiFiDirectCredential();
    void GenerateSeudoWiFiDirectProfile();
    void PopMsgAndInitSetting();
    void OnPersistentConnectFail();
    void OnDisplayPIN();
    BOOL CheckOKForAutoReconnect();
    void UpdatePersistForDisconnect(const BYTE* mac);
    void ShowWiFiDirectWarning(uint32_t code);
    void ShowMyInfo();
    void OnPopupConnectSetting();
    std::string GetWiFiDirectPersistProfileByMac(const BYTE* mac);
    void GetActiveProfileMacAddr();
    void CheckAndAutoReconnectWithPersist(const BYTE* mac);
    void GetAndSetMyIP();

    // The view.
    void UpdateTopology();
    void UpdateTopologySubGroup(int index);
    void HideFirstOrderDevices();
    void HideSecondOrderDevices();
    void ShowDeviceInfo();
    TImage* GetDevicePicture(const PRIMARY_DEVICE_TYPE& type, bool owner) const;
    // Where the connection mark of a slot (0..4 the ring, 5 and 6 the sub-group) goes: around a
    // line from just outside the slot's picture and label to just outside this device's picture
    // (the middle device's for the sub-group). `from` and `to` are the line's ends.
    RECT ConnectionMarkRect(int slot, POINT* from = nullptr, POINT* to = nullptr) const;
    void PlaceConnectionMarks();

private:
    DWORD m_dwWindowThread = 0;

    void MakeSlotDecorations();
    using MouseHandler = void (TFormWiFiDirect::*)(TObject*, TMouseButton, TShiftState, int, int);
    using NotifyHandler = void (TFormWiFiDirect::*)(TObject*);
    void WireDevicePicture(TImage* picture, MouseHandler down, MouseHandler up, NotifyHandler dblClick,
                           NotifyHandler click);
    void InitMenus();

    bool OnWindowThread() const;
    bool m_bHandlingEvent = false;
    // Fetches, handles and acknowledges one event; one at a time.
    void HandleEventMessage();
    void SendReadyAcknowledgement();
    void TurnOn(BOOL bWiFiDirect, BOOL bReadWiFiDirectFlag, BOOL bPopDeviceName);
    void TurnOff(BOOL bWriteWiFiDirectFlag);
    void AskDeviceName(const std::string& name);
    void UseComputerName();
    void ReadOwnAddress();
    void CheckMediaServer();
    void CloseSubForms();
    void StopProgress();
    void EnableWiFiDirectFromUser(bool stopZeroConfigOnXP64);
    void OnDisconnectEvent();
    void OnErrorEvent();
    void OnConnectComplete();
    void OnDiscoveryOrGroupUpdate(bool discovery);
    bool WiFiDisplayInUse() const;
    // Opens the wizard modally for an action, placed on this window; m_bOK tells the result.
    void OpenWizard(uint32_t action);
    void SendCommand(uint32_t configMode, const DEVICE_ENTRY* peer);
    // Refused connect, invitation or the wizard, for the device `target`.
    void ConnectTo(const DEVICE_ENTRY& target, const std::string& name);
    void ShowSubForm(TForm* form);
    // The saved profile whose peer is `mac` (record filled), or false.
    bool FindPersistProfile(const BYTE* mac, WIFIDIRECT_WPSE_PROFILE& found);
    // The warning text of an error code.
    std::string WarningText(uint32_t code, const std::string& peerName);
    void RepairPersistentGroup(const std::string& profileName);
    // The slot controls: pictures, labels, marks and badges (null for the sub-group).
    struct Slot {
        TImage* picture;
        TLabel* label;
        TImage* mark;
        TImage* badge;
    };
    Slot SlotAt(int slot) const;
    const DEVICE_ENTRY* DeviceInSlot(int slot) const;
    void DrawSlot(int slot, const DEVICE_ENTRY& e, bool legacyPicture);
};

extern TFormWiFiDirect* FormWiFiDirect;

// Fills the wizard's profile record for the peer of a WPS-done result (`wpsDone`:
// persistent byte, then the WPS-done content from offset 4) before it is saved.
void FillWiFiDirectProfileForPeer(WIFIDIRECT_WPSE_PROFILE& record, const BYTE* wpsDone, const DEVICE_ENTRY& peer,
                                  const std::string& ownDeviceName);
