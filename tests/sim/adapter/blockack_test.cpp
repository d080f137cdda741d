// Block-ack agreements of the simulated driver: the peer list, adding and deleting agreements,
// the table they make, and the capability and policies the program sets.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

#include "wlapi/constants.h"
#include "wlapi/entries.h"
#include "wlapi/records.h"
#include "wlapi/result.h"

#include "SimAdapterFixture.h"

namespace {

using namespace simtest;

const uint8_t kHome[6] = {0x02, 0, 0, 0, 0, 0x02};
const uint8_t kPeerA[6] = {0x02, 0xAA, 0, 0, 0, 0x01};
const uint8_t kPeerB[6] = {0x02, 0xBB, 0, 0, 0, 0x02};

std::string Scene(const std::string& extra) { return std::string(kScene) + extra; }

const char* kPeers = "[BlockAck]\nPeers=02:AA:00:00:00:01,02:BB:00:00:00:02\n";

BA_SESSION_REQUEST Request(const uint8_t* mac, int tid, int window, bool recipient = false, bool all = false) {
  BA_SESSION_REQUEST r{};
  r.bRecipient = recipient ? 1 : 0;
  std::memcpy(r.MacAddr, mac, 6);
  r.TID = static_cast<uint8_t>(tid);
  r.WindowSize = static_cast<uint8_t>(window);
  r.AllTid = all ? 1 : 0;
  return r;
}

class SimBlockAck : public SimAdapter {
protected:
  void ConnectHome() {
    WLANPROFILE p = Profile("HomeNet", 7, 6);
    SetPsk(p, "correct horse");
    Connect(p);
    ASSERT_EQ(WvStatus_Connected, Status().status);
  }
  int Add(const BA_SESSION_REQUEST& r) { return Entry<PFN_WVWL_AddIMMEBA>("WVWL_AddIMMEBA")(r); }
  int Delete(unsigned long request, const BA_SESSION_REQUEST& r, unsigned long length = 14) {
    return Entry<PFN_WVWL_OIDSetInfo>("WVWL_OIDSetInfo")(request, &r, length);
  }
  BA_TABLE Table() {
    BA_TABLE t;
    std::memset(&t, 0xCC, sizeof t);
    EXPECT_EQ(1, Entry<PFN_WVWL_QueryBATable>("WVWL_QueryBATable")(&t));
    return t;
  }
  int PeerList(unsigned long request, PEER_MAC_TABLE& table, unsigned long& returned) {
    std::memset(&table, 0xCC, sizeof table);
    return Entry<PFN_WVWL_OIDQueryInfo>("WVWL_OIDQueryInfo")(request, &table, sizeof table, &returned);
  }
};

TEST_F(SimBlockAck, PeerListHoldsTheScenarioPeersThenTheConnectedAccessPoint) {
  Load(Scene(kPeers));
  PEER_MAC_TABLE t;
  unsigned long returned = 0;
  ASSERT_EQ(1, PeerList(OID_BA_PEER_LIST, t, returned));
  EXPECT_EQ(2u, t.Count);
  EXPECT_EQ(4u + 2 * 12, returned);
  EXPECT_EQ(0, std::memcmp(t.Rows[1].MacAddr, kPeerB, 6));
  EXPECT_EQ(0, t.Rows[2].MacAddr[0]);  // the rest of the buffer zeroed

  ConnectHome();
  ASSERT_EQ(1, PeerList(OID_BA_PEER_LIST, t, returned));
  EXPECT_EQ(3u, t.Count);
  EXPECT_EQ(0, std::memcmp(t.Rows[0].MacAddr, kPeerA, 6));
  EXPECT_EQ(0, std::memcmp(t.Rows[2].MacAddr, kHome, 6));
  // The older request number belongs to older Windows versions.
  EXPECT_EQ(0, PeerList(OID_BA_PEER_LIST_LEGACY, t, returned));
}

TEST_F(SimBlockAck, OlderWindowsVersionsUseTheOlderRequestNumbers) {
  std::string scene = Scene(kPeers);
  scene.replace(scene.find("WinOS=41"), 8, "WinOS=21");
  Load(scene);
  ConnectHome();
  PEER_MAC_TABLE t;
  unsigned long returned = 0;
  EXPECT_EQ(0, PeerList(OID_BA_PEER_LIST, t, returned));
  ASSERT_EQ(1, PeerList(OID_BA_PEER_LIST_LEGACY, t, returned));
  EXPECT_EQ(3u, t.Count);
  ASSERT_EQ(1, Add(Request(kHome, 1, 32)));
  Delete(OID_BA_DELETE, Request(kHome, 1, 0));
  EXPECT_EQ(0x02, Table().Originator[0].TidBitmap);
  Delete(OID_BA_DELETE_LEGACY, Request(kHome, 1, 0));
  EXPECT_EQ(0, Table().Originator[0].TidBitmap);
}

TEST_F(SimBlockAck, AHostileCountClaimsMoreRowsThanTheLengthReturned) {
  Load(Scene(std::string(kPeers) + "PeerCount=4000\n"));
  PEER_MAC_TABLE t;
  unsigned long returned = 0;
  ASSERT_EQ(1, PeerList(OID_BA_PEER_LIST, t, returned));
  EXPECT_EQ(4000u, t.Count);
  EXPECT_EQ(4u + 2 * 12, returned);
}

TEST_F(SimBlockAck, AgreementsShowPerPeerAndDirectionWithTheirWindows) {
  Load(Scene(kPeers));
  ConnectHome();
  EXPECT_EQ(1, Add(Request(kHome, 0, 32)));
  EXPECT_EQ(1, Add(Request(kHome, 5, 200)));  // capped to 64
  EXPECT_EQ(1, Add(Request(kPeerB, 3, 16, true)));
  EXPECT_EQ(1, Add(Request(kHome, 0, 8)));    // the same TID again takes the new window
  BA_TABLE t = Table();
  EXPECT_EQ(1, t.OriginatorPresent);
  EXPECT_EQ(1, t.RecipientPresent);
  EXPECT_EQ(0, std::memcmp(t.Originator[0].MacAddr, kHome, 6));
  EXPECT_EQ(0x21, t.Originator[0].TidBitmap);
  EXPECT_EQ(8, t.Originator[0].TidValue[0]);
  EXPECT_EQ(64, t.Originator[0].TidValue[5]);
  EXPECT_EQ(0, t.Originator[1].TidBitmap);
  EXPECT_EQ(0, std::memcmp(t.Recipient[0].MacAddr, kPeerB, 6));
  EXPECT_EQ(0x08, t.Recipient[0].TidBitmap);
  EXPECT_EQ(16, t.Recipient[0].TidValue[3]);
  EXPECT_NE(std::string::npos, Journal().find("WVWL_AddIMMEBA(recipient 02:BB:00:00:00:02 tid=3 window=16 all=0) -> 1"));
}

TEST_F(SimBlockAck, RequestsTheDriverCannotTakeAreRefused) {
  Load(Scene(kPeers));
  const uint8_t zero[6] = {};
  const uint8_t stranger[6] = {0x02, 0xEE, 0, 0, 0, 9};
  struct Case { const char* name; BA_SESSION_REQUEST request; } cases[] = {
      {"TID above 7", Request(kPeerA, 8, 32)},
      {"window 0", Request(kPeerA, 1, 0)},
      {"zero address", Request(zero, 1, 32)},
      {"peer not in the list", Request(stranger, 1, 32)},
      {"access point while not connected", Request(kHome, 1, 32)},
  };
  for (const Case& c : cases) EXPECT_EQ(0, Add(c.request)) << c.name;
  const BA_TABLE t = Table();
  EXPECT_EQ(0, t.Originator[0].TidBitmap);
}

TEST_F(SimBlockAck, DeleteRemovesOneTidOrAllOfTheDirection) {
  Load(Scene(kPeers));
  for (int tid : {1, 2, 6}) ASSERT_EQ(1, Add(Request(kPeerA, tid, 32)));
  ASSERT_EQ(1, Add(Request(kPeerA, 2, 32, true)));
  EXPECT_EQ(1, Delete(OID_BA_DELETE, Request(kPeerA, 2, 0)));
  BA_TABLE t = Table();
  EXPECT_EQ(0x42, t.Originator[0].TidBitmap);
  EXPECT_EQ(0x04, t.Recipient[0].TidBitmap);
  EXPECT_NE(std::string::npos, Journal().find("block-ack delete originator 02:AA:00:00:00:01 tid=2 window=0 all=0 removed 1"));

  EXPECT_EQ(0, Delete(OID_BA_DELETE, Request(kPeerA, 0, 0, false, true), 13));  // short record
  EXPECT_EQ(1, Delete(OID_BA_DELETE, Request(kPeerA, 0, 0, false, true)));
  t = Table();
  EXPECT_EQ(0, t.Originator[0].TidBitmap);
  EXPECT_EQ(0x04, t.Recipient[0].TidBitmap);
}

TEST_F(SimBlockAck, AgreementsEndWithTheLinkOrWhenAggregationIsSetOff) {
  Load(Scene(kPeers));
  ConnectHome();
  ASSERT_EQ(1, Add(Request(kHome, 0, 32)));
  ASSERT_EQ(1, Add(Request(kPeerA, 0, 32)));
  ASSERT_EQ(1, Entry<PFN_WVWL_Disconnect>("WVWL_Disconnect")());
  BA_TABLE t = Table();
  EXPECT_EQ(0, std::memcmp(t.Originator[0].MacAddr, kPeerA, 6));
  EXPECT_EQ(0, t.Originator[1].TidBitmap);

  BA_CAP_SETTING off{32, 32, 2, 0, 0, 0, 3, 0};
  EXPECT_EQ(1, Entry<PFN_WVWL_SetBACap>("WVWL_SetBACap")(off));
  EXPECT_EQ(0, Table().Originator[0].TidBitmap);
  EXPECT_EQ(0, Add(Request(kPeerA, 0, 32)));
  EXPECT_NE(std::string::npos, Journal().find("WVWL_SetBACap(2020020000000300) -> 1"));
  BA_CAP_SETTING on = off;
  on.MpduAggregation = 1;
  Entry<PFN_WVWL_SetBACap>("WVWL_SetBACap")(on);
  EXPECT_EQ(1, Add(Request(kPeerA, 0, 32)));
}

TEST_F(SimBlockAck, PoliciesCapabilityAndCoexItemAreKeptAndJournalled) {
  Load();
  int v[4] = {7, 7, 7, 7};
  auto read = Entry<PFN_WVWL_ReadAckPolicy>("WVWL_ReadAckPolicy");
  EXPECT_EQ(0, read(&v[0], &v[1], &v[2], &v[3]));  // nothing written yet
  Entry<PFN_WVWL_WriteAckPolicy>("WVWL_WriteAckPolicy")(1, 0, 1, 0);
  Entry<PFN_WVWL_SetAckPolicy>("WVWL_SetAckPolicy")(1, 0, 1, 0);
  ASSERT_EQ(1, read(&v[0], &v[1], &v[2], &v[3]));
  EXPECT_EQ(1, v[0]);
  EXPECT_EQ(0, v[1]);
  EXPECT_EQ(1, v[2]);
  EXPECT_EQ(0, v[3]);

  Entry<PFN_WVWL_WriteBACap>("WVWL_WriteBACap")(0x01D22020);
  unsigned long word = 0;
  ASSERT_EQ(1, Entry<PFN_WVWL_ReadBACap>("WVWL_ReadBACap")(&word));
  EXPECT_EQ(0x01D22020u, word);

  char item[256] = "1x1 SS";
  EXPECT_EQ(1, Entry<PFN_WVWL_SetCoexMode>("WVWL_SetCoexMode")(item));
  const std::string journal = Journal();
  EXPECT_NE(std::string::npos, journal.find("WVWL_WriteAckPolicy(1 0 1 0) -> 1"));
  EXPECT_NE(std::string::npos, journal.find("WVWL_SetAckPolicy(1 0 1 0) -> 1"));
  EXPECT_NE(std::string::npos, journal.find("WVWL_WriteBACap(0x01D22020) -> 1"));
  EXPECT_NE(std::string::npos, journal.find("WVWL_SetCoexMode(1x1 SS) -> 1"));
}

}  // namespace
