#pragma once
// The link-information window: the wireless, throughput and statistics pages of the current
// link. Its two-second timer also keeps the main window's link labels current.
#include <windows.h>
#include <string>

#include "core/FormBase.h"
#include "mainwindow/FrameLinkInfoStatistic.h"
#include "mainwindow/FrameLinkInfoThroughput.h"
#include "mainwindow/FrameLinkInfoWireless.h"
#include "resources/WvImage.h"
#include "ui/ExtCtrls.h"
#include "wlapi/records.h"

// One link-event text, by its code.
struct LINK_STATUS_TEXT {
    DWORD code;
    char text[64];
};

class TFormLinkInfo : public TFormBase {
public:
    explicit TFormLinkInfo(TComponent* owner);
    ~TFormLinkInfo() override;

    // Controls.
    TWvImage* SysBtnClose = nullptr;
    TWvImage* TabBtnWireless = nullptr;
    TWvImage* TabBtnThroughput = nullptr;
    TWvImage* TabBtnStatistic = nullptr;
    TTimer* TimerLinkInfo = nullptr;
    TFrameLinkInfoStatistic* FrameLinkInfoStatistic = nullptr;
    TFrameLinkInfoThroughput* FrameLinkInfoThroughput = nullptr;
    TFrameLinkInfoWireless* FrameLinkInfoWireless = nullptr;

    // Texts of the wireless page and the main window; each keeps its last value.
    std::string m_strExtraInfo;
    std::string m_strStatus, m_strStatus2;
    std::string m_strNetworkType, m_strAuthen, m_strEncrypt;
    std::string m_strIPAddress, m_strIPMask;
    std::string m_strChannel;
    static constexpr int kLinkStatusTextCount = 11;
    LINK_STATUS_TEXT m_LinkStatusTexts[kLinkStatusTextCount] = {};

    // Texts and samples of the throughput and statistics pages.
    std::string m_strTxLinkSpeed, m_strRxLinkSpeed;
    std::string m_strTxThroughput, m_strRxThroughput;
    std::string m_strTxOK, m_strTxRetryOK, m_strTxAllRetryOK;
    std::string m_strRxOK, m_strRxCRC, m_strRxDrop, m_strRxDuplicate;
    DWORD m_lTxCount = 0, m_lRxCount = 0;
    bool m_bFirstSample = true;

    // Handlers.
    void FormCreate(TObject* Sender) override;
    void FormShow(TObject* Sender);
    void SysBtnCloseClick(TObject* Sender);
    void TabBtnWirelessMouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
    void TabBtnThroughputMouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
    void TabBtnStatisticMouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
    void TimerLinkInfoTimer(TObject* Sender);

    // Wireless page and main window.
    void SetExtraInfoText(DWORD code, bool& radioOff);
    void ShowLinkDown(bool stateKnown, bool radioOff);
    void FormatAPStatus(const WLAN_STATUS& status);
    void FormatNetworkAndSecurity(const WLAN_STATUS& status);
    void DisplayChannel(const WLAN_STATUS& status);
    void ShowCentralChannel(const WLAN_STATUS& status);
    void SetLocalIPToDriver(const BYTE* address);

    // Throughput and statistics pages.
    void ShowLinkSpeed(const WLAN_STATUS& status);
    void UpdateThroughput(const WLAN_STATUS& status);
    void ShowLinkQuality(DWORD quality);
    void ShowSignalStrength(const WLAN_CHAIN* chains);
    void ShowSignalRows();
    void ShowSignalRows(const WLAN_CHAIN* chains);
    void ShowCounters(const WLAN_STATUS& status);

private:
    void SelectTab(TWvImage* tab, TFrameBase* page);
    void ShowTxPower(const WLAN_STATUS& status);
    // Full widths of the bars, taken the first time each is drawn (0: not yet).
    int m_nMainQualityWidth = 0;
    int m_nQualityWidth = 0;
    int m_nSignalWidth[3] = {};
};

extern TFormLinkInfo* FormLinkInfo;

// Throughput of one direction over the two-second tick, from two samples of a byte counter:
// "%.3f Mbps" from 1 Mbps on, else "%.3f Kbps"; a counter smaller than before gives 0.
std::string ThroughputText(DWORD now, DWORD before);
