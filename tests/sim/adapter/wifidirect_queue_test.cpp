// The simulated driver's queue of Wi-Fi Direct status records: one record signalled at a time,
// fetched by the query, dropped only by the acknowledgement of a fetched record, signalled
// again while nobody fetches it, and bounded.
#include "SimAdapterFixture.h"

#include <cstring>
#include <string>

#include "wifidirect/WiFiDirectRecords.h"

namespace simtest {
namespace {

class SimWifiDirectQueue : public SimAdapter {
protected:
  void SetUp() override {
    SimAdapter::SetUp();
    Load();
    event_ = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    ASSERT_EQ(WVWL_ERROR_SUCCESS, Entry<PFN_WVWL_InitWifiDirect>("WVWL_InitWifiDirect")(event_));
  }
  void TearDown() override {
    Close();
    CloseHandle(event_);
    SimAdapter::TearDown();
  }

  std::string Command(const std::string& line) {
    char reply[512] = {};
    Control<int (*)(const char*, char*, int)>("SimCommand")(line.c_str(), reply, sizeof reply);
    return reply;
  }
  void Queue(int code) { ASSERT_EQ("ok\n", Command("p2p event " + std::to_string(code))); }
  // The code of the record the query fetched, -1 when it fetched none.
  int Fetch() {
    WIFI_DIRECT_STATUS s{};
    s.WifiDirectStatus = 0xEE;
    if (Entry<PFN_WVWL_QueryWifiDirectStatus>("WVWL_QueryWifiDirectStatus")(&s) != WVWL_ERROR_SUCCESS) return -1;
    return s.WifiDirectStatus;
  }
  int Acknowledge(uint32_t value = 1) {
    return Entry<PFN_WVWL_OIDSetInfo>("WVWL_OIDSetInfo")(SET_P2P_EVENT_READY_NEW, &value, sizeof value);
  }
  int Waiting() { return std::stoi(Command("p2p queue")); }
  bool Signalled(DWORD ms) { return WaitForSingleObject(event_, ms) == WAIT_OBJECT_0; }
  int JournalCount(const std::string& part) {
    const std::string journal = Journal();
    int count = 0;
    for (size_t at = journal.find(part); at != std::string::npos; at = journal.find(part, at + 1)) ++count;
    return count;
  }

