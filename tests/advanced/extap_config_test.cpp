// The access point's configuration page: the checks with their messages, the record that
// Apply stores and starts the access point with, and what the page shows when entered.
#include <cstring>
#include <string>

#include "extap_fixture.h"
#include "resources/FormResource.h"
#include "ui/Seams.h"
#include "../ui/UiTestSupport.h"

namespace {

const std::string kHex64 = "0123456789abcdefABCDEF0123456789abcdefABCDEF0123456789abcdef0123";

class ExtAPConfig : public ExtAPFixture {
protected:
    TFrameExtendedAPConfig* Page() const { return FormExtendedAP->FrameExtendedAPConfig; }

    void Fill(const std::string& ssid, const std::string& key, const std::string& peers)
    {
        Page()->editSSID->SetText(ssid);
        Page()->editPSKKey->SetText(key);
        Page()->editClientNumber->SetText(peers);
    }

    EXTAP_CONFIG Record(const std::string& ssid, const std::string& key)
    {
        EXTAP_CONFIG config{};
        config.SsidLength = uint32_t(ssid.size());
        std::memcpy(config.Ssid, ssid.data(), ssid.size());
        config.KeyLength = uint32_t(key.size());
        std::memcpy(config.Key, key.data(), key.size());
        config.MaxPeers = 8;
        return config;
    }
};

struct CheckCase {
    const char* name;
    std::string ssid, key, peers;
    std::string CUISTR::*message;  // null: no message
    bool stored;
};

void PrintTo(const CheckCase& c, std::ostream* os)
{
    *os << c.name;
}

class ConfigChecks : public ExtAPConfig, public ::testing::WithParamInterface<CheckCase> {};

TEST_P(ConfigChecks, ApplyChecksInOrderAndStoresOnlyAValidRecord)
{
    const CheckCase& c = GetParam();
    Start();
    FormExtendedAP->Show();
    Fill(c.ssid, c.key, c.peers);
    SimJournalClear();
    m_boxes.clear();

    ClickControl(Page()->BtnApply);

    if (c.message) {
        ASSERT_EQ(m_boxes.size(), 1u);
        EXPECT_TRUE(BoxShown(Str().*c.message)) << m_boxes[0];
    } else {
        EXPECT_TRUE(m_boxes.empty());
    }
    EXPECT_EQ(Calls("WVWL_WriteExtAPConfig").size(), c.stored ? 1u : 0u);
    EXPECT_EQ(Calls("WVWL_HostedNetworkSetup").size(), c.stored ? 1u : 0u);
    EXPECT_EQ(FormExtendedAP->Visible(), !c.stored);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ConfigChecks,
    ::testing::Values(
        CheckCase{"Key63Arbitrary", "Mine", std::string(62, '~') + " ", "8", nullptr, true},
        CheckCase{"Key64Hex", "Mine", kHex64, "8", nullptr, true},
        CheckCase{"Key64WithOneG", "Mine", kHex64.substr(0, 63) + "g", "8", &CUISTR::STR_MSGWPA2PSKKEYINVALID, false},
        CheckCase{"Key7", "Mine", "1234567", "8", &CUISTR::STR_MSGWPA2PSKKEYINVALID, false},
        CheckCase{"Key8", "Mine", "12345678", "1", nullptr, true},
        CheckCase{"PeersZero", "Mine", "12345678", "0", &CUISTR::STR_EXTAP_INVALID_MAXCLIENT, false},
        CheckCase{"PeersNine", "Mine", "12345678", "9", &CUISTR::STR_EXTAP_INVALID_MAXCLIENT, false},
        CheckCase{"PeersNotANumberStopsSilently", "Mine", "12345678", "-", nullptr, false},
        CheckCase{"PeersCheckedBeforeSsid", "", "1", "0", &CUISTR::STR_EXTAP_INVALID_MAXCLIENT, false},
        CheckCase{"EmptySsid", "", "12345678", "8", &CUISTR::STR_ADHOCINPUTSSID, false},
        CheckCase{"SsidCheckedBeforeKey", "", "1", "8", &CUISTR::STR_ADHOCINPUTSSID, false}),
    [](const ::testing::TestParamInfo<CheckCase>& info) { return std::string(info.param.name); });

TEST_F(ExtAPConfig, ApplyStoresAndStartsTheRecordBuiltFromThePage)
{
    Start();
    EXTAP_CONFIG stored = Record("Old", "oldoldold");
    stored.Carried36 = 77;
    stored.IpAddress[0] = 192;
    stored.IpAddress[3] = 1;
    stored.Reserved112 = 5;
    Store(stored);
    VOZEZIV.bMaxClientNumber = 0;
    FormExtendedAP->Show();
    const std::string ssid32(32, 'S');
    Fill(ssid32, kHex64, "");  // hidden field emptied: 8 is taken and shown
    SimJournalClear();

    ClickControl(Page()->BtnApply);

    EXPECT_TRUE(m_boxes.empty());
    EXPECT_EQ(Page()->editClientNumber->Text(), "8");
    EXPECT_FALSE(FormExtendedAP->Visible());
    ASSERT_EQ(Calls("WVWL_WriteExtAPConfig").size(), 1u);
    ASSERT_EQ(Calls("WVWL_HostedNetworkSetup").size(), 1u);
    // The simulated library keeps the record the access point was started with.
    const EXTAP_CONFIG sent = Stored();
    EXPECT_EQ(sent.SsidLength, 32u);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(sent.Ssid), 32), ssid32);
    EXPECT_EQ(sent.KeyLength, 64u);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(sent.Key), 64), kHex64);
    EXPECT_EQ(sent.Carried36, 77u);
    EXPECT_EQ(sent.MaxPeers, 8u);
    EXPECT_EQ(sent.Reserved112, 0u);
    const uint8_t zero[4] = {};
    EXPECT_EQ(std::memcmp(sent.IpAddress, zero, 4), 0);
}

