// The simulated driver's WPS exchange, as the program meets it through the library's entries.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

#include "SimAdapterFixture.h"
#include "wlapi/records.h"

namespace {

using namespace simtest;

const std::string kWpsSceneText = R"(
[System]
WinOS=41
ScanTimeMs=50
ConnectTimeMs=50
[Adapter.1]
DevDesc=Test Adapter
[WPS]
WalkTimeMs=400
%WPS%
)" + WpsAccessPoint("Home", "HomeNet", "02:00:00:00:00:02", 6, "correct horse") + R"(WPSDevicePasswordId=4
WPSPin=12345670
%HOME%
[Network.Shop]
SSID=Shop
BSSID=02:00:00:00:00:03
Channel=11
Security=wpa-wpa2-psk
Cipher=tkip+aes
Passphrase=shop keeper
WPS=1
%SHOP%
)";

// The scene with lines added to the WPS section, the Home and the Shop access points.
std::string Scene(const std::string& wps = "", const std::string& home = "", const std::string& shop = "") {
  std::string scene = kWpsSceneText;
  for (auto [mark, lines] : {std::pair<std::string, std::string>{"%WPS%", wps}, {"%HOME%", home}, {"%SHOP%", shop}})
    scene.replace(scene.find(mark), mark.size(), lines);
  return scene;
}
const std::string kWpsScene = Scene();

class SimWps : public SimAdapter {
protected:
  static WPS_MODE Pbc(uint8_t config = WPS_START_CONFIG_ENROLLEE) {
    WPS_MODE m{};
    m.WpsMode = WPS_START_MODE_PBC;
    m.ConfigMode = config;
    return m;
  }
  // A PIN start towards an access point; pin is 8 digits, or 4 for the short form.
  static WPS_MODE Pin(const char* pin, uint8_t lastBssidByte, uint8_t config = WPS_START_CONFIG_ENROLLEE) {
    WPS_MODE m{};
    m.WpsMode = WPS_START_MODE_PIN;
    m.ConfigMode = config;
    if (std::strlen(pin) == 4) {
      std::memset(m.PIN, 0xFF, 4);
      std::memcpy(m.PIN + 4, pin, 4);
    } else {
      std::memcpy(m.PIN, pin, 8);
    }
    uint8_t bssid[6] = {0x02, 0, 0, 0, 0, lastBssidByte};
    std::memcpy(m.Bssid, bssid, 6);
    return m;
  }
  int Start(const WPS_MODE& m) { return Entry<PFN_WVWL_SetWPSMode>("WVWL_SetWPSMode")(m); }
  unsigned long Poll() {
    unsigned long word = 0xDEAD;
    EXPECT_EQ(1, Entry<PFN_WVWL_QueryWPSStatus>("WVWL_QueryWPSStatus")(&word));
    return word;
  }
  // Polls until the code is one of the ends, at most `limit` polls; every word seen.
  std::vector<unsigned long> PollToEnd(int limit = 40) {
    std::vector<unsigned long> seen;
    for (int i = 0; i < limit; ++i) {
      unsigned long w = Poll();
      seen.push_back(w);
      unsigned long code = w & WPS_STATUS_CODE_MASK;
      if (code == 0 || code == 15 || (code >= 513 && code <= 516)) break;
    }
    return seen;
  }
  static std::vector<unsigned long> Codes(const std::vector<unsigned long>& words) {
    std::vector<unsigned long> codes;
    for (unsigned long w : words) codes.push_back(w & WPS_STATUS_CODE_MASK);
    return codes;
  }
  WPS_PROFILE Credentials() {
    WPS_PROFILE p{};
    EXPECT_EQ(1, Entry<PFN_WVWL_QueryWPSProfile>("WVWL_QueryWPSProfile")(&p));
    return p;
  }
  std::string Command(const std::string& line) {
    char out[4096] = {};
    Control<int (*)(const char*, char*, int)>("SimCommand")(line.c_str(), out, sizeof out);
    return out;
  }
  static std::string Ssid(const WPS_CREDENTIAL& c) { return std::string(reinterpret_cast<const char*>(c.SSID.Ssid), c.SSID.SsidLength); }
  static std::string Key(const WPS_CREDENTIAL& c) { return std::string(reinterpret_cast<const char*>(c.Key), c.KeyLength); }
  static WLANPROFILE ProfileOf(const WPS_CREDENTIAL& c, uint32_t auth, uint32_t encryption) {
    WLANPROFILE p = Profile(Ssid(c).c_str(), auth, encryption);
    std::memcpy(p.chPskKey, c.Key, c.KeyLength);
    p.nPskKeyLen = c.KeyLength;
    return p;
  }
};

