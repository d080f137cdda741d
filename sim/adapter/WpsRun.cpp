#include "WpsRun.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace sim {

namespace {

// Status codes the driver reports.
constexpr uint32_t kScanAp = 2, kLinkUp = 4, kConfigured = 15;
constexpr uint32_t kPbcTooManyAp = 257, kPbcNoAp = 258, kPasswordMismatch = 262;
constexpr uint32_t kExtregScan = 44, kExtregOneEnrollee = 45;
constexpr uint32_t kExtregNoEnrollee = 266, kExtregTooManyEnrollee = 267;
constexpr uint32_t kEapFailed = 516;
// External-registrar callback codes.
constexpr int kCbDeviceFound = 222, kCbM1Received = 201, kCbM8Sent = 208, kCbDone = 221, kCbFailed = 210;

constexpr uint32_t kEnrolleeSteps[] = {2, 3, 4, 5, 6, 17, 18, 19, 21, 22, 23, 24, 25, 26, 27, 15};
constexpr uint32_t kRegistrarSteps[] = {2, 3, 4, 5, 6, 17, 34, 35, 37, 38, 39, 40, 41, 42, 43, 15};
// Where a failure of the scene and a wrong PIN come in: after these codes.
constexpr uint32_t kEnrolleeFailAfter = 19, kEnrolleePinAfter = 22;
constexpr uint32_t kRegistrarFailAfter = 35, kRegistrarPinAfter = 38;

std::string MacText(const uint8_t* mac) {
  char buf[20];
  std::snprintf(buf, sizeof buf, "%02X:%02X:%02X:%02X:%02X:%02X", mac[0], mac[1], mac[2], mac[3], mac[4], mac[5]);
  return buf;
}

std::string SsidOf(const NDIS_802_11_SSID& ssid) {
  return std::string(reinterpret_cast<const char*>(ssid.Ssid), std::min<size_t>(ssid.SsidLength, 32));
}

void SetSsid(NDIS_802_11_SSID& out, const std::string& ssid) {
  std::memset(&out, 0, sizeof out);
  out.SsidLength = static_cast<ULONG>(std::min<size_t>(ssid.size(), 32));
  std::memcpy(out.Ssid, ssid.data(), out.SsidLength);
}

bool IsStopCode(uint32_t code) { return code >= 513 && code <= 516; }

// The network in the scene a sent credential turns the access point into.
void ApplyCredential(Network& n, const WPS_CREDENTIAL& c) {
  n.ssid = SsidOf(c.SSID);
  std::string key(reinterpret_cast<const char*>(c.Key), std::min<size_t>(c.KeyLength, sizeof c.Key));
  switch (c.AuthType) {
    case WPS_AUTH_WPAPSK: n.security = Security::WpaPsk; break;
    case WPS_AUTH_WPA2PSK: n.security = Security::Wpa2Psk; break;
    case WPS_AUTH_WPAPSK_WPA2PSK: n.security = Security::WpaWpa2Psk; break;
    default: n.security = c.EncrType == WPS_ENCR_WEP ? Security::Wep : Security::Open; break;
  }
  n.ciphers = c.EncrType == WPS_ENCR_TKIP ? kCipherTkip
              : c.EncrType == WPS_ENCR_AES ? kCipherAes
              : c.EncrType == WPS_ENCR_TKIP_AES ? kCipherTkip | kCipherAes : 0;
  n.passphrase.clear();
  n.key.clear();
  if (n.security == Security::Wep || key.size() == 64) n.key = key;
  else if (n.security != Security::Open) n.passphrase = key;
  n.wpsConfigured = true;
}

}  // namespace

WpsRun& WpsRun::Get() {
  static WpsRun run;
  return run;
}

int WpsRun::Start(const WPS_MODE& mode) {
  bool kindOk = mode.WpsMode == WPS_START_MODE_PIN || mode.WpsMode == WPS_START_MODE_PBC;
  if (!kindOk || mode.ConfigMode < WPS_START_CONFIG_ENROLLEE || mode.ConfigMode > WPS_START_CONFIG_EXTREG_STA)
    return 0;
  std::lock_guard<std::mutex> lock(mu_);
  StartLocked(mode);
  return 1;
}

