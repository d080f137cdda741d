#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "WevoRun.h"
#include "wlapi/constants.h"

// Wi-Fi Protected Setup in the installed program, started from the profile list: a push-button
// run against an access point whose button is pressed (the "wps" scene), and a PIN run whose
// PIN the access point does not take (the "wpspin" scene).

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
    if (WindowClass(child) != "Button" || WindowText(child) != search->text || !IsWindowVisible(child) ||
        !OnTop(GetAncestor(child, GA_ROOT), child))
        return TRUE;
    search->found = child;
    return FALSE;
}

// The text of a control of another process, asked of the control itself.
std::string ControlText(HWND control)
{
    char text[512] = {};
    SendMessageA(control, WM_GETTEXT, sizeof text, LPARAM(text));
    return text;
}

// A button of the form with this caption that the user sees.
HWND FindButton(HWND form, const std::string& text)
{
    ButtonSearch search{text};
    EnumChildWindows(form, TakeButton, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

class WpsEndToEnd : public ::testing::Test {
protected:
    void Launch(const std::string& scene = "wps")
    {
        ASSERT_TRUE(wevo_.Start("", scene)) << "the program did not start";
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
    // The WPS wizard, opened from the profile list's WPS button.
    HWND OpenWizard()
    {
        HWND profiles = OpenBy(main_, kMainProfile);
        if (!profiles || !wevo_.WaitForJournal("WVWL_SiteSurveyQuery"))
            return nullptr;
        return OpenBy(profiles, kProfileWps);
    }

    // Presses the editor's Next until a visible button with this caption shows.
    HWND NextUntilButton(HWND editor, const std::string& caption)
    {
        RECT client{};
        GetClientRect(editor, &client);
        HWND found = nullptr;
        WaitFor([&] {
            ClickAt(editor, client.right - 40 + 10, client.bottom - 34 + 10);
            return WaitFor([&] { return (found = FindButton(editor, caption)) != nullptr; }, 2000);
        }, 20000);
        return found;
    }

    WevoRun wevo_;
    HWND main_ = nullptr;
};

TEST_F(WpsEndToEnd, PushButtonFromTheProfileListEndsConnectedWithANewProfile)
{
    Launch();
    HWND editor = OpenWizard();
    ASSERT_NE(editor, nullptr) << "no WPS wizard\n" << wevo_.Journal();

    // Push button is the method chosen first: Next leads to the page that starts it.
    HWND start = NextUntilButton(editor, "Start PBC");
    ASSERT_NE(start, nullptr) << "no Start PBC button";
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

TEST_F(WpsEndToEnd, PinRunWithAPinTheAccessPointDoesNotTakeShowsTheFailure)
{
    Launch("wpspin");
    HWND editor = OpenWizard();
    ASSERT_NE(editor, nullptr) << "no WPS wizard\n" << wevo_.Journal();
    HWND pin = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (pin = FindButton(editor, "PIN")) != nullptr; })) << "no PIN choice";
    PostMessageA(pin, BM_CLICK, 0, 0);
    // The PIN page shows the adapter's own PIN; Next again leads to the start.
    HWND start = NextUntilButton(editor, "Start PIN");
    ASSERT_NE(start, nullptr) << "no Start PIN button";
    wevo_.Sim("journal clear");
    PostMessageA(start, BM_CLICK, 0, 0);

    ASSERT_TRUE(wevo_.WaitForJournal("WVWL_SetWPSMode(PIN ")) << wevo_.Journal();
    EXPECT_NE(wevo_.Journal().find("ssid \"StudioNet\""), std::string::npos) << wevo_.Journal();
    HWND status = FindWindowExA(GetParent(start), nullptr, "Edit", nullptr);
    ASSERT_NE(status, nullptr);
    EXPECT_TRUE(WaitFor([&] { return ControlText(status).find("The PIN does not match.") != std::string::npos; }, 30000))
        << ControlText(status) << "\n" << wevo_.Journal();
    // Nothing was received, so nothing is stored.
    EXPECT_EQ(wevo_.Journal().find("WVWL_WriteProfile("), std::string::npos) << wevo_.Journal();

    PostMessageA(main_, MSG_TRAY_EXIT, 0, 0);
    EXPECT_TRUE(wevo_.WaitForExit(20000));
}

TEST_F(WpsEndToEnd, HardwareButtonStartsARunByItselfAndEndsConnected)
{
    Launch();
    // Nothing on the screen is touched: the adapter's own button is pressed.
    wevo_.Sim("journal clear");
    wevo_.Sim("wps button");

    ASSERT_TRUE(wevo_.WaitForJournal("WVWL_WriteWPSFlag(1)")) << wevo_.Journal();
    EXPECT_TRUE(wevo_.WaitForJournal("WVWL_CopyProfileToCurrentSetting(", 40000)) << wevo_.Journal();
    EXPECT_TRUE(wevo_.WaitForStatus("link=connected ssid=HomeNet", 40000)) << wevo_.Sim("status");
    const std::string journal = wevo_.Journal();
    // The driver runs the button's session itself: no start record is sent.
    EXPECT_EQ(journal.find("WVWL_SetWPSMode("), std::string::npos) << journal;
    EXPECT_NE(journal.find("WVWL_WriteProfile("), std::string::npos) << journal;
    EXPECT_NE(journal.find("WVWL_WriteWPSFlag(0)"), std::string::npos) << journal;

    PostMessageA(main_, MSG_TRAY_EXIT, 0, 0);
    EXPECT_TRUE(wevo_.WaitForExit(20000));
}

}  // namespace
