// The entries of the adapter library, in the order of its entry-point list. Each counts its
// call, honours an injected result and writes a journal line (see EntrySupport.h).
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <string>
#include <type_traits>
#include <vector>

#include "BlockAck.h"
#include "Certs.h"
#include "PacList.h"
#include "EntrySupport.h"
#include "ExtAp.h"
#include "MediaService.h"
#include "Psk.h"
#include "WifiDirect.h"

using namespace sim;

WVWL_API int __stdcall WVWL_AdapterSelect(WLAN_ADAPTER* adapter, RS_CALLBACK_FUNC callback, HWND appWindow) {
  return Call("WVWL_AdapterSelect", [&] { return ""; }, [&]() -> int {
    return Sim().AdapterSelect(adapter, callback, appWindow);
  });
}

WVWL_API int __stdcall WVWL_AddIMMEBA(BA_SESSION_REQUEST request) {
  return Call("WVWL_AddIMMEBA", [&] { return BaRequestText(request); }, [&]() -> int {
    return BaAdd(request);
  });
}

WVWL_API int __stdcall WVWL_BackupStationSetting() {
  return Call("WVWL_BackupStationSetting", [&] { return ""; }, [&]() -> int {
    return WVWL_ERROR_SUCCESS;
  });
}

WVWL_API int __stdcall WVWL_ChannelToFrequency(int channel) {
  return Call("WVWL_ChannelToFrequency", [&] { return std::to_string(channel); }, [&]() -> int {
    return static_cast<int>(ChannelToFrequencyKHz(channel));
  });
}

WVWL_API int __stdcall WVWL_CheckDuplicatedProfileName(const char* name) {
  return Call("WVWL_CheckDuplicatedProfileName", [&] { return Text(name, 128); }, [&]() -> int {
    WLANPROFILE p;
    return name && Sim().ReadRecord("Profile", name, &p, sizeof p) ? -16 : WVWL_ERROR_SUCCESS;
  });
}

WVWL_API int __stdcall WVWL_CheckIEEE80211H() {
  return Call("WVWL_CheckIEEE80211H", [&] { return ""; }, [&]() -> int {
    return 0;
  });
}

WVWL_API int __stdcall WVWL_CheckAdhoc5GDisable() {
  return Call("WVWL_CheckAdhoc5GDisable", [&] { return ""; }, [&]() -> int {
    return 0;
  });
}

WVWL_API int __stdcall WVWL_CheckBssidRepositTime() {
  return Call("WVWL_CheckBssidRepositTime", [&] { return ""; }, [&]() -> int {
    return Cfg([](const Scenario& s) { return s.repositTimeOff; });
  });
}

WVWL_API int __stdcall WVWL_CheckIfAllowBW40InABand() {
  return Call("WVWL_CheckIfAllowBW40InABand", [&] { return ""; }, [&]() -> int {
    return Cfg([](const Scenario& s) { return s.support11n && s.channelMode != 0; });
  });
}

WVWL_API int __stdcall WVWL_CheckIfAllowBW40InBGBand() {
  return Call("WVWL_CheckIfAllowBW40InBGBand", [&] { return ""; }, [&]() -> int {
    return Cfg([](const Scenario& s) { return s.support11n; });
  });
}

WVWL_API int __stdcall WVWL_CheckMSConfigService() {
  return Call("WVWL_CheckMSConfigService", [&] { return ""; }, [&]() -> int {
    return Cfg([](const Scenario& s) { return s.msConfigService; });
  });
}

WVWL_API int __stdcall WVWL_ConnectWPSProfile(WPS_PROFILE* profile) {
  return Call("WVWL_ConnectWPSProfile", [&] { return ""; }, [&]() -> int {
    return WVWL_ERROR_SUCCESS;
  });
}

WVWL_API int __stdcall WVWL_ConvertPhyModeToAdHocMode(int wirelessMode, int* adhocMode) {
  return Call("WVWL_ConvertPhyModeToAdHocMode", [&] { return ""; }, [&]() -> int {
    if (!adhocMode) return WVWL_ERROR_FAILURE;
    *adhocMode = wirelessMode == 2 || wirelessMode == 8 ? 2 : 0;
    return WVWL_ERROR_SUCCESS;
  });
}

WVWL_API int __stdcall WVWL_CopyProfileToCurrentSetting(const char* profileName) {
  return Call("WVWL_CopyProfileToCurrentSetting", [&] { return Text(profileName, 128); }, [&]() -> int {
    return CopyToCurrent(profileName);
  });
}

WVWL_API int __stdcall WVWL_CreateShortCut(const char* programPath, const char* folderName, const char* iconName) {
  return Call("WVWL_CreateShortCut", [&] { return ""; }, [&]() -> int {
    return WVWL_ERROR_SUCCESS;
  });
}

WVWL_API int __stdcall WVWL_GetAdaptersInfo(int count, void* buffer, int flag, const char* virtualPortId) {
  return Call("WVWL_GetAdaptersInfo", [&] { return std::to_string(count) + " " + std::to_string(flag) + " " + Text(virtualPortId, 128); }, [&]() -> int {
    std::vector<IcsAdapterDef> list = Sim().WithScenario([](const Scenario& s) { return s.icsAdapters; });
    const long long extra = Cfg([](const Scenario& s) { return s.icsCountExtra; });
    auto* out = static_cast<ICS_ADAPTER_INFO*>(buffer);
    for (int i = 0; out && i < count && i < static_cast<int>(list.size()); ++i) {
      std::memset(&out[i], 0, sizeof out[i]);
      std::strncpy(out[i].szAdapterName, list[i].name.c_str(), sizeof out[i].szAdapterName - 1);
      out[i].dwAdapterType = list[i].type;
      out[i].dwAdapterStatus = list[i].status;
    }
    return static_cast<int>(list.size() + extra);
  });
}

WVWL_API int __stdcall WVWL_DeInitial() {
  return Call("WVWL_DeInitial", [&] { return ""; }, [&]() -> int {
    StopControlPipe();
    return Sim().DeInitial();
  });
}

WVWL_API int __stdcall WVWL_DeleteCertificate(const char* store, const void* certHash, int hashLength) {
  return Call("WVWL_DeleteCertificate", [&] { return ""; }, [&]() -> int {
    return WVWL_ERROR_SUCCESS;
  });
}

WVWL_API int __stdcall WVWL_DeleteProfile(const char* profileName, int bDeleteConnected) {
  return Call("WVWL_DeleteProfile", [&] { return Text(profileName, 128); }, [&]() -> int {
    return DeleteProfile(profileName, bDeleteConnected);
  });
}

WVWL_API int __stdcall WVWL_DetectMoreThanOneUser() {
  return Call("WVWL_DetectMoreThanOneUser", [&] { return ""; }, [&]() -> int {
    return Cfg([](const Scenario& s) { return s.moreThanOneUser; });
  });
}

WVWL_API int __stdcall WVWL_DetectUserAdmin() {
  return Call("WVWL_DetectUserAdmin", [&] { return ""; }, [&]() -> int {
    return Cfg([](const Scenario& s) { return s.userAdmin; });
  });
}

WVWL_API int __stdcall WVWL_DevEnable(WLAN_ADAPTER* adapter, int enable) {
  return Call("WVWL_DevEnable", [&] { return Text(adapter ? adapter->HardwareID : "", 64) + " " + std::to_string(enable); }, [&]() -> int {
    return adapter ? WVWL_ERROR_SUCCESS : WVWL_ERROR_FAILURE;
  });
}

WVWL_API int __stdcall WVWL_DisableDhcpServer() {
  return Call("WVWL_DisableDhcpServer", [&] { return ""; }, [&]() -> int {
    Sim().SetIntValue("DhcpServer", 0);
    return WVWL_ERROR_SUCCESS;
  });
}

WVWL_API int __stdcall WVWL_Disassociate() {
  return Call("WVWL_Disassociate", [&] { return ""; }, [&]() -> int {
    return Sim().Disconnect();
  });
}

WVWL_API int __stdcall WVWL_Disconnect() {
  return Call("WVWL_Disconnect", [&] { return ""; }, [&]() -> int {
    return Sim().Disconnect();
  });
}

WVWL_API int __stdcall WVWL_EnableDhcpServer(int bIcsEnabled) {
  return Call("WVWL_EnableDhcpServer", [&] { return std::to_string(bIcsEnabled); }, [&]() -> int {
    Sim().SetIntValue("DhcpServer", 1);
    Sim().SetIntValue("DhcpServerIcs", bIcsEnabled);
    return WVWL_ERROR_SUCCESS;
  });
}

WVWL_API int __stdcall WVWL_EnableDLSetup(int enable) {
  return Call("WVWL_EnableDLSetup", [&] { return ""; }, [&]() -> int {
    return WVWL_ERROR_SUCCESS;
  });
}

WVWL_API int __stdcall WVWL_EnumCert(const char* store, void* certArray, int* count) {
  const std::string args = Text(store, 16) + (certArray ? " array" : " null") + " count " + (count ? std::to_string(*count) : "null");
  return Call("WVWL_EnumCert", [&] { return args + (count ? " -> " + std::to_string(*count) : ""); }, [&]() -> int {
    return EnumCerts(store, false, certArray, count);
  });
}

WVWL_API int __stdcall WVWL_EnumMachineCert(const char* store, void* certArray, int* count) {
  const std::string args = Text(store, 16) + (certArray ? " array" : " null") + " count " + (count ? std::to_string(*count) : "null");
  return Call("WVWL_EnumMachineCert", [&] { return args + (count ? " -> " + std::to_string(*count) : ""); }, [&]() -> int {
    return EnumCerts(store, true, certArray, count);
  });
}

WVWL_API int __stdcall WVWL_EnumSystemCertificate(const char* store, void* certArray, int* count) {
  return Call("WVWL_EnumSystemCertificate", [&] { return ""; }, [&]() -> int {
    return EmptyList(count);
  });
}

WVWL_API int __stdcall WVWL_ExportProfile(const char* profileName, const char* path) {
  return Call("WVWL_ExportProfile", [&] { return ""; }, [&]() -> int {
    return ExportProfile(profileName, path);
  });
}

WVWL_API int __stdcall WVWL_FastPacLoad(char* pathOut, int pathSize, const char* identity, int flag) {
  return Call("WVWL_FastPacLoad", [&] { return ""; }, [&]() -> int {
    return OutText(pathOut, pathSize > 0 ? static_cast<size_t>(pathSize) : 0, "");
  });
}

WVWL_API int __stdcall WVWL_FastPacSave(const void* pac, const char* pacPath, const char* pacAid) {
  return Call("WVWL_FastPacSave", [&] { return ""; }, [&]() -> int {
    return WVWL_ERROR_SUCCESS;
  });
}

WVWL_API int __stdcall WVWL_FreeCertArray(void* certArray, int* count) {
  const std::string args = std::string(certArray ? "array" : "null") + " count " + (count ? std::to_string(*count) : "null");
  return Call("WVWL_FreeCertArray", [&] { return args; }, [&]() -> int {
    return FreeCerts(certArray, count);
  });
}

WVWL_API int __stdcall WVWL_FrequencyToChannel(unsigned long frequencyKHz) {
  return Call("WVWL_FrequencyToChannel", [&] { return std::to_string(frequencyKHz); }, [&]() -> int {
    return FrequencyKHzToChannel(static_cast<uint32_t>(frequencyKHz));
  });
}

WVWL_API int __stdcall WVWL_GetAvailableAdapters(void* buffer, int capacity) {
  return Call("WVWL_GetAvailableAdapters", [&] { return "capacity " + std::to_string(capacity); }, [&]() -> int {
    return Sim().GetAvailableAdapters(buffer, capacity);
  });
}

WVWL_API int __stdcall WVWL_GetAvailableChannels(int flag, int wirelessMode, int adhocMode, unsigned char* channels64, int* count, int flag2) {
  return Call("WVWL_GetAvailableChannels", [&] { return std::to_string(wirelessMode); }, [&]() -> int {
    return Sim().Channels(wirelessMode, channels64, count);
  });
}

WVWL_API int __stdcall WVWL_GetCertificateManagerParam(void* param) {
  return Call("WVWL_GetCertificateManagerParam", [&] { return ""; }, [&]() -> int {
    return WVWL_ERROR_SUCCESS;
  });
}

WVWL_API int __stdcall WVWL_GetCurrentDeviceModel(unsigned long* model) {
  return Call("WVWL_GetCurrentDeviceModel", [&] { return ""; }, [&]() -> int {
    if (!model) return WVWL_ERROR_FAILURE;
    *model = static_cast<unsigned long>(Cfg([](const Scenario& s) { return s.deviceModel; }));
    return WVWL_ERROR_SUCCESS;
  });
}

WVWL_API int __stdcall WVWL_GetNextProfileID(char* id128) {
  return Call("WVWL_GetNextProfileID", [&] { return ""; }, [&]() -> int {
    return OutText(id128, 128, std::to_string(NextProfileId()));
  });
}

WVWL_API int __stdcall WVWL_GetUSBversion(int* version) {
  return Call("WVWL_GetUSBversion", [&] { return ""; }, [&]() -> int {
    if (!version) return WVWL_ERROR_FAILURE;
    *version = static_cast<int>(Cfg([](const Scenario& s) { return s.usbVersion; }));
    return WVWL_ERROR_SUCCESS;
  });
}

WVWL_API int __stdcall WVWL_GetWAPIProgress() {
  return Call("WVWL_GetWAPIProgress", [&] { return ""; }, [&]() -> int {
    return 0;
  });
}

WVWL_API int __stdcall WVWL_GetWinOS() {
  return Call("WVWL_GetWinOS", [&] { return ""; }, [&]() -> int {
    return static_cast<int>(Cfg([](const Scenario& s) { return s.winOS; }));
  });
}

WVWL_API int __stdcall WVWL_GetWinType() {
  return Call("WVWL_GetWinType", [&] { return ""; }, [&]() -> int {
    return static_cast<int>(Cfg([](const Scenario& s) { return s.winType; }));
  });
}

WVWL_API int __stdcall WVWL_ImportProfile(const char* path) {
  return Call("WVWL_ImportProfile", [&] { return ""; }, [&]() -> int {
    return ImportProfile(path);
  });
}

WVWL_API int __stdcall WVWL_InitAPSetting() {
  return Call("WVWL_InitAPSetting", [&] { return ""; }, [&]() -> int {
    return WVWL_ERROR_SUCCESS;
  });
}

WVWL_API int __stdcall WVWL_InitExtregWPS() {
  return Call("WVWL_InitExtregWPS", [&] { return ""; }, [&]() -> int {
    return WVWL_ERROR_SUCCESS;
  });
}

WVWL_API int __stdcall WVWL_Initial(const char* vendorName, HWND mainWindow) {
  return Call("WVWL_Initial", [&] { return ""; }, [&]() -> int {
    StartControlPipe();
    return Sim().Initial(mainWindow);
  });
}

