// The simulated adapter as the program meets it: VoZEZIV.dll loaded from the program folder,
// its entries fetched by name, its control surface driven as tests and users drive it.
#include <gtest/gtest.h>
#include <windows.h>
#include <dbt.h>

#include <algorithm>
#include <atomic>
#include <functional>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "wlapi/constants.h"
#include "wlapi/entries.h"
#include "wlapi/result.h"

#include "SimAdapterFixture.h"

namespace {

using namespace simtest;

TEST_F(SimAdapter, ScanCompletesOnAThreadOfTheLibraryWithTheCallback) {
  Load();
  std::vector<uint8_t> list = ScanAndQuery();
  EXPECT_NE(0u, g_scanThread.load());
  EXPECT_NE(GetCurrentThreadId(), g_scanThread.load());
  ASSERT_GE(list.size(), 4u);
  EXPECT_EQ(4u, U32(list, 0));   // all four networks; both bands allowed
  // Items lie back to back, each as long as it says, elements inside.
  size_t at = 4;
  for (int i = 0; i < 4; ++i) {
    uint32_t length = U32(list, at);
    EXPECT_LE(116 + U32(list, at + 112), length);
    at += length;
  }
  EXPECT_EQ(list.size(), at);
}

TEST_F(SimAdapter, QueryWithTooSmallABufferAnswersMinusTenAndTheSizeNeeded) {
  Load();
  std::vector<uint8_t> full = ScanAndQuery();
  std::vector<uint8_t> small(16);
  unsigned long size = static_cast<unsigned long>(small.size());
  auto query = Entry<PFN_WVWL_SiteSurveyQuery>("WVWL_SiteSurveyQuery");
  EXPECT_EQ(WVWL_ERROR_BUFFER_TOO_SMALL, query(reinterpret_cast<NDIS_802_11_BSSID_LIST_EX*>(small.data()), &size));
  EXPECT_EQ(full.size(), size);
  std::vector<uint8_t> grown(size);
  EXPECT_EQ(WVWL_ERROR_SUCCESS, query(reinterpret_cast<NDIS_802_11_BSSID_LIST_EX*>(grown.data()), &size));
  EXPECT_EQ(full, grown);
}

TEST_F(SimAdapter, AdapterListAnswersMinusTenWithTheCountInTheFirstWord) {
  Load();
  uint32_t word = 0;
  EXPECT_EQ(WVWL_ERROR_BUFFER_TOO_SMALL, Entry<PFN_WVWL_GetAvailableAdapters>("WVWL_GetAvailableAdapters")(&word, 0));
  EXPECT_EQ(1u, word);
  EXPECT_STREQ("Test Adapter", adapter_.DevDesc);
  EXPECT_EQ(1, Entry<PFN_WVWL_IsDeviceExist>("WVWL_IsDeviceExist")(&adapter_));
}

TEST_F(SimAdapter, ConnectingWithTheRightKeyBringsTheLinkUpAndItsCountersMove) {
  Load();
  WLANPROFILE p = Profile("HomeNet", 7, 6);
  SetPsk(p, "correct horse");
  Connect(p);
  WLAN_STATUS s = Status();
  ASSERT_EQ(WvStatus_Connected, s.status);
  EXPECT_EQ(0u, s.linkStatusCode);
  EXPECT_EQ(0, std::memcmp(s.bssid, "\x02\x00\x00\x00\x00\x02", 6));
  EXPECT_EQ(7u, s.ssid.SsidLength);
  EXPECT_EQ(2437000u, s.dsFrequency);
  EXPECT_EQ(7u, s.authenticationMode);
  EXPECT_EQ(6u, s.encryptionStatus);
  EXPECT_EQ(0, std::memcmp(s.ipAddress, "\xC0\xA8\x01\x17", 4));
  EXPECT_GT(s.txRate, 54.0);
  EXPECT_EQ(2, s.HTSetting >> 14);
  EXPECT_TRUE(CallbackSeen(RS_CBS_AU_STATUS_LINK_UP));
  EXPECT_TRUE(CallbackSeen(RS_CBS_AU_STATUS_MEDIA_CONNECT));
  Sleep(300);
  WLAN_STATUS later = Status();
  EXPECT_GT(later.TxByteCount, s.TxByteCount);
  EXPECT_GT(later.RxByteCount, s.RxByteCount);
  EXPECT_GT(later.statistics.TransmittedFragmentCount.QuadPart, 0);

  // The access point's address, and the driver's BSSID request.
  AP_IP_INFO ap = {};
  EXPECT_EQ(1, Entry<PFN_WVWL_QueryAPIPAddress>("WVWL_QueryAPIPAddress")(&ap));
  uint8_t bssid[6] = {};
  unsigned long got = 0;
  EXPECT_EQ(1, Entry<PFN_WVWL_OIDQueryInfo>("WVWL_OIDQueryInfo")(0x0D010101, bssid, 6, &got));
  EXPECT_EQ(6u, got);
  EXPECT_EQ(0, std::memcmp(bssid, s.bssid, 6));
}

TEST_F(SimAdapter, AHexKeyDerivedFromThePassPhraseIsAcceptedToo) {
  Load();
  uint8_t psk[32];
  ASSERT_EQ(1, Entry<PFN_WVWL_PasswordHash>("WVWL_PasswordHash")("correct horse", "HomeNet", psk));
  char hex[65] = {};
  for (int i = 0; i < 32; ++i) std::sprintf(hex + 2 * i, "%02x", psk[i]);
  WLANPROFILE p = Profile("HomeNet", 7, 6);
  SetPsk(p, hex);
  Connect(p);
  EXPECT_EQ(WvStatus_Connected, Status().status);
}

struct FailureCase {
  const char* name;
  const char* ssid;
  uint32_t auth, encryption;
  const char* psk;
  const char* identity;
  uint32_t linkStatusCode;
  int callback;   // 0: none expected
  const char* extraScene = "";
};

class SimAdapterFailures : public SimAdapter, public ::testing::WithParamInterface<FailureCase> {};

TEST_P(SimAdapterFailures, AreReportedAsTheProgramExpects) {
  const FailureCase& c = GetParam();
  Load(std::string(kScene) + c.extraScene);
  WLANPROFILE p = Profile(c.ssid, c.auth, c.encryption);
  if (c.psk) SetPsk(p, c.psk);
  if (c.identity) {
    std::strcpy(p.chID, c.identity);
    std::strcpy(p.chPassword, "wrong");
  }
  Connect(p);
  WLAN_STATUS s = Status();
  EXPECT_EQ(WvStatus_Disconnected, s.status);
  EXPECT_EQ(c.linkStatusCode, s.linkStatusCode);
  EXPECT_FALSE(CallbackSeen(RS_CBS_AU_STATUS_MEDIA_CONNECT));
  if (c.callback) {
    EXPECT_TRUE(WaitFor([&] { return CallbackSeen(c.callback); }));
  }
}

INSTANTIATE_TEST_SUITE_P(
    All, SimAdapterFailures,
    ::testing::Values(FailureCase{"WrongPassPhrase", "HomeNet", 7, 6, "wrong horse", nullptr, 5, 0},
                      FailureCase{"WrongCipher", "HomeNet", 7, 4, "correct horse", nullptr, 6, 0},
                      FailureCase{"OpenProfileOnSecuredNetwork", "HomeNet", 0, 1, nullptr, nullptr, 6, 0},
                      FailureCase{"NoSuchNetwork", "Elsewhere", 0, 1, nullptr, nullptr, 6, 0},
                      FailureCase{"IdentityRejected", "Office", 6, 6, nullptr, "mallory", 4,
                                  RS_CBS_AU_STATUS_CLIENT_IDENTITY_REJECTED},
                      FailureCase{"AuthenticationTimeOut", "SlowRadius", 6, 6, nullptr, "alice", 4,
                                  RS_CBS_AU_STATUS_AUTH_TIMEOUT,
                                  "[Network.Slow]\nSSID=SlowRadius\nBSSID=02:00:00:00:00:20\nChannel=6\n"
                                  "Security=wpa2\nAuthTimeout=1\n"}),
    [](const ::testing::TestParamInfo<FailureCase>& i) { return std::string(i.param.name); });

TEST_F(SimAdapter, WepKeysCompareAsBytesWhetherTypedAsTextOrHex) {
  Load(std::string(kScene) + "[Network.Wep]\nSSID=OldWep\nBSSID=02:00:00:00:00:09\nChannel=3\nSecurity=wep\nKey=6162636465\n");
  struct { uint32_t auth; const char* key; uint32_t status, code; } cases[] = {
      {0, "abcde", WvStatus_Connected, 0},
      {1, "6162636465", WvStatus_Connected, 0},
      {0, "abcdf", WvStatus_Disconnected, 5},
      {1, "abcdf", WvStatus_Disconnected, 4},
  };
  for (const auto& c : cases) {
    WLANPROFILE p = Profile("OldWep", c.auth, 0);
    std::strcpy(p.WEPKey1, c.key);
    Connect(p);
    WLAN_STATUS s = Status();
    EXPECT_EQ(c.status, s.status) << c.key;
    EXPECT_EQ(c.code, s.linkStatusCode) << c.key;
  }
}

TEST_F(SimAdapter, RadioOffDropsTheLinkAndStopsScans) {
  Load();
  Connect(Profile("OpenNet", 0, 1));
  ASSERT_EQ(WvStatus_Connected, Status().status);
  ASSERT_EQ(1, Entry<PFN_WVWL_SetAndWriteRadioState>("WVWL_SetAndWriteRadioState")(0));
  WLAN_STATUS s = Status();
  EXPECT_EQ(WvStatus_Disconnected, s.status);
  EXPECT_EQ(3u, s.linkStatusCode);
  EXPECT_EQ(0, Entry<PFN_WVWL_ReadRadioStatus>("WVWL_ReadRadioStatus")());
  EXPECT_EQ(WVWL_ERROR_FAILURE, Entry<PFN_WVWL_SiteSurveyScan>("WVWL_SiteSurveyScan")(&ScanFinished));
  EXPECT_TRUE(WaitFor([&] { return CallbackSeen(RS_CBS_AU_STATUS_LINK_DOWN); }));

  // The hardware switch: both states reported, the link code says which switch.
  Control<int (*)(int, int)>("SimSetRadio")(0, 1);
  int hw = 1, sw = 0;
  Entry<PFN_WVWL_QueryHWAndSWRadioState>("WVWL_QueryHWAndSWRadioState")(&hw, &sw);
  EXPECT_EQ(0, hw);
  EXPECT_EQ(1, sw);
  EXPECT_EQ(2u, Status().linkStatusCode);
}

TEST_F(SimAdapter, UnplugAndPlugSendDeviceChangesToTheWindowGivenAtStart) {
  Load();
  WNDCLASSA wc = {};
  wc.lpfnWndProc = WindowProc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.lpszClassName = "SimAdapterTestWindow";
  RegisterClassA(&wc);
  HWND window = CreateWindowA("SimAdapterTestWindow", "", 0, 0, 0, 10, 10, nullptr, nullptr, wc.hInstance, nullptr);
  ASSERT_NE(nullptr, window);
  ASSERT_EQ(1, Entry<PFN_WVWL_Initial>("WVWL_Initial")("Ostrel", window));
  auto plug = Control<int (*)(int, int)>("SimPlugAdapter");
  auto exists = Entry<PFN_WVWL_IsDeviceExist>("WVWL_IsDeviceExist");

  ASSERT_EQ(1, plug(1, 0));
  EXPECT_TRUE(WaitFor([&] { return !g_deviceEvents.empty(); }));
  ASSERT_EQ(1u, g_deviceEvents.size());
  EXPECT_EQ(static_cast<WPARAM>(DBT_DEVICEREMOVECOMPLETE), g_deviceEvents[0]);
  EXPECT_EQ(0, exists(&adapter_));
  uint32_t count = 9;
  Entry<PFN_WVWL_GetAvailableAdapters>("WVWL_GetAvailableAdapters")(&count, 0);
  EXPECT_EQ(0u, count);
  EXPECT_EQ(0u, Status().status);

  ASSERT_EQ(1, plug(1, 1));
  EXPECT_TRUE(WaitFor([&] { return g_deviceEvents.size() == 2; }));
  EXPECT_EQ(static_cast<WPARAM>(DBT_DEVICEARRIVAL), g_deviceEvents.back());
  EXPECT_EQ(1, exists(&adapter_));
  Entry<PFN_WVWL_DeInitial>("WVWL_DeInitial")();
  DestroyWindow(window);
}

TEST_F(SimAdapter, WifiDirectAndDisplayAnswerNotReadyTheGivenNumberOfTimes) {
  Load(std::string(kScene) + "[Driver]\nInitWifiDirectNotReady=2\nInitWifiDisplayNotReady=1\n");
  auto direct = Entry<PFN_WVWL_InitWifiDirect>("WVWL_InitWifiDirect");
  auto display = Entry<PFN_WVWL_InitWifiDisplay>("WVWL_InitWifiDisplay");
  HANDLE event = CreateEventA(nullptr, FALSE, FALSE, nullptr);
  EXPECT_EQ(WVWL_ERROR_NOT_READY, direct(event));
  EXPECT_EQ(WVWL_ERROR_NOT_READY, direct(event));
  EXPECT_EQ(WVWL_ERROR_SUCCESS, direct(event));
  EXPECT_EQ(WVWL_ERROR_NOT_READY, display(event));
  EXPECT_EQ(WVWL_ERROR_SUCCESS, display(event));
  // The handed-over event is the one the library signals.
  char reply[64];
  Control<int (*)(const char*, char*, int)>("SimCommand")("event direct", reply, sizeof reply);
  EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(event, 1000));
  CloseHandle(event);
}

