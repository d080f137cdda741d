// The Wi-Fi Display window of the running program: opened from the main window, its device
// list filled from the driver's table, rescanned, and its popup offering what the state allows.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "WiFiDirectDriving.h"

namespace {

// The height of the popup menu the program shows now, then the menu closed. Menus belong to
// the process that made them, so their items are counted by the height of the menu window.
int PopupHeight(HWND list)
{
    HWND menu = ShowListPopup(list);
    if (!menu)
        return 0;
    RECT shown{};
    GetWindowRect(menu, &shown);
    PostMessageA(menu, WM_KEYDOWN, VK_ESCAPE, 0);
    WaitFor([&] { return !IsWindowVisible(menu); }, 5000);
    return shown.bottom - shown.top;
}

TEST(WiFiDisplayEndToEnd, DevicesRescanAndPopup)
{
    ProgramTurn turn;
    WevoRun wevo;
    ASSERT_TRUE(wevo.Start("", "wifidisplay"));
    ASSERT_TRUE(WaitFor([&] { return wevo.MainWindow() != nullptr && IsWindowVisible(wevo.MainWindow()); }));
    HWND main = wevo.MainWindow();

    const std::vector<HWND> before = wevo.VisibleWindows();
    HWND display = nullptr;
    ASSERT_TRUE(ClickUntil(main, kMainWiFiDisplay, [&] { return (display = wevo.WaitForNewForm(before, 100)) != nullptr; }))
        << "the Wi-Fi Display window did not open";
    HWND list = FindWindowExA(display, nullptr, "SysListView32", nullptr);
    ASSERT_NE(list, nullptr);

    // the driver reports a new table (event 4); the list shows it, unnamed rows newest on top
    EXPECT_EQ(wevo.Sim("wdpstatus 04").substr(0, 2), "ok");
    RemoteListView rows(wevo.Process(), list);
    ASSERT_TRUE(WaitFor([&] { return rows.Count() == 3 && !rows.Text(0, 3).empty() && !rows.Text(1, 3).empty(); }))
        << wevo.Journal();
    EXPECT_EQ(rows.Text(0, 3), "0A:50:F2:AA:00:03");
    EXPECT_EQ(rows.Text(0, 2), "Source/P-Sink");
    EXPECT_EQ(rows.Text(1, 3), "02:50:F2:AA:00:02");
    EXPECT_EQ(rows.Text(2, 3), "02:50:F2:AA:00:01");
    EXPECT_EQ(rows.Text(2, 2), "P-Sink");
    EXPECT_EQ(rows.Image(0), 2);

    // a popup without a selected row: the sort items and Device Information only
    const int idle = PopupHeight(list);
    ASSERT_GT(idle, 0) << "no popup";
    ASSERT_TRUE(rows.Select(1));
    EXPECT_GT(PopupHeight(list), idle);  // Connect joins for the chosen device

    // Device Information (the fourth item) opens the detail window of the chosen device
    std::vector<HWND> open = wevo.VisibleWindows();
    ASSERT_TRUE(ChooseFromListPopup(list, 3));
    HWND detail = wevo.WaitForNewForm(open, 10000);
    ASSERT_NE(detail, nullptr) << "no detail window";
    EXPECT_NE(FindWindowExA(detail, nullptr, nullptr, "Device info subelement"), nullptr) << WindowText(detail);
    PostMessageA(detail, WM_CLOSE, 0, 0);
    ASSERT_TRUE(WaitFor([&] { return !IsWindowVisible(detail); }));

    // Rescan asks the adapter whether Wi-Fi Direct is on; it is off, so the program asks first
    const int reads = wevo.Calls("WVWL_ReadWifiDirectControl");
    const std::vector<HWND> shown = wevo.VisibleWindows();
    ASSERT_TRUE(ClickUntil(display, kDisplayRescan, [&] { return wevo.Calls("WVWL_ReadWifiDirectControl") > reads; }));
    HWND question = wevo.WaitForNewForm(shown, 10000);
    EXPECT_NE(question, nullptr) << "no question to enable Wi-Fi Direct";
    if (question)
        PostMessageA(question, WM_CLOSE, 0, 0);
    EXPECT_TRUE(WaitFor([&] { return rows.Count() == 0; }));  // Rescan empties the list first
}

}  // namespace
