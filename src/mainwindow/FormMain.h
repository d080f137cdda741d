#pragma once
// The main window: link state, radio and security icons, the buttons that open
// the other windows, the adapter start-up, the action queue and the adapter
// callback.
#include <windows.h>
#include <shellapi.h>

#include <functional>
#include <memory>
#include <string>

#include "core/FormBase.h"
#include "mainwindow/ActionQueue.h"
#include "mainwindow/MainWindowServices.h"
#include "resources/WvImage.h"
#include "ui/Forms.h"
#include "ui/Menus.h"
#include "wlapi/constants.h"
#include "wlapi/records.h"

// Work of the adapter callback handed over to the window thread.
constexpr UINT MSG_CALLBACK_CCX_DIAG = WM_APP + 20;
constexpr UINT MSG_CALLBACK_WPS_EAP = WM_APP + 21;

// An icon change handed to the window thread (wParam type, lParam state).
constexpr UINT MSG_TRAY_MODIFY_ICON = WM_APP + 22;

class TFormMain : public TFormBase {
public:
    explicit TFormMain(TComponent* owner);
    ~TFormMain() override;

    // Controls.
    TImage* ImgPartition = nullptr;
    TWvImage* SysBtnHelp = nullptr;
    TWvImage* SysBtnClose = nullptr;
    TWvImage* BtnHotSpot = nullptr;
    TWvImage* BtnWiFiDisplay = nullptr;
    TWvImage* BtnExtendedAP = nullptr;
    TWvImage* BtnWiFiDirect = nullptr;
    TWvImage* BtnSiteSurvey = nullptr;
    TWvImage* BtnLinkInfo = nullptr;
    TWvImage* BtnProfile = nullptr;
    TWvImage* BtnAdvanced = nullptr;
    TWvImage* BtnAbout = nullptr;
    TWvImage* ImgRadioOff = nullptr;
    TImage* ImgRadioOn = nullptr;
    TImage* ImgKeyDisabled = nullptr;
    TImage* ImgKeyEnable = nullptr;
    TImage* ImgLinkQualityDisconnected = nullptr;
    TImage* ImgLinkQuality = nullptr;
    TImage* ImgLinkQualityDiabled = nullptr;
    TLabel* lblSSIDText = nullptr;
    TLabel* lblSSID = nullptr;
    TLabel* lblTxRateText = nullptr;
    TLabel* lblTxRate = nullptr;
    TLabel* lblChannelText = nullptr;
    TLabel* lblChannel = nullptr;
    TLabel* lblIPAddressText = nullptr;
    TLabel* lblIPAddress = nullptr;
    TLabel* lblIPMaskText = nullptr;
    TLabel* lblIPMask = nullptr;
    TPopupMenu* TrayPopMenu = nullptr;
    TMenuItem* ID_TRAY_LAUNCH = nullptr;
    TMenuItem* N3 = nullptr;
    TMenuItem* ID_TRAY_EXIT = nullptr;

    // Timers (all stopped at creation).
    TTimer* TimerRadioStatus = nullptr;
    TTimer* TimerSignalQuality = nullptr;
    TTimer* TimerReconnect = nullptr;
    TTimer* TimerRescan = nullptr;
    TTimer* TimerScanTable = nullptr;
    TTimer* TimerSessionID = nullptr;
    TTimer* TimerCheckIniDebugMode = nullptr;
    TTimer* TimerCheckWPACap = nullptr;
    TTimer* TimerGetTScanTblUSB11 = nullptr;
    TTimer* TimerCheckWiFiDirect = nullptr;
    TTimer* WiFiDirectWakeUpControlTimer = nullptr;
    TTimer* TimerRetryOn = nullptr;

