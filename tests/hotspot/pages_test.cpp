// The credential and profile pages: what the user types and picks becomes the record the
// library stores, byte for byte; Modify brings a stored record back into its page; Submit and
// Cancel (and closing or turning off) bring the tabs back.
#include <cstring>

#include "hotspot/hotspot_fixture.h"
#include "mainwindow/FormSiteSurvey.h"
#include "resources/FormResource.h"

using Rows_t = std::vector<std::string>;

namespace {

std::string Bytes(const char* field, size_t n)
{
    return std::string(field, n);
}

class HotSpotPages : public HotSpotFixture {
protected:
    void SetUp() override
    {
        HotSpotFixture::SetUp();
        FormHotSpot->Show();
        Click(Page()->rBtnEnableHS20);
        ASSERT_EQ(Page()->m_bHS20Active, 1);
    }

    TFrameHotSpotAddCredential* Cred() const { return FormHotSpot->FrameHotSpotAddCredential; }
    TFrameHotSpotAddProfile* Prof() const { return FormHotSpot->FrameHotSpotAddProfile; }
    bool OnPage(TFrameBase* page) const { return FormHotSpot->m_pCurrentPage == page; }
    bool TabsShown() const
    {
        return FormHotSpot->TabBtnHotSpot->Visible() && FormHotSpot->TabBtnHotSpotAddCredential->Visible() &&
               FormHotSpot->TabBtnHotSpotAddProfile->Visible();
    }
    bool TabsHidden() const
    {
        return !FormHotSpot->TabBtnHotSpot->Visible() && !FormHotSpot->TabBtnHotSpotAddCredential->Visible() &&
               !FormHotSpot->TabBtnHotSpotAddProfile->Visible() && !FormHotSpot->TabBtnHotSpotSigma->Visible();
    }

    struct CredentialInput {
        int type;
        std::string name, user, password, realm, imsi, mnc, mcc;
    };
    void AddCredentialByHand(const CredentialInput& in)
    {
        ClickTab(FormHotSpot->TabBtnHotSpotAddCredential);
        ASSERT_TRUE(OnPage(Cred()));
        Pick(Cred()->cBoxCredentialType, in.type);
        Type(Cred()->editProfName, in.name);
        Type(Cred()->editUserName, in.user);
        Type(Cred()->editPassword, in.password);
        Type(Cred()->editRealm, in.realm);
        Type(Cred()->editIMSI, in.imsi);
        Type(Cred()->editMNC, in.mnc);
        Type(Cred()->editMCC, in.mcc);
        Click(Cred()->BtnAddCredential);
    }

