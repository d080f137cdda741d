#include "mainwindow/AdapterRecords.h"

#include <cstring>

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
