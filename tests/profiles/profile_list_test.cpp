// The profile list on the simulated adapter: rows from the stored records, the active one
// marked, activation through the main window's action queue, delete, import and export.
#include "mainwindow/program_fixture.h"

#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>

#include "dialogs/Dialogs.h"
#include "dialogs/FormMessageBox.h"
#include "mainwindow/LinkStatus.h"
#include "profiles/FormProfile.h"
#include "profiles/FormProfileEdit.h"
#include "profiles/ProfileFileDialog.h"
#include "resources/FormResource.h"
#include "ui/Seams.h"
#include "../ui/UiTestSupport.h"

namespace {

WLANPROFILE MakeProfile(const std::string& name, const std::string& ssid, DWORD auth, DWORD encry,
                        DWORD networkType = 1)
{
    WLANPROFILE p = VOZEZIV.defaultProfile;
    std::strcpy(p.strProfileName, name.c_str());
    p.SSID.SsidLength = ULONG(ssid.size());
    std::memcpy(p.SSID.Ssid, ssid.data(), ssid.size());
    p.enumNetworkType = networkType;
    p.enumAuthenMode = auth;
    p.enumEncryStatus = encry;
    return p;
}

std::string TempPath(const char* prefix)
{
    char folder[MAX_PATH], path[MAX_PATH];
    GetTempPathA(MAX_PATH, folder);
    GetTempFileNameA(folder, prefix, 0, path);
    return path;
}

std::string ReadText(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

class ProfileList : public ProgramFixture {
protected:
    void TearDown() override
    {
        profileFileDialogAnswer = nullptr;
        for (const std::string& path : m_files)
            DeleteFileA(path.c_str());
        ProgramFixture::TearDown();
    }

    // Three profiles, Home active: WPA2-PSK, open, and an ad-hoc WPA-None.
    void StartWithProfiles(const TScenario& scenario = TScenario())
    {
        LoadLibrary(scenario);
        Store(MakeProfile("Home", "HomeNet", 7, 6));
        Store(MakeProfile("Cafe", "CafeCorner", 0, 1));
        Store(MakeProfile("Party", "PartyNet", 5, 4, 0));
        ASSERT_EQ(VOZEZIV.WVWL_WriteRegValue("CurProfile", REG_SZ, "Home", 5), 1);
        CreateWindows();
        ShowList();
    }

    // The window opened as the user opens it, which fills the list; the tests tick its status
    // timer themselves.
    static void ShowList()
    {
        FormProfile->Show();
        FormProfile->TimerProfile->SetEnabled(false);
    }

    static void Store(const WLANPROFILE& p) { ASSERT_EQ(VOZEZIV.WVWL_WriteProfile(p.strProfileName, &p), 1); }

    static std::vector<WLANPROFILE> Stored()
    {
        unsigned long count = 0;
        VOZEZIV.WVWL_ReadProfileList(nullptr, &count);
        std::vector<WLANPROFILE> records(count);
        if (count)
            VOZEZIV.WVWL_ReadProfileList(records.data(), &count);
        records.resize(count);
        return records;
    }

    static int RowOf(const std::string& name)
    {
        for (size_t i = 0; i < FormProfile->m_ProfileRows.size(); ++i)
            if (FormProfile->m_ProfileRows[i]->strName == name)
                return int(i);
        return -1;
    }

    static void Select(const std::string& name)
    {
        const int row = RowOf(name);
        ASSERT_GE(row, 0) << name;
        FormProfile->lvProfileList->SetItemIndex(row);
    }

    // Answers every message box with answer and keeps its text.
    void AnswerMessages(int answer)
    {
        seams::modalAnswer = [this, answer](const std::string& what) {
            m_shown.push_back(what);
            return answer;
        };
    }

    bool Shown(std::string CUISTR::*text) const
    {
        const std::string wanted = FormResource->UI_Str.get()->*text;
        for (const std::string& what : m_shown)
            if (what.find(wanted) != std::string::npos)
                return true;
        return false;
    }

    // The next file dialog answers with path.
    void ChooseFile(const std::string& path)
    {
        profileFileDialogAnswer = [path](bool, std::string& chosen) {
            chosen = path;
            return true;
        };
    }

    std::string NewFile(const std::string& content)
    {
        const std::string path = TempPath("wpf");
        m_files.push_back(path);
        std::ofstream(path, std::ios::binary) << content;
        return path;
    }

    std::vector<std::string> m_shown;
    std::vector<std::string> m_files;
};

TEST_F(ProfileList, RowsComeFromTheStoredRecordsWithTheActiveOneMarked)
{
    StartWithProfiles();
    struct Want {
        const char* name;
        const char* ssid;
        DWORD secured, type;
        int picture, securedPicture, typePicture;
    } wants[] = {
        {"Home", "HomeNet", 1, 1, 1, 2, 6},
        {"Cafe", "CafeCorner", 0, 1, -1, -1, 6},
        {"Party", "PartyNet", 1, 0, -1, 2, 5},
    };
    ASSERT_EQ(FormProfile->m_ProfileRows.size(), 3u);
    ASSERT_EQ(FormProfile->lvProfileList->ItemCount(), 3);
    for (const Want& w : wants) {
        SCOPED_TRACE(w.name);
        const int row = RowOf(w.name);
        ASSERT_GE(row, 0);
        const PROFILE_LIST_EX& r = *FormProfile->m_ProfileRows[size_t(row)];
        EXPECT_EQ(r.strSSID, w.ssid);
        EXPECT_EQ(r.bSecured, w.secured);
        EXPECT_EQ(r.nNetworkType, w.type);
        EXPECT_EQ(r.nStatus, w.picture == 1 ? 1 : -1);
        const TListItem* item = FormProfile->lvProfileList->Item(row);
        EXPECT_EQ(item->ImageIndex(), w.picture);
        EXPECT_EQ(item->SubItem(0), w.name);
        EXPECT_EQ(item->SubItem(1), w.ssid);
        EXPECT_EQ(item->SubItemImage(2), w.securedPicture);
        EXPECT_EQ(item->SubItemImage(3), w.typePicture);
        EXPECT_EQ(item->Data, &r);
    }
    EXPECT_EQ(FormProfile->m_strProfile, "Home");
    // The active row is selected and its details shown.
    EXPECT_EQ(FormProfile->lvProfileList->ItemIndex(), RowOf("Home"));
    EXPECT_EQ(FormProfile->lblProfileName->Caption(), "Home");
    EXPECT_EQ(FormProfile->lblSSID->Caption(), "HomeNet");
    EXPECT_EQ(FormProfile->lblAuthentication->Caption(), FormResource->UI_Str->STR_WPA2PSK);
    EXPECT_EQ(FormProfile->lblEncryption->Caption(), FormResource->UI_Str->STR_AES);
    for (TWvImage* b : {FormProfile->BtnProfileDelete, FormProfile->BtnProfileEdit, FormProfile->BtnProfileActivate,
                        FormProfile->BtnProfileExport})
        EXPECT_TRUE(b->Enabled());
}

TEST_F(ProfileList, WithoutAnActiveRowTheFirstIsSelectedAndNoNameKept)
{
    StartWithProfiles();
    ASSERT_EQ(VOZEZIV.WVWL_WriteRegValue("CurProfile", REG_SZ, "Gone", 5), 1);
    FormProfile->RefreshProfileList();
    EXPECT_EQ(FormProfile->m_strProfile, "");
    EXPECT_EQ(FormProfile->lvProfileList->ItemIndex(), 0);
    for (int i = 0; i < FormProfile->lvProfileList->ItemCount(); ++i)
        EXPECT_EQ(FormProfile->lvProfileList->Item(i)->ImageIndex(), -1);
}

TEST_F(ProfileList, AFullLengthSsidAndUnusualModesShowSafely)
{
    LoadLibrary();
    WLANPROFILE p = MakeProfile("Long", "", 99, 99);
    p.SSID.SsidLength = 32;
    std::memset(p.SSID.Ssid, 'L', 32);
    std::memset(p.BSSID, 'X', 6);
    Store(p);
    CreateWindows();
    FormProfile->m_strAuthentication[7] = "An authentication text of forty chars";
    FormProfile->RefreshProfileList();
    ASSERT_EQ(FormProfile->m_ProfileRows.size(), 1u);
    EXPECT_EQ(FormProfile->m_ProfileRows[0]->strSSID, std::string(32, 'L'));
    EXPECT_EQ(FormProfile->lblSSID->Caption(), std::string(32, 'L'));
    // Values beyond the tables show their first entry.
    EXPECT_EQ(FormProfile->lblAuthentication->Caption(), FormResource->UI_Str->STR_OPENSYSTEM);
    EXPECT_EQ(FormProfile->lblEncryption->Caption(), FormResource->UI_Str->STR_WEP);

    // A long authentication text is cut to 16 characters and "..", the hint keeps it whole.
    Store(MakeProfile("Long", "LLLL", 7, 6));
    FormProfile->RefreshProfileList();
    EXPECT_EQ(FormProfile->lblAuthentication->Caption(), "An authenticatio..");
    EXPECT_EQ(FormProfile->lblAuthentication->Hint(), "An authentication text of forty chars");
}

TEST_F(ProfileList, ActivateGoesThroughTheActionQueueToTheAdapter)
{
    StartWithProfiles();
    Select("Cafe");
    SimJournalClear();
    ClickControl(FormProfile->BtnProfileActivate);

    const std::string journal = SimJournal();
    const size_t copied = journal.find("WVWL_CopyProfileToCurrentSetting(Cafe) -> 1");
    const size_t connect = journal.find("WVWL_SetWLANProfile(ssid \"CafeCorner\"");
    ASSERT_NE(copied, std::string::npos) << journal;
    ASSERT_NE(connect, std::string::npos) << journal;
    EXPECT_LT(copied, connect);
    // Every log line reaches the library's journal.
    EXPECT_NE(journal.find(" Insert action at PageProfileDlg SetOidFromReg "), std::string::npos);
    ASSERT_NE(FormMain->m_pProfData, nullptr);
    EXPECT_STREQ(FormMain->m_pProfData->strProfileName, "Cafe");
    EXPECT_TRUE(PumpUntil([] { return IsLinkConnected(QueryLinkStatus(VOZEZIV, LINK_QUERY_CONNECTION)); }));

    // The list now marks Cafe, and only Cafe.
    EXPECT_EQ(FormProfile->m_strProfile, "Cafe");
    EXPECT_TRUE(FormProfile->m_bActiveProfile);
    for (int i = 0; i < FormProfile->lvProfileList->ItemCount(); ++i)
        EXPECT_EQ(FormProfile->lvProfileList->Item(i)->ImageIndex(), i == RowOf("Cafe") ? 1 : -1);

    // From Windows code 31 the status timer marks nothing unless the setting asks for it.
    VOZEZIV.bActiveProfileIcon = 0;
    FormProfile->TimerProfile->Tick();
    EXPECT_EQ(FormProfile->lvProfileList->Item(RowOf("Cafe"))->ImageIndex(), 1);
    // With it, the timer sees the link and marks the row connected.
    VOZEZIV.bActiveProfileIcon = 1;
    FormProfile->TimerProfile->Tick();
    EXPECT_EQ(FormProfile->lvProfileList->Item(RowOf("Cafe"))->ImageIndex(), 0);
    EXPECT_EQ(FormProfile->m_ProfileRows[size_t(RowOf("Cafe"))]->nStatus, 0);
}

TEST_F(ProfileList, TheQueuedProfileIsTheStoredOneWithTheAdvancedSettingsOverIt)
{
    StartWithProfiles();
    ADVANCE_CONFIG_DATA advance{};
    ASSERT_TRUE(VOZEZIV.WVWL_ReadAdvanceCfgData(&advance));
    advance.CountryRegion = 5;
    advance.CountryRegionABand = 7;
    VOZEZIV.WVWL_WriteAdvanceCfgData(advance);
    ASSERT_TRUE(VOZEZIV.WVWL_ReadAdvanceCfgData(&advance));
    KV_802_11_STA_CONFIG config{};
    VOZEZIV.WVWL_QuerySTAConfig(&config);
    struct Case {
        int withAdvance;
        uint32_t region;
    } cases[] = {{1, (advance.CountryRegionABand << 8) + advance.CountryRegion}, {0, 0}};
    for (const Case& c : cases) {
        FormProfile->SetOidFromReg(c.withAdvance);
        const WLANPROFILE& p = *FormProfile->m_pActionProfile;
        EXPECT_STREQ(p.strProfileName, "Home") << c.withAdvance;
        EXPECT_EQ(std::string(reinterpret_cast<const char*>(p.SSID.Ssid), p.SSID.SsidLength), "HomeNet");
        EXPECT_EQ(p.bSetAdvance, uint32_t(c.withAdvance));
        EXPECT_EQ(p.nCountryRegion, c.region);
        if (c.withAdvance) {
            EXPECT_EQ(std::memcmp(&p.configSta, &config, sizeof config), 0);
        }
    }
}

TEST_F(ProfileList, ActivateNeedsARadioAndASelection)
{
    StartWithProfiles();
    AnswerMessages(mrOk);
    FormProfile->lvProfileList->SetItemIndex(-1);
    FormProfile->m_nSelectedRow = -1;
    ClickControl(FormProfile->BtnProfileActivate);
    EXPECT_TRUE(Shown(&CUISTR::STR_NOPROFSELECTED));

    Select("Cafe");
    SimCommand("radio sw off");
    m_shown.clear();
    const int copies = SimCallCount("WVWL_CopyProfileToCurrentSetting");
    ClickControl(FormProfile->BtnProfileActivate);
    EXPECT_TRUE(m_shown.empty());
    EXPECT_EQ(SimCallCount("WVWL_CopyProfileToCurrentSetting"), copies);
    EXPECT_EQ(FormProfile->m_strProfile, "Home");
}

TEST_F(ProfileList, DeleteAsksOnlyForTheActiveProfile)
{
    StartWithProfiles();
    FormProfile->Show();
    struct Case {
        const char* name;
        int answer;
        bool asked, deleted;
    } cases[] = {
        {"Cafe", mrCancel, false, true},
        {"Home", mrCancel, true, false},
        {"Home", mrOk, true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.name) + " answer " + std::to_string(c.answer));
        // Every case starts from the three profiles with Home active.
        Store(MakeProfile("Home", "HomeNet", 7, 6));
        Store(MakeProfile("Cafe", "CafeCorner", 0, 1));
        ASSERT_EQ(VOZEZIV.WVWL_WriteRegValue("CurProfile", REG_SZ, "Home", 5), 1);
        FormProfile->m_bActiveProfile = TRUE;
        FormProfile->RefreshProfileList();
        const int resets = SimCallCount("WVWL_ResetToDefaultConnecctionSetting");
        AnswerMessages(c.answer);
        m_shown.clear();
        Select(c.name);
        const int row = RowOf(c.name);
        ClickControl(FormProfile->BtnProfileDelete);
        EXPECT_EQ(Shown(&CUISTR::STR_DELCURRENTPROF), c.asked);
        EXPECT_EQ(RowOf(c.name) < 0, c.deleted);
        EXPECT_EQ(Stored().size(), c.deleted ? 2u : 3u);
        if (c.deleted) {
            // The row at the same index is selected next, else the last one.
            EXPECT_EQ(FormProfile->lvProfileList->ItemIndex(), std::min(row, 1));
            EXPECT_EQ(FormProfile->m_nSelectedRow, std::min(row, 1));
        }
        EXPECT_EQ(SimCallCount("WVWL_ResetToDefaultConnecctionSetting") - resets, c.deleted && c.asked ? 1 : 0);
        if (c.deleted && c.asked) {
            EXPECT_EQ(FormProfile->m_strProfile, "");
            EXPECT_FALSE(FormProfile->m_bActiveProfile);
        }
    }
}

// Presses a button of the message box once it shows, as the user would; remembers whether the
// box offered Cancel.
bool g_offeredCancel = false;
bool g_pressCancel = false;

void CALLBACK PressMessageBoxButton(HWND, UINT, UINT_PTR id, DWORD)
{
    if (!FormMessageBox || !FormMessageBox->Visible())
        return;
    KillTimer(nullptr, id);
    g_offeredCancel = FormMessageBox->PanelOkCancel->Visible() && FormMessageBox->BtnCancel->Visible();
    TButton* button = g_offeredCancel ? (g_pressCancel ? FormMessageBox->BtnCancel : FormMessageBox->BtnOK1)
                                      : FormMessageBox->BtnOK;
    PostMessageA(button->Handle(), BM_CLICK, 0, 0);
}

class DeleteConnectedActive : public ProfileList, public ::testing::WithParamInterface<bool> {};

TEST_P(DeleteConnectedActive, AsksOkOrCancelAndOkDisconnects)
{
    const bool cancel = GetParam();
    StartWithProfiles();
    FormProfile->Show();
    Select("Cafe");
    ClickControl(FormProfile->BtnProfileActivate);
    ASSERT_TRUE(PumpUntil([] { return IsLinkConnected(QueryLinkStatus(VOZEZIV, LINK_QUERY_CONNECTION)); }));
    FormProfile->m_bActiveProfile = TRUE;
    Select("Cafe");

    g_pressCancel = cancel;
    SetTimer(nullptr, 0, 50, PressMessageBoxButton);
    SimJournalClear();
    ClickControl(FormProfile->BtnProfileDelete);

    EXPECT_TRUE(g_offeredCancel);
    EXPECT_EQ(RowOf("Cafe") >= 0, cancel);
    if (cancel) {
        // Cancel leaves the connection as it was: the profile stays the active one and nothing
        // is reset (the link itself may change for reasons of its own meanwhile).
        EXPECT_TRUE(FormProfile->m_bActiveProfile);
        EXPECT_EQ(SimJournal().find("WVWL_ResetToDefaultConnecctionSetting"), std::string::npos) << SimJournal();
        return;
    }
    EXPECT_TRUE(PumpUntil([] { return !IsLinkConnected(QueryLinkStatus(VOZEZIV, LINK_QUERY_CONNECTION)); }, 10000))
        << SimJournal();
}

INSTANTIATE_TEST_SUITE_P(Answer, DeleteConnectedActive, ::testing::Values(true, false),
                         [](const ::testing::TestParamInfo<bool>& info) { return info.param ? "Cancel" : "Ok"; });

TEST_F(ProfileList, DeletingAnotherProfileOfTheConnectedNetworkSaysSo)
{
    StartWithProfiles();
    FormProfile->Show();
    Store(MakeProfile("Cafe2", "CafeCorner", 0, 1));
    FormProfile->RefreshProfileList();
    Select("Cafe");
    ClickControl(FormProfile->BtnProfileActivate);
    ASSERT_TRUE(PumpUntil([] { return IsLinkConnected(QueryLinkStatus(VOZEZIV, LINK_QUERY_CONNECTION)); }));
    Select("Cafe2");
    ClickControl(FormProfile->BtnProfileDelete);
    EXPECT_TRUE(FormProfile->m_bDeleteConnected);
    Select("Party");
    ClickControl(FormProfile->BtnProfileDelete);
    EXPECT_FALSE(FormProfile->m_bDeleteConnected);
}

TEST_F(ProfileList, DeletingTheLastProfileDisablesItsButtonsAndClearsTheDetails)
{
    LoadLibrary();
    Store(MakeProfile("Only", "OnlyNet", 0, 1));
    CreateWindows();
    FormProfile->Show();
    FormProfile->RefreshProfileList();
    ASSERT_EQ(FormProfile->lblProfileName->Caption(), "Only");
    FormProfile->m_nSelectedRow = -1;  // a single row is used without a selection
    ClickControl(FormProfile->BtnProfileDelete);
    EXPECT_TRUE(Stored().empty());
    EXPECT_EQ(FormProfile->lvProfileList->ItemCount(), 0);
    for (TWvImage* b : {FormProfile->BtnProfileDelete, FormProfile->BtnProfileEdit, FormProfile->BtnProfileActivate,
                        FormProfile->BtnProfileExport})
        EXPECT_FALSE(b->Enabled());
    for (TLabel* l : {FormProfile->lblProfileName, FormProfile->lblSSID, FormProfile->lblAuthentication,
                      FormProfile->lblEncryption})
        EXPECT_EQ(l->Caption(), "");
    EXPECT_TRUE(FormProfile->BtnProfileAdd->Enabled());
}

TEST_F(ProfileList, ExportThenImportGivesTheRecordBackByteForByte)
{
    LoadLibrary();
    // Every byte of the record set, except what makes it a valid profile.
    WLANPROFILE original;
    for (size_t i = 0; i < sizeof original; ++i)
        reinterpret_cast<BYTE*>(&original)[i] = BYTE(i * 7 + 3);
    std::memset(original.strProfileName, 0, sizeof original.strProfileName);
    std::strcpy(original.strProfileName, "Travel");
    original.SSID.SsidLength = 9;
    std::memcpy(original.SSID.Ssid, "TravelNet", 9);
    original.nPskKeyLen = 64;
    Store(original);
    Store(MakeProfile("Cafe", "CafeCorner", 0, 1));
    CreateWindows();
    ShowList();
    AnswerMessages(mrOk);

    const std::string path = TempPath("wpe");
    m_files.push_back(path);
    Select("Travel");
    ChooseFile(path);
    ClickControl(FormProfile->BtnProfileExport);
    EXPECT_TRUE(m_shown.empty());
    ASSERT_FALSE(ReadText(path).empty());

    // While the profile exists, importing it again is refused and changes nothing.
    ClickControl(FormProfile->BtnProfileImport);
    EXPECT_TRUE(Shown(&CUISTR::STR_IM_EXPORT_PROFILE_EXIST));

    ASSERT_EQ(VOZEZIV.WVWL_DeleteProfile("Travel", 0), 1);
    FormProfile->RefreshProfileList();
    ASSERT_LT(RowOf("Travel"), 0);
    m_shown.clear();
    ClickControl(FormProfile->BtnProfileImport);
    EXPECT_TRUE(m_shown.empty());
    EXPECT_GE(RowOf("Travel"), 0);
    WLANPROFILE back;
    std::memset(&back, 0, sizeof back);
    ASSERT_EQ(VOZEZIV.WVWL_ReadProfileData(&back, "Travel"), 1);
    EXPECT_EQ(std::memcmp(&back, &original, sizeof back), 0);
}

TEST_F(ProfileList, ImportRefusesBrokenFilesAndChangesNothing)
{
    StartWithProfiles();
    const std::string path = TempPath("wpx");
    m_files.push_back(path);
    Select("Home");
    ChooseFile(path);
    ClickControl(FormProfile->BtnProfileExport);
    const std::string good = ReadText(path);
    ASSERT_NE(good.find("Data="), std::string::npos);
    ASSERT_EQ(VOZEZIV.WVWL_DeleteProfile("Home", 0), 1);
    FormProfile->RefreshProfileList();
    const std::vector<WLANPROFILE> before = Stored();

    const size_t data = good.find("Data=") + 5;
    const size_t dataEnd = good.find_first_of("\r\n", data);
    std::string wrongName = good;
    wrongName.replace(good.find("Name=") + 5, 8, "486F6D45");  // "HomE": differs from the record's name
    std::string longSsid = good;
    longSsid.replace(data + 8, 8, "C8000000");  // SSID length 200
    struct Case {
        const char* what;
        std::string content;
        std::string CUISTR::*message;
    } cases[] = {
        {"empty file", "", &CUISTR::STR_IM_EXPORT_NO_PROFILE},
        {"not a profile file", "hello\r\n", &CUISTR::STR_IM_EXPORT_NO_PROFILE},
        {"short record", good.substr(0, data + 200) + good.substr(dataEnd), &CUISTR::STR_IM_EXPORT_NO_PROFILE},
        {"long record", good.substr(0, dataEnd) + "0000" + good.substr(dataEnd), &CUISTR::STR_IM_EXPORT_NO_PROFILE},
        {"odd digits", good.substr(0, dataEnd) + "0" + good.substr(dataEnd), &CUISTR::STR_IM_EXPORT_NO_PROFILE},
        {"not hex", good.substr(0, data) + "ZZ" + good.substr(data + 2), &CUISTR::STR_IM_EXPORT_NO_PROFILE},
        {"oversized file", good + "; " + std::string(200000, 'x') + "\r\n", &CUISTR::STR_IM_EXPORT_NO_PROFILE},
        {"name and record differ", wrongName, &CUISTR::STR_IM_EXPORT_NO_PROFILE},
        {"hostile SSID length", longSsid, &CUISTR::STR_IM_EXPORT_NO_PROFILE},
        {"two profiles", good + "[Profile2]\r\n" + good.substr(good.find("Name=")),
         &CUISTR::STR_IM_EXPORT_PROFILE_MORE_THAN_ONE},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        AnswerMessages(mrOk);
        m_shown.clear();
        ChooseFile(NewFile(c.content));
        ClickControl(FormProfile->BtnProfileImport);
        EXPECT_TRUE(Shown(c.message));
        const std::vector<WLANPROFILE> after = Stored();
        ASSERT_EQ(after.size(), before.size());
        EXPECT_EQ(std::memcmp(after.data(), before.data(), after.size() * sizeof(WLANPROFILE)), 0);
        EXPECT_LT(RowOf("Home"), 0);
    }
    // A file that cannot be read at all.
    m_shown.clear();
    ChooseFile(path + ".missing");
    ClickControl(FormProfile->BtnProfileImport);
    EXPECT_TRUE(Shown(&CUISTR::STR_IM_EXPORT_NO_PROFILE));
    EXPECT_EQ(Stored().size(), before.size());

    // The untouched file still imports.
    m_shown.clear();
    ChooseFile(path);
    ClickControl(FormProfile->BtnProfileImport);
    EXPECT_TRUE(m_shown.empty());
    EXPECT_GE(RowOf("Home"), 0);
}

TEST_F(ProfileList, ExportNeedsASelectionAndReportsAFailedWrite)
{
    StartWithProfiles();
    AnswerMessages(mrOk);
    FormProfile->m_nSelectedRow = -1;
    ClickControl(FormProfile->BtnProfileExport);
    EXPECT_TRUE(Shown(&CUISTR::STR_NOSELECTEDITEM));

    m_shown.clear();
    Select("Cafe");
    const std::string file = TempPath("wpn");
    m_files.push_back(file);
    ChooseFile(file + "\\no such folder\\cafe.prof");
    ClickControl(FormProfile->BtnProfileExport);
    EXPECT_TRUE(Shown(&CUISTR::STR_IM_EXPORT_SAVE_ANOTHER_FILENAME_REQUIRE));

    // Cancelling the dialog does nothing.
    m_shown.clear();
    profileFileDialogAnswer = [](bool, std::string&) { return false; };
    ClickControl(FormProfile->BtnProfileExport);
    ClickControl(FormProfile->BtnProfileImport);
    EXPECT_TRUE(m_shown.empty());
    EXPECT_EQ(SimCallCount("WVWL_ImportProfile"), 0);
}

// Import and Export offer profile files: the filter's pattern, the default extension and,
// for Import, the initial name.
TEST_F(ProfileList, ImportAndExportDialogsOfferProfileFiles)
{
    StartWithProfiles();
    FormProfile->Show();
    struct Seen {
        bool save;
        std::string filter, name, extension;
    };
    std::vector<Seen> seen;
    profileFileDialogAnswer = [&seen](bool save, std::string&) {
        seen.push_back({save, profileFileDialogShowing->Filter, profileFileDialogShowing->FileName,
                        profileFileDialogShowing->DefaultExt});
        return false;  // the user cancels
    };
    ClickControl(FormProfile->BtnProfileImport);
    Select("Cafe");
    ClickControl(FormProfile->BtnProfileExport);
    ASSERT_EQ(seen.size(), 2u);
    const std::string filter = FormResource->UI_Str->STR_IM_EXPORT_SAVE_DEFAULT_FILTER_PROF + "|*.prof";
    EXPECT_FALSE(seen[0].save);
    EXPECT_EQ(seen[0].filter, filter);
    EXPECT_EQ(seen[0].name, "*.prof");
    EXPECT_EQ(seen[0].extension, "prof");
    EXPECT_TRUE(seen[1].save);
    EXPECT_EQ(seen[1].filter, filter);
    EXPECT_EQ(seen[1].extension, "prof");
    EXPECT_EQ(SimCallCount("WVWL_ImportProfile") + SimCallCount("WVWL_ExportProfile"), 0);
}

TEST_F(ProfileList, AddAndEditOpenTheEditorPrepared)
{
    StartWithProfiles();
    std::vector<std::string> forms;
    seams::modalAnswer = [&forms](const std::string& what) {
        forms.push_back(what);
        return int(mrCancel);
    };
    ClickControl(FormProfile->BtnProfileAdd);
    ASSERT_EQ(forms.size(), 1u);
    EXPECT_EQ(forms[0].rfind("FormProfileEdit", 0), 0u) << forms[0];
    EXPECT_TRUE(FormProfileEdit->m_bAddProfile);
    EXPECT_FALSE(FormProfileEdit->m_bEditProfile);
    EXPECT_EQ(FormProfileEdit->m_strProfName, "PROF1");
    EXPECT_EQ(FormProfileEdit->m_strProfID, "1");
    EXPECT_EQ(FormProfileEdit->FrameProfileEditWireless->editProfileName->Text(), "PROF1");

    WLANPROFILE home = MakeProfile("Home", "HomeNet", 7, 6);
    std::strcpy(home.chPskKey, "correct horse battery");
    home.nPskKeyLen = 21;
    home.nProfileID = 4;
    Store(home);
    FormProfile->RefreshProfileList();
    Select("Home");
    ClickControl(FormProfile->BtnProfileEdit);
    ASSERT_EQ(forms.size(), 2u);
    EXPECT_FALSE(FormProfileEdit->m_bAddProfile);
    EXPECT_TRUE(FormProfileEdit->m_bEditProfile);
    EXPECT_EQ(FormProfileEdit->m_strOrgProfName, "Home");
    EXPECT_EQ(FormProfileEdit->m_strProfSSID, "HomeNet");
    EXPECT_EQ(FormProfileEdit->m_nAuthSel, 6);
    EXPECT_EQ(FormProfileEdit->m_nEncrySel, 3);
    EXPECT_EQ(FormProfileEdit->m_strPskKey, "correct horse battery");
    EXPECT_EQ(FormProfileEdit->m_strProfID, "4");
    EXPECT_EQ(FormProfileEdit->FrameProfileEditWireless->editProfileName->Text(), "Home");
}

} // namespace

