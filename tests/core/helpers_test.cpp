#include <gtest/gtest.h>

#include <ctime>
#include <set>
#include <string>
#include <vector>

#include "TempFolder.h"
#include "core/Helpers.h"
#include "core/WvwlLib.h"
#include "ui/Seams.h"

namespace {

BYTE fakeAddress[6];
int icsState;
int dhcpCalls;

int WINAPI FakeQueryCurrAddress(unsigned char* address)
{
    std::copy(std::begin(fakeAddress), std::end(fakeAddress), address);
    return 1;
}
int WINAPI FakeIsEnableICS() { return icsState; }
int dhcpIcsArgument = -1;

int WINAPI FakeEnableDhcpServer(int bIcsEnabled)
{
    ++dhcpCalls;
    dhcpIcsArgument = bIcsEnabled;
    return 1;
}
int WINAPI FakeRenewIPAddr() { return 1; }

// Captures every log line.
class LogCapture {
public:
    LogCapture()
    {
        VOZEZIV.nDebugMode = 9;
        seams::logSink = [this](const char* line) { lines.push_back(line); };
    }
    ~LogCapture() { seams::logSink = nullptr; }
    std::vector<std::string> lines;
};

}  // namespace

TEST(FileProbes, FindFilesAndPatterns)
{
    TempFolder folder;
    folder.Write("RoVaza.ini", "x");
    EXPECT_EQ(IsFileExist(folder.File("RoVaza.ini").c_str()), 1);
    EXPECT_EQ(IsFileExist(folder.File("*.ini").c_str()), 1);
    EXPECT_EQ(IsFileExist(folder.File("missing.ini").c_str()), 0);
    std::wstring wide(folder.Path().begin(), folder.Path().end());
    EXPECT_EQ(IsFileExistW((wide + L"RoVaza.ini").c_str()), 1);
    EXPECT_EQ(IsFileExistW((wide + L"Wevo_xx.ini").c_str()), 0);
}

TEST(CheckAdapterKind, TellsZeroToThreeFromOtherKinds)
{
    const struct {
        uint32_t kind;
        int result;
    } cases[] = {{0, 0}, {1, 0}, {2, 0}, {3, 0}, {4, 1}, {0xFFFFFFFFu, 1}, {0x80000000u, 1}};
    for (const auto& c : cases) {
        VOZEZIV.selectedAdapter.nAdapterKind = c.kind;
        EXPECT_EQ(CheckAdapterKind(), c.result) << c.kind;
    }
}

TEST(HexText, RecognisesHexDigitsOnly)
{
    EXPECT_TRUE(IsHexString(""));
    EXPECT_TRUE(IsHexString("0123456789abcdefABCDEF"));
    EXPECT_FALSE(IsHexString("12AB cd"));
    EXPECT_FALSE(IsHexString("12g4"));
    EXPECT_FALSE(IsHexString("\xC3\xA9"));
    EXPECT_EQ(HexDigitValue('0'), 0);
    EXPECT_EQ(HexDigitValue('9'), 9);
    EXPECT_EQ(HexDigitValue('a'), 10);
    EXPECT_EQ(HexDigitValue('F'), 15);
    EXPECT_EQ(HexDigitValue('g'), 255);
    EXPECT_EQ(HexDigitValue('\xE9'), 255);
}

TEST(HexText, ConvertsPairsWithoutValidation)
{
    const struct {
        const char* text;
        BYTE expected;
    } cases[] = {
        {"0A", 0x0A}, {"ff", 0xFF}, {"1b", 0x1B},
        {"G0", 0xF0},   // invalid first digit contributes 0xF0
        {"0G", 0xFF},   // invalid second digit adds 255
        {"GG", 0xEF},
        {"A", 0x9F},    // the missing second digit counts as invalid; nothing past the text is read
    };
    for (const auto& c : cases) {
        BYTE out = 0x55;
        HexTextToBytes(c.text, &out, 1);
        EXPECT_EQ(out, c.expected) << c.text;
    }
    BYTE key[5] = {};
    HexTextToBytes("0011223344", key, 5);
    EXPECT_EQ(std::vector<BYTE>(key, key + 5), (std::vector<BYTE>{0x00, 0x11, 0x22, 0x33, 0x44}));
}

