#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>
#include <shlobj.h>

#include <string>
#include <vector>

#include "WevoRun.h"
#include "wlapi/constants.h"

// Hotspot 2.0 in the installed program: entries added through the credential page survive an
// exit and a new start in their priority order, and can be changed and deleted. The scenario's
// certificate stores hold the user's "alice" and the computer's "host.corp.example", listed in
// that order.

namespace {

constexpr POINT kMainHotSpot = {128 + 12, 25 + 12};
// Client positions in the Hotspot 2.0 window (its pages start at (12, 52)).
constexpr POINT kEnable = {12 + 24 + 10, 52 + 20 + 8};
constexpr POINT kCredentialTab = {40 + 8, 17 + 8};
constexpr POINT kCredentialType = {12 + 150 + 60, 52 + 16 + 10};
constexpr POINT kName = {12 + 150 + 60, 52 + 48 + 10};
constexpr POINT kRowA = {12 + 150 + 60, 52 + 80 + 10};    // user name, or the certificate list
constexpr POINT kRowB = {12 + 150 + 60, 52 + 112 + 10};   // password, or the realm
constexpr POINT kAddOrCancel = {12 + 266 + 40, 52 + 280 + 12};
constexpr POINT kSubmit = {12 + 172 + 40, 52 + 280 + 12};
constexpr POINT kDelete = {12 + 192 + 40, 52 + 56 + 226 + 12};
constexpr POINT kModify = {12 + 282 + 40, 52 + 56 + 226 + 12};
constexpr POINT kInTable = {12 + 12 + 150, 52 + 56 + 20 + 120};
constexpr char kHostThumbprint[] = "7c0d1e2f3a4b5c6d7e8f90a1b2c3d4e5f6071829";

std::string StateFile()
{
    char folder[MAX_PATH] = {};
    SHGetFolderPathA(nullptr, CSIDL_COMMON_APPDATA, nullptr, 0, folder);
    return std::string(folder) + "\\Ostrel\\HS20.ini";
}

std::string StateValue(const std::string& section, const std::string& key)
{
    char value[256] = {};
    GetPrivateProfileStringA(section.c_str(), key.c_str(), "", value, sizeof value, StateFile().c_str());
    return value;
}

class HotSpotEndToEnd : public ::testing::Test {
protected:
    void SetUp() override { DeleteFileA(StateFile().c_str()); }
    void TearDown() override { DeleteFileA(StateFile().c_str()); }

    void Launch()
    {
        ASSERT_TRUE(wevo_.Start("", "enterprise")) << "the program did not start";
        ASSERT_TRUE(WaitFor([this] { return wevo_.MainWindow() != nullptr; })) << "no main window";
        main_ = wevo_.MainWindow();
    }

    // Opens the Hotspot 2.0 window from the main window and turns Hotspot 2.0 on.
    void OpenAndEnable()
    {
        // Other windows (the Wi-Fi Display reminder) may open beside it: the one with the table.
        form_ = nullptr;
        for (int attempt = 0; attempt < 5 && !form_; ++attempt) {
            ClickAt(main_, kMainHotSpot.x, kMainHotSpot.y);
            WaitFor([this] {
                for (HWND w : wevo_.VisibleWindows())
                    if (w != main_ && FindChild(w, "SysListView32"))
                        form_ = w;
                return form_ != nullptr;
            }, 4000);
        }
        ASSERT_NE(form_, nullptr) << "no Hotspot 2.0 window";
        list_ = FindChild(form_, "SysListView32");
        SendMessageA(At(kEnable), BM_CLICK, 0, 0);
        ASSERT_TRUE(WaitFor([this] { return IsWindowEnabled(list_) != FALSE; })) << "Hotspot 2.0 did not turn on";
    }

    // The visible control on top at a client position of the window.
    HWND At(POINT at) const { return WindowAt(form_, at); }

    static HWND FindChild(HWND parent, const char* className)
    {
        std::pair<std::string, HWND> search{className, nullptr};
        EnumChildWindows(parent, TakeChild, reinterpret_cast<LPARAM>(&search));
        return search.second;
    }

    static BOOL CALLBACK TakeChild(HWND child, LPARAM param)
    {
        auto* search = reinterpret_cast<std::pair<std::string, HWND>*>(param);
        if (WindowClass(child) != search->first)
            return TRUE;
        search->second = child;
        return FALSE;
    }

    void SetText(POINT at, const std::string& text)
    {
        HWND edit = At(at);
        ASSERT_EQ(WindowClass(edit), "Edit");
        SendMessageA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    }

    void Pick(POINT at, int index)
    {
        HWND list = At(at);
        ASSERT_EQ(WindowClass(list), "ComboBox");
        SendMessageA(list, CB_SETCURSEL, WPARAM(index), 0);
        SendMessageA(GetParent(list), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(list), CBN_SELCHANGE), LPARAM(list));
    }

    void Press(POINT at)
    {
        HWND button = At(at);
        ASSERT_EQ(WindowClass(button), "Button");
        SendMessageA(button, BM_CLICK, 0, 0);
    }

