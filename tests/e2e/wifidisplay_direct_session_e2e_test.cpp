// A Wi-Fi Display source session over Wi-Fi Direct in the running program: Wi-Fi Direct turned
// on and scanned, the sink chosen in the Wi-Fi Display list and connected from its popup by push
// button, the RTSP server started when the group is up, the session library's callbacks
// (scripted through its pipe) running the session to capture, and Teardown ending it.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sstream>
#include <string>
#include <vector>

#include "WiFiDirectDriving.h"

namespace {

constexpr POINT kTeardown = {354 + 8, 324 + 8};
const char* const kTv = "02:50:F2:AA:00:01";
// The sink's address on the group's link, which the session library reports as it connects.
const char* const kTvAddress = "192.168.137.20";

std::string Hex(const void* data, size_t size)
{
    std::string hex;
    const auto* p = static_cast<const unsigned char*>(data);
    for (size_t i = 0; i < size; ++i) {
        char two[3];
        std::snprintf(two, sizeof two, "%02X", p[i]);
        hex += two;
    }
    return hex;
}

// A format record of the session library (288 bytes): profile, level and the VESA mask.
std::string VesaFormat(uint8_t profile, uint8_t level, uint32_t vesa)
{
    uint8_t record[288] = {};
    record[8] = profile;
    record[9] = level;
    std::memcpy(record + 16, &vesa, 4);
    return Hex(record, sizeof record);
}

// The 32-bit little-endian field at a byte offset of a hexadecimal record.
uint32_t FieldOf(const std::string& hex, size_t offset)
{
    uint32_t value = 0;
    for (size_t i = 0; i < 4; ++i)
        value |= uint32_t(std::strtoul(hex.substr((offset + i) * 2, 2).c_str(), nullptr, 16)) << (8 * i);
    return value;
}

// The sizes of the VESA rows, each at 30 then at 60 frames a second (rows 2k and 2k + 1).
constexpr SIZE kVesaSizes[] = {{800, 600},   {1024, 768},  {1152, 864},  {1280, 768},  {1280, 800},
                               {1360, 768},  {1366, 768},  {1280, 1024}, {1400, 1050}, {1440, 900},
                               {1600, 900},  {1600, 1200}, {1680, 1024}, {1680, 1050}, {1920, 1200}};

// The journal lines of two stand-ins in call order, without their stamps and keepalives.
std::vector<std::string> Merged(const std::string& first, const std::string& second)
{
    std::vector<std::string> lines;
    for (const std::string* journal : {&first, &second}) {
        std::istringstream in(*journal);
        for (std::string line; std::getline(in, line);)
            if (!line.empty())
                lines.push_back(line);
    }
    std::sort(lines.begin(), lines.end());
    std::vector<std::string> calls;
    for (const std::string& line : lines) {
        const std::string call = line.substr(line.find(' ') + 1);
        if (call.find(", 11, ") == std::string::npos)  // keepalives come when their timer says
            calls.push_back(call);
    }
    return calls;
}

class WiFiDisplayDirectSession : public WiFiDirectDriving {
protected:
    std::string Session() const { return wevo_.Display("VaZEDEVE", "journal"); }
    std::string Capture() const { return wevo_.Display("WFDSource", "journal"); }
    bool Captured(const std::string& part) const
    {
        return WaitFor([&] { return Capture().find(part) != std::string::npos; }, 10000);
    }
    // Queues callback events of the session library and waits until they were delivered.
    void Play(const std::string& script) const
    {
        EXPECT_NE(wevo_.Display("VaZEDEVE", "script " + script), "-1\n") << script;
        EXPECT_EQ(wevo_.Display("VaZEDEVE", "wait 10000"), "ok\n") << script;
    }

