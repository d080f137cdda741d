#include <gtest/gtest.h>
#include <cstring>
#include <memory>
#include <string>
#include "mainwindow/LinkStatus.h"
#include "wlapi/constants.h"

namespace {

WLAN_STATUS_QUERY g_flags;
WLAN_STATUS g_fill;
bool g_fillNothing = false;

int __stdcall FakeQuery(WLAN_STATUS* status, WLAN_STATUS_QUERY flags)
{
    g_flags = flags;
    if (!g_fillNothing)
        *status = g_fill;
    return 1;
}

struct LinkStatusTest : testing::Test {
    std::unique_ptr<WVWLLIB> lib = std::make_unique<WVWLLIB>();
    void SetUp() override
    {
        std::memset(&g_fill, 0, sizeof g_fill);
        std::memset(&g_flags, 0xFF, sizeof g_flags);
        g_fillNothing = false;
        lib->WVWL_QueryWLANStatus = FakeQuery;
    }
};

TEST_F(LinkStatusTest, FlagsReachTheLibrary)
{
    QueryLinkStatus(*lib, LINK_QUERY_SIGNAL_TIMER);
    EXPECT_EQ(g_flags.flag[0], 1u);
    EXPECT_EQ(g_flags.flag[1], 1u);
    EXPECT_EQ(g_flags.flag[2], 0u);
    EXPECT_EQ(g_flags.flag[3], 0u);
    EXPECT_EQ(g_flags.flag[4], 1u);
    QueryLinkStatus(*lib, LINK_QUERY_STATE_ONLY);
    for (uint32_t f : g_flags.flag)
        EXPECT_EQ(f, 0u);
}

TEST_F(LinkStatusTest, UnfilledRecordReadsAsNoState)
{
    g_fillNothing = true;
    const WLAN_STATUS s = QueryLinkStatus(*lib, LINK_QUERY_ALL);
    EXPECT_EQ(s.status, WvStatus_Unknown);
    EXPECT_FALSE(IsLinkConnected(s));
    EXPECT_FALSE(HasLinkBssid(s));
    EXPECT_EQ(LinkSsidText(s.ssid), "");
    EXPECT_EQ(s.TxByteCount, 0u);

    lib->WVWL_QueryWLANStatus = nullptr;
    EXPECT_EQ(QueryLinkStatus(*lib, LINK_QUERY_ALL).status, 0u);
}

TEST_F(LinkStatusTest, ConnectedWithoutBssidIsShownDisconnected)
{
    g_fill.status = WvStatus_Connected;
    WLAN_STATUS s = QueryLinkStatus(*lib, LINK_QUERY_CONNECTION);
    EXPECT_TRUE(IsLinkConnected(s));
    EXPECT_FALSE(IsLinkShownConnected(s));
    s.bssid[5] = 1;
    EXPECT_TRUE(IsLinkShownConnected(s));
}

TEST(LinkStatusText, SsidBssidAndAddress)
{
    NDIS_802_11_SSID ssid{};
    std::memset(ssid.Ssid, 'q', 32);
    ssid.SsidLength = 32;
    EXPECT_EQ(LinkSsidText(ssid), std::string(32, 'q'));
    ssid.SsidLength = 4000;
    EXPECT_EQ(LinkSsidText(ssid), std::string(32, 'q'));
    ssid.SsidLength = 3;
    EXPECT_EQ(LinkSsidText(ssid), "qqq");

    const BYTE mac[6] = {0x00, 0x1a, 0xFF, 0x0B, 0x80, 0x09};
    EXPECT_EQ(LinkBssidText(mac), "00-1A-FF-0B-80-09");
    const BYTE ip[4] = {192, 168, 0, 255};
    EXPECT_EQ(LinkIpv4Text(ip), "192.168.0.255");
}

TEST(LinkStatusChains, QualityAndCount)
{
    WLAN_STATUS s{};
    s.chain[0] = {-40, 150, 1};
    s.chain[1] = {-200, 80, 0};
    EXPECT_EQ(ChainQuality(s.chain[0]), 100u);
    EXPECT_EQ(ChainQuality(s.chain[1]), 0u);
    EXPECT_EQ(ChainCount(s), 2);
    s.chain[1].chainFlag = 1;
    EXPECT_EQ(ChainCount(s), 3);
    s.chain[0].chainFlag = 0;
    EXPECT_EQ(ChainCount(s), 1);
}

TEST(LinkStatusCounters, HtModeAndReceiveCount)
{
    WLAN_STATUS s{};
    s.HTSetting = 0x4000;
    EXPECT_FALSE(IsHTTransmit(s));
    s.HTSetting = 0x8000;
    EXPECT_TRUE(IsHTTransmit(s));
    s.rxOkCount = 7;
    s.rxOkCount64 = 1ull << 40;
    EXPECT_EQ(RxOkCount(s, 21), 7u);
    EXPECT_EQ(RxOkCount(s, 31), 1ull << 40);
}

std::string g_connectName;
unsigned long g_connectArgs[5];
ULONG g_connectSsidLength;

int __stdcall FakeToDot11(unsigned long ndis, unsigned long* dot11) { *dot11 = ndis + 100; return 1; }
int __stdcall FakeConnect(const char* name, unsigned long type, NDIS_802_11_SSID ssid, unsigned long mode,
                          unsigned long auth, unsigned long cipher)
{
    g_connectName = name;
    g_connectSsidLength = ssid.SsidLength;
    const unsigned long args[5] = {type, mode, auth, cipher, ssid.Ssid[0]};
    std::memcpy(g_connectArgs, args, sizeof args);
    return 1;
}

TEST(LinkStatusReconnect, ConvertsAndPassesTheCurrentNetwork)
{
    auto lib = std::make_unique<WVWLLIB>();
    WLAN_STATUS s{};
    s.networkType = 1;
    s.authenticationMode = 7;
    s.encryptionStatus = 6;
    s.ConnectMode = 2;
    s.ssid.SsidLength = 99;
    s.ssid.Ssid[0] = 'h';
    std::memset(s.profileName, 'p', sizeof s.profileName); // no terminator inside the record
    EXPECT_EQ(ReconnectThroughWlanService(*lib, s), 0);

    lib->WVWL_WlanConvertNdis2Dot11NetworkType = FakeToDot11;
    lib->WVWL_WlanConvertNdis2Dot11AuthType = FakeToDot11;
    lib->WVWL_WlanConvertNdis2Dot11EncryptType = FakeToDot11;
    lib->WVWL_WlanConnect = FakeConnect;
    EXPECT_EQ(ReconnectThroughWlanService(*lib, s), 1);
    EXPECT_EQ(g_connectName, std::string(84, 'p'));
    EXPECT_EQ(g_connectArgs[0], 101u);
    EXPECT_EQ(g_connectArgs[1], 2u);
    EXPECT_EQ(g_connectArgs[2], 107u);
    EXPECT_EQ(g_connectArgs[3], 106u);
    EXPECT_EQ(g_connectArgs[4], unsigned('h'));
    EXPECT_EQ(g_connectSsidLength, 32u);
}

} // namespace
