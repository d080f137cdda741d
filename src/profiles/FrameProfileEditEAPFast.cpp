#include "profiles/FrameProfileEditEAPFast.h"

#include <algorithm>
#include <cstring>

#include "dialogs/FormMessageBox.h"
#include "core/Log.h"
#include "core/WvwlLib.h"
#include "profiles/FormProfileEdit.h"
#include "profiles/ProfileEditControls.h"
#include "wlapi/constants.h"

using namespace ProfileEditUi;

namespace {

constexpr int kEntryText = 255;

std::string CurrentDirectory()
{
    char path[MAX_PATH] = {};
    const DWORD length = GetCurrentDirectoryA(MAX_PATH, path);
    return length > 0 && length < MAX_PATH ? std::string(path, length) : std::string();
}

std::string FileNameOf(const std::string& path)
{
    const size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// "C:\dir\Corp.pac" gives "Corp.PAC".
std::string PacRowName(const std::string& path)
{
    std::string name = FileNameOf(path);
    const size_t dot = name.rfind('.');
    if (dot != std::string::npos)
        name.resize(dot);
    return name + ".PAC";
}

// Every "%s", in either case, replaced by the text.
std::string ReplaceFormat(std::string text, const std::string& with)
{
    for (size_t at = 0; (at = text.find('%', at)) != std::string::npos;) {
        if (at + 1 < text.size() && (text[at + 1] == 's' || text[at + 1] == 'S')) {
            text.replace(at, 2, with);
            at += with.size();
        } else {
            ++at;
        }
    }
    return text;
}

template <size_t N>
void PutText(char (&field)[N], const std::string& text)
{
    std::memset(field, 0, N);
    std::memcpy(field, text.data(), std::min<size_t>(text.size(), std::min<size_t>(N - 1, kEntryText)));
}

std::string FieldText(const char* field, size_t size)
{
    const char* end = static_cast<const char*>(std::memchr(field, 0, size));
    return std::string(field, end ? size_t(end - field) : size);
}

} // namespace

TFrameProfileEditEAPFast::TFrameProfileEditEAPFast(TComponent* owner) : TFrameBase(owner)
{
    Name = "FrameProfileEditEAPFast";
    chBoxProvisionMode = MakeOn<TCheckBox>(this, 16, 4, 170, 17);
    chBoxProvisionMode->SetCaption(S(&CUISTR::STR_PROVISION_MODE));
    chBoxUsePAC = MakeOn<TCheckBox>(this, 200, 4, 150, 17);
    chBoxUsePAC->SetCaption(S(&CUISTR::STR_USE_PAC));
    lblProvisioningTunnel = MakeLabel(this, 16, 30, "");
    cBoxProvisioningTunnel = MakeCombo(this, 224, 26, 142);
    lblProvisioningTunnel->SetEnabled(false);
    cBoxProvisioningTunnel->SetEnabled(false);

    lvPACList = MakeOn<TListView>(this, 16, 52, 250, 98);
    lvPACList->SetShowColumnHeaders(false);
    lvPACList->SetRowSelect(true);
    lvPACList->AddColumn("", 20);
    lvPACList->AddColumn("PAC File Name", 190);
    BtnImport = MakeOn<TButton>(this, 280, 52, 86, 24);
    BtnImport->SetCaption(S(&CUISTR::STR_IMPORT));
    BtnRemove = MakeOn<TButton>(this, 280, 82, 86, 24);
    BtnRemove->SetCaption(S(&CUISTR::STR_REMOVE));

    chBoxProvisionMode->OnClick = [this](TObject* s) { chBoxProvisionModeClick(s); };
    chBoxUsePAC->OnClick = [this](TObject* s) { chBoxUsePACClick(s); };
    cBoxProvisioningTunnel->OnChange = [this](TObject* s) { cBoxProvisioningTunnelChange(s); };
    BtnImport->OnClick = [this](TObject* s) { BtnImportClick(s); };
    BtnRemove->OnClick = [this](TObject* s) { BtnRemoveClick(s); };
    lvPACList->OnSelectItem = [this](TObject* s, TListItem* item, bool selected) {
        lvPACListSelectItem(s, item, selected);
    };
    lvPACList->OnDblClick = [this](TObject* s) { lvPACListDblClick(s); };
    m_PacRows.reserve(kMaxPacRows);
    EnablePacButtons();
}

void TFrameProfileEditEAPFast::OnEnterPage()
{
    TFormProfileEdit* e = FormProfileEdit;
    if (!e)
        return;
    lblProvisioningTunnel->SetCaption(S(&CUISTR::STR_PROVISIONING_TUNNEL));
    cBoxProvisioningTunnel->Items().Clear();
    AddEntry(cBoxProvisioningTunnel, S(&CUISTR::STR_EAP_MSCHAP_V2), 26);
    AddEntry(cBoxProvisioningTunnel, S(&CUISTR::STR_EAP_TLS_SMART_CARD), 13);
    if (WinOS() < WINOS_VISTA)
        AddEntry(cBoxProvisioningTunnel, S(&CUISTR::STR_GENERIC_TOKEN_CARD), 6);
    // The list shows the provisioning method that will be saved.
    const int position = e->m_nProvisioningTunnel;
    cBoxProvisioningTunnel->SetItemIndex(position >= 0 && position < cBoxProvisioningTunnel->Items().Count() ? position
                                                                                                             : 0);

    const bool enhanced = VOZEZIV.bEAPFastEnhancement != 0;
    chBoxProvisionMode->SetEnabled(enhanced);
    lblProvisioningTunnel->SetEnabled(enhanced);
    cBoxProvisioningTunnel->SetEnabled(enhanced);
    lblProvisioningTunnel->SetVisible(enhanced);
    cBoxProvisioningTunnel->SetVisible(enhanced);

    chBoxUsePAC->SetChecked(e->m_bUsePAC == 1);
    chBoxProvisionMode->SetChecked(e->m_bProvisionMode == 1);
    EnablePacButtons();
    if (m_nPacStoreCount > 0) {
        RebuildRowsFromStore();
        RefreshPACList();
    }
}

void TFrameProfileEditEAPFast::chBoxProvisionModeClick(TObject*)
{
    if (FormProfileEdit)
        FormProfileEdit->m_bProvisionMode = chBoxProvisionMode->Checked() ? 1 : 0;
}

void TFrameProfileEditEAPFast::chBoxUsePACClick(TObject*)
{
    EnablePacButtons();
    if (FormProfileEdit)
        FormProfileEdit->m_bUsePAC = chBoxUsePAC->Checked() ? 1 : 0;
}

void TFrameProfileEditEAPFast::EnablePacButtons()
{
    BtnImport->SetEnabled(chBoxUsePAC->Checked());
    BtnRemove->SetEnabled(chBoxUsePAC->Checked());
}

void TFrameProfileEditEAPFast::cBoxProvisioningTunnelChange(TObject*)
{
    TFormProfileEdit* e = FormProfileEdit;
    if (!e)
        return;
    e->m_nProvisioningTunnel = std::max(cBoxProvisioningTunnel->ItemIndex(), 0);
    if (e->m_nTunnelAuthen != 13 && e->m_nProvisioningTunnel != 1)
        e->m_WpaInfo.bUseClientCert = 0;
}

void TFrameProfileEditEAPFast::ShowMessageText(const std::string& text)
{
    ShowMessageBox(text, 0);
}

void TFrameProfileEditEAPFast::LoadPACFiles()
{
    m_PacRows.clear();
    m_pSelectedRow = nullptr;
    m_nSelectedIndex = -1;
    const std::string folder = CurrentDirectory();
    WIN32_FIND_DATAA found{};
    HANDLE search = FindFirstFileA("*.pac", &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                continue;
            auto row = std::make_unique<PAC_LIST_EX>();
            row->strFileName = found.cFileName;
            row->strFilePath = folder + "\\" + found.cFileName;
            m_PacRows.push_back(std::move(row));
        } while (m_PacRows.size() < size_t(kMaxPacRows) && FindNextFileA(search, &found));
        FindClose(search);
    }
    PrintMessage(6, " TFrameProfileEditEAPFast::LoadPACFiles: %d files\n", int(m_PacRows.size()));
    RefreshPACList();
}

