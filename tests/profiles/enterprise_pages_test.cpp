// The editor's 802.1X and certificate pages driven as a user drives them: lists picked and
// boxes clicked through the window procedure, text typed, Next clicked; the checks' messages,
// the certificate lists of the simulated stores and what reaches the working copy.
#include "mainwindow/program_fixture.h"

#include <cstring>
#include <string>
#include <vector>

#include "profiles/FormProfileEdit.h"
#include "profiles/ProfileNames.h"
#include "profiles/ProfileRecord.h"
#include "resources/FormResource.h"
#include "ui/Seams.h"
#include "wlapi/constants.h"

namespace {

std::string Str(std::string CUISTR::*text)
{
    return FormResource->UI_Str.get()->*text;
}

std::string Date(int dayOffset)
{
    SYSTEMTIME now{};
    GetLocalTime(&now);
    FILETIME ft{};
    SystemTimeToFileTime(&now, &ft);
    ULARGE_INTEGER t{};
    t.LowPart = ft.dwLowDateTime;
    t.HighPart = ft.dwHighDateTime;
    t.QuadPart += static_cast<long long>(dayOffset) * 24 * 3600 * 10000000LL;
    ft.dwLowDateTime = t.LowPart;
    ft.dwHighDateTime = t.HighPart;
    SYSTEMTIME day{};
    FileTimeToSystemTime(&ft, &day);
    return std::to_string(day.wYear) + "/" + std::to_string(day.wMonth) + "/" + std::to_string(day.wDay);
}

std::vector<int> Values(const TComboBox* box)
{
    std::vector<int> values;
    for (int i = 0; i < box->Items().Count(); ++i)
        values.push_back(int(reinterpret_cast<intptr_t>(box->Items().Objects(i))));
    return values;
}

class EnterprisePages : public ProgramFixture {
protected:
    void SetUp() override
    {
        ProgramFixture::SetUp();
        seams::modalAnswer = [this](const std::string& what) {
            m_shown.push_back(what);
            return int(mrOk);
        };
    }

    void Start(const TScenario& scenario)
    {
        StartProgram(scenario);
        FormMain->TimerReconnect->SetEnabled(false);
    }

    static TScenario WithCerts(const std::string& tlsExpiry)
    {
        TScenario s;
        s.AddSection("Cert.1", {"Store=MY", "IssuedTo=alice", "IssuedBy=Corp CA", "Expiry=" + tlsExpiry,
                                "FriendlyName=Alice", "Hash=A1A2A3"});
        s.AddSection("Cert.2", {"Store=MY", "Machine=1", "IssuedTo=host", "IssuedBy=Corp CA", "Hash=B1B2"});
        s.AddSection("Cert.3", {"Store=MY", "IssuedTo=old", "IssuedBy=Corp CA", "Expiry=" + Date(-1),
                                "Hash=D1"});
        s.AddSection("Cert.4", {"Store=ROOT", "IssuedTo=Corp CA", "Hash=C1"});
        s.AddSection("Cert.5", {"Store=ROOT", "IssuedTo=Corp CA", "Hash=C2"});
        return s;
    }

    // A new WPA2-Enterprise profile with the editor on the 802.1X page.
    void OpenOn8021X(int os, int encry = 3, int auth = 5)
    {
        VOZEZIV.nWinOS = os;
        VOZEZIV.bPersistentConnect = 0;
        TFormProfileEdit* e = FormProfileEdit;
        e->InitialSettingFromProfileAdd("Corp", "3");
        e->m_bAddProfile = TRUE;
        e->m_bEditProfile = FALSE;
        e->m_strProfSSID = "CorpNet";
        e->m_nAuthSel = auth;
        e->m_nEncrySel = encry;
        e->Show();
        ASSERT_TRUE(e->SwitchPage(e->m_pCurrentPage, e->FrameProfileEdit8021X));
    }

    static void Pick(TComboBox* box, int value)
    {
        const int index = box->Items().IndexOfObject(reinterpret_cast<void*>(intptr_t(value)));
        ASSERT_GE(index, 0) << "no item of value " << value;
        SendMessageA(box->Handle(), CB_SETCURSEL, index, 0);
        SendMessageA(GetParent(box->Handle()), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(box->Handle()), CBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(box->Handle()));
    }