namespace {

// A library whose second answer claims more records than it was asked for.
unsigned long g_claimed = 0;

int __stdcall OverclaimingProfileList(WLANPROFILE* profiles, unsigned long* count)
{
    if (!profiles) {
        *count = 2;
        return 1;
    }
    for (unsigned long i = 0; i < *count; ++i) {
        std::memset(&profiles[i], 0, sizeof profiles[i]);
        std::snprintf(profiles[i].strProfileName, sizeof profiles[i].strProfileName, "P%lu", i);
    }
    *count = g_claimed;
    return 1;
}

} // namespace

TEST_F(ProfileList, AListThatClaimsMoreRecordsThanAskedForShowsOnlyThoseRead)
{
    StartWithProfiles();
    const auto real = VOZEZIV.WVWL_ReadProfileList;
    VOZEZIV.WVWL_ReadProfileList = OverclaimingProfileList;
    for (unsigned long claimed : {3ul, 1000ul, 0xFFFFFFFFul}) {
        SCOPED_TRACE(claimed);
        g_claimed = claimed;
        FormProfile->RefreshProfileList();
        ASSERT_EQ(FormProfile->m_ProfileRows.size(), 2u);
        EXPECT_EQ(FormProfile->m_ProfileRows[1]->strName, "P1");
        EXPECT_EQ(FormProfile->lvProfileList->ItemCount(), 2);
    }
    // Fewer than asked for: only those.
    g_claimed = 1;
    FormProfile->RefreshProfileList();
    EXPECT_EQ(FormProfile->m_ProfileRows.size(), 1u);
    VOZEZIV.WVWL_ReadProfileList = real;
}