    std::vector<std::string> Rows() const
    {
        RemoteListView list(wevo_.Process(), list_);
        std::vector<std::string> rows;
        for (int row = 0; row < list.Count(); ++row)
            rows.push_back(list.Text(row, 0) + "|" + list.Text(row, 1));
        return rows;
    }

    bool RowsAre(const std::vector<std::string>& rows) const { return Rows() == rows; }

    void Select(int row)
    {
        RemoteListView list(wevo_.Process(), list_);
        ASSERT_TRUE(list.Select(row));
    }

    // The credential page through its tab, waited for.
    void OpenCredentialPage()
    {
        ASSERT_TRUE(WaitFor([this] {
            ClickAt(form_, kCredentialTab.x, kCredentialTab.y);
            return WaitFor([this] { return WindowClass(At(kName)) == "Edit"; }, 2000);
        })) << "the credential page did not open";
    }

    void AddUserNameCredential(const std::string& name, const std::string& user, const std::string& password)
    {
        OpenCredentialPage();
        SetText(kName, name);
        SetText(kRowA, user);
        SetText(kRowB, password);
        Press(kAddOrCancel);
    }

    void AddCertificateCredential(const std::string& name, int certificate, const std::string& realm)
    {
        OpenCredentialPage();
        Pick(kCredentialType, 1);
        SetText(kName, name);
        Pick(kRowA, certificate);
        SetText(kRowB, realm);
        Press(kAddOrCancel);
    }

    ProgramTurn turn_;
    WevoRun wevo_;
    HWND main_ = nullptr;
    HWND form_ = nullptr;
    HWND list_ = nullptr;
};

TEST_F(HotSpotEndToEnd, CredentialsSurviveARestartInTheirOrderAndCanBeChangedAndDeleted)
{
    Launch();
    OpenAndEnable();

    AddUserNameCredential("Home", "alice", "pw");
    ASSERT_TRUE(WaitFor([this] { return RowsAre({"|Home"}); })) << "no row after Add";
    AddCertificateCredential("Work", 1, "corp.example");
    ASSERT_TRUE(WaitFor([this] { return RowsAre({"|Home", "|Work"}); })) << "no second row";

    // Modify the first: its page comes back filled; the new name goes to the library.
    Select(0);
    Press(kModify);
    ASSERT_TRUE(WaitFor([this] { return WindowClass(At(kSubmit)) == "Button"; })) << "no Submit";
    SetText(kName, "Home2");
    Press(kSubmit);
    ASSERT_TRUE(WaitFor([this] { return RowsAre({"|Home2", "|Work"}); }));

    // Exit turns Hotspot 2.0 off, which leaves the entries in the state file.
    PostMessageA(main_, MSG_TRAY_EXIT, 0, 0);
    DWORD code = STILL_ACTIVE;
    ASSERT_TRUE(wevo_.WaitForExit(30000, &code)) << "the program did not end";
    ASSERT_NE(GetFileAttributesA(StateFile().c_str()), INVALID_FILE_ATTRIBUTES) << "no state file";
    EXPECT_EQ(StateValue("Credential 0", "Name"), "Home2");
    EXPECT_EQ(StateValue("Credential 0", "CredenType"), "0");
    EXPECT_EQ(StateValue("Credential 0", "UserName"), "alice");
    EXPECT_EQ(StateValue("Credential 1", "Name"), "Work");
    EXPECT_EQ(StateValue("Credential 1", "CredenType"), "1");
    EXPECT_EQ(StateValue("Credential 1", "RootCa"), kHostThumbprint);
    EXPECT_EQ(StateValue("Credential 1", "Realm"), "corp.example");

    Launch();
    OpenAndEnable();
    ASSERT_TRUE(WaitFor([this] { return RowsAre({"|Home2", "|Work"}); })) << "restored rows differ";
    EXPECT_EQ(GetFileAttributesA(StateFile().c_str()), INVALID_FILE_ATTRIBUTES) << "the state file is left";

    // The restored certificate credential opens with its own certificate chosen; Cancel leaves it.
    Select(1);
    Press(kModify);
    ASSERT_TRUE(WaitFor([this] { return WindowClass(At(kRowA)) == "ComboBox"; })) << "no certificate list";
    EXPECT_EQ(SendMessageA(At(kRowA), CB_GETCURSEL, 0, 0), 1) << "not the stored certificate";
    Press(kAddOrCancel);
    ASSERT_TRUE(WaitFor([this] { return At(kInTable) == list_; })) << "Cancel did not go back to the table";
    EXPECT_TRUE(RowsAre({"|Home2", "|Work"}));

    Select(0);
    Press(kDelete);
    EXPECT_TRUE(WaitFor([this] { return RowsAre({"|Work"}); })) << "the row was not deleted";
    PostMessageA(main_, MSG_TRAY_EXIT, 0, 0);
    EXPECT_TRUE(wevo_.WaitForExit(30000));
}

} // namespace
