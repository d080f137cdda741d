// The profile editor's WPS engine on the simulated adapter: the starts as the library sees
// them, the status poll's handling of each code, the completion that stores the received
// networks, and the PIN check of the PIN page.
#include "mainwindow/program_fixture.h"

#include <algorithm>
#include <cstring>
#include <sstream>
#include <string>
#include <vector>

#include "mainwindow/FormSiteSurvey.h"
#include "profiles/FormProfile.h"
#include "profiles/FormProfileEdit.h"
#include "profiles/WpsStatus.h"
#include "resources/FormResource.h"
#include "ui/Seams.h"
#include "wlapi/constants.h"
#include "../ui/Snapshot.h"
#include "../ui/UiTestSupport.h"
#include "support/TextFit.h"

namespace {

// The status word and credentials the library reports, when a test fixes them.
unsigned long g_word = 0;
WPS_PROFILE g_received{};

int __stdcall FixedStatus(unsigned long* word)
{
    *word = g_word;
    return 1;
}

int __stdcall FixedProfile(WPS_PROFILE* profile)
{
    *profile = g_received;
    return 1;
}

WPS_CREDENTIAL Credential(const char* ssid, uint32_t auth, uint32_t encr, const char* key, uint8_t macLast)
{
    WPS_CREDENTIAL c{};
    c.SSID.SsidLength = ULONG(std::strlen(ssid));
    std::memcpy(c.SSID.Ssid, ssid, c.SSID.SsidLength);
    c.AuthType = auth;
    c.EncrType = encr;
    c.KeyIndex = 1;
    c.KeyLength = uint32_t(std::strlen(key));
    std::memcpy(c.Key, key, c.KeyLength);
    const uint8_t mac[6] = {0x00, 0x1A, 0x2B, 0x00, 0x00, macLast};
    std::memcpy(c.MacAddr, mac, 6);
    return c;
}

class WpsEngine : public ProgramFixture {
protected:
    void SetUp() override
    {
        ProgramFixture::SetUp();
        seams::modalAnswer = [this](const std::string& what) {
            m_shown.push_back(what);
            return 1;
        };
        seams::sleepOverride = [](DWORD) {};
        g_word = 0;
        g_received = WPS_PROFILE{};
    }

    void TearDown() override
    {
        if (FormProfileEdit) {
            FormProfileEdit->StopWPSTimers();
            if (FormProfileEdit->Visible())
                FormProfileEdit->Hide();
        }
        seams::modalAnswer = nullptr;
        seams::sleepOverride = nullptr;
        seams::randomOverride = nullptr;
        ProgramFixture::TearDown();
    }

    // The program on a scene where HomeNet's push button is pressed; the wizard opened from
    // the profile list's WPS button once the networks are known.
    void OpenWizard(TScenario scenario = TScenario(), bool pushButtonAp = true)
    {
        StartProgram(scenario.Set("Network.Home", "WPSDevicePasswordId", pushButtonAp ? "4" : "0")
                         .Set("Network.Home", "WPSPin", "12345670")
                         .Set("Network.Cafe", "WPS", "1")
                         .Set("Network.Office", "WPS", "1")
                         .Set("Network.OldWep", "WPS", "1"));
        FormMain->TimerReconnect->SetEnabled(false);
        ASSERT_TRUE(PumpUntil([] {
            const auto* list = reinterpret_cast<const NDIS_802_11_BSSID_LIST_EX*>(VOZEZIV.pRepositBssidList);
            return list && list->NumberOfItems > 0;
        }));
        TWvImage* button = FormProfile->BtnProfileWPS;
        ASSERT_TRUE(button->Enabled());
        SendMessageA(FormProfile->Handle(), WM_LBUTTONDOWN, MK_LBUTTON,
                     MAKELPARAM(button->Left() + button->Width() / 2, button->Top() + button->Height() / 2));
        SendMessageA(FormProfile->Handle(), WM_LBUTTONUP, 0,
                     MAKELPARAM(button->Left() + button->Width() / 2, button->Top() + button->Height() / 2));
        ASSERT_TRUE(FormProfile->m_bWPSFromProfile);
        m_shown.clear();
        FormProfileEdit->Show();
        ASSERT_EQ(FormProfileEdit->m_pCurrentPage, FormProfileEdit->FrameProfileEditWPS);
    }

    static void Click(TWinControl* page, TButton* button)
    {
        SendMessageA(page->Handle(), WM_COMMAND, MAKEWPARAM(0, BN_CLICKED), LPARAM(button->Handle()));
    }

    // The stored record's fields other than its kind are the wizard's; the test keeps the kind.
    static std::string Shortened(const std::string& call)
    {
        const std::string stored = "WVWL_WriteWPSProfile(mode ";
        if (call.rfind(stored, 0) != 0)
            return call;
        return call.substr(0, stored.size() + 1) + " ..." + call.substr(call.find(';'));
    }

