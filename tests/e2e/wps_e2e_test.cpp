#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "WevoRun.h"
#include "wlapi/constants.h"

// Wi-Fi Protected Setup in the installed program: a push-button run started from the profile
// list against an access point whose button is pressed (the "wps" scene).

namespace {

constexpr POINT kMainProfile = {259 + 12, 25 + 12};
// The profile list's WPS picture button, seventh in its row of 24-pixel buttons.
constexpr POINT kProfileWps = {8 + 6 * 25 + 12, 20 + 13};

struct ButtonSearch {
    std::string text;
    HWND found = nullptr;
};

BOOL CALLBACK TakeButton(HWND child, LPARAM param)
{
    auto* search = reinterpret_cast<ButtonSearch*>(param);
    if (WindowClass(child) != "Button" || WindowText(child) != search->text || !IsWindowVisible(child))
        return TRUE;
    search->found = child;
    return FALSE;
}

// A visible push button of the form with this caption.
HWND FindButton(HWND form, const std::string& text)
{
    ButtonSearch search{text};
    EnumChildWindows(form, TakeButton, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

class WpsEndToEnd : public ::testing::Test {
protected:
    void Launch()
    {
        ASSERT_TRUE(wevo_.Start("", "wps")) << "the program did not start";
        ASSERT_TRUE(WaitFor([this] { return wevo_.MainWindow() != nullptr; })) << "no main window";
        main_ = wevo_.MainWindow();
        ASSERT_TRUE(WaitFor([this] { return IsWindowVisible(main_) != FALSE; }));
    }

    // A form opened by clicking at a point of another, clicked again while none shows.
    HWND OpenBy(HWND window, POINT at, const std::vector<HWND>& ignore = {})
    {
        std::vector<HWND> before = wevo_.VisibleWindows();
        before.insert(before.end(), ignore.begin(), ignore.end());
        HWND shown = nullptr;
        for (int attempt = 0; attempt < 8 && !shown; ++attempt) {
            ClickAt(window, at.x, at.y);
            shown = wevo_.WaitForNewForm(before, 4000);
        }
        return shown;
    }

    ProgramTurn turn_;
    WevoRun wevo_;
    HWND main_ = nullptr;
};

TEST_F(WpsEndToEnd, PushButtonFromTheProfileListEndsConnectedWithANewProfile)
{
    Launch();
    HWND profiles = OpenBy(main_, kMainProfile);
    ASSERT_NE(profiles, nullptr) << "no profile list";
    // The WPS button opens the wizard once the networks around are known.
    ASSERT_TRUE(wevo_.WaitForJournal("WVWL_SiteSurveyQuery"));
    HWND editor = OpenBy(profiles, kProfileWps);
    ASSERT_NE(editor, nullptr) << "no WPS wizard\n" << wevo_.Journal();

    // Push button is the method chosen first: Next leads to the page that starts it.
    RECT client{};
    GetClientRect(editor, &client);
    HWND start = nullptr;
    ASSERT_TRUE(WaitFor([&] {
        ClickAt(editor, client.right - 40 + 10, client.bottom - 34 + 10);
        return WaitFor([&] { return (start = FindButton(editor, "Start PBC")) != nullptr; }, 2000);
    }, 20000)) << "no Start PBC button";
    wevo_.Sim("journal clear");
    PostMessageA(start, BM_CLICK, 0, 0);

    ASSERT_TRUE(wevo_.WaitForJournal("WVWL_SetWPSMode(PBC")) << wevo_.Journal();
    EXPECT_TRUE(wevo_.WaitForJournal("WVWL_CopyProfileToCurrentSetting(", 40000)) << wevo_.Journal();
    EXPECT_TRUE(wevo_.WaitForStatus("link=connected ssid=HomeNet", 40000)) << wevo_.Sim("status");
    const std::string journal = wevo_.Journal();
    EXPECT_NE(journal.find("WVWL_WriteProfile("), std::string::npos) << journal;
    EXPECT_NE(journal.find("WVWL_WriteWPSFlag(0)"), std::string::npos) << journal;

    PostMessageA(main_, MSG_TRAY_EXIT, 0, 0);
    EXPECT_TRUE(wevo_.WaitForExit(20000));
}

}  // namespace
