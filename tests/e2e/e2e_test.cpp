#include <gtest/gtest.h>
#include <windows.h>
#include <tlhelp32.h>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "WevoRun.h"
#include "wlapi/constants.h"

// Wevo.exe run as its own process on the simulated adapter and used through its windows, its
// notification-area messages and the simulator's control pipe.

namespace {

// Client positions of the main window's picture buttons (centre of each).
constexpr POINT kMainClose = {373 + 7, 30 + 7};
constexpr POINT kMainSiteSurvey = {207 + 12, 25 + 12};
constexpr POINT kMainLinkInfo = {233 + 12, 25 + 12};
constexpr POINT kMainRadio = {13 + 13, 65 + 12};
// Site survey: rescan and connect.
constexpr POINT kSurveyRescan = {8 + 10, 20 + 10};
constexpr POINT kSurveyConnect = {343 + 10, 324 + 10};

constexpr const char* kHomeKey = "correct horse battery";

void Click(HWND window, POINT at)
{
    ClickAt(window, at.x, at.y);
}

class EndToEnd : public ::testing::Test {
protected:
    // Starts the program and waits for its main window to be there (shown or not).
    void Launch(const std::string& arguments = "")
    {
        ASSERT_TRUE(wevo_.Start(arguments)) << "the program did not start";
        ASSERT_TRUE(WaitFor([this] { return wevo_.MainWindow() != nullptr; })) << "no main window";
        main_ = wevo_.MainWindow();
    }

    bool MainShown() const { return IsWindowVisible(main_) != FALSE; }

    // The site-survey window, opened from the main window's button; its network list filled.
    HWND OpenSiteSurvey()
    {
        const std::vector<HWND> before = wevo_.VisibleWindows();
        HWND survey = nullptr;
        ClickUntil(main_, kMainSiteSurvey, [&] { return (survey = wevo_.WaitForNewForm(before, 100)) != nullptr; });
        if (!survey)
            return nullptr;
        list_ = FindWindowExA(survey, nullptr, "SysListView32", nullptr);
        return survey;
    }

    // Rows of the network list holding the SSID (second column).
    int RowOf(const std::string& ssid)
    {
        RemoteListView list(wevo_.Process(), list_);
        return list.Find(1, ssid);
    }

    // The network list marks the network of the link with the connected picture.
    bool MarkedConnected(const std::string& ssid)
    {
        RemoteListView list(wevo_.Process(), list_);
        const int row = list.Find(1, ssid);
        return row >= 0 && list.Image(row) == 0;
    }

    // Selects the network, presses Connect and goes through the key editor with this key.
    void ConnectWithKey(HWND survey, const std::string& ssid, const std::string& key)
    {
        ASSERT_TRUE(WaitFor([&] { return RowOf(ssid) >= 0; })) << ssid << " is not listed";
        {
            RemoteListView list(wevo_.Process(), list_);
            ASSERT_TRUE(list.Select(RowOf(ssid)));
        }
        // Connect is refused while a scan runs; a user presses it again.
        HWND editor = nullptr;
        WaitFor([&] {
            const std::vector<HWND> before = wevo_.VisibleWindows();
            Click(survey, kSurveyConnect);
            HWND shown = wevo_.WaitForNewForm(before, 3000);
            if (shown && !HasPasswordEdit(shown, false))
                PostMessageA(shown, WM_CLOSE, 0, 0);
            editor = shown && HasPasswordEdit(shown, false) ? shown : nullptr;
            return editor != nullptr;
        });
        ASSERT_NE(editor, nullptr) << "no key editor\n" << wevo_.Journal();
        RECT client{};
        GetClientRect(editor, &client);
        const POINT next = {client.right - 40 + 10, client.bottom - 34 + 10};
        // The security page, prefilled from the network, then the key page.
        HWND keyEdit = nullptr;
        ASSERT_TRUE(ClickUntil(editor, next, [&] {
            keyEdit = PasswordEdit(editor, true);
            return keyEdit != nullptr;
        })) << "no key field";
        SendMessageA(keyEdit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(key.c_str()));
        ASSERT_TRUE(ClickUntil(editor, next, [&] { return !IsWindowVisible(editor); })) << "the editor stays open";
    }

    // A key field of the form (one the user can see, or any).
    static HWND PasswordEdit(HWND form, bool visible)
    {
        std::pair<bool, HWND> search{visible, nullptr};
        EnumChildWindows(form, TakePasswordEdit, reinterpret_cast<LPARAM>(&search));
        return search.second;
    }

    static bool HasPasswordEdit(HWND form, bool visible) { return PasswordEdit(form, visible) != nullptr; }

