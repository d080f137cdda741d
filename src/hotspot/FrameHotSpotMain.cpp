#include "hotspot/FrameHotSpotMain.h"

#include <shlobj.h>

#include <cstdio>
#include <cstring>
#include <iterator>
#include <memory>
#include <utility>
#include <vector>

#include "core/Helpers.h"
#include "core/Log.h"
#include "core/WvwlLib.h"
#include "hotspot/FormHotSpot.h"
#include "hotspot/HS20StateFile.h"
#include "hotspot/HotSpotControls.h"
#include "resources/FormResource.h"

namespace {

constexpr const char kLibraryName[] = "HS20.dll";
constexpr const char kStateFileTail[] = "\\Ostrel\\HS20.ini";
constexpr BYTE kEmpty = 255;
constexpr BYTE kGuidLength = 38;
constexpr DWORD kDeinitWaitMs = 1000;

bool PathExists(const char* path)
{
    return path[0] && GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES;
}

// Calls a Hotspot 2.0 entry; an entry the library lacks counts as a failure.
template <class F, class... Args>
int CallHS20(const char* name, F entry, Args... args)
{
    if (!entry) {
        PrintMessage(2, " --> HotSpotMain: %s is missing in HS20.dll\n", name);
        return 0;
    }
    return entry(args...);
}

// The state file's full path: the common application-data folder and "\Ostrel\HS20.ini";
// the folder's short form when the long one does not fit; empty when neither does.
void BuildStateFilePath(char (&path)[128])
{
    path[0] = '\0';
    char folder[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathA(nullptr, CSIDL_COMMON_APPDATA, nullptr, 0, folder))) {
        PrintMessage(2, " --> HotSpotMain: no common application-data folder\n");
        return;
    }
    std::string full = std::string(folder) + kStateFileTail;
    if (full.size() >= sizeof path) {
        char shortFolder[MAX_PATH] = {};
        const DWORD n = GetShortPathNameA(folder, shortFolder, MAX_PATH);
        full = (n > 0 && n < MAX_PATH) ? std::string(shortFolder) + kStateFileTail : std::string();
    }
    if (full.empty() || full.size() >= sizeof path) {
        PrintMessage(2, " --> HotSpotMain: state file path too long: %s%s\n", folder, kStateFileTail);
        return;
    }
    std::memcpy(path, full.c_str(), full.size() + 1);
}

} // namespace

