// The driver's Wi-Fi Display side of the simulated adapter.
#include "WifiDisplay.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <deque>
#include <mutex>

#include "Ini.h"
#include "Scenario.h"
#include "Sim.h"
#include "wlapi/records.h"
#include "wlapi/result.h"

namespace sim {

namespace {

constexpr size_t kTableSize = sizeof(WDP_TABLE);
constexpr size_t kStatusSize = sizeof(WDP_STATUS);

// Runtime state: changes made through the control surface and the event queue.
struct WdpRuntime {
  std::mutex mu;
  bool tableSet = false;
  std::vector<uint8_t> table;
  bool peerSet = false;
  uint8_t peerInterfaceMac[6] = {};
  uint8_t peerDeviceMac[6] = {};
  bool leasesSet = false;
  std::vector<WdpLease> leases;
  int leaseFailuresLeft = -1;          // -1: not started from the scene yet
  std::deque<std::vector<uint8_t>> events;
  std::vector<uint8_t> current = std::vector<uint8_t>(kStatusSize, 0);
  bool readBackPending = false;        // the next status query reads back a session id
  uint32_t tdlsEnabled = 0;
  bool tdlsSet = false;                // tdlsResult and tdlsReadyAfter given by command
  int tdlsResult = WVWL_ERROR_SUCCESS;
  int tdlsReadyAfter = -1;
  bool tdlsLinked = false;
  uint8_t tdlsPeer[6] = {};
  int tdlsReadsLeft = 0;
};

WdpRuntime& Rt() {
  static WdpRuntime rt;
  return rt;
}

WdpScene Scene() {
  return Sim().WithScenario([](const Scenario& s) { return s.wdp; });
}

std::string MacText(const uint8_t* m) {
  char text[18];
  std::snprintf(text, sizeof text, "%02X:%02X:%02X:%02X:%02X:%02X", m[0], m[1], m[2], m[3], m[4], m[5]);
  return text;
}

bool ParseMacTo(const std::string& text, uint8_t* out) {
  Mac mac{};
  if (!ParseMac(text, mac)) return false;
  std::memcpy(out, mac.data(), 6);
  return true;
}

bool ParseLeases(const std::string& text, std::vector<WdpLease>& out) {
  size_t start = 0;
  while (start <= text.size()) {
    size_t comma = text.find(',', start);
    std::string item = Trim(text.substr(start, comma == std::string::npos ? std::string::npos : comma - start));
    if (!item.empty()) {
      size_t slash = item.find('/');
      WdpLease lease;
      if (slash == std::string::npos || !ParseMacTo(item.substr(0, slash), lease.mac)) return false;
      lease.ip = item.substr(slash + 1);
      if (lease.ip.empty() || lease.ip.size() > 63) return false;
      out.push_back(lease);
    }
    if (comma == std::string::npos) break;
    start = comma + 1;
  }
  return true;
}

// One [WDPDevice.<n>] section into its slot of the table.
void ReadDevice(const IniDoc& doc, const std::string& section, WDP_ENTRY& e, std::vector<std::string>& warnings) {
  const auto mac = [&](const char* key, uint8_t* out) {
    if (doc.Has(section, key) && !ParseMacTo(doc.Get(section, key), out))
      warnings.push_back(section + "." + key + ": not a MAC address");
  };
  const auto number = [&](const char* key, long long max, long long def) {
    long long v = def;
    if (doc.Has(section, key) && (!ParseInt(doc.Get(section, key), v) || v < 0 || v > max)) {
      warnings.push_back(section + "." + key + ": out of range");
      v = def;
    }
    return v;
  };
  mac("Mac", e.DevMac);
  mac("BSSID", e.Bssid);
  mac("CoupledMac", e.CoupledSinkMac);
  mac("TdlsMac", e.TdlsMac);
  e.DevInfo = static_cast<uint16_t>(number("DevInfo", 0xFFFF, 0x0011));
  e.MaxThroughput = static_cast<uint16_t>(number("MaxThroughput", 0xFFFF, 300));
  e.CoupledStatus = static_cast<uint8_t>(number("CoupledStatus", 255, 0));
  e.ControlPort = static_cast<uint16_t>(number("Port", 0xFFFF, 7236));
  e.ExtCap = static_cast<uint8_t>(number("ExtCap", 255, 0));
  if (doc.Has(section, "TdlsIP")) {
    Ip4 ip{};
    if (ParseIp(doc.Get(section, "TdlsIP"), ip)) std::memcpy(e.TdlsIp, ip.data(), 4);
    else warnings.push_back(section + ".TdlsIP: not an IPv4 address");
  }
}

std::vector<uint8_t> CurrentTable(WdpRuntime& rt) {
  if (rt.tableSet) return rt.table;
  std::vector<uint8_t> table = Scene().table;
  table.resize(kTableSize, 0);
  return table;
}

void LoadTdlsScene(WdpRuntime& rt, const WdpScene& scene) {
  if (rt.tdlsSet) return;
  rt.tdlsResult = scene.tdlsSetupResult;
  rt.tdlsReadyAfter = scene.tdlsReadyAfter;
}

// With the link model on, a TDLS address shows only for the linked peer once its reads are over.
void GateTdlsAddresses(WdpRuntime& rt, std::vector<uint8_t>& bytes) {
  if (rt.tdlsReadyAfter < 0) return;
  WDP_TABLE table{};
  std::memcpy(&table, bytes.data(), kTableSize);
  const bool up = rt.tdlsLinked && rt.tdlsReadsLeft == 0;
  for (WDP_ENTRY& e : table.Entry)
    if (!up || std::memcmp(e.TdlsMac, rt.tdlsPeer, 6) != 0) std::memset(e.TdlsIp, 0, sizeof e.TdlsIp);
  if (rt.tdlsLinked && rt.tdlsReadsLeft > 0) --rt.tdlsReadsLeft;
  std::memcpy(bytes.data(), &table, kTableSize);
}

int TdlsSetup(const void* data, unsigned long length) {
  if (!data || length != sizeof(TDLS_REQUEST)) return WVWL_ERROR_FAILURE;
  TDLS_REQUEST r{};
  std::memcpy(&r, data, sizeof r);
  WdpRuntime& rt = Rt();
  const WdpScene scene = Scene();
  std::lock_guard<std::mutex> lock(rt.mu);
  LoadTdlsScene(rt, scene);
  Sim().Journal("wdp tdls request " + MacText(r.PeerMac) + " action=" + std::to_string(r.Action) +
                " kind=" + std::to_string(r.Kind) + " bytes " + HexBytes(&r, sizeof r) + " -> " +
                std::to_string(rt.tdlsResult));
  if (rt.tdlsResult != WVWL_ERROR_SUCCESS) return rt.tdlsResult;
  std::memcpy(rt.tdlsPeer, r.PeerMac, 6);
  rt.tdlsLinked = true;
  rt.tdlsReadsLeft = std::max(0, rt.tdlsReadyAfter);
  return WVWL_ERROR_SUCCESS;
}

// Writes one record of the event queue (or the current one) into the caller's buffer.
int ReadStatus(void* buffer, unsigned long length, unsigned long* returned) {
  WdpRuntime& rt = Rt();
  bool more = false;
  {
    std::lock_guard<std::mutex> lock(rt.mu);
    if (rt.readBackPending) {
      rt.readBackPending = false;
    } else if (!rt.events.empty()) {
      rt.current = rt.events.front();
      rt.events.pop_front();
      more = !rt.events.empty();
    }
    const unsigned long n = std::min<unsigned long>(length, kStatusSize);
    std::memcpy(buffer, rt.current.data(), n);
    if (returned) *returned = n;
  }
  if (more) Sim().SignalEvent(false);
  return WVWL_ERROR_SUCCESS;
}

int SetConfigRequest(const WDP_CONFIG_REQUEST& request) {
  WdpRuntime& rt = Rt();
  if (request.ConfigMode == CONFIG_MODE_WDP_SESSION_ID) {
    std::string id(request.SessionId, strnlen(request.SessionId, sizeof request.SessionId));
    Sim().Journal("wdp session id " + id);
    std::lock_guard<std::mutex> lock(rt.mu);
    std::memset(rt.current.data() + offsetof(WDP_STATUS, SessionId), 0, sizeof(WDP_STATUS::SessionId));
    std::memcpy(rt.current.data() + offsetof(WDP_STATUS, SessionId), id.data(),
                std::min(id.size(), sizeof(WDP_STATUS::SessionId) - 1));
    rt.readBackPending = true;
    return WVWL_ERROR_SUCCESS;
  }
  if (request.ConfigMode == CONFIG_MODE_WDP_TDLS_TEARDOWN) {
    Sim().Journal("wdp tdls teardown " + MacText(request.PeerMac));
    static const uint8_t kAll[6] = {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};
    std::lock_guard<std::mutex> lock(rt.mu);
    if (std::memcmp(request.PeerMac, kAll, 6) == 0 || std::memcmp(request.PeerMac, rt.tdlsPeer, 6) == 0)
      rt.tdlsLinked = false;
    return WVWL_ERROR_SUCCESS;
  }
  return WVWL_ERROR_FAILURE;
}

}  // namespace

void ReadWdpScene(const IniDoc& doc, WdpScene& out, std::vector<std::string>& warnings) {
  const std::string sec = "WiFiDisplay";
  WDP_TABLE table{};
  std::vector<const IniDoc::Section*> devices = doc.WithPrefix("WDPDevice.");
  long long start = doc.GetInt(sec, "Start", 0), count = doc.GetInt(sec, "ClientNumber", -1);
  if (start < 0 || start > 255) start = 0;
  table.Start = static_cast<uint8_t>(start);
  table.ClientNumber = static_cast<uint8_t>(count < 0 || count > 255 ? std::min<size_t>(devices.size(), 30) : count);
  for (size_t i = 0; i < devices.size() && i < MAX_WDP_TABLE_SIZE; ++i)
    ReadDevice(doc, devices[i]->name, table.Entry[(start + i) % MAX_WDP_TABLE_SIZE], warnings);
  out.table.assign(reinterpret_cast<const uint8_t*>(&table), reinterpret_cast<const uint8_t*>(&table) + kTableSize);
  if (doc.Has(sec, "PeerInterfaceMac") && !ParseMacTo(doc.Get(sec, "PeerInterfaceMac"), out.peerInterfaceMac))
    warnings.push_back("WiFiDisplay.PeerInterfaceMac: not a MAC address");
  if (doc.Has(sec, "PeerDeviceMac") && !ParseMacTo(doc.Get(sec, "PeerDeviceMac"), out.peerDeviceMac))
    warnings.push_back("WiFiDisplay.PeerDeviceMac: not a MAC address");
  if (doc.Has(sec, "Leases") && !ParseLeases(doc.Get(sec, "Leases"), out.leases))
    warnings.push_back("WiFiDisplay.Leases: MAC/IP items joined with ,");
  out.leaseFailures = static_cast<int>(std::max<long long>(0, doc.GetInt(sec, "LeaseFailures", 0)));
  out.tdlsSetupResult = static_cast<int>(doc.GetInt(sec, "TdlsSetupResult", WVWL_ERROR_SUCCESS));
  out.tdlsReadyAfter = static_cast<int>(std::max<long long>(-1, doc.GetInt(sec, "TdlsReadyAfter", -1)));
}

int WdpGetTable(void* table) {
  if (!table) return WVWL_ERROR_FAILURE;
  WdpRuntime& rt = Rt();
  std::vector<uint8_t> t;
  const WdpScene scene = Scene();
  {
    std::lock_guard<std::mutex> lock(rt.mu);
    t = CurrentTable(rt);
    LoadTdlsScene(rt, scene);
    GateTdlsAddresses(rt, t);
  }
  std::memcpy(table, t.data(), kTableSize);
  Sim().Journal("wdp table Start=" + std::to_string(t[0]) + " ClientNumber=" + std::to_string(t[1]));
  return WVWL_ERROR_SUCCESS;
}

bool WdpOidQuery(unsigned long request, void* buffer, unsigned long length, unsigned long* returned, int& result) {
  WdpRuntime& rt = Rt();
  if (request == OID_WDP_QUERY_STATUS) {
    result = ReadStatus(buffer, length, returned);
    return true;
  }
  if (request == OID_WDP_QUERY_PEER_IF_MAC || request == OID_WDP_QUERY_PEER_DEV_MAC) {
    if (length < 6) {
      result = WVWL_ERROR_FAILURE;
      return true;
    }
    const WdpScene scene = Scene();
    std::lock_guard<std::mutex> lock(rt.mu);
    const bool iface = request == OID_WDP_QUERY_PEER_IF_MAC;
    const uint8_t* mac = rt.peerSet ? (iface ? rt.peerInterfaceMac : rt.peerDeviceMac)
                                    : (iface ? scene.peerInterfaceMac : scene.peerDeviceMac);
    std::memcpy(buffer, mac, 6);
    if (returned) *returned = 6;
    result = WVWL_ERROR_SUCCESS;
    return true;
  }
  if (request == OID_WDP_QUERY_VIDEO) {
    std::memset(buffer, 0, length);
    if (returned) *returned = length;
    result = WVWL_ERROR_SUCCESS;
    return true;
  }
  return false;
}

bool WdpOidSet(unsigned long request, const void* data, unsigned long length, int& result) {
  if (request == OID_WDP_SET_CONFIG) {
    WDP_CONFIG_REQUEST r{};
    result = length == sizeof r ? (std::memcpy(&r, data, sizeof r), SetConfigRequest(r)) : WVWL_ERROR_FAILURE;
    return true;
  }
  if (request == OID_WDP_SET_TDLS_ENABLE) {
    if (length != 4) {
      result = WVWL_ERROR_FAILURE;
      return true;
    }
    std::lock_guard<std::mutex> lock(Rt().mu);
    std::memcpy(&Rt().tdlsEnabled, data, 4);
    result = WVWL_ERROR_SUCCESS;
    return true;
  }
  if (request == OID_WDP_SET_TDLS_SETUP) {
    result = TdlsSetup(data, length);
    return true;
  }
  return false;
}

int WdpLeaseLookup(const unsigned char* mac6, char* address64) {
  if (!mac6 || !address64) return 0;
  WdpRuntime& rt = Rt();
  const WdpScene scene = Scene();
  std::lock_guard<std::mutex> lock(rt.mu);
  if (rt.leaseFailuresLeft < 0) rt.leaseFailuresLeft = scene.leaseFailures;
  if (rt.leaseFailuresLeft > 0) {
    --rt.leaseFailuresLeft;
    return 0;
  }
  for (const WdpLease& lease : rt.leasesSet ? rt.leases : scene.leases) {
    if (std::memcmp(lease.mac, mac6, 6) == 0) {
      std::snprintf(address64, 64, "%s", lease.ip.c_str());
      return 1;
    }
  }
  return 0;
}

std::string WdpConfigText(const void* config, int set) {
  if (!config) return "null, " + std::to_string(set);
  WDP_CONFIG c{};
  std::memcpy(&c, config, sizeof c);
  char text[96];
  std::snprintf(text, sizeof text, "ConfigMode=%u DevInfo=0x%04X ControlPort=%u ExtCap=0x%04X, %d", c.ConfigMode,
                c.DevInfo, c.ControlPort, c.ExtCap, set);
  return text;
}

std::string HexBytes(const void* data, unsigned long length) {
  std::string hex;
  const auto* p = static_cast<const uint8_t*>(data);
  char two[3];
  for (unsigned long i = 0; p && i < length; ++i) {
    std::snprintf(two, sizeof two, "%02X", p[i]);
    hex += two;
  }
  return hex;
}

bool WdpCommand(const std::vector<std::string>& t, std::string& reply) {
  if (t.empty()) return false;
  WdpRuntime& rt = Rt();
  const std::string& cmd = t[0];
  if (EqualNoCase(cmd, "wdptable") && t.size() == 2) {
    std::vector<uint8_t> table;
    if (!ParseHex(t[1], table) || table.empty() || table.size() > kTableSize) {
      reply = "error: wdptable HEX (1 to 1142 bytes)\n";
      return true;
    }
    table.resize(kTableSize, 0);
    std::lock_guard<std::mutex> lock(rt.mu);
    rt.table = table;
    rt.tableSet = true;
    reply = "ok\n";
    return true;
  }
  if (EqualNoCase(cmd, "wdpstatus") && t.size() == 2) {
    std::vector<uint8_t> record;
    if (!ParseHex(t[1], record) || record.empty() || record.size() > kStatusSize) {
      reply = "error: wdpstatus HEX (1 to 144 bytes)\n";
      return true;
    }
    record.resize(kStatusSize, 0);
    bool first = false;
    {
      std::lock_guard<std::mutex> lock(rt.mu);
      first = rt.events.empty();
      rt.events.push_back(record);
    }
    reply = !first || Sim().SignalEvent(false) ? "ok\n" : "ok (no event handed over yet)\n";
    return true;
  }
  if (EqualNoCase(cmd, "wdppeer") && t.size() == 3) {
    uint8_t iface[6], device[6];
    if (!ParseMacTo(t[1], iface) || !ParseMacTo(t[2], device)) {
      reply = "error: wdppeer INTERFACE-MAC DEVICE-MAC\n";
      return true;
    }
    std::lock_guard<std::mutex> lock(rt.mu);
    std::memcpy(rt.peerInterfaceMac, iface, 6);
    std::memcpy(rt.peerDeviceMac, device, 6);
    rt.peerSet = true;
    reply = "ok\n";
    return true;
  }
  if (EqualNoCase(cmd, "wdptdls") && (t.size() == 2 || t.size() == 3)) {
    long long result = WVWL_ERROR_SUCCESS, reads = -1;
    if (!ParseInt(t[1], result) || (t.size() == 3 && (!ParseInt(t[2], reads) || reads < -1))) {
      reply = "error: wdptdls RESULT [READS]\n";
      return true;
    }
    std::lock_guard<std::mutex> lock(rt.mu);
    rt.tdlsSet = true;
    rt.tdlsResult = static_cast<int>(result);
    rt.tdlsReadyAfter = static_cast<int>(reads);
    reply = "ok\n";
    return true;
  }
  if (EqualNoCase(cmd, "wdplease") && (t.size() == 3 || t.size() == 4)) {
    WdpLease lease;
    long long fails = 0;
    if (!ParseMacTo(t[1], lease.mac) || t[2].size() > 63 || (t.size() == 4 && (!ParseInt(t[3], fails) || fails < 0))) {
      reply = "error: wdplease MAC IP [FAILS]\n";
      return true;
    }
    lease.ip = t[2];
    std::lock_guard<std::mutex> lock(rt.mu);
    if (!rt.leasesSet) rt.leases = Sim().WithScenario([](const Scenario& s) { return s.wdp.leases; });
    rt.leasesSet = true;
    rt.leases.push_back(lease);
    rt.leaseFailuresLeft = static_cast<int>(fails);
    reply = "ok\n";
    return true;
  }
  return false;
}

}  // namespace sim