TEST_F(ExtAPConfig, AFailedStartIsReportedAndSharesNothing)
{
    Start({"[Inject]", "WVWL_HostedNetworkSetup=1:0"});
    FormExtendedAP->Show();
    Fill("Mine", "12345678", "4");
    SimJournalClear();
    m_boxes.clear();

    ClickControl(Page()->BtnApply);

    EXPECT_EQ(Calls("WVWL_WriteExtAPConfig").size(), 1u);  // already stored
    EXPECT_EQ(Stored().MaxPeers, 4u);
    EXPECT_FALSE(FormExtendedAP->Visible());
    EXPECT_TRUE(BoxShown(Str().STR_HOST_NETSTART_FAIL));
    EXPECT_TRUE(Calls("WVWL_EnableICS").empty());
    EXPECT_TRUE(Page()->BtnApply->Enabled());
}

TEST_F(ExtAPConfig, EnteringShowsTheStoredSettingsAndTheirAddress)
{
    Start();
    EXTAP_CONFIG stored = Record("HomeAP", "secret-key");
    stored.MaxPeers = 3;
    stored.IpAddress[0] = 192;
    stored.IpAddress[1] = 168;
    stored.IpAddress[2] = 137;
    stored.IpAddress[3] = 1;
    Store(stored);
    VOZEZIV.bMaxClientNumber = 1;
    VOZEZIV.bShowPassword = 0;
    VOZEZIV.nDebugMode = 8;

    FormExtendedAP->Show();

    EXPECT_EQ(FormExtendedAP->m_pCurrentPage, Page());
    EXPECT_EQ(Page()->editSSID->Text(), "HomeAP");
    EXPECT_EQ(Page()->editPSKKey->Text(), "secret-key");
    EXPECT_EQ(Page()->editClientNumber->Text(), "3");
    EXPECT_TRUE(Page()->editClientNumber->Visible());
    EXPECT_FALSE(Page()->chboxShowPassword->Visible());
    EXPECT_EQ(Page()->lblIPAddress->Caption(), "192.168.137.1");
    EXPECT_TRUE(FormExtendedAP->TimerExtAPIPAddress->Enabled());
    EXPECT_EQ(FormExtendedAP->TimerExtAPIPAddress->Interval(), 2000u);

    // The timer follows the stored address, also while the window is hidden.
    ClickControl(FormExtendedAP->SysBtnClose);
    EXPECT_TRUE(FormExtendedAP->TimerExtAPIPAddress->Enabled());
    stored.IpAddress[3] = 7;
    Store(stored);
    FormExtendedAP->TimerExtAPIPAddress->Tick();
    EXPECT_EQ(Page()->lblIPAddress->Caption(), "192.168.137.7");

    FormExtendedAP->Show();
    ClickControl(FormExtendedAP->TabBtnMacTable);
    EXPECT_FALSE(FormExtendedAP->TimerExtAPIPAddress->Enabled());
    EXPECT_TRUE(FormExtendedAP->TimerExtAPMacTable->Enabled());
}