TFrameHotSpotMain::TFrameHotSpotMain(TComponent* owner) : TFrameBase(owner)
{
    Name = "FrameHotSpotMain";

    grpBoxHotSpot20 = new TGroupBox(this);
    grpBoxHotSpot20->SetParent(this);
    grpBoxHotSpot20->SetBounds(0, 0, 376, 48);
    grpBoxHotSpot20->SetCaption(hotspot::Text(&CUISTR::STR_HotSpot_HS20));
    rBtnEnableHS20 = new TRadioButton(grpBoxHotSpot20);
    rBtnEnableHS20->SetParent(grpBoxHotSpot20);
    rBtnEnableHS20->SetBounds(24, 20, 140, 17);
    rBtnEnableHS20->SetCaption(hotspot::Text(&CUISTR::STR_HotSpot_ENABLE));
    rBtnDisableHS20 = new TRadioButton(grpBoxHotSpot20);
    rBtnDisableHS20->SetParent(grpBoxHotSpot20);
    rBtnDisableHS20->SetBounds(196, 20, 140, 17);
    rBtnDisableHS20->SetCaption(hotspot::Text(&CUISTR::STR_HotSpot_DISABLE));

    grpBoxPriorityTable = new TGroupBox(this);
    grpBoxPriorityTable->SetParent(this);
    grpBoxPriorityTable->SetBounds(0, 56, 376, 262);
    grpBoxPriorityTable->SetCaption(hotspot::Text(&CUISTR::STR_HotSpot_TABLE));
    lvConnSettingTable = new TListView(grpBoxPriorityTable);
    lvConnSettingTable->SetParent(grpBoxPriorityTable);
    lvConnSettingTable->SetBounds(12, 20, 312, 196);
    lvConnSettingTable->SetRowSelect(true);
    lvConnSettingTable->SetShowColumnHeaders(false);
    lvConnSettingTable->AddColumn("", 30);
    lvConnSettingTable->AddColumn("", 312 - 30 - 4);

    TFormResource* res = FormResource;
    BtnUp = MakePushButton(grpBoxPriorityTable, 338, 70, 24, 26,
                           res ? res->ImgAdvancedCertManagerBtnMoveUp_Normal : nullptr,
                           res ? res->ImgAdvancedCertManagerBtnMoveUp_Down : nullptr,
                           res ? res->ImgAdvancedCertManagerBtnMoveUp_Disabled : nullptr);
    BtnDown = MakePushButton(grpBoxPriorityTable, 338, 110, 24, 26,
                             res ? res->ImgAdvancedCertManagerBtnMoveDown_Normal : nullptr,
                             res ? res->ImgAdvancedCertManagerBtnMoveDown_Down : nullptr,
                             res ? res->ImgAdvancedCertManagerBtnMoveDown_Disabled : nullptr);
    BtnReset = hotspot::MakeButton(grpBoxPriorityTable, 12, 226, hotspot::Text(&CUISTR::STR_HotSpot_RESET));
    BtnPrefer = hotspot::MakeButton(grpBoxPriorityTable, 102, 226, hotspot::Text(&CUISTR::STR_HotSpot_PREFER));
    BtnDeleteSetting = hotspot::MakeButton(grpBoxPriorityTable, 192, 226, hotspot::Text(&CUISTR::STR_HotSpot_DELETE));
    BtnModify = hotspot::MakeButton(grpBoxPriorityTable, 282, 226, hotspot::Text(&CUISTR::STR_HotSpot_MODIFY));

    m_bHS20Active = 0;
    rBtnDisableHS20->SetChecked(true);
    lvConnSettingTable->SetEnabled(false);
    BtnReset->SetEnabled(false);
    EnableRowButtons(false);
    BuildStateFilePath(m_szIniFile);
    ResetWeightTable();

    // Handlers last: checking the off button above is the initial state, not a click.
    rBtnEnableHS20->OnClick = [this](TObject* s) { rBtnEnableHS20Click(s); };
    rBtnDisableHS20->OnClick = [this](TObject* s) { rBtnDisableHS20Click(s); };
    lvConnSettingTable->OnSelectItem = [this](TObject* s, TListItem* i, bool on) {
        lvConnSettingTableSelectItem(s, i, on);
    };
    BtnUp->OnClick = [this](TObject* s) { BtnUpClick(s); };
    BtnDown->OnClick = [this](TObject* s) { BtnDownClick(s); };
    BtnReset->OnClick = [this](TObject* s) { BtnResetClick(s); };
    BtnPrefer->OnClick = [this](TObject* s) { BtnPreferClick(s); };
    BtnDeleteSetting->OnClick = [this](TObject* s) { BtnDeleteSettingClick(s); };
    BtnModify->OnClick = [this](TObject* s) { BtnModifyClick(s); };
}

TFormHotSpot* TFrameHotSpotMain::Form() const
{
    return dynamic_cast<TFormHotSpot*>(Owner());
}

std::string TFrameHotSpotMain::RowName(int row) const
{
    const TListItem* item = lvConnSettingTable->Item(row);
    return item->SubItemCount() > 0 ? item->SubItem(0) : std::string();
}

void TFrameHotSpotMain::SetRowName(int row, const std::string& name)
{
    if (row >= 0 && row < lvConnSettingTable->ItemCount())
        lvConnSettingTable->Item(row)->SetSubItem(0, name);
}

void TFrameHotSpotMain::EnableRowButtons(bool enable)
{
    for (TControl* control : {static_cast<TControl*>(BtnUp), static_cast<TControl*>(BtnDown),
                              static_cast<TControl*>(BtnDeleteSetting), static_cast<TControl*>(BtnPrefer),
                              static_cast<TControl*>(BtnModify)})
        control->SetEnabled(enable);
}

