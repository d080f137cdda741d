// Handing a CCX word to the driver for the active profile, on the simulated adapter.
#include <cstring>
#include <string>

#include "advanced/AdvancedRecords.h"
#include "mainwindow/program_fixture.h"

namespace {

class CcxHandOver : public ProgramFixture {
protected:
    void SetUp() override
    {
        ProgramFixture::SetUp();
        LoadLibrary();
    }
    void StoreActiveProfile(const char* name, uint32_t bssidFlag)
    {
        WLANPROFILE p = VOZEZIV.defaultProfile;
        std::strcpy(p.strProfileName, name);
        p.bBssid = bssidFlag;
        p.SSID.SsidLength = 7;
        std::memcpy(p.SSID.Ssid, "HomeNet", 7);
        ASSERT_EQ(VOZEZIV.WVWL_WriteProfile(name, &p), 1);
        ASSERT_EQ(VOZEZIV.WVWL_WriteRegValue("CurProfile", REG_SZ, name, DWORD(std::strlen(name) + 1)), 1);
    }
};

TEST_F(CcxHandOver, NoActiveProfileGivesModeOneWithoutReadingAProfile)
{
    SimJournalClear();
    SetCCXInfoForActiveProfile(0x00004681);
    EXPECT_EQ(SimCallCount("WVWL_ReadProfileData"), 0);
    EXPECT_NE(SimJournal().find("WVWL_SetCCXInfo(1 0x00004681)"), std::string::npos) << SimJournal();
}

TEST_F(CcxHandOver, ModeZeroOnlyForAProfileTiedToItsBssid)
{
    const struct {
        uint32_t bBssid;
        const char* expected;
    } cases[] = {{1, "WVWL_SetCCXInfo(0 0x00000001)"}, {0, "WVWL_SetCCXInfo(1 0x00000001)"},
                 {2, "WVWL_SetCCXInfo(1 0x00000001)"}};
    for (const auto& c : cases) {
        StoreActiveProfile("Office", c.bBssid);
        SimJournalClear();
        SetCCXInfoForActiveProfile(1);
        const std::string journal = SimJournal();
        EXPECT_NE(journal.find("WVWL_ReadProfileData(Office)"), std::string::npos) << journal;
        EXPECT_NE(journal.find(c.expected), std::string::npos) << c.bBssid << "\n" << journal;
    }
}

}  // namespace
