// The Wi-Fi Direct records: bounded readers never reach past a field, whatever the library
// writes into the lengths and counts.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "wifidirect/WiFiDirectRecords.h"

namespace {

struct TextCase {
    const char* bytes;  // field content (32 bytes, rest zero)
    uint32_t length;
    const char* expected;
};

class WiFiDirectTextCases : public ::testing::TestWithParam<TextCase> {};

TEST_P(WiFiDirectTextCases, TakesTheUsedBytesWithinTheField)
{
    const TextCase& c = GetParam();
    char field[32] = {};
    std::memcpy(field, c.bytes, std::min<size_t>(std::strlen(c.bytes), sizeof field));
    EXPECT_EQ(WiFiDirectText(field, c.length, sizeof field), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Records, WiFiDirectTextCases,
    ::testing::Values(TextCase{"Printer", 7, "Printer"}, TextCase{"Printer", 3, "Pri"}, TextCase{"Printer", 0, ""},
                      TextCase{"Printer", 0xFFFFFFFF, "Printer"},
                      TextCase{"0123456789abcdef0123456789ABCDEF", 0xFFFFFFFF, "0123456789abcdef0123456789ABCDEF"},
                      TextCase{"0123456789abcdef0123456789ABCDEF", 33, "0123456789abcdef0123456789ABCDEF"}));

TEST(WiFiDirectRecords, AFullFieldWithAHugeLengthStopsAtTheFieldEnd)
{
    // The name fills its 32 bytes and the bytes behind it are not zero either.
    WIFI_DIRECT_STATUS status;
    std::memset(&status, 'x', sizeof status);
    WIFI_DIRECT_CONNECT_REQUEST& r = status.WifiDirectStateContext.ConnectRequest;
    r.ulStringLen = 0x7FFFFFFF;
    EXPECT_EQ(WiFiDirectText(r.chDeviceName, r.ulStringLen, sizeof r.chDeviceName), std::string(32, 'x'));
}

struct CountCase {
    uint8_t stored;
    size_t expected;
};

class WiFiDirectCountCases : public ::testing::TestWithParam<CountCase> {};

TEST_P(WiFiDirectCountCases, GroupAndDiscoveryCountsStayWithinTheTable)
{
    WIFI_DIRECT_STATUS status{};
    status.WifiDirectStateContext.Group.chNumOfGroup = GetParam().stored;
    EXPECT_EQ(WiFiDirectGroupCount(status), GetParam().expected);
    EXPECT_EQ(WiFiDirectDiscoveryCount(status), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Records, WiFiDirectCountCases,
                         ::testing::Values(CountCase{0, 0}, CountCase{1, 1}, CountCase{30, 30}, CountCase{31, 30},
                                           CountCase{255, 30}));

TEST(WiFiDirectRecords, TheWpsDoneKeyIsAtMostSixtyFourBytes)
{
    WIFI_DIRECT_STATUS status;
    std::memset(&status, 'k', sizeof status);
    WIFI_DIRECT_WPS_DONE_CONTENT& c = status.WifiDirectStateContext.WpsDone.WpsDoneContent;
    c.KeyLength = 0xFFFFFFFF;
    EXPECT_EQ(WiFiDirectWpsDoneKey(status), std::string(64, 'k'));
    c.KeyLength = 12;
    EXPECT_EQ(WiFiDirectWpsDoneKey(status), std::string(12, 'k'));
}

TEST(WiFiDirectRecords, EventCodesAreOneToSeventeenAndTwentyToTwentySix)
{
    const struct {
        int code;
        bool event;
    } cases[] = {{0, false}, {1, true},   {17, true},   {18, false}, {19, false},
                 {20, true}, {26, true},  {27, false},  {128, false}, {255, false}};
    for (const auto& c : cases)
        EXPECT_EQ(IsWiFiDirectEventCode(uint8_t(c.code)), c.event) << c.code;
}

TEST(WiFiDirectRecords, TheControlRecordGivesIntentMethodsAndVendorSsid)
{
    WIFI_DIRECT_CONTROL control{};
    control.ControlBits = 0xA1;  // enabled, intent 10
    control.MethodBits = 0xD5;   // bits 4-6: 5
    std::memcpy(control.VenderSSID, "-Office", 7);
    control.VenderSSIDLength = 7;
    EXPECT_EQ(WiFiDirectControlIntent(control), 10);
    EXPECT_EQ(WiFiDirectControlConfigMethod(control), 5);
    EXPECT_EQ(WiFiDirectControlVenderSSID(control), "-Office");

    // a zero length leaves the suffix empty whatever the text holds; a hostile one stops at 32
    control.VenderSSIDLength = 0;
    EXPECT_EQ(WiFiDirectControlVenderSSID(control), "");
    std::memset(control.VenderSSID, 's', sizeof control.VenderSSID);
    control.VenderSSIDLength = 1000;
    EXPECT_EQ(WiFiDirectControlVenderSSID(control), std::string(32, 's'));
}

TEST(WiFiDirectRecords, TheAcknowledgementRequestFollowsTheWindowsVersion)
{
    EXPECT_EQ(SetP2PEventReadyRequest(21), 0x0DF101D6ul);
    EXPECT_EQ(SetP2PEventReadyRequest(30), 0x0DF101D6ul);
    EXPECT_EQ(SetP2PEventReadyRequest(31), 0xFFF101D6ul);
    EXPECT_EQ(SetP2PEventReadyRequest(51), 0xFFF101D6ul);
}

}  // namespace