    // The entries among `names` in the order the journal holds their calls.
    std::vector<std::string> CallOrder(const std::vector<std::string>& names)
    {
        std::vector<std::string> order;
        std::istringstream lines(SimJournal());
        for (std::string line; std::getline(lines, line);)
            for (const std::string& name : names)
                if (line.rfind(name + "(", 0) == 0)
                    order.push_back(Shortened(line.substr(0, line.find(" -> "))));
        return order;
    }

    static const CUISTR& Texts() { return *FormResource->UI_Str; }
    std::string Status() const { return FormProfileEdit->FrameProfileEditWPSConnect->editWPSStatus->Text(); }

    // Calls of the entry since the journal was last cleared.
    int Calls(const std::string& entry)
    {
        int count = 0;
        std::istringstream lines(SimJournal());
        for (std::string line; std::getline(lines, line);)
            count += line.rfind(entry + "(", 0) == 0 ? 1 : 0;
        return count;
    }

    std::vector<std::string> m_shown;
};

TEST_F(WpsEngine, PushButtonStartTalksToTheLibraryInItsOrderAndEndsConnectedWithANewProfile)
{
    OpenWizard();
    TFormProfileEdit* e = FormProfileEdit;
    ClickControl(e->BtnProfileNext);
    ASSERT_EQ(e->m_pCurrentPage, e->FrameProfileEditWPSConnect);
    SimJournalClear();
    Click(e->FrameProfileEditWPSConnect, e->FrameProfileEditWPSConnect->BtnPBC);
    EXPECT_EQ(CallOrder({"WVWL_WriteWPSFlag", "WVWL_WlanDisconnect", "WVWL_WlanDeleteAllWindowsProfiles",
                         "WVWL_SetPreferWPSAPPhyType", "WVWL_WriteWPSProfile", "WVWL_SetWPSMode", "WVWL_SetWPSProfile",
                         "WVWL_SetWPSAssociateIE", "WVWL_SetWPSProbeReqIE"}),
              (std::vector<std::string>{"WVWL_WriteWPSFlag(1)", "WVWL_WlanDisconnect()",
                                        "WVWL_WlanDeleteAllWindowsProfiles()", "WVWL_SetPreferWPSAPPhyType(2)",
                                        "WVWL_WriteWPSProfile(mode 2 ...; count 0)",
                                        "WVWL_SetWPSMode(PBC ssid \"\" bssid 00:00:00:00:00:00 channel 0 config 1)",
                                        "WVWL_SetWPSProfile(count 0)", "WVWL_SetWPSAssociateIE(1)",
                                        "WVWL_SetWPSProbeReqIE(1)"}));
    EXPECT_TRUE(e->TimerWPSStatus->Enabled());
    PumpUntil([e] { return e->m_nWpsProgress >= 40; });
    SnapshotIfAsked(e->Handle(), "wps_pbc_running");

    // The poll runs the exchange to its end: one profile stored and activated, then connected.
    ASSERT_TRUE(PumpUntil([] { return FormProfileEdit->m_profileWpsSaved.ProfileCnt != 0; }));
    EXPECT_EQ(e->m_nWpsProgress, 100);
    EXPECT_EQ(e->m_profileWpsSaved.ProfileCnt, 1u);
    SnapshotIfAsked(e->Handle(), "wps_pbc_done");
    EXPECT_NE(SimJournal().find("WVWL_CopyProfileToCurrentSetting"), std::string::npos);
    ASSERT_TRUE(PumpUntil([this] {
        std::string reply;
        SimCommand("status", &reply);
        return reply.find("link=connected ssid=HomeNet") != std::string::npos;
    }, 20000));
    int flag = -1;
    VOZEZIV.WVWL_ReadWPSFlag(&flag);
    EXPECT_EQ(flag, 0);
    EXPECT_FALSE(FormMain->m_bRotateProfile);
}

// A push-button run with no access point in push-button mode: the status says so in whole
// words; the run ends at its walk time, or at once when the user cancels.
class WpsPushButtonAlone : public WpsEngine, public ::testing::WithParamInterface<bool> {};

TEST_P(WpsPushButtonAlone, SaysSoAndEndsAtItsWalkTimeOrWhenCancelled)
{
    const bool cancel = GetParam();
    constexpr DWORD kWalkMs = 1500;
    OpenWizard(TScenario().Set("WPS", "WalkTimeMs", std::to_string(kWalkMs)), false);
    TFormProfileEdit* e = FormProfileEdit;
    TFrameProfileEditWPSConnect* page = e->FrameProfileEditWPSConnect;
    ClickControl(e->BtnProfileNext);
    ASSERT_EQ(e->m_pCurrentPage, page);
    SimJournalClear();
    const DWORD start = GetTickCount();
    ClickControl(page->BtnPBC);
    ASSERT_TRUE(e->TimerWPSStatus->Enabled());
    ASSERT_TRUE(PumpUntil([this] { return Status().find(Texts().STR_WPS_STATUS_PBC_NO_AP) != std::string::npos; }));
    EXPECT_EQ(Status(), Texts().STR_WPS_STATUS_PBC + Texts().STR_WPS_STATUS_PBC_NO_AP);
    EXPECT_EQ(textfit::WrappedBoxCuts(page->editWPSStatus->Handle(), Status()), "");
    SnapshotIfAsked(e->Handle(), "wps_pbc_no_ap");

    if (cancel) {
        ASSERT_TRUE(UserCanClick(e->BtnProfileCancel)) << "Cancel is offered while the run goes on";
        ClickControl(e->BtnProfileCancel);
        EXPECT_FALSE(e->Visible());
        EXPECT_FALSE(e->TimerWPSStatus->Enabled());
        EXPECT_EQ(Calls("WVWL_WPSDisconnect"), 1);
    } else {
        ASSERT_TRUE(PumpUntil([e] { return !e->TimerWPSStatus->Enabled(); }, kWalkMs + 5000)) << "the run goes on";
        EXPECT_GE(GetTickCount() - start, kWalkMs - 200) << "ended before its walk time";
        EXPECT_TRUE(page->BtnPBC->Visible() && page->BtnPBC->Enabled()) << "the user can start again";
        EXPECT_FALSE(page->ImgWPSStatus->Visible());
        EXPECT_EQ(textfit::WrappedBoxCuts(page->editWPSStatus->Handle(), Status()), "");
    }
    int flag = -1;
    VOZEZIV.WVWL_ReadWPSFlag(&flag);
    EXPECT_EQ(flag, 0) << "the adapter is still held for WPS";
}

INSTANTIATE_TEST_SUITE_P(Ends, WpsPushButtonAlone, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "Cancelled" : "AtWalkTime"; });

