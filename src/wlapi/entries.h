#pragma once
// Entry points of the closed libraries: "VoZEZIV.dll" (adapter library), "ZeZuveZud.dll"
// (WAPI certificate store) and "HS20.dll" (Hotspot 2.0). The adapter library's entries
// remove their own arguments (__stdcall) except WVWL_EnableAPSD, WVWL_SetACMCmd and
// WVWL_SetMFPCtrl; those and every ZeZuveZud_/HS20_ entry leave it to the caller (__cdecl).
// Results: 1 success, 0 failure, -10 buffer too small, -33 not ready (wlapi/result.h).

#include "wlapi/records.h"

// Adapter callback handed to WVWL_AdapterSelect. `out` carries the address of a text buffer
// of the library's (a 32-bit value).
using RS_CALLBACK_FUNC = void(__stdcall*)(int code, const void* data, int out);
// Completion function handed to WVWL_SiteSurveyScan.
using SCAN_FINISHED_FUNC = void(__stdcall*)();

// ---------------------------------------------------------------------------------------------
// "VoZEZIV.dll", in fetch order.
using PFN_WVWL_AdapterSelect = int(__stdcall*)(WLAN_ADAPTER* adapter, RS_CALLBACK_FUNC callback, HWND appWindow);
using PFN_WVWL_AddIMMEBA = int(__stdcall*)(BA_SESSION_REQUEST request);
using PFN_WVWL_BackupStationSetting = int(__stdcall*)();
using PFN_WVWL_ChannelToFrequency = int(__stdcall*)(int channel);
using PFN_WVWL_CheckDuplicatedProfileName = int(__stdcall*)(const char* name);
using PFN_WVWL_CheckIEEE80211H = int(__stdcall*)();
using PFN_WVWL_CheckAdhoc5GDisable = int(__stdcall*)();
using PFN_WVWL_CheckBssidRepositTime = int(__stdcall*)();
using PFN_WVWL_CheckIfAllowBW40InABand = int(__stdcall*)();
using PFN_WVWL_CheckIfAllowBW40InBGBand = int(__stdcall*)();
using PFN_WVWL_CheckMSConfigService = int(__stdcall*)();
using PFN_WVWL_ConnectWPSProfile = int(__stdcall*)(WPS_PROFILE* profile);
using PFN_WVWL_ConvertPhyModeToAdHocMode = int(__stdcall*)(int wirelessMode, int* adhocMode);
using PFN_WVWL_CopyProfileToCurrentSetting = int(__stdcall*)(const char* profileName);
using PFN_WVWL_CreateShortCut = int(__stdcall*)(const char* programPath, const char* folderName, const char* iconName);
// Fills `buffer` with ICS adapter entries (292 bytes each); returns the number of adapters.
// The last argument names the virtual Wi-Fi port's device id.
using PFN_WVWL_GetAdaptersInfo = int(__stdcall*)(int count, void* buffer, int flag, const char* virtualPortId);
using PFN_WVWL_DeInitial = int(__stdcall*)();
using PFN_WVWL_DeleteCertificate = int(__stdcall*)(const char* store, const void* certHash, int hashLength);
using PFN_WVWL_DeleteProfile = int(__stdcall*)(const char* profileName, int bDeleteConnected);
using PFN_WVWL_DetectMoreThanOneUser = int(__stdcall*)();
using PFN_WVWL_DetectUserAdmin = int(__stdcall*)();
using PFN_WVWL_DevEnable = int(__stdcall*)(WLAN_ADAPTER* adapter, int enable);
using PFN_WVWL_DisableDhcpServer = int(__stdcall*)();
using PFN_WVWL_Disassociate = int(__stdcall*)();
using PFN_WVWL_Disconnect = int(__stdcall*)();
using PFN_WVWL_EnableAPSD = int(__cdecl*)(WMM_CAPABILITY capability);
// Starts the DHCP server of the access point; `bIcsEnabled` is the connection-sharing state.
using PFN_WVWL_EnableDhcpServer = int(__stdcall*)(int bIcsEnabled);
using PFN_WVWL_EnableDLSetup = int(__stdcall*)(int enable);
// Certificate lists: a null array yields the count; entries are 1040-byte CERT_INFO records.
using PFN_WVWL_EnumCert = int(__stdcall*)(const char* store, void* certArray, int* count);
using PFN_WVWL_EnumMachineCert = int(__stdcall*)(const char* store, void* certArray, int* count);
using PFN_WVWL_EnumSystemCertificate = int(__stdcall*)(const char* store, void* certArray, int* count);
using PFN_WVWL_ExportProfile = int(__stdcall*)(const char* profileName, const char* path);
using PFN_WVWL_FastPacLoad = int(__stdcall*)(char* pathOut, int pathSize, const char* identity, int flag);
using PFN_WVWL_FastPacSave = int(__stdcall*)(const void* pac, const char* pacPath, const char* pacAid);
using PFN_WVWL_FlushBSSIDList = int(__stdcall*)(int oldWirelessMode, int newWirelessMode);
using PFN_WVWL_FreeCertArray = int(__stdcall*)(void* certArray, int* count);
using PFN_WVWL_FrequencyToChannel = int(__stdcall*)(unsigned long frequencyKHz);
// Buffer: a 32-bit count then WLAN_ADAPTER records; -10 puts the needed count in the first word.
using PFN_WVWL_GetAvailableAdapters = int(__stdcall*)(void* buffer, int capacity);
using PFN_WVWL_GetAvailableChannels = int(__stdcall*)(int flag, int wirelessMode, int adhocMode, unsigned char* channels64, int* count, int flag2);
using PFN_WVWL_GetCertificateManagerParam = int(__stdcall*)(void* param);
using PFN_WVWL_GetCurrentDeviceModel = int(__stdcall*)(unsigned long* model);
using PFN_WVWL_GetMaxCountryRegion = int(__stdcall*)(int* max24GHz, int* max5GHz);
using PFN_WVWL_GetNextProfileID = int(__stdcall*)(char* id128);
using PFN_WVWL_GetUSBversion = int(__stdcall*)(int* version);
using PFN_WVWL_GetWAPIProgress = int(__stdcall*)();
using PFN_WVWL_GetWinOS = int(__stdcall*)();
using PFN_WVWL_GetWinType = int(__stdcall*)();
using PFN_WVWL_GetWPSHwPBCMode = int(__stdcall*)(int* mode);
using PFN_WVWL_ImportProfile = int(__stdcall*)(const char* path);
using PFN_WVWL_InitAPSetting = int(__stdcall*)();
using PFN_WVWL_InitExtregWPS = int(__stdcall*)();
using PFN_WVWL_Initial = int(__stdcall*)(const char* vendorName, HWND mainWindow);
using PFN_WVWL_IPDataToStr = int(__stdcall*)(const unsigned char* ip4, char* text);
using PFN_WVWL_Is80211ASupport = int(__stdcall*)();
using PFN_WVWL_Is80211ACSupport = int(__stdcall*)();
using PFN_WVWL_Is80211NSupport = int(__stdcall*)();
using PFN_WVWL_IsAllowStandardUserSetAdvance = int(__stdcall*)();
using PFN_WVWL_IsAllowStandardUserSetProfile = int(__stdcall*)();
using PFN_WVWL_IsDeviceExist = int(__stdcall*)(WLAN_ADAPTER* adapter);
using PFN_WVWL_IsDuplicateProfileID = int(__stdcall*)(const char* id);
using PFN_WVWL_IsEapHostInstalled = int(__stdcall*)();
using PFN_WVWL_IsEnableICS = int(__stdcall*)();
using PFN_WVWL_EnableICS = int(__stdcall*)(void* wanEntry, void* lanEntry, int enable, int flag);
using PFN_WVWL_DisableICS = int(__stdcall*)();
using PFN_WVWL_IsExportablePrivateKey = int(__stdcall*)(KV_BLOB_KEY* certKey);
using PFN_WVWL_IsHostedNetworkAvailable = int(__stdcall*)();
using PFN_WVWL_IsSupportAPMode = int(__stdcall*)();
using PFN_WVWL_IsWAPIConnecting = int(__stdcall*)();
using PFN_WVWL_IsWAPISupported = int(__stdcall*)();
using PFN_WVWL_IsWow64 = int(__stdcall*)();
using PFN_WVWL_IsWpaCapable = int(__stdcall*)();
using PFN_WVWL_IsZeroConfig = int(__stdcall*)();
using PFN_WVWL_LoadX509ASCertificate = int(__stdcall*)(const char* path);
using PFN_WVWL_LoadX509UserCertificate = int(__stdcall*)(const char* path);
using PFN_WVWL_OIDQueryInfo = int(__stdcall*)(unsigned long request, void* buffer, unsigned long length, unsigned long* returned);
using PFN_WVWL_OIDSetInfo = int(__stdcall*)(unsigned long request, const void* data, unsigned long length);
using PFN_WVWL_ParseInfoElement = int(__stdcall*)(const NDIS_WLAN_BSSID_EX* item, IE_INFO* info);
using PFN_WVWL_PasswordHash = int(__stdcall*)(const char* password, const char* ssid, unsigned char* hash32);
using PFN_WVWL_QueryACMCmd = int(__stdcall*)(ACM_COMMAND* command);
using PFN_WVWL_QueryAndReadWMMCapability = int(__stdcall*)(WMM_CAPABILITY* capability);
using PFN_WVWL_QueryAntennaNumber = int(__stdcall*)(unsigned long* number);
using PFN_WVWL_QueryAPIPAddress = int(__stdcall*)(AP_IP_INFO* info);
using PFN_WVWL_QueryBACap = int(__stdcall*)(BA_CAP_SETTING* capability);
// Out: the driver's block-ack table (BA_TABLE entries of 48 bytes).
using PFN_WVWL_QueryBATable = int(__stdcall*)(BA_TABLE* table);
using PFN_WVWL_QueryCountryRegion = int(__stdcall*)(int* region, int* changeable5GHz, int* changeable24GHz);
using PFN_WVWL_QueryCurrAddress = int(__stdcall*)(unsigned char* mac6);
using PFN_WVWL_QueryDLSParameter = int(__stdcall*)(void* parameter);
using PFN_WVWL_QueryEEPROMVersion = int(__stdcall*)(unsigned long* version);
using PFN_WVWL_QueryFWVersion = int(__stdcall*)(unsigned long* version);
using PFN_WVWL_QueryHTPhyMode = int(__stdcall*)(void* htPhyMode);
using PFN_WVWL_QueryHWArchitectureVer = int(__stdcall*)(unsigned long* version);
using PFN_WVWL_QueryHWReg = int(__stdcall*)(unsigned long offset, unsigned long* value);
using PFN_WVWL_QueryInitState = int(__stdcall*)();
using PFN_WVWL_QueryP2PPersistState = int(__stdcall*)(int* persistent);
using PFN_WVWL_QueryMacAddrs = int(__stdcall*)(unsigned char* mac6);
using PFN_WVWL_QueryMacAddrsForWin8P2P = int(__stdcall*)(unsigned char* mac6);
using PFN_WVWL_QueryMFPCtrl = int(__stdcall*)(MFP_CONTROL* control);
using PFN_WVWL_QueryNetworkTypeSupport = int(__stdcall*)(unsigned long* types);
using PFN_WVWL_QueryOPMode = int(__stdcall*)();
using PFN_WVWL_QueryPrivateMsg = int(__stdcall*)(void* buffer, unsigned long length);
using PFN_WVWL_QuerySTAConfig = int(__stdcall*)(KV_802_11_STA_CONFIG* config);
using PFN_WVWL_QueryWirelessMode = int(__stdcall*)(int* wirelessMode);
using PFN_WVWL_QueryWLANStatus = int(__stdcall*)(WLAN_STATUS* status, WLAN_STATUS_QUERY query);
using PFN_WVWL_QueryWPSAPChannel = int(__stdcall*)(const unsigned char* mac6, int* channel);
using PFN_WVWL_QueryWPSHwPbc = int(__stdcall*)(long* pressed);
using PFN_WVWL_QueryWPSProfile = int(__stdcall*)(WPS_PROFILE* profile);
using PFN_WVWL_QueryWPSStatus = int(__stdcall*)(unsigned long* status);
using PFN_WVWL_Read8021XCert = int(__stdcall*)(const char* profileName, KV_BLOB_KEY* caCert, KV_BLOB_KEY* userCert);
using PFN_WVWL_ReadAckPolicy = int(__stdcall*)(int* be, int* bk, int* vi, int* vo);
using PFN_WVWL_ReadActiveProfileName = int(__stdcall*)(char* name128);
using PFN_WVWL_ReadAdvanceCfgData = int(__stdcall*)(ADVANCE_CONFIG_DATA* data);
using PFN_WVWL_ReadBACap = int(__stdcall*)(unsigned long* capWord);
using PFN_WVWL_ReadCCX2Cont = int(__stdcall*)(unsigned long* ccx2Control);
using PFN_WVWL_ReadChannelMode = int(__stdcall*)(int* mode);
using PFN_WVWL_ReadConfigData = int(__stdcall*)(ADVANCE_CONFIG_DATA* data);
using PFN_WVWL_ReadDriverDesc = int(__stdcall*)(char* desc128);
using PFN_WVWL_ReadDriverName = int(__stdcall*)(char* name);
using PFN_WVWL_ReadDriverPath = int(__stdcall*)(WLAN_ADAPTER* adapter, char* path256);
using PFN_WVWL_ReadNetCfgInstanceID = int(__stdcall*)(char* id256);
using PFN_WVWL_ReadNetConfig = int(__stdcall*)(void* config);
using PFN_WVWL_ReadOpMode = int(__stdcall*)();
using PFN_WVWL_QueryRemoteDevWDPService = int(__stdcall*)(const unsigned char* mac6, void* service);
// PAC list: a null array yields the count; entries are 516 bytes.
using PFN_WVWL_ReadPACList = int(__stdcall*)(void* entries, unsigned long* count, const char* profileName);
using PFN_WVWL_ReadProfileData = int(__stdcall*)(WLANPROFILE* profile, const char* profileName);
using PFN_WVWL_ReadProfileList = int(__stdcall*)(WLANPROFILE* profiles, unsigned long* count);
using PFN_WVWL_ReadPSMode = int(__stdcall*)(unsigned long* psMode);
using PFN_WVWL_ReadRadioStatus = int(__stdcall*)();
using PFN_WVWL_ReadSSOCurrProfileName = int(__stdcall*)(char* name);
using PFN_WVWL_ReadSSOInfo = int(__stdcall*)(SSO_SETTING* setting);
using PFN_WVWL_ReadSSOStatus = int(__stdcall*)(int* enabled, int* persistent);
using PFN_WVWL_ReadWMMMacAddr = int(__stdcall*)(unsigned char* mac6);
using PFN_WVWL_ReadWPSFlag = int(__stdcall*)(int* flag);
using PFN_WVWL_ReadWPSProfile = int(__stdcall*)(WPS_MODE* mode, WPS_PROFILE* profile);
using PFN_WVWL_Release = int(__stdcall*)();
using PFN_WVWL_RenewIPAddr = int(__stdcall*)();
using PFN_WVWL_ResetCounter = int(__stdcall*)();
using PFN_WVWL_ResetSSOFeature = int(__stdcall*)();
using PFN_WVWL_ResetToDefaultConnecctionSetting = int(__stdcall*)();
using PFN_WVWL_RestoreApSetting = int(__stdcall*)();
using PFN_WVWL_RssiToPercent = int(__stdcall*)(long rssi);
using PFN_WVWL_RunOnceInitConfigTool = int(__stdcall*)(int* configToolSelect);
using PFN_WVWL_RunOnceInitConfigTxBurst = int(__stdcall*)();
using PFN_WVWL_SetAckPolicy = int(__stdcall*)(int be, int bk, int vi, int vo);
using PFN_WVWL_SetACMCmd = int(__cdecl*)(ACM_COMMAND command);
using PFN_WVWL_SetAdvanceSetting = int(__stdcall*)(ADVANCE_CONFIG_DATA* data);
using PFN_WVWL_SetAndWriteAPSDSetting = int(__stdcall*)(WMM_CAPABILITY capability);
using PFN_WVWL_SetAndWriteOPMode = int(__stdcall*)(int mode);
using PFN_WVWL_WriteOPMode = int(__stdcall*)(int mode);
using PFN_WVWL_SetAndWriteRadioState = int(__stdcall*)(int radioOn);
using PFN_WVWL_SetAndWriteP2PPersist = int(__stdcall*)(int persistent);
using PFN_WVWL_SetAuthMode = int(__stdcall*)(int authMode);
using PFN_WVWL_SetBACap = int(__stdcall*)(BA_CAP_SETTING capability);
using PFN_WVWL_SetBSSID = int(__stdcall*)(const unsigned char* bssid6);
using PFN_WVWL_SetCCXDiagAction = int(__stdcall*)(int action);
using PFN_WVWL_SetCCXInfo = int(__stdcall*)(int mode, unsigned long ccx2Control);
using PFN_WVWL_SetCoexMode = int(__stdcall*)(const char* mode);
using PFN_WVWL_SetCountryRegion = int(__stdcall*)(int region24GHz, int region5GHz);
using PFN_WVWL_SetDesiredRate = int(__stdcall*)(const KV_802_11_TX_RATES* rates);
using PFN_WVWL_SetDLSParameter = int(__stdcall*)(const void* parameter);
using PFN_WVWL_SetFirewall = int(__stdcall*)(const char* programPath, const wchar_t* caption);
using PFN_WVWL_SetHTPhyMode = int(__stdcall*)(const void* htPhyMode);
using PFN_WVWL_SetLocalDevWDPService = int(__stdcall*)(const void* service);
using PFN_WVWL_SetMFPCtrl = int(__cdecl*)(MFP_CONTROL control);
using PFN_WVWL_SetWEPKey = int(__stdcall*)(const WLANPROFILE* profile);
using PFN_WVWL_SetPhyMode = int(__stdcall*)(int wirelessMode);
using PFN_WVWL_SetPreferWPSAPPhyType = int(__stdcall*)(int phyType);
using PFN_WVWL_SetWevoConfigMethod = int(__stdcall*)(int method);
using PFN_WVWL_SetReloadDefault = int(__stdcall*)();
using PFN_WVWL_SetServiceDiscoveryReq = int(__stdcall*)(const void* request);
using PFN_WVWL_SetSSID = int(__stdcall*)(NDIS_802_11_SSID ssid);
using PFN_WVWL_SetSTAConfig = int(__stdcall*)(const KV_802_11_STA_CONFIG* config);
using PFN_WVWL_SetTXRate = int(__stdcall*)(int rate);
using PFN_WVWL_SetupX509ASCertificate = int(__stdcall*)(const char* path);
using PFN_WVWL_SetupX509UserCertificate = int(__stdcall*)(const char* path);
using PFN_WVWL_SetWAPIMode = int(__stdcall*)(int mode);
using PFN_WVWL_SetWLANProfile = int(__stdcall*)(const WLANPROFILE* profile);
using PFN_WVWL_SetWPSAssociateIE = int(__stdcall*)(int enable);
using PFN_WVWL_SetWPSAutoSelect = int(__stdcall*)(int autoSelect);
using PFN_WVWL_SetWPSMode = int(__stdcall*)(WPS_MODE mode);
using PFN_WVWL_SetWPSProbeReqIE = int(__stdcall*)(int enable);
using PFN_WVWL_SetWPSProfile = int(__stdcall*)(WPS_PROFILE profile);
// Fills `list` (capacity in *size); -10 when too small, the needed size then in *size.
using PFN_WVWL_SiteSurveyQuery = int(__stdcall*)(NDIS_802_11_BSSID_LIST_EX* list, unsigned long* size);
using PFN_WVWL_SiteSurveyScan = int(__stdcall*)(SCAN_FINISHED_FUNC finished);
using PFN_WVWL_StartDiagTest = int(__stdcall*)();
using PFN_WVWL_StartEapHostPeerInvokeConfigUI = int(__stdcall*)(const char* profileName, unsigned long* blobLength, unsigned char* blob);
using PFN_WVWL_StopAuth = int(__stdcall*)();
using PFN_WVWL_StopDiagTest = int(__stdcall*)();
using PFN_WVWL_StrToIPData = int(__stdcall*)(const char* text, unsigned char* ip4);
using PFN_WVWL_UpdateWMMEnable = int(__stdcall*)(WMM_CAPABILITY capability);
using PFN_WVWL_VerifyCountryRegion = int(__stdcall*)();
using PFN_WVWL_WlanBuildIHVMessage = int(__stdcall*)(void* message, unsigned long length);
using PFN_WVWL_WlanConnect = int(__stdcall*)(const char* profileName, unsigned long networkType, NDIS_802_11_SSID ssid, unsigned long connectMode, unsigned long authType, unsigned long cipherType);
using PFN_WVWL_WlanConvertDot112NdisAuthType = int(__stdcall*)(unsigned long dot11Value, unsigned long* ndisValue);
using PFN_WVWL_WlanConvertDot112NdisEncryptType = int(__stdcall*)(unsigned long dot11Value, unsigned long* ndisValue);
using PFN_WVWL_WlanConvertDot112NdisNetworkType = int(__stdcall*)(unsigned long dot11Value, unsigned long* ndisValue);
using PFN_WVWL_WlanConvertNdis2Dot11AuthType = int(__stdcall*)(unsigned long ndisValue, unsigned long* dot11Value);
using PFN_WVWL_WlanConvertNdis2Dot11EncryptType = int(__stdcall*)(unsigned long ndisValue, unsigned long* dot11Value);
using PFN_WVWL_WlanConvertNdis2Dot11NetworkType = int(__stdcall*)(unsigned long ndisValue, unsigned long* dot11Value);
using PFN_WVWL_WlanDeleteAllWindowsProfiles = int(__stdcall*)();
using PFN_WVWL_WlanDeleteWindowsProfile = int(__stdcall*)(const char* profileName);
using PFN_WVWL_WlanDisconnect = int(__stdcall*)();
using PFN_WVWL_WlanIsAdhocSupportWPA2AES = int(__stdcall*)();
using PFN_WVWL_WlanIsCCXDiagnosticProfile = int(__stdcall*)(const char* profileName128);
using PFN_WVWL_WlanIsWindowsProfileExist = int(__stdcall*)(const char* profileName64);
using PFN_WVWL_WlanNumOfAvailableWindowsProfile = int(__stdcall*)();
using PFN_WVWL_WlanQueryRadioState = int(__stdcall*)(int* hardware, int* software);
using PFN_WVWL_WlanSendClientAbort = int(__stdcall*)();
using PFN_WVWL_WlanSendS64Start = int(__stdcall*)(const wchar_t* profileName);
using PFN_WVWL_WPSDisconnect = int(__stdcall*)();
using PFN_WVWL_TerminateWPS = int(__stdcall*)();
using PFN_WVWL_WriteAckPolicy = int(__stdcall*)(int be, int bk, int vi, int vo);
using PFN_WVWL_WriteAdvanceCfgData = int(__stdcall*)(ADVANCE_CONFIG_DATA data);
using PFN_WVWL_WriteBACap = int(__stdcall*)(unsigned long capWord);
using PFN_WVWL_WriteDomainName = int(__stdcall*)(const char* domain);
using PFN_WVWL_WriteIDnPasswd = int(__stdcall*)(const char* identity128, const char* password128);
using PFN_WVWL_WriteNetConfig = int(__stdcall*)(const void* config);
// PAC list: a 32-bit count followed by the address of the 516-byte entries.
using PFN_WVWL_WritePACList = int(__stdcall*)(const void* pacFileList, const char* profileName);
using PFN_WVWL_WriteProfile = int(__stdcall*)(const char* profileName, const WLANPROFILE* profile);
using PFN_WVWL_WriteProfileID = int(__stdcall*)(const char* profileName, const char* id);
using PFN_WVWL_WriteRegValue = int(__stdcall*)(const char* valueName, unsigned long type, const void* data, unsigned long length);
using PFN_WVWL_WvSetRegValue = int(__stdcall*)(const char* valueName, unsigned long type, const void* data, unsigned long length);
using PFN_WVWL_WriteSSOEnablePersConn = int(__stdcall*)(int persistent);
using PFN_WVWL_WriteSSOProfile = int(__stdcall*)(const char* profileName);
using PFN_WVWL_WriteSSOReleaseSUP = int(__stdcall*)();
using PFN_WVWL_WriteSSOSavePassword = int(__stdcall*)(int idPwdSource);
using PFN_WVWL_WriteSSOSetting = int(__stdcall*)(SSO_SETTING setting);
using PFN_WVWL_WriteWMMMacAddr = int(__stdcall*)(const unsigned char* mac6);
using PFN_WVWL_WriteWPSFlag = int(__stdcall*)(int flag);
using PFN_WVWL_WriteWPSProfile = int(__stdcall*)(WPS_MODE mode, WPS_PROFILE profile);
using PFN_WVWL_ReadExtAPConfig = int(__stdcall*)(EXTAP_CONFIG* config);
using PFN_WVWL_WriteExtAPConfig = int(__stdcall*)(EXTAP_CONFIG config);
using PFN_WVWL_HostedNetworkSetup = int(__stdcall*)(EXTAP_CONFIG config);
using PFN_WVWL_HostedNetworkStopUsing = int(__stdcall*)();
using PFN_WVWL_HostedNetworkStopUsingAndSetup = int(__stdcall*)(EXTAP_CONFIG config);
using PFN_WVWL_HostedNetworkQuerySettings = int(__stdcall*)(EXTAP_CONFIG* config);
// Out: the 640-byte hosted-network status.
using PFN_WVWL_HostedNetworkQueryStatus = int(__stdcall*)(void* status640);
using PFN_WVWL_HostedNetworkStartICS = int(__stdcall*)();
using PFN_WVWL_HostedNetworkStopICS = int(__stdcall*)();
using PFN_WVWL_WlanDeleteAllOstrelWindowsProfiles = int(__stdcall*)();
using PFN_WVWL_QueryCCXInfo = int(__stdcall*)(unsigned long* ccx2Control);
using PFN_WVWL_QueryHWAndSWRadioState = int(__stdcall*)(int* hardware, int* software);
using PFN_WVWL_ReadWMMTimeout = int(__stdcall*)(unsigned long* timeout);
using PFN_WVWL_WriteWMMTimeout = int(__stdcall*)(unsigned long timeout);
using PFN_WVWL_IsSupportTDLS = int(__stdcall*)();
using PFN_WVWL_WriteSSOProfileAndFunc = int(__stdcall*)(const char* profileName, int release);
using PFN_WVWL_GetWAPICertInfo = int(__stdcall*)(const char* path, void* info);
using PFN_WVWL_IsSupportVistaSoftAP = int(__stdcall*)();
using PFN_WVWL_IsSupportWiFiDirect = int(__stdcall*)();
using PFN_WVWL_StartExtregWPS = int(__stdcall*)(const char* uuid);
using PFN_WVWL_StopExtregWPS = int(__stdcall*)();
using PFN_WVWL_QueryWPSVersion = int(__stdcall*)(unsigned long* version);
// Enrollee list: WSC_EXTREG_ENR_INFO records of 264 bytes; -10 with the needed count in *count.
using PFN_WVWL_GetEnrolleeInfo = int(__stdcall*)(void* buffer, unsigned long capacity, unsigned long* count);
using PFN_WVWL_SetWPSVersion = int(__stdcall*)(unsigned long version);
using PFN_WVWL_UseEnrolleeList = int(__stdcall*)(int use);
using PFN_WVWL_SetSelEnrolleeMAC = int(__stdcall*)(const unsigned char* mac6);
using PFN_WVWL_GetVenExtAttribute = int(__stdcall*)(void* attribute);
using PFN_WVWL_ReConfigureAP = int(__stdcall*)(int reconfigure);
using PFN_WVWL_QueryWPS20TestBed = int(__stdcall*)(unsigned long* bits);
using PFN_WVWL_SetWPS20TestBed = int(__stdcall*)(unsigned long bits);
using PFN_WVWL_CheckDuplicatedWifiDirectWpseProfileName = int(__stdcall*)(const char* profileName);
using PFN_WVWL_CheckDuplicatedWifiDirectWpseSsid = int(__stdcall*)(const char* ssid);
using PFN_WVWL_DeleteWifiDirectWpseProfile = int(__stdcall*)(const char* profileName);
using PFN_WVWL_UpdateWifiDirectWpseProfileForDisconnect = int(__stdcall*)(const char* profileName);
using PFN_WVWL_ReadActiveWifiDirectWpseProfileName = int(__stdcall*)(char* name128);
// Wi-Fi Direct profile records are 1468 bytes (WIFIDIRECT_WPSE_PROFILE).
using PFN_WVWL_ReadWifiDirectWpseProfile = int(__stdcall*)(void* profile, const char* profileName);
using PFN_WVWL_ReadWifiDirectWpseProfileList = int(__stdcall*)(void* profiles, unsigned long* count);
using PFN_WVWL_SetWifiDirectWpseConfig = int(__stdcall*)(const void* profile);
using PFN_WVWL_InitWifiDirect = int(__stdcall*)(HANDLE statusEvent);
using PFN_WVWL_WriteActiveWifiDirectWpseProfileName = int(__stdcall*)(const char* name128);
using PFN_WVWL_WriteWifiDirectWpseProfile = int(__stdcall*)(const char* profileName, const void* profile);
using PFN_WVWL_ConnectWPSProfileWithWifiDirectWpse = int(__stdcall*)(unsigned long bIsPersistent, const void* wpsDoneContent);
using PFN_WVWL_DisConnectWifiDirectPerDevice = int(__stdcall*)(const unsigned char* mac6);
// Out: the 1808-byte WIFI_DIRECT_STATUS.
using PFN_WVWL_QueryWifiDirectStatus = int(__stdcall*)(void* status);
using PFN_WVWL_WriteWifiDirectFlag = int(__stdcall*)(int flag);
using PFN_WVWL_ReadWifiDirectFlag = int(__stdcall*)(int* flag);
// Out: the 40-byte WIFI_DIRECT_CONTROL.
using PFN_WVWL_ReadWifiDirectControl = int(__stdcall*)(void* control);
using PFN_WVWL_StartWifiDirectGO = int(__stdcall*)();
using PFN_WVWL_StopWifiDirectGO = int(__stdcall*)();
using PFN_WVWL_DisableWifiDirect = int(__stdcall*)();
using PFN_WVWL_GetIPfromMACTableLookup = int(__stdcall*)(const unsigned char* mac6, char* address64);
// Out: the 32-byte WIFI_DIRECT_IP_INFO.
using PFN_WVWL_GetWifiDirectIP = int(__stdcall*)(void* info);
using PFN_WVWL_GetVMPortStatusByPort = int(__stdcall*)(WLAN_ADAPTER* adapter, int port);
using PFN_WVWL_SetWifiDirectIP = int(__stdcall*)(const unsigned char* ip4);
using PFN_WVWL_WriteWiFiDirectDeviceName = int(__stdcall*)(const char* name64);
using PFN_WVWL_ReadWiFiDirectDeviceName = int(__stdcall*)(char* name64);
using PFN_WVWL_DeleteWifiDirectWpsePerstEntry = int(__stdcall*)(const unsigned char* mac6);
using PFN_WVWL_ReadWifiDirectWpsePerstEntry = int(__stdcall*)(void* entry, const unsigned char* mac6);
using PFN_WVWL_ReadWiFiDirectDefaultWPAPSK = int(__stdcall*)(char* key68);
using PFN_WVWL_ConvertWpsConfigMethodToWpsCapabilityMap = int(__stdcall*)(unsigned short configMethods, int flag);
using PFN_WVWL_ReadWiFiDirectGOssid = int(__stdcall*)(NDIS_802_11_SSID* ssid);
using PFN_WVWL_SetMediaServerStartupType = int(__stdcall*)(int startWithWindows);
using PFN_WVWL_StopMediaServer = int(__stdcall*)();
using PFN_WVWL_StartAndSetMediaFolder = int(__stdcall*)(const char* folder256);
using PFN_WVWL_SetMediaServerFriendlyName = int(__stdcall*)(const char* name64);
using PFN_WVWL_StartMediaServer = int(__stdcall*)();
using PFN_WVWL_WlanDisconnectEx = int(__stdcall*)(int flag);
using PFN_WVWL_LaunchApp = int(__stdcall*)(const char* path, const char* arguments);
// Wi-Fi Display configuration: the 452-byte WDP_CONFIG.
using PFN_WVWL_WriteAndSetWDPConfig = int(__stdcall*)(const void* config, int set);
// Out: the 1142-byte WDP_TABLE.
using PFN_WVWL_GetWDPTable = int(__stdcall*)(void* table);
using PFN_WVWL_ReadWDPConfig = int(__stdcall*)(void* config);
using PFN_WVWL_InitWifiDisplay = int(__stdcall*)(HANDLE statusEvent);
using PFN_WVWL_CleanPort2DhcpIPAddress = int(__stdcall*)();
using PFN_WVWL_IsSupportWiFiDisplay = int(__stdcall*)();
using PFN_WVWL_WriteWDPUIConfig = int(__stdcall*)(const unsigned long* show);
using PFN_WVWL_ReadWDPUIConfig = int(__stdcall*)(unsigned long* show);
using PFN_WVWL_SetAllowOrDisallowHostedNetwork = int(__stdcall*)(int allow);
using PFN_WVWL_OutPutUIWppLog = int(__stdcall*)(int level, const char* line);

