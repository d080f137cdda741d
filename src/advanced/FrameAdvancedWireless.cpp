#include "advanced/FrameAdvancedWireless.h"

#include <cstdlib>

#include "advanced/AdvancedRecords.h"
#include "advanced/FormAdvancedControls.h"
#include "core/Log.h"
#include "core/WvwlLib.h"
#include "mainwindow/MainWindowServices.h"
#include "resources/WvImage.h"
#include "resources/FormResource.h"

namespace {

using skin::MakeLabel;
inline std::string Text(std::string CUISTR::*member) { return skin::UiText(member); }

const CUISTR& Str()
{
    static const CUISTR empty;
    return FormResource && FormResource->UI_Str ? *FormResource->UI_Str : empty;
}

const char* const kFixed24[] = {"0: FCC, CH1-11",   "1: IC (Canada), CH1-11", "2: ETSI, CH1-13",
                                "3: SPAIN, CH10-11", "4: FRANCE, CH10-13",      "5: MKK, CH14",
                                "6: MKK1(TELEC), CH1-14", "7: ISRAEL, CH3-9"};
const char* const kFixed5[] = {
    "0: CH 36, 40, 44, 48, 52, 56, 60, 64,149,153,157,161,165",
    "1: CH 36, 40, 44, 48, 52, 56, 60, 64,100,104,108,112,116,120,124,128,132,136,140",
    "2: CH 36, 40, 44, 48, 52, 56, 60, 64",
    "3: CH 52, 56, 60, 64,149,153,157,161",
    "4: CH 149,153,157,161,165",
    "5: CH 149,153,157,161",
    "6: CH 36, 40, 44, 48",
    "7: CH 36, 40, 44, 48, 52, 56, 60, 64,100,104,108,112,116,120,124,128,132,136,140,149,153,157,161,165,169,173",
    "8: CH 52, 56, 60, 64"};
const char* const kBuilt24[] = {"0: CH1-11", "1: CH1-13", "2: CH10-11", "3: CH10-13",
                                "4: CH14",   "5: CH1-14", "6: CH3-9",   "7: CH5-13"};
// The first nine texts are the same in lists A and B.
const char* const kBuilt5Common[] = {
    "0:   CH   36,   40,   44,   48,   52,   56,   60,   64, 149, 153, 157, 161, 165",
    "1:   CH   36,   40,   44,   48,   52,   56,   60,   64, 100, 104, 108, 112, 116, 120, 124, 128, 132, 136, 140",
    "2:   CH   36,   40,   44,   48,   52,   56,   60,   64",
    "3:   CH   52,   56,   60,   64, 149, 153, 157, 161",
    "4:   CH 149, 153, 157, 161, 165",
    "5:   CH 149, 153, 157, 161",
    "6:   CH   36,   40,   44,   48",
    "7:   CH   36,   40,   44,   48,   52,   56,   60,   64, 100, 104, 108, 112, 116, 120, 124, 128, 132, 136, 140, 149, 153, 157, 161, 165",
    "8:   CH   52,   56,   60,   64"};
const char* const kBuilt5A[] = {
    "9:   CH   36,   40,   44,   48,   52,   56,   60,   64, 100, 104, 108, 112, 116, 132, 136, 140, 149, 153, 157, 161, 165",
    "10: CH   36,   40,   44,   48, 149, 153, 157, 161, 165",
    "11: CH   36,   40,   44,   48,   52,   56,   60,   64, 100, 104, 108, 112, 116, 120, 149, 153, 157, 161",
    "12: CH   36,   40,   44,   48,   52,   56,   60,   64, 100, 104, 108, 112, 116, 120, 124, 128, 132, 136, 140",
    "13: CH   52,   56,   60,   64, 100, 104, 108, 112, 116, 120, 124, 128, 132, 136, 140, 149, 153, 157, 161",
    "14: CH   36,   40,   44,   48,   52,   56,   60,   64, 100, 104, 108, 112, 116, 136, 140, 149, 153, 157, 161, 165",
    "15: CH  149, 153, 157, 161, 165, 169, 173",
    "16: CH   36,   40,   44,   48,   52,   56,   60,   64, 100, 104, 108, 112, 116, 120, 124, 128, 132, 136, 140, 149, 153, 157, 161, 165, 169, 173"};
const char* const kBuilt5B[] = {"9:   CH   34,   38,   42,   46",
                                "10: CH   34,   36,   38,   40,   42,   44,   46,   48,   52,   56,   60,   64"};

template <size_t N>
std::vector<std::string> Texts(const char* const (&texts)[N])
{
    return std::vector<std::string>(texts, texts + N);
}

// How many of a built list to show: all when the maximum is 0 or reaches past the list.
int ShownCount(int maximum, size_t length)
{
    if (maximum <= 0 || size_t(maximum) >= length)
        return int(length);
    return maximum + 1;
}

bool Is11nCode(int code)
{
    return code == 5 || code == 6 || code == 8 || code == 9 || code == 11;
}

// The HT refresh timer runs from creation on, also before the adapter library is there.
bool Supports11n()
{
    return VOZEZIV.WVWL_Is80211NSupport && VOZEZIV.WVWL_Is80211NSupport() != 0;
}

bool Supports5GHz()
{
    return VOZEZIV.WVWL_Is80211ASupport && VOZEZIV.WVWL_Is80211ASupport() != 0;
}

void ShowPair(TControl* label, TControl* control, bool shown)
{
    label->SetVisible(shown);
    control->SetVisible(shown);
}

void EnablePair(TControl* label, TControl* control, bool enabled)
{
    label->SetEnabled(enabled);
    control->SetEnabled(enabled);
}

}  // namespace

