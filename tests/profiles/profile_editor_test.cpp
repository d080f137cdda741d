// The profile editor on the simulated adapter: Next and Back between its pages in every
// mode, the checks of the wireless and key pages with their messages, save and load of
// the stored record, and a secured network of the site survey joined through the action
// queue.
#include "mainwindow/program_fixture.h"

#include <cstring>
#include <string>
#include <vector>

#include "mainwindow/FormSiteSurvey.h"
#include "mainwindow/LinkStatus.h"
#include "profiles/FormProfile.h"
#include "profiles/FormProfileEdit.h"
#include "profiles/FrameProfileEdit8021X.h"
#include "resources/FormResource.h"
#include "support/WapiCertFiles.h"
#include "ui/Seams.h"
#include "../ui/UiTestSupport.h"
#include "wlapi/constants.h"

namespace {

enum class Page { Wireless, Security, Key, Advanced, X8021, ClientCert, ServerCert, EapFast, Sso, WapiCert,
                  WpsConnect, WpsProfile, Wps, WpsPin, Closed };

const char* PageName(Page page)
{
    static const char* names[] = {"Wireless", "Security", "Key", "Advanced", "8021X", "ClientCert", "ServerCert",
                                  "EapFast", "Sso", "WapiCert", "WpsConnect", "WpsProfile", "Wps", "WpsPin", "Closed"};
    return names[int(page)];
}

TFrameBase* FrameOf(Page page)
{
    TFormProfileEdit* e = FormProfileEdit;
    switch (page) {
    case Page::Wireless: return e->FrameProfileEditWireless;
    case Page::Security: return e->FrameProfileEditSecurity;
    case Page::Key: return e->FrameProfileEditKey;
    case Page::Advanced: return e->FrameProfileEditAdvanced;
    case Page::X8021: return e->FrameProfileEdit8021X;
    case Page::ClientCert: return e->FrameProfileEditClientCert;
    case Page::ServerCert: return e->FrameProfileEditServerCert;
    case Page::EapFast: return e->FrameProfileEditEAPFast;
    case Page::Sso: return e->FrameProfileEditSSO;
    case Page::WapiCert: return e->FrameProfileEditWAPICert;
    case Page::WpsConnect: return e->FrameProfileEditWPSConnect;
    case Page::WpsProfile: return e->FrameProfileEditWPSProfile;
    case Page::Wps: return e->FrameProfileEditWPS;
    case Page::WpsPin: return e->FrameProfileEditWPSPin;
    default: return nullptr;
    }
}

Page Showing()
{
    if (!FormProfileEdit->Visible())
        return Page::Closed;
    for (int i = 0; i < int(Page::Closed); ++i)
        if (FrameOf(Page(i)) == FormProfileEdit->m_pCurrentPage)
            return Page(i);
    return Page::Closed;
}

enum class Mode { Add, Survey };

// Program settings and choices of one routing case.
struct Route {
    const char* name;
    Mode mode;
    int os;
    int auth, encry;
    int method;      // EAP method
    int tunnel;      // inner method of PEAP and EAP-FAST
    int provision;   // EAP-FAST provisioning position
    int persistent;  // [PersistentConnect] PersistentConnect
    int switches;    // every per-kind switch of [PersistentConnect]
    int advPage;     // [Profile] ProfAdvPage
    int infra;
    Page from, to;
};

std::string Str(std::string CUISTR::*text)
{
    return FormResource->UI_Str.get()->*text;
}

class ProfileEditor : public ProgramFixture {
protected:
    void SetUp() override
    {
        ProgramFixture::SetUp();
        seams::modalAnswer = [this](const std::string& what) {
            m_shown.push_back(what);
            return int(mrOk);
        };
    }

    void Start(const TScenario& scenario = TScenario())
    {
        StartProgram(scenario);
        FormMain->TimerReconnect->SetEnabled(false);
    }

    // One user certificate in the WAPI certificate library.
    void InstallWapiCert()
    {
        ASSERT_NE(VOZEZIV.ZeZuveZud_WriteUserASCert, nullptr);
        const std::string as = m_certFiles.WriteAS("as.cer", "Wevo AS", "A0");
        const std::string user = m_certFiles.Write("user.cer", "alice", "Wevo AS", "01");
        ASSERT_EQ(VOZEZIV.ZeZuveZud_WriteUserASCert(FormProfileEdit->m_WapiCertStore.get(), user.c_str(), as.c_str()),
                  WAPI_INSTALL_DONE);
    }

    WapiCertFiles m_certFiles;
    bool m_installWapiCert = true;

    static void Settings(const Route& r)
    {
        VOZEZIV.nWinOS = r.os;
        VOZEZIV.nWinType = 3;
        VOZEZIV.bPersistentConnect = r.persistent;
        for (int* flag : {&VOZEZIV.bPEAP, &VOZEZIV.bTLS_SmartCard, &VOZEZIV.bTTLS, &VOZEZIV.bEAP_FAST, &VOZEZIV.bLEAP,
                          &VOZEZIV.bMD5, &VOZEZIV.bOpen_None, &VOZEZIV.bOpen_WEP, &VOZEZIV.bShared_WEP,
                          &VOZEZIV.bWPA_PSK, &VOZEZIV.bWPA2_PSK})
            *flag = r.switches;
        VOZEZIV.bProfAdvPage = r.advPage;
    }

    // The editor opened as the case's mode says, with its choices made, on the case's page.
    void OpenOn(const Route& r)
    {
        Open(r);
        TFormProfileEdit* e = FormProfileEdit;
        if (r.from == Page::Security)
            e->FillAuthenticationList();
        ASSERT_TRUE(e->SwitchPage(e->m_pCurrentPage, FrameOf(r.from)));
        if (r.from == Page::Key)
            e->FrameProfileEditKey->editPskKey->SetText(e->m_strPskKey);
    }

    // The editor opened as the case's mode says, with its choices made, and Next pressed on
    // each page, its entries filled in, until the case's page shows.
    void WalkTo(const Route& r)
    {
        Open(r);
        TFormProfileEdit* e = FormProfileEdit;
        for (int step = 0; step < 8 && Showing() != r.from; ++step) {
            const Page at = Showing();
            if (at == Page::Key) {
                e->FrameProfileEditKey->editPskKey->SetText(e->m_strPskKey);
                e->FrameProfileEditKey->editWEPKey[0]->SetText("0123456789");
            }
            if (at == Page::X8021) {
                e->FrameProfileEdit8021X->editAuthenID->SetText("user");
                e->FrameProfileEdit8021X->editAuthenPassword->SetText("secret");
            }
            ASSERT_TRUE(ClickControl(e->BtnProfileNext));
            ASSERT_NE(Showing(), at) << "Next stays on " << PageName(at) << (m_shown.empty() ? "" : ": " + m_shown.back());
        }
        ASSERT_STREQ(PageName(Showing()), PageName(r.from));
    }

    // The editor shown as the case's mode opens it, with the case's settings and choices.
    void Open(const Route& r)
    {
        Settings(r);
        TFormProfileEdit* e = FormProfileEdit;
        if (r.mode == Mode::Add) {
            e->InitialSettingFromProfileAdd("Routed", "7");
            e->m_bAddProfile = TRUE;
            e->m_bEditProfile = FALSE;
        } else {
            e->ResetEditor();
            e->m_bAddProfile = FALSE;
            e->m_bEditProfile = FALSE;
        }
        e->m_strProfName = e->m_strOrgProfName = "Routed";
        e->m_strProfSSID = "RoutedNet";
        e->m_nProfNetworkType = e->m_nInfrastructureMode = r.infra;
        e->m_nAuthSel = r.auth;
        e->m_nEncrySel = r.encry;
        e->m_nEAPMethod = r.method;
        e->m_nTunnelAuthen = r.tunnel;
        e->m_nProvisioningTunnel = r.provision;
        e->m_strPskKey = "a pass phrase of some length";
        if (r.auth == 9 && m_installWapiCert)
            InstallWapiCert();
        e->Show();
    }

    bool Shown(std::string CUISTR::*text) const
    {
        const std::string wanted = Str(text);
        for (const std::string& what : m_shown)
            if (what.find(wanted) != std::string::npos)
                return true;
        return false;
    }

    static bool Stored(const std::string& name, WLANPROFILE& p)
    {
        std::memset(&p, 0, sizeof p);
        unsigned long count = 0;
        VOZEZIV.WVWL_ReadProfileList(nullptr, &count);
        std::vector<WLANPROFILE> records(count);
        if (count)
            VOZEZIV.WVWL_ReadProfileList(records.data(), &count);
        for (unsigned long i = 0; i < count && i < records.size(); ++i) {
            if (name == records[i].strProfileName) {
                p = records[i];
                return true;
            }
        }
        return false;
    }

