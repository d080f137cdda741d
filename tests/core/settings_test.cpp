#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "TempFolder.h"
#include "core/Settings.h"
#include "core/WvwlLib.h"

namespace {

// Points the program at a folder of its own holding Wevo.exe's settings.
class SettingsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        programPathOverride = [this] { return folder.File(programName + ".exe"); };
        VOZEZIV = {};
    }
    void TearDown() override { programPathOverride = nullptr; }

    // Each reading gets a settings file of its own name: the platform caches profile files
    // by name and modification time, which a quick rewrite may not change.
    void ReadAll(const std::string& ini, int winOS = 41, int winType = 14)
    {
        programName = "Wevo" + std::to_string(++serial);
        if (!ini.empty())
            folder.Write(programName + ".ini", ini);
        VOZEZIV.nWinOS = winOS;
        VOZEZIV.nWinType = winType;
        VOZEZIV.ReadSettings();
        VOZEZIV.ReadPersistentConnectSettings();
        VOZEZIV.ReadMediaServerSettings();
    }

    TempFolder folder;
    std::string programName = "Wevo";
    int serial = 0;
};

using Flag = int WVWLLIB::*;

struct NamedFlag {
    const char* name;
    Flag field;
};

const NamedFlag kAllFlags[] = {
    {"bWiFiDirectStandAlone", &WVWLLIB::bWiFiDirectStandAlone},
    {"bShowCountryRegion", &WVWLLIB::bShowCountryRegion},
    {"bSupportWAPI", &WVWLLIB::bSupportWAPI},
    {"bShowPassword", &WVWLLIB::bShowPassword},
    {"bEAPFastEnhancement", &WVWLLIB::bEAPFastEnhancement},
    {"bMaxClientNumber", &WVWLLIB::bMaxClientNumber},
    {"bTxRate", &WVWLLIB::bTxRate},
    {"bBgProtection", &WVWLLIB::bBgProtection},
    {"bHTSetting", &WVWLLIB::bHTSetting},
    {"bActiveProfileIcon", &WVWLLIB::bActiveProfileIcon},
    {"bProhibitWEPonHT", &WVWLLIB::bProhibitWEPonHT},
    {"bProhibitTKIPonHT", &WVWLLIB::bProhibitTKIPonHT},
    {"bSupportCCX", &WVWLLIB::bSupportCCX},
    {"bSupportWMM", &WVWLLIB::bSupportWMM},
    {"bSelect11nDialog", &WVWLLIB::bSelect11nDialog},
    {"bAssociateIE", &WVWLLIB::bAssociateIE},
    {"bProbeIE", &WVWLLIB::bProbeIE},
    {"bExternalRegistrar", &WVWLLIB::bExternalRegistrar},
    {"bWPS2_SecurityAll", &WVWLLIB::bWPS2_SecurityAll},
    {"bTxBurst", &WVWLLIB::bTxBurst},
    {"bTCPWindowSize", &WVWLLIB::bTCPWindowSize},
    {"bFastRoaming", &WVWLLIB::bFastRoaming},
    {"bHideSecuritymode", &WVWLLIB::bHideSecuritymode},
    {"bProfAdvPage", &WVWLLIB::bProfAdvPage},
    {"bWPA2PSKForAdhocXP", &WVWLLIB::bWPA2PSKForAdhocXP},
    {"bShowTestDialog", &WVWLLIB::bShowTestDialog},
    {"bACKPolicy_CoexMode_11nPage", &WVWLLIB::bACKPolicy_CoexMode_11nPage},
    {"bCompanyWebSiteLink", &WVWLLIB::bCompanyWebSiteLink},
    {"bEnrolleeInfoDialog", &WVWLLIB::bEnrolleeInfoDialog},
    {"bWPS2WiFiTestDialog", &WVWLLIB::bWPS2WiFiTestDialog},
    {"bWPSAutoPIN", &WVWLLIB::bWPSAutoPIN},
    {"bWPSPinByMac", &WVWLLIB::bWPSPinByMac},
    {"bSupport8DigitPin", &WVWLLIB::bSupport8DigitPin},
    {"bSupport4DigitPin", &WVWLLIB::bSupport4DigitPin},
    {"bSupportP2PAutoReconnect", &WVWLLIB::bSupportP2PAutoReconnect},
    {"bSupportWiFiDirectPersist", &WVWLLIB::bSupportWiFiDirectPersist},
    {"bPersistentConnect", &WVWLLIB::bPersistentConnect},
    {"bPEAP", &WVWLLIB::bPEAP},
    {"bTLS_SmartCard", &WVWLLIB::bTLS_SmartCard},
    {"bTTLS", &WVWLLIB::bTTLS},
    {"bEAP_FAST", &WVWLLIB::bEAP_FAST},
    {"bLEAP", &WVWLLIB::bLEAP},
    {"bMD5", &WVWLLIB::bMD5},
    {"bOpen_None", &WVWLLIB::bOpen_None},
    {"bOpen_WEP", &WVWLLIB::bOpen_WEP},
    {"bShared_WEP", &WVWLLIB::bShared_WEP},
    {"bWPA_PSK", &WVWLLIB::bWPA_PSK},
    {"bWPA2_PSK", &WVWLLIB::bWPA2_PSK},
    {"bSupportPersistentForXPX64", &WVWLLIB::bSupportPersistentForXPX64},
    {"bSupportPersistentForWin7Starter", &WVWLLIB::bSupportPersistentForWin7Starter},
    {"bSupportWiFiDirect", &WVWLLIB::bSupportWiFiDirect},
    {"bSupportWiFiDisplay", &WVWLLIB::bSupportWiFiDisplay},
    {"bSupportAdvanceSettings", &WVWLLIB::bSupportAdvanceSettings},
    {"bSupportWPSDisplayPinDialog", &WVWLLIB::bSupportWPSDisplayPinDialog},
    {"bProgPinOnly", &WVWLLIB::bProgPinOnly},
    {"bWiFiDirectSigmaTest", &WVWLLIB::bWiFiDirectSigmaTest},
    {"bWiFiDirectSigmaTestIni", &WVWLLIB::bWiFiDirectSigmaTestIni},
};

