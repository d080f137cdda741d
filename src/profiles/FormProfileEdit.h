#pragma once
// The profile editor: a new or stored profile (add and edit mode), or a secured network of
// the site survey given its key or 802.1X settings before the first connect (site-survey
// mode). Next and Back route between the pages by the choices made on them.
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/FormBase.h"
#include "profiles/FrameProfileEdit8021X.h"
#include "profiles/FrameProfileEditAdvanced.h"
#include "profiles/FrameProfileEditClientCert.h"
#include "profiles/FrameProfileEditEAPFast.h"
#include "profiles/FrameProfileEditExtregWPSProfile.h"
#include "profiles/FrameProfileEditKey.h"
#include "profiles/FrameProfileEditSSO.h"
#include "profiles/FrameProfileEditSecurity.h"
#include "profiles/FrameProfileEditServerCert.h"
#include "profiles/FrameProfileEditWAPICert.h"
#include "profiles/FrameProfileEditWPS.h"
#include "profiles/FrameProfileEditWPSConnect.h"
#include "profiles/FrameProfileEditWPSPin.h"
#include "profiles/FrameProfileEditWPSProfile.h"
#include "profiles/FrameProfileEditWireless.h"
#include "profiles/WpaInfo.h"
#include "profiles/WpsApList.h"
#include "resources/WvImage.h"
#include "ui/ExtCtrls.h"
#include "ui/Forms.h"
#include "ui/StdCtrls.h"
#include "ui/TrackBar.h"
#include "wlapi/records.h"

class TFormProfileEdit : public TFormBase {
public:
    explicit TFormProfileEdit(TComponent* owner);
    ~TFormProfileEdit() override;

    TWvImage* SysBtnClose = nullptr;
    TWvImage* BtnProfileCancel = nullptr;
    TWvImage* BtnProfileBack = nullptr;
    TWvImage* BtnProfileNext = nullptr;
    TFrameProfileEditWireless* FrameProfileEditWireless = nullptr;
    TFrameProfileEditSecurity* FrameProfileEditSecurity = nullptr;
    TFrameProfileEditKey* FrameProfileEditKey = nullptr;
    TFrameProfileEditAdvanced* FrameProfileEditAdvanced = nullptr;
    TFrameProfileEdit8021X* FrameProfileEdit8021X = nullptr;
    TFrameProfileEditClientCert* FrameProfileEditClientCert = nullptr;
    TFrameProfileEditServerCert* FrameProfileEditServerCert = nullptr;
    TFrameProfileEditEAPFast* FrameProfileEditEAPFast = nullptr;
    TFrameProfileEditSSO* FrameProfileEditSSO = nullptr;
    TFrameProfileEditWAPICert* FrameProfileEditWAPICert = nullptr;
    TFrameProfileEditWPS* FrameProfileEditWPS = nullptr;
    TFrameProfileEditWPSPin* FrameProfileEditWPSPin = nullptr;
    TFrameProfileEditWPSConnect* FrameProfileEditWPSConnect = nullptr;
    TFrameProfileEditWPSProfile* FrameProfileEditWPSProfile = nullptr;
    TFrameProfileEditExtregWPSProfile* FrameProfileEditExtregWPSProfile = nullptr;
    TTimer* TimerWPSHWPBC = nullptr;
    TTimer* TimerWPSConnectStatus = nullptr;

    // Entry flags: neither add nor edit means site-survey mode (the result goes to the site
    // survey instead of being stored).
    BOOL m_bAddProfile = FALSE;
    BOOL m_bEditProfile = FALSE;
    BOOL m_bRegistrarProfile = FALSE;
    BOOL m_bFromSurvey = FALSE;
    BOOL m_bWPSFromProfile = FALSE;
    BOOL m_bShowWPSProfilePage = FALSE;