TEST_F(SimAdapter, StoredSettingsAndProfilesSurviveAReloadOfTheLibrary) {
  Load();
  ASSERT_EQ(1, Entry<PFN_WVWL_SetAndWriteRadioState>("WVWL_SetAndWriteRadioState")(0));
  ASSERT_EQ(1, Entry<PFN_WVWL_SetAndWriteOPMode>("WVWL_SetAndWriteOPMode")(OP_MODE_APCLIENT));
  ASSERT_EQ(1, Entry<PFN_WVWL_WriteWifiDirectFlag>("WVWL_WriteWifiDirectFlag")(1));
  WLANPROFILE p = Profile("HomeNet", 7, 6);
  std::strcpy(p.strProfileName, "Home");
  ASSERT_EQ(1, Entry<PFN_WVWL_WriteProfile>("WVWL_WriteProfile")("Home", &p));
  ASSERT_EQ(1, Entry<PFN_WVWL_CopyProfileToCurrentSetting>("WVWL_CopyProfileToCurrentSetting")("Home"));

  Close();
  ASSERT_EQ(nullptr, GetModuleHandleA("VoZEZIV.dll"));   // really unloaded
  Open();
  Load();

  EXPECT_EQ(0, Entry<PFN_WVWL_ReadRadioStatus>("WVWL_ReadRadioStatus")());
  EXPECT_EQ(OP_MODE_APCLIENT, Entry<PFN_WVWL_QueryOPMode>("WVWL_QueryOPMode")());
  EXPECT_EQ(OP_MODE_APCLIENT, Entry<PFN_WVWL_ReadOpMode>("WVWL_ReadOpMode")());
  int flag = 0;
  Entry<PFN_WVWL_ReadWifiDirectFlag>("WVWL_ReadWifiDirectFlag")(&flag);
  EXPECT_EQ(1, flag);
  unsigned long count = 0;
  Entry<PFN_WVWL_ReadProfileList>("WVWL_ReadProfileList")(nullptr, &count);
  EXPECT_EQ(1u, count);
  char active[128] = {};
  Entry<PFN_WVWL_ReadActiveProfileName>("WVWL_ReadActiveProfileName")(active);
  EXPECT_STREQ("Home", active);
  WLANPROFILE back = {};
  EXPECT_EQ(1, Entry<PFN_WVWL_ReadProfileData>("WVWL_ReadProfileData")(&back, "home"));
  EXPECT_EQ(0, std::memcmp(&p, &back, sizeof p));
}

