#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "WevoRun.h"
#include "core/Settings.h"
#include "wlapi/constants.h"

// The 802.11n window and the WAPI certificate centre in the installed program: a block-ack
// agreement is added and deleted through the window's pages, and certificates installed in the
// centre carry a WAPI-certificate connection, whose access point then heads the add page.

namespace {

constexpr POINT kMainSiteSurvey = {207 + 12, 25 + 12};
constexpr POINT kMainAdvanced = {286 + 12, 25 + 12};
constexpr POINT kSurveyConnect = {343 + 10, 324 + 10};
// The advanced window: its tab row (the hidden wireless tab keeps the first place) and the
// certificate page's picture buttons, in the window's client coordinates (the page is at 0, 46).
constexpr int kTabTop = 19 + 13;
constexpr POINT kStaBrowse = {8 + 320 + 12, 46 + 2 + 17 + 13};
constexpr POINT kAsBrowse = {8 + 320 + 12, 46 + 2 + 47 + 13};
constexpr POINT kInstall = {8 + 350 + 12, 46 + 2 + 32 + 13};
constexpr POINT kInstallAs = {366 + 12, 46 + 156 + 13};

const char* const kPeer = "02-5E-00-00-10-01";

// The program's settings file with a few keys changed for one test; the file comes back as it
// was when the test ends.
class SettingsChange {
public:
    SettingsChange() : path_(ProgramFolder() + "Wevo.ini")
    {
        std::ifstream in(path_, std::ios::binary);
        saved_.assign(std::istreambuf_iterator<char>(in), {});
    }
    ~SettingsChange()
    {
        std::ofstream out(path_, std::ios::binary | std::ios::trunc);
        out << saved_;
    }
    void Set(const char* section, const char* key, const char* value)
    {
        WritePrivateProfileStringA(section, key, value, path_.c_str());
    }

private:
    std::string path_;
    std::string saved_;
};

std::string TempFolder()
{
    char folder[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, folder);
    return folder;
}

// A certificate file as the certificate library reads it.
std::string WriteCertificate(const std::string& name, const std::string& serial, const std::string& issuer,
                             const std::string& subject)
{
    const std::string path = TempFolder() + name;
    std::ofstream out(path, std::ios::trunc);
    out << "[Certificate]\nSerial=" << serial << "\nIssuer=" << issuer << "\nSubject=" << subject
        << "\nType=X509\nValidFrom=2026-01-01\nValidTo=2031-12-31\n";
    return path;
}

// A click at a client position of the form, delivered to whatever window lies there, as the
// mouse would deliver it (picture buttons are drawn by their parent).
void ClickOn(HWND form, POINT at)
{
    HWND target = WindowAt(form, at);
    ClickAt(target, at.x, at.y);
}

// A control the user sees: visible and not covered by another page.
bool Shown(HWND child)
{
    return IsWindowVisible(child) && OnTop(GetAncestor(child, GA_ROOT), child);
}

struct ChildSearch {
    std::string className;
    std::string text;  // empty: any
    std::vector<HWND> found;
};

BOOL CALLBACK CollectChild(HWND child, LPARAM param)
{
    auto* search = reinterpret_cast<ChildSearch*>(param);
    if (WindowClass(child) == search->className && (search->text.empty() || WindowText(child) == search->text) &&
        Shown(child))
        search->found.push_back(child);
    return TRUE;
}

// The controls of a class (and caption) that the user sees on the form, in creation order.
std::vector<HWND> Visible(HWND form, const std::string& className, const std::string& text = "")
{
    ChildSearch search{className, text, {}};
    EnumChildWindows(form, CollectChild, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND VisibleOne(HWND form, const std::string& className, const std::string& text = "")
{
    const std::vector<HWND> found = Visible(form, className, text);
    return found.empty() ? nullptr : found.front();
}

// The button with this caption in the group box with that caption.
HWND ButtonInGroup(HWND form, const std::string& group, const std::string& caption)
{
    for (HWND button : Visible(form, "Button", caption)) {
        for (HWND parent = GetParent(button); parent && parent != form; parent = GetParent(parent))
            if (WindowText(parent) == group)
                return button;
    }
    return nullptr;
}

// The text of a control of the other process (its window text alone is not the edit's text).
std::string ControlText(HWND control)
{
    char text[512] = {};
    SendMessageA(control, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
    return text;
}

// An item of a drop-down list of the other process (read as wide text: the list is a Unicode
// window), in ANSI.
std::string ListItem(HWND list, int index)
{
    wchar_t wide[256] = {};
    if (SendMessageW(list, CB_GETLBTEXTLEN, WPARAM(index), 0) >= LRESULT(std::size(wide)))
        return {};
    SendMessageW(list, CB_GETLBTEXT, WPARAM(index), reinterpret_cast<LPARAM>(wide));
    char text[512] = {};
    WideCharToMultiByte(CP_ACP, 0, wide, -1, text, sizeof text, nullptr, nullptr);
    return text;
}

struct ListSearch {
    std::vector<std::string> items;
    HWND found;
};

BOOL CALLBACK TakeListWithItems(HWND child, LPARAM param)
{
    auto* search = reinterpret_cast<ListSearch*>(param);
    if (WindowClass(child) != "ComboBox" || !IsWindowVisible(child) ||
        SendMessageA(child, CB_GETCOUNT, 0, 0) != LRESULT(search->items.size()))
        return TRUE;
    for (size_t i = 0; i < search->items.size(); ++i)
        if (ListItem(child, int(i)) != search->items[i])
            return TRUE;
    search->found = child;
    return FALSE;
}

// The shown drop-down list of the form that holds exactly these items.
HWND ListWithItems(HWND form, const std::vector<std::string>& items)
{
    ListSearch search{items, nullptr};
    EnumChildWindows(form, TakeListWithItems, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// The other drop-down list beside this one.
HWND OtherList(HWND list)
{
    HWND other = FindWindowExA(GetParent(list), nullptr, "ComboBox", nullptr);
    return other != list ? other : FindWindowExA(GetParent(list), list, "ComboBox", nullptr);
}

BOOL CALLBACK DescribeList(HWND child, LPARAM param)
{
    if (WindowClass(child) != "ComboBox")
        return TRUE;
    const std::string first = ListItem(child, 0);
    *reinterpret_cast<std::string*>(param) += "[" + std::to_string(IsWindowVisible(child)) + " " +
                                              std::to_string(SendMessageA(child, CB_GETCOUNT, 0, 0)) + " " + first + "]";
    return TRUE;
}

// The form's drop-down lists (shown, item count, first item), for a failure's message.
std::string DescribeLists(HWND form)
{
    std::string text;
    EnumChildWindows(form, DescribeList, reinterpret_cast<LPARAM>(&text));
    return text;
}

void Pick(HWND list, int index)
{
    SendMessageA(list, CB_SETCURSEL, WPARAM(index), 0);
    SendMessageA(GetParent(list), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(list), CBN_SELCHANGE), LPARAM(list));
}

// Saves the form as the screen shows it, as a bitmap in the folder WEVO_E2E_SHOTS names (no
// folder: nothing is saved).
void Snapshot(HWND form, const char* name)
{
    char folder[MAX_PATH] = {};
    if (!GetEnvironmentVariableA("WEVO_E2E_SHOTS", folder, sizeof folder))
        return;
    Sleep(1500);
    RECT box{};
    GetWindowRect(form, &box);
    const int width = box.right - box.left, height = box.bottom - box.top;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP picture = CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ old = SelectObject(memory, picture);
    BitBlt(memory, 0, 0, width, height, screen, box.left, box.top, SRCCOPY);
    SelectObject(memory, old);
    BITMAPINFOHEADER header{sizeof header, width, height, 1, 24, BI_RGB};
    const int stride = (width * 3 + 3) & ~3;
    std::vector<char> pixels(size_t(stride) * height);
    GetDIBits(memory, picture, 0, height, pixels.data(), reinterpret_cast<BITMAPINFO*>(&header), DIB_RGB_COLORS);
    BITMAPFILEHEADER file{0x4D42, DWORD(sizeof(BITMAPFILEHEADER) + sizeof header + pixels.size()), 0, 0,
                          sizeof(BITMAPFILEHEADER) + sizeof header};
    std::ofstream out(std::string(folder) + "\\" + name + ".bmp", std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(&file), sizeof file);
    out.write(reinterpret_cast<const char*>(&header), sizeof header);
    out.write(pixels.data(), std::streamsize(pixels.size()));
    DeleteObject(picture);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
}

class BlockAckAndWapiEndToEnd : public ::testing::Test {
protected:
    void Launch()
    {
        settings_.Set("Advance", "ShowTestDialog", "1");
        settings_.Set("AuthEncry", "SupportWAPI", "1");
        ASSERT_TRUE(wevo_.Start("", "blockack")) << "the program did not start";
        ASSERT_TRUE(WaitFor([this] { return wevo_.MainWindow() != nullptr && IsWindowVisible(wevo_.MainWindow()); }))
            << "no main window";
        main_ = wevo_.MainWindow();
    }

    // Clicks the main window's button until a new form shows (a warning that opens beside it
    // is not taken).
    HWND OpenFromMain(POINT button)
    {
        std::vector<HWND> before = wevo_.VisibleWindows();
        HWND form = nullptr;
        WaitFor([&] {
            ClickAt(main_, button.x, button.y);
            return WaitFor([&] {
                form = wevo_.WaitForNewForm(before, 100);
                if (form && WindowText(form) == "Warning") {
                    before.push_back(form);
                    form = nullptr;
                }
                return form != nullptr;
            }, 10000);
        }, 40000);
        return form;
    }

    HWND FormCaptioned(const std::string& caption) const
    {
        for (HWND w : wevo_.VisibleWindows(""))
            if (WindowText(w) == caption)
                return w;
        return nullptr;
    }

    // Rows of a list view, the cells of each joined by '|'.
    std::vector<std::string> Rows(HWND list, int columns) const
    {
        RemoteListView remote(wevo_.Process(), list);
        std::vector<std::string> rows;
        for (int row = 0; row < remote.Count(); ++row) {
            std::string text = remote.Text(row, 0);
            for (int column = 1; column < columns; ++column)
                text += "|" + remote.Text(row, column);
            rows.push_back(text);
        }
        return rows;
    }

    // Picks the file in the open-file dialog that the browse button at the position opens.
    void ChooseFile(HWND form, POINT browse, const std::string& path)
    {
        HWND dialog = nullptr;
        ASSERT_TRUE(WaitFor([&] {
            ClickOn(form, browse);
            return WaitFor([&] {
                const std::vector<HWND> dialogs = wevo_.VisibleWindows("#32770");
                dialog = dialogs.empty() ? nullptr : dialogs.front();
                return dialog != nullptr;
            }, 15000);
        }, 40000)) << "no open-file dialog";
        HWND name = nullptr;
        ASSERT_TRUE(WaitFor([&] {
            name = GetDlgItem(dialog, 1148);  // the file-name box
            if (!name)
                name = GetDlgItem(dialog, 1152);
            return name != nullptr;
        }, 10000)) << "no file-name box";
        SendMessageA(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
        PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), LPARAM(GetDlgItem(dialog, IDOK)));
        ASSERT_TRUE(WaitFor([&] { return !IsWindow(dialog) || !IsWindowVisible(dialog); }, 20000))
            << "the open-file dialog stays";
    }

    // Opens the 802.11n window from the advanced window's test page and sets aggregation on with
    // the density set by hand, which lets the table buttons work.
    void Open80211n(HWND advanced, HWND& form)
    {
        // The test tab is the last of the row; each tab is 24 pixels wide.
        HWND open11n = nullptr;
        for (int left = 8 + 24 * 4; left >= 8 && !open11n; left -= 24) {
            ClickAt(advanced, left + 12, kTabTop);
            WaitFor([&] { return (open11n = VisibleOne(advanced, "Button", "802.11n Setting")) != nullptr; }, 4000);
        }
        ASSERT_NE(open11n, nullptr) << "no test page";
        SendMessageA(open11n, BM_CLICK, 0, 0);
        ASSERT_TRUE(WaitFor([&] { return (form = FormCaptioned("802.11n Setting")) != nullptr; }))
            << "no 802.11n window";
        HWND add = nullptr;
        ASSERT_TRUE(WaitFor([&] { return (add = ButtonInGroup(form, "Originator of", "+")) != nullptr; }));
        if (!IsWindowEnabled(add)) {
            SendMessageA(VisibleOne(form, "Button", "MPDU Aggregation"), BM_CLICK, 0, 0);
            SendMessageA(VisibleOne(form, "Button", "Manual"), BM_CLICK, 0, 0);
        }
        SendMessageA(VisibleOne(form, "Button", "Apply"), BM_CLICK, 0, 0);
        ASSERT_TRUE(WaitFor([&] { return IsWindowEnabled(add) != FALSE; })) << "the table buttons stay disabled";
    }

    ProgramTurn turn_;  // first: the settings file is changed only during this test's turn
    SettingsChange settings_;
    WevoRun wevo_;
    HWND main_ = nullptr;
};

TEST_F(BlockAckAndWapiEndToEnd, AnAgreementAddedOnTheAddPageIsListedAndTheDeletePageEndsIt)
{
    Launch();
    HWND advanced = OpenFromMain(kMainAdvanced);
    ASSERT_NE(advanced, nullptr) << "no advanced window";

    HWND form = nullptr;
    ASSERT_NO_FATAL_FAILURE(Open80211n(advanced, form));
    HWND add = ButtonInGroup(form, "Originator of", "+");
    Snapshot(form, "setting80211n");

    // The add page lists the driver's peers; TID 3 with a window of 16 is asked for.
    SendMessageA(add, BM_CLICK, 0, 0);
    HWND candidates = nullptr;
    ASSERT_TRUE(WaitFor([&] {
        candidates = VisibleOne(form, "SysListView32");
        return candidates && Rows(candidates, 1) == std::vector<std::string>{kPeer, "02-5E-00-00-10-02"};
    })) << "the add page does not list the peers";
    Pick(VisibleOne(form, "ComboBox"), 3);
    SendMessageA(VisibleOne(form, "Edit"), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("16"));
    {
        RemoteListView remote(wevo_.Process(), candidates);
        ASSERT_TRUE(remote.Select(0));
    }
    Snapshot(form, "addblockack");
    SendMessageA(VisibleOne(form, "Button", "OK"), BM_CLICK, 0, 0);
    EXPECT_TRUE(wevo_.WaitForJournal("WVWL_AddIMMEBA(originator 02:5E:00:00:10:01 tid=3 window=16 all=0) -> 1"))
        << wevo_.Journal();

    // Back on the 802.11n page, the table shows the agreement in the TID[3] column.
    HWND originators = nullptr;
    ASSERT_TRUE(WaitFor([&] {
        add = ButtonInGroup(form, "Originator of", "+");
        if (!add)
            return false;
        for (HWND list : Visible(form, "SysListView32"))
            if (GetParent(list) == GetParent(add))
                originators = list;
        return originators != nullptr;
    })) << "the 802.11n page did not come back";
    EXPECT_TRUE(WaitFor([&] {
        return Rows(originators, 9) == std::vector<std::string>{std::string(kPeer) + "|-|-|-|16|-|-|-|-"};
    })) << "the originator table does not show the agreement";

    // The delete page ends it for that TID.
    SendMessageA(ButtonInGroup(form, "Originator of", "-"), BM_CLICK, 0, 0);
    ASSERT_TRUE(WaitFor([&] {
        candidates = VisibleOne(form, "SysListView32");
        return candidates && candidates != originators && Rows(candidates, 1).size() == 2;
    })) << "no delete page";
    Pick(VisibleOne(form, "ComboBox"), 3);
    {
        RemoteListView remote(wevo_.Process(), candidates);
        ASSERT_TRUE(remote.Select(0));
    }
    Snapshot(form, "deleteblockack");
    SendMessageA(VisibleOne(form, "Button", "OK"), BM_CLICK, 0, 0);
    EXPECT_TRUE(wevo_.WaitForJournal("WVWL_OIDSetInfo(0xFF8C0027 14) -> 1")) << wevo_.Journal();
    EXPECT_TRUE(wevo_.WaitForJournal("block-ack delete originator 02:5E:00:00:10:01 tid=3 window=0 all=0 removed 1"))
        << wevo_.Journal();
    EXPECT_TRUE(WaitFor([&] { return Rows(originators, 1).empty(); })) << "the agreement is still listed";

    PostMessageA(main_, MSG_TRAY_EXIT, 0, 0);
    EXPECT_TRUE(wevo_.WaitForExit(30000));
}

TEST_F(BlockAckAndWapiEndToEnd, CertificatesInstalledInTheCentreCarryAWapiCertificateConnection)
{
    const std::string as = WriteCertificate("wevo_e2e_as.cer", "0A0B0C", "Wevo AS", "Wevo AS");
    const std::string user = WriteCertificate("wevo_e2e_user.cer", "112233", "Wevo AS", "alice");
    const std::string extra = WriteCertificate("wevo_e2e_as2.cer", "0D0E0F", "Wevo AS", "Wevo AS");
    Launch();
    HWND advanced = OpenFromMain(kMainAdvanced);
    ASSERT_NE(advanced, nullptr) << "no advanced window";
    // The window opens on the certificate centre.
    HWND certList = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (certList = VisibleOne(advanced, "SysListView32")) != nullptr; }))
        << "no certificate list";

    // A user certificate with its AS certificate, each chosen with the browse button.
    ChooseFile(advanced, kStaBrowse, user);
    ChooseFile(advanced, kAsBrowse, as);
    const std::vector<HWND> edits = Visible(advanced, "Edit");
    ASSERT_EQ(edits.size(), 2u);
    EXPECT_EQ(ControlText(edits[0]), user);
    EXPECT_EQ(ControlText(edits[1]), as);
    ClickOn(advanced, kInstall);
    EXPECT_TRUE(wevo_.WaitForJournal(" Install cert result = 3")) << wevo_.Journal();
    ASSERT_TRUE(WaitFor([&] { return Rows(certList, 4) == std::vector<std::string>{"112233|Wevo AS|alice|2031-12-31"}; }))
        << "the certificate is not listed";

    // A second AS certificate for it through the AS dialog.
    {
        RemoteListView remote(wevo_.Process(), certList);
        ASSERT_TRUE(remote.Select(0));
    }
    Snapshot(advanced, "certcentre");
    HWND dialog = nullptr;
    ASSERT_TRUE(WaitFor([&] {
        ClickOn(advanced, kInstallAs);
        return WaitFor([&] { return (dialog = FormCaptioned("AS Management")) != nullptr; }, 15000);
    }, 40000)) << "no AS dialog";
    HWND browse = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (browse = VisibleOne(dialog, "Button", "Browse...")) != nullptr; }))
        << "no browse button in the AS dialog";
    RECT box{};
    GetWindowRect(browse, &box);
    POINT at = {(box.left + box.right) / 2, (box.top + box.bottom) / 2};
    ScreenToClient(dialog, &at);
    ChooseFile(dialog, at, extra);
    SendMessageA(VisibleOne(dialog, "Button", "Install"), BM_CLICK, 0, 0);
    EXPECT_TRUE(wevo_.WaitForJournal("Install cert result = 1")) << wevo_.Journal();
    HWND asList = VisibleOne(dialog, "SysListView32");
    ASSERT_NE(asList, nullptr);
    EXPECT_TRUE(WaitFor([&] { return Rows(asList, 3) == std::vector<std::string>{"0D0E0F|Wevo AS|Wevo AS"}; }))
        << "the AS certificate is not listed";
    Snapshot(dialog, "asmanagement");
    SendMessageA(VisibleOne(dialog, "Button", "OK"), BM_CLICK, 0, 0);
    ASSERT_TRUE(WaitFor([&] { return !IsWindowVisible(dialog); })) << "the AS dialog stays";

    // Connect from the site survey: the WAPI certificate page takes the installed certificate
    // chosen by hand, and the adapter accepts its identity.
    HWND survey = OpenFromMain(kMainSiteSurvey);
    ASSERT_NE(survey, nullptr) << "no site-survey window";
    HWND networks = FindWindowExA(survey, nullptr, "SysListView32", nullptr);
    ASSERT_TRUE(WaitFor([&] {
        RemoteListView remote(wevo_.Process(), networks);
        return remote.Find(1, "WapiCorp") >= 0;
    })) << "WapiCorp is not listed";
    {
        RemoteListView remote(wevo_.Process(), networks);
        ASSERT_TRUE(remote.Select(remote.Find(1, "WapiCorp")));
    }
    HWND editor = nullptr;
    const std::vector<HWND> before = wevo_.VisibleWindows();
    ASSERT_TRUE(WaitFor([&] {
        ClickAt(survey, kSurveyConnect.x, kSurveyConnect.y);
        editor = wevo_.WaitForNewForm(before, 10000);
        return editor != nullptr;
    }, 40000)) << "no profile editor";
    RECT client{};
    GetClientRect(editor, &client);
    const POINT next = {client.right - 40 + 10, client.bottom - 34 + 10};
    // The security page, prefilled from the network, then the certificate page.
    Snapshot(editor, "securitypage");
    // The certificate page's mode list (Auto, Manual) and, beside it, the certificate list.
    HWND mode = nullptr, certificate = nullptr;
    ASSERT_TRUE(WaitFor([&] {
        ClickAt(editor, next.x, next.y);
        return WaitFor([&] {
            mode = ListWithItems(editor, {"Auto", "Manual"});
            certificate = mode ? OtherList(mode) : nullptr;
            return certificate != nullptr;
        }, 8000);
    }, 40000)) << "no WAPI certificate page; lists " << DescribeLists(editor);
    Pick(mode, 1);  // chosen by hand
    ASSERT_TRUE(WaitFor([&] { return IsWindowEnabled(certificate) != FALSE; }));
    Snapshot(editor, "wapicertpage");
    Pick(certificate, 0);
    ASSERT_TRUE(WaitFor([&] {
        ClickAt(editor, next.x, next.y);
        return WaitFor([&] { return !IsWindowVisible(editor); }, 4000);
    }, 40000)) << "the editor stays open";
    ASSERT_TRUE(wevo_.WaitForStatus("link=connected ssid=WapiCorp")) << wevo_.Sim("status") << wevo_.Journal();

    // The connected access point heads the add page's peers, and an agreement with it is made.
    HWND form = nullptr;
    ASSERT_NO_FATAL_FAILURE(Open80211n(advanced, form));
    SendMessageA(ButtonInGroup(form, "Originator of", "+"), BM_CLICK, 0, 0);
    HWND candidates = nullptr;
    ASSERT_TRUE(WaitFor([&] {
        candidates = VisibleOne(form, "SysListView32");
        const std::vector<std::string> rows = candidates ? Rows(candidates, 1) : std::vector<std::string>{};
        return rows.size() == 3 && rows[0] == "00-1A-2B-00-00-07";
    })) << "the access point does not head the peers";
    {
        RemoteListView remote(wevo_.Process(), candidates);
        ASSERT_TRUE(remote.Select(0));
    }
    SendMessageA(VisibleOne(form, "Button", "OK"), BM_CLICK, 0, 0);
    EXPECT_TRUE(wevo_.WaitForJournal("WVWL_AddIMMEBA(originator 00:1A:2B:00:00:07 tid=0 window=32 all=0) -> 1"))
        << wevo_.Journal();

    PostMessageA(main_, MSG_TRAY_EXIT, 0, 0);
    EXPECT_TRUE(wevo_.WaitForExit(30000));
    for (const std::string& path : {as, user, extra})
        DeleteFileA(path.c_str());
}

}  // namespace