    // Working fields.
    std::string m_strProfName;
    std::string m_strOrgProfName;
    std::string m_strProfSSID;
    int m_nProfNetworkType = 1;
    int m_nInfrastructureMode = 1;
    int m_nAuthSel = 0;   // 0 open, 1 shared, 3 WPA, 4 WPA-PSK, 5 WPA2, 6 WPA2-PSK, 7 WPA-None,
                          // 8 WAPI-PSK, 9 WAPI certificate, 10 CCKM, 12 802.1X
    int m_nEncrySel = 0;  // 0 none, 1 WEP, 2 TKIP, 3 AES, 4 SMS4, 5 TKIP+MFP, 6 AES+MFP
    std::string m_strProfID;
    int m_nProfID = 0;
    std::string m_strProfChannel;
    int m_nDefaultKey = 1;
    int m_nWEPKeyFormat[4] = {};
    std::string m_strWEPKey[4];
    int m_nPskKeyType = 1;
    std::string m_strPskKey;
    int m_nPSMode = 0;
    int m_nTxPower = 0;      // 0 automatic, 1..6 100 % down to the lowest
    int m_nPreamble = 0;     // 0 automatic, 1 long
    int m_bUseRTS = 0;
    int m_nRTSThreshold = 2347;
    int m_bUseFrag = 0;
    int m_nFragThreshold = 2346;
    int m_bDiagnostic = 0;
    int m_nAdhocMode = 1;
    int m_bACCam = 0;
    int m_bMD5WepKeys = 0;
    int m_nWapiCertMode = 0;
    WAPI_ID_BUFFER m_WapiUserIdentity{};
    WAPI_ID_BUFFER m_WapiASIdentity{};
    std::string m_strUserCertPath;
    std::string m_strASCertPath;
    WPA_INFO m_WpaInfo;
    // The EAP-FAST credential list read with a stored profile or held for the save (516-byte
    // entries); m_WpaInfo's pair points into it.
    std::vector<BYTE> m_PacBuffer;
    // Path of the PAC file imported last (the stored one for an edited profile).
    std::string m_strLastPACFile;
    // The WAPI certificate library's contents as last copied, and the user certificate the
    // certificate centre has selected (-1 none).
    std::unique_ptr<WAPI_CERT_STORE> m_WapiCertStore = std::make_unique<WAPI_CERT_STORE>();
    int m_nWapiCertSelIndex = -1;

    // 802.1X page values (kept across entries, refilled from a loaded profile).
    int m_nEAPMethod = 0;
    int m_nTunnelAuthen = 26;
    int m_nTTLSTunnelAuthen = 72;
    int m_nSessionResumption = 1;
    int m_nPasswordMode = 1;
    int m_bCacheUserInfo = 1;
    int m_bProvisionMode = 1;
    int m_bUsePAC = 1;
    int m_nProvisioningTunnel = 0; // 0 MS-CHAPv2 (26), 1 TLS (13), 2 GTC (6)
    BOOL m_bCCKMEnabled = FALSE;
    // What the 802.1X check from Vista on found the method needs.
    int m_bIDRequired = 0;
    int m_bPasswordRequired = 0;
    int m_bCertRequired = 0;
    int m_bServerCertRequired = 0;
    unsigned long m_nWPSVersion = 0x10;

    // WPS members the site survey and the main window read or write.
    BOOL m_bExtRegDeviceFound = FALSE;
    BYTE m_WpsApMac[6] = {};
    BOOL m_bScanAfterEAPConfig = FALSE;
    int m_nScanCntAfterEAPConfig = 0;
    int m_nWPSMode = 2;       // 1 PIN, 2 push button
    int m_nConfigMode = 0;    // 0 enrollee, 1 registrar, 2 external registrar
    int m_nCurSelItem = -1;   // WPS access point chosen, -1 none
    BOOL m_bAutoSelect = FALSE;
    IE_INFO m_IeInfo{};
    NDIS_802_11_SSID m_WpsCredentialSsid{};
    BYTE m_WpsCredentialMac[6] = {};
    int m_nLastExtRegCode = 0;
    std::string m_strWpsStatus;

