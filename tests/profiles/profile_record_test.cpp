// Reading the stored profile record: bounded texts and the editor's values of its modes.
#include <gtest/gtest.h>

#include <cstring>

#include "profiles/FormProfileEdit.h"
#include "profiles/ProfileRecord.h"

namespace {

WLANPROFILE Cleared()
{
    WLANPROFILE p;
    std::memset(&p, 0, sizeof p);
    return p;
}

} // namespace

TEST(ProfileRecord, TextsStayInsideTheirFields)
{
    WLANPROFILE p = Cleared();
    // A 32-character SSID has no terminating zero; the BSSID behind it must not be read.
    p.SSID.SsidLength = 32;
    std::memset(p.SSID.Ssid, 'S', 32);
    std::memset(p.BSSID, 'B', 6);
    EXPECT_EQ(ProfileSsidOf(p), std::string(32, 'S'));
    // A hostile length is cut to the field.
    p.SSID.SsidLength = 0xFFFFFFFF;
    EXPECT_EQ(ProfileSsidOf(p), std::string(32, 'S'));
    // The length counts only up to an embedded zero.
    p.SSID.SsidLength = 8;
    std::memcpy(p.SSID.Ssid, "Home\0Net", 8);
    EXPECT_EQ(ProfileSsidOf(p), "Home");

    // A name filling the whole 128-byte field without a zero.
    std::memset(p.strProfileName, 'N', sizeof p.strProfileName);
    p.nProfileID = 0x41414141;
    EXPECT_EQ(ProfileNameOf(p), std::string(128, 'N'));
    std::strcpy(p.strProfileName, "Office");
    EXPECT_EQ(ProfileNameOf(p), "Office");
}

TEST(ProfileRecord, OnlyOpenSystemWithoutEncryptionIsUnsecured)
{
    struct Case {
        DWORD auth, encry;
        bool open;
    } cases[] = {{0, 1, true}, {0, 0, false}, {1, 1, false}, {7, 6, false}, {0, 4, false}};
    for (const Case& c : cases) {
        WLANPROFILE p = Cleared();
        p.enumAuthenMode = c.auth;
        p.enumEncryStatus = c.encry;
        EXPECT_EQ(IsOpenProfile(p), c.open) << c.auth << "/" << c.encry;
    }
}

TEST(ProfileRecord, StoredModesLoadAsTheEditorValuesThatSaveThem)
{
    struct Case {
        DWORD auth, dot1x, encry;
        int editorAuth, editorEncry;
    } cases[] = {
        {0, 0, 1, 0, 0},   // open
        {0, 0, 0, 0, 1},   // open with WEP
        {0, 1, 0, 12, 1},  // 802.1X with WEP
        {1, 0, 0, 1, 1},   // shared
        {3, 1, 4, 3, 2},   // WPA enterprise stays WPA
        {4, 0, 4, 4, 2},   // WPA-PSK
        {5, 0, 4, 7, 2},   // WPA-None
        {6, 1, 6, 5, 3},   // WPA2 enterprise stays WPA2
        {7, 0, 6, 6, 3},   // WPA2-PSK
        {10, 0, 9, 8, 4},  // WAPI-PSK
        {11, 0, 9, 9, 4},  // WAPI certificate
        {13, 1, 10, 10, 5}, // CCKM with TKIP and MFP
        {14, 0, 11, 11, 6}, // the entry without a place in the editor's list
        {2, 0, 7, 0, 0},   // values without meaning load as 0
        {99, 0, 99, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.auth) + "/" + std::to_string(c.encry));
        EXPECT_EQ(StoredAuthToEditor(c.auth, c.dot1x, c.encry), c.editorAuth);
        EXPECT_EQ(StoredEncryToEditor(c.encry), c.editorEncry);
        if (c.auth != 2 && c.auth != 99) {
            // Saving the loaded choice gives the stored values back.
            EXPECT_EQ(EditorAuthToStored(c.editorAuth), c.auth);
            EXPECT_EQ(EditorEncryToStored(c.editorEncry), c.encry);
        }
    }
}
