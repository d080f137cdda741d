// The connection profile the site survey builds from the chosen network and the editor's
// choices, and the editor's key rules.
#include "sitesurvey_fixture.h"

#include "wlapi/constants.h"

namespace {

const char* kAdhocNetwork = "[Network.Party]\r\nSSID=PartyNet\r\nBSSID=02:00:00:00:00:09\r\nChannel=6\r\nRSSI=-50\r\n"
                            "Infrastructure=adhoc\r\nSecurity=wpa2-psk\r\nCipher=aes\r\nPassphrase=partytime\r\n";

class ConnectProfile : public SiteSurveyFixture {
protected:
    void Select(const std::string& ssid)
    {
        const int row = RowOf(ssid);
        ASSERT_GE(row, 0) << ssid;
        FormSiteSurvey->lvApList->Item(row)->SetSelected(true);
    }

    // Connect on this network; the editor (closed at once by the modal answer) hands back
    // these choices, with WEP key 2 and a pass phrase filled in.
    const WLANPROFILE& ConnectWith(const std::string& ssid, int auth, int encry)
    {
        Select(ssid);
        ClickControl(FormSiteSurvey->BtnSiteSurveyConnect);
        FormProfileEdit->m_nAuthSel = auth;
        FormProfileEdit->m_nEncrySel = encry;
        FormProfileEdit->m_nDefaultKey = 2;
        FormProfileEdit->m_strWEPKey[1] = "A1B2C3D4E5";
        FormProfileEdit->m_nWEPKeyFormat[1] = 0;
        FormProfileEdit->m_strPskKey = "correct horse battery";
        FormSiteSurvey->SecurityConnection();
        return *FormSiteSurvey->m_pProfile;
    }
};

struct Choice {
    const char* ssid;
    int auth, encry;
    DWORD mode, status;
    DWORD dot1x;
};

TEST_F(ConnectProfile, EditorChoicesGiveTheProfileModes)
{
    Start(DefaultScene(kAdhocNetwork));
    RescanAndShow();
    seams::modalAnswer = [](const std::string&) { return int(mrCancel); };
    const Choice table[] = {
        {"Legacy-WEP", 1, 1, 1, 0, 0},  // shared key with WEP
        {"Legacy-WEP", 0, 1, 0, 0, 0},  // open with WEP
        {"HomeNet", 6, 3, 7, 6, 0},     // WPA2-PSK with AES
        {"HomeNet", 4, 2, 4, 4, 0},     // WPA-PSK with TKIP
        {"OfficeCorp", 5, 3, 6, 6, 1},  // WPA2 with 802.1X
        {"OfficeCorp", 12, 1, 0, 0, 1}, // 802.1X with dynamic WEP
        {"PartyNet", 6, 3, 7, 6, 0},    // WPA2-PSK on an ad-hoc network
        {"PartyNet", 4, 2, 0, 1, 0},    // WPA-PSK stays open on an ad-hoc network
    };
    for (const Choice& c : table) {
        SCOPED_TRACE(std::string(c.ssid) + " " + std::to_string(c.auth) + "/" + std::to_string(c.encry));
        const WLANPROFILE& p = ConnectWith(c.ssid, c.auth, c.encry);
        EXPECT_EQ(p.enumAuthenMode, c.mode);
        EXPECT_EQ(p.enumEncryStatus, c.status);
        EXPECT_EQ(p.b8021X, c.dot1x);
        if (c.encry == 1 && !c.dot1x) {
            EXPECT_STREQ(p.WEPKey2, "A1B2C3D4E5");
            EXPECT_EQ(p.wepDefaultKey, 2u);
        }
        EXPECT_TRUE(FormSiteSurvey->BtnSiteSurveyConnect->Enabled());
        if (c.mode == 4 || c.mode == 5 || c.mode == 7) {
            EXPECT_EQ(p.nPskKeyLen, 21u);
        }
        const bool adhoc = std::string(c.ssid) == "PartyNet";
        EXPECT_EQ(p.bBssid, adhoc ? 0u : 1u);
        EXPECT_EQ(p.enumNetworkType, adhoc ? 0u : 1u);
        EXPECT_EQ(p.bDisassociate, 1u);
        EXPECT_EQ(FormSiteSurvey->m_ConnectAction.actionType, DWORD(1));
        EXPECT_EQ(FormSiteSurvey->m_ConnectAction.data, FormSiteSurvey->m_pProfile.get());
    }
}

// Every editor choice on an infrastructure and an ad-hoc network, and the 802.1X choices on an
// adapter that cannot do WPA: the authentication mode, status and 802.1X flag of the profile.
TEST_F(ConnectProfile, EveryEditorChoiceOnEitherKindOfNetwork)
{
    Start(DefaultScene(kAdhocNetwork));
    RescanAndShow();
    seams::modalAnswer = [](const std::string&) { return int(mrCancel); };
    struct Row {
        const char* ssid;
        int auth, encry;
        DWORD mode, status, dot1x;
        bool wpaCapable;
    } table[] = {
        {"OfficeCorp", 3, 2, 3, 4, 1, true},   // WPA with 802.1X
        {"OfficeCorp", 4, 2, 4, 4, 0, true},   // WPA-PSK
        {"OfficeCorp", 5, 3, 6, 6, 1, true},   // WPA2 with 802.1X
        {"OfficeCorp", 6, 3, 7, 6, 0, true},   // WPA2-PSK
        {"OfficeCorp", 7, 2, 0, 1, 0, true},   // WPA-None stays open
        {"OfficeCorp", 8, 4, 10, 9, 0, true},  // WAPI-PSK
        {"OfficeCorp", 9, 4, 11, 9, 0, true},  // WAPI certificate
        {"OfficeCorp", 10, 3, 13, 6, 1, true}, // CCKM
        {"OfficeCorp", 12, 0, 0, 1, 1, true},  // 802.1X without WEP
        {"PartyNet", 3, 2, 0, 1, 0, true},
        {"PartyNet", 5, 3, 0, 1, 0, true},
        {"PartyNet", 7, 2, 5, 4, 0, true},
        {"PartyNet", 8, 4, 10, 9, 0, true},
        {"PartyNet", 9, 4, 0, 1, 0, true},
        {"PartyNet", 10, 3, 0, 1, 0, true},
        {"PartyNet", 12, 1, 0, 0, 1, true},
        // Without WPA on the adapter the 802.1X choices stay open, and 802.1X loses its flag.
        {"Legacy-WEP", 3, 2, 0, 1, 0, false},
        {"Legacy-WEP", 5, 3, 0, 1, 0, false},
        {"Legacy-WEP", 10, 3, 0, 1, 0, false},
        {"Legacy-WEP", 12, 1, 0, 0, 0, false},
    };
    for (const Row& c : table) {
        SCOPED_TRACE(std::string(c.ssid) + " " + std::to_string(c.auth) + "/" + std::to_string(c.encry));
        SimCommand(std::string("inject WVWL_IsWpaCapable * ") + (c.wpaCapable ? "1" : "0"));
        const WLANPROFILE& p = ConnectWith(c.ssid, c.auth, c.encry);
        EXPECT_EQ(p.enumAuthenMode, c.mode);
        EXPECT_EQ(p.enumEncryStatus, c.status);
        EXPECT_EQ(p.b8021X, c.dot1x);
        EXPECT_EQ(p.bDisassociate, 1u);
    }
}

TEST_F(ConnectProfile, ConnectPrefillsTheEditorFromTheNetwork)
{
    Start();
    RescanAndShow();
    seams::modalAnswer = [](const std::string&) { return int(mrCancel); };
    struct Want {
        const char* ssid;
        int auth, encry;
        const char* cipher;
    } table[] = {
        {"HomeNet", 6, 3, "AES"},
        {"Legacy-WEP", 0, 1, "NONE"},
        {"OfficeCorp", 5, 3, "AES"},
    };
    for (const Want& w : table) {
        SCOPED_TRACE(w.ssid);
        Select(w.ssid);
        ClickControl(FormSiteSurvey->BtnSiteSurveyConnect);
        EXPECT_EQ(FormSiteSurvey->m_strCipher, w.cipher);
        EXPECT_EQ(FormProfileEdit->m_nAuthSel, w.auth);
        EXPECT_EQ(FormProfileEdit->m_nEncrySel, w.encry);
        EXPECT_EQ(FormProfileEdit->m_strProfSSID, w.ssid);
        EXPECT_FALSE(FormProfileEdit->m_bAddProfile);
        EXPECT_FALSE(FormProfileEdit->m_bEditProfile);
    }
    // Closing the editor without finishing builds nothing.
    EXPECT_EQ(FormSiteSurvey->m_pProfile->SSID.SsidLength, 0u);
}

TEST_F(ConnectProfile, NoSelectionShowsTheMessage)
{
    Start();
    RescanAndShow();
    FormSiteSurvey->lvApList->SetItemIndex(-1);
    std::vector<std::string> shown;
    seams::modalAnswer = [&shown](const std::string& what) {
        shown.push_back(what);
        return int(mrOk);
    };
    ClickControl(FormSiteSurvey->BtnSiteSurveyConnect);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_NE(shown[0].find(FormResource->UI_Str->STR_NOSELECTEDITEM), std::string::npos);
}

struct KeyCase {
    int auth, encry;
    const char* key;
    int wepFormat;
    bool accepted;
};

TEST_F(ConnectProfile, EditorKeyRules)
{
    Start();
    seams::modalAnswer = [](const std::string&) { return int(mrOk); };
    const std::string hex64(64, 'a');
    const std::string bad64 = std::string(63, 'a') + "g";
    const std::string any63(63, '#');
    const KeyCase table[] = {
        {6, 3, "1234567", 0, false},     {6, 3, "12345678", 0, true},    {6, 3, any63.c_str(), 0, true},
        {6, 3, hex64.c_str(), 0, true},  {6, 3, bad64.c_str(), 0, false}, {4, 2, "", 0, false},
        {1, 1, "A1B2C3D4E5", 0, true},   {1, 1, "A1B2C3D4E", 0, false},  {1, 1, "A1B2C3D4EG", 0, false},
        {0, 1, "abcde", 1, true},        {0, 1, "abcd", 1, false},       {0, 0, "", 0, true},
    };
    for (const KeyCase& k : table) {
        SCOPED_TRACE(std::to_string(k.auth) + " " + k.key);
        FormProfileEdit->m_nAuthSel = k.auth;
        FormProfileEdit->m_nEncrySel = k.encry;
        FormProfileEdit->m_strPskKey = k.key;
        FormProfileEdit->m_nDefaultKey = 1;
        FormProfileEdit->m_strWEPKey[0] = k.key;
        FormProfileEdit->m_nWEPKeyFormat[0] = k.wepFormat;
        EXPECT_EQ(FormProfileEdit->CheckKeys(), k.accepted);
    }
}

TEST_F(ConnectProfile, RescanUnderZeroConfigBelowVistaOnlyRereadsTheList)
{
    std::string scene = DefaultScene();
    scene.replace(scene.find("WinOS=41"), 8, "WinOS=21");
    scene.replace(scene.find("ZeroConfig=0"), 12, "ZeroConfig=2");
    Start(scene);
    auto calls = SimEntry<int (*)(const char*)>("SimCallCount");
    ASSERT_NE(calls, nullptr);
    FormSiteSurvey->Show();
    const int before = calls("WVWL_SiteSurveyScan");
    const int queries = calls("WVWL_SiteSurveyQuery");
    ASSERT_TRUE(ClickControl(FormSiteSurvey->BtnSiteSurveyRescan));
    EXPECT_EQ(calls("WVWL_SiteSurveyScan"), before);
    EXPECT_GT(calls("WVWL_SiteSurveyQuery"), queries);
    // Connect does nothing while the zero-configuration service is in charge: the button is not
    // offered, and its handler, reached here only from code, refuses as well.
    EXPECT_FALSE(FormSiteSurvey->BtnSiteSurveyConnect->Enabled());
    FormSiteSurvey->BtnSiteSurveyConnectClick(nullptr);
    EXPECT_EQ(calls("WVWL_SetWLANProfile"), 0);
}

} // namespace

