// The simulated driver's Wi-Fi Display device table and its group owner's DHCP lease table.
#include "SimAdapterFixture.h"

#include "wlapi/records.h"

namespace simtest {
namespace {

std::string Devices(int count) {
  std::string text;
  for (int i = 0; i < count; ++i) {
    char mac[18];
    std::snprintf(mac, sizeof mac, "02:00:00:00:01:%02X", i);
    text += "[WDPDevice." + std::to_string(i) + "]\nMac=" + mac + "\n";
  }
  return text;
}

class SimWifiDisplay : public SimAdapter {
protected:
  std::string Command(const std::string& line) {
    char reply[256] = {};
    Control<int (*)(const char*, char*, int)>("SimCommand")(line.c_str(), reply, sizeof reply);
    return reply;
  }

  WDP_TABLE Table() {
    WDP_TABLE table;
    std::memset(&table, 0xEE, sizeof table);
    EXPECT_EQ(WVWL_ERROR_SUCCESS, Entry<PFN_WVWL_GetWDPTable>("WVWL_GetWDPTable")(&table));
    return table;
  }

  // The lease lookup's answer and the address it wrote ("-" when it left the buffer alone).
  std::pair<int, std::string> Lookup(const char* macText) {
    uint8_t mac[6] = {};
    unsigned v[6] = {};
    std::sscanf(macText, "%x:%x:%x:%x:%x:%x", &v[0], &v[1], &v[2], &v[3], &v[4], &v[5]);
    for (int i = 0; i < 6; ++i) mac[i] = static_cast<uint8_t>(v[i]);
    char address[64];
    std::memset(address, '-', sizeof address);
    const int found = Entry<PFN_WVWL_GetIPfromMACTableLookup>("WVWL_GetIPfromMACTableLookup")(mac, address);
    if (address[0] == '-') return {found, "-"};
    const void* end = std::memchr(address, 0, sizeof address);
    return {found, end ? std::string(address) : "(no terminator)"};
  }
};

// Start and ClientNumber are handed over as the scene writes them, hostile values included;
// the devices fill the ring from Start.
TEST_F(SimWifiDisplay, DeviceTableFromTheSceneKeepsItsCountsAndFillsTheRingFromStart) {
  struct Case {
    const char* name;
    std::string scene;
    int start, count;
    std::vector<int> filledSlots;  // in the order of the scene's devices
  };
  const Case cases[] = {
      {"wraps", "[WiFiDisplay]\nStart=28\n" + Devices(3), 28, 3, {28, 29, 0}},
      {"count from devices", "[WiFiDisplay]\n" + Devices(2), 0, 2, {0, 1}},
      {"at most 30 devices", "[WiFiDisplay]\nStart=5\n" + Devices(32), 5, 30, {5, 4}},
      {"hostile Start", "[WiFiDisplay]\nStart=45\n" + Devices(1), 45, 1, {15}},
      {"hostile ClientNumber", "[WiFiDisplay]\nClientNumber=200\n" + Devices(1), 0, 200, {0}},
      {"both hostile", "[WiFiDisplay]\nStart=255\nClientNumber=255\n", 255, 255, {}},
      {"beyond a byte", "[WiFiDisplay]\nStart=300\nClientNumber=999\n" + Devices(1), 0, 1, {0}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Load(std::string(kScene) + c.scene);
    Control<void (*)()>("SimJournalClear")();
    const WDP_TABLE table = Table();
    EXPECT_EQ(c.start, table.Start);
    EXPECT_EQ(c.count, table.ClientNumber);
    if (c.name == std::string("at most 30 devices")) {
      // devices 0..29 fill every slot once; the 31st and 32nd are left out
      EXPECT_EQ(0x00, table.Entry[5].DevMac[5]);
      EXPECT_EQ(29, table.Entry[4].DevMac[5]);
    } else {
      int filled = 0;
      for (const WDP_ENTRY& e : table.Entry) filled += e.DevMac[0] == 0x02;
      EXPECT_EQ(static_cast<int>(c.filledSlots.size()), filled);
      for (size_t i = 0; i < c.filledSlots.size(); ++i) {
        const WDP_ENTRY& e = table.Entry[c.filledSlots[i]];
        EXPECT_EQ(static_cast<int>(i), e.DevMac[5]) << "slot " << c.filledSlots[i];
        EXPECT_EQ(0x0011, e.DevInfo);
        EXPECT_EQ(7236, e.ControlPort);
      }
    }
    EXPECT_NE(std::string::npos, Journal().find("wdp table Start=" + std::to_string(c.start) +
                                                " ClientNumber=" + std::to_string(c.count)));
  }
}

TEST_F(SimWifiDisplay, DeviceTableFromThePipeIsTakenByteForByteAndBadOnesAreRefused) {
  Load(std::string(kScene) + "[WiFiDisplay]\nStart=1\n" + Devices(2));
  // Start 31, ClientNumber 255, slot 0 with a device address: the rest is zero-filled.
  EXPECT_EQ("ok\n", Command("wdptable 1FFF00AABBCCDDEEFF"));
  WDP_TABLE table = Table();
  EXPECT_EQ(31, table.Start);
  EXPECT_EQ(255, table.ClientNumber);
  EXPECT_EQ(0xAA, table.Entry[0].DevMac[0]);
  EXPECT_EQ(0xFF, table.Entry[0].DevMac[5]);
  EXPECT_EQ(0, table.Entry[1].DevMac[0]);
  EXPECT_EQ(0, table.Entry[29].TdlsMac[5]);

  const std::string full(2 * sizeof(WDP_TABLE), 'A');
  for (const std::string& bad : {std::string("wdptable"), std::string("wdptable XYZ"), std::string("wdptable 0"),
                                 "wdptable " + full + "AA"}) {
    SCOPED_TRACE(bad);
    EXPECT_EQ(0u, Command(bad).find("error")) << "accepted";
  }
  EXPECT_EQ("ok\n", Command("wdptable " + full));
  table = Table();
  EXPECT_EQ(0xAA, table.Start);
  EXPECT_EQ(0xAA, table.Entry[29].TdlsMac[5]);

  EXPECT_EQ(WVWL_ERROR_FAILURE, Entry<PFN_WVWL_GetWDPTable>("WVWL_GetWDPTable")(nullptr));
}

// The lease table fails the scene's number of lookups, whatever they ask, then answers.
TEST_F(SimWifiDisplay, LeaseTableFailsTheGivenNumberOfLookupsThenAnswers) {
  const std::string longIp(63, '9');
  Load(std::string(kScene) + "[WiFiDisplay]\nLeaseFailures=2\nLeases=02:50:F2:AA:00:01/192.168.137.2, "
                             "02:50:F2:AA:00:02/" + longIp + "\n");
  using Answer = std::pair<int, std::string>;
  const std::pair<const char*, Answer> lookups[] = {
      {"02:50:F2:AA:00:01", {0, "-"}},   // first failure
      {"02:50:F2:AA:00:09", {0, "-"}},   // second failure, an unknown device
      {"02:50:F2:AA:00:01", {1, "192.168.137.2"}},
      {"02:50:F2:AA:00:09", {0, "-"}},   // unknown: no lease
      {"02:50:F2:AA:00:02", {1, longIp}}, // the longest address fills the buffer with its terminator
      {"02:50:F2:AA:00:01", {1, "192.168.137.2"}},
  };
  for (const auto& [mac, answer] : lookups) {
    SCOPED_TRACE(mac);
    EXPECT_EQ(answer, Lookup(mac));
  }
  EXPECT_EQ(6, Control<int (*)(const char*)>("SimCallCount")("WVWL_GetIPfromMACTableLookup"));
  EXPECT_NE(std::string::npos, Journal().find("WVWL_GetIPfromMACTableLookup(0250F2AA0001)"));

  auto lookup = Entry<PFN_WVWL_GetIPfromMACTableLookup>("WVWL_GetIPfromMACTableLookup");
  char address[64];
  const uint8_t mac[6] = {0x02, 0x50, 0xF2, 0xAA, 0x00, 0x01};
  EXPECT_EQ(0, lookup(nullptr, address));
  EXPECT_EQ(0, lookup(mac, nullptr));
}

// A lease added through the pipe joins the scene's and starts its own count of failures.
TEST_F(SimWifiDisplay, LeaseFromThePipeJoinsTheSceneAndRestartsTheFailures) {
  Load(std::string(kScene) + "[WiFiDisplay]\nLeases=02:50:F2:AA:00:01/10.0.0.2\n");
  EXPECT_EQ(std::make_pair(1, std::string("10.0.0.2")), Lookup("02:50:F2:AA:00:01"));
  EXPECT_EQ("ok\n", Command("wdplease 02:50:F2:AA:00:05 10.0.0.5 1"));
  EXPECT_EQ(std::make_pair(0, std::string("-")), Lookup("02:50:F2:AA:00:05"));
  EXPECT_EQ(std::make_pair(1, std::string("10.0.0.5")), Lookup("02:50:F2:AA:00:05"));
  EXPECT_EQ(std::make_pair(1, std::string("10.0.0.2")), Lookup("02:50:F2:AA:00:01"));

  for (const std::string& bad : {std::string("wdplease zz 10.0.0.1"), std::string("wdplease 02:50:F2:AA:00:06 10.0.0.6 -1"),
                                 std::string("wdplease 02:50:F2:AA:00:06 10.0.0.6 x"),
                                 "wdplease 02:50:F2:AA:00:06 " + std::string(64, '1')}) {
    SCOPED_TRACE(bad);
    EXPECT_EQ(0u, Command(bad).find("error")) << "accepted";
  }
  EXPECT_EQ(std::make_pair(0, std::string("-")), Lookup("02:50:F2:AA:00:06"));
}

// A refused peer command leaves both addresses as they were.
TEST_F(SimWifiDisplay, PeerAddressesChangeWholeOrNotAtAll) {
  Load(std::string(kScene) + "[WiFiDisplay]\nPeerInterfaceMac=02:00:00:00:00:AA\nPeerDeviceMac=02:00:00:00:00:BB\n");
  const auto peer = [&](unsigned long request) {
    uint8_t mac[6] = {};
    unsigned long returned = 0;
    EXPECT_EQ(WVWL_ERROR_SUCCESS,
              Entry<PFN_WVWL_OIDQueryInfo>("WVWL_OIDQueryInfo")(request, mac, sizeof mac, &returned));
    return static_cast<int>(mac[5]);
  };
  EXPECT_EQ(0xAA, peer(OID_WDP_QUERY_PEER_IF_MAC));
  EXPECT_EQ(0xBB, peer(OID_WDP_QUERY_PEER_DEV_MAC));
  EXPECT_EQ("ok\n", Command("wdppeer 02:00:00:00:00:CC 02:00:00:00:00:DD"));
  EXPECT_EQ(0xCC, peer(OID_WDP_QUERY_PEER_IF_MAC));
  EXPECT_EQ(0xDD, peer(OID_WDP_QUERY_PEER_DEV_MAC));
  EXPECT_EQ(0u, Command("wdppeer 02:00:00:00:00:EE nope").find("error"));
  EXPECT_EQ(0xCC, peer(OID_WDP_QUERY_PEER_IF_MAC));
  EXPECT_EQ(0xDD, peer(OID_WDP_QUERY_PEER_DEV_MAC));
}

TEST_F(SimWifiDisplay, MalformedSceneItemsAreWarnedAbout) {
  Load(std::string(kScene) + "[WiFiDisplay]\nLeases=02:50:F2:AA:00:01\nPeerDeviceMac=nope\n"
                             "[WDPDevice.A]\nMac=02:00:00:00:01:00\nDevInfo=70000\nTdlsIP=1.2.3\n");
  const std::string journal = Journal();
  for (const char* warning : {"WiFiDisplay.Leases", "WiFiDisplay.PeerDeviceMac", "WDPDevice.A.DevInfo",
                              "WDPDevice.A.TdlsIP"}) {
    SCOPED_TRACE(warning);
    EXPECT_NE(std::string::npos, journal.find(std::string("scenario warning ") + warning));
  }
  const WDP_TABLE table = Table();
  EXPECT_EQ(0x0011, table.Entry[0].DevInfo);  // the default in place of the bad value
  EXPECT_EQ(std::make_pair(0, std::string("-")), Lookup("02:50:F2:AA:00:01"));
}

}  // namespace
}  // namespace simtest
