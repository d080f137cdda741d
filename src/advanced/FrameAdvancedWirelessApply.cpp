// Apply of the wireless page: the configuration record and the CCX word are written, and a
// change of band, region, bandwidth or 802.11n choice reconnects the adapter by Windows version.
#include <cstdlib>
#include <cstring>

#include "advanced/AdvancedRecords.h"
#include "advanced/FormAdvancedControls.h"
#include "advanced/FrameAdvancedWireless.h"
#include "dialogs/FormMessageBox.h"
#include "core/Log.h"
#include "core/WvwlLib.h"
#include "mainwindow/MainWindowServices.h"
#include "mainwindow/FormSiteSurvey.h"
#include "profiles/FormProfileEdit.h"
#include "resources/FormResource.h"
#include "ui/Seams.h"
#include "wlapi/constants.h"

namespace {

const CUISTR& Str()
{
    static const CUISTR empty;
    return FormResource && FormResource->UI_Str ? *FormResource->UI_Str : empty;
}

// The threshold typed in the edit; false when it is not an integer in -90..-40.
bool ParseThreshold(const std::string& text, int& dbm)
{
    if (text.empty())
        return false;
    char* end = nullptr;
    const long value = std::strtol(text.c_str(), &end, 10);
    if (*end != '\0' || value < -90 || value > -40)
        return false;
    dbm = int(value);
    return true;
}

void SiteSurveyRescan()
{
    if (FormSiteSurvey)
        FormSiteSurvey->BtnSiteSurveyRescanClick(nullptr);
}

}  // namespace

bool TFrameAdvancedWireless::FastRoamingWord(uint32_t& word) const
{
    unsigned long read = 0;
    if (!VOZEZIV.WVWL_ReadCCX2Cont(&read)) {
        PrintMessage(2, " TFrameAdvancedWireless: WVWL_ReadCCX2Cont() failed, the CCX word is not written\n");
        return false;
    }
    word = uint32_t(read);
    word = FieldSet(word, ccx2::FastRoamEnable, m_bFastRoaming ? 1 : 0);
    word = FieldSet(word, ccx2::dBmToRoam, m_bFastRoaming ? uint32_t(-m_nRoamDbm) : 70u);
    return true;
}

void TFrameAdvancedWireless::BtnApplyClick(TObject*)
{
    const CUISTR& s = Str();
    m_bReconnectPending = 0;
    m_strMCS = cBoxMCS->Text();
    if (!ParseThreshold(editDbm->Text(), m_nRoamDbm)) {
        ShowMessageBox(s.STR_INVALID_DBM, 0);
        return;
    }
    m_n24Code = advctl::SelectedCode(cBox24GHz);
    m_n5Code = advctl::SelectedCode(cBox5GHz);
    m_strWirelessMode = mainwin::WirelessMode(m_strWirelessMode);
    m_nBandIndex = m_strWirelessMode == s.STR_24GHZ ? 0 : m_strWirelessMode == s.STR_24GHZ5GHZ ? 1 : 2;
    PrintMessage(6, " TFrameAdvancedWireless::BtnApplyClick() m_strWirelessMode = %s\n", m_strWirelessMode.c_str());

    const int oldCode = ModeToPhyMode(m_strPrevWirelessMode);
    const int newCode = ModeToPhyMode(m_strWirelessMode);

    if (m_bHtModeChosen)
        m_nHtMode = rBtnHTModeMM->Checked() ? 0 : 1;
    m_nBW = rBtnBW20->Checked() ? 0 : 1;
    m_nGI = rBtnGILong->Checked() ? 0 : 1;
    m_nSTBC = rBtnSTBCNone->Checked() ? 0 : 1;

    // Nothing written: the band stays as it was for the next Apply.
    if (!WriteAdvanceConfig())
        return;
    m_strPrevWirelessMode = m_strWirelessMode;
    WriteFastRoaming();

    if (m_nBandIndex == m_nEntryBand && m_n24Code == m_nEntry24Code && m_n5Code == m_nEntry5Code && m_bHTChanged != 1)
        return;

    m_bReconnectPending = 1;
    m_bHTChanged = 0;
    VOZEZIV.WVWL_FlushBSSIDList(oldCode, newCode);
    if (VOZEZIV.nWinOS < 31) {
        // A profile bound to a BSSID has had its rescan already.
        if (!OnApplyNowForXP())
            SiteSurveyRescan();
    } else {
        ReconnectFromCode31();
    }
    m_nEntry24Code = m_n24Code;
    m_nEntry5Code = m_n5Code;
    m_nEntryBand = m_nBandIndex;
}