TEST_F(SimAdapter, AChangeKeepsWhatAnotherInstanceStoredMeanwhile) {
  Load();
  ASSERT_EQ(1, Entry<PFN_WVWL_SetAndWriteRadioState>("WVWL_SetAndWriteRadioState")(0));
  // The relaunched instance stores a mode while this one still runs.
  WritePrivateProfileStringA("Values", "StoredOpMode", "2", StatePath().c_str());
  ASSERT_EQ(1, Entry<PFN_WVWL_WriteWifiDirectFlag>("WVWL_WriteWifiDirectFlag")(1));
  char text[16] = {};
  GetPrivateProfileStringA("Values", "StoredOpMode", "", text, sizeof text, StatePath().c_str());
  EXPECT_STREQ("2", text);
  GetPrivateProfileStringA("Values", "WifiDirectFlag", "", text, sizeof text, StatePath().c_str());
  EXPECT_STREQ("1", text);
  GetPrivateProfileStringA("Values", "SoftwareRadio", "", text, sizeof text, StatePath().c_str());
  EXPECT_STREQ("0", text);
}

TEST_F(SimAdapter, AStoredModeTheDriverRefusesLeavesTheDriverWhereItWas) {
  Load(std::string(kScene) + "[Driver]\nOpModeApplies=0\n");
  EXPECT_EQ(1, Entry<PFN_WVWL_SetAndWriteOPMode>("WVWL_SetAndWriteOPMode")(OP_MODE_APCLIENT));
  EXPECT_EQ(OP_MODE_STATION, Entry<PFN_WVWL_QueryOPMode>("WVWL_QueryOPMode")());
  EXPECT_EQ(OP_MODE_APCLIENT, Entry<PFN_WVWL_ReadOpMode>("WVWL_ReadOpMode")());
  EXPECT_EQ(0, Entry<PFN_WVWL_SetAndWriteOPMode>("WVWL_SetAndWriteOPMode")(4));
}

