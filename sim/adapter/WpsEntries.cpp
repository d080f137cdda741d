// The library's WPS entries: the run, its stored records and flag, the hardware button, the
// external registrar and its enrollee list, and the version switches.
#include <algorithm>
#include <cstring>
#include <type_traits>

#include "EntrySupport.h"
#include "WifiDirect.h"
#include "WpsRun.h"

using namespace sim;

namespace {

std::string Flag(long long v) { return std::to_string(v); }

std::string MacArg(const unsigned char* mac6) {
  return mac6 ? HexText(mac6, 6) : std::string("null");
}

}  // namespace

WVWL_API int __stdcall WVWL_SetWPSMode(WPS_MODE mode) {
  return Call("WVWL_SetWPSMode", [&] { return StartRecordText(mode); }, [&]() -> int {
    if (P2p::Get().WpsStarted(mode)) return WVWL_ERROR_SUCCESS;  // a Wi-Fi Direct exchange waited for it
    return WpsRun::Get().Start(mode);
  });
}

WVWL_API int __stdcall WVWL_QueryWPSStatus(unsigned long* status) {
  unsigned long word = 0;
  return Call("WVWL_QueryWPSStatus", [&] { return Hex32(word); }, [&]() -> int {
    if (!status) return WVWL_ERROR_FAILURE;
    word = WpsRun::Get().Poll();
    *status = word;
    return WVWL_ERROR_SUCCESS;
  });
}

WVWL_API int __stdcall WVWL_QueryWPSProfile(WPS_PROFILE* profile) {
  WPS_PROFILE got{};
  return Call("WVWL_QueryWPSProfile", [&] { return WpsProfileText(got); }, [&]() -> int {
    if (!profile) return WVWL_ERROR_FAILURE;
    WpsRun::Get().Credentials(got);
    *profile = got;
    return WVWL_ERROR_SUCCESS;
  });
}

WVWL_API int __stdcall WVWL_SetWPSProfile(WPS_PROFILE profile) {
  return Call("WVWL_SetWPSProfile", [&] { return WpsProfileText(profile); }, [&]() -> int {
    WpsRun::Get().SetRegistrarProfile(profile);
    return WVWL_ERROR_SUCCESS;
  });
}

WVWL_API int __stdcall WVWL_SetWPSAutoSelect(int autoSelect) {
  return Call("WVWL_SetWPSAutoSelect", [&] { return Flag(autoSelect); }, [&]() -> int {
    WpsRun::Get().SetAutoSelect(autoSelect != 0);
    return WVWL_ERROR_SUCCESS;
  });
}

WVWL_API int __stdcall WVWL_SetWPSAssociateIE(int enable) {
  return Call("WVWL_SetWPSAssociateIE", [&] { return Flag(enable); }, [&]() -> int {
    Sim().SetIntValue("WPSAssociateIE", enable);
    return WVWL_ERROR_SUCCESS;
  });
}

WVWL_API int __stdcall WVWL_SetWPSProbeReqIE(int enable) {
  return Call("WVWL_SetWPSProbeReqIE", [&] { return Flag(enable); }, [&]() -> int {
    Sim().SetIntValue("WPSProbeReqIE", enable);
    return WVWL_ERROR_SUCCESS;
  });
}

WVWL_API int __stdcall WVWL_SetPreferWPSAPPhyType(int phyType) {
  return Call("WVWL_SetPreferWPSAPPhyType", [&] { return Flag(phyType); }, [&]() -> int {
    Sim().SetIntValue("WPSPreferPhyType", phyType);
    return WVWL_ERROR_SUCCESS;
  });
}

WVWL_API int __stdcall WVWL_WPSDisconnect() {
  return Call("WVWL_WPSDisconnect", [&] { return ""; }, [&]() -> int {
    WpsRun::Get().End(true);
    return WVWL_ERROR_SUCCESS;
  });
}

