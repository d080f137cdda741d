// Entries of the advanced settings: country regions, the station configuration, WMM and power
// save, the protected-frames test record, admission control, the CCX diagnostics, and the
// reconnects of the advanced pages.
#include <algorithm>
#include <cstring>
#include <string>
#include <type_traits>

#include "EntrySupport.h"

using namespace sim;

namespace {

std::string Flags(const uint32_t* values, int count) {
  std::string text;
  for (int i = 0; i < count; ++i) text += (i ? " " : "") + std::to_string(values[i]);
  return text;
}

WMM_CAPABILITY StoredWmm() {
  WMM_CAPABILITY wmm{};
  Sim().Blob("WMMCapability", &wmm, sizeof wmm);
  return wmm;
}

// Each WMM write changes only the fields it owns.
template <typename F>
int MergeWmm(F change) {
  WMM_CAPABILITY wmm = StoredWmm();
  change(wmm);
  Sim().SetBlob("WMMCapability", &wmm, sizeof wmm);
  return WVWL_ERROR_SUCCESS;
}

std::string WmmText(const WMM_CAPABILITY& c) {
  const uint32_t v[] = {c.bWMMEnable, c.bAPSDEnable, c.bAPSD_AC_BE, c.bAPSD_AC_BK, c.bAPSD_AC_VI, c.bAPSD_AC_VO};
  return "wmm/apsd/be/bk/vi/vo " + Flags(v, 6);
}

std::string MfpText(const MFP_CONTROL& c) {
  return HexText(c.flag, sizeof c.flag);
}

std::string SsidArg(const NDIS_802_11_SSID& ssid) {
  return Text(reinterpret_cast<const char*>(ssid.Ssid), std::min<size_t>(ssid.SsidLength, sizeof ssid.Ssid)) +
         "/" + std::to_string(ssid.SsidLength);
}

bool AllZero(const uint8_t* bytes, size_t size) {
  return std::all_of(bytes, bytes + size, [](uint8_t b) { return b == 0; });
}

// The frames a set inject trigger sends, as the journal names them.
std::string InjectedFrames(const MFP_CONTROL& c) {
  static const char* const kNames[] = {"disassoc", "deauth", "assoc", "reassoc", "saquery"};
  std::string frames;
  for (int i = 0; i < 5; ++i)
    if (c.flag[MFP_INJECT_DISASSOC + i]) frames += std::string(frames.empty() ? "" : ",") + kNames[i];
  std::string how = c.flag[MFP_INJECT_WRONG_KEY] ? "wrong-key" : "";
  if (c.flag[MFP_INJECT_UNPROTECTED]) how += std::string(how.empty() ? "" : ",") + "unprotected";
  return "frames=" + (frames.empty() ? "none" : frames) + " how=" + (how.empty() ? "none" : how);
}

bool Listed(const std::vector<std::string>& names, const std::string& name) {
  return std::any_of(names.begin(), names.end(), [&](const std::string& n) { return _stricmp(n.c_str(), name.c_str()) == 0; });
}

std::string Narrow(const wchar_t* text) {
  if (!text) return "";
  char out[512] = {};
  WideCharToMultiByte(CP_ACP, 0, text, -1, out, sizeof out - 1, nullptr, nullptr);
  return out;
}

// A region code the driver does not permit goes back to the scenario's.
int VerifiedRegion(const char* key, int maximum, int fallback) {
  const long long code = Sim().IntValue(key);
  if (maximum <= 0 || code <= maximum) return static_cast<int>(code);
  Sim().SetIntValue(key, fallback);
  return fallback;
}

}  // namespace

// Country regions ---------------------------------------------------------------------------------

WVWL_API int __stdcall WVWL_QueryCountryRegion(int* region, int* changeable5GHz, int* changeable24GHz) {
  int word = 0, c5 = 0, c24 = 0;
  return Call("WVWL_QueryCountryRegion",
              [&] { return "region=" + Hex32(word) + " changeable5=" + std::to_string(c5) + " changeable24=" + std::to_string(c24); },
              [&]() -> int {
                const long long bg = Sim().IntValue("CountryRegion"), a = Sim().IntValue("CountryRegionABand");
                word = static_cast<int>((bg & 0x7F) | ((a & 0x7F) << 8));
                c5 = Cfg([](const Scenario& s) { return s.region5Changeable; }) ? 1 : 0;
                c24 = Cfg([](const Scenario& s) { return s.region24Changeable; }) ? 1 : 0;
                if (region) *region = word;
                if (changeable5GHz) *changeable5GHz = c5;
                if (changeable24GHz) *changeable24GHz = c24;
                return WVWL_ERROR_SUCCESS;
              });
}

