// 802.1X connections of the simulated adapter by EAP method: certificates for TLS and PEAP-TLS,
// identity and password for the others, the server's password change, and masked journals.
#include "SimAdapterFixture.h"

using namespace simtest;

namespace {

const char* kEapScene = R"(
[Cert.1]
Store=MY
IssuedTo=alice
IssuedBy=Corp CA
Hash=0102030405
[Cert.2]
Store=ROOT
IssuedTo=Corp CA
IssuedBy=Corp CA
Hash=C1C2C3
[Network.Rotate]
SSID=Rotate
BSSID=02:00:00:00:00:30
Channel=6
Security=wpa2
Cipher=aes
Identity=bob
Password=old-pw
PasswordChange=1
)";

WLANPROFILE Enterprise(const char* ssid, uint32_t method, uint32_t inner, const char* id, const char* password) {
  WLANPROFILE p = {};
  p.SSID.SsidLength = static_cast<ULONG>(std::strlen(ssid));
  std::memcpy(p.SSID.Ssid, ssid, p.SSID.SsidLength);
  p.enumNetworkType = 1;
  p.enumAuthenMode = 6;
  p.enumEncryStatus = 6;
  p.b8021X = 1;
  p.enumAuthenProtocol = method;
  p.enumTunnel = inner;
  std::strcpy(p.chID, id);
  std::strcpy(p.chPassword, password);
  return p;
}

void SetCert(WLANPROFILE& p, std::vector<uint8_t> hash, uint32_t length) {
  p.bClientCert = 1;
  p.user_cert.BlobLength = length;
  std::memcpy(p.user_cert.BlobData, hash.data(), std::min<size_t>(hash.size(), sizeof p.user_cert.BlobData));
}

TEST_F(SimAdapter, WiFiDirectProfilesAreJournalledByNameAndReadBack) {
  Load();
  std::vector<unsigned char> record(1468, 0x5A), back(1468, 0);
  EXPECT_EQ(WVWL_ERROR_SUCCESS,
            Entry<PFN_WVWL_WriteWifiDirectWpseProfile>("WVWL_WriteWifiDirectWpseProfile")("Profile-TV", record.data()));
  EXPECT_EQ(WVWL_ERROR_FAILURE,
            Entry<PFN_WVWL_WriteWifiDirectWpseProfile>("WVWL_WriteWifiDirectWpseProfile")("Profile-TV", nullptr));
  ASSERT_EQ(WVWL_ERROR_SUCCESS,
            Entry<PFN_WVWL_ReadWifiDirectWpseProfile>("WVWL_ReadWifiDirectWpseProfile")(back.data(), "Profile-TV"));
  EXPECT_EQ(record, back);
  const std::string journal = Journal();
  EXPECT_NE(std::string::npos, journal.find("WVWL_WriteWifiDirectWpseProfile(Profile-TV) -> 1")) << journal;
  EXPECT_NE(std::string::npos, journal.find("WVWL_WriteWifiDirectWpseProfile(Profile-TV) -> 0")) << journal;
}

}  // namespace

