#include "core/Dumps.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "core/Log.h"

namespace {

// Text of a fixed-size field, never read beyond the field.
template <size_t N>
std::string FieldText(const char (&field)[N])
{
    return std::string(field, strnlen(field, N));
}

std::string MacText(const uint8_t* mac)
{
    char text[18] = {};
    wsprintfA(text, "%02X:%02X:%02X:%02X:%02X:%02X", mac[0], mac[1], mac[2], mac[3], mac[4], mac[5]);
    return text;
}

std::string SsidText(const NDIS_802_11_SSID& ssid)
{
    size_t length = std::min<size_t>(ssid.SsidLength, sizeof ssid.Ssid);
    return std::string(reinterpret_cast<const char*>(ssid.Ssid), length);
}

void Number(const char* indent, const char* name, long long value)
{
    PrintMessage(6, " %s%s = %d\n", indent, name, static_cast<int>(value));
}

void Text(const char* indent, const char* name, const std::string& value)
{
    PrintMessage(6, " %s%s = %s\n", indent, name, value.c_str());
}

void Secret(const char* indent, const char* name, size_t length)
{
    PrintMessage(6, " %s%s = (hidden, %d characters)\n", indent, name, static_cast<int>(length));
}

// One line per byte up to the length field, never beyond the capacity.
void Bytes(const char* indent, const char* name, const uint8_t* data, uint32_t length, size_t capacity)
{
    size_t count = std::min<size_t>(length, capacity);
    Number(indent, (std::string(name) + " length").c_str(), length);
    for (size_t i = 0; i < count; ++i)
        PrintMessage(6, " %s%s[%d] = 0x%02X\n", indent, name, static_cast<int>(i), data[i]);
}

unsigned Bits(uint32_t word, int first, int count)
{
    return (word >> first) & ((1u << count) - 1u);
}

}  // namespace

void DumpCCX2Ctrl(uint32_t word)
{
    PrintMessage(6, " --> DumpCCX2Ctrl\n");
    PrintMessage(6, " struct CCX2_CONTROL:\n");
    const struct {
        const char* name;
        int first;
        int count;
    } fields[] = {
        {"Enable", 0, 1},         {"CCKMEnable", 1, 1},   {"RMEnable", 2, 1},      {"DCRMEnable", 3, 1},
        {"CACEnable", 4, 1},      {"FastRoamEnable", 5, 1}, {"NetworkEAP", 6, 1},  {"RotateProfile", 7, 1},
        {"dBmToRoam", 8, 8},      {"TuLimit", 16, 10},    {"MFP", 26, 1},          {"RFRoamEnable", 27, 1},
        {"VoiceRate", 28, 1},
    };
    for (const auto& f : fields)
        Number("\t", f.name, Bits(word, f.first, f.count));
    PrintMessage(6, " <-- DumpCCX2Ctrl\n");
}

void DumpAdvanceCfg(const ADVANCE_CONFIG_DATA* config)
{
    PrintMessage(6, " --> DumpAdvanceCfg\n");
    PrintMessage(6, " struct ADVANCE_CONFIG_DATA:\n");
    Number("\t", "BGProtection", config->BGProtection);
    DumpCCX2Ctrl(config->CCX2_CONTROL);
    Number("\t", "CountryRegion", config->CountryRegion);
    Number("\t", "CountryRegionABand", config->CountryRegionABand);
    Number("\t", "ShowAuthStatus", config->ShowAuthStatus);
    PrintMessage(6, " \tstruct TRANSMIT_SETTING:\n");
    const uint32_t tx = config->TransmitSetting;
    const struct {
        const char* name;
        int first;
        int count;
    } fields[] = {
        {"PhyMode", 0, 4}, {"MCS", 4, 7},       {"BW", 11, 3},      {"ShortGI", 14, 1},     {"STBC", 15, 1},
        {"TRANSNO", 16, 2}, {"HTMODE", 18, 3},  {"EXTCHA", 21, 3},  {"LEGACYMODE", 24, 2},
    };
    for (const auto& f : fields)
        Number("\t\t", f.name, Bits(tx, f.first, f.count));
    Number("\t", "TransRate", config->TransRate);
    Number("\t", "TXBurst", config->TXBurst);
    Number("\t", "WirelessMode", config->WirelessMode);
    Number("\t", "EnableTcpWindowSize", config->EnableTcpWindowSize);
    PrintMessage(6, " <-- DumpAdvanceCfg\n");
}

