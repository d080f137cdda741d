#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "EditorDriving.h"
#include "WevoRun.h"
#include "wlapi/constants.h"

// A WPA2-Enterprise network joined from the site survey of the installed program (the
// "enterprise" scene): PEAP with a mistyped password and then the right one, then the same
// network with TLS and the user's certificate. The journal shows what was sent, never a password.

namespace {

constexpr POINT kMainSiteSurvey = {207 + 12, 25 + 12};
constexpr POINT kSurveyConnect = {343 + 10, 324 + 10};

constexpr const char* kSsid = "OfficeCorp";
constexpr const char* kPassword = "s3cret";
constexpr const char* kWrongPassword = "s3cr3t-typo";
// alice's certificate in the scene's personal store.
constexpr const char* kAliceHash = "3A5F0C12D4E6B7089A1B2C3D4E5F60718293A4B5";

// The form's controls, for a failure's message.
std::string Describe(HWND form)
{
    std::string text = "top child " + std::to_string(reinterpret_cast<INT_PTR>(GetTopWindow(form))) + "\n";
    for (HWND c : Children(form, [](HWND) { return true; })) {
        text += std::to_string(reinterpret_cast<INT_PTR>(c)) + " in " +
                std::to_string(reinterpret_cast<INT_PTR>(GetParent(c))) + " " + WindowClass(c) + " \"" +
                WindowText(c) + "\"";
        if (WindowClass(c) == "ComboBox")
            text += " first \"" + ComboItem(c, 0) + "\" count " + std::to_string(SendMessageA(c, CB_GETCOUNT, 0, 0));
        text += "\n";
    }
    return text;
}

class EnterpriseEndToEnd : public ::testing::Test {
protected:
    void Launch()
    {
        ASSERT_TRUE(wevo_.Start("", "enterprise")) << "the program did not start";
        ASSERT_TRUE(WaitFor([this] { return wevo_.MainWindow() != nullptr; })) << "no main window";
        main_ = wevo_.MainWindow();
        ASSERT_TRUE(WaitFor([this] { return IsWindowVisible(main_) != FALSE; }));
    }

    HWND OpenSiteSurvey()
    {
        const std::vector<HWND> before = wevo_.VisibleWindows();
        HWND survey = nullptr;
        ClickUntil(main_, kMainSiteSurvey, [&] { return (survey = wevo_.WaitForNewForm(before, 100)) != nullptr; });
        if (survey)
            list_ = FindWindowExA(survey, nullptr, "SysListView32", nullptr);
        return survey;
    }

    // The network chosen in the list and Connect pressed: the editor that opens for it.
    HWND OpenEditorFor(HWND survey, const std::string& ssid)
    {
        if (!WaitFor([&] { return RemoteListView(wevo_.Process(), list_).Find(1, ssid) >= 0; }))
            return nullptr;
        {
            RemoteListView list(wevo_.Process(), list_);
            if (!list.Select(list.Find(1, ssid)))
                return nullptr;
        }
        HWND editor = nullptr;
        // Connect is refused while a scan runs; a user presses it again.
        WaitFor([&] {
            const std::vector<HWND> before = wevo_.VisibleWindows();
            ClickAt(survey, kSurveyConnect.x, kSurveyConnect.y);
            HWND shown = wevo_.WaitForNewForm(before, 3000);
            const bool isEditor = shown && !Children(shown, IsPasswordEdit).empty();
            if (shown && !isEditor)
                PostMessageA(shown, WM_CLOSE, 0, 0);
            editor = isEditor ? shown : nullptr;
            return editor != nullptr;
        });
        return editor;
    }

    static POINT NextButton(HWND editor) { return EditorNextButton(editor); }

    // Next until a drop-down list starting with this item shows on the page on top.
    static HWND NextUntilList(HWND editor, const std::string& first)
    {
        HWND list = nullptr;
        ClickUntil(editor, NextButton(editor), [&] {
            list = ComboStartingWith(editor, first);
            return list && PageShowing(editor, list);
        });
        return list && PageShowing(editor, list) ? list : nullptr;
    }

    // Next through the remaining pages until the editor hands the network to the survey.
    static bool NextUntilClosed(HWND editor)
    {
        return ClickUntil(editor, NextButton(editor), [&] { return !IsWindowVisible(editor); }, 40000);
    }

    // The 802.1X page's identity and password fields.
    static void IdentityFields(HWND methods, HWND& identity, HWND& password)
    {
        identity = password = nullptr;
        for (HWND edit : Children(GetParent(methods), [](HWND c) { return WindowClass(c) == "Edit"; })) {
            if (!IsWindowVisible(edit))
                continue;
            (IsPasswordEdit(edit) ? password : identity) = edit;
        }
    }

    void ConnectWithPeap(HWND survey, const std::string& password);

