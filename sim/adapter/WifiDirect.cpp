#include "WifiDirect.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "Sim.h"
#include "WpsRun.h"
#include "wlapi/constants.h"
#include "wlapi/result.h"

namespace sim {

namespace {

constexpr DWORD kResignalMs = 500;
constexpr int kSocialChannels[3] = {1, 6, 11};

std::string MacText(const uint8_t* m) {
  char t[20];
  std::snprintf(t, sizeof t, "%02X-%02X-%02X-%02X-%02X-%02X", m[0], m[1], m[2], m[3], m[4], m[5]);
  return t;
}

bool IsZeroMac(const uint8_t* m) {
  static const uint8_t zero[6] = {};
  return std::memcmp(m, zero, 6) == 0;
}

void PutText(char* field, size_t width, uint32_t& length, const std::string& text) {
  const size_t n = std::min(text.size(), width);
  std::memcpy(field, text.data(), n);
  length = static_cast<uint32_t>(n);
}

WIFI_DIRECT_STATUS Event(uint8_t code) {
  WIFI_DIRECT_STATUS s{};
  s.WifiDirectStatus = code;
  return s;
}

P2pPeer ReadPeer(const IniDoc& doc, const std::string& sec, int index) {
  P2pPeer p;
  p.id = sec.substr(std::min<size_t>(sec.size(), 8));
  p.name = doc.Get(sec, "Name", p.id);
  p.mac = {0x02, 0x50, 0xF2, 0x00, 0x00, static_cast<uint8_t>(index)};
  ParseMac(doc.Get(sec, "MAC"), p.mac);
  p.category = static_cast<uint16_t>(doc.GetInt(sec, "Category", p.category));
  p.sub = static_cast<uint16_t>(doc.GetInt(sec, "SubCategory", p.sub));
  p.oui = static_cast<uint32_t>(doc.GetInt(sec, "OUI", p.oui));
  p.methods = static_cast<uint16_t>(doc.GetInt(sec, "ConfigMethods", p.methods));
  p.flags = static_cast<uint8_t>(doc.GetInt(sec, "Flags", p.flags));
  p.intent = static_cast<int>(std::clamp<long long>(doc.GetInt(sec, "Intent", p.intent), 0, 15));
  p.group = doc.Get(sec, "Group");
  p.role = doc.GetInt(sec, "Role", 2) == 1 ? 1 : 2;
  p.inRange = doc.GetInt(sec, "InRange", 1) != 0;
  p.persistRole = static_cast<int>(doc.GetInt(sec, "PersistentRole", 0));
  p.error = static_cast<int>(doc.GetInt(sec, "Error", 0));
  p.lostGroup = static_cast<int>(doc.GetInt(sec, "LostGroup", 0));
  p.channel = static_cast<int>(doc.GetInt(sec, "Channel", kSocialChannels[index % 3]));
  p.wpsMs = static_cast<int>(std::clamp<long long>(doc.GetInt(sec, "WpsTime", 0), 0, 120000));
  return p;
}

}  // namespace

P2p& P2p::Get() {
  static P2p instance;
  return instance;
}

void P2p::LoadLocked() {
  const std::string path = Sim().ScenarioCopy().path;
  if (loaded_ && path == scenarioPath_) return;
  loaded_ = true;
  scenarioPath_ = path;
  peers_.clear();
  IniDoc doc;
  if (!IniDoc::LoadFile(path, doc)) return;
  int index = 0;
  for (const IniDoc::Section* sec : doc.WithPrefix("P2PPeer.")) peers_.push_back(ReadPeer(doc, sec->name, ++index));
  supportLevel_ = static_cast<int>(doc.GetInt("WiFiDirect", "SupportLevel", -1));
  windowsProfiles_ = static_cast<int>(doc.GetInt("WiFiDirect", "AvailableWindowsProfiles", 0));
  defaultKey_ = doc.Get("WiFiDirect", "DefaultKey", defaultKey_);
}

// ---------------------------------------------------------------------------------------------
// Event pipeline: one record signalled at a time; the program's acknowledgement drops it once
// it was fetched.

int P2p::Init(HANDLE event) {
  std::lock_guard<std::mutex> lock(mu_);
  LoadLocked();
  if (event_) CloseHandle(event_);
  event_ = nullptr;
  if (event) DuplicateHandle(GetCurrentProcess(), event, GetCurrentProcess(), &event_, 0, FALSE, DUPLICATE_SAME_ACCESS);
  armed_ = event_ != nullptr;
  headQueried_ = false;
  EnsureTimer();
  SignalLocked();
  return WVWL_ERROR_SUCCESS;
}

void P2p::EnsureTimer() {
  if (timer_) return;
  timerStop_ = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  timer_ = CreateThread(nullptr, 0, TimerThread, this, 0, nullptr);
}

DWORD WINAPI P2p::TimerThread(void* self) {
  auto* p2p = static_cast<P2p*>(self);
  while (WaitForSingleObject(p2p->timerStop_, 100) == WAIT_TIMEOUT) p2p->Tick();
  return 0;
}

void P2p::Stop() {
  HANDLE thread = nullptr, stop = nullptr;
  {
    std::lock_guard<std::mutex> lock(mu_);
    std::swap(thread, timer_);
    std::swap(stop, timerStop_);
  }
  if (!thread) return;
  SetEvent(stop);
  WaitForSingleObject(thread, 5000);
  CloseHandle(thread);
  CloseHandle(stop);
}

// A head that nobody fetched is signalled again.
void P2p::Tick() {
  std::lock_guard<std::mutex> lock(mu_);
  if (armed_ && !queue_.empty() && !headQueried_ && GetTickCount64() - lastSignal_ >= kResignalMs) SignalLocked();
}

void P2p::SignalLocked() {
  if (!armed_ || !event_ || queue_.empty()) return;
  lastSignal_ = GetTickCount64();
  SetEvent(event_);
}

void P2p::QueueLocked(const WIFI_DIRECT_STATUS& s, size_t bytes) {
  if (queue_.size() >= kQueueLimit) {
    Sim().Journal("p2p event " + std::to_string(s.WifiDirectStatus) + " dropped: " + std::to_string(kQueueLimit) +
                  " records wait");
    return;
  }
  const auto* p = reinterpret_cast<const uint8_t*>(&s);
  queue_.emplace_back(p, p + std::min(bytes, sizeof s));
  Sim().Journal("p2p event " + std::to_string(s.WifiDirectStatus) + " queued");
  if (queue_.size() == 1) {
    headQueried_ = false;
    SignalLocked();
  }
}

void P2p::QueueRaw(const std::vector<uint8_t>& record) {
  std::lock_guard<std::mutex> lock(mu_);
  WIFI_DIRECT_STATUS s{};
  std::memcpy(&s, record.data(), std::min(record.size(), sizeof s));
  QueueLocked(s, record.size());
}

int P2p::Query(void* status) {
  DWORD delay;
  {
    std::lock_guard<std::mutex> lock(mu_);
    delay = fetchDelayMs_;
  }
  if (delay) Sleep(delay);
  std::lock_guard<std::mutex> lock(mu_);
  if (!status) return WVWL_ERROR_FAILURE;
  if (queue_.empty()) return WVWL_ERROR_FAILURE;
  const std::vector<uint8_t>& head = queue_.front();
  std::memcpy(status, head.data(), head.size());
  headQueried_ = true;
  return WVWL_ERROR_SUCCESS;
}

int P2p::Acknowledge(unsigned long value) {
  std::lock_guard<std::mutex> lock(mu_);
  if (value == 0) {
    armed_ = false;
    return WVWL_ERROR_SUCCESS;
  }
  if (queue_.empty() || !headQueried_) {
    Sim().Journal(std::string("p2p acknowledgement ignored: ") + (queue_.empty() ? "no record waits" : "the head was not fetched"));
    return WVWL_ERROR_FAILURE;
  }
  queue_.pop_front();
  headQueried_ = false;
  SignalLocked();
  return WVWL_ERROR_SUCCESS;
}

// ---------------------------------------------------------------------------------------------
// Tables

P2pPeer* P2p::FindLocked(const uint8_t* mac) {
  for (P2pPeer& p : peers_)
    if (std::memcmp(p.mac.data(), mac, 6) == 0) return &p;
  return nullptr;
}

Mac P2p::OwnMacLocked() {
  Mac mac{};
  OwnAddress(mac.data());
  return mac;
}

int P2p::SupportLevel() {
  std::lock_guard<std::mutex> lock(mu_);
  LoadLocked();
  if (supportLevel_ >= 0) return supportLevel_;
  return Sim().WithScenario([](const Scenario& s) { return s.supportWiFiDirect ? 1 : 0; });
}

int P2p::AvailableWindowsProfiles() {
  std::lock_guard<std::mutex> lock(mu_);
  LoadLocked();
  return windowsProfiles_;
}

// The address the program computes for itself: the Windows 8 entry's, or the adapter's with
// bit 0 of the last byte inverted in concurrent mode.
void P2p::OwnAddress(uint8_t* mac) {
  Mac m = Sim().SelectedMac();
  const int level = supportLevel_ >= 0 ? supportLevel_ : 1;
  if (level == 2) {
    m[0] |= 0x02;
  } else if (Sim().QueryOpMode() == 3) {
    m[5] ^= 1;
  }
  std::memcpy(mac, m.data(), 6);
}

void P2p::QueueGroupLocked() {
  WIFI_DIRECT_STATUS s = Event(WIFIDIRECTEVENT_STATUS_GROUP_UPDATE);
  WIFI_DIRECT_GROUP_TABLE& g = s.WifiDirectStateContext.Group;
  std::vector<WIFI_DIRECT_GROUP_ENTRY> entries;
  auto own = [&]() {
    WIFI_DIRECT_GROUP_ENTRY e{};
    e.nRule = myRole_ == 1 ? 1 : 2;
    const Mac mac = OwnMacLocked();
    std::memcpy(e.chMacAddr, mac.data(), 6);
    if (myRole_ == 1) e.EntryStatus = ENTRYSTATUS_GOREADY;
    std::memcpy(e.IpAddrs, ip_, 4);
    e.nPrimaryDeviceType = {0x0100, 0x04F25000, 0x0100};
    PutText(e.chDeviceName, sizeof e.chDeviceName, e.ulStringLen, Sim().Value("WiFiDirectDeviceName", "Wevo-Direct"));
    return e;
  };
  auto peer = [&](const P2pPeer& p, int rule) {
    WIFI_DIRECT_GROUP_ENTRY e{};
    e.nRule = static_cast<uint8_t>(rule);
    e.chDbm = -45;
    e.EntryStatus = 0;  // bit 0 marks a legacy (non Wi-Fi Direct) client
    std::memcpy(e.chMacAddr, p.mac.data(), 6);
    e.nPrimaryDeviceType = {p.category, p.oui, p.sub};
    PutText(e.chDeviceName, sizeof e.chDeviceName, e.ulStringLen, p.name);
    return e;
  };
  if (myRole_ == 2 && !members_.empty()) {
    if (const P2pPeer* owner = FindLocked(members_[0].data())) entries.push_back(peer(*owner, 1));
    entries.push_back(own());
  } else {
    entries.push_back(own());
    for (const Mac& m : members_)
      if (const P2pPeer* p = FindLocked(m.data())) entries.push_back(peer(*p, 2));
  }
  g.chNumOfGroup = static_cast<uint8_t>(std::min<size_t>(entries.size(), WIFI_DIRECT_MAX_ENTRIES));
  for (size_t i = 0; i < g.chNumOfGroup; ++i) g.WifiDirectGroup[i] = entries[i];
  QueueLocked(s);
}

// Lone peers and groups (owner first, then its members) that are in range and not ours.
void P2p::QueueDiscoveryLocked() {
  WIFI_DIRECT_STATUS s = Event(WIFIDIRECTEVENT_STATUS_UPDATE_DISCOVERY);
  WIFI_DIRECT_DISCOVERY_TABLE& d = s.WifiDirectStateContext.Discovery;
  auto ours = [&](const P2pPeer& p) {
    return std::find(members_.begin(), members_.end(), p.mac) != members_.end();
  };
  auto entry = [](const P2pPeer& p, uint8_t count, uint8_t rule) {
    WIFI_DIRECT_DISCOVERY_ENTRY e{};
    e.chNoOfThisGroup = count;
    e.nRule = rule;
    e.WiFiDirectFlags = p.flags;
    e.ConfigMethod = p.methods;
    std::memcpy(e.chMacAddr, p.mac.data(), 6);
    e.nPrimaryDeviceType = {p.category, p.oui, p.sub};
    PutText(e.chDeviceName, sizeof e.chDeviceName, e.ulStringLen, p.name);
    return e;
  };
  std::vector<WIFI_DIRECT_DISCOVERY_ENTRY> entries;
  for (const P2pPeer& p : peers_) {
    if (!p.inRange || ours(p)) continue;
    if (p.group.empty()) {
      entries.push_back(entry(p, 1, 2));
      continue;
    }
    if (p.role != 1) continue;
    std::vector<const P2pPeer*> members;
    for (const P2pPeer& q : peers_)
      if (&q != &p && q.inRange && q.group == p.group && !ours(q)) members.push_back(&q);
    entries.push_back(entry(p, static_cast<uint8_t>(members.size() + 1), 1));
    for (const P2pPeer* q : members) entries.push_back(entry(*q, 1, 3));
  }
  d.chTotalNumber = static_cast<uint8_t>(std::min<size_t>(entries.size(), WIFI_DIRECT_MAX_ENTRIES));
  for (size_t i = 0; i < d.chTotalNumber; ++i) d.DiscoveryEntry[i] = entries[i];
  QueueLocked(s);
}

void P2p::QueueErrorLocked(uint32_t code, uint32_t value, uint16_t methods) {
  WIFI_DIRECT_STATUS s = Event(WIFIDIRECTEVENT_ERROR_CODE);
  s.WifiDirectStateContext.Error.ErrorStatusCode = code;
  s.WifiDirectStateContext.Error.ulValue = value;
  s.WifiDirectStateContext.Error.ConfigMethod = methods;
  QueueLocked(s);
}

// "DIRECT-", two characters taken from the owner's address, then the owner's name; 32 at most.
std::string P2p::GroupSsid(const Mac& owner, const std::string& name) const {
  static const char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
  constexpr size_t kLetters = sizeof kAlphabet - 1;
  std::string ssid = "DIRECT-";
  ssid += kAlphabet[owner[5] % kLetters];
  ssid += kAlphabet[(owner[4] + owner[5] / kLetters) % kLetters];
  return (ssid + name).substr(0, 32);
}

std::string P2p::NewSsidLocked() {
  return GroupSsid(OwnMacLocked(), Sim().Value("WiFiDirectDeviceName", "Wevo-Direct"));
}

bool P2p::GroupChannel(const uint8_t* owner, int* channel) {
  std::lock_guard<std::mutex> lock(mu_);
  LoadLocked();
  if (!owner || !channel) return false;
  if (OwnMacLocked() == Mac{owner[0], owner[1], owner[2], owner[3], owner[4], owner[5]}) {
    *channel = ownChannel_;
    return true;
  }
  const P2pPeer* p = FindLocked(owner);
  if (!p) return false;
  *channel = p->channel;
  return true;
}

// ---------------------------------------------------------------------------------------------
// Exchanges

int P2p::SetConfig(const WIFIDIRECT_WPSE_PROFILE& r) {
  std::lock_guard<std::mutex> lock(mu_);
  LoadLocked();
  lastPin_ = P2pPinText(r);
  switch (r.ConfigMode) {
    case CONFIG_MODE_ENABLE:
      enabled_ = true;
      Sim().SetValue("WiFiDirectDeviceName", std::string(r.DeviceName, std::min<uint32_t>(r.DeviceNameLength, 32)));
      QueueGroupLocked();
      return WVWL_ERROR_SUCCESS;
    case CONFIG_MODE_DISCOVERY:
      QueueLocked(Event(WIFIDIRECTEVENT_DISCOVERY_START));
      QueueGroupLocked();
      QueueDiscoveryLocked();
      return WVWL_ERROR_SUCCESS;
    case CONFIG_MODE_DISCONNECT:
      LeaveLocked();
      return WVWL_ERROR_SUCCESS;
    case CONFIG_MODE_SET_GO_WPS:
    case CONFIG_MODE_SET_PASSPHRASE:
      if (r.SSIDLength) ssid_.assign(reinterpret_cast<const char*>(r.SSID), std::min<uint32_t>(r.SSIDLength, 32));
      if (r.KeyLength) key_.assign(reinterpret_cast<const char*>(r.Key), std::min<uint32_t>(r.KeyLength, 64));
      return WVWL_ERROR_SUCCESS;
    default:
      break;
  }
  if (r.ConfigMode != CONFIG_MODE_CONNECT && r.ConfigMode != CONFIG_MODE_PROVISION) return WVWL_ERROR_SUCCESS;

  const bool autonomous = r.ConfigMode == CONFIG_MODE_CONNECT && r.GoIntentIdx == GO_INTENT_AUTONOMOUS;
  if (autonomous) {
    myRole_ = 1;
    autonomous_ = true;
    ssid_ = NewSsidLocked();
    key_ = defaultKey_;
    QueueGroupLocked();
    QueueLocked(Event(WIFIDIRECTEVENT_ENABLE_DHCP_SERVER));
    QueueLocked(Event(WIFIDIRECTEVENT_CONNECT_COMPLETE));
    connected_ = true;
    return WVWL_ERROR_SUCCESS;
  }
  P2pPeer* peer = r.DesiredMacCount ? FindLocked(r.DesiredMacAddr[0]) : nullptr;
  if (!peer || !peer->inRange) {
    QueueErrorLocked(4);
    return WVWL_ERROR_SUCCESS;
  }
  if (r.ConfigMode == CONFIG_MODE_PROVISION) return WVWL_ERROR_SUCCESS;
  if (peer->error) {
    QueueErrorLocked(static_cast<uint32_t>(peer->error), 11, peer->methods);
    return WVWL_ERROR_SUCCESS;
  }
  // An invitation into the group we are part of.
  if (myRole_ != 0 && !members_.empty()) {
    members_.push_back(peer->mac);
    QueueGroupLocked();
    return WVWL_ERROR_SUCCESS;
  }
  if (r.SSIDLength && peer->persistRole) {
    ReinvokeLocked(r, *peer);
    return WVWL_ERROR_SUCCESS;
  }
  NegotiateLocked(r, *peer);
  return WVWL_ERROR_SUCCESS;
}

// Group-owner negotiation: the higher intent owns the group; both 15 fail with error 1.
void P2p::NegotiateLocked(const WIFIDIRECT_WPSE_PROFILE& r, P2pPeer& peer) {
  const int mine = static_cast<int>(std::min<uint32_t>(r.GoIntentIdx, 15));
  if (mine == 15 && peer.intent == 15) {
    QueueErrorLocked(1);
    return;
  }
  const int role = mine > peer.intent ? 1 : 2;
  ssid_ = role == 1 ? NewSsidLocked() : GroupSsid(peer.mac, peer.name);
  key_ = defaultKey_;
  WIFI_DIRECT_STATUS s = Event(WIFIDIRECTEVENT_STATUS_GO_NEGO_DONE);
  WIFI_DIRECT_GO_NEGO_DONE& n = s.WifiDirectStateContext.GoNegoDone;
  n.nMyRule = static_cast<uint8_t>(role);
  n.WpsMode = r.WpsMethod ? r.WpsMethod : WIFI_DIRECT_WPSE_PBC_MODE;
  std::memcpy(n.PIN, r.PIN, 8);
  PutText(reinterpret_cast<char*>(n.SSID), sizeof n.SSID, n.SSIDLength, ssid_);
  const Mac owner = role == 1 ? OwnMacLocked() : peer.mac;
  std::memcpy(n.chBssid, owner.data(), 6);
  QueueLocked(s);
  if (n.WpsMode == WIFI_DIRECT_WPSE_PIN_MODE_REGISTRA_SPEC) QueueLocked(Event(WIFIDIRECTEVENT_DISPLAY_PIN));
  awaitingWps_ = true;
  pendingPeer_ = peer.mac;
  pendingRole_ = role;
}

bool P2p::WpsStarted(const WPS_MODE& mode) {
  std::lock_guard<std::mutex> lock(mu_);
  (void)mode;
  if (!awaitingWps_) return false;
  awaitingWps_ = false;
  ++wpsRun_;
  const P2pPeer* peer = FindLocked(pendingPeer_.data());
  if (peer && peer->wpsMs > 0) {
    Sim().Journal("p2p wps with " + MacText(pendingPeer_.data()) + " takes " + std::to_string(peer->wpsMs) + " ms");
    auto* late = new LateWpsRun{this, wpsRun_, static_cast<DWORD>(peer->wpsMs)};
    if (HANDLE thread = CreateThread(nullptr, 0, LateWps, late, 0, nullptr)) {
      CloseHandle(thread);
      return true;
    }
    delete late;
  }
  QueueWpsDoneLocked();
  return true;
}

// The result of a slow peer's WPS exchange, unless Wi-Fi Direct went off or a newer exchange
// began meanwhile.
DWORD WINAPI P2p::LateWps(void* param) {
  const LateWpsRun late = *static_cast<LateWpsRun*>(param);
  delete static_cast<LateWpsRun*>(param);
  Sleep(late.wait);
  std::lock_guard<std::mutex> lock(late.p2p->mu_);
  if (late.p2p->enabled_ && late.run == late.p2p->wpsRun_) late.p2p->QueueWpsDoneLocked();
  return 0;
}

void P2p::QueueWpsDoneLocked() {
  WIFI_DIRECT_STATUS s = Event(WIFIDIRECTEVENT_STATUS_WPS_DONE);
  WIFI_DIRECT_WPS_DONE& w = s.WifiDirectStateContext.WpsDone;
  w.bIsPersistent = Sim().IntValue("P2PPersist", 1) ? 1 : 0;
  w.WpsDoneContent.bValid = 1;
  w.WpsDoneContent.nMyRule = static_cast<uint8_t>(pendingRole_);
  std::memcpy(w.WpsDoneContent.chPeerMacAddr, pendingPeer_.data(), 6);
  PutText(reinterpret_cast<char*>(w.WpsDoneContent.SSID), 32, w.WpsDoneContent.SSIDLength, ssid_);
  PutText(reinterpret_cast<char*>(w.WpsDoneContent.Key), 64, w.WpsDoneContent.KeyLength, key_);
  QueueLocked(s);
}

int P2p::ConnectWps(unsigned long persistent, const WIFI_DIRECT_WPS_DONE_CONTENT& done) {
  std::lock_guard<std::mutex> lock(mu_);
  P2pPeer* peer = FindLocked(done.chPeerMacAddr);
  if (!done.bValid || !peer) return WVWL_ERROR_FAILURE;
  JoinLocked(peer, done.nMyRule == 1 ? 1 : 2, persistent != 0);
  return WVWL_ERROR_SUCCESS;
}

// A saved group re-invoked without WPS, unless the peer has lost it.
void P2p::ReinvokeLocked(const WIFIDIRECT_WPSE_PROFILE& r, P2pPeer& peer) {
  if (peer.lostGroup == WIFIDIRECTEVENT_PERSISTENT_CONNT_FAIL) {
    WIFI_DIRECT_STATUS s = Event(WIFIDIRECTEVENT_PERSISTENT_CONNT_FAIL);
    std::memcpy(s.WifiDirectStateContext.PersistentFail.chMacAddr, peer.mac.data(), 6);
    QueueLocked(s);
    return;
  }
  if (peer.lostGroup) {
    QueueErrorLocked(P2P_ERRCODE_PEER_WITHOUT_PERSISTENT_TABLE);
    return;
  }
  ssid_.assign(reinterpret_cast<const char*>(r.SSID), std::min<uint32_t>(r.SSIDLength, 32));
  key_.assign(reinterpret_cast<const char*>(r.Key), std::min<uint32_t>(r.KeyLength, 64));
  JoinLocked(&peer, peer.persistRole == 1 ? 1 : 2, true);
}

void P2p::JoinLocked(P2pPeer* peer, int myRole, bool persistent) {
  myRole_ = myRole;
  if (std::find(members_.begin(), members_.end(), peer->mac) == members_.end()) {
    if (myRole == 2)
      members_.insert(members_.begin(), peer->mac);
    else
      members_.push_back(peer->mac);
  }
  if (persistent) peer->persistRole = myRole;
  const Mac own = OwnMacLocked();
  ip_[0] = 192, ip_[1] = 168, ip_[2] = 137, ip_[3] = myRole == 1 ? 1 : static_cast<uint8_t>(100 + own[5] % 100);
  dhcpServer_[0] = 192, dhcpServer_[1] = 168, dhcpServer_[2] = 137, dhcpServer_[3] = 1;
  QueueGroupLocked();
  if (myRole == 1) QueueLocked(Event(WIFIDIRECTEVENT_ENABLE_DHCP_SERVER));
  QueueLocked(Event(WIFIDIRECTEVENT_CONNECT_COMPLETE));
  connected_ = true;
  if (myRole == 2)
    if (HWND w = Sim().InitialWindow()) PostMessageA(w, MSG_CONNECT_COMPLETE, 0, 0);
}

void P2p::LeaveLocked() {
  ++wpsRun_;
  if (myRole_ == 1 && !members_.empty()) QueueLocked(Event(WIFIDIRECTEVENT_DISABLE_DHCP_SERVER));
  const bool hadGroup = !members_.empty() || autonomous_;
  members_.clear();
  myRole_ = 0;
  autonomous_ = false;
  connected_ = false;
  std::memset(ip_, 0, 4);
  if (hadGroup) QueueLocked(Event(WIFIDIRECTEVENT_DISCONNECT));
  QueueGroupLocked();
}

int P2p::DisconnectDevice(const uint8_t* mac) {
  std::lock_guard<std::mutex> lock(mu_);
  if (!mac || IsZeroMac(mac)) return WVWL_ERROR_SUCCESS;
  if (std::memcmp(pendingPeer_.data(), mac, 6) == 0) ++wpsRun_;  // a WPS exchange still running stops
  auto it = std::find_if(members_.begin(), members_.end(), [&](const Mac& m) { return std::memcmp(m.data(), mac, 6) == 0; });
  if (it == members_.end()) return WVWL_ERROR_SUCCESS;
  if (myRole_ == 2) {
    members_.clear();
    myRole_ = 0;
    connected_ = false;
    std::memset(ip_, 0, 4);
    QueueLocked(Event(WIFIDIRECTEVENT_DISCONNECT));
  } else {
    members_.erase(it);
    EndOwnGroupIfEmptyLocked();
  }
  QueueGroupLocked();
  return WVWL_ERROR_SUCCESS;
}

// A negotiated group ends with its last client: this device is no longer owner and has no link.
// An autonomous owner keeps its group.
void P2p::EndOwnGroupIfEmptyLocked() {
  if (myRole_ != 1 || autonomous_ || !members_.empty()) return;
  QueueLocked(Event(WIFIDIRECTEVENT_DISABLE_DHCP_SERVER));
  myRole_ = 0;
  connected_ = false;
  std::memset(ip_, 0, 4);
  QueueLocked(Event(WIFIDIRECTEVENT_DISCONNECT));
}

int P2p::Disable() {
  std::lock_guard<std::mutex> lock(mu_);
  enabled_ = false;
  members_.clear();
  myRole_ = 0;
  autonomous_ = false;
  connected_ = false;
  awaitingWps_ = false;
  ++wpsRun_;
  std::memset(ip_, 0, 4);
  queue_.clear();
  return WVWL_ERROR_SUCCESS;
}

void P2p::RemovePeerLocked(const Mac& mac, bool manual) {
  auto it = std::find(members_.begin(), members_.end(), mac);
  if (it != members_.end()) {
    const bool owner = myRole_ == 2 && it == members_.begin();
    if (owner) {
      // out of range: the link is lost; a manual leave names the peer (event 26)
      if (manual) {
        WIFI_DIRECT_STATUS s = Event(WIFIDIRECTEVENT_DISCONNECT_MANUAL);
        std::memcpy(s.WifiDirectStateContext.DisconnectManual.chMacAddr, mac.data(), 6);
        QueueLocked(s);
      } else {
        QueueLocked(Event(WIFIDIRECTEVENT_DISCONNECT));
      }
      members_.clear();
      myRole_ = 0;
      connected_ = false;
      std::memset(ip_, 0, 4);
    } else {
      members_.erase(it);
      EndOwnGroupIfEmptyLocked();
    }
  }
  if (enabled_) {
    QueueGroupLocked();
    QueueDiscoveryLocked();
  }
}

// ---------------------------------------------------------------------------------------------
// Addresses, persistent entries, capability map

int P2p::GetIp(WIFI_DIRECT_IP_INFO& info) {
  std::lock_guard<std::mutex> lock(mu_);
  std::memset(&info, 0, sizeof info);
  if (!connected_ || (ip_[0] | ip_[1] | ip_[2] | ip_[3]) == 0) return WVWL_ERROR_WIFIDIRECT_NO_IP;
  std::memcpy(info.OwnAddress, ip_, 4);
  std::memcpy(info.DhcpServerAddress, dhcpServer_, 4);
  return WVWL_ERROR_SUCCESS;
}

int P2p::SetIp(const uint8_t* ip) {
  std::lock_guard<std::mutex> lock(mu_);
  if (!ip || (ip[0] | ip[1] | ip[2] | ip[3]) == 0) return WVWL_ERROR_FAILURE;
  std::memcpy(ip_, ip, 4);
  ipAccepted_ = true;
  return WVWL_ERROR_SUCCESS;
}

int P2p::ReadPersistEntry(uint8_t* entry, const uint8_t* mac) {
  std::lock_guard<std::mutex> lock(mu_);
  LoadLocked();
  if (!entry || !mac) return WVWL_ERROR_FAILURE;
  std::memset(entry, 0, 132);
  const P2pPeer* p = FindLocked(mac);
  if (!p || !p->persistRole) return WVWL_ERROR_FAILURE;
  entry[1] = static_cast<uint8_t>(p->persistRole);
  std::memcpy(entry + 2, p->mac.data(), 6);
  return WVWL_ERROR_SUCCESS;
}

int P2p::DeletePersistEntry(const uint8_t* mac) {
  std::lock_guard<std::mutex> lock(mu_);
  P2pPeer* p = mac ? FindLocked(mac) : nullptr;
  if (!p || !p->persistRole) return WVWL_ERROR_FAILURE;
  p->persistRole = 0;
  return WVWL_ERROR_SUCCESS;
}

// Push button 0x0080, keypad 0x0100 (a registrar PIN) and display 0x0008 (a PIN of the user);
// any other method maps to nothing.
int P2p::CapabilityMap(uint16_t methods) const {
  uint32_t map = 0;
  if (methods & 0x0080) map |= WIFI_DIRECT_WPSE_PBC_MODE;
  if (methods & 0x0100) map |= WIFI_DIRECT_WPSE_PIN_MODE_REGISTRA_SPEC;
  if (methods & 0x0008) map |= WIFI_DIRECT_WPSE_PIN_MODE_USER_SPEC;
  return static_cast<int>(map);
}

// ---------------------------------------------------------------------------------------------
// Control: p2p add NAME MAC [KEY=VALUE...] | p2p remove MAC (out of range) | p2p leave MAC
//          (leaves our group by hand) | p2p return MAC | p2p request MAC
//          | p2p error CODE [VALUE [METHODS]] | p2p event CODE | p2p queue | p2p disarm
//          | p2p delay MS (each query waits before it fetches)
//          | p2p pin (the PIN bytes of the last configuration written; the journal masks them)

std::string P2p::Command(const std::vector<std::string>& t) {
  std::lock_guard<std::mutex> lock(mu_);
  LoadLocked();
  if (t.size() < 2) return "error: p2p add|remove|return|request|error|event|queue|disarm|delay|pin\n";
  const std::string& what = t[1];
  Mac mac{};
  if (EqualNoCase(what, "pin")) return lastPin_ + "\n";
  if (EqualNoCase(what, "queue")) return std::to_string(queue_.size()) + (armed_ ? " armed\n" : " disarmed\n");
  if (EqualNoCase(what, "disarm")) {
    armed_ = false;
    return "ok\n";
  }
  long long ms = 0;
  if (EqualNoCase(what, "delay") && t.size() == 3 && ParseInt(t[2], ms) && ms >= 0 && ms <= 60000) {
    fetchDelayMs_ = static_cast<DWORD>(ms);
    return "ok\n";
  }
  if (EqualNoCase(what, "add") && t.size() >= 4 && ParseMac(t[3], mac)) {
    IniDoc doc;
    doc.Set("P2PPeer.x", "Name", t[2]);
    doc.Set("P2PPeer.x", "MAC", t[3]);
    for (size_t i = 4; i < t.size(); ++i) {
      const size_t eq = t[i].find('=');
      if (eq == std::string::npos) return "error: KEY=VALUE\n";
      doc.Set("P2PPeer.x", t[i].substr(0, eq), t[i].substr(eq + 1));
    }
    P2pPeer p = ReadPeer(doc, "P2PPeer.x", 0);
    p.id = t[2];
    if (P2pPeer* old = FindLocked(mac.data())) *old = p;
    else peers_.push_back(p);
    if (enabled_) {
      QueueGroupLocked();
      QueueDiscoveryLocked();
    }
    return "ok\n";
  }
  if (EqualNoCase(what, "leave") && t.size() == 3 && ParseMac(t[2], mac)) {
    if (!FindLocked(mac.data())) return "error: no such peer\n";
    RemovePeerLocked(mac, true);
    return "ok\n";
  }
  if ((EqualNoCase(what, "remove") || EqualNoCase(what, "return")) && t.size() == 3 && ParseMac(t[2], mac)) {
    P2pPeer* p = FindLocked(mac.data());
    if (!p) return "error: no such peer\n";
    const bool back = EqualNoCase(what, "return");
    p->inRange = back;
    if (back) {
      if (enabled_) {
        QueueGroupLocked();
        QueueDiscoveryLocked();
      }
    } else {
      RemovePeerLocked(mac, false);
    }
    return "ok\n";
  }
  if (EqualNoCase(what, "request") && t.size() == 3 && ParseMac(t[2], mac)) {
    const P2pPeer* p = FindLocked(mac.data());
    if (!p) return "error: no such peer\n";
    WIFI_DIRECT_STATUS s = Event(autonomous_ ? WIFIDIRECTEVENT_POPUP_SETTING_WINDOWS_FOR_AUTOGO : WIFIDIRECTEVENT_POPUP_SETTING_WINDOWS);
    WIFI_DIRECT_CONNECT_REQUEST& c = s.WifiDirectStateContext.ConnectRequest;
    PutText(c.chDeviceName, sizeof c.chDeviceName, c.ulStringLen, p->name);
    std::memcpy(c.chMacAddr, p->mac.data(), 6);
    c.ConfigMethod = p->methods;
    QueueLocked(s);
    return "ok\n";
  }
  long long a = 0, b = 0, c = 0;
  if (EqualNoCase(what, "error") && t.size() >= 3 && ParseInt(t[2], a) && (t.size() < 4 || ParseInt(t[3], b)) &&
      (t.size() < 5 || ParseInt(t[4], c))) {
    QueueErrorLocked(static_cast<uint32_t>(a), static_cast<uint32_t>(b), static_cast<uint16_t>(c));
    return "ok\n";
  }
  if (EqualNoCase(what, "event") && t.size() == 3 && ParseInt(t[2], a)) {
    QueueLocked(Event(static_cast<uint8_t>(a)));
    return "ok\n";
  }
  return "error: p2p add NAME MAC [KEY=VALUE...] | remove MAC | return MAC | request MAC | error CODE [VALUE [METHODS]] | event CODE | queue | disarm | delay MS | pin\n";
}

std::string P2pPinText(const WIFIDIRECT_WPSE_PROFILE& r) {
  const char* pin = reinterpret_cast<const char*>(r.PIN);
  return std::string(pin, strnlen(pin, sizeof r.PIN));
}

// The PIN is a secret: the journal shows its shape only.
std::string P2pProfileText(const WIFIDIRECT_WPSE_PROFILE* r) {
  if (!r) return "null";
  const std::string pin = P2pPinText(*r);
  char t[160];
  std::snprintf(t, sizeof t, "mode=%u intent=%u method=0x%08X pin=%s peer=%s", r->ConfigMode, r->GoIntentIdx,
                r->WpsMethod, pin.empty() ? "" : PinShape(pin).c_str(),
                r->DesiredMacCount ? MacText(r->DesiredMacAddr[0]).c_str() : "none");
  std::string text = t;
  text += " ssid=" + std::string(reinterpret_cast<const char*>(r->SSID), std::min<uint32_t>(r->SSIDLength, 32));
  text += " key=" + std::string(r->KeyLength ? "***" : "");
  return text;
}

std::string P2pMacText(const uint8_t* mac) { return mac ? MacText(mac) : "null"; }

}  // namespace sim
