#include "Scenario.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>

namespace sim {

namespace {

class Reader {
public:
  Reader(const IniDoc& doc, std::vector<std::string>& warnings) : doc_(doc), warnings_(warnings) {}

  void Int(const std::string& sec, const std::string& key, int& v, long long lo, long long hi) {
    long long x = v;
    Long(sec, key, x, lo, hi);
    v = static_cast<int>(x);
  }
  void Long(const std::string& sec, const std::string& key, long long& v, long long lo, long long hi) {
    if (!doc_.Has(sec, key)) return;
    long long x = 0;
    if (!ParseInt(doc_.Get(sec, key), x) || x < lo || x > hi) {
      Warn(sec, key);
      return;
    }
    v = x;
  }
  void Bool(const std::string& sec, const std::string& key, bool& v) {
    if (!doc_.Has(sec, key)) return;
    std::string t = doc_.Get(sec, key);
    if (t == "1" || EqualNoCase(t, "true") || EqualNoCase(t, "yes")) v = true;
    else if (t == "0" || EqualNoCase(t, "false") || EqualNoCase(t, "no")) v = false;
    else Warn(sec, key);
  }
  void Text(const std::string& sec, const std::string& key, std::string& v) {
    if (doc_.Has(sec, key)) v = doc_.Get(sec, key);
  }
  template <typename T, typename F>
  void Parsed(const std::string& sec, const std::string& key, T& v, F parse) {
    if (!doc_.Has(sec, key)) return;
    T x{};
    if (!parse(doc_.Get(sec, key), x)) {
      Warn(sec, key);
      return;
    }
    v = x;
  }
  void Warn(const std::string& sec, const std::string& key) {
    warnings_.push_back("[" + sec + "] " + key + ": bad value \"" + doc_.Get(sec, key) + "\"");
  }

private:
  const IniDoc& doc_;
  std::vector<std::string>& warnings_;
};

// Names joined with ",": each trimmed, empty ones dropped.
bool ParseNames(const std::string& text, std::vector<std::string>& out) {
  size_t at = 0;
  while (at <= text.size()) {
    size_t end = text.find(',', at);
    if (end == std::string::npos) end = text.size();
    std::string name = text.substr(at, end - at);
    name.erase(0, name.find_first_not_of(' '));
    name.erase(name.find_last_not_of(' ') + 1);
    if (!name.empty()) out.push_back(name);
    at = end + 1;
  }
  return true;
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

AdapterDef ReadAdapter(Reader& r, const std::string& sec, int index) {
  AdapterDef a;
  a.devDesc = "Tarnwell 802.11ac Wireless LAN Card";
  a.hardwareId = "USB\\VID_1A2B&PID_3C4D";
  a.text128 = "{6E3A1C52-4F0B-4C4D-9D7E-2B1F0A9C" + std::to_string(1000 + index) + "}";
  a.location = "Port_#0002.Hub_#0001";
  a.manufacturer = "Tarnwell";
  a.mac[5] = static_cast<uint8_t>(0x56 + index);
  r.Bool(sec, "Present", a.present);
  r.Text(sec, "DevDesc", a.devDesc);
  r.Text(sec, "HardwareID", a.hardwareId);
  r.Text(sec, "Text128", a.text128);
  r.Text(sec, "Text392", a.text392);
  r.Text(sec, "Location", a.location);
  r.Text(sec, "Manufacturer", a.manufacturer);
  long long kind = a.kind;
  r.Long(sec, "Kind", kind, 0, 0xFFFFFFFFLL);
  a.kind = static_cast<uint32_t>(kind);
  r.Parsed(sec, "Mac", a.mac, ParseMac);
  r.Bool(sec, "Unterminated", a.unterminated);
  return a;
}

Network ReadNetwork(Reader& r, const IniDoc& doc, const std::string& sec, int index) {
  Network n;
  n.id = sec;
  n.bssid = {0x00, 0x11, 0x22, 0x33, 0x44, static_cast<uint8_t>(index)};
  n.rates = {0x82, 0x84, 0x8B, 0x96, 0x0C, 0x12, 0x18, 0x24, 0x30, 0x48, 0x60, 0x6C};
  r.Text(sec, "SSID", n.ssid);
  r.Parsed(sec, "BSSID", n.bssid, ParseMac);
  r.Bool(sec, "Hidden", n.hidden);
  int channel = 0;
  r.Int(sec, "Channel", channel, 1, 196);
  if (channel) {
    uint32_t f = ChannelToFrequencyKHz(channel);
    if (f) n.frequencyKHz = f;
    else r.Warn(sec, "Channel");
  }
  long long freq = n.frequencyKHz;
  r.Long(sec, "Frequency", freq, 0, 0xFFFFFFFFLL);
  n.frequencyKHz = static_cast<uint32_t>(freq);
  if (n.Is5GHz()) n.rates = {0x8C, 0x12, 0x98, 0x24, 0xB0, 0x48, 0x60, 0x6C};
  r.Int(sec, "RSSI", n.rssi, -0x7FFFFFFF, 0x7FFFFFFF);
  r.Parsed(sec, "Rates", n.rates, ParseRates);
  r.Int(sec, "NetworkType", n.networkTypeInUse, -1, 0x7FFFFFFF);
  std::string infra = doc.Get(sec, "Infrastructure");
  if (EqualNoCase(infra, "adhoc")) n.infrastructure = 0;
  else {
    int v = static_cast<int>(n.infrastructure);
    r.Int(sec, "Infrastructure", v, 0, 0x7FFFFFFF);
    n.infrastructure = static_cast<uint32_t>(v);
  }
  r.Parsed(sec, "Security", n.security, ParseSecurity);
  switch (n.security) {
    case Security::Open: case Security::Wep: break;
    case Security::WapiPsk: case Security::WapiCert: n.ciphers = kCipherSms4; break;
    default: n.ciphers = kCipherAes; break;
  }
  r.Parsed(sec, "Cipher", n.ciphers, ParseCiphers);
  r.Bool(sec, "CCKM", n.cckm);
  r.Bool(sec, "WPS", n.wps);
  r.Int(sec, "WPSDevicePasswordId", n.wpsDevicePasswordId, 0, 0xFFFF);
  r.Text(sec, "WPSUUID", n.wpsUuid);
  if (n.wps && n.wpsUuid.empty()) {
    char buf[40];
    std::snprintf(buf, sizeof buf, "7a3c9e10b5d24f6e8a91%02x%02x%02x%02x%02x%02x", n.bssid[0], n.bssid[1], n.bssid[2],
                  n.bssid[3], n.bssid[4], n.bssid[5]);
    n.wpsUuid = buf;
  }
  r.Bool(sec, "WPSConfigured", n.wpsConfigured);
  r.Bool(sec, "WPSLocked", n.wpsLocked);
  r.Text(sec, "WPSPin", n.wpsPin);
  r.Int(sec, "WPSFailCode", n.wpsFailCode, 0, 0x0FFFFFFF);
  r.Text(sec, "WPSCredentials", n.wpsCredentials);
  r.Bool(sec, "HT", n.ht);
  r.Bool(sec, "VHT", n.vht);
  r.Text(sec, "Passphrase", n.passphrase);
  r.Text(sec, "Key", n.key);
  r.Text(sec, "Identity", n.identity);
  r.Text(sec, "Password", n.password);
  r.Bool(sec, "AuthTimeout", n.authTimeout);
  r.Bool(sec, "PasswordChange", n.passwordChange);
  n.apIp = {192, 168, static_cast<uint8_t>(index), 1};
  n.clientIp = {192, 168, static_cast<uint8_t>(index), 23};
  r.Parsed(sec, "APIP", n.apIp, ParseIp);
  r.Text(sec, "APName", n.apName);
  r.Parsed(sec, "ClientIP", n.clientIp, ParseIp);
  r.Parsed(sec, "Mask", n.mask, ParseIp);
  r.Int(sec, "Chains", n.chains, 1, 3);
  long long tx = 0, rx = 0;
  r.Long(sec, "TxRate", tx, 0, 10000);
  r.Long(sec, "RxRate", rx, 0, 10000);
  n.txRate = static_cast<double>(tx);
  n.rxRate = static_cast<double>(rx);
  r.Bool(sec, "InRange", n.inRange);
  r.Long(sec, "ItemLength", n.itemLength, -1, 0xFFFFFFFFLL);
  r.Long(sec, "IELength", n.ieLength, -1, 0xFFFFFFFFLL);
  r.Long(sec, "SsidLength", n.ssidLength, -1, 0xFFFFFFFFLL);
  r.Parsed(sec, "ExtraIEs", n.extraIes, ParseHex);
  if (n.ssid.size() > 32 && n.ssidLength < 0) {
    r.Warn(sec, "SSID");
    n.ssid.resize(32);
  }
  return n;
}

IcsAdapterDef ReadIcsAdapter(Reader& r, const std::string& sec) {
  IcsAdapterDef a;
  r.Text(sec, "Name", a.name);
  long long type = a.type, status = a.status;
  r.Long(sec, "Type", type, 0, 0xFFFFFFFFLL);
  r.Long(sec, "Status", status, 0, 0xFFFFFFFFLL);
  a.type = static_cast<uint32_t>(type);
  a.status = static_cast<uint32_t>(status);
  return a;
}

CertDef ReadCert(Reader& r, const std::string& sec) {
  CertDef c;
  r.Text(sec, "Store", c.store);
  r.Bool(sec, "Machine", c.machine);
  r.Text(sec, "IssuedTo", c.issuedTo);
  r.Text(sec, "IssuedBy", c.issuedBy);
  r.Text(sec, "Expiry", c.expiry);
  r.Text(sec, "FriendlyName", c.friendlyName);
  r.Parsed(sec, "Hash", c.hash, ParseHex);
  r.Bool(sec, "Exportable", c.exportable);
  return c;
}

// MAC addresses joined with ",".
bool ParseMacs(const std::string& text, std::vector<Mac>& out) {
  size_t at = 0;
  while (at <= text.size()) {
    size_t end = text.find(',', at);
    if (end == std::string::npos) end = text.size();
    std::string item = Trim(text.substr(at, end - at));
    at = end + 1;
    if (item.empty()) continue;
    Mac mac{};
    if (!ParseMac(item, mac)) return false;
    out.push_back(mac);
  }
  return true;
}

// "MAC" or "MAC/state" items joined with ",".
bool ParsePeers(const std::string& text, std::vector<HostedPeer>& out) {
  size_t at = 0;
  while (at <= text.size()) {
    size_t end = text.find(',', at);
    if (end == std::string::npos) end = text.size();
    std::string item = Trim(text.substr(at, end - at));
    at = end + 1;
    if (item.empty()) continue;
    HostedPeer peer;
    size_t slash = item.find('/');
    if (!ParseMac(Trim(item.substr(0, slash)), peer.mac)) return false;
    if (slash != std::string::npos) {
      long long state = 0;
      if (!ParseInt(Trim(item.substr(slash + 1)), state) || state < 0 || state > 0xFFFFFFFFLL) return false;
      peer.authState = static_cast<uint32_t>(state);
    }
    out.push_back(peer);
  }
  return true;
}

void ReadWps(Reader& r, const IniDoc& doc, Scenario& s) {
  WpsScene& w = s.wps;
  r.Int("WPS", "WalkTimeMs", w.walkTimeMs, 0, 3600000);
  r.Int("WPS", "HwPbcMode", w.hwPbcMode, -0x7FFFFFFF, 0x7FFFFFFF);
  long long version = static_cast<long long>(w.version), testBed = static_cast<long long>(w.testBed);
  r.Long("WPS", "Version", version, 0, 0xFFFFFFFFLL);
  r.Long("WPS", "TestBed", testBed, 0, 0xFFFFFFFFLL);
  w.version = static_cast<unsigned long>(version);
  w.testBed = static_cast<unsigned long>(testBed);
  r.Int("WPS", "APVersion2", w.apVersion2, 0, 255);
  r.Int("WPS", "UseEnrolleeList", w.useEnrolleeList, -0x7FFFFFFF, 0x7FFFFFFF);
  r.Long("WPS", "EnrolleeCountExtra", w.enrolleeCountExtra, 0, 1000000);
  for (const IniDoc::Section* sec : doc.WithPrefix("Enrollee.")) {
    EnrolleeDef e;
    r.Parsed(sec->name, "Mac", e.mac, ParseMac);
    r.Int(sec->name, "PasswordId", e.passwordId, 0, 0xFFFF);
    r.Text(sec->name, "Model", e.model);
    r.Text(sec->name, "Pin", e.pin);
    w.enrollees.push_back(e);
  }
}

void ReadInjections(const IniDoc& doc, Scenario& s) {
  const IniDoc::Section* sec = doc.Find("Inject");
  if (!sec) return;
  for (const IniDoc::Entry& e : sec->entries) {
    size_t pos = 0;
    std::string list = e.value + ",";
    while (pos < list.size()) {
      size_t comma = list.find(',', pos);
      std::string item = Trim(list.substr(pos, comma - pos));
      pos = comma + 1;
      if (item.empty()) continue;
      size_t colon = item.find(':');
      Injection inj{e.key, 0, 0};
      std::string when = colon == std::string::npos ? "*" : Trim(item.substr(0, colon));
      std::string what = colon == std::string::npos ? item : item.substr(colon + 1);
      bool ok = ParseInt(what, inj.result) && (when == "*" || (ParseInt(when, inj.call) && inj.call > 0));
      if (ok) s.injections.push_back(inj);
      else s.warnings.push_back("[Inject] " + e.key + ": bad value \"" + item + "\"");
    }
  }
}

}  // namespace

int Network::Channel() const { return FrequencyKHzToChannel(frequencyKHz); }

bool Network::IsEnterprise() const {
  return security == Security::Wpa || security == Security::Wpa2 || security == Security::WpaWpa2 ||
         security == Security::WapiCert;
}

bool Network::IsPersonal() const {
  return security == Security::WpaPsk || security == Security::Wpa2Psk || security == Security::WpaWpa2Psk ||
         security == Security::WpaNone || security == Security::Wpa2None || security == Security::WapiPsk;
}

Scenario ScenarioFromIni(const IniDoc& doc) {
  Scenario s;
  Reader r(doc, s.warnings);
  const std::string sys = "System";
  r.Int(sys, "WinOS", s.winOS, -0x7FFFFFFF, 0x7FFFFFFF);
  r.Int(sys, "WinType", s.winType, -0x7FFFFFFF, 0x7FFFFFFF);
  r.Int(sys, "ScanTimeMs", s.scanTimeMs, 0, 600000);
  r.Int(sys, "ConnectTimeMs", s.connectTimeMs, 0, 600000);
  r.Text(sys, "StateFile", s.stateFile);
  r.Text(sys, "DriverPath", s.driverPath);
  r.Bool(sys, "IsWow64", s.isWow64);
  r.Bool(sys, "UserAdmin", s.userAdmin);
  r.Bool(sys, "MoreThanOneUser", s.moreThanOneUser);
  r.Int(sys, "ZeroConfig", s.zeroConfig, 0, 0x7FFFFFFF);
  r.Bool(sys, "MSConfigService", s.msConfigService);
  r.Bool(sys, "WpaCapable", s.wpaCapable);
  r.Bool(sys, "AllowStandardUserProfile", s.allowStandardUserProfile);
  r.Bool(sys, "AllowStandardUserAdvance", s.allowStandardUserAdvance);
  r.Int(sys, "DeviceModel", s.deviceModel, -0x7FFFFFFF, 0x7FFFFFFF);
  r.Int(sys, "USBVersion", s.usbVersion, 0, 3);
  r.Bool(sys, "RepositTimeOff", s.repositTimeOff);
  r.Bool(sys, "HostileTexts", s.hostileTexts);
  r.Long(sys, "AdapterCountExtra", s.adapterCountExtra, 0, 1000000);

  r.Bool("Radio", "Hardware", s.hwRadio);
  r.Bool("Radio", "Software", s.swRadio);

  const std::string drv = "Driver";
  r.Int(drv, "OpMode", s.opMode, 0, 0xFFFF);
  r.Int(drv, "StoredOpMode", s.storedOpMode, 0, 0xFFFF);
  r.Bool(drv, "OpModeApplies", s.opModeApplies);
  r.Int(drv, "CountryRegion", s.countryRegion, 0, 255);
  r.Int(drv, "CountryRegionABand", s.countryRegionA, 0, 255);
  r.Int(drv, "ChannelMode", s.channelMode, 0, 2);
  r.Int(drv, "WirelessMode", s.wirelessMode, -1, 255);
  r.Bool(drv, "Support11n", s.support11n);
  r.Bool(drv, "Support11ac", s.support11ac);
  r.Bool(drv, "SupportAPMode", s.supportAPMode);
  r.Bool(drv, "SupportWiFiDirect", s.supportWiFiDirect);
  r.Bool(drv, "SupportWiFiDisplay", s.supportWiFiDisplay);
  r.Bool(drv, "SupportTDLS", s.supportTDLS);
  r.Bool(drv, "HostedNetworkAvailable", s.hostedNetworkAvailable);
  r.Bool(drv, "SupportHotspot20", s.supportHotspot20);
  r.Int(drv, "InitWifiDirectNotReady", s.initWifiDirectNotReady, 0, 1000000);
  r.Int(drv, "InitWifiDisplayNotReady", s.initWifiDisplayNotReady, 0, 1000000);
  r.Int(drv, "StartGOResult", s.startGoResult, -0x7FFFFFFF, 0x7FFFFFFF);

  r.Bool(drv, "VMPortAvailable", s.vmPortAvailable);
  r.Text(drv, "VMPortClass", s.vmPortClass);
  r.Long("ICSList", "CountExtra", s.icsCountExtra, 0, 1000000);
  r.Int("HostedNetwork", "State", s.hostedState, -0x7FFFFFFF, 0x7FFFFFFF);
  r.Parsed("HostedNetwork", "BSSID", s.hostedBssid, ParseMac);
  r.Parsed("HostedNetwork", "Peers", s.hostedPeers, ParsePeers);
  r.Long("HostedNetwork", "PeerCount", s.hostedPeerCount, -1, 0xFFFFFFFFLL);

  r.Parsed("BlockAck", "Peers", s.baPeers, ParseMacs);
  r.Long("BlockAck", "PeerCount", s.baPeerCount, -1, 0xFFFFFFFFLL);
  r.Bool("BlockAck", "ConnectedAP", s.baConnectedAp);

  const std::string adv = "Advanced";
  r.Bool(adv, "Region24Changeable", s.region24Changeable);
  r.Bool(adv, "Region5Changeable", s.region5Changeable);
  r.Int(adv, "MaxRegion24", s.maxRegion24, 0, 127);
  r.Int(adv, "MaxRegion5", s.maxRegion5, 0, 127);
  r.Int(adv, "AntennaNumber", s.antennaNumber, 0, 0xFF);
  r.Parsed(adv, "DiagnosticProfiles", s.diagnosticProfiles, ParseNames);
  s.windowsProfilesListed = doc.Has(adv, "WindowsProfiles");
  r.Parsed(adv, "WindowsProfiles", s.windowsProfiles, ParseNames);

  r.Long("List", "CountExtra", s.listCountExtra, 0, 0xFFFFFFFFLL);
  r.Long("List", "PadBytes", s.listPadBytes, 0, 0x100000);

  int index = 0;
  for (const IniDoc::Section* sec : doc.WithPrefix("Adapter.")) s.adapters.push_back(ReadAdapter(r, sec->name, ++index));
  for (const IniDoc::Section* sec : doc.WithPrefix("ICS.")) s.icsAdapters.push_back(ReadIcsAdapter(r, sec->name));
  index = 0;
  for (const IniDoc::Section* sec : doc.WithPrefix("Network.")) s.networks.push_back(ReadNetwork(r, doc, sec->name, ++index));
  for (const IniDoc::Section* sec : doc.WithPrefix("Cert.")) s.certs.push_back(ReadCert(r, sec->name));
  ReadWdpScene(doc, s.wdp, s.warnings);
  ReadWps(r, doc, s);
  ReadInjections(doc, s);
  return s;
}

bool LoadScenario(const std::string& path, Scenario& out, std::string& error) {
  IniDoc doc;
  if (!IniDoc::LoadFile(path, doc)) {
    error = "cannot read scenario file " + path;
    return false;
  }
  out = ScenarioFromIni(doc);
  out.path = path;
  return true;
}

Scenario BuiltInScenario() {
  IniDoc doc;
  doc.Set("Adapter.1", "Present", "1");
  Scenario s = ScenarioFromIni(doc);
  s.path = "(built-in)";
  return s;
}

bool ParseMac(const std::string& text, Mac& out) {
  std::string digits;
  for (char c : text) {
    if (c == ':' || c == '-') continue;
    if (HexDigit(c) < 0) return false;
    digits += c;
  }
  if (digits.size() != 12) return false;
  for (int i = 0; i < 6; ++i) out[i] = static_cast<uint8_t>(HexDigit(digits[2 * i]) * 16 + HexDigit(digits[2 * i + 1]));
  return true;
}

bool ParseIp(const std::string& text, Ip4& out) {
  unsigned a, b, c, d;
  char tail;
  if (std::sscanf(text.c_str(), "%u.%u.%u.%u%c", &a, &b, &c, &d, &tail) != 4) return false;
  if (a > 255 || b > 255 || c > 255 || d > 255) return false;
  out = {static_cast<uint8_t>(a), static_cast<uint8_t>(b), static_cast<uint8_t>(c), static_cast<uint8_t>(d)};
  return true;
}

bool ParseHex(const std::string& text, std::vector<uint8_t>& out) {
  std::string digits;
  for (char c : text) {
    if (c == ' ' || c == ':' || c == '-') continue;
    if (HexDigit(c) < 0) return false;
    digits += c;
  }
  if (digits.size() % 2) return false;
  out.clear();
  for (size_t i = 0; i < digits.size(); i += 2)
    out.push_back(static_cast<uint8_t>(HexDigit(digits[i]) * 16 + HexDigit(digits[i + 1])));
  return true;
}

std::string HexText(const uint8_t* data, size_t size) {
  static const char* digits = "0123456789ABCDEF";
  std::string s;
  s.reserve(size * 2);
  for (size_t i = 0; i < size; ++i) {
    s += digits[data[i] >> 4];
    s += digits[data[i] & 15];
  }
  return s;
}

bool ParseSecurity(const std::string& text, Security& out) {
  static const struct { const char* name; Security value; } table[] = {
      {"open", Security::Open},           {"wep", Security::Wep},           {"wpa-psk", Security::WpaPsk},
      {"wpa2-psk", Security::Wpa2Psk},    {"wpa-wpa2-psk", Security::WpaWpa2Psk}, {"wpa", Security::Wpa},
      {"wpa2", Security::Wpa2},           {"wpa-wpa2", Security::WpaWpa2},  {"wpa-none", Security::WpaNone},
      {"wpa2-none", Security::Wpa2None},  {"wapi-psk", Security::WapiPsk},  {"wapi-cert", Security::WapiCert},
  };
  for (const auto& row : table)
    if (EqualNoCase(text, row.name)) {
      out = row.value;
      return true;
    }
  return false;
}

bool ParseCiphers(const std::string& text, unsigned& out) {
  unsigned bits = 0;
  std::string list = text + "+";
  size_t pos = 0;
  while (pos < list.size()) {
    size_t plus = list.find('+', pos);
    std::string item = Trim(list.substr(pos, plus - pos));
    pos = plus + 1;
    if (item.empty()) continue;
    if (EqualNoCase(item, "wep")) bits |= kCipherWep;
    else if (EqualNoCase(item, "tkip")) bits |= kCipherTkip;
    else if (EqualNoCase(item, "aes") || EqualNoCase(item, "ccmp")) bits |= kCipherAes;
    else if (EqualNoCase(item, "sms4")) bits |= kCipherSms4;
    else if (!EqualNoCase(item, "none")) return false;
  }
  out = bits;
  return true;
}

bool ParseRates(const std::string& text, std::vector<uint8_t>& out) {
  std::vector<uint8_t> rates;
  std::string list = text + ",";
  size_t pos = 0;
  while (pos < list.size()) {
    size_t comma = list.find(',', pos);
    std::string item = Trim(list.substr(pos, comma - pos));
    pos = comma + 1;
    if (item.empty()) continue;
    bool basic = item.back() == '*';
    if (basic) item.pop_back();
    char* end = nullptr;
    double mbps = std::strtod(item.c_str(), &end);
    if (end == item.c_str() || *end || mbps <= 0 || mbps > 63.5) return false;
    rates.push_back(static_cast<uint8_t>(static_cast<int>(mbps * 2 + 0.5) | (basic ? 0x80 : 0)));
  }
  if (rates.empty() || rates.size() > 16) return false;
  out = rates;
  return true;
}

uint32_t ChannelToFrequencyKHz(int channel) {
  if (channel >= 1 && channel <= 13) return 2407000 + 5000 * channel;
  if (channel == 14) return 2484000;
  if (channel >= 34 && channel <= 196) return 5000000 + 5000 * channel;
  return 0;
}

int FrequencyKHzToChannel(uint32_t kHz) {
  if (kHz == 2484000) return 14;
  if (kHz >= 2412000 && kHz <= 2472000 && (kHz - 2407000) % 5000 == 0) return (kHz - 2407000) / 5000;
  if (kHz >= 5170000 && kHz <= 5980000 && (kHz - 5000000) % 5000 == 0) return (kHz - 5000000) / 5000;
  return -1;
}

}  // namespace sim
