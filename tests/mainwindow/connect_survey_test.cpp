// Connecting from the site survey on the simulated adapter, through the main window's
// action queue: open, WPA2 personal with the key typed into the profile editor, a wrong
// key, a hidden network, Add to profile and the EAP configuration road. No key or pass
// phrase may appear in a log line.
#include <cstring>
#include <string>
#include <vector>

#include "mainwindow/FormSiteSurvey.h"
#include "mainwindow/LinkStatus.h"
#include "advanced/FormAdvanced.h"
#include "profiles/FormPeapIdPwd.h"
#include "profiles/FormProfile.h"
#include "profiles/FormProfileEdit.h"
#include "program_fixture.h"
#include "resources/FormResource.h"
#include "ui/Seams.h"
#include "../ui/UiTestSupport.h"

namespace {

constexpr const char* kHomeKey = "correct horse battery";
constexpr const char* kHiddenKey = "hidden-door-42";

class ConnectFromSurvey : public ProgramFixture {
protected:
    void Start()
    {
        StartProgram(TScenario().Set("System", "ScanTimeMs", "30").Set("System", "ConnectTimeMs", "60"));
        FormMain->TimerReconnect->SetEnabled(false);
        FormSiteSurvey->TimerReScanOn->SetEnabled(false);
        FormSiteSurvey->TimerSiteSurvey->SetEnabled(false);
        FormSiteSurvey->Show();
        Rescan();
        SimJournalClear();
    }

    // Rescan pressed once the window offers it, and the finished scan listed by the window's tick.
    void Rescan()
    {
        ASSERT_TRUE(PumpUntil([] { return FormSiteSurvey->BtnSiteSurveyRescan->Enabled(); }));
        ASSERT_TRUE(ClickControl(FormSiteSurvey->BtnSiteSurveyRescan));
        ASSERT_TRUE(PumpUntil([] { return m_bSurveyComplete != 0; }));
        FormSiteSurvey->TimerSiteSurvey->Tick();
    }

    static void Connect() { ClickControl(FormSiteSurvey->BtnSiteSurveyConnect); }

    static void Select(const std::string& ssid)
    {
        TListView* list = FormSiteSurvey->lvApList;
        for (int i = 0; i < list->ItemCount(); ++i) {
            if (list->Item(i)->SubItem(0) == ssid) {
                list->Item(i)->SetSelected(true);
                return;
            }
        }
        FAIL() << ssid << " is not listed";
    }

    // The editor as the user goes through it in site-survey mode: the security page as
    // prefilled, then the key page with this key.
    static void AnswerEditorWithKey(const std::string& key, std::vector<std::string>* shown = nullptr)
    {
        seams::modalAnswer = [key, shown](const std::string& what) {
            if (shown)
                shown->push_back(what);
            if (what.rfind("FormProfileEdit", 0) != 0)
                return int(mrOk);
            FormProfileEdit->Show();
            ClickControl(FormProfileEdit->BtnProfileNext); // security page
            FormProfileEdit->FrameProfileEditKey->editPskKey->SetText(key);
            ClickControl(FormProfileEdit->BtnProfileNext); // key page
            FormProfileEdit->Hide();
            return int(mrOk);
        };
    }

    static bool Connected()
    {
        return IsLinkConnected(QueryLinkStatus(VOZEZIV, LINK_QUERY_CONNECTION));
    }

    // Journal lines that record a connection attempt.
    std::vector<std::string> Connects()
    {
        std::vector<std::string> lines;
        std::string journal = SimJournal();
        size_t start = 0;
        while (start < journal.size()) {
            size_t end = journal.find('\n', start);
            if (end == std::string::npos)
                end = journal.size();
            std::string line = journal.substr(start, end - start);
            if (line.find("connect \"") != std::string::npos && line.find("WVWL_") == std::string::npos)
                lines.push_back(line);
            start = end + 1;
        }
        return lines;
    }

