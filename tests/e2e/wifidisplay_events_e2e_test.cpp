// The running program acting on the driver's Wi-Fi Display events: status records pushed
// through the simulator's pipe preset the test parameters and reset the program to defaults.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "WiFiDirectDriving.h"

namespace {

// A 144-byte status record in hexadecimal: the code, then bytes from offset 4.
std::string Status(int code, const std::string& fromByte4)
{
    char head[9];
    std::snprintf(head, sizeof head, "%02X000000", code);
    return std::string(head) + fromByte4;
}

TEST(WiFiDisplayEventsEndToEnd, PresetAndResetFromTheDriver)
{
    ProgramTurn turn;
    WevoRun wevo;
    ASSERT_TRUE(wevo.Start("", "wifidisplay"));
    ASSERT_TRUE(WaitFor([&] { return wevo.MainWindow() != nullptr && IsWindowVisible(wevo.MainWindow()); }));
    const std::vector<HWND> before = wevo.VisibleWindows();
    HWND display = nullptr;
    const DWORD start = GetTickCount();
    do {
        ClickAt(wevo.MainWindow(), kMainWiFiDisplay.x, kMainWiFiDisplay.y);
        display = wevo.WaitForNewForm(before, 5000);
    } while (!display && GetTickCount() - start < 30000);
    ASSERT_NE(display, nullptr) << "the Wi-Fi Display window did not open";
    HWND source = FindButton(display, "Source"), primary = FindButton(display, "P-Sink"),
         secondary = FindButton(display, "S-Sink");
    ASSERT_TRUE(source && primary && secondary);
    ASSERT_TRUE(Checked(source));

    // event 6: test parameters with device type 1 (primary sink), EDID and video formats from the driver
    EXPECT_EQ(wevo.Sim("wdpstatus " + Status(6, "01808000")).substr(0, 2), "ok");
    ASSERT_TRUE(wevo.WaitForJournal("[WDP][DoWDPSigmaEvent] WDPEVENT_PRESET_TESTPARAMETERS")) << wevo.Journal();
    EXPECT_TRUE(WaitFor([&] { return Checked(primary); }, 5000));
    EXPECT_FALSE(Checked(source));
    EXPECT_TRUE(wevo.WaitForJournal("WVWL_OIDQueryInfo(0xFF710606 64)"));
    EXPECT_TRUE(wevo.WaitForJournal("EDID=1"));

    // event 3: reset to defaults as a secondary sink; the driver gets its event again and the
    // operating system's profiles and the DHCP lease are cleared
    const int handovers = wevo.Calls("WVWL_InitWifiDisplay");
    const int deletes = wevo.Calls("WVWL_WlanDeleteAllWindowsProfiles");
    const int cleans = wevo.Calls("WVWL_CleanPort2DhcpIPAddress");
    EXPECT_EQ(wevo.Sim("wdpstatus " + Status(3, "1200")).substr(0, 2), "ok");
    ASSERT_TRUE(wevo.WaitForJournal("[WDP][DoWDPSigmaEvent] WDPEVENT_RESET_DEFAULT")) << wevo.Journal();
    EXPECT_TRUE(WaitFor([&] { return wevo.Calls("WVWL_CleanPort2DhcpIPAddress") > cleans; }, 10000));
    EXPECT_TRUE(Checked(secondary));
    EXPECT_FALSE(Checked(primary));
    EXPECT_EQ(wevo.Calls("WVWL_InitWifiDisplay"), handovers + 1);
    EXPECT_EQ(wevo.Calls("WVWL_WlanDeleteAllWindowsProfiles"), deletes + 1);
    EXPECT_TRUE(wevo.WaitForJournal("WVWL_WriteAndSetWDPConfig(ConfigMode=1 DevInfo=0x0012"));

    // an unknown code is only logged, and the program goes on answering
    EXPECT_EQ(wevo.Sim("wdpstatus " + Status(9, "")).substr(0, 2), "ok");
    EXPECT_TRUE(wevo.WaitForJournal("unknown WDPStatus=9"));
    EXPECT_TRUE(wevo.Running());
    EXPECT_TRUE(Checked(secondary));
}

}  // namespace
