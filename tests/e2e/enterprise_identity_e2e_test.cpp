#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "EditorDriving.h"
#include "WevoRun.h"
#include "wlapi/constants.h"

// A PEAP profile added in the profile list (so bound to no access point) with a mistyped
// password, then activated: the server turns the identity down, the program asks the user for
// it again, and the corrected password brings the link up. The journal never shows a password.

namespace {

constexpr POINT kMainProfile = {259 + 12, 25 + 12};
// The profile list's picture buttons, 24 wide from x 8 with a gap of 1: Add first, Activate sixth.
constexpr POINT kProfileAdd = {8 + 12, 20 + 13};
constexpr POINT kProfileActivate = {8 + 5 * 25 + 12, 20 + 13};

constexpr const char* kSsid = "OfficeCorp";
constexpr const char* kPassword = "s3cret";
constexpr const char* kWrongPassword = "s3cr3t-typo";

// A control of the page the editor shows on top.
bool OnShownPage(HWND editor, HWND control)
{
    return PageShowing(editor, control) && IsWindowVisible(control);
}

HWND ShownCombo(HWND editor, const std::function<bool(HWND)>& accept)
{
    auto found = Children(editor, [&](HWND c) {
        return WindowClass(c) == "ComboBox" && OnShownPage(editor, c) && accept(c);
    });
    return found.empty() ? nullptr : found.front();
}

HWND ComboFirstItem(HWND editor, const std::string& first)
{
    return ShownCombo(editor, [&](HWND c) { return ComboItem(c, 0) == first; });
}

// Down-arrow presses on a focused drop-down list until it shows this item.
bool ArrowTo(HWND combo, const std::string& item)
{
    for (int i = 0; i < 12 && ComboSelection(combo) != item; ++i) {
        Key(combo, VK_DOWN);
        WaitFor([&] { return ComboSelection(combo) == item; }, 500);
    }
    return ComboSelection(combo) == item;
}

class EnterpriseIdentityEndToEnd : public ::testing::Test {
protected:
    HWND OpenBy(HWND window, POINT at)
    {
        const std::vector<HWND> before = wevo_.VisibleWindows();
        HWND form = nullptr;
        ClickUntil(window, at, [&] { return (form = wevo_.WaitForNewForm(before, 100)) != nullptr; });
        return form;
    }

    static POINT Next(HWND editor) { return EditorNextButton(editor); }

    static HWND NextUntilCombo(HWND editor, const std::string& first)
    {
        HWND combo = nullptr;
        ClickUntil(editor, Next(editor), [&] { return (combo = ComboFirstItem(editor, first)) != nullptr; });
        return combo;
    }

    bool JournalHas(const std::string& text) const { return wevo_.Journal().find(text) != std::string::npos; }

