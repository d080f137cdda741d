#pragma once
// Binary records exchanged with the adapter library, the certificate library and the
// Hotspot 2.0 library. Every size and offset here is fixed by those libraries; the
// static_asserts below hold them in place. Little-endian, 32-bit process.

#include <windows.h>
#include <ntddndis.h> // the published 802.11 NDIS layouts (SSID, BSSID list, statistics)
#include <cstddef>
#include <cstdint>

// ---------------------------------------------------------------------------------------------
// Published NDIS layouts the program relies on (taken from the platform header, checked here).

static_assert(sizeof(NDIS_802_11_SSID) == 36);
static_assert(offsetof(NDIS_802_11_SSID, Ssid) == 4);

static_assert(offsetof(NDIS_WLAN_BSSID_EX, Length) == 0);
static_assert(offsetof(NDIS_WLAN_BSSID_EX, MacAddress) == 4);
static_assert(offsetof(NDIS_WLAN_BSSID_EX, Ssid) == 12);
static_assert(offsetof(NDIS_WLAN_BSSID_EX, Privacy) == 48);
static_assert(offsetof(NDIS_WLAN_BSSID_EX, Rssi) == 52);
static_assert(offsetof(NDIS_WLAN_BSSID_EX, NetworkTypeInUse) == 56);
static_assert(offsetof(NDIS_WLAN_BSSID_EX, Configuration) == 60);
static_assert(offsetof(NDIS_WLAN_BSSID_EX, Configuration) + offsetof(NDIS_802_11_CONFIGURATION, DSConfig) == 72);
static_assert(offsetof(NDIS_WLAN_BSSID_EX, InfrastructureMode) == 92);
static_assert(offsetof(NDIS_WLAN_BSSID_EX, SupportedRates) == 96);
static_assert(sizeof(NDIS_WLAN_BSSID_EX::SupportedRates) == 16);
static_assert(offsetof(NDIS_WLAN_BSSID_EX, IELength) == 112);
static_assert(offsetof(NDIS_WLAN_BSSID_EX, IEs) == 116);
static_assert(offsetof(NDIS_802_11_BSSID_LIST_EX, NumberOfItems) == 0);
static_assert(offsetof(NDIS_802_11_BSSID_LIST_EX, Bssid) == 4);
static_assert(sizeof(NDIS_802_11_FIXED_IEs) == 12);
static_assert(offsetof(NDIS_802_11_VARIABLE_IEs, Length) == 1);
static_assert(offsetof(NDIS_802_11_VARIABLE_IEs, data) == 2);
static_assert(sizeof(NDIS_802_11_STATISTICS) == 200);

// Bytes of a network-list item before its information elements.
constexpr uint32_t BSSID_EX_FIXED_SIZE = 116;
// Sizes of the network-list buffers (site survey and repository).
constexpr uint32_t BSSID_LIST_SIZE_SMALL = 0x8000;
constexpr uint32_t BSSID_LIST_SIZE_LARGE = 0x10000;
// The buffers grow when the library answers that they are too small, up to this bound
// (room for more than 4096 networks with their information elements).
constexpr uint32_t BSSID_LIST_SIZE_MAX = 0x400000;
// Time stamps of the repository: one per network it can hold.
constexpr int REPOSIT_BSSID_TIME_COUNT = 8192;

// ---------------------------------------------------------------------------------------------
// Adapter record (GetAvailableAdapters, AdapterSelect, IsDeviceExist, ReadDriverPath, DevEnable).
struct WLAN_ADAPTER {
    char DevDesc[64];
    char HardwareID[64];
    char Text128[264];      // only emptied by the program
    char Text392[384];      // only emptied by the program
    char LocationInfo[256];
    char Manufactory[256];
    uint32_t nAdapterKind;
    uint8_t Reserved[8];
};
static_assert(sizeof(WLAN_ADAPTER) == 1300);
static_assert(offsetof(WLAN_ADAPTER, HardwareID) == 64);
static_assert(offsetof(WLAN_ADAPTER, Text128) == 128);
static_assert(offsetof(WLAN_ADAPTER, Text392) == 392);
static_assert(offsetof(WLAN_ADAPTER, LocationInfo) == 776);
static_assert(offsetof(WLAN_ADAPTER, Manufactory) == 1032);
static_assert(offsetof(WLAN_ADAPTER, nAdapterKind) == 1288);

// ---------------------------------------------------------------------------------------------
// Profile record and its sub-records.
struct KV_802_11_TX_RATES {
    uint8_t SupRateLen;
    uint8_t SupRate[27];
};
static_assert(sizeof(KV_802_11_TX_RATES) == 28);

struct KV_802_11_STA_CONFIG {
    uint32_t EnableTxBurst;
    uint32_t EnableTurboRate;
    uint32_t UseBGProtection;
    uint32_t UseShortSlotTime;
    uint32_t AdhocMode;
    uint32_t HwRadioStatus;
    uint32_t Reserved;
    uint32_t SystemErrorBitmap;
};
static_assert(sizeof(KV_802_11_STA_CONFIG) == 32);
static_assert(offsetof(KV_802_11_STA_CONFIG, AdhocMode) == 16);
static_assert(offsetof(KV_802_11_STA_CONFIG, HwRadioStatus) == 20);
static_assert(offsetof(KV_802_11_STA_CONFIG, SystemErrorBitmap) == 28);

struct KV_BLOB_KEY {
    uint32_t BlobLength; // 0..152
    uint8_t BlobData[152];
};
static_assert(sizeof(KV_BLOB_KEY) == 156);

// WAPI certificate identity: one length byte, then up to 256 bytes.
struct WAPI_IDENTITY {
    uint8_t Length;
    uint8_t Data[256];
};
static_assert(sizeof(WAPI_IDENTITY) == 257);

// CCX2_CONTROL bits the program touches (the word is little-endian).
constexpr uint32_t CCX2_ROTATE_PROFILE = 0x00000080; // bit 7 of byte 0
constexpr uint32_t CCX2_MFP = 0x04000000;            // bit 2 of byte 3

// PROF_SSO bits (low byte used).
constexpr uint32_t PROF_SSO_USE_SSO = 0x01;
constexpr uint32_t PROF_SSO_ALLOW_MACHINE = 0x02;
constexpr uint32_t PROF_SSO_LOGON = 0x04;
constexpr uint32_t PROF_SSO_PERSISTENT_CONNECTION = 0x08;
constexpr uint32_t PROF_SSO_ID_PWD_SOURCE_MASK = 0x30;
constexpr int PROF_SSO_ID_PWD_SOURCE_SHIFT = 4;