void TFrameHotSpotMain::ShowEntryTabs(bool show)
{
    TFormHotSpot* form = Form();
    if (!form)
        return;
    form->TabBtnHotSpotAddProfile->SetVisible(show);
    form->TabBtnHotSpotAddCredential->SetVisible(show);
    if (form->m_bSigmaTest)
        form->TabBtnHotSpotSigma->SetVisible(show);
    form->Repaint();
}

void TFrameHotSpotMain::ResetWeightTable()
{
    for (int i = 0; i < MAX_HS20_TABLE; ++i)
        m_WeightTable.Entry[i] = {0, kEmpty, kEmpty, BYTE(100 - 10 * i)};
    m_nCredentialCount = 0;
    m_nProfileCount = 0;
    m_nPreferRow = kNoPreferRow;
    m_nModifyRow = -1;
}

bool TFrameHotSpotMain::SendWeightTable()
{
    if (CallHS20("HS20_Set_Weight", VOZEZIV.HS20_Set_Weight, m_WeightTable) == 1)
        return true;
    PrintMessage(6, " --> HotSpotMain: HS20_Set_Weight() fail\n");
    return false;
}

bool TFrameHotSpotMain::AddEntry(const char* page, const char* call, BYTE kind, const EntryWrite& write)
{
    const int rows = lvConnSettingTable->ItemCount();
    if (rows >= MAX_HS20_TABLE) {
        PrintMessage(6, " --> >MAX_HS20_TABLE  Count: %d", rows);
        return false;
    }
    const BYTE weight = BYTE(100 - 10 * rows);
    const std::optional<std::string> name = write(0, weight, -1);
    if (!name) {
        PrintMessage(6, " --> %s: %s: fail\n", page, call);
        return true;
    }
    PrintMessage(6, " --> %s: %s: success\n", page, call);
    AddSettingRow(*name, kind, weight, false);
    PrintMessage(6, " --> %s: HS20_Set_Weight: %s\n", page, SendWeightTable() ? "success" : "fail");
    return true;
}

void TFrameHotSpotMain::ModifyEntry(const char* page, const char* call, const EntryWrite& write)
{
    const int row = m_nModifyRow;
    if (row < 0 || row >= lvConnSettingTable->ItemCount())
        return;
    const std::optional<std::string> name =
        write(row == m_nPreferRow ? 1 : 0, BYTE(100 - 10 * row), m_WeightTable.Entry[row].Index);
    if (name)
        SetRowName(row, *name);
    PrintMessage(6, " --> %s: %s: %s\n", page, call, name ? "success" : "fail");
}

bool TFrameHotSpotMain::SendPrefer(BYTE kind, BYTE index, BYTE prefer)
{
    const HS20_PREFER record{kind, index, prefer, 0};
    if (CallHS20("HS20_Set_Prefer", VOZEZIV.HS20_Set_Prefer, record) == 1)
        return true;
    PrintMessage(6, " --> HotSpotMain: HS20_Set_Prefer() fail\n");
    return false;
}

void TFrameHotSpotMain::ClearPreferRow(int except)
{
    const int row = m_nPreferRow;
    if (row == except || row < 0 || row >= lvConnSettingTable->ItemCount())
        return;
    const HS20_WEIGHT_ENTRY& entry = m_WeightTable.Entry[row];
    if (SendPrefer(entry.Kind, entry.Index, 0))
        lvConnSettingTable->Item(row)->SetCaption("");
}

// ---- on and off

void TFrameHotSpotMain::rBtnEnableHS20Click(TObject*)
{
    PrintMessage(6, " --> TFrameHotSpotMain::rBtnEnableHS20Click\n");
    grpBoxHotSpot20->SetEnabled(false);
    TurnOn();
    grpBoxHotSpot20->SetEnabled(true);
    PrintMessage(6, " <-- TFrameHotSpotMain::rBtnEnableHS20Click\n");
}