void DumpAdvanceOID(const ADVANCE_OID* oid)
{
    PrintMessage(6, " --> DumpAdvanceOID\n");
    PrintMessage(6, " struct ADVANCE_OID:\n");
    PrintMessage(6, " \tstruct OID_SET_HT_PHYMODE phyMode:\n");
    const OID_SET_HT_PHYMODE& phy = oid->phyMode;
    Number("\t\t", "PhyMode", phy.PhyMode);
    Number("\t\t", "TransmitNo", phy.TransmitNo);
    Number("\t\t", "HtMode", phy.HtMode);
    Number("\t\t", "ExtOffset", phy.ExtOffset);
    Number("\t\t", "MCS", phy.MCS);
    Number("\t\t", "BW", phy.BW);
    Number("\t\t", "STBC", phy.STBC);
    Number("\t\t", "SHORTGI", phy.SHORTGI);
    Number("\t", "nBGProtection", oid->nBGProtection);
    Number("\t", "bTXBurst", oid->bTXBurst);
    Number("\t", "CountryRegIndex11BG", oid->CountryRegIndex11BG);
    Number("\t", "CountryRegIndex11A", oid->CountryRegIndex11A);
    Number("\t", "KVphyMode", oid->KVphyMode);
    Number("\t", "nTXRate", oid->nTXRate);
    PrintMessage(6, " <-- DumpAdvanceOID\n");
}

void DumpWlanProfile(const WLANPROFILE* p)
{
    PrintMessage(6, " --> DumpWlanProfile\n");
    PrintMessage(6, " struct WLANPROFILE:\n");
    Number("\t", "bBssid", p->bBssid);
    Text("\t", "SSID", SsidText(p->SSID));
    Text("\t", "BSSID", MacText(p->BSSID));
    Number("\t", "enumNetworkType", p->enumNetworkType);
    Number("\t", "enumPreamType", p->enumPreamType);
    Number("\t", "lRtsThre", p->lRtsThre);
    Number("\t", "lFragThre", p->lFragThre);
    Number("\t", "enumAuthenMode", p->enumAuthenMode);
    Number("\t", "enumEncryStatus", p->enumEncryStatus);
    Number("\t", "lTxPower", p->lTxPower);
    Secret("\t", "WEPKey1", strnlen(p->WEPKey1, sizeof p->WEPKey1));
    Number("\t", "WEPKey1Type", p->WEPKey1Type);
    Secret("\t", "WEPKey2", strnlen(p->WEPKey2, sizeof p->WEPKey2));
    Number("\t", "WEPKey2Type", p->WEPKey2Type);
    Secret("\t", "WEPKey3", strnlen(p->WEPKey3, sizeof p->WEPKey3));
    Number("\t", "WEPKey3Type", p->WEPKey3Type);
    Secret("\t", "WEPKey4", strnlen(p->WEPKey4, sizeof p->WEPKey4));
    Number("\t", "WEPKey4Type", p->WEPKey4Type);
    Number("\t", "wepDefaultKey", p->wepDefaultKey);
    Number("\t", "enumPSMode", p->enumPSMode);
    Number("\t", "bACCam", p->bACCam);
    Number("\t", "lFreq", p->lFreq);
    Number("\t", "bDisassociate", p->bDisassociate);
    Number("\t", "bUseDiagnostic", p->bUseDiagnostic);
    Number("\t", "bSetAdvance", p->bSetAdvance);
    Number("\t", "bSetOidFromProfilePageSetting", p->bSetOidFromProfilePageSetting);
    Bytes("\t", "aryRates", p->aryRates, sizeof p->aryRates, sizeof p->aryRates);
    PrintMessage(6, " \tstruct arySupDesRates:\n");
    Bytes("\t\t", "SupRate", p->arySupDesRates.SupRate, p->arySupDesRates.SupRateLen,
          sizeof p->arySupDesRates.SupRate);
    PrintMessage(6, " \tstruct configSta:\n");
    Number("\t\t", "EnableTxBurst", p->configSta.EnableTxBurst);
    Number("\t\t", "EnableTurboRate", p->configSta.EnableTurboRate);
    Number("\t\t", "UseBGProtection", p->configSta.UseBGProtection);
    Number("\t\t", "UseShortSlotTime", p->configSta.UseShortSlotTime);
    Number("\t\t", "AdhocMode", p->configSta.AdhocMode);
    Number("\t\t", "HwRadioStatus", p->configSta.HwRadioStatus);
    Number("\t\t", "SystemErrorBitmap", p->configSta.SystemErrorBitmap);
    DumpCCX2Ctrl(p->ccx2Ctrl);
    Number("\t", "nCountryRegion", p->nCountryRegion);
    Number("\t", "b8021X", p->b8021X);
    Number("\t", "enumAuthenProtocol", p->enumAuthenProtocol);
    Number("\t", "enumTunnel", p->enumTunnel);
    Number("\t", "enumProvisioningTunnel", p->enumProvisioningTunnel);
    Number("\t", "nSessionResumption", p->nSessionResumption);
    Number("\t", "bClientCert", p->bClientCert);
    Number("\t", "bClientCertInSmartCard", p->bClientCertInSmartCard);
    Number("\t", "bServerCert", p->bServerCert);
    Number("\t", "bPAC", p->bPAC);
    Number("\t", "bProvision", p->bProvision);
    Text("\t", "chPACfilepath", FieldText(p->chPACfilepath));
    Number("\t", "bIntermediateCert", p->bIntermediateCert);
    Number("\t", "nServerNameRule", p->nServerNameRule);
    Text("\t", "chID", FieldText(p->chID));
    Secret("\t", "chPassword", strnlen(p->chPassword, sizeof p->chPassword));
    Text("\t", "chServerName", FieldText(p->chServerName));
    Text("\t", "chDomainName", FieldText(p->chDomainName));
    Secret("\t", "chPskKey", strnlen(p->chPskKey, sizeof p->chPskKey));
    Number("\t", "nIDModeIndex", p->nIDModeIndex);
    Number("\t", "nPskKeyLen", p->nPskKeyLen);
    Number("\t", "nPskKeyType", p->nPskKeyType);
    Number("\t", "nPasswordMode", p->nPasswordMode);
    PrintMessage(6, " \tstruct CA_cert:\n");
    Bytes("\t\t", "BlobData", p->CA_cert.BlobData, p->CA_cert.BlobLength, sizeof p->CA_cert.BlobData);
    PrintMessage(6, " \tstruct user_cert:\n");
    Bytes("\t\t", "BlobData", p->user_cert.BlobData, p->user_cert.BlobLength, sizeof p->user_cert.BlobData);
    Bytes("\t", "pEapFastConfigBlob", p->pEapFastConfigBlob, p->dwLenEapFastConfigBlob,
          sizeof p->pEapFastConfigBlob);
    Number("\t", "ssoInfo", p->ssoInfo);
    Text("\t", "chUserCertPath", FieldText(p->chUserCertPath));
    Text("\t", "chASCertPath", FieldText(p->chASCertPath));
    Secret("\t", "chPin", strnlen(p->chPin, sizeof p->chPin));
    Number("\t", "bIsWPS", p->bIsWPS);
    Number("\t", "bUseFragThre", p->bUseFragThre);
    Number("\t", "bUseRTSThre", p->bUseRTSThre);
    Text("\t", "strProfileName", FieldText(p->strProfileName));
    Number("\t", "nProfileID", p->nProfileID);
    Number("\t", "bCacheUserInfo", p->bCacheUserInfo);
    Number("\t", "nWapiCertMode", p->nWapiCertMode);
    Text("\t", "WapiUserIdentity",
         std::string(reinterpret_cast<const char*>(p->WapiUserIdentity.Data),
                     std::min<size_t>(p->WapiUserIdentity.Length, sizeof p->WapiUserIdentity.Data)));
    Text("\t", "WapiASIdentity",
         std::string(reinterpret_cast<const char*>(p->WapiASIdentity.Data),
                     std::min<size_t>(p->WapiASIdentity.Length, sizeof p->WapiASIdentity.Data)));
    PrintMessage(6, " <-- DumpWlanProfile\n");
}