    // No forwarded or written log line holds one of these secrets.
    void ExpectNoSecretInLogs(const std::vector<std::string>& secrets)
    {
        const std::string journal = SimJournal();
        for (const std::string& secret : secrets) {
            for (const std::string& line : m_log)
                EXPECT_EQ(line.find(secret), std::string::npos) << line;
            size_t at = 0;
            while ((at = journal.find("log ", at)) != std::string::npos) {
                const size_t end = journal.find('\n', at);
                const std::string line = journal.substr(at, end - at);
                EXPECT_EQ(line.find(secret), std::string::npos) << line;
                at = end == std::string::npos ? journal.size() : end;
            }
        }
    }
};

TEST_F(ConnectFromSurvey, OpenNetworkIsBoundToItsAccessPoint)
{
    Start();
    Select("CafeCorner");
    Connect();
    ASSERT_TRUE(PumpUntil(Connected));
    const WLANPROFILE& p = *FormSiteSurvey->m_pProfile;
    EXPECT_EQ(p.bBssid, 1u);
    EXPECT_EQ(0, std::memcmp(p.BSSID, "\x00\x1A\x2B\x00\x00\x01", 6));
    EXPECT_EQ(p.enumAuthenMode, 0u);
    EXPECT_EQ(p.enumEncryStatus, 1u);
    EXPECT_EQ(p.lRtsThre, 2347);
    EXPECT_EQ(p.bDisassociate, 1u);
    EXPECT_EQ(Connects(), (std::vector<std::string>{"connect \"CafeCorner\" auth 0 encryption 1 -> 0"}));
    EXPECT_EQ(FormProfile->m_bSiteSurveyConnect, 1);
    EXPECT_NE(SimJournal().find("WVWL_SetWLANProfile(ssid \"CafeCorner\" bssid 1"), std::string::npos);
}

TEST_F(ConnectFromSurvey, Wpa2PersonalWithTheKeyTypedInTheEditor)
{
    Start();
    Select("HomeNet");
    std::vector<std::string> shown;
    AnswerEditorWithKey(kHomeKey, &shown);
    Connect();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(FormProfileEdit->m_nAuthSel, 6);  // WPA2-PSK preselected
    EXPECT_EQ(FormProfileEdit->m_nEncrySel, 3); // AES
    ASSERT_TRUE(PumpUntil(Connected));
    const WLANPROFILE& p = *FormSiteSurvey->m_pProfile;
    EXPECT_EQ(p.enumAuthenMode, 7u);
    EXPECT_EQ(p.enumEncryStatus, 6u);
    EXPECT_EQ(p.nPskKeyLen, std::strlen(kHomeKey));
    EXPECT_EQ(Connects(), (std::vector<std::string>{"connect \"HomeNet\" auth 7 encryption 6 -> 0"}));
    EXPECT_EQ(SimCallCount("WVWL_WriteProfile"), 0);
    ExpectNoSecretInLogs({kHomeKey});
}

TEST_F(ConnectFromSurvey, AWrongKeyFailsAndLosesNothing)
{
    Start();
    const std::vector<std::string> listed = [] {
        std::vector<std::string> ssids;
        for (int i = 0; i < FormSiteSurvey->lvApList->ItemCount(); ++i)
            ssids.push_back(FormSiteSurvey->lvApList->Item(i)->SubItem(0));
        return ssids;
    }();
    Select("HomeNet");
    AnswerEditorWithKey("not the right key");
    Connect();
    ASSERT_TRUE(PumpUntil([] { return QueryLinkStatus(VOZEZIV, LINK_QUERY_SIGNAL_TIMER).linkStatusCode == 5; }));
    const WLAN_STATUS status = QueryLinkStatus(VOZEZIV, LINK_QUERY_SIGNAL_TIMER);
    EXPECT_NE(status.status, WvStatus_Connected);
    EXPECT_EQ(status.linkStatusCode, 5u); // authentication failed because of the keys
    ASSERT_EQ(Connects().size(), 1u);
    EXPECT_NE(Connects()[0].find("\"HomeNet\" auth 7 encryption 6"), std::string::npos);
    EXPECT_EQ(Connects()[0].find("-> 0"), std::string::npos);

    // Nothing lost: the list, the selection and the stored profiles are as they were, and the
    // right key connects at once.
    FormSiteSurvey->TimerSiteSurvey->Tick();
    std::vector<std::string> now;
    for (int i = 0; i < FormSiteSurvey->lvApList->ItemCount(); ++i)
        now.push_back(FormSiteSurvey->lvApList->Item(i)->SubItem(0));
    EXPECT_EQ(now, listed);
    EXPECT_EQ(FormSiteSurvey->lblSSID->Caption(), "HomeNet");
    EXPECT_EQ(SimCallCount("WVWL_WriteProfile"), 0);
    AnswerEditorWithKey(kHomeKey);
    Connect();
    EXPECT_TRUE(PumpUntil(Connected));
    ExpectNoSecretInLogs({kHomeKey, "not the right key"});
}

TEST_F(ConnectFromSurvey, AKeyTooShortIsRefusedByTheEditorAndNothingIsQueued)
{
    Start();
    Select("HomeNet");
    std::vector<std::string> shown;
    AnswerEditorWithKey("short", &shown);
    Connect();
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_NE(shown[1].find(FormResource->UI_Str->STR_MSGWPA2PSKKEYINVALID), std::string::npos);
    Pump(200);
    EXPECT_TRUE(Connects().empty());
    EXPECT_EQ(SimCallCount("WVWL_SetWLANProfile"), 0);
}

TEST_F(ConnectFromSurvey, HiddenNetworkTakesTheTypedSsidWithoutBlanks)
{
    Start();
    Select("");
    std::vector<std::string> shown;
    seams::modalAnswer = [&shown](const std::string& what) {
        shown.push_back(what);
        if (what.rfind("FormHiddenSsid", 0) == 0) {
            FormHiddenSsid->Show();
            FormHiddenSsid->editPassword->SetText("  BackRoom ");
            ClickControl(FormHiddenSsid->BtnOK);
            return int(mrOk);
        }
        if (what.rfind("FormProfileEdit", 0) == 0) {
            FormProfileEdit->Show();
            ClickControl(FormProfileEdit->BtnProfileNext);
            FormProfileEdit->FrameProfileEditKey->editPskKey->SetText(kHiddenKey);
            ClickControl(FormProfileEdit->BtnProfileNext);
            FormProfileEdit->Hide();
        }
        return int(mrOk);
    };
    Connect();
    ASSERT_EQ(shown.size(), 2u);
    ASSERT_TRUE(PumpUntil(Connected));
    const WLANPROFILE& p = *FormSiteSurvey->m_pProfile;
    EXPECT_EQ(p.bBssid, 0u);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(p.SSID.Ssid), p.SSID.SsidLength), "BackRoom");
    EXPECT_EQ(Connects(), (std::vector<std::string>{"connect \"BackRoom\" auth 7 encryption 6 -> 0"}));
    ExpectNoSecretInLogs({kHiddenKey});
}

