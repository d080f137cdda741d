// The simulated certificate lists as the program meets them: the two-call protocol with the
// count as capacity, hash buffers the library owns until WVWL_FreeCertArray, and the
// exportable-key answer by hash.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "wlapi/entries.h"
#include "wlapi/records.h"
#include "wlapi/result.h"

namespace {

const char* kCertScene = R"(
[Adapter.1]
DevDesc=Test Adapter
[Cert.1]
Store=MY
IssuedTo=alice
IssuedBy=Corp CA
Expiry=2030/1/31
FriendlyName=Alice at work
Hash=0102030405
Exportable=0
[Cert.2]
Store=MY
IssuedTo=bob
IssuedBy=Corp CA
Hash=A1A2A3
[Cert.3]
Store=MY
Machine=1
IssuedTo=host.corp
IssuedBy=Corp CA
Hash=B1B2
[Cert.4]
Store=ROOT
IssuedTo=Corp CA
IssuedBy=Corp CA
Hash=C1C2C3C4
)";

class SimCerts : public ::testing::Test {
protected:
  void SetUp() override {
    char tmp[MAX_PATH];
    GetTempPathA(MAX_PATH, tmp);
    scene_ = std::string(tmp) + "wevo_sim_certs_" + std::to_string(GetCurrentProcessId()) + ".ini";
    std::ofstream(scene_) << kCertScene;
    dll_ = LoadLibraryA("VoZEZIV.dll");
    ASSERT_NE(nullptr, dll_);
    Fn<int (*)(const char*)>("SimSetStateFile")("none");
    ASSERT_EQ(1, Fn<int (*)(const char*)>("SimLoadScenario")(scene_.c_str()));
    enumUser_ = Fn<PFN_WVWL_EnumCert>("WVWL_EnumCert");
    enumMachine_ = Fn<PFN_WVWL_EnumMachineCert>("WVWL_EnumMachineCert");
    free_ = Fn<PFN_WVWL_FreeCertArray>("WVWL_FreeCertArray");
  }

  void TearDown() override {
    if (dll_) {
      Fn<void (*)()>("SimShutdown")();
      FreeLibrary(dll_);
    }
    DeleteFileA(scene_.c_str());
  }

  template <typename T>
  T Fn(const char* name) {
    auto f = reinterpret_cast<T>(reinterpret_cast<void*>(GetProcAddress(dll_, name)));
    EXPECT_NE(nullptr, reinterpret_cast<void*>(f)) << name;
    return f;
  }

  std::string Command(const char* line) {
    char reply[512] = {};
    Fn<int (*)(const char*, char*, int)>("SimCommand")(line, reply, sizeof reply);
    return reply;
  }

  std::string Journal() {
    std::vector<char> text(1 << 20);
    Fn<int (*)(char*, int)>("SimJournal")(text.data(), static_cast<int>(text.size()));
    return text.data();
  }

  static std::vector<uint8_t> Hash(const wlapi::CERT_INFO& rec) {
    auto* bytes = reinterpret_cast<const uint8_t*>(static_cast<uintptr_t>(rec.pHash));
    return std::vector<uint8_t>(bytes, bytes + rec.nHashLen);
  }

  HMODULE dll_ = nullptr;
  std::string scene_;
  PFN_WVWL_EnumCert enumUser_ = nullptr;
  PFN_WVWL_EnumMachineCert enumMachine_ = nullptr;
  PFN_WVWL_FreeCertArray free_ = nullptr;
};

TEST_F(SimCerts, CountsByStoreAndKind) {
  struct Case {
    const char* store;
    bool machine;
    int count;
  } cases[] = {{"MY", false, 2}, {"my", false, 2}, {"MY", true, 1}, {"ROOT", false, 1}, {"ROOT", true, 0}, {"CA", false, 0}};
  for (const Case& c : cases) {
    int count = -1;
    auto fn = c.machine ? enumMachine_ : enumUser_;
    ASSERT_EQ(WVWL_ERROR_SUCCESS, fn(c.store, nullptr, &count)) << c.store;
    EXPECT_EQ(c.count, count) << c.store << " machine " << c.machine;
  }
  EXPECT_EQ(WVWL_ERROR_FAILURE, enumUser_("MY", nullptr, nullptr));
}

