#include "EntrySupport.h"

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "BlockAck.h"
#include "Ies.h"
#include "WifiDirect.h"
#include "wlapi/bsslist.h"

namespace sim {

namespace {

constexpr unsigned long kOidBssid = 0x0D010101;
constexpr unsigned long kOidHotspotCheck = 0xFF710703;
constexpr unsigned long kOidLocalIp = 0xFFF10701;
constexpr size_t kRegValueLimit = 4096;

void PutText(IE_INFO* info, size_t offset, size_t room, const std::string& text) {
  char* at = reinterpret_cast<char*>(info) + offset;
  std::memset(at, 0, room);
  std::memcpy(at, text.data(), std::min(text.size(), room - 1));
}

}  // namespace

int LogLine(int level, const char* line) {
  long long injected = 0;
  if (Sim().TakeInjection("WVWL_OutPutUIWppLog", injected)) return static_cast<int>(injected);
  std::string text = Text(line, 4096);
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
  Sim().Journal("log " + std::to_string(level) + " " + text);
  return WVWL_ERROR_SUCCESS;
}

// ---------------------------------------------------------------------------------------------
// Journal texts

std::string Text(const char* text, size_t max) {
  if (!text) return "";
  size_t n = 0;
  while (n < max && text[n]) ++n;
  return std::string(text, n);
}

std::string Quoted(const char* text, size_t max) {
  return text ? "\"" + Text(text, max) + "\"" : "null";
}

std::string Secret(const char* text, size_t max) {
  if (!text) return "null";
  return Text(text, max).empty() ? "\"\"" : "***";
}

std::string WepKeysText(const WLANPROFILE* p) {
  if (!p) return "null";
  std::string text = ProfileText(p) + " default key " + std::to_string(p->wepDefaultKey) + " keys";
  for (const char* key : {p->WEPKey1, p->WEPKey2, p->WEPKey3, p->WEPKey4})
    text += " " + Secret(key, 64);
  return text;
}

std::string SsoSettingText(const SSO_SETTING& s) {
  return "sso " + std::to_string(s.bSSO) + " logon " + Quoted(s.LogonDll, sizeof s.LogonDll) + " driver " +
         Quoted(s.DriverDesc, sizeof s.DriverDesc) + " profile " + Quoted(s.ProfileName, sizeof s.ProfileName);
}

std::string Hex32(unsigned long v) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "0x%08lX", v);
  return buf;
}

std::string ProfileText(const WLANPROFILE* p) {
  if (!p) return "null";
  char buf[200];
  std::snprintf(buf, sizeof buf, "ssid \"%s\" bssid %d %02X:%02X:%02X:%02X:%02X:%02X auth %u encryption %u",
                Text(reinterpret_cast<const char*>(p->SSID.Ssid), std::min<size_t>(p->SSID.SsidLength, 32)).c_str(),
                static_cast<int>(p->bBssid), p->BSSID[0], p->BSSID[1], p->BSSID[2], p->BSSID[3], p->BSSID[4],
                p->BSSID[5], p->enumAuthenMode, p->enumEncryStatus);
  std::string text = buf;
  if (!p->b8021X && p->enumAuthenMode != 3 && p->enumAuthenMode != 6 && p->enumAuthenMode != 13) return text;
  std::snprintf(buf, sizeof buf, " eap %u inner %u id \"%s\" password %s", p->enumAuthenProtocol, p->enumTunnel,
                Text(p->chID, sizeof p->chID).c_str(), p->chPassword[0] ? "***" : "\"\"");
  text += buf;
  if (p->bClientCert) {
    uint32_t length = p->user_cert.BlobLength;
    text += " cert " + (length <= sizeof p->user_cert.BlobData ? HexText(p->user_cert.BlobData, length)
                                                               : "length " + std::to_string(length));
  }
  return text;
}

std::string QueryText(const WLAN_STATUS_QUERY& q) {
  std::string s;
  for (uint32_t f : q.flag) s += std::to_string(f);
  return s;
}