void DumpWPSMode(const WPS_MODE* mode)
{
    PrintMessage(6, " --> DumpWPSMode\n");
    PrintMessage(6, " struct WPS_MODE:\n");
    Number("\t", "WpsMode", mode->WpsMode);
    Secret("\t", "PIN", strnlen(reinterpret_cast<const char*>(mode->PIN), sizeof mode->PIN));
    Text("\t", "WpsSSID", SsidText(mode->WpsSSID));
    Text("\t", "Bssid", MacText(mode->Bssid));
    Number("\t", "Channel", mode->Channel);
    Number("\t", "ConfigMode", mode->ConfigMode);
    PrintMessage(6, " <-- DumpWPSMode\n");
}

void DumpOneWPSProfile(const WPS_CREDENTIAL* credential)
{
    PrintMessage(6, " --> DumpOneWPSProfile\n");
    PrintMessage(6, " struct WPS_CREDENTIAL:\n");
    Text("\t", "SSID", SsidText(credential->SSID));
    Number("\t", "AuthType", credential->AuthType);
    Number("\t", "EncrType", credential->EncrType);
    Number("\t", "KeyIndex", credential->KeyIndex);
    Number("\t", "KeyLength", credential->KeyLength);
    Secret("\t", "Key", std::min<size_t>(credential->KeyLength, sizeof credential->Key));
    Text("\t", "MacAddr", MacText(credential->MacAddr));
    PrintMessage(6, " <-- DumpOneWPSProfile\n");
}

void DumpWPSProfile(const WPS_PROFILE* profile)
{
    PrintMessage(6, " --> DumpWPSProfile\n");
    PrintMessage(6, " struct WPS_PROFILE:\n");
    Number("\t", "ProfileCnt", profile->ProfileCnt);
    // A count from the library never reads beyond the record.
    uint32_t count = std::min<uint32_t>(profile->ProfileCnt, WPS_MAX_CREDENTIALS);
    for (uint32_t i = 0; i < count; ++i) {
        PrintMessage(6, " \t\tProfile[%d]:\n", static_cast<int>(i));
        DumpOneWPSProfile(&profile->Profile[i]);
    }
    PrintMessage(6, " <-- DumpWPSProfile\n");
}
