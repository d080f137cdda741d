// WPS status codes, external-registrar codes, the PIN of the WPS records and the credential
// correspondence with NDIS values.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "profiles/WpsRecords.h"
#include "profiles/WpsStatus.h"
#include "wlapi/constants.h"

namespace {

// Every interface text reads as its own key, so a test sees which key was chosen.
CUISTR KeyTexts()
{
    CUISTR texts;
    for (const CUISTR::KeyEntry& entry : CUISTR::Keys())
        texts.*(entry.member) = entry.key;
    return texts;
}

const CUISTR& Texts()
{
    static const CUISTR texts = KeyTexts();
    return texts;
}

std::string PinBytes(const WPS_MODE& mode)
{
    return std::string(reinterpret_cast<const char*>(mode.PIN), sizeof mode.PIN);
}

}  // namespace

TEST(WpsStatus, CodesGiveTheirProgressAndText)
{
    constexpr int U = WPS_PROGRESS_UNCHANGED;
    struct Case {
        uint32_t code;
        int progress;
        std::string text;
    };
    const Case cases[] = {
        {0, 0, "STR_WPS_STATUS_NOT_USED"},
        {1, U, "STR_WPS_STATUS_WPS_IDLE"},
        {2, 10, "STR_WPS_STATUS_SCAN_AP"},
        {6, 30, "STR_WPS_STATUS_EAP_RSP_ID_SENT"},
        {7, U, "STR_WPS_STATUS_EAP_RSP_ACK_SENT"},
        {8, U, "Sending EAP-Rsp (NACK)"},
        {9, U, "STR_WPS_STATUS_EAP_REQ_NACK_RECEIVED"},
        {15, 100, "STR_WPS_STATUS_GET_PROFILE"},
        {17, 35, "STR_WPS_STATUS_EAP_REQ_START_RECEIVED"},
        {20, 50, "STR_WPS_STATUS_EAP_M2D_RECEIVED"},
        {27, 90, "STR_WPS_STATUS_EAP_RSP_DONE_SENT"},
        {34, 40, "STR_WPS_STATUS_EAP_M1_RECEIVED"},
        {36, 50, "STR_WPS_STATUS_EAP_M2D_SENT"},
        {43, 90, "STR_WPS_STATUS_EAP_REQ_DONE_RECEIVED"},
        {45, U, "STR_WPS_STATUS_EXTREG_SCAN_ONE_ENROLLEE"},
        {257, U, "STR_WPS_STATUS_PBC_TOO_MANY_AP"},
        {262, U, "STR_WPS_STATUS_PASSWORD_MISMATCH"},
        {267, U, "STR_WPS_STATUS_EXTREG_PBC_TOO_MANY_ENROLLEE"},
        {513, 0, "STR_WPS_STATUS_INVALID_SSID"},
        {516, 0, "STR_WPS_STATUS_EAP_FAILED"},
        {517, U, ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(WpsStatusProgress(c.code), c.progress) << c.code;
        EXPECT_EQ(WpsStatusCodeText(Texts(), c.code), c.text) << c.code;
        EXPECT_NE(FindWpsStatus(c.code), nullptr) << c.code;
    }
}

TEST(WpsStatus, UnlistedCodesLeaveTheBarAndShowNoText)
{
    for (uint32_t code : {10u, 14u, 16u, 28u, 33u, 46u, 256u, 263u, 265u, 268u, 512u, 518u, 0x0FFFFFFFu}) {
        EXPECT_EQ(FindWpsStatus(code), nullptr) << code;
        EXPECT_EQ(WpsStatusProgress(code), WPS_PROGRESS_UNCHANGED) << code;
        EXPECT_EQ(WpsStatusCodeText(Texts(), code), "") << code;
        EXPECT_EQ(WpsStatusCodeText(Texts(), code, true), "") << code;
    }
}

TEST(WpsStatus, StatusWordGivesPrefixByRunKindThenTheCodeText)
{
    struct Case {
        uint32_t word;
        bool configuredStation;
        bool pin;
        uint32_t code;
        std::string line;
    };
    const Case cases[] = {
        {0x10000012, false, true, 18, "STR_WPS_STATUS_PINSTR_WPS_STATUS_EAP_M1_SENT"},
        {0x00000012, false, false, 18, "STR_WPS_STATUS_PBCSTR_WPS_STATUS_EAP_M1_SENT"},
        {0x1000000F, false, true, 15, "STR_WPS_STATUS_PINSTR_WPS_STATUS_GET_PROFILE"},
        {0x1000000F, true, true, 15, "STR_WPS_STATUS_PINSTR_WPS_STATUS_EXTREG_CONFIGSTA_OK"},
        {0x00000205, false, false, 517, "STR_WPS_STATUS_PBC"},
        {0x10000063, false, true, 99, "STR_WPS_STATUS_PIN"},
        // Bits above 28 belong to neither the kind nor the code.
        {0xE0000002, false, false, 2, "STR_WPS_STATUS_PBCSTR_WPS_STATUS_SCAN_AP"},
        {0xFFFFFFFF, false, true, 0x0FFFFFFF, "STR_WPS_STATUS_PIN"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(IsWpsPinRun(c.word), c.pin) << std::hex << c.word;
        EXPECT_EQ(WpsStatusCode(c.word), c.code) << std::hex << c.word;
        EXPECT_EQ(WpsStatusLine(Texts(), c.word, c.configuredStation), c.line) << std::hex << c.word;
    }
    EXPECT_EQ(WpsStatusProgress(WpsStatusCode(0x10000012)), 40);
}

TEST(WpsStatus, ExternalRegistrarCodesKeepOrDropTheModePrefix)
{
    struct Case {
        int code;
        int wpsMode;
        std::string line;
    };
    const Case cases[] = {
        {201, 1, "PIN - STR_WPS_STATUS_UPNP_M1_RECEIVED"},
        {208, 2, "PBC - STR_WPS_STATUS_UPNP_M8_SENT_OK"},
        {210, 1, "PIN - STR_WPS_STATUS_EXTREG_CONFIG_STA_FAIL"},
        {213, 2, "PBC - STR_WPS_STATUS_EAP_M7_NOT_RECEIVED"},
        {221, 0, "STR_WPS_STATUS_EXTREG_CONFIGSTA_OK"},
        {221, 3, "STR_WPS_STATUS_EXTREG_CONFIGSTA_OK"},
        {214, 1, "STR_WPS_STATUS_UPNP_DEVICE_NOT_FOUND"},
        {222, 2, "STR_WPS_STATUS_UPNP_DEVICE_FOUND"},
        {223, 1, "STR_WPS_STATUS_UPNP_DEVICE_REMOVED"},
        {224, 2, "STR_WPS_STATUS_UPNP_PROBREQ_RECEIVED"},
        // Codes that are not passed on, or out of range: the prefix alone.
        {209, 1, "PIN - "},
        {215, 2, "PBC - "},
        {220, 0, ""},
        {225, 1, "PIN - "},
        {-1, 2, "PBC - "},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ExtRegStatusLine(Texts(), c.code, c.wpsMode), c.line) << c.code << " mode " << c.wpsMode;
        EXPECT_EQ(FindExtRegStatus(c.code) != nullptr, IsWpsEapCallbackCode(c.code)) << c.code;
    }
}

TEST(WpsRecords, StartRecordPinTakesTheEightOrFourDigitForm)
{
    struct Case {
        uint32_t pin;
        std::string bytes;
    };
    const Case cases[] = {
        {12345670, "12345670"},
        {1234567, "01234567"},  // an 8-digit PIN with a leading zero keeps it
        {10000, "00010000"},
        {99999999, "99999999"},
        {9999, std::string("\xFF\xFF\xFF\xFF") + "9999"},
        {1234, std::string("\xFF\xFF\xFF\xFF") + "1234"},  // also 00001234 typed as 8 digits
        {7, std::string("\xFF\xFF\xFF\xFF") + "0007"},
        {0, std::string("\xFF\xFF\xFF\xFF") + "0000"},
    };
    for (const Case& c : cases) {
        WPS_MODE mode{};
        mode.ConfigMode = WPS_START_CONFIG_ENROLLEE;
        ASSERT_TRUE(SetStartRecordPin(mode, c.pin)) << c.pin;
        EXPECT_EQ(PinBytes(mode), c.bytes) << c.pin;
        EXPECT_EQ(mode.WpsSSID.SsidLength, 0u);  // nothing beyond the field
        EXPECT_EQ(mode.ConfigMode, WPS_START_CONFIG_ENROLLEE);
    }
}

TEST(WpsRecords, PinKeepsItsLengthThroughTheStoredAndStartRecords)
{
    struct Case {
        uint32_t pin;
        int length;
        std::string stored;  // the stored record's PIN field
        std::string start;   // the start record's PIN field
        std::string shown;
    };
    const std::string ff4("\xFF\xFF\xFF\xFF");
    const Case cases[] = {
        {12345670, 8, "12345670", "12345670", "12345670"},
        {1234567, 8, "01234567", "01234567", "01234567"},
        {1234, 8, "00001234", "00001234", "00001234"},  // 0000123x: still eight digits
        {1234, 4, "1234" + std::string(4, '\0'), ff4 + "1234", "1234"},
        {7, 4, "0007" + std::string(4, '\0'), ff4 + "0007", "0007"},
        // Unknown length: the length follows from the number.
        {1234567, WPS_PIN_LENGTH_UNKNOWN, "1234567" + std::string(1, '\0'), "01234567", "01234567"},
        {1234, WPS_PIN_LENGTH_UNKNOWN, "1234" + std::string(4, '\0'), ff4 + "1234", "1234"},
    };
    for (const Case& c : cases) {
        WPS_MODE stored{};
        std::memset(stored.PIN, 'x', sizeof stored.PIN);
        ASSERT_TRUE(SetStoredRecordPin(stored, c.pin, c.length)) << c.pin;
        EXPECT_EQ(PinBytes(stored), c.stored) << c.pin;
        uint32_t pin = 0;
        int length = 0;
        ASSERT_TRUE(ReadStoredRecordPin(stored, pin, length)) << c.pin;
        EXPECT_EQ(pin, c.pin);
        WPS_MODE start{};
        ASSERT_TRUE(SetStartRecordPin(start, pin, length)) << c.pin;
        EXPECT_EQ(PinBytes(start), c.start) << c.pin;
        EXPECT_EQ(PinText(pin, length), c.shown) << c.pin;
    }
    // A 4-digit PIN cannot hold five digits; a field of eight digits and no terminator reads
    // no further than the field.
    WPS_MODE mode{};
    EXPECT_FALSE(SetStartRecordPin(mode, 12345, 4));
    std::memcpy(mode.PIN, "87654321", 8);
    mode.WpsSSID.SsidLength = 0x39393939;  // "9999" right after the field
    uint32_t pin = 0;
    int length = 0;
    ASSERT_TRUE(ReadStoredRecordPin(mode, pin, length));
    EXPECT_EQ(pin, 87654321u);
    EXPECT_EQ(length, 8);
    std::memcpy(mode.PIN, "12a4", 4);
    EXPECT_FALSE(ReadStoredRecordPin(mode, pin, length));
}

TEST(WpsRecords, PinOfMoreThanEightDigitsIsRefusedWithoutOverflow)
{
    for (uint32_t pin : {100000000u, 123456789u, 0xFFFFFFFFu}) {
        WPS_MODE mode{};
        std::memset(&mode, 0xAB, sizeof mode);
        EXPECT_FALSE(SetStartRecordPin(mode, pin)) << pin;
        EXPECT_EQ(PinBytes(mode), std::string(8, '\0')) << pin;
        EXPECT_EQ(mode.WpsSSID.SsidLength, 0xABABABABu) << pin;  // the next field untouched
        EXPECT_FALSE(SetStoredRecordPin(mode, pin)) << pin;
        EXPECT_EQ(PinBytes(mode), std::string(8, '\0')) << pin;
        EXPECT_EQ(mode.WpsSSID.SsidLength, 0xABABABABu) << pin;
    }
}

TEST(WpsRecords, CredentialMatchesConnectionByBothColumns)
{
    struct Case {
        uint32_t authType, encrType, ndisAuth, ndisEncryption;
        bool match;
    };
    const Case cases[] = {
        {34, 12, 7, 6, true},
        {32, 8, 7, 6, true},
        {34, 12, 4, 4, true},
        {34, 12, 6, 6, false},  // WPA2 enterprise is not a PSK network
        {32, 8, 7, 4, false},   // TKIP against AES
        {2, 4, 4, 5, true},
        {4, 2, 1, 0, true},
        {4, 2, 1, 2, true},
        {8, 8, 3, 7, true},
        {16, 12, 6, 5, true},
        {1, 1, 0, 1, true},
        {1, 1, 0, 2, true},
        {1, 1, 0, 0, false},
        {1, 2, 0, 0, true},     // open with WEP
        {99, 99, 0, 1, true},   // unknown values count as open and none
        {99, 99, 4, 1, false},
    };
    for (const Case& c : cases) {
        WPS_CREDENTIAL credential{};
        credential.AuthType = c.authType;
        credential.EncrType = c.encrType;
        EXPECT_EQ(CredentialMatchesConnection(credential, c.ndisAuth, c.ndisEncryption), c.match)
            << c.authType << "/" << c.encrType << " against " << c.ndisAuth << "/" << c.ndisEncryption;
    }
}

TEST(WpsRecords, StoredProfileValuesBecomeCredentialValues)
{
    const std::pair<uint32_t, uint32_t> auth[] = {{0, 1}, {4, 2}, {7, 32}, {1, 1}, {3, 1}, {6, 1}, {99, 1}};
    for (auto [ndis, wps] : auth)
        EXPECT_EQ(CredentialAuthFromNdis(ndis), wps) << ndis;
    const std::pair<uint32_t, uint32_t> encryption[] = {{0, 2}, {1, 1}, {4, 4}, {6, 8}, {2, 1}, {5, 1}, {7, 1}, {99, 1}};
    for (auto [ndis, wps] : encryption)
        EXPECT_EQ(CredentialEncrFromNdis(ndis), wps) << ndis;
}
