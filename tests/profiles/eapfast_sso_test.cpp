// The editor's EAP-FAST and single-sign-on pages driven as a user drives them: buttons,
// boxes and lists clicked through the window procedure, PAC files imported through the file
// dialog's seam, rows marked by a double click the list view receives; what the save hands
// to the simulated adapter and what a reload shows again.
#include "mainwindow/program_fixture.h"

#include <cstring>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "profiles/FormProfileEdit.h"
#include "profiles/ProfileFileDialog.h"
#include "resources/FormResource.h"
#include "ui/Seams.h"
#include "wlapi/constants.h"

namespace {

std::string Str(std::string CUISTR::*text)
{
    return FormResource->UI_Str.get()->*text;
}

std::string TempFolder(const std::string& name)
{
    char tmp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, tmp);
    const std::string folder = std::string(tmp) + "wevo_" + name + "_" + std::to_string(GetCurrentProcessId());
    CreateDirectoryA(folder.c_str(), nullptr);
    return folder;
}

void WriteFile(const std::string& path)
{
    std::ofstream(path, std::ios::binary) << "PAC";
}

bool FileExists(const std::string& path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

class EapFastSso : public ProgramFixture {
protected:
    void SetUp() override
    {
        ProgramFixture::SetUp();
        GetCurrentDirectoryA(MAX_PATH, m_startFolder);
        m_scan = TempFolder("scan");
        m_elsewhere = TempFolder("import");
        SetCurrentDirectoryA(m_scan.c_str());
        seams::modalAnswer = [this](const std::string& what) {
            m_shown.push_back(what);
            return int(mrOk);
        };
        profileFileDialogAnswer = [this](bool, std::string& path) {
            ++m_dialogs;
            m_offered = {profileFileDialogShowing->Filter, profileFileDialogShowing->FileName,
                         profileFileDialogShowing->DefaultExt};
            if (m_chosen.empty())
                return false;
            path = m_chosen;
            return true;
        };
    }

    void TearDown() override
    {
        profileFileDialogAnswer = nullptr;
        SetCurrentDirectoryA(m_startFolder);
        for (const std::string& folder : {m_scan, m_elsewhere}) {
            WIN32_FIND_DATAA found{};
            HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
            if (search != INVALID_HANDLE_VALUE) {
                do
                    DeleteFileA((folder + "\\" + found.cFileName).c_str());
                while (FindNextFileA(search, &found));
                FindClose(search);
            }
            RemoveDirectoryA(folder.c_str());
        }
        ProgramFixture::TearDown();
    }

    void Start(const TScenario& scenario = TScenario())
    {
        StartProgram(scenario);
        FormMain->TimerReconnect->SetEnabled(false);
        VOZEZIV.bProfAdvPage = 0;
        VOZEZIV.bEAPFastEnhancement = 1;
    }

    // A new profile of the given kind with the editor on the given page.
    void OpenOn(TFrameBase* page, int os, int auth = 3, int encry = 2, const char* name = "Corp",
                const std::function<void()>& prepare = nullptr)
    {
        VOZEZIV.nWinOS = os;
        TFormProfileEdit* e = FormProfileEdit;
        e->InitialSettingFromProfileAdd(name, "3");
        e->m_bAddProfile = TRUE;
        e->m_bEditProfile = FALSE;
        e->m_strProfSSID = "CorpNet";
        e->m_nAuthSel = auth;
        e->m_nEncrySel = encry;
        if (prepare)
            prepare();
        e->Show();
        ASSERT_TRUE(e->SwitchPage(e->m_pCurrentPage, page));
    }

    // A new EAP-FAST profile reached through the 802.1X page's Next (below Vista).
    void OpenFastPage(const char* name = "Corp")
    {
        VOZEZIV.bPersistentConnect = 0;
        OpenOn(FormProfileEdit->FrameProfileEdit8021X, 20, 3, 2, name);
        TFrameProfileEdit8021X* x = FormProfileEdit->FrameProfileEdit8021X;
        Pick(x->cBoxEAPMethod, x->cBoxEAPMethod->Items().IndexOfObject(reinterpret_cast<void*>(intptr_t(3))));
        Type(x->editAuthenID, "alice");
        Type(x->editAuthenPassword, "s3cret");
        ClickNext();
        ASSERT_EQ(FormProfileEdit->m_pCurrentPage, FormProfileEdit->FrameProfileEditEAPFast);
    }

    static TFrameProfileEditEAPFast* Fast() { return FormProfileEdit->FrameProfileEditEAPFast; }
    static TFrameProfileEditSSO* Sso() { return FormProfileEdit->FrameProfileEditSSO; }

    static void Pick(TComboBox* box, int index)
    {
        ASSERT_GE(index, 0);
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

    static void Click(TWinControl* control) { SendMessageA(control->Handle(), BM_CLICK, 0, 0); }

    static void ClickNext()
    {
        TWvImage* next = FormProfileEdit->BtnProfileNext;
        const LPARAM at = MAKELPARAM(next->Left() + 3, next->Top() + 3);
        SendMessageA(FormProfileEdit->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
        SendMessageA(FormProfileEdit->Handle(), WM_LBUTTONUP, 0, at);
    }

    // Mouse input for a row of the PAC list, queued as the system queues it.
    void ClickRow(int row, bool twice)
    {
        TListView* list = Fast()->lvPACList;
        RECT r{};
        r.left = LVIR_BOUNDS;
        ASSERT_TRUE(SendMessageA(list->Handle(), LVM_GETITEMRECT, row, reinterpret_cast<LPARAM>(&r)));
        const LPARAM at = MAKELPARAM(r.left + 30, (r.top + r.bottom) / 2);
        PostMessageA(list->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
        PostMessageA(list->Handle(), WM_LBUTTONUP, 0, at);
        if (twice) {
            PostMessageA(list->Handle(), WM_LBUTTONDBLCLK, MK_LBUTTON, at);
            PostMessageA(list->Handle(), WM_LBUTTONUP, 0, at);
        }
        Pump(150);
    }

    void Import(const std::string& path)
    {
        m_chosen = path;
        Click(Fast()->BtnImport);
    }

    std::vector<std::string> Names() const
    {
        std::vector<std::string> names;
        for (int i = 0; i < Fast()->PacCount(); ++i)
            names.push_back((Fast()->PacRow(i).nMark == 1 ? "V " : "") + Fast()->PacRow(i).strFileName);
        return names;
    }

    bool Shown(const std::string& text) const
    {
        for (const std::string& what : m_shown)
            if (what.find(text) != std::string::npos)
                return true;
        return false;
    }

    static bool Stored(const std::string& name, WLANPROFILE& p)
    {
        std::memset(&p, 0, sizeof p);
        return VOZEZIV.WVWL_ReadProfileData(&p, name.c_str()) == 1;
    }

    std::string StoredPacs(const std::string& name)
    {
        std::string reply;
        SimCommand("pac " + name, &reply);
        return reply;
    }

    // The stored profile opened for editing as the profile list opens it.
    void Reload(const std::string& name)
    {
        TFormProfileEdit* e = FormProfileEdit;
        e->ResetEditor();
        e->m_strProfName = e->m_strOrgProfName = name;
        e->m_bEditProfile = TRUE;
        e->m_bAddProfile = FALSE;
        e->LoadProfile();
        e->FillPagesFromProfile();
    }

    char m_startFolder[MAX_PATH] = {};
    std::string m_scan, m_elsewhere, m_chosen;
    std::vector<std::string> m_offered;  // filter, initial name and extension of the last dialog
    int m_dialogs = 0;
    std::vector<std::string> m_shown;
};

TEST_F(EapFastSso, ANewProfileListsThePacFilesOfTheCurrentFolderAndImportsOthersOnce)
{
    WriteFile(m_scan + "\\a.pac");
    WriteFile(m_scan + "\\b.PAC");
    WriteFile(m_scan + "\\notes.txt");
    WriteFile(m_elsewhere + "\\Corp.pac");
    Start();
    OpenFastPage();
    EXPECT_EQ(Names(), (std::vector<std::string>{"a.pac", "b.PAC"}));
    EXPECT_EQ(Fast()->PacRow(0).strFilePath, m_scan + "\\a.pac");
    EXPECT_TRUE(Fast()->chBoxUsePAC->Checked());
    EXPECT_TRUE(Fast()->chBoxProvisionMode->Checked());
    EXPECT_TRUE(Fast()->BtnImport->Enabled());

    Import(m_elsewhere + "\\Corp.pac");
    EXPECT_EQ(m_offered, (std::vector<std::string>{"PAC File(*.pac)|*.pac", "*.pac", "pac"}));
    EXPECT_EQ(Names(), (std::vector<std::string>{"a.pac", "b.PAC", "Corp.PAC"}));
    EXPECT_EQ(Fast()->PacRow(2).strFilePath, m_elsewhere + "\\Corp.pac");
    EXPECT_EQ(Fast()->lvPACList->Item(2)->SubItem(0), "Corp.PAC");
    EXPECT_EQ(Fast()->lvPACList->Item(2)->Caption(), "");

    std::string other = m_elsewhere + "\\CORP.PAC";
    CharUpperBuffA(other.data(), DWORD(other.size()));
    Import(other);
    EXPECT_EQ(Fast()->PacCount(), 3) << "the same file in other letter case is not added again";
    EXPECT_EQ(FormProfileEdit->m_strLastPACFile, other);

    m_chosen.clear();
    Click(Fast()->BtnImport);
    EXPECT_EQ(Fast()->PacCount(), 3) << "a cancelled dialog adds nothing";

    // Unchecking use-PAC disables the buttons.
    Click(Fast()->chBoxUsePAC);
    EXPECT_FALSE(Fast()->BtnImport->Enabled());
    EXPECT_FALSE(Fast()->BtnRemove->Enabled());
    EXPECT_EQ(FormProfileEdit->m_bUsePAC, 0);
}

TEST_F(EapFastSso, TheFiftyFirstPacIsRefusedWithTheLimitInTheMessage)
{
    for (int i = 0; i < 55; ++i)
        WriteFile(m_scan + "\\f" + std::to_string(i) + ".pac");
    WriteFile(m_elsewhere + "\\more.pac");
    Start();
    OpenFastPage();
    ASSERT_EQ(Fast()->PacCount(), 50) << "the folder scan stops at 50";
    const int dialogs = m_dialogs;
    Import(m_elsewhere + "\\more.pac");
    EXPECT_EQ(Fast()->PacCount(), 50);
    EXPECT_EQ(m_dialogs, dialogs) << "no file dialog past the limit";
    std::string expected = Str(&CUISTR::STR_PAC_LIST_MAX_ITEM);
    ASSERT_NE(expected.find("%s"), std::string::npos);
    expected.replace(expected.find("%s"), 2, "50");
    EXPECT_TRUE(Shown(expected)) << (m_shown.empty() ? "no message" : m_shown.back());
}

TEST_F(EapFastSso, ADoubleClickTogglesTheMarkAndRemoveDeletesTheFile)
{
    WriteFile(m_scan + "\\a.pac");
    WriteFile(m_scan + "\\b.pac");
    Start();
    OpenFastPage();
    ASSERT_EQ(Fast()->PacCount(), 2);

    // Without a selection both refuse with a message.
    Click(Fast()->BtnRemove);
    EXPECT_TRUE(Shown(Str(&CUISTR::STR_NOSELECTEDITEM)));
    EXPECT_EQ(Fast()->PacCount(), 2);

    ClickRow(1, true);
    EXPECT_EQ(Names(), (std::vector<std::string>{"a.pac", "V b.pac"}));
    EXPECT_EQ(Fast()->lvPACList->Item(1)->Caption(), "V");
    ClickRow(1, true);
    EXPECT_EQ(Names(), (std::vector<std::string>{"a.pac", "b.pac"})) << "twice leaves it unmarked";
    ClickRow(0, true);
    EXPECT_EQ(Names(), (std::vector<std::string>{"V a.pac", "b.pac"}));

    ClickRow(1, false);
    Click(Fast()->BtnRemove);
    EXPECT_EQ(Names(), (std::vector<std::string>{"V a.pac"}));
    EXPECT_FALSE(FileExists(m_scan + "\\b.pac")) << "Remove deletes the file";
    EXPECT_TRUE(FileExists(m_scan + "\\a.pac"));
    m_shown.clear();
    Click(Fast()->BtnRemove);
    EXPECT_TRUE(Shown(Str(&CUISTR::STR_NOSELECTEDITEM))) << "the removed row is no longer selected";
}

TEST_F(EapFastSso, TheProvisioningListFollowsTheVersionAndTheEnhancementSetting)
{
    Start();
    struct Case {
        int os, enhancement, items;
        bool shown;
    } cases[] = {{20, 1, 3, true}, {41, 1, 2, true}, {20, 0, 3, false}};
    TFrameBase* page = FormProfileEdit->FrameProfileEditEAPFast;
    for (const Case& c : cases) {
        VOZEZIV.bEAPFastEnhancement = c.enhancement;
        OpenOn(page, c.os, 5, 3);
        const std::string name = std::to_string(c.os) + "/" + std::to_string(c.enhancement);
        EXPECT_EQ(Fast()->cBoxProvisioningTunnel->Items().Count(), c.items) << name;
        EXPECT_EQ(Fast()->cBoxProvisioningTunnel->Visible(), c.shown) << name;
        EXPECT_EQ(Fast()->lblProvisioningTunnel->Visible(), c.shown) << name;
        EXPECT_EQ(Fast()->chBoxProvisionMode->Enabled(), c.shown) << name;
        FormProfileEdit->Hide();
    }
}

TEST_F(EapFastSso, EapFastChoicesAndPacRowsSurviveASaveAndAReload)
{
    WriteFile(m_scan + "\\a.pac");
    WriteFile(m_elsewhere + "\\Corp.pac");
    Start();
    struct Case {
        const char* name;
        int position;      // provisioning list position picked
        bool usePac, provision;
        int storedTunnel;  // enumProvisioningTunnel
    } cases[] = {
        {"FastGtc", 2, true, true, 6},
        {"FastTls", 1, true, false, 13},
        {"FastMschap", 0, false, true, 26},
    };
    for (const Case& c : cases) {
        OpenFastPage(c.name);
        Import(m_elsewhere + "\\Corp.pac");
        ClickRow(1, true);
        Pick(Fast()->cBoxProvisioningTunnel, c.position);
        if (!c.provision)
            Click(Fast()->chBoxProvisionMode);
        if (!c.usePac)
            Click(Fast()->chBoxUsePAC);
        ClickNext();
        for (int guard = 0; guard < 4 && FormProfileEdit->Visible(); ++guard)
            ClickNext();
        ASSERT_FALSE(FormProfileEdit->Visible()) << c.name;

        WLANPROFILE p;
        ASSERT_TRUE(Stored(c.name, p)) << c.name;
        EXPECT_EQ(p.enumAuthenProtocol, 3u) << c.name;
        EXPECT_EQ(p.enumProvisioningTunnel, uint32_t(c.storedTunnel)) << c.name;
        EXPECT_EQ(p.bPAC, c.usePac ? 1u : 0u) << c.name;
        EXPECT_EQ(p.bProvision, c.provision ? 1u : 0u) << c.name;
        EXPECT_STREQ(p.chPACfilepath, (m_elsewhere + "\\Corp.pac").c_str()) << c.name;
        EXPECT_EQ(StoredPacs(c.name), "2: a.pac, V Corp.PAC\n") << c.name;

        Reload(c.name);
        EXPECT_EQ(FormProfileEdit->m_nProvisioningTunnel, c.position) << c.name;
        EXPECT_EQ(FormProfileEdit->m_strLastPACFile, m_elsewhere + "\\Corp.pac") << c.name;
        FormProfileEdit->Show();
        ASSERT_TRUE(FormProfileEdit->SwitchPage(FormProfileEdit->m_pCurrentPage, Fast()));
        EXPECT_EQ(Names(), (std::vector<std::string>{"a.pac", "V Corp.PAC"})) << c.name;
        EXPECT_EQ(Fast()->PacRow(1).strFilePath, m_elsewhere + "\\Corp.pac") << c.name;
        EXPECT_EQ(Fast()->cBoxProvisioningTunnel->ItemIndex(), c.position) << c.name;
        EXPECT_EQ(Fast()->chBoxUsePAC->Checked(), c.usePac) << c.name;
        EXPECT_EQ(Fast()->chBoxProvisionMode->Checked(), c.provision) << c.name;
        FormProfileEdit->Hide();
    }
    const std::string journal = SimJournal();
    EXPECT_NE(journal.find("WVWL_WritePACList(FastGtc count 2 [a.pac, V Corp.PAC]) -> 1"), std::string::npos);
    EXPECT_EQ(journal.find("s3cret"), std::string::npos) << "no password in the journal";
}

TEST_F(EapFastSso, AnEditedProfileKeepsItsPacListWithoutVisitingThePageAndLoadsAtMostFifty)
{
    Start();
    std::vector<PAC_FILE_ENTRY> entries(60);
    for (size_t i = 0; i < entries.size(); ++i) {
        std::snprintf(entries[i].chFileName, sizeof entries[i].chFileName, "p%zu.PAC", i);
        entries[i].nMark = i == 0 ? 1 : 0;
    }
    WLANPROFILE p{};
    std::strcpy(p.strProfileName, "Big");
    p.SSID.SsidLength = 3;
    std::memcpy(p.SSID.Ssid, "Net", 3);
    p.enumAuthenMode = 6;
    p.enumEncryStatus = 6;
    p.b8021X = 1;
    p.enumAuthenProtocol = 3;
    p.enumProvisioningTunnel = 13;
    ASSERT_EQ(VOZEZIV.WVWL_WriteProfile("Big", &p), 1);
    PAC_FILE_LIST list{uint32_t(entries.size()), uint32_t(reinterpret_cast<uintptr_t>(entries.data()))};
    ASSERT_EQ(VOZEZIV.WVWL_WritePACList(&list, "Big"), 1);

    VOZEZIV.nWinOS = 41;
    Reload("Big");
    EXPECT_EQ(Fast()->PacCount(), 50);
    EXPECT_EQ(FormProfileEdit->m_nProvisioningTunnel, 1);
    FormProfileEdit->SaveProfile();
    const std::string stored = StoredPacs("Big");
    EXPECT_EQ(stored.rfind("50: V p0.PAC, p1.PAC", 0), 0u) << stored;
    EXPECT_NE(stored.find("p49.PAC\n"), std::string::npos) << stored;
    EXPECT_TRUE(Stored("Big", p));
    EXPECT_EQ(p.enumProvisioningTunnel, 13u) << "a page never entered keeps the loaded method";
}

// ---- single sign-on

enum class SsoClick { Sso, Persistent, Machine, PostLogon, Prompt };

TWinControl* Target(TFrameProfileEditSSO* page, SsoClick click)
{
    switch (click) {
    case SsoClick::Sso: return page->chBoxEnableSSO;
    case SsoClick::Persistent: return page->chBoxEnablePersistentConnection;
    case SsoClick::Machine: return page->chBoxAllowMachineAuth;
    case SsoClick::PostLogon: return page->rBtnPostLogon;
    default: return page->rBtnPromptIDPWD;
    }
}

struct SsoCase {
    const char* name;
    int persistent, os, auth, encry;
    bool certificate;  // TLS with a certificate whose key cannot be exported
    std::vector<SsoClick> clicks;
    // After entering the page and the clicks:
    bool persistentChecked, persistentEnabled, ssoChecked, machineChecked, warning;
    DWORD saved;
};

void PrintTo(const SsoCase& c, std::ostream* os)
{
    *os << c.name;
}

class SsoPage : public EapFastSso, public ::testing::WithParamInterface<SsoCase> {};

TEST_P(SsoPage, ControlsFollowTheModeAndTheSavedBitsComeBack)
{
    const SsoCase& c = GetParam();
    TScenario scene;
    scene.AddSection("Cert.1", {"Store=MY", "IssuedTo=alice", "IssuedBy=Corp CA", "Hash=A1A2", "Exportable=0"});
    Start(scene);
    VOZEZIV.bPersistentConnect = c.persistent;
    OpenOn(Sso(), c.os, c.auth, c.encry, c.name, [&c] {
        if (!c.certificate)
            return;
        WPA_INFO& w = FormProfileEdit->m_WpaInfo;
        FormProfileEdit->m_nEAPMethod = w.nEapMethod = 1;
        w.bUseClientCert = 1;
        w.UserCertKey.BlobLength = 2;
        w.UserCertKey.BlobData[0] = 0xA1;
        w.UserCertKey.BlobData[1] = 0xA2;
    });
    TFrameProfileEditSSO* s = Sso();
    for (SsoClick click : c.clicks)
        Click(Target(s, click));
    EXPECT_EQ(s->chBoxEnablePersistentConnection->Checked(), c.persistentChecked);
    EXPECT_EQ(s->chBoxEnablePersistentConnection->Enabled(), c.persistentEnabled);
    EXPECT_EQ(s->chBoxEnableSSO->Checked(), c.ssoChecked);
    EXPECT_EQ(s->chBoxAllowMachineAuth->Checked(), c.machineChecked);
    EXPECT_EQ(s->panelWarnMsg->Visible() && !s->lblWarnMsg->Caption().empty(), c.warning);
    if (c.warning) {
        EXPECT_EQ(s->lblWarnMsg->Caption(), Str(&CUISTR::STR_SSO_NON_EXPORTABLE_PRIVATE_KEY));
    }
    EXPECT_EQ(s->chBoxEnableSSO->Visible(), c.persistent == 0);
    EXPECT_EQ(s->lblRecommendMsg->Visible(), c.persistent != 0);
    const bool xpPanel = c.os < WINOS_VISTA || c.persistent;
    EXPECT_EQ(s->panelSSOforXP->Visible(), xpPanel);
    EXPECT_EQ(s->panelSSOforVista->Visible(), !xpPanel);

    ClickNext();
    ASSERT_FALSE(FormProfileEdit->Visible());
    WLANPROFILE p;
    ASSERT_TRUE(Stored(c.name, p));
    EXPECT_EQ(p.ssoInfo, c.saved);

    // A new profile starts from the page's start state; the reload shows the bits again.
    OpenOn(FormProfileEdit->FrameProfileEditWireless, c.os, c.auth, c.encry, "Other");
    EXPECT_FALSE(s->chBoxEnableSSO->Checked());
    EXPECT_TRUE(s->rBtnUseIDPWDinProfile->Checked());
    EXPECT_TRUE(s->rBtnPreLogon->Checked());
    FormProfileEdit->Hide();
    Reload(c.name);
    EXPECT_EQ(SsoBitsFromPage(*s, c.persistent != 0, c.os), c.saved);
}

using C = SsoClick;
const SsoCase kSsoCases[] = {
    {"PersistentWin7Wpa2Psk", 1, 41, 6, 3, false, {}, true, false, true, true, false, 0x03},
    {"PersistentXpTlsKeyNotExportable", 1, 21, 3, 2, true, {}, false, false, false, false, true, 0x00},
    {"PersistentXpSwitchedOn", 1, 21, 3, 2, false, {C::Persistent}, true, true, true, true, false, 0x19},
    {"ClassicXpPersistentForcesProfileIdentity", 0, 21, 3, 2, false, {C::Sso, C::Prompt, C::Persistent}, true, true,
     true, false, false, 0x19},
    {"ClassicXpPrompt", 0, 21, 3, 2, false, {C::Sso, C::Prompt}, false, true, true, false, false, 0x21},
    {"ClassicVistaMachinePostLogon", 0, 41, 5, 3, false, {C::Sso, C::Machine, C::PostLogon}, false, true, true, true,
     false, 0x07},
    {"ClassicVistaOff", 0, 41, 5, 3, false, {}, false, true, false, false, false, 0x00},
};

INSTANTIATE_TEST_SUITE_P(Table, SsoPage, ::testing::ValuesIn(kSsoCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(EapFastSso, ClassicModeEnablesTheChoicesOnlyWithSingleSignOn)
{
    Start();
    VOZEZIV.bPersistentConnect = 0;
    TFrameBase* page = FormProfileEdit->FrameProfileEditSSO;
    OpenOn(page, 31, 5, 3);
    TFrameProfileEditSSO* s = Sso();
    for (TWinControl* c : {static_cast<TWinControl*>(s->chBoxAllowMachineAuth), static_cast<TWinControl*>(s->rBtnPreLogon),
                           static_cast<TWinControl*>(s->rBtnPostLogon)})
        EXPECT_FALSE(c->Enabled());
    EXPECT_FALSE(s->lblAuthenticationType->Enabled());
    Click(s->chBoxEnableSSO);
    EXPECT_TRUE(s->chBoxAllowMachineAuth->Enabled());
    EXPECT_TRUE(s->rBtnPostLogon->Enabled());
    EXPECT_TRUE(s->lblAuthenticationType->Enabled());
    FormProfileEdit->Hide();

    OpenOn(page, 21, 3, 2);
    Click(s->chBoxEnableSSO);
    Click(s->chBoxEnablePersistentConnection);
    EXPECT_TRUE(s->rBtnUseIDPWDinProfile->Checked());
    EXPECT_FALSE(s->rBtnUseIDPWDinWinlogon->Enabled());
    EXPECT_FALSE(s->rBtnPromptIDPWD->Enabled());
    Click(s->chBoxEnablePersistentConnection);
    EXPECT_TRUE(s->rBtnUseIDPWDinWinlogon->Enabled());
    EXPECT_TRUE(s->rBtnPromptIDPWD->Enabled());
    Click(s->chBoxEnableSSO);
    EXPECT_FALSE(s->chBoxEnablePersistentConnection->Enabled());
    EXPECT_FALSE(s->rBtnUseIDPWDinProfile->Enabled());
}

} // namespace
