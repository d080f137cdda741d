// Entries of the advanced settings in the simulated driver: what each adapter keeps, the
// protected-frames record, the hosted network set-up and the registry writes.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

#include "wlapi/records.h"

#include "SimAdapterFixture.h"

namespace {

using namespace simtest;

const char* kTwoAdapters = R"(
[Adapter.2]
DevDesc=Second Adapter
Mac=02:00:00:00:AA:02
[BlockAck]
Peers=02:AA:00:00:00:01
)";

const uint8_t kPeer[6] = {0x02, 0xAA, 0, 0, 0, 0x01};

class SimAdvanced : public SimAdapter {
protected:
  // Loads a scene of more than one adapter; Select chooses one.
  void LoadMany(const std::string& scene) {
    std::string path = dir_ + "\\scene.ini";
    std::ofstream(path) << scene;
    ASSERT_EQ(1, Control<int (*)(const char*)>("SimLoadScenario")(path.c_str()));
  }
  // Selects the adapter at this position of the adapter list.
  void Select(int index) {
    std::vector<uint8_t> buf(4 + 4 * sizeof(WLAN_ADAPTER));
    auto list = Entry<PFN_WVWL_GetAvailableAdapters>("WVWL_GetAvailableAdapters");
    ASSERT_EQ(WVWL_ERROR_SUCCESS, list(buf.data(), 4));
    WLAN_ADAPTER rec;
    std::memcpy(&rec, buf.data() + 4 + size_t(index) * sizeof rec, sizeof rec);
    ASSERT_EQ(WVWL_ERROR_SUCCESS, Entry<PFN_WVWL_AdapterSelect>("WVWL_AdapterSelect")(&rec, &Callback, nullptr));
  }

  // What the selected adapter reports: CCX word, block-ack word, ack policy (empty when none
  // was written) and the number of peers with agreements.
  struct Kept {
    unsigned long ccx = 0, baCap = 0;
    std::vector<int> policy;
    int agreements = 0;
    bool operator==(const Kept& o) const {
      return ccx == o.ccx && baCap == o.baCap && policy == o.policy && agreements == o.agreements;
    }
  };
  Kept Read() {
    Kept k;
    Entry<PFN_WVWL_ReadCCX2Cont>("WVWL_ReadCCX2Cont")(&k.ccx);
    Entry<PFN_WVWL_ReadBACap>("WVWL_ReadBACap")(&k.baCap);
    int v[4] = {};
    if (Entry<PFN_WVWL_ReadAckPolicy>("WVWL_ReadAckPolicy")(&v[0], &v[1], &v[2], &v[3]) == 1) k.policy.assign(v, v + 4);
    BA_TABLE t{};
    Entry<PFN_WVWL_QueryBATable>("WVWL_QueryBATable")(&t);
    for (const BA_TABLE_ENTRY& e : t.Originator) k.agreements += e.TidBitmap ? 1 : 0;
    return k;
  }
  void Write(unsigned long ccx, unsigned long baCap, int policy, bool agreement) {
    ASSERT_EQ(1, Entry<PFN_WVWL_SetCCXInfo>("WVWL_SetCCXInfo")(1, ccx));
    ASSERT_EQ(1, Entry<PFN_WVWL_WriteBACap>("WVWL_WriteBACap")(baCap));
    ASSERT_EQ(1, Entry<PFN_WVWL_WriteAckPolicy>("WVWL_WriteAckPolicy")(policy, 0, policy, 0));
    if (!agreement) return;
    BA_SESSION_REQUEST r{};
    std::memcpy(r.MacAddr, kPeer, 6);
    r.TID = 3;
    r.WindowSize = 16;
    ASSERT_EQ(1, Entry<PFN_WVWL_AddIMMEBA>("WVWL_AddIMMEBA")(r));
  }
};

TEST_F(SimAdvanced, CcxWordBlockAckAndAgreementsAreKeptPerAdapter) {
  LoadMany(std::string(kScene) + kTwoAdapters);
  Select(0);
  Write(0x1234, 0x01D22020, 1, true);
  const Kept first{0x1234, 0x01D22020, {1, 0, 1, 0}, 1};
  EXPECT_EQ(first, Read());

  Select(1);
  EXPECT_EQ(Kept{}, Read());   // the second adapter has none of it
  Write(0x99, 0x0A, 0, false);
  const Kept second{0x99, 0x0A, {0, 0, 0, 0}, 0};
  EXPECT_EQ(second, Read());

  Select(0);
  EXPECT_EQ(first, Read());
}