WVWL_API int __stdcall WVWL_GetMaxCountryRegion(int* max24GHz, int* max5GHz) {
  return Call("WVWL_GetMaxCountryRegion", [&] { return ""; }, [&]() -> int {
    if (max24GHz) *max24GHz = static_cast<int>(Cfg([](const Scenario& s) { return s.maxRegion24; }));
    if (max5GHz) *max5GHz = static_cast<int>(Cfg([](const Scenario& s) { return s.maxRegion5; }));
    return WVWL_ERROR_SUCCESS;
  });
}

WVWL_API int __stdcall WVWL_QueryAntennaNumber(unsigned long* number) {
  return Call("WVWL_QueryAntennaNumber", [&] { return ""; }, [&]() -> int {
    return OutULong(number, Cfg([](const Scenario& s) { return s.antennaNumber; }));
  });
}

WVWL_API int __stdcall WVWL_VerifyCountryRegion() {
  int bg = 0, a = 0;
  return Call("WVWL_VerifyCountryRegion", [&] { return "region24=" + std::to_string(bg) + " region5=" + std::to_string(a); },
              [&]() -> int {
                const Scenario s = Sim().ScenarioCopy();
                bg = VerifiedRegion("CountryRegion", s.maxRegion24, s.countryRegion);
                a = VerifiedRegion("CountryRegionABand", s.maxRegion5, s.countryRegionA);
                return WVWL_ERROR_SUCCESS;
              });
}

WVWL_API int __stdcall WVWL_FlushBSSIDList(int oldWirelessMode, int newWirelessMode) {
  return Call("WVWL_FlushBSSIDList", [&] { return std::to_string(oldWirelessMode) + " " + std::to_string(newWirelessMode); },
              [&]() -> int {
                Sim().FlushScanList();
                return WVWL_ERROR_SUCCESS;
              });
}

// The configuration record and the station configuration -------------------------------------------

WVWL_API int __stdcall WVWL_WriteAdvanceCfgData(ADVANCE_CONFIG_DATA data) {
  return Call("WVWL_WriteAdvanceCfgData",
              [&] {
                return "BGProtection=" + std::to_string(data.BGProtection) + " CCX2=" + Hex32(data.CCX2_CONTROL) +
                       " CountryRegion=" + std::to_string(data.CountryRegion) +
                       " CountryRegionABand=" + std::to_string(data.CountryRegionABand) +
                       " ShowAuthStatus=" + std::to_string(data.ShowAuthStatus) + " Transmit=" + Hex32(data.TransmitSetting) +
                       " TransRate=" + std::to_string(data.TransRate) + " TXBurst=" + std::to_string(data.TXBurst) +
                       " WirelessMode=" + std::to_string(data.WirelessMode) +
                       " TcpWindow=" + std::to_string(data.EnableTcpWindowSize);
              },
              [&]() -> int { return WriteAdvance(data); });
}

WVWL_API int __stdcall WVWL_QuerySTAConfig(KV_802_11_STA_CONFIG* config) {
  return Call("WVWL_QuerySTAConfig", [&] { return ""; }, [&]() -> int {
    if (!config) return WVWL_ERROR_FAILURE;
    int hw = 0, sw = 0;
    Sim().RadioState(hw, sw);
    ADVANCE_CONFIG_DATA stored{};
    ReadAdvance(&stored);
    std::memset(config, 0, sizeof *config);
    config->EnableTxBurst = stored.TXBurst;
    config->UseBGProtection = stored.BGProtection;
    config->UseShortSlotTime = 1;
    config->HwRadioStatus = static_cast<uint32_t>(hw);
    return WVWL_ERROR_SUCCESS;
  });
}

// WMM and power save ------------------------------------------------------------------------------

