// Conversions of the advanced settings words: the HT-mode value shared by HTMODE and
// LEGACYMODE, the driver-request shape of the configuration record, region and CCX fields.
#include <gtest/gtest.h>

#include "advanced/AdvancedRecords.h"

namespace {

uint32_t Transmit(uint32_t htmode, uint32_t legacy, uint32_t bw = 0)
{
    uint32_t word = FieldSet(0, txset::HTMODE, htmode);
    word = FieldSet(word, txset::LEGACYMODE, legacy);
    return FieldSet(word, txset::BW, bw);
}

TEST(TransmitHtMode, LegacyTwoAndThreeWinOverHtMode)
{
    const struct {
        uint32_t htmode, legacy, h;
    } cases[] = {{0, 0, 0}, {1, 0, 1}, {1, 3, 3}, {0, 2, 2}, {1, 1, 1}, {3, 0, 3}};
    for (const auto& c : cases)
        EXPECT_EQ(TransmitHtMode(Transmit(c.htmode, c.legacy)), c.h) << c.htmode << "/" << c.legacy;
}

TEST(TransmitHtMode, WritingPutsTwoAndThreeInLegacyModeAndKeepsTheOtherFields)
{
    // Every other field set, so that a write that touches them shows.
    const uint32_t others = ~(txset::HTMODE.Mask() | txset::LEGACYMODE.Mask());
    const struct {
        uint32_t h, htmode, legacy;
    } cases[] = {{0, 0, 0}, {1, 1, 0}, {2, 0, 2}, {3, 0, 3}};
    for (uint32_t before : {Transmit(1, 3), Transmit(0, 0), Transmit(1, 2)}) {
        for (const auto& c : cases) {
            const uint32_t word = TransmitWithHtMode(before | others, c.h);
            EXPECT_EQ(FieldGet(word, txset::HTMODE), c.htmode) << c.h;
            EXPECT_EQ(FieldGet(word, txset::LEGACYMODE), c.legacy) << c.h;
            EXPECT_EQ(word & others, others) << c.h;
            EXPECT_EQ(TransmitHtMode(word), c.h);
        }
    }
}

TEST(AdvanceOid, CarriesTheRecordFieldByField)
{
    ADVANCE_CONFIG_DATA config{};
    config.BGProtection = BG_PROTECTION_OFF;
    config.CountryRegion = 5;
    config.CountryRegionABand = 7;
    config.TransRate = 55;
    config.TXBurst = 1;
    config.WirelessMode = WMODE_24G_11N;
    config.CCX2_CONTROL = 0xFFFFFFFF;  // not carried
    uint32_t tx = FieldSet(0, txset::PhyMode, 9);
    tx = FieldSet(tx, txset::MCS, MCS_AUTO);
    tx = FieldSet(tx, txset::BW, 1);
    tx = FieldSet(tx, txset::ShortGI, 1);
    tx = FieldSet(tx, txset::STBC, 1);
    tx = FieldSet(tx, txset::TRANSNO, txset::kTransNo);
    tx = FieldSet(tx, txset::HTMODE, 1);
    tx = FieldSet(tx, txset::EXTCHA, 5);
    config.TransmitSetting = tx;

    const ADVANCE_OID oid = DeriveAdvanceOid(config);
    EXPECT_EQ(oid.phyMode.PhyMode, 9u);
    EXPECT_EQ(oid.phyMode.TransmitNo, 2);
    EXPECT_EQ(oid.phyMode.HtMode, 1);
    EXPECT_EQ(oid.phyMode.ExtOffset, 5);
    EXPECT_EQ(oid.phyMode.MCS, 33);
    EXPECT_EQ(oid.phyMode.BW, 1);
    EXPECT_EQ(oid.phyMode.STBC, 1);
    EXPECT_EQ(oid.phyMode.SHORTGI, 1);
    EXPECT_EQ(oid.phyMode.Reserved, 0);
    EXPECT_EQ(oid.nBGProtection, 2u);
    EXPECT_EQ(oid.bTXBurst, 1u);
    EXPECT_EQ(oid.CountryRegIndex11BG, 5u);
    EXPECT_EQ(oid.CountryRegIndex11A, 7u);
    EXPECT_EQ(oid.KVphyMode, 9u);
    EXPECT_EQ(oid.nTXRate, 55u);
    for (uint8_t b : oid.Reserved)
        EXPECT_EQ(b, 0);
}

TEST(AdvanceOid, TwentyMegahertzOnlyWhenLegacyModeIsTwoOrHtModeIsThree)
{
    const struct {
        uint32_t htmode, legacy, bw;
        uint8_t oidBw, oidHtMode;
    } cases[] = {
        {1, 2, 1, 0, 2},  // LEGACYMODE 2: 20 MHz whatever BW holds
        {0, 2, 7, 0, 2},
        {3, 0, 1, 0, 3},  // HTMODE 3
        {1, 3, 1, 1, 3},  // LEGACYMODE 3 keeps BW
        {0, 0, 1, 1, 0},
        {1, 0, 0, 0, 1},
    };
    for (const auto& c : cases) {
        ADVANCE_CONFIG_DATA config{};
        config.TransmitSetting = Transmit(c.htmode, c.legacy, c.bw);
        const ADVANCE_OID oid = DeriveAdvanceOid(config);
        EXPECT_EQ(oid.phyMode.BW, c.oidBw) << c.htmode << "/" << c.legacy << "/" << c.bw;
        EXPECT_EQ(oid.phyMode.HtMode, c.oidHtMode) << c.htmode << "/" << c.legacy;
    }
}

TEST(RegionWord, SevenBitsForEachBand)
{
    EXPECT_EQ(RegionCode24G(0x0000), 0u);
    EXPECT_EQ(RegionCode24G(0x0705), 5u);
    EXPECT_EQ(RegionCode5G(0x0705), 7u);
    // Bits 7 and 15 belong to neither code.
    EXPECT_EQ(RegionCode24G(0xFFFF), 0x7Fu);
    EXPECT_EQ(RegionCode5G(0xFFFF), 0x7Fu);
    EXPECT_EQ(RegionCode5G(0x8080), 0u);
    EXPECT_EQ(RegionCode24G(0x8080), 0u);
}

TEST(CcxWord, RoamThresholdIsANegativeDbmAndTimeLimitFallsBackTo250)
{
    EXPECT_EQ(CcxRoamThresholdDbm(FieldSet(0, ccx2::dBmToRoam, 90)), -90);
    EXPECT_EQ(CcxRoamThresholdDbm(FieldSet(0xFFFFFFFF, ccx2::dBmToRoam, 70)), -70);
    EXPECT_EQ(CcxRoamThresholdDbm(0), 0);
    const struct {
        uint32_t stored, shown;
    } limits[] = {{0, 250}, {1, 1}, {250, 250}, {1023, 1023}, {100, 100}};
    for (const auto& c : limits)
        EXPECT_EQ(CcxTuLimitShown(FieldSet(0xFFFFFFFF, ccx2::TuLimit, c.stored)), c.shown) << c.stored;
}

TEST(CcxWord, ChangingOneFieldWritesTheOthersBackAsRead)
{
    const uint32_t word = 0xE5A5A5A5;
    const uint32_t changed = FieldSet(word, ccx2::TuLimit, 1023);
    EXPECT_EQ(FieldGet(changed, ccx2::TuLimit), 1023u);
    EXPECT_EQ(changed & ~ccx2::TuLimit.Mask(), word & ~ccx2::TuLimit.Mask());
    // A value wider than its field is cut to the field.
    EXPECT_EQ(FieldSet(0, ccx2::dBmToRoam, 0x1FF), 0xFF00u);
}

}  // namespace
