#pragma once
// The 802.11n page: block-ack capability, acknowledgement policy per access category, the
// TGn coexistence test items, and the live tables of block-ack agreements.
#include <cstdint>
#include <vector>

#include "advanced/BlockAckRecords.h"
#include "core/FormBase.h"
#include "ui/ComCtrls.h"
#include "ui/ExtCtrls.h"
#include "ui/StdCtrls.h"

class TForm80211nSetting;

class TFrame80211nSetting : public TFrameBase {
public:
    explicit TFrame80211nSetting(TComponent* owner);

    TCheckBox* chBoxAMSDU = nullptr;
    TPanel* pnlAmsduMax = nullptr;
    TRadioButton* rBtnMax3839 = nullptr;
    TRadioButton* rBtnMax7935 = nullptr;
    TCheckBox* chBoxMPDU = nullptr;
    TPanel* pnlMpduMode = nullptr;
    TRadioButton* rBtnManual = nullptr;
    TRadioButton* rBtnAuto = nullptr;
    TLabel* lblMpduDensity = nullptr;
    TComboBox* cBoxMpduDensity = nullptr;
    TGroupBox* grpBoxSMPSMode = nullptr;
    TRadioButton* rBtnSMEnable = nullptr;
    TRadioButton* rBtnStaticSMPS = nullptr;
    TRadioButton* rBtnDynamicSMPS = nullptr;
    TGroupBox* grpBoxAckPolicy = nullptr;
    TCheckBox* chBoxACBE = nullptr;
    TCheckBox* chBoxACBK = nullptr;
    TCheckBox* chBoxACVI = nullptr;
    TCheckBox* chBoxACVO = nullptr;
    TButton* btnApply = nullptr;
    TLabel* lblTGnWiFi = nullptr;
    TComboBox* cBoxTGnWiFi = nullptr;
    TGroupBox* grpBoxOriginator = nullptr;
    TListView* lvOriginatorList = nullptr;
    TButton* btnAddOrigi = nullptr;
    TButton* btnDeleteOrigi = nullptr;
    TButton* btnDeleteAllOrigi = nullptr;
    TGroupBox* grpBoxRecipient = nullptr;
    TListView* lvRecipientList = nullptr;
    TButton* btnAddRecip = nullptr;
    TButton* btnDeleteRecip = nullptr;
    TButton* btnDeleteAllRecip = nullptr;
    TTimer* TimerQueryBATable = nullptr;  // 1000 ms while the page is entered

    // Bytes 0 and 1 of the capability, carried from the last stored capability read.
    uint8_t m_uchCarried0 = 32;
    uint8_t m_uchCarried1 = 32;
    std::vector<ORIGINATOR_LIST> m_OriginatorList;
    std::vector<RECIPIENT_LIST> m_RecipientList;

    TForm80211nSetting* m_pForm = nullptr;

    void OnEnterPage() override;
    bool OnLeavePage() override;

    void OnApply(TObject* Sender);
    void OnCheckEnableAmsdu(TObject* Sender);
    void OnCheckEnableBA(TObject* Sender);
    void OnCheckEnableAckPolicy(TObject* Sender);
    void OnCbnSelchangeComboCoex(TObject* Sender);
    void btnAddOrigiClick(TObject* Sender);
    void btnAddRecipClick(TObject* Sender);
    void btnDeleteOrigiClick(TObject* Sender);
    void btnDeleteRecipClick(TObject* Sender);
    void btnDeleteAllOrigiClick(TObject* Sender);
    void btnDeleteAllRecipClick(TObject* Sender);
    void TimerQueryBATableTimer(TObject* Sender);

    // The capability the controls show, with the carried bytes.
    BA_CAP_STATE ControlState() const;

private:
    void LoadCapability();
    void LoadAckPolicy();
    void UpdateControlStates();
    void OpenAddPage(bool recipient);
    void OpenDeletePage(bool recipient, bool allTids);
    static void FillList(TListView* list, const std::vector<BA_LIST_ROW>& rows);
};
