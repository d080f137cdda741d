// The WAPI certificate centre and the AS dialog on the simulated certificate library, used
// through messages to their controls: install with the result-code table, selection and the
// side buttons, move and delete, details, the AS certificates of one user certificate.
#include "advanced_pages_fixture.h"

#include <memory>
#include <string>
#include <vector>

#include "advanced/FormASManagement.h"
#include "profiles/FormProfileEdit.h"
#include "profiles/ProfileFileDialog.h"
#include "support/WapiCertFiles.h"
#include "ui/Seams.h"
#include "wlapi/constants.h"

namespace {

class CertCentre : public AdvancedPages {
protected:
    void SetUp() override
    {
        AdvancedPages::SetUp();
        seams::modalAnswer = [this](const std::string& what) {
            m_boxes.push_back(what);
            return 1;
        };
        profileFileDialogAnswer = [this](bool, std::string& path) {
            if (m_nextFile.empty())
                return false;
            path = m_nextFile;
            return true;
        };
        TScenario scenario;
        scenario.Set("Adapter.1", "Kind", "4");
        StartProgram(scenario);
        VOZEZIV.nDebugMode = 6;
        VOZEZIV.bSupportWAPI = 1;
        m_as = m_files.WriteAS("as.cer", "Wevo AS", "A0");
    }

    void TearDown() override
    {
        profileFileDialogAnswer = nullptr;
        AdvancedPages::TearDown();
    }

    TFrameAdvancedCertManagement* Page() const { return FormAdvanced->FrameAdvancedCertManagement; }

    // The advanced window shown and its certificate tab clicked.
    void Enter()
    {
        FormAdvanced->Show();
        Pump(20);
        ClickTab(FormAdvanced->TabBtnCertCenter);
        ASSERT_EQ(FormAdvanced->m_pCurrentPage, Page());
    }

    void Install(const std::string& subject, const std::string& serial, const std::vector<std::string>& extra = {},
                 const std::string& as = "")
    {
        const std::string user = m_files.Write(subject + ".cer", subject, "Wevo AS", serial, extra);
        ASSERT_EQ(VOZEZIV.ZeZuveZud_WriteUserASCert(m_scratch.get(), user.c_str(), (as.empty() ? m_as : as).c_str()),
                  WAPI_INSTALL_DONE);
    }

    void InstallExtra(int user, const std::string& serial)
    {
        const std::string as = m_files.WriteAS("x" + serial + ".cer", "Wevo AS", serial);
        ASSERT_EQ(VOZEZIV.ZeZuveZud_WriteExtraASCertByIndex(m_scratch.get(), as.c_str(), user), WAPI_INSTALL_EXTRA_DONE);
    }

    // A button clicked: a windowed one by its own message, a windowless picture where it sits
    // on its parent.
    static void Press(TControl* button)
    {
        if (auto* windowed = dynamic_cast<TButton*>(button)) {
            SendMessageA(windowed->Handle(), BM_CLICK, 0, 0);
            return;
        }
        const HWND parent = button->Parent()->Handle();
        const LPARAM at = MAKELPARAM(button->Left() + 4, button->Top() + 4);
        SendMessageA(parent, WM_LBUTTONDOWN, MK_LBUTTON, at);
        SendMessageA(parent, WM_LBUTTONUP, 0, at);
    }

    static void SelectRow(TListView* list, int row)
    {
        LVITEMA state{};
        state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
        state.state = LVIS_SELECTED | LVIS_FOCUSED;
        SendMessageA(list->Handle(), LVM_SETITEMSTATE, WPARAM(row), LPARAM(&state));
    }

    // A file chosen in the open dialog behind a browse button.
    void Browse(TControl* button, const std::string& file)
    {
        m_nextFile = file;
        Press(button);
        m_nextFile.clear();
    }

    std::vector<std::string> Subjects(TListView* list) const
    {
        std::vector<std::string> subjects;
        for (int i = 0; i < list->ItemCount(); ++i)
            subjects.push_back(list->Item(i)->SubItem(1));
        return subjects;
    }

    std::string Buttons() const
    {
        std::string text;
        for (TWvImage* b : {Page()->BtnUp, Page()->BtnDown, Page()->BtnInstallAS, Page()->BtnDelete})
            text += b->Enabled() ? '1' : '0';
        return text;
    }