    struct ProfileInput {
        int type, auth, encr;
        std::string name, ssid, user, password, passphrase;
    };
    void AddProfileByHand(const ProfileInput& in)
    {
        ClickTab(FormHotSpot->TabBtnHotSpotAddProfile);
        ASSERT_TRUE(OnPage(Prof()));
        Pick(Prof()->cBoxProfileType, in.type);
        Pick(Prof()->cBoxKeyMgmtType, in.auth);
        Pick(Prof()->cBoxEncrypyType, in.encr);
        Type(Prof()->editProfName, in.name);
        Type(Prof()->editSSID, in.ssid);
        Type(Prof()->editUserName, in.user);
        Type(Prof()->editPassword, in.password);
        Type(Prof()->editPassPhrase, in.passphrase);
        Click(Prof()->BtnAddProfile);
    }
};

TEST_F(HotSpotPages, TheCredentialTypeShowsItsOwnFields)
{
    ClickTab(FormHotSpot->TabBtnHotSpotAddCredential);
    struct Case {
        int type;
        bool user, password, cert, realm, sim;
        int realmTop;
    } cases[] = {
        {2, false, false, false, false, true, 0},
        {1, false, false, true, true, false, 112},
        {0, true, true, false, true, false, 144},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.type);
        Pick(Cred()->cBoxCredentialType, c.type);
        EXPECT_EQ(Cred()->editUserName->Visible(), c.user);
        EXPECT_EQ(Cred()->lblUserName->Visible(), c.user);
        EXPECT_EQ(Cred()->editPassword->Visible(), c.password);
        EXPECT_EQ(Cred()->cBoxClientCert->Visible(), c.cert);
        EXPECT_EQ(Cred()->editRealm->Visible(), c.realm);
        for (TEdit* sim : {Cred()->editIMSI, Cred()->editMNC, Cred()->editMCC})
            EXPECT_EQ(sim->Visible(), c.sim);
        if (c.realm) {
            EXPECT_EQ(Cred()->editRealm->Top(), c.realmTop);
        }
        if (c.cert) {
            EXPECT_EQ(Cred()->cBoxClientCert->Top(), Cred()->editUserName->Top());
        }
    }
    ClickTab(FormHotSpot->TabBtnHotSpotAddProfile);
    Pick(Prof()->cBoxProfileType, 1);
    EXPECT_FALSE(Prof()->editUserName->Visible());
    EXPECT_FALSE(Prof()->editPassword->Visible());
    EXPECT_TRUE(Prof()->editPassPhrase->Visible());
    Pick(Prof()->cBoxProfileType, 0);
    EXPECT_TRUE(Prof()->editUserName->Visible());
    EXPECT_TRUE(Prof()->editPassword->Visible());
    EXPECT_FALSE(Prof()->editPassPhrase->Visible());
    EXPECT_FALSE(Prof()->editRootCa->Visible());
}

TEST_F(HotSpotPages, ACredentialIsStoredAsTypedWithItsLengthsAndWeight)
{
    const std::string user32(32, 'u'), name64 = std::string(63, 'n') + "Z";
    struct Case {
        CredentialInput in;
        std::string user, realm, imsi, mnc, mcc;  // what the record holds
    } cases[] = {
        {{0, "Home", "alice", "s3cret", "example.org", "", "", ""}, "alice", "example.org", "", "", ""},
        // Typed beyond the edit's limit: cut to the field; a full field has no terminator.
        {{0, name64 + "xyz", user32 + "toolong", "p", "", "", "", ""}, user32, "", "", "", ""},
        {{2, "Sim", "", "", "", "310150123456789", "2601", "3101"}, "", "", "310150123456789", "260", "310"},
        {{1, "Cert", "", "", "r.example", "", "", ""}, "", "r.example", "", "", ""},
    };
    int row = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.in.name);
        m_log.clear();
        // The site survey is idle (its last scan over): the Add rescans.
        FormSiteSurvey->BtnSiteSurveyRescan->SetEnabled(true);

        AddCredentialByHand(c.in);

        const HS20_CREDENTIAL r = StoredCredential(row);
        EXPECT_EQ(r.Prefer, 0);
        EXPECT_EQ(r.Weight, 100 - 10 * row);
        EXPECT_EQ(r.CredenType, c.in.type);
        EXPECT_EQ(r.UserNameLen, c.user.size());
        EXPECT_EQ(Bytes(r.UserName, c.user.size()), c.user);
        if (c.user.size() < sizeof r.UserName) {
            EXPECT_EQ(r.UserName[c.user.size()], 0);
        }
        EXPECT_EQ(r.PasswordLen, c.in.password.size());
        EXPECT_EQ(Bytes(r.Password, r.PasswordLen), c.in.password);
        EXPECT_EQ(std::string(r.Realm), c.realm);
        EXPECT_EQ(std::string(r.IMSI), c.imsi);
        EXPECT_EQ(std::string(r.MNC), c.mnc);
        EXPECT_EQ(std::string(r.MCC), c.mcc);
        EXPECT_EQ(r.RootCa[0], 0);  // no certificate on this computer
        const std::string name = c.in.name.substr(0, 64);
        EXPECT_EQ(Bytes(r.Name, name.size()), name);
        EXPECT_EQ(Page()->RowName(row), name);  // a full-width name read no further than its field
        EXPECT_TRUE(Logged(" --> HotSpotAddCredential: HS20_Add_Credential: success\n"));
        EXPECT_TRUE(Logged(" Set m_bRescan as TRUE"));
        EXPECT_TRUE(OnPage(Page()));
        ++row;
    }
    EXPECT_NE(Journal().find("HS20_Set_Weight 1/0/0/100 1/0/1/90 1/0/2/80 1/0/3/70 0/255/255/60"), std::string::npos);
    // The password never reaches the journal or the entry dump in clear.
    EXPECT_EQ(Journal().find("s3cret"), std::string::npos);
    EXPECT_EQ(Entries().find("s3cret"), std::string::npos);
    EXPECT_NE(Entries().find("credential 0 Home weight=100 prefer=0 type=0 user=alice/5 password=******/6"),
              std::string::npos)
        << Entries();
}