TEST_F(SimAdapter, MalformedScenarioHandsOverTheMalformedBytes) {
  Load(std::string(kScene) + R"(
[List]
CountExtra=3
PadBytes=8
[Network.LongSsid]
SSID=ThisSsidIsLongerThanThirtyTwoBytesByFar
SsidLength=40
BSSID=02:00:00:00:00:10
Channel=1
[Network.IePastEnd]
SSID=IePastEnd
BSSID=02:00:00:00:00:11
Channel=1
IELength=4000
[Network.ShortItem]
SSID=Short
BSSID=02:00:00:00:00:12
Channel=1
ItemLength=40
)");
  std::vector<uint8_t> list = ScanAndQuery();
  EXPECT_EQ(7u + 3u, U32(list, 0));
  EXPECT_EQ(0xA5, list.back());
  // Walk by the true item sizes (the sixth item's Length lies) and find the fields.
  bool longSsid = false, iePastEnd = false, shortItem = false;
  for (size_t at = 4; at + 116 <= list.size();) {
    uint32_t length = U32(list, at);
    std::string ssid(reinterpret_cast<const char*>(&list[at + 16]), 9);
    if (U32(list, at + 12) == 40) longSsid = true;
    if (U32(list, at + 112) == 4000) iePastEnd = true;
    if (ssid.compare(0, 5, "Short") == 0) {
      shortItem = length == 40;
      break;
    }
    at += length;
  }
  EXPECT_TRUE(longSsid);
  EXPECT_TRUE(iePastEnd);
  EXPECT_TRUE(shortItem);
}

