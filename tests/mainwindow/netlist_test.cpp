#include <gtest/gtest.h>
#include <cstring>
#include <memory>
#include "mainwindow/NetList.h"
#include "wlapi/bsslist_builder.h"

using namespace bsstest;

namespace {

int g_repositTime = 0;
int g_channelCount = 11;

int __stdcall FakeFrequencyToChannel(unsigned long khz)
{
    if (khz >= 2412000 && khz <= 2472000)
        return int((khz - 2407000) / 5000);
    return -1;
}
int __stdcall FakeQueryWirelessMode(int* mode) { *mode = 9; return 1; }
int __stdcall FakeConvert(int mode, int* adhoc) { *adhoc = mode == 9 ? 1 : 0; return 1; }
int __stdcall FakeChannels(int, int mode, int adhoc, unsigned char* list, int* count, int)
{
    for (int i = 0; i < 64; ++i)
        list[i] = static_cast<unsigned char>(i + 1); // channels 1..64 written, count says how many count
    *count = (mode == 9 && adhoc == 1) ? g_channelCount : 0;
    return 1;
}
int __stdcall FakeCheckRepositTime() { return g_repositTime; }
int __stdcall FakeParse(const NDIS_WLAN_BSSID_EX* item, IE_INFO* info)
{
    const bss::Security s = bss::ParseElements(item->IEs, item->IELength);
    info->nAuthBits = s.authBits;
    info->nCipherBits = s.cipherBits;
    info->bWpsIE = s.wps;
    info->ie80211N.b80211n = s.ht;
    info->ie80211AC.b80211ac = s.vht;
    return 1;
}

struct NetListTest : testing::Test {
    std::unique_ptr<WVWLLIB> lib = std::make_unique<WVWLLIB>();
    std::vector<BYTE> repository = std::vector<BYTE>(0x8000, 0);
    void SetUp() override
    {
        g_repositTime = 0;
        g_channelCount = 11;
        lib->pRepositBssidList = repository.data();
        lib->nRepositBssidBufSize = static_cast<unsigned>(repository.size());
        lib->WVWL_FrequencyToChannel = FakeFrequencyToChannel;
        lib->WVWL_QueryWirelessMode = FakeQueryWirelessMode;
        lib->WVWL_ConvertPhyModeToAdHocMode = FakeConvert;
        lib->WVWL_GetAvailableChannels = FakeChannels;
        lib->WVWL_CheckBssidRepositTime = FakeCheckRepositTime;
        lib->WVWL_ParseInfoElement = FakeParse;
    }
    std::vector<std::string> Merge(const std::vector<Net>& scan, ULONGLONG now)
    {
        auto list = ListBytes(scan, repository.size());
        UpdateRepositBssidListAt(*lib, list.data(), now);
        window = list;
        return Ssids(repository.data(), repository.size());
    }
    std::vector<BYTE> window;
};

constexpr ULONGLONG kSecond = 10'000'000;
constexpr ULONGLONG kT0 = 0x01DB123400000000ull;

TEST_F(NetListTest, MissingNetworkKeptFifteenSecondsOnAllowedChannels)
{
    Merge({MakeNet(1, "a"), MakeNet(2, "b"), MakeNet(3, "c14", -50, 2484000)}, kT0);
    EXPECT_EQ(lib->ftRepositBssidTime[2].dwHighDateTime, DWORD(kT0 >> 32));
    EXPECT_EQ(Merge({MakeNet(1, "a")}, kT0 + 10 * kSecond), (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(Ssids(window.data(), window.size()), (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(Merge({MakeNet(1, "a")}, kT0 + 16 * kSecond), (std::vector<std::string>{"a"}));
}

TEST_F(NetListTest, ExpiryUsesTheWholeFileTime)
{
    Merge({MakeNet(1, "a"), MakeNet(2, "b")}, kT0);
    // Low 32 bits equal, high part one step on: seven minutes later, not zero seconds.
    EXPECT_EQ(Merge({MakeNet(1, "a")}, kT0 + (1ull << 32)), (std::vector<std::string>{"a"}));
}

TEST_F(NetListTest, HostileChannelCountIsBounded)
{
    g_channelCount = 100000;
    Merge({MakeNet(1, "a"), MakeNet(2, "b")}, kT0);
    EXPECT_EQ(Merge({MakeNet(1, "a")}, kT0 + kSecond), (std::vector<std::string>{"a", "b"}));
    g_channelCount = -5;
    EXPECT_EQ(Merge({MakeNet(3, "c")}, kT0 + 2 * kSecond), (std::vector<std::string>{"c"}));
}

TEST_F(NetListTest, RepositTimeCheckMakesTheRepositoryTheScan)
{
    Merge({MakeNet(1, "a"), MakeNet(2, "b")}, kT0);
    g_repositTime = 1;
    EXPECT_EQ(Merge({MakeNet(3, "c")}, kT0 + kSecond), (std::vector<std::string>{"c"}));
    EXPECT_EQ(lib->ftRepositBssidTime[0].dwLowDateTime, DWORD(kT0));
}

TEST_F(NetListTest, RowsFromDisplayableItems)
{
    Net wpa2 = MakeNet(1, "secure", -171);
    wpa2.elements = {48, 20, 1, 0, 0x00, 0x0F, 0xAC, 4, 1, 0, 0x00, 0x0F, 0xAC, 4, 1, 0, 0x00, 0x0F, 0xAC, 2, 0, 0,
                     45, 26};
    wpa2.elements.resize(wpa2.elements.size() + 26);  // an HT element of its standard length
    Net wep = MakeNet(2, std::string(3, '\0'), -60, 5180000);
    wep.privacy = 1;
    Net wapi = MakeNet(3, "wapi");
    wapi.elements = {68, 20, 1, 0, 1, 0, 0x00, 0x14, 0x72, 1, 1, 0, 0x00, 0x14, 0x72, 1, 0x00, 0x14, 0x72, 1, 0, 0};
    Net broken = MakeNet(4, "broken");
    auto list = ListBytes({wpa2, wep, broken, wapi});
    bss::WriteU32(&list[ItemOffset(list, 2) + bss::kIELength], 5000);

    const auto rows = BuildSiteSurveyRows(*lib, list.data(), static_cast<DWORD>(list.size()));
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0]->strSsid, "secure");
    EXPECT_EQ(rows[0]->nSignal, -70);
    EXPECT_EQ(rows[0]->strChannel, "6");
    EXPECT_TRUE(rows[0]->bSecured);
    EXPECT_TRUE(rows[0]->b11n);
    EXPECT_EQ(rows[0]->nWapiType, 0u);
    EXPECT_EQ(rows[1]->strSsid, "");
    EXPECT_EQ(rows[1]->strChannel, "");
    EXPECT_TRUE(rows[1]->bSecured);
    EXPECT_FALSE(rows[1]->b11n);
    EXPECT_EQ(rows[2]->strSsid, "wapi");
    EXPECT_EQ(rows[2]->nWapiType, 2u);
    EXPECT_FALSE(rows[2]->bConnected);
}

TEST_F(NetListTest, ParseCacheFollowsEveryChangeOfANetworksItem)
{
    Net home = MakeNet(1, "home", -50, 2437000);
    home.elements = {48, 20, 1, 0, 0x00, 0x0F, 0xAC, 4, 1, 0, 0x00, 0x0F, 0xAC, 4, 1, 0, 0x00, 0x0F, 0xAC, 2, 0, 0};
    Net cafe = MakeNet(2, "cafe", -60, 2412000);
    TNetworkParseCache cache;
    const auto build = [&](const std::vector<Net>& nets) {
        auto list = ListBytes(nets);
        return BuildSiteSurveyRows(*lib, list.data(), static_cast<DWORD>(list.size()), &cache);
    };
    auto rows = build({home, cafe});
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_TRUE(rows[0]->bSecured);
    EXPECT_EQ(cache.Parses(), 2u);

    // Only the signal and the elements' time stamp moved: nothing is parsed again.
    home.rssi = -80;
    cafe.rssi = -30;
    auto list = ListBytes({home, cafe});
    list[ItemOffset(list, 0) + bss::kIEs] = 0x5A;
    rows = BuildSiteSurveyRows(*lib, list.data(), static_cast<DWORD>(list.size()), &cache);
    EXPECT_EQ(cache.Parses(), 2u);
    EXPECT_EQ(rows[0]->nSignal, -80);
    EXPECT_TRUE(rows[0]->bSecured);
    EXPECT_EQ(rows[1]->strChannel, "1");

    // The access point dropped its security element and the other moved channel.
    home.elements.clear();
    cafe.dsConfig = 2462000;
    rows = build({home, cafe});
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_FALSE(rows[0]->bSecured) << "stale security";
    EXPECT_EQ(rows[1]->strChannel, "11") << "stale channel";

    // Elements of the same length with other bytes: an HT element replaces padding.
    cafe.elements = {221, 26};
    cafe.elements.resize(28);
    rows = build({home, cafe});
    EXPECT_FALSE(rows[1]->b11n);
    cafe.elements[0] = 45;
    rows = build({home, cafe});
    EXPECT_TRUE(rows[1]->b11n) << "stale elements of the same length";
}

TEST_F(NetListTest, SortUsesTheLibraryChannels)
{
    auto list = ListBytes({MakeNet(1, "x", -50, 2462000), MakeNet(2, "y", -50, 1), MakeNet(3, "z", -50, 2412000)});
    SortBssidList(*lib, list.data(), static_cast<DWORD>(list.size()), 1);
    EXPECT_EQ(Ssids(list.data(), list.size()), (std::vector<std::string>{"y", "z", "x"}));
}

TEST(NetList, AuthTypeFromKeyManagementBits)
{
    const struct {
        ULONG bits;
        int kind;
    } cases[] = {{0, 0},  {4, 3},      {1, 1},     {2, 2},   {8, 4},   {1 | 8, 4}, {1 | 8 | 16, 4}, {16, 5},
                 {32, 5}, {2 | 16, 5}, {16 | 32, 0}, {64, 6}, {128, 7}, {64 | 128, 0}, {1 | 2, 0}};
    for (const auto& c : cases)
        EXPECT_EQ(GetAuthType(c.bits), c.kind) << c.bits;
}

int __stdcall FakeWinOS() { return 11; }

TEST(NetList, BufferSizeFollowsTheWindowsCode)
{
    auto lib = std::make_unique<WVWLLIB>();
    EXPECT_EQ(BssidListBufferSize(*lib), 65536u);
    lib->WVWL_GetWinOS = FakeWinOS;
    lib->nWinOS = 11;
    EXPECT_EQ(BssidListBufferSize(*lib), 32768u);
    lib->nWinOS = 21;
    EXPECT_EQ(BssidListBufferSize(*lib), 65536u);
}

} // namespace