struct WLANPROFILE {
    uint32_t bBssid;
    NDIS_802_11_SSID SSID;
    uint8_t BSSID[6];
    uint8_t Pad46[2];
    uint32_t enumNetworkType;
    uint32_t enumPreamType;
    int32_t lRtsThre;
    int32_t lFragThre;
    uint32_t enumAuthenMode;
    uint32_t enumEncryStatus;
    uint32_t lTxPower;
    char WEPKey1[64];
    uint32_t WEPKey1Type;
    char WEPKey2[64];
    uint32_t WEPKey2Type;
    char WEPKey3[64];
    uint32_t WEPKey3Type;
    char WEPKey4[64];
    uint32_t WEPKey4Type;
    uint32_t wepDefaultKey;
    uint32_t enumPSMode;
    uint32_t bACCam;
    int32_t lFreq;
    uint32_t bDisassociate;
    uint32_t bUseDiagnostic;
    uint32_t Reserved372;
    uint32_t bSetAdvance;
    uint32_t bSetOidFromProfilePageSetting;
    uint8_t aryRates[8];
    KV_802_11_TX_RATES arySupDesRates;
    KV_802_11_STA_CONFIG configSta;
    uint32_t ccx2Ctrl; // CCX2_CONTROL
    uint32_t nCountryRegion;
    uint32_t b8021X;
    uint32_t enumAuthenProtocol;
    uint32_t enumTunnel;
    uint32_t enumProvisioningTunnel;
    uint32_t nSessionResumption;
    uint32_t bClientCert;
    uint32_t bClientCertInSmartCard;
    uint32_t bServerCert;
    uint32_t bPAC;
    uint32_t bProvision;
    char chPACfilepath[256];
    uint32_t bIntermediateCert;
    uint32_t nServerNameRule;
    char chID[128];
    char chPassword[128];
    char chServerName[128];
    char chDomainName[128];
    char chPskKey[64];
    uint32_t nIDModeIndex;
    uint32_t nPskKeyLen;
    uint32_t nPskKeyType;
    uint32_t nPasswordMode;
    KV_BLOB_KEY CA_cert;
    KV_BLOB_KEY user_cert;
    uint8_t pEapFastConfigBlob[3000];
    uint32_t dwLenEapFastConfigBlob;
    uint32_t ssoInfo; // PROF_SSO
    char chUserCertPath[256];
    char chASCertPath[256];
    char chPin[128];
    uint32_t bIsWPS;
    uint32_t bUseFragThre;
    uint32_t bUseRTSThre;
    char strProfileName[128];
    int32_t nProfileID;
    uint32_t bCacheUserInfo;
    uint32_t nWapiCertMode;
    WAPI_IDENTITY WapiUserIdentity;
    WAPI_IDENTITY WapiASIdentity;
    uint8_t Pad5982[2];
};
static_assert(sizeof(WLANPROFILE) == 5984);
static_assert(offsetof(WLANPROFILE, bBssid) == 0);
static_assert(offsetof(WLANPROFILE, SSID) == 4);
static_assert(offsetof(WLANPROFILE, BSSID) == 40);
static_assert(offsetof(WLANPROFILE, enumNetworkType) == 48);
static_assert(offsetof(WLANPROFILE, enumPreamType) == 52);
static_assert(offsetof(WLANPROFILE, lRtsThre) == 56);
static_assert(offsetof(WLANPROFILE, lFragThre) == 60);
static_assert(offsetof(WLANPROFILE, enumAuthenMode) == 64);
static_assert(offsetof(WLANPROFILE, enumEncryStatus) == 68);
static_assert(offsetof(WLANPROFILE, lTxPower) == 72);
static_assert(offsetof(WLANPROFILE, WEPKey1) == 76);
static_assert(offsetof(WLANPROFILE, WEPKey1Type) == 140);
static_assert(offsetof(WLANPROFILE, WEPKey2) == 144);
static_assert(offsetof(WLANPROFILE, WEPKey2Type) == 208);
static_assert(offsetof(WLANPROFILE, WEPKey3) == 212);
static_assert(offsetof(WLANPROFILE, WEPKey3Type) == 276);
static_assert(offsetof(WLANPROFILE, WEPKey4) == 280);
static_assert(offsetof(WLANPROFILE, WEPKey4Type) == 344);
static_assert(offsetof(WLANPROFILE, wepDefaultKey) == 348);
static_assert(offsetof(WLANPROFILE, enumPSMode) == 352);
static_assert(offsetof(WLANPROFILE, bACCam) == 356);
static_assert(offsetof(WLANPROFILE, lFreq) == 360);
static_assert(offsetof(WLANPROFILE, bDisassociate) == 364);
static_assert(offsetof(WLANPROFILE, bUseDiagnostic) == 368);
static_assert(offsetof(WLANPROFILE, bSetAdvance) == 376);
static_assert(offsetof(WLANPROFILE, bSetOidFromProfilePageSetting) == 380);
static_assert(offsetof(WLANPROFILE, aryRates) == 384);
static_assert(offsetof(WLANPROFILE, arySupDesRates) == 392);
static_assert(offsetof(WLANPROFILE, configSta) == 420);
static_assert(offsetof(WLANPROFILE, ccx2Ctrl) == 452);
static_assert(offsetof(WLANPROFILE, nCountryRegion) == 456);
static_assert(offsetof(WLANPROFILE, b8021X) == 460);
static_assert(offsetof(WLANPROFILE, enumAuthenProtocol) == 464);
static_assert(offsetof(WLANPROFILE, enumTunnel) == 468);
static_assert(offsetof(WLANPROFILE, enumProvisioningTunnel) == 472);
static_assert(offsetof(WLANPROFILE, nSessionResumption) == 476);
static_assert(offsetof(WLANPROFILE, bClientCert) == 480);
static_assert(offsetof(WLANPROFILE, bClientCertInSmartCard) == 484);
static_assert(offsetof(WLANPROFILE, bServerCert) == 488);
static_assert(offsetof(WLANPROFILE, bPAC) == 492);
static_assert(offsetof(WLANPROFILE, bProvision) == 496);
static_assert(offsetof(WLANPROFILE, chPACfilepath) == 500);
static_assert(offsetof(WLANPROFILE, bIntermediateCert) == 756);
static_assert(offsetof(WLANPROFILE, nServerNameRule) == 760);
static_assert(offsetof(WLANPROFILE, chID) == 764);
static_assert(offsetof(WLANPROFILE, chPassword) == 892);
static_assert(offsetof(WLANPROFILE, chServerName) == 1020);
static_assert(offsetof(WLANPROFILE, chDomainName) == 1148);
static_assert(offsetof(WLANPROFILE, chPskKey) == 1276);
static_assert(offsetof(WLANPROFILE, nIDModeIndex) == 1340);
static_assert(offsetof(WLANPROFILE, nPskKeyLen) == 1344);
static_assert(offsetof(WLANPROFILE, nPskKeyType) == 1348);
static_assert(offsetof(WLANPROFILE, nPasswordMode) == 1352);
static_assert(offsetof(WLANPROFILE, CA_cert) == 1356);
static_assert(offsetof(WLANPROFILE, user_cert) == 1512);
static_assert(offsetof(WLANPROFILE, pEapFastConfigBlob) == 1668);
static_assert(offsetof(WLANPROFILE, dwLenEapFastConfigBlob) == 4668);
static_assert(offsetof(WLANPROFILE, ssoInfo) == 4672);
static_assert(offsetof(WLANPROFILE, chUserCertPath) == 4676);
static_assert(offsetof(WLANPROFILE, chASCertPath) == 4932);
static_assert(offsetof(WLANPROFILE, chPin) == 5188);
static_assert(offsetof(WLANPROFILE, bIsWPS) == 5316);
static_assert(offsetof(WLANPROFILE, bUseFragThre) == 5320);
static_assert(offsetof(WLANPROFILE, bUseRTSThre) == 5324);
static_assert(offsetof(WLANPROFILE, strProfileName) == 5328);
static_assert(offsetof(WLANPROFILE, nProfileID) == 5456);
static_assert(offsetof(WLANPROFILE, bCacheUserInfo) == 5460);
static_assert(offsetof(WLANPROFILE, nWapiCertMode) == 5464);
static_assert(offsetof(WLANPROFILE, WapiUserIdentity) == 5468);
static_assert(offsetof(WLANPROFILE, WapiASIdentity) == 5725);
static_assert(offsetof(WLANPROFILE, Pad5982) == 5982);

// ---------------------------------------------------------------------------------------------
// WPS records.

// What a WPS run is to do. Two encodings: the start record of WVWL_SetWPSMode and the stored
// record of WVWL_WriteWPSProfile / WVWL_ReadWPSProfile (values below).
struct WPS_MODE {
    uint32_t WpsMode;
    uint8_t PIN[8];           // ASCII digits, not terminated
    NDIS_802_11_SSID WpsSSID;
    uint8_t Bssid[6];
    uint8_t Channel;
    uint8_t ConfigMode;
};
static_assert(sizeof(WPS_MODE) == 56);
static_assert(offsetof(WPS_MODE, WpsMode) == 0);
static_assert(offsetof(WPS_MODE, PIN) == 4);
static_assert(offsetof(WPS_MODE, WpsSSID) == 12);
static_assert(offsetof(WPS_MODE, Bssid) == 48);
static_assert(offsetof(WPS_MODE, Channel) == 54);
static_assert(offsetof(WPS_MODE, ConfigMode) == 55);

// WpsMode and ConfigMode of the start record.
constexpr uint32_t WPS_START_MODE_PIN = 0x10000000;
constexpr uint32_t WPS_START_MODE_PBC = 0x20000000;
constexpr uint8_t WPS_START_CONFIG_ENROLLEE = 1;
constexpr uint8_t WPS_START_CONFIG_REGISTRAR = 2;
constexpr uint8_t WPS_START_CONFIG_EXTREG_STA = 3;
// WpsMode and ConfigMode of the stored record.
constexpr uint32_t WPS_STORED_MODE_PIN = 1;
constexpr uint32_t WPS_STORED_MODE_PBC = 2;
constexpr uint8_t WPS_STORED_CONFIG_ENROLLEE = 0;
constexpr uint8_t WPS_STORED_CONFIG_REGISTRAR = 1;
constexpr uint8_t WPS_STORED_CONFIG_EXTREG = 2;