TFrameAdvancedWireless::TFrameAdvancedWireless(TComponent* owner)
    : TFrameBase(owner), m_pProfileCopy(std::make_unique<WLANPROFILE>())
{
    Name = "FrameAdvancedWireless";
    m_strWirelessMode = Str().STR_24GHZ;
    m_strPrevWirelessMode = Str().STR_24GHZ5GHZ;
    m_PendingConnectAction = ACTION_DATA{0, m_pProfileCopy.get()};
    BuildControls();
}

void TFrameAdvancedWireless::BuildControls()
{
    lblWirelessModeTxt = MakeLabel(this, 16, 8, 120, &CUISTR::STR_WIRELESS_MODE);
    cBoxWirelessMode = new TComboBox({this, 140, 5, 150, 21});
    grpCountryRegion = new TGroupBox({this, 8, 2, 384, 72, Text(&CUISTR::STR_COUNTRY_REGION)});
    lbl24GHzTxt = MakeLabel(grpCountryRegion, 12, 21, 60, &CUISTR::STR_24GHZ);
    cBox24GHz = new TComboBox({grpCountryRegion, 90, 18, 100, 21});
    lbl5GHzTxt = MakeLabel(grpCountryRegion, 12, 47, 60, &CUISTR::STR_5GHZ);
    cBox5GHz = new TComboBox({grpCountryRegion, 90, 44, 257, 21});

    lblBGProtectionTxt = MakeLabel(this, 16, 85, 110, &CUISTR::STR_BGPROTECTION);
    cBoxBGProtection = new TComboBox({this, 128, 82, 90, 21});
    lblTxRateTxt = MakeLabel(this, 16, 111, 110, &CUISTR::STR_TX_RATE);
    cBoxTxRate = new TComboBox({this, 128, 108, 90, 21});
    chBoxTXBurst = new TCheckBox({this, 232, 84, 160, 17, Text(&CUISTR::STR_ENABLE_TX_BURST)});
    chBoxTXBurst->SetChecked(true);
    chBoxTCPWindowSize = new TCheckBox({this, 232, 110, 160, 17, Text(&CUISTR::STR_ENABLE_TCP_WINDOW_SIZE)});
    chBoxFastRoaming = new TCheckBox({this, 16, 136, 150, 17, Text(&CUISTR::STR_FAST_ROAMING)});
    editDbm = new TEdit({this, 170, 134, 40, 21});
    editDbm->SetMaxLength(3);
    editDbm->SetText("-70");
    editDbm->SetEnabled(false);
    lblDbmTxt = MakeLabel(this, 214, 137, 40, &CUISTR::STR_DBM);
    chBoxAuthenticationStatus = new TCheckBox({this, 232, 160, 160, 17, Text(&CUISTR::STR_SHOW_AUTH_STATUS)});
    chBoxAuthenticationStatus->SetVisible(false);
    chBox11NMode = new TCheckBox({this, 16, 160, 200, 17, Text(&CUISTR::STR_ENABLE11NMODE)});
    chBox11NMode->SetVisible(false);

    panelHTSettings = new TPanel({this, 8, 182, 384, 112});
    lblHTPhyModeTxt = MakeLabel(panelHTSettings, 8, 2, 200, &CUISTR::STR_HT_PHYSICAL_MODE);
    struct RadioRow {
        TLabel*& label;
        std::string CUISTR::*title;
        TRadioButton*& first;
        std::string CUISTR::*firstText;
        TRadioButton*& second;
        std::string CUISTR::*secondText;
        int left, top;
    } rows[] = {
        {lblHTModeTxt, &CUISTR::STR_HT_MODE, rBtnHTModeMM, &CUISTR::STR_MM, rBtnHTModeGF, &CUISTR::STR_GF, 8, 22},
        {lblBWTxt, &CUISTR::STR_BW, rBtnBW20, &CUISTR::STR_BW20, rBtnBWAuto, &CUISTR::STR_AUTO, 8, 46},
        {lblGITxt, &CUISTR::STR_GI, rBtnGILong, &CUISTR::STR_LONG, rBtnGIAuto, &CUISTR::STR_AUTO, 196, 22},
        {lblSTBCTxt, &CUISTR::STR_STBC, rBtnSTBCNone, &CUISTR::STR_NONE, rBtnSTBCAuto, &CUISTR::STR_AUTO, 196, 46},
    };
    for (RadioRow& row : rows) {
        row.label = MakeLabel(panelHTSettings, row.left, row.top + 2, 50, row.title);
        TPanel* pair = new TPanel({panelHTSettings, row.left + 52, row.top, 128, 20});
        row.first = new TRadioButton({pair, 0, 1, 60, 17, Text(row.firstText)});
        row.second = new TRadioButton({pair, 64, 1, 62, 17, Text(row.secondText)});
    }
    rBtnHTModeMM->SetChecked(true);
    rBtnBWAuto->SetChecked(true);
    rBtnGIAuto->SetChecked(true);
    rBtnSTBCAuto->SetChecked(true);
    lblMCSTxt = MakeLabel(panelHTSettings, 8, 74, 50, &CUISTR::STR_MCS);
    cBoxMCS = new TComboBox({panelHTSettings, 60, 71, 80, 21});

    BtnApply = new TButton({this, 310, 300, 75, 25, Text(&CUISTR::STR_APPLY)});
    TimerAdvancedScan = new TTimer(this);
    TimerAdvancedScan->SetInterval(1000);
    TimerAdvancedEnable80211N = new TTimer(this);
    TimerAdvancedEnable80211N->SetInterval(1000);

    cBoxWirelessMode->OnChange = [this](TObject* s) { cBoxWirelessModeChange(s); };
    cBox24GHz->OnChange = [this](TObject* s) { cBox24GHzChange(s); };
    cBoxBGProtection->OnChange = [this](TObject* s) { cBoxBGProtectionChange(s); };
    cBoxTxRate->OnChange = [this](TObject* s) { cBoxTxRateChange(s); };
    chBoxTXBurst->OnClick = [this](TObject* s) { chBoxTXBurstClick(s); };
    chBoxTCPWindowSize->OnClick = [this](TObject* s) { chBoxTCPWindowSizeClick(s); };
    chBoxAuthenticationStatus->OnClick = [this](TObject* s) { chBoxAuthenticationStatusClick(s); };
    chBoxFastRoaming->OnClick = [this](TObject* s) { chBoxFastRoamingClick(s); };
    chBox11NMode->OnClick = [this](TObject* s) { chBox11NModeClick(s); };
    for (TRadioButton* r : {rBtnHTModeMM, rBtnHTModeGF})
        r->OnClick = [this](TObject* s) { rBtnHTModeClick(s); };
    for (TRadioButton* r : {rBtnBW20, rBtnBWAuto})
        r->OnClick = [this](TObject* s) { rBtnBWClick(s); };
    for (TRadioButton* r : {rBtnGILong, rBtnGIAuto})
        r->OnClick = [this](TObject* s) { rBtnGIClick(s); };
    for (TRadioButton* r : {rBtnSTBCNone, rBtnSTBCAuto})
        r->OnClick = [this](TObject* s) { rBtnSTBCClick(s); };
    BtnApply->OnClick = [this](TObject* s) { BtnApplyClick(s); };
    TimerAdvancedScan->OnTimer = [this](TObject* s) { TimerAdvancedScanTimer(s); };
    TimerAdvancedEnable80211N->OnTimer = [this](TObject* s) { TimerAdvancedEnable80211NTimer(s); };
    TimerAdvancedEnable80211N->SetEnabled(true);
}