TEST_F(SimAdapter, EapMethodsCheckWhatTheirServerAsksFor) {
  Load(std::string(kScene) + kEapScene);
  const std::vector<uint8_t> mine{1, 2, 3, 4, 5}, root{0xC1, 0xC2, 0xC3}, unknown{9, 9};
  struct Case {
    const char* name;
    uint32_t method, inner;
    const char* id;
    const char* password;
    const std::vector<uint8_t>* hash;   // null: no client certificate
    uint32_t hashLength;
    bool connects;
  } cases[] = {
      {"PEAP right password", 0, 26, "alice", "s3cret", nullptr, 0, true},
      {"PEAP wrong password", 0, 26, "alice", "guess", nullptr, 0, false},
      {"PEAP wrong identity", 0, 26, "mallory", "s3cret", nullptr, 0, false},
      {"TTLS right password", 2, 26, "alice", "s3cret", nullptr, 0, true},
      {"TTLS wrong password", 2, 73, "alice", "guess", nullptr, 0, false},
      {"TLS personal certificate", 1, 26, "anyone", "", &mine, 5, true},
      {"TLS without certificate", 1, 26, "alice", "s3cret", nullptr, 0, false},
      {"TLS unknown certificate", 1, 26, "alice", "", &unknown, 2, false},
      {"TLS root certificate is no client", 1, 26, "alice", "", &root, 3, false},
      {"TLS hash prefix only", 1, 26, "alice", "", &mine, 4, false},
      {"TLS hostile hash length", 1, 26, "alice", "", &mine, 500, false},
      {"PEAP-TLS personal certificate", 0, 13, "anyone", "", &mine, 5, true},
      {"PEAP-TLS unknown certificate", 0, 13, "alice", "s3cret", &unknown, 2, false},
  };
  for (const Case& c : cases) {
    WLANPROFILE p = Enterprise("Office", c.method, c.inner, c.id, c.password);
    if (c.hash) SetCert(p, *c.hash, c.hashLength);
    EnterCriticalSection(&g_callbackLock);
    g_callbacks.clear();
    LeaveCriticalSection(&g_callbackLock);
    Connect(p);
    WLAN_STATUS s = Status();
    EXPECT_EQ(c.connects ? WvStatus_Connected : WvStatus_Disconnected, s.status) << c.name;
    if (!c.connects) {
      EXPECT_EQ(4u, s.linkStatusCode) << c.name;
      EXPECT_TRUE(CallbackSeen(RS_CBS_AU_STATUS_CLIENT_IDENTITY_REJECTED)) << c.name;
    }
  }
}

TEST_F(SimAdapter, JournalShowsTheEapChoicesAndMasksEveryPassword) {
  Load(std::string(kScene) + kEapScene);
  WLANPROFILE peap = Enterprise("Office", 0, 26, "alice", "s3cret");
  Connect(peap);
  WLANPROFILE tls = Enterprise("Office", 1, 26, "alice", "");
  SetCert(tls, {1, 2, 3, 4, 5}, 5);
  Connect(tls);
  char id[128] = "alice", password[128] = "s3cret";
  EXPECT_EQ(WVWL_ERROR_SUCCESS, Entry<PFN_WVWL_WriteIDnPasswd>("WVWL_WriteIDnPasswd")(id, password));
  char none[128] = "";
  EXPECT_EQ(WVWL_ERROR_SUCCESS, Entry<PFN_WVWL_WriteIDnPasswd>("WVWL_WriteIDnPasswd")(none, none));
  EXPECT_EQ(WVWL_ERROR_FAILURE, Entry<PFN_WVWL_WriteIDnPasswd>("WVWL_WriteIDnPasswd")(id, nullptr));

  std::string journal = Journal();
  EXPECT_NE(std::string::npos, journal.find("ssid \"Office\"")) << journal;
  EXPECT_NE(std::string::npos, journal.find("eap 0 inner 26 id \"alice\" password ***")) << journal;
  EXPECT_NE(std::string::npos, journal.find("eap 1 inner 26 id \"alice\" password \"\" cert 0102030405")) << journal;
  EXPECT_NE(std::string::npos, journal.find("WVWL_WriteIDnPasswd(\"alice\" ***) -> 1")) << journal;
  EXPECT_NE(std::string::npos, journal.find("WVWL_WriteIDnPasswd(\"\" \"\") -> 1")) << journal;
  EXPECT_EQ(std::string::npos, journal.find("s3cret")) << journal;
}