  HANDLE event_ = nullptr;
};

// Fetching twice gives the same head; each acknowledgement of a fetched head drops it and
// signals the next; the records come in the order they were queued.
TEST_F(SimWifiDirectQueue, FetchedHeadsAreAcknowledgedInOrder) {
  for (int code : {6, 3, 22}) Queue(code);
  std::vector<int> handled;
  for (int i = 0; i < 3; ++i) {
    ASSERT_TRUE(Signalled(2000)) << i;
    const int code = Fetch();
    EXPECT_EQ(code, Fetch()) << "a second query fetches the same head";
    EXPECT_EQ(WVWL_ERROR_SUCCESS, Acknowledge());
    handled.push_back(code);
  }
  EXPECT_EQ(handled, (std::vector<int>{6, 3, 22}));
  EXPECT_EQ(0, Waiting());
  EXPECT_EQ(-1, Fetch());
}

// An acknowledgement of a head nobody fetched, or of an empty queue, drops nothing.
TEST_F(SimWifiDirectQueue, AcknowledgementWithoutAFetchDropsNothing) {
  EXPECT_EQ(WVWL_ERROR_FAILURE, Acknowledge());
  EXPECT_EQ(1, JournalCount("p2p acknowledgement ignored: no record waits"));
  Queue(6);
  Queue(2);
  EXPECT_EQ(WVWL_ERROR_FAILURE, Acknowledge());
  EXPECT_EQ(1, JournalCount("p2p acknowledgement ignored: the head was not fetched"));
  EXPECT_EQ(2, Waiting());
  EXPECT_EQ(6, Fetch());
  EXPECT_EQ(WVWL_ERROR_SUCCESS, Acknowledge());
  // the next head is new: it is not acknowledged by the one before it
  EXPECT_EQ(WVWL_ERROR_FAILURE, Acknowledge());
  EXPECT_EQ(2, Fetch());
  EXPECT_EQ(WVWL_ERROR_SUCCESS, Acknowledge());
  EXPECT_EQ(0, Waiting());
}

// A head nobody fetched is signalled again after half a second; a fetched one is not, and
// nothing is signalled while disarmed.
TEST_F(SimWifiDirectQueue, AnUnfetchedHeadIsSignalledAgain) {
  Queue(6);
  ASSERT_TRUE(Signalled(2000));
  const ULONGLONG start = GetTickCount64();
  ASSERT_TRUE(Signalled(3000)) << "no second signal";
  EXPECT_GE(GetTickCount64() - start, 350u);
  ASSERT_EQ(6, Fetch());
  EXPECT_FALSE(Signalled(1200)) << "a fetched head was signalled again";
  ASSERT_EQ(WVWL_ERROR_SUCCESS, Acknowledge());
  Queue(2);
  ASSERT_TRUE(Signalled(2000));
  EXPECT_EQ(WVWL_ERROR_SUCCESS, Acknowledge(0));
  EXPECT_FALSE(Signalled(1200)) << "signalled while disarmed";
  EXPECT_EQ(1, Waiting());
}

// At most the limit waits; what comes beyond is dropped and journalled, and the kept records
// are the first ones in their order.
TEST_F(SimWifiDirectQueue, TheQueueIsBoundedAndDropsAreJournalled) {
  const int limit = 64;
  for (int i = 0; i < limit + 3; ++i) Queue(1 + i % 26);
  EXPECT_EQ(limit, Waiting());
  EXPECT_EQ(3, JournalCount(" dropped: 64 records wait"));
  EXPECT_EQ(1, JournalCount("p2p event " + std::to_string(1 + limit % 26) + " dropped"));
  for (int i = 0; i < limit; ++i) {
    ASSERT_EQ(1 + i % 26, Fetch()) << i;
    ASSERT_EQ(WVWL_ERROR_SUCCESS, Acknowledge()) << i;
  }
  EXPECT_EQ(0, Waiting());
  Queue(9);
  EXPECT_EQ(1, Waiting());
}

// A delayed query leaves the head unfetched meanwhile, so it is signalled again.
TEST_F(SimWifiDirectQueue, ADelayedFetchWaitsAndTheHeadIsSignalledMeanwhile) {
  ASSERT_EQ("ok\n", Command("p2p delay 800"));
  EXPECT_EQ(0u, Command("p2p delay -1").rfind("error", 0));
  Queue(6);
  ASSERT_TRUE(Signalled(2000));
  const ULONGLONG start = GetTickCount64();
  EXPECT_EQ(6, Fetch());
  EXPECT_GE(GetTickCount64() - start, 750u);
  EXPECT_TRUE(Signalled(0)) << "no second signal during the slow fetch";
}

// A configuration's PIN is a secret: the journal shows its shape, "p2p pin" the bytes written.
TEST_F(SimWifiDirectQueue, ThePinIsMaskedInTheJournalAndKeptForQueries) {
  const struct {
    std::string pin;
    const char* shape;
  } cases[] = {{"12345670", "pin=len=8 checksum=ok"},
               {"01234567", "pin=len=8 checksum=bad"},
               {"\xFF\xFF\xFF\xFF" "4821", "pin=len=8 not-digits"},
               {"", "pin= peer="}};
  for (const auto& c : cases) {
    WIFIDIRECT_WPSE_PROFILE r{};
    r.ConfigMode = CONFIG_MODE_DISCOVERY;
    std::memcpy(r.PIN, c.pin.data(), c.pin.size());
    ASSERT_EQ(WVWL_ERROR_SUCCESS, Entry<PFN_WVWL_SetWifiDirectWpseConfig>("WVWL_SetWifiDirectWpseConfig")(&r));
    const std::string journal = Journal();
    const size_t line = journal.rfind("WVWL_SetWifiDirectWpseConfig(");
    ASSERT_NE(line, std::string::npos);
    const std::string text = journal.substr(line, journal.find('\n', line) - line);
    EXPECT_NE(text.find(c.shape), std::string::npos) << text;
    if (!c.pin.empty()) {
      EXPECT_EQ(text.find(c.pin.substr(4)), std::string::npos) << text;
    }
    EXPECT_EQ(c.pin + "\n", Command("p2p pin"));
  }
}

}  // namespace
}  // namespace simtest
