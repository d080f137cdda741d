#pragma once
// Wireless page of the advanced window (tab id 1): band, country regions, B/G protection,
// transmit rate and burst, TCP window, fast roaming and the 802.11n HT settings; Apply writes
// them and reconnects by Windows version.
#include <memory>
#include <string>
#include <vector>

#include "core/FormBase.h"
#include "mainwindow/ActionQueue.h"
#include "ui/ExtCtrls.h"
#include "ui/StdCtrls.h"
#include "wlapi/records.h"

// The region texts of the two bands and how many of each to show.
struct REGION_LISTS {
    std::vector<std::string> band24, band5;
    int show24 = 0, show5 = 0;
};

class TFrameAdvancedWireless : public TFrameBase {
public:
    explicit TFrameAdvancedWireless(TComponent* owner);

    TLabel* lblWirelessModeTxt = nullptr;
    TComboBox* cBoxWirelessMode = nullptr;
    TGroupBox* grpCountryRegion = nullptr;
    TLabel* lbl24GHzTxt = nullptr;
    TComboBox* cBox24GHz = nullptr;
    TLabel* lbl5GHzTxt = nullptr;
    TComboBox* cBox5GHz = nullptr;
    TLabel* lblBGProtectionTxt = nullptr;
    TComboBox* cBoxBGProtection = nullptr;
    TLabel* lblTxRateTxt = nullptr;
    TComboBox* cBoxTxRate = nullptr;
    TCheckBox* chBoxTXBurst = nullptr;
    TCheckBox* chBoxTCPWindowSize = nullptr;
    TCheckBox* chBoxFastRoaming = nullptr;
    TEdit* editDbm = nullptr;
    TLabel* lblDbmTxt = nullptr;
    TCheckBox* chBoxAuthenticationStatus = nullptr;
    TCheckBox* chBox11NMode = nullptr;
    TPanel* panelHTSettings = nullptr;
    TLabel* lblHTPhyModeTxt = nullptr;
    TLabel* lblHTModeTxt = nullptr;
    TRadioButton* rBtnHTModeMM = nullptr;
    TRadioButton* rBtnHTModeGF = nullptr;
    TLabel* lblBWTxt = nullptr;
    TRadioButton* rBtnBW20 = nullptr;
    TRadioButton* rBtnBWAuto = nullptr;
    TLabel* lblGITxt = nullptr;
    TRadioButton* rBtnGILong = nullptr;
    TRadioButton* rBtnGIAuto = nullptr;
    TLabel* lblSTBCTxt = nullptr;
    TRadioButton* rBtnSTBCNone = nullptr;
    TRadioButton* rBtnSTBCAuto = nullptr;
    TLabel* lblMCSTxt = nullptr;
    TComboBox* cBoxMCS = nullptr;
    TButton* BtnApply = nullptr;
    TTimer* TimerAdvancedScan = nullptr;
    TTimer* TimerAdvancedEnable80211N = nullptr;

    std::unique_ptr<WLANPROFILE> m_pProfileCopy;
    std::string m_strWirelessMode;
    std::string m_strPrevWirelessMode;
    int m_nBGProtection = 0;
    int m_nTxRate = 0;
    int m_nRoamDbm = -70;
    int m_bFastRoaming = 0;
    int m_bTxBurst = 0;
    int m_bTcpWindow = 0;
    int m_bHTChanged = 0;
    int m_bReconnectPending = 0;
    int m_nRegionWord = 0;
    int m_b5GChangeable = 1;
    int m_b24GChangeable = 1;
    int m_nEntryBand = 0, m_nEntry24Code = 0, m_nEntry5Code = 0;
    int m_nBandIndex = 0;
    int m_n24Code = 0, m_n5Code = 0;
    int m_nSTBC = 0, m_nBW = 0, m_nGI = 0;
    int m_nHtMode = 0;
    int m_nExtCha = 0;
    std::string m_strMCS;
    int m_nMax24FixedCode = 7;
    int m_bShowAuthStatus = 0;
    // How many 5 GHz texts the region builder delivered at the last entry.
    int m_n5GBuilt = 0;
    // The user chose an HT-mode radio since the last entry; until then Apply keeps the loaded
    // HT mode, so a stored legacy mode 2 or 3 survives an Apply.
    bool m_bHtModeChosen = false;
    // The connect action the page queued last; the site survey queues it after the rescan
    // this page asked for.
    ACTION_DATA m_PendingConnectAction{};

    void OnEnterPage() override;

    int ModeToPhyMode(const std::string& band) const;
    std::string PhyModeToModeText(int code) const;
    static std::string McsValueToText(int code);
    static int McsTextToValue(const std::string& text);
    REGION_LISTS BuildRegionLists() const;
    void LoadCurrentSettings();
    void LoadForStandardUser();
    void UpdateHTControls(bool showHT, int code);

    void cBoxWirelessModeChange(TObject* Sender);
    void cBox24GHzChange(TObject* Sender);
    void cBoxBGProtectionChange(TObject* Sender);
    void cBoxTxRateChange(TObject* Sender);
    void chBoxTXBurstClick(TObject* Sender);
    void chBoxTCPWindowSizeClick(TObject* Sender);
    void chBoxAuthenticationStatusClick(TObject* Sender);
    void chBoxFastRoamingClick(TObject* Sender);
    void chBox11NModeClick(TObject* Sender);
    void rBtnHTModeClick(TObject* Sender);
    void rBtnBWClick(TObject* Sender);
    void rBtnGIClick(TObject* Sender);
    void rBtnSTBCClick(TObject* Sender);
    void TimerAdvancedEnable80211NTimer(TObject* Sender);

    // Apply and its reconnect (FrameAdvancedWirelessApply.cpp).
    void BtnApplyClick(TObject* Sender);
    // False when the CCX word could not be read: then nothing is written.
    bool WriteAdvanceConfig();
    void WriteFastRoaming();
    // The reconnect below Windows code 31; true when it already asked for a rescan.
    bool OnApplyNowForXP();
    void TimerAdvancedScanTimer(TObject* Sender);

private:
    void BuildControls();
    void FillRegionList(TComboBox* list, const std::vector<std::string>& texts, int count);
    void AppendLockedRegion(TComboBox* list, bool changeable, int code);
    void FillRateList(int code);
    void ShowBGProtection();
    void ReconnectFromCode31();
    // The CCX word with the page's fast-roaming bits; false when the read failed.
    bool FastRoamingWord(uint32_t& word) const;
};