namespace {

TEST(ProfileName, NumberAfterTheDefaultPrefix)
{
    const struct {
        const char* name;
        unsigned long long number;
    } table[] = {
        {"PROF4294967295", 4294967295ULL}, {"prof4294967294", 4294967294ULL}, {"PROFabc", 0},
        {"PROF99999999999999", 4294967295ULL}, {"Home", 0}, {"PROF12x", 12},
    };
    for (const auto& t : table)
        EXPECT_EQ(DefaultNameNumber(t.name, "PROF"), t.number) << t.name;
}

class SiteSurveyButtons : public SiteSurveyFixture {};

TEST_F(SiteSurveyButtons, WithoutWpaSupportWpaNetworksCannotBeConnected)
{
    std::string scene = DefaultScene();
    scene.replace(scene.find("WpaCapable=1"), 12, "WpaCapable=0");
    Start(scene);
    RescanAndShow();
    FormSiteSurvey->lvApList->Item(RowOf("HomeNet"))->SetSelected(true);
    EXPECT_FALSE(FormSiteSurvey->BtnSiteSurveyConnect->Enabled());
    EXPECT_FALSE(FormSiteSurvey->BtnSiteSurveyAdd2Prof->Enabled());
    FormSiteSurvey->lvApList->Item(RowOf("CafeCorner"))->SetSelected(true);
    EXPECT_TRUE(FormSiteSurvey->BtnSiteSurveyConnect->Enabled());
    EXPECT_TRUE(FormSiteSurvey->BtnSiteSurveyAdd2Prof->Enabled());
}

TEST_F(SiteSurveyButtons, FromWindows8AnAdhocNetworkHidesAddToProfile)
{
    std::string scene = DefaultScene("[Network.Party]\r\nSSID=PartyNet\r\nBSSID=02:00:00:00:00:09\r\nChannel=6\r\n"
                                     "Infrastructure=adhoc\r\n");
    scene.replace(scene.find("WinOS=41"), 8, "WinOS=51");
    Start(scene);
    RescanAndShow();
    FormSiteSurvey->lvApList->Item(RowOf("PartyNet"))->SetSelected(true);
    EXPECT_FALSE(FormSiteSurvey->BtnSiteSurveyAdd2Prof->Visible());
    FormSiteSurvey->lvApList->Item(RowOf("CafeCorner"))->SetSelected(true);
    EXPECT_TRUE(FormSiteSurvey->BtnSiteSurveyAdd2Prof->Visible());
}

} // namespace