TEST_F(ConnectFromSurvey, HiddenNetworkCancelledDoesNothing)
{
    Start();
    Select("");
    seams::modalAnswer = [](const std::string&) { return int(mrCancel); };
    Connect();
    Pump(100);
    EXPECT_EQ(SimCallCount("WVWL_SetWLANProfile"), 0);
}

TEST_F(ConnectFromSurvey, AddToProfileStoresTheNetworkWithoutConnecting)
{
    Start();
    Select("HomeNet");
    seams::modalAnswer = [](const std::string& what) {
        if (what.rfind("FormProfileEdit", 0) != 0)
            return int(mrOk);
        FormProfileEdit->Show();
        EXPECT_EQ(FormProfileEdit->m_pCurrentPage, FormProfileEdit->FrameProfileEditWireless);
        ClickControl(FormProfileEdit->BtnProfileNext); // wireless page
        ClickControl(FormProfileEdit->BtnProfileNext); // security page
        FormProfileEdit->FrameProfileEditKey->editPskKey->SetText(kHomeKey);
        ClickControl(FormProfileEdit->BtnProfileNext); // key page
        ClickControl(FormProfileEdit->BtnProfileNext); // single sign-on page (persistent connection on)
        FormProfileEdit->Hide();
        return int(mrOk);
    };
    ClickControl(FormSiteSurvey->BtnSiteSurveyAdd2Prof);
    EXPECT_EQ(SimCallCount("WVWL_WriteProfile"), 1);
    unsigned long count = 0;
    ASSERT_EQ(VOZEZIV.WVWL_ReadProfileList(nullptr, &count), 1);
    ASSERT_EQ(count, 1u);
    WLANPROFILE stored{};
    ASSERT_EQ(VOZEZIV.WVWL_ReadProfileList(&stored, &count), 1);
    EXPECT_EQ(std::string(stored.strProfileName), FormResource->UI_Str->STR_PROF_DEFAULT);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(stored.SSID.Ssid), stored.SSID.SsidLength), "HomeNet");
    EXPECT_EQ(stored.enumAuthenMode, 7u);
    EXPECT_EQ(stored.enumEncryStatus, 6u);
    EXPECT_EQ(std::string(stored.chPskKey), kHomeKey);
    Pump(100);
    EXPECT_TRUE(Connects().empty());
    ExpectNoSecretInLogs({kHomeKey});
}