TEST_F(SimWps, PushButtonRunWalksTheEnrolleeOrderAndDeliversTheNetworkItJoined) {
  Load(kWpsScene);
  ASSERT_EQ(1, Start(Pbc()));
  std::vector<unsigned long> words;
  bool linkedFromCodeFour = true;
  for (int i = 0; i < 40; ++i) {
    unsigned long w = Poll();
    words.push_back(w);
    unsigned long code = w & WPS_STATUS_CODE_MASK;
    if (code >= 4 && code != 15 && Status().status != WvStatus_Connected) linkedFromCodeFour = false;
    if (code < 4 && Status().status == WvStatus_Connected) linkedFromCodeFour = false;
    if (code == 15) break;
  }
  EXPECT_EQ((std::vector<unsigned long>{2, 3, 4, 5, 6, 17, 18, 19, 21, 22, 23, 24, 25, 26, 27, 15}), words);
  EXPECT_TRUE(linkedFromCodeFour);
  EXPECT_EQ(0u, Poll());   // the run is over

  WPS_PROFILE got = Credentials();
  ASSERT_EQ(1u, got.ProfileCnt);
  EXPECT_EQ("HomeNet", Ssid(got.Profile[0]));
  EXPECT_EQ(WPS_AUTH_WPA2PSK, got.Profile[0].AuthType);
  EXPECT_EQ(WPS_ENCR_AES, got.Profile[0].EncrType);
  EXPECT_EQ("correct horse", Key(got.Profile[0]));
  EXPECT_EQ(0, std::memcmp(got.Profile[0].MacAddr, "\x02\x00\x00\x00\x00\x02", 6));
  EXPECT_NE(std::string::npos, Journal().find("WVWL_SetWPSMode(PBC ssid \"\" bssid 00:00:00:00:00:00 channel 0 config 1) -> 1"));
  EXPECT_NE(std::string::npos, Journal().find("key(13)"));
  EXPECT_EQ(std::string::npos, Journal().find("correct horse"));

  // The network takes the delivered key.
  Connect(ProfileOf(got.Profile[0], 7, 6));
  EXPECT_EQ(WvStatus_Connected, Status().status);
}

TEST_F(SimWps, PinRunCarriesBitTwentyEightAndDecodesBothPinForms) {
  Load(kWpsScene);
  ASSERT_EQ(1, Start(Pin("12345670", 2)));
  std::vector<unsigned long> words = PollToEnd();
  for (unsigned long w : words) EXPECT_EQ(WPS_STATUS_PIN_BIT, w & WPS_STATUS_PIN_BIT);
  EXPECT_EQ(15u, Codes(words).back());
  ASSERT_EQ(1, Start(Pin("4321", 3)));   // Shop has no PIN of its own: any is taken
  EXPECT_EQ(15u, Codes(PollToEnd()).back());
  std::string journal = Journal();
  EXPECT_NE(std::string::npos, journal.find("WVWL_SetWPSMode(PIN len=8 checksum=ok ssid \"\" bssid 02:00:00:00:00:02"));
  EXPECT_NE(std::string::npos, journal.find("WVWL_SetWPSMode(PIN len=4 "));
  WPS_PROFILE got = Credentials();
  ASSERT_EQ(1u, got.ProfileCnt);
  EXPECT_EQ(WPS_AUTH_WPAPSK_WPA2PSK, got.Profile[0].AuthType);
  EXPECT_EQ(WPS_ENCR_TKIP_AES, got.Profile[0].EncrType);
}

