#include "core/WvwlLib.h"

#include <cstring>
#include <new>
#include <fstream>

#include "core/Log.h"
#include "core/Settings.h"

WVWLLIB VOZEZIV;
int m_bMinimizeToTray = 0;

namespace {

// Entry point by name into its typed field; null when the library lacks the name.
template <typename Entry>
void Fetch(HMODULE module, const char* name, Entry& field)
{
    field = reinterpret_cast<Entry>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

void FillDefaultProfile(WLANPROFILE& profile)
{
    profile = WLANPROFILE{};
    profile.enumNetworkType = 1;
    profile.enumPreamType = 2;
    profile.lRtsThre = 2347;
    profile.lFragThre = 2346;
    profile.enumAuthenMode = 0;
    profile.enumEncryStatus = 1;
    profile.lTxPower = 0;
    profile.wepDefaultKey = 1;
    profile.enumPSMode = 0;
    profile.lFreq = 6;
    profile.bIsWPS = 0;
}

}  // namespace

bool WVWLLIB::Load(const char* path)
{
    if (!path)
        return false;
    hWLAPIDll = LoadLibraryA(path);
    if (!hWLAPIDll)
        return false;
    hCertMgrDll = LoadLibraryA("ZeZuveZud.dll");

    Fetch(hWLAPIDll, "WVWL_AdapterSelect", WVWL_AdapterSelect);
    Fetch(hWLAPIDll, "WVWL_AddIMMEBA", WVWL_AddIMMEBA);
    Fetch(hWLAPIDll, "WVWL_BackupStationSetting", WVWL_BackupStationSetting);
    Fetch(hWLAPIDll, "WVWL_ChannelToFrequency", WVWL_ChannelToFrequency);
    Fetch(hWLAPIDll, "WVWL_CheckDuplicatedProfileName", WVWL_CheckDuplicatedProfileName);
    Fetch(hWLAPIDll, "WVWL_CheckIEEE80211H", WVWL_CheckIEEE80211H);
    Fetch(hWLAPIDll, "WVWL_CheckAdhoc5GDisable", WVWL_CheckAdhoc5GDisable);
    Fetch(hWLAPIDll, "WVWL_CheckBssidRepositTime", WVWL_CheckBssidRepositTime);
    Fetch(hWLAPIDll, "WVWL_CheckIfAllowBW40InABand", WVWL_CheckIfAllowBW40InABand);
    Fetch(hWLAPIDll, "WVWL_CheckIfAllowBW40InBGBand", WVWL_CheckIfAllowBW40InBGBand);
    Fetch(hWLAPIDll, "WVWL_CheckMSConfigService", WVWL_CheckMSConfigService);
    Fetch(hWLAPIDll, "WVWL_ConnectWPSProfile", WVWL_ConnectWPSProfile);
    Fetch(hWLAPIDll, "WVWL_ConvertPhyModeToAdHocMode", WVWL_ConvertPhyModeToAdHocMode);
    Fetch(hWLAPIDll, "WVWL_CopyProfileToCurrentSetting", WVWL_CopyProfileToCurrentSetting);
    Fetch(hWLAPIDll, "WVWL_CreateShortCut", WVWL_CreateShortCut);
    Fetch(hWLAPIDll, "WVWL_GetAdaptersInfo", WVWL_GetAdaptersInfo);
    Fetch(hWLAPIDll, "WVWL_DeInitial", WVWL_DeInitial);
    Fetch(hWLAPIDll, "WVWL_DeleteCertificate", WVWL_DeleteCertificate);
    Fetch(hWLAPIDll, "WVWL_DeleteProfile", WVWL_DeleteProfile);
    Fetch(hWLAPIDll, "WVWL_DetectMoreThanOneUser", WVWL_DetectMoreThanOneUser);
    Fetch(hWLAPIDll, "WVWL_DetectUserAdmin", WVWL_DetectUserAdmin);
    Fetch(hWLAPIDll, "WVWL_DevEnable", WVWL_DevEnable);
    Fetch(hWLAPIDll, "WVWL_DisableDhcpServer", WVWL_DisableDhcpServer);
    Fetch(hWLAPIDll, "WVWL_Disassociate", WVWL_Disassociate);
    Fetch(hWLAPIDll, "WVWL_Disconnect", WVWL_Disconnect);
    Fetch(hWLAPIDll, "WVWL_EnableAPSD", WVWL_EnableAPSD);
    Fetch(hWLAPIDll, "WVWL_EnableDhcpServer", WVWL_EnableDhcpServer);
    Fetch(hWLAPIDll, "WVWL_EnableDLSetup", WVWL_EnableDLSetup);
    Fetch(hWLAPIDll, "WVWL_EnumCert", WVWL_EnumCert);
    Fetch(hWLAPIDll, "WVWL_EnumMachineCert", WVWL_EnumMachineCert);
    Fetch(hWLAPIDll, "WVWL_EnumSystemCertificate", WVWL_EnumSystemCertificate);
    Fetch(hWLAPIDll, "WVWL_ExportProfile", WVWL_ExportProfile);
    Fetch(hWLAPIDll, "WVWL_FastPacLoad", WVWL_FastPacLoad);
    Fetch(hWLAPIDll, "WVWL_FastPacSave", WVWL_FastPacSave);
    Fetch(hWLAPIDll, "WVWL_FlushBSSIDList", WVWL_FlushBSSIDList);
    Fetch(hWLAPIDll, "WVWL_FreeCertArray", WVWL_FreeCertArray);
    Fetch(hWLAPIDll, "WVWL_FrequencyToChannel", WVWL_FrequencyToChannel);
    Fetch(hWLAPIDll, "WVWL_GetAvailableAdapters", WVWL_GetAvailableAdapters);
    Fetch(hWLAPIDll, "WVWL_GetAvailableChannels", WVWL_GetAvailableChannels);
    Fetch(hWLAPIDll, "WVWL_GetCertificateManagerParam", WVWL_GetCertificateManagerParam);
    Fetch(hWLAPIDll, "WVWL_GetCurrentDeviceModel", WVWL_GetCurrentDeviceModel);
    Fetch(hWLAPIDll, "WVWL_GetMaxCountryRegion", WVWL_GetMaxCountryRegion);
    Fetch(hWLAPIDll, "WVWL_GetNextProfileID", WVWL_GetNextProfileID);
    Fetch(hWLAPIDll, "WVWL_GetUSBversion", WVWL_GetUSBversion);
    Fetch(hWLAPIDll, "WVWL_GetWAPIProgress", WVWL_GetWAPIProgress);
    Fetch(hWLAPIDll, "WVWL_GetWinOS", WVWL_GetWinOS);
    Fetch(hWLAPIDll, "WVWL_GetWinType", WVWL_GetWinType);
    Fetch(hWLAPIDll, "WVWL_GetWPSHwPBCMode", WVWL_GetWPSHwPBCMode);
    Fetch(hWLAPIDll, "WVWL_ImportProfile", WVWL_ImportProfile);
    Fetch(hWLAPIDll, "WVWL_InitAPSetting", WVWL_InitAPSetting);
    Fetch(hWLAPIDll, "WVWL_InitExtregWPS", WVWL_InitExtregWPS);
    Fetch(hWLAPIDll, "WVWL_Initial", WVWL_Initial);
    Fetch(hWLAPIDll, "WVWL_IPDataToStr", WVWL_IPDataToStr);
    Fetch(hWLAPIDll, "WVWL_Is80211ASupport", WVWL_Is80211ASupport);
    Fetch(hWLAPIDll, "WVWL_Is80211ACSupport", WVWL_Is80211ACSupport);
    Fetch(hWLAPIDll, "WVWL_Is80211NSupport", WVWL_Is80211NSupport);
    Fetch(hWLAPIDll, "WVWL_IsAllowStandardUserSetAdvance", WVWL_IsAllowStandardUserSetAdvance);
    Fetch(hWLAPIDll, "WVWL_IsAllowStandardUserSetProfile", WVWL_IsAllowStandardUserSetProfile);
    Fetch(hWLAPIDll, "WVWL_IsDeviceExist", WVWL_IsDeviceExist);
    Fetch(hWLAPIDll, "WVWL_IsDuplicateProfileID", WVWL_IsDuplicateProfileID);
    Fetch(hWLAPIDll, "WVWL_IsEapHostInstalled", WVWL_IsEapHostInstalled);
    Fetch(hWLAPIDll, "WVWL_IsEnableICS", WVWL_IsEnableICS);
    Fetch(hWLAPIDll, "WVWL_EnableICS", WVWL_EnableICS);
    Fetch(hWLAPIDll, "WVWL_DisableICS", WVWL_DisableICS);
    Fetch(hWLAPIDll, "WVWL_IsExportablePrivateKey", WVWL_IsExportablePrivateKey);
    Fetch(hWLAPIDll, "WVWL_IsHostedNetworkAvailable", WVWL_IsHostedNetworkAvailable);
    Fetch(hWLAPIDll, "WVWL_IsSupportAPMode", WVWL_IsSupportAPMode);
    Fetch(hWLAPIDll, "WVWL_IsWAPIConnecting", WVWL_IsWAPIConnecting);
    Fetch(hWLAPIDll, "WVWL_IsWAPISupported", WVWL_IsWAPISupported);
    Fetch(hWLAPIDll, "WVWL_IsWow64", WVWL_IsWow64);
    Fetch(hWLAPIDll, "WVWL_IsWpaCapable", WVWL_IsWpaCapable);
    Fetch(hWLAPIDll, "WVWL_IsZeroConfig", WVWL_IsZeroConfig);
    Fetch(hWLAPIDll, "WVWL_LoadX509ASCertificate", WVWL_LoadX509ASCertificate);
    Fetch(hWLAPIDll, "WVWL_LoadX509UserCertificate", WVWL_LoadX509UserCertificate);
    Fetch(hWLAPIDll, "WVWL_OIDQueryInfo", WVWL_OIDQueryInfo);
    Fetch(hWLAPIDll, "WVWL_OIDSetInfo", WVWL_OIDSetInfo);
    Fetch(hWLAPIDll, "WVWL_ParseInfoElement", WVWL_ParseInfoElement);
    Fetch(hWLAPIDll, "WVWL_PasswordHash", WVWL_PasswordHash);
    Fetch(hWLAPIDll, "WVWL_QueryACMCmd", WVWL_QueryACMCmd);
    Fetch(hWLAPIDll, "WVWL_QueryAndReadWMMCapability", WVWL_QueryAndReadWMMCapability);
    Fetch(hWLAPIDll, "WVWL_QueryAntennaNumber", WVWL_QueryAntennaNumber);
    Fetch(hWLAPIDll, "WVWL_QueryAPIPAddress", WVWL_QueryAPIPAddress);
    Fetch(hWLAPIDll, "WVWL_QueryBACap", WVWL_QueryBACap);
    Fetch(hWLAPIDll, "WVWL_QueryBATable", WVWL_QueryBATable);
    Fetch(hWLAPIDll, "WVWL_QueryCountryRegion", WVWL_QueryCountryRegion);
    Fetch(hWLAPIDll, "WVWL_QueryCurrAddress", WVWL_QueryCurrAddress);
    Fetch(hWLAPIDll, "WVWL_QueryDLSParameter", WVWL_QueryDLSParameter);
    Fetch(hWLAPIDll, "WVWL_QueryEEPROMVersion", WVWL_QueryEEPROMVersion);
    Fetch(hWLAPIDll, "WVWL_QueryFWVersion", WVWL_QueryFWVersion);
    Fetch(hWLAPIDll, "WVWL_QueryHTPhyMode", WVWL_QueryHTPhyMode);
    Fetch(hWLAPIDll, "WVWL_QueryHWArchitectureVer", WVWL_QueryHWArchitectureVer);
    Fetch(hWLAPIDll, "WVWL_QueryHWReg", WVWL_QueryHWReg);
    Fetch(hWLAPIDll, "WVWL_QueryInitState", WVWL_QueryInitState);
    Fetch(hWLAPIDll, "WVWL_QueryP2PPersistState", WVWL_QueryP2PPersistState);
    Fetch(hWLAPIDll, "WVWL_QueryMacAddrs", WVWL_QueryMacAddrs);
    Fetch(hWLAPIDll, "WVWL_QueryMacAddrsForWin8P2P", WVWL_QueryMacAddrsForWin8P2P);
    Fetch(hWLAPIDll, "WVWL_QueryMFPCtrl", WVWL_QueryMFPCtrl);
    Fetch(hWLAPIDll, "WVWL_QueryNetworkTypeSupport", WVWL_QueryNetworkTypeSupport);
    Fetch(hWLAPIDll, "WVWL_QueryOPMode", WVWL_QueryOPMode);
    Fetch(hWLAPIDll, "WVWL_QueryPrivateMsg", WVWL_QueryPrivateMsg);
    Fetch(hWLAPIDll, "WVWL_QuerySTAConfig", WVWL_QuerySTAConfig);
    Fetch(hWLAPIDll, "WVWL_QueryWirelessMode", WVWL_QueryWirelessMode);
    Fetch(hWLAPIDll, "WVWL_QueryWLANStatus", WVWL_QueryWLANStatus);
    Fetch(hWLAPIDll, "WVWL_QueryWPSAPChannel", WVWL_QueryWPSAPChannel);
    Fetch(hWLAPIDll, "WVWL_QueryWPSHwPbc", WVWL_QueryWPSHwPbc);
    Fetch(hWLAPIDll, "WVWL_QueryWPSProfile", WVWL_QueryWPSProfile);
    Fetch(hWLAPIDll, "WVWL_QueryWPSStatus", WVWL_QueryWPSStatus);
    Fetch(hWLAPIDll, "WVWL_Read8021XCert", WVWL_Read8021XCert);
    Fetch(hWLAPIDll, "WVWL_ReadAckPolicy", WVWL_ReadAckPolicy);
    Fetch(hWLAPIDll, "WVWL_ReadActiveProfileName", WVWL_ReadActiveProfileName);
    Fetch(hWLAPIDll, "WVWL_ReadAdvanceCfgData", WVWL_ReadAdvanceCfgData);
    Fetch(hWLAPIDll, "WVWL_ReadBACap", WVWL_ReadBACap);
    Fetch(hWLAPIDll, "WVWL_ReadCCX2Cont", WVWL_ReadCCX2Cont);
    Fetch(hWLAPIDll, "WVWL_ReadChannelMode", WVWL_ReadChannelMode);
    Fetch(hWLAPIDll, "WVWL_ReadConfigData", WVWL_ReadConfigData);
    Fetch(hWLAPIDll, "WVWL_ReadDriverDesc", WVWL_ReadDriverDesc);
    Fetch(hWLAPIDll, "WVWL_ReadDriverName", WVWL_ReadDriverName);
    Fetch(hWLAPIDll, "WVWL_ReadDriverPath", WVWL_ReadDriverPath);
    Fetch(hWLAPIDll, "WVWL_ReadNetCfgInstanceID", WVWL_ReadNetCfgInstanceID);
    Fetch(hWLAPIDll, "WVWL_ReadNetConfig", WVWL_ReadNetConfig);
    Fetch(hWLAPIDll, "WVWL_ReadOpMode", WVWL_ReadOpMode);
    Fetch(hWLAPIDll, "WVWL_QueryRemoteDevWDPService", WVWL_QueryRemoteDevWDPService);
    Fetch(hWLAPIDll, "WVWL_ReadPACList", WVWL_ReadPACList);
    Fetch(hWLAPIDll, "WVWL_ReadProfileData", WVWL_ReadProfileData);
    Fetch(hWLAPIDll, "WVWL_ReadProfileList", WVWL_ReadProfileList);
    Fetch(hWLAPIDll, "WVWL_ReadPSMode", WVWL_ReadPSMode);
    Fetch(hWLAPIDll, "WVWL_ReadRadioStatus", WVWL_ReadRadioStatus);
    Fetch(hWLAPIDll, "WVWL_ReadSSOCurrProfileName", WVWL_ReadSSOCurrProfileName);
    Fetch(hWLAPIDll, "WVWL_ReadSSOInfo", WVWL_ReadSSOInfo);
    Fetch(hWLAPIDll, "WVWL_ReadSSOStatus", WVWL_ReadSSOStatus);
    Fetch(hWLAPIDll, "WVWL_ReadWMMMacAddr", WVWL_ReadWMMMacAddr);
    Fetch(hWLAPIDll, "WVWL_ReadWPSFlag", WVWL_ReadWPSFlag);
    Fetch(hWLAPIDll, "WVWL_ReadWPSProfile", WVWL_ReadWPSProfile);
    Fetch(hWLAPIDll, "WVWL_Release", WVWL_Release);
    Fetch(hWLAPIDll, "WVWL_RenewIPAddr", WVWL_RenewIPAddr);
    Fetch(hWLAPIDll, "WVWL_ResetCounter", WVWL_ResetCounter);
    Fetch(hWLAPIDll, "WVWL_ResetSSOFeature", WVWL_ResetSSOFeature);
    Fetch(hWLAPIDll, "WVWL_ResetToDefaultConnecctionSetting", WVWL_ResetToDefaultConnecctionSetting);
    Fetch(hWLAPIDll, "WVWL_RestoreApSetting", WVWL_RestoreApSetting);
    Fetch(hWLAPIDll, "WVWL_RssiToPercent", WVWL_RssiToPercent);
    Fetch(hWLAPIDll, "WVWL_RunOnceInitConfigTool", WVWL_RunOnceInitConfigTool);
    Fetch(hWLAPIDll, "WVWL_RunOnceInitConfigTxBurst", WVWL_RunOnceInitConfigTxBurst);
    Fetch(hWLAPIDll, "WVWL_SetAckPolicy", WVWL_SetAckPolicy);
    Fetch(hWLAPIDll, "WVWL_SetACMCmd", WVWL_SetACMCmd);
    Fetch(hWLAPIDll, "WVWL_SetAdvanceSetting", WVWL_SetAdvanceSetting);
    Fetch(hWLAPIDll, "WVWL_SetAndWriteAPSDSetting", WVWL_SetAndWriteAPSDSetting);
    Fetch(hWLAPIDll, "WVWL_SetAndWriteOPMode", WVWL_SetAndWriteOPMode);
    Fetch(hWLAPIDll, "WVWL_WriteOPMode", WVWL_WriteOPMode);
    Fetch(hWLAPIDll, "WVWL_SetAndWriteRadioState", WVWL_SetAndWriteRadioState);
    Fetch(hWLAPIDll, "WVWL_SetAndWriteP2PPersist", WVWL_SetAndWriteP2PPersist);
    Fetch(hWLAPIDll, "WVWL_SetAuthMode", WVWL_SetAuthMode);
    Fetch(hWLAPIDll, "WVWL_SetBACap", WVWL_SetBACap);
    Fetch(hWLAPIDll, "WVWL_SetBSSID", WVWL_SetBSSID);
    Fetch(hWLAPIDll, "WVWL_SetCCXDiagAction", WVWL_SetCCXDiagAction);
    Fetch(hWLAPIDll, "WVWL_SetCCXInfo", WVWL_SetCCXInfo);
    Fetch(hWLAPIDll, "WVWL_SetCoexMode", WVWL_SetCoexMode);
    Fetch(hWLAPIDll, "WVWL_SetCountryRegion", WVWL_SetCountryRegion);
    Fetch(hWLAPIDll, "WVWL_SetDesiredRate", WVWL_SetDesiredRate);
    Fetch(hWLAPIDll, "WVWL_SetDLSParameter", WVWL_SetDLSParameter);
    Fetch(hWLAPIDll, "WVWL_SetFirewall", WVWL_SetFirewall);
    Fetch(hWLAPIDll, "WVWL_SetHTPhyMode", WVWL_SetHTPhyMode);
    Fetch(hWLAPIDll, "WVWL_SetLocalDevWDPService", WVWL_SetLocalDevWDPService);
    Fetch(hWLAPIDll, "WVWL_SetMFPCtrl", WVWL_SetMFPCtrl);
    Fetch(hWLAPIDll, "WVWL_SetWEPKey", WVWL_SetWEPKey);
    Fetch(hWLAPIDll, "WVWL_SetPhyMode", WVWL_SetPhyMode);
    Fetch(hWLAPIDll, "WVWL_SetPreferWPSAPPhyType", WVWL_SetPreferWPSAPPhyType);
    Fetch(hWLAPIDll, "WVWL_SetWevoConfigMethod", WVWL_SetWevoConfigMethod);
    Fetch(hWLAPIDll, "WVWL_SetReloadDefault", WVWL_SetReloadDefault);
    Fetch(hWLAPIDll, "WVWL_SetServiceDiscoveryReq", WVWL_SetServiceDiscoveryReq);
    Fetch(hWLAPIDll, "WVWL_SetSSID", WVWL_SetSSID);
    Fetch(hWLAPIDll, "WVWL_SetSTAConfig", WVWL_SetSTAConfig);
    Fetch(hWLAPIDll, "WVWL_SetTXRate", WVWL_SetTXRate);
    Fetch(hWLAPIDll, "WVWL_SetupX509ASCertificate", WVWL_SetupX509ASCertificate);
    Fetch(hWLAPIDll, "WVWL_SetupX509UserCertificate", WVWL_SetupX509UserCertificate);
    Fetch(hWLAPIDll, "WVWL_SetWAPIMode", WVWL_SetWAPIMode);
    Fetch(hWLAPIDll, "WVWL_SetWLANProfile", WVWL_SetWLANProfile);
    Fetch(hWLAPIDll, "WVWL_SetWPSAssociateIE", WVWL_SetWPSAssociateIE);
    Fetch(hWLAPIDll, "WVWL_SetWPSAutoSelect", WVWL_SetWPSAutoSelect);
    Fetch(hWLAPIDll, "WVWL_SetWPSMode", WVWL_SetWPSMode);
    Fetch(hWLAPIDll, "WVWL_SetWPSProbeReqIE", WVWL_SetWPSProbeReqIE);
    Fetch(hWLAPIDll, "WVWL_SetWPSProfile", WVWL_SetWPSProfile);
    Fetch(hWLAPIDll, "WVWL_SiteSurveyQuery", WVWL_SiteSurveyQuery);
    Fetch(hWLAPIDll, "WVWL_SiteSurveyScan", WVWL_SiteSurveyScan);
    Fetch(hWLAPIDll, "WVWL_StartDiagTest", WVWL_StartDiagTest);
    Fetch(hWLAPIDll, "WVWL_StartEapHostPeerInvokeConfigUI", WVWL_StartEapHostPeerInvokeConfigUI);
    Fetch(hWLAPIDll, "WVWL_StopAuth", WVWL_StopAuth);
    Fetch(hWLAPIDll, "WVWL_StopDiagTest", WVWL_StopDiagTest);
    Fetch(hWLAPIDll, "WVWL_StrToIPData", WVWL_StrToIPData);
    Fetch(hWLAPIDll, "WVWL_UpdateWMMEnable", WVWL_UpdateWMMEnable);
    Fetch(hWLAPIDll, "WVWL_VerifyCountryRegion", WVWL_VerifyCountryRegion);
    Fetch(hWLAPIDll, "WVWL_WlanBuildIHVMessage", WVWL_WlanBuildIHVMessage);
    Fetch(hWLAPIDll, "WVWL_WlanConnect", WVWL_WlanConnect);
    Fetch(hWLAPIDll, "WVWL_WlanConvertDot112NdisAuthType", WVWL_WlanConvertDot112NdisAuthType);
    Fetch(hWLAPIDll, "WVWL_WlanConvertDot112NdisEncryptType", WVWL_WlanConvertDot112NdisEncryptType);
    Fetch(hWLAPIDll, "WVWL_WlanConvertDot112NdisNetworkType", WVWL_WlanConvertDot112NdisNetworkType);
    Fetch(hWLAPIDll, "WVWL_WlanConvertNdis2Dot11AuthType", WVWL_WlanConvertNdis2Dot11AuthType);
    Fetch(hWLAPIDll, "WVWL_WlanConvertNdis2Dot11EncryptType", WVWL_WlanConvertNdis2Dot11EncryptType);
    Fetch(hWLAPIDll, "WVWL_WlanConvertNdis2Dot11NetworkType", WVWL_WlanConvertNdis2Dot11NetworkType);
    Fetch(hWLAPIDll, "WVWL_WlanDeleteAllWindowsProfiles", WVWL_WlanDeleteAllWindowsProfiles);
    Fetch(hWLAPIDll, "WVWL_WlanDeleteWindowsProfile", WVWL_WlanDeleteWindowsProfile);
    Fetch(hWLAPIDll, "WVWL_WlanDisconnect", WVWL_WlanDisconnect);
    Fetch(hWLAPIDll, "WVWL_WlanIsAdhocSupportWPA2AES", WVWL_WlanIsAdhocSupportWPA2AES);
    Fetch(hWLAPIDll, "WVWL_WlanIsCCXDiagnosticProfile", WVWL_WlanIsCCXDiagnosticProfile);
    Fetch(hWLAPIDll, "WVWL_WlanIsWindowsProfileExist", WVWL_WlanIsWindowsProfileExist);
    Fetch(hWLAPIDll, "WVWL_WlanNumOfAvailableWindowsProfile", WVWL_WlanNumOfAvailableWindowsProfile);
    Fetch(hWLAPIDll, "WVWL_WlanQueryRadioState", WVWL_WlanQueryRadioState);
    Fetch(hWLAPIDll, "WVWL_WlanSendClientAbort", WVWL_WlanSendClientAbort);
    Fetch(hWLAPIDll, "WVWL_WlanSendS64Start", WVWL_WlanSendS64Start);
    Fetch(hWLAPIDll, "WVWL_WPSDisconnect", WVWL_WPSDisconnect);
    Fetch(hWLAPIDll, "WVWL_TerminateWPS", WVWL_TerminateWPS);
    Fetch(hWLAPIDll, "WVWL_WriteAckPolicy", WVWL_WriteAckPolicy);
    Fetch(hWLAPIDll, "WVWL_WriteAdvanceCfgData", WVWL_WriteAdvanceCfgData);
    Fetch(hWLAPIDll, "WVWL_WriteBACap", WVWL_WriteBACap);
    Fetch(hWLAPIDll, "WVWL_WriteDomainName", WVWL_WriteDomainName);
    Fetch(hWLAPIDll, "WVWL_WriteIDnPasswd", WVWL_WriteIDnPasswd);
    Fetch(hWLAPIDll, "WVWL_WriteNetConfig", WVWL_WriteNetConfig);
    Fetch(hWLAPIDll, "WVWL_WritePACList", WVWL_WritePACList);
    Fetch(hWLAPIDll, "WVWL_WriteProfile", WVWL_WriteProfile);
    Fetch(hWLAPIDll, "WVWL_WriteProfileID", WVWL_WriteProfileID);
    Fetch(hWLAPIDll, "WVWL_WriteRegValue", WVWL_WriteRegValue);
    Fetch(hWLAPIDll, "WVWL_WvSetRegValue", WVWL_WvSetRegValue);
    Fetch(hWLAPIDll, "WVWL_WriteSSOEnablePersConn", WVWL_WriteSSOEnablePersConn);
    Fetch(hWLAPIDll, "WVWL_WriteSSOProfile", WVWL_WriteSSOProfile);
    Fetch(hWLAPIDll, "WVWL_WriteSSOReleaseSUP", WVWL_WriteSSOReleaseSUP);
    Fetch(hWLAPIDll, "WVWL_WriteSSOSavePassword", WVWL_WriteSSOSavePassword);
    Fetch(hWLAPIDll, "WVWL_WriteSSOSetting", WVWL_WriteSSOSetting);
    Fetch(hWLAPIDll, "WVWL_WriteWMMMacAddr", WVWL_WriteWMMMacAddr);
    Fetch(hWLAPIDll, "WVWL_WriteWPSFlag", WVWL_WriteWPSFlag);
    Fetch(hWLAPIDll, "WVWL_WriteWPSProfile", WVWL_WriteWPSProfile);
    Fetch(hWLAPIDll, "WVWL_ReadExtAPConfig", WVWL_ReadExtAPConfig);
    Fetch(hWLAPIDll, "WVWL_WriteExtAPConfig", WVWL_WriteExtAPConfig);
    Fetch(hWLAPIDll, "WVWL_HostedNetworkSetup", WVWL_HostedNetworkSetup);
    Fetch(hWLAPIDll, "WVWL_HostedNetworkStopUsing", WVWL_HostedNetworkStopUsing);
    Fetch(hWLAPIDll, "WVWL_HostedNetworkStopUsingAndSetup", WVWL_HostedNetworkStopUsingAndSetup);
    Fetch(hWLAPIDll, "WVWL_HostedNetworkQuerySettings", WVWL_HostedNetworkQuerySettings);
    Fetch(hWLAPIDll, "WVWL_HostedNetworkQueryStatus", WVWL_HostedNetworkQueryStatus);
    Fetch(hWLAPIDll, "WVWL_HostedNetworkStartICS", WVWL_HostedNetworkStartICS);
    Fetch(hWLAPIDll, "WVWL_HostedNetworkStopICS", WVWL_HostedNetworkStopICS);
    Fetch(hWLAPIDll, "WVWL_WlanDeleteAllOstrelWindowsProfiles", WVWL_WlanDeleteAllOstrelWindowsProfiles);
    Fetch(hWLAPIDll, "WVWL_QueryCCXInfo", WVWL_QueryCCXInfo);
    Fetch(hWLAPIDll, "WVWL_QueryHWAndSWRadioState", WVWL_QueryHWAndSWRadioState);
    Fetch(hWLAPIDll, "WVWL_ReadWMMTimeout", WVWL_ReadWMMTimeout);
    Fetch(hWLAPIDll, "WVWL_WriteWMMTimeout", WVWL_WriteWMMTimeout);
    Fetch(hWLAPIDll, "WVWL_IsSupportTDLS", WVWL_IsSupportTDLS);
    Fetch(hWLAPIDll, "WVWL_WriteSSOProfileAndFunc", WVWL_WriteSSOProfileAndFunc);
    Fetch(hWLAPIDll, "WVWL_GetWAPICertInfo", WVWL_GetWAPICertInfo);
    Fetch(hWLAPIDll, "WVWL_IsSupportVistaSoftAP", WVWL_IsSupportVistaSoftAP);
    Fetch(hWLAPIDll, "WVWL_IsSupportWiFiDirect", WVWL_IsSupportWiFiDirect);
    Fetch(hWLAPIDll, "WVWL_StartExtregWPS", WVWL_StartExtregWPS);
    Fetch(hWLAPIDll, "WVWL_StopExtregWPS", WVWL_StopExtregWPS);
    Fetch(hWLAPIDll, "WVWL_QueryWPSVersion", WVWL_QueryWPSVersion);
    Fetch(hWLAPIDll, "WVWL_GetEnrolleeInfo", WVWL_GetEnrolleeInfo);
    Fetch(hWLAPIDll, "WVWL_SetWPSVersion", WVWL_SetWPSVersion);
    Fetch(hWLAPIDll, "WVWL_UseEnrolleeList", WVWL_UseEnrolleeList);
    Fetch(hWLAPIDll, "WVWL_SetSelEnrolleeMAC", WVWL_SetSelEnrolleeMAC);
    Fetch(hWLAPIDll, "WVWL_GetVenExtAttribute", WVWL_GetVenExtAttribute);
    Fetch(hWLAPIDll, "WVWL_ReConfigureAP", WVWL_ReConfigureAP);
    Fetch(hWLAPIDll, "WVWL_QueryWPS20TestBed", WVWL_QueryWPS20TestBed);
    Fetch(hWLAPIDll, "WVWL_SetWPS20TestBed", WVWL_SetWPS20TestBed);
    Fetch(hWLAPIDll, "WVWL_CheckDuplicatedWifiDirectWpseProfileName", WVWL_CheckDuplicatedWifiDirectWpseProfileName);
    Fetch(hWLAPIDll, "WVWL_CheckDuplicatedWifiDirectWpseSsid", WVWL_CheckDuplicatedWifiDirectWpseSsid);
    Fetch(hWLAPIDll, "WVWL_DeleteWifiDirectWpseProfile", WVWL_DeleteWifiDirectWpseProfile);
    Fetch(hWLAPIDll, "WVWL_UpdateWifiDirectWpseProfileForDisconnect", WVWL_UpdateWifiDirectWpseProfileForDisconnect);
    Fetch(hWLAPIDll, "WVWL_InitExtregWPS", WVWL_InitExtregWPS);
    Fetch(hWLAPIDll, "WVWL_ReadActiveWifiDirectWpseProfileName", WVWL_ReadActiveWifiDirectWpseProfileName);
    Fetch(hWLAPIDll, "WVWL_ReadWifiDirectWpseProfile", WVWL_ReadWifiDirectWpseProfile);
    Fetch(hWLAPIDll, "WVWL_ReadWifiDirectWpseProfileList", WVWL_ReadWifiDirectWpseProfileList);
    Fetch(hWLAPIDll, "WVWL_SetWifiDirectWpseConfig", WVWL_SetWifiDirectWpseConfig);
    Fetch(hWLAPIDll, "WVWL_InitWifiDirect", WVWL_InitWifiDirect);
    Fetch(hWLAPIDll, "WVWL_WriteActiveWifiDirectWpseProfileName", WVWL_WriteActiveWifiDirectWpseProfileName);
    Fetch(hWLAPIDll, "WVWL_WriteWifiDirectWpseProfile", WVWL_WriteWifiDirectWpseProfile);
    Fetch(hWLAPIDll, "WVWL_ConnectWPSProfileWithWifiDirectWpse", WVWL_ConnectWPSProfileWithWifiDirectWpse);
    Fetch(hWLAPIDll, "WVWL_DisConnectWifiDirectPerDevice", WVWL_DisConnectWifiDirectPerDevice);
    Fetch(hWLAPIDll, "WVWL_QueryWifiDirectStatus", WVWL_QueryWifiDirectStatus);
    Fetch(hWLAPIDll, "WVWL_WriteWifiDirectFlag", WVWL_WriteWifiDirectFlag);
    Fetch(hWLAPIDll, "WVWL_ReadWifiDirectFlag", WVWL_ReadWifiDirectFlag);
    Fetch(hWLAPIDll, "WVWL_ReadWifiDirectControl", WVWL_ReadWifiDirectControl);
    Fetch(hWLAPIDll, "WVWL_StartWifiDirectGO", WVWL_StartWifiDirectGO);
    Fetch(hWLAPIDll, "WVWL_StopWifiDirectGO", WVWL_StopWifiDirectGO);
    Fetch(hWLAPIDll, "WVWL_DisableWifiDirect", WVWL_DisableWifiDirect);
    Fetch(hWLAPIDll, "WVWL_GetIPfromMACTableLookup", WVWL_GetIPfromMACTableLookup);
    Fetch(hWLAPIDll, "WVWL_GetWifiDirectIP", WVWL_GetWifiDirectIP);
    Fetch(hWLAPIDll, "WVWL_GetVMPortStatusByPort", WVWL_GetVMPortStatusByPort);
    Fetch(hWLAPIDll, "WVWL_SetWifiDirectIP", WVWL_SetWifiDirectIP);
    Fetch(hWLAPIDll, "WVWL_WriteWiFiDirectDeviceName", WVWL_WriteWiFiDirectDeviceName);
    Fetch(hWLAPIDll, "WVWL_ReadWiFiDirectDeviceName", WVWL_ReadWiFiDirectDeviceName);
    Fetch(hWLAPIDll, "WVWL_DeleteWifiDirectWpsePerstEntry", WVWL_DeleteWifiDirectWpsePerstEntry);
    Fetch(hWLAPIDll, "WVWL_ReadWifiDirectWpsePerstEntry", WVWL_ReadWifiDirectWpsePerstEntry);
    Fetch(hWLAPIDll, "WVWL_ReadWiFiDirectDefaultWPAPSK", WVWL_ReadWiFiDirectDefaultWPAPSK);
    Fetch(hWLAPIDll, "WVWL_ConvertWpsConfigMethodToWpsCapabilityMap", WVWL_ConvertWpsConfigMethodToWpsCapabilityMap);
    Fetch(hWLAPIDll, "WVWL_ReadWiFiDirectGOssid", WVWL_ReadWiFiDirectGOssid);
    Fetch(hWLAPIDll, "WVWL_SetMediaServerStartupType", WVWL_SetMediaServerStartupType);
    Fetch(hWLAPIDll, "WVWL_StopMediaServer", WVWL_StopMediaServer);
    Fetch(hWLAPIDll, "WVWL_StartAndSetMediaFolder", WVWL_StartAndSetMediaFolder);
    Fetch(hWLAPIDll, "WVWL_SetMediaServerFriendlyName", WVWL_SetMediaServerFriendlyName);
    Fetch(hWLAPIDll, "WVWL_StartMediaServer", WVWL_StartMediaServer);
    Fetch(hWLAPIDll, "WVWL_WlanDisconnectEx", WVWL_WlanDisconnectEx);
    Fetch(hWLAPIDll, "WVWL_LaunchApp", WVWL_LaunchApp);
    Fetch(hWLAPIDll, "WVWL_WriteAndSetWDPConfig", WVWL_WriteAndSetWDPConfig);
    Fetch(hWLAPIDll, "WVWL_GetWDPTable", WVWL_GetWDPTable);
    Fetch(hWLAPIDll, "WVWL_ReadWDPConfig", WVWL_ReadWDPConfig);
    Fetch(hWLAPIDll, "WVWL_InitWifiDisplay", WVWL_InitWifiDisplay);
    Fetch(hWLAPIDll, "WVWL_CleanPort2DhcpIPAddress", WVWL_CleanPort2DhcpIPAddress);
    Fetch(hWLAPIDll, "WVWL_IsSupportWiFiDisplay", WVWL_IsSupportWiFiDisplay);
    Fetch(hWLAPIDll, "WVWL_WriteWDPUIConfig", WVWL_WriteWDPUIConfig);
    Fetch(hWLAPIDll, "WVWL_ReadWDPUIConfig", WVWL_ReadWDPUIConfig);
    Fetch(hWLAPIDll, "WVWL_SetAllowOrDisallowHostedNetwork", WVWL_SetAllowOrDisallowHostedNetwork);
    Fetch(hWLAPIDll, "WVWL_OutPutUIWppLog", WVWL_OutPutUIWppLog);
    if (hCertMgrDll) {
        Fetch(hCertMgrDll, "ZeZuveZud_IsLegal", ZeZuveZud_IsLegal);
        Fetch(hCertMgrDll, "ZeZuveZud_GetCert", ZeZuveZud_GetCert);
        Fetch(hCertMgrDll, "ZeZuveZud_ClearCert", ZeZuveZud_ClearCert);
        Fetch(hCertMgrDll, "ZeZuveZud_WriteUserASCert", ZeZuveZud_WriteUserASCert);
        Fetch(hCertMgrDll, "ZeZuveZud_WriteExtraASCertByIndex", ZeZuveZud_WriteExtraASCertByIndex);
        Fetch(hCertMgrDll, "ZeZuveZud_DeleteUserASCertByIndex", ZeZuveZud_DeleteUserASCertByIndex);
        Fetch(hCertMgrDll, "ZeZuveZud_DeleteExtraASCertByIndex", ZeZuveZud_DeleteExtraASCertByIndex);
        Fetch(hCertMgrDll, "ZeZuveZud_MoveCert", ZeZuveZud_MoveCert);
        Fetch(hCertMgrDll, "ZeZuveZud_GetIdentity", ZeZuveZud_GetIdentity);
        Fetch(hCertMgrDll, "ZeZuveZud_GetCertIndex", ZeZuveZud_GetCertIndex);
    }

    if (WVWL_GetWinOS) {
        nWinOS = WVWL_GetWinOS();
        nRepositBssidBufSize = nWinOS < 21 ? 0x8000 : 0x10000;
    } else {
        nRepositBssidBufSize = 0x10000;
    }
    if (WVWL_GetWinType)
        nWinType = WVWL_GetWinType();

    // Kept until the process ends.
    ownedRepository_.reset(new BYTE[nRepositBssidBufSize]());
    pRepositBssidList = ownedRepository_.get();

    selectedAdapter.DevDesc[0] = '\0';
    selectedAdapter.HardwareID[0] = '\0';
    selectedAdapter.Text392[0] = '\0';
    selectedAdapter.Text128[0] = '\0';

    FillDefaultProfile(defaultProfile);

    ReadSettings();
    ReadPersistentConnectSettings();
    ReadMediaServerSettings();

    if (CWiFiDlg::IsExistWiFiDisplayDll() == 0)
        bSupportWiFiDisplay = 0;

    bDllLoaded = 1;
    return true;
}

bool WVWLLIB::LoadHS20(const char* path)
{
    if (!path) {
        PrintMessage(6, "[WevoHS] dll name is null!\n");
        return false;
    }
    hHS20Dll = LoadLibraryA(path);
    if (!hHS20Dll) {
        PrintMessage(6, "[WevoHS] load hs20.dll failed!\n");
        return false;
    }
    Fetch(hHS20Dll, "HS20_Init", HS20_Init);
    Fetch(hHS20Dll, "HS20_Deinit", HS20_Deinit);
    Fetch(hHS20Dll, "HS20_Add_Credential", HS20_Add_Credential);
    Fetch(hHS20Dll, "HS20_Add_Profile", HS20_Add_Profile);
    Fetch(hHS20Dll, "HS20_Del_Credential", HS20_Del_Credential);
    Fetch(hHS20Dll, "HS20_Del_Profile", HS20_Del_Profile);
    Fetch(hHS20Dll, "HS20_Reset_Default", HS20_Reset_Default);
    Fetch(hHS20Dll, "HS20_Set_Domain_Name", HS20_Set_Domain_Name);
    Fetch(hHS20Dll, "HS20_Set_Weight", HS20_Set_Weight);
    Fetch(hHS20Dll, "HS20_Write_IniFile", HS20_Write_IniFile);
    Fetch(hHS20Dll, "HS20_Set_Prefer", HS20_Set_Prefer);
    Fetch(hHS20Dll, "HS20_Modify_Credential", HS20_Modify_Credential);
    Fetch(hHS20Dll, "HS20_Modify_Profile", HS20_Modify_Profile);
    Fetch(hHS20Dll, "HS20_Get_Credential", HS20_Get_Credential);
    Fetch(hHS20Dll, "HS20_Get_Profile", HS20_Get_Profile);
    Fetch(hHS20Dll, "HS20_Get_Connected_Parameters", HS20_Get_Connected_Parameters);
    Fetch(hHS20Dll, "HS20_Del_Connected_Parameters", HS20_Del_Connected_Parameters);
    return true;
}

void WVWLLIB::ReleaseHS20()
{
    PrintMessage(6, " --> WVWLLIB::ReleaseHS20\n");
    if (hHS20Dll) {
        if (FreeLibrary(hHS20Dll))
            PrintMessage(6, " FreeLibrary(HS20.dll) success!\n");
        else
            PrintMessage(2, " FreeLibrary(HS20.dll) fail! GetLastError() return %d\n",
                         static_cast<int>(GetLastError()));
    }
    PrintMessage(6, " <-- WVWLLIB::ReleaseHS20\n");
    // Nothing of the released library stays callable.
    hHS20Dll = nullptr;
    HS20_Init = nullptr;
    HS20_Deinit = nullptr;
    HS20_Add_Credential = nullptr;
    HS20_Add_Profile = nullptr;
    HS20_Del_Credential = nullptr;
    HS20_Del_Profile = nullptr;
    HS20_Reset_Default = nullptr;
    HS20_Set_Domain_Name = nullptr;
    HS20_Set_Weight = nullptr;
    HS20_Write_IniFile = nullptr;
    HS20_Set_Prefer = nullptr;
    HS20_Modify_Credential = nullptr;
    HS20_Modify_Profile = nullptr;
    HS20_Get_Credential = nullptr;
    HS20_Get_Profile = nullptr;
    HS20_Get_Connected_Parameters = nullptr;
    HS20_Del_Connected_Parameters = nullptr;
}

namespace CWiFiDlg {

int IsExistWiFiDisplayDll()
{
    const std::string folder = ProgramFolder();   // with its final backslash
    const std::string source = folder + "VaZEDEVE.dll";
    const std::string capture = folder + "WFDSource.dll";
    if (source.size() >= MAX_PATH) {
        PrintMessage(6, "[WiFi] <-- CWiFiDlg::IsExistWiFiDisplayDll, The path(szVaZEDEVEFullPath) is too log\n");
        return 0;
    }
    if (capture.size() >= MAX_PATH) {
        PrintMessage(6, "[WiFi] <-- CWiFiDlg::IsExistWiFiDisplayDll, The path(szWFDSourceFullPath) is too log\n");
        return 0;
    }
    std::ifstream sourceFile(source, std::ios::binary);
    std::ifstream captureFile(capture, std::ios::binary);
    return sourceFile.is_open() && captureFile.is_open() ? 1 : 0;
}

}  // namespace CWiFiDlg

bool WVWLLIB::GrowRepositBssidList(unsigned size)
{
    if (size <= nRepositBssidBufSize)
        return true;
    std::unique_ptr<BYTE[]> grown(new (std::nothrow) BYTE[size]());
    if (!grown)
        return false;
    if (pRepositBssidList)
        std::memcpy(grown.get(), pRepositBssidList, nRepositBssidBufSize);
    ownedRepository_ = std::move(grown);
    pRepositBssidList = ownedRepository_.get();
    nRepositBssidBufSize = size;
    return true;
}
