#pragma once
// Records exchanged with the adapter library for Wi-Fi Direct: the request and saved-profile
// record, the status record with its event layouts, the control and address records.
// All little-endian; text fields are not terminated inside their width unless said, and the
// length beside them counts the bytes in use. Readers never trust a length or count from the
// library beyond the field's width: use the bounded readers at the end.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>

#include "wifidirect/WiFiDirectTopology.h"

// 1468 bytes; builders zero the whole record first. Text fields other than ProfileName are
// not terminated inside their width: the length beside them counts the bytes.
struct WIFIDIRECT_WPSE_PROFILE {
    char ProfileName[128];
    char DeviceName[32];
    uint32_t DeviceNameLength;
    uint32_t ConfigMode;
    uint32_t WpsMethod;
    uint8_t PIN[8];
    uint32_t Reserved180;
    uint32_t GoIntentIdx;         // 0..15; 16 = autonomous group owner
    uint32_t Reserved188;
    uint32_t ulListenChannel;
    uint32_t ulOperatingChannel;
    uint8_t Reserved200[8];
    uint32_t SSIDLength;
    uint8_t SSID[32];
    uint32_t KeyLength;
    uint8_t Key[64];
    uint32_t Reserved312;
    uint32_t PeerDeviceNameCount;
    char PeerDeviceName[30][32];
    uint32_t DesiredMacCount;
    uint8_t DesiredMacAddr[30][6];  // entry 0: the peer of a request or saved profile
    uint32_t bDisconnect;
};
static_assert(sizeof(WIFIDIRECT_WPSE_PROFILE) == 1468);
static_assert(offsetof(WIFIDIRECT_WPSE_PROFILE, DeviceName) == 128);
static_assert(offsetof(WIFIDIRECT_WPSE_PROFILE, DeviceNameLength) == 160);
static_assert(offsetof(WIFIDIRECT_WPSE_PROFILE, ConfigMode) == 164);
static_assert(offsetof(WIFIDIRECT_WPSE_PROFILE, WpsMethod) == 168);
static_assert(offsetof(WIFIDIRECT_WPSE_PROFILE, PIN) == 172);
static_assert(offsetof(WIFIDIRECT_WPSE_PROFILE, Reserved180) == 180);
static_assert(offsetof(WIFIDIRECT_WPSE_PROFILE, GoIntentIdx) == 184);
static_assert(offsetof(WIFIDIRECT_WPSE_PROFILE, Reserved188) == 188);
static_assert(offsetof(WIFIDIRECT_WPSE_PROFILE, ulListenChannel) == 192);
static_assert(offsetof(WIFIDIRECT_WPSE_PROFILE, ulOperatingChannel) == 196);
static_assert(offsetof(WIFIDIRECT_WPSE_PROFILE, Reserved200) == 200);
static_assert(offsetof(WIFIDIRECT_WPSE_PROFILE, SSIDLength) == 208);
static_assert(offsetof(WIFIDIRECT_WPSE_PROFILE, SSID) == 212);
static_assert(offsetof(WIFIDIRECT_WPSE_PROFILE, KeyLength) == 244);
static_assert(offsetof(WIFIDIRECT_WPSE_PROFILE, Key) == 248);
static_assert(offsetof(WIFIDIRECT_WPSE_PROFILE, Reserved312) == 312);
static_assert(offsetof(WIFIDIRECT_WPSE_PROFILE, PeerDeviceNameCount) == 316);
static_assert(offsetof(WIFIDIRECT_WPSE_PROFILE, PeerDeviceName) == 320);
static_assert(offsetof(WIFIDIRECT_WPSE_PROFILE, DesiredMacCount) == 1280);
static_assert(offsetof(WIFIDIRECT_WPSE_PROFILE, DesiredMacAddr) == 1284);
static_assert(offsetof(WIFIDIRECT_WPSE_PROFILE, bDisconnect) == 1464);

// ConfigMode: the request a WIFIDIRECT_WPSE_PROFILE carries.
enum : uint32_t {
    CONFIG_MODE_ENABLE = 1,
    CONFIG_MODE_DISCOVERY = 2,
    CONFIG_MODE_CONNECT = 3,
    CONFIG_MODE_DISCONNECT = 6,
    CONFIG_MODE_PROVISION = 8,
    CONFIG_MODE_SET_GO_WPS = 9,
    CONFIG_MODE_SET_PASSPHRASE = 13,
};
constexpr uint32_t GO_INTENT_AUTONOMOUS = 16;

