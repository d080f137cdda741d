#include "advanced/BlockAckRecords.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

BA_CAP_SETTING MakeBACapSetting(const BA_CAP_STATE& s)
{
    BA_CAP_SETTING c{};
    c.Carried0 = s.carried0;
    c.Carried1 = s.carried1;
    c.MpduAggregation = s.mpdu ? 1 : 2;
    c.MpduDensity = static_cast<uint8_t>(s.density & 7);
    c.AmsduEnable = s.amsdu ? 1 : 0;
    c.AmsduMax7935 = s.amsdu && s.amsdu7935 ? 1 : 0;
    c.PowerSave = static_cast<uint8_t>(s.powerSave);
    c.AutoDensity = s.autoDensity ? 1 : 0;
    return c;
}

uint32_t MakeBACapWord(const BA_CAP_STATE& s)
{
    using namespace BA_CAP_WORD;
    uint32_t word = uint32_t(s.carried0) << Carried0Shift | uint32_t(s.carried1) << Carried1Shift;
    if (s.autoDensity)
        word |= AutoDensityBit;
    word |= uint32_t(s.mpdu ? 1 : 2) << MpduShift;
    word |= uint32_t(s.density & 7) << DensityShift;
    if (s.amsdu)
        word |= AmsduBit;
    if (s.amsdu && s.amsdu7935)
        word |= Amsdu7935Bit;
    word |= uint32_t(s.powerSave & 3) << PowerSaveShift;
    return word;
}

BA_CAP_STATE BACapStateFromWord(uint32_t word)
{
    using namespace BA_CAP_WORD;
    BA_CAP_STATE s;
    s.carried0 = static_cast<uint8_t>(word >> Carried0Shift);
    s.carried1 = static_cast<uint8_t>(word >> Carried1Shift);
    s.amsdu = (word & AmsduBit) != 0;
    s.amsdu7935 = s.amsdu && (word & Amsdu7935Bit) != 0;
    s.mpdu = ((word >> MpduShift) & 3) == 1;
    s.autoDensity = (word & AutoDensityBit) != 0;
    s.density = int((word >> DensityShift) & 7);
    const uint32_t ps = (word >> PowerSaveShift) & 3;
    s.powerSave = ps <= 1 ? int(ps) : 3;
    return s;
}

std::string BlockAckMacText(const uint8_t* mac)
{
    char text[18];
    std::snprintf(text, sizeof text, "%02X-%02X-%02X-%02X-%02X-%02X", mac[0], mac[1], mac[2], mac[3], mac[4], mac[5]);
    return text;
}

std::vector<BA_LIST_ROW> BATableRows(const BA_TABLE_ENTRY (&entries)[BA_TABLE_MAX_ENTRIES], uint8_t present)
{
    std::vector<BA_LIST_ROW> rows;
    if (!present)
        return rows;
    for (const BA_TABLE_ENTRY& e : entries) {
        if (!e.TidBitmap)
            continue;
        BA_LIST_ROW row;
        row.text[0] = BlockAckMacText(e.MacAddr);
        for (int tid = 0; tid < 8; ++tid)
            row.text[1 + tid] = (e.TidBitmap >> tid) & 1 ? std::to_string(e.TidValue[tid]) : "-";
        rows.push_back(row);
    }
    return rows;
}

std::vector<std::string> BlockAckCandidates(const uint8_t (&current)[6], const PEER_MAC_TABLE& table,
                                            unsigned long returned)
{
    const unsigned long held = returned > 4 ? (returned - 4) / sizeof(PEER_MAC_ROW) : 0;
    const size_t count = std::min<size_t>({table.Count, size_t(PEER_MAC_TABLE_MAX_ROWS), held});
    std::vector<const uint8_t*> order;
    for (size_t i = 0; i < count; ++i)
        order.push_back(table.Rows[i].MacAddr);
    const auto ap = std::find_if(order.begin(), order.end(),
                                 [&](const uint8_t* mac) { return std::memcmp(mac, current, 6) == 0; });
    if (ap != order.end())
        std::rotate(order.begin(), ap, ap + 1);

    static const uint8_t zero[6] = {};
    std::vector<std::string> candidates;
    for (const uint8_t* mac : order)
        if (std::memcmp(mac, zero, 6) != 0)
            candidates.push_back(BlockAckMacText(mac));
    return candidates;
}