bool TFrameHotSpotMain::TurnOn()
{
    // A library still loaded (its Deinit failed) is used again, not loaded a second time.
    if (!VOZEZIV.hHS20Dll && !VOZEZIV.LoadHS20(kLibraryName))
        return false;
    ShowEntryTabs(true);

    char id[256] = {};
    if (VOZEZIV.WVWL_ReadNetCfgInstanceID)
        VOZEZIV.WVWL_ReadNetCfgInstanceID(id);
    id[sizeof id - 1] = '\0';
    HS20_INIT_PARAM param{};
    wchar_t wide[256] = {};
    const int n = MultiByteToWideChar(CP_ACP, 0, id, -1, wide, 256);
    for (int i = 0; i < n && i < 64 && wide[i]; ++i)
        param.AdapterGuid[i] = wide[i];
    param.GuidLength = kGuidLength;

    if (CallHS20("HS20_Init", VOZEZIV.HS20_Init, param) != 1) {
        PrintMessage(6, " --> TFrameHotSpotVOZEZIV.HS20_Init() failed \n");
        return false;
    }
    ResetWeightTable();
    BtnReset->SetEnabled(true);
    lvConnSettingTable->SetEnabled(true);
    m_bHS20Active = 1;
    if (PathExists(m_szIniFile)) {
        LoadHS20IniFile();
        DeleteFileA(m_szIniFile);
    }
    return true;
}

void TFrameHotSpotMain::rBtnDisableHS20Click(TObject*)
{
    PrintMessage(6, " --> TFrameHotSpotMain::rBtnDisableHS20Click\n");
    TFormHotSpot* form = Form();
    if (form && m_nModifyRow >= 0) {
        form->EndModify();
        form->TabBtnHotSpotClick(this);
    }
    grpBoxHotSpot20->SetEnabled(false);
    ShowEntryTabs(false);
    BtnReset->SetEnabled(false);
    EnableRowButtons(false);
    lvConnSettingTable->SetEnabled(false);
    lvConnSettingTable->ClearItems();
    Repaint();
    if (m_bHS20Active)
        TurnOff();
    grpBoxHotSpot20->SetEnabled(true);
    PrintMessage(6, " <-- TFrameHotSpotMain::rBtnDisableHS20Click\n");
}

void TFrameHotSpotMain::TurnOff()
{
    if (PathExists(m_szIniFile))
        DeleteFileA(m_szIniFile);
    WriteHS20IniFile(m_szIniFile);
    if (CallHS20("HS20_Deinit", VOZEZIV.HS20_Deinit) != 1) {
        PrintMessage(6, " --> TFrameHotSpotMain: VOZEZIV.HS20_Deinit() fail\n");
        return;
    }
    m_nPreferRow = kNoPreferRow;
    WaitMilliseconds(kDeinitWaitMs);
    m_bHS20Active = 0;
    VOZEZIV.ReleaseHS20();
}

// ---- state file

bool TFrameHotSpotMain::WriteHS20IniFile(const char* path)
{
    PrintMessage(6, " --> TFrameHotSpotMain::WriteHS20IniFile\n");
    if (PathExists(path))
        DeleteFileA(path);
    HS20_INI_PATH record{};
    const size_t length = strnlen(path, 128);
    if (length == 0 || length >= sizeof record.Path) {
        PrintMessage(2, " --> HotSpotMain: HS20_Write_IniFile: path of %u characters does not fit, state not saved\n",
                     unsigned(length));
        return false;
    }
    record.Length = BYTE(length);
    std::memcpy(record.Path, path, length);
    if (CallHS20("HS20_Write_IniFile", VOZEZIV.HS20_Write_IniFile, record) != 1) {
        PrintMessage(6, " --> HotSpotMain: HS20_Write_IniFile: fail\n");
        return false;
    }
    PrintMessage(6, " --> HotSpotMain: HS20_Write_IniFile: success\n");
    return true;
}