// One network delivered, or to be delivered, by WPS.
struct WPS_CREDENTIAL {
    NDIS_802_11_SSID SSID;
    uint32_t AuthType;   // WPS_AUTH_*
    uint32_t EncrType;   // WPS_ENCR_*
    uint32_t KeyIndex;   // WEP key index 1 to 4
    uint32_t KeyLength;  // valid bytes of Key
    uint8_t Key[64];     // passphrase, 64 hex digits, or a WEP key, as text
    uint8_t MacAddr[6];
    uint8_t Pad122[2];
};
static_assert(sizeof(WPS_CREDENTIAL) == 124);
static_assert(offsetof(WPS_CREDENTIAL, SSID) == 0);
static_assert(offsetof(WPS_CREDENTIAL, AuthType) == 36);
static_assert(offsetof(WPS_CREDENTIAL, EncrType) == 40);
static_assert(offsetof(WPS_CREDENTIAL, KeyIndex) == 44);
static_assert(offsetof(WPS_CREDENTIAL, KeyLength) == 48);
static_assert(offsetof(WPS_CREDENTIAL, Key) == 52);
static_assert(offsetof(WPS_CREDENTIAL, MacAddr) == 116);
static_assert(offsetof(WPS_CREDENTIAL, Pad122) == 122);

// AuthType and EncrType: the bit values of the Wi-Fi Simple Configuration attributes.
constexpr uint32_t WPS_AUTH_OPEN = 1;
constexpr uint32_t WPS_AUTH_WPAPSK = 2;
constexpr uint32_t WPS_AUTH_SHARED = 4;
constexpr uint32_t WPS_AUTH_WPA = 8;
constexpr uint32_t WPS_AUTH_WPA2 = 16;
constexpr uint32_t WPS_AUTH_WPA2PSK = 32;
constexpr uint32_t WPS_AUTH_WPAPSK_WPA2PSK = 34;
constexpr uint32_t WPS_ENCR_NONE = 1;
constexpr uint32_t WPS_ENCR_WEP = 2;
constexpr uint32_t WPS_ENCR_TKIP = 4;
constexpr uint32_t WPS_ENCR_AES = 8;
constexpr uint32_t WPS_ENCR_TKIP_AES = 12;

constexpr int WPS_MAX_CREDENTIALS = 8;
struct WPS_PROFILE {
    uint32_t ProfileCnt;  // valid credentials, 0 to 8; the rest zero when the program builds it
    WPS_CREDENTIAL Profile[WPS_MAX_CREDENTIALS];
};
static_assert(sizeof(WPS_PROFILE) == 996);
static_assert(offsetof(WPS_PROFILE, ProfileCnt) == 0);
static_assert(offsetof(WPS_PROFILE, Profile) == 4);

// The WPS status word of WVWL_QueryWPSStatus: bit 28 marks a PIN run, the rest is the code.
constexpr uint32_t WPS_STATUS_PIN_BIT = 0x10000000;
constexpr uint32_t WPS_STATUS_CODE_MASK = 0x0FFFFFFF;

// One enrollee seen by the external registrar (WVWL_GetEnrolleeInfo).
struct WSC_EXTREG_ENR_INFO {
    uint8_t EnrolleeMac[6];
    uint16_t DevicePasswordId;  // WSC_DEVICE_PASSWORD_ID_*
    char ModelName[256];        // zero-terminated; empty when unknown
};
static_assert(sizeof(WSC_EXTREG_ENR_INFO) == 264);
static_assert(offsetof(WSC_EXTREG_ENR_INFO, EnrolleeMac) == 0);
static_assert(offsetof(WSC_EXTREG_ENR_INFO, DevicePasswordId) == 6);
static_assert(offsetof(WSC_EXTREG_ENR_INFO, ModelName) == 8);

constexpr uint16_t WSC_DEVICE_PASSWORD_ID_PIN = 0x0000;
constexpr uint16_t WSC_DEVICE_PASSWORD_ID_PBC = 0x0004;
constexpr uint16_t WSC_DEVICE_PASSWORD_ID_UNKNOWN = 0xFFFF;

// Vendor extension of the access point (WVWL_GetVenExtAttribute); only uchVersion2 is read.
struct VenExtAttribute {
    uint8_t Reserved0[8];
    uint8_t uchVersion2;  // the access point's WPS version-2 attribute, 0 when none
    uint8_t Reserved9[3];
};
static_assert(sizeof(VenExtAttribute) == 12);
static_assert(offsetof(VenExtAttribute, uchVersion2) == 8);

// WPS versions (WVWL_QueryWPSVersion, WVWL_SetWPSVersion); the test-bed dialog takes 0x57 as 1.0.
constexpr uint32_t WPS_VERSION_1 = 0x10;
constexpr uint32_t WPS_VERSION_2 = 0x20;
constexpr uint32_t WPS_VERSION_TESTBED_1 = 0x57;

// ---------------------------------------------------------------------------------------------
// Information elements of one network as the library parses them.
struct IE_80211N_INFO {
    uint32_t b80211n;
    uint8_t Other[232];
};
struct IE_80211AC_INFO {
    uint32_t b80211ac;
    uint8_t Other[4];
};
struct IE_INFO {
    uint32_t nAuthBits;   // IE_AUTH_*
    uint32_t nCipherBits; // IE_CIPHER_*
    uint32_t bCCKM;
    uint8_t Reserved12[8];
    uint32_t bWpsIE;
    uint8_t Reserved24[8];
    char strDevPwdId[16];    // "ID : 0x0004" for push button, "Unknown" when none
    char strConfigState[40]; // "Configured" when the access point is configured
    char strUuidE[36];       // empty when absent
    char strSetupLock[24];   // "TRUE" when the access point's setup is locked
    IE_80211N_INFO ie80211N;
    IE_80211AC_INFO ie80211AC;
};
static_assert(sizeof(IE_INFO) == 392);
static_assert(offsetof(IE_INFO, nCipherBits) == 4);
static_assert(offsetof(IE_INFO, bCCKM) == 8);
static_assert(offsetof(IE_INFO, bWpsIE) == 20);
static_assert(offsetof(IE_INFO, strDevPwdId) == 32);
static_assert(offsetof(IE_INFO, strConfigState) == 48);
static_assert(offsetof(IE_INFO, strUuidE) == 88);
static_assert(offsetof(IE_INFO, strSetupLock) == 124);
static_assert(offsetof(IE_INFO, ie80211N) == 148);
static_assert(offsetof(IE_INFO, ie80211AC) == 384);

constexpr uint32_t IE_AUTH_WPA = 1;
constexpr uint32_t IE_AUTH_WPA_PSK = 2;
constexpr uint32_t IE_AUTH_WPA_NONE = 4;
constexpr uint32_t IE_AUTH_WPA2 = 8;
constexpr uint32_t IE_AUTH_WPA2_PSK = 16;
constexpr uint32_t IE_AUTH_WPA2_NONE = 32;
constexpr uint32_t IE_AUTH_WAPI_PSK = 64;
constexpr uint32_t IE_AUTH_WAPI_CERT = 128;
constexpr uint32_t IE_CIPHER_WEP = 1;
constexpr uint32_t IE_CIPHER_TKIP = 2;
constexpr uint32_t IE_CIPHER_AES = 4;
constexpr uint32_t IE_CIPHER_SMS4 = 8;

// ---------------------------------------------------------------------------------------------
// Link status record and its query flags.
struct WLAN_CHAIN {
    int32_t rssi; // -200: chain absent
    uint32_t quality;
    uint32_t chainFlag;
};
static_assert(sizeof(WLAN_CHAIN) == 12);