// WPS methods, one bit each; ORed they form a peer's capability mask.
enum : uint32_t {
    WIFI_DIRECT_WPSE_PIN_MODE_DEFAULT = 0x10000000,
    WIFI_DIRECT_WPSE_PBC_MODE = 0x20000000,
    WIFI_DIRECT_WPSE_PIN_MODE_USER_SPEC = 0x40000000,
    WIFI_DIRECT_WPSE_PIN_MODE_REGISTRA_SPEC = 0x80000000,
};

// Event codes of WIFI_DIRECT_STATUS; 0, 18, 19 and every code above 26 are no events.
enum : uint8_t {
    WIFIDIRECTEVENT_DISCOVERY_START = 1,
    WIFIDIRECTEVENT_STATUS_UPDATE_DISCOVERY = 2,
    WIFIDIRECTEVENT_STATUS_GO_NEGO_DONE = 3,
    WIFIDIRECTEVENT_STATUS_WPS_FAIL = 4,
    WIFIDIRECTEVENT_STATUS_WPS_DONE = 5,
    WIFIDIRECTEVENT_STATUS_GROUP_UPDATE = 6,
    WIFIDIRECTEVENT_GEN_SEUDO_ADHOC_PROFILE = 7,
    WIFIDIRECTEVENT_ENABLE_DHCP_SERVER = 8,
    WIFIDIRECTEVENT_DISABLE_DHCP_SERVER = 9,
    WIFIDIRECTEVENT_DISCONNECT = 10,
    WIFIDIRECTEVENT_POPUP_SETTING_WINDOWS = 11,
    WIFIDIRECTEVENT_PERSISTENT_CONNT_FAIL = 12,
    WIFIDIRECTEVENT_DISPLAY_PIN = 13,
    WIFIDIRECTEVENT_SWITCH_OPMODE_CONCURRENT = 14,
    WIFIDIRECTEVENT_SWITCH_OPMODE_STA = 15,
    WIFIDIRECTEVENT_NO_CROSSCONNECTION = 16,
    WIFIDIRECTEVENT_SUPPORT_CROSSCONNECTION = 17,
    WIFIDIRECTEVENT_SIGMA_IS_ON = 20,
    WIFIDIRECTEVENT_ERROR_CODE = 21,
    WIFIDIRECTEVENT_CONNECT_COMPLETE = 22,
    WIFIDIRECTEVENT_POPUP_SETTING_WINDOWS_FOR_AUTOGO = 23,
    WIFIDIRECTEVENT_CONFIRM_ENTER_PIN_FORM_WPS_M2 = 24,
    WIFIDIRECTEVENT_CANCEL_PROGRESS = 25,
    WIFIDIRECTEVENT_DISCONNECT_MANUAL = 26,
};

// Error codes of WIFIDIRECTEVENT_ERROR_CODE: 1..11 have texts, 15 only stops the progress.
enum : uint32_t {
    P2P_ERRCODE_PEER_WITHOUT_PERSISTENT_TABLE = 11,
    P2P_ERRCODE_STOPPR0GRESS = 15,
};

constexpr uint8_t WIFI_DIRECT_IS_GO = 1;
constexpr uint8_t WIFI_DIRECT_IS_CLIENT = 2;

// Results of WVWL_GetWifiDirectIP besides success.
constexpr int WVWL_ERROR_WIFIDIRECT_NO_IP = -31;
constexpr int WVWL_ERROR_WIFIDIRECT_SUBNETMASK_NOT_MATCH = -32;

// Acknowledgement of a handled event: driver request SET_P2P_EVENT_READY with a 32-bit value.
constexpr unsigned long SET_P2P_EVENT_READY_OLD = 0x0DF101D6ul;
constexpr unsigned long SET_P2P_EVENT_READY_NEW = 0xFFF101D6ul;
constexpr unsigned long SetP2PEventReadyRequest(int winOS)
{
    return winOS <= 30 ? SET_P2P_EVENT_READY_OLD : SET_P2P_EVENT_READY_NEW;
}

#pragma pack(push, 1)

// One member of the own group.
struct WIFI_DIRECT_GROUP_ENTRY {
    uint8_t nRule;                 // 1 group owner, 2 client
    int8_t chDbm;
    uint8_t EntryStatus;
    uint8_t chMacAddr[6];
    uint8_t IpAddrs[4];
    PRIMARY_DEVICE_TYPE nPrimaryDeviceType;
    char chDeviceName[32];
    uint8_t Reserved53[3];
    uint32_t ulStringLen;
};
static_assert(sizeof(WIFI_DIRECT_GROUP_ENTRY) == 60);
static_assert(offsetof(WIFI_DIRECT_GROUP_ENTRY, chDbm) == 1);
static_assert(offsetof(WIFI_DIRECT_GROUP_ENTRY, EntryStatus) == 2);
static_assert(offsetof(WIFI_DIRECT_GROUP_ENTRY, chMacAddr) == 3);
static_assert(offsetof(WIFI_DIRECT_GROUP_ENTRY, IpAddrs) == 9);
static_assert(offsetof(WIFI_DIRECT_GROUP_ENTRY, nPrimaryDeviceType) == 13);
static_assert(offsetof(WIFI_DIRECT_GROUP_ENTRY, chDeviceName) == 21);
static_assert(offsetof(WIFI_DIRECT_GROUP_ENTRY, ulStringLen) == 56);

