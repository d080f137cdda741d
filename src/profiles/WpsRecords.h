#pragma once
// Filling the WPS records: the PIN of the start and stored records, and the correspondence
// between credential values and the NDIS values of a connection or a stored profile.
#include <cstdint>
#include <string>

#include "wlapi/records.h"

// A PIN carries its length: an 8-digit PIN that starts with zeros ("00001234") is still an
// 8-digit PIN. Length 0 means unknown: the length follows from the number (5 to 8 digits
// give 8, fewer give 4).
constexpr int WPS_PIN_LENGTH_UNKNOWN = 0;

// Start record: an 8-digit PIN as exactly 8 digits with leading zeros; a 4-digit PIN as
// 0xFF 0xFF 0xFF 0xFF and exactly 4 digits. False, PIN left zero, for a number of more
// digits than its length allows.
bool SetStartRecordPin(WPS_MODE& mode, uint32_t pin, int length = WPS_PIN_LENGTH_UNKNOWN);
// Stored record: the PIN's digits as text (an 8-digit PIN with its leading zeros; of unknown
// length without them), the rest zero. False, PIN left zero, as above.
bool SetStoredRecordPin(WPS_MODE& mode, uint32_t pin, int length = WPS_PIN_LENGTH_UNKNOWN);
// The PIN text of a stored record: its digits (at most 8) as number and length; false when
// a byte before the first zero is not a digit.
bool ReadStoredRecordPin(const WPS_MODE& mode, uint32_t& pin, int& length);
// The PIN as the pages show it: 8 digits with leading zeros, or 4.
std::string PinText(uint32_t pin, int length = WPS_PIN_LENGTH_UNKNOWN);

// True when a connection with these NDIS authentication mode and encryption status matches
// the credential's AuthType and EncrType.
bool CredentialMatchesConnection(const WPS_CREDENTIAL& credential, uint32_t ndisAuth, uint32_t ndisEncryption);
// Credential values of a stored profile's NDIS authentication mode and encryption status.
uint32_t CredentialAuthFromNdis(uint32_t ndisAuth);
uint32_t CredentialEncrFromNdis(uint32_t ndisEncryption);