struct WLAN_STATUS {
    uint32_t status;
    uint32_t linkStatusCode;
    NDIS_802_11_SSID ssid;
    uint8_t bssid[6];
    uint8_t Reserved50[2];
    uint32_t networkType;
    WLAN_CHAIN chain[3]; // chain[2].chainFlag is not read
    uint8_t Reserved92[24];
    uint32_t dsFrequency;
    uint8_t Reserved120[16];
    uint32_t authenticationMode;
    uint32_t encryptionStatus;
    uint8_t Reserved144[4];
    uint32_t linkQuality;
    uint32_t TxByteCount;
    uint32_t RxByteCount;
    int32_t centralChannel;
    uint8_t Reserved164[4];
    double txRate;
    double rxRate;
    uint8_t Reserved184[16];
    uint32_t txPower;
    uint16_t HTSetting;
    uint8_t Reserved206[2];
    NDIS_802_11_STATISTICS statistics;
    uint64_t rxOkCount64;
    uint32_t rxOkCount;
    uint32_t rxDropCount;
    uint8_t Reserved424[4];
    uint8_t ipAddress[4];
    uint8_t ipMask[4];
    uint8_t Reserved436[20];
    uint32_t ConnectMode;
    char profileName[84];
};
static_assert(sizeof(WLAN_STATUS) == 544);
static_assert(offsetof(WLAN_STATUS, linkStatusCode) == 4);
static_assert(offsetof(WLAN_STATUS, ssid) == 8);
static_assert(offsetof(WLAN_STATUS, bssid) == 44);
static_assert(offsetof(WLAN_STATUS, networkType) == 52);
static_assert(offsetof(WLAN_STATUS, chain) == 56);
static_assert(offsetof(WLAN_STATUS, chain) + sizeof(WLAN_CHAIN) + offsetof(WLAN_CHAIN, chainFlag) == 76);
static_assert(offsetof(WLAN_STATUS, chain) + 2 * sizeof(WLAN_CHAIN) + offsetof(WLAN_CHAIN, quality) == 84);
static_assert(offsetof(WLAN_STATUS, dsFrequency) == 116);
static_assert(offsetof(WLAN_STATUS, authenticationMode) == 136);
static_assert(offsetof(WLAN_STATUS, encryptionStatus) == 140);
static_assert(offsetof(WLAN_STATUS, linkQuality) == 148);
static_assert(offsetof(WLAN_STATUS, TxByteCount) == 152);
static_assert(offsetof(WLAN_STATUS, RxByteCount) == 156);
static_assert(offsetof(WLAN_STATUS, centralChannel) == 160);
static_assert(offsetof(WLAN_STATUS, txRate) == 168);
static_assert(offsetof(WLAN_STATUS, rxRate) == 176);
static_assert(offsetof(WLAN_STATUS, txPower) == 200);
static_assert(offsetof(WLAN_STATUS, HTSetting) == 204);
static_assert(offsetof(WLAN_STATUS, statistics) == 208);
static_assert(offsetof(WLAN_STATUS, statistics) + offsetof(NDIS_802_11_STATISTICS, TransmittedFragmentCount) == 216);
static_assert(offsetof(WLAN_STATUS, statistics) + offsetof(NDIS_802_11_STATISTICS, FailedCount) == 232);
static_assert(offsetof(WLAN_STATUS, statistics) + offsetof(NDIS_802_11_STATISTICS, RetryCount) == 240);
static_assert(offsetof(WLAN_STATUS, statistics) + offsetof(NDIS_802_11_STATISTICS, FrameDuplicateCount) == 280);
static_assert(offsetof(WLAN_STATUS, statistics) + offsetof(NDIS_802_11_STATISTICS, FCSErrorCount) == 304);
static_assert(offsetof(WLAN_STATUS, rxOkCount64) == 408);
static_assert(offsetof(WLAN_STATUS, rxOkCount) == 416);
static_assert(offsetof(WLAN_STATUS, rxDropCount) == 420);
static_assert(offsetof(WLAN_STATUS, ipAddress) == 428);
static_assert(offsetof(WLAN_STATUS, ipMask) == 432);
static_assert(offsetof(WLAN_STATUS, ConnectMode) == 456);
static_assert(offsetof(WLAN_STATUS, profileName) == 460);

// Five flags passed by value after the record's address; each asks for one group of fields.
struct WLAN_STATUS_QUERY {
    uint32_t flag[5];
};
static_assert(sizeof(WLAN_STATUS_QUERY) == 20);

// ---------------------------------------------------------------------------------------------
// Advanced settings records.
struct ADVANCE_CONFIG_DATA {
    uint32_t BGProtection;
    uint32_t CCX2_CONTROL;
    uint32_t CountryRegion;
    uint32_t CountryRegionABand;
    uint32_t ShowAuthStatus;
    uint32_t TransmitSetting; // TRANSMIT_SETTING bit field
    uint32_t TransRate;
    uint32_t TXBurst;
    uint32_t WirelessMode;
    uint32_t EnableTcpWindowSize;
};
static_assert(sizeof(ADVANCE_CONFIG_DATA) == 40);
static_assert(offsetof(ADVANCE_CONFIG_DATA, BGProtection) == 0);
static_assert(offsetof(ADVANCE_CONFIG_DATA, CCX2_CONTROL) == 4);
static_assert(offsetof(ADVANCE_CONFIG_DATA, CountryRegion) == 8);
static_assert(offsetof(ADVANCE_CONFIG_DATA, CountryRegionABand) == 12);
static_assert(offsetof(ADVANCE_CONFIG_DATA, ShowAuthStatus) == 16);
static_assert(offsetof(ADVANCE_CONFIG_DATA, TransmitSetting) == 20);
static_assert(offsetof(ADVANCE_CONFIG_DATA, TransRate) == 24);
static_assert(offsetof(ADVANCE_CONFIG_DATA, TXBurst) == 28);
static_assert(offsetof(ADVANCE_CONFIG_DATA, WirelessMode) == 32);
static_assert(offsetof(ADVANCE_CONFIG_DATA, EnableTcpWindowSize) == 36);

// A field of a packed 32-bit word: first bit (bit 0 is the least significant) and width.
struct WORD_FIELD {
    int shift;
    int width;
    constexpr uint32_t Mask() const { return (width >= 32 ? 0xFFFFFFFFu : ((1u << width) - 1u)) << shift; }
    constexpr int End() const { return shift + width; }
};
constexpr uint32_t FieldGet(uint32_t word, WORD_FIELD field)
{
    return (word & field.Mask()) >> field.shift;
}
// The word with the field replaced by value (cut to the field's width); other bits as they were.
constexpr uint32_t FieldSet(uint32_t word, WORD_FIELD field, uint32_t value)
{
    return (word & ~field.Mask()) | ((value << field.shift) & field.Mask());
}

// CCX2_CONTROL: the CCX word of the library, the registry value "CCX2Control", the
// configuration record and every stored profile.
namespace ccx2 {
constexpr WORD_FIELD Enable{0, 1};
constexpr WORD_FIELD CCKMEnable{1, 1};
constexpr WORD_FIELD RMEnable{2, 1};
constexpr WORD_FIELD DCRMEnable{3, 1};
constexpr WORD_FIELD CACEnable{4, 1};
constexpr WORD_FIELD FastRoamEnable{5, 1};
constexpr WORD_FIELD NetworkEAP{6, 1};
constexpr WORD_FIELD RotateProfile{7, 1};
constexpr WORD_FIELD dBmToRoam{8, 8};   // magnitude: 70 stands for -70 dBm
constexpr WORD_FIELD TuLimit{16, 10};   // milliseconds, 1 to 1023
constexpr WORD_FIELD MFP{26, 1};
constexpr WORD_FIELD RFRoamEnable{27, 1};
constexpr WORD_FIELD VoiceRate{28, 1};
constexpr WORD_FIELD Reserved{29, 3};   // written back as read
constexpr uint32_t kTuLimitMin = 1, kTuLimitMax = 1023;
}  // namespace ccx2
static_assert(ccx2::NetworkEAP.End() == ccx2::RotateProfile.shift);
static_assert(ccx2::RotateProfile.End() == ccx2::dBmToRoam.shift);
static_assert(ccx2::dBmToRoam.End() == ccx2::TuLimit.shift);
static_assert(ccx2::TuLimit.End() == ccx2::MFP.shift);
static_assert(ccx2::VoiceRate.End() == ccx2::Reserved.shift && ccx2::Reserved.End() == 32);
static_assert(ccx2::RotateProfile.Mask() == CCX2_ROTATE_PROFILE && ccx2::MFP.Mask() == CCX2_MFP);
static_assert(ccx2::TuLimit.Mask() >> ccx2::TuLimit.shift == ccx2::kTuLimitMax);

