#pragma once
#include <cstdint>
#include "wlapi/records.h"

// Debug dumps of the records exchanged with the adapter library: one level-6 line per field.
// Keys, passphrases and PINs are never written, only their lengths.
void DumpWlanProfile(const WLANPROFILE* profile);
void DumpCCX2Ctrl(uint32_t ccx2Control);
void DumpAdvanceCfg(const ADVANCE_CONFIG_DATA* config);
void DumpAdvanceOID(const ADVANCE_OID* oid);
void DumpWPSMode(const WPS_MODE* mode);
void DumpOneWPSProfile(const WPS_CREDENTIAL* credential);
void DumpWPSProfile(const WPS_PROFILE* profile);