TEST(MacText, SeparatorsAreRemoved)
{
    LogCapture log;
    const struct {
        const char* in;
        const char* out;
    } cases[] = {
        {"00:1A:2B:3C:4D:5E", "001A2B3C4D5E"}, {"00-1A-2B-3C-4D-5E", "001A2B3C4D5E"},
        {"::--", ""}, {"a:b-c d", "abc d"}, {"", ""},
    };
    for (const auto& c : cases) {
        std::string text = c.in;
        DelectLabelInMac(text);
        EXPECT_EQ(text, c.out);
    }
    ASSERT_GE(log.lines.size(), 2u);
    EXPECT_EQ(log.lines[0], "[Wevo][Info] [WDP][DelectLabelInMac 1]-> Mac=00:1A:2B:3C:4D:5E \n");
    EXPECT_EQ(log.lines[1], "[Wevo][Info] [WDP][DelectLabelInMac 1]<- Mac=001A2B3C4D5E \n");
}

TEST(MacText, ConvertsTwelveDigitsOrRefuses)
{
    BYTE mac[6] = {9, 9, 9, 9, 9, 9};
    EXPECT_EQ(MacTextToBytes("00:1A:2B:3C:4D", mac), 0);
    EXPECT_EQ(std::vector<BYTE>(mac, mac + 6), std::vector<BYTE>(6, 9));
    EXPECT_EQ(MacTextToBytes("00:1A:2B:3C:4D:5E", mac), 1);
    EXPECT_EQ(std::vector<BYTE>(mac, mac + 6), (std::vector<BYTE>{0x00, 0x1A, 0x2B, 0x3C, 0x4D, 0x5E}));
    EXPECT_EQ(MacTextToBytes("a0-b1-c2-d3-e4-f5-ff", mac), 1);
    EXPECT_EQ(std::vector<BYTE>(mac, mac + 6), (std::vector<BYTE>{0xA0, 0xB1, 0xC2, 0xD3, 0xE4, 0xF5}));
}

