#pragma once
// WPS status codes: the codes of the WPS status word with their progress and text, and the
// external-registrar codes that the adapter callback hands to the profile editor.
#include <cstdint>
#include <string>

#include "resources/UiStr.h"

// Codes of the status word (word AND WPS_STATUS_CODE_MASK).
constexpr uint32_t STATUS_WPS_NOTUSED = 0;
constexpr uint32_t STATUS_WPS_IDLE = 1;
constexpr uint32_t STATUS_WPS_SCAN_AP = 2;
constexpr uint32_t STATUS_WPS_START_ASSOC = 3;
constexpr uint32_t STATUS_WPS_LINK_UP = 4;
constexpr uint32_t STATUS_WPS_EAPOL_START_SENT = 5;
constexpr uint32_t STATUS_WPS_EAP_RSP_ID_SENT = 6;
constexpr uint32_t STATUS_WPS_EAP_RSP_ACK_SENT = 7;
constexpr uint32_t STATUS_WPS_EAP_RSP_NACK_SENT = 8;
constexpr uint32_t STATUS_WPS_EAP_REQ_NACK_RECEIVED = 9;
constexpr uint32_t STATUS_WPS_EAP_CONFIGURED = 15;
constexpr uint32_t STATUS_WPS_EAP_REQ_START_RECEIVED = 17;
constexpr uint32_t STATUS_WPS_EAP_M1_SENT = 18;
constexpr uint32_t STATUS_WPS_EAP_M2_RECEIVED = 19;
constexpr uint32_t STATUS_WPS_EAP_M2D_RECEIVED = 20;
constexpr uint32_t STATUS_WPS_EAP_M3_SENT = 21;
constexpr uint32_t STATUS_WPS_EAP_M4_RECEIVED = 22;
constexpr uint32_t STATUS_WPS_EAP_M5_SENT = 23;
constexpr uint32_t STATUS_WPS_EAP_M6_RECEIVED = 24;
constexpr uint32_t STATUS_WPS_EAP_M7_SENT = 25;
constexpr uint32_t STATUS_WPS_EAP_M8_RECEIVED = 26;
constexpr uint32_t STATUS_WPS_EAP_RSP_DONE_SENT = 27;
constexpr uint32_t STATUS_WPS_EAP_M1_RECEIVED = 34;
constexpr uint32_t STATUS_WPS_EAP_M2_SENT = 35;
constexpr uint32_t STATUS_WPS_EAP_M2D_SENT = 36;
constexpr uint32_t STATUS_WPS_EAP_M3_RECEIVED = 37;
constexpr uint32_t STATUS_WPS_EAP_M4_SENT = 38;
constexpr uint32_t STATUS_WPS_EAP_M5_RECEIVED = 39;
constexpr uint32_t STATUS_WPS_EAP_M6_SENT = 40;
constexpr uint32_t STATUS_WPS_EAP_M7_RECEIVED = 41;
constexpr uint32_t STATUS_WPS_EAP_M8_SENT = 42;
constexpr uint32_t STATUS_WPS_EAP_REQ_DONE_RECEIVED = 43;
constexpr uint32_t STATUS_WPS_EXTREG_SCAN_ENROLLEE = 44;
constexpr uint32_t STATUS_WPS_EXTREG_SCAN_ONE_ENROLLEE = 45;
constexpr uint32_t STATUS_WPS_PBC_TOO_MANY_AP = 257;
constexpr uint32_t STATUS_WPS_PBC_NO_AP = 258;
constexpr uint32_t STATUS_WPS_EAP_FAIL_RECEIVED = 259;
constexpr uint32_t STATUS_WPS_EAP_NONCE_MISMATCH = 260;
constexpr uint32_t STATUS_WPS_EAP_INVALID_DATA = 261;
constexpr uint32_t STATUS_WPS_PASSWORD_MISMATCH = 262;
constexpr uint32_t STATUS_WPS_EXTREG_PBC_NO_ENROLLEE = 266;
constexpr uint32_t STATUS_WPS_EXTREG_PBC_TOO_MANY_ENROLLEE = 267;
constexpr uint32_t STATUS_WPS_INVALID_SSID = 513;
constexpr uint32_t STATUS_WPS_EAP_REQ_WRONG_SMI = 514;
constexpr uint32_t STATUS_WPS_EAP_REQ_WRONG_VENDOR_TYPE = 515;
constexpr uint32_t STATUS_WPS_EAP_FAILED = 516;
constexpr uint32_t STATUS_WPS_TRY_NEXT_AP = 517;

