#pragma once
// The driver's Wi-Fi Display side: the device table, the status events, the peer addresses
// and the group owner's DHCP leases.
#include <cstdint>
#include <string>
#include <vector>

namespace sim {

class IniDoc;

struct WdpLease {
  uint8_t mac[6] = {};
  std::string ip;
};

// [WiFiDisplay] and [WDPDevice.<n>] of a scenario.
struct WdpScene {
  std::vector<uint8_t> table;      // the 1142-byte WDP_TABLE as written (hostile counts kept)
  uint8_t peerInterfaceMac[6] = {};
  uint8_t peerDeviceMac[6] = {};
  std::vector<WdpLease> leases;
  int leaseFailures = 0;           // lookups that fail before the lease table answers
  int tdlsSetupResult = 1;         // the answer to a TDLS link request (1 accepted)
  int tdlsReadyAfter = -1;         // >= 0: TDLS addresses show only for the linked peer, after this many table reads
};

void ReadWdpScene(const IniDoc& doc, WdpScene& out, std::vector<std::string>& warnings);

// Driver requests of Wi-Fi Display; false when the request is not one of them.
bool WdpOidQuery(unsigned long request, void* buffer, unsigned long length, unsigned long* returned, int& result);
bool WdpOidSet(unsigned long request, const void* data, unsigned long length, int& result);
int WdpGetTable(void* table);
int WdpLeaseLookup(const unsigned char* mac6, char* address64);
std::string WdpConfigText(const void* config, int set);
std::string HexBytes(const void* data, unsigned long length);
// Control commands "wdptable HEX", "wdpstatus HEX", "wdppeer IFMAC DEVMAC", "wdplease MAC IP [FAILS]",
// "wdptdls RESULT [READS]";
// false when the line is none of them.
bool WdpCommand(const std::vector<std::string>& tokens, std::string& reply);

}  // namespace sim