struct FailureCase {
  const char* name;
  const char* home;       // lines added to the Home access point
  const char* shop;
  bool pin;
  const char* pinDigits;
  std::vector<unsigned long> codes;   // the last codes before the run ends
  uint8_t bssid = 2;
};

class SimWpsFailures : public SimWps, public ::testing::WithParamInterface<FailureCase> {};

TEST_P(SimWpsFailures, ComeFromTheSceneAndEndWithTheWalkTime) {
  const FailureCase& c = GetParam();
  Load(Scene("", c.home, c.shop));
  ASSERT_EQ(1, Start(c.pin ? Pin(c.pinDigits, c.bssid) : Pbc()));
  std::vector<unsigned long> seen;
  ULONGLONG end = GetTickCount64() + 3000;
  while (GetTickCount64() < end) {
    unsigned long code = Poll() & WPS_STATUS_CODE_MASK;
    if (seen.empty() || seen.back() != code) seen.push_back(code);
    if (code == 0) break;
    Sleep(20);
  }
  std::vector<unsigned long> expected = c.codes;
  expected.push_back(0);
  std::vector<unsigned long> tail(seen.end() - std::min(seen.size(), expected.size()), seen.end());
  EXPECT_EQ(expected, tail);
  EXPECT_EQ(2u, seen.front());
  EXPECT_EQ(0u, Credentials().ProfileCnt);
  EXPECT_NE(WvStatus_Connected, Status().status);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SimWpsFailures,
    ::testing::Values(
        FailureCase{"TwoPushingAccessPoints", "", "WPSDevicePasswordId=4", false, "", {2, 257, 516}},
        FailureCase{"NoPushingAccessPoint", "InRange=0", "", false, "", {2, 258, 516}},
        FailureCase{"WrongPin", "", "", true, "11111115", {21, 22, 262, 516}},
        FailureCase{"ProtocolFailure", "WPSFailCode=260", "", true, "12345670", {19, 260, 516}},
        FailureCase{"StopCodeEndsAtOnce", "WPSFailCode=514", "", false, "", {19, 514}},
        FailureCase{"AccessPointGone", "", "", true, "12345670", {2, 516}, 9}),
    [](const ::testing::TestParamInfo<FailureCase>& i) { return std::string(i.param.name); });

TEST_F(SimWps, AnAutomaticPinRunIsNotEndedByTheWalkTime) {
  Load(Scene("", "WPSFailCode=259"));
  ASSERT_EQ(1, Entry<PFN_WVWL_SetWPSAutoSelect>("WVWL_SetWPSAutoSelect")(1));
  ASSERT_EQ(1, Start(Pin("12345670", 2)));
  PollToEnd(20);
  Sleep(500);
  EXPECT_EQ(259u, Poll() & WPS_STATUS_CODE_MASK);
  ASSERT_EQ(1, Entry<PFN_WVWL_WPSDisconnect>("WVWL_WPSDisconnect")());
  EXPECT_EQ(0u, Poll());
}

