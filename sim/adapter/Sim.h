#pragma once
#include <windows.h>

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "Engine.h"
#include "Scenario.h"
#include "wlapi/entries.h"

namespace sim {

// Connection state of the simulated station.
struct Link {
  enum class Phase { Idle, Connecting, Connected };
  Phase phase = Phase::Idle;
  uint64_t generation = 0;         // bumps on every change; stale timed steps see it and stop
  Network network;                 // the network joined (copy)
  uint32_t authMode = 0, encryption = 1, networkType = 1;
  bool dot1x = false;
  std::string profileName;
  uint32_t linkStatusCode = 1;     // link down
  ULONGLONG countersSince = 0;     // tick of the last counter start
  bool wps = false;                // the link of a WPS exchange, not of a profile
  bool passwordChangeAsked = false; // callback 20 sent; the next password written is the new one
};

enum class ConnectOutcome { Success, NoNetwork, Mismatch, WrongKey, IdentityRejected, AuthTimeout };

// The simulated adapter and its driver. One instance per process; every entry of the
// library goes through it under its lock. Callbacks into the program run on the engine
// thread without the lock.
class Simulator {
public:
  static Simulator& Get();

  // Scenario and state -------------------------------------------------------------------
  void EnsureLoaded();
  bool LoadScenario(const std::string& path, std::string& error);   // empty path: default
  void SetStatePath(const std::string& path);                        // "none": keep nothing
  std::string StatePath();
  void Shutdown();                                                   // stop threads, keep state
  bool WaitIdle(DWORD timeoutMs) { return engine_.WaitIdle(timeoutMs); }

  // Journal and injections ----------------------------------------------------------------
  bool TakeInjection(const char* entry, long long& result);           // counts the call
  void Journal(const std::string& line);
  std::string JournalText();
  void ClearJournal();
  long long CallCount(const std::string& entry);
  void Inject(const std::string& entry, long long call, long long result);

  // Entries with behaviour (the rest are in Exports.cpp) -----------------------------------
  int Initial(HWND window);
  int DeInitial();
  int GetAvailableAdapters(void* buffer, int capacity);
  int AdapterSelect(const WLAN_ADAPTER* adapter, RS_CALLBACK_FUNC callback, HWND appWindow);
  int IsDeviceExist(const WLAN_ADAPTER* adapter);
  int Scan(SCAN_FINISHED_FUNC finished);
  int QueryList(NDIS_802_11_BSSID_LIST_EX* list, unsigned long* size);
  int SetProfile(const WLANPROFILE& profile);
  int Disconnect();
  void QueryStatus(WLAN_STATUS& status);
  int QueryApAddress(AP_IP_INFO& info);
  int ConnectedBssid(uint8_t* bssid6);
  void ResetCounters();
  int SetSoftwareRadio(bool on);
  void RadioState(int& hardware, int& software);
  int SetOpMode(int mode, bool apply);
  int QueryOpMode();
  int ReadOpMode();
  int InitNotReadyCountdown(bool wifiDirect, HANDLE event);
  HWND InitialWindow();                  // the window handed to WVWL_Initial
  int StartGo();
  void StopGo();
  void EapConfigDone(bool fromSiteSurvey);
  // WVWL_WriteIDnPasswd: keeps the credentials; after a change request the server takes the
  // new password.
  int WriteIdPassword(const std::string& identity, const std::string& password);
  int Channels(int wirelessMode, unsigned char* channels64, int* count);
  void FlushScanList();                            // the next list query finds no network

  // Plain stored values, kept in the state file ---------------------------------------------
  std::string Value(const std::string& key, const std::string& def = "");
  long long IntValue(const std::string& key, long long def = 0);
  void SetValue(const std::string& key, const std::string& value);
  void SetIntValue(const std::string& key, long long value);
  bool Blob(const std::string& key, void* out, size_t size);          // false: none stored
  void SetBlob(const std::string& key, const void* data, size_t size);

  // Named records (profiles, Wi-Fi Direct profiles), kept in the state file ------------------
  std::vector<std::pair<std::string, std::vector<uint8_t>>> Records(const std::string& kind);
  bool ReadRecord(const std::string& kind, const std::string& name, void* out, size_t size);
  void WriteRecord(const std::string& kind, const std::string& name, const void* data, size_t size);
  bool DeleteRecord(const std::string& kind, const std::string& name);