// ---------------------------------------------------------------------------------------------
// Conversions

int TFrameAdvancedWireless::ModeToPhyMode(const std::string& band) const
{
    const CUISTR& s = Str();
    const bool legacy = !Supports11n() || (VOZEZIV.bSelect11nDialog && !chBox11NMode->Checked());
    if (band == s.STR_24GHZ)
        return legacy ? WMODE_24G_LEGACY : WMODE_24G_11N;
    if (band == s.STR_5GHZ)
        return legacy ? WMODE_5G_LEGACY : WMODE_5G_11N;
    if (band == s.STR_24GHZ5GHZ) {
        if (legacy)
            return WMODE_DUAL_LEGACY;
        return VOZEZIV.WVWL_Is80211ACSupport && VOZEZIV.WVWL_Is80211ACSupport() == 1 ? WMODE_DUAL_11N_11AC
                                                                                     : WMODE_DUAL_11N;
    }
    return WMODE_24G_LEGACY;
}

std::string TFrameAdvancedWireless::PhyModeToModeText(int code) const
{
    const CUISTR& s = Str();
    const bool n = Supports11n() || chBox11NMode->Checked();
    const int band24 = n ? WMODE_24G_11N : WMODE_24G_LEGACY;
    const int band5 = n ? WMODE_5G_11N : WMODE_5G_LEGACY;
    const bool dual = n ? (code == WMODE_DUAL_11N || code == WMODE_DUAL_11N_11AC) : code == WMODE_DUAL_LEGACY;
    if (code == band24)
        return s.STR_24GHZ;
    if (code == band5)
        return s.STR_5GHZ;
    if (dual)
        return Supports5GHz() ? s.STR_24GHZ5GHZ : s.STR_24GHZ;
    return s.STR_24GHZ;
}

