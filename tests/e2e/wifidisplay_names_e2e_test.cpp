// The Wi-Fi Display list names its devices once Wi-Fi Direct is on: the names come from the
// Wi-Fi Direct peers found, the rows are sorted by name, and a rescan lists them again.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "WevoRun.h"

namespace {

constexpr POINT kMainWiFiDisplay = {153 + 12, 25 + 12};
constexpr POINT kMainWiFiDirect = {180 + 12, 25 + 12};
constexpr POINT kDirectOnOff = {20 + 32, 200 + 32};
constexpr POINT kWizardNext = {322 + 12, 318 + 13};
constexpr POINT kRescan = {8 + 10, 20 + 10};

// Device name and address of a row, as the list shows them.
struct Row {
    std::string name;
    std::string mac;
};

// The scenario's display devices sorted by name; the projector is no Wi-Fi Direct peer, so it
// has no name and comes first.
const std::vector<Row> kSortedByName = {
    {"", "0A:50:F2:AA:00:03"},
    {"Kitchen-Tablet", "02:50:F2:AA:00:02"},
    {"Living-Room-TV", "02:50:F2:AA:00:01"},
};

std::vector<Row> Rows(const RemoteListView& list)
{
    std::vector<Row> rows;
    for (int row = 0; row < list.Count(); ++row)
        rows.push_back({list.Text(row, 1), list.Text(row, 3)});
    return rows;
}

bool Same(const std::vector<Row>& a, const std::vector<Row>& b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (a[i].name != b[i].name || a[i].mac != b[i].mac)
            return false;
    return true;
}

std::string Describe(const std::vector<Row>& rows)
{
    std::string text;
    for (const Row& row : rows)
        text += "[" + row.name + " " + row.mac + "] ";
    return text;
}

struct Search {
    std::string cls;
    std::string text;
    bool editable;
    HWND found;
};

BOOL CALLBACK Match(HWND child, LPARAM param)
{
    auto* s = reinterpret_cast<Search*>(param);
    if (!IsWindowVisible(child) || WindowClass(child) != s->cls)
        return TRUE;
    if (s->editable ? !IsWindowEnabled(child) || (GetWindowLongA(child, GWL_STYLE) & ES_READONLY)
                    : WindowText(child) != s->text)
        return TRUE;
    s->found = child;
    return FALSE;
}

HWND Child(HWND form, const std::string& cls, const std::string& text, bool editable = false)
{
    Search s{cls, text, editable, nullptr};
    EnumChildWindows(form, Match, reinterpret_cast<LPARAM>(&s));
    return s.found;
}

class WiFiDisplayNamesEndToEnd : public ::testing::Test {
protected:
    HWND Form(const std::string& title) const
    {
        for (HWND w : wevo_.VisibleWindows())
            if (WindowText(w) == title)
                return w;
        return nullptr;
    }

    // Opens the Wi-Fi Direct window, closes the Wi-Fi Display reminder and turns Wi-Fi Direct
    // on with a double-click on the own device, naming it in the wizard.
    void TurnOnWiFiDirect()
    {
        ASSERT_TRUE(ClickUntil(main_, kMainWiFiDirect, [&] { return (direct_ = Form("Wi-Fi Direct")) != nullptr; }))
            << "the Wi-Fi Direct window did not open";
        HWND reminder = nullptr;
        if (WaitFor([&] { return (reminder = Form("Warning")) != nullptr; }, 5000)) {
            PostMessageA(reminder, WM_CLOSE, 0, 0);
            ASSERT_TRUE(WaitFor([&] { return !IsWindowVisible(reminder); }));
        }
        HWND wizard = nullptr;
        const LPARAM where = MAKELPARAM(kDirectOnOff.x, kDirectOnOff.y);
        ASSERT_TRUE(WaitFor(
            [&] {
                PostMessageA(direct_, WM_MOUSEMOVE, 0, where);
                PostMessageA(direct_, WM_LBUTTONDOWN, MK_LBUTTON, where);
                PostMessageA(direct_, WM_LBUTTONUP, 0, where);
                PostMessageA(direct_, WM_LBUTTONDBLCLK, MK_LBUTTON, where);
                PostMessageA(direct_, WM_LBUTTONUP, 0, where);
                return WaitFor([&] { return (wizard = Form("Wi-Fi Direct Settings")) != nullptr; }, 4000);
            },
            25000))
            << "no wizard to name the device\n" << wevo_.Journal();
        HWND own = Child(wizard, "Button", "");
        ASSERT_NE(own, nullptr) << "no choice of an own name";
        PostMessageA(own, BM_CLICK, 0, 0);
        HWND edit = nullptr;
        ASSERT_TRUE(WaitFor([&] { return (edit = Child(wizard, "Edit", "", true)) != nullptr; })) << "no name field";
        SendMessageA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("Den-Laptop"));
        ASSERT_TRUE(WaitFor(
            [&] {
                ClickAt(wizard, kWizardNext.x, kWizardNext.y);
                return WaitFor([&] { return !IsWindowVisible(wizard); }, 2000);
            },
            20000))
            << "the wizard did not close\n" << wevo_.Journal();
        ASSERT_TRUE(wevo_.WaitForJournal("WVWL_WriteWifiDirectFlag(1)")) << wevo_.Journal();
    }

