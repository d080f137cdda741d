// The Wi-Fi Display list names its devices once Wi-Fi Direct is on: the names come from the
// Wi-Fi Direct peers found, the rows are sorted by name, and a rescan lists them again.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "WiFiDirectDriving.h"

namespace {

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

class WiFiDisplayNamesEndToEnd : public WiFiDirectDriving {};

TEST_F(WiFiDisplayNamesEndToEnd, RowsShowPeerNamesSortedByNameAndAgainAfterRescan)
{
    ASSERT_NO_FATAL_FAILURE(Launch("wifidisplay"));
    ASSERT_NO_FATAL_FAILURE(TurnOn("Den-Laptop"));
    ASSERT_NO_FATAL_FAILURE(ScanForPeers());

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
    ASSERT_TRUE(ClickUntil(display, kDisplayRescan, [&] { return wevo_.Calls("WVWL_SetWifiDirectWpseConfig") > scans; }))
        << wevo_.Journal();
    EXPECT_EQ(wevo_.WaitForNewForm(shown, 1000), nullptr) << "a question though Wi-Fi Direct is on";
    EXPECT_TRUE(WaitFor([&] { return wevo_.Calls("WVWL_GetWDPTable") > tableReads; })) << wevo_.Journal();
    EXPECT_TRUE(WaitFor([&] { return Same(Rows(rows), kSortedByName); }))
        << Describe(Rows(rows)) << "\n" << wevo_.Journal();
    EXPECT_TRUE(wevo_.Running());
}

}  // namespace
