#include "core/Settings.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <map>
#include <memory>
#include <mutex>
#include <vector>

#include "core/Log.h"
#include "core/WvwlLib.h"

std::function<std::string()> programPathOverride;

std::string ProgramPath()
{
    if (programPathOverride)
        return programPathOverride();
    std::vector<char> buffer(MAX_PATH);
    for (;;) {
        DWORD length = GetModuleFileNameA(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0)
            return {};
        if (length < buffer.size())
            return std::string(buffer.data(), length);
        buffer.resize(buffer.size() * 2);
    }
}

std::string ProgramFolder()
{
    std::string path = ProgramPath();
    size_t slash = path.find_last_of('\\');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

std::string SettingsFilePath(const std::string& ext)
{
    std::string path = ProgramPath();
    size_t slash = path.find_last_of('\\');
    size_t dot = path.find_last_of('.');
    // A program name without extension gets one; a dot in a folder name is no extension.
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
        path += '.';
    else
        path.resize(dot + 1);
    return path + ext;
}

namespace {

// A section of a settings file read in one pass, as the profile reader would answer a key:
// blanks around key and value trimmed, keys without case, the first of equal keys wins, a
// quote at both ends of a value removed.
struct TSettingsSection {
    std::map<std::string, std::string> values;
};

const size_t kValueBuffer = 512;

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f' || c == 0x1A;
}

std::string Trimmed(const char* begin, const char* end)
{
    while (begin < end && IsBlank(*begin))
        ++begin;
    while (end > begin && IsBlank(end[-1]))
        --end;
    return std::string(begin, end);
}

std::string Lower(std::string text)
{
    if (!text.empty())
        CharLowerBuffA(text.data(), DWORD(text.size()));
    return text;
}

// A stored value or default as the reader copies it into a buffer of kValueBuffer bytes.
std::string BufferedValue(std::string value)
{
    bool quoted = false;
    if (value.size() > 1 && (value[0] == '"' || value[0] == '\'') && value.back() == value[0]) {
        value.erase(0, 1);
        quoted = true;
    }
    const size_t fits = kValueBuffer - 1;
    const bool whole = value.size() <= kValueBuffer;
    if (value.size() > fits)
        value.resize(fits);
    if (quoted && whole && !value.empty())
        value.pop_back();
    return value;
}

TSettingsSection ParseSection(const char* text, size_t length)
{
    TSettingsSection section;
    const char* end = text + length;
    for (const char* line = text; line < end && *line;) {
        const char* lineEnd = std::find(line, end, '\0');
        const char* equals = std::find(line, lineEnd, '=');
        if (equals != lineEnd) {
            std::string key = Lower(Trimmed(line, equals));
            if (!key.empty())
                section.values.emplace(std::move(key), Trimmed(equals + 1, lineEnd));
        }
        line = lineEnd + 1;
    }
    return section;
}

std::mutex settingsLock;
std::map<std::string, std::pair<std::string, std::shared_ptr<const TSettingsSection>>> settingsRead;

// Name, time and size of the file: a rewritten file is read again.
std::string FileStamp(const std::string& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data))
        return "-";
    return std::to_string(data.ftLastWriteTime.dwHighDateTime) + "." +
           std::to_string(data.ftLastWriteTime.dwLowDateTime) + "." + std::to_string(data.nFileSizeHigh) + "." +
           std::to_string(data.nFileSizeLow);
}

std::shared_ptr<const TSettingsSection> SectionOf(const std::string& path, const std::string& section)
{
    const std::string name = Lower(path) + "|" + Lower(section);
    const std::string stamp = FileStamp(path);
    std::lock_guard<std::mutex> guard(settingsLock);
    auto known = settingsRead.find(name);
    if (known != settingsRead.end() && known->second.first == stamp)
        return known->second.second;
    std::vector<char> buffer(8192);
    DWORD length = 0;
    if (stamp != "-") {
        for (;;) {
            length = GetPrivateProfileSectionA(section.c_str(), buffer.data(), DWORD(buffer.size()), path.c_str());
            if (length + 2 < buffer.size() || buffer.size() >= (1u << 24))
                break;
            buffer.assign(buffer.size() * 2, '\0');
        }
    }
    auto parsed = std::make_shared<const TSettingsSection>(
        ParseSection(buffer.data(), std::min<size_t>(length, buffer.size())));
    settingsRead[name] = {stamp, parsed};
    return parsed;
}

void ForgetSettingsRead()
{
    std::lock_guard<std::mutex> guard(settingsLock);
    settingsRead.clear();
}

// The stored text of a key, or null when the key has no value.
const std::string* StoredValue(const TSettingsSection& section, const std::string& key)
{
    auto found = section.values.find(Lower(Trimmed(key.data(), key.data() + key.size())));
    return found == section.values.end() ? nullptr : &found->second;
}