const std::string kOnWithoutFile[] = {
    "bSupportWiFiDirect", "bSupportWiFiDisplay", "bSupportWiFiDirectPersist", "bActiveProfileIcon",
    "bSupport8DigitPin", "bSupport4DigitPin", "bCompanyWebSiteLink", "bSupportWPSDisplayPinDialog",
    "bPersistentConnect", "bSupportPersistentForXPX64", "bEAP_FAST", "bLEAP", "bOpen_WEP",
    "bShared_WEP", "bWPA_PSK", "bWPA2_PSK",
};

}  // namespace

TEST_F(SettingsTest, WithoutFileEveryFlagTakesItsDefault)
{
    ReadAll("");
    for (const auto& flag : kAllFlags) {
        bool on = std::find(std::begin(kOnWithoutFile), std::end(kOnWithoutFile), flag.name) !=
                  std::end(kOnWithoutFile);
        EXPECT_EQ(VOZEZIV.*flag.field, on ? 1 : 0) << flag.name;
    }
    EXPECT_EQ(VOZEZIV.nDebugMode, 0);
    EXPECT_EQ(VOZEZIV.nUseDefaultRegPIN, 0);
    EXPECT_STREQ(VOZEZIV.strSoftAP_UIName, "ApUI");
    EXPECT_STREQ(VOZEZIV.strShortCut_FolderName, "Tarnwell Wireless");
    EXPECT_STREQ(VOZEZIV.strShortCut_IconName, "Tarnwell Wireless Utility");
    EXPECT_STRNE(VOZEZIV.strCompanyWebSite, "");
    EXPECT_EQ(VOZEZIV.strMediaServerServiceName, "ViRuvuzOdiraz");
    EXPECT_EQ(VOZEZIV.strMediaServerFriendlyName, "");
}