// ---------------------------------------------------------------------------------------------
// "ZeZuveZud.dll" (caller cleans). Paths are NUL-terminated ANSI texts in zero-filled 256-byte
// buffers. The install entries return the codes of wlapi/constants.h (WAPI_INSTALL_...).
using PFN_ZeZuveZud_IsLegal = int(__cdecl*)(const char* path);
using PFN_ZeZuveZud_GetCert = int(__cdecl*)(WAPI_CERT_STORE* store);
using PFN_ZeZuveZud_ClearCert = int(__cdecl*)(WAPI_CERT_STORE* store);
using PFN_ZeZuveZud_WriteUserASCert = int(__cdecl*)(WAPI_CERT_STORE* store, const char* userCertPath, const char* asCertPath);
using PFN_ZeZuveZud_WriteExtraASCertByIndex = int(__cdecl*)(WAPI_CERT_STORE* store, const char* asCertPath, int userIndex);
using PFN_ZeZuveZud_DeleteUserASCertByIndex = int(__cdecl*)(WAPI_CERT_STORE* store, int index);
using PFN_ZeZuveZud_DeleteExtraASCertByIndex = int(__cdecl*)(WAPI_CERT_STORE* store, int userIndex, int asIndex);
// direction 1 up (towards index 0), 0 down.
using PFN_ZeZuveZud_MoveCert = int(__cdecl*)(WAPI_CERT_STORE* store, int index, int direction);
// kind 1: the user identity of (nUserIdValue1, nUserIdValue2); kind 0: the AS identity of
// (nASIdValue, 0).
using PFN_ZeZuveZud_GetIdentity = int(__cdecl*)(int kind, uint32_t value1, uint32_t value2, WAPI_ID_BUFFER* identity);
// The position of the user certificate with this identity, -1 when none.
using PFN_ZeZuveZud_GetCertIndex = int(__cdecl*)(WAPI_CERT_STORE* store, const WAPI_ID_BUFFER* identity);