TEST_F(HotSpotPages, AProfileIsStoredAsTypedWithItsSecurityTexts)
{
    const std::string ssid32(32, 's'), name64(64, 'N');
    struct Case {
        ProfileInput in;
        int psk;
        const char* encp;
        const char* keymgmt;
    } cases[] = {
        {{0, 0, 0, "Office", "CorpNet", "bob", "pw", ""}, 0, "AES", "WPA2"},
        {{1, 1, 1, "Cafe", "CafeNet", "", "", "passphrase"}, 1, "TKIP", "WPA"},
        {{1, 0, 1, name64, ssid32, "", "", std::string(40, 'k')}, 1, "TKIP", "WPA2"},
    };
    int row = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.in.name);
        m_log.clear();

        AddProfileByHand(c.in);

        const HS20_PROFILE r = StoredProfile(row);
        EXPECT_EQ(r.Weight, 100 - 10 * row);
        EXPECT_EQ(r.IsPresent, 1);
        EXPECT_EQ(r.IsPSK, c.psk);
        EXPECT_EQ(r.SsidLen, c.in.ssid.size());
        EXPECT_EQ(Bytes(r.Ssid, r.SsidLen), c.in.ssid);
        EXPECT_EQ(r.UserNameLen, c.in.user.size());
        EXPECT_EQ(r.PasswordLen, c.in.password.size());
        const std::string phrase = c.in.passphrase.substr(0, 32);
        EXPECT_EQ(r.PassPhraseLen, phrase.size());
        EXPECT_EQ(Bytes(r.PassPhrase, r.PassPhraseLen), phrase);
        EXPECT_EQ(std::string(r.EncpType), c.encp);
        EXPECT_EQ(std::string(r.KeyMgmtType), c.keymgmt);
        EXPECT_EQ(r.RootCa[0], 0);
        EXPECT_EQ(Bytes(r.Name, c.in.name.size()), c.in.name);
        // The name is the record's last field: the row shows it whole and nothing behind it.
        EXPECT_EQ(Page()->RowName(row), c.in.name);
        EXPECT_TRUE(Logged(" --> HotSpotAddProfile: HS20_Add_Profile: success\n"));
        EXPECT_TRUE(OnPage(Page()));
        ++row;
    }
    EXPECT_EQ(Rows(), (Rows_t{"|Office", "|Cafe", "|" + name64}));
}

TEST_F(HotSpotPages, AddDoesNothingButLogWhenTheTableIsFullOrTheLibraryRefuses)
{
    FormSiteSurvey->BtnSiteSurveyRescan->SetEnabled(false);  // a scan runs: no rescan
    Inject("HS20_Add_Profile", 1, 0);
    AddProfileByHand({0, 0, 0, "Refused", "Net", "", "", ""});
    EXPECT_TRUE(Logged(" --> HotSpotAddProfile: HS20_Add_Profile: fail\n"));
    EXPECT_FALSE(Logged(" Set m_bRescan as TRUE"));
    EXPECT_TRUE(Rows().empty());
    EXPECT_TRUE(OnPage(Page()));

    for (int i = 0; i < 10; ++i)
        AddCredential("C" + std::to_string(i), 100 - 10 * i);
    const int adds = Calls("HS20_Add_Credential");
    m_log.clear();
    AddCredentialByHand({0, "Eleventh", "u", "p", "", "", "", ""});
    EXPECT_TRUE(Logged(" --> >MAX_HS20_TABLE  Count: 10"));
    EXPECT_EQ(Calls("HS20_Add_Credential"), adds);
    EXPECT_EQ(Rows().size(), 10u);
}

