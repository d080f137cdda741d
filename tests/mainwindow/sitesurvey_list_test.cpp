// The site survey's list on the simulated adapter: rescan, sort, pictures, the connected
// network's mark, the details of the selection and the 15-second memory of the repository.
#include "sitesurvey_fixture.h"

#include "wlapi/constants.h"

#include <algorithm>
#include <commctrl.h>
#include <cstdio>

namespace {

constexpr int kNoPicture = 12;

// Subitem columns: 0 SSID, 1 kind, 2 channel, 3 a, 4 b, 5 g, 6 n/ac, 7 security, 8 signal.
struct RowPictures {
    const char* ssid;
    const char* channel;
    int kind, a, n, security;
};

class SiteSurveyList : public SiteSurveyFixture {};

TEST_F(SiteSurveyList, RescanListsTheScenarioSortedBySsidWithItsPictures)
{
    Start();
    RescanAndShow();
    EXPECT_EQ(ListedSsids(),
              (std::vector<std::string>{"", "CafeCorner", "Fast5G", "HomeNet", "Legacy-WEP", "OfficeCorp"}));

    const RowPictures table[] = {
        {"CafeCorner", "1", 3, kNoPicture, kNoPicture, kNoPicture},
        {"Fast5G", "36", 3, 4, 11, 8},
        {"HomeNet", "6", 3, kNoPicture, 7, 10},
        {"Legacy-WEP", "3", 3, kNoPicture, kNoPicture, 8},
        {"OfficeCorp", "11", 3, kNoPicture, 7, 8},
    };
    for (const RowPictures& want : table) {
        SCOPED_TRACE(want.ssid);
        const int row = RowOf(want.ssid);
        ASSERT_GE(row, 0);
        TListItem* item = FormSiteSurvey->lvApList->Item(row);
        EXPECT_EQ(item->SubItem(2), want.channel);
        EXPECT_EQ(item->SubItemImage(1), want.kind);
        EXPECT_EQ(item->SubItemImage(3), want.a);
        EXPECT_EQ(item->SubItemImage(6), want.n);
        EXPECT_EQ(item->SubItemImage(7), want.security);
        EXPECT_EQ(item->ImageIndex(), -1); // not connected
        EXPECT_NE(item->SubItem(8).find('%'), std::string::npos);
    }
    EXPECT_EQ(FormSiteSurvey->m_pApList.size(), 6u);
    // The first row is selected and its details shown; the buttons are ready.
    EXPECT_EQ(FormSiteSurvey->lvApList->ItemIndex(), 0);
    EXPECT_EQ(FormSiteSurvey->lblMACAddress->Caption(), "00-1A-2B-00-00-05");
    EXPECT_TRUE(FormSiteSurvey->BtnSiteSurveyRescan->Enabled());
    EXPECT_TRUE(FormSiteSurvey->BtnSiteSurveyConnect->Enabled());
}

TEST_F(SiteSurveyList, SelectionShowsTheDetailsAndSurvivesAResort)
{
    Start();
    RescanAndShow();
    const int home = RowOf("HomeNet");
    ASSERT_GE(home, 0);
    FormSiteSurvey->lvApList->Item(home)->SetSelected(true);
    EXPECT_EQ(FormSiteSurvey->lblSSID->Caption(), "HomeNet");
    EXPECT_EQ(FormSiteSurvey->lblMACAddress->Caption(), "00-1A-2B-00-00-02");
    EXPECT_EQ(FormSiteSurvey->lblAuthentication->Caption(), "WPA2-PSK");
    EXPECT_EQ(FormSiteSurvey->lblEncryption->Caption(), "AES");
    EXPECT_EQ(FormSiteSurvey->m_nAuthType, 5);

    FormSiteSurvey->OnSortBySignal(nullptr);
    EXPECT_EQ(ListedSsids().front(), "HomeNet"); // -45 dBm is the strongest
    EXPECT_TRUE(FormSiteSurvey->ID_TRAY_SIGNAL->Checked);
    EXPECT_FALSE(FormSiteSurvey->ID_TRAY_SSID->Checked);
    EXPECT_EQ(FormSiteSurvey->lvApList->ItemIndex(), 0);
    EXPECT_EQ(FormSiteSurvey->lblSSID->Caption(), "HomeNet");

    FormSiteSurvey->OnSortByChannel(nullptr);
    EXPECT_EQ(ListedSsids(),
              (std::vector<std::string>{"CafeCorner", "Legacy-WEP", "HomeNet", "", "OfficeCorp", "Fast5G"}));
    EXPECT_EQ(FormSiteSurvey->lblSSID->Caption(), "HomeNet");
}

TEST_F(SiteSurveyList, TheConnectedNetworkIsMarked)
{
    Start();
    RescanAndShow();
    WLANPROFILE profile{};
    profile.SSID.SsidLength = 10;
    std::memcpy(profile.SSID.Ssid, "CafeCorner", 10);
    profile.enumNetworkType = 1;
    profile.enumEncryStatus = 1;
    ASSERT_EQ(VOZEZIV.WVWL_SetWLANProfile(&profile), 1);
    ASSERT_TRUE(PumpUntil([] { return IsLinkConnected(QueryLinkStatus(VOZEZIV, LINK_QUERY_CONNECTION)); }));

    FormSiteSurvey->TimerSiteSurvey->Tick();
    const int cafe = RowOf("CafeCorner");
    ASSERT_GE(cafe, 0);
    for (int i = 0; i < FormSiteSurvey->lvApList->ItemCount(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(FormSiteSurvey->lvApList->Item(i)->ImageIndex(), i == cafe ? 0 : -1);
        EXPECT_EQ(FormSiteSurvey->m_pApList[i]->bConnected, i == cafe ? 1 : 0);
    }
}

TEST_F(SiteSurveyList, NetworksSeenInTheLastFifteenSecondsStayListed)
{
    DWORD now = 1000000;
    seams::clockOverride = [&now] { return now; };
    Start();
    RescanAndShow();
    ASSERT_GE(RowOf("CafeCorner"), 0);

    ASSERT_GT(SimCommand("remove CafeCorner"), 0);
    now += 10000;
    RescanAndShow();
    EXPECT_GE(RowOf("CafeCorner"), 0) << "missing for 10 s";
    EXPECT_GE(RowOf("HomeNet"), 0);

    now += 6000;
    RescanAndShow();
    EXPECT_EQ(RowOf("CafeCorner"), -1) << "missing for 16 s";
    EXPECT_GE(RowOf("HomeNet"), 0);
}

TEST_F(SiteSurveyList, RadioOffEmptiesTheListAndDisablesTheButtons)
{
    Start();
    RescanAndShow();
    ASSERT_GT(FormSiteSurvey->lvApList->ItemCount(), 0);
    ASSERT_GT(SimCommand("radio sw off"), 0);
    FormSiteSurvey->TimerSiteSurvey->Tick();
    EXPECT_EQ(FormSiteSurvey->lvApList->ItemCount(), 0);
    EXPECT_FALSE(FormSiteSurvey->BtnSiteSurveyRescan->Enabled());
    EXPECT_FALSE(FormSiteSurvey->BtnSiteSurveyConnect->Enabled());
    EXPECT_EQ(FormSiteSurvey->lblSSID->Caption(), "");
}

// What the list view itself answers for a cell, through its window messages.
std::string WindowText(HWND list, int row, int column)
{
    char text[260] = {};
    LVITEMA item{};
    item.iSubItem = column;
    item.pszText = text;
    item.cchTextMax = sizeof text;
    SendMessageA(list, LVM_GETITEMTEXTA, row, LPARAM(&item));
    return text;
}

int WindowImage(HWND list, int row, int column)
{
    LVITEMA item{};
    item.mask = LVIF_IMAGE;
    item.iItem = row;
    item.iSubItem = column;
    item.iImage = -99;
    return SendMessageA(list, LVM_GETITEMA, 0, LPARAM(&item)) ? item.iImage : -99;
}

TEST_F(SiteSurveyList, TheListWindowShowsTheRowsOrderAndMarkOfEverySort)
{
    Start();
    RescanAndShow();
    WLANPROFILE profile{};
    profile.SSID.SsidLength = 10;
    std::memcpy(profile.SSID.Ssid, "CafeCorner", 10);
    profile.enumNetworkType = 1;
    profile.enumEncryStatus = 1;
    ASSERT_EQ(VOZEZIV.WVWL_SetWLANProfile(&profile), 1);
    ASSERT_TRUE(PumpUntil([] { return IsLinkConnected(QueryLinkStatus(VOZEZIV, LINK_QUERY_CONNECTION)); }));
    FormSiteSurvey->lvApList->Item(RowOf("HomeNet"))->SetSelected(true);

    const struct {
        void (TFormSiteSurvey::*sort)(TObject*);
        std::vector<std::string> order;
    } sorts[] = {
        {&TFormSiteSurvey::OnSortBySSID, {"", "CafeCorner", "Fast5G", "HomeNet", "Legacy-WEP", "OfficeCorp"}},
        {&TFormSiteSurvey::OnSortByChannel, {"CafeCorner", "Legacy-WEP", "HomeNet", "", "OfficeCorp", "Fast5G"}},
        {&TFormSiteSurvey::OnSortBySignal, {"HomeNet", "Fast5G", "CafeCorner", "", "OfficeCorp", "Legacy-WEP"}},
    };
    const HWND list = FormSiteSurvey->lvApList->Handle();
    for (const auto& c : sorts) {
        (FormSiteSurvey->*c.sort)(nullptr);
        FormSiteSurvey->TimerSiteSurvey->Tick();
        ASSERT_EQ(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0), LRESULT(c.order.size()));
        for (int row = 0; row < int(c.order.size()); ++row) {
            SCOPED_TRACE(c.order[row]);
            TListItem* item = FormSiteSurvey->lvApList->Item(row);
            EXPECT_EQ(WindowText(list, row, 1), c.order[row]);
            EXPECT_EQ(WindowImage(list, row, 0), c.order[row] == "CafeCorner" ? 0 : -1);
            EXPECT_EQ(WindowText(list, row, 0), "");
            for (int column = 1; column <= 9; ++column) {
                EXPECT_EQ(WindowText(list, row, column), item->SubItem(column - 1)) << column;
                EXPECT_EQ(WindowImage(list, row, column), item->SubItemImage(column - 1)) << column;
            }
        }
        // The selection stays on its network whatever the order.
        const LRESULT selected = SendMessageA(list, LVM_GETNEXTITEM, WPARAM(-1), LVNI_SELECTED);
        EXPECT_EQ(selected, LRESULT(RowOf("HomeNet")));
        EXPECT_EQ(FormSiteSurvey->lblSSID->Caption(), "HomeNet");
    }
}

// Counts the messages that change or repaint the survey's list view.
HWND hookedList = nullptr;
std::vector<std::pair<UINT, WPARAM>> listChanges;

LRESULT CALLBACK RecordListChanges(int code, WPARAM wp, LPARAM lp)
{
    const auto* m = reinterpret_cast<const CWPSTRUCT*>(lp);
    if (code == HC_ACTION && m->hwnd == hookedList &&
        (m->message == LVM_SETITEMA || m->message == LVM_SETITEMW || m->message == LVM_SETITEMTEXTA ||
         m->message == LVM_SETITEMTEXTW || m->message == LVM_REDRAWITEMS || m->message == LVM_INSERTITEMA ||
         m->message == LVM_DELETEALLITEMS || m->message == LVM_SETITEMCOUNT))
        listChanges.push_back({m->message, m->wParam});
    return CallNextHookEx(nullptr, code, wp, lp);
}

TEST_F(SiteSurveyList, ATickRepaintsOnlyTheRowWhoseMarkChanged)
{
    Start();
    FormSiteSurvey->Show();
    RescanAndShow();
    WLANPROFILE profile{};
    profile.SSID.SsidLength = 10;
    std::memcpy(profile.SSID.Ssid, "CafeCorner", 10);
    profile.enumNetworkType = 1;
    profile.enumEncryStatus = 1;
    ASSERT_EQ(VOZEZIV.WVWL_SetWLANProfile(&profile), 1);
    ASSERT_TRUE(PumpUntil([] { return IsLinkConnected(QueryLinkStatus(VOZEZIV, LINK_QUERY_CONNECTION)); }));
    const int cafe = RowOf("CafeCorner");
    ASSERT_GE(cafe, 0);

    hookedList = FormSiteSurvey->lvApList->Handle();
    listChanges.clear();
    HHOOK hook = SetWindowsHookExA(WH_CALLWNDPROC, RecordListChanges, nullptr, GetCurrentThreadId());
    ASSERT_NE(hook, nullptr);
    FormSiteSurvey->TimerSiteSurvey->Tick(); // the mark appears
    const auto marked = listChanges;
    listChanges.clear();
    FormSiteSurvey->TimerSiteSurvey->Tick(); // nothing changed
    const auto unchanged = listChanges;
    UnhookWindowsHookEx(hook);

    EXPECT_EQ(marked, (std::vector<std::pair<UINT, WPARAM>>{{LVM_REDRAWITEMS, WPARAM(cafe)}}));
    EXPECT_TRUE(unchanged.empty());
    EXPECT_EQ(FormSiteSurvey->lvApList->Item(cafe)->ImageIndex(), 0);
}

TEST_F(SiteSurveyList, AScanRepaintsOnlyTheRowsThatChanged)
{
    Start();
    FormSiteSurvey->Show();
    RescanAndShow();
    const int home = RowOf("HomeNet");
    ASSERT_GE(home, 0);
    const std::vector<std::string> rows = ListedSsids();
    const std::string signal = FormSiteSurvey->lvApList->Item(home)->SubItem(8);

    hookedList = FormSiteSurvey->lvApList->Handle();
    listChanges.clear();
    HHOOK hook = SetWindowsHookExA(WH_CALLWNDPROC, RecordListChanges, nullptr, GetCurrentThreadId());
    ASSERT_NE(hook, nullptr);
    RescanAndShow(); // the same floor
    const auto same = listChanges;
    listChanges.clear();
    SimCommand("set HomeNet RSSI=-88");
    RescanAndShow();
    const auto weaker = listChanges;
    UnhookWindowsHookEx(hook);

    EXPECT_TRUE(same.empty());
    EXPECT_EQ(weaker, (std::vector<std::pair<UINT, WPARAM>>{{LVM_REDRAWITEMS, WPARAM(home)}}));
    EXPECT_EQ(ListedSsids(), rows);
    EXPECT_NE(FormSiteSurvey->lvApList->Item(home)->SubItem(8), signal);
    // A network more is a new list.
    listChanges.clear();
    hook = SetWindowsHookExA(WH_CALLWNDPROC, RecordListChanges, nullptr, GetCurrentThreadId());
    SimCommand("add SSID=Newcomer Channel=6 RSSI=-50 Security=open");
    RescanAndShow();
    UnhookWindowsHookEx(hook);
    EXPECT_EQ(ListedSsids().size(), rows.size() + 1);
    EXPECT_NE(std::find(listChanges.begin(), listChanges.end(), std::pair<UINT, WPARAM>{LVM_SETITEMCOUNT, rows.size() + 1}),
              listChanges.end());
}

// Redraw requests of the survey's list: first and last row.
std::vector<std::pair<WPARAM, LPARAM>> redraws;

LRESULT CALLBACK RecordRedraws(int code, WPARAM wp, LPARAM lp)
{
    const auto* m = reinterpret_cast<const CWPSTRUCT*>(lp);
    if (code == HC_ACTION && m->hwnd == hookedList && m->message == LVM_REDRAWITEMS)
        redraws.push_back({m->wParam, m->lParam});
    return CallNextHookEx(nullptr, code, wp, lp);
}

TEST_F(SiteSurveyList, EverySignalMovedRepaintsTheRowsInViewAtOnce)
{
    Start();
    for (int i = 0; i < 40; ++i) {
        char line[96];
        std::snprintf(line, sizeof line, "add SSID=Crowd-%02d Channel=%d RSSI=%d Security=open", i, 1 + i % 11,
                      -40 - i);
        std::string reply;
        SimCommand(line, &reply);
        ASSERT_EQ(reply, "ok\n") << line;
    }
    FormSiteSurvey->Show();
    RescanAndShow();
    const int rows = FormSiteSurvey->lvApList->ItemCount();
    ASSERT_GT(rows, 40);
    const HWND list = FormSiteSurvey->lvApList->Handle();
    const int top = int(SendMessageA(list, LVM_GETTOPINDEX, 0, 0));
    const int perPage = int(SendMessageA(list, LVM_GETCOUNTPERPAGE, 0, 0));
    ASSERT_LT(top + perPage, rows);  // rows below the view

    for (int i = 0; i < 40; ++i)
        SimCommand("set Crowd-" + std::string(i < 10 ? "0" : "") + std::to_string(i) + " RSSI=" + std::to_string(-85 + i));
    hookedList = list;
    redraws.clear();
    HHOOK hook = SetWindowsHookExA(WH_CALLWNDPROC, RecordRedraws, nullptr, GetCurrentThreadId());
    ASSERT_NE(hook, nullptr);
    RescanAndShow();
    UnhookWindowsHookEx(hook);

    ASSERT_EQ(redraws.size(), 1u);
    EXPECT_GE(int(redraws[0].first), top);
    EXPECT_LE(int(redraws[0].second), top + perPage);
    // A row out of view shows its new signal once scrolled to.
    const int last = RowOf("Crowd-39");
    ASSERT_GT(last, top + perPage);
    char percent[16];
    wsprintfA(percent, "%5d%%", VOZEZIV.WVWL_RssiToPercent(-85 + 39));
    EXPECT_EQ(FormSiteSurvey->lvApList->Item(last)->SubItem(8), percent);
}

TEST_F(SiteSurveyList, ATickReadsTheRadioOnce)
{
    Start();
    FormSiteSurvey->Show();
    RescanAndShow();
    FormSiteSurvey->BtnSiteSurveyRescanClick(nullptr);
    ASSERT_TRUE(PumpUntil([] { return m_bSurveyComplete != 0; }));
    SimCommand("journal clear");
    FormSiteSurvey->TimerSiteSurveyTimer(nullptr);
    const std::string journal = SimJournal();
    size_t reads = 0;
    for (size_t at = journal.find("WVWL_ReadRadioStatus"); at != std::string::npos;
         at = journal.find("WVWL_ReadRadioStatus", at + 1))
        ++reads;
    EXPECT_EQ(reads, 1u);
}

// The lines a scan's walk writes per network appear at the debug level (6) only.
class SiteSurveyWalkLog : public SiteSurveyFixture, public ::testing::WithParamInterface<int> {};

TEST_P(SiteSurveyWalkLog, NetworkLinesOnlyAtTheDebugLevel)
{
    const int level = GetParam();
    Start();
    VOZEZIV.nDebugMode = level;
    RescanAndShow();
    VOZEZIV.nDebugMode = 0;
    const std::string journal = SimJournal();
    EXPECT_NE(journal.find(" BSSID count = "), std::string::npos);
    EXPECT_EQ(journal.find("site survey page, BSSID 0 = ") != std::string::npos, level >= 6);
    EXPECT_EQ(journal.find("UpdateRepositBssidList:listTempRepositBssid") != std::string::npos, level >= 6);
}

INSTANTIATE_TEST_SUITE_P(Levels, SiteSurveyWalkLog, ::testing::Values(0, 2, 6));

// `count` more networks for the default scene, more than a 64 KB list holds.
std::string CrowdedNetworks(int count)
{
    std::string extra;
    char text[256];
    for (int i = 0; i < count; ++i) {
        std::snprintf(text, sizeof text,
                      "[Network.Crowd%d]\r\nSSID=Crowd-%04d\r\nBSSID=02:C0:00:00:%02X:%02X\r\nChannel=%d\r\n"
                      "RSSI=%d\r\nSecurity=%s\r\n%sHT=1\r\n",
                      i, i, (i >> 8) & 0xFF, i & 0xFF, 1 + i % 11, -40 - i % 50, i % 2 ? "wpa2-psk" : "open",
                      i % 2 ? "Cipher=aes\r\nPassphrase=crowded place\r\n" : "");
        extra += text;
    }
    return extra;
}

TEST_F(SiteSurveyList, ACrowdedFloorIsListedWholeAndRemembered)
{
    constexpr int kCrowd = 1100; // beyond the 64 KB list and the former 1024 time stamps
    Start(DefaultScene(CrowdedNetworks(kCrowd)));
    RescanAndShow();
    ASSERT_EQ(FormSiteSurvey->lvApList->ItemCount(), kCrowd + 6);
    EXPECT_GT(VOZEZIV.nRepositBssidBufSize, 0x10000u);
    EXPECT_EQ(FormSiteSurvey->m_nBssidListSize, VOZEZIV.nRepositBssidBufSize);
    EXPECT_EQ(RowOf("Crowd-1099"), kCrowd + 1); // sorted by SSID: the hidden one, CafeCorner, the crowd
    // The library first answered that the 64 KB list was too small.
    const std::string journal = SimJournal();
    const size_t tooSmall = journal.find(") -> -10");
    ASSERT_NE(tooSmall, std::string::npos);
    EXPECT_EQ(journal.rfind("WVWL_SiteSurveyQuery(", tooSmall), journal.rfind("WVWL_", tooSmall));

    // A network of the far end missing from one scan stays listed for its 15 seconds.
    ASSERT_GT(SimCommand("remove Crowd-1099"), 0);
    RescanAndShow();
    EXPECT_EQ(FormSiteSurvey->lvApList->ItemCount(), kCrowd + 6);
    EXPECT_GE(RowOf("Crowd-1099"), 0);
}

TEST_F(SiteSurveyList, AFailedQueryKeepsTheListAndClearsTheScanFlags)
{
    Start();
    RescanAndShow();
    const std::vector<std::string> before = ListedSsids();
    ASSERT_GT(SimCommand("inject WVWL_SiteSurveyQuery * -10"), 0);
    ASSERT_TRUE(ClickControl(FormSiteSurvey->BtnSiteSurveyRescan));
    ASSERT_TRUE(PumpUntil([] { return m_bSurveyComplete != 0; }));
    FormSiteSurvey->TimerSiteSurvey->Tick();
    EXPECT_EQ(ListedSsids(), before);
    EXPECT_EQ(m_bSurveyComplete, 0);
    EXPECT_EQ(FormSiteSurvey->m_bRescan, 0);
}

} // namespace