// A fresh adapter stores the default record: the page shows its 8 peers and Apply takes them.
TEST_F(ExtAPConfig, AFreshAdapterShowsTheDefaultPeersWhichApplyAccepts)
{
    Start();
    VOZEZIV.bMaxClientNumber = 1;
    FormExtendedAP->Show();
    EXPECT_EQ(Page()->editClientNumber->Text(), "8");

    Page()->editSSID->SetText("Mine");
    Page()->editPSKKey->SetText("12345678");
    SimJournalClear();
    SendMessageA(Page()->BtnApply->Handle(), BM_CLICK, 0, 0);

    EXPECT_TRUE(m_boxes.empty());
    ASSERT_EQ(Calls("WVWL_WriteExtAPConfig").size(), 1u);
    EXPECT_EQ(Stored().MaxPeers, 8u);
}

TEST_F(ExtAPConfig, AFailedReadKeepsWhatThePageShows)
{
    Start();
    Store(Record("HomeAP", "secret-key"));
    FormExtendedAP->Show();
    FormExtendedAP->Hide();
    Store(Record("Other", "other-key"));
    SimCommand("inject WVWL_ReadExtAPConfig * 0");

    FormExtendedAP->Show();

    EXPECT_EQ(Page()->editSSID->Text(), "HomeAP");
    EXPECT_EQ(Page()->editPSKKey->Text(), "secret-key");
}

TEST_F(ExtAPConfig, AStoredLengthBeyondItsFieldIsCutToTheField)
{
    Start();
    EXTAP_CONFIG hostile = Record(std::string(32, 'A'), std::string(64, 'k'));
    hostile.SsidLength = 5000;
    hostile.KeyLength = 0xFFFFFFFF;
    Store(hostile);
    FormExtendedAP->Show();
    EXPECT_EQ(Page()->editSSID->Text(), std::string(32, 'A'));
    EXPECT_EQ(Page()->editPSKKey->Text(), std::string(64, 'k'));
}

TEST_F(ExtAPConfig, TheKeyShowsInClearOnlyWhenAllowedAndTicked)
{
    Start();
    VOZEZIV.bShowPassword = 1;
    FormExtendedAP->Show();
    const HWND edit = Page()->editPSKKey->Handle();
    EXPECT_TRUE(Page()->chboxShowPassword->Visible());
    EXPECT_EQ(SendMessageA(edit, EM_GETPASSWORDCHAR, 0, 0), '*');
    Page()->chboxShowPassword->SetChecked(true);
    EXPECT_EQ(SendMessageA(edit, EM_GETPASSWORDCHAR, 0, 0), 0);
    Page()->chboxShowPassword->SetChecked(false);
    EXPECT_EQ(SendMessageA(edit, EM_GETPASSWORDCHAR, 0, 0), '*');
}

}  // namespace