  // Controls ---------------------------------------------------------------------------------
  int PlugAdapter(int index, bool present);        // 1-based scenario index
  void SetHardwareRadio(bool on);
  void AddNetwork(const Network& n);
  int RemoveNetwork(const std::string& ssidOrBssid);
  // Signal and range of the networks matching by SSID or BSSID; kKeep leaves a value.
  static constexpr int kKeep = 0x7FFFFFFF;
  int ChangeNetwork(const std::string& ssidOrBssid, int rssi, int inRange);
  void FireCallback(int code);
  int SignalEvent(bool wifiDirect);
  void SetNotReady(bool wifiDirect, int count);
  std::string StatusText();

  // WPS (WpsRun.cpp) ---------------------------------------------------------------------------
  std::vector<Network> VisibleNetworks();           // in range, on the bands in use
  void SetWpsLink(const Network* network);          // the exchange's link; null ends it
  bool ConnectedNetwork(Network& out);              // false unless a connection is up

  Scenario ScenarioCopy();
  template <typename F>
  auto WithScenario(F f) {
    EnsureLoaded();
    std::lock_guard<std::mutex> lock(mu_);
    return f(sc_);
  }
  AdapterDef SelectedAdapter();
  const Mac SelectedMac();
  std::string DriverPath();

private:
  Simulator() = default;
  void LoadLocked(const Scenario& sc);
  void LoadStateLocked();
  // Changes the stored state in memory and in the state file.
  void ChangeStateLocked(const std::function<void(IniDoc&)>& change);
  void SetStateValueLocked(const std::string& section, const std::string& key, const std::string& value);
  const AdapterDef* SelectedLocked() const;
  // Settings the driver keeps per adapter are stored under the selected adapter's address; a
  // key not yet stored for it reads the value stored before any adapter was chosen.
  std::string StoredKeyLocked(const std::string& section, const std::string& key, bool forWrite) const;
  bool AdapterReadyLocked() const;
  bool RadioOnLocked() const { return hwRadio_ && swRadio_; }
  std::vector<const Network*> VisibleLocked() const;
  std::vector<uint8_t> AllowedChannelsLocked(int wirelessMode) const;
  int WirelessModeLocked() const;
  ConnectOutcome EvaluateLocked(const WLANPROFILE& p, const Network*& target) const;
  void DropLinkLocked(uint32_t linkStatusCode, std::vector<int>& callbacks);
  void FinishConnect(uint64_t generation, ConnectOutcome outcome);
  void RunCallbacks(const std::vector<int>& codes);
  void NotifyDeviceChange(bool arrival);
  void FillAdapterRecord(const AdapterDef& a, WLAN_ADAPTER& rec) const;
  using RecordList = std::vector<std::pair<std::string, std::vector<uint8_t>>>;
  RecordList RecordsLocked(const std::string& kind) const;
  void StoreRecordsLocked(const std::string& kind, const RecordList& records);

  std::mutex mu_;
  bool loaded_ = false;
  Scenario sc_;
  std::string statePath_;
  bool statePathForced_ = false;
  std::string forcedStatePath_;
  IniDoc state_;                         // values, blobs and records as stored

  // Runtime.
  int selected_ = -1;                    // index into sc_.adapters
  HWND window_ = nullptr, appWindow_ = nullptr;
  RS_CALLBACK_FUNC callback_ = nullptr;
  bool hwRadio_ = true, swRadio_ = true;
  int opMode_ = 0, storedOpMode_ = 0;
  bool goActive_ = false;
  int notReadyDirect_ = 0, notReadyDisplay_ = 0;
  HANDLE directEvent_ = nullptr, displayEvent_ = nullptr;
  std::vector<uint8_t> lastList_{0, 0, 0, 0};
  Link link_;
  ULONGLONG countersSince_ = 0;
  char callbackText_[256] = {};          // the `out` buffer handed to the callback
  std::string storedIdentity_, storedPassword_;   // the last WVWL_WriteIDnPasswd

  std::mutex journalMu_;
  std::deque<std::string> journal_;
  std::map<std::string, long long> calls_;
  std::vector<Injection> injections_;

  Engine engine_;
};

inline Simulator& Sim() { return Simulator::Get(); }

}  // namespace sim
