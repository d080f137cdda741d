#include "profiles/ProfileRecord.h"

#include <algorithm>
#include <cstring>

namespace {

std::string BoundedText(const char* field, size_t size)
{
    const char* end = static_cast<const char*>(std::memchr(field, 0, size));
    return std::string(field, end ? size_t(end - field) : size);
}

} // namespace

std::string ProfileNameOf(const WLANPROFILE& profile)
{
    return BoundedText(profile.strProfileName, sizeof profile.strProfileName);
}

std::string ProfileSsidOf(const WLANPROFILE& profile)
{
    const size_t length = std::min<size_t>(profile.SSID.SsidLength, sizeof profile.SSID.Ssid);
    return BoundedText(reinterpret_cast<const char*>(profile.SSID.Ssid), length);
}

bool IsOpenProfile(const WLANPROFILE& profile)
{
    return profile.enumAuthenMode == 0 && profile.enumEncryStatus == 1;
}

int StoredEncryToEditor(DWORD encryStatus)
{
    switch (encryStatus) {
    case 0: return 1;
    case 4: return 2;
    case 6: return 3;
    case 9: return 4;
    case 10: return 5;
    case 11: return 6;
    default: return 0;
    }
}

int StoredAuthToEditor(DWORD authenMode, DWORD b8021X, DWORD encryStatus)
{
    int editor = 0;
    switch (authenMode) {
    case 1: editor = 1; break;
    case 3: editor = 3; break;
    case 4: editor = 4; break;
    case 5: editor = 7; break;
    case 6: editor = 5; break;
    case 7: editor = 6; break;
    case 10: editor = 8; break;
    case 11: editor = 9; break;
    case 13: editor = 10; break;
    case 14: editor = 11; break;
    default: editor = 0; break;
    }
    // WPA, WPA2 and CCKM keep their kind; other 802.1X profiles with WEP are 802.1X.
    const bool keepsKind = authenMode == 3 || authenMode == 6 || authenMode == 13;
    if (b8021X == 1 && StoredEncryToEditor(encryStatus) == 1 && !keepsKind)
        editor = 12;
    return editor;
}

WAPI_ID_BUFFER IdentityFromRecord(const WAPI_IDENTITY& stored)
{
    WAPI_ID_BUFFER working{};
    working.Length = stored.Length;
    std::memcpy(working.Data, stored.Data, stored.Length);
    return working;
}

bool IdentityToRecord(const WAPI_ID_BUFFER& working, WAPI_IDENTITY& stored)
{
    stored = {};
    if (working.Length > kMaxRecordIdentity)
        return false;
    stored.Length = uint8_t(working.Length);
    std::memcpy(stored.Data, working.Data, working.Length);
    return true;
}