std::string TFrameAdvancedWireless::McsValueToText(int code)
{
    if (code == int(MCS_AUTO))
        return Str().STR_AUTO;
    return std::to_string(code);
}

int TFrameAdvancedWireless::McsTextToValue(const std::string& text)
{
    if (text == Str().STR_AUTO)
        return int(MCS_AUTO);
    return std::atoi(text.c_str());
}

// ---------------------------------------------------------------------------------------------
// Entry

REGION_LISTS TFrameAdvancedWireless::BuildRegionLists() const
{
    REGION_LISTS lists;
    lists.band24 = Texts(kBuilt24);
    unsigned long model = 0;
    VOZEZIV.WVWL_GetCurrentDeviceModel(&model);
    if (model >= 2 && model <= 8) {
        lists.band5 = Texts(kBuilt5Common);
        if (model >= 4)
            lists.band5.insert(lists.band5.end(), std::begin(kBuilt5A), std::end(kBuilt5A));
        else
            lists.band5.insert(lists.band5.end(), std::begin(kBuilt5B), std::end(kBuilt5B));
    }
    int max24 = 0, max5 = 0;
    VOZEZIV.WVWL_GetMaxCountryRegion(&max24, &max5);
    lists.show24 = ShownCount(max24, lists.band24.size());
    lists.show5 = ShownCount(max5, lists.band5.size());
    return lists;
}

void TFrameAdvancedWireless::FillRegionList(TComboBox* list, const std::vector<std::string>& texts, int count)
{
    list->Items().Clear();
    for (int i = 0; i < count && i < int(texts.size()); ++i)
        advctl::AddCoded(list, texts[size_t(i)], i);
}

// A region the user may not change is shown even when no listed item carries its code.
void TFrameAdvancedWireless::AppendLockedRegion(TComboBox* list, bool changeable, int code)
{
    if (changeable || list->Items().IndexOfObject(reinterpret_cast<void*>(intptr_t(code))) >= 0)
        return;
    advctl::AddCoded(list, std::to_string(code), code);
    list->SetItemIndex(list->Items().Count() - 1);
}

