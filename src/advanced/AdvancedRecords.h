#pragma once
// Conversions of the advanced settings words and records, and the hand-over of a CCX word
// to the driver for the active profile.
#include <cstdint>

#include "wlapi/records.h"

// The HT-mode value the wireless page keeps for HTMODE and LEGACYMODE together:
// LEGACYMODE when it is 2 or 3, else HTMODE.
uint32_t TransmitHtMode(uint32_t transmit);
// The transmit word with the HT-mode value stored: 2 and 3 go to LEGACYMODE with HTMODE 0,
// any other value to HTMODE with LEGACYMODE 0. Other fields as they were.
uint32_t TransmitWithHtMode(uint32_t transmit, uint32_t htMode);

// The driver-request shape of a configuration record, field by field; zero-filled first.
ADVANCE_OID DeriveAdvanceOid(const ADVANCE_CONFIG_DATA& config);

// The 2.4 GHz and 5 GHz region codes of the word WVWL_QueryCountryRegion reports.
uint32_t RegionCode24G(uint32_t regionWord);
uint32_t RegionCode5G(uint32_t regionWord);

// The roaming threshold of a CCX word in dBm (dBmToRoam 70 is -70 dBm).
int CcxRoamThresholdDbm(uint32_t ccx2Control);
// The measurement time limit of a CCX word as shown: 250 when outside 1 to 1023.
uint32_t CcxTuLimitShown(uint32_t ccx2Control);
constexpr uint32_t kCcxTuLimitDefault = 250;

// Hands a CCX word to the driver for the active profile: WVWL_SetCCXInfo with mode 0 when
// the active profile is tied to a BSSID, else (also with no active profile) mode 1.
void SetCCXInfoForActiveProfile(uint32_t ccx2Control);

// The adapter's connection status as the advanced pages query it (query values 0, 1, 0, 0, 0).
WLAN_STATUS QueryConnectionStatus();
// Disconnects and connects the status's profile again through the operating system's WLAN
// service, with its values converted from the NDIS numbering.
void ReconnectThroughWlanService(WLAN_STATUS& status, bool logIt);
