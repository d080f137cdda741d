#pragma once
// Values the adapter library and the program agree on: operating modes, link states,
// adapter-callback codes, window messages the library or its event threads post.

#include <cstdint>

// Operating modes (WVWL_QueryOPMode, WVWL_ReadOpMode, WVWL_SetAndWriteOPMode).
constexpr int OP_MODE_STATION = 0;
constexpr int OP_MODE_AP = 1;
constexpr int OP_MODE_APCLIENT = 2;
constexpr int OP_MODE_STA_WIFI_DIRECT = 3;

// WLAN_STATUS.status
constexpr uint32_t WvStatus_Unknown = 0;
constexpr uint32_t WvStatus_Disconnected = 2;
constexpr uint32_t WvStatus_Connected = 3;

// WLAN_STATUS.networkType and network-list InfrastructureMode
constexpr uint32_t WV_NETWORK_IBSS = 0;
constexpr uint32_t WV_NETWORK_INFRASTRUCTURE = 1;
constexpr uint32_t WV_NETWORK_PEER_TO_PEER = 7;

// Chain RSSI value meaning "no such receive chain".
constexpr int32_t WV_CHAIN_ABSENT_RSSI = -200;

// Windows-version codes (WVWL_GetWinOS) and edition codes (WVWL_GetWinType).
constexpr int WINOS_XP = 21;
constexpr int WINOS_XP64 = 24;
constexpr int WINOS_VISTA = 31;
constexpr int WINOS_WIN7 = 41;
constexpr int WINOS_WIN8 = 51;
constexpr int WINTYPE_WIN7_STARTER = 14;

// Driver requests of the block-ack pages: the peer list (388-byte PEER_MAC_TABLE) and the
// deletion of an agreement (14-byte BA_SESSION_REQUEST); the first of each pair from
// Windows-version code 31 on, the second below it.
constexpr unsigned long OID_BA_PEER_LIST = 0xFF0C0029;
constexpr unsigned long OID_BA_PEER_LIST_LEGACY = 0x0D71010B;
constexpr unsigned long OID_BA_DELETE = 0xFF8C0027;
constexpr unsigned long OID_BA_DELETE_LEGACY = 0x0DF1013A;

// Codes of the adapter callback (low 8 bits decide, except the WPS codes above 200).
constexpr int RS_CBS_FAST_SAVE_PAC = 2;
constexpr int RS_CBS_CHANGE_PASSWORD_SUCCESS = 3;
constexpr int RS_CBS_AU_STATUS_LINK_DOWN = 4;
constexpr int RS_CBS_AU_STATUS_START = 5;
constexpr int RS_CBS_AU_STATUS_LINK_UP = 6;
constexpr int RS_CBS_AU_STATUS_AUTHENTICATING = 7;
constexpr int RS_CBS_AU_STATUS_AUTHENTICATED = 14;
constexpr int RS_CBS_AU_STATUS_FAST_PROVISIONING_SUCCESS = 15;
constexpr int RS_CBS_AU_STATUS_CLIENT_IDENTITY_REJECTED = 16;
constexpr int RS_CBS_AU_STATUS_AUTH_TIMEOUT = 17;
constexpr int RS_CBS_CHANGE_PASSWORD_REQUEST = 20;
constexpr int RS_CBS_FAST_PAC_AID_INFO = 21;
constexpr int RS_CBS_FAST_INVALID_PAC_OPAQUE = 22;
constexpr int RS_CBS_FAST_LOAD_PAC = 23;
constexpr int RS_CCX_DIAG_PROFILE = 25;
constexpr int RS_CCX_AIRONET_MSG_STR = 26;
constexpr int RS_CBS_AU_STATUS_MEDIA_CONNECT = 29;
constexpr int RS_CBS_AU_STATUS_MEDIA_DISCONNECT = 30;
constexpr int RS_CBS_ICV_ERROR = 31;
constexpr int RS_CBS_PORT_SECURED = 32;
// External-registrar WPS codes: 201-208, 210-214, 221-224.
constexpr bool IsWpsEapCallbackCode(int code)
{
    return (code >= 201 && code <= 208) || (code >= 210 && code <= 214) || (code >= 221 && code <= 224);
}
// Size of the PAC record the library hands with RS_CBS_FAST_SAVE_PAC.
constexpr int RS_FAST_PAC_SIZE = 1040;

// Window messages (WM_USER is 1024, WM_APP 32768) posted to the main window.
constexpr unsigned MSG_SCAN_FAIL = 1024 + 1;
constexpr unsigned MSG_INTERFACE_ARRIVAL = 1024 + 8;
constexpr unsigned MSG_ENABLE_MAIN_WINDOW = 1024 + 11;
constexpr unsigned MSG_SITE_SURVEY_CONNECT = 1024 + 12;
constexpr unsigned MSG_CONNECT_COMPLETE = 1024 + 13;
constexpr unsigned MSG_TRAY_EXIT = 1024 + 14;
constexpr unsigned MSG_CLEAR_ENROLLEE_FLAG = 1024 + 15;
constexpr unsigned MSG_UI_SHOW = 1024 + 16;
constexpr unsigned MSG_CHANGE_PASSWORD_REQUEST = 1024 + 19;
constexpr unsigned MSG_AUTH_FAIL_RETRY = 1024 + 20;
constexpr unsigned MSG_TRAY_ICON = 1024 + 100;
constexpr unsigned MSG_MEDIA_CONNECT = 32768 + 3;
// Posted to the Wi-Fi Direct and Wi-Fi Display windows by their event threads.
constexpr unsigned MSG_WIFIDIRECT_EVENET = 1024 + 15;
constexpr unsigned MSG_WIFIDISPLAY_EVENET = 1024 + 16;

// Named events the library signals for Wi-Fi Direct and Wi-Fi Display.
constexpr const char* WD_STATUS_EVENT_NAME = "WDStatusEvent";
constexpr const char* WDP_STATUS_EVENT_NAME = "WDPStatusEvent";

// Result codes of ZeZuveZud_WriteUserASCert (user + AS) and ZeZuveZud_WriteExtraASCertByIndex
// (extra AS). 0 is a failure the program reports; codes the tables do not name mean success.
constexpr int WAPI_INSTALL_FAILED = 0;
constexpr int WAPI_INSTALL_STA_ERR = 1;               // user + AS: bad user certificate
constexpr int WAPI_INSTALL_EXTRA_DONE = 1;            // extra AS: installed
constexpr int WAPI_INSTALL_AS_ERR = 2;                // bad AS certificate
constexpr int WAPI_INSTALL_DONE = 3;                  // user + AS: installed
constexpr int WAPI_INSTALL_EXTRA_ISSUER_SUBJECT = 3;  // extra AS: the user's issuer is not its subject
constexpr int WAPI_INSTALL_AS_ISSUER_SUBJECT = 4;     // user + AS: AS issuer and subject differ
constexpr int WAPI_INSTALL_STA_AS_NOT_MATCH = 5;
constexpr int WAPI_INSTALL_EXIST = 6;
constexpr int WAPI_INSTALL_MAX_SIZE = 7;
