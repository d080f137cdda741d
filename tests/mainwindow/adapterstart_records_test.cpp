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

}  // namespace