struct Rights {
    const char* name;
    const char* admin;
    const char* allowed;
    bool change;
};

class ProfileRights : public ProfileList, public ::testing::WithParamInterface<Rights> {};

TEST_P(ProfileRights, StandardUsersWithoutProfileRightsCanOnlyActivate)
{
    const Rights& c = GetParam();
    TScenario scenario;
    scenario.Set("System", "UserAdmin", c.admin).Set("System", "AllowStandardUserProfile", c.allowed);
    StartWithProfiles(scenario);
    for (TWvImage* b : {FormProfile->BtnProfileAdd, FormProfile->BtnProfileDelete, FormProfile->BtnProfileEdit,
                        FormProfile->BtnProfileImport, FormProfile->BtnProfileExport})
        EXPECT_EQ(b->Enabled(), c.change);
    EXPECT_TRUE(FormProfile->BtnProfileActivate->Enabled());
    Select("Cafe");
    EXPECT_EQ(FormProfile->BtnProfileEdit->Enabled(), c.change);
    ClickControl(FormProfile->BtnProfileActivate);
    EXPECT_EQ(FormProfile->m_strProfile, "Cafe");
    EXPECT_EQ(FormProfile->m_strUserProfile, c.change ? "" : "Cafe");
}

INSTANTIATE_TEST_SUITE_P(Users, ProfileRights,
                         ::testing::Values(Rights{"Admin", "1", "0", true}, Rights{"AllowedUser", "0", "1", true},
                                           Rights{"StandardUser", "0", "0", false}),
                         [](const ::testing::TestParamInfo<Rights>& info) { return std::string(info.param.name); });

