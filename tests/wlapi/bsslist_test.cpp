#include <gtest/gtest.h>
#include <functional>
#include "wlapi/bsslist_builder.h"

using namespace bsstest;

namespace {

struct MalformedCase {
    const char* name;
    std::function<void(std::vector<uint8_t>&)> corrupt; // applied to a list of three networks
    size_t accepted;
};

TEST(BssWalk, MalformedListsAreCutAtTheFirstBadItem)
{
    const MalformedCase cases[] = {
        {"intact", [](auto&) {}, 3},
        {"count claims more", [](auto& b) { bss::WriteU32(&b[0], 7); }, 3},
        {"count huge", [](auto& b) { bss::WriteU32(&b[0], 0xFFFFFFFF); }, 3},
        {"count zero", [](auto& b) { bss::WriteU32(&b[0], 0); }, 0},
        {"first length zero", [](auto& b) { bss::WriteU32(&b[4], 0); }, 0},
        {"first length below fixed part", [](auto& b) { bss::WriteU32(&b[4], 115); }, 0},
        {"second length past buffer", [](auto& b) { bss::WriteU32(&b[ItemOffset(b, 1)], 0x7FFFFFF0); }, 1},
        {"second length wraps", [](auto& b) { bss::WriteU32(&b[ItemOffset(b, 1)], 0xFFFFFFFF); }, 1},
        {"third ssid length 33", [](auto& b) { bss::WriteU32(&b[ItemOffset(b, 2) + bss::kSsidLength], 33); }, 2},
        {"ssid length huge", [](auto& b) { bss::WriteU32(&b[4 + bss::kSsidLength], 0x80000000); }, 0},
    };
    for (const auto& c : cases) {
        auto list = ListBytes({MakeNet(1, "one"), MakeNet(2, "two"), MakeNet(3, "three")});
        c.corrupt(list);
        const bss::Walk walk = bss::WalkList(list.data(), list.size());
        EXPECT_EQ(walk.items.size(), c.accepted) << c.name;
        uint32_t used = 4;
        for (const auto& item : walk.items)
            used += item.length;
        EXPECT_EQ(walk.usedSize, used) << c.name;
    }
}

TEST(BssWalk, BufferTooSmallForItsItems)
{
    auto list = ListBytes({MakeNet(1, "one"), MakeNet(2, "two")});
    const size_t endOfFirst = ItemOffset(list, 1);
    EXPECT_EQ(bss::WalkList(list.data(), endOfFirst + 100).items.size(), 1u);
    EXPECT_EQ(bss::WalkList(list.data(), endOfFirst - 1).items.size(), 0u);
    EXPECT_EQ(bss::WalkList(list.data(), 3).items.size(), 0u);
    EXPECT_EQ(bss::WalkList(nullptr, 100).items.size(), 0u);
    EXPECT_EQ(bss::WalkList(list.data(), list.size(), 1).items.size(), 1u);
}

TEST(BssWalk, ElementsLongerThanTheItemKeepTheItemButHideIt)
{
    auto list = ListBytes({MakeNet(1, "one"), MakeNet(2, "two")});
    bss::WriteU32(&list[4 + bss::kIELength], 0xFFFFFFF0);
    const bss::Walk walk = bss::WalkList(list.data(), list.size());
    ASSERT_EQ(walk.items.size(), 2u);
    EXPECT_FALSE(walk.items[0].iesFit);
    EXPECT_TRUE(walk.items[1].iesFit);
}

TEST(BssFields, SsidSignalAndGOnly)
{
    Net hidden = MakeNet(1, std::string(5, '\0'));
    Net full = MakeNet(2, std::string(32, 'x'));
    Net early = MakeNet(3, std::string("ab\0cd", 5), -150);
    Net g = MakeNet(4, "g");
    g.rates = {0x82, 0x84, 0x0C, 0x12};
    Net gBasic = MakeNet(5, "gb");
    gBasic.rates = {0x82, 0x8C};
    Net a = MakeNet(6, "a");
    a.networkType = 2;
    a.rates = {0x8C};
    auto list = ListBytes({hidden, full, early, g, gBasic, a});
    const auto items = bss::WalkList(list.data(), list.size()).items;
    ASSERT_EQ(items.size(), 6u);
    EXPECT_EQ(bss::SsidText(&list[items[0].offset]), "");
    EXPECT_EQ(bss::SsidText(&list[items[1].offset]), std::string(32, 'x'));
    EXPECT_EQ(bss::SsidText(&list[items[2].offset]), "ab");
    EXPECT_EQ(bss::Signal(&list[items[2].offset]), -49);
    EXPECT_EQ(bss::Signal(&list[items[0].offset]), -50);
    EXPECT_FALSE(bss::IsGOnly(&list[items[3].offset]));
    EXPECT_TRUE(bss::IsGOnly(&list[items[4].offset]));
    EXPECT_FALSE(bss::IsGOnly(&list[items[5].offset]));
}

TEST(BssElements, WalkStopsAtATruncatedElement)
{
    const uint8_t data[] = {0, 2, 'h', 'i', 45, 1, 0, 48, 10, 1};
    std::vector<int> ids;
    EXPECT_FALSE(bss::ForEachElement(data, sizeof data, [&](const bss::Element& e) { ids.push_back(e.id); }));
    EXPECT_EQ(ids, (std::vector<int>{0, 45}));
    EXPECT_TRUE(bss::ForEachElement(data, 7, [](const bss::Element&) {}));
    EXPECT_FALSE(bss::ForEachElement(data, 1, [](const bss::Element&) {}));
}

std::vector<uint8_t> Elements(std::initializer_list<std::vector<uint8_t>> parts)
{
    std::vector<uint8_t> out;
    for (const auto& p : parts)
        out.insert(out.end(), p.begin(), p.end());
    return out;
}

bss::Security Parse(const std::vector<uint8_t>& elements)
{
    std::vector<uint8_t> ies(bss::kFixedIEsSize, 0);
    ies.insert(ies.end(), elements.begin(), elements.end());
    return bss::ParseElements(ies.data(), ies.size());
}

const std::vector<uint8_t> kRsnPskCcmp = {48, 20, 1, 0, 0x00, 0x0F, 0xAC, 4, 1, 0, 0x00, 0x0F, 0xAC, 4,
                                          1, 0, 0x00, 0x0F, 0xAC, 2, 0, 0};
const std::vector<uint8_t> kWpaPskTkip = {221, 22, 0x00, 0x50, 0xF2, 1, 1, 0, 0x00, 0x50, 0xF2, 2, 1, 0,
                                          0x00, 0x50, 0xF2, 2, 1, 0, 0x00, 0x50, 0xF2, 2};
const std::vector<uint8_t> kRsnEapAndCckm = {48, 24, 1, 0, 0x00, 0x0F, 0xAC, 2, 1, 0, 0x00, 0x0F, 0xAC, 4,
                                             2, 0, 0x00, 0x0F, 0xAC, 1, 0x00, 0x40, 0x96, 0, 0, 0};
const std::vector<uint8_t> kWapiPsk = {68, 20, 1, 0, 1, 0, 0x00, 0x14, 0x72, 2, 1, 0, 0x00, 0x14, 0x72, 1,
                                       0x00, 0x14, 0x72, 1, 0, 0};
const std::vector<uint8_t> kWps = {221, 35, 0x00, 0x50, 0xF2, 4, 0x10, 0x44, 0, 1, 2, 0x10, 0x12, 0, 2, 0, 4,
                                   0x10, 0x47, 0, 16, 0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15};

TEST(BssElements, SecurityKindsFromElements)
{
    struct Case {
        const char* name;
        std::vector<uint8_t> elements;
        uint32_t auth, cipher;
        bool cckm;
    };
    const Case cases[] = {
        {"open", {}, 0, 0, false},
        {"wpa2 psk", kRsnPskCcmp, bss::kAuthWpa2Psk, bss::kCipherAes, false},
        {"wpa psk", kWpaPskTkip, bss::kAuthWpaPsk, bss::kCipherTkip, false},
        {"mixed", Elements({kRsnPskCcmp, kWpaPskTkip}), bss::kAuthWpa2Psk | bss::kAuthWpaPsk,
         bss::kCipherAes | bss::kCipherTkip, false},
        {"wpa2 enterprise with cckm", kRsnEapAndCckm, bss::kAuthWpa2, bss::kCipherAes | bss::kCipherTkip, true},
        {"wapi psk", kWapiPsk, bss::kAuthWapiPsk, bss::kCipherSms4, false},
        // The suite count claims three suites where the element holds one.
        {"truncated rsn", {48, 14, 1, 0, 0x00, 0x0F, 0xAC, 4, 3, 0, 0x00, 0x0F, 0xAC, 2, 0, 0}, 0,
         bss::kCipherAes | bss::kCipherTkip, false},
        {"element overruns", {48, 200, 1, 0}, 0, 0, false},
    };
    for (const auto& c : cases) {
        const bss::Security s = Parse(c.elements);
        EXPECT_EQ(s.authBits, c.auth) << c.name;
        EXPECT_EQ(s.cipherBits, c.cipher) << c.name;
        EXPECT_EQ(s.cckm, c.cckm) << c.name;
    }
}

const std::vector<uint8_t> kHt = [] {
    std::vector<uint8_t> e = {45, bss::kHtCapabilitiesLength};
    e.resize(2 + bss::kHtCapabilitiesLength, 0);
    return e;
}();
const std::vector<uint8_t> kVht = [] {
    std::vector<uint8_t> e = {191, bss::kVhtCapabilitiesLength};
    e.resize(2 + bss::kVhtCapabilitiesLength, 0);
    return e;
}();

TEST(BssElements, WpsAndThroughput)
{
    const bss::Security s = Parse(Elements({kWps, kHt, kVht}));
    EXPECT_TRUE(s.wps);
    EXPECT_EQ(s.devPwdId, "ID : 0x0004");
    EXPECT_EQ(s.configState, "Configured");
    EXPECT_EQ(s.uuidE, "000102030405060708090a0b0c0d0e0f");
    EXPECT_TRUE(s.ht);
    EXPECT_TRUE(s.vht);

    const bss::Security none = Parse({});
    EXPECT_FALSE(none.wps);
    EXPECT_EQ(none.devPwdId, "Unknown");
    EXPECT_EQ(none.uuidE, "");
}

// Only capability elements of their fixed length mark 802.11n or 802.11ac.
TEST(BssElements, ThroughputElementsOfTheWrongLengthMarkNothing)
{
    struct Case {
        const char* name;
        std::vector<uint8_t> elements;
        bool ht, vht;
    } cases[] = {
        {"both", Elements({kHt, kVht}), true, true},
        {"ht short", {45, 2, 0, 0}, false, false},
        {"ht long", [] { std::vector<uint8_t> e(2 + 27, 0); e[0] = 45; e[1] = 27; return e; }(), false, false},
        {"vht short", {191, 1, 0}, false, false},
        {"vht empty beside ht", Elements({kHt, {191, 0}}), true, false},
    };
    for (const Case& c : cases) {
        const bss::Security s = Parse(c.elements);
        EXPECT_EQ(s.ht, c.ht) << c.name;
        EXPECT_EQ(s.vht, c.vht) << c.name;
    }
}

// WPS data an access point splits over several vendor elements, at any byte, reads as whole.
TEST(BssElements, WpsSplitOverSeveralElementsIsJoined)
{
    const std::vector<uint8_t> data(kWps.begin() + 6, kWps.end());  // the attributes alone
    for (size_t cut = 1; cut < data.size(); ++cut) {
        std::vector<uint8_t> first = {221, uint8_t(4 + cut), 0x00, 0x50, 0xF2, 4};
        first.insert(first.end(), data.begin(), data.begin() + long(cut));
        std::vector<uint8_t> second = {221, uint8_t(4 + data.size() - cut), 0x00, 0x50, 0xF2, 4};
        second.insert(second.end(), data.begin() + long(cut), data.end());
        // another element between the pieces does not matter
        const bss::Security s = Parse(Elements({first, kHt, second}));
        EXPECT_EQ(s.devPwdId, "ID : 0x0004") << "cut at " << cut;
        EXPECT_EQ(s.configState, "Configured") << "cut at " << cut;
        EXPECT_EQ(s.uuidE, "000102030405060708090a0b0c0d0e0f") << "cut at " << cut;
    }
}

// RSN and WPA elements that stop early take the standard's defaults for what they leave out;
// another version or no pairwise cipher makes the element count for nothing.
TEST(BssElements, OptionalRsnAndWpaFieldsTakeTheirDefaults)
{
    const std::vector<uint8_t> rsnGroupTkip = {48, 6, 1, 0, 0x00, 0x0F, 0xAC, 2};
    const std::vector<uint8_t> wpaHead = {221, 0, 0x00, 0x50, 0xF2, 1};
    auto wpa = [&](std::vector<uint8_t> body) {
        std::vector<uint8_t> e = wpaHead;
        e.insert(e.end(), body.begin(), body.end());
        e[1] = uint8_t(e.size() - 2);
        return e;
    };
    struct Case {
        const char* name;
        std::vector<uint8_t> elements;
        uint32_t auth, cipher;
    } cases[] = {
        {"rsn version only", {48, 2, 1, 0}, bss::kAuthWpa2, bss::kCipherAes},
        {"rsn group only", rsnGroupTkip, bss::kAuthWpa2, bss::kCipherTkip | bss::kCipherAes},
        {"rsn without key management", {48, 12, 1, 0, 0x00, 0x0F, 0xAC, 4, 1, 0, 0x00, 0x0F, 0xAC, 2},
         bss::kAuthWpa2, bss::kCipherAes | bss::kCipherTkip},
        {"rsn version 2", {48, 2, 2, 0}, 0, 0},
        {"rsn version 2 in full", [] { auto e = kRsnPskCcmp; e[2] = 2; return e; }(), 0, 0},
        {"rsn without pairwise cipher", {48, 8, 1, 0, 0x00, 0x0F, 0xAC, 4, 0, 0}, 0, 0},
        {"rsn empty", {48, 0}, 0, 0},
        {"wpa version only", wpa({1, 0}), bss::kAuthWpa, bss::kCipherTkip},
        {"wpa group aes only", wpa({1, 0, 0x00, 0x50, 0xF2, 4}), bss::kAuthWpa, bss::kCipherAes | bss::kCipherTkip},
        {"wpa without key management", wpa({1, 0, 0x00, 0x50, 0xF2, 2, 1, 0, 0x00, 0x50, 0xF2, 4}), bss::kAuthWpa,
         bss::kCipherTkip | bss::kCipherAes},
        {"wpa version 2", wpa({2, 0}), 0, 0},
        {"wpa without pairwise cipher", wpa({1, 0, 0x00, 0x50, 0xF2, 2, 0, 0}), 0, 0},
        {"ignored rsn beside a good wpa", Elements({{48, 2, 3, 0}, kWpaPskTkip}), bss::kAuthWpaPsk, bss::kCipherTkip},
    };
    for (const Case& c : cases) {
        const bss::Security s = Parse(c.elements);
        EXPECT_EQ(s.authBits, c.auth) << c.name;
        EXPECT_EQ(s.cipherBits, c.cipher) << c.name;
    }
}

int ChannelOf(uint32_t khz)
{
    if (khz >= 2412000 && khz <= 2472000)
        return int((khz - 2407000) / 5000);
    return -1;
}

TEST(BssSort, OrdersBySsidChannelAndSignal)
{
    auto list = ListBytes({MakeNet(1, "home", -70, 2462000), MakeNet(2, "Banana", -40, 2412000),
                           MakeNet(3, "Home", -60, 9999), MakeNet(4, "apple", -80, 2437000)});
    auto bySsid = list;
    bss::SortList(bySsid.data(), bySsid.size(), bss::SortBySsid, ChannelOf);
    EXPECT_EQ(Ssids(bySsid.data(), bySsid.size()), (std::vector<std::string>{"apple", "Banana", "home", "Home"}));

    auto byChannel = list;
    bss::SortList(byChannel.data(), byChannel.size(), bss::SortByChannel, ChannelOf);
    EXPECT_EQ(Ssids(byChannel.data(), byChannel.size()),
              (std::vector<std::string>{"Home", "Banana", "apple", "home"}));

    auto bySignal = list;
    bss::SortList(bySignal.data(), bySignal.size(), bss::SortBySignal, ChannelOf);
    EXPECT_EQ(Ssids(bySignal.data(), bySignal.size()),
              (std::vector<std::string>{"Banana", "Home", "home", "apple"}));
}

TEST(BssSort, MalformedTailIsDroppedAndEmptyListUntouched)
{
    auto list = ListBytes({MakeNet(1, "b"), MakeNet(2, "a"), MakeNet(3, "c")});
    bss::WriteU32(&list[ItemOffset(list, 2)], 3); // third item broken
    bss::SortList(list.data(), list.size(), bss::SortBySsid, ChannelOf);
    EXPECT_EQ(bss::ReadU32(list.data()), 2u);
    EXPECT_EQ(Ssids(list.data(), list.size()), (std::vector<std::string>{"a", "b"}));

    std::vector<uint8_t> empty(64, 0xAB);
    bss::WriteU32(empty.data(), 0);
    const auto before = empty;
    bss::SortList(empty.data(), empty.size(), bss::SortBySsid, ChannelOf);
    EXPECT_EQ(empty, before);
}

// Merge --------------------------------------------------------------------------------------

constexpr uint64_t kSecond = 10'000'000;
constexpr uint64_t kMaxAge = 15 * kSecond;

struct Repo {
    std::vector<uint8_t> list = std::vector<uint8_t>(0x8000, 0);
    std::vector<uint64_t> times = std::vector<uint64_t>(1024, 0);
    std::vector<int> limits;
    bss::MergeHooks hooks;
    Repo()
    {
        hooks.channelAllowed = [](uint32_t khz) { return ChannelOf(khz) >= 1 && ChannelOf(khz) <= 11; };
        hooks.bufferLimit = [this] { limits.push_back(1); };
    }
    std::vector<std::string> Merge(std::vector<bsstest::Net> scan, uint64_t now, bool keep = true)
    {
        auto buffer = ListBytes(scan, list.size());
        bss::MergeRepository(list.data(), times.data(), times.size(), buffer.data(), buffer.size(), keep, now,
                             kMaxAge, hooks);
        lastScan = buffer;
        return Ssids(list.data(), list.size());
    }
    std::vector<uint8_t> lastScan;
};

const uint64_t kT0 = 0x01DB000000000000ull;

TEST(BssMerge, MissingNetworkStaysFifteenSeconds)
{
    Repo r;
    r.Merge({MakeNet(1, "a"), MakeNet(2, "b")}, kT0);
    EXPECT_EQ(r.Merge({MakeNet(1, "a")}, kT0 + 10 * kSecond), (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(Ssids(r.lastScan.data(), r.lastScan.size()), (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(r.times[0], kT0 + 10 * kSecond);
    EXPECT_EQ(r.times[1], kT0);
    EXPECT_EQ(r.Merge({MakeNet(1, "a")}, kT0 + 16 * kSecond), (std::vector<std::string>{"a"}));
}

TEST(BssMerge, AgeComparesTheWholeTimeStamp)
{
    Repo r;
    r.Merge({MakeNet(1, "a"), MakeNet(2, "b")}, kT0);
    // Same low 32 bits, one high step (about seven minutes) later: long gone.
    EXPECT_EQ(r.Merge({MakeNet(1, "a")}, kT0 + (1ull << 32)), (std::vector<std::string>{"a"}));
    // A stamp from the future (clock set back) is as old as its distance.
    Repo back;
    back.Merge({MakeNet(1, "a"), MakeNet(2, "b")}, kT0);
    EXPECT_EQ(back.Merge({MakeNet(1, "a")}, kT0 - 5 * kSecond), (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(back.Merge({MakeNet(1, "a")}, kT0 - 60 * kSecond), (std::vector<std::string>{"a"}));
}

TEST(BssMerge, MissingNetworkOnForbiddenChannelGoesAtOnce)
{
    Repo r;
    r.Merge({MakeNet(1, "a"), MakeNet(2, "b", -50, 2467000)}, kT0);
    EXPECT_EQ(r.Merge({MakeNet(1, "a")}, kT0 + kSecond), (std::vector<std::string>{"a"}));
}

TEST(BssMerge, WithoutKeepingTheRepositoryIsTheScan)
{
    Repo r;
    r.Merge({MakeNet(1, "a"), MakeNet(2, "b")}, kT0);
    const auto times = r.times;
    EXPECT_EQ(r.Merge({MakeNet(3, "c")}, kT0 + kSecond, false), (std::vector<std::string>{"c"}));
    EXPECT_EQ(r.times, times);
}

TEST(BssMerge, EmptyScanKeepsYoungEntriesButLeavesTheScanEmpty)
{
    Repo r;
    r.Merge({MakeNet(1, "a")}, kT0);
    EXPECT_EQ(r.Merge({}, kT0 + kSecond), (std::vector<std::string>{"a"}));
    EXPECT_EQ(bss::ReadU32(r.lastScan.data()), 0u);
}

TEST(BssMerge, FullRepositoryDropsKeptNetworksNotNewOnes)
{
    Repo r;
    r.list.assign(4 + 3 * 128 + 64, 0); // room for three items of 128 bytes
    r.Merge({MakeNet(1, "a"), MakeNet(2, "b"), MakeNet(3, "c")}, kT0);
    EXPECT_EQ(r.Merge({MakeNet(4, "d"), MakeNet(5, "e")}, kT0 + kSecond),
              (std::vector<std::string>{"d", "e", "a"}));
    EXPECT_EQ(r.limits.size(), 2u);
}

TEST(BssMerge, MalformedScanIsCutAndSanitised)
{
    Repo r;
    auto scan = ListBytes({MakeNet(1, "a"), MakeNet(2, "b")}, r.list.size());
    bss::WriteU32(&scan[ItemOffset(scan, 1)], 0xFFFF0000);
    bss::MergeRepository(r.list.data(), r.times.data(), r.times.size(), scan.data(), scan.size(), true, kT0,
                         kMaxAge, r.hooks);
    EXPECT_EQ(Ssids(r.list.data(), r.list.size()), (std::vector<std::string>{"a"}));
    EXPECT_EQ(bss::ReadU32(scan.data()), 1u);
    EXPECT_FALSE(bss::WalkList(scan.data(), scan.size()).Cut());
}

} // namespace

namespace {

TEST(BssSort, ListsLongerThan256AreSortedWhole)
{
    std::vector<Net> nets;
    for (int i = 0; i < 300; ++i)
        nets.push_back(MakeNet(static_cast<uint8_t>(i), "n" + std::to_string(i), -20 - (i * 7) % 80));
    auto list = ListBytes(nets, 0x10000);
    bss::SortList(list.data(), list.size(), bss::SortBySignal, ChannelOf);
    const auto items = bss::WalkList(list.data(), list.size()).items;
    ASSERT_EQ(items.size(), 300u);
    for (size_t i = 1; i < items.size(); ++i)
        ASSERT_GE(bss::ReadI32(&list[items[i - 1].offset + bss::kRssi]), bss::ReadI32(&list[items[i].offset + bss::kRssi]));
}

} // namespace