TEST_F(SimAdapter, ParsingElementsReadsOnlyWhatTheItemHolds) {
  Load();
  std::vector<uint8_t> list = ScanAndQuery();
  auto parse = Entry<PFN_WVWL_ParseInfoElement>("WVWL_ParseInfoElement");
  // Second item: HomeNet, WPA2-PSK with AES, WPS, 802.11n.
  size_t second = 4 + U32(list, 4);
  IE_INFO info = {};
  EXPECT_EQ(1, parse(reinterpret_cast<const NDIS_WLAN_BSSID_EX*>(&list[second]), &info));
  EXPECT_EQ(16u, info.nAuthBits);
  EXPECT_EQ(4u, info.nCipherBits);
  EXPECT_EQ(1u, info.bWpsIE);
  EXPECT_STREQ("ID : 0x0000", info.strDevPwdId);
  EXPECT_EQ(32u, std::strlen(info.strUuidE));
  EXPECT_EQ(1u, info.ie80211N.b80211n);
  EXPECT_EQ(0u, info.ie80211AC.b80211ac);

  // An element length running past the item: parsed up to the item's end, reported.
  std::vector<uint8_t> item(list.begin() + static_cast<long>(second),
                            list.begin() + static_cast<long>(second + U32(list, second)));
  uint32_t ieLength = 5000;
  std::memcpy(&item[112], &ieLength, 4);
  info = {};
  parse(reinterpret_cast<const NDIS_WLAN_BSSID_EX*>(item.data()), &info);
  EXPECT_EQ(16u, info.nAuthBits);
  uint32_t tiny = 20;
  std::memcpy(&item[0], &tiny, 4);
  EXPECT_EQ(0, parse(reinterpret_cast<const NDIS_WLAN_BSSID_EX*>(item.data()), &info));
}

