// The Wi-Fi Direct window as start-up leaves it: texts, the off state and the skin placement.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "wifidirect/wifidirect_fixture.h"

namespace {

class WiFiDirectWindow : public WiFiDirectFixture {
protected:
    void TearDown() override
    {
        if (!m_skin.empty())
            DeleteFileA(m_skin.c_str());
        WiFiDirectFixture::TearDown();
    }
    void Place(const std::vector<std::string>& lines)
    {
        char folder[MAX_PATH] = {};
        GetTempPathA(sizeof folder, folder);
        m_skin = std::string(folder) + "wevo_wifidirect_skin_" + std::to_string(GetCurrentProcessId()) + ".ini";
        FILE* f = std::fopen(m_skin.c_str(), "w");
        ASSERT_NE(f, nullptr);
        std::fputs("[WiFiDirectForm]\n", f);
        for (const std::string& line : lines)
            std::fprintf(f, "%s\n", line.c_str());
        std::fclose(f);
        FormWiFiDirect->ApplySkinPlacement(m_skin);
    }
    std::string m_skin;
};

TEST_F(WiFiDirectWindow, StartsOffWithItsTextsFilledIn)
{
    Start();
    SetStoredFlag(false);
    FormWiFiDirect->EnableOrDisableWiFiDirect(FALSE, TRUE, FALSE, FALSE);
    EXPECT_FALSE(FormWiFiDirect->m_bEnableWiFiDirect);
    EXPECT_TRUE(FormWiFiDirect->ImgWiFiDirectOff->Visible());
    EXPECT_FALSE(FormWiFiDirect->ImgWiFiDirectOn->Visible());
    EXPECT_EQ(FormWiFiDirect->lblHintToEnable->Caption(), "Wi-Fi Direct is off.\nDouble-click the icon to turn it on.");
    EXPECT_EQ(FormWiFiDirect->ImgWiFiDirectOff->Hint(), "Wi-Fi Direct is off.\nDouble-click to turn it on.");
    EXPECT_EQ(FormWiFiDirect->lblDeviceNum->Caption(), "Devices found: 0");
    EXPECT_EQ(FormWiFiDirect->m_strMyWiFiDirectIPAddress, "0.0.0.0");
    EXPECT_EQ(FormWiFiDirect->m_ulMyRule, uint32_t(WIFI_DIRECT_IS_CLIENT));
}

TEST_F(WiFiDirectWindow, ASkinWithoutRotationKeysHidesAllFourRotationButtons)
{
    Start();
    Place({"lblHintToEnablePos=1,12,34", "ImgWiFiDirectOffPos=1,150,100"});
    EXPECT_FALSE(FormWiFiDirect->BtnRotationClockwise->Visible());
    EXPECT_FALSE(FormWiFiDirect->BtnRotationCounter->Visible());
    EXPECT_FALSE(FormWiFiDirect->BtnRotationClockwise_sub->Visible());
    EXPECT_FALSE(FormWiFiDirect->BtnRotationCounter_sub->Visible());
    EXPECT_FALSE(FormWiFiDirect->m_bShowRotationButton);
    EXPECT_EQ(FormWiFiDirect->lblHintToEnable->Left(), 12);
    EXPECT_EQ(FormWiFiDirect->lblHintToEnable->Top(), 34);
    // the on icon takes the off icon's place
    EXPECT_EQ(FormWiFiDirect->ImgWiFiDirectOn->Left(), 150);
    EXPECT_EQ(FormWiFiDirect->ImgWiFiDirectOn->Top(), 100);
}

TEST_F(WiFiDirectWindow, RotationShowsOnlyWithBothClockwiseButtons)
{
    Start();
    Place({"BtnRotationClockwisePos=1,300,40", "BtnRotationClockwise_subPos=1,350,120"});
    EXPECT_TRUE(FormWiFiDirect->m_bShowRotationButton);
    EXPECT_EQ(FormWiFiDirect->BtnRotationClockwise->Left(), 300);
    Place({"BtnRotationClockwisePos=1,300,40"});
    EXPECT_FALSE(FormWiFiDirect->m_bShowRotationButton);
}

}  // namespace
