// The site survey's list on the simulated adapter: rescan, sort, pictures, the connected
// network's mark, the details of the selection and the 15-second memory of the repository.
#include "sitesurvey_fixture.h"

#include "wlapi/constants.h"

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

    FormSiteSurvey->TimerSiteSurveyTimer(nullptr);
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
    FormSiteSurvey->TimerSiteSurveyTimer(nullptr);
    EXPECT_EQ(FormSiteSurvey->lvApList->ItemCount(), 0);
    EXPECT_FALSE(FormSiteSurvey->BtnSiteSurveyRescan->Enabled());
    EXPECT_FALSE(FormSiteSurvey->BtnSiteSurveyConnect->Enabled());
    EXPECT_EQ(FormSiteSurvey->lblSSID->Caption(), "");
}

TEST_F(SiteSurveyList, AFailedQueryKeepsTheListAndClearsTheScanFlags)
{
    Start();
    RescanAndShow();
    const std::vector<std::string> before = ListedSsids();
    ASSERT_GT(SimCommand("inject WVWL_SiteSurveyQuery * -10"), 0);
    FormSiteSurvey->BtnSiteSurveyRescanClick(nullptr);
    ASSERT_TRUE(PumpUntil([] { return m_bSurveyComplete != 0; }));
    FormSiteSurvey->TimerSiteSurveyTimer(nullptr);
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
        FormSiteSurvey->TimerSiteSurveyTimer(nullptr);
    EXPECT_EQ(calls("WVWL_SiteSurveyScan"), before);
    FormSiteSurvey->TimerSiteSurveyTimer(nullptr);
    EXPECT_EQ(calls("WVWL_SiteSurveyScan"), before + 1);
}

} // namespace