WVWL_API int __stdcall WVWL_IPDataToStr(const unsigned char* ip4, char* text) {
  return Call("WVWL_IPDataToStr", [&] { return ""; }, [&]() -> int {
    if (!ip4 || !text) return WVWL_ERROR_FAILURE;
    std::sprintf(text, "%u.%u.%u.%u", ip4[0], ip4[1], ip4[2], ip4[3]);
    return WVWL_ERROR_SUCCESS;
  });
}

WVWL_API int __stdcall WVWL_Is80211ASupport() {
  return Call("WVWL_Is80211ASupport", [&] { return ""; }, [&]() -> int {
    return Cfg([](const Scenario& s) { return s.channelMode != 0; });
  });
}

WVWL_API int __stdcall WVWL_Is80211ACSupport() {
  return Call("WVWL_Is80211ACSupport", [&] { return ""; }, [&]() -> int {
    return Cfg([](const Scenario& s) { return s.support11ac; });
  });
}

WVWL_API int __stdcall WVWL_Is80211NSupport() {
  return Call("WVWL_Is80211NSupport", [&] { return ""; }, [&]() -> int {
    return Cfg([](const Scenario& s) { return s.support11n; });
  });
}

WVWL_API int __stdcall WVWL_IsAllowStandardUserSetAdvance() {
  return Call("WVWL_IsAllowStandardUserSetAdvance", [&] { return ""; }, [&]() -> int {
    return Cfg([](const Scenario& s) { return s.allowStandardUserAdvance; });
  });
}

WVWL_API int __stdcall WVWL_IsAllowStandardUserSetProfile() {
  return Call("WVWL_IsAllowStandardUserSetProfile", [&] { return ""; }, [&]() -> int {
    return Cfg([](const Scenario& s) { return s.allowStandardUserProfile; });
  });
}

WVWL_API int __stdcall WVWL_IsDeviceExist(WLAN_ADAPTER* adapter) {
  return Call("WVWL_IsDeviceExist", [&] { return ""; }, [&]() -> int {
    return Sim().IsDeviceExist(adapter);
  });
}

WVWL_API int __stdcall WVWL_IsDuplicateProfileID(const char* id) {
  return Call("WVWL_IsDuplicateProfileID", [&] { return ""; }, [&]() -> int {
    return id && ProfileIdInUse(std::atoi(id)) ? 1 : 0;
  });
}

WVWL_API int __stdcall WVWL_IsEapHostInstalled() {
  return Call("WVWL_IsEapHostInstalled", [&] { return ""; }, [&]() -> int {
    return 1;
  });
}

WVWL_API int __stdcall WVWL_IsEnableICS() {
  return Call("WVWL_IsEnableICS", [&] { return ""; }, [&]() -> int {
    return static_cast<int>(Sim().IntValue("ICS"));
  });
}

WVWL_API int __stdcall WVWL_EnableICS(void* wanEntry, void* lanEntry, int enable, int flag) {
  auto name = [](void* entry) { return entry ? Text(static_cast<ICS_ADAPTER_INFO*>(entry)->szAdapterName, 284) : std::string("(null)"); };
  return Call("WVWL_EnableICS", [&] { return name(wanEntry) + " | " + name(lanEntry) + " " + std::to_string(enable) + " " + std::to_string(flag); }, [&]() -> int {
    Sim().SetIntValue("ICS", 1);
    return WVWL_ERROR_SUCCESS;
  });
}

WVWL_API int __stdcall WVWL_DisableICS() {
  return Call("WVWL_DisableICS", [&] { return ""; }, [&]() -> int {
    Sim().SetIntValue("ICS", 0);
    return WVWL_ERROR_SUCCESS;
  });
}

WVWL_API int __stdcall WVWL_IsExportablePrivateKey(KV_BLOB_KEY* certKey) {
  return Call("WVWL_IsExportablePrivateKey", [&] { return certKey ? "hash length " + std::to_string(certKey->BlobLength) : std::string("null"); }, [&]() -> int {
    return IsExportableKey(certKey);
  });
}

WVWL_API int __stdcall WVWL_IsHostedNetworkAvailable() {
  return Call("WVWL_IsHostedNetworkAvailable", [&] { return ""; }, [&]() -> int {
    return static_cast<int>(Sim().IntValue("HostedNetworkAllowed", Cfg([](const Scenario& s) { return s.hostedNetworkAvailable; })));
  });
}

WVWL_API int __stdcall WVWL_IsSupportAPMode() {
  return Call("WVWL_IsSupportAPMode", [&] { return ""; }, [&]() -> int {
    return Cfg([](const Scenario& s) { return s.supportAPMode; });
  });
}

WVWL_API int __stdcall WVWL_IsWAPIConnecting() {
  return Call("WVWL_IsWAPIConnecting", [&] { return ""; }, [&]() -> int {
    return 0;
  });
}

WVWL_API int __stdcall WVWL_IsWAPISupported() {
  return Call("WVWL_IsWAPISupported", [&] { return ""; }, [&]() -> int {
    return 1;
  });
}

WVWL_API int __stdcall WVWL_IsWow64() {
  return Call("WVWL_IsWow64", [&] { return ""; }, [&]() -> int {
    return Cfg([](const Scenario& s) { return s.isWow64; });
  });
}

WVWL_API int __stdcall WVWL_IsWpaCapable() {
  return Call("WVWL_IsWpaCapable", [&] { return ""; }, [&]() -> int {
    return Cfg([](const Scenario& s) { return s.wpaCapable; });
  });
}

WVWL_API int __stdcall WVWL_IsZeroConfig() {
  return Call("WVWL_IsZeroConfig", [&] { return ""; }, [&]() -> int {
    return Cfg([](const Scenario& s) { return s.zeroConfig; });
  });
}

WVWL_API int __stdcall WVWL_LoadX509ASCertificate(const char* path) {
  return Call("WVWL_LoadX509ASCertificate", [&] { return ""; }, [&]() -> int {
    return WVWL_ERROR_SUCCESS;
  });
}

WVWL_API int __stdcall WVWL_LoadX509UserCertificate(const char* path) {
  return Call("WVWL_LoadX509UserCertificate", [&] { return ""; }, [&]() -> int {
    return WVWL_ERROR_SUCCESS;
  });
}

WVWL_API int __stdcall WVWL_OIDQueryInfo(unsigned long request, void* buffer, unsigned long length, unsigned long* returned) {
  return Call("WVWL_OIDQueryInfo", [&] { return Hex32(request) + " " + std::to_string(length); }, [&]() -> int {
    return OidQuery(request, buffer, length, returned);
  });
}

WVWL_API int __stdcall WVWL_OIDSetInfo(unsigned long request, const void* data, unsigned long length) {
  if (data && length) Sim().Journal("WVWL_OIDSetInfo data " + HexText(static_cast<const uint8_t*>(data), std::min<unsigned long>(length, 32)));
  return Call("WVWL_OIDSetInfo", [&] { return Hex32(request) + " " + std::to_string(length); }, [&]() -> int {
    if ((request == 0xFFF101D6ul || request == 0x0DF101D6ul) && data && length >= 4) {
      uint32_t value;
      std::memcpy(&value, data, 4);
      return P2p::Get().Acknowledge(value);
    }
    return OidSet(request, data, length);
  });
}

WVWL_API int __stdcall WVWL_ParseInfoElement(const NDIS_WLAN_BSSID_EX* item, IE_INFO* info) {
  return Call("WVWL_ParseInfoElement", [&] { return ""; }, [&]() -> int {
    return ParseElements(item, info);
  });
}

WVWL_API int __stdcall WVWL_PasswordHash(const char* password, const char* ssid, unsigned char* hash32) {
  return Call("WVWL_PasswordHash", [&] { return Secret(password, 64) + " " + Quoted(ssid, 32); }, [&]() -> int {
    return password && ssid && hash32 && DerivePsk(Text(password, 64), Text(ssid, 32), hash32) ? WVWL_ERROR_SUCCESS : WVWL_ERROR_FAILURE;
  });
}

WVWL_API int __stdcall WVWL_QueryACMCmd(ACM_COMMAND* command) {
  return Call("WVWL_QueryACMCmd", [&] { return ""; }, [&]() -> int {
    return WVWL_ERROR_SUCCESS;
  });
}

WVWL_API int __stdcall WVWL_QueryAPIPAddress(AP_IP_INFO* info) {
  return Call("WVWL_QueryAPIPAddress", [&] { return ""; }, [&]() -> int {
    return info ? Sim().QueryApAddress(*info) : WVWL_ERROR_FAILURE;
  });
}

WVWL_API int __stdcall WVWL_QueryBACap(BA_CAP_SETTING* capability) {
  return Call("WVWL_QueryBACap", [&] { return ""; }, [&]() -> int {
    return BaQueryCap(capability);
  });
}

WVWL_API int __stdcall WVWL_QueryBATable(BA_TABLE* table) {
  return Call("WVWL_QueryBATable", [&] { return ""; }, [&]() -> int {
    return BaTable(table);
  });
}

WVWL_API int __stdcall WVWL_QueryCurrAddress(unsigned char* mac6) {
  return Call("WVWL_QueryCurrAddress", [&] { return ""; }, [&]() -> int {
    return OutMac(mac6);
  });
}

WVWL_API int __stdcall WVWL_QueryDLSParameter(void* parameter) {
  return Call("WVWL_QueryDLSParameter", [&] { return ""; }, [&]() -> int {
    return WVWL_ERROR_SUCCESS;
  });
}

WVWL_API int __stdcall WVWL_QueryEEPROMVersion(unsigned long* version) {
  return Call("WVWL_QueryEEPROMVersion", [&] { return ""; }, [&]() -> int {
    return OutULong(version, 0x0102);
  });
}

WVWL_API int __stdcall WVWL_QueryFWVersion(unsigned long* version) {
  return Call("WVWL_QueryFWVersion", [&] { return ""; }, [&]() -> int {
    return OutULong(version, 0x00050208);
  });
}

WVWL_API int __stdcall WVWL_QueryHTPhyMode(void* htPhyMode) {
  return Call("WVWL_QueryHTPhyMode", [&] { return ""; }, [&]() -> int {
    return WVWL_ERROR_SUCCESS;
  });
}

WVWL_API int __stdcall WVWL_QueryHWArchitectureVer(unsigned long* version) {
  return Call("WVWL_QueryHWArchitectureVer", [&] { return ""; }, [&]() -> int {
    return OutULong(version, 0x0003);
  });
}

WVWL_API int __stdcall WVWL_QueryHWReg(unsigned long offset, unsigned long* value) {
  return Call("WVWL_QueryHWReg", [&] { return ""; }, [&]() -> int {
    return WVWL_ERROR_SUCCESS;
  });
}

WVWL_API int __stdcall WVWL_QueryInitState() {
  return Call("WVWL_QueryInitState", [&] { return ""; }, [&]() -> int {
    return WVWL_ERROR_SUCCESS;
  });
}

WVWL_API int __stdcall WVWL_QueryP2PPersistState(int* persistent) {
  return Call("WVWL_QueryP2PPersistState", [&] { return ""; }, [&]() -> int {
    return OutInt(persistent, Sim().IntValue("P2PPersist", 1));
  });
}

WVWL_API int __stdcall WVWL_QueryMacAddrs(unsigned char* mac6) {
  return Call("WVWL_QueryMacAddrs", [&] { return ""; }, [&]() -> int {
    return OutMac(mac6);
  });
}

WVWL_API int __stdcall WVWL_QueryMacAddrsForWin8P2P(unsigned char* mac6) {
  return Call("WVWL_QueryMacAddrsForWin8P2P", [&] { return ""; }, [&]() -> int {
    if (!OutMac(mac6)) return WVWL_ERROR_FAILURE;
    mac6[0] |= 0x02;
    return WVWL_ERROR_SUCCESS;
  });
}

WVWL_API int __stdcall WVWL_QueryNetworkTypeSupport(unsigned long* types) {
  return Call("WVWL_QueryNetworkTypeSupport", [&] { return ""; }, [&]() -> int {
    return OutULong(types, 0x0F);
  });
}

WVWL_API int __stdcall WVWL_QueryOPMode() {
  return Call("WVWL_QueryOPMode", [&] { return ""; }, [&]() -> int {
    return Sim().QueryOpMode();
  });
}

WVWL_API int __stdcall WVWL_QueryPrivateMsg(void* buffer, unsigned long length) {
  return Call("WVWL_QueryPrivateMsg", [&] { return ""; }, [&]() -> int {
    return WVWL_ERROR_SUCCESS;
  });
}

WVWL_API int __stdcall WVWL_QueryWirelessMode(int* wirelessMode) {
  return Call("WVWL_QueryWirelessMode", [&] { return ""; }, [&]() -> int {
    return OutInt(wirelessMode, Sim().IntValue("WirelessMode"));
  });
}

WVWL_API int __stdcall WVWL_QueryWLANStatus(WLAN_STATUS* status, WLAN_STATUS_QUERY query) {
  return Call("WVWL_QueryWLANStatus", [&] { return QueryText(query); }, [&]() -> int {
    if (!status) return WVWL_ERROR_FAILURE;
    Sim().QueryStatus(*status);
    return WVWL_ERROR_SUCCESS;
  });
}

WVWL_API int __stdcall WVWL_QueryWPSAPChannel(const unsigned char* mac6, int* channel) {
  return Call("WVWL_QueryWPSAPChannel", [&] { return ""; }, [&]() -> int {
    return WpsApChannel(mac6, channel);
  });
}

WVWL_API int __stdcall WVWL_Read8021XCert(const char* profileName, KV_BLOB_KEY* caCert, KV_BLOB_KEY* userCert) {
  return Call("WVWL_Read8021XCert", [&] { return ""; }, [&]() -> int {
    return WVWL_ERROR_SUCCESS;
  });
}

WVWL_API int __stdcall WVWL_ReadAckPolicy(int* be, int* bk, int* vi, int* vo) {
  return Call("WVWL_ReadAckPolicy", [&] { return ""; }, [&]() -> int {
    if (be) *be = 0;
    if (bk) *bk = 0;
    if (vi) *vi = 0;
    if (vo) *vo = 0;
    // Nothing stored yet reads as a failure, as an absent registry value does.
    std::string v = Sim().Value("AckPolicy");
    if (v.empty() || !be || !bk || !vi || !vo) return WVWL_ERROR_FAILURE;
    return std::sscanf(v.c_str(), "%d %d %d %d", be, bk, vi, vo) == 4 ? WVWL_ERROR_SUCCESS : WVWL_ERROR_FAILURE;
  });
}

WVWL_API int __stdcall WVWL_ReadActiveProfileName(char* name128) {
  return Call("WVWL_ReadActiveProfileName", [&] { return ""; }, [&]() -> int {
    return OutText(name128, 128, RegText("CurProfile"));
  });
}

WVWL_API int __stdcall WVWL_ReadAdvanceCfgData(ADVANCE_CONFIG_DATA* data) {
  return Call("WVWL_ReadAdvanceCfgData", [&] { return ""; }, [&]() -> int {
    return ReadAdvance(data);
  });
}