    // Members, in declaration order.
    int m_nDragTop = 0, m_nDragLeft = 0;
    int m_nDragX = 0, m_nDragY = 0;
    int m_nCountWaitInit = 0;
    BOOL m_bSelectingAdapter = FALSE;
    BOOL m_bHideAPButton = TRUE;
    BOOL m_bIsHardwareRadioOff = TRUE, m_bIsSoftwareRadioOff = TRUE;
    BOOL m_bRadio = FALSE;
    DWORD m_dwOwnSessionId = 0, m_dwLastSessionId = 0;
    BOOL m_bSessionLock = FALSE;
    HMODULE m_hKernel32 = nullptr;
    DWORD(WINAPI* m_pfnGetActiveConsoleSessionId)() = nullptr;
    TActionQueue* m_pActionDataList = nullptr;
    NOTIFYICONDATAA m_TrayIconData{};
    DWORD m_nSignalTimerTicks = 0;
    DWORD m_nNowIcon = 0;
    int m_nNowIconType = 0;
    BOOL m_bDeviceExist = FALSE, m_bPreStatusDeviceExist = FALSE;
    BOOL m_bReConnect = TRUE;
    BOOL m_bRotateProfile = TRUE;
    BOOL m_bRetryConnect = FALSE;
    DWORD m_nAuthFailState = 3, m_nAuthRetryCount = 0;
    WLANPROFILE* m_pProfData = nullptr;
    // The profile last handed to WVWL_SetWLANProfile, as sent (identity, MFP and power-save
    // filled in): an authentication retry sends it again.
    std::unique_ptr<WLANPROFILE> m_pSentProfile;
    BOOL m_bHideWiFiDirect = FALSE;
    std::string m_strWirelessMode;
    std::string m_strDriverVersion;
    int m_nDriverMajor = -1;
    DWORD m_nChannelMode = 0;
    DWORD m_enumPhyMode = 0;
    BOOL m_bSavedWiFiDirectFlag = FALSE;
    // Set by the first suspend, cleared by the wake-up that gives the flag back.
    bool m_bWiFiDirectFlagSaved = false;
    HDEVNOTIFY m_hDevNotify = nullptr;
    // The last Wi-Fi Direct start-up thread; the window's destruction lets it finish first.
    HANDLE m_hInitWiFiDirectThread = nullptr;

    // Life (window thread).
    void FormCreate(TObject* Sender) override;
    void FormShow(TObject* Sender);
    void FormDestroy(TObject* Sender);
    void SysBtnCloseClick(TObject* Sender);
    void SysBtnHelpClick(TObject* Sender);
    void BtnProfileClick(TObject* Sender);
    void BtnSiteSurveyClick(TObject* Sender);
    void BtnWiFiDirectClick(TObject* Sender);
    void BtnLinkInfoClick(TObject* Sender);
    void BtnAdvancedClick(TObject* Sender);
    void BtnExtendedAPClick(TObject* Sender);
    void BtnAboutClick(TObject* Sender);
    void BtnWiFiDisplayClick(TObject* Sender);
    void BtnHotSpotClick(TObject* Sender);
    void ImgBackgroundMouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void ImgBackgroundMouseMove(TObject* Sender, TShiftState Shift, int X, int Y) override;
    bool IsDockedTo(TForm* child, int mainTop, int mainLeft, int mainHeight, int mainWidth);
    // The link state is queried unless the caller passes what it has just read.
    void ShoworHideSTAButton(const WLAN_STATUS* linkStatus = nullptr);

    // Action queue and identity questions.
    int InsertAction(ACTION_DATA action);
    // Runs the queue when requests wait that nothing blocks any longer (a scan at the front
    // that has finished, failed or waited its bound); the site survey's tick calls it.
    void ResumeActions();
    bool QueueMustWait() const;
    int InsertScanAction();
    static void SetProfData(WLANPROFILE* destination, const WLANPROFILE* source);
    void ActionExec();
    int AskIdPassword();
    int CheckSSOIdPassword();
    int ShowInvalidIdPassword();
    void OnAuthFailRetry();
    void OnChangePasswordRequest();

    // Adapter detection and start-up.
    int DetectAdapter();
    void InitCard();
    void CheckAndInitWiFiDirect();
    void CheckAndInitWiFiDisplay();
    void InitCard_SetOidFromReg(bool bSetAdvance, bool bConnect);
    void SetZeroConfigControl(bool enable);
    void StopZeroConfigService(bool setDemandStart);

    // Adapter arrival and removal, suspend and resume.
    void OnDeviceChange(TObject* Sender);
    void TimerWiFiDirectWakeUpControlTimer(TObject* Sender);
    void SaveWiFiDirectFlagForWakeUp();

    // Messages, timers and radio.
    void CheckRadioStatus();
    void ImgRadioOffClick(TObject* Sender);
    void ImgRadioOnClick(TObject* Sender);
    void ActionTurnOnOffRadio(BOOL bOn);
    void StopTimers();
    void ConnectPreviousProfileSetting();
    void UpdateSignalTrayIcon();
    int GetScanListForUSB11();
    void GetChannelMode();
    DWORD WirelessModeFromBand(const std::string& band);
    void ReLaunchUtility();
    void TimerRadioStatusTimer(TObject* Sender);
    void TimerSignalQualityTimer(TObject* Sender);
    void TimerReconnectTimer(TObject* Sender);
    void TimerRescanTimer(TObject* Sender);
    void TimerScanTableTimer(TObject* Sender);
    void TimerSessionIDTimer(TObject* Sender);
    void TimerCheckIniDebugModeTimer(TObject* Sender);
    void TimerCheckWPACapTimer(TObject* Sender);
    void TimerGetTScanTblUSB11Timer(TObject* Sender);
    void TimerShoworHideWiFiDirectLabelTimer(TObject* Sender);
    void OnScanFail();
    void OnInterfaceArrival();
    void OnEnableMainWindow(WPARAM wParam);
    void OnSiteSurveyConnect();
    void OnReceiveTrayExitMsg();
    void OnNdisStatusMediaConnectMessage();
    void OnConnectComplete();

