// The sink's connect and retry timers over Wi-Fi Direct and over TDLS, driven tick by tick,
// with the peer's address from the ARP table, the group owner's leases or the device table.
#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

#include "ui/Seams.h"
#include "wifidirect/FormWiFiDirect.h"
#include "wifidisplay/WDPSink.h"
#include "wifidisplay/source_fixture.h"

namespace {

using Strings = std::vector<std::string>;

const BYTE kDevice[6] = {0x02, 0x50, 0xF2, 0xAA, 0x00, 0x01};
const BYTE kInterface[6] = {0x06, 0x50, 0xF2, 0xAA, 0x00, 0x01};
const BYTE kTdls[6] = {0x0E, 0x50, 0xF2, 0xAA, 0x00, 0x01};

class SinkRoads : public SourceFixture {
protected:
    void SetUp() override
    {
        SourceFixture::SetUp();
        WDPSink::i2cPortOverride = 0;
        wdpseams::udpSendOverride = [this](const std::string& address, int port, int localPort) {
            m_wakes.push_back(address + ":" + std::to_string(port) + " from " + std::to_string(localPort));
            return 1;
        };
        wdpseams::arpTableOverride = [this](std::vector<wdpseams::ArpRow>& rows) {
            rows = m_arp;
            return true;
        };
        seams::sleepOverride = [this](DWORD ms) { m_slept += ms; };
    }
    void TearDown() override
    {
        SourceFixture::TearDown();
        WDPSink::i2cPortOverride = -1;
        wdpseams::udpSendOverride = nullptr;
        wdpseams::arpTableOverride = nullptr;
        seams::sleepOverride = nullptr;
    }
    void StartSink()
    {
        StartOn({1366, 768}, {{1366, 768, 32, 60}});
        DeviceTable(nullptr);
        FormWiFiDisplay->m_WDPConfig.DevInfo = 1;
        std::string reply;
        SimCommand("wdppeer " + WDPMacText(kInterface) + " " + WDPMacText(kDevice), &reply);
        ASSERT_EQ(reply, "ok\n");
    }
    // The device of the table, with its TDLS address when given.
    void DeviceTable(const BYTE* tdlsIp)
    {
        WDP_ENTRY e = Entry(kDevice, 0x0090);
        std::memcpy(e.TdlsMac, kTdls, 6);
        if (tdlsIp)
            std::memcpy(e.TdlsIp, tdlsIp, 4);
        Table(0, 1, {e}, {0});
        ASSERT_EQ(FormWiFiDisplay->QueryWDPTable(), 1);  // as the driver's table event has it read
    }
    // A connection of this type to the device recorded afresh, the player idle.
    void Connected(int type)
    {
        FormWiFiDisplay->ResetAllParameter();
        FormWiFiDisplay->m_iNowConnectType = type;
        FormWiFiDisplay->m_strWDPConnectedMac = WDPMacText(kDevice);
        FormWiFiDisplay->EnableConnectRTSPServerTimer(true);
        PlayerClearInjections();
        PlayerSetState(0);
        PlayerClear();
        m_wakes.clear();
        m_slept = 0;
    }
    static wdpseams::ArpRow Row(BYTE a, BYTE b, BYTE c, BYTE d, const BYTE* mac)
    {
        wdpseams::ArpRow row{{a, b, c, d}, {}, 6};
        std::memcpy(row.physical, mac, 6);
        return row;
    }
    // The RTSP address the player was given, or "" when no connect reached the player.
    std::string PathGiven()
    {
        for (const std::string& line : PlayerCalls())
            if (line.rfind("SetPath(\"", 0) == 0)
                return line.substr(9, line.find('"', 9) - 9);
        return {};
    }