    std::vector<std::string> m_shown;
};

// ---- Next and Back

class EditorNext : public ProfileEditor, public ::testing::WithParamInterface<Route> {};

TEST_P(EditorNext, GoesWhereTheChoicesLead)
{
    const Route& r = GetParam();
    Start();
    OpenOn(r);
    if (Showing() == Page::X8021 && r.to != Page::X8021) {
        // the 802.1X page asks for the identity before it lets the user on
        FormProfileEdit->FrameProfileEdit8021X->editAuthenID->SetText("user");
        FormProfileEdit->FrameProfileEdit8021X->editAuthenPassword->SetText("secret");
    }
    const int surveyCalls = SimCallCount("WVWL_SetWLANProfile");
    ClickControl(FormProfileEdit->BtnProfileNext);
    EXPECT_STREQ(PageName(Showing()), PageName(r.to));
    WLANPROFILE p;
    const bool saved = Stored("Routed", p);
    if (r.to == Page::Closed && r.mode == Mode::Add) {
        EXPECT_TRUE(saved) << "finishing stores the profile";
    }
    if (r.to != Page::Closed || r.mode == Mode::Survey) {
        EXPECT_FALSE(saved) << "nothing is stored before finish";
    }
    if (r.to == Page::Closed && r.mode == Mode::Survey) {
        EXPECT_EQ(FormSiteSurvey->m_nEditAuth, r.auth) << "handed to the site survey";
    }
    if (r.to != Page::Closed) {
        EXPECT_EQ(SimCallCount("WVWL_SetWLANProfile"), surveyCalls);
    }
}

// name, mode, os, auth, encry, method, tunnel, provision, persistent, switches, advPage, infra, from, to
const Route kNextRoutes[] = {
    {"OpenSurveyHandsOver", Mode::Survey, 41, 0, 0, 0, 26, 0, 1, 1, 1, 1, Page::Security, Page::Closed},
    {"OpenWithSsoSwitch", Mode::Add, 41, 0, 0, 0, 26, 0, 1, 1, 0, 1, Page::Security, Page::Sso},
    {"OpenAdHocNoSso", Mode::Add, 41, 0, 0, 0, 26, 0, 1, 1, 1, 0, Page::Security, Page::Advanced},
    {"OpenFinishes", Mode::Add, 41, 0, 0, 0, 26, 0, 0, 0, 0, 1, Page::Security, Page::Closed},
    {"OpenToAdvanced", Mode::Add, 41, 0, 0, 0, 26, 0, 0, 0, 1, 1, Page::Security, Page::Advanced},
    {"Wpa2To8021X", Mode::Add, 41, 5, 3, 0, 26, 0, 0, 0, 0, 1, Page::Security, Page::X8021},
    {"CckmTo8021X", Mode::Survey, 41, 10, 3, 0, 26, 0, 0, 0, 0, 1, Page::Security, Page::X8021},
    {"Dot1XWepTo8021X", Mode::Add, 41, 12, 1, 0, 26, 0, 0, 0, 0, 1, Page::Security, Page::X8021},
    {"Wpa2PskToKey", Mode::Add, 41, 6, 3, 0, 26, 0, 0, 0, 0, 1, Page::Security, Page::Key},
    {"OpenWepToKey", Mode::Survey, 41, 0, 1, 0, 26, 0, 0, 0, 0, 1, Page::Security, Page::Key},
    {"KeyStoresDirectly", Mode::Add, 41, 6, 3, 0, 26, 0, 0, 0, 0, 1, Page::Key, Page::Closed},
    {"KeyToSso", Mode::Add, 41, 6, 3, 0, 26, 0, 1, 1, 0, 1, Page::Key, Page::Sso},
    {"KeyAdHocNoSso", Mode::Add, 41, 6, 3, 0, 26, 0, 1, 1, 0, 0, Page::Key, Page::Closed},
    {"KeyToAdvanced", Mode::Add, 41, 4, 2, 0, 26, 0, 1, 0, 1, 1, Page::Key, Page::Advanced},
    {"KeySurveyHandsOver", Mode::Survey, 41, 6, 3, 0, 26, 0, 1, 1, 1, 1, Page::Key, Page::Closed},
    {"PeapToServerCert", Mode::Add, 41, 5, 3, 0, 26, 0, 0, 0, 0, 1, Page::X8021, Page::ServerCert},
    {"PeapTlsToClientCert", Mode::Add, 41, 5, 3, 0, 13, 0, 0, 0, 0, 1, Page::X8021, Page::ClientCert},
    {"TlsToClientCert", Mode::Add, 41, 3, 2, 1, 26, 0, 0, 0, 0, 1, Page::X8021, Page::ClientCert},
    {"TtlsToClientCert", Mode::Survey, 20, 5, 3, 2, 26, 0, 0, 0, 0, 1, Page::X8021, Page::ClientCert},
    {"FastBeforeVistaToFastPage", Mode::Add, 20, 3, 2, 3, 26, 0, 0, 0, 0, 1, Page::X8021, Page::EapFast},
    {"FastSurveyHandsOver", Mode::Survey, 41, 5, 3, 3, 26, 0, 0, 0, 0, 1, Page::X8021, Page::Closed},
    {"FastPersistentOffToSso", Mode::Add, 41, 5, 3, 3, 26, 0, 0, 0, 0, 1, Page::X8021, Page::Sso},
    {"FastWin7ToSso", Mode::Add, 41, 5, 3, 3, 26, 0, 1, 1, 0, 1, Page::X8021, Page::Sso},
    {"FastWin8Finishes", Mode::Add, 51, 5, 3, 3, 26, 0, 1, 1, 0, 1, Page::X8021, Page::Closed},
    {"Md5ToKey", Mode::Add, 20, 12, 1, 4, 26, 0, 0, 0, 0, 1, Page::X8021, Page::Key},
    {"LeapToSso", Mode::Add, 41, 5, 3, 5, 26, 0, 1, 1, 0, 1, Page::X8021, Page::Sso},
    {"LeapSwitchOffToAdvanced", Mode::Add, 41, 5, 3, 5, 26, 0, 1, 0, 1, 1, Page::X8021, Page::Advanced},
    {"ClientToServer", Mode::Add, 41, 5, 3, 1, 26, 0, 0, 0, 0, 1, Page::ClientCert, Page::ServerCert},
    {"ServerSurveyHandsOver", Mode::Survey, 41, 5, 3, 0, 26, 0, 1, 1, 0, 1, Page::ServerCert, Page::Closed},
    {"ServerToSso", Mode::Add, 41, 5, 3, 0, 26, 0, 1, 1, 0, 1, Page::ServerCert, Page::Sso},
    {"ServerSwitchOffToAdvanced", Mode::Add, 41, 5, 3, 0, 26, 0, 1, 0, 1, 1, Page::ServerCert, Page::Advanced},
    {"ServerPersistentOffVistaToSso", Mode::Add, 41, 5, 3, 0, 26, 0, 0, 0, 0, 1, Page::ServerCert, Page::Sso},
    {"ServerPersistentOffXpFinishes", Mode::Add, 20, 3, 2, 0, 26, 0, 0, 0, 0, 1, Page::ServerCert, Page::Closed},
    {"FastTlsToClientCert", Mode::Add, 20, 3, 2, 3, 13, 0, 0, 0, 0, 1, Page::EapFast, Page::ClientCert},
    {"FastTlsProvisionToClientCert", Mode::Add, 20, 3, 2, 3, 26, 1, 0, 0, 0, 1, Page::EapFast, Page::ClientCert},
    {"FastPageToSso", Mode::Add, 20, 3, 2, 3, 26, 0, 0, 0, 0, 1, Page::EapFast, Page::Sso},
    {"FastPageSurveyHandsOver", Mode::Survey, 20, 3, 2, 3, 26, 0, 0, 0, 0, 1, Page::EapFast, Page::Closed},
    {"WapiCertToAdvanced", Mode::Add, 41, 9, 4, 0, 26, 0, 0, 0, 1, 1, Page::WapiCert, Page::Advanced},
    {"SsoSurveyHandsOver", Mode::Survey, 41, 5, 3, 0, 26, 0, 1, 1, 1, 1, Page::Sso, Page::Closed},
    {"SsoToAdvanced", Mode::Add, 41, 5, 3, 0, 26, 0, 1, 1, 1, 1, Page::Sso, Page::Advanced},
    {"SsoFinishes", Mode::Add, 41, 5, 3, 0, 26, 0, 1, 1, 0, 1, Page::Sso, Page::Closed},
    {"AdvancedFinishes", Mode::Add, 41, 6, 3, 0, 26, 0, 0, 0, 1, 0, Page::Advanced, Page::Closed},
};

INSTANTIATE_TEST_SUITE_P(Table, EditorNext, ::testing::ValuesIn(kNextRoutes),
                         [](const auto& info) { return std::string(info.param.name); });

class EditorBack : public ProfileEditor, public ::testing::WithParamInterface<Route> {};

// Rows whose page a user reaches only with more than these tests enter on the way (a client
// certificate in the store, a choice the Security or 802.1X page of this adapter does not
// offer): they open on their page directly.
bool OpensDirectly(const Route& r)
{
    for (const char* name : {"ServerToClientForTls", "ServerToClientForPeapTls", "WapiToSecurity", "SsoFastXpToFast",
                             "SsoFastXpTlsToServer", "AdvancedWapiToWapi", "AdvancedMd5ToKey"})
        if (std::string(r.name) == name)
            return true;
    return false;
}

TEST_P(EditorBack, ReturnsToThePageBefore)
{
    const Route& r = GetParam();
    Start();
    if (OpensDirectly(r)) {
        OpenOn(r);
        FormProfileEdit->BtnProfileBackClick(nullptr); // a page jumped to has Back as the editor opened
    } else {
        WalkTo(r);
        ClickControl(FormProfileEdit->BtnProfileBack);
    }
    EXPECT_STREQ(PageName(Showing()), PageName(r.to));
    WLANPROFILE p;
    EXPECT_FALSE(Stored("Routed", p));
}

const Route kBackRoutes[] = {
    {"SecurityToWireless", Mode::Add, 41, 6, 3, 0, 26, 0, 0, 0, 0, 1, Page::Security, Page::Wireless},
    {"KeyToSecurity", Mode::Add, 41, 6, 3, 0, 26, 0, 0, 0, 0, 1, Page::Key, Page::Security},
    {"Dot1XToSecurity", Mode::Add, 41, 5, 3, 0, 26, 0, 0, 0, 0, 1, Page::X8021, Page::Security},
    {"ClientToFastBeforeVista", Mode::Add, 20, 3, 2, 3, 26, 1, 0, 0, 0, 1, Page::ClientCert, Page::EapFast},
    {"ClientTo8021X", Mode::Add, 41, 5, 3, 1, 26, 0, 0, 0, 0, 1, Page::ClientCert, Page::X8021},
    {"ServerToClientForTls", Mode::Add, 41, 5, 3, 1, 26, 0, 0, 0, 0, 1, Page::ServerCert, Page::ClientCert},
    {"ServerToClientForPeapTls", Mode::Add, 41, 5, 3, 0, 13, 0, 0, 0, 0, 1, Page::ServerCert, Page::ClientCert},
    {"ServerTo8021XForPeap", Mode::Add, 41, 5, 3, 0, 26, 0, 0, 0, 0, 1, Page::ServerCert, Page::X8021},
    {"FastTo8021X", Mode::Add, 20, 3, 2, 3, 26, 0, 0, 0, 0, 1, Page::EapFast, Page::X8021},
    {"WapiToSecurity", Mode::Add, 41, 9, 4, 0, 26, 0, 0, 0, 0, 1, Page::WapiCert, Page::Security},
    {"SsoOpenToSecurity", Mode::Add, 41, 0, 0, 0, 26, 0, 1, 1, 0, 1, Page::Sso, Page::Security},
    {"SsoPskToKey", Mode::Add, 41, 6, 3, 0, 26, 0, 1, 1, 0, 1, Page::Sso, Page::Key},
    {"SsoFastXpToFast", Mode::Add, 20, 3, 2, 3, 26, 0, 1, 1, 0, 1, Page::Sso, Page::EapFast},
    {"SsoFastXpTlsToServer", Mode::Add, 20, 3, 2, 3, 26, 1, 1, 1, 0, 1, Page::Sso, Page::ServerCert},
    {"SsoFastVistaTo8021X", Mode::Add, 41, 5, 3, 3, 26, 0, 1, 1, 0, 1, Page::Sso, Page::X8021},
    {"SsoPeapToServer", Mode::Add, 41, 5, 3, 0, 26, 0, 1, 1, 0, 1, Page::Sso, Page::ServerCert},
    {"SsoOffFastXpToFast", Mode::Add, 20, 3, 2, 3, 26, 0, 0, 0, 0, 1, Page::Sso, Page::EapFast},
    {"SsoOffLeapTo8021X", Mode::Add, 41, 5, 3, 5, 26, 0, 0, 0, 0, 1, Page::Sso, Page::X8021},
    {"SsoOffPeapToServer", Mode::Add, 41, 5, 3, 0, 26, 0, 0, 0, 0, 1, Page::Sso, Page::ServerCert},
    {"AdvancedOpenToSecurity", Mode::Add, 41, 0, 0, 0, 26, 0, 0, 0, 1, 1, Page::Advanced, Page::Security},
    {"AdvancedOpenToSso", Mode::Add, 41, 0, 0, 0, 26, 0, 1, 1, 1, 1, Page::Advanced, Page::Sso},
    {"AdvancedWapiToWapi", Mode::Add, 41, 9, 4, 0, 26, 0, 0, 0, 1, 1, Page::Advanced, Page::WapiCert},
    {"AdvancedPeapToSso", Mode::Add, 41, 5, 3, 0, 26, 0, 1, 1, 1, 1, Page::Advanced, Page::Sso},
    {"AdvancedPeapToServer", Mode::Add, 41, 5, 3, 0, 26, 0, 0, 0, 1, 1, Page::Advanced, Page::ServerCert},
    {"AdvancedLeapTo8021X", Mode::Add, 41, 5, 3, 5, 26, 0, 0, 0, 1, 1, Page::Advanced, Page::X8021},
    {"AdvancedMd5ToKey", Mode::Add, 41, 12, 1, 4, 26, 0, 0, 0, 1, 1, Page::Advanced, Page::Key},
    {"AdvancedFastToSso", Mode::Add, 41, 5, 3, 3, 26, 0, 0, 0, 1, 1, Page::Advanced, Page::Sso},
    {"AdvancedPskToKey", Mode::Add, 41, 6, 3, 0, 26, 0, 0, 0, 1, 1, Page::Advanced, Page::Key},
    {"AdvancedPskToSso", Mode::Add, 41, 6, 3, 0, 26, 0, 1, 1, 1, 1, Page::Advanced, Page::Sso},
};

INSTANTIATE_TEST_SUITE_P(Table, EditorBack, ::testing::ValuesIn(kBackRoutes),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(ProfileEditor, BackIsEnabledOnlyWhereTheModeAllowsIt)
{
    Start();
    const Route survey{"", Mode::Survey, 41, 6, 3, 0, 26, 0, 0, 0, 0, 1, Page::Key, Page::Security};
    WalkTo(survey);
    ClickControl(FormProfileEdit->BtnProfileBack);
    EXPECT_FALSE(FormProfileEdit->BtnProfileBack->Enabled()) << "the survey's editor starts on the security page";
    FormProfileEdit->Hide();
    const Route add{"", Mode::Add, 41, 6, 3, 0, 26, 0, 0, 0, 0, 1, Page::Key, Page::Security};
    WalkTo(add);
    ClickControl(FormProfileEdit->BtnProfileBack);
    EXPECT_TRUE(FormProfileEdit->BtnProfileBack->Enabled());
    ClickControl(FormProfileEdit->BtnProfileBack);
    EXPECT_EQ(Showing(), Page::Wireless);
    EXPECT_FALSE(FormProfileEdit->BtnProfileBack->Enabled());
}

TEST_F(ProfileEditor, OpensOnTheSecurityPageForTheSurveyAndTheWirelessPageOtherwise)
{
    Start();
    FormProfileEdit->InitialSettingFromProfileAdd("First", "1");
    FormProfileEdit->m_bAddProfile = TRUE;
    FormProfileEdit->Show();
    EXPECT_EQ(Showing(), Page::Wireless);
    EXPECT_FALSE(FormProfileEdit->BtnProfileBack->Enabled());
    FormProfileEdit->Hide();
    FormProfileEdit->m_bAddProfile = FALSE;
    FormProfileEdit->Show();
    EXPECT_EQ(Showing(), Page::Security);
    EXPECT_FALSE(FormProfileEdit->BtnProfileBack->Enabled());
}

TEST_F(ProfileEditor, PagesThatRefuseNextSayWhy)
{
    Start();
    const Route wapi{"", Mode::Add, 41, 9, 4, 0, 26, 0, 0, 0, 0, 1, Page::WapiCert, Page::WapiCert};
    m_installWapiCert = false;
    OpenOn(wapi);
    ClickControl(FormProfileEdit->BtnProfileNext);
    EXPECT_EQ(Showing(), Page::WapiCert);
    EXPECT_TRUE(Shown(&CUISTR::STR_NO_USER_CERT));

    FormProfileEdit->Hide();
    const Route adv{"", Mode::Add, 41, 6, 3, 0, 26, 0, 0, 0, 1, 0, Page::Advanced, Page::Advanced};
    OpenOn(adv);
    FormProfileEdit->FrameProfileEditWireless->cboxChannel->Items().Clear();
    FormProfileEdit->FrameProfileEditWireless->cboxChannel->SetItemIndex(-1);
    ClickControl(FormProfileEdit->BtnProfileNext);
    EXPECT_EQ(Showing(), Page::Advanced);
    EXPECT_TRUE(Shown(&CUISTR::STR_SYSCONFIG_NO_CHANN_4_ADHOC));
    WLANPROFILE p;
    EXPECT_FALSE(Stored("Routed", p));
}

TEST_F(ProfileEditor, Md5KeysAreCheckedOnTheKeyPage)
{
    Start();
    // MD5 is offered only before the system's own EAP host and only with WEP
    const Route md5{"", Mode::Add, 20, 12, 1, 4, 26, 0, 0, 0, 0, 1, Page::X8021, Page::Key};
    OpenOn(md5);
    FormProfileEdit->FrameProfileEdit8021X->editAuthenID->SetText("user");
    FormProfileEdit->FrameProfileEdit8021X->editAuthenPassword->SetText("secret");
    ClickControl(FormProfileEdit->BtnProfileNext);
    ASSERT_EQ(Showing(), Page::Key);
    EXPECT_TRUE(FormProfileEdit->m_bMD5WepKeys);
    ClickControl(FormProfileEdit->BtnProfileNext); // default key 1 empty
    EXPECT_EQ(Showing(), Page::Key);
    EXPECT_TRUE(Shown(&CUISTR::STR_MSGHEXWEPKEYINVALID));
    FormProfileEdit->FrameProfileEditKey->editWEPKey[0]->SetText("0123456789");
    ClickControl(FormProfileEdit->BtnProfileNext);
    EXPECT_EQ(Showing(), Page::Closed);
}

TEST_F(ProfileEditor, CancelOnTheWpsConnectPageEndsTheRunFromTheProfileList)
{
    Start();
    FormProfileEdit->InitialSettingFromProfileAdd("Wps", "1");
    FormProfileEdit->m_bAddProfile = TRUE;
    FormProfile->m_bWPSFromProfile = TRUE; // the profile list's WPS button
    FormProfileEdit->Show();
    EXPECT_EQ(FormProfileEdit->m_pCurrentPage, FormProfileEdit->FrameProfileEditWPS);
    ASSERT_TRUE(FormProfileEdit->SwitchPage(FormProfileEdit->m_pCurrentPage, FormProfileEdit->FrameProfileEditWPSConnect));
    VOZEZIV.WVWL_WriteWPSFlag(1);
    ClickControl(FormProfileEdit->SysBtnClose);
    int flag = -1;
    VOZEZIV.WVWL_ReadWPSFlag(&flag);
    EXPECT_EQ(flag, 0);
    EXPECT_FALSE(FormProfile->m_bWPSFromProfile);
    EXPECT_EQ(Showing(), Page::Closed);
}

// ---- checks of the wireless page

struct WirelessCheck {
    const char* name;
    const char* profileName;
    const char* ssid;
    int os;
    int infra;
    bool fromSurvey;
    bool edit;       // edit mode with the original name "Home"
    const char* id;
    std::string CUISTR::*message; // null: accepted
};

class EditorWirelessCheck : public ProfileEditor, public ::testing::WithParamInterface<WirelessCheck> {};

TEST_P(EditorWirelessCheck, RefusesWithItsMessageOrGoesOn)
{
    const WirelessCheck& c = GetParam();
    Start();
    WLANPROFILE home = VOZEZIV.defaultProfile;
    std::strcpy(home.strProfileName, "Home");
    ASSERT_EQ(VOZEZIV.WVWL_WriteProfile("Home", &home), 1);
    VOZEZIV.nWinOS = c.os;
    TFormProfileEdit* e = FormProfileEdit;
    e->InitialSettingFromProfileAdd("Start", c.id);
    e->m_strProfID = c.id;
    e->m_bAddProfile = !c.edit;
    e->m_bEditProfile = c.edit;
    if (c.edit)
        e->m_strOrgProfName = "Home";
    e->m_bFromSurvey = c.fromSurvey;
    e->Show();
    ASSERT_EQ(Showing(), Page::Wireless);
    e->m_strProfSSID = c.ssid;
    e->FrameProfileEditWireless->OnEnterPage();
    (c.infra ? e->FrameProfileEditWireless->rBtnInfra : e->FrameProfileEditWireless->rBtnAdhoc)->SetChecked(true);
    e->FrameProfileEditWireless->editProfileName->SetText(c.profileName);
    m_shown.clear();
    ClickControl(e->BtnProfileNext);
    if (!c.message) {
        EXPECT_EQ(Showing(), Page::Security) << (m_shown.empty() ? "" : m_shown.front());
        EXPECT_TRUE(e->BtnProfileBack->Enabled());
        return;
    }
    EXPECT_EQ(Showing(), Page::Wireless);
    ASSERT_EQ(m_shown.size(), 1u);
    EXPECT_NE(m_shown.front().find(Str(c.message)), std::string::npos) << m_shown.front();
}

const WirelessCheck kWirelessChecks[] = {
    {"EmptyName", "", "Net", 41, 1, false, false, "2", &CUISTR::STR_INPUTPROFILENAME},
    {"BlankName", "   ", "Net", 41, 1, false, false, "2", &CUISTR::STR_PURESPACE_PROFILENAME},
    {"LongName", "abcdefghijklmnopqrstuvwxyz0123456", "Net", 41, 1, false, false, "2", &CUISTR::STR_PROFILENAMELENGTH},
    {"DefaultNameBeyondLargest", "prof4294967295", "Net", 41, 1, false, false, "2", &CUISTR::STR_PROFILENAME_INVALIDINT},
    {"DefaultNameAtLargest", "PROF4294967294", "Net", 41, 1, false, false, "2", nullptr},
    {"DefaultPrefixWithLetters", "PROFabc", "Net", 41, 1, false, false, "2", nullptr},
    {"VistaInfraNeedsSsid", "Mine", "", 41, 1, false, false, "2", &CUISTR::STR_ADHOCINPUTSSID},
    {"XpInfraWithoutSsid", "Mine", "", 20, 1, false, false, "2", nullptr},
    {"XpAdHocNeedsSsid", "Mine", "", 20, 0, false, false, "2", &CUISTR::STR_ADHOCINPUTSSID},
    {"XpSurveyNeedsSsid", "Mine", "", 20, 1, true, false, "2", &CUISTR::STR_ADHOCINPUTSSID},
    {"DuplicateName", "Home", "Net", 41, 1, false, false, "2", &CUISTR::STR_DUPLIPROF},
    {"EditKeepsItsName", "Home", "Net", 41, 1, false, true, "2", nullptr},
    {"EditRenamedOntoAnother", "Home", "Net", 41, 1, false, true, "2", nullptr},
    {"XpAddNeedsId", "Mine", "Net", 20, 1, false, false, "", &CUISTR::STR_PROF_IDREQUIRED},
    {"VistaAddWithoutId", "Mine", "Net", 41, 1, false, false, "", nullptr},
};

INSTANTIATE_TEST_SUITE_P(Table, EditorWirelessCheck, ::testing::ValuesIn(kWirelessChecks),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(ProfileEditor, ABracketCannotBePartOfAName)
{
    Start();
    FormProfileEdit->InitialSettingFromProfileAdd("Start", "1");
    FormProfileEdit->m_bAddProfile = TRUE;
    FormProfileEdit->Show();
    FormProfileEdit->m_strProfSSID = "Net";
    FormProfileEdit->FrameProfileEditWireless->OnEnterPage();
    FormProfileEdit->FrameProfileEditWireless->editProfileName->SetText("My]Net]");
    ClickControl(FormProfileEdit->BtnProfileNext);
    EXPECT_EQ(FormProfileEdit->m_strProfName, "MyNet");
    EXPECT_EQ(FormProfileEdit->m_strOrgProfName, "MyNet");
}

TEST_F(ProfileEditor, RenamingAnEditedProfileRunsTheDuplicateTest)
{
    Start();
    for (const char* name : {"Home", "Work"}) {
        WLANPROFILE p = VOZEZIV.defaultProfile;
        std::strcpy(p.strProfileName, name);
        ASSERT_EQ(VOZEZIV.WVWL_WriteProfile(name, &p), 1);
    }
    TFormProfileEdit* e = FormProfileEdit;
    e->ResetEditor();
    e->m_strProfName = e->m_strOrgProfName = "Work";
    e->m_bEditProfile = TRUE;
    e->m_bAddProfile = FALSE;
    e->LoadProfile();
    e->FillPagesFromProfile();
    e->m_strProfSSID = "Net";
    e->Show();
    e->FrameProfileEditWireless->OnEnterPage();
    e->FrameProfileEditWireless->editProfileName->SetText("Home");
    ClickControl(e->BtnProfileNext);
    EXPECT_EQ(Showing(), Page::Wireless);
    EXPECT_TRUE(Shown(&CUISTR::STR_DUPLIPROF));
}

// ---- checks of the key page

struct KeyCheck {
    const char* name;
    int auth, encry;
    const char* key;       // pre-shared key, or the default WEP key
    int format;            // PSK format (WAPI) or the default key's format: 0 hexadecimal, 1 ASCII
    int md5;
    std::string CUISTR::*message;
};

class EditorKeyCheck : public ProfileEditor, public ::testing::WithParamInterface<KeyCheck> {};

TEST_P(EditorKeyCheck, AcceptsOrRefusesTheKey)
{
    const KeyCheck& c = GetParam();
    Start();
    TFormProfileEdit* e = FormProfileEdit;
    e->ResetEditor();
    e->m_nAuthSel = c.auth;
    e->m_nEncrySel = c.encry;
    e->m_bMD5WepKeys = c.md5;
    const bool wep = c.encry == 1;
    if (wep) {
        e->m_nDefaultKey = 1;
        e->m_strWEPKey[0] = c.key;
        e->m_nWEPKeyFormat[0] = c.format;
    } else {
        e->m_strPskKey = c.key;
        e->m_nPskKeyType = c.format;
    }
    EXPECT_EQ(e->CheckKeys(), c.message == nullptr);
    if (c.message) {
        ASSERT_EQ(m_shown.size(), 1u);
        EXPECT_NE(m_shown.front().find(Str(c.message)), std::string::npos) << m_shown.front();
    } else {
        EXPECT_TRUE(m_shown.empty());
    }
}

const std::string k63(63, '~');
const std::string k64Hex = std::string(32, 'a') + std::string(32, 'F');
const std::string k64Bad = std::string(63, '0') + "g";

const KeyCheck kKeyChecks[] = {
    {"Psk63AnyCharacters", 6, 3, k63.c_str(), 1, 0, nullptr},
    {"Psk64Hex", 4, 2, k64Hex.c_str(), 1, 0, nullptr},
    {"Wpa2Psk64NotHex", 6, 3, k64Bad.c_str(), 1, 0, &CUISTR::STR_MSGWPA2PSKKEYINVALID},
    {"WpaPskSevenCharacters", 4, 2, "1234567", 1, 0, &CUISTR::STR_MSGPSKKEYINVALID},
    {"WpaNoneSevenCharacters", 7, 3, "1234567", 1, 0, &CUISTR::STR_MSGWPANONEKEYINVALID},
    {"WapiHexOdd", 8, 4, "012345678", 0, 0, &CUISTR::STR_MSGHEXWAPIPSKKEYINVALID},
    {"WapiAsciiOdd", 8, 4, "012345678", 1, 0, nullptr},
    {"WapiHexNotHex", 8, 4, "0123456z", 0, 0, &CUISTR::STR_MSGWAPIPSKKEYINVALID},
    {"WapiShort", 8, 4, "0123456", 1, 0, &CUISTR::STR_MSGWAPIPSKKEYINVALID},
    {"SharedHex10", 1, 1, "0123456789", 0, 0, nullptr},
    {"SharedHex26", 1, 1, "0123456789abcdefABCDEF0123", 0, 0, nullptr},
    {"SharedHexWrongLength", 1, 1, "01234567890", 0, 0, &CUISTR::STR_MSGHEXWEPKEYINVALID},
    {"SharedHexNotHex", 1, 1, "012345678g", 0, 0, &CUISTR::STR_MSGHEXWEPKEYINVALID},
    {"OpenWepAscii5", 0, 1, "abcde", 1, 0, nullptr},
    {"OpenWepAscii13", 0, 1, "abcdefghijklm", 1, 0, nullptr},
    {"OpenWepAsciiWrongLength", 0, 1, "abcdef", 1, 0, &CUISTR::STR_MSGASCIIWEPKEYINVALID},
    {"Dot1XMd5TestsTheKey", 12, 1, "bad", 0, 1, &CUISTR::STR_MSGHEXWEPKEYINVALID},
    {"Dot1XWithoutMd5HasNoKey", 12, 1, "bad", 0, 0, nullptr},
    {"OpenWithoutEncryption", 0, 0, "", 0, 0, nullptr},
};

INSTANTIATE_TEST_SUITE_P(Table, EditorKeyCheck, ::testing::ValuesIn(kKeyChecks),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(ProfileEditor, OnlyTheDefaultWepKeyIsChecked)
{
    Start();
    TFormProfileEdit* e = FormProfileEdit;
    e->ResetEditor();
    e->m_nAuthSel = 1;
    e->m_nEncrySel = 1;
    e->m_strWEPKey[0] = "0123456789";
    e->m_strWEPKey[1] = "";
    e->m_nDefaultKey = 1;
    EXPECT_TRUE(e->CheckKeys());
    e->m_nDefaultKey = 2;
    EXPECT_FALSE(e->CheckKeys());
}

TEST_F(ProfileEditor, AdHocFromVistaOffersOnlyTheFirstDefaultKey)
{
    Start();
    TFormProfileEdit* e = FormProfileEdit;
    for (const int infra : {0, 1}) {
        e->ResetEditor();
        e->m_nAuthSel = 0;
        e->m_nEncrySel = 1;
        e->m_nDefaultKey = 3;
        e->m_nInfrastructureMode = infra;
        e->FrameProfileEditKey->OnEnterPage();
        EXPECT_EQ(e->FrameProfileEditKey->cboxDefaultKey->Items().Count(), infra ? 4 : 1);
        EXPECT_EQ(e->m_nDefaultKey, infra ? 3 : 1);
    }
}

TEST_F(ProfileEditor, WithoutWpaHandlingFromWin8OnlyOpenIsOffered)
{
    Start(TScenario().Set("System", "WpaCapable", "0"));
    VOZEZIV.nWinOS = 51;
    FormProfileEdit->ResetEditor();
    FormProfileEdit->FillAuthenticationList();
    const TStrings& items = FormProfileEdit->FrameProfileEditSecurity->cboxAuthentication->Items();
    ASSERT_EQ(items.Count(), 1);
    EXPECT_EQ(items.Strings(0), Str(&CUISTR::STR_OPENSYSTEM));
}

// ---- save and load

struct SaveCase {
    const char* name;
    int auth, encry, infra, method;
    DWORD storedAuth, storedEncry, b8021X;
};

class EditorSaveLoad : public ProfileEditor, public ::testing::WithParamInterface<SaveCase> {};

TEST_P(EditorSaveLoad, TheStoredRecordLoadsBackIntoTheSameChoices)
{
    const SaveCase& c = GetParam();
    Start();
    VOZEZIV.bPersistentConnect = 0;
    TFormProfileEdit* e = FormProfileEdit;
    e->InitialSettingFromProfileAdd("Trip", "12");
    e->m_bAddProfile = TRUE;
    e->m_strProfSSID = "TripNet";
    e->m_nProfNetworkType = e->m_nInfrastructureMode = c.infra;
    e->m_nAuthSel = c.auth;
    e->m_nEncrySel = c.encry;
    e->m_strProfChannel = "6";
    e->m_nTxPower = 3;
    e->m_nPreamble = 1;
    e->m_nPSMode = 1;
    e->m_bUseRTS = 1;
    e->m_nRTSThreshold = 1000;
    e->m_bUseFrag = 1;
    e->m_nFragThreshold = 512;
    e->m_bDiagnostic = 1;
    e->m_nDefaultKey = 2;
    e->m_strWEPKey[1] = "abcdefghijklm";
    e->m_nWEPKeyFormat[1] = 1;
    e->m_strPskKey = "trip pass phrase";
    e->m_nPskKeyType = 1;
    WPA_INFO& w = e->m_WpaInfo;
    w.nEapMethod = c.method;
    w.nTunnel = 13;
    w.nTTLSTunnel = 71;
    w.strIdentity = "alice";
    w.strPassword = "s3cret";
    w.strDomain = "CORP";
    w.nPwdMode = 3;
    w.bUseClientCert = 1;
    w.bSmartCard = 1;
    w.bUseServerCert = 1;
    w.strServer = "radius.corp";
    w.nServerRule = 2;
    w.CACertKey.BlobLength = 4;
    std::memcpy(w.CACertKey.BlobData, "\x01\x02\x03\x04", 4);
    w.bCacheUser = 0;
    e->FrameProfileEditSSO->chBoxEnableSSO->SetChecked(true);
    e->FrameProfileEditSSO->chBoxAllowMachineAuth->SetChecked(true);
    e->SaveProfile();

    WLANPROFILE p;
    ASSERT_TRUE(Stored("Trip", p));
    EXPECT_EQ(p.enumAuthenMode, c.storedAuth);
    EXPECT_EQ(p.enumEncryStatus, c.storedEncry);
    EXPECT_EQ(p.b8021X, c.b8021X);
    EXPECT_EQ(p.enumPreamType, 0u);
    EXPECT_EQ(p.nProfileID, 12);
    EXPECT_EQ(p.enumTunnel, c.method == 2 ? 71u : 13u);
    EXPECT_EQ(p.ssoInfo, PROF_SSO_USE_SSO | PROF_SSO_ALLOW_MACHINE);
    EXPECT_EQ(p.nPskKeyLen, 16u);

    e->ResetEditor();
    e->m_WpaInfo = WPA_INFO();
    e->FrameProfileEditSSO->ClearSsoBoxes();
    e->m_strProfName = e->m_strOrgProfName = "Trip";
    e->LoadProfile();
    e->FillPagesFromProfile();
    EXPECT_EQ(e->m_strProfSSID, "TripNet");
    EXPECT_EQ(e->m_nProfNetworkType, c.infra);
    EXPECT_EQ(e->m_nAuthSel, c.auth);
    EXPECT_EQ(e->m_nEncrySel, c.encry);
    EXPECT_EQ(e->m_strProfChannel, "6");
    EXPECT_EQ(e->m_strProfID, "12");
    EXPECT_EQ(e->m_nTxPower, 3);
    EXPECT_EQ(e->m_nPreamble, 1);
    EXPECT_EQ(e->m_nPSMode, 1);
    EXPECT_EQ(e->m_bUseRTS, 1);
    EXPECT_EQ(e->m_nRTSThreshold, 1000);
    EXPECT_EQ(e->m_bUseFrag, 1);
    EXPECT_EQ(e->m_nFragThreshold, 512);
    EXPECT_EQ(e->m_bDiagnostic, 1);
    EXPECT_EQ(e->m_nDefaultKey, 2);
    EXPECT_EQ(e->m_strWEPKey[1], "abcdefghijklm");
    EXPECT_EQ(e->m_nWEPKeyFormat[1], 1);
    EXPECT_EQ(e->m_strPskKey, "trip pass phrase");
    const WPA_INFO& r = e->m_WpaInfo;
    EXPECT_EQ(r.nEapMethod, c.method);
    EXPECT_EQ(c.method == 2 ? r.nTTLSTunnel : r.nTunnel, c.method == 2 ? 71 : 13);
    EXPECT_EQ(r.strIdentity, "alice");
    EXPECT_EQ(r.strIdentityCopy, "alice");
    EXPECT_EQ(r.strPassword, "s3cret");
    EXPECT_EQ(r.strDomain, "CORP");
    EXPECT_EQ(r.nPwdMode, 3);
    EXPECT_EQ(r.bUseClientCert, 1);
    EXPECT_EQ(r.bSmartCard, 1);
    EXPECT_EQ(r.bUseServerCert, 1);
    EXPECT_EQ(r.strServer, "radius.corp");
    EXPECT_EQ(r.nServerRule, 2);
    ASSERT_EQ(r.CACertKey.BlobLength, 4u);
    EXPECT_EQ(0, std::memcmp(r.CACertKey.BlobData, "\x01\x02\x03\x04", 4));
    EXPECT_EQ(r.bCacheUser, 0);
    EXPECT_EQ(e->m_nEAPMethod, c.method);
    EXPECT_TRUE(e->FrameProfileEditSSO->chBoxEnableSSO->Checked());
    EXPECT_TRUE(e->FrameProfileEditSSO->chBoxAllowMachineAuth->Checked());
    TFrameProfileEditAdvanced* adv = e->FrameProfileEditAdvanced;
    EXPECT_TRUE(adv->chBoxRTS->Checked());
    EXPECT_EQ(adv->tbRTS->Position(), 1000);
    EXPECT_EQ(adv->lblRTSValue->Caption(), "1000");
    EXPECT_EQ(adv->tbFrag->Position(), 512);
}

const SaveCase kSaveCases[] = {
    {"Dot1XWithWep", 12, 1, 1, 0, 0, 0, 1},
    {"Wpa2EnterpriseInfra", 5, 3, 1, 2, 6, 6, 1},
    {"Wpa2EnterpriseAdHoc", 5, 3, 0, 0, 6, 6, 0},
    {"CckmTkip", 10, 2, 1, 5, 13, 4, 1},
    {"Wpa2PskAes", 6, 3, 1, 0, 7, 6, 0},
    {"WpaNone", 7, 3, 0, 0, 5, 6, 0},
    {"WapiPsk", 8, 4, 1, 0, 10, 9, 0},
    {"SharedWep", 1, 1, 1, 0, 1, 0, 0},
    {"OpenNone", 0, 0, 1, 0, 0, 1, 0},
    {"Wpa2AesMfp", 5, 6, 1, 1, 6, 11, 1},
};

INSTANTIATE_TEST_SUITE_P(Table, EditorSaveLoad, ::testing::ValuesIn(kSaveCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(ProfileEditor, LoadBoundsWhatTheRecordHolds)
{
    Start();
    struct Case {
        uint32_t useRts;
        int32_t rts;
        uint32_t useFrag;
        int32_t frag;
        int rtsLoaded, fragLoaded;
    };
    const Case cases[] = {
        {0, 100, 0, 300, 2347, 2346},     // unused thresholds load their defaults
        {1, 5000, 1, 10, 2347, 256},      // used ones are clamped
        {1, -4, 1, 9000, 0, 2346},
    };
    for (const Case& c : cases) {
        WLANPROFILE p = VOZEZIV.defaultProfile;
        std::strcpy(p.strProfileName, "Odd");
        p.bUseRTSThre = c.useRts;
        p.lRtsThre = c.rts;
        p.bUseFragThre = c.useFrag;
        p.lFragThre = c.frag;
        p.nPskKeyLen = 5000;                   // longer than the field
        std::memset(p.chPskKey, 'k', sizeof p.chPskKey);
        p.CA_cert.BlobLength = 0xFFFF;         // longer than the identifier
        p.wepDefaultKey = 9;
        ASSERT_EQ(VOZEZIV.WVWL_WriteProfile("Odd", &p), 1);
        TFormProfileEdit* e = FormProfileEdit;
        e->ResetEditor();
        e->m_strProfName = e->m_strOrgProfName = "Odd";
        e->LoadProfile();
        EXPECT_EQ(e->m_nRTSThreshold, c.rtsLoaded);
        EXPECT_EQ(e->m_nFragThreshold, c.fragLoaded);
        EXPECT_EQ(e->m_strPskKey.size(), 64u);
        EXPECT_LE(e->m_WpaInfo.CACertKey.BlobLength, sizeof e->m_WpaInfo.CACertKey.BlobData);
        EXPECT_EQ(e->m_nDefaultKey, 4);
    }
}

TEST_F(ProfileEditor, AnIdThatIsNotANumberIsStoredAsOne)
{
    Start();
    TFormProfileEdit* e = FormProfileEdit;
    e->InitialSettingFromProfileAdd("NoId", "1");
    e->m_strProfID = "abc";
    e->m_strProfSSID = "Net";
    e->SaveProfile();
    WLANPROFILE p;
    ASSERT_TRUE(Stored("NoId", p));
    EXPECT_EQ(p.nProfileID, 1);
}

TEST_F(ProfileEditor, RenamingTheActiveProfileResetsTheCurrentSetting)
{
    Start();
    struct Case {
        const char* original;
        const char* newName;
        int resets;
    };
    const Case cases[] = {{"Active", "Renamed", 1}, {"Active", "Active", 0}, {"Other", "Moved", 0}};
    for (const Case& c : cases) {
        ASSERT_EQ(VOZEZIV.WVWL_WriteRegValue("CurProfile", REG_SZ, "Active", 7), 1);
        const int before = SimCallCount("WVWL_ResetToDefaultConnecctionSetting");
        TFormProfileEdit* e = FormProfileEdit;
        e->ResetEditor();
        e->m_strOrgProfName = c.original;
        e->m_strProfName = c.newName;
        e->m_strProfSSID = "Net";
        e->SaveProfile();
        EXPECT_EQ(SimCallCount("WVWL_ResetToDefaultConnecctionSetting") - before, c.resets) << c.original << c.newName;
    }
}

TEST_F(ProfileEditor, AnEapFastProfileFromVistaOpensTheSystemsEapDialog)
{
    Start();
    struct Case {
        int os, method;
        int dialogs;
    };
    const Case cases[] = {{41, 3, 1}, {20, 3, 0}, {41, 0, 0}};
    for (const Case& c : cases) {
        VOZEZIV.nWinOS = c.os;
        TFormProfileEdit* e = FormProfileEdit;
        e->InitialSettingFromProfileAdd("Fast", "3");
        e->m_strProfSSID = "FastNet";
        e->m_nAuthSel = 5;
        e->m_nEncrySel = 3;
        e->m_WpaInfo.nEapMethod = c.method;
        const int before = SimCallCount("WVWL_StartEapHostPeerInvokeConfigUI");
        const int pacs = SimCallCount("WVWL_WritePACList");
        FormMain->SetEnabled(true);
        e->SaveProfile();
        Application->ProcessMessages();
        EXPECT_EQ(SimCallCount("WVWL_StartEapHostPeerInvokeConfigUI") - before, c.dialogs) << c.os;
        EXPECT_EQ(SimCallCount("WVWL_WritePACList") - pacs, c.method == 3 ? 1 : 0);
        if (c.dialogs) {
            EXPECT_FALSE(FormMain->Enabled());
        }
        EXPECT_EQ(e->m_WpaInfo.pPacEntries, nullptr);
    }
}

TEST_F(ProfileEditor, WithoutTheSystemsEapDialogTheMainWindowIsEnabledAgain)
{
    Start();
    VOZEZIV.nWinOS = 41;
    struct Case {
        const char* name;
        bool missing;  // else the entry fails
    } cases[] = {{"Failed", false}, {"Missing", true}};
    SimCommand("inject WVWL_StartEapHostPeerInvokeConfigUI * 0");
    for (const Case& c : cases) {
        if (c.missing)
            VOZEZIV.WVWL_StartEapHostPeerInvokeConfigUI = nullptr;
        TFormProfileEdit* e = FormProfileEdit;
        e->InitialSettingFromProfileAdd(c.name, "3");
        e->m_strProfSSID = "FastNet";
        e->m_nAuthSel = 5;
        e->m_nEncrySel = 3;
        e->m_WpaInfo.nEapMethod = 3;
        FormMain->SetEnabled(true);
        e->SaveProfile();
        Pump(100);
        EXPECT_TRUE(FormMain->Enabled()) << c.name;
    }
}

// ---- what the library hands over is bounded

struct PacPair {
    int count;
    const void* entries;
};
PacPair g_pacSeen{-1, nullptr};
std::vector<PAC_FILE_ENTRY> g_pacEntriesSeen;
unsigned long g_pacFirstCount = 0, g_pacSecondCount = 0;

int __stdcall FakeWritePACList(const void* pair, const char*)
{
    g_pacSeen = *static_cast<const PacPair*>(pair);
    const auto* entries = static_cast<const PAC_FILE_ENTRY*>(g_pacSeen.entries);
    g_pacEntriesSeen.assign(entries, entries + (entries ? g_pacSeen.count : 0));
    return 1;
}

int __stdcall FakeReadPACList(void* entries, unsigned long* count, const char*)
{
    *count = entries ? g_pacSecondCount : g_pacFirstCount;
    return 1;
}

TEST_F(ProfileEditor, TheCredentialListGivenToTheLibraryIsTheRowsOfThePage)
{
    Start();
    VOZEZIV.WVWL_WritePACList = FakeWritePACList;
    for (int rows : {0, 2, 50}) {
        TFormProfileEdit* e = FormProfileEdit;
        e->InitialSettingFromProfileAdd("Fast", "3");
        e->m_strProfSSID = "FastNet";
        e->m_nAuthSel = 5;
        e->m_nEncrySel = 3;
        e->m_WpaInfo.nEapMethod = 3;
        std::vector<PAC_FILE_ENTRY> entries(static_cast<size_t>(rows));
        for (int i = 0; i < rows; ++i) {
            entries[size_t(i)].nMark = i % 2;
            // a name that fills its field without a terminating zero
            std::memset(entries[size_t(i)].chFileName, 'a' + i % 26, sizeof entries[size_t(i)].chFileName);
        }
        e->FrameProfileEditEAPFast->TakeEntries(entries.data(), rows);
        g_pacSeen = {-1, nullptr};
        e->SaveProfile();
        ASSERT_EQ(g_pacSeen.count, rows);
        EXPECT_EQ(g_pacSeen.entries == nullptr, rows == 0);
        for (int i = 0; i < rows; ++i) {
            const PAC_FILE_ENTRY& seen = g_pacEntriesSeen[size_t(i)];
            EXPECT_EQ(seen.nMark, uint32_t(i % 2));
            EXPECT_EQ(std::string(seen.chFileName), std::string(255, char('a' + i % 26))) << "cut to 255 characters";
        }
        EXPECT_EQ(e->m_WpaInfo.pPacEntries, nullptr);
    }
}

TEST_F(ProfileEditor, AHostileCredentialCountIsNotTrusted)
{
    Start();
    VOZEZIV.WVWL_ReadPACList = FakeReadPACList;
    struct Case {
        unsigned long first, second;
        int held;
    };
    const Case cases[] = {{2, 2, 2}, {0x7FFFFFFF, 0x7FFFFFFF, 0}, {2, 5000, 2}, {3, 1, 1}, {60, 60, 50}};
    for (const Case& c : cases) {
        g_pacFirstCount = c.first;
        g_pacSecondCount = c.second;
        TFormProfileEdit* e = FormProfileEdit;
        e->ResetEditor();
        e->m_strProfName = e->m_strOrgProfName = "Any";
        e->LoadProfile();
        EXPECT_EQ(e->m_WpaInfo.nPacCount, c.held) << c.first << " " << c.second;
        EXPECT_GE(e->m_PacBuffer.size(), size_t(c.held) * 516);
        e->FillPagesFromProfile();
        EXPECT_EQ(e->FrameProfileEditEAPFast->PacCount(), c.held);
        EXPECT_EQ(e->m_WpaInfo.pPacEntries, nullptr);
    }
}

unsigned char g_channels[64] = {};
int g_channelCount = 0;

int __stdcall FakeGetAvailableChannels(int, int, int, unsigned char* channels64, int* count, int)
{
    std::memcpy(channels64, g_channels, 64);
    *count = g_channelCount;
    return 1;
}

TEST_F(ProfileEditor, TheChannelListLeavesOutTheOldJapaneseChannelsAndStaysInItsBuffer)
{
    Start();
    VOZEZIV.WVWL_GetAvailableChannels = FakeGetAvailableChannels;
    for (int i = 0; i < 64; ++i)
        g_channels[i] = static_cast<unsigned char>(100 + i);
    const unsigned char mixed[] = {1, 6, 34, 36, 38, 42, 46, 48};
    std::memcpy(g_channels, mixed, sizeof mixed);
    TFormProfileEdit* e = FormProfileEdit;
    struct Case {
        int count;
        const char* selectedChannel;
        int items;
        const char* selected;
    };
    const Case cases[] = {{8, "36", 4, "36"}, {8, "38", 4, "1"}, {500, "6", 60, "6"}, {-3, "6", 0, ""}};
    for (const Case& c : cases) {
        g_channelCount = c.count;
        e->m_strProfChannel = c.selectedChannel;
        e->FillChannelList();
        TComboBox* box = e->FrameProfileEditWireless->cboxChannel;
        EXPECT_EQ(box->Items().Count(), c.items) << c.count;
        EXPECT_EQ(box->Text(), c.selected);
        for (int i = 0; i < box->Items().Count(); ++i)
            EXPECT_TRUE(box->Items().Strings(i) != "34" && box->Items().Strings(i) != "42");
    }
}

// ---- the site survey's secured network

TEST_F(ProfileEditor, ASharedWepNetworkOfTheSurveyJoinsThroughTheActionQueue)
{
    Start(TScenario().Set("System", "ScanTimeMs", "30").Set("System", "ConnectTimeMs", "60"));
    FormSiteSurvey->TimerReScanOn->SetEnabled(false);
    FormSiteSurvey->TimerSiteSurvey->SetEnabled(false);
    FormSiteSurvey->Show();
    ASSERT_TRUE(PumpUntil([] { return FormSiteSurvey->BtnSiteSurveyRescan->Enabled(); }));
    ASSERT_TRUE(ClickControl(FormSiteSurvey->BtnSiteSurveyRescan));
    ASSERT_TRUE(PumpUntil([] { return m_bSurveyComplete != 0; }));
    FormSiteSurvey->TimerSiteSurvey->Tick();
    TListView* list = FormSiteSurvey->lvApList;
    int row = -1;
    for (int i = 0; i < list->ItemCount(); ++i)
        if (list->Item(i)->SubItem(0) == "Legacy-WEP")
            row = i;
    ASSERT_GE(row, 0);
    list->Item(row)->SetSelected(true);
    SimJournalClear();
    std::vector<Page> visited;
    seams::modalAnswer = [&visited](const std::string& what) {
        if (what.rfind("FormProfileEdit", 0) != 0)
            return int(mrOk);
        TFormProfileEdit* e = FormProfileEdit;
        e->Show();
        visited.push_back(Showing());
        TComboBox* auth = e->FrameProfileEditSecurity->cboxAuthentication;
        ChooseItem(auth, auth->Items().IndexOfObject(reinterpret_cast<void*>(intptr_t(1)))); // shared
        ClickControl(e->BtnProfileNext);
        visited.push_back(Showing());
        e->FrameProfileEditKey->editWEPKey[0]->SetText("A1B2C3D4E5");
        ClickControl(e->BtnProfileNext);
        visited.push_back(Showing());
        e->Hide();
        return int(mrOk);
    };
    ClickControl(FormSiteSurvey->BtnSiteSurveyConnect);
    EXPECT_EQ(visited, (std::vector<Page>{Page::Security, Page::Key, Page::Closed}));
    ASSERT_TRUE(PumpUntil([] { return IsLinkConnected(QueryLinkStatus(VOZEZIV, LINK_QUERY_CONNECTION)); }));
    const std::string journal = SimJournal();
    EXPECT_NE(journal.find("WVWL_SetWLANProfile(ssid \"Legacy-WEP\""), std::string::npos) << journal;
    EXPECT_NE(journal.find("connect \"Legacy-WEP\" auth 1 encryption 0 -> 0"), std::string::npos) << journal;
    EXPECT_EQ(FormSiteSurvey->m_pProfile->enumAuthenMode, 1u);
    WLANPROFILE p;
    EXPECT_FALSE(Stored(FormProfileEdit->m_strProfName, p)) << "the survey's connect stores no profile";
}

// ---- Keys

TEST_F(ProfileEditor, EnterGoesToTheNextPageAndEscCancelsTheEditor)
{
    Start();
    const Route add{"", Mode::Add, 41, 0, 0, 0, 26, 0, 0, 0, 0, 1, Page::Wireless, Page::Security};
    OpenOn(add);
    HWND form = FormProfileEdit->Handle();
    PostMessageA(form, WM_KEYDOWN, VK_RETURN, 1);
    Application->ProcessMessages();
    EXPECT_EQ(Showing(), Page::Security);
    PostMessageA(form, WM_KEYDOWN, VK_ESCAPE, 1);
    Application->ProcessMessages();
    EXPECT_EQ(Showing(), Page::Closed);
}

// ---- Focus on the pages that ask for typing

// A page reached as a user reaches it, the box that must have the keyboard focus there, and
// what the editor keeps of the typed text once Enter has passed the page's check.
struct FocusCase {
    const char* name;
    Route route;         // route.to: the page that asks for typing
    bool clickNext;      // reached by a click on Next from route.from (else opened on it)
    TWinControl* (*box)();
    const char* typed;
    std::string (*kept)();
};

TWinControl* ProfileNameBox() { return FormProfileEdit->FrameProfileEditWireless->editProfileName; }
TWinControl* PskBox() { return FormProfileEdit->FrameProfileEditKey->editPskKey; }
TWinControl* WepKeyBox() { return FormProfileEdit->FrameProfileEditKey->editWEPKey[0]; }
TWinControl* IdentityBox() { return FormProfileEdit->FrameProfileEdit8021X->editAuthenID; }
TWinControl* PinBox() { return FormProfileEdit->FrameProfileEditWPSPin->editPinCode; }

std::string KeptName() { return FormProfileEdit->m_strProfName; }
std::string KeptPsk() { return FormProfileEdit->m_strPskKey; }
std::string KeptWepKey() { return FormProfileEdit->m_strWEPKey[0]; }
std::string KeptIdentity() { return FormProfileEdit->m_WpaInfo.strIdentity; }
std::string KeptPin() { return std::to_string(FormProfileEdit->m_nPinCode); }

class TypingFocus : public ProfileEditor, public ::testing::WithParamInterface<FocusCase> {
protected:
    // The WPS wizard from the profile list, the external registrar chosen with PIN: the next
    // page asks for the station's PIN.
    void OpenWpsPinChoice()
    {
        TFormProfileEdit* e = FormProfileEdit;
        ASSERT_TRUE(PumpUntil([] {
            const auto* list = reinterpret_cast<const NDIS_802_11_BSSID_LIST_EX*>(VOZEZIV.pRepositBssidList);
            return list && list->NumberOfItems > 0;
        }));
        e->Hide();
        FormProfile->Show();
        ClickControl(FormProfile->BtnProfileWPS);
        e->Show();
        ASSERT_EQ(e->m_pCurrentPage, e->FrameProfileEditWPS);
        e->m_bExtRegDeviceFound = TRUE;
        ClickControl(e->FrameProfileEditWPS->chBoxExternalRegistrar);
        ClickControl(e->FrameProfileEditWPS->rBtnPIN);
    }
};

TEST_P(TypingFocus, TypingAfterEnteringThePageGoesIntoItsFirstBox)
{
    const FocusCase& c = GetParam();
    if (c.route.to == Page::WpsPin) {
        LoadLibrary();
        VOZEZIV.bExternalRegistrar = 1;  // the WPS page offers the external registrar
        CreateWindows();
        FormMain->TimerReconnect->SetEnabled(false);
        OpenWpsPinChoice();
    } else {
        Start();
        OpenOn(c.route);
    }
    FormProfileEdit->m_WpaInfo.strIdentity.clear();
    FormProfileEdit->m_WpaInfo.strPassword = "secret";  // the identity is all that is missing
    if (c.clickNext)
        ClickControl(FormProfileEdit->BtnProfileNext);
    ASSERT_STREQ(PageName(Showing()), PageName(c.route.to));

    const HWND box = c.box()->Handle();
    const HWND focus = GetFocus();
    ASSERT_TRUE(focus == box || IsChild(box, focus)) << "the focus is not in the page's first box";
    for (const char* p = c.typed; *p; ++p)
        SendMessageA(GetFocus(), WM_CHAR, WPARAM(static_cast<unsigned char>(*p)), 1);
    char text[128] = {};
    GetWindowTextA(box, text, sizeof text);
    EXPECT_STREQ(text, c.typed);

    m_shown.clear();
    PostMessageA(GetFocus(), WM_KEYDOWN, VK_RETURN, 1);
    Application->ProcessMessages();
    EXPECT_NE(Showing(), c.route.to) << (m_shown.empty() ? "Enter did not pass the page" : m_shown.front());
    EXPECT_EQ(c.kept(), c.typed);
}

// name, mode, os, auth, encry, method, tunnel, provision, persistent, switches, advPage, infra, from, to
const FocusCase kFocusCases[] = {
    {"ProfileNameWhenTheEditorOpens", {"", Mode::Add, 41, 0, 0, 0, 26, 0, 0, 0, 0, 1, Page::Wireless, Page::Wireless},
     false, ProfileNameBox, "Office", KeptName},
    {"KeyInTheEditor", {"", Mode::Add, 41, 6, 3, 0, 26, 0, 0, 0, 0, 1, Page::Security, Page::Key},
     true, PskBox, "correct horse battery", KeptPsk},
    {"KeyFromTheSiteSurvey", {"", Mode::Survey, 41, 6, 3, 0, 26, 0, 0, 0, 0, 1, Page::Security, Page::Key},
     true, PskBox, "correct horse battery", KeptPsk},
    {"WepKeyFromTheSiteSurvey", {"", Mode::Survey, 41, 0, 1, 0, 26, 0, 0, 0, 0, 1, Page::Security, Page::Key},
     true, WepKeyBox, "A1B2C3D4E5", KeptWepKey},
    {"Identity", {"", Mode::Add, 41, 5, 3, 0, 26, 0, 0, 0, 0, 1, Page::Security, Page::X8021},
     true, IdentityBox, "alice", KeptIdentity},
    {"WpsPin", {"", Mode::Add, 41, 0, 0, 0, 26, 0, 0, 0, 0, 1, Page::Wps, Page::WpsPin},
     true, PinBox, "12345670", KeptPin},
};

INSTANTIATE_TEST_SUITE_P(Pages, TypingFocus, ::testing::ValuesIn(kFocusCases),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