TEST_F(WpsEngine, PinStartCarriesTheChosenAccessPointAndTheEightDigitPin)
{
    OpenWizard();
    TFormProfileEdit* e = FormProfileEdit;
    e->FrameProfileEditWPS->rBtnPIN->SetChecked(true);
    TComboBox* list = e->FrameProfileEditWPS->cboxSSID;
    list->SetItemIndex(list->Items().IndexOf("HomeNet"));
    ClickControl(e->BtnProfileNext);
    ASSERT_EQ(e->m_pCurrentPage, e->FrameProfileEditWPSPin);
    e->FrameProfileEditWPSPin->editPinCode->SetText("01234565");  // a valid PIN with a leading zero
    ClickControl(e->BtnProfileNext);
    ASSERT_EQ(e->m_pCurrentPage, e->FrameProfileEditWPSConnect);
    SimJournalClear();
    Click(e->FrameProfileEditWPSConnect, e->FrameProfileEditWPSConnect->BtnPIN);
    const std::vector<std::string> order = CallOrder({"WVWL_SetWPSAutoSelect", "WVWL_SetWPSMode"});
    ASSERT_EQ(order.size(), 2u);
    EXPECT_EQ(order[0], "WVWL_SetWPSAutoSelect(0)");
    EXPECT_EQ(order[1].rfind("WVWL_SetWPSMode(PIN len=8 checksum=ok ssid \"HomeNet\" bssid 00:1A:2B:00:00:02 channel 6 config 1)", 0), 0u)
        << order[1];
    // The access point takes only its own PIN: the run fails with the password mismatch.
    EXPECT_TRUE(PumpUntil([this] { return Status().find(Texts().STR_WPS_STATUS_PASSWORD_MISMATCH) != std::string::npos; }))
        << Status();
    EXPECT_EQ(e->m_profileWpsSaved.ProfileCnt, 0u);
}