// ---------------------------------------------------------------------------------------------
// "HS20.dll" (caller cleans).
using PFN_HS20_Init = int(__cdecl*)(HS20_INIT_PARAM param);
using PFN_HS20_Deinit = int(__cdecl*)();
using PFN_HS20_Add_Credential = int(__cdecl*)(HS20_CREDENTIAL credential);
using PFN_HS20_Add_Profile = int(__cdecl*)(HS20_PROFILE profile);
using PFN_HS20_Del_Credential = int(__cdecl*)(int index);
using PFN_HS20_Del_Profile = int(__cdecl*)(int index);
using PFN_HS20_Reset_Default = int(__cdecl*)();
using PFN_HS20_Set_Domain_Name = int(__cdecl*)(const char* domain);
using PFN_HS20_Set_Weight = int(__cdecl*)(HS20_WEIGHT_TABLE table);
using PFN_HS20_Write_IniFile = int(__cdecl*)(HS20_INI_PATH path);
using PFN_HS20_Set_Prefer = int(__cdecl*)(HS20_PREFER prefer);
using PFN_HS20_Modify_Credential = int(__cdecl*)(HS20_CREDENTIAL credential, int index);
using PFN_HS20_Modify_Profile = int(__cdecl*)(HS20_PROFILE profile, int index);
using PFN_HS20_Get_Credential = int(__cdecl*)(HS20_CREDENTIAL* credential, int index);
using PFN_HS20_Get_Profile = int(__cdecl*)(HS20_PROFILE* profile, int index);
using PFN_HS20_Get_Connected_Parameters = int(__cdecl*)(HS20_CONNECTED_INFO* info);
using PFN_HS20_Del_Connected_Parameters = int(__cdecl*)();