void TFrameAdvancedWireless::ShowBGProtection()
{
    const bool shown = VOZEZIV.bBgProtection ? true : !Supports11n();
    ShowPair(lblBGProtectionTxt, cBoxBGProtection, shown);
}

void TFrameAdvancedWireless::OnEnterPage()
{
    const CUISTR& s = Str();
    VOZEZIV.WVWL_QueryCountryRegion(&m_nRegionWord, &m_b5GChangeable, &m_b24GChangeable);
    m_bReconnectPending = 0;

    ShowPair(lblWirelessModeTxt, cBoxWirelessMode, false);
    m_strWirelessMode = mainwin::WirelessMode(m_strWirelessMode);

    if (VOZEZIV.nWinOS >= 31)
        chBoxAuthenticationStatus->SetVisible(false);
    else if (VOZEZIV.nWinOS < 11)
        chBoxAuthenticationStatus->SetEnabled(false);

    const bool n = Supports11n();
    chBox11NMode->SetChecked(n);
    chBox11NMode->SetVisible(n && VOZEZIV.bSelect11nDialog);
    if (!n || !chBox11NMode->Checked())
        panelHTSettings->SetVisible(false);

    EnablePair(lbl24GHzTxt, cBox24GHz, m_b24GChangeable && VOZEZIV.bShowCountryRegion);
    EnablePair(lbl5GHzTxt, cBox5GHz, m_b5GChangeable && VOZEZIV.bShowCountryRegion);
    ShowPair(lbl5GHzTxt, cBox5GHz, Supports5GHz());

    ShowBGProtection();
    chBoxTXBurst->SetVisible(VOZEZIV.bTxBurst != 0);
    chBoxTCPWindowSize->SetVisible(VOZEZIV.bTCPWindowSize != 0);
    for (TControl* c : {static_cast<TControl*>(chBoxFastRoaming), static_cast<TControl*>(editDbm),
                        static_cast<TControl*>(lblDbmTxt)})
        c->SetVisible(VOZEZIV.bFastRoaming != 0);

    cBoxWirelessMode->Items().Clear();
    advctl::AddCoded(cBoxWirelessMode, s.STR_24GHZ, 0);
    cBoxWirelessMode->SetItemIndex(0);
    if (Supports5GHz()) {
        advctl::AddCoded(cBoxWirelessMode, s.STR_24GHZ5GHZ, 1);
        advctl::AddCoded(cBoxWirelessMode, s.STR_5GHZ, 2);
        cBoxWirelessMode->SetItemIndex(1);
    }

    const REGION_LISTS built = BuildRegionLists();
    m_n5GBuilt = int(built.band5.size());
    unsigned long model = 0;
    if (VOZEZIV.WVWL_GetCurrentDeviceModel(&model) && model <= 8) {
        if (model <= 1) {
            FillRegionList(cBox24GHz, Texts(kFixed24), int(std::size(kFixed24)));
            FillRegionList(cBox5GHz, Texts(kFixed5), int(std::size(kFixed5)));
        } else {
            FillRegionList(cBox24GHz, built.band24, built.show24);
            FillRegionList(cBox5GHz, built.band5, built.show5);
        }
    }

    LoadCurrentSettings();
    const int loadedHtMode = m_nHtMode;
    (m_nSTBC ? rBtnSTBCAuto : rBtnSTBCNone)->SetChecked(true);
    (m_nBW ? rBtnBWAuto : rBtnBW20)->SetChecked(true);
    (m_nGI == 1 ? rBtnGIAuto : rBtnGILong)->SetChecked(true);
    (m_nHtMode == 0 ? rBtnHTModeMM : rBtnHTModeGF)->SetChecked(true);
    m_nHtMode = loadedHtMode;
    m_bHtModeChosen = false;
    chBoxTCPWindowSize->SetChecked(m_bTcpWindow == 1);

    if (!VOZEZIV.WVWL_DetectUserAdmin() && !VOZEZIV.WVWL_IsAllowStandardUserSetAdvance())
        LoadForStandardUser();

    AppendLockedRegion(cBox24GHz, m_b24GChangeable, m_n24Code);
    AppendLockedRegion(cBox5GHz, m_b5GChangeable, m_n5Code);
    advctl::SelectCode(cBox24GHz, m_n24Code);
    advctl::SelectCode(cBox5GHz, m_n5Code);
    if (HWND list5 = cBox5GHz->Handle())
        SendMessageA(list5, CB_SETDROPPEDWIDTH, 700, 0);

    m_nBandIndex = m_strWirelessMode == s.STR_24GHZ ? 0 : m_strWirelessMode == s.STR_24GHZ5GHZ ? 1 : 2;
    advctl::SelectCode(cBoxWirelessMode, m_nBandIndex);

    cBoxBGProtection->Items().Clear();
    advctl::AddCoded(cBoxBGProtection, s.STR_AUTO, BG_PROTECTION_AUTO);
    advctl::AddCoded(cBoxBGProtection, s.STR_ON, BG_PROTECTION_ON);
    advctl::AddCoded(cBoxBGProtection, s.STR_OFF, BG_PROTECTION_OFF);
    advctl::SelectCode(cBoxBGProtection, m_nBGProtection);

    unsigned long antennas = 0;
    const bool threeByThree = VOZEZIV.WVWL_QueryAntennaNumber(&antennas) && (antennas & 0xFF) == 0x33;
    cBoxMCS->Items().Clear();
    for (int i = 0; i < (threeByThree ? 26 : 18); ++i) {
        const int code = i == 0 ? int(MCS_AUTO) : i == (threeByThree ? 25 : 17) ? 32 : i - 1;
        advctl::AddCoded(cBoxMCS, McsValueToText(code), code);
    }
    if (m_strMCS.empty())
        m_strMCS = McsValueToText(int(MCS_AUTO));
    const int mcsAt = cBoxMCS->Items().IndexOf(m_strMCS);
    cBoxMCS->SetItemIndex(mcsAt >= 0 ? mcsAt : 0);

    cBoxWirelessModeChange(cBoxWirelessMode);

    m_nEntry24Code = advctl::SelectedCode(cBox24GHz);
    m_nEntry5Code = advctl::SelectedCode(cBox5GHz);
    m_nEntryBand = advctl::SelectedCode(cBoxWirelessMode);
    m_strPrevWirelessMode = m_strWirelessMode;
    TimerAdvancedEnable80211N->SetEnabled(true);
}

