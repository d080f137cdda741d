// The advanced wireless page on entry: region lists by model and band, locked regions, the MCS
// list by antenna count, the band and rate texts, and the 802.11n box.
#include <gtest/gtest.h>

#include "advanced_pages_fixture.h"
#include "resources/FormResource.h"

namespace {

std::vector<std::string> Texts(TComboBox* list)
{
    std::vector<std::string> texts;
    for (int i = 0; i < list->Items().Count(); ++i)
        texts.push_back(list->Items().Strings(i));
    return texts;
}

struct RegionCase {
    const char* name;
    const char* model;
    const char* max24;
    const char* max5;
    const char* changeable24;
    const char* changeable5;
    const char* region24;
    const char* region5;
    int count24, count5;
    const char* selected24;
    const char* selected5;
};

void PrintTo(const RegionCase& c, std::ostream* os) { *os << c.name; }

class RegionLists : public AdvancedPages, public ::testing::WithParamInterface<RegionCase> {};

TEST_P(RegionLists, FollowTheModelTheMaximaAndTheLockedRegions)
{
    const RegionCase& c = GetParam();
    Open(TScenario()
             .Set("System", "DeviceModel", c.model)
             .Set("Driver", "CountryRegion", c.region24)
             .Set("Driver", "CountryRegionABand", c.region5)
             .AddSection("Advanced", {std::string("MaxRegion24=") + c.max24, std::string("MaxRegion5=") + c.max5,
                                      std::string("Region24Changeable=") + c.changeable24,
                                      std::string("Region5Changeable=") + c.changeable5}));
    EnterWireless();
    TFrameAdvancedWireless* page = FormAdvanced->FrameAdvancedWireless;
    EXPECT_EQ(page->cBox24GHz->Items().Count(), c.count24) << ::testing::PrintToString(Texts(page->cBox24GHz));
    EXPECT_EQ(page->cBox5GHz->Items().Count(), c.count5) << ::testing::PrintToString(Texts(page->cBox5GHz));
    EXPECT_EQ(page->cBox24GHz->Text(), c.selected24);
    EXPECT_EQ(page->cBox5GHz->Text(), c.selected5);
}

INSTANTIATE_TEST_SUITE_P(
    Models, RegionLists,
    ::testing::Values(
        // Models 0 and 1 take the fixed lists whatever the maxima say.
        RegionCase{"FixedListsOnModel1", "1", "2", "3", "1", "1", "2", "3", 8, 9, "2: ETSI, CH1-13",
                   "3: CH 52, 56, 60, 64,149,153,157,161"},
        // Models 4 to 8: list A cut after the maximum; a maximum of 0 shows the whole list.
        RegionCase{"ListACutAtTheMaximum", "5", "7", "3", "1", "1", "1", "2", 8, 4, "1: CH1-13",
                   "2:   CH   36,   40,   44,   48,   52,   56,   60,   64"},
        RegionCase{"ListAWholeForMaximum0", "5", "0", "0", "1", "1", "7", "16", 8, 17, "7: CH5-13",
                   "16: CH   36,   40,   44,   48,   52,   56,   60,   64, 100, 104, 108, 112, 116, 120, 124, 128, "
                   "132, 136, 140, 149, 153, 157, 161, 165, 169, 173"},
        // Models 2 and 3: list B with the channel-34 regions.
        RegionCase{"ListBOnModel2", "2", "7", "0", "1", "1", "0", "10", 8, 11, "0: CH1-11",
                   "10: CH   34,   36,   38,   40,   42,   44,   46,   48,   52,   56,   60,   64"},
        // Model 9 fills nothing.
        RegionCase{"NoListsOnModel9", "9", "7", "0", "1", "1", "0", "0", 0, 0, "", ""},
        // A locked region above the list is appended and shown.
        RegionCase{"Locked24AboveTheListAppended", "3", "7", "0", "0", "1", "9", "0", 9, 11, "9",
                   "0:   CH   36,   40,   44,   48,   52,   56,   60,   64, 149, 153, 157, 161, 165"},
        RegionCase{"Locked24InTheListSelected", "3", "7", "0", "0", "1", "5", "0", 8, 11, "5: CH1-14",
                   "0:   CH   36,   40,   44,   48,   52,   56,   60,   64, 149, 153, 157, 161, 165"},
        // A locked region cut off by the maximum, or just past the built list, is still shown.
        RegionCase{"Locked24CutByTheMaximumAppended", "3", "3", "0", "0", "1", "6", "0", 5, 11, "6",
                   "0:   CH   36,   40,   44,   48,   52,   56,   60,   64, 149, 153, 157, 161, 165"},
        RegionCase{"Locked5JustPastTheListAppended", "2", "7", "0", "1", "0", "0", "11", 8, 12, "0: CH1-11", "11"}),
    [](const ::testing::TestParamInfo<RegionCase>& info) { return std::string(info.param.name); });

class WirelessPage : public AdvancedPages {};

struct AntennaCase {
    const char* name;
    const char* antennas;  // two 4-bit counts, in decimal
    int count;
};

class McsList : public AdvancedPages, public ::testing::WithParamInterface<AntennaCase> {};

TEST_P(McsList, FollowsTheAntennaCount)
{
    const AntennaCase& c = GetParam();
    Open(TScenario().AddSection("Advanced", {std::string("AntennaNumber=") + c.antennas}));
    ADVANCE_CONFIG_DATA stored{};
    VOZEZIV.WVWL_ReadConfigData(&stored);
    stored.TransmitSetting = FieldSet(stored.TransmitSetting, txset::MCS, MCS_AUTO);
    VOZEZIV.WVWL_WriteAdvanceCfgData(stored);
    EnterWireless();
    TComboBox* mcs = FormAdvanced->FrameAdvancedWireless->cBoxMCS;
    ASSERT_EQ(mcs->Items().Count(), c.count);
    EXPECT_EQ(mcs->Items().Strings(0), Str().STR_AUTO);
    EXPECT_EQ(mcs->Items().Strings(1), "0");
    EXPECT_EQ(mcs->Items().Strings(c.count - 2), std::to_string(c.count - 3));
    EXPECT_EQ(mcs->Items().Strings(c.count - 1), "32");
    // A stored MCS of 33 shows the automatic item.
    EXPECT_EQ(mcs->Text(), Str().STR_AUTO);
}

INSTANTIATE_TEST_SUITE_P(Antennas, McsList,
                         ::testing::Values(AntennaCase{"ThreeByThree", "51", 26}, AntennaCase{"TwoByTwo", "34", 18},
                                           AntennaCase{"ThreeByTwo", "50", 18}),
                         [](const ::testing::TestParamInfo<AntennaCase>& info) { return std::string(info.param.name); });

TEST_F(WirelessPage, BandTextsAndCodesBothWays)
{
    Open(TScenario().Set("Driver", "Support11ac", "0"));
    TFrameAdvancedWireless* page = FormAdvanced->FrameAdvancedWireless;
    const CUISTR& s = Str();
    EnterWireless();
    ASSERT_TRUE(page->chBox11NMode->Checked());
    struct {
        std::string text;
        int code;
    } n[] = {{s.STR_24GHZ, 9}, {s.STR_5GHZ, 8}, {s.STR_24GHZ5GHZ, 5}};
    for (const auto& each : n) {
        EXPECT_EQ(page->ModeToPhyMode(each.text), each.code) << each.text;
        EXPECT_EQ(page->PhyModeToModeText(each.code), each.text) << each.code;
    }
    EXPECT_EQ(page->ModeToPhyMode("900 MHz"), 0);
    EXPECT_EQ(page->PhyModeToModeText(0), s.STR_24GHZ);

    // With the 802.11n choice offered and unticked, the codes without 802.11n.
    VOZEZIV.bSelect11nDialog = 1;
    Click(page->chBox11NMode);
    ASSERT_FALSE(page->chBox11NMode->Checked());
    EXPECT_EQ(page->ModeToPhyMode(s.STR_24GHZ), 0);
    EXPECT_EQ(page->ModeToPhyMode(s.STR_5GHZ), 2);
    EXPECT_EQ(page->ModeToPhyMode(s.STR_24GHZ5GHZ), 3);

    EXPECT_EQ(TFrameAdvancedWireless::McsValueToText(33), s.STR_AUTO);
    EXPECT_EQ(TFrameAdvancedWireless::McsValueToText(15), "15");
    EXPECT_EQ(TFrameAdvancedWireless::McsTextToValue(s.STR_AUTO), 33);
    EXPECT_EQ(TFrameAdvancedWireless::McsTextToValue("32"), 32);
}

TEST_F(WirelessPage, RateListOfTheLegacyBandsAndEmptyOn80211n)
{
    Open(TScenario().Set("Driver", "Support11n", "0").Set("Driver", "Support11ac", "0"));
    FormMain->m_strWirelessMode = Str().STR_24GHZ5GHZ;
    EnterWireless();
    TFrameAdvancedWireless* page = FormAdvanced->FrameAdvancedWireless;
    EXPECT_EQ(page->cBoxTxRate->Items().Count(), 13);
    EXPECT_EQ(page->cBoxTxRate->Items().Strings(3), Str().STR_55MBPS);
    EXPECT_TRUE(page->cBox24GHz->Visible());
    EXPECT_TRUE(page->cBox5GHz->Visible());
    EXPECT_FALSE(page->panelHTSettings->Visible());
}

// The 802.11n box is hidden and unticked until the page is first entered, so with the choice
// offered the main window maps bands to the codes without 802.11n until then.
TEST_F(WirelessPage, The80211nBoxStartsUntickedAndTheFirstEntryTicksIt)
{
    Open(TScenario().Set("Driver", "Support11ac", "0"));
    VOZEZIV.bSelect11nDialog = 1;
    TFrameAdvancedWireless* page = FormAdvanced->FrameAdvancedWireless;
    EXPECT_FALSE(page->chBox11NMode->Checked());
    EXPECT_FALSE(page->chBox11NMode->Visible());
    const CUISTR& s = Str();
    EXPECT_EQ(FormMain->WirelessModeFromBand(s.STR_24GHZ), 0u);
    EXPECT_EQ(FormMain->WirelessModeFromBand(s.STR_24GHZ5GHZ), 3u);

    EnterWireless();
    EXPECT_TRUE(page->chBox11NMode->Checked());
    EXPECT_TRUE(page->chBox11NMode->Visible());
    EXPECT_EQ(page->m_bHTChanged, 1);
    EXPECT_EQ(VOZEZIV.bTxRate, 0);
    EXPECT_EQ(FormMain->WirelessModeFromBand(s.STR_24GHZ), 9u);
    EXPECT_EQ(FormMain->WirelessModeFromBand(s.STR_24GHZ5GHZ), 5u);
}

TEST_F(WirelessPage, StandardUserSeesTheAdaptersLiveValues)
{
    Open(TScenario()
             .Set("System", "UserAdmin", "0")
             .Set("System", "AllowStandardUserAdvance", "0")
             .Set("Driver", "CountryRegion", "1")
             .Set("Driver", "ChannelMode", "0"));
    ADVANCE_CONFIG_DATA stored{};
    VOZEZIV.WVWL_ReadConfigData(&stored);
    stored.CountryRegion = 3;
    stored.TXBurst = 1;
    stored.BGProtection = 2;
    VOZEZIV.WVWL_WriteAdvanceCfgData(stored);
    VOZEZIV.WVWL_SetCountryRegion(1, 7);
    EnterWireless();
    TFrameAdvancedWireless* page = FormAdvanced->FrameAdvancedWireless;
    EXPECT_EQ(page->cBox24GHz->Text(), "1: CH1-13");
    EXPECT_EQ(page->m_bTxBurst, 1);
    EXPECT_EQ(page->cBoxBGProtection->Text(), Str().STR_OFF);
    EXPECT_EQ(page->m_strWirelessMode, Str().STR_24GHZ);
}

}  // namespace