void WpsRun::StartLocked(const WPS_MODE& mode) {
  Sim().SetWpsLink(nullptr);
  active_ = true;
  pinRun_ = mode.WpsMode == WPS_START_MODE_PIN;
  configMode_ = mode.ConfigMode;
  steps_.clear();
  code_ = 0;
  started_ = GetTickCount64();
  walkTimeMs_ = Sim().WithScenario([](const Scenario& s) { return s.wps.walkTimeMs; });
  hasTarget_ = false;
  result_ = WPS_PROFILE{};
  enrolleeChosen_ = false;
  awaitingEnrollee_ = false;
  if (configMode_ == WPS_START_CONFIG_EXTREG_STA) ExternalRegistrarLocked(mode);
  else EnrolleeOrRegistrarLocked(mode);
}

void WpsRun::EnrolleeOrRegistrarLocked(const WPS_MODE& mode) {
  Push(kScanAp);
  // A preferred band (0 2.4 GHz, 1 5 GHz; 2 both) leaves the other band's access points out.
  const long long band = Sim().IntValue("WPSPreferPhyType", 2);
  std::vector<Network> wps;
  for (const Network& n : Sim().VisibleNetworks())
    if (n.wps && (band == 2 || (band == 1) == n.Is5GHz())) wps.push_back(n);
  if (pinRun_) {
    auto it = std::find_if(wps.begin(), wps.end(),
                           [&](const Network& n) { return std::memcmp(n.bssid.data(), mode.Bssid, 6) == 0; });
    if (it == wps.end()) return;   // keeps scanning until the walk time ends
    target_ = *it;
  } else {
    std::vector<Network> pushing;
    for (const Network& n : wps)
      if (n.wpsDevicePasswordId == WSC_DEVICE_PASSWORD_ID_PBC) pushing.push_back(n);
    if (pushing.size() != 1) {
      Push(pushing.empty() ? kPbcNoAp : kPbcTooManyAp);
      return;
    }
    target_ = pushing.front();
  }
  hasTarget_ = true;

  bool registrar = configMode_ == WPS_START_CONFIG_REGISTRAR;
  bool wrongPin = pinRun_ && !target_.wpsPin.empty() && StartRecordPin(mode) != target_.wpsPin;
  uint32_t failAfter = registrar ? kRegistrarFailAfter : kEnrolleeFailAfter;
  uint32_t pinAfter = registrar ? kRegistrarPinAfter : kEnrolleePinAfter;
  for (uint32_t code : registrar ? kRegistrarSteps : kEnrolleeSteps) {
    if (code == kScanAp) continue;
    Push(code);
    if (code == failAfter && target_.wpsFailCode) {
      Push(static_cast<uint32_t>(target_.wpsFailCode));
      return;
    }
    if (code == pinAfter && wrongPin) {
      Push(kPasswordMismatch);
      return;
    }
  }

  // What the run delivers: the target's own network, or the networks it names.
  std::vector<Network> delivered{target_};
  if (!target_.wpsCredentials.empty()) {
    delivered.clear();
    Sim().WithScenario([&](const Scenario& s) {
      size_t at = 0;
      while (at <= target_.wpsCredentials.size()) {
        size_t end = std::min(target_.wpsCredentials.find(',', at), target_.wpsCredentials.size());
        std::string id = Trim(target_.wpsCredentials.substr(at, end - at));
        at = end + 1;
        for (const Network& n : s.networks)
          if (EqualNoCase(n.id, id) || EqualNoCase(n.id, "Network." + id)) delivered.push_back(n);
      }
      return 0;
    });
  }
  for (const Network& n : delivered) {
    if (result_.ProfileCnt >= WPS_MAX_CREDENTIALS) break;
    result_.Profile[result_.ProfileCnt] = CredentialOf(n);
    std::memcpy(result_.Profile[result_.ProfileCnt].MacAddr, target_.bssid.data(), 6);
    ++result_.ProfileCnt;
  }
}

void WpsRun::ExternalRegistrarLocked(const WPS_MODE& mode) {
  Push(kExtregScan);
  if (!extreg_) return;   // no access point to work through: nothing is ever found
  extregMode_ = mode;
  // With the enrollee list in use, a PIN run waits for the station the user picks.
  awaitingEnrollee_ = pinRun_ && useEnrolleeList_;
  if (!awaitingEnrollee_) StationStepsLocked();
}