bool TFrameHotSpotMain::LoadHS20IniFile()
{
    PrintMessage(6, " --> TFrameHotSpotMain::LoadHS20IniFile\n");
    std::vector<HS20_STATE_ENTRY> entries;
    std::vector<std::string> skipped;
    ReadHS20StateFile(m_szIniFile, entries, skipped);
    for (const std::string& reason : skipped)
        PrintMessage(2, " --> HotSpotMain: state file section skipped: %s\n", reason.c_str());
    bool whole = skipped.empty();
    for (const HS20_STATE_ENTRY& entry : entries) {
        // The library gets no entry that the table cannot show.
        if (lvConnSettingTable->ItemCount() >= MAX_HS20_TABLE) {
            PrintMessage(6, " --> HotSpotMain: ItemCount over MAX_HS20_TABLE\n");
            PrintMessage(2, " --> HotSpotMain: [%s] (%s) not replayed, the table is full\n", entry.section.c_str(),
                         entry.name.c_str());
            whole = false;
            continue;
        }
        const bool added =
            entry.kind == kCredential
                ? CallHS20("HS20_Add_Credential", VOZEZIV.HS20_Add_Credential, entry.credential) == 1
                : CallHS20("HS20_Add_Profile", VOZEZIV.HS20_Add_Profile, entry.profile) == 1;
        if (!added) {
            PrintMessage(6, " --> HotSpotMain: [%s] (%s) refused by the library, skipped\n", entry.section.c_str(),
                         entry.name.c_str());
            whole = false;
            continue;
        }
        AddSettingRow(entry.name, entry.kind, entry.weight, entry.prefer == 1);
    }
    SendWeightTable();
    return whole;
}

// ---- rows

bool TFrameHotSpotMain::AddSettingRow(const std::string& name, BYTE kind, int weight, bool prefer)
{
    const int row = lvConnSettingTable->ItemCount();
    if (row >= MAX_HS20_TABLE) {
        PrintMessage(6, " --> HotSpotMain: ItemCount over MAX_HS20_TABLE\n");
        return false;
    }
    int& count = kind == kCredential ? m_nCredentialCount : m_nProfileCount;
    const BYTE index = BYTE(count);
    TListItem* item = lvConnSettingTable->AddItem();
    item->SetCaption("");
    if (prefer && SendPrefer(kind, index, 1)) {
        item->SetCaption("P");
        ClearPreferRow(row);
        m_nPreferRow = row;
    }
    item->AddSubItem(name);

    HS20_WEIGHT_ENTRY& entry = m_WeightTable.Entry[row];
    entry.Present = 1;
    entry.Kind = kind;
    entry.Index = index;
    ++count;

    m_nInsertWeight[row] = weight;
    for (int r = row; r > 0 && m_nInsertWeight[r - 1] < m_nInsertWeight[r]; --r) {
        std::swap(m_nInsertWeight[r - 1], m_nInsertWeight[r]);
        SwapSettingRows(r, true);
    }
    return true;
}

void TFrameHotSpotMain::SwapSettingRows(int row, bool up)
{
    const int partner = up ? row - 1 : row + 1;
    const int count = lvConnSettingTable->ItemCount();
    if (row < 0 || row >= count || partner < 0 || partner >= count)
        return;
    TListItem* a = lvConnSettingTable->Item(row);
    TListItem* b = lvConnSettingTable->Item(partner);
    const std::string mark = a->Caption(), name = RowName(row);
    a->SetCaption(b->Caption());
    a->SetSubItem(0, RowName(partner));
    b->SetCaption(mark);
    b->SetSubItem(0, name);

    HS20_WEIGHT_ENTRY& ea = m_WeightTable.Entry[row];
    HS20_WEIGHT_ENTRY& eb = m_WeightTable.Entry[partner];
    std::swap(ea.Kind, eb.Kind);
    std::swap(ea.Index, eb.Index);
    if (m_nPreferRow == partner)
        m_nPreferRow = row;
    else if (m_nPreferRow == row)
        m_nPreferRow = partner;
}

void TFrameHotSpotMain::DeleteSettingRow(int row, BYTE kind)
{
    const int count = lvConnSettingTable->ItemCount();
    if (row < 0 || row >= count)
        return;
    if (m_nPreferRow == row)
        m_nPreferRow = kNoPreferRow;
    else if (m_nPreferRow != kNoPreferRow && row < m_nPreferRow)
        --m_nPreferRow;
    lvConnSettingTable->DeleteItem(row);

    const BYTE removedIndex = m_WeightTable.Entry[row].Index;
    for (int i = row; i + 1 < MAX_HS20_TABLE; ++i) {
        HS20_WEIGHT_ENTRY& to = m_WeightTable.Entry[i];
        const HS20_WEIGHT_ENTRY& from = m_WeightTable.Entry[i + 1];
        to.Present = from.Present;
        to.Kind = from.Kind;
        to.Index = from.Index;
    }
    for (HS20_WEIGHT_ENTRY& entry : m_WeightTable.Entry) {
        if (entry.Present && entry.Kind == kind && entry.Index > removedIndex)
            --entry.Index;
    }
    HS20_WEIGHT_ENTRY& freed = m_WeightTable.Entry[count - 1];
    freed.Present = 0;
    freed.Kind = kEmpty;
    freed.Index = kEmpty;
    SendWeightTable();
}