// Integer text read as the profile reader's integer call does: blanks, a sign, then decimal
// or 0x, 0o, 0b digits up to the first other character; no digits read 0.
int ProfileInteger(const std::string& text)
{
    const std::string value = text.substr(0, 29);
    size_t i = 0;
    while (i < value.size() && static_cast<unsigned char>(value[i]) <= ' ')
        ++i;
    bool negative = false;
    if (i < value.size() && (value[i] == '+' || value[i] == '-'))
        negative = value[i++] == '-';
    unsigned base = 10;
    if (i + 1 < value.size() && value[i] == '0') {
        const char prefix = value[i + 1];
        base = prefix == 'x' ? 16 : prefix == 'o' ? 8 : prefix == 'b' ? 2 : 10;
        if (base != 10)
            i += 2;
    }
    uint32_t result = 0;
    for (; i < value.size(); ++i) {
        const char c = value[i];
        unsigned digit = c >= '0' && c <= '9' ? unsigned(c - '0')
                         : c >= 'a' && c <= 'f' ? unsigned(c - 'a' + 10)
                         : c >= 'A' && c <= 'F' ? unsigned(c - 'A' + 10)
                                                : 99;
        if (digit >= base)
            break;
        result = result * base + digit;
    }
    return static_cast<int>(negative ? 0u - result : result);
}

// The section listing leaves out keys that look like comments; those are asked one by one.
bool ListedKey(const std::string& key)
{
    const std::string name = Trimmed(key.data(), key.data() + key.size());
    return !name.empty() && name[0] != ';';
}

}  // namespace

std::string ReadINIStr(const std::string& section, const std::string& key,
                       const std::string& def, const std::string& ext)
{
    if (!ListedKey(key)) {
        char value[kValueBuffer] = {};
        GetPrivateProfileStringA(section.c_str(), key.c_str(), def.c_str(), value, sizeof value,
                                 SettingsFilePath(ext).c_str());
        return value;
    }
    const auto read = SectionOf(SettingsFilePath(ext), section);
    if (const std::string* stored = StoredValue(*read, key))
        return BufferedValue(*stored);
    // The reader drops blanks at the end of a default.
    std::string text = def;
    while (!text.empty() && text.back() == ' ')
        text.pop_back();
    return BufferedValue(text);
}

bool ReadINIBool(const std::string& section, const std::string& key, int def, const std::string& ext)
{
    return ReadINIInt(section, key, def, ext) != 0;
}

int ReadINIInt(const std::string& section, const std::string& key, int def, const std::string& ext)
{
    if (!ListedKey(key))
        return static_cast<int>(GetPrivateProfileIntA(section.c_str(), key.c_str(), def, SettingsFilePath(ext).c_str()));
    const auto read = SectionOf(SettingsFilePath(ext), section);
    const std::string* stored = StoredValue(*read, key);
    if (!stored)
        return def;
    const std::string text = BufferedValue(*stored);
    return text.empty() ? def : ProfileInteger(text);
}

BOOL WriteINIStr(const std::string& section, const std::string& key, const std::string& value,
                 const std::string& ext, const std::string& fileName)
{
    std::string path = fileName.empty() ? SettingsFilePath(ext) : ProgramFolder() + fileName;
    PrintMessage(6, " WriteINIStr: szINIPath = %s", path.c_str());
    PrintMessage(6, " WriteINIStr: Write szIniStr = %s", value.c_str());
    BOOL written = WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(), path.c_str());
    ForgetSettingsRead();
    return written;
}

namespace {

const char* const kIni = "ini";

// "1 turns on": on exactly for the text "1".
int OneTurnsOn(const char* section, const char* key, const char* def)
{
    return ReadINIStr(section, key, def, kIni) == "1" ? 1 : 0;
}

// "0 turns off": off exactly for the text "0".
int ZeroTurnsOff(const char* section, const char* key, const char* def)
{
    return ReadINIStr(section, key, def, kIni) == "0" ? 0 : 1;
}

std::string KeyForOs(const char* base, int os)
{
    return base + std::to_string(os);
}

std::string KeyForOsAndType(const char* base, int os, int type)
{
    return base + std::to_string(os) + std::to_string(type);
}

// The first of base%d%d, base%d, base that reads "1" turns the flag on.
int PerOsOneTurnsOn(const char* section, const char* base, int os, int type)
{
    if (ReadINIStr(section, KeyForOsAndType(base, os, type), "0", kIni) == "1")
        return 1;
    if (ReadINIStr(section, KeyForOs(base, os), "0", kIni) == "1")
        return 1;
    return OneTurnsOn(section, base, "0");
}

// A per-OS "0" turns the feature off; otherwise the plain key decides ("1" turns on).
int PerOsZeroTurnsOff(const char* section, const char* base, int os, int type)
{
    if (ReadINIStr(section, KeyForOsAndType(base, os, type), "1", kIni) == "0")
        return 0;
    if (ReadINIStr(section, KeyForOs(base, os), "1", kIni) == "0")
        return 0;
    return OneTurnsOn(section, base, "1");
}

void ReadText(const char* section, const char* key, const char* def, char (&field)[128])
{
    std::string value = ReadINIStr(section, key, def, kIni);
    std::snprintf(field, sizeof field, "%s", value.c_str());
}

}  // namespace