WVWL_API int __stdcall WVWL_TerminateWPS() {
  return Call("WVWL_TerminateWPS", [&] { return ""; }, [&]() -> int {
    WpsRun::Get().End(false);
    return WVWL_ERROR_SUCCESS;
  });
}

WVWL_API int __stdcall WVWL_ReadWPSFlag(int* flag) {
  return Call("WVWL_ReadWPSFlag", [&] { return ""; }, [&]() -> int {
    return OutInt(flag, Sim().IntValue("WPSFlag"));
  });
}

WVWL_API int __stdcall WVWL_WriteWPSFlag(int flag) {
  return Call("WVWL_WriteWPSFlag", [&] { return Flag(flag); }, [&]() -> int {
    Sim().SetIntValue("WPSFlag", flag);
    return WVWL_ERROR_SUCCESS;
  });
}

WVWL_API int __stdcall WVWL_ReadWPSProfile(WPS_MODE* mode, WPS_PROFILE* profile) {
  return Call("WVWL_ReadWPSProfile", [&] { return ""; }, [&]() -> int {
    if (mode && !Sim().Blob("WPSMode", mode, sizeof *mode)) std::memset(mode, 0, sizeof *mode);
    if (profile && !Sim().Blob("WPSProfile", profile, sizeof *profile)) std::memset(profile, 0, sizeof *profile);
    return WVWL_ERROR_SUCCESS;
  });
}

WVWL_API int __stdcall WVWL_WriteWPSProfile(WPS_MODE mode, WPS_PROFILE profile) {
  return Call("WVWL_WriteWPSProfile", [&] { return StoredRecordText(mode) + "; " + WpsProfileText(profile); },
              [&]() -> int {
                Sim().SetBlob("WPSMode", &mode, sizeof mode);
                Sim().SetBlob("WPSProfile", &profile, sizeof profile);
                return WVWL_ERROR_SUCCESS;
              });
}

WVWL_API int __stdcall WVWL_GetWPSHwPBCMode(int* mode) {
  return Call("WVWL_GetWPSHwPBCMode", [&] { return ""; }, [&]() -> int {
    return OutInt(mode, Cfg([](const Scenario& s) { return s.wps.hwPbcMode; }));
  });
}

WVWL_API int __stdcall WVWL_QueryWPSHwPbc(long* pressed) {
  long value = 0;
  return Call("WVWL_QueryWPSHwPbc", [&] { return Flag(value); }, [&]() -> int {
    if (!pressed) return WVWL_ERROR_FAILURE;
    value = WpsRun::Get().TakeButton();
    *pressed = value;
    return WVWL_ERROR_SUCCESS;
  });
}

WVWL_API int __stdcall WVWL_StartExtregWPS(const char* uuid) {
  return Call("WVWL_StartExtregWPS", [&] { return Text(uuid, 64); }, [&]() -> int {
    return WpsRun::Get().StartExtreg(uuid ? Text(uuid, 64) : std::string());
  });
}

WVWL_API int __stdcall WVWL_StopExtregWPS() {
  return Call("WVWL_StopExtregWPS", [&] { return ""; }, [&]() -> int {
    WpsRun::Get().StopExtreg();
    return WVWL_ERROR_SUCCESS;
  });
}

WVWL_API int __stdcall WVWL_UseEnrolleeList(int use) {
  return Call("WVWL_UseEnrolleeList", [&] { return Flag(use); }, [&]() -> int {
    int result = static_cast<int>(Cfg([](const Scenario& s) { return s.wps.useEnrolleeList; }));
    WpsRun::Get().SetUseEnrolleeList(use != 0 && (result & 1));
    return result;
  });
}

WVWL_API int __stdcall WVWL_SetSelEnrolleeMAC(const unsigned char* mac6) {
  return Call("WVWL_SetSelEnrolleeMAC", [&] { return MacArg(mac6); }, [&]() -> int {
    if (!mac6) return WVWL_ERROR_FAILURE;
    Mac mac;
    std::copy(mac6, mac6 + 6, mac.begin());
    WpsRun::Get().SelectEnrollee(mac);
    return WVWL_ERROR_SUCCESS;
  });
}

