#include "BlockAck.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <map>
#include <mutex>
#include <vector>

#include "EntrySupport.h"

namespace sim {

namespace {

struct Agreement {
  bool recipient = false;
  Mac peer{};
  int tid = 0;
  int window = 0;
};

// One adapter's agreements and the capability last set on it; not kept across restarts.
struct AdapterBlockAck {
  std::vector<Agreement> agreements;
  BA_CAP_SETTING setting{};
};

std::mutex g_mu;
std::map<Mac, AdapterBlockAck> g_adapters;

// The selected adapter's block-ack state; g_mu held. The address is read before the lock.
AdapterBlockAck& OwnLocked(const Mac& adapter) {
  return g_adapters[adapter];
}

constexpr int kMaxWindow = 64;

bool IsZero(const Mac& mac) {
  return std::all_of(mac.begin(), mac.end(), [](uint8_t b) { return b == 0; });
}

// The peers the driver knows now: the scenario's, then the connected access point.
std::vector<Mac> Peers() {
  std::vector<Mac> peers;
  bool withAp = false;
  Sim().WithScenario([&](const Scenario& s) {
    peers = s.baPeers;
    withAp = s.baConnectedAp;
    return 0;
  });
  Mac ap{};
  if (withAp && Sim().ConnectedBssid(ap.data()) && std::find(peers.begin(), peers.end(), ap) == peers.end())
    peers.push_back(ap);
  return peers;
}

bool Known(const std::vector<Mac>& peers, const Mac& mac) {
  return std::find(peers.begin(), peers.end(), mac) != peers.end();
}

// Agreements with peers that left the list (the link went down) end.
void PruneLocked(std::vector<Agreement>& agreements, const std::vector<Mac>& peers) {
  agreements.erase(std::remove_if(agreements.begin(), agreements.end(),
                                  [&](const Agreement& a) { return !Known(peers, a.peer); }),
                   agreements.end());
}

size_t PeerCountLocked(const std::vector<Agreement>& agreements, bool recipient) {
  std::vector<Mac> seen;
  for (const Agreement& a : agreements)
    if (a.recipient == recipient && !Known(seen, a.peer)) seen.push_back(a.peer);
  return seen.size();
}

bool AggregationOff(const AdapterBlockAck& own) {
  return own.setting.MpduAggregation == 2;
}

void FillDirection(const std::vector<Agreement>& agreements, bool recipient, BA_TABLE_ENTRY* entries) {
  int used = 0;
  for (const Agreement& a : agreements) {
    if (a.recipient != recipient) continue;
    int at = 0;
    while (at < used && std::memcmp(entries[at].MacAddr, a.peer.data(), 6) != 0) ++at;
    if (at == used) {
      if (used == BA_TABLE_MAX_ENTRIES) continue;
      std::memcpy(entries[at].MacAddr, a.peer.data(), 6);
      ++used;
    }
    entries[at].TidBitmap = static_cast<uint8_t>(entries[at].TidBitmap | (1u << a.tid));
    entries[at].TidValue[a.tid] = static_cast<uint8_t>(a.window);
  }
}

int WinOs() {
  return static_cast<int>(Cfg([](const Scenario& s) { return s.winOS; }));
}

}  // namespace

unsigned long BaPeerListRequest() {
  return WinOs() >= 31 ? 0xFF0C0029ul : 0x0D71010Bul;
}

unsigned long BaDeleteRequest() {
  return WinOs() >= 31 ? 0xFF8C0027ul : 0x0DF1013Aul;
}

std::string BaRequestText(const BA_SESSION_REQUEST& r) {
  char text[96];
  std::snprintf(text, sizeof text, "%s %02X:%02X:%02X:%02X:%02X:%02X tid=%u window=%u all=%u",
                r.bRecipient ? "recipient" : "originator", r.MacAddr[0], r.MacAddr[1], r.MacAddr[2], r.MacAddr[3],
                r.MacAddr[4], r.MacAddr[5], r.TID, r.WindowSize, r.AllTid);
  return text;
}

std::string BaCapText(const BA_CAP_SETTING& c) {
  return HexText(reinterpret_cast<const uint8_t*>(&c), sizeof c);
}

int BaAdd(const BA_SESSION_REQUEST& r) {
  Mac peer{};
  std::memcpy(peer.data(), r.MacAddr, 6);
  if (r.TID > 7 || r.WindowSize == 0 || IsZero(peer)) return WVWL_ERROR_FAILURE;
  const std::vector<Mac> peers = Peers();
  if (!Known(peers, peer)) return WVWL_ERROR_FAILURE;
  const Mac adapter = Sim().SelectedMac();
  std::lock_guard<std::mutex> lock(g_mu);
  AdapterBlockAck& own = OwnLocked(adapter);
  if (AggregationOff(own)) return WVWL_ERROR_FAILURE;
  std::vector<Agreement>& agreements = own.agreements;
  PruneLocked(agreements, peers);
  const bool recipient = r.bRecipient != 0;
  auto same = std::find_if(agreements.begin(), agreements.end(), [&](const Agreement& a) {
    return a.recipient == recipient && a.peer == peer && a.tid == r.TID;
  });
  const int window = std::min<int>(r.WindowSize, kMaxWindow);
  if (same != agreements.end()) {
    same->window = window;
    return WVWL_ERROR_SUCCESS;
  }
  const bool newPeer = std::none_of(agreements.begin(), agreements.end(), [&](const Agreement& a) {
    return a.recipient == recipient && a.peer == peer;
  });
  if (newPeer && PeerCountLocked(agreements, recipient) >= size_t(BA_TABLE_MAX_ENTRIES)) return WVWL_ERROR_FAILURE;
  agreements.push_back(Agreement{recipient, peer, r.TID, window});
  return WVWL_ERROR_SUCCESS;
}

int BaDelete(const void* data, unsigned long length) {
  if (!data || length != sizeof(BA_SESSION_REQUEST)) return WVWL_ERROR_FAILURE;
  BA_SESSION_REQUEST r;
  std::memcpy(&r, data, sizeof r);
  if (!r.AllTid && r.TID > 7) return WVWL_ERROR_FAILURE;
  Mac peer{};
  std::memcpy(peer.data(), r.MacAddr, 6);
  const Mac adapter = Sim().SelectedMac();
  size_t removed = 0;
  {
    std::lock_guard<std::mutex> lock(g_mu);
    std::vector<Agreement>& agreements = OwnLocked(adapter).agreements;
    const size_t before = agreements.size();
    agreements.erase(std::remove_if(agreements.begin(), agreements.end(),
                                    [&](const Agreement& a) {
                                      return a.recipient == (r.bRecipient != 0) && a.peer == peer &&
                                             (r.AllTid || a.tid == r.TID);
                                    }),
                     agreements.end());
    removed = before - agreements.size();
  }
  Sim().Journal("block-ack delete " + BaRequestText(r) + " removed " + std::to_string(removed));
  return WVWL_ERROR_SUCCESS;
}

int BaTable(BA_TABLE* table) {
  if (!table) return WVWL_ERROR_FAILURE;
  const std::vector<Mac> peers = Peers();
  const bool ht = Cfg([](const Scenario& s) { return s.support11n; }) != 0;
  std::memset(table, 0, sizeof *table);
  if (!ht) return WVWL_ERROR_FAILURE;
  const Mac adapter = Sim().SelectedMac();
  std::lock_guard<std::mutex> lock(g_mu);
  std::vector<Agreement>& agreements = OwnLocked(adapter).agreements;
  PruneLocked(agreements, peers);
  FillDirection(agreements, false, table->Originator);
  FillDirection(agreements, true, table->Recipient);
  table->OriginatorPresent = 1;
  table->RecipientPresent = 1;
  return WVWL_ERROR_SUCCESS;
}

int BaPeerList(void* buffer, unsigned long length, unsigned long* returned) {
  if (returned) *returned = 0;
  if (!buffer || length < 4) return WVWL_ERROR_FAILURE;
  const std::vector<Mac> peers = Peers();
  long long claimed = Cfg([](const Scenario& s) { return s.baPeerCount; });
  if (claimed < 0) claimed = static_cast<long long>(peers.size());
  std::memset(buffer, 0, length);
  auto* bytes = static_cast<uint8_t*>(buffer);
  const uint32_t count = static_cast<uint32_t>(claimed);
  std::memcpy(bytes, &count, 4);
  const size_t fit = std::min<size_t>((length - 4) / sizeof(PEER_MAC_ROW), PEER_MAC_TABLE_MAX_ROWS);
  const size_t rows = std::min(fit, peers.size());
  for (size_t i = 0; i < rows; ++i) std::memcpy(bytes + 4 + i * sizeof(PEER_MAC_ROW), peers[i].data(), 6);
  if (returned) *returned = static_cast<unsigned long>(4 + rows * sizeof(PEER_MAC_ROW));
  return WVWL_ERROR_SUCCESS;
}

int BaSetCap(const BA_CAP_SETTING& setting) {
  if (setting.MpduAggregation != 1 && setting.MpduAggregation != 2) return WVWL_ERROR_FAILURE;
  const Mac adapter = Sim().SelectedMac();
  std::lock_guard<std::mutex> lock(g_mu);
  AdapterBlockAck& own = OwnLocked(adapter);
  own.setting = setting;
  if (setting.MpduAggregation == 2) own.agreements.clear();
  return WVWL_ERROR_SUCCESS;
}

int BaQueryCap(BA_CAP_SETTING* setting) {
  if (!setting) return WVWL_ERROR_FAILURE;
  const Mac adapter = Sim().SelectedMac();
  std::lock_guard<std::mutex> lock(g_mu);
  *setting = OwnLocked(adapter).setting;
  return WVWL_ERROR_SUCCESS;
}

void BaReset() {
  std::lock_guard<std::mutex> lock(g_mu);
  g_adapters.clear();
}

}  // namespace sim