// ---------------------------------------------------------------------------------------------
// Out arguments

int OutInt(int* out, long long v) {
  if (!out) return WVWL_ERROR_FAILURE;
  *out = static_cast<int>(v);
  return WVWL_ERROR_SUCCESS;
}

int OutULong(unsigned long* out, long long v) {
  if (!out) return WVWL_ERROR_FAILURE;
  *out = static_cast<unsigned long>(v);
  return WVWL_ERROR_SUCCESS;
}

int OutMac(unsigned char* mac6) {
  if (!mac6) return WVWL_ERROR_FAILURE;
  Mac mac = Sim().SelectedMac();
  std::memcpy(mac6, mac.data(), 6);
  return WVWL_ERROR_SUCCESS;
}

int OutText(char* out, size_t size, const std::string& text) {
  if (!out || size == 0) return WVWL_ERROR_FAILURE;
  if (Cfg([](const Scenario& s) { return s.hostileTexts; })) {
    // The whole buffer, the text repeated, no terminating zero.
    std::string fill = text.empty() ? std::string("X") : text;
    for (size_t i = 0; i < size; ++i) out[i] = fill[i % fill.size()];
    return WVWL_ERROR_SUCCESS;
  }
  size_t n = std::min(text.size(), size - 1);
  std::memcpy(out, text.data(), n);
  out[n] = 0;
  return WVWL_ERROR_SUCCESS;
}

int RadioPair(int* hardware, int* software) {
  int hw = 0, sw = 0;
  Sim().RadioState(hw, sw);
  if (hardware) *hardware = hw;
  if (software) *software = sw;
  return hardware && software ? WVWL_ERROR_SUCCESS : WVWL_ERROR_FAILURE;
}

int EmptyList(int* count) {
  if (!count) return WVWL_ERROR_FAILURE;
  *count = 0;
  return WVWL_ERROR_SUCCESS;
}

int ReadBlob(const char* key, void* out, size_t size) {
  if (!out) return WVWL_ERROR_FAILURE;
  if (!Sim().Blob(key, out, size)) std::memset(out, 0, size);
  return WVWL_ERROR_SUCCESS;
}

// ---------------------------------------------------------------------------------------------
// Network list and connection

// The library's element parser is the program's checked one, so both read a network alike.
int ParseElements(const NDIS_WLAN_BSSID_EX* item, IE_INFO* info) {
  if (!item || !info) return WVWL_ERROR_FAILURE;
  uint32_t length = item->Length;
  if (length < BSSID_EX_FIXED_SIZE) return WVWL_ERROR_FAILURE;
  size_t size = std::min<size_t>(item->IELength, length - BSSID_EX_FIXED_SIZE);
  const bss::Security s = bss::ParseElements(item->IEs, size);
  info->nAuthBits = s.authBits;
  info->nCipherBits = s.cipherBits;
  info->bCCKM = s.cckm ? 1 : 0;
  info->bWpsIE = s.wps ? 1 : 0;
  PutText(info, 32, 16, s.devPwdId);
  PutText(info, 48, 40, s.configState);
  PutText(info, 88, 36, s.uuidE);
  PutText(info, 124, 24, s.setupLock);
  info->ie80211N.b80211n = s.ht ? 1 : 0;
  info->ie80211AC.b80211ac = s.vht ? 1 : 0;
  const bool wellFormed = size <= kFixedIeSize ||
                          bss::ForEachElement(item->IEs + kFixedIeSize, size - kFixedIeSize, [](const bss::Element&) {});
  return wellFormed ? WVWL_ERROR_SUCCESS : WVWL_ERROR_FAILURE;
}

int RssiToPercent(long rssi) {
  if (rssi >= -50) return 100;
  if (rssi <= -100) return 0;
  return static_cast<int>(2 * (rssi + 100));
}