void WpsRun::StationStepsLocked() {
  std::vector<EnrolleeDef> stations = Sim().WithScenario([](const Scenario& s) { return s.wps.enrollees; });
  const EnrolleeDef* station = nullptr;
  if (!pinRun_) {
    int pushing = 0;
    for (const EnrolleeDef& e : stations)
      if (e.passwordId == WSC_DEVICE_PASSWORD_ID_PBC && ++pushing == 1) station = &e;
    if (pushing != 1) {
      Push(pushing == 0 ? kExtregNoEnrollee : kExtregTooManyEnrollee);
      return;
    }
  } else {
    for (const EnrolleeDef& e : stations)
      if (!station || (enrolleeChosen_ && e.mac == enrollee_)) station = &e;
    if (!station) return;
    if (enrolleeChosen_ && station->mac != enrollee_) return;   // the chosen station is gone
  }
  Push(kExtregOneEnrollee);
  bool wrongPin = pinRun_ && !station->pin.empty() && StartRecordPin(extregMode_) != station->pin;
  for (int cb = kCbM1Received; cb <= kCbM8Sent; ++cb) {
    Push(kExtregOneEnrollee, cb);
    if (wrongPin && cb == kCbM1Received + 2) {
      Push(kExtregOneEnrollee, kCbFailed);
      return;
    }
  }
  Push(kExtregOneEnrollee, kCbDone);
  Push(kConfigured);
}

void WpsRun::PressButton() {
  std::lock_guard<std::mutex> lock(mu_);
  buttonPending_ = true;
  WPS_MODE mode{};
  mode.WpsMode = WPS_START_MODE_PBC;
  mode.ConfigMode = WPS_START_CONFIG_ENROLLEE;
  StartLocked(mode);
}

long WpsRun::TakeButton() {
  std::lock_guard<std::mutex> lock(mu_);
  long pressed = buttonPending_ ? 1 : 0;
  buttonPending_ = false;
  return pressed;
}

unsigned long WpsRun::Poll() {
  std::lock_guard<std::mutex> lock(mu_);
  if (!active_) return 0;
  if (!steps_.empty()) {
    ElementsLocked();
  }
  if (!steps_.empty()) {
    Step step = steps_.front();
    steps_.pop_front();
    code_ = step.code;
    if (step.callback) Sim().FireCallback(step.callback);
    if (code_ == kLinkUp && hasTarget_) Sim().SetWpsLink(&target_);
  } else if (!autoSelect_ && GetTickCount64() - started_ >= static_cast<unsigned long long>(walkTimeMs_)) {
    code_ = kEapFailed;
  }
  unsigned long word = (pinRun_ ? WPS_STATUS_PIN_BIT : 0) | code_;
  if (code_ == kConfigured) FinishLocked(true);
  else if (IsStopCode(code_)) FinishLocked(false);
  return word;
}

// The WPS elements are read as the run reaches them (the program sets them after the start):
// past the scan a push-button run needs the element in its probe requests, or the access point
// never sees the push; past the association the exchange needs it in the association request,
// or the access point never starts it and the walk time ends the run.
void WpsRun::ElementsLocked() {
  if (configMode_ == WPS_START_CONFIG_EXTREG_STA || !hasTarget_) return;
  if (code_ == kScanAp && !pinRun_ && Sim().IntValue("WPSProbeReqIE", 1) == 0) {
    steps_.clear();
    hasTarget_ = false;
    result_ = WPS_PROFILE{};
    Push(kPbcNoAp);
  } else if (code_ == kLinkUp && Sim().IntValue("WPSAssociateIE", 1) == 0) {
    steps_.clear();
    result_ = WPS_PROFILE{};
  }
}

void WpsRun::FinishLocked(bool success) {
  active_ = false;
  steps_.clear();
  Sim().SetWpsLink(nullptr);
  // An access point is reconfigured once per agreement.
  bool reconfigure = reconfigure_;
  reconfigure_ = false;
  if (!success || configMode_ != WPS_START_CONFIG_REGISTRAR || !hasTarget_) return;
  // An unconfigured access point takes what it is sent; a configured one only when told to.
  if ((target_.wpsConfigured && !reconfigure) || sent_.ProfileCnt == 0) return;
  // The access point takes the configuration handed to it.
  WPS_CREDENTIAL sent = sent_.Profile[0];
  std::memcpy(sent.MacAddr, target_.bssid.data(), 6);
  result_ = WPS_PROFILE{};
  result_.ProfileCnt = 1;
  result_.Profile[0] = sent;
  Mac bssid = target_.bssid;
  Sim().WithScenario([&](Scenario& s) {
    for (Network& n : s.networks)
      if (n.bssid == bssid) ApplyCredential(n, sent);
    return 0;
  });
}

