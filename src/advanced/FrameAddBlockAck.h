#pragma once
// Page of the 802.11n window that starts one immediate block-ack agreement with a chosen peer.
#include <cstdint>
#include <string>
#include <vector>

#include "core/FormBase.h"
#include "ui/ComCtrls.h"
#include "ui/StdCtrls.h"

class TForm80211nSetting;

class TFrameAddBlockAck : public TFrameBase {
public:
    explicit TFrameAddBlockAck(TComponent* owner);

    TLabel* lblTID = nullptr;
    TComboBox* cBoxTID = nullptr;
    TLabel* lblLimitBAWindowSize = nullptr;
    TEdit* editLimitBAWindowSize = nullptr;
    TLabel* lblAvailBssidList = nullptr;
    TListView* lvAvailBssidList = nullptr;
    TButton* btnOK = nullptr;
    TButton* btnCancel = nullptr;

    bool m_bRecipient = false;  // set by the 802.11n page before the switch
    std::vector<std::string> m_Candidates;

    TForm80211nSetting* m_pForm = nullptr;

    void OnEnterPage() override;
    bool OnLeavePage() override;
    void btnOKClick(TObject* Sender);
    void btnCancelClick(TObject* Sender);

    // The window size byte: the edit's integer, low 8 bits; 32 when the text is no integer.
    static uint8_t WindowSizeOf(const std::string& text);
};