    static void Type(TEdit* edit, const std::string& text)
    {
        SendMessageA(edit->Handle(), EM_SETSEL, 0, -1);
        SendMessageA(edit->Handle(), WM_CHAR, VK_BACK, 0);
        for (char c : text)
            SendMessageA(edit->Handle(), WM_CHAR, static_cast<unsigned char>(c), 0);
    }

    static void ClickNext()
    {
        TWvImage* next = FormProfileEdit->BtnProfileNext;
        const LPARAM at = MAKELPARAM(next->Left() + 3, next->Top() + 3);
        SendMessageA(FormProfileEdit->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
        SendMessageA(FormProfileEdit->Handle(), WM_LBUTTONUP, 0, at);
    }

    bool Shown(std::string CUISTR::*text) const
    {
        for (const std::string& what : m_shown)
            if (what.find(Str(text)) != std::string::npos)
                return true;
        return false;
    }

    std::vector<std::string> m_shown;
};

TEST_F(EnterprisePages, MethodListsFollowTheWindowsVersionAndTheCipher)
{
    Start(TScenario());
    struct Case {
        int os, encry;
        std::vector<int> methods;
    } cases[] = {{20, 1, {0, 1, 2, 3, 4, 5}}, {20, 3, {0, 1, 2, 3, 5}}, {41, 1, {0, 1, 3, 5}}, {41, 3, {0, 1, 3, 5}}};
    for (const Case& c : cases) {
        OpenOn8021X(c.os, c.encry, c.encry == 1 ? 12 : 5);
        EXPECT_EQ(Values(FormProfileEdit->FrameProfileEdit8021X->cBoxEAPMethod), c.methods) << c.os << "/" << c.encry;
        FormProfileEdit->Hide();
    }
}

TEST_F(EnterprisePages, InnerMethodsAndPasswordModesFollowTheMethod)
{
    Start(TScenario());
    struct Case {
        int os, method, inner;
        std::vector<int> inners, modes;  // modes: empty when the mode list is hidden
        bool passwordEnabled;
    } cases[] = {
        {41, 0, 6, {26, 13, 6}, {1, 0, 2, 3}, true},
        {20, 0, 6, {26, 13, 6}, {1}, true},
        {41, 0, 13, {26, 13, 6}, {}, false},
        {41, 0, 26, {26, 13, 6}, {}, true},
        {41, 5, 0, {}, {1, 2, 3}, true},
        {20, 2, 73, {72, 71, 26, 73, 4}, {}, true},
        {20, 3, 6, {26, 13, 6}, {1, 0}, true},
        {41, 3, 0, {}, {}, false},
        {41, 1, 0, {}, {}, false},
    };
    for (const Case& c : cases) {
        OpenOn8021X(c.os);
        TFrameProfileEdit8021X* page = FormProfileEdit->FrameProfileEdit8021X;
        Pick(page->cBoxEAPMethod, c.method);
        if (!c.inners.empty())
            Pick(page->cBoxTunnelAuthen, c.inner);
        const std::string name = std::to_string(c.os) + "/" + std::to_string(c.method) + "/" + std::to_string(c.inner);
        if (c.method != 3 || c.os < 31) {
            EXPECT_EQ(Values(page->cBoxTunnelAuthen), c.inners) << name;
        }
        EXPECT_EQ(page->cBoxPasswordMode->Visible(), !c.modes.empty()) << name;
        if (!c.modes.empty()) {
            EXPECT_EQ(Values(page->cBoxPasswordMode), c.modes) << name;
        }
        EXPECT_EQ(page->editAuthenPassword->Enabled(), c.passwordEnabled) << name;
        FormProfileEdit->Hide();
    }
}

TEST_F(EnterprisePages, NextChecksIdentityAndPasswordAsTheMethodNeeds)
{
    Start(TScenario());
    struct Case {
        int os, auth, encry, method, inner;
        const char* identity;
        std::string CUISTR::*message;  // nullptr: the page is left
    } cases[] = {
        {41, 5, 3, 0, 26, "", &CUISTR::STR_IDREQUIRED},
        {41, 5, 3, 0, 26, "alice", &CUISTR::STR_PWDREQUIRED},
        {41, 5, 3, 3, 26, "", nullptr},
        {20, 12, 1, 4, 26, "alice", &CUISTR::STR_CHECKRULE4},
        {20, 5, 3, 2, 72, "alice", &CUISTR::STR_PWDREQUIRED},
        {20, 5, 3, 5, 0, "", &CUISTR::STR_IDREQUIRED},
    };
    for (const Case& c : cases) {
        OpenOn8021X(c.os, c.encry, c.auth);
        TFrameProfileEdit8021X* page = FormProfileEdit->FrameProfileEdit8021X;
        Pick(page->cBoxEAPMethod, c.method);
        if (c.method == 0 || c.method == 2)
            Pick(page->cBoxTunnelAuthen, c.inner);
        Type(page->editAuthenID, c.identity);
        Type(page->editAuthenPassword, "");
        m_shown.clear();
        ClickNext();
        const std::string name = std::to_string(c.os) + "/" + std::to_string(c.method);
        if (c.message) {
            EXPECT_TRUE(Shown(c.message)) << name;
            EXPECT_EQ(FormProfileEdit->m_pCurrentPage, page) << name;
        } else {
            EXPECT_TRUE(m_shown.empty()) << name;
            EXPECT_NE(FormProfileEdit->m_pCurrentPage, page) << name;
        }
        FormProfileEdit->Hide();
    }
}

TEST_F(EnterprisePages, TheMachineIdentityIsBoundedAndLeavesOutAMissingDomain)
{
    struct Case {
        std::string computer, domain, expected;
    } cases[] = {
        {"PC1", "corp.example", "host/PC1.corp.example"},
        {"PC1", "", "host/PC1"},
        {"PC1", std::string(200, 'd'), ("host/PC1." + std::string(200, 'd')).substr(0, 100)},
    };
    for (const Case& c : cases)
        EXPECT_EQ(TFrameProfileEdit8021X::MachineIdentity(c.computer, c.domain), c.expected);

    Start(TScenario());
    SetEnvironmentVariableA("USERDNSDOMAIN", nullptr);
    OpenOn8021X(20);
    TFrameProfileEdit8021X* page = FormProfileEdit->FrameProfileEdit8021X;
    Pick(page->cBoxEAPMethod, 3);
    Pick(page->cBoxAuthenID, 1);
    const std::string identity = page->editAuthenID->Text();
    EXPECT_EQ(identity.rfind("host/", 0), 0u) << identity;
    EXPECT_EQ(identity.find('%'), std::string::npos) << identity;
    EXPECT_FALSE(page->editAuthenID->Enabled());
}

TEST_F(EnterprisePages, ClientCertificatesListUserBeforeMachineAndKeepTheStoredOne)
{
    Start(WithCerts(Date(30)));
    OpenOn8021X(41);
    TFrameProfileEditClientCert* client = FormProfileEdit->FrameProfileEditClientCert;
    FormProfileEdit->m_WpaInfo.UserCertKey.BlobLength = 1;
    FormProfileEdit->m_WpaInfo.UserCertKey.BlobData[0] = 0xD1;
    TFrameProfileEdit8021X* page = FormProfileEdit->FrameProfileEdit8021X;
    Pick(page->cBoxEAPMethod, 1);
    ASSERT_EQ(client->cBoxClientCert->Items().Count(), 3);
    EXPECT_EQ(client->cBoxClientCert->Items().Strings(0), "alice");
    EXPECT_EQ(client->cBoxClientCert->Items().Strings(1), "old");
    EXPECT_EQ(client->cBoxClientCert->Items().Strings(2), "host");
    EXPECT_EQ(client->cBoxClientCert->ItemIndex(), 1) << "the stored certificate is selected again";
    std::string reply;
    SimCommand("certs", &reply);
    EXPECT_NE(reply.find("outstanding 3 "), std::string::npos) << reply;
    // Each refill hands the old list back first.
    client->rBtnUseClientCert->SetChecked(false);
    SendMessageA(client->rBtnUseClientCert->Handle(), BM_CLICK, 0, 0);
    SimCommand("certs", &reply);
    EXPECT_NE(reply.find("outstanding 3 "), std::string::npos) << reply;
    client->m_Certs.Release();
    SimCommand("certs", &reply);
    EXPECT_NE(reply.find("outstanding 0 "), std::string::npos) << reply;
}

TEST_F(EnterprisePages, AnExpiredClientCertificateIsRefusedAndTodayStillPasses)
{
    Start(WithCerts(Date(0)));
    struct Case {
        const char* name;
        bool refused;
        std::vector<uint8_t> hash;
    } cases[] = {{"old", true, {}}, {"alice", false, {0xA1, 0xA2, 0xA3}}};
    for (const Case& c : cases) {
        OpenOn8021X(41);
        TFrameProfileEdit8021X* page = FormProfileEdit->FrameProfileEdit8021X;
        Pick(page->cBoxEAPMethod, 1);
        Type(page->editAuthenID, "alice");
        ClickNext();
        TFrameProfileEditClientCert* client = FormProfileEdit->FrameProfileEditClientCert;
        ASSERT_EQ(FormProfileEdit->m_pCurrentPage, client);
        Pick(client->cBoxClientCert, client->cBoxClientCert->Items().IndexOf(c.name));
        m_shown.clear();
        ClickNext();
        EXPECT_EQ(Shown(&CUISTR::STR_ERROR_CERT_INVALID_EXPDATE), c.refused) << c.name;
        EXPECT_EQ(FormProfileEdit->m_pCurrentPage == client, c.refused) << c.name;
        if (!c.refused) {
            const KV_BLOB_KEY& key = FormProfileEdit->m_WpaInfo.UserCertKey;
            EXPECT_EQ(std::vector<uint8_t>(key.BlobData, key.BlobData + key.BlobLength), c.hash) << c.name;
        }
        FormProfileEdit->Hide();
    }
}

TEST_F(EnterprisePages, OfTwoRootCertificatesWithOneNameThePickedOneIsStored)
{
    Start(WithCerts(Date(30)));
    OpenOn8021X(41);
    TFrameProfileEditServerCert* server = FormProfileEdit->FrameProfileEditServerCert;
    ASSERT_TRUE(FormProfileEdit->SwitchPage(FormProfileEdit->m_pCurrentPage, server));
    SendMessageA(server->chBoxEnableServerCert->Handle(), BM_CLICK, 0, 0);
    ASSERT_TRUE(server->chBoxEnableServerCert->Checked());
    ASSERT_EQ(server->cBoxServerCert->Items().Count(), 3);
    EXPECT_EQ(server->cBoxServerCert->Items().Strings(0), "- Any Trusted CA -");
    struct Case {
        int value;
        std::vector<uint8_t> hash;
    } cases[] = {{1, {0xC2}}, {0, {0xC1}}, {-1, {}}};
    for (const Case& c : cases) {
        Pick(server->cBoxServerCert, c.value);
        server->StoreSettings();
        const KV_BLOB_KEY& key = FormProfileEdit->m_WpaInfo.CACertKey;
        EXPECT_EQ(std::vector<uint8_t>(key.BlobData, key.BlobData + key.BlobLength), c.hash) << c.value;
    }
}

TEST_F(EnterprisePages, WhatIsTypedOnThePagesSurvivesASaveAndAReload)
{
    Start(WithCerts(Date(30)));
    VOZEZIV.bProfAdvPage = 0;
    OpenOn8021X(41);
    TFrameProfileEdit8021X* page = FormProfileEdit->FrameProfileEdit8021X;
    Pick(page->cBoxEAPMethod, 0);
    Pick(page->cBoxTunnelAuthen, 6);
    Pick(page->cBoxPasswordMode, 1);
    Type(page->editAuthenID, "alice");
    Type(page->editAuthenPassword, "s3cret");
    ClickNext();
    TFrameProfileEditServerCert* server = FormProfileEdit->FrameProfileEditServerCert;
    ASSERT_EQ(FormProfileEdit->m_pCurrentPage, server);
    SendMessageA(server->chBoxEnableServerCert->Handle(), BM_CLICK, 0, 0);
    Pick(server->cBoxServerCert, 1);
    ClickNext();
    while (FormProfileEdit->Visible() && FormProfileEdit->m_pCurrentPage == FormProfileEdit->FrameProfileEditSSO)
        ClickNext();
    ASSERT_FALSE(FormProfileEdit->Visible());

    TFormProfileEdit* e = FormProfileEdit;
    e->ResetEditor();
    e->m_strProfName = e->m_strOrgProfName = "Corp";
    e->LoadProfile();
    e->FillPagesFromProfile();
    const WPA_INFO& w = e->m_WpaInfo;
    EXPECT_EQ(w.nEapMethod, 0);
    EXPECT_EQ(w.nTunnel, 6);
    EXPECT_EQ(w.nPwdMode, 1);
    EXPECT_EQ(w.strIdentity, "alice");
    EXPECT_EQ(w.strPassword, "s3cret");
    EXPECT_EQ(w.bUseServerCert, 1);
    EXPECT_EQ(std::vector<uint8_t>(w.CACertKey.BlobData, w.CACertKey.BlobData + w.CACertKey.BlobLength),
              std::vector<uint8_t>{0xC2});
    e->m_bEditProfile = TRUE;
    e->Show();
    ASSERT_TRUE(e->SwitchPage(e->m_pCurrentPage, page));
    EXPECT_EQ(page->editAuthenID->Text(), "alice");
    EXPECT_EQ(int(reinterpret_cast<intptr_t>(page->cBoxTunnelAuthen->Items().Objects(page->cBoxTunnelAuthen->ItemIndex()))), 6);
    EXPECT_EQ(SimJournal().find("s3cret"), std::string::npos) << "no password in the journal";
}

TEST_F(EnterprisePages, SmallMends)
{
    // A CCKM profile with WEP keeps its kind; 802.1X with WEP stays 802.1X.
    EXPECT_EQ(StoredAuthToEditor(13, 1, 0), 10);
    EXPECT_EQ(StoredAuthToEditor(0, 1, 0), 12);

    Start(TScenario());
    // A new profile does not inherit the EAP-FAST choices of the profile edited before.
    TFormProfileEdit* e = FormProfileEdit;
    e->m_bUsePAC = 0;
    e->m_bProvisionMode = 0;
    e->m_nProvisioningTunnel = 2;
    e->InitialSettingFromProfileAdd("Fresh", "4");
    EXPECT_EQ(e->m_bUsePAC, 1);
    EXPECT_EQ(e->m_bProvisionMode, 1);
    EXPECT_EQ(e->m_nProvisioningTunnel, 0);

    // The SSID box is sorted and takes at most 32 typed characters.
    TComboBox* ssid = e->FrameProfileEditWireless->cboxSSID;
    EXPECT_TRUE(ssid->Sorted());
    for (int i = 1; i < ssid->Items().Count(); ++i)
        EXPECT_LE(lstrcmpiA(ssid->Items().Strings(i - 1).c_str(), ssid->Items().Strings(i).c_str()), 0);
    HWND edit = FindWindowExA(ssid->Handle(), nullptr, "Edit", nullptr);
    ASSERT_NE(edit, nullptr);
    SetWindowTextA(edit, "");
    for (int i = 0; i < 40; ++i)
        SendMessageA(edit, WM_CHAR, 'a', 0);
    EXPECT_EQ(ssid->Text().size(), 32u);
}

TEST_F(EnterprisePages, TheDefaultNameReadsLeadingDigitsOnly)
{
    Start(TScenario());
    for (const char* name : {"Prof-3", "PROF2"}) {
        WLANPROFILE p{};
        std::strcpy(p.strProfileName, name);
        p.SSID.SsidLength = 3;
        std::memcpy(p.SSID.Ssid, "Net", 3);
        ASSERT_EQ(VOZEZIV.WVWL_WriteProfile(name, &p), 1);
    }
    EXPECT_EQ(MakeDefaultProfileName(VOZEZIV, "Default", "PROF"), "PROF3");
}

} // namespace