    bool Boxed(std::string CUISTR::*text) const
    {
        for (const std::string& box : m_boxes)
            if (box.find(Str().*text) != std::string::npos)
                return true;
        return false;
    }

    WapiCertFiles m_files;
    std::string m_as;
    std::string m_nextFile;
    std::unique_ptr<WAPI_CERT_STORE> m_scratch = std::make_unique<WAPI_CERT_STORE>();
};

TEST_F(CertCentre, AnEmptyStoreListsNothingAndDisablesTheSideButtons)
{
    Enter();
    EXPECT_EQ(Page()->lvCertManagementList->ItemCount(), 0);
    EXPECT_EQ(Buttons(), "0000");
    EXPECT_EQ(Page()->lblSubject->Caption(), "");
    EXPECT_NE(FormASManagement, nullptr) << "made at start-up";
}

TEST_F(CertCentre, TheSideButtonsFollowTheSelection)
{
    struct Case {
        int count, row;
        const char* buttons;  // up, down, install AS, delete
    } cases[] = {{1, 0, "0011"}, {3, 0, "0111"}, {3, 1, "1111"}, {3, 2, "1011"}};
    for (const Case& c : cases) {
        SCOPED_TRACE("count " + std::to_string(c.count) + ", row " + std::to_string(c.row));
        CertSimEntry<void (*)()>("SimCertReset")();
        for (int i = 0; i < c.count; ++i)
            Install("user" + std::to_string(i), "0" + std::to_string(i));
        Enter();
        SelectRow(Page()->lvCertManagementList, c.row);
        EXPECT_EQ(Page()->m_nSelectedIndex, c.row);
        EXPECT_EQ(Buttons(), c.buttons);
        FormAdvanced->Hide();
    }
}

TEST_F(CertCentre, UpMovesTheLastCertificateAndKeepsItSelected)
{
    for (const char* name : {"alice", "bob", "carol"})
        Install(name, std::string("0") + char('1' + (name[0] - 'a') % 9));
    Enter();
    SelectRow(Page()->lvCertManagementList, 2);
    EXPECT_EQ(Page()->lblSubject->Caption(), "carol");
    Press(Page()->BtnUp);
    EXPECT_EQ(Subjects(Page()->lvCertManagementList), (std::vector<std::string>{"alice", "carol", "bob"}));
    EXPECT_EQ(Page()->m_nSelectedIndex, 1);
    EXPECT_EQ(Page()->lvCertManagementList->ItemIndex(), 1);
    EXPECT_EQ(Page()->lblSubject->Caption(), "carol");
    EXPECT_EQ(Buttons(), "1111");
    Press(Page()->BtnDown);
    EXPECT_EQ(Subjects(Page()->lvCertManagementList), (std::vector<std::string>{"alice", "bob", "carol"}));
    EXPECT_EQ(Page()->m_nSelectedIndex, 2);

    Press(Page()->BtnDelete);
    EXPECT_EQ(Subjects(Page()->lvCertManagementList), (std::vector<std::string>{"alice", "bob"}));
    EXPECT_EQ(Page()->m_nSelectedIndex, -1);
    EXPECT_EQ(Buttons(), "0000");
}

TEST_F(CertCentre, DetailsAndRowsShowTheCertificate)
{
    Install("alice", "0A0B", {"Type=GBW", "Version=2", "ValidFrom=2025-02-03", "ValidTo=2026-04-05"},
            m_files.WriteAS("gbw.cer", "Wevo AS", "B0", {"Type=GBW"}));
    Enter();
    ASSERT_EQ(Page()->lvCertManagementList->ItemCount(), 1);
    const TListItem* row = Page()->lvCertManagementList->Item(0);
    EXPECT_EQ(row->Caption(), "0A0B");
    EXPECT_EQ(row->SubItem(0), "Wevo AS");
    EXPECT_EQ(row->SubItem(1), "alice");
    EXPECT_EQ(row->SubItem(2), "2026-04-05");
    SelectRow(Page()->lvCertManagementList, 0);
    EXPECT_EQ(Page()->lblVersion->Caption(), "V2");
    EXPECT_EQ(Page()->lblType->Caption(), "GBW");
    EXPECT_EQ(Page()->lblValidFrom->Caption(), "2025-02-03");
    EXPECT_EQ(Page()->lblValidTo->Caption(), "2026-04-05");
    EXPECT_EQ(Page()->lblIssuer->Caption(), "Wevo AS");
    EXPECT_EQ(Page()->lblSubject->Hint(), "alice");
}

TEST_F(CertCentre, InstallNeedsBothPathsAndInstallsFromTheChosenFiles)
{
    Enter();
    Press(Page()->BtnInstall);
    EXPECT_TRUE(Boxed(&CUISTR::STR_SELECT_USER_CERT));
    Browse(Page()->BtnSTACertBrowse, m_files.Write("bob.cer", "bob", "Wevo AS", "0B"));
    Press(Page()->BtnInstall);
    EXPECT_TRUE(Boxed(&CUISTR::STR_SELECT_AS_CERT));
    EXPECT_EQ(CertSimCalls("ZeZuveZud_WriteUserASCert"), 0);

    // A cancelled dialog keeps the path chosen before.
    Browse(Page()->BtnASCertBrowse, m_as);
    Browse(Page()->BtnASCertBrowse, "");
    EXPECT_EQ(Page()->editASCert->Text(), m_as);
    EXPECT_TRUE(LogHas(" GetOpenFileName() return FALSE"));
    m_boxes.clear();
    Press(Page()->BtnInstall);
    EXPECT_TRUE(m_boxes.empty());
    EXPECT_EQ(Subjects(Page()->lvCertManagementList), std::vector<std::string>{"bob"});
    EXPECT_EQ(Page()->editSTACert->Text(), m_files.Folder() + "bob.cer") << "the paths stay after an install";

    Press(Page()->BtnInstall);
    EXPECT_TRUE(Boxed(&CUISTR::STR_MSG_INSTALL_CERT_EXIST));
}

TEST_F(CertCentre, EachInstallResultShowsItsMessageOrRefreshes)
{
    struct Case {
        int code;
        std::string CUISTR::*page;     // null: refresh
        std::string CUISTR::*dialog;
    } cases[] = {
        {0, &CUISTR::STR_ERROR_SETUP_CER, &CUISTR::STR_ERROR_SETUP_CER},
        {1, &CUISTR::STR_MSG_INSTALL_CERT_STA_ERR, nullptr},
        {2, &CUISTR::STR_MSG_INSTALL_CERT_AS_ERR, &CUISTR::STR_MSG_INSTALL_CERT_AS_ERR},
        {3, nullptr, &CUISTR::STR_MSG_INSTALL_CERT_AS_ISSUER_SUBJECT2},
        {4, &CUISTR::STR_MSG_INSTALL_CERT_AS_ISSUER_SUBJECT, nullptr},
        {5, &CUISTR::STR_MSG_INSTALL_CERT_STA_AS_NOT_MATCH, &CUISTR::STR_MSG_INSTALL_CERT_STA_AS_NOT_MATCH},
        {6, &CUISTR::STR_MSG_INSTALL_CERT_EXIST, &CUISTR::STR_MSG_INSTALL_CERT_EXIST},
        {7, &CUISTR::STR_MSG_INSTALL_CERT_MAX_SIZE, &CUISTR::STR_MSG_INSTALL_CERT_MAX_SIZE},
        {9, nullptr, nullptr},
    };
    Install("alice", "01");
    Enter();
    Browse(Page()->BtnSTACertBrowse, m_files.Write("bob.cer", "bob", "Wevo AS", "02"));
    Browse(Page()->BtnASCertBrowse, m_as);
    SelectRow(Page()->lvCertManagementList, 0);
    Press(Page()->BtnInstallAS);
    FormASManagement->Show();
    Browse(FormASManagement->BtnASCertBrowse, m_files.WriteAS("x.cer", "Wevo AS", "E1"));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        for (const char* entry : {"ZeZuveZud_WriteUserASCert", "ZeZuveZud_WriteExtraASCertByIndex"})
            CertSimInject(entry, CertSimCalls(entry) + 1, c.code);
        // Either a message, or a refresh that reads the library again.
        int reads = CertSimCalls("ZeZuveZud_GetCert");
        m_boxes.clear();
        Press(Page()->BtnInstall);
        if (c.page) {
            EXPECT_TRUE(Boxed(c.page));
        }
        EXPECT_EQ(m_boxes.empty(), c.page == nullptr);
        EXPECT_EQ(CertSimCalls("ZeZuveZud_GetCert") > reads, c.page == nullptr);
        reads = CertSimCalls("ZeZuveZud_GetCert");
        m_boxes.clear();
        SendMessageA(FormASManagement->BtnInstall->Handle(), BM_CLICK, 0, 0);
        if (c.dialog) {
            EXPECT_TRUE(Boxed(c.dialog));
        }
        EXPECT_EQ(m_boxes.empty(), c.dialog == nullptr);
        EXPECT_EQ(CertSimCalls("ZeZuveZud_GetCert") > reads, c.dialog == nullptr);
    }
}