TEST_F(ConnectFromSurvey, QueuedRequestOwnsItsProfile)
{
    Start();
    FormPeapIdPwd->Show(); // the queue holds its requests while the identity dialog shows
    Select("CafeCorner");
    Connect();
    ASSERT_EQ(FormMain->m_pActionDataList->Count(), 1u);
    std::memset(FormSiteSurvey->m_pProfile.get(), 0, sizeof(WLANPROFILE));
    const auto* queued = static_cast<const WLANPROFILE*>(FormMain->m_pActionDataList->Front().Data());
    ASSERT_NE(queued, nullptr);
    EXPECT_NE(queued, FormSiteSurvey->m_pProfile.get());
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(queued->SSID.Ssid), queued->SSID.SsidLength), "CafeCorner");
    FormPeapIdPwd->Hide();
}

TEST_F(ConnectFromSurvey, EapConfigurationEndsWithTheMainWindowEnabled)
{
    Start();
    FormMain->Show();
    Select("OfficeCorp");
    seams::modalAnswer = [](const std::string& what) {
        if (what.rfind("FormProfileEdit", 0) != 0)
            return int(mrOk);
        FormProfileEdit->Show();
        FormProfileEdit->m_nEAPMethod = 3;           // EAP-FAST
        ClickControl(FormProfileEdit->BtnProfileNext); // security page
        ClickControl(FormProfileEdit->BtnProfileNext); // 802.1X page
        FormProfileEdit->Hide();
        return int(mrOk);
    };
    Connect();
    EXPECT_EQ(SimCallCount("WVWL_StartEapHostPeerInvokeConfigUI"), 1);
    Application->ProcessMessages(); // our own messages, before the library's late ones
    EXPECT_TRUE(FormMain->Enabled());
    EXPECT_EQ(FormSiteSurvey->m_pProfile->enumAuthenMode, 6u);
    EXPECT_EQ(FormSiteSurvey->m_pProfile->enumAuthenProtocol, 3u);
    EXPECT_EQ(SimCallCount("WVWL_SetWLANProfile"), 1);
    // A library that reports the end of the dialog itself does not make it connect twice.
    Pump(800);
    EXPECT_TRUE(FormMain->Enabled());
    EXPECT_EQ(SimCallCount("WVWL_SetWLANProfile"), 1);
}

} // namespace

