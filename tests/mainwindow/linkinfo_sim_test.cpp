// The link-information tick on the simulated adapter's moving link record.
#include <regex>

#include "mainwindow/FormLinkInfo.h"
#include "mainwindow/LinkStatus.h"
#include "program_fixture.h"
#include "resources/FormResource.h"

namespace {

class LinkInfoOnSimulator : public ProgramFixture {
protected:
    // Connects HomeNet (channel 6, two chains, 802.11n) as the stored active profile.
    void Connect()
    {
        LoadLibrary();
        StoreHomeProfile();
        CreateWindows();
        FormMain->Show();
        // The tests tick the link information themselves: a tick of its own while the link
        // comes up would send the address before the test counts.
        FormLinkInfo->TimerLinkInfo->SetEnabled(false);
        ASSERT_TRUE(FormMain->TimerReconnect->Enabled());
        FormMain->TimerReconnect->Tick();
        ASSERT_TRUE(PumpUntil([] { return QueryLinkStatus(VOZEZIV, LINK_QUERY_STATE_ONLY).status == WvStatus_Connected; },
                              15000));
    }
};

TEST_F(LinkInfoOnSimulator, ConnectedLinkFillsBothWindows)
{
    Connect();
    const CUISTR& s = *FormResource->UI_Str;
    const int addressRequests = SimCallCount("WVWL_OIDSetInfo");
    FormLinkInfo->TimerLinkInfo->Tick();

    const TFrameLinkInfoWireless* w = FormLinkInfo->FrameLinkInfoWireless;
    EXPECT_EQ(w->lblStatus->Caption(), "HomeNet <--> 00-1A-2B-00-00-02 ");
    EXPECT_EQ(w->lblStatus2->Caption(), "[192.168.1.1] - (home-router)");
    EXPECT_EQ(w->lblAuthen->Caption(), s.STR_WPA2PSK);
    EXPECT_EQ(w->lblEncrypt->Caption(), s.STR_AES);
    EXPECT_EQ(w->lblNetworkType->Caption(), s.STR_INFRA);
    // The channel of the link itself, whatever network the repository lists first.
    EXPECT_EQ(FormMain->lblChannel->Caption(), "6 (2437 MHz)");
    EXPECT_EQ(FormMain->lblSSID->Caption(), "HomeNet");
    EXPECT_EQ(FormMain->lblIPAddress->Caption(), "192.168.1.23");
    EXPECT_TRUE(std::regex_match(FormMain->lblTxRate->Caption(), std::regex("[0-9]+\\.[0-9] Mbps")));
    EXPECT_TRUE(std::regex_match(FormLinkInfo->FrameLinkInfoThroughput->lblLinkQuality->Caption(),
                                 std::regex("[0-9]+ %")));
    EXPECT_TRUE(std::regex_match(FormLinkInfo->FrameLinkInfoThroughput->lblSignalStrength2->Caption(),
                                 std::regex("-[0-9]+ dBm")));
    EXPECT_FALSE(FormLinkInfo->FrameLinkInfoThroughput->lblSignalStrength3Txt->Visible());
    EXPECT_EQ(SimCallCount("WVWL_OIDSetInfo"), addressRequests + 1);

    // Two seconds on the counters have moved: both directions show a throughput.
    Pump(2000);
    FormLinkInfo->TimerLinkInfo->Tick();
    const std::regex rate("[0-9]+\\.[0-9]{3} [KM]bps");
    EXPECT_TRUE(std::regex_match(FormLinkInfo->FrameLinkInfoThroughput->lblTxThroughput->Caption(), rate));
    EXPECT_TRUE(std::regex_match(FormLinkInfo->FrameLinkInfoThroughput->lblRxThroughput->Caption(), rate));
    EXPECT_NE(FormLinkInfo->FrameLinkInfoStatistic->lblRxOK->Caption(), "");
    // The address stayed the same: it is not sent again.
    EXPECT_EQ(SimCallCount("WVWL_OIDSetInfo"), addressRequests + 1);
}

TEST_F(LinkInfoOnSimulator, ATickReadsTheLinkAndTheUserOnce)
{
    Connect();
    FormLinkInfo->TimerLinkInfo->Tick();
    const int status = SimCallCount("WVWL_QueryWLANStatus");
    const int admin = SimCallCount("WVWL_DetectUserAdmin");
    FormLinkInfo->TimerLinkInfo->Tick();
    EXPECT_EQ(SimCallCount("WVWL_QueryWLANStatus"), status + 1);
    EXPECT_EQ(SimCallCount("WVWL_DetectUserAdmin"), admin + 1);
    EXPECT_EQ(FormMain->lblSSID->Caption(), "HomeNet");
}

TEST_F(LinkInfoOnSimulator, DroppedLinkClearsTheAddressOnce)
{
    Connect();
    FormLinkInfo->TimerLinkInfo->Tick();
    ASSERT_EQ(FormMain->lblIPAddress->Caption(), "192.168.1.23");

    VOZEZIV.WVWL_Disconnect();
    ASSERT_TRUE(PumpUntil([] { return QueryLinkStatus(VOZEZIV, LINK_QUERY_STATE_ONLY).status != WvStatus_Connected; }));
    const int requests = SimCallCount("WVWL_OIDSetInfo");
    FormLinkInfo->TimerLinkInfo->Tick();
    EXPECT_EQ(SimCallCount("WVWL_OIDSetInfo"), requests + 1);
    EXPECT_EQ(FormMain->lblIPAddress->Caption(), "");
    EXPECT_EQ(FormLinkInfo->FrameLinkInfoWireless->lblStatus->Caption(), FormResource->UI_Str->STR_DISCONNECTED);
    FormLinkInfo->TimerLinkInfo->Tick();
    EXPECT_EQ(SimCallCount("WVWL_OIDSetInfo"), requests + 1);
}

TEST_F(LinkInfoOnSimulator, RadioSwitchedOffShowsRadioOff)
{
    StartProgram();
    SimCommand("radio hw off");
    FormLinkInfo->TimerLinkInfo->Tick();
    EXPECT_EQ(FormLinkInfo->FrameLinkInfoWireless->lblStatus->Caption(), FormResource->UI_Str->STR_RADIOOFF);
    EXPECT_TRUE(FormMain->ImgLinkQualityDisconnected->Visible());
}

}  // namespace