TEST(WpsPin, ChecksumIsThePublishedOne)
{
    const struct {
        unsigned digits;
        unsigned checksum;
    } cases[] = {
        {1234567, 0}, {0, 0}, {1, 7}, {10, 9}, {1000000, 7}, {6777215, 5}, {9999999, 5}, {2473568, 1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(WpsPinChecksum(c.digits), c.checksum) << c.digits;
}

TEST(WpsPin, ByMacDependsOnlyOnTheAddress)
{
    VOZEZIV.bWPSPinByMac = 1;
    VOZEZIV.WVWL_QueryCurrAddress = FakeQueryCurrAddress;
    const struct {
        BYTE address[6];
        unsigned pin8;
        unsigned pin4;
    } cases[] = {
        {{0, 0, 0, 0, 0, 0}, 0, 0},
        {{1, 2, 13, 24, 35, 46}, 1581870u * 10 + WpsPinChecksum(1581870u), 6543},
        {{0, 0, 0xFF, 0xFF, 0xFF, 0xFF}, 67772155u, 5555},
        {{0, 0, 0, 0x98, 0x96, 0x80}, 0, 8020},   // 10,000,000 wraps to 0
    };
    for (const auto& c : cases) {
        std::copy(std::begin(c.address), std::end(c.address), fakeAddress);
        unsigned pin = 1;
        EXPECT_EQ(GenerateWpsPin8(&pin), 1);
        EXPECT_EQ(pin, c.pin8);
        EXPECT_EQ(GenerateWpsPin4(&pin), 1);
        EXPECT_EQ(pin, c.pin4);
    }
    VOZEZIV.bWPSPinByMac = 0;
    VOZEZIV.WVWL_QueryCurrAddress = nullptr;
}

TEST(WpsPin, RandomPinsAreValidAndDoNotRepeatWithinASecond)
{
    VOZEZIV.bWPSPinByMac = 0;
    std::set<unsigned> pins;
    for (int i = 0; i < 20; ++i) {
        unsigned pin = 0;
        GenerateWpsPin8(&pin);
        EXPECT_LT(pin, 100000000u);
        EXPECT_EQ(pin % 10, WpsPinChecksum(pin / 10));
        pins.insert(pin);
    }
    // Twenty draws in well under a second: a time-seeded generator gives one PIN.
    EXPECT_GT(pins.size(), 15u);
    unsigned four = 0;
    GenerateWpsPin4(&four);
    EXPECT_LT(four, 10000u);
}

TEST(RandomHelpers, DrawWithinTheirBounds)
{
    BYTE bytes[200];
    EXPECT_EQ(RandomBytesInRange(bytes, 200, 48, 57), 1);
    for (BYTE b : bytes) {
        EXPECT_GE(b, 48);
        EXPECT_LE(b, 57);
    }
    char chars[64] = {};
    EXPECT_EQ(RandomCharsFrom(chars, 63, "%s%d", "AB", 7), 1);
    EXPECT_EQ(std::string(chars).find_first_not_of("AB7"), std::string::npos);
    EXPECT_EQ(std::string(chars).size(), 63u);

    char untouched[4] = "xyz";
    EXPECT_EQ(RandomCharsFrom(untouched, 3, "%s", ""), 0);
    EXPECT_STREQ(untouched, "xyz");
}

// A failed random source is answered with 0, never with an exception, and a PIN is left as
// it was.
TEST(RandomHelpers, AFailedSourceAnswersZeroAndLeavesThePin)
{
    VOZEZIV.bWPSPinByMac = 0;
    seams::randomOverride = [](void*, unsigned long) { return false; };
    BYTE bytes[4] = {};
    char chars[4] = {};
    unsigned pin = 12345670;
    EXPECT_EQ(RandomBytes(bytes, 4), 0);
    EXPECT_EQ(RandomBytesInRange(bytes, 4, 0, 9), 0);
    EXPECT_EQ(RandomCharsFrom(chars, 3, "%s", "AB"), 0);
    EXPECT_EQ(GenerateWpsPin8(&pin), 0);
    EXPECT_EQ(GenerateWpsPin4(&pin), 0);
    EXPECT_EQ(pin, 12345670u);
    seams::randomOverride = nullptr;
    EXPECT_EQ(GenerateWpsPin8(&pin), 1);
}

TEST(PlaceWindowNearRect, PlacesBesideOrAlignedWithinTheDesktop)
{
    const RECT desktop{0, 0, 1280, 1024};
    const struct {
        RECT anchor;
        int x;
        int y;
    } cases[] = {
        {{100, 100, 400, 300}, 100, 300},      // aligned, below fits
        {{100, 800, 400, 900}, 100, 600},      // aligned, below does not fit: above
        {{100, 800, 400, 824}, 100, 824},      // bottom + height == desktop bottom still fits
        {{1000, 100, 1300, 300}, 800, 100},    // beyond the right edge: beside, from the top
        {{1000, 900, 1300, 1000}, 800, 700},   // beside, neither fits: above the top
        {{1000, 800, 1300, 900}, 800, 800},    // beside, below does not fit, from the top does
        {{-50, 100, 250, 300}, 150, 100},      // beyond the left edge: beside
        {{-50, -10, 250, 300}, 150, 300},      // beside with a negative top: below
    };
    for (const auto& c : cases) {
        PLACEMENT_RECORD place{-1, -1, 200, 200};
        PlaceWindowNearRectIn(desktop, c.anchor, place);
        EXPECT_EQ(place.x, c.x) << c.anchor.left << "," << c.anchor.top;
        EXPECT_EQ(place.y, c.y) << c.anchor.left << "," << c.anchor.top;
        EXPECT_EQ(place.width, 200);
    }
}

TEST(GetServiceStatus, MissingServiceIsMinus36)
{
    LogCapture log;
    EXPECT_EQ(GetServiceStatus("WevoNoSuchService"), -36);
    ASSERT_FALSE(log.lines.empty());
    EXPECT_EQ(log.lines.back(), "[Wevo][E] [WvMSSrv] GetServiceStatus: WVWL_ERROR_WIFIDIRECT_SVC_OPEN_SVC");
}

TEST(WaitMilliseconds, ReturnsOnceMoreThanTheTimeHasPassed)
{
    const struct {
        DWORD start;
        DWORD step;
        unsigned wait;
        unsigned passed;
    } cases[] = {
        {1000, 100, 500, 600},
        {1000, 250, 500, 750},
        {0xFFFFFF00u, 100, 500, 600},   // the clock wraps during the wait
        {5, 1, 0, 1},
    };
    for (const auto& c : cases) {
        DWORD now = c.start;
        seams::clockOverride = [&now, &c] {
            DWORD value = now;
            now += c.step;
            return value;
        };
        EXPECT_EQ(WaitMilliseconds(c.wait), c.passed);
    }
    seams::clockOverride = nullptr;
}

TEST(WorkerThreads, EnableDhcpFollowsConnectionSharing)
{
    LogCapture log;
    VOZEZIV.WVWL_IsEnableICS = FakeIsEnableICS;
    VOZEZIV.WVWL_EnableDhcpServer = FakeEnableDhcpServer;
    icsState = 1;
    dhcpCalls = 0;
    EnableDHCPThread(nullptr);
    EXPECT_EQ(dhcpCalls, 1);
    EXPECT_EQ(dhcpIcsArgument, 1) << "the sharing state is handed to the DHCP server";
    EXPECT_EQ(log.lines, (std::vector<std::string>{
                             "[Wevo][Info]  --> EnableDHCPThread\n",
                             "[Wevo][Info]  ICS is enabled, call WVWL_EnableDhcpServer()\n",
                             "[Wevo][Info]  EnableDHCPThread <-- 1 = WVWL_EnableDhcpServer(1) \n",
                             "[Wevo][Info]  <-- EnableDHCPThread\n",
                         }));

    log.lines.clear();
    VOZEZIV.WVWL_IsEnableICS = nullptr;
    EnableDHCPThread(nullptr);
    EXPECT_EQ(log.lines.size(), 2u);
    VOZEZIV.WVWL_EnableDhcpServer = nullptr;
}

TEST(WorkerThreads, RenewIpAddressLogsTheResult)
{
    LogCapture log;
    VOZEZIV.WVWL_RenewIPAddr = FakeRenewIPAddr;
    RenewIPAddrThread(nullptr);
    EXPECT_EQ(log.lines, (std::vector<std::string>{
                             "[Wevo][Info]  --> RenewIPAddrThread\n",
                             "[Wevo][Info]  call WVWL_RenewIPAddr() return 1\n",
                             "[Wevo][Info]  <-- RenewIPAddrThread\n",
                         }));
    VOZEZIV.WVWL_RenewIPAddr = nullptr;
}

TEST(CriticalSectionLogged, LogsAroundTheLock)
{
    LogCapture log;
    CRITICAL_SECTION section;
    InitializeCriticalSection(&section);
    EnterCriticalSectionLogged(&section);
    LeaveCriticalSectionLogged(&section);
    DeleteCriticalSection(&section);
    EXPECT_EQ(log.lines, (std::vector<std::string>{"[Wevo][Info] call EnterCriticalSection()\n",
                                                    "[Wevo][Info] call LeaveCriticalSection()\n"}));
}
