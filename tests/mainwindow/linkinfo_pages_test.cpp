// Throughput from two samples of the byte counters, the link-quality indicator, the tabs
// and the statistics page of the link-information window.
#include <cstring>

#include "mainwindow/FormLinkInfo.h"
#include "program_fixture.h"
#include "../ui/UiTestSupport.h"

namespace {

struct ThroughputCase {
    DWORD before, now;
    const char* text;
};

void PrintTo(const ThroughputCase& c, std::ostream* os)
{
    *os << c.before << " to " << c.now;
}

class Throughput : public ::testing::TestWithParam<ThroughputCase> {};

TEST_P(Throughput, OverTheTwoSecondTick)
{
    EXPECT_EQ(ThroughputText(GetParam().now, GetParam().before), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Counters, Throughput,
                         ::testing::Values(ThroughputCase{1000, 251000, "1.000 Mbps"},
                                           ThroughputCase{0, 2000000, "8.000 Mbps"},
                                           ThroughputCase{5000, 6000, "4.000 Kbps"},
                                           ThroughputCase{7, 7, "0.000 Kbps"},
                                           ThroughputCase{5000, 100, "0.000 Kbps"},            // counters reset
                                           ThroughputCase{0xFFFFFF00u, 0x100, "0.000 Kbps"},   // wrapped
                                           ThroughputCase{0xFFFC2F6Fu, 0xFFFFFFFFu, "1.000 Mbps"}));

WLAN_STATUS g_status;

int __stdcall FakeQueryWLANStatus(WLAN_STATUS* status, WLAN_STATUS_QUERY)
{
    *status = g_status;
    return 1;
}

WLAN_STATUS Connected()
{
    WLAN_STATUS s;
    std::memset(&s, 0, sizeof s);
    s.status = WvStatus_Connected;
    s.ssid.SsidLength = 4;
    std::memcpy(s.ssid.Ssid, "Cafe", 4);
    s.bssid[5] = 1;
    s.networkType = 1;
    s.chain[0] = {-50, 70, 0};
    s.linkQuality = 70;
    s.txPower = 100;
    return s;
}

class LinkInfoPages : public ProgramFixture {
protected:
    void SetUp() override
    {
        ProgramFixture::SetUp();
        StartProgram();
        g_status = Connected();
        VOZEZIV.WVWL_QueryWLANStatus = FakeQueryWLANStatus;
    }
    void Tick() { FormLinkInfo->TimerLinkInfo->Tick(); }
    TFrameLinkInfoThroughput* Page() { return FormLinkInfo->FrameLinkInfoThroughput; }
};

TEST_F(LinkInfoPages, ThroughputStartsOnTheSecondSampleAndComparesWithTheLastConnectedOne)
{
    g_status.TxByteCount = 1000000;
    g_status.RxByteCount = 50;
    Tick();
    EXPECT_EQ(Page()->lblTxThroughput->Caption(), "");
    EXPECT_EQ(Page()->lblRxThroughput->Caption(), "");

    g_status.TxByteCount += 250000;
    g_status.RxByteCount += 1000;
    Tick();
    EXPECT_EQ(Page()->lblTxThroughput->Caption(), "1.000 Mbps");
    EXPECT_EQ(Page()->lblRxThroughput->Caption(), "4.000 Kbps");

    g_status.status = WvStatus_Disconnected;
    Tick();
    EXPECT_EQ(Page()->lblTxThroughput->Caption(), "");
    EXPECT_EQ(Page()->lblTxLinkSpeed->Caption(), "");

    // Back again with counters that started over: nothing negative, nothing huge.
    g_status = Connected();
    g_status.TxByteCount = 10;
    g_status.RxByteCount = 1050 + 1000;
    Tick();
    EXPECT_EQ(Page()->lblTxThroughput->Caption(), "0.000 Kbps");
    EXPECT_EQ(Page()->lblRxThroughput->Caption(), "4.000 Kbps");
}

TEST_F(LinkInfoPages, QualityIndicatorShowsFifthsOfTheMainWindowsPicture)
{
    const int full = FormMain->ImgLinkQuality->Width();
    ASSERT_GT(full, 0);
    const struct {
        DWORD quality;
        int fifths;
    } cases[] = {{0, 1}, {20, 1}, {21, 2}, {40, 2}, {60, 3}, {80, 4}, {81, 5}, {100, 5}, {150, 5}};
    for (const auto& c : cases) {
        g_status.linkQuality = c.quality;
        Tick();
        EXPECT_EQ(FormMain->ImgLinkQuality->Width(), full * c.fifths / 5) << c.quality;
        EXPECT_EQ(FormMain->ImgLinkQuality->Hint(), std::to_string(std::min<DWORD>(c.quality, 100)) + " %");
        EXPECT_TRUE(FormMain->ImgLinkQuality->Visible());
        EXPECT_FALSE(FormMain->ImgLinkQualityDisconnected->Visible());
    }
    g_status.status = WvStatus_Disconnected;
    Tick();
    EXPECT_FALSE(FormMain->ImgLinkQuality->Visible());
    EXPECT_TRUE(FormMain->ImgLinkQualityDisconnected->Visible());
    EXPECT_EQ(FormMain->ImgLinkQuality->Hint(), "");
}

TEST_F(LinkInfoPages, SignalBarsScaleFromTheirFirstWidth)
{
    g_status.chain[0] = {-40, 50, 1};
    g_status.chain[1] = {-47, 250, 1};
    g_status.chain[2] = {-60, 25, 0};
    Tick();
    EXPECT_EQ(Page()->ImgSignalStrength1->Width(), 93);
    EXPECT_EQ(Page()->ImgSignalStrength2->Width(), 186);
    EXPECT_EQ(Page()->ImgSignalStrength2->Hint(), "100 %");
    EXPECT_EQ(Page()->ImgSignalStrength3->Width(), 46);
    g_status.chain[0].quality = 100;
    Tick();
    EXPECT_EQ(Page()->ImgSignalStrength1->Width(), 186);
    EXPECT_EQ(Page()->lblSignalStrength3->Caption(), "-60 dBm");
}

TEST_F(LinkInfoPages, ShowingStartsOnTheWirelessPage)
{
    FormLinkInfo->Show();
    ClickControl(FormLinkInfo->TabBtnStatistic);
    EXPECT_EQ(FormLinkInfo->m_pCurrentPage, FormLinkInfo->FrameLinkInfoStatistic);
    EXPECT_EQ(FormLinkInfo->TabBtnStatistic->ImageIndex(), 1);
    EXPECT_EQ(FormLinkInfo->TabBtnWireless->ImageIndex(), 0);
    ClickControl(FormLinkInfo->SysBtnClose);
    EXPECT_FALSE(FormLinkInfo->Visible());
    EXPECT_TRUE(FormLinkInfo->TimerLinkInfo->Enabled());

    FormLinkInfo->Show();
    EXPECT_EQ(FormLinkInfo->m_pCurrentPage, FormLinkInfo->FrameLinkInfoWireless);
    EXPECT_EQ(FormLinkInfo->TabBtnWireless->ImageIndex(), 1);
    EXPECT_EQ(FormLinkInfo->TabBtnStatistic->ImageIndex(), 0);
}

TEST_F(LinkInfoPages, StatisticsPanelsFollowTheRadioButtonsAndStartOnTransmit)
{
    TFrameLinkInfoStatistic* page = FormLinkInfo->FrameLinkInfoStatistic;
    FormLinkInfo->Show();
    ClickControl(FormLinkInfo->TabBtnStatistic);
    EXPECT_TRUE(page->rBtnTransmit->Checked());
    EXPECT_TRUE(page->panelTransmit->Visible());
    EXPECT_FALSE(page->panelReceive->Visible());

    ClickControl(page->rBtnReceive);
    EXPECT_TRUE(page->rBtnReceive->Checked());
    EXPECT_FALSE(page->panelTransmit->Visible());
    EXPECT_TRUE(page->panelReceive->Visible());

    ClickControl(FormLinkInfo->TabBtnThroughput);
    ClickControl(FormLinkInfo->TabBtnStatistic);
    EXPECT_TRUE(page->rBtnTransmit->Checked());
    EXPECT_TRUE(page->panelTransmit->Visible());
}

TEST_F(LinkInfoPages, ResetShowsZerosUntilTheNextConnectedTick)
{
    TFrameLinkInfoStatistic* page = FormLinkInfo->FrameLinkInfoStatistic;
    FormLinkInfo->Show();
    ClickControl(FormLinkInfo->TabBtnStatistic);
    g_status.statistics.TransmittedFragmentCount.QuadPart = 10;
    g_status.statistics.RetryCount.QuadPart = 11;
    g_status.statistics.FailedCount.QuadPart = 12;
    g_status.statistics.FCSErrorCount.QuadPart = 13;
    g_status.statistics.FrameDuplicateCount.QuadPart = 14;
    g_status.rxOkCount64 = 15;
    g_status.rxDropCount = 16;
    Tick();
    TLabel* values[] = {page->lblTxOK, page->lblTxRetryOK, page->lblTxAllRetryOK, page->lblRxCRC,
                        page->lblRxDuplicate, page->lblRxOK, page->lblRxDrop};
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(values[i]->Caption(), std::to_string(10 + i));

    const int resets = SimCallCount("WVWL_ResetCounter");
    ClickControl(page->btnResetCounter);
    EXPECT_EQ(SimCallCount("WVWL_ResetCounter"), resets + 1);
    for (TLabel* value : values)
        EXPECT_EQ(value->Caption(), "0");

    // Ticks without a link leave the counters alone; a connected one writes them again.
    g_status.status = WvStatus_Disconnected;
    Tick();
    EXPECT_EQ(page->lblTxOK->Caption(), "0");
    g_status.status = WvStatus_Connected;
    Tick();
    EXPECT_EQ(page->lblTxOK->Caption(), "10");
}

TEST_F(LinkInfoPages, ReceivedFramesUseThe32BitCountBeforeVista)
{
    VOZEZIV.nWinOS = WINOS_XP;
    g_status.rxOkCount64 = 6000000000ULL;
    g_status.rxOkCount = 4000000000u;
    Tick();
    EXPECT_EQ(FormLinkInfo->FrameLinkInfoStatistic->lblRxOK->Caption(), "4000000000");
}

}  // namespace