void TFrameAdvancedWireless::ReconnectFromCode31()
{
    WLAN_STATUS status = QueryConnectionStatus();
    if (status.status == WvStatus_Connected) {
        ReconnectThroughWlanService(status, true);
    } else {
        PrintMessage(6, " wLanStatus.status is not WvStatus_Connected\n");
        int wps = 0, direct = 0;
        VOZEZIV.WVWL_ReadWPSFlag(&wps);
        VOZEZIV.WVWL_ReadWifiDirectFlag(&direct);
        // A running WPS exchange keeps the adapter; Wi-Fi Direct only in its station mode.
        const bool free = wps == 0 && (direct == 0 || VOZEZIV.WVWL_QueryOPMode() == OP_MODE_STA_WIFI_DIRECT);
        if (free) {
            PrintMessage(6, " WPS flag is FALSE\n");
            if (WLANPROFILE* current = mainwin::CurrentProfile()) {
                current->bSetAdvance = 0;
                m_PendingConnectAction = ACTION_DATA{actionTypeProfile, current};
                mainwin::InsertAction(m_PendingConnectAction);
            }
        }
    }
    if (VOZEZIV.nWinOS >= 41 && VOZEZIV.WVWL_QueryOPMode() == OP_MODE_APCLIENT) {
        EXTAP_CONFIG ap{};
        VOZEZIV.WVWL_ReadExtAPConfig(&ap);
        if (VOZEZIV.WVWL_HostedNetworkStopUsingAndSetup && VOZEZIV.WVWL_HostedNetworkStopUsingAndSetup(ap) != 1)
            PrintMessage(6, " Stop and Start Host Fail!\n");
    }
    TimerAdvancedScan->SetInterval(1000);
    TimerAdvancedScan->SetEnabled(true);
}

bool TFrameAdvancedWireless::WriteAdvanceConfig()
{
    m_strMCS = cBoxMCS->Text();
    m_nTxRate = advctl::SelectedCode(cBoxTxRate);
    const int code = ModeToPhyMode(m_strWirelessMode);
    if (code == 1 || (VOZEZIV.WVWL_Is80211ASupport() && code == 2))
        m_nBGProtection = 0;
    else
        m_nBGProtection = cBoxBGProtection->ItemIndex() < 0 ? 0 : cBoxBGProtection->ItemIndex();

    uint32_t word = 0;
    if (!FastRoamingWord(word))
        return false;
    VOZEZIV.WVWL_QueryCountryRegion(&m_nRegionWord, &m_b5GChangeable, &m_b24GChangeable);

    ADVANCE_CONFIG_DATA config{};
    config.ShowAuthStatus = uint32_t(m_bShowAuthStatus);
    config.WirelessMode = uint32_t(code);
    config.TXBurst = uint32_t(m_bTxBurst);
    config.BGProtection = uint32_t(m_nBGProtection);
    config.CountryRegion = m_b24GChangeable ? uint32_t(m_n24Code) : 0;
    config.CountryRegionABand = m_b5GChangeable ? uint32_t(m_n5Code) : 0;
    config.TransRate = uint32_t(m_nTxRate);
    config.CCX2_CONTROL = word;
    config.EnableTcpWindowSize = uint32_t(m_bTcpWindow);
    if (VOZEZIV.WVWL_Is80211NSupport()) {
        uint32_t tx = 0;
        tx = FieldSet(tx, txset::PhyMode, uint32_t(code));
        tx = FieldSet(tx, txset::MCS, uint32_t(McsTextToValue(m_strMCS)));
        tx = FieldSet(tx, txset::BW, uint32_t(m_nBW));
        tx = FieldSet(tx, txset::ShortGI, uint32_t(m_nGI));
        tx = FieldSet(tx, txset::STBC, uint32_t(m_nSTBC));
        tx = FieldSet(tx, txset::EXTCHA, uint32_t(m_nExtCha));
        tx = FieldSet(tx, txset::TRANSNO, txset::kTransNo);
        config.TransmitSetting = TransmitWithHtMode(tx, uint32_t(m_nHtMode));
    }
    VOZEZIV.WVWL_WriteAdvanceCfgData(config);
    return true;
}