TEST_F(SimWps, RegistrarHandsItsConfigurationOverOnlyWhenTheAccessPointIsReconfigured) {
  // A configured access point takes it only when told to; an unconfigured one always.
  const struct {
    int reconfigure;
    bool configured;
    bool takes;
  } cases[] = {{0, true, false}, {1, true, true}, {0, false, true}};
  for (const auto& k : cases) {
    const int reconfigure = k.reconfigure;
    Load(k.configured ? kWpsScene : Scene("", "WPSConfigured=0"));
    WPS_PROFILE sent{};
    sent.ProfileCnt = 1;
    WPS_CREDENTIAL& c = sent.Profile[0];
    c.SSID.SsidLength = 13;
    std::memcpy(c.SSID.Ssid, "ExRegNW0A1B2C", 13);
    c.AuthType = WPS_AUTH_WPA2PSK;
    c.EncrType = WPS_ENCR_AES;
    c.KeyIndex = 1;
    c.KeyLength = 11;
    std::memcpy(c.Key, "newpassword", 11);
    ASSERT_EQ(1, Entry<PFN_WVWL_SetWPSProfile>("WVWL_SetWPSProfile")(sent));
    ASSERT_EQ(1, Entry<PFN_WVWL_ReConfigureAP>("WVWL_ReConfigureAP")(reconfigure));
    ASSERT_EQ(1, Start(Pin("12345670", 2, WPS_START_CONFIG_REGISTRAR)));
    EXPECT_EQ((std::vector<unsigned long>{2, 3, 4, 5, 6, 17, 34, 35, 37, 38, 39, 40, 41, 42, 43, 15}), Codes(PollToEnd()));
    WPS_PROFILE got = Credentials();
    ASSERT_EQ(1u, got.ProfileCnt);
    EXPECT_EQ(k.takes ? "ExRegNW0A1B2C" : "HomeNet", Ssid(got.Profile[0])) << reconfigure << k.configured;
    Connect(ProfileOf(got.Profile[0], 7, 6));
    EXPECT_EQ(WvStatus_Connected, Status().status) << reconfigure;
  }
  EXPECT_NE(std::string::npos, Journal().find("WVWL_SetWPSProfile(count 1; \"ExRegNW0A1B2C\" auth 32 encr 8 index 1 key(11)"));
}

TEST_F(SimWps, ExternalRegistrarWorksOnlyThroughTheConnectedAccessPointAndReportsByCallback) {
  Load(Scene("", "WPSUUID=00112233445566778899aabbccddeeff") +
       "[Enrollee.1]\nMac=02:AA:00:00:00:01\nPasswordId=0\nModel=Printer\nPin=87654325\n");
  auto start = Entry<PFN_WVWL_StartExtregWPS>("WVWL_StartExtregWPS");
  EXPECT_EQ(0, start("00112233445566778899aabbccddeeff"));   // not connected yet
  WLANPROFILE p = Profile("HomeNet", 7, 6);
  SetPsk(p, "correct horse");
  Connect(p);
  EXPECT_EQ(0, start("ffffffffffffffffffffffffffffffff"));
  EXPECT_EQ(1, start("00112233445566778899AABBCCDDEEFF"));
  ASSERT_TRUE(WaitFor([&] { return CallbackSeen(222); }));

  EnterCriticalSection(&g_callbackLock);
  g_callbacks.clear();
  LeaveCriticalSection(&g_callbackLock);
  ASSERT_EQ(1, Start(Pin("87654325", 0, WPS_START_CONFIG_EXTREG_STA)));
  std::vector<unsigned long> codes = Codes(PollToEnd());
  EXPECT_EQ(44u, codes.front());
  EXPECT_EQ(15u, codes.back());
  ASSERT_TRUE(WaitFor([&] { return CallbackSeen(221); }));
  EnterCriticalSection(&g_callbackLock);
  std::vector<int> callbacks = g_callbacks;
  LeaveCriticalSection(&g_callbackLock);
  EXPECT_EQ((std::vector<int>{201, 202, 203, 204, 205, 206, 207, 208, 221}), callbacks);

  // A wrong station PIN fails with 210.
  ASSERT_EQ(1, Start(Pin("11111115", 0, WPS_START_CONFIG_EXTREG_STA)));
  PollToEnd(12);
  EXPECT_TRUE(WaitFor([&] { return CallbackSeen(210); }));
}