WVWL_API int __stdcall WVWL_QueryAndReadWMMCapability(WMM_CAPABILITY* capability) {
  return Call("WVWL_QueryAndReadWMMCapability", [&] { return capability ? WmmText(*capability) : std::string(); }, [&]() -> int {
    if (!capability) return WVWL_ERROR_FAILURE;
    *capability = StoredWmm();
    return WVWL_ERROR_SUCCESS;
  });
}

WVWL_API int __stdcall WVWL_UpdateWMMEnable(WMM_CAPABILITY capability) {
  return Call("WVWL_UpdateWMMEnable",
              [&] { return "wmm=" + std::to_string(capability.bWMMEnable) + " apsd=" + std::to_string(capability.bAPSDEnable); },
              [&]() -> int {
                return MergeWmm([&](WMM_CAPABILITY& w) {
                  w.bWMMEnable = capability.bWMMEnable;
                  w.bAPSDEnable = capability.bAPSDEnable;
                });
              });
}

WVWL_API int __cdecl WVWL_EnableAPSD(WMM_CAPABILITY capability) {
  return Call("WVWL_EnableAPSD", [&] { return "apsd=" + std::to_string(capability.bAPSDEnable); }, [&]() -> int {
    return MergeWmm([&](WMM_CAPABILITY& w) { w.bAPSDEnable = capability.bAPSDEnable; });
  });
}

WVWL_API int __stdcall WVWL_SetAndWriteAPSDSetting(WMM_CAPABILITY capability) {
  return Call("WVWL_SetAndWriteAPSDSetting",
              [&] {
                const uint32_t v[] = {capability.bAPSD_AC_BE, capability.bAPSD_AC_BK, capability.bAPSD_AC_VI,
                                      capability.bAPSD_AC_VO};
                return "be/bk/vi/vo " + Flags(v, 4);
              },
              [&]() -> int {
                return MergeWmm([&](WMM_CAPABILITY& w) {
                  w.bAPSD_AC_BE = capability.bAPSD_AC_BE;
                  w.bAPSD_AC_BK = capability.bAPSD_AC_BK;
                  w.bAPSD_AC_VI = capability.bAPSD_AC_VI;
                  w.bAPSD_AC_VO = capability.bAPSD_AC_VO;
                });
              });
}

// Protected management frames --------------------------------------------------------------------

WVWL_API int __stdcall WVWL_QueryMFPCtrl(MFP_CONTROL* control) {
  return Call("WVWL_QueryMFPCtrl", [&] { return control ? MfpText(*control) : std::string(); }, [&]() -> int {
    if (!control) return WVWL_ERROR_FAILURE;
    std::memset(control, 0, sizeof *control);
    Sim().Blob("MFPControl", control, sizeof *control);
    return WVWL_ERROR_SUCCESS;
  });
}

// Bytes 10 and 11 are triggers: the driver acts on each write that sets them and keeps the
// record as written.
WVWL_API int __cdecl WVWL_SetMFPCtrl(MFP_CONTROL control) {
  return Call("WVWL_SetMFPCtrl", [&] { return MfpText(control); }, [&]() -> int {
    Sim().SetBlob("MFPControl", &control, sizeof control);
    if (control.flag[MFP_SILENT_LINK_DOWN]) {
      Sim().Journal("mfp: silent link down");
      Sim().Disconnect();
    }
    if (control.flag[MFP_INJECT_NOW]) Sim().Journal("mfp: inject " + InjectedFrames(control));
    return WVWL_ERROR_SUCCESS;
  });
}

// Admission control and CCX diagnostics ----------------------------------------------------------

WVWL_API int __cdecl WVWL_SetACMCmd(ACM_COMMAND command) {
  return Call("WVWL_SetACMCmd",
              [&] {
                return "command=" + std::to_string(command.Command) + " second=" + std::to_string(command.One) +
                       (AllZero(command.Reserved, sizeof command.Reserved) ? "" : " rest=nonzero");
              },
              [&]() -> int {
                Sim().SetIntValue("ACMCommand", command.Command);
                return WVWL_ERROR_SUCCESS;
              });
}