// One device found by discovery; the first device of a group is followed by its members.
struct WIFI_DIRECT_DISCOVERY_ENTRY {
    uint8_t chNoOfThisGroup;
    uint8_t nRule;
    uint8_t WiFiDirectFlags;
    uint8_t Reserved3;
    uint16_t ConfigMethod;
    uint8_t chMacAddr[6];
    PRIMARY_DEVICE_TYPE nPrimaryDeviceType;
    char chDeviceName[32];
    uint32_t ulStringLen;
};
static_assert(sizeof(WIFI_DIRECT_DISCOVERY_ENTRY) == 56);
static_assert(offsetof(WIFI_DIRECT_DISCOVERY_ENTRY, nRule) == 1);
static_assert(offsetof(WIFI_DIRECT_DISCOVERY_ENTRY, WiFiDirectFlags) == 2);
static_assert(offsetof(WIFI_DIRECT_DISCOVERY_ENTRY, ConfigMethod) == 4);
static_assert(offsetof(WIFI_DIRECT_DISCOVERY_ENTRY, chMacAddr) == 6);
static_assert(offsetof(WIFI_DIRECT_DISCOVERY_ENTRY, nPrimaryDeviceType) == 12);
static_assert(offsetof(WIFI_DIRECT_DISCOVERY_ENTRY, chDeviceName) == 20);
static_assert(offsetof(WIFI_DIRECT_DISCOVERY_ENTRY, ulStringLen) == 52);

constexpr size_t WIFI_DIRECT_MAX_ENTRIES = 30;

struct WIFI_DIRECT_GROUP_TABLE {
    uint8_t chNumOfGroup;
    uint8_t Reserved[3];
    WIFI_DIRECT_GROUP_ENTRY WifiDirectGroup[WIFI_DIRECT_MAX_ENTRIES];
};
static_assert(sizeof(WIFI_DIRECT_GROUP_TABLE) == 1804);

struct WIFI_DIRECT_DISCOVERY_TABLE {
    uint8_t chTotalNumber;
    uint8_t Reserved[3];
    WIFI_DIRECT_DISCOVERY_ENTRY DiscoveryEntry[WIFI_DIRECT_MAX_ENTRIES];
};
static_assert(sizeof(WIFI_DIRECT_DISCOVERY_TABLE) == 1684);

// The credential of a finished WPS exchange (handed to WVWL_ConnectWPSProfileWithWifiDirectWpse).
struct WIFI_DIRECT_WPS_DONE_CONTENT {
    uint8_t bValid;
    uint8_t nMyRule;
    uint8_t chPeerMacAddr[6];
    uint32_t SSIDLength;
    uint8_t SSID[32];
    uint8_t Reserved44[12];
    uint32_t KeyLength;
    uint8_t Key[64];
};
static_assert(sizeof(WIFI_DIRECT_WPS_DONE_CONTENT) == 124);
static_assert(offsetof(WIFI_DIRECT_WPS_DONE_CONTENT, chPeerMacAddr) == 2);
static_assert(offsetof(WIFI_DIRECT_WPS_DONE_CONTENT, SSIDLength) == 8);
static_assert(offsetof(WIFI_DIRECT_WPS_DONE_CONTENT, SSID) == 12);
static_assert(offsetof(WIFI_DIRECT_WPS_DONE_CONTENT, KeyLength) == 56);
static_assert(offsetof(WIFI_DIRECT_WPS_DONE_CONTENT, Key) == 60);

struct WIFI_DIRECT_WPS_DONE {
    uint8_t bIsPersistent;
    uint8_t Reserved[3];
    WIFI_DIRECT_WPS_DONE_CONTENT WpsDoneContent;
};

struct WIFI_DIRECT_GO_NEGO_DONE {
    uint8_t nMyRule;
    uint8_t Reserved5[3];
    uint32_t WpsMode;              // one of the WIFI_DIRECT_WPSE_ methods
    uint8_t PIN[8];
    uint32_t SSIDLength;
    uint8_t SSID[32];
    uint8_t Reserved56[80];
    uint8_t chBssid[6];
};

