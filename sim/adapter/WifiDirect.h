#pragma once
// The simulated Wi-Fi Direct side of the adapter: a population of peers, this device's group,
// the exchanges the program starts, and the queue of status records signalled one at a time
// through the event handle the program handed over.
#include <windows.h>

#include <cstdint>
#include <deque>
#include <mutex>
#include <string>
#include <vector>

#include "Scenario.h"
#include "wifidirect/WiFiDirectRecords.h"
#include "wlapi/records.h"

namespace sim {

struct P2pPeer {
  std::string id;                 // section name or the name given on the pipe
  std::string name;
  Mac mac{};
  uint16_t category = 0x0100, sub = 0x0100;   // as delivered: category 1 reads 0x0100
  uint32_t oui = 0x04F25000;
  uint16_t methods = 0x0188;
  uint8_t flags = 0;
  int intent = 7;                 // 0..15
  std::string group;              // peers with the same non-empty group form a group
  int role = 2;                   // 1: owner of its group
  bool inRange = true;
  int persistRole = 0;            // role this device had in a persistent group with it (0: none)
  int error = 0;                  // error code answered to a connection (0: none)
  int lostGroup = 0;              // a re-invocation answers 12 or 21 code 11 (0: accepted)
  int channel = 6;                // operating channel of a group it owns
  int wpsMs = 0;                  // how long a WPS exchange with it takes
};

class P2p {
public:
  static P2p& Get();

  // Entries.
  int Init(HANDLE event);
  int Query(void* status);
  int Acknowledge(unsigned long value);
  int SetConfig(const WIFIDIRECT_WPSE_PROFILE& r);
  bool WpsStarted(const WPS_MODE& mode);   // false: no Wi-Fi Direct exchange waits for it
  int ConnectWps(unsigned long persistent, const WIFI_DIRECT_WPS_DONE_CONTENT& done);
  int DisconnectDevice(const uint8_t* mac);
  int Disable();
  int GetIp(WIFI_DIRECT_IP_INFO& info);
  int SetIp(const uint8_t* ip);
  int ReadPersistEntry(uint8_t* entry132, const uint8_t* mac);
  int DeletePersistEntry(const uint8_t* mac);
  int CapabilityMap(uint16_t methods) const;
  int SupportLevel();
  // Operating channel of the group whose owner has this address (a peer or this device).
  bool GroupChannel(const uint8_t* owner, int* channel);
  int AvailableWindowsProfiles();
  void OwnAddress(uint8_t* mac);

  // Control commands ("p2p ...") and raw records ("p2pstatus").
  std::string Command(const std::vector<std::string>& t);
  void QueueRaw(const std::vector<uint8_t>& record);
  // Stops the re-signal thread (before the library is unloaded).
  void Stop();

  // Records waiting at most; a record queued beyond is dropped and journalled.
  static constexpr size_t kQueueLimit = 64;

private:
  P2p() = default;
  void LoadLocked();
  void QueueLocked(const WIFI_DIRECT_STATUS& s, size_t bytes = sizeof(WIFI_DIRECT_STATUS));
  void SignalLocked();
  void EnsureTimer();
  static DWORD WINAPI TimerThread(void*);
  void Tick();

  P2pPeer* FindLocked(const uint8_t* mac);
  Mac OwnMacLocked();
  void QueueGroupLocked();
  void QueueDiscoveryLocked();
  void QueueErrorLocked(uint32_t code, uint32_t value = 0, uint16_t methods = 0);
  void NegotiateLocked(const WIFIDIRECT_WPSE_PROFILE& r, P2pPeer& peer);
  void ReinvokeLocked(const WIFIDIRECT_WPSE_PROFILE& r, P2pPeer& peer);
  void JoinLocked(P2pPeer* peer, int myRole, bool persistent);
  void LeaveLocked();
  void RemovePeerLocked(const Mac& mac, bool manual);
  std::string NewSsidLocked();
  std::string GroupSsid(const Mac& owner, const std::string& name) const;
  void QueueWpsDoneLocked();
  struct LateWpsRun {
    P2p* p2p;
    unsigned run;
    DWORD wait;
  };
  static DWORD WINAPI LateWps(void* param);
  void EndOwnGroupIfEmptyLocked();

  std::mutex mu_;
  bool loaded_ = false;
  std::string scenarioPath_;
  std::vector<P2pPeer> peers_;
  int supportLevel_ = -1;         // -1: as the scenario's Wi-Fi Direct support
  int windowsProfiles_ = 0;
  std::string defaultKey_ = "12345678";

  // Event pipeline.
  HANDLE event_ = nullptr;        // our duplicate of the program's handle
  bool armed_ = false;
  bool headQueried_ = false;
  ULONGLONG lastSignal_ = 0;
  std::deque<std::vector<uint8_t>> queue_;
  HANDLE timer_ = nullptr;
  HANDLE timerStop_ = nullptr;
  DWORD fetchDelayMs_ = 0;        // a query waits this long before it fetches ("p2p delay")

  // This device.
  bool enabled_ = false;
  int myRole_ = 0;                // 0 alone, 1 owner, 2 client
  bool autonomous_ = false;
  std::vector<Mac> members_;      // peers in our group (the owner first when we are a client)
  std::string ssid_, key_;
  std::string lastPin_;  // the PIN bytes of the last configuration written, for "p2p pin"
  bool connected_ = false;        // event 22 sent for the current group
  uint8_t ip_[4] = {}, dhcpServer_[4] = {};
  bool ipAccepted_ = false;
  // A negotiation waiting for the program's WPS start.
  bool awaitingWps_ = false;
  Mac pendingPeer_{};
  int pendingRole_ = 0;
  unsigned wpsRun_ = 0;           // counts WPS starts, so a late result of an old one is dropped
  int ownChannel_ = 11;           // operating channel of a group this device owns
};

// Journal texts of a request record (the key masked) and of an address.
std::string P2pPinText(const WIFIDIRECT_WPSE_PROFILE& r);
std::string P2pProfileText(const WIFIDIRECT_WPSE_PROFILE* r);
std::string P2pMacText(const uint8_t* mac);

}  // namespace sim