TEST_F(SettingsTest, EachKeyFollowsItsRule)
{
    const struct {
        const char* ini;
        int winOS;
        int winType;
        Flag field;
        int expected;
    } cases[] = {
        // 1 turns on: only the text "1".
        {"[AuthEncry]\nSupportWAPI=1\n", 41, 14, &WVWLLIB::bSupportWAPI, 1},
        {"[AuthEncry]\nSupportWAPI=yes\n", 41, 14, &WVWLLIB::bSupportWAPI, 0},
        {"[AuthEncry]\nSupportWAPI=01\n", 41, 14, &WVWLLIB::bSupportWAPI, 0},
        {"[Advance]\nActiveProfileIcon=\n", 41, 14, &WVWLLIB::bActiveProfileIcon, 0},
        {"[Advance]\nActiveProfileIcon=0\n", 41, 14, &WVWLLIB::bActiveProfileIcon, 0},
        {"[WiFiDirect]\nSupportWPSDisplayPinDialog=no\n", 41, 14, &WVWLLIB::bSupportWPSDisplayPinDialog, 0},
        // 0 turns off: only the text "0".
        {"[PersistentConnect]\nPEAP=yes\n", 41, 14, &WVWLLIB::bPEAP, 1},
        {"[PersistentConnect]\nPEAP=\n", 41, 14, &WVWLLIB::bPEAP, 1},
        {"[PersistentConnect]\nPEAP=0\n", 41, 14, &WVWLLIB::bPEAP, 0},
        {"[PersistentConnect]\nWPA2-PSK=0\n", 41, 14, &WVWLLIB::bWPA2_PSK, 0},
        {"[PersistentConnect]\nSupportPersistentForWin7Starter=1\n", 41, 14,
         &WVWLLIB::bSupportPersistentForWin7Starter, 1},
        {"[WPS]\nSupport8DigitPin=0\n", 41, 14, &WVWLLIB::bSupport8DigitPin, 0},
        {"[WPS]\nSupport4DigitPin=off\n", 41, 14, &WVWLLIB::bSupport4DigitPin, 1},
        {"[About]\nCompanyWebSiteLink=0\n", 41, 14, &WVWLLIB::bCompanyWebSiteLink, 0},
        {"[About]\nCompanyWebSiteLink=no\n", 41, 14, &WVWLLIB::bCompanyWebSiteLink, 1},
        // Stand-alone mode: the first per-OS key that reads "1" wins.
        {"[Settings]\nWiFiDirectStandAlone4114=1\nWiFiDirectStandAlone41=0\nWiFiDirectStandAlone=0\n", 41, 14,
         &WVWLLIB::bWiFiDirectStandAlone, 1},
        {"[Settings]\nWiFiDirectStandAlone41=1\n", 41, 14, &WVWLLIB::bWiFiDirectStandAlone, 1},
        {"[Settings]\nWiFiDirectStandAlone41=1\n", 31, 0, &WVWLLIB::bWiFiDirectStandAlone, 0},
        {"[Settings]\nWiFiDirectStandAlone=1\n", 51, 0, &WVWLLIB::bWiFiDirectStandAlone, 1},
        {"[Settings]\nWiFiDirectStandAlone4114=2\n", 41, 14, &WVWLLIB::bWiFiDirectStandAlone, 0},
        // Wi-Fi Direct and Display: a per-OS key can only turn the feature off.
        {"[WiFiDirect]\nSupportWiFiDirect41=0\nSupportWiFiDirect=1\n", 41, 14, &WVWLLIB::bSupportWiFiDirect, 0},
        {"[WiFiDirect]\nSupportWiFiDirect4114=1\nSupportWiFiDirect=0\n", 41, 14, &WVWLLIB::bSupportWiFiDirect, 0},
        {"[WiFiDirect]\nSupportWiFiDirect4114=0\n", 41, 14, &WVWLLIB::bSupportWiFiDirect, 0},
        {"[WiFiDirect]\nSupportWiFiDirect4114=0\n", 41, 0, &WVWLLIB::bSupportWiFiDirect, 1},
        {"[WiFiDirect]\nSupportWiFiDirect=yes\n", 41, 14, &WVWLLIB::bSupportWiFiDirect, 0},
        {"[WiFiDisplay]\nSupportWiFiDisplay51=0\n", 51, 0, &WVWLLIB::bSupportWiFiDisplay, 0},
        {"[WiFiDirect]\nSupportWiFiDisplay=0\n", 41, 14, &WVWLLIB::bSupportWiFiDisplay, 1},
        {"[WiFiDirect]\nSupportWiFiDirectPersist41=0\n", 41, 14, &WVWLLIB::bSupportWiFiDirectPersist, 0},
        // Automatic reconnection needs persistent groups.
        {"[WiFiDirect]\nSupportP2PAutoReconnect=1\nSupportWiFiDirectPersist=0\n", 41, 14,
         &WVWLLIB::bSupportP2PAutoReconnect, 0},
        {"[WiFiDirect]\nSupportP2PAutoReconnect=1\n", 41, 14, &WVWLLIB::bSupportP2PAutoReconnect, 1},
        // The 802.11n dialog switch turns rate and HT settings on.
        {"[Advance]\nSelect11nDialog=1\nTxRate=0\nHT Setting=0\n", 41, 14, &WVWLLIB::bTxRate, 1},
        {"[Advance]\nSelect11nDialog=1\nTxRate=0\nHT Setting=0\n", 41, 14, &WVWLLIB::bHTSetting, 1},
        {"[Advance]\nSelect11nDialog=1\n", 41, 14, &WVWLLIB::bSelect11nDialog, 1},
        {"[Advance]\nSelect11nDialog=true\nHT Setting=1\n", 41, 14, &WVWLLIB::bHTSetting, 1},
        {"[Advance]\nSelect11nDialog=true\nHT Setting=1\n", 41, 14, &WVWLLIB::bTxRate, 0},
        {"[Advance]\nHTSetting=1\n", 41, 14, &WVWLLIB::bHTSetting, 0},
        // Keys in the wrong section count as missing.
        {"[Settings]\nSupportWAPI=1\n", 41, 14, &WVWLLIB::bSupportWAPI, 0},
        {"[WiFiDirect]\nWiFiDirectSigmaTest=1\n", 41, 14, &WVWLLIB::bWiFiDirectSigmaTest, 1},
        {"[WiFiDirect]\nWiFiDirectSigmaTest=1\n", 41, 14, &WVWLLIB::bWiFiDirectSigmaTestIni, 1},
        {"[Settings]\nProhibitTKIPonHT=1\n", 41, 14, &WVWLLIB::bProhibitTKIPonHT, 1},
        {"[Profile]\nHideSecuritymode=1\n", 41, 14, &WVWLLIB::bHideSecuritymode, 1},
        {"[ExtendedAP]\nMaxClientNumber=1\n", 41, 14, &WVWLLIB::bMaxClientNumber, 1},
    };
    for (const auto& c : cases) {
        VOZEZIV = {};
        ReadAll(c.ini, c.winOS, c.winType);
        EXPECT_EQ(VOZEZIV.*c.field, c.expected) << c.ini << "(os " << c.winOS << ", type " << c.winType << ")";
    }
}