    // Scan from the own device's popup menu (its first item), chosen with the keys.
    void ScanForPeers()
    {
        const int scans = wevo_.Calls("WVWL_SetWifiDirectWpseConfig");
        const LPARAM where = MAKELPARAM(kDirectOnOff.x, kDirectOnOff.y);
        HWND menu = nullptr;
        ASSERT_TRUE(WaitFor(
            [&] {
                PostMessageA(direct_, WM_MOUSEMOVE, 0, where);
                PostMessageA(direct_, WM_RBUTTONDOWN, MK_RBUTTON, where);
                PostMessageA(direct_, WM_RBUTTONUP, 0, where);
                return WaitFor([&] { return (menu = FindWindowA("#32768", nullptr)) != nullptr && IsWindowVisible(menu); },
                               2000);
            },
            15000))
            << "no own-device menu";
        PostMessageA(menu, WM_KEYDOWN, VK_DOWN, 0);
        PostMessageA(menu, WM_KEYDOWN, VK_RETURN, 0);
        ASSERT_TRUE(WaitFor([&] { return wevo_.Calls("WVWL_SetWifiDirectWpseConfig") > scans; })) << wevo_.Journal();
    }

    ProgramTurn turn_;
    WevoRun wevo_;
    HWND main_ = nullptr;
    HWND direct_ = nullptr;
};

TEST_F(WiFiDisplayNamesEndToEnd, RowsShowPeerNamesSortedByNameAndAgainAfterRescan)
{
    ASSERT_TRUE(wevo_.Start("", "wifidisplay"));
    ASSERT_TRUE(WaitFor([&] { return (main_ = wevo_.MainWindow()) != nullptr && IsWindowVisible(main_); }));
    TurnOnWiFiDirect();
    if (HasFatalFailure())
        return;
    ScanForPeers();
    if (HasFatalFailure())
        return;

    const std::vector<HWND> before = wevo_.VisibleWindows();
    HWND display = nullptr;
    ASSERT_TRUE(ClickUntil(main_, kMainWiFiDisplay, [&] { return (display = wevo_.WaitForNewForm(before, 100)) != nullptr; }))
        << "the Wi-Fi Display window did not open";
    HWND list = FindWindowExA(display, nullptr, "SysListView32", nullptr);
    ASSERT_NE(list, nullptr);
    RemoteListView rows(wevo_.Process(), list);

    // the driver reports its table; the peers found by Wi-Fi Direct give the names
    EXPECT_EQ(wevo_.Sim("wdpstatus 04").substr(0, 2), "ok");
    EXPECT_TRUE(WaitFor([&] { return Same(Rows(rows), kSortedByName); }))
        << Describe(Rows(rows)) << "\n" << wevo_.Journal();

    // Rescan with Wi-Fi Direct on asks nothing: it empties the list and scans; the scan's
    // discovery reads the table again and the named rows come back in the same order
    const int scans = wevo_.Calls("WVWL_SetWifiDirectWpseConfig");
    const int tableReads = wevo_.Calls("WVWL_GetWDPTable");
    const std::vector<HWND> shown = wevo_.VisibleWindows();
    ASSERT_TRUE(ClickUntil(display, kRescan, [&] { return wevo_.Calls("WVWL_SetWifiDirectWpseConfig") > scans; }))
        << wevo_.Journal();
    EXPECT_EQ(wevo_.WaitForNewForm(shown, 1000), nullptr) << "a question though Wi-Fi Direct is on";
    EXPECT_TRUE(WaitFor([&] { return wevo_.Calls("WVWL_GetWDPTable") > tableReads; })) << wevo_.Journal();
    EXPECT_TRUE(WaitFor([&] { return Same(Rows(rows), kSortedByName); }))
        << Describe(Rows(rows)) << "\n" << wevo_.Journal();
    EXPECT_TRUE(wevo_.Running());
}

}  // namespace