// ---- handlers

void TFrameHotSpotMain::lvConnSettingTableSelectItem(TObject*, TListItem* Item, bool Selected)
{
    const int row = Item ? lvConnSettingTable->IndexOf(Item) : -1;
    const int count = lvConnSettingTable->ItemCount();
    if (!Selected || row < 0) {
        EnableRowButtons(false);
        return;
    }
    BtnUp->SetEnabled(count >= 2 && row != 0);
    BtnDown->SetEnabled(count >= 2 && row != count - 1);
    BtnDeleteSetting->SetEnabled(true);
    BtnPrefer->SetEnabled(true);
    BtnModify->SetEnabled(true);
}

void TFrameHotSpotMain::BtnUpClick(TObject*)
{
    const int row = lvConnSettingTable->ItemIndex();
    if (row <= 0)
        return;
    SwapSettingRows(row, true);
    SendWeightTable();
    lvConnSettingTable->SetItemIndex(row - 1);
}

void TFrameHotSpotMain::BtnDownClick(TObject*)
{
    const int row = lvConnSettingTable->ItemIndex();
    if (row < 0 || row + 1 >= lvConnSettingTable->ItemCount())
        return;
    SwapSettingRows(row, false);
    SendWeightTable();
    lvConnSettingTable->SetItemIndex(row + 1);
}

void TFrameHotSpotMain::BtnPreferClick(TObject*)
{
    const int row = lvConnSettingTable->ItemIndex();
    if (row < 0)
        return;
    const HS20_WEIGHT_ENTRY entry = m_WeightTable.Entry[row];
    if (row == m_nPreferRow) {
        if (SendPrefer(entry.Kind, entry.Index, 0)) {
            lvConnSettingTable->Item(row)->SetCaption("");
            m_nPreferRow = kNoPreferRow;
        }
    } else if (SendPrefer(entry.Kind, entry.Index, 1)) {
        lvConnSettingTable->Item(row)->SetCaption("P");
        ClearPreferRow(row);
        m_nPreferRow = row;
    }
    lvConnSettingTable->SetFocus();
}

void TFrameHotSpotMain::BtnDeleteSettingClick(TObject*)
{
    const int row = lvConnSettingTable->ItemIndex();
    if (row < 0)
        return;
    const HS20_WEIGHT_ENTRY entry = m_WeightTable.Entry[row];
    if (entry.Kind == kProfile) {
        if (CallHS20("HS20_Del_Profile", VOZEZIV.HS20_Del_Profile, int(entry.Index)) != 1) {
            PrintMessage(6, " --> HotSpotMain: VOZEZIV.HS20_Del_Profile fail \n");
            return;
        }
    } else if (CallHS20("HS20_Del_Credential", VOZEZIV.HS20_Del_Credential, int(entry.Index)) != 1) {
        PrintMessage(6, " --> HotSpotMain: VOZEZIV.HS20_Del_Credential fail \n");
        return;
    }
    DeleteSettingRow(row, entry.Kind);
    --(entry.Kind == kProfile ? m_nProfileCount : m_nCredentialCount);
    BtnDeleteSetting->SetEnabled(false);
}

void TFrameHotSpotMain::BtnResetClick(TObject*)
{
    // The library first: when it refuses, the table still shows what the library keeps.
    if (CallHS20("HS20_Reset_Default", VOZEZIV.HS20_Reset_Default) != 1) {
        PrintMessage(6, " --> HotSpotMain: Reset Default: fail\n");
        return;
    }
    lvConnSettingTable->ClearItems();
    EnableRowButtons(false);
    ResetWeightTable();
}

