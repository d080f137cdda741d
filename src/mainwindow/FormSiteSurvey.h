#pragma once
// The site survey: the networks in range, sorted, with the connected one marked and the
// details of the selected one; Connect and Add to profile start from here.
#include <windows.h>
#include <memory>
#include <string>
#include <vector>

#include "core/FormBase.h"
#include "mainwindow/ActionQueue.h"
#include "mainwindow/NetList.h"
#include "profiles/WpaInfo.h"
#include "resources/WvImage.h"
#include "ui/ComCtrls.h"
#include "ui/ExtCtrls.h"
#include "ui/Menus.h"
#include "ui/StdCtrls.h"
#include "wlapi/records.h"

class TFormSiteSurvey : public TFormBase {
public:
    explicit TFormSiteSurvey(TComponent* owner);
    ~TFormSiteSurvey() override;

    // Controls.
    TWvImage* BtnSiteSurveyRescan = nullptr;
    TWvImage* BtnSiteSurveyAdd2Prof = nullptr;
    TWvImage* BtnSiteSurveyConnect = nullptr;
    TWvImage* SysBtnClose = nullptr;
    TListView* lvApList = nullptr;
    TGroupBox* grpBoxApDetailInfo = nullptr;
    TLabel* lblSSIDText = nullptr;
    TLabel* lblSSID = nullptr;
    TLabel* lblMACAddressText = nullptr;
    TLabel* lblMACAddress = nullptr;
    TLabel* lblAuthenticationText = nullptr;
    TLabel* lblAuthentication = nullptr;
    TLabel* lblEncryptionText = nullptr;
    TLabel* lblEncryption = nullptr;
    TTimer* TimerSiteSurvey = nullptr;
    TTimer* TimerReScanOn = nullptr;
    TImageList* ImageAPList = nullptr;
    TPopupMenu* SortByPopupMenu = nullptr;
    TMenuItem* ID_TRAY_SSID = nullptr;
    TMenuItem* ID_TRAY_CHANNEL = nullptr;
    TMenuItem* ID_TRAY_SIGNAL = nullptr;

    // Network list and selection.
    std::vector<std::unique_ptr<SITE_SURVEY_INFO_EX>> m_pApList;
    std::vector<BYTE> pBssidList;     // the window's list buffer (NDIS BSSID_LIST_EX layout)
    TNetworkParseCache m_ParseCache;  // the library's parse of each listed network
    DWORD m_nBssidListSize = 0;
    volatile LONG m_bRescan = 0;      // a scan was requested and its result not yet read
    BOOL m_bFillingApList = FALSE;
    SITE_SURVEY_INFO_EX* m_pSelectedRow = nullptr;
    int m_nSelectedIndex = -1;
    std::vector<BYTE> m_pSelectedBssid; // copy of the selected network's item
    std::vector<BYTE> m_ConnectNetwork; // the network chosen when Connect was clicked
    int m_nAuthType = 0;
    int m_nInfraMode = 1;
    int m_nSortBy = 0;
    int m_bWapiConnecting = 0;
    BOOL m_bConnectAfterScan = FALSE;

    // Connect road.
    std::unique_ptr<WLANPROFILE> m_pProfile;
    DWORD m_nAuthMode = 0;
    DWORD m_nEncryStatus = 1;
    BOOL m_bSecured = FALSE;
    std::string m_strCipher;
    BOOL m_bHiddenSsid = FALSE;
    NDIS_802_11_SSID m_ConnectSsid{};
    int m_nEditAuth = 0;
    int m_nEditEncry = 0;
    int m_nDefaultKey = 1;
    WPA_INFO m_WpaInfo;
    int m_nWepKeyType[4] = {};
    char m_chWepKey[4][64] = {};
    std::string m_strPskKey;
    int m_nPskKeyType = 0;
    std::string m_strUserCertPath;
    std::string m_strASCertPath;
    ACTION_DATA m_ConnectAction{};
    // The connect of the EAP configuration road was queued by LoadProfile itself; a later
    // MSG_SITE_SURVEY_CONNECT for it is not queued again.
    BOOL m_bEapConnectQueued = FALSE;