struct WIFI_DIRECT_SEUDO_ADHOC {
    uint8_t chChannel;
    uint8_t Reserved5[3];
    uint32_t SSIDLength;
    uint8_t SSID[32];
};

struct WIFI_DIRECT_CONNECT_REQUEST {
    char chDeviceName[32];
    uint32_t ulStringLen;
    uint8_t chMacAddr[6];
    uint16_t ConfigMethod;
};

struct WIFI_DIRECT_PERSISTENT_FAIL {
    uint8_t Reserved4[2];
    uint8_t chMacAddr[6];
};

struct WIFI_DIRECT_ERROR {
    uint32_t ErrorStatusCode;
    uint32_t ulValue;              // the number the error text shows
    uint16_t ConfigMethod;
};

struct WIFI_DIRECT_DISCONNECT_MANUAL {
    uint8_t chMacAddr[6];
};

// The event the library signalled last: a code and data whose layout the code selects.
struct WIFI_DIRECT_STATUS {
    uint8_t WifiDirectStatus;
    uint8_t Reserved1[3];
    union {
        uint8_t Raw[1804];
        WIFI_DIRECT_GROUP_TABLE Group;
        WIFI_DIRECT_DISCOVERY_TABLE Discovery;
        WIFI_DIRECT_WPS_DONE WpsDone;
        WIFI_DIRECT_GO_NEGO_DONE GoNegoDone;
        WIFI_DIRECT_SEUDO_ADHOC SeudoAdhoc;
        WIFI_DIRECT_CONNECT_REQUEST ConnectRequest;
        WIFI_DIRECT_PERSISTENT_FAIL PersistentFail;
        WIFI_DIRECT_ERROR Error;
        WIFI_DIRECT_DISCONNECT_MANUAL DisconnectManual;
    } WifiDirectStateContext;
};

// The stored Wi-Fi Direct switches of the adapter.
struct WIFI_DIRECT_CONTROL {
    uint8_t ControlBits;           // bit 0 Enable; bits 4-7 default group-owner intent index
    uint8_t MethodBits;            // bits 4-6: own configuration methods
    uint8_t Reserved2[2];
    uint32_t VenderSSIDLength;     // 0: no vendor SSID
    char VenderSSID[32];
};

// This device's addresses on the Wi-Fi Direct link, first octet first.
struct WIFI_DIRECT_IP_INFO {
    uint8_t Reserved0[4];
    uint8_t OwnAddress[4];
    uint8_t Reserved8[8];
    uint8_t DhcpServerAddress[4];
    uint8_t Reserved20[12];
};

#pragma pack(pop)