    // The WPS run.
    TTimer* TimerWPSStatus = nullptr;
    TTimer* TimerWPSTwoMin = nullptr;
    TTimer* TimerWPSNDISMediaDisconnected = nullptr;
    unsigned m_nPinCode = 0;
    int m_nPinLength = 8;     // 8 or 4 digits; a PIN keeps its leading zeros
    int m_nLastWPSMode = 0;
    int m_nLastConfigMode = 0;
    WPS_PROFILE m_profileWps{};
    WPS_PROFILE m_profileWpsSaved{};
    BOOL m_bRescan = FALSE;
    BOOL m_bProbeIE = TRUE;
    BOOL m_bAssociateIE = TRUE;
    int m_nWPSApCount = 0;
    int m_nWPSAPChannel = 1;
    int m_nPreferWPSAPPhyType = 2;  // 0 2.4 GHz, 1 5 GHz, 2 both
    std::vector<SITE_WPS_INFO_EX> m_WPSApList;
    std::vector<BYTE> m_pWPSBssidList;        // the rows' network entries, NDIS list layout
    std::optional<SITE_WPS_INFO_EX> m_pWPSApList;  // the chosen row (a copy)
    long lHwPbc = 0;
    int m_nSecCount = 0;
    BOOL m_bHwPbcPressed = FALSE;
    int m_nWpsProgress = 0;   // percent the connect page shows
    // Registrar roles.
    BOOL m_bConfigSTA = FALSE;
    BOOL m_bIsExtregRunning = FALSE;
    std::string m_strExtregProfileName;
    BYTE m_EnrolleeMac[6] = {};
    BOOL m_bEnrolleeSelected = FALSE;
    BOOL m_bUseEnrolleeList = FALSE;
    IE_INFO m_APIE{};

    void FormCreate(TObject* Sender) override;
    void FormShow(TObject* Sender);
    void SysBtnCloseClick(TObject* Sender);
    void BtnProfileNextClick(TObject* Sender);
    void BtnProfileBackClick(TObject* Sender);

    void ResetEditor();
    // Every page, in the order of creation.
    std::vector<TFrameBase*> AllPages() const;
    // A new profile from the profile list: name and ID text ("0" becomes "1").
    void InitialSettingFromProfileAdd(const std::string& name, const std::string& id);
    // The working fields from the stored profile named m_strProfName.
    void LoadProfile();
    // The pages' boxes from the working fields after LoadProfile.
    void FillPagesFromProfile();
    void InitialSettingFromSiteSurvey(const NDIS_WLAN_BSSID_EX* network, const std::string& name,
                                      const std::string& id, int authType, int secured, const std::string& cipher);
    void FillAuthenticationList();
    bool CheckWirelessPage();
    // The 802.1X page's identity and password as the method needs them (message, false).
    bool Check8021XSettings();
    bool Check8021XSettingsXP();
    bool Check8021XSettingsVista();
    bool CheckKeys();
    void FillChannelList();
    // The advanced page's lists, boxes and sliders from the working fields.
    void ShowAdvancedValues();
    // The persistent-connection platform test.
    bool IsPersistentPlatform() const;
    // Single sign-on is offered for a kind whose switch is kindSwitch.
    bool SsoKindTest(int kindSwitch) const;
    // Ends a WPS run started from the profile list.
    void OnWpsDisconnect();
    void SaveProfile();
    void WriteBackProfileToRegistry();
    // The record the working fields make.
    void BuildProfileRecord(WLANPROFILE& record) const;
    // The PAC entries the save hands to the library, held by the editor in m_PacBuffer; the
    // count is 0 when they cannot be held.
    void HoldPacEntries(const std::vector<PAC_FILE_ENTRY>& entries);