WVWL_API int __stdcall WVWL_ReadBACap(unsigned long* capWord) {
  return Call("WVWL_ReadBACap", [&] { return ""; }, [&]() -> int {
    return OutULong(capWord, Sim().IntValue("BACap"));
  });
}

WVWL_API int __stdcall WVWL_ReadCCX2Cont(unsigned long* ccx2Control) {
  return Call("WVWL_ReadCCX2Cont", [&] { return ""; }, [&]() -> int {
    return OutULong(ccx2Control, Ccx2Word());
  });
}

WVWL_API int __stdcall WVWL_ReadChannelMode(int* mode) {
  return Call("WVWL_ReadChannelMode", [&] { return ""; }, [&]() -> int {
    return OutInt(mode, Cfg([](const Scenario& s) { return s.channelMode; }));
  });
}

WVWL_API int __stdcall WVWL_ReadConfigData(ADVANCE_CONFIG_DATA* data) {
  return Call("WVWL_ReadConfigData", [&] { return ""; }, [&]() -> int {
    return ReadAdvance(data);
  });
}

WVWL_API int __stdcall WVWL_ReadDriverDesc(char* desc128) {
  return Call("WVWL_ReadDriverDesc", [&] { return ""; }, [&]() -> int {
    return OutText(desc128, 128, SelectedText([](const AdapterDef& a) { return a.devDesc; }));
  });
}

WVWL_API int __stdcall WVWL_ReadDriverName(char* name) {
  return Call("WVWL_ReadDriverName", [&] { return ""; }, [&]() -> int {
    return OutText(name, 64, "wevosim.sys");
  });
}

WVWL_API int __stdcall WVWL_ReadDriverPath(WLAN_ADAPTER* adapter, char* path256) {
  return Call("WVWL_ReadDriverPath", [&] { return ""; }, [&]() -> int {
    return OutText(path256, 256, Sim().DriverPath());
  });
}

WVWL_API int __stdcall WVWL_ReadNetCfgInstanceID(char* id256) {
  return Call("WVWL_ReadNetCfgInstanceID", [&] { return ""; }, [&]() -> int {
    return OutText(id256, 256, SelectedText([](const AdapterDef& a) { return a.text128; }));
  });
}

WVWL_API int __stdcall WVWL_ReadNetConfig(void* config) {
  return Call("WVWL_ReadNetConfig", [&] { return ""; }, [&]() -> int {
    return WVWL_ERROR_SUCCESS;
  });
}

WVWL_API int __stdcall WVWL_ReadOpMode() {
  return Call("WVWL_ReadOpMode", [&] { return ""; }, [&]() -> int {
    return Sim().ReadOpMode();
  });
}

WVWL_API int __stdcall WVWL_QueryRemoteDevWDPService(const unsigned char* mac6, void* service) {
  return Call("WVWL_QueryRemoteDevWDPService", [&] { return ""; }, [&]() -> int {
    return WVWL_ERROR_SUCCESS;
  });
}

WVWL_API int __stdcall WVWL_ReadPACList(void* entries, unsigned long* count, const char* profileName) {
  const std::string args = Text(profileName, 128) + (entries ? " capacity " + std::to_string(count ? *count : 0) : " count");
  return Call("WVWL_ReadPACList", [&] { return args + (count ? " -> " + std::to_string(*count) : ""); }, [&]() -> int {
    return ReadPacList(entries, count, profileName);
  });
}

WVWL_API int __stdcall WVWL_ReadProfileData(WLANPROFILE* profile, const char* profileName) {
  return Call("WVWL_ReadProfileData", [&] { return Text(profileName, 128); }, [&]() -> int {
    return ReadProfileData(profile, profileName);
  });
}

WVWL_API int __stdcall WVWL_ReadProfileList(WLANPROFILE* profiles, unsigned long* count) {
  return Call("WVWL_ReadProfileList", [&] { return ""; }, [&]() -> int {
    return ReadProfileList(profiles, count);
  });
}

WVWL_API int __stdcall WVWL_ReadPSMode(unsigned long* psMode) {
  return Call("WVWL_ReadPSMode", [&] { return ""; }, [&]() -> int {
    return OutULong(psMode, Sim().IntValue("PSMode"));
  });
}

WVWL_API int __stdcall WVWL_ReadRadioStatus() {
  return Call("WVWL_ReadRadioStatus", [&] { return ""; }, [&]() -> int {
    int hw = 0, sw = 0;
    Sim().RadioState(hw, sw);
    return sw;
  });
}

WVWL_API int __stdcall WVWL_ReadSSOCurrProfileName(char* name) {
  return Call("WVWL_ReadSSOCurrProfileName", [&] { return ""; }, [&]() -> int {
    return OutText(name, 128, "");
  });
}

WVWL_API int __stdcall WVWL_ReadSSOInfo(SSO_SETTING* setting) {
  return Call("WVWL_ReadSSOInfo", [&] { return ""; }, [&]() -> int {
    if (setting && !Sim().Blob("SSOSetting", setting, sizeof *setting)) std::memset(setting, 0, sizeof *setting);
    return WVWL_ERROR_SUCCESS;
  });
}

WVWL_API int __stdcall WVWL_ReadSSOStatus(int* enabled, int* persistent) {
  return Call("WVWL_ReadSSOStatus", [&] { return ""; }, [&]() -> int {
    if (enabled) *enabled = 0;
    if (persistent) *persistent = 0;
    return WVWL_ERROR_SUCCESS;
  });
}

WVWL_API int __stdcall WVWL_ReadWMMMacAddr(unsigned char* mac6) {
  return Call("WVWL_ReadWMMMacAddr", [&] { return ""; }, [&]() -> int {
    return ReadBlob("WMMMacAddr", mac6, 6);
  });
}

WVWL_API int __stdcall WVWL_Release() {
  return Call("WVWL_Release", [&] { return ""; }, [&]() -> int {
    return WVWL_ERROR_SUCCESS;
  });
}

WVWL_API int __stdcall WVWL_RenewIPAddr() {
  return Call("WVWL_RenewIPAddr", [&] { return ""; }, [&]() -> int {
    return WVWL_ERROR_SUCCESS;
  });
}

WVWL_API int __stdcall WVWL_ResetCounter() {
  return Call("WVWL_ResetCounter", [&] { return ""; }, [&]() -> int {
    Sim().ResetCounters();
    return WVWL_ERROR_SUCCESS;
  });
}

WVWL_API int __stdcall WVWL_ResetSSOFeature() {
  return Call("WVWL_ResetSSOFeature", [&] { return ""; }, [&]() -> int {
    return WVWL_ERROR_SUCCESS;
  });
}

WVWL_API int __stdcall WVWL_ResetToDefaultConnecctionSetting() {
  return Call("WVWL_ResetToDefaultConnecctionSetting", [&] { return ""; }, [&]() -> int {
    Sim().SetBlob("CurrentSetting", nullptr, 0);
    return WVWL_ERROR_SUCCESS;
  });
}

WVWL_API int __stdcall WVWL_RestoreApSetting() {
  return Call("WVWL_RestoreApSetting", [&] { return ""; }, [&]() -> int {
    return WVWL_ERROR_SUCCESS;
  });
}

WVWL_API int __stdcall WVWL_RssiToPercent(long rssi) {
  return Call("WVWL_RssiToPercent", [&] { return std::to_string(rssi); }, [&]() -> int {
    return RssiToPercent(rssi);
  });
}

WVWL_API int __stdcall WVWL_RunOnceInitConfigTool(int* configToolSelect) {
  return Call("WVWL_RunOnceInitConfigTool", [&] { return ""; }, [&]() -> int {
    if (Sim().IntValue("ConfigToolChosen")) return WVWL_ERROR_SUCCESS;
    Sim().SetIntValue("ConfigToolChosen", 1);
    if (configToolSelect) *configToolSelect = Cfg([](const Scenario& s) { return s.zeroConfig == 2; }) ? 0 : 1;
    return WVWL_ERROR_FAILURE;
  });
}

WVWL_API int __stdcall WVWL_RunOnceInitConfigTxBurst() {
  return Call("WVWL_RunOnceInitConfigTxBurst", [&] { return ""; }, [&]() -> int {
    return WVWL_ERROR_SUCCESS;
  });
}

WVWL_API int __stdcall WVWL_SetAckPolicy(int be, int bk, int vi, int vo) {
  const std::string values = std::to_string(be) + " " + std::to_string(bk) + " " + std::to_string(vi) + " " + std::to_string(vo);
  return Call("WVWL_SetAckPolicy", [&] { return values; }, [&]() -> int {
    Sim().SetValue("AckPolicyInUse", values);
    return WVWL_ERROR_SUCCESS;
  });
}

WVWL_API int __stdcall WVWL_SetAdvanceSetting(ADVANCE_CONFIG_DATA* data) {
  return Call("WVWL_SetAdvanceSetting", [&] { return ""; }, [&]() -> int {
    return data ? WriteAdvance(*data) : WVWL_ERROR_FAILURE;
  });
}

WVWL_API int __stdcall WVWL_SetAndWriteOPMode(int mode) {
  return Call("WVWL_SetAndWriteOPMode", [&] { return std::to_string(mode); }, [&]() -> int {
    return Sim().SetOpMode(mode, true);
  });
}

WVWL_API int __stdcall WVWL_WriteOPMode(int mode) {
  return Call("WVWL_WriteOPMode", [&] { return std::to_string(mode); }, [&]() -> int {
    return Sim().SetOpMode(mode, false);
  });
}

WVWL_API int __stdcall WVWL_SetAndWriteRadioState(int radioOn) {
  return Call("WVWL_SetAndWriteRadioState", [&] { return std::to_string(radioOn); }, [&]() -> int {
    return Sim().SetSoftwareRadio(radioOn != 0);
  });
}

WVWL_API int __stdcall WVWL_SetAndWriteP2PPersist(int persistent) {
  return Call("WVWL_SetAndWriteP2PPersist", [&] { return ""; }, [&]() -> int {
    Sim().SetIntValue("P2PPersist", persistent);
    return WVWL_ERROR_SUCCESS;
  });
}

WVWL_API int __stdcall WVWL_SetAuthMode(int authMode) {
  return Call("WVWL_SetAuthMode", [&] { return ""; }, [&]() -> int {
    return WVWL_ERROR_SUCCESS;
  });
}

WVWL_API int __stdcall WVWL_SetBACap(BA_CAP_SETTING capability) {
  return Call("WVWL_SetBACap", [&] { return BaCapText(capability); }, [&]() -> int {
    return BaSetCap(capability);
  });
}

WVWL_API int __stdcall WVWL_SetBSSID(const unsigned char* bssid6) {
  return Call("WVWL_SetBSSID", [&] { return ""; }, [&]() -> int {
    if (!bssid6) return WVWL_ERROR_FAILURE;
    return ConnectWith([&](WLANPROFILE& p) { std::memcpy(p.BSSID, bssid6, 6); p.bBssid = 1; p.SSID.SsidLength = 0; });
  });
}

WVWL_API int __stdcall WVWL_SetCCXDiagAction(int action) {
  return Call("WVWL_SetCCXDiagAction", [&] { return ""; }, [&]() -> int {
    return WVWL_ERROR_SUCCESS;
  });
}

WVWL_API int __stdcall WVWL_SetCCXInfo(int mode, unsigned long ccx2Control) {
  return Call("WVWL_SetCCXInfo", [&] { return std::to_string(mode) + " " + Hex32(ccx2Control); }, [&]() -> int {
    Sim().SetIntValue("CCX2Control", ccx2Control);
    return WVWL_ERROR_SUCCESS;
  });
}

WVWL_API int __stdcall WVWL_SetCoexMode(const char* mode) {
  return Call("WVWL_SetCoexMode", [&] { return Text(mode, 256); }, [&]() -> int {
    if (!mode) return WVWL_ERROR_FAILURE;
    Sim().SetValue("CoexMode", Text(mode, 256));
    return WVWL_ERROR_SUCCESS;
  });
}

WVWL_API int __stdcall WVWL_SetCountryRegion(int region24GHz, int region5GHz) {
  return Call("WVWL_SetCountryRegion", [&] { return std::to_string(region24GHz) + " " + std::to_string(region5GHz); }, [&]() -> int {
    Sim().SetIntValue("CountryRegion", region24GHz & 0x7F);
    Sim().SetIntValue("CountryRegionABand", region5GHz & 0x7F);
    return WVWL_ERROR_SUCCESS;
  });
}

WVWL_API int __stdcall WVWL_SetDesiredRate(const KV_802_11_TX_RATES* rates) {
  return Call("WVWL_SetDesiredRate", [&] { return ""; }, [&]() -> int {
    return WVWL_ERROR_SUCCESS;
  });
}

WVWL_API int __stdcall WVWL_SetDLSParameter(const void* parameter) {
  return Call("WVWL_SetDLSParameter", [&] { return ""; }, [&]() -> int {
    return WVWL_ERROR_SUCCESS;
  });
}

WVWL_API int __stdcall WVWL_SetFirewall(const char* programPath, const wchar_t* caption) {
  return Call("WVWL_SetFirewall", [&] { return ""; }, [&]() -> int {
    return WVWL_ERROR_SUCCESS;
  });
}

WVWL_API int __stdcall WVWL_SetHTPhyMode(const void* htPhyMode) {
  return Call("WVWL_SetHTPhyMode", [&] { return ""; }, [&]() -> int {
    return WVWL_ERROR_SUCCESS;
  });
}

WVWL_API int __stdcall WVWL_SetLocalDevWDPService(const void* service) {
  return Call("WVWL_SetLocalDevWDPService", [&] { return ""; }, [&]() -> int {
    return WVWL_ERROR_SUCCESS;
  });
}

WVWL_API int __stdcall WVWL_SetWEPKey(const WLANPROFILE* profile) {
  return Call("WVWL_SetWEPKey", [&] { return WepKeysText(profile); }, [&]() -> int {
    return WVWL_ERROR_SUCCESS;
  });
}

WVWL_API int __stdcall WVWL_SetPhyMode(int wirelessMode) {
  return Call("WVWL_SetPhyMode", [&] { return std::to_string(wirelessMode); }, [&]() -> int {
    Sim().SetIntValue("WirelessMode", wirelessMode);
    return WVWL_ERROR_SUCCESS;
  });
}

WVWL_API int __stdcall WVWL_SetWevoConfigMethod(int method) {
  return Call("WVWL_SetWevoConfigMethod", [&] { return ""; }, [&]() -> int {
    return WVWL_ERROR_SUCCESS;
  });
}

WVWL_API int __stdcall WVWL_SetReloadDefault() {
  return Call("WVWL_SetReloadDefault", [&] { return ""; }, [&]() -> int {
    return WVWL_ERROR_SUCCESS;
  });
}

WVWL_API int __stdcall WVWL_SetServiceDiscoveryReq(const void* request) {
  return Call("WVWL_SetServiceDiscoveryReq", [&] { return ""; }, [&]() -> int {
    return WVWL_ERROR_SUCCESS;
  });
}