namespace {

TEST_F(ConnectFromSurvey, TheAdvancedPagesPendingConnectIsQueuedAfterTheNextScan)
{
    Start();
    static WLANPROFILE cafe{};
    cafe.SSID.SsidLength = 10;
    std::memcpy(cafe.SSID.Ssid, "CafeCorner", 10);
    cafe.enumNetworkType = 1;
    cafe.enumEncryStatus = 1;
    FormAdvanced->FrameAdvancedWireless->m_PendingConnectAction = {actionTypeProfile, &cafe};
    FormSiteSurvey->m_bConnectAfterScan = TRUE;
    Rescan();
    EXPECT_FALSE(FormSiteSurvey->m_bConnectAfterScan);
    EXPECT_TRUE(PumpUntil([] { return IsLinkConnected(QueryLinkStatus(VOZEZIV, LINK_QUERY_CONNECTION)); }));
}

TEST_F(ConnectFromSurvey, NewProfilesAreNamedAfterTheHighestNumberInUse)
{
    Start();
    const std::string prefix = FormResource->UI_Str->STR_PROF;
    EXPECT_EQ(FormProfile->MakeDefaultProfileName(), FormResource->UI_Str->STR_PROF_DEFAULT);
    for (const std::string& name : {prefix + "3", std::string("Home"), prefix + "12"}) {
        WLANPROFILE p{};
        std::strcpy(p.strProfileName, name.c_str());
        ASSERT_EQ(VOZEZIV.WVWL_WriteProfile(name.c_str(), &p), 1);
    }
    EXPECT_EQ(FormProfile->MakeDefaultProfileName(), prefix + "13");
    EXPECT_EQ(FormProfile->GetNextProfileID(), "0"); // Windows 7: the library keeps no IDs
}

// The list refreshes while the editor asks for the key: the key goes to the network chosen at
// the click, or, when that network has left the list, nothing is connected and the user is told.
class ConnectWhileTheListChanges : public ConnectFromSurvey, public ::testing::WithParamInterface<bool> {};

TEST_P(ConnectWhileTheListChanges, TheKeyGoesOnlyToTheNetworkChosenAtTheClick)
{
    const bool networkLeaves = GetParam();
    DWORD now = 1000000;
    seams::clockOverride = [&now] { return now; };
    Start();
    Select("HomeNet");
    const int profilesSent = SimCallCount("WVWL_SetWLANProfile");
    std::vector<std::string> shown;
    seams::modalAnswer = [&](const std::string& what) {
        shown.push_back(what);
        if (what.rfind("FormProfileEdit", 0) != 0)
            return int(mrOk);
        // The window's own timer must not merge the old scan under the new time, and a scan
        // still running from before the change must not be taken for the one after it.
        FormSiteSurvey->TimerSiteSurvey->SetEnabled(false);
        EXPECT_TRUE(SimWaitIdle());
        if (networkLeaves) {
            SimCommand("remove HomeNet");
            now += 16000;
        }
        InterlockedExchange(&m_bSurveyComplete, 0);
        ClickControl(FormSiteSurvey->BtnSiteSurveyRescan);
        EXPECT_TRUE(SimWaitIdle());
        EXPECT_TRUE(PumpUntil([] { return m_bSurveyComplete != 0; }));
        FormSiteSurvey->TimerSiteSurvey->Tick();
        if (!networkLeaves)
            Select("CafeCorner");
        FormProfileEdit->Show();
        ClickControl(FormProfileEdit->BtnProfileNext); // security page
        FormProfileEdit->FrameProfileEditKey->editPskKey->SetText(kHomeKey);
        ClickControl(FormProfileEdit->BtnProfileNext); // key page
        FormProfileEdit->Hide();
        return int(mrOk);
    };
    FormSiteSurvey->Show();
    ClickControl(FormSiteSurvey->BtnSiteSurveyConnect);
    if (networkLeaves) {
        Pump(300);
        EXPECT_TRUE(Connects().empty());
        EXPECT_EQ(SimCallCount("WVWL_SetWLANProfile"), profilesSent);
        ASSERT_EQ(shown.size(), 2u);
        EXPECT_NE(shown[1].find(FormResource->UI_Str->STR_NOSELECTEDITEM), std::string::npos);
    } else {
        ASSERT_TRUE(PumpUntil(Connected));
        EXPECT_EQ(Connects(), (std::vector<std::string>{"connect \"HomeNet\" auth 7 encryption 6 -> 0"}));
        EXPECT_EQ(std::memcmp(FormSiteSurvey->m_pProfile->BSSID, "\x00\x1A\x2B\x00\x00\x02", 6), 0);
    }
}

INSTANTIATE_TEST_SUITE_P(Refresh, ConnectWhileTheListChanges, ::testing::Values(false, true),
                         [](const ::testing::TestParamInfo<bool>& info) {
                             return info.param ? "NetworkLeft" : "AnotherRowSelected";
                         });

} // namespace
