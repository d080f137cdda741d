#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "Ini.h"

#include "WifiDisplay.h"

namespace sim {

using Mac = std::array<uint8_t, 6>;
using Ip4 = std::array<uint8_t, 4>;

// Key management a network offers.
enum class Security { Open, Wep, WpaPsk, Wpa2Psk, WpaWpa2Psk, Wpa, Wpa2, WpaWpa2, WpaNone, Wpa2None, WapiPsk, WapiCert };

// Cipher bits, the same values the parsed information elements report.
constexpr unsigned kCipherWep = 1, kCipherTkip = 2, kCipherAes = 4, kCipherSms4 = 8;

struct Network {
  std::string id;                 // section name
  Mac bssid{};
  std::string ssid;
  bool hidden = false;            // beacons carry an empty SSID
  uint32_t frequencyKHz = 2437000;
  int rssi = -60;
  std::vector<uint8_t> rates;     // 500 kbit/s units, 0x80 marks a basic rate
  int networkTypeInUse = -1;      // -1: derived from band and rates
  uint32_t infrastructure = 1;    // 1 access point, 0 ad hoc
  Security security = Security::Open;
  unsigned ciphers = 0;           // kCipher* bits; WEP networks use none here
  bool cckm = false;
  bool wps = false;
  int wpsDevicePasswordId = 0;    // 0 PIN, 4 push button
  std::string wpsUuid;            // 32 hexadecimal digits
  bool wpsConfigured = true;
  bool wpsLocked = false;
  std::string wpsPin;             // the access point's own PIN; empty accepts any
  int wpsFailCode = 0;            // a WPS run with it fails with this status code
  std::string wpsCredentials;     // ids of the networks whose credentials a run delivers
  bool ht = false, vht = false;
  std::string passphrase;         // WPA/WPA2/WAPI personal pass phrase
  std::string key;                // WEP key text, or 64 hex digits of a pre-shared key
  std::string identity, password; // 802.1X credentials; empty accepts any
  bool authTimeout = false;       // 802.1X server never answers
  bool passwordChange = false;    // the 802.1X server asks for a new password (callback 20)
  Ip4 apIp{}, clientIp{}, mask{255, 255, 255, 0};
  std::string apName;
  int chains = 2;
  double txRate = 0, rxRate = 0;  // Mbit/s; 0 = derived from the capabilities
  bool inRange = true;

  // Hostile list items, for testing the program's checks.
  long long itemLength = -1;      // Length field as written (-1: the real size)
  long long ieLength = -1;        // IELength field as written (-1: the real size)
  long long ssidLength = -1;      // SsidLength field as written (-1: the real length)
  std::vector<uint8_t> extraIes;  // raw bytes appended to the elements

  int Channel() const;
  bool Is5GHz() const { return frequencyKHz >= 4900000; }
  bool IsEnterprise() const;
  bool IsPersonal() const;
};

struct AdapterDef {
  bool present = true;
  std::string devDesc, hardwareId, text128, text392, location, manufacturer;
  uint32_t kind = 4;
  Mac mac{0x00, 0x0C, 0x43, 0x12, 0x34, 0x56};
  bool unterminated = false;      // texts fill their fields with no terminating zero
};

// An adapter of the connection-sharing list.
struct IcsAdapterDef {
  std::string name;
  uint32_t type = 1;              // 0 the maker's own (LAN side), 5 IEEE 1394, other WAN
  uint32_t status = 1;            // bit 1 enabled, 4 counted as WAN, 8 shared side
};

// A station of the hosted network.
struct HostedPeer {
  Mac mac{};
  uint32_t authState = 1;         // 1 authenticated
};

// A certificate of a Windows certificate store ([Cert.N]).
struct CertDef {
  std::string store = "MY";       // MY or ROOT
  bool machine = false;           // the computer's store, else the user's
  std::string issuedTo, issuedBy, expiry = "2099/12/31", friendlyName;
  std::vector<uint8_t> hash;
  bool exportable = true;         // the private key may be exported
};

// A station the external registrar sees.
struct EnrolleeDef {
  Mac mac{};
  int passwordId = 0;             // 0 PIN, 4 push button, 0xFFFF unknown
  std::string model;
  std::string pin;                // the station's PIN; empty accepts any
};

// The WPS side of the driver.
struct WpsScene {
  int walkTimeMs = 120000;        // a push-button or chosen-PIN run ends with 516 after it
  int hwPbcMode = 0;              // WVWL_GetWPSHwPBCMode
  unsigned long version = 0x20;
  unsigned long testBed = 0;
  int apVersion2 = 0x20;          // uchVersion2 of the access point's vendor extension
  int useEnrolleeList = 1;        // WVWL_UseEnrolleeList's result
  std::vector<EnrolleeDef> enrollees;
  long long enrolleeCountExtra = 0;  // the list claims more stations than it fills
};

struct Injection {
  std::string entry;
  long long call = 0;             // 1-based call number; 0 = every call
  long long result = 0;
};

struct Scenario {
  std::string path;
  int winOS = 41, winType = 3;
  int scanTimeMs = 1500, connectTimeMs = 800;
  std::string stateFile;          // empty: beside the library; "none": nothing kept
  std::string driverPath;         // empty: the library itself
  bool isWow64 = false, userAdmin = true, moreThanOneUser = false;
  int zeroConfig = 0;
  bool msConfigService = true, wpaCapable = true;
  bool allowStandardUserProfile = true, allowStandardUserAdvance = true;
  int deviceModel = 3, usbVersion = 2;
  bool repositTimeOff = false;
  bool hostileTexts = false;      // text answers fill their buffers with no terminating zero