WVWL_API int __stdcall WVWL_SetSTAConfig(const KV_802_11_STA_CONFIG* config) {
  return Call("WVWL_SetSTAConfig", [&] { return ""; }, [&]() -> int {
    return WVWL_ERROR_SUCCESS;
  });
}

WVWL_API int __stdcall WVWL_SetTXRate(int rate) {
  return Call("WVWL_SetTXRate", [&] { return ""; }, [&]() -> int {
    return WVWL_ERROR_SUCCESS;
  });
}

WVWL_API int __stdcall WVWL_SetupX509ASCertificate(const char* path) {
  return Call("WVWL_SetupX509ASCertificate", [&] { return ""; }, [&]() -> int {
    return WVWL_ERROR_SUCCESS;
  });
}

WVWL_API int __stdcall WVWL_SetupX509UserCertificate(const char* path) {
  return Call("WVWL_SetupX509UserCertificate", [&] { return ""; }, [&]() -> int {
    return WVWL_ERROR_SUCCESS;
  });
}

WVWL_API int __stdcall WVWL_SetWAPIMode(int mode) {
  return Call("WVWL_SetWAPIMode", [&] { return ""; }, [&]() -> int {
    return WVWL_ERROR_SUCCESS;
  });
}

WVWL_API int __stdcall WVWL_SetWLANProfile(const WLANPROFILE* profile) {
  return Call("WVWL_SetWLANProfile", [&] { return ProfileText(profile); }, [&]() -> int {
    return profile ? Sim().SetProfile(*profile) : WVWL_ERROR_FAILURE;
  });
}

WVWL_API int __stdcall WVWL_SiteSurveyQuery(NDIS_802_11_BSSID_LIST_EX* list, unsigned long* size) {
  return Call("WVWL_SiteSurveyQuery", [&] { return std::to_string(size ? *size : 0); }, [&]() -> int {
    return Sim().QueryList(list, size);
  });
}

WVWL_API int __stdcall WVWL_SiteSurveyScan(SCAN_FINISHED_FUNC finished) {
  return Call("WVWL_SiteSurveyScan", [&] { return ""; }, [&]() -> int {
    return Sim().Scan(finished);
  });
}

WVWL_API int __stdcall WVWL_StartEapHostPeerInvokeConfigUI(const char* profileName, unsigned long* blobLength, unsigned char* blob) {
  return Call("WVWL_StartEapHostPeerInvokeConfigUI", [&] { return ""; }, [&]() -> int {
    Sim().EapConfigDone(!profileName || !*profileName);
    return WVWL_ERROR_SUCCESS;
  });
}

WVWL_API int __stdcall WVWL_StopAuth() {
  return Call("WVWL_StopAuth", [&] { return ""; }, [&]() -> int {
    return WVWL_ERROR_SUCCESS;
  });
}

WVWL_API int __stdcall WVWL_StrToIPData(const char* text, unsigned char* ip4) {
  return Call("WVWL_StrToIPData", [&] { return ""; }, [&]() -> int {
    Ip4 ip{};
    if (!text || !ip4 || !ParseIp(text, ip)) return WVWL_ERROR_FAILURE;
    std::memcpy(ip4, ip.data(), 4);
    return WVWL_ERROR_SUCCESS;
  });
}

WVWL_API int __stdcall WVWL_WlanBuildIHVMessage(void* message, unsigned long length) {
  return Call("WVWL_WlanBuildIHVMessage", [&] { return ""; }, [&]() -> int {
    return WVWL_ERROR_SUCCESS;
  });
}

WVWL_API int __stdcall WVWL_WlanConvertDot112NdisAuthType(unsigned long dot11Value, unsigned long* ndisValue) {
  return Call("WVWL_WlanConvertDot112NdisAuthType", [&] { return ""; }, [&]() -> int {
    return Convert(kAuthTypes, dot11Value, ndisValue, true);
  });
}

WVWL_API int __stdcall WVWL_WlanConvertDot112NdisEncryptType(unsigned long dot11Value, unsigned long* ndisValue) {
  return Call("WVWL_WlanConvertDot112NdisEncryptType", [&] { return ""; }, [&]() -> int {
    return Convert(kCipherTypes, dot11Value, ndisValue, true);
  });
}

WVWL_API int __stdcall WVWL_WlanConvertDot112NdisNetworkType(unsigned long dot11Value, unsigned long* ndisValue) {
  return Call("WVWL_WlanConvertDot112NdisNetworkType", [&] { return ""; }, [&]() -> int {
    return Convert(kNetworkTypes, dot11Value, ndisValue, true);
  });
}

WVWL_API int __stdcall WVWL_WlanConvertNdis2Dot11AuthType(unsigned long ndisValue, unsigned long* dot11Value) {
  return Call("WVWL_WlanConvertNdis2Dot11AuthType", [&] { return ""; }, [&]() -> int {
    return Convert(kAuthTypes, ndisValue, dot11Value, false);
  });
}

WVWL_API int __stdcall WVWL_WlanConvertNdis2Dot11EncryptType(unsigned long ndisValue, unsigned long* dot11Value) {
  return Call("WVWL_WlanConvertNdis2Dot11EncryptType", [&] { return ""; }, [&]() -> int {
    return Convert(kCipherTypes, ndisValue, dot11Value, false);
  });
}

WVWL_API int __stdcall WVWL_WlanConvertNdis2Dot11NetworkType(unsigned long ndisValue, unsigned long* dot11Value) {
  return Call("WVWL_WlanConvertNdis2Dot11NetworkType", [&] { return ""; }, [&]() -> int {
    return Convert(kNetworkTypes, ndisValue, dot11Value, false);
  });
}

WVWL_API int __stdcall WVWL_WlanDeleteAllWindowsProfiles() {
  return Call("WVWL_WlanDeleteAllWindowsProfiles", [&] { return ""; }, [&]() -> int {
    return WVWL_ERROR_SUCCESS;
  });
}

WVWL_API int __stdcall WVWL_WlanDeleteWindowsProfile(const char* profileName) {
  return Call("WVWL_WlanDeleteWindowsProfile", [&] { return ""; }, [&]() -> int {
    return WVWL_ERROR_SUCCESS;
  });
}

WVWL_API int __stdcall WVWL_WlanDisconnect() {
  return Call("WVWL_WlanDisconnect", [&] { return ""; }, [&]() -> int {
    return Sim().Disconnect();
  });
}

WVWL_API int __stdcall WVWL_WlanIsAdhocSupportWPA2AES() {
  return Call("WVWL_WlanIsAdhocSupportWPA2AES", [&] { return ""; }, [&]() -> int {
    return 1;
  });
}

WVWL_API int __stdcall WVWL_WlanNumOfAvailableWindowsProfile() {
  return Call("WVWL_WlanNumOfAvailableWindowsProfile", [&] { return ""; }, [&]() -> int {
    return P2p::Get().AvailableWindowsProfiles();
  });
}

WVWL_API int __stdcall WVWL_WlanQueryRadioState(int* hardware, int* software) {
  return Call("WVWL_WlanQueryRadioState", [&] { return ""; }, [&]() -> int {
    return RadioPair(hardware, software);
  });
}

WVWL_API int __stdcall WVWL_WriteAckPolicy(int be, int bk, int vi, int vo) {
  const std::string values = std::to_string(be) + " " + std::to_string(bk) + " " + std::to_string(vi) + " " + std::to_string(vo);
  return Call("WVWL_WriteAckPolicy", [&] { return values; }, [&]() -> int {
    Sim().SetValue("AckPolicy", values);
    return WVWL_ERROR_SUCCESS;
  });
}

WVWL_API int __stdcall WVWL_WriteBACap(unsigned long capWord) {
  return Call("WVWL_WriteBACap", [&] { return Hex32(capWord); }, [&]() -> int {
    Sim().SetIntValue("BACap", capWord);
    return WVWL_ERROR_SUCCESS;
  });
}

WVWL_API int __stdcall WVWL_WriteDomainName(const char* domain) {
  return Call("WVWL_WriteDomainName", [&] { return ""; }, [&]() -> int {
    return WVWL_ERROR_SUCCESS;
  });
}

WVWL_API int __stdcall WVWL_WriteIDnPasswd(const char* identity128, const char* password128) {
  return Call("WVWL_WriteIDnPasswd",
              [&] { return "\"" + Text(identity128, 128) + "\" " + (Text(password128, 128).empty() ? "\"\"" : "***"); },
              [&]() -> int {
    if (!identity128 || !password128) return WVWL_ERROR_FAILURE;
    return Sim().WriteIdPassword(Text(identity128, 128), Text(password128, 128));
  });
}

WVWL_API int __stdcall WVWL_WriteNetConfig(const void* config) {
  return Call("WVWL_WriteNetConfig", [&] { return ""; }, [&]() -> int {
    return WVWL_ERROR_SUCCESS;
  });
}

WVWL_API int __stdcall WVWL_WritePACList(const void* pacFileList, const char* profileName) {
  return Call("WVWL_WritePACList", [&] { return Text(profileName, 128) + " " + PacListText(pacFileList); }, [&]() -> int {
    return WritePacList(pacFileList, profileName);
  });
}

WVWL_API int __stdcall WVWL_WriteProfile(const char* profileName, const WLANPROFILE* profile) {
  return Call("WVWL_WriteProfile", [&] { return Text(profileName, 128); }, [&]() -> int {
    return WriteProfile(profileName, profile);
  });
}

WVWL_API int __stdcall WVWL_WriteProfileID(const char* profileName, const char* id) {
  return Call("WVWL_WriteProfileID", [&] { return ""; }, [&]() -> int {
    return WriteProfileId(profileName, id);
  });
}

WVWL_API int __stdcall WVWL_WriteRegValue(const char* valueName, unsigned long type, const void* data, unsigned long length) {
  return Call("WVWL_WriteRegValue", [&] { return RegValueText(valueName, type, data, length); }, [&]() -> int {
    return WriteRegValue(valueName, type, data, length);
  });
}

WVWL_API int __stdcall WVWL_WvSetRegValue(const char* valueName, unsigned long type, const void* data, unsigned long length) {
  return Call("WVWL_WvSetRegValue", [&] { return Text(valueName, 64); }, [&]() -> int {
    return WriteRegValue(valueName, type, data, length);
  });
}

WVWL_API int __stdcall WVWL_WriteSSOEnablePersConn(int persistent) {
  return Call("WVWL_WriteSSOEnablePersConn", [&] { return std::to_string(persistent); }, [&]() -> int {
    return WVWL_ERROR_SUCCESS;
  });
}

WVWL_API int __stdcall WVWL_WriteSSOProfile(const char* profileName) {
  return Call("WVWL_WriteSSOProfile", [&] { return Quoted(profileName, 512); }, [&]() -> int {
    return WVWL_ERROR_SUCCESS;
  });
}

WVWL_API int __stdcall WVWL_WriteSSOReleaseSUP() {
  return Call("WVWL_WriteSSOReleaseSUP", [&] { return ""; }, [&]() -> int {
    return WVWL_ERROR_SUCCESS;
  });
}

WVWL_API int __stdcall WVWL_WriteSSOSavePassword(int idPwdSource) {
  return Call("WVWL_WriteSSOSavePassword", [&] { return std::to_string(idPwdSource); }, [&]() -> int {
    return WVWL_ERROR_SUCCESS;
  });
}

WVWL_API int __stdcall WVWL_WriteSSOSetting(SSO_SETTING setting) {
  return Call("WVWL_WriteSSOSetting", [&] { return SsoSettingText(setting); }, [&]() -> int {
    Sim().SetBlob("SSOSetting", &setting, sizeof setting);
    return WVWL_ERROR_SUCCESS;
  });
}

WVWL_API int __stdcall WVWL_WriteWMMMacAddr(const unsigned char* mac6) {
  return Call("WVWL_WriteWMMMacAddr", [&] { return ""; }, [&]() -> int {
    if (!mac6) return WVWL_ERROR_FAILURE;
    Sim().SetBlob("WMMMacAddr", mac6, 6);
    return WVWL_ERROR_SUCCESS;
  });
}

WVWL_API int __stdcall WVWL_ReadExtAPConfig(EXTAP_CONFIG* config) {
  return Call("WVWL_ReadExtAPConfig", [&] { return ""; }, [&]() -> int {
    if (!config) return WVWL_ERROR_FAILURE;
    ReadStoredExtAp(*config);
    return WVWL_ERROR_SUCCESS;
  });
}

WVWL_API int __stdcall WVWL_WriteExtAPConfig(EXTAP_CONFIG config) {
  return Call("WVWL_WriteExtAPConfig", [&] { return ""; }, [&]() -> int {
    Sim().SetBlob("ExtAPConfig", &config, sizeof config);
    return WVWL_ERROR_SUCCESS;
  });
}

// Refused while the system does not allow a hosted network, or for an SSID or key that does
// not fit its field; the key is journalled as its length.
WVWL_API int __stdcall WVWL_HostedNetworkSetup(EXTAP_CONFIG config) {
  return Call("WVWL_HostedNetworkSetup", [&] { return ExtApConfigText(config); }, [&]() -> int {
    if (!Sim().IntValue("HostedNetworkAllowed", Cfg([](const Scenario& s) { return s.hostedNetworkAvailable; })))
      return WVWL_ERROR_FAILURE;
    if (config.SsidLength == 0 || config.SsidLength > sizeof config.Ssid || config.KeyLength > sizeof config.Key)
      return WVWL_ERROR_FAILURE;
    Sim().SetBlob("ExtAPConfig", &config, sizeof config);
    return WVWL_ERROR_SUCCESS;
  });
}

WVWL_API int __stdcall WVWL_HostedNetworkStopUsing() {
  return Call("WVWL_HostedNetworkStopUsing", [&] { return ""; }, [&]() -> int {
    return WVWL_ERROR_SUCCESS;
  });
}

WVWL_API int __stdcall WVWL_HostedNetworkQuerySettings(EXTAP_CONFIG* config) {
  return Call("WVWL_HostedNetworkQuerySettings", [&] { return ""; }, [&]() -> int {
    if (!config) return WVWL_ERROR_FAILURE;
    ReadStoredExtAp(*config);
    return WVWL_ERROR_SUCCESS;
  });
}

WVWL_API int __stdcall WVWL_HostedNetworkQueryStatus(void* status640) {
  return Call("WVWL_HostedNetworkQueryStatus", [&] { return ""; }, [&]() -> int {
    if (!status640) return WVWL_ERROR_FAILURE;
    auto* status = static_cast<HOSTED_NETWORK_STATUS*>(status640);
    std::memset(status, 0, sizeof *status);
    return Sim().WithScenario([&](const Scenario& s) {
      status->HostedNetworkState = static_cast<uint32_t>(s.hostedState);
      std::memcpy(status->Bssid, s.hostedBssid.data(), 6);
      const size_t n = std::min<size_t>(s.hostedPeers.size(), HOSTED_NETWORK_MAX_PEERS);
      for (size_t i = 0; i < n; ++i) {
        std::memcpy(status->Peers[i].PeerMacAddress, s.hostedPeers[i].mac.data(), 6);
        status->Peers[i].PeerAuthState = s.hostedPeers[i].authState;
      }
      status->NumberOfPeers = static_cast<uint32_t>(s.hostedPeerCount >= 0 ? s.hostedPeerCount : static_cast<long long>(n));
      return WVWL_ERROR_SUCCESS;
    });
  });
}