int WpsApChannel(const unsigned char* mac6, int* channel) {
  if (!mac6 || !channel) return WVWL_ERROR_FAILURE;
  int found = Sim().WithScenario([&](const Scenario& s) {
    for (const Network& n : s.networks)
      if (std::memcmp(n.bssid.data(), mac6, 6) == 0) return n.Channel();
    return -1;
  });
  if (found < 0 && !P2p::Get().GroupChannel(mac6, &found)) return WVWL_ERROR_FAILURE;
  *channel = found;
  return WVWL_ERROR_SUCCESS;
}

void CurrentSetting(WLANPROFILE& p) {
  std::memset(&p, 0, sizeof p);
  if (Sim().Blob("CurrentSetting", &p, sizeof p)) return;
  p.enumNetworkType = 1;
  p.enumEncryStatus = 1;
  p.wepDefaultKey = 1;
}

int OidQuery(unsigned long request, void* buffer, unsigned long length, unsigned long* returned) {
  if (returned) *returned = 0;
  if (!buffer) return WVWL_ERROR_FAILURE;
  int wdp = 0;
  if (WdpOidQuery(request, buffer, length, returned, wdp)) return wdp;
  if (request == kOidBssid) {
    if (length < 6 || !Sim().ConnectedBssid(static_cast<uint8_t*>(buffer))) return WVWL_ERROR_FAILURE;
    if (returned) *returned = 6;
    return WVWL_ERROR_SUCCESS;
  }
  if (request == BaPeerListRequest()) return BaPeerList(buffer, length, returned);
  if (request == kOidHotspotCheck) {
    if (!Cfg([](const Scenario& s) { return s.supportHotspot20; })) return WVWL_ERROR_FAILURE;
    std::memset(buffer, 0, length);
    if (returned) *returned = length;
    return WVWL_ERROR_SUCCESS;
  }
  return WVWL_ERROR_FAILURE;
}

int OidSet(unsigned long request, const void* data, unsigned long length) {
  if (!data && length) return WVWL_ERROR_FAILURE;
  Sim().Journal("OIDSetInfo payload " + Hex32(request) + " " + HexBytes(data, length));
  int wdp = 0;
  if (WdpOidSet(request, data, length, wdp)) return wdp;
  if (request == BaDeleteRequest()) return BaDelete(data, length);
  if (request == kOidLocalIp && length == 4) {
    const auto* ip = static_cast<const uint8_t*>(data);
    char text[20];
    std::snprintf(text, sizeof text, "%u.%u.%u.%u", ip[0], ip[1], ip[2], ip[3]);
    Sim().SetValue("LocalIP", text);
  }
  return WVWL_ERROR_SUCCESS;
}

int ReadAdvance(ADVANCE_CONFIG_DATA* data) {
  if (!data) return WVWL_ERROR_FAILURE;
  if (!Sim().Blob("AdvanceCfg", data, sizeof *data)) {
    std::memset(data, 0, sizeof *data);
    bool n = Cfg([](const Scenario& s) { return s.support11n; });
    data->TransmitSetting = (n ? 3u : 1u) | (15u << 4) | (n ? 1u << 11 : 0) | (1u << 14);
  }
  data->CountryRegion = static_cast<uint32_t>(Sim().IntValue("CountryRegion"));
  data->CountryRegionABand = static_cast<uint32_t>(Sim().IntValue("CountryRegionABand"));
  data->WirelessMode = static_cast<uint32_t>(Sim().IntValue("WirelessMode"));
  data->CCX2_CONTROL = static_cast<uint32_t>(Ccx2Word());
  return WVWL_ERROR_SUCCESS;
}