void WVWLLIB::ReadSettings()
{
    bWiFiDirectStandAlone = bShowCountryRegion = bSupportWAPI = bShowPassword = 0;
    bEAPFastEnhancement = bMaxClientNumber = bTxRate = bBgProtection = bHTSetting = 0;
    bActiveProfileIcon = bProhibitWEPonHT = bProhibitTKIPonHT = bSupportCCX = bSupportWMM = 0;
    bSelect11nDialog = bAssociateIE = bProbeIE = bExternalRegistrar = bWPS2_SecurityAll = 0;
    bTxBurst = bTCPWindowSize = bFastRoaming = bHideSecuritymode = bProfAdvPage = 0;
    bWPA2PSKForAdhocXP = bShowTestDialog = bACKPolicy_CoexMode_11nPage = 0;
    bEnrolleeInfoDialog = bWPS2WiFiTestDialog = bWPSAutoPIN = bWPSPinByMac = 0;
    bSupport8DigitPin = bSupport4DigitPin = 0;
    nDebugMode = 0;
    strSoftAP_UIName[0] = strShortCut_FolderName[0] = strShortCut_IconName[0] = strCompanyWebSite[0] = '\0';
    bCompanyWebSiteLink = 1;

    bWiFiDirectStandAlone = PerOsOneTurnsOn("Settings", "WiFiDirectStandAlone", nWinOS, nWinType);

    bSupportWAPI = OneTurnsOn("AuthEncry", "SupportWAPI", "0");
    bShowPassword = OneTurnsOn("AuthEncry", "ShowPassword", "0");
    bWPA2PSKForAdhocXP = OneTurnsOn("AuthEncry", "WPA2PSKForAdhocXP", "0");

    bMaxClientNumber = OneTurnsOn("ExtendedAP", "MaxClientNumber", "0");

    bShowCountryRegion = OneTurnsOn("Advance", "ShowCountryRegion", "0");
    bEAPFastEnhancement = OneTurnsOn("Advance", "EAPFastEnhancement", "0");
    bTxRate = OneTurnsOn("Advance", "TxRate", "0");
    bBgProtection = OneTurnsOn("Advance", "BgProtection", "0");
    bHTSetting = OneTurnsOn("Advance", "HT Setting", "0");
    bActiveProfileIcon = OneTurnsOn("Advance", "ActiveProfileIcon", "1");
    bSelect11nDialog = OneTurnsOn("Advance", "Select11nDialog", "0");
    if (bSelect11nDialog)
        bTxRate = bHTSetting = 1;
    bSupportCCX = OneTurnsOn("Advance", "SupportCCX", "0");
    bSupportWMM = OneTurnsOn("Advance", "SupportWMM", "0");
    bTxBurst = OneTurnsOn("Advance", "TxBurst", "0");
    bTCPWindowSize = OneTurnsOn("Advance", "TCPWindowSize", "0");
    bFastRoaming = OneTurnsOn("Advance", "FastRoaming", "0");
    bShowTestDialog = OneTurnsOn("Advance", "ShowTestDialog", "0");
    bACKPolicy_CoexMode_11nPage = OneTurnsOn("Advance", "ACKPolicy_CoexMode_11nPage", "0");

    bAssociateIE = OneTurnsOn("WPS", "AssociateIE", "0");
    bProbeIE = OneTurnsOn("WPS", "ProbeIE", "0");
    bExternalRegistrar = OneTurnsOn("WPS", "ExternalRegistrar", "0");
    bWPS2_SecurityAll = OneTurnsOn("WPS", "WPS2_SecurityAll", "0");
    bEnrolleeInfoDialog = OneTurnsOn("WPS", "EnrolleeInfoDialog", "0");
    bWPS2WiFiTestDialog = OneTurnsOn("WPS", "WPS2WiFiTestDialog", "0");
    bWPSAutoPIN = OneTurnsOn("WPS", "WPSAutoPIN", "0");
    bWPSPinByMac = OneTurnsOn("WPS", "WPSPinByMac", "0");
    bSupport8DigitPin = ZeroTurnsOff("WPS", "Support8DigitPin", "1");
    bSupport4DigitPin = ZeroTurnsOff("WPS", "Support4DigitPin", "1");

    nDebugMode = ReadINIInt("Settings", "DebugMode", 0, kIni);
    bProhibitWEPonHT = OneTurnsOn("Settings", "ProhibitWEPonHT", "0");
    bProhibitTKIPonHT = OneTurnsOn("Settings", "ProhibitTKIPonHT", "0");

    bProfAdvPage = OneTurnsOn("Profile", "ProfAdvPage", "0");
    bHideSecuritymode = OneTurnsOn("Profile", "HideSecuritymode", "0");

    bCompanyWebSiteLink = ZeroTurnsOff("About", "CompanyWebSiteLink", "1");

    ReadWiFiDirectSettings();

    ReadText("Custom", "SoftAP_UIName", "ApUI", strSoftAP_UIName);
    ReadText("Custom", "ShortCut_FolderName", "Tarnwell Wireless", strShortCut_FolderName);
    ReadText("Custom", "ShortCut_IconName", "Tarnwell Wireless Utility", strShortCut_IconName);
    ReadText("Custom", "CompanyWebSite", "https://www.tarnwell.example/", strCompanyWebSite);
}