TEST_F(SimAdapter, InjectedResultsReplaceTheChosenCalls) {
  Load();
  auto inject = Control<int (*)(const char*, int, int)>("SimInjectResult");
  auto winos = Entry<PFN_WVWL_GetWinOS>("WVWL_GetWinOS");
  int before = Control<int (*)(const char*)>("SimCallCount")("WVWL_GetWinOS");
  inject("WVWL_GetWinOS", before + 2, 31);
  EXPECT_EQ(41, winos());
  EXPECT_EQ(31, winos());
  EXPECT_EQ(41, winos());
  inject("WVWL_SiteSurveyScan", 0, -7);
  EXPECT_EQ(-7, Entry<PFN_WVWL_SiteSurveyScan>("WVWL_SiteSurveyScan")(&ScanFinished));
  EXPECT_EQ(-7, Entry<PFN_WVWL_SiteSurveyScan>("WVWL_SiteSurveyScan")(&ScanFinished));
}

TEST_F(SimAdapter, JournalHoldsCallsAndTheProgramsLogLines) {
  Load();
  Entry<PFN_WVWL_OutPutUIWppLog>("WVWL_OutPutUIWppLog")(6, " --> TFormMain::FormCreate()\n");
  Entry<PFN_WVWL_QueryOPMode>("WVWL_QueryOPMode")();
  std::string journal = Journal();
  EXPECT_NE(std::string::npos, journal.find("log 6  --> TFormMain::FormCreate()\n"));
  EXPECT_NE(std::string::npos, journal.find("WVWL_QueryOPMode() -> 0\n"));
  Control<void (*)()>("SimJournalClear")();
  EXPECT_EQ("", Journal());
}