TEST_F(SettingsTest, IntegersAreStoredAsRead)
{
    ReadAll("[Settings]\nDebugMode=-3\n[WiFiDirect]\nUseDefaultRegPIN=12345670\n");
    EXPECT_EQ(VOZEZIV.nDebugMode, -3);
    EXPECT_EQ(VOZEZIV.nUseDefaultRegPIN, 12345670);
    ReadAll("[Settings]\nDebugMode=6\n");
    EXPECT_EQ(VOZEZIV.nDebugMode, 6);
}

TEST_F(SettingsTest, CustomTextsAreCopiedAndCutTo127Characters)
{
    const std::string exact(127, 'x');
    const std::string longer(300, 'y');
    ReadAll("[Custom]\nSoftAP_UIName=MyAp\nShortCut_FolderName=" + exact + "\nShortCut_IconName=" + longer +
            "\nCompanyWebSite=http://example.org/\n");
    EXPECT_STREQ(VOZEZIV.strSoftAP_UIName, "MyAp");
    EXPECT_EQ(std::string(VOZEZIV.strShortCut_FolderName), exact);
    EXPECT_EQ(std::string(VOZEZIV.strShortCut_IconName), std::string(127, 'y'));
    EXPECT_STREQ(VOZEZIV.strCompanyWebSite, "http://example.org/");
}

TEST_F(SettingsTest, MediaServerNamesComeFromTheirOwnFile)
{
    folder.Write("ViRuvuzOdiraz.ini", "[Service]\nServiceName=MediaSvc\n[Device]\nFriendlyName=Living room\n");
    ReadAll("");
    EXPECT_EQ(VOZEZIV.strMediaServerServiceName, "MediaSvc");
    EXPECT_EQ(VOZEZIV.strMediaServerFriendlyName, "Living room");
}

TEST_F(SettingsTest, MediaServerFileWithoutKeysGivesDefaults)
{
    folder.Write("ViRuvuzOdiraz.ini", "[Service]\nOther=1\n");
    VOZEZIV.strMediaServerFriendlyName = "stale";
    VOZEZIV.ReadMediaServerSettings();
    EXPECT_EQ(VOZEZIV.strMediaServerServiceName, "ViRuvuzOdiraz");
    EXPECT_EQ(VOZEZIV.strMediaServerFriendlyName, "");
}

