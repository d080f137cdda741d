#pragma once
// The priority-table page of the Hotspot 2.0 window: Hotspot 2.0 on and off, and the ordered
// table of up to ten credentials and profiles that the Hotspot 2.0 library keeps.
#include <windows.h>

#include <functional>
#include <optional>
#include <string>

#include "core/FormBase.h"
#include "resources/WvImage.h"
#include "ui/ComCtrls.h"
#include "ui/StdCtrls.h"
#include "wlapi/records.h"

class TFormHotSpot;

class TFrameHotSpotMain : public TFrameBase {
public:
    explicit TFrameHotSpotMain(TComponent* owner);

    static constexpr int kNoPreferRow = 99;
    static constexpr BYTE kCredential = 0;
    static constexpr BYTE kProfile = 1;

    // Controls.
    TGroupBox* grpBoxHotSpot20 = nullptr;
    TRadioButton* rBtnEnableHS20 = nullptr;
    TRadioButton* rBtnDisableHS20 = nullptr;
    TGroupBox* grpBoxPriorityTable = nullptr;
    TListView* lvConnSettingTable = nullptr;
    TButton* BtnReset = nullptr;
    TButton* BtnPrefer = nullptr;
    TButton* BtnDeleteSetting = nullptr;
    TButton* BtnModify = nullptr;
    TWvImage* BtnUp = nullptr;
    TWvImage* BtnDown = nullptr;

    // State.
    BYTE m_bHS20Active = 0;
    int m_nPreferRow = kNoPreferRow;
    int m_nCredentialCount = 0;  // Index the next credential gets
    int m_nProfileCount = 0;     // Index the next profile gets
    HS20_WEIGHT_TABLE m_WeightTable{};
    int m_nInsertWeight[MAX_HS20_TABLE] = {};
    char m_szIniFile[128] = {};  // the state file; empty when its path does not fit
    int m_nModifyRow = -1;
    bool m_bModifying = false;

    // Handlers.
    void OnEnterPage() override {}
    bool OnLeavePage() override;
    void rBtnEnableHS20Click(TObject* Sender);
    void rBtnDisableHS20Click(TObject* Sender);
    void lvConnSettingTableSelectItem(TObject* Sender, TListItem* Item, bool Selected);
    void BtnUpClick(TObject* Sender);
    void BtnDownClick(TObject* Sender);
    void BtnDeleteSettingClick(TObject* Sender);
    void BtnResetClick(TObject* Sender);
    void BtnPreferClick(TObject* Sender);
    void BtnModifyClick(TObject* Sender);

    // Table rows. AddSettingRow is false, with nothing changed, when the table is full.
    bool AddSettingRow(const std::string& name, BYTE kind, int weight, bool prefer);
    void SwapSettingRows(int row, bool up);
    void DeleteSettingRow(int row, BYTE kind);
    void ResetWeightTable();
    // The rows' names, in order.
    std::string RowName(int row) const;
    void SetRowName(int row, const std::string& name);
    // HS20_Set_Weight with the table; false (logged) when the library refuses.
    bool SendWeightTable();

    // The library call of an entry page's Add or Submit: writes the page's record with the
    // preferred flag and weight given (and, on Submit, the entry's library index) and gives the
    // entry's name, or nothing when the library refuses.
    using EntryWrite = std::function<std::optional<std::string>(BYTE prefer, BYTE weight, int index)>;
    // Add: the entry becomes the last row and the weight table is sent; false, with nothing
    // written, when the table is full. Each outcome is logged as the page's call.
    bool AddEntry(const char* page, const char* call, BYTE kind, const EntryWrite& write);
    // Submit: the entry of the row being modified is replaced and its row renamed.
    void ModifyEntry(const char* page, const char* call, const EntryWrite& write);

    // State file. WriteHS20IniFile is false when the path does not fit the library's record
    // or the library fails. LoadHS20IniFile replays the file section by section, skipping (and
    // logging) a malformed section, an entry the library refuses and any entry beyond the ten
    // rows; true when nothing was skipped.
    bool WriteHS20IniFile(const char* path);
    bool LoadHS20IniFile();

    // Tray tip.
    bool GetConnectedHS20Text(std::string& text);
    bool DelConnectedParameters();

private:
    TFormHotSpot* Form() const;
    bool TurnOn();
    void TurnOff();
    void ShowEntryTabs(bool show);
    void EnableRowButtons(bool enable);
    bool SendPrefer(BYTE kind, BYTE index, BYTE prefer);
    // Clears the mark of the preferred row (other than except) in the library and the list.
    void ClearPreferRow(int except);
};