  std::vector<AdapterDef> adapters;
  long long adapterCountExtra = 0; // list count claims more adapters than it carries

  bool hwRadio = true, swRadio = true;
  int opMode = 0, storedOpMode = 0;
  bool opModeApplies = true;      // the driver takes a newly set mode
  int countryRegion = 5, countryRegionA = 7;
  int channelMode = 1;            // 0 2.4 GHz, 1 both bands, 2 5 GHz
  int wirelessMode = -1;          // -1: derived
  bool support11n = true, support11ac = true, supportAPMode = true;
  bool supportWiFiDirect = true, supportWiFiDisplay = true, supportTDLS = false;
  bool hostedNetworkAvailable = true, supportHotspot20 = true;
  int initWifiDirectNotReady = 0, initWifiDisplayNotReady = 0;
  int startGoResult = 1;

  bool vmPortAvailable = true;    // GetVMPortStatusByPort answers 1
  std::string vmPortClass = "0012"; // the virtual port's network-class entry (record text at 128)
  std::vector<IcsAdapterDef> icsAdapters;
  long long icsCountExtra = 0;    // GetAdaptersInfo claims more adapters than it fills

  int hostedState = 1;            // 1 active
  Mac hostedBssid{0x02, 0x0C, 0x43, 0x12, 0x34, 0x57};
  std::vector<HostedPeer> hostedPeers;
  long long hostedPeerCount = -1; // number of peers as written (-1: the real count)

  // [Advanced]: the driver's region and antenna facts, and the profiles the CCX tools know.
  bool region24Changeable = true, region5Changeable = true;
  int maxRegion24 = 7, maxRegion5 = 11;
  int antennaNumber = 0x22;                      // two 4-bit antenna counts
  std::vector<std::string> diagnosticProfiles;   // diagnostic-capable profile names
  bool windowsProfilesListed = false;            // false: the WLAN service holds every stored profile
  std::vector<std::string> windowsProfiles;

  // [BlockAck]: the driver's peer list for block-ack agreements.
  std::vector<Mac> baPeers;
  long long baPeerCount = -1;     // count as written (-1: the real count)
  bool baConnectedAp = true;      // the connected access point follows the peers when not among them

  std::vector<Network> networks;
  WpsScene wps;
  long long listCountExtra = 0;   // NumberOfItems claims more items than follow
  long long listPadBytes = 0;     // filler after the last item

  std::vector<CertDef> certs;
  WdpScene wdp;                   // [WiFiDisplay], [WDPDevice.<n>]

  std::vector<Injection> injections;
  std::vector<std::string> warnings;
};

// Reads a scenario; false (with error text) when the file cannot be read.
// Bad values are reported in warnings and fall back to their defaults.
bool LoadScenario(const std::string& path, Scenario& out, std::string& error);
Scenario ScenarioFromIni(const IniDoc& doc);
Scenario BuiltInScenario();   // one adapter, nothing in range

bool ParseMac(const std::string& text, Mac& out);
bool ParseIp(const std::string& text, Ip4& out);
bool ParseHex(const std::string& text, std::vector<uint8_t>& out);
std::string HexText(const uint8_t* data, size_t size);
bool ParseSecurity(const std::string& text, Security& out);
bool ParseCiphers(const std::string& text, unsigned& out);
bool ParseRates(const std::string& text, std::vector<uint8_t>& out);
uint32_t ChannelToFrequencyKHz(int channel);   // 0 when unknown
int FrequencyKHzToChannel(uint32_t kHz);       // -1 when unknown

}  // namespace sim