    static BOOL CALLBACK TakePasswordEdit(HWND child, LPARAM param)
    {
        auto* search = reinterpret_cast<std::pair<bool, HWND>*>(param);
        if (WindowClass(child) != "Edit" || !(GetWindowLongA(child, GWL_STYLE) & ES_PASSWORD))
            return TRUE;
        if (search->first && !(IsWindowVisible(child) && OnTop(GetAncestor(child, GA_ROOT), child)))
            return TRUE;
        search->second = child;
        return FALSE;
    }

    // Exit from the tray menu: the menu is opened as a right click on the icon would, then its
    // last item (Exit) is chosen with the keyboard. True once the program has ended that way.
    bool ExitFromTrayMenu()
    {
        for (int attempt = 0; attempt < 3; ++attempt) {
            PostMessageA(main_, MSG_TRAY_ICON, 0, WM_RBUTTONUP);
            HWND menu = nullptr;
            if (!WaitFor([&] {
                    auto menus = wevo_.VisibleWindows("#32768");
                    menu = menus.empty() ? nullptr : menus.front();
                    return menu != nullptr;
                }, 5000))
                continue;
            for (WPARAM key : {VK_END, VK_RETURN}) {
                PostMessageA(menu, WM_KEYDOWN, key, 0);
                PostMessageA(menu, WM_KEYUP, key, 0);
            }
            if (wevo_.WaitForExit(5000))
                return true;
        }
        return false;
    }

    // Exit as the tray menu's item does it, when the menu could not be driven under this
    // window system.
    void Exit()
    {
        if (ExitFromTrayMenu())
            return;
        std::printf("note: the tray menu could not be driven; MSG_TRAY_EXIT posted instead\n");
        PostMessageA(main_, MSG_TRAY_EXIT, 0, 0);
    }

    // The program has ended and left no window and no process behind.
    void ExpectEndedCleanly()
    {
        DWORD code = STILL_ACTIVE;
        ASSERT_TRUE(wevo_.WaitForExit(20000, &code)) << "the program is still running";
        EXPECT_EQ(code, 0u);
        EXPECT_TRUE(wevo_.VisibleWindows("").empty());
        EXPECT_TRUE(WaitFor([] { return ProcessesNamed("Wevo.exe") == 0 && ProcessesNamed("WevoReLaunch.exe") == 0; },
                            5000))
            << "a process of the program is left behind";
    }

    static int ProcessesNamed(const char* image)
    {
        HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
        if (snapshot == INVALID_HANDLE_VALUE)
            return -1;
        int count = 0;
        PROCESSENTRY32 entry{};
        entry.dwSize = sizeof entry;
        for (BOOL more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry))
            count += lstrcmpiA(entry.szExeFile, image) == 0;
        CloseHandle(snapshot);
        return count;
    }

    ProgramTurn turn_;
    WevoRun wevo_;
    HWND main_ = nullptr;
    HWND list_ = nullptr;
};

}  // namespace

TEST_F(EndToEnd, FirstStartShowsTheMainWindowAndASecondStartHandsOverToIt)
{
    Launch();
    ASSERT_TRUE(WaitFor([this] { return MainShown(); }));
    EXPECT_NE(wevo_.Journal().find("WVWL_Initial"), std::string::npos);

    // Closed to the notification area, the program keeps running.
    ASSERT_TRUE(ClickUntil(main_, kMainClose, [this] { return !MainShown(); }))
        << "the close button left the window shown";
    EXPECT_TRUE(wevo_.Running());

    // A second start shows the first one's window and ends.
    WevoRun second;
    ASSERT_TRUE(second.Start("", "default") || !second.Running());
    DWORD code = STILL_ACTIVE;
    EXPECT_TRUE(second.WaitForExit(20000, &code));
    EXPECT_EQ(code, 0u);
    EXPECT_TRUE(WaitFor([this] { return MainShown(); })) << "the running program was not shown";
    EXPECT_EQ(ProcessesNamed("Wevo.exe"), 1);
    EXPECT_TRUE(wevo_.WaitForJournal("MSG_UI_SHOW"));

    Exit();
    ExpectEndedCleanly();
}

TEST_F(EndToEnd, SwitchStartsInTheNotificationAreaAndTheIconOpensTheWindow)
{
    Launch("-S");
    // Start-up is over once the adapter has been brought up and the message loop waits.
    ASSERT_TRUE(wevo_.WaitForJournal("WVWL_Initial"));
    WaitForInputIdle(wevo_.Process(), 15000);
    EXPECT_TRUE(wevo_.VisibleWindows().empty());

    PostMessageA(main_, MSG_TRAY_ICON, 0, WM_LBUTTONDBLCLK);
    EXPECT_TRUE(WaitFor([this] { return MainShown(); })) << "the icon did not open the window";

    PostMessageA(main_, MSG_TRAY_EXIT, 0, 0);
    ExpectEndedCleanly();
}