static_assert(sizeof(WIFI_DIRECT_STATUS) == 1808);
static_assert(offsetof(WIFI_DIRECT_STATUS, WifiDirectStateContext) == 4);
static_assert(offsetof(WIFI_DIRECT_STATUS, WifiDirectStateContext.Group.chNumOfGroup) == 4);
static_assert(offsetof(WIFI_DIRECT_STATUS, WifiDirectStateContext.Group.WifiDirectGroup) == 8);
static_assert(offsetof(WIFI_DIRECT_STATUS, WifiDirectStateContext.Group.WifiDirectGroup[29]) == 8 + 60 * 29);
static_assert(offsetof(WIFI_DIRECT_STATUS, WifiDirectStateContext.Discovery.chTotalNumber) == 4);
static_assert(offsetof(WIFI_DIRECT_STATUS, WifiDirectStateContext.Discovery.DiscoveryEntry) == 8);
static_assert(offsetof(WIFI_DIRECT_STATUS, WifiDirectStateContext.Discovery.DiscoveryEntry[29]) == 8 + 56 * 29);
static_assert(offsetof(WIFI_DIRECT_STATUS, WifiDirectStateContext.WpsDone.bIsPersistent) == 4);
static_assert(offsetof(WIFI_DIRECT_STATUS, WifiDirectStateContext.WpsDone.WpsDoneContent.bValid) == 8);
static_assert(offsetof(WIFI_DIRECT_STATUS, WifiDirectStateContext.WpsDone.WpsDoneContent.nMyRule) == 9);
static_assert(offsetof(WIFI_DIRECT_STATUS, WifiDirectStateContext.WpsDone.WpsDoneContent.chPeerMacAddr) == 10);
static_assert(offsetof(WIFI_DIRECT_STATUS, WifiDirectStateContext.WpsDone.WpsDoneContent.SSIDLength) == 16);
static_assert(offsetof(WIFI_DIRECT_STATUS, WifiDirectStateContext.WpsDone.WpsDoneContent.SSID) == 20);
static_assert(offsetof(WIFI_DIRECT_STATUS, WifiDirectStateContext.WpsDone.WpsDoneContent.KeyLength) == 64);
static_assert(offsetof(WIFI_DIRECT_STATUS, WifiDirectStateContext.WpsDone.WpsDoneContent.Key) == 68);
static_assert(offsetof(WIFI_DIRECT_STATUS, WifiDirectStateContext.GoNegoDone.nMyRule) == 4);
static_assert(offsetof(WIFI_DIRECT_STATUS, WifiDirectStateContext.GoNegoDone.WpsMode) == 8);
static_assert(offsetof(WIFI_DIRECT_STATUS, WifiDirectStateContext.GoNegoDone.PIN) == 12);
static_assert(offsetof(WIFI_DIRECT_STATUS, WifiDirectStateContext.GoNegoDone.SSIDLength) == 20);
static_assert(offsetof(WIFI_DIRECT_STATUS, WifiDirectStateContext.GoNegoDone.SSID) == 24);
static_assert(offsetof(WIFI_DIRECT_STATUS, WifiDirectStateContext.GoNegoDone.chBssid) == 136);
static_assert(offsetof(WIFI_DIRECT_STATUS, WifiDirectStateContext.SeudoAdhoc.chChannel) == 4);
static_assert(offsetof(WIFI_DIRECT_STATUS, WifiDirectStateContext.SeudoAdhoc.SSIDLength) == 8);
static_assert(offsetof(WIFI_DIRECT_STATUS, WifiDirectStateContext.SeudoAdhoc.SSID) == 12);
static_assert(offsetof(WIFI_DIRECT_STATUS, WifiDirectStateContext.ConnectRequest.chDeviceName) == 4);
static_assert(offsetof(WIFI_DIRECT_STATUS, WifiDirectStateContext.ConnectRequest.ulStringLen) == 36);
static_assert(offsetof(WIFI_DIRECT_STATUS, WifiDirectStateContext.ConnectRequest.chMacAddr) == 40);
static_assert(offsetof(WIFI_DIRECT_STATUS, WifiDirectStateContext.ConnectRequest.ConfigMethod) == 46);
static_assert(offsetof(WIFI_DIRECT_STATUS, WifiDirectStateContext.PersistentFail.chMacAddr) == 6);
static_assert(offsetof(WIFI_DIRECT_STATUS, WifiDirectStateContext.Error.ErrorStatusCode) == 4);
static_assert(offsetof(WIFI_DIRECT_STATUS, WifiDirectStateContext.Error.ulValue) == 8);
static_assert(offsetof(WIFI_DIRECT_STATUS, WifiDirectStateContext.Error.ConfigMethod) == 12);
static_assert(offsetof(WIFI_DIRECT_STATUS, WifiDirectStateContext.DisconnectManual.chMacAddr) == 4);

static_assert(sizeof(WIFI_DIRECT_CONTROL) == 40);
static_assert(offsetof(WIFI_DIRECT_CONTROL, MethodBits) == 1);
static_assert(offsetof(WIFI_DIRECT_CONTROL, VenderSSIDLength) == 4);
static_assert(offsetof(WIFI_DIRECT_CONTROL, VenderSSID) == 8);

static_assert(sizeof(WIFI_DIRECT_IP_INFO) == 32);
static_assert(offsetof(WIFI_DIRECT_IP_INFO, OwnAddress) == 4);
static_assert(offsetof(WIFI_DIRECT_IP_INFO, DhcpServerAddress) == 16);

// Bounded readers: a length or count from the library never reaches past its field.

// The first `length` bytes of a text field of `width` bytes, cut at `width` and at a zero.
std::string WiFiDirectText(const void* field, uint32_t length, size_t width);
// Entries used in a group or discovery table, at most 30.
size_t WiFiDirectGroupCount(const WIFI_DIRECT_STATUS& status);
size_t WiFiDirectDiscoveryCount(const WIFI_DIRECT_STATUS& status);
// The group key of a WPS-done event (at most 64 bytes).
std::string WiFiDirectWpsDoneKey(const WIFI_DIRECT_STATUS& status);
// True for the codes that are events (1..17, 20..26).
bool IsWiFiDirectEventCode(uint8_t code);
// Default group-owner intent (0..15), own configuration methods and vendor SSID of the control record.
int WiFiDirectControlIntent(const WIFI_DIRECT_CONTROL& control);
uint16_t WiFiDirectControlConfigMethod(const WIFI_DIRECT_CONTROL& control);
std::string WiFiDirectControlVenderSSID(const WIFI_DIRECT_CONTROL& control);
