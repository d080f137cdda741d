// The profile editor's WAPI certificate page on the simulated certificate library: the mode
// and certificate picked through the lists' messages, the identities kept and saved, the
// reselection of a stored choice, the drop-down refill, and hostile libraries.
#include "mainwindow/program_fixture.h"

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "advanced/FormAdvanced.h"
#include "profiles/FormProfileEdit.h"
#include "resources/FormResource.h"
#include "support/WapiCertFiles.h"
#include "ui/Seams.h"
#include "wlapi/constants.h"

namespace {

std::string Str(std::string CUISTR::*text)
{
    return FormResource->UI_Str.get()->*text;
}

std::string Bytes(const uint8_t* data, size_t length)
{
    return std::string(reinterpret_cast<const char*>(data), length);
}

class WapiCertPage : public ProgramFixture {
protected:
    void SetUp() override
    {
        ProgramFixture::SetUp();
        seams::modalAnswer = [this](const std::string& what) {
            m_shown.push_back(what);
            return int(mrOk);
        };
        StartProgram();
        FormMain->TimerReconnect->SetEnabled(false);
        VOZEZIV.nDebugMode = 6;  // the tests read the page's trace lines
        VOZEZIV.bProfAdvPage = 0;
        m_as = m_files.WriteAS("as.cer", "Wevo AS", "A0");
    }

    TFormProfileEdit* E() const { return FormProfileEdit; }
    TFrameProfileEditWAPICert* Page() const { return FormProfileEdit->FrameProfileEditWAPICert; }

    void Install(const std::string& subject, const std::string& serial, const std::vector<std::string>& extra = {})
    {
        const std::string user = m_files.Write(subject + ".cer", subject, "Wevo AS", serial, extra);
        ASSERT_EQ(VOZEZIV.ZeZuveZud_WriteUserASCert(m_scratch.get(), user.c_str(), m_as.c_str()), WAPI_INSTALL_DONE);
    }

    // The identity the library gives for the user (kind 1) or AS (kind 0) certificate at index.
    std::string IdentityOf(int index, int kind)
    {
        VOZEZIV.ZeZuveZud_GetCert(m_scratch.get());
        const WAPI_CERT_INFO& c = m_scratch->Cert[index];
        WAPI_ID_BUFFER id{};
        if (kind == 1)
            VOZEZIV.ZeZuveZud_GetIdentity(1, c.UserCert.nUserIdValue1, c.UserCert.nUserIdValue2, &id);
        else
            VOZEZIV.ZeZuveZud_GetIdentity(0, c.nASIdValue, 0, &id);
        return Bytes(id.Data, std::min<size_t>(id.Length, sizeof id.Data));
    }

    static std::string Working(const WAPI_ID_BUFFER& id) { return Bytes(id.Data, std::min<size_t>(id.Length, 256)); }

    void OnPage()
    {
        ASSERT_TRUE(E()->SwitchPage(E()->m_pCurrentPage, Page()));
    }

    // A new WAPI-certificate profile with the editor on the certificate page.
    void OpenNew()
    {
        E()->InitialSettingFromProfileAdd("Wapi", "5");
        E()->m_bAddProfile = TRUE;
        E()->m_bEditProfile = FALSE;
        Prepare();
        OnPage();
    }

    // The stored profile "Wapi" opened for editing, on the certificate page.
    void OpenStored()
    {
        E()->Hide();
        E()->ResetEditor();
        E()->m_strProfName = E()->m_strOrgProfName = "Wapi";
        E()->m_strProfID = "5";
        E()->m_bEditProfile = TRUE;
        E()->m_bAddProfile = FALSE;
        E()->LoadProfile();
        E()->FillPagesFromProfile();
        Prepare();
        OnPage();
    }

    void Prepare()
    {
        E()->m_strProfSSID = "WapiNet";
        E()->m_nProfNetworkType = E()->m_nInfrastructureMode = 1;
        E()->m_nAuthSel = 9;
        E()->m_nEncrySel = 4;
        E()->Show();
    }

    // A list item picked as a user picks it: the selection, then the notification.
    static void Pick(TComboBox* box, int index)
    {
        SendMessageA(box->Handle(), CB_SETCURSEL, index, 0);
        SendMessageA(GetParent(box->Handle()), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(box->Handle()), CBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(box->Handle()));
    }

    static void DropDown(TComboBox* box)
    {
        SendMessageA(box->Handle(), CB_SHOWDROPDOWN, TRUE, 0);
        SendMessageA(box->Handle(), CB_SHOWDROPDOWN, FALSE, 0);
    }