// Progress of a code that leaves the bar as it was.
constexpr int WPS_PROGRESS_UNCHANGED = -1;

// One code of the status word. The text after the prefix is the interface string `text`,
// else `fixedText`, else nothing.
struct WPS_STATUS_INFO {
    uint32_t code;
    int progress;  // percent, or WPS_PROGRESS_UNCHANGED
    std::string CUISTR::*text;
    const char* fixedText;
};

bool IsWpsPinRun(uint32_t statusWord);
uint32_t WpsStatusCode(uint32_t statusWord);

// The entry of a code, or null when the table does not list it.
const WPS_STATUS_INFO* FindWpsStatus(uint32_t code);
// The code's percent; WPS_PROGRESS_UNCHANGED for a code the table does not list.
int WpsStatusProgress(uint32_t code);
// The text that follows the prefix; empty for a code the table does not list. Code 15 reads
// STR_WPS_STATUS_EXTREG_CONFIGSTA_OK when the external registrar configured a station.
std::string WpsStatusCodeText(const CUISTR& texts, uint32_t code, bool configuredStation = false);
// The whole status line of a status word: STR_WPS_STATUS_PIN or STR_WPS_STATUS_PBC by bit 28,
// then the code's text.
std::string WpsStatusLine(const CUISTR& texts, uint32_t statusWord, bool configuredStation = false);

// External-registrar codes of the adapter callback.
constexpr int RC_STATUS_WPS_EAP_M1_RECEIVED = 201;
constexpr int RC_STATUS_WPS_EAP_M2_SENT = 202;
constexpr int RC_STATUS_WPS_EAP_M3_RECEIVED = 203;
constexpr int RC_STATUS_WPS_EAP_M4_SENT = 204;
constexpr int RC_STATUS_WPS_EAP_M5_RECEIVED = 205;
constexpr int RC_STATUS_WPS_EAP_M6_SENT = 206;
constexpr int RC_STATUS_WPS_EAP_M7_RECEIVED = 207;
constexpr int RC_STATUS_WPS_EAP_M8_SENT = 208;
constexpr int RC_STATUS_WPS_EAP_FAILED = 210;
constexpr int RC_STATUS_WPS_EAP_M3_NOT_RECEIVED = 211;
constexpr int RC_STATUS_WPS_EAP_M5_NOT_RECEIVED = 212;
constexpr int RC_STATUS_WPS_EAP_M7_NOT_RECEIVED = 213;
constexpr int RC_STATUS_WPS_EAP_DEVICE_NOT_FOUND = 214;
constexpr int RC_STATUS_WPS_EAP_WSC_DONE_RECEIVED = 221;
constexpr int RC_STATUS_WPS_EAP_DEVICE_FOUND = 222;
constexpr int RC_STATUS_WPS_EAP_DEVICE_REMOVED = 223;
constexpr int RC_STATUS_WPS_EAP_PROBREQ_RECEIVED = 224;

struct WPS_EXTREG_STATUS_INFO {
    int code;
    std::string CUISTR::*text;
    bool keepsPrefix;  // false: the text stands alone
};

// The entry of an external-registrar code, or null when the table does not list it.
const WPS_EXTREG_STATUS_INFO* FindExtRegStatus(int code);
// The status line of an external-registrar code: "PIN - " (WPS mode 1) or "PBC - " (mode 2),
// nothing in any other mode or where the code drops it, then the code's text. A code the
// table does not list gives the prefix alone.
std::string ExtRegStatusLine(const CUISTR& texts, int code, int wpsMode);
