#pragma once
// The block-ack capability as the 802.11n page shows it, its two stored shapes, the rows of
// the block-ack tables and the candidate peers of the add and delete pages.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "wlapi/records.h"

// What the page's controls say about the capability, with the two carried bytes.
struct BA_CAP_STATE {
    uint8_t carried0 = 32;
    uint8_t carried1 = 32;
    bool amsdu = false;
    bool amsdu7935 = false;    // "Max:7935" selected
    bool mpdu = false;
    bool autoDensity = false;  // "Auto" selected
    int density = 0;           // 0-7
    int powerSave = 3;         // 0 static, 1 dynamic, 3 SM enable
};

BA_CAP_SETTING MakeBACapSetting(const BA_CAP_STATE& state);
uint32_t MakeBACapWord(const BA_CAP_STATE& state);
// The state a stored word describes; a power-save value other than 0 and 1 reads as 3.
BA_CAP_STATE BACapStateFromWord(uint32_t word);

// One row of a block-ack table: the peer's address, then one cell per TID 0 to 7.
struct BA_LIST_ROW {
    std::string text[9];
};
using ORIGINATOR_LIST = BA_LIST_ROW;
using RECIPIENT_LIST = BA_LIST_ROW;

// The rows of one direction: none when present is 0; one per entry with a TID bit set, its
// cells the value in decimal for each set bit, else "-".
std::vector<BA_LIST_ROW> BATableRows(const BA_TABLE_ENTRY (&entries)[BA_TABLE_MAX_ENTRIES], uint8_t present);

// "%02X-%02X-%02X-%02X-%02X-%02X".
std::string BlockAckMacText(const uint8_t* mac);

// The candidate peers of the block-ack pages from the driver's peer list: the rows the
// table holds (the count bounded by 32 and by the returned length), the connected access
// point first when it is among them, all-zero addresses left out.
std::vector<std::string> BlockAckCandidates(const uint8_t (&current)[6], const PEER_MAC_TABLE& table,
                                            unsigned long returned);