void TFrameAdvancedWireless::LoadCurrentSettings()
{
    ADVANCE_CONFIG_DATA config{};
    if (!VOZEZIV.WVWL_ReadConfigData(&config)) {
        LoadForStandardUser();
        return;
    }
    const int code = ModeToPhyMode(mainwin::WirelessMode(m_strWirelessMode));
    m_bTcpWindow = int(config.EnableTcpWindowSize);
    m_strWirelessMode = PhyModeToModeText(code);

    if (Supports11n()) {
        const uint32_t tx = config.TransmitSetting;
        const bool no40 = (!VOZEZIV.bAllowBW40InBGBand && (code == 9 || code == 7)) ||
                          (!VOZEZIV.bAllowBW40InABand && code == 8);
        m_nBW = no40 ? 0 : int(FieldGet(tx, txset::BW));
        m_nGI = int(FieldGet(tx, txset::ShortGI));
        m_nSTBC = int(FieldGet(tx, txset::STBC));
        m_nExtCha = int(FieldGet(tx, txset::EXTCHA));
        m_strMCS = McsValueToText(int(FieldGet(tx, txset::MCS)));
        m_nHtMode = int(TransmitHtMode(tx));
    }

    m_bTxBurst = config.TXBurst ? 1 : 0;
    chBoxTXBurst->SetChecked(config.TXBurst != 0);
    m_nBGProtection = int(config.BGProtection);

    m_n24Code = int(m_b24GChangeable ? config.CountryRegion & 0x7F : RegionCode24G(uint32_t(m_nRegionWord)));
    m_n5Code = int(m_b5GChangeable ? config.CountryRegionABand & 0x7F : RegionCode5G(uint32_t(m_nRegionWord)));

    m_nTxRate = int(config.TransRate) < 0 ? 0 : int(config.TransRate);
    advctl::SelectCode(cBoxTxRate, m_nTxRate);

    m_bShowAuthStatus = config.ShowAuthStatus ? 1 : 0;
    chBoxAuthenticationStatus->SetChecked(config.ShowAuthStatus != 0);

    m_bFastRoaming = int(FieldGet(config.CCX2_CONTROL, ccx2::FastRoamEnable));
    chBoxFastRoaming->SetChecked(m_bFastRoaming != 0);
    m_nRoamDbm = CcxRoamThresholdDbm(config.CCX2_CONTROL);
    if (m_nRoamDbm < -90 || m_nRoamDbm > -40)
        m_nRoamDbm = -70;
    editDbm->SetText(std::to_string(m_nRoamDbm));
}