TEST_F(SimWps, WithTheEnrolleeListAPinRunWaitsForTheChosenStationAndUsesItsPin) {
  Load(Scene("", "WPSUUID=00112233445566778899aabbccddeeff") +
       "[Enrollee.1]\nMac=02:AA:00:00:00:01\nPasswordId=0\nPin=87654325\n"
       "[Enrollee.2]\nMac=02:AA:00:00:00:02\nPasswordId=0\nPin=12345670\n");
  WLANPROFILE p = Profile("HomeNet", 7, 6);
  SetPsk(p, "correct horse");
  Connect(p);
  ASSERT_EQ(1, Entry<PFN_WVWL_StartExtregWPS>("WVWL_StartExtregWPS")("00112233445566778899aabbccddeeff"));
  auto use = Entry<PFN_WVWL_UseEnrolleeList>("WVWL_UseEnrolleeList");
  EXPECT_EQ(1, use(0));
  EXPECT_EQ(1, use(1));
  ASSERT_EQ(1, Start(Pin("12345670", 0, WPS_START_CONFIG_EXTREG_STA)));
  for (int i = 0; i < 5; ++i) EXPECT_EQ(WPS_STATUS_PIN_BIT | 44u, Poll()) << i;
  const unsigned char second[6] = {0x02, 0xAA, 0, 0, 0, 0x02};
  ASSERT_EQ(1, Entry<PFN_WVWL_SetSelEnrolleeMAC>("WVWL_SetSelEnrolleeMAC")(second));
  EXPECT_EQ(15u, Codes(PollToEnd()).back());   // the second station's PIN was the one sent
  EXPECT_NE(std::string::npos, Journal().find("WVWL_SetSelEnrolleeMAC(02AA00000002)")) << Journal();

  // Without the list the run takes the first station, whose PIN this is not.
  ASSERT_EQ(1, use(0));
  ASSERT_EQ(1, Start(Pin("12345670", 0, WPS_START_CONFIG_EXTREG_STA)));
  PollToEnd(14);
  EXPECT_TRUE(WaitFor([&] { return CallbackSeen(210); }));
}

TEST_F(SimWps, EnrolleeListAnswersMinusTenThenTheStationsAndMayClaimMore) {
  Load(std::string(kWpsScene) + "[Enrollee.1]\nMac=02:AA:00:00:00:01\nPasswordId=4\nModel=Camera\n"
                                "[Enrollee.2]\nMac=02:AA:00:00:00:02\nPasswordId=65535\n");
  auto info = Entry<PFN_WVWL_GetEnrolleeInfo>("WVWL_GetEnrolleeInfo");
  unsigned long count = 0;
  EXPECT_EQ(WVWL_ERROR_BUFFER_TOO_SMALL, info(nullptr, 0, &count));
  EXPECT_EQ(2u, count);
  std::vector<WSC_EXTREG_ENR_INFO> table(count);
  EXPECT_EQ(1, info(table.data(), count, &count));
  EXPECT_EQ(0x04, table[0].DevicePasswordId);
  EXPECT_STREQ("Camera", table[0].ModelName);
  EXPECT_EQ(0xFFFF, table[1].DevicePasswordId);
  EXPECT_EQ(0x02, table[1].EnrolleeMac[5]);

  Load(Scene("EnrolleeCountExtra=1000") + "[Enrollee.1]\nMac=02:AA:00:00:00:01\n");
  EXPECT_EQ(WVWL_ERROR_BUFFER_TOO_SMALL, info(nullptr, 0, &count));
  EXPECT_EQ(1001u, count);
}

TEST_F(SimWps, HardwareButtonReadsPressedOnceAndRunsItsOwnPushButtonSession) {
  Load(kWpsScene);
  long pressed = -1;
  auto hw = Entry<PFN_WVWL_QueryWPSHwPbc>("WVWL_QueryWPSHwPbc");
  ASSERT_EQ(1, hw(&pressed));
  EXPECT_EQ(0, pressed);
  EXPECT_EQ("ok\n", Command("wps button"));
  ASSERT_EQ(1, hw(&pressed));
  EXPECT_EQ(1, pressed);
  ASSERT_EQ(1, hw(&pressed));
  EXPECT_EQ(0, pressed);
  std::vector<unsigned long> words = PollToEnd();
  EXPECT_EQ(2u, words.front());
  EXPECT_EQ(15u, words.back());   // no PIN bit: a push-button run
  int mode = -1;
  EXPECT_EQ(1, Entry<PFN_WVWL_GetWPSHwPBCMode>("WVWL_GetWPSHwPBCMode")(&mode));
  EXPECT_EQ(0, mode);
}

