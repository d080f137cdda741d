#pragma once
// Driving the running program's Wi-Fi Direct window: started, the window opened and Wi-Fi
// Direct turned on through the wizard, items chosen from its menus, and what it shows read from
// the screen.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "WevoRun.h"

constexpr POINT kMainWiFiDirect = {180 + 12, 25 + 12};
constexpr POINT kMainWiFiDisplay = {153 + 12, 25 + 12};
constexpr POINT kDisplayRescan = {8 + 10, 20 + 10};
constexpr POINT kDirectOnOff = {20 + 32, 200 + 32};
constexpr POINT kDirectClose = {375 + 7, 8 + 7};
constexpr POINT kWizardNext = {322 + 12, 318 + 13};

// Pixels of a client area part of a window of another process, as the screen shows them.
std::vector<uint32_t> Pixels(HWND window, const RECT& part);
std::vector<uint32_t> Pixels(HWND window);
// With WEVO_SHOTS naming a folder, the window as the screen shows it goes to NAME.bmp there.
void Shot(HWND window, const std::string& name);
void DoubleClickAt(HWND window, POINT at);
POINT Centre(const RECT& r);
// A visible child window of the form that the condition accepts.
HWND FindChild(HWND form, const std::function<bool(HWND)>& accept);
// The visible button (radio, check box or push button) with this caption.
HWND FindButton(HWND form, const std::string& caption);
// The visible, enabled edit box of the form, the first one found.
HWND FindEdit(HWND form);
bool Checked(HWND button);
// Opens a list's popup as the menu key does; the menu's window, or null when none showed.
HWND ShowListPopup(HWND list);
// Opens a list's popup and chooses its item by its place (0 the first) with the keys a user
// would press.
bool ChooseFromListPopup(HWND list, int item);

class WiFiDirectDriving : public ::testing::Test {
protected:
    void Launch(const std::string& scene = "default")
    {
        ASSERT_TRUE(wevo_.Start("", scene)) << "the program did not start";
        ASSERT_TRUE(WaitFor([this] { return wevo_.MainWindow() != nullptr; })) << "no main window";
        main_ = wevo_.MainWindow();
        ASSERT_TRUE(WaitFor([this] { return IsWindowVisible(main_) != FALSE; }));
    }

    // The visible form of the program with this title, or null.
    HWND Form(const std::string& title) const
    {
        for (HWND w : wevo_.VisibleWindows())
            if (WindowText(w) == title)
                return w;
        return nullptr;
    }

    // The form with this title opened by a click (or double-click) at a point of another,
    // repeated while it does not show.
    HWND OpenBy(HWND window, POINT at, const std::string& title, bool twice = false)
    {
        HWND shown = nullptr;
        for (int attempt = 0; attempt < 6 && !shown; ++attempt) {
            if (twice)
                DoubleClickAt(window, at);
            else
                ClickAt(window, at.x, at.y);
            WaitFor([&] { return (shown = Form(title)) != nullptr; }, 4000);
        }
        return shown;
    }

    // Presses the wizard's Next until the wizard has closed.
    bool NextUntilClosed(HWND wizard)
    {
        return WaitFor(
            [&] {
                ClickAt(wizard, kWizardNext.x, kWizardNext.y);
                return WaitFor([&] { return !IsWindowVisible(wizard); }, 2000);
            },
            20000);
    }

    // Opens the Wi-Fi Direct window and turns Wi-Fi Direct on, naming the device in the wizard.
    void TurnOn(const std::string& deviceName)
    {
        direct_ = OpenBy(main_, kMainWiFiDirect, "Wi-Fi Direct");
        ASSERT_NE(direct_, nullptr) << "the Wi-Fi Direct window did not open";
        // the Wi-Fi Display reminder shown over it is closed by its title bar
        HWND reminder = nullptr;
        if (WaitFor([&] { return (reminder = Form("Warning")) != nullptr; }, 5000)) {
            PostMessageA(reminder, WM_CLOSE, 0, 0);
            ASSERT_TRUE(WaitFor([&] { return !IsWindowVisible(reminder); }));
        }
        offPixels_ = Pixels(direct_);
        Shot(direct_, "e2e_wifidirect_off");
        HWND wizard = OpenBy(direct_, kDirectOnOff, "Wi-Fi Direct Settings", true);
        ASSERT_NE(wizard, nullptr) << "no wizard to name the device\n" << wevo_.Journal();
        Sleep(300);
        Shot(wizard, "e2e_wizard_device_name");
        HWND own = FindButton(wizard, "");
        ASSERT_NE(own, nullptr) << "no choice of an own name";
        PostMessageA(own, BM_CLICK, 0, 0);
        HWND edit = nullptr;
        ASSERT_TRUE(WaitFor([&] { return (edit = FindEdit(wizard)) != nullptr; })) << "no name field";
        SendMessageA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(deviceName.c_str()));
        ASSERT_TRUE(NextUntilClosed(wizard)) << "the wizard did not close\n" << wevo_.Journal();
        ASSERT_TRUE(wevo_.WaitForJournal("WVWL_WriteWiFiDirectDeviceName(" + deviceName)) << wevo_.Journal();
        ASSERT_TRUE(wevo_.WaitForJournal("WVWL_WriteWifiDirectFlag(1)")) << wevo_.Journal();
    }

    // Chooses an item of the popup menu that a right click at the point opens, by its place
    // (0 the first), with the keys a user would press.
    bool ChooseFromMenu(HWND window, POINT at, int item)
    {
        HWND menu = nullptr;
        const bool opened = WaitFor(
            [&] {
                const LPARAM where = MAKELPARAM(at.x, at.y);
                PostMessageA(window, WM_MOUSEMOVE, 0, where);
                PostMessageA(window, WM_RBUTTONDOWN, MK_RBUTTON, where);
                PostMessageA(window, WM_RBUTTONUP, 0, where);
                return WaitFor([&] { return (menu = FindWindowA("#32768", nullptr)) != nullptr && IsWindowVisible(menu); },
                               2000);
            },
            15000);
        if (!opened)
            return false;
        for (int i = 0; i <= item; ++i)
            PostMessageA(menu, WM_KEYDOWN, VK_DOWN, 0);
        PostMessageA(menu, WM_KEYDOWN, VK_RETURN, 0);
        return WaitFor([&] { return !IsWindowVisible(menu); }, 5000);
    }

    // Scans for peers from the own-device menu (its first item) and waits for the scan to start.
    void ScanForPeers()
    {
        const int scans = wevo_.Calls("WVWL_SetWifiDirectWpseConfig");
        ASSERT_TRUE(ChooseFromMenu(direct_, kDirectOnOff, 0)) << "no own-device menu";
        ASSERT_TRUE(WaitFor([&] { return wevo_.Calls("WVWL_SetWifiDirectWpseConfig") > scans; })) << wevo_.Journal();
    }

    // Answers the program's message box with the button of this caption.
    bool Answer(const std::string& caption)
    {
        HWND button = nullptr;
        return WaitFor([&] {
            for (HWND w : wevo_.VisibleWindows())
                if ((button = FindButton(w, caption)) != nullptr)
                    break;
            return button != nullptr;
        }) && PostMessageA(button, BM_CLICK, 0, 0);
    }

    ProgramTurn turn_;
    WevoRun wevo_;
    HWND main_ = nullptr;
    HWND direct_ = nullptr;
    std::vector<uint32_t> offPixels_;  // the Wi-Fi Direct window before it was turned on
};