void TFrameHotSpotMain::BtnModifyClick(TObject*)
{
    TFormHotSpot* form = Form();
    const int row = lvConnSettingTable->ItemIndex();
    if (!form || row < 0 || row >= lvConnSettingTable->ItemCount())
        return;
    const HS20_WEIGHT_ENTRY entry = m_WeightTable.Entry[row];
    m_nModifyRow = row;
    m_bModifying = true;
    if (entry.Kind == kProfile) {
        HS20_PROFILE record{};
        if (CallHS20("HS20_Get_Profile", VOZEZIV.HS20_Get_Profile, &record, int(entry.Index)) != 1) {
            PrintMessage(6, " --> HotSpotMain: HS20_Get_Profile fail\n");
            m_nModifyRow = -1;
            m_bModifying = false;
            return;
        }
        TFrameHotSpotAddProfile* page = form->FrameHotSpotAddProfile;
        page->ShowRecord(record);
        form->TabBtnHotSpotAddProfileClick(this);
        page->cBoxProfileTypeChange(this);
    } else {
        HS20_CREDENTIAL record{};
        if (CallHS20("HS20_Get_Credential", VOZEZIV.HS20_Get_Credential, &record, int(entry.Index)) != 1) {
            PrintMessage(6, " --> HotSpotMain: HS20_Get_Credential fail\n");
            m_nModifyRow = -1;
            m_bModifying = false;
            return;
        }
        TFrameHotSpotAddCredential* page = form->FrameHotSpotAddCredential;
        page->ShowRecord(record);
        form->TabBtnHotSpotAddCredentialClick(this);  // entering the page fills its certificate list
        const std::string thumbprint = hotspot::FieldText(record.RootCa);
        if (record.CredenType != TFrameHotSpotAddCredential::kSim && !thumbprint.empty())
            page->SelectCertByThumbprint(thumbprint);
        page->cBoxCredentialTypeChange(this);
    }
    m_bModifying = false;
    form->BeginModify();
}

bool TFrameHotSpotMain::OnLeavePage()
{
    EnableRowButtons(false);
    lvConnSettingTable->SetItemIndex(-1);
    EnableRowButtons(false);
    return true;
}

// ---- tray tip

bool TFrameHotSpotMain::GetConnectedHS20Text(std::string& text)
{
    if (!m_bHS20Active)
        return false;
    auto info = std::make_unique<HS20_CONNECTED_INFO>();
    if (CallHS20("HS20_Get_Connected_Parameters", VOZEZIV.HS20_Get_Connected_Parameters, info.get()) != 1)
        return false;
    const TFormHotSpot* form = Form();
    const BYTE* ours = form ? form->m_ConnectedBssid : nullptr;
    bool same = ours != nullptr;
    for (int i = 0; same && i < 6; ++i) {
        same = info->Bssid[i] == ours[i];
        PrintMessage(6, same ? " <-- TFormLinkInfo::bssid[%d]=equal\n" : " <-- TFormLinkInfo::bssid[%d]=not equal\n", i);
    }
    if (info->bConnected != 1 || !same)
        return false;
    std::string CUISTR::*const methods[] = {&CUISTR::STR_HotSpot_TTLS, &CUISTR::STR_HotSpot_CERT,
                                           &CUISTR::STR_HotSpot_SIM, &CUISTR::STR_HotSpot_CREDPSK};
    if (info->Method >= std::size(methods)) {
        PrintMessage(6, " --> HotSpotMain: connection method %u unknown\n", unsigned(info->Method));
        return false;
    }
    const std::string name(info->Name, strnlen(info->Name, sizeof info->Name));
    text = hotspot::Text(&CUISTR::STR_HotSpot_AP) + ": " + name + " " + hotspot::Text(&CUISTR::STR_HotSpot_CONNECTED) + ", " +
           hotspot::Text(&CUISTR::STR_HotSpot_EAP) + "-" + hotspot::Text(methods[info->Method]);
    return true;
}

bool TFrameHotSpotMain::DelConnectedParameters()
{
    return CallHS20("HS20_Del_Connected_Parameters", VOZEZIV.HS20_Del_Connected_Parameters) != 0;
}