int WriteAdvance(const ADVANCE_CONFIG_DATA& data) {
  Sim().SetBlob("AdvanceCfg", &data, sizeof data);
  // A region the driver does not let change (the program writes 0 for it) stays as it is.
  if (Cfg([](const Scenario& s) { return s.region24Changeable; }))
    Sim().SetIntValue("CountryRegion", data.CountryRegion & 0x7F);
  if (Cfg([](const Scenario& s) { return s.region5Changeable; }))
    Sim().SetIntValue("CountryRegionABand", data.CountryRegionABand & 0x7F);
  Sim().SetIntValue("WirelessMode", data.WirelessMode);
  return WVWL_ERROR_SUCCESS;
}

// ---------------------------------------------------------------------------------------------
// Profiles

int ReadRecordList(const char* kind, void* records, size_t recordSize, unsigned long* count) {
  if (!count) return WVWL_ERROR_FAILURE;
  auto list = Sim().Records(kind);
  if (!records) {
    *count = static_cast<unsigned long>(list.size());
    return WVWL_ERROR_SUCCESS;
  }
  size_t n = std::min<size_t>(*count, list.size());
  auto* out = static_cast<uint8_t*>(records);
  for (size_t i = 0; i < n; ++i) {
    std::memset(out + i * recordSize, 0, recordSize);
    std::memcpy(out + i * recordSize, list[i].second.data(), std::min(recordSize, list[i].second.size()));
  }
  *count = static_cast<unsigned long>(n);
  return WVWL_ERROR_SUCCESS;
}

namespace {
std::atomic<long long> g_profileClaim{-1};
}  // namespace

void ClaimProfileCount(long long count) { g_profileClaim = count; }

int ReadProfileList(WLANPROFILE* profiles, unsigned long* count) {
  if (!profiles && count) {
    const long long claim = g_profileClaim.exchange(-1);
    if (claim >= 0) {
      *count = static_cast<unsigned long>(claim);
      return WVWL_ERROR_SUCCESS;
    }
  }
  return ReadRecordList("Profile", profiles, sizeof(WLANPROFILE), count);
}

int ReadProfileData(WLANPROFILE* profile, const char* name) {
  if (!profile) return WVWL_ERROR_FAILURE;
  std::string key = Text(name, 128);
  if (key.empty()) return Sim().Blob("CurrentSetting", profile, sizeof *profile) ? WVWL_ERROR_SUCCESS : WVWL_ERROR_FAILURE;
  return Sim().ReadRecord("Profile", key, profile, sizeof *profile) ? WVWL_ERROR_SUCCESS : WVWL_ERROR_FAILURE;
}

int WriteProfile(const char* name, const WLANPROFILE* profile) {
  if (!profile) return WVWL_ERROR_FAILURE;
  std::string key = Text(name, 128);
  std::string own = Text(profile->strProfileName, sizeof profile->strProfileName);
  if (key.empty()) key = own;
  if (key.empty()) return WVWL_ERROR_FAILURE;
  if (!own.empty() && !EqualNoCase(own, key)) {
    // A renamed profile: stored under its new name, the old one removed.
    Sim().DeleteRecord("Profile", key);
    if (EqualNoCase(RegText("CurProfile"), key)) WriteRegValue("CurProfile", REG_SZ, own.c_str(), own.size() + 1);
    key = own;
  }
  Sim().WriteRecord("Profile", key, profile, sizeof *profile);
  return WVWL_ERROR_SUCCESS;
}

int DeleteProfile(const char* name, int deleteConnected) {
  std::string key = Text(name, 128);
  if (key.empty() || !Sim().DeleteRecord("Profile", key)) return WVWL_ERROR_FAILURE;
  Sim().DeleteRecord("PacList", key);
  if (EqualNoCase(RegText("CurProfile"), key)) {
    WriteRegValue("CurProfile", REG_SZ, "", 1);
    if (deleteConnected) Sim().Disconnect();
  }
  return WVWL_ERROR_SUCCESS;
}

int NextProfileId() {
  int highest = 0;
  for (const auto& r : Sim().Records("Profile")) {
    WLANPROFILE p = {};
    std::memcpy(&p, r.second.data(), std::min(sizeof p, r.second.size()));
    highest = std::max(highest, static_cast<int>(p.nProfileID));
  }
  return highest + 1;
}