void TFrameAdvancedWireless::LoadForStandardUser()
{
    int mode = 0;
    VOZEZIV.WVWL_QueryWirelessMode(&mode);
    m_strWirelessMode = PhyModeToModeText(mode);
    KV_802_11_STA_CONFIG sta{};
    VOZEZIV.WVWL_QuerySTAConfig(&sta);
    m_bTxBurst = int(sta.EnableTxBurst);
    m_nBGProtection = int(sta.UseBGProtection);
    int word = 0, c5 = 0, c24 = 0;
    VOZEZIV.WVWL_QueryCountryRegion(&word, &c5, &c24);
    m_n24Code = int(RegionCode24G(uint32_t(word)));
    m_n5Code = int(RegionCode5G(uint32_t(word)));
}

// ---------------------------------------------------------------------------------------------
// Band, rates and HT controls

void TFrameAdvancedWireless::FillRateList(int code)
{
    const CUISTR& s = Str();
    const struct {
        std::string CUISTR::*text;
        int code;
    } rates[] = {{&CUISTR::STR_AUTO, 0},    {&CUISTR::STR_1MBPS, 1},   {&CUISTR::STR_2MBPS, 2},
                 {&CUISTR::STR_55MBPS, 55}, {&CUISTR::STR_11MBPS, 11}, {&CUISTR::STR_6MBPS, 6},
                 {&CUISTR::STR_9MBPS, 9},   {&CUISTR::STR_12MBPS, 12}, {&CUISTR::STR_18MBPS, 18},
                 {&CUISTR::STR_24MBPS, 24}, {&CUISTR::STR_36MBPS, 36}, {&CUISTR::STR_48MBPS, 48},
                 {&CUISTR::STR_54MBPS, 54}};
    auto add = [&](int from, int to) {
        for (int i = from; i < to; ++i)
            advctl::AddCoded(cBoxTxRate, s.*rates[i].text, rates[i].code);
    };
    switch (code) {
    case 0: case 3: case 5: case 8: case 9: case 11:
        add(0, 13);
        break;
    case 1:
        add(0, 5);
        m_nBGProtection = 0;
        break;
    case 2: case 4:
        add(0, 1);
        add(5, 13);
        m_nBGProtection = 0;
        break;
    case 6:
        add(0, 1);
        break;
    default:
        break;
    }
}

void TFrameAdvancedWireless::cBoxWirelessModeChange(TObject*)
{
    const CUISTR& s = Str();
    m_strMCS = cBoxMCS->Text();
    cBoxTxRate->Items().Clear();
    UpdateHTControls(false, 0);

    m_nBandIndex = cBoxWirelessMode->ItemIndex();
    m_strWirelessMode = m_nBandIndex == 0 ? s.STR_24GHZ : m_nBandIndex == 1 ? s.STR_24GHZ5GHZ : s.STR_5GHZ;

    const int code = ModeToPhyMode(m_strWirelessMode);
    const bool has24 = code == 0 || code == 1 || code == 4 || code == 9 || code == 3 || code == 5 || code == 11;
    const bool has5 = code == 2 || code == 8 || code == 3 || code == 5 || code == 11;
    if (has24 || has5) {
        ShowPair(lbl24GHzTxt, cBox24GHz, has24);
        ShowPair(lbl5GHzTxt, cBox5GHz, has5);
    }
    FillRateList(code);
    if (Is11nCode(code))
        UpdateHTControls(VOZEZIV.bHTSetting != 0, code);
    advctl::SelectCode(cBoxTxRate, m_nTxRate);
}

