// The WPS wizard's registrar roles on the simulated adapter: the configuration handed to an
// access point and its page, the stored profile given to a station, the enrollee list, and
// the external registrar's PIN start with a chosen station. Driven through window messages.
#include "mainwindow/program_fixture.h"

#include <commctrl.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "profiles/FormProfile.h"
#include "profiles/FormProfileEdit.h"
#include "profiles/FormSelEnrollee.h"
#include "resources/FormResource.h"
#include "ui/Seams.h"
#include "wlapi/constants.h"

namespace {

const char* const kUuid = "00112233445566778899aabbccddeeff";

void Click(TWinControl* control)
{
    const HWND h = control->Handle();
    SendMessageA(GetParent(h), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(h), BN_CLICKED), LPARAM(h));
}

void Pick(TComboBox* list, int index)
{
    const HWND h = list->Handle();
    SendMessageA(h, CB_SETCURSEL, WPARAM(index), 0);
    SendMessageA(GetParent(h), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(h), CBN_SELCHANGE), LPARAM(h));
}

void PickValue(TComboBox* list, int value)
{
    const int index = list->Items().IndexOfObject(reinterpret_cast<void*>(intptr_t(value)));
    ASSERT_GE(index, 0) << value;
    Pick(list, index);
}

std::vector<int> Values(TComboBox* list)
{
    std::vector<int> values;
    for (int i = 0; i < list->Items().Count(); ++i)
        values.push_back(int(reinterpret_cast<intptr_t>(list->Items().Objects(i))));
    return values;
}

void Type(TEdit* edit, const std::string& text)
{
    SendMessageA(edit->Handle(), WM_SETTEXT, 0, LPARAM(""));
    for (char c : text)
        SendMessageA(edit->Handle(), WM_CHAR, WPARAM(static_cast<unsigned char>(c)), 0);
}