void TFrameProfileEditEAPFast::BtnImportClick(TObject*)
{
    TFormProfileEdit* e = FormProfileEdit;
    if (lvPACList->ItemCount() >= kMaxPacRows) {
        ShowMessageText(ReplaceFormat(S(&CUISTR::STR_PAC_LIST_MAX_ITEM), std::to_string(kMaxPacRows)));
        return;
    }
    OpenDialog.DefaultExt = "pac";
    OpenDialog.Filter = "PAC File(*.pac)|*.pac";
    OpenDialog.FileName = "*.pac";
    if (!OpenDialog.Execute(Handle()))
        return;
    const std::string path = OpenDialog.FileName;
    if (e)
        e->m_strLastPACFile = path;
    for (const auto& row : m_PacRows)
        if (lstrcmpiA(row->strFilePath.c_str(), path.c_str()) == 0)
            return;
    auto row = std::make_unique<PAC_LIST_EX>();
    row->strFileName = PacRowName(path);
    row->strFilePath = path;
    m_PacRows.push_back(std::move(row));
    RefreshPACList();
}

void TFrameProfileEditEAPFast::RefreshPACList()
{
    lvPACList->ClearItems();
    m_pSelectedRow = nullptr;
    m_nSelectedIndex = -1;
    for (const auto& row : m_PacRows) {
        TListItem* item = lvPACList->AddItem();
        item->SetCaption(row->nMark == 1 ? "V" : "");
        item->AddSubItem(row->strFileName);
        item->Data = row.get();
    }
    SyncPACRows();
}