// The list of access points is built again when the wizard opens; the access point the user
// chose last is chosen again by its SSID, wherever its row now is.
TEST_F(WpsEngine, TheChosenAccessPointIsKeptWhenTheListIsRebuilt)
{
    OpenWizard();
    TFormProfileEdit* e = FormProfileEdit;
    ClickControl(e->FrameProfileEditWPS->rBtnPIN);
    TComboBox* list = e->FrameProfileEditWPS->cboxSSID;
    ASSERT_GE(list->Items().Count(), 2);
    const int row = list->Items().Count() - 1;
    const std::string chosen = list->Items().Strings(row);
    const HWND box = list->Handle();
    SendMessageA(box, CB_SETCURSEL, WPARAM(row), 0);
    SendMessageA(GetParent(box), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(box), CBN_SELCHANGE), LPARAM(box));
    ClickControl(e->BtnProfileNext);
    ASSERT_EQ(e->m_pCurrentPage, e->FrameProfileEditWPSPin);
    BYTE mac[6];
    std::memcpy(mac, e->m_WpsApMac, 6);
    ClickControl(e->BtnProfileCancel);
    ASSERT_FALSE(e->Visible());

    TWvImage* button = FormProfile->BtnProfileWPS;
    const LPARAM at = MAKELPARAM(button->Left() + button->Width() / 2, button->Top() + button->Height() / 2);
    SendMessageA(FormProfile->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageA(FormProfile->Handle(), WM_LBUTTONUP, 0, at);
    e->Show();
    ASSERT_EQ(e->m_pCurrentPage, e->FrameProfileEditWPS);
    EXPECT_EQ(list->Text(), chosen);
    EXPECT_EQ(list->ItemIndex(), list->Items().IndexOf(chosen));
    ASSERT_TRUE(e->m_pWPSApList.has_value());
    EXPECT_EQ(e->m_pWPSApList->m_strSSID, chosen);
    EXPECT_EQ(std::memcmp(e->m_WpsApMac, mac, 6), 0);
}

struct PollCase {
    const char* name;
    uint32_t word;
    int wpsMode;
    BOOL autoSelect;
    int curSel;
    int progress;       // -1: as before
    bool pollGoesOn;
    bool retried;       // the next access point was started
    int curSelAfter;    // kAnyRow: another row
};
constexpr int kAnyRow = -2;

class WpsPoll : public WpsEngine, public ::testing::WithParamInterface<PollCase> {};

