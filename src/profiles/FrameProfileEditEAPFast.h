#pragma once
// EAP-FAST provisioning and the protected access credential (PAC) files of a profile.
#include <windows.h>

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "core/FormBase.h"
#include "profiles/ProfileFileDialog.h"
#include "ui/ComCtrls.h"
#include "ui/StdCtrls.h"
#include "wlapi/records.h"

// One PAC row of the page.
struct PAC_LIST_EX {
    int nMark = 0; // 1 marked ("V")
    std::string strFileName;
    std::string strFilePath;
};

class TFrameProfileEditEAPFast : public TFrameBase {
public:
    static constexpr int kMaxPacRows = 50;

    explicit TFrameProfileEditEAPFast(TComponent* owner);
    TCheckBox* chBoxProvisionMode = nullptr;
    TCheckBox* chBoxUsePAC = nullptr;
    TLabel* lblProvisioningTunnel = nullptr;
    TComboBox* cBoxProvisioningTunnel = nullptr;
    TButton* BtnImport = nullptr;
    TButton* BtnRemove = nullptr;
    TListView* lvPACList = nullptr;
    TProfileFileDialog OpenDialog{false};

    void OnEnterPage() override;
    bool OnLeavePage() override { return true; }
    void chBoxProvisionModeClick(TObject* Sender);
    void chBoxUsePACClick(TObject* Sender);
    void cBoxProvisioningTunnelChange(TObject* Sender);
    void BtnImportClick(TObject* Sender);
    void BtnRemoveClick(TObject* Sender);
    void lvPACListSelectItem(TObject* Sender, TListItem* Item, bool Selected);
    void lvPACListDblClick(TObject* Sender);

    // The "*.pac" files of the current directory (at most 50) as the rows of a new profile.
    void LoadPACFiles();
    // The view from the rows, then the store from the view.
    void RefreshPACList();
    void SyncPACRows();
    // The page's choices and rows into the editor's working copy.
    void StoreSettings();

    // The rows of a stored profile (516-byte entries, at most 50 taken).
    void TakeEntries(const PAC_FILE_ENTRY* entries, int count);
    // The store as the library's entries, texts cut to 255 characters.
    std::vector<PAC_FILE_ENTRY> Entries() const;
    int PacCount() const { return m_nPacStoreCount; }
    const PAC_LIST_EX& PacRow(int index) const { return m_PacStore.at(size_t(index)); }

private:
    void RebuildRowsFromStore();
    void EnablePacButtons();
    void ShowMessageText(const std::string& text);

    std::array<PAC_LIST_EX, kMaxPacRows> m_PacStore;
    int m_nPacStoreCount = 0;
    std::vector<std::unique_ptr<PAC_LIST_EX>> m_PacRows;
    PAC_LIST_EX* m_pSelectedRow = nullptr;
    int m_nSelectedIndex = -1;
};