    // The WPS wizard from the profile list: 1 when an access point offers WPS.
    int StartWPSWizard(const std::string& name, const std::string& id);
    // Rebuilds the WPS AP list from the shared network list; 1 when it holds one.
    int UpdateWPSAPList();
    void SelectWpsAccessPoint(int row);
    void ScanRoutineAfterEAPConfig();
    void ConnectRoutineAfterEAPConfig();
    // WPS engine (WpsEngine.cpp).
    void OnPbcConnect();
    void OnPinConnect();
    void TimerWPSHWPBCTimer(TObject* Sender);
    void HwPbcConnect();
    void StartWpsRoutine();
    void StopWpsRoutine(bool hideProgress);
    void StopWPSTimers();
    void SetWPSProgress(int percent);
    void SetWpsStatus(const std::string& text);
    void TimerWPSStatusTimer(TObject* Sender);
    void PollWPSStatus();
    void TimerWPSTwoMinTimer(TObject* Sender);
    void TimerWPSNDISMediaDisconnectedTimer(TObject* Sender);
    bool ModifyProfileForWPS2();
    void WriteBackWpsProfiletoRegistry();
    void FinishWPS();
    void ShowMessageText(const std::string& text);
    // Registrar roles (WpsRegistrar.cpp).
    // False, with no configuration made, when no random key could be drawn.
    bool GenerateRegistrarProfile();
    void OnWpsDetail();
    void StartExtregConnect();
    void TimerWPSConnectStatusTimer(TObject* Sender);
    bool IsConnectedToWPSNetwork();
    // External-registrar WPS progress from the adapter callback.
    void OnExtRegWpsMessage(BYTE code);

private:
    // WPS engine steps.
    void TurnWiFiDirectOffForWps();
    void ReleaseAdapterForWps();
    void SendWpsOptions();
    bool NextAutomaticAccessPoint();
    void EndRunAndReapply();
    bool RetryNextAccessPoint(bool stopMediaTimer, bool stopRoutine);
    bool HandleWpsCode(uint32_t code);
    void ReleaseAfterFailure();
    void CompleteWpsRun();
    void StoreCredentialAsProfile(const WPS_CREDENTIAL& credential, int channel);
    bool RegistrarChecks(const NDIS_WLAN_BSSID_EX* entry);
    void ConfigStaPinStart();
    void CloseEnrolleeDialog();
    void NextFromWPSPage();
    void NextFromWPSPinPage();
    void NextFromWPSProfilePage();
    void BackFromWPSConnectPage();
    int m_nWpsProgressWidth = 0;

    bool SurveyMode() const { return !m_bAddProfile && !m_bEditProfile; }
    // A WPS run started from the profile list (its flag, or the editor's copy).
    bool WpsFromProfile() const;
    // The switch of an EAP method in the section PersistentConnect.
    static int EapMethodSwitch(int method);
    // Site-survey mode: the choices go to the site survey, the editor closes.
    void HandOver();
    // Add or edit mode: the profile is stored, the editor closes.
    void Finish();
    // The advanced page when it is offered, else finish.
    void AdvancedOrFinish();
    void GoTo(TFrameBase* page, int backEnabled = -1);
    void NextFromSecurity();
    void NextFromKey();
    void NextFrom8021X();
    void NextFromServerCert();
    void NextFromEAPFast();
    void BackFromSSO();
    void BackFromAdvanced();
    void Leave();
    // fromProfile: a stored SSID that no network matches is added to the list.
    void FillSsidList(bool fromProfile = false);
    // The stored profile's EAP-FAST credential list into m_PacBuffer.
    void ReadPacList(const char* profileName);
    // A new profile's EAP-FAST start: both boxes on, the first provisioning method, the PAC
    // files of the current directory.
    void StartNewEapFast();
};

extern TFormProfileEdit* FormProfileEdit;

// The stored authentication mode and encryption status of the editor's choices.
DWORD EditorAuthToStored(int authSel);
DWORD EditorEncryToStored(int encrySel);
// The single sign-on bits of the page's controls, and the controls from the bits.
DWORD SsoBitsFromPage(const TFrameProfileEditSSO& page, bool persistentConnect, int winOS);
void ShowSsoBitsOnPage(TFrameProfileEditSSO& page, DWORD bits, bool persistentConnect, int winOS);
// The adapter's ad-hoc mode of its station configuration.
int QueryAdhocMode(unsigned long* adhocMode);
// The number after the default-name prefix (compared ignoring case) at the start of a profile
// name: leading digits only, 0 when there are none or the name has another start, at most
// 4294967295.
unsigned long long DefaultNameNumber(const std::string& name, const std::string& prefix);
// The pre-shared key rule of WPA-PSK, WPA2-PSK and WPA-None: 8 to 63 characters of any kind,
// or exactly 64 hexadecimal digits.
bool IsValidPskKey(const std::string& key);