    bool JournalHas(const std::string& text) const { return wevo_.Journal().find(text) != std::string::npos; }

    ProgramTurn turn_;
    WevoRun wevo_;
    HWND main_ = nullptr;
    HWND list_ = nullptr;
};

// PEAP through the editor with this password; the editor hands the network to the survey.
void EnterpriseEndToEnd::ConnectWithPeap(HWND survey, const std::string& password)
{
    HWND editor = OpenEditorFor(survey, kSsid);
    ASSERT_NE(editor, nullptr) << "no profile editor\n" << wevo_.Journal();
    HWND methods = NextUntilList(editor, "PEAP");
    ASSERT_NE(methods, nullptr) << "the 802.1X page does not show\n" << Describe(editor);
    EXPECT_EQ(ComboSelection(methods), "PEAP");
    HWND identity = nullptr, secret = nullptr;
    IdentityFields(methods, identity, secret);
    ASSERT_NE(identity, nullptr);
    ASSERT_NE(secret, nullptr);
    SetText(identity, "alice");
    SetText(secret, password);
    wevo_.Sim("journal clear");
    ASSERT_TRUE(NextUntilClosed(editor)) << "the editor stays open\n" << wevo_.Journal();
}

TEST_F(EnterpriseEndToEnd, PeapTakesOnlyTheRightPasswordThenTlsConnectsWithTheUsersCertificate)
{
    Launch();
    HWND survey = OpenSiteSurvey();
    ASSERT_NE(survey, nullptr) << "no site-survey window";
    ASSERT_NE(list_, nullptr) << "no network list";

    // PEAP, the method offered first, with a mistyped password: the server turns it down.
    ConnectWithPeap(survey, kWrongPassword);
    EXPECT_TRUE(wevo_.WaitForJournal("connect \"OfficeCorp\" auth 6 encryption 6 -> 4")) << wevo_.Journal();
    EXPECT_TRUE(JournalHas("eap 0 inner 26 id \"alice\" password ***")) << wevo_.Journal();
    EXPECT_TRUE(wevo_.WaitForJournal("callback 16")) << wevo_.Journal();
    EXPECT_FALSE(wevo_.WaitForStatus("link=connected", 3000)) << wevo_.Sim("status");

    // The right password.
    ConnectWithPeap(survey, kPassword);
    EXPECT_TRUE(wevo_.WaitForJournal("connect \"OfficeCorp\" auth 6 encryption 6 -> 0")) << wevo_.Journal();
    EXPECT_TRUE(wevo_.WaitForStatus("link=connected ssid=OfficeCorp", 30000)) << wevo_.Sim("status");
    std::string journal = wevo_.Journal();
    EXPECT_EQ(journal.find(kPassword), std::string::npos) << journal;

    // The same network again, now TLS with alice's certificate from the user's store.
    HWND editor = OpenEditorFor(survey, kSsid);
    ASSERT_NE(editor, nullptr) << "no profile editor the third time\n" << wevo_.Journal();
    HWND methods = NextUntilList(editor, "PEAP");
    ASSERT_NE(methods, nullptr) << "the 802.1X page does not show";
    Key(methods, VK_DOWN);
    ASSERT_TRUE(WaitFor([&] { return ComboSelection(methods) == "TLS / Smart Card"; }, 5000)) << ComboSelection(methods);
    HWND identity = nullptr, password = nullptr;
    IdentityFields(methods, identity, password);
    ASSERT_NE(identity, nullptr);
    ASSERT_NE(password, nullptr);
    EXPECT_FALSE(IsWindowEnabled(password)) << "TLS takes no password";
    SetText(identity, "alice");
    HWND certs = NextUntilList(editor, "alice");
    ASSERT_NE(certs, nullptr) << "the client certificate page does not show\n" << Describe(editor);
    EXPECT_TRUE(IsWindowEnabled(certs));
    EXPECT_EQ(ComboSelection(certs), "alice");
    wevo_.Sim("journal clear");
    ASSERT_TRUE(NextUntilClosed(editor)) << "the editor stays open\n" << wevo_.Journal();

    EXPECT_TRUE(wevo_.WaitForJournal("connect \"OfficeCorp\" auth 6 encryption 6 -> 0", 30000)) << wevo_.Journal();
    EXPECT_TRUE(JournalHas("auth 6 encryption 6 eap 1 ")) << wevo_.Journal();
    EXPECT_TRUE(JournalHas(std::string("id \"alice\" password \"\" cert ") + kAliceHash)) << wevo_.Journal();
    EXPECT_TRUE(wevo_.WaitForStatus("link=connected ssid=OfficeCorp", 30000)) << wevo_.Sim("status");

    PostMessageA(main_, MSG_TRAY_EXIT, 0, 0);
    EXPECT_TRUE(wevo_.WaitForExit(20000));
}

}  // namespace