void TFrameAdvancedWireless::UpdateHTControls(bool showHT, int code)
{
    cBoxTxRate->Items().Clear();
    const bool n = Supports11n();
    bool rateShown = !n;
    if (VOZEZIV.bTxRate)
        rateShown = !n || !chBox11NMode->Checked();
    ShowPair(lblTxRateTxt, cBoxTxRate, rateShown);
    if (VOZEZIV.bTxRate && !n)
        cBoxTxRate->SetEnabled(!showHT);
    ShowBGProtection();
    panelHTSettings->SetVisible(showHT);
    if (!showHT) {
        rBtnBWAuto->SetVisible(false);
        return;
    }
    rBtnBWAuto->SetVisible(true);
    const bool legacyHt = m_nHtMode == 2 || m_nHtMode == 3;
    bool enabled = true;
    if (code == 7 || code == 9)
        enabled = VOZEZIV.bAllowBW40InBGBand && !legacyHt;
    else if (code == 8)
        enabled = VOZEZIV.bAllowBW40InABand && !legacyHt;
    rBtnBWAuto->SetEnabled(enabled);
}

void TFrameAdvancedWireless::TimerAdvancedEnable80211NTimer(TObject*)
{
    TimerAdvancedEnable80211N->SetEnabled(false);
    const int code = ModeToPhyMode(m_strWirelessMode);
    if (Is11nCode(code))
        UpdateHTControls(VOZEZIV.bHTSetting || (VOZEZIV.bSelect11nDialog && chBox11NMode->Checked()), code);
    TimerAdvancedEnable80211N->SetEnabled(true);
}

// ---------------------------------------------------------------------------------------------
// Handlers that record a choice

void TFrameAdvancedWireless::cBox24GHzChange(TObject*)
{
    m_strMCS = cBoxMCS->Text();
}

void TFrameAdvancedWireless::cBoxBGProtectionChange(TObject*)
{
    m_nBGProtection = cBoxBGProtection->ItemIndex();
}

void TFrameAdvancedWireless::cBoxTxRateChange(TObject*)
{
    m_nTxRate = advctl::SelectedCode(cBoxTxRate);
}

void TFrameAdvancedWireless::chBoxTXBurstClick(TObject*)
{
    m_bTxBurst = chBoxTXBurst->Checked() ? 1 : 0;
}

void TFrameAdvancedWireless::chBoxTCPWindowSizeClick(TObject*)
{
    m_bTcpWindow = chBoxTCPWindowSize->Checked() ? 1 : 0;
}

void TFrameAdvancedWireless::chBoxAuthenticationStatusClick(TObject*)
{
    m_bShowAuthStatus = chBoxAuthenticationStatus->Checked() ? 1 : 0;
}

void TFrameAdvancedWireless::chBoxFastRoamingClick(TObject*)
{
    if (chBoxFastRoaming->Checked()) {
        editDbm->SetEnabled(true);
        m_bFastRoaming = 1;
        return;
    }
    if (editDbm->Text().empty())
        editDbm->SetText("-70");
    editDbm->SetEnabled(false);
    m_bFastRoaming = 0;
}

void TFrameAdvancedWireless::chBox11NModeClick(TObject*)
{
    m_bHTChanged = 1;
    const bool ticked = chBox11NMode->Checked();
    VOZEZIV.bTxRate = ticked ? 0 : 1;
    if (!ticked)
        VOZEZIV.bHTSetting = 0;
    ShowPair(lblTxRateTxt, cBoxTxRate, !ticked);
    if (!(Supports11n() && ticked))
        panelHTSettings->SetVisible(false);
}

void TFrameAdvancedWireless::rBtnHTModeClick(TObject* Sender)
{
    m_nHtMode = Sender == rBtnHTModeMM ? 0 : 1;
    m_bHtModeChosen = true;
}

void TFrameAdvancedWireless::rBtnBWClick(TObject* Sender)
{
    m_bHTChanged = 1;
    m_nBW = Sender == rBtnBW20 ? 0 : 1;
}

void TFrameAdvancedWireless::rBtnGIClick(TObject* Sender)
{
    m_nGI = Sender == rBtnGILong ? 0 : 1;
}

void TFrameAdvancedWireless::rBtnSTBCClick(TObject* Sender)
{
    m_nSTBC = Sender == rBtnSTBCNone ? 0 : 1;
}