TEST_F(SettingsTest, AccessFunctionsReadTheProgramsSettingsFile)
{
    folder.Write(programName + ".ini", "[MainMenu]\nProfile=1\nAbout=0\nText=hello world\n");
    EXPECT_EQ(ReadINIStr("MainMenu", "Text", "def", "ini"), "hello world");
    EXPECT_EQ(ReadINIStr("MainMenu", "Missing", "def", "ini"), "def");
    EXPECT_TRUE(ReadINIBool("MainMenu", "Profile", 0, "ini"));
    EXPECT_FALSE(ReadINIBool("MainMenu", "About", 1, "ini"));
    EXPECT_TRUE(ReadINIBool("MainMenu", "Missing", 1, "ini"));
    EXPECT_EQ(ReadINIInt("MainMenu", "Profile", 7, "ini"), 1);
    EXPECT_EQ(ReadINIInt("MainMenu", "Missing", 7, "ini"), 7);
}

TEST_F(SettingsTest, WriteINIStrWritesTheNamedFileBesideTheProgram)
{
    EXPECT_TRUE(WriteINIStr("WiFiDirect", "LatestPIN", "12345670", "", "WevoSettings.ini"));
    char value[32] = {};
    GetPrivateProfileStringA("WiFiDirect", "LatestPIN", "", value, sizeof value,
                             folder.File("WevoSettings.ini").c_str());
    EXPECT_STREQ(value, "12345670");

    EXPECT_TRUE(WriteINIStr("Settings", "DebugMode", "2", "ini", ""));
    EXPECT_EQ(ReadINIInt("Settings", "DebugMode", 0, "ini"), 2);
}

TEST(SettingsFilePath, ReplacesTheProgramsExtension)
{
    const struct {
        const char* program;
        const char* settings;
    } cases[] = {
        {"D:\\Tools\\wlan\\Utility.exe", "D:\\Tools\\wlan\\Utility.ini"},
        {"C:\\a.b\\Wevo.exe", "C:\\a.b\\Wevo.ini"},
        {"C:\\a.b\\Wevo", "C:\\a.b\\Wevo.ini"},
        {"C:\\x\\Wevo.v2.exe", "C:\\x\\Wevo.v2.ini"},
    };
    for (const auto& c : cases) {
        programPathOverride = [&c] { return std::string(c.program); };
        EXPECT_EQ(SettingsFilePath("ini"), c.settings);
    }
    programPathOverride = [] { return std::string("D:\\Tools\\wlan\\Utility.exe"); };
    EXPECT_EQ(ProgramFolder(), "D:\\Tools\\wlan\\");
    programPathOverride = nullptr;
}

TEST(ShippedSettingsFile, ReadsAsAUserOfTheAdapterExpects)
{
    programPathOverride = [] { return TestProgramFolder() + "Wevo.exe"; };
    VOZEZIV = {};
    VOZEZIV.nWinOS = 41;
    VOZEZIV.nWinType = 0;
    VOZEZIV.ReadSettings();
    VOZEZIV.ReadPersistentConnectSettings();
    EXPECT_EQ(VOZEZIV.nDebugMode, 0);
    EXPECT_EQ(VOZEZIV.bWiFiDirectStandAlone, 0);
    EXPECT_EQ(VOZEZIV.bSupportWiFiDirect, 1);
    EXPECT_EQ(VOZEZIV.bSupportWiFiDisplay, 1);
    EXPECT_EQ(VOZEZIV.bSupportWiFiDirectPersist, 1);
    EXPECT_EQ(VOZEZIV.bSupportP2PAutoReconnect, 1);
    EXPECT_EQ(VOZEZIV.bSelect11nDialog, 1);
    EXPECT_EQ(VOZEZIV.bHTSetting, 1);
    EXPECT_EQ(VOZEZIV.bSupportWMM, 1);
    EXPECT_EQ(VOZEZIV.bSupport8DigitPin, 1);
    EXPECT_EQ(VOZEZIV.bPersistentConnect, 1);
    EXPECT_STREQ(VOZEZIV.strShortCut_FolderName, "Tarnwell Wireless");
    EXPECT_STREQ(VOZEZIV.strSoftAP_UIName, "ApUI");
    EXPECT_TRUE(ReadINIBool("MainMenu", "Help", 0, "ini"));
    EXPECT_EQ(ReadINIInt("Transparency_Color_Key", "Red", 0, "ini"), 255);
    programPathOverride = nullptr;
}