TEST_F(ProfileList, BeforeVistaActivationHandsTheSingleSignOnSettingsOver)
{
    TScenario scenario;
    scenario.Set("System", "WinOS", "21");
    LoadLibrary(scenario);
    WLANPROFILE sso = MakeProfile("Corp", "OfficeCorp", 0, 1);
    sso.ssoInfo = PROF_SSO_USE_SSO | PROF_SSO_PERSISTENT_CONNECTION | (2u << PROF_SSO_ID_PWD_SOURCE_SHIFT);
    Store(sso);
    Store(MakeProfile("Cafe", "CafeCorner", 0, 1));
    CreateWindows();
    ShowList();

    struct Case {
        const char* name;
        int settings, resets;
    } cases[] = {{"Corp", 1, 0}, {"Cafe", 0, 1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const int settings = SimCallCount("WVWL_WriteSSOSetting");
        const int resets = SimCallCount("WVWL_ResetSSOFeature");
        const int releases = SimCallCount("WVWL_WriteSSOReleaseSUP");
        Select(c.name);
        ClickControl(FormProfile->BtnProfileActivate);
        EXPECT_EQ(SimCallCount("WVWL_WriteSSOSetting") - settings, c.settings);
        EXPECT_EQ(SimCallCount("WVWL_ResetSSOFeature") - resets, c.resets);
        // Released before activation, and again for a profile without single sign-on.
        EXPECT_EQ(SimCallCount("WVWL_WriteSSOReleaseSUP") - releases, c.settings ? 1 : 2);
        EXPECT_EQ(FormProfile->m_nActivatedRow, RowOf(c.name));
    }
    SSO_SETTING written;
    std::memset(&written, 0, sizeof written);
    VOZEZIV.WVWL_ReadSSOInfo(&written);
    EXPECT_EQ(written.bSSO, 1u);
    EXPECT_STREQ(written.LogonDll, "OstrelGina.DLL");
    EXPECT_STREQ(written.ProfileName, "Corp");
}