// A press of a picture button of a form: the mouse down and up over it.
void Press(TForm* form, TControl* button)
{
    const LPARAM at = MAKELPARAM(button->Left() + button->Width() / 2, button->Top() + button->Height() / 2);
    SendMessageA(form->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageA(form->Handle(), WM_LBUTTONUP, 0, at);
}

void SelectRow(TListView* list, int row)
{
    LVITEMA state{};
    state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    state.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageA(list->Handle(), LVM_SETITEMSTATE, WPARAM(row), LPARAM(&state));
}

WLANPROFILE StoredProfile(const char* name, const char* ssid, uint32_t auth, uint32_t encr)
{
    WLANPROFILE p = VOZEZIV.defaultProfile;
    std::snprintf(p.strProfileName, sizeof p.strProfileName, "%s", name);
    p.SSID.SsidLength = ULONG(std::strlen(ssid));
    std::memcpy(p.SSID.Ssid, ssid, p.SSID.SsidLength);
    p.enumNetworkType = 1;
    p.enumAuthenMode = auth;
    p.enumEncryStatus = encr;
    return p;
}

std::string KeyOf(const WPS_CREDENTIAL& c)
{
    return std::string(reinterpret_cast<const char*>(c.Key), std::min<size_t>(c.KeyLength, sizeof c.Key));
}

std::string SsidOf(const WPS_CREDENTIAL& c)
{
    return std::string(reinterpret_cast<const char*>(c.SSID.Ssid), std::min<size_t>(c.SSID.SsidLength, 32));
}

class WpsRegistrar : public ProgramFixture {
protected:
    void SetUp() override
    {
        ProgramFixture::SetUp();
        seams::modalAnswer = [this](const std::string& what) {
            if (m_onModal) {
                const int answer = m_onModal(what);
                if (answer >= 0)
                    return answer;
            }
            m_shown.push_back(what);
            return 1;
        };
        seams::sleepOverride = [](DWORD) {};
    }

    void TearDown() override
    {
        if (FormProfileEdit) {
            FormProfileEdit->StopWPSTimers();
            FormProfileEdit->TimerWPSConnectStatus->SetEnabled(false);
            if (FormProfileEdit->Visible())
                FormProfileEdit->Hide();
        }
        if (FormSelEnrollee && FormSelEnrollee->Visible())
            FormSelEnrollee->Hide();
        m_onModal = nullptr;
        seams::modalAnswer = nullptr;
        seams::sleepOverride = nullptr;
        ProgramFixture::TearDown();
    }

    static TScenario WpsScene()
    {
        return TScenario().Set("Network.Home", "WPSPin", "12345670").Set("Network.Home", "WPSUUID", kUuid);
    }

    // The wizard opened from the profile list's WPS button once the networks are known.
    void OpenWizard()
    {
        FormMain->TimerReconnect->SetEnabled(false);
        ASSERT_TRUE(PumpUntil([] {
            const auto* list = reinterpret_cast<const NDIS_802_11_BSSID_LIST_EX*>(VOZEZIV.pRepositBssidList);
            return list && list->NumberOfItems > 0;
        }));
        Press(FormProfile, FormProfile->BtnProfileWPS);
        ASSERT_TRUE(FormProfile->m_bWPSFromProfile);
        m_shown.clear();
        FormProfileEdit->Show();
        ASSERT_EQ(FormProfileEdit->m_pCurrentPage, FormProfileEdit->FrameProfileEditWPS);
    }

    void Next() { Press(FormProfileEdit, FormProfileEdit->BtnProfileNext); }

    // PIN with HomeNet chosen, registrar role with the access point's PIN, then the
    // configuration page.
    void OpenRegistrarPage(unsigned long version, int securityAll)
    {
        StartProgram(WpsScene());
        OpenWizard();
        TFormProfileEdit* e = FormProfileEdit;
        Click(e->FrameProfileEditWPS->rBtnPIN);
        TComboBox* aps = e->FrameProfileEditWPS->cboxSSID;
        Pick(aps, aps->Items().IndexOf("HomeNet"));
        Next();
        ASSERT_EQ(e->m_pCurrentPage, e->FrameProfileEditWPSPin);
        Pick(e->FrameProfileEditWPSPin->cBoxConfigMode, 1);
        ASSERT_EQ(e->m_nConfigMode, 1);
        Type(e->FrameProfileEditWPSPin->editPinCode, "12345670");
        e->m_nWPSVersion = version;
        VOZEZIV.bWPS2_SecurityAll = securityAll;
        Click(e->FrameProfileEditWPSPin->BtnSetWPSProfile);
        ASSERT_EQ(e->m_pCurrentPage, e->FrameProfileEditWPSProfile);
    }

    // External registrar chosen on the WPS page, PIN, the station's PIN typed: the page of the
    // stored profile to give.
    void OpenExtregPage(const std::string& pin = "12345670")
    {
        TFormProfileEdit* e = FormProfileEdit;
        VOZEZIV.bExternalRegistrar = 1;
        e->m_bExtRegDeviceFound = TRUE;
        Click(e->FrameProfileEditWPS->chBoxExternalRegistrar);
        Click(e->FrameProfileEditWPS->rBtnPIN);
        Next();
        ASSERT_EQ(e->m_pCurrentPage, e->FrameProfileEditWPSPin);
        ASSERT_TRUE(e->m_bConfigSTA);
        Type(e->FrameProfileEditWPSPin->editPinCode, pin);
        Next();
    }

    bool Shown(const std::string& text) const
    {
        return std::any_of(m_shown.begin(), m_shown.end(),
                           [&](const std::string& s) { return s.find(text) != std::string::npos; });
    }

    static const CUISTR& Texts() { return *FormResource->UI_Str; }

    std::vector<std::string> m_shown;
    // Answers a modal window or message box; -1 leaves it to the default answer.
    std::function<int(const std::string&)> m_onModal;
};

TEST_F(WpsRegistrar, MadeUpConfigurationCarriesTheOwnAddressAndARandomKey)
{
    OpenRegistrarPage(0x20, 0);
    TFormProfileEdit* e = FormProfileEdit;
    TFrameProfileEditWPSProfile* page = e->FrameProfileEditWPSProfile;
    // The scene's adapter is 00:0C:43:12:34:56; the access point chosen is HomeNet.
    EXPECT_EQ(page->editSSID->Text(), "ExRegNW123456");
    EXPECT_EQ(page->lblBSSID->Caption(), "00-1A-2B-00-00-02");
    EXPECT_EQ(page->cboxAuthentication->ItemIndex(), page->cboxAuthentication->Items().IndexOfObject(reinterpret_cast<void*>(32)));
    EXPECT_EQ(page->cboxEncryption->ItemIndex(), page->cboxEncryption->Items().IndexOfObject(reinterpret_cast<void*>(8)));
    const std::string first = KeyOf(e->m_profileWps.Profile[0]);
    ASSERT_EQ(first.size(), 64u);
    EXPECT_TRUE(std::all_of(first.begin(), first.end(), [](char c) { return std::isdigit(c) || (c >= 'A' && c <= 'F'); }))
        << first;
    EXPECT_EQ(e->m_strPskKey, first);

    // Back to the PIN page and the registrar role chosen again: a new key.
    Press(e, e->BtnProfileBack);
    ASSERT_EQ(e->m_pCurrentPage, e->FrameProfileEditWPSPin);
    Pick(e->FrameProfileEditWPSPin->cBoxConfigMode, 0);
    Pick(e->FrameProfileEditWPSPin->cBoxConfigMode, 1);
    EXPECT_NE(KeyOf(e->m_profileWps.Profile[0]), first);
}

TEST_F(WpsRegistrar, ConfigApHandsTheMadeUpNetworkToTheAccessPointThenFindsItAsExternalRegistrar)
{
    StartProgram(WpsScene());
    OpenWizard();
    TFormProfileEdit* e = FormProfileEdit;
    Click(e->FrameProfileEditWPS->rBtnPIN);
    TComboBox* aps = e->FrameProfileEditWPS->cboxSSID;
    Pick(aps, aps->Items().IndexOf("HomeNet"));
    Next();
    Pick(e->FrameProfileEditWPSPin->cBoxConfigMode, 1);
    Type(e->FrameProfileEditWPSPin->editPinCode, "12345670");
    Next();
    ASSERT_EQ(e->m_pCurrentPage, e->FrameProfileEditWPSConnect);
    SimJournalClear();
    Click(e->FrameProfileEditWPSConnect->BtnPIN);
    // The configured access point is reconfigured once the user agrees.
    EXPECT_TRUE(Shown(Texts().STR_WPS_MSGBOX_CONFIGAP_RECONFIGURE));
    ASSERT_TRUE(PumpUntil([this] {
        std::string reply;
        SimCommand("status", &reply);
        return reply.find("link=connected ssid=ExRegNW123456") != std::string::npos;
    }, 40000)) << e->FrameProfileEditWPSConnect->editWPSStatus->Text();
    // The editor stays open after configuring an access point, until discovery finds it.
    EXPECT_TRUE(e->Visible());
    ASSERT_TRUE(PumpUntil([e] { return e->m_bExtRegDeviceFound == TRUE; }, 20000)) << SimJournal();
    EXPECT_FALSE(e->Visible());
    const std::string journal = SimJournal();
    EXPECT_NE(journal.find("WVWL_ReConfigureAP(1)"), std::string::npos) << journal;
    EXPECT_NE(journal.find("WVWL_SetWPSProfile(count 1; \"ExRegNW123456\" auth 32 encr 8 index 1 key(64)"),
              std::string::npos)
        << journal;
    EXPECT_NE(journal.find(std::string("WVWL_StartExtregWPS(") + kUuid), std::string::npos) << journal;
    int flag = -1;
    VOZEZIV.WVWL_ReadWPSFlag(&flag);
    EXPECT_EQ(flag, 0);
}

struct ChoiceCase {
    const char* name;
    unsigned long version;
    int securityAll;
    std::vector<int> authentications;  // offered
    int authentication;                // chosen
    std::vector<int> encryptions;      // offered with it
    int encryption;                    // chosen
    bool keyPage;                      // else the connect page with the open-network notice
    int authSel, encrySel;
};

class WpsRegistrarChoice : public WpsRegistrar, public ::testing::WithParamInterface<ChoiceCase> {};

TEST_P(WpsRegistrarChoice, OffersTheVersionsChoicesAndRoutesByThem)
{
    const ChoiceCase& c = GetParam();
    OpenRegistrarPage(c.version, c.securityAll);
    TFormProfileEdit* e = FormProfileEdit;
    TFrameProfileEditWPSProfile* page = e->FrameProfileEditWPSProfile;
    EXPECT_EQ(Values(page->cboxAuthentication), c.authentications);
    PickValue(page->cboxAuthentication, c.authentication);
    EXPECT_EQ(Values(page->cboxEncryption), c.encryptions);
    PickValue(page->cboxEncryption, c.encryption);
    m_shown.clear();
    Next();
    EXPECT_EQ(e->m_pCurrentPage, c.keyPage ? static_cast<TFrameBase*>(e->FrameProfileEditKey)
                                           : static_cast<TFrameBase*>(e->FrameProfileEditWPSConnect));
    EXPECT_EQ(Shown(Texts().STR_WPS_REGISTRAR_OPENNONE), !c.keyPage);
    EXPECT_EQ(e->m_nAuthSel, c.authSel);
    EXPECT_EQ(e->m_nEncrySel, c.encrySel);
    EXPECT_EQ(int(e->m_profileWps.Profile[0].AuthType), c.authentication);
    EXPECT_EQ(int(e->m_profileWps.Profile[0].EncrType), c.encryption);
}

INSTANTIATE_TEST_SUITE_P(
    Pages, WpsRegistrarChoice,
    ::testing::Values(
        ChoiceCase{"Two0MixedPsk", 0x20, 0, {1, 32, 34}, 34, {8, 12}, 8, true, 4, 3},
        ChoiceCase{"Two0OpenOffersOnlyNone", 0x20, 0, {1, 32, 34}, 1, {1}, 1, false, 0, 0},
        ChoiceCase{"Two0AllSecurityOpenWep", 0x20, 1, {1, 2, 32, 34}, 1, {1, 2}, 2, true, 0, 1},
        ChoiceCase{"Two0AllSecurityMixedCiphers", 0x20, 1, {1, 2, 32, 34}, 32, {4, 8, 12}, 12, true, 6, 7},
        ChoiceCase{"One0WpaPskTkip", 0x10, 0, {1, 2, 32}, 2, {4, 8}, 4, true, 4, 2}),
    [](const ::testing::TestParamInfo<ChoiceCase>& i) { return std::string(i.param.name); });

TEST_F(WpsRegistrar, MixedPskSendsOnlyAValidPassPhraseToTheAccessPoint)
{
    OpenRegistrarPage(0x20, 0);
    TFormProfileEdit* e = FormProfileEdit;
    TFrameProfileEditWPSProfile* page = e->FrameProfileEditWPSProfile;
    Type(page->editSSID, "Attic");
    PickValue(page->cboxAuthentication, 34);
    Next();
    ASSERT_EQ(e->m_pCurrentPage, e->FrameProfileEditKey);
    for (const char* refused : {"", "short"}) {
        Type(e->FrameProfileEditKey->editPskKey, refused);
        m_shown.clear();
        Next();
        EXPECT_EQ(e->m_pCurrentPage, e->FrameProfileEditKey) << refused;
        EXPECT_TRUE(Shown(Texts().STR_MSGPSKKEYINVALID)) << refused;
    }
    Type(e->FrameProfileEditKey->editPskKey, "attic stairs 42");
    Next();
    ASSERT_EQ(e->m_pCurrentPage, e->FrameProfileEditWPSConnect);
    SimJournalClear();
    Click(e->FrameProfileEditWPSConnect->BtnPIN);
    const std::string journal = SimJournal();
    EXPECT_NE(journal.find("WVWL_SetWPSProfile(count 1; \"Attic\" auth 34 encr 8 index 1 key(15)"), std::string::npos)
        << journal;
    EXPECT_NE(journal.find("WVWL_SetWPSMode(PIN len=8 checksum=ok ssid \"HomeNet\" bssid 00:1A:2B:00:00:02 channel 6 config 2)"),
              std::string::npos)
        << journal;
}

struct StoredCase {
    const char* name;
    uint32_t auth, encr, defaultKey;
    uint32_t authType, encrType, keyIndex;
    const char* key;
};

class CredentialOfProfile : public ::testing::TestWithParam<StoredCase> {};

TEST_P(CredentialOfProfile, MapsTheProfileAndTakesItsKey)
{
    const StoredCase& c = GetParam();
    WLANPROFILE p{};
    p.SSID.SsidLength = 5;
    std::memcpy(p.SSID.Ssid, "Porch", 5);
    const BYTE bssid[6] = {1, 2, 3, 4, 5, 6};
    std::memcpy(p.BSSID, bssid, 6);
    p.enumAuthenMode = c.auth;
    p.enumEncryStatus = c.encr;
    p.wepDefaultKey = c.defaultKey;
    std::strcpy(p.WEPKey1, "1111111111");
    std::strcpy(p.WEPKey3, "3333333333");
    std::memset(p.chPskKey, 'k', sizeof p.chPskKey);  // 64 hex-long key, no terminator
    const WPS_CREDENTIAL got = CredentialOfStoredProfile(p);
    EXPECT_EQ(SsidOf(got), "Porch");
    EXPECT_EQ(std::memcmp(got.MacAddr, bssid, 6), 0);
    EXPECT_EQ(got.AuthType, c.authType);
    EXPECT_EQ(got.EncrType, c.encrType);
    EXPECT_EQ(got.KeyIndex, c.keyIndex);
    EXPECT_EQ(KeyOf(got), c.key);
}

INSTANTIATE_TEST_SUITE_P(
    Table, CredentialOfProfile,
    ::testing::Values(
        StoredCase{"Wpa2PskAes", 7, 6, 1, 32, 8, 0, "kkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkk"},
        StoredCase{"WpaPskTkip", 4, 4, 1, 2, 4, 0, "kkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkk"},
        StoredCase{"OpenWepThirdKey", 0, 0, 3, 1, 2, 3, "3333333333"},
        StoredCase{"OpenWepOddIndexTakesTheFirst", 0, 0, 9, 1, 2, 9, "1111111111"},
        StoredCase{"OpenNone", 0, 1, 1, 1, 1, 0, ""},
        StoredCase{"UnknownValuesBecomeOpenNone", 13, 9, 1, 1, 1, 0, ""}),
    [](const ::testing::TestParamInfo<StoredCase>& i) { return std::string(i.param.name); });

TEST_F(WpsRegistrar, StationPageListsTheSharableProfilesAndGivesTheChosenOne)
{
    LoadLibrary(WpsScene());
    WLANPROFILE corp = StoredProfile("Corp", "OfficeCorp", 0, 1);
    corp.b8021X = 1;
    WLANPROFILE shared = StoredProfile("Shared", "Legacy-WEP", 1, 0);
    WLANPROFILE alpha = StoredProfile("Alpha", "AlphaNet", 4, 4);
    std::strcpy(alpha.chPskKey, "alpha pass phrase");
    WLANPROFILE beta = StoredProfile("Beta", "BetaNet", 7, 6);
    std::strcpy(beta.chPskKey, "beta pass phrase");
    WLANPROFILE wep = StoredProfile("OpenWep", "WepNet", 0, 0);
    wep.wepDefaultKey = 2;
    std::strcpy(wep.WEPKey2, "A1B2C3D4E5");
    for (WLANPROFILE* p : {&corp, &shared, &alpha, &beta, &wep})
        ASSERT_EQ(VOZEZIV.WVWL_WriteProfile(p->strProfileName, p), 1);
    CreateWindows();
    OpenWizard();
    TFormProfileEdit* e = FormProfileEdit;
    e->m_strExtregProfileName = "Beta";
    OpenExtregPage();
    TFrameProfileEditExtregWPSProfile* page = e->FrameProfileEditExtregWPSProfile;
    ASSERT_EQ(e->m_pCurrentPage, page);
    TStrings& names = page->cboxProfileName->Items();
    ASSERT_EQ(names.Count(), 3);
    EXPECT_EQ(names.Strings(0), "Alpha");
    EXPECT_EQ(names.Strings(1), "Beta");
    EXPECT_EQ(names.Strings(2), "OpenWep");
    EXPECT_EQ(page->cboxProfileName->ItemIndex(), 1);
    EXPECT_EQ(page->lblSsid->Caption(), "BetaNet");
    EXPECT_EQ(page->lblAuthenMode->Caption(), Texts().STR_WPA2PSK);
    EXPECT_EQ(page->lblEncryption->Caption(), Texts().STR_AES);

    Pick(page->cboxProfileName, 2);
    EXPECT_EQ(e->m_strExtregProfileName, "OpenWep");
    EXPECT_EQ(page->lblAuthenMode->Caption(), Texts().STR_OPENSYSTEM);
    EXPECT_EQ(page->lblEncryption->Caption(), Texts().STR_WEP);
    Next();
    ASSERT_EQ(e->m_pCurrentPage, e->FrameProfileEditWPSConnect);
    const WPS_CREDENTIAL& given = e->m_profileWps.Profile[0];
    EXPECT_EQ(e->m_profileWps.ProfileCnt, 1u);
    EXPECT_EQ(SsidOf(given), "WepNet");
    EXPECT_EQ(given.AuthType, WPS_AUTH_OPEN);
    EXPECT_EQ(given.EncrType, WPS_ENCR_WEP);
    EXPECT_EQ(given.KeyIndex, 2u);
    EXPECT_EQ(KeyOf(given), "A1B2C3D4E5");
    EXPECT_TRUE(page->m_Profiles.empty());
}

TEST_F(WpsRegistrar, StationPageWithoutASharableProfileSaysSoAndClosesTheEditor)
{
    LoadLibrary(WpsScene());
    WLANPROFILE corp = StoredProfile("Corp", "OfficeCorp", 0, 1);
    corp.b8021X = 1;
    ASSERT_EQ(VOZEZIV.WVWL_WriteProfile("Corp", &corp), 1);
    CreateWindows();
    OpenWizard();
    OpenExtregPage();
    EXPECT_TRUE(Shown(Texts().STR_WPS_MSGBOX_NO_PROF_LIST));
    EXPECT_FALSE(FormProfileEdit->Visible());
}

class EnrolleeList : public WpsRegistrar {
protected:
    std::vector<std::vector<std::string>> Rows() const
    {
        std::vector<std::vector<std::string>> rows;
        TListView* list = FormSelEnrollee->m_lvEnrolleeList;
        for (int i = 0; i < list->ItemCount(); ++i) {
            const TListItem* item = list->Item(i);
            rows.push_back({item->Caption(), item->SubItem(0), item->SubItem(1)});
        }
        return rows;
    }

    bool Command(const std::string& line)
    {
        std::string reply;
        SimCommand(line, &reply);
        return reply.rfind("ok", 0) == 0;
    }

    // A scene file of its own for the simulator to switch to.
    std::string WriteScene(const TScenario& scene, const char* name)
    {
        const std::string path = m_scenarioPath + "." + name + ".ini";
        std::ofstream(path, std::ios::binary) << scene.Text();
        return path;
    }
};

TEST_F(EnrolleeList, ShowsEachStationWithItsPasswordIdAndModel)
{
    StartProgram(WpsScene()
                     .AddSection("Enrollee.1", {"Mac=02:AA:00:00:00:01", "PasswordId=0", "Model=Printer"})
                     .AddSection("Enrollee.2", {"Mac=02:AA:00:00:00:02", "PasswordId=4"})
                     .AddSection("Enrollee.3", {"Mac=02:AA:00:00:00:03", "PasswordId=65535", "Model=Camera"})
                     .AddSection("Enrollee.4", {"Mac=02:AA:00:00:00:04", "PasswordId=5", "Model=Lamp"}));
    FormSelEnrollee->Show();
    EXPECT_TRUE(FormSelEnrollee->TimerSelEnrollee->Enabled());
    EXPECT_EQ(Rows(), (std::vector<std::vector<std::string>>{
                          {"02-AA-00-00-00-01", "0x0000(PIN)", "Printer"},
                          {"02-AA-00-00-00-02", "0x0004(PBC)", "Unknown"},
                          {"02-AA-00-00-00-03", "Unknown", "Camera"},
                          {"02-AA-00-00-00-04", "Undefine", "Lamp"}}));
}

TEST_F(EnrolleeList, AnEmptyListFillsOnRefreshAndAHostileCountIsClamped)
{
    StartProgram(WpsScene());
    FormSelEnrollee->Show();
    EXPECT_TRUE(Rows().empty());
    const std::string two = WriteScene(WpsScene()
                                           .AddSection("Enrollee.1", {"Mac=02:AA:00:00:00:01", "PasswordId=0"})
                                           .AddSection("Enrollee.2", {"Mac=02:AA:00:00:00:02", "PasswordId=4"}),
                                       "two");
    ASSERT_TRUE(Command("scenario " + two));
    Click(FormSelEnrollee->BtnRefreshList);
    EXPECT_EQ(Rows().size(), 2u);

    // A library that claims a hundred thousand stations gets a buffer of the most believed.
    const std::string hostile = WriteScene(WpsScene().Set("WPS", "EnrolleeCountExtra", "100000")
                                               .AddSection("Enrollee.1", {"Mac=02:AA:00:00:00:01"}),
                                           "hostile");
    ASSERT_TRUE(Command("scenario " + hostile));
    SimJournalClear();
    Click(FormSelEnrollee->BtnRefreshList);
    EXPECT_NE(SimJournal().find("WVWL_GetEnrolleeInfo(" + std::to_string(kMaxEnrollees) + ")"), std::string::npos)
        << SimJournal();
    EXPECT_LE(Rows().size(), size_t(kMaxEnrollees));
}

TEST_F(EnrolleeList, OkWithoutAStationAsksAndStaysOnNo)
{
    StartProgram(WpsScene().AddSection("Enrollee.1", {"Mac=02:AA:00:00:00:01", "PasswordId=0"}));
    int answer = IDNO;
    m_onModal = [&answer](const std::string& what) { return what.rfind("No available", 0) == 0 ? answer : -1; };
    FormSelEnrollee->Show();
    Click(FormSelEnrollee->BtnOK);
    EXPECT_TRUE(FormSelEnrollee->Visible());
    EXPECT_TRUE(FormSelEnrollee->TimerSelEnrollee->Enabled());
    answer = IDYES;
    Click(FormSelEnrollee->BtnOK);
    EXPECT_FALSE(FormSelEnrollee->Visible());
    EXPECT_FALSE(FormSelEnrollee->TimerSelEnrollee->Enabled());
    EXPECT_FALSE(FormProfileEdit->m_bEnrolleeSelected);
}

struct StationCase {
    const char* name;
    int row;  // -1: none chosen
};

class ConfigStation : public WpsRegistrar, public ::testing::WithParamInterface<StationCase> {};

TEST_P(ConfigStation, PinStartSendsTheChosenStationOrEndsTheRun)
{
    const StationCase& c = GetParam();
    LoadLibrary(WpsScene()
                    .AddSection("Enrollee.1", {"Mac=02:AA:00:00:00:01", "PasswordId=0", "Pin=87654325"})
                    .AddSection("Enrollee.2", {"Mac=02:AA:00:00:00:02", "PasswordId=0", "Pin=12345670"}));
    StoreHomeProfile();
    CreateWindows();
    VOZEZIV.bEnrolleeInfoDialog = 1;
    ASSERT_TRUE(PumpUntil([this] {
        std::string reply;
        SimCommand("status", &reply);
        return reply.find("link=connected ssid=HomeNet") != std::string::npos;
    }, 20000));
    // Discovery of the access point the adapter is connected to finds it.
    ASSERT_EQ(VOZEZIV.WVWL_StartExtregWPS(kUuid), 1);
    ASSERT_TRUE(PumpUntil([] { return FormProfileEdit->m_bExtRegDeviceFound == TRUE; }));
    OpenWizard();
    TFormProfileEdit* e = FormProfileEdit;
    OpenExtregPage("12345670");
    ASSERT_EQ(e->m_pCurrentPage, e->FrameProfileEditExtregWPSProfile);
    Next();
    ASSERT_EQ(e->m_pCurrentPage, e->FrameProfileEditWPSConnect);

    m_onModal = [&c](const std::string& what) {
        if (what.rfind("No available", 0) == 0)
            return IDYES;
        if (what.rfind("FormSelEnrollee", 0) != 0)
            return -1;
        FormSelEnrollee->Show();
        if (c.row >= 0)
            SelectRow(FormSelEnrollee->m_lvEnrolleeList, c.row);
        Click(FormSelEnrollee->BtnOK);
        return FormSelEnrollee->Visible() ? mrCancel : mrOk;
    };
    SimJournalClear();
    Click(e->FrameProfileEditWPSConnect->BtnPIN);
    if (c.row < 0) {
        EXPECT_EQ(e->FrameProfileEditWPSConnect->editWPSStatus->Text(), "External registrar configure enrollee failed");
        EXPECT_FALSE(e->TimerWPSStatus->Enabled());
        EXPECT_EQ(SimCallCount("WVWL_SetSelEnrolleeMAC"), 0);
    } else {
        ASSERT_TRUE(PumpUntil([e] { return !e->Visible(); }, 20000)) << e->FrameProfileEditWPSConnect->editWPSStatus->Text();
        EXPECT_EQ(e->m_nWpsProgress, 100);
        const std::string journal = SimJournal();
        const size_t use = journal.find("WVWL_UseEnrolleeList(1)");
        const size_t start = journal.find("WVWL_SetWPSMode(PIN len=8 checksum=ok ssid \"\" bssid 00:00:00:00:00:00 channel 0 config 3)");
        const size_t chosen = journal.find("WVWL_SetSelEnrolleeMAC(02AA00000002)");
        ASSERT_NE(use, std::string::npos) << journal;
        ASSERT_NE(start, std::string::npos) << journal;
        ASSERT_NE(chosen, std::string::npos) << journal;
        EXPECT_LT(use, start);
        EXPECT_LT(start, chosen);
    }
    int flag = -1;
    VOZEZIV.WVWL_ReadWPSFlag(&flag);
    EXPECT_EQ(flag, 0);
}

INSTANTIATE_TEST_SUITE_P(Choices, ConfigStation,
                         ::testing::Values(StationCase{"SecondStation", 1}, StationCase{"NoneChosen", -1}),
                         [](const ::testing::TestParamInfo<StationCase>& i) { return std::string(i.param.name); });

}  // namespace