    HWND display_ = nullptr;
};

TEST_F(WiFiDisplayDirectSession, SourceStreamsToASinkConnectedOverWiFiDirect)
{
    ASSERT_NO_FATAL_FAILURE(Launch("wifidisplay"));
    ASSERT_NO_FATAL_FAILURE(TurnOn("Den-Laptop"));
    ASSERT_NO_FATAL_FAILURE(ScanForPeers());

    const std::vector<HWND> before = wevo_.VisibleWindows();
    const auto opened = [&] { return (display_ = wevo_.WaitForNewForm(before, 100)) != nullptr; };
    ASSERT_TRUE(ClickUntil(main_, kMainWiFiDisplay, opened))
        << "the Wi-Fi Display window did not open";
    HWND list = FindWindowExA(display_, nullptr, "SysListView32", nullptr);
    ASSERT_NE(list, nullptr);
    HWND source = FindButton(display_, "Source");
    ASSERT_NE(source, nullptr);
    EXPECT_TRUE(Checked(source));

    // Source, chosen again by the user, switches Wi-Fi Display on in the driver
    for (const char* role : {"P-Sink", "Source"})
        SendMessageA(FindButton(display_, role), BM_CLICK, 0, 0);
    EXPECT_TRUE(wevo_.WaitForJournal("WVWL_WriteAndSetWDPConfig(ConfigMode=1 DevInfo=0x0010")) << wevo_.Journal();

    // the driver's table: the television (a primary sink) named by its Wi-Fi Direct peer
    EXPECT_EQ(wevo_.Sim("wdpstatus 04").substr(0, 2), "ok");
    RemoteListView rows(wevo_.Process(), list);
    int tv = -1;
    ASSERT_TRUE(WaitFor([&] { return (tv = rows.Find(3, kTv)) >= 0 && rows.Text(tv, 1) == "Living-Room-TV"; }))
        << wevo_.Journal();
    EXPECT_EQ(rows.Text(tv, 2), "P-Sink");
    ASSERT_TRUE(rows.Select(tv));

    // Connect, the fifth item shown (name, type, MAC, details, connect): the Wi-Fi Direct
    // window's wizard asks how, and the user takes push button
    ASSERT_TRUE(ChooseFromListPopup(list, 4)) << "no popup on the list";
    HWND wizard = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (wizard = Form("Wi-Fi Direct Settings")) != nullptr; })) << wevo_.Journal();
    HWND pbc = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (pbc = FindButton(wizard, "Push Button (PBC)")) != nullptr; }));
    PostMessageA(pbc, BM_CLICK, 0, 0);
    ASSERT_TRUE(NextUntilClosed(wizard)) << wevo_.Journal();
    ASSERT_TRUE(wevo_.WaitForJournal("WVWL_ConnectWPSProfileWithWifiDirectWpse(")) << wevo_.Journal();

    // the group is up: the row shows the connection and the RTSP server starts
    ASSERT_TRUE(WaitFor([&] { return wevo_.Display("VaZEDEVE", "running") == "1\n"; }, 30000))
        << Session() << wevo_.Journal();
    EXPECT_TRUE(WaitFor([&] { return rows.Image(rows.Find(3, kTv)) == 0; })) << wevo_.Journal();
    EXPECT_FALSE(IsWindowEnabled(source));
    const std::string started = Session();
    EXPECT_NE(started.find("WVWDP_StartOrStopRTSPServer(1, \"0.0.0.0\", 7236) -> 0"), std::string::npos) << started;

    // the formats offered come from the display's modes: the screen's size among the VESA rows
    const size_t at = started.find("WVWDP_DoWork(null, 20, h:");
    ASSERT_NE(at, std::string::npos) << started;
    const std::string offered = started.substr(at + std::strlen("WVWDP_DoWork(null, 20, h:"), 40);
    const SIZE screen = {GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    const auto row = std::find_if(std::begin(kVesaSizes), std::end(kVesaSizes),
                                  [&](const SIZE& s) { return s.cx == screen.cx && s.cy == screen.cy; });
    ASSERT_NE(row, std::end(kVesaSizes)) << "the screen's size " << screen.cx << "x" << screen.cy << " is no VESA row";
    const uint32_t at60 = 1u << (2 * (row - std::begin(kVesaSizes)) + 1);
    EXPECT_NE(FieldOf(offered, 8) & at60, 0u) << "VESA mask offered " << offered.substr(16, 8);
    EXPECT_NE(FieldOf(offered, 4) & 1u, 0u) << "640 x 480 is always offered";

    // the sink connects from its address on the group's link; M1 to M4, the session set up
    wevo_.Display("WFDSource", "journal clear");
    Play(std::string("0 ") + kTvAddress + ";10;11;12;13;14;15 - i:6001;16;17");
    EXPECT_TRUE(WaitFor([&] {
        return Session().find(std::string("WVWDP_StartSessionSetup(\"") + kTvAddress + "\") -> 0") != std::string::npos;
    })) << Session();

    // the sink's formats, its type (primary) and the chosen format (constrained high, level
    // 4.1, the screen's size at 60), then M7 with the sink's RTP port 1
    EXPECT_EQ(wevo_.Display("VaZEDEVE", "sessionid 4711"), "ok\n");
    Play("52 - h:" + VesaFormat(0, 0, 0) + ";55 - i:1;58 - h:" + VesaFormat(2, 8, at60) +
         ";18;19;20;21;22;23 - w:0,6000");
    EXPECT_TRUE(Captured("WFD_SetVideoCodecParameter(100, 41) -> 0")) << Capture();
    EXPECT_TRUE(Captured("WFD_SetFPS(60) -> 0")) << Capture();
    EXPECT_TRUE(Captured("WFD_SetCaptureResolution(" + std::to_string(screen.cx) + ", " + std::to_string(screen.cy) +
                         ") -> 0"))
        << Capture();
    EXPECT_TRUE(Captured(std::string("WFD_SetIPInfo(55750, 6000, L\"") + kTvAddress + "\") -> 0")) << Capture();
    EXPECT_TRUE(Captured("WFD_StartMpegtsCapture(2, 0, 0) -> 0")) << Capture();
    EXPECT_TRUE(wevo_.WaitForJournal("wdp session id 00004711", 10000)) << wevo_.Journal();
    Shot(display_, "e2e_wifidisplay_direct_source");

    // Teardown: capture stops, the sink is told, the server stops; the window is idle again
    wevo_.Display("WFDSource", "journal clear");
    wevo_.Display("VaZEDEVE", "journal clear");
    ASSERT_TRUE(ClickUntil(display_, kTeardown, [&] { return wevo_.Display("VaZEDEVE", "running") == "0\n"; }))
        << Session();
    const std::vector<std::string> order =
        Merged(wevo_.Display("WFDSource", "journal stamped"), wevo_.Display("VaZEDEVE", "journal stamped"));
    const std::vector<std::string> expected = {
        "WFD_StopCapture() -> 0",
        std::string("WVWDP_TriggerMethod(\"") + kTvAddress + "\", 2) -> 0",
        "WVWDP_StartOrStopRTSPServer(0, \"\", 7236) -> 0",
        "WFD_StopCapture() -> 0",
    };
    EXPECT_EQ(order, expected);
    // the sink is still in the group, so the group is left too
    EXPECT_TRUE(wevo_.WaitForJournal("---> TFormWiFiDirect::OnDisconnect", 10000)) << wevo_.Journal();
    EXPECT_TRUE(WaitFor([&] { return IsWindowEnabled(source) != FALSE; })) << wevo_.Journal();
    EXPECT_TRUE(Checked(source));
    EXPECT_TRUE(WaitFor([&] { return rows.Image(rows.Find(3, kTv)) != 0; })) << "the row still shows the connection";
    EXPECT_TRUE(wevo_.Running());
}

}  // namespace