TEST_F(CertCentre, ThePathThatDoesNotFitItsBufferIsRefused)
{
    Enter();
    const std::string longPath = m_files.Folder() + std::string(260 - m_files.Folder().size(), 'p');
    Browse(Page()->BtnSTACertBrowse, longPath);
    EXPECT_TRUE(Boxed(&CUISTR::STR_ERROR_LOAD_CER));
    EXPECT_EQ(Page()->editSTACert->Text(), "");
    EXPECT_EQ(Page()->m_strSTACertPath, "");
}

TEST_F(CertCentre, TheAsDialogListsInstallsAndDeletesTheExtraCertificates)
{
    Install("alice", "01");
    Install("bob", "02");
    InstallExtra(1, "E1");
    InstallExtra(1, "E2");
    InstallExtra(1, "E3");
    Enter();
    SelectRow(Page()->lvCertManagementList, 0);
    Press(Page()->BtnInstallAS);
    EXPECT_EQ(FormProfileEdit->m_nWapiCertSelIndex, 0);
    FormASManagement->Show();
    EXPECT_EQ(FormASManagement->lvASCertList->ItemCount(), 0) << "alice has no extra AS certificate";
    EXPECT_FALSE(FormASManagement->BtnDelete->Enabled());
    SendMessageA(FormASManagement->BtnOK->Handle(), BM_CLICK, 0, 0);

    SelectRow(Page()->lvCertManagementList, 1);
    Press(Page()->BtnInstallAS);
    FormASManagement->Show();
    ASSERT_EQ(FormASManagement->lvASCertList->ItemCount(), 3);
    EXPECT_EQ(FormASManagement->lvASCertList->Item(0)->Caption(), "E1");
    SelectRow(FormASManagement->lvASCertList, 1);
    EXPECT_TRUE(FormASManagement->BtnDelete->Enabled());
    SendMessageA(FormASManagement->BtnDelete->Handle(), BM_CLICK, 0, 0);
    ASSERT_EQ(FormASManagement->lvASCertList->ItemCount(), 2);
    EXPECT_EQ(FormASManagement->lvASCertList->Item(1)->Caption(), "E3") << "E2 was the one deleted";
    EXPECT_FALSE(FormASManagement->BtnDelete->Enabled());

    // A selection made for one user certificate does not carry over to another.
    SelectRow(FormASManagement->lvASCertList, 1);
    FormASManagement->Hide();
    SelectRow(Page()->lvCertManagementList, 0);
    Press(Page()->BtnInstallAS);
    InstallExtra(0, "F1");
    InstallExtra(0, "F2");
    FormASManagement->Show();
    EXPECT_EQ(FormASManagement->m_nSelectedASIndex, -1);
    EXPECT_FALSE(FormASManagement->BtnDelete->Enabled());

    Browse(FormASManagement->BtnASCertBrowse, m_files.WriteAS("f3.cer", "Wevo AS", "F3"));
    SendMessageA(FormASManagement->BtnInstall->Handle(), BM_CLICK, 0, 0);
    ASSERT_EQ(FormASManagement->lvASCertList->ItemCount(), 3);
    EXPECT_EQ(FormASManagement->lvASCertList->Item(2)->Caption(), "F3");
}

TEST_F(CertCentre, AHostileStoreIsReadWithinItsBounds)
{
    Install("alice", "01", {"Unterminated=1"});
    InstallExtra(0, "E1");
    CertSimEntry<void (*)(int, int)>("SimCertSetClaims")(1000, 1000);
    Enter();
    EXPECT_EQ(Page()->lvCertManagementList->ItemCount(), 16);
    EXPECT_EQ(Page()->lvCertManagementList->Item(0)->SubItem(1).size(), 256u);
    SelectRow(Page()->lvCertManagementList, 0);
    EXPECT_EQ(Page()->lblIssuer->Caption().size(), 256u);
    Press(Page()->BtnInstallAS);
    FormASManagement->Show();
    EXPECT_EQ(FormASManagement->lvASCertList->ItemCount(), 16);
}

} // namespace