// TRANSMIT_SETTING: the 802.11n transmit word of the configuration record (0 on adapters
// without 802.11n).
namespace txset {
constexpr WORD_FIELD PhyMode{0, 4};     // low four bits of the wireless-mode code
constexpr WORD_FIELD MCS{4, 7};         // 0-23, 32; 33 automatic
constexpr WORD_FIELD BW{11, 3};         // 0 20 MHz only, 1 automatic 20/40 MHz
constexpr WORD_FIELD ShortGI{14, 1};    // 0 long only, 1 automatic
constexpr WORD_FIELD STBC{15, 1};       // 0 none, 1 automatic
constexpr WORD_FIELD TRANSNO{16, 2};    // written as kTransNo
constexpr WORD_FIELD HTMODE{18, 3};     // 0 HT mixed, 1 HT greenfield
constexpr WORD_FIELD EXTCHA{21, 3};     // written back as read
constexpr WORD_FIELD LEGACYMODE{24, 2}; // 0, or 2 and 3 sharing the HT-mode value
constexpr WORD_FIELD Reserved{26, 6};   // 0
constexpr uint32_t kTransNo = 2;
}  // namespace txset
static_assert(txset::PhyMode.End() == txset::MCS.shift && txset::MCS.End() == txset::BW.shift);
static_assert(txset::BW.End() == txset::ShortGI.shift && txset::ShortGI.End() == txset::STBC.shift);
static_assert(txset::STBC.End() == txset::TRANSNO.shift && txset::TRANSNO.End() == txset::HTMODE.shift);
static_assert(txset::HTMODE.End() == txset::EXTCHA.shift && txset::EXTCHA.End() == txset::LEGACYMODE.shift);
static_assert(txset::LEGACYMODE.End() == txset::Reserved.shift && txset::Reserved.End() == 32);

// Wireless-mode codes of the adapter library. The pages produce the named ones; 1, 4, 6, 7 and
// 10 come only from the library.
enum WIRELESS_MODE_CODE : uint32_t {
    WMODE_24G_LEGACY = 0,        // 2.4 GHz without 802.11n
    WMODE_5G_LEGACY = 2,         // 5 GHz without 802.11n
    WMODE_DUAL_LEGACY = 3,       // 2.4 + 5 GHz without 802.11n
    WMODE_DUAL_11N = 5,          // 2.4 + 5 GHz with 802.11n
    WMODE_5G_11N = 8,            // 5 GHz with 802.11n
    WMODE_24G_11N = 9,           // 2.4 GHz with 802.11n
    WMODE_DUAL_11N_11AC = 11,    // 2.4 + 5 GHz with 802.11n on an 802.11ac adapter
};

// B/G protection codes.
constexpr uint32_t BG_PROTECTION_AUTO = 0, BG_PROTECTION_ON = 1, BG_PROTECTION_OFF = 2;
// Transmit-rate codes besides automatic (0): the rate in Mb/s, 55 standing for 5.5 Mb/s.
constexpr uint32_t TX_RATE_AUTO = 0;
constexpr uint32_t TX_RATE_CODES[] = {1, 2, 55, 11, 6, 9, 12, 18, 24, 36, 48, 54};
// MCS codes: 0-23 and 32 as in IEEE 802.11n; 33 automatic.
constexpr uint32_t MCS_AUTO = 33;
// Region codes: 7 bits each; WVWL_QueryCountryRegion reports both in one word.
constexpr WORD_FIELD REGION_24G{0, 7};
constexpr WORD_FIELD REGION_5G{8, 7};
// Mode argument of WVWL_SetCCXInfo (its meaning is the library's).
constexpr int CCX_INFO_MODE_BSSID = 0, CCX_INFO_MODE_DEFAULT = 1;

// Driver request of the 802.11n physical mode (12 bytes).
struct OID_SET_HT_PHYMODE {
    uint32_t PhyMode; // wireless-mode code
    uint8_t TransmitNo;
    uint8_t HtMode;
    uint8_t ExtOffset;
    uint8_t MCS;
    uint8_t BW;
    uint8_t STBC;
    uint8_t SHORTGI;
    uint8_t Reserved; // 0
};
static_assert(sizeof(OID_SET_HT_PHYMODE) == 12);
static_assert(offsetof(OID_SET_HT_PHYMODE, TransmitNo) == 4);
static_assert(offsetof(OID_SET_HT_PHYMODE, HtMode) == 5);
static_assert(offsetof(OID_SET_HT_PHYMODE, ExtOffset) == 6);
static_assert(offsetof(OID_SET_HT_PHYMODE, MCS) == 7);
static_assert(offsetof(OID_SET_HT_PHYMODE, BW) == 8);
static_assert(offsetof(OID_SET_HT_PHYMODE, STBC) == 9);
static_assert(offsetof(OID_SET_HT_PHYMODE, SHORTGI) == 10);
static_assert(offsetof(OID_SET_HT_PHYMODE, Reserved) == 11);

// The advanced settings in the shape of a driver request (44 bytes, zero-filled before use).
struct ADVANCE_OID {
    OID_SET_HT_PHYMODE phyMode;
    uint32_t nBGProtection;
    uint32_t bTXBurst;
    uint32_t CountryRegIndex11BG;
    uint32_t CountryRegIndex11A;
    uint32_t KVphyMode; // wireless-mode code
    uint32_t nTXRate;
    uint8_t Reserved[8]; // 0
};
static_assert(sizeof(ADVANCE_OID) == 44);
static_assert(offsetof(ADVANCE_OID, phyMode) == 0);
static_assert(offsetof(ADVANCE_OID, nBGProtection) == 12);
static_assert(offsetof(ADVANCE_OID, bTXBurst) == 16);
static_assert(offsetof(ADVANCE_OID, CountryRegIndex11BG) == 20);
static_assert(offsetof(ADVANCE_OID, CountryRegIndex11A) == 24);
static_assert(offsetof(ADVANCE_OID, KVphyMode) == 28);
static_assert(offsetof(ADVANCE_OID, nTXRate) == 32);
static_assert(offsetof(ADVANCE_OID, Reserved) == 36);

// WMM flags, each 0 or 1; the reserved words are 0 when sent.
struct WMM_CAPABILITY {
    uint32_t Reserved0;
    uint32_t bWMMEnable;
    uint32_t bAPSDEnable;
    uint32_t bAPSD_AC_BE;
    uint32_t bAPSD_AC_BK;
    uint32_t bAPSD_AC_VI;
    uint32_t bAPSD_AC_VO;
    uint32_t Reserved28;
};
static_assert(sizeof(WMM_CAPABILITY) == 32);
static_assert(offsetof(WMM_CAPABILITY, bWMMEnable) == 4);
static_assert(offsetof(WMM_CAPABILITY, bAPSDEnable) == 8);
static_assert(offsetof(WMM_CAPABILITY, bAPSD_AC_BE) == 12);
static_assert(offsetof(WMM_CAPABILITY, bAPSD_AC_BK) == 16);
static_assert(offsetof(WMM_CAPABILITY, bAPSD_AC_VI) == 20);
static_assert(offsetof(WMM_CAPABILITY, bAPSD_AC_VO) == 24);
static_assert(offsetof(WMM_CAPABILITY, Reserved28) == 28);

// Protected-management-frame test record: one byte per flag (index below), 1 = yes.
struct MFP_CONTROL {
    uint8_t flag[12];
};
static_assert(sizeof(MFP_CONTROL) == 12);
enum MFP_FLAG : int {
    MFP_ENABLED = 0,
    MFP_REQUIRED = 1,
    MFP_FORCE_SHA256 = 2,
    MFP_INJECT_DISASSOC = 3,
    MFP_INJECT_DEAUTH = 4,
    MFP_INJECT_ASSOC = 5,
    MFP_INJECT_REASSOC = 6,
    MFP_INJECT_SA_QUERY = 7,
    MFP_INJECT_WRONG_KEY = 8,
    MFP_INJECT_UNPROTECTED = 9,
    MFP_SILENT_LINK_DOWN = 10, // trigger
    MFP_INJECT_NOW = 11,       // trigger
};

struct ACM_COMMAND {
    uint16_t Command; // 1 ADDTS, 2 DELTS, 3 reset
    uint16_t One;
    uint8_t Reserved[152];
};
static_assert(sizeof(ACM_COMMAND) == 156);
static_assert(offsetof(ACM_COMMAND, One) == 2);
static_assert(offsetof(ACM_COMMAND, Reserved) == 4);
constexpr uint16_t ACM_ADDTS = 1, ACM_DELTS = 2, ACM_RESET = 3;

struct EXTAP_CONFIG {
    uint32_t SsidLength;
    uint8_t Ssid[32];
    uint32_t Carried36;
    uint8_t Key[64];
    uint32_t KeyLength;
    uint32_t MaxPeers;
    uint32_t Reserved112;
    uint8_t IpAddress[4];
    uint8_t Reserved120[24];
};
static_assert(sizeof(EXTAP_CONFIG) == 144);
static_assert(offsetof(EXTAP_CONFIG, Key) == 40);
static_assert(offsetof(EXTAP_CONFIG, KeyLength) == 104);
static_assert(offsetof(EXTAP_CONFIG, MaxPeers) == 108);
static_assert(offsetof(EXTAP_CONFIG, IpAddress) == 116);