// The record stays as written: bytes 10 and 11 act on each write that sets them.
TEST_F(SimAdvanced, MfpRecordKeepsItsTriggerBytesAsWritten) {
  Load();
  MFP_CONTROL written{};
  written.flag[1] = 1;
  written.flag[MFP_SILENT_LINK_DOWN] = 1;
  written.flag[MFP_INJECT_NOW] = 1;
  written.flag[MFP_INJECT_DISASSOC] = 1;
  ASSERT_EQ(1, Entry<PFN_WVWL_SetMFPCtrl>("WVWL_SetMFPCtrl")(written));
  MFP_CONTROL read{};
  ASSERT_EQ(1, Entry<PFN_WVWL_QueryMFPCtrl>("WVWL_QueryMFPCtrl")(&read));
  EXPECT_EQ(0, std::memcmp(read.flag, written.flag, sizeof read.flag));
  const std::string journal = Journal();
  EXPECT_NE(std::string::npos, journal.find("mfp: silent link down"));
  EXPECT_NE(std::string::npos, journal.find("mfp: inject frames=disassoc"));
}

EXTAP_CONFIG HostedConfig(const char* ssid, const char* key) {
  EXTAP_CONFIG c{};
  c.SsidLength = uint32_t(std::strlen(ssid));
  std::memcpy(c.Ssid, ssid, c.SsidLength);
  c.KeyLength = uint32_t(std::strlen(key));
  std::memcpy(c.Key, key, c.KeyLength);
  c.MaxPeers = 8;
  const uint8_t ip[4] = {192, 168, 137, 1};
  std::memcpy(c.IpAddress, ip, 4);
  return c;
}

TEST_F(SimAdvanced, HostedNetworkSetupJournalsItsRecordAndFailsWhereTheSystemWould) {
  struct {
    const char* name;
    const char* extra;
    EXTAP_CONFIG config;
    int result;
  } cases[] = {
      {"taken", "", HostedConfig("WevoAP", "hosted secret"), 1},
      {"not allowed", "[Driver]\nHostedNetworkAvailable=0\n", HostedConfig("WevoAP", "hosted secret"), 0},
      {"no SSID", "", HostedConfig("", "hosted secret"), 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Load(std::string(kScene) + c.extra);
    Control<void (*)()>("SimJournalClear")();
    EXPECT_EQ(c.result, Entry<PFN_WVWL_HostedNetworkSetup>("WVWL_HostedNetworkSetup")(c.config));
    const std::string journal = Journal();
    const std::string ssid(reinterpret_cast<const char*>(c.config.Ssid), c.config.SsidLength);
    EXPECT_NE(std::string::npos, journal.find("WVWL_HostedNetworkSetup(ssid=" + ssid + "/" + std::to_string(ssid.size()) +
                                              " key=13 bytes peers=8 ip=192.168.137.1) -> " + std::to_string(c.result)))
        << journal;
    EXPECT_EQ(std::string::npos, journal.find("hosted secret"));
  }
  // An injected failure answers in place of the entry.
  Control<int (*)(const char*, int, int)>("SimInjectResult")("WVWL_HostedNetworkSetup", 0, 0);
  EXPECT_EQ(0, Entry<PFN_WVWL_HostedNetworkSetup>("WVWL_HostedNetworkSetup")(HostedConfig("WevoAP", "hosted secret")));
}

TEST_F(SimAdvanced, RegistryWritesJournalTheValueWritten) {
  Load();
  auto write = Entry<PFN_WVWL_WriteRegValue>("WVWL_WriteRegValue");
  const uint32_t word = 0x00FA0005;
  const uint8_t bytes[3] = {1, 2, 0xAB};
  ASSERT_EQ(1, write("CCX2Control", REG_DWORD, &word, 4));
  ASSERT_EQ(1, write("CurProfile", REG_SZ, "Home", 5));
  ASSERT_EQ(1, write("Blob", REG_BINARY, bytes, 3));
  const std::string journal = Journal();
  for (const char* line : {"WVWL_WriteRegValue(CCX2Control dword=0x00FA0005) -> 1",
                           "WVWL_WriteRegValue(CurProfile sz=\"Home\") -> 1",
                           "WVWL_WriteRegValue(Blob type=3 bytes=0102AB) -> 1"})
    EXPECT_NE(std::string::npos, journal.find(line)) << line << "\n" << journal;
}

}  // namespace
