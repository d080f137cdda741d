#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstring>

#include "BssList.h"
#include "Ies.h"
#include "Scenario.h"
#include "wlapi/bsslist.h"

using namespace sim;

TEST(Scenario, DefaultSceneHasOneAdapterAndTheNetworksOfTheBrief) {
  Scenario s;
  std::string error;
  ASSERT_TRUE(LoadScenario("scenarios/default.ini", s, error)) << error;
  EXPECT_TRUE(s.warnings.empty()) << s.warnings.front();
  EXPECT_EQ(41, s.winOS);
  ASSERT_EQ(1u, s.adapters.size());
  EXPECT_TRUE(s.adapters[0].present);
  ASSERT_EQ(6u, s.networks.size());
  int hidden = 0, wep = 0, vht = 0, enterprise = 0, open = 0, psk = 0;
  for (const Network& n : s.networks) {
    hidden += n.hidden;
    wep += n.security == Security::Wep;
    vht += n.vht && n.Is5GHz();
    enterprise += n.IsEnterprise();
    open += n.security == Security::Open;
    psk += n.security == Security::Wpa2Psk && !n.passphrase.empty();
  }
  EXPECT_EQ(1, hidden);
  EXPECT_EQ(1, wep);
  EXPECT_EQ(1, vht);
  EXPECT_EQ(1, enterprise);
  EXPECT_EQ(1, open);
  EXPECT_GE(psk, 1);
}

TEST(Scenario, EveryShippedScenarioReadsWithoutComplaint) {
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA("scenarios\\*.ini", &found);
  ASSERT_NE(INVALID_HANDLE_VALUE, search);
  int files = 0;
  do {
    Scenario s;
    std::string error;
    ASSERT_TRUE(LoadScenario(std::string("scenarios\\") + found.cFileName, s, error)) << error;
    EXPECT_TRUE(s.warnings.empty()) << found.cFileName << ": " << s.warnings.front();
    EXPECT_FALSE(s.adapters.empty()) << found.cFileName;
    ++files;
  } while (FindNextFileA(search, &found));
  FindClose(search);
  EXPECT_GE(files, 2);
}

TEST(Scenario, BadValuesAreReportedAndKeepTheirDefaults) {
  IniDoc doc = IniDoc::Parse(
      "[System]\nWinOS=forty\nScanTimeMs=-5\n"
      "[Network.A]\nSSID=A\nBSSID=zz:11\nChannel=250\nSecurity=quantum\nRates=1,2,fast\n"
      "[Inject]\nWVWL_SiteSurveyScan=2:0, x:1, *:-1\n");
  Scenario s = ScenarioFromIni(doc);
  EXPECT_EQ(41, s.winOS);
  EXPECT_EQ(1500, s.scanTimeMs);
  ASSERT_EQ(1u, s.networks.size());
  EXPECT_EQ(Security::Open, s.networks[0].security);
  EXPECT_EQ(2437000u, s.networks[0].frequencyKHz);
  EXPECT_EQ(7u, s.warnings.size());
  ASSERT_EQ(2u, s.injections.size());
  EXPECT_EQ(2, s.injections[0].call);
  EXPECT_EQ(0, s.injections[0].result);
  EXPECT_EQ(0, s.injections[1].call);
  EXPECT_EQ(-1, s.injections[1].result);
}

TEST(Scenario, MalformedInputNeverBreaksTheParser) {
  const char* inputs[] = {"", "[", "]]]", "=", "[A\nx=1", "no section=1\n[B]\n=\n==\nkey", "\xff\xfe[\x01]\n\x02=\x03"};
  for (const char* text : inputs) {
    Scenario s = ScenarioFromIni(IniDoc::Parse(text));
    EXPECT_TRUE(s.networks.empty());
  }
}

TEST(Scenario, ChannelsAndFrequencies) {
  EXPECT_EQ(2412000u, ChannelToFrequencyKHz(1));
  EXPECT_EQ(2484000u, ChannelToFrequencyKHz(14));
  EXPECT_EQ(5180000u, ChannelToFrequencyKHz(36));
  EXPECT_EQ(0u, ChannelToFrequencyKHz(0));
  EXPECT_EQ(6, FrequencyKHzToChannel(2437000));
  EXPECT_EQ(165, FrequencyKHzToChannel(5825000));
  EXPECT_EQ(-1, FrequencyKHzToChannel(2437));
  EXPECT_EQ(-1, FrequencyKHzToChannel(0));
}

// True when the elements after the fixed fields are whole.
bool WellFormed(const std::vector<uint8_t>& ies) {
  return ies.size() <= kFixedIeSize ||
         bss::ForEachElement(ies.data() + kFixedIeSize, ies.size() - kFixedIeSize, [](const bss::Element&) {});
}

// Elements built for each kind of security read back as the library reports them.
struct SecurityCase {
  const char* security;
  const char* cipher;
  bool cckm;
  uint32_t authBits, cipherBits;
};

class ElementsBySecurity : public ::testing::TestWithParam<SecurityCase> {};