void TFrameAdvancedWireless::WriteFastRoaming()
{
    m_strMCS = cBoxMCS->Text();
    uint32_t word = 0;
    const bool read = FastRoamingWord(word);
    int region = 0, c5 = 0, c24 = 0;
    VOZEZIV.WVWL_QueryCountryRegion(&region, &c5, &c24);
    VOZEZIV.WVWL_VerifyCountryRegion();
    if (read)
        SetCCXInfoForActiveProfile(word);
}

bool TFrameAdvancedWireless::OnApplyNowForXP()
{
    if (!m_bReconnectPending)
        return false;
    bool rescanned = false;
    PrintMessage(6, " OnApplyNowForXP:  Set OID_802_11_DISASSOCIATE\n");
    VOZEZIV.WVWL_Disconnect();
    WLANPROFILE* current = mainwin::CurrentProfile();
    if (current) {
        seams::Sleep(100);
        if (VOZEZIV.WVWL_IsZeroConfig() != 2) {
            current->bSetAdvance = 0;
            *m_pProfileCopy = *current;
            m_PendingConnectAction = ACTION_DATA{actionTypeProfile, m_pProfileCopy.get()};
            if (current->bBssid && FormSiteSurvey) {
                FormSiteSurvey->m_bConnectAfterScan = TRUE;
                PrintMessage(6, " Switch country region, do scan before connect BSSID!\n");
                SiteSurveyRescan();
                rescanned = true;
            } else {
                mainwin::InsertAction(m_PendingConnectAction);
            }
        } else {
            static const uint8_t kNoBssid[6] = {};
            if (current->bBssid && std::memcmp(current->BSSID, kNoBssid, 6) != 0) {
                m_PendingConnectAction = ACTION_DATA{actionTypeBSSID, current->BSSID};
                mainwin::InsertAction(m_PendingConnectAction);
            } else if (!current->bBssid && current->SSID.SsidLength) {
                m_PendingConnectAction = ACTION_DATA{actionTypeSSID, &current->SSID};
                mainwin::InsertAction(m_PendingConnectAction);
            } else {
                NDIS_802_11_SSID none{};
                none.SsidLength = 32;
                VOZEZIV.WVWL_SetSSID(none);
                unsigned long word = 0;
                if (VOZEZIV.WVWL_ReadCCX2Cont(&word))
                    VOZEZIV.WVWL_SetCCXInfo(CCX_INFO_MODE_DEFAULT, word);
            }
        }
    }
    if (FormProfileEdit) {
        unsigned long adhocMode = ULONG(FormProfileEdit->m_nAdhocMode);
        QueryAdhocMode(&adhocMode);
        FormProfileEdit->m_nAdhocMode = int(adhocMode);
    }
    return rescanned;
}

void TFrameAdvancedWireless::TimerAdvancedScanTimer(TObject*)
{
    TimerAdvancedScan->SetEnabled(false);
    SiteSurveyRescan();
}