TEST_P(WpsPoll, HandlesEachCodeAsTheTableSays)
{
    const PollCase& c = GetParam();
    OpenWizard();
    TFormProfileEdit* e = FormProfileEdit;
    e->UpdateWPSAPList();
    ASSERT_GE(e->m_WPSApList.size(), 2u);
    VOZEZIV.WVWL_QueryWPSStatus = FixedStatus;
    e->m_nWPSMode = c.wpsMode;
    e->m_bAutoSelect = c.autoSelect;
    e->m_nCurSelItem = c.curSel;
    e->m_nWPSApCount = int(e->m_WPSApList.size());
    e->StartWpsRoutine();
    e->SetWPSProgress(33);
    const int startsBefore = SimCallCount("WVWL_SetWPSMode");
    g_word = c.word;
    e->TimerWPSStatus->Tick();
    EXPECT_EQ(e->m_nWpsProgress, c.progress < 0 ? 33 : c.progress);
    EXPECT_EQ(e->TimerWPSStatus->Enabled(), c.pollGoesOn);
    EXPECT_EQ(SimCallCount("WVWL_SetWPSMode") > startsBefore, c.retried);
    if (c.curSelAfter == kAnyRow) {
        EXPECT_GT(e->m_nCurSelItem, 0);
    } else {
        EXPECT_EQ(e->m_nCurSelItem, c.curSelAfter);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Codes, WpsPoll,
    ::testing::Values(
        PollCase{"ScanShowsTenPercent", 2, 2, FALSE, -1, 10, true, false, -1},
        PollCase{"PinBitAndM1Sent", 0x10000000 | 18, 1, FALSE, 0, 40, true, false, 0},
        PollCase{"AckLeavesTheBar", 7, 2, FALSE, -1, -1, true, false, -1},
        PollCase{"NotUsedStops", 0, 2, FALSE, -1, 0, false, false, -1},
        PollCase{"WrongPinAutomaticTriesTheNext", 0x10000000 | 262, 1, TRUE, 0, 5, true, true, kAnyRow},
        PollCase{"WrongPinChosenForgetsTheChoice", 0x10000000 | 262, 1, FALSE, 0, -1, true, false, -1},
        PollCase{"NonceMismatchRetriesTheSameWithoutAuto", 0x10000000 | 260, 1, FALSE, 0, 5, true, true, 0},
        PollCase{"EapFailedStops", 0x10000000 | 516, 1, FALSE, 0, 0, false, false, -1},
        PollCase{"WrongSmiStops", 514, 2, FALSE, -1, 0, false, false, -1}),
    [](const ::testing::TestParamInfo<PollCase>& i) { return std::string(i.param.name); });

TEST_F(WpsEngine, CompletionStoresOneProfilePerCredentialAndActivatesThePreferredOne)
{
    OpenWizard();
    TFormProfileEdit* e = FormProfileEdit;
    VOZEZIV.WVWL_QueryWPSStatus = FixedStatus;
    VOZEZIV.WVWL_QueryWPSProfile = FixedProfile;
    g_received.ProfileCnt = 2;
    g_received.Profile[0] = Credential("HomeNet", WPS_AUTH_WPA2PSK, WPS_ENCR_AES, "correct horse battery", 2);
    g_received.Profile[1] = Credential("OfficeCorp", WPS_AUTH_WPAPSK, WPS_ENCR_TKIP, "tkip pass phrase", 3);
    e->StartWpsRoutine();
    g_word = 15;
    SimJournalClear();
    e->TimerWPSStatus->Tick();
    unsigned long count = 0;
    VOZEZIV.WVWL_ReadProfileList(nullptr, &count);
    std::vector<WLANPROFILE> stored(count);
    VOZEZIV.WVWL_ReadProfileList(stored.data(), &count);
    ASSERT_EQ(count, 2u);
    EXPECT_EQ(std::string(stored[0].chPskKey), "correct horse battery");
    EXPECT_EQ(stored[0].enumAuthenMode, 7u);
    EXPECT_EQ(stored[1].enumAuthenMode, 4u);
    EXPECT_NE(SimJournal().find(std::string("WVWL_CopyProfileToCurrentSetting(") + stored[0].strProfileName), std::string::npos)
        << SimJournal();
    EXPECT_TRUE(e->m_bScanAfterEAPConfig);
}

class WpsTwoWep : public WpsEngine, public ::testing::WithParamInterface<int> {};

TEST_P(WpsTwoWep, AWepCredentialIsRefusedUnlessEverySecurityIsAllowed)
{
    const int all = GetParam();
    OpenWizard();
    TFormProfileEdit* e = FormProfileEdit;
    VOZEZIV.bWPS2_SecurityAll = all;
    e->m_nWPSVersion = 0x20;
    VOZEZIV.WVWL_QueryWPSStatus = FixedStatus;
    VOZEZIV.WVWL_QueryWPSProfile = FixedProfile;
    g_received.ProfileCnt = 1;
    g_received.Profile[0] = Credential("OldWep", WPS_AUTH_OPEN, WPS_ENCR_WEP, "6162636465", 9);
    e->StartWpsRoutine();
    g_word = 15;
    e->TimerWPSStatus->Tick();
    unsigned long count = 0;
    VOZEZIV.WVWL_ReadProfileList(nullptr, &count);
    std::string shown;
    for (const std::string& text : m_shown)
        shown += text + "\n";
    EXPECT_EQ(shown.find(Texts().STR_WPS2_SECURITY_NOT_ACCEPT) != std::string::npos, all == 0) << shown;
    EXPECT_EQ(count, all ? 1u : 0u);
    EXPECT_EQ(Status().find(Texts().STR_WPS_STATUS_GET_PROFILE_DISCARD) != std::string::npos, all == 0) << Status();
}

INSTANTIATE_TEST_SUITE_P(SecurityAll, WpsTwoWep, ::testing::Values(0, 1));

TEST_F(WpsEngine, PinPageTakesOnlyAValidPin)
{
    OpenWizard();
    TFormProfileEdit* e = FormProfileEdit;
    e->FrameProfileEditWPS->rBtnPIN->SetChecked(true);
    ClickControl(e->BtnProfileNext);
    ASSERT_EQ(e->m_pCurrentPage, e->FrameProfileEditWPSPin);
    const struct {
        unsigned long version;
        const char* pin;
        std::string CUISTR::*refusal;  // null: accepted
    } cases[] = {
        {0x10, "12345670", nullptr},
        {0x10, "12345671", &CUISTR::STR_ERROR_PIN},
        {0x10, "1234", &CUISTR::STR_INVALID_PIN},
        {0x20, "1234", nullptr},
        {0x20, "00000000", nullptr},
        {0x20, "123456", &CUISTR::STR_INVALID_PIN},
        {0x20, "1234567a", &CUISTR::STR_ERROR_PIN},
        {0x20, "12 4", &CUISTR::STR_ERROR_PIN},
    };
    for (const auto& c : cases) {
        e->m_nWPSVersion = c.version;
        TEdit* edit = e->FrameProfileEditWPSPin->editPinCode;
        edit->SetReadOnly(false);
        edit->SetEnabled(true);
        edit->SetText("");
        for (const char* p = c.pin; *p; ++p)
            SendMessageA(edit->Handle(), WM_CHAR, WPARAM(static_cast<unsigned char>(*p)), 0);
        m_shown.clear();
        ClickControl(e->BtnProfileNext);
        if (c.refusal) {
            EXPECT_EQ(e->m_pCurrentPage, e->FrameProfileEditWPSPin) << c.pin;
            ASSERT_EQ(m_shown.size(), 1u) << c.pin;
            EXPECT_NE(m_shown[0].find(Texts().*c.refusal), std::string::npos) << c.pin << ": " << m_shown[0];
            continue;
        }
        EXPECT_EQ(e->m_pCurrentPage, e->FrameProfileEditWPSConnect) << c.pin;
        EXPECT_EQ(e->m_nPinLength, int(std::strlen(c.pin))) << c.pin;
        ClickControl(e->BtnProfileBack);
    }
}

// Without the system's random source nothing is drawn: the user is told, no PIN or network
// key is made, nothing starts, and the program goes on.
TEST_F(WpsEngine, AFailedRandomSourceRefusesThePinAndTheKeyWithAMessage)
{
    OpenWizard();
    TFormProfileEdit* e = FormProfileEdit;
    ClickControl(e->FrameProfileEditWPS->rBtnPIN);
    bool failing = true;
    seams::randomOverride = [&failing](void* buffer, unsigned long size) {
        if (failing)
            return false;
        std::memset(buffer, 0x5A, size);
        return true;
    };
    auto toldOnce = [this](std::string CUISTR::*text) {
        return m_shown.size() == 1 && m_shown[0].find(Texts().*text) != std::string::npos;
    };
    m_shown.clear();
    ClickControl(e->BtnProfileNext);
    TFrameProfileEditWPSPin* page = e->FrameProfileEditWPSPin;
    ASSERT_EQ(e->m_pCurrentPage, page);
    EXPECT_TRUE(toldOnce(&CUISTR::STR_RANDOM_SOURCE_FAIL)) << ::testing::PrintToString(m_shown);
    EXPECT_EQ(page->editPinCode->Text(), "");

    SimJournalClear();
    m_shown.clear();
    ClickControl(e->BtnProfileNext);
    EXPECT_EQ(e->m_pCurrentPage, page);
    EXPECT_TRUE(toldOnce(&CUISTR::STR_INVALID_PIN)) << ::testing::PrintToString(m_shown);
    EXPECT_EQ(Calls("WVWL_SetWPSMode"), 0);

    m_shown.clear();
    ClickControl(page->BtnRenew);
    EXPECT_TRUE(toldOnce(&CUISTR::STR_RANDOM_SOURCE_FAIL)) << ::testing::PrintToString(m_shown);
    EXPECT_EQ(page->editPinCode->Text(), "");

    // The registrar role needs a random network key: none is made.
    int registrar = -1;
    for (int i = 0; i < page->cBoxConfigMode->Items().Count(); ++i)
        if (reinterpret_cast<intptr_t>(page->cBoxConfigMode->Items().Objects(i)) == 1)
            registrar = i;
    ASSERT_GE(registrar, 0);
    m_shown.clear();
    const HWND box = page->cBoxConfigMode->Handle();
    SendMessageA(box, CB_SETCURSEL, WPARAM(registrar), 0);
    SendMessageA(GetParent(box), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(box), CBN_SELCHANGE), LPARAM(box));
    EXPECT_TRUE(toldOnce(&CUISTR::STR_RANDOM_SOURCE_FAIL)) << ::testing::PrintToString(m_shown);
    EXPECT_EQ(e->m_profileWps.ProfileCnt, 0u);

    // Once the source answers again, the key is drawn.
    failing = false;
    m_shown.clear();
    SendMessageA(GetParent(box), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(box), CBN_SELCHANGE), LPARAM(box));
    EXPECT_TRUE(m_shown.empty()) << ::testing::PrintToString(m_shown);
    ASSERT_EQ(e->m_profileWps.ProfileCnt, 1u);
    std::string key;
    for (int i = 0; i < 32; ++i)
        key += "5A";
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(e->m_profileWps.Profile[0].Key), 64), key);
}