TEST_P(ElementsBySecurity, ReadBackAsBuilt) {
  const SecurityCase& c = GetParam();
  Network n;
  n.ssid = "Net";
  ASSERT_TRUE(ParseSecurity(c.security, n.security));
  ASSERT_TRUE(ParseCiphers(c.cipher, n.ciphers));
  n.cckm = c.cckm;
  std::vector<uint8_t> ies = BuildIes(n);
  const bss::Security s = bss::ParseElements(ies.data(), ies.size());
  EXPECT_EQ(c.authBits, s.authBits);
  EXPECT_EQ(c.cipherBits, s.cipherBits);
  EXPECT_EQ(c.cckm, s.cckm);
  EXPECT_TRUE(WellFormed(ies));
}

INSTANTIATE_TEST_SUITE_P(
    All, ElementsBySecurity,
    ::testing::Values(SecurityCase{"open", "none", false, 0, 0}, SecurityCase{"wep", "none", false, 0, 0},
                      SecurityCase{"wpa-psk", "tkip", false, kAuthWpaPsk, kCipherTkip},
                      SecurityCase{"wpa2-psk", "aes", false, kAuthWpa2Psk, kCipherAes},
                      SecurityCase{"wpa-wpa2-psk", "tkip+aes", false, kAuthWpaPsk | kAuthWpa2Psk, kCipherTkip | kCipherAes},
                      SecurityCase{"wpa", "tkip", false, kAuthWpa, kCipherTkip},
                      SecurityCase{"wpa2", "aes", true, kAuthWpa2, kCipherAes},
                      SecurityCase{"wpa-wpa2", "aes", false, kAuthWpa | kAuthWpa2, kCipherAes},
                      SecurityCase{"wpa-none", "tkip", false, kAuthWpaNone, kCipherTkip},
                      SecurityCase{"wpa2-none", "aes", false, kAuthWpa2None, kCipherAes},
                      SecurityCase{"wapi-psk", "sms4", false, kAuthWapiPsk, kCipherSms4},
                      SecurityCase{"wapi-cert", "sms4", false, kAuthWapiCert, kCipherSms4}));

TEST(Elements, WpsAndHighThroughputReadBack) {
  Network n;
  n.ssid = "Net";
  n.frequencyKHz = 5180000;
  n.wps = true;
  n.wpsDevicePasswordId = 4;
  n.wpsUuid = "00112233445566778899AABBCCDDEEFF";
  n.wpsLocked = true;
  n.ht = n.vht = true;
  std::vector<uint8_t> ies = BuildIes(n);
  const bss::Security s = bss::ParseElements(ies.data(), ies.size());
  EXPECT_TRUE(s.wps);
  EXPECT_EQ("ID : 0x0004", s.devPwdId);
  EXPECT_EQ("00112233445566778899aabbccddeeff", s.uuidE);
  EXPECT_EQ("Configured", s.configState);
  EXPECT_EQ("TRUE", s.setupLock);
  EXPECT_TRUE(s.ht);
  EXPECT_TRUE(s.vht);
  int secondaryOffset = -1;
  bss::ForEachElement(ies.data() + kFixedIeSize, ies.size() - kFixedIeSize, [&](const bss::Element& e) {
    if (e.id == 61 && e.length >= 2) secondaryOffset = e.data[1] & 3;
  });
  EXPECT_EQ(1, secondaryOffset);
}

TEST(Elements, ACutElementIsReportedAndNothingPastTheCutIsRead) {
  Network n;
  n.ssid = "Net";
  n.security = Security::WpaWpa2Psk;
  n.ciphers = kCipherTkip | kCipherAes;
  n.wps = true;
  n.ht = true;
  std::vector<uint8_t> ies = BuildIes(n);
  std::vector<size_t> starts;
  for (size_t at = kFixedIeSize; at < ies.size(); at += 2 + ies[at + 1]) starts.push_back(at);
  for (size_t cut = kFixedIeSize; cut <= ies.size(); ++cut) {
    std::vector<uint8_t> part(ies.begin(), ies.begin() + static_cast<long>(cut));
    size_t start = *std::prev(std::upper_bound(starts.begin(), starts.end(), cut));
    bool insideElement = cut < ies.size() && cut - start >= 2;
    EXPECT_EQ(insideElement, !WellFormed(part)) << "cut at " << cut;
  }
}

TEST(BssItems, HostileFieldsAreWrittenAsGiven) {
  Network n;
  n.ssid = "ThisSsidIsLongerThanThirtyTwoBytesByFar";
  n.ssidLength = 40;
  n.ieLength = 4000;
  n.itemLength = 40;
  std::vector<uint8_t> item = BuildItem(n);
  auto u32 = [&](size_t at) { return item[at] | (item[at + 1] << 8) | (item[at + 2] << 16) | (item[at + 3] << 24); };
  EXPECT_EQ(40u, static_cast<uint32_t>(u32(0)));
  EXPECT_EQ(40u, static_cast<uint32_t>(u32(12)));
  EXPECT_EQ(4000u, static_cast<uint32_t>(u32(112)));
  EXPECT_EQ(0u, item.size() % 4);
  EXPECT_EQ(0, std::memcmp(&item[16], n.ssid.data(), 32));

  std::vector<const Network*> list = {&n, &n};
  std::vector<uint8_t> bytes = BuildList(list, 3, 10);
  EXPECT_EQ(5u, bytes[0] | (bytes[1] << 8));
  EXPECT_EQ(4 + 2 * item.size() + 10, bytes.size());
}