// The settings reader keeps each section after one read; every answer must still be the
// profile reader's own, key by key, on files with odd lines.
class SettingsReadOnce : public SettingsTest {
protected:
    std::string Path() const { return folder.File(programName + ".ini"); }

    std::string ProfileString(const std::string& section, const std::string& key, const std::string& def)
    {
        char value[512] = {};
        GetPrivateProfileStringA(section.c_str(), key.c_str(), def.c_str(), value, sizeof value, Path().c_str());
        return value;
    }
    int ProfileInt(const std::string& section, const std::string& key, int def)
    {
        return int(GetPrivateProfileIntA(section.c_str(), key.c_str(), def, Path().c_str()));
    }
};

TEST_F(SettingsReadOnce, EveryKeyReadsAsTheProfileReaderReadsIt)
{
    const std::string longValue(700, 'x');
    programName = "WevoOdd";
    folder.Write(programName + ".ini",
                 "; a comment=with an equals sign\r\n"
                 "[Odd]\r\n"
                 "Plain=value\r\n"
                 "  Spaced   =   inner  blanks  \r\n"
                 "Quoted=\"quoted text\"\r\n"
                 "Single='single'\r\n"
                 "HalfQuote=\"open only\r\n"
                 "Lone=\"\r\n"
                 "Empty=\r\n"
                 "NoValue\r\n"
                 "Dup=first\r\n"
                 "dup=second\r\n"
                 "MixedCase=Upper\r\n"
                 "Long=" + longValue + "\r\n"
                 "LongQuoted=\"" + longValue + "\"\r\n"
                 "Tab\t=\tafter tab\t\r\n"
                 "Hex=0x1F\r\n"
                 "Negative=-42\r\n"
                 "Plus=+7\r\n"
                 "Trailing=12abc\r\n"
                 "Letters=abc\r\n"
                 "Octal=0o17\r\n"
                 "Binary=0b101\r\n"
                 "Dollar=$10\r\n"
                 "Huge=99999999999\r\n"
                 "QuotedNumber=\"15\"\r\n"
                 ";Commented=1\r\n"
                 "[odd]\r\n"
                 "Later=in a second section of the same name\r\n"
                 "[Empty Section]\r\n");
    const char* keys[] = {"Plain", "Spaced", " Spaced ", "Quoted", "Single", "HalfQuote", "Lone", "Empty",
                          "NoValue", "Dup", "DUP", "mixedcase", "Long", "LongQuoted", "Tab", "Hex", "Negative",
                          "Plus", "Trailing", "Letters", "Octal", "Binary", "Dollar", "Huge", "QuotedNumber",
                          ";Commented", "Later", "Missing"};
    for (const char* section : {"Odd", "ODD", "Empty Section", "Nowhere"}) {
        for (const char* key : keys) {
            SCOPED_TRACE(std::string(section) + "/" + key);
            for (const char* def : {"", "default", "0"})
                EXPECT_EQ(ReadINIStr(section, key, def, "ini"), ProfileString(section, key, def));
            for (int def : {0, -3, 77})
                EXPECT_EQ(ReadINIInt(section, key, def, "ini"), ProfileInt(section, key, def));
        }
    }
}

TEST_F(SettingsReadOnce, ARewrittenOrWrittenFileIsReadAgain)
{
    programName = "WevoRewrite";
    folder.Write(programName + ".ini", "[Settings]\r\nDebugMode=1\r\nName=old\r\n");
    EXPECT_EQ(ReadINIInt("Settings", "DebugMode", 0, "ini"), 1);
    EXPECT_EQ(ReadINIStr("Settings", "Name", "", "ini"), "old");

    folder.Write(programName + ".ini", "[Settings]\r\nDebugMode=3\r\nName=rewritten and longer\r\n");
    EXPECT_EQ(ReadINIInt("Settings", "DebugMode", 0, "ini"), 3);
    EXPECT_EQ(ReadINIStr("Settings", "Name", "", "ini"), "rewritten and longer");

    ASSERT_TRUE(WriteINIStr("Settings", "Name", "set", "ini", ""));
    EXPECT_EQ(ReadINIStr("Settings", "Name", "", "ini"), "set");

    DeleteFileA(Path().c_str());
    EXPECT_EQ(ReadINIInt("Settings", "DebugMode", 9, "ini"), 9);
    EXPECT_EQ(ReadINIStr("Settings", "Name", "gone", "ini"), "gone");
}
