#include <gtest/gtest.h>
#include <cstring>
#include <vector>
#include <winsock2.h>
#include <iphlpapi.h> // must coexist with the NDIS layouts
#include "wlapi/constants.h"
#include "wlapi/entries.h"

namespace {

template <typename T>
std::vector<uint8_t> Bytes(const T& record)
{
    std::vector<uint8_t> out(sizeof(T));
    std::memcpy(out.data(), &record, sizeof(T));
    return out;
}

uint32_t Word(const std::vector<uint8_t>& b, size_t at)
{
    uint32_t v;
    std::memcpy(&v, b.data() + at, 4);
    return v;
}

TEST(Records, ProfileFieldsLandAtTheirOffsets)
{
    WLANPROFILE p{};
    p.SSID.SsidLength = 32;
    std::memset(p.SSID.Ssid, 'A', 32);
    p.enumAuthenMode = 6;
    std::strcpy(p.chPskKey, "passphrase");
    p.nProfileID = -5;
    std::strcpy(p.strProfileName, "Home");
    p.WapiASIdentity.Length = 3;
    p.WapiASIdentity.Data[255] = 0x7E;

    const auto b = Bytes(p);
    EXPECT_EQ(Word(b, 4), 32u);
    EXPECT_EQ(b[4 + 4 + 31], 'A');
    EXPECT_EQ(b[40], 0); // SSID not terminated: BSSID follows directly
    EXPECT_EQ(Word(b, 64), 6u);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(&b[1276])), "passphrase");
    EXPECT_EQ(static_cast<int32_t>(Word(b, 5456)), -5);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(&b[5328])), "Home");
    EXPECT_EQ(b[5725], 3);
    EXPECT_EQ(b[5725 + 1 + 255], 0x7E);
    EXPECT_EQ(b[5982], 0);
    EXPECT_EQ(b[5983], 0);
}

TEST(Records, StatusReadFromRawBytes)
{
    std::vector<uint8_t> raw(sizeof(WLAN_STATUS), 0);
    auto put32 = [&](size_t at, uint32_t v) { std::memcpy(&raw[at], &v, 4); };
    put32(0, WvStatus_Connected);
    put32(8, 4);
    std::memcpy(&raw[12], "home", 4);
    const uint8_t bssid[6] = {0x00, 0x11, 0x22, 0x33, 0x44, 0x55};
    std::memcpy(&raw[44], bssid, 6);
    put32(80, static_cast<uint32_t>(WV_CHAIN_ABSENT_RSSI));
    const double tx = 54.0, rx = 300.5;
    std::memcpy(&raw[168], &tx, 8);
    std::memcpy(&raw[176], &rx, 8);
    const uint64_t ok64 = 0x1122334455667788ull;
    std::memcpy(&raw[408], &ok64, 8);
    const uint16_t ht = 0x8000;
    std::memcpy(&raw[204], &ht, 2);
    raw[428] = 192; raw[429] = 168; raw[430] = 1; raw[431] = 7;
    std::memcpy(&raw[460], "OsProfile", 10);

    WLAN_STATUS s;
    std::memcpy(&s, raw.data(), sizeof s);
    EXPECT_EQ(s.status, WvStatus_Connected);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(s.ssid.Ssid), s.ssid.SsidLength), "home");
    EXPECT_EQ(0, std::memcmp(s.bssid, bssid, 6));
    EXPECT_EQ(s.chain[2].rssi, -200);
    EXPECT_DOUBLE_EQ(s.txRate, 54.0);
    EXPECT_DOUBLE_EQ(s.rxRate, 300.5);
    EXPECT_EQ(s.rxOkCount64, ok64);
    EXPECT_EQ(s.HTSetting >> 14, 2);
    EXPECT_EQ(s.ipAddress[0], 192);
    EXPECT_EQ(s.ipAddress[3], 7);
    EXPECT_STREQ(s.profileName, "OsProfile");
}

TEST(Records, WpsModeConfigModeIsLastByte)
{
    WPS_MODE m{};
    m.ConfigMode = 2;
    m.Channel = 11;
    const auto b = Bytes(m);
    EXPECT_EQ(b[55], 2);
    EXPECT_EQ(b[54], 11);
}

// Records passed by value must reach the callee intact through the declared conventions,
// including the odd sizes (130, 14 bytes) and a record between scalar arguments.
int g_seen = 0;
int __stdcall FakeSetWPSMode(WPS_MODE m) { g_seen = m.ConfigMode + m.Channel; return 1; }
int __cdecl FakeHs20Init(HS20_INIT_PARAM p) { g_seen = p.GuidLength + p.AdapterGuid[63]; return 1; }
int __stdcall FakeAddIMMEBA(BA_SESSION_REQUEST r) { g_seen = r.TID + r.MacAddr[5]; return 1; }
int __cdecl FakeSetACMCmd(ACM_COMMAND c) { g_seen = c.Command + c.Reserved[151]; return 1; }
int __stdcall FakeWlanConnect(const char* name, unsigned long type, NDIS_802_11_SSID ssid,
                              unsigned long mode, unsigned long auth, unsigned long cipher)
{
    g_seen = static_cast<int>(type + ssid.SsidLength + ssid.Ssid[31] + mode + auth + cipher) + name[0];
    return 1;
}

TEST(Entries, RecordsByValueArriveIntact)
{
    PFN_WVWL_SetWPSMode setMode = FakeSetWPSMode;
    WPS_MODE m{};
    m.ConfigMode = 3;
    m.Channel = 6;
    EXPECT_EQ(setMode(m), 1);
    EXPECT_EQ(g_seen, 9);

    PFN_HS20_Init init = FakeHs20Init;
    HS20_INIT_PARAM p{};
    p.GuidLength = 38;
    p.AdapterGuid[63] = 2;
    EXPECT_EQ(init(p), 1);
    EXPECT_EQ(g_seen, 40);

    PFN_WVWL_AddIMMEBA add = FakeAddIMMEBA;
    BA_SESSION_REQUEST r{};
    r.TID = 7;
    r.MacAddr[5] = 0x10;
    EXPECT_EQ(add(r), 1);
    EXPECT_EQ(g_seen, 23);

    PFN_WVWL_SetACMCmd acm = FakeSetACMCmd;
    ACM_COMMAND c{};
    c.Command = 2;
    c.Reserved[151] = 5;
    EXPECT_EQ(acm(c), 1);
    EXPECT_EQ(g_seen, 7);

    PFN_WVWL_WlanConnect connect = FakeWlanConnect;
    NDIS_802_11_SSID ssid{};
    ssid.SsidLength = 32;
    ssid.Ssid[31] = 1;
    EXPECT_EQ(connect("\x01", 2, ssid, 3, 4, 5), 1);
    EXPECT_EQ(g_seen, 2 + 32 + 1 + 3 + 4 + 5 + 1);
}

TEST(Constants, WpsEapCodes)
{
    for (int code : {201, 208, 210, 214, 221, 224})
        EXPECT_TRUE(IsWpsEapCallbackCode(code)) << code;
    for (int code : {200, 209, 215, 220, 225})
        EXPECT_FALSE(IsWpsEapCallbackCode(code)) << code;
}

} // namespace