    ProgramTurn turn_;
    WevoRun wevo_;
};

TEST_F(EnterpriseIdentityEndToEnd, RefusedIdentityIsAskedAgainAndTheCorrectedPasswordConnects)
{
    ASSERT_TRUE(wevo_.Start("", "enterprise")) << "the program did not start";
    ASSERT_TRUE(WaitFor([this] { return wevo_.MainWindow() != nullptr; })) << "no main window";
    HWND main = wevo_.MainWindow();
    ASSERT_TRUE(WaitFor([&] { return IsWindowVisible(main) != FALSE; }));

    HWND profiles = OpenBy(main, kMainProfile);
    ASSERT_NE(profiles, nullptr) << "no profile list";
    HWND list = FindWindowExA(profiles, nullptr, "SysListView32", nullptr);
    ASSERT_NE(list, nullptr);

    // Add: the editor opens on its first page; the network's name is typed in.
    HWND editor = OpenBy(profiles, kProfileAdd);
    ASSERT_NE(editor, nullptr) << "no profile editor\n" << wevo_.Journal();
    ASSERT_FALSE(Children(editor, IsPasswordEdit).empty()) << "not the profile editor: " << WindowText(editor);
    HWND ssid = nullptr;
    ASSERT_TRUE(WaitFor([&] {
        return (ssid = ShownCombo(editor, [](HWND c) {
                    return (GetWindowLongA(c, GWL_STYLE) & 3) == CBS_DROPDOWN;
                })) != nullptr;
    })) << "no network name field";
    SetText(ssid, kSsid);

    // WPA2 with AES.
    HWND auth = NextUntilCombo(editor, "Open");
    ASSERT_NE(auth, nullptr) << "the security page does not show";
    ASSERT_TRUE(ArrowTo(auth, "WPA2")) << ComboSelection(auth);
    HWND cipher = nullptr;
    ASSERT_TRUE(WaitFor([&] {
        return (cipher = ShownCombo(editor, [&](HWND c) { return c != auth && ComboItem(c, 0) != ""; })) != nullptr;
    }, 5000)) << "no encryption list";
    ASSERT_TRUE(ArrowTo(cipher, "AES")) << ComboSelection(cipher);

    // PEAP as alice with the mistyped password.
    HWND methods = NextUntilCombo(editor, "PEAP");
    ASSERT_NE(methods, nullptr) << "the 802.1X page does not show";
    EXPECT_EQ(ComboSelection(methods), "PEAP");
    HWND identity = nullptr, secret = nullptr;
    for (HWND edit : Children(GetParent(methods), [](HWND c) { return WindowClass(c) == "Edit" && IsWindowVisible(c); }))
        (IsPasswordEdit(edit) ? secret : identity) = edit;
    ASSERT_NE(identity, nullptr);
    ASSERT_NE(secret, nullptr);
    SetText(identity, "alice");
    SetText(secret, kWrongPassword);
    ASSERT_TRUE(ClickUntil(editor, Next(editor), [&] { return !IsWindowVisible(editor); }, 40000))
        << "the editor stays open\n" << wevo_.Journal();

    // The new profile in the list, activated.
    int row = -1;
    ASSERT_TRUE(WaitFor([&] { return (row = RemoteListView(wevo_.Process(), list).Find(2, kSsid)) >= 0; }))
        << "the profile is not listed";
    ASSERT_TRUE(RemoteListView(wevo_.Process(), list).Select(row));
    wevo_.Sim("journal clear");
    const std::vector<HWND> before = wevo_.VisibleWindows();
    ClickAt(profiles, kProfileActivate.x, kProfileActivate.y);

    // The server refuses the identity; the program asks for it again.
    EXPECT_TRUE(wevo_.WaitForJournal("connect \"OfficeCorp\" auth 6 encryption 6 -> 4")) << wevo_.Journal();
    EXPECT_TRUE(JournalHas("WVWL_SetWLANProfile(ssid \"OfficeCorp\" bssid 0 ")) << "bound to an access point\n"
                                                                              << wevo_.Journal();
    EXPECT_TRUE(JournalHas("id \"alice\" password ***")) << wevo_.Journal();
    ASSERT_TRUE(wevo_.WaitForJournal("callback 16")) << wevo_.Journal();
    HWND ask = wevo_.WaitForNewForm(before);
    ASSERT_NE(ask, nullptr) << "no identity question\n" << wevo_.Journal();
    HWND askId = nullptr, askPassword = nullptr;
    ASSERT_TRUE(WaitFor([&] {
        for (HWND edit : Children(ask, [](HWND c) { return WindowClass(c) == "Edit" && IsWindowVisible(c); }))
            (IsPasswordEdit(edit) ? askPassword : askId) = edit;
        return askId && askPassword;
    })) << "the question has no identity and password fields";
    EXPECT_FALSE(wevo_.WaitForStatus("link=connected", 500)) << wevo_.Sim("status");

    SetText(askId, "alice");
    SetText(askPassword, kPassword);
    auto ok = Children(ask, [](HWND c) { return WindowClass(c) == "Button" && WindowText(c) == "OK"; });
    ASSERT_EQ(ok.size(), 1u);
    RECT box{};
    GetClientRect(ok.front(), &box);
    ASSERT_TRUE(ClickUntil(ok.front(), {box.right / 2, box.bottom / 2}, [&] { return !IsWindowVisible(ask); }))
        << "the question stays open";

    EXPECT_TRUE(wevo_.WaitForJournal("WVWL_WriteIDnPasswd(\"alice\" ***)")) << wevo_.Journal();
    EXPECT_TRUE(wevo_.WaitForJournal("connect \"OfficeCorp\" auth 6 encryption 6 -> 0", 30000)) << wevo_.Journal();
    EXPECT_TRUE(wevo_.WaitForStatus("link=connected ssid=OfficeCorp", 30000)) << wevo_.Sim("status");
    const std::string journal = wevo_.Journal();
    EXPECT_EQ(journal.find(kPassword), std::string::npos) << journal;
    EXPECT_EQ(journal.find(kWrongPassword), std::string::npos) << journal;

    PostMessageA(main, MSG_TRAY_EXIT, 0, 0);
    EXPECT_TRUE(wevo_.WaitForExit(20000));
}

}  // namespace
