#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "core/Dumps.h"
#include "core/WvwlLib.h"
#include "ui/Seams.h"

namespace {

class DumpTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        VOZEZIV.nDebugMode = 6;
        seams::logSink = [this](const char* line) { lines.push_back(line); };
    }
    void TearDown() override { seams::logSink = nullptr; }

    bool Has(const std::string& line) const { return std::find(lines.begin(), lines.end(), line) != lines.end(); }
    bool AnyContains(const std::string& text) const
    {
        return std::any_of(lines.begin(), lines.end(),
                           [&](const std::string& l) { return l.find(text) != std::string::npos; });
    }
    std::vector<std::string> lines;
};

}  // namespace

TEST_F(DumpTest, ProfileDumpNamesFieldsButNeverShowsSecrets)
{
    WLANPROFILE profile{};
    profile.bBssid = 1;
    profile.SSID.SsidLength = 4;
    std::memcpy(profile.SSID.Ssid, "Home", 4);
    const uint8_t bssid[6] = {0x00, 0x1A, 0x2B, 0x3C, 0x4D, 0x5E};
    std::memcpy(profile.BSSID, bssid, 6);
    std::strcpy(profile.WEPKey1, "SecretWep1");
    std::strcpy(profile.chPskKey, "passphrase-xyz");
    std::strcpy(profile.chPassword, "hunter2pw");
    std::strcpy(profile.chID, "alice");
    std::memset(profile.strProfileName, 'N', sizeof profile.strProfileName);   // no terminator
    profile.dwLenEapFastConfigBlob = 0xFFFFFFFF;                                  // hostile length

    DumpWlanProfile(&profile);
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines.front(), "[Wevo][Info]  --> DumpWlanProfile\n");
    EXPECT_EQ(lines.back(), "[Wevo][Info]  <-- DumpWlanProfile\n");
    EXPECT_TRUE(Has("[Wevo][Info]  \tbBssid = 1\n"));
    EXPECT_TRUE(Has("[Wevo][Info]  \tSSID = Home\n"));
    EXPECT_TRUE(Has("[Wevo][Info]  \tBSSID = 00:1A:2B:3C:4D:5E\n"));
    EXPECT_TRUE(Has("[Wevo][Info]  \tchID = alice\n"));
    EXPECT_TRUE(Has("[Wevo][Info]  \tstrProfileName = " + std::string(128, 'N') + "\n"));
    EXPECT_TRUE(Has("[Wevo][Info]  \tchPskKey = (hidden, 14 characters)\n"));
    EXPECT_TRUE(Has("[Wevo][Info]  --> DumpCCX2Ctrl\n"));
    EXPECT_FALSE(AnyContains("SecretWep1"));
    EXPECT_FALSE(AnyContains("passphrase-xyz"));
    EXPECT_FALSE(AnyContains("hunter2pw"));
    EXPECT_TRUE(Has("[Wevo][Info]  \tpEapFastConfigBlob[2999] = 0x00\n"));
    EXPECT_FALSE(AnyContains("pEapFastConfigBlob[3000]"));
}

TEST_F(DumpTest, WpsProfileDumpStopsAtTheRecordsCapacity)
{
    WPS_PROFILE profile{};
    profile.ProfileCnt = 1000;
    profile.Profile[0].KeyLength = 8;
    std::memcpy(profile.Profile[0].Key, "wpskey99", 8);
    DumpWPSProfile(&profile);
    EXPECT_TRUE(Has("[Wevo][Info]  \t\tProfile[7]:\n"));
    EXPECT_FALSE(AnyContains("Profile[8]"));
    EXPECT_FALSE(AnyContains("wpskey99"));
    EXPECT_TRUE(Has("[Wevo][Info]  \tKey = (hidden, 8 characters)\n"));
}

TEST_F(DumpTest, AdvanceConfigDumpSplitsTheBitFields)
{
    ADVANCE_CONFIG_DATA config{};
    config.CCX2_CONTROL = (70u << 8) | 0x80u | (1u << 26);
    config.TransmitSetting = 0x9u | (33u << 4) | (1u << 11) | (2u << 16) | (3u << 24);
    DumpAdvanceCfg(&config);
    EXPECT_TRUE(Has("[Wevo][Info]  \tdBmToRoam = 70\n"));
    EXPECT_TRUE(Has("[Wevo][Info]  \tRotateProfile = 1\n"));
    EXPECT_TRUE(Has("[Wevo][Info]  \tMFP = 1\n"));
    EXPECT_TRUE(Has("[Wevo][Info]  \t\tPhyMode = 9\n"));
    EXPECT_TRUE(Has("[Wevo][Info]  \t\tMCS = 33\n"));
    EXPECT_TRUE(Has("[Wevo][Info]  \t\tBW = 1\n"));
    EXPECT_TRUE(Has("[Wevo][Info]  \t\tTRANSNO = 2\n"));
    EXPECT_TRUE(Has("[Wevo][Info]  \t\tLEGACYMODE = 3\n"));
}