// Two calls: with too small a buffer -10 and the count needed; then the records. A scene may
// claim more stations than it fills.
WVWL_API int __stdcall WVWL_GetEnrolleeInfo(void* buffer, unsigned long capacity, unsigned long* count) {
  return Call("WVWL_GetEnrolleeInfo", [&] { return Flag(static_cast<long long>(capacity)); }, [&]() -> int {
    if (!count) return WVWL_ERROR_FAILURE;
    WpsScene scene = Sim().WithScenario([](const Scenario& s) { return s.wps; });
    unsigned long claimed = static_cast<unsigned long>(scene.enrollees.size() + scene.enrolleeCountExtra);
    if (!buffer || capacity < claimed) {
      *count = claimed;
      return WVWL_ERROR_BUFFER_TOO_SMALL;
    }
    auto* records = static_cast<WSC_EXTREG_ENR_INFO*>(buffer);
    for (size_t i = 0; i < scene.enrollees.size(); ++i) {
      const EnrolleeDef& e = scene.enrollees[i];
      WSC_EXTREG_ENR_INFO& r = records[i];
      std::memset(&r, 0, sizeof r);
      std::copy(e.mac.begin(), e.mac.end(), r.EnrolleeMac);
      r.DevicePasswordId = static_cast<uint16_t>(e.passwordId);
      std::strncpy(r.ModelName, e.model.c_str(), sizeof r.ModelName - 1);
    }
    *count = claimed;
    return WVWL_ERROR_SUCCESS;
  });
}

WVWL_API int __stdcall WVWL_GetVenExtAttribute(void* attribute) {
  return Call("WVWL_GetVenExtAttribute", [&] { return ""; }, [&]() -> int {
    if (!attribute) return WVWL_ERROR_FAILURE;
    auto* a = static_cast<VenExtAttribute*>(attribute);
    std::memset(a, 0, sizeof *a);
    a->uchVersion2 = static_cast<uint8_t>(Cfg([](const Scenario& s) { return s.wps.apVersion2; }));
    return WVWL_ERROR_SUCCESS;
  });
}

WVWL_API int __stdcall WVWL_ReConfigureAP(int reconfigure) {
  return Call("WVWL_ReConfigureAP", [&] { return Flag(reconfigure); }, [&]() -> int {
    WpsRun::Get().SetReconfigure(reconfigure != 0);
    return WVWL_ERROR_SUCCESS;
  });
}

WVWL_API int __stdcall WVWL_QueryWPSVersion(unsigned long* version) {
  return Call("WVWL_QueryWPSVersion", [&] { return ""; }, [&]() -> int {
    long long fallback = Cfg([](const Scenario& s) { return s.wps.version; });
    return OutULong(version, Sim().IntValue("WPSVersion", fallback));
  });
}

WVWL_API int __stdcall WVWL_SetWPSVersion(unsigned long version) {
  return Call("WVWL_SetWPSVersion", [&] { return Hex32(version); }, [&]() -> int {
    Sim().SetIntValue("WPSVersion", version);
    return WVWL_ERROR_SUCCESS;
  });
}

WVWL_API int __stdcall WVWL_QueryWPS20TestBed(unsigned long* bits) {
  return Call("WVWL_QueryWPS20TestBed", [&] { return ""; }, [&]() -> int {
    long long fallback = Cfg([](const Scenario& s) { return s.wps.testBed; });
    return OutULong(bits, Sim().IntValue("WPS20TestBed", fallback));
  });
}

WVWL_API int __stdcall WVWL_SetWPS20TestBed(unsigned long bits) {
  return Call("WVWL_SetWPS20TestBed", [&] { return Hex32(bits); }, [&]() -> int {
    Sim().SetIntValue("WPS20TestBed", bits);
    return WVWL_ERROR_SUCCESS;
  });
}