TEST_F(SimWps, WpsDisconnectEndsTheRunAndTheLink) {
  Load(kWpsScene);
  ASSERT_EQ(1, Start(Pbc()));
  for (int i = 0; i < 6; ++i) Poll();
  ASSERT_EQ(WvStatus_Connected, Status().status);
  ASSERT_EQ(1, Entry<PFN_WVWL_WPSDisconnect>("WVWL_WPSDisconnect")());
  EXPECT_EQ(0u, Poll());
  EXPECT_NE(WvStatus_Connected, Status().status);
  EXPECT_EQ(0, Start(WPS_MODE{}));   // neither PIN nor push button
}

const std::string kFiveGigahertzAp =
    WpsAccessPoint("Five", "FiveNet", "02:00:00:00:00:05", 36, "five gigahertz") + "WPSDevicePasswordId=4\n";

class SimWpsSettings : public SimWps {
protected:
  // The codes a run shows, each once, until it is over (the walk time is 400 ms here).
  std::vector<unsigned long> CodesUntilOver() {
    std::vector<unsigned long> seen;
    ULONGLONG end = GetTickCount64() + 3000;
    while (GetTickCount64() < end) {
      unsigned long code = Poll() & WPS_STATUS_CODE_MASK;
      if (seen.empty() || seen.back() != code) seen.push_back(code);
      if (code == 0) break;
      Sleep(20);
    }
    return seen;
  }
  void Set(int band, int probeIe, int associateIe) {
    ASSERT_EQ(1, Entry<PFN_WVWL_SetPreferWPSAPPhyType>("WVWL_SetPreferWPSAPPhyType")(band));
    ASSERT_EQ(1, Entry<PFN_WVWL_SetWPSProbeReqIE>("WVWL_SetWPSProbeReqIE")(probeIe));
    ASSERT_EQ(1, Entry<PFN_WVWL_SetWPSAssociateIE>("WVWL_SetWPSAssociateIE")(associateIe));
  }
  std::vector<unsigned long> Run(const WPS_MODE& mode) {
    EXPECT_EQ(1, Start(mode));
    return CodesUntilOver();
  }
};

// Two access points push their buttons, one on each band: with a band preferred only that
// band's access point counts, so the run is no longer an overlap and joins it.
TEST_F(SimWpsSettings, APreferredBandLeavesTheOtherBandsAccessPointsOut) {
  const struct {
    int band;
    const char* joined;
  } cases[] = {{2, ""}, {0, "HomeNet"}, {1, "FiveNet"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.band);
    Load(kWpsScene + kFiveGigahertzAp);
    Set(c.band, 1, 1);
    std::vector<unsigned long> codes = Run(Pbc());
    EXPECT_EQ(c.band == 2, std::find(codes.begin(), codes.end(), 257ul) != codes.end());
    WPS_PROFILE got = Credentials();
    EXPECT_EQ(std::string(c.joined), got.ProfileCnt ? Ssid(got.Profile[0]) : std::string());
  }
  // A PIN run towards the 5 GHz access point with 2.4 GHz preferred never finds it.
  Load(kWpsScene + kFiveGigahertzAp);
  Set(0, 1, 1);
  EXPECT_EQ((std::vector<unsigned long>{2, 516, 0}), Run(Pin("12345670", 5)));
}

// The elements are read as the run reaches them: without the probe-request element the access
// point never sees the push; without the association element the exchange never starts.
TEST_F(SimWpsSettings, TheWpsElementsDecideHowFarTheRunGets) {
  const struct {
    int probeIe, associateIe;
    std::vector<unsigned long> codes;
  } cases[] = {{0, 1, {2, 258, 516, 0}}, {1, 0, {2, 3, 4, 516, 0}}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.probeIe * 10 + c.associateIe);
    Load(kWpsScene);
    Set(2, 1, 1);
    EXPECT_EQ(1, Start(Pbc()));
    Set(2, c.probeIe, c.associateIe);   // as the program does, after the start
    EXPECT_EQ(c.codes, CodesUntilOver());
    EXPECT_EQ(0u, Credentials().ProfileCnt);
  }
}

}  // namespace