TEST_F(EndToEnd, SiteSurveyConnectsWithTheRightKeyAndNotWithAWrongOne)
{
    Launch();
    ASSERT_TRUE(WaitFor([this] { return MainShown(); }));
    HWND survey = OpenSiteSurvey();
    ASSERT_NE(survey, nullptr) << "no site-survey window";
    ASSERT_NE(list_, nullptr) << "no network list";

    // A rescan asks the adapter for a new scan and lists what is in range.
    const int scans = wevo_.Calls("WVWL_SiteSurveyScan");
    EXPECT_TRUE(ClickUntil(survey, kSurveyRescan, [&] { return wevo_.Calls("WVWL_SiteSurveyScan") > scans; }));
    EXPECT_TRUE(WaitFor([&] { return RowOf("CafeCorner") >= 0 && RowOf("Fast5G") >= 0; }));

    // The link window, open while the link comes up, reads the link's addresses once it is up.
    const std::vector<HWND> before = wevo_.VisibleWindows();
    HWND link = nullptr;
    ClickUntil(main_, kMainLinkInfo, [&] { return (link = wevo_.WaitForNewForm(before, 100)) != nullptr; });
    ASSERT_NE(link, nullptr) << "no link window";
    const int queries = wevo_.Calls("WVWL_QueryAPIPAddress");

    ConnectWithKey(survey, "HomeNet", kHomeKey);
    EXPECT_TRUE(wevo_.WaitForStatus("link=connected ssid=HomeNet")) << wevo_.Sim("status");
    // The adapter got WPA2-PSK with AES, and took the key (outcome 0).
    EXPECT_NE(wevo_.Journal().find("connect \"HomeNet\" auth 7 encryption 6 -> 0"), std::string::npos)
        << wevo_.Journal();

    EXPECT_TRUE(WaitFor([&] { return wevo_.Calls("WVWL_QueryAPIPAddress") > queries; }))
        << "the link window does not follow the link";
    EXPECT_TRUE(WaitFor([&] { return MarkedConnected("HomeNet"); })) << "the list does not mark the link";
    EXPECT_FALSE(MarkedConnected("CafeCorner"));

    // A wrong key: the adapter refuses it and the link does not come up with it.
    wevo_.Sim("journal clear");
    ConnectWithKey(survey, "Fast5G", "not the key");
    // Outcome 3: the key does not match.
    EXPECT_TRUE(wevo_.WaitForJournal("connect \"Fast5G\" auth 7 encryption 6 -> 3")) << wevo_.Journal();
    EXPECT_FALSE(wevo_.WaitForStatus("link=connected ssid=Fast5G", 5000)) << wevo_.Sim("status");
    EXPECT_FALSE(MarkedConnected("Fast5G"));
    EXPECT_FALSE(MarkedConnected("HomeNet")) << "the list still marks the link the new attempt dropped";

    PostMessageA(main_, MSG_TRAY_EXIT, 0, 0);
    ExpectEndedCleanly();
}

TEST_F(EndToEnd, RadioSwitchAndAdapterUnplugReachTheAdapter)
{
    Launch();
    ASSERT_TRUE(WaitFor([this] { return MainShown(); }));
    ASSERT_TRUE(wevo_.WaitForStatus("radio hw=1 sw=1"));

    // The radio picture switches the radio off, then on again.
    const int switches = wevo_.Calls("WVWL_SetAndWriteRadioState");
    EXPECT_TRUE(ClickUntil(main_, kMainRadio, [&] { return wevo_.WaitForStatus("radio hw=1 sw=0", 100); }))
        << wevo_.Sim("status");
    EXPECT_GT(wevo_.Calls("WVWL_SetAndWriteRadioState"), switches);
    EXPECT_TRUE(ClickUntil(main_, kMainRadio, [&] { return wevo_.WaitForStatus("radio hw=1 sw=1", 100); }))
        << wevo_.Sim("status");

    // Unplugged, the program lets the adapter go; plugged again, it brings it up again.
    const int releases = wevo_.Calls("WVWL_Release");
    EXPECT_EQ(wevo_.Sim("unplug 1"), "ok\n");
    EXPECT_TRUE(WaitFor([&] { return wevo_.Calls("WVWL_Release") > releases; }));
    EXPECT_TRUE(wevo_.Running());
    const int modeQueries = wevo_.Calls("WVWL_QueryOPMode");
    EXPECT_EQ(wevo_.Sim("plug 1"), "ok\n");
    EXPECT_TRUE(WaitFor([&] { return wevo_.Calls("WVWL_QueryOPMode") > modeQueries; }));

    PostMessageA(main_, MSG_TRAY_EXIT, 0, 0);
    ExpectEndedCleanly();
}