struct BA_SESSION_REQUEST {
    uint8_t bRecipient;
    uint8_t MacAddr[6];
    uint8_t TID;
    uint8_t WindowSize;
    uint8_t Reserved9;
    uint8_t Reserved10[2];
    uint8_t AllTid;
    uint8_t Reserved13;
};
static_assert(sizeof(BA_SESSION_REQUEST) == 14);
static_assert(offsetof(BA_SESSION_REQUEST, MacAddr) == 1);
static_assert(offsetof(BA_SESSION_REQUEST, TID) == 7);
static_assert(offsetof(BA_SESSION_REQUEST, WindowSize) == 8);
static_assert(offsetof(BA_SESSION_REQUEST, AllTid) == 12);

struct BA_CAP_SETTING {
    uint8_t Carried0;
    uint8_t Carried1;
    uint8_t MpduAggregation; // 1 on, 2 off
    uint8_t MpduDensity;
    uint8_t AmsduEnable;
    uint8_t AmsduMax7935;    // 0 when A-MSDU is off
    uint8_t PowerSave;       // 0 static, 1 dynamic, 3 SM enable
    uint8_t AutoDensity;     // 1 automatic MPDU density
};
static_assert(sizeof(BA_CAP_SETTING) == 8);
static_assert(offsetof(BA_CAP_SETTING, MpduAggregation) == 2);
static_assert(offsetof(BA_CAP_SETTING, AmsduEnable) == 4);
static_assert(offsetof(BA_CAP_SETTING, PowerSave) == 6);
static_assert(offsetof(BA_CAP_SETTING, AutoDensity) == 7);

// Fields of the stored capability word (WVWL_ReadBACap / WVWL_WriteBACap).
namespace BA_CAP_WORD {
constexpr uint32_t Carried0Shift = 0;
constexpr uint32_t Carried1Shift = 8;
constexpr uint32_t AutoDensityBit = 1u << 16;
constexpr uint32_t MpduShift = 17;       // 2 bits: 1 on, 2 off
constexpr uint32_t DensityShift = 19;    // 3 bits
constexpr uint32_t AmsduBit = 1u << 22;
constexpr uint32_t Amsdu7935Bit = 1u << 23;
constexpr uint32_t PowerSaveShift = 24;  // 2 bits: 0 static, 1 dynamic, 3 SM enable
}  // namespace BA_CAP_WORD

// One peer of the block-ack table.
struct BA_TABLE_ENTRY {
    uint8_t MacAddr[6];
    uint8_t TidBitmap;       // bit t: an agreement for TID t
    uint8_t Reserved7;
    uint8_t TidValue[8];     // per TID, shown in decimal
    uint8_t Reserved16[32];
};
static_assert(sizeof(BA_TABLE_ENTRY) == 48);
static_assert(offsetof(BA_TABLE_ENTRY, TidBitmap) == 6);
static_assert(offsetof(BA_TABLE_ENTRY, TidValue) == 8);

constexpr int BA_TABLE_MAX_ENTRIES = 32;

// Out-record of WVWL_QueryBATable.
struct BA_TABLE {
    BA_TABLE_ENTRY Originator[BA_TABLE_MAX_ENTRIES];
    BA_TABLE_ENTRY Recipient[BA_TABLE_MAX_ENTRIES];
    uint8_t OriginatorPresent;
    uint8_t RecipientPresent;
    uint8_t Reserved3074[2];
};
static_assert(sizeof(BA_TABLE) == 3076);
static_assert(offsetof(BA_TABLE, Recipient) == 1536);
static_assert(offsetof(BA_TABLE, OriginatorPresent) == 3072);
static_assert(offsetof(BA_TABLE, RecipientPresent) == 3073);

constexpr int PEER_MAC_TABLE_MAX_ROWS = 32;

// The driver's peer list (answer to the peer-list request).
struct PEER_MAC_ROW {
    uint8_t MacAddr[6];
    uint8_t Reserved6[6];
};
static_assert(sizeof(PEER_MAC_ROW) == 12);

struct PEER_MAC_TABLE {
    uint32_t Count;
    PEER_MAC_ROW Rows[PEER_MAC_TABLE_MAX_ROWS];
};
static_assert(sizeof(PEER_MAC_TABLE) == 388);
static_assert(offsetof(PEER_MAC_TABLE, Rows) == 4);

struct SSO_SETTING {
    uint32_t Reserved0;
    uint32_t bSSO;
    uint8_t Reserved8[132];
    char LogonDll[128];
    char DriverDesc[256];
    char ProfileName[512];
};
static_assert(sizeof(SSO_SETTING) == 1036);
static_assert(offsetof(SSO_SETTING, LogonDll) == 140);
static_assert(offsetof(SSO_SETTING, DriverDesc) == 268);
static_assert(offsetof(SSO_SETTING, ProfileName) == 524);

// Address and name of the access point (QueryAPIPAddress).
struct AP_IP_INFO {
    uint8_t IpAddress[4];
    char Name[16];
};
static_assert(sizeof(AP_IP_INFO) == 20);

// One adapter of the connection-sharing list (WVWL_GetAdaptersInfo).
struct ICS_ADAPTER_INFO {
    char szAdapterName[284]; // connection name, zero-terminated by the library
    uint32_t dwAdapterType;
    uint32_t dwAdapterStatus;
};
static_assert(sizeof(ICS_ADAPTER_INFO) == 292);
static_assert(offsetof(ICS_ADAPTER_INFO, dwAdapterType) == 284);
static_assert(offsetof(ICS_ADAPTER_INFO, dwAdapterStatus) == 288);
constexpr uint32_t ICS_ADAPTER_TYPE_WLATARNWELL = 0; // the adapter maker's own: a LAN side
constexpr uint32_t ICS_ADAPTER_TYPE_1394 = 5;
constexpr uint32_t ICS_ADAPTER_STATUS_ENABLED = 1;
constexpr uint32_t ICS_ADAPTER_STATUS_WAN_FOUND = 4;
constexpr uint32_t ICS_ADAPTER_STATUS_ICS_LAN = 8;

// Hosted-network status with room for 50 peers (WVWL_HostedNetworkQueryStatus).
struct HOSTED_NETWORK_PEER {
    uint8_t PeerMacAddress[6];
    uint8_t Reserved6[2];
    uint32_t PeerAuthState; // 1 authenticated
};
static_assert(sizeof(HOSTED_NETWORK_PEER) == 12);
constexpr int HOSTED_NETWORK_MAX_PEERS = 50;
struct HOSTED_NETWORK_STATUS {
    uint32_t HostedNetworkState; // 1 active
    uint8_t Reserved4[16];
    uint8_t Bssid[6];
    uint8_t Reserved26[2];
    uint32_t PhyType;
    uint32_t ChannelFrequency;
    uint32_t NumberOfPeers;
    HOSTED_NETWORK_PEER Peers[HOSTED_NETWORK_MAX_PEERS];
};
static_assert(sizeof(HOSTED_NETWORK_STATUS) == 640);
static_assert(offsetof(HOSTED_NETWORK_STATUS, Bssid) == 20);
static_assert(offsetof(HOSTED_NETWORK_STATUS, NumberOfPeers) == 36);
static_assert(offsetof(HOSTED_NETWORK_STATUS, Peers) == 40);

// ---------------------------------------------------------------------------------------------
// The WAPI certificate library ("ZeZuveZud.dll").

// A WAPI identity as the library hands it out: a 16-bit length, then up to 256 bytes.
struct WAPI_ID_BUFFER {
    uint16_t Length;
    uint8_t Data[256];
};
static_assert(sizeof(WAPI_ID_BUFFER) == 258);

constexpr int WAPI_MAX_USER_CERT = 16;
constexpr int WAPI_MAX_EXTRA_AS_CERT = 16;
constexpr uint32_t WAPI_CERT_TYPE_X509 = 1;