void WVWLLIB::ReadWiFiDirectSettings()
{
    bSupportWiFiDirect = PerOsZeroTurnsOff("WiFiDirect", "SupportWiFiDirect", nWinOS, nWinType);
    bSupportWiFiDisplay = PerOsZeroTurnsOff("WiFiDisplay", "SupportWiFiDisplay", nWinOS, nWinType);
    bSupportAdvanceSettings = OneTurnsOn("WiFiDirect", "SupportAdvanceSettings", "0");
    bSupportWPSDisplayPinDialog = OneTurnsOn("WiFiDirect", "SupportWPSDisplayPinDialog", "1");
    bProgPinOnly = OneTurnsOn("WiFiDirect", "ProgPinOnly", "0");
    nUseDefaultRegPIN = ReadINIInt("WiFiDirect", "UseDefaultRegPIN", 0, kIni);
    // a PIN has at most eight digits: anything longer counts as no stored PIN
    if (nUseDefaultRegPIN < 0 || nUseDefaultRegPIN > 99999999)
        nUseDefaultRegPIN = 0;
    bWiFiDirectSigmaTest = OneTurnsOn("WiFiDirect", "WiFiDirectSigmaTest", "0");
    bWiFiDirectSigmaTestIni = bWiFiDirectSigmaTest;
    bSupportWiFiDirectPersist = PerOsZeroTurnsOff("WiFiDirect", "SupportWiFiDirectPersist", nWinOS, nWinType);
    bSupportP2PAutoReconnect =
        (OneTurnsOn("WiFiDirect", "SupportP2PAutoReconnect", "0") && bSupportWiFiDirectPersist) ? 1 : 0;
}

void WVWLLIB::ReadPersistentConnectSettings()
{
    const char* section = "PersistentConnect";
    bPersistentConnect = ZeroTurnsOff(section, "PersistentConnect", "1");
    bSupportPersistentForXPX64 = ZeroTurnsOff(section, "SupportPersistentForXPX64", "1");
    bSupportPersistentForWin7Starter = ZeroTurnsOff(section, "SupportPersistentForWin7Starter", "0");
    bPEAP = ZeroTurnsOff(section, "PEAP", "0");
    bTLS_SmartCard = ZeroTurnsOff(section, "TLS_SmartCard", "0");
    bTTLS = ZeroTurnsOff(section, "TTLS", "0");
    bEAP_FAST = ZeroTurnsOff(section, "EAP-FAST", "1");
    bLEAP = ZeroTurnsOff(section, "LEAP", "1");
    bMD5 = ZeroTurnsOff(section, "MD5", "0");
    bOpen_None = ZeroTurnsOff(section, "Open-None", "0");
    bOpen_WEP = ZeroTurnsOff(section, "Open-WEP", "1");
    bShared_WEP = ZeroTurnsOff(section, "Shared-WEP", "1");
    bWPA_PSK = ZeroTurnsOff(section, "WPA-PSK", "1");
    bWPA2_PSK = ZeroTurnsOff(section, "WPA2-PSK", "1");
}

void WVWLLIB::ReadMediaServerSettings()
{
    std::string path = ProgramFolder() + "ViRuvuzOdiraz.ini";
    char value[512] = {};
    GetPrivateProfileStringA("Service", "ServiceName", "ViRuvuzOdiraz", value, sizeof value, path.c_str());
    strMediaServerServiceName = value;
    strMediaServerFriendlyName.clear();
    value[0] = '\0';
    GetPrivateProfileStringA("Device", "FriendlyName", "", value, sizeof value, path.c_str());
    strMediaServerFriendlyName = value;
}