    // Life and handlers.
    void FormCreate(TObject* Sender) override;
    void FormShow(TObject* Sender);
    void FormDestroy(TObject* Sender);
    void SysBtnCloseClick(TObject* Sender);
    void BtnSiteSurveyRescanClick(TObject* Sender);
    void BtnSiteSurveyConnectClick(TObject* Sender);
    void BtnSiteSurveyAdd2ProfClick(TObject* Sender);
    void TimerSiteSurveyTimer(TObject* Sender);
    void TimerReScanOnTimer(TObject* Sender);
    void lvApListSelectItem(TObject* Sender, TListItem* Item, bool Selected);
    void OnSortBySSID(TObject* Sender);
    void OnSortByChannel(TObject* Sender);
    void OnSortBySignal(TObject* Sender);

    // Completion function handed to WVWL_SiteSurveyScan; may run on a library thread.
    static void __stdcall FuncScanFinished();
    void ForceUpdateBssidList();
    void RefreshApList();
    // Shows the rows of m_pApList (rows is that list): the list view asks for them as it paints.
    void FillApList(const std::vector<std::unique_ptr<SITE_SURVEY_INFO_EX>>& rows);
    void UpdateConnectStatus(TObject* Sender);
    void ButtonShowHide();
    void StartReScanTimer();
    void ShowRescanningRow();
    // Radio off: the list, its rows and the selection details are emptied.
    void ClearNetworks();
    // A scan failed: the survey flags are cleared.
    void OnScanFailed();

    void SortBssidList();
    static int GetAuthType(ULONG nAuthBits);

    // Connect road.
    void SecurityConnection();
    void LoadProfile();
    void CopyWpaInfo(WPA_INFO& destination, const WPA_INFO& source);
    void ResetSecuritySettings();
    // True once after LoadProfile queued the connect of the EAP configuration road.
    bool TakeQueuedEapConnect();

private:
    // The list view's row i: a network row of m_pApList, or the one placeholder row.
    void ApListData(TListItem* item);
    void ShowPlaceholderRow(const std::string& text);
    // True when the per-network lines of a walk are wanted (the debug level).
    static bool LogEachNetwork();
    bool m_bPlaceholderRow = false;
    std::string m_strPlaceholder;
    int m_nBlankMark = 12;                  // picture of a row without the connection mark
    std::vector<std::string> m_SignalTexts; // per row, made when first painted
    std::vector<std::string> m_ShownRows;   // per row, what the list shows of it
    // Offsets of the displayable networks of the list buffer, in order (row i = entry i).
    std::vector<DWORD> DisplayableItems() const;
    const NDIS_WLAN_BSSID_EX* Network(int row) const;
    const NDIS_WLAN_BSSID_EX* SelectedBssid() const;
    void CopySelectedNetwork(int row);
    // True when the list still holds a network with this one's BSSID and SSID.
    bool InList(const NDIS_WLAN_BSSID_EX& network) const;
    // Before a connect is built: the network chosen at the click becomes the selection again,
    // or, when it has left the list meanwhile, the user is told and false is returned.
    bool KeepConnectNetwork();
    // WVWL_SiteSurveyQuery into the list buffer; a buffer too small grows (both the window's
    // and the repository) and the query is asked again.
    int QueryList();
    bool GrowList(unsigned long needed);
    void WpsCredentialFollowUp(int matchedOffset);
    void ClearDetails();
    void SortBy(int mode, TMenuItem* item);
    // Security of the selected network: sets m_bSecured, m_nAuthType, m_nInfraMode and
    // returns its parsed elements.
    IE_INFO ReadSelectedSecurity();
    bool PlaceBelowMainWindow(TForm* form);
};

extern TFormSiteSurvey* FormSiteSurvey;
// Set by the scan completion function.
extern volatile LONG m_bSurveyComplete;

// The current time (100-ns units since 1601) the merge stamps networks with; the clock seam
// moves it in tests.
ULONGLONG SiteSurveyFileTimeNow();

// The SSID dialog of a hidden network.
class TFormHiddenSsid : public TForm {
public:
    explicit TFormHiddenSsid(TComponent* owner);
    TLabel* lblSSIDTxt = nullptr;
    TEdit* editPassword = nullptr;
    TButton* BtnOK = nullptr;
    TButton* BtnCancel = nullptr;

    void FormShow(TObject* Sender);
    void BtnOKClick(TObject* Sender);
    void BtnCancelClick(TObject* Sender);
};

extern TFormHiddenSsid* FormHiddenSsid;
