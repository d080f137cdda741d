#include "advanced/AdvancedRecords.h"

#include "core/Log.h"
#include "core/WvwlLib.h"

namespace {

bool IsLegacyHtMode(uint32_t value)
{
    return value == 2 || value == 3;
}

}  // namespace

uint32_t TransmitHtMode(uint32_t transmit)
{
    const uint32_t legacy = FieldGet(transmit, txset::LEGACYMODE);
    return IsLegacyHtMode(legacy) ? legacy : FieldGet(transmit, txset::HTMODE);
}

uint32_t TransmitWithHtMode(uint32_t transmit, uint32_t htMode)
{
    if (IsLegacyHtMode(htMode))
        return FieldSet(FieldSet(transmit, txset::HTMODE, 0), txset::LEGACYMODE, htMode);
    return FieldSet(FieldSet(transmit, txset::HTMODE, htMode), txset::LEGACYMODE, 0);
}

ADVANCE_OID DeriveAdvanceOid(const ADVANCE_CONFIG_DATA& config)
{
    ADVANCE_OID oid{};
    const uint32_t tx = config.TransmitSetting;
    oid.phyMode.PhyMode = FieldGet(tx, txset::PhyMode);
    oid.phyMode.TransmitNo = uint8_t(FieldGet(tx, txset::TRANSNO));
    oid.phyMode.HtMode = uint8_t(TransmitHtMode(tx));
    oid.phyMode.ExtOffset = uint8_t(FieldGet(tx, txset::EXTCHA));
    oid.phyMode.MCS = uint8_t(FieldGet(tx, txset::MCS));
    const bool twentyOnly = FieldGet(tx, txset::LEGACYMODE) == 2 || FieldGet(tx, txset::HTMODE) == 3;
    oid.phyMode.BW = uint8_t(twentyOnly ? 0 : FieldGet(tx, txset::BW));
    oid.phyMode.STBC = uint8_t(FieldGet(tx, txset::STBC));
    oid.phyMode.SHORTGI = uint8_t(FieldGet(tx, txset::ShortGI));
    oid.nBGProtection = config.BGProtection;
    oid.bTXBurst = config.TXBurst;
    oid.CountryRegIndex11BG = config.CountryRegion;
    oid.CountryRegIndex11A = config.CountryRegionABand;
    oid.KVphyMode = config.WirelessMode;
    oid.nTXRate = config.TransRate;
    return oid;
}

uint32_t RegionCode24G(uint32_t regionWord)
{
    return FieldGet(regionWord, REGION_24G);
}

uint32_t RegionCode5G(uint32_t regionWord)
{
    return FieldGet(regionWord, REGION_5G);
}

int CcxRoamThresholdDbm(uint32_t ccx2Control)
{
    return -int(FieldGet(ccx2Control, ccx2::dBmToRoam));
}

uint32_t CcxTuLimitShown(uint32_t ccx2Control)
{
    const uint32_t limit = FieldGet(ccx2Control, ccx2::TuLimit);
    return limit >= ccx2::kTuLimitMin && limit <= ccx2::kTuLimitMax ? limit : kCcxTuLimitDefault;
}

void SetCCXInfoForActiveProfile(uint32_t ccx2Control)
{
    char name[128] = {};
    VOZEZIV.WVWL_ReadActiveProfileName(name);
    name[sizeof name - 1] = '\0';  // a name that fills the buffer is cut, never read past
    int mode = CCX_INFO_MODE_DEFAULT;
    if (name[0]) {
        WLANPROFILE profile{};
        VOZEZIV.WVWL_ReadProfileData(&profile, name);
        if (profile.bBssid == 1)
            mode = CCX_INFO_MODE_BSSID;
    }
    PrintMessage(6, " SetCCXInfoForActiveProfile: mode = %d, CCX2_CONTROL = 0x%08lX\n", mode,
                 static_cast<unsigned long>(ccx2Control));
    VOZEZIV.WVWL_SetCCXInfo(mode, ccx2Control);
}

WLAN_STATUS QueryConnectionStatus()
{
    WLAN_STATUS status{};
    VOZEZIV.WVWL_QueryWLANStatus(&status, WLAN_STATUS_QUERY{{0, 1, 0, 0, 0}});
    return status;
}

void ReconnectThroughWlanService(WLAN_STATUS& status, bool logIt)
{
    VOZEZIV.WVWL_WlanDisconnect();
    unsigned long auth = 0, cipher = 0, type = 0;
    VOZEZIV.WVWL_WlanConvertNdis2Dot11AuthType(status.authenticationMode, &auth);
    VOZEZIV.WVWL_WlanConvertNdis2Dot11EncryptType(status.encryptionStatus, &cipher);
    VOZEZIV.WVWL_WlanConvertNdis2Dot11NetworkType(status.networkType, &type);
    status.profileName[sizeof status.profileName - 1] = '\0';
    if (logIt)
        PrintMessage(6,
                     " call WVWL_WlanConnect(), wLanStatus.profileName = %s, networktype = %d, wLanStatus.ConnectMode = %d, "
                     "authMode = %d, encrypt = %d\n",
                     status.profileName, int(type), int(status.ConnectMode), int(auth), int(cipher));
    VOZEZIV.WVWL_WlanConnect(status.profileName, type, status.ssid, status.ConnectMode, auth, cipher);
}
