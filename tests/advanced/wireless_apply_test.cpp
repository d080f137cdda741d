// Apply on the advanced wireless page: what it writes, in which order, and how it reconnects
// for each Windows version.
#include <gtest/gtest.h>

#include "advanced_pages_fixture.h"
#include "mainwindow/FormSiteSurvey.h"
#include "../ui/UiTestSupport.h"

namespace {

const std::vector<std::string> kApplyEntries = {
    "WVWL_WriteAdvanceCfgData", "WVWL_SetCCXInfo",  "WVWL_VerifyCountryRegion", "WVWL_FlushBSSIDList",
    "WVWL_WlanDisconnect",      "WVWL_WlanConnect", "WVWL_Disconnect",          "WVWL_SetSSID",
    "WVWL_HostedNetworkStopUsingAndSetup"};

enum class Change { None, Region24, Bandwidth };

struct ApplyCase {
    const char* name;
    const char* winOS;
    Change change;
    bool connected;
    const char* opMode;
    int wpsFlag, directFlag;
    std::vector<std::string> calls;  // kApplyEntries in the order Apply made them
    bool queuedProfile;              // the main window's current profile queued for connecting
    bool hostedRestart;
};

void PrintTo(const ApplyCase& c, std::ostream* os) { *os << c.name; }

class Apply : public AdvancedPages, public ::testing::WithParamInterface<ApplyCase> {};

TEST_P(Apply, WritesAndReconnectsByWindowsVersion)
{
    const ApplyCase& c = GetParam();
    Open(TScenario().Set("System", "WinOS", c.winOS).Set("Driver", "OpMode", c.opMode).Set("Driver", "StoredOpMode", c.opMode));
    if (c.connected)
        ConnectHome();
    else
        StoreHomeProfile();
    VOZEZIV.WVWL_ReadProfileData(FormMain->m_pProfData, "Home");
    VOZEZIV.WVWL_WriteWPSFlag(c.wpsFlag);
    VOZEZIV.WVWL_WriteWifiDirectFlag(c.directFlag);
    EnterWireless();
    TFrameAdvancedWireless* page = FormAdvanced->FrameAdvancedWireless;
    page->m_bHTChanged = 0;  // the first entry's tick of the 802.11n box is not under test
    if (c.change == Change::Region24)
        Choose(page->cBox24GHz, 1);  // channels 1 to 13: the network stays in reach
    if (c.change == Change::Bandwidth)
        Click(page->rBtnBW20);
    SimJournalClear();
    m_log.clear();

    Click(page->BtnApply);

    EXPECT_EQ(Names(kApplyEntries), c.calls) << SimJournal();
    EXPECT_EQ(LogHas(" WPS flag is FALSE"), c.queuedProfile && std::string(c.winOS) >= "31");
    EXPECT_EQ(LogHas(" --> TFormMain::InsertAction"), c.queuedProfile);
    EXPECT_EQ(SimJournal().find("hosted network started") != std::string::npos, c.hostedRestart);
    if (c.change == Change::Region24) {
        int word = 0, c5 = 0, c24 = 0;
        VOZEZIV.WVWL_QueryCountryRegion(&word, &c5, &c24);
        EXPECT_EQ(word & 0x7F, 1);
    }
    if (c.connected && c.change != Change::None) {
        EXPECT_TRUE(PumpUntil([this] { return Connected(); })) << "the link is not back\n" << SimJournal();
    }
}

const std::vector<std::string> kWrite = {"WVWL_WriteAdvanceCfgData", "WVWL_VerifyCountryRegion", "WVWL_SetCCXInfo"};

std::vector<std::string> Then(std::vector<std::string> first, const std::vector<std::string>& more)
{
    first.insert(first.end(), more.begin(), more.end());
    return first;
}

INSTANTIATE_TEST_SUITE_P(
    Roads, Apply,
    ::testing::Values(
        ApplyCase{"NothingChangedWritesOnly", "41", Change::None, true, "0", 0, 0, kWrite, false, false},
        ApplyCase{"RegionChangeReconnectsTheSameProfile", "41", Change::Region24, true, "0", 0, 0,
                  Then(kWrite, {"WVWL_FlushBSSIDList", "WVWL_WlanDisconnect", "WVWL_WlanConnect"}), false, false},
        ApplyCase{"BandwidthRadioAloneReconnects", "31", Change::Bandwidth, true, "0", 0, 0,
                  Then(kWrite, {"WVWL_FlushBSSIDList", "WVWL_WlanDisconnect", "WVWL_WlanConnect"}), false, false},
        // A queued profile is handed to the driver by the main window (its CCX hand-over).
        ApplyCase{"DisconnectedQueuesTheCurrentProfile", "41", Change::Region24, false, "0", 0, 0,
                  Then(kWrite, {"WVWL_FlushBSSIDList", "WVWL_SetCCXInfo"}), true, false},
        // A running WPS exchange keeps the adapter.
        ApplyCase{"WpsRunningIsLeftAlone", "41", Change::Region24, false, "0", 1, 0, Then(kWrite, {"WVWL_FlushBSSIDList"}),
                  false, false},
        ApplyCase{"WpsAndWiFiDirectRunningAreLeftAlone", "41", Change::Region24, false, "0", 1, 1,
                  Then(kWrite, {"WVWL_FlushBSSIDList"}), false, false},
        // Wi-Fi Direct keeps the adapter too, except in its own station mode (3).
        ApplyCase{"WiFiDirectAloneIsLeftAlone", "41", Change::Region24, false, "0", 0, 1,
                  Then(kWrite, {"WVWL_FlushBSSIDList"}), false, false},
        ApplyCase{"WiFiDirectInItsStationModeQueuesTheCurrentProfile", "41", Change::Region24, false, "3", 0, 1,
                  Then(kWrite, {"WVWL_FlushBSSIDList", "WVWL_SetCCXInfo"}), true, false},
        ApplyCase{"AccessPointClientRestartsTheHostedNetwork", "41", Change::Region24, false, "2", 0, 0,
                  Then(kWrite, {"WVWL_FlushBSSIDList", "WVWL_SetCCXInfo", "WVWL_HostedNetworkStopUsingAndSetup"}), true,
                  true},
        ApplyCase{"AccessPointClientBelow41KeepsTheHostedNetwork", "31", Change::Region24, false, "2", 0, 0,
                  Then(kWrite, {"WVWL_FlushBSSIDList", "WVWL_SetCCXInfo"}), true, false},
        ApplyCase{"BelowCode31DisassociatesAndQueues", "30", Change::Region24, true, "0", 0, 0,
                  Then(kWrite, {"WVWL_FlushBSSIDList", "WVWL_Disconnect", "WVWL_SetCCXInfo"}), true, false}),
    [](const ::testing::TestParamInfo<ApplyCase>& info) { return std::string(info.param.name); });

class ApplyRules : public AdvancedPages {};

TEST_F(ApplyRules, AThresholdOutsideMinus90ToMinus40IsRefusedAndNothingWritten)
{
    Open();
    EnterWireless();
    TFrameAdvancedWireless* page = FormAdvanced->FrameAdvancedWireless;
    for (const auto& [text, accepted] : {std::pair{"-39", false}, std::pair{"-91", false}, std::pair{"x", false},
                                         std::pair{"-40", true}, std::pair{"-90", true}}) {
        SCOPED_TRACE(text);
        m_boxes.clear();
        SimJournalClear();
        Type(page->editDbm, text);
        Click(page->BtnApply);
        EXPECT_EQ(Calls("WVWL_WriteAdvanceCfgData").size(), accepted ? 1u : 0u);
        EXPECT_EQ(m_boxes.size(), accepted ? 0u : 1u);
    }
}

// A failed read writes nothing, says so in the log and leaves Apply to the user: the next
// Apply still sees the band change and flushes from the old band.
TEST_F(ApplyRules, AFailedCcxReadWritesNothingAndTheNextApplyStillSeesTheChange)
{
    Open(TScenario().Set("System", "WinOS", "41"));
    StoreHomeProfile();
    EnterWireless();
    TFrameAdvancedWireless* page = FormAdvanced->FrameAdvancedWireless;
    const std::string before = FormMain->m_strWirelessMode;
    FormMain->m_strWirelessMode = before == Str().STR_24GHZ ? Str().STR_24GHZ5GHZ : Str().STR_24GHZ;
    SimJournalClear();
    m_log.clear();
    const int reads = std::stoi([this] { std::string n; SimCommand("calls WVWL_ReadCCX2Cont", &n); return n; }());
    SimCommand("inject WVWL_ReadCCX2Cont " + std::to_string(reads + 1) + " 0");
    Click(page->BtnApply);
    EXPECT_TRUE(Calls("WVWL_WriteAdvanceCfgData").empty());
    EXPECT_TRUE(Calls("WVWL_SetCCXInfo").empty());
    EXPECT_TRUE(Calls("WVWL_FlushBSSIDList").empty());
    EXPECT_TRUE(LogHas("WVWL_ReadCCX2Cont() failed, the CCX word is not written"));
    EXPECT_TRUE(UserCanClick(page->BtnApply));

    Click(page->BtnApply);
    EXPECT_EQ(Calls("WVWL_WriteAdvanceCfgData").size(), 1u);
    const std::vector<std::string> flush = Calls("WVWL_FlushBSSIDList");
    ASSERT_EQ(flush.size(), 1u);
    const size_t open = flush[0].find('('), space = flush[0].find(' ', open);
    EXPECT_NE(flush[0].substr(open + 1, space - open - 1), flush[0].substr(space + 1, flush[0].find(')') - space - 1))
        << flush[0];
}

TEST_F(ApplyRules, FastRoamingGoesIntoTheCcxWordWithItsThreshold)
{
    Open(TScenario().Set("System", "WinOS", "41"));
    VOZEZIV.bFastRoaming = 1;
    const uint32_t kept = (1u << 28) | (1u << 31);  // voice roaming and a reserved bit
    VOZEZIV.WVWL_SetCCXInfo(1, kept);
    EnterWireless();
    TFrameAdvancedWireless* page = FormAdvanced->FrameAdvancedWireless;
    Click(page->chBoxFastRoaming);
    Type(page->editDbm, "-82");
    SimJournalClear();
    Click(page->BtnApply);
    unsigned long word = 0;
    VOZEZIV.WVWL_ReadCCX2Cont(&word);
    EXPECT_EQ(word, kept | (1u << 5) | (82u << 8));
    ADVANCE_CONFIG_DATA stored{};
    VOZEZIV.WVWL_ReadConfigData(&stored);
    EXPECT_EQ(stored.CCX2_CONTROL, word);
}

// A stored legacy HT mode survives an Apply that did not touch the HT-mode radios; a chosen
// radio is written.
TEST_F(ApplyRules, AStoredLegacyHtModeIsKeptUnlessTheUserChoosesOne)
{
    Open();
    ADVANCE_CONFIG_DATA stored{};
    VOZEZIV.WVWL_ReadConfigData(&stored);
    stored.TransmitSetting = FieldSet(FieldSet(stored.TransmitSetting, txset::LEGACYMODE, 3), txset::HTMODE, 0);
    VOZEZIV.WVWL_WriteAdvanceCfgData(stored);
    EnterWireless();
    TFrameAdvancedWireless* page = FormAdvanced->FrameAdvancedWireless;
    EXPECT_TRUE(page->rBtnHTModeGF->Checked());
    Click(page->BtnApply);
    VOZEZIV.WVWL_ReadConfigData(&stored);
    EXPECT_EQ(FieldGet(stored.TransmitSetting, txset::LEGACYMODE), 3u);
    EXPECT_EQ(FieldGet(stored.TransmitSetting, txset::HTMODE), 0u);

    Click(page->rBtnHTModeMM);
    Click(page->rBtnHTModeGF);
    Click(page->BtnApply);
    VOZEZIV.WVWL_ReadConfigData(&stored);
    EXPECT_EQ(FieldGet(stored.TransmitSetting, txset::LEGACYMODE), 0u);
    EXPECT_EQ(FieldGet(stored.TransmitSetting, txset::HTMODE), 1u);
}

TEST_F(ApplyRules, ALockedRegionIsWrittenAs0AndTheLiveRegionStays)
{
    Open(TScenario().Set("Driver", "CountryRegion", "9").AddSection("Advanced", {"Region24Changeable=0"}));
    EnterWireless();
    SimJournalClear();
    Click(FormAdvanced->FrameAdvancedWireless->BtnApply);
    const std::vector<std::string> writes = Calls("WVWL_WriteAdvanceCfgData");
    ASSERT_EQ(writes.size(), 1u);
    EXPECT_NE(writes[0].find(" CountryRegion=0 "), std::string::npos) << writes[0];
    int word = 0, c5 = 0, c24 = 0;
    VOZEZIV.WVWL_QueryCountryRegion(&word, &c5, &c24);
    EXPECT_EQ(word & 0x7F, 9);
}

// Below code 31 a profile tied to a BSSID connects after one rescan, not two.
TEST_F(ApplyRules, BelowCode31ABssidProfileRescansOnceAndConnectsAfterIt)
{
    Open(TScenario().Set("System", "WinOS", "30"));
    StoreHomeProfile();
    VOZEZIV.WVWL_ReadProfileData(FormMain->m_pProfData, "Home");
    FormMain->m_pProfData->bBssid = 1;
    EnterWireless();
    TFrameAdvancedWireless* page = FormAdvanced->FrameAdvancedWireless;
    Choose(page->cBox24GHz, 1);
    FormSiteSurvey->m_bConnectAfterScan = FALSE;
    const int scans = SimCallCount("WVWL_SiteSurveyScan");
    Click(page->BtnApply);
    EXPECT_EQ(SimCallCount("WVWL_SiteSurveyScan") - scans, 1);
    EXPECT_TRUE(FormSiteSurvey->m_bConnectAfterScan);
    EXPECT_EQ(page->m_PendingConnectAction.actionType, DWORD(actionTypeProfile));
    EXPECT_EQ(page->m_PendingConnectAction.data, page->m_pProfileCopy.get());
}

TEST_F(ApplyRules, BelowCode31WithoutAnyNetworkTheZeroSsidDisassociates)
{
    Open(TScenario().Set("System", "WinOS", "30").Set("System", "ZeroConfig", "2"));
    ConnectHome();
    FormMain->m_pProfData->bBssid = 0;
    FormMain->m_pProfData->SSID.SsidLength = 0;
    EnterWireless();
    Choose(FormAdvanced->FrameAdvancedWireless->cBox24GHz, 1);
    SimJournalClear();
    Click(FormAdvanced->FrameAdvancedWireless->BtnApply);
    const std::vector<std::string> ssid = Calls("WVWL_SetSSID");
    ASSERT_EQ(ssid.size(), 1u);
    EXPECT_NE(ssid[0].find("/32)"), std::string::npos) << ssid[0];
    EXPECT_FALSE(Connected());
}

}  // namespace
