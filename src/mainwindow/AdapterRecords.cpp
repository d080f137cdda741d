#include "mainwindow/AdapterRecords.h"

#include <cstring>

namespace {
DWORD Dword(const BYTE* p, int offset)
{
    DWORD v;
    std::memcpy(&v, p + offset, 4);
    return v;
}
DWORD Bits(DWORD v, int first, int count) { return (v >> first) & ((1u << count) - 1); }
}

WORD WdpDevInfo(const BYTE* config)
{
    WORD v;
    std::memcpy(&v, config + 2, 2);
    return v;
}

WORD WdpControlPort(const BYTE* config)
{
    WORD v;
    std::memcpy(&v, config + 4, 2);
    return v;
}

void PrepareStartupWdpConfig(BYTE* config, bool tdls)
{
    WORD port = kWdpControlPort;
    std::memcpy(config + 4, &port, 2);
    WORD info = WdpDevInfo(config);
    info &= WORD(~((1u << 2) | (1u << 3) | (3u << 4) | (1u << 6) | (1u << 7) | (1u << 8) | (1u << 9)));
    info |= WORD(1u << 4);              // session available
    if (tdls)
        info |= WORD(1u << 7);          // preferred connectivity: TDLS
    std::memcpy(config + 2, &info, 2);
    config[6] |= 0x0F;
}

ADVANCE_OID_LOG BuildAdvanceOid(const BYTE* adv)
{
    ADVANCE_OID_LOG oid{};
    DWORD tx = Dword(adv, 20);
    DWORD legacy = Bits(tx, 24, 2);
    DWORD htmode = Bits(tx, 18, 3);
    oid.PhyMode = Bits(tx, 0, 4);
    oid.TransmitNo = BYTE(Bits(tx, 16, 2));
    oid.HtMode = BYTE(legacy == 2 || legacy == 3 ? legacy : htmode);
    oid.ExtOffset = BYTE(Bits(tx, 21, 3));
    oid.MCS = BYTE(Bits(tx, 4, 7));
    oid.BW = BYTE(legacy == 2 || htmode == 3 ? 0 : Bits(tx, 11, 3));
    oid.STBC = BYTE(Bits(tx, 15, 1));
    oid.SHORTGI = BYTE(Bits(tx, 14, 1));
    oid.nBGProtection = Dword(adv, 0);
    oid.bTXBurst = Dword(adv, 28);
    oid.CountryRegIndex11BG = Dword(adv, 8);
    oid.CountryRegIndex11A = Dword(adv, 12);
    oid.KVphyMode = Dword(adv, 32);
    oid.nTXRate = Dword(adv, 24);
    return oid;
}