TEST_F(SimAdapter, KeyAndSingleSignOnWritesJournalTheirArgumentsWithoutSecrets) {
  Load(std::string(kScene) + kEapScene);
  unsigned char hash[32] = {};
  EXPECT_EQ(WVWL_ERROR_SUCCESS, Entry<PFN_WVWL_PasswordHash>("WVWL_PasswordHash")("correct horse", "HomeNet", hash));

  WLANPROFILE wep = {};
  std::memcpy(wep.SSID.Ssid, "Cellar", 6);
  wep.SSID.SsidLength = 6;
  wep.enumNetworkType = 1;
  wep.wepDefaultKey = 2;
  std::strcpy(wep.WEPKey2, "0123456789");
  EXPECT_EQ(WVWL_ERROR_SUCCESS, Entry<PFN_WVWL_SetWEPKey>("WVWL_SetWEPKey")(&wep));

  SSO_SETTING sso = {};
  sso.bSSO = 1;
  std::strcpy(sso.LogonDll, "logon.dll");
  std::strcpy(sso.DriverDesc, "Test Adapter");
  std::strcpy(sso.ProfileName, "Work");
  Entry<PFN_WVWL_WriteSSOSetting>("WVWL_WriteSSOSetting")(sso);
  Entry<PFN_WVWL_WriteSSOEnablePersConn>("WVWL_WriteSSOEnablePersConn")(1);
  Entry<PFN_WVWL_WriteSSOSavePassword>("WVWL_WriteSSOSavePassword")(2);
  Entry<PFN_WVWL_WriteSSOProfile>("WVWL_WriteSSOProfile")("Work");
  Entry<PFN_WVWL_WriteSSOProfileAndFunc>("WVWL_WriteSSOProfileAndFunc")("Work", 1);

  const std::string journal = Journal();
  for (const char* line : {"WVWL_PasswordHash(*** \"HomeNet\") -> 1",
                           "WVWL_SetWEPKey(ssid \"Cellar\"", "default key 2 keys \"\" *** \"\" \"\") -> 1",
                           "WVWL_WriteSSOSetting(sso 1 logon \"logon.dll\" driver \"Test Adapter\" profile \"Work\") -> 1",
                           "WVWL_WriteSSOEnablePersConn(1) -> 1", "WVWL_WriteSSOSavePassword(2) -> 1",
                           "WVWL_WriteSSOProfile(\"Work\") -> 1", "WVWL_WriteSSOProfileAndFunc(\"Work\" 1) -> 1"})
    EXPECT_NE(std::string::npos, journal.find(line)) << line << "\n" << journal;
  EXPECT_EQ(std::string::npos, journal.find("correct horse")) << journal;
  EXPECT_EQ(std::string::npos, journal.find("0123456789")) << journal;
}

TEST_F(SimAdapter, AServerThatWantsANewPasswordAsksOnceAndTakesTheWrittenOne) {
  Load(std::string(kScene) + kEapScene);
  Connect(Enterprise("Rotate", 0, 26, "bob", "old-pw"));
  EXPECT_EQ(WvStatus_Connected, Status().status);
  EXPECT_TRUE(CallbackSeen(RS_CBS_CHANGE_PASSWORD_REQUEST));

  char id[128] = "bob", password[128] = "new-pw";
  ASSERT_EQ(WVWL_ERROR_SUCCESS, Entry<PFN_WVWL_WriteIDnPasswd>("WVWL_WriteIDnPasswd")(id, password));
  EXPECT_NE(std::string::npos, Journal().find("password changed for \"Rotate\""));

  EnterCriticalSection(&g_callbackLock);
  g_callbacks.clear();
  LeaveCriticalSection(&g_callbackLock);
  Connect(Enterprise("Rotate", 0, 26, "bob", "old-pw"));
  EXPECT_EQ(WvStatus_Disconnected, Status().status);
  Connect(Enterprise("Rotate", 0, 26, "bob", "new-pw"));
  EXPECT_EQ(WvStatus_Connected, Status().status);
  EXPECT_FALSE(CallbackSeen(RS_CBS_CHANGE_PASSWORD_REQUEST));
  EXPECT_EQ(std::string::npos, Journal().find("new-pw"));

  // Without a change request a written password is kept, not taken by the server.
  Connect(Enterprise("Office", 0, 26, "alice", "s3cret"));
  char other[128] = "other";
  Entry<PFN_WVWL_WriteIDnPasswd>("WVWL_WriteIDnPasswd")(id, other);
  Connect(Enterprise("Office", 0, 26, "alice", "s3cret"));
  EXPECT_EQ(WvStatus_Connected, Status().status);
}