void WpsRun::Credentials(WPS_PROFILE& out) {
  std::lock_guard<std::mutex> lock(mu_);
  out = result_;
}

void WpsRun::SetRegistrarProfile(const WPS_PROFILE& profile) {
  std::lock_guard<std::mutex> lock(mu_);
  sent_ = profile;
}

void WpsRun::SetReconfigure(bool on) {
  std::lock_guard<std::mutex> lock(mu_);
  reconfigure_ = on;
}

void WpsRun::SetAutoSelect(bool on) {
  std::lock_guard<std::mutex> lock(mu_);
  autoSelect_ = on;
}

void WpsRun::End(bool dropLink) {
  {
    std::lock_guard<std::mutex> lock(mu_);
    active_ = false;
    steps_.clear();
    code_ = 0;
    Sim().SetWpsLink(nullptr);
  }
  if (dropLink) Sim().Disconnect();
}

int WpsRun::StartExtreg(const std::string& uuid) {
  Network connected;
  if (uuid.empty() || !Sim().ConnectedNetwork(connected) || !connected.wps || !EqualNoCase(connected.wpsUuid, uuid))
    return 0;
  {
    std::lock_guard<std::mutex> lock(mu_);
    extreg_ = true;
  }
  Sim().FireCallback(kCbDeviceFound);
  return 1;
}

void WpsRun::StopExtreg() {
  std::lock_guard<std::mutex> lock(mu_);
  extreg_ = false;
}

void WpsRun::SelectEnrollee(const Mac& mac) {
  std::lock_guard<std::mutex> lock(mu_);
  enrollee_ = mac;
  enrolleeChosen_ = true;
  if (active_ && awaitingEnrollee_) {
    awaitingEnrollee_ = false;
    StationStepsLocked();
  }
}

void WpsRun::SetUseEnrolleeList(bool on) {
  std::lock_guard<std::mutex> lock(mu_);
  useEnrolleeList_ = on;
}

bool WpsRun::ExtregRunning() {
  std::lock_guard<std::mutex> lock(mu_);
  return extreg_;
}

// ---------------------------------------------------------------------------------------------

std::string StartRecordPin(const WPS_MODE& mode) {
  bool four = std::all_of(mode.PIN, mode.PIN + 4, [](uint8_t b) { return b == 0xFF; });
  const uint8_t* digits = four ? mode.PIN + 4 : mode.PIN;
  size_t count = four ? 4 : 8;
  std::string pin;
  for (size_t i = 0; i < count; ++i) pin += static_cast<char>(digits[i] >= '0' && digits[i] <= '9' ? digits[i] : '?');
  return pin;
}

// A PIN as the journal shows it: its length and, for 8 digits, whether the checksum holds.
std::string PinShape(const std::string& pin) {
  const bool digits = !pin.empty() && std::all_of(pin.begin(), pin.end(), [](char c) { return c >= '0' && c <= '9'; });
  std::string text = "len=" + std::to_string(pin.size());
  if (!digits) return pin.empty() ? text : text + " not-digits";
  if (pin.size() != 8) return text;
  unsigned sum = 0;
  for (size_t i = 0; i < 8; ++i) sum += unsigned(pin[i] - '0') * (i % 2 == 0 ? 3u : 1u);
  return text + (sum % 10 == 0 ? " checksum=ok" : " checksum=bad");
}

std::string StartRecordText(const WPS_MODE& mode) {
  std::string kind = mode.WpsMode == WPS_START_MODE_PIN   ? "PIN " + PinShape(StartRecordPin(mode))
                     : mode.WpsMode == WPS_START_MODE_PBC ? "PBC"
                                                          : "kind " + std::to_string(mode.WpsMode);
  char tail[96];
  std::snprintf(tail, sizeof tail, " bssid %s channel %u config %u", MacText(mode.Bssid).c_str(), mode.Channel,
                mode.ConfigMode);
  return kind + " ssid \"" + SsidOf(mode.WpsSSID) + "\"" + tail;
}