TEST_F(HotSpotPages, ModifyBringsTheRecordBackAndSubmitReplacesItInPlace)
{
    AddCredentialByHand({0, "First", "alice", "pw1", "a.org", "", "", ""});
    AddCredentialByHand({2, "Mobile", "", "", "", "001010123", "01", "001"});
    AddProfileByHand({1, 1, 1, "Cafe", std::string(32, 'S'), "", "", "phrase"});
    SelectRow(1);
    Click(Page()->BtnPrefer);
    ASSERT_EQ(Rows(), (Rows_t{"|First", "P|Mobile", "|Cafe"}));

    // The preferred SIM credential in row 1.
    SelectRow(1);
    m_log.clear();
    Click(Page()->BtnModify);
    ASSERT_TRUE(OnPage(Cred()));
    EXPECT_TRUE(TabsHidden());
    EXPECT_TRUE(Cred()->BtnSubmitCredential->Visible());
    EXPECT_TRUE(Cred()->BtnCancelModify->Visible());
    EXPECT_FALSE(Cred()->BtnAddCredential->Visible());
    EXPECT_EQ(Cred()->cBoxCredentialType->ItemIndex(), 2);
    EXPECT_TRUE(Cred()->editIMSI->Visible());
    EXPECT_EQ(Cred()->editProfName->Text(), "Mobile");
    EXPECT_EQ(Cred()->editIMSI->Text(), "001010123");
    EXPECT_EQ(Cred()->editMNC->Text(), "01");
    EXPECT_EQ(Cred()->editMCC->Text(), "001");
    EXPECT_TRUE(Logged(" --> TFrameHotSpotMain: IMSI: 001010123"));

    Type(Cred()->editProfName, "Mobile2");
    Type(Cred()->editMNC, "02");
    JournalClear();
    Click(Cred()->BtnSubmitCredential);

    EXPECT_NE(Journal().find("HS20_Modify_Credential 1 Mobile2 -> 1"), std::string::npos) << Journal();
    const HS20_CREDENTIAL c = StoredCredential(1);
    EXPECT_EQ(c.Prefer, 1);
    EXPECT_EQ(c.Weight, 90);
    EXPECT_EQ(std::string(c.MNC), "02");
    EXPECT_EQ(Rows(), (Rows_t{"|First", "P|Mobile2", "|Cafe"}));
    EXPECT_TRUE(OnPage(Page()));
    EXPECT_TRUE(TabsShown());
    EXPECT_TRUE(Cred()->BtnAddCredential->Visible());
    EXPECT_FALSE(Cred()->BtnSubmitCredential->Visible());
    EXPECT_TRUE(Logged(" --> HotSpotAddCredential: HS20_Modify_Credential: success\n"));

    // The profile in row 2: its full-width SSID comes back whole.
    SelectRow(2);
    Click(Page()->BtnModify);
    ASSERT_TRUE(OnPage(Prof()));
    EXPECT_EQ(Prof()->editSSID->Text(), std::string(32, 'S'));
    EXPECT_EQ(Prof()->editPassPhrase->Text(), "phrase");
    EXPECT_EQ(Prof()->cBoxProfileType->ItemIndex(), 1);
    EXPECT_EQ(Prof()->cBoxKeyMgmtType->ItemIndex(), 1);
    EXPECT_EQ(Prof()->cBoxEncrypyType->ItemIndex(), 1);
    EXPECT_TRUE(Prof()->editPassPhrase->Visible());
    Pick(Prof()->cBoxEncrypyType, 0);
    Click(Prof()->BtnSubmitProfile);
    const HS20_PROFILE p = StoredProfile(0);
    EXPECT_EQ(p.Prefer, 0);
    EXPECT_EQ(p.Weight, 80);
    EXPECT_EQ(std::string(p.EncpType), "AES");
    EXPECT_EQ(p.SsidLen, 32);

    // The TTLS credential in row 0, refused by the library: the row keeps its name.
    SelectRow(0);
    Click(Page()->BtnModify);
    EXPECT_EQ(Cred()->editUserName->Text(), "alice");
    EXPECT_EQ(Cred()->editPassword->Text(), "pw1");
    EXPECT_EQ(Cred()->editRealm->Text(), "a.org");
    Type(Cred()->editProfName, "Renamed");
    Inject("HS20_Modify_Credential", 0, 0);
    Click(Cred()->BtnSubmitCredential);
    EXPECT_TRUE(Logged(" --> HotSpotAddCredential: HS20_Modify_Credential: fail\n"));
    EXPECT_EQ(Page()->RowName(0), "First");
    EXPECT_TRUE(TabsShown());
}