WVWL_API int __stdcall WVWL_HostedNetworkStartICS() {
  return Call("WVWL_HostedNetworkStartICS", [&] { return ""; }, [&]() -> int {
    return WVWL_ERROR_SUCCESS;
  });
}

WVWL_API int __stdcall WVWL_HostedNetworkStopICS() {
  return Call("WVWL_HostedNetworkStopICS", [&] { return ""; }, [&]() -> int {
    return WVWL_ERROR_SUCCESS;
  });
}

WVWL_API int __stdcall WVWL_WlanDeleteAllOstrelWindowsProfiles() {
  return Call("WVWL_WlanDeleteAllOstrelWindowsProfiles", [&] { return ""; }, [&]() -> int {
    return WVWL_ERROR_SUCCESS;
  });
}

WVWL_API int __stdcall WVWL_QueryCCXInfo(unsigned long* ccx2Control) {
  return Call("WVWL_QueryCCXInfo", [&] { return ""; }, [&]() -> int {
    return OutULong(ccx2Control, Ccx2Word());
  });
}

WVWL_API int __stdcall WVWL_QueryHWAndSWRadioState(int* hardware, int* software) {
  return Call("WVWL_QueryHWAndSWRadioState", [&] { return ""; }, [&]() -> int {
    return RadioPair(hardware, software);
  });
}

WVWL_API int __stdcall WVWL_ReadWMMTimeout(unsigned long* timeout) {
  return Call("WVWL_ReadWMMTimeout", [&] { return ""; }, [&]() -> int {
    return OutULong(timeout, Sim().IntValue("WMMTimeout", 10));
  });
}

WVWL_API int __stdcall WVWL_WriteWMMTimeout(unsigned long timeout) {
  return Call("WVWL_WriteWMMTimeout", [&] { return ""; }, [&]() -> int {
    Sim().SetIntValue("WMMTimeout", timeout);
    return WVWL_ERROR_SUCCESS;
  });
}

WVWL_API int __stdcall WVWL_IsSupportTDLS() {
  return Call("WVWL_IsSupportTDLS", [&] { return ""; }, [&]() -> int {
    return Cfg([](const Scenario& s) { return s.supportTDLS; });
  });
}

WVWL_API int __stdcall WVWL_WriteSSOProfileAndFunc(const char* profileName, int release) {
  return Call("WVWL_WriteSSOProfileAndFunc", [&] { return Quoted(profileName, 512) + " " + std::to_string(release); }, [&]() -> int {
    return WVWL_ERROR_SUCCESS;
  });
}

WVWL_API int __stdcall WVWL_GetWAPICertInfo(const char* path, void* info) {
  return Call("WVWL_GetWAPICertInfo", [&] { return ""; }, [&]() -> int {
    return WVWL_ERROR_SUCCESS;
  });
}

WVWL_API int __stdcall WVWL_IsSupportVistaSoftAP() {
  return Call("WVWL_IsSupportVistaSoftAP", [&] { return ""; }, [&]() -> int {
    return Cfg([](const Scenario& s) { return s.supportAPMode; });
  });
}

WVWL_API int __stdcall WVWL_IsSupportWiFiDirect() {
  return Call("WVWL_IsSupportWiFiDirect", [&] { return ""; }, [&]() -> int {
    return P2p::Get().SupportLevel();
  });
}

WVWL_API int __stdcall WVWL_CheckDuplicatedWifiDirectWpseProfileName(const char* profileName) {
  return Call("WVWL_CheckDuplicatedWifiDirectWpseProfileName", [&] { return ""; }, [&]() -> int {
    std::vector<uint8_t> r(1468);
    return profileName && Sim().ReadRecord("WifiDirectProfile", profileName, r.data(), r.size()) ? -16 : WVWL_ERROR_SUCCESS;
  });
}

WVWL_API int __stdcall WVWL_CheckDuplicatedWifiDirectWpseSsid(const char* ssid) {
  return Call("WVWL_CheckDuplicatedWifiDirectWpseSsid", [&] { return ""; }, [&]() -> int {
    return WVWL_ERROR_SUCCESS;
  });
}

WVWL_API int __stdcall WVWL_DeleteWifiDirectWpseProfile(const char* profileName) {
  return Call("WVWL_DeleteWifiDirectWpseProfile", [&] { return Text(profileName, 128); }, [&]() -> int {
    return profileName && Sim().DeleteRecord("WifiDirectProfile", profileName) ? WVWL_ERROR_SUCCESS : WVWL_ERROR_FAILURE;
  });
}

WVWL_API int __stdcall WVWL_UpdateWifiDirectWpseProfileForDisconnect(const char* profileName) {
  return Call("WVWL_UpdateWifiDirectWpseProfileForDisconnect", [&] { return Text(profileName, 128); }, [&]() -> int {
    // the stored profile's group was left: bDisconnect (the last 4 bytes) set
    std::vector<uint8_t> r(1468);
    if (!profileName || !Sim().ReadRecord("WifiDirectProfile", profileName, r.data(), r.size())) return WVWL_ERROR_FAILURE;
    r[1464] = 1;
    Sim().WriteRecord("WifiDirectProfile", Text(profileName, 128), r.data(), r.size());
    return WVWL_ERROR_SUCCESS;
  });
}

WVWL_API int __stdcall WVWL_ReadActiveWifiDirectWpseProfileName(char* name128) {
  return Call("WVWL_ReadActiveWifiDirectWpseProfileName", [&] { return ""; }, [&]() -> int {
    return OutText(name128, 128, Sim().Value("ActiveWifiDirectProfile"));
  });
}

WVWL_API int __stdcall WVWL_ReadWifiDirectWpseProfile(void* profile, const char* profileName) {
  return Call("WVWL_ReadWifiDirectWpseProfile", [&] { return Text(profileName, 128); }, [&]() -> int {
    return profile && profileName && Sim().ReadRecord("WifiDirectProfile", profileName, profile, 1468) ? WVWL_ERROR_SUCCESS : WVWL_ERROR_FAILURE;
  });
}

WVWL_API int __stdcall WVWL_ReadWifiDirectWpseProfileList(void* profiles, unsigned long* count) {
  return Call("WVWL_ReadWifiDirectWpseProfileList", [&] { return ""; }, [&]() -> int {
    return ReadRecordList("WifiDirectProfile", profiles, 1468, count);
  });
}

WVWL_API int __stdcall WVWL_SetWifiDirectWpseConfig(const void* profile) {
  return Call("WVWL_SetWifiDirectWpseConfig", [&] { return P2pProfileText(static_cast<const WIFIDIRECT_WPSE_PROFILE*>(profile)); }, [&]() -> int {
    if (!profile) return WVWL_ERROR_FAILURE;
    return P2p::Get().SetConfig(*static_cast<const WIFIDIRECT_WPSE_PROFILE*>(profile));
  });
}

WVWL_API int __stdcall WVWL_InitWifiDirect(HANDLE statusEvent) {
  return Call("WVWL_InitWifiDirect", [&] { return ""; }, [&]() -> int {
    const int result = Sim().InitNotReadyCountdown(true, statusEvent);
    return result == WVWL_ERROR_SUCCESS ? P2p::Get().Init(statusEvent) : result;
  });
}

WVWL_API int __stdcall WVWL_WriteActiveWifiDirectWpseProfileName(const char* name128) {
  return Call("WVWL_WriteActiveWifiDirectWpseProfileName", [&] { return ""; }, [&]() -> int {
    Sim().SetValue("ActiveWifiDirectProfile", Text(name128, 128));
    return WVWL_ERROR_SUCCESS;
  });
}

WVWL_API int __stdcall WVWL_WriteWifiDirectWpseProfile(const char* profileName, const void* profile) {
  return Call("WVWL_WriteWifiDirectWpseProfile", [&] { return Text(profileName, 128); }, [&]() -> int {
    if (!profile || !profileName) return WVWL_ERROR_FAILURE;
    Sim().WriteRecord("WifiDirectProfile", Text(profileName, 128), profile, 1468);
    return WVWL_ERROR_SUCCESS;
  });
}

WVWL_API int __stdcall WVWL_ConnectWPSProfileWithWifiDirectWpse(unsigned long bIsPersistent, const void* wpsDoneContent) {
  const auto* done = static_cast<const WIFI_DIRECT_WPS_DONE_CONTENT*>(wpsDoneContent);
  return Call("WVWL_ConnectWPSProfileWithWifiDirectWpse", [&] { return std::to_string(bIsPersistent) + " " + (done ? P2pMacText(done->chPeerMacAddr) + " role=" + std::to_string(done->nMyRule) : "null"); }, [&]() -> int {
    return done ? P2p::Get().ConnectWps(bIsPersistent, *done) : WVWL_ERROR_FAILURE;
  });
}

WVWL_API int __stdcall WVWL_DisConnectWifiDirectPerDevice(const unsigned char* mac6) {
  return Call("WVWL_DisConnectWifiDirectPerDevice", [&] { return P2pMacText(mac6); }, [&]() -> int {
    return P2p::Get().DisconnectDevice(mac6);
  });
}

WVWL_API int __stdcall WVWL_QueryWifiDirectStatus(void* status) {
  return Call("WVWL_QueryWifiDirectStatus", [&] { return ""; }, [&]() -> int {
    return P2p::Get().Query(status);
  });
}

WVWL_API int __stdcall WVWL_WriteWifiDirectFlag(int flag) {
  return Call("WVWL_WriteWifiDirectFlag", [&] { return std::to_string(flag); }, [&]() -> int {
    Sim().SetIntValue("WifiDirectFlag", flag ? 1 : 0);
    return WVWL_ERROR_SUCCESS;
  });
}

WVWL_API int __stdcall WVWL_ReadWifiDirectFlag(int* flag) {
  return Call("WVWL_ReadWifiDirectFlag", [&] { return ""; }, [&]() -> int {
    return OutInt(flag, Sim().IntValue("WifiDirectFlag"));
  });
}

WVWL_API int __stdcall WVWL_ReadWifiDirectControl(void* control) {
  return Call("WVWL_ReadWifiDirectControl", [&] { return ""; }, [&]() -> int {
    if (!control) return WVWL_ERROR_FAILURE;
    std::memset(control, 0, 40);
    auto* c = static_cast<uint8_t*>(control);
    c[0] = static_cast<uint8_t>((Sim().IntValue("WifiDirectFlag") ? 1 : 0) | (Sim().IntValue("WifiDirectIntent", 7) & 15) << 4);
    c[1] = static_cast<uint8_t>((Sim().IntValue("WifiDirectMethodBits", 7) & 7) << 4);
    const std::string vendor = Sim().Value("WifiDirectVendorSSID");
    const uint32_t length = static_cast<uint32_t>(std::min<size_t>(vendor.size(), 32));
    std::memcpy(c + 4, &length, 4);
    std::memcpy(c + 8, vendor.data(), length);
    return WVWL_ERROR_SUCCESS;
  });
}

WVWL_API int __stdcall WVWL_StartWifiDirectGO() {
  return Call("WVWL_StartWifiDirectGO", [&] { return ""; }, [&]() -> int {
    return Sim().StartGo();
  });
}

WVWL_API int __stdcall WVWL_StopWifiDirectGO() {
  return Call("WVWL_StopWifiDirectGO", [&] { return ""; }, [&]() -> int {
    Sim().StopGo();
    return WVWL_ERROR_SUCCESS;
  });
}

WVWL_API int __stdcall WVWL_DisableWifiDirect() {
  return Call("WVWL_DisableWifiDirect", [&] { return ""; }, [&]() -> int {
    return P2p::Get().Disable();
  });
}

WVWL_API int __stdcall WVWL_GetIPfromMACTableLookup(const unsigned char* mac6, char* address64) {
  return Call("WVWL_GetIPfromMACTableLookup", [&] { return HexBytes(mac6, mac6 ? 6 : 0); }, [&]() -> int {
    return WdpLeaseLookup(mac6, address64);
  });
}

WVWL_API int __stdcall WVWL_GetWifiDirectIP(void* info) {
  return Call("WVWL_GetWifiDirectIP", [&] { return ""; }, [&]() -> int {
    if (!info) return WVWL_ERROR_FAILURE;
    return P2p::Get().GetIp(*static_cast<WIFI_DIRECT_IP_INFO*>(info));
  });
}

WVWL_API int __stdcall WVWL_GetVMPortStatusByPort(WLAN_ADAPTER* adapter, int port) {
  return Call("WVWL_GetVMPortStatusByPort", [&] { return std::to_string(port); }, [&]() -> int {
    if (!adapter) return WVWL_ERROR_FAILURE;
    std::string cls = Sim().WithScenario([](const Scenario& s) { return s.vmPortClass; });
    std::memset(adapter->Text128, 0, sizeof adapter->Text128);
    std::strncpy(adapter->Text128, cls.c_str(), sizeof adapter->Text128 - 1);
    return Cfg([](const Scenario& s) { return s.vmPortAvailable; }) ? WVWL_ERROR_SUCCESS : WVWL_ERROR_FAILURE;
  });
}

WVWL_API int __stdcall WVWL_SetWifiDirectIP(const unsigned char* ip4) {
  return Call("WVWL_SetWifiDirectIP", [&] { return ip4 ? std::to_string(ip4[0]) + "." + std::to_string(ip4[1]) + "." + std::to_string(ip4[2]) + "." + std::to_string(ip4[3]) : std::string("null"); }, [&]() -> int {
    return P2p::Get().SetIp(ip4);
  });
}

WVWL_API int __stdcall WVWL_WriteWiFiDirectDeviceName(const char* name64) {
  return Call("WVWL_WriteWiFiDirectDeviceName", [&] { return ""; }, [&]() -> int {
    Sim().SetValue("WiFiDirectDeviceName", Text(name64, 64));
    return WVWL_ERROR_SUCCESS;
  });
}

WVWL_API int __stdcall WVWL_ReadWiFiDirectDeviceName(char* name64) {
  return Call("WVWL_ReadWiFiDirectDeviceName", [&] { return ""; }, [&]() -> int {
    return OutText(name64, 64, Sim().Value("WiFiDirectDeviceName", "Wevo-Direct"));
  });
}

WVWL_API int __stdcall WVWL_DeleteWifiDirectWpsePerstEntry(const unsigned char* mac6) {
  return Call("WVWL_DeleteWifiDirectWpsePerstEntry", [&] { return P2pMacText(mac6); }, [&]() -> int {
    return P2p::Get().DeletePersistEntry(mac6);
  });
}

