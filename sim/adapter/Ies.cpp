#include "Ies.h"

#include <cstdio>

namespace sim {

namespace {

const uint8_t kOuiWfa[3] = {0x00, 0x50, 0xF2};
const uint8_t kOuiRsn[3] = {0x00, 0x0F, 0xAC};
const uint8_t kOuiCisco[3] = {0x00, 0x40, 0x96};
const uint8_t kOuiWapi[3] = {0x00, 0x14, 0x72};

void Element(std::vector<uint8_t>& out, uint8_t id, const std::vector<uint8_t>& body) {
  out.push_back(id);
  out.push_back(static_cast<uint8_t>(body.size()));
  out.insert(out.end(), body.begin(), body.end());
}

void Suite(std::vector<uint8_t>& b, const uint8_t* oui, uint8_t type) {
  b.insert(b.end(), oui, oui + 3);
  b.push_back(type);
}

void Le16(std::vector<uint8_t>& b, unsigned v) {
  b.push_back(static_cast<uint8_t>(v));
  b.push_back(static_cast<uint8_t>(v >> 8));
}

void WpsAttr(std::vector<uint8_t>& b, unsigned type, const std::vector<uint8_t>& value) {
  b.push_back(static_cast<uint8_t>(type >> 8));
  b.push_back(static_cast<uint8_t>(type));
  b.push_back(static_cast<uint8_t>(value.size() >> 8));
  b.push_back(static_cast<uint8_t>(value.size()));
  b.insert(b.end(), value.begin(), value.end());
}

// Cipher suites in WPA/RSN order; group cipher is the weakest offered.
std::vector<uint8_t> CipherTypes(unsigned ciphers) {
  std::vector<uint8_t> types;
  if (ciphers & kCipherTkip) types.push_back(2);
  if (ciphers & kCipherAes) types.push_back(4);
  if (types.empty()) types.push_back(4);
  return types;
}

std::vector<uint8_t> KeyManagementBody(const uint8_t* oui, unsigned ciphers, uint8_t akm, bool cckm, bool rsn) {
  std::vector<uint8_t> b;
  if (!rsn) Suite(b, kOuiWfa, 1);
  Le16(b, 1);
  std::vector<uint8_t> types = CipherTypes(ciphers);
  Suite(b, oui, types.front());
  Le16(b, static_cast<unsigned>(types.size()));
  for (uint8_t t : types) Suite(b, oui, t);
  Le16(b, cckm ? 2 : 1);
  Suite(b, oui, akm);
  if (cckm) Suite(b, kOuiCisco, 0);
  if (rsn) Le16(b, 0);
  return b;
}

void AddKeyManagement(std::vector<uint8_t>& out, const Network& n) {
  bool wpa = false, rsn = false;
  uint8_t akm = 1;
  switch (n.security) {
    case Security::WpaPsk: wpa = true; akm = 2; break;
    case Security::Wpa2Psk: rsn = true; akm = 2; break;
    case Security::WpaWpa2Psk: wpa = rsn = true; akm = 2; break;
    case Security::Wpa: wpa = true; break;
    case Security::Wpa2: rsn = true; break;
    case Security::WpaWpa2: wpa = rsn = true; break;
    case Security::WpaNone: wpa = true; akm = 0; break;
    case Security::Wpa2None: rsn = true; akm = 0; break;
    default: break;
  }
  if (rsn) Element(out, 48, KeyManagementBody(kOuiRsn, n.ciphers, akm, n.cckm, true));
  if (wpa) Element(out, 221, KeyManagementBody(kOuiWfa, n.ciphers, akm, n.cckm, false));
  if (n.security == Security::WapiPsk || n.security == Security::WapiCert) {
    std::vector<uint8_t> b;
    Le16(b, 1);
    Le16(b, 1);
    Suite(b, kOuiWapi, n.security == Security::WapiPsk ? 2 : 1);
    Le16(b, 1);
    Suite(b, kOuiWapi, 1);
    Suite(b, kOuiWapi, 1);
    Le16(b, 0);
    Element(out, 68, b);
  }
}

void AddWps(std::vector<uint8_t>& out, const Network& n) {
  std::vector<uint8_t> b;
  Suite(b, kOuiWfa, 4);
  WpsAttr(b, 0x104A, {0x10});
  WpsAttr(b, 0x1044, {static_cast<uint8_t>(n.wpsConfigured ? 2 : 1)});
  if (n.wpsLocked) WpsAttr(b, 0x1057, {1});
  WpsAttr(b, 0x1041, {1});
  WpsAttr(b, 0x1012, {static_cast<uint8_t>(n.wpsDevicePasswordId >> 8), static_cast<uint8_t>(n.wpsDevicePasswordId)});
  std::vector<uint8_t> uuid;
  if (ParseHex(n.wpsUuid, uuid) && uuid.size() == 16) WpsAttr(b, 0x1047, uuid);
  Element(out, 221, b);
}

void AddHighThroughput(std::vector<uint8_t>& out, const Network& n) {
  int channel = n.Channel();
  bool wide = n.Is5GHz();
  std::vector<uint8_t> cap(26, 0);
  cap[0] = wide ? 0x6E : 0x2C;      // 40 MHz, short guard intervals, SM power save off
  cap[2] = 0x17;
  cap[3] = 0xFF;                     // MCS 0-15
  cap[4] = 0xFF;
  Element(out, 45, cap);
  std::vector<uint8_t> op(22, 0);
  op[0] = static_cast<uint8_t>(channel < 0 ? 0 : channel);
  op[1] = wide ? 0x05 : 0x00;        // secondary channel above, any width
  Element(out, 61, op);
  if (!n.vht) return;
  std::vector<uint8_t> vcap = {0x32, 0x00, 0x80, 0x03, 0xFA, 0xFF, 0x00, 0x00, 0xFA, 0xFF, 0x00, 0x00};
  Element(out, 191, vcap);
  std::vector<uint8_t> vop = {0x01, static_cast<uint8_t>(channel + 6), 0x00, 0xFC, 0xFF};
  Element(out, 192, vop);
}

}  // namespace

std::vector<uint8_t> BuildIes(const Network& n) {
  std::vector<uint8_t> out(kFixedIeSize, 0);
  out[8] = 100;                               // beacon interval
  unsigned caps = n.infrastructure == 1 ? 0x0001 : 0x0002;
  if (n.security != Security::Open) caps |= 0x0010;
  caps |= 0x0420;                             // short preamble, short slot
  out[10] = static_cast<uint8_t>(caps);
  out[11] = static_cast<uint8_t>(caps >> 8);

  std::string ssid = n.hidden ? std::string() : n.ssid.substr(0, 32);
  Element(out, 0, std::vector<uint8_t>(ssid.begin(), ssid.end()));
  size_t basicCount = n.rates.size() < 8 ? n.rates.size() : 8;
  Element(out, 1, std::vector<uint8_t>(n.rates.begin(), n.rates.begin() + static_cast<long>(basicCount)));
  int channel = n.Channel();
  Element(out, 3, {static_cast<uint8_t>(channel < 0 ? 0 : channel)});
  if (n.rates.size() > 8) Element(out, 50, std::vector<uint8_t>(n.rates.begin() + 8, n.rates.end()));
  AddKeyManagement(out, n);
  if (n.ht || n.vht) AddHighThroughput(out, n);
  if (n.wps) AddWps(out, n);
  out.insert(out.end(), n.extraIes.begin(), n.extraIes.end());
  return out;
}

}  // namespace sim
