#pragma once
// Page of the 802.11n window that tears down block-ack agreements with a chosen peer, for one
// TID or all.
#include <string>
#include <vector>

#include "core/FormBase.h"
#include "ui/ComCtrls.h"
#include "ui/StdCtrls.h"

class TForm80211nSetting;

class TFrameDeleteBlockAck : public TFrameBase {
public:
    explicit TFrameDeleteBlockAck(TComponent* owner);

    TLabel* lblTID = nullptr;
    TComboBox* cBoxTID = nullptr;
    TLabel* lblAvailBssidList = nullptr;
    TListView* lvAvailBssidList = nullptr;
    TButton* BtnOK = nullptr;
    TButton* BtnCancel = nullptr;

    // Set by the 802.11n page before the switch.
    bool m_bRecipient = false;
    bool m_bAllTids = false;
    bool m_bTidSelectable = true;
    std::vector<std::string> m_Candidates;

    TForm80211nSetting* m_pForm = nullptr;

    void OnEnterPage() override;
    bool OnLeavePage() override;
    void btnOKClick(TObject* Sender);
    void btnCancelClick(TObject* Sender);
};