WVWL_API int __stdcall WVWL_ReadWifiDirectWpsePerstEntry(void* entry, const unsigned char* mac6) {
  return Call("WVWL_ReadWifiDirectWpsePerstEntry", [&] { return P2pMacText(mac6); }, [&]() -> int {
    return P2p::Get().ReadPersistEntry(static_cast<uint8_t*>(entry), mac6);
  });
}

WVWL_API int __stdcall WVWL_ReadWiFiDirectDefaultWPAPSK(char* key68) {
  return Call("WVWL_ReadWiFiDirectDefaultWPAPSK", [&] { return ""; }, [&]() -> int {
    // the text, then its length at offset 64
    if (!OutText(key68, 64, Sim().Value("WiFiDirectDefaultKey", "12345678"))) return WVWL_ERROR_FAILURE;
    const uint32_t length = static_cast<uint32_t>(strnlen(key68, 64));
    std::memcpy(key68 + 64, &length, 4);
    return WVWL_ERROR_SUCCESS;
  });
}

WVWL_API int __stdcall WVWL_ConvertWpsConfigMethodToWpsCapabilityMap(unsigned short configMethods, int flag) {
  return Call("WVWL_ConvertWpsConfigMethodToWpsCapabilityMap", [&] { return Hex32(configMethods) + " " + std::to_string(flag); }, [&]() -> int {
    return P2p::Get().CapabilityMap(configMethods);
  });
}

WVWL_API int __stdcall WVWL_ReadWiFiDirectGOssid(NDIS_802_11_SSID* ssid) {
  return Call("WVWL_ReadWiFiDirectGOssid", [&] { return ""; }, [&]() -> int {
    if (!ssid) return WVWL_ERROR_FAILURE;
    std::memset(ssid, 0, sizeof *ssid);
    std::memcpy(ssid->Ssid, "DIRECT-Wv", 9);
    ssid->SsidLength = 9;
    return WVWL_ERROR_SUCCESS;
  });
}

// The media server the library switches: the name and folder it was handed, whether it runs and
// whether it starts with Windows. Each entry journals the state the call left. When the media
// service is registered with the service manager, the entries start, stop and configure it, and
// the journal adds its state ("; service NAME running").
namespace {

struct MediaServer {
  std::mutex lock;
  std::string friendlyName;
  std::string folder;
  bool running = false;
  bool startWithWindows = false;
  std::string service;  // the note of the last call on the service, empty without one
};

MediaServer& Media() {
  static MediaServer media;
  return media;
}

std::string MediaState() {
  MediaServer& m = Media();
  std::lock_guard<std::mutex> hold(m.lock);
  return std::string(m.running ? "running" : "stopped") + (m.startWithWindows ? " auto" : " manual") +
         (m.service.empty() ? "" : "; " + m.service);
}

// Keeps what the service call left; the running flag follows a registered service.
int TakeServiceResult(const MediaServiceResult& result) {
  std::lock_guard<std::mutex> hold(Media().lock);
  Media().service = result.note;
  if (!result.present) return WVWL_ERROR_SUCCESS;
  Media().running = result.running;
  return result.ok ? WVWL_ERROR_SUCCESS : WVWL_ERROR_FAILURE;
}

}  // namespace

WVWL_API int __stdcall WVWL_SetMediaServerStartupType(int startWithWindows) {
  return Call("WVWL_SetMediaServerStartupType", [&] { return std::to_string(startWithWindows) + " " + MediaState(); },
              [&]() -> int {
    {
      std::lock_guard<std::mutex> hold(Media().lock);
      Media().startWithWindows = startWithWindows != 0;
    }
    return TakeServiceResult(SetMediaServiceStartType(startWithWindows != 0));
  });
}

WVWL_API int __stdcall WVWL_StopMediaServer() {
  return Call("WVWL_StopMediaServer", [&] { return MediaState(); }, [&]() -> int {
    {
      std::lock_guard<std::mutex> hold(Media().lock);
      Media().running = false;
    }
    return TakeServiceResult(StopMediaService());
  });
}

// The folder is published as it is handed over; a missing buffer or an empty folder is refused.
WVWL_API int __stdcall WVWL_StartAndSetMediaFolder(const char* folder256) {
  const std::string folder = Text(folder256, 256);
  return Call("WVWL_StartAndSetMediaFolder", [&] { return folder; }, [&]() -> int {
    if (folder.empty()) return WVWL_ERROR_FAILURE;
    std::lock_guard<std::mutex> hold(Media().lock);
    Media().folder = folder;
    return WVWL_ERROR_SUCCESS;
  });
}

WVWL_API int __stdcall WVWL_SetMediaServerFriendlyName(const char* name64) {
  const std::string name = Text(name64, 64);
  return Call("WVWL_SetMediaServerFriendlyName", [&] { return name; }, [&]() -> int {
    if (name.empty()) return WVWL_ERROR_FAILURE;
    std::lock_guard<std::mutex> hold(Media().lock);
    Media().friendlyName = name;
    return WVWL_ERROR_SUCCESS;
  });
}

// Starts only with a folder to share; the service gets the friendly name and the folder as its
// start arguments, and a service left stopped fails the call.
WVWL_API int __stdcall WVWL_StartMediaServer() {
  return Call("WVWL_StartMediaServer", [&] { return MediaState(); }, [&]() -> int {
    std::string name, folder;
    {
      std::lock_guard<std::mutex> hold(Media().lock);
      if (Media().folder.empty()) return WVWL_ERROR_FAILURE;
      Media().running = true;
      name = Media().friendlyName;
      folder = Media().folder;
    }
    MediaServiceResult result = StartMediaService(name, folder);
    result.ok = result.ok && (!result.present || result.running);
    return TakeServiceResult(result);
  });
}

WVWL_API int __stdcall WVWL_WlanDisconnectEx(int flag) {
  return Call("WVWL_WlanDisconnectEx", [&] { return ""; }, [&]() -> int {
    return Sim().Disconnect();
  });
}

WVWL_API int __stdcall WVWL_LaunchApp(const char* path, const char* arguments) {
  return Call("WVWL_LaunchApp", [&] { return ""; }, [&]() -> int {
    return WVWL_ERROR_SUCCESS;
  });
}

WVWL_API int __stdcall WVWL_WriteAndSetWDPConfig(const void* config, int set) {
  return Call("WVWL_WriteAndSetWDPConfig", [&] { return WdpConfigText(config, set); }, [&]() -> int {
    if (!config) return WVWL_ERROR_FAILURE;
    Sim().SetBlob("WDPConfig", config, 452);
    return WVWL_ERROR_SUCCESS;
  });
}

WVWL_API int __stdcall WVWL_GetWDPTable(void* table) {
  return Call("WVWL_GetWDPTable", [&] { return ""; }, [&]() -> int {
    return WdpGetTable(table);
  });
}

WVWL_API int __stdcall WVWL_ReadWDPConfig(void* config) {
  return Call("WVWL_ReadWDPConfig", [&] { return ""; }, [&]() -> int {
    return ReadBlob("WDPConfig", config, 452);
  });
}

WVWL_API int __stdcall WVWL_InitWifiDisplay(HANDLE statusEvent) {
  return Call("WVWL_InitWifiDisplay", [&] { return ""; }, [&]() -> int {
    return Sim().InitNotReadyCountdown(false, statusEvent);
  });
}

WVWL_API int __stdcall WVWL_CleanPort2DhcpIPAddress() {
  return Call("WVWL_CleanPort2DhcpIPAddress", [&] { return ""; }, [&]() -> int {
    return WVWL_ERROR_SUCCESS;
  });
}

WVWL_API int __stdcall WVWL_IsSupportWiFiDisplay() {
  return Call("WVWL_IsSupportWiFiDisplay", [&] { return ""; }, [&]() -> int {
    return Cfg([](const Scenario& s) { return s.supportWiFiDisplay; });
  });
}

WVWL_API int __stdcall WVWL_WriteWDPUIConfig(const unsigned long* show) {
  return Call("WVWL_WriteWDPUIConfig", [&] { return ""; }, [&]() -> int {
    if (!show) return WVWL_ERROR_FAILURE;
    Sim().SetIntValue("WDPUIConfig", *show);
    return WVWL_ERROR_SUCCESS;
  });
}

WVWL_API int __stdcall WVWL_ReadWDPUIConfig(unsigned long* show) {
  return Call("WVWL_ReadWDPUIConfig", [&] { return ""; }, [&]() -> int {
    if (!show) return WVWL_ERROR_FAILURE;
    std::string v = Sim().Value("WDPUIConfig");
    if (v.empty()) return -5;
    *show = static_cast<unsigned long>(std::atol(v.c_str()));
    return WVWL_ERROR_SUCCESS;
  });
}

WVWL_API int __stdcall WVWL_SetAllowOrDisallowHostedNetwork(int allow) {
  return Call("WVWL_SetAllowOrDisallowHostedNetwork", [&] { return std::to_string(allow); }, [&]() -> int {
    Sim().SetIntValue("HostedNetworkAllowed", allow ? 1 : 0);
    return WVWL_ERROR_SUCCESS;
  });
}

WVWL_API int __stdcall WVWL_OutPutUIWppLog(int level, const char* line) { return LogLine(level, line); }