    // Tray icon and menu.
    BOOL SetTrayIcon();
    BOOL ModifyTrayIcon(int nType, DWORD nIcon);
    BOOL PopUpMsgTrayIcon(NOTIFYICONDATAA& balloon);
    HICON GetTrayIconHandle(DWORD nIcon);
    std::string GetTrayTipText(DWORD nIcon);
    BOOL DeleteTrayIcon();
    void OnTrayIconMessage(LPARAM lParam);
    void OnAppMinimize(TObject* Sender);
    void OnAppRestore(TObject* Sender);
    void OnTrayLaunch(TObject* Sender);
    void OnTrayExit(TObject* Sender);

    // Wi-Fi Direct and Wi-Fi Display event pipeline.
    DWORD CreateEventAndStartThread(int request);
    void InitWiFidirect(BOOL bUserRequest);
    void CreateWDPEvent(BOOL bCreate);
    int SetWDPEventHandleToDriver();
    void ActionForSigma(BYTE eventCode);

    // --- Tray menu, tray hand-over and operating-mode switches -------------------------
    // Rebuilds the optional menu items; false when the menu must not open.
    bool BuildTrayMenu();
    void ShowPopMenu();
    void OnTrayAbout(TObject* Sender);
    void OnTrayHelp(TObject* Sender);
    // MSG_TRAY_MODIFY_ICON: an icon change handed over from another thread.
    void OnTrayModifyMessage(WPARAM wParam, LPARAM lParam);
    void OnTraySwitchApMode(TObject* Sender);
    void OnTraySwitchWvconfig();
    void OnTraySwitchZeroConfig(TObject* Sender);
    void OnTraySwitchAPClientMode(TObject* Sender);
    void OnTraySwitchSTAMode(TObject* Sender);
    void OnTraySwitchWiFiDirectConcurrentMode(TObject* Sender);
    // Enabled state of the buttons that need this program to control the adapter.
    void RefreshControlledButtons(bool includeProfileButton);
    // --- end of tray block --------------------------------------------------------------

    // Window procedure (device and power events) and message map.
    void WndProc(TMessage& Message) override;
    void Dispatch(TMessage& Message) override;

private:
    void RemovalCleanup();
    void ArrivalSteps();
    void RemovalSteps();
    bool ExecuteProfileAction(const TActionQueue::Entry& action);
    void ExecuteWiFiDirectProfileAction(const TActionQueue::Entry& action);
    void SendCcxInfo(bool needExactlyOne);
    void PlaceBelow(TForm* form);
    // The window's first place on the screen.
    void PlaceFirst();
    void ReapplyProfileAfterSessionSwitch();

    bool m_bExecutingActions = false;
    bool m_bInInitCard = false;
    int m_nLastMoveX = 0, m_nLastMoveY = 0;
    bool m_bMovedOnce = false;
};

extern TFormMain* FormMain;
extern WLANPROFILE* g_pRegProfData;
extern char g_szPacPath[256];
extern char g_szPacAid[128];

// Wi-Fi Direct and Wi-Fi Display status events handed to the adapter library.
extern HANDLE m_hWiFiDirectStatusEvent;
extern HANDLE m_hWiFiDisplayStatusEvent;
extern volatile LONG g_bStopWiFiDirectThread;
// Security attributes that let every local user signal an event; the caller
// frees lpSecurityDescriptor with LocalFree.
int CreateMyDACL(SECURITY_ATTRIBUTES* attributes);

// The adapter library's event callback. `out` carries the address of a text
// buffer of the library's.
void WINAPI rsCallBackFunc(int code, const void* data, int out);

// --- Tray, event threads and operating-mode switches ---------------------------------
// Closes the status-event handles whose threads ended, once the adapter library holds a
// newer one or has been de-initialised.
void CloseRetiredStatusEvents();
// Ends the Wi-Fi Display event waiter before the windows it posts to are destroyed.
void StopWiFiDisplayEventThread();
// The relaunch program's command line: its full path in the program's folder, this
// program's file name, the main window's caption and, when given, the program to start next.
std::string RelaunchCommandLine(const std::string& nextProgram);
UINT RunRelaunch(const std::string& nextProgram);
// Whether the Windows WLAN service runs.
bool IsWlanServiceRunning();
// Test seam: appended to the status events' names so that test processes running side by
// side do not share one named event.
extern std::string statusEventNameSuffix;
// Test seams: replace WinExec of the relaunch, and the WLAN service check.
extern std::function<UINT(const std::string& command, UINT show)> relaunchExecOverride;
extern std::function<bool()> wlanServiceRunningOverride;