TEST_F(SimCerts, FillWritesNoMoreThanTheCapacityAndCarriesTheTexts) {
  wlapi::CERT_INFO records[3];
  std::memset(records, 0xEE, sizeof records);
  int count = 1;
  ASSERT_EQ(WVWL_ERROR_SUCCESS, enumUser_("MY", records, &count));
  ASSERT_EQ(1, count);
  EXPECT_STREQ("alice", records[0].chIssuedTo);
  EXPECT_STREQ("Corp CA", records[0].chIssuedBy);
  EXPECT_STREQ("2030/1/31", records[0].chExpiration);
  EXPECT_STREQ("Alice at work", records[0].chFriendlyName);
  EXPECT_EQ((std::vector<uint8_t>{1, 2, 3, 4, 5}), Hash(records[0]));
  const uint8_t* untouched = reinterpret_cast<const uint8_t*>(&records[1]);
  for (size_t i = 0; i < 2 * sizeof(wlapi::CERT_INFO); ++i)
    ASSERT_EQ(0xEE, untouched[i]) << "byte " << i << " past the capacity was written";

  int capacity = 3;
  ASSERT_EQ(WVWL_ERROR_SUCCESS, enumUser_("MY", records, &capacity));
  EXPECT_EQ(2, capacity);
  EXPECT_STREQ("bob", records[1].chIssuedTo);
  int freeCount = 1;
  free_(records, &freeCount);
  freeCount = 2;
  free_(records, &freeCount);
}

TEST_F(SimCerts, HashBuffersStayUntilFreeCertArray) {
  std::vector<wlapi::CERT_INFO> records(3);
  int user = 2, machine = 1;
  ASSERT_EQ(WVWL_ERROR_SUCCESS, enumUser_("MY", records.data(), &user));
  ASSERT_EQ(WVWL_ERROR_SUCCESS, enumMachine_("MY", records.data() + user, &machine));
  EXPECT_STREQ("host.corp", records[2].chIssuedTo);
  EXPECT_EQ("outstanding 3 frees 0\n", Command("certs"));
  EXPECT_EQ((std::vector<uint8_t>{0xB1, 0xB2}), Hash(records[2]));

  int count = user + machine;
  ASSERT_EQ(WVWL_ERROR_SUCCESS, free_(records.data(), &count));
  EXPECT_EQ(0, count);
  EXPECT_EQ("outstanding 0 frees 1\n", Command("certs"));
  // A second release of the same array frees nothing twice.
  count = 3;
  free_(records.data(), &count);
  int none = 0;
  free_(nullptr, &none);
  EXPECT_EQ("outstanding 0 frees 3\n", Command("certs"));
  EXPECT_NE(std::string::npos, Journal().find("WVWL_EnumMachineCert(MY array count 1 -> 1) -> 1"));
}

TEST_F(SimCerts, ExportableKeyAnswersFromTheCertificate) {
  auto exportable = Fn<PFN_WVWL_IsExportablePrivateKey>("WVWL_IsExportablePrivateKey");
  struct Case {
    std::vector<uint8_t> hash;
    int expected;
  } cases[] = {{{1, 2, 3, 4, 5}, 0}, {{0xA1, 0xA2, 0xA3}, 1}, {{0xA1, 0xA2}, 0}, {{}, 0}};
  for (const Case& c : cases) {
    KV_BLOB_KEY key{};
    key.BlobLength = static_cast<uint32_t>(c.hash.size());
    std::memcpy(key.BlobData, c.hash.data(), c.hash.size());
    EXPECT_EQ(c.expected, exportable(&key)) << c.hash.size();
  }
  KV_BLOB_KEY hostile{};
  hostile.BlobLength = 100000;
  EXPECT_EQ(0, exportable(&hostile));
  EXPECT_EQ(0, exportable(nullptr));
}

}  // namespace