namespace {

class SiteSurveyDetails : public SiteSurveyFixture {};

TEST_F(SiteSurveyDetails, LongSsidsAreCutInTheDetailPane)
{
    Start(DefaultScene("[Network.Long]\r\nSSID=SeventeenCharsNet\r\nBSSID=02:00:00:00:00:11\r\nChannel=1\r\n"
                       "[Network.Sixteen]\r\nSSID=SixteenCharsNet!\r\nBSSID=02:00:00:00:00:12\r\nChannel=1\r\n"));
    RescanAndShow();
    FormSiteSurvey->lvApList->Item(RowOf("SeventeenCharsNet"))->SetSelected(true);
    EXPECT_EQ(FormSiteSurvey->lblSSID->Caption(), "SeventeenCharsN..");
    EXPECT_EQ(FormSiteSurvey->lblSSID->Hint(), "SeventeenCharsNet");
    EXPECT_EQ(FormSiteSurvey->lblAuthentication->Caption(), "Open");
    EXPECT_EQ(FormSiteSurvey->lblEncryption->Caption(), "NONE");
    FormSiteSurvey->lvApList->Item(RowOf("SixteenCharsNet!"))->SetSelected(true);
    EXPECT_EQ(FormSiteSurvey->lblSSID->Caption(), "SixteenCharsNet!");
}

TEST_F(SiteSurveyDetails, ConnectedToAnUnlistedNetworkEverySeventhTickRescans)
{
    Start();
    RescanAndShow();
    ASSERT_GT(SimCommand("add SSID=LateNet BSSID=02:00:00:00:00:21 Channel=4 Security=open"), 0);
    WLANPROFILE profile{};
    profile.SSID.SsidLength = 7;
    std::memcpy(profile.SSID.Ssid, "LateNet", 7);
    profile.enumNetworkType = 1;
    profile.enumEncryStatus = 1;
    ASSERT_EQ(VOZEZIV.WVWL_SetWLANProfile(&profile), 1);
    ASSERT_TRUE(PumpUntil([] { return IsLinkConnected(QueryLinkStatus(VOZEZIV, LINK_QUERY_CONNECTION)); }));
    auto calls = SimEntry<int (*)(const char*)>("SimCallCount");
    const int before = calls("WVWL_SiteSurveyScan");
    for (int tick = 1; tick <= 6; ++tick)
        FormSiteSurvey->TimerSiteSurvey->Tick();
    EXPECT_EQ(calls("WVWL_SiteSurveyScan"), before);
    FormSiteSurvey->TimerSiteSurvey->Tick();
    EXPECT_EQ(calls("WVWL_SiteSurveyScan"), before + 1);
}

} // namespace
