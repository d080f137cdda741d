#pragma once
// Filling the WPS records: the PIN of the start and stored records, and the correspondence
// between credential values and the NDIS values of a connection or a stored profile.
#include <cstdint>

#include "wlapi/records.h"

// Start record: a PIN of 5 to 8 decimal digits as exactly 8 digits with leading zeros; a PIN
// of 4 digits or fewer as 0xFF 0xFF 0xFF 0xFF and exactly 4 digits. False, PIN left zero, for
// a number of more than 8 digits.
bool SetStartRecordPin(WPS_MODE& mode, uint32_t pin);
// Stored record: the decimal digits without leading zeros, the rest zero. False, PIN left
// zero, for a number of more than 8 digits.
bool SetStoredRecordPin(WPS_MODE& mode, uint32_t pin);

// True when a connection with these NDIS authentication mode and encryption status matches
// the credential's AuthType and EncrType.
bool CredentialMatchesConnection(const WPS_CREDENTIAL& credential, uint32_t ndisAuth, uint32_t ndisEncryption);
// Credential values of a stored profile's NDIS authentication mode and encryption status.
uint32_t CredentialAuthFromNdis(uint32_t ndisAuth);
uint32_t CredentialEncrFromNdis(uint32_t ndisEncryption);