// Every entry has exactly the type the program fetches it with.
static_assert(std::is_same_v<decltype(&WVWL_AdapterSelect), PFN_WVWL_AdapterSelect>);
static_assert(std::is_same_v<decltype(&WVWL_AddIMMEBA), PFN_WVWL_AddIMMEBA>);
static_assert(std::is_same_v<decltype(&WVWL_BackupStationSetting), PFN_WVWL_BackupStationSetting>);
static_assert(std::is_same_v<decltype(&WVWL_ChannelToFrequency), PFN_WVWL_ChannelToFrequency>);
static_assert(std::is_same_v<decltype(&WVWL_CheckDuplicatedProfileName), PFN_WVWL_CheckDuplicatedProfileName>);
static_assert(std::is_same_v<decltype(&WVWL_CheckIEEE80211H), PFN_WVWL_CheckIEEE80211H>);
static_assert(std::is_same_v<decltype(&WVWL_CheckAdhoc5GDisable), PFN_WVWL_CheckAdhoc5GDisable>);
static_assert(std::is_same_v<decltype(&WVWL_CheckBssidRepositTime), PFN_WVWL_CheckBssidRepositTime>);
static_assert(std::is_same_v<decltype(&WVWL_CheckIfAllowBW40InABand), PFN_WVWL_CheckIfAllowBW40InABand>);
static_assert(std::is_same_v<decltype(&WVWL_CheckIfAllowBW40InBGBand), PFN_WVWL_CheckIfAllowBW40InBGBand>);
static_assert(std::is_same_v<decltype(&WVWL_CheckMSConfigService), PFN_WVWL_CheckMSConfigService>);
static_assert(std::is_same_v<decltype(&WVWL_ConnectWPSProfile), PFN_WVWL_ConnectWPSProfile>);
static_assert(std::is_same_v<decltype(&WVWL_ConvertPhyModeToAdHocMode), PFN_WVWL_ConvertPhyModeToAdHocMode>);
static_assert(std::is_same_v<decltype(&WVWL_CopyProfileToCurrentSetting), PFN_WVWL_CopyProfileToCurrentSetting>);
static_assert(std::is_same_v<decltype(&WVWL_CreateShortCut), PFN_WVWL_CreateShortCut>);
static_assert(std::is_same_v<decltype(&WVWL_GetAdaptersInfo), PFN_WVWL_GetAdaptersInfo>);
static_assert(std::is_same_v<decltype(&WVWL_DeInitial), PFN_WVWL_DeInitial>);
static_assert(std::is_same_v<decltype(&WVWL_DeleteCertificate), PFN_WVWL_DeleteCertificate>);
static_assert(std::is_same_v<decltype(&WVWL_DeleteProfile), PFN_WVWL_DeleteProfile>);
static_assert(std::is_same_v<decltype(&WVWL_DetectMoreThanOneUser), PFN_WVWL_DetectMoreThanOneUser>);
static_assert(std::is_same_v<decltype(&WVWL_DetectUserAdmin), PFN_WVWL_DetectUserAdmin>);
static_assert(std::is_same_v<decltype(&WVWL_DevEnable), PFN_WVWL_DevEnable>);
static_assert(std::is_same_v<decltype(&WVWL_DisableDhcpServer), PFN_WVWL_DisableDhcpServer>);
static_assert(std::is_same_v<decltype(&WVWL_Disassociate), PFN_WVWL_Disassociate>);
static_assert(std::is_same_v<decltype(&WVWL_Disconnect), PFN_WVWL_Disconnect>);
static_assert(std::is_same_v<decltype(&WVWL_EnableDhcpServer), PFN_WVWL_EnableDhcpServer>);
static_assert(std::is_same_v<decltype(&WVWL_EnableDLSetup), PFN_WVWL_EnableDLSetup>);
static_assert(std::is_same_v<decltype(&WVWL_EnumCert), PFN_WVWL_EnumCert>);
static_assert(std::is_same_v<decltype(&WVWL_EnumMachineCert), PFN_WVWL_EnumMachineCert>);
static_assert(std::is_same_v<decltype(&WVWL_EnumSystemCertificate), PFN_WVWL_EnumSystemCertificate>);
static_assert(std::is_same_v<decltype(&WVWL_ExportProfile), PFN_WVWL_ExportProfile>);
static_assert(std::is_same_v<decltype(&WVWL_FastPacLoad), PFN_WVWL_FastPacLoad>);
static_assert(std::is_same_v<decltype(&WVWL_FastPacSave), PFN_WVWL_FastPacSave>);
static_assert(std::is_same_v<decltype(&WVWL_FreeCertArray), PFN_WVWL_FreeCertArray>);
static_assert(std::is_same_v<decltype(&WVWL_FrequencyToChannel), PFN_WVWL_FrequencyToChannel>);
static_assert(std::is_same_v<decltype(&WVWL_GetAvailableAdapters), PFN_WVWL_GetAvailableAdapters>);
static_assert(std::is_same_v<decltype(&WVWL_GetAvailableChannels), PFN_WVWL_GetAvailableChannels>);
static_assert(std::is_same_v<decltype(&WVWL_GetCertificateManagerParam), PFN_WVWL_GetCertificateManagerParam>);
static_assert(std::is_same_v<decltype(&WVWL_GetCurrentDeviceModel), PFN_WVWL_GetCurrentDeviceModel>);
static_assert(std::is_same_v<decltype(&WVWL_GetNextProfileID), PFN_WVWL_GetNextProfileID>);
static_assert(std::is_same_v<decltype(&WVWL_GetUSBversion), PFN_WVWL_GetUSBversion>);
static_assert(std::is_same_v<decltype(&WVWL_GetWAPIProgress), PFN_WVWL_GetWAPIProgress>);
static_assert(std::is_same_v<decltype(&WVWL_GetWinOS), PFN_WVWL_GetWinOS>);
static_assert(std::is_same_v<decltype(&WVWL_GetWinType), PFN_WVWL_GetWinType>);
static_assert(std::is_same_v<decltype(&WVWL_ImportProfile), PFN_WVWL_ImportProfile>);
static_assert(std::is_same_v<decltype(&WVWL_InitAPSetting), PFN_WVWL_InitAPSetting>);
static_assert(std::is_same_v<decltype(&WVWL_InitExtregWPS), PFN_WVWL_InitExtregWPS>);
static_assert(std::is_same_v<decltype(&WVWL_Initial), PFN_WVWL_Initial>);
static_assert(std::is_same_v<decltype(&WVWL_IPDataToStr), PFN_WVWL_IPDataToStr>);
static_assert(std::is_same_v<decltype(&WVWL_Is80211ASupport), PFN_WVWL_Is80211ASupport>);
static_assert(std::is_same_v<decltype(&WVWL_Is80211ACSupport), PFN_WVWL_Is80211ACSupport>);
static_assert(std::is_same_v<decltype(&WVWL_Is80211NSupport), PFN_WVWL_Is80211NSupport>);
static_assert(std::is_same_v<decltype(&WVWL_IsAllowStandardUserSetAdvance), PFN_WVWL_IsAllowStandardUserSetAdvance>);
static_assert(std::is_same_v<decltype(&WVWL_IsAllowStandardUserSetProfile), PFN_WVWL_IsAllowStandardUserSetProfile>);
static_assert(std::is_same_v<decltype(&WVWL_IsDeviceExist), PFN_WVWL_IsDeviceExist>);
static_assert(std::is_same_v<decltype(&WVWL_IsDuplicateProfileID), PFN_WVWL_IsDuplicateProfileID>);
static_assert(std::is_same_v<decltype(&WVWL_IsEapHostInstalled), PFN_WVWL_IsEapHostInstalled>);
static_assert(std::is_same_v<decltype(&WVWL_IsEnableICS), PFN_WVWL_IsEnableICS>);
static_assert(std::is_same_v<decltype(&WVWL_EnableICS), PFN_WVWL_EnableICS>);
static_assert(std::is_same_v<decltype(&WVWL_DisableICS), PFN_WVWL_DisableICS>);
static_assert(std::is_same_v<decltype(&WVWL_IsExportablePrivateKey), PFN_WVWL_IsExportablePrivateKey>);
static_assert(std::is_same_v<decltype(&WVWL_IsHostedNetworkAvailable), PFN_WVWL_IsHostedNetworkAvailable>);
static_assert(std::is_same_v<decltype(&WVWL_IsSupportAPMode), PFN_WVWL_IsSupportAPMode>);
static_assert(std::is_same_v<decltype(&WVWL_IsWAPIConnecting), PFN_WVWL_IsWAPIConnecting>);
static_assert(std::is_same_v<decltype(&WVWL_IsWAPISupported), PFN_WVWL_IsWAPISupported>);
static_assert(std::is_same_v<decltype(&WVWL_IsWow64), PFN_WVWL_IsWow64>);
static_assert(std::is_same_v<decltype(&WVWL_IsWpaCapable), PFN_WVWL_IsWpaCapable>);
static_assert(std::is_same_v<decltype(&WVWL_IsZeroConfig), PFN_WVWL_IsZeroConfig>);
static_assert(std::is_same_v<decltype(&WVWL_LoadX509ASCertificate), PFN_WVWL_LoadX509ASCertificate>);
static_assert(std::is_same_v<decltype(&WVWL_LoadX509UserCertificate), PFN_WVWL_LoadX509UserCertificate>);
static_assert(std::is_same_v<decltype(&WVWL_OIDQueryInfo), PFN_WVWL_OIDQueryInfo>);
static_assert(std::is_same_v<decltype(&WVWL_OIDSetInfo), PFN_WVWL_OIDSetInfo>);
static_assert(std::is_same_v<decltype(&WVWL_ParseInfoElement), PFN_WVWL_ParseInfoElement>);
static_assert(std::is_same_v<decltype(&WVWL_PasswordHash), PFN_WVWL_PasswordHash>);
static_assert(std::is_same_v<decltype(&WVWL_QueryACMCmd), PFN_WVWL_QueryACMCmd>);
static_assert(std::is_same_v<decltype(&WVWL_QueryAPIPAddress), PFN_WVWL_QueryAPIPAddress>);
static_assert(std::is_same_v<decltype(&WVWL_QueryBACap), PFN_WVWL_QueryBACap>);
static_assert(std::is_same_v<decltype(&WVWL_QueryBATable), PFN_WVWL_QueryBATable>);
static_assert(std::is_same_v<decltype(&WVWL_QueryCurrAddress), PFN_WVWL_QueryCurrAddress>);
static_assert(std::is_same_v<decltype(&WVWL_QueryDLSParameter), PFN_WVWL_QueryDLSParameter>);
static_assert(std::is_same_v<decltype(&WVWL_QueryEEPROMVersion), PFN_WVWL_QueryEEPROMVersion>);
static_assert(std::is_same_v<decltype(&WVWL_QueryFWVersion), PFN_WVWL_QueryFWVersion>);
static_assert(std::is_same_v<decltype(&WVWL_QueryHTPhyMode), PFN_WVWL_QueryHTPhyMode>);
static_assert(std::is_same_v<decltype(&WVWL_QueryHWArchitectureVer), PFN_WVWL_QueryHWArchitectureVer>);
static_assert(std::is_same_v<decltype(&WVWL_QueryHWReg), PFN_WVWL_QueryHWReg>);
static_assert(std::is_same_v<decltype(&WVWL_QueryInitState), PFN_WVWL_QueryInitState>);
static_assert(std::is_same_v<decltype(&WVWL_QueryP2PPersistState), PFN_WVWL_QueryP2PPersistState>);
static_assert(std::is_same_v<decltype(&WVWL_QueryMacAddrs), PFN_WVWL_QueryMacAddrs>);
static_assert(std::is_same_v<decltype(&WVWL_QueryMacAddrsForWin8P2P), PFN_WVWL_QueryMacAddrsForWin8P2P>);
static_assert(std::is_same_v<decltype(&WVWL_QueryNetworkTypeSupport), PFN_WVWL_QueryNetworkTypeSupport>);
static_assert(std::is_same_v<decltype(&WVWL_QueryOPMode), PFN_WVWL_QueryOPMode>);
static_assert(std::is_same_v<decltype(&WVWL_QueryPrivateMsg), PFN_WVWL_QueryPrivateMsg>);
static_assert(std::is_same_v<decltype(&WVWL_QueryWirelessMode), PFN_WVWL_QueryWirelessMode>);
static_assert(std::is_same_v<decltype(&WVWL_QueryWLANStatus), PFN_WVWL_QueryWLANStatus>);
static_assert(std::is_same_v<decltype(&WVWL_QueryWPSAPChannel), PFN_WVWL_QueryWPSAPChannel>);
static_assert(std::is_same_v<decltype(&WVWL_Read8021XCert), PFN_WVWL_Read8021XCert>);
static_assert(std::is_same_v<decltype(&WVWL_ReadAckPolicy), PFN_WVWL_ReadAckPolicy>);
static_assert(std::is_same_v<decltype(&WVWL_ReadActiveProfileName), PFN_WVWL_ReadActiveProfileName>);
static_assert(std::is_same_v<decltype(&WVWL_ReadAdvanceCfgData), PFN_WVWL_ReadAdvanceCfgData>);
static_assert(std::is_same_v<decltype(&WVWL_ReadBACap), PFN_WVWL_ReadBACap>);
static_assert(std::is_same_v<decltype(&WVWL_ReadCCX2Cont), PFN_WVWL_ReadCCX2Cont>);
static_assert(std::is_same_v<decltype(&WVWL_ReadChannelMode), PFN_WVWL_ReadChannelMode>);
static_assert(std::is_same_v<decltype(&WVWL_ReadConfigData), PFN_WVWL_ReadConfigData>);
static_assert(std::is_same_v<decltype(&WVWL_ReadDriverDesc), PFN_WVWL_ReadDriverDesc>);
static_assert(std::is_same_v<decltype(&WVWL_ReadDriverName), PFN_WVWL_ReadDriverName>);
static_assert(std::is_same_v<decltype(&WVWL_ReadDriverPath), PFN_WVWL_ReadDriverPath>);
static_assert(std::is_same_v<decltype(&WVWL_ReadNetCfgInstanceID), PFN_WVWL_ReadNetCfgInstanceID>);
static_assert(std::is_same_v<decltype(&WVWL_ReadNetConfig), PFN_WVWL_ReadNetConfig>);
static_assert(std::is_same_v<decltype(&WVWL_ReadOpMode), PFN_WVWL_ReadOpMode>);
static_assert(std::is_same_v<decltype(&WVWL_QueryRemoteDevWDPService), PFN_WVWL_QueryRemoteDevWDPService>);
static_assert(std::is_same_v<decltype(&WVWL_ReadPACList), PFN_WVWL_ReadPACList>);
static_assert(std::is_same_v<decltype(&WVWL_ReadProfileData), PFN_WVWL_ReadProfileData>);
static_assert(std::is_same_v<decltype(&WVWL_ReadProfileList), PFN_WVWL_ReadProfileList>);
static_assert(std::is_same_v<decltype(&WVWL_ReadPSMode), PFN_WVWL_ReadPSMode>);
static_assert(std::is_same_v<decltype(&WVWL_ReadRadioStatus), PFN_WVWL_ReadRadioStatus>);
static_assert(std::is_same_v<decltype(&WVWL_ReadSSOCurrProfileName), PFN_WVWL_ReadSSOCurrProfileName>);
static_assert(std::is_same_v<decltype(&WVWL_ReadSSOInfo), PFN_WVWL_ReadSSOInfo>);
static_assert(std::is_same_v<decltype(&WVWL_ReadSSOStatus), PFN_WVWL_ReadSSOStatus>);
static_assert(std::is_same_v<decltype(&WVWL_ReadWMMMacAddr), PFN_WVWL_ReadWMMMacAddr>);
static_assert(std::is_same_v<decltype(&WVWL_Release), PFN_WVWL_Release>);
static_assert(std::is_same_v<decltype(&WVWL_RenewIPAddr), PFN_WVWL_RenewIPAddr>);
static_assert(std::is_same_v<decltype(&WVWL_ResetCounter), PFN_WVWL_ResetCounter>);
static_assert(std::is_same_v<decltype(&WVWL_ResetSSOFeature), PFN_WVWL_ResetSSOFeature>);
static_assert(std::is_same_v<decltype(&WVWL_ResetToDefaultConnecctionSetting), PFN_WVWL_ResetToDefaultConnecctionSetting>);
static_assert(std::is_same_v<decltype(&WVWL_RestoreApSetting), PFN_WVWL_RestoreApSetting>);
static_assert(std::is_same_v<decltype(&WVWL_RssiToPercent), PFN_WVWL_RssiToPercent>);
static_assert(std::is_same_v<decltype(&WVWL_RunOnceInitConfigTool), PFN_WVWL_RunOnceInitConfigTool>);
static_assert(std::is_same_v<decltype(&WVWL_RunOnceInitConfigTxBurst), PFN_WVWL_RunOnceInitConfigTxBurst>);
static_assert(std::is_same_v<decltype(&WVWL_SetAckPolicy), PFN_WVWL_SetAckPolicy>);
static_assert(std::is_same_v<decltype(&WVWL_SetAdvanceSetting), PFN_WVWL_SetAdvanceSetting>);
static_assert(std::is_same_v<decltype(&WVWL_SetAndWriteOPMode), PFN_WVWL_SetAndWriteOPMode>);
static_assert(std::is_same_v<decltype(&WVWL_WriteOPMode), PFN_WVWL_WriteOPMode>);
static_assert(std::is_same_v<decltype(&WVWL_SetAndWriteRadioState), PFN_WVWL_SetAndWriteRadioState>);
static_assert(std::is_same_v<decltype(&WVWL_SetAndWriteP2PPersist), PFN_WVWL_SetAndWriteP2PPersist>);
static_assert(std::is_same_v<decltype(&WVWL_SetAuthMode), PFN_WVWL_SetAuthMode>);
static_assert(std::is_same_v<decltype(&WVWL_SetBACap), PFN_WVWL_SetBACap>);
static_assert(std::is_same_v<decltype(&WVWL_SetBSSID), PFN_WVWL_SetBSSID>);
static_assert(std::is_same_v<decltype(&WVWL_SetCCXDiagAction), PFN_WVWL_SetCCXDiagAction>);
static_assert(std::is_same_v<decltype(&WVWL_SetCCXInfo), PFN_WVWL_SetCCXInfo>);
static_assert(std::is_same_v<decltype(&WVWL_SetCoexMode), PFN_WVWL_SetCoexMode>);
static_assert(std::is_same_v<decltype(&WVWL_SetCountryRegion), PFN_WVWL_SetCountryRegion>);
static_assert(std::is_same_v<decltype(&WVWL_SetDesiredRate), PFN_WVWL_SetDesiredRate>);
static_assert(std::is_same_v<decltype(&WVWL_SetDLSParameter), PFN_WVWL_SetDLSParameter>);
static_assert(std::is_same_v<decltype(&WVWL_SetFirewall), PFN_WVWL_SetFirewall>);
static_assert(std::is_same_v<decltype(&WVWL_SetHTPhyMode), PFN_WVWL_SetHTPhyMode>);
static_assert(std::is_same_v<decltype(&WVWL_SetLocalDevWDPService), PFN_WVWL_SetLocalDevWDPService>);
static_assert(std::is_same_v<decltype(&WVWL_SetWEPKey), PFN_WVWL_SetWEPKey>);
static_assert(std::is_same_v<decltype(&WVWL_SetPhyMode), PFN_WVWL_SetPhyMode>);
static_assert(std::is_same_v<decltype(&WVWL_SetWevoConfigMethod), PFN_WVWL_SetWevoConfigMethod>);
static_assert(std::is_same_v<decltype(&WVWL_SetReloadDefault), PFN_WVWL_SetReloadDefault>);
static_assert(std::is_same_v<decltype(&WVWL_SetServiceDiscoveryReq), PFN_WVWL_SetServiceDiscoveryReq>);
static_assert(std::is_same_v<decltype(&WVWL_SetSTAConfig), PFN_WVWL_SetSTAConfig>);
static_assert(std::is_same_v<decltype(&WVWL_SetTXRate), PFN_WVWL_SetTXRate>);
static_assert(std::is_same_v<decltype(&WVWL_SetupX509ASCertificate), PFN_WVWL_SetupX509ASCertificate>);
static_assert(std::is_same_v<decltype(&WVWL_SetupX509UserCertificate), PFN_WVWL_SetupX509UserCertificate>);
static_assert(std::is_same_v<decltype(&WVWL_SetWAPIMode), PFN_WVWL_SetWAPIMode>);
static_assert(std::is_same_v<decltype(&WVWL_SetWLANProfile), PFN_WVWL_SetWLANProfile>);
static_assert(std::is_same_v<decltype(&WVWL_SiteSurveyQuery), PFN_WVWL_SiteSurveyQuery>);
static_assert(std::is_same_v<decltype(&WVWL_SiteSurveyScan), PFN_WVWL_SiteSurveyScan>);
static_assert(std::is_same_v<decltype(&WVWL_StartEapHostPeerInvokeConfigUI), PFN_WVWL_StartEapHostPeerInvokeConfigUI>);
static_assert(std::is_same_v<decltype(&WVWL_StopAuth), PFN_WVWL_StopAuth>);
static_assert(std::is_same_v<decltype(&WVWL_StrToIPData), PFN_WVWL_StrToIPData>);
static_assert(std::is_same_v<decltype(&WVWL_WlanBuildIHVMessage), PFN_WVWL_WlanBuildIHVMessage>);
static_assert(std::is_same_v<decltype(&WVWL_WlanConvertDot112NdisAuthType), PFN_WVWL_WlanConvertDot112NdisAuthType>);
static_assert(std::is_same_v<decltype(&WVWL_WlanConvertDot112NdisEncryptType), PFN_WVWL_WlanConvertDot112NdisEncryptType>);
static_assert(std::is_same_v<decltype(&WVWL_WlanConvertDot112NdisNetworkType), PFN_WVWL_WlanConvertDot112NdisNetworkType>);
static_assert(std::is_same_v<decltype(&WVWL_WlanConvertNdis2Dot11AuthType), PFN_WVWL_WlanConvertNdis2Dot11AuthType>);
static_assert(std::is_same_v<decltype(&WVWL_WlanConvertNdis2Dot11EncryptType), PFN_WVWL_WlanConvertNdis2Dot11EncryptType>);
static_assert(std::is_same_v<decltype(&WVWL_WlanConvertNdis2Dot11NetworkType), PFN_WVWL_WlanConvertNdis2Dot11NetworkType>);
static_assert(std::is_same_v<decltype(&WVWL_WlanDeleteAllWindowsProfiles), PFN_WVWL_WlanDeleteAllWindowsProfiles>);
static_assert(std::is_same_v<decltype(&WVWL_WlanDeleteWindowsProfile), PFN_WVWL_WlanDeleteWindowsProfile>);
static_assert(std::is_same_v<decltype(&WVWL_WlanDisconnect), PFN_WVWL_WlanDisconnect>);
static_assert(std::is_same_v<decltype(&WVWL_WlanIsAdhocSupportWPA2AES), PFN_WVWL_WlanIsAdhocSupportWPA2AES>);
static_assert(std::is_same_v<decltype(&WVWL_WlanNumOfAvailableWindowsProfile), PFN_WVWL_WlanNumOfAvailableWindowsProfile>);
static_assert(std::is_same_v<decltype(&WVWL_WlanQueryRadioState), PFN_WVWL_WlanQueryRadioState>);
static_assert(std::is_same_v<decltype(&WVWL_WriteAckPolicy), PFN_WVWL_WriteAckPolicy>);
static_assert(std::is_same_v<decltype(&WVWL_WriteBACap), PFN_WVWL_WriteBACap>);
static_assert(std::is_same_v<decltype(&WVWL_WriteDomainName), PFN_WVWL_WriteDomainName>);
static_assert(std::is_same_v<decltype(&WVWL_WriteIDnPasswd), PFN_WVWL_WriteIDnPasswd>);
static_assert(std::is_same_v<decltype(&WVWL_WriteNetConfig), PFN_WVWL_WriteNetConfig>);
static_assert(std::is_same_v<decltype(&WVWL_WritePACList), PFN_WVWL_WritePACList>);
static_assert(std::is_same_v<decltype(&WVWL_WriteProfile), PFN_WVWL_WriteProfile>);
static_assert(std::is_same_v<decltype(&WVWL_WriteProfileID), PFN_WVWL_WriteProfileID>);
static_assert(std::is_same_v<decltype(&WVWL_WriteRegValue), PFN_WVWL_WriteRegValue>);
static_assert(std::is_same_v<decltype(&WVWL_WvSetRegValue), PFN_WVWL_WvSetRegValue>);
static_assert(std::is_same_v<decltype(&WVWL_WriteSSOEnablePersConn), PFN_WVWL_WriteSSOEnablePersConn>);
static_assert(std::is_same_v<decltype(&WVWL_WriteSSOProfile), PFN_WVWL_WriteSSOProfile>);
static_assert(std::is_same_v<decltype(&WVWL_WriteSSOReleaseSUP), PFN_WVWL_WriteSSOReleaseSUP>);
static_assert(std::is_same_v<decltype(&WVWL_WriteSSOSavePassword), PFN_WVWL_WriteSSOSavePassword>);
static_assert(std::is_same_v<decltype(&WVWL_WriteSSOSetting), PFN_WVWL_WriteSSOSetting>);
static_assert(std::is_same_v<decltype(&WVWL_WriteWMMMacAddr), PFN_WVWL_WriteWMMMacAddr>);
static_assert(std::is_same_v<decltype(&WVWL_ReadExtAPConfig), PFN_WVWL_ReadExtAPConfig>);
static_assert(std::is_same_v<decltype(&WVWL_WriteExtAPConfig), PFN_WVWL_WriteExtAPConfig>);
static_assert(std::is_same_v<decltype(&WVWL_HostedNetworkSetup), PFN_WVWL_HostedNetworkSetup>);
static_assert(std::is_same_v<decltype(&WVWL_HostedNetworkStopUsing), PFN_WVWL_HostedNetworkStopUsing>);
static_assert(std::is_same_v<decltype(&WVWL_HostedNetworkQuerySettings), PFN_WVWL_HostedNetworkQuerySettings>);
static_assert(std::is_same_v<decltype(&WVWL_HostedNetworkQueryStatus), PFN_WVWL_HostedNetworkQueryStatus>);
static_assert(std::is_same_v<decltype(&WVWL_HostedNetworkStartICS), PFN_WVWL_HostedNetworkStartICS>);
static_assert(std::is_same_v<decltype(&WVWL_HostedNetworkStopICS), PFN_WVWL_HostedNetworkStopICS>);
static_assert(std::is_same_v<decltype(&WVWL_WlanDeleteAllOstrelWindowsProfiles), PFN_WVWL_WlanDeleteAllOstrelWindowsProfiles>);
static_assert(std::is_same_v<decltype(&WVWL_QueryCCXInfo), PFN_WVWL_QueryCCXInfo>);
static_assert(std::is_same_v<decltype(&WVWL_QueryHWAndSWRadioState), PFN_WVWL_QueryHWAndSWRadioState>);
static_assert(std::is_same_v<decltype(&WVWL_ReadWMMTimeout), PFN_WVWL_ReadWMMTimeout>);
static_assert(std::is_same_v<decltype(&WVWL_WriteWMMTimeout), PFN_WVWL_WriteWMMTimeout>);
static_assert(std::is_same_v<decltype(&WVWL_IsSupportTDLS), PFN_WVWL_IsSupportTDLS>);
static_assert(std::is_same_v<decltype(&WVWL_WriteSSOProfileAndFunc), PFN_WVWL_WriteSSOProfileAndFunc>);
static_assert(std::is_same_v<decltype(&WVWL_GetWAPICertInfo), PFN_WVWL_GetWAPICertInfo>);
static_assert(std::is_same_v<decltype(&WVWL_IsSupportVistaSoftAP), PFN_WVWL_IsSupportVistaSoftAP>);
static_assert(std::is_same_v<decltype(&WVWL_IsSupportWiFiDirect), PFN_WVWL_IsSupportWiFiDirect>);
static_assert(std::is_same_v<decltype(&WVWL_CheckDuplicatedWifiDirectWpseProfileName), PFN_WVWL_CheckDuplicatedWifiDirectWpseProfileName>);
static_assert(std::is_same_v<decltype(&WVWL_CheckDuplicatedWifiDirectWpseSsid), PFN_WVWL_CheckDuplicatedWifiDirectWpseSsid>);
static_assert(std::is_same_v<decltype(&WVWL_DeleteWifiDirectWpseProfile), PFN_WVWL_DeleteWifiDirectWpseProfile>);
static_assert(std::is_same_v<decltype(&WVWL_UpdateWifiDirectWpseProfileForDisconnect), PFN_WVWL_UpdateWifiDirectWpseProfileForDisconnect>);
static_assert(std::is_same_v<decltype(&WVWL_ReadActiveWifiDirectWpseProfileName), PFN_WVWL_ReadActiveWifiDirectWpseProfileName>);
static_assert(std::is_same_v<decltype(&WVWL_ReadWifiDirectWpseProfile), PFN_WVWL_ReadWifiDirectWpseProfile>);
static_assert(std::is_same_v<decltype(&WVWL_ReadWifiDirectWpseProfileList), PFN_WVWL_ReadWifiDirectWpseProfileList>);
static_assert(std::is_same_v<decltype(&WVWL_SetWifiDirectWpseConfig), PFN_WVWL_SetWifiDirectWpseConfig>);
static_assert(std::is_same_v<decltype(&WVWL_InitWifiDirect), PFN_WVWL_InitWifiDirect>);
static_assert(std::is_same_v<decltype(&WVWL_WriteActiveWifiDirectWpseProfileName), PFN_WVWL_WriteActiveWifiDirectWpseProfileName>);
static_assert(std::is_same_v<decltype(&WVWL_WriteWifiDirectWpseProfile), PFN_WVWL_WriteWifiDirectWpseProfile>);
static_assert(std::is_same_v<decltype(&WVWL_ConnectWPSProfileWithWifiDirectWpse), PFN_WVWL_ConnectWPSProfileWithWifiDirectWpse>);
static_assert(std::is_same_v<decltype(&WVWL_DisConnectWifiDirectPerDevice), PFN_WVWL_DisConnectWifiDirectPerDevice>);
static_assert(std::is_same_v<decltype(&WVWL_QueryWifiDirectStatus), PFN_WVWL_QueryWifiDirectStatus>);
static_assert(std::is_same_v<decltype(&WVWL_WriteWifiDirectFlag), PFN_WVWL_WriteWifiDirectFlag>);
static_assert(std::is_same_v<decltype(&WVWL_ReadWifiDirectFlag), PFN_WVWL_ReadWifiDirectFlag>);
static_assert(std::is_same_v<decltype(&WVWL_ReadWifiDirectControl), PFN_WVWL_ReadWifiDirectControl>);
static_assert(std::is_same_v<decltype(&WVWL_StartWifiDirectGO), PFN_WVWL_StartWifiDirectGO>);
static_assert(std::is_same_v<decltype(&WVWL_StopWifiDirectGO), PFN_WVWL_StopWifiDirectGO>);
static_assert(std::is_same_v<decltype(&WVWL_DisableWifiDirect), PFN_WVWL_DisableWifiDirect>);
static_assert(std::is_same_v<decltype(&WVWL_GetIPfromMACTableLookup), PFN_WVWL_GetIPfromMACTableLookup>);
static_assert(std::is_same_v<decltype(&WVWL_GetWifiDirectIP), PFN_WVWL_GetWifiDirectIP>);
static_assert(std::is_same_v<decltype(&WVWL_GetVMPortStatusByPort), PFN_WVWL_GetVMPortStatusByPort>);
static_assert(std::is_same_v<decltype(&WVWL_SetWifiDirectIP), PFN_WVWL_SetWifiDirectIP>);
static_assert(std::is_same_v<decltype(&WVWL_WriteWiFiDirectDeviceName), PFN_WVWL_WriteWiFiDirectDeviceName>);
static_assert(std::is_same_v<decltype(&WVWL_ReadWiFiDirectDeviceName), PFN_WVWL_ReadWiFiDirectDeviceName>);
static_assert(std::is_same_v<decltype(&WVWL_DeleteWifiDirectWpsePerstEntry), PFN_WVWL_DeleteWifiDirectWpsePerstEntry>);
static_assert(std::is_same_v<decltype(&WVWL_ReadWifiDirectWpsePerstEntry), PFN_WVWL_ReadWifiDirectWpsePerstEntry>);
static_assert(std::is_same_v<decltype(&WVWL_ReadWiFiDirectDefaultWPAPSK), PFN_WVWL_ReadWiFiDirectDefaultWPAPSK>);
static_assert(std::is_same_v<decltype(&WVWL_ConvertWpsConfigMethodToWpsCapabilityMap), PFN_WVWL_ConvertWpsConfigMethodToWpsCapabilityMap>);
static_assert(std::is_same_v<decltype(&WVWL_ReadWiFiDirectGOssid), PFN_WVWL_ReadWiFiDirectGOssid>);
static_assert(std::is_same_v<decltype(&WVWL_SetMediaServerStartupType), PFN_WVWL_SetMediaServerStartupType>);
static_assert(std::is_same_v<decltype(&WVWL_StopMediaServer), PFN_WVWL_StopMediaServer>);
static_assert(std::is_same_v<decltype(&WVWL_StartAndSetMediaFolder), PFN_WVWL_StartAndSetMediaFolder>);
static_assert(std::is_same_v<decltype(&WVWL_SetMediaServerFriendlyName), PFN_WVWL_SetMediaServerFriendlyName>);
static_assert(std::is_same_v<decltype(&WVWL_StartMediaServer), PFN_WVWL_StartMediaServer>);
static_assert(std::is_same_v<decltype(&WVWL_WlanDisconnectEx), PFN_WVWL_WlanDisconnectEx>);
static_assert(std::is_same_v<decltype(&WVWL_LaunchApp), PFN_WVWL_LaunchApp>);
static_assert(std::is_same_v<decltype(&WVWL_WriteAndSetWDPConfig), PFN_WVWL_WriteAndSetWDPConfig>);
static_assert(std::is_same_v<decltype(&WVWL_GetWDPTable), PFN_WVWL_GetWDPTable>);
static_assert(std::is_same_v<decltype(&WVWL_ReadWDPConfig), PFN_WVWL_ReadWDPConfig>);
static_assert(std::is_same_v<decltype(&WVWL_InitWifiDisplay), PFN_WVWL_InitWifiDisplay>);
static_assert(std::is_same_v<decltype(&WVWL_CleanPort2DhcpIPAddress), PFN_WVWL_CleanPort2DhcpIPAddress>);
static_assert(std::is_same_v<decltype(&WVWL_IsSupportWiFiDisplay), PFN_WVWL_IsSupportWiFiDisplay>);
static_assert(std::is_same_v<decltype(&WVWL_WriteWDPUIConfig), PFN_WVWL_WriteWDPUIConfig>);
static_assert(std::is_same_v<decltype(&WVWL_ReadWDPUIConfig), PFN_WVWL_ReadWDPUIConfig>);
static_assert(std::is_same_v<decltype(&WVWL_SetAllowOrDisallowHostedNetwork), PFN_WVWL_SetAllowOrDisallowHostedNetwork>);
static_assert(std::is_same_v<decltype(&WVWL_OutPutUIWppLog), PFN_WVWL_OutPutUIWppLog>);
