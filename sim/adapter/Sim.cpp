#include "Sim.h"

#include "BlockAck.h"

#include <dbt.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>

#include "BlockAck.h"
#include "BssList.h"
#include "Ies.h"
#include "Psk.h"
#include "wlapi/constants.h"
#include "wlapi/entries.h"
#include "wlapi/result.h"

namespace sim {

namespace {

// The certificate check of a WAPI-certificate profile, asked of the certificate library when
// the program has loaded it. Automatic mode needs a certificate in the library; manual mode
// needs both identities, the user identity one the library holds.
bool WapiCertAccepted(const WLANPROFILE& p) {
  HMODULE library = GetModuleHandleA("ZeZuveZud.dll");
  auto getCert = library ? reinterpret_cast<PFN_ZeZuveZud_GetCert>(
                               reinterpret_cast<void*>(GetProcAddress(library, "ZeZuveZud_GetCert")))
                         : nullptr;
  auto certIndex = library ? reinterpret_cast<PFN_ZeZuveZud_GetCertIndex>(
                                 reinterpret_cast<void*>(GetProcAddress(library, "ZeZuveZud_GetCertIndex")))
                           : nullptr;
  if (p.nWapiCertMode == 0) {
    if (!getCert) return false;
    auto store = std::make_unique<WAPI_CERT_STORE>();
    return getCert(store.get()) == 1 && store->nCount > 0;
  }
  if (p.WapiUserIdentity.Length == 0 || p.WapiASIdentity.Length == 0) return false;
  if (!certIndex) return true;
  WAPI_ID_BUFFER id{};
  id.Length = p.WapiUserIdentity.Length;
  std::memcpy(id.Data, p.WapiUserIdentity.Data, sizeof id.Data);
  return certIndex(nullptr, &id) >= 0;
}

constexpr size_t kJournalLimit = 50000;
const GUID kNdisLanClass = {0xAD498944, 0x762F, 0x11D0, {0x8D, 0xCB, 0x00, 0xC0, 0x4F, 0xC3, 0x35, 0x8C}};

std::string OwnFolder() {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(OwnModule(), path, MAX_PATH);
  std::string s = path;
  size_t slash = s.find_last_of("\\/");
  return slash == std::string::npos ? std::string(".") : s.substr(0, slash);
}

bool FileExists(const std::string& path) {
  DWORD a = GetFileAttributesA(path.c_str());
  return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

bool IsAbsolute(const std::string& p) {
  return (p.size() > 1 && p[1] == ':') || (!p.empty() && (p[0] == '\\' || p[0] == '/'));
}

std::string EnvText(const char* name) {
  char buf[1024] = {};
  DWORD n = GetEnvironmentVariableA(name, buf, sizeof buf);
  return n > 0 && n < sizeof buf ? std::string(buf, n) : std::string();
}

// A scenario named by path, by file name in the scenarios folder, or by bare name.
std::string ResolveScenario(const std::string& name) {
  std::string folder = OwnFolder();
  if (name.empty()) return folder + "\\scenarios\\default.ini";
  if (FileExists(name)) return name;
  const std::string candidates[] = {folder + "\\scenarios\\" + name, folder + "\\scenarios\\" + name + ".ini",
                                    folder + "\\" + name};
  for (const std::string& c : candidates)
    if (FileExists(c)) return c;
  return name;
}

std::string FieldText(const char* field, size_t size) {
  size_t n = 0;
  while (n < size && field[n]) ++n;
  return std::string(field, n);
}

void CopyText(char* field, size_t size, const std::string& text, bool terminate) {
  std::memset(field, 0, size);
  size_t n = std::min(text.size(), terminate ? size - 1 : size);
  std::memcpy(field, text.data(), n);
}

bool IsHexText(const std::string& s) {
  return !s.empty() && std::all_of(s.begin(), s.end(), [](char c) { return std::isxdigit(static_cast<unsigned char>(c)); });
}

// A WEP key as bytes: 10, 26 or 32 hexadecimal digits, else the characters themselves.
std::string WepKeyBytes(const std::string& key) {
  std::vector<uint8_t> bytes;
  bool hexLength = key.size() == 10 || key.size() == 26 || key.size() == 32;
  if (hexLength && IsHexText(key) && ParseHex(key, bytes)) return std::string(bytes.begin(), bytes.end());
  return key;
}

std::string SsidText(const NDIS_802_11_SSID& ssid) {
  size_t n = std::min<size_t>(ssid.SsidLength, 32);
  return std::string(reinterpret_cast<const char*>(ssid.Ssid), n);
}

int RssiPercent(long rssi) {
  if (rssi >= -50) return 100;
  if (rssi <= -100) return 0;
  return static_cast<int>(2 * (rssi + 100));
}

// TLS, and PEAP with TLS inside, authenticate with a client certificate instead of a password.
bool UsesClientCert(const WLANPROFILE& p) {
  return p.enumAuthenProtocol == 1 || (p.enumAuthenProtocol == 0 && p.enumTunnel == 13);
}

bool Is5GHzMode(int mode) { return mode == 2 || mode == 3 || mode == 5 || mode == 8 || mode == 11; }
bool Is24GHzMode(int mode) { return mode != 2 && mode != 8; }

void AddRange(std::vector<uint8_t>& out, int from, int to, int step) {
  for (int c = from; c <= to; c += step) out.push_back(static_cast<uint8_t>(c));
}

double DerivedRate(const Network& n) {
  if (n.txRate > 0) return n.txRate;
  int streams = n.chains >= 2 ? 2 : 1;
  if (n.vht) return 433.3 * streams;
  if (n.ht) return (n.Is5GHz() ? 150.0 : 72.2) * streams;
  int best = 0;
  for (uint8_t r : n.rates) best = std::max(best, r & 0x7F);
  return best / 2.0;
}

std::string DecodeHexText(const std::string& hex) {
  std::vector<uint8_t> bytes;
  if (!ParseHex(hex, bytes)) return "";
  return std::string(bytes.begin(), bytes.end());
}

}  // namespace

Simulator& Simulator::Get() {
  static Simulator* instance = new Simulator();   // never destroyed: threads may outlive statics
  return *instance;
}

// ---------------------------------------------------------------------------------------------
// Scenario and state

void Simulator::EnsureLoaded() {
  std::lock_guard<std::mutex> lock(mu_);
  if (loaded_) return;
  Scenario sc;
  std::string error;
  std::string path = ResolveScenario(EnvText("WEVO_SCENARIO"));
  if (!sim::LoadScenario(path, sc, error)) {
    sc = BuiltInScenario();
    sc.warnings.push_back(error);
  }
  LoadLocked(sc);
}

bool Simulator::LoadScenario(const std::string& path, std::string& error) {
  Scenario sc;
  if (!sim::LoadScenario(ResolveScenario(path), sc, error)) return false;
  BaReset();
  std::lock_guard<std::mutex> lock(mu_);
  LoadLocked(sc);
  return true;
}

void Simulator::LoadLocked(const Scenario& sc) {
  std::string selectedKey;
  if (const AdapterDef* a = SelectedLocked()) selectedKey = a->devDesc + "|" + a->text128;
  sc_ = sc;
  loaded_ = true;
  link_.generation++;
  link_.phase = Link::Phase::Idle;
  link_.linkStatusCode = 1;
  lastList_.assign(4, 0);
  selected_ = -1;
  for (size_t i = 0; i < sc_.adapters.size(); ++i)
    if (sc_.adapters[i].devDesc + "|" + sc_.adapters[i].text128 == selectedKey) selected_ = static_cast<int>(i);
  hwRadio_ = sc_.hwRadio;
  swRadio_ = sc_.swRadio;
  opMode_ = sc_.opMode;
  storedOpMode_ = sc_.storedOpMode;
  goActive_ = false;
  notReadyDirect_ = sc_.initWifiDirectNotReady;
  notReadyDisplay_ = sc_.initWifiDisplayNotReady;
  {
    std::lock_guard<std::mutex> jl(journalMu_);
    injections_ = sc_.injections;
    calls_.clear();
    journal_.push_back("scenario " + sc_.path);
    for (const std::string& w : sc_.warnings) journal_.push_back("scenario warning " + w);
  }
  LoadStateLocked();
}

void Simulator::SetStatePath(const std::string& path) {
  std::lock_guard<std::mutex> lock(mu_);
  statePathForced_ = true;
  forcedStatePath_ = path;
  LoadStateLocked();
}

std::string Simulator::StatePath() {
  std::lock_guard<std::mutex> lock(mu_);
  return statePath_;
}

void Simulator::LoadStateLocked() {
  std::string path = statePathForced_ ? forcedStatePath_ : EnvText("WEVO_SIM_STATE");
  if (path.empty()) path = sc_.stateFile;
  if (path.empty()) path = "VoZEZIV.state.ini";
  if (!EqualNoCase(path, "none") && !IsAbsolute(path)) path = OwnFolder() + "\\" + path;
  statePath_ = path;
  state_ = IniDoc();
  if (!EqualNoCase(path, "none")) IniDoc::LoadFile(path, state_);
  swRadio_ = state_.GetInt("Values", "SoftwareRadio", swRadio_) != 0;
  opMode_ = static_cast<int>(state_.GetInt("Values", "OpMode", opMode_));
  storedOpMode_ = static_cast<int>(state_.GetInt("Values", "StoredOpMode", storedOpMode_));
}

void Simulator::ChangeStateLocked(const std::function<void(IniDoc&)>& change) {
  change(state_);
  if (EqualNoCase(statePath_, "none")) return;
  // Applied to the file as it is now, so that another instance's changes are kept.
  IniDoc disk;
  if (!IniDoc::LoadFile(statePath_, disk)) disk = state_;
  else change(disk);
  if (!disk.SaveFile(statePath_)) {
    std::lock_guard<std::mutex> jl(journalMu_);
    journal_.push_back("state file not written: " + statePath_);
  }
}

void Simulator::SetStateValueLocked(const std::string& section, const std::string& key, const std::string& value) {
  if (state_.Has(section, key) && state_.Get(section, key) == value) return;
  ChangeStateLocked([&](IniDoc& doc) { doc.Set(section, key, value); });
}

void Simulator::Shutdown() { engine_.Stop(); }

Scenario Simulator::ScenarioCopy() {
  std::lock_guard<std::mutex> lock(mu_);
  return sc_;
}

// ---------------------------------------------------------------------------------------------
// Journal and injections

bool Simulator::TakeInjection(const char* entry, long long& result) {
  EnsureLoaded();
  std::lock_guard<std::mutex> lock(journalMu_);
  long long n = ++calls_[entry];
  for (const Injection& inj : injections_)
    if (inj.entry == entry && (inj.call == 0 || inj.call == n)) {
      result = inj.result;
      return true;
    }
  return false;
}

void Simulator::Journal(const std::string& line) {
  std::lock_guard<std::mutex> lock(journalMu_);
  journal_.push_back(line);
  if (journal_.size() > kJournalLimit) journal_.pop_front();
}

std::string Simulator::JournalText() {
  std::lock_guard<std::mutex> lock(journalMu_);
  std::string s;
  for (const std::string& line : journal_) s += line + "\n";
  return s;
}

void Simulator::ClearJournal() {
  std::lock_guard<std::mutex> lock(journalMu_);
  journal_.clear();
}

long long Simulator::CallCount(const std::string& entry) {
  std::lock_guard<std::mutex> lock(journalMu_);
  auto it = calls_.find(entry);
  return it == calls_.end() ? 0 : it->second;
}

void Simulator::Inject(const std::string& entry, long long call, long long result) {
  EnsureLoaded();
  std::lock_guard<std::mutex> lock(journalMu_);
  // A later injection for the same call replaces the earlier one.
  injections_.erase(std::remove_if(injections_.begin(), injections_.end(),
                                   [&](const Injection& i) { return i.entry == entry && i.call == call; }),
                    injections_.end());
  injections_.insert(injections_.begin(), Injection{entry, call, result});
}

// ---------------------------------------------------------------------------------------------
// Adapters

const AdapterDef* Simulator::SelectedLocked() const {
  if (selected_ < 0 || selected_ >= static_cast<int>(sc_.adapters.size())) return nullptr;
  return &sc_.adapters[selected_];
}

bool Simulator::AdapterReadyLocked() const {
  const AdapterDef* a = SelectedLocked();
  return a && a->present;
}

void Simulator::FillAdapterRecord(const AdapterDef& a, WLAN_ADAPTER& rec) const {
  std::memset(&rec, 0, sizeof rec);
  bool term = !a.unterminated;
  CopyText(rec.DevDesc, sizeof rec.DevDesc, a.devDesc, term);
  CopyText(rec.HardwareID, sizeof rec.HardwareID, a.hardwareId, term);
  CopyText(rec.Text128, sizeof rec.Text128, a.text128, term);
  CopyText(rec.Text392, sizeof rec.Text392, a.text392, term);
  CopyText(rec.LocationInfo, sizeof rec.LocationInfo, a.location, term);
  CopyText(rec.Manufactory, sizeof rec.Manufactory, a.manufacturer, term);
  rec.nAdapterKind = a.kind;
}

int Simulator::GetAvailableAdapters(void* buffer, int capacity) {
  std::lock_guard<std::mutex> lock(mu_);
  std::vector<const AdapterDef*> present;
  for (const AdapterDef& a : sc_.adapters)
    if (a.present) present.push_back(&a);
  uint32_t claimed = static_cast<uint32_t>(present.size() + sc_.adapterCountExtra);
  if (!buffer) return WVWL_ERROR_FAILURE;
  auto* words = static_cast<uint32_t*>(buffer);
  if (capacity < 0 || static_cast<size_t>(capacity) < present.size() + sc_.adapterCountExtra) {
    words[0] = claimed;
    return WVWL_ERROR_BUFFER_TOO_SMALL;
  }
  words[0] = claimed;
  auto* records = reinterpret_cast<WLAN_ADAPTER*>(static_cast<uint8_t*>(buffer) + 4);
  for (size_t i = 0; i < present.size(); ++i) FillAdapterRecord(*present[i], records[i]);
  return WVWL_ERROR_SUCCESS;
}

int Simulator::AdapterSelect(const WLAN_ADAPTER* adapter, RS_CALLBACK_FUNC callback, HWND appWindow) {
  std::lock_guard<std::mutex> lock(mu_);
  if (!adapter) return WVWL_ERROR_FAILURE;
  std::string desc = FieldText(adapter->DevDesc, sizeof adapter->DevDesc);
  std::string id = FieldText(adapter->Text128, sizeof adapter->Text128);
  for (size_t i = 0; i < sc_.adapters.size(); ++i) {
    WLAN_ADAPTER rec;
    FillAdapterRecord(sc_.adapters[i], rec);
    if (!sc_.adapters[i].present || desc.empty()) continue;
    if (FieldText(rec.DevDesc, sizeof rec.DevDesc) != desc) continue;
    if (!id.empty() && FieldText(rec.Text128, sizeof rec.Text128) != id) continue;
    selected_ = static_cast<int>(i);
    callback_ = callback;
    appWindow_ = appWindow;
    return WVWL_ERROR_SUCCESS;
  }
  return WVWL_ERROR_FAILURE;
}

int Simulator::IsDeviceExist(const WLAN_ADAPTER* adapter) {
  std::lock_guard<std::mutex> lock(mu_);
  if (!adapter) return 0;
  std::string desc = FieldText(adapter->DevDesc, sizeof adapter->DevDesc);
  std::string id = FieldText(adapter->Text128, sizeof adapter->Text128);
  if (desc.empty()) return 0;
  for (const AdapterDef& a : sc_.adapters) {
    WLAN_ADAPTER rec;
    FillAdapterRecord(a, rec);
    if (a.present && FieldText(rec.DevDesc, sizeof rec.DevDesc) == desc &&
        (id.empty() || FieldText(rec.Text128, sizeof rec.Text128) == id))
      return 1;
  }
  return 0;
}

int Simulator::PlugAdapter(int index, bool present) {
  {
    std::lock_guard<std::mutex> lock(mu_);
    if (index < 1 || index > static_cast<int>(sc_.adapters.size())) return 0;
    AdapterDef& a = sc_.adapters[index - 1];
    if (a.present == present) return 1;
    a.present = present;
    if (!present && selected_ == index - 1) {
      link_.generation++;
      link_.phase = Link::Phase::Idle;
      link_.linkStatusCode = 1;
      lastList_.assign(4, 0);
    }
  }
  Journal(std::string(present ? "plug " : "unplug ") + std::to_string(index));
  NotifyDeviceChange(present);
  return 1;
}

void Simulator::NotifyDeviceChange(bool arrival) {
  engine_.Schedule(0, [this, arrival] {
    HWND window;
    {
      std::lock_guard<std::mutex> lock(mu_);
      window = window_;
    }
    if (!window || !IsWindow(window)) {
      Journal("device change not sent: no window");
      return;
    }
    DEV_BROADCAST_DEVICEINTERFACE_A notice = {};
    notice.dbcc_size = sizeof notice;
    notice.dbcc_devicetype = DBT_DEVTYP_DEVICEINTERFACE;
    notice.dbcc_classguid = kNdisLanClass;
    WPARAM event = arrival ? DBT_DEVICEARRIVAL : DBT_DEVICEREMOVECOMPLETE;
    DWORD_PTR answer = 0;
    SendMessageTimeoutA(window, WM_DEVICECHANGE, event, reinterpret_cast<LPARAM>(&notice), SMTO_NORMAL, 5000, &answer);
    Journal(std::string("sent WM_DEVICECHANGE ") + (arrival ? "DBT_DEVICEARRIVAL" : "DBT_DEVICEREMOVECOMPLETE"));
  });
}

AdapterDef Simulator::SelectedAdapter() {
  std::lock_guard<std::mutex> lock(mu_);
  const AdapterDef* a = SelectedLocked();
  return a ? *a : AdapterDef();
}

const Mac Simulator::SelectedMac() {
  std::lock_guard<std::mutex> lock(mu_);
  const AdapterDef* a = SelectedLocked();
  return a ? a->mac : Mac{};
}

std::string Simulator::DriverPath() {
  std::lock_guard<std::mutex> lock(mu_);
  if (!sc_.driverPath.empty()) return sc_.driverPath;
  char path[MAX_PATH] = {};
  GetModuleFileNameA(OwnModule(), path, MAX_PATH);
  return path;
}

// ---------------------------------------------------------------------------------------------
// Life

int Simulator::Initial(HWND window) {
  std::lock_guard<std::mutex> lock(mu_);
  window_ = window;
  return WVWL_ERROR_SUCCESS;
}

int Simulator::DeInitial() {
  {
    std::lock_guard<std::mutex> lock(mu_);
    window_ = nullptr;
    callback_ = nullptr;
    link_.generation++;
  }
  engine_.Stop();
  return WVWL_ERROR_SUCCESS;
}

// ---------------------------------------------------------------------------------------------
// Channels and scans

int Simulator::WirelessModeLocked() const {
  int derived = sc_.wirelessMode;
  if (derived < 0) {
    if (sc_.channelMode == 0) derived = sc_.support11n ? 9 : 0;
    else if (sc_.channelMode == 2) derived = sc_.support11n ? 8 : 2;
    else derived = sc_.support11ac ? 11 : sc_.support11n ? 5 : 3;
  }
  return static_cast<int>(state_.GetInt("Values", StoredKeyLocked("Values", "WirelessMode", false), derived));
}

std::vector<uint8_t> Simulator::AllowedChannelsLocked(int mode) const {
  std::vector<uint8_t> out;
  int bg = static_cast<int>(state_.GetInt("Values", StoredKeyLocked("Values", "CountryRegion", false), sc_.countryRegion)) & 0x7F;
  int a = static_cast<int>(state_.GetInt("Values", StoredKeyLocked("Values", "CountryRegionABand", false), sc_.countryRegionA)) & 0x7F;
  if (Is24GHzMode(mode) && sc_.channelMode != 2) {
    switch (bg) {
      case 0: AddRange(out, 1, 11, 1); break;
      case 1: AddRange(out, 1, 13, 1); break;
      case 2: AddRange(out, 10, 11, 1); break;
      case 3: AddRange(out, 10, 13, 1); break;
      case 4: AddRange(out, 14, 14, 1); break;
      case 6: AddRange(out, 3, 9, 1); break;
      case 7: AddRange(out, 5, 13, 1); break;
      default: AddRange(out, 1, 14, 1); break;
    }
  }
  if (Is5GHzMode(mode) && sc_.channelMode != 0) {
    switch (a) {
      case 0: AddRange(out, 36, 64, 4); AddRange(out, 149, 165, 4); break;
      case 1: AddRange(out, 36, 64, 4); AddRange(out, 100, 140, 4); break;
      case 2: AddRange(out, 36, 64, 4); break;
      case 3: AddRange(out, 52, 64, 4); AddRange(out, 149, 161, 4); break;
      case 4: AddRange(out, 149, 165, 4); break;
      case 5: AddRange(out, 149, 161, 4); break;
      case 6: AddRange(out, 36, 48, 4); break;
      default: AddRange(out, 36, 64, 4); AddRange(out, 100, 140, 4); AddRange(out, 149, 165, 4); break;
    }
  }
  if (out.size() > 64) out.resize(64);
  return out;
}

int Simulator::Channels(int wirelessMode, unsigned char* channels64, int* count) {
  std::lock_guard<std::mutex> lock(mu_);
  if (!channels64 || !count) return WVWL_ERROR_FAILURE;
  std::vector<uint8_t> ch = AllowedChannelsLocked(wirelessMode);
  std::memcpy(channels64, ch.data(), ch.size());
  *count = static_cast<int>(ch.size());
  return WVWL_ERROR_SUCCESS;
}

std::vector<const Network*> Simulator::VisibleLocked() const {
  std::vector<const Network*> out;
  std::vector<uint8_t> allowed = AllowedChannelsLocked(WirelessModeLocked());
  for (const Network& n : sc_.networks) {
    if (!n.inRange) continue;
    int ch = n.Channel();
    if (ch < 0 || std::find(allowed.begin(), allowed.end(), static_cast<uint8_t>(ch)) == allowed.end()) continue;
    out.push_back(&n);
  }
  return out;
}

int Simulator::Scan(SCAN_FINISHED_FUNC finished) {
  std::lock_guard<std::mutex> lock(mu_);
  if (!AdapterReadyLocked() || !RadioOnLocked() || opMode_ == OP_MODE_AP) return WVWL_ERROR_FAILURE;
  engine_.Schedule(static_cast<DWORD>(sc_.scanTimeMs), [this, finished] {
    {
      std::lock_guard<std::mutex> inner(mu_);
      if (AdapterReadyLocked() && RadioOnLocked())
        lastList_ = BuildList(VisibleLocked(), sc_.listCountExtra, sc_.listPadBytes);
    }
    Journal("scan complete");
    if (finished) finished();
  });
  return WVWL_ERROR_SUCCESS;
}

void Simulator::FlushScanList() {
  std::lock_guard<std::mutex> lock(mu_);
  lastList_.assign(4, 0);
}

int Simulator::QueryList(NDIS_802_11_BSSID_LIST_EX* list, unsigned long* size) {
  std::lock_guard<std::mutex> lock(mu_);
  if (!size || !AdapterReadyLocked()) return WVWL_ERROR_FAILURE;
  unsigned long needed = static_cast<unsigned long>(lastList_.size());
  if (!list || *size < needed) {
    *size = needed;
    return WVWL_ERROR_BUFFER_TOO_SMALL;
  }
  std::memcpy(list, lastList_.data(), needed);
  *size = needed;
  return WVWL_ERROR_SUCCESS;
}

// ---------------------------------------------------------------------------------------------
// Connection

ConnectOutcome Simulator::EvaluateLocked(const WLANPROFILE& p, const Network*& target) const {
  target = nullptr;
  std::string ssid = SsidText(p.SSID);
  static const uint8_t zero[6] = {};
  bool byBssid = p.bBssid && std::memcmp(p.BSSID, zero, 6) != 0;
  for (const Network* n : VisibleLocked()) {
    if (byBssid && std::memcmp(n->bssid.data(), p.BSSID, 6) != 0) continue;
    if ((!byBssid || !ssid.empty()) && n->ssid != ssid) continue;
    if (!target || n->rssi > target->rssi) target = n;
  }
  if (!target) return ConnectOutcome::NoNetwork;
  const Network& n = *target;
  if (p.enumNetworkType <= 1 && p.enumNetworkType != n.infrastructure) return ConnectOutcome::Mismatch;

  uint32_t auth = p.enumAuthenMode;
  uint32_t enc = p.enumEncryStatus == 10 ? 4 : p.enumEncryStatus == 11 ? 6 : p.enumEncryStatus;
  auto cipherOk = [&] {
    return (enc == 4 && (n.ciphers & kCipherTkip)) || (enc == 6 && (n.ciphers & kCipherAes));
  };
  auto pskOk = [&] {
    std::string key(p.chPskKey, std::min<size_t>(p.nPskKeyLen, sizeof p.chPskKey));
    if (!n.key.empty() && EqualNoCase(key, n.key)) return true;
    if (key.size() == 64 && IsHexText(key)) {
      uint8_t psk[32];
      return !n.passphrase.empty() && DerivePsk(n.passphrase, n.ssid, psk) && EqualNoCase(key, HexText(psk, 32));
    }
    return !n.passphrase.empty() && key == n.passphrase;
  };
  auto certOk = [&] {
    if (!p.bClientCert || p.user_cert.BlobLength == 0 || p.user_cert.BlobLength > sizeof p.user_cert.BlobData)
      return false;
    std::vector<uint8_t> hash(p.user_cert.BlobData, p.user_cert.BlobData + p.user_cert.BlobLength);
    return std::any_of(sc_.certs.begin(), sc_.certs.end(),
                       [&](const CertDef& c) { return EqualNoCase(c.store, "MY") && c.hash == hash; });
  };
  auto identityOk = [&] {
    if (UsesClientCert(p)) return certOk();
    std::string id = FieldText(p.chID, sizeof p.chID), pw = FieldText(p.chPassword, sizeof p.chPassword);
    return (n.identity.empty() || id == n.identity) && (n.password.empty() || pw == n.password);
  };
  auto enterprise = [&](std::initializer_list<uint32_t> modes) {
    if (std::find(modes.begin(), modes.end(), auth) == modes.end() || !cipherOk()) return ConnectOutcome::Mismatch;
    if (n.authTimeout) return ConnectOutcome::AuthTimeout;
    return identityOk() ? ConnectOutcome::Success : ConnectOutcome::IdentityRejected;
  };
  auto personal = [&](std::initializer_list<uint32_t> modes) {
    if (std::find(modes.begin(), modes.end(), auth) == modes.end() || !cipherOk()) return ConnectOutcome::Mismatch;
    return pskOk() ? ConnectOutcome::Success : ConnectOutcome::WrongKey;
  };
  uint32_t cckm = n.cckm ? 13 : 99;

  switch (n.security) {
    case Security::Open:
      return auth == 0 && (enc == 1 || enc == 2) && !p.b8021X ? ConnectOutcome::Success : ConnectOutcome::Mismatch;
    case Security::Wep: {
      if (auth > 2 || enc != 0) return ConnectOutcome::Mismatch;
      if (p.b8021X) return n.authTimeout ? ConnectOutcome::AuthTimeout
                           : identityOk() ? ConnectOutcome::Success : ConnectOutcome::IdentityRejected;
      const char* keys[4] = {p.WEPKey1, p.WEPKey2, p.WEPKey3, p.WEPKey4};
      uint32_t index = p.wepDefaultKey >= 1 && p.wepDefaultKey <= 4 ? p.wepDefaultKey - 1 : 0;
      std::string key = FieldText(keys[index], 64);
      return WepKeyBytes(key) == WepKeyBytes(n.key) ? ConnectOutcome::Success : ConnectOutcome::WrongKey;
    }
    case Security::WpaPsk: return personal({4});
    case Security::Wpa2Psk: return personal({7});
    case Security::WpaWpa2Psk: return personal({4, 7});
    case Security::WpaNone: return personal({5});
    case Security::Wpa2None: return personal({5, 7});
    case Security::Wpa: return enterprise({3, cckm});
    case Security::Wpa2: return enterprise({6, cckm});
    case Security::WpaWpa2: return enterprise({3, 6, cckm});
    case Security::WapiPsk:
      if (auth != 10) return ConnectOutcome::Mismatch;
      return pskOk() ? ConnectOutcome::Success : ConnectOutcome::WrongKey;
    case Security::WapiCert:
      if (auth != 11) return ConnectOutcome::Mismatch;
      return WapiCertAccepted(p) ? ConnectOutcome::Success : ConnectOutcome::WrongKey;
  }
  return ConnectOutcome::Mismatch;
}

int Simulator::WriteIdPassword(const std::string& identity, const std::string& password) {
  std::lock_guard<std::mutex> lock(mu_);
  storedIdentity_ = identity;
  storedPassword_ = password;
  if (!link_.passwordChangeAsked || password.empty()) return WVWL_ERROR_SUCCESS;
  link_.passwordChangeAsked = false;
  for (Network& n : sc_.networks) {
    if (n.ssid != link_.network.ssid || n.bssid != link_.network.bssid) continue;
    n.password = password;
    n.passwordChange = false;
  }
  link_.network.password = password;
  link_.network.passwordChange = false;
  Journal("password changed for \"" + link_.network.ssid + "\"");
  return WVWL_ERROR_SUCCESS;
}

void Simulator::DropLinkLocked(uint32_t linkStatusCode, std::vector<int>& callbacks) {
  if (link_.phase == Link::Phase::Connected) {
    callbacks.push_back(RS_CBS_AU_STATUS_MEDIA_DISCONNECT);
    callbacks.push_back(RS_CBS_AU_STATUS_LINK_DOWN);
  }
  link_.phase = Link::Phase::Idle;
  link_.generation++;
  link_.linkStatusCode = linkStatusCode;
  link_.wps = false;
}

int Simulator::SetProfile(const WLANPROFILE& p) {
  std::vector<int> dropped;
  uint64_t generation;
  ConnectOutcome outcome;
  DWORD delay;
  bool dot1x, askPasswordChange;
  {
    std::lock_guard<std::mutex> lock(mu_);
    SetStateValueLocked("Blobs", "CurrentSetting", HexText(reinterpret_cast<const uint8_t*>(&p), sizeof p));
    if (!AdapterReadyLocked()) return WVWL_ERROR_FAILURE;
    if (!RadioOnLocked() || opMode_ == OP_MODE_AP) return WVWL_ERROR_SUCCESS;
    DropLinkLocked(1, dropped);
    const Network* target = nullptr;
    outcome = EvaluateLocked(p, target);
    link_.phase = Link::Phase::Connecting;
    link_.network = target ? *target : Network();
    link_.authMode = p.enumAuthenMode;
    link_.encryption = p.enumEncryStatus;
    link_.networkType = p.enumNetworkType;
    link_.dot1x = p.b8021X || p.enumAuthenMode == 3 || p.enumAuthenMode == 6 || p.enumAuthenMode == 13;
    link_.profileName = FieldText(p.strProfileName, sizeof p.strProfileName);
    if (link_.profileName.empty()) link_.profileName = SsidText(p.SSID);
    generation = link_.generation;
    dot1x = link_.dot1x;
    askPasswordChange = dot1x && outcome == ConnectOutcome::Success && target && target->passwordChange &&
                        !UsesClientCert(p);
    link_.passwordChangeAsked = askPasswordChange;
    delay = static_cast<DWORD>(sc_.connectTimeMs);
    char line[160];
    std::snprintf(line, sizeof line, "connect \"%s\" auth %u encryption %u -> %d", SsidText(p.SSID).c_str(),
                  p.enumAuthenMode, p.enumEncryStatus, static_cast<int>(outcome));
    Journal(line);
  }
  if (!dropped.empty()) engine_.Schedule(0, [this, dropped] { RunCallbacks(dropped); });
  if (dot1x && outcome != ConnectOutcome::NoNetwork && outcome != ConnectOutcome::Mismatch)
    engine_.Schedule(delay / 2, [this, generation, askPasswordChange] {
      {
        std::lock_guard<std::mutex> lock(mu_);
        if (link_.generation != generation) return;
      }
      std::vector<int> codes{RS_CBS_AU_STATUS_START, RS_CBS_AU_STATUS_AUTHENTICATING};
      if (askPasswordChange) codes.push_back(RS_CBS_CHANGE_PASSWORD_REQUEST);
      RunCallbacks(codes);
    });
  engine_.Schedule(delay, [this, generation, outcome] { FinishConnect(generation, outcome); });
  return WVWL_ERROR_SUCCESS;
}

void Simulator::FinishConnect(uint64_t generation, ConnectOutcome outcome) {
  std::vector<int> codes;
  {
    std::lock_guard<std::mutex> lock(mu_);
    if (link_.generation != generation) return;
    link_.phase = Link::Phase::Idle;
    switch (outcome) {
      case ConnectOutcome::Success:
        link_.phase = Link::Phase::Connected;
        link_.linkStatusCode = link_.dot1x ? 10 : 0;
        countersSince_ = GetTickCount64();
        if (link_.dot1x) codes.push_back(RS_CBS_AU_STATUS_AUTHENTICATED);
        codes.push_back(RS_CBS_AU_STATUS_LINK_UP);
        if (link_.network.security != Security::Open) codes.push_back(RS_CBS_PORT_SECURED);
        codes.push_back(RS_CBS_AU_STATUS_MEDIA_CONNECT);
        break;
      case ConnectOutcome::NoNetwork:
      case ConnectOutcome::Mismatch:
        link_.linkStatusCode = 6;
        break;
      case ConnectOutcome::WrongKey:
        link_.linkStatusCode = link_.authMode == 1 ? 4 : 5;
        break;
      case ConnectOutcome::IdentityRejected:
        link_.linkStatusCode = 4;
        codes.push_back(RS_CBS_AU_STATUS_CLIENT_IDENTITY_REJECTED);
        break;
      case ConnectOutcome::AuthTimeout:
        link_.linkStatusCode = 4;
        codes.push_back(RS_CBS_AU_STATUS_AUTH_TIMEOUT);
        break;
    }
  }
  RunCallbacks(codes);
}

void Simulator::RunCallbacks(const std::vector<int>& codes) {
  static uint8_t data[1040] = {};
  for (int code : codes) {
    RS_CALLBACK_FUNC callback;
    {
      std::lock_guard<std::mutex> lock(mu_);
      callback = callback_;
    }
    Journal("callback " + std::to_string(code));
    if (callback) callback(code, data, static_cast<int>(reinterpret_cast<intptr_t>(callbackText_)));
  }
}

void Simulator::FireCallback(int code) {
  engine_.Schedule(0, [this, code] { RunCallbacks({code}); });
}

int Simulator::Disconnect() {
  std::vector<int> dropped;
  {
    std::lock_guard<std::mutex> lock(mu_);
    DropLinkLocked(1, dropped);
  }
  if (!dropped.empty()) engine_.Schedule(0, [this, dropped] { RunCallbacks(dropped); });
  return WVWL_ERROR_SUCCESS;
}

void Simulator::QueryStatus(WLAN_STATUS& s) {
  std::memset(&s, 0, sizeof s);
  std::lock_guard<std::mutex> lock(mu_);
  if (!AdapterReadyLocked()) return;
  bool connected = link_.phase == Link::Phase::Connected;
  s.status = connected ? WvStatus_Connected : WvStatus_Disconnected;
  s.linkStatusCode = !hwRadio_ ? 2 : !swRadio_ ? 3 : link_.linkStatusCode;
  s.txPower = 100;
  for (WLAN_CHAIN& c : s.chain) c.rssi = WV_CHAIN_ABSENT_RSSI;
  if (!connected) return;

  const Network& n = link_.network;
  ULONGLONG now = GetTickCount64();
  std::string ssid = n.ssid.substr(0, 32);
  s.ssid.SsidLength = n.ssidLength >= 0 ? static_cast<ULONG>(n.ssidLength) : static_cast<ULONG>(ssid.size());
  std::memcpy(s.ssid.Ssid, ssid.data(), ssid.size());
  std::memcpy(s.bssid, n.bssid.data(), 6);
  s.networkType = link_.networkType == WV_NETWORK_PEER_TO_PEER ? WV_NETWORK_PEER_TO_PEER : n.infrastructure;
  int rssi = std::clamp(n.rssi, -1000, 1000) + static_cast<int>((now / 2000) % 5) - 2;
  for (int i = 0; i < n.chains && i < 3; ++i) {
    s.chain[i].rssi = rssi - 3 * i;
    s.chain[i].quality = static_cast<uint32_t>(RssiPercent(rssi - 3 * i));
  }
  s.chain[0].chainFlag = n.chains >= 2 ? 1 : 0;
  s.chain[1].chainFlag = n.chains >= 3 ? 1 : 0;
  s.dsFrequency = n.frequencyKHz;
  s.authenticationMode = link_.authMode;
  s.encryptionStatus = link_.encryption;
  s.linkQuality = static_cast<uint32_t>(RssiPercent(rssi));

  ULONGLONG elapsed = now - countersSince_;
  uint64_t tx = elapsed * 25, rx = elapsed * 90;
  s.TxByteCount = static_cast<uint32_t>(tx);
  s.RxByteCount = static_cast<uint32_t>(rx);
  uint64_t txFrames = tx / 800, rxFrames = rx / 900;
  s.statistics.Length = sizeof s.statistics;
  s.statistics.TransmittedFragmentCount.QuadPart = static_cast<LONGLONG>(txFrames);
  s.statistics.RetryCount.QuadPart = static_cast<LONGLONG>(txFrames / 20);
  s.statistics.FailedCount.QuadPart = static_cast<LONGLONG>(txFrames / 500);
  s.statistics.FrameDuplicateCount.QuadPart = static_cast<LONGLONG>(rxFrames / 1000);
  s.statistics.FCSErrorCount.QuadPart = static_cast<LONGLONG>(rxFrames / 200);
  s.rxOkCount64 = rxFrames;
  s.rxOkCount = static_cast<uint32_t>(rxFrames);
  s.rxDropCount = static_cast<uint32_t>(rxFrames / 5000);

  int channel = n.Channel();
  s.centralChannel = n.vht ? channel + 6 : (n.ht && n.Is5GHz()) ? channel + 2 : channel;
  s.txRate = DerivedRate(n);
  s.rxRate = n.rxRate > 0 ? n.rxRate : s.txRate;
  s.HTSetting = static_cast<uint16_t>((n.vht ? 3 : n.ht ? 2 : 0) << 14);
  std::memcpy(s.ipAddress, n.clientIp.data(), 4);
  std::memcpy(s.ipMask, n.mask.data(), 4);
  CopyText(s.profileName, sizeof s.profileName, link_.profileName, !sc_.hostileTexts);
}

int Simulator::QueryApAddress(AP_IP_INFO& info) {
  std::lock_guard<std::mutex> lock(mu_);
  if (!AdapterReadyLocked() || link_.phase != Link::Phase::Connected) return WVWL_ERROR_FAILURE;
  std::memcpy(info.IpAddress, link_.network.apIp.data(), 4);
  CopyText(info.Name, sizeof info.Name, link_.network.apName, !sc_.hostileTexts);
  return WVWL_ERROR_SUCCESS;
}

int Simulator::ConnectedBssid(uint8_t* bssid6) {
  std::lock_guard<std::mutex> lock(mu_);
  if (!AdapterReadyLocked() || link_.phase != Link::Phase::Connected) return WVWL_ERROR_FAILURE;
  std::memcpy(bssid6, link_.network.bssid.data(), 6);
  return WVWL_ERROR_SUCCESS;
}

void Simulator::ResetCounters() {
  std::lock_guard<std::mutex> lock(mu_);
  countersSince_ = GetTickCount64();
}

void Simulator::EapConfigDone(bool fromSiteSurvey) {
  engine_.Schedule(300, [this, fromSiteSurvey] {
    HWND window;
    {
      std::lock_guard<std::mutex> lock(mu_);
      window = window_;
    }
    if (!window) return;
    PostMessageA(window, MSG_ENABLE_MAIN_WINDOW, 1, 0);
    if (fromSiteSurvey) PostMessageA(window, MSG_SITE_SURVEY_CONNECT, 0, 0);
    Journal("EAP configuration ended");
  });
}

// ---------------------------------------------------------------------------------------------
// Radio and modes

int Simulator::SetSoftwareRadio(bool on) {
  std::vector<int> dropped;
  {
    std::lock_guard<std::mutex> lock(mu_);
    if (!AdapterReadyLocked()) return WVWL_ERROR_FAILURE;
    swRadio_ = on;
    if (!on) {
      DropLinkLocked(3, dropped);
      lastList_.assign(4, 0);
    } else if (link_.phase == Link::Phase::Idle) {
      link_.linkStatusCode = 1;
    }
    SetStateValueLocked("Values", "SoftwareRadio", on ? "1" : "0");
  }
  if (!dropped.empty()) engine_.Schedule(0, [this, dropped] { RunCallbacks(dropped); });
  return WVWL_ERROR_SUCCESS;
}

void Simulator::SetHardwareRadio(bool on) {
  std::vector<int> dropped;
  {
    std::lock_guard<std::mutex> lock(mu_);
    hwRadio_ = on;
    if (!on) {
      DropLinkLocked(2, dropped);
      lastList_.assign(4, 0);
    } else if (link_.phase == Link::Phase::Idle) {
      link_.linkStatusCode = 1;
    }
  }
  Journal(std::string("hardware radio ") + (on ? "on" : "off"));
  if (!dropped.empty()) engine_.Schedule(0, [this, dropped] { RunCallbacks(dropped); });
}

void Simulator::RadioState(int& hardware, int& software) {
  std::lock_guard<std::mutex> lock(mu_);
  hardware = hwRadio_ ? 1 : 0;
  software = swRadio_ ? 1 : 0;
}

int Simulator::SetOpMode(int mode, bool apply) {
  std::vector<int> dropped;
  {
    std::lock_guard<std::mutex> lock(mu_);
    if (mode < OP_MODE_STATION || mode > OP_MODE_STA_WIFI_DIRECT) return WVWL_ERROR_FAILURE;
    storedOpMode_ = mode;
    if (apply && sc_.opModeApplies && opMode_ != mode) {
      opMode_ = mode;
      if (mode == OP_MODE_AP || mode == OP_MODE_APCLIENT) DropLinkLocked(1, dropped);
      if (mode != OP_MODE_STA_WIFI_DIRECT) goActive_ = false;
    }
    SetStateValueLocked("Values", "OpMode", std::to_string(opMode_));
    SetStateValueLocked("Values", "StoredOpMode", std::to_string(storedOpMode_));
  }
  if (!dropped.empty()) engine_.Schedule(0, [this, dropped] { RunCallbacks(dropped); });
  return WVWL_ERROR_SUCCESS;
}

int Simulator::QueryOpMode() {
  std::lock_guard<std::mutex> lock(mu_);
  return opMode_;
}

int Simulator::ReadOpMode() {
  std::lock_guard<std::mutex> lock(mu_);
  return storedOpMode_;
}

int Simulator::InitNotReadyCountdown(bool wifiDirect, HANDLE event) {
  std::lock_guard<std::mutex> lock(mu_);
  int& left = wifiDirect ? notReadyDirect_ : notReadyDisplay_;
  if (left > 0) {
    --left;
    return WVWL_ERROR_NOT_READY;
  }
  (wifiDirect ? directEvent_ : displayEvent_) = event;
  return WVWL_ERROR_SUCCESS;
}

HWND Simulator::InitialWindow() {
  std::lock_guard<std::mutex> lock(mu_);
  return window_;
}

void Simulator::SetNotReady(bool wifiDirect, int count) {
  std::lock_guard<std::mutex> lock(mu_);
  (wifiDirect ? notReadyDirect_ : notReadyDisplay_) = count;
}

int Simulator::SignalEvent(bool wifiDirect) {
  std::lock_guard<std::mutex> lock(mu_);
  HANDLE event = wifiDirect ? directEvent_ : displayEvent_;
  return event && SetEvent(event) ? 1 : 0;
}

int Simulator::StartGo() {
  std::lock_guard<std::mutex> lock(mu_);
  if (sc_.startGoResult == WVWL_ERROR_SUCCESS) goActive_ = true;
  return sc_.startGoResult;
}

void Simulator::StopGo() {
  std::lock_guard<std::mutex> lock(mu_);
  goActive_ = false;
}

// ---------------------------------------------------------------------------------------------
// Networks

void Simulator::AddNetwork(const Network& n) {
  std::lock_guard<std::mutex> lock(mu_);
  sc_.networks.push_back(n);
}

int Simulator::RemoveNetwork(const std::string& ssidOrBssid) {
  std::vector<int> dropped;
  int removed = 0;
  {
    std::lock_guard<std::mutex> lock(mu_);
    Mac mac{};
    bool byMac = ParseMac(ssidOrBssid, mac);
    auto matches = [&](const Network& n) { return byMac ? n.bssid == mac : n.ssid == ssidOrBssid; };
    if (link_.phase != Link::Phase::Idle && matches(link_.network)) DropLinkLocked(1, dropped);
    auto end = std::remove_if(sc_.networks.begin(), sc_.networks.end(), matches);
    removed = static_cast<int>(sc_.networks.end() - end);
    sc_.networks.erase(end, sc_.networks.end());
  }
  if (!dropped.empty()) engine_.Schedule(0, [this, dropped] { RunCallbacks(dropped); });
  return removed;
}

int Simulator::ChangeNetwork(const std::string& ssidOrBssid, int rssi, int inRange) {
  std::vector<int> dropped;
  int changed = 0;
  {
    std::lock_guard<std::mutex> lock(mu_);
    Mac mac{};
    bool byMac = ParseMac(ssidOrBssid, mac);
    for (Network& n : sc_.networks) {
      if (byMac ? n.bssid != mac : n.ssid != ssidOrBssid) continue;
      ++changed;
      if (rssi != kKeep) n.rssi = rssi;
      if (inRange != kKeep) n.inRange = inRange != 0;
      bool linked = link_.phase != Link::Phase::Idle && link_.network.bssid == n.bssid;
      if (linked && !n.inRange) DropLinkLocked(1, dropped);
      else if (linked) link_.network.rssi = n.rssi;
    }
  }
  if (!dropped.empty()) engine_.Schedule(0, [this, dropped] { RunCallbacks(dropped); });
  return changed;
}

std::string Simulator::StatusText() {
  std::lock_guard<std::mutex> lock(mu_);
  const AdapterDef* a = SelectedLocked();
  static const char* phases[] = {"idle", "connecting", "connected"};
  char buf[512];
  std::snprintf(buf, sizeof buf,
                "scenario=%s\nstate=%s\nadapter=%s present=%d\nradio hw=%d sw=%d\nopmode=%d stored=%d\n"
                "link=%s ssid=%s code=%u\nnetworks=%zu\n",
                sc_.path.c_str(), statePath_.c_str(), a ? a->devDesc.c_str() : "(none)", a && a->present ? 1 : 0,
                hwRadio_, swRadio_, opMode_, storedOpMode_, phases[static_cast<int>(link_.phase)],
                link_.network.ssid.c_str(), link_.linkStatusCode, sc_.networks.size());
  return buf;
}

// ---------------------------------------------------------------------------------------------
// Stored values

std::string Simulator::StoredKeyLocked(const std::string& section, const std::string& key, bool forWrite) const {
  static const char* const kPerAdapter[] = {"CountryRegion", "CountryRegionABand", "WirelessMode", "AdvanceCfg",
                                            "WMMCapability", "MFPControl", "CCX2Control", "Reg.CCX2Control",
                                            "RegType.CCX2Control", "BACap", "AckPolicy", "AckPolicyInUse",
                                            "CoexMode", "DiagRunning"};
  const AdapterDef* a = SelectedLocked();
  if (!a || std::find(std::begin(kPerAdapter), std::end(kPerAdapter), key) == std::end(kPerAdapter)) return key;
  const std::string own = key + "@" + HexText(a->mac.data(), a->mac.size());
  return forWrite || state_.Has(section, own) ? own : key;
}

std::string Simulator::Value(const std::string& key, const std::string& def) {
  std::lock_guard<std::mutex> lock(mu_);
  return state_.Get("Values", StoredKeyLocked("Values", key, false), def);
}

long long Simulator::IntValue(const std::string& key, long long def) {
  std::lock_guard<std::mutex> lock(mu_);
  if (key == "WirelessMode") return WirelessModeLocked();
  const std::string stored = StoredKeyLocked("Values", key, false);
  if (key == "CountryRegion" && !state_.Has("Values", stored)) return sc_.countryRegion;
  if (key == "CountryRegionABand" && !state_.Has("Values", stored)) return sc_.countryRegionA;
  return state_.GetInt("Values", stored, def);
}

void Simulator::SetValue(const std::string& key, const std::string& value) {
  std::lock_guard<std::mutex> lock(mu_);
  SetStateValueLocked("Values", StoredKeyLocked("Values", key, true), value);
}

void Simulator::SetIntValue(const std::string& key, long long value) { SetValue(key, std::to_string(value)); }

bool Simulator::Blob(const std::string& key, void* out, size_t size) {
  std::lock_guard<std::mutex> lock(mu_);
  std::vector<uint8_t> bytes;
  if (!ParseHex(state_.Get("Blobs", StoredKeyLocked("Blobs", key, false)), bytes) || bytes.empty()) return false;
  std::memset(out, 0, size);
  std::memcpy(out, bytes.data(), std::min(size, bytes.size()));
  return true;
}

void Simulator::SetBlob(const std::string& key, const void* data, size_t size) {
  std::lock_guard<std::mutex> lock(mu_);
  SetStateValueLocked("Blobs", StoredKeyLocked("Blobs", key, true), HexText(static_cast<const uint8_t*>(data), size));
}

std::vector<std::pair<std::string, std::vector<uint8_t>>> Simulator::RecordsLocked(const std::string& kind) const {
  std::vector<std::pair<std::string, std::vector<uint8_t>>> out;
  const IniDoc::Section* sec = state_.Find("Records." + kind);
  if (!sec) return out;
  for (const IniDoc::Entry& e : sec->entries) {
    size_t colon = e.value.find(':');
    std::vector<uint8_t> data;
    if (colon == std::string::npos || !ParseHex(e.value.substr(colon + 1), data)) continue;
    out.emplace_back(DecodeHexText(e.value.substr(0, colon)), std::move(data));
  }
  return out;
}

void Simulator::StoreRecordsLocked(const std::string& kind,
                                   const std::vector<std::pair<std::string, std::vector<uint8_t>>>& records) {
  ChangeStateLocked([&](IniDoc& doc) {
    doc.RemoveSection("Records." + kind);
    int index = 0;
    for (const auto& r : records)
      doc.Set("Records." + kind, "Item" + std::to_string(++index),
              HexText(reinterpret_cast<const uint8_t*>(r.first.data()), r.first.size()) + ":" +
                  HexText(r.second.data(), r.second.size()));
  });
}

std::vector<std::pair<std::string, std::vector<uint8_t>>> Simulator::Records(const std::string& kind) {
  std::lock_guard<std::mutex> lock(mu_);
  return RecordsLocked(kind);
}

bool Simulator::ReadRecord(const std::string& kind, const std::string& name, void* out, size_t size) {
  for (const auto& r : Records(kind))
    if (EqualNoCase(r.first, name)) {
      std::memset(out, 0, size);
      std::memcpy(out, r.second.data(), std::min(size, r.second.size()));
      return true;
    }
  return false;
}

void Simulator::WriteRecord(const std::string& kind, const std::string& name, const void* data, size_t size) {
  std::lock_guard<std::mutex> lock(mu_);
  auto records = RecordsLocked(kind);
  const auto* bytes = static_cast<const uint8_t*>(data);
  bool replaced = false;
  for (auto& r : records)
    if (EqualNoCase(r.first, name)) {
      r = {name, std::vector<uint8_t>(bytes, bytes + size)};
      replaced = true;
    }
  if (!replaced) records.emplace_back(name, std::vector<uint8_t>(bytes, bytes + size));
  StoreRecordsLocked(kind, records);
}

bool Simulator::DeleteRecord(const std::string& kind, const std::string& name) {
  std::lock_guard<std::mutex> lock(mu_);
  auto records = RecordsLocked(kind);
  auto end = std::remove_if(records.begin(), records.end(), [&](const auto& r) { return EqualNoCase(r.first, name); });
  if (end == records.end()) return false;
  records.erase(end, records.end());
  StoreRecordsLocked(kind, records);
  return true;
}

}  // namespace sim
