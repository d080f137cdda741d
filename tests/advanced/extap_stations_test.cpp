// The access point's station table, and the first-use dialog of the AP-client switch.
#include <string>
#include <vector>

#include "extap_fixture.h"
#include "ui/ComCtrls.h"
#include "../ui/UiTestSupport.h"

namespace {

std::vector<std::string> Join2(std::vector<std::string> a, const std::vector<std::string>& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

class ExtAPStations : public ExtAPFixture {
protected:
    TFrameExtendedAPMacTable* Page() const { return FormExtendedAP->FrameExtendedAPMacTable; }

    void OpenTable()
    {
        FormExtendedAP->Show();
        ClickControl(FormExtendedAP->TabBtnMacTable);
        ASSERT_EQ(FormExtendedAP->m_pCurrentPage, Page());
    }

    // "MAC Authenticated" per row of the list view.
    std::vector<std::string> Rows() const
    {
        std::vector<std::string> rows;
        for (int i = 0; i < Page()->lvMacList->ItemCount(); ++i) {
            const TListItem* item = Page()->lvMacList->Item(i);
            rows.push_back(item->Caption() + " " + (item->SubItemCount() ? item->SubItem(0) : "?"));
        }
        return rows;
    }
};

TEST_F(ExtAPStations, TheTableListsEachPeerWithItsAuthenticationState)
{
    Start(Section("HostedNetwork", {"State=1", "BSSID=02:0c:43:12:34:57",
                                    "Peers=3C:A9:F4:10:20:30, 5c:f9:38:aa:bb:cc/0, 00:11:22:33:44:55/2"}));
    OpenTable();
    EXPECT_EQ(Page()->lblBSSID->Caption(), "02-0C-43-12-34-57");
    EXPECT_EQ(Rows(), (std::vector<std::string>{"3C-A9-F4-10-20-30 Authenticated", "5C-F9-38-AA-BB-CC Invalid",
                                                "00-11-22-33-44-55 Invalid"}));
    EXPECT_TRUE(FormExtendedAP->TimerExtAPMacTable->Enabled());
    EXPECT_EQ(FormExtendedAP->TimerExtAPMacTable->Interval(), 2000u);

    // Each tick reads the status afresh.
    const int queries = SimCallCount("WVWL_HostedNetworkQueryStatus");
    FormExtendedAP->TimerExtAPMacTable->Tick();
    EXPECT_EQ(SimCallCount("WVWL_HostedNetworkQueryStatus"), queries + 1);
    EXPECT_EQ(Rows().size(), 3u);

    ClickControl(FormExtendedAP->TabBtnConfig);
    EXPECT_FALSE(FormExtendedAP->TimerExtAPMacTable->Enabled());
}

TEST_F(ExtAPStations, AnInactiveNetworkShowsNoBssidButStillItsPeers)
{
    Start(Section("HostedNetwork", {"State=0", "Peers=3C:A9:F4:10:20:30"}));
    OpenTable();
    EXPECT_EQ(Page()->lblBSSID->Caption(), "00-00-00-00-00-00");
    EXPECT_EQ(Rows(), std::vector<std::string>{"3C-A9-F4-10-20-30 Authenticated"});
}

TEST_F(ExtAPStations, AFailedQueryShowsAnEmptyTable)
{
    Start(Join2(Section("HostedNetwork", {"State=1", "Peers=3C:A9:F4:10:20:30"}),
                Section("Inject", {"WVWL_HostedNetworkQueryStatus=*:0"})));
    OpenTable();
    EXPECT_EQ(Page()->lblBSSID->Caption(), "00-00-00-00-00-00");
    EXPECT_TRUE(Rows().empty());
}

struct CountCase {
    const char* name;
    const char* claimed;
    size_t rows;
};

class HostileCount : public ExtAPStations, public ::testing::WithParamInterface<CountCase> {};

TEST_P(HostileCount, TheTableNeverReadsPastTheRecordsFiftyPeers)
{
    Start(Section("HostedNetwork", {"State=1", "Peers=3C:A9:F4:10:20:30,5C:F9:38:AA:BB:CC",
                                    std::string("PeerCount=") + GetParam().claimed}));
    OpenTable();
    EXPECT_EQ(Rows().size(), GetParam().rows);
    if (!Rows().empty()) {
        EXPECT_EQ(Rows()[0], "3C-A9-F4-10-20-30 Authenticated");
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, HostileCount,
                         ::testing::Values(CountCase{"Fewer", "1", 1}, CountCase{"Zero", "0", 0},
                                           CountCase{"Fifty", "50", 50}, CountCase{"FiftyOne", "51", 50},
                                           CountCase{"Huge", "4294967295", 50}),
                         [](const ::testing::TestParamInfo<CountCase>& info) { return std::string(info.param.name); });

// The first-use dialog.
class ExtAPIdPwd : public ExtAPFixture {};

struct MacCase {
    const char* mac;
    const char* ssid;
};

void PrintTo(const MacCase& c, std::ostream* os)
{
    *os << c.ssid;
}

class SuggestedName : public ExtAPIdPwd, public ::testing::WithParamInterface<MacCase> {};

TEST_P(SuggestedName, FollowsTheLastByteOfTheAdaptersMacAddress)
{
    Start(Section("Adapter.1", {std::string("Mac=") + GetParam().mac}));
    // The MAC address is the selected adapter's: a count, then the adapter records.
    std::vector<uint8_t> list(4 + 4 * sizeof(WLAN_ADAPTER));
    ASSERT_EQ(VOZEZIV.WVWL_GetAvailableAdapters(list.data(), 4), 1);
    ASSERT_EQ(VOZEZIV.WVWL_AdapterSelect(reinterpret_cast<WLAN_ADAPTER*>(list.data() + 4), nullptr, nullptr), 1);
    FormExtendedAPIdPwd->editPSKKey->SetText("kept key");
    FormExtendedAPIdPwd->Show();
    EXPECT_EQ(FormExtendedAPIdPwd->editSSID->Text(), GetParam().ssid);
    EXPECT_EQ(FormExtendedAPIdPwd->editPSKKey->Text(), "kept key");
}

INSTANTIATE_TEST_SUITE_P(Cases, SuggestedName,
                         ::testing::Values(MacCase{"00:0C:43:12:34:FF", "SoftAP-00"},
                                           MacCase{"00:0C:43:12:34:3A", "SoftAP-3B"},
                                           MacCase{"00:0C:43:12:34:00", "SoftAP-01"}),
                         [](const ::testing::TestParamInfo<MacCase>& info) {
                             return std::string(info.param.ssid).substr(7);
                         });

TEST_F(ExtAPIdPwd, OkStoresNameKeyAndEightPeersAndKeepsTheRestOfTheGivenRecord)
{
    Start();
    EXTAP_CONFIG given{};
    given.Carried36 = 5;
    given.MaxPeers = 3;
    given.IpAddress[0] = 10;
    given.IpAddress[3] = 1;
    given.Reserved112 = 9;
    FormExtendedAPIdPwd->SetConfig(given);
    FormExtendedAPIdPwd->Show();
    FormExtendedAPIdPwd->editSSID->SetText(std::string(32, 'N'));
    FormExtendedAPIdPwd->editPSKKey->SetText("12345678");

    ClickControl(FormExtendedAPIdPwd->BtnOK);

    EXPECT_EQ(FormExtendedAPIdPwd->ModalResult(), mrOk);
    EXPECT_TRUE(m_boxes.empty());
    const EXTAP_CONFIG stored = Stored();
    EXPECT_EQ(stored.SsidLength, 32u);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(stored.Ssid), 32), std::string(32, 'N'));
    EXPECT_EQ(stored.KeyLength, 8u);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(stored.Key), 8), "12345678");
    EXPECT_EQ(stored.MaxPeers, 8u);
    EXPECT_EQ(stored.Carried36, 5u);
    EXPECT_EQ(stored.IpAddress[0], 10);
    EXPECT_EQ(stored.IpAddress[3], 1);
    EXPECT_EQ(stored.Reserved112, 9u);
}

