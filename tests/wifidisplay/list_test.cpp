// The device list: the driver's table in ring order, named from the Wi-Fi Direct copies,
// sorted with the newest of equal texts on top; hostile tables and copies are kept out.
#include <cstring>
#include <string>
#include <vector>

#include "wifidisplay/wifidisplay_fixture.h"

namespace {

const BYTE kA[6] = {0x02, 0xAA, 0, 0, 0, 0x01};
const BYTE kB[6] = {0x1B, 0xBB, 0, 0, 0, 0x02};
const BYTE kC[6] = {0x0A, 0xCC, 0, 0, 0, 0x03};
const BYTE kD[6] = {0x02, 0xDD, 0, 0, 0, 0x04};

using WiFiDisplayList = WiFiDisplayFixture;

TEST_F(WiFiDisplayList, RingFromStartWithEqualNamesNewestOnTop)
{
    Start();
    // slots 28, 29, 0, 1; none named, so every later row goes above the earlier ones
    Table(28, 4, {Entry(kA, 0), Entry(kB, 1), Entry(kC, 2), Entry(kD, 3)}, {28, 29, 0, 1});
    DiscoveryNames({});
    EXPECT_EQ(Rows(), (std::vector<std::string>{"|Source/P-Sink|02:DD:00:00:00:04", "|S-Sink|0A:CC:00:00:00:03",
                                                 "|P-Sink|1B:BB:00:00:00:02", "|Source|02:AA:00:00:00:01"}));
    EXPECT_EQ(FormWiFiDisplay->lvWDPList->Item(0)->ImageIndex(), 2);
}

TEST_F(WiFiDisplayList, NamesFromTheCopiesSortWithoutRegardToCase)
{
    Start();
    Table(0, 3, {Entry(kA, 1), Entry(kB, 1), Entry(kC, 1)}, {0, 1, 2});
    DiscoveryNames({{"gamma", kA}, {"Alpha", kB}, {"beta", kC}});
    EXPECT_EQ(Rows(), (std::vector<std::string>{"Alpha|P-Sink|1B:BB:00:00:00:02", "beta|P-Sink|0A:CC:00:00:00:03",
                                                 "gamma|P-Sink|02:AA:00:00:00:01"}));
}

TEST_F(WiFiDisplayList, SortMenuItemsReorderAndCheckThemselves)
{
    Start();
    Table(0, 3, {Entry(kA, 1), Entry(kB, 0), Entry(kC, 2)}, {0, 1, 2});
    DiscoveryNames({{"zed", kA}, {"yak", kB}, {"xen", kC}});
    FormWiFiDisplay->lvWDPList->SetItemIndex(0);
    Popup(FormWiFiDisplay->ID_TRAY_DEVICEMAC);
    EXPECT_EQ(FormWiFiDisplay->m_nSortingIndex, 3);
    EXPECT_TRUE(FormWiFiDisplay->ID_TRAY_DEVICEMAC->Checked);
    EXPECT_FALSE(FormWiFiDisplay->ID_TRAY_DEVICENAME->Checked);
    EXPECT_EQ(Rows(), (std::vector<std::string>{"zed|P-Sink|02:AA:00:00:00:01", "xen|S-Sink|0A:CC:00:00:00:03",
                                                 "yak|Source|1B:BB:00:00:00:02"}));
    Popup(FormWiFiDisplay->ID_TRAY_DEVICETYPE);
    EXPECT_EQ(Rows(), (std::vector<std::string>{"zed|P-Sink|02:AA:00:00:00:01", "xen|S-Sink|0A:CC:00:00:00:03",
                                                 "yak|Source|1B:BB:00:00:00:02"}));
    EXPECT_TRUE(FormWiFiDisplay->ID_TRAY_DEVICETYPE->Checked);
    EXPECT_FALSE(FormWiFiDisplay->ID_TRAY_DEVICEMAC->Checked);
}

TEST_F(WiFiDisplayList, HostileTablesLeaveTheListAsItWas)
{
    Start();
    Table(0, 1, {Entry(kA, 1)}, {0});
    DiscoveryNames({{"tv", kA}});
    const std::vector<std::string> before = Rows();
    ASSERT_EQ(before.size(), 1u);
    struct Hostile {
        uint8_t start, count;
    };
    for (Hostile h : {Hostile{31, 1}, Hostile{0, 31}, Hostile{255, 255}}) {
        Table(h.start, h.count, {Entry(kB, 1)}, {1});
        DiscoveryNames({{"tv", kA}});
        EXPECT_EQ(Rows(), before) << int(h.start) << "/" << int(h.count);
        WDP_ENTRY found{};
        EXPECT_EQ(FormWiFiDisplay->FindDeviceByDevMac("1B:BB:00:00:00:02", &found), 0);
    }
}

TEST_F(WiFiDisplayList, NamesOfThirtyTwoBytesAndHostileCopies)
{
    Start();
    const std::string longName(32, 'N');
    Table(0, 3, {Entry(kA, 1), Entry(kB, 1), Entry(kC, 1)}, {0, 1, 2});
    // a name of exactly 32 bytes has no terminator in the copy; a length above 32 gives no name;
    // a count of 255 reads no further than the 30 entries the copy holds
    WIFI_DIRECT_STATUS status{};
    status.WifiDirectStatus = WIFIDIRECTEVENT_STATUS_UPDATE_DISCOVERY;
    WIFI_DIRECT_DISCOVERY_TABLE& t = status.WifiDirectStateContext.Discovery;
    t.chTotalNumber = 255;
    std::memcpy(t.DiscoveryEntry[0].chMacAddr, kA, 6);
    std::memcpy(t.DiscoveryEntry[0].chDeviceName, longName.data(), 32);
    t.DiscoveryEntry[0].ulStringLen = 32;
    std::memcpy(t.DiscoveryEntry[29].chMacAddr, kB, 6);
    std::memcpy(t.DiscoveryEntry[29].chDeviceName, "last", 4);
    t.DiscoveryEntry[29].ulStringLen = 4;
    std::memcpy(t.DiscoveryEntry[1].chMacAddr, kC, 6);
    std::memcpy(t.DiscoveryEntry[1].chDeviceName, "toolong", 7);
    t.DiscoveryEntry[1].ulStringLen = 33;
    DeliverDirect(status);
    EXPECT_EQ(Rows(), (std::vector<std::string>{"|P-Sink|0A:CC:00:00:00:03", "last|P-Sink|1B:BB:00:00:00:02",
                                                 longName + "|P-Sink|02:AA:00:00:00:01"}));
}

TEST_F(WiFiDisplayList, GroupCopyNamesBeforeDiscovery)
{
    Start();
    Table(0, 1, {Entry(kA, 0)}, {0});
    WIFI_DIRECT_STATUS group{};
    group.WifiDirectStatus = WIFIDIRECTEVENT_STATUS_GROUP_UPDATE;
    group.WifiDirectStateContext.Group.chNumOfGroup = 1;
    WIFI_DIRECT_GROUP_ENTRY& g = group.WifiDirectStateContext.Group.WifiDirectGroup[0];
    std::memcpy(g.chMacAddr, kA, 6);
    std::memcpy(g.chDeviceName, "member", 6);
    g.ulStringLen = 6;
    DeliverDirect(group);
    DiscoveryNames({{"found", kA}});
    EXPECT_EQ(Rows(), (std::vector<std::string>{"member|Source|02:AA:00:00:00:01"}));
}

TEST_F(WiFiDisplayList, EmptyTableEmptiesTheListAndEndsAWiFiDirectSession)
{
    Start();
    Table(0, 1, {Entry(kA, 1)}, {0});
    DiscoveryNames({{"tv", kA}});
    ASSERT_EQ(Rows().size(), 1u);
    FormWiFiDisplay->m_iNowConnectType = WDP_CONNECT_TDLS;
    FormWiFiDisplay->m_strWDPConnectedMac = "02:AA:00:00:00:01";
    Table(0, 0, {}, {});
    DiscoveryNames({});
    EXPECT_TRUE(Rows().empty());
    EXPECT_EQ(FormWiFiDisplay->m_iNowConnectType, WDP_CONNECT_TDLS);  // a TDLS session stays
    FormWiFiDisplay->m_iNowConnectType = WDP_CONNECT_P2P;
    DiscoveryNames({});
    EXPECT_EQ(FormWiFiDisplay->m_iNowConnectType, WDP_CONNECT_NONE);
    EXPECT_TRUE(FormWiFiDisplay->m_strWDPConnectedMac.empty());
}

}  // namespace