TEST_F(WpsEngine, BothMethodChoicesShowWholeAndTakeAClick)
{
    OpenWizard();
    TFrameProfileEditWPS* page = FormProfileEdit->FrameProfileEditWPS;
    // The push-button caption widens its radio button; the PIN choice stays beside it.
    EXPECT_LE(page->rBtnPBC->Left() + page->rBtnPBC->Width(), page->rBtnPIN->Left());
    EXPECT_LE(page->rBtnPIN->Left() + page->rBtnPIN->Width(), page->Width());
    RECT box{};
    GetWindowRect(page->rBtnPIN->Handle(), &box);
    POINT at = {box.left + 6, (box.top + box.bottom) / 2};
    EXPECT_EQ(WindowFromPoint(at), page->rBtnPIN->Handle());
}

// An automatic PIN run started from the connect page: the first access point that does not
// offer push button is tried, with the walk and media timers running.
class WpsAutomaticRun : public WpsEngine {
protected:
    void StartAutomaticPinRun(TScenario scenario = TScenario())
    {
        OpenWizard(scenario);
        TFormProfileEdit* e = FormProfileEdit;
        e->FrameProfileEditWPS->rBtnPIN->SetChecked(true);
        e->FrameProfileEditWPS->chBoxAuto->SetChecked(true);
        ASSERT_EQ(e->m_bAutoSelect, 1);
        ClickControl(e->BtnProfileNext);
        ASSERT_EQ(e->m_pCurrentPage, e->FrameProfileEditWPSPin);
        ClickControl(e->BtnProfileNext);
        ASSERT_EQ(e->m_pCurrentPage, e->FrameProfileEditWPSConnect);
        SimJournalClear();
        Click(e->FrameProfileEditWPSConnect, e->FrameProfileEditWPSConnect->BtnPIN);
        ASSERT_EQ(Calls("WVWL_SetWPSMode"), 1) << SimJournal();
        ASSERT_GE(e->m_nCurSelItem, 0);
        ASSERT_TRUE(e->TimerWPSTwoMin->Enabled());
        ASSERT_TRUE(e->TimerWPSNDISMediaDisconnected->Enabled());
        ASSERT_TRUE(e->TimerWPSStatus->Enabled());
    }