bool ProfileIdInUse(int id) {
  for (const auto& r : Sim().Records("Profile")) {
    WLANPROFILE p = {};
    std::memcpy(&p, r.second.data(), std::min(sizeof p, r.second.size()));
    if (p.nProfileID == id) return true;
  }
  return false;
}

int WriteProfileId(const char* name, const char* id) {
  WLANPROFILE p;
  std::string key = Text(name, 128);
  if (!id || !Sim().ReadRecord("Profile", key, &p, sizeof p)) return WVWL_ERROR_FAILURE;
  p.nProfileID = std::atoi(id);
  Sim().WriteRecord("Profile", key, &p, sizeof p);
  return WVWL_ERROR_SUCCESS;
}

int CopyToCurrent(const char* name) {
  WLANPROFILE p;
  std::string key = Text(name, 128);
  if (!Sim().ReadRecord("Profile", key, &p, sizeof p)) return WVWL_ERROR_FAILURE;
  Sim().SetBlob("CurrentSetting", &p, sizeof p);
  WriteRegValue("CurProfile", REG_SZ, key.c_str(), key.size() + 1);
  return WVWL_ERROR_SUCCESS;
}

int ExportProfile(const char* name, const char* path) {
  WLANPROFILE p;
  std::string key = Text(name, 128);
  if (!path || !Sim().ReadRecord("Profile", key, &p, sizeof p)) return WVWL_ERROR_FAILURE;
  IniDoc doc;
  doc.Set("Profile", "Name", HexText(reinterpret_cast<const uint8_t*>(key.data()), key.size()));
  doc.Set("Profile", "Data", HexText(reinterpret_cast<const uint8_t*>(&p), sizeof p));
  return doc.SaveFile(path) ? WVWL_ERROR_SUCCESS : WVWL_ERROR_FAILURE;
}

// A profile file holds one [Profile] section: the profile's name and its whole record, both
// in hex. A file that holds anything else is refused and nothing is stored.
int ImportProfile(const char* path) {
  constexpr int kMoreThanOne = -14, kNoProfile = -15, kExists = -16;
  constexpr DWORD kMaxFileBytes = 64 * 1024;  // a profile file is about 12 KB
  if (!path) return WVWL_ERROR_FAILURE;
  WIN32_FILE_ATTRIBUTE_DATA info;
  if (!GetFileAttributesExA(path, GetFileExInfoStandard, &info)) return WVWL_ERROR_FAILURE;
  if (info.nFileSizeHigh || info.nFileSizeLow > kMaxFileBytes) return kNoProfile;
  IniDoc doc;
  if (!IniDoc::LoadFile(path, doc)) return WVWL_ERROR_FAILURE;
  auto sections = doc.WithPrefix("Profile");
  if (sections.size() > 1) return kMoreThanOne;
  if (sections.empty() || !EqualNoCase(sections[0]->name, "Profile")) return kNoProfile;
  std::vector<uint8_t> name, data;
  if (!ParseHex(doc.Get("Profile", "Name"), name) || !ParseHex(doc.Get("Profile", "Data"), data)) return kNoProfile;
  if (name.empty() || name.size() > 127 || std::memchr(name.data(), 0, name.size()) || data.size() != sizeof(WLANPROFILE))
    return kNoProfile;
  WLANPROFILE p;
  std::memcpy(&p, data.data(), sizeof p);
  std::string key(name.begin(), name.end());
  if (Text(p.strProfileName, sizeof p.strProfileName) != key || p.strProfileName[sizeof p.strProfileName - 1] ||
      p.SSID.SsidLength > sizeof p.SSID.Ssid || p.nPskKeyLen > sizeof p.chPskKey)
    return kNoProfile;
  WLANPROFILE existing;
  if (Sim().ReadRecord("Profile", key, &existing, sizeof existing)) return kExists;
  Sim().WriteRecord("Profile", key, &p, sizeof p);
  return WVWL_ERROR_SUCCESS;
}

