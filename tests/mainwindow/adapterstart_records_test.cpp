#include <gtest/gtest.h>

#include <cstring>

#include "mainwindow/AdapterRecords.h"

namespace {

TEST(AdapterStartRecords, WdpConfigRefreshKeepsDeviceTypeAndHighBits)
{
    BYTE cfg[kWdpConfigBytes] = {};
    cfg[0] = 1;
    WORD info = 0xFC00 | 0x0003 | 0x03FC;   // every bit set
    std::memcpy(cfg + 2, &info, 2);
    PrepareStartupWdpConfig(cfg, false);
    EXPECT_EQ(WdpControlPort(cfg), 7236);
    EXPECT_EQ(WdpDevInfo(cfg), 0xFC00 | 0x0003 | 0x0010);
    EXPECT_EQ(cfg[6] & 0x0F, 0x0F);

    std::memset(cfg, 0, sizeof cfg);
    PrepareStartupWdpConfig(cfg, true);
    EXPECT_EQ(WdpDevInfo(cfg), 0x0010 | 0x0080);
}

TEST(AdapterStartRecords, AdvanceOidFromTransmitSetting)
{
    BYTE adv[40] = {};
    // PhyMode 9, MCS 7, BW 1, ShortGI 1, STBC 1, TRANSNO 2, HTMODE 1, EXTCHA 3, LEGACY 0
    DWORD tx = 9 | (7u << 4) | (1u << 11) | (1u << 14) | (1u << 15) | (2u << 16) | (1u << 18) | (3u << 21);
    std::memcpy(adv + 20, &tx, 4);
    DWORD region = 5;
    std::memcpy(adv + 8, &region, 4);
    ADVANCE_OID_LOG oid = BuildAdvanceOid(adv);
    EXPECT_EQ(oid.PhyMode, 9u);
    EXPECT_EQ(oid.MCS, 7);
    EXPECT_EQ(oid.BW, 1);
    EXPECT_EQ(oid.SHORTGI, 1);
    EXPECT_EQ(oid.STBC, 1);
    EXPECT_EQ(oid.TransmitNo, 2);
    EXPECT_EQ(oid.HtMode, 1);
    EXPECT_EQ(oid.ExtOffset, 3);
    EXPECT_EQ(oid.CountryRegIndex11BG, 5u);

    tx |= (2u << 24);   // legacy mode 2: HtMode 2, no bandwidth
    std::memcpy(adv + 20, &tx, 4);
    oid = BuildAdvanceOid(adv);
    EXPECT_EQ(oid.HtMode, 2);
    EXPECT_EQ(oid.BW, 0);
}

}  // namespace