    static int WpsFlag()
    {
        int flag = -1;
        VOZEZIV.WVWL_ReadWPSFlag(&flag);
        return flag;
    }
};

struct WalkCase {
    const char* name;
    const char* winOS;
    BOOL configSta;          // the external registrar configures a station
    int wpsDisconnects;      // WVWL_WPSDisconnect calls
    int disconnects;         // WVWL_Disconnect calls
};

class WpsWalkTime : public WpsAutomaticRun, public ::testing::WithParamInterface<WalkCase> {};

TEST_P(WpsWalkTime, EndsTheWholeRunAndShowsThePinFailure)
{
    const WalkCase& c = GetParam();
    StartAutomaticPinRun(TScenario().Set("System", "WinOS", c.winOS));
    TFormProfileEdit* e = FormProfileEdit;
    e->m_bConfigSTA = c.configSta;
    ASSERT_EQ(WpsFlag(), 1);
    SimJournalClear();

    e->TimerWPSTwoMin->Tick();

    EXPECT_FALSE(e->TimerWPSTwoMin->Enabled());
    EXPECT_FALSE(e->TimerWPSStatus->Enabled());
    EXPECT_FALSE(e->TimerWPSNDISMediaDisconnected->Enabled());
    EXPECT_EQ(e->m_nWPSMode, 2);
    EXPECT_EQ(e->m_nCurSelItem, -1);
    EXPECT_FALSE(e->m_bRescan);
    EXPECT_EQ(e->m_nWpsProgress, 0);
    EXPECT_TRUE(e->FrameProfileEditWPSConnect->BtnFinish->Enabled());
    EXPECT_EQ(Status(), Texts().STR_WPS_STATUS_PIN + Texts().STR_WPS_STATUS_EAP_FAILED);
    // However the run ends, the adapter is no longer held by it.
    EXPECT_EQ(WpsFlag(), 0);
    EXPECT_EQ(Calls("WVWL_WPSDisconnect"), c.wpsDisconnects);
    EXPECT_EQ(Calls("WVWL_Disconnect"), c.disconnects);
    // No other access point is tried afterwards.
    EXPECT_EQ(Calls("WVWL_SetWPSMode"), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Expiry, WpsWalkTime,
    ::testing::Values(WalkCase{"WindowsFromCode31EndsTheLibrarysRun", "41", FALSE, 1, 0},
                      WalkCase{"OlderWindowsDropsTheLink", "21", FALSE, 0, 1},
                      WalkCase{"ExternalRegistrarKeepsTheLinkButFreesTheAdapter", "41", TRUE, 0, 0}),
    [](const ::testing::TestParamInfo<WalkCase>& i) { return std::string(i.param.name); });

struct MediaCase {
    const char* name;
    int statusPolls;     // polls of the run before the media check (3 bring the link up)
    int mediaTicks;      // media checks in a row
    bool moved;          // another access point was started
    bool rescanned;      // past the last access point the list is scanned again
};

class WpsMediaCheck : public WpsAutomaticRun, public ::testing::WithParamInterface<MediaCase> {};

TEST_P(WpsMediaCheck, MovesOnOnlyWithoutALink)
{
    const MediaCase& c = GetParam();
    StartAutomaticPinRun();
    TFormProfileEdit* e = FormProfileEdit;
    const int first = e->m_nCurSelItem;
    for (int i = 0; i < c.statusPolls; ++i)
        e->TimerWPSStatus->Tick();
    SimJournalClear();

    // A timer that switched itself off ticks no more.
    for (int i = 0; i < c.mediaTicks && e->TimerWPSNDISMediaDisconnected->Enabled(); ++i)
        e->TimerWPSNDISMediaDisconnected->Tick();

    EXPECT_EQ(Calls("WVWL_SetWPSMode") > 0, c.moved) << SimJournal();
    EXPECT_EQ(Calls("WVWL_SiteSurveyScan") > 0, c.rescanned) << SimJournal();
    // The walk time spans every access point tried and every rescan.
    EXPECT_TRUE(e->TimerWPSTwoMin->Enabled());
    EXPECT_TRUE(e->m_bRescan);
    if (c.rescanned) {
        EXPECT_EQ(e->m_nCurSelItem, -1);
        EXPECT_FALSE(e->TimerWPSNDISMediaDisconnected->Enabled());
        EXPECT_EQ(Status(), Texts().STR_RESCANNING);
    } else if (c.moved) {
        EXPECT_GT(e->m_nCurSelItem, first);
        EXPECT_TRUE(e->TimerWPSStatus->Enabled());
        EXPECT_TRUE(e->TimerWPSNDISMediaDisconnected->Enabled());
        // The next start names an access point that takes a PIN.
        const std::string journal = SimJournal();
        EXPECT_NE(journal.find("WVWL_SetWPSMode(PIN "), std::string::npos) << journal;
        EXPECT_EQ(journal.find("ssid \"HomeNet\""), std::string::npos) << journal;
    } else {
        EXPECT_EQ(e->m_nCurSelItem, first);
        EXPECT_TRUE(e->TimerWPSStatus->Enabled());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Ticks, WpsMediaCheck,
    ::testing::Values(MediaCase{"LinkUpKeepsTheAccessPoint", 3, 1, false, false},
                      MediaCase{"NoLinkTriesTheNextAccessPoint", 0, 1, true, false},
                      MediaCase{"NoLinkAnywhereRescansAfterTheLast", 0, 12, true, true}),
    [](const ::testing::TestParamInfo<MediaCase>& i) { return std::string(i.param.name); });

struct ButtonCase {
    const char* name;
    const char* hwPbcMode;   // what WVWL_GetWPSHwPBCMode reports
    const char* zeroConfig;  // what WVWL_IsZeroConfig reports
    int pressBeforeTick;     // 0: never pressed
    int startTick;           // the tick whose run starts, 0: none
};

class WpsHardwareButton : public WpsEngine, public ::testing::WithParamInterface<ButtonCase> {};

TEST_P(WpsHardwareButton, StartsOneRunAfterTheButtonIsSeen)
{
    const ButtonCase& c = GetParam();
    StartProgram(TScenario().Set("WPS", "HwPbcMode", c.hwPbcMode).Set("System", "ZeroConfig", c.zeroConfig));
    FormMain->TimerReconnect->SetEnabled(false);
    TFormProfileEdit* e = FormProfileEdit;
    // The adapter is there from the start, so the button is watched from the start.
    ASSERT_TRUE(e->TimerWPSHWPBC->Enabled());
    EXPECT_EQ(e->TimerWPSHWPBC->Interval(), 1000u);
    e->TimerWPSHWPBC->SetEnabled(false);
    SimJournalClear();

    std::vector<int> startedAt;
    for (int tick = 1; tick <= 8; ++tick) {
        if (tick == c.pressBeforeTick) {
            std::string reply;
            SimCommand("wps button", &reply);
            ASSERT_EQ(reply, "ok\n");
        }
        const int before = Calls("WVWL_WlanDeleteAllWindowsProfiles");
        e->TimerWPSHWPBC->Tick();
        if (Calls("WVWL_WlanDeleteAllWindowsProfiles") > before)
            startedAt.push_back(tick);
    }

    if (c.startTick == 0) {
        EXPECT_TRUE(startedAt.empty());
        EXPECT_FALSE(e->TimerWPSStatus->Enabled());
        return;
    }
    EXPECT_EQ(startedAt, std::vector<int>{c.startTick});
    EXPECT_NE(SimJournal().find("WVWL_WriteWPSFlag(1)"), std::string::npos);
    // The driver runs the button's session: no start record, an enrollee push-button run.
    EXPECT_EQ(Calls("WVWL_SetWPSMode"), 0);
    EXPECT_TRUE(e->TimerWPSStatus->Enabled());
    EXPECT_EQ(e->m_nWPSMode, 2);
    EXPECT_EQ(e->m_nConfigMode, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Presses, WpsHardwareButton,
    ::testing::Values(ButtonCase{"ModeOneStartsInTheTickThatSeesIt", "1", "0", 2, 2},
                      ButtonCase{"OtherModesStartThreeTicksLater", "0", "0", 2, 5},
                      ButtonCase{"NotPressedStartsNothing", "1", "0", 0, 0},
                      ButtonCase{"ZeroConfigTwoIgnoresTheButton", "1", "2", 2, 0}),
    [](const ::testing::TestParamInfo<ButtonCase>& i) { return std::string(i.param.name); });

}  // namespace