// Each entry has the type the program looks it up with.
static_assert(std::is_same_v<decltype(&WVWL_GetWPSHwPBCMode), PFN_WVWL_GetWPSHwPBCMode>);
static_assert(std::is_same_v<decltype(&WVWL_QueryWPSHwPbc), PFN_WVWL_QueryWPSHwPbc>);
static_assert(std::is_same_v<decltype(&WVWL_QueryWPSProfile), PFN_WVWL_QueryWPSProfile>);
static_assert(std::is_same_v<decltype(&WVWL_QueryWPSStatus), PFN_WVWL_QueryWPSStatus>);
static_assert(std::is_same_v<decltype(&WVWL_ReadWPSFlag), PFN_WVWL_ReadWPSFlag>);
static_assert(std::is_same_v<decltype(&WVWL_ReadWPSProfile), PFN_WVWL_ReadWPSProfile>);
static_assert(std::is_same_v<decltype(&WVWL_SetPreferWPSAPPhyType), PFN_WVWL_SetPreferWPSAPPhyType>);
static_assert(std::is_same_v<decltype(&WVWL_SetWPSAssociateIE), PFN_WVWL_SetWPSAssociateIE>);
static_assert(std::is_same_v<decltype(&WVWL_SetWPSAutoSelect), PFN_WVWL_SetWPSAutoSelect>);
static_assert(std::is_same_v<decltype(&WVWL_SetWPSMode), PFN_WVWL_SetWPSMode>);
static_assert(std::is_same_v<decltype(&WVWL_SetWPSProbeReqIE), PFN_WVWL_SetWPSProbeReqIE>);
static_assert(std::is_same_v<decltype(&WVWL_SetWPSProfile), PFN_WVWL_SetWPSProfile>);
static_assert(std::is_same_v<decltype(&WVWL_WPSDisconnect), PFN_WVWL_WPSDisconnect>);
static_assert(std::is_same_v<decltype(&WVWL_TerminateWPS), PFN_WVWL_TerminateWPS>);
static_assert(std::is_same_v<decltype(&WVWL_WriteWPSFlag), PFN_WVWL_WriteWPSFlag>);
static_assert(std::is_same_v<decltype(&WVWL_WriteWPSProfile), PFN_WVWL_WriteWPSProfile>);
static_assert(std::is_same_v<decltype(&WVWL_StartExtregWPS), PFN_WVWL_StartExtregWPS>);
static_assert(std::is_same_v<decltype(&WVWL_StopExtregWPS), PFN_WVWL_StopExtregWPS>);
static_assert(std::is_same_v<decltype(&WVWL_QueryWPSVersion), PFN_WVWL_QueryWPSVersion>);
static_assert(std::is_same_v<decltype(&WVWL_GetEnrolleeInfo), PFN_WVWL_GetEnrolleeInfo>);
static_assert(std::is_same_v<decltype(&WVWL_SetWPSVersion), PFN_WVWL_SetWPSVersion>);
static_assert(std::is_same_v<decltype(&WVWL_UseEnrolleeList), PFN_WVWL_UseEnrolleeList>);
static_assert(std::is_same_v<decltype(&WVWL_SetSelEnrolleeMAC), PFN_WVWL_SetSelEnrolleeMAC>);
static_assert(std::is_same_v<decltype(&WVWL_GetVenExtAttribute), PFN_WVWL_GetVenExtAttribute>);
static_assert(std::is_same_v<decltype(&WVWL_ReConfigureAP), PFN_WVWL_ReConfigureAP>);
static_assert(std::is_same_v<decltype(&WVWL_QueryWPS20TestBed), PFN_WVWL_QueryWPS20TestBed>);
static_assert(std::is_same_v<decltype(&WVWL_SetWPS20TestBed), PFN_WVWL_SetWPS20TestBed>);