// ---------------------------------------------------------------------------------------------
// Registry values

int WriteRegValue(const char* name, unsigned long type, const void* data, unsigned long length) {
  std::string key = Text(name, 256);
  if (key.empty() || (!data && length) || length > kRegValueLimit) return WVWL_ERROR_FAILURE;
  Sim().SetValue("Reg." + key, HexText(static_cast<const uint8_t*>(data), length));
  Sim().SetIntValue("RegType." + key, static_cast<long long>(type));
  return WVWL_ERROR_SUCCESS;
}

std::string RegValueText(const char* name, unsigned long type, const void* data, unsigned long length) {
  std::string text = Text(name, 256);
  const auto* bytes = static_cast<const uint8_t*>(data);
  if (!bytes) return text + " (null) length=" + std::to_string(length);
  const size_t shown = std::min<unsigned long>(length, kRegValueLimit);
  if (type == REG_DWORD && length == 4) {
    uint32_t word = 0;
    std::memcpy(&word, bytes, 4);
    return text + " dword=" + Hex32(word);
  }
  if (type == REG_SZ) return text + " sz=" + Quoted(reinterpret_cast<const char*>(bytes), shown);
  return text + " type=" + std::to_string(type) + " bytes=" + HexText(bytes, shown);
}

std::string ExtApConfigText(const EXTAP_CONFIG& c) {
  const size_t ssidLength = std::min<size_t>(c.SsidLength, sizeof c.Ssid);
  char buf[160];
  std::snprintf(buf, sizeof buf, "ssid=%s/%u key=%u bytes peers=%u ip=%u.%u.%u.%u",
                Text(reinterpret_cast<const char*>(c.Ssid), ssidLength).c_str(), unsigned(c.SsidLength),
                unsigned(c.KeyLength), unsigned(c.MaxPeers), c.IpAddress[0], c.IpAddress[1], c.IpAddress[2],
                c.IpAddress[3]);
  return buf;
}

std::string RegText(const char* name) {
  std::vector<uint8_t> bytes;
  if (!ParseHex(Sim().Value(std::string("Reg.") + name), bytes)) return "";
  std::string text(bytes.begin(), bytes.end());
  size_t nul = text.find('\0');
  return nul == std::string::npos ? text : text.substr(0, nul);
}

unsigned long Ccx2Word() {
  std::string set = Sim().Value("CCX2Control");
  if (!set.empty()) return static_cast<unsigned long>(std::strtoul(set.c_str(), nullptr, 10));
  std::vector<uint8_t> bytes;
  if (!ParseHex(Sim().Value("Reg.CCX2Control"), bytes) || bytes.size() < 4) return 0;
  return bytes[0] | (bytes[1] << 8) | (bytes[2] << 16) | (static_cast<unsigned long>(bytes[3]) << 24);
}

// ---------------------------------------------------------------------------------------------
// Value conversions

const std::vector<ValuePair> kNetworkTypes = {{0, 2}, {1, 1}};
const std::vector<ValuePair> kAuthTypes = {{0, 1}, {1, 2}, {3, 3}, {4, 4}, {5, 5}, {6, 6}, {7, 7}};
const std::vector<ValuePair> kCipherTypes = {{0, 0x101}, {1, 0}, {4, 2}, {6, 4}};

int Convert(const std::vector<ValuePair>& table, unsigned long from, unsigned long* to, bool fromDot11) {
  if (!to) return WVWL_ERROR_FAILURE;
  for (const ValuePair& v : table)
    if ((fromDot11 ? v.dot11 : v.ndis) == from) {
      *to = fromDot11 ? v.ndis : v.dot11;
      return WVWL_ERROR_SUCCESS;
    }
  return WVWL_ERROR_FAILURE;
}

}  // namespace sim
