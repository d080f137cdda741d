#pragma once
// What the library entries share: the call wrapper (count, injection, journal) and the
// small operations behind several entries.
#include <string>

#include "Sim.h"
#include "wlapi/constants.h"
#include "wlapi/entries.h"
#include "wlapi/result.h"

#define WVWL_API extern "C" __declspec(dllexport)

namespace sim {

// Runs an entry: counts the call, returns an injected result instead when one is due,
// and journals the call with its arguments and result.
template <typename Args, typename Body>
int Call(const char* name, Args args, Body body) {
  long long injected = 0;
  if (Sim().TakeInjection(name, injected)) {
    Sim().Journal(std::string(name) + "(" + std::string(args()) + ") -> " + std::to_string(injected) + " injected");
    return static_cast<int>(injected);
  }
  int result = body();
  Sim().Journal(std::string(name) + "(" + std::string(args()) + ") -> " + std::to_string(result));
  return result;
}

int LogLine(int level, const char* line);

// Journal texts.
std::string Text(const char* text, size_t max);
std::string Quoted(const char* text, size_t max);
// A secret as "***", or "" when it is empty.
std::string Secret(const char* text, size_t max);
std::string WepKeysText(const WLANPROFILE* p);
std::string SsoSettingText(const SSO_SETTING& s);
std::string Hex32(unsigned long v);
std::string ProfileText(const WLANPROFILE* p);
std::string QueryText(const WLAN_STATUS_QUERY& q);

// Out-argument helpers: 1 when written, 0 for a null pointer.
int OutInt(int* out, long long v);
int OutULong(unsigned long* out, long long v);
int OutMac(unsigned char* mac6);
int OutText(char* out, size_t size, const std::string& text);
int RadioPair(int* hardware, int* software);
int EmptyList(int* count);
int ReadBlob(const char* key, void* out, size_t size);

template <typename F>
long long Cfg(F f) { return static_cast<long long>(Sim().WithScenario(f)); }
template <typename F>
std::string SelectedText(F f) { return f(Sim().SelectedAdapter()); }

// Network list and connection.
int ParseElements(const NDIS_WLAN_BSSID_EX* item, IE_INFO* info);
int RssiToPercent(long rssi);
int WpsApChannel(const unsigned char* mac6, int* channel);
void CurrentSetting(WLANPROFILE& p);
// Connects with the current setting changed by `change`.
template <typename F>
int ConnectWith(F change) {
  WLANPROFILE p;
  CurrentSetting(p);
  change(p);
  return Sim().SetProfile(p);
}
int OidQuery(unsigned long request, void* buffer, unsigned long length, unsigned long* returned);
int OidSet(unsigned long request, const void* data, unsigned long length);
int ReadAdvance(ADVANCE_CONFIG_DATA* data);
int WriteAdvance(const ADVANCE_CONFIG_DATA& data);

// Profiles.
int ReadProfileList(WLANPROFILE* profiles, unsigned long* count);
// A hostile library: the next count query of the profile list answers this count.
void ClaimProfileCount(long long count);
int ReadProfileData(WLANPROFILE* profile, const char* name);
int WriteProfile(const char* name, const WLANPROFILE* profile);
int DeleteProfile(const char* name, int deleteConnected);
int NextProfileId();
bool ProfileIdInUse(int id);
int WriteProfileId(const char* name, const char* id);
int CopyToCurrent(const char* name);
int ExportProfile(const char* name, const char* path);
int ImportProfile(const char* path);
int ReadRecordList(const char* kind, void* records, size_t recordSize, unsigned long* count);

// Registry values kept by the library.
int WriteRegValue(const char* name, unsigned long type, const void* data, unsigned long length);
// The journal text of a registry write: the name and the value it writes.
std::string RegValueText(const char* name, unsigned long type, const void* data, unsigned long length);
// The hosted network record as journalled: SSID, key length, peers and address.
std::string ExtApConfigText(const EXTAP_CONFIG& config);
std::string RegText(const char* name);
unsigned long Ccx2Word();

// Value pairs between the NDIS and the operating system's WLAN service numbering.
struct ValuePair { unsigned long ndis, dot11; };
extern const std::vector<ValuePair> kNetworkTypes, kAuthTypes, kCipherTypes;
int Convert(const std::vector<ValuePair>& table, unsigned long from, unsigned long* to, bool fromDot11);

// Control commands (the pipe and SimCommand) and the control pipe of a running program.
std::string RunCommand(const std::string& line);
void StartControlPipe();
void StopControlPipe();

}  // namespace sim
