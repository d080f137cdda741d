// The advance request record in the log: derived from the stored configuration at start-up and
// written field by field, the phy-mode block one tab deeper.
#include <gtest/gtest.h>

#include "advanced/AdvancedRecords.h"
#include "core/Dumps.h"
#include "core/WvwlLib.h"
#include "mainwindow/program_fixture.h"
#include "ui/Seams.h"

namespace {

TEST(AdvanceOidDump, WritesEveryFieldUnderItsName)
{
    std::vector<std::string> log;
    seams::logSink = [&](const char* line) { log.push_back(line); };
    const int level = VOZEZIV.nDebugMode;
    VOZEZIV.nDebugMode = 6;
    ADVANCE_CONFIG_DATA config{};
    config.BGProtection = 2;
    config.TXBurst = 1;
    config.CountryRegion = 5;
    config.CountryRegionABand = 7;
    config.WirelessMode = 9;
    config.TransRate = 54;
    // PhyMode 9, MCS 7, BW 1, ShortGI 1, STBC 1, TRANSNO 2, EXTCHA 3, LEGACYMODE 2: 20 MHz only.
    config.TransmitSetting = 9 | (7u << 4) | (1u << 11) | (1u << 14) | (1u << 15) | (2u << 16) | (3u << 21) | (2u << 24);
    const ADVANCE_OID oid = DeriveAdvanceOid(config);
    DumpAdvanceOID(&oid);
    VOZEZIV.nDebugMode = level;
    seams::logSink = nullptr;

    const std::vector<std::string> expected = {
        " --> DumpAdvanceOID\n", " struct ADVANCE_OID:\n", " \tstruct OID_SET_HT_PHYMODE phyMode:\n",
        " \t\tPhyMode = 9\n", " \t\tTransmitNo = 2\n", " \t\tHtMode = 2\n", " \t\tExtOffset = 3\n",
        " \t\tMCS = 7\n", " \t\tBW = 0\n", " \t\tSTBC = 1\n", " \t\tSHORTGI = 1\n", " \tnBGProtection = 2\n",
        " \tbTXBurst = 1\n", " \tCountryRegIndex11BG = 5\n", " \tCountryRegIndex11A = 7\n", " \tKVphyMode = 9\n",
        " \tnTXRate = 54\n", " <-- DumpAdvanceOID\n"};
    ASSERT_EQ(log.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        const std::string& line = log[i];
        EXPECT_TRUE(line.size() >= expected[i].size() && line.compare(line.size() - expected[i].size(), std::string::npos,
                                                                      expected[i]) == 0)
            << line;
    }
}

class AdvanceOidAtStart : public ProgramFixture {};

TEST_F(AdvanceOidAtStart, TheStoredSettingsRebuildLogsTheRecord)
{
    StartProgram();
    m_log.clear();
    VOZEZIV.nDebugMode = 6;
    FormMain->m_bReConnect = TRUE;
    FormMain->ActionTurnOnOffRadio(TRUE);
    bool dumped = false;
    for (const std::string& line : m_log)
        dumped = dumped || line.find(" --> DumpAdvanceOID") != std::string::npos;
    EXPECT_TRUE(dumped);
}

}  // namespace
