// The block-ack capability shapes, the table rows, the candidate peers and the address and
// window-size texts of the 802.11n window.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "advanced/BlockAckRecords.h"
#include "advanced/Form80211nSetting.h"
#include "advanced/FrameAddBlockAck.h"

namespace {

struct CapCase {
    const char* name;
    BA_CAP_STATE state;
    uint8_t setting[8];
    uint32_t word;
};

BA_CAP_STATE Cap(uint8_t c0, uint8_t c1, bool amsdu, bool max7935, bool mpdu, bool autoDensity, int density,
                 int powerSave)
{
    return BA_CAP_STATE{c0, c1, amsdu, max7935, mpdu, autoDensity, density, powerSave};
}

TEST(BlockAckCapability, SettingAndWordFollowTheControls)
{
    const CapCase cases[] = {
        {"nothing read yet, all off", Cap(32, 32, false, false, false, false, 0, 3), {32, 32, 2, 0, 0, 0, 3, 0},
         0x03042020},
        {"everything on, dynamic", Cap(0x11, 0x22, true, true, true, true, 5, 1), {0x11, 0x22, 1, 5, 1, 1, 1, 1},
         0x01EB2211},
        {"7935 chosen but A-MSDU off", Cap(32, 32, false, true, true, false, 7, 0), {32, 32, 1, 7, 0, 0, 0, 0},
         0x00000000u | 0x2020 | (1u << 17) | (7u << 19)},
        {"A-MSDU at 3839, static", Cap(0, 0, true, false, false, false, 2, 0), {0, 0, 2, 2, 1, 0, 0, 0},
         (2u << 17) | (2u << 19) | (1u << 22)},
    };
    for (const CapCase& c : cases) {
        const BA_CAP_SETTING s = MakeBACapSetting(c.state);
        EXPECT_EQ(0, std::memcmp(&s, c.setting, 8)) << c.name;
        EXPECT_EQ(c.word, MakeBACapWord(c.state)) << c.name << std::hex << " got 0x" << MakeBACapWord(c.state);
    }
}

TEST(BlockAckCapability, StoredWordsReadBackAsThePageShowsThem)
{
    struct Case {
        const char* name;
        uint32_t word;
        BA_CAP_STATE expected;
    } cases[] = {
        {"power save 2 is SM enable", 0x02042020, Cap(32, 32, false, false, false, false, 0, 3)},
        {"aggregation value 3 is off", (3u << 17) | (1u << 16), Cap(0, 0, false, false, false, true, 0, 0)},
        {"7935 bit without A-MSDU", (1u << 23) | (1u << 24) | (1u << 17), Cap(0, 0, false, false, true, false, 0, 1)},
        {"high bits ignored", 0xFC000000u | 0x01EB2211, Cap(0x11, 0x22, true, true, true, true, 5, 1)},
    };
    for (const Case& c : cases) {
        const BA_CAP_STATE s = BACapStateFromWord(c.word);
        const BA_CAP_STATE& e = c.expected;
        EXPECT_EQ(e.carried0, s.carried0) << c.name;
        EXPECT_EQ(e.carried1, s.carried1) << c.name;
        EXPECT_EQ(e.amsdu, s.amsdu) << c.name;
        EXPECT_EQ(e.amsdu7935, s.amsdu7935) << c.name;
        EXPECT_EQ(e.mpdu, s.mpdu) << c.name;
        EXPECT_EQ(e.autoDensity, s.autoDensity) << c.name;
        EXPECT_EQ(e.density, s.density) << c.name;
        EXPECT_EQ(e.powerSave, s.powerSave) << c.name;
    }
}

BA_TABLE_ENTRY Entry(uint8_t last, uint8_t bitmap, std::vector<uint8_t> values = {})
{
    BA_TABLE_ENTRY e{};
    const uint8_t mac[6] = {0x00, 0x1A, 0x2B, 0x00, 0x00, last};
    std::memcpy(e.MacAddr, mac, 6);
    e.TidBitmap = bitmap;
    for (size_t i = 0; i < values.size() && i < 8; ++i)
        e.TidValue[i] = values[i];
    std::memset(e.Reserved16, 0xEE, sizeof e.Reserved16);
    return e;
}

TEST(BlockAckTable, RowsComeFromEntriesWithATidBitInAPresentTable)
{
    BA_TABLE table{};
    table.Originator[0] = Entry(0x01, 0x21, {32, 9, 9, 9, 9, 255, 9, 9});
    table.Originator[1] = Entry(0x02, 0x00, {1, 2, 3});  // no TID: no row
    table.Originator[31] = Entry(0x1F, 0x80, {0, 0, 0, 0, 0, 0, 0, 64});
    table.Recipient[0] = Entry(0x03, 0xFF);

    table.OriginatorPresent = 1;
    const std::vector<BA_LIST_ROW> rows = BATableRows(table.Originator, table.OriginatorPresent);
    ASSERT_EQ(2u, rows.size());
    const std::string first[9] = {"00-1A-2B-00-00-01", "32", "-", "-", "-", "-", "255", "-", "-"};
    for (int i = 0; i < 9; ++i)
        EXPECT_EQ(first[i], rows[0].text[i]) << i;
    EXPECT_EQ("00-1A-2B-00-00-1F", rows[1].text[0]);
    EXPECT_EQ("64", rows[1].text[8]);

    // A table marked absent shows nothing, whatever its entries hold.
    EXPECT_TRUE(BATableRows(table.Recipient, 0).empty());
    EXPECT_EQ(1u, BATableRows(table.Recipient, 7).size());
}

PEER_MAC_TABLE Peers(std::vector<uint8_t> lasts, uint32_t count)
{
    PEER_MAC_TABLE t{};
    t.Count = count;
    for (size_t i = 0; i < lasts.size() && i < 32; ++i) {
        if (lasts[i] == 0)
            continue;  // an all-zero row
        t.Rows[i].MacAddr[0] = 0x02;
        t.Rows[i].MacAddr[5] = lasts[i];
        std::memset(t.Rows[i].Reserved6, 0xAB, 6);
    }
    return t;
}

std::string Mac(uint8_t last)
{
    char text[18];
    std::snprintf(text, sizeof text, "02-00-00-00-00-%02X", last);
    return text;
}

TEST(BlockAckCandidates, AccessPointFirstZeroRowsSkippedAndTheCountBounded)
{
    const uint8_t ap[6] = {0x02, 0, 0, 0, 0, 0x33};
    const uint8_t none[6] = {};
    std::vector<uint8_t> many;
    for (int i = 1; i <= 40; ++i)
        many.push_back(uint8_t(i));
    struct Case {
        const char* name;
        const uint8_t* current;
        PEER_MAC_TABLE table;
        unsigned long returned;
        std::vector<std::string> expected;
    } cases[] = {
        {"access point third", ap, Peers({0x11, 0x22, 0x33, 0x44}, 4), 388, {Mac(0x33), Mac(0x11), Mac(0x22), Mac(0x44)}},
        {"access point not listed", ap, Peers({0x11, 0x22}, 2), 388, {Mac(0x11), Mac(0x22)}},
        {"not connected", none, Peers({0x11, 0x22}, 2), 388, {Mac(0x11), Mac(0x22)}},
        {"zero row skipped", ap, Peers({0x11, 0, 0x22}, 3), 388, {Mac(0x11), Mac(0x22)}},
        {"count beyond the returned length", none, Peers({0x11, 0x22, 0x44}, 4000), 4 + 2 * 12, {Mac(0x11), Mac(0x22)}},
        {"returned length short of a row", none, Peers({0x11}, 1), 15, {}},
        {"nothing returned", none, Peers({0x11}, 1), 0, {}},
        {"count zero", none, Peers({0x11}, 0), 388, {}},
    };
    for (const Case& c : cases) {
        const uint8_t(&current)[6] = *reinterpret_cast<const uint8_t(*)[6]>(c.current);
        EXPECT_EQ(c.expected, BlockAckCandidates(current, c.table, c.returned)) << c.name;
    }

    // A count above 32 stops at the 32 rows the table holds.
    const std::vector<std::string> all = BlockAckCandidates(none, Peers(many, 40), 388);
    ASSERT_EQ(32u, all.size());
    EXPECT_EQ(Mac(32), all.back());
}

TEST(BlockAckTexts, AddressParser)
{
    struct Case {
        const char* text;
        bool ok;
        uint8_t mac[6];
    } cases[] = {
        {"00-1A-2B-00-00-02", true, {0x00, 0x1A, 0x2B, 0x00, 0x00, 0x02}},
        {"001a2bFF0002", true, {0x00, 0x1A, 0x2B, 0xFF, 0x00, 0x02}},
        {"0-01A2-B000-002", true, {0x00, 0x1A, 0x2B, 0x00, 0x00, 0x02}},
        {"00-1A-2B-00-00", false, {}},
        {"00-1A-2B-00-00-0G", false, {}},
        {"00:1A:2B:00:00:02", false, {}},
        {"00-1A-2B-00-00-02-03", false, {}},
        {"", false, {}},
    };
    for (const Case& c : cases) {
        uint8_t mac[6] = {9, 9, 9, 9, 9, 9};
        EXPECT_EQ(c.ok, TForm80211nSetting::ParseMacAddress(c.text, mac)) << c.text;
        if (c.ok) {
            EXPECT_EQ(0, std::memcmp(mac, c.mac, 6)) << c.text;
        } else {
            EXPECT_EQ(9, mac[0]) << c.text;
        }
    }
}

TEST(BlockAckTexts, WindowSizeIsTheLowByteOrThirtyTwo)
{
    const std::pair<const char*, int> cases[] = {{"32", 32}, {"abc", 32}, {"", 32}, {"300", 44},
                                                 {"-1", 255}, {"0", 0}, {"64", 64}, {"12x", 32}};
    for (const auto& [text, size] : cases)
        EXPECT_EQ(size, TFrameAddBlockAck::WindowSizeOf(text)) << text;
}

}  // namespace