// One certificate as the library describes it; texts are NUL-terminated ANSI.
struct WAPI_CERT_ENTRY {
    uint32_t nVersion;
    uint32_t nType;          // 1 X.509, else GBW
    uint32_t nSerialLen;
    uint8_t Serial[256];
    char Issuer[256];
    char Subject[256];
    char ValidFrom[256];
    char ValidTo[256];
    uint8_t Reserved1292[256];
    uint32_t nUserIdValue1;  // user certificate only: GetIdentity kind 1
    uint32_t nUserIdValue2;
};
static_assert(sizeof(WAPI_CERT_ENTRY) == 1556);
static_assert(offsetof(WAPI_CERT_ENTRY, nType) == 4);
static_assert(offsetof(WAPI_CERT_ENTRY, nSerialLen) == 8);
static_assert(offsetof(WAPI_CERT_ENTRY, Serial) == 12);
static_assert(offsetof(WAPI_CERT_ENTRY, Issuer) == 268);
static_assert(offsetof(WAPI_CERT_ENTRY, Subject) == 524);
static_assert(offsetof(WAPI_CERT_ENTRY, ValidFrom) == 780);
static_assert(offsetof(WAPI_CERT_ENTRY, ValidTo) == 1036);
static_assert(offsetof(WAPI_CERT_ENTRY, Reserved1292) == 1292);
static_assert(offsetof(WAPI_CERT_ENTRY, nUserIdValue1) == 1548);
static_assert(offsetof(WAPI_CERT_ENTRY, nUserIdValue2) == 1552);

// One user certificate with its AS certificates.
struct WAPI_CERT_INFO {
    WAPI_CERT_ENTRY UserCert;
    uint8_t Reserved1556[1840];   // the library's own
    uint32_t nASIdValue;          // GetIdentity kind 0
    uint32_t Reserved3400;
    uint32_t nExtraASCount;       // 0..16
    WAPI_CERT_ENTRY ExtraAS[WAPI_MAX_EXTRA_AS_CERT];
};
static_assert(sizeof(WAPI_CERT_INFO) == 28304);
static_assert(offsetof(WAPI_CERT_INFO, Reserved1556) == 1556);
static_assert(offsetof(WAPI_CERT_INFO, nASIdValue) == 3396);
static_assert(offsetof(WAPI_CERT_INFO, Reserved3400) == 3400);
static_assert(offsetof(WAPI_CERT_INFO, nExtraASCount) == 3404);
static_assert(offsetof(WAPI_CERT_INFO, ExtraAS) == 3408);

// The library's whole contents, refilled by ZeZuveZud_GetCert.
struct WAPI_CERT_STORE {
    uint32_t nCount;              // 0..16
    WAPI_CERT_INFO Cert[WAPI_MAX_USER_CERT];
};
static_assert(sizeof(WAPI_CERT_STORE) == 452868);
static_assert(offsetof(WAPI_CERT_STORE, Cert) == 4);

// ---------------------------------------------------------------------------------------------
// Hotspot 2.0 records (passed by value to the caller-cleans entries of "HS20.dll").
struct HS20_INIT_PARAM {
    uint8_t GuidLength;
    uint8_t Unused;
    wchar_t AdapterGuid[64];
};
static_assert(sizeof(HS20_INIT_PARAM) == 130);

struct HS20_CREDENTIAL {
    uint8_t Prefer;
    uint8_t Weight;
    uint8_t CredenType;
    char UserName[32];
    uint8_t UserNameLen;
    char Password[32];
    uint8_t PasswordLen;
    char IMSI[32];
    char MNC[4];
    char MCC[4];
    char RootCa[64];
    char Realm[64];
    char Name[64];
    uint8_t Unused[3];
};
static_assert(sizeof(HS20_CREDENTIAL) == 304);
static_assert(offsetof(HS20_CREDENTIAL, UserNameLen) == 35);
static_assert(offsetof(HS20_CREDENTIAL, IMSI) == 69);
static_assert(offsetof(HS20_CREDENTIAL, RootCa) == 109);
static_assert(offsetof(HS20_CREDENTIAL, Realm) == 173);
static_assert(offsetof(HS20_CREDENTIAL, Name) == 237);

struct HS20_PROFILE {
    uint8_t Prefer;
    uint8_t Weight;
    uint8_t IsPresent;
    uint8_t IsPSK;
    char Ssid[32];
    uint8_t SsidLen;
    char UserName[32];
    uint8_t UserNameLen;
    char Password[32];
    uint8_t PasswordLen;
    char PassPhrase[32];
    uint8_t PassPhraseLen;
    char EncpType[16];
    char KeyMgmtType[16];
    char RootCa[64];
    char Name[64];
};
static_assert(sizeof(HS20_PROFILE) == 296);
static_assert(offsetof(HS20_PROFILE, SsidLen) == 36);
static_assert(offsetof(HS20_PROFILE, PassPhrase) == 103);
static_assert(offsetof(HS20_PROFILE, EncpType) == 136);
static_assert(offsetof(HS20_PROFILE, RootCa) == 168);
static_assert(offsetof(HS20_PROFILE, Name) == 232);

struct HS20_WEIGHT_ENTRY {
    uint8_t Present;
    uint8_t Kind; // 0 credential, 1 profile, 255 empty
    uint8_t Index;
    uint8_t Weight;
};
constexpr int MAX_HS20_TABLE = 10;
struct HS20_WEIGHT_TABLE {
    HS20_WEIGHT_ENTRY Entry[MAX_HS20_TABLE];
};
static_assert(sizeof(HS20_WEIGHT_TABLE) == 40);

struct HS20_PREFER {
    uint8_t Kind;
    uint8_t Index;
    uint8_t bPrefer;
    uint8_t Unused;
};
static_assert(sizeof(HS20_PREFER) == 4);

struct HS20_INI_PATH {
    uint8_t Length;
    char Path[67];
};
static_assert(sizeof(HS20_INI_PATH) == 68);

struct HS20_CONNECTED_INFO {
    uint8_t Reserved0;
    uint8_t bConnected;
    char Name[33];
    uint8_t Bssid[6];
    uint8_t Reserved41[131];
    uint8_t Method; // 0 TTLS, 1 certificate, 2 SIM, 3 pre-shared key
    uint8_t Rest[8432 - 173];
};
static_assert(sizeof(HS20_CONNECTED_INFO) == 8432);
static_assert(offsetof(HS20_CONNECTED_INFO, Name) == 2);
static_assert(offsetof(HS20_CONNECTED_INFO, Bssid) == 35);
static_assert(offsetof(HS20_CONNECTED_INFO, Method) == 172);

// ---------------------------------------------------------------------------------------------
// Certificate lists and EAP-FAST credential lists of the adapter library.
// One certificate of a store; pHash is the library's own buffer until WVWL_FreeCertArray.
// (In a namespace: the platform's crypto header has a record of the same name.)
namespace wlapi {
struct CERT_INFO {
    char chIssuedTo[256];
    char chIssuedBy[256];
    char chExpiration[256]; // "Y/M/D"
    char chFriendlyName[256];
    uint32_t nHashLen;
    uint32_t pHash; // 32-bit address of nHashLen bytes
    uint8_t Reserved[8];
};
static_assert(sizeof(CERT_INFO) == 1040);
static_assert(offsetof(CERT_INFO, chIssuedBy) == 256);
static_assert(offsetof(CERT_INFO, chExpiration) == 512);
static_assert(offsetof(CERT_INFO, chFriendlyName) == 768);
static_assert(offsetof(CERT_INFO, nHashLen) == 1024);
static_assert(offsetof(CERT_INFO, pHash) == 1028);
static_assert(offsetof(CERT_INFO, Reserved) == 1032);
} // namespace wlapi

// One protected-access-credential file of a profile.
struct PAC_FILE_ENTRY {
    uint32_t nMark; // 1 marked
    char chFileName[256];
    char chFilePath[256];
};
static_assert(sizeof(PAC_FILE_ENTRY) == 516);
static_assert(offsetof(PAC_FILE_ENTRY, chFileName) == 4);
static_assert(offsetof(PAC_FILE_ENTRY, chFilePath) == 260);

// The count and the 32-bit address of that many entries.
struct PAC_FILE_LIST {
    uint32_t nCount;
    uint32_t pEntries;
};
static_assert(sizeof(PAC_FILE_LIST) == 8);
static_assert(offsetof(PAC_FILE_LIST, pEntries) == 4);

// Hotspot 2.0 test request to the driver: an ANQP query (Group 0, Value the element bits) or a
// TDLS/DLS action (Group 1, Value the action) towards the peer Mac.
struct HS20_SIGMA_REQUEST {
    uint8_t Group;
    uint8_t Unused1[3];
    uint32_t Value;
    uint8_t Mac[6];
    uint8_t Unused2[2];
};
static_assert(sizeof(HS20_SIGMA_REQUEST) == 16);
static_assert(offsetof(HS20_SIGMA_REQUEST, Value) == 4);
static_assert(offsetof(HS20_SIGMA_REQUEST, Mac) == 8);