std::string StoredRecordText(const WPS_MODE& mode) {
  std::string pin;
  for (uint8_t b : mode.PIN)
    if (b) pin += static_cast<char>(b);
  char text[128];
  std::snprintf(text, sizeof text, "mode %u pin %s config %u bssid %s channel %u", mode.WpsMode, PinShape(pin).c_str(),
                mode.ConfigMode, MacText(mode.Bssid).c_str(), mode.Channel);
  return text;
}

std::string WpsProfileText(const WPS_PROFILE& profile) {
  std::string text = "count " + std::to_string(profile.ProfileCnt);
  for (uint32_t i = 0; i < profile.ProfileCnt && i < WPS_MAX_CREDENTIALS; ++i) {
    const WPS_CREDENTIAL& c = profile.Profile[i];
    char item[160];
    std::snprintf(item, sizeof item, "; \"%s\" auth %u encr %u index %u key(%u) mac %s", SsidOf(c.SSID).c_str(),
                  c.AuthType, c.EncrType, c.KeyIndex, c.KeyLength, MacText(c.MacAddr).c_str());
    text += item;
  }
  return text;
}

WPS_CREDENTIAL CredentialOf(const Network& n) {
  WPS_CREDENTIAL c{};
  SetSsid(c.SSID, n.ssid);
  switch (n.security) {
    case Security::WpaPsk: c.AuthType = WPS_AUTH_WPAPSK; break;
    case Security::Wpa2Psk: c.AuthType = WPS_AUTH_WPA2PSK; break;
    case Security::WpaWpa2Psk: c.AuthType = WPS_AUTH_WPAPSK_WPA2PSK; break;
    case Security::Wpa: c.AuthType = WPS_AUTH_WPA; break;
    case Security::Wpa2: case Security::WpaWpa2: c.AuthType = WPS_AUTH_WPA2; break;
    default: c.AuthType = WPS_AUTH_OPEN; break;
  }
  bool tkip = n.ciphers & kCipherTkip, aes = n.ciphers & kCipherAes;
  c.EncrType = n.security == Security::Wep ? WPS_ENCR_WEP
               : n.security == Security::Open ? WPS_ENCR_NONE
               : tkip && aes ? WPS_ENCR_TKIP_AES
               : aes ? WPS_ENCR_AES
               : tkip ? WPS_ENCR_TKIP : WPS_ENCR_NONE;
  c.KeyIndex = 1;
  const std::string& key = n.security == Security::Wep || n.passphrase.empty() ? n.key : n.passphrase;
  c.KeyLength = static_cast<uint32_t>(std::min(key.size(), sizeof c.Key));
  std::memcpy(c.Key, key.data(), c.KeyLength);
  std::memcpy(c.MacAddr, n.bssid.data(), 6);
  return c;
}

// ---------------------------------------------------------------------------------------------
// The simulator's side of a run.

std::vector<Network> Simulator::VisibleNetworks() {
  std::lock_guard<std::mutex> lock(mu_);
  std::vector<Network> out;
  if (!AdapterReadyLocked() || !RadioOnLocked()) return out;
  for (const Network* n : VisibleLocked()) out.push_back(*n);
  return out;
}

void Simulator::SetWpsLink(const Network* network) {
  std::lock_guard<std::mutex> lock(mu_);
  if (!network) {
    if (!link_.wps) return;
    link_.phase = Link::Phase::Idle;
    link_.generation++;
    link_.linkStatusCode = 1;
    link_.wps = false;
    return;
  }
  link_.generation++;
  link_.phase = Link::Phase::Connected;
  link_.network = *network;
  link_.authMode = 0;
  link_.encryption = 1;
  link_.networkType = 1;
  link_.dot1x = false;
  link_.profileName.clear();
  link_.linkStatusCode = 0;
  link_.wps = true;
  countersSince_ = GetTickCount64();
}

bool Simulator::ConnectedNetwork(Network& out) {
  std::lock_guard<std::mutex> lock(mu_);
  if (!AdapterReadyLocked() || link_.phase != Link::Phase::Connected || link_.wps) return false;
  out = link_.network;
  return true;
}

}  // namespace sim