WVWL_API int __stdcall WVWL_WlanIsCCXDiagnosticProfile(const char* profileName128) {
  const std::string name = Text(profileName128, 128);
  return Call("WVWL_WlanIsCCXDiagnosticProfile", [&] { return name; }, [&]() -> int {
    return Sim().WithScenario([&](const Scenario& s) { return Listed(s.diagnosticProfiles, name) ? 1 : 0; });
  });
}

WVWL_API int __stdcall WVWL_WlanIsWindowsProfileExist(const char* profileName64) {
  const std::string name = Text(profileName64, 64);
  return Call("WVWL_WlanIsWindowsProfileExist", [&] { return name; }, [&]() -> int {
    const Scenario s = Sim().ScenarioCopy();
    if (s.windowsProfilesListed) return Listed(s.windowsProfiles, name) ? 1 : 0;
    WLANPROFILE stored;
    return !name.empty() && Sim().ReadRecord("Profile", name, &stored, sizeof stored) ? 1 : 0;
  });
}

WVWL_API int __stdcall WVWL_StartDiagTest() {
  return Call("WVWL_StartDiagTest", [&] { return ""; }, [&]() -> int {
    Sim().SetIntValue("DiagRunning", 1);
    return WVWL_ERROR_SUCCESS;
  });
}

WVWL_API int __stdcall WVWL_StopDiagTest() {
  return Call("WVWL_StopDiagTest", [&] { return ""; }, [&]() -> int {
    Sim().SetIntValue("DiagRunning", 0);
    return WVWL_ERROR_SUCCESS;
  });
}

WVWL_API int __stdcall WVWL_WlanSendS64Start(const wchar_t* profileName) {
  const std::string name = Narrow(profileName);
  return Call("WVWL_WlanSendS64Start", [&] { return name; }, [&]() -> int {
    if (name.empty()) return WVWL_ERROR_FAILURE;
    Sim().SetIntValue("DiagRunning", 1);
    Sim().SetValue("DiagProfile", name);
    return WVWL_ERROR_SUCCESS;
  });
}

WVWL_API int __stdcall WVWL_WlanSendClientAbort() {
  return Call("WVWL_WlanSendClientAbort", [&] { return ""; }, [&]() -> int {
    Sim().SetIntValue("DiagRunning", 0);
    return WVWL_ERROR_SUCCESS;
  });
}

// Reconnects ----------------------------------------------------------------------------------------

// Connects the stored profile of that name; a name the library does not store (the operating
// system's own profile) connects the SSID with the current setting.
WVWL_API int __stdcall WVWL_WlanConnect(const char* profileName, unsigned long networkType, NDIS_802_11_SSID ssid,
                                        unsigned long connectMode, unsigned long authType, unsigned long cipherType) {
  const std::string name = Text(profileName, 256);
  return Call("WVWL_WlanConnect",
              [&] {
                return "profile=" + name + " type=" + std::to_string(networkType) + " ssid=" + SsidArg(ssid) +
                       " mode=" + std::to_string(connectMode) + " auth=" + std::to_string(authType) +
                       " cipher=" + std::to_string(cipherType);
              },
              [&]() -> int {
                WLANPROFILE stored;
                if (!name.empty() && Sim().ReadRecord("Profile", name, &stored, sizeof stored)) return Sim().SetProfile(stored);
                return ConnectWith([&](WLANPROFILE& p) { p.SSID = ssid; p.bBssid = 0; });
              });
}

// An SSID of 32 zero bytes takes the station off its network.
WVWL_API int __stdcall WVWL_SetSSID(NDIS_802_11_SSID ssid) {
  return Call("WVWL_SetSSID", [&] { return SsidArg(ssid); }, [&]() -> int {
    if (ssid.SsidLength == sizeof ssid.Ssid && AllZero(ssid.Ssid, sizeof ssid.Ssid)) return Sim().Disconnect();
    return ConnectWith([&](WLANPROFILE& p) { p.SSID = ssid; p.bBssid = 0; });
  });
}