    static void Click(TWinControl* parent, TControl* button)
    {
        const LPARAM at = MAKELPARAM(button->Left() + 3, button->Top() + 3);
        SendMessageA(parent->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
        SendMessageA(parent->Handle(), WM_LBUTTONUP, 0, at);
    }

    static void ClickNext() { Click(FormProfileEdit, FormProfileEdit->BtnProfileNext); }

    bool Shown(std::string CUISTR::*text) const
    {
        for (const std::string& what : m_shown)
            if (what.find(Str(text)) != std::string::npos)
                return true;
        return false;
    }

    bool Logged(const std::string& text) const
    {
        for (const std::string& line : m_log)
            if (line.find(text) != std::string::npos)
                return true;
        return false;
    }

    static bool Stored(const std::string& name, WLANPROFILE& p)
    {
        std::memset(&p, 0, sizeof p);
        return VOZEZIV.WVWL_ReadProfileData(&p, name.c_str()) == 1 && name == p.strProfileName;
    }

    WapiCertFiles m_files;
    std::string m_as;
    std::unique_ptr<WAPI_CERT_STORE> m_scratch = std::make_unique<WAPI_CERT_STORE>();
    std::vector<std::string> m_shown;
};

TEST_F(WapiCertPage, AManualChoiceIsSavedAndReselectedAndOutlivesItsCertificate)
{
    Install("alice", "0A");
    Install("bob", "0B0C");
    Install("carol", "0D");
    OpenNew();
    EXPECT_EQ(Page()->cbBoxSelectMode->ItemIndex(), 0);
    EXPECT_FALSE(Page()->cbBooxWAPICert->Enabled());
    EXPECT_EQ(Page()->cbBooxWAPICert->ItemIndex(), -1);
    EXPECT_EQ(Page()->lblSerialNumber->Caption(), "");

    Pick(Page()->cbBoxSelectMode, 1);
    EXPECT_EQ(E()->m_nWapiCertMode, 1);
    EXPECT_TRUE(Page()->cbBooxWAPICert->Enabled());
    ASSERT_EQ(Page()->cbBooxWAPICert->Items().Count(), 3);
    EXPECT_EQ(Page()->cbBooxWAPICert->ItemIndex(), 0);
    EXPECT_EQ(Working(E()->m_WapiUserIdentity), IdentityOf(0, 1));

    Pick(Page()->cbBooxWAPICert, 1);
    EXPECT_EQ(Page()->cbBooxWAPICert->Text(), "bob");
    EXPECT_EQ(Page()->lblSerialNumber->Caption(), "0b0c");
    EXPECT_EQ(Page()->lblIssuer->Caption(), "Wevo AS");
    EXPECT_EQ(Page()->lblValidPeriod->Caption(), "2024-01-01 00:00:00 - 2034-12-31 23:59:59");
    const std::string bobUser = IdentityOf(1, 1), bobAS = IdentityOf(1, 0);
    EXPECT_EQ(Working(E()->m_WapiUserIdentity), bobUser);
    EXPECT_EQ(Working(E()->m_WapiASIdentity), bobAS);

    ClickNext();
    WLANPROFILE p;
    ASSERT_TRUE(Stored("Wapi", p));
    EXPECT_EQ(p.nWapiCertMode, 1u);
    EXPECT_EQ(Bytes(p.WapiUserIdentity.Data, p.WapiUserIdentity.Length), bobUser);
    EXPECT_EQ(Bytes(p.WapiASIdentity.Data, p.WapiASIdentity.Length), bobAS);

    OpenStored();
    EXPECT_EQ(Page()->cbBoxSelectMode->ItemIndex(), 1);
    EXPECT_EQ(Page()->cbBooxWAPICert->ItemIndex(), 1);
    EXPECT_EQ(Page()->lblSerialNumber->Caption(), "0b0c");

    // bob deleted: the first is selected, the stored identities stay until the user picks.
    ASSERT_EQ(VOZEZIV.ZeZuveZud_DeleteUserASCertByIndex(m_scratch.get(), 1), 1);
    OpenStored();
    EXPECT_EQ(Page()->cbBooxWAPICert->ItemIndex(), 0);
    EXPECT_EQ(Page()->lblSerialNumber->Caption(), "0a");
    EXPECT_EQ(Working(E()->m_WapiUserIdentity), bobUser);
    Pick(Page()->cbBooxWAPICert, 1);
    EXPECT_EQ(Working(E()->m_WapiUserIdentity), IdentityOf(1, 1));
}

TEST_F(WapiCertPage, AutomaticModeEmptiesTheIdentitiesAndSavesZeroLengths)
{
    Install("alice", "01");
    OpenNew();
    Pick(Page()->cbBoxSelectMode, 1);
    ASSERT_GT(E()->m_WapiUserIdentity.Length, 0);
    Pick(Page()->cbBoxSelectMode, 0);
    EXPECT_EQ(E()->m_nWapiCertMode, 0);
    EXPECT_FALSE(Page()->cbBooxWAPICert->Enabled());
    EXPECT_EQ(Page()->cbBooxWAPICert->ItemIndex(), -1);
    EXPECT_EQ(Page()->lblIssuer->Caption(), "");
    EXPECT_EQ(E()->m_WapiUserIdentity.Length, 0);
    EXPECT_EQ(E()->m_WapiASIdentity.Length, 0);
    ClickNext();
    WLANPROFILE p;
    ASSERT_TRUE(Stored("Wapi", p));
    EXPECT_EQ(p.nWapiCertMode, 0u);
    EXPECT_EQ(p.WapiUserIdentity.Length, 0);
    EXPECT_EQ(p.WapiASIdentity.Length, 0);
}

TEST_F(WapiCertPage, OpeningTheListShowsACertificateInstalledMeanwhile)
{
    Install("alice", "01");
    Install("bob", "02");
    OpenNew();
    Pick(Page()->cbBoxSelectMode, 1);
    Pick(Page()->cbBooxWAPICert, 1);
    Install("carol", "03");
    EXPECT_EQ(Page()->cbBooxWAPICert->Items().Count(), 2);
    DropDown(Page()->cbBooxWAPICert);
    EXPECT_EQ(Page()->cbBooxWAPICert->Items().Count(), 3);
    EXPECT_EQ(Page()->cbBooxWAPICert->ItemIndex(), 1);
    EXPECT_EQ(Page()->cbBooxWAPICert->Text(), "bob");
}

TEST_F(WapiCertPage, NextNeedsACertificateInTheStore)
{
    OpenNew();
    ClickNext();
    EXPECT_TRUE(Shown(&CUISTR::STR_NO_USER_CERT));
    EXPECT_EQ(E()->m_pCurrentPage, Page());
    WLANPROFILE p;
    EXPECT_FALSE(Stored("Wapi", p));
}

TEST_F(WapiCertPage, AnIdentityLongerThanTheRecordHoldsIsClampedAndNotSaved)
{
    struct Case {
        const char* what;
        int claimed;       // the length the library reports
        int working;       // what the editor keeps
        bool saved;
    } cases[] = {
        {"beyond the buffer", 300, 256, false},
        {"the whole buffer", 256, 256, false},
        {"what one byte holds", 255, 255, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        auto reset = CertSimEntry<void (*)()>("SimCertReset");
        ASSERT_NE(reset, nullptr);
        reset();
        VOZEZIV.WVWL_DeleteProfile("Wapi", 1);
        m_shown.clear();
        Install("alice", "01", {"IdentityLength=" + std::to_string(c.claimed)});
        OpenNew();
        Pick(Page()->cbBoxSelectMode, 1);
        EXPECT_EQ(E()->m_WapiUserIdentity.Length, c.working);
        ClickNext();
        WLANPROFILE p;
        EXPECT_EQ(Stored("Wapi", p), c.saved);
        EXPECT_EQ(Shown(&CUISTR::STR_ERROR_LOAD_CER), !c.saved);
        if (c.saved) {
            EXPECT_EQ(p.WapiUserIdentity.Length, 255);
        }
        E()->Hide();
    }
}

TEST_F(WapiCertPage, AStoreThatClaimsTooManyCertificatesListsSixteen)
{
    Install("alice", "01");
    auto claims = CertSimEntry<void (*)(int, int)>("SimCertSetClaims");
    ASSERT_NE(claims, nullptr);
    claims(1000, 0);
    OpenNew();
    Pick(Page()->cbBoxSelectMode, 1);
    EXPECT_EQ(Page()->cbBooxWAPICert->Items().Count(), 16);
    Pick(Page()->cbBooxWAPICert, 15);
    EXPECT_EQ(Page()->lblSerialNumber->Caption(), "");
    EXPECT_EQ(E()->m_WapiUserIdentity.Length, 0);
}

TEST_F(WapiCertPage, AMissingIdentityEntryIsLoggedByName)
{
    Install("alice", "01");
    const PFN_ZeZuveZud_GetIdentity saved = VOZEZIV.ZeZuveZud_GetIdentity;
    VOZEZIV.ZeZuveZud_GetIdentity = nullptr;
    E()->InitialSettingFromProfileAdd("Wapi", "5");
    E()->m_bAddProfile = TRUE;
    E()->m_nWapiCertMode = 1;
    Prepare();
    OnPage();
    EXPECT_TRUE(Logged(" GetIdentity : VOZEZIV.ZeZuveZud_GetIdentity is NULL"));
    EXPECT_TRUE(Page()->cbBooxWAPICert->Enabled());
    Pick(Page()->cbBooxWAPICert, 0);
    EXPECT_EQ(E()->m_WapiUserIdentity.Length, 0);
    VOZEZIV.ZeZuveZud_GetIdentity = saved;
}

TEST_F(WapiCertPage, TheCertificateButtonOpensTheCertificateCentre)
{
    OpenNew();
    Click(Page(), Page()->BtnWAPICertCenter);
    ASSERT_NE(FormAdvanced, nullptr);
    EXPECT_TRUE(FormAdvanced->Visible());
    EXPECT_EQ(FormAdvanced->m_pCurrentPage, FormAdvanced->FrameAdvancedCertManagement);
}

TEST_F(WapiCertPage, TheEditorGivesTheStoreBackWhenDestroyed)
{
    Install("alice", "01");
    OpenNew();
    EXPECT_EQ(CertSimCalls("ZeZuveZud_ClearCert"), 0);
    Application->DestroyForms();
    EXPECT_EQ(CertSimCalls("ZeZuveZud_ClearCert"), 1);
}

} // namespace
