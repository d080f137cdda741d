#pragma once
// Reading the stored wireless profile record: its texts, bounded by their fields, and the
// editor's values of its authentication and encryption.
#include <windows.h>
#include <string>

#include "wlapi/records.h"

// The profile name, up to the first zero byte inside the 128-byte field.
std::string ProfileNameOf(const WLANPROFILE& profile);
// The SSID bytes, at most the SSID length (itself at most 32) and up to the first zero byte.
std::string ProfileSsidOf(const WLANPROFILE& profile);
// Open system without encryption.
bool IsOpenProfile(const WLANPROFILE& profile);

// The editor's authentication value of a stored record (802.1X with WEP gives 12).
int StoredAuthToEditor(DWORD authenMode, DWORD b8021X, DWORD encryStatus);
// The editor's encryption value of a stored encryption status.
int StoredEncryToEditor(DWORD encryStatus);

// The WAPI identities: the editor keeps a 16-bit length, the record one length byte, so an
// identity above 255 bytes cannot be stored.
constexpr int kMaxRecordIdentity = 255;
WAPI_ID_BUFFER IdentityFromRecord(const WAPI_IDENTITY& stored);
// Length and bytes into the record; false, leaving the record's identity empty, when the
// length does not fit its byte.
bool IdentityToRecord(const WAPI_ID_BUFFER& working, WAPI_IDENTITY& stored);