// In access-point-client mode the hosted network is stopped and started again on the record.
WVWL_API int __stdcall WVWL_HostedNetworkStopUsingAndSetup(EXTAP_CONFIG config) {
  const std::string ssid = Text(reinterpret_cast<const char*>(config.Ssid), std::min<size_t>(config.SsidLength, sizeof config.Ssid));
  return Call("WVWL_HostedNetworkStopUsingAndSetup", [&] { return "ssid=" + ssid + " peers=" + std::to_string(config.MaxPeers); },
              [&]() -> int {
                if (!Sim().IntValue("HostedNetworkAllowed", Cfg([](const Scenario& s) { return s.hostedNetworkAvailable; })))
                  return WVWL_ERROR_FAILURE;
                Sim().SetBlob("ExtAPConfig", &config, sizeof config);
                if (Sim().QueryOpMode() != OP_MODE_APCLIENT) return WVWL_ERROR_SUCCESS;
                Sim().Journal("hosted network stopped");
                Sim().SetIntValue("HostedNetworkStarts", Sim().IntValue("HostedNetworkStarts") + 1);
                Sim().Journal("hosted network started ssid=" + ssid);
                return WVWL_ERROR_SUCCESS;
              });
}

static_assert(std::is_same_v<decltype(&WVWL_QueryCountryRegion), PFN_WVWL_QueryCountryRegion>);
static_assert(std::is_same_v<decltype(&WVWL_GetMaxCountryRegion), PFN_WVWL_GetMaxCountryRegion>);
static_assert(std::is_same_v<decltype(&WVWL_QueryAntennaNumber), PFN_WVWL_QueryAntennaNumber>);
static_assert(std::is_same_v<decltype(&WVWL_VerifyCountryRegion), PFN_WVWL_VerifyCountryRegion>);
static_assert(std::is_same_v<decltype(&WVWL_FlushBSSIDList), PFN_WVWL_FlushBSSIDList>);
static_assert(std::is_same_v<decltype(&WVWL_WriteAdvanceCfgData), PFN_WVWL_WriteAdvanceCfgData>);
static_assert(std::is_same_v<decltype(&WVWL_QuerySTAConfig), PFN_WVWL_QuerySTAConfig>);
static_assert(std::is_same_v<decltype(&WVWL_QueryAndReadWMMCapability), PFN_WVWL_QueryAndReadWMMCapability>);
static_assert(std::is_same_v<decltype(&WVWL_UpdateWMMEnable), PFN_WVWL_UpdateWMMEnable>);
static_assert(std::is_same_v<decltype(&WVWL_EnableAPSD), PFN_WVWL_EnableAPSD>);
static_assert(std::is_same_v<decltype(&WVWL_SetAndWriteAPSDSetting), PFN_WVWL_SetAndWriteAPSDSetting>);
static_assert(std::is_same_v<decltype(&WVWL_QueryMFPCtrl), PFN_WVWL_QueryMFPCtrl>);
static_assert(std::is_same_v<decltype(&WVWL_SetMFPCtrl), PFN_WVWL_SetMFPCtrl>);
static_assert(std::is_same_v<decltype(&WVWL_SetACMCmd), PFN_WVWL_SetACMCmd>);
static_assert(std::is_same_v<decltype(&WVWL_WlanIsCCXDiagnosticProfile), PFN_WVWL_WlanIsCCXDiagnosticProfile>);
static_assert(std::is_same_v<decltype(&WVWL_WlanIsWindowsProfileExist), PFN_WVWL_WlanIsWindowsProfileExist>);
static_assert(std::is_same_v<decltype(&WVWL_StartDiagTest), PFN_WVWL_StartDiagTest>);
static_assert(std::is_same_v<decltype(&WVWL_StopDiagTest), PFN_WVWL_StopDiagTest>);
static_assert(std::is_same_v<decltype(&WVWL_WlanSendS64Start), PFN_WVWL_WlanSendS64Start>);
static_assert(std::is_same_v<decltype(&WVWL_WlanSendClientAbort), PFN_WVWL_WlanSendClientAbort>);
static_assert(std::is_same_v<decltype(&WVWL_WlanConnect), PFN_WVWL_WlanConnect>);
static_assert(std::is_same_v<decltype(&WVWL_SetSSID), PFN_WVWL_SetSSID>);
static_assert(std::is_same_v<decltype(&WVWL_HostedNetworkStopUsingAndSetup), PFN_WVWL_HostedNetworkStopUsingAndSetup>);
