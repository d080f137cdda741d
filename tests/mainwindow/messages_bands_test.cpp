// Wireless mode from the band text, and the timer that offers or hides the
// Wi-Fi Direct and Wi-Fi Display buttons.
#include <windows.h>

#include "program_fixture.h"
#include "resources/FormResource.h"

namespace {

struct BandCase {
    const char* name;
    const char* support11n;
    const char* support11ac;
    DWORD band24, band5, bandBoth;
};

class WirelessMode : public ProgramFixture, public ::testing::WithParamInterface<BandCase> {};

TEST_P(WirelessMode, FollowsTheBandAndTheAdapterAbilities)
{
    const BandCase& c = GetParam();
    StartProgram(TScenario().Set("Driver", "Support11n", c.support11n).Set("Driver", "Support11ac", c.support11ac));
    VOZEZIV.bSelect11nDialog = 0;
    const CUISTR& s = *FormResource->UI_Str;
    EXPECT_EQ(FormMain->WirelessModeFromBand(s.STR_24GHZ), c.band24);
    EXPECT_EQ(FormMain->WirelessModeFromBand(s.STR_5GHZ), c.band5);
    EXPECT_EQ(FormMain->WirelessModeFromBand(s.STR_24GHZ5GHZ), c.bandBoth);
    EXPECT_EQ(FormMain->WirelessModeFromBand("900 MHz"), 0u);
}

INSTANTIATE_TEST_SUITE_P(Adapters, WirelessMode,
                         ::testing::Values(BandCase{"Legacy", "0", "0", 0, 2, 3}, BandCase{"N", "1", "0", 9, 8, 5},
                                           BandCase{"AC", "1", "1", 9, 8, 11}),
                         [](const ::testing::TestParamInfo<BandCase>& info) { return std::string(info.param.name); });

class WiFiDirectButtons : public ProgramFixture {
protected:
    void Tick() { FormMain->TimerCheckWiFiDirect->Tick(); }
};

TEST_F(WiFiDirectButtons, OfferedWhereTheAdapterAllowsIt)
{
    StartProgram();
    VOZEZIV.bSupportWiFiDisplay = 1;
    FormMain->BtnWiFiDirect->SetVisible(false);
    FormMain->BtnWiFiDisplay->SetVisible(false);
    Tick();
    EXPECT_TRUE(FormMain->BtnWiFiDirect->Visible());
    EXPECT_TRUE(FormMain->BtnWiFiDisplay->Visible());

    FormMain->m_bHideWiFiDirect = TRUE;
    Tick();
    EXPECT_FALSE(FormMain->BtnWiFiDirect->Visible());
    EXPECT_FALSE(FormMain->BtnWiFiDisplay->Visible());
}

TEST_F(WiFiDirectButtons, RegionFourHidesThemAndTurnsWiFiDirectOff)
{
    StartProgram(TScenario().Set("Driver", "CountryRegion", "4"));
    VOZEZIV.WVWL_WriteWifiDirectFlag(1);
    FormMain->BtnWiFiDirect->SetVisible(true);
    FormMain->BtnWiFiDisplay->SetVisible(true);
    Tick();
    EXPECT_FALSE(FormMain->BtnWiFiDirect->Visible());
    EXPECT_FALSE(FormMain->BtnWiFiDisplay->Visible());
    int flag = -1;
    VOZEZIV.WVWL_ReadWifiDirectFlag(&flag);
    EXPECT_EQ(flag, 0);
}

}  // namespace