    std::vector<wdpseams::ArpRow> m_arp;
    Strings m_wakes;
    DWORD m_slept = 0;
};

TEST_F(SinkRoads, WiFiDirectClientFindsThePeerInTheArpTable)
{
    struct Case {
        const char* own;
        std::vector<wdpseams::ArpRow> arp;
        std::string path;
        Strings wakes;
    };
    const BYTE zero[6] = {};
    const Case cases[] = {
        {"0.0.0.0", {Row(192, 168, 49, 1, kInterface)}, "", {}},  // no own address yet
        {"10.0.0.2", {Row(192, 168, 49, 1, kInterface)}, "", {"10.0.0.1:33030 from 34463"}},
        {"192.168.49.23", {Row(192, 168, 49, 9, zero), Row(192, 168, 49, 1, kInterface)}, "rtsp://192.168.49.1:7236",
         {"192.168.49.1:33030 from 34463"}},
        // the same first four characters are taken for the same subnet
        {"192.168.49.23", {Row(192, 168, 137, 5, kInterface)}, "rtsp://192.168.137.5:7236", {"192.168.49.1:33030 from 34463"}},
        {"172.16.5.100", {}, "", {"172.16.5.1:33030 from 34463"}},  // not in the table
    };
    StartSink();
    for (const Case& c : cases) {
        Connected(WDP_CONNECT_P2P);
        FormWiFiDirect->m_ulMyRule = 0;
        FormWiFiDirect->m_strMyWiFiDirectIPAddress = c.own;
        m_arp = c.arp;
        FormWiFiDisplay->TimerConnectRTSPServer->Tick();
        EXPECT_EQ(PathGiven(), c.path) << c.own;
        EXPECT_EQ(m_wakes, c.wakes) << c.own;
        EXPECT_EQ(FormWiFiDisplay->TimerConnectRTSPServer->Enabled(), c.path.empty()) << c.own;
        EXPECT_EQ(FormWiFiDisplay->TimerRTSPRetry->Enabled(), !c.path.empty()) << c.own;
    }
}

TEST_F(SinkRoads, RetryStopsOncePlayingAndAFoundPortEndsTheTicks)
{
    StartSink();
    Connected(WDP_CONNECT_P2P);
    FormWiFiDirect->m_strMyWiFiDirectIPAddress = "192.168.49.23";
    m_arp = {Row(192, 168, 49, 1, kInterface)};
    PlayerSetState(1);  // still opening: the connect fails
    FormWiFiDisplay->TimerConnectRTSPServer->Tick();
    EXPECT_EQ(FormWiFiDisplay->m_iWDPConnectedPort, 7236);
    EXPECT_TRUE(FormWiFiDisplay->TimerConnectRTSPServer->Enabled());
    // with a port found, later ticks do nothing until the connection state is reset
    PlayerSetState(0);
    PlayerClear();
    m_wakes.clear();
    FormWiFiDisplay->TimerConnectRTSPServer->Tick();
    EXPECT_TRUE(PlayerCalls().empty());
    EXPECT_TRUE(m_wakes.empty());

    // after a reset the next tick connects; the retry then runs until the player plays
    Connected(WDP_CONNECT_P2P);
    FormWiFiDisplay->TimerConnectRTSPServer->Tick();
    EXPECT_EQ(PathGiven(), "rtsp://192.168.49.1:7236");
    EXPECT_FALSE(FormWiFiDisplay->TimerConnectRTSPServer->Enabled());
    ASSERT_TRUE(FormWiFiDisplay->TimerRTSPRetry->Enabled());
    EXPECT_EQ(FormWiFiDisplay->labStatus->Caption(), "Sink Retry Connecting");
    FormWiFiDisplay->TimerRTSPRetry->Tick();  // opening
    EXPECT_TRUE(FormWiFiDisplay->TimerRTSPRetry->Enabled());
    FormWiFiDisplay->TimerRTSPRetry->Tick();  // playing
    EXPECT_FALSE(FormWiFiDisplay->TimerRTSPRetry->Enabled());
    EXPECT_EQ(FormWiFiDisplay->labStatus->Caption(), "Sink Stop Retry Connecting");
}

// As group owner the peer's address is its lease; without one the look-up waits 3 x 2 s.
TEST_F(SinkRoads, GroupOwnerTakesThePeerFromItsLeases)
{
    StartSink();
    Connected(WDP_CONNECT_P2P);
    FormWiFiDirect->m_ulMyRule = 1;
    FormWiFiDirect->m_strMyWiFiDirectIPAddress = "192.168.137.1";
    FormWiFiDisplay->TimerConnectRTSPServer->Tick();
    EXPECT_EQ(m_slept, 6000u);
    EXPECT_EQ(SimCallCount("WVWL_GetIPfromMACTableLookup"), 3);
    EXPECT_EQ(PathGiven(), "");
    EXPECT_TRUE(m_wakes.empty());  // a group owner wakes nobody

    std::string reply;
    SimCommand("wdplease " + WDPMacText(kInterface) + " 192.168.137.77 1", &reply);
    ASSERT_EQ(reply, "ok\n");
    Connected(WDP_CONNECT_P2P);
    FormWiFiDisplay->TimerConnectRTSPServer->Tick();
    EXPECT_EQ(m_slept, 2000u);  // one failure, then the lease
    EXPECT_EQ(PathGiven(), "rtsp://192.168.137.77:7236");
}

// Over TDLS the address comes from the device's row, looked up by the device address
// although the TDLS address differs; ticks wait until the driver reports it.
TEST_F(SinkRoads, TdlsWaitsForThePeerAddress)
{
    StartSink();
    Connected(WDP_CONNECT_TDLS);
    for (int tick = 0; tick < 3; ++tick)
        FormWiFiDisplay->TimerConnectRTSPServer->Tick();
    EXPECT_EQ(PathGiven(), "");
    EXPECT_TRUE(FormWiFiDisplay->TimerConnectRTSPServer->Enabled());
    const BYTE address[4] = {192, 168, 1, 50};
    DeviceTable(address);
    FormWiFiDisplay->TimerConnectRTSPServer->Tick();
    EXPECT_EQ(PathGiven(), "rtsp://192.168.1.50:7236");
    EXPECT_EQ(FormWiFiDisplay->m_strWDPConnectedIP, "192.168.1.50");
    EXPECT_FALSE(FormWiFiDisplay->TimerConnectRTSPServer->Enabled());
    EXPECT_TRUE(FormWiFiDisplay->TimerRTSPRetry->Enabled());
}

}  // namespace