struct DialogCase {
    const char* name;
    std::string ssid, key;
    std::string CUISTR::*message;
};

void PrintTo(const DialogCase& c, std::ostream* os)
{
    *os << c.name;
}

class DialogChecks : public ExtAPIdPwd, public ::testing::WithParamInterface<DialogCase> {};

TEST_P(DialogChecks, ABadEntryKeepsTheDialogOpenAndStoresNothing)
{
    Start();
    FormExtendedAPIdPwd->Show();
    FormExtendedAPIdPwd->editSSID->SetText(GetParam().ssid);
    FormExtendedAPIdPwd->editPSKKey->SetText(GetParam().key);
    SimJournalClear();
    ClickControl(FormExtendedAPIdPwd->BtnOK);
    ASSERT_EQ(m_boxes.size(), 1u);
    EXPECT_TRUE(BoxShown(Str().*GetParam().message)) << m_boxes[0];
    EXPECT_EQ(FormExtendedAPIdPwd->ModalResult(), mrNone);
    EXPECT_TRUE(Calls("WVWL_WriteExtAPConfig").empty());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DialogChecks,
    ::testing::Values(DialogCase{"EmptySsid", "", "12345678", &CUISTR::STR_ADHOCINPUTSSID},
                      DialogCase{"ShortKey", "Mine", "1234567", &CUISTR::STR_MSGWPA2PSKKEYINVALID},
                      DialogCase{"NonHex64", "Mine", std::string(63, 'a') + "z", &CUISTR::STR_MSGWPA2PSKKEYINVALID}),
    [](const ::testing::TestParamInfo<DialogCase>& info) { return std::string(info.param.name); });

}  // namespace