TEST_F(HotSpotPages, EveryWayOutOfModifyBringsTheTabsBack)
{
    FormHotSpot->m_bSigmaTest = true;
    enum Way { kCancel, kClose, kTurnOff };
    struct Case {
        const char* name;
        Way way;
        bool active;
    } cases[] = {{"Cancel", kCancel, true}, {"Close", kClose, true}, {"TurnedOffByTheMainWindow", kTurnOff, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FormHotSpot->Show();
        if (!Page()->m_bHS20Active)
            Click(Page()->rBtnEnableHS20);
        if (Rows().empty())
            AddCredentialByHand({0, "One", "u", "p", "", "", "", ""});
        SelectRow(0);
        Click(Page()->BtnModify);
        ASSERT_TRUE(OnPage(Cred()));
        Type(Cred()->editUserName, "changed");
        const int modifies = Calls("HS20_Modify_Credential");

        if (c.way == kCancel)
            Click(Cred()->BtnCancelModify);
        else if (c.way == kClose)
            ClickTab(FormHotSpot->SysBtnClose);
        else
            Page()->rBtnDisableHS20->SetChecked(true);  // as the main window's exit and radio switch do

        EXPECT_EQ(Calls("HS20_Modify_Credential"), modifies);
        EXPECT_TRUE(OnPage(Page()));
        EXPECT_TRUE(FormHotSpot->TabBtnHotSpot->Visible());
        EXPECT_EQ(FormHotSpot->TabBtnHotSpotAddCredential->Visible(), c.active);
        EXPECT_EQ(FormHotSpot->TabBtnHotSpotAddProfile->Visible(), c.active);
        EXPECT_EQ(FormHotSpot->TabBtnHotSpotSigma->Visible(), c.active);
        EXPECT_EQ(Page()->m_nModifyRow, -1);
        EXPECT_TRUE(Cred()->BtnAddCredential->Visible());
        EXPECT_EQ(Cred()->editUserName->Text(), "");
    }
}

} // namespace

TEST(HotSpotCertificate, TheThumbprintIsTheHashInLowerCaseHexCutTo31Bytes)
{
    const uint8_t two[] = {0x0A, 0xFF};
    uint8_t many[40];
    for (uint8_t i = 0; i < sizeof many; ++i)
        many[i] = i;
    struct Case {
        const uint8_t* hash;
        uint32_t length;
        std::string text;
    } cases[] = {
        {two, 2, "0aff"},
        {many, 20, "000102030405060708090a0b0c0d0e0f10111213"},
        {many, 40, "000102030405060708090a0b0c0d0e0f101112131415161718191a1b1c1d1e"},
        {nullptr, 20, ""},
    };
    for (const Case& c : cases) {
        CertRecord cert{};
        cert.nHashLen = c.length;
        cert.pHash = uint32_t(reinterpret_cast<uintptr_t>(c.hash));
        EXPECT_EQ(TFrameHotSpotAddCredential::CertThumbprintText(cert), c.text);
    }
}