TEST_F(SimAdapter, ControlPipeTakesTextCommandsFromARunningProgram) {
  Load();
  HWND window = CreateWindowA("STATIC", "", 0, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  ASSERT_EQ(1, Entry<PFN_WVWL_Initial>("WVWL_Initial")("Ostrel", window));
  char name[128];
  Control<int (*)(char*, int)>("SimPipeName")(name, sizeof name);
  auto ask = [&](const std::string& command) {
    std::string reply;
    for (int attempt = 0; attempt < 50 && reply.empty(); ++attempt) {
      HANDLE pipe = CreateFileA(name, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
      if (pipe == INVALID_HANDLE_VALUE) {
        Sleep(20);
        continue;
      }
      DWORD n = 0;
      std::string line = command + "\n";
      WriteFile(pipe, line.data(), static_cast<DWORD>(line.size()), &n, nullptr);
      char buf[4096];
      while (ReadFile(pipe, buf, sizeof buf, &n, nullptr) && n) reply.append(buf, n);
      CloseHandle(pipe);
    }
    return reply;
  };
  EXPECT_EQ("ok\n", ask("add SSID=PipeNet Channel=11 Security=wpa2-psk Passphrase=pipes123"));
  EXPECT_EQ("ok\n", ask("radio sw off"));
  EXPECT_EQ(0, Entry<PFN_WVWL_ReadRadioStatus>("WVWL_ReadRadioStatus")());
  EXPECT_EQ("ok\n", ask("radio sw on"));
  std::vector<uint8_t> list = ScanAndQuery();
  EXPECT_EQ(5u, U32(list, 0));
  EXPECT_EQ("1 removed\n", ask("remove PipeNet"));
  EXPECT_NE(std::string::npos, ask("status").find("radio hw=1 sw=1"));
  EXPECT_EQ(0u, ask("frobnicate").find("error:"));
  Entry<PFN_WVWL_DeInitial>("WVWL_DeInitial")();
  DestroyWindow(window);
}

TEST_F(SimAdapter, HostileTextsFillTheirBuffersWithoutATerminatingZero) {
  std::string scene = kScene;
  scene.replace(scene.find("[System]\n"), 9, "[System]\nHostileTexts=1\n");
  Load(scene);
  char buf[129];
  std::memset(buf, 0xEE, sizeof buf);
  EXPECT_EQ(1, Entry<PFN_WVWL_ReadDriverDesc>("WVWL_ReadDriverDesc")(buf));
  EXPECT_EQ(nullptr, std::memchr(buf, 0, 128));
  EXPECT_EQ(static_cast<char>(0xEE), buf[128]);   // nothing past the buffer
  std::memset(buf, 0xEE, sizeof buf);
  EXPECT_EQ(1, Entry<PFN_WVWL_ReadActiveProfileName>("WVWL_ReadActiveProfileName")(buf));
  EXPECT_EQ(nullptr, std::memchr(buf, 0, 128));
  EXPECT_EQ(static_cast<char>(0xEE), buf[128]);
}

TEST_F(SimAdapter, NetworksFadeAndLeaveWhileTheProgramRuns) {
  Load();
  auto command = [&](const char* line) {
    char reply[256];
    Control<int (*)(const char*, char*, int)>("SimCommand")(line, reply, sizeof reply);
    return std::string(reply);
  };
  Connect(Profile("OpenNet", 0, 1));
  ASSERT_EQ(WvStatus_Connected, Status().status);
  EXPECT_EQ("1 changed\n", command("set OpenNet RSSI=-90"));
  EXPECT_LE(Status().chain[0].rssi, -88);
  EXPECT_EQ("1 changed\n", command("set 02:00:00:00:00:01 InRange=0"));
  EXPECT_EQ(WvStatus_Disconnected, Status().status);
  EXPECT_EQ(3u, U32(ScanAndQuery(), 0));
  EXPECT_EQ(0u, command("set OpenNet Colour=3").find("error:"));
}

TEST_F(SimAdapter, FiveGigahertzNetworksNeedABandTheAdapterUses) {
  Load(std::string(kScene) + "[Driver]\nChannelMode=0\n");
  EXPECT_EQ(3u, U32(ScanAndQuery(), 0));
  int mode = -1;
  Entry<PFN_WVWL_QueryWirelessMode>("WVWL_QueryWirelessMode")(&mode);
  EXPECT_EQ(9, mode);
  unsigned char channels[64];
  int count = 0;
  Entry<PFN_WVWL_GetAvailableChannels>("WVWL_GetAvailableChannels")(1, mode, 0, channels, &count, 0);
  EXPECT_EQ(14, count);   // region 5: channels 1 to 14
}

}  // namespace