// Wi-Fi Display: the driver's device table, the local configuration, one driver event and
// a TDLS set-up request.
constexpr int MAX_WDP_TABLE_SIZE = 30;
constexpr uint8_t CONFIG_MODE_WDP_ENABLED = 1;
constexpr uint8_t CONFIG_MODE_WDP_SESSION_ID = 7;
constexpr uint8_t CONFIG_MODE_WDP_TDLS_TEARDOWN = 8;

#pragma pack(push, 1)
struct WDP_ENTRY {
    uint8_t Reserved0;
    uint8_t DevMac[6];
    uint8_t Bssid[6];
    uint16_t DevInfo;
    uint16_t MaxThroughput;  // Mbps
    uint8_t CoupledStatus;   // 0 not coupled, 1 coupled, 2 teardown coupling
    uint8_t CoupledSinkMac[6];
    uint16_t ControlPort;    // the peer's RTSP port
    uint8_t ExtCap;          // bit 0 UIBC, 1 I2C, 2 preferred display mode, 3 standby
    uint8_t Reserved27;
    uint8_t TdlsIp[4];
    uint8_t TdlsMac[6];
};
#pragma pack(pop)
static_assert(sizeof(WDP_ENTRY) == 38);
static_assert(offsetof(WDP_ENTRY, DevMac) == 1);
static_assert(offsetof(WDP_ENTRY, Bssid) == 7);
static_assert(offsetof(WDP_ENTRY, DevInfo) == 13);
static_assert(offsetof(WDP_ENTRY, MaxThroughput) == 15);
static_assert(offsetof(WDP_ENTRY, CoupledStatus) == 17);
static_assert(offsetof(WDP_ENTRY, CoupledSinkMac) == 18);
static_assert(offsetof(WDP_ENTRY, ControlPort) == 24);
static_assert(offsetof(WDP_ENTRY, ExtCap) == 26);
static_assert(offsetof(WDP_ENTRY, TdlsIp) == 28);
static_assert(offsetof(WDP_ENTRY, TdlsMac) == 32);

// The valid entries are ClientNumber slots from Start, taken as a ring of 30.
struct WDP_TABLE {
    uint8_t Start;
    uint8_t ClientNumber;
    WDP_ENTRY Entry[MAX_WDP_TABLE_SIZE];
};
static_assert(sizeof(WDP_TABLE) == 1142);
static_assert(offsetof(WDP_TABLE, ClientNumber) == 1);
static_assert(offsetof(WDP_TABLE, Entry) == 2);

// DevInfo bits (WDP_ENTRY and WDP_CONFIG).
constexpr uint16_t WDP_DEVINFO_TYPE_MASK = 0x0003;  // 0 source, 1 primary sink, 2 secondary sink, 3 both
constexpr uint16_t WDP_DEVINFO_SRC_COUPLED = 0x0004;
constexpr uint16_t WDP_DEVINFO_SINK_COUPLED = 0x0008;
constexpr uint16_t WDP_DEVINFO_SESSION_MASK = 0x0030;
constexpr uint16_t WDP_DEVINFO_SESSION_AVAILABLE = 0x0010;
constexpr uint16_t WDP_DEVINFO_SERVICE_DISCOVERY = 0x0040;
constexpr uint16_t WDP_DEVINFO_PREFER_TDLS = 0x0080;
constexpr uint16_t WDP_DEVINFO_HDCP = 0x0100;
constexpr uint16_t WDP_DEVINFO_TIME_SYNC = 0x0200;
// Extended capability bits (WFD_SUBELEM_EXTCAP).
constexpr uint16_t WFD_SUBELEM_EXTCAP_UIBC = 0x01;
constexpr uint16_t WFD_SUBELEM_EXTCAP_I2C = 0x02;
constexpr uint16_t WFD_SUBELEM_EXTCAP_PREF_DISPLAY = 0x04;
constexpr uint16_t WFD_SUBELEM_EXTCAP_STANDBY = 0x08;

// The local configuration; byte 0 = 7 (session identifiers) and byte 0 = 8 (tunneled TDLS
// teardown) use the same 452 bytes with the fields of WDP_CONFIG_REQUEST.
struct WDP_CONFIG {
    uint8_t ConfigMode;
    uint8_t Reserved1;
    uint16_t DevInfo;
    uint16_t ControlPort;
    uint16_t ExtCap;
    uint8_t Rest[444];
};
static_assert(sizeof(WDP_CONFIG) == 452);
static_assert(offsetof(WDP_CONFIG, DevInfo) == 2);
static_assert(offsetof(WDP_CONFIG, ControlPort) == 4);
static_assert(offsetof(WDP_CONFIG, ExtCap) == 6);
static_assert(offsetof(WDP_CONFIG, Rest) == 8);

struct WDP_CONFIG_REQUEST {
    uint8_t ConfigMode;  // 7 or 8
    uint8_t Reserved1[7];
    char SessionId[64];
    char SecondSessionId[76];
    uint8_t PeerMac[6];
    uint8_t Rest[298];
};
static_assert(sizeof(WDP_CONFIG_REQUEST) == 452);
static_assert(offsetof(WDP_CONFIG_REQUEST, SessionId) == 8);
static_assert(offsetof(WDP_CONFIG_REQUEST, SecondSessionId) == 72);
static_assert(offsetof(WDP_CONFIG_REQUEST, PeerMac) == 148);

// Driver requests of Wi-Fi Display.
constexpr unsigned long OID_WDP_SET_CONFIG = 0xFFF10601;      // WDP_CONFIG_REQUEST, 452 bytes
constexpr unsigned long OID_WDP_QUERY_STATUS = 0xFF710604;    // WDP_STATUS, 144 bytes
constexpr unsigned long OID_WDP_QUERY_VIDEO = 0xFF710606;     // 64 bytes
constexpr unsigned long OID_WDP_QUERY_PEER_IF_MAC = 0xFF710607;   // 6 bytes
constexpr unsigned long OID_WDP_QUERY_PEER_DEV_MAC = 0xFF710608;  // 6 bytes
constexpr unsigned long OID_WDP_SET_TDLS_ENABLE = 0xFFF10331;     // 4 bytes
constexpr unsigned long OID_WDP_SET_TDLS_SETUP = 0xFFF10332;      // TDLS_REQUEST

// One driver Wi-Fi Display event; the meaning of the bytes after 0 depends on the event.
struct WDP_STATUS {
    uint8_t WDPStatus;      // event code 1..7
    uint8_t Reserved1[3];
    uint8_t Param4;         // frame name (2), action type (5); DevInfo (3, two bytes) or test parameters (6, four)
    char SessionId[13];     // read back after a session id was handed over
    int8_t RtspType;        // event 2
    uint8_t Reserved19[49];
    uint8_t PeerMac[6];     // event 1 (byte 69, the input type of event 5, overlaps it)
    uint8_t ConnectKind;    // event 1: 0 Wi-Fi Direct, 1 TDLS
    uint8_t Coupling;
    uint8_t InputVideo;     // event 5
    uint8_t Reserved77[6];
    int8_t SetParameterType;  // event 2
    uint8_t Reserved84[8];
    uint8_t FormatCode;     // event 2
    uint8_t Rest[51];
};
static_assert(sizeof(WDP_STATUS) == 144);
static_assert(offsetof(WDP_STATUS, Param4) == 4);
static_assert(offsetof(WDP_STATUS, SessionId) == 5);
static_assert(offsetof(WDP_STATUS, RtspType) == 18);
static_assert(offsetof(WDP_STATUS, PeerMac) == 68);
static_assert(offsetof(WDP_STATUS, ConnectKind) == 74);
static_assert(offsetof(WDP_STATUS, Coupling) == 75);
static_assert(offsetof(WDP_STATUS, InputVideo) == 76);
static_assert(offsetof(WDP_STATUS, SetParameterType) == 83);
static_assert(offsetof(WDP_STATUS, FormatCode) == 92);

struct TDLS_REQUEST {
    uint8_t Reserved0[4];
    uint8_t PeerMac[6];
    uint8_t Reserved10;
    uint8_t Action;   // 1
    uint8_t Kind;     // 2
    uint8_t Rest[11];
};
static_assert(sizeof(TDLS_REQUEST) == 24);
static_assert(offsetof(TDLS_REQUEST, PeerMac) == 4);
static_assert(offsetof(TDLS_REQUEST, Action) == 11);
static_assert(offsetof(TDLS_REQUEST, Kind) == 12);