void TFrameProfileEditEAPFast::SyncPACRows()
{
    m_PacStore.fill(PAC_LIST_EX());
    m_nPacStoreCount = std::min(lvPACList->ItemCount(), int(kMaxPacRows));
    for (int i = 0; i < m_nPacStoreCount; ++i) {
        const auto* row = static_cast<const PAC_LIST_EX*>(lvPACList->Item(i)->Data);
        if (row)
            m_PacStore[size_t(i)] = *row;
    }
}

void TFrameProfileEditEAPFast::lvPACListSelectItem(TObject*, TListItem* Item, bool Selected)
{
    if (!Selected || !Item)
        return;
    m_pSelectedRow = static_cast<PAC_LIST_EX*>(Item->Data);
    m_nSelectedIndex = Item->Index();
}

void TFrameProfileEditEAPFast::BtnRemoveClick(TObject*)
{
    if (lvPACList->ItemCount() == 0)
        return;
    TListItem* selected = lvPACList->Selected();
    if (!selected || m_nSelectedIndex < 0 || !m_pSelectedRow) {
        ShowMessageText(S(&CUISTR::STR_NOSELECTEDITEM));
        return;
    }
    PAC_LIST_EX* row = static_cast<PAC_LIST_EX*>(selected->Data);
    if (!row)
        return;
    // Either file may be missing; the row goes anyway.
    DeleteFileA(row->strFilePath.c_str());
    DeleteFileA((CurrentDirectory() + "\\" + row->strFileName).c_str());
    lvPACList->DeleteItem(selected->Index());
    m_pSelectedRow = nullptr;
    m_nSelectedIndex = -1;
    m_PacRows.erase(std::remove_if(m_PacRows.begin(), m_PacRows.end(),
                                   [row](const std::unique_ptr<PAC_LIST_EX>& r) { return r.get() == row; }),
                    m_PacRows.end());
    SyncPACRows();
}

void TFrameProfileEditEAPFast::lvPACListDblClick(TObject*)
{
    if (lvPACList->ItemCount() == 0)
        return;
    if (!m_pSelectedRow) {
        ShowMessageText(S(&CUISTR::STR_NOSELECTEDITEM));
        return;
    }
    PAC_LIST_EX* row = m_pSelectedRow;
    row->nMark = row->nMark == 1 ? 0 : 1;
    for (int i = 0; i < lvPACList->ItemCount(); ++i)
        if (lvPACList->Item(i)->Data == row)
            lvPACList->Item(i)->SetCaption(row->nMark == 1 ? "V" : "");
    SyncPACRows();
}

void TFrameProfileEditEAPFast::StoreSettings()
{
    TFormProfileEdit* e = FormProfileEdit;
    if (!e)
        return;
    WPA_INFO& w = e->m_WpaInfo;
    w.bProvisionEnabled = e->m_bProvisionMode;
    w.bPacEnabled = e->m_bUsePAC;
    if (w.nEapMethod == 3) {
        const int position = e->m_nProvisioningTunnel;
        w.nProvTunnel = position == 2 ? 6 : position == 1 ? 13 : 26;
    }
    w.strPacPath = e->m_strLastPACFile;
    e->HoldPacEntries(Entries());
}

void TFrameProfileEditEAPFast::TakeEntries(const PAC_FILE_ENTRY* entries, int count)
{
    m_PacRows.clear();
    const int taken = entries ? std::clamp(count, 0, int(kMaxPacRows)) : 0;
    for (int i = 0; i < taken; ++i) {
        auto row = std::make_unique<PAC_LIST_EX>();
        row->nMark = int(entries[i].nMark);
        row->strFileName = FieldText(entries[i].chFileName, sizeof entries[i].chFileName);
        row->strFilePath = FieldText(entries[i].chFilePath, sizeof entries[i].chFilePath);
        m_PacRows.push_back(std::move(row));
    }
    RefreshPACList();
}

std::vector<PAC_FILE_ENTRY> TFrameProfileEditEAPFast::Entries() const
{
    std::vector<PAC_FILE_ENTRY> entries(static_cast<size_t>(m_nPacStoreCount));
    for (size_t i = 0; i < entries.size(); ++i) {
        entries[i].nMark = uint32_t(m_PacStore[i].nMark);
        PutText(entries[i].chFileName, m_PacStore[i].strFileName);
        PutText(entries[i].chFilePath, m_PacStore[i].strFilePath);
    }
    return entries;
}

void TFrameProfileEditEAPFast::RebuildRowsFromStore()
{
    m_PacRows.clear();
    for (int i = 0; i < m_nPacStoreCount; ++i)
        m_PacRows.push_back(std::make_unique<PAC_LIST_EX>(m_PacStore[size_t(i)]));
}
